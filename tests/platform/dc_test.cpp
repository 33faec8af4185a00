// Mapping arithmetic and drawing on bitmap surfaces.
#include "dc.h"
#include "mapping.h"

#include <cmath>
#include <gtest/gtest.h>
#include <optional>
#include <vector>

TEST(Mapping, LometricIsTenthsOfAMillimetreWithYUp) {
    TMapping m;
    m.SetMode(MM_LOMETRIC);
    m.dpiX = m.dpiY = 254; // one pixel per tenth of a millimetre
    EXPECT_EQ(m.LPtoDP(TPoint(100, -200)), TPoint(100, 200));
    m.dpiX = m.dpiY = 96;
    // 2100 tenths = 210 mm = 8.27 in = 793.7 px at 96 dpi.
    EXPECT_EQ(m.LPtoDP(TPoint(2100, -2970)), TPoint(794, 1123));
    m.viewportOrg = TPoint(10, 20);
    EXPECT_EQ(m.LPtoDP(TPoint(0, 0)), TPoint(10, 20));
    EXPECT_EQ(m.LPtoDP(TPoint(0, 254)), TPoint(10, 20 - 96)) << "positive y goes up";
    EXPECT_EQ(m.DPtoLP(TPoint(10 + 96, 20 + 96)), TPoint(254, -254));
    // Extents do not apply to a fixed mode.
    EXPECT_FALSE(m.SetWindowExt(TSize(5, 5)));
}

TEST(Mapping, AnisotropicScalesEachAxisByItsExtents) {
    TMapping m;
    m.SetMode(MM_ANISOTROPIC);
    ASSERT_TRUE(m.SetWindowExt(TSize(2100, -2970)));
    ASSERT_TRUE(m.SetViewportExt(TSize(210, 297)));
    EXPECT_EQ(m.LPtoDP(TPoint(2100, -2970)), TPoint(210, 297));
    EXPECT_EQ(m.LPtoDP(TPoint(1050, -1485)), TPoint(105, 149)); // 148.5 rounds away from zero
    m.windowOrg = TPoint(100, -100);
    m.viewportOrg = TPoint(5, 7);
    EXPECT_EQ(m.LPtoDP(TPoint(100, -100)), TPoint(5, 7));
    EXPECT_EQ(m.DPtoLP(TPoint(15, 17)), TPoint(200, -200));
    EXPECT_FALSE(m.SetWindowExt(TSize(0, 10))) << "a zero extent would divide by zero";
    EXPECT_EQ(m.windowExt, TSize(2100, -2970));
    // Back to MM_TEXT: one unit per pixel again, origins kept.
    m.SetMode(MM_TEXT);
    EXPECT_EQ(m.LPtoDP(TPoint(101, -99)), TPoint(6, 8));
}

namespace {
bool IsColor(const TBitmap& b, int x, int y, const TColor& c) {
    return b.GetPixel(x, y) == c;
}
} // namespace

TEST(DC, RectangleFillsInsideAndOutlinesItsLastPixel) {
    TBitmap bmp(20, 20, TColor::White);
    {
        TMemoryDC dc(bmp);
        dc.SelectObject(TPen(TColor::Black));
        dc.SelectObject(TBrush(TColor(255, 0, 0)));
        dc.Rectangle(2, 2, 10, 10);
    }
    EXPECT_TRUE(IsColor(bmp, 2, 2, TColor::Black));
    EXPECT_TRUE(IsColor(bmp, 9, 9, TColor::Black)) << "outline on the last pixel inside";
    EXPECT_TRUE(IsColor(bmp, 10, 10, TColor::White)) << "right and bottom are exclusive";
    EXPECT_TRUE(IsColor(bmp, 5, 5, TColor(255, 0, 0)));
    EXPECT_TRUE(IsColor(bmp, 1, 1, TColor::White));
}

