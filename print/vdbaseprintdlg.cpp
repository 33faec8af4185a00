#include "vdbaseprintdlg.h"

#include "vdparser.h"

vdBasePrintDlg::vdBasePrintDlg(TWindow* parent, TResId resId, TModule* module)
    : TDialog(parent, resId, module) {
    DebugFunkion(0, nullptr, false, "vdBasePrintDlg::vdBasePrintDlg(TWindow*, TResId, TModule*)",
                 "", "");
}

vdBasePrintDlg::vdBasePrintDlg(TWindow* parent, const TDlgResource& layout, TModule* module)
    : TDialog(parent, layout, module) {}

vdBasePrintDlg::~vdBasePrintDlg() = default;

void vdBasePrintDlg::SetupWindow() {
    DebugFunkion(0, nullptr, false, "void vdBasePrintDlg::SetupWindow()", "", "");
    TDialog::SetupWindow();
}

void vdBasePrintDlg::CurrPrintout(bool, TDC&, bool, TRect&, int) {
    DebugFunkion(0, nullptr, false,
                 "void vdBasePrintDlg::CurrPrintout(bool, TDC&, bool, TRect&, int)", "", "");
}
