// The program's module "roots" ("Nullstellen und Integrale"): a small window in which the user
// types f(x), the interval, the scan distance and the integration accuracy, chooses what to
// compute and opens the roots dialog on a record set up as the function discussion sets up its
// own. After "&OK" of that dialog the window lists what the record received.
#include "dialog.h"
#include "dlgres.h"
#include "funkedit.h"
#include "modreg.h"
#include "nullstaufgabe.h"
#include "talk.h"
#include "tnullstellen.h"
#include "vdfunction.h"
#include "winapi.h"

#include <cmath>
#include <string>

namespace {

constexpr TResId kStartDialog = 23100;
const char kTitel[] = "Nullstellen und Integrale";
const char kHilfe[] = "HH.EXE mk:@MSITStore:orvlhilf5.chm::html/main8m1w.htm";

enum : int {
    kFunktion = 101,
    kX1 = 102,
    kX2 = 103,
    kAbstand = 104,
    kGenauigkeit = 105,
    kIntegral = 110,
    kDiskussion = 111,
    kErzwinge = 112,
    kBerechnen = 120,
    kErgebnis = 130,
};

TDlgResource StartLayout() {
    TDlgResource r;
    r.caption = kTitel;
    r.cx = 300, r.cy = 232;
    r.items = {
        {140, TCtlKind::Static, "f(x) =", 8, 10, 30, 9},
        {kFunktion, TCtlKind::Edit, "x^3-4*x", 40, 8, 252, 12},
        {141, TCtlKind::Static, "x1:", 8, 28, 14, 9},
        {kX1, TCtlKind::Edit, "-10", 24, 26, 50, 12},
        {142, TCtlKind::Static, "x2:", 80, 28, 14, 9},
        {kX2, TCtlKind::Edit, "10", 96, 26, 50, 12},
        {143, TCtlKind::Static, "Abstand:", 152, 28, 34, 9},
        {kAbstand, TCtlKind::Edit, "0.01", 188, 26, 40, 12},
        {144, TCtlKind::Static, "Genauigkeit:", 232, 28, 44, 9},
        {kGenauigkeit, TCtlKind::Edit, "100", 266, 26, 26, 12},
        {kIntegral, TCtlKind::CheckBox, "&Integral", 8, 46, 60, 10},
        {kDiskussion, TCtlKind::CheckBox, "&Diskussion", 72, 46, 60, 10},
        {kErzwinge, TCtlKind::CheckBox, "er&zwinge NSt.", 136, 46, 70, 10},
        {kBerechnen, TCtlKind::PushButton, "&Berechnen", 232, 44, 60, 14, BS_DEFPUSHBUTTON},
        {kErgebnis, TCtlKind::ListBox, "", 8, 64, 284, 114},
        {216, TCtlKind::Static, "", 8, 184, 284, 20, SS_SUNKEN},
        {302, TCtlKind::PushButton, "&Hilfe", 8, 212, 60, 14},
        {IDCANCEL, TCtlKind::PushButton, "B&eenden", 232, 212, 60, 14},
    };
    return r;
}

const TDialogResourceRegistrar registrar("FNROOTS.DLL", kStartDialog, StartLayout());

TModule& RootsModule() {
    static TModule module("FNROOTS.DLL", false);
    return module;
}

class TNullstStart : public TDialog {
public:
    explicit TNullstStart(TWindow* parent) : TDialog(parent, kStartDialog, &RootsModule()) {
        new TTalkEdit(this, kFunktion, 2, 216,
                      "Geben Sie bei 'f(x) =' die Funktion ein, deren Nullstellen, Extrema, "
                      "Wendestellen oder Integral Sie suchen.",
                      "0", 250);
        new TTalkEdit(this, kX1, 0, 216, "Geben Sie bei 'x1' den Anfang des Intervalls ein.", "-10",
                      100);
        new TTalkEdit(this, kX2, 0, 216, "Geben Sie bei 'x2' das Ende des Intervalls ein.", "10",
                      100);
        new TTalkEdit(this, kAbstand, 0, 216,
                      "Geben Sie bei 'Abstand' den Abstand der Rasterpunkte der Suche ein.", "0.01",
                      100);
        new TTalkEdit(this, kGenauigkeit, 0, 216,
                      "Geben Sie bei 'Genauigkeit' die Zahl der Integrationspunkte je Einheit "
                      "von x ein.",
                      "100", 100);
        new TTalkControl(this, kIntegral, 216,
                         "Markieren Sie 'Integral', um das Integral über das Intervall zu "
                         "berechnen.");
        new TTalkControl(this, kDiskussion, 216,
                         "Markieren Sie 'Diskussion', um Null-, Extrem- und Wendestellen zu "
                         "suchen.");
        new TTalkControl(this, kErzwinge, 216,
                         "Markieren Sie 'erzwinge NSt.', um jeden Vorzeichenwechsel als "
                         "Nullstelle zu erhalten.");
        new TTalkButton(this, kBerechnen, 216,
                        "Drücken Sie 'Berechnen', um die Berechnungen zu öffnen.", "", "");
        new TTalkListBox(this, kErgebnis, 216, "Hier stehen die Ergebnisse der Berechnung.");
        new TTalkButton(this, 302, 216,
                        "Drücken Sie 'Hilfe', um Hilfe zu diesem Dialog zu erhalten.", "", "");
        new TTalkButton(this, IDCANCEL, 216, "Drücken Sie 'Beenden', um das Modul zu beenden.", "",
                        "");
        OnClicked(kBerechnen, &TNullstStart::BNClickedBerechnen);
        OnClicked(302, &TNullstStart::BNClickedHelp);
    }

