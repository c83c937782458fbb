#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <limits>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "core/DesignState.h"
#include "core/GreatCircle.h"
#include "platform/MessageBox.h"
#include "support/ScriptedMessageBox.h"

namespace tlrx {
namespace {

struct RoutePoint {
    double lat, lon, course, dist;
};

// The computed points in listing order, GcFirst to GcLast by GcStep.
std::vector<RoutePoint> Listing() {
    const auto& d = Design();
    std::vector<RoutePoint> out;
    if (d.GcStep == 0) return out;
    for (int k = d.GcFirst; d.GcStep > 0 ? k <= d.GcLast : k >= d.GcLast; k += d.GcStep) {
        out.push_back({d.GcLat.at(k), d.GcLon.at(k), d.GcCourse.at(k), d.GcDist.at(k)});
    }
    return out;
}

void SetRoute(double lat1, double lon1, double lat2, double lon2) {
    auto& d = Design();
    d.GcStartLat = lat1;
    d.GcStartLon = lon1;
    d.GcEndLat = lat2;
    d.GcEndLon = lon2;
}

// Degrees of a dialog text's fields, as the great circle dialog computes them.
double Deg(double deg, double min = 0, double sec = 0) { return deg + min / 60 + sec / 3600; }

// Signed difference of two angles in degrees, -180..180.
double AngleDiff(double a, double b) { return std::remainder(a - b, 360.0); }

// ---- Routes against GeographicLib (fixtures/gc_inverse.txt, gc_points.txt) ----

struct Reference {
    double lat1, lon1, lat2, lon2, azi1, azi2, arc;
};

std::map<std::string, Reference> ReadInverse() {
    std::ifstream in(TLRX_TEST_DATA_DIR "/fixtures/gc_inverse.txt");
    std::map<std::string, Reference> out;
    for (std::string line; std::getline(in, line);) {
        if (line.empty() || line[0] == '#') continue;
        std::istringstream f(line);
        std::string name;
        Reference r{};
        f >> name >> r.lat1 >> r.lon1 >> r.lat2 >> r.lon2 >> r.azi1 >> r.azi2 >> r.arc;
        out[name] = r;
    }
    return out;
}

// Tolerances in degrees and nautical miles. The computation is closed-form in
// double precision; the truncated pi (relative error 1e-15) and the rounding
// leave errors up to about 5e-12 degree and 2e-10 mile on these routes, so
// 1e-9 degree and 1e-8 mile (one mile is one minute of arc) hold with room to
// spare. On a route that runs within seconds of arc of a meridian the vertex
// longitude is ill-conditioned (its cosine is about 1e-8): the start of the
// four-second route comes out 1e-8 degree (6e-7 mile) along the route from
// where it was entered, so that route gets 1e-7 degree and 1e-5 mile, still
// far below the whole arc-second (2.8e-4 degree) in which points are drawn.
struct Tolerance {
    double deg, miles;
};

Tolerance ToleranceFor(const std::string& route) {
    if (route == "near_meridian") return {1e-7, 1e-5};
    return {1e-9, 1e-8};
}

TEST(GcCalc, LengthAndCoursesMatchGeodSolve) {
    const auto routes = ReadInverse();
    ASSERT_EQ(routes.size(), 18u);
    for (const auto& [name, r] : routes) {
        SCOPED_TRACE(name);
        ResetDesignState();
        ScopedScriptedMessageBox boxes;
        SetRoute(r.lat1, r.lon1, r.lat2, r.lon2);
        GcCalc();
        EXPECT_TRUE(boxes.log.empty());
        const auto points = Listing();
        ASSERT_GE(points.size(), 2u);
        const Tolerance tol = ToleranceFor(name);
        const RoutePoint& first = points.front();
        const RoutePoint& last = points.back();
        EXPECT_NEAR(last.dist, r.arc * 60, tol.miles);
        EXPECT_NEAR(first.dist, 0, tol.miles);
        EXPECT_NEAR(AngleDiff(first.course, r.azi1), 0, tol.deg);
        EXPECT_NEAR(AngleDiff(last.course, r.azi2), 0, tol.deg);
        // The ends; an end on the equator off it is listed at 0.00001 degree.
        const bool offEquator = !(r.lat1 == 0 && r.lat2 == 0);
        EXPECT_NEAR(first.lat, r.lat1 == 0 && offEquator ? 0.00001 : r.lat1, tol.deg);
        EXPECT_NEAR(last.lat, r.lat2 == 0 && offEquator ? 0.00001 : r.lat2, tol.deg);
        EXPECT_NEAR(AngleDiff(first.lon, r.lon1), 0, tol.deg);
        EXPECT_NEAR(AngleDiff(last.lon, r.lon2), 0, tol.deg);
        for (const RoutePoint& p : points) {
            EXPECT_GE(p.lon, -180);
            EXPECT_LE(p.lon, 180);
            EXPECT_GE(p.course, 0);
            EXPECT_LT(p.course, 360);
        }
    }
}

TEST(GcCalc, PointsLieOnGeodSolveRoutes) {
    const auto routes = ReadInverse();
    std::ifstream in(TLRX_TEST_DATA_DIR "/fixtures/gc_points.txt");
    std::string current;
    std::vector<RoutePoint> points;
    int rows = 0;
    for (std::string line; std::getline(in, line);) {
        if (line.empty() || line[0] == '#') continue;
        std::istringstream f(line);
        std::string name;
        RoutePoint ref{};
        f >> name >> ref.lon >> ref.lat >> ref.course >> ref.dist;
        if (name != current) {
            current = name;
            const Reference& r = routes.at(name);
            ResetDesignState();
            SetRoute(r.lat1, r.lon1, r.lat2, r.lon2);
            GcCalc();
            points = Listing();
        }
        SCOPED_TRACE(line);
        const Tolerance tol = ToleranceFor(name);
        int matches = 0;
        for (const RoutePoint& p : points) {
            if (std::fabs(AngleDiff(p.lon, ref.lon)) > 1e-7) continue;
            ++matches;
            EXPECT_NEAR(p.lat, ref.lat, tol.deg);
            EXPECT_NEAR(AngleDiff(p.course, ref.course), 0, tol.deg);
            EXPECT_NEAR(p.dist, ref.dist, tol.miles);
        }
        EXPECT_EQ(matches, 1);
        ++rows;
    }
    EXPECT_GT(rows, 1000);
}

// ---- The route's shape ----

TEST(GcCalc, DefaultRouteHasWholeDegreesAndFourInsertedPoints) {
    for (bool fromTexts : {false, true}) {
        SCOPED_TRACE(fromTexts ? "dialog values" : "start-up values");
        ResetDesignState();
        auto& d = Design();
        if (fromTexts) SetRoute(Deg(37, 47), -Deg(122, 26), Deg(29, 20), Deg(47, 59));
        GcCalc();
        EXPECT_EQ(d.GcFirst, 1);
        EXPECT_EQ(d.GcLast, 176);
        EXPECT_EQ(d.GcStep, 1);
        ASSERT_EQ(d.GcLat.size(), 177u);
        EXPECT_EQ(d.GcLatRad.size(), 177u);
        EXPECT_EQ(d.GcDLonRad.size(), 177u);
        // Start, -122, -121.5 (inserted), -121 ... 45, 45.5, 46, 46.5, 47, 47.5, end.
        std::vector<double> lon = {d.GcStartLon, -122, -121.5};
        for (int w = -121; w <= 45; ++w) lon.push_back(w);
        for (double w : {45.5, 46.0, 46.5, 47.0, 47.5}) lon.push_back(w);
        lon.push_back(d.GcEndLon);
        ASSERT_EQ(lon.size(), 176u);
        for (int k = 1; k <= 176; ++k) EXPECT_NEAR(d.GcLon[k], lon[k - 1], 1e-9) << k;
        EXPECT_NEAR(d.GcCourse[1], 9.02, 0.005);
        EXPECT_NEAR(d.GcDist[176], 6737.2, 0.05);
        EXPECT_NEAR(d.GcDist[1], 0, 1e-9);
        EXPECT_NEAR(d.GcLat[176], d.GcEndLat, 1e-12);
        // Every neighbour within 240 miles after the insertion.
        for (int k = 2; k <= 176; ++k) EXPECT_LE(d.GcDist[k] - d.GcDist[k - 1], 240) << k;
    }
}

TEST(GcCalc, ReversedEntryListsTheSamePointsBackwards) {
    ResetDesignState();
    auto& d = Design();
    SetRoute(Deg(37, 47), -Deg(122, 26), Deg(29, 20), Deg(47, 59));
    GcCalc();
    const auto forwardLat = d.GcLat;
    const auto forwardLon = d.GcLon;
    const auto forwardCourse = d.GcCourse;
    const auto forwardDist = d.GcDist;
    const double total = d.GcDist[d.GcLast];

    SetRoute(Deg(29, 20), Deg(47, 59), Deg(37, 47), -Deg(122, 26));
    GcCalc();
    EXPECT_EQ(d.GcFirst, 176);
    EXPECT_EQ(d.GcLast, 1);
    EXPECT_EQ(d.GcStep, -1);
    EXPECT_EQ(d.GcLat, forwardLat);
    EXPECT_EQ(d.GcLon, forwardLon);
    for (int k = 1; k <= 176; ++k) {
        EXPECT_EQ(d.GcCourse[k], forwardCourse[k] + 180) << k;
        EXPECT_NEAR(d.GcDist[k], total - forwardDist[k], 1e-9) << k;
    }
    EXPECT_EQ(d.GcDist[d.GcFirst], 0);
    EXPECT_NEAR(d.GcDist[d.GcLast], total, 1e-9);
}

TEST(GcCalc, EndPointsAreNeverRewritten) {
    // Cases where the computation works from exchanged or shifted ends: the
    // design keeps the ends as entered, and computing again gives the same
    // listing order.
    struct Case {
        const char* name;
        double lat1, lon1, lat2, lon2;
        bool backwards;  // the entered start lies at the eastern end
    };
    const Case cases[] = {
        {"eastern start", Deg(29, 20), Deg(47, 59), Deg(37, 47), -Deg(122, 26), true},
        {"start on the equator", 0, 10, 45, 60, false},
        {"end on the equator, eastern start", 45, 60, 0, 10, true},
        {"across 180 westward", 30, -150, 50, 170, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ResetDesignState();
        auto& d = Design();
        SetRoute(c.lat1, c.lon1, c.lat2, c.lon2);
        d.GcEndText = {"texts", "as", "entered", "here"};
        const auto texts = d.GcEndText;
        GcCalc();
        EXPECT_EQ(d.GcStartLat, c.lat1);
        EXPECT_EQ(d.GcStartLon, c.lon1);
        EXPECT_EQ(d.GcEndLat, c.lat2);
        EXPECT_EQ(d.GcEndLon, c.lon2);
        EXPECT_EQ(d.GcEndText, texts);
        const int count = static_cast<int>(d.GcLat.size()) - 1;
        EXPECT_EQ(d.GcFirst, c.backwards ? count : 1);
        EXPECT_EQ(d.GcStep, c.backwards ? -1 : 1);
        const auto lat = d.GcLat;
        GcCalc();
        EXPECT_EQ(d.GcFirst, c.backwards ? count : 1);
        EXPECT_EQ(d.GcLat, lat);
    }
}

TEST(GcCalc, EquatorRoutes) {
    struct Case {
        const char* name;
        double lon1, lon2;
        double course;
        std::vector<double> lon, dist;
    };
    const Case cases[] = {
        {"east across 180",
         179.5,
         -170,
         90,
         {179.5, 180, -180, -179, -178, -177, -176, -175, -174, -173, -172, -171, -170},
         {0, 30, 30, 90, 150, 210, 270, 330, 390, 450, 510, 570, 630}},
        {"east to 180 W",
         170,
         -180,
         90,
         {170, 171, 172, 173, 174, 175, 176, 177, 178, 179, 180, -180},
         {0, 60, 120, 180, 240, 300, 360, 420, 480, 540, 600, 600}},
        {"west across 180",
         -179.5,
         170,
         270,
         {-179.5, -180, 180, 179, 178, 177, 176, 175, 174, 173, 172, 171, 170},
         {0, 30, 30, 90, 150, 210, 270, 330, 390, 450, 510, 570, 630}},
        {"west from 180 E", 180, 177, 270, {180, 179, 178, 177}, {0, 60, 120, 180}},
        {"east from 180 W", -180.0, -178.25, 90, {-180, -179, -178.25}, {0, 60, 105}},
        {"west starting at 180 W", -180, 178, 270, {-180, 180, 179, 178}, {0, 0, 60, 120}},
        {"west",
         10.25,
         -2,
         270,
         {10.25, 10, 9, 8, 7, 6, 5, 4, 3, 2, 1, 0, -1, -2},
         {0, 15, 75, 135, 195, 255, 315, 375, 435, 495, 555, 615, 675, 735}},
        {"one point", 5, 5, 90, {5}, {0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ResetDesignState();
        ScopedScriptedMessageBox boxes;
        SetRoute(0, c.lon1, 0, c.lon2);
        GcCalc();
        EXPECT_TRUE(boxes.log.empty());
        const auto points = Listing();
        ASSERT_EQ(points.size(), c.lon.size());
        EXPECT_EQ(Design().GcStep, 1);
        for (size_t i = 0; i < points.size(); ++i) {
            EXPECT_EQ(points[i].lat, 0);
            EXPECT_EQ(points[i].lon, c.lon[i]) << i;
            EXPECT_NEAR(points[i].dist, c.dist[i], 1e-9) << i;
            EXPECT_EQ(points[i].course, c.course);
        }
    }
}

TEST(GcCalc, MeridianRoutes) {
    struct Case {
        const char* name;
        double lat1, lon1, lat2, lon2;
        std::vector<RoutePoint> points;
    };
    // clang-format off
    const Case cases[] = {
        {"over the North Pole", 80, 10, 80, -170,
         {{80, 10, 0, 0},      {81, 10, 0, 60},     {82, 10, 0, 120},    {83, 10, 0, 180},
          {84, 10, 0, 240},    {85, 10, 0, 300},    {86, 10, 0, 360},    {87, 10, 0, 420},
          {88, 10, 0, 480},    {89, 10, 0, 540},    {90, 10, 0, 600},    {90, -170, 180, 600},
          {89, -170, 180, 660},  {88, -170, 180, 720},  {87, -170, 180, 780},
          {86, -170, 180, 840},  {85, -170, 180, 900},  {84, -170, 180, 960},
          {83, -170, 180, 1020}, {82, -170, 180, 1080}, {81, -170, 180, 1140},
          {80, -170, 180, 1200}}},
        {"over the South Pole", -87.5, 30, -88, -150,
         {{-87.5, 30, 180, 0},
          {-88, 30, 180, 30},
          {-89, 30, 180, 90},
          {-90, 30, 180, 150},
          {-90, -150, 0, 150},
          {-89, -150, 0, 210},
          {-88, -150, 0, 270}}},
        {"north, from a fraction", -10.5, 20, -7.25, 20,
         {{-10.5, 20, 0, 0}, {-10, 20, 0, 30}, {-9, 20, 0, 90}, {-8, 20, 0, 150},
          {-7.25, 20, 0, 195}}},
        {"south to the pole", -86, -45, -90, -45,
         {{-86, -45, 180, 0}, {-87, -45, 180, 60}, {-88, -45, 180, 120}, {-89, -45, 180, 180},
          {-90, -45, 180, 240}}},
        {"the same point twice", 37.5, -122, 37.5, -122, {{37.5, -122, 0, 0}}},
        {"one end on the equator", 0, 100, 2, 100, {{0, 100, 0, 0}, {1, 100, 0, 60}, {2, 100, 0, 120}}},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ResetDesignState();
        ScopedScriptedMessageBox boxes;
        SetRoute(c.lat1, c.lon1, c.lat2, c.lon2);
        GcCalc();
        EXPECT_TRUE(boxes.log.empty());
        const auto points = Listing();
        ASSERT_EQ(points.size(), c.points.size());
        EXPECT_EQ(Design().GcStep, 1);
        for (size_t i = 0; i < points.size(); ++i) {
            EXPECT_EQ(points[i].lat, c.points[i].lat) << i;
            EXPECT_EQ(points[i].lon, c.points[i].lon) << i;
            EXPECT_EQ(points[i].course, c.points[i].course) << i;
            EXPECT_NEAR(points[i].dist, c.points[i].dist, 1e-9) << i;
        }
    }
}

TEST(GcCalc, LongSegmentsGetStandardSteps) {
    // 10S 0 to 10N 0 30'E: 1200.4 miles with no whole degree between; five
    // 5-minute steps counted back from the end.
    ResetDesignState();
    auto& d = Design();
    SetRoute(-10, 0, 10, 0.5);
    GcCalc();
    ASSERT_EQ(d.GcLast, 7);
    for (int k = 1; k <= 7; ++k) EXPECT_NEAR(d.GcLon[k], (k - 1) * 5 / 60.0, 1e-12) << k;
    EXPECT_NEAR(d.GcDist[7], 1200.4, 0.05);

    // Four seconds of longitude over 2940 miles: the spans are too small for
    // a step (n comes out as 0), so start, 20 E and end stay alone.
    SetRoute(40, Deg(19, 59, 58), 89, Deg(20, 0, 2));
    GcCalc();
    ASSERT_EQ(d.GcLast, 3);
    EXPECT_NEAR(d.GcLon[2], 20, 1e-9);
    EXPECT_GT(d.GcDist[2] - d.GcDist[1], 240);
}

// ---- Sound results where the plain formulas fail ----

TEST(GcCalc, StartsAHairOffAWholeDegreeMeetThePoleAnd180Exactly) {
    ResetDesignState();
    const double justAbove80 = std::nextafter(80.0, 90.0);
    SetRoute(justAbove80, 10, 80, -170);
    GcCalc();
    auto points = Listing();
    ASSERT_EQ(points.size(), 22u);
    EXPECT_EQ(points[10].lat, 90);
    EXPECT_EQ(points[11].lat, 90);
    EXPECT_EQ(points[11].lon, -170);
    for (const RoutePoint& p : points) EXPECT_LE(p.lat, 90);

    const double justBelow170 = std::nextafter(170.0, 0.0);
    SetRoute(0, justBelow170, 0, -170);
    GcCalc();
    points = Listing();
    ASSERT_EQ(points.size(), 22u);
    EXPECT_EQ(points[10].lon, 180);
    EXPECT_EQ(points[11].lon, -180);
    for (const RoutePoint& p : points) EXPECT_LE(std::fabs(p.lon), 180);
}

TEST(GcCalc, NearlyEqualLongitudesFollowTheMeridian) {
    ResetDesignState();
    ScopedScriptedMessageBox boxes;
    SetRoute(-10, 20, 40, 20.000001);
    GcCalc();
    EXPECT_TRUE(boxes.log.empty());
    const auto points = Listing();
    ASSERT_EQ(points.size(), 51u);
    EXPECT_EQ(points.back().lat, 40);
    EXPECT_NEAR(points.back().dist, 3000, 1e-9);
    for (const RoutePoint& p : points) EXPECT_EQ(p.course, 0);
}

TEST(GcCalc, FailuresShowTheBoxAndLeaveNoPoints) {
    struct Case {
        const char* name;
        double lat1, lon1, lat2, lon2;
        const char* text;
    };
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const Case cases[] = {
        {"180 W and 180 E at different latitudes", 10, -180, 20, 180, "Error: Division by zero"},
        {"not a number", nan, 10, 20, 30, "Error: Overflow"},
        {"far beyond the pole: more points than the listing holds", 1e9, 10, 0, 10, "Error: Overflow"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ResetDesignState();
        auto& d = Design();
        GcCalc();  // an earlier route, to be replaced
        ScopedScriptedMessageBox boxes;
        SetRoute(c.lat1, c.lon1, c.lat2, c.lon2);
        GcCalc();
        ASSERT_EQ(boxes.log.size(), 1u);
        EXPECT_EQ(boxes.log[0].text, c.text);
        EXPECT_EQ(boxes.log[0].title, "Error in GcCalc");
        EXPECT_EQ(boxes.log[0].icon, MsgIcon::Exclamation);
        EXPECT_EQ(d.GcFirst, 1);
        EXPECT_EQ(d.GcLast, 0);
        EXPECT_EQ(d.GcStep, 1);
        EXPECT_EQ(d.GcLat.size(), 1u);
        EXPECT_EQ(d.GcLon.size(), 1u);
        EXPECT_EQ(d.GcCourse.size(), 1u);
        EXPECT_EQ(d.GcDist.size(), 1u);
        EXPECT_TRUE(Listing().empty());
    }
}

}  // namespace
}  // namespace tlrx
