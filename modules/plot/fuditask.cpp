#include "fuditask.h"

#include "fudirecord.h"
#include "privateprofile.h"
#include "settings.h"
#include "vdparser.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

namespace {

const char* const kVarKeys[6] = {"x", "y", "z", "u", "v", "w"};
const char kProgramm[] = "Programm";
const char kFunktion[] = "Funktion";
const char kVariablen[] = "Variablen";

std::string Lies(const char* section, const char* key, const char* def, int maxChars,
                 const char* file) {
    std::vector<char> buffer(size_t(maxChars) + 1, '\0');
    GetPrivateProfileString(section, key, def, buffer.data(), unsigned(buffer.size()), file);
    return buffer.data();
}

bool Ja(const char* key, const char* file) {
    return Lies(kFunktion, key, "N", 2, file)[0] == 'J';
}

long double Zahl(const char* key, const char* def, const char* file) {
    const std::string text = Lies(kFunktion, key, def, 100, file);
    const long double v = chartold(text.c_str(), nullptr);
    return std::isfinite(v) ? v : 0;
}

void Kopiere(char* target, size_t size, const std::string& text) {
    const size_t n = std::min(text.size(), size - 1);
    std::memcpy(target, text.data(), n);
    target[n] = 0;
}

std::string EineZeile(std::string text) {
    for (char& c : text)
        if (c == '\r' || c == '\n') c = ' ';
    return text;
}

} // namespace

void Kleinschreibung(char* text) {
    for (unsigned char* p = reinterpret_cast<unsigned char*>(text); *p; ++p) {
        if (*p >= 'A' && *p <= 'Z')
            *p = static_cast<unsigned char>(*p + 32);
        else if (*p >= 0xC0 && *p <= 0xDE && *p != 0xD7) // À … Þ without ×
            *p = static_cast<unsigned char>(*p + 32);
        else if (*p == 0x8A || *p == 0x8C || *p == 0x8E) // Š Œ Ž
            *p = static_cast<unsigned char>(*p + 16);
        else if (*p == 0x9F) // Ÿ
            *p = 0xFF;
    }
}

std::string ZahlText(long double value, int digits) {
    char text[80] = "";
    ldtochar(text, value, digits, true);
    return std::strcmp(text, "-0") == 0 ? "0" : text;
}

bool IstFudiDatei(const char* file) {
    return file && *file && Lies(kProgramm, "OrvlFuDi", "", 2, file)[0] == 'J';
}

void LeereFudiAufgabe(FudiTransStructDef& rec) {
    std::strcpy(rec.Funktion, "0");
    rec.x1 = rec.h1 = -10;
    rec.x2 = rec.h2 = 10;
    rec.xAb = rec.hAb = 1;
    rec.durchz = rec.Abl1 = rec.Abl2 = 0;
    rec.Var.SetzeVar("0", "0", "0", "0", "0", "0");
}

bool LeseFudiDatei(const char* file, FudiTransStructDef& rec) {
    if (!IstFudiDatei(file)) {
        LeereFudiAufgabe(rec);
        return false;
    }
    rec.Is3D = Ja("3d", file);
    Kopiere(rec.Funktion, sizeof rec.Funktion,
            Lies(kFunktion, "f(x,y,z,u,v,w)", "0", kFudiFunktionLesen, file));
    Kleinschreibung(rec.Funktion);
    rec.Linien = Ja("Linien", file);
    rec.farbig = Ja("farbig", file);
    // Black-and-white drawings always get lines.
    if (!rec.farbig) rec.Linien = 1;
    rec.Norm = Ja("Norm", file);
    rec.Grade = static_cast<int>(std::clamp(Zahl("Grade", "10", file), -1e9L, 1e9L));
    rec.x1 = Zahl("x1", "0", file);
    rec.x2 = Zahl("x2", "0", file);
    rec.h1 = Zahl("h1", "0", file);
    rec.h2 = Zahl("h2", "0", file);
    rec.y1 = Zahl("y1", "0", file);
    rec.y2 = Zahl("y2", "0", file);
    rec.xAb = Zahl("xAb", "0", file);
    rec.hAb = Zahl("hAb", "0", file);
    rec.yAb = Zahl("yAb", "0", file);
    rec.Move_Vertical = Zahl("Move_Vertical", "0", file);
    rec.Turn_Round = Zahl("Turn_Round", "0", file);
    // A spacing of 0 (missing or not a number) could never be widened: the default 1 instead.
    if (rec.hAb == 0) rec.hAb = 1;
    // At most 100 ticks on the h axis.
    for (int n = 0; n < 5000 && (rec.h2 - rec.h1) / rec.hAb > 100; ++n) rec.hAb *= 10;
    rec.durchz = Ja("durchz", file);
    rec.Abl1 = Ja("Abl1", file);
    rec.Abl2 = Ja("Abl2", file);
    for (int i = 0; i < 6; ++i) {
        const std::string v = Lies(kVariablen, kVarKeys[i], "0", kFudiVarLesen, file);
        const char* texte[6] = {"", "", "", "", "", ""};
        texte[i] = v.c_str();
        rec.Var.SetzeVar(texte[0], texte[1], texte[2], texte[3], texte[4], texte[5]);
    }
    return true;
}

