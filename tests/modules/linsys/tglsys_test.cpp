// The windows of the linear systems offscreen: the start (state file, command line, the
// variables), "e" with a matrix copied by another module, a file that is not readable, and the
// input dialog on a screen too small for it.
#include "glsysdatei.h"
#include "headless.h"
#include "matrecord.h"
#include "privateprofile.h"
#include "tglsyseingabe.h"
#include "tglsysvar.h"
#include "winapi.h"

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <gtest/gtest.h>
#include <memory>
#include <string>

namespace fs = std::filesystem;

namespace {

class GlSysFenster : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/tglsys-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir = std::string(pattern) + "/";
        std::strcpy(record->Pfad, dir.c_str());
        std::strcpy(record->ZustandDatei, (dir + "orvlglsy.ini").c_str());
        Messages();
    }
    void TearDown() override {
        if (window && window->IsWindow()) window->Destroy();
        window.reset();
        fs::remove_all(dir);
    }
    TGlSysVar& Open(const std::string& commandLine = "") {
        window = std::make_unique<TGlSysVar>(nullptr, record.get());
        window->SetCommandLine(commandLine.c_str());
        EXPECT_TRUE(window->Create());
        return *window;
    }
    std::string Text(int id) const {
        char buffer[300] = "";
        window->GetDlgItemText(id, buffer, sizeof buffer);
        return buffer;
    }
    static std::string Messages() {
        std::string all;
        TRecordedMessage m;
        while (TakeMessage(m)) all += m.caption + " | " + m.text + "\n";
        return all;
    }
    static void Write(const std::string& file, const char* section, const char* key,
                      const char* value) {
        ASSERT_TRUE(WritePrivateProfileString(section, key, value, file.c_str()));
    }

    std::string dir;
    std::unique_ptr<MatTransStructDef> record = std::make_unique<MatTransStructDef>();
    std::unique_ptr<TGlSysVar> window;
};

TEST_F(GlSysFenster, TheFirstStartIsNoErrorAndGivesTheVariablesValues) {
    Open();
    EXPECT_EQ(Messages(), "");
    // Without values the fields could not compute an expression such as "pi".
    EXPECT_EQ(record->Var.Gesetzt, 1);
    EXPECT_STREQ(record->Var.x, "0");
    EXPECT_EQ(record->Var.wWert, 0);
    ASSERT_NE(record->ListData, nullptr);
    char value[10] = "#";
    GetPrivateProfileString("Programm",
                            "\xD6"
                            "ffne direkt",
                            "#", value, sizeof value, record->ZustandDatei);
    EXPECT_STREQ(value, "");
    window->Destroy();
    window.reset();
    EXPECT_EQ(record->ListData, nullptr);
    // Variables the program already set are kept.
    record->Var.SetzeVar("5", "", "", "", "", "");
    Open();
    EXPECT_STREQ(record->Var.x, "5");
    EXPECT_EQ(record->Var.xWert, 5);
}

TEST_F(GlSysFenster, TheCommandLineOpensItsFile) {
    const std::string file = dir + "zwei gleichungen.gls";
    TGlSysAufgabe task;
    task.Ordnung = 2;
    task.Feld[0][0] = "4", task.Feld[2][1] = "9";
    ASSERT_TRUE(SchreibeGlSysAufgabe(file.c_str(), task));
    Open("\"" + file + "\"");
    EXPECT_EQ(Messages(), "");
    EXPECT_EQ(record->Ordnung, 2);
    EXPECT_STREQ(record->MatText[0][0], "4");
    EXPECT_STREQ(record->MatText[2][1], "9");
    EXPECT_EQ(std::string(record->LetzteDatei), file);
    EXPECT_EQ(Text(1101), "2");
    char value[300] = "";
    GetPrivateProfileString("Programm",
                            "\xD6"
                            "ffne direkt",
                            "#", value, sizeof value, record->ZustandDatei);
    EXPECT_EQ(std::string(value), file);
    window->Destroy();
    // A file that is not there: the message names it, and the last file stays.
    Open(dir + "fehlt.gls");
    EXPECT_EQ(Messages(), "Laden | Datei:\r Die Datei 'fehlt.gls' gibt es nicht.\n");
    EXPECT_EQ(std::string(record->LetzteDatei), file);
}

