#include <gtest/gtest.h>

#include <array>
#include <string>
#include <utility>
#include <vector>

#include "core/DesignState.h"
#include "core/DialogFields.h"
#include "core/UtmGrid.h"
#include "platform/MessageBox.h"
#include "support/RecordingDialogFields.h"
#include "support/ScriptedMessageBox.h"

namespace tlrx {
namespace {

using UtmTexts = std::array<std::string, 11>;
using TextEdits = std::vector<std::pair<size_t, const char*>>;

// What the UTM boundary dialog held when it opened: distinct from every text
// the cases enter, so a restore shows where it came from.
// clang-format off
const UtmTexts kSaved = {"", "", "", "", "", "05050505", "01010101", "00020202",
                         "0303030", "0404040", "0050505"};
// clang-format on

// A UTM design with the start-up texts, its boundary dialog open and a
// scripted box.
class UtmGridTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetDesignState();
        Design().ProjCode = ProjUtm;
        SetOpenDialogFields(&dialog);
    }
    void TearDown() override { SetOpenDialogFields(nullptr); }

    // Enters texts as the dialog's OK does, then computes.
    void Enter(const TextEdits& edits) {
        auto& d = Design();
        for (const auto& [element, text] : edits) d.UtmText[element] = text;
        CalcUtmGrid(kSaved);
    }

    RecordingDialogFields dialog;
    ScopedScriptedMessageBox boxes;
};

// Every field CalcUtmGrid may write, and the centre it must leave alone.
void ExpectSameGrid(const DesignState& a, const DesignState& b) {
#define TLRX_SAME(f) EXPECT_EQ(a.f, b.f) << #f
    // clang-format off
    TLRX_SAME(LatNorthSec); TLRX_SAME(LatNorth); TLRX_SAME(LatNorthText);
    TLRX_SAME(LatSouthSec); TLRX_SAME(LatSouth); TLRX_SAME(LatSouthText);
    TLRX_SAME(LatSpacingSec); TLRX_SAME(LatSpacing); TLRX_SAME(LatSpacingText);
    TLRX_SAME(NumLatDivisions);
    TLRX_SAME(LonWestSec); TLRX_SAME(LonWest); TLRX_SAME(LonWestText);
    TLRX_SAME(LonEastSec); TLRX_SAME(LonEast); TLRX_SAME(LonEastText);
    TLRX_SAME(FrameWestSec); TLRX_SAME(FrameWest); TLRX_SAME(FrameEastSec); TLRX_SAME(FrameEast);
    TLRX_SAME(LonSpacingSec); TLRX_SAME(LonSpacing); TLRX_SAME(LonSpacingText);
    TLRX_SAME(NumLonDivisions); TLRX_SAME(CentralMeridian);
    TLRX_SAME(CentLat); TLRX_SAME(CentLon); TLRX_SAME(CentLatText); TLRX_SAME(CentLonText);
    TLRX_SAME(UtmText); TLRX_SAME(BoundsText);
    // clang-format on
#undef TLRX_SAME
}

TEST_F(UtmGridTest, TheDefaultsGiveSixAndFiveIntervals) {
    auto& d = Design();
    d.CentralMeridian = -9;
    d.CentLat = 12.5;
    CalcUtmGrid(kSaved);
    EXPECT_TRUE(boxes.log.empty());
    EXPECT_TRUE(dialog.log.empty());
    EXPECT_FALSE(d.CalcError);
    EXPECT_EQ(d.LatNorthSec, 6200000);
    EXPECT_EQ(d.LatSouthSec, 5600000);
    EXPECT_EQ(d.LatSpacingSec, 100000);
    EXPECT_EQ(d.LonWestSec, 300000);
    EXPECT_EQ(d.LonEastSec, 800000);
    EXPECT_EQ(d.LonSpacingSec, 100000);
    EXPECT_EQ(d.FrameWestSec, 300000);
    EXPECT_EQ(d.FrameEastSec, 800000);
    EXPECT_EQ(d.NumLatDivisions, 6);
    EXPECT_EQ(d.NumLonDivisions, 5);
    // Metres unchanged in the doubles: no conversion to degrees.
    EXPECT_EQ(d.LatNorth, 6200000.0);
    EXPECT_EQ(d.LatSouth, 5600000.0);
    EXPECT_EQ(d.LatSpacing, 100000.0);
    EXPECT_EQ(d.LonWest, 300000.0);
    EXPECT_EQ(d.LonEast, 800000.0);
    EXPECT_EQ(d.LonSpacing, 100000.0);
    EXPECT_EQ(d.FrameWest, 300000.0);
    EXPECT_EQ(d.FrameEast, 800000.0);
    EXPECT_EQ(d.LatNorthText, "06200000");
    EXPECT_EQ(d.LatSouthText, "05600000");
    EXPECT_EQ(d.LatSpacingText, "00100000");
    EXPECT_EQ(d.LonWestText, "0300000");
    EXPECT_EQ(d.LonEastText, "0800000");
    EXPECT_EQ(d.LonSpacingText, "0100000");
    // The centre belongs to the UTM parameters.
    EXPECT_EQ(d.CentralMeridian, -9);
    EXPECT_EQ(d.CentLat, 12.5);
}

