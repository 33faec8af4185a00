// Inside of the symbolic library: reading the parser's function texts into GiNaC expressions,
// writing expressions back as function texts, and antiderivatives.
#pragma once

#include <ginac/ginac.h>

#include <cstddef>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>

namespace orvsym {

// The text cannot be read (syntax, unknown name, number out of range, nesting too deep).
class ReadError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The expression uses a function that has no derivative here (FAC, ROUND, ...).
class NoDerivative : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Serial numbers of the functions we register with GiNaC ourselves: the ones GiNaC lacks under
// the parser's meaning (COT, LG, SIGN, ...) and the ones that have no derivative.
struct CustomFunctions {
    unsigned cot, acot, coth, arcoth, lg, abs, sign;
    unsigned fac, gamma, round, ceil, floor, rand, ispos, isneg, isposq, isnegq, isnull, logicNot;
};
const CustomFunctions& customFunctions();

// One of our functions applied to `arg`. (Calling the GiNaC constructor with the result of
// another function call would take that call's argument list instead.)
inline GiNaC::ex call(unsigned serial, const GiNaC::ex& arg) {
    return GiNaC::function(serial, arg);
}

// Reads one upper-case function text of the parser. `var` is the variable of the operation
// (upper case); every other name becomes a constant parameter. `decimals` tells whether the
// text used decimal numbers.
struct ReadResult {
    GiNaC::ex expr;
    bool decimals = false;
};
class Reader {
public:
    Reader(const std::string& var);
    ReadResult read(const std::string& text);
    const GiNaC::realsymbol& variable() const { return var_; }

private:
    GiNaC::realsymbol symbolFor(const std::string& name);
    std::string varName_;
    GiNaC::realsymbol var_;
    std::map<std::string, GiNaC::realsymbol> params_;
};

// True when `name` is a valid variable name of the interface: a letter or "_", then letters,
// digits or "_", and not a function name, "PI" or "E".
bool isPlainName(const std::string& name);

// Writes `e` as an upper-case function text the parser compiles back, or nothing when it holds
// something the parser cannot express or the text would be longer than `maxLen`.
std::optional<std::string> writeText(const GiNaC::ex& e, const GiNaC::symbol& var, bool decimals,
                                     std::size_t maxLen);

// Among equivalent forms of `e` (as is, expanded, over a common denominator) the one whose text
// is shortest; nothing when none can be written within `maxLen`.
std::optional<std::string> writeSimplest(const GiNaC::ex& e, const GiNaC::symbol& var,
                                         bool decimals, std::size_t maxLen);

// Whether expanding e stays small and quick.
bool cheapToRewrite(const GiNaC::ex& e);
// Whether bringing e to a common denominator (GiNaC's normal) stays small and quick: about
// `maxTerms` terms in numerator and denominator together.
bool cheapToNormalise(const GiNaC::ex& e, double maxTerms = 400);

// Number of nodes of the expression tree, counting stops at `cap` (+1).
std::size_t treeSize(const GiNaC::ex& e, std::size_t cap);

// An antiderivative of f with respect to x, checked by differentiating it back; nothing when
// none of the known rules applies.
std::optional<GiNaC::ex> antiderivative(const GiNaC::ex& f, const GiNaC::symbol& x);

} // namespace orvsym
