#include "dlgres.h"
#include "orvldlgs.h"
#include "winapi.h"

#include <string>

namespace {

const char kNames[] = "xyzuvw";

TDlgResource VarSelectLayout() {
    TDlgResource r;
    r.caption = "Variablen festlegen";
    r.cx = 224, r.cy = 182;
    r.items = {
        {210, TCtlKind::Static,
         "Legen Sie die Werte der Variablen fest. Erlaubt sind Zahlen und Ausdrücke wie pi/2 oder "
         "sqrt(2).",
         8, 6, 208, 20},
    };
    for (int i = 0; i < 6; ++i) {
        const int y = 32 + 16 * i;
        const std::string label = std::string("&") + kNames[i] + " =";
        r.items.push_back({vdVarSelect::LabelId(i), TCtlKind::Static, label, 10, y + 2, 24, 10});
        r.items.push_back({vdVarSelect::EditId(i), TCtlKind::Edit, "", 36, y, 180, 12});
        r.items.push_back({vdVarSelect::FunctionVarId(i), TCtlKind::Static, "Variable der Funktion",
                           36, y + 2, 180, 10, WS_NOTVISIBLE});
    }
    r.items.push_back({216, TCtlKind::Static, "", 8, 132, 208, 22, SS_SUNKEN});
    r.items.push_back({IDOK, TCtlKind::PushButton, "&OK", 8, 162, 50, 14, BS_DEFPUSHBUTTON});
    r.items.push_back({IDCANCEL, TCtlKind::PushButton, "&Abbruch", 64, 162, 50, 14});
    r.items.push_back({302, TCtlKind::PushButton, "&Hilfe", 166, 162, 50, 14});
    return r;
}

const TDialogResourceRegistrar registerVarSelect("ORVLDLGS.DLL", 512, VarSelectLayout());

TModule& OwnModule() {
    static TModule module("ORVLDLGS.DLL", false);
    return module;
}

} // namespace

vdVarSelect::vdVarSelect(TWindow* parent, TTlkFETransStructDef* VarIn, bool showValues, bool mode3D,
                         TResId resId, TModule* module)
    : TDialog(parent, resId, module ? module : &OwnModule()), Var(VarIn), Mode3D(mode3D) {
    for (int i = 0; i < 6; ++i) {
        if (!IsOffered(i)) continue;
        const std::string info = std::string("Geben Sie bei '") + kNames[i] +
                                 "=' den zu verwendenden Wert für die " + kNames[i] +
                                 "-Variable ein.";
        Edit[i] =
            new TTalkFunkEdit(this, EditId(i), 1, 216, info.c_str(), "0", showValues, nullptr, 300);
    }
    new TTalkButton(this, IDOK, 216, "Drücken Sie 'OK', um die Werte der Variablen zu übernehmen.",
                    "", "");
    new TTalkButton(this, IDCANCEL, 216,
                    "Drücken Sie 'Abbruch', um die Variablen unverändert zu lassen.", "", "");
    new TTalkButton(this, 302, 216, "Drücken Sie 'Hilfe', um Hilfe zu diesem Dialog zu erhalten.",
                    "", "");
    OnClicked(302, &vdVarSelect::BNClickedHelp);
}

void vdVarSelect::SetupWindow() {
    TDialog::SetupWindow();
    for (int i = 0; i < 6; ++i) {
        if (!IsOffered(i)) {
            ::ShowWindow(GetDlgItem(EditId(i)), SW_HIDE);
            ::ShowWindow(GetDlgItem(FunctionVarId(i)), SW_SHOW);
            continue;
        }
        const char* text = Var ? Var->Text(i) : "";
        SetDlgItemText(EditId(i), *text ? text : "0");
    }
    for (int i = 0; i < 6; ++i) {
        if (Edit[i]) {
            Edit[i]->SetFocus();
            break;
        }
    }
}

void vdVarSelect::CmOk() {
    // Every offered text must be a valid value; a check that failed on leaving its edit has
    // shown its message already.
    std::string texts[6];
    for (int i = 0; i < 6; ++i) {
        TTalkFunkEdit* e = Edit[i];
        if (!e) continue;
        if (e->HatFehler()) {
            e->SetFocus();
            return;
        }
        texts[i] = *e->GetFunktion() ? e->GetFunktion() : e->GetFillText();
        if (!TTalkFunkEdit::Auswerten(this, texts[i].c_str(), nullptr, nullptr)) {
            e->SetFocus();
            return;
        }
    }
    if (Var)
        Var->SetzeVar(texts[0].c_str(), texts[1].c_str(), texts[2].c_str(), texts[3].c_str(),
                      texts[4].c_str(), texts[5].c_str());
    CloseWindow(IDOK);
}

void vdVarSelect::BNClickedHelp() {
    WinExec("HH.EXE mk:@MSITStore:orvlhilf5.chm::html/variablen.htm", SW_SHOW);
}
