#include "vdmainprintdlg.h"

#include "controls.h"
#include "dc.h"
#include "dlgres.h"
#include "filedlg.h"
#include "paper.h"
#include "pictures.h"
#include "printer_p.h"
#include "privateprofile.h"
#include "qtbridge.h"
#include "qtext.h"
#include "settings.h"
#include "talk.h"
#include "vdparser.h"
#include "vdprint.h"
#include "winapi.h"

#include <QCoreApplication>
#include <QEvent>
#include <QSaveFile>
#include <QScrollArea>
#include <QScrollBar>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>

namespace {

enum : int {
    kInfo = 221,
    kPrintMgr = 204,
    kHelp = 302,
    kSetPrinter = 501,
    kClipboard = 203,
    kPreviewField = 325,
    kSettingsField = 738,
    kTitle = 208,
    kPrinter = 211,
    kFromPage = 207,
    kToPage = 206,
    kCopies = 213,
    kPaperWidth = 209,
    kPaperHeight = 210,
    kUnit = 212,
    kOrientation = 214,
    kSelPage = 202,
    kSize = 220,
    kNext = 215,
    kPrev = 216,
    kPageNum = 217,
    kMaxPage = 218,
    kMinPage = 219,
    kPanel = 101,
    kPreviewId = 1111,
    // Commands without a control: the keypad's + and - zoom the preview from anywhere in the
    // dialog.
    kZoomIn = 1112,
    kZoomOut = 1113,
};
enum : unsigned { kStartTimer = 3333 };
// The wood left around the enlarged page, in pixels.
constexpr int kZoomMargin = 8;

TDlgResource PrintDialogLayout() {
    TDlgResource r;
    r.caption = "Drucken - Orvelin";
    r.cx = 392, r.cy = 248;
    const int lx = 222, vx = 272;
    r.items = {
        {kPanel, TCtlKind::Frame, "", 0, 0, 392, 248},
        {kPreviewField, TCtlKind::Frame, "", 8, 8, 200, 200},
        {kSettingsField, TCtlKind::Frame, "", 216, 8, 168, 150, SS_SUNKEN},
        {230, TCtlKind::Static, "Titel:", lx, 14, 48, 10},
        {kTitle, TCtlKind::Static, "", vx, 14, 108, 10},
        {231, TCtlKind::Static, "Drucker:", lx, 28, 48, 10},
        {kPrinter, TCtlKind::Static, "", vx, 28, 108, 20},
        {232, TCtlKind::Static, "Von Seite:", lx, 50, 48, 10},
        {kFromPage, TCtlKind::Static, "", vx, 50, 24, 10},
        {233, TCtlKind::Static, "bis:", 300, 50, 18, 10},
        {kToPage, TCtlKind::Static, "", 320, 50, 24, 10},
        {234, TCtlKind::Static, "Kopien:", lx, 64, 48, 10},
        {kCopies, TCtlKind::Static, "", vx, 64, 24, 10},
        {235, TCtlKind::Static, "Papierbreite:", lx, 78, 48, 10},
        {kPaperWidth, TCtlKind::Static, "", vx, 78, 40, 10},
        {236, TCtlKind::Static, "Papierhöhe:", lx, 92, 48, 10},
        {kPaperHeight, TCtlKind::Static, "", vx, 92, 40, 10},
        {237, TCtlKind::Static, "Einheit:", lx, 106, 48, 10},
        {kUnit, TCtlKind::Static, "", vx, 106, 60, 10},
        {238, TCtlKind::Static, "Ausrichtung:", lx, 120, 48, 10},
        {kOrientation, TCtlKind::Static, "", vx, 120, 60, 10},
        {239, TCtlKind::Static, "Seite:", lx, 138, 24, 10},
        {kPageNum, TCtlKind::Edit, "1", 246, 136, 20, 12},
        {kMinPage, TCtlKind::Static, "1", 270, 138, 12, 10},
        {240, TCtlKind::Static, "-", 282, 138, 6, 10},
        {kMaxPage, TCtlKind::Static, "1", 288, 138, 12, 10},
        {kPrev, TCtlKind::PushButton, "da&vor", 302, 136, 38, 12},
        {kNext, TCtlKind::PushButton, "da&hinter", 342, 136, 38, 12},
        {IDOK, TCtlKind::PushButton, "Drucke &aus...", 216, 164, 80, 14, BS_DEFPUSHBUTTON},
        {kSetPrinter, TCtlKind::PushButton, "&Druckerwahl", 304, 164, 80, 14},
        {IDCANCEL, TCtlKind::PushButton, "&Zurück", 216, 182, 80, 14},
        {kHelp, TCtlKind::PushButton, "&Hilfe", 304, 182, 80, 14},
        {kClipboard, TCtlKind::PushButton, ">> &Ablage", 216, 200, 80, 14, WS_NOTVISIBLE},
        {kPrintMgr, TCtlKind::PushButton, "Druck&manager", 304, 200, 80, 14, WS_NOTVISIBLE},
        {kSelPage, TCtlKind::PushButton, "&Seitenwahl", 216, 200, 80, 14, WS_NOTVISIBLE},
        {kSize, TCtlKind::PushButton, "Seiten&größe", 304, 200, 80, 14, WS_NOTVISIBLE},
        {kInfo, TCtlKind::Static, "", 8, 216, 376, 24, SS_SUNKEN},
    };
    return r;
}

// The page size dialog: width and height in millimetres; it changes nothing.
TDlgResource PageSizeLayout() {
    TDlgResource r;
    r.caption = "Seitengröße setzen";
    r.cx = 180, r.cy = 84;
    r.items = {
        {101, TCtlKind::Static, "Breite (mm):", 8, 10, 60, 10},
        {102, TCtlKind::Edit, "210", 72, 8, 40, 12},
        {103, TCtlKind::Static, "Höhe (mm):", 8, 28, 60, 10},
        {104, TCtlKind::Edit, "297", 72, 26, 40, 12},
        {IDOK, TCtlKind::PushButton, "OK", 8, 60, 50, 14, BS_DEFPUSHBUTTON},
        {IDCANCEL, TCtlKind::PushButton, "Abbruch", 64, 60, 50, 14},
        {kHelp, TCtlKind::PushButton, "Hilfe", 120, 60, 50, 14},
    };
    return r;
}

const TDialogResourceRegistrar registerPrintDialog("ORVLPRN.DLL", 20000, PrintDialogLayout());
const TDialogResourceRegistrar registerPageSize("ORVLPRN.DLL", 23000, PageSizeLayout());

class TPageSizeDlg : public TDialog {
public:
    TPageSizeDlg(TWindow* parent, TModule* module) : TDialog(parent, 23000, module) {
        OnClicked(kHelp, &TPageSizeDlg::BNClickedHelp);
    }
    void BNClickedHelp() {
        WinExec("HH.EXE mk:@MSITStore:orvlhilf5.chm::html/main3psz.htm", SW_SHOW);
    }
};

std::string Number(int n) {
    return std::to_string(n);
}

std::string Decimal(float value) {
    char buffer[64];
    return ldtochar(buffer, value, 6, true);
}

} // namespace

