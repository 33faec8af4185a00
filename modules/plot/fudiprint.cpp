// The two pages of the function discussion: the drawing (kind 1) and the discussion report
// (kind 2), drawn in tenths of a millimetre on an A4 page with y negative downwards.
#include "controls.h"
#include "dc.h"
#include "dlgres.h"
#include "fudirecord.h"
#include "fuditask.h"
#include "printer_p.h"
#include "tfunktionsdraw.h"
#include "vdfunction.h"
#include "vdmainprintdlg.h"
#include "vdprint.h"
#include "winapi.h"

#include <ctime>
#include <string>
#include <vector>

namespace {

const TColor kAbl1Farbe = RGB(0, 0, 128);
const TColor kAbl2Farbe = RGB(0, 128, 0);
constexpr int kSeitenBreite = 2100;
constexpr int kMaxListenZeilen = 26;

// At most five print lines of a function text; a line the formatter cannot give stays empty.
void Zeilen(const char* text, int breite, std::string out[5]) {
    vdFormFuncOutput form(text, breite);
    std::vector<char> line(vdFormOutput::MaxText + 1, '\0');
    for (int i = 0; i < 5; ++i) {
        out[i].clear();
        if (form.GetErr() != 0) continue;
        line[0] = 0;
        form.GetLine(line.data(), i + 1);
        if (form.GetErr() == 0) out[i] = line.data();
    }
}

TFont Schrift(bool preview, int hoehe) {
    return TFont("Arial Standard", hoehe, 0, 0, 0, FW_NORMAL, false, false, false, preview ? 3 : 0,
                 preview ? 2 : 0, 2, preview ? 1 : 2);
}

void Linie(TDC& dc, int x1, int y, int x2, const TPen& pen) {
    dc.SelectObject(pen);
    dc.MoveTo(x1, y);
    dc.LineTo(x2, y);
    dc.RestorePen();
}

std::string Intervall(long double a, long double b) {
    return "[" + ZahlText(corrroundl(a, 10), 10) + ", " + ZahlText(corrroundl(b, 10), 10) + "]";
}

std::string Gerundet(long double v) {
    return ZahlText(corrroundl(v, 10), 10);
}

// The variable values, formatted without rounding: y (2D only) and z at x 25, u, v, w at x 900.
void Variablen(TDC& dc, const FudiTransStructDef& r, int yTitel, int yY, int yZ, int yU) {
    long double werte[6];
    r.Var.HoleWerte(werte);
    dc.TextOut(25, yTitel, "Variablen");
    if (!r.Is3D) {
        dc.TextOut(25, yY, "y-Wert:");
        dc.TextOut(300, yY, ZahlText(werte[1], 10).c_str());
    }
    dc.TextOut(25, yZ, "z-Wert:");
    dc.TextOut(300, yZ, ZahlText(werte[2], 10).c_str());
    const char* const namen[3] = {"u-Wert:", "v-Wert:", "w-Wert:"};
    for (int i = 0; i < 3; ++i) {
        dc.TextOut(900, yU - 50 * i, namen[i]);
        dc.TextOut(1200, yU - 50 * i, ZahlText(werte[3 + i], 10).c_str());
    }
}

// "mit f'(x)", "mit/und f''(x)" with their sample lines and "durchgezeichnet" on row y.
void Ableitungen(TDC& dc, const FudiTransStructDef& r, int y) {
    const int linie = y - 45;
    if (r.Abl1) {
        dc.TextOut(25, y, "mit f'(x)");
        Linie(dc, 0, linie, 100, TPen(kAbl1Farbe, 2));
    }
    if (r.Abl2) {
        const int links = r.Abl1 ? 200 : 0;
        dc.TextOut(r.Abl1 ? 200 : 25, y, r.Abl1 ? "und f''(x)" : "mit f''(x)");
        Linie(dc, links, linie, links + 100, TPen(kAbl2Farbe, 4));
    }
    if (r.durchz) dc.TextOut(400, y, "durchgezeichnet");
}

void Abstaende(TDC& dc, const FudiTransStructDef& r, int y) {
    dc.TextOut(25, y, "x-Abstand:");
    dc.TextOut(300, y, Gerundet(r.xAb).c_str());
    dc.TextOut(900, y, "h-Abstand:");
    dc.TextOut(1200, y, Gerundet(r.hAb).c_str());
}

void Liste(TDC& dc, int x, const char* titel, const TListBoxData* lines) {
    dc.TextOut(x, -1500, titel);
    if (!lines) return;
    const auto& all = lines->GetStrings();
    for (int j = 0; j < int(all.size()); ++j) {
        if (j == kMaxListenZeilen) {
            dc.TextOut(x, -1550 - 50 * j, "...");
            break;
        }
        dc.TextOut(x, -1550 - 50 * j, all[size_t(j)].c_str());
    }
}

} // namespace

