// The map point pipeline: the transverse Mercator series against PROJ, and
// segments of a map file clipped at the window's edges, split at the 180th
// meridian and cut at the range circle, as they reach the ASCII export and
// the drawing surface.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "GridTestSupport.h"
#include "core/Utm.h"
#include "core/projections/UtmPlane.h"
#include "platform/MessageBox.h"
#include "plot/PointPipeline.h"
#include "support/ScriptedMessageBox.h"

namespace tlrx {
namespace {

struct LatLon {
    double lat = 0;
    double lon = 0;
};
using Line = std::vector<LatLon>;
using Lines = std::vector<Line>;

// The UTM set-up of the samples: central meridian 123 W, Clarke 1866, scale
// 0.9996, false easting 500000 m, false northing 0, latitude of origin 0.
void UseSampleUtm() {
    DesignState& d = Design();
    d.UtmSpheroidName = "Clarke 1866";
    d.UtmText[0] = "123    00    00    W";
    d.UtmText[1] = "00    00    00    N";
    d.UtmText[2] = "0500000";
    d.UtmText[3] = "00000000";
    d.UtmText[4] = "0.9996";
    CalcUtmZone();
}

// The UTM kernel's series with the set-up of the design as it stands.
void UtmForward(double lat, double lon, double& easting, double& northing) {
    UtmGridPoint(kUtmKernel.setup(Design()), lat, lon, easting, northing);
}

TEST(UtmForwardTest, AgreesWithProj) {
    ResetDesignState();
    UseSampleUtm();
    // fixtures/utm_tmerc.sh: PROJ's series to A^6 (+approx) and its exact algorithm.
    std::ifstream in(std::string(TLRX_TEST_DATA_DIR) + "/fixtures/utm_tmerc.txt");
    ASSERT_TRUE(in.is_open());
    std::string line;
    int rows = 0;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#') continue;
        double lon = 0, lat = 0, eApprox = 0, nApprox = 0, eExact = 0, nExact = 0;
        std::istringstream(line) >> lon >> lat >> eApprox >> nApprox >> eExact >> nExact;
        double e = 0, n = 0;
        UtmForward(lat, lon, e, n);
        SCOPED_TRACE(line);
        // Within a zone's width of the central meridian the series agrees
        // with both to the centimetre (to 2 mm within half a zone); farther
        // out its truncation after A^6 shows (PROJ's series goes on to A^8):
        // 0.6 m at 12 degrees, 25 m at 23 degrees off the meridian.
        const double offMeridian = std::fabs(lon + 123);
        const double tolerance = offMeridian <= 3 ? 0.002 : offMeridian <= 6 ? 0.01 : 30.0;
        EXPECT_NEAR(e, eApprox, tolerance);
        EXPECT_NEAR(n, nApprox, tolerance);
        EXPECT_NEAR(e, eExact, tolerance);
        EXPECT_NEAR(n, nExact, tolerance);
        ++rows;
    }
    EXPECT_EQ(rows, 12);
}

TEST(UtmForwardTest, OriginGivesTheFalseValuesExactly) {
    ResetDesignState();
    UseSampleUtm();
    double e = 0, n = 0;
    UtmForward(0, -123, e, n);
    EXPECT_EQ(e, 500000.0);
    EXPECT_EQ(n, 0.0);

    DesignState& d = Design();
    d.UtmText[1] = "45    30    00    N";
    d.UtmText[3] = "01000000";
    CalcUtmZone();
    UtmForward(45.5, -123, e, n);
    EXPECT_EQ(e, 500000.0);
    EXPECT_EQ(n, 1000000.0);
    // The longitude difference is taken the short way round.
    double e1 = 0, n1 = 0;
    UtmForward(45.5, 237 + 1, e1, n1);
    UtmForward(45.5, -122, e, n);
    EXPECT_DOUBLE_EQ(e1, e);
    EXPECT_DOUBLE_EQ(n1, n);
}

class PointPipelineTest : public ::testing::Test {
protected:
    // Draws the segments from an ASCII map file as the only map file, with no
    // graticule, into the ASCII export; returns the exported polylines in
    // degrees and checks that the drawing surface has the same lines.
    Lines Draw(const std::vector<Line>& segments) {
        const std::string map = dir + "/segments.prn";
        {
            std::ofstream out(map);
            char text[100];
            for (const Line& segment : segments)
                for (size_t i = 0; i < segment.size(); ++i) {
                    std::snprintf(text, sizeof text, "%d %.6f %.6f\n", i == 0 ? -1 : 0, segment[i].lat, segment[i].lon);
                    out << text;
                }
        }
        test::UseMapFile(map);
        DesignState& d = Design();
        PlotState& p = Plot();
        d.GridType = 5;
        p.GridOutputCount = 0;
        p.OutAscii = true;
        p.AscFileName = {"", dir + "/export.txt"};
        test::DrawSinglePass();
        host.scripted.calls.clear();
        MapPlot();
        EXPECT_TRUE(boxes.log.empty()) << boxes.log[0].text;

        Lines lines;
        raw = test::ReadPolylines(dir + "/export.txt");
        for (const auto& polyline : raw) {
            lines.emplace_back();
            for (const test::AsciiPoint& pt : polyline) lines.back().push_back(ToLatLon(pt));
        }
        const auto drawn = test::SurfaceLines(host.scripted.calls);
        EXPECT_EQ(drawn.size(), lines.size());
        for (size_t i = 0; i < drawn.size() && i < lines.size(); ++i) EXPECT_EQ(drawn[i].size(), lines[i].size());
        return lines;
    }

