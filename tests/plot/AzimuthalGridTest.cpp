#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "GridTestSupport.h"
#include "platform/Events.h"
#include "platform/MessageBox.h"
#include "plot/AzimuthalGrid.h"
#include "plot/RunFiles.h"
#include "support/ScriptedMessageBox.h"

namespace tlrx {
namespace {

constexpr double kPi = 3.14159265358979323846;
double Rad(double deg) { return deg * kPi / 180; }
double Deg(double rad) { return rad * 180 / kPi; }

// Angular distance in degrees of (lat, frame lon) from the map's centre.
double FromCentre(double lat, double lon) {
    const DesignState& d = Design();
    const double c = std::sin(Rad(d.CentLat)) * std::sin(Rad(lat)) +
                     std::cos(Rad(d.CentLat)) * std::cos(Rad(lat)) * std::cos(Rad(lon - d.CentralMeridian));
    return Deg(std::acos(std::max(-1.0, std::min(1.0, c))));
}

// Direction of an exported point from the map's centre, degrees anticlockwise from east.
double PolarAngle(const test::AsciiPoint& p) { return Deg(std::atan2(p.y - 0.5, p.x - 0.5)); }

// The points of a line without the repeated first visible point.
std::vector<test::AsciiPoint> WithoutRepeat(std::vector<test::AsciiPoint> line) {
    if (line.size() >= 2 && line[0].x == line[1].x && line[0].y == line[1].y) line.erase(line.begin());
    return line;
}

class AzimuthalGridTest : public ::testing::Test {
protected:
    // Draws the graticule with its ASCII export; returns the export's lines.
    std::vector<std::vector<test::AsciiPoint>> DrawAndExport(const std::string& name) {
        PlotState& p = Plot();
        p.OutAscii = true;
        p.AscFileName = {"", dir + "/" + name + "1.txt", dir + "/" + name + "2.txt"};
        test::DrawSinglePass();
        EXPECT_TRUE(boxes.log.empty());
        return test::ReadPolylines(p.AscFileName[1]);
    }

