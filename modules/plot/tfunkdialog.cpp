#include "tfunkdialog.h"

#include "dc.h"
#include "dlgres.h"
#include "filedlg.h"
#include "frame.h"
#include "fudilayout.h"
#include "fudirecord.h"
#include "fuditask.h"
#include "funkedit.h"
#include "orvldlgs.h"
#include "pictures.h"
#include "talk.h"
#include "tfunktionsdraw.h"
#include "vdfunction.h"
#include "winapi.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <iterator>
#include <vector>

// The preview area 325: shows the picture the last calculation drew.
class TFudiVorschau : public TControl {
public:
    TFudiVorschau(TWindow* parent, int id) : TControl(parent, id) {}
    void Setze(std::unique_ptr<TBitmap> bild) {
        Bild = std::move(bild);
        Invalidate();
    }
    void Loesche() { Setze(nullptr); }
    bool HatBild() const { return Bild != nullptr; }
    void Paint(TDC& dc, bool, TRect&) override {
        const TRect r = GetClientRect();
        dc.FillRect(r, TBrush(TColor::White));
        if (Bild) dc.DrawBitmap(*Bild, TRect(0, 0, Bild->Width(), Bild->Height()));
        dc.SelectObject(TPen(TColor::Gray, 1));
        dc.SelectObject(TBrush::Null());
        dc.Rectangle(r);
        dc.RestoreBrush();
        dc.RestorePen();
    }

private:
    std::unique_ptr<TBitmap> Bild;
};

namespace {

// Area 508 next to the time estimate: painted blue once a 3D preview has been drawn.
class TFudiFarbfeld : public TControl {
public:
    TFudiFarbfeld(TWindow* parent, int id) : TControl(parent, id) {}
    void Paint(TDC& dc, bool, TRect&) override {
        dc.FillRect(GetClientRect(), TBrush(RGB(0, 0, 255)));
    }
};

const char kUnlesbar[] = "Datei:\r Die Datei besitzt kein lesbares Format.";
const char kNichtGespeichert[] = "Datei:\r Die Aufgabenstellung konnte nicht gespeichert werden.";
const char kFilter[] = "FuDi-Dateien (*.FUD)|*.fud|";
const char kHilfe2D[] = "HH.EXE mk:@MSITStore:orvlhilf5.chm::html/main0mn8.htm";
const char kHilfe3D[] = "HH.EXE mk:@MSITStore:orvlhilf5.chm::html/main1gv8.htm";
const int kMaxFunktion = 250;

// The controls that only one mode shows.
const int kNur2D[] = {1005, 1010, 1015, 1020, 1021, 1025, 2013, 1027, 208, 1208};
const int kNur3D[] = {101, 102, 228, 224, 229,  225, 215, 216, 218, 219,
                      220, 222, 213, 214, 1203, 210, 345, 217, 223, 1026};
// The buttons a running step disables.
const int kSchritteKnoepfe[] = {1150, 1140, 1130, 1160, 1110, 1120, 6,   1100,
                                305,  2,    222,  220,  219,  218,  216, 215};

bool Zwischen(long double t, long double a, long double b) {
    return t >= a && t < b;
}

} // namespace

