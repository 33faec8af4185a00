#include "eigsuche.h"

#include "polytext.h"
#include "vdparser.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstring>

namespace {

const char* const kHeader1 = "1.Verfahren:,";
const char* const kHeader2 = "2.Verfahren:,";
const char* const kHeader3 = "3.Verfahren:,";
// The marks after the "," of a root of p: methods 1 and 2, method 3.
const char* const kMark12 = "0´";
const char* const kMark3 = "0`";

std::string Zahl(long double x, int digits) {
    char buf[64];
    ldtochar(buf, x, digits, true);
    return std::strcmp(buf, "-0") == 0 ? "0" : buf;
}

bool Enthaelt(const std::vector<std::string>& list, const std::string& entry) {
    return std::find(list.begin(), list.end(), entry) != list.end();
}

// The numerical part of a list entry ("1.25", "1.25l", "1.25,0`").
long double LeseZahl(const std::string& entry) {
    const char* s = entry.c_str();
    return ReadNumber(s);
}

} // namespace

TEigenSuche::TEigenSuche(MatTransStructDef* InfStructIn)
    : InfStruct(InfStructIn), GrenzeOffen(0), Abbruch(1), Abstand(0.01L), Uhr(0), LinkeGrenze(0),
      RechteGrenze(0) {
    std::memset(Koeff, 0, sizeof Koeff);
    std::memset(AblText, 0, sizeof AblText);
}

TEigenSuche::~TEigenSuche() {}

