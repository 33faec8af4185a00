#include "privateprofile.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <string>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

// One line of the file: its bytes and its own line end ("\r\n", "\r", "\n", or "" at the end).
struct Line {
    std::string text;
    std::string eol;
};

enum class Kind { Other, Section, Key };

// What a line means: a section header with its name, a key with its value, or anything else
// (blank lines, comments, malformed headers).
struct Parsed {
    Kind kind = Kind::Other;
    std::string_view name;
    std::string_view value;
};

struct Profile {
    std::vector<Line> lines;
};

const char* const kNewLine = "\r\n";

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view Trim(std::string_view s) {
    while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
    return s;
}

// Lower case of ASCII and Windows-1252 letters.
unsigned char Fold(unsigned char c) {
    if (c >= 'A' && c <= 'Z') return static_cast<unsigned char>(c + 32);
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return static_cast<unsigned char>(c + 32);
    switch (c) {
    case 0x8A:
        return 0x9A; // Š
    case 0x8C:
        return 0x9C; // Œ
    case 0x8E:
        return 0x9E; // Ž
    case 0x9F:
        return 0xFF; // Ÿ
    default:
        return c;
    }
}

bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (Fold(static_cast<unsigned char>(a[i])) != Fold(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

Parsed Parse(const Line& line, bool first) {
    std::string_view s = line.text;
    if (first && s.substr(0, 3) == "\xEF\xBB\xBF") s.remove_prefix(3); // UTF-8 mark of editors
    s = Trim(s);
    Parsed p;
    if (s.empty() || s.front() == ';') return p;
    if (s.front() == '[') {
        const size_t close = s.find(']');
        if (close != std::string_view::npos) {
            p.kind = Kind::Section;
            p.name = Trim(s.substr(1, close - 1));
        }
        return p;
    }
    p.kind = Kind::Key;
    const size_t eq = s.find('=');
    p.name = Trim(s.substr(0, eq));
    if (eq != std::string_view::npos) p.value = Trim(s.substr(eq + 1));
    return p;
}

Parsed ParseAt(const Profile& prof, size_t i) {
    return Parse(prof.lines[i], i == 0);
}

// Reads the whole file. A missing file is an empty profile; any other failure is false.
bool Load(const char* file, Profile& prof) {
    prof.lines.clear();
    struct stat st {};
    if (::stat(file, &st) != 0) return errno == ENOENT;
    if (S_ISDIR(st.st_mode)) return false;
    std::ifstream in(file, std::ios::binary);
    if (!in) return false;
    std::string data((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) return false;
    size_t start = 0;
    while (start < data.size()) {
        size_t end = data.find_first_of("\r\n", start);
        Line line;
        if (end == std::string::npos) {
            line.text = data.substr(start);
            start = data.size();
        } else {
            line.text = data.substr(start, end - start);
            const size_t len =
                data[end] == '\r' && end + 1 < data.size() && data[end + 1] == '\n' ? 2 : 1;
            line.eol = data.substr(end, len);
            start = end + len;
        }
        prof.lines.push_back(std::move(line));
    }
    return true;
}

// Index of the first header of `section`, or lines.size().
size_t FindSection(const Profile& prof, std::string_view section) {
    const std::string_view wanted = Trim(section);
    for (size_t i = 0; i < prof.lines.size(); ++i) {
        const Parsed p = ParseAt(prof, i);
        if (p.kind == Kind::Section && SameName(p.name, wanted)) return i;
    }
    return prof.lines.size();
}

// The line after the last line of the section whose header is at `header`.
size_t SectionEnd(const Profile& prof, size_t header) {
    size_t i = header + 1;
    while (i < prof.lines.size() && ParseAt(prof, i).kind != Kind::Section) ++i;
    return i;
}

// Index of the first line of `key` in the section at `header`, or lines.size().
size_t FindKey(const Profile& prof, size_t header, std::string_view key) {
    const std::string_view wanted = Trim(key);
    const size_t end = SectionEnd(prof, header);
    for (size_t i = header + 1; i < end; ++i) {
        const Parsed p = ParseAt(prof, i);
        if (p.kind == Kind::Key && SameName(p.name, wanted)) return i;
    }
    return prof.lines.size();
}

unsigned CopyText(std::string_view text, char* out, unsigned size) {
    if (out == nullptr || size == 0) return 0;
    const size_t n = text.size() < size - 1 ? text.size() : size - 1;
    std::memcpy(out, text.data(), n);
    out[n] = '\0';
    return static_cast<unsigned>(n);
}

// Each name zero-terminated, then one more zero; cut lists end in two zeros.
unsigned CopyList(const std::vector<std::string_view>& names, char* out, unsigned size) {
    if (out == nullptr || size == 0) return 0;
    if (size == 1) {
        out[0] = '\0';
        return 0;
    }
    size_t pos = 0;
    for (std::string_view name : names) {
        if (pos + name.size() + 1 > size - 1) {
            const size_t room = pos < size - 2 ? size - 2 - pos : 0;
            std::memcpy(out + pos, name.data(), room);
            out[size - 2] = '\0';
            out[size - 1] = '\0';
            return size - 2;
        }
        std::memcpy(out + pos, name.data(), name.size());
        pos += name.size();
        out[pos++] = '\0';
    }
    out[pos] = '\0';
    if (pos == 0 && size > 1) out[1] = '\0';
    return static_cast<unsigned>(pos);
}

void AddUnique(std::vector<std::string_view>& names, std::string_view name) {
    if (name.empty()) return; // an empty name would end the list early
    for (std::string_view n : names)
        if (SameName(n, name)) return;
    names.push_back(name);
}

std::string_view StripQuotes(std::string_view v) {
    if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
        return v.substr(1, v.size() - 2);
    return v;
}

bool HasLineBreak(std::string_view s) {
    return s.find_first_of("\r\n") != std::string_view::npos;
}

bool ValidSection(std::string_view s) {
    s = Trim(s);
    return !s.empty() && !HasLineBreak(s) && s.find(']') == std::string_view::npos;
}

bool ValidKey(std::string_view k) {
    k = Trim(k);
    return !k.empty() && !HasLineBreak(k) && k.find('=') == std::string_view::npos &&
           k.front() != '[' && k.front() != ';';
}

// Writes the profile next to the target under a fresh name, flushes it to disk and renames it
// over the target. On any failure the temporary file is removed and the target left alone.
bool Save(const char* file, const Profile& prof) {
    std::string target = file;
    struct stat st {};
    mode_t mode = 0666; // narrowed by the umask for new files
    bool keepMode = false;
    if (::lstat(file, &st) == 0 && S_ISLNK(st.st_mode)) {
        // Replace the file the link points to, not the link.
        char* real = ::realpath(file, nullptr);
        if (real == nullptr) return false;
        target = real;
        std::free(real);
    }
    if (::stat(target.c_str(), &st) == 0) {
        if (::access(target.c_str(), W_OK) != 0) return false; // a read-only file stays so
        mode = st.st_mode & 07777;
        keepMode = true;
    }
    std::string content;
    for (const Line& line : prof.lines) {
        content += line.text;
        content += line.eol;
    }
    const size_t slash = target.rfind('/');
    const std::string dir = slash == std::string::npos ? "." : target.substr(0, slash + 1);
    const std::string base = slash == std::string::npos ? target : target.substr(slash + 1);
    static unsigned counter = 0;
    std::string temp;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        temp = (slash == std::string::npos ? std::string() : dir) + "." + base + ".tmp" +
               std::to_string(::getpid()) + "-" + std::to_string(++counter);
        fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        if (fd < 0 && errno != EEXIST) return false;
    }
    if (fd < 0) return false;
    bool ok = !keepMode || ::fchmod(fd, mode) == 0;
    for (size_t done = 0; ok && done < content.size();) {
        const ssize_t n = ::write(fd, content.data() + done, content.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0)
            ok = false;
        else
            done += static_cast<size_t>(n);
    }
    ok = ok && ::fsync(fd) == 0;
    ok = ::close(fd) == 0 && ok;
    ok = ok && ::rename(temp.c_str(), target.c_str()) == 0;
    if (!ok) {
        ::unlink(temp.c_str());
        return false;
    }
    // Make the rename itself durable.
    const int dfd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dfd >= 0) {
        ::fsync(dfd);
        ::close(dfd);
    }
    return true;
}

// A line end for the last line before something is written after it.
void EndLine(Line& line) {
    if (line.eol.empty()) line.eol = kNewLine;
}

void InsertKey(Profile& prof, size_t header, std::string_view key, std::string_view value) {
    size_t at = SectionEnd(prof, header);
    while (at > header + 1 && Trim(prof.lines[at - 1].text).empty()) --at;
    EndLine(prof.lines[at - 1]);
    Line line{std::string(Trim(key)) + "=" + std::string(value), kNewLine};
    prof.lines.insert(prof.lines.begin() + static_cast<std::ptrdiff_t>(at), std::move(line));
}

void AppendSection(Profile& prof, std::string_view section, std::string_view key,
                   std::string_view value) {
    if (!prof.lines.empty()) {
        EndLine(prof.lines.back());
        if (!Trim(prof.lines.back().text).empty()) prof.lines.push_back({"", kNewLine});
    }
    prof.lines.push_back({"[" + std::string(Trim(section)) + "]", kNewLine});
    prof.lines.push_back({std::string(Trim(key)) + "=" + std::string(value), kNewLine});
}

} // namespace

