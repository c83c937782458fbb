#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <tuple>
#include <vector>

#include "core/DesignState.h"
#include "core/Graticule.h"
#include "core/Projection.h"
#include "core/ProjectionTable.h"
#include "core/projections/Azimuthal.h"
#include "platform/MessageBox.h"
#include "support/ReferenceTable.h"
#include "support/ScriptedMessageBox.h"

namespace tlrx {
namespace {

// Values ProjectSelect must leave alone when it does not project a point.
constexpr double kOldX = 777.25;
constexpr double kOldY = -555.5;

bool IsAzimuthal(int code) { return code >= ProjGnomonic && code <= ProjAzEqualArea; }

// ---- The PROJ reference table (fixtures/proj_forward.txt) ----

struct RefPoint {
    double lat, lon;  // degrees, frame degrees
    bool projected;
    double x, y;
};

struct RefMap {
    std::string header, cmd;
    int code = 0;
    double range = 360, stdN = 0, stdS = 0, centLat = 0, heightKm = 0, offset = 0;
    std::vector<RefPoint> points;
};

std::vector<RefMap> LoadProjTable() {
    std::vector<RefMap> maps;
    for (const test::TableGroup& g : test::ReadTableGroups(TLRX_TEST_DATA_DIR "/fixtures/proj_forward.txt", "map")) {
        RefMap m;
        m.header = g.header;
        m.cmd = g.cmd;
        m.code = g.code;
        m.range = g.Param("range", m.range);
        m.centLat = g.Param("centlat", m.centLat);
        m.heightKm = g.Param("height", m.heightKm);
        m.offset = g.Param("offset", m.offset);
        if (g.Has("stdpar")) std::tie(m.stdN, m.stdS) = g.ParamPair("stdpar");
        for (const test::TableRow& r : g.rows) {
            RefPoint p{};
            p.lat = test::Number(r.at(0));
            p.lon = test::Number(r.at(1));
            p.projected = r.at(2) != "*";
            if (p.projected) {
                p.x = test::Number(r.at(2));
                p.y = test::Number(r.at(3));
            }
            m.points.push_back(p);
        }
        maps.push_back(m);
    }
    return maps;
}

// The cone constants of the projection set-up for standard parallels n and s
// and central latitude c (degrees).
void SetConicConstants(int code, double n, double s, double c) {
    auto& d = Design();
    const double cosN = std::cos(n * d.DegToRad), cosS = std::cos(s * d.DegToRad);
    const double sinN = std::sin(n * d.DegToRad), sinS = std::sin(s * d.DegToRad);
    const auto tanHalf = [&](double lat) { return std::tan(d.PiOver4 + lat * d.HalfDegToRad); };
    if (code == ProjEquidistantConic) {
        d.ConicN = (cosS - cosN) / ((n - s) * d.DegToRad);
        d.ConicG = (n * cosS - s * cosN) / (cosS - cosN);
        d.ConicRho0 = (d.ConicG - c) * d.DegToRad;
    } else if (code == ProjConformalConic) {
        d.ConicN = std::log(cosS / cosN) / std::log(tanHalf(n) / tanHalf(s));
        d.ConicF = cosS * std::pow(tanHalf(s), d.ConicN) / d.ConicN;
        d.ConicRho0 = d.ConicF / std::pow(tanHalf(c), d.ConicN);
    } else {
        d.ConicN = (sinN + sinS) / 2;
        d.ConicC = cosS * cosS + 2 * d.ConicN * sinS;
        d.ConicRho0 = std::sqrt(d.ConicC - 2 * d.ConicN * std::sin(c * d.DegToRad)) / d.ConicN;
    }
}

// Sets the design state as the graticule computation and the projection
// set-up leave it for the map: frame from 0 to the range, central meridian
// in its middle, and the constants of the projection.
void SetUpMap(const RefMap& m) {
    auto& d = Design();
    d.ProjCode = static_cast<int16_t>(m.code);
    d.FrameWest = 0;
    d.FrameEast = m.range;
    d.CentralMeridian = (d.FrameEast + d.FrameWest) / 2;
    d.CurLobeOffset = m.offset;
    d.CosStdParNorth = std::cos(m.stdN * d.DegToRad);
    if (m.code >= ProjEquidistantConic && m.code <= ProjAlbers) SetConicConstants(m.code, m.stdN, m.stdS, m.centLat);
    d.CosCentLat = std::cos(m.centLat * d.DegToRad);
    d.SinCentLat = std::sin(m.centLat * d.DegToRad);
    if (m.code == ProjVerticalPerspective) d.VpP = m.heightKm / 6371 + 1;
}

// Projects one point from fresh sentinels; PlotStatus starts at 1, which
// ProjectSelect never writes.
void Project(double lat, double lon) {
    auto& d = Design();
    d.ProjInLat = lat;
    d.ProjInLon = lon;
    d.ProjOutX = kOldX;
    d.ProjOutY = kOldY;
    d.CalcError = true;
    d.PlotStatus = 1;
    ProjectSelect();
}

class ProjectSelectTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetDesignState();
        ResetProjWork();
    }
    ScopedScriptedMessageBox boxes;
};

