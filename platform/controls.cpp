#include "controls.h"

#include "dlgres.h"
#include "qtbridge.h"
#include "widgets_p.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextBlock>
#include <algorithm>
#include <cstring>

namespace {

enum CodeKind { kFrame, kButton, kDefButton, kStatic };

// Attaches `control` to its widget in the parent's window, once both exist.
void AttachById(TWindow* control) {
    QWidget* w = FindControl(WidgetOf(control->Parent), control->Attr.Id);
    if (w) control->impl_->Attach(w);
}

template <class W> W* As(const TWindow* window) {
    return qobject_cast<W*>(WidgetOf(window));
}

} // namespace

TControl::TControl(TWindow* parent, int id, TModule* module) : TWindow(parent, nullptr, module) {
    Attr.Id = id;
    if (parent && parent->IsWindow()) AttachById(this);
}

TControl::TControl(TWindow* parent, int id, const char* title, int x, int y, int w, int h,
                   TModule* module)
    : TControl(parent, id, title, x, y, w, h, module, kFrame) {}

TControl::TControl(TWindow* parent, int id, const char* title, int x, int y, int w, int h,
                   TModule* module, int kind)
    : TWindow(parent, title, module), createdInCode_(true) {
    Attr.Id = id;
    Attr.X = x, Attr.Y = y, Attr.W = w, Attr.H = h;
    Attr.Style = uint32_t(kind);
}

bool TControl::Create() {
    if (IsWindow()) return true;
    if (!createdInCode_) {
        AttachById(this);
        if (IsWindow()) SetupWindow();
        return IsWindow();
    }
    QWidget* parent = WidgetOf(Parent);
    if (!parent) return false;
    QWidget* w = nullptr;
    const QString title = QStr(Title);
    switch (Attr.Style) {
    case kButton:
    case kDefButton: {
        auto* b = new TForward<QPushButton>(title, parent);
        b->setDefault(Attr.Style == kDefButton);
        QObject::connect(b, &QPushButton::clicked, b, [b] { NotifyParent(b, BN_CLICKED); });
        w = b;
        break;
    }
    case kStatic: {
        auto* l = new TForward<QLabel>(parent);
        l->setTextFormat(Qt::PlainText);
        SetControlText(l, title);
        l->setWordWrap(true);
        l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        w = l;
        break;
    }
    default: {
        auto* f = new TForward<QFrame>(parent);
        f->setProperty("orvlText", title);
        w = f;
    }
    }
    w->setGeometry(Attr.X, Attr.Y, Attr.W, Attr.H);
    impl_->Attach(w);
    CreateChildren();
    SetupWindow();
    w->show();
    return true;
}

TButton::TButton(TWindow* parent, int id, const char* text, int x, int y, int w, int h,
                 bool isDefault, TModule* module)
    : TControl(parent, id, text, x, y, w, h, module, isDefault ? kDefButton : kButton) {}

void TButton::Click() {
    if (auto* b = As<QAbstractButton>(this)) {
        b->setFocus(Qt::MouseFocusReason);
        b->click();
    }
}

unsigned TCheckBox::GetCheck() const {
    auto* b = As<QAbstractButton>(this);
    return b && b->isChecked() ? BF_CHECKED : BF_UNCHECKED;
}

void TCheckBox::SetCheck(unsigned state) {
    if (auto* b = As<QAbstractButton>(this)) b->setChecked(state == BF_CHECKED);
}

TStatic::TStatic(TWindow* parent, int id, const char* title, int x, int y, int w, int h,
                 unsigned textLimit, TModule* module)
    : TControl(parent, id, title, x, y, w, h, module, kStatic), TextLimit(textLimit) {}

// ---- TEdit
// ---------------------------------------------------------------------------------------

TEdit::TEdit(TWindow* parent, int id, unsigned textLimit, TModule* module)
    : TStatic(parent, id, textLimit, module) {
    if (IsWindow() && textLimit) LimitText(textLimit);
}

bool TEdit::Create() {
    bool ok = TStatic::Create();
    if (ok && TextLimit) LimitText(TextLimit);
    return ok;
}

