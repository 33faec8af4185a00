#include "tlkfetrans.h"

#include "vdfunction.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <type_traits>

static_assert(std::is_standard_layout_v<TTlkFETransStructDef>);
static_assert(sizeof(long double) >= 10 && std::numeric_limits<long double>::digits == 64,
              "the values are 80-bit extended reals");

namespace {

constexpr size_t kMaxVarText = 295;

char* TextOf(TTlkFETransStructDef& r, int index) {
    char* texts[6] = {r.x, r.y, r.z, r.u, r.v, r.w};
    return texts[index];
}

long double* ValueOf(TTlkFETransStructDef& r, int index) {
    long double* values[6] = {&r.xWert, &r.yWert, &r.zWert, &r.uWert, &r.vWert, &r.wWert};
    return values[index];
}

} // namespace

void TTlkFETransStructDef::SetzeVar(const char* xIn, const char* yIn, const char* zIn,
                                    const char* uIn, const char* vIn, const char* wIn) {
    Gesetzt = 1;
    const char* in[6] = {xIn, yIn, zIn, uIn, vIn, wIn};
    for (int i = 0; i < 6; ++i) {
        if (!in[i] || !*in[i]) continue;
        char* text = TextOf(*this, i);
        // The caller's text may be this record's own buffer.
        const size_t n = std::min(std::strlen(in[i]), kMaxVarText);
        std::memmove(text, in[i], n);
        text[n] = 0;
    }
    for (int i = 0; i < 6; ++i) {
        // A record the module never cleared must not be read beyond its buffers.
        TextOf(*this, i)[sizeof x - 1] = 0;
        vdFunction f(TextOf(*this, i), 0, "", 1, nullptr, true, true);
        *ValueOf(*this, i) = f.GetResult();
    }
}

const char* TTlkFETransStructDef::Text(int index) const {
    if (index < 0 || index > 5) return "";
    return TextOf(const_cast<TTlkFETransStructDef&>(*this), index);
}

void TTlkFETransStructDef::HoleWerte(long double values[6]) const {
    for (int i = 0; i < 6; ++i) values[i] = *ValueOf(const_cast<TTlkFETransStructDef&>(*this), i);
}
