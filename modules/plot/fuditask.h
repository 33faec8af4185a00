// The task files of the function discussion (".fud"), which are also the module's settings
// file and, for "k" and "e", the shared settings file "orvltrn.ini":
//
//     [Programm]  OrvlFuDi=J                     (a file without it is unreadable)
//     [Funktion]  f(x,y,z,u,v,w)= Grade= 3d=J|N x1= x2= h1= h2= y1= y2= xAb= hAb= yAb=
//                 Move_Vertical= Turn_Round= durchz= markiert= Abl1= farbig= Linien= Norm= Abl2=
//     [Variablen] x= y= z= u= v= w=
//
// Yes/no values are tested by their first character ("J" = yes). Texts are Windows-1252.
#pragma once

#include <string>

struct FudiTransStructDef;

// What the input dialog's fields hold, as typed: the numbers stay texts so that a task file
// keeps what the user wrote.
struct TFudiFelder {
    std::string Funktion = "0";
    std::string Grade = "10";
    bool Is3D = false;
    std::string x1 = "-10", x2 = "10", h1 = "-10", h2 = "10", y1 = "-10", y2 = "10";
    std::string xAb = "1", hAb = "1", yAb = "1";
    long double Move_Vertical = 0, Turn_Round = 0;
    bool durchz = false, markiert = false, Abl1 = false, farbig = true, Linien = false,
         Norm = false, Abl2 = false;
    std::string Var[6] = {"0", "0", "0", "0", "0", "0"}; // x, y, z, u, v, w
};

// Longest function text read from a task file.
constexpr int kFudiFunktionLesen = 250;
// Longest variable text read from a task file.
constexpr int kFudiVarLesen = 300;

// Whether `file` carries the marker [Programm] OrvlFuDi=J.
bool IstFudiDatei(const char* file);

// Reads the task of `file` into the record as the drawing window does. False for a file without
// the marker: the record then holds the empty task (function "0" on [-10, 10] x [-10, 10],
// spacing 1, no options, variables "0").
bool LeseFudiDatei(const char* file, FudiTransStructDef& rec);
// The empty task of an unreadable file.
void LeereFudiAufgabe(FudiTransStructDef& rec);

// Reads the task of `file` into `felder` as the input dialog does (texts as written). False,
// leaving `felder` as it was, for a file without the marker.
bool LeseFudiFelder(const char* file, TFudiFelder& felder);

// Writes the task into `file` key by key in the order above, keeping the file's other keys.
// False when a key could not be written.
bool SchreibeFudiDatei(const char* file, const TFudiFelder& felder);

// Lower case in place, also for the accented capitals of Windows-1252.
void Kleinschreibung(char* text);

// The text of a long double with `digits` significant digits ("-0" as "0").
std::string ZahlText(long double value, int digits);
