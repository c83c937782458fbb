// MWDB record layout. Arc-minutes fit the 16-bit fields everywhere
// (latitude -5400..5400, longitude -10800..10800), and a segment may be of any
// length, so nothing is split; points that repeat at whole arc-minutes are
// dropped, and a polyline that shrinks to one point is left out.

#include <cstdint>

#include "FeatureCodes.h"
#include "Writers.h"

namespace tlrx::convert {
namespace {

struct ArcMinPoint {
    int16_t lat = 0, lon = 0;
    bool operator==(const ArcMinPoint&) const = default;
};

void PutInt16(std::ostream& out, int value) {
    const auto u = static_cast<uint16_t>(static_cast<int16_t>(value));
    const char bytes[2] = {static_cast<char>(u & 0xFF), static_cast<char>(u >> 8)};
    out.write(bytes, 2);
}

}  // namespace

WriteStats WriteMwdb(std::ostream& out, const std::vector<Layer>& layers, bool pointFile) {
    WriteStats stats;
    for (const Layer& layer : layers) {
        const int startCode = MwdbRank(layer.row) * 1000;
        for (const Polyline& line : layer.lines) {
            const auto pts = ToFileUnits<ArcMinPoint>(line, [](const Point& p) {
                return ArcMinPoint{static_cast<int16_t>(ToArcMin(p.lat)), static_cast<int16_t>(ToArcMin(p.lon))};
            });
            if (pts.empty()) {
                ++stats.collapsed;
                continue;
            }
            for (size_t i = 0; i < pts.size(); ++i) {
                const bool start = i == 0 || pointFile;
                PutInt16(out, start ? startCode : 0);
                PutInt16(out, pts[i].lat);
                PutInt16(out, pts[i].lon);
                if (start) ++stats.segments;
                ++stats.points;
            }
        }
    }
    return stats;
}

}  // namespace tlrx::convert
