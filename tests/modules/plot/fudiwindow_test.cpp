// The drawing window offscreen: its defaults, the status line under the mouse, the state file
// and the command line at set-up, and closing while a page is printed.
#include "controls.h"
#include "frame.h"
#include "fudirecord.h"
#include "headless.h"
#include "privateprofile.h"
#include "tfunktionsdraw.h"
#include "vdfunction.h"
#include "winapi.h"

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <memory>
#include <string>

namespace fs = std::filesystem;

namespace {

class Fenster : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/fudiwin-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir = std::string(pattern) + "/";
        rec = std::make_unique<FudiTransStructDef>();
        std::strcpy(rec->Verzeichnis, dir.c_str());
        std::strcpy(rec->IniDatei, (dir + "orvlfudi.ini").c_str());
        TRecordedMessage m;
        while (TakeMessage(m)) {
        }
    }
    void TearDown() override {
        if (window && window->IsWindow()) window->Destroy();
        window.reset();
        fs::remove_all(dir);
    }
    TFunktionsDraw& Open(const std::string& cmd = "") {
        window = std::make_unique<TFunktionsDraw>(rec.get());
        window->SetStatusLine(&bar);
        window->SetCommandLine(cmd.c_str());
        EXPECT_TRUE(window->Create());
        return *window;
    }
    std::string Text(int id) {
        char buffer[300] = "";
        window->GetDlgItemText(id, buffer, sizeof buffer);
        return buffer;
    }
    void Datei(const std::string& name, const std::string& text) {
        std::ofstream(dir + name, std::ios::binary) << text;
    }

    std::string dir;
    std::unique_ptr<FudiTransStructDef> rec;
    std::unique_ptr<TFunktionsDraw> window;
    TStatusBar bar;
};

TEST_F(Fenster, StartsWithTheDefaultTaskAndNoMessage) {
    Open();
    EXPECT_STREQ(rec->Funktion, "0");
    EXPECT_EQ(rec->x1, -10);
    EXPECT_EQ(rec->IntGenauigkeit, 100);
    EXPECT_EQ(rec->DiskDichte, 100);
    ASSERT_NE(rec->NstText, nullptr);
    EXPECT_EQ(rec->NstText->GetStrings().size(), 0u);
    TRecordedMessage m;
    EXPECT_FALSE(TakeMessage(m)) << m.text;
    // The command line (empty) is kept in the settings file.
    char text[20] = "x";
    GetPrivateProfileString("Programm", "Öffne direkt", "fehlt", text, sizeof text, rec->IniDatei);
    EXPECT_STREQ(text, "");
}

TEST_F(Fenster, LoadsTheStateFileThenTheCommandLine) {
    Datei("orvlfudi.ini", "[Programm]\r\nOrvlFuDi=J\r\n[Funktion]\r\nf(x,y,z,u,v,w)=x^2\r\n");
    Datei("auf gabe.fud", "[Programm]\r\nOrvlFuDi=J\r\n[Funktion]\r\nf(x,y,z,u,v,w)=COS(X)\r\n"
                          "x1=-3\r\nx2=3\r\nh1=-1\r\nh2=1\r\nhAb=1\r\n");
    Open("\"" + dir + "auf gabe.fud\"");
    EXPECT_STREQ(rec->Funktion, "cos(x)");
    EXPECT_EQ(Text(101), "f(x)=cos(x)");
    EXPECT_EQ(std::string(rec->AufgabenDatei), dir + "auf gabe.fud");
    ASSERT_NE(window->GetFunkObj(), nullptr);
    EXPECT_NEAR(double(window->GetFunkObj()->GetResult(0.0L)), 1.0, 1e-15);
}

TEST_F(Fenster, AnUnreadableCommandLineFileIsReportedAndChangesNoName) {
    Datei("kaputt.fud", "[Funktion]\r\nf(x,y,z,u,v,w)=x\r\n");
    Open(dir + "kaputt.fud");
    TRecordedMessage m;
    ASSERT_TRUE(TakeMessage(m));
    EXPECT_EQ(m.caption, "Laden");
    EXPECT_EQ(m.text, "Datei:\r Die Datei besitzt kein lesbares Format.");
    EXPECT_EQ(Text(101), "FunkDiss.: f(x)=0");
    EXPECT_STREQ(rec->AufgabenDatei, "");
}

