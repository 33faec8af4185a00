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

} // namespace vdp
