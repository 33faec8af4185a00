// The long double math functions with the math-error policy applied, inline for the parser's
// evaluation loop; the exported corr_* functions are the same.
#pragma once

#include "vdparser.h"

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstring>

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

// The top 128 bits of a * b, not normalised: 3 units small at most (the dropped low parts).
inline SignificandNumber SignificandProductTop(SignificandNumber a, SignificandNumber b) {
    using Wide = unsigned __int128;
    const Wide top = Wide(a.hi) * b.hi + ((Wide(a.hi) * b.lo) >> 64) + ((Wide(a.lo) * b.hi) >> 64);
    return {std::uint64_t(top >> 64), std::uint64_t(top), a.exponent + b.exponent + 128};
}

// The same, normalised (both normalised: the top bit is clear at most once).
inline SignificandNumber SignificandProduct(SignificandNumber a, SignificandNumber b) {
    using Wide = unsigned __int128;
    const SignificandNumber p = SignificandProductTop(a, b);
    const Wide top = Wide(p.hi) << 64 | p.lo;
    // Doubled where the top bit is clear: an addition under a mask, no shift by a variable.
    const int shift = int(~top >> 127);
    const Wide t = top + (top & (Wide(0) - Wide(shift)));
    return {std::uint64_t(t >> 64), std::uint64_t(t), p.exponent - shift};
}

// The significand of x as a power 1, and whether x is negative (negated when negate is set). x
// is read from stored where it is in memory, else from x: an x87 value goes through memory to
// reach the integer unit, and one written just before is slow to read back. False for zeros,
// subnormals, infinities and NaN.
inline bool ReadSignificand(long double x, const long double* stored, bool negate,
                            SignificandNumber* base, bool* negative) {
    const char* const bytes = reinterpret_cast<const char*>(stored ? stored : &x);
    std::uint64_t m;
    std::uint16_t signExponent;
    std::memcpy(&m, bytes, 8);
    std::memcpy(&signExponent, bytes + 8, 2);
    const int biased = signExponent & 0x7fff;
    if (biased == 0 || biased == 0x7fff || !(m >> 63)) return false;
    *base = {m, 0, biased - 16383 - 127};
    *negative = ((signExponent & 0x8000) != 0) != negate;
    return true;
}

// Whether the n-th power of a significand with bits significant bits is computed exactly: its at
// most n * bits bits lie within the 128 kept, even 8 bits short of normalised. Every power that
// is a tie (exactly 65 bits) is: (bits - 1) * n < 65, so n * bits < 65 + n <= 120 for n < 56,
// and a tie with a higher power has bits = 2 (an odd power of 3 needs more than 65 bits there).
inline bool ExactPower(int bits, int n) {
    return n * bits <= 120;
}

// The significant bits of a significand (up to its lowest set bit).
inline int SignificantBits(std::uint64_t m) {
    return 64 - __builtin_ctzll(m);
}

// The power (hi:lo) * 2^exponent rounded once to 64 bits, with the sign bit given: to nearest, ties
// to even where it is exact. (hi:lo) is at most 8 bits short of normalised, never 0. False where
// a truncated power is too close to a halfway point to call, and outside 2^-16000 ... 2^16000.
inline bool RoundTop(std::uint64_t hi, std::uint64_t lo, int exponent, bool exact,
                     std::uint16_t signBit, long double* out) {
    constexpr std::uint64_t kHalf = std::uint64_t(1) << 63;
    const int lead = __builtin_clzll(hi);
#if defined(__x86_64__)
    // hi:lo shifted left by lead < 64 (one instruction for what the shifts below spell out).
    __asm__("shldq %%cl, %1, %0" : "+r"(hi) : "r"(lo), "c"(lead) : "cc");
#else
    hi = hi << lead | (lo >> 1) >> (63 - lead);
#endif
    lo <<= lead;
    if (!exact && lo - (kHalf - 4096) < 8192) return false;
    const bool up = lo > kHalf || (lo == kHalf && (hi & 1));
    std::uint64_t q = hi + std::uint64_t(up);
    int scale = exponent - lead + 64; // the power is q * 2^scale
    if (q == 0) {                     // rounded up to the next power of 2
        q = kHalf;
        ++scale;
    }
    if (scale + 63 < -16000 || scale + 63 > 16000) return false;
    // The bits of the long double q * 2^scale: q is its significand as it stands.
    const std::uint16_t signExponent = std::uint16_t((scale + 63 + 16383) | signBit);
    char* const bytes = reinterpret_cast<char*>(out);
    std::memcpy(bytes, &q, 8);
    std::memcpy(bytes + 8, &signExponent, 2);
    return true;
}

