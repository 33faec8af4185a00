// Writes GiNaC expressions as function texts in the parser's upper-case notation: explicit "*",
// "^" powers, the parser's function names, terms ordered by falling powers of the variable.
#include "symbolic_core.h"

#include <algorithm>
#include <sstream>
#include <vector>

using namespace GiNaC;

namespace orvsym {
namespace {

// How tightly a written text holds together; a text goes into brackets where a tighter one is
// needed. A text that begins with a sign counts as a sum.
enum Prec { Sum = 1, Product = 2, Power = 3, Atom = 4 };

struct Text {
    std::string s;
    int prec;
};

class TooLong : public std::exception {};
class NotWritable : public std::exception {};

// Longest decimal text a fraction is written as before it is written as a fraction.
constexpr std::size_t maxDecimalLength = 24;

std::string numberText(const numeric& n) {
    std::ostringstream os;
    os << n;
    return os.str();
}

// Splits e into its numeric coefficient and the rest.
std::pair<numeric, ex> splitCoefficient(const ex& e) {
    if (is_a<numeric>(e)) return {ex_to<numeric>(e), 1};
    if (is_a<mul>(e)) {
        numeric c = 1;
        ex rest = 1;
        for (std::size_t i = 0; i < e.nops(); ++i) {
            if (is_a<numeric>(e.op(i)))
                c *= ex_to<numeric>(e.op(i));
            else
                rest *= e.op(i);
        }
        return {c, rest};
    }
    return {1, e};
}

bool isNegativeNumber(const ex& e) {
    return is_a<numeric>(e) && ex_to<numeric>(e).is_real() && ex_to<numeric>(e).is_negative();
}

class Writer {
public:
    Writer(const symbol& var, bool decimals, std::size_t maxLen)
        : var_(var), decimals_(decimals), maxLen_(maxLen), budget_(20 * maxLen + 10000) {}

    std::string write(const ex& e) { return any(e).s; }

private:
    Text done(std::string s, int prec) {
        if (s.size() > maxLen_) throw TooLong();
        return {std::move(s), prec};
    }

    void visit() {
        if (budget_-- == 0) throw TooLong();
    }

    static std::string wrap(const Text& t, int need) {
        return t.prec >= need ? t.s : "(" + t.s + ")";
    }

    Text any(const ex& e) {
        visit();
        if (is_a<add>(e)) return sum(e);
        auto [c, rest] = splitCoefficient(e);
        if (!c.is_real()) throw NotWritable();
        if (c.is_negative()) {
            // -(LN(X)-1)/X^2 reads better as (1-LN(X))/X^2.
            if (is_a<mul>(e))
                for (std::size_t i = 0; i < e.nops(); ++i)
                    if (is_a<add>(e.op(i))) {
                        const ex sum = e.op(i);
                        if (any(-sum).s[0] != '-') return product(e, &sum);
                        break;
                    }
            Text t = positive(-e);
            return done("-" + wrap(t, Product), Sum);
        }
        return positive(e);
    }

    // Terms by falling power of the variable, the terms free of it last.
    int termRank(const ex& t) const {
        if (!t.has(var_)) return -1000000;
        auto exponentOf = [this](const ex& f) -> int {
            if (f.is_equal(var_)) return 1;
            if (is_a<power>(f) && f.op(0).is_equal(var_) && is_a<numeric>(f.op(1))) {
                const numeric& n = ex_to<numeric>(f.op(1));
                if (n.is_integer() && n.int_length() < 20) return n.to_int();
            }
            return 0;
        };
        if (is_a<mul>(t)) {
            int sum = 0;
            for (std::size_t i = 0; i < t.nops(); ++i) sum += exponentOf(t.op(i));
            return sum;
        }
        return exponentOf(t);
    }

    Text sum(const ex& e) {
        std::vector<std::pair<int, Text>> terms;
        for (std::size_t i = 0; i < e.nops(); ++i)
            terms.push_back({termRank(e.op(i)), any(e.op(i))});
        std::stable_sort(terms.begin(), terms.end(), [](const auto& a, const auto& b) {
            if (a.first != b.first) return a.first > b.first;
            return a.second.s < b.second.s;
        });
        // A leading minus reads worse than a later one: "1-X^2" rather than "-X^2+1".
        if (terms.front().second.s[0] == '-') {
            auto positive = std::find_if(terms.begin(), terms.end(),
                                         [](const auto& t) { return t.second.s[0] != '-'; });
            if (positive != terms.end()) std::rotate(terms.begin(), positive, positive + 1);
        }
        std::string s;
        for (const auto& [rank, t] : terms) {
            if (!s.empty() && t.s[0] != '-') s += '+';
            s += t.s;
            if (s.size() > maxLen_) throw TooLong();
        }
        return done(s, Sum);
    }

