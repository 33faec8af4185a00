// TFunktionsDraw: the window of the function discussion. It draws f(x) with its first two
// derivatives and the grid with axes (the 3D drawing of f(x,y) comes with its own routines),
// answers the commands of the program's menu (input, information, the two printouts, start
// position, help, end), loads ".fud" task files and opens the roots and integrals dialog after
// the input dialog. All task data live in the program's FudiTransStructDef.
//
// Dialog resource 202 of "FNPLOT.DLL"; the program opens it as the module "fudi".
#pragma once

#include "fudi3d.h"
#include "fudizeichner.h"
#include "vdbaseprintdlg.h"

#include <memory>
#include <string>

class TModule;
class TStatusBar;
class vdFunction;
class vdMetafile;
struct FudiTransStructDef;

// The orientation picture of screen drawings: "BALLEXT.vdm", or "BALLEXT8.vdm" on devices with
// fewer than 16 bits per pixel; each kind is loaded once.
class TKugelbild {
public:
    explicit TKugelbild(TWindow* fenster);
    ~TKugelbild();
    void Zeichne(TDC& dc, const TRect& ziel);
    int FarbTiefe = 0; // bits per pixel of the device the drawing is shown on (0: unknown)

private:
    TWindow* Fenster;
    std::unique_ptr<vdMetafile> Bild;
    bool WenigeFarben = false;
};

class TFunktionsDraw : public vdBasePrintDlg {
public:
    // The menu commands.
    enum : int {
        CM_EINGABE = 201,
        CM_INFORMATION = 202,
        CM_DRUCKEFUNKTION = 203,
        CM_DRUCKEINFORMATION = 204,
        CM_EINGABE3D = 205,
        CM_HILFE = 302,
        CM_ENDE = 305,
        CM_STARTPOS = 502,
        CM_WERTETABELLE = 206,
    };

    // The program's constructor: the window on the record, inside `parent` (the module's frame).
    TFunktionsDraw(FudiTransStructDef* HStructIn, TModule* module = nullptr,
                   TWindow* parent = nullptr);
    // A plain window without record and without Init.
    TFunktionsDraw(TWindow* parent, TResId resId, TModule* module);
    ~TFunktionsDraw() override;

    void Init();
    void SetupWindow() override;
    bool CanClose() override;
    // Reads the task file into the record; false (after the message) when it is unreadable.
    bool HoleDaten(const char* DatName);

    void Eingabe();
    void Eingabe3D();
    void Information();
    void DruckeFunktion();
    void DruckeInformation();
    // Greys command 204 for 3D tasks.
    void DruckeInformationE();
    void BNClickedHelp();
    void BNClickedEnde();
    void StartPosAbf();
    // The value table of f, f', f''.
    void Wertetabelle();

    void Paint(TDC& dc, bool erase, TRect& rect) override;
    void EvMouseMove(unsigned modKeys, const TPoint& point) override;
    // A click (press and release on the same spot) opens the position dialog; dragging with
    // the button held moves the drawn ranges, the wheel zooms about the pointer.
    void EvLButtonDown(unsigned modKeys, const TPoint& point) override;
    void EvLButtonUp(unsigned modKeys, const TPoint& point) override;
    void EvMouseWheel(unsigned modKeys, int zDelta, const TPoint& point) override;
    void CurrPrintout(bool preview, TDC& dc, bool erase, TRect& rect, int kind) override;

    bool IsNull(int Art, long double x, long double dx, long double* Wert) {
        return Zeichner.IsNull(Art, x, dx, Wert);
    }
    void ZeichneKoord(HDC DC, int x0, int y0, int Bereichr, int Bereichb, int Updleft, int Updright,
                      int Updtop, int Updbottom, int y_richtung, bool solid, bool nurListen) {
        Zeichner.ZeichneKoord(DC, x0, y0, Bereichr, Bereichb, Updleft, Updright, Updtop, Updbottom,
                              y_richtung, solid, nurListen);
    }
    void ZeichneFunktion(const char* AFunktionIn, int Ableit, HDC DC, int Bereichr, int Bereichb,
                         int Updleft, int Updright, int y_richtung, bool zweifarben,
                         bool durchzeichnen);

    // The 2D drawing of the record's task on `dc`, `breite` x `hoehe` device units, within the
    // update rectangle; y direction 1 (screen, picture files) or -1 (printer).
    void Zeichne2D(TDC& dc, int breite, int hoehe, const TRect& upd, int y_richtung,
                   bool zweifarben);

    // The 3D drawing of the record's task on `dc`, `breite` x `hoehe` device units; y direction
    // 1 (screen, picture files, the orientation picture from its file) or -1 (printer).
    void Zeichne3D(TDC& dc, int breite, int hoehe, int y_richtung, bool zweifarben);

    // Page `kind` (1 drawing, 2 discussion) printed into the PDF file `file`, without asking;
    // the program's printer choice changes to the PDF file for the rest of the run.
    bool SeiteAlsPdf(int kind, const char* file);

    // The program's command line: the task file to open at set-up (quotes allowed).
    void SetCommandLine(const char* cmdLine) { CommandLine = cmdLine ? cmdLine : ""; }
    // The status line when the record has none of its own (a frame's status bar).
    void SetStatusLine(TStatusBar* bar) { StatusLine = bar; }

    // State, for the program and tests.
    FudiTransStructDef* GetRecord() const { return HStruct; }
    vdFunction* GetFunkObj() const { return FunkObj.get(); }
    bool IsPrinting() const { return Druckt != 0; }
    // How often the graphs have been drawn on the screen.
    int GetPaintCount() const { return PaintCount; }
    // Builds the function object again on the record's function.
    void NeuesFunkObj();

private:
    void Legende();
    void ZeigeFunktion();
    void Status(const char* text);
    void SetTitle(const char* taskFile);
    // The input dialog in `mode` (0 f(x), 1 f(x,y)); true when it ended with OK.
    bool EingabeDialog(int mode);
    void RootsDialog();
    void PrintDialog(const char* title, int kind);
    void DruckeZeichnungsseite(TDC& dc, const std::string zeilen[5]);
    void DruckeDiskussionsseite(TDC& dc, const std::string zeilen[5], const std::string abl[5]);
    long double XAnSpalte(int spalte) const;
    long double HAnZeile(int zeile) const;
    void Positionsdialog(const TPoint& point);

    FudiTransStructDef* HStruct = nullptr;
    std::unique_ptr<vdFunction> FunkObj;
    std::unique_ptr<TModule> RootsModul;
    TFudiZeichner Zeichner;
    TFudi3dZeichner Zeichner3D;
    TKugelbild Kugel{this};
    TStatusBar* StatusLine = nullptr;
    std::string CommandLine;
    int Druckt = 0;
    bool NachDemDruck = false; // a paint came while printing
    int Zeichnet = 0;
    int PaintCount = 0;
    // Dragging: where the button went down and the ranges at that moment.
    bool Gedrueckt = false, Gezogen = false;
    TPoint ZugStart;
    long double ZugX1 = 0, ZugX2 = 0, ZugH1 = 0, ZugH2 = 0;
};

// Enables or greys menu command `id` of the frame around `window` (its parents searched).
void FudiMenuePunkt(TWindow* window, int id, bool enable);
