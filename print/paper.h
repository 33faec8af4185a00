// The paper table of the print dialog and the arithmetic that fits a logical page onto a paper
// and places the preview (Qt-free, so that it can be tested on its own).
#pragma once

#include "wintypes.h"

#include <string>
#include <vector>

enum : int { kPaperUser = 256 }; // user-defined size in the device mode
enum : int { kPortrait = 1, kLandscape = 2 };

struct TPaperInfo {
    int code;
    bool mm;     // false: inches
    float width; // nominal size of the paper standing upright, in its unit
    float height;
    const char* name;
};

// The entry of the table for a device-mode paper code, or null for a code that is not in it.
const TPaperInfo* FindPaper(int code);
// How a paper dimension is shown: whole millimetres ("297"), inches as whole numbers or
// fractions in eighths ("11", "8 1/2", "3 7/8").
std::string PaperText(float value, bool mm);
// The code whose nominal size matches `widthMm` × `heightMm` (either way round, within 1 mm),
// or kPaperUser when none does.
int PaperCodeForSize(double widthMm, double heightMm);

// Paper dimensions in millimetres.
double PaperMillimetres(float value, bool mm);

// The fit of the logical page to the paper. `pageAspect` = |logical height / logical width|;
// `mode` is the setting HoeheAusgl ("-…" automatic, "1" fit the width, "0" fit the height).
struct TPageFit {
    int heightFit = 1; // on: the page spans the paper's width
    float factor = 1.0f;
};
TPageFit ComputeFit(float pageAspect, float paperWidth, float paperHeight, const char* mode);

// The preview rectangle inside the client area `area` of the preview field: 9/10 of the
// area's width for a paper at least as wide as high, else 9/10 of its height, centred.
TRect PreviewRect(const TRect& area, float paperWidth, float paperHeight);

// The sizes of the preview page, in pixels, for its zoom: the fitted preview `fit` first, then
// the paper at 50 %, 75 % and 100 % of its real size on a screen of `dpiX` × `dpiY` dots per
// inch. A step that would not enlarge the page by at least a fifth over the one before is left
// out, so a preview that shows the paper at its real size already has no other step.
std::vector<TSize> PreviewZoomSteps(TSize fit, double paperWidthMm, double paperHeightMm,
                                    double dpiX, double dpiY);
// How large the preview page `size` shows a paper `paperHeightMm` high, in per cent of its real
// size (rounded), on a screen of `dpiY` dots per inch.
int PreviewZoomPercent(TSize size, double paperHeightMm, double dpiY);
