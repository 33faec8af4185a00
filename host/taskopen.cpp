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
    for (const TMarker& marker : kMarkers) {
        char value[8] = "";
        GetPrivateProfileString("Programm", marker.key, "N", value, sizeof value, path.c_str());
        if (value[0] == 'J') {
            module = marker.module;
            return true;
        }
    }
    error = "Die Datei \"" + path +
            "\" ist keine Aufgabe von Orvelin: im Abschnitt [Programm] fehlt das Kennzeichen "
            "eines Moduls.";
    return false;
}
