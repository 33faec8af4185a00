#include "tfunktionsdraw.h"

#include "dc.h"
#include "dlgres.h"
#include "frame.h"
#include "fudilayout.h"
#include "fudirecord.h"
#include "fuditask.h"
#include "fudiwertetabelle.h"
#include "orvldlgs.h"
#include "pictures.h"
#include "settings.h"
#include "talk.h"
#include "tfudiinformation.h"
#include "tfunkdialog.h"
#include "tnullstellen.h"
#include "vdfunction.h"
#include "winapi.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

const char kTitel[] = "Funktionsdiskussion";
const char kUnlesbar[] = "Datei:\r Die Datei besitzt kein lesbares Format.";
const char kHilfe2D[] = "HH.EXE mk:@MSITStore:orvlhilf5.chm::html/main90dk.htm";
const char kHilfe3D[] = "HH.EXE mk:@MSITStore:orvlhilf5.chm::html/main6wx0.htm";
const TColor kHintergrund = RGB(255, 251, 240);
const int kLegendenIds[3] = {210, 211, 212};
const char* const kLegendenTexte[3] = {"f(x)", "f'(x)", "f''(x)"};

std::string OhneAnfuehrung(std::string text) {
    std::erase(text, '"');
    return text;
}

const char* DateiName(const char* path) {
    const char* slash = std::strrchr(path, '/');
    const char* back = std::strrchr(path, '\\');
    const char* last = std::max(slash, back);
    return last ? last + 1 : path;
}

// A legend button: a short stroke in the colour of its graph.
class TLegendenKnopf : public TControl {
public:
    TLegendenKnopf(TWindow* parent, int id, TPen pen) : TControl(parent, id), Pen(pen) {}
    void Paint(TDC& dc, bool, TRect&) override {
        const TRect r = GetClientRect();
        dc.FillRect(r, TBrush(kHintergrund));
        dc.SelectObject(TPen(TColor::Gray, 1));
        dc.SelectObject(TBrush::Null());
        dc.Rectangle(r);
        dc.RestoreBrush();
        dc.RestorePen();
        dc.SelectObject(Pen);
        dc.MoveTo(r.left + 2, r.top + r.Height() / 2);
        dc.LineTo(r.right - 2, r.top + r.Height() / 2);
        dc.RestorePen();
    }

private:
    TPen Pen;
};

} // namespace

void FudiMenuePunkt(TWindow* window, int id, bool enable) {
    for (TWindow* w = window; w; w = w->GetParentO()) {
        if (auto* frame = dynamic_cast<TFrameWindow*>(w)) {
            frame->EnableMenuItem(id, enable);
            return;
        }
    }
}

TKugelbild::TKugelbild(TWindow* fenster) : Fenster(fenster) {}
TKugelbild::~TKugelbild() = default;

void TKugelbild::Zeichne(TDC& dc, const TRect& ziel) {
    // Screens with fewer than 16 bits per pixel get the picture made for 256 colours.
    const bool wenigeFarben = FarbTiefe > 0 && FarbTiefe < 16;
    if (!Bild || WenigeFarben != wenigeFarben) {
        Bild = std::make_unique<vdMetafile>(Fenster, wenigeFarben ? "BALLEXT8.vdm" : "BALLEXT.vdm");
        WenigeFarben = wenigeFarben;
    }
    TRect r = ziel;
    Bild->DrawIt(dc.GetHDC(), &r);
}

TFunktionsDraw::TFunktionsDraw(FudiTransStructDef* HStructIn, TModule* module, TWindow* parent)
    : vdBasePrintDlg(parent, 202, module ? module : &FnplotModul()), HStruct(HStructIn),
      Zeichner(HStructIn), Zeichner3D(HStructIn, Zeichner) {
    Init();
}

TFunktionsDraw::TFunktionsDraw(TWindow* parent, TResId resId, TModule* module)
    : vdBasePrintDlg(parent, resId, module ? module : &FnplotModul()), Zeichner(nullptr),
      Zeichner3D(nullptr, Zeichner) {}

