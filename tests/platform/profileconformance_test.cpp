// The private-profile functions against behaviour recorded on Windows, the reading of files that
// editors wrote as UTF-8, and several keys written with one replacement of the file.
#include "filesys.h"
#include "privateprofile.h"
#include "testfiles.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {

class ProfileConformance : public ::testing::Test {
protected:
    void SetUp() override {
        dir = MakeTestDir("orvlconform");
        ASSERT_FALSE(dir.empty());
        file = dir + "/test.ini";
    }
    void TearDown() override {
        SetWriteFault(nullptr);
        RemoveTestDir(dir);
    }
    void Put(const std::string& bytes) const { PutBytes(file, bytes); }
    std::string Slurp() const { return FileBytes(file); }
    std::string Get(const char* section, const char* key, const char* def = "#") const {
        char buf[256];
        GetPrivateProfileString(section, key, def, buf, sizeof buf, file.c_str());
        return buf;
    }
    std::string List(const char* section) const {
        char buf[256];
        GetPrivateProfileString(section, nullptr, "", buf, sizeof buf, file.c_str());
        std::string joined;
        for (const char* p = buf; *p; p += std::strlen(p) + 1) joined += std::string(p) + "|";
        return joined;
    }
    bool Write(const char* s, const char* k, const char* v) const {
        return WritePrivateProfileString(s, k, v, file.c_str());
    }
    // Counts the replacements of files while `body` runs.
    template <class F> int Replacements(F body) {
        int renames = 0;
        SetWriteFault([&](TWriteStep step, size_t&) {
            if (step == TWriteStep::Rename) ++renames;
            return 0;
        });
        body();
        SetWriteFault(nullptr);
        return renames;
    }

    std::string dir, file;
};

TEST_F(ProfileConformance, ListingKeysSkipsLinesWithoutEquals) {
    Put("[S]\r\na=1\r\nbare\r\n;c=2\r\nb=\r\n  spaced  \r\n[T]\r\n");
    EXPECT_EQ(List("S"), "a|b|");
    // Reading such a line by its name still finds it, with an empty value.
    EXPECT_EQ(Get("S", "bare"), "");
}

TEST_F(ProfileConformance, WritesCompleteALastLineWithoutLineEnd) {
    // Wherever the write goes, the unfinished last line gets its CR LF first.
    Put("[A]\r\na=1\r\n[B]\r\nb=2");
    EXPECT_TRUE(Write("A", "c", "3"));
    EXPECT_EQ(Slurp(), "[A]\r\na=1\r\nc=3\r\n[B]\r\nb=2\r\n");
    Put("[A]\r\na=1");
    EXPECT_TRUE(Write("A", "a", "2"));
    EXPECT_EQ(Slurp(), "[A]\r\na=2\r\n");
    Put("[A]\r\na=1\r\nb=2");
    EXPECT_TRUE(Write("A", "a", nullptr));
    EXPECT_EQ(Slurp(), "[A]\r\nb=2\r\n");
    // A write that changes nothing does not touch the file.
    Put("[A]\r\na=1");
    EXPECT_TRUE(Write("A", "a", "1"));
    EXPECT_EQ(Slurp(), "[A]\r\na=1");
}

TEST_F(ProfileConformance, NamesAreTrimmedOfBlanksButNotOfTabs) {
    Put("[ S ]\r\n  k  = 1\r\n\tt=2\r\n[\tU\t]\r\nu=3\r\n");
    EXPECT_EQ(Get("S", "k"), "1");
    EXPECT_EQ(Get("  S  ", "  k  "), "1");
    EXPECT_EQ(Get("S", "t"), "#");
    EXPECT_EQ(Get("S", "\tt"), "2");
    EXPECT_EQ(Get("U", "u"), "#");
    EXPECT_EQ(Get("\tU\t", "u"), "3");
    EXPECT_EQ(List("S"), "k|\tt|");
    // Written names lose their blanks and keep their tabs.
    EXPECT_TRUE(Write(" New ", " key ", "v"));
    EXPECT_TRUE(Write("\tTab", "\tkey", "w"));
    EXPECT_EQ(Slurp(), "[ S ]\r\n  k  = 1\r\n\tt=2\r\n[\tU\t]\r\nu=3\r\n[New]\r\nkey=v\r\n"
                       "[\tTab]\r\n\tkey=w\r\n");
}

