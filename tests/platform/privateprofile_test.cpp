#include "privateprofile.h"
#include "testfiles.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

class PrivateProfile : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/orvlprofileXXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir = pattern;
        file = dir + "/test.ini";
    }
    void TearDown() override {
        chmod(dir.c_str(), 0700);
        std::system(("rm -rf '" + dir + "'").c_str());
    }

    static void Put(const std::string& path, const std::string& bytes) { PutBytes(path, bytes); }
    static std::string Slurp(const std::string& path) { return FileBytes(path); }
    std::string Get(const char* section, const char* key, const char* def = "#",
                    const std::string& path = "") const {
        char buf[256];
        GetPrivateProfileString(section, key, def, buf, sizeof buf,
                                (path.empty() ? file : path).c_str());
        return buf;
    }
    // A list as "a|b|c" (and the number of characters the call reported).
    std::string List(const char* section, unsigned& count) const {
        char buf[256];
        count = GetPrivateProfileString(section, nullptr, "", buf, sizeof buf, file.c_str());
        std::string joined;
        for (const char* p = buf; *p; p += std::strlen(p) + 1) {
            if (!joined.empty()) joined += '|';
            joined += p;
        }
        return joined;
    }
    std::vector<std::string> Entries() const { return DirEntries(dir); }
    bool Write(const char* s, const char* k, const char* v) const {
        return WritePrivateProfileString(s, k, v, file.c_str());
    }

    std::string dir, file;
};

// Runs `body` in a child process without root's privileges (root ignores file permissions), and
// returns what it returned.
bool RunUnprivileged(const std::function<bool()>& body) {
    const pid_t pid = fork();
    if (pid == 0) {
        if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) _exit(3);
        _exit(body() ? 1 : 0);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    EXPECT_TRUE(WIFEXITED(status));
    EXPECT_NE(WEXITSTATUS(status), 3) << "could not drop privileges";
    return WEXITSTATUS(status) == 1;
}

TEST_F(PrivateProfile, FindsSectionsAndKeysWithoutRegardToCase) {
    // "ä"/"Ä" and "Ö"/"ö" are the single Windows-1252 bytes E4/C4 and D6/F6.
    Put(file, "[Programm]\r\nZ\xE4hler=3\r\n[Gr\xD6\xDF"
              "e]\r\nBreite=7\r\n"
              "[\xC4nderung]\r\nWert=x\r\n");
    EXPECT_EQ(Get("Programm", "Z\xE4hler"), "3");
    EXPECT_EQ(Get("PROGRAMM", "z\xC4HLER"), "3");
    EXPECT_EQ(Get("gr\xF6\xDF"
                  "e",
                  "BREITE"),
              "7");
    EXPECT_EQ(Get("\xE4nderung", "wert"), "x");
    EXPECT_EQ(Get("\xC4nderung", "Wert"), "x");
    // Different letters stay different: "a" is not "ä", "×" (D7) is not "÷" (F7).
    EXPECT_EQ(Get("Programm", "Zahler"), "#");
    Put(file, "[\xD7]\r\nk=1\r\n");
    EXPECT_EQ(Get("\xF7", "k"), "#");
    EXPECT_EQ(Get("\xD7", "k"), "1");
}

TEST_F(PrivateProfile, TrimsBlanksAndOnePairOfQuotes) {
    Put(file, "  [ Sec ]  \r\n"
              "  key  =  some value \t\r\n"
              "dq=\"  quoted  \"\r\n"
              "sq='x'\r\n"
              "mixed=\"x'\r\n"
              "double=\"\"a\"\"\r\n"
              "lone=\"\r\n"
              "empty=\r\n"
              "bare\r\n"
              "eq=a=b\r\n"
              ";note=hidden\r\n");
    EXPECT_EQ(Get("Sec", "key"), "some value");
    EXPECT_EQ(Get(" sec ", " KEY "), "some value");
    EXPECT_EQ(Get("Sec", "dq"), "  quoted  ");
    EXPECT_EQ(Get("Sec", "sq"), "x");
    EXPECT_EQ(Get("Sec", "mixed"), "\"x'");
    EXPECT_EQ(Get("Sec", "double"), "\"a\"");
    EXPECT_EQ(Get("Sec", "lone"), "\"");
    EXPECT_EQ(Get("Sec", "empty"), "");
    EXPECT_EQ(Get("Sec", "bare"), "");
    EXPECT_EQ(Get("Sec", "eq"), "a=b");
    EXPECT_EQ(Get("Sec", ";note"), "#");
}