// Every code but Robinson (its polynomial is not PROJ's table) and UTM
// against PROJ on the unit sphere, at points across each map, on its frame
// edges, the poles, the antipode and both sides of the visibility limits.
// Tolerance 1e-9, relative for coordinates beyond 1 (stereographic near the
// antipode).
TEST_F(ProjectSelectTest, MatchesProjOnTheUnitSphere) {
    const auto maps = LoadProjTable();
    ASSERT_GT(maps.size(), 30u);
    std::vector<int> codesSeen;
    for (const auto& m : maps) {
        SCOPED_TRACE(m.header + "\n" + m.cmd);
        SetUpMap(m);
        codesSeen.push_back(m.code);
        for (const auto& p : m.points) {
            SCOPED_TRACE(testing::Message() << "lat " << p.lat << " lon " << p.lon);
            Project(p.lat, p.lon);
            const auto& d = Design();
            if (p.projected) {
                EXPECT_FALSE(d.CalcError);
                EXPECT_NEAR(d.ProjOutX, p.x, 1e-9 * std::max(1.0, std::fabs(p.x)));
                EXPECT_NEAR(d.ProjOutY, p.y, 1e-9 * std::max(1.0, std::fabs(p.y)));
                EXPECT_EQ(d.PlotStatus, 1);
            } else {
                EXPECT_TRUE(d.CalcError);
                EXPECT_EQ(d.ProjOutX, kOldX);
                EXPECT_EQ(d.ProjOutY, kOldY);
                EXPECT_EQ(d.PlotStatus, IsAzimuthal(m.code) ? 2 : 1);
            }
        }
    }
    std::sort(codesSeen.begin(), codesSeen.end());
    codesSeen.erase(std::unique(codesSeen.begin(), codesSeen.end()), codesSeen.end());
    EXPECT_EQ(codesSeen, (std::vector<int>{1, 2, 6, 7, 8, 12, 26, 27, 28, 29, 30, 31, 40, 41, 42}));
    EXPECT_TRUE(boxes.log.empty());
}

