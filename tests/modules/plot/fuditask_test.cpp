// Task files: what the drawing window takes from a file and what it refuses, and the input
// dialog's keys written and read back as typed.
#include "fudirecord.h"
#include "fuditask.h"
#include "privateprofile.h"

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <memory>
#include <string>

namespace fs = std::filesystem;

namespace {

class FudiTask : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/fuditask-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir = pattern;
        file = dir + "/aufgabe.fud";
        rec = std::make_unique<FudiTransStructDef>();
    }
    void TearDown() override { fs::remove_all(dir); }
    void Schreibe(const std::string& text) { std::ofstream(file, std::ios::binary) << text; }
    std::string dir, file;
    std::unique_ptr<FudiTransStructDef> rec;
};

const char kKopf[] = "[Programm]\r\nOrvlFuDi=J\r\n[Funktion]\r\n";

TEST_F(FudiTask, ReadsTheTaskAndItsOptions) {
    Schreibe(std::string(kKopf) +
             "f(x,y,z,u,v,w)=SIN(X)*Ä\r\nx1=-5\r\nx2=2.5\r\nh1=-3\r\nh2=3\r\nxAb=0.5\r\n"
             "hAb=1\r\ndurchz=J\r\nAbl1=Ja\r\nAbl2=N\r\nfarbig=N\r\nLinien=N\r\nGrade=7.9\r\n"
             "[Variablen]\r\ny=2\r\nz=1/4\r\n");
    ASSERT_TRUE(LeseFudiDatei(file.c_str(), *rec));
    // Capitals are lowered, the accented ones too.
    EXPECT_STREQ(rec->Funktion, "sin(x)*\xE4");
    EXPECT_EQ(rec->x1, -5);
    EXPECT_EQ(rec->x2, 2.5L);
    EXPECT_EQ(rec->xAb, 0.5L);
    EXPECT_EQ(rec->durchz, 1);
    EXPECT_EQ(rec->Abl1, 1);
    EXPECT_EQ(rec->Abl2, 0);
    // Black and white always has lines.
    EXPECT_EQ(rec->farbig, 0);
    EXPECT_EQ(rec->Linien, 1);
    EXPECT_EQ(rec->Grade, 7);
    EXPECT_EQ(rec->Var.yWert, 2);
    EXPECT_EQ(rec->Var.zWert, 0.25L);
    EXPECT_STREQ(rec->Var.x, "0");
}

TEST_F(FudiTask, WidensTheHSpacingToAtMostAHundredTicks) {
    Schreibe(std::string(kKopf) + "h1=-1000\r\nh2=1000\r\nhAb=1\r\n");
    ASSERT_TRUE(LeseFudiDatei(file.c_str(), *rec));
    EXPECT_EQ(rec->hAb, 100);
    // A spacing of 0, missing or not a number keeps the default 1 instead of never ending.
    for (const char* hAb : {"hAb=0\r\n", "", "hAb=abc\r\n"}) {
        Schreibe(std::string(kKopf) + "h1=-10\r\nh2=10\r\n" + hAb);
        ASSERT_TRUE(LeseFudiDatei(file.c_str(), *rec)) << hAb;
        EXPECT_EQ(rec->hAb, 1) << hAb;
    }
}

TEST_F(FudiTask, RefusesFilesWithoutTheMarkerAndResetsTheTask) {
    Schreibe("[Funktion]\r\nf(x,y,z,u,v,w)=x^2\r\nx1=1\r\nx2=2\r\nAbl1=J\r\n");
    std::strcpy(rec->Funktion, "cos(x)");
    rec->x1 = 3;
    rec->Abl1 = 1;
    EXPECT_FALSE(LeseFudiDatei(file.c_str(), *rec));
    EXPECT_STREQ(rec->Funktion, "0");
    EXPECT_EQ(rec->x1, -10);
    EXPECT_EQ(rec->h2, 10);
    EXPECT_EQ(rec->Abl1, 0);
    Schreibe("[Programm]\r\nOrvlFuDi=N\r\n");
    EXPECT_FALSE(LeseFudiDatei(file.c_str(), *rec));
    EXPECT_FALSE(LeseFudiDatei((dir + "/fehlt.fud").c_str(), *rec));
    TFudiFelder f;
    f.Funktion = "unverändert";
    EXPECT_FALSE(LeseFudiFelder(file.c_str(), f));
    EXPECT_EQ(f.Funktion, "unverändert");
}

TEST_F(FudiTask, LongFunctionsAreCutWhenRead) {
    Schreibe(std::string(kKopf) + "f(x,y,z,u,v,w)=" + std::string(300, 'x') + "\r\n");
    ASSERT_TRUE(LeseFudiDatei(file.c_str(), *rec));
    EXPECT_EQ(std::strlen(rec->Funktion), size_t(kFudiFunktionLesen));
}

TEST_F(FudiTask, FieldsAreWrittenAsTypedAndReadBack) {
    TFudiFelder f;
    f.Funktion = "x^3-4x";
    f.x1 = "-2.5";
    f.h2 = "1e3";
    f.xAb = "0.25";
    f.Turn_Round = 90;
    f.Move_Vertical = 0.1L;
    f.durchz = f.markiert = f.Abl2 = true;
    f.farbig = false;
    f.Var[1] = "sqrt(2)";
    ASSERT_TRUE(SchreibeFudiDatei(file.c_str(), f));
    char text[64] = "";
    GetPrivateProfileString("Funktion", "Move_Vertical", "", text, sizeof text, file.c_str());
    EXPECT_STREQ(text, "0.1");
    GetPrivateProfileString("Funktion", "3d", "", text, sizeof text, file.c_str());
    EXPECT_STREQ(text, "N");
    TFudiFelder back;
    ASSERT_TRUE(LeseFudiFelder(file.c_str(), back));
    EXPECT_EQ(back.Funktion, "x^3-4x");
    EXPECT_EQ(back.x1, "-2.5");
    EXPECT_EQ(back.h2, "1e3");
    EXPECT_EQ(back.xAb, "0.25");
    EXPECT_EQ(back.Turn_Round, 90);
    EXPECT_TRUE(back.durchz && back.markiert && back.Abl2 && !back.Abl1);
    EXPECT_FALSE(back.farbig);
    // A black-and-white task reads with lines.
    EXPECT_TRUE(back.Linien);
    EXPECT_EQ(back.Var[1], "sqrt(2)");
    // The drawing window reads the same file: the numbers, and the marker.
    ASSERT_TRUE(LeseFudiDatei(file.c_str(), *rec));
    EXPECT_EQ(rec->h2, 1000);
    EXPECT_NEAR(double(rec->Var.yWert), 1.41421356, 1e-8);
}

TEST_F(FudiTask, AFailedWriteIsReported) {
    TFudiFelder f;
    EXPECT_FALSE(SchreibeFudiDatei((dir + "/fehlt/aufgabe.fud").c_str(), f));
    EXPECT_FALSE(SchreibeFudiDatei("", f));
}

} // namespace