    // Writes a positive rational; decimal when the function text used decimals and the value
    // has a short decimal expansion.
    Text rational(const numeric& n) {
        if (!n.is_rational()) throw NotWritable();
        if (n.is_integer()) return done(numberText(n), Atom);
        if (decimals_) {
            numeric q = n.denom();
            int twos = 0, fives = 0;
            while (irem(q, 2).is_zero()) q = iquo(q, 2), ++twos;
            while (irem(q, 5).is_zero()) q = iquo(q, 5), ++fives;
            int places = std::max(twos, fives);
            if (q.is_equal(1) && places < static_cast<int>(maxDecimalLength)) {
                std::string digits = numberText(n * pow(numeric(10), numeric(places)));
                if (digits.size() <= static_cast<std::size_t>(places))
                    digits.insert(0, places + 1 - digits.size(), '0');
                digits.insert(digits.size() - places, ".");
                if (digits.size() <= maxDecimalLength) return done(digits, Atom);
            }
        }
        return done(numberText(n.numer()) + "/" + numberText(n.denom()), Product);
    }

    Text positive(const ex& e) {
        if (is_a<numeric>(e)) return rational(ex_to<numeric>(e));
        if (is_a<symbol>(e)) return done(ex_to<symbol>(e).get_name(), Atom);
        if (is_a<constant>(e)) {
            if (e.is_equal(Pi)) return done("PI", Atom);
            throw NotWritable();
        }
        if (is_a<function>(e)) return call(e);
        if (is_a<add>(e)) return sum(e);
        if (is_a<mul>(e)) return product(e);
        if (is_a<power>(e)) {
            if (isNegativeNumber(e.op(1))) return product(e);
            return powerText(e.op(0), e.op(1));
        }
        throw NotWritable();
    }

    Text powerText(const ex& base, const ex& exponent) {
        if (exponent.is_equal(numeric(1, 2))) return done("SQRT(" + any(base).s + ")", Atom);
        if (exponent.is_equal(1)) return any(base);
        std::string b = wrap(any(base), Atom);
        Text x = any(exponent);
        bool plainInteger = is_a<numeric>(exponent) && ex_to<numeric>(exponent).is_pos_integer();
        return done(b + "^" + (plainInteger ? x.s : wrap(x, Atom)), Power);
    }

    // The product e; with `flip`, the sign of the coefficient goes into that factor.
    Text product(const ex& e, const ex* flip = nullptr) {
        visit();
        auto [c, rest] = splitCoefficient(e);
        if (flip) c = -c;
        std::vector<ex> factors;
        if (is_a<mul>(rest))
            for (std::size_t i = 0; i < rest.nops(); ++i) factors.push_back(rest.op(i));
        else if (!rest.is_equal(1))
            factors.push_back(rest);

        // Constants first, then powers of the variable, then the rest, functions last:
        // "2*A*X*COS(X)".
        auto kind = [this](const ex& f) {
            if (!f.has(var_)) return 0;
            if (f.is_equal(var_) ||
                (is_a<power>(f) && f.op(0).is_equal(var_) && is_a<numeric>(f.op(1))))
                return 1;
            return is_a<function>(f) ? 3 : 2;
        };
        std::stable_sort(factors.begin(), factors.end(),
                         [&](const ex& a, const ex& b) { return kind(a) < kind(b); });
        std::vector<std::string> num, den;
        for (const ex& f : factors) {
            if (is_a<power>(f) && isNegativeNumber(f.op(1))) {
                den.push_back(wrap(powerText(f.op(0), -f.op(1)), Power));
            } else {
                num.push_back(wrap(any(flip && f.is_equal(*flip) ? ex(-f) : f), Power));
            }
        }
        std::string coefficient;
        if (!c.is_equal(1)) {
            Text t = rational(c);
            if (t.prec == Atom || (den.empty() && !num.empty())) {
                coefficient = t.s; // "1.5*X", "3/2*X"
            } else {
                if (!c.numer().is_equal(1)) coefficient = numberText(c.numer());
                den.insert(den.begin(), numberText(c.denom()));
            }
        }
        std::string s = coefficient;
        for (const std::string& f : num) s += (s.empty() ? "" : "*") + f;
        if (s.empty()) s = "1";
        if (!den.empty()) {
            std::string d;
            for (const std::string& f : den) d += (d.empty() ? "" : "*") + f;
            s += "/" + (den.size() == 1 ? d : "(" + d + ")");
        }
        if (coefficient.empty() && num.size() == 1 && den.empty()) return done(s, Power);
        return done(s, Product);
    }