TEST_F(ProjectSelectTest, RobinsonFollowsItsPolynomials) {
    auto& d = Design();
    d.ProjCode = ProjRobinson;
    d.FrameWest = 0;
    d.FrameEast = 360;
    d.CentralMeridian = 180;
    const double dLon = (360 - d.CentralMeridian) * d.DegToRad;
    // Relative parallel length X and ordinate Y at 0, 45 and 90 degrees.
    const struct {
        double lat, X, Y, tol;
    } cases[] = {
        {0, 1, 0, 1e-15},
        {45, 0.8961, 0.5572, 5e-5},
        {90, 0.5311, 1.0003, 5e-5},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.lat);
        for (const double sign : {1.0, -1.0}) {
            Project(sign * c.lat, 360);
            EXPECT_FALSE(d.CalcError);
            EXPECT_NEAR(d.ProjOutX / (0.8487 * dLon), c.X, c.tol);
            EXPECT_NEAR(d.ProjOutY / 1.3523, sign * c.Y, c.tol);
        }
    }
    // Symmetric about the equator and the central meridian; x grows with
    // the longitude difference, y with the latitude.
    for (double lat = 0; lat <= 90; lat += 7.5) {
        for (double lon = 0; lon <= 180; lon += 22.5) {
            SCOPED_TRACE(testing::Message() << lat << " " << lon);
            Project(lat, 180 + lon);
            const double x = d.ProjOutX, y = d.ProjOutY;
            Project(-lat, 180 - lon);
            EXPECT_EQ(d.ProjOutX, -x);
            EXPECT_EQ(d.ProjOutY, -y);
            Project(lat + 0.5 > 90 ? 90 : lat + 0.5, 180 + lon);
            EXPECT_GE(d.ProjOutY, y);
        }
    }
}

// Exactly at the poles and on the equator theta = phi without iteration; the
// interrupted projection adds the lobe offset.
TEST_F(ProjectSelectTest, MollweideAtThePolesAndTheEquator) {
    auto& d = Design();
    for (const int16_t code : {ProjMollweide, ProjInterruptedMollweide}) {
        d.ProjCode = code;
        d.FrameWest = 0;
        d.FrameEast = 100;
        d.CentralMeridian = 50;
        d.CurLobeOffset = code == ProjMollweide ? 0 : -1.25;
        for (const double lon : {0.0, 30.0, 100.0}) {
            SCOPED_TRACE(testing::Message() << code << " " << lon);
            const double dLon = (lon - 50) * d.DegToRad;
            Project(90, lon);
            EXPECT_NEAR(d.ProjOutX, d.CurLobeOffset, 1e-14);
            EXPECT_NEAR(d.ProjOutY, std::sqrt(2.0), 1e-15);
            Project(-90, lon);
            EXPECT_NEAR(d.ProjOutX, d.CurLobeOffset, 1e-14);
            EXPECT_NEAR(d.ProjOutY, -std::sqrt(2.0), 1e-15);
            Project(0, lon);
            EXPECT_DOUBLE_EQ(d.ProjOutX, 2 * std::sqrt(2.0) * dLon / d.Pi + d.CurLobeOffset);
            EXPECT_EQ(d.ProjOutY, 0);
        }
    }
}

// The Mollweide iteration ends for every latitude, also where rounding keeps
// its steps above the tolerance (within about half a degree of the poles)
// and where a step taken from right beside a pole is pure rounding noise.
// The auxiliary angle, read back from x, must lie within what the equation
// resolves in doubles (its derivative 4 cos^2 theta vanishes at the pole)
// of the root found in long double.
TEST_F(ProjectSelectTest, MollweideEndsNearThePoles) {
    auto& d = Design();
    d.ProjCode = ProjMollweide;
    d.FrameWest = 0;
    d.FrameEast = 360;
    d.CentralMeridian = 180;
    const double dLon = (360 - d.CentralMeridian) * d.DegToRad;

    std::vector<double> lats;
    for (int k = 0; k < 20000; ++k) lats.push_back(89 + k * 0.00005);
    for (int k = 0; k <= 4000; ++k) lats.push_back(90 - std::pow(10.0, -16.0 * k / 4000));
    double lat = 90;
    for (int k = 0; k < 3000; ++k) lats.push_back(lat = std::nextafter(lat, 0.0));

    const long double halfPi = 1.5707963267948966192313216916397514L;
    for (const double base : lats) {
        for (const double l : {base, -base}) {
            Project(l, 360);
            ASSERT_FALSE(d.CalcError) << l;
            // Root of 2 theta + sin 2 theta = Pi sin phi by bisection.
            const long double target =
                static_cast<long double>(d.Pi) * std::sin(static_cast<long double>(l * d.DegToRad));
            long double lo = 0, hi = halfPi;
            for (int i = 0; i < 70; ++i) {
                const long double mid = (lo + hi) / 2;
                (2 * mid + std::sin(2 * mid) < std::fabs(target) ? lo : hi) = mid;
            }
            const double cosRef = static_cast<double>(std::cos(lo));
            const double cosTheta = d.ProjOutX * d.Pi / (2 * d.Sqrt2 * dLon);
            ASSERT_NEAR(cosTheta, cosRef, 1e-13 + 1e-14 / (cosRef * cosRef)) << l;
            ASSERT_LE(std::fabs(d.ProjOutY), d.Sqrt2) << l;
            ASSERT_EQ(d.ProjOutY < 0, l < 0) << l;
        }
    }
    EXPECT_TRUE(boxes.log.empty());
}