    void SetupWindow() override {
        TDialog::SetupWindow();
        CheckDlgButton(kIntegral, BF_CHECKED);
        CheckDlgButton(kDiskussion, BF_CHECKED);
        if (Parent) Parent->SetCaption(kTitel);
    }

private:
    void Fehler(const char* text) { MessageBox(text, "Berechnung", MB_OK | MB_ICONSTOP); }

    // The value of number field `id`; false after the field's message.
    bool Zahl(int id, long double& value) {
        char text[300] = "";
        GetDlgItemText(id, text, sizeof text);
        return TTalkFunkEdit::Auswerten(this, text, nullptr, nullptr, &value) &&
               std::isfinite(value);
    }

    void BNClickedBerechnen() {
        FudiTransStructDef& r = Aufgabe.Record();
        char text[300] = "";
        GetDlgItemText(kFunktion, text, sizeof text);
        {
            vdFunction probe(text, 6, "xyzuvw", 1, nullptr, true, true);
            if (probe.GetIsError() && probe.GetGlobalError() >= 1) {
                char fehler[1000] = "";
                probe.GetErrorTypeText(fehler);
                return Fehler((std::string("Berechnungsfunktion:\r ") + fehler).c_str());
            }
        }
        long double x1 = 0, x2 = 0, abstand = 0, genauigkeit = 0;
        if (!Zahl(kX1, x1) || !Zahl(kX2, x2) || !Zahl(kAbstand, abstand) ||
            !Zahl(kGenauigkeit, genauigkeit))
            return;
        if (!(x1 < x2)) return Fehler("Intervall:\r x1 muss kleiner als x2 sein.");
        if (!(abstand > 0) || !std::isfinite(1 / abstand))
            return Fehler("Abstand:\r Der Abstand muss eine positive Zahl sein.");
        if (!(genauigkeit > 0))
            return Fehler("Genauigkeit:\r Die Genauigkeit muss eine positive Zahl sein.");
        const bool integral = IsDlgButtonChecked(kIntegral) == BF_CHECKED;
        const bool diskussion = IsDlgButtonChecked(kDiskussion) == BF_CHECKED;
        if (!integral && !diskussion)
            return Fehler("Berechnung:\r Markieren Sie 'Integral' oder 'Diskussion'.");
        Aufgabe.SetzeFunktion(text);
        r.x1 = x1;
        r.x2 = x2;
        r.DiskDichte = 1 / abstand;
        r.IntGenauigkeit = genauigkeit;
        r.Integral = integral;
        r.Diskussion = diskussion;
        r.NStErzwingen = IsDlgButtonChecked(kErzwinge) == BF_CHECKED;
        TNullstellen(this, &r, TNullstellen::kResId, &RootsModule()).Execute();
        ZeigeErgebnis();
    }

    void ZeigeErgebnis() {
        auto* liste = dynamic_cast<TListBox*>(ChildWithId(kErgebnis));
        liste->ClearList();
        const FudiTransStructDef& r = Aufgabe.Record();
        if (r.Integral == 1) {
            liste->AddString(
                ("Integral: " + TNullstellen::IntegralText(r.PosIntegral, r.NegIntegral)).c_str());
            liste->AddString(
                ("PosIntegral: " + TNullstellen::IntegralText(r.PosIntegral, 0)).c_str());
            liste->AddString(
                ("NegIntegral: " + TNullstellen::IntegralText(r.NegIntegral, 0)).c_str());
        }
        if (r.Diskussion != 1) return;
        const char* const titel[3] = {"Nullstellen:", "Extrema:", "Wendestellen:"};
        for (int k = 0; k < 3; ++k) {
            liste->AddString(titel[k]);
            for (const std::string& zeile : Aufgabe.Zeilen(k)) liste->AddString(zeile.c_str());
        }
    }

    void BNClickedHelp() { WinExec(kHilfe, SW_SHOWNORMAL); }

    TNullstAufgabe Aufgabe;
};

const TModuleRegistrar moduleRegistrar({"roots", kTitel, [](THostContext& context) -> TWindow* {
                                            return new TNullstStart(context.Frame());
                                        }});

} // namespace
