// MatTransStructDef: the record of one matrix task, shared by the program's matrix window, the
// matrix library and the linear systems module. Whoever opens the task owns it; the libraries
// only hold its address and never copy it, so fields, order and text sizes never change.
#pragma once

#include "tlkfetrans.h"

#include <type_traits>

class TListBoxData;

struct MatTransStructDef {
    // Text of every entry as typed and its value, both indexed [column][row].
    char MatText[8][8][300];
    long double Mat[8][8];
    // Variables of the entry fields.
    TTlkFETransStructDef Var;
    // Order n (1 to 8): rows and columns in use.
    int Ordnung;
    // Determinant, written by InvMatrix.
    long double Det;
    // Characteristic polynomial as internal function text and as display text; empty until
    // determined. An 8x8 polynomial with 20-digit coefficients needs about 300 characters, so
    // both have room for the longest text the expansion writes.
    char CharPolyText[1700];
    char CharPolyAnzeige[1700];
    // The eigenvalue list handed back by the eigenvalue dialog.
    TListBoxData* ListData;
    // 1 when the eigenvalue dialog ended normally.
    int EigOK;
    // 1 / step width of the eigenvalue scan, evaluations counted, milliseconds (later the
    // start tick count) and width of the eigenvalue region.
    long double InvAbstand;
    long double AnzAuswert;
    long double ZeitMs;
    long double Breite;
    // Directory of the transfer file, the module's state file, the task file last used.
    char Pfad[500];
    char ZustandDatei[250];
    char LetzteDatei[250];
};

static_assert(std::is_standard_layout_v<MatTransStructDef>);
