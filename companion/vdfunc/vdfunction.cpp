#include "vdfunction.h"

#include "winapi.h"
#include "window.h"

#include <utility>

namespace {

// Window messages are let through at most this often while a set-up runs.
constexpr unsigned long kPumpIntervalMs = 50;

std::function<bool()>& QuitQuery() {
    static std::function<bool()> query;
    return query;
}

} // namespace

vdFunction::vdFunction(const char* FunctionIn, int VarCount, const char* VarDescIn, int,
                       HWND OutputWindowIn, bool NeedErrorParsTextIn, bool NeedErrorSolveTextIn)
    : vdParser(FunctionIn, VarCount, VarDescIn, true, false, NeedErrorParsTextIn,
               NeedErrorSolveTextIn),
      OutputWindow(OutputWindowIn) {
    vdFuncTrace("vdFunction::vdFunction(char*, int, char*, int, HWND, bool, bool)");
    // Set up here, not in the base: only now do the overrides below run.
    SetupParser();
}

vdFunction::vdFunction(const char* FunctionIn, int BaseIn, int, HWND OutputWindowIn,
                       bool NeedErrorParsTextIn, bool NeedErrorSolveTextIn)
    : vdParser(FunctionIn, BaseIn, true, false, NeedErrorParsTextIn, NeedErrorSolveTextIn),
      OutputWindow(OutputWindowIn) {
    vdFuncTrace("vdFunction::vdFunction(char*, int, int, HWND, bool, bool)");
    SetupParser();
}

vdFunction::~vdFunction() {
    vdFuncTrace("vdFunction::~vdFunction()");
}

void vdFunction::SetOutputWindow(HWND OutputWindowIn) {
    vdFuncTrace("void vdFunction::SetOutputWindow(HWND)");
    OutputWindow = OutputWindowIn;
}

void vdFunction::SetupParser() {
    vdFuncTrace("void vdFunction::SetupParser()");
    if (SetupDone) return;
    QuitRequested = false;
    LastPump = GetTickCount() - kPumpIntervalMs; // the first question lets messages through
    vdParser::SetupParser();
}

void vdFunction::SetInfoWinText(char* InfoText) {
    if (OutputWindow && InfoText) SetWindowText(OutputWindow, InfoText);
}

bool vdFunction::ShouldIQuit() {
    const unsigned long now = GetTickCount();
    if (now - LastPump >= kPumpIntervalMs) {
        LastPump = now;
        PumpWaitingMessages();
    }
    if (QuitRequested) return true;
    const std::function<bool()>& query = QuitQuery();
    return query && query();
}

std::function<bool()> vdFunction::SetQuitQuery(std::function<bool()> query) {
    return std::exchange(QuitQuery(), std::move(query));
}
