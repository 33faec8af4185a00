#include "mattask.h"

#include "privateprofile.h"
#include "settings.h"

#include <cstdlib>
#include <cstring>
#include <deque>
#include <memory>
#include <string>
#include <vector>

namespace {

const char* const kVarKeys[6] = {"x", "y", "z", "u", "v", "w"};

std::string Feld(int r, int c) {
    return "(" + std::to_string(r) + "," + std::to_string(c) + ")";
}

std::string Lies(const char* file, const char* section, const std::string& key, const char* def,
                 unsigned size) {
    std::vector<char> buf(size + 1, '\0');
    GetPrivateProfileString(section, key.c_str(), def, buf.data(), size + 1, file);
    return buf.data();
}

void Kopiere(char* out, size_t size, const std::string& text) {
    std::strncpy(out, text.c_str(), size - 1);
    out[size - 1] = '\0';
}

} // namespace

bool SchreibeMatAufgabe(const char* file, const MatTransStructDef& rec, bool transfer) {
    const int n = rec.Ordnung;
    std::deque<std::string> keep; // the writes point into these texts, which never move
    std::vector<TProfileWrite> w;
    auto add = [&](const char* section, std::string key, std::string value) {
        keep.push_back(std::move(key));
        const char* k = keep.back().c_str();
        keep.push_back(std::move(value));
        w.push_back({section, k, keep.back().c_str()});
    };
    add("Programm", "OrvlMatr", "J");
    if (transfer) add("Programm", "OrvlGlSy", "J");
    add("Matrix", "Ordnung", std::to_string(n));
    const int cols = transfer ? n + 1 : n, rows = transfer ? n + 1 : n;
    for (int c = 1; c <= cols; ++c)
        for (int r = 1; r <= rows; ++r) {
            std::string text;
            if (r <= n && c <= n)
                text = rec.MatText[c - 1][r - 1];
            else if (r <= n)
                text = "0"; // the right-hand side of a system
            add("Matrix", Feld(r, c), text);
        }
    if (transfer)
        for (int r = 1; r <= n; ++r) add("Vektor", "(" + std::to_string(r) + ")", "0");
    for (int i = 0; i < 6; ++i) add("Variablen", kVarKeys[i], rec.Var.Text(i));
    return CorrWritePrivateProfileStrings(file, w);
}

bool LeseMatAufgabe(const char* file, MatTransStructDef& rec) {
    if (Lies(file, "Programm", "OrvlMatr", "", 200)[0] != 'J' &&
        Lies(file, "Programm", "OrvlGlSy", "", 200)[0] != 'J')
        return false;
    int n = std::atoi(Lies(file, "Matrix", "Ordnung", "3", 100).c_str());
    if (n < 1 || n > 8) n = 3;
    rec.Ordnung = n;
    for (int c = 0; c < 8; ++c)
        for (int r = 0; r < 8; ++r) {
            const std::string text =
                r < n && c < n ? Lies(file, "Matrix", Feld(r + 1, c + 1), "0", 299) : "0";
            Kopiere(rec.MatText[c][r], sizeof rec.MatText[c][r], text.empty() ? "0" : text);
        }
    std::string vars[6];
    for (int i = 0; i < 6; ++i) vars[i] = Lies(file, "Variablen", kVarKeys[i], "0", 299);
    for (int i = 0; i < 6; ++i) {
        const char* v[6] = {"", "", "", "", "", ""};
        v[i] = vars[i].c_str();
        rec.Var.SetzeVar(v[0], v[1], v[2], v[3], v[4], v[5]);
    }
    return true;
}