// The iteration as it was before its first estimate: Newton steps from
// theta = phi, with the same bounds and stopping rules.
double MollweideThetaFromPhi(double phi) {
    const auto& d = Design();
    const double target = d.Pi * std::sin(phi);
    const double low = phi > 0 ? 0 : phi;
    const double high = phi > 0 ? phi : 0;
    double theta = phi;
    double previous = INFINITY;
    for (int step = 0; step < 100; ++step) {
        const double slope = 2 * std::cos(2 * theta) + 2;
        if (slope == 0) break;
        const double delta = (target - 2 * theta - std::sin(2 * theta)) / slope;
        const double size = std::fabs(delta);
        const double next = theta + delta;
        if (!(size < previous) || !(next >= low && next <= high)) break;
        theta = next;
        if (size < 0.00000000000001) break;
        previous = size;
    }
    return theta;
}

// The first estimate changes how many steps the iteration takes, not where
// it ends: at the edge of a full-world frame the points agree to 1e-14 with
// those of the iteration from theta = phi, on a dense table of latitudes in
// both hemispheres, at the boundaries of the estimate's pieces and of its
// use, and up to and at the poles.
TEST_F(ProjectSelectTest, MollweideAgreesWithTheIterationFromPhi) {
    auto& d = Design();
    d.ProjCode = ProjMollweide;
    d.FrameWest = 0;
    d.FrameEast = 360;
    d.CentralMeridian = 180;
    const double dLon = (360 - d.CentralMeridian) * d.DegToRad;

    std::vector<double> lats;
    for (int k = 0; k <= 90000; ++k) lats.push_back(k * 0.001);
    for (int k = 0; k <= 100000; ++k) lats.push_back(89 + k * 0.00001);
    for (int k = 0; k <= 2000; ++k) lats.push_back(90 - std::pow(10.0, -16.0 * k / 2000));
    const double boundaries[] = {std::asin(0.5) / d.DegToRad, std::asin(0.85) / d.DegToRad, 89, 90};
    for (const double b : boundaries) {
        double below = b, above = b;
        for (int k = 0; k < 2000; ++k) {
            lats.push_back(below = std::nextafter(below, 0.0));
            if (b < 90) lats.push_back(above = std::nextafter(above, 90.0));
        }
        lats.push_back(b);
    }

    for (const double base : lats) {
        for (const double lat : {base, -base}) {
            Project(lat, 360);
            ASSERT_FALSE(d.CalcError) << lat;
            const double phi = lat * d.DegToRad;
            const double theta = lat == 0 || std::fabs(lat) == 90 ? phi : MollweideThetaFromPhi(phi);
            ASSERT_NEAR(d.ProjOutX, 2 * d.Sqrt2 * dLon * std::cos(theta) / d.Pi, 1e-14) << lat;
            ASSERT_NEAR(d.ProjOutY, d.Sqrt2 * std::sin(theta), 1e-14) << lat;
        }
    }
    EXPECT_TRUE(boxes.log.empty());
}

// Centre on the equator at the central meridian, so that a point on that
// meridian has cos c = cos(latitude) exactly.
void SetEquatorCentre(int code) {
    auto& d = Design();
    d.ProjCode = static_cast<int16_t>(code);
    d.FrameWest = 0;
    d.FrameEast = 360;
    d.CentralMeridian = 180;
    d.CosCentLat = 1;
    d.SinCentLat = 0;
    d.VpP = 2;
    d.CosAzRange = std::cos(30 * d.DegToRad);
}

