// The keyboard in the layer's windows: access keys of statics, controls outside the visible
// part of a window, new edit texts shown from their start, and the end of the main loop when
// the last window goes.
#include "application.h"
#include "dialog.h"
#include "dlgres.h"
#include "qtbridge.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

TDlgResource KeyLayout() {
    TDlgResource r;
    r.caption = "Tastatur";
    r.cx = 200, r.cy = 80;
    r.items = {
        {10, TCtlKind::Static, "&Funktion:", 4, 4, 60, 8},
        {11, TCtlKind::Frame, "", 4, 14, 60, 4},
        {12, TCtlKind::Static, "noch ein Text", 4, 20, 60, 8},
        {13, TCtlKind::Edit, "", 70, 4, 80, 12},
        {20, TCtlKind::Static, "Gewinn && Verlust", 4, 30, 60, 8},
        {21, TCtlKind::Static, "&roh", 4, 40, 60, 8, SS_NOPREFIX},
        {22, TCtlKind::Edit, "", 70, 30, 80, 12},
        {1, TCtlKind::PushButton, "OK", 4, 60, 40, 14, BS_DEFPUSHBUTTON},
        {2, TCtlKind::PushButton, "&Zurück", 50, 60, 40, 14},
        // Below the window's bottom edge, as the keys of a closed pad.
        {30, TCtlKind::PushButton, "&unten", 4, 120, 40, 14},
    };
    return r;
}
const TDialogResourceRegistrar registrar("TASTEN.DLL", 77, KeyLayout());

struct TKeyDialog {
    TModule module{"TASTEN.DLL", false};
    TDialog* dlg = new TDialog(nullptr, 77, &module);
    QWidget* top = nullptr;
    TKeyDialog() {
        dlg->Create();
        top = WidgetOf(dlg);
        ActivateTop(top);
    }
    ~TKeyDialog() { delete dlg; }
    QWidget* Ctl(int id) const { return FindControl(top, id); }
};

TEST(Keyboard, AStaticsAccessKeyMovesTheFocusToTheNextControlThatTakesIt) {
    TKeyDialog d;
    auto* label = qobject_cast<QLabel*>(d.Ctl(10));
    ASSERT_TRUE(label);
    // Frames and statics are passed over; the static keeps its text as set.
    EXPECT_EQ(label->buddy(), d.Ctl(13));
    EXPECT_EQ(ControlText(label), QStringLiteral("&Funktion:"));
    d.Ctl(22)->setFocus();
    QTest::keyClick(d.Ctl(22), Qt::Key_F, Qt::AltModifier);
    EXPECT_EQ(QApplication::focusWidget(), d.Ctl(13));
    // "&&" is a plain "&", and SS_NOPREFIX shows the "&" as it is: no access key.
    EXPECT_EQ(qobject_cast<QLabel*>(d.Ctl(20))->buddy(), nullptr);
    EXPECT_EQ(qobject_cast<QLabel*>(d.Ctl(20))->text(), QStringLiteral("Gewinn & Verlust"));
    EXPECT_EQ(qobject_cast<QLabel*>(d.Ctl(21))->buddy(), nullptr);
    EXPECT_EQ(qobject_cast<QLabel*>(d.Ctl(21))->text(), QStringLiteral("&roh"));
}

TEST(Keyboard, ControlsOutsideTheVisibleWindowAreOutOfTabAndAccessKeys) {
    TKeyDialog d;
    QWidget* below = d.Ctl(30);
    ASSERT_TRUE(below->isVisible());
    EXPECT_FALSE(IsReachable(below));
    EXPECT_TRUE(IsReachable(d.Ctl(2)));
    int clicks = 0;
    QObject::connect(qobject_cast<QPushButton*>(below), &QPushButton::clicked, [&] { ++clicks; });
    d.Ctl(2)->setFocus();
    QTest::keyClick(d.Ctl(2), Qt::Key_Tab);
    EXPECT_NE(QApplication::focusWidget(), below);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_U, Qt::AltModifier);
    QTest::qWait(200);
    EXPECT_EQ(clicks, 0);
    // Focused all the same (by the program), it takes no key.
    below->setFocus();
    QTest::keyClick(below, Qt::Key_Space);
    EXPECT_EQ(clicks, 0);

    // The window grows over it: now it is reached, and its focus policy is as before.
    d.top->resize(d.top->width(), below->geometry().bottom() + 10);
    EXPECT_TRUE(IsReachable(below));
    EXPECT_EQ(below->focusPolicy(), Qt::StrongFocus);
    d.Ctl(2)->setFocus();
    QTest::keyClick(d.Ctl(2), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), below);
    QTest::keyClick(below, Qt::Key_U, Qt::AltModifier);
    QTest::qWait(200);
    EXPECT_EQ(clicks, 1);
}

TEST(Keyboard, ANewEditTextIsShownFromItsBeginning) {
    TKeyDialog d;
    auto* edit = qobject_cast<QLineEdit*>(d.Ctl(13));
    const std::string longText(300, 'x');
    d.dlg->SetDlgItemText(13, (longText + " Ende").c_str());
    EXPECT_EQ(edit->cursorPosition(), 0);
}

TEST(Keyboard, TheMainLoopEndsWhenTheLastWindowIsDestroyed) {
    auto* d = new TKeyDialog;
    ASSERT_TRUE(QApplication::quitOnLastWindowClosed());
    QTimer::singleShot(0, [d] { d->dlg->Destroy(IDCANCEL); });
    // Should the loop not end, this ends it with a code the test refuses.
    QTimer::singleShot(2000, [] { QCoreApplication::exit(7); });
    EXPECT_EQ(QApplication::exec(), 0);
    delete d;
}

} // namespace
