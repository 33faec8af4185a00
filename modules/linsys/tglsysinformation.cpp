#include "tglsysinformation.h"

#include "dc.h"
#include "dlgres.h"
#include "glsyslayout.h"
#include "invmatrix.h"
#include "matrecord.h"
#include "talk.h"
#include "vdfunction.h"
#include "vdmainprintdlg.h"
#include "vdprint.h"
#include "winapi.h"

#include <algorithm>
#include <ctime>
#include <string>

namespace {

const char kTitle[] = "Lin. GlSys.";
const char kHelp[] = "HH.EXE mk:@MSITStore:orvlhilf5.chm::html/main5u49.htm";

void Zeige(HWND control, bool show) {
    ::ShowWindow(control, show ? SW_SHOW : SW_HIDE);
}

std::string Jahr() {
    const std::time_t now = std::time(nullptr);
    const std::tm* local = std::localtime(&now);
    return std::to_string(local ? local->tm_year + 1900 : 2026);
}

} // namespace

TGlSysInformation::TGlSysInformation(TWindow* parent, MatTransStructDef* InfStructIn, TResId resId,
                                     TModule* module)
    : vdBasePrintDlg(parent, resId, module ? module : &GlSysModule()), InfStruct(InfStructIn),
      n(std::clamp(int(InfStructIn->Ordnung), 2, 7)) {
    vdFuncTrace("TGlSysInformation::TGlSysInformation(TWindow*, MatTransStructDef*, TResId, "
                "TModule*)");
    Inv = GlSysStufenform(*InfStruct);
    GlSysKopiere(*Inv, n, LoesMat);
    Berechne();
    Art = GlSysLoesbarkeit(InfStruct->Mat, n);
    Berechnet = GlSysDarstellbar(LoesMat, n, Art);

    new TTalkButton(this, 218, kGlSysInfoId,
                    "Drücken Sie 'Drucken', um die Informationen zu drucken.", "", "");
    new TTalkButton(this, 302, kGlSysInfoId,
                    "Drücken Sie 'Hilfe', um Hilfe zu diesem Dialog zu erhalten.", "", "");
    new TTalkButton(this, IDOK, kGlSysInfoId,
                    "Drücken Sie 'Zurück', um die Information zu verlassen.", "", "");
    new TTalkRadioButton(this, 2002, kGlSysInfoId,
                         "Drücken Sie 'Ausgangssystem', um das Ausgangssystem anzeigen zu lassen.");
    new TTalkRadioButton(this, 2003, kGlSysInfoId,
                         "Drücken Sie 'Lösungssystem', um das Lösungssystem anzeigen zu lassen.");
    new TTalkControl(this, 1109, kGlSysInfoId,
                     "Im Anzeigefeld sehen Sie wahlweise das Ausgangs-, bzw. Lösungssystem.");
    OnClicked(2002, &TGlSysInformation::BNClickedAusgangsM);
    OnClicked(2003, &TGlSysInformation::BNClickedInverseM);
    OnClicked(218, &TGlSysInformation::BNClickedDrucke2);
    OnClicked(302, &TGlSysInformation::BNClickedHelp);
}

TGlSysInformation::~TGlSysInformation() = default;

void TGlSysInformation::Berechne() {
    vdFuncTrace("void TGlSysInformation::Berechne()");
    GlSysBerechne(LoesMat, n);
}

void TGlSysInformation::SetupWindow() {
    vdFuncTrace("void TGlSysInformation::SetupWindow()");
    vdBasePrintDlg::SetupWindow();
    SetDlgItemText(kGlSysSatzId, GlSysSatz(Art));
    CheckRadioButton(2002, 2003, 2002);
    BNClickedAusgangsM();
}

void TGlSysInformation::BNClickedAusgangsM() {
    ZeigeSystem(InfStruct->Mat, false);
    Zeige(GetDlgItem(kGlSysSatzId), false);
}

void TGlSysInformation::BNClickedInverseM() {
    ZeigeSystem(LoesMat, true);
    Zeige(GetDlgItem(kGlSysSatzId), true);
}

void TGlSysInformation::ZeigeSystem(const long double m[8][8], bool loesungsform) {
    for (int r = 1; r <= n; ++r) {
        for (int c = 1; c <= n + 1; ++c) {
            const long double v = loesungsform ? GlSysLoesWert(m, c - 1, r - 1) : m[c - 1][r - 1];
            SetDlgItemText(GlSysFeldId(r, c), GlSysZahl(v, 5).c_str());
            Zeige(GetDlgItem(GlSysFeldId(r, c)), true);
            if (c > n) continue;
            SetDlgItemText(GlSysMarkeId(r, c), GlSysMarke(c - 1, n).c_str());
            Zeige(GetDlgItem(GlSysMarkeId(r, c)), true);
        }
        if (loesungsform) ZeigeZeile(r);
    }
}

