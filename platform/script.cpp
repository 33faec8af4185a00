// The dialog script runner. Commands run one by one from a timer of the main loop, so that a
// command that opens a modal dialog does not block the script: when a modal loop starts, the
// next commands run inside it and address that dialog.
#include "script.h"

#include "application.h"
#include "filesys.h"
#include "frame.h"
#include "headless.h"
#include "modreg.h"
#include "privateprofile.h"
#include "qtbridge.h"
#include "winapi.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTextStream>
#include <QTimer>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <map>
#include <thread>

// Qt's keyboard entry point for shortcuts and access keys (what a key of the window system
// goes through first); exported by Qt's GUI library for its test support.
Q_GUI_EXPORT bool qt_sendShortcutOverrideEvent(QObject* o, ulong timestamp, int k,
                                               Qt::KeyboardModifiers mods, const QString& text,
                                               bool autorep, ushort count);

namespace {

namespace fs = std::filesystem;

struct TLine {
    int number;
    QString text;
};

// A script line that cannot be executed or an expectation that does not hold.
struct TFailure {
    QString message;
};

void Print(FILE* f, const QString& text) {
    std::fputs(text.toUtf8().constData(), f);
    std::fputc('\n', f);
    std::fflush(f);
}

QString Quote(const QString& s) {
    QString shown = s;
    shown.replace(u'\r', QStringLiteral("\\r")).replace(u'\n', QStringLiteral("\\n"));
    return u'"' + shown + u'"';
}

// "\r" and "\n" in a script text stand for the control characters.
QString Unescape(QString s) {
    s.replace(QStringLiteral("\\r"), QStringLiteral("\r"));
    s.replace(QStringLiteral("\\n"), QStringLiteral("\n"));
    return s;
}

class TScriptRunner {
public:
    TScriptRunner(QString file, QString dir, QString progDir, int timeoutSeconds)
        : file_(std::move(file)), dir_(std::move(dir)), progDir_(std::move(progDir)),
          timeout_(timeoutSeconds) {}

    bool Load(QString& error);
    int Run();
    void RemoveOnSuccess(std::string dir) { tempDir_ = std::move(dir); }

private:
    void Schedule() { timer_.start(0); }
    void Step();
    void Execute(const QString& command, const QString& args);
    [[noreturn]] void Finish(int code, const QString& message = {});
    void StartWatchdog();

    // Helpers for the commands.
    QString Path(const QString& p) const;
    QWidget* ActiveTop() const;
    QWidget* Control(const QString& idText) const;
    static int ParseId(const QString& idText);
    std::pair<QString, QString> SplitFirst(const QString& args) const;
    static QStringList Tokens(const QString& args, int count, QString& rest);
    void Expect(bool held, const QString& what, const QString& got) const;
    void Focus(QWidget* w) const;
    void Key(const QString& name);

    QString file_, dir_, progDir_;
    std::string tempDir_;
    int timeout_;
    std::vector<TLine> lines_;
    size_t next_ = 0;
    int running_ = 0, blocked_ = 0;
    // After "expect-exit": the seconds the program has, after the last command, to end by
    // itself.
    double exitWithin_ = 0;
    std::atomic<int> currentLine_{0};
    QTimer timer_;
    using Command = std::function<void(TScriptRunner&, const QString&)>;
    static const std::map<QString, Command>& Commands();
};

bool TScriptRunner::Load(QString& error) {
    QFile f(file_);
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text)) {
        error = QStringLiteral("%1: Die Datei kann nicht gelesen werden.").arg(file_);
        return false;
    }
    QTextStream in(&f);
    in.setEncoding(QStringConverter::Utf8);
    int number = 0;
    while (!in.atEnd()) {
        QString line = in.readLine();
        ++number;
        QString t = line.trimmed();
        if (t.isEmpty() || t.startsWith(u'#')) continue;
        lines_.push_back({number, line.trimmed()});
    }
    return true;
}

int TScriptRunner::Run() {
    timer_.setSingleShot(true);
    QObject::connect(&timer_, &QTimer::timeout, [this] { Step(); });
    SetModalLoopHook([this](bool entering) {
        if (entering) {
            ++blocked_;
            Schedule();
        } else {
            --blocked_;
        }
    });
    StartWatchdog();
    QApplication::setQuitOnLastWindowClosed(false);
    Schedule();
    QApplication::exec();
    if (next_ < lines_.size() || running_ > 0)
        Finish(1, QStringLiteral("%1:%2: das Programm endete, bevor das Skript zu Ende war")
                      .arg(file_)
                      .arg(currentLine_.load()));
    Finish(0);
}

