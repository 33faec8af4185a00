// Reads the parser's normalised function text (upper case: explicit "*", "^" powers, "PI",
// "(EXP(1))" for e, "SIGN" for the sign function) into a GiNaC expression.
#include "symbolic_core.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <functional>

using namespace GiNaC;

namespace orvsym {
namespace {

// Deeper nesting than any function a pupil types; keeps the recursion off the stack limit.
constexpr int maxDepth = 200;
// Decimal exponents beyond the range of long double are refused (the parser could not
// evaluate them either), which also keeps exact numbers small.
constexpr long maxDecimalExponent = 5000;
// Rough upper bound for the bits of an exact number we let GiNaC compute by a power.
constexpr double maxPowerBits = 200000.0;

bool isNameStart(char c) {
    return std::isupper(static_cast<unsigned char>(c)) || c == '_';
}
bool isNameChar(char c) {
    return isNameStart(c) || std::isdigit(static_cast<unsigned char>(c));
}
bool isDigit(char c) {
    return std::isdigit(static_cast<unsigned char>(c)) != 0;
}

enum class Fn {
    Sin,
    Cos,
    Tan,
    Cot,
    Asin,
    Acos,
    Atan,
    Acot,
    Sinh,
    Cosh,
    Tanh,
    Coth,
    Arsinh,
    Arcosh,
    Artanh,
    Arcoth,
    Exp,
    Ln,
    Lg,
    Sqrt,
    Sqr,
    Abs,
    Sign,
    Fac,
    Gamma,
    Round,
    Ceil,
    Floor,
    Rand,
    Ispos,
    Isneg,
    Isposq,
    Isnegq,
    Isnull,
    Not
};

const std::map<std::string, Fn>& functionNames() {
    static const std::map<std::string, Fn> names{
        {"SIN", Fn::Sin},       {"COS", Fn::Cos},       {"TAN", Fn::Tan},
        {"COT", Fn::Cot},       {"ASIN", Fn::Asin},     {"ACOS", Fn::Acos},
        {"ATAN", Fn::Atan},     {"ACOT", Fn::Acot},     {"SINH", Fn::Sinh},
        {"COSH", Fn::Cosh},     {"TANH", Fn::Tanh},     {"COTH", Fn::Coth},
        {"ARSINH", Fn::Arsinh}, {"ARCOSH", Fn::Arcosh}, {"ARTANH", Fn::Artanh},
        {"ARCOTH", Fn::Arcoth}, {"EXP", Fn::Exp},       {"LN", Fn::Ln},
        {"LG", Fn::Lg},         {"LOG", Fn::Lg},        {"SQRT", Fn::Sqrt},
        {"SQR", Fn::Sqr},       {"ABS", Fn::Abs},       {"SIGN", Fn::Sign},
        {"SGN", Fn::Sign},      {"FAC", Fn::Fac},       {"GAMMA", Fn::Gamma},
        {"ROUND", Fn::Round},   {"CEIL", Fn::Ceil},     {"FLOOR", Fn::Floor},
        {"RAND", Fn::Rand},     {"ISPOS", Fn::Ispos},   {"ISNEG", Fn::Isneg},
        {"ISPOSQ", Fn::Isposq}, {"ISNEGQ", Fn::Isnegq}, {"ISNULL", Fn::Isnull},
        {"NOT", Fn::Not}};
    return names;
}

ex applyFunction(Fn fn, const ex& a) {
    const CustomFunctions& c = customFunctions();
    switch (fn) {
    case Fn::Sin:
        return sin(a);
    case Fn::Cos:
        return cos(a);
    case Fn::Tan:
        return tan(a);
    case Fn::Cot:
        return call(c.cot, a);
    case Fn::Asin:
        return asin(a);
    case Fn::Acos:
        return acos(a);
    case Fn::Atan:
        return atan(a);
    case Fn::Acot:
        return call(c.acot, a);
    case Fn::Sinh:
        return sinh(a);
    case Fn::Cosh:
        return cosh(a);
    case Fn::Tanh:
        return tanh(a);
    case Fn::Coth:
        return call(c.coth, a);
    case Fn::Arsinh:
        return asinh(a);
    case Fn::Arcosh:
        return acosh(a);
    case Fn::Artanh:
        return atanh(a);
    case Fn::Arcoth:
        return call(c.arcoth, a);
    case Fn::Exp:
        return exp(a);
    case Fn::Ln:
        return log(a);
    case Fn::Lg:
        return call(c.lg, a);
    case Fn::Sqrt:
        return sqrt(a);
    case Fn::Sqr:
        return pow(a, 2);
    case Fn::Abs:
        return call(c.abs, a);
    case Fn::Sign:
        return call(c.sign, a);
    case Fn::Fac:
        return call(c.fac, a);
    case Fn::Gamma:
        return call(c.gamma, a);
    case Fn::Round:
        return call(c.round, a);
    case Fn::Ceil:
        return call(c.ceil, a);
    case Fn::Floor:
        return call(c.floor, a);
    case Fn::Rand:
        return call(c.rand, a);
    case Fn::Ispos:
        return call(c.ispos, a);
    case Fn::Isneg:
        return call(c.isneg, a);
    case Fn::Isposq:
        return call(c.isposq, a);
    case Fn::Isnegq:
        return call(c.isnegq, a);
    case Fn::Isnull:
        return call(c.isnull, a);
    case Fn::Not:
        return call(c.logicNot, a);
    }
    throw ReadError("unknown function");
}

// Largest bit length of the exact numbers in e.
double numberBits(const ex& e) {
    if (is_a<numeric>(e)) {
        const numeric& n = ex_to<numeric>(e);
        if (!n.is_rational()) return 64;
        double bits = std::max(n.numer().int_length(), n.denom().int_length());
        return bits <= 1 ? 0 : bits;
    }
    double bits = 0;
    for (std::size_t i = 0; i < e.nops(); ++i) bits = std::max(bits, numberBits(e.op(i)));
    return bits;
}

// base^exponent, refusing powers that would make GiNaC compute huge exact numbers.
ex makePower(const ex& base, const ex& exponent) {
    if (is_a<numeric>(exponent) && ex_to<numeric>(exponent).is_rational()) {
        const numeric& n = ex_to<numeric>(exponent);
        double size = n.numer().int_length() > 40 ? 1e300 : std::abs(n.numer().to_double());
        if (size * numberBits(base) > maxPowerBits) throw ReadError("power too large");
    }
    // e^a written as (exp(1))^a reads better as EXP(a).
    if (is_ex_the_function(base, exp)) return exp(base.op(0) * exponent);
    return pow(base, exponent);
}

class TextParser {
public:
    TextParser(const std::string& text, const std::function<ex(const std::string&)>& name)
        : s_(text), name_(name) {}

