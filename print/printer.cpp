// The printer on Qt's printer support: the system's printers through QPrinter and its dialogs,
// and, where the machine has no printer, a PDF file written through QPdfWriter.
#include "dc.h"
#include "headless.h"
#include "mapping.h"
#include "printer_p.h"
#include "qtbridge.h"
#include "qtext.h"
#include "vdbaseprintdlg.h"
#include "vdparser.h"
#include "vdprint.h"
#include "winapi.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QSaveFile>
#include <cstdlib>
#include <cstring>

const char kPdfDriver[] = "PDF";
const char kPdfDevice[] = "PDF-Datei";
const char kPdfOutput[] = "FILE:";

namespace {

TPrinterSource StartSource() {
    const char* env = std::getenv("ORVELIN_PRINTERS");
    if (env && std::strcmp(env, "pdf") == 0) return TPrinterSource::PdfOnly;
    if (env && std::strcmp(env, "none") == 0) return TPrinterSource::None;
    return TPrinterSource::System;
}

TPrinterSource& Source() {
    static TPrinterSource source = StartSource();
    return source;
}

// Where a system printer is connected, as the settings show it after "an".
std::string OutputOf(const QPrinterInfo& info) {
    return info.location().isEmpty() ? std::string("CUPS") : ToCp1252(info.location());
}

QPageSize PageSizeOf(const TDevMode& mode) {
    const TPaperInfo* paper = FindPaper(mode.PaperSize);
    if (!paper || mode.PaperSize == kPaperUser)
        return QPageSize(QSizeF(mode.PaperWidth / 10.0, mode.PaperLength / 10.0),
                         QPageSize::Millimeter, QString(), QPageSize::FuzzyMatch);
    return QPageSize(QSizeF(paper->width, paper->height),
                     paper->mm ? QPageSize::Millimeter : QPageSize::Inch,
                     QString::fromLatin1(paper->name), QPageSize::FuzzyMatch);
}

QPageLayout::Orientation OrientationOf(const TDevMode& mode) {
    return mode.Orientation == kLandscape ? QPageLayout::Landscape : QPageLayout::Portrait;
}

// The device mode of a page size chosen in Qt's dialogs.
void TakePageSize(TDevMode& mode, const QPageSize& size, QPageLayout::Orientation orientation) {
    const QSizeF mm = size.size(QPageSize::Millimeter);
    mode.PaperSize = PaperCodeForSize(mm.width(), mm.height());
    mode.PaperWidth = int(mm.width() * 10 + 0.5);
    mode.PaperLength = int(mm.height() * 10 + 0.5);
    mode.Orientation = orientation == QPageLayout::Landscape ? kLandscape : kPortrait;
}

// The print data given to a QPrinter, for Qt's dialogs.
void ApplyTo(const TPrintData& data, QPrinter& printer, bool pdf) {
    if (pdf) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(FromCp1252(data.FileName));
    } else {
        printer.setPrinterName(FromCp1252(data.Device));
    }
    printer.setPageSize(PageSizeOf(data.DevMode));
    printer.setPageOrientation(OrientationOf(data.DevMode));
    printer.setCopyCount(data.Copies);
    printer.setFromTo(data.FromPage, data.ToPage);
}

QWidget* ParentWidget(TWindow* window) {
    QWidget* w = window ? WidgetOf(window) : nullptr;
    return w ? w->window() : nullptr;
}

struct TPrintError {
    int code, stringId;
    const char* text;
};
// The module strings 32591 to 32596 of the print errors.
const TPrintError kPrintErrors[] = {
    {-5, 32592, "Zuwenig Speicherplatz"},
    {-4, 32593, "Zuwenig Platz auf Festplatte"},
    {-3, 32595, "Der Ausdruck wurde im Druck-Manager abgebrochen "},
    {-2, 32594, "Druck wurde abgebrochen"},
    {-1, 32596, "Fehler beim Ausdruck"},
};
const char kNotPrinted[] = "'%s' wurde nicht gedruckt. %s."; // string 32591

// Draws the printout's pages on a printer or PDF writer; 0 or a print error code.
int PaintPages(QPagedPaintDevice& device, vdPrintout& printout, const TPrintData& data) {
    QPainter painter;
    if (!painter.begin(&device)) return -1;
    const int first = std::max(data.FromPage, data.MinPage);
    const int last = std::max(first, std::min(data.ToPage, data.MaxPage));
    for (int page = first; page <= last; ++page) {
        if (page > first && !device.newPage()) return painter.end(), -1;
        TPainterDC dc(painter);
        printout.PrintPage(dc, TSize(device.width(), device.height()));
    }
    return painter.end() ? 0 : -1;
}

} // namespace

void SetPrinterSource(TPrinterSource source) {
    Source() = source;
}
TPrinterSource GetPrinterSource() {
    return Source();
}

