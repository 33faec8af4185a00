// Number text conversion, rounding, guarded arithmetic and the text helpers.
#include "fpguard.h"
#include "vdparser.h"

#include <cfenv>
#include <cfloat>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <locale.h>
#include <string>

namespace {

// The C locale, so that reading and writing numbers never depend on LC_NUMERIC (the Qt
// program may run with a German decimal comma).
locale_t CLocale() {
    static const locale_t loc = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(0));
    return loc;
}

inline bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Length of the longest prefix of s in the decimal syntax: optional sign, digits with an
// optional decimal point (at least one digit), optional exponent "e"/"E" with optional sign and
// at least one digit. 0 when s does not begin with a number.
size_t ScanDecimal(const char* s) {
    size_t i = 0;
    if (s[i] == '+' || s[i] == '-') ++i;
    size_t digits = 0;
    while (IsDigit(s[i])) ++i, ++digits;
    if (s[i] == '.') {
        ++i;
        while (IsDigit(s[i])) ++i, ++digits;
    }
    if (digits == 0) return 0;
    if (s[i] == 'e' || s[i] == 'E') {
        size_t j = i + 1;
        if (s[j] == '+' || s[j] == '-') ++j;
        if (IsDigit(s[j])) {
            while (IsDigit(s[j])) ++j;
            i = j;
        }
    }
    return i;
}

// The C library's reading of a text (what atold does in the C locale).
inline long double ReadBack(const char* s) {
    return strtold_l(s, nullptr, CLocale());
}

// x with the format "%-1.<digits>Lg" in the C locale; out needs 40 characters.
void FormatLg(char* out, long double x, int digits) {
    const locale_t old = uselocale(CLocale());
    std::snprintf(out, 40, "%-1.*Lg", digits, x);
    uselocale(old);
}

// The search of ldtochar step 3 starting at d digits (1 <= d <= 20):
//   best = fmt(d); err = |read(best) - x|;
//   while err != 0: d -= 1; if d < 1 stop; s = fmt(d); if |read(s) - x| < err: best = s, err = ...
// computed without formatting every digit count. Let ax = |x| lie in the binade
// [2^e, 2^(e+1)) and let H_k = 0.5 * 10^(X-k+1) bound |dec(k) - ax|, where dec(k) is ax
// rounded to k significant digits and 10^X <= ax < 10^(X+1). Every dec(k) with k < d is itself a
// d-digit decimal, so |dec(k) - ax| >= |dec(d) - ax|. When [ax - H_k, ax + H_k] lies inside the
// binade, the long doubles around ax are evenly spaced there and reading rounds symmetrically,
// so the read-back error of dec(k) is no smaller than that of dec(d): such k cannot win. The
// condition only gets weaker as k grows, so only the k below the first k that meets it are
// tried, exactly as the loop tries them.
void ShortestSearch(char* out, long double x, int d) {
    char best[40];
    FormatLg(best, x, d);
    if (!std::isfinite(x)) { // "inf", "nan": every error is NaN, so the loop keeps fmt(d)
        std::strcpy(out, best);
        return;
    }
    long double err = fabsl(ReadBack(best) - x);
    if (err == 0) {
        std::strcpy(out, best);
        return;
    }
    int kFrom = d - 1; // the digit counts kFrom ... 1 are tried one by one
    if (!std::isinf(err) && fegetround() == FE_TONEAREST) {
        const long double ax = fabsl(x);
        int e2 = 0;
        const long double m = 2 * frexpl(ax, &e2); // ax = m * 2^(e2-1), 1 <= m < 2
        const long double lg = log10l(ax);
        long double frac = lg - floorl(lg); // ax = 10^(X + frac)
        if (frac > 1 - 1e-9L) frac = 0;     // near a decade: assume the larger unit
        // h_k = H_k / ax = 0.5 * 10^(1 - k - frac), with a margin for the rounding of h. In
        // units of 2^(e2-1) the test is m - m*h_k >= 1 and m + m*h_k <= 2; m - 1 and 2 - m
        // are exact.
        const long double below = m - 1, above = 2 - m;
        long double mh = m * 0.5L * powl(10.0L, 1 - d - frac) * (1 + 1e-9L);
        int k = d - 1;
        for (; k >= 1; --k) {
            mh *= 10;
            if (!(mh <= below && mh <= above)) break;
        }
        kFrom = k;
    }
    for (int k = kFrom; k >= 1 && err != 0; --k) {
        char s[40];
        FormatLg(s, x, k);
        const long double e = fabsl(ReadBack(s) - x);
        if (e < err) {
            err = e;
            std::strcpy(best, s);
        }
    }
    std::strcpy(out, best);
}

