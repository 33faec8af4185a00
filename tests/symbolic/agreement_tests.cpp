// The symbolic derivative as the function discussion obtains it: through the parser's symbolic
// call, compiled back by a second parser, against the parser's numerical derivative.
#include "vdparser.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

struct Case {
    const char* text;
    std::vector<long double> points;
};

// What the information dialog gives the symbolic call: 25 characters per character, and more.
std::string symbolicDerivative(vdParser& parser, const char* text, bool integral = false) {
    std::vector<char> out(25 * std::strlen(text) + 201, '\0');
    if (integral)
        parser.doIntegrate1(out.data(), "x");
    else
        parser.doDifferentiation1(out.data(), "x");
    return out.data();
}

// The parser's destructor is not virtual; a final class may be deleted through unique_ptr.
struct Parser final : vdParser {
    explicit Parser(const std::string& text)
        : vdParser(text.c_str(), 1, "x", true, true, true, true) {}
};

std::unique_ptr<Parser> compile(const std::string& text) {
    return std::make_unique<Parser>(text);
}

void expectClose(long double got, long double expected, const std::string& what) {
    EXPECT_NEAR(static_cast<double>(got), static_cast<double>(expected),
                1e-6 * std::max(1.0L, std::fabs(expected)))
        << what;
}

// Function texts as pupils type them, with points where they are smooth.
const std::vector<Case> schoolFunctions{
    {"x^3-4x", {-2, 0.5, 3}},
    {"3x^4-2x^2+7", {-1.5, 0.3, 2}},
    {"0.5x^2-1,5x+0.25", {-1, 2.5}},
    {"x\xB2+3x", {-1, 2.5}},
    {"1.5e-3*x^3", {2, 10}},
    {"(x-1)(x+2)(x-3)", {-2, 0.7, 4}},
    {"(x^2+1)/(x-1)", {-2, 0.5, 3}},
    {"x/(x^2+1)", {-1, 0.2, 5}},
    {"1/x", {-3, 0.4, 2}},
    {"1/x^2", {-3, 0.4, 2}},
    {"(x^2+1)^5", {-1, 0.5, 1.2}},
    {"(2x-3)^7", {0, 1.1, 2}},
    {"sqrt(x)", {0.3, 4, 9}},
    {"sqrt(x^2+1)", {-2, 0.1, 3}},
    {"1/sqrt(x)", {0.5, 2}},
    {"x^(1/3)", {0.5, 8}},
    {"x^2.5", {0.5, 3}},
    {"sqr(sin(x))", {-1, 0.4, 2}},
    {"2*sin(x)", {-1, 0.4, 2}},
    {"sin(2x+1)", {-1, 0.4, 2}},
    {"cos(x^2)", {-1, 0.4, 2}},
    {"tan(x)", {-1, 0.4, 1.2}},
    {"cot(x)", {-1, 0.4, 2}},
    {"sin(x)^2+cos(x)^2", {-1, 0.4, 2}},
    {"x*sin(x)", {-1, 0.4, 2}},
    {"sin(x)/x", {-1, 0.4, 2}},
    {"asin(x)", {-0.5, 0.3, 0.9}},
    {"acos(x/2)", {-0.5, 0.3, 1.9}},
    {"atan(x)", {-3, 0.3, 10}},
    {"acot(x)", {-3, 0.3, 10}},
    {"sinh(x)-cosh(x)*tanh(x)", {-1, 0.3, 2}},
    {"coth(x)", {-1, 0.3, 2}},
    {"arsinh(x)+arcosh(x+2)", {-0.5, 0.3, 2}},
    {"artanh(x/2)", {-1, 0.3, 1.5}},
    {"arcoth(x)", {-3, 1.5, 4}},
    {"e^x", {-1, 0.1, 2}},
    {"e^(-x^2)", {-1, 0.2, 2}},
    {"2*e*x", {-1, 2}},
    {"exp(x)*x^2", {-1, 0.2, 2}},
    {"ln(x)", {0.2, 1, 5}},
    {"ln(x^2+1)", {-2, 0.2, 5}},
    {"x*ln(x)-x", {0.2, 1, 5}},
    {"lg(x)", {0.2, 10}},
    {"log(100x)", {0.2, 10}},
    {"2^x", {-1, 0.5, 3}},
    {"x^x", {0.4, 1.5, 2.5}},
    {"x^sin(x)", {0.4, 1.5, 2.5}},
    {"abs(x)", {-2, 0.5}},
    {"abs(x^2-4)", {-3, 0.5, 3}},
    {"sgn(x)*x^2", {-2, 0.5}},
    {"pi*x^2", {-1, 2}},
    {"sin(pi*x)", {-1, 0.3}},
    {"-2^x+x", {-1, 0.3}},
    {"2^-x", {-1, 0.3}},
};