TEST_F(ProfileConformance, AHeaderWithoutClosingBracketOpensItsSection) {
    Put("[Open\r\na=1\r\n[Next]\r\nb=2\r\n");
    EXPECT_EQ(Get("Open", "a"), "1");
    EXPECT_EQ(List(nullptr), "Open|Next|");
    EXPECT_TRUE(Write("Open", "c", "3"));
    EXPECT_EQ(Slurp(), "[Open\r\na=1\r\nc=3\r\n[Next]\r\nb=2\r\n");
}

TEST_F(ProfileConformance, DeletingASectionKeepsItsComments) {
    Put(";about A\r\n[A]\r\n;inside\r\na=1\r\n\r\n;before B\r\n[B]\r\nb=2\r\n");
    EXPECT_TRUE(Write("A", nullptr, nullptr));
    EXPECT_EQ(Slurp(), ";about A\r\n;inside\r\n;before B\r\n[B]\r\nb=2\r\n");
    EXPECT_EQ(List(nullptr), "B|");
}

TEST_F(ProfileConformance, SectionsAreAppendedWithoutABlankLine) {
    EXPECT_TRUE(Write("A", "a", "1"));
    EXPECT_TRUE(Write("B", "b", "2"));
    Put(Slurp() + "\r\n");
    EXPECT_TRUE(Write("C", "c", "3"));
    EXPECT_EQ(Slurp(), "[A]\r\na=1\r\n[B]\r\nb=2\r\n\r\n[C]\r\nc=3\r\n");
}

TEST_F(ProfileConformance, AValueDifferingOnlyInCaseIsRewritten) {
    Put("[A]\r\nk=Wert\r\n");
    EXPECT_EQ(Replacements([&] { EXPECT_TRUE(Write("A", "k", "Wert")); }), 0);
    EXPECT_EQ(Replacements([&] { EXPECT_TRUE(Write("a", "K", "WERT")); }), 1);
    EXPECT_EQ(Slurp(), "[A]\r\nk=WERT\r\n");
    EXPECT_EQ(Get("A", "k"), "WERT");
}

TEST_F(ProfileConformance, RefusedWritesStayRefused) {
    // Each would write a file that reads back differently.
    Put("[A]\r\na=1\r\n");
    EXPECT_FALSE(Write("A", "k=v", "1"));
    EXPECT_FALSE(Write("A]", "k", "1"));
    EXPECT_FALSE(Write("", "k", "1"));
    EXPECT_FALSE(Write("  ", "k", "1"));
    EXPECT_EQ(Slurp(), "[A]\r\na=1\r\n");
}

TEST_F(ProfileConformance, Utf8FilesOfEditorsAreReadAsWindows1252) {
    // "Fläche" with and without the UTF-8 mark, and as Windows-1252 bytes.
    for (const std::string mark : {"\xEF\xBB\xBF", ""}) {
        Put(mark + "[Funktion]\nf=Fl\xC3\xA4"
                   "che \xE2\x82\xAC\n");
        EXPECT_EQ(Get("Funktion", "f"), "Fl\xE4"
                                        "che \x80");
    }
    Put("[Funktion]\r\nf=Fl\xE4"
        "che\r\n");
    EXPECT_EQ(Get("Funktion", "f"), "Fl\xE4"
                                    "che");
    // A write into a UTF-8 file leaves Windows-1252 with the file's other lines converted.
    Put("\xEF\xBB\xBF[A]\r\nt=\xC3\x9C\r\n");
    EXPECT_TRUE(Write("A", "u", "\xDC"));
    EXPECT_EQ(Slurp(), "[A]\r\nt=\xDC\r\nu=\xDC\r\n");
}

