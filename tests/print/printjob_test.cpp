#include "dc.h"
#include "dlgres.h"
#include "headless.h"
#include "printer_p.h"
#include "privateprofile.h"
#include "qtbridge.h"
#include "vdbaseprintdlg.h"
#include "vdmainprintdlg.h"
#include "vdprint.h"
#include "winapi.h"

#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMimeData>
#include <QScrollArea>
#include <QScrollBar>
#include <QTemporaryDir>
#include <cstdio>
#include <gtest/gtest.h>

namespace {

// A module window that records how it was asked to draw.
class TRecordingTarget : public vdBasePrintDlg {
public:
    TRecordingTarget() : vdBasePrintDlg(nullptr, Layout()) {}
    void CurrPrintout(bool preview, TDC& dc, bool, TRect& rect, int kind) override {
        ++calls;
        lastPreview = preview, lastKind = kind, lastRect = rect;
        mode = dc.GetMapMode();
        corner = TPoint(2100, -2970);
        dc.LPtoDP(&corner);
        dc.MoveTo(0, -1000);
        dc.LineTo(2100, -1000);
    }
    static TDlgResource Layout() {
        TDlgResource r;
        r.cx = 100, r.cy = 50;
        return r;
    }
    int calls = 0, lastKind = 0, mode = 0;
    bool lastPreview = true;
    TRect lastRect;
    TPoint corner;
};

std::string TakeText() {
    TRecordedMessage m;
    return TakeMessage(m) ? m.caption + " | " + m.text : std::string("(none)");
}

class PrintTest : public ::testing::Test {
protected:
    void SetUp() override {
        ClearRecords();
        SetPrinterSource(TPrinterSource::PdfOnly);
        ASSERT_TRUE(dir.isValid());
        progDir = dir.path().toStdString() + "/";
    }
    void TearDown() override {
        SetPrinterSource(TPrinterSource::System);
        ClearRecords();
    }
    QTemporaryDir dir;
    std::string progDir;
    TSize page{2100, -2970};
};

} // namespace

TEST_F(PrintTest, APrintoutWithFactorOneDrawsInTenthsOfAMillimetre) {
    TRecordingTarget target;
    vdPrintout printout("Test", &target, 3);
    printout.SetPageSize(&page);
    TBitmap bitmap(400, 560);
    {
        TMemoryDC dc(bitmap);
        printout.SetFit(1, 1.0f);
        printout.PrintPage(dc, TSize(400, 560));
        EXPECT_EQ(target.mode, MM_LOMETRIC);
        EXPECT_EQ(target.lastKind, 3);
        EXPECT_FALSE(target.lastPreview);
        EXPECT_EQ(target.lastRect, TRect(0, 0, 2100, -2970));
        // Scaled: the page's width spans the paper, its height factor × the paper's height.
        printout.SetFit(1, 0.5f);
        printout.PrintPage(dc, TSize(400, 560));
        EXPECT_EQ(target.mode, MM_ANISOTROPIC);
        EXPECT_EQ(target.corner, TPoint(400, 280));
        printout.SetFit(0, 0.915f);
        printout.PrintPage(dc, TSize(400, 560));
        EXPECT_EQ(target.corner, TPoint(366, 560));
        // The caller's mapping is back afterwards.
        EXPECT_EQ(dc.GetMapMode(), MM_TEXT);
    }
    EXPECT_EQ(target.calls, 3);
}

TEST_F(PrintTest, PrintErrorsAreReportedWithTheModulesTexts) {
    EXPECT_EQ(vdPrinter::ErrorText(-1, "Rechner"),
              "'Rechner' wurde nicht gedruckt. Fehler beim Ausdruck.");
    EXPECT_EQ(vdPrinter::ErrorText(-3, "%s"),
              "'%s' wurde nicht gedruckt. Der Ausdruck wurde im Druck-Manager abgebrochen .");
    EXPECT_EQ(vdPrinter::ErrorText(-5, "T"), "'T' wurde nicht gedruckt. Zuwenig Speicherplatz.");
    EXPECT_EQ(vdPrinter::ErrorText(0, "T"), "");
    EXPECT_EQ(vdPrinter::ErrorText(-6, "T"), "");
    vdPrinter::ReportError(nullptr, -2, "Rechner");
    EXPECT_EQ(TakeText(),
              "Drucken | aktueller Ausdruck:\r 'Rechner' wurde nicht gedruckt. Druck wurde "
              "abgebrochen.");
    vdPrinter::ReportError(nullptr, 1, "Rechner");
    EXPECT_EQ(PendingMessageCount(), 0);
}