// The scrollable view of the enlarged page: it covers the preview field's client area and lets
// the field's wood show around the page.
struct vdMainPrintDlg::TZoomView {
    QPointer<QScrollArea> area;
    QPointer<QWidget> canvas;
};

// The preview: a plain area in the preview field that the dialog paints. A click on it and the
// keys '+' and '-' zoom it.
class vdPrintPreview : public TControl {
public:
    vdPrintPreview(TWindow* parent, vdMainPrintDlg* dlg, const TRect& r, bool heightFit,
                   bool /*clipboard: the preview itself draws alike for both*/)
        : TControl(parent, kPreviewId, "", r.left, r.top, r.Width(), r.Height()), Dlg(dlg),
          HeightFit(heightFit) {}
    void Paint(TDC& dc, bool, TRect&) override {
        Dlg->PaintPreview(dc, GetClientRect(), HeightFit, false);
    }
    void EvLButtonDown(unsigned keys, const TPoint& point) override {
        Dlg->ClickPreview(point, (keys & MK_SHIFT) != 0);
    }
    bool EvSetCursor(HWND, unsigned, unsigned) override {
        Dlg->ShowZoomHint();
        return false;
    }
    // The wheel scrolls the enlarged page (with Shift across); with Ctrl it zooms.
    void EvMouseWheel(unsigned keys, int zDelta, const TPoint&) override {
        if (keys & MK_CONTROL) return Dlg->ZoomPreview(zDelta > 0 ? +1 : -1);
        Dlg->ScrollPreview(zDelta, (keys & MK_SHIFT) != 0);
    }
    void EvChar(unsigned key, unsigned repeatCount, unsigned flags) override {
        if (key == '+') return Dlg->ZoomPreview(+1);
        if (key == '-') return Dlg->ZoomPreview(-1);
        TControl::EvChar(key, repeatCount, flags);
    }

private:
    vdMainPrintDlg* Dlg;
    bool HeightFit;
};

