// vdCalculator: the engine of the calculator's key pad. It behaves like a school pocket
// calculator that writes a function text instead of keeping a running value: each key edits
// the text, "=" evaluates it. The window calls, per key: the Set… functions, Make(key),
// GetFunction, GetShowFunc (with the variable values), GetInfo.
//
// Terms. The *last operand* is the operand at the end of the text: a number ("12", "1.5",
// "FF" in HEX), a constant ("pi", "e"), a variable ("x" … "w"), a bracket "(…)" or a function
// call "sin(…)", each with a sign in front when that sign is not an operation ("-5", "3*(-5)")
// and with "!" or "%" behind it. Right after "=" the whole text is the last operand. An
// operand written right behind another operand is joined with "*" ("2", "x" gives "2*x").
// A number, constant or variable key right after "=" starts a new text.
//
// Keys (the texts the window passes):
//   "0" … "9", "00", "."  append to the number being typed; a lone "0" is replaced; "."
//                         after no number gives "0."; a second point is refused. Digits the
//                         input base does not have are refused ("2" in BIN, "8" in OCT).
//   "hA" … "hF"           the digits "A" … "F"; only in HEX.
//   "pi", "e"             the constants; "x" "y" "z" "u" "v" "w" (the variable names given
//                         to the constructor) only when the input base is DEC.
//   "+" "-" "*" "/" "^"   append the operator; an operator right after an operator replaces
//                         it. At the start and after "(" only "-" (a sign) is taken. After
//                         "=" the result text goes on: "*" gives "(12+3)*".
//   "("  ")"  "()"        "(" opens a bracket; ")" closes one when one is open and its
//                         content is complete; "()" puts the whole text in brackets.
//   "sin" "cos" "tan" "cot" "asin" "acos" "atan" "acot" "sinh" "cosh" "tanh" "coth"
//   "arsinh" "arcosh" "artanh" "arcoth" "exp" "lg" "ln" "sqr" "sqrt" "rand"
//                         wrap the last operand: "30" then "sin" gives "sin(30)", "(1+2)"
//                         gives "sin(1+2)", after "=" the whole text; with no operand at the
//                         end they open "sin(".
//   "!" "%"               factorial and percent of the last operand ("5!", "50+10%" = 55).
//   "^(1/3)" "1/" "10^"   cube root, reciprocal and power of ten of the last operand:
//                         "8^(1/3)", "1/4", "10^3" (bracketed where the text needs it:
//                         "2/4" then "1/" gives "2/(1/4)"). "1/" and "10^" with no operand
//                         write "1/" and "10^" for the number that follows. The texts are
//                         read in the input base: "10^" in BIN is a power of two, and the
//                         cube root in BIN is written "^(1/11)".
//   "+/-"                 negates the last operand ("5" ↔ "-5", "3*5" → "3*(-5)"; after "="
//                         the whole text: "-(12+3)"); with no operand it writes a sign.
//   "="                   closes all open brackets and evaluates the whole text in the input
//                         base and angle unit with the variable values; the result is shown
//                         in the output base.
//   "C"                   removes the last operand (after "=": the whole text); with no
//                         operand at the end the last operator, else the last open bracket
//                         with its function name.
//   "AC"                  clears the text (the memory stays).
//   "Min" "M+" "M-"       evaluate like "=", then store the result in the memory, or add it,
//                         or subtract it. "MC" clears the memory. "Mr" writes the memory
//                         value as an operand (in the input base).
// Display: the number being typed as typed; after a key that acts on an operand (function,
// "!", "1/", "+/-", ")", constant, …) the value of the last operand; after "=" and the memory
// keys the value of the whole text; errors show the parser's German message. Fast mode shows
// the value of the whole text after every key, evaluating it without a trailing operator or
// opening bracket and with its open brackets closed.
// A refused key leaves the text unchanged and shows a German note in the display instead. The
// text never grows beyond 2500 characters: a key that would make it longer is refused.
//
// No Qt here; the engine uses only the parser.
#pragma once

#include "vdfunction.h"

#include <string>
#include <vector>

class VDFUNC_EXPORT vdCalculator {
public:
    // The longest function text the engine writes.
    static constexpr int MaxFunctionLength = 2500;

