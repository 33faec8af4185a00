#include "tglsyseingabe.h"

#include "aufgabedlg.h"
#include "dlgres.h"
#include "funkedit.h"
#include "glsysdatei.h"
#include "glsyslayout.h"
#include "matrecord.h"
#include "orvldlgs.h"
#include "talk.h"
#include "tglsysvar.h"
#include "vdfunction.h"
#include "winapi.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace {

const char kHelp[] = "HH.EXE mk:@MSITStore:orvlhilf5.chm::html/main8fu4.htm";
const char kNotSaved[] = "Datei:\r Die Aufgabenstellung konnte nicht gespeichert werden.";
const char kTooWide[] = "Eingabedialog:\r Der Dialog ist zu groß für die derzeitige Auflösung.";

} // namespace

TGlSysEingabe::TGlSysEingabe(TWindow* parent, MatTransStructDef* EinStructIn, TResId resId,
                             TModule* module)
    : TDialog(parent, resId, module ? module : &GlSysModule()), EinStruct(EinStructIn),
      n(std::clamp(int(EinStructIn->Ordnung), 2, 7)) {
    vdFuncTrace("TGlSysEingabe::TGlSysEingabe(TWindow*, MatTransStructDef*, TResId, TModule*)");
    for (int r = 1; r <= n; ++r)
        for (int c = 1; c <= n + 1; ++c) {
            const std::string info = "Geben Sie im Feld (" + std::to_string(r) + "," +
                                     std::to_string(c) +
                                     "), das entsprechende Element des Gleichungssystems ein.";
            Felder.push_back(new TTalkFunkEdit(this, GlSysFeldId(r, c), 1, kGlSysInfoId,
                                               info.c_str(), "0", 0, &EinStruct->Var, 300));
        }
    new TTalkButton(this, 305, kGlSysInfoId,
                    "Drücken Sie 'Weiter', um das Gleichungssystem zu nehmen.", "", "");
    new TTalkButton(this, 302, kGlSysInfoId,
                    "Drücken Sie 'Hilfe', um Hilfe zu diesem Dialog zu erhalten.", "", "");
    new TTalkButton(this, 211, kGlSysInfoId,
                    "Drücken Sie 'Speichern', um die Aufgabenstellung zu speichern.", "", "");
    new TTalkButton(this, IDCANCEL, kGlSysInfoId,
                    "Drücken Sie 'Abbruch', um die Eingabe abzubrechen.", "", "");
    new TTalkButton(this, 219, kGlSysInfoId,
                    "Drücken Sie 'k', um das Gleichungssystem mit den Variablen (x,y,z,u,v,w) für "
                    "andere Programme zu kopieren.",
                    "", "");
    new TTalkButton(this, 212, kGlSysInfoId,
                    "Drücken Sie 'v', um die Variablen (x,y,z,u,v,w) für das Gleichungssystem zu "
                    "setzen.",
                    "", "");
    OnClicked(305, &TGlSysEingabe::BNClickedOKB);
    OnClicked(211, &TGlSysEingabe::BNClickedSpeichern);
    OnClicked(219, &TGlSysEingabe::BNClickedKopieren);
    OnClicked(212, &TGlSysEingabe::BNClickedVar);
    OnClicked(302, &TGlSysEingabe::BNClickedHelp);
}

void TGlSysEingabe::SetupWindow() {
    vdFuncTrace("void TGlSysEingabe::SetupWindow()");
    TDialog::SetupWindow();
    if (GetWindowRect().Width() > GetSystemMetrics(SM_CXSCREEN)) {
        MessageBox(kTooWide, "Eingabe", MB_OK | MB_ICONSTOP);
        // Closed once the dialog runs; nothing of the task is taken.
        SetTimer(CloseTimerId, 0);
        return;
    }
    for (int r = 1; r <= n; ++r)
        for (int c = 1; c <= n + 1; ++c)
            SetDlgItemText(GlSysFeldId(r, c), EinStruct->MatText[c - 1][r - 1]);
    // Each field evaluates its expression, as a visit with the focus would make it do.
    for (TTalkFunkEdit* feld : Felder) feld->Pruefe();
    ::SetFocus(GetDlgItem(305));
}

