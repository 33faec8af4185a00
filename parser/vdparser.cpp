// The parser object: construction, set-up and the rewriting compiler.
//
// The compiler rewrites the working text: each elementary operation it finds is recorded and its
// place in the text replaced by "#" and the value number of its result, innermost bracket first,
// "*" and "/" before "+" and "-", until a single reference is left.
#include "parserint.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

using namespace vdp;

namespace {
const int kValueStart = 1100;
const int kMaxVariables = 999;

bool IsOperatorChar(char c) {
    return c == '-' || c == '+' || c == '*' || c == '/';
}
} // namespace

// ---------------------------------------------------------------------------------------------
// vdOpStructDef

vdOpStructDef::vdOpStructDef() : Function{}, Value1(0), Value2(0), Result(0), Code(OpNone) {}
vdOpStructDef::~vdOpStructDef() = default;

char* vdOpStructDef::GetFunction(char* out) const {
    std::strcpy(out, Function);
    return out;
}

void vdOpStructDef::SetFunction(const char* FunctionIn) {
    std::strncpy(Function, FunctionIn ? FunctionIn : "", sizeof Function - 1);
    Function[sizeof Function - 1] = 0;
}

// ---------------------------------------------------------------------------------------------
// Construction

vdParser::vdParser(const char* FunctionIn, int BaseIn, bool UseMakeAFunctionIn, bool RunSetup,
                   bool NeedErrorParsTextIn, bool NeedErrorSolveTextIn)
    : VarStruct(nullptr) {
    Trace("vdParser::vdParser(char*, int, bool, bool, bool, bool)");
    Init(FunctionIn, 0, "", UseMakeAFunctionIn, false, NeedErrorParsTextIn, NeedErrorSolveTextIn);
    SetBaseTo(BaseIn, true);
    if (RunSetup) SetupParser();
}

vdParser::vdParser(const char* FunctionIn, int VarCountIn, const char* VarDescIn,
                   bool UseMakeAFunctionIn, bool RunSetup, bool NeedErrorParsTextIn,
                   bool NeedErrorSolveTextIn)
    : VarStruct(nullptr) {
    Trace("vdParser::vdParser(char*, int, char*, bool, bool, bool, bool)");
    Init(FunctionIn, VarCountIn, VarDescIn, UseMakeAFunctionIn, RunSetup, NeedErrorParsTextIn,
         NeedErrorSolveTextIn);
}

vdParser::~vdParser() {
    FreeOwned();
}

void vdParser::FreeOwned() {
    if (VarStruct) {
        delete[] VarStruct->description;
        delete VarStruct;
        VarStruct = nullptr;
    }
    ValueList.clear();
    ValueList.shrink_to_fit();
    OpList.clear();
    OpList.shrink_to_fit();
    WorkFunction.clear();
    OriginFunc.clear();
    StyledFunction.clear();
    VarDescText.clear();
}