TEST_F(PrintTest, APdfThatCannotBeWrittenIsReportedAndLeavesTheOldFile) {
    TRecordingTarget target;
    const std::string file = progDir + "seite.pdf";
    {
        QFile old(QString::fromStdString(file));
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("alt");
    }
    vdPrint job;
    auto* printout = new vdPrintout("Seite", &target, 1);
    printout->SetPageSize(&page);
    job.SetPrintout(printout);
    job.GetPrinter()->GetData().FileName = progDir + "fehlt/seite.pdf";
    EXPECT_FALSE(job.PrintIt(nullptr));
    EXPECT_EQ(TakeText(), "Drucken | aktueller Ausdruck:\r 'Seite' wurde nicht gedruckt. "
                          "Fehler beim Ausdruck.");
    {
        QFile old(QString::fromStdString(file));
        ASSERT_TRUE(old.open(QIODevice::ReadOnly));
        EXPECT_EQ(old.readAll(), QByteArray("alt"));
    }
    // A good file name: the old file is replaced as a whole.
    job.GetPrinter()->GetData().FileName = file;
    EXPECT_TRUE(job.PrintIt(nullptr));
    EXPECT_EQ(PendingMessageCount(), 0);
    QFile pdf(QString::fromStdString(file));
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    EXPECT_TRUE(pdf.readAll().startsWith("%PDF"));
    EXPECT_EQ(target.calls, 1);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 1);
}

TEST_F(PrintTest, WithoutAnyPrinterTheJobReportsItAndTheDialogRefusesToPrint) {
    SetPrinterSource(TPrinterSource::None);
    EXPECT_FALSE(vdPrinter::GotPrinter());
    TRecordingTarget target;
    vdPrint job;
    EXPECT_EQ(job.GetErrCode(), PDERR_NODEFAULTPRN);
    TModule module("ORVLPRN.DLL");
    vdMainPrintDlg dialog(&target, progDir.c_str(), &page, "Test", 1, 1, 1, 1, 1, "", "", "", &job,
                          1, 20000, &module);
    ASSERT_TRUE(dialog.Create());
    EXPECT_FALSE(dialog.IsPrinterValid());
    char text[100];
    dialog.GetDlgItemText(211, text, sizeof text);
    EXPECT_STREQ(text, "keinen");
    dialog.SendCommand(IDOK);
    EXPECT_TRUE(dialog.IsWindow());
    EXPECT_EQ(TakeText().substr(0, 28), "Drucken | Drucker:\r Es ist k");
    EXPECT_FALSE(IsWindowEnabled(dialog.GetDlgItem(501)));
    dialog.Destroy();
}

TEST_F(PrintTest, TheRememberedPaperComesBackAndAnUnknownCodeBecomesA4) {
    const std::string ini = progDir + "orvlprn.ini";
    WritePrivateProfileString("Drucker", "DeviceName", kPdfDevice, ini.c_str());
    WritePrivateProfileString("Drucker", "OutputName", kPdfOutput, ini.c_str());
    WritePrivateProfileString("Drucker", "DriverName", kPdfDriver, ini.c_str());
    WritePrivateProfileString("Drucker", "PaperSize", "256", ini.c_str());
    WritePrivateProfileString("Drucker", "PaperSizeCX", "210", ini.c_str());
    WritePrivateProfileString("Drucker", "PaperSizeCY", "297", ini.c_str());
    WritePrivateProfileString("Drucker", "Orientation", "7", ini.c_str());
    TRecordingTarget target;
    TModule module("ORVLPRN.DLL");
    {
        vdPrint job;
        vdMainPrintDlg dialog(&target, progDir.c_str(), &page, "Test", 1, 1, 1, 1, 1, "", "", "",
                              &job, 1, 20000, &module);
        EXPECT_EQ(dialog.GetMeData().DevMode.PaperWidth, 2100);
        EXPECT_EQ(dialog.GetMeData().DevMode.PaperLength, 2970);
        // An orientation that is neither portrait nor landscape is taken as portrait.
        EXPECT_EQ(dialog.GetMeData().DevMode.Orientation, kPortrait);
    }
    WritePrivateProfileString("Drucker", "PaperSize", "25", ini.c_str());
    vdPrint job;
    vdMainPrintDlg dialog(&target, progDir.c_str(), &page, "Test", 1, 1, 1, 1, 1, "", "", "", &job,
                          1, 20000, &module);
    ASSERT_TRUE(dialog.Create());
    EXPECT_EQ(TakeText(), "Seitengröße | Seite:\r Gewünschte Seitengröße kann nicht erzeugt "
                          "werden. Stattdessen wird DIN-A4 gesetzt.");
    EXPECT_EQ(dialog.GetPaperWidth(), 210.0f);
    EXPECT_EQ(dialog.GetPaperHeight(), 297.0f);
    char value[20];
    GetPrivateProfileString("Drucker", "PaperSize", "", value, sizeof value, ini.c_str());
    EXPECT_STREQ(value, "256");
    dialog.Destroy();
}

