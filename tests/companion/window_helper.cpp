#include "window_helper.h"

#include "application.h"
#include "controls.h"
#include "headless.h"
#include "window.h"

#include <QTimer>
#include <cstdlib>
#include <gtest/gtest.h>

namespace {
// One application object for all tests, offscreen and headless.
class TQtEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
        static int argc = 1;
        static char name[] = "companion_tests";
        static char* argv[] = {name, nullptr};
        app_ = new TApplication(argc, argv);
        SetHeadless(true);
    }
    void TearDown() override {
        delete window_;
        delete app_;
    }
    TWindow* window_ = nullptr;

private:
    TApplication* app_ = nullptr;
};

TQtEnvironment* const environment =
    static_cast<TQtEnvironment*>(::testing::AddGlobalTestEnvironment(new TQtEnvironment));
} // namespace

void* CreateResultField() {
    if (!environment->window_) environment->window_ = new TWindow(nullptr, "Rechner");
    auto* field =
        new TStatic(environment->window_, 283 + int(environment->window_->Children().size()),
                    "kein Ergebnis", 0, 0, 200, 20);
    if (environment->window_->IsWindow())
        field->Create();
    else
        environment->window_->Create();
    return field->GetHandle();
}

std::string ResultFieldText(void* field) {
    char text[300];
    GetWindowText(static_cast<HWND>(field), text, sizeof text);
    return text;
}

void PostToMessageLoop(void (*step)(void*), void* context) {
    QTimer::singleShot(0, [step, context] { step(context); });
}
