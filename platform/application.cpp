#include "application.h"

#include "dialog.h"
#include "qtbridge.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QKeyEvent>
#include <QLabel>
#include <QLibraryInfo>
#include <QStandardPaths>
#include <QTemporaryFile>
#include <QTranslator>
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

std::vector<QPointer<QWidget>>& TopOrder() {
    static std::vector<QPointer<QWidget>> order;
    return order;
}

std::function<void(bool)>& ModalHook() {
    static std::function<void(bool)> hook;
    return hook;
}

bool g_f1Filter = false;

// The Windows key code of a key event, or 0.
int VirtualKeyOf(const QKeyEvent* e) {
    const int k = e->key();
    const bool keypad = e->modifiers() & Qt::KeypadModifier;
    if (keypad && k >= Qt::Key_0 && k <= Qt::Key_9) return VK_NUMPAD0 + (k - Qt::Key_0);
    if (keypad) {
        switch (k) {
        case Qt::Key_Plus:
            return VK_ADD;
        case Qt::Key_Minus:
            return VK_SUBTRACT;
        case Qt::Key_Asterisk:
            return VK_MULTIPLY;
        case Qt::Key_Slash:
            return VK_DIVIDE;
        case Qt::Key_Period:
        case Qt::Key_Comma:
            return VK_DECIMAL;
        case Qt::Key_Enter:
            return VK_RETURN;
        default:
            break;
        }
    }
    if (k >= Qt::Key_F1 && k <= Qt::Key_F12) return VK_F1 + (k - Qt::Key_F1);
    switch (k) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return VK_RETURN;
    case Qt::Key_Escape:
        return VK_ESCAPE;
    case Qt::Key_Tab:
        return VK_TAB;
    default:
        return 0;
    }
}

// Presses control 302 of the active window, or of its first child window that has one.
bool PressHelpButton(QWidget* activeTop) {
    QWidget* help = FindControl(activeTop, 302);
    if (!help) {
        for (QWidget* child : activeTop->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            if ((help = FindControl(child, 302))) break;
        }
    }
    auto* button = qobject_cast<QAbstractButton*>(help);
    if (!button || !button->isEnabled() || !button->isVisible()) return false;
    button->click();
    return true;
}

// An access key ("&Beenden", a static's "&x") works only where the keyboard reaches its
// control, and a static's key only where it reaches the control the key moves to.
bool ShortcutReachable(QWidget* w) {
    if (!IsReachable(w)) return false;
    if (auto* label = qobject_cast<QLabel*>(w); label && label->buddy())
        return IsReachable(label->buddy()) && label->buddy()->isEnabled();
    return true;
}

class TLayerFilter : public QObject {
public:
    bool eventFilter(QObject* obj, QEvent* e) override {
        auto* w = qobject_cast<QWidget*>(obj);
        if (!w) return false;
        switch (e->type()) {
        case QEvent::Show:
        case QEvent::WindowActivate:
            if (w->isWindow() && WindowOf(w)) NoteTopLevelShown(w);
            if (e->type() == QEvent::WindowActivate)
                if (TWindow* o = WindowOf(w); o && w->isWindow()) o->EvActivate(true);
            return false;
        case QEvent::WindowDeactivate:
            if (TWindow* o = WindowOf(w); o && w->isWindow()) o->EvActivate(false);
            return false;
        case QEvent::KeyPress:
            if (KeyPress(w, static_cast<QKeyEvent*>(e))) return true;
            // A control the keyboard cannot reach (it kept the focus while the window shrank)
            // takes no key; the window's accelerators still work.
            return !w->isWindow() && w->hasFocus() && !IsReachable(w);
        case QEvent::Shortcut:
            return !ShortcutReachable(w);
        default:
            return false;
        }
    }

private:
    bool KeyPress(QWidget* w, QKeyEvent* e) {
        // Qt offers an ignored key to each parent in turn; a matching key is consumed at once,
        // so it never counts twice.
        int vk = VirtualKeyOf(e);
        if (!vk) return false;
        for (QWidget* p = w; p; p = p->parentWidget()) {
            if (auto* dlg = dynamic_cast<TDialog*>(WindowOf(p))) {
                if (int id = dlg->FindAccelerator(vk)) {
                    dlg->SendCommand(id);
                    return true;
                }
            }
            if (p->isWindow()) break;
        }
        if (vk == VK_F1 && g_f1Filter) {
            QWidget* top = w->window();
            if (qobject_cast<QDialog*>(top) || FindControl(top, 302)) return PressHelpButton(top);
        }
        return false;
    }
};

