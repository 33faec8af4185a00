// Frames with a client dialog, menus and a status bar; painting through EvPaint and Paint;
// client DCs; the order of top-level windows; modules loaded by name.
#include "application.h"
#include "controls.h"
#include "dc.h"
#include "dialog.h"
#include "dlgres.h"
#include "frame.h"
#include "winapi.h"

#include "qtbridge.h"
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QMimeData>
#include <QPainter>
#include <QPdfWriter>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

TDlgResource ClientLayout() {
    TDlgResource r;
    r.caption = "Modul";
    r.cx = 120, r.cy = 60;
    r.items = {{101, TCtlKind::Edit, "", 5, 5, 60, 12},
               {IDCANCEL, TCtlKind::PushButton, "&Beenden", 5, 40, 40, 14}};
    return r;
}

struct TClient : TDialog {
    explicit TClient(TWindow* parent) : TDialog(parent, ClientLayout()) {}
    bool CanClose() override { return allow; }
    void EvCommand(unsigned id, HWND h, unsigned code) override {
        if (id == 77 && code == 0) ++menuCommands;
        TDialog::EvCommand(id, h, code);
    }
    bool allow = true;
    int menuCommands = 0;
};

QWidget* W(HWND h) {
    return reinterpret_cast<QWidget*>(h);
}

QImage Grab(TWindow& w) {
    QApplication::processEvents();
    return W(w.GetHandle())->grab().toImage();
}

} // namespace

TEST(Frame, HoldsItsClientMenuAndStatusBar) {
    TDecoratedFrame frame(nullptr, "Rahmen", nullptr);
    auto* client = new TClient(&frame);
    frame.SetClientWindow(client);
    frame.SetMenu({{"&Datei", {{77, "&Etwas"}, {0, ""}, {78, "&Anderes"}}}});
    auto* bar = new TStatusBar(&frame);
    frame.Insert(*bar);
    ASSERT_TRUE(frame.Create());
    EXPECT_TRUE(client->IsWindow());
    EXPECT_TRUE(bar->IsWindow());
    EXPECT_EQ(frame.GetStatusBar(), bar);
    EXPECT_EQ(GetActiveTopWindow(), &frame);
    // The client sits inside the frame, which is at least as large.
    EXPECT_FALSE(W(client->GetHandle())->isWindow());
    EXPECT_GE(W(frame.GetHandle())->height(), W(client->GetHandle())->height());

    bar->SetHintText("Geben Sie eine Funktion ein.");
    EXPECT_EQ(bar->GetHintText(), "Geben Sie eine Funktion ein.");
    bar->SetHintText(nullptr);
    EXPECT_EQ(bar->GetHintText(), "");

    // Menu commands go to the client when the frame has no handler.
    EXPECT_TRUE(frame.ChooseMenuItem(77));
    EXPECT_EQ(client->menuCommands, 1);
    frame.EnableMenuItem(77, false);
    EXPECT_FALSE(frame.ChooseMenuItem(77));
    EXPECT_FALSE(frame.ChooseMenuItem(4711));

    // The client's caption change reaches only the client; the frame's title is its own.
    frame.SetCaption("Rechner - Unbenannt.rec");
    EXPECT_EQ(W(frame.GetHandle())->windowTitle(), QStringLiteral("Rechner - Unbenannt.rec"));

    // Closing the frame asks the client.
    client->allow = false;
    W(frame.GetHandle())->close();
    EXPECT_TRUE(frame.IsWindow());
    client->allow = true;
    // The client's own "Beenden" closes the frame too.
    client->SendCommand(IDCANCEL);
    EXPECT_FALSE(client->IsWindow());
    EXPECT_FALSE(frame.IsWindow());
}

TEST(Paint, EvPaintGivesADcOnTheWindowAndClientDcsStayUntilInvalidated) {
    struct TCanvas : TWindow {
        TCanvas() : TWindow(nullptr, "Zeichenfläche") { Attr.W = 100, Attr.H = 80; }
        void Paint(TDC& dc, bool, TRect& rect) override {
            ++paints;
            seen = rect;
            dc.FillRect(TRect(0, 0, 50, 80), TBrush(TColor(255, 0, 0)));
        }
        int paints = 0;
        TRect seen;
    } canvas;
    ASSERT_TRUE(canvas.Create());
    QImage img = Grab(canvas);
    EXPECT_GT(canvas.paints, 0);
    EXPECT_EQ(img.pixelColor(10, 10), QColor(255, 0, 0));
    EXPECT_NE(img.pixelColor(70, 10), QColor(255, 0, 0));
    {
        TClientDC dc(canvas);
        dc.FillRect(TRect(60, 0, 100, 80), TBrush(TColor(0, 0, 255)));
    }
    img = Grab(canvas);
    EXPECT_EQ(img.pixelColor(70, 10), QColor(0, 0, 255)) << "a client DC's drawing shows";
    EXPECT_EQ(img.pixelColor(10, 10), QColor(255, 0, 0));
    canvas.Invalidate();
    img = Grab(canvas);
    EXPECT_NE(img.pixelColor(70, 10), QColor(0, 0, 255)) << "gone after Invalidate";
    canvas.Destroy();
}

