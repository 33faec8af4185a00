// Task files of the linear systems: what is written and in which order, what reading takes
// and what it leaves, and files that are not readable or cannot be written.
#include "glsysdatei.h"
#include "privateprofile.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

class GlSysDatei : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/glsysdatei-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir = pattern;
        file = dir + "/aufgabe.gls";
    }
    void TearDown() override { fs::remove_all(dir); }
    void Put(const std::string& bytes) const { std::ofstream(file, std::ios::binary) << bytes; }
    std::string Slurp() const {
        std::ifstream in(file, std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }
    std::string Get(const char* section, const char* key) const {
        char buffer[400];
        GetPrivateProfileString(section, key, "#", buffer, sizeof buffer, file.c_str());
        return buffer;
    }
    static TGlSysAufgabe Beispiel() {
        TGlSysAufgabe task;
        task.Ordnung = 2;
        task.Feld[0][0] = "2", task.Feld[1][0] = "x+1", task.Feld[2][0] = "5";
        task.Feld[0][1] = "1", task.Feld[1][1] = "-1", task.Feld[2][1] = "sqrt(2) \"Länge\"";
        task.Var[0] = "3";
        return task;
    }
    std::string dir, file;
};

TEST_F(GlSysDatei, WritesEveryKeyInTheOrderOfTheFormat) {
    ASSERT_TRUE(SchreibeGlSysAufgabe(file.c_str(), Beispiel()));
    // Matrix keys column by column, rows inside; row n+1 empty; the right-hand sides twice.
    EXPECT_EQ(Slurp(), "[Programm]\r\nOrvlGlSy=J\r\n"
                       "[Matrix]\r\nOrdnung=2\r\n"
                       "(1,1)=2\r\n(2,1)=1\r\n(3,1)=\r\n"
                       "(1,2)=x+1\r\n(2,2)=-1\r\n(3,2)=\r\n"
                       "(1,3)=5\r\n(2,3)=sqrt(2) \"L\xE4nge\"\r\n(3,3)=\r\n"
                       "[Vektor]\r\n(1)=5\r\n(2)=sqrt(2) \"L\xE4nge\"\r\n"
                       "[Variablen]\r\nx=3\r\ny=0\r\nz=0\r\nu=0\r\nv=0\r\nw=0\r\n");
    TGlSysAufgabe back;
    ASSERT_TRUE(LeseGlSysAufgabe(file.c_str(), back));
    EXPECT_EQ(back.Ordnung, 2);
    for (int c = 0; c <= 2; ++c)
        for (int r = 0; r < 2; ++r) EXPECT_EQ(back.Feld[c][r], Beispiel().Feld[c][r]);
    EXPECT_EQ(back.Var[0], "3");
    EXPECT_EQ(back.Var[5], "0");
}

TEST_F(GlSysDatei, KeepsWhatElseTheFileHoldsAndWritesOneLinePerValue) {
    // The shared settings file also holds the calculator's task.
    Put("[Programm]\r\nOrvlRech=J\r\n[Funktion]\r\nf(x,y,z,u,v,w)=x^2\r\n");
    TGlSysAufgabe task = Beispiel();
    task.Feld[0][0] = "1\r\n+1";
    ASSERT_TRUE(SchreibeGlSysAufgabe(file.c_str(), task));
    EXPECT_EQ(Get("Programm", "OrvlRech"), "J");
    EXPECT_EQ(Get("Funktion", "f(x,y,z,u,v,w)"), "x^2");
    EXPECT_EQ(Get("Matrix", "(1,1)"), "1  +1");
    // A smaller system over a larger one: the keys of the larger stay, reading takes the order.
    task.Ordnung = 3;
    task.Feld[3][2] = "9";
    ASSERT_TRUE(SchreibeGlSysAufgabe(file.c_str(), task));
    ASSERT_TRUE(SchreibeGlSysAufgabe(file.c_str(), Beispiel()));
    EXPECT_EQ(Get("Vektor", "(3)"), "9");
    TGlSysAufgabe back;
    ASSERT_TRUE(LeseGlSysAufgabe(file.c_str(), back));
    EXPECT_EQ(back.Ordnung, 2);
    EXPECT_EQ(back.Feld[2][1], Beispiel().Feld[2][1]);
}

TEST_F(GlSysDatei, RightHandSidesComeFromTheVectorAndMissingKeysReadAsZero) {
    Put("[programm]\nOrvlGlSy=Ja\n[Matrix]\nOrdnung=3\n(1,1)=4\n(3,3)=7\n(1,4)=99\n"
        "[Vektor]\n(1)=8\n(2)=-1\n");
    TGlSysAufgabe task;
    ASSERT_TRUE(LeseGlSysAufgabe(file.c_str(), task));
    EXPECT_EQ(task.Ordnung, 3);
    EXPECT_EQ(task.Feld[0][0], "4");
    EXPECT_EQ(task.Feld[2][2], "7");
    EXPECT_EQ(task.Feld[1][0], "0");
    EXPECT_EQ(task.Feld[3][0], "8");
    EXPECT_EQ(task.Feld[3][1], "-1");
    EXPECT_EQ(task.Feld[3][2], "0");
    EXPECT_EQ(task.Feld[3][3], "0");
    for (const std::string& v : task.Var) EXPECT_EQ(v, "0");
}

