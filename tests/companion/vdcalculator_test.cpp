// The key pad's engine, key by key, driven as the calculator window drives it: settings, the
// key, the function text, the display with the variable values, the status line.
#include "vdcalculator.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <initializer_list>
#include <iterator>
#include <random>
#include <string>

namespace {

class Pad {
public:
    explicit Pad(const char* function = "", bool fast = false)
        : calc(function, fast, 6, "xyzuvw"), fast_(fast) {}

    // One key step; returns whether the engine took the key.
    bool Key(const char* key) {
        calc.SetFast(fast_);
        calc.SetAngularUnitTo(unit);
        calc.SetBaseTo(baseIn);
        calc.SetBaseOutTo(baseOut);
        const bool taken = calc.Make(key, false);
        char text[3000], shown[256], second[32], info[128];
        calc.GetFunction(text);
        function = text;
        calc.GetShowFunc(shown, 15, values, true, second);
        display = shown;
        label = second;
        calc.GetInfo(info);
        status = info;
        return taken;
    }
    Pad& Keys(std::initializer_list<const char*> keys) {
        for (const char* k : keys) Key(k);
        return *this;
    }
    void SetFast(bool fast) { fast_ = fast; }

    vdCalculator calc;
    long double values[6] = {0, 0, 0, 0, 0, 0};
    int unit = 2, baseIn = 10, baseOut = 10;
    std::string function, display, label, status;

private:
    bool fast_;
};

TEST(CalculatorKeys, TypingAndEquals) {
    Pad pad;
    pad.Keys({"1", "2"});
    EXPECT_EQ(pad.function, "12");
    EXPECT_EQ(pad.display, "12"); // the number being typed
    pad.Key("+");
    EXPECT_EQ(pad.display, "12");
    pad.Key("3");
    EXPECT_EQ(pad.display, "3");
    pad.Key("=");
    EXPECT_EQ(pad.function, "12+3");
    EXPECT_EQ(pad.display, "15");
    EXPECT_EQ(pad.label, "DEC");

    // After "=" an operator goes on with the result, a digit starts anew.
    pad.Keys({"*", "2", "="});
    EXPECT_EQ(pad.function, "(12+3)*2");
    EXPECT_EQ(pad.display, "30");
    pad.Keys({"7"});
    EXPECT_EQ(pad.function, "7");
}

TEST(CalculatorKeys, NumbersAndPoint) {
    Pad pad;
    pad.Keys({"0", "0", "5"});
    EXPECT_EQ(pad.function, "5"); // no leading zeros
    pad.Keys({".", "2", "."});
    EXPECT_EQ(pad.function, "5.2");
    EXPECT_FALSE(pad.Key("."));
    EXPECT_EQ(pad.display, "Die Zahl hat schon einen Punkt.");
    pad.Keys({"AC", ".", "5", "00", "+", "00", "1", "="});
    EXPECT_EQ(pad.function, "0.500+1"); // "00" then "1" is 1
    EXPECT_EQ(pad.display, "1.5");
}

TEST(CalculatorKeys, OperatorReplacesOperator) {
    Pad pad;
    pad.Keys({"5", "+", "*", "2", "="});
    EXPECT_EQ(pad.function, "5*2");
    EXPECT_EQ(pad.display, "10");

    Pad start;
    EXPECT_FALSE(start.Key("*"));
    EXPECT_EQ(start.function, "");
    EXPECT_EQ(start.display, "Vor dieser Taste fehlt eine Zahl.");
    start.Keys({
        "-",
        "4",
        "*",
        "(",
        "-",
        "2",
        "=",
    });
    EXPECT_EQ(start.function, "-4*(-2)");
    EXPECT_EQ(start.display, "8");
}

TEST(CalculatorKeys, FunctionKeysWrapTheLastOperand) {
    Pad pad;
    pad.unit = 1; // DEG
    pad.Keys({"3", "0", "sin"});
    EXPECT_EQ(pad.function, "sin(30)");
    EXPECT_EQ(pad.display, "0.5"); // the value of the operand, as on a pocket calculator
    pad.Key("=");
    EXPECT_EQ(pad.display, "0.5");
    EXPECT_NE(pad.status.find("DEG"), std::string::npos);

    Pad open;
    open.unit = 1;
    open.Keys({"2", "*", "cos", "6", "0", "="});
    EXPECT_EQ(open.function, "2*cos(60)");
    EXPECT_EQ(open.display, "1");

    Pad group;
    group.Keys({"(", "1", "+", "3", ")", "sqrt"});
    EXPECT_EQ(group.function, "sqrt(1+3)");
    EXPECT_EQ(group.display, "2");
    group.Keys({"=", "ln"}); // after "=" the whole text
    EXPECT_EQ(group.function, "ln(sqrt(1+3))");
    Pad whole;
    whole.Keys({"1", "+", "2", "=", "sqr"});
    EXPECT_EQ(whole.function, "sqr(1+2)");
    EXPECT_EQ(whole.display, "9");
}

TEST(CalculatorKeys, OperandKeysBracketWhereNeeded) {
    Pad pad;
    pad.Keys({"2", "/", "4", "1/"});
    EXPECT_EQ(pad.display, "0.25"); // the value of what replaced the operand
    pad.Key("=");
    EXPECT_EQ(pad.function, "2/(1/4)");
    EXPECT_EQ(pad.display, "8");
    pad.Keys({"AC", "8", "^(1/3)", "="});
    EXPECT_EQ(pad.function, "8^(1/3)");
    EXPECT_EQ(pad.display, "2");
    pad.Keys({"AC", "3", "10^", "+", "5", "!", "="});
    EXPECT_EQ(pad.function, "10^3+5!");
    EXPECT_EQ(pad.display, "1120");
    pad.Keys({"AC", "2", "^", "3", "10^", "="});
    EXPECT_EQ(pad.function, "2^(10^3)");
    pad.Keys({"AC", "5", "0", "+", "1", "0", "%", "="});
    EXPECT_EQ(pad.function, "50+10%");
    EXPECT_EQ(pad.display, "55");
    pad.Keys({"AC", "9", "sqrt", "!"}); // the factorial of the root, not the root of 9!
    EXPECT_EQ(pad.function, "(sqrt(9))!");
    EXPECT_EQ(pad.display, "6");
    pad.Keys({"AC", "1", "+", "2", "=", "!", "="});
    EXPECT_EQ(pad.function, "(1+2)!");
    EXPECT_EQ(pad.display, "6");
    EXPECT_FALSE(pad.Keys({"AC", "+"}).Key("!"));
    EXPECT_EQ(pad.display, "Vor dieser Taste fehlt eine Zahl.");
}

TEST(CalculatorKeys, PlusMinusNegatesTheLastOperand) {
    Pad pad;
    pad.Keys({"5", "+/-"});
    EXPECT_EQ(pad.function, "-5");
    EXPECT_EQ(pad.display, "-5");
    pad.Key("+/-");
    EXPECT_EQ(pad.function, "5");
    pad.Keys({"*", "3", "+/-"});
    EXPECT_EQ(pad.function, "5*(-3)");
    pad.Key("=");
    EXPECT_EQ(pad.display, "-15");
    pad.Keys({"AC", "3", "*", "5", "+/-", "+/-"});
    EXPECT_EQ(pad.function, "3*5");
    pad.Keys({"AC", "1", "+", "2", "=", "+/-"});
    EXPECT_EQ(pad.function, "-(1+2)");
    EXPECT_EQ(pad.display, "-3");
    // A sign stays with its operand when a function wraps it: cos(-5), not -cos(5).
    pad.Keys({"AC", "5", "+/-", "cos"});
    EXPECT_EQ(pad.function, "cos(-5)");
}

TEST(CalculatorKeys, ClearAndAllClear) {
    Pad pad;
    pad.Keys({"1", "2", "+", "3", "4", "C"});
    EXPECT_EQ(pad.function, "12+");
    EXPECT_EQ(pad.display, "0");
    pad.Key("C");
    EXPECT_EQ(pad.function, "12");
    pad.Keys({"*", "sin", "C"});
    EXPECT_EQ(pad.function, "12*"); // the open function bracket with its name
    pad.Keys({"4", "=", "C"});
    EXPECT_EQ(pad.function, ""); // after "=" the whole text
    pad.Keys({"7", "Min", "1", "+", "AC"});
    EXPECT_EQ(pad.function, "");
    EXPECT_EQ(pad.display, "0");
    EXPECT_EQ(pad.calc.GetMemory(), 7.0L); // all clear keeps the memory
}

TEST(CalculatorKeys, Brackets) {
    Pad pad;
    EXPECT_FALSE(pad.Key(")"));
    EXPECT_EQ(pad.display, "Es ist keine Klammer offen.");
    pad.Keys({"2", "("});
    EXPECT_EQ(pad.function, "2*(");
    EXPECT_FALSE(pad.Key(")"));
    pad.Keys({"1", "+", "(", "3", "+", "1", ")"});
    EXPECT_EQ(pad.display, "4"); // the bracket's value
    pad.Key("=");                // closes what is still open
    EXPECT_EQ(pad.function, "2*(1+(3+1))");
    EXPECT_EQ(pad.display, "10");
    pad.Keys({"AC", "1", "+", "2", "()", "*", "3", "="});
    EXPECT_EQ(pad.function, "(1+2)*3");
    EXPECT_EQ(pad.display, "9");
}

TEST(CalculatorKeys, ConstantsAndVariables) {
    Pad pad;
    pad.values[0] = 2;  // x
    pad.values[5] = 10; // w
    pad.Keys({"3", "x", "+", "w", "="});
    EXPECT_EQ(pad.function, "3*x+w");
    EXPECT_EQ(pad.display, "16");
    pad.values[0] = 5; // the display follows the values of the step
    pad.Key("=");
    EXPECT_EQ(pad.display, "25");
    pad.Keys({"AC", "2", "pi", "="});
    EXPECT_EQ(pad.function, "2*pi");
    EXPECT_EQ(pad.display, "6.28318530717959");
    pad.Keys({"AC", "e", "ln", "="});
    EXPECT_EQ(pad.function, "ln(e)");
    EXPECT_EQ(pad.display, "1");
}

TEST(CalculatorKeys, MemoryKeys) {
    Pad pad;
    pad.Keys({"2", "+", "3", "Min"});
    EXPECT_EQ(pad.display, "5");
    EXPECT_EQ(pad.calc.GetMemory(), 5.0L);
    EXPECT_EQ(pad.status, "M: 5  RAD  DEC->DEC");
    EXPECT_EQ(pad.label, "DEC  M");
    pad.Keys({"AC", "4", "M+"});
    EXPECT_EQ(pad.calc.GetMemory(), 9.0L);
    pad.Keys({"AC", "1", "0", "M-"});
    EXPECT_EQ(pad.calc.GetMemory(), -1.0L);
    pad.Keys({"AC", "3", "*", "Mr"});
    EXPECT_EQ(pad.function, "3*(-1)");
    pad.Keys({"=", "Mr"}); // after "=" the memory starts a new text
    EXPECT_EQ(pad.function, "(-1)");
    // A failing evaluation leaves the memory as it was.
    pad.Keys({"AC", "1", "/", "0", "M+"});
    EXPECT_EQ(pad.calc.GetMemory(), -1.0L);
    pad.Key("MC");
    EXPECT_EQ(pad.calc.GetMemory(), 0.0L);
    EXPECT_EQ(pad.status, "M: 0  RAD  DEC->DEC");
}

TEST(CalculatorKeys, BinaryInput) {
    Pad pad;
    pad.baseIn = 2;
    pad.Keys({"1", "0", "+", "1", "="});
    EXPECT_EQ(pad.function, "10+1");
    EXPECT_EQ(pad.display, "3");
    EXPECT_EQ(pad.status, "M: 0  RAD  BIN->DEC");
    pad.baseOut = 2;
    pad.Key("=");
    EXPECT_EQ(pad.display, "11");
    EXPECT_EQ(pad.label, "BIN");

    EXPECT_FALSE(pad.Keys({"AC", "1"}).Key("2"));
    EXPECT_EQ(pad.function, "1");
    EXPECT_EQ(pad.display, "Die Ziffer '2' gibt es im Stellenwertsystem BIN nicht.");
    EXPECT_FALSE(pad.Key("x"));
    EXPECT_EQ(pad.function, "1");
    pad.Keys({"AC", "1", "0", "0", "0", "^(1/3)", "="}); // the cube root of eight
    EXPECT_EQ(pad.function, "1000^(1/11)");
    EXPECT_EQ(pad.display, "10");
    pad.baseIn = 8;
    EXPECT_FALSE(pad.Keys({"AC", "1"}).Key("8"));
    EXPECT_TRUE(pad.Key("7"));
    EXPECT_EQ(pad.function, "17");
}

TEST(CalculatorKeys, HexDigits) {
    Pad pad;
    EXPECT_FALSE(pad.Key("hA"));
    EXPECT_EQ(pad.function, "");
    pad.baseIn = 16;
    pad.Keys({"hF", "hF", "+", "1", "="});
    EXPECT_EQ(pad.function, "FF+1");
    EXPECT_EQ(pad.display, "256");
    pad.baseOut = 16;
    pad.Keys({"=", "AC", "hE", "+/-", "*", "hA", "="});
    EXPECT_EQ(pad.function, "-E*A");
    EXPECT_EQ(pad.display, "-8C");
}

TEST(CalculatorKeys, FastModeEvaluatesAfterEveryKey) {
    Pad pad("", true);
    pad.Keys({"1", "2", "+"});
    EXPECT_EQ(pad.display, "12"); // evaluated without the trailing operator
    pad.Key("3");
    EXPECT_EQ(pad.display, "15");
    pad.Keys({"*", "2"});
    EXPECT_EQ(pad.display, "18");
    pad.Keys({"+", "(", "4"});
    EXPECT_EQ(pad.display, "22"); // open bracket closed for the evaluation
    EXPECT_EQ(pad.function, "12+3*2+(4");
    pad.Key("sqrt");
    EXPECT_EQ(pad.display, "20");

    Pad slow;
    slow.Keys({"1", "2", "+", "3"});
    EXPECT_EQ(slow.display, "3");
}

TEST(CalculatorKeys, ErrorsShowTheParserMessage) {
    Pad pad;
    pad.Keys({"1", "/", "0", "="});
    EXPECT_EQ(pad.function, "1/0");
    EXPECT_EQ(pad.display,
              "'1/0' kann keinen vertretbaren Wert ermitteln. (Division ist nicht im gültigen "
              "Bereich.)");
    EXPECT_EQ(pad.label, "");
    pad.Keys({"AC", "1", "+", "="});
    EXPECT_EQ(pad.function, "1+");
    EXPECT_EQ(pad.display, "Fehler im Abschluß der Funktion.");
    pad.Keys({"AC", "1", "0", "^", "5", "0", "0", "0", "="});
    EXPECT_NE(pad.display.find("kann keinen vertretbaren Wert ermitteln."), std::string::npos);
    EXPECT_FALSE(pad.Key("Sinus"));
    EXPECT_EQ(pad.display, "Unbekannte Taste 'Sinus'.");
    EXPECT_FALSE(pad.Key(nullptr));
    EXPECT_EQ(pad.function, "10^5000");
}

TEST(CalculatorKeys, OpeningThePadGoesOnWithTheFieldText) {
    Pad pad("x^2");
    pad.values[0] = 3;
    pad.Key("=");
    EXPECT_EQ(pad.function, "x^2");
    EXPECT_EQ(pad.display, "9");
    pad.Keys({"+", "1", "="});
    EXPECT_EQ(pad.function, "x^2+1");
    EXPECT_EQ(pad.display, "10");
}

TEST(CalculatorKeys, FunctionTextStaysWithin2500Characters) {
    std::string text = "1";
    while (text.size() < 2499) text += "+1";
    ASSERT_EQ(text.size(), 2499u);
    Pad pad(text.c_str());
    EXPECT_TRUE(pad.Key("+"));
    EXPECT_EQ(pad.function.size(), 2500u);
    EXPECT_FALSE(pad.Key("1"));
    EXPECT_EQ(pad.function.size(), 2500u);
    EXPECT_EQ(pad.display,
              "Die Länge der Funktion kann maximal 2500 Zeichen sein. Die Taste wird nicht "
              "übernommen.");
    EXPECT_FALSE(pad.Key("sin"));
    EXPECT_TRUE(pad.Key("C")); // shorter is always allowed
    EXPECT_TRUE(pad.Key("="));
    EXPECT_EQ(pad.display, "1250");

    // A longer text from the field is kept, but not evaluated.
    Pad longer((text + "+1+1+1+1+1+1+1+1+1+1+1+1+1+1+1+1+1+1+1+1+1+1+1+1+1+1+1+1+1+1+1+1+1+1+1+1"
                       "+1+1+1+1+1+1+1+1+1+1+1+1+1+1")
                   .c_str());
    longer.Key("=");
    EXPECT_EQ(longer.function.size(), 2599u);
    EXPECT_EQ(longer.display,
              "Die Länge der Funktion kann maximal 2500 Zeichen sein. (99 Zeichen zuviel.)");
}

} // namespace