    FakeHost host{1024, 768};
    test::DrawingSetUp setUp{host};
    ScopedScriptedMessageBox boxes;
    std::string dir = test::TestFolder();
};

TEST_F(AzimuthalGridTest, GridPassLimitsAndCapClipping) {
    struct Case {
        int16_t code;
        const char *centre, *range;
        bool clipping;
        double latLo, latHi, h;
    };
    const double h30 = Deg(std::acos(std::tan(Rad(30)) / std::tan(Rad(45))));
    const Case cases[] = {
        {ProjOrthographic, "00    00    00    N", "090    00    00", true, -90, 90, 90},
        {ProjStereographic, "30    00    00    N", "045    00    00", true, -15, 75, h30},
        {ProjAzEqualArea, "40    00    00    N", "060    00    00", true, -20, 100, 180},  // the pole inside
        {ProjAzEquidistant, "20    00    00    N", "175    00    00", true, -155, 195, 180},
        {ProjAzEquidistant, "40    00    00    N", "180    00    00", false, -90, 90, 0},  // the whole sphere
        {ProjGnomonic, "90    00    00    N", "060    00    00", false, 30, 90, 0},        // polar: no cutting
        {ProjAzEqualArea, "90    00    00    S", "060    00    00", false, -90, -30, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.centre) + " " + c.range);
        ResetDesignState();
        test::UseAzimuthal(c.code, c.centre, c.range);
        GridLimits lim;
        const CapGeometry cap = AzGridPassLimits(lim);
        EXPECT_EQ(lim.CapClipping, c.clipping);
        EXPECT_NEAR(lim.LatLo, c.latLo, 1e-12);
        EXPECT_NEAR(lim.LatHi, c.latHi, 1e-12);
        EXPECT_EQ(lim.LonLo, 0);
        EXPECT_EQ(lim.LonHi, 360);
        if (c.clipping) {
            EXPECT_NEAR(cap.H, c.h, 1e-9);
        }
    }
    EXPECT_NEAR(h30, Deg(std::asin(std::sin(Rad(45)) / std::cos(Rad(30)))), 1e-12);  // about 54.7 degrees
}

TEST_F(AzimuthalGridTest, LinesStartAndEndOnTheBoundaryCircle) {
    // On maps of every kind of cap, each cut parallel and meridian ends on the
    // circle at the range, or at a pole inside the cap, and runs inside it.
    struct Case {
        int16_t code;
        const char *centre, *range;
    };
    const Case cases[] = {
        {ProjOrthographic, "00    00    00    N", "090    00    00"},
        {ProjStereographic, "30    00    00    N", "045    00    00"},
        {ProjAzEqualArea, "40    00    00    N", "060    00    00"},
        {ProjAzEqualArea, "35    00    00    S", "070    00    00"},
        {ProjOrthographic, "50    00    00    N", "090    00    00"},
        {ProjAzEquidistant, "20    00    00    N", "175    00    00"},
        {ProjAzEquidistant, "10    00    00    S", "120    00    00"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.centre) + " " + c.range);
        ResetDesignState();
        test::UseAzimuthal(c.code, c.centre, c.range);
        const DesignState& d = Design();
        GridLimits pass;
        const CapGeometry cap = AzGridPassLimits(pass);
        ASSERT_TRUE(pass.CapClipping);
        const double R = cap.Range;
        for (double lat = -85; lat <= 85; lat += 5) {
            if (lat < pass.LatLo || lat > pass.LatHi) continue;
            GridLimits lim = pass;
            AzParallelLimits(cap, lim, lat, std::cos(Rad(lat)));
            SCOPED_TRACE(lat);
            EXPECT_LE(FromCentre(lat, d.CentralMeridian), R + 1e-9);
            if (lim.LonHi - lim.LonLo < 360 - 1e-9) {
                EXPECT_NEAR(FromCentre(lat, lim.LonLo), R, 1e-7);
                EXPECT_NEAR(FromCentre(lat, lim.LonHi), R, 1e-7);
            } else {
                EXPECT_LE(FromCentre(lat, d.CentralMeridian - 180), R + 1e-9);  // the whole circle inside
            }
        }
        for (double lon = d.CentralMeridian - cap.H; lon <= d.CentralMeridian + cap.H; lon += 7.5) {
            if (std::fabs(lon - d.CentralMeridian) == 90 && d.AzRangeSec == 324000 && d.CentLat == 0) continue;
            SCOPED_TRACE(lon);
            GridLimits lim = pass;
            const MeridianPieces pieces = AzMeridianLimits(cap, lim, lon, std::cos(Rad(lon - d.CentralMeridian)));
            std::vector<std::pair<double, double>> spans = {{lim.LatLo, lim.LatHi}};
            if (pieces.Split) spans.push_back({-90, pieces.LowerPieceLimit});
            for (const auto& [lo, hi] : spans) {
                EXPECT_LE(lo, hi);
                for (double end : {lo, hi}) {
                    if (std::fabs(end) == 90) EXPECT_LE(FromCentre(end, lon), R + 1e-9);  // a pole inside
                    else EXPECT_NEAR(FromCentre(end, lon), R, 1e-6);
                }
                EXPECT_LE(FromCentre((lo + hi) / 2, lon), R + 1e-9);
            }
        }
    }
}

TEST_F(AzimuthalGridTest, LimitsOfWorkedExamples) {
    // Orthographic on the equator, range 90: every parallel runs from 90 to
    // 270, every meridian from pole to pole.
    test::UseAzimuthal(ProjOrthographic, "00    00    00    N", "090    00    00");
    GridLimits lim;
    CapGeometry cap = AzGridPassLimits(lim);
    for (double lat : {-60.0, 0.0, 30.0, 75.0}) {
        AzParallelLimits(cap, lim, lat, std::cos(Rad(lat)));
        EXPECT_NEAR(lim.LonLo, 90, 1e-12);
        EXPECT_NEAR(lim.LonHi, 270, 1e-12);
    }
    AzMeridianLimits(cap, lim, 135, std::cos(Rad(-45)));
    EXPECT_EQ(lim.LatLo, -90);
    EXPECT_EQ(lim.LatHi, 90);

    // 40N, range 60: the parallel at 80 is a whole circle.
    ResetDesignState();
    test::UseAzimuthal(ProjAzEqualArea, "40    00    00    N", "060    00    00");
    cap = AzGridPassLimits(lim);
    AzParallelLimits(cap, lim, 80, std::cos(Rad(80)));
    EXPECT_EQ(lim.LonLo, 0);
    EXPECT_EQ(lim.LonHi, 360);
    // The meridian opposite the centre runs from the edge at 80 to the pole.
    AzMeridianLimits(cap, lim, 0, std::cos(Rad(-180)));
    EXPECT_NEAR(lim.LatLo, 80, 1e-9);
    EXPECT_EQ(lim.LatHi, 90);

    // 20N, range 175: the meridian through the antipode leaves the cap for
    // 5 degrees either side of it and is drawn as two pieces.
    ResetDesignState();
    test::UseAzimuthal(ProjAzEquidistant, "20    00    00    N", "175    00    00");
    cap = AzGridPassLimits(lim);
    const MeridianPieces pieces = AzMeridianLimits(cap, lim, 0, std::cos(Rad(-180)));
    ASSERT_TRUE(pieces.Split);
    EXPECT_NEAR(lim.LatLo, -15, 1e-9);
    EXPECT_EQ(lim.LatHi, 90);
    EXPECT_NEAR(pieces.LowerPieceLimit, -25, 1e-9);
}

