#include "taskopen.h"

#include "filesys.h"
#include "privateprofile.h"

namespace {

struct TMarker {
    const char* key;
    const char* module;
};
// The marker keys of the task files; each module writes its own with a value beginning with "J".
constexpr TMarker kMarkers[] = {{"OrvlFuDi", "fudi"},
                                {"OrvlGlSy", "glsys"},
                                {"OrvlStch", "stoch"},
                                {"OrvlRech", "calc"},
                                {"OrvlMatr", "matrix"}};

} // namespace

bool ModuleOfTaskFile(const std::string& path, std::string& module, std::string& error) {
    if (!FileExists(path.c_str()) || IsDirectory(path.c_str())) {
        error = FileExists(path.c_str())
                    ? "Die Aufgabendatei \"" + path + "\" ist keine gewöhnliche Datei."
                    : "Die Aufgabendatei \"" + path + "\" gibt es nicht.";
        return false;
    }
    // One read of the file for all markers; a file that cannot be read has none.
    TPrivateProfile profile;
    const bool loaded = profile.Load(path.c_str());
    for (const TMarker& marker : kMarkers) {
        if (loaded && profile.GetString("Programm", marker.key, "N", 1)[0] == 'J') {
            module = marker.module;
            return true;
        }
    }
    error = "Die Datei \"" + path +
            "\" ist keine Aufgabe von Orvelin: im Abschnitt [Programm] fehlt das Kennzeichen "
            "eines Moduls.";
    return false;
}
