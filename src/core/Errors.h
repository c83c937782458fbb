#pragma once
// The recurring error forms of the program, each written once:
//  - "Error in <procedure>": a trapped run-time error;
//  - the failed-system-call box under ApiErrorTitle;
// and the run-time errors that computations raise (with the descriptions the
// boxes show), including the checked whole-number conversions.

#include <cfloat>
#include <cmath>
#include <concepts>
#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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

[[noreturn]] inline void Raise(std::string_view description) { throw RuntimeError(std::string(description)); }

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

// Whole-number conversions round to nearest, halves to the even neighbour,
// as std::nearbyint does in the default rounding mode, but inline: the build
// cannot assume an instruction for it, and the library call is a cost per
// point. Magnitudes of 2^52 and more, infinities and NaN are whole or no
// number already; the sign is put back, so that -0.4 gives -0.

// The rounding by whole part and fraction: the truncation, the fraction and
// the comparisons are exact in any precision, so it holds where double
// arithmetic is carried in a wider format (the x87 unit of 32-bit x86).
inline double RoundHalfEvenPortable(double v) {
    constexpr double kTwoTo52 = 4503599627370496.0;
    const double magnitude = std::fabs(v);
    if (!(magnitude < kTwoTo52)) return v;
    auto whole = static_cast<int64_t>(magnitude);
    const double fraction = magnitude - static_cast<double>(whole);
    if (fraction > 0.5 || (fraction == 0.5 && (whole & 1) != 0)) ++whole;
    return std::copysign(static_cast<double>(whole), v);
}

// Where double arithmetic is done in double (SSE2 and every 64-bit target):
// adding 2^52 to a magnitude below 2^52 rounds it to a whole number (the
// doubles from 2^52 to 2^53 are the whole numbers), and subtracting it again
// is exact. In a wider format the sum would keep the fraction, and rounding
// it to double afterwards would round twice.
inline double RoundHalfEven(double v) {
#if FLT_EVAL_METHOD == 0
    constexpr double kTwoTo52 = 4503599627370496.0;
    const double magnitude = std::fabs(v);
    if (!(magnitude < kTwoTo52)) return v;
    return std::copysign(magnitude + kTwoTo52 - kTwoTo52, v);
#else
    return RoundHalfEvenPortable(v);
#endif
}

// RoundHalfEven(v) as a whole number, for v whose rounding lies in the
// range of an int32_t. On SSE2 a single conversion instruction does it, in
// the default rounding mode, which rounds halves to even.
inline int32_t RoundedInt32(double v) {
#if defined(__SSE2__)
    return _mm_cvtsd_si32(_mm_set_sd(v));
#else
    return static_cast<int32_t>(RoundHalfEven(v));
#endif
}

// Converts to a 16-bit Integer, raising Overflow outside -32768..32767
// (and for a value that is not a number). The bounds are those of the
// unrounded value: a half below -32768 rounds to that even number, a half
// above 32767 to 32768.
inline int16_t ToInt16(double v) {
    if (!(v >= -32768.5 && v < 32767.5)) Raise(kOverflow);
    return static_cast<int16_t>(RoundedInt32(v));
}

// Converts to a 32-bit Long, raising Overflow outside its range (bounded
// as ToInt16 is).
inline int32_t ToInt32(double v) {
    if (!(v >= -2147483648.5 && v < 2147483647.5)) Raise(kOverflow);
    return RoundedInt32(v);
}

}  // namespace tlrx