TEST_F(UtmGridTest, ReadsTheLeadingNumberOfEachText) {
    auto& d = Design();
    Enter({{5, "  4500000 m"}, {6, "4000000.4"}, {7, "250000.5"}, {8, "+0166000"}, {9, "834000x7"}, {10, "0334000"}});
    ASSERT_FALSE(d.CalcError);
    EXPECT_TRUE(boxes.log.empty());
    EXPECT_EQ(d.LatNorthSec, 4500000);
    EXPECT_EQ(d.LatSouthSec, 4000000);
    EXPECT_EQ(d.LatSpacingSec, 250000);  // half to even
    EXPECT_EQ(d.LonWestSec, 166000);
    EXPECT_EQ(d.LonEastSec, 834000);
    EXPECT_EQ(d.NumLatDivisions, 2);
    EXPECT_EQ(d.NumLonDivisions, 2);
    EXPECT_EQ(d.LatNorthText, "  4500000 m");  // the texts as they stand
}

struct RejectCase {
    const char* name;
    TextEdits edits;
    std::string message;
    std::vector<std::string> onRetry;
    std::vector<std::string> onCancel;
};

TEST_F(UtmGridTest, RejectsEachCheckInOrderWithItsBoxAndFieldOperations) {
    const std::vector<std::string> latGrid = {"text UtmCoords.UtmLatGrid=00020202"};
    const std::vector<std::string> lonGrid = {"text UtmCoords.UtmLonGrid=0050505"};
    const std::vector<std::string> northSouth = {"text UtmCoords.UtmLatN=05050505", "text UtmCoords.UtmLatS=01010101"};
    const std::vector<std::string> westEast = {"text UtmCoords.UtmLonW=0303030", "text UtmCoords.UtmLonE=0404040"};
    const std::string latZero = "The METERS BETWEEN NORTH/SOUTH GRID MARKS must be > 0.";
    const std::string lonZero = "The METERS BETWEEN EAST/WEST GRID MARKS must be > 0.";
    const std::string latRemainder =
        "The METERS BETWEEN NORTH/SOUTH GRID MARKS does not yield an integral number of "
        "divisions along the axis.";
    const std::string lonRemainder =
        "The METERS BETWEEN EAST/WEST GRID MARKS does not yield an integral number of "
        "divisions along the axis.";
    const std::string southOfSouth = "The NORTHERN BOUNDARY is south of the SOUTHERN BOUNDARY.";
    const std::string westOfWest = "The EASTERN BOUNDARY is west of the WESTERN BOUNDARY.";
    // clang-format off
    const RejectCase cases[] = {
        {"1: zero north/south spacing", {{7, "00000000"}}, latZero,
         {"focus UtmCoords.UtmLatGrid"}, latGrid},
        {"1: a text without a number", {{7, "none"}, {10, ""}}, latZero,
         {"focus UtmCoords.UtmLatGrid"}, latGrid},
        {"2: zero east/west spacing before a reversed pair of northings",
         {{10, "0000000"}, {5, "05600000"}, {6, "06200000"}}, lonZero,
         {"focus UtmCoords.UtmLonGrid"}, lonGrid},
        {"3: spacing not dividing the northings, before their reversed order",
         {{7, "00070000"}, {5, "05600000"}, {6, "06200000"}}, latRemainder,
         {"focus UtmCoords.UtmLatGrid"}, latGrid},
        {"3: before the east/west checks", {{7, "00070000"}, {10, "0070000"}}, latRemainder,
         {"focus UtmCoords.UtmLatGrid"}, latGrid},
        {"4: north south of south", {{5, "05600000"}, {6, "06200000"}}, southOfSouth,
         {"focus UtmCoords.UtmLatN"}, northSouth},
        {"4: before the east/west checks",
         {{5, "05600000"}, {6, "06200000"}, {10, "0070000"}}, southOfSouth,
         {"focus UtmCoords.UtmLatN"}, northSouth},
        {"5: north equals south", {{5, "05600000"}}, "The NORTHERN and SOUTHERN BOUNDARIES are equal.",
         {"focus UtmCoords.UtmLatN"}, northSouth},
        {"6: spacing not dividing the eastings", {{10, "0070000"}, {9, "0200000"}}, lonRemainder,
         {"focus UtmCoords.UtmLonGrid"}, lonGrid},
        {"7: east west of west", {{9, "0200000"}}, westOfWest, {"focus UtmCoords.UtmLonW"},
         westEast},
        {"8: east equals west", {{9, "0300000"}}, "The EASTERN and WESTERN BOUNDARIES are equal.",
         {"focus UtmCoords.UtmLonW"}, westEast},
    };
    // clang-format on
    auto& d = Design();
    const UtmTexts startUp = d.UtmText;
    for (const auto& c : cases) {
        for (const MsgAnswer answer : {MsgAnswer::Retry, MsgAnswer::Cancel}) {
            SCOPED_TRACE(std::string(c.name) + (answer == MsgAnswer::Retry ? ", Retry" : ", Cancel"));
            d.UtmText = startUp;
            boxes.log.clear();
            boxes.answers = {answer};
            dialog.log.clear();
            Enter(c.edits);
            ASSERT_EQ(boxes.log.size(), 1u);
            EXPECT_EQ(boxes.log[0].title, "Error: UTM projection");
            EXPECT_EQ(boxes.log[0].text, c.message);
            EXPECT_EQ(boxes.log[0].buttons, MsgButtons::RetryCancel);
            EXPECT_EQ(boxes.log[0].icon, MsgIcon::Exclamation);
            EXPECT_EQ(dialog.log, answer == MsgAnswer::Retry ? c.onRetry : c.onCancel);
            EXPECT_TRUE(d.CalcError);
            d.CalcError = false;
        }
    }
}

