// The layer's Qt side, for the layer itself and for the .cpp files of the program and of the
// printing code that must hand Qt objects to the layer (a printer's painter, a frame's widget).
// Never include this from a header of controls/, companion/ or modules/.
#pragma once

#include "dc.h"
#include "window.h"

#include <QImage>
#include <QPointer>
#include <QRect>
#include <QString>
#include <QWidget>
#include <map>
#include <string>

class QPainter;
class QPaintDevice;
class QTimer;

// Windows-1252 ⇄ QString.
QString QStr(const char* cp1252);
QString QStr(const std::string& cp1252);
std::string CpStr(const QString& text);
// "\r\n" and lone "\r" become "\n" (message texts, edit texts).
QString WinLinesToQt(const QString& text);

struct TWindowImpl {
    TWindow* owner = nullptr;
    QPointer<QWidget> widget;
    std::map<unsigned, QTimer*> timers;
    bool closeEntryEnabled = true;
    bool deleteOnClose = false;
    // During the widget's paint: where a TPaintDC draws.
    bool inPaint = false;
    QPaintDevice* paintDevice = nullptr;
    QRect paintRect;
    // What TClientDCs drew since the last invalidation; painted over the window.
    QImage overlay;
    // Set by TWindow::EvChar: the window left the character to its parent.
    bool charUnused = false;

    void Attach(QWidget* w);
    void Detach();
    void StopTimers();
};

// The widget of a window object (null before Create and after Destroy) and back.
QWidget* WidgetOf(const TWindow* window);
TWindow* WindowOf(const QWidget* widget);
inline QWidget* WidgetOf(HWND h) {
    return reinterpret_cast<QWidget*>(h);
}
inline HWND HandleOf(const QWidget* w) {
    return reinterpret_cast<HWND>(const_cast<QWidget*>(w));
}
// The control id a widget was made with (0 for none).
int ControlIdOf(const QWidget* w);
// The control `id` inside the window `top` (not inside other top-level windows).
QWidget* FindControl(QWidget* top, int id);
// What the control shows as text: a button's caption with its "&", an edit's text with "\r\n"
// line ends, a list's current line, a static's text.
QString ControlText(const QWidget* w);
void SetControlText(QWidget* w, const QString& text);

// Sends a control's notification to the window object that holds it (EvCommand).
void NotifyParent(QWidget* control, unsigned code);

// Event forwarding from the layer's widgets to their window objects.
void ForwardPaint(QWidget* w, QPaintEvent* e);
void ForwardFocus(QWidget* w, bool in);
void ForwardMouse(QWidget* w, QEvent* e);
void ForwardWheel(QWidget* w, class QWheelEvent* e);
// A key press that the widget left unused: its character goes to EvChar of the window object,
// and the event stays unused (for the parent) only when EvChar leaves it so.
void ForwardChar(QWidget* w, class QKeyEvent* e);
void ForwardResize(QWidget* w);
void ForwardMove(QWidget* w);

struct TBitmapImpl {
    QImage image;
};

// A TDC drawing with a painter the caller owns (a printer's or PDF writer's page).
class TPainterDC : public TDC {
public:
    explicit TPainterDC(QPainter& painter);
    ~TPainterDC() override;
};

// Makes the window of `w` the active one, also where no window manager does it.
void ActivateTop(QWidget* w);
// Tracks the order in which top-level windows were shown or activated.
void NoteTopLevelShown(QWidget* w);
// Installs the layer's keyboard filter (accelerators, the F1 filter) and the window tracking.
void EnsureAppFilter();
// The dialog font's base units (pixels per 4 horizontal, 8 vertical dialog units).
QSize DialogBaseUnits(const QFont& font);
void RunModalLoopHook(bool entering);
// Whether the dialog keyboard filter is on.
bool DialogKeyFilterOn();
// Whether a control can be reached by the keyboard: shown, and not lying wholly outside the
// visible part of its window (the controls of a closed key pad lie below the window's edge).
bool IsReachable(const QWidget* w);
// Ends the main loop when no window of the program is shown any more (checked once the
// current event is handled; nothing happens while quitting on the last window is off).
void QuitWhenNoWindowLeft();
