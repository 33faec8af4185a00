// Talking controls in a real dialog: what reaches the info field and the status bar when the
// mouse moves over a control or it takes the focus, the fill texts, frames and colour faces.
#include "dialog.h"
#include "dlgres.h"
#include "qtbridge.h"
#include "talk.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QComboBox>
#include <QImage>
#include <QMouseEvent>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <unistd.h>

namespace {

TDlgResource TalkLayout() {
    TDlgResource r;
    r.caption = "Sprechende Steuerelemente";
    r.cx = 260, r.cy = 160;
    r.items = {
        {201, TCtlKind::PushButton, "&Berechne...", 10, 10, 60, 14},
        {261, TCtlKind::PushButton, "&Taschenrechner öffnen >>", 80, 10, 120, 14},
        {1101, TCtlKind::Edit, "", 10, 30, 80, 12},
        {1102, TCtlKind::Edit, "", 100, 30, 80, 12},
        {230, TCtlKind::Static, "Ergebnis", 10, 46, 80, 10},
        {240, TCtlKind::ListBox, "", 10, 60, 60, 30},
        {250, TCtlKind::ComboBox, "", 80, 60, 60, 40, CBS_DROPDOWNLIST},
        {270, TCtlKind::RadioButton, "DEG", 150, 60, 30, 10, WS_GROUP},
        {282, TCtlKind::CheckBox, "&schnell", 150, 74, 40, 10},
        {290, TCtlKind::PushButton, "", 200, 60, 30, 20},
        {291, TCtlKind::PushButton, "", 200, 84, 30, 20},
        {216, TCtlKind::Static, "", 10, 140, 240, 10},
    };
    return r;
}

const char kButtonInfo[] = "Drücken Sie 'Berechne...', um die Berechnung auszuführen.";
const char kOpenInfo[] = "Drücken Sie '>>', um den Taschenrechner zu öffnen.";
const char kCloseInfo[] = "Drücken Sie '<<', um den Taschenrechner zu schließen.";
const char kEditInfo[] = "Geben Sie bei 'x=' den zu verwendenden Wert für die x-Variable ein.";

class TTalkDialog : public TDialog {
public:
    TTalkDialog() : TDialog(nullptr, TalkLayout()) {
        button = new TTalkButton(this, 201, 216, kButtonInfo, "", "");
        toggle =
            new TTalkButton(this, 261, 216, kCloseInfo, "&Taschenrechner öffnen >>", kOpenInfo);
        edit = new TTalkEdit(this, 1101, 2, 216, kEditInfo, "0", 251);
        edit2 = new TTalkEdit(this, 1102, 1, 216, "Zweites Feld", "1", 20);
        label = new TTalkStatic(this, 230, 216, "Hier steht das Ergebnis.", 0);
        list = new TTalkListBox(this, 240, 216, std::string(150, 'l').c_str());
        combo = new TTalkComboBox(this, 250, 216, "Wählen Sie eine Basis.", 0);
        radio = new TTalkRadioButton(this, 270, 216, "Altgrad");
        check = new TTalkControl(this, 282, 216, "Markieren Sie 'schnell'.");
        blue = new TTalkButtonP(this, 290, 0, 216, "Blau", "", "");
        red = new TTalkButtonP(this, 291, 1, 216, "Rot", "", "");
    }
    TTalkButton *button, *toggle;
    TTalkEdit *edit, *edit2;
    TTalkStatic* label;
    TTalkListBox* list;
    TTalkComboBox* combo;
    TTalkRadioButton* radio;
    TTalkControl* check;
    TTalkButtonP *blue, *red;
};

class TalkTest : public ::testing::Test {
protected:
    void SetUp() override {
        dlg = std::make_unique<TTalkDialog>();
        ASSERT_TRUE(dlg->Create());
        QApplication::processEvents();
    }
    void TearDown() override {
        dlg->Destroy();
        dlg.reset();
        QApplication::processEvents();
    }
    // The mouse moves over the control, as the window system reports it.
    static void Hover(TWindow* control) {
        QWidget* w = WidgetOf(control);
        ASSERT_NE(w, nullptr);
        // A list's mouse events arrive at its viewport.
        if (auto* area = qobject_cast<QAbstractScrollArea*>(w)) w = area->viewport();
        const QPointF local(w->width() / 2, w->height() / 2);
        QMouseEvent move(QEvent::MouseMove, local, w->mapToGlobal(local), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(w, &move);
    }
    std::string Info() const {
        char text[400];
        dlg->GetDlgItemText(216, text, sizeof text);
        return text;
    }
    static QColor Pixel(TWindow* control, int x, int y) {
        QWidget* w = WidgetOf(control);
        return w->grab().toImage().pixelColor(x < 0 ? w->width() + x : x,
                                              y < 0 ? w->height() + y : y);
    }
    std::unique_ptr<TTalkDialog> dlg;
};

TEST_F(TalkTest, HoverWritesTheInfoFieldOnlyWhenTheTextDiffers) {
    Hover(dlg->button);
    EXPECT_EQ(Info(), kButtonInfo);
    // A field showing the same words in other letters (also the umlauts) is left alone, so
    // moving the mouse about does not make it flicker.
    dlg->SetDlgItemText(216, "DRÜCKEN SIE 'BERECHNE...', UM DIE BERECHNUNG AUSZUFÜHREN.");
    Hover(dlg->button);
    EXPECT_EQ(Info(), "DRÜCKEN SIE 'BERECHNE...', UM DIE BERECHNUNG AUSZUFÜHREN.");
    // The next control replaces it.
    Hover(dlg->edit);
    EXPECT_EQ(Info(), kEditInfo);
    Hover(dlg->check);
    EXPECT_EQ(Info(), "Markieren Sie 'schnell'.");
}

TEST_F(TalkTest, EveryKindTalksWhenTheMouseIsOverIt) {
    Hover(dlg->label);
    EXPECT_EQ(Info(), "Hier steht das Ergebnis."); // a static never has the focus
    Hover(dlg->combo);
    EXPECT_EQ(Info(), "Wählen Sie eine Basis.");
    Hover(dlg->radio);
    EXPECT_EQ(Info(), "Altgrad");
    Hover(dlg->list);
    EXPECT_EQ(Info(), std::string(100, 'l')); // the list box keeps 100 characters
    // A swatch has no caption, which is no reason to take the (empty) alternative text.
    Hover(dlg->blue);
    EXPECT_EQ(Info(), "Blau");
}

// The window system's own mouse moves, which reach a list through its viewport.
TEST_F(TalkTest, RealMouseMovesReachListsAndButtons) {
    for (TWindow* control : {static_cast<TWindow*>(dlg->list), static_cast<TWindow*>(dlg->button),
                             static_cast<TWindow*>(dlg->label)}) {
        dlg->SetDlgItemText(216, "");
        QWidget* w = WidgetOf(control);
        QTest::mouseMove(w, QPoint(3, 3));
        QTest::mouseMove(w, QPoint(w->width() / 2, w->height() / 2));
        QApplication::processEvents();
        EXPECT_FALSE(Info().empty()) << control->GetId();
    }
}

TEST_F(TalkTest, FocusShowsTheInfoTextButNotForGenericControls) {
    dlg->edit->SetFocus();
    QApplication::processEvents();
    EXPECT_EQ(Info(), kEditInfo);
    dlg->button->SetFocus();
    QApplication::processEvents();
    EXPECT_EQ(Info(), kButtonInfo);
    dlg->combo->SetFocus();
    QApplication::processEvents();
    EXPECT_EQ(Info(), "Wählen Sie eine Basis.");
    dlg->check->SetFocus();
    QApplication::processEvents();
    EXPECT_EQ(Info(), "Wählen Sie eine Basis.");
}

TEST_F(TalkTest, ToggleButtonTellsWhatItDoesNext) {
    Hover(dlg->toggle);
    EXPECT_EQ(Info(), kOpenInfo); // the caption is the alternative one
    dlg->toggle->SetCaption("&Taschenrechner schliessen <<");
    Hover(dlg->toggle);
    EXPECT_EQ(Info(), kCloseInfo);
    // The caption is compared without regard to letter case.
    dlg->toggle->SetCaption("&TASCHENRECHNER ÖFFNEN >>");
    Hover(dlg->toggle);
    EXPECT_EQ(Info(), kOpenInfo);
}

TEST_F(TalkTest, EmptiedEditGetsItsFillTextWhenLeft) {
    dlg->edit->SetFocus();
    dlg->edit->SetWindowText("");
    dlg->edit2->SetFocus();
    QApplication::processEvents();
    EXPECT_EQ(dlg->edit->TWindow::GetText(), "0");
    // Text the user typed stays.
    dlg->edit2->SetWindowText("x+1");
    dlg->edit->SetFocus();
    QApplication::processEvents();
    EXPECT_EQ(dlg->edit2->TWindow::GetText(), "x+1");
}

TEST_F(TalkTest, SetInfoReplacesTheTextOnlyWithANonEmptyOne) {
    dlg->check->SetInfo("Neuer Text");
    EXPECT_EQ(Info(), "Neuer Text");
    dlg->SetDlgItemText(216, "");
    dlg->check->SetInfo("");
    EXPECT_EQ(Info(), "Neuer Text");
    // Longer texts are cut at the control's limit.
    dlg->check->SetInfo(std::string(300, 'a').c_str());
    EXPECT_EQ(Info(), std::string(250, 'a'));
}

TEST_F(TalkTest, EditFrameAndColourFacesUseTheirColours) {
    // Green frame around the first edit, maroon around the second, inside their edges.
    EXPECT_EQ(Pixel(dlg->edit, 0, 5), QColor(0, 128, 0));
    EXPECT_EQ(Pixel(dlg->edit, -2, 5), QColor(0, 128, 0));
    EXPECT_EQ(Pixel(dlg->edit2, 5, 0), QColor(128, 0, 0));
    // Colour swatches: light edge at the top, dark edge at the bottom, the face in between.
    QWidget* w = WidgetOf(dlg->blue);
    const int cx = w->width() / 2, cy = w->height() / 2;
    EXPECT_EQ(Pixel(dlg->blue, cx, cy), QColor(0, 0, 255));
    EXPECT_EQ(Pixel(dlg->blue, cx, 1), QColor(166, 202, 240));
    EXPECT_EQ(Pixel(dlg->blue, cx, 2), QColor(166, 202, 240));
    EXPECT_EQ(Pixel(dlg->blue, cx, w->height() - 3), QColor(0, 0, 128));
    EXPECT_EQ(Pixel(dlg->blue, w->width() - 3, cy), QColor(0, 0, 128));
    EXPECT_EQ(Pixel(dlg->red, cx, cy), QColor(255, 0, 0));
    EXPECT_EQ(Pixel(dlg->red, 1, cy), QColor(255, 0, 128));
}

TEST_F(TalkTest, ComboListClosesOnItsTimerAndWhenLeft) {
    for (const char* s : {"DEC", "BIN", "HEX"}) dlg->combo->AddString(s);
    dlg->combo->SetFocus();
    auto open = [&] {
        // The list opens again only once its closing has finished.
        for (int i = 0; i < 50 && !dlg->combo->GetDroppedState(); ++i) {
            dlg->combo->ShowList();
            QApplication::processEvents();
            usleep(20000);
        }
        return dlg->combo->GetDroppedState();
    };
    ASSERT_TRUE(open());
    // A mouse move starts the closing timer; a timer of another id does not close the list.
    Hover(dlg->combo);
    dlg->combo->EvTimer(1);
    EXPECT_TRUE(dlg->combo->GetDroppedState());
    dlg->combo->EvTimer(TTalkComboBox::CloseTimerId);
    EXPECT_FALSE(dlg->combo->GetDroppedState());
    ASSERT_TRUE(open());
    dlg->combo->EvKillFocus(nullptr);
    EXPECT_FALSE(dlg->combo->GetDroppedState());
}

TEST(TalkStatusBar, ControlsWithoutInfoFieldTellTheStatusBar) {
    TExtStatusBar bar;
    char text[200];
    EXPECT_STREQ(bar.HoleText(text), "");

    TTalkDialog dlg;
    auto* framed = new TTalkControl(&dlg, 282, 0, "In der Statuszeile.");
    auto* edit = new TTalkEdit(&dlg, 1102, 0, &bar, std::string(120, 'e').c_str(), "0", 10);
    ASSERT_TRUE(dlg.Create());
    dlg.SetDlgItemText(216, "unberührt");
    framed->SetStatusBar(&bar);
    framed->SetInfo();
    EXPECT_STREQ(bar.HoleText(text), "In der Statuszeile.");
    // Only a different text is passed on: the bar keeps its spelling.
    bar.SetHintText("IN DER STATUSZEILE.");
    framed->SetInfo();
    EXPECT_STREQ(bar.HoleText(text), "IN DER STATUSZEILE.");
    // The edit's status-bar form keeps 100 characters and always tells the bar.
    edit->SetInfo();
    EXPECT_EQ(std::string(bar.HoleText(text)), std::string(100, 'e'));
    EXPECT_EQ(dlg.GetText(), "Sprechende Steuerelemente");
    char field[50];
    dlg.GetDlgItemText(216, field, sizeof field);
    EXPECT_STREQ(field, "unberührt");
    // HoleText gives at most 199 characters.
    bar.SetHintText(std::string(500, 'h').c_str());
    EXPECT_EQ(std::string(bar.HoleText(text)), std::string(199, 'h'));
    dlg.Destroy();
}

TEST(TalkCompare, LettersOfWindows1252FoldTogether) {
    EXPECT_EQ(CompareNoCase("Größe ÄÖÜ", "GRÖßE äöü"), 0);
    EXPECT_EQ(CompareNoCase("Šœ", "šŒ"), 0);
    EXPECT_NE(CompareNoCase("Text", "Texte"), 0);
    EXPECT_NE(CompareNoCase("×", "÷"), 0); // signs, not letters
    EXPECT_EQ(CompareNoCase(nullptr, ""), 0);
}

} // namespace