void TEigenSuche::ZeigeText(int, const char*) {}
void TEigenSuche::ListeGeaendert(int) {}
void TEigenSuche::Nachrichten() {}
long double TEigenSuche::Ticks() const {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

int TEigenSuche::Grad() const {
    const int n = InfStruct->Ordnung;
    return n < 1 ? 1 : (n > 8 ? 8 : n);
}

std::string TEigenSuche::NstText(long double x) {
    return Zahl(corrroundl(x, 8), 10);
}

bool TEigenSuche::Auswertbar(long double v) {
    // An overflowing sum can also end at minus infinity or at no number at all.
    return std::isfinite(v);
}

long double TEigenSuche::Wert(int Ableit, long double x) const {
    const long double v = corrpolyl(x, 8, const_cast<long double*>(Koeff[Ableit]));
    return Auswertbar(v) ? v : GetCORRldERR();
}

void TEigenSuche::ZeigeZahl(int id, long double x, int digits) {
    ZeigeText(id, Zahl(x, digits).c_str());
}

void TEigenSuche::Eintragen(std::vector<std::string>& list, const std::string& entry,
                            const char* header) {
    if (Enthaelt(list, entry)) return;
    if (header && !Enthaelt(list, header)) list.push_back(header);
    list.push_back(entry);
    ListeGeaendert(&list == &NstListe ? 1101 : 1102);
}

// ---------------------------------------------------------------------------------------------
// Coefficients and derivatives

void TEigenSuche::Vorbereiten() {
    InfStruct->EigOK = 1;
    InfStruct->InvAbstand = 100;
    Abstand = 1.0L / 100;
    std::memset(Koeff, 0, sizeof Koeff);
    PolyAbl(InfStruct->CharPolyText, 1);
    for (int k = 2; k <= 4; ++k) PolyAbl(AblText[k - 2], k);
}

char* TEigenSuche::PolyAbl(char* FunktionIn, int Ableit) {
    const int n = Grad();
    std::string out = "(";
    for (int k = n; k >= 0; --k) {
        long double c;
        if (!Koeffizient(FunktionIn, k, &c)) continue;
        if (Ableit == 1) Koeff[0][k] = c;
        if (k == 0) continue;
        Koeff[Ableit][k - 1] = k * c;
        std::string term;
        if (k >= 2) {
            term = Zahl(corrroundl(k * c, 15), 15) +
                   (k >= 3 ? "*x^(" + std::to_string(k - 1) + ")" : std::string("*x"));
        } else {
            term = Zahl(c, 26); // the coefficient of x as the text holds it
        }
        if (out.size() > 1 && term[0] != '-' && term[0] != '+') out += '+';
        out += term;
    }
    out += out.size() == 1 ? "0)" : ")";
    char* dest = AblText[Ableit - 1];
    std::strncpy(dest, out.c_str(), sizeof AblText[0] - 1);
    dest[sizeof AblText[0] - 1] = '\0';
    return dest;
}

// ---------------------------------------------------------------------------------------------
// Method 1: bounds, Newton with deflation

long double TEigenSuche::Grenzen(int Ableit) {
    const int n = Grad();
    const int anzeige = Ableit == 0 ? 1013 : 1014;
    Uhr = Ticks();
    long double x = powl(10.0L, 4000.0L / n);
    if (Ableit == 0) x = -x;
    long double t = 1e51L;
    bool usable = false, positive = false;
    long double start = Ticks();
    // Shrinking phase: from far outside towards the region where p' is of moderate size.
    while (fabsl(x) > 1 && (!usable || fabsl(t) > 1e52L)) {
        t = Wert(1, x);
        const long double px = Wert(0, x);
        if (Auswertbar(t) && t != 0 && Auswertbar(px)) {
            if (!usable) {
                usable = true;
                start = Ticks();
                positive = px > 0;
            } else if ((positive && px < 0) || (!positive && px > 0)) {
                t = 1e50L; // passed a root: back to the previous point
                x *= 1000;
            }
            if (fabsl(t) <= 1e50L) break;
            x *= 0.001L;
        } else {
            x *= 0.001L;
            t = 1e51L;
        }
        if (Ticks() - Uhr > 1000) {
            Uhr = Ticks();
            ZeigeZahl(anzeige, x, 7);
        }
    }
    // Newton phase towards the outermost root.
    long double m = 1000, best = 1000, bestX = 0, vorher = x, B = GetCORRldERR(), last = 0;
    bool recorded = false, stop = false, unevaluable = false;
    int counter = 0;
    while (counter < 400 && Abbruch == 0 && !stop) {
        counter += 2;
        const long double d = Wert(1, x);
        long double q;
        if (fabsl(d) < 1e-20L || !div_ok(m, d, &q)) {
            stop = true;
            break;
        }
        vorher = x;
        x -= q;
        last = fabsl(q);
        if (Ticks() - Uhr > 1000) {
            Uhr = Ticks();
            ZeigeZahl(anzeige, x, 8);
        }
        if (last <= B || B <= 0.001L) {
            if (fabsl(m) < 0.001L && fabsl(m) <= best) {
                bestX = x;
                best = fabsl(m);
                recorded = true;
            }
        } else {
            stop = true;
        }
        B = last;
        m = Wert(0, x);
        if (!Auswertbar(m) || !Auswertbar(Wert(1, x))) {
            for (int i = 0; i < 10000 && !(Auswertbar(Wert(0, x)) && Auswertbar(Wert(1, x))); ++i)
                x *= 0.01L;
            unevaluable = true;
            break;
        }
        Nachrichten();
    }
    const long double spent = Ticks() - start;
    InfStruct->ZeitMs = std::max(InfStruct->ZeitMs + spent, 10.0L);
    InfStruct->AnzAuswert += counter;
    if (counter >= 400) return x;
    if (recorded || unevaluable) return bestX;
    if (stop) {
        ZeigeZahl(anzeige, vorher, 8);
        GrenzeOffen = 1;
        return Ableit == 0 ? vorher - last : vorher + last;
    }
    return x;
}

long double TEigenSuche::Newton(long double AnfangN, long double hPoly[9], long double aPoly[9]) {
    const long double err = GetCORRldERR();
    long double x = AnfangN;
    const long double* polys[2][2] = {{hPoly, aPoly}, {Koeff[0], Koeff[1]}};
    for (auto& pair : polys) {
        // The second run polishes the root on the undeflated polynomial.
        for (int i = 0; i < 400 && x > LinkeGrenze - 1000; ++i) {
            const long double h = corrpolyl(x, 8, const_cast<long double*>(pair[0]));
            const long double a = corrpolyl(x, 8, const_cast<long double*>(pair[1]));
            long double q;
            if (a == 0 || !Auswertbar(h) || !div_ok(h, a, &q)) break;
            x -= q;
        }
    }
    if (!(x >= LinkeGrenze - 1000) || x > RechteGrenze + 1000) return err;
    const long double p = Wert(0, x);
    if (!Auswertbar(p) || corrroundl(fabsl(p), 3) != 0) return err;
    return x;
}

void TEigenSuche::PolyDiv(long double Anfang) {
    const long double err = GetCORRldERR();
    long double h[9], a[9];
    std::memcpy(h, Koeff[0], sizeof h);
    std::memcpy(a, Koeff[1], sizeof a);
    long double x = Newton(Anfang, h, a);
    for (int found = 0; x != err && found < 7 && Abbruch == 0; ++found) {
        if (fabsl(x) <= 1e-10L && found > 0) break;
        Eintragen(NstListe, NstText(x) + "," + kMark12, kHeader1);
        // Synthetic division by (t - x): the quotient has one degree less.
        for (int k = 8; k >= 1; --k) h[k - 1] += x * h[k];
        for (int k = 0; k < 8; ++k) h[k] = h[k + 1];
        h[8] = 0;
        for (int k = 0; k < 8; ++k) a[k] = (k + 1) * h[k + 1];
        a[8] = 0;
        x = Newton(x, h, a);
    }
}

// ---------------------------------------------------------------------------------------------
// Method 2: the guided march

bool TEigenSuche::Kette(int k, long double& x, bool rechts) const {
    for (int step = 0; step < 400; ++step) {
        const long double g = Wert(k, x), d = Wert(k + 1, x);
        long double q;
        if (d == 0 || !Auswertbar(g) || !Auswertbar(d) || !div_ok(g, d, &q)) return false;
        const long double next = x - q;
        const bool zurueck = rechts ? next < x : next > x;
        if (step == 0 && zurueck) return false;
        x = next;
        if (!(fabsl(q) >= Abstand || zurueck)) return true;
    }
    return false;
}

long double TEigenSuche::Suche(long double x0, bool rechts) {
    const long double err = GetCORRldERR();
    if (Grad() < 3) return err;
    auto kandidat = [&](int k, long double& c) {
        const long double g = Wert(k, x0), d = Wert(k + 1, x0);
        long double q;
        if (d == 0 || !Auswertbar(g) || !Auswertbar(d) || !div_ok(g, d, &q)) return false;
        c = x0 - q;
        return rechts ? c >= x0 : c <= x0;
    };
    long double c1 = 0, c2 = 0;
    const bool has1 = kandidat(1, c1);
    bool has2 = kandidat(2, c2);
    if (!has1 && !has2) return err;
    if (has1 && has2) has2 = fabsl(c2 - x0) <= fabsl(c1 - x0);
    long double x = x0;
    if (has2) Kette(2, x, rechts); // on failure the search goes on from where it got to
    if (!Kette(1, x, rechts) || !Kette(2, x, rechts)) return err;
    for (int i = 0; i < 400; ++i) {
        const long double g = Wert(0, x), d = Wert(1, x);
        long double q;
        if (d == 0 || !Auswertbar(g) || !div_ok(g, d, &q)) break;
        x -= q;
    }
    if (!(x >= LinkeGrenze - 10) || x > RechteGrenze + 10) return err;
    return x;
}

long double TEigenSuche::suchenaechst(long double iterWertsn) {
    return Suche(iterWertsn, true);
}
long double TEigenSuche::suchevorher(long double iterWertsn) {
    return Suche(iterWertsn, false);
}

void TEigenSuche::Methode2Richtung(bool rechts) {
    const long double err = GetCORRldERR();
    long double x = rechts ? LinkeGrenze : RechteGrenze;
    long double vorher = 0;
    const bool offen = rechts ? LinksOffen : RechtsOffen;
    // Every step goes at least Abstand on, so the march ends; the bound keeps it finite in any
    // case.
    for (int i = 0; i < 100000 && x != err && Abbruch == 0; ++i) {
        if (i > 0 && !(fabsl(x - vorher) >= Abstand)) break;
        const std::string entry = NstText(x) + "," + kMark12;
        if (Enthaelt(NstListe, entry)) break;
        if (!(i == 0 && offen) && Zahl(corrroundl(Wert(0, x), 5), 10) == "0")
            Eintragen(NstListe, entry, kHeader2);
        vorher = x;
        x = rechts ? suchenaechst(x + Abstand) : suchevorher(x - Abstand);
        Nachrichten();
    }
}

// ---------------------------------------------------------------------------------------------
// Method 3: the scan and its refinement

long double TEigenSuche::uebrGehe(int Ableit, long double iterWertue, long double NAbstand) {
    long double x = iterWertue;
    while (!Auswertbar(Wert(Ableit, x)) && x <= RechteGrenze + NAbstand) {
        const long double next = x + NAbstand;
        if (next == x) break; // the step no longer moves x
        x = next;
        InfStruct->AnzAuswert += 1;
    }
    return x;
}

void TEigenSuche::Nullstellen(int Ableit) {
    Skala(Ableit);
}

void TEigenSuche::Skala(int Ableit) {
    std::vector<std::string>& list = Ableit == 0 ? NstListe : AblNstListe;
    const int id = Ableit == 0 ? 1101 : 1102;
    auto add = [&](const std::string& e) {
        list.push_back(e);
        ListeGeaendert(id);
    };
    long double x = LinkeGrenze - Abstand;
    long double v = Wert(Ableit, x);
    if (!Auswertbar(v)) {
        x = uebrGehe(Ableit, x, Abstand);
        if (x <= RechteGrenze + Abstand) add(Zahl(x, 18) + "l");
        v = Wert(Ableit, x);
    }
    bool positive = v >= 0;
    x += Abstand;
    while (x <= RechteGrenze + 2 * Abstand && Abbruch == 0) {
        const long double now = Ticks();
        if (now - Uhr > 1000) {
            Uhr = now;
            const long double spent = now - InfStruct->ZeitMs;
            const long double evals = std::max(InfStruct->AnzAuswert, 1.0L);
            ZeigeZahl(
                1001,
                ceill(2 * 0.001L *
                      fabsl(InfStruct->InvAbstand * (RechteGrenze - LinkeGrenze) * spent / evals)),
                6);
            ZeigeZahl(1002, ceill(0.001L * spent), 6);
            ZeigeZahl(1014, x, 8);
            Nachrichten();
        }
        v = Wert(Ableit, x);
        InfStruct->AnzAuswert += 1;
        long double next;
        if (!Auswertbar(v)) {
            add(Zahl(x, 18) + "r");
            x = uebrGehe(Ableit, x, Abstand);
            if (x <= RechteGrenze + Abstand) add(Zahl(x, 18) + "l");
            const long double w = Wert(Ableit, x);
            if (Auswertbar(w)) positive = w >= 0;
            next = x + Abstand;
        } else {
            if ((v >= 0) != positive) add(Zahl(x + Abstand / 2, 18));
            positive = v >= 0;
            next = x + Abstand;
        }
        if (next == x) break; // a step width below the spacing of numbers at x
        x = next;
    }
}

void TEigenSuche::Verfeinere(std::vector<std::string>& list, int Ableit, long double x) {
    const long double h0 = Abstand / 2;
    long double h = h0;
    const long double g0 = Wert(Ableit, x);
    const bool positive = g0 >= 0;
    bool crossed = false;
    std::string entry;
    for (int steps = 0; Abbruch == 0;) {
        if (x < LinkeGrenze - 10 * Abstand || h <= 1e-20L || steps >= 250) break;
        const long double y = x - h;
        const long double g = Wert(Ableit, y);
        if (!Auswertbar(g)) {
            h /= 2;
            continue;
        }
        entry = NstText(y) + "," +
                (Ableit == 0 ? std::string(kMark3) : Zahl(corrroundl(Wert(0, y), 8), 10) + "`");
        if ((g >= 0) != positive) {
            crossed = true;
            h /= 2;
            steps = 0;
        } else {
            if (y == x) break;
            x = y;
            ++steps;
        }
    }
    if (crossed) Eintragen(list, entry, Ableit == 0 ? kHeader3 : nullptr);
}

void TEigenSuche::ndNullstellenVerb(int Ableit, bool naeher) {
    std::vector<std::string>& list = Ableit == 0 ? NstListe : AblNstListe;
    // Every pass removes one entry without ","; the entries put back carry one.
    for (size_t guard = 0; guard < 100000 && Abbruch == 0; ++guard) {
        auto it = std::find_if(list.begin(), list.end(), [](const std::string& e) {
            return e.find(',') == std::string::npos;
        });
        if (it == list.end()) break;
        const std::string text = *it;
        const size_t pos = size_t(it - list.begin());
        list.erase(it);
        ListeGeaendert(Ableit == 0 ? 1101 : 1102);
        const long double x = LeseZahl(text);
        if (!naeher) {
            const long double p = Wert(0, x);
            if (Auswertbar(p) && Zahl(corrroundl(p, 8), 10) == "0" && x >= LinkeGrenze - Abstand) {
                const std::string entry = text + "," + kMark3;
                if (!Enthaelt(list, entry)) {
                    size_t at = pos;
                    if (!Enthaelt(list, kHeader3)) list.insert(list.begin() + long(at++), kHeader3);
                    list.insert(list.begin() + long(at), entry);
                    ListeGeaendert(1101);
                }
            }
        } else {
            Verfeinere(list, Ableit, x);
        }
        Nachrichten();
    }
}

// ---------------------------------------------------------------------------------------------
// The search in order

bool TEigenSuche::Diagonal() const {
    const int n = Grad();
    for (int c = 0; c < n; ++c)
        for (int r = 0; r < n; ++r)
            if (c != r && InfStruct->Mat[c][r] != 0) return false;
    return true;
}

void TEigenSuche::DiagonalListe() {
    NstListe.push_back(kHeader1);
    for (int k = 0; k < Grad(); ++k)
        if (InfStruct->Mat[k][k] != 0)
            Eintragen(NstListe, NstText(InfStruct->Mat[k][k]) + "," + kMark12, nullptr);
    ListeGeaendert(1101);
}

void TEigenSuche::BerechneGrenzen() {
    InfStruct->ZeitMs = 0;
    InfStruct->AnzAuswert = 0;
    GrenzeOffen = 0;
    LinkeGrenze = Grenzen(0);
    LinksOffen = GrenzeOffen != 0;
    if (fabsl(LinkeGrenze) < 0.004L) LinkeGrenze = 0;
    ZeigeZahl(1013, LinkeGrenze, 8);
    if (Abbruch == 0) {
        GrenzeOffen = 0;
        RechteGrenze = Grenzen(1);
        RechtsOffen = GrenzeOffen != 0;
        if (fabsl(RechteGrenze) < 0.004L) RechteGrenze = 0;
        ZeigeZahl(1014, RechteGrenze, 8);
    }
    if (RechteGrenze < LinkeGrenze) {
        std::swap(LinkeGrenze, RechteGrenze);
        std::swap(LinksOffen, RechtsOffen);
    }
    Abstand = std::max(1e-12L * std::max(fabsl(LinkeGrenze), fabsl(RechteGrenze)), 1e-8L);
    InfStruct->InvAbstand = 1 / Abstand;
}

void TEigenSuche::Verfahren1() {
    PolyDiv(LinkeGrenze);
    PolyDiv(RechteGrenze);
}

void TEigenSuche::Verfahren2() {
    if (Abbruch == 0 && LinkeGrenze != RechteGrenze) {
        Methode2Richtung(true);
        Methode2Richtung(false);
    }
    InfStruct->Breite = fabsl(LinkeGrenze - RechteGrenze);
    ZeigeZahl(1013, LinkeGrenze, 8);
    ZeigeZahl(1014, RechteGrenze, 8);
}

long double TEigenSuche::VorschlagAbstand(const MatTransStructDef& rec) {
    const long double w = rec.Breite / (10 * rec.AnzAuswert);
    char buf[64];
    const long double shown = fabsl(chartold(ldtochar(buf, w, 6, true), nullptr));
    return std::isfinite(shown) && shown >= 1e-10L ? shown : 1.0L;
}

void TEigenSuche::Verfahren3() {
    Abstand = 1 / InfStruct->InvAbstand;
    LinkeGrenze -= 10 * Abstand;
    RechteGrenze += 10 * Abstand;
    if (InfStruct->EigOK != 1 || !(RechteGrenze - LinkeGrenze > Abstand)) return;
    InfStruct->ZeitMs = Uhr = Ticks();
    InfStruct->AnzAuswert = 0;
    Nullstellen(0);
    Nullstellen(1);
    ndNullstellenVerb(0, true);
    ndNullstellenVerb(1, true);
    // Roots of p' become candidates of p: where p vanishes too, they are double roots.
    for (const std::string& e : std::vector<std::string>(AblNstListe))
        NstListe.push_back(e.substr(0, e.find(',')));
    ndNullstellenVerb(0, false);
}

void TEigenSuche::SucheOhneDialog() {
    Abbruch = 0;
    Vorbereiten();
    if (Diagonal()) {
        DiagonalListe();
    } else {
        BerechneGrenzen();
        Verfahren1();
        Verfahren2();
        if (Abbruch == 0 && InfStruct->Breite > Abstand) {
            InfStruct->InvAbstand = 1 / VorschlagAbstand(*InfStruct);
            Verfahren3();
        }
    }
    Abbruch = 1;
}
