#include "dlgres.h"
#include "fudirecord.h"
#include "orvldlgs.h"
#include "vdfunction.h"
#include "winapi.h"

#include <cstring>
#include <string>

namespace {

enum : int {
    kFunctionText = 210,
    kXLabel = 401,
    kYLabel = 402,
    kXEdit = 1101,
    kYEdit = 1102,
    kBerechnen = 201,
    kValueLabel = 411,
    kValue = 231,
    kDeriv1Label = 412,
    kDeriv1 = 232,
    kDeriv2Label = 413,
    kDeriv2 = 233,
};

TDlgResource GetPosLayout() {
    TDlgResource r;
    r.caption = "Funktionswerte an einer Stelle";
    r.cx = 240, r.cy = 170;
    r.items = {
        {kFunctionText, TCtlKind::Static, "", 8, 6, 224, 20},
        {kXLabel, TCtlKind::Static, "&x =", 10, 32, 22, 10},
        {kXEdit, TCtlKind::Edit, "0", 34, 30, 140, 12},
        {kYLabel, TCtlKind::Static, "&y =", 10, 48, 22, 10},
        {kYEdit, TCtlKind::Edit, "0", 34, 46, 140, 12},
        {kBerechnen, TCtlKind::PushButton, "&Berechnen", 182, 29, 50, 14, BS_DEFPUSHBUTTON},
        {120, TCtlKind::GroupBox, "Werte an dieser Stelle", 8, 64, 224, 56},
        {kValueLabel, TCtlKind::Static, "f(x) =", 14, 78, 40, 10},
        {kValue, TCtlKind::Static, "", 56, 77, 170, 11, SS_SUNKEN},
        {kDeriv1Label, TCtlKind::Static, "f'(x) =", 14, 92, 40, 10},
        {kDeriv1, TCtlKind::Static, "", 56, 91, 170, 11, SS_SUNKEN},
        {kDeriv2Label, TCtlKind::Static, "f''(x) =", 14, 106, 40, 10},
        {kDeriv2, TCtlKind::Static, "", 56, 105, 170, 11, SS_SUNKEN},
        {216, TCtlKind::Static, "", 8, 124, 224, 22, SS_SUNKEN},
        {IDOK, TCtlKind::PushButton, "&OK", 8, 152, 50, 14},
        {302, TCtlKind::PushButton, "&Hilfe", 182, 152, 50, 14},
    };
    return r;
}

const TDialogResourceRegistrar registerGetPos("ORVLDLGS.DLL", 514, GetPosLayout());

TModule& OwnModule() {
    static TModule module("ORVLDLGS.DLL", false);
    return module;
}

const char kUndefined[] = "nicht definiert";

// A value as the suite shows it, or "nicht definiert" after an error or outside the range.
// The numerical derivatives are shown with 8 digits: their last digits would be noise.
std::string ValueText(vdFunction& f, long double v, int digits) {
    if (f.GetGlobalError() >= 1 || !(v < CORRldERR && v > -CORRldERR)) return kUndefined;
    char out[100];
    ldtochar(out, v, digits, true);
    return std::strcmp(out, "-0") == 0 ? "0" : out;
}

} // namespace