void TFunktionsDraw::PrintDialog(const char* title, int kind) {
    vdPrint job;
    TModule module("ORVLPRN.DLL");
    TSize page(kSeitenBreite, -2970);
    vdMainPrintDlg dlg(this, HStruct->Verzeichnis, &page, title, 1, 1, 1, 1, 1, "", "", "", &job,
                       kind, 20000, &module);
    if (dlg.Execute() == IDOK) job.PrintIt(this);
}

bool TFunktionsDraw::SeiteAlsPdf(int kind, const char* file) {
    SetPrinterSource(TPrinterSource::PdfOnly);
    vdPrinter printer;
    if (!printer.IsValid() || !printer.IsPdf()) return false;
    printer.GetData().FileName = file;
    vdPrintout printout(kind == 2 ? "Diskussion" : "Funktion", this, kind);
    TSize page(kSeitenBreite, -2970);
    printout.SetPageSize(&page);
    return printer.Print(printout) == 0;
}

void TFunktionsDraw::DruckeFunktion() {
    vdFuncTrace("void TFunktionsDraw::DruckeFunktion()");
    PrintDialog("Funktion", 1);
}

void TFunktionsDraw::DruckeInformation() {
    vdFuncTrace("void TFunktionsDraw::DruckeInformation()");
    if (HStruct->Is3D) return;
    if (!HStruct->Integral && !HStruct->Diskussion) {
        MessageBox("Es wurde mit der aktuellen Funktion weder eine Integralberechnung noch eine "
                   "Diskussion durchgeführt, so daß ein Ausdruck nicht möglich ist.\rHinweis: "
                   "Führen Sie die entsprechenden Berechnungen durch, indem Sie im Eingabedialog "
                   "die gewünschten Optionen auswählen.",
                   "Diskussion", MB_OK | MB_ICONINFORMATION);
        return;
    }
    PrintDialog("Diskussion", 2);
}

void TFunktionsDraw::CurrPrintout(bool preview, TDC& dc, bool, TRect&, int Page) {
    vdFuncTrace("void TFunktionsDraw::CurrPrintout(BOOL, TDC&, BOOL, TRect&, int)");
    if (!HStruct) return;
    Zeichner.ResetListen();
    Zeichner3D.ResetHorizont();
    Druckt = 1;
    // Printing lets messages through once per column; the preview is drawn inside a paint.
    Zeichner.Pumpe = preview ? std::function<void()>() : [] { PumpWaitingMessages(); };
    Zeichner3D.Pumpe = Zeichner.Pumpe;
    std::string zeilen[5], abl[5];
    Zeilen(HStruct->Funktion, Page == 2 ? 60 : 90, zeilen);
    Zeilen(HStruct->Funktion + 600, Page == 2 ? 60 : 90, abl);

    dc.SetBkMode(TRANSPARENT);
    const unsigned oldAlign = dc.SetTextAlign(TA_LEFT | TA_TOP);
    dc.SelectObject(Schrift(preview, 20));
    const std::time_t now = std::time(nullptr);
    const std::tm* local = std::localtime(&now);
    const std::string fuss = "Orvelin 5.0 - Funktionsdiskussion - " +
                             std::to_string(local ? local->tm_year + 1900 : 2026);
    if (Page == 2)
        dc.TextOut(725, -625, fuss.c_str());
    else
        dc.TextOut(25, -1975, fuss.c_str());
    dc.RestoreFont();
    dc.SelectObject(Schrift(preview, 40));
    if (Page == 2)
        DruckeDiskussionsseite(dc, zeilen, abl);
    else
        DruckeZeichnungsseite(dc, zeilen);
    dc.RestoreFont();
    dc.SetTextAlign(oldAlign);
    Zeichner.Pumpe = nullptr;
    Zeichner3D.Pumpe = nullptr;
    Druckt = 0;
    if (NachDemDruck) {
        NachDemDruck = false;
        Invalidate();
    }
}

