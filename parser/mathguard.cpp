// The math-error policy: CORRldERR, Corr_matherrl, SetFPError and the corr_*
// wrappers that apply the policy's table where the parser and the modules call the long double
// math functions (Linux has no math-error hook).
#include "fpguard.h"
#include "mathinline.h"
#include "vdparser.h"

#include <cfenv>
#include <cfloat>
#include <cmath>
#include <cstring>
#if defined(__x86_64__) || defined(__i386__)
#include <fpu_control.h>
#endif

long double CORRldERR = HUGE_VALL;

namespace vdp {
bool fpSetupPending = true;
} // namespace vdp

namespace {

bool fpSaved = false;
int fpSavedEnabled = 0;       // the exceptions that trapped at the first call (fegetexcept)
unsigned int fpSavedWord = 0; // the x87 control word at the first call

unsigned int CurrentControlWord() {
#if defined(__x86_64__) || defined(__i386__)
    fpu_control_t cw;
    _FPU_GETCW(cw);
    return static_cast<unsigned int>(cw);
#else
    return 0;
#endif
}

bool NameIs(const char* name, const char* const* list) {
    for (; *list; ++list)
        if (std::strcmp(name, *list) == 0) return true;
    return false;
}

} // namespace

// Returns the saved x87 control word (0 while nothing is saved).
unsigned int SetFPError(bool restore) {
    if (restore) {
        if (fpSaved) {
            // Only the exception masks are restored. Pending flags of exceptions that become
            // unmasked are cleared first, or the next x87 instruction would trap at once.
            feclearexcept(fpSavedEnabled);
            fedisableexcept(FE_ALL_EXCEPT & ~fpSavedEnabled);
            if (fpSavedEnabled) feenableexcept(fpSavedEnabled);
        }
        return fpSavedWord;
    }
    if (!vdp::fpSetupPending) return fpSavedWord;
    vdp::fpSetupPending = false;
    fpSavedEnabled = fegetexcept();
    fpSavedWord = CurrentControlWord();
    fpSaved = true;
    fedisableexcept(FE_ALL_EXCEPT); // x87 and SSE: overflow and division by zero give infinities
    CORRldERR = HUGE_VALL;
    return fpSavedWord;
}

long double GetCORRldERR() {
    return CORRldERR;
}

int Corr_matherrl(_exceptionl* e) {
    SetFPError(false);
    if (!e || !e->name) return 0;
    static const char* const domain[] = {"powl",   "acosl", "asinl", "logl",
                                         "log10l", "sqrtl", nullptr};
    static const char* const sing[] = {"acosl", "asinl", "logl", "log10l", nullptr};
    static const char* const overflow[] = {"logl", "expl", "powl", nullptr};
    static const char* const underflow[] = {"expl", "powl", nullptr};
    static const char* const tloss[] = {"cosl", "sinl", "tanl", nullptr};
    const char* const* list = nullptr;
    switch (e->type) {
    case VD_DOMAIN:
        list = domain;
        break;
    case VD_SING:
        list = sing;
        break;
    case VD_OVERFLOW:
        list = overflow;
        break;
    case VD_UNDERFLOW:
        list = underflow;
        break;
    case VD_TLOSS:
        list = tloss;
        break;
    default:
        return 0;
    }
    if (!NameIs(e->name, list)) return 0;
    e->retval = CORRldERR;
    return 1;
}

// The wrappers. A NaN argument counts as outside the domain (it would otherwise travel on
// silently); everything else follows the table of Corr_matherrl.

long double corr_sqrtl(long double x) {
    return vdp::GuardedSqrtl(x);
}
long double corr_logl(long double x) {
    return vdp::GuardedLogl(x);
}
long double corr_log10l(long double x) {
    return vdp::GuardedLog10l(x);
}
long double corr_expl(long double x) {
    return vdp::GuardedExpl(x);
}
long double corr_powl(long double x, long double y) {
    return vdp::GuardedPowl(x, y);
}
long double corr_sinl(long double x) {
    return vdp::GuardedSinl(x);
}
long double corr_cosl(long double x) {
    return vdp::GuardedCosl(x);
}
long double corr_tanl(long double x) {
    return vdp::GuardedTanl(x);
}
long double corr_asinl(long double x) {
    return vdp::GuardedAsinl(x);
}
long double corr_acosl(long double x) {
    return vdp::GuardedAcosl(x);
}
