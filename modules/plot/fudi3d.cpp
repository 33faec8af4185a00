#include "fudi3d.h"

#include "dc.h"
#include "fudirecord.h"
#include "fudizeichner.h"
#include "hoehenfarbe.h"
#include "vdfunction.h"
#include "winapi.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

const TColor kAbl1Farbe = RGB(0, 0, 128);
const TColor kAbl2Farbe = RGB(0, 128, 0);

bool Definiert(long double v) {
    return std::isfinite(v) && fabsl(v) < CORRldERR;
}

// floorl(q) for |q| <= 1e8 (never NaN) without the two switches of the FPU's rounding mode that
// floorl and every conversion of a long double to a whole number cost: the double next to q
// is truncated (which needs no mode), brought down to its floor and then to q's.
long long Abgerundet(long double q) {
    const double d = static_cast<double>(q);
    long long n = static_cast<long long>(d);
    n -= static_cast<double>(n) > d;
    n -= static_cast<long double>(n) > q;
    return n;
}

} // namespace

// The roles of x and y in the current quarter turn.
struct TFudi3dZeichner::Achsen {
    Quadrant q;
    long double lo, hi;  // slice (horizontal) axis
    long double L, U, a; // depth axis and its tick spacing
    bool gespiegelt;     // depth values run from U down
    // The point (x, y) for slice value s at depth t.
    void Punkt(long double s, long double t, const FudiTransStructDef& r, long double& x,
               long double& y) const {
        switch (q) {
        case Q90:
            x = t, y = r.y2 - (s - r.y1);
            break;
        case Q180:
            x = r.x2 - (s - r.x1), y = t;
            break;
        case Q270:
            x = t, y = s;
            break;
        default:
            x = s, y = t;
            break;
        }
    }
};

TFudi3dZeichner::TFudi3dZeichner(FudiTransStructDef* record, TFudiZeichner& gitter)
    : Rec(record), Gitter(gitter) {
    ResetHorizont();
}

void TFudi3dZeichner::ResetHorizont() {
    std::fill(std::begin(HorizontX), std::end(HorizontX), int(kKeinPunkt));
    std::fill(std::begin(HorizontY), std::end(HorizontY), int(kKeinPunkt));
    std::fill(std::begin(HorizontGeklemmt), std::end(HorizontGeklemmt), false);
}

TFudi3dZeichner::Quadrant TFudi3dZeichner::QuadrantVon(long double Turn_Round) {
    if (!std::isfinite(Turn_Round)) return Q0;
    long double w = fmodl(Turn_Round, 360.0L);
    if (w < 0) w += 360;
    if (w >= 89 && w < 179) return Q90;
    if (w >= 179 && w < 269) return Q180;
    if (w >= 269 && w < 359) return Q270;
    return Q0;
}

const char* const* TFudi3dZeichner::Beschriftungen(Quadrant q) {
    static const char* const texte[4][4] = {{"x-", "y+", "x+", "y-"},
                                            {"y+", "x+", "y-", "x-"},
                                            {"x+", "y-", "x-", "y+"},
                                            {"y-", "x-", "y+", "x+"}};
    return texte[q];
}

int TFudi3dZeichner::GradeBegrenzt(int Grade) {
    return std::clamp(Grade, 1, 25);
}

long double TFudi3dZeichner::KippungBegrenzt(long double Move_Vertical) {
    if (!std::isfinite(Move_Vertical)) return 0;
    return std::clamp(Move_Vertical, -0.5L, 1.5L);
}

TFudi3dZeichner::Achsen TFudi3dZeichner::Ansicht() const {
    const FudiTransStructDef& r = *Rec;
    Achsen a{QuadrantVon(r.Turn_Round), 0, 0, 0, 0, 0, false};
    const bool tiefeX = a.q == Q90 || a.q == Q270;
    a.lo = tiefeX ? r.y1 : r.x1;
    a.hi = tiefeX ? r.y2 : r.x2;
    a.L = tiefeX ? r.x1 : r.y1;
    a.U = tiefeX ? r.x2 : r.y2;
    a.a = tiefeX ? r.xAb : r.yAb;
    a.gespiegelt = a.q == Q180 || a.q == Q270;
    return a;
}

