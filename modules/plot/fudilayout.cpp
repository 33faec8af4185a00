// The dialogs of "FNPLOT.DLL": the drawing window 202, the input dialog 20200 (with the controls
// of both modes; the window hides those of the other mode) and the information dialog 20300.
#include "fudilayout.h"

#include "dlgres.h"

namespace {

TDlgResource ZeichnungLayout() {
    TDlgResource r;
    r.caption = "";
    r.cx = 420, r.cy = 300;
    auto& it = r.items;
    it.push_back({101, TCtlKind::Edit, "kein Ergebnis", 4, 4, 300, 12, ES_READONLY});
    it.push_back({302, TCtlKind::PushButton, "&Hilfe", 310, 3, 40, 14});
    it.push_back({310, TCtlKind::Frame, "", 4, 20, 14, 10});
    it.push_back({210, TCtlKind::Edit, "f(x)", 20, 19, 34, 12, ES_READONLY});
    it.push_back({320, TCtlKind::Frame, "", 60, 20, 14, 10});
    it.push_back({211, TCtlKind::Edit, "f'(x)", 76, 19, 34, 12, ES_READONLY});
    it.push_back({330, TCtlKind::Frame, "", 116, 20, 14, 10});
    it.push_back({212, TCtlKind::Edit, "f''(x)", 132, 19, 34, 12, ES_READONLY});
    return r;
}

TDlgResource EingabeLayout() {
    TDlgResource r;
    r.caption = "Funktionseingabe";
    r.cx = 430, r.cy = 300;
    auto& it = r.items;
    // Function.
    it.push_back({246, TCtlKind::Static, "f(x)=", 8, 9, 28, 9});
    it.push_back({4095, TCtlKind::Edit, "", 38, 6, 318, 24, ES_MULTILINE});
    it.push_back({228, TCtlKind::Static, "Grade:", 362, 9, 26, 9});
    it.push_back({224, TCtlKind::Edit, "10", 388, 7, 34, 12});
    // Ranges.
    it.push_back({1006, TCtlKind::GroupBox, "Bereich:", 8, 34, 150, 74});
    it.push_back({1201, TCtlKind::Static, "x1:", 14, 48, 14, 9});
    it.push_back({1001, TCtlKind::Edit, "-10", 30, 46, 54, 12});
    it.push_back({1202, TCtlKind::Static, "x2:", 88, 48, 14, 9});
    it.push_back({1002, TCtlKind::Edit, "10", 100, 46, 54, 12});
    it.push_back({1204, TCtlKind::Static, "h1:", 14, 64, 14, 9});
    it.push_back({1003, TCtlKind::Edit, "-10", 30, 62, 54, 12});
    it.push_back({1205, TCtlKind::Static, "h2:", 88, 64, 14, 9});
    it.push_back({1004, TCtlKind::Edit, "10", 100, 62, 54, 12});
    it.push_back({214, TCtlKind::Static, "y1:", 14, 80, 14, 9});
    it.push_back({213, TCtlKind::Edit, "-10", 30, 78, 54, 12});
    it.push_back({1203, TCtlKind::Static, "y2:", 88, 80, 14, 9});
    it.push_back({210, TCtlKind::Edit, "10", 100, 78, 54, 12});
    // Scales.
    it.push_back({1011, TCtlKind::GroupBox, "Skala:", 8, 110, 150, 60});
    it.push_back({1206, TCtlKind::Static, "x-Abstand:", 14, 124, 40, 9});
    it.push_back({1035, TCtlKind::Edit, "1", 60, 122, 94, 12});
    it.push_back({1207, TCtlKind::Static, "h-Abstand:", 14, 140, 40, 9});
    it.push_back({1040, TCtlKind::Edit, "1", 60, 138, 94, 12});
    it.push_back({345, TCtlKind::Static, "y-Abstand:", 14, 156, 40, 9});
    it.push_back({217, TCtlKind::Edit, "1", 60, 154, 94, 12});
    // Calculations and options.
    it.push_back({1005, TCtlKind::CheckBox, "&Integralberechnung:", 8, 176, 84, 10});
    it.push_back({1208, TCtlKind::Static, "Genauigkeit:", 94, 177, 44, 9});
    it.push_back({1010, TCtlKind::Edit, "100", 140, 175, 60, 12});
    it.push_back({1025, TCtlKind::CheckBox, "Funktions&diskussion:", 8, 192, 84, 10});
    it.push_back({2013, TCtlKind::Static, "Abstand:", 94, 193, 44, 9});
    it.push_back({1027, TCtlKind::Edit, "0.01", 140, 191, 60, 12});
    it.push_back({1021, TCtlKind::CheckBox, "&markiert", 14, 206, 50, 10});
    it.push_back({208, TCtlKind::CheckBox, "&erzwinge NSt.", 70, 206, 70, 10});
    it.push_back({1015, TCtlKind::CheckBox, "&f'(x)", 8, 222, 40, 10});
    it.push_back({1020, TCtlKind::CheckBox, "&f''(x)", 50, 222, 40, 10});
    it.push_back({1045, TCtlKind::CheckBox, "&durchzeichnen", 94, 222, 70, 10});
    it.push_back({101, TCtlKind::RadioButton, "&Schwarz/Weiß", 8, 176, 64, 10, WS_GROUP});
    it.push_back({102, TCtlKind::RadioButton, "&Farbig", 76, 176, 50, 10});
    it.push_back({223, TCtlKind::CheckBox, "&Linien", 8, 192, 50, 10});
    it.push_back({1026, TCtlKind::CheckBox, "&Steigung", 60, 192, 50, 10});
    // Preview, estimate and the view buttons.
    it.push_back({325, TCtlKind::Frame, "", 166, 34, 190, 150});
    it.push_back({508, TCtlKind::Frame, "", 166, 186, 6, 6, WS_NOTVISIBLE});
    it.push_back({1009, TCtlKind::Frame, "", 166, 188, 190, 16});
    it.push_back(
        {1209, TCtlKind::Static, "benötigte Zeit für alle Berechnungen: ca.", 170, 192, 140, 9});
    it.push_back({1030, TCtlKind::Static, "1", 310, 192, 28, 9, SS_RIGHT});
    it.push_back({1210, TCtlKind::Static, "sec", 340, 192, 14, 9});
    it.push_back({1110, TCtlKind::PushButton, "+", 362, 36, 26, 14});
    it.push_back({1120, TCtlKind::PushButton, "-", 362, 52, 26, 14});
    it.push_back({1130, TCtlKind::PushButton, "-", 362, 72, 26, 14});
    it.push_back({1140, TCtlKind::PushButton, "+", 392, 72, 26, 14});
    it.push_back({1160, TCtlKind::PushButton, "&größer", 362, 92, 56, 14});
    it.push_back({1150, TCtlKind::PushButton, "&kleiner", 362, 108, 56, 14});
    it.push_back({1115, TCtlKind::Frame, "", 392, 36, 26, 30});
    it.push_back({216, TCtlKind::PushButton, "-", 362, 128, 26, 14});
    it.push_back({215, TCtlKind::PushButton, "+", 392, 128, 26, 14});
    it.push_back({220, TCtlKind::PushButton, "+", 362, 146, 26, 14});
    it.push_back({222, TCtlKind::PushButton, "-", 392, 146, 26, 14});
    it.push_back({219, TCtlKind::PushButton, "+", 362, 164, 26, 14});
    it.push_back({218, TCtlKind::PushButton, "-", 392, 164, 26, 14});
    it.push_back({225, TCtlKind::Frame, "", 362, 182, 56, 20});
    it.push_back({229, TCtlKind::Static, "Ansicht", 362, 204, 56, 9});
    it.push_back({6, TCtlKind::PushButton, "&Prüfung, Neuzeichnen, Kalkulation", 166, 208, 140, 14,
                  BS_DEFPUSHBUTTON});
    it.push_back({1100, TCtlKind::PushButton, "&Vorschlag", 310, 208, 46, 14});
    it.push_back({207, TCtlKind::PushButton, "&k", 362, 208, 16, 14});
    it.push_back({206, TCtlKind::PushButton, "&e", 382, 208, 16, 14});
    it.push_back({209, TCtlKind::PushButton, "&v", 402, 208, 16, 14});
    // Info line and the dialog's buttons.
    it.push_back({221, TCtlKind::Static, "", 8, 240, 414, 26, SS_SUNKEN});
    it.push_back({305, TCtlKind::PushButton, "&OK", 8, 276, 60, 16});
    it.push_back({212, TCtlKind::PushButton, "&Laden", 100, 276, 60, 16});
    it.push_back({211, TCtlKind::PushButton, "&Speichern", 166, 276, 60, 16});
    it.push_back({302, TCtlKind::PushButton, "&Hilfe", 270, 276, 60, 16});
    it.push_back({IDCANCEL, TCtlKind::PushButton, "&Abbruch", 362, 276, 60, 16});
    return r;
}

TDlgResource InformationLayout() {
    TDlgResource r;
    r.caption = "Funktionsinformation";
    r.cx = 420, r.cy = 318;
    auto& it = r.items;
    it.push_back({101, TCtlKind::Static, "", 0, 0, 420, 4});
    it.push_back({1006, TCtlKind::GroupBox, "Funktion:", 6, 6, 408, 48});
    it.push_back({1211, TCtlKind::Static, "f(x)=", 12, 19, 30, 9});
    it.push_back({4095, TCtlKind::Edit, "", 44, 17, 364, 12, ES_READONLY});
    it.push_back({1212, TCtlKind::Static, "f'(x)=", 12, 35, 30, 9});
    it.push_back({4096, TCtlKind::Edit, "", 44, 33, 364, 12, ES_READONLY});
    it.push_back({1012, TCtlKind::GroupBox, "Bereich:", 6, 58, 200, 46});
    it.push_back({1213, TCtlKind::Static, "x1:", 12, 72, 14, 9});
    it.push_back({1001, TCtlKind::Edit, "", 28, 70, 72, 12, ES_READONLY});
    it.push_back({1214, TCtlKind::Static, "x2:", 104, 72, 14, 9});
    it.push_back({1002, TCtlKind::Edit, "", 120, 70, 80, 12, ES_READONLY});
    it.push_back({1215, TCtlKind::Static, "h1:", 12, 88, 14, 9});
    it.push_back({1003, TCtlKind::Edit, "", 28, 86, 72, 12, ES_READONLY});
    it.push_back({1216, TCtlKind::Static, "h2:", 104, 88, 14, 9});
    it.push_back({1004, TCtlKind::Edit, "", 120, 86, 80, 12, ES_READONLY});
    it.push_back({1011, TCtlKind::GroupBox, "Skala:", 212, 58, 202, 46});
    it.push_back({1217, TCtlKind::Static, "x-Abstand:", 218, 72, 40, 9});
    it.push_back({1035, TCtlKind::Edit, "", 262, 70, 146, 12, ES_READONLY});
    it.push_back({1218, TCtlKind::Static, "h-Abstand:", 218, 88, 40, 9});
    it.push_back({1040, TCtlKind::Edit, "", 262, 86, 146, 12, ES_READONLY});
    it.push_back({1014, TCtlKind::Frame, "", 6, 108, 408, 16});
    it.push_back({1015, TCtlKind::CheckBox, "f'(x)", 12, 111, 40, 10, WS_DISABLED});
    it.push_back({1020, TCtlKind::CheckBox, "f''(x)", 56, 111, 40, 10, WS_DISABLED});
    it.push_back({1045, TCtlKind::CheckBox, "durchgezeichnet", 100, 111, 70, 10, WS_DISABLED});
    it.push_back({1008, TCtlKind::GroupBox, "Integral:", 6, 128, 408, 46});
    it.push_back({1005, TCtlKind::CheckBox, "Integralberechnung", 12, 140, 80, 10, WS_DISABLED});
    it.push_back({1219, TCtlKind::Static, "Genauigkeit:", 100, 141, 46, 9});
    it.push_back({1010, TCtlKind::Edit, "", 148, 139, 80, 12, ES_READONLY});
    it.push_back({1220, TCtlKind::Static, "Gesamt:", 12, 158, 30, 9});
    it.push_back({1030, TCtlKind::Edit, "", 42, 156, 100, 12, ES_READONLY});
    it.push_back({1221, TCtlKind::Static, "Positiv:", 146, 158, 30, 9});
    it.push_back({1031, TCtlKind::Edit, "", 176, 156, 100, 12, ES_READONLY});
    it.push_back({1222, TCtlKind::Static, "Negativ:", 280, 158, 30, 9});
    it.push_back({1032, TCtlKind::Edit, "", 310, 156, 98, 12, ES_READONLY});
    it.push_back({1007, TCtlKind::GroupBox, "Funktionsdiskussion:", 6, 178, 408, 100});
    it.push_back({1025, TCtlKind::CheckBox, "Funktionsdiskussion", 12, 190, 80, 10, WS_DISABLED});
    it.push_back({228, TCtlKind::CheckBox, "NSt. erzwungen", 96, 190, 70, 10, WS_DISABLED});
    it.push_back({1223, TCtlKind::Static, "Abstand:    1/", 180, 191, 50, 9});
    it.push_back({1027, TCtlKind::Edit, "", 232, 189, 80, 12, ES_READONLY});
    it.push_back({1224, TCtlKind::Static, "Nullstellen:", 12, 204, 60, 9});
    it.push_back({1101, TCtlKind::ListBox, "", 12, 214, 128, 60});
    it.push_back({1225, TCtlKind::Static, "Extrema:", 146, 204, 60, 9});
    it.push_back({1102, TCtlKind::ListBox, "", 146, 214, 128, 60});
    it.push_back({1226, TCtlKind::Static, "Wendestellen:", 280, 204, 60, 9});
    it.push_back({1103, TCtlKind::ListBox, "", 280, 214, 128, 60});
    it.push_back({221, TCtlKind::Static, "", 6, 282, 408, 12, SS_SUNKEN});
    it.push_back({IDOK, TCtlKind::PushButton, "&Zurück", 6, 298, 60, 16, BS_DEFPUSHBUTTON});
    it.push_back({302, TCtlKind::PushButton, "&Hilfe", 354, 298, 60, 16});
    return r;
}

TDlgResource WertetabelleLayout() {
    TDlgResource r;
    r.caption = "Wertetabelle";
    r.cx = 330, r.cy = 250;
    auto& it = r.items;
    it.push_back({1100, TCtlKind::Static, "", 6, 6, 318, 9, SS_NOPREFIX});
    it.push_back({1201, TCtlKind::Static, "&von:", 6, 22, 20, 9});
    it.push_back({1001, TCtlKind::Edit, "", 28, 20, 70, 12});
    it.push_back({1202, TCtlKind::Static, "&bis:", 104, 22, 18, 9});
    it.push_back({1002, TCtlKind::Edit, "", 124, 20, 70, 12});
    it.push_back({1203, TCtlKind::Static, "&Schritt:", 200, 22, 30, 9});
    it.push_back({1003, TCtlKind::Edit, "", 232, 20, 50, 12});
    it.push_back({201, TCtlKind::PushButton, "&Berechnen", 286, 19, 38, 14, BS_DEFPUSHBUTTON});
    it.push_back({1101, TCtlKind::Edit, "", 6, 38, 318, 164, ES_MULTILINE | ES_READONLY});
    it.push_back({221, TCtlKind::Static, "", 6, 206, 318, 18, SS_SUNKEN});
    it.push_back({IDOK, TCtlKind::PushButton, "&Zurück", 6, 230, 60, 14});
    it.push_back({207, TCtlKind::PushButton, "&Kopieren", 120, 230, 60, 14});
    it.push_back({218, TCtlKind::PushButton, "&Drucken", 186, 230, 60, 14});
    it.push_back({302, TCtlKind::PushButton, "&Hilfe", 264, 230, 60, 14});
    return r;
}

const TDialogResourceRegistrar registerZeichnung(kFnplotModul, 202, ZeichnungLayout());
const TDialogResourceRegistrar registerEingabe(kFnplotModul, 20200, EingabeLayout());
const TDialogResourceRegistrar registerInformation(kFnplotModul, 20300, InformationLayout());
const TDialogResourceRegistrar registerWertetabelle(kFnplotModul, 20500, WertetabelleLayout());

} // namespace

TModule& FnplotModul() {
    static TModule module(kFnplotModul, false);
    return module;
}