// Position of the next "+" or "-" at or after from that does not follow an exponent mark.
size_t NextSign(const std::string& s, size_t from) {
    for (size_t i = from; i < s.size(); ++i)
        if ((s[i] == '+' || s[i] == '-') && i > 0 && s[i - 1] != 'e' && s[i - 1] != 'E') return i;
    return std::string::npos;
}

void ReplaceEvery(std::string& s, const char* search, const char* turn) {
    const size_t n = std::strlen(search);
    const size_t t = std::strlen(turn);
    for (size_t pos = s.find(search); pos != std::string::npos; pos = s.find(search, pos + t))
        s.replace(pos, n, turn);
}

inline bool IsLower(char c) {
    return c >= 'a' && c <= 'z';
}

} // namespace

// ---------------------------------------------------------------------------------------------
// Writing and reading numbers

char* ldtochar(char* out, const long double x, int digits, bool minimal) {
    long double v = x;
    if (minimal && fabsl(v) < 1e-5L) v = corrroundl(v, 15);
    const bool inRange = digits >= 1 && digits <= 20;
    if (inRange && !minimal) {
        FormatLg(out, v, digits);
        return out;
    }
    // ldtochar(x, d, true) with d > 20 or d < 1 ends with the same text as the search from 20
    // (the non-minimal call it starts with), since no later candidate can be strictly closer.
    ShortestSearch(out, v, inRange ? digits : 20);
    return out;
}

char* dtochar(char* out, const double x, int digits, bool minimal) {
    return ldtochar(out, static_cast<long double>(x), digits, minimal);
}

long double chartold(const char* SubFuncIn, char** rest, bool) {
    const char* s = SubFuncIn ? SubFuncIn : "";
    const size_t n = ScanDecimal(s);
    if (rest) *rest = const_cast<char*>(s + n);
    if (s[n] != '\0' || n == 0) return 0.0L; // left over (or the empty text)
    return strtold_l(s, nullptr, CLocale());
}

double chartod(const char* SubFuncIn, char** rest, bool b) {
    const long double v = chartold(SubFuncIn, rest, b);
    if (fabsl(v) >= CORRldERR) return 0.0;
    return static_cast<double>(v);
}

bool isvalidld(const char* SubFuncIn) {
    if (!SubFuncIn) return true;
    return SubFuncIn[ScanDecimal(SubFuncIn)] == '\0';
}

// ---------------------------------------------------------------------------------------------
// Rounding

namespace {
// 10^n for n >= 0, exact up to 10^27.
inline long double PowTen(int n) {
    return powl(10.0L, static_cast<long double>(n));
}
} // namespace

long double corrroundl(long double x, int n) {
    // y = x * 10^n; for n < 0 the division by the exact 10^-n is used so that the result is an
    // exact multiple of it (x * 0.01L would not be).
    const long double p = PowTen(n < 0 ? -n : n);
    const long double y = n < 0 ? x / p : x * p;
    if (!std::isfinite(y)) return x; // x infinite or NaN, or x * 10^n beyond the range
    long double r;
    if (y >= 0) {
        const long double f = floorl(y);
        r = (y - f < 0.5L) ? f : ceill(y);
    } else {
        const long double a = -y;
        const long double f = floorl(a);
        r = -((a - f < 0.5L) ? f : ceill(a));
    }
    return n < 0 ? r * p : r / p;
}

