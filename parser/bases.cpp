// Number bases and angular units: the free conversion functions.
#include "vdparser.h"

#include <cmath>
#include <cstring>
#include <string>

namespace {

constexpr long double kPi = 3.14159265358979323846264338327950288L;
constexpr long double kOneBy180 = 1.0L / 180.0L;
constexpr long double kOneByPi = 1.0L / kPi;

const char kDigits[] = "0123456789ABCDEF";

// Binary places of one digit in base 2, 8 or 16.
inline int BitsOf(int base) {
    return base == 2 ? 1 : base == 8 ? 3 : 4;
}

// The value of a digit in the base, or -1. Inside a parser "E" is held as "@"; a plain "E"
// (as ConvertToBase writes it) is accepted too.
int DigitValue(char c, int base) {
    int v;
    if (c >= '0' && c <= '9')
        v = c - '0';
    else if (c >= 'A' && c <= 'F')
        v = 10 + (c - 'A');
    else if (c == '@')
        v = 14;
    else
        return -1;
    return v < base ? v : -1;
}

// d * base^k for an integer place k, exact in the power-of-two bases (ldexpl never makes a
// NaN out of a zero digit or an out-of-range place).
inline long double Place(long double d, long long k, int bits) {
    long long e = k * bits;
    if (e > 100000) e = 100000;
    if (e < -100000) e = -100000;
    return ldexpl(d, static_cast<int>(e));
}

std::string ToBase(long double x, int digits, int base);

} // namespace

long double ConvertToAngularUnit(const long double x, int unit, bool toRadians) {
    switch (unit) {
    case 1:
        return toRadians ? x * kOneBy180 * kPi : x * 180.0L * kOneByPi;
    case 3:
        return toRadians ? x * 0.005L * kPi : x * 200.0L * kOneByPi;
    default:
        return x;
    }
}

bool ConvertToBase(char* out, const long double x, int digits, int base) {
    if (digits == 0) digits = 15;
    if (base == 10) {
        ldtochar(out, x, digits, true);
        return true;
    }
    if (base != 2 && base != 8 && base != 16) return false;
    const std::string text = ToBase(x, digits, base);
    std::memcpy(out, text.c_str(), text.size() + 1);
    return true;
}

namespace {

std::string ToBase(long double x, int digits, int base) {
    if (digits < 1) digits = 15;
    if (!std::isfinite(x)) { // "inf", "-inf", "nan": no digits to write
        char buf[40];
        return ldtochar(buf, x, 20, false);
    }
    if (x == 0) return "0";
    const bool negative = x < 0;
    if (negative && digits < 2) digits = 2; // room for the sign and one digit
    const long double ax = fabsl(x);
    const long double ip = floorl(ax);

    // Integer digits, least significant first. fmodl and the division by a power of two are
    // exact, so every digit of the value is written (no limit of 4998 digits: a long double
    // has at most 16384 integer and 16445 fraction places in base 2).
    std::string intDigits;
    for (long double n = ip; n != 0; n = floorl(n / base))
        intDigits +=
            kDigits[static_cast<int>(corrroundl(fmodl(n, static_cast<long double>(base))))];
    std::string intText = negative ? "-" : "";
    if (intDigits.empty())
        intText += '0';
    else
        intText.append(intDigits.rbegin(), intDigits.rend());

    std::string frac;
    for (long double f = ax - ip; f != 0;) {
        const long double t = f * base;
        const long double d = floorl(t);
        frac += kDigits[static_cast<int>(d)];
        f = t - d;
    }

    const std::string full = intText + "." + frac;
    std::string cut = full.substr(0, static_cast<size_t>(digits));
    // The cut text shows the value when it holds the point, or when the integer part fills it
    // exactly ("contains the point" alone would write 255 with two digits as
    // "F.Fe+1", and 1 with one digit as "1e+" followed by an exponent 0 it cannot write).
    const bool hasPoint = cut.size() >= intText.size();
    // A value below 1 whose cut text holds no digit other than zeros would show as zero: it
    // gets the exponent form as well.
    const bool showsNothing =
        ax != 0 && ax < 1 && cut.find_first_not_of("-0.") == std::string::npos;

    std::string result;
    if (hasPoint && !showsNothing) {
        result = cut;
    } else if (ax >= 1) {
        const size_t at = negative ? 2 : 1;
        cut.insert(at, ".");
        if (cut.find_first_not_of('0', at + 1) == std::string::npos) cut.erase(at);
        const long double exponent = static_cast<long double>(intDigits.size() - 1);
        result = cut + "e+" + ToBase(exponent, digits, base);
    } else {
        const size_t first = full.find_first_not_of("-0.");
        std::string mantissa = full.substr(first, static_cast<size_t>(digits));
        if (mantissa.size() > 1) mantissa.insert(1, ".");
        if (negative) mantissa.insert(0, "-");
        const size_t places = frac.find_first_not_of('0') + 1;
        result = mantissa + "e-" + ToBase(static_cast<long double>(places), digits, base);
    }
    if (!result.empty() && result.back() == '.') result.pop_back();
    return result;
}

} // namespace

