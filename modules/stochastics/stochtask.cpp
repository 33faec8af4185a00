#include "stochtask.h"

#include "privateprofile.h"
#include "settings.h"

#include <vector>

namespace {

const char* const kVarKeys[6] = {"x", "y", "z", "u", "v", "w"};

std::string Lies(const char* section, const char* key, const char* def, int maxChars,
                 const char* file) {
    std::vector<char> buffer(size_t(maxChars) + 1, '\0');
    GetPrivateProfileString(section, key, def, buffer.data(), unsigned(buffer.size()), file);
    return buffer.data();
}

std::string EineZeile(std::string text) {
    if (text.size() > size_t(kStochVarSchreiben)) text.resize(kStochVarSchreiben);
    for (char& c : text)
        if (c == '\r' || c == '\n') c = ' ';
    return text;
}

} // namespace

int StochVerteilungAusText(const char* text) {
    std::string t = text ? text : "";
    while (!t.empty() && (t.back() == ' ' || t.back() == '\t')) t.pop_back();
    size_t start = t.find_first_not_of(" \t");
    if (start == std::string::npos) return -1;
    t = t.substr(start);
    return t.size() == 1 && t[0] >= '0' && t[0] <= '4' ? t[0] - '0' : -1;
}

bool LeseStochAufgabe(const char* file, TStochAufgabe& task) {
    if (!file || !*file) return false;
    if (Lies("Programm", "OrvlStch", "", 2700, file)[0] != 'J') return false;
    TStochAufgabe t;
    t.Verteilung = StochVerteilungAusText(Lies("Daten", "Verteilung", "0", 20, file).c_str());
    for (int i = 0; i < 6; ++i) t.Var[i] = Lies("Variablen", kVarKeys[i], "0", 2700, file);
    task = std::move(t);
    return true;
}

bool SchreibeStochAufgabe(const char* file, const TStochAufgabe& task, const char* formel) {
    if (!file || !*file) return false;
    const int v = task.Verteilung >= 0 && task.Verteilung <= 4 ? task.Verteilung : 0;
    const std::string verteilung(1, char('0' + v));
    std::string texts[6];
    std::vector<TProfileWrite> writes;
    if (formel) writes.push_back({"Funktion", "f(x,y,z,u,v,w)", formel});
    writes.push_back({"Programm", "OrvlStch", "J"});
    writes.push_back({"Daten", "Verteilung", verteilung.c_str()});
    for (int i = 0; i < 6; ++i) {
        texts[i] = EineZeile(task.Var[i]);
        writes.push_back({"Variablen", kVarKeys[i], texts[i].c_str()});
    }
    // The whole task or nothing: a failed write leaves the file as it was.
    return CorrWritePrivateProfileStrings(file, writes);
}
