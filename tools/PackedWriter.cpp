// Packed segments (.grv .pkd .pkv). Each segment: code byte, point count as
// 100 x high byte + low byte, bounding box and first point in signed-byte
// degree/minute/second groups, then one signed byte longitude step and one
// latitude step per further point, in arc-seconds.
//
// Limits of the layout and how they are met:
//  - A step holds -128..127 arc-seconds. A longer step between two input
//    points is filled with points on the straight line between them (in
//    longitude and latitude) so that every step stays within +-127; the
//    segment is not broken, since breaking it cannot shorten a step.
//  - The count is at most 255 x 100 + 99 = 25599 points. A longer segment is
//    split: the next segment starts at the last point of the previous one, so
//    the line stays unbroken.
//  - Degrees of longitude are 2 x d1 + d2 with d1, d2 signed bytes; all four
//    (or three) parts of a value carry the value's sign.
//  - Points are whole arc-seconds; points that repeat after rounding are
//    dropped, and a polyline that shrinks to one point is left out.

#include <algorithm>
#include <cstdint>
#include <cstdlib>

#include "FeatureCodes.h"
#include "Writers.h"

namespace tlrx::convert {
namespace {

constexpr int kMaxStep = 127;
constexpr size_t kMaxCount = 255 * 100 + 99;

struct ArcSecPoint {
    int32_t lon = 0, lat = 0;
    bool operator==(const ArcSecPoint&) const = default;
};

void PutByte(std::ostream& out, int value) { out.put(static_cast<char>(static_cast<uint8_t>(value))); }

void PutLon(std::ostream& out, int32_t arcSec) {
    const int sign = arcSec < 0 ? -1 : 1;
    const int32_t a = std::abs(arcSec);
    const int degrees = a / 3600;
    PutByte(out, sign * (degrees / 2));
    PutByte(out, sign * (degrees % 2));
    PutByte(out, sign * (a % 3600 / 60));
    PutByte(out, sign * (a % 60));
}

void PutLat(std::ostream& out, int32_t arcSec) {
    const int sign = arcSec < 0 ? -1 : 1;
    const int32_t a = std::abs(arcSec);
    PutByte(out, sign * (a / 3600));
    PutByte(out, sign * (a % 3600 / 60));
    PutByte(out, sign * (a % 60));
}

// Adds straight-line points wherever a step exceeds kMaxStep in either
// coordinate. The k-th of n added points is a + floor(k x d / n), so each new
// step is floor or ceiling of d / n, which is within +-kMaxStep.
std::vector<ArcSecPoint> FillSteps(const std::vector<ArcSecPoint>& pts, WriteStats& stats) {
    std::vector<ArcSecPoint> out;
    out.reserve(pts.size());
    for (size_t i = 0; i < pts.size(); ++i) {
        if (i > 0) {
            const ArcSecPoint a = pts[i - 1], b = pts[i];
            const int64_t dLon = int64_t{b.lon} - a.lon, dLat = int64_t{b.lat} - a.lat;
            const int64_t longest = std::max(std::llabs(dLon), std::llabs(dLat));
            if (longest > kMaxStep) {
                const int64_t n = (longest + kMaxStep - 1) / kMaxStep;
                for (int64_t k = 1; k < n; ++k)
                    out.push_back(ArcSecPoint{static_cast<int32_t>(a.lon + DivFloor(k * dLon, n)),
                                              static_cast<int32_t>(a.lat + DivFloor(k * dLat, n))});
                ++stats.filledSteps;
                stats.addedPoints += n - 1;
            }
        }
        out.push_back(pts[i]);
    }
    return out;
}

void PutSegment(std::ostream& out, int codeByte, const ArcSecPoint* pts, size_t count) {
    int32_t west = pts[0].lon, east = west, south = pts[0].lat, north = south;
    for (size_t i = 1; i < count; ++i) {
        west = std::min(west, pts[i].lon), east = std::max(east, pts[i].lon);
        south = std::min(south, pts[i].lat), north = std::max(north, pts[i].lat);
    }
    PutByte(out, codeByte);
    PutByte(out, static_cast<int>(count / 100));
    PutByte(out, static_cast<int>(count % 100));
    PutLon(out, west);
    PutLat(out, south);
    PutLon(out, east);
    PutLat(out, north);
    PutLon(out, pts[0].lon);
    PutLat(out, pts[0].lat);
    for (size_t i = 1; i < count; ++i) {
        PutByte(out, pts[i].lon - pts[i - 1].lon);
        PutByte(out, pts[i].lat - pts[i - 1].lat);
    }
}

}  // namespace

WriteStats WritePacked(std::ostream& out, const std::vector<Layer>& layers, const std::string& kind,
                       const std::string& title) {
    WriteStats stats;
    const bool grv = kind == "GRV", pkv = kind == "PKV";
    const int offset = pkv ? 0 : WdbTitleOffset(title);
    for (const Layer& layer : layers) {
        int wdbCode = -1;
        if (!grv && !layer.lines.empty()) {
            const int wdbRow = WdbRow(layer.row);
            if (wdbRow == 0) {
                stats.notes.push_back(std::string(FeatureClassName(layer.row)) +
                                      ": the WDB2 feature table has no row for it; left out");
                continue;
            }
            if (!WdbThemeHolds(offset, pkv, wdbRow) || (wdbCode = WdbCodeByte(wdbRow, offset)) < 0) {
                stats.notes.push_back(std::string(FeatureClassName(layer.row)) + ": WDB2 row " +
                                      std::to_string(wdbRow) + " is not of the theme of title \"" + title +
                                      "\"; left out");
                continue;
            }
        }
        for (const Polyline& line : layer.lines) {
            const auto rounded = ToFileUnits<ArcSecPoint>(line, [](const Point& p) {
                return ArcSecPoint{ToArcSec(p.lon), ToArcSec(p.lat)};
            });
            if (rounded.empty()) {
                ++stats.collapsed;
                continue;
            }
            const int code = grv ? GrvCodeByte(DlgRow(layer.row, LengthKm(line))) : wdbCode;
            const auto pts = FillSteps(rounded, stats);
            for (size_t first = 0;;) {
                const size_t count = std::min(kMaxCount, pts.size() - first);
                PutSegment(out, code, pts.data() + first, count);
                ++stats.segments;
                stats.points += static_cast<long>(count);
                if (first + count == pts.size()) break;
                first += count - 1;  // the next segment starts at this one's last point
                ++stats.splitSegments;
            }
        }
    }
    return stats;
}

}  // namespace tlrx::convert