TEST_F(Fenster, TheStatusLineTellsThePositionUnderTheMouse) {
    Open();
    // A client area of 401 x 200: x = 0 lies in column 200, h = 0 in row 100.
    window->MoveWindow(0, 0, 401, 200);
    const TRect c = window->GetClientRect();
    window->MoveWindow(0, 0, 401 + 401 - c.Width(), 200 + 200 - c.Height());
    std::strcpy(rec->Funktion, "x^2");
    window->EvMouseMove(0, TPoint(200, 100));
    EXPECT_EQ(bar.GetHintText(), "Koordinatenkreuzposition: 0x : 0h ... f(x)=x^2");
    window->EvMouseMove(0, TPoint(0, 0));
    EXPECT_EQ(bar.GetHintText(), "Koordinatenkreuzposition: -10x : 10h ... f(x)=x^2");
    // Without a function the status line is left alone.
    rec->Funktion[0] = 0;
    window->EvMouseMove(0, TPoint(30, 30));
    EXPECT_EQ(bar.GetHintText(), "Koordinatenkreuzposition: -10x : 10h ... f(x)=x^2");
    window->EvLButtonDown(MK_LBUTTON, TPoint(30, 30));
    window->EvLButtonUp(0, TPoint(30, 30));
    TRecordedMessage m;
    ASSERT_TRUE(TakeMessage(m));
    EXPECT_EQ(m.text, "Berechnungsfunktion:\r Es wurde noch keine Funktion angegeben.");
}

TEST_F(Fenster, TheWheelZoomsAboutThePointerAndDraggingMovesTheRanges) {
    Open();
    window->MoveWindow(0, 0, 401, 200);
    const TRect c = window->GetClientRect();
    window->MoveWindow(0, 0, 401 + 401 - c.Width(), 200 + 200 - c.Height());
    std::strcpy(rec->Funktion, "x");
    // About the middle a notch away narrows like "größer", towards the user widens like
    // "kleiner".
    window->EvMouseWheel(0, 120, TPoint(200, 100));
    EXPECT_NEAR(double(rec->x1), -6, 1e-12);
    EXPECT_NEAR(double(rec->x2), 6, 1e-12);
    EXPECT_NEAR(double(rec->h1), -6, 1e-12);
    window->EvMouseWheel(0, -120, TPoint(200, 100));
    EXPECT_NEAR(double(rec->x1), -8.4, 1e-12);
    EXPECT_NEAR(double(rec->h2), 8.4, 1e-12);
    // About the top left corner that corner stays.
    rec->x1 = rec->h1 = -10, rec->x2 = rec->h2 = 10;
    window->EvMouseWheel(0, 120, TPoint(0, 0));
    EXPECT_NEAR(double(rec->x1), -10, 1e-12);
    EXPECT_NEAR(double(rec->x2), 2, 1e-12);
    EXPECT_NEAR(double(rec->h2), 10, 1e-12);
    EXPECT_NEAR(double(rec->h1), -2, 1e-12);
    // A drag of 40 pixels right and 20 down moves the picture with the pointer; no dialog.
    rec->x1 = rec->h1 = -10, rec->x2 = rec->h2 = 10;
    window->EvLButtonDown(MK_LBUTTON, TPoint(100, 50));
    window->EvMouseMove(MK_LBUTTON, TPoint(120, 60));
    window->EvMouseMove(MK_LBUTTON, TPoint(140, 70));
    window->EvLButtonUp(0, TPoint(140, 70));
    EXPECT_NEAR(double(rec->x1), -12, 1e-12);
    EXPECT_NEAR(double(rec->x2), 8, 1e-12);
    EXPECT_NEAR(double(rec->h1), -8, 1e-12);
    EXPECT_NEAR(double(rec->h2), 12, 1e-12);
    // Moves without the button move nothing.
    window->EvMouseMove(0, TPoint(10, 10));
    EXPECT_NEAR(double(rec->x1), -12, 1e-12);
}

TEST_F(Fenster, TheWindowPaintsTheGraphs) {
    Open();
    window->ShowWindow(SW_SHOW);
    window->MoveWindow(0, 0, 300, 200);
    window->Invalidate();
    for (int i = 0; i < 5 && window->GetPaintCount() == 0; ++i) PumpWaitingMessages();
    EXPECT_GE(window->GetPaintCount(), 1);
}

} // namespace
