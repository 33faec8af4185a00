// Where frames open and what they remember: the placement arithmetic on small and large screens,
// the open-frame counter, the stored placement, the fixed frame, and the application's paths and
// keyboard filter.
#include "dialog.h"
#include "dlgres.h"
#include "headless.h"
#include "mainframe.h"
#include "privateprofile.h"
#include "qtbridge.h"
#include "settings.h"
#include "talk.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <unistd.h>
#include <vector>

extern TMainApp* g_testApp;

namespace fs = std::filesystem;

namespace {

class FrameIni : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("orvlframe-" + std::to_string(::getpid()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(dir_);
        ini_ = (dir_ / "frame.ini").string();
    }
    void TearDown() override { fs::remove_all(dir_); }
    void Put(const char* section, const char* key, const char* value) {
        ASSERT_TRUE(WritePrivateProfileString(section, key, value, ini_.c_str()));
    }
    void Store(const char* x, const char* y, const char* cx, const char* cy, bool high = false) {
        Put("Bildkoordinaten", high ? "lx" : "x", x);
        Put("Bildkoordinaten", high ? "ly" : "y", y);
        Put("Bildkoordinaten", high ? "lcx" : "cx", cx);
        Put("Bildkoordinaten", high ? "lcy" : "cy", cy);
    }
    std::string Get(const char* section, const char* key) {
        char v[100];
        GetPrivateProfileString(section, key, "-", v, sizeof v, ini_.c_str());
        return v;
    }
    fs::path dir_;
    std::string ini_;
};

// A VGA screen with a low caption (18 - 1 = 17: the short key set) and a high one.
const TScreenMetrics kVga{640, 480, 18, 1};
const TScreenMetrics kVgaHigh{640, 480, 26, 1};

TEST_F(FrameIni, TheCaptionHeightChoosesTheKeySet) {
    Store("10", "20", "300", "200");
    Store("40", "50", "320", "240", true);
    EXPECT_EQ(CalcFramePlacement(ini_.c_str(), kVga), TRect(10, 20, 310, 220));
    EXPECT_EQ(CalcFramePlacement(ini_.c_str(), kVgaHigh), TRect(40, 50, 360, 290));
    // Exactly 19 pixels is still the short set, 20 the long one.
    EXPECT_EQ(CalcFramePlacement(ini_.c_str(), {640, 480, 20, 1}), TRect(10, 20, 310, 220));
    EXPECT_EQ(CalcFramePlacement(ini_.c_str(), {640, 480, 21, 1}), TRect(40, 50, 360, 290));
}

TEST_F(FrameIni, AFrameStickingOutOfTheScreenMovesToAFifthOfIt) {
    Store("400", "300", "300", "200");
    EXPECT_EQ(CalcFramePlacement(ini_.c_str(), kVga), TRect(128, 96, 428, 296));
    // Within 25 pixels of the edge it stays.
    Store("315", "255", "300", "200");
    EXPECT_EQ(CalcFramePlacement(ini_.c_str(), kVga), TRect(315, 255, 615, 455));
    Store("316", "256", "300", "200");
    EXPECT_EQ(CalcFramePlacement(ini_.c_str(), kVga), TRect(128, 96, 428, 296));
}

TEST_F(FrameIni, ASecondFrameCascadesByOneCaptionHeight) {
    Store("100", "80", "300", "200");
    Put("Programm", "Zähler", "1");
    EXPECT_EQ(CalcFramePlacement(ini_.c_str(), kVga), TRect(118, 98, 418, 298));
    // Would the cascaded frame leave the screen, it starts again from the corner.
    Store("330", "80", "300", "200");
    EXPECT_EQ(CalcFramePlacement(ini_.c_str(), kVga), TRect(18, 18, 318, 218));
    // A counter of 0 does not cascade.
    Store("310", "80", "300", "200");
    Put("Programm", "Zähler", "0");
    EXPECT_EQ(CalcFramePlacement(ini_.c_str(), kVga), TRect(310, 80, 610, 280));
}

TEST_F(FrameIni, MissingOrOddValuesGiveASafePlacement) {
    // No file at all: placement 0.
    EXPECT_EQ(CalcFramePlacement((dir_ / "fehlt.ini").string().c_str(), kVga), TRect());
    Store("-50", "-7", "300", "200");
    EXPECT_EQ(CalcFramePlacement(ini_.c_str(), kVga), TRect(0, 0, 300, 200));
    Store("abc", "", "300", "200");
    EXPECT_EQ(CalcFramePlacement(ini_.c_str(), kVga), TRect(0, 0, 300, 200));
    // Numbers beyond any screen neither overflow nor keep the frame out of sight.
    Store("9999999999", "2147483647", "2147483647", "100");
    TRect r = CalcFramePlacement(ini_.c_str(), kVga);
    EXPECT_EQ(r.left, 128);
    EXPECT_EQ(r.top, 96);
    EXPECT_GT(r.right, r.left);
    // A negative size is no size.
    Store("10", "10", "-300", "-200");
    EXPECT_EQ(CalcFramePlacement(ini_.c_str(), kVga), TRect(10, 10, 10, 10));
}

TEST_F(FrameIni, StoredPlacementAndZoom) {
    ASSERT_TRUE(StoreFramePlacement(ini_.c_str(), TRect(30, 40, 530, 440), false, false, kVga));
    EXPECT_EQ(Get("Bildkoordinaten", "x"), "30");
    EXPECT_EQ(Get("Bildkoordinaten", "cy"), "400");
    EXPECT_EQ(Get("Bildkoordinaten", "Zoom"), "N");
    EXPECT_EQ(Get("Bildkoordinaten", "lx"), "-");
    // Maximised: the normal placement stays, only Zoom says so.
    ASSERT_TRUE(StoreFramePlacement(ini_.c_str(), TRect(0, 0, 640, 480), false, true, kVga));
    EXPECT_EQ(Get("Bildkoordinaten", "x"), "30");
    EXPECT_EQ(Get("Bildkoordinaten", "cx"), "500");
    EXPECT_EQ(Get("Bildkoordinaten", "Zoom"), "J");
    // Minimised: the same, with Zoom back to "N".
    ASSERT_TRUE(StoreFramePlacement(ini_.c_str(), TRect(0, 0, 10, 10), true, false, kVga));
    EXPECT_EQ(Get("Bildkoordinaten", "cx"), "500");
    EXPECT_EQ(Get("Bildkoordinaten", "Zoom"), "N");
    // High captions write their own keys, leaving the others.
    ASSERT_TRUE(StoreFramePlacement(ini_.c_str(), TRect(5, 6, 105, 206), false, false, kVgaHigh));
    EXPECT_EQ(Get("Bildkoordinaten", "lx"), "5");
    EXPECT_EQ(Get("Bildkoordinaten", "lcy"), "200");
    EXPECT_EQ(Get("Bildkoordinaten", "x"), "30");
    // A file that cannot be written is a failure.
    EXPECT_FALSE(StoreFramePlacement((dir_ / "nicht/da.ini").string().c_str(), TRect(1, 1, 2, 2),
                                     false, false, kVga));
}

TDlgResource ClientLayout() {
    TDlgResource r;
    r.caption = "Modul";
    r.cx = 120, r.cy = 60;
    r.items = {{201, TCtlKind::PushButton, "&Berechne", 10, 10, 50, 14},
               {302, TCtlKind::PushButton, "&Hilfe", 70, 10, 40, 14}};
    return r;
}

class THelpClient : public TDialog {
public:
    THelpClient() : TDialog(nullptr, ClientLayout()) {
        OnClicked(302, &THelpClient::BNClickedHelp);
    }
    void BNClickedHelp() { ++helpClicks; }
    int helpClicks = 0;
};

TEST_F(FrameIni, FramesCountThemselvesAndRememberTheirPlace) {
    const bool high = TScreenMetrics::Current().HighCaption();
    Store("100", "90", "400", "300", high);
    auto* first = new TMainFrame(ini_.c_str(), nullptr, "Erstes", new THelpClient());
    g_testApp->IniData(first, ini_.c_str());
    ASSERT_TRUE(first->Create());
    QApplication::processEvents();
    EXPECT_EQ(Get("Programm", "Zähler"), "1");
    EXPECT_EQ(first->GetWindowRect(), TRect(100, 90, 500, 390));

    // The second frame opens one caption lower and further right.
    const int cap = TScreenMetrics::Current().captionCy;
    auto* second = new TMainFrame(ini_.c_str(), nullptr, "Zweites", new THelpClient());
    g_testApp->IniData(second, ini_.c_str());
    EXPECT_EQ(second->Attr.X, 100 + cap);
    EXPECT_EQ(second->Attr.Y, 90 + cap);
    ASSERT_TRUE(second->Create());
    EXPECT_EQ(Get("Programm", "Zähler"), "2");

    // Moving and sizing is written at once, under the key set of the caption height.
    first->MoveWindow(60, 70, 420, 310);
    QApplication::processEvents();
    EXPECT_EQ(Get("Bildkoordinaten", high ? "lx" : "x"), "60");
    EXPECT_EQ(Get("Bildkoordinaten", high ? "lcy" : "cy"), "310");
    EXPECT_EQ(Get("Bildkoordinaten", "Zoom"), "N");

    second->Destroy();
    delete second;
    EXPECT_EQ(Get("Programm", "Zähler"), "1");
    // The host may reset the counter meanwhile; closing never counts below zero.
    ASSERT_TRUE(ResetCounterInIni(ini_.c_str()));
    first->Destroy();
    delete first;
    EXPECT_EQ(Get("Programm", "Zähler"), "0");
}

TEST_F(FrameIni, FixedFrameKeepsItsSizeAndF1PressesHelp) {
    Store("50", "50", "360", "240", TScreenMetrics::Current().HighCaption());
    auto* client = new THelpClient();
    TMainFrame frame(ini_.c_str(), nullptr, "Fest", client, false, true);
    g_testApp->IniData(&frame, ini_.c_str());
    ASSERT_TRUE(frame.Create());
    EXPECT_TRUE(frame.IsFixedFrame());
    EXPECT_EQ(frame.EvNCHitTest(TPoint(0, 0)), unsigned(HTCLIENT));
    const TRect before = frame.GetWindowRect();
    frame.MoveWindow(before.left, before.top, 600, 400);
    QApplication::processEvents();
    EXPECT_EQ(frame.GetWindowRect().Size(), before.Size());

    // The application's start-up installs the filter: F1 in the module presses its help.
    g_testApp->InitMainWindow(false, "", "");
    WidgetOf(client)->findChildren<QWidget*>().first()->setFocus();
    QWidget* focus = QApplication::focusWidget();
    ASSERT_NE(focus, nullptr);
    QKeyEvent f1(QEvent::KeyPress, Qt::Key_F1, Qt::NoModifier);
    QApplication::sendEvent(focus, &f1);
    EXPECT_EQ(client->helpClicks, 1);
    frame.Destroy();
}

TEST_F(FrameIni, StatusBarOfAFrame) {
    auto* frame = new TMainFrame(ini_.c_str(), nullptr, "Mit Statuszeile", new THelpClient());
    auto* bar = new TExtStatusBar(frame);
    frame->Insert(*bar);
    ASSERT_TRUE(frame->Create());
    bar->SetHintText("Bereit");
    char text[200];
    EXPECT_STREQ(bar->HoleText(text), "Bereit");
    EXPECT_TRUE(bar->IsWindow());
    frame->Destroy();
    delete frame;
}

class AppPaths : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* v : {"TEMP", "TMP"}) {
            const char* s = std::getenv(v);
            saved_.emplace_back(v, s ? std::optional<std::string>(s) : std::nullopt);
        }
        unsetenv("TEMP");
        unsetenv("TMP");
    }
    void TearDown() override {
        for (auto& [name, value] : saved_)
            value ? setenv(name.c_str(), value->c_str(), 1) : unsetenv(name.c_str());
    }
    std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
};

