// Variables, result entry points, numerical derivatives, progress, the symbolic library and
// the library's free result, version and trace functions.
#include "parserint.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <dlfcn.h>
#include <unistd.h>
#include <vector>

using namespace vdp;

namespace {
bool gDebugSwitch = false;
std::string gSymbolicPath;

// The outside library sits next to this one.
std::string SymbolicLibraryPath() {
    if (!gSymbolicPath.empty()) return gSymbolicPath;
    Dl_info info{};
    if (dladdr(reinterpret_cast<void*>(&SetSymbolicLibraryPath), &info) && info.dli_fname) {
        std::string path = info.dli_fname;
        const size_t slash = path.rfind('/');
        return (slash == std::string::npos ? std::string(".") : path.substr(0, slash)) +
               "/libsymbolic.so";
    }
    return "libsymbolic.so";
}

bool Contains(const std::string& s, const char* part) {
    return s.find(part) != std::string::npos;
}
} // namespace

// ---------------------------------------------------------------------------------------------
// Helpers shared by the parser's files

std::string vdp::CutName(const std::string& text, size_t max, size_t cut) {
    std::string out = text.substr(0, max);
    if (text.size() > cut) out += "...";
    return out;
}

std::string vdp::MessageNumber(long double x) {
    char text[64];
    ldtochar(text, x, 26, true);
    return std::strcmp(text, "-0") == 0 ? std::string("0") : std::string(text);
}

void vdp::ReplaceAll(std::string& text, const char* search, const char* turn) {
    const size_t n = std::strlen(search);
    const size_t first = n == 0 ? std::string::npos : text.find(search);
    if (first == std::string::npos) return;
    // The search resumes at the replacement itself, so "xx" -> "x*x" turns "xxx" into "x*x*x":
    // an occurrence may begin inside the replacement, never in front of it. One pass: the text
    // is copied, and an occurrence is replaced as soon as its last character is copied.
    std::string out(text, 0, first);
    out.reserve(text.size() + text.size() / 2);
    size_t barrier = first; // no occurrence starts in front of the last replacement
    for (size_t i = first; i < text.size(); ++i) {
        out += text[i];
        if (text[i] == search[n - 1] && out.size() >= barrier + n &&
            std::equal(search, search + n - 1, out.end() - long(n))) {
            barrier = out.size() - n;
            out.resize(barrier);
            out += turn;
        }
    }
    text.swap(out);
}

size_t vdp::MatchingClose(const std::string& s, size_t open) {
    int depth = 0;
    for (size_t i = open; i < s.size(); ++i) {
        if (s[i] == '(') ++depth;
        if (s[i] == ')' && --depth == 0) return i;
    }
    return std::string::npos;
}

std::vector<size_t> vdp::MatchingBrackets(const std::string& s) {
    std::vector<size_t> match(s.size(), std::string::npos), open;
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '(') open.push_back(i);
        if (s[i] == ')' && !open.empty()) {
            match[open.back()] = i;
            match[i] = open.back();
            open.pop_back();
        }
    }
    return match;
}

void vdp::Trace(const char* signature) {
    if (gDebugSwitch) vdDebugFuncion(0, nullptr, false, signature, "", "", "");
}

// ---------------------------------------------------------------------------------------------
// Variables

bool vdParser::SetVarCont(const char* AVarDescIn, long double value) {
    Trace("bool vdParser::SetVarCont(char*, long double)");
    const int i = SearchVariable(AVarDescIn);
    if (i > 0 && i <= VarCount) {
        Contents()[i - 1] = value;
        return true;
    }
    const std::string name = AVarDescIn ? AVarDescIn : "";
    SetError(3,
             "Unbekannte Konstante oder Variable '" + CutName(name, 10, 10) + "' in der Funktion.",
             NeedErrorSolveText);
    return false;
}

bool vdParser::GetVarStruct(VarStructDef* out) {
    out->count = VarCount;
    if (out->description) std::strcpy(out->description, VarStruct->description);
    const long double* const contents = Contents();
    std::copy(contents, contents + VarCount, out->VarCont);
    return true;
}

void vdParser::GetOriginFunc(char* out) {
    std::strcpy(out, OriginFunc.c_str());
}
int vdParser::GetOriginFuncLen() {
    return int(OriginFunc.size());
}
int vdParser::GetOriginVarCount() {
    return VarCount;
}
void vdParser::GetOriginVarDesc(char* out) {
    std::strcpy(out, VarDescText.c_str());
}