TFunkDialog::TFunkDialog(TWindow* parent, int mode, FudiTransStructDef* EinStructIn, TResId resId,
                         TModule* module)
    : TDialog(parent, resId, module ? module : &FnplotModul()), Caller(EinStructIn),
      Work(std::make_unique<FudiTransStructDef>(*EinStructIn)), Mode(mode == 1 ? 1 : 0),
      Zeichner(Work.get()), Zeichner3D(Work.get(), Zeichner) {
    const bool d3 = Mode == 1;
    const char* vars = d3 ? "(z,u,v,w)" : "(y,z,u,v,w)";
    new TTalkEdit(this, 4095, 0, 221,
                  d3 ? "Geben Sie bei 'Funktion' die gewünschte Funktion f(x,y) ein."
                     : "Geben Sie bei 'Funktion' die gewünschte Funktion f(x) ein.",
                  "0", 600);
    auto zahl = [this](int id, const char* info) {
        new TTalkFunkEdit(this, id, 1, 221, info, "0", 0, nullptr, 100);
    };
    zahl(224, "Geben Sie bei 'Grade: Genauigkeit' die Genauigkeit der Zeichnung ein {im Bereich "
              "1-25}.");
    zahl(1001, "Geben Sie bei 'Bereich: x1' den unteren Intervallrand für die Berechnungen ein.");
    zahl(1002, "Geben Sie bei 'Bereich: x2' den oberen Intervallrand für die Berechnungen ein.");
    zahl(1003, "Geben Sie bei 'Bereich: h1' den unteren Intervallrand für die Berechnungen ein.");
    zahl(1004, "Geben Sie bei 'Bereich: h2' den oberen Intervallrand für die Berechnungen ein.");
    zahl(213, "Geben Sie bei 'Bereich: y1' den unteren Intervallrand für die Berechnungen ein.");
    zahl(210, "Geben Sie bei 'Bereich: y2' den oberen Intervallrand für die Berechnungen ein.");
    zahl(1035, "Geben Sie bei 'Skala: x-Abstand' die gewünschte x-Skalierung ein.");
    zahl(1040, "Geben Sie bei 'Skala: h-Abstand' die gewünschte h-Skalierung ein.");
    zahl(217, "Geben Sie bei 'Skala: y-Abstand' die gewünschte y-Skalierung ein.");
    zahl(1010, "Geben Sie bei 'Genauigkeit' die gewünschte Genauigkeit für die Integralberechnug "
               "ein.");
    zahl(1027, "Geben Sie bei 'Abstand' den maximalen Abstand zwischen zwei Null-, Extrem-, oder "
               "Wendestellen ein.");
    auto kontrolle = [this](int id, const char* info) { new TTalkControl(this, id, 221, info); };
    kontrolle(1005, "Markieren Sie 'Integralberechnung:', um eine Integralberechnung mit "
                    "angegebener Genauigkeit duchführen zu lassen.");
    kontrolle(1025, "Markieren Sie 'Funktionsdiskussion:', um eine Funktionsdiskussion mit "
                    "angegebenem Abstand duchführen zu lassen.");
    kontrolle(1021, "Markieren Sie 'markiert', um berechnete Nullstellen, Extrema und "
                    "Wendestellen in der Hauptzeichnung hervorzuheben.");
    kontrolle(1015, "Markieren Sie 'f'(x)', um die erste Ableitung zeichnen zu lassen.");
    kontrolle(1020, "Markieren Sie 'f''(x)', um die zweite Ableitung zeichnen zu lassen.");
    kontrolle(208, "Markieren Sie 'erzwinge NSt.', um bei der Funktionsdiskussion alle "
                   "Kandidaten für Nullstellen der Funktion oder der Ableitungen zu erhalten.");
    kontrolle(1045, "Markieren Sie 'durchzeichnen', um die Funktionen mit "
                    "bereichsüberschreitenden Sprungstellen zu zeichnen.");
    kontrolle(223, "Markieren Sie 'Linien', um die 3D-Funktion mit umgrenzenden Linien "
                   "zeichnen zu lassen.");
    kontrolle(1026, "Markieren Sie 'Steigung', um die 3D-Funktion abhängig vom Grad der "
                    "Steigung farbig zeichnen zu lassen.");
    kontrolle(1009, "Im Auswahlfeld sehen Sie, die die gewünschten Parameter und die von "
                    "'Kalkulation' veranschlagte Zeit.");
    new TTalkRadioButton(this, 101, 221,
                         "Markieren Sie 'schwarz/weiß', um die 3D-Funktion in schwarz/weiß "
                         "zeichnen zu lassen.");
    new TTalkRadioButton(this, 102, 221,
                         "Markieren Sie 'farbig', um die 3D-Funktion farbig (Blau) zeichnen zu "
                         "lassen.");
    Vorschau = new TFudiVorschau(this, 325);
    new TFudiFarbfeld(this, 508);
    new TStatic(this, 1030);
    new TTalkMetaControl(this, kPfeilBild, 221,
                         "Mit den Knöpfen daneben bewegen Sie den dargestellten Bereich.",
                         "LDRU.vdm");
    if (d3)
        new TTalkMetaControl(this, 225, 221,
                             "Mit den Knöpfen daneben drehen und kippen Sie die Zeichnung.",
                             "BALL.vdm");
    auto knopf = [this](int id, const std::string& info) {
        new TTalkButton(this, id, 221, info.c_str(), "", "");
    };
    knopf(6, "Drücken Sie 'Prüfung, Neuzeichnen, Kalkulation', um die Funktion zu prüfen, neu zu "
             "zeichnen und um die benötigte Zeit zu kalkulieren.");
    knopf(1100, d3 ? "Drücken Sie 'Vorschlag', um angemessene Werte für die Skala vorgeschlagen "
                     "zu bekommen."
                   : "Drücken Sie 'Vorschlag', um angemessene Genauigkeiten für die Berechnungen "
                     "vorgeschlagen zu bekommen.");
    knopf(1110, "Drücken Sie diesen Knopf, um sich um 10% nach oben zu bewegen.");
    knopf(1120, "Drücken Sie diesen Knopf, um sich um 10% nach unten zu bewegen.");
    knopf(1130, "Drücken Sie diesen Knopf, um sich um 10% nach links zu bewegen.");
    knopf(1140, "Drücken Sie diesen Knopf, um sich um 10% nach rechts zu bewegen.");
    knopf(216, "Drücken Sie diesen Knopf, um sich um 10% nach vorne zu bewegen.");
    knopf(215, "Drücken Sie diesen Knopf, um sich um 10% nach hinten zu bewegen.");
    knopf(1160, "Drücken Sie 'größer', um den dargestellten Bereich um 10% zu vergrößern.");
    knopf(1150, "Drücken Sie 'kleiner', um den dargestellten Bereich um 10% zu verkleinern.");
    knopf(220, "Drücken Sie '+', um sich nach oben zu drehen.");
    knopf(222, "Drücken Sie '-', um sich nach unten zu drehen.");
    knopf(219, "Drücken Sie '+', um sich nach rechts zu drehen.");
    knopf(218, "Drücken Sie '-', um sich nach links zu drehen.");
    knopf(207, std::string("Drücken Sie 'k', um die Funktion mit den Variablen ") + vars +
                   " für andere Programme zu kopieren.");
    knopf(206, std::string("Drücken Sie 'e', um eine Funktion mit den Variablen ") + vars +
                   " eines anderen Programms einzufügen.");
    knopf(209, std::string("Drücken Sie 'v', um die Variablen ") + vars +
                   " für die Funktion zu setzen.");
    knopf(305, "Drücken Sie 'OK', um die Funktion zu nehmen.");
    knopf(212, "Drücken Sie 'Laden', um eine Aufgabenstellung zu laden.");
    knopf(211, "Drücken Sie 'Speichern', um die Aufgabenstellung zu speichern.");
    knopf(302, "Drücken Sie 'Hilfe', um Hilfe zu diesem Dialog zu erhalten.");
    knopf(IDCANCEL, "Drücken Sie 'Abbruch', um den Dialog zu verlassen, ohne die Funktion zu "
                    "nehmen.");

    OnClicked(6, &TFunkDialog::KalkButt);
    OnClicked(1100, &TFunkDialog::Vorschlag);
    OnClicked(1110, &TFunkDialog::Hoch);
    OnClicked(1120, &TFunkDialog::Runter);
    OnClicked(1130, &TFunkDialog::Links);
    OnClicked(1140, &TFunkDialog::Rechts);
    OnClicked(215, &TFunkDialog::Hinten);
    OnClicked(216, &TFunkDialog::Vorne);
    OnClicked(1150, &TFunkDialog::kleiner);
    OnClicked(1160, &TFunkDialog::groesser);
    OnClicked(220, &TFunkDialog::TurnHigh);
    OnClicked(222, &TFunkDialog::TurnLow);
    OnClicked(218, &TFunkDialog::TurnLeft);
    OnClicked(219, &TFunkDialog::TurnRight);
    OnClicked(101, &TFunkDialog::BNClickedRBSchW);
    OnClicked(102, &TFunkDialog::BNClickedRBSchW);
    OnClicked(1025, &TFunkDialog::BNClickedCBDiskussion);
    OnClicked(209, &TFunkDialog::BNClickedVar);
    OnClicked(207, &TFunkDialog::BNClickedKopieren);
    OnClicked(206, &TFunkDialog::BNClickedEinfuegen);
    OnClicked(211, &TFunkDialog::BNClickedSpeichern);
    OnClicked(212, &TFunkDialog::BNClickedLaden);
    OnClicked(305, &TFunkDialog::BNClickedOKB);
    OnClicked(302, &TFunkDialog::BNClickedHelp);
}

