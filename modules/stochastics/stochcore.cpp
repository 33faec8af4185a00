#include "stochcore.h"

#include "vdparser.h"

#include <cmath>

namespace {

const TVerteilungsDaten kDaten[kVerteilungen] = {
    {"binomial", "(w!/(x!*(w-x)!))*(v/u)^x*(1-v/u)^(w-x)", "uvwx"},
    {"hypergeometrisch", "(v!/(x!*(v-x)!))*((u-v)!/((w-x)!*((u-v)-(w-x))!))/(u!/(w!*(u-w)!))",
     "uvwx"},
    {"normal", "1/(z*sqrt(2*pi))*e^(-1/2*(((x-y)/z)^2))", "yzx"},
    {"Poisson", "(y^x)/(x!)*exp(-y)", "yx"},
    {"Chi-Quadrat", "(x^(v/2-1)*exp(-x/2))/(2^(v/2)*GAMMA(v/2))", "vx"},
};

const char kPruefe[] = "Berechnungsfunktion:\r Überprüfen sie die Wertbelegung";

// A walk outwards ends where the density falls below this.
constexpr long double kVernachlaessigbar = 1e-15L;
// The last point index of a sum: 150000 steps of h reach x1 (one more for rounding). It also
// ends a sum whose points no longer move because h is below the precision of x.
constexpr long kLetzterPunkt = 150001;

std::string Meldung(const char* was) {
    return std::string(kPruefe) + was;
}

template <class Dichte>
long double Summe(bool links, long double x1, long double x, Dichte f, TStochSchritte* schritte) {
    const long double T = std::fabs(x1 - x);
    const long double h = std::fabs(x - x1) * kStochSchrittFaktor;
    // Without a step that moves (x1 = x, or bounds that are not numbers) no point lies in range.
    if (!(h > 0) || !std::isfinite(h)) return 0;
    long double m = 0, s = 0;
    for (long k = 0; k <= kLetzterPunkt; ++k) {
        const long double t = links ? x - k * h : x + k * h;
        if (links ? !(t >= x1) : !(t <= x1)) break;
        if (schritte) {
            if (schritte->Abgebrochen() || !schritte->Weiter()) {
                schritte->Abbrechen();
                return 0;
            }
            if (k % kStochFortschrittPunkte == 0) {
                const long double anteil = corrroundl(std::fabs(x1 - t) * 100 / T, 0);
                schritte->Fortschritt((links ? 50 : 100) - 0.5L * anteil);
            }
        }
        const long double hf = h * f(t);
        if (k == 0) {
            m = hf;
        } else if (k == 1) {
            m = (hf + m) / 2;
            s = hf + m;
        } else {
            s += hf;
        }
    }
    return s;
}

template <class Dichte>
long double Walk(bool links, long double start, Dichte f, long double nichtVor) {
    long double s = start, schritt = 0.1L, d = 5;
    // The walk leaves a peak behind it before it may stop (`nichtVor` on the right).
    while (std::fabs(d) >= kVernachlaessigbar || (!links && s < nichtVor)) {
        s = links ? s - schritt : s + schritt;
        d = f(s);
        schritt *= 1.2L;
        if (!std::isfinite(s)) break;
    }
    return s;
}

long double Begrenzt(long double p) {
    if (p < 0) return 0;
    if (p > 1) return 1;
    return p;
}

} // namespace

const TVerteilungsDaten& VerteilungsDaten(int verteilung) {
    return kDaten[verteilung >= 0 && verteilung < kVerteilungen ? verteilung : 0];
}

int VerteilungAusName(const char* name) {
    const std::string n = name ? name : "";
    for (int i = 1; i < kVerteilungen; ++i)
        if (n == kDaten[i].Name) return i;
    return kBinomial;
}

long double TStochWerte::Wert(char name) const {
    switch (name) {
    case 'x':
        return x;
    case 'y':
        return y;
    case 'z':
        return z;
    case 'u':
        return u;
    case 'v':
        return v;
    default:
        return w;
    }
}

std::string PruefeEingabe(int verteilung, const TStochWerte& w) {
    std::string meldung;
    switch (verteilung) {
    case kNormal:
        if (!(w.z >= 0)) meldung = Meldung(" der Standardabweichung.");
        break;
    case kPoisson:
        if (!(w.x >= 0)) meldung = Meldung(" der Zufallsvariable.");
        if (!(w.y > 0)) meldung = Meldung(" des Erwartungswertes.");
        break;
    case kChiQuadrat:
        if (!(w.v >= 1) || !(std::fabs(std::fmod(w.v, 1.0L)) <= 1e-10L))
            meldung = Meldung(" der Freiheitsgrade.");
        break;
    default: // binomial, hypergeometric
        if (!(w.u >= 0)) meldung = Meldung(" der Anzahl der Urnenkugeln.");
        if (!(w.v >= 0)) meldung = Meldung(" der Anzahl der roten Urnenkugeln.");
        if (!(w.w >= 0)) meldung = Meldung(" der Anzahl der gezogenen Urnenkugeln.");
        if (!(w.x >= 0)) meldung = Meldung(" der Zufallsvariable.");
        if (!meldung.empty()) break;
        if (w.v > w.u || (verteilung == kHypergeometrisch && w.w > w.u) || w.x > w.w)
            meldung = Meldung(".");
        break;
    }
    return meldung;
}

