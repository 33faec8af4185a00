#include "trechner.h"

#include "aufgabedlg.h"
#include "dc.h"
#include "dlgres.h"
#include "frame.h"
#include "funkedit.h"
#include "modreg.h"
#include "orvldlgs.h"
#include "pictures.h"
#include "rechlayout.h"
#include "settings.h"
#include "talk.h"
#include "vdcalculator.h"
#include "vdfunction.h"
#include "vdmainprintdlg.h"
#include "vdparser.h"
#include "vdprint.h"
#include "winapi.h"

#include <algorithm>
#include <cstring>
#include <ctime>
#include <string>
#include <vector>

namespace {

const int kVarIds[6] = {1003, 202, 203, 204, 205, 206};
const int kVarKeyIds[6] = {263, 264, 265, 267, 266, 268};
const char kVarNames[] = "xyzuvw";
// Keys 2–9 and the cube root: the digits the input bases do not all have.
const int kDigitKeys[9] = {247, 248, 237, 245, 246, 236, 243, 244, 230};
const int kHexKeys[6] = {109, 110, 251, 111, 112, 113};

const char kTitle[] = "Rechner";
const char kHelp[] = "HH.EXE mk:@MSITStore:orvlhilf5.chm::html/main9vzm.htm";
const char kFilter[] = "Rech-Dateien (*.REC)|*.rec|";
const char kUnreadable[] = "Datei:\r Die Datei besitzt kein lesbares Format.";
const char kNotSaved[] = "Datei:\r Die Aufgabenstellung konnte nicht gespeichert werden.";

// Longest function text the calculation reads from the field, and the longest it computes.
constexpr int kFunctionRead = 2620;
constexpr int kFunctionMax = 2500;

TModule& CalcModule() {
    static TModule module("CALCPAD.DLL", false);
    return module;
}

std::string WithoutQuotes(std::string text) {
    std::erase(text, '"');
    return text;
}

// "could not be saved", and the reason the layer gave (its text after "Datei:\r ").
std::string NotSavedText(const std::string& reason) {
    const std::string prefix = "Datei:\r ";
    if (reason.empty()) return kNotSaved;
    return std::string(kNotSaved) + "\r " +
           (reason.rfind(prefix, 0) == 0 ? reason.substr(prefix.size()) : reason);
}

const char* FileNameOf(const std::string& path) {
    const size_t slash = path.find_last_of("/\\");
    return path.c_str() + (slash == std::string::npos ? 0 : slash + 1);
}

// The key text of an accelerator command, or null.
const char* AcceleratorText(int id) {
    for (int a = 0; a < kRechAccel905Anzahl; ++a)
        if (kRechAccel905[a].id == id)
            for (int k = 0; k < kRechTastenAnzahl; ++k)
                if (kRechTasten[k].id == id) return kRechTasten[k].text;
    return nullptr;
}

} // namespace

TRechner::TRechner(RechTransStructDef* trans, TModule* module)
    : vdBasePrintDlg(nullptr, 101, module ? module : &CalcModule()), Trans(trans) {
    Init();
}

TRechner::TRechner(TWindow* parent, RechTransStructDef* trans, TResId resId, TModule* module)
    : vdBasePrintDlg(parent, resId, module ? module : &CalcModule()), Trans(trans) {
    Init();
}

TRechner::~TRechner() = default;

