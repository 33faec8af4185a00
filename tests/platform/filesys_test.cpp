#include "filesys.h"
#include "testfiles.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <string>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

// Windows-1252 "Übung.rec", "Straße.rec" and their names on disk.
const char kUebung[] = "\xDC"
                       "bung.rec";
const char kUebungDisk[] = "\xC3\x9C"
                           "bung.rec";
const char kStrasse[] = "Stra\xDF"
                        "e.rec";
const char kStrasseDisk[] = "Stra\xC3\x9F"
                            "e.rec";
const char kOmegaDisk[] = "\xCE\xA9"
                          "mega.rec"; // Greek capital omega, which Windows-1252 lacks

class FileSys : public ::testing::Test {
protected:
    void SetUp() override {
        dir = MakeTestDir("orvlfiles");
        ASSERT_FALSE(dir.empty());
    }
    void TearDown() override {
        SetWriteFault(nullptr);
        if (mounted) umount(dir.c_str());
        RemoveTestDir(dir);
    }
    std::string In(const std::string& name) const { return dir + "/" + name; }
    static void Put(const std::string& disk, const std::string& bytes) { PutBytes(disk, bytes); }
    static std::string Slurp(const std::string& disk) { return FileBytes(disk); }
    std::vector<std::string> Entries() const { return DirEntries(dir); }
    // Writes `data` over `name` with `fault` injected; returns the message (empty on success).
    std::string WriteWith(const std::string& name, const std::string& data, TWriteFault fault) {
        SetWriteFault(std::move(fault));
        std::string error;
        const bool ok = WriteWholeFile(In(name).c_str(), data, &error);
        SetWriteFault(nullptr);
        EXPECT_EQ(ok, error.empty());
        return error;
    }

    std::string dir;
    bool mounted = false;
};

TEST_F(FileSys, PathsAreWindows1252AndNamesOnDiskUtf8) {
    EXPECT_EQ(DiskName(kUebung), kUebungDisk);
    EXPECT_EQ(DiskName("/tmp/\x80"), "/tmp/\xE2\x82\xAC"); // the euro sign of Windows-1252
    std::string path = "unchanged";
    EXPECT_TRUE(PathFromDisk(kStrasseDisk, path));
    EXPECT_EQ(path, kStrasse);
    // A name Windows-1252 cannot hold, and bytes that are no UTF-8 at all, cannot be named.
    path = "unchanged";
    EXPECT_FALSE(PathFromDisk(kOmegaDisk, path));
    EXPECT_FALSE(PathFromDisk("\xDC"
                              "bung_neu.rec",
                              path));
    EXPECT_EQ(path, "unchanged");

    // Create, stat, list, rename and remove all meet the same name on disk.
    ASSERT_TRUE(WriteWholeFile(In(kUebung).c_str(), "x"));
    Put(In(kOmegaDisk), "y");
    EXPECT_EQ(Entries(), (std::vector<std::string>{kUebungDisk, kOmegaDisk}));
    EXPECT_TRUE(FileExists(In(kUebung).c_str()));
    EXPECT_FALSE(IsDirectory(In(kUebung).c_str()));
    EXPECT_TRUE(IsDirectory(dir.c_str()));
    EXPECT_EQ(ListDirectory(dir.c_str()), std::vector<std::string>{kUebung});
    EXPECT_TRUE(RenameFile(In(kUebung).c_str(), In(kStrasse).c_str()));
    EXPECT_EQ(Entries(), (std::vector<std::string>{kStrasseDisk, kOmegaDisk}));
    EXPECT_TRUE(RemoveFile(In(kStrasse).c_str()));
    EXPECT_FALSE(FileExists(In(kStrasse).c_str()));
    EXPECT_EQ(Entries(), std::vector<std::string>{kOmegaDisk});
}

