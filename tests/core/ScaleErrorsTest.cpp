#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <iterator>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "core/AngleText.h"
#include "core/DesignState.h"
#include "core/ProjParams.h"
#include "core/Projection.h"
#include "core/ScaleErrors.h"
#include "core/Utm.h"
#include "platform/MessageBox.h"
#include "support/ReferenceTable.h"
#include "support/ScriptedMessageBox.h"

namespace tlrx {
namespace {

// Sizes the lists as the report does before its first row: rows 0..14 and
// notes 0..2, all empty.
void SizeRows() {
    auto& d = Design();
    for (auto* list :
         {&d.ScaleErrLatText, &d.ScaleErrLonText, &d.ScaleErrMeridian, &d.ScaleErrParallel, &d.ScaleErrArea})
        list->assign(15, "");
    d.ScaleErrNote.assign(3, "");
}

class ScaleErrorsTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetDesignState();
        SizeRows();
    }
    // Computes row `row` at (lat, lon).
    void Row(int row, double lat, double lon) {
        auto& d = Design();
        d.ScaleErrRow = static_cast<int16_t>(row);
        d.ScaleErrLat = lat;
        d.ScaleErrLon = lon;
        DistErrSelect();
    }
    ScopedScriptedMessageBox boxes;
};

// The three scale texts of a row.
struct Texts {
    std::string h, k, area;
    bool operator==(const Texts&) const = default;
};
std::ostream& operator<<(std::ostream& os, const Texts& t) {
    return os << '"' << t.h << "\", \"" << t.k << "\", \"" << t.area << '"';
}
Texts RowTexts(int row) {
    const auto& d = Design();
    return {d.ScaleErrMeridian[row], d.ScaleErrParallel[row], d.ScaleErrArea[row]};
}

// ---- Designs ----

void SetMercator(double north, double south) {
    auto& d = Design();
    d.ProjCode = ProjMercator;
    d.LatNorth = north;
    d.LatSouth = south;
}

// A world map (codes 12, 16, 41) from `west` over `range` degrees.
void SetWorld(int16_t code, double west, double range) {
    auto& d = Design();
    d.ProjCode = code;
    d.FrameWest = 0;
    d.FrameEast = range;
    d.CentralMeridian = range / 2;
    d.LonWest = west;
    d.LonEast = west + range > 180 ? west + range - 360 : west + range;
    d.CentLon = west + range / 2 > 180 ? d.LonEast - range / 2 : west + range / 2;
}

// A conic map with its constants from the projection set-up.
void SetConic(int16_t code, double stdNorth, double stdSouth, double centLat) {
    auto& d = Design();
    d.ProjCode = code;
    d.StdParNorth = stdNorth;
    d.StdParSouth = stdSouth;
    d.CentLat = centLat;
    d.LatNorth = std::max(stdNorth, stdSouth) + 10;
    d.LatSouth = std::min(stdNorth, stdSouth) - 10;
    d.FrameWest = 0;
    d.FrameEast = 60;
    d.CentralMeridian = 30;
    ParamSelect();
}

void SetAzimuthal(int16_t code, double centLat, double centLon, double heightKm = 35840) {
    auto& d = Design();
    d.ProjCode = code;
    d.CentLat = centLat;
    d.CentLon = centLon;
    d.SinCentLat = std::sin(centLat * d.DegToRad);
    d.CosCentLat = std::cos(centLat * d.DegToRad);
    d.VpP = heightKm / 6371 + 1;
}

// ---- The PROJ reference table (fixtures/scale_proj_factors.txt) ----

struct RefPoint {
    double lat, lon, h, k, s;
};

struct RefMap {
    std::string header, cmd;
    int code = 0;
    double north = 0, south = 0, west = 0, range = 360, centLat = 0, centLon = 0;
    double height = 0, stdN = 0, stdS = 0;
    std::vector<RefPoint> points;
};

