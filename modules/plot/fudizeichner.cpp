#include "fudizeichner.h"

#include "dc.h"
#include "fudirecord.h"
#include "vdfunction.h"
#include "winapi.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

namespace {

const TColor kGitterFarbe = RGB(128, 64, 0);
const TColor kAbl1Farbe = RGB(0, 0, 128);
const TColor kAbl2Farbe = RGB(0, 128, 0);

// Rows and columns far outside the drawing stay far outside without overflowing an int.
constexpr long double kZeilenGrenze = 1e8L;

// A value the drawing can use: defined and finite.
bool Definiert(long double v) {
    return std::isfinite(v) && fabsl(v) < CORRldERR;
}

// The ticks of a grid: from `von` - fmod(`von`, `abstand`) in steps of `abstand` up to `bis`.
// Their count, or -1 when there are more than `grenze` (or the spacing cannot step at all).
long long TickAnzahl(long double von, long double bis, long double abstand, int grenze) {
    const long double erster = von - fmodl(von, abstand);
    const long double n = floorl((bis - erster) / abstand) + 1;
    if (!std::isfinite(n) || n > grenze) return -1;
    // A spacing too small to change the tick value would never reach the end.
    if (erster + abstand == erster || bis + abstand == bis) return -1;
    return n < 0 ? 0 : static_cast<long long>(n);
}

int Spalte(long double von, long double t, long double dx) {
    return static_cast<int>(corrroundl(fabsl((von - t) / dx)));
}

// Appends `wert` to a position list while there is room for the end mark behind it.
void Eintragen(int* liste, int& n, int wert) {
    if (n >= TFudiZeichner::kListen - 1) return;
    liste[n++] = wert;
    liste[n] = TFudiZeichner::kEndeMarke;
}

std::string Beschriftung(long double t) {
    char text[64] = "";
    ldtochar(text, corrroundl(t, 15), 8, true);
    return std::strcmp(text, "-0") == 0 ? "0" : text;
}

} // namespace

TFudiZeichner::TFudiZeichner(FudiTransStructDef* record) : Rec(record) {
    std::fill(std::begin(Vertikal), std::end(Vertikal), int(kEndeMarke));
    std::fill(std::begin(Horizontal), std::end(Horizontal), int(kEndeMarke));
    std::fill(std::begin(VertikalAlt), std::end(VertikalAlt), int(kEndeMarke));
    std::fill(std::begin(HorizontalAlt), std::end(HorizontalAlt), int(kEndeMarke));
}

void TFudiZeichner::ResetListen() {
    for (int* liste : {Vertikal, Horizontal, VertikalAlt, HorizontalAlt})
        std::fill(liste, liste + 100, int(kEndeMarke));
}

int TFudiZeichner::Zeile(long double v, int Bereichb) const {
    // The value interval on a grid of twice the resolution, scaled back: h1 is the bottom row,
    // h2 the top row.
    const long double K = 2.0L * Bereichb + 1;
    const long double schritt = (Rec->h2 - Rec->h1) / K;
    const long double q = v / schritt - Rec->h1 / schritt;
    const long double r = -corrroundl(q);
    long double zeile = Bereichb + static_cast<long double>(Bereichb) / K * r;
    if (!std::isfinite(zeile)) zeile = v > Rec->h1 ? -kZeilenGrenze : kZeilenGrenze;
    zeile = std::clamp(zeile, -kZeilenGrenze, kZeilenGrenze);
    return static_cast<int>(zeile);
}

// ---- grid and axes ----------------------------------------------------------------------------