TEST_F(PrivateProfile, DefaultsForMissingFileSectionAndKey) {
    EXPECT_EQ(Get("A", "b", "dflt"), "dflt");
    char buf[8] = "xxxxxxx";
    EXPECT_EQ(GetPrivateProfileString("A", "b", nullptr, buf, sizeof buf, file.c_str()), 0u);
    EXPECT_STREQ(buf, "");
    EXPECT_EQ(Get("A", "b", "N  "), "N"); // trailing blanks of a default are dropped
    Put(file, "[A]\r\nb=1\r\n");
    EXPECT_EQ(Get("B", "b", "d"), "d");
    EXPECT_EQ(Get("A", "c", "d"), "d");
    EXPECT_EQ(Get("A", "b", "d"), "1");
    // Keys before the first section belong to no section.
    Put(file, "b=early\r\n[A]\r\n");
    EXPECT_EQ(Get("A", "b", "d"), "d");
    // The first of two equal sections and keys counts.
    Put(file, "[A]\r\nb=1\r\nb=2\r\n[a]\r\nb=3\r\nc=4\r\n");
    EXPECT_EQ(Get("A", "b"), "1");
    EXPECT_EQ(Get("A", "c"), "#");
}

TEST_F(PrivateProfile, TruncatesToTheReadSize) {
    Put(file, "[A]\r\nv=abcdef\r\n");
    char buf[8] = "zzzzzzz";
    EXPECT_EQ(GetPrivateProfileString("A", "v", "", buf, 4, file.c_str()), 3u);
    EXPECT_STREQ(buf, "abc");
    EXPECT_EQ(buf[4], 'z');
    EXPECT_EQ(GetPrivateProfileString("A", "v", "", buf, 7, file.c_str()), 6u);
    EXPECT_STREQ(buf, "abcdef");
    EXPECT_EQ(GetPrivateProfileString("A", "v", "", buf, 1, file.c_str()), 0u);
    EXPECT_EQ(buf[0], '\0');
    EXPECT_EQ(buf[1], 'b');
    buf[0] = 'q';
    EXPECT_EQ(GetPrivateProfileString("A", "v", "", buf, 0, file.c_str()), 0u);
    EXPECT_EQ(buf[0], 'q');
    EXPECT_EQ(GetPrivateProfileString("A", "missing", "defaults", buf, 5, file.c_str()), 4u);
    EXPECT_STREQ(buf, "defa");
}

