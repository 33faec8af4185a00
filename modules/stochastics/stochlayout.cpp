// Dialog 101 of "STOCHAST.DLL": the list of distributions above, the description and formula
// picture of the chosen one, the value fields, the result panel, the buttons on the right and
// the info field. The controls of the five distributions lie on top of each other; the window
// shows only those of the chosen one. The tiny button 10000 marks the bottom-right corner.
#include "dlgres.h"

namespace {

void Feld(TDlgResource& r, int labelId, const char* label, int id, int x, int y) {
    r.items.push_back({labelId, TCtlKind::Static, label, x, y + 2, 14, 9});
    r.items.push_back({id, TCtlKind::Edit, "0", x + 14, y, 80, 12});
}

TDlgResource StochastikLayout() {
    TDlgResource r;
    r.caption = "Stochastik";
    r.cx = 400, r.cy = 244;
    auto& it = r.items;
    it.push_back({1019, TCtlKind::Static, "", 0, 0, 400, 22});
    it.push_back({1020, TCtlKind::Static, "&Verteilung:", 8, 7, 44, 9});
    it.push_back({202, TCtlKind::ComboBox, "", 54, 5, 110, 70, CBS_DROPDOWNLIST});

    // Descriptions, formula pictures and the E/V formulas of each distribution.
    const int dx = 8, dy = 28, dw = 156, dh = 72;
    const int px = 170, py = 28, pw = 156, ph = 70;
    it.push_back({407, TCtlKind::Static,
                  "Binomialverteilung: Einer Urne mit u Kugeln, darunter v roten, werden "
                  "nacheinander mit Zurücklegen w Kugeln entnommen. Die Zufallsvariable X gibt "
                  "die Anzahl der gezogenen roten Kugeln an.",
                  dx, dy, dw, dh});
    it.push_back({408, TCtlKind::Frame, "", px, py, pw, ph});
    it.push_back({422, TCtlKind::Static, "mit p=v/u und q=1-p", px, py + ph + 2, pw, 9});
    it.push_back({425, TCtlKind::Static,
                  "Hypergeometrische Verteilung: Einer Urne mit u Kugeln, darunter v roten, "
                  "werden nacheinander ohne Zurücklegen w Kugeln entnommen. Die Zufallsvariable "
                  "X gibt die Anzahl der gezogenen roten Kugeln an.",
                  dx, dy, dw, dh});
    it.push_back({426, TCtlKind::Frame, "", px, py, pw, ph});
    it.push_back({430, TCtlKind::Static,
                  "Normalverteilung: Die Zufallsvariable X mit den Werten x aus IR, dem "
                  "Erwartungswert E(X)=y und der Standardabweichung z>0 ist N(y;z)-verteilt.",
                  dx, dy, dw, dh});
    it.push_back({451, TCtlKind::Frame, "", px, py, pw, ph});
    it.push_back({812, TCtlKind::Static,
                  "Poisson-Verteilung: Die Zufallsvariable X mit den Werten x=0,1,2,3,... und dem "
                  "Parameter y ist Poisson-verteilt. Der Erwartungswert ist E(X)=y, die Varianz "
                  "ist V(X)=y.",
                  dx, dy, dw, dh});
    it.push_back({813, TCtlKind::Frame, "", px, py, pw, ph});
    it.push_back({912, TCtlKind::Static,
                  "Chi-Quadrat-Verteilung: X²:=U1²+...+Uv² ist X²-verteilt mit v "
                  "Freiheitsgraden. U1,...,Uv sind unabhängige normalverteilte Zufallsvariablen "
                  "mit E(Un)=0 und V(Un)=1.",
                  dx, dy, dw, dh});
    it.push_back({913, TCtlKind::Frame, "", px, py, pw, ph});

    // The value fields: x, y, z on the left, u, v, w beside them.
    Feld(r, 203, "x =", 204, 8, 112);
    Feld(r, 501, "y =", 502, 8, 128);
    Feld(r, 503, "z =", 504, 8, 144);
    Feld(r, 510, "u =", 511, 112, 112);
    Feld(r, 512, "v =", 513, 112, 128);
    Feld(r, 514, "w =", 515, 112, 144);

    // The result panel.
    it.push_back({208, TCtlKind::Frame, "", 8, 162, 318, 50});
    for (int id : {516, 506, 917}) {
        static const char* const labels[3] = {"P(X=x) =", "P(X<=x) =", "P(X²>=x) ="};
        const int i = id == 516 ? 0 : id == 506 ? 1 : 2;
        it.push_back({id, TCtlKind::Static, labels[i], 14, 170, 50, 9});
    }
    it.push_back({205, TCtlKind::Edit, "kein Ergebnis", 66, 168, 130, 12, ES_READONLY});
    it.push_back({519, TCtlKind::Static, "E(X) =", 14, 186, 34, 9});
    it.push_back({819, TCtlKind::Static, "E(X²) =", 14, 186, 34, 9});
    it.push_back({517, TCtlKind::Edit, "kein Ergebnis", 50, 184, 110, 12, ES_READONLY});
    it.push_back({520, TCtlKind::Static, "V(X) =", 166, 186, 34, 9});
    it.push_back({820, TCtlKind::Static, "V(X²) =", 166, 186, 34, 9});
    it.push_back({518, TCtlKind::Edit, "kein Ergebnis", 202, 184, 118, 12, ES_READONLY});
    it.push_back({405, TCtlKind::Static, "E(X)=w*p", 14, 200, 148, 9});
    it.push_back({406, TCtlKind::Static, "V(X)=w*p*q", 166, 200, 156, 9});
    it.push_back({423, TCtlKind::Static, "E(X)=w*p", 14, 200, 148, 9});
    it.push_back({424, TCtlKind::Static, "V(X)=w*p*q*(u-w)/(u-1)", 166, 200, 156, 9});
    it.push_back({915, TCtlKind::Static, "E(X²)=v", 14, 200, 148, 9});
    it.push_back({916, TCtlKind::Static, "V(X²)=2*v", 166, 200, 156, 9});

    it.push_back({201, TCtlKind::PushButton, "&Berechne...", 332, 6, 60, 14, BS_DEFPUSHBUTTON});
    it.push_back({212, TCtlKind::PushButton, "&Laden", 332, 26, 60, 14});
    it.push_back({211, TCtlKind::PushButton, "&Speichern", 332, 42, 60, 14});
    it.push_back({218, TCtlKind::PushButton, "&Drucken", 332, 58, 60, 14});
    it.push_back({302, TCtlKind::PushButton, "&Hilfe", 332, 78, 60, 14});
    it.push_back({2, TCtlKind::PushButton, "&Beenden", 332, 94, 60, 14});
    it.push_back({232, TCtlKind::PushButton, "&k", 332, 114, 28, 14});
    it.push_back({216, TCtlKind::Static, "", 8, 218, 384, 20, SS_SUNKEN});
    it.push_back({10000, TCtlKind::PushButton, "", 396, 240, 2, 2, WS_NOTVISIBLE});
    return r;
}

const TDialogResourceRegistrar registrar("STOCHAST.DLL", 101, StochastikLayout());

} // namespace
