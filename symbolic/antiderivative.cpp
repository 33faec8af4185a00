// Antiderivatives by the rules of school mathematics: linearity, powers, the elementary functions
// of an inner function whose derivative divides the rest ("substitution"), polynomials times
// exp/sin/cos (integration by parts), rational functions with a denominator of degree one or
// two. Every result is differentiated back and compared before it is handed out.
#include "symbolic_core.h"

#include <array>
#include <cmath>
#include <limits>
#include <map>

using namespace GiNaC;

namespace orvsym {
namespace {

constexpr int maxDepth = 6;
constexpr int maxPartsDegree = 12;

bool isConstant(const ex& e, const symbol& x) {
    return !e.has(x);
}

bool isRationalNumber(const ex& e) {
    return is_a<numeric>(e) && ex_to<numeric>(e).is_rational();
}

// A polynomial in x whose coefficients are free of x, of degree at most maxDegree.
bool isPolynomial(const ex& e, const symbol& x, int maxDegree) {
    try {
        return e.is_polynomial(x) && e.degree(x) <= maxDegree;
    } catch (...) {
        return false;
    }
}

class Integrator {
public:
    explicit Integrator(const symbol& x) : x_(x) {}

    std::optional<ex> integrate(const ex& f, int depth) {
        if (depth > maxDepth) return std::nullopt;
        if (isConstant(f, x_)) return f * x_;
        if (is_a<add>(f)) {
            ex sum = 0;
            bool all = true;
            for (std::size_t i = 0; i < f.nops() && all; ++i) {
                auto part = integrate(f.op(i), depth + 1);
                if (part)
                    sum += *part;
                else
                    all = false;
            }
            if (all) return sum;
            return rewritten(f, depth);
        }
        // Constant factors stay in front.
        ex constant = 1, rest = 1;
        std::vector<ex> factors;
        if (is_a<mul>(f)) {
            for (std::size_t i = 0; i < f.nops(); ++i) {
                if (isConstant(f.op(i), x_))
                    constant *= f.op(i);
                else
                    factors.push_back(f.op(i));
            }
        } else {
            factors.push_back(f);
        }
        if (!constant.is_equal(1)) {
            auto part = integrate(f / constant, depth + 1);
            if (part) return constant * *part;
            return std::nullopt;
        }
        for (std::size_t i = 0; i < factors.size(); ++i) {
            ex others = 1;
            for (std::size_t j = 0; j < factors.size(); ++j)
                if (j != i) others *= factors[j];
            if (auto r = substitution(factors[i], others)) return r;
        }
        if (auto r = byParts(factors, depth)) return r;
        if (auto r = rationalFunction(f, depth)) return r;
        return rewritten(f, depth);
    }

private:
    // f expanded, when that changes it and is cheap ((x+1)*(x-1), (x^2+1)/x).
    std::optional<ex> rewritten(const ex& f, int depth) {
        if (!cheapToRewrite(f)) return std::nullopt;
        ex g = f.expand();
        if (g.is_equal(f) || treeSize(g, 400) > 400) return std::nullopt;
        return integrate(g, depth + 1);
    }

    // The antiderivative G of the outer function of h at its inner function u, so that the
    // integral of h*others is q*G(u) when others = q*u' with q constant.
    std::optional<ex> substitution(const ex& h, const ex& others) {
        ex u;
        if (std::optional<ex> G = outerAntiderivative(h, u))
            if (auto q = constantQuotient(others, u)) return *q * *G;
        // sin(u)^2 = (1-cos(2u))/2 and cos(u)^2 = (1+cos(2u))/2
        if (is_a<power>(h) && h.op(1).is_equal(2) &&
            (is_ex_the_function(h.op(0), sin) || is_ex_the_function(h.op(0), cos))) {
            u = h.op(0).op(0);
            ex half = sin(2 * u) / 4;
            ex G = is_ex_the_function(h.op(0), sin) ? u / 2 - half : u / 2 + half;
            if (auto q = constantQuotient(others, u)) return *q * G;
        }
        // h itself as the inner function: h*h' integrates to h^2/2 (LN(X)/X, SIN(X)*COS(X)).
        if (is_a<function>(h))
            if (auto q = constantQuotient(others, h)) return *q * pow(h, 2) / 2;
        return std::nullopt;
    }

