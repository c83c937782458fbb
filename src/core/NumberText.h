#pragma once
// Numbers written as text in the design: the UTM parameters and boundaries.

#include <string_view>

namespace tlrx {

// The number at the start of text (after leading blanks): an optional sign,
// digits, an optional decimal point and more digits. 0 when the text starts
// with no number; raises Overflow when the number is beyond the range of a
// double.
double LeadingNumber(std::string_view text);

}  // namespace tlrx