// ---- the whole drawing ------------------------------------------------------------------------

void TFudi3dZeichner::MakeZeichne3dFunktion(const char* AFunktionIn, int Ableit, HDC DC,
                                            int Bereichr, int Bereichb, int Updleft, int Updright,
                                            int y_richtung, bool zweifarben, bool durchzeichnen) {
    (void)Updleft;
    AnzahlAuswertungen = 0;
    AnzahlScheiben = 0;
    ResetHorizont();
    Gitter.ResetListen();
    const FudiTransStructDef& r = *Rec;
    const Achsen ax = Ansicht();
    TDC& dc = *TDC::FromHDC(DC);
    const bool flaeche = Bereichr > 0 && Bereichb > 0 && Updright > 0;
    const bool bereiche = r.x2 > r.x1 && r.y2 > r.y1 && r.h2 > r.h1 && std::isfinite(r.x2 - r.x1) &&
                          std::isfinite(r.y2 - r.y1) && std::isfinite(r.h2 - r.h1);
    if (FunkObj && flaeche && bereiche) {
        int G = GradeBegrenzt(r.Grade) * (y_richtung < 0 ? 3 : 1);
        // The horizon holds 800 points per slice: wider drawings get a coarser grid.
        G = std::max(G, (Bereichr + kSpalten - 3) / (kSpalten - 2));
        const long double mv = KippungBegrenzt(r.Move_Vertical);
        const long double L = ax.L, U = ax.U;
        const long double d = (U - L) * G / Updright;
        // The walk from L - d to U + d; positions are counted, not summed up.
        const long anzahl = static_cast<long>(floorl((U + d - (L - d)) / d + 1e-9L)) + 1;
        const long double wachsen = 0.7L * G;
        const long double minB = Bereichr, minH = Bereichb;
        const long double maxB = minB + wachsen * (anzahl - 1);
        const long double maxH = minH + wachsen * (anzahl - 1);
        const long double sx = Bereichr / maxB * 0.95L;
        long double sy = Bereichb / maxH * 0.95L;
        if (mv > 0.5L) sy = (0.935L - (mv - 0.5L) * 0.35L) * sy;
        Gitter.SetzeAnsicht(ax.q == Q90 || ax.q == Q270, ax.q == Q90 || ax.q == Q180, true);

        long double breite = minB * sx, hoehe = minH * sy;
        long double p = 0;
        bool pGesetzt = false;
        for (long n = 0; n < anzahl; ++n) {
            const long double k = L - d + n * d;
            if (Abbrechen && Abbrechen()) break;
            if (y_richtung < 0 && Pumpe) Pumpe();
            if (!pGesetzt && mv > 0.5L) {
                p = (Bereichb - hoehe) * 0.5L - (Bereichb - hoehe) * mv;
                pGesetzt = true;
            }
            long double y0 = (Bereichb - hoehe) * 0.5L - (Bereichb - hoehe) * mv + mv * 10 * sy;
            if (p < 0) y0 -= p;
            const int X0 = static_cast<int>(Bereichr * 0.5L - breite * 0.5L);
            const int Y0 = static_cast<int>(y0);
            const int B = static_cast<int>(breite), H = static_cast<int>(hoehe);
            const long double t = ax.gespiegelt ? U - (k - L) : k;
            const long double gerundet = corrroundl(t);
            if (ax.a > 0 && gerundet >= L && gerundet <= U &&
                fabsl(t - ax.a * corrroundl(t / ax.a)) <= d / 2) {
                Gitter.ZeichneKoord(DC, X0, Y0 * y_richtung, B - 1, H, 0, B, 0, H, y_richtung,
                                    fabsl(t) < 2 * ax.a / 3, false);
            }
            if (L <= k && k < U + d && L <= t && t <= U) {
                Zeichne3dFunktion(t, AFunktionIn, Ableit, DC, X0, Y0, G, B, H, 0, Bereichr,
                                  y_richtung, zweifarben, durchzeichnen);
                Gitter.ZeichneKoord(DC, X0, Y0 * y_richtung, B - 1, H, 0, B, 0, H, y_richtung,
                                    false, true);
                ++AnzahlScheiben;
            }
            breite += wachsen * sx;
            hoehe += wachsen * sy;
            if (y_richtung > 0 && Fortschritt) {
                const long double pr = ceill((k + d - L) * 100 / (U - L));
                if (pr < 100) Fortschritt(static_cast<int>(pr));
            }
        }
        Gitter.SetzeAnsicht(false, false, false);
    }
    if (flaeche) Orientierung(dc, Bereichb, y_richtung, ax.q);
}

