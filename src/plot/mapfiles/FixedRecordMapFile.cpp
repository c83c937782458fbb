// Fixed-record map files (DAT, GRF): runs of 20-character records, line-end
// characters counted as ordinary ones. Character 7 tells a segment header
// (a character below the colon) from a point record (a letter). A header
// leaves the segment start pending in SegmentState (1): every point record
// read while it is pending starts the segment, until the device layer has
// drawn one of them or the segment start has ended an open export polyline.

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/Errors.h"
#include "plot/PlotState.h"
#include "plot/RunFiles.h"
#include "plot/mapfiles/MapFeatureTables.h"
#include "plot/mapfiles/MapFileInput.h"
#include "plot/mapfiles/MapFileTypes.h"
#include "plot/mapfiles/MapReaders.h"

namespace tlrx {

namespace {

constexpr size_t kRecordChars = 20;

// The leading number of characters first..last (1-based) of a record.
double Field(const char* record, size_t first, size_t last) {
    return FieldNumber(std::string_view(record + first - 1, last - first + 1));
}

// Degrees, minutes and seconds to whole arc-seconds.
int32_t DmsSec(double degrees, double minutes, double seconds) {
    return ToInt32(3600 * degrees + 60 * minutes + seconds);
}

}  // namespace

void ReadFixedRecordFile(const std::string& path, int16_t /*file*/, MapPointSink& sink) {
    const bool grf = MapFileTypeOf(path).kind == MapKind::Grf;
    if (!grf && !sink.RowSelected(1)) return;  // a DAT file is read only with "All features" selected
    RunFiles& f = Files();
    OpenMapFile(path);
    const int64_t length = f.InputLength();
    PlotState& p = Plot();
    if (!grf) sink.SetRow(1);
    // The first point record starts a segment even without a header before it.
    p.SegmentState = 1;
    // Whether the point records belong to a segment that is drawn: a DAT
    // file's always, a GRF file's from a header of a selected row until the
    // next header.
    bool drawing = !grf;
    IdleYields idle(sink);  // headers and records not drawn yield no other way
    int64_t records = 0;    // records consumed so far, passed-over ones included
    char record[kRecordChars];
    while (!f.InputAtEnd()) {
        f.ReadInput(record, kRecordChars);
        ++records;
        if (static_cast<unsigned char>(record[6]) < ':') {  // segment header
            p.SegmentState = 1;
            if (!grf) {
                if (idle.Add()) return;
                continue;
            }
            const double minor = Field(record, 8, 9);
            const double count = Field(record, 10, 15);
            const double major = Field(record, 19, 20);
            const int16_t row = DlgRowOfGrfCode(ToInt16(100 * major + minor));
            drawing = row != 0 && sink.RowSelected(row);
            if (drawing) {
                sink.SetRow(row);
                if (idle.Add()) return;
                continue;
            }
            sink.YieldOnce();
            if (sink.Stopped()) return;
            // Past the segment's point records; a negative count never moves back.
            records += std::max<int32_t>(ToInt32(count), 0);
            const int64_t next = static_cast<int64_t>(kRecordChars) * records + 1;
            if (next > length + 1) Raise(kInputPastEnd);  // the segment is cut short
            f.SeekInput(next);
            continue;
        }
        if (!drawing) {  // a point of a passed-over segment, or before the first header
            if (idle.Add()) return;
            continue;
        }
        int32_t lat = DmsSec(Field(record, 1, 2), Field(record, 3, 4), Field(record, 5, 6));
        if (record[6] == 'S') lat = -lat;
        int32_t lon = DmsSec(Field(record, 8, 10), Field(record, 11, 12), Field(record, 13, 14));
        if (record[14] == 'W') lon = -lon;
        sink.Point(lat, lon, p.SegmentState == 1);
        if (sink.Stopped()) return;
    }
}

}  // namespace tlrx
