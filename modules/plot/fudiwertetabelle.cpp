#include "fudiwertetabelle.h"

#include "dc.h"
#include "dlgres.h"
#include "fudilayout.h"
#include "fudirecord.h"
#include "fuditask.h"
#include "funkedit.h"
#include "talk.h"
#include "vdfunction.h"
#include "vdmainprintdlg.h"
#include "vdprint.h"
#include "winapi.h"

#include <cmath>
#include <cstdlib>

namespace {

const char kUndefiniert[] = "n. def.";
const char* const kKopf[4] = {"x", "f(x)", "f'(x)", "f''(x)"};
constexpr int kSeitenZeilen = 50;

std::string Wert(vdFunction& f, int ordnung, long double* werte) {
    const long double y = f.GetPDerivationExt(ordnung, werte, 0, false, 0);
    if (f.GetIsError() || !std::isfinite(y) || fabsl(y) >= CORRldERR) return kUndefiniert;
    // The difference quotients of the derivatives hold about eight digits.
    const int stellen = ordnung == 0 ? 10 : 8;
    return ZahlText(corrroundl(y, stellen), stellen);
}

} // namespace

bool BerechneWertetabelle(vdFunction& f, const long double werte[6], long double von,
                          long double bis, long double schritt, std::vector<TWerteZeile>& zeilen,
                          std::string& fehler) {
    zeilen.clear();
    if (!(schritt > 0) || !std::isfinite(schritt)) {
        fehler = "Wertetabelle:\r Die Schrittweite muss größer als 0 sein.";
        return false;
    }
    if (!(von <= bis) || !std::isfinite(von) || !std::isfinite(bis)) {
        fehler = "Wertetabelle:\r Der Endwert darf nicht kleiner als der Anfangswert sein.";
        return false;
    }
    // A last row within a millionth of a step of the end still belongs to the table.
    const long double n = floorl((bis - von) / schritt + 1e-6L) + 1;
    if (!(n <= kMaxWerteZeilen)) {
        fehler = "Wertetabelle:\r Die Tabelle hätte mehr als " + std::to_string(kMaxWerteZeilen) +
                 " Zeilen. Wählen Sie eine größere Schrittweite.";
        return false;
    }
    long double w[6];
    for (int i = 0; i < 6; ++i) w[i] = werte[i];
    for (int k = 0; k < int(n); ++k) {
        w[0] = von + k * schritt;
        TWerteZeile z;
        z[0] = ZahlText(corrroundl(w[0], 12), 10);
        for (int o = 0; o < 3; ++o) z[size_t(o + 1)] = Wert(f, o, w);
        zeilen.push_back(std::move(z));
    }
    return true;
}

std::string WertetabelleText(const std::vector<TWerteZeile>& zeilen) {
    std::string text = std::string(kKopf[0]) + "\t" + kKopf[1] + "\t" + kKopf[2] + "\t" + kKopf[3];
    text += "\r\n";
    for (const TWerteZeile& z : zeilen)
        text += z[0] + "\t" + z[1] + "\t" + z[2] + "\t" + z[3] + "\r\n";
    return text;
}

TFudiWertetabelle::TFudiWertetabelle(TWindow* parent, FudiTransStructDef* rec, vdFunction* funkObj,
                                     TResId resId, TModule* module)
    : vdBasePrintDlg(parent, resId, module ? module : &FnplotModul()), Rec(rec), FunkObj(funkObj) {
    new TTalkFunkEdit(this, 1001, 1, 221, "Geben Sie bei 'von' den ersten x-Wert der Tabelle ein.",
                      "0", 0, nullptr, 100);
    new TTalkFunkEdit(this, 1002, 1, 221, "Geben Sie bei 'bis' den letzten x-Wert der Tabelle ein.",
                      "0", 0, nullptr, 100);
    new TTalkFunkEdit(this, 1003, 1, 221,
                      "Geben Sie bei 'Schritt' den Abstand zweier x-Werte der Tabelle ein.", "1", 0,
                      nullptr, 100);
    new TTalkButton(this, 201, 221, "Drücken Sie 'Berechnen', um die Tabelle zu berechnen.", "",
                    "");
    new TTalkButton(this, 207, 221,
                    "Drücken Sie 'Kopieren', um die Tabelle für andere Programme in die "
                    "Zwischenablage zu kopieren.",
                    "", "");
    new TTalkButton(this, 218, 221, "Drücken Sie 'Drucken', um die Tabelle zu drucken.", "", "");
    new TTalkButton(this, 302, 221, "Drücken Sie 'Hilfe', um Hilfe zu diesem Dialog zu erhalten.",
                    "", "");
    new TTalkButton(this, IDOK, 221, "Drücken Sie 'Zurück', um die Tabelle zu verlassen.", "", "");
    OnClicked(201, &TFudiWertetabelle::BNClickedBerechnen);
    OnClicked(207, &TFudiWertetabelle::BNClickedKopieren);
    OnClicked(218, &TFudiWertetabelle::BNClickedDrucken);
    OnClicked(302, &TFudiWertetabelle::BNClickedHelp);
}

