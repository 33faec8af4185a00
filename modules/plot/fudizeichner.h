// The 2D drawing of the function discussion: the grid with its axes and labels (ZeichneKoord),
// the graphs of f, f' and f'' drawn column by column (ZeichneFunktion) and the marks of the
// roots, extrema and inflection points found by the roots module (IsNull). The same routines
// draw on the screen (y direction 1), on the printer (y direction -1, device y growing upwards),
// into the input dialog's preview and into a picture file; they know nothing of windows.
#pragma once

#include "wintypes.h"

#include <functional>

class TDC;
class vdFunction;
struct FudiTransStructDef;

class TFudiZeichner {
public:
    // Room of each grid position list.
    enum : int { kListen = 800, kEndeMarke = 10000 };

    explicit TFudiZeichner(FudiTransStructDef* record);

    // The function object the graphs are evaluated with (owned by the caller).
    void SetFunktion(vdFunction* funkObj) { FunkObj = funkObj; }
    // Fills the first 100 entries of the four position lists with the end mark.
    void ResetListen();

    // Grid, axes and (printer only) labels. x0 and y0 shift the whole drawing; `nurListen`
    // records the positions without drawing.
    void ZeichneKoord(HDC DC, int x0, int y0, int Bereichr, int Bereichb, int Updleft, int Updright,
                      int Updtop, int Updbottom, int y_richtung, bool solid, bool nurListen);
    // The graph of derivative order `Ableit` (0, 1, 2; 3 draws like 0).
    void ZeichneFunktion(const char* AFunktionIn, int Ableit, HDC DC, int Bereichr, int Bereichb,
                         int Updleft, int Updright, int y_richtung, bool zweifarben,
                         bool durchzeichnen);
    // Whether the results of kind `Art` (0 roots, 1 extrema, 2 inflection points) hold a value
    // within [x - dx/2, x + dx/2]; the first one goes to `Wert`. False without a discussion.
    bool IsNull(int Art, long double x, long double dx, long double* Wert) const;

    // The 3D view: the grid's columns stand for y instead of x (`tauschen`) and are counted
    // from the upper bound (`gespiegelt`); the printer labels no slice grid (`raeumlich`). All
    // off for 2D drawings.
    void SetzeAnsicht(bool tauschen, bool gespiegelt, bool raeumlich) {
        Tauschen = tauschen;
        Gespiegelt = gespiegelt;
        Raeumlich = raeumlich;
    }

    // The row of value v on a drawing `Bereichb` high (before the y direction is applied).
    int Zeile(long double v, int Bereichb) const;

    // Screen progress of the graph of order `Ableit`: called at most every 250 ms with the
    // percentage done. Printer drawings call `Pumpe` once per column instead.
    std::function<void(int Ableit, int prozent)> Fortschritt;
    std::function<void()> Pumpe;
    // Asked once per column; true stops the drawing (a cancelled print).
    std::function<bool()> Abbrechen;

    // The last recorded grid positions (columns and rows; axes negative; end mark 10000).
    const int* VertikalListe() const { return Vertikal; }
    const int* HorizontalListe() const { return Horizontal; }
    // How many graph points the last ZeichneFunktion evaluated.
    int Auswertungen() const { return AnzahlAuswertungen; }

private:
    void VertikaleLinien(TDC& dc, int x0, int y0, int Bereichr, int Bereichb, int Updleft,
                         int Updright, int Updtop, int Updbottom, int y_richtung, bool nurListen);
    void HorizontaleLinien(TDC& dc, int x0, int y0, int Bereichr, int Bereichb, int Updleft,
                           int Updright, int Updtop, int Updbottom, int y_richtung, bool nurListen);
    void AlteLinien(TDC& dc, int x0, int y0, int y_richtung);
    long double Fangpunkt(long double x, long double dx) const;

    FudiTransStructDef* Rec;
    vdFunction* FunkObj = nullptr;
    int Vertikal[kListen], Horizontal[kListen];
    int VertikalAlt[kListen], HorizontalAlt[kListen];
    int AnzahlAuswertungen = 0;
    bool Tauschen = false, Gespiegelt = false, Raeumlich = false;
};
