// TWindow: the base of every window, dialog and control of the suite. A TWindow object is the
// program's view of one window; the window itself exists between Create() and Destroy(). Child
// window objects (controls) are owned by their parent object and deleted with it.
//
// Message handlers are virtual functions named after the Windows messages (EvPaint, EvTimer,
// EvSize, …); command handlers of controls are bound by control id in the constructor:
//     OnClicked(201, &TRechner::BNClickedBerechne);
//     OnNotify(1101, EN_SETFOCUS, &TRechner::ENSetFocusEDITCalculate);
// Texts crossing the layer are zero-terminated Windows-1252.
#pragma once

#include "wintypes.h"

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

class TDC;
class TModule;
struct TWindowImpl;

class TWindow {
public:
    // A plain child or top-level window (a frame's client, a drawing area).
    TWindow(TWindow* parent, const char* title = nullptr, TModule* module = nullptr);
    virtual ~TWindow();
    TWindow(const TWindow&) = delete;
    TWindow& operator=(const TWindow&) = delete;

    // Creates the window (and the windows of its child objects); false when it cannot.
    virtual bool Create();
    // Closes the window when CanClose() agrees; `retVal` ends a modal dialog.
    virtual void CloseWindow(int retVal = 0);
    // Closes the window without asking.
    virtual void Destroy(int retVal = 0);

    // Overridables.
    virtual void SetupWindow() {}
    virtual void CleanupWindow() {}
    virtual bool CanClose();
    virtual void EvCommand(unsigned id, HWND hWndCtl, unsigned notifyCode);
    virtual void EvPaint();
    virtual void Paint(TDC& dc, bool erase, TRect& rect);
    virtual void EvTimer(unsigned timerId);
    virtual void EvSize(unsigned sizeType, const TSize& size);
    virtual void EvMove(const TPoint& clientOrigin);
    virtual void EvSetFocus(HWND hWndLostFocus);
    virtual void EvKillFocus(HWND hWndGetFocus);
    // The mouse is over the window (the cursor query); true when the handler set a cursor.
    virtual bool EvSetCursor(HWND hWndCursor, unsigned hitTest, unsigned mouseMsg);
    virtual unsigned EvNCHitTest(const TPoint& screenPoint);
    virtual void EvMouseMove(unsigned modKeys, const TPoint& point);
    virtual void EvLButtonDown(unsigned modKeys, const TPoint& point);
    virtual void EvLButtonUp(unsigned modKeys, const TPoint& point);
    // The mouse wheel over the window: `zDelta` in eighths of a degree (120 per notch, positive
    // away from the user), `point` in client coordinates.
    virtual void EvMouseWheel(unsigned modKeys, int zDelta, const TPoint& point);
    // A character typed while the window has the focus (Windows-1252; not the control characters
    // of Tab, Enter, Esc or Backspace) that the control itself did not use. A window that does
    // not handle it calls TWindow::EvChar, and the character goes on to the parent window.
    virtual void EvChar(unsigned key, unsigned repeatCount, unsigned flags);
    virtual void EvActivate(bool active);
    // The title bar's close button or the system menu's close entry; asks CanClose().
    virtual void EvClose();

    // Handler tables.
    template <class D> void OnClicked(int id, void (D::*fn)()) { OnNotify(id, BN_CLICKED, fn); }
    template <class D> void OnNotify(int id, unsigned code, void (D::*fn)()) {
        AddHandler(id, code, [this, fn] { (static_cast<D*>(this)->*fn)(); });
    }
    void AddHandler(int id, unsigned code, std::function<void()> handler);
    // Runs the handler bound to (id, code); false when there is none.
    bool DispatchNotify(int id, unsigned code);
    // What a click on control `id` would send: EvCommand(id, control, BN_CLICKED).
    void SendCommand(int id, unsigned notifyCode = BN_CLICKED);

    // The window.
    HWND GetHandle() const;
    bool IsWindow() const { return GetHandle() != nullptr; }
    TWindow* GetParentO() const { return Parent; }
    TModule* GetModule() const { return Module; }
    int GetId() const { return Attr.Id; }
    void SetCaption(const char* title);
    int GetWindowText(char* out, int maxChars) const;
    int GetWindowTextLength() const;
    void SetWindowText(const char* text) { SetCaption(text); }
    std::string GetText() const; // the whole text, any length
    bool EnableWindow(bool enable);
    bool IsWindowEnabled() const;
    bool ShowWindow(int cmdShow);
    bool IsWindowVisible() const;
    void SetFocus();
    void Invalidate(bool erase = true);
    void InvalidateRect(const TRect& rect, bool erase = true);
    void UpdateWindow();
    TRect GetClientRect() const;
    TRect GetWindowRect() const; // screen coordinates, frame included
    void MoveWindow(int x, int y, int w, int h, bool repaint = true);
    void MoveWindow(const TRect& r, bool repaint = true) {
        MoveWindow(r.left, r.top, r.Width(), r.Height(), repaint);
    }
    void SetWindowSize(int w, int h); // size of the whole window, position kept
    void ScreenToClient(TPoint& p) const;
    void ClientToScreen(TPoint& p) const;
    bool IsIconic() const;
    bool IsZoomed() const;
    void BringWindowToTop();

    // Timers: EvTimer(id) every `ms` milliseconds until KillTimer(id).
    bool SetTimer(unsigned id, unsigned ms);
    bool KillTimer(unsigned id);

    // The close entry of the system menu (the title bar's close button); greyed, it does nothing.
    void EnableCloseEntry(bool enable);
    bool IsCloseEntryEnabled() const;

    // Child controls by id.
    HWND GetDlgItem(int id) const;
    TWindow* ChildWithId(int id) const;
    int GetDlgItemText(int id, char* out, int maxChars) const;
    void SetDlgItemText(int id, const char* text);
    unsigned IsDlgButtonChecked(int id) const;
    void CheckDlgButton(int id, unsigned state);
    void CheckRadioButton(int firstId, int lastId, int checkId);

    int MessageBox(const char* text, const char* caption = nullptr, unsigned type = MB_OK);

    // The layer deletes this object (soon after, from the main loop) once its window is
    // destroyed: for top-level windows that nobody else keeps.
    void SetDeleteOnClose(bool on);

    // Moves the object under another parent object (which then owns it).
    void SetParentObject(TWindow* newParent);
    const std::vector<TWindow*>& Children() const { return children_; }

    // The object of a handle, or null.
    static TWindow* FromHandle(HWND h);

    struct TAttr {
        int Id = 0;
        int X = 0, Y = 0, W = 0, H = 0; // pixels, for windows created in code
        uint32_t Style = 0;
    } Attr;
    TWindow* Parent;
    TModule* Module;
    std::string Title;

    std::unique_ptr<TWindowImpl> impl_; // the layer's side; not for module code

protected:
    // Windows created in code call this from Create() once their widget exists.
    void CreateChildren();

private:
    friend struct TWindowImpl;
    std::vector<TWindow*> children_;
    std::map<std::pair<int, unsigned>, std::function<void()>> handlers_;
};

// Text of the window `h` (a control); empty for a null handle.
int GetWindowText(HWND h, char* out, int maxChars);
void SetWindowText(HWND h, const char* text);
HWND GetFocus();
bool EnableWindow(HWND h, bool enable);
bool IsWindowEnabled(HWND h);
bool ShowWindow(HWND h, int cmdShow);
bool IsWindowVisible(HWND h);
void SetFocus(HWND h);