TEST_F(ProjectSelectTest, RangeQueryReportsTheRangeCircleWithoutProjecting) {
    auto& d = Design();
    const struct {
        double lat, lon;
        int16_t status;
    } cases[] = {
        {30, 180, 4},                                                // on the range circle: inside
        {29.999, 180, 4}, {30.001, 180, 5}, {0, 215, 5}, {0, 0, 2},  // the antipode: beyond the visibility limit first
        {0, 360, 2},
    };
    for (int code = ProjGnomonic; code <= ProjAzEqualArea; ++code) {
        SetEquatorCentre(code);
        for (const auto& c : cases) {
            SCOPED_TRACE(testing::Message() << code << ": " << c.lat << " " << c.lon);
            d.AzQueryMode = -1;
            Project(c.lat, c.lon);
            EXPECT_TRUE(d.CalcError);
            EXPECT_EQ(d.PlotStatus, c.status);
            EXPECT_EQ(d.ProjOutX, kOldX);
            EXPECT_EQ(d.ProjOutY, kOldY);
            EXPECT_EQ(d.AzQueryMode, -1);  // the caller resets it
        }
    }
}

// Mode 2 projects the point of the last range query from the kept values:
// the input is not read again, the visibility test is skipped, and the mode
// falls back to 0.
TEST_F(ProjectSelectTest, ReuseModeProjectsTheQueriedPoint) {
    auto& d = Design();
    for (int code = ProjGnomonic; code <= ProjAzEqualArea; ++code) {
        SCOPED_TRACE(code);
        SetEquatorCentre(code);
        Project(20, 190);
        ASSERT_FALSE(d.CalcError);
        const double x = d.ProjOutX, y = d.ProjOutY;

        d.AzQueryMode = -1;
        Project(20, 190);
        ASSERT_EQ(d.PlotStatus, 4);
        d.AzQueryMode = 2;
        Project(-10, 0);  // the antipode: would be rejected if recomputed
        EXPECT_FALSE(d.CalcError);
        EXPECT_EQ(d.ProjOutX, x);
        EXPECT_EQ(d.ProjOutY, y);
        EXPECT_EQ(d.AzQueryMode, 0);
        EXPECT_EQ(d.PlotStatus, 1);
    }
    EXPECT_TRUE(boxes.log.empty());
}

// Each azimuthal kernel brings its visibility limit on cos c: the horizon
// for the gnomonic, just beyond it for the orthographic, just short of the
// antipode for the projections that reach it, just below the horizon 1 / P
// for the vertical perspective (P = 2 here). A point whose cos c equals the
// limit is rejected; one ulp above it is not.
TEST_F(ProjectSelectTest, VisibilityLimitIsInclusive) {
    auto& d = Design();
    const struct {
        int16_t code;
        double cosLimit;
    } cases[] = {
        {ProjGnomonic, 0},
        {ProjStereographic, -1 + 1e-13},
        {ProjOrthographic, -1e-08},
        {ProjVerticalPerspective, 1 / (2 + 1e-10)},
        {ProjAzEquidistant, -1 + 1e-13},
        {ProjAzEqualArea, -1 + 1e-13},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.code);
        SetEquatorCentre(c.code);
        const ProjectionKernel& kernel = *KernelOf(c.code);
        ProjectionSetup s = kernel.setup(d);
        EXPECT_EQ(s.azimuth.cosLimit, c.cosLimit);
        const double cosC = std::cos(70 * d.DegToRad);
        s.azimuth.cosLimit = cosC;
        EXPECT_EQ(kernel.forward(s, 70, 180).status, PointStatus::BeyondLimit);
        s.azimuth.cosLimit = std::nextafter(cosC, -1.0);
        EXPECT_EQ(kernel.forward(s, 70, 180).status, PointStatus::Projected);
    }
}

