// The stochastics task: what a task file (".stc"), the module's state file and the shared
// settings file "orvltrn.ini" hold, and how it is read and written:
//
//     [Programm]   OrvlStch=J                 (a file without it is unreadable)
//     [Daten]      Verteilung=0 ... 4
//     [Variablen]  x= y= z= u= v= w=          (the texts of the value fields)
//     [Funktion]   f(x,y,z,u,v,w)=<formula>   (shared settings file only)
//
// Texts are Windows-1252.
#pragma once

#include <string>

struct TStochAufgabe {
    // The distribution of the file; -1 when [Daten] holds no index 0 ... 4.
    int Verteilung = 0;
    std::string Var[6] = {"0", "0", "0", "0", "0", "0"}; // x, y, z, u, v, w
};

// Longest variable text written (the fields hold at most this many characters).
constexpr int kStochVarSchreiben = 299;

// The index of a [Daten] "Verteilung" text: a whole number 0 ... 4, otherwise -1.
int StochVerteilungAusText(const char* text);

// Reads `file` into `task`. False when [Programm] "OrvlStch" does not start with "J" (missing,
// foreign or unreadable files); `task` is then left as it was. Missing variables read "0".
bool LeseStochAufgabe(const char* file, TStochAufgabe& task);

// Writes `task` into `file` in the order Programm, Daten, Variablen x ... w, keeping the file's
// other keys; with a formula it first goes under [Funktion]. Line breaks become blanks, texts
// are cut to kStochVarSchreiben. The file is written whole or not at all; false when the write
// fails.
bool SchreibeStochAufgabe(const char* file, const TStochAufgabe& task,
                          const char* formel = nullptr);