TEST(DC, NullPenAndNullBrush) {
    TBitmap bmp(20, 20, TColor::White);
    {
        TMemoryDC dc(bmp);
        dc.SelectObject(TPen(TColor::Black, 1, PS_NULL));
        dc.SelectObject(TBrush(TColor(0, 0, 255)));
        dc.Rectangle(0, 0, 10, 10);
        dc.RestorePen();
        dc.SelectObject(TBrush::Null());
        dc.Ellipse(10, 10, 20, 20);
    }
    EXPECT_TRUE(IsColor(bmp, 0, 0, TColor(0, 0, 255)));
    EXPECT_TRUE(IsColor(bmp, 15, 15, TColor::White)) << "a null brush leaves the inside";
}

TEST(DC, AnisotropicDrawingLandsWhereTheMappingSays) {
    TBitmap bmp(100, 100, TColor::White);
    {
        TMemoryDC dc(bmp);
        dc.SetMapMode(MM_ANISOTROPIC);
        dc.SetWindowExt(TSize(1000, -1000));
        dc.SetViewportExt(TSize(100, 100));
        dc.SelectObject(TPen(TColor::Black));
        dc.MoveTo(0, -500);
        dc.LineTo(1000, -500);
    }
    EXPECT_TRUE(IsColor(bmp, 50, 50, TColor::Black));
    EXPECT_TRUE(IsColor(bmp, 50, 40, TColor::White));
}

TEST(DC, SaveRestoreAndClipping) {
    TBitmap bmp(40, 40, TColor::White);
    {
        TMemoryDC dc(bmp);
        int saved = dc.SaveDC();
        dc.IntersectClipRect(TRect(0, 0, 10, 10));
        dc.SetMapMode(MM_ANISOTROPIC);
        dc.FillRect(TRect(0, 0, 40, 40), TBrush(TColor::Black));
        EXPECT_TRUE(dc.RestoreDC(saved));
        EXPECT_EQ(dc.GetMapMode(), MM_TEXT);
        EXPECT_FALSE(dc.RestoreDC(saved)) << "a state restores once";
        dc.FillRect(TRect(30, 30, 40, 40), TBrush(TColor(0, 255, 0)));
    }
    EXPECT_TRUE(IsColor(bmp, 5, 5, TColor::Black));
    EXPECT_TRUE(IsColor(bmp, 20, 20, TColor::White)) << "clipped away";
    EXPECT_TRUE(IsColor(bmp, 35, 35, TColor(0, 255, 0))) << "clip gone after RestoreDC";
}

TEST(DC, TextIsUprightInYUpModesAndAlignsAsAsked) {
    TBitmap bmp(200, 100, TColor::White);
    TSize extent;
    {
        TMemoryDC dc(bmp);
        dc.SetMapMode(MM_LOMETRIC);
        dc.SetViewportOrg(TPoint(0, 0));
        dc.SetBkMode(TRANSPARENT);
        dc.SelectObject(TFont("DejaVu Sans", -60));
        dc.SetTextAlign(TA_LEFT | TA_TOP);
        dc.TextOut(0, 0, "Wgäß");
        extent = dc.GetTextExtent("Wgäß");
    }
    // Top-aligned at y = 0 with y up: the glyphs are below the origin, inside the bitmap.
    int inked = 0, lowest = 0;
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 200; ++x)
            if (bmp.GetPixel(x, y) != TColor::White) ++inked, lowest = y;
    EXPECT_GT(inked, 20);
    EXPECT_LT(lowest, 40);
    EXPECT_GT(extent.cx, 60);
    EXPECT_GE(extent.cy, 60);

    TBitmap right(100, 40, TColor::White);
    {
        TMemoryDC dc(right);
        dc.SetTextAlign(TA_RIGHT | TA_TOP);
        dc.TextOut(50, 5, "MMM");
    }
    int maxX = 0, minX = 100;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 100; ++x)
            if (right.GetPixel(x, y) == TColor::Black)
                maxX = std::max(maxX, x), minX = std::min(minX, x);
    EXPECT_LE(maxX, 50) << "right-aligned text ends at its point";
    EXPECT_LT(minX, 45);
}

