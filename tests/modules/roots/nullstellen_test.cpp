// The roots dialog on a discussion record, offscreen: what a run leaves in the lists, in the
// record's value arrays and flags, and in the integral fields.
#include "controls.h"
#include "frame.h"
#include "headless.h"
#include "nullstaufgabe.h"
#include "tnullstellen.h"
#include "winapi.h"

#include <chrono>
#include <cmath>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

namespace {

using Lines = std::vector<std::string>;

class Nullstellen : public ::testing::Test {
protected:
    void SetUp() override { ClearRecords(); }
    void TearDown() override {
        if (dialog && dialog->IsWindow()) dialog->Destroy();
        dialog.reset();
    }
    FudiTransStructDef& R() { return task.Record(); }
    // Opens the dialog on `text` with both calculations asked for, unless told otherwise.
    TNullstellen& Open(const char* text, int integral = 1, int diskussion = 1) {
        EXPECT_TRUE(task.SetzeFunktion(text));
        R().Integral = integral;
        R().Diskussion = diskussion;
        dialog = std::make_unique<TNullstellen>(parent, &R());
        EXPECT_TRUE(dialog->Create());
        return *dialog;
    }
    TNullstellen& Run(const char* text, int integral = 1, int diskussion = 1) {
        Open(text, integral, diskussion);
        dialog->SendCommand(TNullstellen::kStart);
        return *dialog;
    }
    Lines List(int k) {
        Lines lines;
        TListBox* l = dialog->Liste(k);
        for (int i = 0; i < l->GetCount(); ++i) {
            std::string s(size_t(l->GetStringLen(i)) + 1, '\0');
            l->GetString(s.data(), i);
            s.resize(s.size() - 1);
            lines.push_back(s);
        }
        return lines;
    }
    std::string Text(int id) {
        char buffer[200] = "";
        dialog->GetDlgItemText(id, buffer, sizeof buffer);
        return buffer;
    }

