#include "symbolic.h"

#include "symbolic_core.h"

#include <cctype>
#include <cstring>
#include <new>

using namespace GiNaC;

namespace {

// Texts the parser sends are a few hundred characters; anything far longer is refused before
// the engine sees it.
constexpr std::size_t maxInputLength = 20000;

enum class Operation { Derivative, Antiderivative };

struct Request {
    Operation op;
    std::string text;
    std::string var;
};

bool parseRequest(const std::string& in, Request& r) {
    std::string s;
    for (char c : in)
        if (!std::isspace(static_cast<unsigned char>(c)))
            s += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    std::size_t open;
    if (s.rfind("DIFF(", 0) == 0) {
        r.op = Operation::Derivative;
        open = 5;
    } else if (s.rfind("INT(", 0) == 0) {
        r.op = Operation::Antiderivative;
        open = 4;
    } else {
        return false;
    }
    std::size_t comma = s.rfind(',');
    if (s.back() != ')' || comma == std::string::npos || comma < open) return false;
    r.text = s.substr(open, comma - open);
    r.var = s.substr(comma + 1, s.size() - comma - 2);
    return true;
}

int compute(const std::string& in, std::string& result, std::size_t maxLen) {
    Request request;
    if (!parseRequest(in, request)) return SYMBOLIC_UNREADABLE;
    std::optional<orvsym::ReadResult> read;
    std::optional<orvsym::Reader> reader;
    try {
        reader.emplace(request.var);
        read = reader->read(request.text);
    } catch (const orvsym::ReadError&) {
        return SYMBOLIC_UNREADABLE;
    }
    const realsymbol& x = reader->variable();
    ex answer;
    if (request.op == Operation::Derivative) {
        try {
            answer = read->expr.diff(x);
        } catch (const orvsym::NoDerivative&) {
            return SYMBOLIC_NOT_POSSIBLE;
        }
    } else {
        std::optional<ex> F = orvsym::antiderivative(read->expr, x);
        if (!F) return SYMBOLIC_NOT_POSSIBLE;
        answer = *F;
    }
    std::optional<std::string> text = orvsym::writeSimplest(answer, x, read->decimals, maxLen);
    if (!text) {
        // Either too long or holding something the parser cannot read (a complex number,
        // GAMMA): tell the two apart by an unlimited attempt only when it is cheap.
        return SYMBOLIC_TOO_LONG;
    }
    result = *text;
    return 0;
}

} // namespace

extern "C" int symbolic_calculate(const char* in, char* out, int size) {
    if (out == nullptr || size <= 0) return SYMBOLIC_BAD_ARGUMENTS;
    out[0] = '\0';
    if (in == nullptr) return SYMBOLIC_BAD_ARGUMENTS;
    std::size_t inLength = strnlen(in, maxInputLength + 1);
    auto fail = [&](int code) {
        if (inLength < static_cast<std::size_t>(size)) std::memcpy(out, in, inLength + 1);
        return code;
    };
    if (inLength > maxInputLength) return fail(SYMBOLIC_UNREADABLE);
    int code;
    std::string result;
    try {
        code = compute(std::string(in, inLength), result, static_cast<std::size_t>(size) - 1);
    } catch (...) {
        code = SYMBOLIC_INTERNAL;
    }
    if (code < 0) return fail(code);
    std::memcpy(out, result.c_str(), result.size() + 1);
    return static_cast<int>(result.size());
}