TEST(DC, FloodFillOnBitmapSurfaces) {
    TBitmap bmp(30, 30, TColor(10, 20, 30));
    {
        TMemoryDC dc(bmp);
        dc.SelectObject(TPen(TColor::Black));
        dc.SelectObject(TBrush::Null());
        dc.Rectangle(10, 10, 20, 20); // a closed outline
        dc.SelectObject(TBrush(TColor(240, 240, 240)));
        EXPECT_TRUE(dc.ExtFloodFill(1, 1, TColor(10, 20, 30), FLOODFILLSURFACE));
        // The background colour is no more: a second fill finds nothing.
        EXPECT_FALSE(dc.ExtFloodFill(1, 1, TColor(10, 20, 30), FLOODFILLSURFACE));
    }
    EXPECT_TRUE(IsColor(bmp, 0, 0, TColor(240, 240, 240)));
    EXPECT_TRUE(IsColor(bmp, 29, 29, TColor(240, 240, 240)));
    EXPECT_TRUE(IsColor(bmp, 15, 15, TColor(10, 20, 30))) << "the inside of the outline stays";
    EXPECT_TRUE(IsColor(bmp, 10, 15, TColor::Black));
}

TEST(DC, StretchBltScalesABitmapSurface) {
    TBitmap src(2, 2, TColor::White);
    {
        TMemoryDC s(src);
        s.SetPixel(0, 0, TColor(255, 0, 0));
    }
    TBitmap dst(20, 20, TColor::Black);
    {
        TMemoryDC s(src), d(dst);
        EXPECT_TRUE(d.StretchBlt(0, 0, 20, 20, s, 0, 0, 2, 2));
    }
    EXPECT_EQ(dst.GetPixel(2, 2).Red(), 255);
    EXPECT_EQ(dst.GetPixel(2, 2).Green(), 0);
    EXPECT_EQ(dst.GetPixel(17, 17), TColor::White);
}

TEST(DC, BitmapFromAMissingFileIsNotOk) {
    TBitmap missing("/nonexistent/JMPB1.VDB");
    EXPECT_FALSE(missing.IsOk());
    TMemoryDC dc(missing);
    EXPECT_FALSE(dc.Rectangle(0, 0, 5, 5)) << "drawing on nothing fails quietly";
}

namespace {
// Pixels of colour c in the bitmap.
std::vector<bool> Maske(const TBitmap& bmp, const TColor& c) {
    std::vector<bool> m(size_t(bmp.Width() * bmp.Height()));
    for (int y = 0; y < bmp.Height(); ++y)
        for (int x = 0; x < bmp.Width(); ++x)
            m[size_t(y * bmp.Width() + x)] = bmp.GetPixel(x, y) == c;
    return m;
}
} // namespace

// Triangles on a bitmap are filled straight into its pixels; a four-point polygon with a
// doubled corner is the same shape drawn by the painter. Both must cover the same pixels up to
// the boundary ones, also when the triangle reaches out of the bitmap.
TEST(DC, TrianglesOnBitmapsCoverWhatThePainterCovers) {
    constexpr int W = 90, H = 70;
    const TColor rot(255, 0, 0);
    unsigned zufall = 12345;
    auto naechste = [&](int lo, int hi) {
        zufall = zufall * 1103515245u + 12345u;
        return lo + int((zufall >> 8) % unsigned(hi - lo + 1));
    };
    long flaecheSchnell = 0, flaecheMaler = 0;
    for (int n = 0; n < 200; ++n) {
        const TPoint p[3] = {TPoint(naechste(-30, W + 30), naechste(-30, H + 30)),
                             TPoint(naechste(-30, W + 30), naechste(-30, H + 30)),
                             TPoint(naechste(-30, W + 30), naechste(-30, H + 30))};
        TPoint vier[4] = {p[0], p[1], p[2], p[2]};
        TBitmap schnell(W, H, TColor::White), maler(W, H, TColor::White);
        for (TBitmap* b : {&schnell, &maler}) {
            TMemoryDC dc(*b);
            dc.SelectObject(TPen(TColor::Black, 1, PS_NULL));
            dc.SelectObject(TBrush(rot));
            b == &schnell ? dc.Polygon(p, 3) : dc.Polygon(vier, 4);
        }
        const auto a = Maske(schnell, rot), b = Maske(maler, rot);
        long anders = 0;
        for (size_t i = 0; i < a.size(); ++i) {
            anders += a[i] != b[i];
            flaecheSchnell += a[i];
            flaecheMaler += b[i];
        }
        // Only pixels whose centres lie on an edge may go either way.
        const double umfang = std::hypot(p[1].x - p[0].x, p[1].y - p[0].y) +
                              std::hypot(p[2].x - p[1].x, p[2].y - p[1].y) +
                              std::hypot(p[0].x - p[2].x, p[0].y - p[2].y);
        EXPECT_LE(anders, umfang / 4 + 3) << "triangle " << n;
    }
    EXPECT_NEAR(double(flaecheSchnell), double(flaecheMaler), 0.01 * flaecheMaler);
}