TFunktionsDraw::~TFunktionsDraw() {
    if (!HStruct) return;
    // The result lists belong to this side of the record.
    for (TListBoxData** liste : {&HStruct->NstText, &HStruct->ExtrText, &HStruct->WendText}) {
        delete *liste;
        *liste = nullptr;
    }
}

void TFunktionsDraw::Init() {
    vdFuncTrace("void TFunktionsDraw::Init()");
    FudiTransStructDef& r = *HStruct;
    r.x1 = r.h1 = r.y1 = -10;
    r.x2 = r.h2 = r.y2 = 10;
    std::strcpy(r.Funktion, "0");
    r.IntGenauigkeit = 100;
    r.DiskDichte = 100;
    r.xAb = r.hAb = r.yAb = 1;
    r.Move_Vertical = r.PosIntegral = r.NegIntegral = 0;
    r.FensterBreite = r.FensterHoehe = 0;
    r.durchz = r.NStErzwingen = r.Abl1 = r.Abl2 = r.Integral = r.Diskussion = 0;
    // A record fresh from the program has no grid density and no variables yet.
    if (r.Grade < 1) r.Grade = 10;
    if (!r.Var.Gesetzt) r.Var.SetzeVar("0", "0", "0", "0", "0", "0");
    for (TListBoxData** liste : {&r.NstText, &r.ExtrText, &r.WendText}) {
        delete *liste;
        *liste = new TListBoxData;
    }
    Druckt = Zeichnet = 0;
    Zeichner.ResetListen();
    Zeichner3D.ResetHorizont();
    Zeichner3D.Fortschritt = [this](int prozent) {
        SetDlgItemText(211, (ZahlText(prozent, 5) + "%").c_str());
    };
    Zeichner3D.Kugel = [this](TDC& dc, const TRect& ziel) { Kugel.Zeichne(dc, ziel); };

    new TTalkButton(this, 302, 0, "Drücken Sie 'Hilfe', um Hilfe zu diesem Dialog zu erhalten.", "",
                    "");
    new TEdit(this, 101);
    for (int id : kLegendenIds) new TEdit(this, id);
    new TLegendenKnopf(this, 310, TPen(TColor::Black, 1));
    new TLegendenKnopf(this, 320, TPen(RGB(0, 0, 128), 2));
    new TLegendenKnopf(this, 330, TPen(RGB(0, 128, 0), 2));
    Zeichner.Fortschritt = [this](int ableit, int prozent) {
        const int k = ableit == 3 ? 0 : ableit;
        for (int i = 0; i < 3; ++i) {
            const std::string text =
                i == k ? ZahlText(prozent, 5) + "%" : std::string(kLegendenTexte[i]);
            SetDlgItemText(kLegendenIds[i], text.c_str());
        }
    };

    OnClicked(CM_EINGABE, &TFunktionsDraw::Eingabe);
    OnClicked(CM_EINGABE3D, &TFunktionsDraw::Eingabe3D);
    OnClicked(CM_INFORMATION, &TFunktionsDraw::Information);
    OnClicked(CM_DRUCKEFUNKTION, &TFunktionsDraw::DruckeFunktion);
    OnClicked(CM_DRUCKEINFORMATION, &TFunktionsDraw::DruckeInformation);
    OnClicked(CM_HILFE, &TFunktionsDraw::BNClickedHelp);
    OnClicked(CM_ENDE, &TFunktionsDraw::BNClickedEnde);
    OnClicked(CM_STARTPOS, &TFunktionsDraw::StartPosAbf);
    OnClicked(CM_WERTETABELLE, &TFunktionsDraw::Wertetabelle);
}