std::vector<RefMap> LoadProjTable() {
    std::vector<RefMap> maps;
    for (const test::TableGroup& g :
         test::ReadTableGroups(TLRX_TEST_DATA_DIR "/fixtures/scale_proj_factors.txt", "map")) {
        RefMap m;
        m.header = g.header;
        m.cmd = g.cmd;
        m.code = g.code;
        if (g.Has("stdpar")) std::tie(m.stdN, m.stdS) = g.ParamPair("stdpar");
        m.north = g.Param("north", m.north);
        m.south = g.Param("south", m.south);
        m.west = g.Param("west", m.west);
        m.range = g.Param("range", m.range);
        m.centLat = g.Param("centlat", m.centLat);
        m.centLon = g.Param("centlon", m.centLon);
        m.height = g.Param("height", m.height);
        for (const test::TableRow& r : g.rows) {
            RefPoint p{};
            double* const fields[] = {&p.lat, &p.lon, &p.h, &p.k, &p.s};
            for (size_t i = 0; i < std::size(fields); ++i) *fields[i] = test::Number(r.at(i));
            m.points.push_back(p);
        }
        maps.push_back(m);
    }
    return maps;
}

void SetUpMap(const RefMap& m) {
    auto& d = Design();
    const auto code = static_cast<int16_t>(m.code);
    switch (code) {
    case ProjMercator: SetMercator(m.north, m.south); break;
    case ProjEquirectangular:
    case ProjCylEqualArea:
        d.ProjCode = code;
        d.StdParNorth = m.stdN;
        d.StdParSouth = m.stdS;
        break;
    case ProjHammer:
    case ProjMollweide: SetWorld(code, m.west, m.range); break;
    case ProjEquidistantConic:
    case ProjConformalConic:
    case ProjAlbers: SetConic(code, m.stdN, m.stdS, m.centLat); break;
    default: SetAzimuthal(code, m.centLat, m.centLon, m.height); break;
    }
}

// h, k and the area scale of every projection with a PROJ counterpart, on
// the unit sphere: Mercator relative to its boundary parallel nearest the
// equator (PROJ's +lat_ts), the azimuthals along the central meridian and
// beyond the pole. PROJ prints 8 decimals from numerical derivatives, which
// lose a few more digits far from the centre (its equal-area scale there is
// 0.9999996); the texts show 5 digits.
TEST_F(ScaleErrorsTest, MatchesProjOnTheUnitSphere) {
    const auto maps = LoadProjTable();
    ASSERT_GT(maps.size(), 30u);
    std::vector<int> codes;
    auto& d = Design();
    for (const auto& m : maps) {
        SCOPED_TRACE(m.header + "\n" + m.cmd);
        SetUpMap(m);
        if (codes.empty() || codes.back() != m.code) codes.push_back(m.code);
        for (const auto& p : m.points) {
            SCOPED_TRACE(testing::Message() << "lat " << p.lat << " lon " << p.lon);
            d.ScaleErrLat = p.lat;
            d.ScaleErrLon = p.lon;
            const std::optional<ScaleFactors> f = ScaleFactorsAt();
            ASSERT_TRUE(f);
            ASSERT_TRUE(f->meridian.fixed.empty() && f->parallel.fixed.empty() && f->area.fixed.empty());
            const auto tol = [](double ref) { return 1e-6 * std::max(1.0, std::fabs(ref)); };
            EXPECT_NEAR(f->meridian.number, p.h, tol(p.h));
            EXPECT_NEAR(f->parallel.number, p.k, tol(p.k));
            EXPECT_NEAR(f->area.number, p.s, tol(p.s));
        }
    }
    EXPECT_EQ(codes, (std::vector<int>{1, 2, 40, 12, 41, 6, 7, 8, 26, 27, 28, 29, 30, 31}));
    EXPECT_TRUE(boxes.log.empty());
}

// ---- UTM against GeographicLib (fixtures/scale_utm_factors.txt) ----