void TRechner::Init() {
    vdFuncTrace("void TRechner::Init()");
    Func = std::make_unique<vdFunction>("", 6, "xyzuvw", 1, nullptr, true, true);
    Calc = std::make_unique<vdCalculator>("", false, 6, "xyzuvw");
    if (Trans) CommandLine = Trans->AufgabenDatei;

    Function =
        new TTalkEdit(this, 1101, 2, 216,
                      "Geben Sie bei 'Berechnungsfunktion' eine Funktion mit den gewünschten "
                      "Variablen (x,y,z,u,v,w) ein.",
                      "0", 2700);
    for (int i = 0; i < 6; ++i) {
        const std::string v(1, kVarNames[i]);
        const std::string info =
            "Geben Sie bei '" + v + "=' den zu verwendenden Wert für die " + v + "-Variable ein.";
        VarEdit[i] =
            new TTalkFunkEdit(this, kVarIds[i], 1, 216, info.c_str(), "0", 0, nullptr, 300);
        const std::string key = "Drücken Sie '" + v + "', um die die Variable " + v +
                                " in die Taschenrechnerberechnung einzusetzen.";
        new TTalkButton(this, kVarKeyIds[i], 216, key.c_str(), "", "");
    }
    new TEdit(this, 283);
    new TTalkMetaControl(this, 208, 216,
                         "Im Ergebnisfeld sehen Sie das aktuelle Ergebnis der Berechnung.",
                         "RESULT.vdm");
    new TTalkMetaControl(
        this, 269, 216, "Benutzen Sie den Taschenrechner für eine einfachere Eingabe.", "CALC.vdm");
    new TTalkControl(this, 282, 216,
                     "Markieren Sie 'schnell', um die Berechnungen des Taschenrechners zu "
                     "beschleunigen.");
    new TTalkControl(
        this, 122, 216,
        "Wählen Sie DEG, RAD oder GRA, um das Winkelargument in Altgrad, Bogenmaß oder "
        "Neugrad einzugeben.");
    new TTalkControl(this, 121, 216,
                     "Wählen Sie DEC, BIN, HEX oder OCT, um das Stellenwertsystem der Eingabe in "
                     "Dezimal, Binär, Hexadezimal oder Oktal zu ändern.");
    new TTalkControl(this, 3656, 216,
                     "Wählen Sie DEC, BIN, HEX oder OCT, um das Stellenwertsystem der Ausgabe in "
                     "Dezimal, Binär, Hexadezimal oder Oktal zu ändern.");
    new TTalkButton(this, 201, 216, "Drücken Sie 'Berechne...', um die Berechnung auszuführen.", "",
                    "");
    new TTalkButton(this, 212, 216, "Drücken Sie 'Laden', um eine Aufgabenstellung zu laden.", "",
                    "");
    new TTalkButton(this, 211, 216,
                    "Drücken Sie 'Speichern', um die Aufgabenstellung zu speichern.", "", "");
    new TTalkButton(this, 218, 216, "Drücken Sie 'Drucken', um die Informationen zu drucken.", "",
                    "");
    new TTalkButton(this, 302, 216, "Drücken Sie 'Hilfe', um Hilfe zu diesem Dialog zu erhalten.",
                    "", "");
    new TTalkButton(this, IDCANCEL, 216, "Drücken Sie 'Beenden', um den Rechner zu beenden.", "",
                    "");
    new TTalkButton(this, 209, 216,
                    "Drücken Sie 'k', um die Funktion mit den Variablen (x,y,z,u,v,w) für andere "
                    "Programme zu kopieren.",
                    "", "");
    new TTalkButton(this, 210, 216,
                    "Drücken Sie 'e', um eine Funktion mit den Variablen (x,y,z,u,v,w) eines "
                    "anderen Programms einzufügen.",
                    "", "");
    PadButton =
        new TTalkButton(this, 261, 216, "Drücken Sie '<<', um den Taschenrechner zu schließen.",
                        kCaptionOpen, "Drücken Sie '>>', um den Taschenrechner zu öffnen.");
    new vdVarDescButton(this, 101, "xyzuvw", 216, "Test", "Test", "");
    new TButton(this, 10000);
    new TButton(this, 262);

    OnNotify(1101, EN_SETFOCUS, &TRechner::ENSetFocusEDITCalculate);
    OnClicked(201, &TRechner::BNClickedBerechne);
    OnClicked(261, &TRechner::BNClickedOpen);
    OnClicked(212, &TRechner::BNClickedLaden);
    OnClicked(211, &TRechner::BNClickedSpeichern);
    OnClicked(218, &TRechner::BNClickedDrucke);
    OnClicked(302, &TRechner::BNClickedHelp);
    OnClicked(209, &TRechner::BNClickedKopieren);
    OnClicked(210, &TRechner::BNClickedEinfuegen);
    OnClicked(117, &TRechner::BNClickedDEC);
    OnClicked(118, &TRechner::BNClickedBIN);
    OnClicked(119, &TRechner::BNClickedHEX);
    OnClicked(120, &TRechner::BNClickedOCT);
    OnClicked(125, &TRechner::BNClickedDECOut);
    OnClicked(126, &TRechner::BNClickedBINOut);
    OnClicked(127, &TRechner::BNClickedHEXOut);
    OnClicked(128, &TRechner::BNClickedOCTOut);
    OnClicked(114, &TRechner::BNClickedDEG);
    OnClicked(115, &TRechner::BNClickedRAD);
    OnClicked(116, &TRechner::BNClickedGRA);

    OnClicked(239, &TRechner::BNClicked0);
    OnClicked(238, &TRechner::BNClicked1);
    OnClicked(247, &TRechner::BNClicked2);
    OnClicked(248, &TRechner::BNClicked3);
    OnClicked(237, &TRechner::BNClicked4);
    OnClicked(245, &TRechner::BNClicked5);
    OnClicked(246, &TRechner::BNClicked6);
    OnClicked(236, &TRechner::BNClicked7);
    OnClicked(243, &TRechner::BNClicked8);
    OnClicked(244, &TRechner::BNClicked9);
    OnClicked(281, &TRechner::BNClicked00);
    OnClicked(249, &TRechner::BNClickedPoint);
    OnClicked(109, &TRechner::BNClickedhA);
    OnClicked(110, &TRechner::BNClickedhB);
    OnClicked(251, &TRechner::BNClickedhC);
    OnClicked(111, &TRechner::BNClickedhD);
    OnClicked(112, &TRechner::BNClickedhE);
    OnClicked(113, &TRechner::BNClickedhF);
    OnClicked(263, &TRechner::BNClickedx);
    OnClicked(264, &TRechner::BNClickedy);
    OnClicked(265, &TRechner::BNClickedz);
    OnClicked(267, &TRechner::BNClickedu);
    OnClicked(266, &TRechner::BNClickedv);
    OnClicked(268, &TRechner::BNClickedw);
    OnClicked(255, &TRechner::BNClickedadd);
    OnClicked(256, &TRechner::BNClickedsub);
    OnClicked(253, &TRechner::BNClickedmult);
    OnClicked(254, &TRechner::BNClickeddiv);
    OnClicked(257, &TRechner::BNClickedresult);
    OnClicked(kIdClear, &TRechner::BNClickedC);
    OnClicked(252, &TRechner::BNClickedAC);
    OnClicked(227, &TRechner::BNClickedsin);
    OnClicked(228, &TRechner::BNClickedcos);
    OnClicked(229, &TRechner::BNClickedtan);
    OnClicked(270, &TRechner::BNClickedcot);
    OnClicked(226, &TRechner::BNClickedasin);
    OnClicked(225, &TRechner::BNClickedacos);
    OnClicked(224, &TRechner::BNClickedatan);
    OnClicked(107, &TRechner::BNClickedacot);
    OnClicked(275, &TRechner::BNClickedsinh);
    OnClicked(276, &TRechner::BNClickedcosh);
    OnClicked(277, &TRechner::BNClickedtanh);
    OnClicked(108, &TRechner::BNClickedcoth);
    OnClicked(271, &TRechner::BNClickedarsinh);
    OnClicked(272, &TRechner::BNClickedarcosh);
    OnClicked(273, &TRechner::BNClickedartanh);
    OnClicked(274, &TRechner::BNClickedarcoth);
    OnClicked(278, &TRechner::BNClickedexp);
    OnClicked(217, &TRechner::BNClickedlg);
    OnClicked(219, &TRechner::BNClickedln);
    OnClicked(234, &TRechner::BNClickedMin);
    OnClicked(235, &TRechner::BNClickedMr);
    OnClicked(258, &TRechner::BNClickedMadd);
    OnClicked(260, &TRechner::BNClickedMsub);
    OnClicked(280, &TRechner::BNClickedMC);
    OnClicked(259, &TRechner::BNClickedpercent);
    OnClicked(232, &TRechner::BNClickedoBra);
    OnClicked(233, &TRechner::BNClickedcBra);
    OnClicked(124, &TRechner::BNClickedocBra);
    OnClicked(231, &TRechner::BNClickedp_m);
    OnClicked(215, &TRechner::BNClickedfacc);
    OnClicked(222, &TRechner::BNClickedcupm);
    OnClicked(207, &TRechner::BNClicked1divc);
    OnClicked(214, &TRechner::BNClickedcup2);
    OnClicked(213, &TRechner::BNClickedcup12);
    OnClicked(230, &TRechner::BNClickedcup13);
    OnClicked(220, &TRechner::BNClicked10upc);
    OnClicked(240, &TRechner::BNClickedrand);
    OnClicked(241, &TRechner::BNClickedpi);
    OnClicked(242, &TRechner::BNClickede);

    LoadRechAccelerators(*this, 905);
}