vdMainPrintDlg::vdMainPrintDlg(vdBasePrintDlg* target, const char* progDir, TSize* pageSize,
                               const char* title, int minPage, int maxPage, int fromPage,
                               int toPage, int copies, const char* driverName,
                               const char* deviceName, const char* outputName, vdPrint* job,
                               int kind, TResId resId, TModule* module)
    : vdBasePrintDlg(target, resId, module), Target(target), Job(job), PageSize(pageSize),
      Kind(kind) {
    DebugFunkion(0, nullptr, false, "vdMainPrintDlg::vdMainPrintDlg(...)", "", "");
    auto* printer = new vdPrinter;
    if (Job) Job->SetPrinter(printer);
    printer->SetParams(minPage, maxPage, fromPage, toPage, copies);

    ProgDir = progDir ? progDir : "";
    if (ProgDir.size() > 300) ProgDir.resize(300);
    if (!ProgDir.empty() && ProgDir.back() != '/' && ProgDir.back() != '\\') ProgDir += '/';
    IniFile = ProgDir + "orvlprn.ini";
    Title = title ? title : "";
    CurrPage = minPage;

    if (vdPrinter::GotPrinter()) {
        bool set = false;
        if (driverName && deviceName && outputName && *driverName && *deviceName && *outputName) {
            set = printer->SetPrinter(driverName, deviceName, outputName);
        } else {
            char device[256], output[256], driver[256];
            const char* ini = IniFile.c_str();
            GetPrivateProfileString("Drucker", "DeviceName", "", device, sizeof device, ini);
            GetPrivateProfileString("Drucker", "OutputName", "", output, sizeof output, ini);
            GetPrivateProfileString("Drucker", "DriverName", "", driver, sizeof driver, ini);
            set = printer->SetPrinter(driver, device, output);
            if (set) {
                TDevMode& mode = printer->GetData().DevMode;
                const int orientation =
                    int(GetPrivateProfileInt("Drucker", "Orientation", mode.Orientation, ini));
                mode.Orientation = orientation == kLandscape ? kLandscape : kPortrait;
                mode.PaperSize = int(GetPrivateProfileInt("Drucker", "PaperSize", 9, ini));
                if (mode.PaperSize == kPaperUser) {
                    mode.PaperWidth = int(GetPrivateProfileInt("Drucker", "PaperSizeCX", 210, ini));
                    mode.PaperLength =
                        int(GetPrivateProfileInt("Drucker", "PaperSizeCY", 297, ini));
                    // Sizes that cannot be a paper become A4.
                    if (mode.PaperWidth <= 0 || mode.PaperWidth > 10000 || mode.PaperLength <= 0 ||
                        mode.PaperLength > 10000)
                        mode.PaperWidth = 210, mode.PaperLength = 297;
                    mode.PaperWidth *= 10;
                    mode.PaperLength *= 10;
                }
            }
        }
        // Without a remembered printer the default printer stays chosen.
        PrinterValid = set || printer->IsValid();
    }

    new TTalkButton(this, IDOK, kInfo, "Drücken Sie 'Drucke aus...', um den Ausdruck zu starten.",
                    "", "");
    new TTalkButton(this, IDCANCEL, kInfo,
                    "Drücken Sie 'Zurück', um die Druckinformation zu verlassen.", "", "");
    new TTalkButton(this, kPrintMgr, kInfo,
                    "Drücken Sie 'Druckmanager', um den Druckmanager von Windows zu starten.", "",
                    "");
    new TTalkButton(this, kHelp, kInfo,
                    "Drücken Sie 'Hilfe', um Hilfe zu diesem Dialog zu erhalten.", "", "");
    new TTalkButton(this, kSetPrinter, kInfo,
                    "Drücken Sie 'Druckerwahl', um einen Drucker zu wählen, oder einzurichten.", "",
                    "");
    new TTalkButton(this, kClipboard, kInfo,
                    "Drücken Sie '>> Ablage',um den Ausdruck als Bild (Metafile) in die "
                    "Zwischenablage zu kopieren.",
                    "", "");
    PreviewField = new TTalkMetaControl(this, kPreviewField, kInfo,
                                        "Im Vorschaufeld sehen Sie die Druckvorschau.", "WOOD.VDM");
    new TTalkControl(this, kSettingsField, kInfo, "Im Druckfeld sehen Sie die Druckinformationen.");
    new TEdit(this, kPageNum, 5);

    OnClicked(kSetPrinter, &vdMainPrintDlg::BNClickedSetPrinter);
    OnClicked(kSelPage, &vdMainPrintDlg::BNClickedSelPage);
    OnClicked(kPrintMgr, &vdMainPrintDlg::BNClickedManager);
    OnClicked(kNext, &vdMainPrintDlg::BNClickedNext);
    OnClicked(kPrev, &vdMainPrintDlg::BNClickedPrev);
    OnClicked(kSize, &vdMainPrintDlg::BNClickedSize);
    OnClicked(kClipboard, &vdMainPrintDlg::BNClickedClipboard);
    OnClicked(kHelp, &vdMainPrintDlg::BNClickedHelp);
    OnNotify(kPageNum, EN_CHANGE, &vdMainPrintDlg::ENChangePageNum);
    AddAccelerator(VK_ADD, kZoomIn);
    AddAccelerator(VK_SUBTRACT, kZoomOut);
    AddHandler(kZoomIn, BN_CLICKED, [this] { ZoomPreview(+1, false); });
    AddHandler(kZoomOut, BN_CLICKED, [this] { ZoomPreview(-1, false); });
}

vdMainPrintDlg::~vdMainPrintDlg() = default;

TPrintData& vdMainPrintDlg::GetMeData() {
    return Job->GetPrinter()->GetData();
}

