// Internal: the first-call test of SetFPError(false) as one predictable branch, for the hot
// guards (add_ok, sub_ok, mult_ok, div_ok) and the parser's own code.
#pragma once

#include "vdparser.h"

namespace vdp {

// True until the first SetFPError(false) of the process has run (defined in mathguard.cpp).
extern bool fpSetupPending __attribute__((visibility("hidden")));

// SetFPError(false), but only a load and a branch once the first call has happened.
inline void EnsureFPSetup() {
    if (__builtin_expect(fpSetupPending, false)) SetFPError(false);
}

} // namespace vdp
