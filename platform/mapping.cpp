#include "mapping.h"

#include <cmath>

double TMapping::ScaleX() const {
    switch (mode) {
    case MM_LOMETRIC:
        return dpiX / 254.0;
    case MM_ANISOTROPIC:
    case MM_ISOTROPIC:
        return double(viewportExt.cx) / windowExt.cx;
    default:
        return 1.0;
    }
}

double TMapping::ScaleY() const {
    switch (mode) {
    case MM_LOMETRIC:
        return -dpiY / 254.0;
    case MM_ANISOTROPIC:
    case MM_ISOTROPIC:
        return double(viewportExt.cy) / windowExt.cy;
    default:
        return 1.0;
    }
}

TPoint TMapping::Skaliert(const TPoint& p) const {
    return TPoint(int(std::lround(DeviceX(p.x))), int(std::lround(DeviceY(p.y))));
}

TPoint TMapping::DPtoLP(const TPoint& p) const {
    return TPoint(int(std::lround((p.x - viewportOrg.x) / ScaleX() + windowOrg.x)),
                  int(std::lround((p.y - viewportOrg.y) / ScaleY() + windowOrg.y)));
}

double TMapping::LengthX(double l) const {
    return std::fabs(l * ScaleX());
}
double TMapping::LengthY(double l) const {
    return std::fabs(l * ScaleY());
}

bool TMapping::SetWindowExt(const TSize& s) {
    if (mode != MM_ANISOTROPIC && mode != MM_ISOTROPIC) return false;
    if (s.cx == 0 || s.cy == 0) return false;
    windowExt = s;
    return true;
}

bool TMapping::SetViewportExt(const TSize& s) {
    if (mode != MM_ANISOTROPIC && mode != MM_ISOTROPIC) return false;
    if (s.cx == 0 || s.cy == 0) return false;
    viewportExt = s;
    return true;
}

void TMapping::SetMode(int m) {
    mode = m;
    // Switching to a fixed mode resets the extents, as Windows does.
    if (m != MM_ANISOTROPIC && m != MM_ISOTROPIC) windowExt = viewportExt = TSize(1, 1);
}
