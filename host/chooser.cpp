#include "chooser.h"

#include "dlgres.h"
#include "modreg.h"

// Texts are Windows-1252: this file is compiled with that execution character set.
const TChooserEntry kChooserEntries[6] = {
    {"fudi", "Funktionsdiskussion"}, {"roots", "Nullstellen und Integrale"},
    {"matrix", "Matrizen"},          {"glsys", "Lineare Gleichungssysteme"},
    {"stoch", "Stochastik"},         {"calc", "Rechner"},
};

namespace {

constexpr TResId kChooserDialog = 100;

TDlgResource ChooserLayout() {
    TDlgResource r;
    r.caption = "Orvelin - Modulauswahl";
    r.cx = 232, r.cy = 170;
    r.items.push_back({100, TCtlKind::Static, "Wählen Sie ein Modul:", 12, 10, 200, 10});
    int y = 26;
    for (int i = 0; i < 6; ++i, y += 20)
        r.items.push_back({TChooser::kFirstButton + i, TCtlKind::PushButton,
                           kChooserEntries[i].title, 12, y, 208, 16});
    r.items.push_back({IDCANCEL, TCtlKind::PushButton, "&Beenden", 160, y + 6, 60, 14});
    return r;
}

const TDialogResourceRegistrar registrar("ORVELIN.EXE", kChooserDialog, ChooserLayout());

} // namespace

TChooser::TChooser() : TDialog(nullptr, kChooserDialog, &TModule::Program()) {}

void TChooser::SetupWindow() {
    TDialog::SetupWindow();
    for (int i = 0; i < 6; ++i)
        if (!FindModule(kChooserEntries[i].name))
            ::EnableWindow(GetDlgItem(kFirstButton + i), false);
}

void TChooser::EvCommand(unsigned id, HWND hWndCtl, unsigned notifyCode) {
    int index = int(id) - kFirstButton;
    if (notifyCode != BN_CLICKED || index < 0 || index >= 6)
        return TDialog::EvCommand(id, hWndCtl, notifyCode);
    std::string error;
    // Through the opener the program installed: the chooser knows nothing of module frames.
    if (!OpenWindowByName(kChooserEntries[index].name, "", error))
        MessageBox(error.c_str(), "Modulauswahl", MB_OK | MB_ICONSTOP);
}
