// Long and deeply nested function texts: each kind that once took seconds or minutes compiles
// to the value its short form has, or is refused with a message; deep nesting is an error, not
// a crash. The speed itself is measured by the compile benchmark; these tests only make sure that
// every rewriting step still does what it did on short texts.
#include "vdparser.h"

#include <cmath>
#include <cstring>
#include <gtest/gtest.h>
#include <string>

namespace {

const size_t kMegabyte = 1 << 20;

struct Outcome {
    long double value;
    int error;
    std::string message;
};

Outcome Compile(const std::string& text, long double x = 1.5L) {
    vdParser parser(text.c_str(), 1, "x", true, true, true, true);
    Outcome o{0, parser.GetGlobalError(), ""};
    if (o.error < 1) {
        o.value = parser.GetResult(x);
        o.error = parser.GetGlobalError();
    }
    char message[256] = "";
    parser.GetErrorTypeText(message);
    o.message = message;
    return o;
}

// piece repeated until the text has at least length characters.
std::string Repeat(const std::string& piece, size_t length) {
    std::string text;
    text.reserve(length + piece.size());
    while (text.size() < length) text += piece;
    return text;
}

TEST(LongTexts, SumsAndProductsOfAMegabyte) {
    const std::string sum = "1" + Repeat("+x", kMegabyte);
    const Outcome s = Compile(sum, 2);
    EXPECT_EQ(s.error, 0) << s.message;
    EXPECT_EQ(s.value, 1 + 2.0L * ((sum.size() - 1) / 2));

    const Outcome p = Compile("2" + Repeat("*1", kMegabyte));
    EXPECT_EQ(p.error, 0);
    EXPECT_EQ(p.value, 2);

    // Quotients group from the left: 2^20 / 2 / 2 ... / 2 with twenty halvings is 1.
    std::string quotient = "1048576";
    for (int i = 0; i < 20; ++i) quotient += "/2";
    quotient += Repeat("*1", kMegabyte);
    EXPECT_EQ(Compile(quotient).value, 1);

    // Scientific numbers keep their exponent signs however long the sum is.
    const Outcome e = Compile("0" + Repeat("+1e-3-1e+0+1e0", kMegabyte / 4));
    EXPECT_EQ(e.error, 0) << e.message;
    EXPECT_NEAR(double(e.value), double(1e-3L * (kMegabyte / 4 / 14 + 1)), 1e-9);
}

TEST(LongTexts, SignsBlanksAndComments) {
    // "--" is "+" again and again: an even number of signs leaves the number as it is.
    const Outcome even = Compile(std::string(kMegabyte, '-') + "1");
    EXPECT_EQ(even.error, 0) << even.message;
    EXPECT_EQ(even.value, 1);
    const Outcome odd = Compile(std::string(kMegabyte + 1, '-') + "1");
    EXPECT_EQ(odd.value, -1);

    const Outcome blanks = Compile("1" + std::string(kMegabyte, ' ') + "+ x");
    EXPECT_EQ(blanks.value, 2.5L);

    const Outcome comments = Compile(Repeat("x\"note\"+", kMegabyte) + "1", 2);
    EXPECT_EQ(comments.error, 0) << comments.message;
    EXPECT_EQ(comments.value, 1 + 2.0L * ((kMegabyte + 7) / 8));
}

TEST(LongTexts, TowersOfPowersGroupFromTheRight) {
    // x^x^...^x at 1 is 1 at any height; at 1.5 it overflows with a power message.
    const std::string tower = "x" + Repeat("^x", kMegabyte);
    const Outcome one = Compile(tower, 1);
    EXPECT_EQ(one.error, 0) << one.message;
    EXPECT_EQ(one.value, 1);
    EXPECT_EQ(Compile(tower, 1.5L).error, 6);
    // 2^-2^-2^...: the sign after each "^" takes the whole chain behind it.
    std::string chain = "2";
    for (int i = 0; i < 3; ++i) chain += "^-2";
    EXPECT_EQ(Compile(chain).value, powl(2, -powl(2, -powl(2, -2))));
    // At 1 every power behind the first is 1, so the whole chain is 2^-1.
    const Outcome negated = Compile("2" + Repeat("^-x", kMegabyte / 2), 1);
    EXPECT_EQ(negated.error, 0) << negated.message;
    EXPECT_EQ(negated.value, 0.5L);
}

TEST(LongTexts, FactorialsAndPercentages) {
    // 1!!!...! is 1, and every "!" is a call of its own.
    EXPECT_EQ(Compile("1" + std::string(32768, '!')).value, 1);
    EXPECT_EQ(Compile("3" + std::string(2, '!')).value, 720);
    const Outcome many = Compile(Repeat("x!*", kMegabyte) + "1", 1);
    EXPECT_EQ(many.error, 0) << many.message;
    EXPECT_EQ(many.value, 1);
    // A function's factorial takes the call along, nested as deep as it goes.
    EXPECT_EQ(Compile("sqrt(9)!!").value, 720);

    // A hundredth per "%": the text grows by a constant per sign and stays resolvable.
    const Outcome tenths = Compile("1" + Repeat("*1%", 3 * 100000) + "*1");
    EXPECT_EQ(tenths.error, 0) << tenths.message;
    EXPECT_EQ(tenths.value, 0); // 10^-200000 is below the smallest long double
    const Outcome sum = Compile(Repeat("1+", kMegabyte) + "10%");
    EXPECT_EQ(sum.error, 0) << sum.message;
    EXPECT_NEAR(double(sum.value), (kMegabyte / 2) + 0.1, 1e-6);
}

TEST(LongTexts, DeepNesting) {
    // Unclosed brackets are a bracket error, at any depth, and nothing overflows a stack.
    const Outcome open = Compile(std::string(100000, '('));
    EXPECT_EQ(open.error, 2);
    EXPECT_EQ(open.message, "Fehler in der Klammerung der Funktion.");
    std::string deep = std::string(100000, '(') + "x" + std::string(100000, ')');
    EXPECT_EQ(Compile(deep, 3).value, 3);
    std::string calls;
    for (int i = 0; i < 50000; ++i) calls += "abs(";
    calls += "x" + std::string(50000, ')');
    EXPECT_EQ(Compile(calls, -3).value, 3);
    std::string powers;
    for (int i = 0; i < 20000; ++i) powers += "(x^";
    powers += "1" + std::string(20000, ')');
    EXPECT_EQ(Compile(powers, 1).value, 1);
    EXPECT_EQ(Compile(powers, 1.5L).error, 6);
}

TEST(LongTexts, LongNamesAndNumbersAreRefusedWithTheirMessage) {
    const Outcome digits = Compile(std::string(kMegabyte, '1') + "*x");
    EXPECT_EQ(digits.error, 3);
    EXPECT_EQ(digits.message, "Die Zahl '1111111111...' ist nicht im g\xFCltigen Bereich.");
    const Outcome name = Compile("2*" + std::string(kMegabyte, 'q'));
    EXPECT_EQ(name.error, 3);
    EXPECT_EQ(name.message, "Unbekannte Konstante oder Variable 'qqqqqqqqqq...' in der Funktion.");
    EXPECT_EQ(Compile(std::string(kMegabyte, 'q') + "(x)").error, 1);
}

TEST(NumberTexts, NumbersBeyondLongDoubleAreOutOfRange) {
    // The code stays that of an unknown constant; the message says what is wrong.
    for (const char* text : {"1e5000", "2*1e5000", "x-1e5000", "1e5000^2", "sin(1e5000)"}) {
        const Outcome o = Compile(text);
        EXPECT_EQ(o.error, 3) << text;
        EXPECT_EQ(o.message, "Die Zahl '1e5000' ist nicht im g\xFCltigen Bereich.") << text;
    }
    EXPECT_EQ(Compile("1.5e4932").message, "Die Zahl '1.5e4932' ist nicht im g\xFCltigen Bereich.");
    // Tiny numbers are no error: they are 0 or subnormal, as long double reads them.
    EXPECT_EQ(Compile("1e-5000+x").value, 1.5L);
    EXPECT_EQ(Compile("1e4932+x").error, 0);
    // Names stay unknown names.
    EXPECT_EQ(Compile("2*q").message, "Unbekannte Konstante oder Variable 'q' in der Funktion.");
}

TEST(NumberTexts, RunsOfPercentSigns) {
    EXPECT_NEAR(double(Compile("50%%").value), 0.005, 1e-18);
    // Thousands of hundredths are resolved (and underflow to 0), not refused with a bracket
    // message.
    for (size_t n : {3125u, 3126u, 5000u, 100000u}) {
        const Outcome o = Compile("50" + std::string(n, '%'));
        EXPECT_EQ(o.error, 0) << n << ": " << o.message;
        EXPECT_EQ(o.value, 0) << n;
    }
    // A chain of percentages of percentages doubles the text with each sign: still refused.
    std::string chain = "1";
    for (int i = 0; i < 60; ++i) chain += "+1%";
    EXPECT_EQ(Compile(chain).error, 2);
}

} // namespace