void TFunktionsDraw::SetupWindow() {
    vdFuncTrace("void TFunktionsDraw::SetupWindow()");
    vdBasePrintDlg::SetupWindow();
    SetCaption(kTitel);
    if (!HStruct) return;
    RootsModul = std::make_unique<TModule>("FNROOTS.DLL");
    SetTitle("");
    // The settings file holds the last task. Before the first input there is none (the file
    // may hold only the command line of an earlier start), which is no error.
    if (IstFudiDatei(HStruct->IniDatei))
        HoleDaten(HStruct->IniDatei);
    else
        NeuesFunkObj();
    ZeigeFunktion();
    Legende();
    const std::string cmd = OhneAnfuehrung(CommandLine);
    if (*HStruct->IniDatei)
        CorrWritePrivateProfileString("Programm", "Öffne direkt", cmd.c_str(), HStruct->IniDatei);
    if (!cmd.empty() && TaskFileThere(GetHandle(), cmd.c_str(), "Laden") &&
        HoleDaten(cmd.c_str())) {
        std::strncpy(HStruct->AufgabenDatei, cmd.c_str(), sizeof HStruct->AufgabenDatei - 1);
        HStruct->AufgabenDatei[sizeof HStruct->AufgabenDatei - 1] = 0;
        SetTitle(cmd.c_str());
    }
    Legende();
    FudiMenuePunkt(this, CM_DRUCKEINFORMATION,
                   !HStruct->Is3D && (HStruct->Integral || HStruct->Diskussion));
    FudiMenuePunkt(this, CM_EINGABE3D, true);
}

bool TFunktionsDraw::HoleDaten(const char* DatName) {
    vdFuncTrace("BOOL TFunktionsDraw::HoleDaten(char*)");
    const bool ok = LeseFudiDatei(DatName, *HStruct);
    NeuesFunkObj();
    ZeigeFunktion();
    if (!ok) {
        const std::string text =
            std::string(HStruct->Is3D ? "FunkDiss.: f(x,y)=" : "FunkDiss.: f(x)=") +
            HStruct->Funktion;
        SetDlgItemText(101, text.c_str());
        MessageBox(kUnlesbar, "Laden", MB_OK | MB_ICONSTOP);
    }
    if (IsWindow()) Invalidate();
    return ok;
}

void TFunktionsDraw::NeuesFunkObj() {
    FunkObj = std::make_unique<vdFunction>(HStruct->Funktion, 6, "xyzuvw", 1, nullptr, true, true);
    Zeichner.SetFunktion(FunkObj.get());
}

void TFunktionsDraw::ZeigeFunktion() {
    if (!IsWindow() || !*HStruct->Funktion) return;
    const std::string text = std::string(HStruct->Is3D ? "f(x,y)=" : "f(x)=") + HStruct->Funktion;
    SetDlgItemText(101, text.c_str());
}

void TFunktionsDraw::Legende() {
    if (!IsWindow()) return;
    const int show = HStruct->Is3D ? SW_HIDE : SW_SHOW;
    for (int id : {210, 212, 310, 330}) ::ShowWindow(GetDlgItem(id), show);
}

void TFunktionsDraw::SetTitle(const char* taskFile) {
    if (!Parent) return;
    const std::string name = taskFile && *taskFile ? DateiName(taskFile) : "Unbenannt.fud";
    Parent->SetCaption((std::string(kTitel) + " - " + name).c_str());
}

void TFunktionsDraw::Status(const char* text) {
    TStatusBar* bar = HStruct && HStruct->Statuszeile ? HStruct->Statuszeile : StatusLine;
    if (bar) bar->SetHintText(text);
}

bool TFunktionsDraw::CanClose() {
    vdFuncTrace("BOOL TFunktionsDraw::CanClose()");
    const bool ok = vdBasePrintDlg::CanClose();
    if (Druckt) {
        // The page being printed still needs this window.
        MessageBox("Ausdruck:\r Bitte warten, bis der Ausdruck beendet ist.", "Ende",
                   MB_OK | MB_ICONSTOP);
        return false;
    }
    return ok;
}