TEST_F(GlSysFenster, AnUnreadableFileLeavesTheSystemAsItWas) {
    TGlSysVar& w = Open();
    record->Ordnung = 4;
    std::strcpy(record->MatText[1][2], "sqrt(3)");
    record->Mat[1][2] = 1.7L;
    record->Var.SetzeVar("", "7", "", "", "", "");
    const auto before = std::make_unique<MatTransStructDef>(*record);
    const std::string bad = dir + "fremd.gls";
    Write(bad, "Programm", "OrvlStch", "J");
    Write(bad, "Matrix", "Ordnung", "2");
    EXPECT_FALSE(w.HoleDaten(bad.c_str()));
    EXPECT_EQ(Messages(), "Laden | Datei:\r Die Datei besitzt kein lesbares Format.\n");
    EXPECT_EQ(std::memcmp(before.get(), record.get(), sizeof *record), 0);
    EXPECT_EQ(Text(1101), "4");
}

TEST_F(GlSysFenster, ASystemCopiedByTheMatrixWindowArrivesThroughE) {
    // The matrix window copies its matrix in this format: coefficients only, no right-hand
    // sides; its variables with it.
    const std::string shared = dir + "orvltrn.ini";
    Write(shared, "Programm", "OrvlGlSy", "J");
    Write(shared, "Matrix", "Ordnung", "3");
    for (int r = 1; r <= 3; ++r)
        for (int c = 1; c <= 3; ++c) {
            const std::string key = "(" + std::to_string(r) + "," + std::to_string(c) + ")";
            Write(shared, "Matrix", key.c_str(), std::to_string(10 * r + c).c_str());
        }
    Write(shared, "Variablen", "y", "2*pi");
    TGlSysVar& w = Open();
    w.SetDlgItemText(1101, "5");
    w.BNClickedEinfuegen();
    EXPECT_EQ(Messages(), "");
    EXPECT_EQ(Text(1101), "3");
    EXPECT_EQ(record->Ordnung, 3);
    EXPECT_STREQ(record->MatText[0][0], "11");
    EXPECT_STREQ(record->MatText[2][1], "23");
    EXPECT_STREQ(record->MatText[1][2], "32");
    for (int r = 0; r < 4; ++r) EXPECT_STREQ(record->MatText[3][r], "0") << r;
    EXPECT_STREQ(record->Var.y, "2*pi");
    EXPECT_NEAR(double(record->Var.yWert), 6.283185307179586, 1e-15);
    // The order is taken: "Weiter" does not clear what was pasted.
    EXPECT_EQ(window->GetDlgItem(201), GetFocus());
}

TEST_F(GlSysFenster, SevenEquationsNeedAScreenWiderThan640) {
    // The second run of this test has a screen of 640 × 480 pixels.
    const bool small = std::getenv("GLSYS_TEST_SMALL_SCREEN") != nullptr;
    for (auto& column : record->MatText)
        for (auto& text : column) std::strcpy(text, "1");
    for (int n = 6; n <= 7; ++n) {
        record->Ordnung = n;
        TGlSysEingabe input(nullptr, record.get(), 210 + 10 * n);
        ASSERT_TRUE(input.Create());
        const bool tooWide = input.GetWindowRect().Width() > GetSystemMetrics(SM_CXSCREEN);
        EXPECT_EQ(tooWide, small && n == 7) << n;
        EXPECT_EQ(Messages(), tooWide ? "Eingabe | Eingabedialog:\r Der Dialog ist zu gro\xDF "
                                        "f\xFCr die derzeitige Aufl\xF6sung.\n"
                                      : "")
            << n;
        input.Destroy();
    }
    if (!small) return;
    // Run as the window runs it, the dialog closes by itself with 2 and stores nothing.
    TGlSysEingabe input(nullptr, record.get(), 280);
    EXPECT_EQ(input.Execute(), IDCANCEL);
    EXPECT_FALSE(fs::exists(record->ZustandDatei));
    Messages();
}

} // namespace
