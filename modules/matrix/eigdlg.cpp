#include "eigdlg.h"

#include "controls.h"
#include "dlgres.h"
#include "funkedit.h"
#include "matzahl.h"
#include "pictures.h"
#include "talk.h"
#include "vdparser.h"
#include "winapi.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <strings.h>

namespace {

const char* const kInfoAbbruch = "Drücken Sie 'Abbruch', um die Berechnungen abzubrechen.";
const char* const kInfoOK = "Drücken Sie 'OK', um diesen Dialog zu verlassen.";
const char* const kInfoHilfe = "Drücken Sie 'Hilfe', um Hilfe zu diesem Dialog zu erhalten.";

TDlgResource EigenwerteLayout() {
    TDlgResource r;
    r.caption = "Eigenwertbestimmung";
    r.cx = 300, r.cy = 214;
    auto& it = r.items;
    it.push_back({8888, TCtlKind::Static, "", 0, 0, 300, 6});
    it.push_back({1007, TCtlKind::GroupBox, "Nullstellen", 6, 8, 198, 112});
    it.push_back({1015, TCtlKind::Static, "Nst. des char. Polynoms:", 12, 20, 92, 9});
    it.push_back({1101, TCtlKind::ListBox, "", 12, 30, 92, 84});
    it.push_back({1016, TCtlKind::Static, "Nst. f'(x):", 108, 20, 90, 9});
    it.push_back({1102, TCtlKind::ListBox, "", 108, 30, 90, 84});
    it.push_back({1010, TCtlKind::GroupBox, "benötigte Zeit:", 6, 124, 198, 36});
    it.push_back({1008, TCtlKind::Static, "max. geschätzt", 12, 136, 56, 9, WS_DISABLED});
    it.push_back({1001, TCtlKind::Static, "", 70, 136, 40, 9, SS_SUNKEN});
    it.push_back({1011, TCtlKind::Static, "s", 112, 136, 8, 9, WS_DISABLED});
    it.push_back({1009, TCtlKind::Static, "vergangen", 12, 147, 56, 9, WS_DISABLED});
    it.push_back({1002, TCtlKind::Static, "", 70, 147, 40, 9, SS_SUNKEN});
    it.push_back({1012, TCtlKind::Static, "s", 112, 147, 8, 9, WS_DISABLED});
    it.push_back({1004, TCtlKind::GroupBox, "akt. Intervall:", 6, 164, 198, 24});
    it.push_back({1017, TCtlKind::Static, "x1:", 12, 175, 12, 9});
    it.push_back({1013, TCtlKind::Static, "", 26, 175, 74, 9, SS_SUNKEN});
    it.push_back({1018, TCtlKind::Static, "x2:", 106, 175, 12, 9});
    it.push_back({1014, TCtlKind::Static, "", 120, 175, 78, 9, SS_SUNKEN});
    it.push_back({1005, TCtlKind::Static, "", 210, 100, 84, 9});
    it.push_back({6544, TCtlKind::Frame, "", 222, 12, 60, 60});
    it.push_back({2003, TCtlKind::PushButton, "&Start", 214, 126, 78, 14, BS_DEFPUSHBUTTON});
    it.push_back({2001, TCtlKind::PushButton, "&Abbruch", 214, 144, 78, 14});
    it.push_back({302, TCtlKind::PushButton, "&Hilfe", 214, 162, 78, 14});
    it.push_back({216, TCtlKind::Static, "", 6, 192, 288, 18, SS_SUNKEN});
    return r;
}

TDlgResource AbstandLayout() {
    TDlgResource r;
    r.caption = "Eigenwertabstand";
    r.cx = 240, r.cy = 96;
    auto& it = r.items;
    it.push_back({1001, TCtlKind::Static, "&Abstand:", 8, 10, 40, 9});
    it.push_back({1101, TCtlKind::Edit, "", 50, 8, 100, 12});
    it.push_back({1003, TCtlKind::Static, "geschätzte Rechenzeit:", 8, 30, 90, 9});
    it.push_back({1002, TCtlKind::Static, "", 100, 30, 50, 9, SS_SUNKEN});
    it.push_back({1004, TCtlKind::Static, "s", 152, 30, 8, 9});
    it.push_back({305, TCtlKind::PushButton, "&OK", 170, 8, 62, 14, BS_DEFPUSHBUTTON});
    it.push_back({2001, TCtlKind::PushButton, "&Kalkulation", 170, 26, 62, 14});
    it.push_back({302, TCtlKind::PushButton, "&Hilfe", 170, 44, 62, 14});
    it.push_back({IDCANCEL, TCtlKind::PushButton, "&Abbruch", 170, 62, 62, 14});
    it.push_back({216, TCtlKind::Static, "", 8, 80, 224, 12, SS_SUNKEN});
    return r;
}

const TDialogResourceRegistrar reg110("MATCALC.DLL", 110, EigenwerteLayout());
const TDialogResourceRegistrar reg410("MATCALC.DLL", 410, AbstandLayout());

} // namespace