void vdParser::GetOriginVarName(char* out, int index) {
    out[0] = 0;
    if (index < 0 || index >= VarCount) return;
    const std::string desc = VarStruct->description + 1;
    if (SingleLetterVars) {
        if (size_t(index) < desc.size()) {
            out[0] = desc[index];
            out[1] = 0;
        }
        return;
    }
    size_t start = 0;
    for (int k = 0; k < index && start != std::string::npos; ++k) {
        start = desc.find(' ', start);
        if (start != std::string::npos) ++start;
    }
    if (start == std::string::npos) return;
    const std::string name = desc.substr(start, desc.find(' ', start) - start);
    std::strcpy(out, name.c_str());
}

// ---------------------------------------------------------------------------------------------
// Results and derivatives

long double vdParser::GetResult() {
    Trace("long double vdParser::GetResult()");
    return GetPDerivationExt(0, VarStruct ? Contents() : nullptr, 0, false, 0);
}

long double vdParser::GetResult(long double x) {
    Trace("long double vdParser::GetResult(long double)");
    return GetPDerivation(0, x, false);
}

long double vdParser::GetResultExt(long double* values) {
    Trace("long double vdParser::GetResultExt(long double*)");
    // The commonest case first: a text evaluated again and again as machine code, which exists
    // only over a compiled program and its value list (both clear it).
    if (MachineReady() && GlobalError == 0 && values && values != VarStruct->VarCont) {
        const bool finite = TakeContents(values);
        IsError = false;
        return finite ? RunMachine(values) : RunProgram<false>();
    }
    if (GlobalError != 0 || !values || values == VarStruct->VarCont ||
        ValueList.size() <= size_t(VarCount))
        return GetPDerivationExt(0, values, 0, false, 0);
    // A compiled text, evaluated again and again.
    const bool finite = TakeContents(values);
    if (Program.empty()) return GetResultValue();
    IsError = false;
    if (finite && MachineReady()) return RunMachine(values);
    return Evaluate(values);
}

// The variables' contents into the value list (they go to VarCont only when asked for, see
// Contents), copied as bytes: an x87 load and store would take several times as long. True
// where all are finite.
bool vdParser::TakeContents(const long double* values) {
    long double* const list = ValueList.data() + 1;
    bool finite = true;
    for (int i = 0; i < VarCount; ++i) {
        std::memcpy(list + i, values + i, sizeof(long double));
        finite = finite && FiniteBits(values + i);
    }
    ContentsInList = true;
    return finite;
}

long double vdParser::GetPDerivation(int order, bool snapToZero) {
    return GetPDerivationExt(order, VarStruct ? Contents() : nullptr, 0, snapToZero, 0);
}

long double vdParser::GetPDerivation(int order, long double x, bool snapToZero) {
    long double values[1] = {x};
    if (VarCount <= 1) return GetPDerivationExt(order, values, 0, snapToZero, 0);
    std::vector<long double> all(size_t(VarCount), 0.0L);
    all[0] = x;
    return GetPDerivationExt(order, all.data(), 0, snapToZero, 0);
}

long double* vdParser::Contents() {
    if (ContentsInList) {
        const long double* const list = ValueList.data() + 1;
        for (int i = 0; i < VarCount; ++i) VarStruct->VarCont[i] = list[i];
        ContentsInList = false;
    }
    return VarStruct->VarCont;
}

void vdParser::StoreContents(const long double* values) {
    if (!values || VarCount <= 0 || !VarStruct) return;
    ContentsInList = false;
    // The caller's array may be the stored contents themselves.
    if (ValueList.size() <= size_t(VarCount)) {
        if (values != VarStruct->VarCont) std::copy(values, values + VarCount, VarStruct->VarCont);
        return;
    }
    long double* const list = ValueList.data() + 1;
    long double* const contents = VarStruct->VarCont;
    for (int i = 0; i < VarCount; ++i) list[i] = contents[i] = values[i];
}

