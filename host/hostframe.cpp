#include "hostframe.h"

#include "chooser.h"
#include "frame.h"
#include "helpwin.h"
#include "modreg.h"
#include "winapi.h"

#include <memory>
#include <vector>

namespace {

enum : int { CM_CHOOSER = 901, CM_EXIT = 902, CM_ABOUT = 903, CM_CONTENTS = 904 };

TStatusBarFactory& StatusBarFactory() {
    static TStatusBarFactory factory;
    return factory;
}

// A module's frame: owns the module's transfer records for as long as the module lives.
class THostFrame : public TDecoratedFrame {
public:
    explicit THostFrame(const char* title) : TDecoratedFrame(nullptr, title, nullptr) {
        SetMenu({{"&Datei", {{CM_CHOOSER, "&Modulauswahl"}, {0, ""}, {CM_EXIT, "&Beenden"}}},
                 {"&Hilfe", {{CM_CONTENTS, "&Inhalt"}, {CM_ABOUT, "&Info über Orvelin"}}}});
        OnClicked(CM_CHOOSER, &THostFrame::CmChooser);
        OnClicked(CM_EXIT, &THostFrame::CmExit);
        OnClicked(CM_ABOUT, &THostFrame::CmAbout);
        OnClicked(CM_CONTENTS, &THostFrame::CmContents);
        SetDeleteOnClose(true);
    }
    // The module's windows go before the records they point into: the base destructor would
    // delete them only after this class's members, records among them, are gone.
    ~THostFrame() override {
        while (!Children().empty()) delete Children().back();
    }
    std::vector<std::shared_ptr<void>> records;

private:
    void CmChooser() {
        std::string error;
        OpenHostWindow("chooser", "", error);
    }
    void CmExit() { CloseWindow(0); }
    void CmContents() { WinExec(kHelpContentsCommand, SW_SHOWNORMAL); }
    void CmAbout() {
        MessageBox("Orvelin 5.0\r Mathematik für Schule und Studium.", "Info über Orvelin",
                   MB_OK | MB_ICONINFORMATION);
    }
};

bool OpenModule(const std::string& name, const std::string& taskFile, std::string& error) {
    const TModuleEntry* entry = FindModule(name);
    if (!entry) {
        for (const TChooserEntry& e : kChooserEntries) {
            if (name == e.name) {
                error = std::string("Das Modul \"") + e.title +
                        "\" ist in dieser Ausgabe noch nicht enthalten.";
                return false;
            }
        }
        error = "Ein Modul \"" + name + "\" gibt es nicht.";
        return false;
    }
    auto* frame = new THostFrame(entry->title.c_str());
    THostContext context(GetProgramDir(), taskFile, frame);
    TStatusBar* bar = StatusBarFactory() ? StatusBarFactory()(frame) : new TStatusBar(frame);
    frame->Insert(*bar);
    TWindow* client = entry->createClient(context);
    if (!client) {
        delete frame;
        error = "Das Modul \"" + entry->title + "\" konnte nicht erzeugt werden.";
        return false;
    }
    frame->SetClientWindow(client);
    frame->records = context.TakeRecords();
    if (!frame->Create()) {
        delete frame;
        error = "Das Fenster des Moduls \"" + entry->title + "\" konnte nicht erzeugt werden.";
        return false;
    }
    return true;
}

} // namespace

void SetStatusBarFactory(TStatusBarFactory factory) {
    StatusBarFactory() = std::move(factory);
}

bool OpenHostWindow(const std::string& name, const std::string& taskFile, std::string& error) {
    if (name == "chooser") {
        if (!taskFile.empty()) {
            error = "Die Modulauswahl öffnet keine Aufgabendatei.";
            return false;
        }
        auto* chooser = new TChooser();
        chooser->SetDeleteOnClose(true);
        return chooser->Create();
    }
    return OpenModule(name, taskFile, error);
}

void InstallHostWindows() {
    SetWindowOpener(OpenHostWindow);
}
