// Compiles and evaluates arbitrary function texts. The first three input bytes choose the set-up,
// the rest is the text:
//   byte 0: variables (none, "xyzuvw" with 6, named "ab cd", "x"), base (10, 2, 8, 16), snap,
//           and in its top bits whether the text is repeated to 64 KB (6) or 1 MB (7), so that
//           short inputs reach the long texts a mutation would take ages to grow
//   byte 1: angular unit 1..3 and derivative order 0..4 (4 is out of range on purpose)
//   byte 2: shifts the points at which the text is evaluated
#include "vdparser.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace {

struct VarSet {
    int count;
    const char* desc;
};
constexpr VarSet kVarSets[] = {{0, ""}, {6, "xyzuvw"}, {2, "ab cd"}, {1, "x"}};
constexpr int kBases[] = {10, 2, 8, 16};
constexpr long double kPoints[] = {0.0L,  1.0L,     -2.5L,   0.001L, 3.75L,
                                   1e10L, -1e-300L, 1e4000L, -7.0L,  0.5L};
constexpr int kPointCount = sizeof kPoints / sizeof kPoints[0];

// Buffers exactly as large as callers are promised to need, on the heap so that the address
// sanitizer sees every byte written past them.
void ReadMessages(vdParser& parser) {
    auto message = std::make_unique<char[]>(256);
    auto function = std::make_unique<char[]>(64);
    auto characters = std::make_unique<char[]>(256);
    parser.GetErrorTypeText(message.get());
    parser.GetUnknownFunction(function.get());
    parser.GetUnknownCharacters(characters.get());
}

void WriteNumber(long double r, int base) {
    auto text = std::make_unique<char[]>(128);
    ldtochar(text.get(), r, 20, true);
    ConvertToBase(text.get(), r, 15, base);
}

// Evaluates a set-up parser at three points, with a derivative of the chosen order at each.
void Exercise(vdParser& parser, int varCount, bool snap, int unit, int order, int shift, int base) {
    parser.SetAngularUnitTo(unit);
    ReadMessages(parser);
    if (parser.GetGlobalError() >= 1) return;

    long double values[6];
    for (int p = 0; p < 3; ++p) {
        for (int v = 0; v < 6; ++v) values[v] = kPoints[(shift + p * 7 + v * 3) % kPointCount];
        long double r = parser.GetResultExt(values);
        ReadMessages(parser);
        WriteNumber(r, base);
        if (order > 0) {
            r = parser.GetPDerivationExt(order, values, varCount > 1 ? p % varCount : 0, snap, 0);
            ReadMessages(parser);
            WriteNumber(r, base);
        }
    }
}

// The value, error code and message at a point.
struct Outcome {
    long double value;
    int error;
    std::string message;
    bool operator==(const Outcome& o) const {
        const bool same = value == o.value ? std::signbit(value) == std::signbit(o.value)
                                           : std::isnan(value) && std::isnan(o.value);
        return same && error == o.error && message == o.message;
    }
};

Outcome At(vdParser& parser, const long double* values) {
    long double copy[6];
    std::copy(values, values + 6, copy);
    Outcome o{parser.GetResultExt(copy), parser.GetGlobalError(), ""};
    char message[256] = "";
    if (o.error) parser.GetErrorTypeText(message);
    o.message = message;
    return o;
}

// Evaluated again and again, a parser runs as machine code: at every point it must give what a
// parser compiled afresh gives with the loop, to the bit, with the same error and message.
template <class Make> void CompareWithFresh(vdParser& warm, Make make, int shift) {
    if (warm.GetGlobalError() >= 1) return;
    long double values[6];
    for (int i = 0; i < 40; ++i) {
        for (int v = 0; v < 6; ++v) values[v] = 0.25L * (i + v) - 3;
        At(warm, values);
    }
    for (int p = 0; p < kPointCount; ++p) {
        for (int v = 0; v < 6; ++v) values[v] = kPoints[(shift + p + v * 3) % kPointCount];
        const std::unique_ptr<vdParser> fresh = make();
        if (!(At(warm, values) == At(*fresh, values))) __builtin_trap();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 3) return 0;
    const VarSet vars = kVarSets[data[0] % 4];
    const int base = kBases[(data[0] / 4) % 4];
    const bool snap = (data[0] / 16) % 2;
    const int unit = data[1] % 3 + 1;
    const int order = (data[1] / 3) % 5;
    const int shift = data[2];
    std::string text(reinterpret_cast<const char*>(data) + 3, size - 3);
    const int repeat = data[0] >> 5;
    if (repeat >= 6 && !text.empty()) {
        const size_t length = repeat == 6 ? size_t(1) << 16 : size_t(1) << 20;
        const std::string piece = text;
        while (text.size() + piece.size() <= length) text += piece;
    }

    auto make = [&] {
        std::unique_ptr<vdParser> parser =
            vars.count == 0 ? std::make_unique<vdParser>(text.c_str(), base, true, true, true, true)
                            : std::make_unique<vdParser>(text.c_str(), vars.count, vars.desc, true,
                                                         true, true, true);
        if (vars.count != 0 && base != 10) parser->SetBaseTo(base, false);
        parser->SetAngularUnitTo(unit);
        return parser;
    };
    const std::unique_ptr<vdParser> parser = make();
    Exercise(*parser, vars.count, snap, unit, order, shift, base);
    // Random numbers differ from one parser to the next; long texts would take too long.
    if (text.size() <= 4096 && text.find("rand") == std::string::npos)
        CompareWithFresh(*make(), make, shift);
    return 0;
}
