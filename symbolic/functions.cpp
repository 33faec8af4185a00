// The functions of the parser that GiNaC does not know by the parser's meaning, registered with
// GiNaC under their upper-case names.
#include "symbolic_core.h"

using namespace GiNaC;

namespace orvsym {
namespace {

CustomFunctions serials{};

ex apply(unsigned serial, const ex& x) {
    return function(serial, x);
}
ex held(unsigned serial, const ex& x) {
    return function(serial, x).hold();
}

// Numeric arguments are evaluated only where the result stays exact and real.
bool isRealNumber(const ex& x) {
    return is_a<numeric>(x) && ex_to<numeric>(x).is_real();
}

ex absEval(const ex& x) {
    if (isRealNumber(x)) return abs(ex_to<numeric>(x));
    return held(serials.abs, x);
}
ex absDeriv(const ex& x, unsigned) {
    return apply(serials.sign, x);
}

ex signEval(const ex& x) {
    if (isRealNumber(x)) return ex_to<numeric>(x).csgn();
    return held(serials.sign, x);
}
ex signDeriv(const ex&, unsigned) {
    return 0;
}

ex cotDeriv(const ex& x, unsigned) {
    return -1 / pow(sin(x), 2);
}

ex acotDeriv(const ex& x, unsigned) {
    return -1 / (1 + pow(x, 2));
}

ex cothDeriv(const ex& x, unsigned) {
    return -1 / pow(sinh(x), 2);
}

ex arcothDeriv(const ex& x, unsigned) {
    return 1 / (1 - pow(x, 2));
}

ex lgEval(const ex& x) {
    if (x.is_equal(1)) return 0;
    return held(serials.lg, x);
}
ex lgDeriv(const ex& x, unsigned) {
    return 1 / (x * log(ex(10)));
}

ex noDeriv(const ex&, unsigned) {
    throw NoDerivative("function without derivative");
}

unsigned registerPlain(const char* name) {
    return function::register_new(function_options(name, 1).derivative_func(noDeriv));
}

CustomFunctions registerAll() {
    CustomFunctions f{};
    f.abs = function::register_new(
        function_options("ABS", 1).eval_func(absEval).derivative_func(absDeriv));
    f.sign = function::register_new(
        function_options("SIGN", 1).eval_func(signEval).derivative_func(signDeriv));
    f.cot = function::register_new(function_options("COT", 1).derivative_func(cotDeriv));
    f.acot = function::register_new(function_options("ACOT", 1).derivative_func(acotDeriv));
    f.coth = function::register_new(function_options("COTH", 1).derivative_func(cothDeriv));
    f.arcoth = function::register_new(function_options("ARCOTH", 1).derivative_func(arcothDeriv));
    f.lg = function::register_new(
        function_options("LG", 1).eval_func(lgEval).derivative_func(lgDeriv));
    f.fac = registerPlain("FAC");
    f.gamma = registerPlain("GAMMA");
    f.round = registerPlain("ROUND");
    f.ceil = registerPlain("CEIL");
    f.floor = registerPlain("FLOOR");
    f.rand = registerPlain("RAND");
    f.ispos = registerPlain("ISPOS");
    f.isneg = registerPlain("ISNEG");
    f.isposq = registerPlain("ISPOSQ");
    f.isnegq = registerPlain("ISNEGQ");
    f.isnull = registerPlain("ISNULL");
    f.logicNot = registerPlain("NOT");
    return f;
}

} // namespace

const CustomFunctions& customFunctions() {
    static const bool done = [] {
        serials = registerAll();
        return true;
    }();
    (void)done;
    return serials;
}

} // namespace orvsym
