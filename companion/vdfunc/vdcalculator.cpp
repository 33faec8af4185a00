#include "vdcalculator.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>

namespace {

const char* const kFunctionKeys[] = {
    "sin",  "cos", "tan", "cot", "asin", "acos", "atan", "acot",   "sinh",   "cosh",   "tanh",
    "coth", "exp", "lg",  "ln",  "sqr",  "sqrt", "rand", "arsinh", "arcosh", "artanh", "arcoth"};

const char* const kLengthNote = "Die Länge der Funktion kann maximal 2500 Zeichen sein. Die "
                                "Taste wird nicht übernommen.";
const char* const kNoOperandNote = "Vor dieser Taste fehlt eine Zahl.";
const char* const kNoBracketNote = "Es ist keine Klammer offen.";
const char* const kOverflowNote = "Fehler durch Zahlenüberlauf.";

bool IsOperatorChar(char c) {
    return c && std::strchr("+-*/^", c) != nullptr;
}
bool IsOpenBracket(char c) {
    return c == '(' || c == '[' || c == '{';
}
bool IsCloseBracket(char c) {
    return c == ')' || c == ']' || c == '}';
}
bool IsLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_';
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}
// A character that can end an operand.
bool EndsOperand(char c) {
    return IsLetter(c) || IsDigit(c) || c == '.' || IsCloseBracket(c) || c == '!' || c == '%';
}
// A sign at `p` is not an operation when nothing or an operator or an opening bracket is in
// front of it.
bool IsSignAt(const std::string& text, size_t p) {
    return (text[p] == '-' || text[p] == '+') &&
           (p == 0 || IsOperatorChar(text[p - 1]) || IsOpenBracket(text[p - 1]));
}
// Position of the bracket opening the one that closes at `close`, or npos.
size_t MatchingOpen(const std::string& text, size_t close) {
    int depth = 0;
    for (size_t i = close + 1; i-- > 0;) {
        if (IsCloseBracket(text[i])) ++depth;
        if (IsOpenBracket(text[i]) && --depth == 0) return i;
    }
    return std::string::npos;
}
bool IsPureGroup(const std::string& x) {
    return x.size() >= 2 && IsOpenBracket(x.front()) && IsCloseBracket(x.back()) &&
           MatchingOpen(x, x.size() - 1) == 0;
}

} // namespace

vdCalculator::vdCalculator(const char* FunctionIn, bool FastIn, int VarCountIn,
                           const char* VarDescIn)
    : Text(FunctionIn ? FunctionIn : ""), VarDesc(VarDescIn ? VarDescIn : ""),
      VarCount(std::clamp(VarCountIn, 0, 999)), Fast(FastIn) {
    vdFuncTrace("vdCalculator::vdCalculator(char*, bool, int, char*)");
    // Single letters ("xyzuvw") or names separated by spaces ("a b c").
    if (VarDesc.find(' ') == std::string::npos) {
        for (char c : VarDesc) VarNames.push_back(std::string(1, c));
    } else {
        size_t from = 0;
        while (from < VarDesc.size()) {
            size_t to = VarDesc.find(' ', from);
            if (to == std::string::npos) to = VarDesc.size();
            if (to > from) VarNames.push_back(VarDesc.substr(from, to - from));
            from = to + 1;
        }
    }
    Values.assign(size_t(std::max(VarCount, 1)), 0.0L);
    ShownText = "0";
    Shown = Show::Entry;
}

vdCalculator::~vdCalculator() {
    vdFuncTrace("vdCalculator::~vdCalculator()");
}

void vdCalculator::SetFast(bool fast) {
    vdFuncTrace("void vdCalculator::SetFast(bool)");
    Fast = fast;
}

void vdCalculator::SetAngularUnitTo(int unit) {
    vdFuncTrace("void vdCalculator::SetAngularUnitTo(int)");
    if (unit >= 1 && unit <= 3) AngularUnit = unit;
}

void vdCalculator::SetBaseTo(int base) {
    vdFuncTrace("void vdCalculator::SetBaseTo(int)");
    if (base == 2 || base == 8 || base == 10 || base == 16) BaseIn = base;
}

void vdCalculator::SetBaseOutTo(int base) {
    vdFuncTrace("void vdCalculator::SetBaseOutTo(int)");
    if (base == 2 || base == 8 || base == 10 || base == 16) BaseOut = base;
}

