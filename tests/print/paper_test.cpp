#include "paper.h"

#include <gtest/gtest.h>

TEST(PaperTable, HoldsEveryCodeOfTheDeviceModeWithItsNominalSize) {
    std::vector<int> codes;
    for (int c = 1; c <= 23; ++c) codes.push_back(c);
    for (int c = 27; c <= 41; ++c) codes.push_back(c);
    for (int c : {256, 259, 260, 261, 262, 366}) codes.push_back(c);
    for (int c : codes) {
        const TPaperInfo* p = FindPaper(c);
        ASSERT_NE(p, nullptr) << c;
        EXPECT_GT(p->width, 0) << c;
        EXPECT_GT(p->height, 0) << c;
    }
    for (int c : {0, 24, 25, 26, 42, 255, 257, 258, 263, 365, 367, -1})
        EXPECT_EQ(FindPaper(c), nullptr) << c;

    EXPECT_FALSE(FindPaper(1)->mm);
    EXPECT_EQ(FindPaper(1)->width, 8.5f);
    EXPECT_EQ(FindPaper(1)->height, 11.0f);
    EXPECT_EQ(FindPaper(5)->height, 14.0f);
    EXPECT_TRUE(FindPaper(8)->mm);
    EXPECT_EQ(FindPaper(8)->width, 297.0f);
    EXPECT_EQ(FindPaper(9)->height, 297.0f);
    EXPECT_EQ(FindPaper(11)->width, 148.0f);
    // Envelopes are in millimetres, US envelopes in inches.
    EXPECT_TRUE(FindPaper(27)->mm);
    EXPECT_FALSE(FindPaper(20)->mm);
}

TEST(PaperTable, ShowsInchesAsFractionsAndMillimetresWhole) {
    EXPECT_EQ(PaperText(8.5f, false), "8 1/2");
    EXPECT_EQ(PaperText(11.0f, false), "11");
    EXPECT_EQ(PaperText(10.5f, false), "10 1/2");
    EXPECT_EQ(PaperText(3.875f, false), "3 7/8");
    EXPECT_EQ(PaperText(7.25f, false), "7 1/4");
    EXPECT_EQ(PaperText(297.0f, true), "297");
    EXPECT_EQ(PaperText(FindPaper(20)->width, false), "4 1/8");
    EXPECT_EQ(PaperText(FindPaper(39)->width, false), "14 7/8");
}

TEST(PaperTable, FindsTheCodeOfAPaperChosenElsewhere) {
    EXPECT_EQ(PaperCodeForSize(210, 297), 9);
    EXPECT_EQ(PaperCodeForSize(297, 210), 9);
    EXPECT_EQ(PaperCodeForSize(215.9, 279.4), 1);
    EXPECT_EQ(PaperCodeForSize(297.2, 419.6), 8);
    EXPECT_EQ(PaperCodeForSize(200, 200), kPaperUser);
}

TEST(PageFit, AnA4PageOnA4PaperIsNotScaled) {
    const float aspect = 2970.0f / 2100.0f;
    const TPageFit fit = ComputeFit(aspect, 210, 297, "-1");
    EXPECT_GT(fit.factor, 0.999f);
    EXPECT_LT(fit.factor, 1.001f);
}

TEST(PageFit, LetterPaperIsFittedByItsHeight) {
    const float aspect = 2970.0f / 2100.0f;
    TPageFit fit = ComputeFit(aspect, 8.5f, 11.0f, "-1");
    EXPECT_EQ(fit.heightFit, 0);
    EXPECT_NEAR(fit.factor, 11.0 / aspect / 8.5, 1e-5);
    // Printed, the page keeps its proportions: width × factor against the full height.
    EXPECT_NEAR(8.5 * fit.factor / 11.0, 1.0 / aspect, 1e-5);
    // Legal is taller than the page: fitted by the width.
    fit = ComputeFit(aspect, 8.5f, 14.0f, "-1");
    EXPECT_EQ(fit.heightFit, 1);
    EXPECT_NEAR(fit.factor, 8.5 * aspect / 14.0, 1e-5);
}

TEST(PageFit, TheSettingChoosesTheFitAndEmptyMeansAutomatic) {
    const float aspect = 2970.0f / 2100.0f;
    EXPECT_EQ(ComputeFit(aspect, 8.5f, 11.0f, "1").heightFit, 1);
    EXPECT_NEAR(ComputeFit(aspect, 8.5f, 11.0f, "1").factor, 8.5 * aspect / 11.0, 1e-5);
    EXPECT_EQ(ComputeFit(aspect, 8.5f, 14.0f, "0").heightFit, 0);
    EXPECT_EQ(ComputeFit(aspect, 8.5f, 11.0f, "").heightFit, 0);
    EXPECT_EQ(ComputeFit(aspect, 8.5f, 11.0f, nullptr).heightFit, 0);
    // Nothing to divide by: no scaling.
    EXPECT_EQ(ComputeFit(aspect, 0, 11.0f, "-1").factor, 1.0f);
}

TEST(PreviewPlacement, LandscapeTakesNineTenthsOfTheWidthPortraitOfTheHeight) {
    const TRect area(0, 0, 400, 420);
    TRect r = PreviewRect(area, 297, 210);
    EXPECT_EQ(r.Width(), 360);
    EXPECT_EQ(r.Height(), 255);
    EXPECT_EQ(r.left, 20);
    EXPECT_EQ(r.top, (420 - 255) / 2);
    r = PreviewRect(area, 210, 297);
    EXPECT_EQ(r.Height(), 378);
    EXPECT_EQ(r.Width(), 267);
    EXPECT_EQ(r.left, (400 - 267) / 2);
    // A square paper counts as landscape.
    EXPECT_EQ(PreviewRect(area, 100, 100).Width(), 360);
}
