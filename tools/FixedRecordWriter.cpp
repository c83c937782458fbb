// Fixed 20-character records (.dat, .grf). A point record is
// DDMMSSH DDDMMSSH in whole arc-seconds ("452530N1223015W"): latitude degrees,
// minutes, seconds, N or S, longitude degrees, minutes, seconds, E or W, with
// characters 16-20 unused. Character 7 tells the kinds apart: a letter in a
// point record, a blank in a segment header.
//
//  - .dat: a header (blank at character 7; the point count in characters
//    10-15 for the reader of the text only) before every segment, and every
//    record ends with a line feed in character 20, so the file reads as lines.
//  - .grf: the header holds the DLG minor code in characters 8-9, the count of
//    point records that follow in 10-15 and the major code in 19-20. It fills
//    all 20 characters, so the file has no line ends at all.
//  - The count field holds at most 999999; a longer segment is split, the
//    next segment starting at the last point of the previous one.
//  - Points that repeat at whole arc-seconds are dropped, and a polyline that
//    shrinks to one point is left out.

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "FeatureCodes.h"
#include "Writers.h"

namespace tlrx::convert {
namespace {

constexpr size_t kMaxCount = 999999;

struct ArcSecPoint {
    int32_t lon = 0, lat = 0;
    bool operator==(const ArcSecPoint&) const = default;
};

void PutPoint(std::ostream& out, const ArcSecPoint& p, bool lineEnd) {
    const int32_t la = std::abs(p.lat), lo = std::abs(p.lon);
    char rec[32];
    std::snprintf(rec, sizeof rec, "%02d%02d%02d%c%03d%02d%02d%c%s", la / 3600, la % 3600 / 60, la % 60,
                  p.lat < 0 ? 'S' : 'N', lo / 3600, lo % 3600 / 60, lo % 60, p.lon < 0 ? 'W' : 'E',
                  lineEnd ? "    \n" : "     ");
    out.write(rec, 20);
}

void PutHeader(std::ostream& out, bool grf, int code, size_t count) {
    char rec[32];
    if (grf) std::snprintf(rec, sizeof rec, "       %02d%6zu   %02d", code % 100, count, code / 100);
    else std::snprintf(rec, sizeof rec, "         %6zu    \n", count);
    out.write(rec, 20);
}

}  // namespace

WriteStats WriteFixedRecord(std::ostream& out, const std::vector<Layer>& layers, const std::string& kind) {
    WriteStats stats;
    const bool grf = kind == "GRF";
    for (const Layer& layer : layers) {
        for (const Polyline& line : layer.lines) {
            const auto pts = ToFileUnits<ArcSecPoint>(line, [](const Point& p) {
                return ArcSecPoint{ToArcSec(p.lon), ToArcSec(p.lat)};
            });
            if (pts.empty()) {
                ++stats.collapsed;
                continue;
            }
            const int code = grf ? GrfCode(DlgRow(layer.row, LengthKm(line))) : 0;
            for (size_t first = 0;;) {
                const size_t count = std::min(kMaxCount, pts.size() - first);
                PutHeader(out, grf, code, count);
                for (size_t i = first; i < first + count; ++i) PutPoint(out, pts[i], !grf);
                ++stats.segments;
                stats.points += static_cast<long>(count);
                if (first + count == pts.size()) break;
                first += count - 1;
                ++stats.splitSegments;
            }
        }
    }
    return stats;
}

}  // namespace tlrx::convert