TEST_F(PrivateProfile, ListsSectionsAndKeys) {
    Put(file, "top=1\r\n[One]\r\na=1\r\n;c=comment\r\nB = 2\r\n\r\n[Two]\r\n[one]\r\nA=9\r\n"
              "x=3\r\n");
    unsigned n = 0;
    EXPECT_EQ(List(nullptr, n), "One|Two");
    EXPECT_EQ(n, 8u); // "One\0Two\0"
    EXPECT_EQ(List("ONE", n), "a|B");
    EXPECT_EQ(n, 4u);
    EXPECT_EQ(List("Two", n), "");
    EXPECT_EQ(n, 0u);
    EXPECT_EQ(List("none", n), "");
    EXPECT_EQ(n, 0u);

    // Exactly fitting: both names, their zeros and the final zero.
    char buf[16];
    std::memset(buf, 'z', sizeof buf);
    EXPECT_EQ(GetPrivateProfileString(nullptr, nullptr, "", buf, 9, file.c_str()), 8u);
    EXPECT_EQ(std::string(buf, 9), std::string("One\0Two\0\0", 9));
    EXPECT_EQ(buf[9], 'z');

    // One short: the last name is cut and the list ends in two zeros.
    std::memset(buf, 'z', sizeof buf);
    EXPECT_EQ(GetPrivateProfileString(nullptr, nullptr, "", buf, 8, file.c_str()), 6u);
    EXPECT_EQ(std::string(buf, 8), std::string("One\0Tw\0\0", 8));
    std::memset(buf, 'z', sizeof buf);
    EXPECT_EQ(GetPrivateProfileString(nullptr, nullptr, "", buf, 5, file.c_str()), 3u);
    EXPECT_EQ(std::string(buf, 5), std::string("One\0\0", 5));
    std::memset(buf, 'z', sizeof buf);
    EXPECT_EQ(GetPrivateProfileString("One", nullptr, "", buf, 3, file.c_str()), 1u);
    EXPECT_EQ(std::string(buf, 3), std::string("a\0\0", 3));
    std::memset(buf, 'z', sizeof buf);
    EXPECT_EQ(GetPrivateProfileString(nullptr, nullptr, "", buf, 2, file.c_str()), 0u);
    EXPECT_EQ(std::string(buf, 2), std::string("\0\0", 2));
    // An empty list is two zeros; a missing file lists nothing.
    std::memset(buf, 'z', sizeof buf);
    EXPECT_EQ(GetPrivateProfileString("Two", nullptr, "", buf, sizeof buf, file.c_str()), 0u);
    EXPECT_EQ(std::string(buf, 2), std::string("\0\0", 2));
    EXPECT_EQ(
        GetPrivateProfileString(nullptr, nullptr, "", buf, sizeof buf, (dir + "/none.ini").c_str()),
        0u);
}

TEST_F(PrivateProfile, ReadsCrLfCrAndLfFilesAlike) {
    for (const std::string eol : {"\r\n", "\r", "\n"}) {
        SCOPED_TRACE(eol == "\r" ? "CR" : eol == "\n" ? "LF" : "CRLF");
        Put(file, "[A]" + eol + "a=1" + eol + eol + "[B]" + eol + "b= 2 " + eol + "c=3");
        EXPECT_EQ(Get("A", "a"), "1");
        EXPECT_EQ(Get("B", "b"), "2");
        EXPECT_EQ(Get("B", "c"), "3");
        unsigned n = 0;
        EXPECT_EQ(List(nullptr, n), "A|B");
        EXPECT_EQ(List("B", n), "b|c");
    }
}

TEST_F(PrivateProfile, ReadsNumbersAsWindowsDoes) {
    Put(file, "[N]\r\na=42\r\nb=-7\r\nc=+5\r\nd=12abc\r\ne=abc\r\nf=\r\ng= 0x10\r\n"
              "h=99999999999\r\n");
    EXPECT_EQ(GetPrivateProfileInt("N", "a", 9, file.c_str()), 42u);
    EXPECT_EQ(static_cast<int>(GetPrivateProfileInt("N", "b", 9, file.c_str())), -7);
    EXPECT_EQ(GetPrivateProfileInt("N", "c", 9, file.c_str()), 5u);
    EXPECT_EQ(GetPrivateProfileInt("N", "d", 9, file.c_str()), 12u);
    EXPECT_EQ(GetPrivateProfileInt("N", "e", 9, file.c_str()), 0u);
    EXPECT_EQ(GetPrivateProfileInt("N", "f", 9, file.c_str()), 9u);
    EXPECT_EQ(GetPrivateProfileInt("N", "g", 9, file.c_str()), 0u);
    EXPECT_EQ(GetPrivateProfileInt("N", "h", 9, file.c_str()), 2147483647u);
    EXPECT_EQ(static_cast<int>(GetPrivateProfileInt("N", "missing", -3, file.c_str())), -3);
    EXPECT_EQ(GetPrivateProfileInt("Other", "a", 11, file.c_str()), 11u);
}

