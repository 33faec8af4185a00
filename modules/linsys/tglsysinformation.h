// TGlSysInformation: the system as it was given ("Ausgangssystem") and its solution form
// ("Lösungssystem"), one of them at a time in the display frame, with the line that tells
// whether the system has exactly one, no or infinitely many solutions; "Drucken" prints both.
//
// The solution form is the echelon form of the augmented matrix (InvMatrix) after the back
// substitution Berechne; rows without a pivot are shown as the elimination leaves them.
// Resource 310 + 10·n of "LINSOLVE.DLL" (330 … 380).
#pragma once

#include "glsysloes.h"
#include "vdbaseprintdlg.h"

#include <memory>

class InvMatrix;
struct MatTransStructDef;

class TGlSysInformation : public vdBasePrintDlg {
public:
    TGlSysInformation(TWindow* parent, MatTransStructDef* InfStructIn, TResId resId,
                      TModule* module = nullptr);
    ~TGlSysInformation() override;

    void SetupWindow() override;
    // The back substitution on LoesMat.
    void Berechne();
    void BNClickedAusgangsM();
    void BNClickedInverseM();
    void BNClickedDrucke2();
    void BNClickedHelp();
    void CurrPrintout(bool Vorschau, TDC& DruckDC, bool erase, TRect& rect, int Page) override;

    // False when a number of the solution form left the range of long double: there is
    // nothing sensible to show, and the dialog should not be run.
    bool IstBerechnet() const { return Berechnet; }
    TGlSysArt GetArt() const { return Art; }
    long double GetLoesWert(int c, int r) const { return LoesMat[c][r]; }

private:
    // Writes `m` into the grid; for the solution form with the rules that hide zero
    // coefficients.
    void ZeigeSystem(const long double m[8][8], bool loesungsform);
    void ZeigeZeile(int r);
    void DruckeSystem(TDC& dc, const long double m[8][8], int top, bool loesungsform);

    MatTransStructDef* InfStruct;
    std::unique_ptr<InvMatrix> Inv;
    long double LoesMat[8][8] = {};
    int n;
    TGlSysArt Art = TGlSysArt::Eindeutig;
    bool Berechnet = false;
};
