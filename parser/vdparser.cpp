// The parser object: construction, set-up, text helpers and the compiled operations.
#include "parserint.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string_view>

using namespace vdp;

namespace {
const int kMaxVariables = 999;
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
    ContentsInList = false;
    // The machine code reads the program and the value list that go here.
    Machine.Clear();
    MachineCountdown = -1;
    ValueList.clear();
    ValueList.shrink_to_fit();
    OpList.clear();
    OpList.shrink_to_fit();
    Program.clear();
    Program.shrink_to_fit();
    ResultsPending = false;
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
    if (ContentsInList) Contents(); // compiling again starts a new value list
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
        // Room for a text of a few hundred characters; longer ones grow the arrays as they
        // compile (a megabyte text would otherwise clear 60 MB before compiling).
        const size_t room = std::min<size_t>(WorkFunction.size() + 1, 512);
        ValueList.assign(room + kValueStart, 0.0L);
        OpList.assign(room, vdOpStructDef());
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
    const std::string_view name = VariableIn;
    if (!name.empty() && IsDigit(name[0]) && isvalidld(VariableIn)) return -1;
    const std::string_view desc = VarStruct->description;
    if (SingleLetterVars) {
        if (name.size() != 1 || name[0] == ' ') return -1;
        const size_t pos = desc.find(name[0]);
        return pos == desc.npos ? -1 : int(pos);
    }
    if (name.empty() || name.find(' ') != name.npos) return -1;
    for (size_t pos = desc.find(name); pos != desc.npos; pos = desc.find(name, pos + 1)) {
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
    StoreResults();
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
