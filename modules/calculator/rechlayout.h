// The calculator's resources: dialog 101 and accelerator table 905 of "CALCPAD.DLL".
#pragma once

class TDialog;

// A key of the pad: control id, caption, the text it passes to the key step, and where it lies
// (column and row of the pad's two blocks, in key steps).
struct TRechTaste {
    int id;
    const char* caption;
    const char* text;
    int column, row;
    bool tall = false; // spans two rows
    bool hidden = false;
};

extern const TRechTaste kRechTasten[];
extern const int kRechTastenAnzahl;

// The accelerator table 905: virtual key → command id.
struct TRechAccel {
    int virtualKey;
    int id;
};
extern const TRechAccel kRechAccel905[];
extern const int kRechAccel905Anzahl;

// Installs accelerator table `table` (905) on `dialog`.
void LoadRechAccelerators(TDialog& dialog, int table);
