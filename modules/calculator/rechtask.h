// The calculator's task: what a task file (".rec"), the working settings file and the shared
// settings file "orvltrn.ini" hold, and how it is read and written. All three use the same
// private-profile keys:
//
//     [Programm]        OrvlRech=J                  (a file without it is unreadable)
//     [Funktion]        f(x,y,z,u,v,w)=<function>   schnell=J|N
//                       Winkelargument=1|2|3 (DEG, RAD, GRA)
//                       BasisIn=1|2|3|4, BasisOut=1|2|3|4 (DEC, BIN, HEX, OCT)
//     [Variablen]       x= y= z= u= v= w=
//     [Bildkoordinaten] calc=J|N                    (key pad open)
//
// Missing keys take the defaults of TRechAufgabe. Texts are Windows-1252.
#pragma once

#include <string>

struct TRechAufgabe {
    std::string Funktion = "0";
    std::string Var[6] = {"0", "0", "0", "0", "0", "0"}; // x, y, z, u, v, w
    bool Schnell = true;
    int Winkel = 2;   // 1 DEG, 2 RAD, 3 GRA
    int BasisIn = 10; // 10, 2, 16, 8
    int BasisOut = 10;
    bool Calc = false; // key pad open
};

// Longest function text read from a file (the field may hold more; see SchreibeAufgabe).
constexpr int kRechFunktionLesen = 2699;
// Longest variable text read from a file.
constexpr int kRechVarLesen = 299;

// The code of a base in the files ("1" DEC, "2" BIN, "3" HEX, "4" OCT) and back; an unknown
// code gives 0.
int RechBasisCode(int base);
int RechBasisAusCode(int code);

// Reads the task of `file` into `task` (one pass over the file). False when the file has no
// marker "OrvlRech" starting with "J" (missing, unreadable, too large or foreign files); `task`
// is then left as it was. Keys that are missing or hold no valid value take the defaults.
// `message` (if given) receives the German reason why a file could not be read at all (too
// large, unreadable; "" for a missing marker), or after a successful read the warning about
// characters of a UTF-8 file that have no Windows-1252 form ("" when there is nothing to say).
bool LeseAufgabe(const char* file, TRechAufgabe& task, std::string* message = nullptr);

// Writes `task` into `file`, keeping the file's other sections and keys, with one whole-file
// write: a failed write leaves the old file as it was, and a task the file already holds leaves
// it untouched. Line breaks in the texts become blanks (a value is one line). False on failure,
// with the German reason in `error` (if given).
bool SchreibeAufgabe(const char* file, const TRechAufgabe& task, std::string* error = nullptr);