std::vector<TPrinterEntry> AvailablePrinters() {
    std::vector<TPrinterEntry> list;
    if (Source() == TPrinterSource::None) return list;
    if (Source() == TPrinterSource::System) {
        const QString def = QPrinterInfo::defaultPrinterName();
        for (const QPrinterInfo& info : QPrinterInfo::availablePrinters()) {
            TPrinterEntry e{"CUPS", ToCp1252(info.printerName()), OutputOf(info),
                            info.printerName() == def || info.isDefault(), 9};
            const QSizeF mm = info.defaultPageSize().size(QPageSize::Millimeter);
            if (info.defaultPageSize().isValid())
                e.paperCode = PaperCodeForSize(mm.width(), mm.height());
            if (e.paperCode == kPaperUser) e.paperCode = 9;
            list.insert(e.isDefault ? list.begin() : list.end(), e);
        }
    }
    if (list.empty()) list.push_back({kPdfDriver, kPdfDevice, kPdfOutput, true, 9});
    return list;
}

// ---------------------------------------------------------------------------------------------

vdPrinter::vdPrinter() {
    const auto printers = AvailablePrinters();
    if (printers.empty()) {
        Data.Error = PDERR_NODEFAULTPRN;
        return;
    }
    Take(printers.front());
}

void vdPrinter::Take(const TPrinterEntry& entry) {
    Data.Driver = entry.driver, Data.Device = entry.device, Data.Output = entry.output;
    Data.DevMode = TDevMode{};
    Data.DevMode.PaperSize = entry.paperCode;
    Data.Error = 0;
    Valid = true;
}

bool vdPrinter::GotPrinter() {
    return vdPrinter().GetData().Error == 0;
}

bool vdPrinter::SetPrinter(const char* driver, const char* device, const char* output) {
    if (!driver || !device || !output || !*driver || !*device || !*output) return false;
    for (const TPrinterEntry& e : AvailablePrinters()) {
        if (e.device == device && e.output == output) {
            Take(e);
            Data.Driver = driver;
            return true;
        }
    }
    return false;
}

void vdPrinter::SetParams(int minPage, int maxPage, int fromPage, int toPage, int copies) {
    Data.MinPage = minPage, Data.MaxPage = maxPage;
    Data.FromPage = fromPage, Data.ToPage = toPage;
    Data.Copies = copies < 1 ? 1 : copies;
}

void vdPrinter::ReportDataError(TWindow* parent) {
    if (Data.Error == 0) return;
    MessageBox(parent ? parent->GetHandle() : nullptr,
               "Ausdruck:\r Die Druckinformationen konnten nicht geladen werden. Verlassen Sie "
               "diesen Dialog und starten Sie ihn dann erneut.",
               "Drucken", MB_OK | MB_ICONSTOP);
}

void vdPrinter::Setup(TWindow* parent) {
    // Qt's dialogs cannot be answered in the test mode: there the choice stays as it is.
    if (!IsHeadless()) {
        QPrinter printer(QPrinter::HighResolution);
        ApplyTo(Data, printer, IsPdf());
        QPrintDialog dialog(&printer, ParentWidget(parent));
        dialog.setWindowTitle(QStringLiteral("Druckerwahl"));
        dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
        dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
        if (dialog.exec() == QDialog::Accepted) {
            if (printer.outputFormat() == QPrinter::PdfFormat) {
                Data.Driver = kPdfDriver, Data.Device = kPdfDevice, Data.Output = kPdfOutput;
                Data.FileName = ToCp1252(printer.outputFileName());
                Data.Error = 0;
            } else {
                Data.Error = PDERR_PRINTERNOTFOUND;
                for (const TPrinterEntry& e : AvailablePrinters())
                    if (e.device == ToCp1252(printer.printerName())) Take(e);
            }
            TakePageSize(Data.DevMode, printer.pageLayout().pageSize(),
                         printer.pageLayout().orientation());
            Data.Copies = std::max(1, printer.copyCount());
        }
    }
    ReportDataError(parent);
}

void vdPrinter::PageSetup(TWindow* parent) {
    if (!IsHeadless()) {
        QPrinter printer(QPrinter::HighResolution);
        ApplyTo(Data, printer, IsPdf());
        printer.setFromTo(Data.FromPage, Data.ToPage);
        QPrintDialog dialog(&printer, ParentWidget(parent));
        dialog.setWindowTitle(QStringLiteral("Seitenwahl"));
        dialog.setMinMax(Data.MinPage, Data.MaxPage);
        dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
        dialog.setOption(QAbstractPrintDialog::PrintToFile, false);
        dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
        if (dialog.exec() == QDialog::Accepted && printer.fromPage() > 0) {
            Data.FromPage = printer.fromPage();
            Data.ToPage = printer.toPage();
        }
    }
    ReportDataError(parent);
}