// The point scale of a UTM design at its mean northing, from the closed form
// of the transverse Mercator series, against the exact projection: within
// the terms of fourth order in the easting the series leaves out.
TEST_F(ScaleErrorsTest, UtmScaleMatchesGeographicLib) {
    auto& d = Design();
    int rows = 0;
    for (const test::TableRow& f : test::ReadTableRows(TLRX_TEST_DATA_DIR "/fixtures/scale_utm_factors.txt", '|')) {
        ASSERT_EQ(f.size(), 7u);
        SCOPED_TRACE(f[0] + "|" + f[1] + "|" + f[2] + "|" + f[3] + "|" + f[4] + "|" + f[5] + "|" + f[6]);
        const double lat0 = std::stod(f[2]), northing = std::stod(f[4]);
        const double easting = std::stod(f[5]), ref = std::stod(f[6]);
        d.ProjCode = ProjUtm;
        d.UtmSpheroidName = f[0];
        std::string lat0Text;
        DegMinSec(lat0, lat0Text, "LAT", 4);
        d.UtmText[1] = lat0Text;
        d.UtmText[3] = f[3];
        d.UtmText[4] = f[1];
        CalcUtmZone();
        ASSERT_DOUBLE_EQ(d.CentLat, lat0);
        // The report's sample latitude for a grid around the northing.
        d.LatNorth = northing + 100000;
        d.LatSouth = northing - 100000;
        d.ScaleErrLat =
            d.CentLat * d.DegToRad + ((d.LatNorth + d.LatSouth) / 2 - d.UtmFalseNorthing) / d.UtmSemiMajorAxis;
        d.ScaleErrLon = easting;
        const std::optional<ScaleFactors> k = ScaleFactorsAt();
        ASSERT_TRUE(k);
        EXPECT_NEAR(k->parallel.number, ref, 5e-7);
        EXPECT_EQ(k->meridian.number, k->parallel.number);
        EXPECT_DOUBLE_EQ(k->area.number, k->parallel.number * k->parallel.number);
        ++rows;
    }
    EXPECT_GT(rows, 20);
    EXPECT_TRUE(boxes.log.empty());
}

// ---- Robinson against numerical derivatives of the projection ----

struct Numerical {
    double h, k, area;
};

// h, k and the area scale of the forward projection by central differences
// (latitude step 1e-5 degrees). On the equator, where the meridians bend,
// the meridian scale is taken from the northern side.
Numerical RobinsonByDifferences(double lat, double frameLon) {
    auto& d = Design();
    const auto at = [&](double la, double lo) {
        d.ProjInLat = la;
        d.ProjInLon = lo;
        ProjectSelect();
        return std::pair{d.ProjOutX, d.ProjOutY};
    };
    constexpr double step = 1e-5;
    const double radStep = step * d.DegToRad;
    const auto [xn, yn] = at(lat + step, frameLon);
    const auto [xs, ys] = at(lat - step, frameLon);
    const auto [x0, y0] = at(lat, frameLon);
    const auto [xe, ye] = at(lat, frameLon + step);
    const auto [xw, yw] = at(lat, frameLon - step);
    const double xPhi = (xn - xs) / (2 * radStep), yPhi = (yn - ys) / (2 * radStep);
    const double xLam = (xe - xw) / (2 * radStep), yLam = (ye - yw) / (2 * radStep);
    const double cosPhi = std::cos(lat * d.DegToRad);
    Numerical n{};
    n.h = std::hypot(xPhi, yPhi);
    if (lat == 0) n.h = std::hypot((xn - x0) / radStep, (yn - y0) / radStep);
    n.k = std::hypot(xLam, yLam) / cosPhi;
    n.area = std::fabs(xLam * yPhi - xPhi * yLam) / cosPhi;
    return n;
}

TEST_F(ScaleErrorsTest, RobinsonFollowsTheDerivativesOfItsPolynomials) {
    auto& d = Design();
    SetWorld(ProjRobinson, -180, 360);
    for (const double lat : {0.0, 10.0, 37.8333, -45.0, 60.0, -75.0, 89.5}) {
        for (const double frameLon : {180.0, 240.0, 360.0, 0.0, 100.0}) {
            SCOPED_TRACE(testing::Message() << "lat " << lat << " lon " << frameLon);
            const Numerical n = RobinsonByDifferences(lat, frameLon);
            d.ScaleErrLat = lat;
            d.ScaleErrLon = frameLon;
            const std::optional<ScaleFactors> f = ScaleFactorsAt();
            ASSERT_TRUE(f);
            const auto tol = [](double v) { return 1e-7 * std::max(1.0, v); };
            EXPECT_NEAR(f->meridian.number, n.h, tol(n.h));
            EXPECT_NEAR(f->parallel.number, n.k, tol(n.k));
            EXPECT_NEAR(f->area.number, n.area, tol(n.area));
        }
    }
}

// ---- The worked examples and the singular rows ----

struct RowCase {
    const char* name;
    void (*setUp)();
    double lat, lon;
    Texts expected;
};

