// A test page that prints through the whole library: a window derived from vdBasePrintDlg whose
// CurrPrintout draws texts, lines and a function text broken into lines. It opens as the module
// "printtest" for the dialog scripts; its fields preset the remembered paper and choose which
// printers the library sees, and after the print dialog it shows the fit and the preview size.
#include "dc.h"
#include "dlgres.h"
#include "modreg.h"
#include "printer_p.h"
#include "privateprofile.h"
#include "settings.h"
#include "talk.h"
#include "vdmainprintdlg.h"
#include "vdparser.h"
#include "vdprint.h"
#include "winapi.h"

#include <cmath>
#include <cstdio>
#include <string>

namespace {

constexpr TResId kTestDialog = 30200;
enum : int {
    kFunction = 1101,
    kPaper = 310,
    kOrientation = 311,
    kFit = 312,
    kSystem = 320,
    kPdfOnly = 321,
    kNone = 322,
    kPrint = 218,
    kResult = 230,
    kInfo = 216,
};

const char kTestFunction[] =
    "sin(x)*cos(y)+3*x^2-4*x*y+(x-1)*(y+2)/(z^2+1)+sqrt(u^2+v^2)-ln(w+1)*exp(-x/10)"
    "+123456789*x^3-987654321*y^3+(x+y+z+u+v+w)^2/(1+x^2+y^2)";

TDlgResource TestLayout() {
    TDlgResource r;
    r.caption = "Drucktest";
    r.cx = 320, r.cy = 170;
    r.items = {
        {240, TCtlKind::Static, "Funktion:", 8, 10, 50, 10},
        {kFunction, TCtlKind::Edit, kTestFunction, 60, 8, 252, 12},
        {241, TCtlKind::Static, "Papier (Code [B H]):", 8, 28, 80, 10},
        {kPaper, TCtlKind::Edit, "", 90, 26, 60, 12},
        {242, TCtlKind::Static, "Ausrichtung:", 160, 28, 50, 10},
        {kOrientation, TCtlKind::Edit, "", 212, 26, 20, 12},
        {243, TCtlKind::Static, "HoeheAusgl:", 240, 28, 46, 10},
        {kFit, TCtlKind::Edit, "", 288, 26, 24, 12},
        {kSystem, TCtlKind::RadioButton, "&Systemdrucker", 8, 46, 80, 10, WS_GROUP},
        {kPdfOnly, TCtlKind::RadioButton, "nur &PDF-Datei", 92, 46, 80, 10},
        {kNone, TCtlKind::RadioButton, "&kein Drucker", 176, 46, 80, 10},
        {kResult, TCtlKind::Static, "", 8, 64, 304, 40, SS_SUNKEN},
        {kInfo, TCtlKind::Static, "", 8, 110, 304, 24, SS_SUNKEN},
        {kPrint, TCtlKind::PushButton, "&Drucken", 8, 146, 60, 14, BS_DEFPUSHBUTTON},
        {IDCANCEL, TCtlKind::PushButton, "&Beenden", 252, 146, 60, 14},
    };
    return r;
}

const TDialogResourceRegistrar registerTest("ORVLPRN.DLL", kTestDialog, TestLayout());

class TPrintTestDlg : public vdBasePrintDlg {
public:
    TPrintTestDlg(TWindow* parent, std::string progDir)
        : vdBasePrintDlg(parent, kTestDialog, &Module()), ProgDir(std::move(progDir)) {
        new TTalkEdit(this, kFunction, 2, kInfo, "Geben Sie die Funktion der Testseite ein.", "",
                      2600);
        new TTalkButton(this, kPrint, kInfo, "Drücken Sie 'Drucken', um die Testseite zu drucken.",
                        "", "");
        new TTalkButton(this, IDCANCEL, kInfo, "Drücken Sie 'Beenden', um den Test zu beenden.", "",
                        "");
        OnClicked(kPrint, &TPrintTestDlg::BNClickedDrucke);
    }

    void SetupWindow() override {
        vdBasePrintDlg::SetupWindow();
        CheckRadioButton(kSystem, kNone,
                         GetPrinterSource() == TPrinterSource::System    ? kSystem
                         : GetPrinterSource() == TPrinterSource::PdfOnly ? kPdfOnly
                                                                         : kNone);
        if (Parent) Parent->SetCaption("Drucktest");
    }

