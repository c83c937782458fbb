#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "core/AngleText.h"
#include "core/DesignState.h"
#include "core/Utm.h"
#include "core/projections/UtmPlane.h"
#include "platform/MessageBox.h"
#include "support/ScriptedMessageBox.h"

namespace tlrx {
namespace {

struct GeodesicRow {
    double a, invF, lat, distance;
    std::string name;
};

// The meridian distances of utm_meridian_distance.txt (GeodSolve; the script
// beside it regenerates them).
std::vector<GeodesicRow> MeridianDistanceTable() {
    std::ifstream in(TLRX_TEST_DATA_DIR "/fixtures/utm_meridian_distance.txt");
    std::vector<GeodesicRow> rows;
    for (std::string line; std::getline(in, line);) {
        if (line.empty() || line[0] == '#') continue;
        std::istringstream fields(line);
        GeodesicRow r;
        fields >> r.a >> r.invF >> r.lat >> r.distance >> std::ws;
        std::getline(fields, r.name);
        rows.push_back(r);
    }
    return rows;
}

// The series drops the terms in e^8 and beyond, about a e^8 / 13 at worst:
// 1.02 mm near latitude 70.5 on Clarke 1880 (the most flattened of the nine),
// 0.96 mm on WGS84.
constexpr double kSeriesTolerance = 0.0015;  // metres

TEST(Utm, MeridianDistanceMatchesGeodesicsOnEverySpheroid) {
    const auto rows = MeridianDistanceTable();
    ASSERT_EQ(rows.size(), 90u);
    ScopedScriptedMessageBox boxes;
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name + " at " + std::to_string(r.lat));
        ResetDesignState();
        auto& d = Design();
        d.UtmSpheroidName = r.name;
        DegMinSec(r.lat, d.UtmText[1], "LAT", 4);
        CalcUtmZone();
        EXPECT_EQ(d.UtmSemiMajorAxis, r.a);
        EXPECT_EQ(d.UtmFlattening, 1 / r.invF);
        EXPECT_EQ(d.CentLat, r.lat);
        EXPECT_NEAR(d.UtmM0, r.distance, kSeriesTolerance);
        // Odd in the latitude.
        EXPECT_DOUBLE_EQ(UtmMeridianDistance(kUtmKernel.setup(d).utm, -r.lat * d.DegToRad), -d.UtmM0);
    }
    EXPECT_TRUE(boxes.log.empty());
}

TEST(Utm, WgsSpheroidGivesTheKnownEccentricities) {
    ResetDesignState();
    auto& d = Design();
    d.UtmSpheroidName = "WGS84 1984";
    CalcUtmZone();
    EXPECT_NEAR(d.UtmEccSq, 0.00669437999014, 1e-14);
    EXPECT_NEAR(d.UtmEccPrimeSq, 0.00673949674228, 1e-14);
    EXPECT_NEAR(d.UtmArcA0, 0.998324298, 1e-9);
    EXPECT_EQ(UtmMeridianDistance(kUtmKernel.setup(d).utm, 0), 0);
}

TEST(Utm, DefaultTextsGiveTheDefaultZone) {
    ResetDesignState();
    ScopedScriptedMessageBox boxes;
    auto& d = Design();
    CalcUtmZone();
    EXPECT_EQ(d.CentLonSec, -32400);
    EXPECT_EQ(d.CentralMeridian, -9);
    EXPECT_EQ(d.CentLon, -9);
    EXPECT_EQ(d.CentLonText, "009    00    00    W");
    EXPECT_EQ(d.CentLatSec, 0);
    EXPECT_EQ(d.CentLat, 0);
    EXPECT_EQ(d.CentLatText, "00    00    00    N");
    EXPECT_EQ(d.UtmSemiMajorAxis, 6378206.4);  // Clarke 1866
    EXPECT_EQ(d.UtmFalseEasting, 500000);
    EXPECT_EQ(d.UtmFalseNorthing, 0);
    EXPECT_EQ(d.UtmScaleFactor, 0.9996);
    EXPECT_EQ(d.UtmM0, 0);
    EXPECT_TRUE(boxes.log.empty());
}

struct CentreCase {
    const char* meridianText;
    const char* originText;
    int32_t lonSec, latSec;
    const char* lonText;  // as rewritten, dialog layout
    const char* latText;
};