TEST(DC, TrianglesKeepToTheClipAndOutlineTheirCorners) {
    TBitmap bmp(40, 40, TColor::White);
    const TColor blau(0, 0, 255);
    {
        TMemoryDC dc(bmp);
        dc.SelectObject(TPen(TColor::Black));
        dc.SelectObject(TBrush(blau));
        const TPoint klein[3] = {TPoint(2, 2), TPoint(16, 2), TPoint(2, 16)};
        dc.Polygon(klein, 3);
        // Far beyond any bitmap: the whole clip is inside, and nothing runs for long.
        dc.IntersectClipRect(TRect(20, 20, 30, 30));
        const TPoint riesig[3] = {TPoint(-100000000, -100000000), TPoint(100000000, 0),
                                  TPoint(0, 100000000)};
        dc.Polygon(riesig, 3);
    }
    EXPECT_TRUE(IsColor(bmp, 2, 2, TColor::Black));
    EXPECT_TRUE(IsColor(bmp, 16, 2, TColor::Black));
    EXPECT_TRUE(IsColor(bmp, 9, 2, TColor::Black)) << "the edge between two corners";
    EXPECT_TRUE(IsColor(bmp, 5, 5, blau));
    EXPECT_TRUE(IsColor(bmp, 14, 14, TColor::White)) << "beyond the long edge";
    EXPECT_TRUE(IsColor(bmp, 20, 20, blau));
    EXPECT_TRUE(IsColor(bmp, 29, 29, blau));
    EXPECT_TRUE(IsColor(bmp, 30, 30, TColor::White)) << "outside the clip";
    EXPECT_TRUE(IsColor(bmp, 19, 25, TColor::White)) << "outside the clip";
}

// Dreieck(points, colour) is the picture of selecting a brush of that colour, Polygon and
// restoring it: with a thin pen (pixels written directly, outlines walked inside the bitmap or
// cut at its border) and with a wide one (the painter), and the selected brush stays.
TEST(DC, ColouredTrianglesDrawWhatABrushAndPolygonDraw) {
    constexpr int W = 60, H = 50;
    const TColor gruen(0, 160, 0), alt(200, 0, 200);
    unsigned zufall = 777;
    auto naechste = [&](int lo, int hi) {
        zufall = zufall * 1103515245u + 12345u;
        return lo + int((zufall >> 8) % unsigned(hi - lo + 1));
    };
    for (int breite : {1, 3})
        for (int n = 0; n < 60; ++n) {
            // Half of them wholly inside, the other half reaching out of the bitmap.
            const int r = n % 2 ? 25 : 0;
            const TPoint p[3] = {TPoint(naechste(-r, W - 1 + r), naechste(-r, H - 1 + r)),
                                 TPoint(naechste(-r, W - 1 + r), naechste(-r, H - 1 + r)),
                                 TPoint(naechste(-r, W - 1 + r), naechste(-r, H - 1 + r))};
            TBitmap direkt(W, H, TColor::White), gewaehlt(W, H, TColor::White);
            {
                TMemoryDC dc(direkt);
                dc.SelectObject(TPen(TColor::Black, breite));
                dc.SelectObject(TBrush(alt));
                dc.Dreieck(p, gruen);
                const TPoint ecke[3] = {TPoint(0, 0), TPoint(3, 0), TPoint(0, 3)};
                dc.Polygon(ecke, 3);
            }
            {
                TMemoryDC dc(gewaehlt);
                dc.SelectObject(TPen(TColor::Black, breite));
                dc.SelectObject(TBrush(gruen));
                dc.Polygon(p, 3);
                dc.SelectObject(TBrush(alt));
                const TPoint ecke[3] = {TPoint(0, 0), TPoint(3, 0), TPoint(0, 3)};
                dc.Polygon(ecke, 3);
            }
            for (const TColor& c : {gruen, TColor::Black, alt})
                EXPECT_EQ(Maske(direkt, c), Maske(gewaehlt, c))
                    << "pen " << breite << ", triangle " << n;
        }
}

