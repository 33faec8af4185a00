// The printout of the stochastics window: the distribution with its description, formula and
// (for the normal and chi-square distributions) the integral sign with its bounds, the values
// and the results.
#include "dc.h"
#include "stochcore.h"
#include "tstochastik.h"
#include "vdfunction.h"
#include "vdprint.h"

#include <ctime>
#include <string>
#include <vector>

namespace {

struct TDruckText {
    const char* Titel;
    const char* Zeile1;
    const char* Zeile2;
    const char* Marke;
    const char* Formel; // null: the formula of the distribution
};

const TDruckText kDruck[kVerteilungen] = {
    {"Binomialverteilung:",
     "Einer Urne mit u Kugeln, darunter v roten, werden nacheinander mit Zurücklegen w Kugeln "
     "entnommen.",
     "Die Zufallsvariable X gibt die Anzahl der gezogenen roten Kugeln an.", "P(X=x)=", nullptr},
    {"Hypergeometrische Verteilung:",
     "Einer Urne mit u Kugeln, darunter v roten, werden nacheinander ohne Zurücklegen w Kugeln "
     "entnommen.",
     "Die Zufallsvariable X gibt die Anzahl der gezogenen roten Kugeln an.", "P(X=x)=", nullptr},
    {"Normalverteilung:", "Die Zufallsvariable X mit den Werten x aus IR, E(X)=y",
     "und der Standardabweichung z>0 ist N(y;z)-verteilt.",
     "P(X<=x)=", "1/(z*sqrt(2*pi))*e^(-1/2*((s-y)/z)^2)"},
    {"Poisson-Verteilung:",
     "Die Zufallsvariable X mit den Werten x=0,1,2,3,... und dem Parameter y ist "
     "Poisson-verteilt.",
     "Der Erwartungswert ist E(X)=y, die Varianz ist V(X)=y.", "P(X=x)=", "(y^x)/(x!)*exp(-y)"},
    {"Chi-Quadrat:", "X²:=U1²+...+Uv² ist die X²-Verteilung mit v Freiheitsgraden.",
     "U1,...,Uv sind unabhängige normalverteilte Zufallsvariablen mit E(Un)=0 und V(Un)=1, "
     "n=1,..,v.",
     "P(X²>=x)=", "(s^(v/2-1)*exp(-s/2))/(2^(v/2)*GAMMA(v/2))"},
};

} // namespace