// The largest stretch an azimuthal kernel gives for a range is the largest
// of its scales h and k over the distances within that range: at least each
// of them, and reached (at the centre or at the rim).
TEST_F(ProjectSelectTest, LargestStretchIsTheLargestScaleWithinTheRange) {
    auto& d = Design();
    for (int16_t code = ProjGnomonic; code <= ProjAzEqualArea; ++code) {
        SetEquatorCentre(code);
        d.CentLon = 0;
        const ProjectionKernel& kernel = *KernelOf(code);
        for (const double range : {0.0, 0.3, 1.0, 1.5, 3.0}) {
            SCOPED_TRACE(testing::Message() << code << " range " << range);
            const double stretch = kernel.largestStretch(range);
            if (code == ProjGnomonic && range >= kPi / 2) continue;
            double largest = 0;
            for (int i = 0; i <= 300; ++i) {
                const ScaleFactors f = kernel.scale(d, range * i / 300 / kDegToRad, 0);
                largest = std::max({largest, f.meridian.number, f.parallel.number});
            }
            EXPECT_LE(largest, stretch * (1 + 1e-12));
            EXPECT_GE(largest, stretch * (1 - 1e-12));
        }
    }
    EXPECT_EQ(kGnomonicKernel.largestStretch(2), INFINITY);  // beyond the horizon
}

// Just beyond 90 degrees from the centre (cos c about -1.7e-9 and -1.7e-8).
TEST_F(ProjectSelectTest, PointsJustBeyondTheHorizon) {
    auto& d = Design();
    const double nearLon = 180 + 90.0000001, farLon = 180 + 90.000001;

    // The orthographic keeps cos c down to -1e-8: still on the unit circle.
    SetEquatorCentre(ProjOrthographic);
    Project(0, nearLon);
    EXPECT_FALSE(d.CalcError);
    EXPECT_NEAR(std::hypot(d.ProjOutX, d.ProjOutY), 1, 1e-15);
    Project(0, farLon);
    EXPECT_TRUE(d.CalcError);
    EXPECT_EQ(d.PlotStatus, 2);

    // The gnomonic rejects both.
    SetEquatorCentre(ProjGnomonic);
    Project(0, nearLon);
    EXPECT_TRUE(d.CalcError);

    // The azimuthal equidistant takes c = Pi/2 exactly where |cos c| < 1e-8.
    SetEquatorCentre(ProjAzEquidistant);
    for (const double lon : {nearLon, 180 + 89.9999999}) {
        Project(0, lon);
        EXPECT_FALSE(d.CalcError);
        EXPECT_EQ(d.ProjOutX, 2 * d.PiOver4 * std::sin((lon - 180) * d.DegToRad));
    }
    Project(0, farLon);  // |cos c| above 1e-8: from the arc tangent, past Pi/2
    EXPECT_NEAR(d.ProjOutX, d.Pi / 2 + 0.000001 * d.DegToRad, 1e-12);
}

