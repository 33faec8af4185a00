// The evaluation program as x86-64 machine code: the x87 register stack holds the results, the
// four operations, squares, cubes, reciprocals, abs and sqrt are single instructions, and every
// other step calls back into the parser for its value. The code computes exactly what the loop
// computes, with the same instructions on the same operands; it only drops most of the tests.
// A value out of range that the loop would report either stays out of range up to the end (an
// infinity or NaN goes through the four operations as one) or meets one of the few tests left:
// a divisor, a function's operand and value, a power too small to be sure of. Then the code
// leaves, and the caller evaluates again with the loop, which reports as it always did. (The
// x87 exception flags would tell as much, but reading them waits for every operation before.)
#include "mathinline.h"
#include "parserint.h"

#include <algorithm>
#include <array>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <sys/mman.h>
#include <unistd.h>
#include <utility>

using namespace vdp;

#if defined(__x86_64__)
namespace {

constexpr int kRbx = 3, kRsp = 4, kRsi = 6, kRdi = 7, kR14 = 14;

// The frame below the saved registers: the operands of a call, its result, the spilled
// registers.
constexpr int kOperandA = 0, kOperandB = 16, kCallResult = 32, kSpill = 48;
constexpr int kFrame =
    kSpill + 16 * 8 + 8; // with four registers saved, calls find the stack aligned

class Emitter {
public:
    std::vector<std::uint8_t> code;

    void Bytes(std::initializer_list<int> bytes) {
        for (int b : bytes) code.push_back(std::uint8_t(b));
    }
    void Int32(std::int32_t v) {
        for (int i = 0; i < 4; ++i) code.push_back(std::uint8_t(std::uint32_t(v) >> (8 * i)));
    }
    void Int64(std::uint64_t v) {
        for (int i = 0; i < 8; ++i) code.push_back(std::uint8_t(v >> (8 * i)));
    }
    // An instruction with the memory operand [base + disp32] (base rbx, rsp, rsi, rdi or r14).
    void Memory(std::initializer_list<int> opcode, int reg, int base, std::int32_t disp) {
        if (base >= 8) Bytes({0x41});
        Bytes(opcode);
        Bytes({0x80 | reg << 3 | (base & 7)});
        if (base == kRsp) Bytes({0x24});
        Int32(disp);
    }
    void LoadExtended(int base, std::int32_t disp) { Memory({0xDB}, 5, base, disp); }
    void StoreExtended(int base, std::int32_t disp) { Memory({0xDB}, 7, base, disp); }
    void Exchange(int i) { Bytes({0xD9, 0xC8 + i}); }
    // fld dword/qword [rip + disp32], the displacement filled in with the constants.
    size_t LoadRipRelative(bool isDouble) {
        Bytes({isDouble ? 0xDD : 0xD9, 0x05});
        Int32(0);
        return code.size() - 4;
    }
    // A jump to be filled in: returns the place of its 32-bit displacement.
    size_t Jump(std::initializer_list<int> opcode) {
        Bytes(opcode);
        Int32(0);
        return code.size() - 4;
    }
    void Patch(size_t at, size_t target) {
        const std::int32_t d = std::int32_t(std::int64_t(target) - std::int64_t(at + 4));
        std::memcpy(&code[at], &d, 4);
    }
};

// The value steps the code computes itself.
bool Inline(int code) {
    switch (code) {
    case StepSquare:
    case StepCube:
    case StepReciprocal:
    case StepReciprocal2:
    case StepReciprocal3:
    case StepAbs:
    case StepSqrt:
        return true;
    default:
        return false;
    }
}

// The x87 stack as the translation sees it: which value sits where (top last). A value is a
// step's result (its index) or an operand loaded from memory (below -1).
class Translation {
public:
    Translation(const std::vector<Step>& program, const std::vector<long double>& list,
                int variableCount, int unit, MachineCalls functions)
        : program(program), list(list), functions(functions), variableCount(variableCount),
          unit(unit) {}

