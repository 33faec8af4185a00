// Dialogs built from registered layouts: controls by id, handler tables, modal and modeless
// runs, closing rules and the keyboard.
#include "application.h"
#include "controls.h"
#include "dialog.h"
#include "dlgres.h"
#include "headless.h"
#include "qtbridge.h"
#include "winapi.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QTimer>
#include <QWheelEvent>
#include <QWidget>
#include <functional>
#include <gtest/gtest.h>
#include <string>

namespace {

TDlgResource TestLayout() {
    TDlgResource r;
    r.caption = "Prüfdialog";
    r.cx = 200, r.cy = 120;
    r.items = {
        {1, TCtlKind::PushButton, "OK", 10, 100, 40, 14, BS_DEFPUSHBUTTON},
        {2, TCtlKind::PushButton, "&Abbrechen", 60, 100, 40, 14},
        {101, TCtlKind::Edit, "", 10, 10, 80, 12},
        {102, TCtlKind::Edit, "", 10, 26, 80, 30, ES_MULTILINE},
        {103, TCtlKind::Static, "Info", 100, 10, 80, 8},
        {110, TCtlKind::RadioButton, "A", 100, 30, 30, 10, WS_GROUP},
        {111, TCtlKind::RadioButton, "B", 100, 40, 30, 10},
        {112, TCtlKind::RadioButton, "C", 140, 30, 30, 10, WS_GROUP},
        {113, TCtlKind::RadioButton, "D", 140, 40, 30, 10},
        {120, TCtlKind::ListBox, "", 10, 60, 60, 30},
        {121, TCtlKind::ComboBox, "", 80, 60, 60, 40, CBS_DROPDOWNLIST},
        {130, TCtlKind::CheckBox, "&schnell", 150, 60, 40, 10},
        {140, TCtlKind::PushButton, "versteckt", 150, 80, 40, 14, WS_NOTVISIBLE | WS_DISABLED},
    };
    return r;
}

const TDialogResourceRegistrar registrar("PRUEF.DLL", 4711, TestLayout());

class TPruefDialog : public TDialog {
public:
    explicit TPruefDialog(TWindow* parent = nullptr) : TDialog(parent, 4711, &module_) {
        edit = new TEdit(this, 101, 10);
        memo = new TEdit(this, 102);
        list = new TListBox(this, 120);
        OnClicked(130, &TPruefDialog::BNClickedSchnell);
        OnNotify(101, EN_CHANGE, &TPruefDialog::ENChangeEdit);
    }
    void SetupWindow() override {
        TDialog::SetupWindow();
        setupSawEdit = edit->IsWindow();
    }
    bool CanClose() override { return allowClose; }
    void BNClickedSchnell() { ++schnellClicks; }
    void ENChangeEdit() { ++editChanges; }

    static TModule module_;
    TEdit* edit;
    TEdit* memo;
    TListBox* list;
    bool allowClose = true;
    bool setupSawEdit = false;
    int schnellClicks = 0, editChanges = 0;
};
TModule TPruefDialog::module_("pruef.dll", false);

// Runs `step` once the modal loop of the next dialog runs.
void WhenModal(std::function<void()> step) {
    QTimer::singleShot(0, std::move(step));
}

QWidget* W(HWND h) {
    return reinterpret_cast<QWidget*>(h);
}

void SendKey(QWidget* target, int key, Qt::KeyboardModifiers mods = Qt::NoModifier,
             const QString& text = {}) {
    QKeyEvent press(QEvent::KeyPress, key, mods, text),
        release(QEvent::KeyRelease, key, mods, text);
    QApplication::sendEvent(target, &press);
    QApplication::sendEvent(target, &release);
}

} // namespace

TEST(Dialog, LayoutIsFoundByModuleNameWithoutRegardToCase) {
    EXPECT_NE(FindDialogResource("pruef.DLL", 4711), nullptr);
    EXPECT_EQ(FindDialogResource("PRUEF.DLL", 4712), nullptr);
    EXPECT_EQ(FindDialogResource("ANDERS.DLL", 4711), nullptr);
}