void TRechner::SetupWindow() {
    vdFuncTrace("void TRechner::SetupWindow()");
    vdBasePrintDlg::SetupWindow();
    SetCaption(kTitle);
    // A sound state before any task has been read: the reading defaults.
    SetzeWinkel(2);
    SetzeBasisIn(10);
    SetzeBasisOut(10);
    GroesseZuMarke(10000, false);
    SetTitle("");
    if (Trans) {
        // The working settings file holds the last task; before the first one there is none,
        // which is no error.
        TRechAufgabe task;
        LeseAufgabe(Trans->IniDatei, task);
        AufgabeInFelder(task);
        const std::string cmd = WithoutQuotes(CommandLine);
        if (*Trans->IniDatei)
            CorrWritePrivateProfileString("Programm", "Öffne direkt", cmd.c_str(), Trans->IniDatei);
        if (!cmd.empty() && TaskFileThere(cmd.c_str()) && HoleDaten(cmd.c_str())) {
            StoreTaskFile(cmd);
            SetTitle(cmd.c_str());
        }
    }
    FocusId(201);
}

// ---- keys -------------------------------------------------------------------------------------

void TRechner::EvCommand(unsigned id, HWND hWndCtl, unsigned notifyCode) {
    const char* accelText = notifyCode == BN_CLICKED ? AcceleratorText(int(id)) : nullptr;
    if (accelText) {
        // A click moves the focus onto the key; a key of the keyboard leaves it where it was.
        // Typed into a variable field, the numeric pad writes into that field.
        const HWND focus = ::GetFocus();
        for (TTalkFunkEdit* edit : VarEdit) {
            if (edit->GetHandle() == focus && id != 257) {
                edit->Insert(accelText);
                return;
            }
        }
        if (id == 257 && !PadOpen) {
            // Enter with the pad closed: computes when "Berechne..." has the focus, else
            // moves the focus there.
            BNClickedBerechne();
            FocusId(201);
            return;
        }
    }
    vdBasePrintDlg::EvCommand(id, hWndCtl, notifyCode);
    if (accelText && PadOpen) FlashButton(int(id));
}

