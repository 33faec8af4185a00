// The numbers of the stochastics module: input checks, expectation and variance, the densities,
// the bound walks, the fixed 150 000-point sums and the normal and chi-square probabilities
// against closed forms (erfc, the chi-square tails of even and odd degrees of freedom).
#include "stochcore.h"
#include "vdparser.h"

#include <cmath>
#include <cstring>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

const std::string kPruefe = "Berechnungsfunktion:\r Überprüfen sie die Wertbelegung";

TStochWerte Werte(long double x, long double y, long double z, long double u, long double v,
                  long double w) {
    TStochWerte t;
    t.x = x, t.y = y, t.z = z, t.u = u, t.v = v, t.w = w;
    return t;
}

// Counts the points of the sums and records the progress shown; stops at point `stopAt`.
class Zaehler : public TStochSchritte {
public:
    explicit Zaehler(long stopAt = -1) : stopAt_(stopAt) {}
    bool Weiter() override { return ++punkte != stopAt_; }
    void Fortschritt(long double p) override { fortschritt.push_back(p); }
    long punkte = 0;
    std::vector<long double> fortschritt;

private:
    long stopAt_;
};

long double NormalCdf(long double x, long double y, long double z) {
    return 0.5L * std::erfc(-(x - y) / (z * std::sqrt(2.0L)));
}

// P(X² >= x) in closed form: even v by the Poisson sum, odd v by erfc and the half-integer sum.
long double ChiTail(long double x, int v) {
    long double sum = 0, term;
    if (v % 2 == 0) {
        term = 1;
        for (int k = 0; k < v / 2; ++k) {
            if (k > 0) term *= (x / 2) / k;
            sum += term;
        }
        return std::exp(-x / 2) * sum;
    }
    const long double base = std::erfc(std::sqrt(x / 2));
    term = std::sqrt(2 * x / 3.14159265358979323846L) * std::exp(-x / 2);
    for (int k = 1; k <= (v - 1) / 2; ++k) {
        sum += term;
        term *= x / (2 * k + 1);
    }
    return base + sum;
}

TEST(StochTabelle, NamesMapToTheirIndexAndUnknownTextsToBinomial) {
    for (int i = 0; i < kVerteilungen; ++i)
        EXPECT_EQ(VerteilungAusName(VerteilungsDaten(i).Name), i) << i;
    EXPECT_EQ(VerteilungAusName("Normal"), kBinomial);
    EXPECT_EQ(VerteilungAusName(""), kBinomial);
    EXPECT_EQ(VerteilungAusName(nullptr), kBinomial);
    // Out-of-range indices give the first row rather than reading past the table.
    EXPECT_STREQ(VerteilungsDaten(7).Name, "binomial");
    EXPECT_STREQ(VerteilungsDaten(-1).Name, "binomial");
}

TEST(StochTabelle, EveryFormulaCompilesWithItsVariables) {
    for (int i = 0; i < kVerteilungen; ++i) {
        const TVerteilungsDaten& d = VerteilungsDaten(i);
        vdParser p(d.Formel, int(std::strlen(d.Variablen)), d.Variablen, true, true, true, true);
        EXPECT_LT(p.GetGlobalError(), 1) << d.Name;
    }
}

TEST(StochPruefung, NormalAndPoissonAndChiSquareRanges) {
    EXPECT_EQ(PruefeEingabe(kNormal, Werte(1, 0, 0, 0, 0, 0)), "");
    EXPECT_EQ(PruefeEingabe(kNormal, Werte(1, 0, -1, 0, 0, 0)),
              kPruefe + " der Standardabweichung.");
    EXPECT_EQ(PruefeEingabe(kPoisson, Werte(0, 0.5, 0, 0, 0, 0)), "");
    EXPECT_EQ(PruefeEingabe(kPoisson, Werte(-1, 1, 0, 0, 0, 0)), kPruefe + " der Zufallsvariable.");
    EXPECT_EQ(PruefeEingabe(kPoisson, Werte(1, 0, 0, 0, 0, 0)), kPruefe + " des Erwartungswertes.");
    // The last failed check gives the message.
    EXPECT_EQ(PruefeEingabe(kPoisson, Werte(-1, -1, 0, 0, 0, 0)),
              kPruefe + " des Erwartungswertes.");
    for (long double v : {1.0L, 2.0L, 30.0L, 3.00000000001L})
        EXPECT_EQ(PruefeEingabe(kChiQuadrat, Werte(1, 0, 0, 0, v, 0)), "") << double(v);
    for (long double v : {0.0L, 2.5L, -3.0L, 0.5L, 3.001L})
        EXPECT_EQ(PruefeEingabe(kChiQuadrat, Werte(1, 0, 0, 0, v, 0)),
                  kPruefe + " der Freiheitsgrade.")
            << double(v);
    // Values that are no numbers never pass.
    EXPECT_NE(PruefeEingabe(kNormal, Werte(0, 0, NAN, 0, 0, 0)), "");
    EXPECT_NE(PruefeEingabe(kChiQuadrat, Werte(0, 0, 0, 0, NAN, 0)), "");
}