TEST_F(ProfileConformance, CharactersWithoutWindows1252FormAreReportedByLine) {
    // Line 3 holds a Greek omega, line 4 a Chinese character.
    Put("[A]\nok=\xC3\xA4\nw=\xCE\xA9mega\nz=\xE4\xB8\xAD\n");
    TPrivateProfile prof;
    ASSERT_TRUE(prof.Load(file.c_str()));
    EXPECT_EQ(prof.GetString("A", "w", "", 20), "?mega");
    EXPECT_EQ(prof.LossyLines(), (std::vector<int>{3, 4}));
    const std::string warning = prof.EncodingWarning();
    EXPECT_EQ(warning.rfind("Datei:\r ", 0), 0u);
    EXPECT_NE(warning.find("Zeilen 3, 4"), std::string::npos) << warning;
    // Writing would lose them: the file is left as it is.
    const std::string before = Slurp();
    EXPECT_TRUE(prof.WriteString("A", "n", "1"));
    EXPECT_FALSE(prof.Save());
    EXPECT_NE(prof.Error().find("Zeile 3"), std::string::npos);
    EXPECT_EQ(Slurp(), before);
    // A Windows-1252 file has nothing to report.
    Put("[A]\r\nok=\xE4\r\n");
    ASSERT_TRUE(prof.Load(file.c_str()));
    EXPECT_EQ(prof.EncodingWarning(), "");
}

TEST_F(ProfileConformance, SeveralKeysAreWrittenWithOneReplacement) {
    Put("[Programm]\r\nOrvlRech=J\r\n");
    TPrivateProfile prof;
    ASSERT_TRUE(prof.Load(file.c_str()));
    EXPECT_TRUE(prof.WriteString("Funktion", "f", "x^2"));
    EXPECT_TRUE(prof.WriteString("Variablen", "x", "1"));
    EXPECT_TRUE(prof.WriteString("Variablen", "y", "2"));
    EXPECT_EQ(prof.GetString("Variablen", "y", "", 10), "2");
    EXPECT_EQ(Slurp(), "[Programm]\r\nOrvlRech=J\r\n"); // nothing on disk yet
    EXPECT_EQ(Replacements([&] { EXPECT_TRUE(prof.Save()); }), 1);
    EXPECT_EQ(Slurp(), "[Programm]\r\nOrvlRech=J\r\n[Funktion]\r\nf=x^2\r\n"
                       "[Variablen]\r\nx=1\r\ny=2\r\n");
    // Saving again, or writing what is there, does not touch the file.
    EXPECT_TRUE(prof.WriteString("Variablen", "x", "1"));
    EXPECT_EQ(Replacements([&] { EXPECT_TRUE(prof.Save()); }), 0);
    // A failed save keeps the text in memory, and reports why.
    EXPECT_TRUE(prof.WriteString("Variablen", "x", "5"));
    SetWriteFault([](TWriteStep step, size_t&) { return step == TWriteStep::Sync ? EIO : 0; });
    EXPECT_FALSE(prof.Save());
    SetWriteFault(nullptr);
    EXPECT_EQ(prof.Error().rfind("Datei:\r ", 0), 0u);
    EXPECT_EQ(Get("Variablen", "x"), "1");
    EXPECT_TRUE(prof.Save());
    EXPECT_EQ(Get("Variablen", "x"), "5");
}

TEST_F(ProfileConformance, LargeFilesAreRefusedAndReadAsMissing) {
    Put("[Programm]\r\nOrvlRech=J\r\n");
    ASSERT_EQ(truncate(file.c_str(), kMaxReadFileSize + 1), 0);
    TPrivateProfile prof;
    EXPECT_FALSE(prof.Load(file.c_str()));
    EXPECT_NE(prof.Error().find("4 MB"), std::string::npos);
    EXPECT_EQ(Get("Programm", "OrvlRech"), "#");
    // Nor is it overwritten by a write that could not read it.
    EXPECT_FALSE(Write("Programm", "x", "1"));
    struct stat st {};
    ASSERT_EQ(stat(file.c_str(), &st), 0);
    EXPECT_EQ(size_t(st.st_size), kMaxReadFileSize + 1);
}

} // namespace