TEST(Dialog, ControlsAttachByIdAndSitWhereTheDialogUnitsSay) {
    TPruefDialog dlg;
    ASSERT_TRUE(dlg.Create());
    EXPECT_TRUE(dlg.setupSawEdit) << "controls must exist when SetupWindow runs";
    EXPECT_TRUE(dlg.edit->IsWindow());
    EXPECT_EQ(dlg.edit->GetHandle(), dlg.GetDlgItem(101));
    TRect expected(10, 10, 90, 22);
    dlg.MapDialogRect(expected);
    QWidget* e = W(dlg.GetDlgItem(101));
    EXPECT_EQ(e->x(), expected.left);
    EXPECT_EQ(e->y(), expected.top);
    EXPECT_EQ(e->width(), expected.Width());
    // Dialog units: 4 horizontal and 8 vertical units are one base unit of the font.
    TRect unit(0, 0, 4, 8);
    dlg.MapDialogRect(unit);
    EXPECT_GT(unit.right, 3);
    EXPECT_GT(unit.bottom, unit.right);
    TRect twice(0, 0, 8, 16);
    dlg.MapDialogRect(twice);
    EXPECT_NEAR(twice.right, 2 * unit.right, 1);
    // A control made with WS_NOTVISIBLE|WS_DISABLED starts hidden and disabled.
    TWindow* hidden = nullptr;
    hidden = new TButton(&dlg, 140);
    EXPECT_FALSE(hidden->IsWindowVisible());
    EXPECT_FALSE(hidden->IsWindowEnabled());
    dlg.Destroy();
    EXPECT_FALSE(dlg.edit->IsWindow()) << "controls let go of their window with the dialog";
}

TEST(Dialog, TextsCrossTheLayerAsWindows1252) {
    TPruefDialog dlg;
    dlg.Create();
    char buf[64];
    dlg.GetWindowText(buf, sizeof buf);
    EXPECT_STREQ(buf, "Prüfdialog");
    dlg.SetDlgItemText(103, "Größe\xB2");
    EXPECT_EQ(dlg.GetDlgItemText(103, buf, sizeof buf), 6);
    EXPECT_STREQ(buf, "Größe\xB2");
    // Cut to the buffer, always terminated.
    EXPECT_EQ(dlg.GetDlgItemText(103, buf, 4), 3);
    EXPECT_STREQ(buf, "Grö");
    // A static shows "&" as the access key but gives its text back as it was set.
    dlg.SetDlgItemText(103, "&Funktion && Wert");
    dlg.GetDlgItemText(103, buf, sizeof buf);
    EXPECT_STREQ(buf, "&Funktion && Wert");
    EXPECT_EQ(static_cast<QLabel*>(W(dlg.GetDlgItem(103)))->text(),
              QStringLiteral("Funktion & Wert"));
    // Multi-line edits give Windows line ends and take them.
    dlg.memo->SetText("eins\r\nzwei");
    dlg.memo->GetText(buf, sizeof buf);
    EXPECT_STREQ(buf, "eins\r\nzwei");
    EXPECT_EQ(dlg.memo->GetNumLines(), 2);
    // The text limit counts the terminating zero, as callers pass buffer sizes.
    dlg.edit->SetText("123456789012345");
    dlg.edit->GetText(buf, sizeof buf);
    EXPECT_STREQ(buf, "123456789");
    dlg.Destroy();
}

