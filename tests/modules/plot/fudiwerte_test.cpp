// The value table: rows up to the end despite rounding of the step, undefined values, the
// refusals, the tab-separated text and the copy on the clipboard.
#include "fudirecord.h"
#include "fudiwertetabelle.h"
#include "tfunktionsdraw.h"
#include "vdfunction.h"
#include "winapi.h"

#include <cmath>
#include <cstring>
#include <gtest/gtest.h>
#include <memory>

namespace {

const long double kNull[6] = {0, 0, 0, 0, 0, 0};

TEST(Wertetabelle, RowsReachTheEndAndUndefinedValuesAreNamed) {
    vdFunction f("1/x", 6, "xyzuvw", 1, nullptr, true, true);
    std::vector<TWerteZeile> z;
    std::string fehler;
    // 0.1 is not exact in binary: the row for 1 must not get lost.
    ASSERT_TRUE(BerechneWertetabelle(f, kNull, -1, 1, 0.1L, z, fehler));
    ASSERT_EQ(z.size(), 21u);
    EXPECT_EQ(z[0][0], "-1");
    EXPECT_EQ(z[10][0], "0");
    EXPECT_EQ(z[10][1], "n. def.");
    EXPECT_EQ(z[20][0], "1");
    EXPECT_EQ(z[20][1], "1");
    EXPECT_EQ(z[20][2], "-1");
    EXPECT_EQ(z[20][3], "2");
    // A single row when start and end agree.
    ASSERT_TRUE(BerechneWertetabelle(f, kNull, 2, 2, 1, z, fehler));
    EXPECT_EQ(z.size(), 1u);
    EXPECT_EQ(z[0][1], "0.5");
    // The other variables take the record's values.
    vdFunction g("x*y", 6, "xyzuvw", 1, nullptr, true, true);
    const long double werte[6] = {0, 3, 0, 0, 0, 0};
    ASSERT_TRUE(BerechneWertetabelle(g, werte, 2, 2, 1, z, fehler));
    EXPECT_EQ(z[0][1], "6");
    EXPECT_EQ(WertetabelleText(z), "x\tf(x)\tf'(x)\tf''(x)\r\n2\t6\t3\t0\r\n");
}

TEST(Wertetabelle, BadStepsAndRangesAreRefused) {
    vdFunction f("x", 6, "xyzuvw", 1, nullptr, true, true);
    std::vector<TWerteZeile> z(3);
    std::string fehler;
    for (long double schritt : {0.0L, -1.0L, static_cast<long double>(INFINITY)}) {
        EXPECT_FALSE(BerechneWertetabelle(f, kNull, 0, 1, schritt, z, fehler));
        EXPECT_EQ(fehler, "Wertetabelle:\r Die Schrittweite muss größer als 0 sein.");
        EXPECT_TRUE(z.empty());
    }
    EXPECT_FALSE(BerechneWertetabelle(f, kNull, 1, 0, 0.1L, z, fehler));
    EXPECT_EQ(fehler, "Wertetabelle:\r Der Endwert darf nicht kleiner als der Anfangswert sein.");
    EXPECT_TRUE(BerechneWertetabelle(f, kNull, 0, 999, 1, z, fehler));
    EXPECT_EQ(z.size(), size_t(kMaxWerteZeilen));
    EXPECT_FALSE(BerechneWertetabelle(f, kNull, 0, 1000, 1, z, fehler));
    EXPECT_FALSE(BerechneWertetabelle(f, kNull, 0, 1, 1e-30L, z, fehler));
}

TEST(Wertetabelle, TheDialogCopiesTheTableToTheClipboard) {
    auto rec = std::make_unique<FudiTransStructDef>();
    TFunktionsDraw window(rec.get());
    std::strcpy(rec->Funktion, "x^2");
    rec->x1 = 0, rec->x2 = 2, rec->xAb = 1;
    window.NeuesFunkObj();
    TFudiWertetabelle dlg(nullptr, rec.get(), window.GetFunkObj());
    ASSERT_TRUE(dlg.Create());
    ASSERT_EQ(dlg.Zeilen().size(), 3u);
    dlg.BNClickedKopieren();
    EXPECT_EQ(GetClipboardText(),
              "x\tf(x)\tf'(x)\tf''(x)\r\n0\t0\t0\t2\r\n1\t1\t2\t2\r\n2\t4\t4\t2\r\n");
    dlg.Destroy();
}

} // namespace
