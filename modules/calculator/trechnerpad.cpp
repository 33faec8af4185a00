// The key pad of the calculator: opening and closing it, and its keys, each typing its text
// into the function through the calculator engine.
#include "trechner.h"

#include "frame.h"
#include "funkedit.h"
#include "talk.h"
#include "vdcalculator.h"
#include "vdfunction.h"
#include "winapi.h"

namespace {

const char kScreenTooSmall[] =
    "Dialog:\r Der Taschenrechner kann nicht geöffnet werden. Ihre Bildschirmauflösung ist zu "
    "gering. Sie sollten diese auf mehr als 640*480 einstellen, oder verwenden Sie eine kleinere "
    "Schriftart für Dialoge.";

} // namespace

void TRechner::NewEngine() {
    Calc.reset();
    Calc = std::make_unique<vdCalculator>(FunctionText(0).c_str(), false, 6, "xyzuvw");
}

void TRechner::BNClickedOpen() {
    vdFuncTrace("void TRechner::BNClickedOpen()");
    const bool ok = PadUmschalten();
    // The button tells what it does next.
    if (::GetFocus() == PadButton->GetHandle()) PadButton->SetInfo();
    if (ok) return;
    // The screen is too small: back to the closed pad.
    PadUmschalten();
    MessageBox(kScreenTooSmall, "Rechner öffnen", MB_OK | MB_ICONSTOP);
}

bool TRechner::PadUmschalten() {
    NewEngine();
    PadOpen = PadOpen ? 0 : 1;
    if (PadOpen) {
        SetDlgItemText(261, kCaptionClose);
        Function->SetReadOnly(true);
        Enable(201, false);
        FuncInOut("=");
    } else {
        SetDlgItemText(261, kCaptionOpen);
        Function->SetReadOnly(false);
        Enable(201, true);
    }
    return GroesseZuMarke(PadOpen ? 262 : 10000, true);
}

bool TRechner::GroesseZuMarke(int markerId, bool check) {
    TWindow* marker = ChildWithId(markerId);
    if (!marker || !IsWindow()) return true;
    const TRect m = marker->GetWindowRect();
    TPoint corner(m.right, m.bottom);
    ScreenToClient(corner);
    const int width = corner.x + 5, height = corner.y + 3;
    const TRect client = GetClientRect();
    const int dx = width - client.Width(), dy = height - client.Height();
    auto* frame = dynamic_cast<TFrameWindow*>(Parent);
    TWindow* window = frame && frame->IsWindowVisible() ? static_cast<TWindow*>(frame) : this;
    const TRect outer = window->GetWindowRect();
    const int newWidth = outer.Width() + dx, newHeight = outer.Height() + dy;
    if (check &&
        (newWidth > GetSystemMetrics(SM_CXSCREEN) || newHeight > GetSystemMetrics(SM_CYSCREEN)))
        return false;
    if (window == this && frame)
        MoveWindow(0, 0, width, height); // the frame fits itself around its client
    else
        window->SetWindowSize(newWidth, newHeight);
    return true;
}