TModule& MatcalcModule() {
    static TModule module("MATCALC.DLL", false);
    return module;
}

// ---------------------------------------------------------------------------------------------
// TEigenwerte

TEigenwerte::TEigenwerte(TWindow* parent, MatTransStructDef* EigwStructIn, TResId resId,
                         TModule* module)
    : TDialog(parent, resId, module ? module : &MatcalcModule()), TEigenSuche(EigwStructIn) {
    DebugFunkion(0, nullptr, false,
                 "TEigenwerte::TEigenwerte(TWindow*, MatTransStructDef*, TResId, TModule*)", "",
                 "");
    new TTalkButton(this, 2003, 216, "Drücken Sie 'Start', um die Berechnungen zu starten.", "",
                    "");
    new TTalkButton(this, 302, 216, kInfoHilfe, "", "");
    new TTalkButton(this, 2001, 216, kInfoAbbruch, "&OK", kInfoOK);
    new TTalkControl(this, 1007, 216,
                     "Im Nullstellenfeld, sehen Sie die bisher ermittelten Nullstellen des char. "
                     "Polynoms.");
    new TTalkControl(this, 1010, 216,
                     "Im Zeitfeld, sehen Sie eine Gegenüberstellung der bisher benötigten und "
                     "maximal geschätzen Zeit.");
    new TTalkControl(this, 1004, 216, "Im x-Zeigerfeld, sehen Sie die aktuelle x-Position.");
    new TListBox(this, 1101);
    new TListBox(this, 1102);
    RunPict = new vdRunPictControl(this, 6544, 216, "", "JMPB15.VDB");
    RunPict->SetRunningPicts("JMPB1.VDB", 15, "JMPB2.VDB", "JMPB3.VDB", "JMPB4.VDB", "JMPB5.VDB",
                             "JMPB6.VDB", "JMPB7.VDB", "JMPB8.VDB", "JMPB9.VDB", "JMPB10.VDB",
                             "JMPB11.VDB", "JMPB12.VDB", "JMPB13.VDB", "JMPB14.VDB", "JMPB15.VDB",
                             "", "");
    OnClicked(2003, &TEigenwerte::BNClickedSTARTBUTTFunkD);
    OnClicked(2001, &TEigenwerte::BNClickedABBRUCHOK);
    OnClicked(302, &TEigenwerte::BNClickedHelp);
}

TEigenwerte::~TEigenwerte() {}

void TEigenwerte::SetupWindow() {
    DebugFunkion(0, nullptr, false, "void TEigenwerte::SetupWindow()", "", "");
    TDialog::SetupWindow();
    Vorbereiten();
    for (int id : {1001, 1002, 1013, 1014, 1005}) SetDlgItemText(id, "");
}

void TEigenwerte::ZeigeText(int id, const char* text) {
    SetDlgItemText(id, text);
}

void TEigenwerte::ListeGeaendert(int id) {
    auto* list = dynamic_cast<TListBox*>(TWindow::FromHandle(GetDlgItem(id)));
    if (!list) return;
    list->ClearList();
    for (const std::string& e : id == 1101 ? NstListe : AblNstListe) list->AddString(e.c_str());
}

void TEigenwerte::Nachrichten() {
    PumpWaitingMessages();
}

long double TEigenwerte::Ticks() const {
    return GetTickCount();
}

bool TEigenwerte::Fertig() const {
    char caption[20] = "";
    GetDlgItemText(2001, caption, sizeof caption);
    return strncasecmp(caption, "&OK", 3) == 0;
}

void TEigenwerte::BNClickedSTARTBUTTFunkD() {
    DebugFunkion(0, nullptr, false, "void TEigenwerte::BNClickedSTARTBUTTFunkD()", "", "");
    if (!::IsWindowEnabled(GetDlgItem(2003))) return;
    RunPict->StartRunning(50);
    Abbruch = 0;
    NstListe.clear();
    AblNstListe.clear();
    ListeGeaendert(1101);
    ListeGeaendert(1102);
    if (Diagonal()) {
        DiagonalListe();
        ::EnableWindow(GetDlgItem(2003), false);
    } else {
        ::EnableWindow(GetDlgItem(2001), false);
        EnableCloseEntry(false);
        ::EnableWindow(GetDlgItem(1101), false);
        ::EnableWindow(GetDlgItem(2003), false);
        BerechneGrenzen();
        Verfahren1();
        Verfahren2();
        if (Abbruch == 0 && InfStruct->Breite > Abstand) DrittesVerfahren();
    }
    ::EnableWindow(GetDlgItem(2001), true);
    EnableCloseEntry(true);
    ::EnableWindow(GetDlgItem(1101), true);
    const bool cancelled = Abbruch != 0;
    Abbruch = 1;
    RunPict->StopRunning(true);
    if (cancelled) {
        InfStruct->EigOK = 0;
        CloseWindow(2);
        return;
    }
    SetDlgItemText(2001, "&OK");
    ::SetFocus(GetDlgItem(2001));
}

