// The program's windows: the module chooser and the frame each module opens in, with the
// program's menu and a status bar.
#pragma once

#include <functional>
#include <string>

class TDecoratedFrame;
class TStatusBar;

// Makes the status bar of a module frame; the default is the layer's plain status bar. The
// controls library installs its own (TExtStatusBar) here.
using TStatusBarFactory = std::function<TStatusBar*(TDecoratedFrame* frame)>;
void SetStatusBarFactory(TStatusBarFactory factory);

// Installs the opener that `orvelin` and dialog scripts use: "chooser" and every module
// registered under its name (opened in a frame of its own).
void InstallHostWindows();

// Opens a window by name as OpenWindowByName does; `taskFile` is absolute or empty.
bool OpenHostWindow(const std::string& name, const std::string& taskFile, std::string& error);