TEST(Paint, ControlsPaintOverThePlatformsDrawing) {
    struct TFramed : TControl {
        using TControl::TControl;
        void Paint(TDC& dc, bool, TRect& rect) override {
            dc.SelectObject(TPen(TColor(0, 0, 128)));
            dc.SelectObject(TBrush::Null());
            TRect r = GetClientRect();
            dc.Rectangle(r);
            painted = rect.Width() > 0;
        }
        bool painted = false;
    };
    TDialog dlg(nullptr, ClientLayout());
    auto* edit = new TFramed(&dlg, 101);
    dlg.Create();
    QImage img = W(edit->GetHandle())->grab().toImage();
    EXPECT_TRUE(edit->painted);
    EXPECT_EQ(img.pixelColor(0, 0), QColor(0, 0, 128)) << "the frame is drawn after the edit";
    EXPECT_EQ(img.pixelColor(img.width() - 1, img.height() - 1), QColor(0, 0, 128));
    dlg.Destroy();
}

TEST(Windows, ControlsCreatedInCodeAndDeletedWithTheirParent) {
    TDialog dlg(nullptr, ClientLayout());
    dlg.Create();
    auto* preview = new TControl(&dlg, 1111, "", 10, 10, 40, 30);
    EXPECT_FALSE(preview->IsWindow());
    ASSERT_TRUE(preview->Create());
    EXPECT_EQ(dlg.GetDlgItem(1111), preview->GetHandle());
    EXPECT_EQ(preview->GetClientRect(), TRect(0, 0, 40, 30));
    auto* label = new TStatic(&dlg, 1112, "Hallo", 10, 50, 40, 10);
    label->Create();
    char text[10];
    dlg.GetDlgItemText(1112, text, sizeof text);
    EXPECT_STREQ(text, "Hallo");
    EXPECT_EQ(dlg.ChildWithId(1111), preview);
    delete preview; // removes itself from its parent
    EXPECT_EQ(dlg.ChildWithId(1111), nullptr);
    dlg.Destroy();
}

TEST(Windows, TheLastShownTopLevelWindowIsTheActiveOne) {
    TDialog a(nullptr, ClientLayout()), b(nullptr, ClientLayout());
    a.Create();
    b.Create();
    EXPECT_EQ(GetActiveTopWindow(), &b);
    a.BringWindowToTop();
    EXPECT_EQ(GetActiveTopWindow(), &a);
    a.Destroy();
    EXPECT_EQ(GetActiveTopWindow(), &b);
    b.Destroy();
}

TEST(Modules, NamesWithoutRegisteredDialogsAreLoadedAsLibraries) {
    TModule known("ORVELIN.EXE", false);
    EXPECT_STREQ(known.GetName(), "ORVELIN.EXE");
    // A library that does not exist leaves the module empty, without harm.
    TModule missing("GIBTESNICHT.DLL");
    EXPECT_EQ(missing.FindDialog(1), nullptr);
}

TEST(Clipboard, APictureGoesToTheClipboardAsImageAndSvg) {
    bool ok = CopyPictureToClipboard(
        50, 40, [](TDC& dc) { dc.FillRect(TRect(0, 0, 25, 40), TBrush(TColor(0, 128, 0))); });
    ASSERT_TRUE(ok);
    const QMimeData* mime = QApplication::clipboard()->mimeData();
    ASSERT_NE(mime, nullptr);
    QImage img = qvariant_cast<QImage>(mime->imageData());
    ASSERT_EQ(img.size(), QSize(50, 40));
    EXPECT_EQ(img.pixelColor(5, 5), QColor(0, 128, 0));
    EXPECT_TRUE(mime->data(QStringLiteral("image/svg+xml")).contains("<svg"));
    EXPECT_FALSE(CopyPictureToClipboard(0, 10, [](TDC&) {}));
}

TEST(Paint, PagesOfAPdfFileAreDrawnInTenthsOfAMillimetre) {
    QString file = QDir::temp().filePath(QStringLiteral("orvl_dc_test.pdf"));
    QPdfWriter writer(file);
    writer.setResolution(300);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    {
        QPainter painter(&writer);
        TPainterDC dc(painter);
        EXPECT_EQ(dc.GetDeviceCaps(LOGPIXELSX), 300);
        EXPECT_NEAR(dc.GetDeviceCaps(HORZSIZE), 210, 1);
        dc.SetMapMode(MM_LOMETRIC);
        TPoint corner(2100, -2970);
        dc.LPtoDP(&corner);
        // 210 mm at 300 dpi, y downwards on the device.
        EXPECT_NEAR(corner.x, 2480, 1);
        EXPECT_NEAR(corner.y, 3508, 1);
        dc.SelectObject(TFont("DejaVu Sans", -40));
        EXPECT_TRUE(dc.TextOut(250, -500, "Funktion"));
        dc.MoveTo(0, -475);
        EXPECT_TRUE(dc.LineTo(2100, -475));
    }
    EXPECT_GT(QFileInfo(file).size(), 500);
    QFile::remove(file);
}

TEST(Screen, TheHeadlessScreenIsAFullHdDesktop) {
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 1920);
    EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), 1080);
    EXPECT_GT(GetSystemMetrics(SM_CYCAPTION), 10);
}
