// The map plotting pass: the default world drawn on a window, the symbology
// of feature rows, exports per map file and per lobe, failure boxes, stops.

#include <gtest/gtest.h>

#include <QImage>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <string>

#include "GridTestSupport.h"
#include "core/AngleText.h"
#include "core/Errors.h"
#include "core/GreatCircle.h"
#include "core/ProjParams.h"
#include "core/SmallCircle.h"
#include "core/Utm.h"
#include "platform/Events.h"
#include "platform/MessageBox.h"
#include "plot/MapPlot.h"
#include "plot/Scaling.h"
#include "plot/StopRun.h"
#include "support/ScriptedMessageBox.h"
#include "support/ScriptedSurface.h"

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

TEST_F(MapPlotTest, DefaultWorldWithTheDefaultGreatAndSmallCircles) {
    const fs::path besideProgram = fs::path(TLRX_TEST_OUT_DIR) / ".." / "..";
    if (fs::exists(besideProgram / "Tlrx4.map")) ResetDesignState(besideProgram.string() + "/");
    else test::UseMapFile(test::WorldMapPath());
    DesignState& d = Design();
    d.GcDefined = true;
    GcCalc();
    d.ScDefined = true;
    d.ScCenterLat = LatTextToDeg(d.ScText[0]);  // what the small circle dialog's OK sets
    d.ScCenterLon = LonTextToDeg(d.ScText[1]);
    ScCalc();
    ASSERT_TRUE(boxes.log.empty());

    test::DrawSinglePass(true);
    ASSERT_TRUE(boxes.log.empty()) << boxes.log[0].title << ": " << boxes.log[0].text;
    const QImage& picture = host.Picture();
    ASSERT_TRUE(
        picture.save(QString::fromStdString(std::string(TLRX_TEST_OUT_DIR) + "/map-default-world-circles.png")));

    // In the circles' blue over open sea, where no lake or river is drawn:
    // the route over the North Atlantic, the rings over the Pacific.
    const QRgb blue = Colour(0, 0, 255);
    int routePoints = 0, ringPoints = 0;
    for (int32_t k = d.GcFirst; k != d.GcLast + d.GcStep; k += d.GcStep) {
        if (d.GcLon[k] < -40 || d.GcLon[k] > -25) continue;
        ++routePoints;
        EXPECT_TRUE(ColourNear(picture, PixelOf(d.GcLat[k], d.GcLon[k]), blue, 1)) << d.GcLat[k] << " " << d.GcLon[k];
    }
    for (size_t k = 1; k < d.ScLat.size(); ++k) {
        if (d.ScLon[k] > -135 || d.ScLon[k] < -150) continue;
        ++ringPoints;
        EXPECT_TRUE(ColourNear(picture, PixelOf(d.ScLat[k], d.ScLon[k]), blue, 1)) << d.ScLat[k] << " " << d.ScLon[k];
    }
    EXPECT_GT(routePoints, 10);
    EXPECT_GT(ringPoints, 10);
}

// The pass alone, on a recording window, with files of the test's folder.
class MapPassTest : public ::testing::Test {
protected:
    // A map file added to the design's list, in the symbology of file 1;
    // returns its number.
    int16_t AddMapFile(const std::string& path, int16_t symbolType = SymLine) {
        DesignState& d = Design();
        const int16_t file = ++d.NumInputFiles;
        ResizeInputFiles(file);
        d.InputFileName(file) = path;
        d.InputFileSymbolType(file) = symbolType;
        for (int row = 1; row <= d.NumGeoFeatures; ++row) {
            d.FeatureSelected(row, file) = d.FeatureSelected(row, 1);
            d.FeatureColor(row, file) = d.FeatureColor(row, 1);
            d.FeatureLineWidth(row, file) = d.FeatureLineWidth(row, 1);
            d.FeatureSymbolRadius(row, file) = d.FeatureSymbolRadius(row, 1);
            d.FeatureBorderWidth(row, file) = d.FeatureBorderWidth(row, 1);
        }
        return file;
    }

    // A copy of a sample under another name.
    std::string Copy(const std::string& sample, const std::string& name) {
        const std::string path = dir + "/" + name;
        fs::copy_file(test::SamplePath(sample), path, fs::copy_options::overwrite_existing);
        return path;
    }

    std::string Ascii(int file) const { return dir + "/map" + std::to_string(file) + ".txt"; }

    // Earlier exports under the names of the first `count` ASCII files, and
    // the outputs staged as a drawing run stages them: a run that does not
    // complete leaves those files as they were.
    void KeepEarlierAscii(int count) {
        for (int i = 1; i <= count; ++i) test::WriteFile(Ascii(i), "earlier " + std::to_string(i));
        Files().StageOutputs();
    }
    void ExpectEarlierAscii(int count) {
        for (int i = 1; i <= count; ++i) EXPECT_EQ(test::FileBytes(Ascii(i)), "earlier " + std::to_string(i));
    }