    Text call(const ex& e) {
        static const std::map<std::string, std::string> names{
            {"sin", "SIN"},       {"cos", "COS"},       {"tan", "TAN"},       {"asin", "ASIN"},
            {"acos", "ACOS"},     {"atan", "ATAN"},     {"sinh", "SINH"},     {"cosh", "COSH"},
            {"tanh", "TANH"},     {"asinh", "ARSINH"},  {"acosh", "ARCOSH"},  {"atanh", "ARTANH"},
            {"exp", "EXP"},       {"log", "LN"},        {"COT", "COT"},       {"ACOT", "ACOT"},
            {"COTH", "COTH"},     {"ARCOTH", "ARCOTH"}, {"LG", "LG"},         {"ABS", "ABS"},
            {"SIGN", "SIGN"},     {"FAC", "FAC"},       {"ROUND", "ROUND"},   {"CEIL", "CEIL"},
            {"FLOOR", "FLOOR"},   {"RAND", "RAND"},     {"ISPOS", "ISPOS"},   {"ISNEG", "ISNEG"},
            {"ISPOSQ", "ISPOSQ"}, {"ISNEGQ", "ISNEGQ"}, {"ISNULL", "ISNULL"}, {"NOT", "NOT"}};
        // GAMMA is missing on purpose: the parser reads the answer in lower case, and "gamma"
        // is not one of its names.
        const function& f = ex_to<function>(e);
        auto it = names.find(f.get_name());
        if (it == names.end() || f.nops() != 1) throw NotWritable();
        return done(it->second + "(" + any(f.op(0)).s + ")", Atom);
    }