void TScriptRunner::StartWatchdog() {
    if (timeout_ <= 0) return;
    // A thread of its own: it fires even when the main thread hangs in a computation.
    std::thread([this] {
        std::this_thread::sleep_for(std::chrono::seconds(timeout_));
        Print(stderr, QStringLiteral("%1:%2: Zeitüberschreitung: das Skript lief länger als %3 s.")
                          .arg(file_)
                          .arg(currentLine_.load())
                          .arg(timeout_));
        std::_Exit(1);
    }).detach();
}

void TScriptRunner::Finish(int code, const QString& message) {
    if (!message.isEmpty()) Print(stderr, message);
    std::error_code ec;
    if (code == 0 && !tempDir_.empty()) fs::remove_all(tempDir_, ec);
    // Windows may still be open and modal loops running: end here, without unwinding them.
    std::fflush(stdout);
    std::_Exit(code);
}

void TScriptRunner::Step() {
    // A command that is still running (it lets messages through) comes first; a command that
    // waits in a modal loop lets the next ones run.
    if (running_ > blocked_) return;
    if (next_ >= lines_.size() && exitWithin_ > 0) {
        // The main loop must end on its own; the script does not end the program.
        QTimer::singleShot(int(exitWithin_ * 1000), [this] {
            Finish(1, QStringLiteral("%1:%2: das Programm lief %3 s nach dem letzten Befehl noch")
                          .arg(file_)
                          .arg(currentLine_.load())
                          .arg(exitWithin_));
        });
        return;
    }
    if (next_ >= lines_.size()) Finish(0);
    const TLine& line = lines_[next_++];
    currentLine_ = line.number;
    QString text = line.text;
    text.replace(QStringLiteral("$PROGDIR"), progDir_);
    int space = int(text.indexOf(u' '));
    QString command = space < 0 ? text : text.left(space);
    QString args = space < 0 ? QString() : text.mid(space + 1).trimmed();
    ++running_;
    try {
        Execute(command, args);
    } catch (const TFailure& f) {
        Finish(1, QStringLiteral("%1:%2: %3").arg(file_).arg(line.number).arg(f.message));
    }
    --running_;
    Schedule();
}

void TScriptRunner::Execute(const QString& command, const QString& args) {
    auto it = Commands().find(command);
    if (it == Commands().end())
        throw TFailure{QStringLiteral("unbekannter Befehl %1").arg(Quote(command))};
    it->second(*this, args);
}

QString TScriptRunner::Path(const QString& p) const {
    if (p.isEmpty() || QDir::isAbsolutePath(p)) return p;
    return QDir(dir_).absoluteFilePath(p);
}

QWidget* TScriptRunner::ActiveTop() const {
    TWindow* w = GetActiveTopWindow();
    if (!w || !WidgetOf(w)) throw TFailure{QStringLiteral("kein Fenster ist offen")};
    return WidgetOf(w)->window();
}

int TScriptRunner::ParseId(const QString& idText) {
    bool ok = false;
    int id = idText.toInt(&ok);
    if (!ok) throw TFailure{QStringLiteral("%1 ist keine Steuerelement-Nummer").arg(Quote(idText))};
    return id;
}

QWidget* TScriptRunner::Control(const QString& idText) const {
    int id = ParseId(idText);
    QWidget* top = ActiveTop();
    QWidget* w = FindControl(top, id);
    if (!w)
        throw TFailure{QStringLiteral("das aktive Fenster %1 hat kein Steuerelement %2")
                           .arg(Quote(top->windowTitle()))
                           .arg(id)};
    return w;
}

std::pair<QString, QString> TScriptRunner::SplitFirst(const QString& args) const {
    int space = int(args.indexOf(u' '));
    if (space < 0) return {args, QString()};
    return {args.left(space), args.mid(space + 1)};
}

// The first `count` words of `args` (a word in double quotes may hold blanks); the rest of the
// line goes to `rest`.
QStringList TScriptRunner::Tokens(const QString& args, int count, QString& rest) {
    QStringList out;
    int i = 0, n = int(args.size());
    while (int(out.size()) < count) {
        while (i < n && args[i] == u' ') ++i;
        if (i >= n) break;
        if (args[i] == u'"') {
            int end = int(args.indexOf(u'"', i + 1));
            if (end < 0)
                throw TFailure{QStringLiteral("ein Anführungszeichen wird nicht geschlossen")};
            out << args.mid(i + 1, end - i - 1);
            i = end + 1;
        } else {
            int end = int(args.indexOf(u' ', i));
            if (end < 0) end = n;
            out << args.mid(i, end - i);
            i = end;
        }
    }
    if (i < n && args[i] == u' ') ++i;
    rest = args.mid(i);
    return out;
}

