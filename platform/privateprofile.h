// Private-profile (INI) files with the semantics of the Windows functions of the same names, so
// that settings and task files go back and forth with the Windows program unchanged.
//
// - Sections and keys are found without regard to letter case (ASCII and Windows-1252 letters);
//   blanks around section names and keys are ignored (tabs are part of the name), blanks and
//   tabs around values; one pair of matching quotes around a value is removed on reading. Lines
//   starting with ";" are comments. A "[" line without "]" still opens a section.
// - Texts are single-byte Windows-1252 bytes. A file written as UTF-8 by an editor (with a UTF-8
//   mark, or valid UTF-8 with characters of more than one byte) is converted to Windows-1252 on
//   reading; characters without a Windows-1252 form become "?" and their lines are reported
//   (TPrivateProfile::EncodingWarning). Writing is always Windows-1252.
// - File names are paths of the system (Windows-1252; filesys.h turns them into names on disk;
//   relative names are relative to the current directory). Files above kMaxReadFileSize are not
//   read.
// - CR LF, CR and LF line ends are read alike. Lines that a write does not touch keep their bytes
//   and line ends; new lines are written with CR LF, and a last line without a line end gets one.
// - No cache: every call reads the file, and every write replaces it with the one whole-file
//   write (WriteWholeFile), so a failed or interrupted write leaves the old file as it was. A
//   write that changes nothing leaves the file alone. Several keys are written at once, with one
//   replacement of the file, through TPrivateProfile.
#pragma once

#include <string>
#include <vector>

// Copies the value of `key` in `section` into `out` (at most size - 1 characters and a zero) and
// returns the number of characters copied. A missing file, section or key gives `def` (a null
// `def` reads as "", trailing blanks of `def` are dropped).
// A null `key` lists the keys of the section, a null `section` the sections of the file: each text
// zero-terminated, the list ending in an extra zero; the result counts the characters up to, but
// not including, that final zero. A list that does not fit is cut and ends in two zeros; the
// result is then size - 2.
unsigned GetPrivateProfileString(const char* section, const char* key, const char* def, char* out,
                                 unsigned size, const char* file);

// The value as a decimal number: optional blanks, an optional sign, then the leading digits
// ("12abc" gives 12, a text without leading digits 0). A missing key or an empty value gives
// `def`. Negative values come back as their two's complement, so `(int)` restores them.
unsigned GetPrivateProfileInt(const char* section, const char* key, int def, const char* file);

// Sets `key` in `section` to `value`. A replaced value keeps its place and the spelling of the
// key and section found in the file; a new key goes to the end of its section (before its
// trailing blank lines), a new section to the end of the file. A null `value` deletes the key, a
// null `key` the whole section. All three null (with a file name) only asks for the file to be
// flushed, which here is always done already: the result is true.
// Returns false, leaving the file untouched, when the file cannot be read or written, or when a
// section name is empty or contains "]" or a line break, a key is empty or contains "=" or a line
// break or begins with "[" or ";", or a value contains a line break (these would change the
// structure of the file).
bool WritePrivateProfileString(const char* section, const char* key, const char* value,
                               const char* file);

// One write of WritePrivateProfileStrings: the arguments of WritePrivateProfileString.
struct TProfileWrite {
    const char* section;
    const char* key;
    const char* value;
};

// The writes of WritePrivateProfileString in the given order, and the file replaced once at the
// end: either every write is on disk or, when one is refused or the file cannot be read or
// written, none is and the file is left as it was. A null section is refused here.
bool WritePrivateProfileStrings(const char* file, const std::vector<TProfileWrite>& writes);

// A private-profile file in memory: read once, asked and changed any number of times with the
// semantics of the functions above, and written back with one whole-file write. The way to
// read a task file (one pass over the file, size limit, encoding warning) and to write several
// keys at once.
class TPrivateProfile {
public:
    // Reads `file`. A missing file is an empty profile. False when the file cannot be read or is
    // larger than kMaxReadFileSize (checked before reading); Error() says why.
    bool Load(const char* file);

    unsigned GetString(const char* section, const char* key, const char* def, char* out,
                       unsigned size) const;
    // The value with at most `maxChars` characters.
    std::string GetString(const char* section, const char* key, const char* def,
                          unsigned maxChars) const;
    unsigned GetInt(const char* section, const char* key, int def) const;

    // Changes the text in memory as WritePrivateProfileString changes the file; false for the
    // texts it refuses.
    bool WriteString(const char* section, const char* key, const char* value);
    // Whether a write changed anything since Load.
    bool IsChanged() const { return changed_; }
    // Writes the text to the file it was loaded from (nothing when nothing changed). False with
    // a German message in Error() when it fails; the file is then as it was. A file read from
    // UTF-8 with characters that Windows-1252 cannot hold is not overwritten (they would be lost).
    bool Save();

    // The German message of the last failure ("Datei:\r ..."), or "".
    const std::string& Error() const { return error_; }
    // Lines (counted from 1) in which characters without a Windows-1252 form became "?".
    const std::vector<int>& LossyLines() const { return lossyLines_; }
    // The warning for those lines, or "" when there are none.
    std::string EncodingWarning() const;

    struct Line {
        std::string text;
        std::string eol; // "\r\n", "\r", "\n", or "" at the end of the file
    };

private:
    std::string file_;
    std::vector<Line> lines_;
    std::vector<int> lossyLines_;
    std::string error_;
    bool changed_ = false;
};