unsigned GetPrivateProfileString(const char* section, const char* key, const char* def, char* out,
                                 unsigned size, const char* file) {
    Profile prof;
    if (file == nullptr || !Load(file, prof)) prof.lines.clear();
    if (section == nullptr) {
        std::vector<std::string_view> names;
        for (size_t i = 0; i < prof.lines.size(); ++i) {
            const Parsed p = ParseAt(prof, i);
            if (p.kind == Kind::Section) AddUnique(names, p.name);
        }
        return CopyList(names, out, size);
    }
    const size_t header = FindSection(prof, section);
    if (key == nullptr) {
        std::vector<std::string_view> names;
        if (header < prof.lines.size()) {
            const size_t end = SectionEnd(prof, header);
            for (size_t i = header + 1; i < end; ++i) {
                const Parsed p = ParseAt(prof, i);
                if (p.kind == Kind::Key) AddUnique(names, p.name);
            }
        }
        return CopyList(names, out, size);
    }
    if (header < prof.lines.size()) {
        const size_t at = FindKey(prof, header, key);
        if (at < prof.lines.size())
            return CopyText(StripQuotes(ParseAt(prof, at).value), out, size);
    }
    std::string_view fallback = def == nullptr ? "" : def;
    while (!fallback.empty() && fallback.back() == ' ') fallback.remove_suffix(1);
    return CopyText(fallback, out, size);
}

