// The cheap text checks that run before compiling, and the parser's error state.
#include "parserint.h"

#include <algorithm>

using namespace vdp;

namespace {
const size_t kSetupMessageLength = 100;

bool ContainsAny(const std::string& text, std::initializer_list<const char*> pairs) {
    for (const char* p : pairs)
        if (text.find(p) != std::string::npos) return true;
    return false;
}
} // namespace

void vdParser::SetError(int code, const std::string& message, bool withText) {
    IsError = true;
    GlobalError = code;
    if (withText) {
        const size_t n = std::min(message.size(), sizeof ErrorTypeText - 1);
        std::memcpy(ErrorTypeText, message.data(), n);
        ErrorTypeText[n] = 0;
        if (code != 4 && code != 5 && code != 7 && code != 8 && n > kSetupMessageLength)
            ErrorTypeText[kSetupMessageLength] = 0;
    }
}

bool vdParser::GetIsError() {
    return IsError;
}
int vdParser::GetGlobalError() {
    return GlobalError;
}

void vdParser::GetErrorTypeText(char* out) {
    // Set-up holds an upper-case "E" as "@"; show it as typed again.
    if (GlobalError != 18)
        std::replace(ErrorTypeText, ErrorTypeText + std::strlen(ErrorTypeText), '@', 'E');
    std::strcpy(out, ErrorTypeText);
}

void vdParser::SetIsError(bool on) {
    if (on) {
        IsError = true;
        GlobalError = 17;
        std::strcpy(ErrorTypeText, "Interner Abbruch: Fehler wurde au\xDF"
                                   "erhalb \xFC"
                                   "ber SetIsError() gesetzt.");
    } else {
        IsError = false;
        GlobalError = 0;
        ErrorTypeText[0] = 0;
    }
}

int vdParser::SetGlobalError(int code) {
    const int previous = GlobalError;
    GlobalError = code;
    return previous;
}

char* vdParser::SetErrorTypeText(char* oldOut, const char* newText) {
    const size_t oldLength = std::min(std::strlen(ErrorTypeText), kSetupMessageLength);
    std::memcpy(oldOut, ErrorTypeText, oldLength);
    oldOut[oldLength] = 0;
    const char* text = newText ? newText : "";
    const size_t newLength = std::min(std::strlen(text), kSetupMessageLength);
    std::memmove(ErrorTypeText, text, newLength);
    ErrorTypeText[newLength] = 0;
    return oldOut;
}

bool vdParser::SetNeedErrorTexts(bool pars, bool solve) {
    NeedErrorParsText = pars;
    NeedErrorSolveText = solve;
    return pars;
}

bool vdParser::GetNeedErrorParsText() {
    return NeedErrorParsText;
}
bool vdParser::GetNeedErrorSolveText() {
    return NeedErrorSolveText;
}
void vdParser::GetUnknownFunction(char* out) {
    std::strcpy(out, UnknownFunction);
}
void vdParser::GetUnknownCharacters(char* out) {
    std::strcpy(out, UnknownCharacters);
}

bool vdParser::IsCommentError() {
    return GetCount(WorkFunction.c_str(), '"') % 2 != 0;
}

bool vdParser::IsOperationError() {
    return ContainsAny(WorkFunction, {"+*", "+/", "-*", "-/", "/*", "*/", "**", "//", "(*", "(/",
                                      "-)", "+)", "*)", "/)"});
}

bool vdParser::IsFunctionError() {
    return ContainsAny(WorkFunction, {"(^", "+^", "-^", "/^", "^/", "*^", "^*"});
}

bool vdParser::IsBracketError() {
    int depth = 0;
    for (char c : WorkFunction) {
        if (c == '(') ++depth;
        if (c == ')' && --depth < 0) return true;
    }
    return depth != 0 || WorkFunction.find("()") != std::string::npos;
}

bool vdParser::IsValue() {
    if (Base != 10) return false;
    std::string candidate = WorkFunction.substr(std::min<size_t>(2, WorkFunction.size()));
    if (!candidate.empty() && candidate.front() == '(' && WorkFunction.back() == ')')
        candidate = candidate.substr(1, candidate.size() - 2);
    if (candidate.empty() || candidate.find('E') != std::string::npos) return false;
    char* rest = nullptr;
    const long double value = pr_chartold(candidate.c_str(), &rest);
    // A number beyond long double ("1e5000") is no plain number; compiling reports it.
    if (!rest || *rest || !(value > -CORRldERR && value < CORRldERR)) return false;
    PlainValue = value;
    return true;
}

bool vdParser::GotCharError(char* out) {
    for (const char reserved : {'@', '#', '~'}) {
        if (WorkFunction.find(reserved) != std::string::npos) {
            out[0] = reserved;
            out[1] = 0;
            return true;
        }
    }
    // From here on an upper-case "E" is never a number's exponent.
    if (VarStruct)
        std::replace(VarStruct->description,
                     VarStruct->description + std::strlen(VarStruct->description), 'E', '@');
    std::replace(WorkFunction.begin(), WorkFunction.end(), 'E', '@');
    return false;
}
