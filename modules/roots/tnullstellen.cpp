// The dialog's lifecycle: construction on the record, start, the integral, cancel and leave.
// The search itself is in nullstsuche.cpp.
#include "tnullstellen.h"

#include "controls.h"
#include "dlgres.h"
#include "frame.h"
#include "pictures.h"
#include "talk.h"
#include "vdfunction.h"
#include "winapi.h"

#include <cmath>
#include <cstring>

namespace {

TModule& RootsModule() {
    static TModule module("FNROOTS.DLL", false);
    return module;
}

// True for a positive, finite step.
bool GueltigerSchritt(long double h) {
    return h > 0 && std::isfinite(h);
}

} // namespace

TNullstellen::TNullstellen(TWindow* parent, FudiTransStructDef* NullstStructIn, TResId resId,
                           TModule* module)
    : TDialog(parent, resId, module ? module : &RootsModule()), NullstStruct(NullstStructIn) {
    vdFuncTrace("TNullstellen::TNullstellen(TWindow*, FudiTransStructDef*, TResId, TModule*)");
    NullstStruct->NstAnz = 0;
    NullstStruct->ExtrAnz = 0;
    NullstStruct->WendAnz = 0;
    NstListe = new TListBox(this, kNstListe);
    ExtrListe = new TListBox(this, kExtrListe);
    WendListe = new TListBox(this, kWendListe);
    Abl3Liste = new TListBox(this, kAbl3Liste);
    new TTalkButton(this, kStart, kInfo, "Drücken Sie 'Start', um die Berechnungen zu starten.", "",
                    "");
    new TTalkButton(this, kHilfe, kInfo,
                    "Drücken Sie 'Hilfe', um Hilfe zu diesem Dialog zu erhalten.", "", "");
    new TTalkButton(this, kAbbruchOK, kInfo,
                    "Drücken Sie 'Abbruch', um die Berechnungen abzubrechen.", "&OK",
                    "Drücken Sie 'OK', um diesen Dialog zu verlassen.");
    new TTalkControl(this, 1040, kInfo,
                     "Im Berechnungsfeld, sehen Sie die bisher ermittelten Null-, Extrema- und "
                     "Wendestellen von f(x).");
    ZeitFeld = new TTalkControl(this, 1010, kInfo,
                                "Im Zeitfeld, sehen Sie eine Gegenüberstellung der bisher "
                                "benötigten und maximal geschätzen Zeit.");
    new TTalkControl(this, 1006, kInfo, "Im x-Zeigerfeld, sehen Sie die aktuelle x-Position.");
    new TTalkControl(this, 217, kInfo,
                     "Im Integralfeld, sehen Sie das bisher ermittelte Integral.");
    Werte[0] = 0;
    Werte[1] = NullstStruct->Var.yWert;
    Werte[2] = NullstStruct->Var.zWert;
    Werte[3] = NullstStruct->Var.uWert;
    Werte[4] = NullstStruct->Var.vWert;
    Werte[5] = NullstStruct->Var.wWert;
    FunkObj =
        std::make_unique<vdFunction>(NullstStruct->Funktion, 6, "xyzuvw", 1, nullptr, false, false);
    Laufbild = new vdRunPictControl(this, kLaufbild, kInfo, "", "JMPB1.VDB");
    Laufbild->SetRunningPicts("JMPB15.VDB", 5, "JMPB1.VDB", "JMPB2.VDB", "JMPB3.VDB", "JMPB4.VDB",
                              "JMPB5.VDB", "JMPB6.VDB", "JMPB7.VDB", "JMPB8.VDB", "JMPB9.VDB",
                              "JMPB10.VDB", "JMPB11.VDB", "JMPB12.VDB", "JMPB13.VDB", "JMPB14.VDB",
                              "JMPB15.VDB", "");
    OnClicked(kStart, &TNullstellen::BNClickedSTARTBUTTFunkD);
    OnClicked(kAbbruchOK, &TNullstellen::BNClickedABBRUCHOK);
    OnClicked(kHilfe, &TNullstellen::BNClickedHelp);
}

TNullstellen::TNullstellen(TWindow* parent, TResId resId, TModule* module)
    : TDialog(parent, resId, module ? module : &RootsModule()) {
    vdFuncTrace("TNullstellen::TNullstellen(TWindow*, TResId, TModule*)");
}

// The list boxes are child objects of the dialog, which deletes them.
TNullstellen::~TNullstellen() = default;

void TNullstellen::SetupWindow() {
    vdFuncTrace("void TNullstellen::SetupWindow()");
    TDialog::SetupWindow();
    if (!NullstStruct) return;
    Abbruch = 0;
    NAbstand = 1 / NullstStruct->DiskDichte;
    for (int id : {kGeschaetzt, kVergangen, kIntervallX1, kIntervallX, kIntegral})
        SetDlgItemText(id, "");
}

bool TNullstellen::Rechnet() const {
    return NullstStruct && Abbruch == 0 && GetHandle() && !::IsWindowEnabled(GetDlgItem(kStart));
}