void TRechner::BNClicked0() {
    FuncInOut("0");
}
void TRechner::BNClicked1() {
    FuncInOut("1");
}
void TRechner::BNClicked2() {
    FuncInOut("2");
}
void TRechner::BNClicked3() {
    FuncInOut("3");
}
void TRechner::BNClicked4() {
    FuncInOut("4");
}
void TRechner::BNClicked5() {
    FuncInOut("5");
}
void TRechner::BNClicked6() {
    FuncInOut("6");
}
void TRechner::BNClicked7() {
    FuncInOut("7");
}
void TRechner::BNClicked8() {
    FuncInOut("8");
}
void TRechner::BNClicked9() {
    FuncInOut("9");
}
void TRechner::BNClicked00() {
    FuncInOut("00");
}
void TRechner::BNClickedPoint() {
    FuncInOut(".");
}
void TRechner::BNClickedhA() {
    FuncInOut("hA");
}
void TRechner::BNClickedhB() {
    FuncInOut("hB");
}
void TRechner::BNClickedhC() {
    FuncInOut("hC");
}
void TRechner::BNClickedhD() {
    FuncInOut("hD");
}
void TRechner::BNClickedhE() {
    FuncInOut("hE");
}
void TRechner::BNClickedhF() {
    FuncInOut("hF");
}
void TRechner::BNClickedx() {
    FuncInOut("x");
}
void TRechner::BNClickedy() {
    FuncInOut("y");
}
void TRechner::BNClickedz() {
    FuncInOut("z");
}
void TRechner::BNClickedu() {
    FuncInOut("u");
}
void TRechner::BNClickedv() {
    FuncInOut("v");
}
void TRechner::BNClickedw() {
    FuncInOut("w");
}
void TRechner::BNClickedadd() {
    FuncInOut("+");
    FlashButton(255);
}
void TRechner::BNClickedsub() {
    FuncInOut("-");
    FlashButton(256);
}
void TRechner::BNClickedmult() {
    FuncInOut("*");
}
void TRechner::BNClickeddiv() {
    FuncInOut("/");
}
void TRechner::BNClickedresult() {
    // "=" belongs to the open pad; first the task goes into the working settings file.
    if (!PadOpen) return;
    if (Trans && *Trans->IniDatei) SetzeDaten(Trans->IniDatei);
    FuncInOut("=");
    FlashButton(257);
}
void TRechner::BNClickedC() {
    FuncInOut("C");
}
void TRechner::BNClickedAC() {
    FuncInOut("AC");
}
void TRechner::BNClickedsin() {
    FuncInOut("sin");
}
void TRechner::BNClickedcos() {
    FuncInOut("cos");
}
void TRechner::BNClickedtan() {
    FuncInOut("tan");
}
void TRechner::BNClickedcot() {
    FuncInOut("cot");
}
void TRechner::BNClickedasin() {
    FuncInOut("asin");
}
void TRechner::BNClickedacos() {
    FuncInOut("acos");
}
void TRechner::BNClickedatan() {
    FuncInOut("atan");
}
void TRechner::BNClickedacot() {
    FuncInOut("acot");
}
void TRechner::BNClickedsinh() {
    FuncInOut("sinh");
}
void TRechner::BNClickedcosh() {
    FuncInOut("cosh");
}
void TRechner::BNClickedtanh() {
    FuncInOut("tanh");
}
void TRechner::BNClickedcoth() {
    FuncInOut("coth");
}
void TRechner::BNClickedarsinh() {
    FuncInOut("arsinh");
}
void TRechner::BNClickedarcosh() {
    FuncInOut("arcosh");
}
void TRechner::BNClickedartanh() {
    FuncInOut("artanh");
}
void TRechner::BNClickedarcoth() {
    FuncInOut("arcoth");
}
void TRechner::BNClickedexp() {
    FuncInOut("exp");
}
void TRechner::BNClickedlg() {
    FuncInOut("lg");
}
void TRechner::BNClickedln() {
    FuncInOut("ln");
}
void TRechner::BNClickedMin() {
    FuncInOut("Min");
}
void TRechner::BNClickedMr() {
    FuncInOut("Mr");
}
void TRechner::BNClickedMadd() {
    FuncInOut("M+");
}
void TRechner::BNClickedMsub() {
    FuncInOut("M-");
}
void TRechner::BNClickedMC() {
    FuncInOut("MC");
}
void TRechner::BNClickedpercent() {
    FuncInOut("%");
}
void TRechner::BNClickedoBra() {
    FuncInOut("(");
}
void TRechner::BNClickedcBra() {
    FuncInOut(")");
}
void TRechner::BNClickedocBra() {
    FuncInOut("()");
}
void TRechner::BNClickedp_m() {
    FuncInOut("+/-");
}
void TRechner::BNClickedfacc() {
    FuncInOut("!");
}
void TRechner::BNClickedcupm() {
    FuncInOut("^");
}
void TRechner::BNClicked1divc() {
    FuncInOut("1/");
}
void TRechner::BNClickedcup2() {
    FuncInOut("sqr");
}
void TRechner::BNClickedcup12() {
    FuncInOut("sqrt");
}
void TRechner::BNClickedcup13() {
    FuncInOut("^(1/3)");
}
void TRechner::BNClicked10upc() {
    FuncInOut("10^");
}
void TRechner::BNClickedrand() {
    FuncInOut("rand");
}
void TRechner::BNClickedpi() {
    FuncInOut("pi");
}
void TRechner::BNClickede() {
    FuncInOut("e");
}