TEST_F(PrivateProfile, WritesNewFilesWithCrLf) {
    EXPECT_TRUE(Write("Programm", "Z\xE4hler", "1"));
    EXPECT_EQ(Slurp(file), "[Programm]\r\nZ\xE4hler=1\r\n");
    EXPECT_TRUE(Write("Programm", "z\xC4hler", "2"));
    EXPECT_TRUE(Write("Bildkoordinaten", "x", "10"));
    EXPECT_TRUE(Write("Programm", "OrvlFuDi", "J"));
    // A new section follows the last line directly, as on Windows.
    EXPECT_EQ(Slurp(file), "[Programm]\r\nZ\xE4hler=2\r\nOrvlFuDi=J\r\n"
                           "[Bildkoordinaten]\r\nx=10\r\n");
    EXPECT_EQ(Get("PROGRAMM", "Z\xE4HLER"), "2");
    // Values are bytes: every Windows-1252 character comes back unchanged.
    std::string all;
    for (int c = 0x20; c < 0x100; ++c) all += static_cast<char>(c);
    EXPECT_TRUE(Write("Bytes", "all", all.c_str()));
    char buf[512];
    EXPECT_EQ(GetPrivateProfileString("Bytes", "all", "", buf, sizeof buf, file.c_str()),
              all.size() - 1); // the leading blank is trimmed
    EXPECT_EQ(std::string(buf), all.substr(1));
}

TEST_F(PrivateProfile, ReplacesValuesInPlace) {
    Put(file, "; kept\n[Sec]\n  Key = 1\nOther=2\n[Next]\nKey=5");
    // The unfinished last line is completed with CR LF by any write, as on Windows.
    EXPECT_TRUE(Write("SEC", "KEY", "3"));
    EXPECT_EQ(Slurp(file), "; kept\n[Sec]\nKey=3\nOther=2\n[Next]\nKey=5\r\n");
    EXPECT_TRUE(Write("next", "key", "6"));
    EXPECT_EQ(Slurp(file), "; kept\n[Sec]\nKey=3\nOther=2\n[Next]\nKey=6\r\n");
}

TEST_F(PrivateProfile, AppendsNewKeysToTheirSection) {
    Put(file, "[A]\r\na=1\r\n\r\n\r\n[B]\r\nb=2\r\n");
    EXPECT_TRUE(Write("a", "c", "3"));
    EXPECT_EQ(Slurp(file), "[A]\r\na=1\r\nc=3\r\n\r\n\r\n[B]\r\nb=2\r\n");
    // The last section of a file without a final line end.
    Put(file, "[A]\na=1");
    EXPECT_TRUE(Write("A", "c", "3"));
    EXPECT_EQ(Slurp(file), "[A]\na=1\r\nc=3\r\n");
    // An empty section, and a section that is the last line.
    Put(file, "[A]\n\n[B]");
    EXPECT_TRUE(Write("A", "a", "1"));
    EXPECT_TRUE(Write("B", "b", "2"));
    EXPECT_EQ(Slurp(file), "[A]\na=1\r\n\n[B]\r\nb=2\r\n");
    // A new section after a file ending without a line end, and after a blank line: no blank
    // line is put between.
    Put(file, "[A]\ra=1");
    EXPECT_TRUE(Write("C", "c", "3"));
    EXPECT_EQ(Slurp(file), "[A]\ra=1\r\n[C]\r\nc=3\r\n");
    Put(file, "[A]\ra=1\r\r");
    EXPECT_TRUE(Write("C", "c", "3"));
    EXPECT_EQ(Slurp(file), "[A]\ra=1\r\r[C]\r\nc=3\r\n");
}

TEST_F(PrivateProfile, CrOnlyFileKeepsItsLineEnds) {
    Put(file, "[Funktion]\rf(x,y,z,u,v,w)=x^2\r[Variablen]\rx=1\r");
    EXPECT_TRUE(Write("Funktion", "f(x,y,z,u,v,w)", "sin(x)"));
    EXPECT_TRUE(Write("Variablen", "y", "2"));
    EXPECT_EQ(Slurp(file), "[Funktion]\rf(x,y,z,u,v,w)=sin(x)\r[Variablen]\rx=1\ry=2\r\n");
    EXPECT_EQ(Get("Variablen", "y"), "2");
    EXPECT_EQ(Get("Funktion", "f(x,y,z,u,v,w)"), "sin(x)");
}

