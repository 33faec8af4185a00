// Windows-1252 ⇄ QString for the layer's own use.
#include "qtbridge.h"
#include "qtext.h"

QString QStr(const char* cp1252) {
    return FromCp1252(cp1252);
}
QString QStr(const std::string& cp1252) {
    return FromCp1252(std::string_view(cp1252));
}
std::string CpStr(const QString& text) {
    return ToCp1252(text);
}

QString WinLinesToQt(const QString& text) {
    QString t = text;
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    t.replace(u'\r', u'\n');
    return t;
}
