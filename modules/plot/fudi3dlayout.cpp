// The information dialog of a 3D task, resource 20400 of "FNPLOT.DLL": the function, the x, y and
// h ranges, the three scales, "durchgezeichnet" and the grid density.
#include "dlgres.h"
#include "fudilayout.h"

namespace {

TDlgResource Information3DLayout() {
    TDlgResource r;
    r.caption = "Funktionsinformation";
    r.cx = 420, r.cy = 176;
    auto& it = r.items;
    it.push_back({102, TCtlKind::Static, "", 0, 0, 420, 4});
    it.push_back({1006, TCtlKind::GroupBox, "Funktion:", 6, 6, 408, 30});
    it.push_back({1211, TCtlKind::Static, "f(x,y)=", 12, 19, 30, 9});
    it.push_back({4095, TCtlKind::Edit, "", 44, 17, 364, 12, ES_READONLY});
    it.push_back({1012, TCtlKind::GroupBox, "Bereich:", 6, 40, 200, 62});
    const char* namen[] = {"x1:", "x2:", "y1:", "y2:", "h1:", "h2:"};
    const int ids[] = {1001, 1002, 223, 222, 1003, 1004};
    for (int i = 0; i < 6; ++i) {
        const int zeile = 54 + (i / 2) * 16, spalte = i % 2 ? 104 : 12;
        it.push_back({1213 + i, TCtlKind::Static, namen[i], spalte, zeile + 2, 14, 9});
        it.push_back({ids[i], TCtlKind::Edit, "", spalte + 16, zeile, 76, 12, ES_READONLY});
    }
    it.push_back({1011, TCtlKind::GroupBox, "Skala:", 212, 40, 202, 62});
    const char* skalen[] = {"x-Abstand:", "y-Abstand:", "h-Abstand:"};
    const int skalaIds[] = {1035, 224, 1040};
    for (int i = 0; i < 3; ++i) {
        it.push_back({1219 + i, TCtlKind::Static, skalen[i], 218, 56 + 16 * i, 40, 9});
        it.push_back({skalaIds[i], TCtlKind::Edit, "", 262, 54 + 16 * i, 146, 12, ES_READONLY});
    }
    it.push_back({1014, TCtlKind::Frame, "", 6, 106, 408, 18});
    it.push_back({1045, TCtlKind::CheckBox, "durchgezeichnet", 12, 110, 70, 10, WS_DISABLED});
    it.push_back({229, TCtlKind::Static, "Grade: Genauigkeit:", 100, 111, 70, 9});
    it.push_back({330, TCtlKind::Edit, "", 172, 109, 40, 12, ES_READONLY});
    it.push_back({221, TCtlKind::Static, "", 6, 130, 408, 12, SS_SUNKEN});
    it.push_back({IDOK, TCtlKind::PushButton, "&Zurück", 6, 154, 60, 16, BS_DEFPUSHBUTTON});
    it.push_back({302, TCtlKind::PushButton, "&Hilfe", 354, 154, 60, 16});
    return r;
}

const TDialogResourceRegistrar registerInformation3D(kFnplotModul, 20400, Information3DLayout());

} // namespace