// A whole-sphere map (range 180) about 8 18 32 S 122 00 29 E, set up from
// its texts as the boundary dialog does. At the antipode, 8 18 32 N
// 57 59 31 W (frame longitude 0), cos c is rounded to -1 + 1.1e-16: the
// equidistant and equal-area projections then divided by the rounding and
// put the point next to the centre. Within 1e-13 of -1 a point is not
// visible; beyond, it lies near the rim as PROJ has it.
//
// PROJ's answers, for the antipode moved by dLat, dLon degrees:
//   proj -f %.17g +proj=aeqd +R=1 +lat_0=-8.30888888888889 +lon_0=122.00805555555556
//   proj -f %.17g +proj=laea +R=1 +lat_0=-8.30888888888889 +lon_0=122.00805555555556
// fed "lon lat" = "-57.99194444444444+dLon 8.30888888888889+dLat"; NAN where
// we do not project the point, or PROJ does not (its laea stops at
// 1 + cos c = 1e-10).
TEST_F(ProjectSelectTest, TheAntipodeOfAWholeSphereMapIsNotVisible) {
    struct SeamPoint {
        double dLat, dLon;
        double aeqdX, aeqdY, laeaX, laeaY;
    };
    const SeamPoint points[] = {
        // Within the limit (1 + cos c from 0 to 6.1e-14).
        {0, 0, NAN, NAN, NAN, NAN},
        {1e-6, 0, NAN, NAN, NAN, NAN},
        {0, 1e-5, NAN, NAN, NAN, NAN},
        {2e-5, 0, NAN, NAN, NAN, NAN},
        // Beyond it: 0.00003 degree (the graticule's lines stop there), one
        // arc-second, and on.
        {3e-5, 0, -7.2698309171736614e-10, 3.1411945198470912, NAN, NAN},
        {1 / 3600.0, 0, -7.8523785582398041e-11, 3.1415810479358792, NAN, NAN},
        {0.001, 0, -2.1812081096324978e-11, 3.1415750837780467, -1.3886079246622528e-11, 1.9999999257249597},
        {0.01, 0, -2.1810490761175034e-12, 3.1414181261140182, -1.3885761041902041e-12, 1.9999999958537786},
        {0, -0.001, 3.141574162188661, 3.961791480096192e-06, 1.9999992224078293, 2.5221686550968371e-06},
        {-0.01, 0.01, -2.2095600614044866, -2.2329142531455144, -1.4067595603427705, -1.4216284625643676},
    };
    auto& d = Design();
    const double antipodeLat = 29912 / 3600.0;  // 8 18 32
    for (const int16_t code : {ProjAzEquidistant, ProjAzEqualArea}) {
        d.ProjCode = code;
        d.BoundsText[6] = "08    18    32    S";
        d.BoundsText[7] = "122    00    29    E";
        d.BoundsText[8] = "180    00    00";
        CalcGraticule({});
        ASSERT_FALSE(d.CalcError);
        ASSERT_EQ(d.LonWestSec, -(57 * 3600 + 59 * 60 + 31));
        const double rim = code == ProjAzEquidistant ? 4 * d.PiOver4 : 2;
        for (const SeamPoint& p : points) {
            SCOPED_TRACE(testing::Message() << code << ": " << p.dLat << " " << p.dLon);
            const double refX = code == ProjAzEquidistant ? p.aeqdX : p.laeaX;
            const double refY = code == ProjAzEquidistant ? p.aeqdY : p.laeaY;
            const bool visible = p.dLat >= 3e-5 || std::fabs(p.dLon) >= 0.001;
            Project(antipodeLat + p.dLat, p.dLon < 0 ? 360 + p.dLon : p.dLon);
            if (!visible) {
                EXPECT_TRUE(d.CalcError);
                EXPECT_EQ(d.PlotStatus, 2);
                EXPECT_EQ(d.ProjOutX, kOldX);
                continue;
            }
            ASSERT_FALSE(d.CalcError);
            EXPECT_NEAR(std::hypot(d.ProjOutX, d.ProjOutY), rim, 0.01);
            if (std::isnan(refX)) continue;
            // Both programs take the distance from cos c, rounded by a few
            // 1e-16, which moves a point radially by about 1e-16 / (1 + cos c)
            // of its distance from the centre.
            const double phi = (antipodeLat + p.dLat) * d.DegToRad, phi0 = antipodeLat * d.DegToRad;
            const double onePlusCos =
                2 * (std::pow(std::sin((phi - phi0) / 2), 2) +
                     std::cos(phi) * std::cos(phi0) * std::pow(std::sin(p.dLon * d.DegToRad / 2), 2));
            const double tol = 1e-9 + 4 * rim * 1e-16 / onePlusCos;
            EXPECT_NEAR(d.ProjOutX, refX, tol);
            EXPECT_NEAR(d.ProjOutY, refY, tol);
        }
    }
    EXPECT_TRUE(boxes.log.empty());
}

