#pragma once
// Pieces shared by the map file readers: opening a map file as the run's
// input file, the bound on the lines of the text kinds, the yields of work
// that hands the pass no point, and reading the numbers of text fields.

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

// The leading number of a field: blanks are ignored wherever they stand,
// reading stops at the first other character that cannot continue the
// number, and a field without a number gives 0.
double FieldNumber(std::string_view text);

}  // namespace tlrx
