#include "winapi.h"

#include "cp1252.h"
#include "dc.h"
#include "filesys.h"
#include "headless.h"
#include "helpwin.h"
#include "qtbridge.h"

#include <QApplication>
#include <QBuffer>
#include <QClipboard>
#include <QMessageBox>
#include <QMimeData>
#include <QPainter>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QStandardPaths>
#include <QStyle>
#include <QSvgGenerator>
#include <chrono>
#include <cstdlib>
#include <dlfcn.h>
#include <filesystem>
#include <strings.h>

namespace fs = std::filesystem;

int MessageBox(HWND owner, const char* text, const char* caption, unsigned type) {
    // Windows shows "Fehler" for a box without caption.
    const char* cap = caption ? caption : "Fehler";
    if (IsHeadless() || !qApp) return RecordMessage(cap, text, type);
    QWidget* parent = WidgetOf(owner);
    QMessageBox box(parent ? parent->window() : QApplication::activeWindow());
    box.setWindowTitle(QStr(cap));
    box.setText(WinLinesToQt(QStr(text)));
    switch (type & 0xF0) {
    case MB_ICONSTOP:
        box.setIcon(QMessageBox::Critical);
        break;
    case MB_ICONQUESTION:
        box.setIcon(QMessageBox::Question);
        break;
    case MB_ICONEXCLAMATION:
        box.setIcon(QMessageBox::Warning);
        break;
    case MB_ICONINFORMATION:
        box.setIcon(QMessageBox::Information);
        break;
    default:
        break;
    }
    struct Button {
        int id;
        const char* text;
        QMessageBox::ButtonRole role;
    };
    std::vector<Button> buttons;
    switch (type & 0xF) {
    case MB_OKCANCEL:
        buttons = {{IDOK, "OK", QMessageBox::AcceptRole},
                   {IDCANCEL, "Abbrechen", QMessageBox::RejectRole}};
        break;
    case MB_ABORTRETRYIGNORE:
        buttons = {{IDABORT, "Abbrechen", QMessageBox::RejectRole},
                   {IDRETRY, "Wiederholen", QMessageBox::AcceptRole},
                   {IDIGNORE, "Ignorieren", QMessageBox::AcceptRole}};
        break;
    case MB_YESNOCANCEL:
        buttons = {{IDYES, "Ja", QMessageBox::YesRole},
                   {IDNO, "Nein", QMessageBox::NoRole},
                   {IDCANCEL, "Abbrechen", QMessageBox::RejectRole}};
        break;
    case MB_YESNO:
        buttons = {{IDYES, "Ja", QMessageBox::YesRole}, {IDNO, "Nein", QMessageBox::NoRole}};
        break;
    case MB_RETRYCANCEL:
        buttons = {{IDRETRY, "Wiederholen", QMessageBox::AcceptRole},
                   {IDCANCEL, "Abbrechen", QMessageBox::RejectRole}};
        break;
    default:
        buttons = {{IDOK, "OK", QMessageBox::AcceptRole}};
    }
    std::vector<std::pair<QPushButton*, int>> made;
    for (const Button& b : buttons)
        made.emplace_back(box.addButton(QString::fromUtf8(b.text), b.role), b.id);
    size_t def = (type & MB_DEFBUTTON2) && made.size() > 1 ? 1 : 0;
    box.setDefaultButton(made[def].first);
    box.exec();
    for (auto& [button, id] : made)
        if (box.clickedButton() == button) return id;
    // Closed by the title bar: Windows answers with cancel where there is one.
    for (auto& [button, id] : made)
        if (id == IDCANCEL || id == IDNO) return id;
    return made.front().second;
}

bool TaskFileThere(HWND owner, const char* path, const char* caption) {
    if (path && FileExists(path)) return true;
    MessageBox(owner, MissingFileText(path).c_str(), caption, MB_OK | MB_ICONSTOP);
    return false;
}

unsigned long GetTickCount() {
    using namespace std::chrono;
    return (unsigned long)(uint32_t(
        duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count()));
}