void TRechner::FocusId(int id) {
    ::SetFocus(GetDlgItem(id));
}

void TRechner::FlashButton(int id) {
    const HWND key = GetDlgItem(id);
    if (key && ::IsWindowEnabled(key) && ::IsWindowVisible(key)) ::SetFocus(key);
}

void TRechner::EvKeyUp(unsigned, unsigned, unsigned) {}

void TRechner::ENSetFocusEDITCalculate() {
    if (PadOpen && !InFocusPass && !InStep) BNClickedOpen();
}

void TRechner::FuncInOut(const char* key) {
    vdFuncTrace("void TRechner::FuncInOut(char*)");
    if (!PadOpen) {
        Function->Insert(key);
        return;
    }
    if (InStep) return;
    InStep = true;
    Calc->SetFast(IsDlgButtonChecked(282) == BF_CHECKED);
    Calc->SetAngularUnitTo(AngularUnit);
    Calc->SetBaseTo(BaseIn);
    Calc->SetBaseOutTo(BaseOut);
    long double values[6];
    ReadValues(values);
    Calc->Make(key, false);
    // The engine gives back its text unchanged when it is longer than it would write itself.
    std::vector<char> text(std::max<size_t>(FunctionText(0).size(), kFunctionMax) + 64, '\0');
    Calc->GetFunction(text.data());
    if (std::strncmp(text.data(), "Erro", 4) != 0) SetDlgItemText(1101, text.data());
    char show[256] = "", base[32] = "";
    Calc->GetShowFunc(show, 15, values, true, base);
    SetDlgItemText(283, (std::string(show) + std::string(11, ' ') + base).c_str());
    char info[128] = "";
    Calc->GetInfo(info);
    SetDlgItemText(221, info);
    InStep = false;
}

// ---- the calculation --------------------------------------------------------------------------