void vdParser::Init(const char* FunctionIn, int VarCountIn, const char* VarDescIn,
                    bool UseMakeAFunctionIn, bool RunSetup, bool NeedErrorParsTextIn,
                    bool NeedErrorSolveTextIn) {
    Trace("void vdParser::Init(char*, int, char*, bool, bool, bool, bool)");
    if (!FunctionIn) FunctionIn = "";
    std::string desc = VarDescIn ? VarDescIn : "";
    AngularUnit = 2;
    Base = 10;
    NeedErrorParsText = NeedErrorParsTextIn;
    NeedErrorSolveText = NeedErrorSolveTextIn;
    UseMakeAFunction = UseMakeAFunctionIn;
    VarCount = VarCountIn;
    IsError = false;
    GlobalError = 0;
    SetupDone = false;
    OpCount = 0;
    ValueCount = kValueStart;
    ValueStart = kValueStart;
    PlainValue = 0;
    ErrorTypeText[0] = UnknownFunction[0] = UnknownCharacters[0] = 0;
    FreeOwned();

    // Tidy the description: single spaces, none at the ends; "x y" becomes "xy".
    ReplaceAll(desc, "  ", " ");
    if (!desc.empty() && desc.front() == ' ') desc.erase(0, 1);
    if (!desc.empty() && desc.back() == ' ') desc.pop_back();
    const int spaces = GetCount(desc.c_str(), ' ');
    if (VarCount > 0 && desc.size() == size_t(2 * VarCount - 1) && spaces == VarCount - 1)
        ReplaceAll(desc, " ", "");

    if (VarCount < 0) {
        SetError(12, "Die angegebene Menge der Variablen ist ungleich der definierten.",
                 NeedErrorParsText);
        VarCount = 0;
    }
    if (desc.size() == size_t(VarCount) || VarCount == 0) {
        SingleLetterVars = true;
    } else {
        SingleLetterVars = false;
        if (!desc.empty() && GetCount(desc.c_str(), ' ') + 1 != VarCount)
            SetError(12, "Die angegebene Menge der Variablen ist ungleich der definierten.",
                     NeedErrorParsText);
    }
    // The contents hold at most 999 variables, named ones included.
    if (VarCount > kMaxVariables && !IsError) {
        SetError(12, "Zu viele Variablen.", NeedErrorParsText);
        VarCount = kMaxVariables;
    }

    VarStruct = new VarStructDef;
    VarStruct->count = VarCount;
    const std::string described = " " + desc;
    VarStruct->description = new char[described.size() + 1];
    std::memcpy(VarStruct->description, described.c_str(), described.size() + 1);
    std::fill(std::begin(VarStruct->VarCont), std::end(VarStruct->VarCont), 0.0L);

    if (!IsError && (SearchVariable("e") > 0 || SearchVariable("E") > 0))
        SetError(19, "Die Konstante 'e' (bzw. 'E') kann nicht als Variable gesetzt werden.",
                 NeedErrorParsText);

    SetFPError(false);
    OriginFunc = StyledFunction = FunctionIn;
    VarDescText = VarDescIn ? VarDescIn : "";
    OverflowBound = CORRldERR;
    WorkFunction = *FunctionIn ? std::string("0+") + FunctionIn : std::string("0+0");
    TurnInto("[", "(");
    TurnInto("]", ")");
    TurnInto(",", ".");
    TurnInto("\r", "");
    TurnInto("\n", "");
    if (RunSetup) SetupParser();
}

// ---------------------------------------------------------------------------------------------
// Set-up

void vdParser::SetupParser() {
    Trace("void vdParser::SetupParser()");
    if (SetupDone) return;
    if (IsCommentError()) {
        SetError(9, "Fehler im Kommentar.", NeedErrorParsText);
    } else {
        char* buffer = new char[WorkFunction.size() + 1];
        turnbetweenintochar(buffer, WorkFunction.c_str(), "\"", "");
        WorkFunction = buffer;
        delete[] buffer;
    }
    if (!IsError) {
        ValueList.assign(WorkFunction.size() + 1 + kValueStart, 0.0L);
        OpList.assign(WorkFunction.size() + 1, vdOpStructDef());
        UnknownFunction[0] = UnknownCharacters[0] = ErrorTypeText[0] = 0;
        OpCount = 0;
        ValueCount = kValueStart;

        const char last = WorkFunction.empty() ? 0 : WorkFunction.back();
        if (last && std::strchr("+/-*^", last))
            SetError(15, "Fehler im Abschlu\xDF der Funktion.", NeedErrorParsText);
        else if (IsOperationError())
            SetError(13, "Fehler in den Operatoren der Funktion.", NeedErrorParsText);
        else if (IsFunctionError())
            SetError(16, "Fehler in den Teilfunktionen der Funktion.", NeedErrorParsText);
        else if (IsBracketError())
            SetError(2, "Fehler in der Klammerung der Funktion.", NeedErrorParsText);
        else {
            if (IsValue()) GlobalError = -1;
            char bad[2] = {0, 0};
            if (GotCharError(bad)) {
                std::string text = "Ung\xFCltiges Zeichen '";
                text += bad;
                text += "' in der Funktion.";
                std::strcpy(UnknownCharacters, bad);
                SetError(18, text, NeedErrorParsText);
            }
        }
        if (GlobalError == 0) {
            if (UseMakeAFunction) {
                MakeAFunction();
                StyledFunction = WorkFunction;
            }
            if (GlobalError == 0) SolveAll();
        }
    }
    SetupDone = true;
}

