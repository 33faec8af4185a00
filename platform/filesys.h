// The file-system boundary: the one place where the system's paths (Windows-1252 texts) meet the
// file names on disk (UTF-8), and the one way a whole file is read or written. Every open,
// create, rename, remove, stat and directory listing of the layer and of the modules goes through
// these functions, with Windows-1252 paths. Qt-free.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

// Largest file that ReadWholeFile reads (task and settings files are a few kilobytes; anything
// bigger is refused before a byte of it is read).
constexpr std::size_t kMaxReadFileSize = 4u << 20;

// The name on disk of a path (every Windows-1252 text has one).
std::string DiskName(const char* path);
// The path of a name on disk. False (and `path` unchanged) when the name holds a character that
// Windows-1252 cannot hold, or bytes that are not UTF-8: such a file cannot be named inside the
// system.
bool PathFromDisk(std::string_view diskName, std::string& path);
// The refusal of a name that PathFromDisk rejects, for a message box ("Datei:\r ...").
extern const char* const kUnnamableFile;

// A command-line argument (bytes of the terminal, UTF-8) as an absolute path of the system,
// made absolute against the current directory, with "." and ".." taken out. False with a
// German message in `error` when the name cannot be held.
bool PathFromCommandLine(const char* argument, std::string& path, std::string& error);

bool FileExists(const char* path);
// What a loader says about a task file that is not there, naming it by the last part of its
// path: "Datei:\r Die Datei 'aufgabe.rec' gibt es nicht."
std::string MissingFileText(const char* path);
bool IsDirectory(const char* path);
bool RemoveFile(const char* path);
bool RenameFile(const char* from, const char* to);
// The names in a directory (without "." and ".."), sorted; names the system cannot hold are
// left out. Empty when the directory cannot be read.
std::vector<std::string> ListDirectory(const char* dir);
// The current directory as a path, "" when it cannot be named.
std::string CurrentDirectory();

// Reads the whole file into `data`. Anything but Ok comes with a German message
// ("Datei:\r ...") in `error`; a file larger than `limit` bytes is refused before it is read.
enum class TReadResult { Ok, Missing, TooLarge, Failed };
TReadResult ReadWholeFile(const char* path, std::string& data, std::string* error = nullptr,
                          std::size_t limit = kMaxReadFileSize);

// The one whole-file write. Replaces the file with `data` in one step: a temporary file with a
// short name in the same directory gets the whole text, is flushed to disk and renamed over the
// file, and the rename is flushed too. A symbolic link is written through (the file it points
// to is replaced); the file's mode is kept (a new file gets 0666 less the umask). A read-only
// file is not written. On any failure the temporary file is removed, the file stays as it was,
// and `error` receives the German reason ("Datei:\r Auf dem Datenträger ist nicht genug
// Platz."), to be shown after the caller's own words that the file was not saved.
bool WriteWholeFile(const char* path, std::string_view data, std::string* error = nullptr);

// For tests: called before each step of WriteWholeFile. Return 0 to let the step run, or an
// errno value to make it fail. For a write, `bytes` is how much is about to be written; lower
// it to let only that much through before the failure.
enum class TWriteStep { Create, Write, Sync, Rename };
using TWriteFault = std::function<int(TWriteStep step, std::size_t& bytes)>;
void SetWriteFault(TWriteFault fault);
