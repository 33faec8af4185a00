// TNullstellen: the roots and integrals dialog "Funktionsdiskussion" (resource 23000 of
// "FNROOTS.DLL"). On the discussion record it computes the integral of f over [x1, x2], split
// into the parts where f is positive and negative, and the roots of f, f', f'' and f''' there:
// a coarse grid scan per derivative order, refinement of every candidate by halving, and a
// cross-check that seeds each order with the roots of the next higher one, so that roots of
// even multiplicity are found too. Progress, time estimate and the result lines are shown while
// it runs; "&OK" hands the lines back through the record.
//
// Everything runs on the window thread: the loops let pending window messages through and poll
// the cancel flag that "&Abbruch" sets.
#pragma once

#include "dialog.h"
#include "fudirecord.h"

#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

class TListBox;
class TTalkControl;
class vdFunction;
class vdRunPictControl;

#define FNROOTS_EXPORT __attribute__((visibility("default")))

class FNROOTS_EXPORT TNullstellen : public TDialog {
public:
    enum : TResId { kResId = 23000 };

    // The dialog of the discussion window on its record (which must outlive the dialog).
    TNullstellen(TWindow* parent, FudiTransStructDef* NullstStructIn, TResId resId = kResId,
                 TModule* module = nullptr);
    // A plain dialog without controls and without record.
    TNullstellen(TWindow* parent, TResId resId, TModule* module = nullptr);
    ~TNullstellen() override;

    void SetupWindow() override;
    void BNClickedSTARTBUTTFunkD();
    void BNClickedABBRUCHOK();
    void BNClickedHelp();

    // The integral of f over [x1, x2] into PosIntegral and NegIntegral of the record.
    void IntegralBest();
    // The coarse scan of derivative order `Ableit` (0 to 3) into its list.
    void Nullstellen(int Ableit);
    // The first grid point after `iterWertue` where order `Ableit` is defined, or a point past
    // the end of the scan.
    long double uebrGehe(int Ableit, long double iterWertue, long double NAbstand);
    // Refines (`naeher` true) or cross-checks every line of list `Ableit` that is not yet a
    // result line.
    void ndNullstellenVerb(int Ableit, bool naeher);

    // Escape and the title bar's close button act as the cancel / leave button; while a
    // calculation runs the dialog cannot be closed (a close request cancels it instead).
    void CmCancel() override;
    void EvClose() override;
    bool CanClose() override;

    // State, for the discussion window, the headless command and tests.
    int GetAbbruch() const { return Abbruch; }
    int GetGefunden() const { return Gefunden; }
    long double GetAufwand() const { return Aufwand; }
    long double GetNAbstand() const { return NAbstand; }
    // Function evaluations of this dialog so far, each derivative counted by the evaluations of
    // its difference quotient.
    long double GetAuswertungen() const { return Auswertungen; }
    // True while a calculation runs.
    bool Rechnet() const;
    // The list of derivative order k (0 to 3), null on a plain dialog.
    TListBox* Liste(int k) const;
    // The integral text of field 1005: pos + neg rounded to 10 places, "-0" as "0".
    static std::string IntegralText(long double pos, long double neg);

    // Control ids of the layout.
    enum : int {
        kStart = 2003,
        kAbbruchOK = 2001,
        kHilfe = 302,
        kInfo = 216,
        kGeschaetzt = 1001,
        kVergangen = 1002,
        kIntervallX1 = 1013,
        kIntervallX = 1014,
        kIntegral = 1005,
        kNstListe = 1101,
        kExtrListe = 1102,
        kWendListe = 1103,
        kAbl3Liste = 1104,
        kLaufbild = 6544,
    };
    // The owner's menu command "print discussion", greyed when no valid discussion is left.
    enum : int { kMenuDruckeDiskussion = 204 };

private:
    // f^(k)(x) into `y`; false where it is undefined. The scan snaps tiny values to zero.
    bool Wert(int k, long double x, bool scan, long double& y);
    // One pass of the message loop, at most every few milliseconds; returns the tick count.
    long double Durchreichen();
    // The progress display of the scan, once a second.
    void Fortschritt(long double x, long double jetzt);
    void Anzeige(int id, long double value, int digits);
    // The lines of the lists: presence (exact, letter case aside), insert, remove.
    bool Vorhanden(int k, const std::string& line) const;
    void ZeileEinfuegen(int k, int i, const std::string& line); // i < 0: at the end
    void ZeileEntfernen(int k, int i);
    // Appends `text` to list k unless an equal line is there already (no check when `immer`).
    void Anhaengen(int k, const std::string& text, bool immer);
    // Handles line i of list k: refinement and cross-check.
    void Verbessere(int k, int i, const std::string& line);
    void Pruefe(int k, int i, const std::string& line);
    // The value text and classification of a result line of order k at x.
    std::string Bewertung(int k, long double x, bool naeher);
    // Inserts a result line at index i unless it is present, and records its x.
    void Einfuegen(int k, int i, const std::string& line, long double x);
    // Feeds the x parts of the lines of list `from` into list `to`.
    void Uebertrage(int from, int to);
    void Diskussion();
    // Moves the lines of the three result lists into the record.
    void Uebergeben();
    // Greys the owner's "print discussion" menu command.
    void DruckenSperren();
    void Beenden();

    FudiTransStructDef* NullstStruct = nullptr;
    std::unique_ptr<vdFunction> FunkObj;
    long double Werte[6] = {};
    long double NAbstand = 0;
    int Abbruch = 0;
    long double StartZeit = 0;
    long double LetzteAnzeige = 0;
    long double Aufwand = 0;
    long double Auswertungen = 0;
    int Gefunden = 0;
    long double IntStartZeit = 0;
    unsigned long LetztesDurchreichen = 0;
    unsigned long PauseDurchreichen = 0;
    unsigned long Schritte = 0;
    long double Uhr = 0; // the tick count read last
    TListBox* NstListe = nullptr;
    TListBox* ExtrListe = nullptr;
    TListBox* WendListe = nullptr;
    TListBox* Abl3Liste = nullptr;
    std::vector<std::string> Zeilen[4];
    std::unordered_map<std::string, int> Gleiche[4];
    TTalkControl* ZeitFeld = nullptr;
    vdRunPictControl* Laufbild = nullptr;
    bool Beendet = false;
};