void TFudiZeichner::ZeichneKoord(HDC DC, int x0, int y0, int Bereichr, int Bereichb, int Updleft,
                                 int Updright, int Updtop, int Updbottom, int y_richtung,
                                 bool solid, bool nurListen) {
    TDC& dc = *TDC::FromHDC(DC);
    std::copy(std::begin(Vertikal), std::end(Vertikal), VertikalAlt);
    std::copy(std::begin(Horizontal), std::end(Horizontal), HorizontalAlt);
    Vertikal[0] = Horizontal[0] = kEndeMarke;
    if (Bereichr <= 0 || Bereichb <= 0 || !(Rec->x2 > Rec->x1) || !(Rec->h2 > Rec->h1)) return;
    dc.SelectObject(TPen(kGitterFarbe, 1, solid ? PS_SOLID : PS_DOT));
    VertikaleLinien(dc, x0, y0, Bereichr, Bereichb, Updleft, Updright, Updtop, Updbottom,
                    y_richtung, nurListen);
    HorizontaleLinien(dc, x0, y0, Bereichr, Bereichb, Updleft, Updright, Updtop, Updbottom,
                      y_richtung, nurListen);
    // In list-only mode too: the 3D drawing joins each slice's grid to the previous one's.
    AlteLinien(dc, x0, y0, y_richtung);
    dc.RestorePen();
}

void TFudiZeichner::VertikaleLinien(TDC& dc, int x0, int y0, int Bereichr, int Bereichb,
                                    int Updleft, int Updright, int Updtop, int Updbottom,
                                    int y_richtung, bool nurListen) {
    const long double x1 = Tauschen ? Rec->y1 : Rec->x1, x2 = Tauschen ? Rec->y2 : Rec->x2,
                      xAb = Tauschen ? Rec->yAb : Rec->xAb;
    if (!(xAb > 0) || !(x2 > x1)) return;
    const long double von = Gespiegelt ? x2 : x1;
    const long double dx = (x2 - x1) / Bereichr;
    const int unten = std::min(Updbottom, Bereichb);
    int n = 0;
    auto linie = [&](int c) {
        dc.MoveTo(x0 + c, y0 + Updtop * y_richtung);
        dc.LineTo(x0 + c, y0 + unten * y_richtung);
    };
    auto achse = [&](int c) {
        if (!nurListen) {
            dc.SelectObject(TPen(kGitterFarbe, 1, PS_SOLID));
            linie(c);
            dc.RestorePen();
        }
    };
    const long long anzahl = TickAnzahl(x1, x2, xAb, kListen - 1);
    if (anzahl < 0) {
        // Too many lines to tell apart: only the y axis.
        const int c = Spalte(von, 0, dx);
        if (x1 <= 0 && 0 <= x2 && Updleft <= c && c <= Updright) {
            achse(c);
            Eintragen(Vertikal, n, -(x0 + c));
        }
        return;
    }
    bool tief = true; // labels alternate between 40 and 20 below the drawing
    long double t = x1 - fmodl(x1, xAb);
    for (long long k = 0; k < anzahl && t <= x2; ++k, t += xAb) {
        if (t < x1) continue;
        const int c = Spalte(von, t, dx);
        if (c < Updleft || c > Updright) continue;
        if (!nurListen) linie(c);
        if (y_richtung < 0 && !nurListen && !Raeumlich) {
            dc.TextOut(x0 + c, y0 - Bereichb - (tief ? 40 : 20), Beschriftung(t).c_str());
            tief = !tief;
        }
        if (-dx < t && t <= dx) {
            achse(c);
            Eintragen(Vertikal, n, -(x0 + c));
        } else {
            Eintragen(Vertikal, n, x0 + c);
        }
    }
}

