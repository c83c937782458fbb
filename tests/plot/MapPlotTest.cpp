// The map plotting pass: the default world drawn on a window, the symbology
// of feature rows, exports per map file and per lobe, failure boxes, stops.

#include <gtest/gtest.h>

#include <QImage>
#include <chrono>
#include <cmath>
#include <filesystem>
#include <map>
#include <string>

#include "GridTestSupport.h"
#include "core/Errors.h"
#include "platform/Events.h"
#include "platform/MessageBox.h"
#include "plot/MapPlot.h"
#include "plot/StopRun.h"

namespace tlrx {
namespace {

namespace fs = std::filesystem;

// Pixel of a geographic point on the window (degrees, east positive).
QPoint PixelOf(double lat, double lon) {
    DesignState& d = Design();
    const PlotState& p = Plot();
    double frame = lon - d.LonWest;
    if (frame < 0) frame += 360;
    d.ProjInLat = lat;
    d.ProjInLon = frame;
    ProjectSelect();
    const double t = FakeHost::kTwipsPerPixel;
    return QPoint(int(std::lround(((d.ProjOutX - d.MapXMin) * p.DevScaleX + p.DevOffsetX) / t)),
                  int(std::lround((p.DevOffsetY - (d.ProjOutY - d.MapYMin) * p.DevScaleY) / t)));
}

// The map's box on the window in pixels: left, top, right, bottom.
QRect MapBoxPixels() {
    const QPoint lowerLeft = PixelOf(Design().LatSouth, Design().LonWest);
    const QPoint upperRight = PixelOf(Design().LatNorth, Design().LonWest + Design().FrameEast - 1e-9);
    return QRect(QPoint(lowerLeft.x(), upperRight.y()), QPoint(upperRight.x(), lowerLeft.y()));
}

QRgb Colour(int r, int g, int b) { return qRgb(r, g, b); }

// Whether a pixel of the colour lies within `radius` pixels of `at`.
bool ColourNear(const QImage& image, QPoint at, QRgb colour, int radius) {
    for (int y = at.y() - radius; y <= at.y() + radius; ++y)
        for (int x = at.x() - radius; x <= at.x() + radius; ++x)
            if (x >= 0 && y >= 0 && x < image.width() && y < image.height() &&
                (image.pixel(x, y) & 0xFFFFFF) == (colour & 0xFFFFFF))
                return true;
    return false;
}

class MapPlotTest : public ::testing::Test {
protected:
    FakeHost host{1024, 768};
    test::DrawingSetUp setUp{host};
    ScopedScriptedMessageBox boxes;
};

TEST_F(MapPlotTest, DefaultWorldInItsColours) {
    // The default design, whose input file 1 is the world map beside the program.
    const fs::path besideProgram = fs::path(TLRX_TEST_OUT_DIR) / ".." / "..";
    if (fs::exists(besideProgram / "Tlrx4.map")) ResetDesignState(besideProgram.string() + "/");
    else test::UseMapFile(test::WorldMapPath());
    host.caption = "Tellurax: click on Stop or press Esc to stop plotting";

    const auto start = std::chrono::steady_clock::now();
    test::DrawSinglePass(true);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    RecordProperty("DrawSeconds", std::to_string(seconds));
    std::printf("the default world drew in %.3f s\n", seconds);
    EXPECT_LT(seconds, 5.0);

    ASSERT_TRUE(boxes.log.empty()) << boxes.log[0].title << ": " << boxes.log[0].text;
    EXPECT_EQ(Design().PlotStopText, "");
    EXPECT_EQ(host.caption, "Tellurax: click on Stop or press Esc to stop plotting Tlrx4.map");
    // 130,267 points: a refresh and a yield every 800.
    EXPECT_EQ(host.refreshCount, 130267 / 800);

    const QImage& picture = host.Picture();
    ASSERT_TRUE(picture.save(QString::fromStdString(std::string(TLRX_TEST_OUT_DIR) + "/map-default-world.png")));

    const QRgb green = Colour(0, 128, 0), blue = Colour(0, 0, 255), red = Colour(255, 0, 0),
               magenta = Colour(255, 0, 255), maroon = Colour(128, 0, 0);
    // Every coloured pixel lies on the map; each class has its share.
    const QRect box = MapBoxPixels().adjusted(-1, -1, 1, 1);
    std::map<QRgb, int> inside;
    int outside = 0;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x) {
            const QRgb c = picture.pixel(x, y);
            if (qRed(c) == qGreen(c) && qGreen(c) == qBlue(c)) continue;  // white, black, grey
            if (box.contains(x, y)) ++inside[c & 0xFFFFFF];
            else ++outside;
        }
    EXPECT_EQ(outside, 0);
    EXPECT_GT(inside[green & 0xFFFFFF], 20000);
    EXPECT_GT(inside[blue & 0xFFFFFF], 5000);
    EXPECT_GT(inside[red & 0xFFFFFF], 3000);
    EXPECT_GT(inside[magenta & 0xFFFFFF], 100);
    EXPECT_GT(inside[maroon & 0xFFFFFF], 500);

    // Each where it belongs.
    EXPECT_TRUE(ColourNear(picture, PixelOf(-34.36, 18.47), green, 2)) << "Cape of Good Hope";
    EXPECT_TRUE(ColourNear(picture, PixelOf(36.0, -5.6), green, 2)) << "Gibraltar";
    EXPECT_TRUE(ColourNear(picture, PixelOf(47.7, -87.5), blue, 3)) << "Lake Superior";
    EXPECT_TRUE(ColourNear(picture, PixelOf(49.0, -105.0), red, 2)) << "49th parallel";
    EXPECT_TRUE(ColourNear(picture, PixelOf(55.0, -110.0), magenta, 2)) << "Alberta and Saskatchewan";
    EXPECT_TRUE(ColourNear(picture, PixelOf(41.0, -104.05), maroon, 2)) << "Colorado and Wyoming";
    EXPECT_FALSE(ColourNear(picture, PixelOf(0.0, -140.0), green, 10)) << "the open Pacific";
}

}  // namespace
}  // namespace tlrx
