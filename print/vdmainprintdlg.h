// The print dialog: on the left a scaled preview of the page that the module draws itself, on
// the right the print settings in words, and buttons to choose the printer, copy the page to
// the clipboard, get help, print or go back. The printer choice is remembered in "orvlprn.ini"
// in the program directory. Where the machine has no printer the dialog offers a PDF file
// ("PDF-Datei") as its printer and asks for the file name when printing starts.
//
// The preview can be enlarged to read the page: a click on the page enlarges it step by step up
// to its real size on the screen (50 %, 75 %, 100 %), shown in a scrollable view inside the
// preview field; the click at the real size goes back to the whole page. With the page focused
// '+' and '-' step up and down, and the arrow keys scroll; the keypad's + and - zoom from
// anywhere in the dialog.
#pragma once

#include "vdbaseprintdlg.h"

#include <memory>
#include <string>
#include <vector>

class TExtStatusBar;
class TTalkMetaControl;
class vdPrint;
class vdPrintPreview;
struct TPrintData;

class vdMainPrintDlg : public vdBasePrintDlg {
public:
    // `pageSize` is the logical page in tenths of a millimetre (A4: 2100 × -2970); it must
    // outlive the dialog and the print job. Empty printer names take the remembered printer.
    vdMainPrintDlg(vdBasePrintDlg* target, const char* progDir, TSize* pageSize, const char* title,
                   int minPage, int maxPage, int fromPage, int toPage, int copies,
                   const char* driverName, const char* deviceName, const char* outputName,
                   vdPrint* job, int kind, TResId resId, TModule* module);
    ~vdMainPrintDlg() override;

    void SetupWindow() override;
    // Printing may start only with a valid printer (and, for the PDF printer, a file name).
    bool CanClose() override;
    void CmOk() override;
    void SetStatBar(TExtStatusBar* bar) { StatBar = bar; }
    TPrintData& GetMeData();

    // Fit of the logical page to the paper, into the print job.
    void MakeTransformSize();
    // The settings texts, written back to the settings file.
    void ActInfoText();
    void MakePrevWindow(bool recreate, bool clipboard);
    bool IsNumPageOK(int page);
    void SetNumPage(int page, bool writeText);
    void GotNoPrinter();
    void CurrPrintout(bool preview, TDC& dc, bool erase, TRect& rect, int kind) override;

    void BNClickedSetPrinter();
    void BNClickedSelPage();
    void BNClickedManager();
    void BNClickedNext();
    void BNClickedPrev();
    void BNClickedSize();
    void BNClickedClipboard();
    void BNClickedHelp();
    void ENChangePageNum();
    void EvTimer(unsigned timerId) override;
    void EvActivate(bool active) override;

    // What the dialog shows, for its callers and tests.
    bool IsPrinterValid() const { return PrinterValid; }
    int GetCurrentPage() const { return CurrPage; }
    float GetPaperWidth() const { return PaperWidth; }
    float GetPaperHeight() const { return PaperHeight; }
    bool IsMillimetre() const { return PaperMm; }
    // The preview's rectangle and the client area of the preview field, in pixels. Zoomed, the
    // rectangle is the page's inside the scrolled area (the page with a margin around it).
    TRect GetPreviewRect() const { return PreviewRc; }
    TRect GetPreviewArea() const { return PreviewArea; }
    // The zoom: step 0 is the fitted page; the steps' page sizes in pixels; the page's size in per
    // cent of the paper's real size.
    int GetZoomStep() const { return ZoomStep; }
    const std::vector<TSize>& GetZoomSteps() const { return ZoomSteps; }
    int GetZoomPercent() const;

    // A click on the preview page at `point` (page pixels): one step larger, centred on the
    // point; at the largest step back to the whole page. `smaller` (Shift held) steps down.
    void ClickPreview(const TPoint& point, bool smaller);
    // One step up (+1) or down (-1), keeping the middle of the view; `focusPage` gives the page
    // the focus (the keypad's keys leave it where it is).
    void ZoomPreview(int direction, bool focusPage = true);
    // The mouse wheel over the enlarged page (`zDelta` as the wheel reports it): up and down, or
    // `across`.
    void ScrollPreview(int zDelta, bool across);
    // What the info field says about the zoom while the mouse is over the page.
    void ShowZoomHint();
    const char* GetSettingsFile() const { return IniFile.c_str(); }

    // Used by the preview window.
    void PaintPreview(TDC& dc, const TRect& client, bool heightFit, bool clipboard);

private:
    // The paper as it lies in the printer: width and height swapped for landscape.
    void EffectivePaper(float& width, float& height) const;
    void EnableButtons(bool enable);
    bool CopyToClipboard(const TRect& client, bool heightFit);
    bool AskPdfFile();
    // Shows the preview at ZoomStep with the page point (`centreX`, `centreY`, in parts of its
    // width and height) in the middle of the view.
    void ApplyZoom(double centreX, double centreY, bool focusPage);
    // The page point in the middle of the zoomed view (the page's centre when not zoomed).
    void ViewCentre(double& centreX, double& centreY) const;
    std::string ZoomHint() const;

    vdBasePrintDlg* Target;
    vdPrint* Job;
    std::string ProgDir, IniFile, Title;
    TSize* PageSize;
    int Kind;
    int CurrPage = 1;
    bool PrinterValid = false;
    float PaperWidth = 210, PaperHeight = 297;
    bool PaperMm = true;
    float PageAspect = 1;
    int HeightFit = 1;
    float FitFactor = 1;
    vdPrintPreview* Preview = nullptr;
    TTalkMetaControl* PreviewField = nullptr;
    TExtStatusBar* StatBar = nullptr;
    TRect PreviewRc, PreviewArea, FitRc;
    std::vector<TSize> ZoomSteps;
    int ZoomStep = 0;
    double ScreenDpiX = 96, ScreenDpiY = 96;
    struct TZoomView;
    std::unique_ptr<TZoomView> Zoom;
    bool OkPending = false;
    bool WritingPage = false;
    bool SetPrinterWasEnabled = true;
};