// Many triangles through one TDreiecke draw what each drawn on its own draws: with a clip, a
// window origin, a thin pen and a wide one (the painter's way), each at once and queued (more
// than the queue holds, small ones and large ones, now and then one at once in between).
TEST(DC, TrianglesInARowDrawWhatEachDrawsOnItsOwn) {
    constexpr int W = 70, H = 60, N = 400;
    unsigned zufall = 4242;
    auto naechste = [&](int lo, int hi) {
        zufall = zufall * 1103515245u + 12345u;
        return lo + int((zufall >> 8) % unsigned(hi - lo + 1));
    };
    for (int breite : {1, 3}) {
        TBitmap reihe(W, H, TColor::White), schlange(W, H, TColor::White),
            einzeln(W, H, TColor::White);
        std::vector<TPoint> ecken;
        for (int n = 0; n < N; ++n) {
            const int r = n % 3 ? 3 : 20;
            const TPoint ort(naechste(-20, W + 20), naechste(-20, H + 20));
            for (int k = 0; k < 3; ++k)
                ecken.push_back(ort.Offset(naechste(-r, r), naechste(-r, 2 * r)));
        }
        // All three at once, so that the queue can be looked at when a triangle at once must
        // have drawn it.
        std::optional<TMemoryDC> dcs[3];
        TBitmap* bilder[3] = {&reihe, &schlange, &einzeln};
        for (int k = 0; k < 3; ++k) {
            TMemoryDC& dc = dcs[k].emplace(*bilder[k]);
            dc.SetWindowOrg(TPoint(4, -3));
            dc.IntersectClipRect(TRect(2, 1, W - 5, H - 2));
            dc.SelectObject(TPen(TColor::Black, breite));
        }
        auto gleich = [&](int k) {
            long n = 0;
            for (int y = 1; y < H - 2; ++y)
                for (int x = 2; x < W - 5; ++x)
                    n += dcs[k]->GetPixel(x, y) == dcs[2]->GetPixel(x, y);
            return n == long(W - 7) * (H - 3);
        };
        {
            TDreiecke reiheD(*dcs[0]), schlangeD(*dcs[1]);
            for (int n = 0; n < N; ++n) {
                const TColor farbe(n * 3 % 256, 100, 255 - n % 256);
                const TPoint* p = &ecken[size_t(3 * n)];
                dcs[2]->Dreieck(p, farbe);
                reiheD.Dreieck(p, farbe);
                if (n % 97 == 5) {
                    schlangeD.Dreieck(p, farbe);
                    EXPECT_TRUE(gleich(1)) << "pen " << breite << ", queue before triangle " << n;
                } else {
                    schlangeD.DreieckDazu({p[0], p[1], p[2]}, farbe);
                }
            }
        }
        EXPECT_TRUE(gleich(0)) << "pen " << breite;
        EXPECT_TRUE(gleich(1)) << "pen " << breite << ", queued";
    }
}

// An outline walked inside the bitmap and the same outline cut at the bitmap's border (the
// triangle moved by the window origin so that one corner lies outside) set the same pixels.
TEST(DC, TriangleOutlinesAreTheSameInsideAndCutAtTheBorder) {
    const TPoint p[3] = {TPoint(3, 4), TPoint(37, 11), TPoint(14, 33)};
    TBitmap ganz(40, 40, TColor::White), versetzt(40, 40, TColor::White);
    {
        TMemoryDC dc(ganz);
        dc.SelectObject(TPen(TColor::Black));
        dc.Dreieck(p, TColor::White);
    }
    {
        TMemoryDC dc(versetzt);
        dc.SetWindowOrg(TPoint(10, 8));
        dc.SelectObject(TPen(TColor::Black));
        dc.Dreieck(p, TColor::White);
    }
    long schwarz = 0;
    for (int y = 0; y + 8 < 40; ++y)
        for (int x = 0; x + 10 < 40; ++x) {
            EXPECT_EQ(ganz.GetPixel(x + 10, y + 8), versetzt.GetPixel(x, y)) << x << "," << y;
            schwarz += versetzt.GetPixel(x, y) == TColor::Black;
        }
    EXPECT_GT(schwarz, 40);
}

