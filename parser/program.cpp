// The evaluation program: the compiled operations as a compact list of steps, built once after
// compiling. Operations whose operands are all constants are done here, once, when they succeed
// (a failing one stays, so that its message appears when and as it always did); powers with a
// constant integer exponent multiply; every built-in function is called through a pointer.
#include "mathinline.h"
#include "parserint.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <map>

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

// How a step calls a function: straight from the loop, or through its pointer with the angles
// turned in its argument, in its value or not at all.
int CallCode(int code) {
    switch (code) {
    case FnAbs:
        return StepAbs;
    case FnSqrt:
        return StepSqrt;
    case FnExp:
        return StepExp;
    case FnLn:
        return StepLn;
    case FnLg:
    case FnLog:
        return StepLg;
    case FnSin:
        return StepSin;
    case FnCos:
        return StepCos;
    case FnTan:
        return StepTan;
    case FnCot:
        return StepAngleIn;
    case FnAcos:
    case FnAcot:
    case FnAsin:
    case FnAtan:
        return StepAngleOut;
    default:
        return StepCall;
    }
}

// The form of an operation by where its operands are: 0 in memory, 1 in acc, 2 in prior.
int SourceCode(int a, int b) {
    static const int kForm[3][3] = {{0, 2, 4}, {1, 1, 5}, {3, 6, 3}};
    return kForm[a][b];
}

// The power of a for the power steps. Within the normal range the special forms give their
// value; outside it (and for NaN) the guarded powl decides, so that every limit and error is the
// one of powl.
inline long double Power(int code, int n, long double a, long double b,
                         const long double* stored = nullptr, bool negate = false) {
    long double r;
    long double low = LDBL_MIN, high = LDBL_MAX;
    switch (code) {
    case StepSquare:
        r = a * a;
        break;
    case StepCube:
        r = a * a * a;
        break;
    case StepReciprocal:
        r = 1 / a;
        break;
    case StepReciprocal2: {
        const long double t = 1 / a;
        r = t * t;
        break;
    }
    case StepReciprocal3: {
        const long double t = 1 / a;
        r = t * t * t;
        break;
    }
    case StepExactPower:
        r = ExactIntegerPower(a, n, stored, negate);
        low = 0x1p-16000L;
        high = 0x1p16000L;
        break;
    default:
        return GuardedPowl(a, b);
    }
    const long double m = fabsl(r);
    // Most values lie far inside the range: a test against constants that load cheaply first.
    if (__builtin_expect(m >= 0x1p-1000 && m <= 0x1p1000, 1)) return r;
    if (m >= low && m <= high) return r;
    return GuardedPowl(a, b);
}

// A function step's value: the function in radians, with the angles turned as its code says.
inline long double Call(const Step& s, long double a, int unit, long double bound) {
    if (s.code == StepAngleIn || (s.code >= StepSin && s.code <= StepTan))
        return s.function(ToRadians(a, unit));
    const long double r = s.function(a);
    return s.code == StepAngleOut && r != bound ? FromRadians(r, unit) : r;
}
} // namespace