    // An exported point back in degrees: equirectangular, or the azimuthal
    // equidistant projection about 0 N 0 E.
    static LatLon ToLatLon(const test::AsciiPoint& pt) {
        const DesignState& d = Design();
        const double x = pt.x / Plot().AsciiScale + d.MapXMin;
        const double y = pt.y / Plot().AsciiScale + d.MapYMin;
        if (d.ProjCode == ProjAzEquidistant) {
            const double c = std::hypot(x, y);
            if (c == 0) return {0, 0};
            return {std::asin(y * std::sin(c) / c) / d.DegToRad,
                    std::atan2(x * std::sin(c), c * std::cos(c)) / d.DegToRad};
        }
        return {y / d.DegToRad, x / (d.DegToRad * d.CosStdParNorth) + d.FrameWest + d.LonWest};
    }

    static void ExpectLines(const Lines& got, const Lines& expected) {
        ASSERT_EQ(got.size(), expected.size());
        for (size_t i = 0; i < got.size(); ++i) {
            ASSERT_EQ(got[i].size(), expected[i].size()) << "line " << i;
            for (size_t k = 0; k < got[i].size(); ++k) {
                EXPECT_NEAR(got[i][k].lat, expected[i][k].lat, 0.001) << "line " << i << " point " << k;
                EXPECT_NEAR(got[i][k].lon, expected[i][k].lon, 0.001) << "line " << i << " point " << k;
            }
        }
    }

