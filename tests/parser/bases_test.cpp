// Number bases and angular units: the free conversion functions.
#include "vdparser.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <random>
#include <string>

namespace {

constexpr long double kPi = 3.14159265358979323846264338327950288L;

std::string ToBase(long double x, int digits, int base) {
    char buf[512];
    std::strcpy(buf, "untouched");
    const bool ok = ConvertToBase(buf, x, digits, base);
    return ok ? std::string(buf) : "false:" + std::string(buf);
}

struct Read {
    long double value;
    std::string rest;
};

Read FromBase(const char* text, int base) {
    char* rest = nullptr;
    const long double v = ConvertBaseTold(text, base, &rest);
    return {v, rest ? std::string(rest) : "<null>"};
}

} // namespace

// --- ConvertToAngularUnit -------------------------------------------------------------------

TEST(Bases, AngularUnitExamples) {
    EXPECT_NEAR(static_cast<double>(ConvertToAngularUnit(180, 1, true) - kPi), 0.0, 1e-18);
    EXPECT_EQ(ConvertToAngularUnit(180, 1, true), 180 * (1.0L / 180) * kPi);
    EXPECT_NEAR(static_cast<double>(ConvertToAngularUnit(kPi, 3, false)), 200.0, 1e-16);
    EXPECT_EQ(ConvertToAngularUnit(kPi, 3, false), kPi * 200 * (1.0L / kPi));
}

TEST(Bases, AngularUnits) {
    EXPECT_NEAR(static_cast<double>(ConvertToAngularUnit(kPi, 1, false)), 180.0, 1e-15);
    EXPECT_NEAR(static_cast<double>(ConvertToAngularUnit(200, 3, true) - kPi), 0.0, 1e-18);
    EXPECT_NEAR(static_cast<double>(ConvertToAngularUnit(100, 3, true)), 1.5707963267948966, 1e-18);
    EXPECT_NEAR(static_cast<double>(ConvertToAngularUnit(-90, 1, true)), -1.5707963267948966,
                1e-18);
    for (int unit : {2, 0, 4, -1})
        for (bool to : {true, false}) EXPECT_EQ(ConvertToAngularUnit(1.25L, unit, to), 1.25L);
}

// --- ConvertToBase --------------------------------------------------------------------------

TEST(Bases, ToBaseExamples) {
    EXPECT_EQ(ToBase(10.5L, 15, 2), "1010.1");
    EXPECT_EQ(ToBase(255, 15, 16), "FF");
    EXPECT_EQ(ToBase(-10.5L, 15, 2), "-1010.1");
    EXPECT_EQ(ToBase(0, 15, 2), "0");
    EXPECT_EQ(ToBase(0x1p100L, 15, 2), "1e+1100100");
    EXPECT_EQ(ToBase(0.1L, 15, 2), "0.0001100110011"); // cut, not rounded
}

TEST(Bases, ToBaseDigitsAndBases) {
    EXPECT_EQ(ToBase(10.5L, 0, 2), "1010.1"); // 0 means 15
    EXPECT_EQ(ToBase(8, 15, 8), "10");
    EXPECT_EQ(ToBase(-64.125L, 15, 8), "-100.1");
    EXPECT_EQ(ToBase(0.5L, 15, 16), "0.8");
    EXPECT_EQ(ToBase(3054.0L, 15, 16), "BEE");
    EXPECT_EQ(ToBase(1.0L / 3, 10, 16), "0.55555555");
    EXPECT_EQ(ToBase(-0.0L, 15, 16), "0");
    EXPECT_EQ(ToBase(255, 3, 16), "FF"); // "FF." cut to three: the point stays, then goes
    EXPECT_EQ(ToBase(255, 2, 16), "FF"); // the integer part fills the digits exactly
    EXPECT_EQ(ToBase(255, 1, 16), "Fe+1");
    EXPECT_EQ(ToBase(1, 1, 2), "1");
    EXPECT_EQ(ToBase(2, 1, 2), "1e+1");
    EXPECT_EQ(ToBase(-5, 1, 2), "-1e+10"); // at least the sign and one digit
    EXPECT_EQ(ToBase(-5, 2, 2), "-1e+10");
    EXPECT_EQ(ToBase(-5, 4, 2), "-101");
}

TEST(Bases, ToBaseOtherBases) {
    EXPECT_EQ(ToBase(10, 15, 7), "false:untouched");
    EXPECT_EQ(ToBase(10, 15, 0), "false:untouched");
    EXPECT_EQ(ToBase(1.0L / 3, 15, 10), "0.333333333333333");
    EXPECT_EQ(ToBase(2.5L, 6, 10), "2.5");
    EXPECT_EQ(ToBase(2.5L, 0, 10), "2.5");
}

