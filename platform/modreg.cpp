#include "modreg.h"

#include <map>

namespace {
std::map<std::string, TModuleEntry>& Modules() {
    static std::map<std::string, TModuleEntry> modules;
    return modules;
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
