#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <numbers>
#include <sstream>
#include <string>

#include "core/DesignState.h"
#include "core/RangeCircle.h"
#include "platform/MessageBox.h"
#include "support/ScriptedMessageBox.h"

namespace tlrx {
namespace {

constexpr double kFrame = 1296000;  // 360 degrees in arc-seconds

// The centre and range as the graticule computation sets them for an
// azimuthal map (its centre meridian is always frame longitude 180).
void SetCircle(double centLatDeg, double rangeDeg) {
    auto& d = Design();
    d.CentralMeridian = 180;
    d.CentLat = centLatDeg;
    d.CentLatRad = centLatDeg * d.DegToRad;
    d.CosCentLat = std::cos(d.CentLatRad);
    d.SinCentLat = std::sin(d.CentLatRad);
    d.AzRangeSec = static_cast<int32_t>(std::lround(rangeDeg * 3600));
    d.CosAzRange = std::cos(d.AzRangeSec * d.DegToRad / 3600);
}

void SetSegment(double prevLat, double prevLon, double lat, double lon) {
    auto& d = Design();
    d.PrevLatSec = static_cast<int32_t>(std::lround(prevLat * 3600));
    d.PrevLonSec = static_cast<int32_t>(std::lround(prevLon * 3600));
    d.PointLatSec = static_cast<int32_t>(std::lround(lat * 3600));
    d.PointLonSec = static_cast<int32_t>(std::lround(lon * 3600));
}

// Angular distance in degrees between two points given in degrees, from the
// angle between their unit vectors (atan2 of the cross and dot products):
// a formula apart from the haversine that the routine iterates on.
double ArcDegrees(double lat1, double lon1, double lat2, double lon2) {
    constexpr double r = std::numbers::pi / 180;
    const double u[3] = {std::cos(lat1 * r) * std::cos(lon1 * r), std::cos(lat1 * r) * std::sin(lon1 * r),
                         std::sin(lat1 * r)};
    const double v[3] = {std::cos(lat2 * r) * std::cos(lon2 * r), std::cos(lat2 * r) * std::sin(lon2 * r),
                         std::sin(lat2 * r)};
    const double cx = u[1] * v[2] - u[2] * v[1];
    const double cy = u[2] * v[0] - u[0] * v[2];
    const double cz = u[0] * v[1] - u[1] * v[0];
    const double dot = u[0] * v[0] + u[1] * v[1] + u[2] * v[2];
    return std::atan2(std::sqrt(cx * cx + cy * cy + cz * cz), dot) / r;
}

// Distance in arc-seconds of a point (arc-seconds, frame longitude) from the
// centre of the circle set by SetCircle.
double SecFromCentre(double latSec, double lonSec) {
    return 3600 * ArcDegrees(Design().CentLat, 180, latSec / 3600, lonSec / 3600);
}

TEST(RangeCircle, DistanceYardstickAgreesWithGeodSolve) {
    std::ifstream in(TLRX_TEST_DATA_DIR "/fixtures/range_sphere_distance.txt");
    int rows = 0;
    for (std::string line; std::getline(in, line);) {
        if (line.empty() || line[0] == '#') continue;
        std::istringstream f(line);
        double lat1, lon1, lat2, lon2, arc;
        f >> lat1 >> lon1 >> lat2 >> lon2 >> arc;
        EXPECT_NEAR(ArcDegrees(lat1, lon1, lat2, lon2), arc, 1e-9) << line;
        ++rows;
    }
    EXPECT_EQ(rows, 13);
}

struct CrossingCase {
    const char* name;
    double centLat, range;              // degrees
    double prevLat, prevLon, lat, lon;  // degrees, frame longitudes
};

// Every segment has one end inside the circle and the other outside.
const CrossingCase kCrossings[] = {
    {"equator, oblique", 0, 30, 10, 170, 25, 140},
    {"small circle", 0, 1, 0.5, 180.5, 1, 181},
    {"45N, along a meridian", 45, 20, 30, 190, 20, 190},
    {"45N, along a parallel", 45, 20, 40, 160, 40, 150},
    {"45N, oblique, entering", 45, 20, 60, 230, 50, 200},
    {"almost along a parallel", 10, 25, 20, 150, 20.001, 160},
    {"south, oblique", -33.9, 60, 10, 200, 40, 210},
    {"far side of a wide circle", 20, 120, -30, 60, -10, 90},
    {"north pole, oblique", 90, 30, 55, 100, 62, 105},
    {"north pole, meridian", 90, 30, 50, 0, 70, 0},
    {"south pole, oblique", -90, 45, -40, 20, -50, 25},
    // Across the frame edge (0 / 360 degrees), opposite the centre meridian.
    {"north pole, across the edge", 90, 30, 59.95, 359.9, 60.15, 0.1},
    {"north pole, across the edge back", 90, 30, 60.02, 0.1, 59.92, 359.9},
    {"80N, parallel across the edge, crossing west of it", 80, 14.49, 85.5, 352, 85.5, 3},
    {"80N, the same the other way", 80, 14.49, 85.5, 3, 85.5, 352},
    {"80N, parallel across the edge, crossing east of it", 80, 14.49, 85.5, 357, 85.5, 8},
    {"80N, oblique across the edge", 80, 14.49, 85.3, 353, 85.7, 2},
    {"80N, oblique across the edge back", 80, 14.49, 85.7, 358, 85.3, 6},
};

// Rounding each coordinate to whole arc-seconds moves a point by at most
// sqrt(0.5^2 + 0.5^2) = 0.71 arc-seconds.
constexpr double kResolution = 0.75;  // arc-seconds

TEST(RangeCircle, CrossingLiesOnTheCircleAndOnTheSegment) {
    ScopedScriptedMessageBox boxes;
    for (const auto& c : kCrossings) {
        SCOPED_TRACE(c.name);
        ResetDesignState();
        auto& d = Design();
        SetCircle(c.centLat, c.range);
        SetSegment(c.prevLat, c.prevLon, c.lat, c.lon);
        const double range = d.AzRangeSec;
        ASSERT_LT(
            (SecFromCentre(d.PrevLatSec, d.PrevLonSec) - range) * (SecFromCentre(d.PointLatSec, d.PointLonSec) - range),
            0);

        int32_t lat = 999999999, lon = 999999999;
        AzInterpolate(lat, lon);
        ASSERT_NE(lat, 999999999);

        EXPECT_NEAR(SecFromCentre(lat, lon), range, kResolution);

        // On the segment: the straight line in latitude and longitude, taken
        // the short way across the frame edge.
        const double y1 = d.PrevLatSec, y2 = d.PointLatSec;
        const double x1 = d.PrevLonSec;
        double x2 = d.PointLonSec;
        double x = lon;
        if (std::fabs(x1 - x2) > 0.9 * kFrame) {
            x2 += x1 > x2 ? kFrame : -kFrame;
            if (x < std::min(x1, x2) - kResolution) x += kFrame;
            if (x > std::max(x1, x2) + kResolution) x -= kFrame;
            // Near the edge, never the long way across the map.
            EXPECT_TRUE(std::fabs(lon) < 36000 || std::fabs(lon - kFrame) < 36000) << lon;
        }
        EXPECT_GE(x, std::min(x1, x2) - kResolution);
        EXPECT_LE(x, std::max(x1, x2) + kResolution);
        EXPECT_GE(lat, std::min(y1, y2) - kResolution);
        EXPECT_LE(lat, std::max(y1, y2) + kResolution);
        const double offLine = std::fabs((x2 - x1) * (lat - y1) - (y2 - y1) * (x - x1)) / std::hypot(x2 - x1, y2 - y1);
        EXPECT_LE(offLine, kResolution);

        // Along a parallel the latitude, along a meridian the longitude is kept.
        if (d.PrevLatSec == d.PointLatSec) {
            EXPECT_EQ(lat, d.PointLatSec);
        }
        if (d.PrevLonSec == d.PointLonSec) {
            EXPECT_EQ(lon, d.PointLonSec);
        }
    }
    EXPECT_TRUE(boxes.log.empty());
}

TEST(RangeCircle, TwentyStepsWithoutConvergenceGiveTheTwentiethValue) {
    // No crossing at all: the meridian at frame 210 degrees stays 25 degrees
    // outside a 5-degree circle about (0, 180). range_newton_reference.py
    // gives the 19th, 20th and 21st latitudes: -86480, 33562, -174636.
    ResetDesignState();
    ScopedScriptedMessageBox boxes;
    SetCircle(0, 5);
    SetSegment(-4, 210, -8, 210);
    int32_t lat = 0, lon = 0;
    AzInterpolate(lat, lon);
    EXPECT_EQ(lat, 33562);
    EXPECT_EQ(lon, 210 * 3600);
    EXPECT_TRUE(boxes.log.empty());
}

struct FailureCase {
    const char* name;
    double centLat, range, prevLat, prevLon, lat, lon;
    const char* text;
};

TEST(RangeCircle, ArithmeticFailureShowsItsBoxAndLeavesTheResultAlone) {
    const FailureCase cases[] = {
        // Symmetric about the centre: the iteration starts where the
        // derivative is zero.
        {"meridian through the centre", 0, 10, -10, 180, 10, 180, "Error: Division by zero"},
        {"parallel across the centre meridian", 0, 10, 5, 170, 5, 190, "Error: Division by zero"},
        {"identical ends", 0, 10, 5, 170, 5, 170, "Error: Division by zero"},
        // A derivative of almost zero throws the first step some 400000
        // radians away, beyond a 32-bit count of arc-seconds.
        {"half the globe along the equator", 0, 90, 0, 90, 0, 270 + 1 / 3600.0, "Error: Overflow"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ResetDesignState();
        ScopedScriptedMessageBox boxes;
        SetCircle(c.centLat, c.range);
        SetSegment(c.prevLat, c.prevLon, c.lat, c.lon);
        int32_t lat = 123, lon = 456;
        AzInterpolate(lat, lon);
        EXPECT_EQ(lat, 123);
        EXPECT_EQ(lon, 456);
        ASSERT_EQ(boxes.log.size(), 1u);
        EXPECT_EQ(boxes.log[0].text, c.text);
        EXPECT_EQ(boxes.log[0].title, "Error in AzInterpolate");
        EXPECT_EQ(boxes.log[0].icon, MsgIcon::Exclamation);
    }
}

}  // namespace
}  // namespace tlrx
