// A small evaluator for upper-case function texts, independent of the library under test, to
// check derivatives and antiderivatives numerically.
#pragma once

#include <cctype>
#include <cmath>
#include <map>
#include <optional>
#include <string>

namespace textvalue {

class Evaluator {
public:
    Evaluator(std::string text, std::map<std::string, long double> names)
        : s_(std::move(text)), names_(std::move(names)) {}

    // The value, or nothing when the text cannot be read or the value is not finite.
    std::optional<long double> value() {
        pos_ = 0;
        ok_ = true;
        long double v = sum();
        if (!ok_ || pos_ != s_.size() || !std::isfinite(v)) return std::nullopt;
        return v;
    }

private:
    char peek() const { return pos_ < s_.size() ? s_[pos_] : '\0'; }

    long double sum() {
        long double v = product();
        while (peek() == '+' || peek() == '-')
            v = s_[pos_++] == '+' ? v + product() : v - product();
        return v;
    }
    long double product() {
        long double v = sign();
        while (peek() == '*' || peek() == '/') v = s_[pos_++] == '*' ? v * sign() : v / sign();
        return v;
    }
    long double sign() {
        if (peek() == '-') return ++pos_, -sign();
        if (peek() == '+') return ++pos_, sign();
        long double base = operand();
        if (peek() != '^') return base;
        ++pos_;
        return std::pow(base, sign());
    }
    long double operand() {
        char c = peek();
        if (c == '(') {
            ++pos_;
            long double v = sum();
            if (peek() != ')') ok_ = false;
            ++pos_;
            return v;
        }
        if (std::isdigit(static_cast<unsigned char>(c)) || c == '.') {
            std::size_t used = 0;
            long double v = std::stold(s_.substr(pos_), &used);
            pos_ += used;
            return v;
        }
        std::size_t start = pos_;
        while (std::isalnum(static_cast<unsigned char>(peek())) || peek() == '_') ++pos_;
        std::string word = s_.substr(start, pos_ - start);
        if (word.empty()) {
            ok_ = false;
            return 0;
        }
        if (peek() == '(') return call(word, operand());
        if (word == "PI") return 3.14159265358979323846264338327950288L;
        auto it = names_.find(word);
        if (it == names_.end()) ok_ = false;
        return it == names_.end() ? 0 : it->second;
    }
    long double call(const std::string& f, long double x) {
        if (f == "SIN") return std::sin(x);
        if (f == "COS") return std::cos(x);
        if (f == "TAN") return std::tan(x);
        if (f == "COT") return 1 / std::tan(x);
        if (f == "ASIN") return std::asin(x);
        if (f == "ACOS") return std::acos(x);
        if (f == "ATAN") return std::atan(x);
        if (f == "ACOT") return std::acos(-1.0L) / 2 - std::atan(x);
        if (f == "SINH") return std::sinh(x);
        if (f == "COSH") return std::cosh(x);
        if (f == "TANH") return std::tanh(x);
        if (f == "COTH") return 1 / std::tanh(x);
        if (f == "ARSINH") return std::asinh(x);
        if (f == "ARCOSH") return std::acosh(x);
        if (f == "ARTANH") return std::atanh(x);
        if (f == "ARCOTH") return std::atanh(1 / x);
        if (f == "EXP") return std::exp(x);
        if (f == "LN") return std::log(x);
        if (f == "LG" || f == "LOG") return std::log10(x);
        if (f == "SQRT") return std::sqrt(x);
        if (f == "SQR") return x * x;
        if (f == "ABS") return std::fabs(x);
        if (f == "SIGN") return x > 0 ? 1 : x < 0 ? -1 : 0;
        ok_ = false;
        return 0;
    }

    std::string s_;
    std::map<std::string, long double> names_;
    std::size_t pos_ = 0;
    bool ok_ = true;
};

inline std::optional<long double> at(const std::string& text, long double x,
                                     const std::string& var = "X") {
    return Evaluator(text, {{var, x}, {"A", 1.7L}, {"B", -0.6L}}).value();
}

// Central difference quotient of the text at x.
inline std::optional<long double> slope(const std::string& text, long double x,
                                        const std::string& var = "X") {
    const long double h = 1e-5L * (1 + std::fabs(x));
    auto a = at(text, x + h, var), b = at(text, x - h, var);
    if (!a || !b) return std::nullopt;
    return (*a - *b) / (2 * h);
}

} // namespace textvalue
