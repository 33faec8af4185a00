#include "dialog.h"

#include "dlgres.h"
#include "frame.h"
#include "qtbridge.h"
#include "widgets_p.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <cstdio>
#include <vector>

namespace {

QWidget* MakeControl(const TDlgItem& item, QWidget* parent) {
    const uint32_t s = item.style;
    const QString caption = QStr(item.caption);
    QWidget* w = nullptr;
    switch (item.kind) {
    case TCtlKind::PushButton: {
        auto* b = new TForward<QPushButton>(caption, parent);
        b->setAutoDefault(true);
        if (s & BS_DEFPUSHBUTTON) b->setDefault(true);
        QObject::connect(b, &QPushButton::clicked, b, [b] { NotifyParent(b, BN_CLICKED); });
        w = b;
        break;
    }
    case TCtlKind::CheckBox: {
        auto* b = new TForward<QCheckBox>(caption, parent);
        QObject::connect(b, &QCheckBox::clicked, b, [b] { NotifyParent(b, BN_CLICKED); });
        w = b;
        break;
    }
    case TCtlKind::RadioButton: {
        auto* b = new TRadioWidget(caption, parent);
        b->setAutoExclusive(false);
        QObject::connect(b, &QRadioButton::clicked, b, [b] { NotifyParent(b, BN_CLICKED); });
        w = b;
        break;
    }
    case TCtlKind::GroupBox:
        w = new TForward<QGroupBox>(caption, parent);
        break;
    case TCtlKind::Edit: {
        if (s & ES_MULTILINE) {
            auto* e = new TMultiLineEdit(parent, s & ES_WANTRETURN);
            e->setPlainText(WinLinesToQt(caption));
            e->setReadOnly(s & ES_READONLY);
            e->setTabChangesFocus(true);
            QObject::connect(e, &QPlainTextEdit::textChanged, e,
                             [e] { NotifyParent(e, EN_CHANGE); });
            w = e;
        } else {
            auto* e = new TForward<QLineEdit>(caption, parent);
            e->setReadOnly(s & ES_READONLY);
            if (s & ES_PASSWORD) e->setEchoMode(QLineEdit::Password);
            if (s & ES_RIGHT)
                e->setAlignment(Qt::AlignRight);
            else if (s & ES_CENTER)
                e->setAlignment(Qt::AlignHCenter);
            QObject::connect(e, &QLineEdit::textChanged, e, [e] { NotifyParent(e, EN_CHANGE); });
            w = e;
        }
        break;
    }
    case TCtlKind::Static: {
        auto* l = new TForward<QLabel>(parent);
        l->setTextFormat(Qt::PlainText);
        l->setProperty("orvlNoPrefix", bool(s & SS_NOPREFIX));
        SetControlText(l, caption);
        l->setWordWrap(true);
        Qt::Alignment h = (s & 3) == SS_CENTER  ? Qt::AlignHCenter
                          : (s & 3) == SS_RIGHT ? Qt::AlignRight
                                                : Qt::AlignLeft;
        l->setAlignment(h | Qt::AlignTop);
        if (s & SS_SUNKEN) l->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        w = l;
        break;
    }
    case TCtlKind::ListBox: {
        auto* l = new TForward<QListWidget>(parent);
        l->setSortingEnabled(s & LBS_SORT);
        QObject::connect(l, &QListWidget::currentRowChanged, l,
                         [l] { NotifyParent(l, LBN_SELCHANGE); });
        QObject::connect(l, &QListWidget::itemDoubleClicked, l,
                         [l] { NotifyParent(l, LBN_DBLCLK); });
        w = l;
        break;
    }
    case TCtlKind::ComboBox: {
        auto* c = new TForward<QComboBox>(parent);
        c->setEditable((s & 3) != CBS_DROPDOWNLIST);
        if (c->isEditable()) {
            c->setInsertPolicy(QComboBox::NoInsert);
            QObject::connect(c->lineEdit(), &QLineEdit::textEdited, c,
                             [c] { NotifyParent(c, CBN_EDITCHANGE); });
        }
        QObject::connect(c, &QComboBox::activated, c, [c] { NotifyParent(c, CBN_SELCHANGE); });
        w = c;
        break;
    }
    case TCtlKind::Frame: {
        auto* f = new TForward<QFrame>(parent);
        if (s & SS_SUNKEN) f->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        f->setProperty("orvlText", caption);
        w = f;
        break;
    }
    }
    w->setProperty("orvlId", item.id);
    w->setProperty("orvlGroupStart", bool(s & WS_GROUP));
    w->setMouseTracking(true);
    if (s & WS_DISABLED) w->setEnabled(false);
    if (s & WS_NOTVISIBLE) w->setVisible(false);
    // Statics, frames and group boxes never take the focus, as on Windows.
    if (item.kind == TCtlKind::Static || item.kind == TCtlKind::Frame ||
        item.kind == TCtlKind::GroupBox)
        w->setFocusPolicy(Qt::NoFocus);
    return w;
}

// Whether a static's text has an access key: an "&" before anything but a second "&".
bool HasAccessKey(const std::string& text) {
    for (size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != '&') continue;
        if (text[i + 1] != '&') return true;
        ++i;
    }
    return false;
}

