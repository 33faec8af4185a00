#include "vdprint.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

// All lines as a caller prints them: until GetErr is set.
std::vector<std::string> Lines(const char* text, int length) {
    vdFormFuncOutput form(text, length);
    std::vector<std::string> lines;
    char buffer[vdFormOutput::MaxText];
    for (int n = 1; form.GetErr() == 0; ++n) {
        form.GetLine(buffer, n);
        if (form.GetErr() != 0) {
            EXPECT_STREQ(buffer, "");
            break;
        }
        lines.push_back(buffer);
    }
    return lines;
}

} // namespace

TEST(FormFuncOutput, AShortTextIsOneLineAndTheNextCallSetsError2) {
    const std::string text(90, 'x');
    vdFormFuncOutput form(text.c_str(), 90);
    char buffer[vdFormOutput::MaxText];
    EXPECT_EQ(std::string(form.GetLine(buffer, 1)), text);
    EXPECT_EQ(form.GetErr(), 0);
    EXPECT_STREQ(form.GetLine(buffer, 2), "");
    EXPECT_EQ(form.GetErr(), 2);
    // The error stays set even for a line that exists.
    form.GetLine(buffer, 1);
    EXPECT_EQ(form.GetErr(), 2);
}

TEST(FormFuncOutput, OperatorsBreakBeforeThemExceptClosingBracketAndPower) {
    EXPECT_EQ(Lines("abc+d", 2), (std::vector<std::string>{"abc", "+d"}));
    EXPECT_EQ(Lines("abc)d", 2), (std::vector<std::string>{"abc)", "d"}));
    EXPECT_EQ(Lines("abc^d", 2), (std::vector<std::string>{"abc^", "d"}));
    EXPECT_EQ(Lines("abc*d", 2), (std::vector<std::string>{"abc", "*d"}));
    // At or before the limit an operator never breaks.
    EXPECT_EQ(Lines("a+b-c", 4), (std::vector<std::string>{"a+b-c"}));
    EXPECT_EQ(Lines("ab+cd", 2), (std::vector<std::string>{"ab+cd"}));
}

TEST(FormFuncOutput, ALongRunWithoutOperatorsBreaksTenAfterTheLimit) {
    const std::string digits(120, '7');
    const auto lines = Lines(digits.c_str(), 90);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].size(), 102u);
    EXPECT_EQ(lines[1].size(), 18u);
}

TEST(FormFuncOutput, BlanksVanishBeforeTheLimitAndBreakAfterIt) {
    EXPECT_EQ(Lines("a b c", 90), (std::vector<std::string>{"abc"}));
    EXPECT_EQ(Lines("abcd ef", 2), (std::vector<std::string>{"abcd", "ef"}));
    // A blank next to an operator after the limit gives one break, not an empty line that
    // would end the printout before its last part.
    EXPECT_EQ(Lines("abc +d+e", 2), (std::vector<std::string>{"abc", "+d", "+e"}));
    EXPECT_EQ(Lines("abc) d", 2), (std::vector<std::string>{"abc)", "d"}));
}

TEST(FormFuncOutput, TheCalculatorsLongFunctionBreaksIntoLinesOfAboutNinety) {
    std::string text;
    for (int i = 0; i < 60; ++i) text += "x^2+";
    text += "1";
    const auto lines = Lines(text.c_str(), 90);
    ASSERT_GT(lines.size(), 2u);
    std::string joined;
    for (const auto& l : lines) {
        EXPECT_LE(l.size(), 95u);
        joined += l;
    }
    EXPECT_EQ(joined, text);
    EXPECT_EQ(lines[1].front(), '+');
}

TEST(FormFuncOutput, TextsOverTheLimitAreRefusedAndEmptyTextsHaveNoLine) {
    const std::string longText(2501, '1');
    vdFormFuncOutput form(longText.c_str(), 90);
    EXPECT_EQ(form.GetErr(), 1);
    char buffer[vdFormOutput::MaxText];
    EXPECT_STREQ(form.GetLine(buffer, 1), "");
    EXPECT_EQ(form.GetErr(), 1);

    const std::string maxText(2500, '1');
    EXPECT_EQ(vdFormFuncOutput(maxText.c_str(), 90).GetErr(), 0);
    // A single line as long as the text still fits the caller's buffer.
    vdFormFuncOutput whole(maxText.c_str(), 3000);
    EXPECT_EQ(std::string(whole.GetLine(buffer, 1)).size(), size_t(vdFormOutput::MaxText - 1));

    EXPECT_TRUE(Lines("", 90).empty());
    EXPECT_TRUE(Lines(nullptr, 90).empty());
    vdFormOutput base("x+1", 90);
    EXPECT_STREQ(base.GetLine(buffer, 1), "");
}
