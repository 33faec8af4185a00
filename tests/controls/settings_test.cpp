#include "privateprofile.h"
#include "settings.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>

namespace {

TEST(GetPathOfFile, SplitsAtTheLastSeparator) {
    char dir[64] = "unchanged";
    char name[64] = "";
    EXPECT_EQ(GetPathOfFile(dir, "C:\\Orvelin\\Daten\\aufgabe.fud", name), dir);
    EXPECT_STREQ(dir, "C:\\Orvelin\\Daten");
    EXPECT_STREQ(name, "aufgabe.fud");
    EXPECT_STREQ(GetPathOfFile(dir, "/home/anna/.local/share/orvelin/orvltrn.ini", name),
                 "/home/anna/.local/share/orvelin");
    EXPECT_STREQ(name, "orvltrn.ini");
    // Mixed separators: the last of either counts.
    EXPECT_STREQ(GetPathOfFile(dir, "C:\\a/b\\c/d.stc", name), "C:\\a/b\\c");
    EXPECT_STREQ(name, "d.stc");
    EXPECT_STREQ(GetPathOfFile(dir, "/a\\b/c.rec", name), "/a\\b");
    EXPECT_STREQ(name, "c.rec");
    // A folder name ends in a separator: the name is empty.
    EXPECT_STREQ(GetPathOfFile(dir, "daten/", name), "daten");
    EXPECT_STREQ(name, "");
    EXPECT_STREQ(GetPathOfFile(dir, "/x.gls", name), "");
    EXPECT_STREQ(name, "x.gls");
    // Without a name buffer only the directory is given.
    EXPECT_STREQ(GetPathOfFile(dir, "p/q/r", nullptr), "p/q");
}

TEST(GetPathOfFile, BareFileName) {
    char dir[16] = "keep";
    char name[16] = "";
    const char* result = GetPathOfFile(dir, "aufgabe.fud", name);
    EXPECT_STREQ(result, "");
    EXPECT_NE(result, dir);
    EXPECT_STREQ(dir, "keep");
    EXPECT_STREQ(name, "aufgabe.fud");
    EXPECT_STREQ(GetPathOfFile(dir, nullptr, name), "");
    EXPECT_STREQ(name, "");
    EXPECT_STREQ(dir, "keep");
}

TEST(GetPathOfFile, BuffersMayBeThePathItself) {
    char path[32] = "a/bc/def.ini";
    char name[32] = "";
    EXPECT_STREQ(GetPathOfFile(path, path, name), "a/bc");
    EXPECT_STREQ(name, "def.ini");
    char other[32] = "dir\\file.txt";
    char dir[32] = "";
    GetPathOfFile(dir, other, other);
    EXPECT_STREQ(dir, "dir");
    EXPECT_STREQ(other, "file.txt");
}

TEST(GetPathOfStartupFile, TakesThePartAfterTheLastBlank) {
    char target[64] = "unchanged";
    EXPECT_EQ(GetPathOfStartupFile(target, "ORVLFUDI.EXE C:\\Daten\\kurve.fud"), target);
    EXPECT_STREQ(target, "C:\\Daten\\kurve.fud");
    EXPECT_STREQ(GetPathOfStartupFile(target, "prog  a b.stc"), "b.stc");
    // A trailing blank leaves an empty text in the target.
    EXPECT_STREQ(GetPathOfStartupFile(target, "prog "), "");
    EXPECT_STREQ(target, "");
    char same[32] = "prog /tmp/x.rec";
    EXPECT_STREQ(GetPathOfStartupFile(same, same), "/tmp/x.rec");
}

TEST(GetPathOfStartupFile, WithoutABlank) {
    char target[16] = "keep";
    const char* result = GetPathOfStartupFile(target, "/tmp/kurve.fud");
    EXPECT_STREQ(result, "");
    EXPECT_NE(result, target);
    EXPECT_STREQ(target, "keep");
    EXPECT_STREQ(GetPathOfStartupFile(target, ""), "");
    EXPECT_STREQ(GetPathOfStartupFile(target, nullptr), "");
    EXPECT_STREQ(target, "keep");
}

class SettingsFile : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/orvlsettingsXXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir = pattern;
        ASSERT_NE(getcwd(old, sizeof old), nullptr);
        ASSERT_EQ(chdir(dir.c_str()), 0);
    }
    void TearDown() override {
        ASSERT_EQ(chdir(old), 0);
        std::system(("rm -rf '" + dir + "'").c_str());
    }
    static std::string Slurp(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }
    std::string dir;
    char old[4096] = "";
};

TEST_F(SettingsFile, WritesAreReadBackAtOnce) {
    EXPECT_TRUE(CorrWritePrivateProfileString("Bildkoordinaten", "Zoom", "J", "frame.ini", 0));
    char buf[8] = "";
    GetPrivateProfileString("Bildkoordinaten", "Zoom", "N", buf, sizeof buf, "frame.ini");
    EXPECT_STREQ(buf, "J");
    EXPECT_TRUE(CorrWritePrivateProfileString("Bildkoordinaten", "Zoom", nullptr, "frame.ini", 1));
    GetPrivateProfileString("Bildkoordinaten", "Zoom", "N", buf, sizeof buf, "frame.ini");
    EXPECT_STREQ(buf, "N");
    // A failed write says so.
    EXPECT_FALSE(CorrWritePrivateProfileString("A", "b", "c", "missing/frame.ini", 0));
}

TEST_F(SettingsFile, ResetCounterKeepsTheRestOfTheFile) {
    {
        std::ofstream out("frame.ini", std::ios::binary);
        out << "[Bildkoordinaten]\r\nx=10\r\n[Programm]\r\nz\xC4HLER=3\r\nWhichIniB=N\r\n";
    }
    EXPECT_TRUE(ResetCounterInIni("frame.ini"));
    EXPECT_EQ(Slurp(dir + "/frame.ini"),
              "[Bildkoordinaten]\r\nx=10\r\n[Programm]\r\nz\xC4HLER=0\r\nWhichIniB=N\r\n");
}

TEST_F(SettingsFile, ResetCounterCreatesTheKey) {
    // The key is written as the Windows program writes it: "Zähler" with the byte E4.
    EXPECT_TRUE(ResetCounterInIni("new.ini"));
    EXPECT_EQ(Slurp(dir + "/new.ini"), "[Programm]\r\nZ\xE4hler=0\r\n");
    EXPECT_EQ(GetPrivateProfileInt("Programm", "Zähler", 5, "new.ini"), 0u);
    EXPECT_FALSE(ResetCounterInIni(nullptr));
}

} // namespace
