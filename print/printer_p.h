// Inside the printing library: the printer with its print data, and the printout that maps the
// logical page onto a printed page. Qt-free; Qt's printer support is used in printer.cpp.
#pragma once

#include "paper.h"
#include "wintypes.h"

#include <string>
#include <vector>

class TDC;
class TWindow;
class vdBasePrintDlg;

// What the platform's device mode says about the paper: orientation, paper code and, for a
// user-defined paper, its width and length in tenths of a millimetre.
struct TDevMode {
    int Orientation = kPortrait;
    int PaperSize = 9;
    int PaperWidth = 2100;
    int PaperLength = 2970;
};

// The print data of the platform's print dialog.
struct TPrintData {
    unsigned Flags = 0;
    int Error = 0;
    int FromPage = 1, ToPage = 1, MinPage = 1, MaxPage = 1, Copies = 1;
    TDevMode DevMode;
    std::string Driver, Device, Output; // Windows-1252
    std::string FileName;               // where the PDF printer writes (Windows-1252)
};

enum : int { PDERR_NODEFAULTPRN = 0x1008, PDERR_PRINTERNOTFOUND = 0x100B };

// The printer that stands in where the machine has none: a PDF file.
extern const char kPdfDriver[];
extern const char kPdfDevice[];
extern const char kPdfOutput[];

// Which printers the library sees: the system's (with the PDF file where there is none), only
// the PDF file, or none at all. The start value comes from $ORVELIN_PRINTERS ("pdf", "none").
enum class TPrinterSource { System, PdfOnly, None };
void SetPrinterSource(TPrinterSource source);
TPrinterSource GetPrinterSource();

struct TPrinterEntry {
    std::string driver, device, output;
    bool isDefault = false;
    int paperCode = 9; // the printer's default paper
};
// The printers that can be chosen now, the default one first.
std::vector<TPrinterEntry> AvailablePrinters();

class vdPrintout;

class vdPrinter {
public:
    // Takes the default printer; without one the print data report PDERR_NODEFAULTPRN.
    vdPrinter();
    TPrintData& GetData() { return Data; }
    bool IsValid() const { return Valid; }
    bool IsPdf() const { return Data.Device == kPdfDevice; }
    // Whether any printer is available.
    static bool GotPrinter();
    // Chooses the named printer when it exists; false (nothing changed) otherwise.
    bool SetPrinter(const char* driver, const char* device, const char* output);
    void SetParams(int minPage, int maxPage, int fromPage, int toPage, int copies);
    // The platform's printer setup and page range dialogs. A print data error afterwards is
    // reported to the user.
    void Setup(TWindow* parent);
    void PageSetup(TWindow* parent);
    // Prints the printout's pages: 0, or a negative print error code.
    int Print(vdPrintout& printout);
    // The message of a print error (nothing for codes without a text).
    static void ReportError(TWindow* window, int code, const char* title);
    // "'%s' wurde nicht gedruckt. %s." filled in; "" for codes without a text.
    static std::string ErrorText(int code, const char* title);

private:
    void Take(const TPrinterEntry& entry);
    void ReportDataError(TWindow* parent);
    TPrintData Data;
    bool Valid = false;
};

class vdPrintout {
public:
    vdPrintout(const char* title, vdBasePrintDlg* target, int kind);
    void SetPageSize(TSize* size) { PageSize = size; }
    TSize* GetPageSize() const { return PageSize; }
    void SetFit(int heightFit, float factor) { HeightFit = heightFit, FitFactor = factor; }
    int GetHeightFit() const { return HeightFit; }
    float GetFitFactor() const { return FitFactor; }
    void SetBanding(bool on) { Banding = on; }
    const char* GetTitle() const { return Title.c_str(); }
    vdBasePrintDlg* GetTarget() const { return Target; }
    int GetKind() const { return Kind; }
    // Draws one page on `dc`, whose page measures `deviceSize` device units: the logical page
    // scaled to the paper by the fit, or in tenths of a millimetre when the factor is 1.
    void PrintPage(TDC& dc, const TSize& deviceSize);

private:
    std::string Title;
    vdBasePrintDlg* Target;
    int Kind;
    TSize* PageSize = nullptr;
    int HeightFit = 1;
    float FitFactor = 1.0f;
    bool Banding = true;
};
