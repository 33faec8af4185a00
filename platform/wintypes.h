// Plain types and constants of the window layer: points, sizes, rectangles, colours, opaque
// handles and the Windows-style numbers that module code is written against. No Qt here, so
// that every library of the suite may include it.
#pragma once

#include <cstdint>

struct HWND__;
typedef HWND__* HWND; // a window or control of the layer; null means none
struct HDC__;
typedef HDC__* HDC; // a drawing surface (really a TDC*)
struct HINSTANCE__;
typedef HINSTANCE__* HINSTANCE; // a run-time library loaded by name
typedef void* FARPROC;

struct TPoint {
    int x = 0, y = 0;
    constexpr TPoint() = default;
    constexpr TPoint(int x_, int y_) : x(x_), y(y_) {}
    friend constexpr bool operator==(const TPoint&, const TPoint&) = default;
    constexpr TPoint Offset(int dx, int dy) const { return TPoint(x + dx, y + dy); }
};

struct TSize {
    int cx = 0, cy = 0;
    constexpr TSize() = default;
    constexpr TSize(int cx_, int cy_) : cx(cx_), cy(cy_) {}
    friend constexpr bool operator==(const TSize&, const TSize&) = default;
};

// Right and bottom edges are exclusive, as on Windows.
struct TRect {
    int left = 0, top = 0, right = 0, bottom = 0;
    constexpr TRect() = default;
    constexpr TRect(int l, int t, int r, int b) : left(l), top(t), right(r), bottom(b) {}
    constexpr TRect(const TPoint& tl, const TSize& s)
        : left(tl.x), top(tl.y), right(tl.x + s.cx), bottom(tl.y + s.cy) {}
    friend constexpr bool operator==(const TRect&, const TRect&) = default;
    constexpr int Width() const { return right - left; }
    constexpr int Height() const { return bottom - top; }
    constexpr TSize Size() const { return TSize(Width(), Height()); }
    constexpr TPoint TopLeft() const { return TPoint(left, top); }
    constexpr TPoint BottomRight() const { return TPoint(right, bottom); }
    constexpr bool IsEmpty() const { return left >= right || top >= bottom; }
    constexpr bool Contains(const TPoint& p) const {
        return p.x >= left && p.x < right && p.y >= top && p.y < bottom;
    }
    constexpr bool Touches(const TRect& o) const {
        return left < o.right && o.left < right && top < o.bottom && o.top < bottom;
    }
    constexpr TRect& Offset(int dx, int dy) {
        left += dx, right += dx, top += dy, bottom += dy;
        return *this;
    }
    constexpr TRect& Inflate(int dx, int dy) {
        left -= dx, right += dx, top -= dy, bottom += dy;
        return *this;
    }
    // Swaps edges so that left <= right and top <= bottom.
    constexpr TRect Normalized() const {
        return TRect(left < right ? left : right, top < bottom ? top : bottom,
                     left < right ? right : left, top < bottom ? bottom : top);
    }
};

// An RGB colour as Windows stores it: 0x00BBGGRR.
class TColor {
public:
    constexpr TColor() = default;
    constexpr TColor(int r, int g, int b)
        : value_(uint32_t(r & 255) | uint32_t(g & 255) << 8 | uint32_t(b & 255) << 16) {}
    constexpr explicit TColor(uint32_t colorref) : value_(colorref) {}
    constexpr int Red() const { return int(value_ & 255); }
    constexpr int Green() const { return int(value_ >> 8 & 255); }
    constexpr int Blue() const { return int(value_ >> 16 & 255); }
    constexpr uint32_t GetValue() const { return value_; }
    friend constexpr bool operator==(const TColor&, const TColor&) = default;

    static const TColor Black, White, LtGray, Gray, LtRed, LtGreen, LtBlue, SysBtnFace, SysWindow;

private:
    uint32_t value_ = 0;
};
constexpr inline TColor RGB(int r, int g, int b) {
    return TColor(r, g, b);
}

typedef int TResId;

// Results of message boxes and dialogs; standard control ids.
enum : int { IDOK = 1, IDCANCEL = 2, IDABORT = 3, IDRETRY = 4, IDIGNORE = 5, IDYES = 6, IDNO = 7 };

// Message box types.
enum : unsigned {
    MB_OK = 0x0,
    MB_OKCANCEL = 0x1,
    MB_ABORTRETRYIGNORE = 0x2,
    MB_YESNOCANCEL = 0x3,
    MB_YESNO = 0x4,
    MB_RETRYCANCEL = 0x5,
    MB_ICONSTOP = 0x10,
    MB_ICONHAND = 0x10,
    MB_ICONERROR = 0x10,
    MB_ICONQUESTION = 0x20,
    MB_ICONEXCLAMATION = 0x30,
    MB_ICONWARNING = 0x30,
    MB_ICONINFORMATION = 0x40,
    MB_ICONASTERISK = 0x40,
    MB_DEFBUTTON2 = 0x100,
    MB_APPLMODAL = 0x0,
    MB_TASKMODAL = 0x2000,
};

