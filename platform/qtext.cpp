#include "qtext.h"

#include "cp1252.h"

QString FromCp1252(const char* text) {
    return FromCp1252(text == nullptr ? std::string_view() : std::string_view(text));
}

QString FromCp1252(std::string_view text) {
    QString out;
    out.reserve(static_cast<qsizetype>(text.size()));
    for (char c : text)
        out += QChar(static_cast<char16_t>(Cp1252ToUnicode(static_cast<unsigned char>(c))));
    return out;
}

std::string ToCp1252(const QString& text) {
    std::string out;
    out.reserve(static_cast<size_t>(text.size()));
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t u = text[i].unicode();
        if (QChar::isHighSurrogate(u) && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            ++i; // one character outside the Basic Multilingual Plane, one "?"
            out += '?';
            continue;
        }
        const unsigned char c = UnicodeToCp1252(u);
        out += c != 0 || u == 0 ? static_cast<char>(c) : '?';
    }
    return out;
}
