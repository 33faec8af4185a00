// The evaluation program: powers with a constant integer exponent against the general power
// (the same text with the exponent in a variable, which always goes through powl), operations
// done once when compiling, and the messages of both.
#include "mathinline.h"
#include "vdparser.h"

#include <cfloat>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <gtest/gtest.h>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace {

struct Value {
    long double value;
    int error;
    std::string message;
};

Value At(vdParser& parser, long double x, long double y = 0) {
    long double values[2] = {x, y};
    Value v{parser.GetResultExt(values), parser.GetGlobalError(), ""};
    char message[256] = "";
    parser.GetErrorTypeText(message);
    v.message = message;
    return v;
}

// Units in the last place between a and b (0 when equal, both NaN or both infinite alike).
long double Ulps(long double a, long double b) {
    if (a == b || (std::isnan(a) && std::isnan(b))) return 0;
    const long double unit = nextafterl(fabsl(a), INFINITY) - fabsl(a);
    return fabsl(a - b) / unit;
}

// Bases from every part of the range: ordinary, huge, tiny, subnormal, negative, whole
// numbers, and the special values.
std::vector<long double> Bases(size_t count, unsigned seed) {
    std::mt19937_64 random(seed);
    std::uniform_real_distribution<double> mantissa(-1, 1);
    std::uniform_int_distribution<int> exponent(-16445, 16383), small(-70, 70);
    std::vector<long double> bases = {0.0L,     -0.0L,     1.0L,     -1.0L,     2.0L,
                                      LDBL_MAX, -LDBL_MAX, LDBL_MIN, -LDBL_MIN, LDBL_TRUE_MIN,
                                      INFINITY, -INFINITY, NAN,      0.5L,      10.0L};
    while (bases.size() < count) {
        const long double m =
            (long double)mantissa(random) + (long double)mantissa(random) * 1e-19L;
        const int kind = int(bases.size() % 4);
        if (kind == 0)
            bases.push_back(ldexpl(m, exponent(random)));
        else if (kind == 1)
            bases.push_back(ldexpl(m, small(random)));
        else if (kind == 2)
            bases.push_back(roundl(m * 1000));
        else
            bases.push_back(ldexpl(m, -16440 + small(random) / 10)); // subnormal and tiny
    }
    return bases;
}

// "x^n" compiled with n in the text against "x^y" with y = n, at every base.
void CompareWithGeneralPower(int n, size_t count, long double allowedUlps) {
    const std::string exponent = n < 0 ? "-" + std::to_string(-n) : std::to_string(n);
    vdParser constant(("x^" + exponent).c_str(), 2, "xy", true, true, true, true);
    vdParser general("x^y", 2, "xy", true, true, true, true);
    ASSERT_EQ(constant.GetGlobalError(), 0);
    long double worst = 0;
    int errors = 0;
    for (long double x : Bases(count, unsigned(n + 100))) {
        const Value c = At(constant, x, n), g = At(general, x, n);
        ASSERT_EQ(c.error, g.error) << "x^" << n << " at " << double(x);
        ASSERT_EQ(c.message, g.message) << "x^" << n << " at " << double(x);
        if (c.error) ++errors;
        worst = std::max(worst, Ulps(g.value, c.value));
        ASSERT_LE(Ulps(g.value, c.value), allowedUlps) << "x^" << n << " at " << double(x);
    }
    EXPECT_GT(errors, 0) << "the sweep must reach overflow and underflow";
    testing::Test::RecordProperty("worst_ulps_" + std::to_string(n), std::to_string(double(worst)));
}

TEST(IntegerPowers, SquaresCubesAndTheirReciprocalsAreBitIdentical) {
    for (int n : {2, 3}) CompareWithGeneralPower(n, 1000000, 0);
    for (int n : {-1, -2, -3}) CompareWithGeneralPower(n, 200000, 0);
}

TEST(IntegerPowers, OtherExponentsStayWithinOneUnitInTheLastPlace) {
    // Rounded once from an exact product; powl itself is not always the nearest value.
    for (int n = 4; n <= 64; n += (n < 12 ? 1 : 7)) CompareWithGeneralPower(n, 5000, 1);
    for (int n : {-4, -5, -8, -17, -64}) CompareWithGeneralPower(n, 5000, 1);
    // The exact product gives the nearest value where powl of this libm does not.
    vdParser twelve("99^12*x", 1, "x", true, true, true, true);
    EXPECT_EQ(At(twelve, 1).value, 886384871716129280658801.0L);
}

