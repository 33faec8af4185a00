// Number text conversion, rounding, guarded arithmetic and text helpers.
#include "vdparser.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <locale.h>
#include <random>
#include <string>

namespace {

std::string Ld(long double x, int digits, bool minimal) {
    char buf[64];
    return ldtochar(buf, x, digits, minimal);
}

long double ReadC(const std::string& s) {
    static locale_t c = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(0));
    return strtold_l(s.c_str(), nullptr, c);
}

std::string Fmt(long double x, int digits) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%-1.*Lg", digits, x);
    return buf;
}

// The shortest-exact search written out literally (the reference for the fast version).
std::string Reference(long double x, int digits, bool minimal) {
    if (minimal && fabsl(x) < 1e-5L) x = corrroundl(x, 15);
    if (digits >= 1 && digits <= 20 && !minimal) return Fmt(x, digits);
    if (!minimal) digits = 20;
    std::string best = (digits >= 1 && digits <= 20) ? Fmt(x, digits) : Reference(x, digits, false);
    long double err = fabsl(ReadC(best) - x);
    while (err != 0) {
        digits -= 1;
        if (digits < 1) break;
        const std::string s =
            (digits >= 1 && digits <= 20) ? Fmt(x, digits) : Reference(x, digits, false);
        const long double e = fabsl(ReadC(s) - x);
        if (e < err) {
            best = s;
            err = e;
        }
    }
    return best;
}

// Restores LC_NUMERIC when a test switched it.
struct NumericLocale {
    std::string saved;
    NumericLocale() : saved(std::setlocale(LC_NUMERIC, nullptr)) {}
    ~NumericLocale() { std::setlocale(LC_NUMERIC, saved.c_str()); }
};

} // namespace

// --- ldtochar -------------------------------------------------------------------------------

TEST(NumText, LdtocharSpecExamples) {
    EXPECT_EQ(Ld(1103, 6, true), "1103");
    EXPECT_EQ(Ld(0.1L, 6, true), "0.1");
    EXPECT_EQ(Ld(1e-17L, 6, true), "0");
    EXPECT_EQ(Ld(12.3456L, 4, false), "12.35");
    EXPECT_EQ(Ld(0, 6, true), "0");
    EXPECT_EQ(Ld(1, 6, true), "1");
    EXPECT_EQ(Ld(1e25L, 26, true), "1e+25");
    EXPECT_EQ(Ld(0.1L, 26, true), "0.1");
    EXPECT_EQ(Ld(2.5L, 26, true), "2.5");
}

TEST(NumText, LdtocharOneThird) {
    const long double third = 1.0L / 3.0L;
    EXPECT_EQ(Ld(third, 20, false), "0.33333333333333333334");
    // Twenty digits do not read back exactly; nothing shorter is closer, so all twenty stay.
    EXPECT_EQ(Ld(third, 26, true), "0.33333333333333333334");
    EXPECT_EQ(Ld(third, 0, false), "0.33333333333333333334");
    EXPECT_EQ(Ld(third, 6, true), "0.333333");
    EXPECT_EQ(Ld(-third, 26, true), "-0.33333333333333333334");
    EXPECT_EQ(Ld(2.0L / 3.0L, 4, true), "0.6667");
}

TEST(NumText, LdtocharNegativeAndExponentForms) {
    EXPECT_EQ(Ld(-1103, 6, true), "-1103");
    EXPECT_EQ(Ld(-2.5L, 26, true), "-2.5");
    EXPECT_EQ(Ld(-1e25L, 26, true), "-1e+25");
    EXPECT_EQ(Ld(-1e-300L, 26, true), "-0"); // rounded to 15 places first
    EXPECT_EQ(Ld(1234567, 4, false), "1.235e+06");
    EXPECT_EQ(Ld(-0.0001234L, 20, false), "-0.0001234");
    EXPECT_EQ(Ld(0.00001234L, 20, false), "1.234e-05");
    // The minimal rounding to 15 places below 1e-5.
    EXPECT_EQ(Ld(1.2345678901234e-6L, 26, true), "1.23456789e-06");
    EXPECT_EQ(Ld(4e-16L, 26, true), "0");
    EXPECT_EQ(Ld(6e-16L, 15, true), "1e-15");
    // The search keeps the most digits (from 20 down) that read back exactly: 1e-15L is
    // 9.99999999999999999994e-16, whose 20-digit text already reads back.
    EXPECT_EQ(Ld(6e-16L, 26, true), "9.9999999999999999999e-16");
    // "-0" is left to the caller.
    EXPECT_EQ(Ld(-1e-17L, 6, true), "-0");
}