void PumpWaitingMessages() {
    if (qApp) QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void SetCursor(TCursorKind cursor) {
    if (!qApp) return;
    if (cursor == IDC_WAIT) {
        if (QApplication::overrideCursor())
            QApplication::changeOverrideCursor(Qt::WaitCursor);
        else
            QApplication::setOverrideCursor(Qt::WaitCursor);
    } else {
        while (QApplication::overrideCursor()) QApplication::restoreOverrideCursor();
    }
}

std::string HelpPageForCommand(const char* cmdLine) {
    static const std::string prefix = "HH.EXE mk:@MSITStore:orvlhilf5.chm::html/";
    std::string cmd = cmdLine ? cmdLine : "";
    if (cmd.size() <= prefix.size() || strncasecmp(cmd.c_str(), prefix.c_str(), prefix.size()) != 0)
        return {};
    std::string page = cmd.substr(prefix.size());
    // Only a plain page name: nothing may lead out of the help folder.
    if (page.find('/') != std::string::npos || page.find('\\') != std::string::npos ||
        page.find("..") != std::string::npos)
        return {};
    return GetResourceDir() + "help/html/" + page;
}

unsigned WinExec(const char* cmdLine, int) {
    if (IsHeadless() || !qApp) {
        RecordRun(cmdLine);
        return 33;
    }
    std::string cmd = cmdLine ? cmdLine : "";
    std::string page = HelpPageForCommand(cmdLine);
    // The help opens in the program's own help window, so it works on every machine.
    if (!page.empty()) return ShowHelpPage(page) ? 33 : 2;
    if (IsHelpContentsCommand(cmdLine)) {
        ShowHelpContents();
        return 33;
    }
    if (strcasecmp(cmd.c_str(), "PRINTMAN.EXE") == 0) {
        for (const char* tool : {"system-config-printer", "gnome-control-center"}) {
            if (QStandardPaths::findExecutable(QString::fromUtf8(tool)).isEmpty()) continue;
            QStringList args;
            if (std::string(tool) == "gnome-control-center") args << QStringLiteral("printers");
            return QProcess::startDetached(QString::fromUtf8(tool), args) ? 33 : 2;
        }
        return 2;
    }
    // No other program is started from a command line of the system.
    return 2;
}

namespace {
std::string OwnLibraryDir() {
    Dl_info info{};
    if (dladdr(reinterpret_cast<void*>(&OwnLibraryDir), &info) && info.dli_fname)
        return fs::path(info.dli_fname).parent_path().string();
    return ".";
}
} // namespace

std::string LibraryPathFor(const char* dllName) {
    std::string stem = dllName ? dllName : "";
    if (auto dot = stem.rfind('.'); dot != std::string::npos) stem.resize(dot);
    for (char& c : stem)
        if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
    return OwnLibraryDir() + "/lib" + stem + ".so";
}

HINSTANCE LoadLibrary(const char* dllName) {
    std::string path = LibraryPathFor(dllName);
    void* h = dlopen(path.c_str(), RTLD_NOW);
    if (!h) h = dlopen(fs::path(path).filename().c_str(), RTLD_NOW);
    return static_cast<HINSTANCE>(h);
}

FARPROC GetProcAddress(HINSTANCE library, const char* name) {
    return library ? dlsym(library, name) : nullptr;
}

void FreeLibrary(HINSTANCE library) {
    if (library) dlclose(library);
}

int GetSystemMetrics(int index) {
    QScreen* screen = qApp ? QGuiApplication::primaryScreen() : nullptr;
    QRect geometry = screen ? screen->geometry() : QRect(0, 0, 1920, 1080);
    QStyle* style = qApp ? QApplication::style() : nullptr;
    switch (index) {
    case SM_CXSCREEN:
        return geometry.width();
    case SM_CYSCREEN:
        return geometry.height();
    case SM_CYCAPTION:
        return style ? style->pixelMetric(QStyle::PM_TitleBarHeight) : 23;
    case SM_CXBORDER:
    case SM_CYBORDER:
        return 1;
    case SM_CXFRAME:
    case SM_CYFRAME:
        return 4;
    default:
        return 0;
    }
}

std::string GetProgramDir() {
    fs::path dir;
    if (const char* home = std::getenv("ORVELIN_HOME"); home && *home)
        dir = home;
    else if (const char* data = std::getenv("XDG_DATA_HOME"); data && *data)
        dir = fs::path(data) / "orvelin";
    else
        dir = fs::path(std::getenv("HOME") ? std::getenv("HOME") : ".") / ".local/share/orvelin";
    std::error_code ec;
    fs::create_directories(dir, ec);
    // A path of the system; a folder whose name Windows-1252 cannot hold keeps "?" for those
    // characters, so that writing there fails instead of landing somewhere else.
    std::string s;
    if (!PathFromDisk(dir.string(), s)) s = Utf8ToCp1252(dir.string());
    if (s.empty() || s.back() != '/') s += '/';
    return s;
}

std::string GetResourceDir() {
    std::error_code ec;
    fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    fs::path dir = fs::weakly_canonical(exe.parent_path() / ".." / "share" / "orvelin", ec);
    std::string s = dir.string();
    if (s.empty() || s.back() != '/') s += '/';
    return s;
}

bool CopyTextToClipboard(const char* text) {
    if (!qApp || !text) return false;
    QGuiApplication::clipboard()->setText(QStr(text));
    return true;
}

std::string GetClipboardText() {
    if (!qApp) return {};
    return CpStr(QGuiApplication::clipboard()->text());
}

bool CopyPictureToClipboard(int widthPx, int heightPx, const std::function<void(TDC&)>& draw) {
    if (!qApp || widthPx <= 0 || heightPx <= 0) return false;
    TBitmap bitmap(widthPx, heightPx, TColor::White);
    if (!bitmap.IsOk()) return false;
    {
        TMemoryDC dc(bitmap);
        draw(dc);
    }
    QByteArray svg;
    {
        QBuffer buffer(&svg);
        QSvgGenerator generator;
        generator.setOutputDevice(&buffer);
        generator.setSize(QSize(widthPx, heightPx));
        generator.setViewBox(QRect(0, 0, widthPx, heightPx));
        QPainter painter(&generator);
        TPainterDC dc(painter);
        draw(dc);
    }
    auto* mime = new QMimeData;
    mime->setImageData(bitmap.impl_->image);
    mime->setData(QStringLiteral("image/svg+xml"), svg);
    QGuiApplication::clipboard()->setMimeData(mime);
    return true;
}
