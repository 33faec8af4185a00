// Dialog 101: the input area above (function, variables, result, bases and angle unit, the
// buttons and the info field) and the key pad below it. The tiny buttons 10000 and 262 mark
// the bottom-right corners of the closed and of the opened window.
#include "rechlayout.h"

#include "dialog.h"
#include "dlgres.h"

namespace {

// Key steps of the pad, in dialog units.
constexpr int kKeyW = 27, kKeyH = 14, kStepX = 29, kStepY = 17;
constexpr int kLeftX = 14, kRightX = 194, kKeysY = 238;

} // namespace

// Columns 0–5 are the left block (functions, constants, variables), 6–11 the right block
// (hex digits, memory, digits and operators).
const TRechTaste kRechTasten[] = {
    {227, "sin", "sin", 0, 0},
    {228, "cos", "cos", 1, 0},
    {229, "tan", "tan", 2, 0},
    {270, "cot", "cot", 3, 0},
    {214, "sqr", "sqr", 4, 0},
    {213, "sqrt", "sqrt", 5, 0},
    {226, "asin", "asin", 0, 1},
    {225, "acos", "acos", 1, 1},
    {224, "atan", "atan", 2, 1},
    {107, "acot", "acot", 3, 1},
    {222, "c^m", "^", 4, 1},
    {230, "c^(1/3)", "^(1/3)", 5, 1},
    {275, "sinh", "sinh", 0, 2},
    {276, "cosh", "cosh", 1, 2},
    {277, "tanh", "tanh", 2, 2},
    {108, "coth", "coth", 3, 2},
    {207, "1/c", "1/", 4, 2},
    {220, "10^c", "10^", 5, 2},
    {271, "arsinh", "arsinh", 0, 3},
    {272, "arcosh", "arcosh", 1, 3},
    {273, "artanh", "artanh", 2, 3},
    {274, "arcoth", "arcoth", 3, 3},
    {215, "c !", "!", 4, 3},
    {240, "rand", "rand", 5, 3},
    {278, "exp", "exp", 0, 4},
    {219, "ln", "ln", 1, 4},
    {217, "lg", "lg", 2, 4},
    {241, "pi", "pi", 3, 4},
    {242, "e", "e", 4, 4},
    {263, "x", "x", 0, 5},
    {264, "y", "y", 1, 5},
    {265, "z", "z", 2, 5},
    {267, "u", "u", 3, 5},
    {266, "v", "v", 4, 5},
    {268, "w", "w", 5, 5},

    {109, "A", "hA", 6, 0},
    {110, "B", "hB", 7, 0},
    {251, "C", "hC", 8, 0},
    {111, "D", "hD", 9, 0},
    {112, "E", "hE", 10, 0},
    {113, "F", "hF", 11, 0},
    {280, "MC", "MC", 6, 1},
    {235, "Mr", "Mr", 7, 1},
    {234, "Min", "Min", 8, 1},
    {258, "M+", "M+", 9, 1},
    {260, "M-", "M-", 10, 1},
    {252, "AC", "AC", 11, 1},
    {236, "7", "7", 6, 2},
    {243, "8", "8", 7, 2},
    {244, "9", "9", 8, 2},
    {254, "/", "/", 9, 2},
    {232, "(---", "(", 10, 2},
    {233, "---)", ")", 11, 2},
    {237, "4", "4", 6, 3},
    {245, "5", "5", 7, 3},
    {246, "6", "6", 8, 3},
    {253, "*", "*", 9, 3},
    {250, "C", "C", 10, 3},
    {259, "%", "%", 11, 3},
    {238, "1", "1", 6, 4},
    {247, "2", "2", 7, 4},
    {248, "3", "3", 8, 4},
    {256, "-", "-", 9, 4},
    {231, "+/-", "+/-", 10, 4},
    {257, "=", "=", 11, 4, true},
    {239, "0", "0", 6, 5},
    {281, "00", "00", 7, 5},
    {249, ".", ".", 8, 5},
    {255, "+", "+", 9, 5},
    {124, "(---)", "()", 10, 5, false, true},
};
const int kRechTastenAnzahl = int(sizeof kRechTasten / sizeof kRechTasten[0]);

const TRechAccel kRechAccel905[] = {
    {VK_RETURN, 257},      {VK_NUMPAD0, 239},     {VK_NUMPAD0 + 1, 238}, {VK_NUMPAD0 + 2, 247},
    {VK_NUMPAD0 + 3, 248}, {VK_NUMPAD0 + 4, 237}, {VK_NUMPAD0 + 5, 245}, {VK_NUMPAD0 + 6, 246},
    {VK_NUMPAD0 + 7, 236}, {VK_NUMPAD0 + 8, 243}, {VK_NUMPAD0 + 9, 244}, {VK_ADD, 255},
    {VK_SUBTRACT, 256},    {VK_MULTIPLY, 253},    {VK_DIVIDE, 254},      {VK_DECIMAL, 249},
};
const int kRechAccel905Anzahl = int(sizeof kRechAccel905 / sizeof kRechAccel905[0]);

void LoadRechAccelerators(TDialog& dialog, int table) {
    if (table != 905) return;
    for (const TRechAccel& a : kRechAccel905) dialog.AddAccelerator(a.virtualKey, a.id);
}

