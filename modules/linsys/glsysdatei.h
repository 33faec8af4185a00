// The task of the linear systems as it is kept in a task file (".gls"), in the module's state
// file and in the shared settings file "orvltrn.ini" — the same private-profile form for all:
//
//     [Programm]   OrvlGlSy=J                  (a file without it is unreadable)
//     [Matrix]     Ordnung=n
//                  (r,c)= for c = 1 … n+1, r = 1 … n+1: the field in row r, column c; column
//                         n+1 is the right-hand side, row n+1 has only empty texts
//     [Vektor]     (r)= for r = 1 … n: the right-hand side of equation r
//     [Variablen]  x= y= z= u= v= w=
//
// Reading takes the right-hand sides from [Vektor]; missing keys read as "0", a missing order as
// 3, and an order outside 2 … 7 as 3. Texts are Windows-1252.
#pragma once

#include <cstddef>
#include <string>

struct TGlSysAufgabe {
    int Ordnung = 3;
    // Texts of the fields, [column][row]: columns 0 … n−1 the coefficients, column n the
    // right-hand sides.
    std::string Feld[8][8];
    std::string Var[6] = {"0", "0", "0", "0", "0", "0"}; // x, y, z, u, v, w
};

// The filter of the file dialogs.
inline constexpr char kGlSysFilter[] = "GlSys-Dateien (*.GLS)|*.gls|";

// Copies `text` into the record's text buffer `target` of `size` bytes, cut to fit.
void GlSysText(char* target, size_t size, const std::string& text);

// The longest text read for a field or a variable (the record's texts hold 299 characters).
constexpr int kGlSysTextLesen = 299;

// Reads the task of `file` into `task`. False, leaving `task` as it was, when the file has no
// marker "OrvlGlSy" starting with "J" (missing, unreadable or foreign files). `message` (may be
// null) gets why a file could not be read at all ("" for a missing marker), or after a
// successful read the warning about characters of a UTF-8 file that became "?".
bool LeseGlSysAufgabe(const char* file, TGlSysAufgabe& task, std::string* message = nullptr);

// Writes `task` into `file` in the order of the keys above, keeping the file's other sections
// and keys; the new content takes the file's place in one step, so a failed write leaves the
// old file as it was. Line breaks in the texts become blanks. False on failure, with the German
// reason in `error` (may be null; "" when there is none to tell).
bool SchreibeGlSysAufgabe(const char* file, const TGlSysAufgabe& task,
                          std::string* error = nullptr);