TEST(StochPruefung, UrnValuesAndTheirOrder) {
    for (int d : {kBinomial, kHypergeometrisch}) {
        EXPECT_EQ(PruefeEingabe(d, Werte(2, 0, 0, 10, 4, 5)), "") << d;
        EXPECT_EQ(PruefeEingabe(d, Werte(0, 0, 0, 0, 0, 0)), "") << d;
        EXPECT_EQ(PruefeEingabe(d, Werte(1, 0, 0, -1, 0, 2)),
                  kPruefe + " der Anzahl der Urnenkugeln.");
        EXPECT_EQ(PruefeEingabe(d, Werte(1, 0, 0, 5, -1, 2)),
                  kPruefe + " der Anzahl der roten Urnenkugeln.");
        EXPECT_EQ(PruefeEingabe(d, Werte(1, 0, 0, 5, 1, -2)),
                  kPruefe + " der Anzahl der gezogenen Urnenkugeln.");
        EXPECT_EQ(PruefeEingabe(d, Werte(-1, 0, 0, 5, 1, 2)), kPruefe + " der Zufallsvariable.");
        // Several failures: the last one; the order checks come only after all passed.
        EXPECT_EQ(PruefeEingabe(d, Werte(-1, 0, 0, -1, 9, 2)), kPruefe + " der Zufallsvariable.");
        EXPECT_EQ(PruefeEingabe(d, Werte(1, 0, 0, 5, 6, 2)), kPruefe + ".") << "v > u";
        EXPECT_EQ(PruefeEingabe(d, Werte(3, 0, 0, 5, 1, 2)), kPruefe + ".") << "x > w";
    }
    // Drawing with replacement may take more balls than the urn holds.
    EXPECT_EQ(PruefeEingabe(kBinomial, Werte(3, 0, 0, 5, 1, 8)), "");
    EXPECT_EQ(PruefeEingabe(kHypergeometrisch, Werte(3, 0, 0, 5, 1, 8)), kPruefe + ".");
}

TEST(StochErwartung, BinomialAndHypergeometric) {
    long double e = 0, v = 0;
    ASSERT_TRUE(ErwartungUndVarianz(kBinomial, Werte(0, 0, 0, 10, 3, 20), e, v));
    EXPECT_NEAR(double(e), 6.0, 1e-15);
    EXPECT_NEAR(double(v), 4.2, 1e-15);
    ASSERT_TRUE(ErwartungUndVarianz(kHypergeometrisch, Werte(0, 0, 0, 10, 3, 4), e, v));
    EXPECT_NEAR(double(e), 1.2, 1e-15);
    EXPECT_NEAR(double(v), 0.84 * 6 / 9, 1e-15);
    // An urn of one ball: X is fixed, its variance 0 (and no division by u - 1 = 0).
    ASSERT_TRUE(ErwartungUndVarianz(kHypergeometrisch, Werte(0, 0, 0, 1, 1, 1), e, v));
    EXPECT_EQ(e, 1);
    EXPECT_EQ(v, 0);
    // An empty urn has neither; nor do the other distributions.
    EXPECT_FALSE(ErwartungUndVarianz(kHypergeometrisch, Werte(0, 0, 0, 0, 0, 0), e, v));
    EXPECT_FALSE(ErwartungUndVarianz(kBinomial, Werte(0, 0, 0, 0, 0, 0), e, v));
    EXPECT_FALSE(ErwartungUndVarianz(kPoisson, Werte(0, 2, 0, 10, 3, 4), e, v));
}

TEST(StochDichte, NormalAndChiSquareAgreeWithTheirFormulas) {
    const long double pi = 3.14159265358979323846264338327950288L;
    for (long double t : {-3.0L, 0.0L, 0.7L, 5.0L})
        EXPECT_NEAR(
            double(NormalDichte(t, 1, 2)),
            double(std::exp(-0.5L * ((t - 1) / 2) * ((t - 1) / 2)) / (2 * std::sqrt(2 * pi))),
            1e-17);
    for (int v = 1; v <= 12; ++v) {
        const long double g = StochGamma(v / 2.0L);
        ASSERT_NEAR(double(g / std::tgamma(v / 2.0L)), 1.0, 1e-15) << v;
        for (long double t : {0.01L, 0.5L, 3.0L, 17.0L}) {
            const long double direct =
                std::pow(t, v / 2.0L - 1) * std::exp(-t / 2) / (std::pow(2.0L, v / 2.0L) * g);
            EXPECT_NEAR(double(ChiDichte(t, v, g) / direct), 1.0, 1e-15) << v << " " << double(t);
        }
    }
    EXPECT_EQ(ChiDichte(-1, 4, 1), 0);
    EXPECT_EQ(ChiDichte(0, 2, 1), 0.5L);
    EXPECT_EQ(ChiDichte(0, 3, StochGamma(1.5L)), 0);
    // Where t^(v/2-1) alone overflows, the density is still a number.
    const long double g = StochGamma(1500);
    ASSERT_TRUE(std::isfinite(g));
    EXPECT_TRUE(std::isfinite(ChiDichte(3000, 3000, g)));
    EXPECT_GT(ChiDichte(3000, 3000, g), 0);
    // Without a value of GAMMA there is no density.
    EXPECT_EQ(StochGamma(0.25L), CORRldERR);
}

