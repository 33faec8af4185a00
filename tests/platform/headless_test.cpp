// The headless mode: message boxes, file dialogs and program starts are recorded and answered
// from queues; libraries and directories by name.
#include "filedlg.h"
#include "headless.h"
#include "winapi.h"

#include <QApplication>
#include <QCursor>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace fs = std::filesystem;

class Headless : public ::testing::Test {
protected:
    void SetUp() override { ClearRecords(); }
    void TearDown() override { ClearRecords(); }
};

TEST_F(Headless, MessageBoxesAreRecordedAndAnsweredFromTheQueue) {
    EXPECT_EQ(MessageBox(nullptr, "Datei:\r Fehler", "Laden", MB_OK | MB_ICONSTOP), IDOK);
    EXPECT_EQ(MessageBox(nullptr, "Weiter?", "Frage", MB_YESNO), IDYES) << "first button";
    QueueMessageAnswer(IDNO);
    EXPECT_EQ(MessageBox(nullptr, "Weiter?", "Frage", MB_YESNO), IDNO);
    EXPECT_EQ(PendingMessageCount(), 3);
    TRecordedMessage m;
    ASSERT_TRUE(TakeMessage(m));
    EXPECT_EQ(m.caption, "Laden");
    EXPECT_EQ(m.text, "Datei:\r Fehler");
    EXPECT_EQ(m.type & 0xF0, unsigned(MB_ICONSTOP));
    ASSERT_TRUE(TakeMessage(m));
    ASSERT_TRUE(TakeMessage(m));
    EXPECT_EQ(m.answer, IDNO);
    EXPECT_FALSE(TakeMessage(m));
    // No caption: Windows shows "Fehler".
    MessageBox(nullptr, "x", nullptr, MB_OK);
    ASSERT_TRUE(TakeMessage(m));
    EXPECT_EQ(m.caption, "Fehler");
}

TEST_F(Headless, ProgramStartsAreRecorded) {
    EXPECT_GT(WinExec("HH.EXE mk:@MSITStore:orvlhilf5.chm::html/main9vzm.htm", SW_SHOW), 31u);
    std::string cmd;
    ASSERT_TRUE(TakeRun(cmd));
    EXPECT_EQ(cmd, "HH.EXE mk:@MSITStore:orvlhilf5.chm::html/main9vzm.htm");
    EXPECT_FALSE(TakeRun(cmd));
}

TEST(HelpPages, CommandLinesNameAPageInTheResourceDirectory) {
    std::string page = HelpPageForCommand("HH.EXE mk:@MSITStore:orvlhilf5.chm::html/main3mpa.htm");
    EXPECT_EQ(page, GetResourceDir() + "help/html/main3mpa.htm");
    EXPECT_EQ(HelpPageForCommand("PRINTMAN.EXE"), "");
    EXPECT_EQ(HelpPageForCommand("HH.EXE mk:@MSITStore:orvlhilf5.chm::html/../../x.htm"), "")
        << "a page name must not lead out of the help folder";
}

