// Matrix task files: written and read back, foreign files refused, orders out of range.
#include "matrixtest.h"
#include "mattask.h"
#include "privateprofile.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>

namespace {

std::string TempFile(const char* name) {
    return (std::filesystem::temp_directory_path() / (std::string("matcalc_") + name)).string();
}

std::string Key(const std::string& file, const char* section, const char* key) {
    char buf[400] = "";
    GetPrivateProfileString(section, key, "(fehlt)", buf, sizeof buf, file.c_str());
    return buf;
}

} // namespace

TEST(MatTask, TaskAndTransferFilesRoundTrip) {
    auto rec = Record(2, {});
    rec->Var.SetzeVar("2", "0", "0", "0", "0", "0");
    std::strcpy(rec->MatText[0][0], "x+1");
    std::strcpy(rec->MatText[1][0], "-2");
    std::strcpy(rec->MatText[0][1], "1/3");
    std::strcpy(rec->MatText[1][1], "0");
    const std::string task = TempFile("task.mat"), transfer = TempFile("orvltrn.ini");
    std::remove(task.c_str());
    std::remove(transfer.c_str());
    ASSERT_TRUE(SchreibeMatAufgabe(task.c_str(), *rec, false));
    ASSERT_TRUE(SchreibeMatAufgabe(transfer.c_str(), *rec, true));
    EXPECT_EQ(Key(task, "Programm", "OrvlGlSy"), "(fehlt)");
    EXPECT_EQ(Key(task, "Matrix", "(1,2)"), "-2");
    EXPECT_EQ(Key(transfer, "Programm", "OrvlGlSy"), "J");
    EXPECT_EQ(Key(transfer, "Matrix", "(2,3)"), "0"); // the right-hand side of a system
    EXPECT_EQ(Key(transfer, "Matrix", "(3,1)"), "");  // its empty last row
    EXPECT_EQ(Key(transfer, "Vektor", "(2)"), "0");

    auto back = Record(5, {});
    ASSERT_TRUE(LeseMatAufgabe(task.c_str(), *back));
    EXPECT_EQ(back->Ordnung, 2);
    EXPECT_STREQ(back->MatText[0][0], "x+1");
    EXPECT_STREQ(back->MatText[0][1], "1/3");
    EXPECT_STREQ(back->MatText[4][4], "0");
    EXPECT_EQ(back->Var.xWert, 2);
    std::remove(task.c_str());
    std::remove(transfer.c_str());
}

TEST(MatTask, ForeignFilesAndBadOrders) {
    const std::string file = TempFile("fremd.mat");
    {
        std::ofstream out(file);
        out << "[Programm]\r\nOrvlRech=J\r\n[Matrix]\r\nOrdnung=2\r\n";
    }
    auto rec = Record(4, {7});
    EXPECT_FALSE(LeseMatAufgabe(file.c_str(), *rec));
    EXPECT_EQ(rec->Ordnung, 4); // unchanged
    {
        std::ofstream out(file);
        out << "[Programm]\r\nOrvlMatr=Ja\r\n[Matrix]\r\nOrdnung=12\r\n(1,1)=5\r\n";
    }
    ASSERT_TRUE(LeseMatAufgabe(file.c_str(), *rec));
    EXPECT_EQ(rec->Ordnung, 3);
    EXPECT_STREQ(rec->MatText[0][0], "5");
    EXPECT_STREQ(rec->MatText[1][0], "0");
    std::remove(file.c_str());
}
