// Conversion between the system's single-byte Windows-1252 texts and QString, the one place where
// texts cross from the module code into Qt. Every byte has a character, so FromCp1252 followed by
// ToCp1252 gives back the same bytes; characters without a Windows-1252 code become "?".
#pragma once

#include <QString>
#include <string>
#include <string_view>

// A null pointer reads as "".
QString FromCp1252(const char* text);
QString FromCp1252(std::string_view text);
std::string ToCp1252(const QString& text);
