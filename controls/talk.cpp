#include "talk.h"

#include "dc.h"

#include <cstring>
#include <string>

namespace {

// Copies `text` into `buffer` of `size` characters (the zero included), cut to fit.
void CopyCut(char* buffer, size_t size, const char* text) {
    if (!text) text = "";
    size_t n = std::strlen(text);
    if (n >= size) n = size - 1;
    std::memcpy(buffer, text, n);
    buffer[n] = 0;
}

// The lower-case form of a Windows-1252 letter.
unsigned char Fold(unsigned char c) {
    if (c >= 'A' && c <= 'Z') return static_cast<unsigned char>(c + 32);
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return static_cast<unsigned char>(c + 32);
    switch (c) {
    case 0x8A: // Š
    case 0x8C: // Œ
    case 0x8E: // Ž
        return static_cast<unsigned char>(c + 16);
    case 0x9F: // Ÿ
        return 0xFF;
    default:
        return c;
    }
}

// Step one of showing an info text: the info field `infoId` of the control's parent, read with
// at most `readChars` characters, gets `text` unless it shows that text already.
void ShowInField(const TWindow& control, int infoId, const char* text, int readChars) {
    TWindow* parent = control.Parent;
    if (!parent) return;
    std::string shown(size_t(readChars) + 1, '\0');
    if (!parent->GetDlgItem(infoId)) return;
    parent->GetDlgItemText(infoId, shown.data(), readChars + 1);
    if (CompareNoCase(shown.c_str(), text) != 0) parent->SetDlgItemText(infoId, text);
}

// Step two: the status bar, compared with what it shows (cut to 150 characters).
void ShowInBar(TExtStatusBar* bar, const char* text) {
    if (!bar) return;
    char shown[200];
    bar->HoleText(shown);
    shown[150] = 0;
    if (CompareNoCase(shown, text) != 0) bar->SetHintText(text);
}

} // namespace

int CompareNoCase(const char* a, const char* b) {
    const auto* x = reinterpret_cast<const unsigned char*>(a ? a : "");
    const auto* y = reinterpret_cast<const unsigned char*>(b ? b : "");
    for (;; ++x, ++y) {
        const int d = int(Fold(*x)) - int(Fold(*y));
        if (d != 0 || *x == 0) return d;
    }
}

// ---- TExtStatusBar --------------------------------------------------------------------------

TExtStatusBar::TExtStatusBar(TWindow* parent, TBorderStyle style, unsigned modeIndicators,
                             TFont* font, TModule* module)
    : TStatusBar(parent, style, modeIndicators, font, module) {}

char* TExtStatusBar::HoleText(char* buffer) {
    CopyCut(buffer, 200, GetHintText().c_str());
    return buffer;
}

// ---- TTalkControl ---------------------------------------------------------------------------

TTalkControl::TTalkControl(TWindow* parent, int id, int infoId, const char* infoText,
                           TModule* module)
    : TControl(parent, id, module), InfoId(infoId) {
    CopyCut(InfoText, sizeof InfoText, infoText);
}

void TTalkControl::SetInfo() {
    if (InfoId != 0) ShowInField(*this, InfoId, InfoText, 250);
    ShowInBar(StatusBar, InfoText);
}

void TTalkControl::SetInfo(const char* text) {
    if (text && *text) CopyCut(InfoText, sizeof InfoText, text);
    SetInfo();
}

bool TTalkControl::EvSetCursor(HWND hWndCursor, unsigned hitTest, unsigned mouseMsg) {
    bool set = TControl::EvSetCursor(hWndCursor, hitTest, mouseMsg);
    SetInfo();
    return set;
}

unsigned TTalkControl::EvNCHitTest(const TPoint& screenPoint) {
    unsigned hit = TControl::EvNCHitTest(screenPoint);
    SetInfo();
    return hit;
}

// ---- TTalkEdit ------------------------------------------------------------------------------

TTalkEdit::TTalkEdit(TWindow* parent, int id, int colorIndex, int infoId, const char* infoText,
                     const char* fillText, unsigned textLimit, TModule* module)
    : TEdit(parent, id, textLimit, module), InfoId(infoId), ColorIndex(colorIndex) {
    CopyCut(InfoText, sizeof InfoText, infoText);
    CopyCut(FillText, sizeof FillText, fillText);
}

TTalkEdit::TTalkEdit(TWindow* parent, int id, int colorIndex, TExtStatusBar* bar,
                     const char* infoText, const char* fillText, unsigned textLimit,
                     TModule* module)
    : TEdit(parent, id, textLimit, module), InfoId(0), ColorIndex(colorIndex), StatusBar(bar) {
    CopyCut(InfoText, 101, infoText);
    CopyCut(FillText, sizeof FillText, fillText);
}

void TTalkEdit::SetInfo() {
    if (InfoId != 0)
        ShowInField(*this, InfoId, InfoText, 100);
    else if (StatusBar)
        StatusBar->SetHintText(InfoText);
}