bool vdParser::SetNewFunction(const char* FunctionIn, bool) {
    Trace("bool vdParser::SetNewFunction(char*, bool)");
    std::string text = FunctionIn ? FunctionIn : "";
    bool rebuild = false;
    if (!text.empty() && text.back() == '~') {
        text.pop_back();
        rebuild = true;
    }
    if (rebuild || text != OriginFunc) {
        const int unit = AngularUnit, base = Base, count = VarCount;
        const bool make = UseMakeAFunction, pars = NeedErrorParsText, solve = NeedErrorSolveText;
        const std::string desc = VarDescText;
        Init(text.c_str(), count, desc.c_str(), make, false, pars, solve);
        SetBaseTo(base, true);
        SetAngularUnitTo(unit);
        SetupParser();
    } else if (GlobalError >= 4 && GlobalError <= 8) {
        IsError = false;
        GlobalError = 0;
    }
    return true;
}

bool vdParser::GetIsOriginFunc(const char* FunctionIn) {
    return FunctionIn && OriginFunc == FunctionIn;
}

// ---------------------------------------------------------------------------------------------
// Text helpers

void vdParser::SearchBrackets(unsigned int* open, unsigned int* close) {
    const size_t c = WorkFunction.find(')');
    if (c == std::string::npos) return;
    const size_t o = c == 0 ? std::string::npos : WorkFunction.rfind('(', c - 1);
    *close = unsigned(c);
    *open = o == std::string::npos ? 0 : unsigned(o);
}

void vdParser::MakeBrackets() {
    WorkFunction = "(" + WorkFunction + ")";
}

void vdParser::TurnInto(const char* searchIn, const char* turnIn) {
    ReplaceAll(WorkFunction, searchIn, turnIn);
}

int vdParser::SearchVariable(const char* VariableIn) {
    if (!VariableIn || !VarStruct) return -1;
    const std::string name = VariableIn;
    if (!name.empty() && IsDigit(name[0]) && isvalidld(name.c_str())) return -1;
    const std::string desc = VarStruct->description;
    if (SingleLetterVars) {
        if (name.size() != 1 || name[0] == ' ') return -1;
        const size_t pos = desc.find(name[0]);
        return pos == std::string::npos ? -1 : int(pos);
    }
    if (name.empty() || name.find(' ') != std::string::npos) return -1;
    for (size_t pos = desc.find(name); pos != std::string::npos; pos = desc.find(name, pos + 1)) {
        const size_t end = pos + name.size();
        if (pos > 0 && desc[pos - 1] == ' ' && (end == desc.size() || desc[end] == ' '))
            return VarCount - int(std::count(desc.begin() + pos, desc.end(), ' '));
    }
    return -1;
}

long double vdParser::pr_chartold(const char* SubFuncIn, char** rest, bool) {
    if (Base == 10) return chartold(SubFuncIn, rest);
    return ConvertBaseTold(SubFuncIn, Base, rest);
}

bool vdParser::AnotherConst(const char* ConstStrIn, long double* out) {
    if (ConstStrIn && std::strcmp(ConstStrIn, "pi") == 0) {
        *out = 3.14159265358979323846264338327950288L;
        return true;
    }
    return false;
}

// ---------------------------------------------------------------------------------------------
// The compiler