// A static's access key moves the focus to the next control of the layout that can take it,
// as in a Windows dialog.
void LinkAccessKeys(const TDlgResource& layout, const std::vector<QWidget*>& made) {
    const auto& items = layout.items;
    for (size_t i = 0; i < items.size(); ++i) {
        auto* label = qobject_cast<QLabel*>(made[i]);
        if (!label || (items[i].style & SS_NOPREFIX) || !HasAccessKey(items[i].caption)) continue;
        for (size_t j = i + 1; j < items.size(); ++j) {
            const TCtlKind k = items[j].kind;
            if (k == TCtlKind::Static || k == TCtlKind::Frame || k == TCtlKind::GroupBox) continue;
            label->setBuddy(made[j]);
            SetControlText(label, label->property("orvlText").toString());
            break;
        }
    }
}

QFont DialogFont(const TDlgResource& layout) {
    QFont f(QString::fromStdString(layout.fontName));
    f.setPointSize(layout.fontPoints > 0 ? layout.fontPoints : 8);
    return f;
}

} // namespace

QSize DialogBaseUnits(const QFont& font) {
    // Windows measures the average width of the 52 letters and rounds it, and takes the
    // font's full height.
    QFontMetrics fm(font);
    int cx = fm.horizontalAdvance(
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    return QSize((cx / 26 + 1) / 2, fm.height());
}

// ---- radio groups -------------------------------------------------------------------------------

void CheckInGroup(QAbstractButton* radio) {
    QWidget* parent = radio->parentWidget();
    radio->setChecked(true);
    if (!parent) return;
    // The group runs from the last control with WS_GROUP before the radio button to the next
    // control with WS_GROUP, in layout order.
    const QObjectList& siblings = parent->children();
    int at = int(siblings.indexOf(radio));
    int first = at;
    while (first > 0 && !siblings[first]->property("orvlGroupStart").toBool()) --first;
    for (int i = first; i < siblings.size(); ++i) {
        if (i > first && siblings[i]->property("orvlGroupStart").toBool()) break;
        auto* other = qobject_cast<QRadioButton*>(siblings[i]);
        if (other && other != radio) other->setChecked(false);
    }
}

void TRadioWidget::nextCheckState() {
    CheckInGroup(this);
}

// ---- the dialog widget --------------------------------------------------------------------------

void TDialogWidget::done(int r) {
    // Qt's own Enter/Escape handling ends up here; the dialog object decides.
    if (auto* dlg = dynamic_cast<TDialog*>(WindowOf(this)); dlg && isVisible() && dlg->IsWindow())
        return dlg->Destroy(r);
    QDialog::done(r);
}

void TDialogWidget::reject() {
    if (auto* dlg = dynamic_cast<TDialog*>(WindowOf(this))) return dlg->SendCommand(IDCANCEL);
    QDialog::reject();
}

void TDialogWidget::closeEvent(QCloseEvent* e) {
    e->ignore();
    if (TWindow* owner = WindowOf(this)) owner->EvClose();
}

void TDialogWidget::keyPressEvent(QKeyEvent* e) {
    auto* dlg = dynamic_cast<TDialog*>(WindowOf(this));
    if (!dlg || e->modifiers() & ~(Qt::KeypadModifier | Qt::ShiftModifier))
        return QDialog::keyPressEvent(e);
    if (e->key() == Qt::Key_Escape) {
        // A disabled cancel button means the dialog must not be left now (a computation runs).
        QWidget* cancel = FindControl(this, IDCANCEL);
        if (!cancel || cancel->isEnabled()) dlg->SendCommand(IDCANCEL);
        return;
    }
    if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
        if (auto* focused = qobject_cast<QPushButton*>(QApplication::focusWidget());
            focused && focused->window() == window())
            return focused->click();
        for (auto* b : findChildren<QPushButton*>())
            if (b->isDefault() && b->isEnabled() && b->isVisible() && b->window() == window())
                return b->click();
        QWidget* ok = FindControl(this, IDOK);
        if (ok && ok->isEnabled() && ok->isVisible()) dlg->SendCommand(IDOK);
        return;
    }
    QDialog::keyPressEvent(e);
}

// ---- TDialog ------------------------------------------------------------------------------------

TDialog::TDialog(TWindow* parent, TResId resId, TModule* module)
    : TWindow(parent, nullptr, module), resId_(resId) {}

TDialog::TDialog(TWindow* parent, const TDlgResource& layout, TModule* module)
    : TWindow(parent, nullptr, module), ownLayout_(new TDlgResource(layout)) {}

