#include "tglsysvar.h"

#include "aufgabedlg.h"
#include "controls.h"
#include "frame.h"
#include "glsysdatei.h"
#include "glsyslayout.h"
#include "matrecord.h"
#include "settings.h"
#include "talk.h"
#include "tglsyseingabe.h"
#include "tglsysinformation.h"
#include "vdfunction.h"
#include "winapi.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace {

const char kTitle[] = "Lin. GlSys.";
const char kHelp[] = "HH.EXE mk:@MSITStore:orvlhilf5.chm::html/main7ne4.htm";
const char kUnreadable[] = "Datei:\r Die Datei besitzt kein lesbares Format.";
const char kRange[] = "Unbekanntenanzahl:\r Der Wert muß in [2..7] liegen.";
const char kTooLarge[] = "Berechnung:\r Die Zahlen des Gleichungssystems sind zu groß. Das "
                         "Lösungssystem kann nicht berechnet werden.";
const char kInfo230[] = "Dieses Programm berechnet die Lösung eines linearen Gleichungssystems, "
                        "mittels der\r\tReduktion auf ein Lösungssystem.";

std::string WithoutQuotes(std::string text) {
    std::erase(text, '"');
    return text;
}

const char* FileNameOf(const char* path) {
    const char* slash = std::strrchr(path, '/');
    const char* back = std::strrchr(path, '\\');
    const char* last = std::max(slash, back);
    return last ? last + 1 : path;
}

} // namespace

void GlSysTitel(TWindow* window, const char* taskFile) {
    TWindow* frame = window;
    while (frame && !dynamic_cast<TFrameWindow*>(frame)) frame = frame->Parent;
    if (!frame) return;
    const char* name = taskFile && *taskFile ? FileNameOf(taskFile) : "Unbenannt.gls";
    frame->SetCaption((std::string(kTitle) + " - " + name).c_str());
}

void GlSysLetzteDatei(MatTransStructDef& record, const std::string& file) {
    GlSysText(record.LetzteDatei, sizeof record.LetzteDatei, file);
}

TGlSysVar::TGlSysVar(MatTransStructDef* HStructIn, TModule* module)
    : TDialog(nullptr, 101, module ? module : &GlSysModule()), HStruct(HStructIn) {
    Init();
}

TGlSysVar::TGlSysVar(TWindow* parent, TResId resId, TModule* module)
    : TDialog(parent, resId, module ? module : &GlSysModule()),
      OwnStruct(std::make_unique<MatTransStructDef>()), HStruct(OwnStruct.get()) {
    Init();
}

TGlSysVar::TGlSysVar(TWindow* parent, MatTransStructDef* HStructIn, TResId resId, TModule* module)
    : TDialog(parent, resId, module ? module : &GlSysModule()), HStruct(HStructIn) {
    Init();
}

TGlSysVar::~TGlSysVar() {
    delete HStruct->ListData;
    HStruct->ListData = nullptr;
}

void TGlSysVar::Init() {
    vdFuncTrace("void TGlSysVar::Init()");
    delete HStruct->ListData;
    HStruct->ListData = new TListBoxData;
    new TTalkEdit(this, 1101, 2, kGlSysInfoId,
                  "Geben Sie bei 'Unbekanntenanzahl' ein n aus {2..7} an, so daß ein n+1 x n "
                  "Gleichungssystem gebildet wird.",
                  "3", 10);
    new TTalkButton(this, 201, kGlSysInfoId, "Drücken Sie 'Weiter', um die Ordnung zu nehmen.", "",
                    "");
    new TTalkButton(this, 302, kGlSysInfoId,
                    "Drücken Sie 'Hilfe', um Hilfe zu diesem Dialog zu erhalten.", "", "");
    new TTalkButton(this, IDCANCEL, kGlSysInfoId,
                    "Drücken Sie 'Beenden', um die Gleichungssystemberechnung zu beenden.", "", "");
    new TTalkButton(this, 210, kGlSysInfoId,
                    "Drücken Sie 'e', um ein Gleichungssystem mit den Variablen (x,y,z,u,v,w) "
                    "eines anderen Programms einzufügen.",
                    "", "");
    new TTalkButton(this, 212, kGlSysInfoId,
                    "Drücken Sie 'Laden', um eine Aufgabenstellung zu laden.", "", "");
    new TButton(this, 10000);
    OnClicked(201, &TGlSysVar::BNClickedOK);
    OnClicked(212, &TGlSysVar::BNClickedLaden);
    OnClicked(210, &TGlSysVar::BNClickedEinfuegen);
    OnClicked(302, &TGlSysVar::BNClickedHelp);
}

