// FudiTransStructDef: the record that the program, the function discussion and the roots
// module share. The program owns it; the discussion window fills it and hands the same address
// to the roots dialog, which writes its results back. Nobody copies it, so its layout is the
// interface between separately built libraries: fields, order and text sizes never change.
#pragma once

#include "tlkfetrans.h"

#include <type_traits>

class TListBoxData;
class TExtStatusBar;

struct FudiTransStructDef {
    // Texts and values of the variables x, y, z, u, v, w.
    TTlkFETransStructDef Var;
    // Grid density of the 3D drawing (1 to 25).
    int Grade;
    // x interval (searched and integrated by the roots module).
    long double x1, x2;
    // Value (height) interval of the drawing.
    long double h1, h2;
    // y interval of a function f(x,y).
    long double y1, y2;
    // Turn of the 3D view.
    long double Turn_Round;
    // Integration points per unit of x.
    long double IntGenauigkeit;
    // Scan points per unit of x of the discussion (the user sees its reciprocal, "Abstand").
    long double DiskDichte;
    // Integral over the parts where f >= 0, and over the parts where f < 0.
    long double PosIntegral;
    long double NegIntegral;
    // Tilt of the 3D view.
    long double Move_Vertical;
    // f(x) or f(x,y); from character 600 on the symbolic derivative f'(x).
    char Funktion[2400];
    // Client size of the drawing window when the input dialog opened.
    int FensterBreite, FensterHoehe;
    // Tick spacing on the x, y and h axes.
    long double xAb, yAb, hAb;
    // 1: also draw f'(x), f''(x).
    int Abl1;
    int Abl2;
    // Request and result flags of the integral and of the discussion (0 or 1). The input
    // dialog sets a flag to 1 to ask for that calculation, and the roots dialog is opened only
    // when one of them is 1. The roots dialog leaves Integral at 1 only when the integral was
    // computed without overflow and without cancel, and Diskussion at 1 only when the
    // discussion ran to its end; leaving it without starting sets both to 0. Results are shown
    // and printed only where the flag is 1.
    int Integral;
    int Diskussion;
    // 1: draw through jumps that leave the drawn range.
    int durchz;
    // 1: accept every sign change as a root.
    int NStErzwingen;
    // 1: f(x,y) drawn in 3D; in colour; coloured by slope; with bounding lines.
    int Is3D;
    int farbig;
    int Norm;
    int Linien;
    // 1: mark the roots, extrema and inflection points in the drawing.
    int markiert;
    // Result lines of the roots, extrema and inflection points ("x,value" and a
    // classification: " H", " T", " S" for extrema, " lr", " rl", " ?" for inflection points).
    // They belong to the discussion side, which creates them; "&OK" of the roots dialog fills
    // them in place (and creates a list only where a pointer is null).
    TListBoxData* NstText;
    TListBoxData* ExtrText;
    TListBoxData* WendText;
    // Not used by these modules.
    char Reserve[240];
    // Program directory (ending in a path separator), the module's settings file and the task
    // file named on the command line.
    char Verzeichnis[500];
    char IniDatei[250];
    char AufgabenDatei[250];
    // x of the found roots, extrema and inflection points. The roots dialog resets the counts
    // when it opens and appends while a count is below kFudiMaxWerte; further values are
    // dropped (the text lists keep them).
    long double Nst[1000];
    int NstAnz;
    long double Extr[1000];
    int ExtrAnz;
    long double Wend[1000];
    int WendAnz;
    // The program's status bar for hint texts, or null.
    TExtStatusBar* Statuszeile;
};

// Most values the arrays Nst, Extr and Wend hold.
inline constexpr int kFudiMaxWerte = 999;

static_assert(std::is_standard_layout_v<FudiTransStructDef>);
static_assert(sizeof(FudiTransStructDef::Funktion) == 2400 &&
              sizeof(FudiTransStructDef::Reserve) == 240 &&
              sizeof(FudiTransStructDef::Verzeichnis) == 500 &&
              sizeof(FudiTransStructDef::IniDatei) == 250 &&
              sizeof(FudiTransStructDef::AufgabenDatei) == 250);
static_assert(sizeof(FudiTransStructDef::Nst) / sizeof(long double) == kFudiMaxWerte + 1);
static_assert(std::is_trivially_copyable_v<FudiTransStructDef>);
