#include "mainframe.h"

#include "filesys.h"
#include "privateprofile.h"
#include "qtbridge.h"
#include "settings.h"
#include "winapi.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <string>
#include <unistd.h>

namespace {

const char kPlacement[] = "Bildkoordinaten";

// Hit-test codes of the sizing border.
enum : unsigned { HTLEFT = 10, HTBOTTOMRIGHT = 17 };

// A number of the settings file (up to `maxChars` characters); missing or unreadable gives 0,
// and numbers beyond the range of int are held at its ends.
long long ReadNumber(const char* section, const char* key, const char* def, unsigned maxChars,
                     const char* file) {
    char text[64] = {};
    GetPrivateProfileString(section, key, def, text, std::min<unsigned>(maxChars + 1, sizeof text),
                            file);
    errno = 0;
    long long v = std::strtoll(text, nullptr, 10);
    return std::clamp<long long>(v, INT_MIN, INT_MAX);
}

bool WriteNumber(const char* section, const char* key, long long value, const char* file) {
    const std::string text = std::to_string(value);
    return CorrWritePrivateProfileString(section, key, text.c_str(), file);
}

// Adds `delta` to the open-frame counter, never below 0.
void ChangeCounter(const char* file, int delta) {
    long long n = ReadNumber("Programm", "Zähler", "0", 45, file);
    WriteNumber("Programm", "Zähler", std::max(0LL, n + delta), file);
}

void CopyCut(char* buffer, size_t size, const char* text) {
    if (!text) text = "";
    size_t n = std::min(std::strlen(text), size - 1);
    std::memcpy(buffer, text, n);
    buffer[n] = 0;
}

} // namespace

TScreenMetrics TScreenMetrics::Current() {
    TScreenMetrics m;
    m.screenCx = GetSystemMetrics(SM_CXSCREEN);
    m.screenCy = GetSystemMetrics(SM_CYSCREEN);
    m.captionCy = GetSystemMetrics(SM_CYCAPTION);
    m.borderCy = GetSystemMetrics(SM_CYBORDER);
    return m;
}

TRect CalcFramePlacement(const char* iniPath, const TScreenMetrics& m) {
    const bool high = m.HighCaption();
    long long x = ReadNumber(kPlacement, high ? "lx" : "x", "", 10, iniPath);
    long long y = ReadNumber(kPlacement, high ? "ly" : "y", "", 10, iniPath);
    long long cx = ReadNumber(kPlacement, high ? "lcx" : "cx", "", 10, iniPath);
    long long cy = ReadNumber(kPlacement, high ? "lcy" : "cy", "", 10, iniPath);
    x = std::max(0LL, x);
    y = std::max(0LL, y);
    // A negative size cannot be a window's.
    cx = std::max(0LL, cx);
    cy = std::max(0LL, cy);
    const long long cap = m.captionCy;
    if (ReadNumber("Programm", "Zähler", "0", 45, iniPath) > 0) {
        // Another frame is open: this one goes one caption lower and further right.
        if (x + cx > m.screenCx - cap || y + cy > m.screenCy - cap) x = y = 0;
        x += cap;
        y += cap;
    }
    if (x + cx > m.screenCx - 25) x = m.screenCx / 5;
    if (y + cy > m.screenCy - 25) y = m.screenCy / 5;
    return TRect(int(x), int(y), int(std::min(x + cx, (long long)INT_MAX)),
                 int(std::min(y + cy, (long long)INT_MAX)));
}

bool StoreFramePlacement(const char* iniPath, const TRect& r, bool minimized, bool maximized,
                         const TScreenMetrics& m) {
    // All keys in memory, then one replacement of the file (none when nothing moved): the frame
    // stores itself at every move and size change.
    TPrivateProfile prof;
    if (!prof.Load(iniPath)) return false;
    auto write = [&prof](const char* key, long long value) {
        return prof.WriteString(kPlacement, key, std::to_string(value).c_str());
    };
    bool ok = true;
    if (!minimized && !maximized) {
        const bool high = m.captionCy - m.borderCy >= 20;
        ok = write(high ? "lx" : "x", r.left) && write(high ? "ly" : "y", r.top) &&
             write(high ? "lcx" : "cx", r.Width()) && write(high ? "lcy" : "cy", r.Height());
    }
    ok = prof.WriteString(kPlacement, "Zoom", maximized ? "J" : "N") && ok;
    return prof.Save() && ok;
}

// ---- TMainFrame -----------------------------------------------------------------------------

TMainFrame::TMainFrame(const char* iniPath, TWindow* parent, const char* title, TWindow* client,
                       bool trackMenuSelection, bool fixedFrame, TModule* module)
    : TDecoratedFrame(parent, title, client, trackMenuSelection, module), FixedFrame(fixedFrame) {
    CopyCut(IniPath, sizeof IniPath, iniPath);
}

TMainFrame::~TMainFrame() {
    if (Counted) ChangeCounter(IniPath, -1);
}