TEST(Utm, CentreIsReadFromTheDialogTexts) {
    // clang-format off
    const CentreCase cases[] = {
        {"122    26    30    W", "49    00    00    N", -440790, 176400,
         "122    26    30    W", "49    00    00    N"},
        {"015    00    00    E", "33    52    30    S", 54000, -121950,
         "015    00    00    E", "33    52    30    S"},
        {"3", "4", 10800, 14400, "003    00    00    E", "04    00    00    N"},
        {"", "", 0, 0, "000    00    00    E", "00    00    00    N"},
        {"000    00    00    W", "00    00    00    S", 0, 0,  // minus zero is zero
         "000    00    00    E", "00    00    00    N"},
    };
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.meridianText) + " / " + c.originText);
        ResetDesignState();
        auto& d = Design();
        d.UtmText[0] = c.meridianText;
        d.UtmText[1] = c.originText;
        CalcUtmZone();
        EXPECT_EQ(d.CentLonSec, c.lonSec);
        EXPECT_DOUBLE_EQ(d.CentralMeridian, c.lonSec / 3600.0);
        EXPECT_EQ(d.CentLon, d.CentralMeridian);
        EXPECT_EQ(d.CentLonText, c.lonText);
        EXPECT_EQ(d.CentLatSec, c.latSec);
        EXPECT_DOUBLE_EQ(d.CentLat, c.latSec / 3600.0);
        EXPECT_EQ(d.CentLatText, c.latText);
        // M0 follows the sign of the latitude of origin.
        EXPECT_EQ(d.UtmM0 < 0, c.latSec < 0);
        EXPECT_EQ(d.UtmM0 == 0, c.latSec == 0);
    }
}

TEST(Utm, UnknownSpheroidKeepsAxisAndFlatteningButRecomputesTheRest) {
    ResetDesignState();
    ScopedScriptedMessageBox boxes;
    auto& d = Design();
    CalcUtmZone();                      // Clarke 1866
    d.UtmSpheroidName = "clarke 1866";  // names compare case-sensitively
    d.UtmSemiMajorAxis = 1000;
    d.UtmFlattening = 0;
    d.UtmText[1] = "30    00    00    N";
    CalcUtmZone();
    EXPECT_EQ(d.UtmSemiMajorAxis, 1000);
    EXPECT_EQ(d.UtmFlattening, 0);
    EXPECT_EQ(d.UtmEccSq, 0);
    EXPECT_EQ(d.UtmEccPrimeSq, 0);
    EXPECT_EQ(d.UtmArcA0, 1);
    EXPECT_EQ(d.UtmArcB1, 0);
    EXPECT_EQ(d.UtmArcB2, 0);
    EXPECT_EQ(d.UtmArcB3, 0);
    EXPECT_DOUBLE_EQ(d.UtmM0, 1000 * 30 * d.DegToRad);  // on a sphere: a times the arc
    EXPECT_TRUE(boxes.log.empty());
}

struct NumberCase {
    const char* text;
    double value;
};

TEST(Utm, FalseOriginAndScaleAreLeadingNumbers) {
    // clang-format off
    const NumberCase cases[] = {
        {"0500000", 500000}, {"00000000", 0}, {"0.9996", 0.9996}, {"1.", 1},
        {".5", 0.5},         {"-200.5m", -200.5}, {"+12", 12},    {"  42", 42},
        {"1.2.3", 1.2},      {"1e5", 1},          {"12 34", 12},  {"", 0},
        {"abc", 0},          {"-", 0},            {".", 0},       {"x12", 0},
    };
    // clang-format on
    ScopedScriptedMessageBox boxes;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        ResetDesignState();
        auto& d = Design();
        for (int i = 2; i <= 4; ++i) d.UtmText[static_cast<size_t>(i)] = c.text;
        CalcUtmZone();
        EXPECT_EQ(d.UtmFalseEasting, c.value);
        EXPECT_EQ(d.UtmFalseNorthing, c.value);
        EXPECT_EQ(d.UtmScaleFactor, c.value);
    }
    EXPECT_TRUE(boxes.log.empty());
}

TEST(Utm, OverflowShowsItsBoxAndKeepsWhatWasAlreadySet) {
    ResetDesignState();
    ScopedScriptedMessageBox boxes;
    auto& d = Design();
    d.UtmSpheroidName = "Airy 1830";
    d.UtmText[0] = "002    00    00    W";
    d.UtmText[3] = std::string(400, '9');  // beyond any double
    d.UtmText[4] = "0.9996012717";
    d.UtmFalseNorthing = -1;
    d.UtmScaleFactor = -1;
    d.UtmM0 = -1;
    CalcUtmZone();
    ASSERT_EQ(boxes.log.size(), 1u);
    EXPECT_EQ(boxes.log[0].text, "Error: Overflow");
    EXPECT_EQ(boxes.log[0].title, "Error in CalcUtmZone");
    EXPECT_EQ(boxes.log[0].icon, MsgIcon::Exclamation);
    // Set before the failure:
    EXPECT_EQ(d.CentralMeridian, -2);
    EXPECT_EQ(d.UtmSemiMajorAxis, 6377563.396);
    EXPECT_EQ(d.UtmFalseEasting, 500000);
    // Not reached:
    EXPECT_EQ(d.UtmFalseNorthing, -1);
    EXPECT_EQ(d.UtmScaleFactor, -1);
    EXPECT_EQ(d.UtmM0, -1);

    // A vanishingly small number is zero, not an error.
    d.UtmText[3] = "0." + std::string(400, '0') + "1";
    CalcUtmZone();
    EXPECT_EQ(boxes.log.size(), 1u);
    EXPECT_EQ(d.UtmFalseNorthing, 0);
    EXPECT_EQ(d.UtmScaleFactor, 0.9996012717);
}

}  // namespace
}  // namespace tlrx
