// The information dialog and the discussion page on a record with results: lines sorted by x
// and handed back sorted, the symbolic derivative kept from character 600 on, empty integral
// fields without an integral, and the page with at most 26 lines of a list.
#include "controls.h"
#include "fudirecord.h"
#include "headless.h"
#include "tfudiinformation.h"
#include "tfunktionsdraw.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <gtest/gtest.h>
#include <memory>
#include <string>

namespace fs = std::filesystem;

namespace {

class Information : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/fudiinfo-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir = std::string(pattern) + "/";
        rec = std::make_unique<FudiTransStructDef>();
        std::strcpy(rec->Verzeichnis, dir.c_str());
        window = std::make_unique<TFunktionsDraw>(rec.get());
        std::strcpy(rec->Funktion, "x^2-1");
        rec->Diskussion = 1;
        rec->NstText->AddString("2, 0, Nullstelle");
        rec->NstText->AddString("-1, 0, Nullstelle");
        rec->NstText->AddString("0.5, 0, Nullstelle");
        rec->ExtrText->AddString("0, -1, Minimum");
    }
    void TearDown() override {
        window.reset();
        fs::remove_all(dir);
    }
    std::string Text(TDialog& dlg, int id) {
        char buffer[300] = "";
        dlg.GetDlgItemText(id, buffer, sizeof buffer);
        return buffer;
    }
    std::string dir;
    std::unique_ptr<FudiTransStructDef> rec;
    std::unique_ptr<TFunktionsDraw> window;
};

TEST_F(Information, ListsSortedByXAndHandedBackSorted) {
    TFudiInformation dlg(nullptr, rec.get());
    ASSERT_TRUE(dlg.Create());
    EXPECT_EQ(Text(dlg, 4095), "x^2-1");
    // The integral was not computed: its fields stay empty.
    EXPECT_EQ(Text(dlg, 1030), "");
    EXPECT_EQ(Text(dlg, 1031), "");
    EXPECT_EQ(dlg.IsDlgButtonChecked(1025), unsigned(BF_CHECKED));
    EXPECT_TRUE(dlg.CanClose());
    dlg.Destroy();
    const auto& lines = rec->NstText->GetStrings();
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], "-1, 0, Nullstelle");
    EXPECT_EQ(lines[1], "0.5, 0, Nullstelle");
    EXPECT_EQ(lines[2], "2, 0, Nullstelle");
    EXPECT_EQ(rec->ExtrText->GetStrings().size(), 1u);
    EXPECT_EQ(rec->WendText->GetStrings().size(), 0u);
}

TEST_F(Information, TheDerivativeIsKeptBehindTheFunction) {
    rec->Integral = 1;
    rec->PosIntegral = 2.5L;
    rec->NegIntegral = -1.25L;
    {
        TFudiInformation dlg(nullptr, rec.get());
        ASSERT_TRUE(dlg.Create());
        const std::string abl = Text(dlg, 4096);
        EXPECT_EQ(abl, std::string(rec->Funktion + 600));
        EXPECT_NE(abl, "Berechnung der Ableitung ist bei der eingegebenen Funktion nicht möglich.");
        EXPECT_FALSE(abl.empty());
        EXPECT_EQ(Text(dlg, 1030), "1.25");
        EXPECT_EQ(Text(dlg, 1032), "-1.25");
        dlg.Destroy();
    }
    // A text the parser cannot take has no derivative.
    std::strcpy(rec->Funktion, "x+");
    TFudiInformation dlg(nullptr, rec.get());
    ASSERT_TRUE(dlg.Create());
    EXPECT_EQ(Text(dlg, 4096),
              "Berechnung der Ableitung ist bei der eingegebenen Funktion nicht möglich.");
    EXPECT_STREQ(rec->Funktion + 600,
                 "Berechnung der Ableitung ist bei der eingegebenen Funktion nicht möglich.");
    EXPECT_STREQ(rec->Funktion, "x+");
    dlg.Destroy();
}

TEST_F(Information, TheDiscussionPageShowsAtMost26LinesOfAList) {
    rec->NstText->Clear();
    for (int i = 0; i < 30; ++i)
        rec->NstText->AddString((std::to_string(i) + ".5, 0, Nullstelle").c_str());
    rec->NStErzwingen = 1;
    const std::string pdf = dir + "diskussion.pdf";
    ASSERT_TRUE(window->SeiteAlsPdf(2, pdf.c_str()));
    const std::string txt = dir + "diskussion.txt";
    ASSERT_EQ(std::system(("pdftotext -layout '" + pdf + "' '" + txt + "'").c_str()), 0);
    std::string text;
    if (FILE* f = std::fopen(txt.c_str(), "rb")) {
        char buffer[4096];
        for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, f)) > 0;) text.append(buffer, n);
        std::fclose(f);
    }
    for (const char* s :
         {"Funktion: f(x)=", "1. Abl.: f'(x)=", "Funktionsdiskussion:", "Nullstellen:", "Extrema:",
          "Wendestellen:", "NSt. erzwungen", "25.5, 0, Nullstelle", "..."})
        EXPECT_NE(text.find(s), std::string::npos) << s;
    EXPECT_EQ(text.find("26.5, 0, Nullstelle"), std::string::npos);
    EXPECT_EQ(text.find("Gesamtintegral:"), std::string::npos);
    EXPECT_FALSE(window->IsPrinting());
}

} // namespace