TEST_F(AppPaths, TempDirFromTheEnvironmentAlwaysEndsInASlash) {
    char buf[300];
    EXPECT_STREQ(g_testApp->GetTempDir(buf), "/tmp/");
    setenv("TMP", "/var/tmp", 1);
    EXPECT_STREQ(g_testApp->GetTempDir(buf), "/var/tmp/");
    setenv("TEMP", "/home/x/temp/", 1);
    EXPECT_STREQ(g_testApp->GetTempDir(buf), "/home/x/temp/");
    // A value longer than the buffer is cut, not written past its end.
    setenv("TEMP", std::string(500, 'a').c_str(), 1);
    char small[20];
    EXPECT_EQ(std::string(g_testApp->GetTempDir(small, sizeof small)), std::string(19, 'a'));
}

TEST_F(AppPaths, ProgramDirectoryIniPathAndThreeD) {
    char dir[300], ini[300];
    const std::string cwd = fs::current_path().string() + "/";
    EXPECT_EQ(std::string(g_testApp->GetProgDir(dir)), cwd);
    EXPECT_EQ(std::string(g_testApp->GetIniPath(ini, "orvltrn.ini")), cwd + "orvltrn.ini");
    EXPECT_TRUE(g_testApp->IstOk());

    const fs::path file = fs::temp_directory_path() / ("orvl3d-" + std::to_string(::getpid()));
    EXPECT_FALSE(g_testApp->Is3d(file.c_str()));
    WritePrivateProfileString("Bildkoordinaten", "3d", "Ja", file.c_str());
    EXPECT_TRUE(g_testApp->Is3d(file.c_str()));
    WritePrivateProfileString("Bildkoordinaten", "3d", "N", file.c_str());
    EXPECT_FALSE(g_testApp->Is3d(file.c_str()));
    fs::remove(file);
}

TEST(AppStart, SearchPathChangesIntoTheProgramDirectoryUnlessTheIniSaysJ) {
    const fs::path old = fs::current_path();
    const fs::path home = fs::temp_directory_path() / ("orvlhome-" + std::to_string(::getpid()));
    const fs::path start = fs::temp_directory_path() / ("orvlstart-" + std::to_string(::getpid()));
    fs::create_directories(start);
    setenv("ORVELIN_HOME", home.c_str(), 1);
    fs::current_path(start);
    WritePrivateProfileString("Programm", "Bleiben", "J", "start.ini");
    g_testApp->InitMainWindow(true, "start.ini", "Bleiben");
    EXPECT_EQ(fs::current_path(), start);
    g_testApp->InitMainWindow(true, "start.ini", "Wechseln");
    EXPECT_EQ(fs::current_path(), fs::canonical(home));
    fs::current_path(old);
    unsetenv("ORVELIN_HOME");
    fs::remove_all(home);
    fs::remove_all(start);
}

} // namespace
