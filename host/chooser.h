// The module chooser: one button per module of the suite; a module that this build does not
// contain is shown disabled.
#pragma once

#include "dialog.h"

// The modules the chooser offers, in its order: (name, German title).
struct TChooserEntry {
    const char* name;
    const char* title;
};
extern const TChooserEntry kChooserEntries[6];

class TChooser : public TDialog {
public:
    TChooser();
    void SetupWindow() override;
    void EvCommand(unsigned id, HWND hWndCtl, unsigned notifyCode) override;

    static constexpr int kFirstButton = 101;
};