TEST_F(PrintTest, ThePreviewAndTheClipboardPictureDrawTheModulesPage) {
    TRecordingTarget target;
    TModule module("ORVLPRN.DLL");
    vdPrint job;
    vdMainPrintDlg dialog(&target, progDir.c_str(), &page, "Test", 1, 3, 1, 3, 2, "", "", "", &job,
                          2, 20000, &module);
    ASSERT_TRUE(dialog.Create());
    EXPECT_TRUE(dialog.IsPrinterValid());
    EXPECT_NE(job.GetPrintout(), nullptr);
    const TRect preview = dialog.GetPreviewRect(), area = dialog.GetPreviewArea();
    EXPECT_EQ(preview.Height(), area.Height() * 9 / 10);
    EXPECT_NEAR(preview.Width(), preview.Height() * 210.0 / 297.0, 1);

    // Pages: next and previous stay within 1 … 3.
    EXPECT_FALSE(IsWindowEnabled(dialog.GetDlgItem(216)));
    dialog.SendCommand(215);
    dialog.SendCommand(215);
    dialog.SendCommand(215);
    EXPECT_EQ(dialog.GetCurrentPage(), 3);
    EXPECT_FALSE(IsWindowEnabled(dialog.GetDlgItem(215)));
    EXPECT_TRUE(IsWindowEnabled(dialog.GetDlgItem(216)));
    EXPECT_FALSE(dialog.IsNumPageOK(4));
    EXPECT_EQ(dialog.GetCurrentPage(), 3);

    QGuiApplication::clipboard()->clear();
    target.calls = 0;
    dialog.SendCommand(203);
    EXPECT_GE(target.calls, 1);
    EXPECT_FALSE(target.lastPreview);
    EXPECT_EQ(target.lastKind, 2);
    const QMimeData* mime = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(mime, nullptr);
    EXPECT_TRUE(mime->hasImage());
    EXPECT_EQ(PendingMessageCount(), 0);
    // The buttons are usable again afterwards.
    EXPECT_TRUE(IsWindowEnabled(dialog.GetDlgItem(IDOK)));
    EXPECT_TRUE(IsWindowEnabled(dialog.GetDlgItem(501)));
    dialog.Destroy();
}