void vdParser::BuildProgram() {
    Program.clear();
    Machine.Clear();
    MachineCountdown = -1;
    ContentsInList = false;
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
    Program.reserve(size_t(OpCount) + 1);
    for (int i = 1; i <= OpCount; ++i) {
        const vdOpStructDef& op = OpList[size_t(i)];
        Step s{op.Code, op.Value1, op.Value2, op.Result, 0, i, 0, 0, nullptr, 0, 0};
        const bool arithmetic = op.Code >= OpAdd && op.Code <= OpDiv;
        if (op.Code == OpPow) {
            s.code = StepPower;
            const long double e = isConstant(op.Value2) ? Operand(ValueList.data(), op.Value2) : 0;
            const int n = e >= -64 && e <= 64 ? int(e) : 0;
            if (n == e && n != 0 && n != 1) {
                s.code = n == 2    ? StepSquare
                         : n == 3  ? StepCube
                         : n == -1 ? StepReciprocal
                         : n == -2 ? StepReciprocal2
                         : n == -3 ? StepReciprocal3
                                   : StepExactPower;
                s.exponent = n;
            }
        } else if (!arithmetic) {
            s.function = FunctionInRadians(op.Code);
            s.code = CallCode(op.Code);
        }
        const bool unary = !arithmetic && op.Code != OpPow;
        if (isConstant(op.Value1) && (unary || isConstant(op.Value2)) && Foldable(op.Code)) {
            bool failed = false;
            const long double r =
                RunStep(s, Operand(ValueList.data(), op.Value1),
                        unary ? 0 : Operand(ValueList.data(), op.Value2), &failed);
            if (!failed) {
                ValueList[size_t(op.Result)] = r;
                constant[size_t(op.Result)] = 1;
                continue;
            }
        }
        // The results of the two steps before stay in registers (acc, then prior).
        const int before = Program.empty() ? 0 : Program.back().result;
        const int prior = Program.size() < 2 ? 0 : Program[Program.size() - 2].result;
        auto from = [&](int n) { return n == 0 ? 0 : n == before ? 1 : n == prior ? 2 : 0; };
        if (arithmetic) {
            s.code = StepArithmetic + 16 * SourceCode(from(std::abs(s.a)), from(std::abs(s.b))) +
                     4 * (op.Code - OpAdd) + (s.a < 0 ? 1 : 0) + (s.b < 0 ? 2 : 0);
            s.a = std::abs(s.a);
            s.b = std::abs(s.b);
        } else {
            s.chained = from(std::abs(s.a));
        }
        Program.push_back(s);
    }
    // The value is the last step's result, or the last operation's when every one was done here.
    const int last = Program.empty() ? OpList[size_t(OpCount)].Result : Program.back().result;
    Program.push_back(Step{StepEnd, last, 0, 0, 0, 0, Program.empty() ? 0 : 1, 0, nullptr, 0, 0});
    BuildPowerSets();
    // A result goes to its value number only when a later step reads it from there (or always
    // in a program with random numbers, whose results evaluating again would change).
    bool random = false;
    for (const Step& s : Program) random = random || s.function == FunctionInRadians(FnRand);
    std::vector<char> read(size_t(ValueCount) + 1, 0);
    for (const Step& s : Program) {
        const bool arithmetic = s.code < StepSquare;
        const int form = arithmetic ? (s.code - StepArithmetic) / 16 : 0;
        const bool aInMemory = arithmetic ? form == 0 || form == 2 || form == 4 : !s.chained;
        const bool bInMemory =
            arithmetic ? form == 0 || form == 1 || form == 3 : s.code == StepPower;
        if (aInMemory) read[size_t(std::abs(s.a))] = 1;
        if (bInMemory) read[size_t(std::abs(s.b))] = 1;
    }
    for (Step& s : Program) s.store = s.code != StepEnd && (random || read[size_t(s.result)]);
    // Machine code pays for itself only over many evaluations; random numbers stay in the loop.
    MachineCountdown = random ? -1 : 32;
    ProgramElides = false;
    for (const Step& s : Program) ProgramElides = ProgramElides || (s.code != StepEnd && !s.store);
    ResultsPending = false;
}

// Several powers 4 ... 64 of one base read from memory share the products of its significand
// where that saves products: one step computes all powers up to the highest, each step rounds
// its own. The base's value number holds the same value through the whole evaluation (a
// variable, or a result written once before the first of the powers).
void vdParser::BuildPowerSets() {
    PowerTable.clear();
    PowerSetMembers.clear();
    auto products = [](int n) {
        return 31 - __builtin_clz(unsigned(n)) + __builtin_popcount(unsigned(n)) - 1;
    };
    // The candidate powers by base, in program order.
    std::map<int, std::vector<size_t>> byBase;
    for (size_t k = 0; k < Program.size(); ++k) {
        const Step& s = Program[k];
        if (s.code == StepExactPower && !s.chained && s.exponent > 0)
            byBase[std::abs(s.a)].push_back(k);
    }
    for (const auto& [base, members] : byBase) {
        int top = 0, separate = 0;
        for (size_t k : members) {
            top = std::max(top, Program[k].exponent);
            separate += products(Program[k].exponent);
        }
        if (members.size() < 2 || top - 1 > separate) continue;
        const int table = int(PowerTable.size());
        PowerTable.resize(PowerTable.size() + size_t(top) + 1);
        Program[members[0]].set = int(PowerSetMembers.size());
        for (size_t m = 0; m < members.size(); ++m) {
            Step& s = Program[members[m]];
            s.code = m == 0 ? StepPowerSet : StepPowerOfSet;
            s.b = top;
            s.table = table;
            const bool flipped = (s.a < 0) != (Program[members[0]].a < 0);
            const bool odd = s.exponent & 1;
            PowerSetMembers.push_back({int(members[m]), s.exponent, s.result, int(members.size()),
                                       int(flipped), std::uint16_t(odd && flipped ? 0x8000 : 0),
                                       std::uint16_t(odd && !flipped ? 0x8000 : 0),
                                       128 * (s.exponent - 1)});
        }
    }
}