    // others/u' when that is free of x.
    std::optional<ex> constantQuotient(const ex& others, const ex& u) {
        ex du = u.diff(x_);
        if (du.is_zero()) return std::nullopt;
        ex q = others / du;
        if (!isConstant(q, x_)) {
            // Tried for every factor of every term: only small quotients are worth a gcd.
            if (!cheapToNormalise(q, 60)) return std::nullopt;
            q = q.normal();
        }
        if (!isConstant(q, x_)) return std::nullopt;
        return q;
    }

    std::optional<ex> outerAntiderivative(const ex& h, ex& u) {
        const CustomFunctions& c = customFunctions();
        if (h.is_equal(x_)) {
            u = x_;
            return pow(x_, 2) / 2;
        }
        if (is_a<power>(h)) {
            const ex& base = h.op(0);
            const ex& n = h.op(1);
            if (isConstant(n, x_)) {
                u = base;
                if (n.is_equal(-1)) return log(call(c.abs, u));
                return pow(u, n + 1) / (n + 1);
            }
            if (isConstant(base, x_)) {
                u = n;
                return pow(base, u) / log(base);
            }
            return std::nullopt;
        }
        if (!is_a<function>(h) || h.nops() != 1) return std::nullopt;
        u = h.op(0);
        const unsigned s = ex_to<function>(h).get_serial();
        if (is_ex_the_function(h, exp)) return exp(u);
        if (is_ex_the_function(h, sin)) return -cos(u);
        if (is_ex_the_function(h, cos)) return sin(u);
        if (is_ex_the_function(h, tan)) return -log(call(c.abs, cos(u)));
        if (is_ex_the_function(h, sinh)) return cosh(u);
        if (is_ex_the_function(h, cosh)) return sinh(u);
        if (is_ex_the_function(h, tanh)) return log(cosh(u));
        if (is_ex_the_function(h, log)) return u * log(u) - u;
        if (is_ex_the_function(h, atan)) return u * atan(u) - log(1 + pow(u, 2)) / 2;
        if (is_ex_the_function(h, asin)) return u * asin(u) + sqrt(1 - pow(u, 2));
        if (is_ex_the_function(h, acos)) return u * acos(u) - sqrt(1 - pow(u, 2));
        if (s == c.cot) return log(call(c.abs, sin(u)));
        if (s == c.coth) return log(call(c.abs, sinh(u)));
        if (s == c.acot) return u * call(c.acot, u) + log(1 + pow(u, 2)) / 2;
        if (s == c.lg) return (u * log(u) - u) / log(ex(10));
        if (s == c.abs) return u * call(c.abs, u) / 2;
        if (s == c.sign) return call(c.abs, u);
        return std::nullopt;
    }

    // Integration by parts of p(x)*h(ax+b) with a polynomial p.
    std::optional<ex> byParts(const std::vector<ex>& factors, int depth) {
        if (factors.size() < 2) return std::nullopt;
        for (std::size_t i = 0; i < factors.size(); ++i) {
            const ex& h = factors[i];
            ex u, a;
            if (is_a<function>(h) && h.nops() == 1) {
                u = h.op(0);
                a = u.diff(x_);
            } else if (is_a<power>(h) && isConstant(h.op(0), x_)) {
                // b^u = exp(u*ln(b))
                u = h.op(1);
                a = u.diff(x_) * log(h.op(0));
            } else {
                continue;
            }
            if (a.is_zero() || !isConstant(a, x_)) continue;
            ex p = 1;
            for (std::size_t j = 0; j < factors.size(); ++j)
                if (j != i) p *= factors[j];
            if (!cheapToRewrite(p)) continue;
            p = p.expand();
            if (!isPolynomial(p, x_, maxPartsDegree)) continue;
            if (auto r =
                    is_ex_the_function(h, log) ? timesLog(p, u, a, depth) : timesCyclic(h, p, u, a))
                return r;
        }
        return std::nullopt;
    }

