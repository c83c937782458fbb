#pragma once
// Small routines shared across the program.

#include <cstdint>
#include <string>
#include <vector>

namespace tlrx {

// The palette flag of colours chosen from the program's 256-colour palette.
inline constexpr int32_t kPaletteFlag = 0x02000000;

// Splits path at its last separator (":", "\" or "/") and returns the file
// title after it; a path ending in a separator gives an empty title. With
// preset, the main window's file dialog gets the title as its file name and,
// when the folder part is not empty, the folder as its initial folder.
std::string ParseFileName(const std::string& path, bool preset);

// color with the palette flag set.
constexpr int32_t PaletteRgb(int32_t color) { return color | kPaletteFlag; }

// Sorts list[first .. first + count - 1] in place, ascending by character
// code (upper case before lower case, no locale), with an iterative
// quicksort. Indices outside the list raise "Subscript out of range".
void SortStrings(std::vector<std::string>& list, int32_t first, int32_t count);

}  // namespace tlrx
