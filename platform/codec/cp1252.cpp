#include "cp1252.h"

namespace {
// 0x80 … 0x9F; the five unused codes map to themselves.
const char32_t kHigh[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                            0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                            0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                            0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

void AppendUtf8(std::string& out, char32_t u) {
    if (u < 0x80) {
        out += static_cast<char>(u);
    } else if (u < 0x800) {
        out += static_cast<char>(0xC0 | (u >> 6));
        out += static_cast<char>(0x80 | (u & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (u >> 12));
        out += static_cast<char>(0x80 | ((u >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (u & 0x3F));
    }
}

// Length of the UTF-8 sequence starting at i and its code point; 0 when malformed.
size_t DecodeUtf8(std::string_view s, size_t i, char32_t& u) {
    const auto b = static_cast<unsigned char>(s[i]);
    size_t n = b >= 0xF0 && b < 0xF5 ? 4 : b >= 0xE0 ? 3 : b >= 0xC2 && b < 0xE0 ? 2 : 0;
    if (b >= 0xF5) n = 0;
    if (n == 0 || i + n > s.size()) return 0;
    u = b & (0x7F >> n);
    for (size_t k = 1; k < n; ++k) {
        const auto c = static_cast<unsigned char>(s[i + k]);
        if ((c & 0xC0) != 0x80) return 0;
        u = (u << 6) | (c & 0x3F);
    }
    // Overlong forms, surrogates and values beyond Unicode are malformed too.
    static const char32_t kLeast[5] = {0, 0, 0x80, 0x800, 0x10000};
    if (u < kLeast[n] || (u >= 0xD800 && u < 0xE000) || u > 0x10FFFF) return 0;
    return n;
}
} // namespace

char32_t Cp1252ToUnicode(unsigned char c) {
    return c >= 0x80 && c < 0xA0 ? kHigh[c - 0x80] : c;
}

unsigned char UnicodeToCp1252(char32_t u) {
    if (u < 0x80 || (u >= 0xA0 && u < 0x100)) return static_cast<unsigned char>(u);
    for (int k = 0; k < 32; ++k)
        if (kHigh[k] == u) return static_cast<unsigned char>(0x80 + k);
    return 0;
}

std::string Utf8ToCp1252(std::string_view utf8, std::size_t& missing) {
    std::string out;
    out.reserve(utf8.size());
    missing = 0;
    for (std::size_t i = 0; i < utf8.size();) {
        char32_t u = 0;
        const std::size_t n =
            static_cast<unsigned char>(utf8[i]) < 0x80 ? 1 : DecodeUtf8(utf8, i, u);
        if (n <= 1) {
            out += utf8[i++];
            continue;
        }
        const unsigned char c = UnicodeToCp1252(u);
        if (c == 0) ++missing;
        out += c ? static_cast<char>(c) : '?';
        i += n;
    }
    return out;
}

std::string Utf8ToCp1252(std::string_view utf8) {
    std::size_t missing = 0;
    return Utf8ToCp1252(utf8, missing);
}

bool IsUtf8(std::string_view text, bool* multiByte) {
    bool multi = false;
    for (std::size_t i = 0; i < text.size();) {
        if (static_cast<unsigned char>(text[i]) < 0x80) {
            ++i;
            continue;
        }
        char32_t u = 0;
        const std::size_t n = DecodeUtf8(text, i, u);
        if (n == 0) return false;
        multi = true;
        i += n;
    }
    if (multiByte) *multiByte = multi;
    return true;
}

std::string Cp1252ToUtf8(std::string_view cp1252) {
    std::string out;
    out.reserve(cp1252.size() + cp1252.size() / 4);
    for (char c : cp1252) AppendUtf8(out, Cp1252ToUnicode(static_cast<unsigned char>(c)));
    return out;
}
