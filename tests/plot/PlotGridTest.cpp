#include <gtest/gtest.h>

#include <QImage>
#include <algorithm>
#include <cmath>
#include <filesystem>
#include <iomanip>
#include <locale>
#include <sstream>
#include <string>
#include <vector>

#include "FileSizeLimit.h"
#include "GridTestSupport.h"
#include "platform/Events.h"
#include "platform/MessageBox.h"
#include "platform/qt/QtSurface.h"
#include "plot/PlotGrid.h"
#include "plot/PlotState.h"
#include "plot/RunFiles.h"
#include "plot/StopRun.h"
#include "support/ScriptedMessageBox.h"
#include "support/ScriptedSurface.h"

namespace tlrx {
namespace {

using test::ScriptedHost;

// An ASCII line as the export writes it, formatted here independently.
std::string Line(double x, double y) {
    std::ostringstream s;
    s.imbue(std::locale::classic());
    s << std::fixed << std::setprecision(7) << x << "  " << std::setw(10) << std::setfill('0') << y;
    return s.str();
}

class PlotGridTest : public ::testing::Test {
protected:
    // Requests the ASCII export into files 1 (and 2) of this test's folder.
    void ExportAscii() {
        PlotState& p = Plot();
        p.OutAscii = true;
        p.AscFileName = {"", dir + "/grid1.txt", dir + "/grid2.txt"};
    }
    std::string File(int i) const { return dir + "/grid" + std::to_string(i) + ".txt"; }

    // The state every return leaves: pens released, nothing left on the surface.
    void ExpectCleanSurface() {
        EXPECT_EQ(Plot().DrawPen, 0u);
        EXPECT_EQ(Plot().OldPen, 0u);
        EXPECT_EQ(host.Real().LiveObjects(), 0u);
    }

    ScriptedHost host{1024, 768};
    test::DrawingSetUp setUp{host};
    ScopedScriptedMessageBox boxes;
    std::string dir = test::TestFolder();
};

TEST_F(PlotGridTest, DefaultGraticuleAsciiExport) {
    ExportAscii();
    test::DrawSinglePass();
    EXPECT_TRUE(boxes.log.empty());
    EXPECT_EQ(Design().PlotStopText, "");
    EXPECT_FALSE(Files().OutputOpen());

    // Seven parallels of nine points, then nine meridians of seven points,
    // each line followed by the pen-up marker.
    const DesignState& d = Design();
    const double scale = Plot().AsciiScale;
    std::vector<std::string> expected;
    const std::string marker = "5.0000000  05.0000000";
    for (int k = 0; k <= 6; ++k) {
        for (int i = 0; i <= 8; ++i) expected.push_back(Line(i / 8.0, k * 30 * d.DegToRad * scale));
        expected.push_back(marker);
    }
    for (int m = 0; m <= 8; ++m) {
        for (int i = 0; i <= 6; ++i) expected.push_back(Line(m / 8.0, i * 30 * d.DegToRad * scale));
        expected.push_back(marker);
    }
    const std::vector<std::string> lines = test::ReadLines(File(1));
    ASSERT_EQ(lines.size(), 142u);
    EXPECT_EQ(lines, expected);
    EXPECT_EQ(lines.front(), "0.0000000  00.0000000");
    EXPECT_EQ(lines[68], "1.0000000  00.7071068");  // the north-east corner

    const std::string bytes = test::FileBytes(File(1));
    EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '\n'), 142);
    EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '\r'), 142);
    EXPECT_EQ(bytes.substr(bytes.size() - 2), "\r\n");

    EXPECT_EQ(Plot().CurOutFile, File(1));
    EXPECT_EQ(DoEventsCount(), 16);  // one yield per line
    ExpectCleanSurface();
}

