// The triangle rasteriser of bitmap surfaces: small triangles through their kept masks set
// exactly the pixels the general rows and lines set.
#include "dreieckraster.h"

#include <gtest/gtest.h>
#include <vector>

namespace {
constexpr QRgb kFuellung = 0xFF20A040u, kRand = 0xFF000000u;

// A picture of random pixels, so that a pixel which must stay is seen to stay.
QImage Gemustert(int w, int h, unsigned& zufall) {
    QImage bild(w, h, QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < h; ++y) {
        QRgb* zeile = reinterpret_cast<QRgb*>(bild.scanLine(y));
        for (int x = 0; x < w; ++x) {
            zufall = zufall * 1103515245u + 12345u;
            zeile[x] = 0xFF000000u | (zufall >> 8);
        }
    }
    return bild;
}

// What the DC draws without the masks: the rows, then the three edges.
void Allgemein(const TDreieckRaster& raster, const QPoint v[3], const QRgb* fuellung,
               const QRgb* rand) {
    if (fuellung) raster.Fuelle(v, *fuellung);
    if (rand)
        for (int k = 0; k < 3; ++k)
            raster.Linie(v[k], v[(k + 1) % 3], *rand,
                         raster.Innen(v[k]) && raster.Innen(v[(k + 1) % 3]));
}
} // namespace

// Every corner placement in a box up to 3 x 7, with the fill, the outline and both, near the
// origin and far from it (where adding up the row
// ends rounds otherwise than near it).
TEST(DreieckRaster, EverySmallTriangleSetsThePixelsOfTheRowsAndLines) {
    constexpr int W = 760, H = 40;
    unsigned zufall = 99;
    const QImage vorher = Gemustert(W, H, zufall);
    QImage klein = vorher, allgemein = vorher;
    const TDreieckRaster rk(klein, klein.rect()), ra(allgemein, allgemein.rect());
    const QPoint orte[] = {QPoint(4, 2),    QPoint(9, 5),    QPoint(14, 29), QPoint(739, 1),
                           QPoint(700, 30), QPoint(701, 17), QPoint(702, 8), QPoint(756, 3)};
    const QRgb* arten[3][2] = {{&kFuellung, &kRand}, {&kFuellung, nullptr}, {nullptr, &kRand}};
    long dreiecke = 0, gesetzt = 0;
    for (int a = 0; a < 1 << 15; ++a) {
        const int dx[3] = {a >> 13 & 3, a >> 11 & 3, a >> 9 & 3};
        const int dy[3] = {a >> 6 & 7, a >> 3 & 7, a & 7};
        if (std::min({dx[0], dx[1], dx[2]}) || std::min({dy[0], dy[1], dy[2]})) continue;
        const QPoint ort = orte[dreiecke % std::size(orte)];
        const QPoint v[3] = {ort + QPoint(dx[0], dy[0]), ort + QPoint(dx[1], dy[1]),
                             ort + QPoint(dx[2], dy[2])};
        const auto& art = arten[dreiecke % 3];
        ++dreiecke;
        ASSERT_TRUE(rk.Klein(v, art[0], art[1])) << "corners " << a;
        Allgemein(ra, v, art[0], art[1]);
        for (int y = ort.y() - 1; y <= ort.y() + 8; ++y)
            for (int x = ort.x() - 4; x <= std::min(ort.x() + 8, W - 1); ++x) {
                gesetzt += klein.pixel(x, y) != vorher.pixel(x, y);
                ASSERT_EQ(klein.pixel(x, y), allgemein.pixel(x, y))
                    << "corners " << a << " at " << ort.x() << "," << ort.y() << ", pixel " << x
                    << "," << y;
            }
        // Back to the pattern for the next one.
        for (int y = ort.y() - 1; y <= ort.y() + 8; ++y)
            for (int x = ort.x() - 4; x <= std::min(ort.x() + 8, W - 1); ++x) {
                klein.setPixel(x, y, vorher.pixel(x, y));
                allgemein.setPixel(x, y, vorher.pixel(x, y));
            }
    }
    EXPECT_EQ(dreiecke, 37 * 169) << "boxes the corners reach on the left and at the top";
    EXPECT_GT(gesetzt, 4 * dreiecke);
}

