#include "nullstaufgabe.h"

#include "controls.h"
#include "vdparser.h"

#include <cstring>

TNullstAufgabe::TNullstAufgabe() : record_(std::make_unique<FudiTransStructDef>()) {
    FudiTransStructDef& r = *record_;
    r.x1 = r.h1 = r.y1 = -10;
    r.x2 = r.h2 = r.y2 = 10;
    std::strcpy(r.Funktion, "0");
    r.IntGenauigkeit = 100;
    r.DiskDichte = 100;
    r.xAb = r.yAb = r.hAb = 1;
    r.Grade = 10;
    for (int k = 0; k < 3; ++k) listen_[k] = std::make_unique<TListBoxData>();
    r.NstText = listen_[0].get();
    r.ExtrText = listen_[1].get();
    r.WendText = listen_[2].get();
    const long double none[5] = {0, 0, 0, 0, 0};
    SetzeVariablen(none);
}

TNullstAufgabe::~TNullstAufgabe() = default;

bool TNullstAufgabe::SetzeFunktion(const std::string& text) {
    if (text.size() > kMaxFunktion) return false;
    std::memcpy(record_->Funktion, text.c_str(), text.size() + 1);
    return true;
}

void TNullstAufgabe::SetzeVariablen(const long double yzuvw[5]) {
    TTlkFETransStructDef& v = record_->Var;
    char* texte[5] = {v.y, v.z, v.u, v.v, v.w};
    long double* werte[5] = {&v.yWert, &v.zWert, &v.uWert, &v.vWert, &v.wWert};
    std::strcpy(v.x, "0");
    v.xWert = 0;
    for (int i = 0; i < 5; ++i) {
        ldtochar(texte[i], yzuvw[i], 26, true);
        *werte[i] = yzuvw[i];
    }
    v.Gesetzt = 1;
}

std::vector<std::string> TNullstAufgabe::Zeilen(int k) const {
    const TListBoxData* listen[3] = {record_->NstText, record_->ExtrText, record_->WendText};
    if (k < 0 || k > 2 || !listen[k]) return {};
    return listen[k]->GetStrings();
}