bool LeseFudiFelder(const char* file, TFudiFelder& felder) {
    if (!IstFudiDatei(file)) return false;
    TFudiFelder f;
    f.Funktion = Lies(kFunktion, "f(x,y,z,u,v,w)", "0", kFudiFunktionLesen, file);
    f.Grade = Lies(kFunktion, "Grade", "10", 100, file);
    f.Is3D = Ja("3d", file);
    f.x1 = Lies(kFunktion, "x1", "-10", 100, file);
    f.x2 = Lies(kFunktion, "x2", "10", 100, file);
    f.h1 = Lies(kFunktion, "h1", "-10", 100, file);
    f.h2 = Lies(kFunktion, "h2", "10", 100, file);
    f.y1 = Lies(kFunktion, "y1", "-10", 100, file);
    f.y2 = Lies(kFunktion, "y2", "10", 100, file);
    f.xAb = Lies(kFunktion, "xAb", "1", 100, file);
    f.hAb = Lies(kFunktion, "hAb", "1", 100, file);
    f.yAb = Lies(kFunktion, "yAb", "1", 100, file);
    f.Move_Vertical = Zahl("Move_Vertical", "0", file);
    f.Turn_Round = Zahl("Turn_Round", "0", file);
    f.durchz = Ja("durchz", file);
    f.markiert = Ja("markiert", file);
    f.Abl1 = Ja("Abl1", file);
    f.farbig = Ja("farbig", file);
    f.Linien = Ja("Linien", file) || !f.farbig;
    f.Norm = Ja("Norm", file);
    f.Abl2 = Ja("Abl2", file);
    for (int i = 0; i < 6; ++i) f.Var[i] = Lies(kVariablen, kVarKeys[i], "0", kFudiVarLesen, file);
    felder = std::move(f);
    return true;
}

bool SchreibeFudiDatei(const char* file, const TFudiFelder& f) {
    if (!file || !*file) return false;
    // Every key in memory first, then the file replaced once: a failure leaves it as it was.
    TPrivateProfile profile;
    if (!profile.Load(file)) return false;
    auto write = [&profile](const char* section, const char* key, const std::string& value) {
        return profile.WriteString(section, key, EineZeile(value).c_str());
    };
    auto jn = [](bool b) { return std::string(b ? "J" : "N"); };
    bool ok = write(kProgramm, "OrvlFuDi", "J") && write(kFunktion, "f(x,y,z,u,v,w)", f.Funktion) &&
              write(kFunktion, "Grade", f.Grade) && write(kFunktion, "3d", jn(f.Is3D)) &&
              write(kFunktion, "x1", f.x1) && write(kFunktion, "x2", f.x2) &&
              write(kFunktion, "h1", f.h1) && write(kFunktion, "h2", f.h2) &&
              write(kFunktion, "y1", f.y1) && write(kFunktion, "y2", f.y2) &&
              write(kFunktion, "xAb", f.xAb) && write(kFunktion, "hAb", f.hAb) &&
              write(kFunktion, "yAb", f.yAb) &&
              write(kFunktion, "Move_Vertical", ZahlText(f.Move_Vertical, 15)) &&
              write(kFunktion, "Turn_Round", ZahlText(f.Turn_Round, 15)) &&
              write(kFunktion, "durchz", jn(f.durchz)) &&
              write(kFunktion, "markiert", jn(f.markiert)) &&
              write(kFunktion, "Abl1", jn(f.Abl1)) && write(kFunktion, "farbig", jn(f.farbig)) &&
              write(kFunktion, "Linien", jn(f.Linien)) && write(kFunktion, "Norm", jn(f.Norm)) &&
              write(kFunktion, "Abl2", jn(f.Abl2));
    for (int i = 0; ok && i < 6; ++i) ok = write(kVariablen, kVarKeys[i], f.Var[i]);
    return ok && profile.Save();
}