long double vdParser::GetPDerivationExt(int order, long double* values, int varIndex,
                                        bool snapToZero, long double step) {
    long double h = std::fabs(step);
    if (GlobalError == -1 && order >= 1) {
        IsError = false;
        return 0;
    }
    if (GlobalError >= 4 && GlobalError <= 8) {
        IsError = false;
        GlobalError = 0;
    }
    StoreContents(values);
    const bool known = varIndex >= 0 && varIndex < VarCount;
    const long double x = known ? Contents()[varIndex] : 0;
    if (h == 0) {
        const long double factor = order == 1 ? 1e-10L : order == 2 ? 1e-5L : 1e-4L;
        const long double least = order == 1 ? 5e-10L : 5e-5L;
        h = factor * x;
        if (std::fabs(h) < least) h = least;
    }
    long double r = 0;
    if (order == 0) {
        r = GetResultValue();
    } else if (order < 0 || order > 3) {
        SetError(10,
                 "Eine zu gro\xDF"
                 "e Ableitung wurde f\xFCr die Berechnung angegeben.",
                 NeedErrorSolveText);
        return 0;
    } else if (!known) {
        r = 0; // a function does not depend on a variable it does not have
    } else if (order == 1) {
        r = GetPDerivation1(varIndex + 2, h);
    } else if (order == 2) {
        r = GetPDerivation2(varIndex + 2, h);
    } else {
        r = GetPDerivation3(varIndex + 2, h);
    }
    static const long double kSnap[4] = {1e-17L, 1e-5L, 1e-5L, 0.2L};
    if (snapToZero && !IsError && std::fabs(r) < kSnap[order]) r = 0;
    return r;
}

long double vdParser::GetPDerivation1(int k, long double h) {
    if (k < 2 || k - 1 > VarCount || ValueList.size() <= size_t(k)) return 0;
    const long double x = Contents()[k - 2], d = h / 2;
    ValueList[k - 1] = x + d;
    const long double f1 = GetResultValue();
    if (IsError) return 0;
    ValueList[k - 1] = x - d;
    const long double f0 = GetResultValue();
    if (IsError) return 0;
    return (f1 - f0) / h;
}

long double vdParser::GetPDerivation2(int k, long double h) {
    if (k < 2 || k - 1 > VarCount || ValueList.size() <= size_t(k)) return 0;
    const long double x = Contents()[k - 2], d = h / 2;
    long double f[3];
    const long double at[3] = {x - d, x, x + d};
    for (int i = 0; i < 3; ++i) {
        ValueList[k - 1] = at[i];
        f[i] = GetResultValue();
        if (IsError) return 0;
    }
    return ((f[2] - f[1]) / d - (f[1] - f[0]) / d) / d;
}

long double vdParser::GetPDerivation3(int k, long double h) {
    if (k < 2 || k - 1 > VarCount || ValueList.size() <= size_t(k)) return 0;
    const long double x = Contents()[k - 2], d = h / 2, q = h / 4;
    long double f[5];
    const long double at[5] = {x - d, x - q, x, x + q, x + d};
    for (int i = 0; i < 5; ++i) {
        ValueList[k - 1] = at[i];
        f[i] = GetResultValue();
        if (IsError) return 0;
    }
    return (((f[4] - f[3]) / q - (f[3] - f[2]) / q) / q -
            ((f[2] - f[1]) / q - (f[1] - f[0]) / q) / q) /
           d;
}

long double vdParser::GetPDerivationExt2(long double* values, int varA, int varB, bool,
                                         long double step) {
    if (varB < 0 || varB >= VarCount) return 0;
    const long double d = step == 0 ? 5e-7L : step / 2;
    const long double v = values[varB];
    values[varB] = v - d;
    const long double g1 = GetPDerivationExt(1, values, varA, false, step);
    if (IsError) return 0;
    values[varB] = v + d;
    const long double g2 = GetPDerivationExt(1, values, varA, false, step);
    if (IsError) return 0;
    return (g2 - g1) / (2 * d);
}

// ---------------------------------------------------------------------------------------------
// Progress and the symbolic library

void vdParser::PercentOut(unsigned int n) {
    const size_t length = OriginFunc.size();
    const long double p =
        length == 0 ? 0 : std::min(99.0L, std::ceil(n / (long double)length * 100));
    // Called once per compiled operation: the hundred texts are written once.
    static const std::vector<std::string> kTexts = [] {
        std::vector<std::string> texts;
        for (int k = 0; k < 100; ++k)
            texts.push_back(std::to_string(k) + "% der Funktionsbestimmung durchgef\xFChrt");
        return texts;
    }();
    char text[64];
    std::memcpy(text, kTexts[size_t(p)].c_str(), kTexts[size_t(p)].size() + 1);
    SetInfoWinText(text);
    if (ShouldIQuit()) SetError(11, "Abbruch durch den Anwender.", NeedErrorParsText);
}

void vdParser::SetInfoWinText(char*) {}
bool vdParser::ShouldIQuit() {
    return false;
}

void vdParser::doDifferentiation1(char* out, const char* var) {
    Trace("void vdParser::doDifferentiation1(char*, char*)");
    SymbolicCall(out, var, "DIFF(", "DIFF", "diff");
}

void vdParser::doIntegrate1(char* out, const char* var) {
    Trace("void vdParser::doIntegrate1(char*, char*)");
    SymbolicCall(out, var, "INT(", "INT", nullptr);
}