TEST_F(PrivateProfile, DeletesKeysAndSections) {
    const std::string text = "[A]\r\na=1\r\nb=2\r\n\r\n[B]\r\nb=3\r\n[a]\r\nb=4\r\n";
    Put(file, text);
    // Deleting what is not there changes nothing.
    EXPECT_TRUE(Write("A", "zz", nullptr));
    EXPECT_TRUE(Write("ZZ", nullptr, nullptr));
    EXPECT_EQ(Slurp(file), text);
    EXPECT_TRUE(Write("a", "B", nullptr));
    EXPECT_EQ(Slurp(file), "[A]\r\na=1\r\n\r\n[B]\r\nb=3\r\n[a]\r\n");
    EXPECT_TRUE(Write("A", nullptr, nullptr));
    EXPECT_EQ(Slurp(file), "[B]\r\nb=3\r\n");
    unsigned n = 0;
    EXPECT_EQ(List(nullptr, n), "B");
    // Deleting from a missing file does not create it.
    const std::string none = dir + "/none.ini";
    EXPECT_TRUE(WritePrivateProfileString("A", "b", nullptr, none.c_str()));
    EXPECT_TRUE(WritePrivateProfileString("A", nullptr, nullptr, none.c_str()));
    EXPECT_NE(access(none.c_str(), F_OK), 0);
    // The flush request.
    EXPECT_TRUE(WritePrivateProfileString(nullptr, nullptr, nullptr, file.c_str()));
    EXPECT_FALSE(WritePrivateProfileString(nullptr, "k", "v", file.c_str()));
}

TEST_F(PrivateProfile, RefusesTextsThatWouldBreakTheFile) {
    const std::string text = "[A]\r\na=1\r\n";
    Put(file, text);
    EXPECT_FALSE(Write("A", "a", "1\r\n[B]"));
    EXPECT_FALSE(Write("A", "a", "1\rb=2"));
    EXPECT_FALSE(Write("A", "k=v", "1"));
    EXPECT_FALSE(Write("A", "[B]", "1"));
    EXPECT_FALSE(Write("A", ";c", "1"));
    EXPECT_FALSE(Write("A", " ", "1"));
    EXPECT_FALSE(Write("A]x", "a", "1"));
    EXPECT_FALSE(Write("", "a", "1"));
    EXPECT_FALSE(Write("A\n", "a", "1"));
    EXPECT_FALSE(WritePrivateProfileString("A", "a", "1", nullptr));
    EXPECT_EQ(Slurp(file), text);
    EXPECT_EQ(Get("A", "b"), "#");
}