    // p*h(u) for h = exp, sin, cos, sinh, cosh: differentiating p down to zero.
    std::optional<ex> timesCyclic(const ex& h, const ex& p, const ex& u, const ex& a) {
        // The k-th antiderivative of the outer function (up to powers of 1/a).
        std::array<ex, 4> cycle;
        if (is_ex_the_function(h, exp) || is_a<power>(h))
            cycle = {h, h, h, h};
        else if (is_ex_the_function(h, sin))
            cycle = {-cos(u), -sin(u), cos(u), sin(u)};
        else if (is_ex_the_function(h, cos))
            cycle = {sin(u), -cos(u), -sin(u), cos(u)};
        else if (is_ex_the_function(h, sinh))
            cycle = {cosh(u), sinh(u), cosh(u), sinh(u)};
        else if (is_ex_the_function(h, cosh))
            cycle = {sinh(u), cosh(u), sinh(u), cosh(u)};
        else
            return std::nullopt;
        ex sum = 0, derivative = p;
        for (int k = 0; !derivative.is_zero(); ++k) {
            ex sign = k % 2 == 0 ? 1 : -1;
            sum += sign * derivative * cycle[k % 4] / pow(a, k + 1);
            derivative = derivative.diff(x_);
        }
        return sum;
    }

    // p*ln(u) = P*ln(u) - integral of P*a/u, with P an antiderivative of p.
    std::optional<ex> timesLog(const ex& p, const ex& u, const ex& a, int depth) {
        auto P = integrate(p, depth + 1);
        if (!P) return std::nullopt;
        auto rest = integrate(*P * a / u, depth + 1);
        if (!rest) return std::nullopt;
        return *P * log(u) - *rest;
    }

    // The integral of 1/(a*x^2+b*x+c) with numbers a, b, c.
    std::optional<ex> overQuadratic(const ex& a, const ex& b, const ex& c) {
        if (!isRationalNumber(a) || !isRationalNumber(b) || !isRationalNumber(c) || a.is_zero())
            return std::nullopt;
        numeric disc = ex_to<numeric>(b * b - 4 * a * c);
        if (disc.is_negative()) {
            ex w = sqrt(-disc);
            return 2 / w * atan((2 * a * x_ + b) / w);
        }
        if (disc.is_zero()) return -2 / (2 * a * x_ + b);
        // Two real roots: partial fractions.
        ex w = sqrt(disc);
        ex r1 = (-b + w) / (2 * a), r2 = (-b - w) / (2 * a);
        const CustomFunctions& cf = customFunctions();
        return (log(call(cf.abs, x_ - r1)) - log(call(cf.abs, x_ - r2))) / (a * (r1 - r2));
    }

    // p/q with polynomials: polynomial division, then the remainder over a denominator of
    // degree one or two.
    std::optional<ex> rationalFunction(const ex& f, int depth) {
        if (!cheapToNormalise(f)) return std::nullopt;
        ex nd = f.normal().numer_denom();
        ex p = nd.op(0).expand(), q = nd.op(1).expand();
        if (!isPolynomial(p, x_, 30) || !isPolynomial(q, x_, 2) || q.degree(x_) < 1)
            return std::nullopt;
        for (int k = 0; k <= q.degree(x_); ++k)
            if (!isRationalNumber(q.coeff(x_, k))) return std::nullopt;
        ex quotient = quo(p, q, x_), remainder = rem(p, q, x_);
        std::optional<ex> whole = quotient.is_zero() ? ex(0) : integrate(quotient, depth + 1);
        if (!whole) return std::nullopt;
        if (remainder.is_zero()) return *whole;
        const CustomFunctions& cf = customFunctions();
        if (q.degree(x_) == 1) {
            ex a = q.coeff(x_, 1);
            return *whole + remainder / a * log(call(cf.abs, q));
        }
        // remainder = A*x + B = alpha*q' + beta
        ex a = q.coeff(x_, 2), b = q.coeff(x_, 1), c = q.coeff(x_, 0);
        ex A = remainder.coeff(x_, 1), B = remainder.coeff(x_, 0);
        ex alpha = A / (2 * a), beta = B - alpha * b;
        ex result = *whole;
        if (!alpha.is_zero()) result += alpha * log(call(cf.abs, q));
        if (!beta.is_zero()) {
            auto rest = overQuadratic(a, b, c);
            if (!rest) return std::nullopt;
            result += beta * *rest;
        }
        return result;
    }

