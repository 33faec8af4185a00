// The 3D drawing on pictures: quarter turns, black and white without lines, the colour by
// height, the progress per slice, holes where f is undefined, and bad view values from task
// files that must neither hang nor crash.
#include "dc.h"
#include "fudi3d.h"
#include "fudirecord.h"
#include "fudizeichner.h"
#include "hoehenfarbe.h"
#include "vdfunction.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <memory>
#include <set>
#include <vector>

namespace {

constexpr int kW = 240, kH = 180;

class Zeichnung3D : public ::testing::Test {
protected:
    void SetUp() override {
        rec = std::make_unique<FudiTransStructDef>();
        rec->x1 = rec->y1 = -5;
        rec->x2 = rec->y2 = 5;
        rec->h1 = -3, rec->h2 = 3;
        rec->xAb = rec->yAb = rec->hAb = 1;
        rec->Grade = 5;
        rec->farbig = 1, rec->Linien = 1, rec->Norm = 0;
        rec->Is3D = 1;
        rec->Var.SetzeVar("0", "0", "0", "0", "0", "0");
        gitter = std::make_unique<TFudiZeichner>(rec.get());
        z = std::make_unique<TFudi3dZeichner>(rec.get(), *gitter);
    }
    std::unique_ptr<TBitmap> Zeichne(const char* f) {
        func = std::make_unique<vdFunction>(f, 6, "xyzuvw", 1, nullptr, true, true);
        z->SetFunktion(func.get());
        auto bild = std::make_unique<TBitmap>(kW, kH, TColor::White);
        TMemoryDC dc(*bild);
        z->MakeZeichne3dFunktion(f, 0, dc.GetHDC(), kW - 1, kH - 1, 0, kW, 1, false, false);
        return bild;
    }
    static bool Gleich(const TBitmap& a, const TBitmap& b) {
        for (int y = 0; y < kH; ++y)
            for (int x = 0; x < kW; ++x)
                if (a.GetPixel(x, y) != b.GetPixel(x, y)) return false;
        return true;
    }
    std::unique_ptr<FudiTransStructDef> rec;
    std::unique_ptr<TFudiZeichner> gitter;
    std::unique_ptr<TFudi3dZeichner> z;
    std::unique_ptr<vdFunction> func;
};

TEST(Drehung, QuadrantsAndLabels) {
    using Z = TFudi3dZeichner;
    EXPECT_EQ(Z::QuadrantVon(0), Z::Q0);
    EXPECT_EQ(Z::QuadrantVon(360), Z::Q0);
    EXPECT_EQ(Z::QuadrantVon(90), Z::Q90);
    EXPECT_EQ(Z::QuadrantVon(180), Z::Q180);
    EXPECT_EQ(Z::QuadrantVon(270), Z::Q270);
    EXPECT_EQ(Z::QuadrantVon(-90), Z::Q270);
    EXPECT_EQ(Z::QuadrantVon(450), Z::Q90);
    EXPECT_STREQ(Z::Beschriftungen(Z::Q0)[0], "x-");
    EXPECT_STREQ(Z::Beschriftungen(Z::Q90)[1], "x+");
    EXPECT_STREQ(Z::Beschriftungen(Z::Q180)[3], "y+");
    EXPECT_STREQ(Z::Beschriftungen(Z::Q270)[0], "y-");
    EXPECT_EQ(Z::GradeBegrenzt(0), 1);
    EXPECT_EQ(Z::GradeBegrenzt(-4), 1);
    EXPECT_EQ(Z::GradeBegrenzt(100000), 25);
    EXPECT_EQ(Z::KippungBegrenzt(7), 1.5L);
}

TEST_F(Zeichnung3D, TurnZeroAnd360AreTheSameAndNinetyDiffers) {
    rec->Turn_Round = 0;
    auto a = Zeichne("sin(x)*cos(2*y)+x/5");
    rec->Turn_Round = 360;
    auto b = Zeichne("sin(x)*cos(2*y)+x/5");
    rec->Turn_Round = 90;
    auto c = Zeichne("sin(x)*cos(2*y)+x/5");
    EXPECT_TRUE(Gleich(*a, *b));
    EXPECT_FALSE(Gleich(*a, *c));
    EXPECT_GT(z->Scheiben(), 5);
    EXPECT_GT(z->Auswertungen(), 100);
}

TEST_F(Zeichnung3D, BlackAndWhiteWithoutLinesUsesOnlyFaceColours) {
    rec->farbig = 0, rec->Linien = 0, rec->xAb = rec->yAb = rec->hAb = 0; // no grid
    auto bild = Zeichne("x*y/5");
    std::set<unsigned> farben;
    // The orientation picture lies in the lower left corner; look above it.
    for (int y = 0; y < kH - 90; ++y)
        for (int x = 0; x < kW; ++x) {
            const TColor c = bild->GetPixel(x, y);
            farben.insert(unsigned(c.Red()) << 16 | unsigned(c.Green()) << 8 | c.Blue());
        }
    EXPECT_TRUE(farben.count(0xC0C0C0));
    for (unsigned f : farben) EXPECT_TRUE(f == 0xC0C0C0 || f == 0xFFFFFF) << std::hex << f;
}

TEST_F(Zeichnung3D, BadValuesNeitherHangNorCrash) {
    for (int g : {0, -3, 1000000}) {
        rec->Grade = g;
        Zeichne("x+y");
        EXPECT_GT(z->Scheiben(), 0) << g;
    }
    rec->Grade = 5;
    rec->y1 = 5, rec->y2 = -5; // empty depth interval: nothing but the orientation picture
    Zeichne("x+y");
    EXPECT_EQ(z->Scheiben(), 0);
    rec->y1 = -5, rec->y2 = 5;
    rec->Move_Vertical = 1e30L, rec->Turn_Round = -1e30L;
    Zeichne("exp(exp(x*y))"); // overflows over most of the square
    Zeichne("sqrt(x)*ln(y)"); // undefined on three quarters
    EXPECT_GT(z->Auswertungen(), 0);
}

TEST_F(Zeichnung3D, HolesStayOpen) {
    rec->xAb = rec->yAb = rec->hAb = 0;
    rec->Linien = 0;
    auto bild = Zeichne("sqrt(x)"); // undefined for x < 0: the left half of each slice
    int links = 0, rechts = 0;
    for (int y = 0; y < kH - 90; ++y)
        for (int x = 0; x < kW; ++x)
            if (bild->GetPixel(x, y) != TColor::White) (x < kW / 2 - 20 ? links : rechts)++;
    EXPECT_GT(rechts, 100);
    EXPECT_EQ(links, 0);
}

TEST_F(Zeichnung3D, ColourByHeightRunsFromDarkBlueToWhite) {
    rec->xAb = rec->yAb = rec->hAb = 0;
    rec->Linien = 0;
    auto bild = Zeichne("x");
    bool dunkel = false, hell = false;
    for (int y = 0; y < kH - 90; ++y)
        for (int x = 0; x < kW; ++x) {
            const TColor c = bild->GetPixel(x, y);
            if (c == TColor::White) continue;
            const bool blau = c.Red() == 0 && c.Green() == 0 && c.Blue() >= 48 && c.Blue() <= 250;
            const bool aufgehellt = c.Red() == c.Green() && c.Blue() == 250;
            ASSERT_TRUE(blau || aufgehellt) << x << "," << y << ": " << int(c.Red()) << " "
                                            << int(c.Green()) << " " << int(c.Blue());
            dunkel |= blau && c.Blue() < 120;
            hell |= aufgehellt && c.Red() > 150;
        }
    EXPECT_TRUE(dunkel) << "the upper face high up is dark blue";
    EXPECT_TRUE(hell) << "the lower face high up is nearly white";
}

// A slice's colours by multiplication are the colours of the divisions, for every row sum of
// every slice bottom up to 1200 (and far beyond a slice, and bottoms of 0 and below): also next
// to the steps, where only the divisions tell.
TEST(Hoehenfarbe, TheSlicesColoursAreTheColoursOfTheDivisions) {
    long schritte = 0, verschieden = 0;
    auto pruefe = [&](int boden, int summe) {
        const THoehenFarben farben(boden);
        for (bool oben : {true, false}) {
            const TColor a = farben(summe, oben), b = HoehenFarbe(summe, boden, oben);
            if (a != b) {
                ++verschieden;
                ADD_FAILURE() << "bottom " << boden << ", sum " << summe << ", upper " << oben;
            }
        }
    };
    for (int boden = -3; boden <= 1200; ++boden) {
        for (int summe = -40; summe <= 3 * boden + 40 && verschieden < 5; ++summe) {
            pruefe(boden, summe);
            schritte += summe != 0 &&
                        HoehenFarbe(summe, boden, true) != HoehenFarbe(summe - 1, boden, true);
        }
        for (int summe : {-100000000, -1000, 9 * boden, 100000000}) pruefe(boden, summe);
    }
    EXPECT_GT(schritte, 100000);
}

TEST_F(Zeichnung3D, ProgressComesOncePerSliceAndStaysBelowHundred) {
    std::vector<int> werte;
    z->Fortschritt = [&](int prozent) { werte.push_back(prozent); };
    Zeichne("sin(x)*cos(y)");
    ASSERT_GE(int(werte.size()), z->Scheiben() - 2);
    EXPECT_TRUE(std::is_sorted(werte.begin(), werte.end()));
    EXPECT_LT(werte.back(), 100);
    EXPECT_GT(werte.back(), 90);
}

} // namespace