TFunkDialog::~TFunkDialog() = default;

// ---- fields -----------------------------------------------------------------------------------

long double TFunkDialog::Zahl(int id) const {
    char text[120] = "";
    GetDlgItemText(id, text, sizeof text);
    const long double v = std::strtold(text, nullptr);
    return std::isfinite(v) ? v : 0;
}

std::string TFunkDialog::Text(int id) const {
    std::vector<char> text(2700, '\0');
    GetDlgItemText(id, text.data(), int(text.size()));
    return text.data();
}

void TFunkDialog::SetzeZahl(int id, long double value) {
    SetDlgItemText(id, ZahlText(value, 15).c_str());
}

bool TFunkDialog::Checked(int id) const {
    return IsDlgButtonChecked(id) == BF_CHECKED;
}

void TFunkDialog::Check(int id, bool on) {
    CheckDlgButton(id, on ? BF_CHECKED : BF_UNCHECKED);
}

void TFunkDialog::Enable(int id, bool enable) {
    ::EnableWindow(GetDlgItem(id), enable);
}

void TFunkDialog::Melde(bool still, const char* text) {
    if (!still) MessageBox(text, "Eingabe", MB_OK | MB_ICONSTOP);
}

void TFunkDialog::FelderAusWork() {
    const FudiTransStructDef& w = *Work;
    SetDlgItemText(4095, *w.Funktion ? w.Funktion : "0");
    SetDlgItemText(224, std::to_string(w.Grade).c_str());
    const std::pair<int, long double> zahlen[] = {
        {1001, w.x1},
        {1002, w.x2},
        {1003, w.h1},
        {1004, w.h2},
        {213, w.y1},
        {210, w.y2},
        {1035, w.xAb},
        {1040, w.hAb},
        {217, w.yAb},
        {1010, w.IntGenauigkeit},
        {1027, w.DiskDichte != 0 ? 1 / w.DiskDichte : 0.01L}};
    for (const auto& [id, v] : zahlen) SetzeZahl(id, v);
    Check(1015, w.Abl1);
    Check(1020, w.Abl2);
    Check(1005, w.Integral);
    Check(1025, w.Diskussion);
    Check(1021, w.markiert);
    Check(1045, w.durchz);
    Check(208, w.NStErzwingen);
    Check(223, w.Linien);
    Check(1026, w.Norm);
    CheckRadioButton(101, 102, w.farbig ? 102 : 101);
}