TEST_F(PrintTest, AClickOnThePreviewEnlargesItStepByStepToItsRealSizeInAScrolledView) {
    TRecordingTarget target;
    TModule module("ORVLPRN.DLL");
    vdPrint job;
    vdMainPrintDlg dialog(&target, progDir.c_str(), &page, "Test", 1, 1, 1, 1, 1, "", "", "", &job,
                          2, 20000, &module);
    ASSERT_TRUE(dialog.Create());
    QWidget* field = WidgetOf(dialog.GetDlgItem(325));
    ASSERT_NE(field, nullptr);
    const TRect fit = dialog.GetPreviewRect();
    // The offscreen screen has 96 dots per inch: A4 at its real size is 794 × 1123 pixels.
    const std::vector<TSize> steps = dialog.GetZoomSteps();
    ASSERT_EQ(steps.size(), 4u);
    EXPECT_EQ(steps[0], TSize(fit.Width(), fit.Height()));
    EXPECT_EQ(steps[1], TSize(397, 561));
    EXPECT_EQ(steps[2], TSize(595, 842));
    EXPECT_EQ(steps[3], TSize(794, 1123));
    EXPECT_EQ(field->findChild<QScrollArea*>(), nullptr);

    // A click on the page's middle: 50 %, with that point in the middle of the view.
    dialog.ClickPreview(TPoint(fit.Width() / 2, fit.Height() / 2), false);
    EXPECT_EQ(dialog.GetZoomStep(), 1);
    EXPECT_EQ(dialog.GetZoomPercent(), 50);
    auto* view = field->findChild<QScrollArea*>();
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->geometry(), field->rect());
    QWidget* pageWidget = WidgetOf(dialog.GetDlgItem(1111));
    ASSERT_NE(pageWidget, nullptr);
    EXPECT_EQ(pageWidget->size(), QSize(397, 561));
    EXPECT_TRUE(view->isAncestorOf(pageWidget));
    QScrollBar* h = view->horizontalScrollBar();
    QScrollBar* v = view->verticalScrollBar();
    const auto range = [&] {
        // The page with its margin of wood less what the view shows.
        const QSize shown = view->viewport()->size();
        const TRect rc = dialog.GetPreviewRect();
        return QSize(rc.right + rc.left - shown.width(), rc.bottom + rc.top - shown.height());
    };
    // The page point (in parts of the page) that the middle of the view shows.
    const auto middle = [&] {
        const TRect rc = dialog.GetPreviewRect();
        return QPointF(double(h->value() + view->viewport()->width() / 2 - rc.left) / rc.Width(),
                       double(v->value() + view->viewport()->height() / 2 - rc.top) / rc.Height());
    };
    EXPECT_EQ(QSize(h->maximum(), v->maximum()), range());
    EXPECT_GT(h->maximum(), 0);
    EXPECT_GT(v->maximum(), 0);
    EXPECT_NEAR(middle().x(), 0.5, 0.01);
    EXPECT_NEAR(middle().y(), 0.5, 0.01);
    char info[256];
    dialog.GetDlgItemText(221, info, sizeof info);
    EXPECT_STREQ(info, "Vorschau in 50 % der wirklichen Gr\xF6\xDF"
                       "e: ein Klick auf die Seite oder '+' vergr\xF6\xDF"
                       "ert sie, '-' verkleinert sie.");

    // A click further right and down: 75 % around that point; '+' keeps it in the middle.
    dialog.ClickPreview(TPoint(397 * 6 / 10, 561 * 6 / 10), false);
    EXPECT_EQ(dialog.GetZoomPercent(), 75);
    EXPECT_EQ(pageWidget->size(), QSize(595, 842));
    EXPECT_NEAR(middle().x(), 0.6, 0.01);
    EXPECT_NEAR(middle().y(), 0.6, 0.01);
    dialog.ZoomPreview(+1);
    EXPECT_EQ(dialog.GetZoomStep(), 3);
    EXPECT_EQ(pageWidget->size(), QSize(794, 1123));
    EXPECT_EQ(QSize(h->maximum(), v->maximum()), range());
    EXPECT_NEAR(middle().x(), 0.6, 0.01);
    EXPECT_NEAR(middle().y(), 0.6, 0.01);
    dialog.ZoomPreview(+1);
    EXPECT_EQ(dialog.GetZoomStep(), 3);
    // The arrow keys and the wheel scroll the view.
    int before = v->value();
    QKeyEvent down(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
    QCoreApplication::sendEvent(pageWidget, &down);
    EXPECT_GT(v->value(), before);
    before = v->value();
    dialog.ScrollPreview(-120, false);
    EXPECT_EQ(v->value(), before + 60);
    before = h->value();
    dialog.ScrollPreview(120, true);
    EXPECT_EQ(h->value(), before - 60);
    // The page is drawn at that size.
    target.calls = 0;
    pageWidget->grab();
    EXPECT_EQ(target.calls, 1);
    EXPECT_NEAR(target.corner.x, 794, 1);
    EXPECT_NEAR(target.corner.y, 1123, 1);

    // Another printer or paper makes the preview anew at the same step; the clipboard picture
    // still comes from the fitted page.
    QGuiApplication::clipboard()->clear();
    dialog.SendCommand(203);
    EXPECT_EQ(dialog.GetZoomStep(), 3);
    pageWidget = WidgetOf(dialog.GetDlgItem(1111));
    ASSERT_NE(pageWidget, nullptr);
    EXPECT_EQ(pageWidget->size(), QSize(794, 1123));
    const QImage picture =
        qvariant_cast<QImage>(QGuiApplication::clipboard()->mimeData()->imageData());
    EXPECT_EQ(picture.width(), int(std::lround(fit.Width() * 3.724)));

    // The click at the real size shows the whole page again, where it stood.
    dialog.ClickPreview(TPoint(10, 10), false);
    EXPECT_EQ(dialog.GetZoomStep(), 0);
    pageWidget = WidgetOf(dialog.GetDlgItem(1111));
    ASSERT_NE(pageWidget, nullptr);
    EXPECT_EQ(pageWidget->parentWidget(), field);
    EXPECT_EQ(pageWidget->geometry(), QRect(fit.left, fit.top, fit.Width(), fit.Height()));
    EXPECT_EQ(dialog.GetPreviewRect().Width(), fit.Width());
    dialog.ZoomPreview(-1);
    EXPECT_EQ(dialog.GetZoomStep(), 0);
    // Shift and click steps down, not round.
    dialog.ClickPreview(TPoint(10, 10), true);
    EXPECT_EQ(dialog.GetZoomStep(), 0);
    dialog.Destroy();
}
