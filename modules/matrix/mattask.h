// Matrix tasks in private-profile files. A task file (".mat") holds
//     [Programm]  OrvlMatr=J
//     [Matrix]    Ordnung=n, "(r,c)"=text of the entry in row r, column c (1 ... n)
//     [Variablen] x= y= z= u= v= w=
// The transfer file "orvltrn.ini" ("k", "e") holds the task in the linear systems' format, so that
// the matrix can be taken over there as the coefficients of a system: besides the keys above
// OrvlGlSy=J, the right-hand side column n+1 and the empty row n+1 under [Matrix], and
// [Vektor] "(r)" for the right-hand sides (all "0").
#pragma once

#include "matrecord.h"

// Writes the order, the entry texts and the variable texts of `rec` into `file`, whole or not
// at all. False when the file cannot be written.
bool SchreibeMatAufgabe(const char* file, const MatTransStructDef& rec, bool transfer);
// Reads a task into `rec` (order, entry texts, variable texts; the values are left to the
// caller). False, with `rec` unchanged, when the file has neither marker "OrvlMatr" nor
// "OrvlGlSy" starting with "J". An order outside 1 ... 8 becomes 3.
bool LeseMatAufgabe(const char* file, MatTransStructDef& rec);