TDialog::~TDialog() = default;

const TDlgResource* TDialog::GetLayout() const {
    if (ownLayout_) return ownLayout_.get();
    if (Module) return Module->FindDialog(resId_);
    return TModule::Program().FindDialog(resId_);
}

void TDialog::MapDialogRect(TRect& r) const {
    const TDlgResource* layout = GetLayout();
    QFont font = layout ? DialogFont(*layout) : QApplication::font();
    QSize base = DialogBaseUnits(font);
    auto mx = [&](int v) { return (v * base.width() + (v >= 0 ? 2 : -2)) / 4; };
    auto my = [&](int v) { return (v * base.height() + (v >= 0 ? 4 : -4)) / 8; };
    r = TRect(mx(r.left), my(r.top), mx(r.right), my(r.bottom));
}

bool TDialog::Create() {
    if (IsWindow()) return true;
    const TDlgResource* layout = GetLayout();
    if (!layout) {
        // A program error, not the user's: say which layout is missing.
        std::fprintf(stderr, "orvelin: Dialogvorlage %d von %s fehlt.\n", resId_,
                     Module ? Module->GetName() : "ORVELIN.EXE");
        return false;
    }
    EnsureAppFilter();
    QWidget* parentWidget = WidgetOf(Parent);
    auto* w = new TDialogWidget(parentWidget);
    // The client of a frame lives inside the frame instead of over it.
    bool embedded =
        parentWidget && Parent->impl_->widget->property("orvlClient").value<quintptr>() ==
                            reinterpret_cast<quintptr>(this);
    if (embedded) w->setWindowFlags(Qt::Widget);
    w->setFont(DialogFont(*layout));
    impl_->Attach(w);
    Title = Title.empty() ? layout->caption : Title;
    w->setWindowTitle(QStr(Title));
    std::vector<QWidget*> made;
    for (const TDlgItem& item : layout->items) {
        TRect r(item.x, item.y, item.x + item.cx, item.y + item.cy);
        MapDialogRect(r);
        QWidget* c = MakeControl(item, w);
        // A combo box's height in a layout includes its dropped-down list.
        int height =
            qobject_cast<QComboBox*>(c) ? std::min(r.Height(), c->sizeHint().height()) : r.Height();
        c->setGeometry(r.left, r.top, r.Width(), height);
        made.push_back(c);
    }
    LinkAccessKeys(*layout, made);
    TRect size(0, 0, layout->cx, layout->cy);
    MapDialogRect(size);
    w->resize(size.right, size.bottom);
    if (!impl_->closeEntryEnabled) w->setWindowFlag(Qt::WindowCloseButtonHint, false);
    CreateChildren();
    SetupWindow();
    if (!modal_ && !(Attr.Style & WS_NOTVISIBLE)) {
        w->show();
        if (!embedded) NoteTopLevelShown(w);
    }
    return true;
}

int TDialog::Execute() {
    modal_ = true;
    if (!Create()) {
        modal_ = false;
        return -1;
    }
    auto* w = static_cast<QDialog*>(impl_->widget.data());
    w->setModal(true);
    QPointer<QDialog> guard(w);
    NoteTopLevelShown(w);
    RunModalLoopHook(true);
    int ret = w->exec();
    RunModalLoopHook(false);
    modal_ = false;
    if (guard) guard->deleteLater();
    return ret;
}

void TDialog::CloseWindow(int retVal) {
    if (CanClose()) Destroy(retVal);
}

void TDialog::Destroy(int retVal) {
    QWidget* w = impl_->widget;
    if (!w) return;
    if (!modal_) {
        bool embedded = !w->isWindow();
        TWindow::Destroy(retVal);
        // A frame's client that closes itself ("Beenden") closes the frame.
        if (auto* frame = dynamic_cast<TFrameWindow*>(Parent); embedded && frame)
            frame->ClientClosed();
        return;
    }
    CleanupWindow();
    impl_->Detach();
    static_cast<QDialog*>(w)->QDialog::done(retVal);
}

void TDialog::EvCommand(unsigned id, HWND hWndCtl, unsigned notifyCode) {
    if (DispatchNotify(int(id), notifyCode)) return;
    if (notifyCode != BN_CLICKED) return;
    if (id == IDOK)
        CmOk();
    else if (id == IDCANCEL)
        CmCancel();
    (void)hWndCtl;
}

void TDialog::CmOk() {
    CloseWindow(IDOK);
}
void TDialog::CmCancel() {
    Destroy(IDCANCEL);
}

void TDialog::AddAccelerator(int virtualKey, int id) {
    accelerators_[virtualKey] = id;
}

int TDialog::FindAccelerator(int virtualKey) const {
    auto it = accelerators_.find(virtualKey);
    return it == accelerators_.end() ? 0 : it->second;
}