TEST(NumText, LdtocharNonFinite) {
    EXPECT_EQ(Ld(HUGE_VALL, 26, true), "inf");
    EXPECT_EQ(Ld(-HUGE_VALL, 6, true), "-inf");
    EXPECT_EQ(Ld(HUGE_VALL, 6, false), "inf");
}

TEST(NumText, LdtocharExtremes) {
    for (long double x : {LDBL_MAX, -LDBL_MAX, LDBL_MIN, LDBL_TRUE_MIN, LDBL_EPSILON,
                          1.0L + LDBL_EPSILON, 0x1p100L, 0x1p-100L, 0x1p63L, 0x1p64L - 1}) {
        for (int d : {26, 20, 15, 6, 1}) {
            SCOPED_TRACE(Fmt(x, 21) + " digits " + std::to_string(d));
            EXPECT_EQ(Ld(x, d, true), Reference(x, d, true));
        }
    }
}

// Random long doubles over the whole range: the text of the search reads back exactly whenever
// any text of at most 20 digits does (that is, when fmt(20) does), and always equals the
// literal search. digits 0 (not minimal) is the search without the rounding of
// values below 1e-5.
TEST(NumText, LdtocharRoundTripRandom) {
    std::mt19937_64 rng(20261208);
    int exact = 0, total = 0;
    for (int i = 0; i < 20000; ++i) {
        const unsigned long long mant = rng() | (1ULL << 63);
        int exp = static_cast<int>(rng() % 600) - 300;
        if (i % 10 == 0) exp += static_cast<int>(rng() % 32000) - 16000;
        long double x = ldexpl(static_cast<long double>(mant), exp - 63);
        if (rng() & 1) x = -x;
        const std::string s = Ld(x, 0, false);
        ++total;
        if (ReadC(Fmt(x, 20)) == x) {
            ++exact;
            ASSERT_EQ(ReadC(s), x) << s;
        }
        if (i % 4 == 0) {
            ASSERT_EQ(s, Reference(x, 0, false)) << Fmt(x, 25);
        }
        if (fabsl(x) >= 1e-5L) {
            ASSERT_EQ(Ld(x, 26, true), s);
        }
    }
    // Most long doubles read back from 20 digits; the rest would need 21.
    EXPECT_GT(exact, total / 2);
}

TEST(NumText, LdtocharShortValuesRoundTrip) {
    std::mt19937_64 rng(7);
    for (int i = 0; i < 5000; ++i) {
        // Values with few decimal digits, at least 1e-5: the text of 20 digits reads back.
        const long long m = static_cast<long long>(rng() % 2000001) - 1000000;
        const int e = static_cast<int>(rng() % 31) - 10;
        char src[64];
        std::snprintf(src, sizeof src, "%llde%d", m, e);
        const long double x = ReadC(src);
        if (x != 0 && fabsl(x) < 1e-5L) continue;
        const std::string s = Ld(x, 26, true);
        ASSERT_EQ(ReadC(s), x) << src << " -> " << s;
        ASSERT_EQ(s, Fmt(x, 20)) << src;
        for (int d : {15, 6}) ASSERT_EQ(Ld(x, d, true), Reference(x, d, true)) << src << " " << d;
    }
}

