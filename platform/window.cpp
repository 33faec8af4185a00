#include "window.h"

#include "dc.h"
#include "qtbridge.h"
#include "widgets_p.h"
#include "winapi.h"

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QTimer>
#include <QWheelEvent>
#include <algorithm>
#include <cstring>

// ---- the window object's Qt side --------------------------------------------------------------

void TWindowImpl::Attach(QWidget* w) {
    widget = w;
    w->setProperty("orvlWindow", QVariant::fromValue<quintptr>(reinterpret_cast<quintptr>(owner)));
    if (owner->Attr.Id) w->setProperty("orvlId", owner->Attr.Id);
    // Mouse moves over a control tell its info text, so the control must hear them.
    w->setMouseTracking(true);
}

void TWindowImpl::Detach() {
    StopTimers();
    if (widget) widget->setProperty("orvlWindow", QVariant());
    widget = nullptr;
    overlay = QImage();
    for (TWindow* child : owner->children_) child->impl_->Detach();
}

void TWindowImpl::StopTimers() {
    for (auto& [id, timer] : timers) delete timer;
    timers.clear();
}

QWidget* WidgetOf(const TWindow* window) {
    return window ? window->impl_->widget.data() : nullptr;
}

TWindow* WindowOf(const QWidget* widget) {
    if (!widget) return nullptr;
    QVariant v = widget->property("orvlWindow");
    return v.isValid() ? reinterpret_cast<TWindow*>(v.value<quintptr>()) : nullptr;
}

int ControlIdOf(const QWidget* w) {
    QVariant v = w ? w->property("orvlId") : QVariant();
    return v.isValid() ? v.toInt() : 0;
}

QWidget* FindControl(QWidget* top, int id) {
    if (!top || id == 0) return nullptr;
    for (QWidget* w : top->findChildren<QWidget*>()) {
        if (ControlIdOf(w) != id) continue;
        // A dialog opened over this window is a QObject child of it but a window of its own.
        if (w->window() != top->window()) continue;
        return w;
    }
    return nullptr;
}

QString ControlText(const QWidget* w) {
    if (!w) return {};
    if (auto* b = qobject_cast<const QAbstractButton*>(w)) return b->text();
    if (auto* e = qobject_cast<const QLineEdit*>(w)) return e->text();
    if (auto* e = qobject_cast<const QPlainTextEdit*>(w)) {
        QString t = e->toPlainText();
        return t.replace(u'\n', QStringLiteral("\r\n"));
    }
    if (auto* l = qobject_cast<const QLabel*>(w)) return l->property("orvlText").toString();
    if (auto* g = qobject_cast<const QGroupBox*>(w)) return g->title();
    if (auto* c = qobject_cast<const QComboBox*>(w)) return c->currentText();
    if (auto* l = qobject_cast<const QListWidget*>(w)) {
        auto* item = l->currentItem();
        return item ? item->text() : QString();
    }
    return w->isWindow() ? w->windowTitle() : w->property("orvlText").toString();
}

void SetControlText(QWidget* w, const QString& text) {
    if (!w) return;
    if (auto* b = qobject_cast<QAbstractButton*>(w)) return b->setText(text);
    if (auto* e = qobject_cast<QLineEdit*>(w)) {
        // A new text is shown from its beginning, as in a Windows edit field.
        e->setText(text);
        return e->setCursorPosition(0);
    }
    if (auto* e = qobject_cast<QPlainTextEdit*>(w)) return e->setPlainText(WinLinesToQt(text));
    if (auto* l = qobject_cast<QLabel*>(w)) {
        // The static keeps its text as given; it shows "&x" as the access key x, as Windows
        // does unless the static has SS_NOPREFIX. With a control to move to (its buddy) the
        // key is underlined and works; without one the "&" is only left out.
        l->setProperty("orvlText", text);
        if (l->property("orvlNoPrefix").toBool() || l->buddy()) return l->setText(text);
        QString shown;
        for (qsizetype i = 0; i < text.size(); ++i) {
            if (text[i] == u'&' && i + 1 < text.size()) ++i;
            shown += text[i];
        }
        return l->setText(shown);
    }
    if (auto* g = qobject_cast<QGroupBox*>(w)) return g->setTitle(text);
    if (auto* c = qobject_cast<QComboBox*>(w)) {
        if (c->isEditable()) return c->setEditText(text);
        return c->setCurrentIndex(c->findText(text));
    }
    if (w->isWindow()) return w->setWindowTitle(text);
    w->setProperty("orvlText", text);
    w->update();
}

