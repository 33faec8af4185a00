// The characteristic polynomial: canonical and display texts, progress, cancel, and the
// expansion on term lists against the expansion on texts.
#include "charpoly.h"
#include "invmatrix.h"

#include "matrixtest.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <memory>
#include <random>
#include <vector>

namespace {

// Records what would go into controls 1910 and 219; cancels after `cancelAfter` pumps.
class Beobachter : public CharPoly {
public:
    explicit Beobachter(MatTransStructDef* rec, int cancelAfter = -1)
        : CharPoly(nullptr, rec), CancelAfter(cancelAfter) {}
    std::vector<std::string> Texte;
    bool Frei = false;
    int CancelAfter;

protected:
    void Anzeige(const char* text) override { Texte.push_back(text); }
    void FreigabeEigenwerte(bool enable) override { Frei = enable; }
    void Nachrichten() override {
        if (CancelAfter >= 0 && CancelAfter-- == 0) Abbrechen = 1;
    }
};

// det(A - x I) through the elimination.
long double DetAt(const MatTransStructDef& rec, long double x) {
    auto copy = std::make_unique<MatTransStructDef>(rec);
    for (int k = 0; k < rec.Ordnung; ++k) copy->Mat[k][k] -= x;
    InvMatrix inv(copy.get());
    return copy->Det;
}

long double PolyAt(const std::string& text, long double x) {
    PolyTerms t;
    EXPECT_TRUE(ParsePoly(text.c_str(), t));
    long double s = 0;
    for (const PolyTerm& term : t) s += term.coeff * powl(x, term.power);
    return s;
}

} // namespace

TEST(CharPoly, CanonicalAndDisplayTexts) {
    auto id = Record(2, {1, 0, 0, 1});
    Beobachter a(id.get());
    a.BNClickedEigenwerte();
    EXPECT_STREQ(id->CharPolyText, "(1*x^(2)-2*x+1)");
    EXPECT_STREQ(id->CharPolyAnzeige, "1*x^2 -2*x +1");
    EXPECT_EQ(a.Texte.back(), "1*x^2 -2*x +1");
    EXPECT_TRUE(a.Frei);

    auto diag = Record(3, {1, 0, 0, 0, 2, 0, 0, 0, 3});
    Beobachter b(diag.get());
    b.BNClickedEigenwerte();
    EXPECT_STREQ(diag->CharPolyText, "(-1*x^(3)+6*x^(2)-11*x+6)");
    EXPECT_STREQ(diag->CharPolyAnzeige, "-1*x^3 +6*x^2 -11*x +6");
    // The progress before each row of the first column.
    ASSERT_EQ(b.Texte.size(), 4u);
    EXPECT_EQ(b.Texte[0], "0% bestimmt");
    EXPECT_EQ(b.Texte[1], "33% bestimmt");
    EXPECT_EQ(b.Texte[2], "66% bestimmt");
}

TEST(CharPoly, ZeroCoefficientsStayInTheText) {
    auto zero = Record(3, {0, 0, 0, 0, 0, 0, 0, 0, 0});
    Beobachter a(zero.get());
    a.BNClickedEigenwerte();
    PolyTerms t;
    ASSERT_TRUE(ParsePoly(zero->CharPolyText, t));
    ASSERT_EQ(t.size(), 4u);
    EXPECT_STREQ(zero->CharPolyAnzeige, "-1*x^3 +0*x^2 +0*x +0");
}

TEST(CharPoly, OrderOneAndCancelLeaveThePolynomialUndetermined) {
    auto one = Record(1, {5});
    Beobachter a(one.get());
    a.BNClickedEigenwerte();
    EXPECT_STREQ(one->CharPolyText, "");
    EXPECT_FALSE(a.Frei);

    auto rec = Record(4, {1, 2, 3, 4, 5, 6, 7, 8, 9, 1, 2, 3, 4, 5, 6, 7});
    Beobachter b(rec.get(), 2);
    std::strcpy(rec->CharPolyText, "(1*x^(4)+1)"); // an earlier result stays
    b.Abbrechen = 0;
    b.charPolyundEig();
    EXPECT_STREQ(rec->CharPolyText, "(1*x^(4)+1)");
    EXPECT_EQ(b.Texte.back(), kCharPolyNochNicht);
    EXPECT_FALSE(b.Frei);
    EXPECT_TRUE(b.TextEntwicklung().empty());
}

TEST(CharPoly, HugeEntriesAreReportedNotWrittenAsWrongNumbers) {
    auto rec = Record(3, {1e4000L, 0, 0, 0, 1e4000L, 0, 0, 0, 1e4000L});
    Beobachter a(rec.get());
    a.BNClickedEigenwerte();
    EXPECT_STREQ(rec->CharPolyText, "");
    EXPECT_EQ(a.Texte.back(), "Wert zu groß!");
    EXPECT_FALSE(a.Frei);
    EXPECT_TRUE(a.TextEntwicklung().empty());
    EXPECT_TRUE(a.Ueberlauf());
}

TEST(CharPoly, SignSwapsKeepExponentSigns) {
    std::string t = "(1e+25*x^(2)-1.5e-20*x+3)";
    TauscheVorzeichen(t, 2);
    EXPECT_EQ(t, "(1e+25*x^(2)+1.5e-20*x-3)");
    char e[] = "(1--2+-3-+4)";
    EXPECT_STREQ(EliminText(e), "(1+2-3-+4)");
    // Large entries give coefficients in exponent form; both expansions agree with det(A - xI).
    auto rec = Record(3, {-2e10L, 3e9L, 0, 1e10L, 5e10L, -7e9L, 4e9L, 0, 3e10L});
    Beobachter a(rec.get());
    const std::string text = a.TextEntwicklung();
    EXPECT_EQ(text, a.SchnellEntwicklung());
    EXPECT_NE(text.find("e+"), std::string::npos);
    for (long double x : {-3e10L, 1e9L, 4e10L})
        EXPECT_NEAR(static_cast<double>(PolyAt(text, x) / DetAt(*rec, x)), 1.0, 1e-12);
}

TEST(CharPoly, TermListsGiveTheTextsCharacterForCharacter) {
    std::mt19937 gen(13);
    std::uniform_int_distribution<int> small(-9, 9);
    std::uniform_real_distribution<double> real(-100, 100);
    std::bernoulli_distribution zero(0.2), fraction(0.5);
    int compared = 0;
    for (int n = 2; n <= 8; ++n) {
        const int rounds = n <= 5 ? 60 : (n == 6 ? 12 : (n == 7 ? 3 : 1));
        for (int round = 0; round < rounds; ++round) {
            auto rec = Record(n, {});
            for (int c = 0; c < n; ++c)
                for (int r = 0; r < n; ++r)
                    rec->Mat[c][r] = zero(gen)       ? 0
                                     : fraction(gen) ? static_cast<long double>(real(gen)) / 7
                                                     : small(gen);
            Beobachter a(rec.get());
            const std::string fast = a.SchnellEntwicklung();
            ASSERT_FALSE(fast.empty());
            EXPECT_EQ(a.TextEntwicklung(), fast) << "n=" << n;
            ++compared;
            // The polynomial is det(A - xI).
            for (long double x : {-2.5L, 0.0L, 1.75L}) {
                const long double d = DetAt(*rec, x);
                EXPECT_NEAR(static_cast<double>(PolyAt(fast, x)), static_cast<double>(d),
                            1e-9 * std::max(1.0L, fabsl(d)));
            }
        }
    }
    EXPECT_GT(compared, 250);
}