// Positive exponents take the significand's power in integer arithmetic; where it answers, it
// must be what the two-word power gives, also when the base is read negated from memory.
TEST(IntegerPowers, IntegerAndTwoWordPowersAgree) {
    const std::vector<long double> bases = Bases(1000000, 4711);
    long answered = 0;
    for (int n = 4; n <= 64; ++n) {
        const size_t count = n <= 9 || n % 8 == 0 || n == 63 ? bases.size() : 50000;
        for (size_t i = 0; i < count; ++i) {
            const long double x = bases[i];
            long double p = 0, q = 0;
            if (!vdp::SignificandPower(x, nullptr, false, n, &p)) continue;
            ++answered;
            ASSERT_EQ(p, vdp::TwoWordPower(x, n)) << "x^" << n << " at " << double(x);
            const long double negated = -x;
            ASSERT_TRUE(vdp::SignificandPower(negated, &x, true, n, &q));
            ASSERT_EQ(q, n % 2 ? -p : p) << "(-x)^" << n << " at " << double(x);
        }
    }
    EXPECT_GT(answered, 5000000);
    // An exact tie (3^41 needs 65 bits) rounds to even, as the two-word power rounds it.
    long double tie = 0;
    EXPECT_TRUE(vdp::SignificandPower(3, nullptr, false, 41, &tie));
    EXPECT_EQ(tie, vdp::TwoWordPower(3, 41));
    EXPECT_EQ(tie, 36472996377170786404.0L);
    vdParser parser("3^41*x", 1, "x", true, true, true, true);
    EXPECT_EQ(At(parser, 1).value, 36472996377170786404.0L);
}

// Several powers of one base share its significand's products: every term is what the same
// power gives alone, signs, special and subnormal bases, errors and their messages included.
TEST(IntegerPowers, PowersOfOneBaseAgreeWithSinglePowers) {
    // 0+x^4, then +x^5, -x^7 (the negated term), *x^8 and so on, as the parser reads it; sets up
    // to the eighth power and higher ones are computed apart.
    struct SetCase {
        const char* text;
        std::vector<int> exponents;
        std::vector<bool> subtracted;
    };
    const SetCase cases[] = {
        {"x^4+x^5-x^7+x^8+x^13-x^64", {4, 5, 7, 8, 13, 64}, {0, 0, 1, 0, 0, 1}},
        {"x^4+x^5-x^7+x^8", {4, 5, 7, 8}, {0, 0, 1, 0}},
        {"x^6-x^4+x^5", {6, 4, 5}, {0, 1, 0}},
    };
    int errors = 0;
    for (const SetCase& c : cases) {
        std::vector<std::unique_ptr<vdParser>> single;
        for (int n : c.exponents)
            single.push_back(std::make_unique<vdParser>(("x^" + std::to_string(n)).c_str(), 1, "x",
                                                        true, true, true, true));
        vdParser set(c.text, 1, "x", true, true, true, true);
        for (long double x : Bases(200000, 99)) {
            const Value v = At(set, x);
            long double expected = 0;
            Value first{0, 0, ""};
            for (size_t k = 0; k < single.size(); ++k) {
                const Value term = At(*single[k], x);
                if (term.error) {
                    first = term;
                    break;
                }
                expected = c.subtracted[k] ? expected - term.value : expected + term.value;
            }
            if (first.error) {
                ++errors;
                ASSERT_EQ(v.error, first.error) << c.text << " at " << double(x);
                ASSERT_EQ(v.message, first.message) << c.text << " at " << double(x);
            } else if (v.error == 0) {
                ASSERT_TRUE(v.value == expected || (std::isnan(v.value) && std::isnan(expected)))
                    << c.text << " at " << double(x);
            } else {
                // Only the sum itself may go out of range.
                ASSERT_FALSE(std::isfinite(expected) && fabsl(expected) < LDBL_MAX / 2)
                    << c.text << " at " << double(x);
            }
        }
        EXPECT_TRUE(set.HasMachineCode()) << c.text;
    }
    EXPECT_GT(errors, 3000);
    // A negated base from memory: (-x)^5 is odd, (-x)^4 even.
    vdParser negated("(-x)^5+(-x)^4*2", 1, "x", true, true, true, true);
    EXPECT_EQ(At(negated, 3).value, -243 + 162);
    EXPECT_EQ(At(negated, -2).value, 32 + 32);
    // A set beside the powers of the negation (a base of its own), as machine code runs them.
    vdParser mixed("x^5+(-x)^5*2+(-x)^4-x^7", 1, "x", true, true, true, true);
    for (int i = -40; i <= 40; ++i) {
        const long double x = i;
        EXPECT_EQ(At(mixed, x).value, powl(x, 5) - 2 * powl(x, 5) + powl(x, 4) - powl(x, 7)) << i;
    }
    EXPECT_TRUE(mixed.HasMachineCode());
    // Two bases, each with its set.
    vdParser two("x^4*y^5+x^6*y^7", 2, "xy", true, true, true, true);
    EXPECT_EQ(At(two, 3, -2).value, 81.0L * -32 + 729.0L * -128);
}