void NotifyParent(QWidget* control, unsigned code) {
    int id = ControlIdOf(control);
    for (QWidget* p = control->parentWidget(); p; p = p->parentWidget()) {
        if (TWindow* owner = WindowOf(p)) {
            owner->EvCommand(unsigned(id), HandleOf(control), code);
            return;
        }
        if (p->isWindow()) return;
    }
}

// ---- event forwarding --------------------------------------------------------------------------

void ForwardPaint(QWidget* w, QPaintEvent* e) {
    TWindow* owner = WindowOf(w);
    if (!owner) return;
    TWindowImpl& impl = *owner->impl_;
    auto* area = qobject_cast<QAbstractScrollArea*>(w);
    impl.inPaint = true;
    impl.paintDevice = area ? static_cast<QPaintDevice*>(area->viewport()) : w;
    impl.paintRect = e->rect();
    owner->EvPaint();
    impl.inPaint = false;
    if (!impl.overlay.isNull() && !area) {
        QPainter p(w);
        p.drawImage(0, 0, impl.overlay);
    }
    impl.paintDevice = nullptr;
}

void ForwardFocus(QWidget* w, bool in) {
    QWidget* other = in ? nullptr : QApplication::focusWidget();
    if (TWindow* owner = WindowOf(w)) {
        if (in)
            owner->EvSetFocus(nullptr);
        else
            owner->EvKillFocus(HandleOf(other));
    }
    if (w->isWindow()) return;
    if (qobject_cast<QLineEdit*>(w) || qobject_cast<QPlainTextEdit*>(w))
        NotifyParent(w, in ? EN_SETFOCUS : EN_KILLFOCUS);
    else if (qobject_cast<QComboBox*>(w))
        NotifyParent(w, in ? CBN_SETFOCUS : CBN_KILLFOCUS);
    else if (qobject_cast<QListWidget*>(w))
        NotifyParent(w, in ? LBN_SETFOCUS : LBN_KILLFOCUS);
}

void ForwardMouse(QWidget* w, QEvent* e) {
    TWindow* owner = WindowOf(w);
    if (!owner) return;
    QPoint pos;
    unsigned keys = 0;
    if (e->type() == QEvent::Enter) {
        pos = static_cast<QEnterEvent*>(e)->position().toPoint();
    } else {
        auto* m = static_cast<QMouseEvent*>(e);
        pos = m->position().toPoint();
        if (m->buttons() & Qt::LeftButton) keys |= MK_LBUTTON;
        if (m->buttons() & Qt::RightButton) keys |= MK_RBUTTON;
        if (m->modifiers() & Qt::ShiftModifier) keys |= MK_SHIFT;
        if (m->modifiers() & Qt::ControlModifier) keys |= MK_CONTROL;
    }
    TPoint p(pos.x(), pos.y());
    switch (e->type()) {
    case QEvent::MouseButtonPress:
        if (static_cast<QMouseEvent*>(e)->button() == Qt::LeftButton) owner->EvLButtonDown(keys, p);
        return;
    case QEvent::MouseButtonRelease:
        if (static_cast<QMouseEvent*>(e)->button() == Qt::LeftButton) owner->EvLButtonUp(keys, p);
        return;
    default:
        break;
    }
    // A mouse move is a hit test, then a cursor query, then the move itself, as on Windows.
    QPoint g = w->mapToGlobal(pos);
    unsigned hit = owner->EvNCHitTest(TPoint(g.x(), g.y()));
    owner->EvSetCursor(owner->GetHandle(), hit, 0x200);
    if (e->type() == QEvent::MouseMove) owner->EvMouseMove(keys, p);
}