    const symbol& var_;
    bool decimals_;
    std::size_t maxLen_;
    std::size_t budget_;
};

// Numbers and exponents small enough for exact rewriting.
// Inside an exponent every number counts as a possible exponent: expanding splits
// x^(n+a) into x^n*x^a.
bool smallNumbers(const ex& e, bool inExponent = false, int depth = 0) {
    if (depth > 100) return false;
    if (is_a<numeric>(e)) {
        const numeric& n = ex_to<numeric>(e);
        if (!n.is_rational()) return false;
        if (inExponent) return n.numer().int_length() <= 5 && abs(n.numer()) <= 30;
        return n.numer().int_length() < 2000 && n.denom().int_length() < 2000;
    }
    for (std::size_t i = 0; i < e.nops(); ++i) {
        bool exponent = inExponent || (is_a<power>(e) && i == 1);
        if (!smallNumbers(e.op(i), exponent, depth + 1)) return false;
    }
    return true;
}

// Term counts saturate here.
constexpr double termCap = 1e9;
double clampTerms(double v) {
    return std::min(termCap, v);
}

// Roughly how many terms expanding e gives (saturating); the terms inside function arguments,
// which are expanded too, are added to `inside`.
double expandedTerms(const ex& e, double& inside) {
    constexpr double cap = termCap;
    if (is_a<add>(e) || is_a<mul>(e)) {
        const bool sum = is_a<add>(e);
        double n = sum ? 0 : 1;
        for (std::size_t i = 0; i < e.nops(); ++i) {
            double t = expandedTerms(e.op(i), inside);
            n = std::min(cap, sum ? n + t : n * t);
        }
        return n;
    }
    if (is_a<power>(e)) {
        double t = expandedTerms(e.op(0), inside);
        if (t <= 1 || !is_a<numeric>(e.op(1)) || !ex_to<numeric>(e.op(1)).is_integer()) return t;
        // terms of a multinomial power: C(t+k-1, k)
        double k = std::abs(ex_to<numeric>(e.op(1)).to_double()), n = 1;
        for (double i = 1; i <= k && n < cap; ++i) n = n * (t + i - 1) / i;
        return std::min(cap, n);
    }
    for (std::size_t i = 0; i < e.nops(); ++i)
        inside = std::min(cap, inside + expandedTerms(e.op(i), inside));
    return 1;
}

// Roughly how many terms numerator and denominator get when e is brought to a common
// denominator (saturating; gcds ignored).
struct Fraction {
    double num, den;
};
Fraction fractionTerms(const ex& e, double& inside) {
    constexpr double cap = termCap;
    auto clamp = clampTerms;
    if (is_a<add>(e)) {
        Fraction f{0, 1};
        for (std::size_t i = 0; i < e.nops(); ++i) {
            Fraction t = fractionTerms(e.op(i), inside);
            f = Fraction{clamp(f.num * t.den + t.num * f.den), clamp(f.den * t.den)};
        }
        return f;
    }
    if (is_a<mul>(e)) {
        Fraction f{1, 1};
        for (std::size_t i = 0; i < e.nops(); ++i) {
            Fraction t = fractionTerms(e.op(i), inside);
            f = Fraction{clamp(f.num * t.num), clamp(f.den * t.den)};
        }
        return f;
    }
    if (is_a<power>(e) && is_a<numeric>(e.op(1)) && ex_to<numeric>(e.op(1)).is_integer()) {
        Fraction b = fractionTerms(e.op(0), inside);
        const numeric& n = ex_to<numeric>(e.op(1));
        double k = std::abs(n.to_double());
        auto multinomial = [&](double t) {
            double r = 1;
            for (double i = 1; i <= k && r < cap; ++i) r = r * (t + i - 1) / i;
            return clamp(t <= 1 ? 1 : r);
        };
        Fraction f{multinomial(b.num), multinomial(b.den)};
        return n.is_negative() ? Fraction{f.den, f.num} : f;
    }
    for (std::size_t i = 0; i < e.nops(); ++i) {
        Fraction t = fractionTerms(e.op(i), inside);
        inside = clamp(inside + t.num + t.den);
    }
    return {1, 1};
}

} // namespace

bool cheapToNormalise(const ex& e, double maxTerms) {
    if (!cheapToRewrite(e)) return false;
    double inside = 0;
    Fraction f = fractionTerms(e, inside);
    return f.num + f.den + inside <= maxTerms;
}

bool cheapToRewrite(const ex& e) {
    if (treeSize(e, 400) > 400 || !smallNumbers(e)) return false;
    double inside = 0;
    return expandedTerms(e, inside) + inside <= 2000;
}

std::size_t treeSize(const ex& e, std::size_t cap) {
    std::size_t n = 0;
    for (const_preorder_iterator it = e.preorder_begin(); it != e.preorder_end(); ++it)
        if (++n > cap) break;
    return n;
}

std::optional<std::string> writeText(const ex& e, const symbol& var, bool decimals,
                                     std::size_t maxLen) {
    try {
        return Writer(var, decimals, maxLen).write(e);
    } catch (const TooLong&) {
        return std::nullopt;
    } catch (const NotWritable&) {
        return std::nullopt;
    }
}

std::optional<std::string> writeSimplest(const ex& e, const symbol& var, bool decimals,
                                         std::size_t maxLen) {
    std::vector<ex> forms;
    if (cheapToRewrite(e)) forms.push_back(e.expand());
    forms.push_back(e);
    if (cheapToNormalise(e)) {
        ex nd = e.normal().numer_denom();
        ex den = nd.op(1);
        // A denominator in the variable alone factors quickly: (X-1)^2 rather than X^2-2*X+1.
        bool onlyVar = true;
        for (const_preorder_iterator it = den.preorder_begin(); it != den.preorder_end(); ++it)
            if ((is_a<symbol>(*it) && !it->is_equal(var)) || is_a<function>(*it) ||
                is_a<constant>(*it))
                onlyVar = false;
        if (onlyVar && treeSize(den, 100) <= 100) den = factor(den);
        forms.push_back(nd.op(0).expand() / den);
    }
    std::optional<std::string> best;
    for (const ex& f : forms) {
        std::optional<std::string> t = writeText(f, var, decimals, maxLen);
        if (t && (!best || t->size() < best->size())) best = t;
    }
    return best;
}

} // namespace orvsym