void TRechner::BNClickedBerechne() {
    vdFuncTrace("void TRechner::BNClickedBerechne()");
    const HWND button = GetDlgItem(201);
    if (::GetFocus() != button) return;
    SchliessenErlauben(false);
    for (int id : {201, 218, 261, int(IDCANCEL)}) Enable(id, false);
    Berechnung();
    for (int id : {201, 218, 261, int(IDCANCEL)}) Enable(id, true);
    if (PadOpen) Enable(201, false);
    SchliessenErlauben(true);
    if (::IsWindowEnabled(button)) ::SetFocus(button);
}

bool TRechner::Berechnung() {
    vdFuncTrace("bool TRechner::Berechnung()");
    const std::string text = FunctionText(kFunctionRead);
    const int length = int(text.size());
    if (length > kFunctionMax) {
        const std::string over =
            length > kFunctionMax + 100 ? "mehr als 100" : std::to_string(length - kFunctionMax);
        const std::string message = "Berechnungsfunftion:\r Die Länge der Funktion kann maximal "
                                    "2500 Zeichen sein. (" +
                                    over + " Zeichen zuviel.)";
        MessageBox(message.c_str(), "Rechner Berechnung", MB_OK | MB_ICONSTOP);
        SetDlgItemText(283, "kein Ergebnis");
        return false;
    }
    if (Trans && *Trans->IniDatei) SetzeDaten(Trans->IniDatei);

    // Each variable field checks itself when the focus leaves it.
    InFocusPass = true;
    for (int id : kVarIds) FocusId(id);
    if (!PadOpen) FocusId(1101);
    FocusId(PadOpen ? 257 : 201);
    PumpWaitingMessages();
    InFocusPass = false;
    long double values[6];
    ReadValues(values);

    const HWND out = GetDlgItem(283);
    if (!Func->GetIsOriginFunc(text.c_str()) || SettingsChanged) {
        SettingsChanged = false;
        Func.reset();
        if (BaseIn == 10)
            Func = std::make_unique<vdFunction>(text.c_str(), 6, "xyzuvw", 1, out, true, true);
        else
            Func = std::make_unique<vdFunction>(text.c_str(), BaseIn, 1, out, true, true);
        ++FunctionBuilds;
    }
    Func->SetAngularUnitTo(AngularUnit);
    Func->SetOutputWindow(out);
    const long double result = BaseIn == 10 ? Func->GetResultExt(values) : Func->GetResult();
    if (Func->GetGlobalError() < 1) {
        // Every integer digit of the value is written in the smaller bases.
        std::vector<char> shown(20000, '\0');
        if (BaseOut == 10)
            ldtochar(shown.data(), result, 15, true);
        else
            ConvertToBase(shown.data(), result, 15, BaseOut);
        SetDlgItemText(283, shown.data());
        return true;
    }
    char error[400] = "";
    Func->GetErrorTypeText(error);
    const std::string message = std::string("Berechnungsfunktion:\r ") + error;
    MessageBox(message.c_str(), "Rechner Berechnung", MB_OK | MB_ICONSTOP);
    SetDlgItemText(283, "kein Ergebnis");
    return false;
}

// ---- bases and angle unit ---------------------------------------------------------------------

void TRechner::SchliessenErlauben(bool enable) {
    if (Parent) Parent->EnableCloseEntry(enable);
}

void TRechner::Enable(int id, bool enable) {
    ::EnableWindow(GetDlgItem(id), enable);
}

void TRechner::SetzeBasisIn(int base) {
    static const int radio[17] = {0, 0, 118, 0, 0, 0, 0, 0, 120, 0, 117, 0, 0, 0, 0, 0, 119};
    if (base != 2 && base != 8 && base != 10 && base != 16) return;
    CheckRadioButton(117, 120, radio[base]);
    BaseIn = base;
    SettingsChanged = true;
    const bool dec = base == 10;
    for (int id : kVarIds) Enable(id, dec);
    for (int id : kVarKeyIds) Enable(id, dec);
    for (int id : kHexKeys) Enable(id, base == 16);
    for (int id : kDigitKeys) {
        const bool eightOrNine = id == 243 || id == 244;
        Enable(id, base == 10 || base == 16 || (base == 8 && !eightOrNine));
    }
    if (dec) {
        Enable(282, BaseOut == 10);
    } else {
        CheckDlgButton(282, BF_UNCHECKED);
        Enable(282, false);
    }
}