long double vdCalculator::GetMemory() {
    Settle(nullptr);
    return Memory;
}

// ---------------------------------------------------------------------------------------------
// Reading the text

bool vdCalculator::IsNumberChar(char c) const {
    return IsDigit(c) || c == '.' || (BaseIn == 16 && c >= 'A' && c <= 'F');
}

bool vdCalculator::IsDigitOfBase(char c) const {
    if (IsDigit(c)) return c - '0' < BaseIn;
    return BaseIn == 16 && c >= 'A' && c <= 'F';
}

vdCalculator::Operand vdCalculator::LastOperand(const std::string& text) const {
    Operand op;
    size_t end = text.size();
    while (end > 0 && (text[end - 1] == '!' || text[end - 1] == '%')) --end;
    op.postfix = end < text.size();
    if (end == 0) return op;
    size_t start;
    const char last = text[end - 1];
    if (IsCloseBracket(last)) {
        start = MatchingOpen(text, end - 1);
        if (start == std::string::npos) return op;
        while (start > 0 && IsLetter(text[start - 1])) --start; // the function name
        op.kind = Kind::Group;
    } else if (IsLetter(last) || IsNumberChar(last)) {
        // The run of name and number characters. A number in front of a name is a product
        // ("2x" is 2 times x), so a name begins at the first character that is no digit.
        size_t run = end;
        while (run > 0 && (IsLetter(text[run - 1]) || IsNumberChar(text[run - 1]))) --run;
        start = run;
        while (start < end && IsNumberChar(text[start])) ++start;
        if (start < end) {
            op.kind = Kind::Name;
        } else {
            start = run;
            op.kind = Kind::Number;
            // An exponent: "1.5e-3" is one number.
            if (start >= 3 && (text[start - 1] == '-' || text[start - 1] == '+') &&
                text[start - 2] == 'e' && IsNumberChar(text[start - 3])) {
                start -= 2;
                while (start > 0 && IsNumberChar(text[start - 1])) --start;
            }
        }
    } else {
        return op;
    }
    op.found = true;
    op.core = start;
    op.start = start;
    if (start > 0 && IsSignAt(text, start - 1)) {
        op.signed_ = true;
        op.start = start - 1;
    }
    return op;
}

// The last operand, or right after "=" the whole text.
vdCalculator::Operand vdCalculator::LastOperandOrWhole() const {
    if (!AfterEquals || Text.empty()) return LastOperand(Text);
    Operand op = LastOperand(Text);
    if (op.found && op.start == 0) return op; // the whole text is one operand
    Operand whole;
    whole.found = true;
    whole.kind = Kind::Compound;
    return whole;
}

bool vdCalculator::IsSingleOperand(const std::string& text) const {
    const Operand op = LastOperand(text);
    return op.found && op.start == 0 && !op.signed_;
}

std::string vdCalculator::AtomOf(const std::string& x) const {
    return IsSingleOperand(x) ? x : "(" + x + ")";
}

bool vdCalculator::EndsWithOperand(const std::string& text) const {
    return !text.empty() && EndsOperand(text.back());
}

int vdCalculator::OpenBrackets(const std::string& text) const {
    int open = 0;
    bool comment = false;
    for (char c : text) {
        if (c == '"') comment = !comment;
        if (comment) continue;
        if (IsOpenBracket(c)) ++open;
        if (IsCloseBracket(c)) --open;
    }
    return open;
}

// The text as fast mode evaluates it: without a trailing operator or opening bracket (with its
// function name), and with its open brackets closed.
std::string vdCalculator::CompleteForEvaluation(std::string text) const {
    while (!text.empty()) {
        if (IsOperatorChar(text.back())) {
            text.pop_back();
        } else if (IsOpenBracket(text.back())) {
            text.pop_back();
            while (!text.empty() && IsLetter(text.back())) text.pop_back();
        } else {
            break;
        }
    }
    const int open = OpenBrackets(text);
    if (open > 0) text.append(size_t(open), ')');
    return text;
}

// ---------------------------------------------------------------------------------------------
// Changing the text

bool vdCalculator::Refuse(const std::string& note) {
    Shown = Show::Message;
    ShownText = note;
    PendingEval = Pending::None;
    return false;
}