void TEigenwerte::DrittesVerfahren() {
    TEigwAbstand abstand(this, InfStruct);
    if (abstand.Execute() != 1) {
        ::EnableWindow(GetDlgItem(2001), true);
        return;
    }
    for (int id = 1008; id <= 1012; ++id) ::EnableWindow(GetDlgItem(id), true);
    ::EnableWindow(GetDlgItem(2001), true);
    Verfahren3();
}

void TEigenwerte::BNClickedABBRUCHOK() {
    DebugFunkion(0, nullptr, false, "void TEigenwerte::BNClickedABBRUCHOK()", "", "");
    if (Abbruch == 0) {
        Abbruch = 1;
        ::EnableWindow(GetDlgItem(2001), false);
        return;
    }
    if (Fertig()) {
        if (InfStruct->ListData) ListeUebernehmen(NstListe, *InfStruct->ListData);
        CloseWindow(2);
        return;
    }
    InfStruct->EigOK = 0;
    CloseWindow(2);
}

void TEigenwerte::BNClickedHelp() {
    WinExec("HH.EXE mk:@MSITStore:orvlhilf5.chm::html/main8vxj.htm", 1);
}

void TEigenwerte::EvSize(unsigned sizeType, const TSize& size) {
    TDialog::EvSize(sizeType, size);
}

// ---------------------------------------------------------------------------------------------
// TEigwAbstand

TEigwAbstand::TEigwAbstand(TWindow* parent, MatTransStructDef* AbstStructIn, TResId resId,
                           TModule* module)
    : TDialog(parent, resId, module ? module : &MatcalcModule()), InfStruct(AbstStructIn) {
    new TTalkButton(this, 305, 216, "Drücken Sie 'OK', um den Abstand zu nehmen.", "", "");
    new TTalkButton(this, 2001, 216,
                    "Drücken Sie 'Kalkulation', um die Berechnungszeit zu kalkulieren.", "", "");
    new TTalkButton(this, 302, 216, kInfoHilfe, "", "");
    new TTalkButton(this, IDCANCEL, 216,
                    "Drücken Sie 'Abbruch', um das dritte Verfahren nicht zu nehmen.", "", "");
    AbstandEdit = new TTalkFunkEdit(this, 1101, 1, 216,
                                    "Geben Sie bei 'Abstand' den gewünschten maximalen Abstand "
                                    "zwischen zwei Eigenwerten an.",
                                    "1", 0, nullptr, 250);
    OnClicked(305, &TEigwAbstand::BNClickedOKB);
    OnClicked(2001, &TEigwAbstand::BNClickedKalkulation);
    OnClicked(302, &TEigwAbstand::BNClickedHelp);
}

void TEigwAbstand::SetupWindow() {
    TDialog::SetupWindow();
    const long double w = TEigenSuche::VorschlagAbstand(*InfStruct);
    InfStruct->InvAbstand = 1 / w;
    char buf[64];
    SetDlgItemText(1101, ldtochar(buf, w, 6, true));
    Kalkulation();
}

long double TEigwAbstand::Feldwert() {
    char text[300] = "";
    GetDlgItemText(1101, text, sizeof text);
    long double d = 0;
    std::string message;
    if (!MatEintragWert(text, &d, message) || !(fabsl(d) >= 1e-10L)) {
        // A width below 1e-10 would make the scan endless in practice: the field starts again
        // at 1, and so does the stored width.
        SetDlgItemText(1101, "1");
        InfStruct->InvAbstand = 1;
        return 0;
    }
    return fabsl(d);
}

void TEigwAbstand::Kalkulation() {
    const long double d = Feldwert();
    if (d > 0) InfStruct->InvAbstand = 1 / d;
    const long double evals = InfStruct->AnzAuswert > 0 ? InfStruct->AnzAuswert : 1;
    char buf[64];
    SetDlgItemText(1002, ldtochar(buf,
                                  ceill(InfStruct->Breite * InfStruct->ZeitMs *
                                        InfStruct->InvAbstand / evals * 0.001L),
                                  6, true));
}

void TEigwAbstand::BNClickedKalkulation() {
    Kalkulation();
}

bool TEigwAbstand::CanClose() {
    const long double d = Feldwert();
    if (d <= 0) return false; // the user sees the field reset to 1 and decides again
    InfStruct->InvAbstand = 1 / d;
    return true;
}

void TEigwAbstand::BNClickedOKB() {
    ::SetFocus(GetDlgItem(305));
    CloseWindow(1);
}

void TEigwAbstand::BNClickedHelp() {
    WinExec("HH.EXE mk:@MSITStore:orvlhilf5.chm::html/main827o.htm", 1);
}

void TEigwAbstand::CloseWindow(int retVal) {
    TDialog::CloseWindow(retVal);
}
