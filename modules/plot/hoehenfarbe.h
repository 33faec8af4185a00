// The colour by height of the 3D drawing's triangles: the mean row of a triangle's corners
// against the bottom of its slice, dark blue to blue for the upper face, nearly white through
// blue to dark for the lower one.
#pragma once

#include "wintypes.h"

#include <algorithm>

// A colour component: c cut to 0 to 255 and truncated, 0 for what is not a number.
int FarbKomponente(double c);

// The colour of a triangle whose corners' rows add up to `summe` in a slice whose bottom is at
// row `boden`; `oben`: the upper face.
TColor HoehenFarbe(int summe, int boden, bool oben);

// The same colours for the many triangles of one slice. The colour steps are whole numbers of
// the row sum times a factor: where the product lies clear of a step, multiplying by the
// slice's factor gives the colour the divisions give; only next to a step are they done.
class THoehenFarben {
public:
    explicit THoehenFarben(int boden)
        : Boden(boden), Oben(200.0 / (3.0 * (boden > 0 ? boden : 1))), Unten(2 * Oben) {}
    TColor operator()(int summe, bool oben) const {
        // The blue of the upper face, or the lower face's step from white, before truncation.
        const double w = oben ? summe * Oben + 48 : summe * Unten;
        const double g = std::clamp(w, -0.5, oben ? 255.5 : 500.5);
        const int k = static_cast<int>(g + 1) - 1; // g rounded down
        const double rest = g - k;
        if (rest < 1e-9 || rest > 1 - 1e-9) return HoehenFarbe(summe, Boden, oben);
        if (oben) return RGB(0, 0, std::clamp(k, 0, 255));
        if (k >= 250) return RGB(0, 0, std::max(499 - k, 0));
        return RGB(249 - k, 249 - k, 250);
    }

private:
    int Boden;
    double Oben, Unten;
};