TEST_F(ScaleErrorsTest, WritesTheScaleTextsOfEachProjection) {
    // clang-format off
    const RowCase cases[] = {
        {"Mercator 20N-60N, at 20N", [] { SetMercator(60, 20); }, 20, 0,
         {"1.0000E+00", "1.0000E+00", "1.0000E+00"}},
        {"Mercator 20N-60N, at 60N", [] { SetMercator(60, 20); }, 60, 0,
         {"1.8794E+00", "1.8794E+00", "3.5321E+00"}},
        {"Mercator 60S-20S, at 60S", [] { SetMercator(-20, -60); }, -60, 0,
         {"1.8794E+00", "1.8794E+00", "3.5321E+00"}},
        {"Mercator across the equator", [] { SetMercator(70, -10); }, 60, 0,
         {"2.0000E+00", "2.0000E+00", "4.0000E+00"}},
        {"Mercator touching the equator", [] { SetMercator(0, -70); }, -60, 0,
         {"2.0000E+00", "2.0000E+00", "4.0000E+00"}},
        {"equirectangular near a pole",
         [] { Design().ProjCode = ProjEquirectangular; Design().StdParNorth = 45; }, 89.5, 0,
         {"1.0000E+00", "8.1029E+01", "8.1029E+01"}},
        {"equirectangular at the North Pole",
         [] { Design().ProjCode = ProjEquirectangular; Design().StdParNorth = 45; }, 90, 0,
         {"1.0000E+00", "Infinite", "Infinite"}},
        {"equirectangular at the South Pole",
         [] { Design().ProjCode = ProjEquirectangular; Design().StdParNorth = 45; }, -90, 0,
         {"1.0000E+00", "Infinite", "Infinite"}},
        {"cylindrical equal-area near a pole",
         [] { Design().ProjCode = ProjCylEqualArea; Design().StdParNorth = 30; }, -89.5, 0,
         {"1.0077E-02", "9.9240E+01", "1.0000E+00"}},
        {"cylindrical equal-area at a pole",
         [] { Design().ProjCode = ProjCylEqualArea; Design().StdParNorth = 30; }, -90, 0,
         {"0.0000E+00", "Infinite", "Infinite"}},
        {"equidistant conic at a pole", [] { SetConic(ProjEquidistantConic, 60, 20, 40); }, 90, 0,
         {"1.0000E+00", "Infinite", "Infinite"}},
        {"conformal conic at the apex", [] { SetConic(ProjConformalConic, 60, 20, 40); }, 90, 0,
         {"Infinite", "Infinite", "Infinite"}},
        {"conformal conic at the far pole", [] { SetConic(ProjConformalConic, 60, 20, 40); },
         -90, 0, {"Infinite", "Infinite", "Infinite"}},
        {"Albers at a pole", [] { SetConic(ProjAlbers, -20, -60, -40); }, -90, 0,
         {"0.0000E+00", "Infinite", "Infinite"}},
        {"Mollweide at 40 44 N on the central meridian",
         [] { SetWorld(ProjMollweide, -180, 360); }, 40 + 44 / 60.0, 180,
         {"1.0000E+00", "9.9998E-01", "1.0000E+00"}},
        {"Mollweide at the North Pole", [] { SetWorld(ProjMollweide, -180, 360); }, 90, 300,
         {"Infinite", "Infinite", "1.0000E+00"}},
        {"Mollweide within the polar limit", [] { SetWorld(ProjMollweide, -180, 360); },
         -89.99994, 0, {"Infinite", "Infinite", "1.0000E+00"}},
        {"Mollweide at the pole on the central meridian",
         [] { SetWorld(ProjMollweide, -180, 360); }, -90, 180,
         {"0.0000E+00", "Infinite", "1.0000E+00"}},
        {"Hammer at the centre", [] { SetWorld(ProjHammer, -180, 360); }, 0, 180,
         {"1.0000E+00", "1.0000E+00", "1.0000E+00"}},
        {"Hammer at the pole on the eastern edge", [] { SetWorld(ProjHammer, -180, 360); }, 90,
         360, {"2.8284E+00", "3.5355E-01", "1.0000E+00"}},  // PROJ at 89.99999 N 180 E
        {"Robinson at the pole", [] { SetWorld(ProjRobinson, -180, 360); }, 90, 360,
         {"1.2385E+00", "Infinite", "Infinite"}},
        {"UTM on the central meridian", [] { Design().ProjCode = ProjUtm; CalcUtmZone(); }, 0.7,
         0, {"9.9960E-01", "9.9960E-01", "9.9920E-01"}},
        {"gnomonic 30 degrees from the centre", [] { SetAzimuthal(ProjGnomonic, 40, 10); }, 70,
         10, {"1.3333E+00", "1.1547E+00", "1.5396E+00"}},
        {"azimuthal equidistant at the antipode", [] { SetAzimuthal(ProjAzEquidistant, 0, 10); },
         0, -170, {"1.0000E+00", "Infinite", "Infinite"}},
        {"azimuthal equidistant 90 degrees off", [] { SetAzimuthal(ProjAzEquidistant, -30, 10); },
         60, 10, {"1.0000E+00", "1.5708E+00", "1.5708E+00"}},
        {"azimuthal equal-area at the antipode", [] { SetAzimuthal(ProjAzEqualArea, 90, 0); },
         -90, 0, {"0.0000E+00", "Infinite", "Infinite"}},
    };
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ResetDesignState();
        SizeRows();
        c.setUp();
        Row(3, c.lat, c.lon);
        EXPECT_EQ(RowTexts(3), c.expected);
        EXPECT_TRUE(boxes.log.empty());
    }
}