TEST(NumText, LdtocharSmallDigitsMatchReference) {
    std::mt19937_64 rng(11);
    std::uniform_real_distribution<double> u(-1e6, 1e6);
    for (int i = 0; i < 5000; ++i) {
        const long double x = static_cast<long double>(u(rng)) / 7.0L;
        for (int d : {1, 2, 4, 6, 10, 15}) ASSERT_EQ(Ld(x, d, true), Reference(x, d, true));
    }
    // Near powers of two and decades, where the shortcut does not apply.
    for (int e = -70; e <= 70; ++e) {
        for (long double x : {ldexpl(1.0L, e), nextafterl(ldexpl(1.0L, e), 0),
                              nextafterl(ldexpl(1.0L, e), HUGE_VALL), powl(10.0L, e),
                              nextafterl(powl(10.0L, e), 0), ldexpl(1.0L, e) * 0.9999L}) {
            for (int d : {1, 2, 3, 6, 15, 20, 26})
                ASSERT_EQ(Ld(x, d, true), Reference(x, d, true)) << Fmt(x, 21) << " " << d;
        }
    }
}

TEST(NumText, DtocharWidensDouble) {
    char buf[64];
    EXPECT_STREQ(dtochar(buf, 1.5, 6, true), "1.5");
    EXPECT_STREQ(dtochar(buf, 0.1, 20, false), "0.10000000000000000555");
    EXPECT_EQ(std::string(dtochar(buf, 0.1, 26, true)),
              Ld(static_cast<long double>(0.1), 26, true));
}

// --- chartold, chartod, isvalidld -----------------------------------------------------------

TEST(NumText, ChartoldReadsDecimalNumbers) {
    char* rest = nullptr;
    EXPECT_EQ(chartold("12.5", &rest), 12.5L);
    EXPECT_STREQ(rest, "");
    EXPECT_EQ(chartold("-1.5e-3", &rest), -1.5e-3L);
    EXPECT_EQ(chartold("+7", &rest), 7.0L);
    EXPECT_EQ(chartold(".5", &rest), 0.5L);
    EXPECT_EQ(chartold("5.", &rest), 5.0L);
    EXPECT_EQ(chartold("1E3", &rest), 1000.0L);
    EXPECT_EQ(chartold("0.1", &rest), 0.1L);
    EXPECT_STREQ(rest, "");
    EXPECT_EQ(chartold("1e5000", &rest), HUGE_VALL);
    EXPECT_EQ(chartold("1e-5000", &rest), 0.0L);
    EXPECT_STREQ(rest, "");
}

TEST(NumText, ChartoldLeftOver) {
    char* rest = nullptr;
    const char* t = "12abc";
    EXPECT_EQ(chartold(t, &rest), 0.0L);
    EXPECT_EQ(rest, t + 2);
    EXPECT_EQ(chartold("1.5e", &rest), 0.0L);
    EXPECT_STREQ(rest, "e");
    EXPECT_EQ(chartold("1e+", &rest), 0.0L);
    EXPECT_STREQ(rest, "e+");
    EXPECT_EQ(chartold("1,5", &rest), 0.0L);
    EXPECT_STREQ(rest, ",5");
    EXPECT_EQ(chartold("1.2.3", &rest), 0.0L);
    EXPECT_STREQ(rest, ".3");
}

// strtold would read these; chartold accepts only the decimal syntax.
TEST(NumText, ChartoldRejectsWhatStrtoldAlsoReads) {
    char* rest = nullptr;
    for (const char* t :
         {"nan", "inf", "infinity", "-inf", " 5", "\t5", "-", "+", ".", "-.", "e5"}) {
        EXPECT_EQ(chartold(t, &rest), 0.0L) << t;
        EXPECT_EQ(rest, t) << t;
        EXPECT_FALSE(isvalidld(t)) << t;
    }
    const char* hex = "0x10";
    EXPECT_EQ(chartold(hex, &rest), 0.0L);
    EXPECT_EQ(rest, hex + 1);
    EXPECT_FALSE(isvalidld("0x10"));
    EXPECT_FALSE(isvalidld("5 "));
    // The empty text reads as 0 with nothing left over.
    EXPECT_EQ(chartold("", &rest), 0.0L);
    EXPECT_TRUE(isvalidld(""));
    EXPECT_EQ(chartold("12", nullptr), 12.0L);
}

