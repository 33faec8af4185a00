#include "tfudiinformation.h"

#include "fudilayout.h"
#include "fudirecord.h"
#include "fuditask.h"
#include "talk.h"
#include "vdfunction.h"
#include "winapi.h"

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

const char kKeineAbleitung[] =
    "Berechnung der Ableitung ist bei der eingegebenen Funktion nicht möglich.";
// The derivative's text is kept from this character of the function text on.
constexpr size_t kAbleitungAb = 600;

long double XVon(const char* line) {
    return std::strtold(line, nullptr);
}

} // namespace

TFudiInformation::TFudiInformation(TWindow* parent, FudiTransStructDef* InfStructIn, TResId resId,
                                   TModule* module)
    : TDialog(parent, resId, module ? module : &FnplotModul()), Rec(InfStructIn) {
    const bool d3 = Rec->Is3D != 0;
    new TTalkButton(this, 302, 221, "Drücken Sie 'Hilfe', um Hilfe zu diesem Dialog zu erhalten.",
                    "", "");
    new TTalkButton(this, IDOK, 221, "Drücken Sie 'Zurück', um die Information zu verlassen.", "",
                    "");
    new TTalkControl(this, 1006, 221,
                     d3 ? "Im Anzeigefeld sehen Sie die angegebene Funktion f(x,y)."
                        : "Im Anzeigefeld sehen Sie die angegebene Funktion f(x) und die "
                          "berechnete 1.Ableitung f'(x).");
    new TTalkControl(this, 1012, 221,
                     d3 ? "Im Anzeigefeld sehen Sie den x-, y-, h-Bereich, über den sich die "
                          "Berechnungen erstrecken."
                        : "Im Anzeigefeld sehen Sie den x-, h-Bereich, über den sich die "
                          "Berechnungen erstrecken.");
    new TTalkControl(this, 1014, 221,
                     d3 ? "Im Anzeigefeld sehen Sie, ob die Funktion durchgezeichnet gewählt "
                          "wurde und die Genauigkeit der Grade."
                        : "Im Anzeigefeld sehen Sie, ob die Funktionen durchgezeichnet gewählt "
                          "wurden und welche Ableitungen gezeichnet wurden.");
    new TTalkControl(this, 1011, 221,
                     "Im Anzeigefeld sehen Sie die für die Zeichnung gewählte Skala.");
    new TTalkControl(this, 1008, 221,
                     "Im Integralfeld sehen Sie, die berechneten Integrale, bei der angegebenen "
                     "Genauigkeit.");
    new TTalkControl(this, 1007, 221,
                     "Im Funktionsdiskussionsfeld sehen Sie die ermittelten Null-, Extrem- und "
                     "Wendestellen von f(x), bei angegebenen Abstand.");
    // A 3D task has no discussion: its dialog has no result lists.
    if (!d3)
        for (int i = 0; i < 3; ++i) Listen[i] = new TListBox(this, 1101 + i);
    OnClicked(302, &TFudiInformation::BNClickedHelp);
}

void TFudiInformation::Einsortieren(TListBox& box, const TListBoxData* lines) {
    if (!lines) return;
    for (const std::string& line : lines->GetStrings()) {
        const long double x = XVon(line.c_str());
        int at = -1;
        for (int i = 0; i < box.GetCount() && at < 0; ++i) {
            std::vector<char> text(size_t(box.GetStringLen(i)) + 1, '\0');
            box.GetString(text.data(), i);
            if (!(XVon(text.data()) < x)) at = i;
        }
        if (at < 0)
            box.AddString(line.c_str());
        else
            box.InsertString(line.c_str(), at);
    }
}

