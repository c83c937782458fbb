#pragma once
// Numbers written through the masks of the reports: "0" a digit always
// written (leading zeros as needed), "#" a digit written only when
// significant, "," grouping by thousands, "." the decimal point. The
// separators written are the user's, as in the dialogs' number fields; the
// examples show them as "," and ".". Rounding is to the nearest, halves as
// printf rounds them; the C library's locale plays no part.
//
//   FormatMask(6200000, "00,000,000")        "06,200,000"
//   FormatMask(6378206.4, "#,###,###")       "6,378,206"
//   FormatMask(294.9786982, "###.0000")      "294.9787"
//   FormatMask(-2.5, "#########0.0000")      "-2.5000"
//   FormatMask(0, "##,###,###")              ""  (no digit is significant)

#include <string>
#include <string_view>

namespace tlrx {

// The thousands and decimal separators written, as UTF-8 text.
struct MaskSeparators {
    std::string thousands = ",";
    std::string decimal = ".";
};

// Those of the user's number format (UserNumberSeparators).
MaskSeparators UserMaskSeparators();

std::string FormatMask(double value, std::string_view mask, const MaskSeparators& separators);
// With the user's separators.
std::string FormatMask(double value, std::string_view mask);

// A number text written with "," grouping and "." as the point (a scale
// value's "9.6572E-01", a grid value's "00,019,339") in the user's
// separators.
std::string WithUserSeparators(std::string_view text);

}  // namespace tlrx