void TFunkDialog::SetupWindow() {
    vdFuncTrace("void TFunkDialog::SetupWindow()");
    TDialog::SetupWindow();
    FelderAusWork();
    const std::vector<int> andere = Mode == 1
                                        ? std::vector<int>(std::begin(kNur2D), std::end(kNur2D))
                                        : std::vector<int>(std::begin(kNur3D), std::end(kNur3D));
    for (int id : andere) ::ShowWindow(GetDlgItem(id), SW_HIDE);
    if (Mode == 1) {
        SetDlgItemText(246, "f(x,y)=");
        BNClickedRBSchW();
    }
    BNClickedCBDiskussion();
    // The first preview, without messages: the dialog is still being set up.
    Einrichten = true;
    if (!Kalkulation(true, false, true)) Vorschau->Loesche();
    Einrichten = false;
}

// ---- the calculation --------------------------------------------------------------------------

bool TFunkDialog::Kalkulation(bool Zeichnen, bool Vorschlag, bool WinMessPaint) {
    vdFuncTrace("BOOL TFunkDialog::Kalkulation(BOOL, BOOL, BOOL)");
    if (InKalkulation) return false;
    InKalkulation = true;
    struct Ende {
        bool& flag;
        ~Ende() { flag = false; }
    } ende{InKalkulation};
    if (!Einrichten) PumpWaitingMessages();
    // The messages may have closed the dialog.
    if (!IsWindow()) return false;

    FudiTransStructDef& w = *Work;
    w.xAb = Zahl(1035);
    w.hAb = Zahl(1040);
    w.yAb = Zahl(217);
    w.Abl1 = Checked(1015);
    w.Abl2 = Checked(1020);
    std::string text = Text(4095);
    if (text.size() > 600) text.resize(600);
    w.x1 = Zahl(1001);
    w.x2 = Zahl(1002);
    w.h1 = Zahl(1003);
    w.y1 = Zahl(213);
    w.y2 = Zahl(210);
    w.h2 = Zahl(1004);
    w.Grade = static_cast<int>(std::clamp(Zahl(224), -1e9L, 1e9L));
    w.Linien = Checked(223);
    w.farbig = Checked(102);
    w.Norm = Checked(1026);
    w.Integral = Checked(1005);
    w.Diskussion = Checked(1025);
    w.markiert = Checked(1021);
    w.durchz = Checked(1045);
    w.NStErzwingen = Checked(208);

    long double genauigkeit = fabsl(Zahl(1010));
    if (genauigkeit == 0) genauigkeit = 100;
    w.IntGenauigkeit = genauigkeit;
    SetzeZahl(1010, genauigkeit);
    const long double abstand = Zahl(1027);
    if (abstand == 0) {
        SetzeZahl(1027, 0.01L);
        w.DiskDichte = 100;
    } else {
        w.DiskDichte = fabsl(1 / abstand);
    }
    Enable(220, w.Move_Vertical < 1.5L);
    Enable(222, w.Move_Vertical > -0.5L);

    if (text.empty()) {
        SetDlgItemText(4095, "0");
        return false;
    }
    if (text.size() > size_t(kMaxFunktion)) {
        const std::string meldung = std::string("Funktion:\r ") +
                                    "Die Länge der Funktion kann maximal 250 Zeichen sein. (" +
                                    std::to_string(text.size() - kMaxFunktion) +
                                    " Zeichen zuviel.)";
        Melde(WinMessPaint, meldung.c_str());
        return false;
    }
    std::memset(w.Funktion, 0, 600);
    std::memcpy(w.Funktion, text.c_str(), text.size());
    if (!(w.x1 < w.x2)) {
        Melde(WinMessPaint, "Wertebelegung:\r Die Werte für x1 und x2 sind nicht gültig.");
        return false;
    }
    if (!(w.h1 < w.h2)) {
        Melde(WinMessPaint, "Wertebelegung:\r Die Werte für h1 und h2 sind nicht gültig.");
        return false;
    }
    // The y interval and the grid density belong to f(x,y); a 2D task never shows them.
    if (Mode == 1 && !(w.y1 < w.y2)) {
        Melde(WinMessPaint, "Wertebelegung:\r Die Werte für y1 und y2 sind nicht gültig.");
        return false;
    }
    if (Mode == 1 && (w.Grade < 1 || w.Grade > 25)) {
        Melde(WinMessPaint, "Grade:\r Die Genauigkeit der Grade muß im Bereich 5-25 liegen.");
        return false;
    }
    FunkObj = std::make_unique<vdFunction>(w.Funktion, 6, "xyzuvw", 1, nullptr, true, false);
    Zeichner.SetFunktion(FunkObj.get());
    if (FunkObj->GetIsError() && Zeichnen) {
        char fehler[256] = "";
        FunkObj->GetErrorTypeText(fehler);
        Melde(WinMessPaint, (std::string("Funktion:\r ") + fehler).c_str());
        return false;
    }

    if (Zeichnen) {
        // The title bar's close button stays as it is: on the platform, greying it would hide
        // and so end this modal dialog. Nothing below lets messages through.
        Vorschau->Loesche();
        Zeichner.ResetListen();
        SetCursor(IDC_WAIT);
        long double e[3] = {0, 0, 0};
        if (Mode == 0) Vorschau2D(Vorschlag, e);
        const long double ms3d = Mode == 1 ? Vorschau3D() : 0;
        if (Mode == 1) ::ShowWindow(GetDlgItem(508), SW_SHOW);
        SetCursor(IDC_ARROW);
        long double s;
        if (Mode == 1)
            s = ms3d;
        else if (!w.Abl1 && !w.Abl2)
            s = e[0];
        else if (w.Abl1 && !w.Abl2)
            s = (2 * e[1] + e[0]) / 3;
        else if (!w.Abl1)
            s = (3 * e[2] + e[0]) / 4;
        else
            s = (2 * e[1] + e[0] + 3 * e[2]) / 6;
        s = Mode == 1 ? ceill(s * 0.001L) : corrroundl(s * 0.001L);
        Sekunden = static_cast<long>(std::clamp(s, 1.0L, 1e9L));
        SetDlgItemText(1030, ZahlText(Sekunden, 7).c_str());
        if (Vorschlag) SkalenVorschlag();
    }
    FudiMenuePunkt(Parent, TFunktionsDraw::CM_INFORMATION, true);
    FudiMenuePunkt(Parent, TFunktionsDraw::CM_DRUCKEFUNKTION, true);
    FudiMenuePunkt(Parent, TFunktionsDraw::CM_DRUCKEINFORMATION, w.Integral || w.Diskussion);
    return true;
}

