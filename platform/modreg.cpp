#include "modreg.h"

#include <map>

namespace {
std::map<std::string, TModuleEntry>& Modules() {
    static std::map<std::string, TModuleEntry> modules;
    return modules;
}
std::map<std::string, TCommandEntry>& Commands() {
    static std::map<std::string, TCommandEntry> commands;
    return commands;
}
TWindowOpener& Opener() {
    static TWindowOpener opener;
    return opener;
}
} // namespace

void RegisterModule(TModuleEntry entry) {
    std::string name = entry.name;
    Modules()[name] = std::move(entry);
}

const TModuleEntry* FindModule(const std::string& name) {
    auto it = Modules().find(name);
    return it == Modules().end() ? nullptr : &it->second;
}

void SetWindowOpener(TWindowOpener opener) {
    Opener() = std::move(opener);
}

bool OpenWindowByName(const std::string& name, const std::string& taskFile, std::string& error) {
    if (!Opener()) {
        error = "Fenster können in diesem Programm nicht geöffnet werden.";
        return false;
    }
    return Opener()(name, taskFile, error);
}

void RegisterCommand(TCommandEntry entry) {
    std::string name = entry.name;
    Commands()[name] = std::move(entry);
}

const TCommandEntry* FindCommand(int argc, char** argv) {
    if (argc < 1 || !argv[0]) return nullptr;
    auto it = Commands().find(argv[0]);
    if (it == Commands().end()) return nullptr;
    const TCommandEntry& entry = it->second;
    return !entry.accepts || entry.accepts(argc, argv) ? &entry : nullptr;
}

std::vector<const TCommandEntry*> RegisteredCommands() {
    std::vector<const TCommandEntry*> all;
    for (const auto& [name, entry] : Commands()) all.push_back(&entry);
    return all;
}