    const symbol& x_;
};

// The value of e in long double with the given values of the symbols; NaN where it is not
// defined or holds something we do not evaluate. (GiNaC's own evaluation throws at poles.)
long double valueAt(const ex& e, const std::map<ex, long double, ex_is_less>& values,
                    int depth = 0) {
    constexpr long double nan = std::numeric_limits<long double>::quiet_NaN();
    if (depth > 300) return nan;
    if (is_a<numeric>(e)) {
        const numeric& n = ex_to<numeric>(e);
        return n.is_real() ? static_cast<long double>(n.to_double()) : nan;
    }
    if (is_a<symbol>(e)) {
        auto it = values.find(e);
        return it == values.end() ? nan : it->second;
    }
    if (e.is_equal(Pi)) return std::acos(-1.0L);
    auto arg = [&](std::size_t i) { return valueAt(e.op(i), values, depth + 1); };
    if (is_a<add>(e) || is_a<mul>(e)) {
        long double v = is_a<add>(e) ? 0 : 1;
        for (std::size_t i = 0; i < e.nops(); ++i) v = is_a<add>(e) ? v + arg(i) : v * arg(i);
        return v;
    }
    if (is_a<power>(e)) return std::pow(arg(0), arg(1));
    if (!is_a<function>(e) || e.nops() != 1) return nan;
    const long double a = arg(0);
    const CustomFunctions& c = customFunctions();
    const unsigned s = ex_to<function>(e).get_serial();
    if (is_ex_the_function(e, exp)) return std::exp(a);
    if (is_ex_the_function(e, log)) return std::log(a);
    if (is_ex_the_function(e, sin)) return std::sin(a);
    if (is_ex_the_function(e, cos)) return std::cos(a);
    if (is_ex_the_function(e, tan)) return std::tan(a);
    if (is_ex_the_function(e, asin)) return std::asin(a);
    if (is_ex_the_function(e, acos)) return std::acos(a);
    if (is_ex_the_function(e, atan)) return std::atan(a);
    if (is_ex_the_function(e, sinh)) return std::sinh(a);
    if (is_ex_the_function(e, cosh)) return std::cosh(a);
    if (is_ex_the_function(e, tanh)) return std::tanh(a);
    if (is_ex_the_function(e, asinh)) return std::asinh(a);
    if (is_ex_the_function(e, acosh)) return std::acosh(a);
    if (is_ex_the_function(e, atanh)) return std::atanh(a);
    if (s == c.abs) return std::fabs(a);
    if (s == c.sign) return a > 0 ? 1 : a < 0 ? -1 : 0;
    if (s == c.cot) return 1 / std::tan(a);
    if (s == c.acot) return std::acos(-1.0L) / 2 - std::atan(a);
    if (s == c.coth) return 1 / std::tanh(a);
    if (s == c.arcoth) return std::atanh(1 / a);
    if (s == c.lg) return std::log10(a);
    return nan;
}

// Whether d equals f at a few sample points (values for every symbol), where both are defined.
bool agreesNumerically(const ex& d, const ex& f, const symbol& x) {
    static const std::array<long double, 8> points{0.37L, 1.23L, 2.71L, -0.61L,
                                                   -1.9L, 4.2L,  0.83L, -3.3L};
    std::map<ex, long double, ex_is_less> values;
    for (const ex* e : {&d, &f})
        for (const_preorder_iterator it = e->preorder_begin(); it != e->preorder_end(); ++it)
            if (is_a<symbol>(*it) && !it->is_equal(x))
                values.emplace(*it, 0.5L + 0.25L * static_cast<long double>(values.size()));
    int checked = 0;
    for (long double point : points) {
        values[x] = point;
        const long double a = valueAt(d, values), b = valueAt(f, values);
        if (!std::isfinite(a) || !std::isfinite(b)) continue; // a pole or outside the domain
        if (std::fabs(a - b) > 1e-9L * (1 + std::fabs(b))) return false;
        ++checked;
    }
    return checked >= 2;
}

} // namespace

std::optional<ex> antiderivative(const ex& f, const symbol& x) {
    std::optional<ex> F = Integrator(x).integrate(f, 0);
    if (!F) return std::nullopt;
    ex difference = F->diff(x) - f;
    if (cheapToNormalise(difference)) {
        try {
            if (difference.normal().is_zero()) return F;
        } catch (...) {
        }
    }
    if (agreesNumerically(F->diff(x), f, x)) return F;
    return std::nullopt;
}

} // namespace orvsym
