#include "privateprofile.h"

#include "cp1252.h"
#include "filesys.h"

#include <climits>
#include <cstring>
#include <string_view>

namespace {

using Line = TPrivateProfile::Line;
using Lines = std::vector<Line>;

enum class Kind { Other, Section, Key };

// What a line means: a section header with its name, a key with its value (lines without "="
// are keys without a value), or anything else (blank lines, comments).
struct Parsed {
    Kind kind = Kind::Other;
    bool hasValue = false;
    std::string_view name;
    std::string_view value;
};

const char* const kNewLine = "\r\n";

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

// Names lose their blanks only: a tab belongs to the name.
std::string_view TrimName(std::string_view s) {
    while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
    while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
    return s;
}

std::string_view TrimValue(std::string_view s) {
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

Parsed Parse(const Line& line) {
    const std::string_view s = TrimName(line.text);
    Parsed p;
    if (s.empty() || s.front() == ';') return p;
    if (s.front() == '[') {
        // A header without "]" still opens its section, named by the rest of the line.
        const size_t close = s.find(']');
        p.kind = Kind::Section;
        p.name = TrimName(s.substr(1, close == std::string_view::npos ? s.npos : close - 1));
        return p;
    }
    p.kind = Kind::Key;
    const size_t eq = s.find('=');
    p.name = TrimName(s.substr(0, eq));
    if (eq != std::string_view::npos) {
        p.hasValue = true;
        p.value = TrimValue(s.substr(eq + 1));
    }
    return p;
}

// Index of the first header of `section`, or lines.size().
size_t FindSection(const Lines& lines, std::string_view section) {
    const std::string_view wanted = TrimName(section);
    for (size_t i = 0; i < lines.size(); ++i) {
        const Parsed p = Parse(lines[i]);
        if (p.kind == Kind::Section && SameName(p.name, wanted)) return i;
    }
    return lines.size();
}

// The line after the last line of the section whose header is at `header`.
size_t SectionEnd(const Lines& lines, size_t header) {
    size_t i = header + 1;
    while (i < lines.size() && Parse(lines[i]).kind != Kind::Section) ++i;
    return i;
}

// Index of the first line of `key` in the section at `header`, or lines.size().
size_t FindKey(const Lines& lines, size_t header, std::string_view key) {
    const std::string_view wanted = TrimName(key);
    const size_t end = SectionEnd(lines, header);
    for (size_t i = header + 1; i < end; ++i) {
        const Parsed p = Parse(lines[i]);
        if (p.kind == Kind::Key && SameName(p.name, wanted)) return i;
    }
    return lines.size();
}

unsigned CopyText(std::string_view text, char* out, unsigned size) {
    if (out == nullptr || size == 0) return 0;
    const size_t n = text.size() < size - 1 ? text.size() : size - 1;
    if (n > 0) std::memcpy(out, text.data(), n); // an empty view may have no data at all
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
            if (room > 0) std::memcpy(out + pos, name.data(), room);
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

// Names the file could not give back as written are refused: an empty section name, a "]" in
// it, a "=" in a key.
bool ValidSection(std::string_view s) {
    s = TrimName(s);
    return !s.empty() && !HasLineBreak(s) && s.find(']') == std::string_view::npos;
}

bool ValidKey(std::string_view k) {
    k = TrimName(k);
    return !k.empty() && !HasLineBreak(k) && k.find('=') == std::string_view::npos &&
           k.front() != '[' && k.front() != ';';
}

// Splits the file into lines. UTF-8 from an editor becomes Windows-1252; the lines where a
// character has no Windows-1252 form are noted.
void SplitLines(std::string_view data, Lines& lines, std::vector<int>& lossy) {
    bool utf8 = false;
    if (data.substr(0, 3) == "\xEF\xBB\xBF") {
        data.remove_prefix(3);
        utf8 = true;
    } else {
        bool multiByte = false;
        utf8 = IsUtf8(data, &multiByte) && multiByte;
    }
    size_t start = 0;
    while (start < data.size()) {
        const size_t end = data.find_first_of("\r\n", start);
        Line line;
        std::string_view text;
        if (end == std::string_view::npos) {
            text = data.substr(start);
            start = data.size();
        } else {
            text = data.substr(start, end - start);
            const size_t len =
                data[end] == '\r' && end + 1 < data.size() && data[end + 1] == '\n' ? 2 : 1;
            line.eol = std::string(data.substr(end, len));
            start = end + len;
        }
        if (utf8) {
            size_t missing = 0;
            line.text = Utf8ToCp1252(text, missing);
            if (missing > 0) lossy.push_back(int(lines.size()) + 1);
        } else {
            line.text = std::string(text);
        }
        lines.push_back(std::move(line));
    }
}

// A file whose last line has no line end gets one before anything else is written.
void EndLastLine(Lines& lines) {
    if (!lines.empty() && lines.back().eol.empty()) lines.back().eol = kNewLine;
}

void InsertKey(Lines& lines, size_t header, std::string_view key, std::string_view value) {
    size_t at = SectionEnd(lines, header);
    while (at > header + 1 && TrimValue(lines[at - 1].text).empty()) --at;
    Line line{std::string(TrimName(key)) + "=" + std::string(value), kNewLine};
    lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(at), std::move(line));
}

// New sections follow the last line directly, without a blank line between.
void AppendSection(Lines& lines, std::string_view section, std::string_view key,
                   std::string_view value) {
    lines.push_back({"[" + std::string(TrimName(section)) + "]", kNewLine});
    lines.push_back({std::string(TrimName(key)) + "=" + std::string(value), kNewLine});
}

// Removes every copy of the section; its comment lines stay where they were.
bool DeleteSection(Lines& lines, std::string_view section) {
    bool changed = false;
    for (size_t h = FindSection(lines, section); h < lines.size();
         h = FindSection(lines, section)) {
        const size_t end = SectionEnd(lines, h);
        Lines kept;
        for (size_t i = h + 1; i < end; ++i)
            if (TrimName(lines[i].text).substr(0, 1) == ";") kept.push_back(lines[i]);
        lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(h),
                    lines.begin() + static_cast<std::ptrdiff_t>(end));
        lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(h), kept.begin(), kept.end());
        changed = true;
    }
    return changed;
}