void TTalkEdit::SetColor(TDC& dc) {
    switch (ColorIndex) {
    case 0:
        dc.SelectObject(TPen(TColor(0, 0, 128)));
        break;
    case 1:
        dc.SelectObject(TPen(TColor(128, 0, 0)));
        break;
    case 2:
        dc.SelectObject(TPen(TColor(0, 128, 0)));
        break;
    default:
        break;
    }
}

bool TTalkEdit::EvSetCursor(HWND hWndCursor, unsigned hitTest, unsigned mouseMsg) {
    bool set = TEdit::EvSetCursor(hWndCursor, hitTest, mouseMsg);
    SetInfo();
    return set;
}

void TTalkEdit::EvSetFocus(HWND hWndLostFocus) {
    TEdit::EvSetFocus(hWndLostFocus);
    SetInfo();
}

void TTalkEdit::EvKillFocus(HWND hWndGetFocus) {
    TEdit::EvKillFocus(hWndGetFocus);
    char text[3];
    GetWindowText(text, sizeof text);
    if (text[0] == 0) SetWindowText(FillText);
}

void TTalkEdit::EvPaint() {
    TEdit::EvPaint();
    TPaintDC dc(*this);
    const TRect r = GetClientRect();
    SetColor(dc);
    // Only the outline: the edit's text stays readable inside the frame.
    dc.SelectObject(TBrush::Null());
    dc.Rectangle(r.left, r.top, r.right - 1, r.bottom - 1);
}

// ---- TTalkButton ----------------------------------------------------------------------------

TTalkButton::TTalkButton(TWindow* parent, int id, int infoId, const char* infoText,
                         const char* altCaption, const char* altInfoText, TModule* module)
    : TButton(parent, id, module), InfoId(infoId) {
    CopyCut(InfoText, sizeof InfoText, infoText);
    CopyCut(AltCaption, sizeof AltCaption, altCaption);
    CopyCut(AltInfoText, sizeof AltInfoText, altInfoText);
}

const char* TTalkButton::CurrentInfoText() const {
    char caption[301];
    GetWindowText(caption, sizeof caption);
    // Without an alternative caption the button has only its one text (a colour swatch has no
    // caption at all and must not match an empty alternative).
    if (AltCaption[0] == 0) return InfoText;
    return CompareNoCase(caption, AltCaption) == 0 ? AltInfoText : InfoText;
}

void TTalkButton::SetInfo() {
    const char* text = CurrentInfoText();
    if (InfoId != 0) ShowInField(*this, InfoId, text, 300);
    ShowInBar(StatusBar, text);
}

bool TTalkButton::EvSetCursor(HWND hWndCursor, unsigned hitTest, unsigned mouseMsg) {
    bool set = TButton::EvSetCursor(hWndCursor, hitTest, mouseMsg);
    SetInfo();
    return set;
}

void TTalkButton::EvSetFocus(HWND hWndLostFocus) {
    TButton::EvSetFocus(hWndLostFocus);
    SetInfo();
}

// ---- TTalkButtonP ---------------------------------------------------------------------------

namespace {
struct TScheme {
    TColor light, face, dark;
};
const TScheme kSchemes[3] = {
    {TColor(166, 202, 240), TColor(0, 0, 255), TColor(0, 0, 128)},
    {TColor(255, 0, 128), TColor(255, 0, 0), TColor(128, 0, 0)},
    {TColor(0, 255, 128), TColor(0, 255, 0), TColor(0, 128, 0)},
};
} // namespace

TTalkButtonP::TTalkButtonP(TWindow* parent, int id, int schemeIndex, int infoId,
                           const char* infoText, const char* altCaption, const char* altInfoText,
                           TModule* module)
    : TTalkButton(parent, id, infoId, infoText, altCaption, altInfoText, module),
      SchemeIndex(schemeIndex) {}

void TTalkButtonP::SetColor1(TDC& dc) {
    if (SchemeIndex >= 0 && SchemeIndex < 3) dc.SelectObject(TPen(kSchemes[SchemeIndex].light));
}

void TTalkButtonP::SetColor2(TDC& dc) {
    if (SchemeIndex >= 0 && SchemeIndex < 3) dc.SelectObject(TPen(kSchemes[SchemeIndex].dark));
}

void TTalkButtonP::SetColor3(TDC& dc) {
    if (SchemeIndex >= 0 && SchemeIndex < 3) dc.SelectObject(TBrush(kSchemes[SchemeIndex].face));
}

void TTalkButtonP::PaintFace(TDC& dc) {
    const TRect r = GetClientRect();
    const int l = r.left, t = r.top, rr = r.right, b = r.bottom;
    SetColor3(dc);
    dc.Rectangle(l + 1, t + 1, rr - 2, b - 2);
    for (int in = 1; in <= 2; ++in) {
        SetColor1(dc);
        dc.MoveTo(l + in, t + in);
        dc.LineTo(rr - 1 - in, t + in);
        SetColor2(dc);
        dc.LineTo(rr - 1 - in, b - 1 - in);
        dc.LineTo(l + in, b - 1 - in);
        SetColor1(dc);
        dc.LineTo(l + in, t + in);
    }
}

