// A dialog with every talking control, a frame picture and an animation, for the dialog scripts
// that test this library inside the program: it opens as the module "ctltest" in a frame like
// every module, with the frame's status bar.
#include "dialog.h"
#include "dlgres.h"
#include "modreg.h"
#include "pictures.h"
#include "talk.h"
#include "winapi.h"

#include <string>

namespace {

constexpr TResId kControlsDialog = 30100;

TDlgResource ControlsLayout() {
    TDlgResource r;
    r.caption = "Steuerelemente";
    r.cx = 300, r.cy = 200;
    r.items = {
        {120, TCtlKind::GroupBox, "Ergebnis", 12, 8, 176, 52},
        {1101, TCtlKind::Edit, "x^3-4*x", 20, 22, 120, 12},
        {1003, TCtlKind::Edit, "0", 146, 22, 34, 12},
        {230, TCtlKind::Static, "Ergebnis: 0", 20, 40, 160, 10},
        {208, TCtlKind::Frame, "", 6, 4, 188, 60},
        {400, TCtlKind::Frame, "", 210, 8, 40, 40},
        {201, TCtlKind::PushButton, "&Start", 206, 52, 42, 14},
        {202, TCtlKind::PushButton, "S&topp", 252, 52, 42, 14},
        {261, TCtlKind::PushButton, "&Taschenrechner öffnen >>", 12, 70, 110, 14},
        {296, TCtlKind::PushButton, "&Statuszeile", 128, 70, 60, 14},
        {205, TCtlKind::PushButton, "&Bild fehlt", 194, 70, 54, 14},
        {240, TCtlKind::ListBox, "", 12, 90, 60, 36},
        {250, TCtlKind::ComboBox, "", 80, 90, 50, 50, CBS_DROPDOWNLIST},
        {270, TCtlKind::RadioButton, "DE&G", 140, 90, 30, 10, WS_GROUP},
        {271, TCtlKind::RadioButton, "&RAD", 140, 102, 30, 10},
        {282, TCtlKind::CheckBox, "s&chnell", 140, 114, 40, 10},
        {290, TCtlKind::PushButton, "", 194, 90, 22, 14},
        {291, TCtlKind::PushButton, "", 220, 90, 22, 14},
        {292, TCtlKind::PushButton, "", 246, 90, 22, 14},
        {216, TCtlKind::Static, "", 12, 134, 276, 20, SS_SUNKEN},
        {IDCANCEL, TCtlKind::PushButton, "&Beenden", 12, 176, 50, 14},
        {302, TCtlKind::PushButton, "&Hilfe", 68, 176, 50, 14},
    };
    return r;
}

const TDialogResourceRegistrar registerControls("ORVLOWL.DLL", kControlsDialog, ControlsLayout());

const char kOpen[] = "&Taschenrechner öffnen >>";
const char kClose[] = "&Taschenrechner schliessen <<";

class TControlsDialog : public TDialog {
public:
    TControlsDialog(TWindow* parent, TExtStatusBar* bar)
        : TDialog(parent, kControlsDialog, &Module()), bar_(bar) {
        new TTalkEdit(this, 1101, 2, 216,
                      "Geben Sie bei 'Berechnungsfunktion' eine Funktion mit den gewünschten "
                      "Variablen (x,y,z,u,v,w) ein.",
                      "0", 251);
        new TTalkEdit(this, 1003, 1, 216,
                      "Geben Sie bei 'x=' den zu verwendenden Wert für die x-Variable ein.", "0",
                      30);
        new TTalkStatic(this, 230, 216, "Hier steht das Ergebnis der Berechnung.", 0);
        new TTalkMetaControl(this, 208, 216,
                             "Im Ergebnisfeld sehen Sie das aktuelle Ergebnis der Berechnung.",
                             "RESULT.vdm", 0);
        run_ = new vdRunPictControl(this, 400, 216, "Die Figur springt, solange gerechnet wird.",
                                    "JMPB1.VDB");
        new TTalkButton(this, 201, 216, "Drücken Sie 'Start', um die Figur springen zu lassen.", "",
                        "");
        new TTalkButton(this, 202, 216, "Drücken Sie 'Stopp', um die Figur anzuhalten.", "", "");
        new TTalkButton(this, 261, 216, "Drücken Sie '<<', um den Taschenrechner zu schließen.",
                        kOpen, "Drücken Sie '>>', um den Taschenrechner zu öffnen.");
        statusButton_ =
            new TTalkButton(this, 296, 0, "Diese Schaltfläche spricht zur Statuszeile.", "", "");
        new TTalkButton(this, 205, 216, "Drücken Sie 'Bild fehlt', um ein fehlendes Bild zu laden.",
                        "", "");
        new TTalkListBox(this, 240, 216, "Wählen Sie eine Zeile der Liste.");
        new TTalkComboBox(this, 250, 216, "Wählen Sie das Stellenwertsystem der Ausgabe.", 0);
        new TTalkRadioButton(this, 270, 216, "Wählen Sie DEG, um in Altgrad zu rechnen.");
        new TTalkRadioButton(this, 271, 216, "Wählen Sie RAD, um im Bogenmaß zu rechnen.");
        new TTalkControl(this, 282, 216,
                         "Markieren Sie 'schnell', um die Berechnungen zu beschleunigen.");
        new TTalkButtonP(this, 290, 0, 216, "Blau zeichnen", "", "");
        new TTalkButtonP(this, 291, 1, 216, "Rot zeichnen", "", "");
        new TTalkButtonP(this, 292, 2, 216, "Grün zeichnen", "", "");
        new TTalkButton(this, IDCANCEL, 216, "Drücken Sie 'Beenden', um den Dialog zu beenden.", "",
                        "");
        new TTalkButton(this, 302, 216,
                        "Drücken Sie 'Hilfe', um Hilfe zu diesem Dialog zu erhalten.", "", "");
        OnClicked(201, &TControlsDialog::BNClickedStart);
        OnClicked(202, &TControlsDialog::BNClickedStopp);
        OnClicked(261, &TControlsDialog::BNClickedRechner);
        OnClicked(296, &TControlsDialog::BNClickedStatus);
        OnClicked(205, &TControlsDialog::BNClickedBildFehlt);
        OnClicked(302, &TControlsDialog::BNClickedHelp);
    }