TEST_F(Headless, FileDialogsTakeQueuedAnswersAndAddTheDefaultExtension) {
    fs::path dir = fs::temp_directory_path() / "orvl_filedlg_test";
    fs::create_directories(dir);
    TOpenSaveDialog::TData data(OFN_OVERWRITEPROMPT, "Rech-Dateien (*.REC)|*.rec|", nullptr,
                                nullptr, "rec");
    std::strcpy(data.FileName, "Unbenannt.rec");
    QueueFileAnswer((dir / "aufgabe").string());
    ASSERT_EQ(TFileSaveDialog(nullptr, data, "Speichern der Aufgabenstellung").Execute(), IDOK);
    EXPECT_EQ(std::string(data.FileName), (dir / "aufgabe.rec").string());
    TRecordedFileDialog rec;
    ASSERT_TRUE(TakeFileDialog(rec));
    EXPECT_TRUE(rec.save);
    EXPECT_EQ(rec.title, "Speichern der Aufgabenstellung");
    EXPECT_EQ(rec.initialName, "Unbenannt.rec");
    EXPECT_EQ(rec.defExt, "rec");

    // Overwriting an existing file asks; "Nein" cancels.
    std::ofstream(dir / "aufgabe.rec") << "[Programm]\r\n";
    QueueFileAnswer((dir / "aufgabe.rec").string());
    QueueMessageAnswer(IDNO);
    EXPECT_EQ(TFileSaveDialog(nullptr, data, "Speichern").Execute(), IDCANCEL);
    TRecordedMessage m;
    ASSERT_TRUE(TakeMessage(m));
    EXPECT_NE(m.text.find("aufgabe.rec ist bereits vorhanden"), std::string::npos);

    // Opening a file that is not there is refused with a message.
    TOpenSaveDialog::TData open(OFN_FILEMUSTEXIST, "Rech-Dateien (*.REC)|*.rec|", nullptr, nullptr,
                                "rec");
    QueueFileAnswer((dir / "fehlt.rec").string());
    EXPECT_EQ(TFileOpenDialog(nullptr, open, "Laden").Execute(), IDCANCEL);
    ASSERT_TRUE(TakeMessage(m));
    // Without a queued answer the dialog is cancelled.
    EXPECT_EQ(TFileOpenDialog(nullptr, open, "Laden").Execute(), IDCANCEL);
    QueueFileCancel();
    EXPECT_EQ(TFileOpenDialog(nullptr, open, "Laden").Execute(), IDCANCEL);
    fs::remove_all(dir);
}

TEST(Directories, ProgramDirectoryFollowsTheEnvironmentAndEndsInASlash) {
    const char* old = std::getenv("ORVELIN_HOME");
    std::string saved = old ? old : "";
    fs::path dir = fs::temp_directory_path() / "orvl_progdir_test" / "sub";
    fs::remove_all(dir.parent_path());
    setenv("ORVELIN_HOME", dir.c_str(), 1);
    EXPECT_EQ(GetProgramDir(), dir.string() + "/");
    EXPECT_TRUE(fs::is_directory(dir)) << "created when missing";
    unsetenv("ORVELIN_HOME");
    setenv("XDG_DATA_HOME", dir.c_str(), 1);
    EXPECT_EQ(GetProgramDir(), (dir / "orvelin").string() + "/");
    unsetenv("XDG_DATA_HOME");
    if (old) setenv("ORVELIN_HOME", saved.c_str(), 1);
    fs::remove_all(dir.parent_path());
    std::string res = GetResourceDir();
    EXPECT_EQ(res.substr(res.size() - 14), "share/orvelin/");
}

TEST(Libraries, WindowsNamesMapToSharedLibrariesNextToOurs) {
    std::string path = LibraryPathFor("SYMBOLIC.DLL");
    EXPECT_EQ(fs::path(path).filename(), "libsymbolic.so");
    EXPECT_TRUE(fs::exists(fs::path(path).parent_path() / "liborvlplat.so"));
    EXPECT_EQ(LoadLibrary("GIBTESNICHT.DLL"), nullptr);
    HINSTANCE self = LoadLibrary("ORVLPLAT.DLL");
    ASSERT_NE(self, nullptr);
    EXPECT_NE(GetProcAddress(self, "_Z12GetTickCountv"), nullptr);
    EXPECT_EQ(GetProcAddress(self, "gibtesnicht"), nullptr);
    FreeLibrary(self);
}

TEST(Ticks, TheTickCountAdvancesInMilliseconds) {
    unsigned long a = GetTickCount();
    PumpWaitingMessages();
    unsigned long start = GetTickCount();
    while (GetTickCount() - start < 20) {
    }
    EXPECT_GE(GetTickCount() - a, 20u);
    EXPECT_LT(GetTickCount() - a, 2000u);
}

TEST(Cursors, TheWaitCursorStaysUntilTheArrowComesBack) {
    SetCursor(IDC_WAIT);
    SetCursor(IDC_WAIT); // twice, as nested computations do
    ASSERT_NE(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    SetCursor(IDC_ARROW);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr) << "one arrow ends every wait";
}
