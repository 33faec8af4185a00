// The polynomial texts of the characteristic polynomial and the operations on them.
//
// A polynomial text is "(" terms ")": each term a signed coefficient and its power part
// ("*x^(k)" for k >= 2, "*x" for k = 1, nothing for the constant), e.g. (-1*x^(3)+6*x^(2)-11*x+6).
// Every coefficient is written by ldtochar with 26 digits and read back by chartold, so a term
// list whose every newly computed coefficient passes through Quant() holds exactly the values
// that the texts hold. The text operations read their text into a term list, apply the term
// operation and write the list back; the fast expansion works on term lists alone, with the
// same operations in the same order.
#pragma once

#include <string>
#include <vector>

struct PolyTerm {
    int power;
    long double coeff;
};
// The terms in the order in which they stand in the text.
using PolyTerms = std::vector<PolyTerm>;

// A matrix cell: its number and whether "-x" stands after it (diagonal cells).
struct PolyCell {
    long double value;
    bool hasX;
};

// The value a coefficient has once written as text and read back. Sets *overflow when it cannot
// be written as a number (infinite or not a number).
long double Quant(long double v, bool* overflow);

// Every coefficient c of P becomes Quant(a*c).
PolyTerms MulConst(long double a, const PolyTerms& p, bool* overflow);
// "(" f ")*" P multiplied out: a*P for a number f = a, -x*P + a*P for f = a-x; then sorted.
PolyTerms AusmultTerms(PolyCell f, const PolyTerms& p, bool* overflow);
// Appends the terms of one product of two factors (each a number or a number with "-x"),
// negated when `negative`.
void ProduktTerms(PolyTerms& out, PolyCell f1, PolyCell f2, bool negative, bool* overflow);
// Every power in descending order, the constants last, then like powers collected.
PolyTerms Sortiere1Terms(const PolyTerms& t, bool* overflow);
// Like powers collected: each power keeps its first term, which receives the sum of all terms
// of that power in text order; the constants are summed into one constant at the end.
PolyTerms Fassezus1Terms(const PolyTerms& t, bool* overflow);
void Negiere(PolyTerms& t);

// Reads a polynomial text (with or without its brackets); false when it is not one.
bool ParsePoly(const char* text, PolyTerms& out);
// Writes the term list as polynomial text with brackets.
std::string WritePoly(const PolyTerms& t);
// A cell as text: ldtochar(value, 26) with "-x" for diagonal cells.
std::string CellText(PolyCell c);
// Reads a number with its leading signs at s and advances s past it.
long double ReadNumber(const char*& s);

// "--" becomes "+", then "+-" becomes "-" (in place; returns text).
char* EliminText(char* text);
// Swaps "+" and "-" from position `from` on, except the sign of an exponent.
void TauscheVorzeichen(std::string& text, size_t from);
// The display text of a canonical text for the powers n ... 0, coefficients rounded to 15
// places: "-1*x^3 +6*x^2 -11*x +6".
std::string AnzeigeText(const char* canonical, int n);
// The coefficient of x^k in a polynomial text; false when the power does not occur.
bool Koeffizient(const char* text, int k, long double* out);