int vdPrinter::Print(vdPrintout& printout) {
    const QPageLayout layout(PageSizeOf(Data.DevMode), OrientationOf(Data.DevMode),
                             QMarginsF(0, 0, 0, 0));
    if (IsPdf()) {
        // A PDF file has no unprintable border: the page goes where a typical laser printer
        // puts it, inside its printable area of about 5 mm on each side.
        const QPageLayout pdfLayout(PageSizeOf(Data.DevMode), OrientationOf(Data.DevMode),
                                    QMarginsF(5, 5, 5, 5), QPageLayout::Millimeter);
        // The file is written beside its place and renamed when complete, so a failed print
        // leaves no half-written file and an older file of that name untouched.
        if (Data.FileName.empty()) return -1;
        QSaveFile file(FromCp1252(Data.FileName));
        if (!file.open(QIODevice::WriteOnly)) return -1;
        int result;
        {
            QPdfWriter writer(&file);
            writer.setResolution(600);
            writer.setTitle(FromCp1252(printout.GetTitle()));
            writer.setCreator(QStringLiteral("Orvelin"));
            writer.setPageLayout(pdfLayout);
            result = PaintPages(writer, printout, Data);
        }
        if (result != 0) {
            file.cancelWriting();
            return result;
        }
        return file.commit() ? 0 : -4;
    }
    // A printer that has vanished since it was chosen cannot print.
    if (QPrinterInfo::printerInfo(FromCp1252(Data.Device)).isNull()) return -1;
    QPrinter printer(QPrinter::HighResolution);
    ApplyTo(Data, printer, false);
    printer.setPageLayout(layout);
    printer.setDocName(FromCp1252(printout.GetTitle()));
    const int result = PaintPages(printer, printout, Data);
    if (printer.printerState() == QPrinter::Aborted) return -2;
    if (printer.printerState() == QPrinter::Error) return -1;
    return result;
}

std::string vdPrinter::ErrorText(int code, const char* title) {
    for (const TPrintError& e : kPrintErrors) {
        if (e.code != code) continue;
        std::string t = title ? title : "";
        std::string out = kNotPrinted;
        out.replace(out.find("%s"), 2, t);
        out.replace(out.find("%s", 1 + t.size()), 2, e.text);
        return out;
    }
    return {};
}

void vdPrinter::ReportError(TWindow* window, int code, const char* title) {
    const std::string text = ErrorText(code, title);
    if (text.empty()) return;
    MessageBox(window ? window->GetHandle() : nullptr, ("aktueller Ausdruck:\r " + text).c_str(),
               "Drucken", MB_OK | MB_ICONSTOP);
}

// ---------------------------------------------------------------------------------------------

vdPrintout::vdPrintout(const char* title, vdBasePrintDlg* target, int kind)
    : Title(title ? title : ""), Target(target), Kind(kind) {}

void vdPrintout::PrintPage(TDC& dc, const TSize& deviceSize) {
    if (!PageSize || !Target || PageSize->cx == 0 || PageSize->cy == 0) return;
    dc.SaveDC();
    const int oldMode = dc.GetMapMode();
    const TSize oldWindowExt = dc.GetWindowExt(), oldViewportExt = dc.GetViewportExt();
    if (FitFactor > 0.999f && FitFactor < 1.001f) {
        dc.SetMapMode(MM_LOMETRIC);
    } else {
        dc.SetMapMode(MM_ANISOTROPIC);
        const TSize viewport = HeightFit
                                   ? TSize(deviceSize.cx, int(deviceSize.cy * FitFactor + 0.5f))
                                   : TSize(int(deviceSize.cx * FitFactor + 0.5f), deviceSize.cy);
        dc.SetWindowExt(*PageSize);
        dc.SetViewportExt(viewport);
    }
    TRect page(0, 0, PageSize->cx, PageSize->cy);
    dc.IntersectClipRect(page);
    Target->CurrPrintout(false, dc, false, page, Kind);
    dc.SetWindowExt(oldWindowExt);
    dc.SetViewportExt(oldViewportExt);
    dc.SetMapMode(oldMode);
    dc.RestoreDC();
}

// ---------------------------------------------------------------------------------------------

vdPrint::vdPrint() : Printer(new vdPrinter) {
    DebugFunkion(0, nullptr, false, "vdPrint::vdPrint()", "", "");
    ErrCode = Printer->GetData().Error;
}

vdPrint::~vdPrint() {
    delete Printout;
    delete Printer;
}

void vdPrint::SetPrinter(vdPrinter* printer) {
    if (printer == Printer) return;
    delete Printer;
    Printer = printer;
    ErrCode = Printer ? Printer->GetData().Error : PDERR_NODEFAULTPRN;
}

void vdPrint::SetPrintout(vdPrintout* printout) {
    if (printout == Printout) return;
    delete Printout;
    Printout = printout;
}

int vdPrint::GetErrCode() {
    DebugFunkion(0, nullptr, false, "int vdPrint::GetErrCode()", "", "");
    ErrCode = Printer ? Printer->GetData().Error : PDERR_NODEFAULTPRN;
    return ErrCode;
}

bool vdPrint::PrintIt(TWindow* window) {
    DebugFunkion(0, nullptr, false, "bool vdPrint::PrintIt(TWindow*)", "", "");
    if (!Printer || !Printout) return false;
    Printout->SetBanding(false);
    Printout->SetFit(HeightFit, FitFactor);
    SetCursor(IDC_WAIT);
    const int result = Printer->Print(*Printout);
    SetCursor(IDC_ARROW);
    if (result != 0) vdPrinter::ReportError(window, result, Printout->GetTitle());
    return result == 0;
}