void TGlSysEingabe::EvTimer(unsigned timerId) {
    TDialog::EvTimer(timerId);
    if (timerId != CloseTimerId) return;
    KillTimer(CloseTimerId);
    Destroy(IDCANCEL);
}

void TGlSysEingabe::BNClickedOKB() {
    vdFuncTrace("void TGlSysEingabe::BNClickedOKB()");
    const HWND ok = GetDlgItem(305);
    // Leaving a field makes it evaluate; a wrong entry takes the focus back.
    ::SetFocus(ok);
    PumpWaitingMessages();
    if (::GetFocus() != ok) return;
    for (TTalkFunkEdit* feld : Felder) {
        if (feld->HatFehler()) {
            feld->Pruefe();
            return;
        }
    }
    CloseWindow(IDOK);
}

bool TGlSysEingabe::CanClose() {
    SetzeDaten(EinStruct->ZustandDatei);
    return true;
}

void TGlSysEingabe::NimmFelder(TGlSysAufgabe& task) {
    task.Ordnung = n;
    for (int r = 1; r <= n + 1; ++r)
        for (int c = 1; c <= n + 1; ++c) {
            // Row n+1 has no fields: the all-zero row of the augmented matrix.
            std::string text;
            long double value = 0;
            if (r <= n) {
                text = Feld(r, c)->GetFunktion();
                TTalkFunkEdit::Auswerten(nullptr, text.c_str(), &EinStruct->Var, nullptr, &value);
            }
            EinStruct->Mat[c - 1][r - 1] = value;
            GlSysText(EinStruct->MatText[c - 1][r - 1], sizeof EinStruct->MatText[c - 1][r - 1],
                      text);
            task.Feld[c - 1][r - 1] = text;
        }
    for (int i = 0; i < 6; ++i) task.Var[i] = EinStruct->Var.Text(i);
}

bool TGlSysEingabe::SetzeDaten(const char* DatName) {
    vdFuncTrace("bool TGlSysEingabe::SetzeDaten(char*)");
    TGlSysAufgabe task;
    NimmFelder(task);
    const bool ok = !DatName || !*DatName || SchreibeGlSysAufgabe(DatName, task, &SaveError);
    ::SetFocus(GetDlgItem(305));
    return ok;
}

bool TGlSysEingabe::SpeichereMitMeldung(const char* DatName) {
    if (SetzeDaten(DatName)) return true;
    // The reason of the layer, without its topic: the message has one already.
    const std::string prefix = "Datei:\r ";
    std::string text = kNotSaved;
    if (!SaveError.empty())
        text +=
            "\r " + (SaveError.rfind(prefix, 0) == 0 ? SaveError.substr(prefix.size()) : SaveError);
    MessageBox(text.c_str(), "Speichern", MB_OK | MB_ICONSTOP);
    return false;
}

void TGlSysEingabe::BNClickedSpeichern() {
    vdFuncTrace("void TGlSysEingabe::BNClickedSpeichern()");
    std::string name = EinStruct->LetzteDatei;
    if (!FrageAufgabenDatei(this, true, kGlSysFilter, "gls", name)) return;
    if (SpeichereMitMeldung(name.c_str())) {
        GlSysLetzteDatei(*EinStruct, name);
        GlSysTitel(this, name.c_str());
    }
}

void TGlSysEingabe::BNClickedKopieren() {
    vdFuncTrace("void TGlSysEingabe::BNClickedKopieren()");
    SpeichereMitMeldung((std::string(EinStruct->Pfad) + "orvltrn.ini").c_str());
}

void TGlSysEingabe::BNClickedVar() {
    vdFuncTrace("void TGlSysEingabe::BNClickedVar()");
    TModule dlgs("ORVLDLGS.DLL");
    if (vdVarSelect(this, &EinStruct->Var, false, false, 512, &dlgs).Execute() == 1) Aktualisiere();
}

void TGlSysEingabe::Aktualisiere() {
    const HWND focus = ::GetFocus();
    for (TTalkFunkEdit* feld : Felder) feld->PruefeAusdruck();
    ::SetFocus(focus);
}

void TGlSysEingabe::BNClickedHelp() {
    WinExec(kHelp, SW_SHOWNORMAL);
}
