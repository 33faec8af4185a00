// Frame pictures and animations: where picture files are found, how a picture is mapped onto its
// target, the animation's preparation, cycle and stops, and what a missing file says.
#include "dc.h"
#include "dialog.h"
#include "dlgres.h"
#include "headless.h"
#include "pictures.h"
#include "qtbridge.h"
#include "winapi.h"

#include <QApplication>
#include <QImage>
#include <QWidget>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

// Runs a test in a fresh current directory (the program directory of the pictures).
class InTempDir : public ::testing::Test {
protected:
    void SetUp() override {
        ClearRecords();
        old_ = fs::current_path();
        dir_ = fs::temp_directory_path() /
               ("orvlpict-" + std::to_string(::getpid()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(dir_);
        fs::current_path(dir_);
    }
    void TearDown() override {
        fs::current_path(old_);
        fs::remove_all(dir_);
        ClearRecords();
    }
    static void WriteSvg(const char* name, const char* fill) {
        std::ofstream(name) << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"10\" "
                               "height=\"10\" viewBox=\"0 0 10 10\"><rect width=\"10\" "
                               "height=\"10\" fill=\""
                            << fill << "\"/></svg>";
    }
    // A frame: white ground with a black square whose place tells the frame apart.
    static void WriteFrame(const char* name, int at) {
        TBitmap b(32, 32, TColor::White);
        {
            TMemoryDC dc(b);
            dc.FillRect(TRect(at, 10, at + 8, 18), TBrush(TColor::Black));
        }
        ASSERT_TRUE(b.SaveAs((std::string(name) + ".bmp").c_str()));
        fs::rename(std::string(name) + ".bmp", name);
    }
    fs::path old_, dir_;
};

TEST_F(InTempDir, PicturesComeFromTheCurrentDirectoryFirstThenFromTheResources) {
    // Delivered pictures are found in the resource directory.
    const std::string delivered = FindPictureFile("RESULT.vdm");
    EXPECT_EQ(delivered, GetResourceDir() + "RESULT.vdm");
    // One in the current directory wins; the letter case of the name does not matter.
    WriteSvg("RESULT.vdm", "red");
    EXPECT_EQ(fs::path(FindPictureFile("result.VDM")), dir_ / "RESULT.vdm");
    EXPECT_EQ(FindPictureFile("NICHTDA.vdm"), "");
    EXPECT_EQ(FindPictureFile(""), "");
}

TEST_F(InTempDir, MissingPictureIsReportedAndDrawsNothing) {
    TBitmap surface(40, 40, TColor::White);
    vdMetafile meta(nullptr, "NICHTDA.vdm");
    EXPECT_FALSE(meta.IsOk());
    TRecordedMessage m;
    ASSERT_TRUE(TakeMessage(m));
    EXPECT_EQ(m.caption, "Grafik");
    EXPECT_EQ(m.text, "Datei nicht gefunden:\r NICHTDA.vdm");
    EXPECT_EQ(m.type & 0xF0, unsigned(MB_ICONSTOP));
    TMemoryDC dc(surface);
    TRect target(0, 0, 40, 40);
    meta.DrawIt(dc.GetHDC(), &target);
    EXPECT_EQ(surface.GetPixel(20, 20), TColor::White);
    // Not a picture at all: the same message.
    std::ofstream("KAPUTT.vdm") << "kein Bild";
    vdMetafile broken(nullptr, "KAPUTT.vdm");
    EXPECT_FALSE(broken.IsOk());
    ASSERT_TRUE(TakeMessage(m));
    EXPECT_EQ(m.text, "Datei nicht gefunden:\r KAPUTT.vdm");
}

TEST_F(InTempDir, PictureIsStretchedOntoTheTargetAndTheMappingIsKept) {
    WriteSvg("ROT.vdm", "#ff0000");
    vdMetafile meta(nullptr, "ROT.vdm");
    ASSERT_TRUE(meta.IsOk());
    EXPECT_EQ(PendingMessageCount(), 0);
    TBitmap surface(200, 100, TColor::White);
    TMemoryDC dc(surface);
    dc.SetWindowOrg(TPoint(0, 0));
    TRect target(50, 20, 150, 70);
    meta.DrawIt(dc.GetHDC(), &target);
    EXPECT_EQ(surface.GetPixel(50, 20), TColor(255, 0, 0));
    EXPECT_EQ(surface.GetPixel(149, 69), TColor(255, 0, 0));
    EXPECT_EQ(surface.GetPixel(49, 20), TColor::White);
    EXPECT_EQ(surface.GetPixel(150, 40), TColor::White);
    EXPECT_EQ(surface.GetPixel(100, 70), TColor::White);
    EXPECT_EQ(dc.GetMapMode(), MM_TEXT);
    EXPECT_EQ(dc.GetViewportOrg(), TPoint(0, 0));

    // In an anisotropic mapping the DC's origin and extents come back as they were.
    dc.SetMapMode(MM_ANISOTROPIC);
    dc.SetWindowExt(TSize(400, 200));
    dc.SetViewportExt(TSize(200, 100));
    dc.SetViewportOrg(TPoint(3, 4));
    TRect small(0, 0, 10, 10);
    meta.DrawIt(dc.GetHDC(), &small);
    EXPECT_EQ(dc.GetMapMode(), MM_ANISOTROPIC);
    EXPECT_EQ(dc.GetWindowExt(), TSize(400, 200));
    EXPECT_EQ(dc.GetViewportExt(), TSize(200, 100));
    EXPECT_EQ(dc.GetViewportOrg(), TPoint(3, 4));
    // An empty target draws nothing and does not fail.
    TRect empty(5, 5, 5, 5);
    meta.DrawIt(dc.GetHDC(), &empty);
}

TDlgResource PictureLayout() {
    TDlgResource r;
    r.caption = "Bilder";
    r.cx = 200, r.cy = 120;
    r.items = {
        {110, TCtlKind::GroupBox, "Ergebnis", 10, 10, 100, 50},
        {111, TCtlKind::Edit, "", 20, 24, 60, 12},
        {208, TCtlKind::Frame, "", 5, 5, 110, 60},
        {400, TCtlKind::Frame, "", 130, 10, 40, 40},
        {216, TCtlKind::Static, "", 10, 100, 180, 10},
    };
    return r;
}

// The animation with its frames open to the test.
class TTestRun : public vdRunPictControl {
public:
    using vdRunPictControl::vdRunPictControl;
    const TBitmap* PreparedFrame(int i) const { return Prepared[i].get(); }
    void EvTimer(unsigned id) override {
        vdRunPictControl::EvTimer(id);
        if (id == RunTimerId) steps.push_back(GetCurrentFrame());
    }
    std::vector<int> steps;
};

class PictureDialogTest : public InTempDir {
protected:
    void Open(const char* still = "JMPB1.VDB") {
        dlg = std::make_unique<TDialog>(nullptr, PictureLayout());
        meta = new TTalkMetaControl(dlg.get(), 208, 216, "Im Ergebnisfeld sehen Sie das Ergebnis.",
                                    "RESULT.vdm", 0);
        run = new TTestRun(dlg.get(), 400, 216, "Die Berechnung läuft.", still);
        ASSERT_TRUE(dlg->Create());
        QApplication::processEvents();
    }
    void TearDown() override {
        if (dlg) dlg->Destroy();
        dlg.reset();
        QApplication::processEvents();
        InTempDir::TearDown();
    }
    // The 500 ms preparation, without waiting for it.
    void Prepare() { run->EvTimer(vdRunPictControl::PrepareTimerId); }
    void LoadFrames(int stopFrame, int count) {
        std::vector<std::string> names(18);
        for (int i = 1; i <= count; ++i) {
            names[size_t(i)] = "F" + std::to_string(i) + ".VDB";
            WriteFrame(names[size_t(i)].c_str(), i);
        }
        auto n = [&](int i) { return names[size_t(i)].c_str(); };
        run->SetRunningPicts(n(1), stopFrame, n(2), n(3), n(4), n(5), n(6), n(7), n(8), n(9), n(10),
                             n(11), n(12), n(13), n(14), n(15), n(16), n(17));
    }
    std::unique_ptr<TDialog> dlg;
    TTalkMetaControl* meta = nullptr;
    TTestRun* run = nullptr;
};

TEST_F(PictureDialogTest, FramePictureLiesBeneathTheControlsOnIt) {
    Open();
    QWidget* picture = WidgetOf(meta);
    const QObjectList& order = picture->parentWidget()->children();
    int mine = int(order.indexOf(picture));
    for (int id : {110, 111}) {
        QWidget* over = FindControl(WidgetOf(dlg.get()), id);
        EXPECT_LT(mine, int(order.indexOf(over))) << id;
    }
    // The dialog shows the picture where no control covers it, and the edit on top of it.
    QImage shot = WidgetOf(dlg.get())->grab().toImage();
    QPoint edge = picture->geometry().topLeft() + QPoint(picture->width() - 4, 30);
    QColor c = shot.pixelColor(edge);
    EXPECT_GT(c.blue(), c.red()) << "the picture's blue panel";
    QWidget* edit = FindControl(WidgetOf(dlg.get()), 111);
    EXPECT_EQ(shot.pixelColor(edit->geometry().center()), QColor(Qt::white));
    meta->SetInfo();
    char text[100];
    dlg->GetDlgItemText(216, text, sizeof text);
    EXPECT_STREQ(text, "Im Ergebnisfeld sehen Sie das Ergebnis.");
}

TEST_F(PictureDialogTest, FramesArePreparedAfterTheFirstPaintWithTheDialogsBackground) {
    Open();
    LoadFrames(2, 3);
    // Nothing is shown before the preparation.
    EXPECT_EQ(run->GetPreparedLimit(), -1);
    run->ShowPict(0);
    EXPECT_EQ(run->GetShownFrame(), -1);
    Prepare();
    EXPECT_EQ(run->GetPreparedLimit(), 255);
    const TBitmap* f2 = run->PreparedFrame(2);
    ASSERT_NE(f2, nullptr);
    // The white ground became the dialog's colour; the figure stayed black.
    EXPECT_EQ(f2->GetPixel(1, 1), TColor::SysBtnFace);
    EXPECT_EQ(f2->GetPixel(31, 31), TColor::SysBtnFace);
    EXPECT_EQ(f2->GetPixel(2 + 3, 14), TColor::Black);
    run->ShowPict(2);
    EXPECT_EQ(run->GetShownFrame(), 2);
    // Preparing frame i lets only the frames below it be shown.
    run->SetPictDC(3);
    EXPECT_EQ(run->GetPreparedLimit(), 3);
    run->ShowPict(3);
    EXPECT_EQ(run->GetShownFrame(), 2);
}

TEST_F(PictureDialogTest, AnimationCyclesFromTwoToTheLastLoadedFrame) {
    Open();
    LoadFrames(2, 16); // frames 1 to 16, frame 17 empty
    Prepare();
    run->StartRunning(100000); // the test steps the timer itself
    EXPECT_TRUE(run->IsRunning());
    for (int i = 0; i < 18; ++i) run->EvTimer(vdRunPictControl::RunTimerId);
    std::vector<int> expected;
    for (int f = 2; f <= 16; ++f) expected.push_back(f);
    expected.insert(expected.end(), {2, 3, 4});
    EXPECT_EQ(run->steps, expected);
    EXPECT_EQ(run->GetShownFrame(), 4);
}

TEST_F(PictureDialogTest, SoftStopEndsOnTheStopFrameThenShowsFrameOne) {
    Open();
    LoadFrames(5, 8);
    Prepare();
    run->StartRunning(5);
    run->StopRunning(false);
    EXPECT_FALSE(run->IsRunning());
    ASSERT_FALSE(run->steps.empty());
    EXPECT_EQ(run->steps.back(), 5);
    EXPECT_EQ(run->GetCurrentFrame(), 1);
    EXPECT_EQ(run->GetShownFrame(), 1);
    // Stopped, the timer no longer runs.
    const size_t n = run->steps.size();
    for (int i = 0; i < 5; ++i) {
        QApplication::processEvents();
        usleep(10000);
    }
    EXPECT_EQ(run->steps.size(), n);
}

TEST_F(PictureDialogTest, ImmediateStopLeavesTheCurrentFrame) {
    Open();
    LoadFrames(5, 8);
    Prepare();
    run->StartRunning(100000);
    run->EvTimer(vdRunPictControl::RunTimerId);
    run->EvTimer(vdRunPictControl::RunTimerId);
    run->StopRunning(true);
    EXPECT_FALSE(run->IsRunning());
    EXPECT_EQ(run->GetCurrentFrame(), 3);
    EXPECT_EQ(run->GetShownFrame(), 3);
}

TEST_F(PictureDialogTest, StopFrameTheCycleNeverReachesDoesNotHang) {
    Open();
    LoadFrames(12, 4); // the cycle is 2, 3, 4
    Prepare();
    run->StartRunning(100000);
    const unsigned long start = GetTickCount();
    run->StopRunning(false);
    EXPECT_LT(GetTickCount() - start, 1000u);
    EXPECT_FALSE(run->IsRunning());
}

TEST_F(PictureDialogTest, DeliveredFramesLoadAndMissingOnesAreReported) {
    Open("JMPB1.VDB");
    EXPECT_TRUE(run->HasFrame(0));
    EXPECT_EQ(PendingMessageCount(), 0);
    run->SetRunningPicts("JMPB1.VDB", 2, "JMPB2.VDB", "FEHLT.VDB", "", "", "", "", "", "", "", "",
                         "", "", "", "", "", "");
    EXPECT_TRUE(run->HasFrame(2));
    EXPECT_FALSE(run->HasFrame(3));
    EXPECT_FALSE(run->HasFrame(4));
    TRecordedMessage m;
    ASSERT_TRUE(TakeMessage(m));
    EXPECT_EQ(m.caption, "Grafik");
    EXPECT_EQ(m.text, "Datei nicht gefunden:\r FEHLT.VDB");
}

TEST_F(PictureDialogTest, RealPaintShowsTheStillPictureOncePrepared) {
    Open("JMPB1.VDB");
    QWidget* w = WidgetOf(run);
    w->repaint();
    Prepare();
    QImage shot = w->grab().toImage();
    EXPECT_EQ(run->GetShownFrame(), 0);
    // The background was filled with the dialog's colour, the figure is darker.
    EXPECT_EQ(shot.pixelColor(1, 1), QColor(240, 240, 240));
    int dark = 0;
    for (int y = 0; y < shot.height(); ++y)
        for (int x = 0; x < shot.width(); ++x) dark += shot.pixelColor(x, y).lightness() < 128;
    EXPECT_GT(dark, 20);
}

} // namespace
