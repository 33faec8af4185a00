#include "glsysdatei.h"

#include "privateprofile.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

const char* const kVarKeys[6] = {"x", "y", "z", "u", "v", "w"};

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

void GlSysText(char* target, size_t size, const std::string& text) {
    const size_t n = std::min(text.size(), size - 1);
    std::memcpy(target, text.data(), n);
    target[n] = 0;
}

bool LeseGlSysAufgabe(const char* file, TGlSysAufgabe& task, std::string* message) {
    if (message) message->clear();
    TPrivateProfile prof;
    if (!prof.Load(file)) {
        if (message) *message = prof.Error();
        return false;
    }
    auto lies = [&prof](const char* section, const std::string& key, unsigned maxChars) {
        return prof.GetString(section, key.c_str(), "0", maxChars);
    };
    if (prof.GetString("Programm", "OrvlGlSy", "", 199)[0] != 'J') return false;
    TGlSysAufgabe t;
    const long n = std::strtol(prof.GetString("Matrix", "Ordnung", "3", 99).c_str(), nullptr, 10);
    t.Ordnung = n >= 2 && n <= 7 ? int(n) : 3;
    for (int c = 1; c <= t.Ordnung; ++c)
        for (int r = 1; r <= t.Ordnung; ++r)
            t.Feld[c - 1][r - 1] = lies("Matrix", FeldKey(r, c), kGlSysTextLesen);
    for (int r = 1; r <= t.Ordnung + 1; ++r)
        t.Feld[t.Ordnung][r - 1] = lies("Vektor", VektorKey(r), kGlSysTextLesen);
    for (int i = 0; i < 6; ++i) t.Var[i] = lies("Variablen", kVarKeys[i], kGlSysTextLesen);
    task = std::move(t);
    if (message) *message = prof.EncodingWarning();
    return true;
}

bool SchreibeGlSysAufgabe(const char* file, const TGlSysAufgabe& task, std::string* error) {
    if (error) error->clear();
    const int n = task.Ordnung;
    if (!file || !*file || n < 2 || n > 7) return false;
    TPrivateProfile prof;
    if (!prof.Load(file)) {
        if (error) *error = prof.Error();
        return false;
    }
    bool ok = true;
    auto write = [&](const char* section, const std::string& key, const std::string& value) {
        ok = ok && prof.WriteString(section, key.c_str(), EineZeile(value).c_str());
    };
    write("Programm", "OrvlGlSy", "J");
    write("Matrix", "Ordnung", std::to_string(n));
    for (int c = 1; c <= n + 1; ++c)
        for (int r = 1; r <= n + 1; ++r)
            write("Matrix", FeldKey(r, c), r <= n ? task.Feld[c - 1][r - 1] : "");
    for (int r = 1; r <= n; ++r) write("Vektor", VektorKey(r), task.Feld[n][r - 1]);
    for (int i = 0; i < 6; ++i) write("Variablen", kVarKeys[i], task.Var[i]);
    // All keys, one replacement of the file.
    if (ok && prof.Save()) return true;
    if (error) *error = prof.Error();
    return false;
}
