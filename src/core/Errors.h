#pragma once
// The recurring error forms of the program, each written once:
//  - "Error in <procedure>": a trapped run-time error;
//  - the failed-system-call box under ApiErrorTitle;
// and the run-time errors that computations raise (with the descriptions the
// boxes show), including the checked whole-number conversions.

#include <cmath>
#include <concepts>
#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>

namespace tlrx {

// A run-time error with the description shown after "Error: ".
class RuntimeError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

inline constexpr std::string_view kOverflow = "Overflow";
inline constexpr std::string_view kDivisionByZero = "Division by zero";
inline constexpr std::string_view kSubscriptOutOfRange = "Subscript out of range";
inline constexpr std::string_view kInvalidCall = "Invalid procedure call or argument";

[[noreturn]] inline void Raise(std::string_view description) {
    throw RuntimeError(std::string(description));
}

// Element i of a list (a vector, array or string), raising "Subscript out of
// range" when i lies outside it, so that the procedure's error box reports a
// bad index. Returns a reference (or a vector<bool> element proxy).
template <typename List>
decltype(auto) Item(List& list, std::integral auto i) {
    if (std::cmp_less(i, 0) || std::cmp_greater_equal(i, list.size())) Raise(kSubscriptOutOfRange);
    return list[static_cast<size_t>(i)];
}

// "Error: <description>", exclamation icon, title "Error in <procedure>".
void ShowProcError(std::string_view procedure, std::string_view description);

// A failed system call: the message as given, exclamation icon, title
// ApiErrorTitle ("Windows API Error").
void ShowApiError(std::string_view message);

// a / b, raising the error a zero divisor raises: "Division by zero", or
// "Overflow" for 0 / 0.
inline double CheckedDiv(double a, double b) {
    if (b == 0) Raise(a == 0 ? kOverflow : kDivisionByZero);
    return a / b;
}

// Whole-number conversions round to nearest, halves to the even neighbour.
inline double RoundHalfEven(double v) { return std::nearbyint(v); }

// Converts to a 16-bit Integer, raising Overflow outside -32768..32767
// (and for a value that is not a number).
inline int16_t ToInt16(double v) {
    const double r = RoundHalfEven(v);
    if (!(r >= -32768.0 && r <= 32767.0)) Raise(kOverflow);
    return static_cast<int16_t>(r);
}

// Converts to a 32-bit Long, raising Overflow outside its range.
inline int32_t ToInt32(double v) {
    const double r = RoundHalfEven(v);
    if (!(r >= -2147483648.0 && r <= 2147483647.0)) Raise(kOverflow);
    return static_cast<int32_t>(r);
}

}  // namespace tlrx
