// The compiler. Each elementary operation it finds is recorded and its place in the text taken by
// "#" and the value number of its result, innermost bracket first, "*" and "/" before "+" and
// "-", until a single reference is left.
//
// The innermost bracket is always the one closed by the first ")", so one walk over the text
// from left to right, with the open brackets on a stack, meets the brackets in the order in which
// they are compiled. Inside a bracket the operations are found on a linked list of its
// characters, so that every step costs the length of its operation, and a text of any length
// compiles in time proportional to it.
#include "brackettext.h"
#include "parserint.h"

#include <algorithm>
#include <cstdlib>

using namespace vdp;

namespace {
bool IsOperatorChar(char c) {
    return c == '-' || c == '+' || c == '*' || c == '/';
}

// True when the bracket text[open, close) holds an operation: an operator behind a character
// other than "(" or the "e" of an exponent.
bool HoldsOperation(const std::string& text, size_t open, size_t close) {
    for (size_t i = open; i + 1 < close; ++i)
        if (text[i] != '(' && !IsExponentMark(text, i) && IsOperatorChar(text[i + 1])) return true;
    return false;
}

// True when the node starts an addition or subtraction ("/" too, which only the order leaves for
// here): an operator behind a character other than "(" or the "e" of an exponent.
bool IsAdditive(const BracketText& b, int node) {
    const char next = b.At(b.Next(node));
    return b.At(node) != '(' && !b.IsExponentMark(node) &&
           (next == '-' || next == '+' || next == '/');
}
} // namespace

void vdParser::SolveAll() {
    Trace("void vdParser::SolveAll()");
    std::string in = WorkFunction;
    std::string out; // the text up to the walk's position, every closed bracket compiled
    out.reserve(in.size());
    std::vector<size_t> opens;
    BracketText bracket;
    // Without normalisation the text may hold blanks; the first bracket that only groups
    // removes every blank of the text.
    bool blanks = in.find(' ') != std::string::npos;
    size_t i = 0;
    for (; i < in.size() && !IsError; ++i) {
        const char c = in[i];
        if (c != ')' || opens.empty()) {
            if (c == '(') opens.push_back(out.size());
            out += c;
            continue;
        }
        const size_t open = opens.back();
        opens.pop_back();
        out += ')';
        std::string content;
        if (!CompileBracket(bracket, out, open, &content)) break;
        std::string name;
        const size_t start = NameInFront(out, open, &name);
        if (!name.empty()) {
            const int result = CompileCall(name, content);
            if (!result) break;
            out.resize(start);
            out += '#' + std::to_string(result);
            continue;
        }
        out.resize(open);
        out += content;
        if (blanks) {
            out.erase(std::remove(out.begin(), out.end(), ' '), out.end());
            in.erase(std::remove(in.begin() + long(i) + 1, in.end(), ' '), in.end());
            blanks = false;
        }
        // A text that begins with "--" loses them.
        auto at = [&](size_t k) {
            const size_t rest = i + 1 + k - out.size();
            return k < out.size() ? out[k] : rest < in.size() ? in[rest] : '\0';
        };
        if (at(0) == '-' && at(1) == '-') {
            const size_t fromOut = std::min<size_t>(2, out.size());
            out.erase(0, fromOut);
            i += 2 - fromOut;
        }
    }
    if (i < in.size()) out += in.substr(i);
    // What is left outside every bracket is compiled as one bracket around the whole text.
    while (!IsError && HoldsOperation(out, 0, out.size())) {
        out = "(" + out + ")";
        std::string content;
        if (!CompileBracket(bracket, out, 0, &content)) break;
        out = content;
        if (blanks) out.erase(std::remove(out.begin(), out.end(), ' '), out.end());
        blanks = false;
        if (out.compare(0, 2, "--") == 0) out.erase(0, 2);
    }
    WorkFunction = out;
    BuildProgram();
}

// Compiles the operations of the bracket that opens at out[open] and closes at the end of out;
// content receives what is left between the brackets. False on an error.
bool vdParser::CompileBracket(BracketText& bracket, const std::string& out, size_t open,
                              std::string* content) {
    const size_t close = out.size() - 1;
    if (!HoldsOperation(out, open, close)) {
        *content = out.substr(open + 1, close - open - 1);
        return true;
    }
    bracket.Assign(out.data() + open, close - open + 1);
    EliminateIn(bracket);
    if (IsError) return false;
    *content = bracket.Text(bracket.Next(bracket.Head()), bracket.Tail());
    return true;
}

// Within the bracket all multiplications and divisions are compiled first, left to right, then
// all additions and subtractions, left to right. An operation only ever leaves a reference
// behind, so the search for the next one goes on where the last one was.
void vdParser::EliminateIn(BracketText& b) {
    int product = b.Next(b.Head());
    int sum = b.Head();
    while (!IsError) {
        PercentOut(unsigned(OpCount));
        if (IsError) break;
        while (product != b.Tail() && b.At(product) != '*' && b.At(product) != '/')
            product = b.Next(product);
        if (product != b.Tail()) {
            product = SolveOperationAt(b, product);
            continue;
        }
        while (b.Next(sum) != b.Tail() && !IsAdditive(b, sum)) sum = b.Next(sum);
        if (b.Next(sum) == b.Tail()) break;
        sum = b.Prev(SolveOperationAt(b, b.Next(sum)));
    }
}

