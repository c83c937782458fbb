#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/DesignState.h"
#include "core/Graticule.h"
#include "core/GraticuleInterrupt.h"
#include "platform/MessageBox.h"
#include "support/ScriptedMessageBox.h"

namespace tlrx {
namespace {

// A whole-world interrupted map with the default 30- and 45-degree spacings,
// northern interruptions at 45W and 90E (lobes 1 to 3) and one southern
// interruption at 0 (lobes 5 and 6).
class GraticuleInterruptTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetDesignState();
        ConstantGrid();
        auto& d = Design();
        d.ProjCode = ProjInterruptedMollweide;
        CalcGraticule({});
        d.InterruptText[0] = "2";
        d.InterruptText[1] = "1";
        // clang-format off
        d.LobeEdgeText = {"180    00    00    W", "045    00    00    W", "090    00    00    E",
                          "180    00    00    E", "180    00    00    W", "000    00    00    W",
                          "180    00    00    E", "", "", ""};
        // clang-format on
    }

    ScopedScriptedMessageBox boxes;
};

struct LobeCase {
    int16_t lobe;
    double latNorth, latSouth, lonWest, lonEast, frameEast, centralMeridian;
    int32_t numLat, numLon;
    double centLat, centLon;
    const char* lonWestText;
    const char* lonEastText;
    const char* centLatText;
    const char* centLonText;
};

TEST_F(GraticuleInterruptTest, DescribesEachLobeAlone) {
    // clang-format off
    const LobeCase cases[] = {
        {1, 90, 0, -180, -45, 135, 67.5, 3, 3, 45, -112.5,
         "180 00 00 W", "045 00 00 W", "45 00 00 N", "112 30 00 W"},
        {2, 90, 0, -45, 90, 135, 67.5, 3, 3, 45, 22.5,
         "045 00 00 W", "090 00 00 E", "45 00 00 N", "022 30 00 E"},
        {3, 90, 0, 90, 180, 90, 45, 3, 2, 45, 135,
         "090 00 00 E", "180 00 00 E", "45 00 00 N", "135 00 00 E"},
        {5, 0, -90, -180, 0, 180, 90, 3, 4, -45, -90,
         "180 00 00 W", "000 00 00 W", "45 00 00 S", "090 00 00 W"},
        {6, 0, -90, 0, 180, 180, 90, 3, 4, -45, 90,
         "000 00 00 W", "180 00 00 E", "45 00 00 S", "090 00 00 E"},
    };
    // clang-format on
    auto& d = Design();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.lobe);
        CalcGraticuleInterrupt(c.lobe);
        EXPECT_TRUE(boxes.log.empty());
        EXPECT_EQ(d.LatNorthSec, c.latNorth * 3600);
        EXPECT_EQ(d.LatSouthSec, c.latSouth * 3600);
        EXPECT_EQ(d.LonWestSec, c.lonWest * 3600);
        EXPECT_EQ(d.LonEastSec, c.lonEast * 3600);
        EXPECT_EQ(d.FrameWestSec, 0);
        EXPECT_EQ(d.FrameEastSec, c.frameEast * 3600);
        EXPECT_DOUBLE_EQ(d.LatNorth, c.latNorth);
        EXPECT_DOUBLE_EQ(d.LatSouth, c.latSouth);
        EXPECT_DOUBLE_EQ(d.LonWest, c.lonWest);
        EXPECT_DOUBLE_EQ(d.LonEast, c.lonEast);
        EXPECT_DOUBLE_EQ(d.FrameWest, 0);
        EXPECT_DOUBLE_EQ(d.FrameEast, c.frameEast);
        EXPECT_DOUBLE_EQ(d.CentralMeridian, c.centralMeridian);
        EXPECT_EQ(d.NumLatDivisions, c.numLat);
        EXPECT_EQ(d.NumLonDivisions, c.numLon);
        EXPECT_DOUBLE_EQ(d.LatSpacing, 30);
        EXPECT_DOUBLE_EQ(d.LonSpacing, 45);
        EXPECT_DOUBLE_EQ(d.CentLat, c.centLat);
        EXPECT_DOUBLE_EQ(d.CentLon, c.centLon);
        EXPECT_EQ(d.LonWestText, c.lonWestText);
        EXPECT_EQ(d.LonEastText, c.lonEastText);
        EXPECT_EQ(d.CentLatText, c.centLatText);
        EXPECT_EQ(d.CentLonText, c.centLonText);
        // The latitude texts always show the whole map's boundaries.
        EXPECT_EQ(d.LatNorthText, "90 00 00 N");
        EXPECT_EQ(d.LatSouthText, "90 00 00 S");
        EXPECT_EQ(d.LatSpacingText, "030 00 00");
        EXPECT_EQ(d.LonSpacingText, "045 00 00");
    }
}

TEST_F(GraticuleInterruptTest, ReadsTheBoundaryMagnitudesWithoutTheirLetters) {
    auto& d = Design();
    d.BoundsText[0] = "60    00    00    S";
    d.BoundsText[1] = "60    00    00    N";
    CalcGraticuleInterrupt(1);
    EXPECT_EQ(d.LatNorthSec, 216000);
    EXPECT_EQ(d.LatSouthSec, 0);
    EXPECT_EQ(d.LatSouthText, "60 00 00 N");  // the map's boundary, not the lobe's 0
    CalcGraticuleInterrupt(5);
    EXPECT_EQ(d.LatNorthSec, 0);
    EXPECT_EQ(d.LatSouthSec, -216000);
    EXPECT_DOUBLE_EQ(d.LatSouth, -60);
    EXPECT_EQ(d.LatNorthText, "60 00 00 S");
}