    // The ASCII export of every map file (no graticule files).
    void ExportAscii() {
        PlotState& p = Plot();
        Design().GridType = 5;
        p.GridOutputCount = 0;
        p.OutAscii = true;
        p.AscFileName = {""};
        for (int i = 1; i <= Design().NumInputFiles; ++i) p.AscFileName.push_back(Ascii(i));
    }

    // One pass: the graticule, then the map pass with the window's calls
    // recorded from its start.
    void DrawMap() {
        test::DrawSinglePass();
        host.scripted.calls.clear();
        host.caption = "Run";
        MapPlot();
    }

    // The pens created on the window, as "width,colour".
    std::vector<std::string> Pens() const {
        std::vector<std::string> pens;
        for (const std::string& call : host.scripted.calls)
            if (call.rfind("CreatePen(0,", 0) == 0) pens.push_back(call.substr(12, call.size() - 13));
        return pens;
    }

    void ExpectCleanSurface() {
        EXPECT_EQ(Plot().DrawPen, 0u);
        EXPECT_EQ(Plot().OldPen, 0u);
        EXPECT_EQ(host.Real().LiveObjects(), 0u);
    }

    test::ScriptedHost host{1024, 768};
    test::DrawingSetUp setUp{host};
    ScopedScriptedMessageBox boxes;
    std::string dir = test::TestFolder();
};

TEST_F(MapPassTest, EveryFeatureRowInItsOwnPen) {
    DesignState& d = Design();
    d.NumInputFiles = 0;
    const int16_t file = AddMapFile(test::SamplePath("nw.map"));
    for (int row = 1; row <= 10; ++row) {
        d.FeatureColor(row, file) = row;
        d.FeatureLineWidth(row, file) = static_cast<int16_t>(15 * row);  // row pixels
    }
    d.FeatureSelected(2, file) = false;  // no islands
    DrawMap();
    EXPECT_TRUE(boxes.log.empty());

    // A pen for every drawn segment: coastlines 2, lakes 4, rivers 10,
    // countries 3, Canada 1, United States 4.
    std::map<std::string, int> pens;
    for (const std::string& pen : Pens()) ++pens[pen];
    const std::map<std::string, int> expected = {{"1,1", 2}, {"3,3", 4}, {"4,4", 10},
                                                 {"5,5", 3}, {"7,7", 1}, {"9,9", 4}};
    EXPECT_EQ(pens, expected);
    EXPECT_EQ(host.caption, "Run nw.map");
    ExpectCleanSurface();

    // Every drawn line on the map's box.
    const QRect box = MapBoxPixels().adjusted(-1, -1, 1, 1);
    for (const auto& line : test::SurfaceLines(host.scripted.calls))
        for (const DevPoint& pt : line) EXPECT_TRUE(box.contains(pt.x, pt.y)) << pt.x << "," << pt.y;
}

TEST_F(MapPassTest, SymbolFilesTakeTheirBorderWidthAndSymbolSize) {
    DesignState& d = Design();
    d.FeatureLineWidth(1, 1) = 45;
    d.FeatureBorderWidth(1, 1) = 30;
    d.FeatureSymbolRadius(1, 1) = 90;
    d.FeatureColor(1, 1) = 0x0000FF;
    d.FeatureSelected(1, 1) = true;
    d.NumInputFiles = 0;
    const int16_t squares = AddMapFile(Copy("nw.prn", "places.prn"), SymSquare);
    d.FeatureColor(1, squares) = 0x0000FF;
    DrawMap();
    EXPECT_TRUE(boxes.log.empty());
    // Hollow squares: the border width, 2 pixels; half-size 90 - 15 twips.
    EXPECT_EQ(Pens(), std::vector<std::string>{"2,255"});
    EXPECT_EQ(Plot().SymbolHalfW, 75);
    const auto calls = host.scripted.CallNames();
    EXPECT_EQ(std::count(calls.begin(), calls.end(), "Rectangle"), 944);
}

