// The long double math functions with the math-error policy applied, inline for the parser's
// evaluation loop; the exported corr_* functions are the same.
#pragma once

#include <cfloat>
#include <cmath>

namespace vdp {

constexpr long double kTwoPow63 = 9223372036854775808.0L; // 2^63

inline long double GuardedSqrtl(long double x) {
    if (__builtin_expect(!(x >= 0), 0)) return HUGE_VALL; // domain (x < 0 or NaN)
    return sqrtl(x);
}

inline long double GuardedLogl(long double x) {
    if (__builtin_expect(!(x > 0), 0)) return HUGE_VALL; // 0: singularity; < 0, NaN: domain
    return logl(x);
}

inline long double GuardedLog10l(long double x) {
    if (__builtin_expect(!(x > 0), 0)) return HUGE_VALL;
    return log10l(x);
}

inline long double GuardedExpl(long double x) {
    const long double r = expl(x);
    // Overflow (an infinite result) or underflow (0 or subnormal) of a finite argument;
    // expl(-inf) = 0 and expl(+inf) = inf are exact, expl(NaN) is a domain failure.
    if (__builtin_expect(!(r >= LDBL_MIN && r <= LDBL_MAX), 0)) {
        if (x == -HUGE_VALL) return 0.0L;
        return HUGE_VALL;
    }
    return r;
}

inline long double GuardedPowl(long double x, long double y) {
    const long double r = powl(x, y);
    const long double a = fabsl(r);
    if (__builtin_expect(a >= LDBL_MIN && a <= LDBL_MAX, 1)) return r;
    // Rare cases: zero, subnormal, infinite or NaN result.
    if (r != r) return HUGE_VALL;             // domain: negative base, non-integer exponent
    if (x == 0) return y < 0 ? HUGE_VALL : r; // 0 to a negative power: singularity
    const bool finiteArgs = std::isfinite(x) && std::isfinite(y);
    if (!finiteArgs) return r; // exact limits such as 2^-inf = 0, inf^2 = inf
    return HUGE_VALL;          // overflow (infinite) or underflow (0 or subnormal)
}

inline long double GuardedSinl(long double x) {
    if (__builtin_expect(!(fabsl(x) < kTwoPow63), 0)) return HUGE_VALL; // total loss of precision
    return sinl(x);
}

inline long double GuardedCosl(long double x) {
    if (__builtin_expect(!(fabsl(x) < kTwoPow63), 0)) return HUGE_VALL;
    return cosl(x);
}

inline long double GuardedTanl(long double x) {
    if (__builtin_expect(!(fabsl(x) < kTwoPow63), 0)) return HUGE_VALL;
    return tanl(x);
}

inline long double GuardedAsinl(long double x) {
    if (__builtin_expect(!(fabsl(x) <= 1), 0)) return HUGE_VALL; // domain (|x| > 1 or NaN)
    return asinl(x);
}

inline long double GuardedAcosl(long double x) {
    if (__builtin_expect(!(fabsl(x) <= 1), 0)) return HUGE_VALL;
    return acosl(x);
}

// Integer powers of a compile-time exponent. powl of this libm multiplies for the exponents 2 and
// 3 (and takes the reciprocal first for -1, -2, -3), so the same products are bit-identical to
// it; for other exponents it rounds once from an exact logarithm, where plain products would
// drift by several units in the last place. There an exact product of two-word numbers (Dekker's
// splitting of the 64-bit significand into two halves) rounds once as well: the correctly rounded
// power, at most one unit in the last place from powl.

struct TwoWord {
    long double hi, lo;
};

// hi + lo == a exactly, each with at most 32 significant bits.
inline void SplitSignificand(long double a, long double* hi, long double* lo) {
    const long double c = 4294967297.0L * a; // 2^32 + 1
    *hi = c - (c - a);
    *lo = a - *hi;
}

// p + e == a * b exactly (a and b far from the ends of the range).
inline TwoWord ExactProduct(long double a, long double b) {
    const long double p = a * b;
    long double ah, al, bh, bl;
    SplitSignificand(a, &ah, &al);
    SplitSignificand(b, &bh, &bl);
    return {p, ((ah * bh - p) + ah * bl + al * bh) + al * bl};
}

inline TwoWord TwoWordProduct(TwoWord a, TwoWord b) {
    const TwoWord t = ExactProduct(a.hi, b.hi);
    const long double e = t.lo + (a.hi * b.lo + a.lo * b.hi);
    const long double s = t.hi + e;
    return {s, e - (s - t.hi)};
}

// x^n for 4 <= |n| <= 64 by squaring in two-word arithmetic, rounded once at the end. Only for
// results between 2^-16000 and 2^16000 (callers check and fall back to powl outside).
inline long double ExactIntegerPower(long double x, int n) {
    unsigned m = unsigned(n < 0 ? -n : n);
    TwoWord r{x, 0}, b{x, 0};
    bool first = true;
    while (m) {
        if (m & 1) {
            r = first ? b : TwoWordProduct(r, b);
            first = false;
        }
        m >>= 1;
        if (m) b = TwoWordProduct(b, b);
    }
    if (n > 0) return r.hi;
    // 1 / (hi + lo), with the remainder of the first quotient taken exactly.
    const long double q = 1 / r.hi;
    const TwoWord t = ExactProduct(q, r.hi);
    const long double remainder = ((1 - t.hi) - t.lo) - q * r.lo;
    return q + remainder / r.hi;
}

} // namespace vdp
