#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <numbers>
#include <sstream>
#include <string>
#include <vector>

#include "core/DesignState.h"
#include "core/SmallCircle.h"
#include "platform/MessageBox.h"
#include "support/ScriptedMessageBox.h"

namespace tlrx {
namespace {

void SetCircles(double lat, double lon, double radius, int16_t count) {
    auto& d = Design();
    d.ScCenterLat = lat;
    d.ScCenterLon = lon;
    d.ScRadius = radius;
    d.ScCount = count;
}

// Signed difference of two angles in degrees, -180..180.
double AngleDiff(double a, double b) { return std::remainder(a - b, 360.0); }

std::vector<int16_t> Ends() { return Design().ScCircleEnd; }

// ---- Points against GeographicLib (fixtures/sc_direct.txt) ----

struct Row {
    int circle, azimuth;
    double lat, lon;
};

struct Case {
    std::string name;
    double lat, lon, radius;
    int16_t count;
    std::vector<Row> rows;
};

std::vector<Case> ReadCases() {
    std::ifstream in(TLRX_TEST_DATA_DIR "/fixtures/sc_direct.txt");
    std::vector<Case> out;
    for (std::string line; std::getline(in, line);) {
        if (line.empty() || line[0] == '#') continue;
        std::istringstream f(line);
        if (line.rfind("case ", 0) == 0) {
            std::string word;
            Case c;
            f >> word >> c.name >> c.lat >> c.lon >> c.radius >> c.count;
            out.push_back(c);
        } else {
            Row r{};
            f >> r.circle >> r.azimuth >> r.lat >> r.lon;
            out.back().rows.push_back(r);
        }
    }
    return out;
}

// The computation is closed-form in double precision with the truncated pi
// (relative error 1e-15): the points agree with GeodSolve to about 1e-12
// degree, and 1e-9 is checked. Two exceptions are the computation's own:
// where |x| < 0.000003 a point is put exactly due east or west of the centre's
// meridian (lonC +- 90), which moves it by up to 0.000003 / sin(r) radians in
// longitude; on the near_zero circle that is 4e-5 degree at azimuths 60 and
// 300. And a longitude at a point very near a pole is ill-conditioned; the
// comparison is made as a distance on the parallel (longitude difference
// times the cosine of the latitude).
double LonTolerance(const std::string& name, int azimuth) {
    if (name == "near_zero" && (azimuth == 60 || azimuth == 300)) return 1e-4;
    return 1e-9;
}

TEST(ScCalc, PointsMatchGeodSolve) {
    const auto cases = ReadCases();
    ASSERT_EQ(cases.size(), 10u);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ResetDesignState();
        ScopedScriptedMessageBox boxes;
        auto& d = Design();
        SetCircles(c.lat, c.lon, c.radius, c.count);
        ScCalc();
        EXPECT_TRUE(boxes.log.empty());
        ASSERT_EQ(d.ScCircleEnd.size(), static_cast<size_t>(c.count) + 1);
        // Each reference point is found on its circle, in azimuth order
        // (interpolated points may lie between).
        int k = 0;
        int next = 0;
        for (const Row& r : c.rows) {
            SCOPED_TRACE("circle " + std::to_string(r.circle) + " azimuth " + std::to_string(r.azimuth));
            if (r.circle != k) {
                k = r.circle;
                next = d.ScCircleEnd[k - 1] + 1;
            }
            const double tol = LonTolerance(c.name, r.azimuth);
            int found = 0;
            for (int i = next; i <= d.ScCircleEnd[k]; ++i) {
                const double lonGap = AngleDiff(d.ScLon[i], r.lon) * std::cos(r.lat * std::numbers::pi / 180);
                if (std::fabs(d.ScLat[i] - r.lat) <= 1e-9 && std::fabs(lonGap) <= tol) {
                    found = i;
                    break;
                }
            }
            ASSERT_NE(found, 0) << "no point near " << r.lat << " " << r.lon << "; point " << next << " is "
                                << d.ScLat[next] << " " << d.ScLon[next];
            next = found + 1;
        }
        for (size_t i = 1; i < d.ScLon.size(); ++i) {
            EXPECT_GE(d.ScLon[i], -180);
            EXPECT_LE(d.ScLon[i], 180);
        }
    }
}

// ---- Counts, gap filling and the special directions ----

TEST(ScCalc, CircleEnds) {
    struct EndsCase {
        const char* name;
        double lat, lon, radius;
        int16_t count;
        std::vector<int16_t> ends;
    };
    const EndsCase cases[] = {
        {"default rings", 37 + 47 / 60.0, -(122 + 26 / 60.0), 15, 3, {0, 361, 722, 1083}},
        {"passing 0.1 degree from the pole", 80, 0, 9.9, 1, {0, 365}},
        {"round the pole", 80, 0, 15, 1, {0, 361}},
        {"near-zero x at 60 and 300", 45, 0, 63 + 26 / 60.0 + 6 / 3600.0, 1, {0, 361}},
        {"across 180", 0, 170, 15, 3, {0, 361, 722, 1083}},
        {"about a pole", 90, 30, 20, 2, {0, 361, 722}},
        {"radius 0", 12, 34, 0, 2, {0, 361, 722}},
        {"no circle", 12, 34, 10, 0, {0}},
    };
    for (const EndsCase& c : cases) {
        SCOPED_TRACE(c.name);
        ResetDesignState();
        ScopedScriptedMessageBox boxes;
        SetCircles(c.lat, c.lon, c.radius, c.count);
        ScCalc();
        EXPECT_TRUE(boxes.log.empty());
        EXPECT_EQ(Ends(), c.ends);
        EXPECT_EQ(Design().ScLat.size(), static_cast<size_t>(c.ends.back()) + 1);
        EXPECT_EQ(Design().ScLon.size(), Design().ScLat.size());
    }
}

TEST(ScCalc, JumpsNearThePoleAreFilledInThirds) {
    // Centre 80N 0, radius 9 54': from azimuth 0 to 1 the longitude leaps from
    // 0 to about 59.45, so two points go in at a third and two thirds; the
    // same before azimuth 360.
    ResetDesignState();
    auto& d = Design();
    SetCircles(80, 0, 9.9, 1);
    ScCalc();
    ASSERT_EQ(d.ScCircleEnd[1], 365);
    EXPECT_NEAR(d.ScLon[4], 59.45, 0.005);
    for (int first : {1, 362}) {  // azimuths 0 and 359, each followed by two inserted points
        const int last = first + 3;
        for (int j = 1; j <= 2; ++j) {
            const double f = j / 3.0;
            EXPECT_NEAR(d.ScLat[first + j], d.ScLat[first] + f * (d.ScLat[last] - d.ScLat[first]), 1e-12);
            EXPECT_NEAR(d.ScLon[first + j], d.ScLon[first] + f * (d.ScLon[last] - d.ScLon[first]), 1e-12);
        }
    }
    EXPECT_EQ(d.ScLon[1], 0);
    EXPECT_EQ(d.ScLon[365], 0);
}

// Great-circle distance in degrees (haversine: exact also for short and
// near-antipodal distances).
double DistanceDeg(double lat1, double lon1, double lat2, double lon2) {
    const double r = std::numbers::pi / 180;
    const double a = std::sin((lat2 - lat1) * r / 2);
    const double b = std::sin((lon2 - lon1) * r / 2);
    const double h = a * a + std::cos(lat1 * r) * std::cos(lat2 * r) * b * b;
    return 2 * std::asin(std::sqrt(std::min(1.0, h))) / r;
}

// Points filled in between two computed points follow the longitude step the
// short way, so every point of a circle stays as near to it as linear
// interpolation allows, wherever the circle passes a pole or the 180th
// meridian; stored neighbours are less than 20 degrees of longitude apart,
// or nearly 360 across the 180th meridian.
TEST(ScCalc, FilledPointsStayNextToTheCircle) {
    struct FillCase {
        const char* name;
        double lat, lon, radius;
        int16_t points;   // in all, filled ones included
        double maxError;  // largest distance of a point from its circle, degrees
    };
    const FillCase cases[] = {
        // Round the South Pole, 1 degree past it: steps of 45 degrees on
        // both sides of the far meridian (200 E), two points filled in each.
        {"past the South Pole", -10, 20, 81, 365, 0.105},
        {"past the South Pole, far meridian 180", -10, 0, 81, 365, 0.105},
        {"past the North Pole", 10, 20, 81, 365, 0.105},
        {"0.1 degree past the South Pole", -80, 170, 10.1, 367, 0.031},
        {"0.0005 degree past the South Pole, small", -89.9, 45, 0.1005, 367, 0.0005},
        {"0.01 degree past the South Pole, near 180", -88, -179, 2.01, 367, 0.009},
        {"0.1 degree short of the South Pole", -80, -30, 9.9, 365, 0.028},
        // No filling: the points are the computed ones.
        {"across 180 eastwards", 0, 170, 15, 361, 1e-9},
        {"across 180 westwards", 0, -170, 15, 361, 1e-9},
    };
    for (const FillCase& c : cases) {
        SCOPED_TRACE(c.name);
        ResetDesignState();
        ScopedScriptedMessageBox boxes;
        auto& d = Design();
        SetCircles(c.lat, c.lon, c.radius, 1);
        ScCalc();
        EXPECT_TRUE(boxes.log.empty());
        EXPECT_EQ(d.ScCircleEnd[1], c.points);
        double worst = 0;
        int worstAt = 0;
        int longSteps = 0;
        for (int i = 1; i <= d.ScCircleEnd[1]; ++i) {
            const double error = std::fabs(DistanceDeg(c.lat, c.lon, d.ScLat[i], d.ScLon[i]) - c.radius);
            if (error > worst) {
                worst = error;
                worstAt = i;
            }
            EXPECT_TRUE(d.ScLon[i] >= -180 && d.ScLon[i] <= 180) << "point " << i << ": " << d.ScLon[i];
            const double step = i > 1 ? std::fabs(d.ScLon[i] - d.ScLon[i - 1]) : 0;
            if (step >= 20 && step <= 340) ++longSteps;
        }
        EXPECT_LE(worst, c.maxError) << "point " << worstAt << " at " << d.ScLat[worstAt] << " " << d.ScLon[worstAt];
        EXPECT_EQ(longSteps, 0);
    }
}

TEST(ScCalc, SpecialPlaces) {
    ResetDesignState();
    auto& d = Design();

    // About a pole: one latitude all round; due east and west exactly a
    // quarter turn from the centre's meridian.
    SetCircles(90, 30, 20, 1);
    ScCalc();
    for (int i = 1; i <= 361; ++i) EXPECT_NEAR(d.ScLat[i], 70, 1e-12) << i;
    EXPECT_EQ(d.ScLon[1 + 90], 120);
    EXPECT_EQ(d.ScLon[1 + 270], -60);
    EXPECT_EQ(d.ScLon[1], -150);  // due north of the pole: the far meridian
    SetCircles(-90, 45, 20, 1);
    ScCalc();
    for (int i = 1; i <= 361; ++i) EXPECT_NEAR(d.ScLat[i], -70, 1e-12) << i;
    EXPECT_EQ(d.ScLon[1 + 90], 135);
    EXPECT_EQ(d.ScLon[1 + 270], -45);

    // Radius 0: every point is the centre.
    SetCircles(-12.5, 34.25, 0, 1);
    ScCalc();
    for (int i = 1; i <= 361; ++i) {
        EXPECT_NEAR(d.ScLat[i], -12.5, 1e-12) << i;
        EXPECT_NEAR(d.ScLon[i], 34.25, 1e-12) << i;
    }

    // Radius 180: every point is the antipode, 30S 170W.
    SetCircles(30, 10, 180, 1);
    ScCalc();
    for (int i = 1; i <= 361; ++i) {
        EXPECT_NEAR(d.ScLat[i], -30, 1e-9) << i;
        EXPECT_NEAR(AngleDiff(d.ScLon[i], -170), 0, 1e-9) << i;
    }

    // x near zero at 60 and 300: the points lie due east and west of the
    // centre's meridian and continue their neighbours without filling.
    SetCircles(45, 0, 63 + 26 / 60.0 + 6 / 3600.0, 1);
    ScCalc();
    EXPECT_EQ(d.ScLon[1 + 60], 90);
    EXPECT_EQ(d.ScLon[1 + 300], -90);
    EXPECT_LT(std::fabs(d.ScLon[60] - 90), 2);
    EXPECT_LT(std::fabs(d.ScLon[62] - 90), 2);

    // Across the 180th meridian: continuous raw longitudes, so no filling;
    // the stored ones jump by nearly 360 on the outer circle only.
    SetCircles(0, 170, 15, 3);
    ScCalc();
    auto jumps = [&](int k) {
        int n = 0;
        for (int i = d.ScCircleEnd[k - 1] + 2; i <= d.ScCircleEnd[k]; ++i) {
            if (std::fabs(d.ScLon[i] - d.ScLon[i - 1]) > 340) ++n;
        }
        return n;
    };
    EXPECT_EQ(jumps(1), 0);
    EXPECT_EQ(jumps(2), 0);
    EXPECT_EQ(jumps(3), 2);
}

TEST(ScCalc, RecomputingReplacesThePoints) {
    ResetDesignState();
    auto& d = Design();
    SetCircles(10, 20, 30, 3);
    ScCalc();
    ASSERT_EQ(d.ScLat.size(), 1084u);
    SetCircles(10, 20, 30, 1);
    ScCalc();
    EXPECT_EQ(Ends(), (std::vector<int16_t>{0, 361}));
    EXPECT_EQ(d.ScLat.size(), 362u);
    EXPECT_NEAR(d.ScLat[1], 40, 1e-12);  // the outer radius, due north
}

TEST(ScCalc, TooManyPointsOverflowAndKeepWhatWasComputed) {
    // 92 circles of 361 points: the 32768th point, on circle 91, overflows
    // the count; circle 92 is never reached.
    ResetDesignState();
    ScopedScriptedMessageBox boxes;
    auto& d = Design();
    SetCircles(10, 20, 30, 92);
    ScCalc();
    ASSERT_EQ(boxes.log.size(), 1u);
    EXPECT_EQ(boxes.log[0].text, "Error: Overflow");
    EXPECT_EQ(boxes.log[0].title, "Error in ScCalc");
    EXPECT_EQ(boxes.log[0].icon, MsgIcon::Exclamation);
    ASSERT_EQ(d.ScCircleEnd.size(), 93u);
    EXPECT_EQ(d.ScCircleEnd[90], 90 * 361);
    EXPECT_EQ(d.ScCircleEnd[91], 32767);
    EXPECT_EQ(d.ScCircleEnd[92], 0);
    EXPECT_EQ(d.ScLat.size(), 32768u);
}

TEST(ScCalc, InvalidInputsShowTheBox) {
    struct BadCase {
        const char* name;
        double radius;
        int16_t count;
        const char* text;
    };
    const BadCase cases[] = {
        {"negative count", 10, -1, "Error: Subscript out of range"},
        {"radius not a number", std::nan(""), 1, "Error: Overflow"},
    };
    for (const BadCase& c : cases) {
        SCOPED_TRACE(c.name);
        ResetDesignState();
        auto& d = Design();
        SetCircles(10, 20, 10, 1);
        ScCalc();
        ScopedScriptedMessageBox boxes;
        SetCircles(10, 20, c.radius, c.count);
        ScCalc();
        ASSERT_EQ(boxes.log.size(), 1u);
        EXPECT_EQ(boxes.log[0].text, c.text);
        EXPECT_EQ(boxes.log[0].title, "Error in ScCalc");
        EXPECT_EQ(d.ScLat.size(), 1u);
        EXPECT_EQ(d.ScLon.size(), 1u);
    }
}

}  // namespace
}  // namespace tlrx
