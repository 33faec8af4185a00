#include "rechtask.h"

#include "privateprofile.h"

namespace {

const char* const kVarKeys[6] = {"x", "y", "z", "u", "v", "w"};

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

bool LeseAufgabe(const char* file, TRechAufgabe& task, std::string* message) {
    TPrivateProfile prof;
    if (message) message->clear();
    if (!prof.Load(file)) {
        if (message) *message = prof.Error();
        return false;
    }
    auto lies = [&prof](const char* section, const char* key, const char* def, unsigned max) {
        return prof.GetString(section, key, def, max);
    };
    // A one-letter key is read with at most one character.
    auto zeichen = [&lies](const char* section, const char* key, const char* def) {
        return lies(section, key, def, 1)[0];
    };
    if (lies("Programm", "OrvlRech", "", 2700)[0] != 'J') return false;
    TRechAufgabe t;
    t.Funktion = lies("Funktion", "f(x,y,z,u,v,w)", "0", kRechFunktionLesen);
    for (int i = 0; i < 6; ++i) t.Var[i] = lies("Variablen", kVarKeys[i], "0", kRechVarLesen);
    t.Schnell = zeichen("Funktion", "schnell", "J") == 'J';
    const char winkel = zeichen("Funktion", "Winkelargument", "2");
    if (winkel >= '1' && winkel <= '3') t.Winkel = winkel - '0';
    if (int b = RechBasisAusCode(zeichen("Funktion", "BasisIn", "1") - '0')) t.BasisIn = b;
    if (int b = RechBasisAusCode(zeichen("Funktion", "BasisOut", "1") - '0')) t.BasisOut = b;
    t.Calc = zeichen("Bildkoordinaten", "calc", "N") == 'J';
    task = std::move(t);
    if (message) *message = prof.EncodingWarning();
    return true;
}

bool SchreibeAufgabe(const char* file, const TRechAufgabe& task, std::string* error) {
    if (error) error->clear();
    TPrivateProfile prof;
    if (!prof.Load(file)) {
        if (error) *error = prof.Error();
        return false;
    }
    char code[2] = "0";
    auto write = [&prof](const char* section, const char* key, const std::string& value) {
        return prof.WriteString(section, key, value.c_str());
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
    // All keys, one replacement of the file; an unchanged task leaves the file alone.
    if (ok && prof.Save()) return true;
    if (error) *error = prof.Error();
    return false;
}