bool vdCalculator::SetText(std::string text, Pending pending) {
    if (text.size() > size_t(MaxFunctionLength) && text.size() > Text.size())
        return Refuse(kLengthNote);
    Text = std::move(text);
    AfterEquals = false;
    PendingEval = pending;
    OperandStart = std::string::npos;
    return true;
}

// Shows the number being typed, as typed.
void vdCalculator::ShowEntry() {
    const Operand op = LastOperand(Text);
    Shown = Show::Entry;
    ShownText = op.found ? Text.substr(op.start) : "0";
}

// Puts `replacement` in place of the last operand `op`. Brackets are added where what stands
// in front would bind the replacement differently; an operand in front gets a "*".
bool vdCalculator::ReplaceLastOperand(const Operand& op, const std::string& replacement,
                                      Binding binding) {
    std::string before = Text.substr(0, op.start);
    char in_front = before.empty() ? 0 : before.back();
    if (EndsOperand(in_front)) {
        before += '*';
        in_front = '*';
    }
    bool bracket = false;
    switch (binding) {
    case Binding::Operand:
        break;
    case Binding::Power:
        bracket = in_front == '^';
        break;
    case Binding::Product:
        bracket = in_front == '/' || in_front == '^';
        break;
    case Binding::Sign:
        bracket = in_front != 0 && !IsOpenBracket(in_front);
        break;
    }
    if (!SetText(before + (bracket ? "(" + replacement + ")" : replacement), Pending::Operand))
        return false;
    OperandStart = before.size(); // the display shows the replacement's value
    return true;
}

bool vdCalculator::DigitKey(const std::string& digits) {
    for (char c : digits)
        if (!IsDigitOfBase(c))
            return Refuse(std::string("Die Ziffer '") + c + "' gibt es im Stellenwertsystem " +
                          BaseName(BaseIn) + " nicht.");
    const std::string text = AfterEquals ? std::string() : Text;
    const Operand op = LastOperand(text);
    std::string next = text;
    if (op.found && op.kind == Kind::Number && !op.postfix) {
        const std::string number = text.substr(op.core);
        if (number == "0") {
            if (digits[0] == '0')
                next = text; // no leading zeros
            else
                next = text.substr(0, op.core) + digits;
        } else {
            next += digits;
        }
    } else {
        next += (EndsWithOperand(text) ? "*" : "") + (digits == "00" ? std::string("0") : digits);
    }
    if (!SetText(next, Pending::None)) return false;
    ShowEntry();
    return true;
}

bool vdCalculator::PointKey() {
    const std::string text = AfterEquals ? std::string() : Text;
    const Operand op = LastOperand(text);
    std::string next;
    if (op.found && op.kind == Kind::Number && !op.postfix) {
        const std::string number = text.substr(op.core);
        if (number.find_first_of(".e") != std::string::npos)
            return Refuse("Die Zahl hat schon einen Punkt.");
        next = text + ".";
    } else {
        next = text + (EndsWithOperand(text) ? "*0." : "0.");
    }
    if (!SetText(next, Pending::None)) return false;
    ShowEntry();
    return true;
}

bool vdCalculator::OperatorKey(char op) {
    if (AfterEquals && !Text.empty()) {
        const bool bracket = op != '+' && op != '-' && !IsSingleOperand(Text);
        return SetText((bracket ? "(" + Text + ")" : Text) + op, Pending::None);
    }
    std::string text = Text;
    const char last = text.empty() ? 0 : text.back();
    const bool atStart = last == 0 || IsOpenBracket(last);
    const bool afterSign = IsOperatorChar(last) && IsSignAt(text, text.size() - 1);
    if (atStart || afterSign) {
        // Only a sign can stand here.
        if (op == '-') return SetText(afterSign ? text : text + "-", Pending::None);
        if (op == '+')
            return SetText(afterSign ? text.substr(0, text.size() - 1) : text, Pending::None);
        return Refuse(kNoOperandNote);
    }
    if (IsOperatorChar(last)) text.pop_back(); // an operator replaces the one before it
    return SetText(text + op, Pending::None);
}

bool vdCalculator::OpenBracketKey() {
    const std::string text = AfterEquals ? std::string() : Text;
    return SetText(text + (EndsWithOperand(text) ? "*(" : "("), Pending::None);
}