// The painter keeps the clip the DC last gave it, also when it begins anew (reading a pixel,
// a flood fill) and when the clip goes or changes in between.
TEST(DC, LinesKeepToTheClipAsItChanges) {
    TBitmap bmp(30, 30, TColor::White);
    const TColor rot(255, 0, 0);
    {
        TMemoryDC dc(bmp);
        dc.SelectObject(TPen(TColor::Black));
        dc.IntersectClipRect(TRect(10, 0, 20, 30));
        dc.MoveTo(0, 2), dc.LineTo(29, 2);
        EXPECT_EQ(dc.GetPixel(0, 2), TColor::White); // the painter begins anew
        dc.MoveTo(0, 4), dc.LineTo(29, 4);
        dc.SelectObject(TBrush(rot));
        dc.ExtFloodFill(0, 29, TColor::White, FLOODFILLSURFACE);
        dc.MoveTo(0, 6), dc.LineTo(29, 6);
        dc.RemoveClip();
        dc.MoveTo(0, 8), dc.LineTo(29, 8);
        dc.SelectClipRect(TRect(0, 0, 5, 30));
        dc.MoveTo(0, 10), dc.LineTo(29, 10);
    }
    for (int y : {2, 4, 6}) {
        EXPECT_TRUE(IsColor(bmp, 15, y, TColor::Black)) << y;
        EXPECT_FALSE(IsColor(bmp, 5, y, TColor::Black)) << y << ": outside the clip";
        EXPECT_FALSE(IsColor(bmp, 25, y, TColor::Black)) << y << ": outside the clip";
    }
    EXPECT_TRUE(IsColor(bmp, 5, 8, TColor::Black)) << "without a clip";
    EXPECT_TRUE(IsColor(bmp, 25, 8, TColor::Black)) << "without a clip";
    EXPECT_TRUE(IsColor(bmp, 2, 10, TColor::Black));
    EXPECT_FALSE(IsColor(bmp, 15, 10, TColor::Black)) << "outside the new clip";
}

TEST(DC, BitmapSurfacesTellTheirDepth) {
    TBitmap bmp(4, 4);
    TMemoryDC dc(bmp);
    EXPECT_EQ(dc.GetDeviceCaps(BITSPIXEL) * dc.GetDeviceCaps(PLANES), 32);
}

#if defined(__x86_64__) || defined(__i386__)
// Bit 2 of the processor's "in use" state (XGETBV 1): the upper halves of the AVX registers.
static bool ObereHaelftenInGebrauch() {
    unsigned a, d;
    __asm__ volatile("xgetbv" : "=a"(a), "=d"(d) : "c"(1));
    return a & 4;
}

// Written straight in the machine's words: a function compiled for AVX would clear them again
// on its way out.
static void ObereHaelftenBelegen() {
    __asm__ volatile("vpcmpeqd %%ymm9, %%ymm9, %%ymm9" ::: "xmm9");
}

TEST(DC, VectorRegistersAreClearedAfterDrawing) {
    unsigned a, b, c, d;
    __asm__("cpuid" : "=a"(a), "=b"(b), "=c"(c), "=d"(d) : "a"(0xd), "c"(1));
    if (!__builtin_cpu_supports("avx") || !(a & 4)) GTEST_SKIP() << "no AVX or no XGETBV 1";
    ObereHaelftenBelegen();
    ASSERT_TRUE(ObereHaelftenInGebrauch());
    VektorRegisterFreigeben();
    EXPECT_FALSE(ObereHaelftenInGebrauch());
}
#endif