TEST(SymbolSizeTest, HalfSizesAndFileUnits) {
    ResetDesignState();
    ResetPlotState();
    DesignState& d = Design();
    PlotState& p = Plot();
    p.OutExtentX = 32000;
    p.DrawWidthTwips = 16000;
    d.FeatureSymbolRadius(1, 1) = 90;  // 6 pixels
    d.FeatureBorderWidth(1, 1) = 45;   // 3 pixels
    struct Case {
        int16_t mode;
        bool scaling;
        int32_t half, radiusOut, borderOut;
    };
    const Case cases[] = {
        {SymSquare, false, 68, 136, 3},                                        // hollow: 90 - 22
        {SymSquareFilled, false, 90, 180, 3}, {SymCircle, true, 68, 136, 90},  // border in file units with line scaling
        {SymPlus, false, 90, 180, 3},         {SymDot, false, 90, 2, 3},
        {SymDiamond, false, 68, 136, 3},      {SymTriangle, false, 68, 136, 3},
    };
    for (const Case& c : cases) {
        p.PlotMode = c.mode;
        d.LineWidthScaling = c.scaling;
        SymbolSize(1, 1);
        EXPECT_EQ(p.SymbolHalfW, c.half) << c.mode;
        EXPECT_EQ(p.SymbolHalfH, c.half) << c.mode;
        EXPECT_EQ(p.SymbolRadiusOut, c.radiusOut) << c.mode;
        EXPECT_EQ(p.SymbolBorderOut, c.borderOut) << c.mode;
    }
    d.FeatureSymbolRadius(1, 1) = 30000;
    p.PlotMode = SymSquareFilled;
    EXPECT_THROW(SymbolSize(1, 1), RuntimeError);  // 60000 file units: beyond 16 bits
}

TEST_F(MapPassTest, PenWidthsOfZeroAndOnThePrinter) {
    DesignState& d = Design();
    d.NumInputFiles = 0;
    const int16_t file = AddMapFile(test::SamplePath("nw.map"));
    for (int row = 1; row <= 10; ++row) d.FeatureSelected(row, file) = row == 1;
    d.FeatureLineWidth(1, file) = 0;
    d.FeatureColor(1, file) = 7;
    DrawMap();
    EXPECT_EQ(Pens(), (std::vector<std::string>{"0,7", "0,7"}));  // the thinnest line

    // Printed with relative line scaling: 2 screen pixels on a map 9360
    // twips wide printed from a window 9000 twips wide, at 2.4 twips per
    // printer pixel: round(1.04 * 2 * 15 / 2.4) = 13 pixels.
    FakeHost window(600, 400);
    SetMainWindow(&window);
    QImage page(5000, 4000, QImage::Format_RGB32);
    QtSurface pageSurface(page);
    ScriptedSurface printer(pageSurface);
    PlotState& p = Plot();
    d.FeatureLineWidth(1, file) = 30;
    d.LineWidthScaling = true;
    test::PrepareDrawingRun();
    ScalePrinter();
    p.Printing = true;
    p.PrinterDC = &printer;
    p.PrnTwipsPerPixelX = p.PrnTwipsPerPixelY = 2.4f;
    p.PrinterUnits = 1440;
    p.PrnMapWidth = 6.5f;
    d.FirstPass = d.LastPass = true;
    MapPlot();
    std::vector<std::string> printed;
    for (const std::string& call : printer.calls)
        if (call.rfind("CreatePen", 0) == 0) printed.push_back(call);
    EXPECT_EQ(printed, (std::vector<std::string>{"CreatePen(0,13,7)", "CreatePen(0,13,7)"}));
    EXPECT_EQ(p.DevTwipsPerPixelX, 2.4f);
    EXPECT_TRUE(boxes.log.empty());

    printer.calls.clear();
    d.LineWidthScaling = false;
    MapPlot();
    EXPECT_EQ(std::count(printer.calls.begin(), printer.calls.end(), "CreatePen(0,2,7)"), 2);
    SetMainWindow(&host);
}

TEST_F(MapPassTest, PointFileDrawsEverySelectedRowInRowOne) {
    DesignState& d = Design();
    d.NumInputFiles = 0;
    const int16_t file = AddMapFile(Copy("nw.pnt", "nw.pnt"), SymCircleFilled);
    for (int row = 1; row <= 10; ++row) {
        d.FeatureSelected(row, file) = false;
        d.FeatureColor(row, file) = 100 + row;
    }
    d.FeatureSelected(1, file) = true;
    DrawMap();
    EXPECT_TRUE(boxes.log.empty());
    for (int row = 1; row <= 10; ++row) EXPECT_TRUE(d.FeatureSelected(row, file)) << row;
    const std::vector<std::string> pens = Pens();
    EXPECT_EQ(pens.size(), 929u);  // one per record: each starts a segment
    EXPECT_TRUE(std::all_of(pens.begin(), pens.end(), [](const std::string& pen) { return pen == "1,101"; }));
}

