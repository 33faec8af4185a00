// The 2D drawing on pictures: the value mapping, the grid lists and their cap, the jumps with
// and without drawing through, undefined parts, and the marks of a discussion.
#include "dc.h"
#include "fudirecord.h"
#include "fudizeichner.h"
#include "vdfunction.h"

#include <cmath>
#include <cstdlib>
#include <gtest/gtest.h>
#include <memory>

namespace {

constexpr int kB = 300; // drawing height - 1
constexpr int kR = 399; // drawing width - 1: no column falls on x = 0 of [-10, 10]

class Zeichnung : public ::testing::Test {
protected:
    void SetUp() override {
        rec = std::make_unique<FudiTransStructDef>();
        rec->x1 = rec->h1 = -10;
        rec->x2 = rec->h2 = 10;
        rec->xAb = rec->hAb = 1;
        rec->Var.SetzeVar("0", "0", "0", "0", "0", "0");
        zeichner = std::make_unique<TFudiZeichner>(rec.get());
    }
    // Draws f (and the grid when asked) on a fresh picture.
    void Zeichne(const char* f, bool durch, bool gitter = false, int ableit = 0) {
        func = std::make_unique<vdFunction>(f, 6, "xyzuvw", 1, nullptr, true, true);
        zeichner->SetFunktion(func.get());
        bild = std::make_unique<TBitmap>(kR + 1, kB + 1, TColor::White);
        TMemoryDC dc(*bild);
        zeichner->ResetListen();
        if (gitter)
            zeichner->ZeichneKoord(dc.GetHDC(), 0, 0, kR, kB, 0, kR, 0, kB, 1, false, false);
        zeichner->ZeichneFunktion(f, ableit, dc.GetHDC(), kR, kB, 0, kR, 1, false, durch);
    }
    int Spalte(long double x) const {
        return int(std::lround(double((x - rec->x1) / (rec->x2 - rec->x1) * kR)));
    }
    // The colour, give or take the smoothing of slanted lines.
    bool Farbe(int x, int y, TColor c) const {
        const TColor p = bild->GetPixel(x, y);
        return std::abs(p.Red() - c.Red()) < 70 && std::abs(p.Green() - c.Green()) < 70 &&
               std::abs(p.Blue() - c.Blue()) < 70;
    }
    // Whether any pixel of colour c lies in the rectangle.
    bool Irgendwo(int x1, int y1, int x2, int y2, TColor c) const {
        for (int x = x1; x <= x2; ++x)
            for (int y = y1; y <= y2; ++y)
                if (Farbe(x, y, c)) return true;
        return false;
    }
    int Eintraege(const int* liste) const {
        int n = 0;
        while (n < TFudiZeichner::kListen && liste[n] != TFudiZeichner::kEndeMarke) ++n;
        return n;
    }