TEST(NumText, Isvalidld) {
    EXPECT_TRUE(isvalidld("1.5"));
    EXPECT_TRUE(isvalidld("-1.5e-3"));
    EXPECT_TRUE(isvalidld("1.5E+3"));
    EXPECT_FALSE(isvalidld("1.5e"));
    EXPECT_FALSE(isvalidld("1.5e-"));
    EXPECT_FALSE(isvalidld("12abc"));
    EXPECT_FALSE(isvalidld("#1101"));
}

TEST(NumText, Chartod) {
    char* rest = nullptr;
    EXPECT_EQ(chartod("2.5", &rest), 2.5);
    EXPECT_EQ(chartod("1e5000", &rest), 0.0);
    EXPECT_EQ(chartod("-1e5000", &rest), 0.0);
    EXPECT_EQ(chartod("12x", &rest), 0.0);
    EXPECT_STREQ(rest, "x");
}

TEST(NumText, LocaleIndependent) {
    NumericLocale keep;
    const char* found = nullptr;
    for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "de_DE"}) {
        if (std::setlocale(LC_NUMERIC, name)) {
            found = name;
            break;
        }
    }
    if (!found) GTEST_SKIP() << "no German locale installed";
    ASSERT_EQ(std::localeconv()->decimal_point[0], ',');
    char* rest = nullptr;
    EXPECT_EQ(chartold("1.5", &rest), 1.5L);
    EXPECT_STREQ(rest, "");
    EXPECT_EQ(chartold("1,5", &rest), 0.0L);
    EXPECT_STREQ(rest, ",5");
    EXPECT_TRUE(isvalidld("2.25e1"));
    EXPECT_EQ(Ld(1.5L, 6, true), "1.5");
    EXPECT_EQ(Ld(1.0L / 3, 26, true), "0.33333333333333333334");
    EXPECT_EQ(Ld(12.3456L, 4, false), "12.35");
    long double r = 0;
    char text[] = "1.5+2.25";
    fast_add(text, &r, false, false);
    EXPECT_EQ(r, 3.75L);
}

// --- rounding -------------------------------------------------------------------------------

TEST(NumText, CorrroundlSpecExamples) {
    EXPECT_EQ(corrroundl(2.5L, 0), 3.0L);
    EXPECT_EQ(corrroundl(-2.5L, 0), -3.0L);
    EXPECT_EQ(corrroundl(1.25L, 1), 1.3L);
    EXPECT_EQ(corrroundl(-0.4L), 0.0L);
}

TEST(NumText, CorrroundlPlaces) {
    EXPECT_EQ(corrroundl(1.24L, 1), 1.2L);
    EXPECT_EQ(corrroundl(-1.25L, 1), -1.3L);
    EXPECT_EQ(corrroundl(3.14159265L, 4), 3.1416L);
    EXPECT_EQ(corrroundl(-3.14159265L, 2), -3.14L);
    EXPECT_EQ(corrroundl(0.0L, 5), 0.0L);
    EXPECT_EQ(corrroundl(1e-17L, 15), 0.0L);
    EXPECT_EQ(corrroundl(7e-16L, 15), 1e-15L);
}

TEST(NumText, CorrroundlNegativePlaces) {
    EXPECT_EQ(corrroundl(1234.0L, -1), 1230.0L);
    EXPECT_EQ(corrroundl(1235.0L, -1), 1240.0L);
    EXPECT_EQ(corrroundl(1250.0L, -2), 1300.0L);
    EXPECT_EQ(corrroundl(1249.9L, -2), 1200.0L);
    EXPECT_EQ(corrroundl(-1250.0L, -2), -1300.0L);
    EXPECT_EQ(corrroundl(-1249.0L, -2), -1200.0L);
    EXPECT_EQ(corrroundl(499.0L, -3), 0.0L);
    EXPECT_EQ(corrroundl(500.0L, -3), 1000.0L);
    EXPECT_EQ(corrroundl(123456789.0L, -4), 123460000.0L);
}

