#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "core/DesignState.h"
#include "core/DialogFields.h"
#include "core/Graticule.h"
#include "platform/MessageBox.h"
#include "support/RecordingDialogFields.h"
#include "support/ScriptedMessageBox.h"

namespace tlrx {
namespace {

using Texts = std::array<std::string, 10>;
using TextEdits = std::vector<std::pair<size_t, const char*>>;

// What the boundary dialog held when it opened: distinct from every text the
// cases enter, so a restore shows where it came from.
// clang-format off
const Texts kSaved = {"11    00    00    N", "22    00    00    S", "033    00    00",
                      "044    00    00    W", "055    00    00    E", "066    00    00",
                      "", "", "", ""};
// clang-format on

// Start-up boundaries accepted, a boundary dialog open and a scripted box.
class GraticuleTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetDesignState();
        ConstantGrid();
        CalcGraticule(Texts{});
        ASSERT_TRUE(boxes.log.empty());
        SetOpenDialogFields(&dialog);
    }
    void TearDown() override { SetOpenDialogFields(nullptr); }

    // Sets the projection and enters texts as the dialog's OK does, then computes.
    void Enter(int16_t code, const TextEdits& edits) {
        auto& d = Design();
        d.ProjCode = code;
        for (const auto& [element, text] : edits) d.BoundsText[element] = text;
        CalcGraticule(kSaved);
    }

    RecordingDialogFields dialog;
    ScopedScriptedMessageBox boxes;
};

// Every field CalcGraticule writes, compared one by one.
void ExpectSameBounds(const DesignState& a, const DesignState& b) {
#define TLRX_SAME(f) EXPECT_EQ(a.f, b.f) << #f
    // clang-format off
    TLRX_SAME(BoundsText);
    TLRX_SAME(LatNorthSec); TLRX_SAME(LatNorth); TLRX_SAME(LatNorthText);
    TLRX_SAME(LatSouthSec); TLRX_SAME(LatSouth); TLRX_SAME(LatSouthText);
    TLRX_SAME(LatSpacingSec); TLRX_SAME(LatSpacing); TLRX_SAME(LatSpacingText);
    TLRX_SAME(NumLatDivisions);
    TLRX_SAME(LonWestSec); TLRX_SAME(LonWest); TLRX_SAME(LonWestText);
    TLRX_SAME(LonEastSec); TLRX_SAME(LonEast); TLRX_SAME(LonEastText);
    TLRX_SAME(FrameWestSec); TLRX_SAME(FrameWest); TLRX_SAME(FrameEastSec); TLRX_SAME(FrameEast);
    TLRX_SAME(LonSpacingSec); TLRX_SAME(LonSpacing); TLRX_SAME(LonSpacingText);
    TLRX_SAME(NumLonDivisions); TLRX_SAME(CentralMeridian);
    TLRX_SAME(CentLatSec); TLRX_SAME(CentLat); TLRX_SAME(CentLatText);
    TLRX_SAME(CentLatRad); TLRX_SAME(CosCentLat); TLRX_SAME(SinCentLat);
    TLRX_SAME(CentLonSec); TLRX_SAME(CentLon); TLRX_SAME(CentLonText);
    TLRX_SAME(AzRangeSec); TLRX_SAME(CosAzRange); TLRX_SAME(VpDistanceKm);
    // clang-format on
#undef TLRX_SAME
}

TEST(ConstantGrid, WritesTheDefaultTextsAndKeepsADefinedPerspectiveHeight) {
    ResetDesignState();
    auto& d = Design();
    d.BoundsText.fill("x");
    ConstantGrid();
    // clang-format off
    const Texts expected = {"90    00    00    N", "90    00    00    S", "030    00    00",
                            "180    00    00    W", "180    00    00    E", "045    00    00",
                            "40    00    00    N", "000    00    00    W", "180    00    00",
                            "00035840"};
    // clang-format on
    EXPECT_EQ(d.BoundsText, expected);

    d.ProjDefined[ProjVerticalPerspective] = true;
    d.BoundsText[9] = "00001000";
    ConstantGrid();
    EXPECT_EQ(d.BoundsText[9], "00001000");
}