TEST_F(ScaleErrorsTest, EveryAzimuthalIsTrueAtItsCentre) {
    for (int16_t code = ProjGnomonic; code <= ProjAzEqualArea; ++code) {
        for (const double centLat : {40.0, -90.0, 0.0}) {
            SCOPED_TRACE(testing::Message() << "code " << code << " centre " << centLat);
            SetAzimuthal(code, centLat, -122.5);
            Row(1, centLat, -122.5);
            EXPECT_EQ(RowTexts(1), (Texts{"1.0000E+00", "1.0000E+00", "1.0000E+00"}));
        }
    }
    EXPECT_TRUE(boxes.log.empty());
}

TEST_F(ScaleErrorsTest, WritesTheNotesOfEachProjection) {
    struct NoteCase {
        int16_t code;
        const char* first;
        const char* second;  // nullptr: element 2 is not written
    };
    const NoteCase cases[] = {
        {ProjMercator, "Latitude and longitude scales are equal at any point on the projection.",
         "The scale is symmetrical about the equator."},
        {ProjEquirectangular, "The scale is true along all meridians and along the two standard parallels;",
         "and is symmetrical about the equator."},
        {ProjCylEqualArea, "The scale is only true along the two standard parallels; and is symmetrical",
         "about the equator."},
        {ProjHammer, "The scale is only true at the intersection of the equator and the", "central meridian."},
        {ProjMollweide,
         "The scale is true along latitudes 40\xC2\xB0"
         "44' North and South.  The scale is constant",
         "along parallels, and symmetrical about the equator and the central meridian."},
        {ProjRobinson,
         "The scale is true along latitudes 37\xC2\xB0"
         "50' North and South.",
         nullptr},
        {ProjUtm, "Northing and easting scales are equal at any point on the projection.",
         "The scale is symmetrical about the equator and the central meridian."},
        {ProjEquidistantConic, "The scale is true along all meridians and along the two standard parallels.", nullptr},
        {ProjConformalConic, "The scale is only true along the two standard parallels.  The scale is equal",
         "in all directions at any point on the projection."},
        {ProjAlbers, "The scale is true along standard parallels.  At any point, the scale along a",
         "meridian is the reciprocal of the scale on the parallel through that point."},
        {ProjGnomonic, "The scale is only true at the central point of the projection.", nullptr},
        {ProjStereographic, "The scale is constant along any circle centered on the central point.", nullptr},
        {ProjOrthographic, "The scale is only true at the central point of the projection.", nullptr},
        {ProjVerticalPerspective, "The scale is only true at the central point of the projection.", nullptr},
        {ProjAzEquidistant, "The scale is only true at the central point of the projection.", nullptr},
        {ProjAzEqualArea, "The scale is only true at the central point of the projection.", nullptr},
    };
    auto& d = Design();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.code);
        ResetDesignState();
        SizeRows();
        d.ProjCode = c.code;
        if (c.code == ProjUtm) CalcUtmZone();
        if (c.code >= ProjEquidistantConic && c.code <= ProjAlbers) SetConic(c.code, 60, 20, 40);
        if (c.code >= ProjGnomonic && c.code <= ProjAzEqualArea) SetAzimuthal(c.code, 40, 0);
        d.ScaleErrNote[2] = "kept";
        Row(1, 40, 0);
        EXPECT_TRUE(boxes.log.empty());
        EXPECT_EQ(d.ScaleErrNote[0], "");
        EXPECT_EQ(d.ScaleErrNote[1], c.first);
        EXPECT_EQ(d.ScaleErrNote[2], c.second ? c.second : "kept");
    }
}