    void CurrPrintout(bool preview, TDC& dc, bool, TRect&, int kind) override {
        LastKind = kind;
        (preview ? PreviewCalls : PrintCalls)++;
        dc.SetBkMode(TRANSPARENT);
        const unsigned oldAlign = dc.SetTextAlign(TA_LEFT | TA_TOP);

        dc.SelectObject(TPen(TColor::Black, 5));
        dc.SelectObject(TBrush::Null());
        dc.Rectangle(100, -100, 2000, -2870);
        dc.RestoreBrush();
        dc.RestorePen();

        dc.SelectObject(TFont("DejaVu Sans", 80, 0, 0, 0, FW_BOLD));
        dc.TextOut(200, -200, "Orvelin Testseite");
        dc.RestoreFont();

        dc.SelectObject(TFont("DejaVu Sans", 34));
        dc.TextOut(200, -330, "Gezeichnet in Zehntelmillimetern auf einer DIN-A4-Seite.");
        const std::string kindText = "Art der Ausgabe: " + std::to_string(kind);
        dc.TextOut(200, -390, kindText.c_str());

        // The function text in lines of at most 90 characters.
        char function[2700] = "";
        GetDlgItemText(kFunction, function, sizeof function);
        dc.TextOut(120, -500, "Funktion:");
        vdFormFuncOutput form(function, 90);
        char line[vdFormOutput::MaxText];
        int lines = 0;
        while (form.GetErr() == 0) {
            form.GetLine(line, lines + 1);
            if (form.GetErr() != 0) break;
            dc.TextOut(300, -500 - 50 * lines, line);
            ++lines;
        }
        const int b = 50 * (lines + 1);
        dc.SelectObject(TPen(TColor::Black, 1));
        dc.MoveTo(100, -475);
        dc.LineTo(2000, -475);
        dc.MoveTo(100, -b - 575);
        dc.LineTo(2000, -b - 575);
        dc.RestorePen();

        // A scale of centimetres and a diagonal cross.
        dc.TextOut(200, -b - 650, "Massstab in Zentimetern:");
        dc.SelectObject(TPen(TColor(0, 0, 128), 3));
        const int y = -b - 800;
        dc.MoveTo(200, y);
        dc.LineTo(1800, y);
        for (int x = 200; x <= 1800; x += 100) {
            dc.MoveTo(x, y);
            dc.LineTo(x, y - (x % 500 == 0 ? 60 : 30));
        }
        dc.RestorePen();
        dc.SelectObject(TPen(TColor(128, 0, 0), 2, PS_DASH));
        dc.MoveTo(200, y - 200);
        dc.LineTo(1800, -2600);
        dc.MoveTo(200, -2600);
        dc.LineTo(1800, y - 200);
        dc.RestorePen();
        dc.TextOut(200, -2750, "Ende der Testseite");
        dc.RestoreFont();
        dc.SetTextAlign(oldAlign);
    }

private:
    static TModule& Module() {
        static TModule module("ORVLPRN.DLL", false);
        return module;
    }

    // The remembered paper, as the fields give it (empty fields leave the file as it is).
    void PresetSettings() {
        const std::string ini = ProgDir + "orvlprn.ini";
        char text[100] = "";
        GetDlgItemText(kPaper, text, sizeof text);
        int code = 0, cx = 0, cy = 0;
        const int n = std::sscanf(text, "%d %d %d", &code, &cx, &cy);
        if (n >= 1) {
            CorrWritePrivateProfileString("Drucker", "DeviceName", kPdfDevice, ini.c_str());
            CorrWritePrivateProfileString("Drucker", "OutputName", kPdfOutput, ini.c_str());
            CorrWritePrivateProfileString("Drucker", "DriverName", kPdfDriver, ini.c_str());
            CorrWritePrivateProfileString("Drucker", "PaperSize", std::to_string(code).c_str(),
                                          ini.c_str());
            if (n == 3) {
                CorrWritePrivateProfileString("Drucker", "PaperSizeCX", std::to_string(cx).c_str(),
                                              ini.c_str());
                CorrWritePrivateProfileString("Drucker", "PaperSizeCY", std::to_string(cy).c_str(),
                                              ini.c_str());
            }
        }
        GetDlgItemText(kOrientation, text, sizeof text);
        if (*text) CorrWritePrivateProfileString("Drucker", "Orientation", text, ini.c_str());
        GetDlgItemText(kFit, text, sizeof text);
        if (*text) CorrWritePrivateProfileString("Drucker", "HoeheAusgl", text, ini.c_str());
    }

    void BNClickedDrucke() {
        SetPrinterSource(IsDlgButtonChecked(kNone)      ? TPrinterSource::None
                         : IsDlgButtonChecked(kPdfOnly) ? TPrinterSource::PdfOnly
                                                        : TPrinterSource::System);
        PresetSettings();
        LastKind = -1;
        PreviewCalls = PrintCalls = 0;
        vdPrint job;
        TModule module("ORVLPRN.DLL");
        TSize page(2100, -2970);
        vdMainPrintDlg dlg(this, ProgDir.c_str(), &page, "Testseite", 1, 1, 1, 1, 1, "", "", "",
                           &job, 7, 20000, &module);
        const int result = dlg.Execute();
        const TRect preview = dlg.GetPreviewRect(), area = dlg.GetPreviewArea();
        char factor[40];
        std::snprintf(factor, sizeof factor, "%.3f", job.GetFitFactor());
        std::string text = "Ausgleich " + std::to_string(job.GetHeightFit()) + ", Faktor " +
                           factor + "; Vorschau " + Percent(preview.Width(), area.Width()) +
                           " % der Breite, " + Percent(preview.Height(), area.Height()) +
                           " % der Höhe; Art " + std::to_string(LastKind);
        if (result == IDOK) {
            const bool printed = job.PrintIt(this);
            text += printed ? "; gedruckt" : "; nicht gedruckt";
            text += ", Druckaufrufe " + std::to_string(PrintCalls);
        } else {
            text += "; zurück";
        }
        SetDlgItemText(kResult, text.c_str());
    }

    static std::string Percent(int part, int whole) {
        return whole > 0 ? std::to_string(std::lround(100.0 * part / whole)) : "0";
    }

    std::string ProgDir;
    int LastKind = -1;
    int PreviewCalls = 0, PrintCalls = 0;
};

const TModuleRegistrar registrar({"printtest", "Drucktest", [](THostContext& context) {
                                      return static_cast<TWindow*>(
                                          new TPrintTestDlg(context.Frame(), context.ProgDir()));
                                  }});

} // namespace