TEST_F(MapPassTest, AsciiExportPerMapFileWhateverItsName) {
    DesignState& d = Design();
    d.NumInputFiles = 0;
    AddMapFile(Copy("nw.map", "WORLD.Map"));  // MWDB
    AddMapFile(Copy("nw.prn", "coast.pr"));   // ASCII, degrees
    AddMapFile(Copy("nw.prn", "coast.txt"));
    ExportAscii();
    DrawMap();
    EXPECT_TRUE(boxes.log.empty());
    EXPECT_EQ(host.caption, "Run coast.txt");
    EXPECT_EQ(test::ReadPolylines(Ascii(1)).size(), 36u);
    EXPECT_EQ(test::ReadPolylines(Ascii(2)).size(), 44u);
    EXPECT_EQ(test::FileBytes(Ascii(3)), test::FileBytes(Ascii(2)));
    for (int i = 1; i <= 3; ++i) EXPECT_EQ(test::ReadLines(Ascii(i)).back(), "5.0000000  05.0000000") << i;
    // Each file's lines are the lines drawn from it.
    const auto drawn = test::SurfaceLines(host.scripted.calls);
    EXPECT_EQ(drawn.size(), 36u + 44u + 44u);
    EXPECT_TRUE(Plot().OutAscii);  // for the next lobe
    EXPECT_EQ(Plot().CurOutFile, "");
}

TEST_F(MapPassTest, UtmFileOnTheUtmMapLiesOnItsDegreeTwin) {
    DesignState& d = Design();
    d.UtmSpheroidName = "Clarke 1866";
    d.UtmText[0] = "123    00    00    W";
    CalcUtmZone();
    test::UseUtm();  // 300,000 to 800,000 m east, 5,600,000 to 6,200,000 m north
    d.LatSouthSec = 4900000;
    d.LatSouth = 4900000;
    ParamSelect();
    d.NumInputFiles = 0;
    AddMapFile(test::SamplePath("nw.utm"));
    AddMapFile(test::SamplePath("nw.prn"));
    ExportAscii();
    DrawMap();
    EXPECT_TRUE(boxes.log.empty());
    const auto metres = test::ReadPolylines(Ascii(1));
    const auto degrees = test::ReadPolylines(Ascii(2));
    ASSERT_EQ(metres.size(), degrees.size());
    ASSERT_GT(metres.size(), 10u);
    // The degree file's points reach the series as whole arc-seconds: up to
    // half a second off, 15.5 m north and south, and a metre of rounding
    // in the metre file and another in the series.
    for (size_t i = 0; i < metres.size(); ++i) {
        ASSERT_EQ(metres[i].size(), degrees[i].size()) << i;
        for (size_t k = 0; k < metres[i].size(); ++k) {
            EXPECT_NEAR(metres[i][k].x, degrees[i][k].x, 18.0 / 500000) << i << " " << k;
            EXPECT_NEAR(metres[i][k].y, degrees[i][k].y, 18.0 / 500000) << i << " " << k;
        }
    }
    // The labels in metres, Seattle among them.
    const PlotState& p = Plot();
    ASSERT_GE(p.MapLabels.size(), 2u);
    EXPECT_EQ(p.MapLabels[1].MapLabelItem.TextItemText, "Seattle");
    EXPECT_EQ(p.MapLabels[1].MapLabelLat, 5272530);
    EXPECT_EQ(p.MapLabels[1].MapLabelLon, 550202);
}

TEST_F(MapPassTest, LabelsOfThePointsOnTheMap) {
    DesignState& d = Design();
    test::UseDesign(ProjEquirectangular, "50    00    00    N", "45    00    00    N", "126    00    00    W",
                    "118    00    00    W", "001    00    00", "001    00    00");
    d.NumInputFiles = 0;
    const int16_t file = AddMapFile(test::SamplePath("nw.prn"));
    d.DefaultFontName = "Liberation Sans";
    d.InputFileLabelFontSize(file) = 12;
    d.InputFileLabelFontColor(file) = 0xFF;
    d.InputFileLabelFontItalic(file) = true;
    DrawMap();
    EXPECT_TRUE(boxes.log.empty());
    const PlotState& p = Plot();
    // Spokane, 117.4 W, lies east of the map.
    std::vector<std::string> texts;
    for (const MapLabel& label : p.MapLabels) texts.push_back(label.MapLabelItem.TextItemText);
    EXPECT_EQ(texts, (std::vector<std::string>{"", "Seattle", "Tacoma", "Olympia", "Portland", "Vancouver",
                                               "Victoria, B.C.", "Kelowna"}));
    ASSERT_EQ(p.MapLabels.size(), 8u);
    EXPECT_NEAR(p.MapLabels[1].MapLabelLat, 47.6062, 0.5 / 3600);
    EXPECT_NEAR(p.MapLabels[1].MapLabelLon, 126 - 122.3321, 0.5 / 3600);  // degrees east of the western boundary
    for (size_t k = 1; k < 8; ++k) {
        const TextItem& item = p.MapLabels[k].MapLabelItem;
        EXPECT_EQ(p.MapLabels[k].MapLabelFile, file);
        EXPECT_EQ(item.TextItemFontName, "Liberation Sans");
        EXPECT_EQ(item.TextItemFontSize, 12);
        EXPECT_EQ(item.TextItemColor, 0xFF);
        EXPECT_TRUE(item.TextItemItalic);
        EXPECT_FALSE(item.TextItemBold);
        EXPECT_EQ(item.TextItemRotation, 0);
        EXPECT_TRUE(item.TextItemFromLabel);
    }
    EXPECT_TRUE(p.MapLabelsPlaced);  // DisplayLabels

    // The next pass starts a new list.
    d.InputFileName(file) = test::SamplePath("nw.map");
    MapPlot();
    EXPECT_EQ(p.MapLabels.size(), 1u);
    EXPECT_FALSE(p.MapLabelsPlaced);
}

