// The stochastics window offscreen: the function object is built again only for another
// formula, a close request during a computation stops it, the state file is read at start and
// written before a computation (not after a refused input), the command line is noted.
#include "controls.h"
#include "headless.h"
#include "privateprofile.h"
#include "settings.h"
#include "stochrecord.h"
#include "tstochastik.h"
#include "winapi.h"

#include <QTimer>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <gtest/gtest.h>
#include <memory>
#include <string>

namespace fs = std::filesystem;

namespace {

class Stochastik : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/tstochastik-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir = std::string(pattern) + "/";
        std::strcpy(record.Pfad, dir.c_str());
        std::strcpy(record.ZustandDatei, (dir + "orvlstch.ini").c_str());
        TRecordedMessage m;
        while (TakeMessage(m)) {
        }
    }
    void TearDown() override {
        if (window && window->IsWindow()) window->Destroy();
        window.reset();
        fs::remove_all(dir);
    }
    TStochastik& Open(const char* commandLine = "") {
        window = std::make_unique<TStochastik>(&record);
        window->SetCommandLine(commandLine);
        EXPECT_TRUE(window->Create());
        return *window;
    }
    void Waehle(int verteilung) {
        auto* list = dynamic_cast<TComboBox*>(window->ChildWithId(202));
        ASSERT_NE(list, nullptr);
        list->SetSelIndex(verteilung);
        window->SetzeDarst();
    }
    std::string Text(int id) {
        char buffer[300] = "";
        window->GetDlgItemText(id, buffer, sizeof buffer);
        return buffer;
    }
    std::string Ini(const char* section, const char* key) {
        char buffer[300] = "";
        GetPrivateProfileString(section, key, "(fehlt)", buffer, sizeof buffer,
                                record.ZustandDatei);
        return buffer;
    }

    std::string dir;
    StochTransStructDef record{};
    std::unique_ptr<TStochastik> window;
};

TEST_F(Stochastik, OnlyAnotherFormulaBuildsTheFunctionObjectAgain) {
    TStochastik& w = Open();
    w.SetDlgItemText(511, "10");
    w.SetDlgItemText(513, "3");
    w.SetDlgItemText(515, "5");
    w.SetDlgItemText(204, "2");
    ASSERT_TRUE(w.Berechnung());
    EXPECT_EQ(Text(205), "0.3087");
    EXPECT_EQ(w.GetFunctionBuilds(), 1);
    w.SetDlgItemText(204, "3");
    ASSERT_TRUE(w.Berechnung());
    EXPECT_EQ(w.GetFunctionBuilds(), 1);
    Waehle(3);
    ASSERT_EQ(w.GetVerteilung(), 3);
    w.SetDlgItemText(502, "2");
    ASSERT_TRUE(w.Berechnung());
    EXPECT_EQ(w.GetFunctionBuilds(), 2);
    Waehle(0);
    ASSERT_TRUE(w.Berechnung());
    EXPECT_EQ(w.GetFunctionBuilds(), 3);
}

TEST_F(Stochastik, ACloseRequestDuringTheComputationStopsIt) {
    TStochastik& w = Open();
    Waehle(2);
    w.SetDlgItemText(204, "1");
    w.SetDlgItemText(504, "1");
    bool seenRunning = false;
    QTimer::singleShot(0, [&] {
        seenRunning = w.IstAmRechnen();
        w.EvClose();
    });
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(w.Berechnung());
    EXPECT_TRUE(seenRunning);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
    EXPECT_EQ(Text(205), "kein Ergebnis");
    EXPECT_TRUE(w.IsWindow());
    TRecordedMessage m;
    EXPECT_FALSE(TakeMessage(m));
    // The next computation runs to its end.
    ASSERT_TRUE(w.Berechnung());
    EXPECT_EQ(Text(205).substr(0, 6), "0.8413");
}

TEST_F(Stochastik, TheStateFileIsWrittenBeforeAComputationButNotAfterARefusal) {
    TStochastik& w = Open();
    Waehle(4);
    w.SetDlgItemText(513, "2.5");
    w.SetDlgItemText(204, "1");
    EXPECT_FALSE(w.Berechnung());
    EXPECT_EQ(Ini("Programm", "OrvlStch"), "(fehlt)");
    TRecordedMessage m;
    ASSERT_TRUE(TakeMessage(m));
    EXPECT_STREQ(m.caption.c_str(), "Berechnung");
    w.SetDlgItemText(513, "4");
    ASSERT_TRUE(w.Berechnung());
    EXPECT_EQ(Ini("Daten", "Verteilung"), "4");
    EXPECT_EQ(Ini("Variablen", "v"), "4");
    EXPECT_EQ(Text(517), "4");
    EXPECT_EQ(Text(518), "8");
}

TEST_F(Stochastik, TheStartReadsTheStateFileThenTheCommandLine) {
    const std::string task = dir + "aufgabe.stc";
    CorrWritePrivateProfileString("Programm", "OrvlStch", "J", task.c_str());
    CorrWritePrivateProfileString("Daten", "Verteilung", "3", task.c_str());
    CorrWritePrivateProfileString("Variablen", "y", "4", task.c_str());
    CorrWritePrivateProfileString("Programm", "OrvlStch", "J", record.ZustandDatei);
    CorrWritePrivateProfileString("Daten", "Verteilung", "2", record.ZustandDatei);
    CorrWritePrivateProfileString("Variablen", "z", "7", record.ZustandDatei);

    TStochastik& w = Open(("\"" + task + "\"").c_str());
    EXPECT_EQ(w.GetVerteilung(), 3);
    EXPECT_EQ(Text(502), "4");
    EXPECT_EQ(Text(504), "0"); // the task file's values replace the state file's
    EXPECT_EQ(Ini("Programm", "\xd6"
                              "ffne direkt"),
              task);
    EXPECT_STREQ(record.LetzteDatei, task.c_str());
    TRecordedMessage m;
    EXPECT_FALSE(TakeMessage(m));
    w.Destroy();

    // Without a command line the state file's task is shown, quietly.
    TStochastik& again = Open();
    EXPECT_EQ(again.GetVerteilung(), 2);
    EXPECT_EQ(Text(504), "7");
    EXPECT_EQ(Ini("Programm", "\xd6"
                              "ffne direkt"),
              "");
    EXPECT_FALSE(TakeMessage(m));
}

TEST_F(Stochastik, AFirstStartWithoutStateFileIsQuiet) {
    TStochastik& w = Open();
    EXPECT_EQ(w.GetVerteilung(), 0);
    EXPECT_EQ(Text(205), "kein Ergebnis");
    TRecordedMessage m;
    EXPECT_FALSE(TakeMessage(m));
}

} // namespace