TEST(ConstantGrid, ReportsAFailureInItsOwnBox) {
    ResetDesignState();
    ScopedScriptedMessageBox boxes;
    Design().ProjDefined.clear();  // the flags not yet sized
    ConstantGrid();
    ASSERT_EQ(boxes.log.size(), 1u);
    EXPECT_EQ(boxes.log[0].text, "Error: Subscript out of range");
    EXPECT_EQ(boxes.log[0].title, "Error in ConstantGrid");
    EXPECT_EQ(boxes.log[0].buttons, MsgButtons::Ok);
    EXPECT_EQ(boxes.log[0].icon, MsgIcon::Exclamation);
}

struct AcceptCase {
    const char* name;
    int16_t code;
    TextEdits edits;
    int32_t latNorthSec, latSouthSec, numLat;
    int32_t lonWestSec, lonEastSec, frameEastSec, numLon;
    double centralMeridian, centLat, centLon;
    const char* centLonText;
};

TEST_F(GraticuleTest, DerivesTheGridFromAcceptedTexts) {
    // clang-format off
    const AcceptCase cases[] = {
        {"start-up texts", ProjEquirectangular, {},
         324000, -324000, 6, -648000, 648000, 1296000, 8, 180, 0, 0, "000 00 00 E"},
        {"160E to 170W", ProjEquirectangular,
         {{3, "160    00    00    E"}, {4, "170    00    00    W"}, {5, "015    00    00"}},
         324000, -324000, 6, 576000, -612000, 108000, 2, 15, 0, 175, "175 00 00 E"},
        {"170E to 160W: the centre counted back from the east", ProjEquirectangular,
         {{3, "170    00    00    E"}, {4, "160    00    00    W"}, {5, "015    00    00"}},
         324000, -324000, 6, 612000, -576000, 108000, 2, 15, 0, -175, "175 00 00 W"},
        {"equal boundaries: a full turn", ProjMollweide,
         {{3, "000    00    00    W"}, {4, "000    00    00    W"}},
         324000, -324000, 6, 0, 0, 1296000, 8, 180, 0, 180, "180 00 00 E"},
        {"60N to 30S by 30", ProjMercator,
         {{0, "60    00    00    N"}, {1, "30    00    00    S"}},
         216000, -108000, 3, -648000, 648000, 1296000, 8, 180, 15, 0, "000 00 00 E"},
        {"one arc-second spacings divide everything", ProjRobinson,
         {{2, "000    00    01"}, {5, "000    00    01"}},
         324000, -324000, 648000, -648000, 648000, 1296000, 1296000, 180, 0, 0, "000 00 00 E"},
        {"azimuthal centred on 122 26 W", ProjAzEquidistant,
         {{0, "10    00    00    N"}, {7, "122    26    00    W"}},
         324000, -324000, 6, 207240, 207240, 1296000, 8, 180, 40, -440760 / 3600.0,
         "122 26 00 W"},
        {"azimuthal centred on 0", ProjStereographic,
         {{7, "000    00    00    E"}, {3, "010    00    00    E"}},
         324000, -324000, 6, -648000, 648000, 1296000, 8, 180, 40, 0, "000 00 00 E"},
        {"azimuthal centred on 180 W", ProjGnomonic, {{7, "180    00    00    W"}},
         324000, -324000, 6, 0, 0, 1296000, 8, 180, 40, -180, "180 00 00 W"},
    };
    // clang-format on
    auto& d = Design();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ConstantGrid();
        d.CalcError = false;
        Enter(c.code, c.edits);
        EXPECT_TRUE(boxes.log.empty());
        EXPECT_TRUE(dialog.log.empty());
        EXPECT_FALSE(d.CalcError);
        EXPECT_EQ(d.LatNorthSec, c.latNorthSec);
        EXPECT_EQ(d.LatSouthSec, c.latSouthSec);
        EXPECT_EQ(d.NumLatDivisions, c.numLat);
        EXPECT_EQ(d.LonWestSec, c.lonWestSec);
        EXPECT_EQ(d.LonEastSec, c.lonEastSec);
        EXPECT_EQ(d.FrameWestSec, 0);
        EXPECT_EQ(d.FrameEastSec, c.frameEastSec);
        EXPECT_EQ(d.NumLonDivisions, c.numLon);
        EXPECT_DOUBLE_EQ(d.LatNorth, c.latNorthSec / 3600.0);
        EXPECT_DOUBLE_EQ(d.LatSouth, c.latSouthSec / 3600.0);
        EXPECT_DOUBLE_EQ(d.LonWest, c.lonWestSec / 3600.0);
        EXPECT_DOUBLE_EQ(d.LonEast, c.lonEastSec / 3600.0);
        EXPECT_DOUBLE_EQ(d.FrameEast, c.frameEastSec / 3600.0);
        EXPECT_DOUBLE_EQ(d.CentralMeridian, c.centralMeridian);
        EXPECT_DOUBLE_EQ(d.CentLat, c.centLat);
        EXPECT_DOUBLE_EQ(d.CentLon, c.centLon);
        EXPECT_EQ(d.CentLonText, c.centLonText);
    }
}