TEST(StochGrenze, WalksFromTheMeanUntilTheDensityIsNegligible) {
    const long double l = SucheGrenze(true, 3, 10, 2), r = SucheGrenze(false, -7, 10, 2);
    EXPECT_LT(NormalDichte(l, 10, 2), 1e-15L);
    EXPECT_LT(NormalDichte(r, 10, 2), 1e-15L);
    EXPECT_LT(l, 10 - 8 * 2);
    EXPECT_GT(r, 10 + 8 * 2);
    EXPECT_NEAR(double(l - 10), double(10 - r), 1e-12); // the same steps on both sides
    EXPECT_EQ(SucheGrenze(true, 1e6L, 10, 2), l);       // x does not matter
    // The walk ends for any standard deviation, also one that is no number.
    for (long double z : {1e-300L, 1e300L, (long double)NAN, 0.0L})
        (void)SucheGrenze(false, 0, 0, z);
}

TEST(StochGrenze, ChiSquareRightBoundLiesBeyondThePeak) {
    for (int v : {1, 2, 3, 10, 100}) {
        const long double g = StochGamma(v / 2.0L);
        const long double r = SucheGrenzeChi(false, 1, v, g);
        EXPECT_LT(ChiDichte(r, v, g), 1e-15L) << v;
        EXPECT_GT(r, v - 2) << v;
    }
    // Left of 0 there is no density: the left walk stops there.
    const long double l = SucheGrenzeChi(true, 5, 4, StochGamma(2));
    EXPECT_LT(l, 0);
}

TEST(StochSumme, TheFixedSchemeUses150000StepsAndShowsItsProgress) {
    Zaehler z;
    const long double links = Integriere(true, -10, 0, 0, 1, &z);
    EXPECT_GE(z.punkte, 150000);
    EXPECT_LE(z.punkte, 150001);
    ASSERT_EQ(long(z.fortschritt.size()), (z.punkte + 3000) / 3001);
    EXPECT_EQ(z.fortschritt.front(), 0);
    for (size_t i = 1; i < z.fortschritt.size(); ++i)
        EXPECT_GE(z.fortschritt[i], z.fortschritt[i - 1]);
    EXPECT_LE(z.fortschritt.back(), 50);
    EXPECT_GE(z.fortschritt.back(), 49);
    // Half the mass, up to the weights of the scheme (1.5 for the second point).
    const long double h = 10 * kStochSchrittFaktor;
    EXPECT_NEAR(double(links), 0.5, 2 * double(h * NormalDichte(0, 0, 1)));

    Zaehler r;
    Integriere(false, 10, 0, 0, 1, &r);
    EXPECT_EQ(r.fortschritt.front(), 50);
    EXPECT_LE(r.fortschritt.back(), 100);
    EXPECT_GE(r.fortschritt.back(), 99);
}

TEST(StochSumme, EmptyAndDegenerateRangesEnd) {
    Zaehler z;
    EXPECT_EQ(Integriere(true, 1, 1, 0, 1, &z), 0); // no step at all
    EXPECT_EQ(z.punkte, 0);
    EXPECT_EQ(Integriere(true, 5, 1, 0, 1, &z), 0); // x left of the left bound
    EXPECT_EQ(Integriere(false, -5, 1, 0, 1, &z), 0);
    // Points that no longer move (the step is below the precision of x) do not loop forever.
    Zaehler big;
    Integriere(false, 1e20L + 1, 1e20L, 0, 1, &big);
    EXPECT_LE(big.punkte, 150002);
    EXPECT_EQ(IntegriereChi(false, (long double)NAN, 1, 3, StochGamma(1.5L)), 0);
}

TEST(StochSumme, StoppingEndsTheWholeProbability) {
    Zaehler z(1000);
    EXPECT_EQ(NormalWahrscheinlichkeit(0.3L, 0, 1, &z), 0);
    EXPECT_TRUE(z.Abgebrochen());
    EXPECT_EQ(z.punkte, 1000); // the right sum did not start
    Zaehler c(5);
    EXPECT_EQ(ChiWahrscheinlichkeit(2, 4, StochGamma(2), &c), 0);
    EXPECT_TRUE(c.Abgebrochen());
    EXPECT_EQ(c.punkte, 5);
}