void TFunkDialog::Vorschau2D(bool vorschlag, long double e[3]) {
    FudiTransStructDef& w = *Work;
    if (Parent) w.FensterBreite = Parent->GetClientRect().Width();
    const TRect r = Vorschau->GetClientRect();
    if (r.Width() < 2 || r.Height() < 2) return;
    auto bild = std::make_unique<TBitmap>(r.Width(), r.Height(), RGB(255, 251, 240));
    {
        TMemoryDC dc(*bild);
        const int W = r.Width() - 1, H = r.Height() - 1;
        Zeichner.ZeichneKoord(dc.GetHDC(), 0, 0, W, H, 0, W, 0, H, 1, false, false);
        e[0] = ZeichneklFunktion(0, dc, W, H, vorschlag);
        if (w.Abl1) e[1] = ZeichneklFunktion(1, dc, W, H, vorschlag);
        if (w.Abl2) e[2] = ZeichneklFunktion(2, dc, W, H, vorschlag);
    }
    Vorschau->Setze(std::move(bild));
}

long double TFunkDialog::Vorschau3D() {
    FudiTransStructDef& w = *Work;
    const TRect r = Vorschau->GetClientRect();
    if (r.Width() < 2 || r.Height() < 2) return 1;
    const TRect fenster = Parent ? Parent->GetClientRect() : r;
    w.FensterBreite = fenster.Width();
    w.FensterHoehe = fenster.Height();
    auto bild = std::make_unique<TBitmap>(r.Width(), r.Height(), RGB(255, 251, 240));
    const unsigned long start = GetTickCount();
    {
        TMemoryDC dc(*bild);
        Zeichner3D.SetFunktion(FunkObj.get());
        // The preview is a screen drawing: its orientation picture is the screen's one.
        if (!Kugel) {
            Kugel = std::make_unique<TKugelbild>(this);
            Zeichner3D.Kugel = [this](TDC& kdc, const TRect& ziel) { Kugel->Zeichne(kdc, ziel); };
        }
        Zeichner3D.MakeZeichne3dFunktion(w.Funktion, 0, dc.GetHDC(), r.Width() - 1, r.Height() - 1,
                                         0, r.Width(), 1, false, w.durchz != 0);
    }
    Vorschau->Setze(std::move(bild));
    // The whole window takes longer than the preview by the ratio of the areas.
    const long double B = std::max<long double>(GetTickCount() - start, 1);
    const long double flaeche =
        std::max<long double>(1, fenster.Width()) * std::max<long double>(1, fenster.Height());
    return B * flaeche / (static_cast<long double>(r.Width()) * r.Height());
}

long double TFunkDialog::ZeichneklFunktion(int k, TDC& dc, int W, int H, bool vorschlag) {
    FudiTransStructDef& w = *Work;
    const unsigned long start = GetTickCount();
    Zeichner.ZeichneFunktion(w.Funktion, k, dc.GetHDC(), W, H, 0, W, 1, false, w.durchz != 0);
    long double t = std::max<long double>(GetTickCount() - start, 10);
    if (k == 1) t /= 2;
    if (k == 2) t /= 3;
    t = std::max<long double>(t, 10);
    const long double dX = w.x2 - w.x1;
    long double anteil = 0;
    if (w.Diskussion) {
        if (vorschlag) {
            const long double n = std::max<long double>(fabsl(dX * w.DiskDichte * t) / W, 500);
            w.DiskDichte = w.DiskDichte * 55 * t / n;
            SetzeZahl(1027, 1 / w.DiskDichte);
        }
        anteil = fabsl(dX * w.DiskDichte * t) / W * 11;
    }
    long double schaetzung = w.FensterBreite * t / W + anteil;
    if (w.Integral) {
        if (vorschlag) {
            const long double n =
                std::max<long double>(fabsl(dX * w.IntGenauigkeit * t) / W * 0.1L, 500);
            w.IntGenauigkeit = w.IntGenauigkeit * 55 * t / n;
            SetzeZahl(1010, w.IntGenauigkeit);
        }
        schaetzung += fabsl(dX * w.IntGenauigkeit * t) / W;
    }
    return schaetzung;
}