TEST_F(AzimuthalGridTest, PointsPerIntervalOverTheRange) {
    // The central meridian's ordinary points: 100 / a per latitude interval,
    // a = range \ spacing + 1 (one less on the whole-sphere equidistant map).
    struct Case {
        int16_t code;
        const char *centre, *range, *spacing;
        double latLo, latHi;
        int perInterval;
    };
    const Case cases[] = {
        {ProjOrthographic, "00    00    00    N", "090    00    00", "015    00    00", -90, 90, 14},  // a = 7
        {ProjAzEquidistant, "40    00    00    N", "180    00    00", "015    00    00", -90, 90, 8},  // a = 12
        {ProjAzEqualArea, "00    00    00    N", "105    00    00", "015    00    00", -90, 90, 12},   // a = 8: 12.5
        {ProjAzEqualArea, "00    00    00    N", "039    00    00", "001    00    00", -39, 39, 2},    // a = 40: 2.5
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.centre) + " " + c.range);
        ResetDesignState();
        ResetPlotState();
        test::UseAzimuthal(c.code, c.centre, c.range, c.spacing, c.spacing);
        const double spacing = Design().LatSpacing;
        const auto lines = DrawAndExport("per-interval");
        size_t found = 0;
        for (const auto& line : lines) {
            const auto pts = WithoutRepeat(line);
            // The central meridian: straight up through the centre.
            if (pts.size() < 3 || !(pts.front().y < 0.5 && pts.back().y > 0.5) ||
                !std::all_of(pts.begin(), pts.end(),
                             [](const test::AsciiPoint& pt) { return std::fabs(pt.x - 0.5) < 1e-7; }))
                continue;
            ++found;
            EXPECT_EQ(pts.size(), static_cast<size_t>(std::lround((c.latHi - c.latLo) / spacing * c.perInterval)) + 1);
        }
        EXPECT_EQ(found, 1u);
    }
}

TEST_F(AzimuthalGridTest, WholeSphereEquidistantIsDensifiedNearTheAntipode) {
    test::UseAzimuthal(ProjAzEquidistant, "40    00    00    N", "180    00    00", "010    00    00",
                       "045    00    00");
    const auto lines = DrawAndExport("whole");
    // The boundary circle, 19 parallels (90S to 90N), 9 meridians (0 to 360).
    ASSERT_EQ(lines.size(), 1u + 19u + 9u);
    EXPECT_EQ(lines[0].size(), 121u);

    for (int k = 0; k <= 18; ++k) {
        const double lat = -90 + 10 * k;
        SCOPED_TRACE(lat);
        const auto pts = WithoutRepeat(lines[1 + k]);
        if (std::fabs(lat + 40) < 16) {
            // Densified: mirrored about the central meridian, and the direction
            // from the centre turns by about a degree from point to point.
            ASSERT_GT(pts.size(), 60u);
            for (size_t j = 0; j < pts.size(); ++j) {
                EXPECT_NEAR(pts[j].x + pts[pts.size() - 1 - j].x, 1, 2e-7);
                EXPECT_NEAR(pts[j].y, pts[pts.size() - 1 - j].y, 2e-7);
            }
            double largest = 0;
            for (size_t j = 1; j < pts.size(); ++j) {
                double turn = std::fabs(PolarAngle(pts[j]) - PolarAngle(pts[j - 1]));
                if (turn > 180) turn = 360 - turn;
                largest = std::max(largest, turn);
            }
            EXPECT_LT(largest, 1.6);
        } else {
            EXPECT_EQ(pts.size(), 201u);  // every 1.8 degrees of longitude
        }
    }

    const size_t first = 1 + 19;
    // The meridians at 0 and 360: straight two-point lines kept clear of the antipode.
    EXPECT_EQ(WithoutRepeat(lines[first]).size(), 2u);
    EXPECT_EQ(WithoutRepeat(lines[first + 8]).size(), 2u);
    // The central meridian: ordinary points, 6 per 10 degrees.
    EXPECT_EQ(WithoutRepeat(lines[first + 4]).size(), 109u);
    // Every other meridian: 181 points, one per degree of direction from the centre.
    for (size_t m : {1, 2, 3, 5, 6, 7}) {
        SCOPED_TRACE(m * 45);
        const auto pts = WithoutRepeat(lines[first + m]);
        ASSERT_EQ(pts.size(), 181u);
        for (size_t j = 1; j < pts.size(); ++j) {
            double turn = std::fabs(PolarAngle(pts[j]) - PolarAngle(pts[j - 1]));
            if (turn > 180) turn = 360 - turn;
            EXPECT_NEAR(turn, 1, 1e-3);
        }
    }
}

