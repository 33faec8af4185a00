// Task files of the stochastics module: what is written where and in which order, what a read
// makes of missing, garbled and foreign files, and a write that cannot succeed.
#include "privateprofile.h"
#include "stochtask.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <string>

namespace fs = std::filesystem;

namespace {

class StochAufgabe : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/stochtask-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir = std::string(pattern) + "/";
    }
    void TearDown() override { fs::remove_all(dir); }
    std::string Datei(const char* name, const std::string& content) {
        const std::string path = dir + name;
        std::ofstream(path, std::ios::binary) << content;
        return path;
    }
    static std::string Inhalt(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }
    std::string dir;
};

TEST_F(StochAufgabe, WrittenInOrderAndReadBack) {
    TStochAufgabe task;
    task.Verteilung = 2;
    const char* const texts[6] = {"1.5", "pi", "sqrt(2)", "10", "3", "1/3"};
    for (int i = 0; i < 6; ++i) task.Var[i] = texts[i];
    const std::string file = dir + "a.stc";
    ASSERT_TRUE(SchreibeStochAufgabe(file.c_str(), task));
    const std::string text = Inhalt(file);
    const size_t programm = text.find("[Programm]"), daten = text.find("[Daten]"),
                 variablen = text.find("[Variablen]");
    ASSERT_NE(variablen, std::string::npos);
    EXPECT_LT(programm, daten);
    EXPECT_LT(daten, variablen);
    EXPECT_LT(text.find("x=1.5"), text.find("w=1/3"));
    EXPECT_EQ(text.find("[Funktion]"), std::string::npos);

    TStochAufgabe back;
    ASSERT_TRUE(LeseStochAufgabe(file.c_str(), back));
    EXPECT_EQ(back.Verteilung, 2);
    for (int i = 0; i < 6; ++i) EXPECT_EQ(back.Var[i], texts[i]);
}

TEST_F(StochAufgabe, TheSharedFileGetsTheFormulaAndKeepsOtherKeys) {
    const std::string file =
        Datei("orvltrn.ini", "[Programm]\r\nOrvlRech=J\r\n[Funktion]\r\nschnell=N\r\n");
    TStochAufgabe task;
    task.Verteilung = 3;
    ASSERT_TRUE(SchreibeStochAufgabe(file.c_str(), task, "(y^x)/(x!)*exp(-y)"));
    char buffer[300];
    GetPrivateProfileString("Funktion", "f(x,y,z,u,v,w)", "", buffer, sizeof buffer, file.c_str());
    EXPECT_STREQ(buffer, "(y^x)/(x!)*exp(-y)");
    GetPrivateProfileString("Funktion", "schnell", "", buffer, sizeof buffer, file.c_str());
    EXPECT_STREQ(buffer, "N");
    GetPrivateProfileString("Programm", "OrvlRech", "", buffer, sizeof buffer, file.c_str());
    EXPECT_STREQ(buffer, "J");
    GetPrivateProfileString("Daten", "Verteilung", "", buffer, sizeof buffer, file.c_str());
    EXPECT_STREQ(buffer, "3");
}

TEST_F(StochAufgabe, UnreadableFilesLeaveTheTaskAlone) {
    TStochAufgabe task;
    task.Var[0] = "7";
    for (const std::string& content :
         {std::string(""), std::string("[Programm]\r\nOrvlStch=N\r\n"),
          std::string("[Programm]\r\nOrvlRech=J\r\n[Variablen]\r\nx=1\r\n"),
          std::string("\x01\x02 garbage \xff\r\n=J\r\n", 16)}) {
        const std::string file = Datei("x.stc", content);
        EXPECT_FALSE(LeseStochAufgabe(file.c_str(), task)) << content;
        EXPECT_EQ(task.Var[0], "7");
    }
    EXPECT_FALSE(LeseStochAufgabe((dir + "fehlt.stc").c_str(), task));
    EXPECT_FALSE(LeseStochAufgabe("", task));
}

TEST_F(StochAufgabe, MissingAndGarbledKeys) {
    TStochAufgabe task;
    ASSERT_TRUE(LeseStochAufgabe(Datei("a.stc", "[Programm]\r\nOrvlStch=Ja\r\n").c_str(), task));
    EXPECT_EQ(task.Verteilung, 0);
    for (const std::string& v : task.Var) EXPECT_EQ(v, "0");
    for (const char* bad : {"7", "-1", "abc", "2x", "12", ""}) {
        const std::string content =
            std::string("[Programm]\r\nOrvlStch=J\r\n[Daten]\r\nVerteilung=") + bad + "\r\n";
        ASSERT_TRUE(LeseStochAufgabe(Datei("b.stc", content).c_str(), task));
        EXPECT_EQ(task.Verteilung, -1) << bad;
    }
    ASSERT_TRUE(LeseStochAufgabe(
        Datei("c.stc", "[Programm]\r\nOrvlStch=J\r\n[Daten]\r\nVerteilung= 4 \r\n").c_str(), task));
    EXPECT_EQ(task.Verteilung, 4);
}

TEST_F(StochAufgabe, TextsAreOneLineAndCut) {
    TStochAufgabe task;
    task.Var[1] = "1+\r\n2";
    task.Var[2] = std::string(400, '1');
    task.Verteilung = -1; // written as binomial
    const std::string file = dir + "d.stc";
    ASSERT_TRUE(SchreibeStochAufgabe(file.c_str(), task));
    TStochAufgabe back;
    ASSERT_TRUE(LeseStochAufgabe(file.c_str(), back));
    EXPECT_EQ(back.Var[1], "1+  2");
    EXPECT_EQ(back.Var[2], std::string(kStochVarSchreiben, '1'));
    EXPECT_EQ(back.Verteilung, 0);
}

TEST_F(StochAufgabe, AWriteThatFailsSaysSo) {
    TStochAufgabe task;
    EXPECT_FALSE(SchreibeStochAufgabe((dir + "fehlt/a.stc").c_str(), task));
    EXPECT_FALSE(SchreibeStochAufgabe("", task));
    fs::create_directory(dir + "ordner.stc");
    EXPECT_FALSE(SchreibeStochAufgabe((dir + "ordner.stc").c_str(), task));
}

} // namespace
