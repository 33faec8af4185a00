// Built-in functions and constants, and the evaluation of the compiled operations.
#include "mathinline.h"
#include "parserint.h"

#include <array>
#include <cfloat>
#include <cmath>
#include <cstdlib>
#include <utility>

using namespace vdp;

const char* const vdp::kFunctionNames[36] = {
    "ispos", "isneg", "isposq", "isnegq", "isnull", "not",    "abs",    "sinh",   "cosh",
    "sqrt",  "sqr",   "exp",    "tanh",   "rand",   "acos",   "acot",   "asin",   "cos",
    "sin",   "GAMMA", "atan",   "lg",     "log",    "ln",     "tan",    "sgn",    "round",
    "ceil",  "floor", "fac",    "coth",   "arsinh", "arcosh", "artanh", "arcoth", "cot"};

int vdp::FunctionCode(const std::string& name) {
    // Asked once per compiled call, mostly for power bases ("x^"), which no name ends like.
    if (name.empty() || name.size() > 6 || name.back() == '^') return OpNone;
    for (int i = 0; i < 36; ++i)
        if (name[0] == kFunctionNames[i][0] && name == kFunctionNames[i]) return FnIsPos + i;
    return OpNone;
}

namespace {
const long double kPi = 3.14159265358979323846264338327950288L;
const long double kTiny = LDBL_MIN;
// Beyond this every factorial and gamma value overflows.
const long double kGammaLimit = 1800;

// Gamma on (0, 1] at the tenths, to full long double precision.
const long double kGammaTable[10] = {9.5135076986687318397L, 4.5908437119988030532L,
                                     2.9915689876875906283L, 2.2181595437576882231L,
                                     1.7724538509055160273L, 1.4891922488128171024L,
                                     1.2980553326475577430L, 1.1642297137253030344L,
                                     1.0686287021193193549L, 1.0L};

long double Factorial(long double x, long double bound) {
    if (x == 0) return 1;
    long double p = 1, k = 2;
    for (; k <= x; k += 1)
        if (!mult_ok(p, k, &p)) break;
    return k != x + 1 ? bound : p;
}

long double Gamma(long double x, long double bound) {
    if (!(x > 0) || x > kGammaLimit) return bound;
    long double t = x, p = 1;
    while (t > 1.0000000001L) {
        t = t - 1;
        p = p * t;
    }
    for (int i = 0; i < 10; ++i) {
        const long double v = (i + 1) / 10.0L;
        if (t >= v - 1e-10L && t <= v + 1e-10L) return p * kGammaTable[i];
    }
    return bound;
}

long double Random(long double x, long double bound) {
    const long double n = std::fmod(x, 1.0L) <= 0.5L ? std::floor(x) : std::ceil(x);
    // No whole number from 0 to a negative n exists.
    if (!(n >= 0)) return bound;
    return std::fmod(static_cast<long double>(std::rand()), n + 1);
}
} // namespace

bool vdParser::IsFunction(std::string* name) {
    return name && FunctionCode(*name) != OpNone;
}

bool vdParser::SearchFunction(std::string* name) {
    if (IsFunction(name)) return true;
    if (!name->empty() && name->back() == '^') {
        const std::string base = name->substr(0, name->size() - 1);
        char* rest = nullptr;
        pr_chartold(base.c_str(), &rest);
        if (SearchVariable(base.c_str()) > 0 || (!base.empty() && rest && *rest == 0) ||
            (!base.empty() && base[0] == '#'))
            return true;
        UnknownOperand(base);
        return false;
    }
    if (!IsError) {
        const std::string shown = CutName(*name, 10, 10);
        std::strcpy(UnknownFunction, shown.c_str());
        SetError(1, "Unbekannte Teilfunktion '" + shown + "' in der Funktion.", NeedErrorParsText);
    }
    return false;
}