void TRechner::SetzeBasisOut(int base) {
    static const int radio[17] = {0, 0, 126, 0, 0, 0, 0, 0, 128, 0, 125, 0, 0, 0, 0, 0, 127};
    if (base != 2 && base != 8 && base != 10 && base != 16) return;
    CheckRadioButton(125, 128, radio[base]);
    BaseOut = base;
    SettingsChanged = true;
    if (base == 10) {
        if (BaseIn == 10) Enable(282, true);
    } else {
        CheckDlgButton(282, BF_UNCHECKED);
        Enable(282, false);
    }
}

void TRechner::SetzeWinkel(int unit) {
    if (unit < 1 || unit > 3) return;
    CheckRadioButton(114, 116, 113 + unit);
    AngularUnit = unit;
    SettingsChanged = true;
}

void TRechner::BNClickedDEC() {
    SetzeBasisIn(10);
}
void TRechner::BNClickedBIN() {
    SetzeBasisIn(2);
}
void TRechner::BNClickedHEX() {
    SetzeBasisIn(16);
}
void TRechner::BNClickedOCT() {
    SetzeBasisIn(8);
}
void TRechner::BNClickedDECOut() {
    SetzeBasisOut(10);
}
void TRechner::BNClickedBINOut() {
    SetzeBasisOut(2);
}
void TRechner::BNClickedHEXOut() {
    SetzeBasisOut(16);
}
void TRechner::BNClickedOCTOut() {
    SetzeBasisOut(8);
}
void TRechner::BNClickedDEG() {
    SetzeWinkel(1);
}
void TRechner::BNClickedRAD() {
    SetzeWinkel(2);
}
void TRechner::BNClickedGRA() {
    SetzeWinkel(3);
}

// ---- fields -----------------------------------------------------------------------------------

std::string TRechner::FunctionText(int maxChars) const {
    std::string text = Function->TWindow::GetText();
    if (maxChars > 0 && int(text.size()) > maxChars - 1) text.resize(size_t(maxChars) - 1);
    return text;
}

void TRechner::ReadValues(long double values[6]) {
    for (int i = 0; i < 6; ++i) {
        char text[101] = "";
        GetDlgItemText(kVarIds[i], text, sizeof text);
        values[i] = chartold(text, nullptr);
    }
}

TRechAufgabe TRechner::AufgabeAusFeldern() {
    TRechAufgabe task;
    task.Funktion = FunctionText(0);
    // Each field checks itself when the focus leaves it; then all show what they hold.
    for (int id : kVarIds) FocusId(id);
    FocusId(PadOpen ? 257 : 201);
    for (int i = 0; i < 6; ++i) {
        char text[300] = "";
        GetDlgItemText(kVarIds[i], text, sizeof text);
        task.Var[i] = text;
    }
    task.Schnell = IsDlgButtonChecked(282) == BF_CHECKED;
    task.Winkel = AngularUnit;
    task.BasisIn = BaseIn;
    task.BasisOut = BaseOut;
    task.Calc = PadOpen != 0;
    return task;
}

void TRechner::AufgabeInFelder(const TRechAufgabe& task) {
    SetDlgItemText(1101, task.Funktion.c_str());
    for (int i = 0; i < 6; ++i) {
        SetDlgItemText(kVarIds[i], task.Var[i].c_str());
        FocusId(kVarIds[i]);
    }
    CheckDlgButton(282, task.Schnell ? BF_CHECKED : BF_UNCHECKED);
    for (int id = 114; id <= 120; ++id) CheckDlgButton(id, BF_UNCHECKED);
    for (int id = 125; id <= 128; ++id) CheckDlgButton(id, BF_UNCHECKED);
    SetzeWinkel(task.Winkel);
    SetzeBasisIn(task.BasisIn);
    SetzeBasisOut(task.BasisOut);
    if (task.Calc != (PadOpen != 0)) {
        BNClickedOpen();
    } else if (PadOpen) {
        // The pad stays open: its engine goes on with the text just read, not the old one.
        NewEngine();
        FuncInOut("=");
    }
}

bool TRechner::SetzeDaten(const char* file) {
    vdFuncTrace("bool TRechner::SetzeDaten(char*)");
    const bool ok = SchreibeAufgabe(file, AufgabeAusFeldern(), &SaveError);
    FocusId(PadOpen ? 257 : 201);
    return ok;
}

