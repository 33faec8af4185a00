// Files for the tests of the file layer: a fresh folder, bytes in and out, the names on disk.
#pragma once

#include <algorithm>
#include <cstdlib>
#include <dirent.h>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

// A new empty folder under /tmp ("" when none could be made).
inline std::string MakeTestDir(const char* prefix) {
    std::string pattern = std::string("/tmp/") + prefix + "XXXXXX";
    return mkdtemp(pattern.data()) ? pattern : std::string();
}
inline void RemoveTestDir(const std::string& dir) {
    if (!dir.empty()) std::system(("chmod -R u+rwx '" + dir + "'; rm -rf '" + dir + "'").c_str());
}
// Names on disk, not through the layer.
inline void PutBytes(const std::string& disk, const std::string& bytes) {
    std::ofstream out(disk, std::ios::binary | std::ios::trunc);
    out << bytes;
}
inline std::string FileBytes(const std::string& disk) {
    std::ifstream in(disk, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}
// The names in a folder, byte for byte, sorted.
inline std::vector<std::string> DirEntries(const std::string& dir) {
    std::vector<std::string> names;
    if (DIR* d = opendir(dir.c_str())) {
        while (dirent* e = readdir(d))
            if (std::string(e->d_name) != "." && std::string(e->d_name) != "..")
                names.push_back(e->d_name);
        closedir(d);
    }
    std::sort(names.begin(), names.end());
    return names;
}