long double corrroundl(long double x) {
    if (x >= 0) {
        const long double f = floorl(x);
        return (x - f < 0.5L) ? f : ceill(x);
    }
    const long double c = ceill(x);
    return (x - c <= -0.5L) ? floorl(x) : c;
}

double corrround(double x, int n) {
    return static_cast<double>(corrroundl(static_cast<long double>(x), n));
}

long double corrpolyl(long double x, int degree, long double* coeff) {
    long double p = 0;
    for (int k = degree; k >= 0; --k) {
        long double term;
        if (coeff[k] == 0)
            term = 0;
        else if (k == 0)
            term = 1;
        else
            term = corr_powl(x, static_cast<long double>(k));
        if (term == CORRldERR) return term;
        long double prod;
        // A product or sum out of range is the error value (the eigenvalue search relies on it),
        // not the power that happened to be computed last.
        if (!mult_ok(coeff[k], term, &prod)) return CORRldERR;
        if (!add_ok(p, prod, &p)) return CORRldERR;
    }
    return p;
}

// ---------------------------------------------------------------------------------------------
// Guarded arithmetic

bool add_ok(long double a, long double b, long double* result) {
    vdp::EnsureFPSetup();
    const long double r = a + b;
    *result = r;
    return -CORRldERR < r && r < CORRldERR;
}

bool sub_ok(long double a, long double b, long double* result) {
    vdp::EnsureFPSetup();
    const long double r = a - b;
    *result = r;
    return -CORRldERR < r && r < CORRldERR;
}

bool mult_ok(long double a, long double b, long double* result) {
    vdp::EnsureFPSetup();
    const long double r = a * b;
    *result = r;
    return -CORRldERR < r && r < CORRldERR;
}

bool div_ok(long double a, long double b, long double* result) {
    vdp::EnsureFPSetup();
    const long double r = a / b;
    *result = r;
    return -CORRldERR < r && r < CORRldERR;
}

// ---------------------------------------------------------------------------------------------
// Text helpers

void fast_add(char* AddString, long double* result, bool removeBrackets, bool simplifySigns) {
    // Works on a copy: the caller's buffer is left as it is (the rebuilt text can be longer).
    std::string s = AddString ? AddString : "";
    if (removeBrackets) {
        std::string t;
        t.reserve(s.size());
        for (char c : s)
            if (c != '(' && c != ')') t += c;
        s.swap(t);
    }
    if (simplifySigns) {
        ReplaceEvery(s, "--", "+");
        ReplaceEvery(s, "+-", "-");
        ReplaceEvery(s, "-+", "-");
        ReplaceEvery(s, "++", "+");
    }
    // The text of each sum is read again, as the algorithm describes; an infinite or NaN sum,
    // whose text does not read as a number, is carried on as it is.
    bool carried = false;
    long double carriedValue = 0;
    long double first = 0;
    for (;;) {
        const size_t second = NextSign(s, 1);
        first = carried ? carriedValue : chartold(s.substr(0, second).c_str(), nullptr);
        if (second == std::string::npos) break;
        const size_t after = NextSign(s, second + 1);
        const long double b = chartold(s.substr(second, after - second).c_str(), nullptr);
        const long double sum = first + b;
        char text[40];
        ldtochar(text, sum, 25, true);
        s = std::string(text) + (after == std::string::npos ? std::string() : s.substr(after));
        carried = !std::isfinite(sum);
        carriedValue = sum;
    }
    if (result) *result = first;
}

