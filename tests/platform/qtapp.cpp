// One application object for a test program of the layer or a library above it, offscreen and
// in the headless mode.
#include "application.h"
#include "headless.h"

#include <cstdlib>
#include <gtest/gtest.h>

namespace {
class TQtEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
        static int argc = 1;
        static char name[] = "orvelin_tests";
        static char* argv[] = {name, nullptr};
        app_ = new TApplication(argc, argv);
        SetHeadless(true);
    }
    void TearDown() override { delete app_; }

private:
    TApplication* app_ = nullptr;
};

const auto* const registered = ::testing::AddGlobalTestEnvironment(new TQtEnvironment);
} // namespace
