// The calculator's task files: what is written comes back unchanged, the defaults of missing
// and meaningless keys, files that are not the calculator's, foreign keys kept, and failed
// writes that leave the old file as it was.
#include "filesys.h"
#include "privateprofile.h"
#include "rechtask.h"

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

class RechTask : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/rechtask-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir = pattern;
        file = dir + "/aufgabe.rec";
    }
    void TearDown() override {
        chmod(dir.c_str(), 0700);
        fs::remove_all(dir);
    }
    void Put(const std::string& name, const std::string& bytes) {
        std::ofstream(name, std::ios::binary) << bytes;
    }
    std::string Slurp(const std::string& name) {
        std::ifstream in(name, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    std::string Value(const char* section, const char* key) {
        char buffer[4000];
        GetPrivateProfileString(section, key, "(fehlt)", buffer, sizeof buffer, file.c_str());
        return buffer;
    }
    size_t Entries() { return size_t(std::distance(fs::directory_iterator(dir), {})); }

    std::string dir, file;
};

TRechAufgabe Sample() {
    TRechAufgabe t;
    t.Funktion = "x*y+z \"Fl\xE4"
                 "che\"";
    const char* vars[6] = {"12.5", "-3", "pi/2", "0", "1E+20", "1/3"};
    for (int i = 0; i < 6; ++i) t.Var[i] = vars[i];
    t.Schnell = false;
    t.Winkel = 3;
    t.BasisIn = 16;
    t.BasisOut = 8;
    t.Calc = true;
    return t;
}

void ExpectSame(const TRechAufgabe& a, const TRechAufgabe& b) {
    EXPECT_EQ(a.Funktion, b.Funktion);
    for (int i = 0; i < 6; ++i) EXPECT_EQ(a.Var[i], b.Var[i]) << i;
    EXPECT_EQ(a.Schnell, b.Schnell);
    EXPECT_EQ(a.Winkel, b.Winkel);
    EXPECT_EQ(a.BasisIn, b.BasisIn);
    EXPECT_EQ(a.BasisOut, b.BasisOut);
    EXPECT_EQ(a.Calc, b.Calc);
}

TEST_F(RechTask, WhatIsWrittenIsReadBackWithTheFileKeysOfTheSystem) {
    const TRechAufgabe written = Sample();
    ASSERT_TRUE(SchreibeAufgabe(file.c_str(), written));
    EXPECT_EQ(Value("Programm", "OrvlRech"), "J");
    EXPECT_EQ(Value("Funktion", "f(x,y,z,u,v,w)"), written.Funktion);
    EXPECT_EQ(Value("Variablen", "z"), "pi/2");
    EXPECT_EQ(Value("Funktion", "schnell"), "N");
    EXPECT_EQ(Value("Funktion", "Winkelargument"), "3");
    EXPECT_EQ(Value("Funktion", "BasisIn"), "3");
    EXPECT_EQ(Value("Funktion", "BasisOut"), "4");
    EXPECT_EQ(Value("Bildkoordinaten", "calc"), "J");
    TRechAufgabe read;
    ASSERT_TRUE(LeseAufgabe(file.c_str(), read));
    ExpectSame(read, written);
    // Every base and unit goes there and back.
    for (int base : {10, 2, 16, 8}) {
        TRechAufgabe t;
        t.BasisIn = base;
        t.BasisOut = base;
        t.Winkel = base == 10 ? 1 : 2;
        ASSERT_TRUE(SchreibeAufgabe(file.c_str(), t));
        TRechAufgabe back;
        ASSERT_TRUE(LeseAufgabe(file.c_str(), back));
        ExpectSame(back, t);
    }
    EXPECT_EQ(Entries(), 1u); // no temporary file left
}

TEST_F(RechTask, LongFunctionsComeBackUpToTheReadLimitAndLineBreaksBecomeBlanks) {
    TRechAufgabe t;
    t.Funktion = "1" + std::string(kRechFunktionLesen - 1, '0');
    ASSERT_TRUE(SchreibeAufgabe(file.c_str(), t));
    TRechAufgabe back;
    ASSERT_TRUE(LeseAufgabe(file.c_str(), back));
    EXPECT_EQ(back.Funktion, t.Funktion);
    // One character beyond the limit is cut on reading, not on writing.
    t.Funktion += "7";
    ASSERT_TRUE(SchreibeAufgabe(file.c_str(), t));
    EXPECT_EQ(Value("Funktion", "f(x,y,z,u,v,w)"), t.Funktion);
    ASSERT_TRUE(LeseAufgabe(file.c_str(), back));
    EXPECT_EQ(back.Funktion.size(), size_t(kRechFunktionLesen));
    // A pasted text with line breaks is still written (as one line), and so is the rest.
    t.Funktion = "x+\r\n1";
    t.Var[5] = "2\n";
    ASSERT_TRUE(SchreibeAufgabe(file.c_str(), t));
    ASSERT_TRUE(LeseAufgabe(file.c_str(), back));
    EXPECT_EQ(back.Funktion, "x+  1");
    EXPECT_EQ(back.Var[5], "2");
    EXPECT_EQ(Value("Bildkoordinaten", "calc"), "N");
}

TEST_F(RechTask, FilesWithoutTheMarkerAreUnreadableAndChangeNothing) {
    const TRechAufgabe before = Sample();
    TRechAufgabe t = before;
    EXPECT_FALSE(LeseAufgabe((dir + "/fehlt.rec").c_str(), t));
    Put(file, "[Programm]\r\nOrvlFuDi=J\r\n[Funktion]\r\nf(x,y,z,u,v,w)=99\r\n");
    EXPECT_FALSE(LeseAufgabe(file.c_str(), t));
    Put(file, "[Programm]\r\nOrvlRech=N\r\n[Funktion]\r\nf(x,y,z,u,v,w)=99\r\n");
    EXPECT_FALSE(LeseAufgabe(file.c_str(), t));
    Put(file, "[Programm]\r\nOrvlRech=\r\n");
    EXPECT_FALSE(LeseAufgabe(file.c_str(), t));
    Put(file, std::string("\0\xff\x01OrvlRech=J\0\0", 15));
    EXPECT_FALSE(LeseAufgabe(file.c_str(), t));
    EXPECT_FALSE(LeseAufgabe(dir.c_str(), t)); // a folder
    ExpectSame(t, before);
    // A value starting with "J" is enough.
    Put(file, "[programm]\r\norvlrech=Ja\r\n");
    EXPECT_TRUE(LeseAufgabe(file.c_str(), t));
}

TEST_F(RechTask, MissingAndMeaninglessKeysTakeTheDefaults) {
    // Cut off in the middle of a line: what is there counts.
    Put(file, "[Programm]\r\nOrvlRech=J\r\n[Funktion]\r\nf(x,y,z,u,v,w)=x+y\r\n[Variablen]\r\nx="
              "5\r\ny=1");
    TRechAufgabe t = Sample();
    ASSERT_TRUE(LeseAufgabe(file.c_str(), t));
    EXPECT_EQ(t.Funktion, "x+y");
    EXPECT_EQ(t.Var[0], "5");
    EXPECT_EQ(t.Var[1], "1");
    EXPECT_EQ(t.Var[2], "0");
    EXPECT_EQ(t.Var[5], "0");
    EXPECT_TRUE(t.Schnell);
    EXPECT_EQ(t.Winkel, 2);
    EXPECT_EQ(t.BasisIn, 10);
    EXPECT_EQ(t.BasisOut, 10);
    EXPECT_FALSE(t.Calc);

    Put(file, "[Programm]\nOrvlRech=J\n[Funktion]\nschnell=nein\nWinkelargument=7\nBasisIn=x\n"
              "BasisOut=\n[Bildkoordinaten]\ncalc=ja\n");
    ASSERT_TRUE(LeseAufgabe(file.c_str(), t));
    EXPECT_EQ(t.Funktion, "0");
    EXPECT_FALSE(t.Schnell);
    EXPECT_EQ(t.Winkel, 2);
    EXPECT_EQ(t.BasisIn, 10);
    EXPECT_EQ(t.BasisOut, 10);
    EXPECT_FALSE(t.Calc);
    // One-letter keys are read with one character: "12" is DEG, "4x" is OCT.
    Put(file, "[Programm]\nOrvlRech=J\n[Funktion]\nWinkelargument=12\nBasisIn=4x\nBasisOut=2\n");
    ASSERT_TRUE(LeseAufgabe(file.c_str(), t));
    EXPECT_EQ(t.Winkel, 1);
    EXPECT_EQ(t.BasisIn, 8);
    EXPECT_EQ(t.BasisOut, 2);
}

TEST_F(RechTask, WindowsFileWithCrLfAndWindows1252IsRead) {
    Put(file, "[Programm]\r\nOrvlRech=J\r\n\xD6"
              "ffne direkt=C:\\Aufgaben\\a.rec\r\n[funktion]\r\n"
              "F(X,Y,Z,U,V,W) = 2*x \"L\xE4nge\" \r\nWINKELARGUMENT=1\r\n[VARIABLEN]\r\nX=7\r\n");
    TRechAufgabe t;
    ASSERT_TRUE(LeseAufgabe(file.c_str(), t));
    EXPECT_EQ(t.Funktion, "2*x \"L\xE4nge\"");
    EXPECT_EQ(t.Var[0], "7");
    EXPECT_EQ(t.Winkel, 1);
}

TEST_F(RechTask, OtherSectionsAndKeysOfTheFileAreKept) {
    // The shared settings file holds the tasks of other modules too.
    Put(file, "[Programm]\r\nOrvlStch=J\r\n\xD6"
              "ffne direkt=x.stc\r\n[Stochastik]\r\nn=10\r\n"
              "[Funktion]\r\nf(x,y,z,u,v,w)=alt\r\nf(x)=x^2\r\n");
    ASSERT_TRUE(SchreibeAufgabe(file.c_str(), Sample()));
    EXPECT_EQ(Value("Programm", "OrvlStch"), "J");
    EXPECT_EQ(Value("Programm", "\xD6"
                                "ffne direkt"),
              "x.stc");
    EXPECT_EQ(Value("Stochastik", "n"), "10");
    EXPECT_EQ(Value("Funktion", "f(x)"), "x^2");
    EXPECT_EQ(Value("Funktion", "f(x,y,z,u,v,w)"), Sample().Funktion);
    // Untouched lines keep their CR LF.
    EXPECT_NE(Slurp(file).find("[Stochastik]\r\nn=10\r\n"), std::string::npos);
    EXPECT_EQ(Entries(), 1u);
}

TEST_F(RechTask, AFailedWriteLeavesTheOldFileAsItWas) {
    ASSERT_TRUE(SchreibeAufgabe(file.c_str(), Sample()));
    const std::string before = Slurp(file);
    EXPECT_FALSE(SchreibeAufgabe((dir + "/kein/ordner.rec").c_str(), Sample()));
    EXPECT_FALSE(SchreibeAufgabe(dir.c_str(), Sample())); // a folder
    EXPECT_FALSE(SchreibeAufgabe("", Sample()));
    if (geteuid() != 0) {
        // A folder that cannot be written: the old file stays, nothing is left behind.
        ASSERT_EQ(chmod(dir.c_str(), 0500), 0);
        TRechAufgabe other;
        other.Funktion = "neu";
        EXPECT_FALSE(SchreibeAufgabe(file.c_str(), other));
        ASSERT_EQ(chmod(dir.c_str(), 0700), 0);
    }
    EXPECT_EQ(Slurp(file), before);
    EXPECT_EQ(Entries(), 1u);
}

TEST_F(RechTask, EditorFilesInUtf8AreReadAndWrittenBackAsWindows1252) {
    // "Fläche" and "€" as an editor saves them, with and without the UTF-8 mark.
    for (const std::string mark : {"\xEF\xBB\xBF", ""}) {
        Put(file, mark + "[Programm]\nOrvlRech=J\n[Funktion]\nf(x,y,z,u,v,w)=2x \"Fl\xC3\xA4"
                         "che in \xE2\x82\xAC\"\n");
        TRechAufgabe t;
        std::string message = "old";
        ASSERT_TRUE(LeseAufgabe(file.c_str(), t, &message));
        EXPECT_EQ(t.Funktion, "2x \"Fl\xE4"
                              "che in \x80\"");
        EXPECT_EQ(message, "");
        // Saved again, the file is Windows-1252 with CR LF for what the write adds.
        ASSERT_TRUE(SchreibeAufgabe(file.c_str(), t));
        const std::string bytes = Slurp(file);
        EXPECT_EQ(bytes.find("\xC3"), std::string::npos);
        EXPECT_EQ(bytes.rfind("[Programm]\n", 0), 0u);
        EXPECT_NE(bytes.find("\"Fl\xE4"
                             "che in \x80\"\n"),
                  std::string::npos);
        EXPECT_NE(bytes.find("[Variablen]\r\nx=0\r\n"), std::string::npos);
    }
    // A character without a Windows-1252 form: read as "?", with a warning naming its line.
    Put(file, "[Programm]\r\nOrvlRech=J\r\n[Variablen]\r\nx=2 \"\xCE\xA9\"\r\n");
    TRechAufgabe t;
    std::string message;
    ASSERT_TRUE(LeseAufgabe(file.c_str(), t, &message));
    EXPECT_EQ(t.Var[0], "2 \"?\"");
    EXPECT_NE(message.find("Zeile 4 "), std::string::npos) << message;
}

TEST_F(RechTask, WindowsFilesLoadByteExactAndAnUnchangedTaskIsNotWritten) {
    const std::string windows = "[Programm]\r\nOrvlRech=J\r\n[Funktion]\r\n"
                                "f(x,y,z,u,v,w)=x \"L\xE4nge\"\r\n";
    Put(file, windows);
    TRechAufgabe t;
    ASSERT_TRUE(LeseAufgabe(file.c_str(), t));
    EXPECT_EQ(t.Funktion, "x \"L\xE4nge\"");
    int renames = 0;
    SetWriteFault([&](TWriteStep step, size_t&) {
        if (step == TWriteStep::Rename) ++renames;
        return 0;
    });
    // The first save adds the missing keys in one replacement; the same task again writes nothing.
    EXPECT_TRUE(SchreibeAufgabe(file.c_str(), t));
    EXPECT_EQ(renames, 1);
    EXPECT_TRUE(SchreibeAufgabe(file.c_str(), t));
    EXPECT_EQ(renames, 1);
    SetWriteFault(nullptr);
    EXPECT_EQ(Slurp(file).rfind(windows, 0), 0u);
}

TEST_F(RechTask, FailuresHalfWayKeepTheOldFileAndReportWhy) {
    ASSERT_TRUE(SchreibeAufgabe(file.c_str(), Sample()));
    const std::string before = Slurp(file);
    TRechAufgabe other;
    other.Funktion = std::string(100000, '1');
    SetWriteFault([](TWriteStep step, size_t& bytes) {
        if (step != TWriteStep::Write) return 0;
        bytes /= 2; // half of it reaches the disk, then the disk is full
        return ENOSPC;
    });
    std::string error;
    EXPECT_FALSE(SchreibeAufgabe(file.c_str(), other, &error));
    SetWriteFault(nullptr);
    EXPECT_NE(error.find("nicht genug Platz"), std::string::npos) << error;
    EXPECT_EQ(Slurp(file), before);
    EXPECT_EQ(Entries(), 1u);
}

TEST_F(RechTask, LinksAndLongNamesSave) {
    // The link stays and the file it points to takes the task.
    ASSERT_EQ(symlink("echt.rec", (dir + "/verweis.rec").c_str()), 0);
    ASSERT_TRUE(SchreibeAufgabe((dir + "/verweis.rec").c_str(), Sample()));
    EXPECT_TRUE(fs::is_symlink(dir + "/verweis.rec"));
    TRechAufgabe t;
    ASSERT_TRUE(LeseAufgabe((dir + "/echt.rec").c_str(), t));
    ExpectSame(t, Sample());
    const std::string longName = dir + "/" + std::string(251, 'a') + ".rec";
    ASSERT_TRUE(SchreibeAufgabe(longName.c_str(), Sample()));
    ASSERT_TRUE(LeseAufgabe(longName.c_str(), t));
    EXPECT_EQ(Entries(), 3u);
}

TEST_F(RechTask, FilesAboveFourMegabytesAreRefusedWithAReason) {
    Put(file, "[Programm]\r\nOrvlRech=J\r\n");
    ASSERT_EQ(truncate(file.c_str(), kMaxReadFileSize + 1), 0);
    TRechAufgabe t;
    t.Funktion = "unchanged";
    std::string message;
    EXPECT_FALSE(LeseAufgabe(file.c_str(), t, &message));
    EXPECT_EQ(t.Funktion, "unchanged");
    EXPECT_NE(message.find("4 MB"), std::string::npos) << message;
    // A missing marker is no reason the layer gives: the caller says "unreadable".
    Put(file, "[Programm]\r\n");
    EXPECT_FALSE(LeseAufgabe(file.c_str(), t, &message));
    EXPECT_EQ(message, "");
}

TEST(RechBasis, CodesOfTheFiles) {
    EXPECT_EQ(RechBasisCode(10), 1);
    EXPECT_EQ(RechBasisCode(2), 2);
    EXPECT_EQ(RechBasisCode(16), 3);
    EXPECT_EQ(RechBasisCode(8), 4);
    EXPECT_EQ(RechBasisCode(7), 0);
    for (int code = 1; code <= 4; ++code) EXPECT_EQ(RechBasisCode(RechBasisAusCode(code)), code);
    EXPECT_EQ(RechBasisAusCode(0), 0);
    EXPECT_EQ(RechBasisAusCode(5), 0);
}

} // namespace