void ForwardWheel(QWidget* w, QWheelEvent* e) {
    TWindow* owner = WindowOf(w);
    if (!owner) return;
    unsigned keys = 0;
    if (e->buttons() & Qt::LeftButton) keys |= MK_LBUTTON;
    if (e->modifiers() & Qt::ShiftModifier) keys |= MK_SHIFT;
    if (e->modifiers() & Qt::ControlModifier) keys |= MK_CONTROL;
    const QPoint pos = e->position().toPoint();
    owner->EvMouseWheel(keys, e->angleDelta().y(), TPoint(pos.x(), pos.y()));
}

void ForwardChar(QWidget* w, QKeyEvent* e) {
    if (e->isAccepted()) return;
    TWindow* owner = WindowOf(w);
    const QString text = e->text();
    if (!owner || text.size() != 1 || text[0].unicode() < 32 || text[0].unicode() == 127) return;
    const std::string ch = CpStr(text);
    if (ch.size() != 1) return;
    QPointer<QWidget> guard(w);
    owner->impl_->charUnused = false;
    owner->EvChar(unsigned(static_cast<unsigned char>(ch[0])), unsigned(std::max(1, e->count())),
                  0);
    // A handler that closed its window used the character.
    if (!guard || WindowOf(guard) != owner) return e->accept();
    e->setAccepted(!owner->impl_->charUnused);
}

void ForwardResize(QWidget* w) {
    TWindow* owner = WindowOf(w);
    if (!owner) return;
    owner->impl_->overlay = QImage();
    unsigned type = w->isMinimized()   ? SIZE_MINIMIZED
                    : w->isMaximized() ? SIZE_MAXIMIZED
                                       : SIZE_RESTORED;
    owner->EvSize(type, TSize(w->width(), w->height()));
}

void ForwardMove(QWidget* w) {
    if (TWindow* owner = WindowOf(w)) owner->EvMove(TPoint(w->x(), w->y()));
}

void TPlainWidget::closeEvent(QCloseEvent* e) {
    e->ignore();
    if (TWindow* owner = WindowOf(this))
        owner->EvClose();
    else
        e->accept();
}

// ---- TWindow -----------------------------------------------------------------------------------

TWindow::TWindow(TWindow* parent, const char* title, TModule* module)
    : Parent(parent), Module(module), Title(title ? title : ""), impl_(new TWindowImpl) {
    impl_->owner = this;
    if (Parent) Parent->children_.push_back(this);
}

TWindow::~TWindow() {
    // Children first: they may still look at their parent while they go.
    while (!children_.empty()) delete children_.back();
    if (Parent) std::erase(Parent->children_, this);
    QWidget* w = impl_->widget;
    impl_->Detach();
    if (w && (!Parent || !Parent->impl_->widget || w->isWindow())) w->deleteLater();
}

bool TWindow::Create() {
    if (IsWindow()) return true;
    QWidget* parentWidget = WidgetOf(Parent);
    auto* w = new TPlainWidget(parentWidget);
    impl_->Attach(w);
    if (!Title.empty()) w->setWindowTitle(QStr(Title));
    if (Attr.W > 0 && Attr.H > 0) w->setGeometry(Attr.X, Attr.Y, Attr.W, Attr.H);
    CreateChildren();
    SetupWindow();
    if (!(Attr.Style & WS_NOTVISIBLE)) w->show();
    if (w->isWindow()) NoteTopLevelShown(w);
    return true;
}

void TWindow::CreateChildren() {
    for (TWindow* child : std::vector<TWindow*>(children_))
        if (!child->IsWindow()) child->Create();
}

void TWindow::CloseWindow(int retVal) {
    if (CanClose()) Destroy(retVal);
}

void TWindow::Destroy(int) {
    QWidget* w = impl_->widget;
    if (!w) return;
    CleanupWindow();
    impl_->Detach();
    const bool topLevel = w->isWindow();
    w->hide();
    w->deleteLater();
    if (impl_->deleteOnClose) QTimer::singleShot(0, [this] { delete this; });
    // Hiding a window does not tell Qt that the last one was closed.
    if (topLevel) QuitWhenNoWindowLeft();
}

void QuitWhenNoWindowLeft() {
    QTimer::singleShot(0, [] {
        if (!QApplication::quitOnLastWindowClosed()) return;
        for (QWidget* w : QApplication::topLevelWidgets()) {
            const Qt::WindowType type = w->windowType();
            if (w->isVisible() && type != Qt::Popup && type != Qt::ToolTip && type != Qt::Desktop)
                return;
        }
        QCoreApplication::quit();
    });
}