void TGlSysVar::SetupWindow() {
    vdFuncTrace("void TGlSysVar::SetupWindow()");
    TDialog::SetupWindow();
    SetCaption(kTitle);
    SetDlgItemText(230, kInfo230);
    // The frame fits itself around its client: the marker's corner is the bottom right.
    if (TWindow* marker = ChildWithId(10000)) {
        const TRect m = marker->GetWindowRect();
        TPoint corner(m.right, m.bottom);
        ScreenToClient(corner);
        if (Parent) MoveWindow(0, 0, corner.x + 2, corner.y + 2);
    }
    GlSysTitel(this, "");
    // Before the first accepted task there is no state file, which is no error.
    if (*HStruct->ZustandDatei) LiesAufgabe(HStruct->ZustandDatei, false);
    // Expressions in the fields may use the variables: they need values.
    if (HStruct->Var.Gesetzt != 1) {
        const char* texts[6];
        for (int i = 0; i < 6; ++i) texts[i] = *HStruct->Var.Text(i) ? "" : "0";
        HStruct->Var.SetzeVar(texts[0], texts[1], texts[2], texts[3], texts[4], texts[5]);
    }
    const std::string cmd = WithoutQuotes(CommandLine);
    if (*HStruct->ZustandDatei)
        CorrWritePrivateProfileString("Programm", "Öffne direkt", cmd.c_str(),
                                      HStruct->ZustandDatei);
    if (!cmd.empty() && TaskFileThere(GetHandle(), cmd.c_str(), "Laden") &&
        HoleDaten(cmd.c_str())) {
        MerkeDatei(cmd);
        SetzeTitel(cmd.c_str());
    }
    ::SetFocus(GetDlgItem(201));
}

void TGlSysVar::SetzeTitel(const char* taskFile) {
    GlSysTitel(this, taskFile);
}

void TGlSysVar::MerkeDatei(const std::string& file) {
    GlSysLetzteDatei(*HStruct, file);
}

bool TGlSysVar::HoleDaten(const char* DatName) {
    vdFuncTrace("bool TGlSysVar::HoleDaten(char*)");
    return LiesAufgabe(DatName, true);
}

bool TGlSysVar::LiesAufgabe(const char* DatName, bool melden) {
    TGlSysAufgabe task;
    std::string message;
    const bool ok = LeseGlSysAufgabe(DatName, task, &message);
    if (ok) {
        const int n = task.Ordnung;
        HStruct->Ordnung = n;
        for (int c = 0; c < n; ++c)
            for (int r = 0; r < n; ++r)
                GlSysText(HStruct->MatText[c][r], sizeof HStruct->MatText[c][r], task.Feld[c][r]);
        for (int r = 0; r <= n; ++r)
            GlSysText(HStruct->MatText[n][r], sizeof HStruct->MatText[n][r], task.Feld[n][r]);
        for (int i = 0; i < 6; ++i) {
            const char* texts[6] = {"", "", "", "", "", ""};
            texts[i] = task.Var[i].c_str();
            HStruct->Var.SetzeVar(texts[0], texts[1], texts[2], texts[3], texts[4], texts[5]);
        }
        // Characters of a UTF-8 file that the program cannot show are not dropped unnoticed.
        if (!message.empty()) MessageBox(message.c_str(), "Laden", MB_OK | MB_ICONEXCLAMATION);
    } else if (melden) {
        // A missing marker says "unreadable"; a file too large or unreadable says why.
        MessageBox(message.empty() ? kUnreadable : message.c_str(), "Laden", MB_OK | MB_ICONSTOP);
    }
    if (HStruct->Ordnung >= 2 && HStruct->Ordnung <= 7)
        SetDlgItemText(1101, std::to_string(HStruct->Ordnung).c_str());
    ::SetFocus(GetDlgItem(201));
    return ok;
}

void TGlSysVar::BNClickedOK() {
    vdFuncTrace("void TGlSysVar::BNClickedOK()");
    char text[2] = "";
    GetDlgItemText(1101, text, sizeof text);
    const int n = std::atoi(text);
    if (n < 2 || n > 7) {
        MessageBox(kRange, "Unbekanntenanzahl", MB_OK | MB_ICONSTOP);
        return;
    }
    if (n != HStruct->Ordnung) {
        for (int c = 0; c < 8; ++c)
            for (int r = 0; r < 8; ++r) {
                HStruct->Mat[c][r] = 0;
                std::strcpy(HStruct->MatText[c][r], "0");
            }
    }
    HStruct->Ordnung = n;
    TGlSysEingabe eingabe(this, HStruct, 210 + 10 * n, Module);
    if (eingabe.Execute() == IDOK) {
        TGlSysInformation information(this, HStruct, 310 + 10 * n, Module);
        if (information.IstBerechnet())
            information.Execute();
        else
            MessageBox(kTooLarge, "Berechnung", MB_OK | MB_ICONSTOP);
    }
    ShowWindow(SW_SHOW);
    if (Parent) Parent->ShowWindow(SW_SHOW);
}

void TGlSysVar::BNClickedLaden() {
    vdFuncTrace("void TGlSysVar::BNClickedLaden()");
    // The last chosen name is kept for the life of the library.
    static std::string name;
    if (!FrageAufgabenDatei(this, false, kGlSysFilter, "gls", name)) return;
    if (TaskFileThere(GetHandle(), name.c_str(), "Laden") && HoleDaten(name.c_str())) {
        MerkeDatei(name);
        SetzeTitel(name.c_str());
    }
}

void TGlSysVar::BNClickedEinfuegen() {
    vdFuncTrace("void TGlSysVar::BNClickedEinfuegen()");
    HoleDaten((std::string(HStruct->Pfad) + "orvltrn.ini").c_str());
}

void TGlSysVar::BNClickedHelp() {
    WinExec(kHelp, SW_SHOWNORMAL);
}
