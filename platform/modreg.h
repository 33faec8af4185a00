// The registry through which the program opens windows by name: the module chooser, the
// modules ("calc", "fudi", "glsys", "stoch", "matrix") and test windows. Each module library (or
// the program on its behalf) registers how its window is built inside a frame of the program;
// the program registers the opener that builds frames around them.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

class TWindow;
class TDecoratedFrame;

// What a module gets from the program when it is opened.
class THostContext {
public:
    THostContext(std::string progDir, std::string taskFile, TDecoratedFrame* frame)
        : progDir_(std::move(progDir)), taskFile_(std::move(taskFile)), frame_(frame) {}
    const std::string& ProgDir() const { return progDir_; }   // ends in "/"
    const std::string& TaskFile() const { return taskFile_; } // absolute or ""
    TDecoratedFrame* Frame() const { return frame_; }
    // A zero-initialised transfer record that lives as long as the module's frame.
    template <class R> R& MakeRecord() {
        auto record = std::make_shared<R>();
        records_.push_back(record);
        return *record;
    }
    std::vector<std::shared_ptr<void>> TakeRecords() { return std::move(records_); }

private:
    std::string progDir_, taskFile_;
    TDecoratedFrame* frame_;
    std::vector<std::shared_ptr<void>> records_;
};

struct TModuleEntry {
    std::string name;  // "calc"
    std::string title; // Windows-1252 title of the module ("Rechner")
    // Builds the module's client window with the frame as its parent.
    std::function<TWindow*(THostContext&)> createClient;
};

void RegisterModule(TModuleEntry entry);
const TModuleEntry* FindModule(const std::string& name);

struct TModuleRegistrar {
    explicit TModuleRegistrar(TModuleEntry entry) { RegisterModule(std::move(entry)); }
};

// Opens a window by name with an optional task file (absolute); returns false and a German
// message in `error` when it cannot. The program installs the opener.
using TWindowOpener =
    std::function<bool(const std::string& name, const std::string& taskFile, std::string& error)>;
void SetWindowOpener(TWindowOpener opener);
bool OpenWindowByName(const std::string& name, const std::string& taskFile, std::string& error);

// A headless subcommand of the program ("discuss", "plot", "matrix", "glsys --loese") that runs a
// module's own code without a window of its own. The program creates the application object
// (offscreen when there is no display) before it calls `run`; argv[0] is the subcommand. Output
// goes to standard output as UTF-8. `accepts` may refuse an argument list that belongs to the
// module window of the same name (`orvelin glsys FILE.gls`); empty means every list is taken.
struct TCommandEntry {
    std::string name;  // "discuss"
    std::string usage; // UTF-8 usage line without the program name: "discuss [--x1 A] TEXT"
    std::function<bool(int argc, char** argv)> accepts;
    std::function<int(int argc, char** argv)> run;
};

void RegisterCommand(TCommandEntry entry);
// The command registered under argv[0] that accepts this argument list, or null.
const TCommandEntry* FindCommand(int argc, char** argv);
// Every registered command, in the order of their names.
std::vector<const TCommandEntry*> RegisteredCommands();

struct TCommandRegistrar {
    explicit TCommandRegistrar(TCommandEntry entry) { RegisterCommand(std::move(entry)); }
};
