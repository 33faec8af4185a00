// Conversion between the system's single-byte Windows-1252 texts and UTF-8. Qt-free, so that
// the command-line parts of the program can use it too.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Characters without a Windows-1252 code become "?"; malformed UTF-8 bytes are taken as
// Windows-1252 bytes, so a text typed in a single-byte terminal survives.
std::string Utf8ToCp1252(std::string_view utf8);
// The same; `missing` counts the characters that became "?" for want of a Windows-1252 code.
std::string Utf8ToCp1252(std::string_view utf8, std::size_t& missing);
// Whether `text` is well-formed UTF-8; `multiByte` (if given) tells whether any character of it
// takes more than one byte (plain ASCII is UTF-8 too, but says nothing about the encoding).
bool IsUtf8(std::string_view text, bool* multiByte = nullptr);
std::string Cp1252ToUtf8(std::string_view cp1252);
// The Unicode code point of one Windows-1252 byte (the five unused codes map to themselves).
char32_t Cp1252ToUnicode(unsigned char c);
// The Windows-1252 byte of a code point, or 0 when it has none.
unsigned char UnicodeToCp1252(char32_t u);