void TFudiZeichner::HorizontaleLinien(TDC& dc, int x0, int y0, int Bereichr, int Bereichb,
                                      int Updleft, int Updright, int Updtop, int Updbottom,
                                      int y_richtung, bool nurListen) {
    const long double h1 = Rec->h1, h2 = Rec->h2, hAb = Rec->hAb;
    if (!(hAb > 0)) return;
    const long double dh = (h2 - h1) / Bereichb;
    const int rechts = std::min(Updright, Bereichr);
    int n = 0;
    auto linie = [&](int zeile) {
        dc.MoveTo(x0 + Updleft, y0 + zeile * y_richtung);
        dc.LineTo(x0 + rechts, y0 + zeile * y_richtung);
    };
    auto achse = [&](int zeile) {
        if (!nurListen) {
            dc.SelectObject(TPen(kGitterFarbe, 1, PS_SOLID));
            linie(zeile);
            dc.RestorePen();
        }
    };
    const long long anzahl = TickAnzahl(h1, h2, hAb, kListen - 1);
    if (anzahl < 0) {
        const int zeile = Zeile(0, Bereichb);
        if (h1 <= 0 && 0 <= h2 && Updtop <= zeile && zeile <= Updbottom) {
            achse(zeile);
            Eintragen(Horizontal, n, -std::abs(y0 + zeile * y_richtung));
        }
        return;
    }
    long double t = h1 - fmodl(h1, hAb);
    for (long long k = 0; k < anzahl && t <= h2; ++k, t += hAb) {
        if (t < h1) continue;
        const int zeile = Zeile(t, Bereichb);
        if (zeile < Updtop || zeile > Updbottom) continue;
        if (!nurListen) linie(zeile);
        if (y_richtung < 0 && !nurListen && !Raeumlich)
            dc.TextOut(x0 + Bereichr + 20, y0 + zeile * y_richtung, Beschriftung(t).c_str());
        if (-dh < t && t <= dh) {
            achse(zeile);
            Eintragen(Horizontal, n, -std::abs(y0 + zeile * y_richtung));
        } else {
            Eintragen(Horizontal, n, std::abs(y0 + zeile * y_richtung));
        }
    }
}

void TFudiZeichner::AlteLinien(TDC& dc, int x0, int y0, int y_richtung) {
    // Each grid crossing joined to where it lay in the previous drawing (the slice behind in
    // 3D). Rows are kept as distances from the device's row 0.
    (void)x0;
    (void)y0;
    for (int j = 0; j < kListen && Vertikal[j] != kEndeMarke && VertikalAlt[j] != kEndeMarke; ++j) {
        for (int i = 0;
             i < kListen && Horizontal[i] != kEndeMarke && HorizontalAlt[i] != kEndeMarke; ++i) {
            const int xa = std::abs(Vertikal[j]), ya = std::abs(Horizontal[i]) * y_richtung;
            const int xb = std::abs(VertikalAlt[j]), yb = std::abs(HorizontalAlt[i]) * y_richtung;
            if (xa == xb && ya == yb) continue;
            dc.SelectObject(TPen(kGitterFarbe, 1, Vertikal[j] <= 0 ? PS_SOLID : PS_DOT));
            dc.MoveTo(xa, ya);
            dc.LineTo(xb, yb);
            dc.RestorePen();
        }
    }
}

// ---- graphs -----------------------------------------------------------------------------------

bool TFudiZeichner::IsNull(int Art, long double x, long double dx, long double* Wert) const {
    if (!Rec->Diskussion) return false;
    const long double* werte = Art == 0 ? Rec->Nst : Art == 1 ? Rec->Extr : Rec->Wend;
    const int anzahl = std::clamp(Art == 0   ? Rec->NstAnz
                                  : Art == 1 ? Rec->ExtrAnz
                                             : Rec->WendAnz,
                                  0, int(std::size(Rec->Nst)));
    for (int k = 0; k < anzahl; ++k) {
        if (werte[k] >= x - dx / 2 && werte[k] <= x + dx / 2) {
            if (Wert) *Wert = werte[k];
            return true;
        }
    }
    return false;
}

long double TFudiZeichner::Fangpunkt(long double x, long double dx) const {
    // The graph goes exactly through the found points: the last kind found wins.
    long double p = x, w = 0;
    for (int art : {2, 1, 0})
        if (IsNull(art, x, dx, &w)) p = w;
    return p;
}