TEST_F(AzimuthalGridTest, PolarWholeSphereMeridiansAreStraightTwoPointLines) {
    test::UseAzimuthal(ProjAzEqualArea, "90    00    00    N", "180    00    00", "030    00    00", "030    00    00");
    const auto lines = DrawAndExport("polar");
    const size_t meridians = 13;  // 0 to 360 every 30 degrees
    ASSERT_GE(lines.size(), meridians);
    for (size_t m = lines.size() - meridians; m < lines.size(); ++m) {
        const auto pts = WithoutRepeat(lines[m]);
        ASSERT_EQ(pts.size(), 2u);
        // Beside the opposite pole, on the boundary; this close to the antipode
        // the projection keeps only about four digits of the radius.
        EXPECT_NEAR(std::hypot(pts[0].x - 0.5, pts[0].y - 0.5), 0.5, 1e-3);
        EXPECT_NEAR(pts[1].x, 0.5, 1e-7);  // the pole at the centre
        EXPECT_NEAR(pts[1].y, 0.5, 1e-7);
    }
}

TEST_F(AzimuthalGridTest, ExportRepeatsTheFirstVisiblePointAndGridType1SplitsItsOutputs) {
    test::UseAzimuthal(ProjOrthographic, "50    00    00    N", "090    00    00", "015    00    00",
                       "015    00    00");
    Design().GridType = 1;
    Plot().GridOutputCount = 2;
    DrawAndExport("type1");
    const auto boundary = test::ReadLines(dir + "/type12.txt");
    ASSERT_EQ(boundary.size(), 122u);  // the circle's 121 points and the pen-up marker
    EXPECT_EQ(boundary.back(), "5.0000000  05.0000000");
    const auto points = test::ReadPolylines(dir + "/type11.txt");
    for (const auto& line : points) {
        ASSERT_GE(line.size(), 2u);
        EXPECT_EQ(line[0].x, line[1].x);
        EXPECT_EQ(line[0].y, line[1].y);
    }
}

TEST_F(AzimuthalGridTest, ALineBreaksInTheExportWhereItPassesOutOfSight) {
    // An orthographic view of the whole sphere (more than its dialog allows)
    // from the equator: the meridian opposite the centre is visible at its two
    // poles only. The export must not join them across the hidden side.
    test::UseAzimuthal(ProjOrthographic, "00    00    00    N", "180    00    00", "030    00    00",
                       "090    00    00");
    DesignState& d = Design();
    d.MapXMax = d.MapYMax = 1;
    d.MapXMin = d.MapYMin = -1;
    const auto lines = DrawAndExport("hidden");
    // No exported line jumps: every step is short, so no chord.
    size_t poles = 0;
    for (const auto& line : lines) {
        for (size_t j = 1; j < line.size(); ++j)
            EXPECT_LT(std::hypot(line[j].x - line[j - 1].x, line[j].y - line[j - 1].y), 0.1);
        // The pieces of the meridians at 0 and 360: a pole, repeated.
        if (line.size() == 2 && line[0].y == line[1].y && std::fabs(line[0].x - 0.5) < 1e-7 &&
            std::fabs(std::fabs(line[0].y - 0.5) - 0.5) < 1e-7)
            ++poles;
    }
    EXPECT_EQ(poles, 4u);
}

}  // namespace
}  // namespace tlrx
