// Small helpers that the matrix window and the headless command share.
#pragma once

#include <string>
#include <vector>

class TListBoxData;

// A number as the matrix window shows it: rounded to 15 places, at most 15 digits, "-0" as "0".
std::string MatZahl(long double v);
// The value of an entry text (a function text without variables); false with the parser's
// German message when it cannot be evaluated.
bool MatEintragWert(const char* text, long double* value, std::string& message);
// The eigenvalue list as the dialog hands it back: each entry up to its first ",".
void ListeUebernehmen(const std::vector<std::string>& entries, TListBoxData& out);