void TFudiZeichner::ZeichneFunktion(const char* AFunktionIn, int Ableit, HDC DC, int Bereichr,
                                    int Bereichb, int Updleft, int Updright, int y_richtung,
                                    bool zweifarben, bool durchzeichnen) {
    (void)AFunktionIn;
    AnzahlAuswertungen = 0;
    if (!FunkObj || Bereichr <= 0 || Bereichb <= 0 || !(Rec->x2 > Rec->x1) || !(Rec->h2 > Rec->h1))
        return;
    TDC& dc = *TDC::FromHDC(DC);
    const int ordnung = Ableit == 3 ? 0 : std::clamp(Ableit, 0, 2);
    const TPen graph = ordnung == 0   ? TPen(TColor::Black, 1)
                       : ordnung == 1 ? TPen(kAbl1Farbe, zweifarben ? 2 : 1)
                                      : TPen(kAbl2Farbe, zweifarben ? 4 : 1);
    const TPen extremPen(kAbl1Farbe, zweifarben ? 2 : 1);
    const TPen wendePen(kAbl2Farbe, zweifarben ? 4 : 1);
    const bool markieren = ordnung == 0 && Rec->markiert == 1;
    dc.SelectObject(graph);
    dc.SelectObject(TBrush::Null());

    long double werte[6];
    Rec->Var.HoleWerte(werte);
    const long double dx = (Rec->x2 - Rec->x1) / Bereichr;
    const int B = Bereichb;
    unsigned long letzteAnzeige = GetTickCount();
    // The pen path goes out in runs of joined points: one polyline per run is far cheaper
    // than a line per column.
    std::vector<TPoint> zug;
    // The painter may leave the vector registers' upper halves in use, which slows the long
    // double maths of the evaluations after it: they are cleared after every painter call.
    auto flush = [&] {
        if (zug.size() < 2) return;
        dc.Polyline(zug.data(), int(zug.size()));
        VektorRegisterFreigeben();
    };
    auto moveTo = [&](int x, int y) {
        flush();
        zug.assign(1, TPoint(x, y));
    };
    auto lineTo = [&](int x, int y) { zug.emplace_back(x, y); };
    // An undefined point waits for the next inside point, which is then only moved to.
    bool undefVorher = false;
    VektorRegisterFreigeben();
    for (int i = std::max(Updleft, 0); i <= std::min(Updright, Bereichr); ++i) {
        const long double x = Rec->x1 + i * dx;
        if (y_richtung < 0) {
            if (Pumpe) Pumpe();
        } else if (Fortschritt && GetTickCount() - letzteAnzeige >= 250) {
            letzteAnzeige = GetTickCount();
            Fortschritt(Ableit,
                        static_cast<int>(ceill(static_cast<long double>(i) / Bereichr * 100)));
        }
        if (Abbrechen && Abbrechen()) break;
        werte[0] = ordnung == 0 ? Fangpunkt(x, dx) : x;
        long double y = FunkObj->GetPDerivationExt(ordnung, werte, 0, false, 0);
        ++AnzahlAuswertungen;
        const bool undef = FunkObj->GetIsError() || !Definiert(y);
        if (undef) y = 0;
        const int zeile = Zeile(y, B);
        const bool oben = zeile < 0;
        const bool unterhalb = zeile > B;
        const int rand = oben ? 0 : unterhalb ? B : zeile;
        if (i == std::max(Updleft, 0) || i == 0) {
            moveTo(i, rand * y_richtung);
            undefVorher = undef;
        } else if (undef || undefVorher) {
            // Nothing is drawn from or to a point where the function is not defined.
            moveTo(i, rand * y_richtung);
            if (!oben && !unterhalb)
                undefVorher = undef;
            else if (undef)
                undefVorher = true;
        } else if (oben || unterhalb) {
            if (durchzeichnen)
                lineTo(i, rand * y_richtung);
            else
                moveTo(i, rand * y_richtung);
        } else {
            lineTo(i, zeile * y_richtung);
        }
        if (markieren && !oben && !unterhalb && !undef) {
            const int yz = zeile * y_richtung;
            long double w;
            if (IsNull(2, x, dx, &w)) {
                dc.SelectObject(wendePen);
                dc.Ellipse(i - 5, yz - 5, i + 6, yz + 6);
                dc.RestorePen();
            }
            if (IsNull(1, x, dx, &w)) {
                dc.SelectObject(extremPen);
                dc.Ellipse(i - 4, yz - 4, i + 5, yz + 5);
                dc.RestorePen();
            }
            if (IsNull(0, x, dx, &w)) dc.Ellipse(i - 3, yz - 3, i + 4, yz + 4);
            VektorRegisterFreigeben();
        }
    }
    flush();
    dc.RestoreBrush();
    dc.RestorePen();
}