TListBox* TNullstellen::Liste(int k) const {
    switch (k) {
    case 0:
        return NstListe;
    case 1:
        return ExtrListe;
    case 2:
        return WendListe;
    case 3:
        return Abl3Liste;
    default:
        return nullptr;
    }
}

void TNullstellen::Anzeige(int id, long double value, int digits) {
    char text[64];
    ldtochar(text, value, digits, true);
    if (std::strcmp(text, "-0") == 0) std::strcpy(text, "0");
    SetDlgItemText(id, text);
}

// ---- start ----------------------------------------------------------------------------------

void TNullstellen::BNClickedSTARTBUTTFunkD() {
    vdFuncTrace("void TNullstellen::BNClickedSTARTBUTTFunkD()");
    if (!NullstStruct || Abbruch != 0 || !::IsWindowEnabled(GetDlgItem(kStart))) return;
    FudiTransStructDef& r = *NullstStruct;
    Laufbild->StartRunning(50);
    EnableCloseEntry(false);
    Anzeige(kIntervallX1, r.x1, 8);
    SetDlgItemText(kVergangen, "0");
    ::EnableWindow(GetDlgItem(kStart), false);
    // Steps and interval that would never let the loops end are refused before they start.
    const bool intervallOk = std::isfinite(r.x1) && std::isfinite(r.x2);
    if (r.Integral == 1 && !(intervallOk && GueltigerSchritt(1 / r.IntGenauigkeit))) {
        r.Integral = 0;
        MessageBox("Integral:\r Die Genauigkeit muss eine positive Zahl und das Intervall "
                   "endlich sein.",
                   "Berechnung", MB_OK | MB_ICONSTOP);
    }
    bool diskussionOk = true;
    if (r.Diskussion == 1 && !(intervallOk && GueltigerSchritt(NAbstand))) {
        diskussionOk = false;
        MessageBox("Diskussion:\r Der Abstand muss eine positive Zahl und das Intervall "
                   "endlich sein.",
                   "Berechnung", MB_OK | MB_ICONSTOP);
    }
    if (r.Integral == 1) {
        IntegralBest();
        r.Integral = r.Integral == 1 && Abbruch == 0 ? 1 : 0;
    }
    if (r.Diskussion == 1) {
        if (diskussionOk) Diskussion();
        r.Diskussion = diskussionOk && Abbruch == 0 ? 1 : 0;
    }
    EnableCloseEntry(true);
    const bool abgebrochen = Abbruch != 0;
    if (!abgebrochen) {
        SetDlgItemText(kAbbruchOK, "&OK");
        if (TWindow* ok = ChildWithId(kAbbruchOK)) ok->SetFocus();
    }
    Laufbild->StopRunning(true);
    Abbruch = 1;
    if (abgebrochen) {
        r.Diskussion = 0;
        DruckenSperren();
        Beenden();
    }
}

// ---- the integral ---------------------------------------------------------------------------

std::string TNullstellen::IntegralText(long double pos, long double neg) {
    const long double v = pos + neg;
    long double gerundet = corrroundl(v * 1e10L) * 1e-10L;
    if (!std::isfinite(gerundet)) gerundet = v;
    char text[64];
    ldtochar(text, gerundet, 10, true);
    if (std::strcmp(text, "-0") == 0) return "0";
    return text;
}

namespace {

// sum += y * dx where it stays in range; false (and the sum 0) where it does not.
bool Aufaddieren(long double& sum, long double y, long double dx) {
    long double p = 0, s = 0;
    if (mult_ok(y, dx, &p) && add_ok(sum, p, &s)) {
        sum = s;
        return true;
    }
    sum = 0;
    return false;
}

} // namespace