TEST_F(PlotGridTest, GridTypesAndTheirOutputs) {
    struct Case {
        int16_t gridType;
        int16_t outputs;         // GridOutputCount
        size_t file1, file2;     // lines of AscFileName 1 and 2 (0: no file)
        size_t lineTos, pixels;  // vertices and dots drawn
        int64_t yields;
    };
    // clang-format off
    const Case cases[] = {
        {1, 2, 142, 36, 32, 126, 20},  // grid points into file 1, boundary lines into file 2
        {2, 1, 36, 0, 32, 0, 4},
        {3, 1, 142, 0, 126, 0, 16},
        {4, 1, 142, 0, 0, 126, 16},
        {5, 0, 0, 0, 0, 0, 0},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.gridType);
        ResetDesignState();
        ResetPlotState();
        ResetDoEventsCount();
        host.scripted.calls.clear();
        for (int i : {1, 2}) std::filesystem::remove(File(i));
        Design().GridType = c.gridType;
        Plot().GridOutputCount = c.outputs;
        ExportAscii();
        test::DrawSinglePass();
        EXPECT_TRUE(boxes.log.empty());
        EXPECT_EQ(Design().PlotStopText, "");
        const std::vector<std::string> names = host.scripted.CallNames();
        EXPECT_EQ(std::count(names.begin(), names.end(), "LineTo"), static_cast<long>(c.lineTos));
        EXPECT_EQ(std::count(names.begin(), names.end(), "SetPixel"), static_cast<long>(c.pixels));
        EXPECT_EQ(std::count(names.begin(), names.end(), "Rectangle"), 1);  // the background always
        EXPECT_EQ(DoEventsCount(), c.yields);
        EXPECT_EQ(std::filesystem::exists(File(1)), c.file1 > 0);
        EXPECT_EQ(std::filesystem::exists(File(2)), c.file2 > 0);
        if (c.file1 > 0) {
            EXPECT_EQ(test::ReadLines(File(1)).size(), c.file1);
        }
        if (c.file2 > 0) {
            EXPECT_EQ(test::ReadLines(File(2)).size(), c.file2);
        }
        ExpectCleanSurface();
    }
}

TEST_F(PlotGridTest, BoundaryLinesHaveTheGridSpacingOfPoints) {
    // Mercator, 80S to 80N: the southern and northern parallel with a point
    // every 45 degrees, the western and eastern meridian with a point every 20.
    test::UseDesign(ProjMercator, "80    00    00    N", "80    00    00    S", "180    00    00    W",
                    "180    00    00    E", "020    00    00");
    Design().GridType = 2;
    ExportAscii();
    test::DrawSinglePass();
    const auto lines = test::ReadPolylines(File(1));
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0].size(), 9u);
    EXPECT_EQ(lines[1].size(), 9u);
    EXPECT_EQ(lines[2].size(), 9u);
    EXPECT_EQ(lines[3].size(), 9u);
    EXPECT_EQ(lines[0].front().y, 0);
    EXPECT_NEAR(lines[1].front().y, Design().MapYMax * Plot().AsciiScale * 2, 1e-7);  // symmetric map
    EXPECT_EQ(lines[2].front().x, 0);
    EXPECT_EQ(lines[3].front().x, 1);
}

TEST_F(PlotGridTest, PointsPerIntervalFollowTheProjectionFamily) {
    // Points of the first parallel and of the first meridian of grid type 3.
    struct Case {
        int16_t code;
        const char *north, *south, *west, *east, *latSpacing, *lonSpacing;
        size_t parallelPoints, meridianPoints;
    };
    // clang-format off
    const Case cases[] = {
        // Cylindrical: the grid intersections only.
        {ProjCylEqualArea, "90    00    00    N", "90    00    00    S", "180    00    00    W",
         "180    00    00    E", "030    00    00", "045    00    00", 9, 7},
        // Conic, 4 longitude intervals: 12 points per interval along the parallels.
        {ProjAlbers, "70    00    00    N", "20    00    00    N", "130    00    00    W",
         "050    00    00    W", "010    00    00", "020    00    00", 49, 6},
        // Hammer: 24 / 6 latitude intervals -> 4, 24 / 8 -> NumLonDivisions >= 6 -> 4.
        {ProjHammer, "90    00    00    N", "90    00    00    S", "180    00    00    W",
         "180    00    00    E", "030    00    00", "045    00    00", 33, 25},
        // Robinson: L(24) with 3 intervals = 8.
        {ProjRobinson, "90    00    00    N", "90    00    00    S", "180    00    00    W",
         "180    00    00    E", "060    00    00", "045    00    00", 9, 25},
        // Mollweide: L(48) with 6 intervals = 8.
        {ProjMollweide, "90    00    00    N", "90    00    00    S", "180    00    00    W",
         "180    00    00    E", "030    00    00", "045    00    00", 9, 49},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        ResetDesignState();
        ResetPlotState();
        test::UseDesign(c.code, c.north, c.south, c.west, c.east, c.latSpacing, c.lonSpacing);
        ExportAscii();
        test::DrawSinglePass();
        ASSERT_TRUE(boxes.log.empty());
        const auto lines = test::ReadPolylines(File(1));
        const size_t parallels = static_cast<size_t>(Design().NumLatDivisions) + 1;
        ASSERT_GT(lines.size(), parallels);
        EXPECT_EQ(lines.front().size(), c.parallelPoints);
        EXPECT_EQ(lines[parallels].size(), c.meridianPoints);
    }
}

