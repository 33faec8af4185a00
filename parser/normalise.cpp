// Normalisation: the school notation of a function text rewritten into the strict form the
// compiler reads (explicit "*", simple signs, e spelled out, percentages, factorials and
// bracketed powers).
#include "parserint.h"

#include <cctype>
#include <vector>

using namespace vdp;

namespace {
const size_t kMaxPercentText = 25000;
const size_t npos = std::string::npos;

bool IsNameChar(char c) {
    return IsDigit(c) || IsLower(c) || c == '_';
}

// Where the operand that ends at s[end] starts, as GetLastValue finds it: behind the "(" that
// encloses it, or at the operator in front of it; groups are taken whole.
int LastValueStart(const std::string& s, int end) {
    int depth = 0;
    for (int i = end; i >= 0; --i) {
        const char c = s[size_t(i)];
        if (c == ')') {
            --depth;
        } else if (c == '(') {
            if (depth == 0) return i + 1;
            ++depth;
        } else if (depth == 0 && (c == '+' || c == '-' || c == '*' || c == '/')) {
            return i;
        }
    }
    return 0;
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

// Puts "*" between every two neighbours l, r with left(l) and right(r). The same as replacing
// "lr" by "l*r" for every pair of such characters one after the other, as long as "*" is none of
// them: a "*" put in makes no new pair.
template <class Left, class Right> void MultiplyBetween(std::string& text, Left left, Right right) {
    std::string out;
    out.reserve(text.size() + text.size() / 4);
    for (size_t i = 0; i < text.size(); ++i) {
        out += text[i];
        if (i + 1 < text.size() && left(text[i]) && right(text[i + 1])) out += '*';
    }
    text.swap(out);
}

// A text being rewritten in one walk from left to right: the characters written so far, and the
// "(" or "(fac(" that were put in front of some of them later (counted per position, so that
// putting one in front of a long piece costs nothing).
struct Rewrite {
    std::string out;
    std::vector<unsigned> before{0}; // insertions in front of out[k]; one entry more than out

    void Put(char c) {
        out += c;
        before.push_back(0);
    }
    void Put(const std::string& text) {
        for (char c : text) Put(c);
    }
    void Cut(size_t size) {
        out.resize(size);
        before.resize(size + 1);
    }
    // The text with the insertions, each of them the text insertion.
    std::string Result(const char* insertion) const {
        std::string r;
        r.reserve(out.size() + out.size() / 2);
        for (size_t k = 0; k <= out.size(); ++k) {
            for (unsigned n = 0; n < before[k]; ++n) r += insertion;
            if (k < out.size()) r += out[k];
        }
        return r;
    }
    // Start of the operand that ends at the end of out: behind the nearest operator or "(",
    // an inserted "(" included.
    size_t OperandStart() const {
        size_t k = out.size();
        while (k > 0 && before[k] == 0 && !std::strchr("+-*/(", out[k - 1])) --k;
        return k;
    }
};
} // namespace

void vdParser::MakeAFunction() {
    Trace("void vdParser::MakeAFunction()");
    SetStyle();
    if (IsError) return;
    // "{" and "}" become brackets only now, and the checks did not count them: "2*}3{" must not
    // reach the compiler unpaired.
    if (IsBracketError()) {
        SetError(2, "Fehler in der Klammerung der Funktion.", NeedErrorParsText);
        return;
    }
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
    MultiplyBetween(
        WorkFunction, [](char c) { return c == ')'; }, IsDigit);
}

// A sign after "^" negates the whole power chain behind it, as a sign in front of a power does
// ("2^-x^2" is 2^(-(x^2)), like "-x^2" is -(x^2)): "^-a^b" becomes "^(0-a^b)". The chain ends
// before ")", "*", "/" or a sign that does not follow "^" (or belong to a number's exponent);
// brackets are taken whole. Where it ends is found for every position at once, from the right.
void vdParser::NegativeExponents() {
    const std::string w = WorkFunction;
    if (w.find("^-") == npos) return;
    const size_t n = w.size();
    const std::vector<size_t> match = MatchingBrackets(w);
    std::vector<size_t> chainEnd(n + 1, n);
    for (size_t p = n; p-- > 0;) {
        const char c = w[p];
        const bool sign =
            (c == '+' || c == '-') && p > 0 && w[p - 1] != '^' && !IsExponentMark(w, p - 1);
        if (c == '(')
            chainEnd[p] = match[p] == npos ? npos : chainEnd[match[p] + 1];
        else if (c == ')' || c == '*' || c == '/' || sign)
            chainEnd[p] = p;
        else
            chainEnd[p] = chainEnd[p + 1];
    }
    std::vector<unsigned> closeAt(n + 1, 0);
    std::vector<bool> negated(n, false);
    for (size_t i = w.find("^-"); i != npos; i = w.find("^-", i + 1)) {
        const size_t end = chainEnd[i + 2];
        if (end == npos) break; // an unpaired bracket: the rest stays as it is
        ++closeAt[end];
        negated[i + 1] = true;
    }
    std::string out;
    out.reserve(n + n / 2);
    for (size_t p = 0; p <= n; ++p) {
        out.append(closeAt[p], ')');
        if (p < n) out += negated[p] ? std::string("(0-") : std::string(1, w[p]);
    }
    WorkFunction = out;
}

// Every power becomes (base)^(exponent). A "^" not followed by "(" gets its exponent bracketed:
// a leading "-" belongs to it, brackets inside it are taken whole, and it ends before the first
// "*", "/", "^" or sign (not an exponent's of a number). A base not ending in ")" or "^" is
// bracketed back to the nearest operator or "(". One walk from left to right; the ")" behind an
// exponent waits for its position, the "(" in front of a base is counted.
void vdParser::BracketPowers() {
    const std::string w = WorkFunction;
    if (w.find('^') == npos) return;
    const size_t n = w.size();
    const std::vector<size_t> match = MatchingBrackets(w);
    std::vector<unsigned> closeAt(n + 1, 0); // ")" still to be put in front of w[p]
    // The character behind w[p-1] in the text as rewritten so far.
    auto following = [&](size_t p) -> char { return closeAt[p] ? ')' : p < n ? w[p] : '\0'; };
    auto exponentMarkBefore = [&](size_t p) {
        if (closeAt[p] || p < 2 || w[p - 1] != 'e') return false;
        const char c = closeAt[p - 1] ? ')' : w[p - 2];
        return IsDigit(c) || c == '.';
    };
    auto exponentEnd = [&](size_t p) {
        if (following(p) == '-') ++p;
        while (p < n) {
            const char c = w[p];
            if (c == '(') {
                if (match[p] == npos) return n;
                p = match[p] + 1;
                continue;
            }
            if (c == '*' || c == '/' || c == '^' ||
                ((c == '+' || c == '-') && !exponentMarkBefore(p)))
                break;
            ++p;
        }
        return p;
    };
    Rewrite r;
    auto bracketBase = [&](char c, char next) {
        if (c == ')' || c == '^' || next != '^') return;
        ++r.before[r.OperandStart()];
        r.Put(')');
    };
    for (size_t j = 0; j < n; ++j) {
        r.out.append(closeAt[j], ')');
        r.before.resize(r.out.size() + 1, 0);
        const char c = w[j];
        r.Put(c);
        if (c == '^' && following(j + 1) != '(') {
            ++closeAt[exponentEnd(j + 1)];
            r.Put('(');
            bracketBase('(', following(j + 1));
            continue;
        }
        bracketBase(c, following(j + 1));
    }
    r.out.append(closeAt[n], ')');
    r.before.resize(r.out.size() + 1, 0);
    WorkFunction = r.Result("(");
}

// Chained powers group from the right: the exponent bracket of each "^", together with every
// "^(...)" behind it, gets one more pair of brackets. Where each chain ends is found for all
// brackets at once, from the right.
void vdParser::ChainPowers() {
    const std::string w = WorkFunction;
    if (w.find('^') == npos) return;
    const size_t n = w.size();
    const std::vector<size_t> match = MatchingBrackets(w);
    std::vector<size_t> chainEnd(n, npos);
    for (size_t p = n; p-- > 0;) {
        if (w[p] != '(' || match[p] == npos) continue;
        size_t end = match[p];
        if (end + 2 < n && w[end + 1] == '^' && w[end + 2] == '(' && chainEnd[end + 2] != npos)
            end = chainEnd[end + 2];
        chainEnd[p] = end;
    }
    std::vector<unsigned> openAt(n + 1, 0), closeAt(n + 1, 0);
    for (size_t i = 0; i + 1 < n; ++i) {
        if (w[i] != '^' || w[i + 1] != '(' || chainEnd[i + 1] == npos) continue;
        ++openAt[i + 1];
        ++closeAt[chainEnd[i + 1] + 1];
    }
    std::string out;
    out.reserve(n + n / 2);
    for (size_t p = 0; p <= n; ++p) {
        out.append(closeAt[p], ')');
        out.append(openAt[p], '(');
        if (p < n) out += w[p];
    }
    WorkFunction = out;
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
    // Such an "e" is never next to another one, so replacing one changes no other's neighbours.
    if (SearchVariable("e") < 0 && WorkFunction.find('e') != npos) {
        const std::string& w = WorkFunction;
        std::string out;
        out.reserve(w.size());
        for (size_t i = 0; i < w.size(); ++i) {
            const bool before = i > 0 && !IsNameChar(w[i - 1]);
            const bool after = i + 1 == w.size() || !IsNameChar(w[i + 1]);
            if (w[i] == 'e' && before && after)
                out += "(exp(1))";
            else
                out += w[i];
        }
        WorkFunction = out;
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
        MultiplyBetween(WorkFunction, IsDigit, [](char c) { return c == '('; });
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
        if (std::isalpha(static_cast<unsigned char>(a))) {
            auto isA = [a](char c) { return c == a; };
            MultiplyBetween(WorkFunction, isA, IsDigit);
            MultiplyBetween(WorkFunction, IsDigit, isA);
            continue;
        }
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
//
// The text is split at the "%" being rewritten: everything a rewrite touches lies in front of
// it (the operand, its base), so that part is kept in a string of its own and the rest is taken
// over piece by piece; a rewrite then costs the length of what it copies, not of the text.
void vdParser::SolvePercent() {
    const std::string in = WorkFunction;
    const size_t percents = size_t(GetCount(in.c_str(), '%'));
    if (percents == 0) return;
    // Every "a+b%" copies a, so a chain of them doubles the text each time: stop long before
    // that hangs. A hundredth adds seven characters, so the bound grows with the text.
    const size_t maxText = kMaxPercentText + 8 * in.size();
    // Each "%" is rewritten at most twice; anything beyond means the text cannot be resolved.
    size_t rewrites = 0;
    std::string w;    // the text up to the "%" being looked at
    size_t taken = 0; // how much of in has been moved into w
    size_t pos = 0;   // where the search for the next "%" in w goes on
    for (;;) {
        pos = w.find('%', pos);
        if (pos == npos) {
            const size_t next = in.find('%', taken);
            if (next == npos) break;
            pos = w.size() + next - taken;
            w.append(in, taken, next + 1 - taken);
            taken = next + 1;
        }
        const int start = pos > 0 ? LastValueStart(w, pos - 1) : int(pos);
        if (size_t(start) >= pos) {
            ++pos; // no operand in front: left for compiling to report
            continue;
        }
        if (++rewrites > 2 * percents || w.size() + in.size() - taken > maxText) {
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
            baseStart = LastValueStart(w, start - 1);
            while (baseStart > 0 && w[size_t(baseStart)] == '*') {
                const int s = LastValueStart(w, baseStart - 1);
                if (s >= baseStart) break;
                baseStart = s;
            }
        }
        if (baseStart < start) {
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
    WorkFunction = w + in.substr(taken);
    TurnInto("(-", "(0-");
    TurnInto("(+", "(");
    if (rewrites > 2 * percents || IsBracketError())
        SetError(2, "Fehler in der Klammerung der Funktion nach dem Aufl\xF6sen der Prozent.",
                 NeedErrorParsText);
}

// "a!" becomes fac(a) for an operand a back to the nearest operator or "(", and "(...)!" (with
// the name of a function in front) becomes (fac((...))). One walk from left to right: the open
// brackets are kept on a stack, and "(fac(" in front of a group is counted at its position, so
// that "1!!!...!" costs no more than its length.
void vdParser::SolveFactorials() {
    const std::string w = WorkFunction;
    if (w.find('~') == npos) return;
    Rewrite r;
    std::vector<size_t> opens;
    // Where the group closed by the ")" at the end of r.out opens: at a "(" of r.out, at the
    // first "(fac(" put in front of a position, or at a later one.
    enum Opening { None, Char, FirstWrap, LaterWrap };
    Opening kind = None;
    size_t open = 0;
    size_t j = 0;
    for (; j < w.size() && !IsError; ++j) {
        const char c = w[j];
        if (c != '~' || r.out.empty()) {
            if (c == '(') opens.push_back(r.out.size());
            if (c == ')') {
                kind = opens.empty() ? None : Char;
                if (!opens.empty()) open = opens.back(), opens.pop_back();
            }
            r.Put(c);
            continue;
        }
        if (r.out.back() != ')') {
            const size_t start = r.OperandStart();
            const std::string operand = r.out.substr(start);
            if (!BalancedOperand(operand)) {
                SetError(14, "Fehler in der Fakult\xE4t.", NeedErrorParsText);
                break;
            }
            r.Cut(start);
            r.Put("fac(" + operand + ")");
            kind = Char;
            open = start + 3;
            continue;
        }
        if (kind == None) {
            SetError(14, "Fehler in der Fakult\xE4t.", NeedErrorParsText);
            break;
        }
        // A function call takes its name along: "sqrt(9)!" is (sqrt(9))!, not sqrt(9!).
        size_t start = open;
        bool free = kind == FirstWrap || (kind == Char && r.before[start] == 0);
        while (start > 0 && free && std::isalpha(static_cast<unsigned char>(r.out[start - 1]))) {
            --start;
            free = r.before[start] == 0;
        }
        kind = (start == open && kind != Char) ? kind : r.before[start] ? LaterWrap : FirstWrap;
        open = start;
        ++r.before[start];
        r.Put("))");
    }
    WorkFunction = r.Result("(fac(") + w.substr(j);
    // Each rewrite wraps a balanced piece in a pair of brackets, so checking the pieces (and the
    // whole once) finds every bracket error a check after each rewrite would find.
    if (!IsError && IsBracketError()) SetError(14, "Fehler in der Fakult\xE4t.", NeedErrorParsText);
}
