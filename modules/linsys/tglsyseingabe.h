// TGlSysEingabe: the input of a system of n equations in n unknowns, an n × (n+1) grid of
// function edits (the coefficients of x1 … xn and the right-hand side of each equation) that
// may use the variables x, y, z, u, v, w of the record. "Weiter" accepts the system: its texts
// and values go into the record and into the state file. "Speichern" writes a ".gls" task file,
// "k" copies the system into "orvltrn.ini", "v" sets the variables.
//
// Resource 210 + 10·n of "LINSOLVE.DLL" (230 … 280).
#pragma once

#include "dialog.h"

#include <string>
#include <vector>

class TTalkFunkEdit;
struct MatTransStructDef;
struct TGlSysAufgabe;

class TGlSysEingabe : public TDialog {
public:
    TGlSysEingabe(TWindow* parent, MatTransStructDef* EinStructIn, TResId resId,
                  TModule* module = nullptr);

    void SetupWindow() override;
    // Stores the accepted task in the state file and puts the field values into the record.
    bool CanClose() override;
    void EvTimer(unsigned timerId) override;

    void BNClickedOKB();
    void BNClickedSpeichern();
    void BNClickedKopieren();
    void BNClickedVar();
    void BNClickedHelp();
    // Puts the values and texts of the fields into the record and writes them into `DatName`
    // (nothing is written for an empty name). False when the file could not be written.
    bool SetzeDaten(const char* DatName);
    // Evaluates every field again with the current variable values.
    void Aktualisiere();

private:
    TTalkFunkEdit* Feld(int r, int c) const { return Felder[size_t((r - 1) * (n + 1) + c - 1)]; }
    void NimmFelder(TGlSysAufgabe& task);
    bool SpeichereMitMeldung(const char* DatName);

    enum : unsigned { CloseTimerId = 1 };
    MatTransStructDef* EinStruct;
    int n;
    std::vector<TTalkFunkEdit*> Felder;
    std::string SaveError; // why the last write failed
};
