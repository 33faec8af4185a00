// The program's application object and what concerns all windows: the main loop, the dialog
// keyboard filter, the order of the top-level windows.
#pragma once

#include "window.h"

#include <functional>
#include <string>

class TApplication {
public:
    // Starts the window system (argc/argv as given to main); one per program.
    TApplication(int& argc, char** argv, const char* name = "Orvelin");
    virtual ~TApplication();
    TApplication(const TApplication&) = delete;
    TApplication& operator=(const TApplication&) = delete;
    // Runs the message loop until the last window closes; returns the exit code.
    int Run();
    static TApplication* Current();

private:
    struct TImpl;
    std::unique_ptr<TImpl> impl_;
};

// Loads Qt's German texts for its own dialogs (file and printer dialogs); called by the
// application object. False when the translation is not installed.
bool LoadGermanQtTranslation();

// True when a window system can be reached: a display, a Wayland display, or a platform
// chosen through QT_QPA_PLATFORM.
bool HasDisplay();

// The keyboard filter of the suite's dialogs: F1 in a dialog presses the control 302 ("&Hilfe")
// of the active window (or of its first child window that has one). Installed by the script
// runner and the program; installing twice is harmless.
void InstallDialogKeyFilter();
void RemoveDialogKeyFilter();

// The active (topmost) window of the program: the open modal dialog, else the top-level window
// shown or activated last. Null when none is open.
TWindow* GetActiveTopWindow();

// Called each time a modal dialog is about to enter its message loop, and when it left it.
void SetModalLoopHook(std::function<void(bool entering)> hook);