    test::ScriptedHost host{1024, 768};
    test::DrawingSetUp setUp{host};
    ScopedScriptedMessageBox boxes;
    std::string dir = test::TestFolder();
    std::vector<std::vector<test::AsciiPoint>> raw;  // the export of the last Draw
};

// A map from 0 to 90 E and 20 S to 50 N.
void UseDesignForClipping() {
    test::UseDesign(ProjEquirectangular, "50    00    00    N", "20    00    00    S", "000    00    00    E",
                    "090    00    00    E", "010    00    00", "010    00    00");
}

struct ClipCase {
    const char* name;
    std::vector<Line> segments;
    Lines expected;
};

TEST_F(PointPipelineTest, ClippedAtEveryEdge) {
    const ClipCase cases[] = {
        {"leaving north", {{{45, 10}, {60, 10}}}, {{{45, 10}, {50, 10}}}},
        {"leaving north and coming back",
         {{{45, 10}, {60, 10}, {60, 20}, {45, 20}}},
         {{{45, 10}, {50, 10}}, {{50, 20}, {45, 20}}}},
        {"entering from the east", {{{40, 95}, {40, 85}}}, {{{40, 90}, {40, 85}}}},
        {"leaving east", {{{40, 85}, {40, 95}}}, {{{40, 85}, {40, 90}}}},
        {"leaving west", {{{20, 5}, {20, -5}}}, {{{20, 5}, {20, 0}}}},
        {"entering from the west", {{{20, -5}, {20, 5}}}, {{{20, 0}, {20, 5}}}},
        {"a segment starting south of the map", {{{-30, 30}, {-10, 30}}}, {{{-20, 30}, {-10, 30}}}},
        {"leaving east of the corner by the north edge", {{{40, 80}, {70, 95}}}, {{{40, 80}, {50, 85}}}},
        {"entering by the south edge from the east", {{{-30, 95}, {-10, 85}}}, {{{-20, 90}, {-10, 85}}}},
        {"crossing the map with no point on it", {{{-30, 30}, {60, 60}}}, {}},
        {"one point", {{{20, 20}}}, {{{20, 20}}}},
        {"two segments", {{{10, 10}, {20, 20}}, {{30, 30}, {40, 40}}}, {{{10, 10}, {20, 20}}, {{30, 30}, {40, 40}}}},
        {"a segment ending outside, the next inside",
         {{{10, 10}, {60, 10}}, {{30, 30}, {40, 40}}},
         {{{10, 10}, {50, 10}}, {{30, 30}, {40, 40}}}},
        // Points more than 20 degrees east of the map: the shorter way round.
        {"entering from 110 degrees east", {{{10, -170}, {10, 80}}}, {{{10, 90}, {10, 80}}}},
        {"entering from 250 degrees east, that is from the west", {{{10, -100}, {10, 10}}}, {{{10, 0}, {10, 10}}}},
        {"leaving 250 degrees east, that is west", {{{10, 10}, {10, -100}}}, {{{10, 10}, {10, 0}}}},
    };
    UseDesignForClipping();
    for (const ClipCase& c : cases) {
        SCOPED_TRACE(c.name);
        ExpectLines(Draw(c.segments), c.expected);
    }
}

// The world map from 180 W to 180 E.
TEST_F(PointPipelineTest, SplitAtThe180thMeridian) {
    const ClipCase cases[] = {
        {"eastward across", {{{10, 179}, {20, -179}}}, {{{10, 179}, {15, 180}}, {{15, -180}, {20, -179}}}},
        {"westward across", {{{10, -179}, {20, 179}}}, {{{10, -179}, {15, -180}}, {{15, 180}, {20, 179}}}},
        {"on across and on",
         {{{0, 170}, {10, 179}, {20, -179}, {30, -170}}},
         {{{0, 170}, {10, 179}, {15, 180}}, {{15, -180}, {20, -179}, {30, -170}}}},
        // 180 E after 180 W is drawn at 180 W; the line on to 170 E then
        // crosses the meridian from the west.
        {"from 180 W to 180 E and on",
         {{{10, -180}, {10, 180}, {20, 170}}},
         {{{10, -180}, {10, -180}, {10, -180}}, {{10, 180}, {20, 170}}}},
        // Exactly 340 degrees apart is no crossing: the line ends, no line across the map.
        {"a jump of 340 degrees", {{{10, 160}, {10, -180}, {10, -179}}}, {{{10, 160}}, {{10, -179}}}},
    };
    test::UseDesign(ProjEquirectangular);
    for (const ClipCase& c : cases) {
        SCOPED_TRACE(c.name);
        ExpectLines(Draw(c.segments), c.expected);
    }
}

// Azimuthal equidistant about 0 N 0 E with a range of 90 degrees.
TEST_F(PointPipelineTest, CutAtTheRangeCircle) {
    const ClipCase cases[] = {
        {"from the centre to 100 degrees away", {{{0, 0}, {0, 100}}}, {{{0, 0}, {0, 90}}}},
        {"from 100 degrees away to the centre", {{{0, 100}, {0, 0}}}, {{{0, 90}, {0, 0}}}},
        {"out and in along a slant", {{{0, 80}, {40, 120}, {0, 80}}}, {{{0, 80}, {10, 90}}, {{10, 90}, {0, 80}}}},
        {"beyond the range", {{{0, 100}, {0, 120}}}, {}},
        {"the antipode, beyond the visibility limit", {{{0, 60}, {0, 180}}}, {{{0, 60}, {0, 90}}}},
    };
    test::UseAzimuthal(ProjAzEquidistant, "00    00    00    N", "090    00    00");
    for (const ClipCase& c : cases) {
        SCOPED_TRACE(c.name);
        ExpectLines(Draw(c.segments), c.expected);
    }
}

// A whole-sphere map (range 180) about 8 18 32 S 122 00 29 E: a line through
// the antipode, 8 18 32 N 57 59 31 W, breaks there, on the window and in the
// export; no point of it comes near the centre.
TEST_F(PointPipelineTest, LinesBreakAtTheAntipodeOfAWholeSphereMap) {
    const double lat = 8 + 18 / 60.0 + 32 / 3600.0, lon = -(57 + 59 / 60.0 + 31 / 3600.0);
    for (const int16_t code : {ProjAzEquidistant, ProjAzEqualArea}) {
        SCOPED_TRACE(code);
        Design().BoundsText[7] = "122    00    29    E";
        test::UseAzimuthal(code, "08    18    32    S", "180    00    00");
        Draw({{{lat - 1, lon}, {lat, lon}, {lat + 1, lon}}, {{lat, lon - 2}, {lat, lon}, {lat, lon + 2}}});
        ASSERT_EQ(raw.size(), 4u);
        for (const auto& line : raw)
            for (const test::AsciiPoint& pt : line) EXPECT_GT(std::hypot(pt.x - 0.5, pt.y - 0.5), 0.49);
    }
}

// Beyond the horizon of a vertical perspective the map has a gap: a line
// going out and coming back is two lines, on the window and in the export,
// both on the visible disc.
TEST_F(PointPipelineTest, LinesEndAtTheHorizon) {
    test::UseAzimuthal(ProjVerticalPerspective, "00    00    00    N", "090    00    00");
    ASSERT_LT(Design().AzRangeSec, 90 * 3600);  // the horizon, 81.3 degrees from the centre
    const Lines got = Draw({{{0, 0}, {0, 70}, {0, 100}, {10, 60}, {0, 0}}});
    ASSERT_EQ(got.size(), 2u);
    EXPECT_GE(got[0].size(), 2u);
    EXPECT_GE(got[1].size(), 2u);
    for (const auto& line : raw)
        for (const test::AsciiPoint& pt : line) EXPECT_LE(std::hypot(pt.x - 0.5, pt.y - 0.5), 0.5 + 1e-6);
}

}  // namespace
}  // namespace tlrx