long double ConvertBaseTold(const char* SubFuncIn, int base, char** rest) {
    const char* s = SubFuncIn ? SubFuncIn : "";
    if (base == 10) return chartold(s, rest);
    if (base != 2 && base != 8 && base != 16) {
        if (rest) *rest = const_cast<char*>(s);
        return 0;
    }
    const int bits = BitsOf(base);
    const size_t len = std::strlen(s);
    auto stop = [&](size_t at, long double v) {
        if (rest) *rest = const_cast<char*>(s + at);
        return v;
    };

    const char* dot = std::strchr(s, '.');
    const char* mark = std::strchr(s, 'e');
    const size_t dotPos = dot ? static_cast<size_t>(dot - s) : len;
    const size_t ePos = mark ? static_cast<size_t>(mark - s) : len;
    // The integer part ends at the first point or "e", whichever comes first.
    const size_t intEnd = dotPos < ePos ? dotPos : ePos;

    size_t begin = 0;
    bool negative = false;
    if (s[0] == '+' || s[0] == '-') {
        negative = s[0] == '-';
        begin = 1;
    }
    const auto sign = [&](long double v) { return negative ? -v : v; };

    // Integer part, right to left with place values base^0, base^1, ...
    long double value = 0;
    bool anyDigit = false;
    for (size_t i = intEnd; i > begin; --i) {
        const int d = DigitValue(s[i - 1], base);
        if (d < 0) return stop(i - 1, sign(value));
        if (d) value += Place(d, static_cast<long long>(intEnd - i), bits);
        anyDigit = true;
    }
    // Fraction, left to right with place values base^-1, base^-2, ...
    if (dotPos < ePos) {
        for (size_t i = dotPos + 1; i < ePos; ++i) {
            const int d = DigitValue(s[i], base);
            if (d < 0) return stop(i, sign(value));
            if (d) value += Place(d, -static_cast<long long>(i - dotPos), bits);
            anyDigit = true;
        }
    }
    // A text without any digit ("-", ".", "e+1") is no number (the empty text reads as 0).
    if (!anyDigit && len > 0) return stop(0, 0);
    if (ePos < len) {
        // "e", a sign and digits, without a further "e" or point.
        const bool wellFormed = ePos + 3 <= len && (s[ePos + 1] == '+' || s[ePos + 1] == '-') &&
                                std::strpbrk(s + ePos + 1, "e.") == nullptr;
        if (!wellFormed) return stop(ePos, sign(value));
        char* expRest = nullptr;
        const long double exponent = ConvertBaseTold(s + ePos + 1, base, &expRest);
        if (*expRest != '\0') {
            if (rest) *rest = expRest;
            return sign(value);
        }
        long long e = static_cast<long long>(exponent > 200000    ? 200000
                                             : exponent < -200000 ? -200000
                                                                  : exponent);
        value = Place(value, e, bits);
    }
    return stop(len, sign(value));
}