TEST(Bases, ToBaseBigValues) {
    // The integer part is longer than fits: exponent form, exponent in the same base.
    EXPECT_EQ(ToBase(0x1p100L, 15, 16), "1e+19"); // 16^25 = 2^100
    EXPECT_EQ(ToBase(0x1p100L, 15, 8), "2e+41");  // 2 * 8^33
    EXPECT_EQ(ToBase(-0x1p100L, 15, 2), "-1e+1100100");
    EXPECT_EQ(ToBase(0x1.8p20L, 15, 2), "1.10000000000000e+10100"); // 1.1 * 2^20, cut at 15
    EXPECT_EQ(ToBase(65535, 4, 16), "FFFF");
    EXPECT_EQ(ToBase(65536, 4, 16), "1e+4");
    EXPECT_EQ(ToBase(-65536, 4, 16), "-1e+4");
    EXPECT_EQ(ToBase(0xABCDEF12345ULL, 6, 16), "A.BCDEFe+A");
    // The largest long double: 16384 binary digits, all of them read.
    EXPECT_EQ(ToBase(LDBL_MAX, 15, 2), "1.11111111111111e+11111111111111");
    EXPECT_EQ(ToBase(LDBL_MAX, 15, 16), "F.FFFFFFFFFFFFFFe+FFF");
    EXPECT_EQ(ToBase(0x1p5000L, 15, 2), "1e+1001110001000"); // beyond 4998 digits
}

TEST(Bases, ToBaseSmallValues) {
    // No room for a digit behind the point: exponent form "e-".
    EXPECT_EQ(ToBase(0.25L, 1, 2), "1e-1e+1"); // the exponent 2 is written with one digit too
    EXPECT_EQ(ToBase(0.25L, 2, 2), "1e-10");   // "0." would show nothing
    EXPECT_EQ(ToBase(0.25L, 3, 2), "1e-10");   // "0.0" would show nothing
    EXPECT_EQ(ToBase(0.25L, 4, 2), "0.01");
    EXPECT_EQ(ToBase(0.75L, 1, 2), "1e-1");
    EXPECT_EQ(ToBase(-0.75L, 2, 2), "-1.1e-1"); // the mantissa takes `digits` characters
    EXPECT_EQ(ToBase(0.1L, 1, 16), "1e-1");
    // A value whose cut text would show only zeros gets the exponent form too.
    EXPECT_EQ(ToBase(0x1p-100L, 15, 2), "1e-1100100");
    EXPECT_EQ(ToBase(0x1.8p-100L, 15, 2), "1.1e-1100100");
    EXPECT_EQ(ToBase(-0x1p-100L, 15, 16), "-1e-19");
    EXPECT_EQ(ToBase(0x1p-100L, 15, 8), "4e-42"); // 4 * 8^-34
    EXPECT_EQ(ToBase(0.1L * 0x1p-100L, 6, 16), "1.99999e-1A");
    EXPECT_EQ(ToBase(LDBL_TRUE_MIN, 15, 2), "1e-100000000111101");
    EXPECT_EQ(ToBase(0x1p-13L, 15, 2), "0.0000000000001");
    EXPECT_EQ(ToBase(0x1p-14L, 15, 2), "1e-1110");
}

TEST(Bases, ToBaseNonFinite) {
    EXPECT_EQ(ToBase(HUGE_VALL, 15, 2), "inf");
    EXPECT_EQ(ToBase(-HUGE_VALL, 15, 16), "-inf");
}

// --- ConvertBaseTold ------------------------------------------------------------------------

TEST(Bases, FromBaseExamples) {
    Read r = FromBase("-1.1", 2);
    EXPECT_EQ(r.value, -1.5L);
    EXPECT_EQ(r.rest, "");
    r = FromBase("102", 2);
    EXPECT_EQ(r.rest, "2");
}

TEST(Bases, FromBaseDigits) {
    EXPECT_EQ(FromBase("FF", 16).value, 255.0L);
    EXPECT_EQ(FromBase("@", 16).value, 14.0L); // "E" as the parser holds it
    EXPECT_EQ(FromBase("E", 16).value, 14.0L);
    EXPECT_EQ(FromBase("1@F", 16).value, 0x1EFL);
    EXPECT_EQ(FromBase("ABCD", 16).value, 0xABCDL);
    EXPECT_EQ(FromBase("777", 8).value, 511.0L);
    EXPECT_EQ(FromBase("+101", 2).value, 5.0L);
    EXPECT_EQ(FromBase("0.8", 16).value, 0.5L);
    EXPECT_EQ(FromBase("-0.01", 2).value, -0.25L);
    EXPECT_EQ(FromBase(".1", 8).value, 0.125L);
    EXPECT_EQ(FromBase("10.", 2).value, 2.0L);
    Read r = FromBase("", 2);
    EXPECT_EQ(r.value, 0.0L);
    EXPECT_EQ(r.rest, "");
}