bool vdCalculator::CloseBracketKey() {
    if (AfterEquals || OpenBrackets(Text) <= 0) return Refuse(kNoBracketNote);
    if (!EndsWithOperand(Text))
        return Refuse("Die Klammer kann erst nach einer Zahl geschlossen werden.");
    return SetText(Text + ")", Pending::Operand);
}

bool vdCalculator::BracketAllKey() {
    if (!EndsWithOperand(Text) || OpenBrackets(Text) != 0)
        return Refuse("Die Funktion ist noch nicht vollständig.");
    return SetText("(" + Text + ")", Pending::Operand);
}

// A function key: wraps the last operand, or opens the function's bracket.
bool vdCalculator::FunctionKey(const std::string& name) {
    const Operand op = LastOperandOrWhole();
    if (!op.found) return SetText(Text + name + "(", Pending::None);
    const std::string x = Text.substr(op.start);
    const std::string inner = IsPureGroup(x) ? x.substr(1, x.size() - 2) : x;
    return ReplaceLastOperand(op, name + "(" + inner + ")", Binding::Operand);
}

// "!", "%", "^(1/3)", "1/", "10^": act on the last operand.
bool vdCalculator::OperandFunctionKey(const std::string& key) {
    const Operand op = LastOperandOrWhole();
    if (!op.found) {
        const char last = Text.empty() ? 0 : Text.back();
        if (key == "1/")
            return SetText(Text + (last == '/' || last == '^' ? "(1/" : "1/"), Pending::None);
        if (key == "10^") return SetText(Text + "10^", Pending::None);
        return Refuse(kNoOperandNote);
    }
    const std::string x = AtomOf(Text.substr(op.start));
    if (key == "1/") return ReplaceLastOperand(op, "1/" + x, Binding::Product);
    if (key == "10^") return ReplaceLastOperand(op, "10^" + x, Binding::Power);
    if (key == "^(1/3)") // three is "11" in binary
        return ReplaceLastOperand(op, x + (BaseIn == 2 ? "^(1/11)" : "^(1/3)"), Binding::Power);
    // "!" and "%" take only a number, a name or a bracket in front of them: a function call
    // gets a bracket of its own ("sqrt(9)!" would be the root of 9!).
    const bool call = op.kind == Kind::Group && !IsOpenBracket(Text[op.core]);
    return ReplaceLastOperand(
        op, call && x == Text.substr(op.start) ? "(" + x + ")" + key : x + key, Binding::Operand);
}

// A constant, a variable or the memory value as a new operand.
bool vdCalculator::OperandKey(const std::string& operand) {
    const std::string text = AfterEquals ? std::string() : Text;
    return SetText(text + (EndsWithOperand(text) ? "*" : "") + operand, Pending::Operand);
}

bool vdCalculator::NegateKey() {
    const Operand op = LastOperandOrWhole();
    if (!op.found) {
        const char last = Text.empty() ? 0 : Text.back();
        if (last == 0 || IsOpenBracket(last)) return SetText(Text + "-", Pending::None);
        if (IsSignAt(Text, Text.size() - 1)) // the sign typed before: take it back
            return SetText(Text.substr(0, Text.size() - 1), Pending::None);
        return SetText(Text + "(-", Pending::None);
    }
    if (op.signed_) {
        std::string next = Text;
        if (next[op.start] == '-')
            next.erase(op.start, 1);
        else
            next[op.start] = '-';
        return SetText(next, Pending::Operand);
    }
    const std::string x = Text.substr(op.start);
    if (op.kind == Kind::Group && IsPureGroup(x)) {
        // "(-5)" becomes "5" again.
        const std::string inner = x.substr(1, x.size() - 2);
        const Operand in = LastOperand(inner);
        if (in.found && in.start == 0 && in.signed_ && inner[0] == '-')
            return ReplaceLastOperand(op, inner.substr(1), Binding::Operand);
    }
    return ReplaceLastOperand(op, "-" + AtomOf(x), Binding::Sign);
}

bool vdCalculator::ClearKey() {
    std::string next;
    if (!AfterEquals) {
        next = Text;
        const Operand op = LastOperand(next);
        if (op.found) {
            next.erase(op.start);
        } else if (!next.empty()) {
            const bool bracket = IsOpenBracket(next.back());
            next.pop_back();
            if (bracket)
                while (!next.empty() && IsLetter(next.back())) next.pop_back();
        }
    }
    SetText(next, Pending::None);
    Shown = Show::Entry;
    ShownText = "0";
    return true;
}

