// The numbers of the stochastics module, without any window: the five distributions with their
// formulas and input checks, expectation and variance, and the normal and chi-square
// probabilities. Those two come from a fixed-step sum of the density between x and bounds far
// out in the tails, found by walking outwards until the density is negligible.
//
// The sum over the points t_k = x -/+ k*h (h = |x - x1|/150000) is
//     h * (0.5 f(t_0) + 1.5 f(t_1) + f(t_2) + f(t_3) + ...)
// and is 0 when fewer than two points lie between x and x1.
#pragma once

#include <string>

// The distributions in the order of the selection list.
enum TVerteilung : int {
    kBinomial = 0,
    kHypergeometrisch = 1,
    kNormal = 2,
    kPoisson = 3,
    kChiQuadrat = 4,
    kVerteilungen = 5
};

// The list entry, the probability formula (a function text of the parser) and the names of its
// variables, in the order their values are handed to the parser.
struct TVerteilungsDaten {
    const char* Name;
    const char* Formel;
    const char* Variablen;
};
const TVerteilungsDaten& VerteilungsDaten(int verteilung);

// The index of a list entry ("hypergeometrisch" 1 ...); anything unknown is binomial.
int VerteilungAusName(const char* name);

// The values of the fields x, y, z, u, v, w.
struct TStochWerte {
    long double x = 0, y = 0, z = 0, u = 0, v = 0, w = 0;
    // The value of the variable named `name` ('x' ... 'w').
    long double Wert(char name) const;
};

// Checks the values a distribution reads; "" when they may be computed, otherwise the message
// (of the last check that failed).
std::string PruefeEingabe(int verteilung, const TStochWerte& werte);

// E(X) and V(X) of the binomial and hypergeometric distributions; false without a result
// (u = 0, or another distribution).
bool ErwartungUndVarianz(int verteilung, const TStochWerte& werte, long double& e, long double& v);

// Points per integral (the divisor of the step width), and how often the progress is shown.
constexpr long double kStochSchrittFaktor = 6.666666666666667e-6;
constexpr long kStochFortschrittPunkte = 3001;

// What the sums do besides summing: once per point the caller may let window messages through
// and stop the sum; every 3001 points it may show the progress (0 ... 50 for the left integral,
// 50 ... 100 for the right one).
class TStochSchritte {
public:
    virtual ~TStochSchritte() = default;
    // False stops the sum (and every later one of the same probability).
    virtual bool Weiter() { return true; }
    virtual void Fortschritt(long double /*prozent*/) {}
    bool Abgebrochen() const { return abgebrochen_; }
    void Abbrechen() { abgebrochen_ = true; }

private:
    bool abgebrochen_ = false;
};

// Densities of the normal distribution (mean y, standard deviation z) and of the chi-square
// distribution with v degrees of freedom; `gamma` is GAMMA(v/2).
long double NormalDichte(long double t, long double y, long double z);
long double ChiDichte(long double t, long double v, long double gamma);

// GAMMA(a) through the parser (CORRldERR where it has no value).
long double StochGamma(long double a);

// Far bound of the normal density left or right of its mean (x does not matter).
long double SucheGrenze(bool links, long double x, long double y, long double z);
// Far bound of the chi-square density, walking from x.
long double SucheGrenzeChi(bool links, long double x, long double v, long double gamma);

// The sum of the density between x1 and x, left of x when `links`, right of it otherwise.
long double Integriere(bool links, long double x1, long double x, long double y, long double z,
                       TStochSchritte* schritte = nullptr);
long double IntegriereChi(bool links, long double x1, long double x, long double v,
                          long double gamma, TStochSchritte* schritte = nullptr);

// P(X <= x) of N(y; z) and P(X² >= x) with v degrees of freedom, within [0, 1]. A stopped
// computation gives 0 with schritte->Abgebrochen().
long double NormalWahrscheinlichkeit(long double x, long double y, long double z,
                                     TStochSchritte* schritte = nullptr);
long double ChiWahrscheinlichkeit(long double x, long double v, long double gamma,
                                  TStochSchritte* schritte = nullptr);
