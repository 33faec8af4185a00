// Private-profile (INI) files with the semantics of the Windows functions of the same names, so
// that settings and task files go back and forth with the Windows program unchanged.
//
// - Sections and keys are found without regard to letter case (ASCII and Windows-1252 letters);
//   white space around section names, keys and values is ignored; one pair of matching quotes
//   around a value is removed on reading. Lines starting with ";" are comments.
// - Texts are single-byte Windows-1252 bytes, never converted. File names are used as given
//   (relative names are relative to the current directory).
// - CR LF, CR and LF line ends are read alike. Lines that a write does not touch keep their bytes
//   and line ends; new lines are written with CR LF.
// - No cache: every call reads the file, and every write replaces it atomically (temporary file in
//   the same directory, flushed to disk, then renamed), so a failed or interrupted write leaves the
//   old file as it was.
#pragma once

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