TUnreachableOutOfTabChain::TUnreachableOutOfTabChain(QWidget* window) {
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (!(w->focusPolicy() & Qt::TabFocus) || w->window() != window || IsReachable(w)) continue;
        taken_.emplace_back(w, w->focusPolicy());
        w->setFocusPolicy(Qt::NoFocus);
    }
}

TUnreachableOutOfTabChain::~TUnreachableOutOfTabChain() {
    for (auto& [w, policy] : taken_)
        if (w) w->setFocusPolicy(policy);
}

bool IsReachable(const QWidget* w) {
    if (!w || !w->isVisible()) return false;
    QRect r = w->rect();
    for (const QWidget* c = w; !c->isWindow() && c->parentWidget(); c = c->parentWidget()) {
        r = r.translated(c->pos()) & c->parentWidget()->rect();
        if (r.isEmpty()) return false;
    }
    return true;
}

bool TWindow::CanClose() {
    for (TWindow* child : children_)
        if (child->IsWindow() && !child->CanClose()) return false;
    return true;
}

void TWindow::EvCommand(unsigned id, HWND, unsigned notifyCode) {
    DispatchNotify(int(id), notifyCode);
}

void TWindow::EvPaint() {
    TPaintDC dc(*this);
    TRect r = GetClientRect();
    QRect pr = impl_->paintRect;
    if (impl_->inPaint && pr.isValid())
        r = TRect(pr.left(), pr.top(), pr.right() + 1, pr.bottom() + 1);
    Paint(dc, true, r);
}

void TWindow::Paint(TDC&, bool, TRect&) {}
void TWindow::EvTimer(unsigned) {}
void TWindow::EvSize(unsigned, const TSize&) {}
void TWindow::EvMove(const TPoint&) {}
void TWindow::EvSetFocus(HWND) {}
void TWindow::EvKillFocus(HWND) {}
bool TWindow::EvSetCursor(HWND, unsigned, unsigned) {
    return false;
}
unsigned TWindow::EvNCHitTest(const TPoint&) {
    return HTCLIENT;
}
void TWindow::EvMouseMove(unsigned, const TPoint&) {}
void TWindow::EvLButtonDown(unsigned, const TPoint&) {}
void TWindow::EvLButtonUp(unsigned, const TPoint&) {}
void TWindow::EvMouseWheel(unsigned, int, const TPoint&) {}
void TWindow::EvActivate(bool) {}
void TWindow::EvChar(unsigned, unsigned, unsigned) {
    impl_->charUnused = true;
}

void TWindow::EvClose() {
    if (IsCloseEntryEnabled()) CloseWindow(IDCANCEL);
}

void TWindow::AddHandler(int id, unsigned code, std::function<void()> handler) {
    handlers_[{id, code}] = std::move(handler);
}

bool TWindow::DispatchNotify(int id, unsigned code) {
    auto it = handlers_.find({id, code});
    if (it == handlers_.end()) return false;
    auto handler = it->second; // the handler may rebind itself
    handler();
    return true;
}

void TWindow::SendCommand(int id, unsigned notifyCode) {
    EvCommand(unsigned(id), GetDlgItem(id), notifyCode);
}

void TWindow::SetDeleteOnClose(bool on) {
    impl_->deleteOnClose = on;
}

void TWindow::SetParentObject(TWindow* newParent) {
    if (Parent == newParent) return;
    if (Parent) std::erase(Parent->children_, this);
    Parent = newParent;
    if (Parent) Parent->children_.push_back(this);
}

HWND TWindow::GetHandle() const {
    return HandleOf(impl_->widget.data());
}

void TWindow::SetCaption(const char* title) {
    Title = title ? title : "";
    if (QWidget* w = impl_->widget) SetControlText(w, QStr(Title));
}

int TWindow::GetWindowText(char* out, int maxChars) const {
    return ::GetWindowText(GetHandle(), out, maxChars);
}

int TWindow::GetWindowTextLength() const {
    return int(GetText().size());
}

std::string TWindow::GetText() const {
    QWidget* w = impl_->widget;
    return w ? CpStr(ControlText(w)) : Title;
}

