#pragma once
// Numbers written through the masks of the reports: "0" a digit always
// written (leading zeros as needed), "#" a digit written only when
// significant, "," grouping by thousands, "." the decimal point. The
// separators are fixed: "," and ".". Rounding is to the nearest, halves as
// printf rounds them.
//
//   FormatMask(6200000, "00,000,000")        "06,200,000"
//   FormatMask(6378206.4, "#,###,###")       "6,378,206"
//   FormatMask(294.9786982, "###.0000")      "294.9787"
//   FormatMask(-2.5, "#########0.0000")      "-2.5000"
//   FormatMask(0, "##,###,###")              ""  (no digit is significant)

#include <string>
#include <string_view>

namespace tlrx {

std::string FormatMask(double value, std::string_view mask);

}  // namespace tlrx