bool TRechner::TaskFileThere(const char* file) {
    // A name that leads nowhere is no unreadable format: say so, with the name.
    if (::TaskFileThere(GetHandle(), file, "Rechner Laden")) return true;
    FocusId(PadOpen ? 257 : 201);
    return false;
}

bool TRechner::HoleDaten(const char* file) {
    vdFuncTrace("bool TRechner::HoleDaten(char*)");
    TRechAufgabe task;
    std::string message;
    const bool ok = LeseAufgabe(file, task, &message);
    if (ok) {
        AufgabeInFelder(task);
        // Characters of a UTF-8 file that the program cannot show are not dropped unnoticed.
        if (!message.empty())
            MessageBox(message.c_str(), "Rechner Laden", MB_OK | MB_ICONEXCLAMATION);
    } else {
        // A missing marker says "unreadable"; a file too large or unreadable says why.
        MessageBox(message.empty() ? kUnreadable : message.c_str(), "Rechner Laden",
                   MB_OK | MB_ICONSTOP);
    }
    FocusId(PadOpen ? 257 : 201);
    return ok;
}

// ---- files, help, title -----------------------------------------------------------------------

void TRechner::SetTitle(const char* taskFile) {
    if (!Parent) return;
    const std::string name = taskFile && *taskFile ? FileNameOf(taskFile) : "Unbenannt.rec";
    Parent->SetCaption((std::string(kTitle) + " - " + name).c_str());
}

void TRechner::StoreTaskFile(const std::string& file) {
    TaskFile = file;
    if (!Trans) return;
    std::strncpy(Trans->AufgabenDatei, file.c_str(), sizeof Trans->AufgabenDatei - 1);
    Trans->AufgabenDatei[sizeof Trans->AufgabenDatei - 1] = '\0';
}

void TRechner::BNClickedSpeichern() {
    vdFuncTrace("void TRechner::BNClickedSpeichern()");
    std::string name = TaskFile;
    if (!FrageAufgabenDatei(this, true, kFilter, "rec", name)) return;
    if (SetzeDaten(name.c_str())) {
        StoreTaskFile(name);
        SetTitle(name.c_str());
    } else {
        MessageBox(NotSavedText(SaveError).c_str(), "Rechner Speichern", MB_OK | MB_ICONSTOP);
    }
}

void TRechner::BNClickedLaden() {
    vdFuncTrace("void TRechner::BNClickedLaden()");
    std::string name = LoadFileName;
    if (!FrageAufgabenDatei(this, false, kFilter, "rec", name)) return;
    LoadFileName = name;
    if (TaskFileThere(name.c_str())) HoleDaten(name.c_str());
    StoreTaskFile(name);
    SetTitle(name.c_str());
}

void TRechner::BNClickedKopieren() {
    vdFuncTrace("void TRechner::BNClickedKopieren()");
    if (!Trans) return;
    const std::string shared = std::string(Trans->Verzeichnis) + "orvltrn.ini";
    if (!SetzeDaten(shared.c_str()))
        MessageBox(NotSavedText(SaveError).c_str(), "Rechner Speichern", MB_OK | MB_ICONSTOP);
}

void TRechner::BNClickedEinfuegen() {
    vdFuncTrace("void TRechner::BNClickedEinfuegen()");
    if (!Trans) return;
    const std::string shared = std::string(Trans->Verzeichnis) + "orvltrn.ini";
    HoleDaten(shared.c_str());
}

void TRechner::BNClickedHelp() {
    WinExec(kHelp, SW_SHOWNORMAL);
}

// ---- printing ---------------------------------------------------------------------------------

void TRechner::BNClickedDrucke() {
    vdFuncTrace("void TRechner::BNClickedDrucke()");
    if (!Berechnung()) return;
    vdPrint job;
    TModule module("ORVLPRN.DLL");
    TSize page(2100, -2970);
    vdMainPrintDlg dlg(this, Trans ? Trans->Verzeichnis : "", &page, kTitle, 1, 1, 1, 1, 1, "", "",
                       "", &job, 1, 20000, &module);
    if (dlg.Execute() == IDOK) job.PrintIt(this);
}

