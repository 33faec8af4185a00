// The program `orvelin`: subcommands for scripting and testing, else the module windows.
#include "application.h"
#include "cp1252.h"
#include "evalcmd.h"
#include "filesys.h"
#include "hostframe.h"
#include "modreg.h"
#include "script.h"
#include "taskopen.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

// Messages to the terminal are UTF-8, whatever this file's execution character set is.
void Say(const char8_t* utf8) {
    std::fputs(reinterpret_cast<const char*>(utf8), stderr);
}
void Say(const std::string& utf8) {
    std::fputs(utf8.c_str(), stderr);
}
void Say(FILE* to, const char8_t* utf8) {
    std::fputs(reinterpret_cast<const char*>(utf8), to);
}
void Say(FILE* to, const std::string& utf8) {
    std::fputs(utf8.c_str(), to);
}

// A message of the layer (Windows-1252, "\r" line breaks) for the terminal.
std::string TerminalText(const std::string& message) {
    std::string text = Cp1252ToUtf8(message);
    for (size_t at = text.find("\r "); at != std::string::npos; at = text.find("\r ", at))
        text.replace(at, 2, " ");
    return text;
}

void Usage(FILE* to = stderr) {
    Say(to, u8"Aufruf: orvelin                      öffnet die Modulauswahl\n"
            u8"        orvelin calc|fudi|glsys|stoch|matrix [AUFGABENDATEI]\n"
            u8"        orvelin open [AUFGABENDATEI]   öffnet die Datei in ihrem Modul\n"
            u8"        orvelin eval [Optionen] FUNKTION\n"
            u8"        orvelin script DATEI [--show] [--progdir ORDNER] [--timeout SEKUNDEN]\n");
    for (const TCommandEntry* command : RegisteredCommands())
        Say(to, "        orvelin " + command->usage + "\n");
}

// A module's headless command: the application object exists, offscreen without a display.
int RunModuleCommand(const TCommandEntry& command, int argc, char** argv) {
    if (!HasDisplay()) setenv("QT_QPA_PLATFORM", "offscreen", 0);
    TApplication app(argc, argv);
    return command.run(argc - 1, argv + 1);
}

} // namespace

int main(int argc, char** argv) {
    // `eval` needs neither a display nor an application object.
    if (argc >= 2 && std::strcmp(argv[1], "eval") == 0) return RunEvalCommand(argc - 1, argv + 1);
    InstallHostWindows();
    if (argc >= 2 && std::strcmp(argv[1], "script") == 0)
        return RunScriptCommand(argc - 1, argv + 1);
    if (const TCommandEntry* command = FindCommand(argc - 1, argv + 1))
        return RunModuleCommand(*command, argc, argv);

    // Asked for, help and version go to the standard output and are no error.
    if (argc == 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
        Usage(stdout);
        return 0;
    }
    if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
        std::fputs("Orvelin 5.0\n", stdout);
        return 0;
    }
    std::string module = argc >= 2 ? argv[1] : "chooser";
    if (argc > 3 || (!module.empty() && module[0] == '-') || (module == "chooser" && argc >= 2)) {
        Usage();
        return 2;
    }
    std::string taskFile, error;
    // Absolute against the directory the user started from, before anything moves it; a path
    // of the system, so a name it cannot hold is refused here.
    if (argc >= 3 && !PathFromCommandLine(argv[2], taskFile, error)) {
        Say("orvelin: " + TerminalText(error) + "\n");
        return 2;
    }
    // `open FILE` picks the module from the file (the desktop's double click); without a file
    // it is the chooser, as the desktop entry starts it from the menu.
    if (module == "open") {
        if (taskFile.empty())
            module = "chooser";
        else if (!ModuleOfTaskFile(taskFile, module, error)) {
            Say("orvelin: " + TerminalText(error) + "\n");
            return 2;
        }
    }
    if (!HasDisplay()) {
        Say(u8"orvelin: Es ist keine grafische Oberfläche erreichbar (DISPLAY und WAYLAND_DISPLAY "
            u8"sind nicht gesetzt).\n"
            u8"Starten Sie Orvelin in einer grafischen Sitzung, oder ohne Bildschirm mit\n"
            u8"  QT_QPA_PLATFORM=offscreen orvelin …\n"
            u8"Dialogskripte laufen ohne Bildschirm: orvelin script DATEI\n");
        return 2;
    }
    TApplication app(argc, argv);
    InstallDialogKeyFilter();
    if (!OpenHostWindow(module, taskFile, error)) {
        // The layer's texts are Windows-1252.
        Say("orvelin: " + Cp1252ToUtf8(error) + "\n");
        Usage();
        return 2;
    }
    return app.Run();
}