namespace {

// Long random key sequences in every base: the text stays within its limit, brackets never
// close more than they open, and every step ends with a display text.
TEST(CalculatorKeys, RandomKeySequencesKeepTheText) {
    const char* const keys[] = {
        "0",    "1",      "2",      "3",      "4",      "5",    "6",    "7",    "8",    "9",
        "00",   ".",      "hA",     "hB",     "hC",     "hD",   "hE",   "hF",   "+",    "-",
        "*",    "/",      "=",      "%",      "(",      ")",    "()",   "+/-",  "!",    "^",
        "1/",   "sqr",    "sqrt",   "^(1/3)", "10^",    "exp",  "lg",   "ln",   "rand", "sin",
        "cos",  "tan",    "cot",    "asin",   "acos",   "atan", "acot", "sinh", "cosh", "tanh",
        "coth", "arsinh", "arcosh", "artanh", "arcoth", "pi",   "e",    "x",    "y",    "z",
        "u",    "v",      "w",      "AC",     "C",      "Min",  "Mr",   "M+",   "M-",   "MC"};
    const int bases[] = {10, 2, 16, 8};
    std::mt19937 random(20140501);
    size_t longest = 0;
    for (int run = 0; run < 40; ++run) {
        Pad pad("", run % 3 == 0);
        pad.baseIn = bases[run % 4];
        pad.baseOut = bases[(run / 4) % 4];
        pad.unit = 1 + run % 3;
        for (int step = 0; step < 1500; ++step) {
            // Mostly digits and operators, so that texts grow long.
            const size_t pick = random() % 4 == 0 ? random() % std::size(keys) : random() % 22;
            pad.Key(keys[pick]);
            ASSERT_LE(pad.function.size(), 2500u) << "run " << run;
            longest = std::max(longest, pad.function.size());
            int open = 0;
            for (char c : pad.function) {
                open += c == '(';
                open -= c == ')';
                ASSERT_GE(open, 0) << pad.function;
            }
            ASSERT_FALSE(pad.display.empty()) << pad.function;
            ASSERT_NE(pad.function.rfind("Error", 0), 0u);
        }
    }
    EXPECT_GT(longest, 500u); // the sequences did build long texts
}

} // namespace
