// The function object: set up on construction, both constructors, progress texts in the output
// window, and the cancel question.
#include "vdfunction.h"
#include "window_helper.h"

#include <array>
#include <gtest/gtest.h>
#include <memory>
#include <string>

namespace {

// A text long enough that its set-up takes several rounds of the compiler.
std::string LongSum(int terms) {
    std::string text = "x";
    for (int i = 1; i < terms; ++i) text += "+" + std::to_string(i) + "*x";
    return text;
}

TEST(FunctionObject, IsSetUpWhenConstructed) {
    vdFunction f("x^2+y", 6, "xyzuvw", 1, nullptr, true, true);
    EXPECT_FALSE(f.GetIsError());
    long double values[6] = {3, 1, 0, 0, 0, 0};
    EXPECT_EQ(f.GetResultExt(values), 10.0L);
    EXPECT_TRUE(f.GetIsOriginFunc("x^2+y"));

    vdFunction constant("2*pi", 0, "", 1, nullptr, true, true);
    EXPECT_NEAR(static_cast<double>(constant.GetResult()), 6.283185307179586, 1e-12);

    vdFunction faulty("2*q", 6, "xyzuvw", 1, nullptr, true, true);
    EXPECT_EQ(faulty.GetGlobalError(), 3);
    char text[200];
    faulty.GetErrorTypeText(text);
    EXPECT_STREQ(text, "Unbekannte Konstante oder Variable 'q' in der Funktion.");
}

TEST(FunctionObject, ReadsNumbersInItsBase) {
    vdFunction hex("FF", 16, 1, nullptr, true, true);
    EXPECT_EQ(hex.GetBase(), 16);
    EXPECT_EQ(hex.GetResult(), 255.0L);
    vdFunction bin("10+1", 2, 1, nullptr, true, true);
    EXPECT_EQ(bin.GetResult(), 3.0L);
    vdFunction wrong("102", 2, 1, nullptr, true, true);
    EXPECT_GT(wrong.GetGlobalError(), 0);
}

TEST(FunctionObject, AngularUnitAndRebuildKeepWorking) {
    vdFunction f("sin(x)", 6, "xyzuvw", 1, nullptr, true, true);
    f.SetAngularUnitTo(1);
    EXPECT_NEAR(static_cast<double>(f.GetResult(30.0L)), 0.5, 1e-15);
    f.SetNewFunction("cos(x)");
    EXPECT_NEAR(static_cast<double>(f.GetResult(60.0L)), 0.5, 1e-15);
}

TEST(FunctionObject, ShowsProgressInItsOutputWindow) {
    HWND field = CreateResultField();
    vdFunction f(LongSum(40).c_str(), 6, "xyzuvw", 1, field, true, true);
    EXPECT_FALSE(f.GetIsError());
    EXPECT_EQ(f.GetOutputWindow(), field);
    // The compiler's last progress text stays in the field until the caller writes its result.
    EXPECT_NE(ResultFieldText(field).find("% der Funktionsbestimmung durchgeführt"),
              std::string::npos)
        << ResultFieldText(field);

    // A window set later receives the texts of a rebuild; the first one no longer does.
    HWND other = CreateResultField();
    f.SetOutputWindow(other);
    EXPECT_EQ(ResultFieldText(other), "kein Ergebnis");
    f.SetNewFunction("2*x!");
    EXPECT_NE(ResultFieldText(other).find("der Funktionsbestimmung"), std::string::npos);

    // Without a window nothing is shown anywhere.
    f.SetOutputWindow(nullptr);
    const std::string before = ResultFieldText(other);
    f.SetNewFunction(LongSum(10).c_str());
    EXPECT_EQ(ResultFieldText(other), before);
}

TEST(FunctionObject, LibraryWideQueryCancelsTheConstructorSetUp) {
    int asked = 0;
    auto previous = vdFunction::SetQuitQuery([&asked] { return ++asked >= 3; });
    vdFunction f(LongSum(20).c_str(), 6, "xyzuvw", 1, nullptr, true, true);
    vdFunction::SetQuitQuery(previous);
    EXPECT_EQ(asked, 3);
    EXPECT_TRUE(f.GetIsError());
    EXPECT_EQ(f.GetGlobalError(), 11);
    char text[200];
    f.GetErrorTypeText(text);
    EXPECT_STREQ(text, "Abbruch durch den Anwender.");
    EXPECT_EQ(f.GetResultExt(std::array<long double, 6>{}.data()), 0.0L);

    // Without the query the same text sets up.
    vdFunction again(LongSum(20).c_str(), 6, "xyzuvw", 1, nullptr, true, true);
    EXPECT_EQ(again.GetGlobalError(), 0);
}

void PressCancel(void* object) {
    static_cast<vdFunction*>(object)->SetQuit(true);
}

TEST(FunctionObject, CancelButtonStopsARebuildThroughTheMessageLoop) {
    vdFunction f("1+2", 6, "xyzuvw", 1, nullptr, true, true);
    // The click arrives while the rebuild lets window messages through.
    PostToMessageLoop(PressCancel, &f);
    f.SetNewFunction(LongSum(20).c_str());
    EXPECT_EQ(f.GetGlobalError(), 11);
    EXPECT_TRUE(f.GetQuit());

    // The next set-up starts with the flag cleared.
    f.SetNewFunction("x*3");
    EXPECT_FALSE(f.GetIsError());
    EXPECT_FALSE(f.GetQuit());
    EXPECT_EQ(f.GetResult(2.0L), 6.0L);
}

} // namespace
