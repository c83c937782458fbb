#pragma once
// Polylines as the converter holds them. Coordinates are exact integers in
// 1e-5 degree units, the resolution of the plain polyline text, so that every
// conversion to a map file's own units is one exact rounding (halves to even).

#include <cstdint>
#include <string>
#include <vector>

namespace tlrx::convert {

constexpr int32_t kUnitsPerDegree = 100000;  // 1e-5 degree units per degree
constexpr int32_t kUnits180 = 180 * kUnitsPerDegree;
constexpr int32_t kUnits90 = 90 * kUnitsPerDegree;

struct Point {
    int32_t lon = 0;  // 1e-5 degrees, east positive, -18000000..18000000
    int32_t lat = 0;  // 1e-5 degrees, north positive, -9000000..9000000
    bool operator==(const Point&) const = default;
};

struct Polyline {
    std::string label;  // text after '>' on the line that started it, trimmed; may be empty
    std::vector<Point> points;
};

// One input file: the polylines of one feature class.
struct Layer {
    int row = 0;                      // feature class, row 1..10 of the MWDB feature table
    std::string path;                 // the file it was read from
    std::vector<std::string> header;  // its '#' lines, without the "# Polylines:" count line
    std::vector<Polyline> lines;
};

// num / den rounded to the nearest integer, halves to the even one; den > 0.
int64_t DivRoundHalfEven(int64_t num, int64_t den);

// num / den rounded toward minus infinity; den > 0.
int64_t DivFloor(int64_t num, int64_t den);

// 1e-5 degrees to whole arc-seconds (x 3600 / 100000 = x 9 / 250), halves to even.
inline int32_t ToArcSec(int32_t units) { return static_cast<int32_t>(DivRoundHalfEven(int64_t{units} * 9, 250)); }

// 1e-5 degrees to whole arc-minutes (x 60 / 100000 = x 3 / 5000), halves to even.
inline int32_t ToArcMin(int32_t units) { return static_cast<int32_t>(DivRoundHalfEven(int64_t{units} * 3, 5000)); }

// 1e-5 degrees to degrees.
inline double ToDegrees(int32_t units) { return units / static_cast<double>(kUnitsPerDegree); }

// 1e-5 degrees as decimal degrees with exactly 5 decimals, e.g. "-122.25000", "0.50000".
std::string FormatDegrees(int32_t units);

// Name of feature class `row` (1..10) as the MWDB feature table gives it, e.g. "Coastlines".
const char* FeatureClassName(int row);

// Length of a polyline in kilometres, along great circles on a sphere of radius 6371 km.
double LengthKm(const Polyline& line);

// A polyline in a map file's own units, consecutive repeats removed. `Convert`
// maps a Point to a value comparable with ==. A polyline of two or more input
// points that is left with a single point (it collapsed at the file's
// resolution) gives an empty result; a one-point input polyline stays.
template <typename T, typename F>
std::vector<T> ToFileUnits(const Polyline& line, F convert) {
    std::vector<T> out;
    out.reserve(line.points.size());
    for (const Point& p : line.points) {
        T q = convert(p);
        if (out.empty() || !(q == out.back())) out.push_back(q);
    }
    if (line.points.size() >= 2 && out.size() < 2) out.clear();
    return out;
}

}  // namespace tlrx::convert