TEST(NumText, CorrroundlOutOfRange) {
    // Huge values are integers already; x * 10^n beyond the range gives x back.
    EXPECT_EQ(corrroundl(1e4930L, 15), 1e4930L);
    EXPECT_EQ(corrroundl(HUGE_VALL, 3), HUGE_VALL);
    EXPECT_EQ(corrroundl(-HUGE_VALL, 3), -HUGE_VALL);
    EXPECT_TRUE(std::isnan(corrroundl(NAN, 3)));
    EXPECT_EQ(corrroundl(0x1p70L, 2), 0x1p70L);
}

TEST(NumText, CorrroundlInteger) {
    EXPECT_EQ(corrroundl(0.5L), 1.0L);
    EXPECT_EQ(corrroundl(0.49L), 0.0L);
    EXPECT_EQ(corrroundl(-0.5L), -1.0L);
    EXPECT_EQ(corrroundl(-0.51L), -1.0L);
    EXPECT_EQ(corrroundl(-1.49L), -1.0L);
    EXPECT_EQ(corrroundl(7.0L), 7.0L);
    EXPECT_EQ(corrroundl(-7.0L), -7.0L);
    EXPECT_EQ(corrroundl(1e30L), 1e30L);
}

TEST(NumText, Corrround) {
    EXPECT_EQ(corrround(2.345, 2), static_cast<double>(corrroundl(2.345, 2)));
    EXPECT_EQ(corrround(-2.5, 0), -3.0);
    EXPECT_EQ(corrround(1234.0, -2), 1200.0);
}

// --- corrpolyl ------------------------------------------------------------------------------

TEST(NumText, Corrpolyl) {
    long double c[] = {6, -11, 6, -1}; // -x^3 + 6x^2 - 11x + 6
    EXPECT_EQ(corrpolyl(1, 3, c), 0.0L);
    EXPECT_EQ(corrpolyl(2, 3, c), 0.0L);
    EXPECT_EQ(corrpolyl(0, 3, c), 6.0L);
    EXPECT_EQ(corrpolyl(4, 3, c), -6.0L);
    long double z[] = {0, 0, 0};
    EXPECT_EQ(corrpolyl(1e4000L, 2, z), 0.0L); // zero coefficients are never raised
    long double one[] = {5};
    EXPECT_EQ(corrpolyl(1e4000L, 0, one), 5.0L);
}

TEST(NumText, CorrpolylOutOfRange) {
    long double c[] = {1, 0, 1};
    EXPECT_EQ(corrpolyl(1e3000L, 2, c), CORRldERR); // the power overflows
    long double big[] = {0, 1e4000L};
    EXPECT_EQ(corrpolyl(1e1000L, 1, big), CORRldERR); // the product overflows
    long double neg[] = {-1e4932L, -1e4932L};
    EXPECT_EQ(corrpolyl(1, 1, neg), CORRldERR); // the sum overflows (to minus infinity)
    long double tiny[] = {1, 1, 1};
    EXPECT_EQ(corrpolyl(1e-3000L, 2, tiny), CORRldERR); // underflow of powl: the error value
}

// --- guarded arithmetic ---------------------------------------------------------------------

TEST(NumText, GuardsSpecExamples) {
    long double r = 0;
    EXPECT_FALSE(mult_ok(1e4000L, 1e4000L, &r));
    EXPECT_TRUE(add_ok(1, 2, &r));
    EXPECT_EQ(r, 3.0L);
}

