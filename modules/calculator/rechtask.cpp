#include "rechtask.h"

#include "privateprofile.h"
#include "settings.h"

#include <filesystem>
#include <system_error>
#include <unistd.h>
#include <vector>

namespace {

const char* const kVarKeys[6] = {"x", "y", "z", "u", "v", "w"};

std::string Lies(const char* section, const char* key, const char* def, int maxChars,
                 const char* file) {
    std::vector<char> buffer(size_t(maxChars) + 1, '\0');
    GetPrivateProfileString(section, key, def, buffer.data(), unsigned(buffer.size()), file);
    return buffer.data();
}

// A one-letter key (read with at most one character).
char LiesZeichen(const char* section, const char* key, const char* def, const char* file) {
    return Lies(section, key, def, 1, file)[0];
}

std::string EineZeile(std::string text) {
    for (char& c : text)
        if (c == '\r' || c == '\n') c = ' ';
    return text;
}

} // namespace

int RechBasisCode(int base) {
    switch (base) {
    case 10:
        return 1;
    case 2:
        return 2;
    case 16:
        return 3;
    case 8:
        return 4;
    default:
        return 0;
    }
}

int RechBasisAusCode(int code) {
    static const int bases[5] = {0, 10, 2, 16, 8};
    return code >= 1 && code <= 4 ? bases[code] : 0;
}

bool LeseAufgabe(const char* file, TRechAufgabe& task) {
    if (Lies("Programm", "OrvlRech", "", 2700, file)[0] != 'J') return false;
    TRechAufgabe t;
    t.Funktion = Lies("Funktion", "f(x,y,z,u,v,w)", "0", kRechFunktionLesen, file);
    for (int i = 0; i < 6; ++i) t.Var[i] = Lies("Variablen", kVarKeys[i], "0", kRechVarLesen, file);
    t.Schnell = LiesZeichen("Funktion", "schnell", "J", file) == 'J';
    const char winkel = LiesZeichen("Funktion", "Winkelargument", "2", file);
    if (winkel >= '1' && winkel <= '3') t.Winkel = winkel - '0';
    if (int b = RechBasisAusCode(LiesZeichen("Funktion", "BasisIn", "1", file) - '0'))
        t.BasisIn = b;
    if (int b = RechBasisAusCode(LiesZeichen("Funktion", "BasisOut", "1", file) - '0'))
        t.BasisOut = b;
    t.Calc = LiesZeichen("Bildkoordinaten", "calc", "N", file) == 'J';
    task = std::move(t);
    return true;
}

bool SchreibeAufgabe(const char* file, const TRechAufgabe& task) {
    namespace fs = std::filesystem;
    if (!file || !*file) return false;
    const fs::path target(file);
    const fs::path temp(std::string(file) + ".~" + std::to_string(::getpid()));
    std::error_code ec;
    if (fs::exists(target, ec)) {
        if (!fs::is_regular_file(target, ec) ||
            !fs::copy_file(target, temp, fs::copy_options::overwrite_existing, ec))
            return false;
    }
    const std::string name = temp.string();
    const char* f = name.c_str();
    char code[2] = "0";
    auto write = [f](const char* section, const char* key, const std::string& value) {
        return CorrWritePrivateProfileString(section, key, value.c_str(), f);
    };
    bool ok = write("Programm", "OrvlRech", "J") &&
              write("Funktion", "f(x,y,z,u,v,w)", EineZeile(task.Funktion));
    for (int i = 0; ok && i < 6; ++i) ok = write("Variablen", kVarKeys[i], EineZeile(task.Var[i]));
    ok = ok && write("Funktion", "schnell", task.Schnell ? "J" : "N");
    code[0] = char('0' + (task.Winkel >= 1 && task.Winkel <= 3 ? task.Winkel : 2));
    ok = ok && write("Funktion", "Winkelargument", code);
    code[0] = char('0' + (RechBasisCode(task.BasisIn) ? RechBasisCode(task.BasisIn) : 1));
    ok = ok && write("Funktion", "BasisIn", code);
    code[0] = char('0' + (RechBasisCode(task.BasisOut) ? RechBasisCode(task.BasisOut) : 1));
    ok = ok && write("Funktion", "BasisOut", code);
    ok = ok && write("Bildkoordinaten", "calc", task.Calc ? "J" : "N");
    if (ok) {
        fs::rename(temp, target, ec);
        ok = !ec;
    }
    if (!ok) fs::remove(temp, ec);
    return ok;
}