TEST(Bases, FromBaseInvalidCharacters) {
    EXPECT_EQ(FromBase("8", 8).rest, "8");
    EXPECT_EQ(FromBase("19", 8).rest, "9");
    EXPECT_EQ(FromBase("G", 16).rest, "G");
    EXPECT_EQ(FromBase("ff", 16).rest, "f"); // lower-case letters are no digits
    EXPECT_EQ(FromBase("1x1", 2).rest, "x1");
    EXPECT_EQ(FromBase("1.12", 2).rest, "2");
    EXPECT_EQ(FromBase("1.1.1", 2).rest, ".1");
    EXPECT_EQ(FromBase("1-1", 2).rest, "-1");
    EXPECT_EQ(FromBase("--1", 2).rest, "-1");
    EXPECT_EQ(FromBase("2", 2).rest, "2");
    // No digit at all is no number.
    for (const char* t : {"-", "+", ".", "-.", "e+1"}) EXPECT_EQ(FromBase(t, 2).rest, t) << t;
}

TEST(Bases, FromBaseExponents) {
    Read r = FromBase("1e+11", 2); // 1 * 2^3
    EXPECT_EQ(r.value, 8.0L);
    EXPECT_EQ(r.rest, "");
    r = FromBase("1.1e-1", 2); // 1.5 / 2
    EXPECT_EQ(r.value, 0.75L);
    EXPECT_EQ(r.rest, "");
    EXPECT_EQ(FromBase("-1e+10", 16).value, -0x1p64L);
    EXPECT_EQ(FromBase("Ae+1", 16).value, 160.0L);
    EXPECT_EQ(FromBase("7e-1", 8).value, 0.875L);
    EXPECT_EQ(FromBase("1e+1100100", 2).value, 0x1p100L);
    EXPECT_EQ(FromBase("0e+11111111111111111111", 2).value, 0.0L); // no NaN
    EXPECT_EQ(FromBase("1e+11111111111111111111", 2).value, HUGE_VALL);
    EXPECT_EQ(FromBase("1e-11111111111111111111", 2).value, 0.0L);
    // Malformed exponents stop at the "e".
    for (const char* t : {"1e", "1e+", "1e1", "1e11", "1e+1.1", "1e+1e+1", "1.1e"}) {
        const Read bad = FromBase(t, 2);
        EXPECT_EQ(bad.rest, std::string(std::strchr(t, 'e'))) << t;
    }
    EXPECT_EQ(FromBase("1e+12", 2).rest, "2"); // an invalid exponent digit
    EXPECT_EQ(FromBase("1E+1", 2).rest, "+1"); // "E" is no exponent mark (read right to left)
}

TEST(Bases, FromBaseOtherBases) {
    Read r = FromBase("1.5e3", 10);
    EXPECT_EQ(r.value, 1500.0L);
    EXPECT_EQ(r.rest, "");
    EXPECT_EQ(FromBase("12abc", 10).rest, "abc");
    r = FromBase("12", 7);
    EXPECT_EQ(r.value, 0.0L);
    EXPECT_EQ(r.rest, "12"); // not read: the text counts as no number
    EXPECT_EQ(ConvertBaseTold("101", 2, nullptr), 5.0L);
}

// ConvertToBase and ConvertBaseTold agree where nothing is cut.
TEST(Bases, RoundTrip) {
    std::mt19937_64 rng(3);
    for (int base : {2, 8, 16}) {
        for (int i = 0; i < 2000; ++i) {
            const long double x =
                ldexpl(static_cast<long double>(rng() >> 40), static_cast<int>(rng() % 40) - 20) *
                ((rng() & 1) ? -1 : 1);
            char buf[512];
            ASSERT_TRUE(ConvertToBase(buf, x, 80, base));
            std::string text = buf;
            for (char& c : text)
                if (c == 'E') c = '@';
            const Read r = FromBase(text.c_str(), base);
            ASSERT_EQ(r.rest, "") << buf;
            ASSERT_EQ(r.value, x) << buf;
        }
    }
}