TEST_F(ScaleErrorsTest, TheInterruptedMollweideWritesNothing) {
    auto& d = Design();
    SetWorld(ProjInterruptedMollweide, -180, 360);
    d.ScaleErrNote = {"a", "b", "c"};
    d.ScaleErrMeridian[2] = "m";
    const DesignState before = d;
    Row(2, 30, 100);
    EXPECT_EQ(d.ScaleErrNote, before.ScaleErrNote);
    EXPECT_EQ(d.ScaleErrMeridian, before.ScaleErrMeridian);
    EXPECT_EQ(d.ScaleErrParallel, before.ScaleErrParallel);
    EXPECT_EQ(d.ScaleErrLatText, before.ScaleErrLatText);
    EXPECT_EQ(d.ScaleErrLonText, before.ScaleErrLonText);
    EXPECT_TRUE(boxes.log.empty());
}

// ---- Position texts ----

TEST_F(ScaleErrorsTest, WritesThePointAsDisplayTexts) {
    auto& d = Design();
    SetConic(ProjConformalConic, 60, 20, 40);
    Row(4, 37.7833, -122.4333);
    EXPECT_EQ(d.ScaleErrLatText[4], "37 47 00 N");
    EXPECT_EQ(d.ScaleErrLonText[4], "122 26 00 W");
    SetAzimuthal(ProjStereographic, -33.9, 151.2);
    Row(5, -50, 151.2 - 180);
    EXPECT_EQ(d.ScaleErrLatText[5], "50 00 00 S");
    EXPECT_EQ(d.ScaleErrLonText[5], "028 48 00 W");
}

TEST_F(ScaleErrorsTest, WorldMapsNameTheirLongitudesByRow) {
    auto& d = Design();
    struct Map {
        double west, range;
        const char* halfway;
    };
    // Halfway between the central meridian and the eastern boundary; for the
    // second map the sum passes 180 and is counted back from the east.
    for (const Map m : {Map{-180, 360, "090 00 00 E"}, Map{100, 120, "170 00 00 W"}}) {
        for (const int16_t code : {ProjHammer, ProjRobinson, ProjMollweide}) {
            SCOPED_TRACE(testing::Message() << "code " << code << " west " << m.west);
            SetWorld(code, m.west, m.range);
            d.LonEastText = "east";
            d.CentLonText = "centre";
            for (int row = 1; row <= 14; ++row) Row(row, 10, d.CentralMeridian);
            for (int row = 1; row <= 14; ++row) {
                SCOPED_TRACE(row);
                const char* expected = row <= 4 ? "east" : row >= 9 && row <= 12 ? "centre" : m.halfway;
                EXPECT_EQ(d.ScaleErrLonText[row], expected);
                EXPECT_EQ(d.ScaleErrLatText[row], "10 00 00 N");
            }
        }
    }
    EXPECT_TRUE(boxes.log.empty());
}

TEST_F(ScaleErrorsTest, UtmRowsShowTheMeanNorthingAndTheEasting) {
    auto& d = Design();
    d.ProjCode = ProjUtm;
    CalcUtmZone();
    struct Case {
        int32_t north, south;
        double easting;
        const char* latText;
        const char* lonText;
    };
    const Case cases[] = {
        {4600000, 4400000, 0, "04,500,000", "0,500,000"},
        {5600001, 5600000, -200000.5, "05,600,000", "0,300,000"},  // truncated; half to even
        {123456789, 123456789, 1500000, "123,456,789", "2,000,000"},
        {100, 0, -500000, "00,000,050", "0,000,000"},
        {-4000000, -5000001, -600000, "-04,500,000", "-0,100,000"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.latText);
        d.LatNorthSec = c.north;
        d.LatSouthSec = c.south;
        Row(6, 0.5, c.easting);
        EXPECT_EQ(d.ScaleErrLatText[6], c.latText);
        EXPECT_EQ(d.ScaleErrLonText[6], c.lonText);
    }
    EXPECT_TRUE(boxes.log.empty());
}

// ---- Failures ----

