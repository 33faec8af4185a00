// Compiling and evaluating function texts: arithmetic, normalisation, built-in functions and
// the error codes with their messages, as the modules construct their parsers.
#include "vdparser.h"

#include <cmath>
#include <cstring>
#include <gtest/gtest.h>
#include <string>

namespace {

struct Evaluated {
    long double value;
    int error;
    std::string message;
};

// Compiles text with the variables "xy" (or none) and evaluates it at x, y.
Evaluated Eval(const char* text, long double x = 0, long double y = 0, const char* vars = "xy") {
    vdParser parser(text, int(std::strlen(vars)), vars, true, true, true, true);
    long double values[2] = {x, y};
    Evaluated e{0, parser.GetGlobalError(), ""};
    if (e.error < 1) {
        e.value = parser.GetResultExt(values);
        e.error = parser.GetGlobalError();
    }
    char message[256] = "";
    parser.GetErrorTypeText(message);
    e.message = message;
    return e;
}

void ExpectValue(const char* text, long double expected, long double x = 0, long double y = 0) {
    const Evaluated e = Eval(text, x, y);
    EXPECT_LT(e.error, 1) << text << ": " << e.message;
    EXPECT_NEAR(double(e.value), double(expected), 1e-12 * std::max(1.0L, std::fabs(expected)))
        << text;
}

void ExpectError(const char* text, int code, const std::string& message = "") {
    const Evaluated e = Eval(text, 3, 4);
    EXPECT_EQ(e.error, code) << text;
    if (!message.empty()) {
        EXPECT_EQ(e.message, message) << text;
    }
}

TEST(Arithmetic, PrecedenceSignsAndPowers) {
    ExpectValue("1+2*3^2", 19);
    ExpectValue("2^3^2", 512);
    ExpectValue("-2^2", -4);
    ExpectValue("(-2)^2", 4);
    ExpectValue("2^-1", 0.5);
    ExpectValue("2*-3", -6);
    ExpectValue("10/4", 2.5);
    ExpectValue("8/4/2", 1);
    ExpectValue("2-3-4", -5);
    ExpectValue("1.5e-3*1000", 1.5);
    ExpectValue("2.5e+2/5", 50);
    ExpectValue("(((((1+2)))))*2", 6);
}

TEST(Arithmetic, ExactLongDoubleResults) {
    // The evaluation is plain long double arithmetic in the compiled order.
    const Evaluated e = Eval("1/3+x*x", 1.1L);
    EXPECT_EQ(e.value, 0.0L + 1.0L / 3 + 1.1L * 1.1L);
    const Evaluated p = Eval("x^3-4*x", 2.5L);
    EXPECT_EQ(p.value, (0.0L + powl(2.5L, 3)) - 4 * 2.5L);
}

TEST(Arithmetic, PlainNumbers) {
    vdParser plain("(2.5)", 0, "", true, true, true, true);
    EXPECT_EQ(plain.GetGlobalError(), -1);
    EXPECT_FALSE(plain.GetIsError());
    EXPECT_EQ(plain.GetResult(), 2.5L);
    EXPECT_EQ(plain.GetPDerivation(1, 1.0L, false), 0);
    vdParser empty("", 0, "", true, true, true, true);
    EXPECT_EQ(empty.GetGlobalError(), -1);
    EXPECT_EQ(empty.GetResult(), 0);
}

TEST(Arithmetic, OutOfRangeMessages) {
    ExpectError("1/0", 5,
                "'1/0' kann keinen vertretbaren Wert ermitteln. (Division ist nicht im "
                "g\xFCltigen Bereich.)");
    ExpectError("1e4000*1e4000", 4,
                "'1e+4000*1e+4000' kann keinen vertretbaren Wert ermitteln. (Multiplikation ist "
                "nicht im g\xFCltigen Bereich.)");
    ExpectError("1e4932*10+1", 4);
    ExpectError("1e4932+1e4932", 7);
    ExpectError("0-1e4932-1e4932", 8);
    ExpectError("1e5000", 3); // beyond long double: not a number the parser can read
}

TEST(Normalisation, SchoolNotation) {
    ExpectValue("1,5*2", 3);
    ExpectValue("[1+2]*3", 9);
    ExpectValue("{1+2}*3", 9);
    ExpectValue("2 * 3", 6);
    ExpectValue("3--2", 5);
    ExpectValue("3+-2", 1);
    ExpectValue("3*+2", 6);
    ExpectValue("2\"times\"*3", 6);
    ExpectValue("2(3+1)", 8);
    ExpectValue("(1+1)(2+2)", 8);
    ExpectValue("(1+1)2", 4);
}

TEST(Normalisation, ImplicitProductsOfVariables) {
    ExpectValue("2x", 6, 3);
    ExpectValue("xy", 12, 3, 4);
    ExpectValue("x(x+1)", 12, 3);
    ExpectValue("(x+1)2", 8, 3);
    ExpectValue("2x(y+1)", 30, 3, 4);
    ExpectValue("x\xB2", 9, 3);
    ExpectValue("x\xB3+1", 28, 3);
    ExpectValue("xxx", 27, 3);
}

TEST(Normalisation, ConstantE) {
    const long double e = 2.71828182845904523536L;
    ExpectValue("e^(x)", expl(2), 2);
    ExpectValue("e^x", powl(e, 2), 2);
    ExpectValue("2*e*x", 2 * e * 3, 3);
    ExpectValue("exp(1)", e);
    ExpectValue("2*e", 2 * e); // an "e" at the very end counts too
    ExpectValue("e", e);
    // e is no variable name either
    vdParser parser("e+1", 1, "e", true, true, true, true);
    EXPECT_EQ(parser.GetGlobalError(), 19);
}

TEST(Normalisation, PercentAndFactorial) {
    ExpectValue("50+10%", 55);
    ExpectValue("200-10%", 180);
    ExpectValue("200*5%", 10);
    ExpectValue("2*3+10%", 6.6L);
    ExpectValue("10%", 0.1L);
    ExpectValue("x+y%", 3.12L, 3, 4);
    ExpectValue("(50+10%)*2", 110);
    ExpectValue("5!", 120);
    ExpectValue("(2+1)!", 6);
    ExpectValue("2^3!", 64);
    ExpectValue("0!", 1);
    ExpectValue("2*x!", 12, 3);
    ExpectValue("3!!", 720);
    ExpectValue("sqrt(9)!", 6);
    ExpectValue("2!3", 6);
    ExpectValue("(2+1)!3", 18);
    ExpectValue("5%3", 0.15L);
    ExpectValue("2*5%3", 0.3L);
    ExpectError("(%+%)", 3);
    ExpectError("(%+1%)", 3);
    ExpectError("%", 13);
    ExpectValue("50+10%+10%", 60.5L);
    std::string chain = "1";
    for (int i = 0; i < 40; ++i) chain += "+1%";
    ExpectError(chain.c_str(), 2); // the text would double with every "%"
    ExpectValue("2^(3)!", 64);
    ExpectError("!", 14, "Fehler in der Fakult\xE4t.");
}

TEST(Normalisation, NegativeExponentsBindLikeALeadingSign) {
    ExpectValue("2^-x^2", powl(2, -9), 3);
    ExpectValue("2^-x*3", 3 * powl(2, -3), 3);
    ExpectValue("x^-2", 1.0L / 9, 3);
    ExpectValue("2^-(x+1)", 1.0L / 16, 3);
    ExpectValue("2^1e-1", powl(2, 0.1L));
    ExpectValue("2^-2^-2", powl(2, -powl(2, -2)));
    ExpectValue("2^-2^-2^-2", powl(2, -powl(2, -powl(2, -2))));
}

TEST(BuiltIns, AngularUnits) {
    auto inUnit = [](const char* text, int unit) {
        vdParser parser(text, 0, "", true, true, true, true);
        parser.SetAngularUnitTo(unit);
        return parser.GetResult();
    };
    EXPECT_NEAR(double(inUnit("sin(90)", 1)), 1, 1e-18);
    EXPECT_NEAR(double(inUnit("sin(pi/2)", 2)), 1, 1e-18);
    EXPECT_NEAR(double(inUnit("asin(1)", 1)), 90, 1e-15);
    EXPECT_NEAR(double(inUnit("cos(100)", 3)), 0, 1e-17);
    EXPECT_NEAR(double(inUnit("acot(1)", 3)), 50, 1e-15);
    EXPECT_NEAR(double(inUnit("atan(1)", 1)), 45, 1e-15);
}

TEST(BuiltIns, Values) {
    ExpectValue("sqrt(16)+sqr(3)+abs(-2)", 15);
    ExpectValue("ln(exp(2))+lg(1000)+log(100)", 7);
    ExpectValue("sinh(1)", sinhl(1));
    ExpectValue("cosh(1)", coshl(1));
    ExpectValue("tanh(1)+coth(1)", tanhl(1) + 1 / tanhl(1));
    ExpectValue("arsinh(2)", asinhl(2));
    ExpectValue("arcosh(2)", acoshl(2));
    ExpectValue("artanh(0.5)", atanhl(0.5L));
    ExpectValue("arcoth(2)", atanhl(0.5L));
    ExpectValue("cot(1)", 1 / tanl(1));
    ExpectValue("round(2.5)+round(-2.5)+ceil(1.2)+floor(-1.2)", 0);
    ExpectValue("GAMMA(0.5)", 1.77245385090551602731L);
    ExpectValue("GAMMA(4.5)", 11.6317283965674489L);
    ExpectValue("GAMMA(5)", 24);
    ExpectValue("fac(5)", 120);
    ExpectValue("sgn(-3)+not(0)+isposq(0)+ispos(0)+isneg(-1)+isnegq(0)+isnull(1)", 3);
    ExpectValue("pi", 3.14159265358979323846L);
    ExpectValue("2^0.5", sqrtl(2));
}

TEST(BuiltIns, RandomWholeNumbers) {
    vdParser parser("rand(6)", 0, "", true, true, true, true);
    bool seen[7] = {};
    for (int i = 0; i < 500; ++i) {
        const long double r = parser.GetResult();
        ASSERT_EQ(r, floorl(r));
        ASSERT_GE(r, 0);
        ASSERT_LE(r, 6);
        seen[int(r)] = true;
    }
    for (bool s : seen) EXPECT_TRUE(s);
    // No whole number from 0 to -1 exists.
    ExpectError("rand(-1)", 6);
}

TEST(BuiltIns, NoUsableValue) {
    ExpectError("sqrt(-1)", 6, "'sqrt(-1)' kann keinen vertretbaren Wert ermitteln.");
    ExpectError("ln(0)", 6, "'ln(0)' kann keinen vertretbaren Wert ermitteln.");
    ExpectError("fac(3.5)", 6);
    ExpectError("fac(-1)", 6);
    ExpectError("fac(1755)", 6);
    ExpectError("GAMMA(1.25)", 6);
    ExpectError("GAMMA(0)", 6);
    ExpectError("GAMMA(1e30)", 6); // must not count down forever
    ExpectError("(-8)^(1/3)", 6, "'^(-8)' kann keinen vertretbaren Wert ermitteln.");
    ExpectError("exp(20000)", 6);
    ExpectError("asin(2)", 6);
    ExpectError("cot(0)", 6);
    ExpectError("sin(1e30)", 6);
    const Evaluated big = Eval("fac(1754)");
    EXPECT_EQ(big.error, 0);
    EXPECT_NEAR(double(big.value / tgammal(1755)), 1, 1e-15);
}

TEST(Errors, Checks) {
    const std::string brackets = "Fehler in der Klammerung der Funktion.";
    ExpectError("2*(3+4", 2, brackets);
    ExpectError("(3+4))", 2, brackets);
    ExpectError("2*()", 2, brackets);
    ExpectError(")(", 13); // "0+)(": the operator check comes first
    ExpectError("2+", 15, "Fehler im Abschlu\xDF der Funktion.");
    ExpectError("2^", 15);
    ExpectError("2*/3", 13, "Fehler in den Operatoren der Funktion.");
    ExpectError("*2", 13);
    ExpectError("(2-)", 13);
    ExpectError("2^*3", 16, "Fehler in den Teilfunktionen der Funktion.");
    ExpectError("(^2)", 16);
    ExpectError("a\"comment", 9, "Fehler im Kommentar.");
    ExpectError("2#3", 18, "Ung\xFCltiges Zeichen '#' in der Funktion.");
    ExpectError("5~", 18);
    ExpectError("2@", 18);
}

TEST(Errors, UnknownNames) {
    ExpectError("2*q", 3, "Unbekannte Konstante oder Variable 'q' in der Funktion.");
    ExpectError("PI", 3);
    ExpectError("sin(x)q", 3, "Unbekannte Konstante oder Variable 'q' in der Funktion.");
    ExpectError("(x+1)q", 3, "Unbekannte Konstante oder Variable 'q' in der Funktion.");
    ExpectError("1E5", 3, "Unbekannte Konstante oder Variable '1E5' in der Funktion.");
    ExpectError("2sin(x)", 1, "Unbekannte Teilfunktion '2sin' in der Funktion.");
    ExpectError("SIN(x)", 1);
    ExpectError("gamma(1)", 1);
    ExpectError("abcdefghijklmnopqrstuvw(1)", 1,
                "Unbekannte Teilfunktion 'abcdefghij...' in der Funktion.");
    vdParser parser("2*verylongname", 0, "", true, true, true, true);
    char buffer[300];
    parser.GetUnknownCharacters(buffer);
    EXPECT_STREQ(buffer, "verylongname...");
}

TEST(Errors, TextsOnlyWhenAsked) {
    vdParser quiet("2*(3", 0, "", true, true, false, false);
    EXPECT_EQ(quiet.GetGlobalError(), 2);
    char text[256] = "x";
    quiet.GetErrorTypeText(text);
    EXPECT_STREQ(text, "");
    vdParser noSolve("1/x", 1, "x", true, true, true, false);
    EXPECT_EQ(noSolve.GetResult(0.0L), 0);
    EXPECT_EQ(noSolve.GetGlobalError(), 5);
    noSolve.GetErrorTypeText(text);
    EXPECT_STREQ(text, "");
}

TEST(Errors, EvaluationErrorsDoNotBlockTheNextCall) {
    vdParser parser("1/x", 1, "x", true, true, true, true);
    EXPECT_EQ(parser.GetResult(0.0L), 0);
    EXPECT_EQ(parser.GetGlobalError(), 5);
    EXPECT_EQ(parser.GetResult(2.0L), 0.5L);
    EXPECT_FALSE(parser.GetIsError());
}

TEST(Errors, ErrorStateOperations) {
    vdParser parser("x", 1, "x", true, true, true, true);
    parser.SetIsError(true);
    EXPECT_EQ(parser.GetGlobalError(), 17);
    EXPECT_EQ(parser.GetResult(1.0L), 0);
    char text[256];
    parser.GetErrorTypeText(text);
    EXPECT_STREQ(text, "Interner Abbruch: Fehler wurde au\xDF"
                       "erhalb \xFC"
                       "ber SetIsError() gesetzt.");
    parser.SetIsError(false);
    EXPECT_EQ(parser.GetResult(2.0L), 2);
    EXPECT_EQ(parser.SetGlobalError(7), 0);
    EXPECT_FALSE(parser.GetIsError());
    char old[128];
    parser.SetErrorTypeText(old, "neu");
    parser.GetErrorTypeText(text);
    EXPECT_STREQ(text, "neu");
}

TEST(BadInput, LongAndDeepTextsNeitherCrashNorHang) {
    std::string deep(3000, '(');
    deep += "1";
    deep += std::string(3000, ')');
    ExpectValue(deep.c_str(), 1);
    std::string longSum = "1";
    while (longSum.size() < 2700) longSum += "+x*2";
    const Evaluated e = Eval(longSum.c_str(), 1);
    EXPECT_LT(e.error, 1);
    EXPECT_EQ(e.value, 1 + 2 * ((longSum.size() - 1) / 4));
    ExpectError(std::string(2700, '(').c_str(), 2);
    ExpectError(std::string(300, 'q').c_str(), 3);
    ExpectError("1e5000", 3);
    std::string reserved;
    for (int c = 1; c < 256; ++c) reserved += char(c);
    Eval(reserved.c_str()); // any message, no crash
}

} // namespace