TEST(IntegerPowers, ErrorsAreThoseOfThePower) {
    vdParser square("x^2", 1, "x", true, true, true, true);
    const Value overflow = At(square, 1e3000L);
    EXPECT_EQ(overflow.error, 6);
    EXPECT_EQ(overflow.message.substr(0, 3), "'^(");
    EXPECT_EQ(At(square, 1e-3000L).error, 6); // an underflowing power is an error, not 0
    EXPECT_EQ(At(square, 0).value, 0);
    EXPECT_EQ(At(square, NAN).error, 6);
    vdParser negative("x^-2", 1, "x", true, true, true, true);
    EXPECT_EQ(At(negative, 0).error, 6);
    EXPECT_EQ(At(negative, 0).message, "'^(0)' kann keinen vertretbaren Wert ermitteln.");
    vdParser eighth("x^8", 1, "x", true, true, true, true);
    EXPECT_EQ(At(eighth, 1e700L).error, 6);
    EXPECT_EQ(At(eighth, 1e-700L).error, 6);
    EXPECT_EQ(At(eighth, -2).value, 256);
    // After an error the next value is computed again.
    EXPECT_EQ(At(eighth, 3).error, 0);
}

TEST(Folding, ConstantPartsKeepTheirValuesAndMessages) {
    // Done once or at every evaluation: the same value.
    vdParser folded("(2^0.5+ln(3))*x", 1, "x", true, true, true, true);
    EXPECT_EQ(At(folded, 2).value, (sqrtl(2) + logl(3)) * 2);
    // A constant part that fails fails at evaluation, with its message, as without folding.
    struct Case {
        const char* text;
        int error;
        const char* message;
    } cases[] = {
        {"sqrt(-1)+x", 6, "'sqrt(-1)' kann keinen vertretbaren Wert ermitteln."},
        {"x+1/0", 5,
         "'1/0' kann keinen vertretbaren Wert ermitteln. (Division ist nicht im g\xFCltigen "
         "Bereich.)"},
        {"x*2^100000", 6, "'^(2)' kann keinen vertretbaren Wert ermitteln."},
        {"x+(1e4932*10)", 4, nullptr},
        {"ln(0)*x", 6, "'ln(0)' kann keinen vertretbaren Wert ermitteln."},
    };
    for (const Case& c : cases) {
        vdParser parser(c.text, 1, "x", true, true, true, true);
        EXPECT_EQ(parser.GetGlobalError(), 0) << c.text; // compiling reports nothing
        const Value v = At(parser, 1);
        EXPECT_EQ(v.error, c.error) << c.text;
        if (c.message) {
            EXPECT_EQ(v.message, c.message) << c.text;
        }
    }
    // The first failing operation is the one reported, folded parts or not.
    vdParser first("sqrt(x)+ln(0)", 1, "x", true, true, true, true);
    EXPECT_EQ(At(first, -1).message, "'sqrt(-1)' kann keinen vertretbaren Wert ermitteln.");
    EXPECT_EQ(At(first, 1).message, "'ln(0)' kann keinen vertretbaren Wert ermitteln.");
}

TEST(Folding, AnglesAndRandomNumbersStayAtEvaluation) {
    // The unit may change after compiling.
    vdParser sine("sin(90)+0*x", 1, "x", true, true, true, true);
    EXPECT_NEAR(double(At(sine, 0).value), double(sinl(90)), 1e-18);
    sine.SetAngularUnitTo(1);
    EXPECT_NEAR(double(At(sine, 0).value), 1, 1e-18);
    // A text of constants only is done whole when compiling and still evaluates.
    vdParser constant("2*3+4^2", 0, "", true, true, true, true);
    EXPECT_EQ(constant.GetResult(), 22);
    EXPECT_EQ(constant.GetPDerivation(1, 1.0L, false), 0);
    vdParser dice("rand(1000)*1", 0, "", true, true, true, true);
    bool different = false;
    const long double first = dice.GetResult();
    for (int i = 0; i < 50 && !different; ++i) different = dice.GetResult() != first;
    EXPECT_TRUE(different);
}