TEST(NumText, Guards) {
    long double r = 0;
    EXPECT_TRUE(sub_ok(1, 3, &r));
    EXPECT_EQ(r, -2.0L);
    EXPECT_TRUE(mult_ok(-4, 2.5L, &r));
    EXPECT_EQ(r, -10.0L);
    EXPECT_TRUE(div_ok(10, 4, &r));
    EXPECT_EQ(r, 2.5L);
    EXPECT_FALSE(div_ok(1, 0, &r));
    EXPECT_EQ(r, HUGE_VALL); // the exact result is stored
    EXPECT_FALSE(div_ok(0, 0, &r));
    EXPECT_TRUE(std::isnan(r));
    EXPECT_FALSE(add_ok(LDBL_MAX, LDBL_MAX, &r));
    EXPECT_FALSE(sub_ok(-LDBL_MAX, LDBL_MAX, &r));
    EXPECT_FALSE(mult_ok(-1e3000L, 1e3000L, &r));
    EXPECT_FALSE(add_ok(HUGE_VALL, 1, &r));
    EXPECT_FALSE(add_ok(NAN, 1, &r));
    EXPECT_TRUE(add_ok(LDBL_MAX, 0, &r));
    EXPECT_TRUE(mult_ok(1e-4000L, 1e-4000L, &r)); // underflow is no range error here
    EXPECT_EQ(r, 0.0L);
    EXPECT_TRUE(div_ok(1, LDBL_MAX, &r));
}

// --- fast_add -------------------------------------------------------------------------------

namespace {
long double FastAdd(const char* text, bool brackets, bool signs) {
    char buf[256];
    std::strcpy(buf, text);
    long double r = -12345;
    fast_add(buf, &r, brackets, signs);
    return r;
}
} // namespace

TEST(NumText, FastAdd) {
    EXPECT_EQ(FastAdd("(1+2)-(-3)", true, true), 6.0L);
    EXPECT_EQ(FastAdd("1.5+2-3e-2", false, false), 3.47L);
    EXPECT_EQ(FastAdd("1e-3+2", false, false), 2.001L);
    EXPECT_EQ(FastAdd("2+1e-3", false, false), 2.001L);
    EXPECT_EQ(FastAdd("-1e+3-1E+2", false, false), -1100.0L);
    EXPECT_EQ(FastAdd("42", false, false), 42.0L);
    EXPECT_EQ(FastAdd("-4.5", false, false), -4.5L);
    EXPECT_EQ(FastAdd("1+2+3+4+5+6+7+8+9+10", false, false), 55.0L);
    EXPECT_EQ(FastAdd("1--2", false, true), 3.0L);
    EXPECT_EQ(FastAdd("1+-2", false, true), -1.0L);
    EXPECT_EQ(FastAdd("1-+2", false, true), -1.0L);
    EXPECT_EQ(FastAdd("1++2", false, true), 3.0L);
    EXPECT_EQ(FastAdd("0.1+0.2-0.3", false, false), (0.1L + 0.2L) - 0.3L);
    EXPECT_EQ(FastAdd("", false, false), 0.0L);
}

TEST(NumText, FastAddLeavesTheCallersTextAlone) {
    char buf[64] = "(1+2)-(-3)";
    long double r = 0;
    fast_add(buf, &r, true, true);
    EXPECT_STREQ(buf, "(1+2)-(-3)");
}

TEST(NumText, FastAddOverflowStaysInfinite) {
    EXPECT_EQ(FastAdd("1e4932+1e4932+1", false, false), HUGE_VALL);
}

// --- turnintochar, turnbetweenintochar ------------------------------------------------------

namespace {
std::string Turn(const char* text, const char* search, const char* turn, bool whole) {
    char buf[512];
    return turnintochar(buf, text, search, turn, whole);
}
std::string Between(const char* text, const char* search, const char* turn) {
    char buf[512];
    return turnbetweenintochar(buf, text, search, turn);
}
} // namespace

