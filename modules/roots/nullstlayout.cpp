// Dialog 23000 of "FNROOTS.DLL": the four result lists on the left, time, interval and integral
// on the right above the animation, the buttons and the info line below.
#include "dlgres.h"
#include "tnullstellen.h"

namespace {

TDlgResource NullstellenLayout() {
    TDlgResource r;
    r.caption = "Funktionsdiskussion";
    r.cx = 372, r.cy = 214;
    auto& it = r.items;
    it.push_back({10102, TCtlKind::Static, "", 0, 0, 372, 4});
    it.push_back({1040, TCtlKind::GroupBox, "", 6, 6, 246, 150});
    const char* const titles[4] = {"Nullstellen:", "Extrema:", "Wendestellen:", "Nst. f'''(x):"};
    for (int k = 0; k < 4; ++k) {
        const int x = 12 + k * 60;
        it.push_back({1111 + k, TCtlKind::Static, titles[k], x, 14, 56, 9});
        it.push_back({TNullstellen::kNstListe + k, TCtlKind::ListBox, "", x, 24, 56, 126});
    }
    it.push_back({1010, TCtlKind::GroupBox, "benötigte Zeit:", 258, 6, 108, 42});
    it.push_back({1008, TCtlKind::Static, "max. geschätzt", 264, 17, 52, 9});
    it.push_back({TNullstellen::kGeschaetzt, TCtlKind::Static, "", 318, 16, 28, 10, SS_SUNKEN});
    it.push_back({1011, TCtlKind::Static, "sec.", 349, 17, 14, 9});
    it.push_back({1009, TCtlKind::Static, "vergangen", 264, 32, 52, 9});
    it.push_back({TNullstellen::kVergangen, TCtlKind::Static, "", 318, 31, 28, 10, SS_SUNKEN});
    it.push_back({1012, TCtlKind::Static, "sec.", 349, 32, 14, 9});
    it.push_back({1006, TCtlKind::GroupBox, "Intervall:", 258, 52, 108, 40});
    it.push_back({1015, TCtlKind::Static, "x1:", 264, 63, 12, 9});
    it.push_back({TNullstellen::kIntervallX1, TCtlKind::Static, "", 278, 62, 82, 10, SS_SUNKEN});
    it.push_back({1016, TCtlKind::Static, "x2:", 264, 77, 12, 9});
    it.push_back({TNullstellen::kIntervallX, TCtlKind::Static, "", 278, 76, 82, 10, SS_SUNKEN});
    it.push_back({217, TCtlKind::GroupBox, "Integral:", 258, 96, 108, 26});
    it.push_back({TNullstellen::kIntegral, TCtlKind::Static, "", 264, 107, 96, 10, SS_SUNKEN});
    it.push_back({TNullstellen::kLaufbild, TCtlKind::Frame, "", 292, 126, 40, 30});
    it.push_back(
        {TNullstellen::kStart, TCtlKind::PushButton, "&Start", 6, 162, 60, 14, BS_DEFPUSHBUTTON});
    it.push_back({TNullstellen::kAbbruchOK, TCtlKind::PushButton, "&Abbruch", 72, 162, 60, 14});
    it.push_back({TNullstellen::kHilfe, TCtlKind::PushButton, "&Hilfe", 306, 162, 60, 14});
    it.push_back({TNullstellen::kInfo, TCtlKind::Static, "", 6, 182, 360, 26, SS_SUNKEN});
    return r;
}

const TDialogResourceRegistrar registrar("FNROOTS.DLL", TNullstellen::kResId, NullstellenLayout());

} // namespace