void TFunkDialog::SkalenVorschlag() {
    FudiTransStructDef& w = *Work;
    const bool d3 = Mode == 1;
    auto vorschlagen = [d3](long double a, long double laenge, int groesse) {
        // A spacing of 0 (or one that cannot be moved across the limits) starts from 1.
        if (!(a > 0) || !std::isfinite(a)) a = 1;
        if (groesse <= 0 || !(laenge > 0)) return a;
        const long double unten = d3 ? 115 : 15;
        const long double oben = d3 ? (2 * groesse) / 3 : groesse / 2;
        auto pixel = [&] { return fabsl(groesse / laenge * a); };
        for (int n = 0; n < 60 && pixel() < unten; ++n) a *= 10;
        for (int n = 0; n < 60 && pixel() > oben; ++n) a *= 0.1L;
        return a;
    };
    w.xAb = vorschlagen(w.xAb, w.x2 - w.x1, w.FensterBreite);
    w.hAb = vorschlagen(w.hAb, w.h2 - w.h1, w.FensterHoehe);
    SetzeZahl(1035, w.xAb);
    SetzeZahl(1040, w.hAb);
    if (d3) {
        w.yAb = vorschlagen(w.yAb, w.y2 - w.y1, w.FensterBreite);
        SetzeZahl(217, w.yAb);
    }
}

void TFunkDialog::KalkButt() {
    if (!Kalkulation(true, false, false)) Vorschau->Loesche();
}

void TFunkDialog::Vorschlag() {
    if (!Kalkulation(true, true, false)) Vorschau->Loesche();
}

// ---- range steps ------------------------------------------------------------------------------

void TFunkDialog::SchalteButtsAus() {
    SetDlgItemText(1110, "h +");
    SetDlgItemText(1120, "h -");
    const char* const* captions;
    static const char* const k2D[4] = {"x -", "x +", "y +", "y -"};
    static const char* const k180[4] = {"x +", "x -", "y +", "y -"};
    static const char* const k90[4] = {"y+", "y-", "x-", "x+"};
    static const char* const k270[4] = {"y -", "y +", "x +", "x -"};
    static const char* const kSonst[4] = {"x -", "x +", "y -", "y +"};
    const long double t = Work->Turn_Round;
    if (Mode == 0)
        captions = k2D;
    else if (Zwischen(t, 179, 269))
        captions = k180;
    else if (Zwischen(t, 89, 179))
        captions = k90;
    else if (Zwischen(t, 269, 359))
        captions = k270;
    else
        captions = kSonst;
    const int ids[4] = {1130, 1140, 215, 216};
    for (int i = 0; i < 4; ++i) SetDlgItemText(ids[i], captions[i]);
    for (int id : kSchritteKnoepfe) Enable(id, false);
}

void TFunkDialog::SchalteButtsAn() {
    for (int id : kSchritteKnoepfe) Enable(id, true);
}

void TFunkDialog::Schritt(int id, const std::function<void()>& aendern) {
    // The change comes first, so that the captions given on disabling fit the new view.
    aendern();
    SchalteButtsAus();
    const bool ok = Kalkulation(true, false, false);
    if (!ok) Vorschau->Loesche();
    SchalteButtsAn();
    if (Kalkulation(false, false, true) && Mode == 1) {
        // The tilt buttons keep the state the view allows.
        Enable(220, Work->Move_Vertical < 1.5L);
        Enable(222, Work->Move_Vertical > -0.5L);
    }
    ::SetFocus(GetDlgItem(id));
}

void TFunkDialog::Verschiebe(int feld1, int feld2, long double anteil) {
    const long double a = Zahl(feld1), b = Zahl(feld2);
    const long double d = anteil * fabsl(b - a);
    SetzeZahl(feld1, a + d);
    SetzeZahl(feld2, b + d);
}

void TFunkDialog::Hoch() {
    Schritt(1110, [this] { Verschiebe(1003, 1004, 0.1L); });
}

void TFunkDialog::Runter() {
    Schritt(1120, [this] { Verschiebe(1003, 1004, -0.1L); });
}

namespace {

// Which interval a horizontal step moves in a view turned by `t` degrees, and in which
// direction: 'x' or 'y', +1 or -1. `seite` 0 left, 1 right, 2 back, 3 front.
std::pair<char, int> Richtung(bool d3, long double t, int seite) {
    if (!d3)
        return seite == 0 ? std::pair{'x', -1} : seite == 1 ? std::pair{'x', 1} : std::pair{' ', 0};
    static const std::pair<char, int> kTabelle[4][4] = {
        {{'x', -1}, {'x', 1}, {'y', -1}, {'y', 1}}, // [0, 89) and others
        {{'y', 1}, {'y', -1}, {'x', -1}, {'x', 1}}, // [89, 179)
        {{'x', 1}, {'x', -1}, {'y', 1}, {'y', -1}}, // [179, 269)
        {{'y', -1}, {'y', 1}, {'x', 1}, {'x', -1}}, // [269, 359)
    };
    const int zeile = Zwischen(t, 89, 179)    ? 1
                      : Zwischen(t, 179, 269) ? 2
                      : Zwischen(t, 269, 359) ? 3
                                              : 0;
    return kTabelle[zeile][seite];
}

} // namespace