// Removes the key wherever the section holds it.
bool DeleteKey(Lines& lines, std::string_view section, std::string_view key) {
    bool changed = false;
    const std::string_view wanted = TrimName(section);
    for (size_t i = 0; i < lines.size(); ++i) {
        const Parsed p = Parse(lines[i]);
        if (p.kind != Kind::Section || !SameName(p.name, wanted)) continue;
        for (size_t k = FindKey(lines, i, key); k < lines.size(); k = FindKey(lines, i, key)) {
            lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(k));
            changed = true;
        }
    }
    return changed;
}

// Sets the value; false when the file already holds exactly this line.
bool SetKey(Lines& lines, std::string_view section, std::string_view key, std::string_view value) {
    const size_t header = FindSection(lines, section);
    if (header == lines.size()) {
        AppendSection(lines, section, key, value);
        return true;
    }
    const size_t at = FindKey(lines, header, key);
    if (at == lines.size()) {
        InsertKey(lines, header, key, value);
        return true;
    }
    // The file's spelling of the key stays; a value that differs in letter case only is new.
    std::string text = std::string(Parse(lines[at]).name) + "=" + std::string(value);
    if (text == lines[at].text) return false;
    lines[at].text = std::move(text);
    return true;
}

} // namespace

// ---- TPrivateProfile ------------------------------------------------------------------------

bool TPrivateProfile::Load(const char* file) {
    file_ = file ? file : "";
    lines_.clear();
    lossyLines_.clear();
    error_.clear();
    changed_ = false;
    if (file_.empty()) {
        error_ = "Datei:\r Es ist kein Dateiname angegeben.";
        return false;
    }
    std::string data;
    switch (ReadWholeFile(file_.c_str(), data, &error_)) {
    case TReadResult::Ok:
        break;
    case TReadResult::Missing:
        error_.clear();
        return true;
    default:
        return false;
    }
    SplitLines(data, lines_, lossyLines_);
    return true;
}

unsigned TPrivateProfile::GetString(const char* section, const char* key, const char* def,
                                    char* out, unsigned size) const {
    if (section == nullptr) {
        std::vector<std::string_view> names;
        for (const Line& line : lines_) {
            const Parsed p = Parse(line);
            if (p.kind == Kind::Section) AddUnique(names, p.name);
        }
        return CopyList(names, out, size);
    }
    const size_t header = FindSection(lines_, section);
    if (key == nullptr) {
        std::vector<std::string_view> names;
        if (header < lines_.size()) {
            const size_t end = SectionEnd(lines_, header);
            for (size_t i = header + 1; i < end; ++i) {
                const Parsed p = Parse(lines_[i]);
                if (p.kind == Kind::Key && p.hasValue) AddUnique(names, p.name);
            }
        }
        return CopyList(names, out, size);
    }
    if (header < lines_.size()) {
        const size_t at = FindKey(lines_, header, key);
        if (at < lines_.size()) return CopyText(StripQuotes(Parse(lines_[at]).value), out, size);
    }
    std::string_view fallback = def == nullptr ? "" : def;
    while (!fallback.empty() && fallback.back() == ' ') fallback.remove_suffix(1);
    return CopyText(fallback, out, size);
}