// A power of a set: rounded from the set's significand power, or (for bases without a
// significand and powers too close to call) the power as a single step computes it. stored:
// where the base stands in memory (nullptr when a comes from a register).
inline long double vdParser::PowerOfSet(const Step& s, long double a, const long double* stored) {
    long double r;
    if (RoundedPowerOfSet(s, &r)) return r;
    return Power(StepExactPower, s.exponent, a, s.exponent, stored, stored && s.a < 0);
}

// The power of a set rounded from the set's significand power, written as bits (no x87 load and
// store); false where PowerOfSet computes it as a single step.
inline bool vdParser::RoundedPowerOfSet(const Step& s, long double* out) const {
    const SignificandNumber* const set = PowerTable.data() + s.table;
    const bool negative = (set[0].lo != 0) != (s.a < 0) && (s.exponent & 1);
    return set[0].hi && RoundSignificand(set[s.exponent], ExactPower(set[0].exponent, s.exponent),
                                         negative, out);
}

// Fills the set's significand powers from its base; entry 0 keeps whether it has a significand
// (hi), the base's own sign (lo) and the significand's significant bits (exponent).
inline void vdParser::FillPowerSet(const Step& s, long double a, const long double* stored) {
    SignificandNumber* const set = PowerTable.data() + s.table;
    SignificandNumber base;
    bool operandNegative = false;
    set[0].hi = ReadSignificand(a, stored, stored && s.a < 0, &base, &operandNegative);
    set[0].lo = operandNegative != (s.a < 0);
    if (!set[0].hi) return;
    set[0].exponent = SignificantBits(base.hi);
    SignificandPowers(base, s.b, set);
}

// The value steps, each with the value of its operand a. stored is where a stands in memory,
// not negated (nullptr when it comes from a register); ORV_EXPONENT the general power's exponent.
#define ORV_VALUE_STEPS(X)                                                                         \
    X(StepSquare, Power(StepSquare, 2, a, 2))                                                      \
    X(StepCube, Power(StepCube, 3, a, 3))                                                          \
    X(StepReciprocal, Power(StepReciprocal, -1, a, -1))                                            \
    X(StepReciprocal2, Power(StepReciprocal2, -2, a, -2))                                          \
    X(StepReciprocal3, Power(StepReciprocal3, -3, a, -3))                                          \
    X(StepExactPower,                                                                              \
      Power(StepExactPower, s->exponent, a, s->exponent, stored, stored && s->a < 0))              \
    X(StepPowerSet, (FillPowerSet(*s, a, stored), PowerOfSet(*s, a, stored)))                      \
    X(StepPowerOfSet, PowerOfSet(*s, a, stored))                                                   \
    X(StepPower, GuardedPowl(a, ORV_EXPONENT))                                                     \
    X(StepAbs, fabsl(a))                                                                           \
    X(StepSqrt, GuardedSqrtl(a))                                                                   \
    X(StepExp, GuardedExpl(a))                                                                     \
    X(StepLn, GuardedLogl(a))                                                                      \
    X(StepLg, GuardedLog10l(a))                                                                    \
    X(StepSin, GuardedSinl(ToRadians(a, unit)))                                                    \
    X(StepCos, GuardedCosl(ToRadians(a, unit)))                                                    \
    X(StepTan, GuardedTanl(ToRadians(a, unit)))                                                    \
    X(StepCall, s->function(a))                                                                    \
    X(StepAngleIn, s->function(ToRadians(a, unit)))                                                \
    X(StepAngleOut, Call(*s, a, unit, OverflowBound))

// A step the machine code calls for: its value as the loop computes it. Where an operand or the
// value is out of range, the loop evaluates again and reports.
long double vdParser::MachineStep(vdParser* parser, int step, const long double* a,
                                  const long double* b) {
    const Step& s = parser->Program[size_t(step)];
    const long double exponent = s.code == StepPower ? (s.b < 0 ? -*b : *b) : 0;
    // An operand from the value list was written long before: the integer powers read it there.
    const std::vector<long double>& list = parser->ValueList;
    const long double* const variables = parser->MachineVariables;
    const bool inList = (a >= list.data() && a < list.data() + list.size()) ||
                        (a >= variables && a < variables + parser->VarCount);
    const long double r =
        parser->MachineValue(s, s.a < 0 ? -*a : *a, exponent, inList ? a : nullptr);
    if (!InRange(*a) || !InRange(exponent) || !InRange(r)) parser->MachineFailed = true;
    return r;
}