TEST_F(PrivateProfile, WritesReplaceTheFileAtomically) {
    Put(file, "[A]\r\na=1\r\n");
    chmod(file.c_str(), 0640);
    EXPECT_TRUE(Write("A", "b", "2"));
    struct stat st {};
    ASSERT_EQ(stat(file.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
    EXPECT_EQ(Entries(), std::vector<std::string>{"test.ini"}); // no temporary file left

    // A read-only directory: the write fails and the file stays as it was.
    const std::string before = Slurp(file);
    chmod(file.c_str(), 0644);
    chmod(dir.c_str(), 0555);
    const std::string path = file;
    EXPECT_FALSE(
        RunUnprivileged([&] { return WritePrivateProfileString("A", "a", "9", path.c_str()); }));
    EXPECT_FALSE(
        RunUnprivileged([&] { return WritePrivateProfileString("New", "k", "v", path.c_str()); }));
    chmod(dir.c_str(), 0700);
    EXPECT_EQ(Slurp(file), before);
    EXPECT_EQ(Entries(), std::vector<std::string>{"test.ini"});

    // A read-only file stays unchanged even where the directory is writable.
    chmod(dir.c_str(), 0777);
    chmod(file.c_str(), 0444);
    if (geteuid() == 0) {
        ASSERT_EQ(chown(file.c_str(), 65534, 65534), 0);
    }
    EXPECT_FALSE(
        RunUnprivileged([&] { return WritePrivateProfileString("A", "a", "9", path.c_str()); }));
    chmod(dir.c_str(), 0700);
    EXPECT_EQ(Slurp(file), before);
}

TEST_F(PrivateProfile, FailedWritesLeaveEverythingAlone) {
    // The directory of the file does not exist, or is a file.
    EXPECT_FALSE(WritePrivateProfileString("A", "a", "1", (dir + "/no/x.ini").c_str()));
    Put(dir + "/plain", "data");
    EXPECT_FALSE(WritePrivateProfileString("A", "a", "1", (dir + "/plain/x.ini").c_str()));
    // The "file" is a directory.
    ASSERT_EQ(mkdir((dir + "/sub.ini").c_str(), 0700), 0);
    EXPECT_FALSE(WritePrivateProfileString("A", "a", "1", (dir + "/sub.ini").c_str()));
    EXPECT_EQ(Get("A", "a", "d", dir + "/sub.ini"), "d");
    // A file that exists but cannot be read is not overwritten with a fresh one.
    Put(file, "[A]\r\nold=1\r\n");
    chmod(file.c_str(), 0200);
    if (geteuid() == 0) {
        ASSERT_EQ(chown(file.c_str(), 65534, 65534), 0);
    }
    chmod(dir.c_str(), 0777);
    const std::string path = file;
    EXPECT_FALSE(
        RunUnprivileged([&] { return WritePrivateProfileString("A", "a", "9", path.c_str()); }));
    chmod(file.c_str(), 0644);
    EXPECT_EQ(Slurp(file), "[A]\r\nold=1\r\n");
}

TEST_F(PrivateProfile, SeveralWritesReplaceTheFileOnceOrNotAtAll) {
    Put(file, "; kept\r\n[A]\r\na=1\r\nold=x\r\n[B]\r\nb=2\r\n");
    // In order, each as a single write would do it: replace, append, delete, new section.
    EXPECT_TRUE(WritePrivateProfileStrings(file.c_str(), {{"a", "A", "9"},
                                                          {"A", "c", "3"},
                                                          {"A", "old", nullptr},
                                                          {"C", "k", "v"},
                                                          {"C", "k", "w"},
                                                          {"B", nullptr, nullptr}}));
    // (The file's spelling of a key stays; deleting [B] takes its blank line along.)
    EXPECT_EQ(Slurp(file), "; kept\r\n[A]\r\na=9\r\nc=3\r\n[C]\r\nk=w\r\n");
    EXPECT_EQ(Entries(), std::vector<std::string>{"test.ini"});
    // One refused write anywhere in the list: nothing of the list is written.
    const std::string before = Slurp(file);
    EXPECT_FALSE(WritePrivateProfileStrings(file.c_str(), {{"A", "a", "1"}, {"A", "k=y", "2"}}));
    EXPECT_FALSE(WritePrivateProfileStrings(file.c_str(), {{"A", "a", "1"}, {"A", "k", "a\nb"}}));
    EXPECT_FALSE(WritePrivateProfileStrings(file.c_str(), {{"A", "a", "1"}, {nullptr, "k", "v"}}));
    EXPECT_EQ(Slurp(file), before);
    // A new file in a directory that does not exist.
    EXPECT_FALSE(WritePrivateProfileStrings((dir + "/no/x.ini").c_str(), {{"A", "a", "1"}}));
    EXPECT_EQ(Entries(), std::vector<std::string>{"test.ini"});
    // Only deletions that find nothing: the file is not touched.
    struct stat st {};
    ASSERT_EQ(stat(file.c_str(), &st), 0);
    const ino_t inode = st.st_ino;
    EXPECT_TRUE(
        WritePrivateProfileStrings(file.c_str(), {{"Z", "z", nullptr}, {"Y", nullptr, nullptr}}));
    ASSERT_EQ(stat(file.c_str(), &st), 0);
    EXPECT_EQ(st.st_ino, inode);
}

TEST_F(PrivateProfile, RelativeNamesAreRelativeToTheCurrentDirectory) {
    char old[4096];
    ASSERT_NE(getcwd(old, sizeof old), nullptr);
    ASSERT_EQ(chdir(dir.c_str()), 0);
    const bool wrote = WritePrivateProfileString("A", "a", "1", "rel.ini");
    char buf[8] = "";
    GetPrivateProfileString("A", "a", "", buf, sizeof buf, "rel.ini");
    ASSERT_EQ(chdir(old), 0);
    EXPECT_TRUE(wrote);
    EXPECT_STREQ(buf, "1");
    EXPECT_EQ(Slurp(dir + "/rel.ini"), "[A]\r\na=1\r\n");
}

} // namespace