TEST_F(GraticuleTest, CutsTheDisplayTextsOutOfTheDialogTexts) {
    auto& d = Design();
    Enter(
        ProjEquirectangular,
        {{0, "60    30    15    N"}, {1, "29    29    45    S"}, {5, "022    30    00"}, {4, "135    00    00    E"}});
    ASSERT_FALSE(d.CalcError);
    EXPECT_EQ(d.LatNorthText, "60 30 15 N");
    EXPECT_EQ(d.LatSouthText, "29 29 45 S");
    EXPECT_EQ(d.LatSpacingText, "030 00 00");
    EXPECT_EQ(d.LonWestText, "180 00 00 W");
    EXPECT_EQ(d.LonEastText, "135 00 00 E");
    EXPECT_EQ(d.LonSpacingText, "022 30 00");
    EXPECT_EQ(d.CentLatText, "15 30 15 N");
    EXPECT_EQ(d.CentLonText, "022 30 00 W");
    EXPECT_EQ(d.NumLatDivisions, 3);
    EXPECT_EQ(d.NumLonDivisions, 14);
}

TEST_F(GraticuleTest, AzimuthalMapsGetTheirCentreRangeAndPoles) {
    auto& d = Design();
    Enter(ProjAzEqualArea,
          {{6, "37    47    00    S"}, {7, "122    26    00    W"}, {8, "090    00    00"}, {9, "00012000"}});
    ASSERT_FALSE(d.CalcError);
    // clang-format off
    const Texts expected = {"90    00    00    N", "90    00    00    S", "030    00    00",
                            "057    34    00    E", "057    34    00    E", "045    00    00",
                            "37    47    00    S", "122    26    00    W", "090    00    00",
                            "00012000"};
    // clang-format on
    EXPECT_EQ(d.BoundsText, expected);
    EXPECT_EQ(d.LonWestText, "057 34 00 E");
    EXPECT_EQ(d.LonEastText, "057 34 00 E");
    EXPECT_EQ(d.CentLatSec, -136020);
    EXPECT_EQ(d.CentLonSec, -440760);
    EXPECT_EQ(d.AzRangeSec, 324000);
    EXPECT_DOUBLE_EQ(d.VpDistanceKm, 12000);
    const double rad = -136020 / 3600.0 * d.DegToRad;
    EXPECT_DOUBLE_EQ(d.CentLatRad, rad);
    EXPECT_DOUBLE_EQ(d.CosCentLat, std::cos(rad));
    EXPECT_DOUBLE_EQ(d.SinCentLat, std::sin(rad));
    EXPECT_DOUBLE_EQ(d.CosAzRange, std::cos(90 * d.DegToRad));
    EXPECT_EQ(d.CentLatText, "37 47 00 S");
    EXPECT_EQ(d.CentLonText, "122 26 00 W");
}