bool TMainFrame::Create() {
    if (!TDecoratedFrame::Create()) return false;
    // Placed once more now that the window is shown and its border is known, so that the size
    // stored at every change is the size the frame was given, not that plus the border.
    if (Attr.W > 0 && Attr.H > 0) MoveWindow(Attr.X, Attr.Y, Attr.W, Attr.H);
    // A fixed frame keeps the size it opened with: the window system offers no sizing border.
    if (FixedFrame)
        if (QWidget* w = WidgetOf(this)) w->setFixedSize(w->size());
    return true;
}

void TMainFrame::SetupWindow() {
    TDecoratedFrame::SetupWindow();
    if (!Counted) {
        ChangeCounter(IniPath, +1);
        Counted = true;
    }
}

void TMainFrame::CleanupWindow() {
    TDecoratedFrame::CleanupWindow();
    // The window is gone: it no longer counts as open, even while its object lives on.
    if (Counted) {
        ChangeCounter(IniPath, -1);
        Counted = false;
    }
}

unsigned TMainFrame::EvNCHitTest(const TPoint& screenPoint) {
    unsigned hit = TDecoratedFrame::EvNCHitTest(screenPoint);
    if (FixedFrame && hit >= HTLEFT && hit <= HTBOTTOMRIGHT) return HTCLIENT;
    return hit;
}

void TMainFrame::EvActivate(bool active) {
    TDecoratedFrame::EvActivate(active);
}

void TMainFrame::EvSize(unsigned sizeType, const TSize& size) {
    TDecoratedFrame::EvSize(sizeType, size);
    AktualIni();
    if (!FixedFrame && client_ && client_->IsWindow()) client_->Invalidate();
}

void TMainFrame::EvMove(const TPoint& clientOrigin) {
    TDecoratedFrame::EvMove(clientOrigin);
    AktualIni();
}

void TMainFrame::AktualIni() {
    if (!IsWindow() || !IsWindowVisible()) return;
    StoreFramePlacement(IniPath, GetWindowRect(), IsIconic(), IsZoomed(),
                        TScreenMetrics::Current());
}

// ---- TMainApp -------------------------------------------------------------------------------

TMainApp::TMainApp(int& argc, char** argv, const char* name)
    : TApplication(argc, argv, name), Name(name ? name : "") {}

TMainApp::~TMainApp() {
    RemoveDialogKeyFilter();
}

char* TMainApp::GetTempDir(char* buffer, unsigned size) {
    const char* dir = std::getenv("TEMP");
    if (!dir || !*dir) dir = std::getenv("TMP");
    std::string s = dir && *dir ? dir : "/tmp/";
    if (s.back() != '/' && s.back() != '\\') s += '/';
    CopyCut(buffer, size, s.c_str());
    return buffer;
}

char* TMainApp::GetProgDir(char* buffer, unsigned size) {
    std::string s = CurrentDirectory();
    if (s.empty() || s.back() != '/') s += '/';
    CopyCut(buffer, size, s.c_str());
    return buffer;
}

char* TMainApp::GetIniPath(char* buffer, const char* IniIn, unsigned size) {
    char dir[4096];
    std::string s = std::string(GetProgDir(dir, sizeof dir)) + (IniIn ? IniIn : "");
    CopyCut(buffer, size, s.c_str());
    return buffer;
}

bool TMainApp::Is3d(const char* IniPathIn) {
    char v[11] = {};
    GetPrivateProfileString(kPlacement, "3d", "", v, sizeof v, IniPathIn);
    return v[0] == 'J';
}

void TMainApp::IniData(TMainFrame* frame, const char* IniPathIn) {
    if (!frame) return;
    const TRect r = CalcFramePlacement(IniPathIn, TScreenMetrics::Current());
    frame->Attr.X = r.left;
    frame->Attr.Y = r.top;
    frame->Attr.W = r.Width();
    frame->Attr.H = r.Height();
    if (frame->IsWindow() && r.Width() > 0 && r.Height() > 0) frame->MoveWindow(r);
}

void TMain3dApp::IniData(TMainFrame* frame, const char* IniPathIn) {
    TMainApp::IniData(frame, IniPathIn);
}

bool OrvlSearchPath(char* path) {
    // The installation's place for the program's files; asked twice, as a first look may meet
    // a folder that is just being made.
    for (int attempt = 0; attempt < 2; ++attempt) {
        const std::string dir = GetProgramDir();
        if (dir.size() < 300 && IsDirectory(dir.c_str())) {
            std::memcpy(path, dir.c_str(), dir.size() + 1);
            return true;
        }
    }
    return false;
}

void TMainApp::InitMainWindow(bool searchPath, const char* WhichIni, const char* WhichIniB) {
    if (searchPath) {
        char ini[300], value[11] = {};
        GetIniPath(ini, WhichIni, sizeof ini);
        GetPrivateProfileString("Programm", WhichIniB, "", value, sizeof value, ini);
        if (value[0] != 'J') {
            char dir[300];
            if (!OrvlSearchPath(dir) || chdir(dir) != 0) {
                ::MessageBox(nullptr,
                             "Pfade:\r Der Programmpfad konnte nicht ermittelt werden. Bitte "
                             "starten Sie das Programm über ein gültiges Symbol, bzw. über den "
                             "Explorer.",
                             Name.c_str(), MB_OK | MB_ICONSTOP);
                // Without its directory the program cannot work: that is a failure.
                std::exit(1);
            }
        }
    }
    InstallDialogKeyFilter();
}