// The first power of a set, called from machine code before anything else: every power of the
// set into its value number, where the code reads them. The base is a variable or a constant.
// The significand's powers stay here; only where one of them does not round (or the base has
// no significand) the set is computed as the loop computes it.
void vdParser::MachinePowers(vdParser* parser, int step) {
    const Step& first = parser->Program[size_t(step)];
    const size_t n = size_t(std::abs(first.a));
    long double* const list = parser->ValueList.data();
    const long double* const stored =
        n <= size_t(parser->VarCount) ? parser->MachineVariables + (n - 1) : list + n;
    const PowerSetMember* const members = parser->PowerSetMembers.data() + first.set;
    const int count = members[0].count;
    SignificandNumber base;
    bool negative;
    if (first.b <= 8 && ReadSignificand(0, stored, first.a < 0, &base, &negative)) {
        std::uint64_t hi[9], lo[9];
        SmallSignificandPowers(base.hi, first.b, hi, lo);
        const int bits = SignificantBits(base.hi);
        int k = 0;
        for (; k < count; ++k) {
            const PowerSetMember& m = members[k];
            const int e = m.exponent;
            if (!RoundTop(hi[e], lo[e], e * base.exponent + m.scale, ExactPower(bits, e),
                          negative ? m.signNegative : m.signPositive, list + m.result))
                break;
        }
        if (k == count) return;
    }
    parser->MachinePowersAsTheLoop(first, stored);
}

// A power set as the loop computes it, where a power did not round from the significand's
// powers (or the base has none).
void vdParser::MachinePowersAsTheLoop(const Step& first, const long double* stored) {
    const PowerSetMember* const members = PowerSetMembers.data() + first.set;
    const long double a = first.a < 0 ? -*stored : *stored;
    FillPowerSet(first, a, stored);
    for (int k = 0; k < members[0].count; ++k) {
        const Step& s = Program[size_t(members[k].step)];
        long double* const out = &ValueList[size_t(s.result)];
        if (RoundedPowerOfSet(s, out)) continue;
        *out = PowerOfSet(s, members[k].flipped ? -a : a, stored);
        if (!InRange(*out)) MachineFailed = true;
    }
}

long double vdParser::MachineValue(const Step& step, long double a, long double exponent,
                                   const long double* stored) {
    const Step* const s = &step;
    const int unit = AngularUnit;
    switch (s->code) {
#define ORV_EXPONENT exponent
#define ORV_MACHINE_STEP(code, expression)                                                         \
    case code:                                                                                     \
        return expression;
        ORV_VALUE_STEPS(ORV_MACHINE_STEP)
#undef ORV_MACHINE_STEP
#undef ORV_EXPONENT
    default:
        MachineFailed = true;
        return 0;
    }
}

// The machine code where it is built for this angular unit and the variables are finite, else
// (and where it met anything out of the ordinary) the loop.
long double vdParser::Evaluate(const long double* variables) {
    if (!MachineReady()) return EvaluateFirst();
    // The caller's values, where it gave them, were written long before: reading them there is
    // faster than reading the copies just made.
    if (!variables) variables = ValueList.data() + 1;
    for (int i = 0; i < VarCount; ++i)
        if (!FiniteBits(variables + i)) return RunProgram<false>();
    return RunMachine(variables);
}

// The loop, counting down to the machine code (built again for another angular unit).
long double vdParser::EvaluateFirst() {
    if (Machine.Get() && Machine.Unit() != AngularUnit) {
        Machine.Clear();
        MachineCountdown = 1;
    }
    if (MachineCountdown > 0 && --MachineCountdown == 0 &&
        !Machine.Build(Program, ValueList, VarCount, AngularUnit,
                       {&vdParser::MachineStep, &vdParser::MachinePowers}))
        MachineCountdown = -1;
    return RunProgram<false>();
}

// One step outside the loop (for folding), with its operands' signs applied; failed when it
// would report an error.
long double vdParser::RunStep(const Step& s, long double a, long double b, bool* failed) {
    long double r;
    if (s.code >= OpAdd && s.code <= OpDiv) {
        r = Arithmetic(s.code, a, b);
        *failed = !InRange(r);
        return r;
    }
    if (s.function)
        r = Call(s, a, AngularUnit, OverflowBound);
    else
        r = Power(s.code, s.exponent, a, b);
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
    if (Program.empty()) return ValueList[size_t(std::abs(OpList[size_t(OpCount)].Result))];
    return Evaluate();
}