void vdMainPrintDlg::SetupWindow() {
    DebugFunkion(0, nullptr, false, "void vdMainPrintDlg::SetupWindow()", "", "");
    vdBasePrintDlg::SetupWindow();
    SetCaption((Title + " Drucken").c_str());
    if (Job) {
        auto* printout = new vdPrintout(Title.c_str(), Target, Kind);
        Job->SetPrintout(printout);
        printout->SetPageSize(PageSize);
    }
    ActInfoText();
    MakePrevWindow(false, false);
    SetNumPage(-1, true);
    SetDlgItemText(kMinPage, Number(GetMeData().MinPage).c_str());
    SetDlgItemText(kMaxPage, Number(GetMeData().MaxPage).c_str());
    SetTimer(kStartTimer, 500);
}

void vdMainPrintDlg::EvTimer(unsigned timerId) {
    if (timerId == kStartTimer) KillTimer(kStartTimer);
    vdBasePrintDlg::EvTimer(timerId);
}

void vdMainPrintDlg::EvActivate(bool active) {
    vdBasePrintDlg::EvActivate(active);
}

void vdMainPrintDlg::ActInfoText() {
    DebugFunkion(0, nullptr, false, "void vdMainPrintDlg::ActInfoText()", "", "");
    SetDlgItemText(kTitle, ("\"" + Title + "\"").c_str());
    if (!PrinterValid || !Job || !Job->GetPrinter()) {
        SetDlgItemText(kPrinter, "keinen");
        SetDlgItemText(kFromPage, "1");
        SetDlgItemText(kOrientation, "Hochformat");
        SetDlgItemText(kUnit, "Millimeter");
        PaperWidth = 210, PaperHeight = 297, PaperMm = true;
        return;
    }
    TPrintData& data = GetMeData();
    // The printer's own name; the PDF file with the name of its file once one is chosen.
    std::string printer = data.Device;
    if (data.Device == kPdfDevice && !data.FileName.empty()) {
        const size_t slash = data.FileName.find_last_of("/\\");
        printer += " " + data.FileName.substr(slash == std::string::npos ? 0 : slash + 1);
    }
    SetDlgItemText(kPrinter, printer.c_str());
    SetDlgItemText(kFromPage, Number(data.FromPage).c_str());
    SetDlgItemText(kToPage, Number(data.ToPage).c_str());
    SetDlgItemText(kCopies, Number(data.Copies).c_str());
    SetDlgItemText(kOrientation,
                   data.DevMode.Orientation == kPortrait ? "Hochformat" : "Querformat");

    TDevMode& mode = data.DevMode;
    std::string widthText, heightText;
    const TPaperInfo* paper = FindPaper(mode.PaperSize);
    if (!paper) {
        MessageBox("Seite:\r Gewünschte Seitengröße kann nicht erzeugt werden. Stattdessen wird "
                   "DIN-A4 gesetzt.",
                   "Seitengröße", MB_OK | MB_ICONINFORMATION);
        mode.PaperSize = kPaperUser;
        mode.PaperWidth = 2100, mode.PaperLength = 2970;
    }
    if (mode.PaperSize == kPaperUser) {
        PaperMm = true;
        PaperWidth = mode.PaperWidth / 10.0f;
        PaperHeight = mode.PaperLength / 10.0f;
        widthText = Decimal(PaperWidth);
        heightText = Decimal(PaperHeight);
    } else {
        PaperMm = paper->mm;
        PaperWidth = paper->width, PaperHeight = paper->height;
        widthText = PaperText(PaperWidth, PaperMm);
        heightText = PaperText(PaperHeight, PaperMm);
    }
    SetDlgItemText(kPaperWidth, widthText.c_str());
    SetDlgItemText(kPaperHeight, heightText.c_str());
    SetDlgItemText(kUnit, PaperMm ? "Millimeter" : "Zoll");

    const char* ini = IniFile.c_str();
    CorrWritePrivateProfileString("Drucker", "DeviceName", data.Device.c_str(), ini);
    CorrWritePrivateProfileString("Drucker", "OutputName", data.Output.c_str(), ini);
    CorrWritePrivateProfileString("Drucker", "DriverName", data.Driver.c_str(), ini);
    CorrWritePrivateProfileString("Drucker", "Orientation", Number(mode.Orientation).c_str(), ini);
    CorrWritePrivateProfileString("Drucker", "PaperSize", Number(mode.PaperSize).c_str(), ini);
    CorrWritePrivateProfileString("Drucker", "PaperSizeCX", widthText.c_str(), ini);
    CorrWritePrivateProfileString("Drucker", "PaperSizeCY", heightText.c_str(), ini);
}

void vdMainPrintDlg::EffectivePaper(float& width, float& height) const {
    width = PaperWidth, height = PaperHeight;
    if (PrinterValid && Job && Job->GetPrinter() &&
        Job->GetPrinter()->GetData().DevMode.Orientation == kLandscape)
        std::swap(width, height);
}