// Three lines 700 points long, one line of 900 and 800 points passed over.
TEST_F(MapPassTest, YieldsEvery800PointsOfAFile) {
    std::vector<test::MwdbRecord> short700, long1700;
    for (int k = 0; k < 700; ++k) short700.push_back({int16_t(k == 0 ? 1000 : 0), int16_t(k % 60), int16_t(k / 60)});
    for (int k = 0; k < 1700; ++k)
        long1700.push_back({int16_t(k == 0 ? 1000 : k == 900 ? 5000 : 0), int16_t(k % 60), int16_t(k / 60)});
    test::WriteFile(dir + "/short.map", test::MwdbBytes(short700));
    test::WriteFile(dir + "/long.map", test::MwdbBytes(long1700));
    DesignState& d = Design();
    d.NumInputFiles = 0;
    AddMapFile(dir + "/short.map");
    AddMapFile(dir + "/short.map");
    const int16_t longFile = AddMapFile(dir + "/long.map");
    d.FeatureSelected(2, longFile) = false;  // the islands of the long file are passed over
    std::vector<int> refreshesAtYield;
    test::DrawSinglePass();
    ResetDoEventsCount();
    host.refreshCount = 0;
    SetDoEventsHook([&](int64_t) { refreshesAtYield.push_back(host.refreshCount); });
    MapPlot();
    // The count restarts with each file: 700 + 700 points give no yield,
    // 900 drawn and 800 passed over two, each after a refresh.
    EXPECT_EQ(refreshesAtYield, (std::vector<int>{1, 2}));
    EXPECT_TRUE(boxes.log.empty());
}

struct StopCase {
    const char* name;
    int64_t yield;     // the yield at which Stop comes
    bool islandsOnly;  // the coastlines before the islands are passed over
};
void PrintTo(const StopCase& c, std::ostream* os) { *os << c.name; }

class MapStopTest : public MapPassTest, public ::testing::WithParamInterface<StopCase> {};

TEST_P(MapStopTest, StopEndsThePassWithItsFilesClosed) {
    const StopCase& c = GetParam();
    DesignState& d = Design();
    d.InputFileName(1) = test::WorldMapPath();
    if (c.islandsOnly)
        for (int row = 1; row <= 10; ++row) d.FeatureSelected(row, 1) = row == 2;
    AddMapFile(test::SamplePath("nw.map"));
    d.ScDefined = true;
    d.ScColor = 0x123456;
    d.ScLineWidth = 0;
    ExportAscii();
    KeepEarlierAscii(1);
    test::DrawSinglePass();
    ResetDoEventsCount();
    host.refreshCount = 0;
    host.scripted.calls.clear();
    host.caption = "Run";
    SetDoEventsHook([&](int64_t n) {
        if (n != c.yield) return;
        EXPECT_TRUE(Files().InputOpen());
        ExpectEarlierAscii(1);  // the run writes beside it
        // As if an earlier lobe had appended two label items.
        ResizeTextItems(d.NumTextItems + 2);
        d.NumTextItems += 2;
        StopRun();
    });
    MapPlot();
    EXPECT_EQ(d.PlotStopText, "Escape");
    EXPECT_EQ(DoEventsCount(), c.yield);  // left at once
    EXPECT_EQ(host.refreshCount, c.yield);
    EXPECT_FALSE(Files().InputOpen());
    EXPECT_FALSE(Files().OutputOpen());
    ExpectEarlierAscii(1);               // the partial export is gone, the earlier file stays
    EXPECT_FALSE(fs::exists(Ascii(2)));  // the next file was never begun
    EXPECT_EQ(test::TemporaryFiles(dir), 0);
    EXPECT_EQ(host.caption, "Run Tlrx4.map");
    EXPECT_EQ(Plot().CurOutFile, "");
    EXPECT_EQ(d.NumTextItems, 0);  // no temporary label item outlives the run
    EXPECT_EQ(d.TextItems.size(), 1u);
    // No circle: no pen of the circles' colour after the stop.
    EXPECT_EQ(std::count(host.scripted.calls.begin(), host.scripted.calls.end(),
                         "CreatePen(0,0," + std::to_string(d.ScColor) + ")"),
              0);
    ExpectCleanSurface();
    EXPECT_TRUE(boxes.log.empty());
}