// ---- commands ---------------------------------------------------------------------------------

bool TFunktionsDraw::EingabeDialog(int mode) {
    const TRect client = GetClientRect();
    HStruct->FensterBreite = client.Width();
    HStruct->FensterHoehe = client.Height();
    TFunkDialog dlg(this, mode, HStruct, 20200, &FnplotModul());
    if (dlg.Execute() != IDOK) return false;
    Legende();
    NeuesFunkObj();
    ZeigeFunktion();
    Invalidate();
    return true;
}

void TFunktionsDraw::Eingabe() {
    vdFuncTrace("void TFunktionsDraw::Eingabe()");
    if (!EingabeDialog(0)) return;
    if (HStruct->Integral || HStruct->Diskussion) {
        RootsDialog();
        if (HStruct->Diskussion) Invalidate();
        Information();
    }
    FudiMenuePunkt(this, CM_DRUCKEINFORMATION, HStruct->Integral || HStruct->Diskussion);
}

void TFunktionsDraw::Eingabe3D() {
    vdFuncTrace("void TFunktionsDraw::Eingabe3D()");
    if (EingabeDialog(1)) DruckeInformationE();
}

void TFunktionsDraw::Information() {
    vdFuncTrace("void TFunktionsDraw::Information()");
    if (!*HStruct->Funktion) return;
    TFudiInformation dlg(this, HStruct, HStruct->Is3D ? 20400 : 20300, &FnplotModul());
    dlg.Execute();
}

void TFunktionsDraw::DruckeInformationE() {
    if (HStruct->Is3D) FudiMenuePunkt(this, CM_DRUCKEINFORMATION, false);
}

void TFunktionsDraw::BNClickedHelp() {
    WinExec(HStruct && HStruct->Is3D ? kHilfe3D : kHilfe2D, SW_SHOWNORMAL);
}

void TFunktionsDraw::BNClickedEnde() {
    CloseWindow(2);
}

void TFunktionsDraw::Wertetabelle() {
    if (!HStruct || HStruct->Is3D) return;
    if (!FunkObj) NeuesFunkObj();
    TFudiWertetabelle(this, HStruct, FunkObj.get(), 20500, &FnplotModul()).Execute();
}

void TFunktionsDraw::StartPosAbf() {
    // The pointer position (-10, -10) stands for the start value 0.
    Positionsdialog(TPoint(-10, -10));
}

// ---- drawing ----------------------------------------------------------------------------------

void TFunktionsDraw::ZeichneFunktion(const char* AFunktionIn, int Ableit, HDC DC, int Bereichr,
                                     int Bereichb, int Updleft, int Updright, int y_richtung,
                                     bool zweifarben, bool durchzeichnen) {
    Zeichner.SetFunktion(FunkObj.get());
    Zeichner.ZeichneFunktion(AFunktionIn, Ableit, DC, Bereichr, Bereichb, Updleft, Updright,
                             y_richtung, zweifarben, durchzeichnen);
}

void TFunktionsDraw::Zeichne2D(TDC& dc, int Bereichr, int Bereichb, const TRect& upd,
                               int y_richtung, bool zweifarben) {
    if (!FunkObj) NeuesFunkObj();
    ZeichneKoord(dc.GetHDC(), 0, 0, Bereichr, Bereichb, upd.left, upd.right, upd.top, upd.bottom,
                 y_richtung, false, false);
    const bool durch = HStruct->durchz != 0;
    ZeichneFunktion(HStruct->Funktion, 0, dc.GetHDC(), Bereichr, Bereichb, upd.left, upd.right,
                    y_richtung, zweifarben, durch);
    if (HStruct->Abl1)
        ZeichneFunktion(HStruct->Funktion, 1, dc.GetHDC(), Bereichr, Bereichb, upd.left, upd.right,
                        y_richtung, zweifarben, durch);
    if (HStruct->Abl2)
        ZeichneFunktion(HStruct->Funktion, 2, dc.GetHDC(), Bereichr, Bereichb, upd.left, upd.right,
                        y_richtung, zweifarben, durch);
}