bool TWindow::EnableWindow(bool enable) {
    return ::EnableWindow(GetHandle(), enable);
}

bool TWindow::IsWindowEnabled() const {
    QWidget* w = impl_->widget;
    return w && w->isEnabled();
}

bool TWindow::ShowWindow(int cmdShow) {
    QWidget* w = impl_->widget;
    if (!w) return false;
    bool wasVisible = w->isVisible();
    switch (cmdShow) {
    case SW_HIDE:
        w->hide();
        break;
    case SW_SHOWMINIMIZED:
        w->showMinimized();
        break;
    case SW_MAXIMIZE:
        w->showMaximized();
        break;
    default:
        w->show();
        break;
    }
    if (cmdShow != SW_HIDE && w->isWindow()) NoteTopLevelShown(w);
    return wasVisible;
}

bool TWindow::IsWindowVisible() const {
    QWidget* w = impl_->widget;
    return w && w->isVisible();
}

void ActivateTop(QWidget* w) {
    QWidget* top = w->window();
    top->activateWindow();
    // Without a window manager (offscreen) activation must not wait for one.
    if (QApplication::activeWindow() != top) QApplication::setActiveWindow(top);
}

void TWindow::SetFocus() {
    ::SetFocus(GetHandle());
}

void TWindow::Invalidate(bool) {
    impl_->overlay = QImage();
    if (QWidget* w = impl_->widget) w->update();
}

void TWindow::InvalidateRect(const TRect& r, bool) {
    impl_->overlay = QImage();
    if (QWidget* w = impl_->widget) w->update(QRect(r.left, r.top, r.Width(), r.Height()));
}

void TWindow::UpdateWindow() {
    if (QWidget* w = impl_->widget) w->repaint();
}

TRect TWindow::GetClientRect() const {
    QWidget* w = impl_->widget;
    return w ? TRect(0, 0, w->width(), w->height()) : TRect();
}

TRect TWindow::GetWindowRect() const {
    QWidget* w = impl_->widget;
    if (!w) return {};
    if (w->isWindow()) {
        QRect f = w->frameGeometry();
        return TRect(f.left(), f.top(), f.right() + 1, f.bottom() + 1);
    }
    QPoint g = w->mapToGlobal(QPoint(0, 0));
    return TRect(g.x(), g.y(), g.x() + w->width(), g.y() + w->height());
}

void TWindow::MoveWindow(int x, int y, int w, int h, bool) {
    Attr.X = x, Attr.Y = y, Attr.W = w, Attr.H = h;
    QWidget* widget = impl_->widget;
    if (!widget) return;
    if (widget->isWindow()) {
        // Windows places the whole window, frame included.
        QRect frame = widget->frameGeometry(), inner = widget->geometry();
        int dw = frame.width() - inner.width(), dh = frame.height() - inner.height();
        widget->move(x, y);
        widget->resize(std::max(1, w - dw), std::max(1, h - dh));
    } else {
        widget->setGeometry(x, y, w, h);
    }
}

void TWindow::SetWindowSize(int w, int h) {
    TRect r = GetWindowRect();
    MoveWindow(r.left, r.top, w, h);
}

void TWindow::ScreenToClient(TPoint& p) const {
    if (QWidget* w = impl_->widget) {
        QPoint q = w->mapFromGlobal(QPoint(p.x, p.y));
        p = TPoint(q.x(), q.y());
    }
}

void TWindow::ClientToScreen(TPoint& p) const {
    if (QWidget* w = impl_->widget) {
        QPoint q = w->mapToGlobal(QPoint(p.x, p.y));
        p = TPoint(q.x(), q.y());
    }
}

bool TWindow::IsIconic() const {
    QWidget* w = impl_->widget;
    return w && w->isMinimized();
}

bool TWindow::IsZoomed() const {
    QWidget* w = impl_->widget;
    return w && w->isMaximized();
}

void TWindow::BringWindowToTop() {
    if (QWidget* w = impl_->widget) {
        w->window()->raise();
        ActivateTop(w);
        NoteTopLevelShown(w->window());
    }
}

