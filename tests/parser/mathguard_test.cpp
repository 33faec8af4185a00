// The math-error policy: CORRldERR, Corr_matherrl, SetFPError and the corr_* wrappers
// of the suite.
#include "vdparser.h"

#include <gtest/gtest.h>

#include <cfenv>
#include <cfloat>
#include <cmath>
#include <cstdlib>
#include <cstring>

namespace {

// The C library's functions at run time (a constant argument would be folded by the compiler,
// which rounds differently from the library).
long double V(long double x) {
    volatile long double v = x;
    return v;
}

_exceptionl Record(int type, const char* name) {
    _exceptionl e;
    e.type = type;
    e.name = name;
    e.arg1 = 0;
    e.arg2 = 0;
    e.retval = 42;
    return e;
}

} // namespace

TEST(MathGuard, CorrldErrIsHugeVall) {
    EXPECT_EQ(CORRldERR, HUGE_VALL); // statically, before any SetFPError
    SetFPError(false);
    EXPECT_EQ(CORRldERR, HUGE_VALL);
    EXPECT_EQ(GetCORRldERR(), HUGE_VALL);
    EXPECT_TRUE(std::isinf(GetCORRldERR()));
    EXPECT_GT(GetCORRldERR(), 0);
}

TEST(MathGuard, CorrMatherrlTable) {
    struct Row {
        int type;
        const char* names[6];
    };
    const Row handled[] = {
        {VD_DOMAIN, {"powl", "acosl", "asinl", "logl", "log10l", "sqrtl"}},
        {VD_SING, {"acosl", "asinl", "logl", "log10l", nullptr, nullptr}},
        {VD_OVERFLOW, {"logl", "expl", "powl", nullptr, nullptr, nullptr}},
        {VD_UNDERFLOW, {"expl", "powl", nullptr, nullptr, nullptr, nullptr}},
        {VD_TLOSS, {"cosl", "sinl", "tanl", nullptr, nullptr, nullptr}},
    };
    const char* all[] = {"powl", "acosl", "asinl", "logl",  "log10l", "sqrtl", "expl",
                         "cosl", "sinl",  "tanl",  "sinhl", "atanl",  "pow",   "sqrt"};
    for (const Row& row : handled) {
        for (const char* name : all) {
            bool listed = false;
            for (const char* n : row.names)
                if (n && std::strcmp(n, name) == 0) listed = true;
            _exceptionl e = Record(row.type, name);
            EXPECT_EQ(Corr_matherrl(&e), listed ? 1 : 0) << row.type << " " << name;
            EXPECT_EQ(e.retval, listed ? CORRldERR : 42.0L) << row.type << " " << name;
        }
    }
    for (int type : {0, int(VD_PLOSS), 7, -1}) {
        _exceptionl e = Record(type, "sinl");
        EXPECT_EQ(Corr_matherrl(&e), 0);
        EXPECT_EQ(e.retval, 42.0L);
    }
    _exceptionl e = Record(VD_DOMAIN, nullptr);
    EXPECT_EQ(Corr_matherrl(&e), 0);
    EXPECT_EQ(Corr_matherrl(nullptr), 0);
}

TEST(MathGuard, Sqrt) {
    EXPECT_EQ(corr_sqrtl(4), 2.0L);
    EXPECT_EQ(corr_sqrtl(0), 0.0L);
    EXPECT_EQ(corr_sqrtl(2), sqrtl(V(2)));
    EXPECT_EQ(corr_sqrtl(-1), CORRldERR);
    EXPECT_EQ(corr_sqrtl(-1e-4000L), CORRldERR);
    EXPECT_EQ(corr_sqrtl(NAN), CORRldERR);
}

TEST(MathGuard, Logarithms) {
    EXPECT_EQ(corr_logl(1), 0.0L);
    EXPECT_EQ(corr_logl(10), logl(V(10)));
    EXPECT_EQ(corr_logl(0), CORRldERR);
    EXPECT_EQ(corr_logl(-0.0L), CORRldERR);
    EXPECT_EQ(corr_logl(-1), CORRldERR);
    EXPECT_EQ(corr_log10l(1000), log10l(V(1000)));
    EXPECT_EQ(corr_log10l(0), CORRldERR);
    EXPECT_EQ(corr_log10l(-5), CORRldERR);
    EXPECT_EQ(corr_logl(LDBL_TRUE_MIN), logl(V(LDBL_TRUE_MIN)));
}

TEST(MathGuard, Exp) {
    EXPECT_EQ(corr_expl(0), 1.0L);
    EXPECT_EQ(corr_expl(1), expl(V(1)));
    EXPECT_EQ(corr_expl(11356), expl(V(11356)));
    EXPECT_EQ(corr_expl(11357), CORRldERR);        // overflow
    EXPECT_EQ(corr_expl(-11355), expl(V(-11355))); // still a normal number
    EXPECT_EQ(corr_expl(-11400), CORRldERR);       // underflow into the subnormals
    EXPECT_EQ(corr_expl(-12000), CORRldERR);       // underflow to 0
    EXPECT_EQ(corr_expl(-HUGE_VALL), 0.0L);        // exact limit, no failure
    EXPECT_EQ(corr_expl(NAN), CORRldERR);
}