char* turnintochar(char* out, const char* SubFuncIn, const char* searchIn, const char* turnIn,
                   bool wholeWord) {
    std::string s = SubFuncIn ? SubFuncIn : "";
    const std::string search = searchIn ? searchIn : "";
    const std::string turn = turnIn ? turnIn : "";
    if (!search.empty()) {
        if (!wholeWord) {
            // The search resumes at the replacement; behind it when the replacement itself
            // contains the searched text (that would never end).
            const size_t skip = turn.find(search) != std::string::npos ? turn.size() : 0;
            for (size_t pos = s.find(search); pos != std::string::npos;
                 pos = s.find(search, pos + skip))
                s.replace(pos, search.size(), turn);
        } else {
            // An occurrence counts where neither the character before nor the one after is a
            // lower-case letter; the text start and the text end count as such characters.
            size_t pos = 0;
            while ((pos = s.find(search, pos)) != std::string::npos) {
                const size_t end = pos + search.size();
                const bool before = pos == 0 || !IsLower(s[pos - 1]);
                const bool after = end >= s.size() || !IsLower(s[end]);
                if (before && after) {
                    s.replace(pos, search.size(), turn);
                    pos += turn.size(); // the next occurrence starts behind the replacement
                } else {
                    pos += 1;
                }
            }
        }
    }
    if (out) std::memcpy(out, s.c_str(), s.size() + 1);
    return out;
}

char* turnbetweenintochar(char* out, const char* SubFuncIn, const char* searchIn,
                          const char* turnIn) {
    std::string s = SubFuncIn ? SubFuncIn : "";
    const std::string search = searchIn ? searchIn : "";
    const std::string turn = turnIn ? turnIn : "";
    if (search.size() == 1) {
        // One character (the comment quote): no occurrence can begin inside a replacement or
        // reach over its end, so one walk does it.
        std::string r;
        r.reserve(s.size());
        size_t pos = 0;
        for (size_t open = s.find(search[0]); open != std::string::npos;
             open = s.find(search[0], pos)) {
            const size_t partner = s.find(search[0], open + 1);
            if (partner == std::string::npos) {
                r.clear(); // an occurrence without a partner
                pos = s.size();
                break;
            }
            r.append(s, pos, open - pos);
            r += turn;
            pos = partner + 1;
        }
        r.append(s, pos, std::string::npos);
        s.swap(r);
    } else if (!search.empty()) {
        const size_t skip = turn.find(search) != std::string::npos ? turn.size() : 0;
        size_t pos = s.find(search);
        while (pos != std::string::npos) {
            const size_t partner = s.find(search, pos + search.size());
            if (partner == std::string::npos) {
                s.clear(); // an occurrence without a partner
                break;
            }
            s.replace(pos, partner + search.size() - pos, turn);
            pos = s.find(search, pos + skip);
        }
    }
    if (out) std::memcpy(out, s.c_str(), s.size() + 1);
    return out;
}

char* GetLastValue(char* out, const char* SearchString, int endPos, int* startOut,
                   bool excludeOperator) {
    const char* s = SearchString ? SearchString : "";
    const int len = static_cast<int>(std::strlen(s));
    if (endPos >= len) endPos = len - 1;
    if (endPos < 0) {
        if (out) out[0] = '\0';
        if (startOut) *startOut = 0;
        return out;
    }
    int depth = 0;
    int start = 0;
    for (int i = endPos; i >= 0; --i) {
        const char c = s[i];
        if (c == ')') {
            --depth;
        } else if (c == '(') {
            if (depth == 0) { // the bracket that encloses the operand
                start = i + 1;
                break;
            }
            ++depth; // a group taken whole; the walk goes on over the name in front of it
        } else if (depth == 0 && (c == '+' || c == '-' || c == '*' || c == '/')) {
            start = (excludeOperator && c != '-') ? i + 1 : i;
            break;
        }
    }
    if (out) {
        const int n = endPos - start + 1;
        std::memmove(out, s + start, static_cast<size_t>(n));
        out[n] = '\0';
    }
    if (startOut) *startOut = start;
    return out;
}

int GetCount(const char* CountString, char c) {
    if (!CountString) return 0;
    int n = 0;
    for (const char* p = CountString; *p; ++p)
        if (*p == c) ++n;
    return n;
}
