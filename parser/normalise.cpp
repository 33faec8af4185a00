// Normalisation: the school notation of a function text rewritten into the strict form the
// compiler reads (explicit "*", simple signs, e spelled out, percentages, factorials and
// bracketed powers).
#include "parserint.h"

#include <cctype>
#include <vector>

using namespace vdp;

namespace {
const size_t kMaxPercentText = 25000;

bool IsNameChar(char c) {
    return IsDigit(c) || IsLower(c) || c == '_';
}

// Position behind the exponent that starts at pos: a leading "-" belongs to it, brackets opened
// inside it are taken whole, and it ends before the first "*", "/", "+", "^" or "-".
size_t ExponentEnd(const std::string& s, size_t pos) {
    if (pos < s.size() && s[pos] == '-') ++pos;
    while (pos < s.size()) {
        const char c = s[pos];
        if (c == '(') {
            const size_t close = MatchingClose(s, pos);
            if (close == std::string::npos) return s.size();
            pos = close + 1;
            continue;
        }
        if (c == '*' || c == '/' || c == '^' ||
            ((c == '+' || c == '-') && !IsExponentMark(s, pos - 1)))
            break;
        ++pos;
    }
    return pos;
}

// Start of the operand that ends just before pos: behind the nearest operator or "(".
size_t OperandStart(const std::string& s, size_t pos) {
    while (pos > 0 && !std::strchr("+-*/(", s[pos - 1])) --pos;
    return pos;
}

// True when the operand of a factorial is not empty and its brackets pair up.
bool BalancedOperand(const std::string& operand) {
    int depth = 0;
    for (char c : operand) {
        if (c == '(') ++depth;
        if (c == ')' && --depth < 0) return false;
    }
    return !operand.empty() && depth == 0;
}

// Position of the "(" that matches the ")" at close, or npos.
size_t MatchingOpen(const std::string& s, size_t close) {
    int depth = 0;
    for (size_t i = close + 1; i-- > 0;) {
        if (s[i] == ')') ++depth;
        if (s[i] == '(' && --depth == 0) return i;
    }
    return std::string::npos;
}
} // namespace

void vdParser::MakeAFunction() {
    Trace("void vdParser::MakeAFunction()");
    SetStyle();
    if (IsError) return;
    char step1[] = "Funktionsuntersuchung 1", step2[] = "Funktionsuntersuchung 2",
         step3[] = "Funktionsuntersuchung 3", factorial[] = "Untersuchung der Fakult\xE4t";
    SetInfoWinText(step1);
    NegativeExponents();
    BracketPowers();
    SetInfoWinText(step2);
    ChainPowers();
    SetInfoWinText(step2);
    BracketPowers();
    SetInfoWinText(step3);
    SetInfoWinText(factorial);
    SolveFactorials();
    // A number right behind a factorial or a percentage multiplies too ("2!3" is 2!*3).
    DigitsAfterBrackets();
}

void vdParser::DigitsAfterBrackets() {
    if (WorkFunction.find(')') == std::string::npos) return;
    for (char d = '0'; d <= '9'; ++d) {
        const char from[] = {')', d, 0}, to[] = {')', '*', d, 0};
        TurnInto(from, to);
    }
}

// A sign after "^" negates the whole power chain behind it, as a sign in front of a power does
// ("2^-x^2" is 2^(-(x^2)), like "-x^2" is -(x^2)): "^-a^b" becomes "^(0-a^b)".
void vdParser::NegativeExponents() {
    std::string& w = WorkFunction;
    for (size_t i = w.find("^-"); i != std::string::npos; i = w.find("^-", i + 1)) {
        size_t end = i + 2;
        while (end < w.size()) {
            const char c = w[end];
            if (c == '(') {
                const size_t close = MatchingClose(w, end);
                if (close == std::string::npos) return;
                end = close + 1;
                continue;
            }
            // A sign right after "^" starts the next exponent of the chain.
            if (c == ')' || c == '*' || c == '/' ||
                ((c == '+' || c == '-') && w[end - 1] != '^' && !IsExponentMark(w, end - 1)))
                break;
            ++end;
        }
        w.insert(end, ")");
        w.replace(i + 1, 1, "(0-");
    }
}

