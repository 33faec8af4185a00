// TStochastik: the stochastics window. The user picks one of five distributions (binomial,
// hypergeometric, normal, Poisson, chi-square) from a drop-down list, types the values it needs
// into fields named after the variables x, y, z, u, v, w and presses "Berechne...": the window
// shows P(X=x), P(X<=x) or P(X²>=x) with E(X) and V(X). Only the fields, labels, texts and
// formula pictures of the chosen distribution are shown. Tasks are saved to and loaded from
// ".stc" files, copied with the formula to the shared settings file "orvltrn.ini" ("k") and
// printed with a preview.
//
// The window uses dialog resource 101 of "STOCHAST.DLL"; the program builds it as the module
// "stoch" on its StochTransStructDef.
#pragma once

#include "stochrecord.h"
#include "stochtask.h"
#include "vdbaseprintdlg.h"

#include <memory>
#include <string>

class TTalkComboBox;
class vdFunction;

class TStochastik : public vdBasePrintDlg {
public:
    TStochastik(StochTransStructDef* HStructIn, TModule* module = nullptr);
    TStochastik(TWindow* parent, TResId resId, TModule* module = nullptr);
    // The program's window: inside `parent` on the program's record.
    TStochastik(TWindow* parent, StochTransStructDef* HStructIn, TModule* module = nullptr);
    ~TStochastik() override;

    // Creates the function object and the controls.
    void Init();
    void SetupWindow() override;
    void EvCommand(unsigned id, HWND hWndCtl, unsigned notifyCode) override;
    // A close request while a probability is computed stops the computation instead.
    void EvClose() override;
    // Shows the controls of the distribution named by the list.
    void SetzeDarst();
    // Checks the input, computes and shows the results; true on success.
    bool Berechnung();
    // Writes the task into `DatName`; false when the file cannot be written.
    bool SetzeDaten(const char* DatName);
    // Reads the task of `DatName`; false (after the message) when it is unreadable.
    bool HoleDaten(const char* DatName);
    void CurrPrintout(bool Vorschau, TDC& dc, bool erase, TRect& rect, int Page) override;

    void BNClickedBerechne();
    void BNClickedSpeichern();
    void BNClickedLaden();
    void BNClickedKopieren();
    void BNClickedDrucke();
    void BNClickedHelp();

    // The program's command line: the task file to open at set-up (quotes allowed).
    void SetCommandLine(const char* cmdLine) { CommandLine = cmdLine ? cmdLine : ""; }
    int GetVerteilung() const { return Verteilung; }
    bool IstAmRechnen() const { return Rechnet; }
    // How often the function object has been built for a calculation.
    int GetFunctionBuilds() const { return FunctionBuilds; }

private:
    friend class TStochFensterSchritte;
    void FocusId(int id);
    void Enable(int id, bool enable);
    void Zeige(int id, bool show);
    void ZeigeBereich(int first, int last, bool show);
    void KeinErgebnis();
    long double Feldwert(int id);
    std::string Feldtext(int id, int maxChars);
    bool Wahrscheinlichkeit(long double& p);
    void SetTitle(const char* taskFile);
    void StoreTaskFile(const std::string& file);
    void GroesseZuMarke();
    TStochAufgabe AufgabeAusFeldern();

    int Verteilung = 0;
    TTalkComboBox* Liste = nullptr;
    std::unique_ptr<vdFunction> Func;
    StochTransStructDef* HStruct = nullptr;
    bool Rechnet = false;
    bool Abbruch = false;
    int FunctionBuilds = 0;
    std::string CommandLine;
    std::string TaskFile;
};