void TFunkDialog::SeitenSchritt(int id, int seite) {
    Schritt(id, [this, seite] {
        auto [achse, s] = Richtung(Mode == 1, Work->Turn_Round, seite);
        if (s) Verschiebe(achse == 'x' ? 1001 : 213, achse == 'x' ? 1002 : 210, 0.1L * s);
    });
}

void TFunkDialog::Links() {
    SeitenSchritt(1130, 0);
}

void TFunkDialog::Rechts() {
    SeitenSchritt(1140, 1);
}

void TFunkDialog::Hinten() {
    SeitenSchritt(215, 2);
}

void TFunkDialog::Vorne() {
    SeitenSchritt(216, 3);
}

void TFunkDialog::Zoom(int id, long double anteil) {
    // Every bound moves by `anteil` times its interval's width: outwards when positive.
    Schritt(id, [this, anteil] {
        for (auto [a, b] : {std::pair{1001, 1002}, std::pair{1003, 1004}, std::pair{213, 210}}) {
            const long double u = Zahl(a), o = Zahl(b), d = anteil * (o - u);
            SetzeZahl(a, u - d);
            SetzeZahl(b, o + d);
        }
    });
}

void TFunkDialog::kleiner() {
    // The picture gets smaller: every interval widens by a fifth of its width on each side.
    Zoom(1150, 0.2L);
}

void TFunkDialog::groesser() {
    Zoom(1160, -0.2L);
}

namespace {
// A tilt step of a tenth. Rounded to 12 decimals, so that ten steps from 0.5 end on -0.5 itself
// and the button greys at its limit instead of one step beyond it.
long double Kippen(long double mv, long double schritt) {
    return roundl((mv + schritt) * 1e12L) / 1e12L;
}
} // namespace

void TFunkDialog::TurnHigh() {
    Schritt(220, [this] { Work->Move_Vertical = Kippen(Work->Move_Vertical, 0.1L); });
}

void TFunkDialog::TurnLow() {
    Schritt(222, [this] { Work->Move_Vertical = Kippen(Work->Move_Vertical, -0.1L); });
}

void TFunkDialog::TurnLeft() {
    Schritt(218,
            [this] { Work->Turn_Round = fmodl(fmodl(Work->Turn_Round - 90, 360) + 360, 360); });
}

void TFunkDialog::TurnRight() {
    Schritt(219,
            [this] { Work->Turn_Round = fmodl(fmodl(Work->Turn_Round + 90, 360) + 360, 360); });
}

// ---- options ----------------------------------------------------------------------------------

void TFunkDialog::BNClickedRBSchW() {
    const bool sw = Checked(101);
    if (sw) {
        Work->Norm = 0;
        Work->Linien = 1;
        Check(1026, false);
        Check(223, true);
    }
    Enable(1026, !sw);
    Enable(223, !sw);
}

void TFunkDialog::BNClickedCBDiskussion() {
    Enable(1021, Checked(1025));
}

void TFunkDialog::BNClickedVar() {
    vdFuncTrace("void TFunkDialog::BNClickedVar()");
    TModule dlgs("ORVLDLGS.DLL");
    vdVarSelect(this, &Work->Var, true, Mode == 1, 512, &dlgs).Execute();
}

void TFunkDialog::BNClickedHelp() {
    WinExec(Mode == 1 ? kHilfe3D : kHilfe2D, SW_SHOWNORMAL);
}

void TFunkDialog::BNClickedOKB() {
    if (TWindow* ok = ChildWithId(305)) {
        ok->SetFocus();
        if (::GetFocus() == ok->GetHandle()) CloseWindow(IDOK);
    }
}

bool TFunkDialog::CanClose() {
    vdFuncTrace("BOOL TFunkDialog::CanClose()");
    SchalteButtsAus();
    bool ok = Kalkulation(false, false, false);
    if (ok && FunkObj && FunkObj->GetIsError()) {
        char fehler[256] = "";
        FunkObj->GetErrorTypeText(fehler);
        MessageBox((std::string("Funktion:\r ") + fehler).c_str(), "Eingabe", MB_OK | MB_ICONSTOP);
        ok = false;
    }
    if (ok) {
        if (*Caller->IniDatei) SetzeDaten(Caller->IniDatei);
        Work->Is3D = Mode;
        std::memcpy(static_cast<void*>(Caller), Work.get(), sizeof(FudiTransStructDef));
    }
    SchalteButtsAn();
    return ok;
}

// ---- task files -------------------------------------------------------------------------------

TFudiFelder TFunkDialog::FelderLesen() const {
    TFudiFelder f;
    f.Funktion = Text(4095);
    auto text = [this](int id) { return Text(id); };
    f.Grade = text(224);
    f.Is3D = Mode == 1;
    f.x1 = text(1001), f.x2 = text(1002), f.h1 = text(1003), f.h2 = text(1004);
    f.y1 = text(213), f.y2 = text(210);
    f.xAb = text(1035), f.hAb = text(1040), f.yAb = text(217);
    f.Move_Vertical = Work->Move_Vertical;
    f.Turn_Round = Work->Turn_Round;
    f.durchz = Checked(1045);
    f.markiert = Checked(1021);
    f.Abl1 = Checked(1015);
    f.farbig = !Checked(101);
    f.Linien = Checked(223);
    f.Norm = Checked(1026);
    f.Abl2 = Checked(1020);
    for (int i = 0; i < 6; ++i) f.Var[i] = Work->Var.Text(i);
    return f;
}