TEST_F(FileSys, CommandLineNamesBecomeAbsolutePathsOrAreRefused) {
    char old[4096];
    ASSERT_NE(getcwd(old, sizeof old), nullptr);
    ASSERT_EQ(chdir(dir.c_str()), 0);
    std::string path, error;
    const bool relative = PathFromCommandLine(kUebungDisk, path, error);
    const std::string relativePath = path;
    const bool dotted =
        PathFromCommandLine((std::string("./sub/../") + kStrasseDisk).c_str(), path, error);
    const std::string dottedPath = path;
    error.clear();
    const bool omega = PathFromCommandLine(kOmegaDisk, path, error);
    ASSERT_EQ(chdir(old), 0);
    std::string dirPath;
    ASSERT_TRUE(PathFromDisk(dir, dirPath));
    EXPECT_TRUE(relative);
    EXPECT_EQ(relativePath, dirPath + "/" + kUebung);
    EXPECT_TRUE(dotted);
    EXPECT_EQ(dottedPath, dirPath + "/" + kStrasse);
    EXPECT_FALSE(omega);
    EXPECT_EQ(error, kUnnamableFile);
    EXPECT_TRUE(PathFromCommandLine("/a/b/../c", path, error));
    EXPECT_EQ(path, "/a/c");
}

TEST_F(FileSys, ReadingRefusesLargeFilesBeforeReadingThem) {
    std::string data = "old", error;
    EXPECT_EQ(ReadWholeFile(In("none").c_str(), data, &error), TReadResult::Missing);
    EXPECT_TRUE(data.empty());
    EXPECT_EQ(error.rfind("Datei:\r ", 0), 0u);

    // A sparse file: refusing it must not depend on reading its bytes.
    const std::string big = In("big.rec");
    Put(big, "");
    ASSERT_EQ(truncate(big.c_str(), kMaxReadFileSize + 1), 0);
    EXPECT_EQ(ReadWholeFile(big.c_str(), data, &error), TReadResult::TooLarge);
    EXPECT_NE(error.find("4 MB"), std::string::npos);
    EXPECT_TRUE(data.empty());
    ASSERT_EQ(truncate(big.c_str(), kMaxReadFileSize), 0);
    EXPECT_EQ(ReadWholeFile(big.c_str(), data, &error), TReadResult::Ok);
    EXPECT_EQ(data.size(), kMaxReadFileSize);
    EXPECT_EQ(ReadWholeFile(big.c_str(), data, &error, 100), TReadResult::TooLarge);

    EXPECT_EQ(ReadWholeFile(dir.c_str(), data, &error), TReadResult::Failed);
    Put(In("small"), std::string("a\0b\r\n", 5));
    EXPECT_EQ(ReadWholeFile(In("small").c_str(), data), TReadResult::Ok);
    EXPECT_EQ(data, std::string("a\0b\r\n", 5));
}