TApplication* g_app = nullptr;

// The offscreen screen is as large as a common desktop, so that windows placed for one fit.
void ConfigureOffscreenScreen() {
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    if (!platform || std::strcmp(platform, "offscreen") != 0) return;
    static QByteArray path;
    QString file = QDir::temp().filePath(
        QStringLiteral("orvelin-screen-%1.json").arg(QString::number(qint64(::getpid()))));
    QFile f(file);
    if (!f.open(QIODevice::WriteOnly)) return;
    f.write(R"({"screens":[{"name":"Orvelin","x":0,"y":0,"width":1920,"height":1080,)"
            R"("logicalDpi":96,"logicalBaseDpi":96,"dpr":1}]})");
    f.close();
    path = "offscreen:configfile=" + QFile::encodeName(file);
    setenv("QT_QPA_PLATFORM", path.constData(), 1);
}

} // namespace

void NoteTopLevelShown(QWidget* w) {
    auto& order = TopOrder();
    std::erase_if(order, [w](const QPointer<QWidget>& p) { return !p || p == w; });
    order.push_back(w);
}

void EnsureAppFilter() {
    static TLayerFilter* filter = nullptr;
    if (filter || !qApp) return;
    filter = new TLayerFilter;
    filter->setParent(qApp);
    qApp->installEventFilter(filter);
}

void InstallDialogKeyFilter() {
    EnsureAppFilter();
    g_f1Filter = true;
}

void RemoveDialogKeyFilter() {
    g_f1Filter = false;
}
bool DialogKeyFilterOn() {
    return g_f1Filter;
}

TWindow* GetActiveTopWindow() {
    if (QWidget* modal = QApplication::activeModalWidget(); modal && WindowOf(modal))
        return WindowOf(modal);
    auto& order = TopOrder();
    for (auto it = order.rbegin(); it != order.rend(); ++it)
        if (*it && (*it)->isVisible() && WindowOf(*it)) return WindowOf(*it);
    return nullptr;
}

void SetModalLoopHook(std::function<void(bool)> hook) {
    ModalHook() = std::move(hook);
}

void RunModalLoopHook(bool entering) {
    if (ModalHook()) ModalHook()(entering);
}

bool HasDisplay() {
    for (const char* var : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
        const char* v = std::getenv(var);
        if (v && *v) return true;
    }
    return false;
}

bool LoadGermanQtTranslation() {
    // German whatever the locale: the suite speaks German, and so do Qt's own dialogs.
    static QPointer<QTranslator> translator;
    if (translator) return true;
    auto* t = new QTranslator(qApp);
    if (!t->load(QStringLiteral("qtbase_de"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete t;
        return false;
    }
    QCoreApplication::installTranslator(t);
    translator = t;
    return true;
}

struct TApplication::TImpl {
    std::unique_ptr<QApplication> app;
};

TApplication::TApplication(int& argc, char** argv, const char* name) : impl_(new TImpl) {
    ConfigureOffscreenScreen();
    impl_->app = std::make_unique<QApplication>(argc, argv);
    QApplication::setApplicationName(QString::fromUtf8(name));
    LoadGermanQtTranslation();
    QApplication::setQuitOnLastWindowClosed(true);
    EnsureAppFilter();
    g_app = this;
}

TApplication::~TApplication() {
    g_app = nullptr;
    QFile::remove(QDir::temp().filePath(
        QStringLiteral("orvelin-screen-%1.json").arg(QString::number(qint64(::getpid())))));
}

int TApplication::Run() {
    return QApplication::exec();
}

TApplication* TApplication::Current() {
    return g_app;
}