// Every power becomes (base)^(exponent).
void vdParser::BracketPowers() {
    std::string& w = WorkFunction;
    const size_t first = w.find('^');
    if (first == std::string::npos) return;
    for (size_t i = first == 0 ? 0 : first - 1; i < w.size(); ++i) {
        if (w[i] == '^' && (i + 1 >= w.size() || w[i + 1] != '(')) {
            const size_t end = ExponentEnd(w, i + 1);
            w.insert(end, ")");
            w.insert(i + 1, "(");
        } else if (w[i] != ')' && w[i] != '^' && i + 1 < w.size() && w[i + 1] == '^') {
            const size_t start = OperandStart(w, i + 1);
            w.insert(i + 1, ")");
            w.insert(start, "(");
            ++i; // the same character, one place further right
        }
    }
}

// Chained powers group from the right: the exponent bracket of each "^", together with every
// "^(...)" behind it, gets one more pair of brackets.
void vdParser::ChainPowers() {
    std::string& w = WorkFunction;
    for (size_t i = w.find('^'); i != std::string::npos; i = w.find('^', i + 1)) {
        if (i + 1 >= w.size() || w[i + 1] != '(') continue;
        size_t end = MatchingClose(w, i + 1);
        if (end == std::string::npos) continue;
        while (end + 2 < w.size() && w[end + 1] == '^' && w[end + 2] == '(') {
            const size_t next = MatchingClose(w, end + 2);
            if (next == std::string::npos) break;
            end = next;
        }
        w.insert(end + 1, ")");
        w.insert(i + 1, "(");
    }
}

void vdParser::SetStyle() {
    char simplify[] = "Vereinfachungen der Operationen aufl\xF6sen";
    SetInfoWinText(simplify);
    TurnInto("\xB2", "^2");
    TurnInto("\xB3", "^3");
    TurnInto("e^(", "exp(");
    TurnInto("{", "(");
    TurnInto("}", ")");
    TurnInto("!", "~");
    TurnInto(" ", "");
    TurnInto("\r", "");
    TurnInto("\n", "");

    // The constant e: an "e" that is no part of a name or a number. One at the very end of the
    // text counts too ("2*e").
    if (SearchVariable("e") < 0) {
        std::string& w = WorkFunction;
        for (size_t i = w.find('e'); i != std::string::npos; i = w.find('e', i)) {
            const bool before = i > 0 && !IsNameChar(w[i - 1]);
            const bool after = i + 1 == w.size() || !IsNameChar(w[i + 1]);
            if (before && after) {
                w.replace(i, 1, "(exp(1))");
                i = 0;
            } else {
                ++i;
            }
        }
    }
    if (WorkFunction.find_first_of("+-") != std::string::npos) {
        TurnInto("*+", "*");
        TurnInto("/+", "/");
        TurnInto("--", "+");
        TurnInto("+-", "-");
        TurnInto("-+", "-");
        TurnInto("++", "+");
    }
    if (WorkFunction.find('(') != std::string::npos) {
        TurnInto("(-", "(0-");
        TurnInto("(+", "(");
        TurnInto(")(", ")*(");
        for (char d = '0'; d <= '9'; ++d) {
            const char from[] = {d, '(', 0}, to[] = {d, '*', '(', 0};
            TurnInto(from, to);
        }
    }
    DigitsAfterBrackets();
    // A sign directly after "^" is dropped when it is "+", with or without brackets around.
    TurnInto("^+", "^");
    TurnInto(",", ".");
    SolvePercent();
    if (IsError) return;
    char variables[] = "Vereinfachungen der Operationen mit Variablen aufl\xF6sen";
    SetInfoWinText(variables);
    ImplicitVariableProducts();
}

// Adjacent single-letter variables, digits and brackets multiply.
void vdParser::ImplicitVariableProducts() {
    if (!SingleLetterVars || !VarStruct) return;
    const std::string desc = VarStruct->description;
    if (WorkFunction.find_first_of(desc.substr(1)) == std::string::npos) return;
    for (size_t ia = 1; ia < desc.size(); ++ia) {
        const char a = desc[ia];
        if (WorkFunction.find(a) == std::string::npos) continue;
        for (size_t ib = 1; ib < desc.size(); ++ib) {
            const char b = desc[ib];
            const char from[] = {a, b, 0}, to[] = {a, '*', b, 0};
            TurnInto(from, to);
        }
        const char closeA[] = {')', a, 0}, closeTo[] = {')', '*', a, 0};
        TurnInto(closeA, closeTo);
        const char aOpen[] = {a, '(', 0}, aOpenTo[] = {a, '*', '(', 0};
        TurnInto(aOpen, aOpenTo);
        for (char d = '0'; d <= '9'; ++d) {
            const char from[] = {a, d, 0}, to[] = {a, '*', d, 0};
            TurnInto(from, to);
        }
        for (char d = '0'; d <= '9'; ++d) {
            const char from[] = {d, a, 0}, to[] = {d, '*', a, 0};
            TurnInto(from, to);
        }
    }
}

