// Filled triangles straight into a bitmap (32 bits a pixel). The 3D drawing fills thousands of
// small triangles one by one, and the painter's general polygon path (state, outline mapper,
// rasteriser) costs several times what evaluating the surface does. Pixels whose centres lie
// inside are filled, as the painter fills without antialiasing; the outline is a one-pixel line
// in the pen's colour. Only the layer's DC draws with it (and the tests look at it directly).
#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>
#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>

class TDreieckRaster {
public:
    TDreieckRaster(QImage& image, const QRect& clip)
        : TDreieckRaster(image.bits(), image.bytesPerLine(), clip) {}
    // `clip` lies within the `bpl`-byte rows at `bits`.
    TDreieckRaster(uchar* bits, qsizetype bpl, const QRect& clip)
        : Bits(bits), Bpl(bpl), L(clip.left()), T(clip.top()), R(clip.right()), B(clip.bottom()) {}

    // The rows of the triangle, clipped.
    void Fuelle(const QPoint v[3], QRgb farbe) const;
    // A line with both end points (Bresenham); long lines far outside are walked only along
    // the part of their longer extent that lies within the clip.
    // `innen`: both end points lie within the clip.
    void Linie(QPoint a, QPoint b, QRgb farbe, bool innen) const;
    bool Innen(const QPoint& p) const {
        return p.x() >= L && p.x() <= R && p.y() >= T && p.y() <= B;
    }

    // The largest width and height of the bounding box Klein draws.
    static constexpr int kKleinB = 3, kKleinH = 7;
    // A triangle whose bounding box is at most kKleinB x kKleinH and lies within the clip,
    // filled in `*fuellung` and then outlined in `*rand` (either may be null): the pixels Fuelle
    // and the three Linie set, at a fraction of their cost. False, with nothing drawn, for every
    // other triangle.
    bool Klein(const QPoint v[3], const QRgb* fuellung, const QRgb* rand) const {
        const int x0 = std::min({v[0].x(), v[1].x(), v[2].x()});
        const int x1 = std::max({v[0].x(), v[1].x(), v[2].x()});
        const int y0 = std::min({v[0].y(), v[1].y(), v[2].y()});
        const int y1 = std::max({v[0].y(), v[1].y(), v[2].y()});
        // Checked before the extents, so that nothing overflows.
        if (x0 < L || x1 > R || y0 < T || y1 > B || x1 - x0 > kKleinB || y1 - y0 > kKleinH)
            return false;
        if (!Kleine) Kleine = KleineMasken();
        const Masken& m = Kleine[Schluessel(v, x0, y0)];
        const uint32_t r = rand ? m.rand : 0, f = fuellung ? m.fuellung : 0;
        const QRgb stift = rand ? *rand : 0, pinsel = fuellung ? *fuellung : 0;
        // Only the pixels set are written, the outline's over the fill's.
        uchar* ecke = Bits + y0 * Bpl + x0 * qsizetype(sizeof(QRgb));
        for (uint32_t alle = r | f; alle; alle &= alle - 1) {
            const int i = std::countr_zero(alle);
            reinterpret_cast<QRgb*>(ecke + (i >> 2) * Bpl)[i & 3] = (r >> i & 1) ? stift : pinsel;
        }
        return true;
    }

private:
    // The pixels of a small triangle in its bounding box, four bits a row from the top; bit c
    // of a row is its column c.
    struct Masken {
        uint32_t fuellung = 0, rand = 0;
    };
    // The corners' places in the box, two bits across and three down each.
    static unsigned Schluessel(const QPoint v[3], int x0, int y0) {
        return unsigned((v[0].x() - x0) | (v[1].x() - x0) << 2 | (v[2].x() - x0) << 4) << 9 |
               unsigned((v[0].y() - y0) | (v[1].y() - y0) << 3 | (v[2].y() - y0) << 6);
    }
    // Every small triangle drawn once by Fuelle and Linie; made the first time it is asked for.
    static const Masken* KleineMasken();
    void LangeLinie(QPoint a, QPoint b, QRgb farbe) const;

    uchar* Bits;
    qsizetype Bpl;
    int L, T, R, B;
    mutable const Masken* Kleine = nullptr;
};