// Compiles the binary operation whose operator is the node op; returns the first node of the
// reference that takes its place.
int vdParser::SolveOperationAt(BracketText& b, int op) {
    const int head = b.Head(), tail = b.Tail();
    // Left operand: back to a sign (not an exponent's), or to the bracket.
    int leftStart = op;
    while (b.Prev(leftStart) != head) {
        const int p = b.Prev(leftStart);
        if ((b.At(p) == '-' || b.At(p) == '+') && !b.IsExponentMark(b.Prev(p))) break;
        leftStart = p;
    }
    const int sign = b.Prev(leftStart);
    if (sign != head && b.Prev(sign) == head && b.At(sign) == '-') leftStart = sign;
    // Right operand: a leading "-" belongs to it; "e+" and "e-" inside a number too. A number
    // has one exponent, so once the operand holds two "e" it reads as no number any more.
    std::string right;
    int end = b.Next(op);
    if (end != tail && b.At(end) == '-') {
        right += '-';
        end = b.Next(end);
    }
    int marks = 0;
    while (end != tail) {
        const char c = b.At(end);
        if (IsOperatorChar(c)) break;
        const int next = b.Next(end);
        const bool exponent = c == 'e' && next != tail && (b.At(next) == '+' || b.At(next) == '-');
        if (exponent && marks < 2 && isvalidld(right.c_str())) {
            right += c;
            right += b.At(next);
            end = b.Next(next);
            ++marks;
            continue;
        }
        if (c == 'e') ++marks;
        right += c;
        end = next;
    }
    const std::string left = b.Text(leftStart, op);

    vdOpStructDef& operation = NewOperation();
    operation.Value1 = OperandValue(left);
    operation.Value2 = OperandValue(right);
    const char symbol[2] = {b.At(op), 0};
    operation.SetFunction(symbol);
    operation.Code = symbol[0] == '*'   ? OpMul
                     : symbol[0] == '/' ? OpDiv
                     : symbol[0] == '+' ? OpAdd
                                        : OpSub;
    operation.Result = NextResult();
    return b.Replace(leftStart, end, "#" + std::to_string(operation.Result));
}

// The name in front of the bracket at open: a function name ("sin"), a power base followed by
// "^" ("2^", "x^", "#1104^"), or empty. Returns where it starts.
size_t vdParser::NameInFront(const std::string& text, size_t open, std::string* name) {
    name->clear();
    size_t start = open;
    while (start > 0) {
        const size_t p = start - 1;
        const char c = text[p];
        if (IsOperatorChar(c) || c == '(' || c == ')') {
            const bool exponentSign = (c == '-' || c == '+') && IsExponentMark(text, p - 1);
            const bool negativeBase =
                c == '-' && open > 0 && text[open - 1] == '^' && p > 0 && text[p - 1] == '(';
            if (!exponentSign && !negativeBase) break;
            *name += c;
            start = p;
            if (negativeBase) break;
            continue;
        }
        *name += c;
        start = p;
    }
    std::reverse(name->begin(), name->end());
    return start;
}

// Compiles a built-in function or a power ("2^") applied to a bracket whose content is a single
// operand; returns the value number of the result, or 0 on an error.
int vdParser::CompileCall(std::string name, const std::string& content) {
    vdOpStructDef& op = NewOperation();
    op.Value1 = OperandValue(content);
    if (IsError) return 0;
    // A long power base is a long number: write it shorter so that it fits the operation.
    if (name.size() > 22 && name.back() == '^') {
        char* rest = nullptr;
        const std::string base = name.substr(0, name.size() - 1);
        const long double value = pr_chartold(base.c_str(), &rest);
        if (rest && *rest == 0) {
            char text[64];
            name = std::string(ldtochar(text, value, 26, true)) + "^";
        }
    }
    op.SetFunction(name.c_str());
    if (!SearchFunction(&name)) return 0;
    if (name.back() == '^') {
        op.SetFunction("^");
        op.Code = OpPow;
        op.Value2 = op.Value1;
        op.Value1 = OperandValue(name.substr(0, name.size() - 1));
    } else {
        op.Code = FunctionCode(name);
    }
    op.Result = NextResult();
    return op.Result;
}

// ---------------------------------------------------------------------------------------------
// The single compiler steps on the working text

void vdParser::EliminateOperations(unsigned int open, unsigned int close) {
    if (open == 0 && close == 0) {
        MakeBrackets();
        close = unsigned(WorkFunction.size() - 1);
    }
    BracketText b;
    b.Assign(WorkFunction.data() + open, close - open + 1);
    EliminateIn(b);
    WorkFunction = WorkFunction.substr(0, open) + b.Text(b.Head(), BracketText::kEnd) +
                   WorkFunction.substr(close + 1);
}

