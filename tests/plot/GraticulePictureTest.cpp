// The graticule of each projection family drawn on a 1024 x 768 window. The
// pictures are saved as PNG files in the build folder for a look by eye.

#include <gtest/gtest.h>

#include <QImage>
#include <cmath>
#include <functional>
#include <string>

#include "GridTestSupport.h"
#include "platform/Events.h"
#include "platform/MessageBox.h"
#include "support/ScriptedMessageBox.h"

namespace tlrx {
namespace {

bool Dark(const QImage& image, int x, int y) {
    return x >= 0 && y >= 0 && x < image.width() && y < image.height() && qGray(image.pixel(x, y)) < 128;
}

// The map's place on the window, in pixels.
struct MapBox {
    double left, top, right, bottom;
    double cx, cy, radius;  // azimuthal maps: the projection's origin and the boundary circle
};

MapBox CurrentMapBox() {
    const DesignState& d = Design();
    const PlotState& p = Plot();
    const double t = FakeHost::kTwipsPerPixel;
    MapBox box{};
    box.left = p.DevOffsetX / t;
    box.right = ((d.MapXMax - d.MapXMin) * p.DevScaleX + p.DevOffsetX) / t;
    box.bottom = p.DevOffsetY / t;
    box.top = (p.DevOffsetY - (d.MapYMax - d.MapYMin) * p.DevScaleY) / t;
    box.cx = ((0 - d.MapXMin) * p.DevScaleX + p.DevOffsetX) / t;
    box.cy = (p.DevOffsetY - (0 - d.MapYMin) * p.DevScaleY) / t;
    box.radius = d.MapXMax * p.DevScaleX / t;
    return box;
}

struct PictureCase {
    const char* name;
    std::function<void()> design;
    bool azimuthal;
};

void PrintTo(const PictureCase& c, std::ostream* os) { *os << c.name; }

class GraticulePictureTest : public ::testing::TestWithParam<PictureCase> {
protected:
    FakeHost host{1024, 768};
    test::DrawingSetUp setUp{host};
    ScopedScriptedMessageBox boxes;
};

TEST_P(GraticulePictureTest, GridLiesOnTheMap) {
    const PictureCase& c = GetParam();
    c.design();
    // The export beside the picture, with the numbers that turn it back into
    // projection units (fixtures/check_on_graticule.py reads both).
    const std::string stem = std::string(TLRX_TEST_OUT_DIR) + "/graticule-" + c.name;
    Plot().OutAscii = true;
    Plot().AscFileName = {"", stem + ".txt", stem + "-boundary.txt"};
    if (Design().ProjCode == ProjInterruptedMollweide) test::DrawLobes();
    else test::DrawSinglePass();
    EXPECT_TRUE(boxes.log.empty()) << boxes.log[0].text;
    EXPECT_EQ(Design().PlotStopText, "");
    const MapBox box = CurrentMapBox();
    {
        const DesignState& d = Design();
        std::ofstream params(stem + ".params");
        params.precision(17);
        params << "code " << d.ProjCode << "\nMapXMin " << d.MapXMin << "\nMapYMin " << d.MapYMin << "\nAsciiScale "
               << Plot().AsciiScale << "\nCentLat " << d.CentLat << "\nCentLon " << d.CentLon << "\nAzRange "
               << d.AzRangeSec / 3600.0 << "\nLatSpacing " << d.LatSpacing << "\nLonSpacing " << d.LonSpacing
               << "\nVpDistanceKm " << d.VpDistanceKm << "\n";
    }
    // Every exported point lies on the map.
    const auto lines = test::ReadPolylines(stem + ".txt");
    ASSERT_FALSE(lines.empty());
    const DesignState& d = Design();
    const double height = (d.MapYMax - d.MapYMin) * Plot().AsciiScale;
    for (const auto& line : lines) {
        for (const test::AsciiPoint& pt : line) {
            if (c.azimuthal) {
                EXPECT_LE(std::hypot(pt.x - 0.5, pt.y - 0.5), 0.5 + 2e-7) << pt.x << " " << pt.y;
            } else {
                EXPECT_TRUE(pt.x >= -1e-7 && pt.x <= 1 + 1e-7 && pt.y >= -1e-7 && pt.y <= height + 1e-7)
                    << pt.x << " " << pt.y;
            }
        }
    }
    const QImage& picture = host.Picture();
    const std::string path = std::string(TLRX_TEST_OUT_DIR) + "/graticule-" + c.name + ".png";
    ASSERT_TRUE(picture.save(QString::fromStdString(path)));

    int inside = 0, outside = 0;
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            if (!Dark(picture, x, y)) continue;
            const bool in = c.azimuthal
                                ? std::hypot(x - box.cx, y - box.cy) <= box.radius + 1.5
                                : x >= box.left - 1 && x <= box.right + 1 && y >= box.top - 1 && y <= box.bottom + 1;
            (in ? inside : outside)++;
        }
    }
    EXPECT_GT(inside, 2000);
    EXPECT_EQ(outside, 0);
    if (c.azimuthal) {
        // The boundary circle: dark pixels all round it.
        for (int a = 0; a < 360; a += 5) {
            const double ax = box.cx + box.radius * std::cos(a * Design().DegToRad);
            const double ay = box.cy - box.radius * std::sin(a * Design().DegToRad);
            bool found = false;
            for (int dy = -2; dy <= 2 && !found; ++dy)
                for (int dx = -2; dx <= 2 && !found; ++dx)
                    found = Dark(picture, int(std::lround(ax)) + dx, int(std::lround(ay)) + dy);
            EXPECT_TRUE(found) << "no boundary at " << a << " degrees";
        }
    } else {
        // The corners of a rectangular map's boundary lines.
        EXPECT_TRUE(Dark(picture, int(std::lround(box.left)), int(std::lround(box.bottom))) ||
                    Design().ProjCode != ProjEquirectangular);
    }
}