TEST(SymbolicAgreement, DerivativeCompiledByTheParserMatchesTheNumericalDerivative) {
    int checked = 0;
    for (const Case& c : schoolFunctions) {
        SCOPED_TRACE(c.text);
        auto f = compile(c.text);
        ASSERT_FALSE(f->GetIsError()) << c.text;
        std::string d = symbolicDerivative(*f, c.text);
        ASSERT_FALSE(d.empty()) << "no derivative";
        auto g = compile(d);
        ASSERT_FALSE(g->GetIsError()) << "the parser does not read " << d;
        for (long double x : c.points) {
            long double values[1] = {x};
            long double expected = f->GetPDerivationExt(1, values, 0, false, 0);
            ASSERT_FALSE(f->GetIsError());
            long double got = g->GetResultExt(values);
            ASSERT_FALSE(g->GetIsError()) << d << " at " << static_cast<double>(x);
            expectClose(got, expected, d + " at " + std::to_string(static_cast<double>(x)));
        }
        ++checked;
    }
    EXPECT_GE(checked, 40);
}

TEST(SymbolicAgreement, RepeatedCallsLoadTheLibraryAgainAndAgain) {
    // Every call loads and frees the library; the answers must not change.
    auto f = compile("cot(x)*lg(x)+abs(x)");
    auto g = compile("x*e^x");
    const std::string derivative = symbolicDerivative(*f, "cot(x)*lg(x)+abs(x)");
    const std::string integral = symbolicDerivative(*g, "x*e^x", true);
    ASSERT_FALSE(derivative.empty());
    ASSERT_FALSE(integral.empty());
    for (int i = 0; i < 300; ++i) {
        ASSERT_EQ(symbolicDerivative(*f, "cot(x)*lg(x)+abs(x)"), derivative) << i;
        ASSERT_EQ(symbolicDerivative(*g, "x*e^x", true), integral) << i;
    }
}

TEST(SymbolicAgreement, PlainNumberHasDerivativeZero) {
    auto f = compile("5");
    std::string d = symbolicDerivative(*f, "5");
    EXPECT_EQ(d, "0");
}

TEST(SymbolicAgreement, FailuresGiveAnEmptyText) {
    for (const char* text : {"fac(x)", "x!", "GAMMA(x)", "round(x)*x", "floor(x^2)", "rand(x)"}) {
        auto f = compile(text);
        ASSERT_FALSE(f->GetIsError()) << text;
        EXPECT_EQ(symbolicDerivative(*f, text), "") << text;
    }
    for (const char* text : {"e^(x^2)", "sin(x)/x", "x^x", "fac(x)"}) {
        auto f = compile(text);
        EXPECT_EQ(symbolicDerivative(*f, text, true), "") << text;
    }
    // A constant factorial is only a number.
    auto f = compile("3!*x");
    std::string d = symbolicDerivative(*f, "3!*x");
    auto g = compile(d);
    ASSERT_FALSE(g->GetIsError()) << d;
    EXPECT_EQ(g->GetResult(1.0L), 6.0L);
}

const std::vector<Case> integrable{
    {"x^3-4x", {-2, 0.5, 3}},   {"0.5x", {-1, 2}},           {"(x-1)(x+1)", {-1, 2}},
    {"sqrt(x)", {0.5, 4}},      {"1/x", {-2, 0.5, 3}},       {"(2x+1)^4", {-2, 0.5, 3}},
    {"sin(x)", {-2, 0.5, 3}},   {"cos(2x+1)", {-2, 0.5}},    {"e^x", {-2, 0.5, 3}},
    {"e^(-2x)", {-2, 0.5, 3}},  {"2^x", {-2, 0.5, 3}},       {"ln(x)", {0.5, 3}},
    {"x*e^x", {-2, 0.5, 3}},    {"x^2*sin(x)", {-2, 0.5}},   {"2x*cos(x^2)", {-2, 0.5}},
    {"1/(x^2+1)", {-2, 0.5}},   {"x^2/(x+1)", {-3, 0.5, 3}}, {"abs(x)", {-2, 0.5, 3}},
    {"tan(x)", {-1, 0.5, 1.2}}, {"sgn(x)", {-2, 0.5}},       {"x*ln(x)", {0.5, 3}},
};

TEST(SymbolicAgreement, AntiderivativeDifferentiatesBackToTheFunction) {
    for (const Case& c : integrable) {
        SCOPED_TRACE(c.text);
        auto f = compile(c.text);
        ASSERT_FALSE(f->GetIsError());
        std::string F = symbolicDerivative(*f, c.text, true);
        ASSERT_FALSE(F.empty()) << "no antiderivative";
        auto g = compile(F);
        ASSERT_FALSE(g->GetIsError()) << "the parser does not read " << F;
        for (long double x : c.points) {
            long double values[1] = {x};
            long double expected = f->GetResultExt(values);
            long double got = g->GetPDerivationExt(1, values, 0, false, 0);
            ASSERT_FALSE(g->GetIsError()) << F << " at " << static_cast<double>(x);
            expectClose(got, expected, F + " at " + std::to_string(static_cast<double>(x)));
        }
    }
}

} // namespace