// As the DC uses it: the masks where they apply, the rows and lines elsewhere. Random triangles
// a few pixels large around the edges of a clip, some too large for the masks, one after
// another into the same picture: the same picture as the rows and lines alone, nothing outside
// the clip, and most triangles inside it go through the masks.
TEST(DreieckRaster, SmallTrianglesAtTheClipDrawWhatTheRowsAndLinesDraw) {
    constexpr int W = 64, H = 48;
    unsigned zufall = 4711;
    auto naechste = [&](int lo, int hi) {
        zufall = zufall * 1103515245u + 12345u;
        return lo + int((zufall >> 8) % unsigned(hi - lo + 1));
    };
    const QImage vorher = Gemustert(W, H, zufall);
    QImage beide = vorher, allgemein = vorher;
    const QRect clip(6, 5, 45, 33);
    const TDreieckRaster rb(beide, clip), ra(allgemein, clip);
    long maske = 0, innen = 0;
    for (int n = 0; n < 20000; ++n) {
        const QPoint ort(naechste(0, W - 6), naechste(0, H - 10));
        const int b = naechste(0, 4), h = naechste(0, 8);
        QPoint v[3];
        for (QPoint& p : v) p = ort + QPoint(naechste(0, b), naechste(0, h));
        const QRgb fuellung = 0xFF000000u | unsigned(n * 2654435761u >> 8);
        const QRgb* f = n % 7 == 3 ? nullptr : &fuellung;
        const QRgb* r = n % 5 == 1 ? nullptr : &kRand;
        if (rb.Klein(v, f, r))
            ++maske;
        else
            Allgemein(rb, v, f, r);
        Allgemein(ra, v, f, r);
        // The masks apply where the box lies within the clip.
        const int x0 = std::min({v[0].x(), v[1].x(), v[2].x()});
        const int x1 = std::max({v[0].x(), v[1].x(), v[2].x()});
        const int y0 = std::min({v[0].y(), v[1].y(), v[2].y()});
        const int y1 = std::max({v[0].y(), v[1].y(), v[2].y()});
        innen += x1 - x0 <= TDreieckRaster::kKleinB && y1 - y0 <= TDreieckRaster::kKleinH &&
                 x0 >= clip.left() && x1 <= clip.right() && y0 >= clip.top() && y1 <= clip.bottom();
    }
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x) {
            ASSERT_EQ(beide.pixel(x, y), allgemein.pixel(x, y)) << x << "," << y;
            if (!clip.contains(x, y)) {
                ASSERT_EQ(beide.pixel(x, y), vorher.pixel(x, y)) << x << "," << y;
            }
        }
    EXPECT_EQ(maske, innen);
    EXPECT_GT(maske, 20000 / 4);
}

// Lines known to lie inside are walked by counting steps along the longer extent; they must
// set the pixels the general walk sets, which looks at every pixel against the clip: every
// line from a point to all ends up to 40 pixels away, and long random ones.
TEST(DreieckRaster, LinesInsideSetThePixelsOfTheGeneralWalk) {
    constexpr int W = 900, H = 700;
    unsigned zufall = 31;
    const QImage vorher = Gemustert(W, H, zufall);
    QImage innen = vorher, allgemein = vorher;
    const TDreieckRaster ri(innen, innen.rect()), ra(allgemein, allgemein.rect());
    auto beide = [&](QPoint a, QPoint b, QRgb farbe) {
        ASSERT_TRUE(ri.Innen(a) && ri.Innen(b));
        ri.Linie(a, b, farbe, true);
        ra.Linie(a, b, farbe, false);
    };
    const QPoint mitte(450, 350);
    for (int dy = -40; dy <= 40; ++dy)
        for (int dx = -40; dx <= 40; ++dx)
            beide(mitte, mitte + QPoint(dx, dy), 0xFF000000u | unsigned((dx + 41) * 97 + dy + 41));
    auto naechste = [&](int lo, int hi) {
        zufall = zufall * 1103515245u + 12345u;
        return lo + int((zufall >> 8) % unsigned(hi - lo + 1));
    };
    for (int n = 0; n < 3000; ++n)
        beide(QPoint(naechste(0, W - 1), naechste(0, H - 1)),
              QPoint(naechste(0, W - 1), naechste(0, H - 1)), 0xFF000000u | unsigned(n * 40503u));
    long anders = 0;
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x) {
            anders += innen.pixel(x, y) != vorher.pixel(x, y);
            ASSERT_EQ(innen.pixel(x, y), allgemein.pixel(x, y)) << x << "," << y;
        }
    EXPECT_GT(anders, W * H / 4);
}
