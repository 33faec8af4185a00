// One application object for all tests of the controls library: the suite's own application
// class, offscreen and in the headless mode.
#include "headless.h"
#include "mainframe.h"

#include <cstdlib>
#include <gtest/gtest.h>

TMainApp* g_testApp = nullptr;

namespace {
class TQtEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
        static int argc = 1;
        static char name[] = "controls_tests";
        static char* argv[] = {name, nullptr};
        g_testApp = new TMainApp(argc, argv);
        SetHeadless(true);
    }
    void TearDown() override {
        delete g_testApp;
        g_testApp = nullptr;
    }
};

const auto* const registered = ::testing::AddGlobalTestEnvironment(new TQtEnvironment);
} // namespace
