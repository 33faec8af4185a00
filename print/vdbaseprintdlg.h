// The base of every window that prints: a dialog whose only addition is the drawing callback
// CurrPrintout. The print dialog (vdMainPrintDlg) calls it for the page preview, for the
// clipboard picture and, through the printout of the print job, for the printed page.
//
// How a module prints:
//     class TRechner : public vdBasePrintDlg {
//         void CurrPrintout(bool preview, TDC& dc, bool erase, TRect& rect, int kind) override;
//     };
//     void TRechner::BNClickedDrucke() {
//         vdPrint job;
//         TModule module("ORVLPRN.DLL");
//         TSize page(2100, -2970);
//         vdMainPrintDlg dlg(this, progDir, &page, "Rechner", 1, 1, 1, 1, 1, "", "", "", &job,
//                            1, 20000, &module);
//         if (dlg.Execute() == IDOK) job.PrintIt(this);
//     }
#pragma once

#include "dialog.h"

class TDC;

class vdBasePrintDlg : public TDialog {
public:
    vdBasePrintDlg(TWindow* parent, TResId resId, TModule* module = nullptr);
    // A dialog with a layout of its own (test dialogs).
    vdBasePrintDlg(TWindow* parent, const TDlgResource& layout, TModule* module = nullptr);
    ~vdBasePrintDlg() override;

    void SetupWindow() override;

    // Draws the page into `dc` in tenths of a millimetre within the logical page the module gave
    // the print dialog (A4: 2100 × -2970, y negative downwards). The caller has set mapping and
    // clipping; the callback selects its own fonts and pens and restores the previous font before
    // it returns. `preview` is true for the screen preview only (false for the printer and the
    // clipboard picture); `rect` is the area being drawn; `kind` is the module's printout kind.
    // The base class draws nothing.
    virtual void CurrPrintout(bool preview, TDC& dc, bool erase, TRect& rect, int kind);
};