    std::unique_ptr<FudiTransStructDef> rec;
    std::unique_ptr<TFudiZeichner> zeichner;
    std::unique_ptr<vdFunction> func;
    std::unique_ptr<TBitmap> bild;
};

TEST_F(Zeichnung, ValuesMapFromTheBottomRowToTheTopRow) {
    EXPECT_EQ(zeichner->Zeile(rec->h1, kB), kB);
    EXPECT_EQ(zeichner->Zeile(rec->h2, kB), 0);
    EXPECT_NEAR(zeichner->Zeile(0, kB), kB / 2, 1);
    EXPECT_LT(zeichner->Zeile(1e30L, kB), 0);
    EXPECT_GT(zeichner->Zeile(-1e4000L, kB), kB);
    EXPECT_LT(zeichner->Zeile(INFINITY, kB), 0);
}

TEST_F(Zeichnung, GridListsHoldEveryLineWithTheAxesNegative) {
    Zeichne("0", false, true);
    const int* v = zeichner->VertikalListe();
    const int* h = zeichner->HorizontalListe();
    // -10 is lost to the remainder of the first tick; -9 … 10 remain.
    EXPECT_GE(Eintraege(v), 20);
    EXPECT_LE(Eintraege(v), 21);
    int achsen = 0;
    for (int i = 0; i < Eintraege(v); ++i)
        if (v[i] < 0) {
            ++achsen;
            EXPECT_NEAR(-v[i], Spalte(0), 1);
        }
    EXPECT_EQ(achsen, 1);
    achsen = 0;
    for (int i = 0; i < Eintraege(h); ++i)
        if (h[i] < 0) {
            ++achsen;
            EXPECT_EQ(-h[i], zeichner->Zeile(0, kB));
        }
    EXPECT_EQ(achsen, 1);
    // The axes are solid, the grid lines dotted.
    const TColor gitter = RGB(128, 64, 0);
    int punkte = 0;
    for (int y = 0; y <= kB; ++y) punkte += Farbe(Spalte(0), y, gitter);
    EXPECT_GT(punkte, kB * 9 / 10);
    punkte = 0;
    for (int y = 0; y <= kB; ++y) punkte += Farbe(Spalte(5), y, gitter);
    EXPECT_GT(punkte, 10);
    EXPECT_LT(punkte, kB * 3 / 4);
}

TEST_F(Zeichnung, NoYAxisOutsideTheIntervalAndNoLinesWithoutASpacing) {
    rec->x1 = 1, rec->x2 = 5;
    Zeichne("0", false, true);
    for (int i = 0; i < Eintraege(zeichner->VertikalListe()); ++i)
        EXPECT_GE(zeichner->VertikalListe()[i], 0);
    rec->x1 = -10, rec->x2 = 10;
    for (long double ab : {0.0L, -1.0L}) {
        rec->xAb = ab;
        Zeichne("0", false, true);
        EXPECT_EQ(Eintraege(zeichner->VertikalListe()), 0);
        EXPECT_FALSE(Irgendwo(Spalte(0), 5, Spalte(0), kB / 2 - 5, RGB(128, 64, 0)));
    }
}

TEST_F(Zeichnung, TooManyGridLinesLeaveOnlyTheAxes) {
    rec->xAb = 1e-9L;
    rec->hAb = 0.001L;
    Zeichne("0", false, true);
    ASSERT_EQ(Eintraege(zeichner->VertikalListe()), 1);
    EXPECT_NEAR(-zeichner->VertikalListe()[0], Spalte(0), 1);
    ASSERT_EQ(Eintraege(zeichner->HorizontalListe()), 1);
    EXPECT_EQ(-zeichner->HorizontalListe()[0], zeichner->Zeile(0, kB));
    // 800 lines still fit.
    rec->xAb = 20.0L / 790;
    Zeichne("0", false, true);
    EXPECT_GT(Eintraege(zeichner->VertikalListe()), 700);
}

TEST_F(Zeichnung, AJumpIsDrawnThroughOnlyWhenAsked) {
    const int mitte = Spalte(0);
    Zeichne("1/x", false);
    // Without drawing through, nothing black crosses the middle rows at the pole.
    EXPECT_FALSE(Irgendwo(mitte - 1, kB / 2 - 60, mitte + 1, kB / 2 + 60, TColor::Black));
    // Leaving the drawing (downwards, left of the pole) the pen only moves to the edge; coming
    // back (from the top, right of it) it resumes with a line from the edge.
    EXPECT_FALSE(Irgendwo(mitte - 3, kB - 8, mitte + 3, kB, TColor::Black));
    EXPECT_TRUE(Irgendwo(mitte - 3, 0, mitte + 3, 8, TColor::Black));
    Zeichne("1/x", true);
    EXPECT_TRUE(Irgendwo(mitte - 1, kB / 2 - 60, mitte + 1, kB / 2 - 50, TColor::Black));
    EXPECT_TRUE(Irgendwo(mitte - 1, kB / 2 + 50, mitte + 1, kB / 2 + 60, TColor::Black));
}

TEST_F(Zeichnung, UndefinedPartsAreLeftOpen) {
    for (bool durch : {false, true}) {
        // h does not contain 0: undefined points (drawn as 0) lie outside.
        rec->h1 = 1;
        Zeichne("sqrt(x)", durch);
        EXPECT_FALSE(Irgendwo(0, 0, Spalte(-0.2L), kB, TColor::Black)) << durch;
        EXPECT_TRUE(Irgendwo(Spalte(4), 0, Spalte(6), kB, TColor::Black)) << durch;
        rec->h1 = -10;
        Zeichne("sqrt(x)", durch);
        EXPECT_FALSE(Irgendwo(0, 0, Spalte(-0.2L), kB, TColor::Black)) << durch;
        Zeichne("ln(x^2-4)", durch);
        EXPECT_FALSE(Irgendwo(Spalte(-1.8L), 0, Spalte(1.8L), kB, TColor::Black)) << durch;
    }
}

TEST_F(Zeichnung, DerivativesHaveTheirColours) {
    rec->h1 = -2, rec->h2 = 2;
    Zeichne("sin(x)", false, false, 1);
    // f'(0) = 1: the blue graph passes one unit above the middle.
    EXPECT_TRUE(Irgendwo(Spalte(0) - 1, zeichner->Zeile(1, kB) - 2, Spalte(0) + 1,
                         zeichner->Zeile(1, kB) + 2, RGB(0, 0, 128)));
    EXPECT_FALSE(Irgendwo(0, 0, kR, kB, TColor::Black));
    Zeichne("sin(x)", false, false, 2);
    EXPECT_TRUE(Irgendwo(Spalte(1.5707963L) - 1, zeichner->Zeile(-1, kB) - 2,
                         Spalte(1.5707963L) + 1, zeichner->Zeile(-1, kB) + 2, RGB(0, 128, 0)));
}

TEST_F(Zeichnung, MarksShowTheResultsOfADiscussion) {
    rec->h1 = -2, rec->h2 = 2;
    const long double pi = 3.14159265358979323846L;
    rec->Nst[0] = 0, rec->Nst[1] = pi, rec->NstAnz = 2;
    rec->Extr[0] = pi / 2, rec->ExtrAnz = 1;
    rec->Wend[0] = 0, rec->WendAnz = 1;
    rec->markiert = 1;
    // Without a discussion the arrays mean nothing.
    Zeichne("sin(x)", false);
    EXPECT_FALSE(Irgendwo(0, 0, kR, kB, RGB(0, 128, 0)));
    EXPECT_FALSE(zeichner->IsNull(0, 0, 0.1L, nullptr));
    rec->Diskussion = 1;
    long double w = 1;
    EXPECT_TRUE(zeichner->IsNull(0, pi + 0.04L, 0.1L, &w));
    EXPECT_EQ(w, pi);
    EXPECT_FALSE(zeichner->IsNull(0, pi + 0.06L, 0.1L, &w));
    Zeichne("sin(x)", false);
    const int mitte = kB / 2;
    // The root 0 is also an inflection point: black radius 3 and green radius 5.
    EXPECT_TRUE(Irgendwo(Spalte(0) - 4, mitte - 1, Spalte(0) - 2, mitte + 1, TColor::Black));
    EXPECT_TRUE(Irgendwo(Spalte(0) - 6, mitte - 1, Spalte(0) - 4, mitte + 1, RGB(0, 128, 0)));
    // The root pi: only black.
    EXPECT_TRUE(Irgendwo(Spalte(pi) - 4, mitte - 1, Spalte(pi) - 2, mitte + 1, TColor::Black));
    EXPECT_FALSE(Irgendwo(Spalte(pi) - 6, mitte - 6, Spalte(pi) + 6, mitte + 6, RGB(0, 128, 0)));
    // The maximum pi/2: blue radius 4 around the top of the graph.
    const int oben = zeichner->Zeile(1, kB);
    EXPECT_TRUE(
        Irgendwo(Spalte(pi / 2) - 5, oben - 1, Spalte(pi / 2) - 3, oben + 1, RGB(0, 0, 128)));
    // Without "markiert" the marks are left out.
    rec->markiert = 0;
    Zeichne("sin(x)", false);
    EXPECT_FALSE(Irgendwo(0, 0, kR, kB, RGB(0, 0, 128)));
}

TEST_F(Zeichnung, PolesAndHugeValuesDoNotBreakTheDrawing) {
    for (const char* f : {"tan(x)", "1/(x-1)^2", "exp(exp(x))", "10^4000*x", "(-1)^x"}) {
        Zeichne(f, true);
        EXPECT_EQ(zeichner->Auswertungen(), kR + 1) << f;
    }
    // An empty or broken interval draws nothing.
    rec->x2 = rec->x1;
    Zeichne("x", true, true);
    EXPECT_EQ(zeichner->Auswertungen(), 0);
    EXPECT_FALSE(Irgendwo(0, 0, kR, kB, TColor::Black));
}

} // namespace