bool TWindow::SetTimer(unsigned id, unsigned ms) {
    QWidget* w = impl_->widget;
    if (!w) return false;
    QTimer*& timer = impl_->timers[id];
    if (!timer) {
        timer = new QTimer();
        QObject::connect(timer, &QTimer::timeout, w, [this, id] { EvTimer(id); });
    }
    timer->start(int(ms));
    return true;
}

bool TWindow::KillTimer(unsigned id) {
    auto it = impl_->timers.find(id);
    if (it == impl_->timers.end()) return false;
    delete it->second;
    impl_->timers.erase(it);
    return true;
}

void TWindow::EnableCloseEntry(bool enable) {
    impl_->closeEntryEnabled = enable;
    if (QWidget* w = impl_->widget; w && w->isWindow()) {
        // The title bar's close button follows the menu entry, as on Windows. Changing a window
        // flag hides a shown window; it stays shown. A shown modal dialog keeps its button:
        // hiding it would end its modal loop (the greyed entry still refuses to close it).
        if (w->isVisible() && w->isModal()) return;
        const bool shown = w->isVisible();
        w->setWindowFlag(Qt::WindowCloseButtonHint, enable);
        if (shown && !w->isVisible()) w->show();
    }
}

bool TWindow::IsCloseEntryEnabled() const {
    return impl_->closeEntryEnabled;
}

HWND TWindow::GetDlgItem(int id) const {
    return HandleOf(FindControl(impl_->widget, id));
}

TWindow* TWindow::ChildWithId(int id) const {
    for (TWindow* child : children_)
        if (child->Attr.Id == id) return child;
    return nullptr;
}

int TWindow::GetDlgItemText(int id, char* out, int maxChars) const {
    return ::GetWindowText(GetDlgItem(id), out, maxChars);
}

void TWindow::SetDlgItemText(int id, const char* text) {
    ::SetWindowText(GetDlgItem(id), text);
}

unsigned TWindow::IsDlgButtonChecked(int id) const {
    auto* b = qobject_cast<QAbstractButton*>(WidgetOf(GetDlgItem(id)));
    return b && b->isChecked() ? BF_CHECKED : BF_UNCHECKED;
}

void TWindow::CheckDlgButton(int id, unsigned state) {
    if (auto* b = qobject_cast<QAbstractButton*>(WidgetOf(GetDlgItem(id))))
        b->setChecked(state == BF_CHECKED);
}

void TWindow::CheckRadioButton(int firstId, int lastId, int checkId) {
    for (int id = firstId; id <= lastId; ++id)
        CheckDlgButton(id, id == checkId ? BF_CHECKED : BF_UNCHECKED);
}

int TWindow::MessageBox(const char* text, const char* caption, unsigned type) {
    return ::MessageBox(GetHandle(), text, caption, type);
}

TWindow* TWindow::FromHandle(HWND h) {
    return WindowOf(WidgetOf(h));
}

int GetWindowText(HWND h, char* out, int maxChars) {
    if (!out || maxChars <= 0) return 0;
    std::string text = h ? CpStr(ControlText(WidgetOf(h))) : std::string();
    int n = std::min(int(text.size()), maxChars - 1);
    std::memcpy(out, text.data(), size_t(n));
    out[n] = 0;
    return n;
}

void SetWindowText(HWND h, const char* text) {
    if (h) SetControlText(WidgetOf(h), QStr(text));
}

HWND GetFocus() {
    return HandleOf(QApplication::focusWidget());
}

bool EnableWindow(HWND h, bool enable) {
    QWidget* w = WidgetOf(h);
    if (!w) return false;
    bool wasDisabled = !w->isEnabled();
    w->setEnabled(enable);
    return wasDisabled;
}

bool IsWindowEnabled(HWND h) {
    return WidgetOf(h) && WidgetOf(h)->isEnabled();
}

bool ShowWindow(HWND h, int cmdShow) {
    QWidget* w = WidgetOf(h);
    if (!w) return false;
    bool wasVisible = w->isVisible();
    w->setVisible(cmdShow != SW_HIDE);
    return wasVisible;
}

bool IsWindowVisible(HWND h) {
    return WidgetOf(h) && WidgetOf(h)->isVisible();
}

void SetFocus(HWND h) {
    if (QWidget* w = WidgetOf(h)) {
        ActivateTop(w);
        w->setFocus(Qt::OtherFocusReason);
    }
}
