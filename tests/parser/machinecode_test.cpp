// Evaluation as machine code against the loop: a text evaluated again and again runs as machine
// code, a text compiled afresh runs the loop once. Both must give the same bits, the same error
// codes and the same messages at every point, and the machine code must leave nothing behind
// that changes a later evaluation.
#include "vdparser.h"

#include <array>
#include <cfloat>
#include <cmath>
#include <gtest/gtest.h>
#include <random>
#include <string>
#include <vector>

namespace {

struct Outcome {
    long double value;
    int error;
    std::string message;
};

Outcome Evaluate(vdParser& parser, long double x, long double y) {
    long double values[2] = {x, y};
    Outcome o{parser.GetResultExt(values), parser.GetGlobalError(), ""};
    char message[512] = "";
    if (o.error) parser.GetErrorTypeText(message);
    o.message = message;
    return o;
}

bool SameBits(long double a, long double b) {
    return a == b ? std::signbit(a) == std::signbit(b) : std::isnan(a) && std::isnan(b);
}

// Evaluated often enough to run as machine code.
void WarmUp(vdParser& parser) {
    for (int i = 0; i < 40; ++i) Evaluate(parser, 0.5L + i, 1.25L - i);
}

// Random texts of the operations and functions in x and y, with constants, signs, brackets and
// integer powers.
class TextMaker {
public:
    explicit TextMaker(unsigned seed) : random(seed) {}
    std::string Make(int depth) {
        const int kind = Pick(depth <= 0 ? 3 : 12);
        switch (kind) {
        case 0:
            return "x";
        case 1:
            return "y";
        case 2: {
            static const char* const constants[] = {"2", "0.5", "3", "1e-3", "7.25", "0", "1e300"};
            return constants[Pick(7)];
        }
        case 3:
        case 4:
        case 5:
        case 6: {
            static const char* const ops[] = {"+", "-", "*", "/"};
            return "(" + Make(depth - 1) + ops[kind - 3] + Make(depth - 1) + ")";
        }
        case 7: {
            static const char* const exponents[] = {"2", "3", "-1", "-2",  "-3", "4",
                                                    "5", "8", "13", "0.5", "y"};
            return "(" + Make(depth - 1) + ")^" + exponents[Pick(11)];
        }
        case 8:
            return "-" + Make(depth - 1);
        default: {
            static const char* const functions[] = {"abs", "sqrt", "sin", "exp",  "ln",
                                                    "cos", "tan",  "lg",  "atan", "sinh"};
            return std::string(functions[Pick(10)]) + "(" + Make(depth - 1) + ")";
        }
        }
    }

private:
    std::mt19937 random;
    int Pick(int n) { return int(random() % unsigned(n)); }
};

// The warmed-up parser against one compiled afresh at each point: the same error, message and
// bits. Returns the number of errors met.
int ExpectLikeAFreshParser(vdParser& warm, const std::string& text,
                           const std::vector<std::array<long double, 2>>& points) {
    int errors = 0;
    for (const auto& p : points) {
        const Outcome w = Evaluate(warm, p[0], p[1]);
        vdParser cold(text.c_str(), 2, "xy", true, true, true, true);
        const Outcome c = Evaluate(cold, p[0], p[1]);
        EXPECT_EQ(w.error, c.error) << text << " at " << double(p[0]) << ", " << double(p[1]);
        EXPECT_EQ(w.message, c.message) << text;
        if (!w.error) {
            EXPECT_TRUE(SameBits(w.value, c.value))
                << text << " at " << double(p[0]) << ": " << double(w.value) << " against "
                << double(c.value);
        }
        if (w.error) ++errors;
    }
    return errors;
}

TEST(MachineCode, AgreesWithTheLoopBitForBit) {
    const std::vector<std::array<long double, 2>> points = {
        {0.75L, -1.5L}, {-3, 0.25L},    {0, 0},       {1, -1}, {1e-2000L, 3},
        {1e2000L, -2},  {-1e-4940L, 5}, {2, 1e4000L}, {7, 7},  {-0.0L, 1e-300L}};
    TextMaker maker(2024);
    int machine = 0, errors = 0;
    for (int t = 0; t < 400 && !HasFailure(); ++t) {
        const std::string text = maker.Make(1 + t % 5);
        vdParser warm(text.c_str(), 2, "xy", true, true, true, true);
        if (warm.GetGlobalError() != 0) continue;
        WarmUp(warm);
        if (warm.HasMachineCode()) ++machine;
        errors += ExpectLikeAFreshParser(warm, text, points);
    }
    EXPECT_GT(machine, 250);
    EXPECT_GT(errors, 500);
}

// An infinity or NaN that a later step would turn finite again (a quotient, a function, a
// reciprocal), and powers too small for the range: each reported as by the loop.
TEST(MachineCode, ValuesOutOfRangeDoNotHideBehindLaterSteps) {
    const char* const texts[] = {
        "1/(x*x*x)+y",       "y/(x*x*x-x*x*x+1)", "exp(-(x*x*x))+y", "atan(x*x*x)*y",
        "sin(x*x*x)+cos(y)", "(x*x*x)^-1+y",      "2^(x*x*x)+y",     "abs(x*x*x-x*x*x)+y",
        "1/x^2+y",           "x^3*1e3000+y",      "(x*y)^2/(x*y)",   "ln(abs(x*x*x))*0+y",
        "1/(1/(x*x))+y",     "sqrt(y-x*x)*0+y",   "(x^5)^2+y",       "1/(x^4*x^5)+y"};
    const std::vector<std::array<long double, 2>> points = {
        {1e2000L, 1}, {-1e2000L, 2},      {1e-2000L, 1}, {1e-1500L, 3}, {0, 1},
        {1e-160L, 1}, {1e1000L, 1e1000L}, {2, 3},        {-0.5L, 4},    {1e-3000L, 1e3000L}};
    int errors = 0;
    for (const char* text : texts) {
        vdParser warm(text, 2, "xy", true, true, true, true);
        ASSERT_EQ(warm.GetGlobalError(), 0) << text;
        for (int i = 0; i < 40; ++i) Evaluate(warm, 0.5L + i / 64.0L, 1 + i / 64.0L);
        EXPECT_TRUE(warm.HasMachineCode()) << text;
        errors += ExpectLikeAFreshParser(warm, text, points);
        // Left for the loop at one point, the code runs again at the next.
        EXPECT_TRUE(warm.HasMachineCode()) << text;
    }
    EXPECT_GT(errors, 50);
}

TEST(MachineCode, ErrorsLeaveTheNextValueAlone) {
    vdParser parser("1/x+x^2", 1, "x", true, true, true, true);
    WarmUp(parser);
    ASSERT_TRUE(parser.HasMachineCode());
    const Outcome zero = Evaluate(parser, 0, 0);
    EXPECT_EQ(zero.error, 5);
    EXPECT_EQ(zero.message, "'1/0' kann keinen vertretbaren Wert ermitteln. (Division ist nicht im "
                            "g\xFCltigen Bereich.)");
    EXPECT_EQ(Evaluate(parser, 2, 0).value, 0 + 1 / 2.0L + 4);
    // Out of range, then in range again: as a text compiled afresh, every time.
    // 2^-8200 squared is exactly subnormal: no flag tells it, the range test must.
    const long double points[] = {1e-3000L, 3,        1e-2470L,         0.25L,
                                  1e2470L,  -7,       ldexpl(1, -8200), 2,
                                  NAN,      INFINITY, 1e-100L,          ldexpl(1, -6000)};
    for (long double x : points) {
        vdParser cold("1/x+x^2", 1, "x", true, true, true, true);
        const Outcome w = Evaluate(parser, x, 0), c = Evaluate(cold, x, 0);
        EXPECT_EQ(w.error, c.error) << double(x);
        EXPECT_EQ(w.message, c.message) << double(x);
        EXPECT_TRUE(w.error || SameBits(w.value, c.value)) << double(x);
    }
    EXPECT_TRUE(parser.HasMachineCode());
    EXPECT_EQ(Evaluate(parser, 4, 0).error, 0);
}

TEST(MachineCode, FollowsTheAngularUnitAndKeepsTheStoredValues) {
    vdParser parser("sin(x)*2+(x+1)*(x-1)", 1, "x", true, true, true, true);
    WarmUp(parser);
    ASSERT_TRUE(parser.HasMachineCode());
    EXPECT_EQ(Evaluate(parser, 3, 0).value, 0 + sinl(3) * 2 + 4.0L * 2);
    parser.SetAngularUnitTo(1);
    EXPECT_EQ(Evaluate(parser, 90, 0).value, 0 + 1.0L * 2 + 91.0L * 89);
    // The results are in the value list when asked for, from the last point.
    std::vector<int> results;
    char function[32];
    int v1, v2, result;
    for (int i = 0; parser.GetOpStructPos(i, function, &v1, &v2, &result); ++i)
        results.push_back(result);
    long double stored = 0;
    ASSERT_TRUE(parser.GetInvValuesPos(results[0] - 1, &stored));
    EXPECT_EQ(stored, 1);
    // Derivatives at a point run the same code.
    parser.SetAngularUnitTo(2);
    EXPECT_NEAR(double(parser.GetPDerivation(1, 0.5L, false)), 2 * cos(0.5) + 2 * 0.5, 1e-7);
}

TEST(MachineCode, RandomNumbersStayInTheLoop) {
    vdParser dice("rand(1000)+x", 1, "x", true, true, true, true);
    WarmUp(dice);
    EXPECT_FALSE(dice.HasMachineCode());
    vdParser once("x*2", 1, "x", true, true, true, true);
    Evaluate(once, 1, 0);
    EXPECT_FALSE(once.HasMachineCode()); // a text evaluated a few times costs nothing more
}

} // namespace