void TFunktionsDraw::DruckeZeichnungsseite(TDC& dc, const std::string zeilen[5]) {
    const FudiTransStructDef& r = *HStruct;
    if (r.Is3D)
        Zeichne3D(dc, 1901, 1901, -1, true);
    else
        Zeichne2D(dc, 1900, 1900, TRect(0, 0, 1900, 1900), -1, true);
    dc.TextOut(25, -2025, r.Is3D ? "Funktion: f(x,y)=" : "Funktion: f(x)=");
    for (int i = 0; i < 3; ++i) dc.TextOut(300, -2025 - 50 * i, zeilen[i].c_str());
    const TPen schwarz(TColor::Black, 1);
    Linie(dc, 0, -2070, 100, schwarz);
    Linie(dc, 0, -2000, kSeitenBreite, schwarz);
    Linie(dc, 0, -2175, kSeitenBreite, schwarz);
    Linie(dc, 0, r.Is3D ? -2645 : -2595, kSeitenBreite, schwarz);
    Variablen(dc, r, -2200, -2300, -2350, -2250);
    dc.TextOut(25, -2450, "x-Intervall:");
    dc.TextOut(300, -2450, Intervall(r.x1, r.x2).c_str());
    dc.TextOut(900, -2450, "h-Intervall:");
    dc.TextOut(1200, -2450, Intervall(r.h1, r.h2).c_str());
    if (r.Is3D) {
        dc.TextOut(25, -2500, "y-Intervall:");
        dc.TextOut(300, -2500, Intervall(r.y1, r.y2).c_str());
        if (r.durchz) dc.TextOut(1300, -2500, "durchgezeichnet");
        dc.TextOut(25, -2600, "y-Abstand:");
        dc.TextOut(300, -2600, Gerundet(r.yAb).c_str());
    } else {
        Ableitungen(dc, r, -2500);
    }
    Abstaende(dc, r, -2550);
}

void TFunktionsDraw::DruckeDiskussionsseite(TDC& dc, const std::string zeilen[5],
                                            const std::string abl[5]) {
    const FudiTransStructDef& r = *HStruct;
    Zeichne2D(dc, 600, 600, TRect(0, 0, 600, 600), -1, true);
    const TPen schwarz(TColor::Black, 1);
    dc.TextOut(725, -100, "Funktion: f(x)=");
    Linie(dc, 700, -145, 800, schwarz);
    for (int i = 0; i < 5; ++i) dc.TextOut(1000, -100 - 50 * i, zeilen[i].c_str());
    dc.TextOut(725, -350, "1. Abl.: f'(x)=");
    for (int i = 0; i < 5; ++i) dc.TextOut(1000, -350 - 50 * i, abl[i].c_str());
    for (int y : {-660, -825, -1245, -1345, -1445}) Linie(dc, 0, y, kSeitenBreite, schwarz);
    Variablen(dc, r, -850, -950, -1000, -900);
    dc.TextOut(25, -1100, "x-Intervall:");
    dc.TextOut(300, -1100, Intervall(r.x1, r.x2).c_str());
    dc.TextOut(900, -1100, "h-Intervall:");
    dc.TextOut(1200, -1100, Intervall(r.h1, r.h2).c_str());
    Ableitungen(dc, r, -1150);
    Abstaende(dc, r, -1200);
    if (r.Integral || r.Diskussion) dc.TextOut(25, -1300, "Funktionsdiskussion:");
    if (r.Integral) {
        dc.TextOut(25, -1400, "Gesamtintegral:");
        dc.TextOut(300, -1400, Gerundet(r.PosIntegral + r.NegIntegral).c_str());
        dc.TextOut(600, -1400, "Positives Integral:");
        dc.TextOut(900, -1400, Gerundet(r.PosIntegral).c_str());
        dc.TextOut(1200, -1400, "Negatives Integral:");
        dc.TextOut(1500, -1400, Gerundet(r.NegIntegral).c_str());
        dc.TextOut(900, -1350, "Genauigkeit:");
        dc.TextOut(1200, -1350, Gerundet(r.IntGenauigkeit).c_str());
    }
    if (r.Diskussion) {
        if (r.NStErzwingen) dc.TextOut(400, -1450, "NSt. erzwungen");
        dc.TextOut(900, -1450, "Abstand:");
        dc.TextOut(1200, -1450, Gerundet(r.DiskDichte != 0 ? 1 / r.DiskDichte : 0).c_str());
        Liste(dc, 25, "Nullstellen:", r.NstText);
        Liste(dc, 500, "Extrema:", r.ExtrText);
        Liste(dc, 1200, "Wendestellen:", r.WendText);
    }
}