void vdParser::StoreResults() {
    if (!ResultsPending || Program.empty()) return;
    const int unit = AngularUnit;
    AngularUnit = EvaluatedUnit;
    RunProgram<true>();
    AngularUnit = unit;
}

// The evaluation loop: one jump per step to its code (a validated program, ending in StepEnd, so
// no step needs a range check). Every result goes to its value number; the last one also stays in
// acc, where the next step takes it when it is its operand, so that a chain of operations keeps
// its values in registers instead of waiting for them to go through memory.
template <bool StoreAll> long double vdParser::RunProgram() {
    long double* const v = ValueList.data();
    // Evaluating again for the results reports no error: the first evaluation did.
    ResultsPending = !StoreAll && ProgramElides;
    EvaluatedUnit = AngularUnit;
    // The overflow bound is CORRldERR, +infinity, the value every guarded function fails with;
    // tested as "not finite and positive", which needs no constant from memory.
    auto failed = [](long double r) { return !(r - r == 0) && r > 0; };
    const int unit = AngularUnit;
    long double acc = 0, prior = 0;
    for (const Step* s = Program.data();; ++s) {
        switch (s->code) {
            // The four operations in their sign forms, for each source of the operands.
#define ORV_OPERATION(code, sa, sb, first, second, expression)                                     \
    case code: {                                                                                   \
        const long double a = sa(first), b = sb(second);                                           \
        const long double r = expression;                                                          \
        if (__builtin_expect(!InRange(r), 0)) {                                                    \
            if (!StoreAll) OperationError(OpList[size_t(s->op)], a, b);                            \
            return 0;                                                                              \
        }                                                                                          \
        prior = acc;                                                                               \
        acc = r;                                                                                   \
        break;                                                                                     \
    }
#define ORV_SIGN_FORMS(code, first, second, expression)                                            \
    ORV_OPERATION(code, +, +, first, second, expression)                                           \
    ORV_OPERATION(code + 1, -, +, first, second, expression)                                       \
    ORV_OPERATION(code + 2, +, -, first, second, expression)                                       \
    ORV_OPERATION(code + 3, -, -, first, second, expression)
#define ORV_SOURCE_FORMS(source, first, second)                                                    \
    ORV_SIGN_FORMS(StepArithmetic + 16 * source, first, second, a + b)                             \
    ORV_SIGN_FORMS(StepArithmetic + 16 * source + 4, first, second, a - b)                         \
    ORV_SIGN_FORMS(StepArithmetic + 16 * source + 8, first, second, a * b)                         \
    ORV_SIGN_FORMS(StepArithmetic + 16 * source + 12, first, second, b == 0 ? HUGE_VALL : a / b)
            ORV_SOURCE_FORMS(0, v[s->a], v[s->b])
            ORV_SOURCE_FORMS(1, acc, v[s->b])
            ORV_SOURCE_FORMS(2, v[s->a], acc)
            ORV_SOURCE_FORMS(3, prior, v[s->b])
            ORV_SOURCE_FORMS(4, v[s->a], prior)
            ORV_SOURCE_FORMS(5, acc, prior)
            ORV_SOURCE_FORMS(6, prior, acc)
#undef ORV_SOURCE_FORMS
#undef ORV_SIGN_FORMS
#undef ORV_OPERATION

            // Powers, functions: the value, then the error test against the overflow bound.
#define ORV_VALUE_STEP(code, expression)                                                           \
    case code: {                                                                                   \
        const long double x = s->chained == 1 ? acc : s->chained == 2 ? prior : v[std::abs(s->a)]; \
        const long double a = s->a < 0 ? -x : x;                                                   \
        const long double* const stored = s->chained ? nullptr : v + std::abs(s->a);               \
        (void)stored;                                                                              \
        const long double r = expression;                                                          \
        if (__builtin_expect(failed(r), 0)) {                                                      \
            v[s->result] = r;                                                                      \
            if (!StoreAll) FunctionError(OpList[size_t(s->op)], a);                                \
            return 0;                                                                              \
        }                                                                                          \
        prior = acc;                                                                               \
        acc = r;                                                                                   \
        break;                                                                                     \
    }
#define ORV_EXPONENT Operand(v, s->b)
            ORV_VALUE_STEPS(ORV_VALUE_STEP)
#undef ORV_EXPONENT
#undef ORV_VALUE_STEP
        case StepEnd:
            return s->chained ? acc : v[s->a];
        default:
            __builtin_unreachable();
        }
        if (StoreAll || s->store) v[s->result] = acc;
    }
}

template long double vdParser::RunProgram<false>();
