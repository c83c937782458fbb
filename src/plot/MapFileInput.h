#pragma once
// Pieces shared by the map file readers: opening a map file as the run's
// input file and reading the numbers of its text fields.

#include <string>
#include <string_view>

namespace tlrx {

// The description of a missing map file; the plotting pass names the file in its box.
inline constexpr std::string_view kFileNotFound = "File not found";

// Opens `path` as the run's input file (file number 1) for binary reading;
// raises kFileNotFound when there is no such file (nothing is created).
void OpenMapFile(const std::string& path);

// Raises kFileNotFound when there is no file `path`.
void RequireMapFile(const std::string& path);

// Whether the last three characters of `path`, upper-cased, are `kind`
// (three upper-case letters): the kind of a map file.
bool IsMapFileKind(const std::string& path, std::string_view kind);

// The leading number of a field: blanks are ignored wherever they stand,
// reading stops at the first other character that cannot continue the
// number, and a field without a number gives 0.
double FieldNumber(std::string_view text);

}  // namespace tlrx
