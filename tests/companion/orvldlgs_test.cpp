// The selection dialogs: the variable dialog writes texts and values into the record only on
// OK and ends with 1, offers z … w alone in 3D mode and refuses wrong entries; the position
// dialog shows f, f', f'' at the position with the record's other variables; the variable
// description button goes through its variables.
#include "dlgres.h"
#include "fudirecord.h"
#include "headless.h"
#include "orvldlgs.h"
#include "qtbridge.h"
#include "vdfunction.h"

#include <QAbstractButton>
#include <QApplication>
#include <QTimer>
#include <cstring>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <string>

namespace {

std::string Text(const TWindow& dlg, int id) {
    char text[400];
    dlg.GetDlgItemText(id, text, sizeof text);
    return text;
}

// Runs the dialog modally; `inside` acts in its modal loop as the user would.
int RunModal(TDialog& dlg, std::function<void()> inside) {
    QTimer::singleShot(0, [inside] {
        QApplication::processEvents();
        inside();
    });
    return dlg.Execute();
}

void Settle() {
    for (int i = 0; i < 3; ++i) QApplication::processEvents();
}

int Messages() {
    int n = 0;
    TRecordedMessage m;
    while (TakeMessage(m)) ++n;
    return n;
}

class VarSelect : public ::testing::Test {
protected:
    void SetUp() override {
        ClearRecords();
        var.SetzeVar("1", "2", "3", "4", "5", "6");
    }
    TTlkFETransStructDef var{};
};

TEST_F(VarSelect, OkWritesTextsAndValuesAndEndsWith1) {
    vdVarSelect dlg(nullptr, &var, true, false);
    const int result = RunModal(dlg, [&] {
        EXPECT_FALSE(IsWindowVisible(dlg.GetDlgItem(vdVarSelect::EditId(0))));
        EXPECT_EQ(Text(dlg, vdVarSelect::EditId(1)), "2");
        EXPECT_EQ(Text(dlg, vdVarSelect::EditId(5)), "6");
        dlg.SetDlgItemText(vdVarSelect::EditId(1), "pi");
        dlg.SetDlgItemText(vdVarSelect::EditId(3), "2^8");
        dlg.SetDlgItemText(vdVarSelect::EditId(5), ""); // counts as its fill text 0
        dlg.SendCommand(IDOK);
    });
    EXPECT_EQ(result, 1);
    EXPECT_STREQ(var.x, "1");
    EXPECT_STREQ(var.y, "pi");
    EXPECT_STREQ(var.z, "3");
    EXPECT_STREQ(var.u, "2^8");
    EXPECT_STREQ(var.w, "0");
    EXPECT_NEAR(double(var.yWert), 3.14159265358979, 1e-14);
    EXPECT_EQ(var.uWert, 256.0L);
    EXPECT_EQ(var.wWert, 0.0L);
    EXPECT_EQ(Messages(), 0);
}

TEST_F(VarSelect, In3DModeYIsLeftToTheFunction) {
    vdVarSelect dlg(nullptr, &var, false, true);
    const int result = RunModal(dlg, [&] {
        EXPECT_FALSE(IsWindowVisible(dlg.GetDlgItem(vdVarSelect::EditId(1))));
        EXPECT_TRUE(IsWindowVisible(dlg.GetDlgItem(vdVarSelect::FunctionVarId(1))));
        // Even a text put there does not reach the record.
        dlg.SetDlgItemText(vdVarSelect::EditId(1), "99");
        dlg.SetDlgItemText(vdVarSelect::EditId(2), "-7");
        dlg.SendCommand(IDOK);
    });
    EXPECT_EQ(result, 1);
    EXPECT_STREQ(var.y, "2");
    EXPECT_STREQ(var.z, "-7");
    EXPECT_EQ(var.zWert, -7.0L);
}

TEST_F(VarSelect, AWrongEntryKeepsTheDialogOpenAndCancelChangesNothing) {
    vdVarSelect dlg(nullptr, &var, true, false);
    bool stayedOpen = false;
    const int result = RunModal(dlg, [&] {
        dlg.SetDlgItemText(vdVarSelect::EditId(2), "2+*3");
        dlg.SetDlgItemText(vdVarSelect::EditId(4), "100");
        dlg.SendCommand(IDOK);
        stayedOpen = dlg.IsWindow();
        EXPECT_EQ(Messages(), 1);
        dlg.SendCommand(IDCANCEL);
    });
    EXPECT_TRUE(stayedOpen);
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_STREQ(var.z, "3");
    EXPECT_STREQ(var.v, "5");
}

TEST_F(VarSelect, WithoutRecordOkStillEnds) {
    vdVarSelect dlg(nullptr, nullptr, true, false);
    const int result = RunModal(dlg, [&] {
        EXPECT_EQ(Text(dlg, vdVarSelect::EditId(1)), "0");
        dlg.SendCommand(IDOK);
    });
    EXPECT_EQ(result, 1);
}

class GetPos : public ::testing::Test {
protected:
    void SetUp() override {
        ClearRecords();
        record = std::make_unique<FudiTransStructDef>();
        record->Var.SetzeVar("0", "3", "0", "0", "0", "0");
    }
    void TearDown() override {
        if (dlg) dlg->Destroy();
        dlg.reset();
        Settle();
    }
    void Open(vdFunction* f, long double x) {
        dlg = std::make_unique<vdGetPosDlg>(nullptr, f, x, record.get());
        ASSERT_TRUE(dlg->Create());
        Settle();
    }
    std::unique_ptr<FudiTransStructDef> record;
    std::unique_ptr<vdGetPosDlg> dlg;
};

TEST_F(GetPos, ShowsFAndItsDerivativesWithTheRecordsOtherVariables) {
    std::strcpy(record->Funktion, "x^2*y");
    vdFunction f(record->Funktion, 6, "xyzuvw", 1, nullptr, false, false);
    Open(&f, 2);
    EXPECT_EQ(Text(*dlg, 210), "f(x) = x^2*y");
    EXPECT_EQ(Text(*dlg, 1101), "2");
    EXPECT_EQ(Text(*dlg, 231), "12");
    EXPECT_EQ(Text(*dlg, 232), "12");
    EXPECT_EQ(Text(*dlg, 233), "6");
    EXPECT_FALSE(IsWindowVisible(dlg->GetDlgItem(1102)));
    dlg->SetDlgItemText(1101, "-1/2");
    EXPECT_TRUE(dlg->Berechne());
    EXPECT_EQ(Text(*dlg, 231), "0.75");
    EXPECT_EQ(Text(*dlg, 232), "-3");
    dlg->SetDlgItemText(1101, "x");
    EXPECT_FALSE(dlg->Berechne());
    EXPECT_EQ(Messages(), 1);
    EXPECT_EQ(Text(*dlg, 231), "0.75");
}

TEST_F(GetPos, InThreeDimensionsTheUserPicksY) {
    std::strcpy(record->Funktion, "x*y+1");
    record->Is3D = 1;
    Open(nullptr, 0); // the dialog builds its own function object
    EXPECT_EQ(Text(*dlg, 210), "f(x,y) = x*y+1");
    EXPECT_TRUE(IsWindowVisible(dlg->GetDlgItem(1102)));
    EXPECT_FALSE(IsWindowVisible(dlg->GetDlgItem(232)));
    EXPECT_EQ(Text(*dlg, 231), "1");
    dlg->SetDlgItemText(1101, "4");
    dlg->SetDlgItemText(1102, "-2");
    EXPECT_TRUE(dlg->Berechne());
    EXPECT_EQ(Text(*dlg, 231), "-7");
}

TEST_F(GetPos, UndefinedPlacesAndMissingFunctionsSaySo) {
    std::strcpy(record->Funktion, "ln(x)");
    Open(nullptr, -1);
    EXPECT_EQ(Text(*dlg, 231), "nicht definiert");
    EXPECT_EQ(Text(*dlg, 232), "nicht definiert");
    dlg->Destroy();
    // Neither function object nor record: nothing to compute, nothing breaks.
    dlg = std::make_unique<vdGetPosDlg>(nullptr, nullptr, 1, nullptr);
    ASSERT_TRUE(dlg->Create());
    EXPECT_EQ(Text(*dlg, 231), "nicht definiert");
    EXPECT_EQ(Text(*dlg, 210), "f(x) = ");
}

TEST(VarDescButton, GoesThroughItsVariables) {
    TDialog parent(nullptr, [] {
        TDlgResource r;
        r.caption = "Knopf";
        r.cx = 100, r.cy = 40;
        r.items = {{101, TCtlKind::PushButton, "", 4, 4, 40, 14},
                   {102, TCtlKind::PushButton, "", 50, 4, 40, 14}};
        return r;
    }());
    auto* letters = new vdVarDescButton(&parent, 101, "xyz", 0, "Test", "Test", "");
    auto* names = new vdVarDescButton(&parent, 102, "zeit weg", 0, "Test", "Test", "");
    ASSERT_TRUE(parent.Create());
    EXPECT_EQ(letters->GetVarCount(), 3);
    EXPECT_EQ(Text(parent, 101), "x=");
    // A click moves the button on before its parent hears of it.
    std::string heard;
    parent.AddHandler(101, BN_CLICKED, [&] { heard = letters->GetVarName(); });
    qobject_cast<QAbstractButton*>(WidgetOf(letters))->click();
    EXPECT_EQ(heard, "y");
    EXPECT_EQ(Text(parent, 101), "y=");
    letters->Weiter();
    letters->Weiter();
    EXPECT_EQ(Text(parent, 101), "x=");
    EXPECT_EQ(names->GetVarCount(), 2);
    EXPECT_EQ(Text(parent, 102), "zeit=");
    names->Weiter();
    EXPECT_STREQ(names->GetVarName(), "weg");
    vdVarDescButton empty(nullptr, 0, "", 0, "", "", "");
    empty.Weiter();
    EXPECT_STREQ(empty.GetVarName(), "");
    parent.Destroy();
}

} // namespace
