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

// The next random whole number from lo to hi.
int Naechste(unsigned& zufall, int lo, int hi) {
    zufall = zufall * 1103515245u + 12345u;
    return lo + int((zufall >> 8) % unsigned(hi - lo + 1));
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
    auto naechste = [&](int lo, int hi) { return Naechste(zufall, lo, hi); };
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
    auto naechste = [&](int lo, int hi) { return Naechste(zufall, lo, hi); };
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

// The rows of random triangles, some reaching out of the clip, against their exact geometry:
// a pixel is filled where its centre lies inside (left edge open, right edge closed, the top
// row in and the bottom one out), and nothing else changes. Centres exactly on an edge may go
// either way.
TEST(DreieckRaster, RowsFillExactlyThePixelsWhoseCentresLieInside) {
    constexpr int W = 120, H = 90;
    unsigned zufall = 2024;
    auto naechste = [&](int lo, int hi) { return Naechste(zufall, lo, hi); };
    const QRect clip(10, 8, 91, 73);
    long gefuellt = 0;
    for (int n = 0; n < 3000; ++n) {
        const QImage vorher = Gemustert(W, H, zufall);
        QImage bild = vorher;
        const int r = n % 3 == 0 ? 60 : 12; // mostly the 3D drawing's sizes, some large
        const QPoint ort(naechste(0, W), naechste(0, H));
        QPoint v[3];
        for (QPoint& p : v) p = ort + QPoint(naechste(-r, r), naechste(-r, r));
        TDreieckRaster(bild, clip).Fuelle(v, kFuellung);
        // Where the edge a-b crosses the row centre y + 0.5, compared with x + 0.5: the sign
        // of (x + 0.5) - X, exactly.
        auto seite = [](QPoint a, QPoint b, int x, int y) {
            if (b.y() < a.y()) std::swap(a, b);
            const long long links = (2LL * x + 1 - 2LL * a.x()) * (b.y() - a.y());
            const long long rechts = (2LL * y + 1 - 2LL * a.y()) * (b.x() - a.x());
            return (links > rechts) - (links < rechts);
        };
        QPoint p[3] = {v[0], v[1], v[2]};
        std::sort(p, p + 3, [](QPoint a, QPoint b) { return a.y() < b.y(); });
        for (int y = 0; y < H; ++y)
            for (int x = 0; x < W; ++x) {
                int innen = 0; // 1 inside, 0 outside, -1 on an edge
                if (clip.contains(x, y) && y >= p[0].y() && y < p[2].y()) {
                    const QPoint a = y < p[1].y() ? p[0] : p[1], b = y < p[1].y() ? p[1] : p[2];
                    const int s1 = seite(p[0], p[2], x, y), s2 = seite(a, b, x, y);
                    innen = s1 == 0 || s2 == 0 ? -1 : s1 != s2;
                }
                if (innen < 0) continue;
                const QRgb soll = innen ? kFuellung : vorher.pixel(x, y);
                ASSERT_EQ(bild.pixel(x, y), soll)
                    << "triangle " << n << ", pixel " << x << "," << y;
                gefuellt += innen;
            }
    }
    EXPECT_GT(gefuellt, 3000L * 30);
}
