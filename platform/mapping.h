// The arithmetic of the Windows mapping modes, kept apart from any painter so it can be tested
// on its own. Device = (logical - window origin) * viewport extent / window extent + viewport
// origin, per axis, rounded to the nearest pixel.
#pragma once

#include "wintypes.h"

enum : int { MM_TEXT = 1, MM_LOMETRIC = 2, MM_ISOTROPIC = 7, MM_ANISOTROPIC = 8 };

struct TMapping {
    int mode = MM_TEXT;
    TPoint windowOrg, viewportOrg;
    TSize windowExt{1, 1}, viewportExt{1, 1};
    // Device resolution (pixels per inch), which fixes MM_LOMETRIC.
    double dpiX = 96, dpiY = 96;

    // Scale factors device per logical unit (negative y for MM_LOMETRIC: y grows upwards).
    double ScaleX() const;
    double ScaleY() const;
    TPoint LPtoDP(const TPoint& p) const {
        // One unit per pixel: whole numbers stay whole, no rounding needed.
        if (mode != MM_LOMETRIC && mode != MM_ANISOTROPIC && mode != MM_ISOTROPIC)
            return TPoint(int(static_cast<long long>(p.x) - windowOrg.x + viewportOrg.x),
                          int(static_cast<long long>(p.y) - windowOrg.y + viewportOrg.y));
        return Skaliert(p);
    }
    TPoint DPtoLP(const TPoint& p) const;
    // Exact device coordinates, for painting with sub-pixel precision.
    double DeviceX(double lx) const { return (lx - windowOrg.x) * ScaleX() + viewportOrg.x; }
    double DeviceY(double ly) const { return (ly - windowOrg.y) * ScaleY() + viewportOrg.y; }
    // A length in logical units as device pixels (absolute value).
    double LengthX(double l) const;
    double LengthY(double l) const;
    // Setting extents is ignored outside MM_ANISOTROPIC/MM_ISOTROPIC, as on Windows; a zero
    // extent is refused (it would divide by zero).
    bool SetWindowExt(const TSize& s);
    bool SetViewportExt(const TSize& s);
    void SetMode(int m);

private:
    TPoint Skaliert(const TPoint& p) const;
};