TEST_F(ScaleErrorsTest, ARowOutsideTheListsFailsAfterTheNotes) {
    auto& d = Design();
    SetMercator(60, 20);
    Row(15, 40, 0);
    ASSERT_EQ(boxes.log.size(), 1u);
    EXPECT_EQ(boxes.log[0].text, "Error: Subscript out of range");
    EXPECT_EQ(boxes.log[0].title, "Error in DistErrSelect");
    EXPECT_EQ(boxes.log[0].buttons, MsgButtons::Ok);
    EXPECT_EQ(boxes.log[0].icon, MsgIcon::Exclamation);
    EXPECT_EQ(d.ScaleErrNote[2], "The scale is symmetrical about the equator.");
    EXPECT_EQ(d.ScaleErrMeridian.size(), 15u);

    // Lists the report has not sized: the notes already fail.
    d.ScaleErrNote.clear();
    Row(1, 40, 0);
    ASSERT_EQ(boxes.log.size(), 2u);
    EXPECT_EQ(boxes.log[1].text, "Error: Subscript out of range");
    EXPECT_EQ(d.ScaleErrMeridian[1], "");
}

TEST_F(ScaleErrorsTest, AnArithmeticFailureKeepsTheRowAndTheLaterRowsGoOn) {
    auto& d = Design();
    struct Case {
        const char* name;
        void (*setUp)();
        double lat, lon;
        const char* text;
    };
    const Case cases[] = {
        {"equidistant conic with symmetric parallels",
         [] {
             SetConic(ProjEquidistantConic, 60, 20, 40);
             Design().StdParSouth = -60;
             Design().ConicG = 123;
         },
         30, 0, "Error: Division by zero"},
        {"Albers outside its cone",
         [] {
             SetConic(ProjAlbers, 60, 20, 40);
             Design().ConicC = -1;
         },
         30, 0, "Error: Invalid procedure call or argument"},
        {"UTM without a scale factor",
         [] {
             Design().ProjCode = ProjUtm;
             CalcUtmZone();
             Design().UtmScaleFactor = 0;
         },
         0.5, 1000, "Error: Division by zero"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ResetDesignState();
        SizeRows();
        boxes.log.clear();
        c.setUp();
        d.ScaleErrMeridian[7] = "old";
        const double conicG = d.ConicG;
        Row(7, c.lat, c.lon);
        ASSERT_EQ(boxes.log.size(), 1u);
        EXPECT_EQ(boxes.log[0].text, c.text);
        EXPECT_EQ(boxes.log[0].title, "Error in DistErrSelect");
        EXPECT_EQ(d.ScaleErrMeridian[7], "old");
        EXPECT_EQ(d.ScaleErrLatText[7], "");
        EXPECT_FALSE(d.ScaleErrNote[1].empty());  // written before the failure
        EXPECT_EQ(d.ConicG, conicG);
    }
    // The next row of the report is computed as usual.
    SetMercator(60, 20);
    Row(8, 20, 0);
    EXPECT_EQ(d.ScaleErrMeridian[8], "1.0000E+00");
}

TEST_F(ScaleErrorsTest, TheEquidistantConicStoresItsG) {
    auto& d = Design();
    SetConic(ProjEquidistantConic, 70, 30, 50);
    const double fromSetUp = d.ConicG;
    d.ConicG = 0;
    Row(1, 50, 0);
    EXPECT_DOUBLE_EQ(d.ConicG, fromSetUp);
    const double c1 = std::cos(70 * d.DegToRad), c2 = std::cos(30 * d.DegToRad);
    EXPECT_DOUBLE_EQ(d.ConicG, (70 * c2 - 30 * c1) / (c2 - c1));
}

// Latitudes just below the polar limit, where the Newton steps of the
// auxiliary angle can alternate above their tolerance: every row ends, with
// the area scale of an equal-area projection.
TEST_F(ScaleErrorsTest, TheMollweideIterationEndsNearThePoles) {
    auto& d = Design();
    SetWorld(ProjMollweide, -180, 360);
    for (int i = 0; i <= 20000; ++i) {
        const double lat = 89.9 + i * (89.99994 - 89.9) / 20000 - 1e-12;
        for (const double sign : {1.0, -1.0}) {
            d.ScaleErrLat = sign * lat;
            d.ScaleErrLon = 300;
            const std::optional<ScaleFactors> f = ScaleFactorsAt();
            ASSERT_TRUE(f);
            ASSERT_TRUE(f->area.fixed.empty()) << lat;
            ASSERT_NEAR(f->area.number, 1, 1e-3) << lat;
        }
    }
    EXPECT_TRUE(boxes.log.empty());
}

}  // namespace
}  // namespace tlrx
