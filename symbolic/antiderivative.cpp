// Antiderivatives by the rules of school mathematics: linearity, powers, the elementary functions
// of an inner function whose derivative divides the rest ("substitution"), polynomials times
// exp/sin/cos (integration by parts), rational functions with a denominator of degree one or
// two. Every result is differentiated back and compared before it is handed out.
#include "symbolic_core.h"

#include <array>

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
        if (auto r = byParts(factors)) return r;
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
        std::optional<ex> G = outerAntiderivative(h, u);
        if (!G) return std::nullopt;
        ex du = u.diff(x_);
        if (du.is_zero()) return std::nullopt;
        ex q = (others / du).normal();
        if (!isConstant(q, x_)) return std::nullopt;
        return q * *G;
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

    // p(x)*exp(ax+b), p(x)*sin(ax+b), p(x)*cos(ax+b), also sinh/cosh: repeated integration by
    // parts, differentiating the polynomial down to zero.
    std::optional<ex> byParts(const std::vector<ex>& factors) {
        if (factors.size() < 2) return std::nullopt;
        for (std::size_t i = 0; i < factors.size(); ++i) {
            const ex& h = factors[i];
            if (!is_a<function>(h) || h.nops() != 1) continue;
            ex u = h.op(0);
            ex a = u.diff(x_);
            if (a.is_zero() || !isConstant(a, x_)) continue;
            ex p = 1;
            for (std::size_t j = 0; j < factors.size(); ++j)
                if (j != i) p *= factors[j];
            p = p.expand();
            if (!isPolynomial(p, x_, maxPartsDegree)) continue;
            // The k-th antiderivative of the outer function (up to powers of 1/a).
            std::array<ex, 4> cycle;
            if (is_ex_the_function(h, exp))
                cycle = {exp(u), exp(u), exp(u), exp(u)};
            else if (is_ex_the_function(h, sin))
                cycle = {-cos(u), -sin(u), cos(u), sin(u)};
            else if (is_ex_the_function(h, cos))
                cycle = {sin(u), -cos(u), -sin(u), cos(u)};
            else if (is_ex_the_function(h, sinh))
                cycle = {cosh(u), sinh(u), cosh(u), sinh(u)};
            else if (is_ex_the_function(h, cosh))
                cycle = {sinh(u), cosh(u), sinh(u), cosh(u)};
            else
                continue;
            ex sum = 0, derivative = p;
            for (int k = 0; !derivative.is_zero(); ++k) {
                ex sign = k % 2 == 0 ? 1 : -1;
                sum += sign * derivative * cycle[k % 4] / pow(a, k + 1);
                derivative = derivative.diff(x_);
            }
            return sum;
        }
        return std::nullopt;
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
        if (!cheapToRewrite(f)) return std::nullopt;
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

// Whether d equals f at a few sample points (values for every symbol), where both are real.
bool agreesNumerically(const ex& d, const ex& f, const symbol& x) {
    static const std::array<double, 8> points{0.37, 1.23, 2.71, -0.61, -1.9, 4.2, 0.83, -3.3};
    exset symbols;
    for (const_preorder_iterator it = f.preorder_begin(); it != f.preorder_end(); ++it)
        if (is_a<symbol>(*it)) symbols.insert(*it);
    int checked = 0;
    for (std::size_t k = 0; k < points.size(); ++k) {
        lst subs;
        subs.append(x == points[k]);
        int n = 1;
        for (const ex& s : symbols)
            if (!s.is_equal(x)) subs.append(s == 0.5 + 0.25 * n++);
        try {
            ex a = evalf(d.subs(subs)), b = evalf(f.subs(subs));
            if (!is_a<numeric>(a) || !is_a<numeric>(b)) continue;
            const numeric &na = ex_to<numeric>(a), &nb = ex_to<numeric>(b);
            if (!na.is_real() || !nb.is_real()) continue;
            double va = na.to_double(), vb = nb.to_double();
            if (std::abs(va - vb) > 1e-9 * (1 + std::abs(vb))) return false;
            ++checked;
        } catch (...) {
            continue; // a pole or a domain error at this point
        }
    }
    return checked >= 2;
}

} // namespace

std::optional<ex> antiderivative(const ex& f, const symbol& x) {
    std::optional<ex> F = Integrator(x).integrate(f, 0);
    if (!F) return std::nullopt;
    ex difference = F->diff(x) - f;
    if (cheapToRewrite(difference)) {
        try {
            if (difference.normal().is_zero()) return F;
        } catch (...) {
        }
    }
    if (agreesNumerically(F->diff(x), f, x)) return F;
    return std::nullopt;
}

} // namespace orvsym