inline bool RoundSignificand(const SignificandNumber& r, bool exact, bool negative,
                             long double* out) {
    return RoundTop(r.hi, r.lo, r.exponent, exact, negative ? 0x8000 : 0, out);
}

// The top 128 bits of the powers 2 ... top (top <= 8) of a significand m, at most 8 bits short
// of normalised, in registers as far as they go: power k is (hi[k]:lo[k]) * 2^(k * e + 128 *
// (k - 1)) for m * 2^e (each of the k - 1 products adds 128).
inline void SmallSignificandPowers(std::uint64_t m, int top, std::uint64_t* hi, std::uint64_t* lo) {
    using Wide = unsigned __int128;
    const auto high = [](Wide w) { return std::uint64_t(w >> 64); };
    // (ah:al) * (bh:bl), top 128 bits
    const auto product = [&](std::uint64_t ah, std::uint64_t al, std::uint64_t bh,
                             std::uint64_t bl) {
        return Wide(ah) * bh + high(Wide(ah) * bl) + high(Wide(al) * bh);
    };
    const auto square = [&](std::uint64_t ah, std::uint64_t al) {
        const std::uint64_t cross = high(Wide(ah) * al);
        return Wide(ah) * ah + cross + cross;
    };
    const auto put = [&](int k, Wide p) {
        hi[k] = high(p);
        lo[k] = std::uint64_t(p);
    };
    const Wide p2 = Wide(m) * m;
    put(2, p2);
    put(3, Wide(m) * hi[2] + high(Wide(m) * lo[2]));
    put(4, square(hi[2], lo[2]));
    if (top >= 5) put(5, product(hi[2], lo[2], hi[3], lo[3]));
    if (top >= 6) put(6, square(hi[3], lo[3]));
    if (top >= 7) put(7, product(hi[3], lo[3], hi[4], lo[4]));
    if (top >= 8) put(8, square(hi[4], lo[4]));
}

// x^n for 4 <= n <= 64 from the 64-bit significand: its powers by squaring, rounded once to 64
// bits. stored and negate as for ReadSignificand. False where ReadSignificand or
// RoundSignificand is: the two-word power decides there. Where it answers, it is the correctly
// rounded power.
inline bool SignificandPower(long double x, const long double* stored, bool negate, int n,
                             long double* out) {
    SignificandNumber base, r{};
    bool negative;
    if (!ReadSignificand(x, stored, negate, &base, &negative)) return false;
    const int bits = SignificantBits(base.hi);
    bool first = true;
    for (unsigned k = unsigned(n); k;) {
        if (k & 1) {
            r = first ? base : SignificandProduct(r, base);
            first = false;
        }
        k >>= 1;
        if (k) base = SignificandProduct(base, base);
    }
    return RoundSignificand(r, ExactPower(bits, n), negative && (n & 1), out);
}

// The significand's powers 1 ... top (top <= 64) of one base at once, for a text with several
// powers of it: power k is the product of powers k / 2 and k - k / 2, so that none is more than
// six products deep and the truncation stays far inside RoundSignificand's margin.
inline void SignificandPowers(SignificandNumber base, int top, SignificandNumber* powers) {
    powers[1] = base;
    for (int k = 2; k <= top; ++k) powers[k] = SignificandProduct(powers[k / 2], powers[k - k / 2]);
}

// x^n for 4 <= |n| <= 64 by squaring in two-word arithmetic, rounded once at the end.
inline long double TwoWordPower(long double x, int n) {
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

// x^n for 4 <= |n| <= 64, rounded once: for positive exponents the integer power above where it
// answers, else by squaring in two-word arithmetic (the same value where both answer). stored
// and negate as for SignificandPower. Only for results between 2^-16000 and 2^16000 (callers
// check and fall back to powl outside).
inline long double ExactIntegerPower(long double x, int n, const long double* stored = nullptr,
                                     bool negate = false) {
    long double p;
    if (n > 0 && SignificandPower(x, stored, negate, n, &p)) return p;
    return TwoWordPower(x, n);
}

} // namespace vdp