void vdMainPrintDlg::MakeTransformSize() {
    DebugFunkion(0, nullptr, false, "void vdMainPrintDlg::MakeTransformSize()", "", "");
    PageAspect = 1;
    if (PageSize && PageSize->cx != 0)
        PageAspect = std::fabs(float(PageSize->cy) / float(PageSize->cx));
    char mode[20];
    GetPrivateProfileString("Drucker", "HoeheAusgl", "-1", mode, sizeof mode, IniFile.c_str());
    float width, height;
    EffectivePaper(width, height);
    const TPageFit fit = ComputeFit(PageAspect, width, height, mode);
    HeightFit = fit.heightFit, FitFactor = fit.factor;
    if (Job) Job->SetFit(HeightFit, FitFactor);
}

void vdMainPrintDlg::MakePrevWindow(bool recreate, bool clipboard) {
    DebugFunkion(0, nullptr, false, "void vdMainPrintDlg::MakePrevWindow(bool, bool)", "", "");
    // A zoomed view keeps its step and the part of the page it shows.
    double centreX = 0.5, centreY = 0.5;
    ViewCentre(centreX, centreY);
    if (Preview) {
        Preview->Destroy();
        delete Preview;
        Preview = nullptr;
    }
    if (Zoom && Zoom->area) delete Zoom->area.data();
    Zoom.reset();
    if (!PreviewField) return;
    PreviewArea = PreviewField->GetClientRect();
    float width, height;
    EffectivePaper(width, height);
    FitRc = PreviewRc = PreviewRect(PreviewArea, width, height);
    MakeTransformSize();
    if (QWidget* field = WidgetOf(PreviewField)) {
        ScreenDpiX = field->logicalDpiX();
        ScreenDpiY = field->logicalDpiY();
    }
    ZoomSteps =
        PreviewZoomSteps(TSize(FitRc.Width(), FitRc.Height()), PaperMillimetres(width, PaperMm),
                         PaperMillimetres(height, PaperMm), ScreenDpiX, ScreenDpiY);
    ZoomStep = std::min(ZoomStep, int(ZoomSteps.size()) - 1);
    Preview = new vdPrintPreview(PreviewField, this, PreviewRc, HeightFit != 0, clipboard);
    if (PreviewField->IsWindow()) {
        Preview->Create();
        if (QWidget* page = WidgetOf(Preview)) {
            // The page answers the mouse itself (the field's own info text is for the wood).
            page->setAttribute(Qt::WA_NoMousePropagation);
            page->setFocusPolicy(Qt::ClickFocus);
            if (ZoomSteps.size() > 1) page->setCursor(Qt::PointingHandCursor);
        }
        if (ZoomStep > 0) ApplyZoom(centreX, centreY, false);
    }
    if (recreate) PreviewField->Invalidate();
    // The clipboard picture is made from the fitted page, however large the view shows it.
    if (clipboard && !CopyToClipboard(TRect(0, 0, FitRc.Width(), FitRc.Height()), HeightFit != 0))
        MessageBox("Zwischenablage:\r Die Datei 'temp.wmf' konnte nicht erzeugt werden.", "Drucken",
                   MB_OK | MB_ICONSTOP);
}

int vdMainPrintDlg::GetZoomPercent() const {
    if (ZoomSteps.empty()) return 0;
    float width, height;
    EffectivePaper(width, height);
    return PreviewZoomPercent(ZoomSteps[size_t(ZoomStep)], PaperMillimetres(height, PaperMm),
                              ScreenDpiY);
}

void vdMainPrintDlg::ViewCentre(double& centreX, double& centreY) const {
    centreX = centreY = 0.5;
    if (ZoomStep == 0 || !Zoom || !Zoom->area || PreviewRc.Width() <= 0 || PreviewRc.Height() <= 0)
        return;
    const QScrollArea* area = Zoom->area;
    const QSize view = area->viewport()->size();
    const int x = area->horizontalScrollBar()->value() + view.width() / 2 - PreviewRc.left;
    const int y = area->verticalScrollBar()->value() + view.height() / 2 - PreviewRc.top;
    centreX = std::clamp(double(x) / PreviewRc.Width(), 0.0, 1.0);
    centreY = std::clamp(double(y) / PreviewRc.Height(), 0.0, 1.0);
}

