// The function edit and its variable record: SetzeVar, the evaluation with and without record,
// what the edit shows when the focus comes and goes, where it does not check, the hover text,
// and two wrong entries that must not pull the focus from each other.
#include "dialog.h"
#include "dlgres.h"
#include "funkedit.h"
#include "headless.h"
#include "mainframe.h"
#include "qtbridge.h"
#include "vdparser.h"

#include <QApplication>
#include <QMouseEvent>
#include <cmath>
#include <cstring>
#include <gtest/gtest.h>
#include <memory>
#include <numbers>
#include <string>

namespace {

// ---- the record -----------------------------------------------------------------------------

TEST(TlkFETransStruct, SetzeVarReplacesOnlyNonEmptyTextsButRecomputesAllValues) {
    TTlkFETransStructDef r{};
    r.SetzeVar("2", "3", "4", "5", "6", "7");
    EXPECT_EQ(r.Gesetzt, 1);
    // A text changed behind the record's back gets its value with the next call.
    std::strcpy(r.x, "2*3");
    r.SetzeVar("", "pi", nullptr, "", "", "");
    EXPECT_STREQ(r.x, "2*3");
    EXPECT_STREQ(r.y, "pi");
    EXPECT_STREQ(r.z, "4");
    EXPECT_EQ(r.xWert, 6.0L);
    EXPECT_NEAR(double(r.yWert), std::numbers::pi, 1e-15);
    EXPECT_EQ(r.zWert, 4.0L);
    EXPECT_EQ(r.wWert, 7.0L);
    long double values[6];
    r.HoleWerte(values);
    EXPECT_EQ(values[0], 6.0L);
    EXPECT_EQ(values[5], 7.0L);
    EXPECT_STREQ(r.Text(2), "4");
    EXPECT_STREQ(r.Text(6), "");
}

TEST(TlkFETransStruct, LongTextsAreCutAndTheRecordsOwnTextsMayBePassed) {
    TTlkFETransStructDef r{};
    const std::string ones = "1" + std::string(400, '0');
    r.SetzeVar(ones.c_str(), "", "", "", "", "");
    EXPECT_EQ(std::strlen(r.x), 295u);
    r.SetzeVar("", r.x, "", "", "", "");
    EXPECT_STREQ(r.y, r.x);
    // A wrong text is not checked: its value is whatever the function object returns, and the
    // other values are still computed.
    r.SetzeVar("1/0", "", "", "", "", "");
    EXPECT_EQ(r.zWert, 0.0L);
    EXPECT_STREQ(r.x, "1/0");
}

TEST(TlkFETransStruct, ARecordThatWasNeverClearedIsNotReadBeyondItsTexts) {
    TTlkFETransStructDef r;
    std::memset(&r, 'a', sizeof r);
    r.SetzeVar("", "", "", "", "", "5");
    EXPECT_EQ(r.Gesetzt, 1);
    EXPECT_EQ(std::strlen(r.x), 299u);
    EXPECT_EQ(r.wWert, 5.0L);
}

// ---- evaluation -----------------------------------------------------------------------------

class FunkEditEval : public ::testing::Test {
protected:
    void SetUp() override { ClearRecords(); }
    static std::string Message() {
        TRecordedMessage m;
        if (!TakeMessage(m)) return "";
        EXPECT_EQ(m.caption, "Eingabefeld");
        EXPECT_EQ(m.type & 0xF0u, unsigned(MB_ICONSTOP));
        return m.text;
    }
    TWindow owner{nullptr, "Besitzer"};
};

TEST_F(FunkEditEval, WithoutRecordANumberOrExpressionBecomesItsValue) {
    char shown[100];
    long double v;
    ASSERT_TRUE(TTalkFunkEdit::Auswerten(&owner, "sqrt(16)+1", nullptr, shown, &v));
    EXPECT_EQ(v, 5.0L);
    EXPECT_STREQ(shown, "5");
    EXPECT_EQ(Message(), "");
    // A plain number is no error either; "-0" is shown as "0".
    ASSERT_TRUE(TTalkFunkEdit::Auswerten(&owner, "-0", nullptr, shown, &v));
    EXPECT_STREQ(shown, "0");
}

TEST_F(FunkEditEval, TheLengthLimitIs250Characters) {
    std::string text = "11";
    while (text.size() < 250) text += "+1";
    ASSERT_EQ(text.size(), 250u);
    long double v;
    EXPECT_TRUE(TTalkFunkEdit::Auswerten(&owner, text.c_str(), nullptr, nullptr, &v));
    EXPECT_EQ(v, 135.0L);
    EXPECT_EQ(Message(), "");
    text.insert(0, "1");
    EXPECT_FALSE(TTalkFunkEdit::Auswerten(&owner, text.c_str(), nullptr, nullptr, &v));
    EXPECT_EQ(Message(),
              "Berechnungsfunktion:\r Die Eingabe darf nicht mehr als 250 Zeichen lang sein.");
}

TEST_F(FunkEditEval, ErrorsShowTheParsersTextAfterTheTopic) {
    EXPECT_FALSE(TTalkFunkEdit::Auswerten(&owner, "y*2", nullptr, nullptr));
    EXPECT_EQ(Message(),
              "Berechnungsfunktion:\r Unbekannte Konstante oder Variable 'y' in der Funktion.");
    EXPECT_FALSE(TTalkFunkEdit::Auswerten(&owner, "1/0", nullptr, nullptr));
    const std::string m = Message();
    EXPECT_EQ(m.rfind("Berechnungsfunktion:\r ", 0), 0u) << m;
    EXPECT_GT(m.size(), 24u);
}

TEST_F(FunkEditEval, ASetRecordGivesTheVariablesTheirValues) {
    TTlkFETransStructDef r{};
    char shown[100];
    long double v;
    // Not set yet: nothing to show, the text stays; only the syntax is checked.
    ASSERT_TRUE(TTalkFunkEdit::Auswerten(&owner, "x+1", &r, shown, &v));
    EXPECT_STREQ(shown, "");
    EXPECT_EQ(v, 0.0L);
    EXPECT_FALSE(TTalkFunkEdit::Auswerten(&owner, "x+*1", &r, shown));
    EXPECT_EQ(Message(), "Berechnungsfunktion:\r Fehler in den Operatoren der Funktion.");
    r.SetzeVar("2", "", "", "", "", "");
    ASSERT_TRUE(TTalkFunkEdit::Auswerten(&owner, "x+1", &r, shown, &v));
    EXPECT_EQ(v, 3.0L);
    r.SetzeVar("", "10", "", "", "", "");
    ASSERT_TRUE(TTalkFunkEdit::Auswerten(&owner, "x*y-w", &r, shown, &v));
    EXPECT_EQ(v, 20.0L);
    EXPECT_STREQ(shown, "20");
    EXPECT_FALSE(TTalkFunkEdit::Auswerten(&owner, "a+x", &r, shown));
    EXPECT_EQ(Message(),
              "Berechnungsfunktion:\r Unbekannte Konstante oder Variable 'a' in der Funktion.");
}

// ---- the edit in a dialog -------------------------------------------------------------------

TDlgResource EditLayout() {
    TDlgResource r;
    r.caption = "Funktionsfelder";
    r.cx = 200, r.cy = 100;
    r.items = {
        {1101, TCtlKind::Edit, "pi", 10, 10, 120, 12},
        {1102, TCtlKind::Edit, "", 10, 26, 120, 12},
        {1103, TCtlKind::Edit, "", 10, 42, 120, 12},
        {201, TCtlKind::PushButton, "&Rechne", 140, 10, 50, 14},
        {IDCANCEL, TCtlKind::PushButton, "&Abbruch", 140, 26, 50, 14},
        {216, TCtlKind::Static, "", 10, 70, 180, 20},
    };
    return r;
}

class TEditDialog : public TDialog {
public:
    explicit TEditDialog(TTlkFETransStructDef* var) : TDialog(nullptr, EditLayout()) {
        a = new TTalkFunkEdit(this, 1101, 0, 216, "Feld a", "0", 1, nullptr, 300);
        b = new TTalkFunkEdit(this, 1102, 1, 216, "Feld b", "1", 0, nullptr, 300);
        c = new TTalkFunkEdit(this, 1103, 2, 0, "Feld c", "0", 1, var, 300);
    }
    TTalkFunkEdit *a, *b, *c;
};

class FunkEditDialog : public ::testing::Test {
protected:
    void SetUp() override {
        ClearRecords();
        dlg = std::make_unique<TEditDialog>(&var);
        ASSERT_TRUE(dlg->Create());
        Settle();
    }
    void TearDown() override {
        dlg->Destroy();
        dlg.reset();
        Settle();
        ClearRecords();
    }
    static void Settle() {
        for (int i = 0; i < 3; ++i) QApplication::processEvents();
    }
    static void Focus(TWindow* w) {
        w->SetFocus();
        Settle();
    }
    static std::string Text(TWindow* w) { return w->GetText(); }
    static TWindow* FocusOwner() { return TWindow::FromHandle(GetFocus()); }
    std::string Info() const {
        char text[400];
        dlg->GetDlgItemText(216, text, sizeof text);
        return text;
    }
    static int Messages() {
        int n = 0;
        TRecordedMessage m;
        while (TakeMessage(m)) ++n;
        return n;
    }
    TTlkFETransStructDef var{};
    std::unique_ptr<TEditDialog> dlg;
};

TEST_F(FunkEditDialog, ReturningShowsTheExpressionSelected) {
    EXPECT_STREQ(dlg->a->GetFunktion(), "pi"); // the layout's text
    Focus(dlg->a);
    Focus(dlg->b);
    EXPECT_EQ(Text(dlg->a), "3.1415926535897932385");
    EXPECT_STREQ(dlg->a->GetFunktion(), "pi");
    Focus(dlg->a);
    EXPECT_EQ(Text(dlg->a), "pi");
    int start = -1, end = -1;
    dlg->a->GetSelection(start, end);
    EXPECT_EQ(start, 0);
    EXPECT_EQ(end, 2);
    EXPECT_EQ(Info(), "Feld a");
}

TEST_F(FunkEditDialog, TextsWrittenFromOutsideBecomeTheExpressionButNotTheValueShown) {
    dlg->SetDlgItemText(1101, "2^10");
    EXPECT_STREQ(dlg->a->GetFunktion(), "2^10");
    Focus(dlg->a);
    Focus(dlg->b);
    EXPECT_EQ(Text(dlg->a), "1024");
    EXPECT_STREQ(dlg->a->GetFunktion(), "2^10");
    // Pruefe works on what the edit shows, with or without the focus.
    dlg->SetDlgItemText(1103, "3*x");
    EXPECT_TRUE(dlg->c->Pruefe()); // the record is not set: the text stays
    EXPECT_EQ(Text(dlg->c), "3*x");
    dlg->SetDlgItemText(1102, "3*3");
    EXPECT_TRUE(dlg->b->Pruefe());
    EXPECT_EQ(Text(dlg->b), "9");
    EXPECT_STREQ(dlg->b->GetFunktion(), "3*3");
    // Checked again, the number shown is all it has.
    EXPECT_TRUE(dlg->b->Pruefe());
    EXPECT_STREQ(dlg->b->GetFunktion(), "9");
}

TEST_F(FunkEditDialog, NoCheckTowardsControl2OrOutOfTheDialog) {
    Focus(dlg->a);
    dlg->a->SetWindowText("2+*3");
    ::SetFocus(dlg->GetDlgItem(IDCANCEL));
    Settle();
    EXPECT_EQ(Messages(), 0);
    EXPECT_EQ(Text(dlg->a), "2+*3");
    EXPECT_FALSE(dlg->a->HatFehler());

    // Another dialog takes the focus: no check either.
    Focus(dlg->a);
    TEditDialog other(nullptr);
    ASSERT_TRUE(other.Create());
    Settle();
    Focus(other.b);
    EXPECT_EQ(Messages(), 0);
    EXPECT_EQ(Text(dlg->a), "2+*3");
    other.Destroy();
    Settle();
}

TEST_F(FunkEditDialog, AWrongEntryKeepsTheFocusAndTheText) {
    Focus(dlg->a);
    dlg->a->SetWindowText("sqrt(");
    Focus(dlg->b);
    EXPECT_EQ(Messages(), 1);
    EXPECT_EQ(FocusOwner(), dlg->a);
    EXPECT_EQ(Text(dlg->a), "sqrt(");
    EXPECT_TRUE(dlg->a->HatFehler());
    // Typing clears the mark; a good entry then passes.
    dlg->a->SetWindowText("sqrt(4)");
    EXPECT_FALSE(dlg->a->HatFehler());
    Focus(dlg->b);
    EXPECT_EQ(Messages(), 0);
    EXPECT_EQ(Text(dlg->a), "2");
}

TEST_F(FunkEditDialog, TwoWrongEntriesDoNotPullTheFocusFromEachOther) {
    // b shows a wrong text that was never checked (it was left towards control 2).
    Focus(dlg->b);
    dlg->b->SetWindowText("1+*1");
    ::SetFocus(dlg->GetDlgItem(IDCANCEL));
    Settle();
    Focus(dlg->a);
    dlg->a->SetWindowText("2+*2");
    Focus(dlg->b);
    for (int i = 0; i < 5; ++i) Settle();
    EXPECT_EQ(Messages(), 1);
    EXPECT_EQ(FocusOwner(), dlg->a);
    EXPECT_EQ(Text(dlg->b), "1+*1");
}

TEST_F(FunkEditDialog, AnEmptiedEditGetsItsFillTextChecked) {
    Focus(dlg->b);
    dlg->b->SetWindowText("");
    Focus(dlg->a);
    EXPECT_EQ(Text(dlg->b), "1");
    EXPECT_STREQ(dlg->b->GetFunktion(), "1");
    EXPECT_EQ(Messages(), 0);
}

TEST_F(FunkEditDialog, TheRecordsValuesAreUsedOnceItIsSet) {
    dlg->SetDlgItemText(1103, "x*y");
    Focus(dlg->c);
    Focus(dlg->a);
    EXPECT_EQ(Text(dlg->c), "x*y");
    var.SetzeVar("3", "", "", "", "", "");
    var.SetzeVar("", "7", "", "", "", "");
    Focus(dlg->c);
    EXPECT_EQ(Text(dlg->c), "x*y");
    Focus(dlg->a);
    EXPECT_EQ(Text(dlg->c), "21");
    // New values: the expression is evaluated again without a visit to the edit.
    var.SetzeVar("", "-1", "", "", "", "");
    EXPECT_TRUE(dlg->c->PruefeAusdruck());
    EXPECT_EQ(Text(dlg->c), "-3");
    EXPECT_STREQ(dlg->c->GetFunktion(), "x*y");
    EXPECT_EQ(Messages(), 0);
}

// The mouse moves over the edit, as the window system reports it.
void Hover(TWindow* control) {
    QWidget* w = WidgetOf(control);
    const QPointF local(w->width() / 2, w->height() / 2);
    QMouseEvent move(QEvent::MouseMove, local, w->mapToGlobal(local), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(w, &move);
}

TEST_F(FunkEditDialog, HoverTellsTheValueOnlyWithTheFlagAndWithoutFocus) {
    Focus(dlg->a);
    Focus(dlg->b);
    Hover(dlg->a);
    EXPECT_EQ(Info(), "Feld a Wert z.Zt.: 3.1415926535897932385");
    // Other letter case of the same text: left alone.
    dlg->SetDlgItemText(216, "FELD A WERT Z.ZT.: 3.1415926535897932385");
    Hover(dlg->a);
    EXPECT_EQ(Info(), "FELD A WERT Z.ZT.: 3.1415926535897932385");
    Hover(dlg->b);
    EXPECT_EQ(Info(), "Feld b");
    Focus(dlg->a);
    Hover(dlg->a);
    EXPECT_EQ(Info(), "Feld a");
}

TEST_F(FunkEditDialog, WithoutInfoFieldTheHoverTextGoesToTheStatusBar) {
    TExtStatusBar bar;
    dlg->c->SetStatusBar(&bar);
    dlg->SetDlgItemText(1103, "5");
    Hover(dlg->c);
    EXPECT_EQ(bar.GetHintText(), "Feld c Wert z.Zt.: 5");
}

} // namespace
