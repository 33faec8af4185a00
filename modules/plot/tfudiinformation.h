// TFudiInformation: the modal dialog "Funktionsinformation" that shows the function with its
// symbolic first derivative, the ranges, scales and options, the integrals and the roots,
// extrema and inflection points sorted by x. On leaving it hands the sorted lists back to the
// record. Dialog resource 20300 of "FNPLOT.DLL".
#pragma once

#include "dialog.h"

struct FudiTransStructDef;
class TListBox;
class TListBoxData;

class TFudiInformation : public TDialog {
public:
    TFudiInformation(TWindow* parent, FudiTransStructDef* InfStructIn, TResId resId = 20300,
                     TModule* module = nullptr);
    void SetupWindow() override;
    bool CanClose() override;
    void BNClickedHelp();

    // Inserts each line of `lines` before the first line of `box` whose x (the number at the
    // line's start) is not smaller, or appends it.
    static void Einsortieren(TListBox& box, const TListBoxData* lines);

private:
    void Symbolisch();
    FudiTransStructDef* Rec;
    TListBox* Listen[3] = {};
};