// Asks the outside library; out receives less than 25 characters per character of the text as
// typed, plus 200.
void vdParser::SymbolicCall(char* out, const char* var, const char* op, const char* failMark,
                            const char* failMarkLower) {
    out[0] = 0;
    // Set-up holds an upper-case "E" as "@"; the library must see the text as typed.
    std::string styled = StyledFunction;
    std::replace(styled.begin(), styled.end(), '@', 'E');
    std::string in = std::string(op) + styled + "," + (var ? var : "") + ")";
    for (char& c : in) c = char(std::toupper(static_cast<unsigned char>(c)));
    ReplaceAll(in, "SGN", "SIGN");
    const int size = int(std::max<size_t>(1, 25 * StyledFunction.size()));

    void* library = dlopen(SymbolicLibraryPath().c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!library) return;
    using Calculate = int (*)(const char*, char*, int);
    auto calculate = reinterpret_cast<Calculate>(dlsym(library, "symbolic_calculate"));
    if (!calculate) {
        dlclose(library);
        return;
    }
    std::vector<char> buffer(size_t(size) + 1, 0);
    const int res = calculate(in.c_str(), buffer.data(), size);
    dlclose(library);
    buffer[size_t(size)] = 0;
    std::string result = buffer.data();
    ReplaceAll(result, "SIGN", "SGN");
    if (failMarkLower) ReplaceAll(result, "sign", "sgn");
    if (res < 0 || Contains(result, failMark) || (failMarkLower && Contains(result, failMarkLower)))
        return;
    // Callers size their buffer by the text they typed (25 characters for each, and some room);
    // the styled text is longer, so an answer beyond that is a failure, never an overrun.
    if (result.size() >= 25 * OriginFunc.size() + 200) return;
    for (char& c : result) c = char(std::tolower(static_cast<unsigned char>(c)));
    std::strcpy(out, result.c_str());
}

// ---------------------------------------------------------------------------------------------
// Free functions

double GetResultExt(const char* FunctionIn, int VarCountIn, const char* VarDescIn, double* values,
                    int* errorOut, char* errorTextOut) {
    Trace("double GetResultExt(char*, int, char*, double*, int*, char*)");
    std::vector<long double> wide(size_t(std::max(VarCountIn, 1)), 0.0L);
    for (int i = 0; values && i < VarCountIn; ++i) wide[size_t(i)] = values[i];
    vdParser parser(FunctionIn, VarCountIn, VarDescIn ? VarDescIn : "", true, true, true, true);
    long double r = 0;
    int error = parser.GetGlobalError();
    char text[256] = "";
    if (parser.GetIsError()) {
        parser.GetErrorTypeText(text);
    } else {
        r = parser.GetResultExt(wide.data());
        error = parser.GetGlobalError();
        parser.GetErrorTypeText(text);
        if (!(r > -CORRldERR && r < CORRldERR)) {
            error = 6;
            std::strncat(text,
                         "Fehler durch Zahlen\xFC"
                         "berlauf.",
                         50);
            r = 0;
        }
    }
    if (errorOut) *errorOut = error;
    if (errorTextOut) std::strcpy(errorTextOut, text);
    return double(r);
}

double GetResult(const char* FunctionIn, int* errorOut, char* errorTextOut) {
    return GetResultExt(FunctionIn, 0, "", nullptr, errorOut, errorTextOut);
}

bool IsParserFunction(const char* FuncStrIn) {
    vdParser parser("", 0, "", true, true, true, true);
    std::string name = FuncStrIn ? FuncStrIn : "";
    return parser.IsFunction(&name);
}

void GetVersionString(char* out) {
    std::strcpy(out, "Orvelin Mathematik - Funktionsparser Version 5.0 - 2014");
}

float GetVersionNumber() {
    return 5.0f;
}
void GetVersionNumber(char* out) {
    std::strcpy(out, "2014-5.0");
}

char* GetVersionModule(char* out) {
    const ssize_t n = readlink("/proc/self/exe", out, 1499);
    out[n > 0 ? n : 0] = 0;
    return out;
}

int vdDebugFuncion(int, HWND, bool, const char*, const char*, const char*, const char*) {
    return 0;
}
int DebugFunkion(int, HWND, bool, const char*, const char*, const char*) {
    return 0;
}
bool GetDebugvdDLL() {
    return gDebugSwitch;
}
bool SetDebugvdDLL(bool on) {
    return gDebugSwitch = on;
}

void SetSymbolicLibraryPath(const char* path) {
    gSymbolicPath = path ? path : "";
}