    bool Run();
    std::vector<std::uint8_t>& Code() { return e.code; }

private:
    const std::vector<Step>& program;
    const std::vector<long double>& list; // the value list: the constants
    MachineCalls functions;
    Emitter e;
    std::vector<int> stack;
    std::vector<size_t> leaveJumps;
    std::vector<int> producer; // value number -> the step whose result it is, or -1
    std::vector<char> spilled; // by step: its result went from the stack to its value number
    // Constants loaded as floats or doubles: where the load's displacement is, and the bytes.
    struct Constant {
        size_t at;
        bool isDouble;
        std::uint64_t bits;
    };
    std::vector<Constant> constants;
    int variableCount;
    int unit;
    // Code without calls keeps the arguments where they come (values in rdi, variables in rsi,
    // the status in rdx); code with calls moves them to registers the calls keep (rbx, r14, r13,
    // and the parser to r12).
    bool calls = false;
    int values = kRdi, variables = kRsi;

    // Where a value number stands: base register and displacement.
    std::pair<int, std::int32_t> Place(int number) const {
        const int n = number < 0 ? -number : number;
        if (n >= 1 && n <= variableCount) return {variables, 16 * (n - 1)};
        return {values, 16 * n};
    }

    int Depth(int value) const {
        for (size_t i = 0; i < stack.size(); ++i)
            if (stack[stack.size() - 1 - i] == value) return int(i);
        return -1;
    }
    int Producer(int number) const {
        const size_t n = size_t(number < 0 ? -number : number);
        return n < producer.size() ? producer[n] : -1;
    }
    bool Push(int value) {
        if (stack.size() >= 8) return false;
        stack.push_back(value);
        return true;
    }
    void ToTop(int depth) {
        if (depth == 0) return;
        e.Exchange(depth);
        std::swap(stack.back(), stack[stack.size() - 1 - size_t(depth)]);
    }
    // Makes room for count more values: the deepest ones go to their value numbers (a
    // polynomial computes all its powers before the first product).
    bool MakeRoom(size_t count) {
        while (stack.size() + count > 8) {
            if (DropCopy()) continue;
            const int deepest = stack.front();
            if (deepest < 0) return false;
            ToTop(int(stack.size()) - 1);
            const auto [base, disp] = Place(program[size_t(deepest)].result);
            e.StoreExtended(base, disp);
            stack.pop_back();
            spilled[size_t(deepest)] = 1;
        }
        return true;
    }
    // A variable read again later stays on the stack as a copy (an 80-bit load costs several
    // times a copy between registers); the deepest copy goes first where room is needed, all of
    // them before a call.
    static constexpr int kCopy = -1000000;
    std::vector<int> usesLeft; // by variable: the reads through Operand still to come
    int nextLoad = -2;
    bool overflow = false; // a test found too few free registers: no code
    bool DropCopy() {
        for (size_t i = 0; i < stack.size(); ++i) {
            if (stack[i] > kCopy) continue;
            ToTop(int(stack.size() - 1 - i));
            e.Bytes({0xDD, 0xD8}); // fstp st(0)
            stack.pop_back();
            return true;
        }
        return false;
    }
    void DropCopies() {
        while (DropCopy()) {
        }
    }
    void CountVariableReads(const std::vector<int>& order);
    bool Variable(int n, int* value);
    void LoadConstant(long double c, int number);
    // The operand on the stack: a result already there, else loaded from its value number.
    bool Operand(int number, int* value) {
        const int step = Producer(number);
        if (step >= 0 && !spilled[size_t(step)]) {
            *value = step;
            return Depth(step) >= 0;
        }
        const size_t n = size_t(number < 0 ? -number : number);
        if (step >= 0) {
            spilled[size_t(step)] = 0;
            const auto [base, disp] = Place(number);
            e.LoadExtended(base, disp);
        } else if (n > size_t(variableCount) && n < list.size()) {
            LoadConstant(list[n], number);
        } else if (n >= 1 && n <= size_t(variableCount)) {
            return Variable(int(n), value);
        } else {
            const auto [base, disp] = Place(number);
            e.LoadExtended(base, disp);
        }
        *value = step >= 0 ? step : nextLoad--;
        return Push(*value);
    }
    // A value step's operand on top, its sign applied.
    bool OperandOnTop(const Step& s) {
        int a;
        if (!Operand(s.a, &a)) return false;
        if (s.a < 0)
            Negate(a);
        else
            ToTop(Depth(a));
        return true;
    }
    void Negate(int value) {
        ToTop(Depth(value));
        e.Bytes({0xD9, 0xE0}); // fchs
    }
    void FiniteTest(int depth);
    void SmallTest();
    bool Arithmetic(const Step& s, int index);
    bool ValueStep(const Step& s, int index);
    bool Call(const Step& s, int index);
    bool DirectCall(const Step& s, int index, long double (*f)(long double));
    void Spill(size_t count);
    void CallAndReload(std::uint64_t address, size_t spilled, bool finite);
    void Prologue();
    void PowerSets();
    void Epilogue();
    void Leave();
    void PlaceConstants();
    bool CountUses();
    bool Order(std::vector<int>* order) const;
};

// A constant that a float or a double holds exactly (and not as a subnormal, which would cost
// a slow load) comes from those few bytes; 0 and 1 have instructions of their own.
void Translation::LoadConstant(long double c, int number) {
    const float f = float(c);
    const double d = double(c);
    if (c == 0 && !std::signbit(c)) {
        e.Bytes({0xD9, 0xEE}); // fldz
    } else if (c == 1) {
        e.Bytes({0xD9, 0xE8}); // fld1
    } else if (f == c && std::fabs(f) >= FLT_MIN) {
        std::uint32_t bits;
        std::memcpy(&bits, &f, 4);
        constants.push_back({e.LoadRipRelative(false), false, bits});
    } else if (d == c && std::fabs(d) >= DBL_MIN) {
        std::uint64_t bits;
        std::memcpy(&bits, &d, 8);
        constants.push_back({e.LoadRipRelative(true), true, bits});
    } else {
        const auto [base, disp] = Place(number);
        e.LoadExtended(base, disp);
    }
}

// The reads of each variable through Operand, in the order the code computes the steps: the
// operands of the four operations and of the steps computed here or called straight (a call
// back into the parser reads its operands from memory).
void Translation::CountVariableReads(const std::vector<int>& order) {
    usesLeft.assign(size_t(variableCount) + 1, 0);
    const auto read = [&](int number) {
        const int n = number < 0 ? -number : number;
        if (n >= 1 && n <= variableCount && Producer(number) < 0) ++usesLeft[size_t(n)];
    };
    const bool radians = unit == 2;
    for (int i : order) {
        const Step& s = program[size_t(i)];
        if (s.code < StepSquare) {
            read(s.a);
            read(s.b);
            continue;
        }
        switch (s.code) {
        case StepExp:
        case StepLn:
        case StepLg:
        case StepCall:
            read(s.a);
            break;
        case StepSin:
        case StepCos:
        case StepTan:
        case StepAngleIn:
        case StepAngleOut:
            if (radians) read(s.a);
            break;
        default:
            if (Inline(s.code)) read(s.a);
            break;
        }
    }
}

// Variable n as an operand: its copy where one is on the stack (itself at its last read), else
// loaded, with a copy kept below it where it is read again and there is room.
bool Translation::Variable(int n, int* value) {
    const int copy = kCopy - n;
    const bool again = --usesLeft[size_t(n)] > 0;
    const int depth = Depth(copy);
    *value = nextLoad--;
    if (depth >= 0) {
        if (!again) {
            stack[stack.size() - 1 - size_t(depth)] = *value;
            return true;
        }
        e.Bytes({0xD9, 0xC0 + depth}); // fld st(depth)
        return Push(*value);
    }
    const auto [base, disp] = Place(n);
    e.LoadExtended(base, disp);
    if (again && stack.size() < 5) {
        stack.push_back(copy);
        e.Bytes({0xD9, 0xC0}); // fld st(0)
    }
    return Push(*value);
}

// Leaves when the value at depth is infinite or NaN: r - r is NaN then, and unordered.
void Translation::FiniteTest(int depth) {
    overflow = overflow || stack.size() + 1 > 8;
    // fld st(depth); fsub st, st; fucomip st, st; jp leave
    e.Bytes({0xD9, 0xC0 + depth, 0xD8, 0xE0, 0xDF, 0xE8});
    leaveJumps.push_back(e.Jump({0x0F, 0x8A}));
}

// A square, cube or reciprocal on top below 2^-1022 in magnitude (or NaN) leaves: the loop tells
// an underflow there from a small power in range (and 0 from 0).
void Translation::SmallTest() {
    overflow = overflow || stack.size() + 2 > 8;
    double bound = 0x1p-1022;
    std::uint64_t bits;
    std::memcpy(&bits, &bound, 8);
    constants.push_back({e.LoadRipRelative(true), true, bits});
    // fld st(1); fabs; fcomip st, st(1); fstp st(0); jb leave
    e.Bytes({0xD9, 0xC1, 0xD9, 0xE1, 0xDF, 0xF1, 0xDD, 0xD8});
    leaveJumps.push_back(e.Jump({0x0F, 0x82}));
}

// Every result is read exactly once, by a later step or as the value: then the x87 stack can
// hold it from its step to its use, and the steps form a tree.
bool Translation::CountUses() {
    int top = 0;
    for (const Step& s : program) top = std::max({top, s.result, std::abs(s.a), std::abs(s.b)});
    producer.assign(size_t(top) + 1, -1);
    std::vector<int> uses(program.size(), 0);
    spilled.assign(program.size(), 0);
    for (size_t i = 0; i + 1 < program.size(); ++i) {
        const Step& s = program[i];
        const bool arithmetic = s.code < StepSquare;
        for (int n : {s.a, arithmetic || s.code == StepPower ? s.b : 0}) {
            const int p = n == 0 ? -1 : Producer(n);
            if (p >= 0) ++uses[size_t(p)];
        }
        // A power set's base is read by every power of it: a variable or a constant here.
        if ((s.code == StepPowerSet || s.code == StepPowerOfSet) && Producer(s.a) >= 0)
            return false;
        if (s.result <= 0 || producer[size_t(s.result)] >= 0) return false;
        producer[size_t(s.result)] = int(i);
    }
    if (program.size() < 2 || program.back().code != StepEnd) return false;
    ++uses[program.size() - 2];
    for (size_t i = 0; i + 1 < program.size(); ++i)
        if (uses[i] != 1) return false;
    return true;
}

// The steps in the order the code computes them: each operand's steps just before their use,
// the one that needs more registers first, and one with calls before one without (a call
// spills every register). The values do not depend on the order, only the spills do.
bool Translation::Order(std::vector<int>* order) const {
    const size_t count = program.size() - 1;
    std::vector<int> need(count, 1);
    std::vector<char> hasCall(count, 0);
    std::vector<std::array<int, 2>> kids(count, {-1, -1});
    for (size_t i = 0; i < count; ++i) {
        const Step& s = program[i];
        const bool two = s.code < StepSquare || s.code == StepPower;
        const int ka = Producer(s.a), kb = two ? Producer(s.b) : -1;
        const int na = ka >= 0 ? need[size_t(ka)] : 1, nb = kb >= 0 ? need[size_t(kb)] : 1;
        need[i] = two ? (na == nb ? na + 1 : std::max(na, nb)) : na;
        const bool call = s.code >= StepSquare && !Inline(s.code) && s.code != StepPowerSet &&
                          s.code != StepPowerOfSet;
        hasCall[i] =
            char(call || (ka >= 0 && hasCall[size_t(ka)]) || (kb >= 0 && hasCall[size_t(kb)]));
        std::array<int, 2> k = {ka, kb};
        if (ka >= 0 && kb >= 0 &&
            (hasCall[size_t(kb)] != hasCall[size_t(ka)] ? hasCall[size_t(kb)] != 0
                                                        : need[size_t(kb)] > need[size_t(ka)]))
            std::swap(k[0], k[1]);
        if (k[0] < 0) std::swap(k[0], k[1]);
        kids[i] = k;
    }
    // Depth first from the value, without recursion (a long sum is a deep tree).
    order->clear();
    std::vector<std::pair<int, int>> work{{int(count) - 1, 0}};
    while (!work.empty()) {
        const int node = work.back().first, next = work.back().second;
        const int kid = next < 2 ? kids[size_t(node)][size_t(next)] : -1;
        if (kid >= 0) {
            work.back().second = next + 1;
            work.push_back({kid, 0});
        } else {
            order->push_back(node);
            work.pop_back();
        }
    }
    return order->size() == count;
}

bool Translation::Arithmetic(const Step& s, int index) {
    const int code = s.code - StepArithmetic, operation = (code % 16) / 4;
    // A divisor that is a result may be infinite, which the quotient would hide.
    const bool testDivisor = operation == 3 && Producer(s.b) >= 0;
    int a, b;
    if (!MakeRoom(testDivisor ? 3 : 2) || !Operand(s.a, &a) || !Operand(s.b, &b) || a == b)
        return false;
    if (code & 1) Negate(a);
    if (code & 2) Negate(b);
    // Both to the top two places, in either order.
    if (Depth(a) != 0 && Depth(b) != 0) ToTop(Depth(a));
    const int other = Depth(a) == 0 ? b : a;
    if (Depth(other) != 1) {
        e.Exchange(1);
        std::swap(stack.back(), stack[stack.size() - 2]);
        ToTop(Depth(other));
    }
    if (testDivisor) FiniteTest(Depth(b));
    const bool aBelow = Depth(a) == 1; // st(1) = a, st(0) = b
    // faddp, fsubp / fsubrp, fmulp, fdivp / fdivrp on st(1), st(0)
    static const int kBelow[4] = {0xC1, 0xE9, 0xC9, 0xF9}, kAbove[4] = {0xC1, 0xE1, 0xC9, 0xF1};
    e.Bytes({0xDE, aBelow ? kBelow[operation] : kAbove[operation]});
    stack.pop_back();
    stack.back() = index;
    return true;
}

bool Translation::ValueStep(const Step& s, int index) {
    // In radians the angle functions need no conversion either.
    const bool radians = unit == 2;
    switch (s.code) {
    case StepExp:
        return DirectCall(s, index, &GuardedExpl);
    case StepLn:
        return DirectCall(s, index, &GuardedLogl);
    case StepLg:
        return DirectCall(s, index, &GuardedLog10l);
    case StepCall:
        return DirectCall(s, index, s.function);
    case StepSin:
    case StepCos:
    case StepTan:
        if (!radians) return Call(s, index);
        return DirectCall(s, index,
                          s.code == StepSin   ? &GuardedSinl
                          : s.code == StepCos ? &GuardedCosl
                                              : &GuardedTanl);
    case StepAngleIn:
    case StepAngleOut:
        return radians ? DirectCall(s, index, s.function) : Call(s, index);
    case StepPowerSet:
    case StepPowerOfSet: {
        // Computed before anything else, in the value numbers.
        if (!MakeRoom(1)) return false;
        const auto [base, disp] = Place(s.result);
        e.LoadExtended(base, disp);
        return Push(index);
    }
    default:
        break;
    }
    if (!Inline(s.code)) return Call(s, index);
    const bool power = s.code != StepAbs && s.code != StepSqrt;
    if (!MakeRoom(power ? 3 : 1) || !OperandOnTop(s)) return false;
    switch (s.code) {
    case StepSquare:
        e.Bytes({0xD9, 0xC0, 0xDE, 0xC9}); // fld st(0); fmulp
        break;
    case StepCube:
        e.Bytes({0xD9, 0xC0, 0xD8, 0xC8, 0xDE, 0xC9}); // fld st(0); fmul st, st; fmulp
        break;
    case StepAbs:
        e.Bytes({0xD9, 0xE1});
        break;
    case StepSqrt:
        e.Bytes({0xD9, 0xFA});
        break;
    default:
        e.Bytes({0xD9, 0xE8, 0xDE, 0xF1}); // fld1; fdivrp: 1 / a
        if (s.code == StepReciprocal2) e.Bytes({0xD9, 0xC0, 0xDE, 0xC9});
        if (s.code == StepReciprocal3) e.Bytes({0xD9, 0xC0, 0xD8, 0xC8, 0xDE, 0xC9});
        break;
    }
    if (power) SmallTest();
    stack.back() = index;
    return true;
}

// The step's value from the parser: its operands go to memory (results) or are passed where
// they are (value numbers), every other register is spilled, and the value comes back on top.
bool Translation::Call(const Step& s, int index) {
    const bool twoOperands = s.code == StepPower;
    const int numbers[2] = {s.a, twoOperands ? s.b : 0};
    const int slots[2] = {kOperandA, kOperandB};
    const int regs[2] = {2, 1}; // rdx, rcx
    for (int k = 0; k < 2; ++k) {
        const int n = numbers[k] < 0 ? -numbers[k] : numbers[k];
        const int step = n ? Producer(n) : -1;
        const int reg = regs[k];
        if (step >= 0 && !spilled[size_t(step)]) {
            const int depth = Depth(step);
            if (depth < 0) return false;
            ToTop(depth);
            e.StoreExtended(kRsp, slots[k]);
            stack.pop_back();
            e.Bytes({0x48, 0x8D, 0x84 | reg << 3, 0x24}); // lea reg, [rsp + slot]
            e.Int32(slots[k]);
        } else {
            const auto [base, disp] = Place(n);
            e.Bytes({0x48 | (base >= 8 ? 1 : 0), 0x8D, 0x80 | reg << 3 | (base & 7)}); // lea
            e.Int32(disp);
        }
    }
    DropCopies();
    const size_t spilled = stack.size();
    Spill(spilled);
    e.Bytes({0x4C, 0x89, 0xE7}); // mov rdi, r12
    e.Bytes({0xBE});             // mov esi, index
    e.Int32(index);
    CallAndReload(std::uint64_t(reinterpret_cast<std::uintptr_t>(functions.step)), spilled, false);
    return Push(index);
}

void Translation::Prologue() {
    if (calls) {
        // push rbx; push r12; push r13; push r14; sub rsp, frame;
        // mov rbx, rdi; mov r14, rsi; mov r13, rdx; mov r12, rcx
        e.Bytes({0x53, 0x41, 0x54, 0x41, 0x55, 0x41, 0x56, 0x48, 0x81, 0xEC});
        e.Int32(kFrame);
        e.Bytes({0x48, 0x89, 0xFB, 0x49, 0x89, 0xF6, 0x49, 0x89, 0xD5, 0x49, 0x89, 0xCC});
        values = kRbx;
        variables = kR14;
    }
}

// The powers of every power set into their value numbers, while the x87 stack is empty.
void Translation::PowerSets() {
    for (size_t i = 0; i + 1 < program.size(); ++i) {
        if (program[i].code != StepPowerSet) continue;
        e.Bytes({0x4C, 0x89, 0xE7, 0xBE}); // mov rdi, r12; mov esi, step
        e.Int32(std::int32_t(i));
        e.Bytes({0x48, 0xB8}); // mov rax, address; call rax
        e.Int64(std::uint64_t(reinterpret_cast<std::uintptr_t>(functions.powers)));
        e.Bytes({0xFF, 0xD0});
    }
}

// Calls find the x87 registers empty: every value on them goes to the frame.
void Translation::Spill(size_t count) {
    for (size_t k = 0; k < count; ++k) e.StoreExtended(kRsp, kSpill + 16 * int(k));
}

// The call, then the spilled values back below its result. finite: a value that is not finite
// leaves to the loop.
void Translation::CallAndReload(std::uint64_t address, size_t spilled, bool finite) {
    e.Bytes({0x48, 0xB8}); // mov rax, address
    e.Int64(address);
    e.Bytes({0xFF, 0xD0}); // call rax
    if (finite) {
        // fld st(0); fsub st, st; fucomip st, st: unordered (r - r is NaN) for infinities, NaN
        e.Bytes({0xD9, 0xC0, 0xD8, 0xE0, 0xDF, 0xE8});
        leaveJumps.push_back(e.Jump({0x0F, 0x8A})); // jp
    }
    if (spilled) {
        e.StoreExtended(kRsp, kCallResult);
        for (size_t k = spilled; k-- > 0;) e.LoadExtended(kRsp, kSpill + 16 * int(k));
        e.LoadExtended(kRsp, kCallResult);
    }
}

// A function of one value called straight (the guarded functions the loop calls, out of line):
// the operand, its sign applied, is the argument in memory at [rsp], as the calling convention
// passes a long double. An operand that is a result may be infinite, which the function's value
// could hide; a value that is not finite (a failing function gives +infinity) leaves as well.
bool Translation::DirectCall(const Step& s, int index, long double (*f)(long double)) {
    if (!MakeRoom(2) || !OperandOnTop(s)) return false;
    if (Producer(s.a) >= 0) FiniteTest(0);
    e.StoreExtended(kRsp, kOperandA);
    stack.pop_back();
    DropCopies();
    const size_t spilled = stack.size();
    Spill(spilled);
    CallAndReload(std::uint64_t(reinterpret_cast<std::uintptr_t>(f)), spilled, true);
    return Push(index);
}

// The saved registers come back; the value is in st(0).
void Translation::Epilogue() {
    if (calls) {
        e.Bytes({0x48, 0x81, 0xC4}); // add rsp, frame
        e.Int32(kFrame);
        e.Bytes({0x41, 0x5E, 0x41, 0x5D, 0x41, 0x5C, 0x5B}); // pop r14 ... rbx
    }
    e.Bytes({0xC3}); // ret
}

// Where a test failed: the status says so, the registers are emptied, 0 is the value.
void Translation::Leave() {
    if (leaveJumps.empty()) return;
    const size_t leave = e.code.size();
    if (calls)
        e.Bytes({0x41, 0xC7, 0x45, 0x00}); // mov dword [r13], kMachineRangeLeft
    else
        e.Bytes({0xC7, 0x02}); // mov dword [rdx], kMachineRangeLeft
    e.Int32(std::int32_t(kMachineRangeLeft));
    e.Bytes({0x0F, 0x77, 0xD9, 0xEE}); // emms; fldz
    Epilogue();
    for (size_t at : leaveJumps) e.Patch(at, leave);
}

// The constants behind the code, each aligned to its size, the loads pointed at them.
void Translation::PlaceConstants() {
    // On a page of their own: read from the code's page, they made the code a third slower in
    // some processes and not in others (measured on AMD Zen 5).
    if (!constants.empty())
        while (e.code.size() % 4096) e.Bytes({0xCC});
    for (const Constant& c : constants) {
        const size_t size = c.isDouble ? 8 : 4;
        while (e.code.size() % size) e.Bytes({0xCC});
        e.Patch(c.at, e.code.size());
        for (size_t i = 0; i < size; ++i) e.Bytes({int((c.bits >> (8 * i)) & 0xFF)});
    }
}

bool Translation::Run() {
    std::vector<int> order;
    if (!CountUses() || !Order(&order)) return false;
    CountVariableReads(order);
    for (const Step& s : program)
        if (s.code >= StepSquare && s.code != StepEnd && !Inline(s.code)) calls = true;
    Prologue();
    PowerSets();
    for (int i : order) {
        const Step& s = program[size_t(i)];
        const bool ok = s.code < StepSquare ? Arithmetic(s, i) : ValueStep(s, i);
        if (!ok) return false;
    }
    DropCopies();
    if (overflow || stack.size() != 1 || stack.back() != int(program.size()) - 2) return false;
    FiniteTest(0);
    Epilogue();
    Leave();
    PlaceConstants();
    return true;
}

} // namespace
#endif