    TNullstAufgabe task;
    TWindow* parent = nullptr;
    std::unique_ptr<TNullstellen> dialog;
};

// ---- the integral -----------------------------------------------------------------------------

TEST_F(Nullstellen, IntegralSplitsPositiveAndNegativeParts) {
    R().x1 = 0;
    R().x2 = 1;
    Run("1", 1, 0);
    EXPECT_NEAR(double(R().PosIntegral), 1.0, 1e-15);
    EXPECT_EQ(R().NegIntegral, 0);
    EXPECT_EQ(Text(TNullstellen::kIntegral), "1");
    EXPECT_EQ(R().Integral, 1);

    R().x1 = -1;
    R().x2 = 1;
    Run("x", 1, 0);
    EXPECT_NEAR(double(R().PosIntegral), 0.5, 1e-12);
    EXPECT_NEAR(double(R().NegIntegral), -0.5, 1e-12);
    EXPECT_EQ(Text(TNullstellen::kIntegral), "0");

    // The trapezoidal rule is exact for lines; a parabola converges with the point density.
    R().x1 = 0;
    R().x2 = 3;
    R().IntGenauigkeit = 1000;
    Run("x^2", 1, 0);
    EXPECT_NEAR(double(R().PosIntegral), 9.0, 1e-5);
}

TEST_F(Nullstellen, UndefinedPointsAreLeftOutAndOverflowInvalidatesTheIntegral) {
    Run("sqrt(-1-x^2)", 1, 0);
    EXPECT_EQ(R().Integral, 1);
    EXPECT_EQ(R().PosIntegral, 0);
    EXPECT_EQ(R().NegIntegral, 0);
    EXPECT_EQ(Text(TNullstellen::kIntegral), "0");

    // sqrt(x) on [-1, 1]: only the right half counts, about 2/3.
    R().x1 = -1;
    R().x2 = 1;
    R().IntGenauigkeit = 10000;
    Run("sqrt(x)", 1, 0);
    EXPECT_NEAR(double(R().PosIntegral), 2.0 / 3, 1e-4);

    // Each value fits, the sum does not: the integral is invalid, the field empty, and the
    // discussion still runs.
    R().x1 = 0;
    R().x2 = 2000;
    R().IntGenauigkeit = 1;
    Run("9*10^4931+x", 1, 1);
    EXPECT_EQ(R().Integral, 0);
    EXPECT_EQ(Text(TNullstellen::kIntegral), "");
    EXPECT_EQ(R().Diskussion, 1);
}

TEST_F(Nullstellen, IntegralTextRoundsToTenPlaces) {
    EXPECT_EQ(TNullstellen::IntegralText(0.5L, -0.5L), "0");
    EXPECT_EQ(TNullstellen::IntegralText(0, -1e-12L), "0");
    EXPECT_EQ(TNullstellen::IntegralText(1.0L / 3, 0), "0.3333333333");
    EXPECT_EQ(TNullstellen::IntegralText(2, -4.25L), "-2.25");
}

// ---- the discussion ---------------------------------------------------------------------------

TEST_F(Nullstellen, CubicRootsExtremaAndInflection) {
    Run("x^3-4*x");
    EXPECT_EQ(List(0), (Lines{"-2,0", "0,0", "2,0"}));
    EXPECT_EQ(List(1), (Lines{"-1.154700538,3.079201436 H", "1.154700538,-3.079201436 T"}));
    EXPECT_EQ(List(2), Lines{"0,0 rl"});
    EXPECT_TRUE(List(3).empty());
    ASSERT_EQ(R().NstAnz, 3);
    EXPECT_NEAR(double(R().Nst[0]), -2, 1e-12);
    EXPECT_NEAR(double(R().Nst[1]), 0, 1e-12);
    EXPECT_NEAR(double(R().Nst[2]), 2, 1e-12);
    ASSERT_EQ(R().ExtrAnz, 2);
    EXPECT_NEAR(double(R().Extr[1]), 2 / std::sqrt(3.0), 1e-6);
    ASSERT_EQ(R().WendAnz, 1);
    EXPECT_NEAR(double(R().Wend[0]), 0, 1e-6);
    EXPECT_EQ(R().Diskussion, 1);
    // x^3-4x is odd: the integral over [-10, 10] is 0.
    EXPECT_EQ(Text(TNullstellen::kIntegral), "0");
    EXPECT_EQ(Text(TNullstellen::kAbbruchOK), "&OK");
    EXPECT_EQ(dialog->GetAbbruch(), 1);
}

TEST_F(Nullstellen, RootsWithoutSignChangeComeFromTheCrossCheck) {
    Run("(x-1)^2", 0, 1);
    EXPECT_EQ(List(0), Lines{"1,0"});
    EXPECT_EQ(List(1), Lines{"1,0 T"});
    EXPECT_EQ(R().NstAnz, 1);

    // x^3: f' has a double root; the saddle is found through f''.
    Run("x^3", 0, 1);
    EXPECT_EQ(List(0), Lines{"0,0"});
    EXPECT_EQ(List(1), Lines{"0,0 S"});
    EXPECT_EQ(List(2), Lines{"0,0 rl"});

    // -x^3 bends the other way.
    Run("-x^3", 0, 1);
    EXPECT_EQ(List(2), Lines{"0,0 lr"});
}

TEST_F(Nullstellen, PolesAndBordersOfUndefinedRegions) {
    // The sign change of 1/x at its pole is no root...
    Run("1/x", 0, 1);
    EXPECT_TRUE(List(0).empty());
    EXPECT_EQ(R().NstAnz, 0);
    // ...unless every sign change is to be taken.
    R().NStErzwingen = 1;
    Run("1/x", 0, 1);
    ASSERT_EQ(List(0).size(), 1u);
    EXPECT_NEAR(double(R().Nst[0]), 0, 0.01);
    R().NStErzwingen = 0;

    // sqrt(x): the walk from the first defined point closes in on the border.
    Run("sqrt(x)", 0, 1);
    EXPECT_EQ(List(0), Lines{"0,0"});

    // A root at the right end of a defined region: sqrt(-x) is 0 at 0 from the left.
    Run("sqrt(-x)", 0, 1);
    EXPECT_EQ(List(0), Lines{"0,0"});

    // ln(x): the root at 1, and nothing at the border 0, where ln has no small value.
    Run("ln(x)", 0, 1);
    EXPECT_EQ(List(0), Lines{"1,0"});

    // tan(x) on [-10, 10]: the roots k*pi only, no pole.
    Run("tan(x)", 0, 1);
    Lines roots = List(0);
    ASSERT_EQ(roots.size(), 7u);
    EXPECT_EQ(roots[3], "0,0");
    EXPECT_EQ(roots[4], "3.141592654,0");
}

TEST_F(Nullstellen, FunctionsWithoutSignsStopAfterTheFirstScan) {
    const long double points = (R().x2 - R().x1) * R().DiskDichte + 4;
    for (const char* text : {"sqrt(-1-x^2)", "0"}) {
        SCOPED_TRACE(text);
        Run(text, 0, 1);
        EXPECT_EQ(dialog->GetGefunden(), 0);
        // Only f itself was scanned: one evaluation per grid point.
        EXPECT_LE(dialog->GetAufwand(), points + 2);
        for (int k = 0; k < 4; ++k) EXPECT_TRUE(List(k).empty());
        EXPECT_EQ(R().Diskussion, 1);
    }
    // A constant other than 0 goes on to f', which is 0.
    Run("5", 0, 1);
    EXPECT_EQ(dialog->GetGefunden(), 0);
    EXPECT_GT(dialog->GetAufwand(), points + 2);
    EXPECT_LE(dialog->GetAufwand(), 3 * points + 6);
}

TEST_F(Nullstellen, MoreThan999RootsKeepAllLinesButFillTheArrayTo999) {
    R().x1 = -20.02L;
    R().x2 = 20.02L;
    Run("sin(100*x)", 0, 1);
    // 100x runs through [-2002, 2002]: 1275 multiples of pi, each once and in order.
    const Lines roots = List(0);
    ASSERT_EQ(roots.size(), 1275u);
    for (size_t i = 1; i < roots.size(); ++i)
        EXPECT_NEAR(std::stod(roots[i]) - std::stod(roots[i - 1]), M_PI / 100, 1e-8) << roots[i];
    EXPECT_EQ(R().NstAnz, 999);
    EXPECT_EQ(R().ExtrAnz, 999);
    EXPECT_NEAR(double(R().Nst[998]), -20.02 + 0.0082 + 998 * M_PI / 100, 0.01);
}

TEST_F(Nullstellen, StepsThatVanishInTheNumberFormatEndTheScan) {
    R().x1 = 1e25L;
    R().x2 = 2e25L;
    const auto start = std::chrono::steady_clock::now();
    Run("x-1.5e25", 0, 1);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
    EXPECT_EQ(dialog->GetAbbruch(), 1);
}

TEST_F(Nullstellen, InvalidStepsAreReportedAndNotComputed) {
    R().DiskDichte = 0;
    R().IntGenauigkeit = -5;
    Run("x");
    EXPECT_EQ(R().Integral, 0);
    EXPECT_EQ(R().Diskussion, 0);
    Lines captions;
    for (TRecordedMessage m; TakeMessage(m);)
        if (m.caption != "Grafik") captions.push_back(m.caption + "|" + m.text.substr(0, 9));
    EXPECT_EQ(captions, (Lines{"Berechnung|Integral:", "Berechnung|Diskussio"}));
}

// ---- flags, cancel, leave ---------------------------------------------------------------------

TEST_F(Nullstellen, LeavingUnstartedClearsBothFlagsAndGreysPrinting) {
    TFrameWindow frame(nullptr, "Funktionsdiskussion");
    frame.SetMenu({{"&Datei", {{TNullstellen::kMenuDruckeDiskussion, "Diskussion &drucken"}}}});
    ASSERT_TRUE(frame.Create());
    parent = &frame;
    R().NstAnz = 5;
    R().ExtrAnz = 7;
    Open("x");
    // Opening alone resets the counts.
    EXPECT_EQ(R().NstAnz, 0);
    EXPECT_EQ(R().ExtrAnz, 0);
    dialog->SendCommand(TNullstellen::kAbbruchOK);
    EXPECT_FALSE(dialog->IsWindow());
    EXPECT_EQ(R().Integral, 0);
    EXPECT_EQ(R().Diskussion, 0);
    EXPECT_FALSE(frame.ChooseMenuItem(TNullstellen::kMenuDruckeDiskussion));
    dialog.reset();
    frame.Destroy();
}

// Escape and the title bar's close button do what "&Abbruch" / "&OK" would: leaving unstarted
// clears the flags, leaving a finished run keeps its lines.
TEST_F(Nullstellen, EscapeAndCloseActAsTheCancelButton) {
    Open("x");
    dialog->SendCommand(IDCANCEL);
    EXPECT_FALSE(dialog->IsWindow());
    EXPECT_EQ(R().Integral, 0);
    EXPECT_EQ(R().Diskussion, 0);

    Run("x^2-1", 0, 1);
    dialog->EvClose();
    EXPECT_FALSE(dialog->IsWindow());
    EXPECT_EQ(R().Diskussion, 1);
    EXPECT_EQ(task.Zeilen(0), (Lines{"-1,0", "1,0"}));
}

TEST_F(Nullstellen, OkHandsTheResultLinesToTheRecord) {
    TListBoxData* roots = R().NstText;
    Run("x^3-4*x", 0, 1);
    dialog->SendCommand(TNullstellen::kAbbruchOK);
    EXPECT_FALSE(dialog->IsWindow());
    EXPECT_EQ(R().NstText, roots);
    EXPECT_EQ(task.Zeilen(0), (Lines{"-2,0", "0,0", "2,0"}));
    EXPECT_EQ(task.Zeilen(1).size(), 2u);
    EXPECT_EQ(task.Zeilen(2), Lines{"0,0 rl"});
    EXPECT_EQ(R().NstText->GetSelCount(), 3);
    EXPECT_EQ(R().Diskussion, 1);
}

// Presses "&Abbruch" from a timer, that is while the calculation lets messages through.
class TCancelling : public TNullstellen {
public:
    using TNullstellen::TNullstellen;
    void SetupWindow() override {
        TNullstellen::SetupWindow();
        SetTimer(1, 1);
    }
    void EvTimer(unsigned id) override {
        TNullstellen::EvTimer(id);
        if (id != 1) return;
        KillTimer(1);
        SendCommand(kAbbruchOK);
    }
};

TEST_F(Nullstellen, CancelDuringTheIntegralSkipsTheDiscussion) {
    R().IntGenauigkeit = 1e6L;
    task.SetzeFunktion("sin(x)");
    R().Integral = 1;
    R().Diskussion = 1;
    dialog = std::make_unique<TCancelling>(nullptr, &R());
    ASSERT_TRUE(dialog->Create());
    dialog->SendCommand(TNullstellen::kStart);
    EXPECT_FALSE(dialog->IsWindow());
    EXPECT_EQ(R().Integral, 0);
    EXPECT_EQ(R().Diskussion, 0);
    EXPECT_EQ(R().NstAnz, 0);
    EXPECT_EQ(dialog->GetAufwand(), 0);
}

} // namespace
