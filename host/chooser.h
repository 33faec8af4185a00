// The module chooser: one button per module of the suite; a module that this build does not
// contain is shown disabled.
#pragma once

#include "dialog.h"

class TChooser : public TDialog {
public:
    TChooser();
    void SetupWindow() override;
    void EvCommand(unsigned id, HWND hWndCtl, unsigned notifyCode) override;

    static constexpr int kFirstButton = 101;
};