// A rejected, then cancelled dialog leaves every field as the last accepted
// computation left it, whatever the check.
TEST_F(UtmGridTest, ARejectionLeavesTheStateExactlyAsItWas) {
    const TextEdits rejected[] = {
        {{10, "0000000"}, {5, "09000000"}, {8, "0100000"}}, {{7, "00070000"}, {6, "04000000"}, {9, "0900000"}},
        {{5, "04000000"}, {6, "04500000"}, {8, "0200000"}}, {{10, "0070000"}, {9, "0600000"}, {5, "07000000"}},
        {{8, "0700000"}, {9, "0700000"}, {5, "06500000"}},
    };
    auto& d = Design();
    // The last accepted computation: a grid of its own.
    Enter({{5, "05000000"}, {6, "04000000"}, {7, "00250000"}, {8, "0200000"}, {9, "0600000"}, {10, "0050000"}});
    ASSERT_FALSE(d.CalcError);
    for (const auto& edits : rejected) {
        SCOPED_TRACE(edits.front().second);
        boxes.answers = {MsgAnswer::Cancel};
        const DesignState before = d;
        Enter(edits);
        ASSERT_TRUE(d.CalcError);
        // The dialog's Cancel puts the texts back as they were.
        d.UtmText = before.UtmText;
        d.CalcError = false;
        ExpectSameGrid(before, d);
    }
}

TEST_F(UtmGridTest, ClearsALeftoverCalcErrorBeforeAcceptingValidTexts) {
    auto& d = Design();
    d.CalcError = true;  // left by the last projected point of a drawing
    Enter({{5, "06300000"}});
    EXPECT_FALSE(d.CalcError);
    EXPECT_TRUE(boxes.log.empty());
    EXPECT_EQ(d.NumLatDivisions, 7);
}

// A number or a range beyond a 32-bit Long.
TEST_F(UtmGridTest, AnOverflowShowsItsErrorBoxAndKeepsTheDialogOpen) {
    const TextEdits cases[] = {
        {{5, "99999999999"}},
        {{5, "2000000000"}, {6, "-2000000000"}, {7, "4"}},
        {{9, "2147483647"}, {8, "-1"}, {10, "1"}},
    };
    auto& d = Design();
    CalcUtmGrid(kSaved);
    const DesignState before = d;
    for (const auto& edits : cases) {
        SCOPED_TRACE(edits.front().second);
        boxes.log.clear();
        Enter(edits);
        ASSERT_EQ(boxes.log.size(), 1u);
        EXPECT_EQ(boxes.log[0].text, "Error: Overflow");
        EXPECT_EQ(boxes.log[0].title, "Error in CalcUtmGrid");
        EXPECT_EQ(boxes.log[0].buttons, MsgButtons::Ok);
        EXPECT_EQ(boxes.log[0].icon, MsgIcon::Exclamation);
        EXPECT_TRUE(dialog.log.empty());
        EXPECT_TRUE(d.CalcError);
        d.UtmText = before.UtmText;
        ExpectSameGrid(before, d);
    }
}

}  // namespace
}  // namespace tlrx