MachineCode::~MachineCode() {
    Clear();
}

void MachineCode::Clear() {
    if (memory) munmap(memory, size);
    memory = nullptr;
    size = 0;
    entry = nullptr;
}

bool MachineCode::Build(const std::vector<Step>& program, const std::vector<long double>& values,
                        int variables, int angularUnit, MachineCalls calls) {
    Clear();
    unit = angularUnit;
#if defined(__x86_64__)
    if (program.size() > 20000) return false;
    // The operations' flags tell a result out of range only when their operands are finite:
    // the variables are tested at every evaluation, the constants here.
    for (const Step& s : program)
        for (int n : {s.a, s.code < StepSquare || s.code == StepPower ? s.b : 0}) {
            const size_t k = size_t(std::abs(n));
            if (k > size_t(variables) && k < values.size() && !InRange(values[k])) return false;
        }
    Translation t(program, values, variables, angularUnit, calls);
    if (!t.Run()) return false;
    const std::vector<std::uint8_t>& code = t.Code();
    const size_t page = size_t(sysconf(_SC_PAGESIZE));
    const size_t length = (code.size() + page - 1) / page * page;
    void* m = mmap(nullptr, length, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (m == MAP_FAILED) return false;
    std::memcpy(m, code.data(), code.size());
    // Written, then only executed: a system that refuses executable memory keeps the loop.
    if (mprotect(m, length, PROT_READ | PROT_EXEC) != 0) {
        munmap(m, length);
        return false;
    }
    memory = m;
    size = length;
    entry = reinterpret_cast<Entry>(m);
    return true;
#else
    (void)program;
    (void)values;
    (void)variables;
    (void)angularUnit;
    (void)calls;
    return false;
#endif
}