TEST_F(GraticuleTest, NonAzimuthalMapsKeepTheAzimuthalTrigonometry) {
    auto& d = Design();
    d.CentLatRad = 0.25;
    d.CosCentLat = 0.5;
    d.SinCentLat = 0.75;
    d.CosAzRange = -0.5;
    Enter(ProjHammer, {{0, "60    00    00    N"}});
    ASSERT_FALSE(d.CalcError);
    EXPECT_EQ(d.CentLatRad, 0.25);
    EXPECT_EQ(d.CosCentLat, 0.5);
    EXPECT_EQ(d.SinCentLat, 0.75);
    EXPECT_EQ(d.CosAzRange, -0.5);
    // The centre texts are read all the same, and the perspective height.
    EXPECT_EQ(d.CentLatSec, 144000);
    EXPECT_DOUBLE_EQ(d.VpDistanceKm, 35840);
    EXPECT_DOUBLE_EQ(d.CentLat, -15);
}

struct RejectCase {
    const char* name;
    int16_t code;
    TextEdits edits;
    const char* title;
    std::string message;
    std::vector<std::string> onRetry;
    std::vector<std::string> onCancel;
};

const std::string kZeroRangeText =
    "Tellurax cannot plot a map in which the westernmost longitude is 180\xC2\xB0"
    "E and the easternmost longitude is 180\xC2\xB0W, since the longitude range of this map is "
    "zero.\n\nTry setting the westernmost longitude to 180\xC2\xB0W and the easternmost "
    "longitude to 180\xC2\xB0"
    "E.";