void TScriptRunner::Expect(bool held, const QString& what, const QString& got) const {
    if (!held) throw TFailure{QStringLiteral("expected %1, got %2").arg(what, got)};
}

void TScriptRunner::Focus(QWidget* w) const {
    ActivateTop(w);
    w->setFocus(Qt::MouseFocusReason);
}

void TScriptRunner::Key(const QString& spec) {
    struct K {
        int key;
        Qt::KeyboardModifiers mods;
        QString text;
    };
    static const std::map<QString, K> keys = [] {
        std::map<QString, K> m{
            {QStringLiteral("Enter"), {Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r")}},
            {QStringLiteral("Tab"), {Qt::Key_Tab, Qt::NoModifier, QStringLiteral("\t")}},
            {QStringLiteral("Space"), {Qt::Key_Space, Qt::NoModifier, QStringLiteral(" ")}},
            {QStringLiteral("Escape"), {Qt::Key_Escape, Qt::NoModifier, QString(QChar(27))}},
            {QStringLiteral("Backspace"), {Qt::Key_Backspace, Qt::NoModifier, QString(QChar(8))}},
            {QStringLiteral("Left"), {Qt::Key_Left, Qt::NoModifier, {}}},
            {QStringLiteral("Right"), {Qt::Key_Right, Qt::NoModifier, {}}},
            {QStringLiteral("Up"), {Qt::Key_Up, Qt::NoModifier, {}}},
            {QStringLiteral("Down"), {Qt::Key_Down, Qt::NoModifier, {}}},
            {QStringLiteral("Plus"), {Qt::Key_Plus, Qt::NoModifier, QStringLiteral("+")}},
            {QStringLiteral("Minus"), {Qt::Key_Minus, Qt::NoModifier, QStringLiteral("-")}},
            {QStringLiteral("KP_Add"), {Qt::Key_Plus, Qt::KeypadModifier, QStringLiteral("+")}},
            {QStringLiteral("KP_Subtract"),
             {Qt::Key_Minus, Qt::KeypadModifier, QStringLiteral("-")}},
            {QStringLiteral("KP_Multiply"),
             {Qt::Key_Asterisk, Qt::KeypadModifier, QStringLiteral("*")}},
            {QStringLiteral("KP_Divide"), {Qt::Key_Slash, Qt::KeypadModifier, QStringLiteral("/")}},
            {QStringLiteral("KP_Decimal"),
             {Qt::Key_Period, Qt::KeypadModifier, QStringLiteral(".")}},
        };
        for (int f = 1; f <= 12; ++f)
            m[QStringLiteral("F%1").arg(f)] = {Qt::Key_F1 + f - 1, Qt::NoModifier, {}};
        for (int d = 0; d <= 9; ++d)
            m[QStringLiteral("KP_%1").arg(d)] = {Qt::Key_0 + d, Qt::KeypadModifier,
                                                 QString::number(d)};
        return m;
    }();
    // "Alt+F", "Shift+Tab", "Ctrl+Alt+x": modifiers, then one key name or one letter or digit.
    Qt::KeyboardModifiers mods;
    QString name = spec;
    static const std::pair<QString, Qt::KeyboardModifier> prefixes[] = {
        {QStringLiteral("Alt+"), Qt::AltModifier},
        {QStringLiteral("Shift+"), Qt::ShiftModifier},
        {QStringLiteral("Ctrl+"), Qt::ControlModifier}};
    for (bool found = true; found;) {
        found = false;
        for (const auto& [prefix, mod] : prefixes) {
            if (name.size() > prefix.size() && name.startsWith(prefix)) {
                mods |= mod;
                name = name.mid(prefix.size());
                found = true;
            }
        }
    }
    K k;
    if (name.size() == 1 && name[0].isLetterOrNumber() && name[0].unicode() < 128) {
        const QChar c = name[0];
        k.key = c.isDigit() ? Qt::Key_0 + (c.unicode() - '0')
                            : Qt::Key_A + (c.toUpper().unicode() - 'A');
        k.text = (mods & Qt::ShiftModifier) ? c.toUpper() : c;
        if (mods & Qt::ControlModifier) k.text.clear();
    } else {
        auto it = keys.find(name);
        if (it == keys.end())
            throw TFailure{QStringLiteral("unbekannte Taste %1").arg(Quote(spec))};
        k = it->second;
    }
    // Qt reports Shift+Tab as the back-tab key.
    if (k.key == Qt::Key_Tab && (mods & Qt::ShiftModifier)) k.key = Qt::Key_Backtab, k.text.clear();
    mods |= k.mods;
    QWidget* top = ActiveTop();
    QWidget* target = QApplication::focusWidget();
    if (!target || target->window() != top) target = top;
    QPointer<QWidget> guard(target);
    // As from the keyboard: the access keys and shortcuts of the window come first.
    if (qt_sendShortcutOverrideEvent(target, ulong(GetTickCount()), k.key, mods, k.text, false,
                                     1)) {
        // An access key presses its button a moment later, as Qt shows the press; the
        // script goes on once the button was clicked.
        QPointer<QWidget> window(top);
        auto pressing = [window] {
            if (!window) return false;
            for (auto* b : window->findChildren<QAbstractButton*>())
                if (b->isDown()) return true;
            return false;
        };
        const unsigned long start = GetTickCount();
        while (pressing() && GetTickCount() - start < 2000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        return;
    }
    if (!guard) return;
    QKeyEvent press(QEvent::KeyPress, k.key, mods, k.text);
    QApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, k.key, mods, k.text);
    if (guard) QApplication::sendEvent(guard, &release);
}

// ---- the commands
// --------------------------------------------------------------------------------

QString Caption(QWidget* w) {
    return ControlText(w);
}

bool IsCheckable(QWidget* w) {
    auto* b = qobject_cast<QAbstractButton*>(w);
    return b && b->isCheckable();
}

const std::map<QString, TScriptRunner::Command>& TScriptRunner::Commands() {
    using R = TScriptRunner;
    static const std::map<QString, Command> commands{
        {QStringLiteral("open"),
         [](R& r, const QString& args) {
             auto [name, file] = r.SplitFirst(args);
             if (name.isEmpty()) throw TFailure{QStringLiteral("open braucht einen Modulnamen")};
             // The task file as the program's command line gives it.
             std::string error, task;
             if (!file.isEmpty() &&
                 !PathFromCommandLine(r.Path(file.trimmed()).toUtf8().constData(), task, error))
                 throw TFailure{
                     QStringLiteral("%1 kann nicht geöffnet werden: %2").arg(name, QStr(error))};
             if (!OpenWindowByName(name.toStdString(), task, error))
                 throw TFailure{
                     QStringLiteral("%1 kann nicht geöffnet werden: %2").arg(name, QStr(error))};
         }},
        {QStringLiteral("set"),
         [](R& r, const QString& args) {
             auto [id, text] = r.SplitFirst(args);
             QWidget* w = r.Control(id);
             if (!w->isVisible() || !w->isEnabled())
                 throw TFailure{
                     QStringLiteral("in das Steuerelement %1 kann nicht geschrieben werden "
                                    "(verborgen oder gesperrt)")
                         .arg(id)};
             r.Focus(w);
             if (auto* e = qobject_cast<QLineEdit*>(w); e && !e->isReadOnly()) {
                 e->selectAll();
                 e->insert(text);
             } else if (auto* m = qobject_cast<QPlainTextEdit*>(w); m && !m->isReadOnly()) {
                 m->selectAll();
                 m->insertPlainText(Unescape(text));
             } else if (auto* c = qobject_cast<QComboBox*>(w); c && c->isEditable()) {
                 c->lineEdit()->selectAll();
                 c->lineEdit()->insert(text);
             } else {
                 throw TFailure{
                     QStringLiteral("das Steuerelement %1 nimmt keinen Text an").arg(id)};
             }
         }},
        {QStringLiteral("focus"),
         [](R& r, const QString& args) {
             QWidget* w = r.Control(args);
             if (!w->isVisible() || !w->isEnabled() || w->focusPolicy() == Qt::NoFocus)
                 throw TFailure{
                     QStringLiteral("das Steuerelement %1 kann den Fokus nicht nehmen").arg(args)};
             r.Focus(w);
         }},
        {QStringLiteral("click"),
         [](R& r, const QString& args) {
             // "click ID" presses the control in its middle, "click ID X Y" at that point of it
             // (pixels from its top left corner).
             QString rest;
             const QStringList words = Tokens(args, 3, rest);
             if (words.isEmpty()) throw TFailure{QStringLiteral("click braucht eine Nummer")};
             QWidget* w = r.Control(words[0]);
             if (!w->isVisible())
                 throw TFailure{QStringLiteral("das Steuerelement %1 ist verborgen und kann nicht "
                                               "angeklickt werden")
                                    .arg(words[0])};
             if (!w->isEnabled())
                 throw TFailure{QStringLiteral("das Steuerelement %1 ist gesperrt und kann nicht "
                                               "angeklickt werden")
                                    .arg(words[0])};
             if (w->focusPolicy() & Qt::ClickFocus) r.Focus(w);
             if (auto* b = qobject_cast<QAbstractButton*>(w)) return b->click();
             QPointF centre(w->width() / 2.0, w->height() / 2.0);
             if (words.size() == 3) {
                 bool okX = false, okY = false;
                 centre = QPointF(words[1].toInt(&okX), words[2].toInt(&okY));
                 if (!okX || !okY || centre.x() < 0 || centre.y() < 0 || centre.x() >= w->width() ||
                     centre.y() >= w->height())
                     throw TFailure{QStringLiteral("der Punkt %1 %2 liegt nicht im Steuerelement "
                                                   "%3 (%4 × %5 Punkte)")
                                        .arg(words[1], words[2], words[0])
                                        .arg(w->width())
                                        .arg(w->height())};
             } else if (words.size() != 1) {
                 throw TFailure{QStringLiteral("click braucht eine Nummer und wahlweise X Y")};
             }
             QPointer<QWidget> guard(w);
             QMouseEvent press(QEvent::MouseButtonPress, centre, w->mapToGlobal(centre),
                               Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
             QApplication::sendEvent(w, &press);
             QMouseEvent release(QEvent::MouseButtonRelease, centre, w->mapToGlobal(centre),
                                 Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
             if (guard) QApplication::sendEvent(guard, &release);
         }},
        {QStringLiteral("menu"),
         [](R& r, const QString& args) {
             int id = ParseId(args);
             QWidget* top = r.ActiveTop();
             auto* frame = dynamic_cast<TFrameWindow*>(WindowOf(top));
             if (!frame) throw TFailure{QStringLiteral("das aktive Fenster hat kein Menü")};
             if (!frame->ChooseMenuItem(id))
                 throw TFailure{QStringLiteral("das Menü hat keinen wählbaren Eintrag %1").arg(id)};
         }},
        {QStringLiteral("key"), [](R& r, const QString& args) { r.Key(args); }},
        {QStringLiteral("select"),
         [](R& r, const QString& args) {
             auto [id, text] = r.SplitFirst(args);
             QWidget* w = r.Control(id);
             if (!w->isVisible() || !w->isEnabled())
                 throw TFailure{
                     QStringLiteral("das Steuerelement %1 ist verborgen oder gesperrt").arg(id)};
             r.Focus(w);
             if (auto* l = qobject_cast<QListWidget*>(w)) {
                 auto found = l->findItems(text, Qt::MatchExactly);
                 if (found.isEmpty())
                     throw TFailure{
                         QStringLiteral("die Liste %1 hat keine Zeile %2").arg(id, Quote(text))};
                 l->setCurrentItem(found.first());
                 return;
             }
             if (auto* c = qobject_cast<QComboBox*>(w)) {
                 int i = c->findText(text, Qt::MatchExactly);
                 if (i < 0)
                     throw TFailure{
                         QStringLiteral("die Liste %1 hat keine Zeile %2").arg(id, Quote(text))};
                 c->setCurrentIndex(i);
                 emit c->activated(i);
                 return;
             }
             throw TFailure{QStringLiteral("das Steuerelement %1 ist keine Liste").arg(id)};
         }},
        {QStringLiteral("expect-text"),
         [](R& r, const QString& args) {
             auto [id, text] = r.SplitFirst(args);
             QString want = Unescape(text), got = Caption(r.Control(id));
             r.Expect(got == want, QStringLiteral("text %1 in %2").arg(Quote(want), id),
                      Quote(got));
         }},
        {QStringLiteral("expect-contains"),
         [](R& r, const QString& args) {
             auto [id, text] = r.SplitFirst(args);
             QString want = Unescape(text), got = Caption(r.Control(id));
             r.Expect(got.contains(want), QStringLiteral("%1 to contain %2").arg(id, Quote(want)),
                      Quote(got));
         }},
        {QStringLiteral("expect-enabled"),
         [](R& r, const QString& args) {
             r.Expect(r.Control(args)->isEnabled(), QStringLiteral("%1 enabled").arg(args),
                      QStringLiteral("disabled"));
         }},
        {QStringLiteral("expect-disabled"),
         [](R& r, const QString& args) {
             r.Expect(!r.Control(args)->isEnabled(), QStringLiteral("%1 disabled").arg(args),
                      QStringLiteral("enabled"));
         }},
        {QStringLiteral("expect-visible"),
         [](R& r, const QString& args) {
             r.Expect(r.Control(args)->isVisible(), QStringLiteral("%1 visible").arg(args),
                      QStringLiteral("hidden"));
         }},
        {QStringLiteral("expect-hidden"),
         [](R& r, const QString& args) {
             r.Expect(!r.Control(args)->isVisible(), QStringLiteral("%1 hidden").arg(args),
                      QStringLiteral("visible"));
         }},
        {QStringLiteral("expect-checked"),
         [](R& r, const QString& args) {
             QWidget* w = r.Control(args);
             if (!IsCheckable(w))
                 throw TFailure{QStringLiteral("%1 kann nicht markiert sein").arg(args)};
             r.Expect(qobject_cast<QAbstractButton*>(w)->isChecked(),
                      QStringLiteral("%1 checked").arg(args), QStringLiteral("unchecked"));
         }},
        {QStringLiteral("expect-unchecked"),
         [](R& r, const QString& args) {
             QWidget* w = r.Control(args);
             if (!IsCheckable(w))
                 throw TFailure{QStringLiteral("%1 kann nicht markiert sein").arg(args)};
             r.Expect(!qobject_cast<QAbstractButton*>(w)->isChecked(),
                      QStringLiteral("%1 unchecked").arg(args), QStringLiteral("checked"));
         }},
        {QStringLiteral("expect-focus"),
         [](R& r, const QString& args) {
             QWidget* w = r.Control(args);
             QWidget* f = QApplication::focusWidget();
             // A combo box's edit field counts as the combo box.
             bool held = f && (f == w || w->isAncestorOf(f));
             int got = 0;
             for (QWidget* p = f; p && !got; p = p->parentWidget()) got = ControlIdOf(p);
             r.Expect(held, QStringLiteral("focus on %1").arg(args),
                      f ? QStringLiteral("focus on %1").arg(got) : QStringLiteral("no focus"));
         }},
        {QStringLiteral("expect-list"),
         [](R& r, const QString& args) {
             auto [id, text] = r.SplitFirst(args);
             QWidget* w = r.Control(id);
             QStringList items;
             if (auto* l = qobject_cast<QListWidget*>(w))
                 for (int i = 0; i < l->count(); ++i) items << l->item(i)->text();
             else if (auto* c = qobject_cast<QComboBox*>(w))
                 for (int i = 0; i < c->count(); ++i) items << c->itemText(i);
             else
                 throw TFailure{QStringLiteral("das Steuerelement %1 ist keine Liste").arg(id)};
             QString got = items.join(u'|'), want = Unescape(text);
             r.Expect(got == want, QStringLiteral("list %1 in %2").arg(Quote(want), id),
                      Quote(got));
         }},
        {QStringLiteral("expect-title"),
         [](R& r, const QString& args) {
             QString got = r.ActiveTop()->windowTitle();
             r.Expect(got == args, QStringLiteral("title %1").arg(Quote(args)), Quote(got));
         }},
        {QStringLiteral("expect-message"),
         [](R& r, const QString& args) {
             int bar = int(args.indexOf(QStringLiteral(" | ")));
             if (bar < 0) throw TFailure{QStringLiteral("expect-message braucht \"TITEL | TEXT\"")};
             QString caption = args.left(bar), text = Unescape(args.mid(bar + 3));
             TRecordedMessage m;
             if (!TakeMessage(m))
                 r.Expect(false, QStringLiteral("message %1 | %2").arg(Quote(caption), Quote(text)),
                          QStringLiteral("no message"));
             QString gotCaption = QStr(m.caption), gotText = QStr(m.text);
             r.Expect(gotCaption == caption && gotText == text,
                      QStringLiteral("message %1 | %2").arg(Quote(caption), Quote(text)),
                      QStringLiteral("%1 | %2").arg(Quote(gotCaption), Quote(gotText)));
         }},
        {QStringLiteral("expect-no-message"),
         [](R& r, const QString&) {
             TRecordedMessage m;
             if (TakeMessage(m))
                 r.Expect(
                     false, QStringLiteral("no message"),
                     QStringLiteral("%1 | %2").arg(Quote(QStr(m.caption)), Quote(QStr(m.text))));
         }},
        {QStringLiteral("clear-messages"),
         [](R&, const QString&) {
             TRecordedMessage m;
             while (TakeMessage(m)) {
             }
         }},
        {QStringLiteral("answer-message"),
         [](R&, const QString& args) {
             static const std::map<QString, int> answers{{QStringLiteral("OK"), IDOK},
                                                         {QStringLiteral("Abbrechen"), IDCANCEL},
                                                         {QStringLiteral("Ja"), IDYES},
                                                         {QStringLiteral("Nein"), IDNO},
                                                         {QStringLiteral("Wiederholen"), IDRETRY},
                                                         {QStringLiteral("Ignorieren"), IDIGNORE}};
             auto it = answers.find(args);
             if (it == answers.end())
                 throw TFailure{QStringLiteral("unbekannte Antwort %1 (OK, Abbrechen, Ja, Nein, "
                                               "Wiederholen, Ignorieren)")
                                    .arg(Quote(args))};
             QueueMessageAnswer(it->second);
         }},
        {QStringLiteral("answer-file"),
         [](R& r, const QString& args) {
             if (args.isEmpty()) throw TFailure{QStringLiteral("answer-file braucht einen Pfad")};
             QueueFileAnswer(r.Path(args).toStdString());
         }},
        {QStringLiteral("answer-file-cancel"), [](R&, const QString&) { QueueFileCancel(); }},
        {QStringLiteral("expect-run"),
         [](R& r, const QString& args) {
             std::string cmd;
             if (!TakeRun(cmd))
                 r.Expect(false, QStringLiteral("program start %1").arg(Quote(args)),
                          QStringLiteral("none"));
             r.Expect(QStr(cmd) == args, QStringLiteral("program start %1").arg(Quote(args)),
                      Quote(QStr(cmd)));
         }},
        {QStringLiteral("wait-enabled"),
         [](R& r, const QString& args) {
             auto [id, secondsText] = r.SplitFirst(args);
             double seconds = secondsText.isEmpty() ? 10.0 : secondsText.toDouble();
             unsigned long start = GetTickCount();
             while (!r.Control(id)->isEnabled()) {
                 if (GetTickCount() - start > seconds * 1000)
                     r.Expect(false, QStringLiteral("%1 enabled within %2 s").arg(id).arg(seconds),
                              QStringLiteral("still disabled"));
                 QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
             }
         }},
        {QStringLiteral("expect-ini"),
         [](R& r, const QString& args) {
             QString value;
             QStringList t = Tokens(args, 3, value);
             if (t.size() < 3)
                 throw TFailure{
                     QStringLiteral("expect-ini braucht DATEI ABSCHNITT SCHLÜSSEL WERT")};
             const std::string file = CpStr(r.Path(t[0]));
             if (!FileExists(file.c_str()))
                 r.Expect(false, QStringLiteral("file %1").arg(Quote(t[0])),
                          QStringLiteral("no such file"));
             static const char missing[] = "\x01(fehlt)";
             char buf[4096];
             GetPrivateProfileString(CpStr(t[1]).c_str(), CpStr(t[2]).c_str(), missing, buf,
                                     sizeof buf, file.c_str());
             QString got =
                 std::string(buf) == missing ? QStringLiteral("no such key") : Quote(QStr(buf));
             r.Expect(got == Quote(value),
                      QStringLiteral("[%1] %2=%3 in %4").arg(t[1], t[2], Quote(value), t[0]), got);
         }},
        {QStringLiteral("expect-file"),
         [](R& r, const QString& args) {
             r.Expect(QFileInfo::exists(r.Path(args)), QStringLiteral("file %1").arg(Quote(args)),
                      QStringLiteral("no such file"));
         }},
        {QStringLiteral("expect-no-file"),
         [](R& r, const QString& args) {
             r.Expect(!QFileInfo::exists(r.Path(args)),
                      QStringLiteral("no file %1").arg(Quote(args)), QStringLiteral("a file"));
         }},
        {QStringLiteral("screenshot"),
         [](R& r, const QString& args) {
             if (args.isEmpty())
                 throw TFailure{QStringLiteral("screenshot braucht einen Dateinamen")};
             QString path = r.Path(args);
             QDir().mkpath(QFileInfo(path).absolutePath());
             QWidget* top = r.ActiveTop();
             QApplication::processEvents();
             if (!top->grab().save(path))
                 throw TFailure{
                     QStringLiteral("das Bild %1 kann nicht gespeichert werden").arg(Quote(path))};
         }},
        {QStringLiteral("hover"),
         [](R& r, const QString& args) {
             // The mouse comes to rest over the control's centre.
             QWidget* w = r.Control(args);
             if (!w->isVisible())
                 throw TFailure{QStringLiteral("das Steuerelement %1 ist verborgen").arg(args)};
             QPointF centre(w->width() / 2.0, w->height() / 2.0);
             QEnterEvent enter(centre, centre, w->mapToGlobal(centre));
             QApplication::sendEvent(w, &enter);
             QMouseEvent move(QEvent::MouseMove, centre, w->mapToGlobal(centre), Qt::NoButton,
                              Qt::NoButton, Qt::NoModifier);
             QApplication::sendEvent(w, &move);
         }},
        {QStringLiteral("expect-status"),
         [](R& r, const QString& args) {
             auto* frame = dynamic_cast<TDecoratedFrame*>(WindowOf(r.ActiveTop()));
             if (!frame || !frame->GetStatusBar())
                 throw TFailure{QStringLiteral("das aktive Fenster hat keine Statuszeile")};
             QString got = QStr(frame->GetStatusBar()->GetHintText()), want = Unescape(args);
             r.Expect(got == want, QStringLiteral("status %1").arg(Quote(want)), Quote(got));
         }},
        {QStringLiteral("close"), [](R& r, const QString&) { r.ActiveTop()->close(); }},
        {QStringLiteral("expect-exit"),
         [](R& r, const QString& args) {
             // From here on the program ends as it would for a user: when its last window
             // closes, within the given seconds after the script's last command.
             bool ok = true;
             r.exitWithin_ = args.isEmpty() ? 2.0 : args.toDouble(&ok);
             if (!ok || r.exitWithin_ <= 0)
                 throw TFailure{QStringLiteral("expect-exit braucht eine Zeit in Sekunden")};
             QApplication::setQuitOnLastWindowClosed(true);
         }},
    };
    return commands;
}

void Usage() {
    Print(stderr, QStringLiteral("Aufruf: orvelin script DATEI [--show] [--progdir ORDNER] "
                                 "[--timeout SEKUNDEN]"));
}

} // namespace

int RunScriptCommand(int argc, char** argv) {
    QString file, progDir;
    bool show = false;
    int timeout = 60;
    if (const char* t = std::getenv("ORVELIN_SCRIPT_TIMEOUT")) timeout = std::atoi(t);
    for (int i = 1; i < argc; ++i) {
        std::string a = argv[i];
        if (a == "--show")
            show = true;
        else if (a == "--progdir" && i + 1 < argc)
            progDir = QString::fromLocal8Bit(argv[++i]);
        else if (a == "--timeout" && i + 1 < argc)
            timeout = std::atoi(argv[++i]);
        else if (!a.empty() && a[0] != '-' && file.isEmpty())
            file = QString::fromLocal8Bit(argv[i]);
        else
            return Usage(), 2;
    }
    if (file.isEmpty()) return Usage(), 2;
    if (!show)
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    else if (!HasDisplay()) {
        Print(stderr, QStringLiteral("orvelin: --show braucht eine grafische Oberfläche (DISPLAY "
                                     "oder WAYLAND_DISPLAY)."));
        return 2;
    }
    // A fresh, empty program directory unless one is given.
    std::string tempDir;
    if (progDir.isEmpty()) {
        char pattern[] = "/tmp/orvelin-script-XXXXXX";
        if (!mkdtemp(pattern))
            return Print(stderr, QStringLiteral("orvelin: kein temporärer Ordner")), 2;
        tempDir = pattern;
        progDir = QString::fromLocal8Bit(pattern);
    }
    progDir = QFileInfo(progDir).absoluteFilePath();
    QDir().mkpath(progDir);
    setenv("ORVELIN_HOME", QFile::encodeName(progDir).constData(), 1);
    SetHeadless(true);

    // Qt's notes about the offscreen platform would bury the script's own report.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
        if (type == QtCriticalMsg || type == QtFatalMsg) Print(stderr, text);
    });
    int qtArgc = 1;
    char name[] = "orvelin";
    char* qtArgv[] = {name, nullptr};
    TApplication app(qtArgc, qtArgv);
    InstallDialogKeyFilter();
    QFileInfo info(file);
    TScriptRunner runner(file, info.absolutePath(), progDir, timeout);
    QString error;
    if (!runner.Load(error)) return Print(stderr, error), 2;
    // A fresh directory goes again after a successful run; after a failure it stays for a look.
    if (!tempDir.empty()) runner.RemoveOnSuccess(tempDir);
    return runner.Run();
}