void TEdit::SetReadOnly(bool readOnly) {
    if (auto* e = As<QLineEdit>(this)) e->setReadOnly(readOnly);
    if (auto* e = As<QPlainTextEdit>(this)) e->setReadOnly(readOnly);
}

bool TEdit::IsReadOnly() const {
    if (auto* e = As<QLineEdit>(this)) return e->isReadOnly();
    if (auto* e = As<QPlainTextEdit>(this)) return e->isReadOnly();
    return false;
}

bool TEdit::IsMultiLine() const {
    return As<QPlainTextEdit>(this) != nullptr;
}

void TEdit::GetSelection(int& start, int& end) const {
    start = end = 0;
    if (auto* e = As<QLineEdit>(this)) {
        start = e->hasSelectedText() ? e->selectionStart() : e->cursorPosition();
        end = e->hasSelectedText() ? e->selectionEnd() : start;
    } else if (auto* e = As<QPlainTextEdit>(this)) {
        QTextCursor c = e->textCursor();
        start = c.selectionStart();
        end = c.selectionEnd();
    }
}

void TEdit::SetSelection(int start, int end) {
    if (auto* e = As<QLineEdit>(this)) {
        if (start < 0) return e->deselect();
        int len = int(e->text().size());
        if (end < 0 || end > len) end = len;
        e->setSelection(start, end - start);
    } else if (auto* e = As<QPlainTextEdit>(this)) {
        QTextCursor c = e->textCursor();
        int len = e->document()->characterCount() - 1;
        c.setPosition(std::clamp(start, 0, len));
        c.setPosition(end < 0 ? len : std::clamp(end, 0, len), QTextCursor::KeepAnchor);
        e->setTextCursor(c);
    }
}

void TEdit::Insert(const char* text) {
    if (auto* e = As<QLineEdit>(this))
        e->insert(QStr(text));
    else if (auto* e = As<QPlainTextEdit>(this))
        e->insertPlainText(WinLinesToQt(QStr(text)));
}

void TEdit::LimitText(unsigned maxChars) {
    TextLimit = maxChars;
    // Windows counts the limit without the terminating zero that callers include.
    if (auto* e = As<QLineEdit>(this)) e->setMaxLength(maxChars > 1 ? int(maxChars) - 1 : 32767);
}

int TEdit::GetNumLines() const {
    if (auto* e = As<QPlainTextEdit>(this)) return e->document()->blockCount();
    return IsWindow() ? 1 : 0;
}

// ---- TListBoxData
// --------------------------------------------------------------------------------

void TListBoxData::AddString(const char* text, bool isSelected) {
    strings_.push_back(text ? text : "");
    if (isSelected) Select(int(strings_.size()) - 1);
}

void TListBoxData::Clear() {
    strings_.clear();
    selIndices_.clear();
}

void TListBoxData::Select(int index) {
    if (index < 0 || index >= int(strings_.size())) return;
    if (std::find(selIndices_.begin(), selIndices_.end(), index) == selIndices_.end())
        selIndices_.push_back(index);
}

void TListBoxData::SelectString(const char* text) {
    for (size_t i = 0; i < strings_.size(); ++i)
        if (strings_[i] == (text ? text : "")) return Select(int(i));
}

int TListBoxData::GetSelString(char* out, int maxChars, int index) const {
    if (index < 0 || index >= int(selIndices_.size()) || !out || maxChars <= 0) return -1;
    const std::string& s = strings_[size_t(selIndices_[size_t(index)])];
    int n = std::min(int(s.size()), maxChars - 1);
    std::memcpy(out, s.data(), size_t(n));
    out[n] = 0;
    return n;
}

// ---- TListBox and TComboBox
// ----------------------------------------------------------------------

namespace {

// Both list kinds through one small interface.
struct ListView {
    QListWidget* list;
    QComboBox* combo;
    explicit ListView(const TWindow* w) : list(As<QListWidget>(w)), combo(As<QComboBox>(w)) {}
    bool Ok() const { return list || combo; }
    int Count() const { return list ? list->count() : combo ? combo->count() : 0; }
    QString Item(int i) const { return list ? list->item(i)->text() : combo->itemText(i); }
};

} // namespace