void TFunkDialog::FelderSetzen(const TFudiFelder& f) {
    SetDlgItemText(4095, f.Funktion.c_str());
    SetDlgItemText(224, f.Grade.c_str());
    const std::pair<int, const std::string*> texte[] = {
        {1001, &f.x1}, {1002, &f.x2},  {1003, &f.h1},  {1004, &f.h2}, {213, &f.y1},
        {210, &f.y2},  {1035, &f.xAb}, {1040, &f.hAb}, {217, &f.yAb}};
    for (const auto& [id, t] : texte) SetDlgItemText(id, t->c_str());
    Work->Move_Vertical = f.Move_Vertical;
    Work->Turn_Round = f.Turn_Round;
    Check(1045, f.durchz);
    Check(1021, f.markiert);
    Check(1015, f.Abl1);
    Check(1020, f.Abl2);
    CheckRadioButton(101, 102, f.farbig ? 102 : 101);
    Check(223, f.Linien);
    Check(1026, f.Norm);
    Work->Var.SetzeVar(f.Var[0].c_str(), f.Var[1].c_str(), f.Var[2].c_str(), f.Var[3].c_str(),
                       f.Var[4].c_str(), f.Var[5].c_str());
    if (Mode == 1) BNClickedRBSchW();
}

bool TFunkDialog::SetzeDaten(const char* DatName) {
    vdFuncTrace("BOOL TFunkDialog::SetzeDaten(char*)");
    return SchreibeFudiDatei(DatName, FelderLesen());
}

bool TFunkDialog::HoleDaten(const char* DatName) {
    vdFuncTrace("BOOL TFunkDialog::HoleDaten(char*)");
    TFudiFelder f;
    if (!LeseFudiFelder(DatName, f)) {
        MessageBox(kUnlesbar, "Laden", MB_OK | MB_ICONSTOP);
        return false;
    }
    FelderSetzen(f);
    return true;
}

std::string TFunkDialog::Verzeichnis() const {
    return std::string(Caller->Verzeichnis) + "orvltrn.ini";
}

void TFunkDialog::Titel(const char* file) {
    TWindow* fenster = Parent ? Parent->GetParentO() : nullptr;
    if (!fenster) return;
    const char* slash = std::strrchr(file, '/');
    const std::string name = slash ? slash + 1 : file;
    fenster->SetCaption((std::string("Funktionsdiskussion") + " - " + name).c_str());
}

void TFunkDialog::BNClickedKopieren() {
    vdFuncTrace("void TFunkDialog::BNClickedKopieren()");
    if (!SetzeDaten(Verzeichnis().c_str()))
        MessageBox(kNichtGespeichert, "Speichern", MB_OK | MB_ICONSTOP);
}

void TFunkDialog::BNClickedEinfuegen() {
    vdFuncTrace("void TFunkDialog::BNClickedEinfuegen()");
    HoleDaten(Verzeichnis().c_str());
}

void TFunkDialog::BNClickedSpeichern() {
    vdFuncTrace("void TFunkDialog::BNClickedSpeichern()");
    std::error_code ec;
    const auto dir = std::filesystem::current_path(ec);
    TOpenSaveDialog::TData data(OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST, kFilter,
                                nullptr, nullptr, "FUD");
    std::strncpy(data.FileName, Caller->AufgabenDatei, sizeof data.FileName - 1);
    if (TFileSaveDialog(this, data, "Speichern der Aufgabenstellung").Execute() == IDOK) {
        const std::string name = data.FileName;
        if (SetzeDaten(name.c_str())) {
            std::strncpy(Caller->AufgabenDatei, name.c_str(), sizeof Caller->AufgabenDatei - 1);
            std::strncpy(Work->AufgabenDatei, name.c_str(), sizeof Work->AufgabenDatei - 1);
            Titel(name.c_str());
        } else {
            MessageBox(kNichtGespeichert, "Speichern", MB_OK | MB_ICONSTOP);
        }
    }
    if (!ec) std::filesystem::current_path(dir, ec);
}

void TFunkDialog::BNClickedLaden() {
    vdFuncTrace("void TFunkDialog::BNClickedLaden()");
    std::error_code ec;
    const auto dir = std::filesystem::current_path(ec);
    TOpenSaveDialog::TData data(OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY, kFilter,
                                nullptr, nullptr, "FUD");
    if (TFileOpenDialog(this, data, "Laden einer Aufgabenstellung").Execute() == IDOK) {
        const std::string name = data.FileName;
        if (TaskFileThere(GetHandle(), name.c_str(), "Laden") && HoleDaten(name.c_str())) {
            std::strncpy(Caller->AufgabenDatei, name.c_str(), sizeof Caller->AufgabenDatei - 1);
            std::strncpy(Work->AufgabenDatei, name.c_str(), sizeof Work->AufgabenDatei - 1);
            Titel(name.c_str());
            KalkButt();
        }
    }
    if (!ec) std::filesystem::current_path(dir, ec);
}