void TFudiWertetabelle::SetupWindow() {
    vdBasePrintDlg::SetupWindow();
    SetDlgItemText(1001, ZahlText(Rec->x1, 15).c_str());
    SetDlgItemText(1002, ZahlText(Rec->x2, 15).c_str());
    SetDlgItemText(1003, ZahlText(Rec->xAb > 0 ? Rec->xAb : 1, 15).c_str());
    SetDlgItemText(1100, (std::string("f(x)=") + Rec->Funktion).c_str());
    Berechne();
}

long double TFudiWertetabelle::Zahl(int id) const {
    char text[120] = "";
    GetDlgItemText(id, text, sizeof text);
    return std::strtold(text, nullptr);
}

bool TFudiWertetabelle::Berechne() {
    long double werte[6];
    Rec->Var.HoleWerte(werte);
    std::string fehler;
    if (!FunkObj || !BerechneWertetabelle(*FunkObj, werte, Zahl(1001), Zahl(1002), Zahl(1003),
                                          Tabelle, fehler)) {
        if (!fehler.empty()) MessageBox(fehler.c_str(), "Wertetabelle", MB_OK | MB_ICONSTOP);
        SetDlgItemText(1101, "");
        return false;
    }
    SetDlgItemText(1101, WertetabelleText(Tabelle).c_str());
    return true;
}

void TFudiWertetabelle::BNClickedKopieren() {
    if (!CopyTextToClipboard(WertetabelleText(Tabelle).c_str()))
        MessageBox("Zwischenablage:\r Die Tabelle konnte nicht kopiert werden.", "Wertetabelle",
                   MB_OK | MB_ICONSTOP);
}

void TFudiWertetabelle::BNClickedDrucken() {
    vdPrint job;
    TModule module("ORVLPRN.DLL");
    TSize page(2100, -2970);
    vdMainPrintDlg dlg(this, Rec->Verzeichnis, &page, "Wertetabelle", 1, 1, 1, 1, 1, "", "", "",
                       &job, 3, 20000, &module);
    if (dlg.Execute() == IDOK) job.PrintIt(this);
}

void TFudiWertetabelle::BNClickedHelp() {
    WinExec("HH.EXE mk:@MSITStore:orvlhilf5.chm::html/main90dk.htm", SW_SHOWNORMAL);
}

void TFudiWertetabelle::CurrPrintout(bool preview, TDC& dc, bool, TRect&, int) {
    dc.SetBkMode(TRANSPARENT);
    const unsigned oldAlign = dc.SetTextAlign(TA_LEFT | TA_TOP);
    dc.SelectObject(TFont("Arial Standard", 40, 0, 0, 0, FW_NORMAL, false, false, false,
                          preview ? 3 : 0, preview ? 2 : 0, 2, preview ? 1 : 2));
    dc.TextOut(25, -150, (std::string("Wertetabelle von f(x)=") + Rec->Funktion).c_str());
    const int spalten[4] = {25, 525, 1025, 1525};
    for (int s = 0; s < 4; ++s) dc.TextOut(spalten[s], -250, kKopf[s]);
    dc.SelectObject(TPen(TColor::Black, 1));
    dc.MoveTo(0, -300);
    dc.LineTo(2100, -300);
    dc.RestorePen();
    for (int j = 0; j < int(Tabelle.size()); ++j) {
        const int y = -325 - 50 * j;
        if (j == kSeitenZeilen) {
            dc.TextOut(25, y, "...");
            break;
        }
        for (int s = 0; s < 4; ++s)
            dc.TextOut(spalten[s], y, Tabelle[size_t(j)][size_t(s)].c_str());
    }
    dc.RestoreFont();
    dc.SetTextAlign(oldAlign);
}
