// The search of roots, extrema and inflection points: the grid scan of f, f', f'' and f''',
// the refinement of every candidate by halving, and the cross-check between the orders.
//
// Lines of the lists: a candidate is an x text; "r" after it marks the first undefined point of
// a region, "l" the first defined point after one. A result line is "x,value" followed by the
// classification; it is the only kind of line with a ",".
#include "controls.h"
#include "talk.h"
#include "tnullstellen.h"
#include "vdfunction.h"
#include "winapi.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

namespace {

// Evaluations of one call per derivative order (the difference quotients).
constexpr int kGewicht[4] = {1, 2, 3, 5};
// The message loop runs at most this often (ms); the displays once a second.
constexpr unsigned long kDurchreichenMs = 20;
constexpr long double kJenseits = std::numeric_limits<long double>::infinity();

std::string Zahl(long double x, int digits) {
    char text[64];
    ldtochar(text, x, digits, true);
    if (std::strcmp(text, "-0") == 0) return "0";
    return text;
}

// Lines count as equal without regard to the letter case of an exponent letter.
std::string Schluessel(const std::string& zeile) {
    std::string key = zeile;
    for (char& c : key)
        if (c >= 'a' && c <= 'z') c = char(c - 'a' + 'A');
    return key;
}

bool IstErgebnis(const std::string& zeile) {
    return zeile.find(',') != std::string::npos;
}

} // namespace

bool TNullstellen::Wert(int k, long double x, bool scan, long double& y) {
    Werte[0] = x;
    y = FunkObj->GetPDerivationExt(k, Werte, 0, scan, 0);
    Auswertungen += kGewicht[k];
    return !FunkObj->GetIsError();
}

long double TNullstellen::Durchreichen() {
    // Reading the clock costs a good part of an evaluation: it is read every 32nd step.
    if (++Schritte % 32 != 0) return Uhr;
    const unsigned long jetzt = GetTickCount();
    Uhr = jetzt;
    if (jetzt - LetztesDurchreichen < PauseDurchreichen) return jetzt;
    PumpWaitingMessages();
    // Repainting long lists can take longer than the pause: the calculation keeps at least
    // two thirds of the time.
    LetztesDurchreichen = GetTickCount();
    PauseDurchreichen = std::max(kDurchreichenMs, 2 * (LetztesDurchreichen - jetzt));
    Uhr = LetztesDurchreichen;
    return Uhr;
}

void TNullstellen::Fortschritt(long double x, long double jetzt) {
    if (!(jetzt > LetzteAnzeige + 1000)) return;
    const long double a = NullstStruct->x1, b = NullstStruct->x2, h = NAbstand;
    const long double dauer = jetzt - StartZeit;
    Anzeige(kGeschaetzt,
            ceill(fabsl(dauer * ((b + 2 * h) - (a - 2 * h)) * 11 / (h * Aufwand)) * 0.001L), 6);
    LetzteAnzeige += 1000;
    Anzeige(kVergangen, ceill(dauer * 0.001L), 6);
    Anzeige(kIntervallX, x, 8);
}

// The lines of each list are kept beside the list box as well, so that looking for a line and
// reading one cost no trip through the window.
bool TNullstellen::Vorhanden(int k, const std::string& zeile) const {
    return Gleiche[k].count(Schluessel(zeile)) > 0;
}

void TNullstellen::ZeileEinfuegen(int k, int i, const std::string& zeile) {
    if (i < 0 || i > int(Zeilen[k].size())) i = int(Zeilen[k].size());
    Zeilen[k].insert(Zeilen[k].begin() + i, zeile);
    ++Gleiche[k][Schluessel(zeile)];
    Liste(k)->InsertString(zeile.c_str(), i);
}

void TNullstellen::ZeileEntfernen(int k, int i) {
    auto it = Gleiche[k].find(Schluessel(Zeilen[k][size_t(i)]));
    if (--it->second == 0) Gleiche[k].erase(it);
    Zeilen[k].erase(Zeilen[k].begin() + i);
    Liste(k)->DeleteString(i);
}

void TNullstellen::Anhaengen(int k, const std::string& text, bool immer) {
    if (immer || !Vorhanden(k, text)) ZeileEinfuegen(k, -1, text);
}

// ---- the scan -------------------------------------------------------------------------------

