// The headless test mode: message boxes, file dialogs and program starts are recorded instead
// of shown and answered from queues, so that tests and dialog scripts never block. It is on
// under QT_QPA_PLATFORM=offscreen and during a dialog script.
#pragma once

#include <string>

bool IsHeadless();
void SetHeadless(bool on);

struct TRecordedMessage {
    std::string caption, text; // Windows-1252, as given
    unsigned type = 0;
    int answer = 0;
};
struct TRecordedFileDialog {
    bool save = false;
    std::string title, filter, defExt, initialName, answer; // answer "" = cancelled
};

// Answers for the next message boxes (IDOK, IDYES, …); without one the first button is taken.
void QueueMessageAnswer(int answer);
// Answers for the next file dialogs: a path (UTF-8), or cancel.
void QueueFileAnswer(const std::string& path);
void QueueFileCancel();

// The oldest recorded item not yet taken; false when there is none.
bool TakeMessage(TRecordedMessage& out);
bool TakeRun(std::string& commandLine);
bool TakeFileDialog(TRecordedFileDialog& out);
int PendingMessageCount();
void ClearRecords();

// Used by the layer itself.
int RecordMessage(const char* caption, const char* text, unsigned type);
void RecordRun(const char* commandLine);
// Records the dialog; true and `path` set when the queue answers with a file.
bool RecordFileDialog(TRecordedFileDialog dialog, std::string& path);