std::string TPrivateProfile::GetString(const char* section, const char* key, const char* def,
                                       unsigned maxChars) const {
    std::string buffer(size_t(maxChars) + 1, '\0');
    buffer.resize(GetString(section, key, def, buffer.data(), maxChars + 1));
    return buffer;
}

unsigned TPrivateProfile::GetInt(const char* section, const char* key, int def) const {
    if (section == nullptr || key == nullptr) return static_cast<unsigned>(def);
    char text[64];
    if (GetString(section, key, "", text, sizeof text) == 0) return static_cast<unsigned>(def);
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

bool TPrivateProfile::WriteString(const char* section, const char* key, const char* value) {
    if (section == nullptr) return key == nullptr && value == nullptr; // a flush request
    if (!ValidSection(section)) return false;
    if (key != nullptr && !ValidKey(key)) return false;
    if (value != nullptr && HasLineBreak(value)) return false;
    Lines lines = lines_;
    EndLastLine(lines);
    bool changed = false;
    if (key == nullptr)
        changed = DeleteSection(lines, section);
    else if (value == nullptr)
        changed = DeleteKey(lines, section, key);
    else
        changed = SetKey(lines, section, key, value);
    if (changed) {
        lines_ = std::move(lines);
        changed_ = true;
    }
    return true;
}

bool TPrivateProfile::Save() {
    error_.clear();
    if (!changed_) return true;
    if (!lossyLines_.empty()) {
        error_ = "Datei:\r Die Datei enthält in Zeile " + std::to_string(lossyLines_.front()) +
                 " Zeichen, die das Programm nicht darstellen kann. Sie wird nicht "
                 "überschrieben, damit diese Zeichen nicht verloren gehen.";
        return false;
    }
    std::string content;
    for (const Line& line : lines_) {
        content += line.text;
        content += line.eol;
    }
    if (!WriteWholeFile(file_.c_str(), content, &error_)) return false;
    changed_ = false;
    return true;
}

std::string TPrivateProfile::EncodingWarning() const {
    if (lossyLines_.empty()) return "";
    std::string lines;
    for (size_t i = 0; i < lossyLines_.size() && i < 10; ++i)
        lines += (i == 0 ? "" : ", ") + std::to_string(lossyLines_[i]);
    if (lossyLines_.size() > 10) lines += ", ...";
    return std::string("Datei:\r ") + (lossyLines_.size() == 1 ? "Zeile " : "Zeilen ") + lines +
           (lossyLines_.size() == 1 ? " enthält" : " enthalten") +
           " Zeichen, die das Programm nicht darstellen kann. Sie wurden durch \"?\" ersetzt.";
}

// ---- the functions of the system ------------------------------------------------------------

unsigned GetPrivateProfileString(const char* section, const char* key, const char* def, char* out,
                                 unsigned size, const char* file) {
    TPrivateProfile prof;
    if (file != nullptr) prof.Load(file); // a file that cannot be read gives the defaults
    return prof.GetString(section, key, def, out, size);
}

unsigned GetPrivateProfileInt(const char* section, const char* key, int def, const char* file) {
    TPrivateProfile prof;
    if (file != nullptr) prof.Load(file);
    return prof.GetInt(section, key, def);
}

bool WritePrivateProfileString(const char* section, const char* key, const char* value,
                               const char* file) {
    if (file == nullptr || *file == '\0') return false;
    TPrivateProfile prof;
    if (section == nullptr) return prof.WriteString(section, key, value); // nothing to read
    return prof.Load(file) && prof.WriteString(section, key, value) && prof.Save();
}

bool WritePrivateProfileStrings(const char* file, const std::vector<TProfileWrite>& writes) {
    if (file == nullptr || *file == '\0') return false;
    TPrivateProfile prof;
    if (!prof.Load(file)) return false;
    for (const TProfileWrite& w : writes)
        if (w.section == nullptr || !prof.WriteString(w.section, w.key, w.value)) return false;
    return prof.Save();
}
