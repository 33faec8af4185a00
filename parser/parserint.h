// Internals shared by the parser's source files.
#pragma once

#include "vdparser.h"

#include <cfloat>
#include <cmath>
#include <cstdint>
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

// What a step of the evaluation program does (see Step). The four operations come in 28 forms
// each: StepArithmetic + 16 * source + 4 * (OpAdd ... OpDiv - OpAdd) + (1 when a is negated)
// + (2 when b is negated). The source says where the operands are: the results of the two steps
// before stay in registers, acc (the last) and prior (the one before), so 0 reads both operands
// from their value numbers, 1 takes a from acc, 2 b from acc, 3 a from prior, 4 b from prior,
// 5 a from acc and b from prior, 6 a from prior and b from acc. The other codes take their
// operand from acc when Step::chained is 1 and from prior when it is 2.
enum StepCode : int {
    StepArithmetic = 0,
    StepSquare = 16 * 7,
    StepCube,
    StepReciprocal,  // exponent -1
    StepReciprocal2, // -2
    StepReciprocal3, // -3
    StepExactPower,  // exponents 4 ... 64 in magnitude
    StepPowerSet,    // the first of several powers 4 ... 64 of one base in memory: all of them
    StepPowerOfSet,  // a later one of them
    StepPower,       // through powl
    StepAbs,         // the functions evaluation calls straight from its loop
    StepSqrt,
    StepExp,
    StepLn,
    StepLg,
    StepSin,
    StepCos,
    StepTan,
    StepCall,     // the step's function of the operand
    StepAngleIn,  // the function of the operand turned into radians
    StepAngleOut, // the function's value (in radians) turned into the angular unit
    StepEnd       // the last step: the program's value
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
    return r - r == 0; // 0 for every finite r; NaN for infinities and NaN (no constant to load)
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

// Angles between the unit given (1, 2 = radians, 3) and radians.
inline long double ToRadians(long double x, int unit) {
    return unit == 2 ? x : ConvertToAngularUnit(x, unit, true);
}
inline long double FromRadians(long double x, int unit) {
    return unit == 2 ? x : ConvertToAngularUnit(x, unit, false);
}

// The built-in function of a code with angles in radians (what EvaluateFunction computes at
// angular unit 2), or nullptr for codes that are no function.
long double (*FunctionInRadians(int code))(long double);

// Trace of an exported entry point; the hook does nothing, so this costs one test.
void Trace(const char* signature);

} // namespace vdp

// Whether evaluation runs the machine code now: built, for this angular unit.
inline bool vdParser::MachineReady() const {
    return Machine.Get() && Machine.Unit() == AngularUnit && MachineCountdown <= 0;
}

// Not infinite or NaN: the exponent bits not all set (read as bytes, not through the x87).
inline bool vdParser::FiniteBits(const long double* x) {
    std::uint16_t exponent;
    std::memcpy(&exponent, reinterpret_cast<const char*>(x) + 8, 2);
    return (exponent & 0x7fff) != 0x7fff;
}

// The machine code at finite variables: then every value out of range stays so or meets a test.
inline long double vdParser::RunMachine(const long double* variables) {
    unsigned status = 0;
    MachineFailed = false;
    MachineVariables = variables;
    const long double r = Machine.Get()(ValueList.data(), variables, &status, this);
    if (status || MachineFailed) return RunProgram<false>(); // which reports
    ResultsPending = true;
    EvaluatedUnit = AngularUnit;
    return r;
}