TEST(StochNormal, ProbabilitiesAgainstErfc) {
    struct Fall {
        long double x, y, z;
    };
    for (const Fall f : {Fall{0, 0, 1}, Fall{1, 0, 1}, Fall{-1, 0, 1}, Fall{2.5L, 1, 0.5L},
                         Fall{105, 100, 15}, Fall{-0.001L, 0, 0.001L}, Fall{1e6L, 1e6L, 3}}) {
        const long double p = NormalWahrscheinlichkeit(f.x, f.y, f.z);
        // The walk's first step is 0.1: for a small z the bounds lie far out, the step width
        // of the sums grows and with it the surplus of the weight 1.5.
        EXPECT_NEAR(double(p), double(NormalCdf(f.x, f.y, f.z)), f.z < 0.01L ? 1e-4 : 2e-5)
            << double(f.x) << " " << double(f.y) << " " << double(f.z);
    }
}

TEST(StochNormal, FarOutInTheTailsGivesZeroAndOne) {
    for (long double x : {-40.0L, -1e6L, -1e30L, -1e300L})
        EXPECT_EQ(NormalWahrscheinlichkeit(x, 0, 1), 0);
    for (long double x : {40.0L, 1e6L, 1e30L, 1e300L})
        EXPECT_EQ(NormalWahrscheinlichkeit(x, 0, 1), 1);
}

TEST(StochChi, ProbabilitiesAgainstClosedForms) {
    for (int v : {1, 2, 3, 4, 5, 10, 30}) {
        const long double g = StochGamma(v / 2.0L);
        for (long double x : {0.5L, 1.0L, 3.84L, 10.0L, 25.0L}) {
            const long double p = ChiWahrscheinlichkeit(x, v, g);
            // v = 1 has an infinite density at 0; the scheme is coarsest there.
            EXPECT_NEAR(double(p), double(ChiTail(x, v)), v == 1 ? 5e-3 : 1e-4)
                << v << " " << double(x);
        }
    }
}

TEST(StochChi, EdgesStayWithinZeroAndOne) {
    for (int v : {1, 2, 3, 7}) {
        const long double g = StochGamma(v / 2.0L);
        // No mass left of 0.
        for (long double x : {0.0L, -1.0L, -1e9L}) EXPECT_EQ(ChiWahrscheinlichkeit(x, v, g), 1);
        // Far right of the mass.
        for (long double x : {200.0L, 1e4L, 1e6L, 1e12L})
            EXPECT_NEAR(double(ChiWahrscheinlichkeit(x, v, g)), 0.0, 1e-12)
                << v << " " << double(x);
        // Close to 0 the probability is close to 1, but never above it.
        for (long double x : {1e-3L, 1e-9L}) {
            const long double p = ChiWahrscheinlichkeit(x, v, g);
            EXPECT_LE(p, 1);
            EXPECT_GT(p, 0.9) << v << " " << double(x);
        }
    }
    // Many degrees of freedom and x far left of the peak: the walk passes the peak.
    EXPECT_NEAR(double(ChiWahrscheinlichkeit(1, 100, StochGamma(50))), 1.0, 1e-6);
    EXPECT_NEAR(double(ChiWahrscheinlichkeit(100, 100, StochGamma(50))), 0.4811, 1e-3);
}

} // namespace

namespace {

// The scheme as written: h * (0.5 f(t_0) + 1.5 f(t_1) + f(t_2) + ...), t_k = x - k h >= x1.
TEST(StochSumme, MatchesTheWrittenWeights) {
    const long double x1 = -2, x = 0.75L, y = 0.2L, z = 0.9L;
    const long double h = std::fabs(x - x1) * 6.666666666666667e-6;
    long double sum = 0;
    long k = 0;
    for (long double t = x; t >= x1; t = x - (++k) * h)
        sum += (k == 0 ? 0.5L : k == 1 ? 1.5L : 1.0L) * h * NormalDichte(t, y, z);
    EXPECT_NEAR(double(Integriere(true, x1, x, y, z) / sum), 1.0, 1e-15);
    const long double g = StochGamma(2.5L);
    sum = 0, k = 0;
    const long double r = 9;
    const long double hr = (r - x) * 6.666666666666667e-6;
    for (long double t = x; t <= r; t = x + (++k) * hr)
        sum += (k == 0 ? 0.5L : k == 1 ? 1.5L : 1.0L) * hr * ChiDichte(t, 5, g);
    EXPECT_NEAR(double(IntegriereChi(false, r, x, 5, g) / sum), 1.0, 1e-15);
}

} // namespace