// ---- the orientation picture ------------------------------------------------------------------

void TFudi3dZeichner::Orientierung(TDC& dc, int B, int yr, Quadrant q) {
    const int S = yr < 0 ? 2 : 1;
    auto Y = [&](int y) { return y * yr; };
    if (yr < 0 || !Kugel) {
        dc.SelectObject(TPen(TColor::Black, 1));
        dc.SelectObject(TBrush(RGB(192, 192, 192)));
        dc.Ellipse(10 * S, Y(B - 80 * S), 80 * S, Y(B - 10 * S));
        dc.RestoreBrush();
        auto linie = [&](int xa, int ya, int xb, int yb) {
            dc.MoveTo(xa * S, Y(B - ya * S));
            dc.LineTo(xb * S, Y(B - yb * S));
        };
        for (int schwarz = 0; schwarz < 2; ++schwarz) {
            dc.SelectObject(TPen(schwarz ? TColor::Black : TColor::White, 1));
            const int v = schwarz; // the black axes lie one unit to the upper left
            linie(16 - v, 44 + v, 76 - v, 44 + v);
            linie(46 - v, 14 + v, 46 - v, 74 + v);
            linie(66, 64, 24 + v, 22);
            dc.RestorePen();
        }
        dc.RestorePen();
        dc.SetTextColor(RGB(0, 0, 1));
    } else {
        Kugel(dc, TRect(10 * S - 10, B - 80 * S - 10, 80 * S + 13, B - 10 * S + 10));
        dc.SetTextColor(TColor::White);
    }
    dc.SelectObject(TFont("Arial Standard", 15 * S));
    const int altModus = dc.SetBkMode(TRANSPARENT);
    const unsigned altAusrichtung = dc.GetTextAlign();
    const char* const* l = Beschriftungen(q);
    auto text = [&](unsigned ausrichtung, int x, int y, const char* t) {
        dc.SetTextAlign(ausrichtung);
        dc.TextOut(x * S, Y(B - y * S), t);
    };
    text(TA_LEFT | TA_TOP, 13, 47, l[0]);
    text(TA_LEFT | TA_BOTTOM, 48, 11, "h-");
    text(TA_LEFT | TA_TOP, 29, 16, l[1]);
    text(TA_RIGHT | TA_TOP, 78, 59, l[2]);
    text(TA_RIGHT | TA_TOP, 67, 76, l[3]);
    text(TA_LEFT | TA_TOP, 29, 78, "h+");
    dc.SetTextAlign(altAusrichtung);
    dc.SetBkMode(altModus);
    dc.RestoreFont();
}

// ---- one slice --------------------------------------------------------------------------------

bool TFudi3dZeichner::Steigungsfarben(const long double werte[6], int Ableit, long double breite,
                                      int Breite, TColor& oben, TColor& unten) {
    long double w[6];
    std::copy(werte, werte + 6, w);
    const long double gx = FunkObj->GetPDerivationExt(Ableit + 1, w, 0, false, 0);
    if (FunkObj->GetIsError() || !Definiert(gx)) return false;
    std::copy(werte, werte + 6, w);
    const long double gy = FunkObj->GetPDerivationExt(Ableit + 1, w, 1, false, 0);
    if (FunkObj->GetIsError() || !Definiert(gy)) return false;
    const long double g = sqrtl(gx * gx + gy * gy);
    if (!std::isfinite(g)) return false;
    if (g < 0.5L * breite / std::max(Breite, 1) && g < 1) {
        const int t = static_cast<int>(static_cast<long long>(128 / (1 - g) + 128) & 0xFF);
        unten = RGB(255, 255, t);
        oben = RGB(255, t, 255);
        return true;
    }
    long double v = sqrtl(g) * 150, rot = 0;
    if (v + 10 > 245) {
        rot = std::min(v - 255, 255.0L);
        v = 245;
    }
    const long double c1 = std::min(255 - v - 10, 255.0L), c2 = std::min(255 - v, 255.0L),
                      c3 = std::min(255 - rot, 255.0L);
    if (c1 < 0 || c2 < 0 || c3 < 0) {
        unten = oben = TColor::White;
    } else {
        unten = RGB(FarbKomponente(c1), FarbKomponente(c2), FarbKomponente(c3));
        oben = RGB(FarbKomponente(c1), FarbKomponente(c3), FarbKomponente(c2));
    }
    return true;
}