// The solution form hides every coefficient shown as "0" with its label, except the diagonal
// entry of a row that would otherwise show no coefficient at all; the right-hand side always
// stays. The last label shown in a row ends in "=".
void TGlSysInformation::ZeigeZeile(int r) {
    bool shown[8] = {};
    bool any = false;
    for (int c = 1; c <= n; ++c) {
        char text[64] = "";
        GetDlgItemText(GlSysFeldId(r, c), text, sizeof text);
        shown[c] = std::string(text) != "0";
        any = any || shown[c];
    }
    if (!any) shown[r] = true;
    int last = 0;
    for (int c = 1; c <= n; ++c) {
        Zeige(GetDlgItem(GlSysFeldId(r, c)), shown[c]);
        Zeige(GetDlgItem(GlSysMarkeId(r, c)), shown[c]);
        if (shown[c]) last = c;
    }
    std::string label = GlSysMarke(last - 1, n);
    label.back() = '=';
    SetDlgItemText(GlSysMarkeId(r, last), label.c_str());
}

void TGlSysInformation::BNClickedDrucke2() {
    vdFuncTrace("void TGlSysInformation::BNClickedDrucke2()");
    vdPrint job;
    TModule module("ORVLPRN.DLL");
    TSize page(2100, -2970);
    vdMainPrintDlg dlg(this, InfStruct->Pfad, &page, kTitle, 1, 1, 1, 1, 1, "", "", "", &job, 1,
                       20000, &module);
    if (dlg.Execute() == IDOK) job.PrintIt(this);
}

void TGlSysInformation::BNClickedHelp() {
    WinExec(kHelp, SW_SHOWNORMAL);
}

void TGlSysInformation::DruckeSystem(TDC& dc, const long double m[8][8], int top,
                                     bool loesungsform) {
    const unsigned oldAlign = dc.SetTextAlign(TA_RIGHT | TA_TOP);
    for (int r = 1; r <= n; ++r)
        for (int c = 1; c <= n + 1; ++c) {
            const long double v = loesungsform ? GlSysLoesWert(m, c - 1, r - 1) : m[c - 1][r - 1];
            std::string text = GlSysZahl(v, 8);
            if (c <= n) text += GlSysMarke(c - 1, n);
            dc.TextOut(250 * c + 30, -50 * r - top, text.c_str());
        }
    dc.SetTextAlign(oldAlign);
}

void TGlSysInformation::CurrPrintout(bool Vorschau, TDC& DruckDC, bool, TRect&, int) {
    vdFuncTrace("void TGlSysInformation::CurrPrintout(BOOL, TDC&, BOOL, TRect&, int)");
    TDC& dc = DruckDC;
    dc.SetBkMode(TRANSPARENT);
    const unsigned oldAlign = dc.SetTextAlign(TA_LEFT | TA_TOP);
    const int precision = Vorschau ? 3 : 0;
    dc.SelectObject(TFont("Arial Standard", 20, 0, 0, 0, 400, false, false, false, precision,
                          Vorschau ? 2 : 0, 2, Vorschau ? 1 : 2));
    dc.TextOut(25, -1550, ("Ausdruck und Berechnungen über Orvelin © " + Jahr()).c_str());
    dc.RestoreFont();

    dc.SelectObject(TFont("Arial Standard", 40, 0, 0, 0, FW_NORMAL, false, false, false, precision,
                          Vorschau ? 2 : 0, 2, 1));
    dc.TextOut(25, -100, "Ausgangssystem:");
    DruckeSystem(dc, InfStruct->Mat, 150, false);
    dc.TextOut(25, -1000, "Lösungssystem:");
    DruckeSystem(dc, LoesMat, 1050, true);
    dc.TextOut(25, -50 * (n + 1) - 1070, GlSysSatz(Art));
    dc.RestoreFont();

    dc.SelectObject(TPen(TColor::Black, 1));
    for (int y : {-750, -1600}) {
        dc.MoveTo(0, y);
        dc.LineTo(2100, y);
    }
    dc.RestorePen();
    dc.SetTextAlign(oldAlign);
}