void vdMainPrintDlg::ApplyZoom(double centreX, double centreY, bool focusPage) {
    QWidget* page = WidgetOf(Preview);
    QWidget* field = WidgetOf(PreviewField);
    if (!page || !field || ZoomSteps.empty()) return;
    const bool hadFocus = page->hasFocus();
    if (ZoomStep == 0) {
        // Back to the whole page, where the dialog placed it.
        page->setParent(field);
        page->setGeometry(FitRc.left, FitRc.top, FitRc.Width(), FitRc.Height());
        page->show();
        if (Zoom && Zoom->area) Zoom->area->deleteLater();
        Zoom.reset();
        PreviewRc = FitRc;
    } else {
        if (!Zoom || !Zoom->area) {
            Zoom = std::make_unique<TZoomView>();
            auto* area = new QScrollArea(field);
            area->setFrameShape(QFrame::NoFrame);
            // Not a stop of the Tab order: the page takes the focus when it is clicked.
            area->setFocusPolicy(Qt::NoFocus);
            area->setAlignment(Qt::AlignCenter);
            area->setAutoFillBackground(false);
            area->viewport()->setAutoFillBackground(false);
            area->setGeometry(PreviewArea.left, PreviewArea.top, PreviewArea.Width(),
                              PreviewArea.Height());
            auto* canvas = new QWidget;
            canvas->setAutoFillBackground(false);
            area->setWidget(canvas);
            Zoom->area = area;
            Zoom->canvas = canvas;
        }
        const TSize size = ZoomSteps[size_t(ZoomStep)];
        Zoom->canvas->resize(size.cx + 2 * kZoomMargin, size.cy + 2 * kZoomMargin);
        if (page->parentWidget() != Zoom->canvas) page->setParent(Zoom->canvas);
        page->setGeometry(kZoomMargin, kZoomMargin, size.cx, size.cy);
        page->show();
        Zoom->area->show();
        PreviewRc = TRect(kZoomMargin, kZoomMargin, kZoomMargin + size.cx, kZoomMargin + size.cy);
        // The scroll bars know their range once the view has laid itself out.
        Zoom->area->ensurePolished();
        QCoreApplication::sendPostedEvents(Zoom->area, QEvent::LayoutRequest);
        QScrollBar* h = Zoom->area->horizontalScrollBar();
        QScrollBar* v = Zoom->area->verticalScrollBar();
        const QSize view = Zoom->area->viewport()->size();
        h->setValue(int(std::lround(kZoomMargin + centreX * size.cx - view.width() / 2.0)));
        v->setValue(int(std::lround(kZoomMargin + centreY * size.cy - view.height() / 2.0)));
    }
    if (focusPage || hadFocus) page->setFocus(Qt::OtherFocusReason);
    SetDlgItemText(kInfo, ZoomHint().c_str());
}

std::string vdMainPrintDlg::ZoomHint() const {
    if (ZoomSteps.size() < 2) return "Im Vorschaufeld sehen Sie die Druckvorschau.";
    const std::string percent = Number(GetZoomPercent()) + " %";
    if (ZoomStep == 0)
        return "Vorschau der ganzen Seite (" + percent +
               "): ein Klick auf die Seite oder '+' vergrößert sie.";
    if (ZoomStep + 1 < int(ZoomSteps.size()))
        return "Vorschau in " + percent +
               " der wirklichen Größe: ein Klick auf die Seite oder '+' vergrößert sie, '-' "
               "verkleinert sie.";
    return "Vorschau in wirklicher Größe (" + percent +
           "): ein Klick auf die Seite zeigt wieder die ganze Seite, '-' verkleinert sie.";
}

void vdMainPrintDlg::ShowZoomHint() {
    const std::string hint = ZoomHint();
    char shown[256] = "";
    GetDlgItemText(kInfo, shown, sizeof shown);
    if (hint != shown) SetDlgItemText(kInfo, hint.c_str());
}

void vdMainPrintDlg::ClickPreview(const TPoint& point, bool smaller) {
    if (ZoomSteps.size() < 2) return;
    const int last = int(ZoomSteps.size()) - 1;
    if (smaller) return ZoomPreview(-1);
    ZoomStep = ZoomStep >= last ? 0 : ZoomStep + 1;
    const double x = PreviewRc.Width() > 0 ? double(point.x) / PreviewRc.Width() : 0.5;
    const double y = PreviewRc.Height() > 0 ? double(point.y) / PreviewRc.Height() : 0.5;
    ApplyZoom(std::clamp(x, 0.0, 1.0), std::clamp(y, 0.0, 1.0), true);
}

void vdMainPrintDlg::ZoomPreview(int direction, bool focusPage) {
    const int step = std::clamp(ZoomStep + direction, 0, int(ZoomSteps.size()) - 1);
    if (step == ZoomStep) return;
    double centreX, centreY;
    ViewCentre(centreX, centreY);
    ZoomStep = step;
    ApplyZoom(centreX, centreY, focusPage);
}

void vdMainPrintDlg::ScrollPreview(int zDelta, bool across) {
    if (!Zoom || !Zoom->area) return;
    QScrollBar* bar = across ? Zoom->area->horizontalScrollBar() : Zoom->area->verticalScrollBar();
    // Three lines of 20 pixels a notch, as a text view scrolls.
    bar->setValue(bar->value() - zDelta * 60 / 120);
}

