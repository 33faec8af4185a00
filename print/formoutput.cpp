#include "vdparser.h"
#include "vdprint.h"

#include <cstring>
#include <string>
#include <vector>

vdFormOutput::vdFormOutput(const char* text, int lineLength)
    : Text(text ? text : ""), LineLength(lineLength) {
    DebugFunkion(0, nullptr, false, "vdFormOutput::vdFormOutput(char*, int)", "", "");
    if (std::strlen(Text) > MaxText) Err = 1;
}

char* vdFormOutput::GetLine(char* buffer, int) {
    DebugFunkion(0, nullptr, false, "char* vdFormOutput::GetLine(char*, int)", "", "");
    if (buffer) buffer[0] = 0;
    return buffer;
}

vdFormFuncOutput::vdFormFuncOutput(const char* text, int lineLength)
    : vdFormOutput(text, lineLength) {
    DebugFunkion(0, nullptr, false, "vdFormFuncOutput::vdFormFuncOutput(char*, int)", "", "");
}

namespace {

// The text with a blank wherever a line ends.
std::string MarkBreaks(const char* text, long lineLength) {
    std::string marked;
    long q = 1;
    for (long i = 0; text[i]; ++i) {
        const char c = text[i];
        const long limit = lineLength * q;
        if (i <= limit) {
            if (c != ' ') marked += c;
        } else if (std::strchr("+-()*/^", c)) {
            if (c == ')' || c == '^')
                marked += c, marked += ' ';
            else
                marked += ' ', marked += c;
            ++q;
        } else {
            marked += c;
            // A long run without operators ends ten characters after the line's end.
            if (i > limit + 10) marked += ' ', ++q;
        }
    }
    return marked;
}

} // namespace

char* vdFormFuncOutput::GetLine(char* buffer, int n) {
    DebugFunkion(0, nullptr, false, "char* vdFormFuncOutput::GetLine(char*, int)", "", "");
    if (!buffer) return buffer;
    buffer[0] = 0;
    if (Err == 1) return buffer;
    // Marks that follow each other (a blank after the line's end next to an operator) make one
    // break: an empty line in the middle would end the caller's printout early.
    std::vector<std::string> lines;
    std::string current;
    for (char c : MarkBreaks(Text, LineLength)) {
        if (c != ' ') {
            current += c;
        } else if (!current.empty()) {
            lines.push_back(current);
            current.clear();
        }
    }
    if (!current.empty()) lines.push_back(current);
    if (n < 1 || n > int(lines.size())) {
        Err = 2;
        return buffer;
    }
    const std::string& line = lines[n - 1];
    const size_t len = std::min(line.size(), size_t(MaxText - 1));
    std::memcpy(buffer, line.data(), len);
    buffer[len] = 0;
    return buffer;
}
