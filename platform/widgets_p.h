// The widgets the layer makes for its windows: each passes paint, focus, mouse and size events
// on to its window object after Qt has handled them (the "platform's own handling first").
#pragma once

#include "qtbridge.h"

#include <QAbstractScrollArea>
#include <QCloseEvent>
#include <QDialog>
#include <QKeyEvent>
#include <QMainWindow>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QWheelEvent>
#include <utility>
#include <vector>

// While it lives, the controls of `window` that the keyboard cannot reach (IsReachable) take
// no Tab focus, so that Qt's own walk through the focus chain passes them by.
class TUnreachableOutOfTabChain {
public:
    explicit TUnreachableOutOfTabChain(QWidget* window);
    ~TUnreachableOutOfTabChain();
    TUnreachableOutOfTabChain(const TUnreachableOutOfTabChain&) = delete;
    TUnreachableOutOfTabChain& operator=(const TUnreachableOutOfTabChain&) = delete;

private:
    std::vector<std::pair<QPointer<QWidget>, Qt::FocusPolicy>> taken_;
};

template <class Base> class TForward : public Base {
public:
    using Base::Base;

protected:
    // Tab, Shift+Tab and the arrow keys end up in the window's focusNextPrevChild.
    bool focusNextPrevChild(bool next) override {
        if (!this->isWindow()) return Base::focusNextPrevChild(next);
        TUnreachableOutOfTabChain scope(this);
        return Base::focusNextPrevChild(next);
    }
    void paintEvent(QPaintEvent* e) override {
        Base::paintEvent(e);
        ForwardPaint(this, e);
    }
    void focusInEvent(QFocusEvent* e) override {
        Base::focusInEvent(e);
        ForwardFocus(this, true);
    }
    void focusOutEvent(QFocusEvent* e) override {
        Base::focusOutEvent(e);
        ForwardFocus(this, false);
    }
    void mouseMoveEvent(QMouseEvent* e) override {
        Base::mouseMoveEvent(e);
        ForwardMouse(this, e);
    }
    void mousePressEvent(QMouseEvent* e) override {
        Base::mousePressEvent(e);
        ForwardMouse(this, e);
    }
    void mouseReleaseEvent(QMouseEvent* e) override {
        Base::mouseReleaseEvent(e);
        ForwardMouse(this, e);
    }
    void enterEvent(QEnterEvent* e) override {
        Base::enterEvent(e);
        ForwardMouse(this, e);
    }
    void keyPressEvent(QKeyEvent* e) override {
        Base::keyPressEvent(e);
        ForwardChar(this, e);
    }
    void wheelEvent(QWheelEvent* e) override {
        Base::wheelEvent(e);
        // Scrolling widgets keep their wheel; the others tell their window object.
        if (!e->isAccepted() || !qobject_cast<QAbstractScrollArea*>(this)) ForwardWheel(this, e);
    }
    void resizeEvent(QResizeEvent* e) override {
        Base::resizeEvent(e);
        ForwardResize(this);
    }
    void moveEvent(QMoveEvent* e) override {
        Base::moveEvent(e);
        ForwardMove(this);
    }
};

// A multi-line edit: without ES_WANTRETURN, Enter belongs to the dialog (its default button),
// as in a Windows dialog.
class TMultiLineEdit : public TForward<QPlainTextEdit> {
public:
    TMultiLineEdit(QWidget* parent, bool wantReturn)
        : TForward<QPlainTextEdit>(parent), wantReturn_(wantReturn) {}

protected:
    void keyPressEvent(QKeyEvent* e) override {
        bool enter = e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter;
        if (enter && !wantReturn_ && !(e->modifiers() & Qt::ControlModifier)) return e->ignore();
        TForward<QPlainTextEdit>::keyPressEvent(e);
    }

private:
    bool wantReturn_;
};

// A radio button with the Windows group rule: checking it unchecks the other radio buttons of
// its group (the controls from the last WS_GROUP control up to the next one), whatever their
// parent widget.
class TRadioWidget : public TForward<QRadioButton> {
public:
    using TForward<QRadioButton>::TForward;

protected:
    void nextCheckState() override;
};
// Checks `radio` and unchecks the rest of its group.
void CheckInGroup(QAbstractButton* radio);

class TDialogWidget : public TForward<QDialog> {
public:
    explicit TDialogWidget(QWidget* parent) : TForward<QDialog>(parent) {}
    void done(int r) override;

protected:
    void closeEvent(QCloseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void reject() override;
};

class TFrameWidget : public TForward<QMainWindow> {
public:
    using TForward<QMainWindow>::TForward;

protected:
    void closeEvent(QCloseEvent* e) override;
};

class TPlainWidget : public TForward<QWidget> {
public:
    using TForward<QWidget>::TForward;

protected:
    void closeEvent(QCloseEvent* e) override;
};
