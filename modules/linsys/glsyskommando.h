// The solution of a system given as text, without a window: `orvelin glsys --loese TEXT` with
// the rows of the augmented matrix separated by ";" and the numbers of a row by ","
// ("a11,...,a1n,b1;a21,...;..."). Each number may be an expression without variables.
#pragma once

#include <string>

// Solves `text` as "Weiter" does and writes the answer into `out`: "Lösungssystem:", the n rows
// of the solution form as the printout shows them, the sentence that tells how many solutions
// there are, and with exactly one solution the lines "x1 = …" to "xn = …" (10 significant
// digits), each line ending in "\n". On bad input the result is false and `error` holds the
// German reason ("Thema:\r Text"). Texts are Windows-1252.
bool GlSysLoeseText(const std::string& text, std::string& out, std::string& error);