    ReadResult run() {
        ex e = expression(0);
        if (pos_ != s_.size()) throw ReadError("unexpected character");
        return {e, decimals_};
    }

private:
    char peek() const { return pos_ < s_.size() ? s_[pos_] : '\0'; }

    void enter(int depth) const {
        if (depth > maxDepth) throw ReadError("nested too deeply");
    }

    ex expression(int depth) {
        enter(depth);
        ex sum = term(depth + 1);
        while (peek() == '+' || peek() == '-') {
            char op = s_[pos_++];
            ex t = term(depth + 1);
            sum = op == '+' ? sum + t : sum - t;
        }
        return sum;
    }

    ex term(int depth) {
        enter(depth);
        ex product = signedFactor(depth + 1);
        while (peek() == '*' || peek() == '/') {
            char op = s_[pos_++];
            ex f = signedFactor(depth + 1);
            if (op == '/' && f.is_zero()) throw ReadError("division by zero");
            product = op == '*' ? product * f : product / f;
        }
        return product;
    }

    // A sign binds looser than a power: -2^2 is -(2^2); a sign directly after "^" belongs to
    // the exponent.
    ex signedFactor(int depth) {
        enter(depth);
        if (peek() == '-') {
            ++pos_;
            return -signedFactor(depth + 1);
        }
        if (peek() == '+') {
            ++pos_;
            return signedFactor(depth + 1);
        }
        return power(depth + 1);
    }