TEST(Dialog, EditInsertReplacesTheSelectionAndReportsChanges) {
    TPruefDialog dlg;
    dlg.Create();
    dlg.edit->SetText("sin(x)");
    int changes = dlg.editChanges;
    EXPECT_GT(changes, 0);
    dlg.edit->SetSelection(0, 3);
    dlg.edit->Insert("cos");
    char buf[32];
    dlg.edit->GetText(buf, sizeof buf);
    EXPECT_STREQ(buf, "cos(x)");
    int s, e;
    dlg.edit->GetSelection(s, e);
    EXPECT_EQ(s, 3);
    EXPECT_EQ(e, 3);
    EXPECT_GT(dlg.editChanges, changes);
    dlg.Destroy();
}

TEST(Dialog, RadioButtonsFollowTheirWsGroupGroups) {
    TPruefDialog dlg;
    dlg.Create();
    auto click = [&](int id) { static_cast<QAbstractButton*>(W(dlg.GetDlgItem(id)))->click(); };
    click(110);
    click(112);
    EXPECT_EQ(dlg.IsDlgButtonChecked(110), BF_CHECKED) << "another group leaves it alone";
    EXPECT_EQ(dlg.IsDlgButtonChecked(112), BF_CHECKED);
    click(111);
    EXPECT_EQ(dlg.IsDlgButtonChecked(110), BF_UNCHECKED);
    EXPECT_EQ(dlg.IsDlgButtonChecked(111), BF_CHECKED);
    click(111);
    EXPECT_EQ(dlg.IsDlgButtonChecked(111), BF_CHECKED) << "a second click keeps it checked";
    dlg.CheckRadioButton(112, 113, 113);
    EXPECT_EQ(dlg.IsDlgButtonChecked(112), BF_UNCHECKED);
    dlg.Destroy();
}

TEST(Dialog, ListBoxAndTransferData) {
    TPruefDialog dlg;
    dlg.Create();
    TListBoxData data;
    data.AddString("x = 1");
    data.AddString("x = -2", true);
    data.AddString("x = 3");
    dlg.list->Transfer(data, tdSetData);
    EXPECT_EQ(dlg.list->GetCount(), 3);
    EXPECT_EQ(dlg.list->GetSelIndex(), 1);
    EXPECT_EQ(dlg.list->FindExactString("X = 3"), 2);
    EXPECT_EQ(dlg.list->FindString("x = -"), 1);
    EXPECT_EQ(dlg.list->DeleteString(0), 2);
    EXPECT_EQ(dlg.list->DeleteString(5), -1);
    TListBoxData back;
    dlg.list->Transfer(back, tdGetData);
    ASSERT_EQ(back.GetStrings().size(), 2u);
    char buf[16];
    EXPECT_EQ(back.GetSelString(buf, sizeof buf), 6);
    EXPECT_STREQ(buf, "x = -2");
    EXPECT_EQ(back.GetSelString(buf, sizeof buf, 1), -1);
    dlg.list->ClearList();
    EXPECT_EQ(dlg.list->GetSelIndex(), -1);
    dlg.Destroy();
}

TEST(Dialog, HandlersRunByControlId) {
    TPruefDialog dlg;
    dlg.Create();
    static_cast<QAbstractButton*>(W(dlg.GetDlgItem(130)))->click();
    EXPECT_EQ(dlg.schnellClicks, 1);
    EXPECT_EQ(dlg.IsDlgButtonChecked(130), BF_CHECKED);
    dlg.SendCommand(130);
    EXPECT_EQ(dlg.schnellClicks, 2);
    dlg.Destroy();
}

TEST(Dialog, ExecuteReturnsTheCloseCodeAndAsksCanCloseOnlyForOk) {
    TPruefDialog dlg;
    WhenModal([&] {
        dlg.allowClose = false;
        dlg.SendCommand(IDOK); // refused: stays open
        EXPECT_TRUE(dlg.IsWindow());
        dlg.allowClose = true;
        dlg.SendCommand(IDOK);
    });
    EXPECT_EQ(dlg.Execute(), IDOK);
    EXPECT_FALSE(dlg.IsWindow());

    TPruefDialog again;
    WhenModal([&] {
        again.allowClose = false;
        again.SendCommand(IDCANCEL); // cancel does not ask
    });
    EXPECT_EQ(again.Execute(), IDCANCEL);
}