INSTANTIATE_TEST_SUITE_P(Yields, MapStopTest,
                         ::testing::Values(StopCase{"First", 1, false}, StopCase{"Fiftieth", 50, false},
                                           StopCase{"Last", 162, false}, StopCase{"AmongPassedOverRecords", 2, true}),
                         [](const auto& info) { return std::string(info.param.name); });

// `count` copies of `unit` after `head`, written in pieces.
void WriteRepeated(const std::string& path, const std::string& head, const std::string& unit, int64_t count) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << head;
    std::string block;
    for (int i = 0; i < 4096; ++i) block += unit;
    for (; count >= 4096; count -= 4096) out << block;
    for (; count > 0; --count) out << unit;
}

// Large files whose reading hands the pass no point (headers, points before
// any header, separator lines, one endless trailer, empty lines) still
// yield, and Stop at such a yield ends the pass there.
TEST_F(MapPassTest, StopEndsFilesThatHandNothing) {
    struct Case {
        const char* name;
        std::string head, unit;
    } const cases[] = {
        {"headers.dat", "", "         1          "},
        {"points.grf", "", "100000N0100000E     "},
        {"separators.mp1", "", "# nothing\n"},
        {"trailer.mps", std::string(8, '\0'), "x"},
        {"empty.prn", "-1 1 1\n", "\n"},
    };
    DesignState& d = Design();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        d.NumInputFiles = 0;
        d.PlotStopText.clear();
        WriteRepeated(dir + "/" + c.name, c.head, c.unit, int64_t{1} << 20);
        AddMapFile(dir + "/" + c.name);
        ExportAscii();
        KeepEarlierAscii(1);
        test::DrawSinglePass();
        ResetDoEventsCount();
        SetDoEventsHook([&](int64_t n) {
            if (n == 3) StopRun();
        });
        MapPlot();
        EXPECT_EQ(d.PlotStopText, "Escape");
        EXPECT_EQ(DoEventsCount(), 3);  // left at once
        EXPECT_FALSE(Files().InputOpen());
        ExpectEarlierAscii(1);
        EXPECT_TRUE(boxes.log.empty());
        fs::remove(dir + "/" + c.name);
    }
}

// A line beyond the bound of the text kinds, and a path that names no
// regular file, end the pass with the box naming the file; the partly
// written export goes, and the earlier files stay.
TEST_F(MapPassTest, OverlongLinesAndFilesThatAreNoneEndThePass) {
    const std::string longLine = dir + "/long.mp1";
    const std::string openLabel = dir + "/label.prn";
    const std::string device = dir + "/null.map";
    WriteRepeated(longLine, "45 -122\n", "7", 16 << 20);
    WriteRepeated(openLabel, "-1 45 -122\n0,46,-121,\"", "L", 8 << 20);
    fs::create_symlink("/dev/null", device);
    const std::pair<std::string, std::string> cases[] = {
        {longLine, longLine + " has a line longer than 4096 characters"},
        {openLabel, openLabel + " has a line longer than 4096 characters"},
        {device, device + " is not a regular file"},
        {"/dev/zero", "/dev/zero is not a regular file"},
    };
    DesignState& d = Design();
    for (const auto& [path, error] : cases) {
        SCOPED_TRACE(path);
        boxes.log.clear();
        d.NumInputFiles = 0;
        AddMapFile(test::SamplePath("nw.map"));
        AddMapFile(path);
        ExportAscii();
        KeepEarlierAscii(2);
        DrawMap();
        ASSERT_EQ(boxes.log.size(), 1u);
        EXPECT_EQ(boxes.log[0].title, "Error in MapPlot");
        EXPECT_EQ(boxes.log[0].text, "Error: " + error);
        // The export is given up whole: the file before it is not replaced either.
        ExpectEarlierAscii(2);
        EXPECT_EQ(test::TemporaryFiles(dir), 0);
        EXPECT_FALSE(Files().InputOpen());
        ExpectCleanSurface();
    }
}