bool vdCalculator::EqualsKey(MemoryOp memory) {
    const int open = OpenBrackets(Text);
    if (open > 0 && !SetText(Text + std::string(size_t(open), ')'), Pending::None)) return false;
    AfterEquals = true;
    PendingEval = Pending::Whole;
    PendingMemory = memory;
    return true;
}

bool vdCalculator::Make(const char* KeyText, bool) {
    vdFuncTrace("bool vdCalculator::Make(char*, bool)");
    Settle(nullptr); // a memory key of the step before, when its result was not fetched
    const std::string key = KeyText ? KeyText : "";
    bool done;
    if (key.size() == 1 && IsDigit(key[0]))
        done = DigitKey(key);
    else if (key == "00")
        done = DigitKey(key);
    else if (key.size() == 2 && key[0] == 'h' && key[1] >= 'A' && key[1] <= 'F')
        done = BaseIn == 16 ? DigitKey(key.substr(1))
                            : Refuse("Die Ziffern A bis F gibt es nur bei der Eingabe im "
                                     "Hexadezimalsystem (HEX).");
    else if (key == ".")
        done = PointKey();
    else if (key.size() == 1 && IsOperatorChar(key[0]))
        done = OperatorKey(key[0]);
    else if (key == "(")
        done = OpenBracketKey();
    else if (key == ")")
        done = CloseBracketKey();
    else if (key == "()")
        done = BracketAllKey();
    else if (std::find(std::begin(kFunctionKeys), std::end(kFunctionKeys), key) !=
             std::end(kFunctionKeys))
        done = FunctionKey(key);
    else if (key == "!" || key == "%" || key == "^(1/3)" || key == "1/" || key == "10^")
        done = OperandFunctionKey(key);
    else if (key == "+/-")
        done = NegateKey();
    else if (key == "pi" || key == "e")
        done = OperandKey(key);
    else if (std::find(VarNames.begin(), VarNames.end(), key) != VarNames.end())
        done = BaseIn == 10 ? OperandKey(key)
                            : Refuse("Variablen gibt es nur bei der Eingabe im "
                                     "Dezimalsystem (DEC).");
    else if (key == "=")
        done = EqualsKey(MemoryOp::None);
    else if (key == "Min")
        done = EqualsKey(MemoryOp::Store);
    else if (key == "M+")
        done = EqualsKey(MemoryOp::Add);
    else if (key == "M-")
        done = EqualsKey(MemoryOp::Subtract);
    else if (key == "MC") {
        Memory = 0;
        done = true;
    } else if (key == "Mr") {
        std::string value = WriteNumber(Memory, 18, BaseIn);
        if (value.find_first_of("-e") != std::string::npos) value = "(" + value + ")";
        done = OperandKey(value);
    } else if (key == "C")
        done = ClearKey();
    else if (key == "AC") {
        done = SetText("", Pending::None);
        Shown = Show::Entry;
        ShownText = "0";
    } else
        done = Refuse("Unbekannte Taste '" + key.substr(0, 20) + "'.");
    if (done && Fast && PendingEval != Pending::Whole) PendingEval = Pending::Fast;
    return done;
}

// ---------------------------------------------------------------------------------------------
// Evaluating and showing

bool vdCalculator::Evaluate(const std::string& text, const long double* values, long double* result,
                            std::string* message) const {
    if (text.size() > size_t(MaxFunctionLength)) {
        *message = "Die Länge der Funktion kann maximal 2500 Zeichen sein. (" +
                   std::to_string(text.size() - size_t(MaxFunctionLength)) + " Zeichen zuviel.)";
        return false;
    }
    std::unique_ptr<vdParser> parser;
    if (BaseIn == 10)
        parser = std::make_unique<vdParser>(text.c_str(), VarCount, VarDesc.c_str(), true, true,
                                            true, true);
    else
        parser = std::make_unique<vdParser>(text.c_str(), BaseIn, true, true, true, true);
    long double r = 0;
    if (!parser->GetIsError()) {
        parser->SetAngularUnitTo(AngularUnit);
        r = BaseIn == 10 ? parser->GetResultExt(const_cast<long double*>(values))
                         : parser->GetResult();
    }
    if (parser->GetGlobalError() > 0) {
        char text_[400] = "";
        parser->GetErrorTypeText(text_);
        *message = *text_ ? text_ : "Die Funktion kann nicht berechnet werden.";
        return false;
    }
    if (!std::isfinite(r) || fabsl(r) >= CORRldERR) {
        *message = kOverflowNote;
        return false;
    }
    *result = r;
    return true;
}