void TNullstellen::IntegralBest() {
    vdFuncTrace("void TNullstellen::IntegralBest()");
    if (!NullstStruct) return;
    FudiTransStructDef& r = *NullstStruct;
    const long double a = r.x1, b = r.x2, dx = 1 / r.IntGenauigkeit;
    if (!GueltigerSchritt(dx) || !std::isfinite(a) || !std::isfinite(b)) {
        r.Integral = 0;
        SetDlgItemText(kIntegral, "");
        return;
    }
    long double n = 1;
    Anzeige(kIntervallX1, a, 8);
    Anzeige(kIntervallX, a, 8);
    SetDlgItemText(kIntegral, "0");
    SetDlgItemText(kVergangen, "0");
    PumpWaitingMessages();
    IntStartZeit = Uhr = GetTickCount();
    long double letzte = IntStartZeit;
    r.PosIntegral = 0;
    r.NegIntegral = 0;
    // Adds y * dx to its part; an overflow makes the integral invalid.
    auto summiere = [&](long double y) {
        long double& sum = y >= 0 ? r.PosIntegral : r.NegIntegral;
        if (!Aufaddieren(sum, y, dx)) r.Integral = 0;
    };
    auto schaetzung = [&](long double jetzt) {
        const long double t = fabsl((jetzt - IntStartZeit) / n);
        return fabsl((b - a) * r.IntGenauigkeit * t) * 0.001L;
    };
    long double x = a + n * dx;
    while (x < b - dx / 2) {
        n += 1;
        long double y = 0;
        if (Wert(0, x, false, y)) summiere(y);
        x = a + n * dx;
        const long double jetzt = Durchreichen();
        if (jetzt - letzte > 1000) {
            Anzeige(kGeschaetzt, corrroundl(schaetzung(jetzt)), 6);
            letzte += 1000;
            Anzeige(kVergangen, corrroundl((jetzt - IntStartZeit) * 0.001L), 6);
            Anzeige(kIntervallX, x, 8);
            SetDlgItemText(kIntegral, IntegralText(r.PosIntegral, r.NegIntegral).c_str());
        }
        if (Abbruch == 1 || r.Integral != 1) x = b;
    }
    if (r.Integral != 1 || Abbruch != 0) {
        SetDlgItemText(kIntegral, "");
        return;
    }
    // Interior points count fully, the two ends half: double, add the ends once, halve.
    bool ok =
        mult_ok(r.PosIntegral, 2, &r.PosIntegral) && mult_ok(r.NegIntegral, 2, &r.NegIntegral);
    for (long double ende : {a, b}) {
        long double y = 0;
        if (ok && Wert(0, ende, false, y))
            ok = Aufaddieren(y >= 0 ? r.PosIntegral : r.NegIntegral, y, dx);
    }
    if (!ok) {
        r.Integral = 0;
        r.PosIntegral = 0;
        r.NegIntegral = 0;
        SetDlgItemText(kIntegral, "");
        return;
    }
    r.PosIntegral /= 2;
    r.NegIntegral /= 2;
    if (fabsl(r.PosIntegral) < 1e-10L) r.PosIntegral = 0;
    if (fabsl(r.NegIntegral) < 1e-10L) r.NegIntegral = 0;
    const long double jetzt = GetTickCount();
    Anzeige(kGeschaetzt, ceill(schaetzung(jetzt)), 6);
    Anzeige(kVergangen, ceill((jetzt - IntStartZeit) * 0.001L), 6);
    SetDlgItemText(kIntegral, IntegralText(r.PosIntegral, r.NegIntegral).c_str());
    Anzeige(kIntervallX, x, 8);
}

// ---- cancel and leave -----------------------------------------------------------------------

void TNullstellen::BNClickedABBRUCHOK() {
    vdFuncTrace("void TNullstellen::BNClickedABBRUCHOK()");
    PumpWaitingMessages();
    if (!NullstStruct || Beendet || !GetHandle()) return;
    char caption[40] = "";
    GetDlgItemText(kAbbruchOK, caption, sizeof caption);
    const bool ok = strncasecmp(caption, "&OK", 3) == 0;
    if (Rechnet()) {
        if (!ok) {
            Abbruch = 1;
            return;
        }
        Uebergeben();
        ::EnableWindow(GetDlgItem(kAbbruchOK), false);
        Laufbild->StopRunning(true);
        Beenden();
    } else if (ok) {
        Uebergeben();
        Beenden();
    } else if (::IsWindowEnabled(GetDlgItem(kStart))) {
        DruckenSperren();
        NullstStruct->Diskussion = 0;
        NullstStruct->Integral = 0;
        Beenden();
    }
}

void TNullstellen::CmCancel() {
    if (!NullstStruct) return TDialog::CmCancel();
    BNClickedABBRUCHOK();
}

void TNullstellen::EvClose() {
    if (!NullstStruct) return TDialog::EvClose();
    if (IsCloseEntryEnabled()) BNClickedABBRUCHOK();
}

bool TNullstellen::CanClose() {
    if (Rechnet()) {
        Abbruch = 1;
        return false;
    }
    return TDialog::CanClose();
}

void TNullstellen::Uebergeben() {
    TListBoxData** ziele[3] = {&NullstStruct->NstText, &NullstStruct->ExtrText,
                               &NullstStruct->WendText};
    for (int k = 0; k < 3; ++k) {
        // The lists stay the record user's: they are filled in place, and made only where the
        // record has none.
        TListBoxData*& daten = *ziele[k];
        if (daten)
            daten->Clear();
        else
            daten = new TListBoxData;
        for (const std::string& zeile : Zeilen[k]) daten->AddString(zeile.c_str(), true);
        Zeilen[k].clear();
        Gleiche[k].clear();
        Liste(k)->ClearList();
    }
}

void TNullstellen::DruckenSperren() {
    for (TWindow* w = Parent; w; w = w->GetParentO()) {
        if (auto* frame = dynamic_cast<TFrameWindow*>(w)) {
            frame->EnableMenuItem(kMenuDruckeDiskussion, false);
            return;
        }
    }
}

void TNullstellen::Beenden() {
    Beendet = true;
    Destroy(2);
}

void TNullstellen::BNClickedHelp() {
    vdFuncTrace("void TNullstellen::BNClickedHelp()");
    WinExec("HH.EXE mk:@MSITStore:orvlhilf5.chm::html/main8m1w.htm", SW_SHOWNORMAL);
}