vdGetPosDlg::vdGetPosDlg(TWindow* parent, vdFunction* FunkObjIn, long double x,
                         FudiTransStructDef* record, TResId resId, TModule* module)
    : TDialog(parent, resId, module ? module : &OwnModule()), FunkObj(FunkObjIn), StartX(x),
      Record(record), Is3D(record && record->Is3D == 1) {
    XEdit = new TTalkFunkEdit(
        this, kXEdit, 1, 216,
        "Geben Sie bei 'x=' die Stelle ein, an der die Funktion berechnet werden soll.", "0", 0,
        nullptr, 300);
    YEdit = Is3D ? new TTalkFunkEdit(this, kYEdit, 1, 216,
                                     "Geben Sie bei 'y=' den y-Wert der Stelle ein.", "0", 0,
                                     nullptr, 300)
                 : nullptr;
    new TTalkButton(this, kBerechnen, 216,
                    "Drücken Sie 'Berechnen', um die Funktionswerte an der Stelle zu berechnen.",
                    "", "");
    new TTalkStatic(this, kValue, 216, "Hier steht der Funktionswert an der Stelle.", 0);
    new TTalkStatic(this, kDeriv1, 216, "Hier steht der Wert der ersten Ableitung an der Stelle.",
                    0);
    new TTalkStatic(this, kDeriv2, 216, "Hier steht der Wert der zweiten Ableitung an der Stelle.",
                    0);
    new TTalkButton(this, IDOK, 216, "Drücken Sie 'OK', um den Dialog zu schließen.", "", "");
    new TTalkButton(this, 302, 216, "Drücken Sie 'Hilfe', um Hilfe zu diesem Dialog zu erhalten.",
                    "", "");
    OnClicked(kBerechnen, &vdGetPosDlg::BNClickedBerechnen);
    OnClicked(302, &vdGetPosDlg::BNClickedHelp);
    if (!FunkObj && Record) {
        // Without the caller's object the record's text is computed on its own.
        OwnFunc = new vdFunction(Record->Funktion, 6, "xyzuvw", 1, nullptr, false, false);
        FunkObj = OwnFunc;
    }
}

vdGetPosDlg::~vdGetPosDlg() {
    delete OwnFunc;
}

void vdGetPosDlg::SetupWindow() {
    TDialog::SetupWindow();
    std::string text = Is3D ? "f(x,y) = " : "f(x) = ";
    if (Record) {
        // Only the function itself: the symbolic derivative may follow from character 600 on.
        text += std::string(Record->Funktion, strnlen(Record->Funktion, 600));
    }
    SetDlgItemText(kFunctionText, text.c_str());
    char x[100];
    SetDlgItemText(kXEdit, ldtochar(x, StartX, 15, true));
    if (Is3D) {
        SetDlgItemText(kValueLabel, "f(x,y) =");
        for (int id : {kDeriv1Label, kDeriv1, kDeriv2Label, kDeriv2})
            ::ShowWindow(GetDlgItem(id), SW_HIDE);
    } else {
        ::ShowWindow(GetDlgItem(kYLabel), SW_HIDE);
        ::ShowWindow(GetDlgItem(kYEdit), SW_HIDE);
    }
    Berechne();
    XEdit->SetFocus();
}

bool vdGetPosDlg::ReadPosition(TTalkFunkEdit* edit, long double& value) {
    // A check that failed on leaving the edit has shown its message already.
    if (edit->HatFehler()) {
        edit->SetFocus();
        return false;
    }
    const char* text = *edit->GetFunktion() ? edit->GetFunktion() : edit->GetFillText();
    if (!TTalkFunkEdit::Auswerten(this, text, nullptr, nullptr, &value)) {
        edit->SetFocus();
        return false;
    }
    return true;
}

bool vdGetPosDlg::Berechne() {
    long double x = 0, y = 0;
    if (!ReadPosition(XEdit, x)) return false;
    if (YEdit && !ReadPosition(YEdit, y)) return false;
    if (!FunkObj) {
        for (int id : {kValue, kDeriv1, kDeriv2}) SetDlgItemText(id, kUndefined);
        return true;
    }
    long double values[6] = {};
    if (Record) Record->Var.HoleWerte(values);
    values[0] = x;
    if (Is3D) values[1] = y;
    vdFunction& f = *FunkObj;
    const std::string value = ValueText(f, f.GetResultExt(values), 15);
    SetDlgItemText(kValue, value.c_str());
    if (Is3D) return true;
    // Where f itself is not defined its difference quotients would still give numbers.
    if (value == kUndefined) {
        SetDlgItemText(kDeriv1, kUndefined);
        SetDlgItemText(kDeriv2, kUndefined);
        return true;
    }
    const long double d1 = f.GetPDerivationExt(1, values, 0, true, 0);
    SetDlgItemText(kDeriv1, ValueText(f, d1, 8).c_str());
    const long double d2 = f.GetPDerivationExt(2, values, 0, true, 0);
    SetDlgItemText(kDeriv2, ValueText(f, d2, 8).c_str());
    return true;
}

void vdGetPosDlg::BNClickedHelp() {
    WinExec("HH.EXE mk:@MSITStore:orvlhilf5.chm::html/funktionswerte.htm", SW_SHOW);
}
