#pragma once
// The font families the font picker offers and the program's default text
// font.

#include <string>
#include <string_view>
#include <vector>

namespace tlrx {

// A family name without the foundry the font system may add in brackets:
// "Nimbus Sans [urw]" -> "Nimbus Sans".
std::string PlainFamilyName(std::string_view family);

// The list from the names the font system gives: plain names, each once,
// sorted by character code (upper case before lower case); fallback alone
// when there are none.
std::vector<std::string> FontFamilyList(const std::vector<std::string>& families, const std::string& fallback);

// The installed scalable (outline) families as FontFamilyList makes them,
// with the toolkit's default family as the fallback. Needs a QGuiApplication.
std::vector<std::string> InstalledFontFamilies();

// The default text font from a sorted list: "Arial", else "Times New Roman",
// else their metric-compatible free counterparts "Liberation Sans", then
// "Liberation Serif", else the first entry (exact, case-sensitive names).
// The list must not be empty.
std::string DefaultFontFamily(const std::vector<std::string>& sorted);

}  // namespace tlrx