TEST_F(PlotGridTest, FailingDrawingCallsShowTheirBoxAndDrawingGoesOn) {
    // The calls of a clean drawing pass, to fail the n-th call of a name.
    test::DrawSinglePass();
    ASSERT_TRUE(boxes.log.empty());
    const std::vector<std::string> clean = host.scripted.CallNames();
    const auto position = [&](const std::string& name, int occurrence) {
        int seen = 0;
        for (size_t i = 0; i < clean.size(); ++i)
            if (clean[i] == name && ++seen == occurrence) return static_cast<int64_t>(i + 1);
        return int64_t{0};
    };

    struct Case {
        const char* call;
        int occurrence;
        const char* text;
        bool leftoverPen;  // a pen of the previous layer is still selected
    };
    const Case cases[] = {
        {"CreateSolidBrush", 1, "CreateSolidBrush(1) error in PlotGrid", false},
        {"CreatePen", 1, "CreatePen(1) error in PlotGrid", false},
        {"Rectangle", 1, "Rectangle(1) error in PlotGrid", false},
        {"DeleteObject", 1, "DeleteObject(0) error in PlotGrid", false},
        {"DeleteObject", 2, "DeleteObject(2) error in PlotGrid", false},
        {"CreatePen", 2, "CreatePen(2) error in PlotGrid", false},
        {"DeleteObject", 3, "DeleteObject(3) error in PlotGrid", false},
        {"DeleteObject", 1, "DeleteObject(1) error in PlotGrid", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        ResetDesignState();
        ResetPlotState();
        ResetDoEventsCount();
        ExportAscii();
        PlotState& p = Plot();
        host.scripted.calls.clear();
        host.scripted.failAt = 0;
        if (c.leftoverPen) {
            p.DrawDC = &host.scripted;
            p.DrawPen = host.scripted.CreatePen(PenStyle::Solid, 3, 0);
            p.OldPen = host.scripted.SelectObject(p.DrawPen);
            host.scripted.calls.clear();
            // CreateSolidBrush, SelectObject, then the release of that pen:
            // SelectObject of the previous pen, DeleteObject.
            host.scripted.failAt = 4;
        } else {
            host.scripted.failAt = position(c.call, c.occurrence);
            ASSERT_GT(host.scripted.failAt, 0);
        }
        boxes.log.clear();
        test::DrawSinglePass();
        ASSERT_EQ(boxes.log.size(), 1u);
        EXPECT_EQ(boxes.log[0].text, c.text);
        EXPECT_EQ(boxes.log[0].title, "Windows API Error");
        EXPECT_EQ(boxes.log[0].icon, MsgIcon::Exclamation);
        EXPECT_EQ(
            host.scripted.calls[static_cast<size_t>(host.scripted.failAt - 1)].substr(0, std::string(c.call).size()),
            c.call);
        // The graticule is drawn in full all the same.
        const std::vector<std::string> names = host.scripted.CallNames();
        EXPECT_EQ(std::count(names.begin(), names.end(), "LineTo"), 126);
        EXPECT_EQ(test::ReadLines(File(1)).size(), 142u);
        EXPECT_EQ(Design().PlotStopText, "");
        EXPECT_EQ(p.DrawPen, 0u);
        EXPECT_EQ(p.OldPen, 0u);
    }
}

TEST_F(PlotGridTest, AnExportThatCannotBeWrittenEndsTheRun) {
    PlotState& p = Plot();
    struct Case {
        const char* file;
        const char* title;
        const char* text;
        int64_t yields;
    };
    const Case cases[] = {
        {"missing/grid.txt", "Error in PlotGrid", "Error: No such file or directory", 0},
        // 142 lines fit the file's buffer: the full disk is found on closing.
        {"/dev/full", "Error in PlotGrid", "Error: No space left on device", 16},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        ResetDesignState();
        ResetPlotState();
        ResetDoEventsCount();
        boxes.log.clear();
        host.scripted.calls.clear();
        host.scripted.failNames = {"DeleteObject"};
        ExportAscii();
        p.AscFileName[1] = c.file[0] == '/' ? std::string(c.file) : dir + "/" + c.file;
        test::DrawSinglePass();
        ASSERT_EQ(boxes.log.size(), 4u);
        EXPECT_EQ(boxes.log[0].text, "DeleteObject(0) error in PlotGrid");
        EXPECT_EQ(boxes.log[1].text, "DeleteObject(2) error in PlotGrid");
        EXPECT_EQ(boxes.log[2].title, c.title);
        EXPECT_EQ(boxes.log[2].text, c.text);
        EXPECT_EQ(boxes.log[3].text, "DeleteObject(4) error in PlotGrid");  // the pen released after the failure
        EXPECT_EQ(Design().PlotStopText, "GridDiskError");
        EXPECT_EQ(DoEventsCount(), c.yields);
        EXPECT_FALSE(Files().OutputOpen());  // closed at once
        EXPECT_EQ(p.DrawPen, 0u);
    }
    host.scripted.failNames.clear();
    const size_t leftBehind = host.Real().LiveObjects();  // the objects whose deletion failed above

    // A write that fails in the middle of a pass: reported once by ScaleXY,
    // and the pass ends at the next line end.
    ResetDesignState();
    ResetPlotState();
    ResetDoEventsCount();
    boxes.log.clear();
    test::UseDesign(ProjEquirectangular, "90    00    00    N", "90    00    00    S", "180    00    00    W",
                    "180    00    00    E", "001    00    00", "001    00    00");
    ExportAscii();
    p.AscFileName[1] = "/dev/full";
    test::DrawSinglePass();
    ASSERT_EQ(boxes.log.size(), 1u);
    EXPECT_EQ(boxes.log[0].title, "Error in ScaleXY");
    EXPECT_EQ(boxes.log[0].text, "Error: No space left on device");
    EXPECT_EQ(Design().PlotStopText, "GridDiskError");
    EXPECT_EQ(DoEventsCount(), 1);
    EXPECT_FALSE(Files().OutputOpen());
    EXPECT_EQ(p.DrawPen, 0u);
    EXPECT_EQ(host.Real().LiveObjects(), leftBehind);

    // The same on a regular file written as a run writes it: the partial
    // file never takes the user's name, and the earlier file stays.
    ResetDesignState();
    ResetPlotState();
    boxes.log.clear();
    test::UseDesign(ProjEquirectangular, "90    00    00    N", "90    00    00    S", "180    00    00    W",
                    "180    00    00    E", "001    00    00", "001    00    00");
    ExportAscii();
    p.AscFileName[1] = dir + "/limited.txt";
    test::WriteFile(p.AscFileName[1], "earlier");
    Files().StageOutputs();
    {
        test::FileSizeLimit limit(5000);
        test::DrawSinglePass();
    }
    ASSERT_EQ(boxes.log.size(), 1u);
    EXPECT_EQ(boxes.log[0].title, "Error in ScaleXY");
    EXPECT_EQ(boxes.log[0].text, "Error: File too large");
    EXPECT_EQ(test::FileBytes(p.AscFileName[1]), "earlier");
    EXPECT_EQ(test::TemporaryFiles(dir), 0);
    EXPECT_FALSE(p.OutAscii);
    EXPECT_EQ(Design().PlotStopText, "GridDiskError");

    // The next run, without an export, is not touched by that failure.
    Design().PlotStopText.clear();
    ResetPlotState();
    boxes.log.clear();
    test::DrawSinglePass();
    EXPECT_TRUE(boxes.log.empty());
    EXPECT_EQ(Design().PlotStopText, "");
}

TEST_F(PlotGridTest, StopAtAnyYieldKeepsTheEarlierExportFile) {
    for (int64_t k : {1, 9, 16}) {
        SCOPED_TRACE(k);
        ResetDesignState();
        ResetPlotState();
        ResetDoEventsCount();
        host.scripted.calls.clear();
        ExportAscii();
        test::WriteFile(File(1), "earlier");
        Files().StageOutputs();
        SetDoEventsHook([k](int64_t n) {
            if (n == k) StopRun();
        });
        test::DrawSinglePass();
        EXPECT_EQ(Design().PlotStopText, "Escape");
        EXPECT_EQ(DoEventsCount(), k);  // left at once
        EXPECT_EQ(test::FileBytes(File(1)), "earlier");
        EXPECT_EQ(test::TemporaryFiles(dir), 0);
        EXPECT_FALSE(Files().OutputOpen());
        EXPECT_EQ(Plot().CurOutFile, "");
        EXPECT_FALSE(Plot().OutAscii);
        EXPECT_TRUE(Plot().NewPolyline);
        EXPECT_EQ(Plot().CgmPos, 1);
        EXPECT_TRUE(boxes.log.empty());
        ExpectCleanSurface();
    }

    // A stop in the first grid pass of grid type 1 leaves the grid points undrawn.
    ResetDesignState();
    ResetPlotState();
    ResetDoEventsCount();
    host.scripted.calls.clear();
    Design().GridType = 1;
    Plot().GridOutputCount = 2;
    ExportAscii();
    Files().StageOutputs();
    SetDoEventsHook([](int64_t n) {
        if (n == 2) StopRun();
    });
    test::DrawSinglePass();
    const std::vector<std::string> names = host.scripted.CallNames();
    EXPECT_EQ(std::count(names.begin(), names.end(), "SetPixel"), 0);
    EXPECT_EQ(test::FileBytes(File(1)), "earlier");
    EXPECT_FALSE(std::filesystem::exists(File(2)));
}

TEST_F(PlotGridTest, PrintedGraticuleScalesItsPenAndFillsThePrintedMapBox) {
    FakeHost window(600, 400);  // 9000 twips wide
    SetMainWindow(&window);
    QImage page(5000, 4000, QImage::Format_RGB32);
    QtSurface pageSurface(page);
    ScriptedSurface printer(pageSurface);
    DesignState& d = Design();
    PlotState& p = Plot();
    d.GridLineWidth = 30;  // two screen pixels
    test::PrepareDrawingRun();
    ScalePrinter();
    p.Printing = true;
    p.PrinterDC = &printer;
    p.PrnTwipsPerPixelX = p.PrnTwipsPerPixelY = 2.4f;  // 600 dpi
    p.PrinterUnits = 1440;
    p.PrnMapWidth = 6.5f;  // 9360 twips: s = 1.04
    p.PrnMapLeft = p.PrnMapTop = 1.0f;
    p.PrnMinLeft = p.PrnMinTop = 0.25f;
    p.DrawHeightTwips = 6000;
    d.FirstPass = true;
    PlotGrid();
    EXPECT_TRUE(boxes.log.empty());
    EXPECT_EQ(p.DrawDC, &printer);
    EXPECT_EQ(p.DevTwipsPerPixelX, 2.4f);
    ASSERT_GE(printer.calls.size(), 10u);
    EXPECT_EQ(printer.calls[2], "CreatePen(5,6,0)");  // one pixel scaled: round(6.5) = 6
    EXPECT_EQ(printer.calls[4], "Rectangle(449,449,4353,2953)");
    EXPECT_EQ(printer.calls[9], "CreatePen(0,13,0)");  // two pixels scaled: 13
    EXPECT_TRUE(host.scripted.calls.empty());          // nothing on the window

    printer.calls.clear();
    d.LineWidthScaling = false;
    d.FirstPass = false;  // a later pass: no background
    PlotGrid();
    EXPECT_EQ(printer.calls[0], "CreateSolidBrush(16777215)");
    EXPECT_EQ(printer.calls[2], "CreatePen(5,1,0)");
    EXPECT_EQ(std::count(printer.calls.begin(), printer.calls.end(), "SelectObject(1)"), 1);  // the brush back
    EXPECT_TRUE(std::none_of(printer.calls.begin(), printer.calls.end(),
                             [](const std::string& call) { return call.rfind("Rectangle", 0) == 0; }));
    EXPECT_EQ(std::count(printer.calls.begin(), printer.calls.end(), "CreatePen(0,2,0)"), 1);

    // The printed background's own message.
    printer.calls.clear();
    printer.failNames = {"Rectangle"};
    d.FirstPass = true;
    PlotGrid();
    ASSERT_EQ(boxes.log.size(), 1u);
    EXPECT_EQ(boxes.log[0].text, "Rectangle(2) error in PlotGrid");
    EXPECT_EQ(boxes.log[0].title, "Windows API Error");
    EXPECT_EQ(std::count(printer.calls.begin(), printer.calls.end(), "CreatePen(0,2,0)"), 1);  // drawing goes on
    printer.failNames.clear();
    boxes.log.clear();

    // A window of no width fails the printer pen's scaling.
    window.scaleWidth = 0;
    d.LineWidthScaling = true;
    PlotGrid();
    ASSERT_EQ(boxes.log.size(), 1u);
    EXPECT_EQ(boxes.log[0].title, "Error in PlotGrid");
    EXPECT_EQ(boxes.log[0].text, "Error: Division by zero");
    EXPECT_EQ(d.PlotStopText, "GridDiskError");
    EXPECT_EQ(p.DrawPen, 0u);
    EXPECT_EQ(pageSurface.LiveObjects(), 0u);  // the background brush went too
    SetMainWindow(&host);
}

TEST_F(PlotGridTest, EveryLobeGoesIntoTheOneAsciiFile) {
    // Each lobe drawn alone, into a file of its own.
    const std::vector<int16_t> lobes = {1, 2, 3, 5, 6};
    std::vector<std::string> expected;
    for (int16_t lobe : lobes) {
        ResetDesignState();
        ResetPlotState();
        test::UseInterruptedWorld();
        ExportAscii();
        Plot().AscFileName[1] = dir + "/lobe" + std::to_string(lobe) + ".txt";
        test::DrawLobes({lobe});
        const auto lines = test::ReadLines(Plot().AscFileName[1]);
        expected.insert(expected.end(), lines.begin(), lines.end());
    }
    // The run: created on the first lobe, appended to on the others.
    ResetDesignState();
    ResetPlotState();
    ResetDoEventsCount();
    test::UseInterruptedWorld();
    ExportAscii();
    test::DrawLobes(lobes);
    EXPECT_TRUE(boxes.log.empty());
    const auto lines = test::ReadLines(File(1));
    EXPECT_EQ(lines.size(), 1154u);  // 220 + 220 + 166 + 274 + 274
    EXPECT_EQ(lines, expected);

    // A second run starts the file anew.
    ResetPlotState();
    ExportAscii();
    test::DrawLobes(lobes);
    EXPECT_EQ(test::ReadLines(File(1)).size(), 1154u);
}

TEST_F(PlotGridTest, LobeBoundaryParallelIsDrawn) {
    // 0 to 70 degrees north with parallels every 30: 0, 30, 60 and the boundary 70.
    test::UseInterruptedWorld("70    00    00    N", "80    00    00    S");
    ExportAscii();
    test::DrawLobes({1});
    ASSERT_TRUE(boxes.log.empty());
    DesignState& d = Design();
    EXPECT_EQ(d.NumLatDivisions, 3);
    const auto lines = test::ReadPolylines(File(1));
    ASSERT_EQ(lines.size(), 4u + 4u);  // four parallels, four meridians
    const double lats[] = {0, 30, 60, 70};
    for (size_t k = 0; k < 4; ++k) {
        SCOPED_TRACE(lats[k]);
        d.ProjInLat = lats[k];
        d.ProjInLon = d.CentralMeridian;
        ProjectSelect();
        const double y = (d.ProjOutY - d.MapYMin) * Plot().AsciiScale;
        for (const test::AsciiPoint& pt : lines[k]) EXPECT_NEAR(pt.y, y, 1e-7);
    }
    // Every meridian runs from the equator up to the boundary parallel.
    for (size_t m = 4; m < 8; ++m) EXPECT_NEAR(lines[m].back().y, lines[3].front().y, 1e-7);
}

}  // namespace
}  // namespace tlrx
