// The selection dialogs that several modules open (library orvldlgs, module name
// "ORVLDLGS.DLL"):
//
//  - vdVarSelect, layout 512: the user sets the texts of the variables y … w (z … w in 3D mode,
//    where x and y are the variables of the function) as function edits. "OK" writes the texts
//    and their values into the record with SetzeVar and ends with 1; "Abbruch" leaves the
//    record untouched.
//        TModule dlgs("ORVLDLGS.DLL");
//        if (vdVarSelect(this, &Var, true, Is3D, 512, &dlgs).Execute() == 1) …
//  - vdGetPosDlg, layout 514: the user picks x (and y for f(x,y)) and reads f there and, for
//    f(x), f'(x) and f''(x).
//  - vdVarDescButton: a button that names one variable of a description ("x=") and goes on to
//    the next one with every click.
//
// Every dialog has its help button 302 (F1).
#pragma once

#include "dialog.h"
#include "funkedit.h"
#include "talk.h"

class vdFunction;
struct FudiTransStructDef;

class vdVarSelect : public TDialog {
public:
    // `showValues`: the edits tell their value on hover. `mode3D`: y belongs to the function and
    // is not offered.
    vdVarSelect(TWindow* parent, TTlkFETransStructDef* Var, bool showValues, bool mode3D,
                TResId resId = 512, TModule* module = nullptr);
    void SetupWindow() override;
    void CmOk() override;

    // Control ids: the edit and the label of variable i (0 = x … 5 = w), the text shown in
    // place of the edit of a variable of the function.
    static int EditId(int i) { return 1101 + i; }
    static int LabelId(int i) { return 1201 + i; }
    static int FunctionVarId(int i) { return 1301 + i; }

private:
    bool IsOffered(int i) const { return i >= (Mode3D ? 2 : 1); }
    void BNClickedHelp();
    TTlkFETransStructDef* Var;
    bool Mode3D;
    TTalkFunkEdit* Edit[6] = {};
};

class vdGetPosDlg : public TDialog {
public:
    // `FunkObj`: the caller's function object in "xyzuvw" (null: one is built from the record's
    // function text); `x`: the start position; the record gives the function text, the mode
    // and the values of the other variables.
    vdGetPosDlg(TWindow* parent, vdFunction* FunkObj, long double x, FudiTransStructDef* record,
                TResId resId = 514, TModule* module = nullptr);
    ~vdGetPosDlg() override;
    void SetupWindow() override;

    // Computes and shows the values at the position in the edits; false when a position is
    // not a valid entry (its message has been shown).
    bool Berechne();

private:
    void BNClickedBerechnen() { Berechne(); }
    void BNClickedHelp();
    bool ReadPosition(TTalkFunkEdit* edit, long double& value);
    vdFunction* FunkObj;
    vdFunction* OwnFunc = nullptr;
    long double StartX;
    FudiTransStructDef* Record;
    bool Is3D;
    TTalkFunkEdit *XEdit, *YEdit;
};

class vdVarDescButton : public TTalkButton {
public:
    // `VarDesc`: single letters ("xyzuvw") or names separated by blanks; the three texts are
    // those of a TTalkButton (info text, alternative caption, alternative info text).
    vdVarDescButton(TWindow* parent, int id, const char* VarDesc, int InfoId, const char* infoText,
                    const char* altCaption, const char* altInfoText, TModule* module = nullptr);
    void SetupWindow() override;
    // Goes on to the next variable (after the last, back to the first) and shows it.
    void Weiter();
    int GetVarIndex() const { return Index; }
    int GetVarCount() const { return Count; }
    // The name of the current variable ("" without variables).
    const char* GetVarName() const;

private:
    void ShowName();
    static constexpr int kMaxVars = 20;
    char Names[kMaxVars][32] = {};
    int Count = 0;
    int Index = 0;
};
