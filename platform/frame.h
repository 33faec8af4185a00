// Frame windows: a top-level window around a client window (usually a module's dialog), with
// a menu bar and, for TDecoratedFrame, a status bar at the bottom.
#pragma once

#include "window.h"

#include <string>
#include <vector>

class TFont;

// The platform's status bar: a message area for hint texts. Derived status bars add to it.
class TStatusBar : public TWindow {
public:
    enum TBorderStyle { None, Plain, Raised, Recessed };
    enum TModeIndicator { CapsLock = 1, NumLock = 2, Overtype = 4 };
    TStatusBar(TWindow* parent = nullptr, TBorderStyle style = Recessed,
               unsigned modeIndicators = 0, TFont* font = nullptr, TModule* module = nullptr);
    ~TStatusBar() override;
    bool Create() override;
    // Shows `text` in the message area (null clears it).
    void SetHintText(const char* text);
    // The text of the message area, "" when none is shown.
    std::string GetHintText() const;

private:
    std::string hint_;
};

// One entry of a frame's menu bar: a popup title with its items (id 0 = separator).
struct TMenuItem {
    int id = 0;
    std::string text; // Windows-1252, "&" marks the access key
};
struct TMenuPopup {
    std::string title;
    std::vector<TMenuItem> items;
};

class TFrameWindow : public TWindow {
public:
    TFrameWindow(TWindow* parent, const char* title, TWindow* client = nullptr,
                 bool shrinkToClient = false, TModule* module = nullptr);
    ~TFrameWindow() override;
    bool Create() override;
    void Destroy(int retVal = 0) override;
    bool CanClose() override;
    // Menu commands arrive here as EvCommand(id, nullptr, 0) and go to the handler table, then
    // to the client window.
    void EvCommand(unsigned id, HWND hWndCtl, unsigned notifyCode) override;

    TWindow* GetClientWindow() const { return client_; }
    // Gives the frame its client before Create() (a client built with the frame as parent).
    void SetClientWindow(TWindow* client);
    void SetMenu(std::vector<TMenuPopup> menu);
    void EnableMenuItem(int id, bool enable);
    // Runs menu command `id` as a choice with the mouse would; false when there is no such
    // enabled item.
    bool ChooseMenuItem(int id);
    // Called when the client window closes itself (a dialog's "Beenden").
    void ClientClosed();

protected:
    TWindow* client_;
    bool shrinkToClient_;
    std::vector<TMenuPopup> menu_;
};

class TDecoratedFrame : public TFrameWindow {
public:
    enum TLocation { Top, Bottom };
    TDecoratedFrame(TWindow* parent, const char* title, TWindow* client,
                    bool trackMenuSelection = false, TModule* module = nullptr);
    // The frame takes the status bar (only Bottom is supported); it is owned by the frame.
    void Insert(TStatusBar& bar, TLocation where = Bottom);
    TStatusBar* GetStatusBar() const { return statusBar_; }
    bool Create() override;

private:
    TStatusBar* statusBar_ = nullptr;
};
