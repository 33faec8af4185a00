#include "polytext.h"

#include "vdparser.h"

#include <cmath>
#include <cstring>

long double Quant(long double v, bool* overflow) {
    if (!std::isfinite(v)) {
        *overflow = true;
        return v;
    }
    char text[64];
    return chartold(ldtochar(text, v, 26, true), nullptr);
}

PolyTerms MulConst(long double a, const PolyTerms& p, bool* overflow) {
    PolyTerms out;
    out.reserve(p.size());
    for (const PolyTerm& t : p) out.push_back({t.power, Quant(a * t.coeff, overflow)});
    return out;
}

PolyTerms AusmultTerms(PolyCell f, const PolyTerms& p, bool* overflow) {
    PolyTerms out;
    if (f.hasX) {
        out.reserve(2 * p.size());
        for (const PolyTerm& t : p) out.push_back({t.power + 1, -t.coeff});
    }
    const PolyTerms ap = MulConst(f.value, p, overflow);
    out.insert(out.end(), ap.begin(), ap.end());
    return Sortiere1Terms(out, overflow);
}

void ProduktTerms(PolyTerms& out, PolyCell f1, PolyCell f2, bool negative, bool* overflow) {
    const size_t first = out.size();
    // a*b, then -a*x when b carries "-x", -b*x when a does, and 1*x^(2) when both do.
    out.push_back({0, Quant(f1.value * f2.value, overflow)});
    if (f2.hasX) out.push_back({1, -f1.value});
    if (f1.hasX) out.push_back({1, -f2.value});
    if (f1.hasX && f2.hasX) out.push_back({2, 1.0L});
    if (negative)
        for (size_t i = first; i < out.size(); ++i) out[i].coeff = -out[i].coeff;
}

PolyTerms Sortiere1Terms(const PolyTerms& t, bool* overflow) {
    PolyTerms sorted;
    sorted.reserve(t.size());
    for (int k = 9; k >= 0; --k)
        for (const PolyTerm& term : t)
            if (term.power == k) sorted.push_back(term);
    return Fassezus1Terms(sorted, overflow);
}

PolyTerms Fassezus1Terms(const PolyTerms& t, bool* overflow) {
    PolyTerms out;
    out.reserve(10);
    for (const PolyTerm& term : t) {
        if (term.power == 0) continue;
        bool merged = false;
        for (PolyTerm& o : out)
            if (o.power == term.power) {
                o.coeff = Quant(o.coeff + term.coeff, overflow);
                merged = true;
                break;
            }
        if (!merged) out.push_back(term);
    }
    bool any = false;
    long double sum = 0;
    for (const PolyTerm& term : t) {
        if (term.power != 0) continue;
        sum = any ? Quant(sum + term.coeff, overflow) : term.coeff;
        any = true;
    }
    out.push_back({0, sum});
    return out;
}

void Negiere(PolyTerms& t) {
    for (PolyTerm& term : t) term.coeff = -term.coeff;
}

namespace {

// Length of the number text at s (without its sign): digits, point, exponent with its sign,
// and the letters of "inf" and "nan".
size_t NumberLength(const char* s) {
    size_t i = 0;
    while (s[i]) {
        const char c = s[i];
        if ((c >= '0' && c <= '9') || c == '.' || c == 'i' || c == 'n' || c == 'f' || c == 'a') {
            ++i;
        } else if (c == 'e' || c == 'E') {
            ++i;
            if (s[i] == '+' || s[i] == '-') ++i;
        } else {
            break;
        }
    }
    return i;
}

} // namespace

long double ReadNumber(const char*& s) {
    bool negative = false;
    while (*s == '+' || *s == '-') {
        if (*s == '-') negative = !negative;
        ++s;
    }
    const size_t len = NumberLength(s);
    char buf[64];
    const size_t n = len < sizeof buf - 1 ? len : sizeof buf - 1;
    std::memcpy(buf, s, n);
    buf[n] = '\0';
    s += len;
    const long double v = chartold(buf, nullptr);
    return negative ? -v : v;
}

bool ParsePoly(const char* text, PolyTerms& out) {
    out.clear();
    const char* s = text;
    if (*s == '(') ++s;
    while (*s && *s != ')') {
        const char* start = s;
        PolyTerm term{0, ReadNumber(s)};
        if (s == start) return false;
        if (std::strncmp(s, "*x^(", 4) == 0) {
            s += 4;
            while (*s >= '0' && *s <= '9') term.power = term.power * 10 + (*s++ - '0');
            if (*s != ')') return false;
            ++s;
        } else if (std::strncmp(s, "*x", 2) == 0) {
            s += 2;
            term.power = 1;
        }
        out.push_back(term);
    }
    return true;
}

std::string WritePoly(const PolyTerms& t) {
    std::string out = "(";
    char num[64];
    for (size_t i = 0; i < t.size(); ++i) {
        ldtochar(num, t[i].coeff, 26, true);
        if (i > 0 && num[0] != '-') out += '+';
        out += num;
        if (t[i].power >= 2) {
            out += "*x^(";
            out += std::to_string(t[i].power);
            out += ')';
        } else if (t[i].power == 1) {
            out += "*x";
        }
    }
    out += ')';
    return out;
}

std::string CellText(PolyCell c) {
    char num[64];
    ldtochar(num, c.value, 26, true);
    std::string out = num;
    if (c.hasX) out += "-x";
    return out;
}

char* EliminText(char* text) {
    // Both replacements shorten the text, so they are done in place.
    for (const char* pair : {"--", "+-"}) {
        const char replacement = pair[0] == '-' ? '+' : '-';
        char* w = text;
        for (const char* r = text; *r;) {
            if (r[0] == pair[0] && r[1] == pair[1]) {
                *w++ = replacement;
                r += 2;
            } else {
                *w++ = *r++;
            }
        }
        *w = '\0';
    }
    return text;
}

void TauscheVorzeichen(std::string& text, size_t from) {
    for (size_t i = from; i < text.size(); ++i) {
        if (text[i] != '+' && text[i] != '-') continue;
        if (i > 0 && (text[i - 1] == 'e' || text[i - 1] == 'E')) continue;
        text[i] = text[i] == '+' ? '-' : '+';
    }
}

bool Koeffizient(const char* text, int k, long double* out) {
    PolyTerms t;
    if (!ParsePoly(text, t)) return false;
    for (const PolyTerm& term : t)
        if (term.power == k) {
            *out = term.coeff;
            return true;
        }
    return false;
}

std::string AnzeigeText(const char* canonical, int n) {
    std::string out;
    char num[64];
    for (int k = n; k >= 0; --k) {
        long double c;
        if (!Koeffizient(canonical, k, &c)) continue;
        ldtochar(num, corrroundl(c, 15), 15, true);
        // A coefficient that rounds to -0 is shown as 0.
        const char* shown = std::strcmp(num, "-0") == 0 ? "0" : num;
        out += ' ';
        if (shown[0] != '-') out += '+';
        out += shown;
        if (k >= 2)
            out += "*x^" + std::to_string(k);
        else if (k == 1)
            out += "*x";
    }
    if (!out.empty()) out.erase(0, 1);
    if (!out.empty() && out[0] == '+') out.erase(0, 1);
    return out;
}
