// Paths and settings files of the suite's programs (Qt-free).
#pragma once

#include "privateprofile.h"

#include <vector>

// Splits `fileName` at its last "\" or "/". `name` (if not null) receives the part after it and
// `dir` the part before it, without the separator; the result is `dir`. Without a separator
// `name` receives the whole path, `dir` is left unchanged and the result is "". Both buffers
// must hold strlen(fileName) + 1 characters; they may be the buffer of `fileName` itself.
const char* GetPathOfFile(char* dir, const char* fileName, char* name);

// Copies the part of `CmdLine` after its last blank into `target` (which must hold
// strlen(CmdLine) + 1 characters) and returns it. Without a blank `target` is left unchanged
// and the result is "".
const char* GetPathOfStartupFile(char* target, const char* CmdLine);

// Writes `key` = `value` into `section` of `file` (a null value deletes the key, a null key the
// section). The write is on disk when the call returns, so the next read sees it. The last
// argument has no effect. Returns whether the write succeeded.
bool CorrWritePrivateProfileString(const char* section, const char* key, const char* value,
                                   const char* file, int unused = 0);

// Several writes into one file at once (see WritePrivateProfileStrings): a task file is either
// written whole or left as it was.
bool CorrWritePrivateProfileStrings(const char* file, const std::vector<TProfileWrite>& writes);

// Sets the open-window counter [Programm] "Zähler" of the frame settings file `fileName`
// (relative names are relative to the current directory) back to "0".
bool ResetCounterInIni(const char* fileName);
