#pragma once
// The readers of the digital map files. Each reads its file through the
// run's input file (file number 1, RunFiles) from its start to its end and
// hands every point to the plotting pass through a MapPointSink; it returns
// at the end of the file, or at once when the sink reports a stop. Read
// errors (a truncated record, a bad field, a line of a text kind longer than
// kMaxMapLineChars, a path that names no regular file) raise RuntimeError
// with the error's description; the plotting pass reports them.

#include <cstdint>
#include <string>
#include <string_view>

namespace tlrx {

// The description a reader raises for a map file that does not exist; the
// plotting pass shows its own box naming the file for it.
inline constexpr std::string_view kFileNotFound = "File not found";

// What a reader hands to the plotting pass.
class MapPointSink {
public:
    virtual ~MapPointSink() = default;

    // A new feature row begins: the drawing attributes of (row, file) apply
    // from now on. Row 0 is never selected.
    virtual void SetRow(int16_t row) = 0;

    // Whether feature row `row` of the file is selected.
    virtual bool RowSelected(int16_t row) const = 0;

    // One point, latitude and longitude in signed arc-seconds (north and
    // east positive), starting a new segment or continuing the current one.
    virtual void Point(int32_t latSec, int32_t lonSec, bool segmentStart) = 0;

    // One point of a UTM file, northing and easting in whole metres.
    virtual void UtmPoint(int32_t northing, int32_t easting, bool segmentStart) = 0;

    // Records read and passed over count toward the yield counter like
    // drawn points: a yield when the count lands on a multiple of 800. A
    // passed-over segment of the packed and DLG text kinds adds its point
    // count here and then yields once (YieldOnce).
    virtual void CountPassedOver(int32_t count) = 0;

    // One yield after a passed-over segment of the packed and DLG text
    // kinds, and after every few thousand units of reading that hand over no
    // point (IdleYields).
    virtual void YieldOnce() = 0;

    // A label read from a point file, for the point just handed over.
    virtual void Label(const std::string& text) = 0;

    // Stop was requested: the reader returns at once.
    virtual bool Stopped() const = 0;
};

// One reader per format family; `file` is the input file number (1-based)
// whose symbology and selection apply.
void ReadMwdbFile(const std::string& path, int16_t file, MapPointSink& sink);         // ALL CCI MAP PNT
void ReadPackedFile(const std::string& path, int16_t file, MapPointSink& sink);       // GRV PKD PKV
void ReadFixedRecordFile(const std::string& path, int16_t file, MapPointSink& sink);  // DAT GRF
void ReadWorldFile(const std::string& path, int16_t file, MapPointSink& sink);        // MP1 MPS
void ReadAsciiFile(const std::string& path, int16_t file, MapPointSink& sink);        // PRN UTM

}  // namespace tlrx