const char* kN90 = "90    00    00    N";
const char* kS90 = "90    00    00    S";
const char* kW180 = "180    00    00    W";
const char* kE180 = "180    00    00    E";

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Families, GraticulePictureTest,
    ::testing::Values(
        PictureCase{"default", [] {}, false},
        PictureCase{"mercator", [] { test::UseDesign(ProjMercator, "80    00    00    N", "80    00    00    S", kW180, kE180, "020    00    00"); }, false},
        PictureCase{"cylindrical-equal-area", [] { test::UseDesign(ProjCylEqualArea); }, false},
        PictureCase{"equidistant-conic", [] { test::UseDesign(ProjEquidistantConic, "70    00    00    N", "20    00    00    N", "130    00    00    W", "050    00    00    W", "010    00    00", "020    00    00"); }, false},
        PictureCase{"conformal-conic", [] { test::UseDesign(ProjConformalConic, "70    00    00    N", "20    00    00    N", "130    00    00    W", "050    00    00    W", "010    00    00", "020    00    00"); }, false},
        PictureCase{"albers", [] { test::UseDesign(ProjAlbers, "70    00    00    N", "20    00    00    N", "130    00    00    W", "050    00    00    W", "010    00    00", "020    00    00"); }, false},
        PictureCase{"hammer", [] { test::UseDesign(ProjHammer, kN90, kS90, kW180, kE180, "015    00    00", "030    00    00"); }, false},
        PictureCase{"robinson", [] { test::UseDesign(ProjRobinson); }, false},
        PictureCase{"mollweide", [] { test::UseDesign(ProjMollweide); }, false},
        PictureCase{"interrupted-mollweide", [] { test::UseInterruptedWorld(); }, false},
        PictureCase{"interrupted-mollweide-70N-80S", [] { test::UseInterruptedWorld("70    00    00    N", "80    00    00    S"); }, false},
        PictureCase{"utm", [] { test::UseUtm(); }, false},
        PictureCase{"stereographic-30N-45", [] { test::UseAzimuthal(ProjStereographic, "30    00    00    N", "045    00    00", "015    00    00", "015    00    00"); }, true},
        PictureCase{"orthographic-0N-90", [] { test::UseAzimuthal(ProjOrthographic, "00    00    00    N", "090    00    00", "015    00    00", "015    00    00"); }, true},
        PictureCase{"gnomonic-pole-60", [] { test::UseAzimuthal(ProjGnomonic, kN90, "060    00    00", "010    00    00", "030    00    00"); }, true},
        PictureCase{"equal-area-40N-60", [] { test::UseAzimuthal(ProjAzEqualArea, "40    00    00    N", "060    00    00", "010    00    00", "020    00    00"); }, true},
        PictureCase{"equidistant-whole-40N", [] { test::UseAzimuthal(ProjAzEquidistant, "40    00    00    N", "180    00    00", "010    00    00", "015    00    00"); }, true},
        PictureCase{"equal-area-whole-pole", [] { test::UseAzimuthal(ProjAzEqualArea, kN90, "180    00    00", "015    00    00", "015    00    00"); }, true},
        PictureCase{"equidistant-20N-175", [] { test::UseAzimuthal(ProjAzEquidistant, "20    00    00    N", "175    00    00", "015    00    00", "015    00    00"); }, true},
        PictureCase{"vertical-perspective", [] { test::UseAzimuthal(ProjVerticalPerspective, "40    00    00    N", "000    00    00", "015    00    00", "015    00    00"); }, true},
        PictureCase{"orthographic-grid-points", [] { test::UseAzimuthal(ProjOrthographic, "50    00    00    N", "090    00    00", "015    00    00", "015    00    00"); Design().GridType = 1; Plot().GridOutputCount = 2; }, true}),
    [](const ::testing::TestParamInfo<PictureCase>& info) {
        std::string name = info.param.name;
        for (char& ch : name)
            if (ch == '-') ch = '_';
        return name;
    });
// clang-format on

}  // namespace
}  // namespace tlrx