TEST_F(MapPassTest, MissingFileEndsThePassAndItsExport) {
    DesignState& d = Design();
    d.NumInputFiles = 0;
    AddMapFile(test::SamplePath("nw.map"));
    const std::string missing = dir + "/gone.all";
    AddMapFile(missing);
    AddMapFile(test::SamplePath("nw.prn"));
    d.ScDefined = true;
    d.ScColor = 0x123456;
    d.ScLineWidth = 0;
    ExportAscii();
    Files().StageOutputs();
    DrawMap();
    ASSERT_EQ(boxes.log.size(), 1u);
    EXPECT_EQ(boxes.log[0].title, "File not found error in MapPlot");
    EXPECT_EQ(boxes.log[0].text, missing +
                                     "\n\nThe above file, listed in the Open Digital Map File item\nof the File "
                                     "menu, was not found.");
    EXPECT_EQ(boxes.log[0].icon, MsgIcon::Exclamation);
    EXPECT_FALSE(fs::exists(missing));   // not created by the attempt
    EXPECT_FALSE(fs::exists(Ascii(1)));  // the export is given up whole
    EXPECT_FALSE(fs::exists(Ascii(2)));
    EXPECT_FALSE(fs::exists(Ascii(3)));  // nothing after it
    EXPECT_EQ(host.caption, "Run gone.all");
    EXPECT_FALSE(Plot().OutAscii);  // the export has ended
    EXPECT_EQ(Plot().CurOutFile, "");
    EXPECT_EQ(std::count(host.scripted.calls.begin(), host.scripted.calls.end(),
                         "CreatePen(0,0," + std::to_string(0x123456) + ")"),
              0);  // no circles
    ExpectCleanSurface();
    EXPECT_FALSE(Files().InputOpen());
}

TEST_F(MapPassTest, FailedPassKeepsTheEarlierVectorExport) {
    DesignState& d = Design();
    PlotState& p = Plot();
    d.InputFileName(1) = dir + "/gone.map";
    p.OutCgm = true;
    p.CgmFileName = dir + "/map.cgm";
    test::WriteFile(p.CgmFileName, "earlier");
    Files().StageOutputs();
    test::DrawSinglePass();
    MapPlot();
    ASSERT_EQ(boxes.log.size(), 1u);
    EXPECT_EQ(boxes.log[0].title, "File not found error in MapPlot");
    EXPECT_EQ(test::FileBytes(p.CgmFileName), "earlier");
    EXPECT_EQ(test::TemporaryFiles(dir), 0);
    EXPECT_FALSE(p.OutCgm);
    EXPECT_EQ(p.CgmPos, 1);
}

TEST_F(MapPassTest, ReadAndWriteErrorsEndThePass) {
    DesignState& d = Design();
    d.NumInputFiles = 0;
    std::string bytes = test::FileBytes(test::SamplePath("nw.map"));
    test::WriteFile(dir + "/cut.map", bytes.substr(0, bytes.size() - 2));
    AddMapFile(dir + "/cut.map");
    AddMapFile(test::SamplePath("nw.prn"));
    DrawMap();
    ASSERT_EQ(boxes.log.size(), 1u);
    EXPECT_EQ(boxes.log[0].title, "Error in MapPlot");
    EXPECT_EQ(boxes.log[0].text, "Error: Input past end of file");
    EXPECT_EQ(host.caption, "Run cut.map");
    EXPECT_EQ(test::SurfaceLines(host.scripted.calls).size(), 36u);  // all but the cut record
    ExpectCleanSurface();

    // A full disk: the export's box, then the pass's; the device is no file to delete.
    boxes.log.clear();
    d.InputFileName(1) = test::SamplePath("nw.map");
    ExportAscii();
    Plot().AscFileName[1] = "/dev/full";
    DrawMap();
    ASSERT_EQ(boxes.log.size(), 2u);
    EXPECT_EQ(boxes.log[0].title, "Error in ScaleXY");
    EXPECT_EQ(boxes.log[1].title, "Error in MapPlot");
    EXPECT_EQ(boxes.log[1].text, "Error: No space left on device");
    EXPECT_TRUE(fs::exists("/dev/full"));
    EXPECT_EQ(host.caption, "Run nw.map");
    EXPECT_FALSE(Plot().OutAscii);
    EXPECT_FALSE(fs::exists(Ascii(2)));
}

TEST_F(MapPassTest, NoMapFilesStillEndsTheExport) {
    DesignState& d = Design();
    PlotState& p = Plot();
    d.NumInputFiles = 0;
    d.GcDefined = true;
    d.GcColor = 0x00AA00;
    d.GcLineWidth = 30;
    p.OutCgm = true;
    p.CgmFileName = dir + "/map.cgm";
    DrawMap();
    EXPECT_TRUE(boxes.log.empty());
    EXPECT_EQ(Pens(), std::vector<std::string>{"2," + std::to_string(0x00AA00)});  // the great circle's pen
    EXPECT_FALSE(p.OutCgm);
    EXPECT_EQ(p.CurOutFile, "");
    EXPECT_TRUE(fs::exists(p.CgmFileName));
    ExpectCleanSurface();
}

