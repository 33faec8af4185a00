#include "window_helper.h"

#include "controls.h"
#include "window.h"

#include <QTimer>

namespace {
// The window of the result fields; the application object is the one of the layer's tests.
TWindow* window = nullptr;
} // namespace

HWND CreateResultField() {
    if (!window) window = new TWindow(nullptr, "Rechner");
    auto* field =
        new TStatic(window, 283 + int(window->Children().size()), "kein Ergebnis", 0, 0, 200, 20);
    if (window->IsWindow())
        field->Create();
    else
        window->Create();
    return field->GetHandle();
}

std::string ResultFieldText(HWND field) {
    char text[300];
    GetWindowText(field, text, sizeof text);
    return text;
}

void PostToMessageLoop(void (*step)(void*), void* context) {
    QTimer::singleShot(0, [step, context] { step(context); });
}