TEST(Folding, DerivativesUseTheProgram) {
    vdParser parser("x^3+2^3*x", 1, "x", true, true, true, true);
    EXPECT_NEAR(double(parser.GetPDerivation(1, 2.0L, false)), 3 * 4 + 8, 1e-6);
    EXPECT_NEAR(double(parser.GetPDerivation(2, 2.0L, false)), 12, 1e-3);
}

// The loop keeps the last two results in registers and takes operands from there; every sign
// form and every pairing of operands must give what the operations give on their own. Each
// text begins with "0+", as the parser reads it; the expected values follow its order.
TEST(Registers, OperandsFromRegistersAndMemory) {
    struct Case {
        const char* text;
        long double (*value)(long double x, long double y);
    } cases[] = {
        {"(x+y)*(x-y)", [](long double x, long double y) { return 0 + (x + y) * (x - y); }},
        {"(x-y)/(x+y)", [](long double x, long double y) { return 0 + (x - y) / (x + y); }},
        {"-(x+y)*-(x-y)", [](long double x, long double y) { return 0 + -(x + y) * -(x - y); }},
        {"x*-y-y/-x", [](long double x, long double y) { return 0 + x * -y - y / -x; }},
        {"x^3-4*x", [](long double x, long double) { return 0 + x * x * x - 4 * x; }},
        {"sqrt(abs(x))*exp(-y)",
         [](long double x, long double y) { return 0 + sqrtl(fabsl(x)) * expl(-y); }},
        {"ln(abs(x-y)+1)-(x*y)^2",
         [](long double x, long double y) {
             return 0 + logl(fabsl(x - y) + 1) - (x * y) * (x * y);
         }},
    };
    const long double points[][2] = {{0.75L, -1.5L}, {-3, 0.25L}, {7, 7}, {1e-3L, 1e3L}};
    for (const Case& c : cases) {
        vdParser parser(c.text, 2, "xy", true, true, true, true);
        for (const auto& p : points) {
            const Value v = At(parser, p[0], p[1]);
            EXPECT_EQ(v.error, 0) << c.text;
            EXPECT_EQ(v.value, c.value(p[0], p[1])) << c.text << " at " << double(p[0]);
        }
    }
}

// Results that only the registers held are in the value list when asked for, from the last
// evaluation and at its angular unit; asking draws no random number.
TEST(Registers, StoredValuesAreThoseOfTheLastEvaluation) {
    vdParser parser("(x+1)*(x-1)+sin(x)", 1, "x", true, true, true, true);
    auto stored = [&](int number) {
        long double value = -12345;
        EXPECT_TRUE(parser.GetInvValuesPos(number - 1, &value));
        return value;
    };
    // The operations in order: x+1, x-1, sin(x), the product, 0+product, the sum.
    std::vector<int> results;
    char function[32];
    int v1, v2, result;
    for (int i = 0; parser.GetOpStructPos(i, function, &v1, &v2, &result); ++i)
        results.push_back(result);
    ASSERT_EQ(results.size(), 6u);
    At(parser, 3);
    parser.SetAngularUnitTo(1); // after the evaluation: the stored values stay those of radians
    EXPECT_EQ(stored(results[0]), 4);
    EXPECT_EQ(stored(results[1]), 2);
    EXPECT_EQ(stored(results[2]), sinl(3));
    EXPECT_EQ(stored(results[3]), 8);
    EXPECT_EQ(stored(results[5]), 8 + sinl(3));
    At(parser, 90);
    EXPECT_EQ(stored(results[2]), 1);
    EXPECT_EQ(stored(results[5]), 8099 + 1);
    // Derivatives leave the values of their last point.
    parser.SetAngularUnitTo(2);
    parser.GetPDerivation(1, 5.0L, false);
    EXPECT_EQ(stored(results[0]), stored(1) + 1);

    vdParser dice("rand(1000)+x*2", 1, "x", true, true, true, true);
    std::srand(7);
    const long double first = At(dice, 1).value;
    long double value;
    for (int i = 0; i < 4000; ++i) dice.GetInvValuesPos(i, &value);
    const int next = std::rand();
    std::srand(7);
    EXPECT_EQ(std::fmod((long double)std::rand(), 1001) + 2, first);
    EXPECT_EQ(std::rand(), next);
}

} // namespace