unsigned GetPrivateProfileInt(const char* section, const char* key, int def, const char* file) {
    if (section == nullptr || key == nullptr) return static_cast<unsigned>(def);
    char text[64];
    if (GetPrivateProfileString(section, key, "", text, sizeof text, file) == 0)
        return static_cast<unsigned>(def);
    const char* p = text;
    while (IsBlank(*p)) ++p;
    bool negative = false;
    if (*p == '+' || *p == '-') negative = *p++ == '-';
    long long n = 0;
    for (; *p >= '0' && *p <= '9'; ++p) {
        n = n * 10 + (*p - '0');
        if (n > static_cast<long long>(INT_MAX) + 1) n = static_cast<long long>(INT_MAX) + 1;
    }
    if (negative) n = -n;
    if (n > INT_MAX) n = INT_MAX;
    return static_cast<unsigned>(static_cast<int>(n));
}

namespace {

// One write of WritePrivateProfileString on the profile in memory. False when the write is
// refused; `changed` tells whether the profile differs afterwards (a set always counts).
bool Apply(Profile& prof, const char* section, const char* key, const char* value, bool& changed) {
    if (!ValidSection(section)) return false;
    if (key != nullptr && !ValidKey(key)) return false;
    if (value != nullptr && HasLineBreak(value)) return false;

    if (key == nullptr) { // delete every copy of the section
        for (size_t h = FindSection(prof, section); h < prof.lines.size();
             h = FindSection(prof, section)) {
            const size_t end = SectionEnd(prof, h);
            prof.lines.erase(prof.lines.begin() + static_cast<std::ptrdiff_t>(h),
                             prof.lines.begin() + static_cast<std::ptrdiff_t>(end));
            changed = true;
        }
        return true;
    }

    if (value == nullptr) { // delete the key wherever the section holds it
        const std::string_view wanted = Trim(section);
        for (size_t i = 0; i < prof.lines.size(); ++i) {
            const Parsed p = ParseAt(prof, i);
            if (p.kind != Kind::Section || !SameName(p.name, wanted)) continue;
            for (size_t k = FindKey(prof, i, key); k < prof.lines.size();
                 k = FindKey(prof, i, key)) {
                prof.lines.erase(prof.lines.begin() + static_cast<std::ptrdiff_t>(k));
                changed = true;
            }
        }
        return true;
    }

    const size_t header = FindSection(prof, section);
    if (header == prof.lines.size()) {
        AppendSection(prof, section, key, value);
    } else if (const size_t at = FindKey(prof, header, key); at < prof.lines.size()) {
        Line& line = prof.lines[at];
        const std::string name(ParseAt(prof, at).name); // keep the file's spelling
        line.text = name + "=" + value;
    } else {
        InsertKey(prof, header, key, value);
    }
    changed = true;
    return true;
}

} // namespace

bool WritePrivateProfileString(const char* section, const char* key, const char* value,
                               const char* file) {
    if (file == nullptr || *file == '\0') return false;
    if (section == nullptr) return key == nullptr && value == nullptr; // a flush request
    Profile prof;
    if (!ValidSection(section) || !Load(file, prof)) return false;
    bool changed = false;
    return Apply(prof, section, key, value, changed) && (!changed || Save(file, prof));
}

bool WritePrivateProfileStrings(const char* file, const std::vector<TProfileWrite>& writes) {
    if (file == nullptr || *file == '\0') return false;
    Profile prof;
    if (!Load(file, prof)) return false;
    bool changed = false;
    for (const TProfileWrite& w : writes)
        if (w.section == nullptr || !Apply(prof, w.section, w.key, w.value, changed)) return false;
    return !changed || Save(file, prof);
}