// "a*b%" is a*b/100; "a+b%" is a + a*b/100, "a-b%" is a - a*b/100.
void vdParser::SolvePercent() {
    std::string& w = WorkFunction;
    const size_t percents = size_t(GetCount(w.c_str(), '%'));
    if (percents == 0) return;
    // Each "%" is rewritten at most twice; anything beyond means the text cannot be resolved.
    size_t rewrites = 0;
    for (size_t pos = w.find('%'); pos != std::string::npos; pos = w.find('%', pos)) {
        std::vector<char> operand(w.size() + 1);
        int start = int(pos);
        if (pos > 0) GetLastValue(operand.data(), w.c_str(), int(pos) - 1, &start, false);
        if (pos == 0 || operand[0] == 0 || start < 0 || size_t(start) >= pos) {
            ++pos; // no operand in front: left for compiling to report
            continue;
        }
        // Every "a+b%" copies a, so a chain of them doubles the text each time: stop long before
        // that hangs.
        if (++rewrites > 2 * percents || w.size() > kMaxPercentText) {
            rewrites = 2 * percents + 1;
            break;
        }
        const char op = w[size_t(start)];
        // The "0" put in front of every text is no base: "10%" alone is a tenth, not 0.
        const bool prefixBase = start == 1 && w[0] == '0';
        int baseStart = start;
        if ((op == '+' || op == '-') && !prefixBase && start > 0) {
            // The base: the operand in front of the operator with its own sign, extended over
            // every operand joined to it by "*" ("2*3+10%" takes "2*3").
            int s = start;
            GetLastValue(operand.data(), w.c_str(), start - 1, &s, false);
            baseStart = s;
            while (baseStart > 0 && w[size_t(baseStart)] == '*') {
                GetLastValue(operand.data(), w.c_str(), baseStart - 1, &s, false);
                if (s >= baseStart) break;
                baseStart = s;
            }
        }
        if (baseStart >= 0 && baseStart < start) {
            w.insert(pos + 1, ")");
            const std::string base = w.substr(size_t(baseStart), size_t(start - baseStart));
            // The new bracket opens behind the base's own sign, or in front of it after "(".
            size_t from = size_t(baseStart);
            if (std::strchr("+-*/", w[from])) ++from;
            w.insert(size_t(start) + 1, "(" + base + ")*");
            w.insert(from, "(");
            pos = from; // the "%" moved right: meet it again
            continue;
        }
        // Behind "*", "/", the leading "0" or an opening bracket: a hundredth.
        w.replace(pos, 1, "*(1/100)");
    }
    TurnInto("(-", "(0-");
    TurnInto("(+", "(");
    if (rewrites > 2 * percents || IsBracketError())
        SetError(2, "Fehler in der Klammerung der Funktion nach dem Aufl\xF6sen der Prozent.",
                 NeedErrorParsText);
}

void vdParser::SolveFactorials() {
    std::string& w = WorkFunction;
    const size_t first = w.find('~');
    if (first == std::string::npos) return;
    for (size_t i = first == 0 ? 0 : first - 1; i + 1 < w.size() && !IsError; ++i) {
        if (w[i + 1] != '~') continue;
        if (w[i] != ')') {
            const size_t start = OperandStart(w, i + 1);
            const std::string operand = w.substr(start, i + 1 - start);
            if (!BalancedOperand(operand)) {
                SetError(14, "Fehler in der Fakult\xE4t.", NeedErrorParsText);
                break;
            }
            w.replace(start, i + 2 - start, "fac(" + operand + ")");
        } else {
            const size_t open = MatchingOpen(w, i);
            if (open == std::string::npos) {
                SetError(14, "Fehler in der Fakult\xE4t.", NeedErrorParsText);
                break;
            }
            // A function call takes its name along: "sqrt(9)!" is (sqrt(9))!, not sqrt(9!).
            size_t start = open;
            while (start > 0 && std::isalpha(static_cast<unsigned char>(w[start - 1]))) --start;
            const std::string group = w.substr(start, i + 1 - start);
            w.replace(start, i + 2 - start, "(fac(" + group + "))");
        }
    }
    // Each rewrite wraps a balanced piece in a pair of brackets, so checking the pieces (and the
    // whole once) finds every bracket error a check after each rewrite would find.
    if (!IsError && IsBracketError()) SetError(14, "Fehler in der Fakult\xE4t.", NeedErrorParsText);
}