TEST(MathGuard, Pow) {
    EXPECT_EQ(corr_powl(2, 10), 1024.0L);
    EXPECT_EQ(corr_powl(-2, 3), -8.0L);
    EXPECT_EQ(corr_powl(-8, 2), 64.0L);
    EXPECT_EQ(corr_powl(4, 0.5L), 2.0L);
    EXPECT_EQ(corr_powl(0, 0), 1.0L);
    EXPECT_EQ(corr_powl(0, 3), 0.0L);
    EXPECT_EQ(corr_powl(2, -1), 0.5L);
    EXPECT_EQ(corr_powl(-8, 1.0L / 3), CORRldERR); // domain
    EXPECT_EQ(corr_powl(-1, 0.5L), CORRldERR);
    EXPECT_EQ(corr_powl(0, -1), CORRldERR);       // singularity
    EXPECT_EQ(corr_powl(-0.0L, -3), CORRldERR);   // would be minus infinity
    EXPECT_EQ(corr_powl(10, 5000), CORRldERR);    // overflow
    EXPECT_EQ(corr_powl(-10, 5001), CORRldERR);   // overflow to minus infinity
    EXPECT_EQ(corr_powl(10, -5000), CORRldERR);   // underflow
    EXPECT_EQ(corr_powl(2, -16400), CORRldERR);   // subnormal result: underflow
    EXPECT_EQ(corr_powl(2, -16382), 0x1p-16382L); // the smallest normal number: fine
    EXPECT_EQ(corr_powl(1e-3000L, 2), CORRldERR);
    EXPECT_EQ(corr_powl(1, 1e30L), 1.0L);
    EXPECT_EQ(corr_powl(2, -HUGE_VALL), 0.0L); // exact limit, not an underflow
}

TEST(MathGuard, Trigonometric) {
    EXPECT_EQ(corr_sinl(0), 0.0L);
    EXPECT_EQ(corr_sinl(1), sinl(V(1)));
    EXPECT_EQ(corr_cosl(1), cosl(V(1)));
    EXPECT_EQ(corr_tanl(1), tanl(V(1)));
    EXPECT_EQ(corr_sinl(1e18L), sinl(V(1e18L)));
    EXPECT_EQ(corr_sinl(nextafterl(0x1p63L, 0)), sinl(V(nextafterl(0x1p63L, 0))));
    for (long double x : {0x1p63L, -0x1p63L, 1e30L, HUGE_VALL, -HUGE_VALL, (long double)NAN}) {
        EXPECT_EQ(corr_sinl(x), CORRldERR);
        EXPECT_EQ(corr_cosl(x), CORRldERR);
        EXPECT_EQ(corr_tanl(x), CORRldERR);
    }
    // Near a pole tan stays a large finite value.
    const long double t = corr_tanl(1.5707963267948966192L);
    EXPECT_TRUE(std::isfinite(t));
    EXPECT_GT(fabsl(t), 1e18L);
}

TEST(MathGuard, InverseTrigonometric) {
    EXPECT_EQ(corr_asinl(1), asinl(V(1)));
    EXPECT_EQ(corr_acosl(-1), acosl(V(-1)));
    EXPECT_EQ(corr_asinl(0.5L), asinl(V(0.5L)));
    EXPECT_EQ(corr_asinl(1.0000001L), CORRldERR);
    EXPECT_EQ(corr_acosl(-2), CORRldERR);
    EXPECT_EQ(corr_acosl(NAN), CORRldERR);
}

// SetFPError's first call in a fresh process: a death test in "threadsafe" style re-runs the
// test binary for just this test, so the first-call flag is still pending there.
TEST(MathGuardDeathTest, SetFPErrorMasksAndRestores) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            feenableexcept(FE_DIVBYZERO | FE_OVERFLOW);
            SetFPError(false); // first call: save, mask everything
            if (fegetexcept() != 0) std::_Exit(2);
            volatile long double zero = 0;
            volatile long double r = 1 / zero; // would trap without the mask
            long double q = 0;
            if (div_ok(1, zero, &q) || r != HUGE_VALL) std::_Exit(3);
            feenableexcept(FE_INVALID);
            SetFPError(false); // later calls do nothing
            if (fegetexcept() != FE_INVALID) std::_Exit(4);
            SetFPError(true); // restore the masks of the first call
            if (fegetexcept() != (FE_DIVBYZERO | FE_OVERFLOW)) std::_Exit(5);
            fedisableexcept(FE_ALL_EXCEPT);
            std::_Exit(0);
        },
        testing::ExitedWithCode(0), "");
}

// The guards make the first call themselves.
TEST(MathGuardDeathTest, GuardsRunTheFirstCall) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            feenableexcept(FE_OVERFLOW);
            long double r = 0;
            if (mult_ok(1e4000L, 1e4000L, &r)) std::_Exit(2); // masked by add/mult_ok's call
            if (fegetexcept() != 0) std::_Exit(3);
            std::_Exit(0);
        },
        testing::ExitedWithCode(0), "");
}

TEST(MathGuard, SetFPErrorLaterCallsAreHarmless) {
    SetFPError(false);
    SetFPError(false);
    EXPECT_EQ(CORRldERR, HUGE_VALL);
    SetFPError(true);
    SetFPError(false);
    volatile long double big = LDBL_MAX;
    volatile long double r = big * 2; // no trap
    EXPECT_EQ(r, HUGE_VALL);
}
