// vdFunction: the function object of the modules. A vdParser that is set up when its
// constructor returns and that shows the parser's progress texts in an output window (a static
// text or read-only edit of the calling dialog, or none).
//
// Long set-ups let pending window messages through (at most every 50 ms) and ask whether to
// stop: a window answers through the object's quit flag (for rebuilds of an existing object,
// SetNewFunction and SetBaseTo) or through the library-wide quit query (for the set-up inside
// the constructor, before the caller holds the object). A stop ends the set-up with error 11
// "Abbruch durch den Anwender.".
//
// No Qt here: the window side goes through the window layer inside vdfunction.cpp.
#pragma once

#include "vdparser.h"

#include <functional>

#define VDFUNC_EXPORT __attribute__((visibility("default")))

// The trace hook, called on entry of every exported function of this library.
inline void vdFuncTrace(const char* signature) {
    if (GetDebugvdDLL()) vdDebugFuncion(0, nullptr, false, signature, "", "", "");
}

// Final: the parser's destructor is not virtual, so nothing may derive further and be deleted
// through a vdFunction pointer.
class VDFUNC_EXPORT vdFunction final : public vdParser {
public:
    // A function of VarCount variables named by VarDescIn ("xyzuvw", or names separated by
    // spaces). The int is a reserved kind (1 at every call site). The two flags compose the
    // German messages of set-up and evaluation errors (GetErrorTypeText).
    vdFunction(const char* FunctionIn, int VarCount, const char* VarDescIn, int Kind,
               HWND OutputWindow, bool NeedErrorParsText, bool NeedErrorSolveText);
    // A value without variables whose numbers are read in Base (2, 8, 10, 16).
    vdFunction(const char* FunctionIn, int Base, int Kind, HWND OutputWindow,
               bool NeedErrorParsText, bool NeedErrorSolveText);
    ~vdFunction();

    // The window that shows the progress texts; 0 for none.
    void SetOutputWindow(HWND OutputWindow);
    HWND GetOutputWindow() const { return OutputWindow; }

    // Set-up with a fresh quit flag.
    void SetupParser() override;
    // Shows InfoText in the output window (when there is one).
    void SetInfoWinText(char* InfoText) override;
    // Lets window messages through, then: the quit flag, else the library-wide query.
    bool ShouldIQuit() override;

    // The quit flag of this object: a window's cancel button sets it while a rebuild runs.
    // Every set-up starts with the flag cleared.
    void SetQuit(bool quit) { QuitRequested = quit; }
    bool GetQuit() const { return QuitRequested; }

    // The library-wide quit query, asked by every function object while it sets up (also
    // inside its constructor). A window installs it while it builds a function object and
    // removes it (an empty query) afterwards. Returns the query it replaces.
    static std::function<bool()> SetQuitQuery(std::function<bool()> query);

private:
    HWND OutputWindow = nullptr;
    bool QuitRequested = false;
    unsigned long LastPump = 0;
};