TEST_F(GraticuleInterruptTest, LeavesTheTextsAndTheAzimuthalFieldsAlone) {
    auto& d = Design();
    d.CentLatRad = 0.5;
    d.CosCentLat = 0.25;
    d.SinCentLat = 0.75;
    d.CosAzRange = -0.5;
    const DesignState before = d;
    CalcGraticuleInterrupt(3);
    EXPECT_EQ(d.BoundsText, before.BoundsText);
    EXPECT_EQ(d.LobeEdgeText, before.LobeEdgeText);
    EXPECT_EQ(d.CentLatSec, before.CentLatSec);
    EXPECT_EQ(d.CentLonSec, before.CentLonSec);
    EXPECT_EQ(d.AzRangeSec, before.AzRangeSec);
    EXPECT_EQ(d.VpDistanceKm, before.VpDistanceKm);
    EXPECT_EQ(d.CentLatRad, 0.5);
    EXPECT_EQ(d.CosCentLat, 0.25);
    EXPECT_EQ(d.SinCentLat, 0.75);
    EXPECT_EQ(d.CosAzRange, -0.5);
}

// The parallels of a lobe as the graticule drawing places them: index k from
// 0 to NumLatDivisions at LatSouth + k * LatSpacing, the last one held at
// LatNorth when it would pass it.
std::vector<double> DrawnParallels() {
    const auto& d = Design();
    std::vector<double> lats;
    for (int32_t k = 0; k <= d.NumLatDivisions; ++k) {
        double lat = d.LatSouth + k * d.LatSpacing;
        if (lat > d.LatNorth) lat = d.LatNorth;
        lats.push_back(lat);
    }
    return lats;
}

struct BandCase {
    const char* north;
    const char* south;
    const char* spacing;
    int32_t northIntervals;
    std::vector<double> northParallels;
    int32_t southIntervals;
    std::vector<double> southParallels;
};

TEST_F(GraticuleInterruptTest, EveryLobeKeepsItsBoundaryParallel) {
    // clang-format off
    const BandCase cases[] = {
        {"70    00    00    N", "50    00    00    S", "030    00    00",
         3, {0, 30, 60, 70}, 2, {-50, -20, 0}},
        {"75    00    00    N", "40    00    00    S", "030    00    00",  // 2.5 and 1.33 spacings
         3, {0, 30, 60, 75}, 2, {-40, -10, 0}},
        {"60    00    00    N", "90    00    00    S", "030    00    00",  // whole spacings
         2, {0, 30, 60}, 3, {-90, -60, -30, 0}},
        {"89    59    59    N", "00    00    01    S", "045    00    00",
         2, {0, 45, 323999 / 3600.0}, 1, {-1 / 3600.0, 0}},
    };
    // clang-format on
    auto& d = Design();
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.north) + " / " + c.south + " by " + c.spacing);
        d.BoundsText[0] = c.north;
        d.BoundsText[1] = c.south;
        d.BoundsText[2] = c.spacing;
        CalcGraticuleInterrupt(2);
        EXPECT_EQ(d.NumLatDivisions, c.northIntervals);
        EXPECT_EQ(DrawnParallels(), c.northParallels);
        CalcGraticuleInterrupt(6);
        EXPECT_EQ(d.NumLatDivisions, c.southIntervals);
        EXPECT_EQ(DrawnParallels(), c.southParallels);
    }
}

TEST_F(GraticuleInterruptTest, ReportsABadLobeOrAZeroSpacing) {
    struct FailCase {
        int16_t lobe;
        size_t spacingElement;  // 0: no spacing changed
        const char* text;
    };
    const FailCase cases[] = {
        {0, 0, "Error: Subscript out of range"},  {10, 0, "Error: Subscript out of range"},
        {-1, 0, "Error: Subscript out of range"}, {1, 2, "Error: Division by zero"},
        {5, 5, "Error: Division by zero"},
    };
    auto& d = Design();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.lobe);
        SetUp();
        if (c.spacingElement != 0) d.BoundsText[c.spacingElement] = "000    00    00";
        boxes.log.clear();
        const DesignState before = d;
        CalcGraticuleInterrupt(c.lobe);
        ASSERT_EQ(boxes.log.size(), 1u);
        EXPECT_EQ(boxes.log[0].text, c.text);
        EXPECT_EQ(boxes.log[0].title, "Error in CalcGraticuleInterrupt");
        EXPECT_EQ(boxes.log[0].buttons, MsgButtons::Ok);
        EXPECT_EQ(boxes.log[0].icon, MsgIcon::Exclamation);
        if (c.spacingElement == 0) {
            EXPECT_EQ(d.LatNorthSec, before.LatNorthSec);  // nothing read, nothing written
            EXPECT_EQ(d.LonWestSec, before.LonWestSec);
        }
    }
}

}  // namespace
}  // namespace tlrx