long double TNullstellen::uebrGehe(int Ableit, long double iterWertue, long double NAbstand) {
    vdFuncTrace("long double TNullstellen::uebrGehe(int, long double, long double)");
    if (!NullstStruct || Ableit < 0 || Ableit > 3) return kJenseits;
    const long double ende = NullstStruct->x2 + 2 * NAbstand;
    long double x = iterWertue, y = 0;
    bool definiert = false;
    do {
        if (Abbruch == 1) return kJenseits;
        const long double jetzt = Durchreichen();
        const long double weiter = x + NAbstand;
        // Where the step vanishes in the number format the scan could never get past x.
        if (!(weiter > x)) return kJenseits;
        x = weiter;
        definiert = Wert(Ableit, x, true, y);
        Aufwand += kGewicht[Ableit];
        Fortschritt(x, jetzt);
    } while (!definiert && x <= ende);
    return x;
}

void TNullstellen::Nullstellen(int Ableit) {
    vdFuncTrace("void TNullstellen::Nullstellen(int)");
    if (!NullstStruct || Ableit < 0 || Ableit > 3) return;
    const int k = Ableit;
    const long double h = NAbstand;
    const long double ende = NullstStruct->x2 + 2 * h;
    Gefunden = 0;
    long double x = NullstStruct->x1 - 2 * h, y = 0;
    const bool definiert = Wert(k, x, true, y);
    Aufwand += kGewicht[k];
    if (!definiert) {
        x = uebrGehe(k, x, h);
        if (x <= ende) Anhaengen(k, Zahl(x, 26) + "l", true);
    }
    if (!(x <= ende)) return;
    Wert(k, x, true, y);
    Aufwand += kGewicht[k];
    x += h;
    int g = y > 0 ? 1 : y < 0 ? -1 : 0;
    while (x <= ende && Abbruch == 0) {
        Fortschritt(x, Durchreichen());
        const bool def = Wert(k, x, true, y);
        Aufwand += kGewicht[k];
        if (!def) {
            Anhaengen(k, Zahl(x, 26) + "r", true);
            x = uebrGehe(k, x, h);
            if (x <= ende) Anhaengen(k, Zahl(x, 26) + "l", true);
            g = 0;
            continue;
        }
        // The candidate lies half a step to the right of the first point with the new sign.
        if ((y > 0 && g == -1) || (y < 0 && g == 1)) Anhaengen(k, Zahl(x + h / 2, 26), false);
        if (y > 0) {
            Gefunden = 1;
            g = 1;
        } else if (y < 0) {
            Gefunden = 1;
            g = -1;
        }
        const long double weiter = x + h;
        if (!(weiter > x)) break;
        x = weiter;
    }
}

// ---- refinement and cross-check -------------------------------------------------------------

void TNullstellen::ndNullstellenVerb(int Ableit, bool naeher) {
    vdFuncTrace("void TNullstellen::ndNullstellenVerb(int, int)");
    TListBox* liste = Liste(Ableit);
    if (!NullstStruct || !liste) return;
    const std::vector<std::string>& zeilen = Zeilen[Ableit];
    int start = 0;
    int fertig = 0;
    while (fertig == 0) {
        fertig = Abbruch;
        const int n = int(zeilen.size());
        int i = start;
        while (i < n && IstErgebnis(zeilen[size_t(i)])) ++i;
        if (i >= n) break;
        const std::string zeile = zeilen[size_t(i)];
        liste->SetSelIndex(i);
        if (naeher)
            Verbessere(Ableit, i, zeile);
        else
            Pruefe(Ableit, i, zeile);
        start = i;
    }
}

std::string TNullstellen::Bewertung(int k, long double x, bool naeher) {
    std::string text;
    if (k == 0) {
        text = "0";
    } else {
        long double f = 0;
        Wert(0, x, false, f);
        if (naeher && fabsl(f) < 1e-8L) f = 0;
        text = Zahl(corrroundl(f, 10), 10);
    }
    long double d = 0;
    if (k == 1) {
        if (!Wert(2, x, false, d))
            text += " ?";
        else if (d < -1e-8L)
            text += " H";
        else if (d > 1e-8L)
            text += " T";
        else
            text += " S";
    } else if (k == 2) {
        if (!Wert(3, x, false, d) || d == 0)
            text += " ?";
        else
            text += d < 0 ? " lr" : " rl";
    }
    return text;
}

void TNullstellen::Einfuegen(int k, int i, const std::string& zeile, long double x) {
    if (Vorhanden(k, zeile)) return;
    ZeileEinfuegen(k, i, zeile);
    FudiTransStructDef& r = *NullstStruct;
    long double* werte[3] = {r.Nst, r.Extr, r.Wend};
    int* anzahl[3] = {&r.NstAnz, &r.ExtrAnz, &r.WendAnz};
    if (k < 3 && *anzahl[k] < kFudiMaxWerte) werte[k][(*anzahl[k])++] = x;
}