void TFudi3dZeichner::Zeichne3dFunktion(long double Tiefe, const char* AFunktionIn, int Ableit,
                                        HDC DC, int x0, int y0, int Grade, int Breite, int Hoehe,
                                        int Updleft, int Bereichr, int y_richtung, bool zweifarben,
                                        bool durchzeichnen) {
    (void)AFunktionIn;
    if (!FunkObj || Bereichr <= 0 || Hoehe <= 0 || Grade < 1) return;
    const FudiTransStructDef& r = *Rec;
    const Achsen ax = Ansicht();
    TDC& dc = *TDC::FromHDC(DC);
    const bool farbig = r.farbig != 0;
    const bool norm = farbig && r.Norm != 0;
    TColor oben = farbig ? RGB(0, 0, 128) : RGB(192, 192, 192);
    TColor unten = farbig ? RGB(0, 0, 255) : TColor::White;
    const int ordnung = std::clamp(Ableit, 0, 2);
    if (ordnung == 0) {
        if (r.Linien)
            dc.SelectObject(TPen(TColor::Black, 1));
        else
            dc.SelectStockPen(true);
    } else {
        dc.SelectObject(
            TPen(ordnung == 1 ? kAbl1Farbe : kAbl2Farbe, zweifarben ? (ordnung == 1 ? 2 : 4) : 1));
    }
    long double werte[6];
    r.Var.HoleWerte(werte);
    const long double spanne = ax.hi - ax.lo;
    const long double K = 2.0L * Hoehe;
    const int boden = y0 + Hoehe;
    const int nahe = 5 * Grade; // clamped points join only neighbours this close
    int vorX = 0, vorY = 0;
    bool vorGueltig = false, vorGeklemmt = false;
    bool undefVorher = false;
    TDreiecke dreiecke(dc);
    const THoehenFarben hoehenFarbe(boden);
    auto fuelle = [&](const TPoint(&ecke)[3], bool obenSeite) {
        TColor farbe = obenSeite ? oben : unten;
        if (farbig && !norm) farbe = hoehenFarbe(ecke[0].y + ecke[1].y + ecke[2].y, obenSeite);
        TPoint p[3] = {ecke[0], ecke[1], ecke[2]};
        if (y_richtung < 0)
            for (TPoint& q : p) q.y = -q.y;
        dreiecke.DreieckDazu(p, farbe);
    };
    // The slice's values first, all in one go, and then its rows and triangles: the parser's
    // calls follow one another as before, without the drawing's work between them, and none
    // waits on vector registers the painter left in use.
    VektorRegisterFreigeben();
    int punkte = 0;
    for (; punkte < kSpalten - 1; ++punkte) {
        const long double s = ax.lo + punkte * spanne * Grade / Bereichr;
        if (s > ax.hi) break;
        ax.Punkt(s, Tiefe, r, werte[0], werte[1]);
        // The surface itself through the parser's direct path (the same value).
        long double v = ordnung == 0 ? FunkObj->GetResultExt(werte)
                                     : FunkObj->GetPDerivationExt(ordnung, werte, 0, false, 0);
        const bool undef = FunkObj->GetIsError() || !Definiert(v);
        if (norm && !undef) Steigungsfarben(werte, ordnung, spanne, Breite, oben, unten);
        Wert[punkte] = undef ? 0 : v;
        Undefiniert[punkte] = undef;
        if (norm) ObenFarbe[punkte] = oben, UntenFarbe[punkte] = unten;
    }
    AnzahlAuswertungen += punkte;
    // Whole-number division truncates like the written long double one where the left edge
    // is not negative; the quotient i * Grade * Breite / Bereichr is kept up from one point to
    // the next by its step's quotient and remainder.
    const long long schritt = static_cast<long long>(Grade) * Breite;
    const bool ganzzahlig = x0 + Updleft >= 0 && schritt >= 0;
    const long long schrittGanz = schritt / Bereichr, schrittRest = schritt % Bereichr;
    long long ganz = 0, rest = 0;
    for (int i = 0; i < punkte; ++i) {
        const int spalte =
            ganzzahlig ? x0 + Updleft + static_cast<int>(ganz)
                       : static_cast<int>(x0 + Updleft +
                                          static_cast<long double>(i) * Grade * Breite / Bereichr);
        ganz += schrittGanz, rest += schrittRest;
        if (rest >= Bereichr) ++ganz, rest -= Bereichr;
        const long double v = Wert[i];
        const bool undef = Undefiniert[i];
        if (norm) oben = ObenFarbe[i], unten = UntenFarbe[i];
        // The row on a grid of twice the slice's height, halved back.
        long double q = (v - r.h1) * K / (r.h2 - r.h1);
        q = std::clamp(q, -1e8L, 1e8L);
        // The row boden - floor(q) / 2, as twice the row in whole numbers: rows more than 0.9
        // above the slice or below its bottom are the odd ones off it, and the row's whole
        // part is the quotient towards zero.
        const long long zweimal = 2LL * boden - Abgerundet(q);
        const bool ausserhalb = zweimal <= 2LL * y0 - 2 || zweimal >= 2LL * boden + 2;
        bool geklemmt = false;
        int Z = static_cast<int>(zweimal / 2);
        if (ausserhalb && durchzeichnen && !undef) {
            Z = zweimal < 2LL * y0 ? y0 : boden;
            geklemmt = true;
        }
        const bool gueltig = !undef && (!ausserhalb || geklemmt);
        if (undef || undefVorher || !gueltig) {
            // No triangle touches an undefined point, the one after it or a point off the slice.
            HorizontX[i] = HorizontY[i] = kKeinPunkt;
            undefVorher = undef;
            vorGueltig = false;
            continue;
        }
        undefVorher = false;
        auto nahGenug = [&](int za, bool ka, int zb, bool kb) {
            return !(ka || kb) || std::abs(za - zb) <= nahe;
        };
        const bool hI = HorizontX[i] != kKeinPunkt, hI1 = HorizontX[i + 1] != kKeinPunkt;
        const bool obenSeite = !hI || Z <= HorizontY[i];
        if (hI && hI1 && nahGenug(Z, geklemmt, HorizontY[i], HorizontGeklemmt[i]) &&
            nahGenug(Z, geklemmt, HorizontY[i + 1], HorizontGeklemmt[i + 1])) {
            const TPoint ecke[3] = {TPoint(HorizontX[i], HorizontY[i]),
                                    TPoint(HorizontX[i + 1], HorizontY[i + 1]), TPoint(spalte, Z)};
            fuelle(ecke, obenSeite);
        }
        if (i > 0 && hI && vorGueltig && nahGenug(Z, geklemmt, vorY, vorGeklemmt) &&
            nahGenug(Z, geklemmt, HorizontY[i], HorizontGeklemmt[i])) {
            const TPoint ecke[3] = {TPoint(vorX, vorY), TPoint(HorizontX[i], HorizontY[i]),
                                    TPoint(spalte, Z)};
            fuelle(ecke, obenSeite);
        }
        HorizontX[i] = spalte;
        HorizontY[i] = Z;
        HorizontGeklemmt[i] = geklemmt;
        vorX = spalte, vorY = Z, vorGueltig = true, vorGeklemmt = geklemmt;
    }
    dreiecke.Zeichne();
    dc.RestorePen();
}
