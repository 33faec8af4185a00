// TMatrixFenster: the matrix window of the program (module "matrix", resource 100 of
// "MATCALC.DLL"). The user chooses the order 1 to 8 and types the entries into a grid of
// function edits (expressions in the variables x ... w allowed); "Berechnen" shows rank,
// determinant, inverse and echelon form; "Char. Polynom" determines the characteristic
// polynomial (cancellable while it runs) and "Eigenwerte..." opens the eigenvalue dialog, whose
// list is shown after "OK". Tasks are saved to and loaded from ".mat" files and passed to the
// other modules through "orvltrn.ini" ("k", "e"), and printed with a preview.
#pragma once

#include "matrecord.h"
#include "vdbaseprintdlg.h"

#define MATCALC_EXPORT __attribute__((visibility("default")))

#include <memory>
#include <string>

class CharPoly;
class TComboBox;
class TListBoxData;
class TTalkFunkEdit;

class MATCALC_EXPORT TMatrixFenster : public vdBasePrintDlg {
public:
    TMatrixFenster(TWindow* parent, MatTransStructDef* rec, TModule* module = nullptr);
    ~TMatrixFenster() override;

    void SetupWindow() override;
    void EvCommand(unsigned id, HWND hWndCtl, unsigned notifyCode) override;

    void BNClickedBerechnen();
    void BNClickedCharPoly();
    void BNClickedAbbrechen();
    void BNClickedEigenwerte();
    void BNClickedLaden();
    void BNClickedSpeichern();
    void BNClickedKopieren();
    void BNClickedEinfuegen();
    void BNClickedHelp();
    void BNClickedDrucke();
    void CurrPrintout(bool preview, TDC& dc, bool erase, TRect& rect, int kind) override;

    // Reads a task file into the window; false (after the message) when it is unreadable.
    bool HoleDaten(const char* file);
    // Writes the window's task into a file; false when the entries or the file fail.
    bool SetzeDaten(const char* file, bool transfer);
    // Sets the order and shows the grid of that size.
    void SetzeOrdnung(int n);

private:
    // Checks and evaluates every entry of the grid into the record; false (after the edit's
    // message) at the first entry that does not evaluate.
    bool LeseEintraege();
    void ZeigeEintraege();
    void LoescheErgebnisse();
    void SetTitle(const char* file);
    TTalkFunkEdit* Feld(int r, int c) const { return Felder[r][c]; }

    MatTransStructDef* Rec;
    TTalkFunkEdit* Felder[8][8];
    TComboBox* OrdnungListe;
    std::unique_ptr<CharPoly> Polynom;
    std::unique_ptr<TListBoxData> EigenListe;
    std::string TaskFile;
    bool Laeuft = false;
    // The results of the last "Berechnen", for the printout.
    std::unique_ptr<class InvMatrix> Ergebnis;
};
