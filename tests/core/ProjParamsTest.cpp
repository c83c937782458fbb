#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "core/DesignState.h"
#include "core/Graticule.h"
#include "core/ProjParams.h"
#include "core/Projection.h"
#include "core/ProjectionTable.h"
#include "core/projections/Azimuthal.h"
#include "platform/MessageBox.h"
#include "support/ScriptedMessageBox.h"

namespace tlrx {
namespace {

// Sets boundary texts, computes the graticule, the default standard
// parallels (or the given ones) and the parameters.
void SetDesign(int16_t code, const char* north, const char* south, const char* west, const char* east) {
    DesignState& d = Design();
    d.ProjCode = code;
    d.BoundsText[0] = north;
    d.BoundsText[1] = south;
    d.BoundsText[2] = "000    00    01";
    d.BoundsText[3] = west;
    d.BoundsText[4] = east;
    d.BoundsText[5] = "000    00    01";
    CalcGraticule({});
    ASSERT_FALSE(d.CalcError);
    ParamStdParallel();
    ParamSelect();
}

class ProjParamsTest : public ::testing::Test {
protected:
    void SetUp() override { ResetDesignState(); }
    ScopedScriptedMessageBox boxes;
};

TEST_F(ProjParamsTest, DefaultDesignIsTheEquirectangularWorld) {
    const DesignState& d = Design();
    EXPECT_EQ(d.StdParNorth, 45);
    EXPECT_EQ(d.StdParSouth, -45);
    EXPECT_EQ(d.StdParText[0], "45    00    00    N");
    EXPECT_EQ(d.StdParSouthText, "45    00    00    S");
    EXPECT_EQ(d.CosStdParNorth, std::cos(45 * d.DegToRad));
    EXPECT_DOUBLE_EQ(d.MapXMin, 0);
    EXPECT_DOUBLE_EQ(d.MapXMax, 2 * d.Pi * std::cos(45 * d.DegToRad));
    EXPECT_DOUBLE_EQ(d.MapYMin, -d.Pi / 2);
    EXPECT_DOUBLE_EQ(d.MapYMax, d.Pi / 2);
    EXPECT_TRUE(boxes.log.empty());
}

TEST_F(ProjParamsTest, DefaultStandardParallels) {
    struct Case {
        int16_t code;
        const char *north, *south;
        double stdNorth, stdSouth;
        const char* northText;
    };
    const Case cases[] = {
        {6, "80    00    00    N", "20    00    00    N", 70, 30, "70    00    00    N"},
        {7, "30    00    00    N", "30    00    00    S", 20, 0, "20    00    00    N"},
        {2, "10    00    00    S", "60    00    00    S", 35, -35, "35    00    00    N"},
        {40, "60    00    00    N", "20    00    00    N", 40, -40, "40    00    00    N"},
        {40, "20    00    00    N", "60    00    00    S", 30, -30, "30    00    00    N"},
        {2, "00    00    00    N", "40    00    00    S", 20, -20, "20    00    00    N"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.north);
        SetDesign(c.code, c.north, c.south, "010    00    00    W", "050    00    00    E");
        const DesignState& d = Design();
        EXPECT_DOUBLE_EQ(d.StdParNorth, c.stdNorth);
        EXPECT_DOUBLE_EQ(d.StdParSouth, c.stdSouth);
        EXPECT_EQ(d.StdParText[0], c.northText);
        EXPECT_EQ(d.StdParText[0], d.StdParNorthText);
        EXPECT_EQ(d.StdParText[1], d.StdParSouthText);
    }
}

// The extent must enclose the whole boundary outline of the map and touch it.
TEST_F(ProjParamsTest, ExtentEnclosesAndTouchesTheBoundaryOutline) {
    struct Case {
        int16_t code;
        const char *north, *south, *west, *east;
    };
    const Case cases[] = {
        {1, "80    00    00    N", "70    00    00    S", "180    00    00    W", "180    00    00    E"},
        {2, "60    00    00    N", "10    00    00    N", "030    00    00    W", "120    00    00    E"},
        {40, "90    00    00    N", "90    00    00    S", "180    00    00    W", "180    00    00    E"},
        {6, "80    00    00    N", "20    00    00    N", "130    00    00    W", "060    00    00    W"},
        {6, "85    00    00    N", "35    00    00    N", "180    00    00    W", "180    00    00    E"},
        {7, "70    00    00    N", "20    00    00    N", "160    00    00    W", "040    00    00    W"},
        {7, "10    00    00    S", "80    00    00    S", "180    00    00    W", "180    00    00    E"},
        {8, "75    00    00    N", "15    00    00    N", "150    00    00    E", "120    00    00    W"},
        {8, "20    00    00    S", "70    00    00    S", "180    00    00    W", "180    00    00    E"},
        {12, "90    00    00    N", "90    00    00    S", "180    00    00    W", "180    00    00    E"},
        {12, "70    00    00    N", "20    00    00    N", "100    00    00    W", "100    00    00    E"},
        {12, "10    00    00    S", "60    00    00    S", "100    00    00    W", "100    00    00    E"},
        {16, "90    00    00    N", "60    00    00    S", "180    00    00    W", "180    00    00    E"},
        {41, "40    00    00    N", "00    00    00    N", "060    00    00    W", "060    00    00    E"},
        {42, "90    00    00    N", "90    00    00    S", "180    00    00    W", "180    00    00    E"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.code << " " << c.north << " / " << c.south);
        SetDesign(c.code, c.north, c.south, c.west, c.east);
        DesignState& d = Design();
        double xMin = 1e9, xMax = -1e9, yMin = 1e9, yMax = -1e9;
        auto visit = [&](double lat, double lon) {
            d.ProjInLat = lat;
            d.ProjInLon = lon;
            ProjectSelect();
            ASSERT_FALSE(d.CalcError);
            xMin = std::min(xMin, d.ProjOutX);
            xMax = std::max(xMax, d.ProjOutX);
            yMin = std::min(yMin, d.ProjOutY);
            yMax = std::max(yMax, d.ProjOutY);
        };
        const double w = d.FrameWest, e = d.FrameEast;
        for (int i = 0; i <= 2000; ++i) {
            const double lon = w + (e - w) * i / 2000;
            const double lat = d.LatSouth + (d.LatNorth - d.LatSouth) * i / 2000;
            visit(d.LatNorth, lon);
            visit(d.LatSouth, lon);
            visit(lat, w);
            visit(lat, e);
        }
        const double tol = 1e-9, touch = 2e-5;
        EXPECT_GE(xMin, d.MapXMin - tol);
        EXPECT_LE(xMax, d.MapXMax + tol);
        EXPECT_GE(yMin, d.MapYMin - tol);
        EXPECT_LE(yMax, d.MapYMax + tol);
        EXPECT_NEAR(xMin, d.MapXMin, touch);
        EXPECT_NEAR(xMax, d.MapXMax, touch);
        EXPECT_NEAR(yMin, d.MapYMin, touch);
        EXPECT_NEAR(yMax, d.MapYMax, touch);
    }
    EXPECT_TRUE(boxes.log.empty());
}

TEST_F(ProjParamsTest, AzimuthalExtentIsTheSquareAroundTheRange) {
    DesignState& d = Design();
    struct Case {
        int16_t code;
        const char *centreLat, *range;
        double half;  // expected half-size; < 0: the projection of (lat, lon) below
        double lat, lon;
    };
    const Case cases[] = {
        {30, "40    00    00    N", "180    00    00", d.Pi, 0, 0},
        {31, "40    00    00    N", "180    00    00", 2, 0, 0},
        {27, "30    00    00    N", "045    00    00", -1, 75, 180},
        {31, "80    00    00    N", "030    00    00", -1, 70, 360},
        {26, "00    00    00    N", "060    00    00", -1, 60, 180},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        ResetDesignState();
        d.ProjCode = c.code;
        d.BoundsText[6] = c.centreLat;
        d.BoundsText[8] = c.range;
        CalcGraticule({});
        ParamSelect();
        double half = c.half;
        if (half < 0) {
            d.ProjInLat = c.lat;
            d.ProjInLon = c.lon;
            ProjectSelect();
            ASSERT_FALSE(d.CalcError);
            half = d.ProjOutY;
        }
        EXPECT_GT(half, 0);
        EXPECT_EQ(d.MapXMax, half);
        EXPECT_EQ(d.MapYMax, half);
        EXPECT_EQ(d.MapXMin, -half);
        EXPECT_EQ(d.MapYMin, -half);
    }
}

TEST_F(ProjParamsTest, VerticalPerspectiveHorizon) {
    DesignState& d = Design();
    d.ProjCode = ProjVerticalPerspective;
    d.BoundsText[9] = "00006371";
    CalcGraticule({});
    ParamSelect();
    EXPECT_EQ(d.VpP, 2);
    const double cosLimit = kVerticalPerspectiveKernel.setup(d).azimuth.cosLimit;
    EXPECT_LT(cosLimit, 0.5);
    EXPECT_NEAR(cosLimit, 0.5, 1e-10);
    EXPECT_EQ(d.AzRangeSec, 216000);
    EXPECT_NEAR(d.CosAzRange, 0.5, 1e-14);
    EXPECT_EQ(d.BoundsText[8], "060    00    00    E");
    EXPECT_DOUBLE_EQ(d.MapXMax, std::sqrt(1.0 / 3));
    EXPECT_EQ(d.MapYMin, -d.MapXMax);
}

// A design recalled is prepared as a staged copy while another design is
// live: its constants and extent are those of the copy, and the live design
// is left as it was.
TEST_F(ProjParamsTest, PreparingACopyGivesTheCopysExtentAndLeavesTheLiveDesign) {
    struct Map {
        int16_t code;
        const char *north, *south, *west, *east;
    };
    const struct {
        Map staged, live;
    } cases[] = {
        {{ProjEquirectangular, "60    00    00    N", "20    00    00    N", "010    00    00    W",
          "050    00    00    E"},
         {ProjEquirectangular, "10    00    00    N", "80    00    00    S", "170    00    00    W",
          "150    00    00    E"}},
        {{ProjAlbers, "70    00    00    N", "20    00    00    N", "030    00    00    W", "120    00    00    E"},
         {ProjMercator, "80    00    00    N", "80    00    00    S", "180    00    00    W", "180    00    00    E"}},
        {{ProjHammer, "70    00    00    N", "20    00    00    N", "100    00    00    W", "100    00    00    E"},
         {ProjConformalConic, "60    00    00    N", "30    00    00    N", "050    00    00    W",
          "050    00    00    E"}},
        {{ProjGnomonic, "90    00    00    N", "90    00    00    S", "180    00    00    W", "180    00    00    E"},
         {ProjAlbers, "10    00    00    S", "70    00    00    S", "060    00    00    W", "090    00    00    E"}},
    };
    const auto extent = [](const DesignState& d) {
        return std::vector<double>{d.MapXMin, d.MapXMax, d.MapYMin, d.MapYMax, d.ConicN, d.ConicRho0, d.CosStdParNorth};
    };
    const auto io = [](const DesignState& d) {
        return std::vector<double>{d.ProjInLat, d.ProjInLon, d.ProjOutX, d.ProjOutY, double(d.CalcError)};
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.staged.code);
        ResetDesignState();
        SetDesign(c.staged.code, c.staged.north, c.staged.south, c.staged.west, c.staged.east);
        DesignState staged = Design();
        const std::vector<double> expected = extent(staged);
        staged.MapXMin = staged.MapXMax = staged.MapYMin = staged.MapYMax = 0;

        ResetDesignState();
        SetDesign(c.live.code, c.live.north, c.live.south, c.live.west, c.live.east);
        const DesignState& live = Design();
        const std::vector<double> liveExtent = extent(live), liveIo = io(live);
        ASSERT_NE(liveExtent, expected);

        KernelOf(staged.ProjCode)->prepare(staged);
        EXPECT_EQ(extent(staged), expected);
        EXPECT_EQ(extent(live), liveExtent);
        EXPECT_EQ(io(live), liveIo);
    }
    EXPECT_TRUE(boxes.log.empty());
}

TEST_F(ProjParamsTest, FailureShowsItsBoxAndStillClearsTheStopText) {
    DesignState& d = Design();
    SetDesign(ProjAlbers, "40    00    00    N", "40    00    00    S", "010    00    00    W", "050    00    00    E");
    boxes.log.clear();
    d.StdParNorth = 30;  // symmetric parallels: cone constant 0
    d.StdParSouth = -30;
    d.PlotStopText = "Escape";
    ParamSelect();
    ASSERT_EQ(boxes.log.size(), 1u);
    EXPECT_EQ(boxes.log[0].text, "Error: Division by zero");
    EXPECT_EQ(boxes.log[0].title, "Error in ParamSelect");
    EXPECT_EQ(d.PlotStopText, "");

    d.PlotStopText = "GridDiskError";
    d.ProjCode = 99;
    ParamSelect();
    EXPECT_EQ(d.PlotStopText, "");
}

}  // namespace
}  // namespace tlrx
