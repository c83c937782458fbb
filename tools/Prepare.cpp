#include "Prepare.h"

#include <cstdlib>
#include <vector>

namespace tlrx::convert {

std::vector<Polyline> CutAt180(const Polyline& line) {
    std::vector<Polyline> pieces;
    pieces.push_back(Polyline{line.label, {}});
    const auto append = [&](const Point& p) {
        auto& pts = pieces.back().points;
        if (pts.empty() || !(pts.back() == p)) pts.push_back(p);
    };
    for (size_t i = 0; i < line.points.size(); ++i) {
        const Point b = line.points[i];
        if (i > 0) {
            const Point a = line.points[i - 1];
            const int64_t d = int64_t{b.lon} - a.lon;
            if (std::llabs(d) > kUnits180) {
                // Eastward across the meridian when d < 0 (e.g. 179.5 to -179.5).
                const int32_t edge = d < 0 ? kUnits180 : -kUnits180;
                const int64_t bLon = d < 0 ? int64_t{b.lon} + 2 * kUnits180 : int64_t{b.lon} - 2 * kUnits180;
                int64_t num = (int64_t{edge} - a.lon) * (int64_t{b.lat} - a.lat);
                int64_t den = bLon - a.lon;
                int32_t lat = a.lat;
                if (den != 0) {
                    if (den < 0) num = -num, den = -den;
                    lat = static_cast<int32_t>(a.lat + DivRoundHalfEven(num, den));
                }
                append(Point{edge, lat});
                pieces.push_back(Polyline{});
                append(Point{-edge, lat});
            }
        }
        append(b);
    }
    std::vector<Polyline> kept;
    for (auto& p : pieces)
        if (!p.points.empty()) kept.push_back(std::move(p));
    return kept;
}

void FillLongSteps(Polyline& line) {
    constexpr int64_t kLongStep = 20 * int64_t{kUnitsPerDegree};
    constexpr int64_t kMaxStep = 10 * int64_t{kUnitsPerDegree};
    std::vector<Point> out;
    out.reserve(line.points.size());
    for (size_t i = 0; i < line.points.size(); ++i) {
        const Point b = line.points[i];
        if (i > 0) {
            const Point a = line.points[i - 1];
            const int64_t dLon = int64_t{b.lon} - a.lon, dLat = int64_t{b.lat} - a.lat;
            if (std::llabs(dLon) >= kLongStep) {
                const int64_t n = (std::llabs(dLon) + kMaxStep - 1) / kMaxStep;
                for (int64_t k = 1; k < n; ++k)
                    out.push_back(Point{static_cast<int32_t>(a.lon + DivRoundHalfEven(k * dLon, n)),
                                        static_cast<int32_t>(a.lat + DivRoundHalfEven(k * dLat, n))});
            }
        }
        out.push_back(b);
    }
    line.points = std::move(out);
}

std::vector<Polyline> ClipToWindow(const Polyline& line, const Window& w) {
    std::vector<Polyline> runs;
    bool inRun = false;
    for (size_t i = 0; i < line.points.size(); ++i) {
        const Point p = line.points[i];
        const bool inside = p.lon >= w.west && p.lon <= w.east && p.lat >= w.south && p.lat <= w.north;
        if (inside && !inRun) runs.push_back(Polyline{i == 0 ? line.label : std::string{}, {}});
        if (inside) runs.back().points.push_back(p);
        inRun = inside;
    }
    // A line that only touches the window leaves a one-point run: not a place, dropped.
    if (line.points.size() >= 2) std::erase_if(runs, [](const Polyline& r) { return r.points.size() < 2; });
    return runs;
}

void PrepareLayers(std::vector<Layer>& layers, const std::optional<Window>& window) {
    for (Layer& layer : layers) {
        std::vector<Polyline> out;
        for (const Polyline& line : layer.lines) {
            for (Polyline& piece : CutAt180(line)) {
                FillLongSteps(piece);
                if (!window) {
                    out.push_back(std::move(piece));
                    continue;
                }
                for (Polyline& run : ClipToWindow(piece, *window)) out.push_back(std::move(run));
            }
        }
        layer.lines = std::move(out);
    }
}

}  // namespace tlrx::convert
