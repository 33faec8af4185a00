// A dialog with function edits and a variable record, for the dialog scripts that test the
// function edit inside the program: it opens as the module "fetest" in a frame like every
// module.
#include "dialog.h"
#include "dlgres.h"
#include "funkedit.h"
#include "modreg.h"
#include "vdparser.h"
#include "winapi.h"

#include <string>

namespace {

constexpr TResId kFunkEditDialog = 30200;

TDlgResource FunkEditLayout() {
    TDlgResource r;
    r.caption = "Funktionsfelder";
    r.cx = 280, r.cy = 196;
    r.items = {
        {401, TCtlKind::Static, "Wert &a:", 10, 12, 44, 10},
        {1101, TCtlKind::Edit, "", 60, 10, 140, 12},
        {402, TCtlKind::Static, "Wert &b:", 10, 28, 44, 10},
        {1102, TCtlKind::Edit, "", 60, 26, 140, 12},
        {403, TCtlKind::Static, "&f(x,y) =", 10, 44, 44, 10},
        {1103, TCtlKind::Edit, "x+1", 60, 42, 140, 12},
        {203, TCtlKind::PushButton, "&Schreibe a", 208, 9, 62, 14},
        {204, TCtlKind::PushButton, "&Ausdrücke", 208, 25, 62, 14},
        {120, TCtlKind::GroupBox, "Variablen", 6, 60, 268, 70},
        {404, TCtlKind::Static, "x-Text:", 14, 76, 40, 10},
        {1104, TCtlKind::Edit, "2", 60, 74, 100, 12},
        {201, TCtlKind::PushButton, "Setze &x", 166, 73, 50, 14},
        {405, TCtlKind::Static, "y-Text:", 14, 92, 40, 10},
        {1105, TCtlKind::Edit, "pi", 60, 90, 100, 12},
        {202, TCtlKind::PushButton, "Setze &y", 166, 89, 50, 14},
        {230, TCtlKind::Static, "", 14, 108, 254, 18},
        {231, TCtlKind::Static, "", 10, 134, 260, 18},
        {216, TCtlKind::Static, "", 6, 156, 268, 18, SS_SUNKEN},
        {IDCANCEL, TCtlKind::PushButton, "&Beenden", 6, 178, 50, 14},
        {302, TCtlKind::PushButton, "&Hilfe", 62, 178, 50, 14},
    };
    return r;
}

const TDialogResourceRegistrar registerFunkEdit("ORVLOWL.DLL", kFunkEditDialog, FunkEditLayout());

class TFunkEditDialog : public TDialog {
public:
    explicit TFunkEditDialog(TWindow* parent) : TDialog(parent, kFunkEditDialog, &Module()) {
        a_ = new TTalkFunkEdit(this, 1101, 0, 216,
                               "Geben Sie bei 'a' eine Zahl oder einen Ausdruck wie pi/2 ein.", "0",
                               1, nullptr, 300);
        b_ = new TTalkFunkEdit(this, 1102, 1, 216,
                               "Geben Sie bei 'b' eine Zahl oder einen Ausdruck ein.", "1", 0,
                               nullptr, 300);
        f_ = new TTalkFunkEdit(this, 1103, 2, 216,
                               "Geben Sie bei 'f(x,y)' einen Ausdruck in den Variablen ein.", "0",
                               1, &var_, 300);
        new TTalkEdit(this, 1104, 0, 216, "Geben Sie den Text der Variablen x ein.", "0", 300);
        new TTalkEdit(this, 1105, 0, 216, "Geben Sie den Text der Variablen y ein.", "0", 300);
        new TTalkButton(this, 201, 216, "Drücken Sie 'Setze x', um die Variable x zu setzen.", "",
                        "");
        new TTalkButton(this, 202, 216, "Drücken Sie 'Setze y', um die Variable y zu setzen.", "",
                        "");
        new TTalkButton(this, 203, 216, "Drücken Sie 'Schreibe a', um 'a' einen Text zu geben.", "",
                        "");
        new TTalkButton(this, 204, 216,
                        "Drücken Sie 'Ausdrücke', um die eingegebenen Ausdrücke zu sehen.", "", "");
        new TTalkButton(this, IDCANCEL, 216, "Drücken Sie 'Beenden', um den Dialog zu beenden.", "",
                        "");
        new TTalkButton(this, 302, 216,
                        "Drücken Sie 'Hilfe', um Hilfe zu diesem Dialog zu erhalten.", "", "");
        OnClicked(201, &TFunkEditDialog::BNClickedSetzeX);
        OnClicked(202, &TFunkEditDialog::BNClickedSetzeY);
        OnClicked(203, &TFunkEditDialog::BNClickedSchreibe);
        OnClicked(204, &TFunkEditDialog::BNClickedAusdruecke);
        OnClicked(302, &TFunkEditDialog::BNClickedHelp);
    }

    void SetupWindow() override {
        TDialog::SetupWindow();
        ShowRecord();
        if (Parent) Parent->SetCaption("Funktionsfelder - Unbenannt");
    }

private:
    static TModule& Module() {
        static TModule module("ORVLOWL.DLL", false);
        return module;
    }
    void SetVariable(int textId, int index) {
        char text[300];
        GetDlgItemText(textId, text, sizeof text);
        const char* args[6] = {"", "", "", "", "", ""};
        args[index] = text;
        var_.SetzeVar(args[0], args[1], args[2], args[3], args[4], args[5]);
        ShowRecord();
    }
    void ShowRecord() {
        std::string s = "gesetzt=" + std::to_string(var_.Gesetzt);
        long double values[6];
        var_.HoleWerte(values);
        char value[100];
        for (int i = 0; i < 2; ++i) {
            s += std::string(i ? ", " : " ") + "xyzuvw"[i] + "=" + var_.Text(i) + " (" +
                 ldtochar(value, values[i], 15, true) + ")";
        }
        SetDlgItemText(230, s.c_str());
    }
    void BNClickedSetzeX() { SetVariable(1104, 0); }
    void BNClickedSetzeY() { SetVariable(1105, 1); }
    void BNClickedSchreibe() { SetDlgItemText(1101, "2*pi"); }
    void BNClickedAusdruecke() {
        const std::string s = std::string("a: ") + a_->GetFunktion() +
                              " | b: " + b_->GetFunktion() + " | f: " + f_->GetFunktion();
        SetDlgItemText(231, s.c_str());
    }
    void BNClickedHelp() {
        WinExec("HH.EXE mk:@MSITStore:orvlhilf5.chm::html/funktionsfelder.htm", SW_SHOW);
    }

    TTlkFETransStructDef var_{};
    TTalkFunkEdit *a_, *b_, *f_;
};

const TModuleRegistrar registrar({"fetest", "Funktionsfelder", [](THostContext& context) {
                                      return static_cast<TWindow*>(
                                          new TFunkEditDialog(context.Frame()));
                                  }});

} // namespace
