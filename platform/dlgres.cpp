#include "dlgres.h"

#include "winapi.h"

#include <map>

namespace {

// Function-local so that libraries registering at load time never meet an unbuilt map.
std::map<std::pair<std::string, TResId>, TDlgResource>& Registry() {
    static std::map<std::pair<std::string, TResId>, TDlgResource> registry;
    return registry;
}

std::string Upper(const char* s) {
    std::string r = s ? s : "";
    for (char& c : r)
        if (c >= 'a' && c <= 'z') c = char(c - 'a' + 'A');
    return r;
}

bool HasModule(const std::string& name) {
    for (const auto& [key, res] : Registry())
        if (key.first == name) return true;
    return false;
}

} // namespace

void RegisterDialogResource(const char* moduleName, TResId resId, TDlgResource resource) {
    Registry()[{Upper(moduleName), resId}] = std::move(resource);
}

const TDlgResource* FindDialogResource(const char* moduleName, TResId resId) {
    auto it = Registry().find({Upper(moduleName), resId});
    return it == Registry().end() ? nullptr : &it->second;
}

TModule::TModule(const char* name, bool shouldLoad) : name_(Upper(name)) {
    if (shouldLoad && !HasModule(name_) && name_ != "ORVELIN.EXE") library_ = LoadLibrary(name);
}

// A library loaded here registered its dialogs, module windows and commands while it loaded;
// those registrations point into its code, so it stays loaded for the rest of the process.
TModule::~TModule() = default;

const TDlgResource* TModule::FindDialog(TResId id) const {
    return FindDialogResource(name_.c_str(), id);
}

TModule& TModule::Program() {
    static TModule program("ORVELIN.EXE", false);
    return program;
}