TEST_F(GraticuleTest, RejectsEachCheckWithItsBoxAndFieldOperations) {
    const std::string latAz =
        "The DEGREES OF LATITUDE BETWEEN GRID MARKS must yield an integer when divided into 180 "
        "degrees.";
    const std::string lonAz =
        "The DEGREES OF LONGITUDE BETWEEN GRID MARKS must yield an integer when divided into 360 "
        "degrees.";
    const std::string northSouth = "The NORTHERNMOST BOUNDARY of the grid is south of the SOUTHERNMOST BOUNDARY.";
    const std::vector<std::string> latRestore = {"text LatLonBounds.LatN=11    00    00    N",
                                                 "text LatLonBounds.LatS=22    00    00    S"};
    // clang-format off
    const RejectCase cases[] = {
        {"1: north south of south", ProjMercator,
         {{0, "30    00    00    S"}, {1, "60    00    00    N"}},
         "Error: Latitude", northSouth, {"focus LatLonBounds.LatN"}, latRestore},
        {"1 comes before a bad spacing", ProjMercator,
         {{0, "30    00    00    S"}, {1, "60    00    00    N"}, {2, "040    00    00"}},
         "Error: Latitude", northSouth, {"focus LatLonBounds.LatN"}, latRestore},
        {"2: north equals south", ProjEquirectangular,
         {{0, "30    00    00    N"}, {1, "30    00    00    N"}},
         "Error: Latitude", "The NORTHERNMOST and SOUTHERNMOST BOUNDARIES of the grid are equal.",
         {"focus LatLonBounds.LatN"}, latRestore},
        {"3: 60N to 30S by 40", ProjEquirectangular,
         {{0, "60    00    00    N"}, {1, "30    00    00    S"}, {2, "040    00    00"}},
         "Error: Degrees of latitude",
         "The DEGREES OF LATITUDE BETWEEN GRID MARKS do not yield an integral number of "
         "divisions along the latitude axis.",
         {"focus LatLonBounds.LatGr"}, {"text LatLonBounds.LatGr=033    00    00"}},
        {"3: azimuthal by 40, whatever the range", ProjOrthographic,
         {{2, "040    00    00"}, {8, "090    00    00"}},
         "Error: Degrees of latitude", latAz,
         {"focus LatLonBoundsAz.LatGr"}, {"text LatLonBoundsAz.LatGr=033    00    00"}},
        {"3: vertical perspective", ProjVerticalPerspective, {{2, "040    00    00"}},
         "Error: Degrees of latitude", latAz,
         {"focus LatLonBoundsVp.LatGr"}, {"text LatLonBoundsVp.LatGr=033    00    00"}},
        {"4: 360 by 50", ProjCylEqualArea, {{5, "050    00    00"}},
         "Error: Degrees of longitude",
         "The DEGREES OF LONGITUDE BETWEEN GRID MARKS do not yield an integral number of "
         "divisions along the longitude axis.",
         {"focus LatLonBounds.LonGr"}, {"text LatLonBounds.LonGr=066    00    00"}},
        {"4: azimuthal", ProjAzEqualArea, {{5, "050    00    00"}},
         "Error: Degrees of longitude", lonAz,
         {"focus LatLonBoundsAz.LonGr"}, {"text LatLonBoundsAz.LonGr=066    00    00"}},
        {"4: vertical perspective", ProjVerticalPerspective, {{5, "050    00    00"}},
         "Error: Degrees of longitude", lonAz,
         {"focus LatLonBoundsVp.LonGr"}, {"text LatLonBoundsVp.LonGr=066    00    00"}},
        {"5: 180E to 180W", ProjEquirectangular,
         {{3, "180    00    00    E"}, {4, "180    00    00    W"}},
         "Error: Longitude", kZeroRangeText, {"focus LatLonBounds.LonW"},
         {"text LatLonBounds.LonW=044    00    00    W",
          "text LatLonBounds.LonE=055    00    00    E"}},
    };
    // clang-format on
    auto& d = Design();
    for (const auto& c : cases) {
        for (const MsgAnswer answer : {MsgAnswer::Retry, MsgAnswer::Cancel}) {
            SCOPED_TRACE(std::string(c.name) + (answer == MsgAnswer::Retry ? ", Retry" : ", Cancel"));
            ConstantGrid();
            boxes.log.clear();
            boxes.answers = {answer};
            dialog.log.clear();
            d.ProjCode = c.code;
            for (const auto& [element, text] : c.edits) d.BoundsText[element] = text;
            const Texts entered = d.BoundsText;
            CalcGraticule(kSaved);
            ASSERT_EQ(boxes.log.size(), 1u);
            EXPECT_EQ(boxes.log[0].title, c.title);
            EXPECT_EQ(boxes.log[0].text, c.message);
            EXPECT_EQ(boxes.log[0].buttons, MsgButtons::RetryCancel);
            EXPECT_EQ(boxes.log[0].icon, MsgIcon::Exclamation);
            EXPECT_EQ(dialog.log, answer == MsgAnswer::Retry ? c.onRetry : c.onCancel);
            EXPECT_TRUE(d.CalcError);
            EXPECT_EQ(d.BoundsText, entered);  // only the dialog's fields are restored
        }
    }
}

TEST_F(GraticuleTest, TheZeroRangeMessageHasTwoLineFeedsAndDegreeSigns) {
    Enter(ProjEquirectangular, {{3, "180    00    00    E"}, {4, "180    00    00    W"}});
    ASSERT_EQ(boxes.log.size(), 1u);
    const std::string& text = boxes.log[0].text;
    EXPECT_NE(text.find("zero.\x0A\x0ATry"), std::string::npos);
    EXPECT_NE(text.find("180°E"), std::string::npos);
    EXPECT_EQ(text.find("\r"), std::string::npos);
}

TEST_F(GraticuleTest, WestAt180WAndEastAt180EIsTheWholeWorld) {
    auto& d = Design();
    Enter(ProjEquirectangular, {{3, "180    00    00    W"}, {4, "180    00    00    E"}});
    EXPECT_FALSE(d.CalcError);
    EXPECT_TRUE(boxes.log.empty());
    EXPECT_EQ(d.FrameEastSec, 1296000);
}

