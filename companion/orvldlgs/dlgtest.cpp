// A window that opens the selection dialogs on records of its own, for the dialog scripts that
// test this library inside the program: the module "dlgtest".
#include "dlgres.h"
#include "fudirecord.h"
#include "modreg.h"
#include "orvldlgs.h"
#include "vdfunction.h"
#include "winapi.h"

#include <cstring>
#include <memory>
#include <string>

namespace {

constexpr TResId kTestDialog = 30300;

TDlgResource TestLayout() {
    TDlgResource r;
    r.caption = "Auswahldialoge";
    r.cx = 260, r.cy = 150;
    r.items = {
        {201, TCtlKind::PushButton, "&Variablen...", 8, 8, 70, 14},
        {202, TCtlKind::PushButton, "Variablen &3D...", 84, 8, 70, 14},
        {101, TCtlKind::PushButton, "x=", 200, 8, 30, 14},
        {203, TCtlKind::PushButton, "&Stelle...", 8, 26, 70, 14},
        {204, TCtlKind::PushButton, "Stelle 3&D...", 84, 26, 70, 14},
        {1103, TCtlKind::Edit, "x^3-4*x", 160, 27, 92, 12},
        {230, TCtlKind::Static, "", 8, 46, 244, 10},
        {231, TCtlKind::Static, "", 8, 58, 244, 30},
        {232, TCtlKind::Static, "", 8, 90, 244, 10},
        {216, TCtlKind::Static, "", 8, 106, 244, 20, SS_SUNKEN},
        {IDCANCEL, TCtlKind::PushButton, "&Beenden", 8, 132, 50, 14},
        {302, TCtlKind::PushButton, "&Hilfe", 64, 132, 50, 14},
    };
    return r;
}

const TDialogResourceRegistrar registerTest("ORVLDLGS.DLL", kTestDialog, TestLayout());

class TDlgTestDialog : public TDialog {
public:
    explicit TDlgTestDialog(TWindow* parent)
        : TDialog(parent, kTestDialog, &Module()), plot_(std::make_unique<FudiTransStructDef>()),
          surface_(std::make_unique<FudiTransStructDef>()) {
        desc_ = new vdVarDescButton(this, 101, "xyzuvw", 216, "Test", "Test", "");
        new TTalkButton(this, 201, 216, "Drücken Sie 'Variablen...', um y bis w festzulegen.", "",
                        "");
        new TTalkButton(this, 202, 216, "Drücken Sie 'Variablen 3D...', um z bis w festzulegen.",
                        "", "");
        new TTalkButton(this, 203, 216, "Drücken Sie 'Stelle...', um Werte von f(x) abzulesen.", "",
                        "");
        new TTalkButton(this, 204, 216, "Drücken Sie 'Stelle 3D...', um f(x,y) abzulesen.", "", "");
        new TTalkButton(this, IDCANCEL, 216, "Drücken Sie 'Beenden', um den Dialog zu beenden.", "",
                        "");
        new TTalkButton(this, 302, 216,
                        "Drücken Sie 'Hilfe', um Hilfe zu diesem Dialog zu erhalten.", "", "");
        new TTalkEdit(this, 1103, 0, 216, "Geben Sie hier die Funktion f(x) für 'Stelle...' ein.",
                      "0", 250);
        OnClicked(201, &TDlgTestDialog::BNClickedVar);
        OnClicked(202, &TDlgTestDialog::BNClickedVar3D);
        OnClicked(203, &TDlgTestDialog::BNClickedStelle);
        OnClicked(204, &TDlgTestDialog::BNClickedStelle3D);
        OnClicked(101, &TDlgTestDialog::BNClickedDesc);
        OnClicked(302, &TDlgTestDialog::BNClickedHelp);

        var_.SetzeVar("1", "2", "0", "0", "0", "0");
        std::strcpy(plot_->Funktion, "x^3-4*x");
        plot_->Var.SetzeVar("0", "0", "0", "0", "0", "0");
        std::strcpy(surface_->Funktion, "x*y+z");
        surface_->Is3D = 1;
        surface_->Var.SetzeVar("0", "0", "10", "0", "0", "0");
    }

    void SetupWindow() override {
        TDialog::SetupWindow();
        ShowRecord(var_);
        if (Parent) Parent->SetCaption("Auswahldialoge - Unbenannt");
    }

private:
    static TModule& Module() {
        static TModule module("ORVLDLGS.DLL", false);
        return module;
    }
    void ShowRecord(const TTlkFETransStructDef& v) {
        long double values[6];
        v.HoleWerte(values);
        std::string s;
        char value[100];
        for (int i = 0; i < 6; ++i)
            s += std::string(i ? ", " : "") + "xyzuvw"[i] + "=" + v.Text(i) + " (" +
                 ldtochar(value, values[i], 15, true) + ")";
        SetDlgItemText(231, s.c_str());
    }
    void RunVarSelect(bool mode3D) {
        TModule dlgs("ORVLDLGS.DLL");
        const int result = vdVarSelect(this, &var_, true, mode3D, 512, &dlgs).Execute();
        SetDlgItemText(230, ("Ergebnis: " + std::to_string(result)).c_str());
        ShowRecord(var_);
    }
    void BNClickedVar() { RunVarSelect(false); }
    void BNClickedVar3D() { RunVarSelect(true); }
    void BNClickedStelle() {
        TModule dlgs("ORVLDLGS.DLL");
        GetDlgItemText(1103, plot_->Funktion, 251);
        vdFunction f(plot_->Funktion, 6, "xyzuvw", 1, nullptr, false, false);
        vdGetPosDlg(this, &f, 1.5L, plot_.get(), 514, &dlgs).Execute();
    }
    void BNClickedStelle3D() {
        TModule dlgs("ORVLDLGS.DLL");
        // Without the caller's function object the dialog builds its own from the record.
        vdGetPosDlg(this, nullptr, 0, surface_.get(), 514, &dlgs).Execute();
    }
    void BNClickedDesc() {
        SetDlgItemText(232, (std::string("Variable: ") + desc_->GetVarName()).c_str());
    }
    void BNClickedHelp() {
        WinExec("HH.EXE mk:@MSITStore:orvlhilf5.chm::html/auswahldialoge.htm", SW_SHOW);
    }

    TTlkFETransStructDef var_{};
    std::unique_ptr<FudiTransStructDef> plot_, surface_;
    vdVarDescButton* desc_;
};

const TModuleRegistrar registrar({"dlgtest", "Auswahldialoge", [](THostContext& context) {
                                      return static_cast<TWindow*>(
                                          new TDlgTestDialog(context.Frame()));
                                  }});

} // namespace