    // FunctionIn: the text to go on with (the function field's text); Fast: start in fast
    // mode; the variables of the evaluation (6, "xyzuvw" in the calculator).
    vdCalculator(const char* FunctionIn, bool Fast, int VarCount, const char* VarDescIn);
    ~vdCalculator();
    vdCalculator(const vdCalculator&) = delete;
    vdCalculator& operator=(const vdCalculator&) = delete;

    void SetFast(bool fast);
    // 1 DEG, 2 RAD, 3 GRA; other values are ignored.
    void SetAngularUnitTo(int unit);
    // Input and output base: 10, 2, 16, 8; other values are ignored.
    void SetBaseTo(int base);
    void SetBaseOutTo(int base);

    // Applies one key (see above). The flag is reserved (false). Returns false when the key
    // was refused.
    bool Make(const char* KeyText, bool);

    // The function text (at most 2500 characters plus the terminating zero; the text the
    // engine was constructed with may be longer and is given back as it is).
    char* GetFunction(char* out);
    // The display text (a number of `digits` digits in the output base, the number being
    // typed, an error message or a note; out holds 256 characters), computed with the
    // variable values `values` (VarCount of them) when UseValues is set, else with the
    // values of the previous call. out2 (32 characters) gets the base of the display ("DEC",
    // "BIN", "HEX", "OCT") and "M" when the memory is not 0.
    char* GetShowFunc(char* out, int digits, long double* values, bool UseValues, char* out2);
    // The status line: memory, angle unit, input and output base ("M: 0  RAD  DEC->DEC");
    // out holds 128 characters.
    char* GetInfo(char* out);

    // For the window and tests.
    long double GetMemory();
    bool GetFast() const { return Fast; }

private:
    enum class Show { Entry, Value, Message };         // what the display holds
    enum class Pending { None, Operand, Whole, Fast }; // what the next display evaluates
    enum class MemoryOp { None, Store, Add, Subtract };
    enum class Kind { Number, Name, Group, Compound };
    // How a replacement binds: as one operand, as a power, as a product or quotient, or as a
    // signed operand.
    enum class Binding { Operand, Power, Product, Sign };

    struct Operand {
        bool found = false;   // there is an operand at the end
        size_t start = 0;     // its first character (the sign, when it has one)
        size_t core = 0;      // its first character after the sign
        bool signed_ = false; // it begins with a sign that is not an operation
        bool postfix = false; // "!" or "%" follow it
        Kind kind = Kind::Compound;
    };

    Operand LastOperand(const std::string& text) const;
    Operand LastOperandOrWhole() const;
    bool IsSingleOperand(const std::string& text) const;
    std::string AtomOf(const std::string& x) const;
    bool EndsWithOperand(const std::string& text) const;
    int OpenBrackets(const std::string& text) const;
    bool IsDigitOfBase(char c) const;
    bool IsNumberChar(char c) const;
    std::string CompleteForEvaluation(std::string text) const;

    bool Refuse(const std::string& note);
    bool SetText(std::string text, Pending pending);
    void ShowEntry();
    bool ReplaceLastOperand(const Operand& op, const std::string& replacement, Binding binding);
    bool DigitKey(const std::string& digits);
    bool PointKey();
    bool OperatorKey(char op);
    bool OpenBracketKey();
    bool CloseBracketKey();
    bool BracketAllKey();
    bool FunctionKey(const std::string& name);
    bool OperandFunctionKey(const std::string& key);
    bool OperandKey(const std::string& operand);
    bool NegateKey();
    bool ClearKey();
    bool EqualsKey(MemoryOp memory);

    void Settle(const long double* values);
    bool Evaluate(const std::string& text, const long double* values, long double* result,
                  std::string* message) const;
    std::string WriteNumber(long double x, int digits, int base) const;
    const char* BaseName(int base) const;

    std::string Text;
    std::string VarDesc;
    int VarCount;
    std::vector<std::string> VarNames;
    std::vector<long double> Values;
    bool Fast;
    int AngularUnit = 2;
    int BaseIn = 10;
    int BaseOut = 10;
    bool AfterEquals = false;
    long double Memory = 0;
    MemoryOp PendingMemory = MemoryOp::None;
    Pending PendingEval = Pending::None;
    Show Shown = Show::Value;
    std::string ShownText;                   // the entry or message shown
    size_t OperandStart = std::string::npos; // where the operand the display shows begins
    long double ShownValue = 0;
};
