// World map files: MPS (binary records of two little-endian IEEE singles,
// latitude and longitude in degrees, and a trailer ending with a line feed)
// and MP1 (text lines "latitude longitude" in decimal degrees, any other
// line separating segments). Both draw every segment with row 1.

#include <bit>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/Errors.h"
#include "plot/PlotState.h"
#include "plot/RunFiles.h"
#include "plot/mapfiles/MapFileInput.h"
#include "plot/mapfiles/MapFileTypes.h"
#include "plot/mapfiles/MapReaders.h"

namespace tlrx {

namespace {

constexpr float kSeparator = 99.0f;
constexpr int32_t kArcSec180 = 648000;
constexpr int32_t kArcSec360 = 1296000;

// The next little-endian IEEE single.
float ReadSingle(InputCursor& in) {
    uint8_t b[4];
    if (!in.Read(b, 4)) Raise(kInputPastEnd);
    return std::bit_cast<float>(static_cast<uint32_t>(b[0] | b[1] << 8 | b[2] << 16 | uint32_t{b[3]} << 24));
}

void ReadMps(MapPointSink& sink) {
    PlotState& p = Plot();
    InputCursor in;
    IdleYields idle(sink);
    bool start = true;  // the first record starts a segment
    while (in.More()) {
        float lat = ReadSingle(in);
        if (lat == kSeparator) {
            if (!in.More()) return;  // a separator ending the file
            lat = ReadSingle(in);
            start = true;
        }
        float lon = ReadSingle(in);
        if (lon > 180.0f) lon -= 360.0f;
        // The trailer, up to its line feed; a byte 1 in it starts a segment with the next point.
        bool nextStart = false;
        for (;;) {
            if (!in.More()) Raise(kInputPastEnd);
            const auto c = static_cast<uint8_t>(*in.next++);
            if (c == 10) break;
            if (c == 1) nextStart = true;
            if (idle.Add()) return;
        }
        const int32_t latSec = ToInt32(static_cast<double>(lat) * 3600);
        const int32_t lonSec = ToInt32(static_cast<double>(lon) * 3600);
        if (start) p.SegmentState = 3;
        sink.Point(latSec, lonSec, start);
        if (sink.Stopped()) return;
        start = nextStart;
    }
}

void ReadMp1(const std::string& path, MapPointSink& sink) {
    RunFiles& f = Files();
    PlotState& p = Plot();
    IdleYields idle(sink);
    std::string line;   // reused: grows to the longest line, at most the bound
    bool start = true;  // the first point line starts a segment
    while (f.ReadInputLine(line, kMaxMapLineChars)) {
        if (line.size() > kMaxMapLineChars) RaiseLineTooLong(path);
        // The line's field: from its first non-blank character to a comma or the line end.
        std::string_view field = line;
        const size_t first = field.find_first_not_of(' ');
        field = first == std::string_view::npos ? std::string_view() : field.substr(first);
        field = field.substr(0, field.find(','));
        const char c = field.empty() ? ' ' : field.front();
        if (c != '-' && (c < '0' || c > '9')) {  // a separator line
            start = true;
            if (idle.Add()) return;
            continue;
        }
        const size_t blank = field.find(' ');
        double latDeg = 0, lonDeg = 0;
        if (blank == std::string_view::npos) {
            lonDeg = FieldNumber(field);
        } else {
            latDeg = FieldNumber(field.substr(0, blank));
            lonDeg = FieldNumber(field.substr(blank + 1));
        }
        const int32_t latSec = ToInt32(latDeg * 3600);
        int32_t lonSec = ToInt32(lonDeg * 3600);
        if (lonSec > kArcSec180) lonSec -= kArcSec360;
        if (start) p.SegmentState = 3;
        sink.Point(latSec, lonSec, start);
        if (sink.Stopped()) return;
        start = false;
    }
}

}  // namespace

void ReadWorldFile(const std::string& path, int16_t /*file*/, MapPointSink& sink) {
    const bool mps = MapFileTypeOf(path).kind == MapKind::Mps;
    // An MPS file must exist even when it is not read.
    if (mps) RequireMapFile(path);
    if (!sink.RowSelected(1)) return;  // read only with "All features" selected
    OpenMapFile(path);
    sink.SetRow(1);
    if (mps) ReadMps(sink);
    else ReadMp1(path, sink);
}

}  // namespace tlrx