TEST(Dialog, TitleBarCloseAsksCanCloseAndObeysTheGreyedEntry) {
    TPruefDialog dlg;
    dlg.Create();
    QWidget* w = W(dlg.GetHandle());
    dlg.allowClose = false;
    w->close();
    EXPECT_TRUE(dlg.IsWindow());
    dlg.allowClose = true;
    ASSERT_TRUE(w->isVisible());
    dlg.EnableCloseEntry(false);
    EXPECT_TRUE(w->isVisible()) << "greying the close entry keeps the window shown";
    w->close();
    EXPECT_TRUE(dlg.IsWindow()) << "a greyed close entry does nothing";
    dlg.EnableCloseEntry(true);
    w->close();
    EXPECT_FALSE(dlg.IsWindow());
}

TEST(Dialog, GreyingTheCloseEntryKeepsAModalDialogInItsLoop) {
    TPruefDialog dlg;
    bool stillModal = false, refused = false;
    WhenModal([&] {
        QWidget* w = W(dlg.GetHandle());
        dlg.EnableCloseEntry(false);
        w->close();
        refused = dlg.IsWindow();
        QApplication::processEvents();
        stillModal = QApplication::activeModalWidget() == w;
        dlg.EnableCloseEntry(true);
        dlg.CloseWindow(IDOK);
    });
    EXPECT_EQ(dlg.Execute(), IDOK);
    EXPECT_TRUE(refused);
    EXPECT_TRUE(stillModal);
}

TEST(Dialog, EnterPressesTheDefaultButtonAndEscapeRespectsADisabledCancel) {
    TPruefDialog dlg;
    WhenModal([&] {
        QWidget* edit = W(dlg.GetDlgItem(101));
        dlg.EnableWindow(true);
        dlg.edit->SetFocus();
        W(dlg.GetDlgItem(IDCANCEL))->setEnabled(false);
        SendKey(edit, Qt::Key_Escape);
        EXPECT_TRUE(dlg.IsWindow()) << "Escape must not leave while cancel is disabled";
        SendKey(edit, Qt::Key_Return);
    });
    EXPECT_EQ(dlg.Execute(), IDOK);
}

TEST(Dialog, AcceleratorsComeBeforeTheFocusedControl) {
    TPruefDialog dlg;
    dlg.AddAccelerator(VK_NUMPAD0 + 7, 130);
    dlg.Create();
    dlg.edit->SetFocus();
    SendKey(W(dlg.GetDlgItem(101)), Qt::Key_7, Qt::KeypadModifier, QStringLiteral("7"));
    EXPECT_EQ(dlg.schnellClicks, 1);
    char buf[8];
    dlg.edit->GetText(buf, sizeof buf);
    EXPECT_STREQ(buf, "") << "the key went to the accelerator, not into the edit";
    SendKey(W(dlg.GetDlgItem(101)), Qt::Key_7, Qt::NoModifier, QStringLiteral("7"));
    dlg.edit->GetText(buf, sizeof buf);
    EXPECT_STREQ(buf, "7") << "the main keyboard's 7 is no keypad key";
    dlg.Destroy();
}

TEST(Dialog, TimersReachEvTimerUntilKilled) {
    struct TTicker : TDialog {
        TTicker() : TDialog(nullptr, 4711, &TPruefDialog::module_) {}
        void EvTimer(unsigned id) override {
            if (id == 565 && ++ticks == 3) KillTimer(565);
        }
        int ticks = 0;
    } dlg;
    dlg.Create();
    EXPECT_TRUE(dlg.SetTimer(565, 5));
    unsigned long start = GetTickCount();
    while (GetTickCount() - start < 200) PumpWaitingMessages();
    EXPECT_EQ(dlg.ticks, 3);
    EXPECT_FALSE(dlg.KillTimer(565));
    dlg.Destroy();
}

