#pragma once
// Angle texts: degrees, minutes and seconds in fixed columns.
//
// Dialog layouts (groups separated by four blanks, positions from 1):
//   latitude   "37    47    00    N"   19 chars: D 1-2, M 7-8, S 13-14, N/S at 19
//   longitude  "122    26    00    W"  20 chars: D 1-3, M 8-9, S 14-15, E/W at 20
//   arc        "015    00    00"       15 chars: D 1-3, M 8-9, S 14-15, no sign
// Display layout: the same groups separated by one blank ("37 47 00 N").

#include <cstdint>
#include <string>
#include <string_view>

namespace tlrx {

// Value of the field at 1-based position pos, len characters: the decimal
// number of its leading digits, blanks ignored, up to the first other
// character; 0 without digits or beyond the end of the text.
double DmsFieldValue(std::string_view text, int pos, int len);

// Signed arc-seconds of a dialog text, 3600 D + 60 M + S rounded to the
// nearest whole number. A latitude is south (negative) only with exactly "S"
// at position 19, a longitude west only with exactly "W" at position 20.
int32_t LatTextToSec(std::string_view text);
int32_t LonTextToSec(std::string_view text);
int32_t ArcTextToSec(std::string_view text);

// The same in degrees (arc-seconds / 3600).
double LatTextToDeg(std::string_view text);
double LonTextToDeg(std::string_view text);
double ArcTextToDeg(std::string_view text);

// Writes deg (degrees) as an angle text into out. kind is "LAT" (two-digit
// degrees, N or S), "LON" (three digits, E or W) or "ARC" (three digits, no
// letter); gap is the number of blanks between groups (4 dialog, 1 display).
// The letter follows the sign of deg. On failure (degrees beyond a 16-bit
// Integer) shows "Error in DegMinSec" and leaves out unchanged.
void DegMinSec(double deg, std::string& out, std::string_view kind, int16_t gap);

}  // namespace tlrx