void TFunktionsDraw::Zeichne3D(TDC& dc, int breite, int hoehe, int y_richtung, bool zweifarben) {
    if (!FunkObj) NeuesFunkObj();
    Zeichner3D.SetFunktion(FunkObj.get());
    Zeichner3D.MakeZeichne3dFunktion(HStruct->Funktion, 0, dc.GetHDC(), breite - 1, hoehe - 1, 0,
                                     breite, y_richtung, zweifarben, HStruct->durchz != 0);
}

void TFunktionsDraw::Paint(TDC& dc, bool, TRect& rect) {
    if (!HStruct) return;
    SetCursor(IDC_WAIT);
    dc.FillRect(rect, TBrush(kHintergrund));
    if (Druckt) {
        // The printout lets messages through while it draws with the same horizon and grid
        // lists; the window draws again when the page is done.
        NachDemDruck = true;
        SetCursor(IDC_ARROW);
        return;
    }
    Zeichner.ResetListen();
    Zeichner3D.ResetHorizont();
    // No messages are let through here: the platform is painting this window.
    Status("Zeichne...");
    Zeichnet = 1;
    const TRect client = GetClientRect();
    const int breite = client.Width(), hoehe = client.Height();
    // One unit more on each side that is not the client's edge.
    TRect upd(std::max(rect.left - 1, 0), std::max(rect.top - 1, 0),
              std::min(rect.right, breite - 1), std::min(rect.bottom, hoehe - 1));
    if (*HStruct->Funktion) {
        if (HStruct->Is3D) {
            if (upd.Width() > 80) {
                // Drawn on a picture first: there the triangles are filled straight into its
                // pixels, several times faster than through the window's painter.
                Kugel.FarbTiefe = dc.GetDeviceCaps(BITSPIXEL) * dc.GetDeviceCaps(PLANES);
                TBitmap bild(breite, hoehe, kHintergrund);
                {
                    TMemoryDC bilddc(bild);
                    Zeichne3D(bilddc, breite, hoehe, 1, false);
                }
                dc.DrawBitmap(bild, TRect(0, 0, breite, hoehe));
                ++PaintCount;
            }
            SetDlgItemText(211, "f(x,y)");
        } else {
            Zeichne2D(dc, breite - 1, hoehe - 1, upd, 1, false);
            for (int i = 0; i < 3; ++i) SetDlgItemText(kLegendenIds[i], kLegendenTexte[i]);
            ++PaintCount;
        }
        for (int id : {310, 320, 330})
            if (TWindow* w = ChildWithId(id)) w->Invalidate();
    }
    Status("");
    Zeichnet = 0;
    SetCursor(IDC_ARROW);
}

// ---- mouse ------------------------------------------------------------------------------------

long double TFunktionsDraw::XAnSpalte(int spalte) const {
    const int breite = GetClientRect().Width();
    return HStruct->x1 + spalte * (HStruct->x2 - HStruct->x1) / std::max(breite - 1, 1);
}

long double TFunktionsDraw::HAnZeile(int zeile) const {
    const int hoehe = std::max(GetClientRect().Height(), 1);
    return HStruct->h2 - zeile * (HStruct->h2 - HStruct->h1) / hoehe;
}

