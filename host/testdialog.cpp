// A dialog with every kind of control, for the dialog scripts that test the window layer and
// the program: it opens as the module "testdialog" in a frame like every module.
#include "controls.h"
#include "dialog.h"
#include "dlgres.h"
#include "filedlg.h"
#include "frame.h"
#include "modreg.h"
#include "privateprofile.h"
#include "winapi.h"

#include <string>

namespace {

constexpr TResId kTestDialog = 30000, kSubDialog = 30001;

TDlgResource TestLayout() {
    TDlgResource r;
    r.caption = "Testdialog";
    r.cx = 300, r.cy = 200;
    r.items = {
        {101, TCtlKind::Edit, "", 10, 10, 90, 12},
        {102, TCtlKind::Edit, "", 10, 26, 90, 28, ES_MULTILINE | WS_VSCROLL},
        {103, TCtlKind::Static, "Ergebnis", 110, 10, 180, 10},
        {104, TCtlKind::ListBox, "", 10, 60, 60, 40},
        {105, TCtlKind::ComboBox, "", 80, 60, 60, 50, CBS_DROPDOWNLIST},
        {106, TCtlKind::ComboBox, "", 150, 60, 60, 50, CBS_DROPDOWN},
        {107, TCtlKind::CheckBox, "&schnell", 220, 60, 60, 10},
        {110, TCtlKind::GroupBox, "Winkelargument", 110, 24, 90, 32},
        {108, TCtlKind::RadioButton, "DE&G", 116, 36, 36, 10, WS_GROUP},
        {109, TCtlKind::RadioButton, "&RAD", 156, 36, 36, 10},
        {118, TCtlKind::Frame, "", 210, 24, 80, 30, SS_SUNKEN},
        {111, TCtlKind::PushButton, "&Unterdialog...", 10, 108, 64, 14},
        {112, TCtlKind::PushButton, "&Meldung", 80, 108, 50, 14},
        {113, TCtlKind::PushButton, "S&perren", 136, 108, 50, 14},
        {114, TCtlKind::PushButton, "&Ziel", 192, 108, 40, 14},
        {115, TCtlKind::PushButton, "Verborgen", 238, 108, 50, 14, WS_NOTVISIBLE},
        {116, TCtlKind::PushButton, "Gesperrt", 10, 128, 50, 14, WS_DISABLED},
        {117, TCtlKind::PushButton, "&Rechnen", 66, 128, 50, 14},
        {119, TCtlKind::PushButton, "&Speichern", 122, 128, 50, 14},
        {120, TCtlKind::PushButton, "&Laden", 178, 128, 50, 14},
        {121, TCtlKind::PushButton, "Sch&leife", 234, 128, 50, 14},
        {216, TCtlKind::Static, "", 10, 150, 280, 10, SS_SUNKEN},
        {IDOK, TCtlKind::PushButton, "OK", 10, 176, 50, 14, BS_DEFPUSHBUTTON},
        {IDCANCEL, TCtlKind::PushButton, "&Beenden", 70, 176, 50, 14},
        {302, TCtlKind::PushButton, "&Hilfe", 130, 176, 50, 14},
    };
    return r;
}

TDlgResource SubLayout() {
    TDlgResource r;
    r.caption = "Unterdialog";
    r.cx = 160, r.cy = 70;
    r.items = {
        {201, TCtlKind::Edit, "", 10, 10, 140, 12},
        {203, TCtlKind::PushButton, "&Frage", 10, 30, 50, 14},
        {IDOK, TCtlKind::PushButton, "OK", 10, 50, 40, 14, BS_DEFPUSHBUTTON},
        {IDCANCEL, TCtlKind::PushButton, "Abbrechen", 56, 50, 50, 14},
        {302, TCtlKind::PushButton, "&Hilfe", 112, 50, 40, 14},
    };
    return r;
}

const TDialogResourceRegistrar registerTest("ORVELIN.EXE", kTestDialog, TestLayout());
const TDialogResourceRegistrar registerSub("ORVELIN.EXE", kSubDialog, SubLayout());

class TSubDialog : public TDialog {
public:
    TSubDialog(TWindow* parent, std::string& result)
        : TDialog(parent, kSubDialog, &TModule::Program()), result_(result) {
        OnClicked(203, &TSubDialog::BNClickedFrage);
        OnClicked(302, &TSubDialog::BNClickedHelp);
    }
    bool CanClose() override {
        char text[100];
        GetDlgItemText(201, text, sizeof text);
        if (std::string(text) == "nein") {
            MessageBox("Eingabe:\r \"nein\" wird nicht angenommen.", "Unterdialog", MB_ICONSTOP);
            return false;
        }
        result_ = text;
        return true;
    }
    void BNClickedFrage() {
        int answer = MessageBox("Weiter?", "Frage", MB_YESNO | MB_ICONQUESTION);
        SetDlgItemText(201, answer == IDYES ? "Ja" : "Nein");
    }
    void BNClickedHelp() {
        WinExec("HH.EXE mk:@MSITStore:orvlhilf5.chm::html/subdlg.htm", SW_SHOW);
    }

private:
    std::string& result_;
};

// A button that tells the frame's status bar what it is for while the mouse is over it.
class THintButton : public TButton {
public:
    THintButton(TWindow* parent, int id, const char* hint) : TButton(parent, id), hint_(hint) {}
    bool EvSetCursor(HWND, unsigned, unsigned) override {
        auto* frame = dynamic_cast<TDecoratedFrame*>(Parent ? Parent->Parent : nullptr);
        if (frame && frame->GetStatusBar()) frame->GetStatusBar()->SetHintText(hint_);
        return false;
    }

private:
    const char* hint_;
};

class TTestDialog : public TDialog {
public:
    TTestDialog(TWindow* parent, const std::string& progDir)
        : TDialog(parent, kTestDialog, &TModule::Program()), progDir_(progDir) {
        list_ = new TListBox(this, 104);
        combo_ = new TComboBox(this, 105);
        new THintButton(this, 114, "Drücken Sie 'Ziel', um das Ziel zu treffen.");
        OnClicked(111, &TTestDialog::BNClickedUnterdialog);
        OnClicked(112, &TTestDialog::BNClickedMeldung);
        OnClicked(113, &TTestDialog::BNClickedSperren);
        OnClicked(114, &TTestDialog::BNClickedZiel);
        OnClicked(117, &TTestDialog::BNClickedRechnen);
        OnClicked(119, &TTestDialog::BNClickedSpeichern);
        OnClicked(120, &TTestDialog::BNClickedLaden);
        OnClicked(121, &TTestDialog::BNClickedSchleife);
        OnClicked(302, &TTestDialog::BNClickedHelp);
        OnNotify(104, LBN_SELCHANGE, &TTestDialog::LBNSelChange);
        OnNotify(105, CBN_SELCHANGE, &TTestDialog::CBNSelChange);
        OnNotify(101, EN_SETFOCUS, &TTestDialog::ENSetFocus);
        AddAccelerator(VK_MULTIPLY, 114);
    }
    void SetupWindow() override {
        TDialog::SetupWindow();
        for (const char* s : {"eins", "zwei", "drei"}) list_->AddString(s);
        for (const char* s : {"DEC", "BIN", "HEX"}) combo_->AddString(s);
        combo_->SetSelIndex(0);
        CheckDlgButton(109, BF_CHECKED);
        if (Parent) Parent->SetCaption("Testdialog - Unbenannt");
    }
    void EvTimer(unsigned id) override {
        if (id != 1) return;
        KillTimer(1);
        SetDlgItemText(103, "fertig");
        ::EnableWindow(GetDlgItem(117), true);
    }

private:
    void BNClickedUnterdialog() {
        std::string result;
        if (TSubDialog(this, result).Execute() == IDOK)
            SetDlgItemText(103, ("Unterdialog: " + result).c_str());
        else
            SetDlgItemText(103, "Unterdialog abgebrochen");
    }
    void BNClickedMeldung() {
        MessageBox("Meldung:\r Dies ist eine Prüfung.", "Testdialog", MB_OK | MB_ICONINFORMATION);
    }
    void BNClickedSperren() {
        HWND target = GetDlgItem(114);
        ::EnableWindow(target, !::IsWindowEnabled(target));
    }
    void BNClickedZiel() { SetDlgItemText(216, "Ziel gedrückt"); }
    void BNClickedRechnen() {
        ::EnableWindow(GetDlgItem(117), false);
        SetDlgItemText(103, "rechnet");
        SetTimer(1, 300);
    }
    void BNClickedSpeichern() {
        TOpenSaveDialog::TData data(OFN_OVERWRITEPROMPT, "Test-Dateien (*.TST)|*.tst|", nullptr,
                                    nullptr, "tst");
        if (TFileSaveDialog(this, data, "Speichern der Aufgabenstellung").Execute() != IDOK) return;
        char text[100];
        GetDlgItemText(101, text, sizeof text);
        WritePrivateProfileString("Programm", "OrvlTest", "J", data.FileName);
        WritePrivateProfileString("Funktion", "f(x)", text, data.FileName);
        std::string shared = progDir_ + "orvltrn.ini";
        WritePrivateProfileString("Funktion", "f(x)", text, shared.c_str());
        SetDlgItemText(103, data.FileName);
    }
    void BNClickedLaden() {
        TOpenSaveDialog::TData data(OFN_FILEMUSTEXIST, "Test-Dateien (*.TST)|*.tst|", nullptr,
                                    nullptr, "tst");
        if (TFileOpenDialog(this, data, "Laden einer Aufgabenstellung").Execute() != IDOK) {
            SetDlgItemText(103, "nicht geladen");
            return;
        }
        char text[100];
        GetPrivateProfileString("Funktion", "f(x)", "", text, sizeof text, data.FileName);
        SetDlgItemText(101, text);
    }
    void BNClickedHelp() {
        WinExec("HH.EXE mk:@MSITStore:orvlhilf5.chm::html/testdlg.htm", SW_SHOW);
    }
    // A long computation that lets messages through, as the modules' searches do.
    void BNClickedSchleife() {
        SetDlgItemText(103, "Schleife läuft");
        unsigned long start = GetTickCount();
        while (GetTickCount() - start < 300) PumpWaitingMessages();
        SetDlgItemText(103, "Schleife fertig");
    }
    void LBNSelChange() {
        char text[50] = "";
        int i = list_->GetSelIndex();
        if (i >= 0) list_->GetString(text, i);
        SetDlgItemText(103, text);
    }
    void CBNSelChange() {
        char text[50] = "";
        combo_->GetText(text, sizeof text);
        SetDlgItemText(216, text);
    }
    void ENSetFocus() { SetDlgItemText(216, "Geben Sie einen Text ein."); }

    std::string progDir_;
    TListBox* list_;
    TComboBox* combo_;
};

const TModuleRegistrar registrar({"testdialog", "Testdialog",
                                  [](THostContext& context) -> TWindow* {
                                      return new TTestDialog(context.Frame(), context.ProgDir());
                                  }});

} // namespace
