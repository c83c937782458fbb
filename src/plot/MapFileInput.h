#pragma once
// Pieces shared by the map file readers: opening a map file as the run's
// input file and reading the numbers of its text fields.

#include <string>
#include <string_view>

#include "plot/MapReaders.h"

namespace tlrx {

// Opens `path` as the run's input file (file number 1) for binary reading;
// raises kFileNotFound when there is no such file (nothing is created).
void OpenMapFile(const std::string& path);

// Raises kFileNotFound when there is no file `path`.
void RequireMapFile(const std::string& path);

// The leading number of a field: blanks are ignored wherever they stand,
// reading stops at the first other character that cannot continue the
// number, and a field without a number gives 0.
double FieldNumber(std::string_view text);

}  // namespace tlrx