bool ErwartungUndVarianz(int verteilung, const TStochWerte& w, long double& e, long double& v) {
    if (verteilung != kBinomial && verteilung != kHypergeometrisch) return false;
    if (w.u == 0) return false;
    const long double p = w.v / w.u;
    e = w.w * p;
    v = (1 - p) * e;
    // One ball in the urn: X is fixed and has no variance (the factor would divide by 0).
    if (verteilung == kHypergeometrisch) v = w.u == 1 ? 0 : v * (w.u - w.w) / (w.u - 1);
    return true;
}

long double NormalDichte(long double t, long double y, long double z) {
    static const long double wurzel2pi = std::sqrt(2 * 3.14159265358979323846264338327950288L);
    const long double q = (t - y) / z;
    return std::exp(-0.5L * q * q) / (z * wurzel2pi);
}

long double ChiDichte(long double t, long double v, long double gamma) {
    const long double a = v / 2 - 1;
    if (t < 0) return 0;
    if (t == 0) return a == 0 ? 1 / (2 * gamma) : (a > 0 ? 0 : CORRldERR);
    // In logarithms: t^(v/2-1) and GAMMA(v/2) overflow long before their quotient does.
    return std::exp(a * std::log(t) - t / 2 - std::log(gamma) - (v / 2) * std::log(2.0L));
}

long double StochGamma(long double a) {
    vdParser gamma("GAMMA(x)", 1, "x", true, true, false, false);
    const long double g = gamma.GetResult(a);
    return gamma.GetGlobalError() >= 1 ? CORRldERR : g;
}

long double SucheGrenze(bool links, long double, long double y, long double z) {
    return Walk(
        links, y, [y, z](long double s) { return NormalDichte(s, y, z); }, y);
}

long double SucheGrenzeChi(bool links, long double x, long double v, long double gamma) {
    const long double gipfel = std::isfinite(v) && v > 2 ? v - 2 : x;
    return Walk(
        links, x, [v, gamma](long double s) { return ChiDichte(s, v, gamma); }, gipfel);
}

long double Integriere(bool links, long double x1, long double x, long double y, long double z,
                       TStochSchritte* schritte) {
    return Summe(
        links, x1, x, [y, z](long double t) { return NormalDichte(t, y, z); }, schritte);
}

long double IntegriereChi(bool links, long double x1, long double x, long double v,
                          long double gamma, TStochSchritte* schritte) {
    return Summe(
        links, x1, x, [v, gamma](long double t) { return ChiDichte(t, v, gamma); }, schritte);
}

long double NormalWahrscheinlichkeit(long double x, long double y, long double z,
                                     TStochSchritte* schritte) {
    const long double l = SucheGrenze(true, x, y, z), r = SucheGrenze(false, x, y, z);
    const long double a = Integriere(true, l, x, y, z, schritte);
    const long double b = Integriere(false, r, x, y, z, schritte);
    if (schritte && schritte->Abgebrochen()) return 0;
    const long double p = a / (a + b);
    // Far out in a tail the points of the one sum that is not empty may all miss the mass.
    if (!std::isfinite(p)) return x < y ? 0 : 1;
    return Begrenzt(p);
}

long double ChiWahrscheinlichkeit(long double x, long double v, long double gamma,
                                  TStochSchritte* schritte) {
    if (!(x > 0)) return 1; // all mass lies right of x
    const long double r = SucheGrenzeChi(false, x, v, gamma);
    const long double a = IntegriereChi(true, 0, x, v, gamma, schritte);
    const long double b = IntegriereChi(false, r, x, v, gamma, schritte);
    if (schritte && schritte->Abgebrochen()) return 0;
    long double p = v > 2.5L ? (1 - a) / (a + b) : b;
    // Right of the peak, where the density has become negligible, the left sum is too coarse
    // for 1 - a: there the share of the right sum is the probability.
    if (v > 2.5L && x > v - 2 && ChiDichte(x, v, gamma) < kVernachlaessigbar) p = b / (a + b);
    if (!std::isfinite(p)) return x < v ? 1 : 0;
    return Begrenzt(p);
}
