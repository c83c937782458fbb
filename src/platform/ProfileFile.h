#pragma once
// Initialisation files ("[Section]" headers, then "key=value" lines) read
// and written one key at a time, as Windows private-profile files behave:
//  - section and key names match without regard to case, blanks around
//    names and values are ignored, and the first match counts;
//  - a value enclosed in a pair of double or single quotes is read without
//    them;
//  - writing a key changes only that key's line (or adds one at the end of
//    its section, or adds the section at the end of the file), so comments,
//    other sections and the order of everything else stay as they are;
//  - lines end in CR LF (a file whose lines end in LF alone keeps LF);
//    reading takes either, on the last line as on every other; any other
//    CR, also one that ends the file, belongs to the line's text.

#include <cstddef>
#include <string>
#include <string_view>

namespace tlrx {

// The value of key in section of fileName, cut to bufferSize - 1 characters
// (the buffer keeps one for its terminator); defaultValue, without trailing
// blanks and cut the same way, when the file, the section or the key does
// not exist. A bufferSize of 0 gives the empty text.
std::string GetPrivateProfileString(std::string_view section, std::string_view key, std::string_view defaultValue,
                                    size_t bufferSize, const std::string& fileName);

// Sets key in section of fileName to value, creating the file (not its
// folder), the section or the key as needed; the file is replaced whole (see
// platform/ReplacingFile.h). False when the file cannot be written, a
// read-only one too; the file is then unchanged.
bool WritePrivateProfileString(std::string_view section, std::string_view key, std::string_view value,
                               const std::string& fileName);

// Where the program writes its settings file named fileName: in the program
// folder appDir when that folder is writable, else in tellurax/ under
// $XDG_CONFIG_HOME (default ~/.config), which is created when missing.
// appDir ends in the path separator.
std::string SettingsFilePath(const std::string& appDir, std::string_view fileName);

// Where the program reads its settings: the file SettingsFilePath names when
// it exists, else the one in appDir when that exists (a program folder the
// user cannot write), else SettingsFilePath's.
std::string SettingsFileToRead(const std::string& appDir, std::string_view fileName);

// Puts every settings file into folder instead (tests); the empty text
// restores the rule above.
void SetSettingsFolder(const std::string& folder);

}  // namespace tlrx