void TTalkButtonP::EvPaint() {
    TTalkButton::EvPaint();
    TPaintDC dc(*this);
    PaintFace(dc);
}

void TTalkButtonP::EvLButtonDown(unsigned modKeys, const TPoint& point) {
    TTalkButton::EvLButtonDown(modKeys, point);
    // The pressed look of the platform would show through: paint the face again at once.
    UpdateWindow();
}

void TTalkButtonP::EvLButtonUp(unsigned modKeys, const TPoint& point) {
    TTalkButton::EvLButtonUp(modKeys, point);
    UpdateWindow();
}

// ---- TTalkComboBox --------------------------------------------------------------------------

TTalkComboBox::TTalkComboBox(TWindow* parent, int id, int infoId, const char* infoText,
                             unsigned textLimit, TModule* module)
    : TComboBox(parent, id, textLimit, module), InfoId(infoId) {
    CopyCut(InfoText, sizeof InfoText, infoText);
}

void TTalkComboBox::SetInfo() {
    if (InfoId != 0) ShowInField(*this, InfoId, InfoText, 200);
    ShowInBar(StatusBar, InfoText);
}

bool TTalkComboBox::EvSetCursor(HWND hWndCursor, unsigned hitTest, unsigned mouseMsg) {
    bool set = TComboBox::EvSetCursor(hWndCursor, hitTest, mouseMsg);
    SetInfo();
    return set;
}

void TTalkComboBox::EvSetFocus(HWND hWndLostFocus) {
    TComboBox::EvSetFocus(hWndLostFocus);
    SetInfo();
}

void TTalkComboBox::EvKillFocus(HWND hWndGetFocus) {
    TComboBox::EvKillFocus(hWndGetFocus);
    HideList();
}

void TTalkComboBox::EvMouseMove(unsigned modKeys, const TPoint& point) {
    TComboBox::EvMouseMove(modKeys, point);
    SetInfo();
    SetTimer(CloseTimerId, CloseDelay);
}

void TTalkComboBox::EvActivate(bool active) {
    TComboBox::EvActivate(active);
    HideList();
}

void TTalkComboBox::EvTimer(unsigned timerId) {
    TComboBox::EvTimer(timerId);
    if (timerId != CloseTimerId) return;
    // Once is enough: the next mouse move starts it again.
    KillTimer(CloseTimerId);
    HideList();
}

// ---- TTalkListBox, TTalkRadioButton ---------------------------------------------------------

TTalkListBox::TTalkListBox(TWindow* parent, int id, int infoId, const char* infoText,
                           TModule* module)
    : TListBox(parent, id, module), InfoId(infoId) {
    CopyCut(InfoText, sizeof InfoText, infoText);
}

void TTalkListBox::SetInfo() {
    ShowInField(*this, InfoId, InfoText, 100);
}

bool TTalkListBox::EvSetCursor(HWND hWndCursor, unsigned hitTest, unsigned mouseMsg) {
    bool set = TListBox::EvSetCursor(hWndCursor, hitTest, mouseMsg);
    SetInfo();
    return set;
}

void TTalkListBox::EvSetFocus(HWND hWndLostFocus) {
    TListBox::EvSetFocus(hWndLostFocus);
    SetInfo();
}

TTalkRadioButton::TTalkRadioButton(TWindow* parent, int id, int infoId, const char* infoText,
                                   TGroupBox* group, TModule* module)
    : TRadioButton(parent, id, group, module), InfoId(infoId) {
    CopyCut(InfoText, sizeof InfoText, infoText);
}

void TTalkRadioButton::SetInfo() {
    ShowInField(*this, InfoId, InfoText, 100);
}

bool TTalkRadioButton::EvSetCursor(HWND hWndCursor, unsigned hitTest, unsigned mouseMsg) {
    bool set = TRadioButton::EvSetCursor(hWndCursor, hitTest, mouseMsg);
    SetInfo();
    return set;
}

void TTalkRadioButton::EvSetFocus(HWND hWndLostFocus) {
    TRadioButton::EvSetFocus(hWndLostFocus);
    SetInfo();
}

// ---- TTalkStatic ----------------------------------------------------------------------------

TTalkStatic::TTalkStatic(TWindow* parent, int id, int infoId, const char* infoText,
                         unsigned textLimit, TModule* module)
    : TStatic(parent, id, textLimit, module), InfoId(infoId) {
    CopyCut(InfoText, sizeof InfoText, infoText);
}

void TTalkStatic::SetInfo() {
    if (InfoId != 0) ShowInField(*this, InfoId, InfoText, 200);
    ShowInBar(StatusBar, InfoText);
}

unsigned TTalkStatic::EvNCHitTest(const TPoint& screenPoint) {
    unsigned hit = TStatic::EvNCHitTest(screenPoint);
    SetInfo();
    return hit;
}