TEST_F(ProjectSelectTest, UtmPassesMetresThrough) {
    auto& d = Design();
    d.ProjCode = ProjUtm;
    const struct {
        double northing, easting;
    } cases[] = {
        {5600000, 300000},
        {0, 0},
        {-12345.678, 9e9},
        {1e-300, -7},
    };
    for (const auto& c : cases) {
        Project(c.northing, c.easting);
        EXPECT_FALSE(d.CalcError);
        EXPECT_EQ(d.ProjOutX, c.easting);
        EXPECT_EQ(d.ProjOutY, c.northing);
    }
}

TEST_F(ProjectSelectTest, OtherCodesOnlyClearCalcError) {
    auto& d = Design();
    for (const int16_t code : {0, -1, 3, 5, 9, 13, 25, 32, 39, 43, 100}) {
        SCOPED_TRACE(code);
        d.ProjCode = code;
        d.AzQueryMode = 2;
        Project(10, 20);
        EXPECT_FALSE(d.CalcError);
        EXPECT_EQ(d.ProjOutX, kOldX);
        EXPECT_EQ(d.ProjOutY, kOldY);
        EXPECT_EQ(d.PlotStatus, 1);
        EXPECT_EQ(d.AzQueryMode, 2);
        EXPECT_EQ(d.ProjInLat, 10);
        EXPECT_EQ(d.ProjInLon, 20);
    }
    EXPECT_TRUE(boxes.log.empty());
}

// Arithmetic failures show the procedure's error box; CalcError stays false
// and an output assigned before the failure keeps its new value.
TEST_F(ProjectSelectTest, ArithmeticFailuresShowTheErrorBox) {
    const struct {
        const char* what;
        int16_t code;
        void (*setUp)(DesignState&);
        double lat, lon;
        const char* text;
        bool xAssigned;
    } cases[] = {
        {"Mercator at the South Pole", ProjMercator, [](DesignState&) {}, -90, 10,
         "Error: Invalid procedure call or argument", true},
        {"Mercator beyond the pole", ProjMercator, [](DesignState&) {}, 95, 10,
         "Error: Invalid procedure call or argument", true},
        {"cylindrical equal-area, standard parallel at the pole", ProjCylEqualArea,
         [](DesignState& d) { d.CosStdParNorth = 0; }, 10, 10, "Error: Division by zero", true},
        {"conformal conic beyond the pole", ProjConformalConic,
         [](DesignState&) { SetConicConstants(ProjConformalConic, 60, 30, 45); }, 95, 10,
         "Error: Invalid procedure call or argument", false},
        {"Albers, negative radicand", ProjAlbers,
         [](DesignState& d) {
             d.ConicN = 0.5;
             d.ConicC = 0;
         },
         30, 10, "Error: Invalid procedure call or argument", false},
        {"Albers, cone constant 0", ProjAlbers,
         [](DesignState& d) {
             d.ConicN = 0;
             d.ConicC = 1;
         },
         30, 10, "Error: Division by zero", false},
        {"gnomonic reusing values never computed", ProjGnomonic, [](DesignState& d) { d.AzQueryMode = 2; }, 10, 10,
         "Error: Division by zero", false},
        {"vertical perspective from the surface", ProjVerticalPerspective, [](DesignState& d) { d.VpP = 1; }, 0, 180,
         "Error: Overflow", false},  // 0 / 0 at the centre
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ResetDesignState();
        ResetProjWork();
        auto& d = Design();
        SetEquatorCentre(c.code);
        c.setUp(d);
        boxes.log.clear();
        Project(c.lat, c.lon);
        ASSERT_EQ(boxes.log.size(), 1u);
        EXPECT_EQ(boxes.log[0].text, c.text);
        EXPECT_EQ(boxes.log[0].title, "Error in ProjectSelect");
        EXPECT_EQ(boxes.log[0].icon, MsgIcon::Exclamation);
        EXPECT_FALSE(d.CalcError);
        EXPECT_EQ(d.ProjOutX != kOldX, c.xAssigned);
        EXPECT_EQ(d.ProjOutY, kOldY);
    }
}

}  // namespace
}  // namespace tlrx
