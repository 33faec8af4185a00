// Feeds arbitrary texts to the symbolic library: directly to symbolic_calculate (as they come,
// or wrapped as a derivative or antiderivative request, with a varying buffer size) and through
// the parser's symbolic calls. A crash, a sanitizer report or a hang is a fault; so is an answer
// that is not terminated inside the buffer, a success whose length is not the text's length, or
// a successful answer that the library cannot read back.
#include "vdparser.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <dlfcn.h>
#include <string>
#include <vector>

namespace {

using Calculate = int (*)(const char*, char*, int);
Calculate calculate = nullptr;

int call(const std::string& in, std::vector<char>& out) {
    const int result = calculate(in.c_str(), out.data(), static_cast<int>(out.size()));
    if (std::memchr(out.data(), '\0', out.size()) == nullptr) std::abort();
    if (result >= 0 && std::strlen(out.data()) != static_cast<size_t>(result)) std::abort();
    return result;
}

} // namespace

// CLN, under GiNaC, allocates some static data once and never frees it.
extern "C" const char* __lsan_default_suppressions();
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libcln.so\n";
}

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // Loaded once and kept, so that its coverage counters stay mapped while the parser loads
    // and frees it for each call.
    void* library = dlopen(SYMBOLIC_LIBRARY_PATH, RTLD_NOW | RTLD_LOCAL);
    if (library == nullptr) std::abort();
    calculate = reinterpret_cast<Calculate>(dlsym(library, "symbolic_calculate"));
    if (calculate == nullptr) std::abort();
    SetSymbolicLibraryPath(SYMBOLIC_LIBRARY_PATH);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2) return 0;
    const int mode = data[0] % 5;
    std::vector<char> out(1 + static_cast<size_t>(data[1]) * 4);
    std::string text(reinterpret_cast<const char*>(data + 2), size - 2);
    text = text.substr(0, text.find('\0'));

    if (mode >= 3) {
        // Long texts and percentages only exercise the parser's own set-up, which has its
        // own fuzz target.
        if (text.size() > 300 || text.find('%') != std::string::npos) return 0;
        vdParser parser(text.c_str(), 1, "x", true, true, true, true);
        // Room for what the parser lets the library write: 25 characters per character of the
        // normalised text (which can be longer than the text itself).
        std::vector<char> answer(25 * parser.GetStyledFunction().size() + 201);
        if (mode == 3)
            parser.doDifferentiation1(answer.data(), "x");
        else
            parser.doIntegrate1(answer.data(), "x");
        if (std::memchr(answer.data(), '\0', answer.size()) == nullptr) std::abort();
        return 0;
    }
    const std::string in = mode == 0 ? text : (mode == 1 ? "DIFF(" : "INT(") + text + ",X)";
    if (call(in, out) >= 0) {
        // What we write, we read: the derivative of an answer is never an unreadable request.
        std::vector<char> again(4096);
        if (call("DIFF(" + std::string(out.data()) + ",X)", again) == -2) std::abort();
    }
    return 0;
}
