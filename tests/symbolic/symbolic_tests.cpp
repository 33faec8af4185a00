#include "symbolic.h"
#include "textvalue.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <regex>
#include <set>
#include <string>
#include <vector>

namespace {

struct Answer {
    int code;
    std::string text;
};

Answer calculate(const std::string& in, int size = 4000) {
    std::vector<char> out(static_cast<std::size_t>(size) + 16, '#');
    int code = symbolic_calculate(in.c_str(), out.data(), size);
    // Nothing may be written behind the buffer the caller gave.
    for (std::size_t i = static_cast<std::size_t>(size); i < out.size(); ++i)
        EXPECT_EQ(out[i], '#') << "written behind the buffer for " << in;
    return {code, out.data()};
}

Answer derivative(const std::string& text) {
    return calculate("DIFF(" + text + ",X)");
}
Answer antiderivative(const std::string& text) {
    return calculate("INT(" + text + ",X)");
}

// Every name in an answer must be one the parser knows once it lower-cases the text.
void expectParserNames(const std::string& text) {
    static const std::set<std::string> known{
        "SIN",  "COS",  "TAN",    "COT",    "ASIN",   "ACOS",   "ATAN", "ACOT", "SINH", "COSH",
        "TANH", "COTH", "ARSINH", "ARCOSH", "ARTANH", "ARCOTH", "EXP",  "LN",   "LG",   "SQRT",
        "ABS",  "SIGN", "PI",     "X",      "A",      "B",      "FAC",  "ROUND"};
    std::regex word("[A-Z_][A-Z0-9_]*");
    for (auto it = std::sregex_iterator(text.begin(), text.end(), word);
         it != std::sregex_iterator(); ++it) {
        // Digits directly in front belong to a number's exponent, which we never write.
        EXPECT_TRUE(known.count(it->str())) << "unknown name " << it->str() << " in " << text;
    }
    for (char c : text) EXPECT_FALSE(std::islower(static_cast<unsigned char>(c))) << text;
    EXPECT_EQ(text.find("**"), std::string::npos) << text;
}

// Texts as the parser hands them over after normalisation and upper-casing, with points where
// the function is defined and smooth.
struct Case {
    const char* text;
    std::vector<long double> points;
};

const std::vector<Case> schoolFunctions{
    {"0+(X)^(3)-4*X", {-2, 0.5, 3}},
    {"0+3*(X)^(4)-2*(X)^(2)+7", {-1.5, 0.3, 2}},
    {"0+0.5*(X)^(2)-1.5*X+0.25", {-1, 2.5}},
    {"0+1.5E-3*(X)^(3)", {2, 10}},
    {"0+(X-1)*(X+2)*(X-3)", {-2, 0.7, 4}},
    {"0+((X)^(2)+1)/(X-1)", {-2, 0.5, 3}},
    {"0+X/((X)^(2)+1)", {-1, 0.2, 5}},
    {"0+1/X", {-3, 0.4, 2}},
    {"0+1/((X)^(2))", {-3, 0.4, 2}},
    {"0+((X)^(2)+1)^(5)", {-1, 0.5, 1.2}},
    {"0+(2*X-3)^(7)", {0, 1.1, 2}},
    {"0+SQRT(X)", {0.3, 4, 9}},
    {"0+SQRT((X)^(2)+1)", {-2, 0, 3}},
    {"0+1/SQRT(X)", {0.5, 2}},
    {"0+(X)^(1/3)", {0.5, 8}},
    {"0+(X)^(2.5)", {0.5, 3}},
    {"0+SQR(SIN(X))", {-1, 0.4, 2}},
    {"0+SIN(X)*2", {-1, 0.4, 2}},
    {"0+SIN(2*X+1)", {-1, 0.4, 2}},
    {"0+COS((X)^(2))", {-1, 0.4, 2}},
    {"0+TAN(X)", {-1, 0.4, 1.2}},
    {"0+COT(X)", {-1, 0.4, 2}},
    {"0+(SIN(X))^(2)+(COS(X))^(2)", {-1, 0.4, 2}},
    {"0+X*SIN(X)", {-1, 0.4, 2}},
    {"0+SIN(X)/X", {-1, 0.4, 2}},
    {"0+ASIN(X)", {-0.5, 0.3, 0.9}},
    {"0+ACOS(X/2)", {-0.5, 0.3, 1.9}},
    {"0+ATAN(X)", {-3, 0.3, 10}},
    {"0+ACOT(X)", {-3, 0.3, 10}},
    {"0+SINH(X)-COSH(X)*TANH(X)", {-1, 0.3, 2}},
    {"0+COTH(X)", {-1, 0.3, 2}},
    {"0+ARSINH(X)+ARCOSH(X+2)", {-0.5, 0.3, 2}},
    {"0+ARTANH(X/2)", {-1, 0.3, 1.5}},
    {"0+ARCOTH(X)", {-3, 1.5, 4}},
    {"0+(EXP(1))^(X)", {-1, 0, 2}},
    {"0+(EXP(1))^(0-(X)^(2))", {-1, 0.2, 2}},
    {"0+2*(EXP(1))*X", {-1, 2}},
    {"0+EXP(X)*(X)^(2)", {-1, 0.2, 2}},
    {"0+LN(X)", {0.2, 1, 5}},
    {"0+LN((X)^(2)+1)", {-2, 0.2, 5}},
    {"0+X*LN(X)-X", {0.2, 1, 5}},
    {"0+LG(X)", {0.2, 10}},
    {"0+LOG(100*X)", {0.2, 10}},
    {"0+(2)^(X)", {-1, 0.5, 3}},
    {"0+(X)^(X)", {0.4, 1, 2.5}},
    {"0+(X)^(SIN(X))", {0.4, 1, 2.5}},
    {"0+ABS(X)", {-2, 0.5}},
    {"0+ABS((X)^(2)-4)", {-3, 0.5, 3}},
    {"0+SIGN(X)*(X)^(2)", {-2, 0.5}},
    {"0+PI*(X)^(2)", {-1, 2}},
    {"0+SIN(PI*X)", {-1, 0.3}},
    {"0+A*(X)^(2)+B*X", {-1, 2}},
    {"0+5", {1, 2}},
};

// The difference quotient of F equals f at the points.
void expectSlopeIs(const std::string& F, const std::string& f,
                   const std::vector<long double>& points) {
    for (long double x : points) {
        auto slope = textvalue::slope(F, x);
        auto value = textvalue::at(f, x);
        ASSERT_TRUE(slope && value) << F << ", " << f << " at " << static_cast<double>(x);
        EXPECT_NEAR(static_cast<double>(*value), static_cast<double>(*slope),
                    1e-6 * std::max(1.0L, std::fabs(*slope)))
            << F << ", " << f << " at " << static_cast<double>(x);
    }
}

TEST(SymbolicDerivative, AgreesWithDifferenceQuotientOnSchoolFunctions) {
    for (const Case& c : schoolFunctions) {
        SCOPED_TRACE(c.text);
        Answer d = derivative(c.text);
        ASSERT_GE(d.code, 0) << d.text;
        EXPECT_EQ(static_cast<int>(d.text.size()), d.code);
        expectParserNames(d.text);
        expectSlopeIs(c.text, d.text, c.points);
    }
}

TEST(SymbolicDerivative, IsWrittenForPupils) {
    EXPECT_EQ(derivative("0+(X)^(3)-4*X").text, "3*X^2-4");
    EXPECT_EQ(derivative("0+SIN(X)*2").text, "2*COS(X)");
    EXPECT_EQ(derivative("0+(EXP(1))^(X)").text, "EXP(X)");
    EXPECT_EQ(derivative("0+LN(X)").text, "1/X");
    EXPECT_EQ(derivative("0+ABS(X)").text, "SIGN(X)");
    EXPECT_EQ(derivative("0+SQRT(X)").text, "1/(2*SQRT(X))");
    // Chain rule results stay factored where expanding would only lengthen them.
    EXPECT_EQ(derivative("0+((X)^(2)+1)^(5)").text, "10*X*(X^2+1)^4");
    // Decimals in, decimals out.
    EXPECT_EQ(derivative("0+1.5*(X)^(2)").text, "3*X");
    EXPECT_EQ(derivative("0+0.3*(X)^(2)").text, "0.6*X");
    EXPECT_EQ(derivative("0+(X)^(2)/3").text, "2/3*X");
    // A leading minus goes into a bracket where that removes it.
    EXPECT_EQ(derivative("0+LN(X)/X").text, "(1-LN(X))/X^2");
}

TEST(SymbolicDerivative, NeverWritesEulerAsALetter) {
    for (const char* text : {"0+(EXP(1))^(X)", "0+2*(EXP(1))*X", "0+(EXP(1))^(2)*X"}) {
        Answer d = derivative(text);
        ASSERT_GE(d.code, 0) << text;
        EXPECT_FALSE(std::regex_search(d.text, std::regex("(^|[^A-Z])E([^A-Z]|$)"))) << d.text;
    }
}

TEST(SymbolicDerivative, ReadsTheParserSpellings) {
    // Lower-case, spaces, "SGN", a named variable, other variables as constants.
    EXPECT_EQ(calculate("diff(0+x^2, x)").text, "2*X");
    EXPECT_EQ(calculate("DIFF(0+SGN(X)*X,X)").text, "SIGN(X)");
    EXPECT_EQ(calculate("DIFF(0+(ZEIT)^(2),ZEIT)").text, "2*ZEIT");
    Answer partial = calculate("DIFF(0+(X)^(2)*Y+(Y)^(3),Y)");
    ASSERT_GE(partial.code, 0);
    EXPECT_EQ(textvalue::Evaluator(partial.text, {{"X", 2}, {"Y", 3}}).value(), 4 + 27);
    // Powers group from the right; a sign binds looser than a power.
    Answer tower = derivative("0+(2)^((X)^(2))");
    ASSERT_GE(tower.code, 0);
    EXPECT_NEAR(static_cast<double>(*textvalue::at(tower.text, 1.5)),
                static_cast<double>(*textvalue::slope("0+(2)^((X)^(2))", 1.5)), 1e-6);
    EXPECT_EQ(derivative("0-(X)^(2)").text, "-2*X");
}

TEST(SymbolicDerivative, FunctionsWithoutDerivativeLeaveTheInputUnchanged) {
    for (const char* f : {"FAC", "GAMMA", "ROUND", "CEIL", "FLOOR", "RAND", "ISPOS", "ISNEG",
                          "ISPOSQ", "ISNEGQ", "ISNULL", "NOT"}) {
        std::string in = std::string("DIFF(0+") + f + "(X)*2,X)";
        Answer a = calculate(in);
        EXPECT_LT(a.code, 0) << f;
        EXPECT_EQ(a.text, in) << f;
    }
    // Applied to a constant they are constants.
    EXPECT_EQ(derivative("0+FAC(3)*X").text, "FAC(3)");
    // The parser reads the answer in lower case, where "gamma" is not a name.
    EXPECT_LT(derivative("0+GAMMA(2.5)*X").code, 0);
}

TEST(SymbolicDerivative, UnreadableInputFails) {
    for (const char* in : {"",
                           "DIFF(",
                           "DIFF()",
                           "DIFF(X,)",
                           "DIFF(,X)",
                           "DIFF(X+,X)",
                           "DIFF((X,X)",
                           "DIFF(X),X)",
                           "DIFF(2SIN(X),X)",
                           "DIFF(FOO(X),X)",
                           "DIFF(SIN,X)",
                           "DIFF(X^,X)",
                           "DIFF(X,2)",
                           "DIFF(X,SIN)",
                           "DIFF(X,X+1)",
                           "DIFF(X*#1102,X)",
                           "SUM(X,X)",
                           "DIFF(X\xE4,X)",
                           "DIFF(1/0,X)",
                           "DIFF(0^(-1),X)",
                           "DIFF(LN(0)*X,X)",
                           "DIFF(2*E,X)",
                           "DIFF(1E99999999999999*X,X)",
                           "DIFF((2*X)^(99999999),X)",
                           "DIFF(X,X"}) {
        Answer a = calculate(in);
        EXPECT_LT(a.code, 0) << in;
        EXPECT_EQ(a.text, in) << in;
    }
}

TEST(SymbolicDerivative, DeepNestingAndLongTextsFailWithoutCrashing) {
    std::string deep = "DIFF(" + std::string(100000, '(') + "X" + std::string(100000, ')') + ",X)";
    EXPECT_LT(calculate(deep).code, 0);
    std::string signs = "DIFF(" + std::string(50000, '-') + "X,X)";
    EXPECT_LT(calculate(signs).code, 0);
    // Expanding this would take hours; the answer comes at once, unexpanded.
    Answer power = calculate("DIFF((A+B+C+D+E1+F+G+H+I+J+X)^(30),X)");
    EXPECT_EQ(power.text, "30*(X+A+B+C+D+E1+F+G+H+I+J)^29");
    EXPECT_LT(calculate("INT((A+B+C+D+E1+F+G+H+I+J+X)^(30)*SIN(X)^(2),X)").code, 0);
    // Nor common denominators of many-termed fractions (this one would take seconds).
    EXPECT_GE(calculate("DIFF(1/(((COTH(X)+A+B)^2+1)*SINH(X)^2)-1/SIN(X)^2+3/(SINH(X)^2*((3*"
                        "COTH(X)-C+D+F+G+H)^2+1)),X)")
                  .code,
              0);
    EXPECT_LT(calculate("INT((X+1)^(1000000)*SIN(X),X)").code, 0);
    // Nor an expansion that splits a huge integer off an exponent.
    EXPECT_GE(calculate("DIFF((X+A)^(B+X-2222222222222222222222222222)*(X+C),X)").code, 0);
    // Common denominators with a huge degree are not attempted.
    EXPECT_LT(calculate("INT(0-((X)^(7777777777777777777777)+(C+(X)^(D)+N)^(0-X))^(3),X)").code, 0);
    std::string sinus = "DIFF(0";
    for (int i = 0; i < 150; ++i) sinus += "+SIN(" + std::to_string(i) + "*X)";
    sinus += ",X)";
    EXPECT_GE(calculate(sinus, 20000).code, 0);
}

TEST(SymbolicBuffer, ResultThatDoesNotFitIsAFailureNotATruncation) {
    const std::string in = "DIFF(0+(X)^(3)-4*X,X)"; // 3*X^2-4
    Answer exact = calculate(in, 8);
    EXPECT_EQ(exact.code, 7);
    EXPECT_EQ(exact.text, "3*X^2-4");
    Answer tooSmall = calculate(in, 7);
    EXPECT_LT(tooSmall.code, 0);
    EXPECT_NE(tooSmall.text, "3*X^2-");
    EXPECT_EQ(tooSmall.text, ""); // the input does not fit either
    Answer roomForInput = calculate("DIFF(SIN(X)*COS(X),X)", 30);
    EXPECT_GE(roomForInput.code, 0);
    EXPECT_LT(calculate("DIFF(SIN(X)*COS(X)*TAN(X)*(X)^(4),X)", 10).code, 0);
}

TEST(SymbolicBuffer, RefusesMissingBuffers) {
    char out[16] = "unchanged";
    EXPECT_LT(symbolic_calculate(nullptr, out, sizeof out), 0);
    EXPECT_STREQ(out, "");
    EXPECT_LT(symbolic_calculate("DIFF(X,X)", nullptr, 16), 0);
    std::strcpy(out, "unchanged");
    EXPECT_LT(symbolic_calculate("DIFF(X,X)", out, 0), 0);
    EXPECT_STREQ(out, "unchanged");
    EXPECT_LT(symbolic_calculate("DIFF(X,X)", out, -5), 0);
    EXPECT_LT(symbolic_calculate("DIFF(X,X)", out, 1), 0);
    EXPECT_STREQ(out, "");
}

// f with points where an antiderivative is smooth.
const std::vector<Case> integrable{
    {"0+(X)^(3)-4*X", {-2, 0.5, 3}},
    {"0+3*(X)^(2)+2*X+1", {-2, 0.5, 3}},
    {"0+0.5*X", {-1, 2}},
    {"0+(X-1)*(X+1)", {-1, 2}},
    {"0+A*(X)^(2)", {-1, 2}},
    {"0+SQRT(X)", {0.5, 4}},
    {"0+1/X", {-2, 0.5, 3}},
    {"0+1/((X)^(2))", {-2, 0.5, 3}},
    {"0+(2*X+1)^(4)", {-2, 0.5, 3}},
    {"0+1/(3*X-1)", {-2, 1, 3}},
    {"0+SIN(X)", {-2, 0.5, 3}},
    {"0+COS(2*X+1)", {-2, 0.5, 3}},
    {"0+TAN(X)", {-1, 0.5, 1.2}},
    {"0+(EXP(1))^(X)", {-2, 0.5, 3}},
    {"0+(EXP(1))^(0-2*X)", {-2, 0.5, 3}},
    {"0+(2)^(X)", {-2, 0.5, 3}},
    {"0+LN(X)", {0.5, 3}},
    {"0+LG(X)", {0.5, 3}},
    {"0+X*(EXP(1))^(X)", {-2, 0.5, 3}},
    {"0+(X)^(2)*SIN(X)", {-2, 0.5, 3}},
    {"0+2*X*COS((X)^(2))", {-2, 0.5, 3}},
    {"0+X*(EXP(1))^((X)^(2))", {-1, 0.5, 1.5}},
    {"0+1/((X)^(2)+1)", {-2, 0.5, 3}},
    {"0+1/((X)^(2)-4)", {-3, 0.5, 3}},
    {"0+(X)^(2)/(X+1)", {-3, 0.5, 3}},
    {"0+(2*X+3)/((X)^(2)+2*X+5)", {-3, 0.5, 3}},
    {"0+SINH(X)+COSH(X)", {-2, 0.5, 3}},
    {"0+ABS(X)", {-2, 0.5, 3}},
    {"0+ATAN(X)", {-2, 0.5, 3}},
    {"0+X*LN(X)", {0.5, 3}},
    {"0+LN(X)/X", {0.5, 3}},
    {"0+SIN(X)*COS(X)", {-2, 0.5, 3}},
    {"0+(SIN(X))^(2)", {-2, 0.5, 3}},
    {"0+(COS(3*X))^(2)", {-2, 0.5, 3}},
    {"0+(SIN(X))^(2)*COS(X)", {-2, 0.5, 3}},
    {"0+X*(2)^(X)", {-2, 0.5, 3}},
    {"0+((X)^(2)+1)*LN(2*X+1)", {0.5, 3}},
};

TEST(SymbolicAntiderivative, DifferentiatesBackToTheFunction) {
    for (const Case& c : integrable) {
        SCOPED_TRACE(c.text);
        Answer F = antiderivative(c.text);
        ASSERT_GE(F.code, 0) << F.text;
        expectParserNames(F.text);
        expectSlopeIs(F.text, c.text, c.points);
    }
}

TEST(SymbolicAntiderivative, PolynomialsComeOutExpanded) {
    EXPECT_EQ(antiderivative("0+(X)^(3)-4*X").text, "1/4*X^4-2*X^2");
    EXPECT_EQ(antiderivative("0+0.5*X").text, "0.25*X^2");
    EXPECT_EQ(antiderivative("0+1/X").text, "LN(ABS(X))");
}

TEST(SymbolicAntiderivative, UnknownIntegralsLeaveTheInputUnchanged) {
    for (const char* text : {"0+(EXP(1))^((X)^(2))", "0+SIN(X)/X", "0+FAC(X)", "0+(X)^(X)",
                             "0+SQRT(1+(X)^(3))", "0+ROUND(X)"}) {
        std::string in = std::string("INT(") + text + ",X)";
        Answer a = calculate(in);
        EXPECT_LT(a.code, 0) << text << " gave " << a.text;
        EXPECT_EQ(a.text, in);
    }
}

} // namespace
