#include "settings.h"

#include "privateprofile.h"

#include <cstring>
#include <string>

const char* GetPathOfFile(char* dir, const char* fileName, char* name) {
    // Copy first: the buffers may overlap the path.
    const std::string path = fileName == nullptr ? "" : fileName;
    const size_t cut = path.find_last_of("\\/");
    if (cut == std::string::npos) {
        if (name != nullptr) std::memcpy(name, path.c_str(), path.size() + 1);
        return "";
    }
    if (name != nullptr) std::strcpy(name, path.c_str() + cut + 1);
    if (dir == nullptr) return "";
    std::memcpy(dir, path.c_str(), cut);
    dir[cut] = '\0';
    return dir;
}

const char* GetPathOfStartupFile(char* target, const char* CmdLine) {
    const char* blank = CmdLine == nullptr ? nullptr : std::strrchr(CmdLine, ' ');
    if (blank == nullptr || target == nullptr) return "";
    std::memmove(target, blank + 1, std::strlen(blank + 1) + 1);
    return target;
}

bool CorrWritePrivateProfileString(const char* section, const char* key, const char* value,
                                   const char* file, int /*unused*/) {
    // Every write replaces the file on disk at once; there is no cached copy to flush.
    return WritePrivateProfileString(section, key, value, file);
}

bool CorrWritePrivateProfileStrings(const char* file, const std::vector<TProfileWrite>& writes) {
    return WritePrivateProfileStrings(file, writes);
}

bool ResetCounterInIni(const char* fileName) {
    if (fileName == nullptr) return false;
    return CorrWritePrivateProfileString("Programm", "Zähler", "0", fileName);
}