void vdParser::SolveBrackets(unsigned int opPos, unsigned int open, unsigned int close) {
    BracketText b;
    b.Assign(WorkFunction.data() + open, close - open + 1);
    SolveOperationAt(b, int(opPos - open));
    WorkFunction = WorkFunction.substr(0, open) + b.Text(b.Head(), BracketText::kEnd) +
                   WorkFunction.substr(close + 1);
}

void vdParser::SolveFunction(std::string* name, unsigned int open, unsigned int close,
                             unsigned int nameStart) {
    const int result = CompileCall(*name, WorkFunction.substr(open + 1, close - open - 1));
    if (result)
        WorkFunction = WorkFunction.substr(0, nameStart) + "#" + std::to_string(result) +
                       WorkFunction.substr(close + 1);
}

// ---------------------------------------------------------------------------------------------
// Operands

// The value number of one operand: a variable, a negated variable, a result "#n", a negated
// result "-#n", or a constant that gets the next value number.
int vdParser::OperandValue(const std::string& operand) {
    const int var = SearchVariable(operand.c_str());
    if (var > 0) return var;
    if (operand.size() >= 2 && operand[0] == '-') {
        const int negVar = SearchVariable(operand.c_str() + 1);
        if (negVar > 0) return -negVar;
    }
    if (!operand.empty() && operand[0] == '#') return ResultReference(operand, 1);
    if (operand.size() >= 2 && operand[1] == '#') return -ResultReference(operand, 2);

    const int index = NextResult();
    char* rest = nullptr;
    long double value = operand.empty() ? 0 : pr_chartold(operand.c_str(), &rest);
    const bool number = !operand.empty() && rest && *rest == 0;
    bool known = number && value > -CORRldERR && value < CORRldERR;
    if (number && !known) {
        NumberOutOfRange(operand);
        ValueList[size_t(index)] = 0;
        return index;
    }
    if (!known) known = AnotherConst(operand.c_str(), &value);
    // A negated constant ("2*-pi") reads like a negated variable.
    if (!known && operand.size() >= 2 && operand[0] == '-' &&
        AnotherConst(operand.c_str() + 1, &value)) {
        value = -value;
        known = true;
    }
    if (!known) UnknownOperand(operand);
    ValueList[size_t(index)] = value;
    return index;
}

// A number written out in full that long double cannot hold ("1e5000"): the code of an unknown
// constant, which callers know, with a message that says what is wrong.
void vdParser::NumberOutOfRange(const std::string& operand) {
    if (IsError) return;
    std::strcpy(UnknownCharacters, CutName(operand, 250, 10).c_str());
    SetError(3, "Die Zahl '" + CutName(operand, 10, 10) + "' ist nicht im g\xFCltigen Bereich.",
             NeedErrorParsText);
}

// The value number of a compiled result "#n" (from digit on); a reference the compiler did not
// hand out (digits run together with it) is an unknown operand.
int vdParser::ResultReference(const std::string& operand, size_t digit) {
    const std::string digits = operand.substr(digit);
    const bool valid = !digits.empty() && digits.size() <= 7 &&
                       digits.find_first_not_of("0123456789") == std::string::npos;
    const int number = valid ? std::atoi(digits.c_str()) : 0;
    if (number > kValueStart && number <= ValueCount) return number;
    // Text glued to a compiled part ("sin(x)q"): the user typed the part behind the reference.
    const size_t typed = operand.find_first_not_of("0123456789", digit);
    UnknownOperand(typed == std::string::npos ? operand : operand.substr(typed));
    return kValueStart + 1 <= ValueCount ? kValueStart + 1 : NextResult();
}

void vdParser::UnknownOperand(const std::string& operand) {
    if (IsError) return;   // the first problem is the one reported
    if (operand.empty()) { // an operator or a sign without its operand
        SetError(13, "Fehler in den Operatoren der Funktion.", NeedErrorParsText);
        return;
    }
    const std::string shown = CutName(operand, 250, 10);
    std::strcpy(UnknownCharacters, shown.c_str());
    SetError(
        3, "Unbekannte Konstante oder Variable '" + CutName(operand, 10, 10) + "' in der Funktion.",
        NeedErrorParsText);
}

// The arrays grow by half their size when full, so that a long text fills them in linear time.
int vdParser::NextResult() {
    const int number = ++ValueCount;
    if (size_t(number) >= ValueList.size())
        ValueList.resize(std::max(size_t(number) + 255, ValueList.size() * 3 / 2), 0.0L);
    return number;
}

vdOpStructDef& vdParser::NewOperation() {
    ++OpCount;
    if (size_t(OpCount) >= OpList.size())
        OpList.resize(std::max(size_t(OpCount) + 255, OpList.size() * 3 / 2));
    return OpList[size_t(OpCount)];
}