TEST_F(FileSys, WholeFileWriteKeepsModeLinksAndReadOnlyFiles) {
    const std::string file = In("task.rec");
    const mode_t mask = umask(022);
    EXPECT_TRUE(WriteWholeFile(file.c_str(), "one"));
    umask(mask);
    struct stat st {};
    ASSERT_EQ(stat(file.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0644u);
    chmod(file.c_str(), 0640);
    EXPECT_TRUE(WriteWholeFile(file.c_str(), "two"));
    ASSERT_EQ(stat(file.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
    EXPECT_EQ(Slurp(file), "two");

    // A link stays a link; the file it points to gets the text, also when it is not there yet.
    ASSERT_EQ(mkdir(In("real").c_str(), 0700), 0);
    ASSERT_EQ(symlink("real/target.rec", In("link.rec").c_str()), 0);
    EXPECT_TRUE(WriteWholeFile(In("link.rec").c_str(), "first"));
    EXPECT_TRUE(WriteWholeFile(In("link.rec").c_str(), "second"));
    ASSERT_EQ(lstat(In("link.rec").c_str(), &st), 0);
    EXPECT_TRUE(S_ISLNK(st.st_mode));
    EXPECT_EQ(Slurp(In("real/target.rec")), "second");

    // What cannot be replaced is reported and stays.
    std::string error;
    EXPECT_FALSE(WriteWholeFile(In("real").c_str(), "x", &error));
    EXPECT_NE(error.find("Ordner"), std::string::npos);
    EXPECT_FALSE(WriteWholeFile(In("no/such.rec").c_str(), "x", &error));
    EXPECT_NE(error.find("existiert nicht"), std::string::npos);
    if (geteuid() != 0) { // root may write anything
        chmod(file.c_str(), 0444);
        EXPECT_FALSE(WriteWholeFile(file.c_str(), "three", &error));
        EXPECT_NE(error.find("schreibgesch"), std::string::npos);
        EXPECT_EQ(Slurp(file), "two");
    }
    EXPECT_EQ(Entries(), (std::vector<std::string>{"link.rec", "real", "task.rec"}));
}

TEST_F(FileSys, EveryFailedStepLeavesTheOriginalAndNoTemporaryFile) {
    const std::string original = "[Programm]\r\nOrvlRech=J\r\n";
    Put(In("task.rec"), original);
    const std::string data(100000, 'x');
    struct Case {
        TWriteStep step;
        int err;
        const char* words;
    };
    for (const Case c : {Case{TWriteStep::Create, EACCES, "schreibgesch"},
                         Case{TWriteStep::Write, ENOSPC, "nicht genug Platz"},
                         Case{TWriteStep::Write, EIO, "nicht geschrieben"},
                         Case{TWriteStep::Sync, EIO, "nicht geschrieben"},
                         Case{TWriteStep::Rename, EXDEV, "nicht geschrieben"}}) {
        SCOPED_TRACE(int(c.step));
        int writes = 0;
        const std::string error = WriteWith("task.rec", data, [&](TWriteStep step, size_t& n) {
            if (step != c.step) return 0;
            // A write that fails half-way: the second call, after half of the text went out.
            if (step == TWriteStep::Write && writes++ == 0) {
                n = data.size() / 2;
                return c.err == ENOSPC ? c.err : 0;
            }
            return c.err;
        });
        EXPECT_NE(error.find(c.words), std::string::npos) << error;
        EXPECT_EQ(error.rfind("Datei:\r ", 0), 0u);
        EXPECT_EQ(Slurp(In("task.rec")), original);
        EXPECT_EQ(Entries(), std::vector<std::string>{"task.rec"});
    }
    // Without a fault the same write goes through.
    EXPECT_EQ(WriteWith("task.rec", data, nullptr), "");
    EXPECT_EQ(Slurp(In("task.rec")), data);
}

TEST_F(FileSys, AFullDiskLeavesTheOriginalAndNoTemporaryFile) {
    if (mount("tmpfs", dir.c_str(), "tmpfs", 0, "size=64k") != 0)
        GTEST_SKIP() << "no tiny tmpfs can be mounted here (needs root); the write hook test "
                        "covers the same path";
    mounted = true;
    const std::string original = "[Programm]\r\nOrvlRech=J\r\n";
    Put(In("task.rec"), original);
    std::string error;
    EXPECT_FALSE(WriteWholeFile(In("task.rec").c_str(), std::string(200000, 'x'), &error));
    EXPECT_NE(error.find("nicht genug Platz"), std::string::npos) << error;
    EXPECT_EQ(Slurp(In("task.rec")), original);
    EXPECT_EQ(Entries(), std::vector<std::string>{"task.rec"});
    EXPECT_TRUE(WriteWholeFile(In("task.rec").c_str(), std::string(20000, 'y'), &error));
}

TEST_F(FileSys, LongestNamesSave) {
    // 255 bytes is the longest name a Linux file system takes; the temporary name is short.
    const std::string name = std::string(251, 'n') + ".rec";
    ASSERT_EQ(name.size(), 255u);
    EXPECT_TRUE(WriteWholeFile(In(name).c_str(), "a"));
    EXPECT_TRUE(WriteWholeFile(In(name).c_str(), "b"));
    EXPECT_EQ(Slurp(In(name)), "b");
    // One byte more is refused with a message, and nothing is left behind.
    std::string error;
    EXPECT_FALSE(WriteWholeFile(In(name + "x").c_str(), "a", &error));
    EXPECT_NE(error.find("zu lang"), std::string::npos) << error;
    // So is a name that only grows too long on disk ("ä" takes two bytes there).
    EXPECT_FALSE(WriteWholeFile(In(std::string(130, '\xE4')).c_str(), "a", &error));
    EXPECT_EQ(Entries(), std::vector<std::string>{name});
}

} // namespace
