#pragma once
// Pieces shared by the map file readers: opening a map file as the run's
// input file and scanning it in place, the bound on the lines of the text
// kinds, the yields of work that hands the pass no point, and reading the
// numbers of text fields.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "plot/mapfiles/MapReaders.h"

namespace tlrx {

// The longest line of a text map file, its line end not counted. A valid
// line holds a few numbers: an MP1 point line two, a PRN or UTM record three
// with at most a place-name label after them; an MP1 separator line is a
// short note. A label is read as part of its line and so is held to the same
// bound, which keeps a label cheap to measure and draw. A longer line is an
// error (RaiseLineTooLong), read no further than the bound.
inline constexpr size_t kMaxMapLineChars = 4096;

// Raises the error of a line longer than kMaxMapLineChars in map file `path`:
// "<path> has a line longer than 4096 characters".
[[noreturn]] void RaiseLineTooLong(const std::string& path);

// Opens `path` as the run's input file (file number 1) for binary reading;
// raises kFileNotFound when there is no such file (nothing is created).
// Only a regular file (or a link to one) is opened: anything else, such as
// a named pipe or a device that could block the open or never end, raises
// "<path> is not a regular file" without being opened.
void OpenMapFile(const std::string& path);

// Raises kFileNotFound when there is no file `path` (a folder of that name
// counts as none), and the error of OpenMapFile for a file that is not a
// regular one.
void RequireMapFile(const std::string& path);

// The most units of reading work that hand the pass nothing before a
// reader yields.
inline constexpr int32_t kIdleYieldEvery = 4096;

// Counts the reading work that hands the pass no point and so reaches none
// of its yields: segment headers, separator lines, trailer bytes, empty
// lines, records outside any drawn segment. It yields once (YieldOnce) every
// kIdleYieldEvery units, so that Stop also ends a file of nothing else. In
// an ordinary file they are rare beside the pass's yield every 800 points.
class IdleYields {
public:
    explicit IdleYields(MapPointSink& sink) : sink_(sink) {}

    // Counts one unit; true when a stop was seen at the yield it made.
    bool Add() {
        if (++count_ < kIdleYieldEvery) return false;
        count_ = 0;
        sink_.YieldOnce();
        return sink_.Stopped();
    }

private:
    MapPointSink& sink_;
    int32_t count_ = 0;
};

// Scans the run's input file in place: [next, end) are bytes read ahead and
// not yet taken (RunFiles::InputAhead). A reader advances `next` over what
// it has read; Refill takes that as read and fetches the following bytes,
// and so does the cursor when it goes, so that the input's position is
// always where the scan is.
class InputCursor {
public:
    InputCursor();
    ~InputCursor() { Commit(); }
    InputCursor(const InputCursor&) = delete;
    InputCursor& operator=(const InputCursor&) = delete;

    // True while bytes are left; fetches more when [next, end) is used up.
    bool More() { return next < end || Refill(); }

    // Copies the next `count` bytes to `data`; false (the bytes left taken)
    // when the file ends first.
    bool Read(void* data, size_t count);

    // How many times new bytes have been fetched: a scan that keeps what it
    // found in the bytes at hand knows by it when they were replaced, which
    // may be at the same address.
    uint64_t Fills() const { return fills_; }

    const char* next = nullptr;
    const char* end = nullptr;

private:
    bool Refill();
    void Commit();
    const char* begin_ = nullptr;  // the start of the bytes fetched last
    uint64_t fills_ = 0;
};

// Powers of ten that a double holds exactly.
inline constexpr double kExactPowersOf10[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,
                                              1e10, 1e11, 1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19};

// The double of `digits` decimal digits making the whole number `whole`,
// the last `fraction` of them after the decimal point. True, with `value`
// set, when there is a digit and the number can be computed with a single
// rounding: at most 19 digits making a whole number of at most 2^53,
// divided by an exact power of ten, gives the double nearest to the
// decimal, the one std::from_chars gives. False otherwise (`value` unset).
inline bool ExactDecimal(uint64_t whole, ptrdiff_t digits, ptrdiff_t fraction, double& value) {
    if (digits == 0 || digits > 19 || whole > (uint64_t{1} << 53)) return false;
    value = static_cast<double>(whole);
    if (fraction > 0) value /= kExactPowersOf10[fraction];
    return true;
}

// Reads digits with at most one decimal point among them from `p` on,
// leaving `p` at the first character after them; true, with `value` set,
// when ExactDecimal computes their number.
inline bool ReadPlainDecimal(const char*& p, const char* end, double& value) {
    const auto digit = [](char c) { return static_cast<unsigned>(c) - '0'; };
    const char* first = p;
    uint64_t whole = 0;  // wraps beyond 19 digits, which are refused
    while (p < end && digit(*p) < 10) whole = whole * 10 + digit(*p++);
    ptrdiff_t digits = p - first;
    ptrdiff_t fraction = 0;
    if (p < end && *p == '.') {
        const char* point = ++p;
        while (p < end && digit(*p) < 10) whole = whole * 10 + digit(*p++);
        fraction = p - point;
        digits += fraction;
    }
    return ExactDecimal(whole, digits, fraction, value);
}

// ReadPlainDecimal where the bytes from `p` on are known to hold a line end
// (or any other character that is neither a digit nor a decimal point):
// the scan stops there without checking for the end of the bytes.
inline bool ScanPlainDecimal(const char*& p, double& value) {
    const auto digit = [](char c) { return static_cast<unsigned>(c) - '0'; };
    const char* first = p;
    uint64_t whole = 0;  // wraps beyond 19 digits, which are refused
    while (digit(*p) < 10) whole = whole * 10 + digit(*p++);
    ptrdiff_t digits = p - first;
    ptrdiff_t fraction = 0;
    if (*p == '.') {
        const char* point = ++p;
        while (digit(*p) < 10) whole = whole * 10 + digit(*p++);
        fraction = p - point;
        digits += fraction;
    }
    return ExactDecimal(whole, digits, fraction, value);
}

// The leading number of a field: blanks are ignored wherever they stand,
// reading stops at the first other character that cannot continue the
// number, and a field without a number gives 0.
double FieldNumber(std::string_view text);

// The number of a whole free-format field: an optional "+", then what
// std::from_chars reads as a double (sign, digits, decimal point, exponent),
// all of the field. An empty field is 0; raises "Type mismatch" when the
// field is no number or holds more than a number, "Overflow" when the number
// lies outside the range of a double (too large, or so small that it would
// read as 0).
double FreeFieldNumber(std::string_view field);

}  // namespace tlrx