void vdParser::SolveAll() {
    Trace("void vdParser::SolveAll()");
    bool finished = false, found = false;
    while (!IsError && (!finished || found)) {
        unsigned open = 0, close = 0;
        SearchBrackets(&open, &close);
        const bool bracket = open != 0 || close != 0;
        const size_t end = bracket ? close : WorkFunction.size();
        found = false;
        for (size_t i = bracket ? open : 0; i + 1 < WorkFunction.size() && i + 1 < end; ++i) {
            const char c = WorkFunction[i];
            if (c != '(' && !IsExponentMark(WorkFunction, i) &&
                IsOperatorChar(WorkFunction[i + 1])) {
                found = true;
                break;
            }
        }
        if (found) {
            EliminateOperations(open, close);
            if (IsError) break;
            open = close = 0;
            SearchBrackets(&open, &close);
        }
        if (open == 0 && close == 0) {
            finished = true;
            continue;
        }
        finished = false;
        // The innermost bracket holds a single operand now; take the name in front of it.
        std::string name;
        size_t start = open;
        while (start > 0) {
            const size_t p = start - 1;
            const char c = WorkFunction[p];
            if (std::strchr("*/(+-)", c)) {
                const bool exponentSign =
                    (c == '-' || c == '+') && IsExponentMark(WorkFunction, p - 1);
                const bool negativeBase = c == '-' && open > 0 && WorkFunction[open - 1] == '^' &&
                                          p > 0 && WorkFunction[p - 1] == '(';
                if (!exponentSign && !negativeBase) break;
                name.insert(name.begin(), c);
                start = p;
                if (negativeBase) break;
                continue;
            }
            name.insert(name.begin(), c);
            start = p;
        }
        if (name.empty()) {
            WorkFunction[open] = ' ';
            WorkFunction[close] = ' ';
            TurnInto(" ", "");
            if (WorkFunction.compare(0, 2, "--") == 0) WorkFunction.erase(0, 2);
        } else {
            SolveFunction(&name, open, close, unsigned(start));
        }
    }
}

void vdParser::EliminateOperations(unsigned int open, unsigned int close) {
    for (int round = 0; !IsError; ++round) {
        PercentOut(unsigned(OpCount));
        if (IsError) break;
        if (round > 0) {
            open = close = 0;
            SearchBrackets(&open, &close);
        }
        if (open == 0 && close == 0) {
            MakeBrackets();
            open = 0;
            close = unsigned(WorkFunction.size() - 1);
        }
        size_t op = std::string::npos;
        for (size_t i = open + 1; i < close; ++i)
            if (WorkFunction[i] == '*' || WorkFunction[i] == '/') {
                op = i;
                break;
            }
        if (op == std::string::npos)
            for (size_t i = open; i + 1 < close; ++i) {
                const char c = WorkFunction[i], n = WorkFunction[i + 1];
                if (c != '(' && !IsExponentMark(WorkFunction, i) &&
                    (n == '-' || n == '+' || n == '/')) {
                    op = i + 1;
                    break;
                }
            }
        if (op == std::string::npos) break;
        SolveBrackets(unsigned(op), open, close);
    }
}

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

    const int number = ++ValueCount;
    if (size_t(number) >= ValueList.size()) ValueList.resize(number + 255, 0.0L);
    char* rest = nullptr;
    long double value = operand.empty() ? 0 : pr_chartold(operand.c_str(), &rest);
    bool known = !operand.empty() && rest && *rest == 0 && value > -CORRldERR && value < CORRldERR;
    if (!known) known = AnotherConst(operand.c_str(), &value);
    // A negated constant ("2*-pi") reads like a negated variable.
    if (!known && operand.size() >= 2 && operand[0] == '-' &&
        AnotherConst(operand.c_str() + 1, &value)) {
        value = -value;
        known = true;
    }
    if (!known) UnknownOperand(operand);
    ValueList[number] = value;
    return number;
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

int vdParser::NextResult() {
    const int number = ++ValueCount;
    if (size_t(number) >= ValueList.size()) ValueList.resize(number + 255, 0.0L);
    return number;
}

vdOpStructDef& vdParser::NewOperation() {
    ++OpCount;
    if (size_t(OpCount) >= OpList.size()) OpList.resize(OpCount + 255);
    return OpList[OpCount];
}

