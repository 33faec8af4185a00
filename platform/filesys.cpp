#include "filesys.h"

#include "cp1252.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

const char* const kUnnamableFile =
    "Datei:\r Der Dateiname enthält Zeichen, die das Programm nicht darstellen kann (etwa "
    "griechische oder kyrillische Buchstaben). Bitte wählen Sie einen anderen Namen.";

namespace {

TWriteFault& Fault() {
    static TWriteFault fault;
    return fault;
}

// The injected failure of a step, or 0.
int Injected(TWriteStep step, std::size_t& bytes) {
    return Fault() ? Fault()(step, bytes) : 0;
}

std::string Message(const char* text) {
    return std::string("Datei:\r ") + text;
}

// Why a write failed, for the user; callers say first that the file was not saved.
std::string WriteError(int err) {
    switch (err) {
    case ENOSPC:
    case EDQUOT:
        return Message("Auf dem Datenträger ist nicht genug Platz.");
    case EACCES:
    case EPERM:
    case EROFS:
        return Message("Die Datei oder ihr Ordner ist schreibgeschützt.");
    case ENOENT:
    case ENOTDIR:
        return Message("Der Ordner der Datei existiert nicht.");
    case ENAMETOOLONG:
        return Message("Der Dateiname ist zu lang.");
    case EISDIR:
        return Message("Unter diesem Namen gibt es einen Ordner.");
    default:
        return Message("Die Datei konnte nicht geschrieben werden.");
    }
}

void SetError(std::string* error, std::string text) {
    if (error) *error = std::move(text);
}

std::string DirectoryOf(const std::string& disk) {
    const std::size_t slash = disk.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : disk.substr(0, slash);
}

// The file a name stands for: a symbolic link is followed (also when what it points to does
// not exist yet), so that the link stays and its target is replaced.
bool ResolveLinks(std::string& disk) {
    for (int depth = 0; depth < 40; ++depth) {
        struct stat st {};
        if (::lstat(disk.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return true;
        std::string target(PATH_MAX, '\0');
        const ssize_t n = ::readlink(disk.c_str(), target.data(), target.size());
        if (n <= 0 || std::size_t(n) >= target.size()) return false;
        target.resize(std::size_t(n));
        if (target[0] != '/' && disk.find('/') != std::string::npos)
            target = DirectoryOf(disk) + "/" + target;
        disk = std::move(target);
    }
    errno = ELOOP;
    return false;
}

mode_t NewFileMode() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// A short fresh name in `dir`, created exclusively; -1 with errno set on failure.
int CreateTemporary(const std::string& dir, std::string& temp) {
    static unsigned counter = 0;
    static const char digits[] = "0123456789abcdefghijklmnopqrstuvwxyz";
    for (int attempt = 0; attempt < 100; ++attempt) {
        unsigned long long seed = (static_cast<unsigned long long>(::getpid()) << 20) ^
                                  (++counter * 2654435761ULL) ^
                                  static_cast<unsigned long long>(::time(nullptr));
        std::string name = ".~";
        for (int k = 0; k < 6; ++k, seed /= 36) name += digits[seed % 36];
        temp = (dir == "." ? std::string() : dir + "/") + name;
        const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
}

bool WriteAll(int fd, std::string_view data) {
    std::size_t done = 0;
    while (done < data.size()) {
        std::size_t bytes = data.size() - done;
        if (const int err = Injected(TWriteStep::Write, bytes)) {
            if (bytes > 0 && bytes < data.size() - done)
                if (::write(fd, data.data() + done, bytes) < 0) return false;
            errno = err;
            return false;
        }
        const ssize_t n = ::write(fd, data.data() + done, bytes);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return false;
        if (n == 0) {
            errno = ENOSPC;
            return false;
        }
        done += std::size_t(n);
    }
    return true;
}

bool Step(TWriteStep step, bool ok) {
    std::size_t none = 0;
    if (!ok) return false;
    if (const int err = Injected(step, none)) {
        errno = err;
        return false;
    }
    return true;
}

} // namespace

std::string DiskName(const char* path) {
    return Cp1252ToUtf8(path ? path : "");
}

bool PathFromDisk(std::string_view diskName, std::string& path) {
    bool multiByte = false;
    if (!IsUtf8(diskName, &multiByte)) return false;
    std::size_t missing = 0;
    std::string text = Utf8ToCp1252(diskName, missing);
    if (missing > 0 || text.find('\0') != std::string::npos) return false;
    path = std::move(text);
    return true;
}

bool PathFromCommandLine(const char* argument, std::string& path, std::string& error) {
    std::string disk = argument ? argument : "";
    if (!disk.empty() && disk[0] != '/') {
        char cwd[PATH_MAX];
        if (::getcwd(cwd, sizeof cwd) == nullptr) {
            error = Message("Der aktuelle Ordner kann nicht ermittelt werden.");
            return false;
        }
        disk = std::string(cwd) + (std::strcmp(cwd, "/") == 0 ? "" : "/") + disk;
    }
    // "a/./b/../c" → "a/c", so that the title and the record show a plain path.
    std::vector<std::string> parts;
    for (std::size_t start = 1; start <= disk.size();) {
        std::size_t end = disk.find('/', start);
        if (end == std::string::npos) end = disk.size();
        const std::string part = disk.substr(start, end - start);
        if (part == "..") {
            if (!parts.empty()) parts.pop_back();
        } else if (!part.empty() && part != ".") {
            parts.push_back(part);
        }
        start = end + 1;
    }
    std::string normal;
    for (const std::string& part : parts) normal += "/" + part;
    if (normal.empty()) normal = "/";
    if (!PathFromDisk(normal, path)) {
        error = kUnnamableFile;
        return false;
    }
    return true;
}

bool FileExists(const char* path) {
    struct stat st {};
    return ::stat(DiskName(path).c_str(), &st) == 0;
}

std::string MissingFileText(const char* path) {
    const std::string_view whole = path ? path : "";
    const size_t slash = whole.find_last_of("/\\");
    const std::string_view name = slash == std::string_view::npos ? whole : whole.substr(slash + 1);
    return "Datei:\r Die Datei '" + std::string(name) + "' gibt es nicht.";
}

bool IsDirectory(const char* path) {
    struct stat st {};
    return ::stat(DiskName(path).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool RemoveFile(const char* path) {
    return ::unlink(DiskName(path).c_str()) == 0;
}

bool RenameFile(const char* from, const char* to) {
    return ::rename(DiskName(from).c_str(), DiskName(to).c_str()) == 0;
}

std::vector<std::string> ListDirectory(const char* dir) {
    std::vector<std::string> names;
    DIR* d = ::opendir(DiskName(dir && *dir ? dir : ".").c_str());
    if (!d) return names;
    while (const dirent* e = ::readdir(d)) {
        std::string name;
        if (std::strcmp(e->d_name, ".") == 0 || std::strcmp(e->d_name, "..") == 0) continue;
        if (PathFromDisk(e->d_name, name)) names.push_back(std::move(name));
    }
    ::closedir(d);
    std::sort(names.begin(), names.end());
    return names;
}

std::string CurrentDirectory() {
    char cwd[PATH_MAX];
    std::string path;
    if (::getcwd(cwd, sizeof cwd) == nullptr || !PathFromDisk(cwd, path)) return "";
    return path;
}

TReadResult ReadWholeFile(const char* path, std::string& data, std::string* error,
                          std::size_t limit) {
    data.clear();
    const std::string disk = DiskName(path);
    const int fd = ::open(disk.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        const bool missing = errno == ENOENT || errno == ENOTDIR;
        SetError(error, Message(missing ? "Die Datei wurde nicht gefunden."
                                        : "Die Datei kann nicht gelesen werden."));
        return missing ? TReadResult::Missing : TReadResult::Failed;
    }
    struct stat st {};
    TReadResult result = TReadResult::Ok;
    if (::fstat(fd, &st) != 0 || S_ISDIR(st.st_mode)) {
        result = TReadResult::Failed;
    } else if (std::size_t(st.st_size) > limit) {
        result = TReadResult::TooLarge;
    } else {
        // Read up to one byte past the limit: a file that grows meanwhile is refused as well.
        data.resize(std::size_t(st.st_size) + 1);
        std::size_t done = 0;
        for (;;) {
            if (done == data.size()) data.resize(std::min(limit + 1, data.size() * 2));
            if (done == data.size()) break;
            const ssize_t n = ::read(fd, data.data() + done, data.size() - done);
            if (n < 0 && errno == EINTR) continue;
            if (n < 0) {
                result = TReadResult::Failed;
                break;
            }
            if (n == 0) break;
            done += std::size_t(n);
        }
        data.resize(done);
        if (result == TReadResult::Ok && done > limit) result = TReadResult::TooLarge;
    }
    ::close(fd);
    if (result == TReadResult::TooLarge) {
        data.clear();
        const std::string mb = std::to_string((limit + (1u << 20) - 1) >> 20);
        SetError(error, Message(("Die Datei ist größer als " + mb +
                                 " MB und wird nicht gelesen. So große Dateien schreibt das "
                                 "Programm nicht; vermutlich ist es keine Aufgabendatei.")
                                    .c_str()));
    } else if (result == TReadResult::Failed) {
        data.clear();
        SetError(error, Message("Die Datei kann nicht gelesen werden."));
    }
    return result;
}

bool WriteWholeFile(const char* path, std::string_view data, std::string* error) {
    if (path == nullptr || *path == '\0') {
        SetError(error, WriteError(ENOENT));
        return false;
    }
    std::string target = DiskName(path);
    if (!ResolveLinks(target)) {
        SetError(error, WriteError(errno));
        return false;
    }
    struct stat st {};
    mode_t mode = NewFileMode();
    if (::stat(target.c_str(), &st) == 0) {
        if (S_ISDIR(st.st_mode)) {
            SetError(error, WriteError(EISDIR));
            return false;
        }
        // A read-only file stays so, even where its directory would allow replacing it.
        if (::access(target.c_str(), W_OK) != 0) {
            SetError(error, WriteError(EACCES));
            return false;
        }
        mode = st.st_mode & 07777;
    } else if (errno != ENOENT) {
        SetError(error, WriteError(errno));
        return false;
    }
    const std::string dir = DirectoryOf(target);
    std::string temp;
    std::size_t none = 0;
    int fd = -1;
    if (const int err = Injected(TWriteStep::Create, none))
        errno = err;
    else
        fd = CreateTemporary(dir, temp);
    if (fd < 0) {
        SetError(error, WriteError(errno));
        return false;
    }
    bool ok = ::fchmod(fd, mode) == 0 && WriteAll(fd, data);
    ok = Step(TWriteStep::Sync, ok) && ::fsync(fd) == 0;
    int err = errno;
    if (::close(fd) != 0 && ok) {
        ok = false;
        err = errno;
    }
    if (ok) {
        ok = Step(TWriteStep::Rename, true) && ::rename(temp.c_str(), target.c_str()) == 0;
        err = errno;
    }
    if (!ok) {
        ::unlink(temp.c_str());
        SetError(error, WriteError(err));
        return false;
    }
    // Make the rename itself durable. The new file is in place already; a directory that
    // cannot be flushed (some file systems refuse) does not undo that.
    const int dfd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dfd >= 0) {
        ::fsync(dfd);
        ::close(dfd);
    }
    return true;
}

void SetWriteFault(TWriteFault fault) {
    Fault() = std::move(fault);
}
