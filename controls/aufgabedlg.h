// The file dialogs of a module's "Laden" and "Speichern": titled "Laden einer Aufgabenstellung"
// and "Speichern der Aufgabenstellung", with the module's filter ("Stoch-Dateien (*.STC)|*.stc|")
// and default extension. The current directory is the same afterwards, whatever the user did
// in the dialog.
#pragma once

#include <string>

class TWindow;

// Asks for a task file to load (`speichern` false: it must exist) or to save (with the overwrite
// prompt). `name` is the initial name on entry and the chosen file after OK; true after OK.
bool FrageAufgabenDatei(TWindow* parent, bool speichern, const char* filter, const char* defExt,
                        std::string& name);