void TFudiInformation::Symbolisch() {
    const size_t laenge = std::strlen(Rec->Funktion);
    std::vector<char> puffer(25 * laenge + 201, '\0');
    {
        vdParser parser(Rec->Funktion, 1, "x", true, true, true, true);
        parser.doDifferentiation1(puffer.data(), "x");
    }
    if (!puffer[0]) std::strcpy(puffer.data(), kKeineAbleitung);
    char* ziel = Rec->Funktion + kAbleitungAb;
    const size_t platz = sizeof Rec->Funktion - kAbleitungAb - 1;
    const size_t n = std::min(std::strlen(puffer.data()), platz);
    std::memcpy(ziel, puffer.data(), n);
    ziel[n] = 0;
    SetDlgItemText(4096, ziel);
}

void TFudiInformation::SetupWindow() {
    vdFuncTrace("void TFudiInformation::SetupWindow()");
    TDialog::SetupWindow();
    FudiTransStructDef& r = *Rec;
    if (r.Diskussion && !r.Is3D) {
        Einsortieren(*Listen[0], r.NstText);
        Einsortieren(*Listen[1], r.ExtrText);
        Einsortieren(*Listen[2], r.WendText);
    }
    CheckDlgButton(1025, r.Diskussion ? BF_CHECKED : BF_UNCHECKED);
    SetDlgItemText(4095, r.Funktion);
    if (!r.Is3D) Symbolisch();
    if (r.Integral) {
        SetDlgItemText(1030, ZahlText(corrroundl(r.PosIntegral + r.NegIntegral, 10), 10).c_str());
        SetDlgItemText(1031, ZahlText(corrroundl(r.PosIntegral, 10), 10).c_str());
        SetDlgItemText(1032, ZahlText(corrroundl(r.NegIntegral, 10), 10).c_str());
    } else {
        for (int id : {1030, 1031, 1032}) SetDlgItemText(id, "");
    }
    CheckDlgButton(1005, r.Integral ? BF_CHECKED : BF_UNCHECKED);
    const std::pair<int, long double> zahlen[] = {{1001, r.x1},
                                                  {1002, r.x2},
                                                  {1003, r.h1},
                                                  {1004, r.h2},
                                                  {223, r.y1},
                                                  {222, r.y2},
                                                  {1010, r.IntGenauigkeit},
                                                  {1027, r.DiskDichte != 0 ? 1 / r.DiskDichte : 0},
                                                  {1035, r.xAb},
                                                  {224, r.yAb},
                                                  {1040, r.hAb}};
    for (const auto& [id, v] : zahlen)
        if (GetDlgItem(id)) SetDlgItemText(id, ZahlText(v, 10).c_str());
    if (r.Is3D && GetDlgItem(330)) SetDlgItemText(330, std::to_string(r.Grade).c_str());
    const std::pair<int, int> checks[] = {
        {1015, r.Abl1}, {1020, r.Abl2}, {1045, r.durchz}, {228, r.NStErzwingen}};
    for (const auto& [id, on] : checks)
        if (GetDlgItem(id) && !(r.Is3D && id == 228))
            CheckDlgButton(id, on ? BF_CHECKED : BF_UNCHECKED);
}

bool TFudiInformation::CanClose() {
    vdFuncTrace("BOOL TFudiInformation::CanClose()");
    TListBoxData** ziele[3] = {&Rec->NstText, &Rec->ExtrText, &Rec->WendText};
    for (int i = 0; i < 3 && Listen[i]; ++i) {
        auto* neu = new TListBoxData;
        while (Listen[i]->GetCount() > 0) {
            std::vector<char> text(size_t(Listen[i]->GetStringLen(0)) + 1, '\0');
            Listen[i]->GetString(text.data(), 0);
            neu->AddString(text.data(), true);
            Listen[i]->DeleteString(0);
        }
        // Without a discussion the lists were not shown: the record keeps its own.
        if (!Rec->Diskussion) {
            delete neu;
            continue;
        }
        delete *ziele[i];
        *ziele[i] = neu;
    }
    return TDialog::CanClose();
}

void TFudiInformation::BNClickedHelp() {
    WinExec("HH.EXE mk:@MSITStore:orvlhilf5.chm::html/main3nl0.htm", SW_SHOWNORMAL);
}
