// `orvelin open FILE`: the module a task file belongs to, from the marker key in its [Programm]
// section, so that one desktop entry opens every kind of task file.
#pragma once

#include <string>

// Sets `module` to the module name ("calc", "fudi", "glsys", "stoch", "matrix") of the task file
// `path` (Windows-1252), or returns false with a German message in `error` (Windows-1252).
bool ModuleOfTaskFile(const std::string& path, std::string& module, std::string& error);
