// The evaluation program: the compiled operations as a compact list of steps, built once after
// compiling. Operations whose operands are all constants are done here, once, when they succeed
// (a failing one stays, so that its message appears when and as it always did); powers with a
// constant integer exponent multiply; the simplest functions are called through pointers.
#include "mathinline.h"
#include "parserint.h"

#include <cstdlib>

using namespace vdp;

namespace {
// Angle functions depend on the unit, which may change after compiling; rand is no function.
bool Foldable(int code) {
    switch (code) {
    case FnAcos:
    case FnAcot:
    case FnAsin:
    case FnAtan:
    case FnSin:
    case FnCos:
    case FnTan:
    case FnCot:
    case FnRand:
        return false;
    default:
        return true;
    }
}

long double Abs(long double x) {
    return fabsl(x);
}

// The functions whose value EvaluateFunction takes straight from one guarded call.
long double (*UnaryFor(int code))(long double) {
    switch (code) {
    case FnAbs:
        return Abs;
    case FnSqrt:
        return GuardedSqrtl;
    case FnExp:
        return GuardedExpl;
    case FnLn:
        return GuardedLogl;
    case FnLg:
    case FnLog:
        return GuardedLog10l;
    default:
        return nullptr;
    }
}

// The step's power of a. Within the normal range the special forms give their value; outside
// it (and for NaN) the guarded powl decides, so that every limit and error is the one of powl.
inline long double Power(const Step& s, long double a, long double b) {
    long double r;
    long double low = LDBL_MIN, high = LDBL_MAX;
    switch (s.code) {
    case StepSquare:
        r = a * a;
        break;
    case StepCube:
        r = a * a * a;
        break;
    case StepReciprocal: {
        const long double t = 1 / a;
        r = s.exponent == -1 ? t : s.exponent == -2 ? t * t : t * t * t;
        break;
    }
    case StepExactPower:
        r = ExactIntegerPower(a, s.exponent);
        low = 0x1p-16000L;
        high = 0x1p16000L;
        break;
    default:
        r = powl(a, b);
    }
    const long double m = fabsl(r);
    if (__builtin_expect(m >= low && m <= high, 1)) return r;
    return GuardedPowl(a, b);
}
} // namespace

void vdParser::BuildProgram() {
    Program.clear();
    if (IsError || GlobalError != 0 || OpCount == 0) return;
    // Value numbers that hold constants: those the compiler read from the text, and the results
    // of operations done here.
    std::vector<char> constant(size_t(ValueCount) + 1, 0);
    for (int v = kValueStart + 1; v <= ValueCount; ++v) constant[size_t(v)] = 1;
    for (int i = 1; i <= OpCount; ++i) constant[size_t(std::abs(OpList[size_t(i)].Result))] = 0;
    auto isConstant = [&](int n) {
        const size_t k = size_t(std::abs(n));
        return k < constant.size() && constant[k];
    };
    Program.reserve(size_t(OpCount));
    for (int i = 1; i <= OpCount; ++i) {
        const vdOpStructDef& op = OpList[size_t(i)];
        Step s{op.Code, op.Value1, op.Value2, op.Result, 0, nullptr, i};
        const bool binary = op.Code >= OpAdd && op.Code <= OpPow;
        if (op.Code == OpPow && isConstant(op.Value2)) {
            const long double e = Operand(ValueList.data(), op.Value2);
            const int n = e >= -64 && e <= 64 ? int(e) : 0;
            if (n == e && n != 0 && n != 1) {
                s.code = n == 2             ? StepSquare
                         : n == 3           ? StepCube
                         : n < 0 && n >= -3 ? StepReciprocal
                                            : StepExactPower;
                s.exponent = n;
            }
        } else if (!binary) {
            s.unary = UnaryFor(op.Code);
            s.code = s.unary ? StepUnary : StepFunction;
        }
        if (isConstant(op.Value1) && (!binary || isConstant(op.Value2)) && Foldable(op.Code)) {
            bool failed = false;
            const long double r =
                RunStep(s, Operand(ValueList.data(), op.Value1),
                        binary ? Operand(ValueList.data(), op.Value2) : 0, &failed);
            if (!failed) {
                ValueList[size_t(op.Result)] = r;
                constant[size_t(op.Result)] = 1;
                continue;
            }
        }
        Program.push_back(s);
    }
}

// One step outside the loop (for folding); failed when it would report an error.
long double vdParser::RunStep(const Step& s, long double a, long double b, bool* failed) {
    long double r;
    if (s.code >= OpAdd && s.code <= OpDiv) {
        r = Arithmetic(s.code, a, b);
        *failed = !InRange(r);
        return r;
    }
    if (s.code == StepUnary)
        r = s.unary(a);
    else if (s.code == StepFunction)
        r = EvaluateFunction(OpList[size_t(s.op)], a);
    else
        r = Power(s, a, b);
    *failed = r == OverflowBound;
    return r;
}

long double vdParser::GetResultValue() {
    if (GlobalError == -1) {
        IsError = false;
        return PlainValue;
    }
    IsError = GlobalError != 0;
    if (IsError || OpCount == 0) return 0;
    long double* const values = ValueList.data();
    // Every operation was done once when compiling.
    if (Program.empty()) return values[OpList[size_t(OpCount)].Result];
    const long double bound = OverflowBound;
    long double r = 0;
    for (const Step& s : Program) {
        const long double a = Operand(values, s.a);
        switch (s.code) {
        case OpAdd:
        case OpSub:
        case OpMul:
        case OpDiv: {
            const long double b = Operand(values, s.b);
            r = Arithmetic(s.code, a, b);
            if (__builtin_expect(!InRange(r), 0)) {
                OperationError(OpList[size_t(s.op)], a, b);
                return 0;
            }
            values[s.result] = r;
            continue;
        }
        case StepSquare:
        case StepCube:
        case StepReciprocal:
        case StepExactPower:
        case OpPow:
            r = Power(s, a, Operand(values, s.b));
            break;
        case StepUnary:
            r = s.unary(a);
            break;
        default:
            r = EvaluateFunction(OpList[size_t(s.op)], a);
        }
        values[s.result] = r;
        if (__builtin_expect(r == bound, 0)) {
            FunctionError(OpList[size_t(s.op)], a);
            return 0;
        }
    }
    return r;
}
