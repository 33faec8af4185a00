// The 3D drawing of the function discussion: the surface h = f(x,y) as a stack of slices from
// back to front (MakeZeichne3dFunktion), each slice joined to the one behind it by filled
// triangles (Zeichne3dFunktion), the grid of the slices that fall on a depth tick and the small
// orientation picture with its axis labels. Like the 2D drawing it knows nothing of windows: the
// screen, the printer, the input dialog's preview and picture files all draw through it.
#pragma once

#include "wintypes.h"

#include <functional>

class TDC;
class TFudiZeichner;
class vdFunction;
struct FudiTransStructDef;

class TFudi3dZeichner {
public:
    // Room of the horizon arrays and their "no point" mark.
    enum : int { kSpalten = 800, kKeinPunkt = 10000 };
    // The quarter turns of the view (from `Turn_Round`).
    enum Quadrant : int { Q0 = 0, Q90 = 1, Q180 = 2, Q270 = 3 };

    // `gitter` draws the slice grids and keeps the grid position lists.
    TFudi3dZeichner(FudiTransStructDef* record, TFudiZeichner& gitter);

    void SetFunktion(vdFunction* funkObj) { FunkObj = funkObj; }
    // Sets every horizon entry to "no point".
    void ResetHorizont();

    // The whole drawing into `Bereichr` x `Bereichb`; `Updright` is the width the depth step is
    // measured by (the client width on the screen).
    void MakeZeichne3dFunktion(const char* AFunktionIn, int Ableit, HDC DC, int Bereichr,
                               int Bereichb, int Updleft, int Updright, int y_richtung,
                               bool zweifarben, bool durchzeichnen);
    // One slice at depth value `Tiefe` in the rectangle `Breite` x `Hoehe` at (x0, y0).
    void Zeichne3dFunktion(long double Tiefe, const char* AFunktionIn, int Ableit, HDC DC, int x0,
                           int y0, int Grade, int Breite, int Hoehe, int Updleft, int Bereichr,
                           int y_richtung, bool zweifarben, bool durchzeichnen);

    // The quadrant of a turn in degrees; any angle is first brought into [0, 360).
    static Quadrant QuadrantVon(long double Turn_Round);
    // The four horizontal labels of the orientation picture: left, front, right-back, back.
    static const char* const* Beschriftungen(Quadrant q);
    // The grid density the drawing uses for `Grade` (kept within 1 to 25).
    static int GradeBegrenzt(int Grade);
    // The tilt the drawing uses (kept within -0.5 to 1.5, the reach of the tilt buttons).
    static long double KippungBegrenzt(long double Move_Vertical);

    // Screen progress in percent (legend edit 211), once per slice while below 100.
    std::function<void(int prozent)> Fortschritt;
    // Printer drawings let messages through once per slice.
    std::function<void()> Pumpe;
    // Asked once per slice; true stops the drawing.
    std::function<bool()> Abbrechen;
    // Draws the orientation picture of the screen into the rectangle; without it (and on the
    // printer) the picture is drawn as a ball with three axes.
    std::function<void(TDC& dc, const TRect& ziel)> Kugel;

    // How many surface points the last drawing evaluated, how many slices it drew.
    long Auswertungen() const { return AnzahlAuswertungen; }
    int Scheiben() const { return AnzahlScheiben; }

private:
    struct Achsen;
    Achsen Ansicht() const;
    void Orientierung(TDC& dc, int Bereichb, int y_richtung, Quadrant q);
    bool Steigungsfarben(const long double werte[6], int Ableit, long double breite, int Breite,
                         TColor& oben, TColor& unten);

    FudiTransStructDef* Rec;
    TFudiZeichner& Gitter;
    vdFunction* FunkObj = nullptr;
    int HorizontX[kSpalten], HorizontY[kSpalten];
    bool HorizontGeklemmt[kSpalten];
    // One slice's values, whether each is undefined, and with `Norm` its face colours.
    long double Wert[kSpalten];
    bool Undefiniert[kSpalten];
    TColor ObenFarbe[kSpalten], UntenFarbe[kSpalten];
    long AnzahlAuswertungen = 0;
    int AnzahlScheiben = 0;
};