    void SetupWindow() override {
        TDialog::SetupWindow();
        run_->SetRunningPicts("JMPB1.VDB", 2, "JMPB2.VDB", "JMPB3.VDB", "JMPB4.VDB", "JMPB5.VDB",
                              "JMPB6.VDB", "JMPB7.VDB", "JMPB8.VDB", "JMPB9.VDB", "JMPB10.VDB",
                              "JMPB11.VDB", "JMPB12.VDB", "JMPB13.VDB", "JMPB14.VDB", "JMPB15.VDB",
                              "", "");
        statusButton_->SetStatusBar(bar_);
        if (bar_) bar_->SetHintText("Bereit");
        auto* list = dynamic_cast<TListBox*>(ChildWithId(240));
        for (const char* s : {"f(x)", "f'(x)", "f''(x)"}) list->AddString(s);
        auto* combo = dynamic_cast<TComboBox*>(ChildWithId(250));
        for (const char* s : {"DEC", "BIN", "HEX", "OCT"}) combo->AddString(s);
        combo->SetSelIndex(0);
        CheckDlgButton(270, BF_CHECKED);
        ::EnableWindow(GetDlgItem(202), false);
        if (Parent) Parent->SetCaption("Steuerelemente - Unbenannt");
    }

    void EvTimer(unsigned id) override {
        TDialog::EvTimer(id);
        // The stop button waits a moment, so that a stop always sees the figure jump.
        if (id != kStopReady) return;
        KillTimer(kStopReady);
        ::EnableWindow(GetDlgItem(202), true);
    }

private:
    enum : unsigned { kStopReady = 7 };
    static TModule& Module() {
        static TModule module("ORVLOWL.DLL", false);
        return module;
    }
    void BNClickedStart() {
        ::EnableWindow(GetDlgItem(201), false);
        run_->StartRunning(80);
        SetDlgItemText(230, "Die Figur springt.");
        SetTimer(kStopReady, 1200);
    }
    void BNClickedStopp() {
        ::EnableWindow(GetDlgItem(202), false);
        run_->StopRunning(false);
        const std::string text = "Angehalten bei Bild " + std::to_string(run_->GetCurrentFrame());
        SetDlgItemText(230, text.c_str());
        ::EnableWindow(GetDlgItem(201), true);
    }
    void BNClickedRechner() {
        char caption[100];
        GetDlgItemText(261, caption, sizeof caption);
        SetDlgItemText(261, CompareNoCase(caption, kOpen) == 0 ? kClose : kOpen);
    }
    void BNClickedStatus() {
        char text[200] = "";
        if (bar_) bar_->HoleText(text);
        SetDlgItemText(230, (std::string("Statuszeile: ") + text).c_str());
    }
    void BNClickedBildFehlt() { vdMetafile missing(this, "FEHLT.vdm"); }
    void BNClickedHelp() {
        WinExec("HH.EXE mk:@MSITStore:orvlhilf5.chm::html/steuerelemente.htm", SW_SHOW);
    }

    TExtStatusBar* bar_;
    vdRunPictControl* run_;
    TTalkButton* statusButton_;
};

const TModuleRegistrar registrar({"ctltest", "Steuerelemente", [](THostContext& context) {
                                      TStatusBar* bar = context.Frame()
                                                            ? context.Frame()->GetStatusBar()
                                                            : nullptr;
                                      return static_cast<TWindow*>(new TControlsDialog(
                                          context.Frame(), dynamic_cast<TExtStatusBar*>(bar)));
                                  }});

} // namespace