namespace {

TDlgResource RechnerLayout() {
    TDlgResource r;
    r.caption = "Rechner";
    r.cx = 380, r.cy = 348;
    auto& it = r.items;
    // Background panels first, so that everything else lies on them.
    it.push_back({2712, TCtlKind::Static, "", 0, 0, 380, 214});
    it.push_back({2714, TCtlKind::Static, "", 0, 214, 380, 134});

    it.push_back({1201, TCtlKind::Static, "Berechnungs&funktion f(x,y,z,u,v,w):", 8, 6, 200, 9});
    it.push_back({1101, TCtlKind::Edit, "0", 8, 16, 292, 40, ES_MULTILINE});
    const int varIds[6] = {1003, 202, 203, 204, 205, 206};
    const char* const varLabels[6] = {"x =", "y =", "z =", "u =", "v =", "w ="};
    for (int i = 0; i < 6; ++i) {
        const int x = 8 + (i % 3) * 98, y = 62 + (i / 3) * 16;
        it.push_back({1202 + i, TCtlKind::Static, varLabels[i], x, y + 2, 14, 9});
        it.push_back({varIds[i], TCtlKind::Edit, "0", x + 14, y, 80, 12});
    }
    it.push_back({208, TCtlKind::Frame, "", 8, 96, 292, 26});
    it.push_back({1208, TCtlKind::Static, "Ergebnis:", 14, 105, 36, 9});
    it.push_back({283, TCtlKind::Edit, "kein Ergebnis", 52, 103, 242, 13, ES_READONLY});

    it.push_back({121, TCtlKind::GroupBox, "Stellenwertsystem der Eingabe", 8, 126, 144, 26});
    it.push_back({117, TCtlKind::RadioButton, "DEC", 14, 138, 32, 10, WS_GROUP});
    it.push_back({118, TCtlKind::RadioButton, "BIN", 48, 138, 32, 10});
    it.push_back({119, TCtlKind::RadioButton, "HEX", 82, 138, 32, 10});
    it.push_back({120, TCtlKind::RadioButton, "OCT", 116, 138, 32, 10});
    it.push_back({3656, TCtlKind::GroupBox, "Stellenwertsystem der Ausgabe", 156, 126, 144, 26});
    it.push_back({125, TCtlKind::RadioButton, "DEC", 162, 138, 32, 10, WS_GROUP});
    it.push_back({126, TCtlKind::RadioButton, "BIN", 196, 138, 32, 10});
    it.push_back({127, TCtlKind::RadioButton, "HEX", 230, 138, 32, 10});
    it.push_back({128, TCtlKind::RadioButton, "OCT", 264, 138, 32, 10});
    it.push_back({122, TCtlKind::GroupBox, "Winkelargument", 8, 156, 144, 26});
    it.push_back({114, TCtlKind::RadioButton, "DEG", 14, 168, 40, 10, WS_GROUP});
    it.push_back({115, TCtlKind::RadioButton, "RAD", 60, 168, 40, 10});
    it.push_back({116, TCtlKind::RadioButton, "GRA", 106, 168, 40, 10});
    it.push_back({261, TCtlKind::PushButton, "&Taschenrechner öffnen >>", 156, 163, 144, 16});

    it.push_back({201, TCtlKind::PushButton, "&Berechne...", 308, 16, 64, 14});
    it.push_back({212, TCtlKind::PushButton, "&Laden", 308, 36, 64, 14});
    it.push_back({211, TCtlKind::PushButton, "&Speichern", 308, 52, 64, 14});
    it.push_back({218, TCtlKind::PushButton, "&Drucken", 308, 68, 64, 14});
    it.push_back({302, TCtlKind::PushButton, "&Hilfe", 308, 88, 64, 14});
    it.push_back({IDCANCEL, TCtlKind::PushButton, "&Beenden", 308, 104, 64, 14});
    it.push_back({209, TCtlKind::PushButton, "&k", 308, 126, 30, 14});
    it.push_back({210, TCtlKind::PushButton, "&e", 342, 126, 30, 14});
    it.push_back({101, TCtlKind::PushButton, "x=", 308, 146, 30, 12, WS_NOTVISIBLE});
    it.push_back({216, TCtlKind::Static, "", 8, 188, 364, 20, SS_SUNKEN});
    it.push_back({10000, TCtlKind::PushButton, "", 376, 210, 2, 2, WS_NOTVISIBLE});

    // The key pad.
    it.push_back({269, TCtlKind::Frame, "", 8, 216, 364, 126});
    it.push_back({221, TCtlKind::Static, "", 14, 222, 282, 11, SS_SUNKEN});
    it.push_back({282, TCtlKind::CheckBox, "&schnell", 304, 223, 60, 10});
    for (const TRechTaste& k : kRechTasten) {
        const int x = k.column < 6 ? kLeftX + k.column * kStepX : kRightX + (k.column - 6) * kStepX;
        const int y = kKeysY + k.row * kStepY;
        it.push_back({k.id, TCtlKind::PushButton, k.caption, x, y, kKeyW,
                      k.tall ? kKeyH + kStepY : kKeyH, k.hidden ? uint32_t(WS_NOTVISIBLE) : 0u});
    }
    it.push_back({262, TCtlKind::PushButton, "", 376, 344, 2, 2, WS_NOTVISIBLE});
    return r;
}

const TDialogResourceRegistrar registrar("CALCPAD.DLL", 101, RechnerLayout());

} // namespace