// A rejected, then cancelled dialog leaves every field as the last accepted
// computation left it, whatever the check and the projection.
TEST_F(GraticuleTest, ARejectionLeavesTheStateExactlyAsItWas) {
    const std::pair<int16_t, TextEdits> rejected[] = {
        {ProjEquirectangular,
         {{0, "60    00    00    N"},
          {1, "30    00    00    S"},
          {2, "040    00    00"},
          {3, "010    00    00    E"},
          {6, "10    00    00    S"},
          {8, "045    00    00"},
          {9, "00001234"}}},
        {ProjEquirectangular, {{3, "180    00    00    E"}, {4, "180    00    00    W"}}},
        {ProjAzEquidistant, {{2, "040    00    00"}, {7, "122    26    00    W"}, {6, "10    00    00    S"}}},
        {ProjVerticalPerspective, {{5, "050    00    00"}, {7, "090    00    00    E"}}},
    };
    auto& d = Design();
    // The last accepted computation: an ordinary map with its own values.
    Enter(ProjEquirectangular, {{0, "80    00    00    N"},
                                {1, "40    00    00    S"},
                                {2, "020    00    00"},
                                {3, "020    00    00    W"},
                                {4, "160    00    00    E"}});
    ASSERT_FALSE(d.CalcError);
    for (const auto& [code, edits] : rejected) {
        SCOPED_TRACE(code);
        boxes.answers = {MsgAnswer::Cancel};
        const DesignState before = d;
        Enter(code, edits);
        ASSERT_TRUE(d.CalcError);
        // The dialog's Cancel puts the texts back as they were.
        d.BoundsText = before.BoundsText;
        d.ProjCode = before.ProjCode;
        d.CalcError = false;
        ExpectSameBounds(before, d);
    }
}

TEST_F(GraticuleTest, AnAzimuthalRejectionKeepsTheBoundaryTexts) {
    auto& d = Design();
    d.ProjCode = ProjStereographic;
    d.BoundsText[2] = "040    00    00";
    d.BoundsText[7] = "122    26    00    W";
    const Texts entered = d.BoundsText;
    CalcGraticule(kSaved);
    ASSERT_TRUE(d.CalcError);
    EXPECT_EQ(d.BoundsText, entered);
}

TEST_F(GraticuleTest, ClearsALeftoverCalcErrorBeforeAcceptingValidTexts) {
    auto& d = Design();
    d.CalcError = true;  // left by the last projected point of a drawing
    Enter(ProjRobinson, {{0, "60    00    00    N"}});
    EXPECT_FALSE(d.CalcError);
    EXPECT_TRUE(boxes.log.empty());
    EXPECT_EQ(d.LatNorthSec, 216000);
}

TEST_F(GraticuleTest, AZeroSpacingShowsItsErrorBoxAndKeepsTheDialogOpen) {
    auto& d = Design();
    for (const size_t element : {size_t{2}, size_t{5}}) {
        SCOPED_TRACE(element);
        ConstantGrid();
        boxes.log.clear();
        d.CalcError = true;
        d.BoundsText[0] = "60    00    00    N";  // would be stored, were it accepted
        d.BoundsText[element] = "000    00    00";
        DesignState before = d;
        CalcGraticule(kSaved);
        ASSERT_EQ(boxes.log.size(), 1u);
        EXPECT_EQ(boxes.log[0].text, "Error: Division by zero");
        EXPECT_EQ(boxes.log[0].title, "Error in CalcGraticule");
        EXPECT_EQ(boxes.log[0].buttons, MsgButtons::Ok);
        EXPECT_EQ(boxes.log[0].icon, MsgIcon::Exclamation);
        EXPECT_TRUE(d.CalcError);  // the dialog stays open: nothing was stored
        EXPECT_TRUE(dialog.log.empty());
        ExpectSameBounds(before, d);
    }
}

TEST_F(GraticuleTest, ARejectionWithNoDialogOpenOnlyShowsTheBox) {
    SetOpenDialogFields(nullptr);
    Enter(ProjEquirectangular, {{0, "30    00    00    N"}, {1, "30    00    00    N"}});
    EXPECT_EQ(boxes.log.size(), 1u);
    EXPECT_TRUE(Design().CalcError);
}

}  // namespace
}  // namespace tlrx