TEST(NumText, TurnintocharWholeWord) {
    EXPECT_EQ(Turn("x+ax", "x", "2", true), "2+ax");
    EXPECT_EQ(Turn("x*x+x", "x", "(3)", true), "(3)*(3)+(3)"); // the text end counts
    EXPECT_EQ(Turn("(x,x)", "x", "7", true), "(7,7)");
    EXPECT_EQ(Turn("exp(x)+xy", "x", "1", true), "exp(1)+xy");
    EXPECT_EQ(Turn("x", "x", "(x+h)", true), "(x+h)");
    EXPECT_EQ(Turn("x^x", "x", "(x+h)", true), "(x+h)^(x+h)");
    EXPECT_EQ(Turn("2x", "x", "5", true), "25");
    EXPECT_EQ(Turn("ab+b", "ab", "c", true), "c+b");
    EXPECT_EQ(Turn("", "x", "1", true), "");
}

TEST(NumText, TurnintocharEveryOccurrence) {
    EXPECT_EQ(Turn("a,b,c", ",", ".", false), "a.b.c");
    EXPECT_EQ(Turn("sinsin", "sin", "S", false), "SS");
    EXPECT_EQ(Turn("a  b", " ", "", false), "ab");
    EXPECT_EQ(Turn("x", "x", "xx", false), "xx"); // ends although the replacement contains x
    EXPECT_EQ(Turn("abc", "", "z", false), "abc");
    char buf[64] = "1,5+2,5";
    EXPECT_STREQ(turnintochar(buf, buf, ",", ".", false), "1.5+2.5"); // in place
}

TEST(NumText, Turnbetweenintochar) {
    EXPECT_EQ(Between("a\"b\"c", "\"", ""), "ac");
    EXPECT_EQ(Between("a\"b", "\"", ""), "");
    EXPECT_EQ(Between("2\"note\"+1\"x\"", "\"", ""), "2+1");
    EXPECT_EQ(Between("1\"a\"2\"b", "\"", ""), "");
    EXPECT_EQ(Between("abc", "\"", ""), "abc");
    EXPECT_EQ(Between("x[c]y[d]z", "[", "_"), "x_d]z");    // "[c]y[" is one section
    EXPECT_EQ(Between("a\"b\"c", "\"", "\"\""), "a\"\"c"); // ends although turn holds the mark
}

// --- GetLastValue, GetCount -----------------------------------------------------------------

namespace {
std::string Last(const char* text, int end, int* start, bool exclude) {
    char buf[256];
    return GetLastValue(buf, text, end, start, exclude);
}
} // namespace

TEST(NumText, GetLastValue) {
    int start = -1;
    EXPECT_EQ(Last("200+10%", 5, &start, false), "+10");
    EXPECT_EQ(start, 3);
    EXPECT_EQ(Last("200+10%", 5, &start, true), "10");
    EXPECT_EQ(start, 4);
    EXPECT_EQ(Last("200-10%", 5, &start, true), "-10"); // a "-" stays as the sign
    EXPECT_EQ(start, 3);
    EXPECT_EQ(Last("2*sin(x+1)", 9, &start, false), "*sin(x+1)");
    EXPECT_EQ(start, 1);
    EXPECT_EQ(Last("2*sin(x+1)", 9, &start, true), "sin(x+1)");
    EXPECT_EQ(Last("50", 1, &start, false), "50");
    EXPECT_EQ(start, 0);
    EXPECT_EQ(Last("(3+50)", 4, &start, false), "+50");
    EXPECT_EQ(Last("(50)", 2, &start, false), "50");
    EXPECT_EQ(start, 1);
    EXPECT_EQ(Last("4/(2*(1+1))", 10, &start, true), "(2*(1+1))");
    EXPECT_EQ(start, 2);
}

TEST(NumText, GetCount) {
    EXPECT_EQ(GetCount("a+b+c", '+'), 2);
    EXPECT_EQ(GetCount("", '+'), 0);
    EXPECT_EQ(GetCount("((()", '('), 3);
}