void TNullstellen::Verbessere(int k, int i, const std::string& zeile) {
    const char art = zeile.empty() ? '\0' : zeile.back();
    const bool rechts = art == 'r', links = art == 'l';
    const std::string zahl = rechts || links ? zeile.substr(0, zeile.size() - 1) : zeile;
    const long double h = NAbstand, a = NullstStruct->x1, b = NullstStruct->x2;
    long double x0 = chartold(zahl.c_str(), nullptr);
    if (rechts) x0 -= h;
    long double y0 = 0;
    Wert(k, x0, false, y0);
    const int s = y0 >= 0 ? 1 : 0;
    if (y0 == 0) x0 += rechts ? -h / 2 : h / 2;
    long double d = h / 2;
    bool gefunden = false, halt = false;
    long double treffer = 0; // the last accepted probe
    if (!rechts) {
        while (x0 - d >= a - h && !halt && d > 1e-20L) {
            Durchreichen();
            if (Abbruch == 1) halt = true;
            const long double p = x0 - d;
            long double yp = 0;
            if (!Wert(k, p, false, yp) || yp >= GetCORRldERR()) {
                d /= 2;
                continue;
            }
            const bool nimm =
                corrroundl(yp, 3) == 0 ||
                (!links && (corrroundl(yp, 0) == 0 || NullstStruct->NStErzwingen == 1));
            if (nimm) {
                if (yp == 0) halt = true;
                treffer = p;
                gefunden = true;
            }
            if ((yp < 0 && s == 1) || (yp > 0 && s == 0)) {
                d /= 2;
            } else {
                if (x0 - d == x0) halt = true;
                x0 -= d;
            }
        }
    } else {
        // Closes in on the border of the undefined region from the defined side.
        while (x0 + d <= b + h && !halt && d > 1e-20L) {
            Durchreichen();
            if (Abbruch == 1) halt = true;
            const long double p = x0 + d;
            long double yp = 0;
            const bool def = Wert(k, p, false, yp);
            if (def && corrroundl(yp * 1000) * 0.001L == 0) {
                if (yp == 0) halt = true;
                treffer = p;
                gefunden = true;
            }
            if (!def) {
                d /= 2;
            } else {
                if (x0 + d == x0) halt = true;
                x0 += d;
            }
        }
    }
    ZeileEntfernen(k, i);
    if (!gefunden) return;
    const long double xt = fabsl(treffer) < 1e-8L ? 0 : treffer;
    Einfuegen(k, i, Zahl(xt, 10) + "," + Bewertung(k, treffer, true), x0);
}

void TNullstellen::Pruefe(int k, int i, const std::string& zeile) {
    const long double x0 = chartold(zeile.c_str(), nullptr);
    long double y = 0;
    const bool def = Wert(k, x0, false, y);
    char text[64];
    ldtochar(text, corrroundl(y, 8), 10, true);
    const long double r = chartold(text, nullptr);
    ZeileEntfernen(k, i);
    if (r == 0 && x0 >= NullstStruct->x1 - NAbstand && def)
        Einfuegen(k, i, zeile + "," + Bewertung(k, x0, false), x0);
}

void TNullstellen::Uebertrage(int from, int to) {
    const size_t n = Zeilen[from].size();
    for (size_t i = 0; i < n; ++i) {
        Durchreichen();
        const std::string& zeile = Zeilen[from][i];
        ZeileEinfuegen(to, -1, zeile.substr(0, zeile.find(',')));
    }
}

void TNullstellen::Diskussion() {
    StartZeit = LetzteAnzeige = Uhr = GetTickCount();
    Aufwand = 0;
    Gefunden = 1;
    for (int k = 0; k < 4 && Gefunden == 1 && Abbruch == 0; ++k) Nullstellen(k);
    if (Abbruch != 0) return;
    Anzeige(kIntervallX, NullstStruct->x2, 8);
    ZeitFeld->SetInfo("Die gewonnenen Werte werden noch verbessert, bzw. überprüft. Hierzu kann "
                      "keine Zeitangabe bestimmt werden.");
    for (int k = 0; k < 4 && Abbruch == 0; ++k) {
        Liste(k)->EnableWindow(false);
        ndNullstellenVerb(k, true);
        Liste(k)->EnableWindow(true);
    }
    for (int k = 2; k >= 0 && Abbruch == 0; --k) {
        Uebertrage(k + 1, k);
        Liste(k)->EnableWindow(false);
        ndNullstellenVerb(k, false);
        Liste(k)->EnableWindow(true);
    }
}