void TRechner::CurrPrintout(bool preview, TDC& dc, bool, TRect&, int) {
    vdFuncTrace("void TRechner::CurrPrintout(bool, TDC&, bool, TRect&, int)");
    static const char* const kBase[17] = {"", "",    "BIN", "", "", "", "", "",   "OCT",
                                          "", "DEC", "",    "", "", "", "", "HEX"};
    static const char* const kUnit[4] = {"", "DEG", "RAD", "GRA"};
    dc.SetBkMode(TRANSPARENT);
    const unsigned oldAlign = dc.SetTextAlign(TA_LEFT | TA_TOP);

    // Header: the program and the year.
    dc.SelectObject(TFont("Arial Standard", 20, 0, 0, 0, 400, false, false, false, preview ? 3 : 0,
                          preview ? 2 : 0, 2, preview ? 1 : 2));
    const std::time_t now = std::time(nullptr);
    const std::tm* local = std::localtime(&now);
    const std::string header =
        "Orvelin 5.0 - Rechner - " + std::to_string(local ? local->tm_year + 1900 : 2025);
    dc.TextOut(25, -400, header.c_str());
    dc.RestoreFont();

    dc.SelectObject(TFont("Arial Standard", 40, 0, 0, 0, FW_NORMAL, false, false, false,
                          preview ? 3 : 0, preview ? 2 : 0, 2, 1));
    dc.TextOut(25, -500, "Funktion");
    const std::string label = std::string("(") + kBase[BaseIn] + "/" + kUnit[AngularUnit] + "):";
    dc.TextOut(25, -550, label.c_str());

    const std::string function = FunctionText(kFunctionMax + 1);
    vdFormFuncOutput form(function.c_str(), 90);
    std::vector<char> line(vdFormOutput::MaxText + 1, '\0');
    int lines = 0;
    while (form.GetErr() == 0) {
        form.GetLine(line.data(), lines + 1);
        if (form.GetErr() != 0) break;
        dc.TextOut(300, -500 - 50 * lines, line.data());
        ++lines;
    }
    const int b = 50 * (lines + 1);
    dc.SelectObject(TPen(TColor::Black, 1));
    dc.MoveTo(0, -475);
    dc.LineTo(2100, -475);
    dc.MoveTo(0, -b - 575);
    dc.LineTo(2100, -b - 575);
    dc.RestorePen();

    if (BaseIn == 10) {
        dc.TextOut(25, -b - 600, "Variablen");
        static const char* const kLabels[6] = {
            "x-Wert:", "y-Wert:", "z-Wert:", "u-Wert:", "v-Wert:", "w-Wert:"};
        for (int i = 0; i < 6; ++i) {
            char text[101] = "";
            GetDlgItemText(kVarIds[i], text, sizeof text);
            const int y = -b - 650 - 50 * (i % 3);
            const int x = i < 3 ? 25 : 900;
            dc.TextOut(x, y, kLabels[i]);
            dc.TextOut(x + 275, y, text);
        }
    }
    const std::string result = std::string("Ergebnis(") + kBase[BaseOut] + "):";
    dc.TextOut(25, -b - 850, result.c_str());
    TWindow* resultField = ChildWithId(283);
    const std::string shown = resultField ? resultField->GetText() : std::string();
    dc.TextOut(300, -b - 850, shown.c_str());
    dc.RestoreFont();
    dc.SetTextAlign(oldAlign);
}

// ---- the module -------------------------------------------------------------------------------

namespace {

bool CopyInto(char* target, size_t size, const std::string& text) {
    if (text.size() >= size) return false;
    std::memcpy(target, text.c_str(), text.size() + 1);
    return true;
}

const TModuleRegistrar
    registrar({"calc", kTitle, [](THostContext& context) -> TWindow* {
                   auto& record = context.MakeRecord<RechTransStructDef>();
                   const std::string& dir = context.ProgDir();
                   if (!CopyInto(record.Verzeichnis, sizeof record.Verzeichnis, dir) ||
                       !CopyInto(record.IniDatei, sizeof record.IniDatei, dir + "orvlrech.ini"))
                       return nullptr;
                   CopyInto(record.AufgabenDatei, sizeof record.AufgabenDatei, context.TaskFile());
                   auto* window = new TRechner(context.Frame(), &record);
                   window->SetCommandLine(context.TaskFile().c_str());
                   return window;
               }});

} // namespace
