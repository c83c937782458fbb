// World files.
//  - .mps: per point the latitude and the longitude as little-endian IEEE
//    singles in degrees, then a one-byte trailer, the line feed (10). Every
//    segment starts with a separator: a latitude of exactly 99.0 followed by
//    the real record. Points that repeat as singles are dropped.
//  - .mp1: per point a line "lat lon" in decimal degrees (5 decimals, one
//    blank between, no comma: a comma would end the field). Every segment is
//    preceded by a separator line "# " and the feature class name, which
//    starts with neither a digit nor '-'.
// Longitudes are written in -180..180.

#include <bit>
#include <cstdint>

#include "Writers.h"

namespace tlrx::convert {
namespace {

struct SinglePoint {
    float lat = 0, lon = 0;
    bool operator==(const SinglePoint&) const = default;
};

void PutSingle(std::ostream& out, float value) {
    const auto u = std::bit_cast<uint32_t>(value);
    const char bytes[4] = {static_cast<char>(u & 0xFF), static_cast<char>((u >> 8) & 0xFF),
                           static_cast<char>((u >> 16) & 0xFF), static_cast<char>(u >> 24)};
    out.write(bytes, 4);
}

}  // namespace

WriteStats WriteWorld(std::ostream& out, const std::vector<Layer>& layers, bool binary) {
    WriteStats stats;
    for (const Layer& layer : layers) {
        for (const Polyline& line : layer.lines) {
            if (binary) {
                const auto pts = ToFileUnits<SinglePoint>(line, [](const Point& p) {
                    return SinglePoint{static_cast<float>(ToDegrees(p.lat)), static_cast<float>(ToDegrees(p.lon))};
                });
                if (pts.empty()) {
                    ++stats.collapsed;
                    continue;
                }
                PutSingle(out, 99.0f);
                for (const SinglePoint& p : pts) {
                    PutSingle(out, p.lat);
                    PutSingle(out, p.lon);
                    out.put('\n');
                }
                stats.points += static_cast<long>(pts.size());
            } else {
                const auto pts = ToFileUnits<Point>(line, [](const Point& p) { return p; });
                if (pts.empty()) {
                    ++stats.collapsed;
                    continue;
                }
                out << "# " << FeatureClassName(layer.row) << '\n';
                for (const Point& p : pts) out << FormatDegrees(p.lat) << ' ' << FormatDegrees(p.lon) << '\n';
                stats.points += static_cast<long>(pts.size());
            }
            ++stats.segments;
        }
    }
    return stats;
}

}  // namespace tlrx::convert
