// The free functions of the system: message boxes, the tick count, the message pump, cursors,
// program starts, run-time libraries by name, screen metrics, the clipboard picture and the
// suite's directories. In the headless test mode (headless.h) message boxes and program starts
// do not block: they are recorded and answered from a queue.
#pragma once

#include "wintypes.h"

#include <functional>
#include <string>

class TDC;

// `text` and `caption` in Windows-1252; "\r" (or "\r\n") breaks a line. Returns IDOK, IDYES, …
int MessageBox(HWND owner, const char* text, const char* caption, unsigned type);

// Whether the task file `path` is there to be loaded. When it is not, the user is told so, with
// the file's name (MissingFileText), in a message box titled `caption` over `owner`. A file that
// is there but holds no task is for the loader to report ("... kein lesbares Format.").
bool TaskFileThere(HWND owner, const char* path, const char* caption);

// Milliseconds since an arbitrary start, wrapping like the Windows counter.
unsigned long GetTickCount();

// Lets every pending window message through once (peek, remove, dispatch) and returns; the
// long computations call it inside their loops.
void PumpWaitingMessages();

// Cursors.
enum TCursorKind { IDC_ARROW = 0, IDC_WAIT = 1 };
void SetCursor(TCursorKind cursor);

// Starts a program as the system's command lines name them: the help viewer
// "HH.EXE mk:@MSITStore:orvlhilf5.chm::html/<page>.htm" opens the help page in the program's
// help window (the help file without a page: its contents), "PRINTMAN.EXE" the printer
// settings. Returns a value above 31 on success, else an
// error code (2: not found).
unsigned WinExec(const char* cmdLine, int cmdShow);
// The help page file a help command line names, or "" when it names none.
std::string HelpPageForCommand(const char* cmdLine);

// Run-time libraries by Windows name: "SYMBOLIC.DLL" is lib<name lower case>.so next to the
// program's libraries.
std::string LibraryPathFor(const char* dllName);
HINSTANCE LoadLibrary(const char* dllName);
FARPROC GetProcAddress(HINSTANCE library, const char* name);
void FreeLibrary(HINSTANCE library);

int GetSystemMetrics(int index);

// The writable program directory: $ORVELIN_HOME, else $XDG_DATA_HOME/orvelin/, else
// ~/.local/share/orvelin/; always ending in "/"; created when missing. A path of the system
// (Windows-1252, see filesys.h).
std::string GetProgramDir();
// Read-only data (pictures, help pages): <directory of the program>/../share/orvelin/, as the
// name on disk (only the layer and the picture loader open files there).
std::string GetResourceDir();

// Puts a picture on the clipboard: `draw` is called on a bitmap of `widthPx` × `heightPx`
// pixels (and once more for an SVG version). False when it could not be done.
// Puts a Windows-1252 text on the clipboard (as plain text); false when there is none.
bool CopyTextToClipboard(const char* text);
// The clipboard's plain text in Windows-1252 ("" when it holds none).
std::string GetClipboardText();

bool CopyPictureToClipboard(int widthPx, int heightPx, const std::function<void(TDC&)>& draw);