    // Powers group from the right: 2^3^2 is 2^9.
    ex power(int depth) {
        enter(depth);
        ex base = primary(depth + 1);
        if (peek() != '^') return base;
        ++pos_;
        ex exponent = signedFactor(depth + 1);
        // 0^a is only defined for a positive number a.
        if (base.is_zero() && !(is_a<numeric>(exponent) && ex_to<numeric>(exponent).is_positive()))
            throw ReadError("zero to a power that is not a positive number");
        return makePower(base, exponent);
    }

    ex primary(int depth) {
        enter(depth);
        char c = peek();
        if (c == '(') {
            ++pos_;
            ex e = expression(depth + 1);
            expect(')');
            return e;
        }
        if (isDigit(c) || c == '.') return number();
        if (isNameStart(c)) {
            std::size_t start = pos_;
            while (isNameChar(peek())) ++pos_;
            std::string word = s_.substr(start, pos_ - start);
            if (peek() == '(') {
                auto it = functionNames().find(word);
                if (it == functionNames().end()) throw ReadError("unknown function");
                ++pos_;
                ex arg = expression(depth + 1);
                expect(')');
                return applyFunction(it->second, arg);
            }
            return name_(word);
        }
        throw ReadError("operand expected");
    }

    void expect(char c) {
        if (peek() != c) throw ReadError("bracket expected");
        ++pos_;
    }

    // Digits with an optional decimal point and an optional exponent "E", read exactly.
    ex number() {
        std::string digits;
        long scale = 0;
        bool any = false;
        while (isDigit(peek())) {
            digits += s_[pos_++];
            any = true;
        }
        if (peek() == '.') {
            ++pos_;
            decimals_ = true;
            while (isDigit(peek())) {
                digits += s_[pos_++];
                --scale;
                any = true;
            }
        }
        if (!any) throw ReadError("number expected");
        if (peek() == 'E') {
            std::size_t save = pos_;
            ++pos_;
            bool negative = false;
            if (peek() == '+' || peek() == '-') negative = s_[pos_++] == '-';
            if (!isDigit(peek())) {
                pos_ = save; // an "E" that starts a name, not an exponent
            } else {
                decimals_ = true;
                long exponent = 0;
                while (isDigit(peek())) {
                    exponent = exponent * 10 + (s_[pos_++] - '0');
                    if (exponent > maxDecimalExponent) throw ReadError("exponent too large");
                }
                scale += negative ? -exponent : exponent;
            }
        }
        std::size_t first = digits.find_first_not_of('0');
        if (first == std::string::npos) return 0;
        digits.erase(0, first);
        long magnitude = static_cast<long>(digits.size()) + scale;
        if (magnitude > maxDecimalExponent || magnitude < -maxDecimalExponent)
            throw ReadError("number out of range");
        numeric value(digits.c_str());
        numeric ten(10);
        return scale >= 0 ? value * pow(ten, numeric(scale)) : value / pow(ten, numeric(-scale));
    }

    const std::string& s_;
    const std::function<ex(const std::string&)>& name_;
    std::size_t pos_ = 0;
    bool decimals_ = false;
};

} // namespace

bool isPlainName(const std::string& name) {
    if (name.empty() || !isNameStart(name[0])) return false;
    for (char c : name)
        if (!isNameChar(c)) return false;
    return name != "PI" && name != "E" && functionNames().count(name) == 0;
}

Reader::Reader(const std::string& var) : varName_(var), var_(var) {
    if (!isPlainName(var)) throw ReadError("invalid variable name");
}

realsymbol Reader::symbolFor(const std::string& name) {
    auto it = params_.find(name);
    if (it != params_.end()) return it->second;
    realsymbol s(name);
    params_.emplace(name, s);
    return s;
}

ReadResult Reader::read(const std::string& text) {
    std::function<ex(const std::string&)> name = [this](const std::string& word) -> ex {
        if (word == varName_) return var_;
        if (word == "PI") return Pi;
        if (!isPlainName(word)) throw ReadError("unknown name");
        return symbolFor(word);
    };
    TextParser parser(text, name);
    return parser.run();
}

} // namespace orvsym