void vdParser::SolveBrackets(unsigned int opPos, unsigned int open, unsigned int close) {
    const std::string& w = WorkFunction;
    // Left operand: back to a sign (not an exponent's), or to the bracket.
    size_t leftStart = opPos;
    while (leftStart > open + 1) {
        const size_t p = leftStart - 1;
        if ((w[p] == '-' || w[p] == '+') && !IsExponentMark(w, p - 1)) break;
        leftStart = p;
    }
    if (leftStart > open + 1 && leftStart - 1 == open + 1 && w[open + 1] == '-') --leftStart;
    // Right operand: a leading "-" belongs to it; "e+" and "e-" inside a number too.
    size_t rightEnd = opPos + 1;
    if (rightEnd < close && w[rightEnd] == '-') ++rightEnd;
    while (rightEnd < close) {
        const char c = w[rightEnd];
        if (c == '*' || c == '/' || c == '+' || c == '-') break;
        if (c == 'e' && rightEnd + 1 < close &&
            (w[rightEnd + 1] == '+' || w[rightEnd + 1] == '-') &&
            isvalidld(w.substr(opPos + 1, rightEnd - opPos - 1).c_str())) {
            rightEnd += 2;
            continue;
        }
        ++rightEnd;
    }
    const std::string left = w.substr(leftStart, opPos - leftStart);
    const std::string right = w.substr(opPos + 1, rightEnd - opPos - 1);

    vdOpStructDef& op = NewOperation();
    op.Value1 = OperandValue(left);
    op.Value2 = OperandValue(right);
    const char symbol[2] = {w[opPos], 0};
    op.SetFunction(symbol);
    op.Code = symbol[0] == '*'   ? OpMul
              : symbol[0] == '/' ? OpDiv
              : symbol[0] == '+' ? OpAdd
                                 : OpSub;
    op.Result = NextResult();
    WorkFunction = w.substr(0, leftStart) + "#" + std::to_string(op.Result) + w.substr(rightEnd);
}

void vdParser::SolveFunction(std::string* name, unsigned int open, unsigned int close,
                             unsigned int nameStart) {
    const std::string content = WorkFunction.substr(open + 1, close - open - 1);
    vdOpStructDef& op = NewOperation();
    op.Value1 = OperandValue(content);
    if (IsError) return;
    // A long power base is a long number: write it shorter so that it fits the operation.
    if (name->size() > 22 && name->back() == '^') {
        char* rest = nullptr;
        const std::string base = name->substr(0, name->size() - 1);
        const long double value = pr_chartold(base.c_str(), &rest);
        if (rest && *rest == 0) {
            char text[64];
            *name = std::string(ldtochar(text, value, 26, true)) + "^";
        }
    }
    op.SetFunction(name->c_str());
    if (!SearchFunction(name)) return;
    if (name->back() == '^') {
        op.SetFunction("^");
        op.Code = OpPow;
        op.Value2 = op.Value1;
        op.Value1 = OperandValue(name->substr(0, name->size() - 1));
    } else {
        op.Code = FunctionCode(*name);
    }
    op.Result = NextResult();
    WorkFunction = WorkFunction.substr(0, nameStart) + "#" + std::to_string(op.Result) +
                   WorkFunction.substr(close + 1);
}

// ---------------------------------------------------------------------------------------------
// Compiled operations and values

bool vdParser::GetOpStructPos(int pos, char* FunctionOut, int* Value1Out, int* Value2Out,
                              int* ResultOut) {
    if (pos < 0 || pos >= OpCount) return false;
    const vdOpStructDef& op = OpList[pos + 1];
    if (FunctionOut) op.GetFunction(FunctionOut);
    if (Value1Out) *Value1Out = op.Value1;
    if (Value2Out) *Value2Out = op.Value2;
    if (ResultOut) *ResultOut = op.Result;
    return true;
}

int vdParser::GetInvValuesStart() {
    return kValueStart;
}

bool vdParser::GetInvValuesPos(int pos, long double* out) {
    if (pos < 0 || pos >= ValueCount || (pos >= VarCount && pos < kValueStart)) return false;
    if (size_t(pos + 1) >= ValueList.size()) return false;
    *out = ValueList[pos + 1];
    return true;
}

// ---------------------------------------------------------------------------------------------
// Bases and angular units

bool vdParser::SetAngularUnitTo(int unit) {
    if (unit < 1 || unit > 3) return false;
    AngularUnit = unit;
    return true;
}

int vdParser::GetAngularUnit() {
    return AngularUnit;
}

bool vdParser::SetBaseTo(int base, bool noRebuild) {
    if (base != 2 && base != 8 && base != 10 && base != 16) return false;
    if (base == Base) return true;
    Base = base;
    if (!OriginFunc.empty() && !noRebuild) SetNewFunction((OriginFunc + "~").c_str());
    return true;
}

int vdParser::GetBase() {
    return Base;
}