// The interrupted Mollweide world: each lobe's map goes into the same ASCII file.
TEST_F(MapPassTest, LobesAppendToTheirAsciiFile) {
    test::UseInterruptedWorld();
    DesignState& d = Design();
    d.InputFileName(1) = test::WorldMapPath();
    PlotState& p = Plot();
    d.GridType = 2;
    p.GridOutputCount = 1;
    p.OutAscii = true;
    p.AscFileName = {"", dir + "/grid.txt", Ascii(1)};
    test::DrawLobes({1, 2, 3, 5, 6}, true);
    EXPECT_TRUE(boxes.log.empty());
    const auto lines = test::ReadPolylines(Ascii(1));
    // Every line lies in one lobe: northern lobes above the equator, southern
    // below, and each within its edges. Longitudes are told roughly from x,
    // which the lobes keep from the uninterrupted map (at the equator x =
    // 2 sqrt2 lon / pi; elsewhere nearer the lobe's middle).
    const double ascii = p.AsciiScale;
    const double equator = (0 - d.MapYMin) * ascii;
    const auto roughLon = [&](const test::AsciiPoint& pt) {
        return (pt.x / ascii + d.MapXMin) * d.Pi / (2 * d.Sqrt2) / d.DegToRad;
    };
    struct Lobe {
        int number;
        bool north;
        double west, east;
    };
    const Lobe lobes[] = {
        {1, true, -180, -45}, {2, true, -45, 90}, {3, true, 90, 180}, {5, false, -180, 0}, {6, false, 0, 180}};
    std::set<int> lobesSeen;
    for (const auto& line : lines) {
        ASSERT_FALSE(line.empty());
        const test::AsciiPoint& mid = line[line.size() / 2];
        const test::AsciiPoint* far = &line[0];
        for (const auto& pt : line)
            if (std::fabs(pt.y - equator) > std::fabs(far->y - equator)) far = &pt;
        const bool north = far->y > equator;
        const Lobe* lobe = nullptr;
        for (const Lobe& l : lobes)
            if (l.north == north && roughLon(mid) >= l.west - 0.5 && roughLon(mid) <= l.east + 0.5) lobe = &l;
        ASSERT_NE(lobe, nullptr) << mid.x << " " << mid.y;
        lobesSeen.insert(lobe->number);
        for (const auto& pt : line) {
            EXPECT_TRUE(north ? pt.y >= equator - 1e-6 : pt.y <= equator + 1e-6) << pt.x << " " << pt.y;
            EXPECT_TRUE(roughLon(pt) >= lobe->west - 0.5 && roughLon(pt) <= lobe->east + 0.5)
                << "a line across lobes at " << pt.x << " " << pt.y;
        }
    }
    EXPECT_EQ(lobesSeen, (std::set<int>{1, 2, 3, 5, 6}));
    EXPECT_GT(lines.size(), 3000u);
}

TEST_F(MapPassTest, CirclesEndTheAsciiExportForTheRun) {
    test::UseInterruptedWorld();
    DesignState& d = Design();
    d.InputFileName(1) = test::WorldMapPath();
    d.ScDefined = true;
    d.ScColor = 0x0000AA;
    d.ScLineWidth = 45;
    PlotState& p = Plot();
    d.GridType = 2;
    p.GridOutputCount = 1;
    p.OutAscii = true;
    p.AscFileName = {"", dir + "/grid.txt", Ascii(1)};
    host.scripted.calls.clear();
    test::DrawLobes({1, 2, 3, 5, 6}, true);
    EXPECT_TRUE(boxes.log.empty());
    EXPECT_FALSE(p.OutAscii);
    EXPECT_EQ(p.CurOutFile, "");
    // The circles' pen, once per lobe.
    EXPECT_EQ(std::count(host.scripted.calls.begin(), host.scripted.calls.end(),
                         "CreatePen(0,3," + std::to_string(0x0000AA) + ")"),
              5);
    // Only the first lobe reached the files: western lines, north of the equator.
    const double equator = (0 - d.MapYMin) * p.AsciiScale;
    const double lobe1East = (2 * d.Sqrt2 * (-45 * d.DegToRad) / d.Pi - d.MapXMin) * p.AsciiScale;
    for (const auto& line : test::ReadPolylines(Ascii(1)))
        for (const auto& pt : line) {
            EXPECT_GE(pt.y, equator - 1e-6);
            EXPECT_LE(pt.x, lobe1East + 1e-6);
        }
}

}  // namespace
}  // namespace tlrx