void vdMainPrintDlg::EnableButtons(bool enable) {
    if (!enable) SetPrinterWasEnabled = ::IsWindowEnabled(GetDlgItem(kSetPrinter));
    // The button with the focus stays as it is: greyed it would pass the focus (and the info
    // text) on each time the page is drawn. Nothing can press it meanwhile, as no message is
    // handled while the page is drawn.
    const HWND focus = ::GetFocus();
    for (int id : {int(IDOK), int(IDCANCEL), int(kHelp), int(kPrintMgr), int(kClipboard)})
        if (enable || GetDlgItem(id) != focus) ::EnableWindow(GetDlgItem(id), enable);
    if (enable || GetDlgItem(kSetPrinter) != focus)
        ::EnableWindow(GetDlgItem(kSetPrinter), enable && SetPrinterWasEnabled);
}

void vdMainPrintDlg::PaintPreview(TDC& dc, const TRect& client, bool heightFit, bool) {
    if (!PageSize || PageSize->cx == 0 || PageSize->cy == 0) return;
    // No window message is handled while the page is drawn, so the dialog cannot be closed
    // meanwhile; its close entry stays as it is (changing it would rebuild the window mid-paint).
    dc.FillRect(client, TBrush(TColor(255, 251, 240)));
    int w = client.Width(), h = client.Height();
    if (heightFit)
        h = int(std::lround(w * PageAspect));
    else
        w = int(std::lround(h / PageAspect));
    if (w < 1 || h < 1) return;
    dc.SaveDC();
    dc.SetMapMode(MM_ANISOTROPIC);
    dc.SetWindowExt(*PageSize);
    dc.SetViewportExt(TSize(w, h));
    TRect page(0, 0, PageSize->cx, PageSize->cy);
    dc.IntersectClipRect(page);
    dc.SelectObject(TPen(TColor::Black));
    dc.SelectObject(TBrush::Null());
    dc.Rectangle(page);
    dc.RestorePen();
    dc.RestoreBrush();
    TPoint corners[2] = {client.TopLeft(), client.BottomRight()};
    dc.DPtoLP(corners, 2);
    TRect logical(corners[0], TSize(corners[1].x - corners[0].x, corners[1].y - corners[0].y));

    EnableButtons(false);
    SetCursor(IDC_WAIT);
    CurrPrintout(true, dc, false, logical, Kind);
    SetCursor(IDC_ARROW);
    EnableButtons(true);
    dc.RestoreDC();
}

bool vdMainPrintDlg::CopyToClipboard(const TRect& client, bool heightFit) {
    if (!PageSize || PageSize->cx == 0 || PageSize->cy == 0) return false;
    // The picture is the preview enlarged by 4 × 0.931.
    const int width = int(std::lround(client.Width() * 3.724));
    const int height = int(std::lround(client.Height() * 3.724));
    int w = width, h = height;
    if (heightFit)
        h = int(std::lround(w * PageAspect));
    else
        w = int(std::lround(h / PageAspect));
    if (w < 1 || h < 1) return false;
    EnableButtons(false);
    SetCursor(IDC_WAIT);
    const bool done = CopyPictureToClipboard(width, height, [&](TDC& dc) {
        dc.SetMapMode(MM_ANISOTROPIC);
        dc.SetWindowExt(*PageSize);
        dc.SetViewportExt(TSize(w, h));
        TRect page(0, 0, PageSize->cx, PageSize->cy);
        dc.IntersectClipRect(page);
        dc.SelectObject(TBrush::Null());
        dc.Rectangle(page);
        dc.RestoreBrush();
        TPoint corners[2] = {TPoint(0, 0), TPoint(width, height)};
        dc.DPtoLP(corners, 2);
        TRect logical(corners[0], TSize(corners[1].x - corners[0].x, corners[1].y - corners[0].y));
        CurrPrintout(false, dc, false, logical, Kind);
    });
    SetCursor(IDC_ARROW);
    EnableButtons(true);
    return done;
}

void vdMainPrintDlg::CurrPrintout(bool preview, TDC& dc, bool erase, TRect& rect, int kind) {
    DebugFunkion(0, nullptr, false,
                 "void vdMainPrintDlg::CurrPrintout(bool, TDC&, bool, TRect&, int)", "", "");
    if (Target && Target != this) Target->CurrPrintout(preview, dc, erase, rect, kind);
}

bool vdMainPrintDlg::IsNumPageOK(int page) {
    if (!Job || !Job->GetPrinter()) return false;
    const TPrintData& data = GetMeData();
    if (page < data.MinPage || page > data.MaxPage) return false;
    CurrPage = page;
    return true;
}

void vdMainPrintDlg::SetNumPage(int page, bool writeText) {
    if (page == -1) page = CurrPage;
    IsNumPageOK(page);
    if (writeText) {
        WritingPage = true;
        SetDlgItemText(kPageNum, Number(CurrPage).c_str());
        WritingPage = false;
    }
    if (!Job || !Job->GetPrinter()) return;
    const TPrintData& data = GetMeData();
    ::EnableWindow(GetDlgItem(kNext), CurrPage != data.MaxPage);
    ::EnableWindow(GetDlgItem(kPrev), CurrPage != data.MinPage);
}

