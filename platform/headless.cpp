#include "headless.h"

#include "wintypes.h"

#include <cstdlib>
#include <cstring>
#include <deque>

namespace {

struct TRecords {
    int forced = -1; // -1: from the environment
    std::deque<int> messageAnswers;
    std::deque<std::pair<bool, std::string>> fileAnswers; // (answered, path)
    std::deque<TRecordedMessage> messages;
    std::deque<std::string> runs;
    std::deque<TRecordedFileDialog> fileDialogs;
};

TRecords& Records() {
    static TRecords records;
    return records;
}

// The first button of a message box of this type: what Enter would press.
int FirstButton(unsigned type) {
    switch (type & 0xF) {
    case MB_OKCANCEL:
        return IDOK;
    case MB_ABORTRETRYIGNORE:
        return IDABORT;
    case MB_YESNOCANCEL:
    case MB_YESNO:
        return IDYES;
    case MB_RETRYCANCEL:
        return IDRETRY;
    default:
        return IDOK;
    }
}

} // namespace

bool IsHeadless() {
    if (Records().forced >= 0) return Records().forced == 1;
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    return platform && std::strncmp(platform, "offscreen", 9) == 0;
}

void SetHeadless(bool on) {
    Records().forced = on ? 1 : 0;
}

void QueueMessageAnswer(int answer) {
    Records().messageAnswers.push_back(answer);
}
void QueueFileAnswer(const std::string& path) {
    Records().fileAnswers.emplace_back(true, path);
}
void QueueFileCancel() {
    Records().fileAnswers.emplace_back(false, std::string());
}

bool TakeMessage(TRecordedMessage& out) {
    auto& q = Records().messages;
    if (q.empty()) return false;
    out = q.front();
    q.pop_front();
    return true;
}

bool TakeRun(std::string& commandLine) {
    auto& q = Records().runs;
    if (q.empty()) return false;
    commandLine = q.front();
    q.pop_front();
    return true;
}

bool TakeFileDialog(TRecordedFileDialog& out) {
    auto& q = Records().fileDialogs;
    if (q.empty()) return false;
    out = q.front();
    q.pop_front();
    return true;
}

int PendingMessageCount() {
    return int(Records().messages.size());
}

void ClearRecords() {
    Records().messages.clear();
    Records().runs.clear();
    Records().fileDialogs.clear();
}

int RecordMessage(const char* caption, const char* text, unsigned type) {
    TRecordedMessage m{caption ? caption : "", text ? text : "", type, FirstButton(type)};
    auto& answers = Records().messageAnswers;
    if (!answers.empty()) {
        m.answer = answers.front();
        answers.pop_front();
    }
    Records().messages.push_back(m);
    return m.answer;
}

void RecordRun(const char* commandLine) {
    Records().runs.push_back(commandLine ? commandLine : "");
}

bool RecordFileDialog(TRecordedFileDialog dialog, std::string& path) {
    auto& answers = Records().fileAnswers;
    bool answered = false;
    if (!answers.empty()) {
        answered = answers.front().first;
        path = answers.front().second;
        answers.pop_front();
    }
    dialog.answer = answered ? path : std::string();
    Records().fileDialogs.push_back(dialog);
    return answered;
}
