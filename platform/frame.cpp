#include "frame.h"

#include "dc.h"
#include "qtbridge.h"
#include "widgets_p.h"

#include <QAction>
#include <QMenuBar>
#include <QStatusBar>

// ---- TStatusBar
// ----------------------------------------------------------------------------------

TStatusBar::TStatusBar(TWindow* parent, TBorderStyle, unsigned, TFont*, TModule* module)
    : TWindow(parent, nullptr, module) {}

TStatusBar::~TStatusBar() = default;

bool TStatusBar::Create() {
    if (IsWindow()) return true;
    auto* frame = qobject_cast<QMainWindow*>(WidgetOf(Parent));
    auto* bar = new TForward<QStatusBar>(frame);
    bar->setSizeGripEnabled(false);
    impl_->Attach(bar);
    if (frame) frame->setStatusBar(bar);
    if (!hint_.empty()) bar->showMessage(QStr(hint_));
    SetupWindow();
    return true;
}

void TStatusBar::SetHintText(const char* text) {
    hint_ = text ? text : "";
    if (auto* bar = qobject_cast<QStatusBar*>(WidgetOf(this))) bar->showMessage(QStr(hint_));
}

std::string TStatusBar::GetHintText() const {
    return hint_;
}

// ---- TFrameWindow
// --------------------------------------------------------------------------------

TFrameWindow::TFrameWindow(TWindow* parent, const char* title, TWindow* client, bool shrinkToClient,
                           TModule* module)
    : TWindow(parent, title, module), client_(client), shrinkToClient_(shrinkToClient) {
    // The client becomes this frame's child, owned by it.
    if (client_) client_->SetParentObject(this);
}

TFrameWindow::~TFrameWindow() = default;

void TFrameWindow::SetClientWindow(TWindow* client) {
    client_ = client;
    if (client_) client_->SetParentObject(this);
}

bool TFrameWindow::Create() {
    if (IsWindow()) return true;
    EnsureAppFilter();
    auto* w = new TFrameWidget(WidgetOf(Parent));
    impl_->Attach(w);
    w->setWindowTitle(QStr(Title));
    if (client_)
        w->setProperty("orvlClient", QVariant::fromValue(reinterpret_cast<quintptr>(client_)));
    SetMenu(menu_);
    QSize clientSize;
    if (client_ && client_->Create()) {
        QWidget* cw = WidgetOf(client_);
        clientSize = cw->size();
        w->setCentralWidget(cw);
        cw->show();
    }
    CreateChildren();
    SetupWindow();
    // The frame fits around its client, menu bar and status bar; a client without a size of
    // its own (no layout) keeps the frame's.
    if (client_ && WidgetOf(client_) && clientSize.isValid()) {
        int extra = 0;
        if (w->menuWidget() && w->menuWidget()->isVisibleTo(w))
            extra += w->menuWidget()->sizeHint().height();
        if (auto* bar = w->findChild<QStatusBar*>(); bar && bar->isVisibleTo(w))
            extra += bar->sizeHint().height();
        w->resize(clientSize.width(), clientSize.height() + extra);
    }
    if (Attr.W > 0 && Attr.H > 0) MoveWindow(Attr.X, Attr.Y, Attr.W, Attr.H);
    if (!(Attr.Style & WS_NOTVISIBLE)) {
        w->show();
        NoteTopLevelShown(w);
    }
    return true;
}

void TFrameWindow::Destroy(int retVal) {
    if (client_ && client_->IsWindow()) client_->Destroy(retVal);
    TWindow::Destroy(retVal);
}

bool TFrameWindow::CanClose() {
    return TWindow::CanClose();
}

void TFrameWindow::EvCommand(unsigned id, HWND hWndCtl, unsigned notifyCode) {
    if (DispatchNotify(int(id), notifyCode)) return;
    if (client_ && client_->IsWindow()) client_->EvCommand(id, hWndCtl, notifyCode);
}

void TFrameWindow::SetMenu(std::vector<TMenuPopup> menu) {
    menu_ = std::move(menu);
    auto* w = qobject_cast<QMainWindow*>(WidgetOf(this));
    if (!w) return;
    QMenuBar* bar = w->menuBar();
    bar->clear();
    for (const TMenuPopup& popup : menu_) {
        QMenu* m = bar->addMenu(QStr(popup.title));
        for (const TMenuItem& item : popup.items) {
            if (item.id == 0) {
                m->addSeparator();
                continue;
            }
            QAction* a = m->addAction(QStr(item.text));
            a->setProperty("orvlId", item.id);
            int id = item.id;
            QObject::connect(a, &QAction::triggered, w,
                             [this, id] { EvCommand(unsigned(id), nullptr, 0); });
        }
    }
    bar->setVisible(!menu_.empty());
}

namespace {
QAction* FindMenuAction(QWidget* frame, int id) {
    auto* w = qobject_cast<QMainWindow*>(frame);
    if (!w || !w->menuWidget()) return nullptr;
    for (QAction* a : w->menuBar()->findChildren<QAction*>())
        if (a->property("orvlId").toInt() == id) return a;
    return nullptr;
}
} // namespace

void TFrameWindow::EnableMenuItem(int id, bool enable) {
    if (QAction* a = FindMenuAction(WidgetOf(this), id)) a->setEnabled(enable);
}

bool TFrameWindow::ChooseMenuItem(int id) {
    QAction* a = FindMenuAction(WidgetOf(this), id);
    if (!a || !a->isEnabled()) return false;
    a->trigger();
    return true;
}

void TFrameWindow::ClientClosed() {
    if (IsWindow()) Destroy(0);
}

// ---- TDecoratedFrame
// -----------------------------------------------------------------------------

TDecoratedFrame::TDecoratedFrame(TWindow* parent, const char* title, TWindow* client, bool,
                                 TModule* module)
    : TFrameWindow(parent, title, client, false, module) {}

void TDecoratedFrame::Insert(TStatusBar& bar, TLocation) {
    statusBar_ = &bar;
    bar.SetParentObject(this);
    if (IsWindow()) bar.Create();
}

bool TDecoratedFrame::Create() {
    return TFrameWindow::Create();
}

void TFrameWidget::closeEvent(QCloseEvent* e) {
    e->ignore();
    if (TWindow* owner = WindowOf(this))
        owner->EvClose();
    else
        e->accept();
}