TEST(Dialog, F1PressesTheHelpButtonOfTheActiveDialog) {
    TDlgResource layout;
    layout.cx = 100, layout.cy = 40;
    layout.items = {{101, TCtlKind::Edit, "", 5, 5, 50, 12},
                    {302, TCtlKind::PushButton, "&Hilfe", 60, 5, 30, 14}};
    struct THelp : TDialog {
        explicit THelp(const TDlgResource& l) : TDialog(nullptr, l) {
            OnClicked(302, &THelp::BNClickedHelp);
        }
        void BNClickedHelp() { ++help; }
        int help = 0;
    } dlg(layout);
    dlg.Create();
    QWidget* edit = W(dlg.GetDlgItem(101));
    edit->setFocus();
    RemoveDialogKeyFilter();
    SendKey(edit, Qt::Key_F1);
    EXPECT_EQ(dlg.help, 0);
    InstallDialogKeyFilter();
    SendKey(edit, Qt::Key_F1);
    EXPECT_EQ(dlg.help, 1);
    RemoveDialogKeyFilter();
    dlg.Destroy();
}

TEST(Dialog, EnterInAMultiLineEditPressesTheDefaultButtonUnlessItWantsReturns) {
    TDlgResource layout;
    layout.cx = 100, layout.cy = 60;
    layout.items = {{101, TCtlKind::Edit, "", 5, 5, 80, 20, ES_MULTILINE},
                    {102, TCtlKind::Edit, "", 5, 28, 80, 20, ES_MULTILINE | ES_WANTRETURN},
                    {IDOK, TCtlKind::PushButton, "OK", 5, 50, 30, 10, BS_DEFPUSHBUTTON}};
    TDialog dlg(nullptr, layout);
    WhenModal([&] {
        QWidget* wants = W(dlg.GetDlgItem(102));
        ::SetFocus(dlg.GetDlgItem(102));
        SendKey(wants, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
        char text[10];
        EXPECT_EQ(dlg.GetDlgItemText(102, text, sizeof text), 2) << "a line break: \\r\\n";
        EXPECT_TRUE(dlg.IsWindow());
        ::SetFocus(dlg.GetDlgItem(101));
        SendKey(W(dlg.GetDlgItem(101)), Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
    });
    EXPECT_EQ(dlg.Execute(), IDOK);
}

TEST(Dialog, AMissingLayoutFailsInsteadOfShowingAnEmptyWindow) {
    TDialog dlg(nullptr, 999, &TPruefDialog::module_);
    EXPECT_FALSE(dlg.Create());
    EXPECT_EQ(dlg.Execute(), -1);
}

namespace {

// A dialog that keeps the wheel turns it is told of.
class TWheelDialog : public TDialog {
public:
    using TDialog::TDialog;
    void EvMouseWheel(unsigned, int zDelta, const TPoint& point) override {
        Delta += zDelta;
        Where = point;
    }
    int Delta = 0;
    TPoint Where;
};

TEST(Dialog, TheMouseWheelReachesTheWindowAndTheClipboardHoldsText) {
    TWheelDialog dlg(nullptr, TestLayout());
    ASSERT_TRUE(dlg.Create());
    QWidget* w = WidgetOf(&dlg);
    QWheelEvent wheel(QPointF(30, 40), w->mapToGlobal(QPointF(30, 40)), QPoint(), QPoint(0, 240),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(w, &wheel);
    EXPECT_EQ(dlg.Delta, 240);
    EXPECT_EQ(dlg.Where.x, 30);
    EXPECT_EQ(dlg.Where.y, 40);
    dlg.Destroy();
    ASSERT_TRUE(CopyTextToClipboard("x\tf(x)\r\n1\tGrö\xDF"
                                    "e"));
    EXPECT_EQ(GetClipboardText(), "x\tf(x)\r\n1\tGr\xF6\xDF"
                                  "e");
}

} // namespace
