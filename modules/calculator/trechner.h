// TRechner: the calculator. One dialog in which the user types a calculation function
// f(x,y,z,u,v,w) of up to 2500 characters, gives the six variable values and computes it in a
// chosen input base (DEC, BIN, HEX, OCT), output base and angle unit (DEG, RAD, GRA). Below the
// input area a key pad opens; while it is open the function text is built key by key by the
// calculator engine vdCalculator. Tasks are saved to and loaded from ".rec" files, copied to and
// pasted from the shared settings file "orvltrn.ini" ("k", "e") and printed with a preview.
//
// The window uses dialog resource 101 and accelerator table 905 of "CALCPAD.DLL"; the program
// builds it as the module "calc" on its RechTransStructDef.
#pragma once

#include "rechtask.h"
#include "rechtrans.h"
#include "vdbaseprintdlg.h"

#include <memory>
#include <string>

class TTalkButton;
class TTalkEdit;
class TTalkFunkEdit;
class vdCalculator;
class vdFunction;

class TRechner : public vdBasePrintDlg {
public:
    TRechner(RechTransStructDef* trans, TModule* module = nullptr);
    TRechner(TWindow* parent, RechTransStructDef* trans, TResId resId = 101,
             TModule* module = nullptr);
    ~TRechner() override;

    // Creates the function object, the engine and the controls.
    void Init();
    void SetupWindow() override;
    void EvCommand(unsigned id, HWND hWndCtl, unsigned notifyCode) override;
    // Feedback for a key of the pad reached through the keyboard: the key takes the focus.
    void FlashButton(int id);
    // The function field got the focus: an open key pad closes.
    void ENSetFocusEDITCalculate();
    // One key: into the function field (pad closed) or through the engine (pad open).
    void FuncInOut(const char* key);
    // The calculation; true when a result is shown.
    bool Berechnung();
    // Writes the task into `file` (the variable fields are checked first); an unchanged task
    // leaves the file alone. On failure SaveError says why.
    bool SetzeDaten(const char* file);
    // Reads the task of `file` into the window; false (after the message) when unreadable.
    bool HoleDaten(const char* file);
    // False, after telling the user, when the task file does not exist.
    bool TaskFileThere(const char* file);
    void CurrPrintout(bool preview, TDC& dc, bool erase, TRect& rect, int page) override;
    // Key releases reaching the window itself have no effect.
    void EvKeyUp(unsigned key, unsigned repeatCount, unsigned flags);

    // The host's command line: the task file to open at set-up (quotes allowed).
    void SetCommandLine(const char* cmdLine) { CommandLine = cmdLine ? cmdLine : ""; }

    // State, for the program and tests.
    int GetBaseIn() const { return BaseIn; }
    int GetBaseOut() const { return BaseOut; }
    int GetAngularUnit() const { return AngularUnit; }
    bool IsPadOpen() const { return PadOpen != 0; }
    // How often the function object has been built for a calculation.
    int GetFunctionBuilds() const { return FunctionBuilds; }

    void BNClickedBerechne();
    void BNClickedOpen();
    void BNClickedLaden();
    void BNClickedSpeichern();
    void BNClickedDrucke();
    void BNClickedHelp();
    void BNClickedKopieren();
    void BNClickedEinfuegen();
    void BNClickedDEC();
    void BNClickedBIN();
    void BNClickedHEX();
    void BNClickedOCT();
    void BNClickedDECOut();
    void BNClickedBINOut();
    void BNClickedHEXOut();
    void BNClickedOCTOut();
    void BNClickedDEG();
    void BNClickedRAD();
    void BNClickedGRA();

    void BNClicked0();
    void BNClicked1();
    void BNClicked2();
    void BNClicked3();
    void BNClicked4();
    void BNClicked5();
    void BNClicked6();
    void BNClicked7();
    void BNClicked8();
    void BNClicked9();
    void BNClicked00();
    void BNClickedPoint();
    void BNClickedhA();
    void BNClickedhB();
    void BNClickedhC();
    void BNClickedhD();
    void BNClickedhE();
    void BNClickedhF();
    void BNClickedx();
    void BNClickedy();
    void BNClickedz();
    void BNClickedu();
    void BNClickedv();
    void BNClickedw();
    void BNClickedadd();
    void BNClickedsub();
    void BNClickedmult();
    void BNClickeddiv();
    void BNClickedresult();
    void BNClickedC();
    void BNClickedAC();
    void BNClickedsin();
    void BNClickedcos();
    void BNClickedtan();
    void BNClickedcot();
    void BNClickedasin();
    void BNClickedacos();
    void BNClickedatan();
    void BNClickedacot();
    void BNClickedsinh();
    void BNClickedcosh();
    void BNClickedtanh();
    void BNClickedcoth();
    void BNClickedarsinh();
    void BNClickedarcosh();
    void BNClickedartanh();
    void BNClickedarcoth();
    void BNClickedexp();
    void BNClickedlg();
    void BNClickedln();
    void BNClickedMin();
    void BNClickedMr();
    void BNClickedMadd();
    void BNClickedMsub();
    void BNClickedMC();
    void BNClickedpercent();
    void BNClickedoBra();
    void BNClickedcBra();
    void BNClickedocBra();
    void BNClickedp_m();
    void BNClickedfacc();
    void BNClickedcupm();
    void BNClicked1divc();
    void BNClickedcup2();
    void BNClickedcup12();
    void BNClickedcup13();
    void BNClicked10upc();
    void BNClickedrand();
    void BNClickedpi();
    void BNClickede();

    // Control ids beyond those of the system's table.
    enum : int { kIdClear = 250 };

private:
    // The caption of the button that opens and closes the key pad.
    static constexpr char kCaptionOpen[] = "&Taschenrechner öffnen >>";
    static constexpr char kCaptionClose[] = "&Taschenrechner schliessen <<";
    // The task as the fields show it (the variable fields are checked first).
    TRechAufgabe AufgabeAusFeldern();
    void AufgabeInFelder(const TRechAufgabe& task);
    // Opens or closes the key pad; false when the screen is too small.
    bool PadUmschalten();
    // Sizes the window (or its frame) so that the marker's corner is the bottom-right.
    bool GroesseZuMarke(int markerId, bool check);
    void SetzeBasisIn(int base);
    void SetzeBasisOut(int base);
    void SetzeWinkel(int unit);
    void Enable(int id, bool enable);
    // Greys or enables the close entry of the parent window.
    void SchliessenErlauben(bool enable);
    void FocusId(int id);
    void SetTitle(const char* taskFile);
    void ReadValues(long double values[6]);
    std::string FunctionText(int maxChars) const;
    void NewEngine();
    void StoreTaskFile(const std::string& file);

    RechTransStructDef* Trans;
    std::unique_ptr<vdFunction> Func;
    std::unique_ptr<vdCalculator> Calc;
    bool SettingsChanged = false;
    int BaseIn = 10;
    int BaseOut = 10;
    int AngularUnit = 2;
    int PadOpen = 0;
    int FunctionBuilds = 0;
    bool InStep = false;
    bool InFocusPass = false;
    TTalkEdit* Function = nullptr;
    TTalkButton* PadButton = nullptr;
    TTalkFunkEdit* VarEdit[6] = {};
    std::string CommandLine;
    std::string TaskFile;
    std::string LoadFileName; // kept from one use of "Laden" to the next
    std::string SaveError;    // why the last SetzeDaten failed
};
