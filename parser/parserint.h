// Internals shared by the parser's source files.
#pragma once

#include "vdparser.h"

#include <cfloat>
#include <cmath>
#include <cstring>
#include <string>
#include <vector>

namespace vdp {

// Value numbers of constants and results start behind this one.
constexpr int kValueStart = 1100;

// Codes of the compiled operations, resolved once when compiling so that evaluation never
// looks at a name again.
enum OpCode : int {
    OpNone = 0,
    OpAdd,
    OpSub,
    OpMul,
    OpDiv,
    OpPow,
    FnIsPos,
    FnIsNeg,
    FnIsPosQ,
    FnIsNegQ,
    FnIsNull,
    FnNot,
    FnAbs,
    FnSinh,
    FnCosh,
    FnSqrt,
    FnSqr,
    FnExp,
    FnTanh,
    FnRand,
    FnAcos,
    FnAcot,
    FnAsin,
    FnCos,
    FnSin,
    FnGamma,
    FnAtan,
    FnLg,
    FnLog,
    FnLn,
    FnTan,
    FnSgn,
    FnRound,
    FnCeil,
    FnFloor,
    FnFac,
    FnCoth,
    FnArsinh,
    FnArcosh,
    FnArtanh,
    FnArcoth,
    FnCot
};

// Codes that only evaluation programs use (see Step): integer powers of a constant exponent
// and the two ways of calling a built-in function.
enum StepCode : int {
    StepSquare = 100,
    StepCube,
    StepReciprocal, // exponents -1, -2, -3
    StepExactPower, // exponents 4 ... 64 in magnitude
    StepUnary,      // through the step's function pointer
    StepFunction    // through EvaluateFunction
};

// The built-in function names in the order the compile-time check tests them; index i has
// the code FnIsPos + i.
extern const char* const kFunctionNames[36];

// The code of a built-in function name (exact, case-sensitive), or OpNone.
int FunctionCode(const std::string& name);

// Copies at most max characters of text; "..." follows when text is longer than cut.
std::string CutName(const std::string& text, size_t max, size_t cut);

inline bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}
inline bool IsLower(char c) {
    return c >= 'a' && c <= 'z';
}

// True when the "e" at pos is the exponent mark of a number (a digit or point before it), so
// that a sign behind it is no operator.
inline bool IsExponentMark(const std::string& s, size_t pos) {
    return pos < s.size() && s[pos] == 'e' && pos > 0 && (IsDigit(s[pos - 1]) || s[pos - 1] == '.');
}

// Writes a number the way messages show it: 26 digits, shortest text that reads back exactly.
std::string MessageNumber(long double x);

// Replaces every occurrence of search in text (the search resumes at the replacement).
void ReplaceAll(std::string& text, const char* search, const char* turn);

// Position of the bracket matching the "(" at open, or npos.
size_t MatchingClose(const std::string& s, size_t open);

// For every bracket of s the position of its partner (npos for the others and the unpaired).
std::vector<size_t> MatchingBrackets(const std::string& s);

// The value of an operand: value number n, negated when n is negative.
inline long double Operand(const long double* values, int number) {
    return number < 0 ? -values[-number] : values[number];
}
// The range test of the guarded arithmetic: infinities and NaN fail.
inline bool InRange(long double r) {
    return std::fabs(r) <= LDBL_MAX;
}
// One of the four operations; a division by 0 is out of range.
inline long double Arithmetic(int code, long double a, long double b) {
    switch (code) {
    case OpAdd:
        return a + b;
    case OpSub:
        return a - b;
    case OpMul:
        return a * b;
    default:
        return b == 0 ? HUGE_VALL : a / b;
    }
}

// Trace of an exported entry point; the hook does nothing, so this costs one test.
void Trace(const char* signature);

} // namespace vdp