int TListBox::AddString(const char* text) {
    ListView v(this);
    if (v.list) {
        v.list->addItem(QStr(text));
        // A sorted list puts the line where it belongs; report where.
        auto found = v.list->findItems(QStr(text), Qt::MatchExactly);
        return found.isEmpty() ? v.list->count() - 1 : v.list->row(found.last());
    }
    if (v.combo) {
        v.combo->addItem(QStr(text));
        return v.combo->count() - 1;
    }
    return -1;
}

int TListBox::InsertString(const char* text, int index) {
    ListView v(this);
    if (!v.Ok()) return -1;
    if (index < 0 || index > v.Count()) index = v.Count();
    if (v.list)
        v.list->insertItem(index, QStr(text));
    else
        v.combo->insertItem(index, QStr(text));
    return index;
}

int TListBox::DeleteString(int index) {
    ListView v(this);
    if (!v.Ok() || index < 0 || index >= v.Count()) return -1;
    if (v.list)
        delete v.list->takeItem(index);
    else
        v.combo->removeItem(index);
    return v.Count();
}

void TListBox::ClearList() {
    ListView v(this);
    if (v.list) v.list->clear();
    if (v.combo) {
        QString text = v.combo->isEditable() ? v.combo->currentText() : QString();
        v.combo->clear();
        if (v.combo->isEditable()) v.combo->setEditText(text);
    }
}

int TListBox::GetCount() const {
    return ListView(this).Count();
}

int TListBox::GetStringLen(int index) const {
    ListView v(this);
    if (!v.Ok() || index < 0 || index >= v.Count()) return -1;
    return int(CpStr(v.Item(index)).size());
}

int TListBox::GetString(char* out, int index) const {
    ListView v(this);
    if (!v.Ok() || !out || index < 0 || index >= v.Count()) return -1;
    std::string s = CpStr(v.Item(index));
    std::memcpy(out, s.c_str(), s.size() + 1);
    return int(s.size());
}

int TListBox::GetSelIndex() const {
    ListView v(this);
    if (v.list)
        return v.list->currentItem() && v.list->currentItem()->isSelected() ? v.list->currentRow()
                                                                            : -1;
    return v.combo ? v.combo->currentIndex() : -1;
}

int TListBox::SetSelIndex(int index) {
    ListView v(this);
    if (!v.Ok()) return -1;
    if (index < -1 || index >= v.Count()) return -1;
    if (v.list) {
        if (index < 0) v.list->clearSelection();
        v.list->setCurrentRow(index);
    } else {
        v.combo->setCurrentIndex(index);
    }
    return index;
}

int TListBox::FindString(const char* prefix, int startAfter) const {
    ListView v(this);
    QString p = QStr(prefix);
    for (int i = startAfter + 1; i < v.Count(); ++i)
        if (v.Item(i).startsWith(p, Qt::CaseInsensitive)) return i;
    return -1;
}

int TListBox::FindExactString(const char* text, int startAfter) const {
    ListView v(this);
    QString t = QStr(text);
    for (int i = startAfter + 1; i < v.Count(); ++i)
        if (v.Item(i).compare(t, Qt::CaseInsensitive) == 0) return i;
    return -1;
}

int TListBox::SetSelString(const char* prefix, int startAfter) {
    int i = FindString(prefix, startAfter);
    return i < 0 ? -1 : SetSelIndex(i);
}

void TListBox::Transfer(TListBoxData& data, TTransferDirection direction) {
    if (direction == tdSetData) {
        ClearList();
        for (const std::string& s : data.GetStrings()) InsertString(s.c_str(), -1);
        SetSelIndex(data.GetSelIndices().empty() ? -1 : data.GetSelIndices().front());
        return;
    }
    data.Clear();
    int sel = GetSelIndex();
    ListView v(this);
    for (int i = 0; i < v.Count(); ++i) data.AddString(CpStr(v.Item(i)).c_str(), i == sel);
}

void TComboBox::SetText(const char* text) {
    SetWindowText(text);
}

void TComboBox::ShowList(bool show) {
    if (auto* c = As<QComboBox>(this)) show ? c->showPopup() : c->hidePopup();
}

bool TComboBox::GetDroppedState() const {
    auto* c = As<QComboBox>(this);
    return c && c->view() && c->view()->isVisible();
}