// Notification codes that reach EvCommand and the handler tables.
enum : unsigned {
    BN_CLICKED = 0,
    EN_SETFOCUS = 0x100,
    EN_KILLFOCUS = 0x200,
    EN_CHANGE = 0x300,
    LBN_SELCHANGE = 1,
    LBN_DBLCLK = 2,
    CBN_SELCHANGE = 1,
    CBN_DBLCLK = 2,
    CBN_SETFOCUS = 3,
    CBN_KILLFOCUS = 4,
    CBN_EDITCHANGE = 5,
    BN_SETFOCUS = 6,
    BN_KILLFOCUS = 7,
    LBN_SETFOCUS = 4,
    LBN_KILLFOCUS = 5,
};

// ShowWindow commands.
enum : int { SW_HIDE = 0, SW_SHOWNORMAL = 1, SW_SHOW = 5, SW_SHOWMINIMIZED = 2, SW_MAXIMIZE = 3 };

// Check box states.
enum : unsigned { BF_UNCHECKED = 0, BF_CHECKED = 1, BF_GRAYED = 2 };

// EvSize types.
enum : unsigned { SIZE_RESTORED = 0, SIZE_MINIMIZED = 1, SIZE_MAXIMIZED = 2 };

// Hit-test results (EvNCHitTest).
enum : unsigned { HTCLIENT = 1, HTCAPTION = 2 };

// Mouse key states (EvMouseMove etc.).
enum : unsigned { MK_LBUTTON = 1, MK_RBUTTON = 2, MK_SHIFT = 4, MK_CONTROL = 8 };

// Virtual key codes of the keys the suite reacts to (accelerators and the dialog filter).
enum : int {
    VK_BACK = 0x08,
    VK_TAB = 0x09,
    VK_RETURN = 0x0D,
    VK_ESCAPE = 0x1B,
    VK_SPACE = 0x20,
    VK_LEFT = 0x25,
    VK_UP = 0x26,
    VK_RIGHT = 0x27,
    VK_DOWN = 0x28,
    VK_DELETE = 0x2E,
    VK_NUMPAD0 = 0x60, // VK_NUMPAD1 … VK_NUMPAD9 follow
    VK_MULTIPLY = 0x6A,
    VK_ADD = 0x6B,
    VK_SUBTRACT = 0x6D,
    VK_DECIMAL = 0x6E,
    VK_DIVIDE = 0x6F,
    VK_F1 = 0x70, // VK_F2 … VK_F12 follow
    VK_F8 = 0x77,
};

// System metrics.
enum : int {
    SM_CXSCREEN = 0,
    SM_CYSCREEN = 1,
    SM_CYCAPTION = 4,
    SM_CXBORDER = 5,
    SM_CYBORDER = 6,
    SM_CXFRAME = 32,
    SM_CYFRAME = 33,
};

// Commands of the system menu.
enum : unsigned { SC_SIZE = 0xF000, SC_CLOSE = 0xF060 };
enum : unsigned { MF_BYCOMMAND = 0, MF_ENABLED = 0, MF_GRAYED = 1, MF_DISABLED = 2 };

// Window and control styles of dialog templates. As in a resource script, the kind of a control
// brings its usual style; these bits add to it. A control starts visible unless it carries
// WS_NOTVISIBLE (a resource script's "NOT WS_VISIBLE").
enum : uint32_t {
    WS_NOTVISIBLE = 0x00000400, // template only
    WS_TABSTOP = 0x00010000,
    WS_GROUP = 0x00020000,
    WS_HSCROLL = 0x00100000,
    WS_VSCROLL = 0x00200000,
    WS_BORDER = 0x00800000,
    WS_DISABLED = 0x08000000,
    WS_VISIBLE = 0x10000000,
    ES_CENTER = 0x0001,
    ES_RIGHT = 0x0002,
    ES_MULTILINE = 0x0004,
    ES_PASSWORD = 0x0020,
    ES_AUTOVSCROLL = 0x0040,
    ES_AUTOHSCROLL = 0x0080,
    ES_READONLY = 0x0800,
    ES_WANTRETURN = 0x1000,
    SS_LEFT = 0x0000,
    SS_CENTER = 0x0001,
    SS_RIGHT = 0x0002,
    SS_NOPREFIX = 0x0080, // "&" is shown as it is, not as the access key
    SS_SUNKEN = 0x1000,
    BS_DEFPUSHBUTTON = 0x0001,
    LBS_SORT = 0x0002,
    LBS_NOTIFY = 0x0001,
    CBS_SIMPLE = 0x0001,
    CBS_DROPDOWN = 0x0002,
    CBS_DROPDOWNLIST = 0x0003,
    CBS_SORT = 0x0100,
};
