#include "glsysdatei.h"

#include "privateprofile.h"
#include "settings.h"

#include <algorithm>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

namespace {

const char* const kVarKeys[6] = {"x", "y", "z", "u", "v", "w"};

// At most `maxChars` characters of the value (never more than the record's texts hold).
std::string Lies(const char* section, const char* key, const char* def, int maxChars,
                 const char* file) {
    char value[kGlSysTextLesen + 1] = "";
    const unsigned size = unsigned(std::min(maxChars, kGlSysTextLesen) + 1);
    GetPrivateProfileString(section, key, def, value, size, file);
    return value;
}

std::string FeldKey(int r, int c) {
    return "(" + std::to_string(r) + "," + std::to_string(c) + ")";
}

std::string VektorKey(int r) {
    return "(" + std::to_string(r) + ")";
}

std::string EineZeile(std::string text) {
    for (char& c : text)
        if (c == '\r' || c == '\n') c = ' ';
    return text;
}

} // namespace

bool LeseGlSysAufgabe(const char* file, TGlSysAufgabe& task) {
    if (Lies("Programm", "OrvlGlSy", "", 199, file)[0] != 'J') return false;
    TGlSysAufgabe t;
    const long n = std::strtol(Lies("Matrix", "Ordnung", "3", 99, file).c_str(), nullptr, 10);
    t.Ordnung = n >= 2 && n <= 7 ? int(n) : 3;
    for (int c = 1; c <= t.Ordnung; ++c)
        for (int r = 1; r <= t.Ordnung; ++r)
            t.Feld[c - 1][r - 1] =
                Lies("Matrix", FeldKey(r, c).c_str(), "0", kGlSysTextLesen, file);
    for (int r = 1; r <= t.Ordnung + 1; ++r)
        t.Feld[t.Ordnung][r - 1] = Lies("Vektor", VektorKey(r).c_str(), "0", kGlSysTextLesen, file);
    for (int i = 0; i < 6; ++i)
        t.Var[i] = Lies("Variablen", kVarKeys[i], "0", kGlSysTextLesen, file);
    task = std::move(t);
    return true;
}

bool SchreibeGlSysAufgabe(const char* file, const TGlSysAufgabe& task) {
    const int n = task.Ordnung;
    if (!file || !*file || n < 2 || n > 7) return false;
    // Keys and values live in `texts` until the one write of the whole task.
    std::vector<std::pair<std::string, std::string>> texts;
    std::vector<const char*> sections;
    auto put = [&](const char* section, std::string key, std::string value) {
        sections.push_back(section);
        texts.emplace_back(std::move(key), EineZeile(std::move(value)));
    };
    put("Programm", "OrvlGlSy", "J");
    put("Matrix", "Ordnung", std::to_string(n));
    for (int c = 1; c <= n + 1; ++c)
        for (int r = 1; r <= n + 1; ++r)
            put("Matrix", FeldKey(r, c), r <= n ? task.Feld[c - 1][r - 1] : "");
    for (int r = 1; r <= n; ++r) put("Vektor", VektorKey(r), task.Feld[n][r - 1]);
    for (int i = 0; i < 6; ++i) put("Variablen", kVarKeys[i], task.Var[i]);
    std::vector<TProfileWrite> writes;
    for (size_t i = 0; i < texts.size(); ++i)
        writes.push_back({sections[i], texts[i].first.c_str(), texts[i].second.c_str()});
    return CorrWritePrivateProfileStrings(file, writes);
}