void TStochastik::CurrPrintout(bool Vorschau, TDC& dc, bool, TRect&, int) {
    vdFuncTrace("void TStochastik::CurrPrintout(bool, TDC&, bool, TRect&, int)");
    const int v = Verteilung >= 0 && Verteilung < kVerteilungen ? Verteilung : 0;
    const TDruckText& d = kDruck[v];
    const bool integral = v == kNormal || v == kChiQuadrat;
    dc.SetBkMode(TRANSPARENT);
    const unsigned oldAlign = dc.SetTextAlign(TA_LEFT | TA_TOP);

    dc.SelectObject(TFont("Arial Standard", 20, 0, 0, 0, 400, false, false, false, Vorschau ? 3 : 0,
                          Vorschau ? 2 : 0, 2, Vorschau ? 1 : 2));
    const std::time_t now = std::time(nullptr);
    const std::tm* local = std::localtime(&now);
    const std::string header =
        "Orvelin 5.0 - Stochastik - " + std::to_string(local ? local->tm_year + 1900 : 2025);
    dc.TextOut(25, -400, header.c_str());
    dc.RestoreFont();

    dc.SelectObject(TFont("Arial Standard", 40, 0, 0, 0, FW_NORMAL, false, false, false,
                          Vorschau ? 3 : 0, Vorschau ? 2 : 0, 2, 1));
    dc.TextOut(25, -500, d.Titel);
    dc.TextOut(300, -550, d.Zeile1);
    dc.TextOut(300, -600, d.Zeile2);
    dc.TextOut(25, -700, d.Marke);

    vdFormFuncOutput form(d.Formel ? d.Formel : VerteilungsDaten(v).Formel, 90);
    std::vector<char> line(vdFormOutput::MaxText + 1, '\0');
    int n = 0;
    while (form.GetErr() == 0) {
        form.GetLine(line.data(), n + 1);
        if (form.GetErr() != 0) break;
        std::string text = line.data();
        if (n == 0 && integral) text += "   ds";
        ++n;
        dc.TextOut(350, -50 * n - 650, text.c_str());
    }
    const int a = 50 * (n + 1) + 100;
    const int c = -a - 500;
    // The note on E and V stands in the free row beside "Variablen": on the formula's row it
    // would be printed over a formula longer than about 25 characters.
    const int note = -a - 600;
    dc.SelectObject(TPen(TColor::Black, 1));
    dc.MoveTo(0, -a - 575);
    dc.LineTo(2100, -a - 575);
    dc.RestorePen();
    if (integral) {
        dc.SelectObject(TPen(TColor::Black, 2));
        dc.MoveTo(310, c - 5);
        dc.LineTo(320, c + 5);
        dc.LineTo(320, c + 45);
        dc.LineTo(330, c + 55);
        dc.RestorePen();
        dc.TextOut(300, c - 5, v == kNormal ? "-oo" : "x");
        dc.TextOut(300, c + 95, v == kNormal ? "x" : "oo");
    }

    auto feld = [this](int id) { return Feldtext(id, 100); };
    dc.TextOut(25, -a - 600, "Variablen");
    dc.TextOut(25, -a - 650, "x-Wert:");
    dc.TextOut(300, -a - 650, feld(204).c_str());
    switch (v) {
    case kNormal:
        dc.TextOut(25, -a - 700, "y-Wert:");
        dc.TextOut(300, -a - 700, feld(502).c_str());
        dc.TextOut(25, -a - 750, "z-Wert:");
        dc.TextOut(300, -a - 750, feld(504).c_str());
        break;
    case kPoisson:
        dc.TextOut(25, -a - 700, "y-Wert:");
        dc.TextOut(300, -a - 700, feld(502).c_str());
        break;
    case kChiQuadrat:
        dc.TextOut(900, -a - 700, "v-Wert:");
        dc.TextOut(1175, -a - 700, feld(513).c_str());
        dc.TextOut(25, -a - 900, "E(X²):");
        dc.TextOut(300, -a - 900, feld(517).c_str());
        dc.TextOut(25, -a - 950, "V(X²):");
        dc.TextOut(300, -a - 950, feld(518).c_str());
        dc.TextOut(900, note, "mit E(X²)=v, V(X²)=2*v");
        break;
    default: {
        const char* const labels[3] = {"u-Wert:", "v-Wert:", "w-Wert:"};
        const int ids[3] = {511, 513, 515};
        for (int i = 0; i < 3; ++i) {
            dc.TextOut(900, -a - 650 - 50 * i, labels[i]);
            dc.TextOut(1175, -a - 650 - 50 * i, feld(ids[i]).c_str());
        }
        dc.TextOut(25, -a - 900, "E(X):");
        dc.TextOut(300, -a - 900, feld(517).c_str());
        dc.TextOut(25, -a - 950, "V(X):");
        dc.TextOut(300, -a - 950, feld(518).c_str());
        dc.TextOut(900, note,
                   v == kBinomial ? "mit E(X)=w*p, V(X)=w*p*q und p=v/u, q=1-p"
                                  : "mit E(X)=w*p, V(X)=w*p*q*(u-w)/(u-1) und p=v/u, q=1-p");
        break;
    }
    }
    dc.TextOut(25, -a - 850, "Ergebnis:");
    dc.TextOut(300, -a - 850, feld(205).c_str());
    dc.RestoreFont();
    dc.SetTextAlign(oldAlign);
}