void vdMainPrintDlg::ENChangePageNum() {
    if (WritingPage) return;
    char text[32] = "";
    GetDlgItemText(kPageNum, text, sizeof text);
    char* end = nullptr;
    const long page = std::strtol(text, &end, 10);
    if (end == text || page == 0) return; // nothing to go by yet
    if (page >= INT32_MIN && page <= INT32_MAX && IsNumPageOK(int(page))) {
        SetNumPage(int(page), Number(int(page)) != text);
        if (Preview) Preview->Invalidate();
        return;
    }
    MessageBox("Diese Seite ist nicht gültig, ich setze zurück.", "Falsche Eingabe!",
               MB_OK | MB_ICONSTOP);
    SetNumPage(-1, true);
}

void vdMainPrintDlg::GotNoPrinter() {
    MessageBox("Drucker:\r Es ist kein Standarddrucker angegeben. Setzen Sie einen im "
               "Druckmanager und beenden Sie diesen Dialog. Starten Sie ihn dann erneut.",
               "Drucken", MB_OK | MB_ICONINFORMATION);
    ::EnableWindow(GetDlgItem(kSetPrinter), false);
}

void vdMainPrintDlg::CmOk() {
    OkPending = true;
    vdBasePrintDlg::CmOk();
    OkPending = false;
}

bool vdMainPrintDlg::CanClose() {
    DebugFunkion(0, nullptr, false, "bool vdMainPrintDlg::CanClose()", "", "");
    if (!OkPending) return vdBasePrintDlg::CanClose();
    vdPrinter* printer = Job ? Job->GetPrinter() : nullptr;
    if (PrinterValid && printer && !printer->IsPdf()) {
        // The printer may have gone since it was chosen.
        TPrintData& data = printer->GetData();
        const std::string driver = data.Driver, device = data.Device, output = data.Output;
        if (!printer->SetPrinter(driver.c_str(), device.c_str(), output.c_str())) {
            PrinterValid = false;
            ActInfoText();
            MakePrevWindow(true, false);
        }
    }
    if (!PrinterValid || !printer) {
        GotNoPrinter();
        return false;
    }
    if (printer->IsPdf() && !AskPdfFile()) return false;
    return vdBasePrintDlg::CanClose();
}

bool vdMainPrintDlg::AskPdfFile() {
    TPrintData& data = GetMeData();
    TOpenSaveDialog::TData file(OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY,
                                "PDF-Dateien (*.pdf)|*.pdf|", nullptr, ProgDir.c_str(), "pdf");
    const std::string initial = data.FileName.empty() ? Title + ".pdf" : data.FileName;
    std::snprintf(file.FileName, sizeof file.FileName, "%s", initial.c_str());
    if (TFileSaveDialog(this, file, "Ausdruck in PDF-Datei speichern").Execute() != IDOK)
        return false;
    // Whether the file can be written at all is found out now, while the user can still choose
    // another one.
    QSaveFile probe(FromCp1252(file.FileName));
    const bool writable = probe.open(QIODevice::WriteOnly);
    if (writable) probe.cancelWriting();
    if (!writable) {
        MessageBox((std::string("Datei:\r Die Datei '") + file.FileName +
                    "' kann nicht geschrieben werden.")
                       .c_str(),
                   "Drucken", MB_OK | MB_ICONSTOP);
        return false;
    }
    data.FileName = file.FileName;
    return true;
}

void vdMainPrintDlg::BNClickedSetPrinter() {
    vdPrinter* printer = Job ? Job->GetPrinter() : nullptr;
    if (printer && vdPrinter::GotPrinter()) {
        printer->Setup(this);
        PrinterValid = printer->GetData().Error == 0 && printer->IsValid();
    } else {
        GotNoPrinter();
    }
    ActInfoText();
    MakePrevWindow(true, false);
}

void vdMainPrintDlg::BNClickedSelPage() {
    if (Job && Job->GetPrinter()) Job->GetPrinter()->PageSetup(this);
    ActInfoText();
}

void vdMainPrintDlg::BNClickedManager() {
    WinExec("PRINTMAN.EXE", SW_SHOWNORMAL);
}

void vdMainPrintDlg::BNClickedNext() {
    if (IsNumPageOK(CurrPage + 1)) {
        SetNumPage(-1, true);
        if (Preview) Preview->Invalidate();
    }
}

void vdMainPrintDlg::BNClickedPrev() {
    if (IsNumPageOK(CurrPage - 1)) {
        SetNumPage(-1, true);
        if (Preview) Preview->Invalidate();
    }
}

void vdMainPrintDlg::BNClickedSize() {
    TPageSizeDlg(this, GetModule()).Execute();
}

void vdMainPrintDlg::BNClickedClipboard() {
    ActInfoText();
    MakePrevWindow(true, true);
}

void vdMainPrintDlg::BNClickedHelp() {
    WinExec("HH.EXE mk:@MSITStore:orvlhilf5.chm::html/main3mpa.htm", SW_SHOW);
}