namespace {
// One function value in the angular unit given; bound when the function has no usable value
// there.
inline long double FunctionValue(int code, long double x, int unit, long double bound) {
    switch (code) {
    case FnIsPos:
        return x >= kTiny ? 1 : 0;
    case FnIsNeg:
        return x <= -kTiny ? 1 : 0;
    case FnIsPosQ:
        return x >= -kTiny ? 1 : 0;
    case FnIsNegQ:
        return x <= kTiny ? 1 : 0;
    case FnIsNull:
    case FnNot:
        return x > -kTiny && x < kTiny ? 1 : 0;
    case FnAbs:
        return std::fabs(x);
    case FnAcos: {
        const long double r = GuardedAcosl(x);
        return r == bound ? r : FromRadians(r, unit);
    }
    case FnAcot:
        return FromRadians(kPi / 2 - std::atan(x), unit);
    case FnAsin: {
        const long double r = GuardedAsinl(x);
        return r == bound ? r : FromRadians(r, unit);
    }
    case FnAtan:
        return FromRadians(std::atan(x), unit);
    case FnArsinh: {
        const long double s = GuardedSqrtl(x * x + 1);
        return s == bound ? s : GuardedLogl(s + x);
    }
    case FnArcosh: {
        const long double s = GuardedSqrtl(x * x - 1);
        return s == bound ? s : GuardedLogl(s + x);
    }
    case FnArtanh: {
        const long double q = GuardedLogl((x + 1) / (1 - x));
        return q == bound ? q : q / 2;
    }
    case FnArcoth: {
        const long double q = GuardedLogl((x + 1) / (x - 1));
        return q == bound ? q : q / 2;
    }
    case FnSin:
        return GuardedSinl(ToRadians(x, unit));
    case FnSqrt:
        return GuardedSqrtl(x);
    case FnSqr:
        return GuardedPowl(x, 2);
    case FnSinh:
        return (GuardedExpl(x) - GuardedExpl(-x)) / 2;
    case FnSgn:
        return x >= kTiny ? 1 : x == 0 ? 0 : x <= -kTiny ? -1 : 0;
    case FnCos:
        return GuardedCosl(ToRadians(x, unit));
    case FnCosh:
        return (GuardedExpl(x) + GuardedExpl(-x)) / 2;
    case FnCeil:
        return std::ceil(x);
    case FnCoth: {
        const long double e2 = GuardedExpl(2 * x);
        long double r;
        return div_ok(e2 + 1, e2 - 1, &r) ? r : bound;
    }
    case FnCot: {
        const long double t = GuardedTanl(ToRadians(x, unit));
        if (t == bound) return t;
        long double r;
        return div_ok(1, t, &r) ? r : bound;
    }
    case FnExp:
        return GuardedExpl(x);
    case FnTanh:
        return std::tanh(x);
    case FnTan:
        return GuardedTanl(ToRadians(x, unit));
    case FnRound:
        return corrroundl(x);
    case FnRand:
        return Random(x, bound);
    case FnLg:
    case FnLog:
        return GuardedLog10l(x);
    case FnLn:
        return GuardedLogl(x);
    case FnGamma:
        return Gamma(x, bound);
    case FnFac:
        return Factorial(x, bound);
    case FnFloor:
        return std::floor(x);
    default:
        return bound;
    }
}

// The function of code C with angles in radians, for the evaluation program's pointers.
template <int C> long double InRadians(long double x) {
    return FunctionValue(C, x, 2, HUGE_VALL);
}

template <int... I> constexpr auto RadianTable(std::integer_sequence<int, I...>) {
    return std::array<long double (*)(long double), sizeof...(I)>{InRadians<FnIsPos + I>...};
}
constexpr auto kInRadians = RadianTable(std::make_integer_sequence<int, FnCot - FnIsPos + 1>());
} // namespace

long double (*vdp::FunctionInRadians(int code))(long double) {
    return code >= FnIsPos && code <= FnCot ? kInRadians[size_t(code - FnIsPos)] : nullptr;
}

long double vdParser::EvaluateFunction(const vdOpStructDef& op, long double x) {
    return FunctionValue(op.Code, x, AngularUnit, OverflowBound);
}

void vdParser::FunctionError(const vdOpStructDef& op, long double x) {
    const char* name = op.Code == OpPow ? "^" : op.Function;
    SetError(6,
             std::string("'") + name + "(" + MessageNumber(x) +
                 ")' kann keinen vertretbaren Wert ermitteln.",
             NeedErrorSolveText);
    if (NeedErrorSolveText) ErrorTypeText[100] = 0;
}

void vdParser::SolveFunction(vdOpStructDef* op, char*) {
    StoreResults(); // the operands may be results of the last evaluation
    const long double x = Operand(ValueList.data(), op->Value1);
    long double r;
    if (op->Code == OpPow) {
        r = GuardedPowl(x, Operand(ValueList.data(), op->Value2));
    } else {
        r = EvaluateFunction(*op, x);
    }
    if (r == OverflowBound) FunctionError(*op, x);
    ValueList[op->Result] = r;
}

void vdParser::OperationError(const vdOpStructDef& op, long double a, long double b) {
    static const char* const kRange[] = {" (Multiplikation ist nicht im g\xFCltigen Bereich.)",
                                         " (Division ist nicht im g\xFCltigen Bereich.)",
                                         " (Addition ist nicht im g\xFCltigen Bereich.)",
                                         " (Subtraktion ist nicht im g\xFCltigen Bereich.)"};
    const int code = op.Code == OpMul ? 4 : op.Code == OpDiv ? 5 : op.Code == OpAdd ? 7 : 8;
    const int which = op.Code == OpMul ? 0 : op.Code == OpDiv ? 1 : op.Code == OpAdd ? 2 : 3;
    SetError(code,
             "'" + MessageNumber(a) + op.Function + MessageNumber(b) +
                 "' kann keinen vertretbaren Wert ermitteln." + kRange[which],
             NeedErrorSolveText);
}

void vdParser::SolveOperation(vdOpStructDef* op, char*) {
    StoreResults();
    const long double a = Operand(ValueList.data(), op->Value1);
    const long double b = Operand(ValueList.data(), op->Value2);
    const long double r = Arithmetic(op->Code, a, b);
    if (!InRange(r)) {
        OperationError(*op, a, b);
        return;
    }
    ValueList[op->Result] = r;
}