void TFunktionsDraw::EvMouseMove(unsigned modKeys, const TPoint& point) {
    vdBasePrintDlg::EvMouseMove(modKeys, point);
    if (Gedrueckt && (modKeys & MK_LBUTTON) && HStruct && !HStruct->Is3D) {
        // Beyond a few pixels a press becomes a drag: the ranges follow the pointer.
        const int dx = point.x - ZugStart.x, dy = point.y - ZugStart.y;
        if (Gezogen || std::abs(dx) > 3 || std::abs(dy) > 3) {
            Gezogen = true;
            const TRect client = GetClientRect();
            const long double sx = dx * (ZugX2 - ZugX1) / std::max(client.Width() - 1, 1);
            const long double sh = dy * (ZugH2 - ZugH1) / std::max(client.Height(), 1);
            HStruct->x1 = ZugX1 - sx, HStruct->x2 = ZugX2 - sx;
            HStruct->h1 = ZugH1 + sh, HStruct->h2 = ZugH2 + sh;
            Invalidate();
        }
    }
    if (!HStruct || !(HStruct->Statuszeile || StatusLine) || !*HStruct->Funktion) return;
    std::string text;
    if (HStruct->Is3D) {
        text = std::string("Im Zeichnungsfenster sehen Sie die aktuelle Funktion") +
               ": f(x,y)=" + HStruct->Funktion;
    } else {
        const int hoehe = std::max(GetClientRect().Height(), 1);
        const long double h = HStruct->h2 - point.y * (HStruct->h2 - HStruct->h1) / hoehe;
        text = "Koordinatenkreuzposition: " + ZahlText(XAnSpalte(point.x), 10) +
               "x : " + ZahlText(h, 10) + "h" + " ... f(x)=" + HStruct->Funktion;
    }
    Status(text.c_str());
}

void TFunktionsDraw::EvLButtonDown(unsigned modKeys, const TPoint& point) {
    vdBasePrintDlg::EvLButtonDown(modKeys, point);
    if (!HStruct) return;
    Gedrueckt = true;
    Gezogen = false;
    ZugStart = point;
    ZugX1 = HStruct->x1, ZugX2 = HStruct->x2, ZugH1 = HStruct->h1, ZugH2 = HStruct->h2;
}

void TFunktionsDraw::EvLButtonUp(unsigned modKeys, const TPoint& point) {
    vdBasePrintDlg::EvLButtonUp(modKeys, point);
    const bool klick = Gedrueckt && !Gezogen;
    Gedrueckt = Gezogen = false;
    if (klick) Positionsdialog(point);
}

void TFunktionsDraw::EvMouseWheel(unsigned modKeys, int zDelta, const TPoint& point) {
    vdBasePrintDlg::EvMouseWheel(modKeys, zDelta, point);
    if (!HStruct || HStruct->Is3D || !*HStruct->Funktion || zDelta == 0 || Zeichnet) return;
    // One notch away from the user: "größer" (each side of the ranges closer by a fifth of the
    // width); towards the user: "kleiner". The point under the pointer stays where it is.
    const long double f = zDelta > 0 ? 0.6L : 1.4L;
    const long double x = XAnSpalte(point.x), h = HAnZeile(point.y);
    HStruct->x1 = x - (x - HStruct->x1) * f, HStruct->x2 = x + (HStruct->x2 - x) * f;
    HStruct->h1 = h - (h - HStruct->h1) * f, HStruct->h2 = h + (HStruct->h2 - h) * f;
    Invalidate();
}

void TFunktionsDraw::Positionsdialog(const TPoint& point) {
    if (!HStruct) return;
    if (!*HStruct->Funktion) {
        MessageBox("Berechnungsfunktion:\r Es wurde noch keine Funktion angegeben.", "Berechnung",
                   MB_OK | MB_ICONSTOP);
        return;
    }
    const bool start = point.x == -10 && point.y == -10;
    const long double x = HStruct->Is3D || start ? 0 : XAnSpalte(point.x);
    TModule dlgs("ORVLDLGS.DLL");
    vdGetPosDlg(this, FunkObj.get(), x, HStruct, 514, &dlgs).Execute();
}

void TFunktionsDraw::RootsDialog() {
    vdFuncTrace("void TFunktionsDraw::RootsDialog()");
    TNullstellen dlg(this, HStruct, TNullstellen::kResId, RootsModul.get());
    dlg.Execute();
}
