#include "glsyslayout.h"

#include "dlgres.h"
#include "glsysloes.h"

#include <algorithm>

namespace {

constexpr char kModuleName[] = "LINSOLVE.DLL";

TDlgResource UnbekannteLayout() {
    TDlgResource r;
    r.caption = "Lin. GlSys.";
    r.cx = 260, r.cy = 108;
    auto& it = r.items;
    it.push_back({8888, TCtlKind::Static, "", 0, 0, 260, 32});
    it.push_back({230, TCtlKind::Static, "", 8, 5, 244, 24, SS_NOPREFIX});
    it.push_back({1201, TCtlKind::Static, "&Unbekanntenanzahl:", 8, 42, 76, 9});
    it.push_back({1101, TCtlKind::Edit, "3", 86, 40, 24, 12});
    it.push_back({201, TCtlKind::PushButton, "&Weiter", 8, 60, 50, 14, BS_DEFPUSHBUTTON});
    it.push_back({212, TCtlKind::PushButton, "&Laden", 62, 60, 50, 14});
    it.push_back({210, TCtlKind::PushButton, "&e", 116, 60, 24, 14});
    it.push_back({302, TCtlKind::PushButton, "&Hilfe", 144, 60, 50, 14});
    it.push_back({2, TCtlKind::PushButton, "&Beenden", 198, 60, 54, 14});
    it.push_back({kGlSysInfoId, TCtlKind::Static, "", 8, 80, 244, 20, SS_SUNKEN});
    it.push_back({10000, TCtlKind::PushButton, "", 256, 104, 2, 2, WS_NOTVISIBLE});
    return r;
}

// Widths of a grid cell: the field (or number) and the label behind it, narrower for the
// larger systems so that they fit on a small screen.
struct TZelle {
    int feld, marke;
};
TZelle Zelle(int n, bool anzeige) {
    if (n <= 4) return {anzeige ? 46 : 44, 20};
    if (n <= 5) return {anzeige ? 40 : 38, 18};
    if (n == 6) return {anzeige ? 38 : 34, 16};
    return {anzeige ? 36 : 34, anzeige ? 16 : 18};
}

void Raster(TDlgResource& r, int n, int x0, int y0, bool anzeige) {
    const TZelle z = Zelle(n, anzeige);
    for (int row = 1; row <= n; ++row) {
        const int y = y0 + (row - 1) * 16;
        for (int c = 1; c <= n + 1; ++c) {
            const int x = x0 + (c - 1) * (z.feld + z.marke);
            if (anzeige)
                r.items.push_back(
                    {GlSysFeldId(row, c), TCtlKind::Static, "0", x, y + 2, z.feld, 9, SS_RIGHT});
            else
                r.items.push_back({GlSysFeldId(row, c), TCtlKind::Edit, "0", x, y, z.feld, 12});
            if (c <= n)
                r.items.push_back({GlSysMarkeId(row, c), TCtlKind::Static, GlSysMarke(c - 1, n),
                                   x + z.feld + 1, y + 2, z.marke - 2, 9, SS_NOPREFIX});
        }
    }
}

int RasterBreite(int n, bool anzeige) {
    const TZelle z = Zelle(n, anzeige);
    return (n + 1) * z.feld + n * z.marke;
}

TDlgResource EingabeLayout(int n) {
    TDlgResource r;
    r.caption = "Eingabe des linearen Gleichungssystems";
    const int width = std::max(RasterBreite(n, false) + 16, 262);
    Raster(r, n, 8, 8, false);
    const int y = 8 + n * 16 + 6;
    auto& it = r.items;
    it.push_back({305, TCtlKind::PushButton, "&Weiter", 8, y, 44, 14, BS_DEFPUSHBUTTON});
    it.push_back({211, TCtlKind::PushButton, "&Speichern", 56, y, 50, 14});
    it.push_back({219, TCtlKind::PushButton, "&k", 110, y, 20, 14});
    it.push_back({212, TCtlKind::PushButton, "&v", 134, y, 20, 14});
    it.push_back({302, TCtlKind::PushButton, "&Hilfe", 158, y, 44, 14});
    it.push_back({2, TCtlKind::PushButton, "&Abbruch", 206, y, 48, 14});
    it.push_back({kGlSysInfoId, TCtlKind::Static, "", 8, y + 20, width - 16, 20, SS_SUNKEN});
    r.cx = width, r.cy = y + 46;
    return r;
}

TDlgResource InformationLayout(int n) {
    TDlgResource r;
    r.caption = "Lösungssystem des linearen Gleichungssystems";
    const int width = std::max(RasterBreite(n, true) + 24, 262);
    auto& it = r.items;
    it.push_back({2002, TCtlKind::RadioButton, "&Ausgangssystem", 8, 6, 80, 10, WS_GROUP});
    it.push_back({2003, TCtlKind::RadioButton, "&Lösungssystem", 92, 6, 80, 10});
    const int gridHeight = n * 16 + 22;
    it.push_back({1109, TCtlKind::Frame, "", 8, 20, width - 16, gridHeight});
    Raster(r, n, 12, 24, true);
    it.push_back(
        {kGlSysSatzId, TCtlKind::Static, "", 12, 24 + n * 16 + 4, width - 24, 10, SS_NOPREFIX});
    const int y = 20 + gridHeight + 6;
    it.push_back({218, TCtlKind::PushButton, "&Drucken", 8, y, 50, 14});
    it.push_back({302, TCtlKind::PushButton, "&Hilfe", 62, y, 50, 14});
    it.push_back({1, TCtlKind::PushButton, "&Zurück", 116, y, 50, 14, BS_DEFPUSHBUTTON});
    it.push_back({kGlSysInfoId, TCtlKind::Static, "", 8, y + 20, width - 16, 20, SS_SUNKEN});
    r.cx = width, r.cy = y + 46;
    return r;
}

struct TRegistrierung {
    TRegistrierung() {
        RegisterDialogResource(kModuleName, 101, UnbekannteLayout());
        for (int n = 2; n <= 7; ++n) {
            RegisterDialogResource(kModuleName, 210 + 10 * n, EingabeLayout(n));
            RegisterDialogResource(kModuleName, 310 + 10 * n, InformationLayout(n));
        }
    }
} const registrierung;

} // namespace

TModule& GlSysModule() {
    static TModule module(kModuleName, false);
    return module;
}
