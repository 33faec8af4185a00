// The arithmetic of the linear systems: the solution form ("Lösungssystem") of a system of n
// equations in n unknowns, how many solutions the system has, the solution itself, and the texts
// in which the rows of a system are shown and printed. No windows here.
//
// Matrices are long double[8][8] indexed [column][row], like all matrices of MatTransStructDef:
// columns 0 … n−1 hold the coefficients of x1 … xn, column n the right-hand sides, rows 0 … n−1
// the equations.
#pragma once

#include <memory>
#include <string>

class InvMatrix;
struct MatTransStructDef;

enum class TGlSysArt {
    Eindeutig, // exactly one solution
    Keine,     // no solution
    Unendlich, // infinitely many solutions
};

// InvMatrix on the augmented matrix of `record` (n = Ordnung unknowns): it sees it as a square
// matrix of order n+1 whose last row is the all-zero row n. Its StufenMat is the echelon form.
std::unique_ptr<InvMatrix> GlSysStufenform(MatTransStructDef& record);
// The n+1 columns and rows of the echelon form into `LoesMat`.
void GlSysKopiere(const InvMatrix& inv, int n, long double LoesMat[8][8]);
// False when a number of the solution form left the range of long double.
bool GlSysEndlich(const long double LoesMat[8][8], int n);
// Whether the solution form can be shown for a system of the kind `art`: its numbers are in
// range, and a system with exactly one solution has its pivot 1 in every row. (An elimination
// whose products leave the range can lose a pivot on the way without any number being out of
// range afterwards; the form would then contradict the sentence under it.)
bool GlSysDarstellbar(const long double LoesMat[8][8], int n, TGlSysArt art);

// Back substitution on the echelon form: for each pivot row i = n−1 down to 0 whose diagonal
// entry is not exactly 0, the column i is cleared above the pivot and the row is divided by it.
// Rows without a pivot stay as they are.
void GlSysBerechne(long double LoesMat[8][8], int n);

// Rank of the `columns` × `rows` block at the top left of `m`. Every column and then every row is
// scaled to largest magnitude 1 first, so that the decision does not depend on the size of the
// entries; an entry then counts as zero below kGlSysToleranz.
int GlSysRang(const long double m[8][8], int columns, int rows);
constexpr long double kGlSysToleranz = 1e-13L;

// Exactly one, no or infinitely many solutions, from the ranks of the coefficient matrix and the
// augmented matrix of `Mat` (n unknowns).
TGlSysArt GlSysLoesbarkeit(const long double Mat[8][8], int n);

// The solution of a system with exactly one solution, by elimination with complete pivoting on
// the scaled system. False when the system is singular or a value leaves the range.
bool GlSysLoesung(const long double Mat[8][8], int n, long double x[7]);

// The sentence under the solution form.
const char* GlSysSatz(TGlSysArt art);

// A number as the windows and the printout show it: ldtochar with at most `digits` significant
// digits in the shortest exact form, and "0" for a negative zero.
std::string GlSysZahl(long double x, int digits);
// The label behind coefficient `c` (0-based) of a row with n unknowns: "*x1+" … "*xn=".
std::string GlSysMarke(int c, int n);
// An entry of the solution form as it is shown: the elimination made everything below the
// diagonal zero, whatever rounding left there.
long double GlSysLoesWert(const long double LoesMat[8][8], int c, int r);
// Row `r` of a system as the printout writes it: the numbers with their labels, the right-hand
// side last, separated by blanks ("2*x1+ 1*x2= 5"); for the solution form with GlSysLoesWert.
std::string GlSysZeile(const long double m[8][8], int n, int r, int digits, bool loesungsform);
