// TGlSysVar: the window of the linear systems ("Lin. GlSys."). The user gives the number of
// unknowns n (2 … 7) and goes on to the input of the n equations (TGlSysEingabe) and from there
// to the given system beside its solution form (TGlSysInformation). Tasks are loaded from ".gls"
// files or pasted from the shared settings file "orvltrn.ini" ("e"); the last accepted task is
// kept in the module's state file from one run to the next.
//
// All three dialogs work on the MatTransStructDef that the program owns. The window uses dialog
// resource 101 of "LINSOLVE.DLL"; the program builds it as the module "glsys".
#pragma once

#include "dialog.h"

#include <memory>
#include <string>

struct MatTransStructDef;

class TGlSysVar : public TDialog {
public:
    // The program's form: the window of a module frame on the program's record.
    TGlSysVar(MatTransStructDef* HStructIn, TModule* module = nullptr);
    // A window with a record of its own.
    TGlSysVar(TWindow* parent, TResId resId = 101, TModule* module = nullptr);
    TGlSysVar(TWindow* parent, MatTransStructDef* HStructIn, TResId resId = 101,
              TModule* module = nullptr);
    ~TGlSysVar() override;

    void SetupWindow() override;
    // The program's command line: the task file to open at set-up (quotes allowed).
    void SetCommandLine(const char* cmdLine) { CommandLine = cmdLine ? cmdLine : ""; }

    void BNClickedOK();
    void BNClickedLaden();
    void BNClickedEinfuegen();
    void BNClickedHelp();
    // Reads the task of `DatName` into the record. False (after the message "Laden") when the
    // file is not readable; the record then keeps what it had. In both cases 1101 shows the
    // number of unknowns and 201 takes the focus.
    bool HoleDaten(const char* DatName);

    MatTransStructDef* GetRecord() const { return HStruct; }

private:
    void Init();
    bool LiesAufgabe(const char* DatName, bool melden);
    void SetzeTitel(const char* taskFile);
    void MerkeDatei(const std::string& file);

    std::unique_ptr<MatTransStructDef> OwnStruct;
    MatTransStructDef* HStruct;
    std::string CommandLine;
};

// Titles the frame around `window` "Lin. GlSys. - " and the file name of `taskFile`
// ("Unbenannt.gls" without one).
void GlSysTitel(TWindow* window, const char* taskFile);
// Copies `file` into the record's LetzteDatei (cut to its capacity).
void GlSysLetzteDatei(MatTransStructDef& record, const std::string& file);