// Evaluates what the last key asked for, with `values` (or the values of the call before).
void vdCalculator::Settle(const long double* values) {
    if (values) std::copy(values, values + VarCount, Values.begin());
    if (PendingEval == Pending::None) return;
    std::string expr;
    switch (PendingEval) {
    case Pending::None:
        break;
    case Pending::Whole:
        expr = Text;
        break;
    case Pending::Fast:
        expr = CompleteForEvaluation(Text);
        break;
    case Pending::Operand: {
        const Operand op = LastOperand(Text);
        if (OperandStart < Text.size())
            expr = Text.substr(OperandStart);
        else
            expr = op.found ? Text.substr(op.start) : CompleteForEvaluation(Text);
        break;
    }
    }
    const MemoryOp memory = PendingMemory;
    PendingEval = Pending::None;
    PendingMemory = MemoryOp::None;
    long double r = 0;
    std::string message;
    if (!Evaluate(expr, Values.data(), &r, &message)) {
        Shown = Show::Message;
        ShownText = message;
        return;
    }
    Shown = Show::Value;
    ShownValue = r;
    switch (memory) {
    case MemoryOp::None:
        break;
    case MemoryOp::Store:
        Memory = r;
        break;
    case MemoryOp::Add:
        if (!add_ok(Memory, r, &Memory)) Shown = Show::Message, ShownText = kOverflowNote;
        break;
    case MemoryOp::Subtract:
        if (!sub_ok(Memory, r, &Memory)) Shown = Show::Message, ShownText = kOverflowNote;
        break;
    }
}

std::string vdCalculator::WriteNumber(long double x, int digits, int base) const {
    char out[512];
    digits = digits <= 0 ? 15 : std::min(digits, 60); // 0: the suite's 15 digits
    if (!ConvertToBase(out, x, digits, base)) ConvertToBase(out, x, digits, 10);
    if (std::strcmp(out, "-0") == 0) return "0";
    return out;
}

const char* vdCalculator::BaseName(int base) const {
    switch (base) {
    case 2:
        return "BIN";
    case 8:
        return "OCT";
    case 16:
        return "HEX";
    default:
        return "DEC";
    }
}

char* vdCalculator::GetFunction(char* out) {
    vdFuncTrace("char* vdCalculator::GetFunction(char*)");
    std::memcpy(out, Text.c_str(), Text.size() + 1);
    return out;
}

char* vdCalculator::GetShowFunc(char* out, int digits, long double* values, bool UseValues,
                                char* out2) {
    vdFuncTrace("char* vdCalculator::GetShowFunc(char*, int, long double*, bool, char*)");
    Settle(UseValues ? values : nullptr);
    std::string shown = Shown == Show::Value ? WriteNumber(ShownValue, digits, BaseOut) : ShownText;
    if (shown.size() > 255) shown.resize(255);
    std::memcpy(out, shown.c_str(), shown.size() + 1);
    if (out2) {
        std::string second = Shown == Show::Value   ? BaseName(BaseOut)
                             : Shown == Show::Entry ? BaseName(BaseIn)
                                                    : "";
        if (Memory != 0) second += second.empty() ? "M" : "  M";
        std::strcpy(out2, second.c_str());
    }
    return out;
}

char* vdCalculator::GetInfo(char* out) {
    vdFuncTrace("char* vdCalculator::GetInfo(char*)");
    Settle(nullptr);
    static const char* const units[] = {"DEG", "RAD", "GRA"};
    std::string info = "M: " + WriteNumber(Memory, 15, BaseOut) + "  " + units[AngularUnit - 1] +
                       "  " + BaseName(BaseIn) + "->" + BaseName(BaseOut);
    if (info.size() > 127) info.resize(127);
    std::memcpy(out, info.c_str(), info.size() + 1);
    return out;
}