TEST_F(GlSysDatei, AnOrderOutsideTwoToSevenReadsAsThree) {
    for (const char* order : {"1", "8", "-4", "abc", "", "9999999999"}) {
        Put(std::string("[Programm]\r\nOrvlGlSy=J\r\n[Matrix]\r\nOrdnung=") + order +
            "\r\n(3,3)=5\r\n");
        TGlSysAufgabe task;
        task.Ordnung = 5;
        ASSERT_TRUE(LeseGlSysAufgabe(file.c_str(), task)) << order;
        EXPECT_EQ(task.Ordnung, 3) << order;
        EXPECT_EQ(task.Feld[2][2], "5") << order;
    }
    Put("[Programm]\r\nOrvlGlSy=J\r\n");
    TGlSysAufgabe task;
    ASSERT_TRUE(LeseGlSysAufgabe(file.c_str(), task));
    EXPECT_EQ(task.Ordnung, 3);
    Put("[Programm]\r\nOrvlGlSy=J\r\n[Matrix]\r\nOrdnung=7\r\n(7,7)=1\r\n[Vektor]\r\n(7)=2\r\n");
    ASSERT_TRUE(LeseGlSysAufgabe(file.c_str(), task));
    EXPECT_EQ(task.Ordnung, 7);
    EXPECT_EQ(task.Feld[6][6], "1");
    EXPECT_EQ(task.Feld[7][6], "2");
}

TEST_F(GlSysDatei, LongTextsAreCutToWhatTheRecordHolds) {
    const std::string longText(400, '1');
    Put("[Programm]\r\nOrvlGlSy=J\r\n[Matrix]\r\nOrdnung=2\r\n(1,1)=" + longText +
        "\r\n[Variablen]\r\nx=" + longText + "\r\n");
    TGlSysAufgabe task;
    ASSERT_TRUE(LeseGlSysAufgabe(file.c_str(), task));
    EXPECT_EQ(task.Feld[0][0].size(), 299u);
    EXPECT_EQ(task.Var[0].size(), 299u);
}

TEST_F(GlSysDatei, UnreadableFilesLeaveTheTaskAsItWas) {
    TGlSysAufgabe task = Beispiel();
    EXPECT_FALSE(LeseGlSysAufgabe((dir + "/fehlt.gls").c_str(), task));
    Put("[Programm]\r\nOrvlGlSy=N\r\n[Matrix]\r\nOrdnung=4\r\n");
    EXPECT_FALSE(LeseGlSysAufgabe(file.c_str(), task));
    Put("[Programm]\r\nOrvlRech=J\r\n[Matrix]\r\nOrdnung=4\r\n");
    EXPECT_FALSE(LeseGlSysAufgabe(file.c_str(), task));
    Put(std::string("\x00\xFF\x1B garbage [[[ ===\n", 20));
    EXPECT_FALSE(LeseGlSysAufgabe(file.c_str(), task));
    EXPECT_FALSE(LeseGlSysAufgabe(dir.c_str(), task));
    EXPECT_EQ(task.Ordnung, 2);
    EXPECT_EQ(task.Feld[1][0], "x+1");
}

TEST_F(GlSysDatei, AWriteThatFailsLeavesTheOldFileAndNoRest) {
    ASSERT_TRUE(SchreibeGlSysAufgabe(file.c_str(), Beispiel()));
    const std::string before = Slurp();
    TGlSysAufgabe other = Beispiel();
    other.Feld[0][0] = "42";
    // A value that would break the file structure is not possible; a missing directory and a
    // directory in place of the file are.
    EXPECT_FALSE(SchreibeGlSysAufgabe((dir + "/nein/a.gls").c_str(), other));
    fs::create_directory(dir + "/ordner.gls");
    EXPECT_FALSE(SchreibeGlSysAufgabe((dir + "/ordner.gls").c_str(), other));
    EXPECT_FALSE(SchreibeGlSysAufgabe("", other));
    other.Ordnung = 8;
    EXPECT_FALSE(SchreibeGlSysAufgabe(file.c_str(), other));
    EXPECT_EQ(Slurp(), before);
    size_t entries = 0;
    for ([[maybe_unused]] const auto& e : fs::directory_iterator(dir)) ++entries;
    EXPECT_EQ(entries, 2u); // the task and the directory, no temporary file
}

} // namespace
