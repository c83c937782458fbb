#include <gtest/gtest.h>

#include <QImage>
#include <algorithm>
#include <cmath>
#include <filesystem>
#include <string>

#include "GridTestSupport.h"
#include "core/Errors.h"
#include "platform/MessageBox.h"
#include "platform/qt/QtSurface.h"
#include "plot/PlotState.h"
#include "plot/RunFiles.h"
#include "plot/export/ExportRouting.h"
#include "support/ScriptedMessageBox.h"
#include "support/ScriptedSurface.h"

namespace tlrx {
namespace {

TEST(AsciiLineTest, PicturesOfXAndY) {
    struct Case {
        double x, y;
        const char* line;
    };
    const Case cases[] = {
        {0.5, 0.25, "0.5000000  00.2500000"},
        {0, 0, "0.0000000  00.0000000"},
        {1, 0, "1.0000000  00.0000000"},
        {5, 5, "5.0000000  05.0000000"},
        {0.123456789, 0.98765432149, "0.1234568  00.9876543"},
        {12.5, 10.25, "12.5000000  10.2500000"},
        {123.45678912, 1234.5, "123.4567891  1234.5000000"},
        {-0.25, -0.5, "-0.2500000  -00.5000000"},
        {-0.00000001, -0.00000004, "0.0000000  00.0000000"},  // rounds to zero: no sign
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        EXPECT_EQ(FormatAsciiLine(c.x, c.y).View(), c.line);
    }
    EXPECT_EQ(FormatAsciiLine(1e300, 0).View().size(), 301 + 8 + 2 + 10);
    EXPECT_THROW(FormatAsciiLine(std::nan(""), 0), RuntimeError);
    EXPECT_THROW(FormatAsciiLine(0, HUGE_VAL), RuntimeError);
}

class ExportRoutingTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetDesignState();
        ResetPlotState();
        image.fill(Qt::white);
        Plot().MetafileDC = &metafile;
    }
    void TearDown() override { Files().CloseOutputQuietly(); }

    // A point whose ASCII line is "0.5000000  00.2500000".
    void SetPoint() {
        DesignState& d = Design();
        d.MapXMin = -2;
        d.MapYMin = -1;
        Plot().AsciiScale = 0.25;
        d.ProjOutX = 0;
        d.ProjOutY = 0;
    }

    std::string dir = test::TestFolder();
    QImage image{50, 50, QImage::Format_RGB32};
    QtSurface real{image};
    ScriptedSurface metafile{real};
    ScopedScriptedMessageBox boxes;
};

TEST_F(ExportRoutingTest, AsciiPointsAndPenUpMarker) {
    PlotState& p = Plot();
    const std::string path = dir + "/a.txt";
    Files().CreateOutputText(path);
    p.OutAscii = true;
    p.NewPolyline = false;
    SetPoint();
    ScaleXY();
    ScaleXY();
    EXPECT_EQ(p.PolyPointCount, 2);
    PrintLineBrkDisk();
    EXPECT_EQ(p.PolyPointCount, 0);
    EXPECT_FALSE(p.NewPolyline);  // the ASCII branch leaves it
    // The projected point keeps the marker's values.
    EXPECT_DOUBLE_EQ(Design().ProjOutX, 18);
    EXPECT_DOUBLE_EQ(Design().ProjOutY, 19);
    Files().CloseOutput();
    EXPECT_EQ(test::FileBytes(path), "0.5000000  00.2500000\r\n0.5000000  00.2500000\r\n5.0000000  05.0000000\r\n");
    EXPECT_TRUE(boxes.log.empty());
}

TEST_F(ExportRoutingTest, NothingWithoutAnExportAndTheFirstFlagServes) {
    PlotState& p = Plot();
    SetPoint();
    p.PolyPointCount = 3;
    p.NewPolyline = false;
    ScaleXY();
    PrintLineBrkDisk();
    EXPECT_EQ(p.PolyPointCount, 3);
    EXPECT_FALSE(p.NewPolyline);
    EXPECT_TRUE(boxes.log.empty());

    // ScaleXY serves ASCII before WMF; PrintLineBrkDisk serves WMF before ASCII.
    const std::string path = dir + "/both.txt";
    Files().CreateOutputText(path);
    p.OutAscii = p.OutWmf = true;
    p.PolyPointCount = 0;
    ScaleXY();
    EXPECT_EQ(p.PolyPointCount, 1);
    p.WmfPoints.assign(2, DevPoint{4, 5});
    PrintLineBrkDisk();
    EXPECT_TRUE(p.NewPolyline);
    EXPECT_EQ(p.PolyPointCount, 0);
    Files().CloseOutput();
    EXPECT_EQ(test::FileBytes(path), "0.5000000  00.2500000\r\n");
    EXPECT_EQ(metafile.calls[2], "Polyline(4,5 4,5)");
}

TEST_F(ExportRoutingTest, CgmPolylineLengthIsPatchedAtItsPosition) {
    PlotState& p = Plot();
    const std::string path = dir + "/a.cgm";
    Files().OpenOutputBinary(path);
    Files().WriteBytes("0123456789", 10);
    p.OutCgm = true;
    p.PlotMode = SymLine;

    p.CgmLenPos = 0;  // no element open: nothing written
    p.PolyPointCount = 7;
    p.NewPolyline = false;
    PrintLineBrkDisk();
    EXPECT_TRUE(p.NewPolyline);
    EXPECT_EQ(p.PolyPointCount, 0);

    p.CgmLenPos = 3;
    p.CgmPos = 11;
    p.PolyPointCount = 100;
    PrintLineBrkDisk();
    EXPECT_EQ(p.CgmLenPos, 0);
    EXPECT_EQ(p.PolyPointCount, 0);
    Files().WriteBytes("E", 1);  // back at CgmPos
    Files().CloseOutput();
    EXPECT_EQ(test::FileBytes(path), std::string("01\x01\x90"
                                                 "456789E",
                                                 11));
}

TEST_F(ExportRoutingTest, WmfLineIsOnePolylineWithItsOwnPen) {
    PlotState& p = Plot();
    p.OutWmf = true;
    p.PlotMode = SymLine;
    p.WmfPolyWidth = 3;
    p.WmfPolyColor = 0x0000FF;
    p.WmfPoints = {DevPoint{}, DevPoint{10, 20}};
    p.PolyPointCount = 1;  // one point: drawn from itself to itself
    PrintLineBrkDisk();
    ASSERT_EQ(metafile.CallNames(),
              (std::vector<std::string>{"CreatePen", "SelectObject", "Polyline", "SelectObject", "DeleteObject"}));
    EXPECT_EQ(metafile.calls[0], "CreatePen(0,3,255)");
    EXPECT_EQ(metafile.calls[2], "Polyline(10,20 10,20)");
    EXPECT_EQ(p.MetafilePen, 0u);
    EXPECT_EQ(p.WmfPoints.size(), 2u);
    EXPECT_EQ(p.PolyPointCount, 0);
    EXPECT_TRUE(p.NewPolyline);
    EXPECT_EQ(real.LiveObjects(), 0u);

    // Symbols were drawn at once: nothing to do at their line end.
    metafile.calls.clear();
    p.PlotMode = SymCircle;
    PrintLineBrkDisk();
    EXPECT_TRUE(metafile.calls.empty());

    // A line of no points: no polyline asked for.
    p.PlotMode = SymLine;
    PrintLineBrkDisk();
    EXPECT_EQ(metafile.CallNames(),
              (std::vector<std::string>{"CreatePen", "SelectObject", "SelectObject", "DeleteObject"}));
    EXPECT_TRUE(boxes.log.empty());
}

TEST_F(ExportRoutingTest, WmfFailuresShowTheirBoxesAndTheStepsGoOn) {
    // A clean line end with an earlier pen still held makes the calls
    // DeleteObject, CreatePen, SelectObject, Polyline, SelectObject, DeleteObject.
    struct Case {
        int64_t failAt;
        const char* text;
        size_t calls;
    };
    const Case cases[] = {
        {1, "DeleteObject(1) error in PrintLineBrkDisk", 6},
        {2, "CreatePen(1) error in PrintLineBrkDisk", 3},  // no pen to select or delete
        {4, "Polyline(1) error in PrintLineBrkDisk", 6},
        {6, "DeleteObject(2) error in PrintLineBrkDisk", 6},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        PlotState& p = Plot();
        p.OutWmf = true;
        p.PlotMode = SymLine;
        p.MetafilePen = real.CreatePen(PenStyle::Solid, 1, 0);
        p.WmfPoints = {DevPoint{}, DevPoint{1, 2}, DevPoint{3, 4}};
        p.PolyPointCount = 2;
        p.NewPolyline = false;
        metafile.calls.clear();
        metafile.failAt = c.failAt;
        boxes.log.clear();
        PrintLineBrkDisk();
        ASSERT_EQ(boxes.log.size(), 1u);
        EXPECT_EQ(boxes.log[0].text, c.text);
        EXPECT_EQ(boxes.log[0].title, "Windows API Error");
        EXPECT_EQ(boxes.log[0].icon, MsgIcon::Exclamation);
        EXPECT_EQ(metafile.calls.size(), c.calls);
        EXPECT_EQ(std::count(metafile.calls.begin(), metafile.calls.end(), "Polyline(1,2 3,4)"), 1);
        EXPECT_TRUE(p.NewPolyline);
        EXPECT_EQ(p.PolyPointCount, 0);
        EXPECT_EQ(p.MetafilePen, 0u);
    }
}

TEST_F(ExportRoutingTest, OtherWmfFailureEndsWithoutResettingTheLine) {
    PlotState& p = Plot();
    p.OutWmf = true;
    p.PlotMode = SymLine;
    p.WmfPoints.assign(2, DevPoint{});
    p.PolyPointCount = 5;  // more points than collected
    p.NewPolyline = false;
    metafile.failNames = {"DeleteObject"};
    PrintLineBrkDisk();
    ASSERT_EQ(boxes.log.size(), 2u);
    EXPECT_EQ(boxes.log[0].title, "Error in PrintLineBrkDisk");
    EXPECT_EQ(boxes.log[0].text, "Error: Subscript out of range");
    EXPECT_EQ(boxes.log[1].text, "DeleteObject(3) error in PrintLineBrkDisk");
    EXPECT_EQ(p.PolyPointCount, 5);
    EXPECT_FALSE(p.NewPolyline);
    EXPECT_EQ(p.MetafilePen, 0u);
}

TEST_F(ExportRoutingTest, FileHeaderOnTheFirstPassOnly) {
    PlotState& p = Plot();
    DesignState& d = Design();
    p.OutWmf = true;
    p.WmfFileName = "map.wmf";
    d.FirstPass = false;
    PrintFileHeader();
    EXPECT_EQ(p.CurOutFile, "");
    EXPECT_EQ(p.SymbolRadiusOut, 0);
    d.FirstPass = true;
    PrintFileHeader();
    EXPECT_EQ(p.CurOutFile, "map.wmf");
    EXPECT_EQ(p.SymbolRadiusOut, 2);
    EXPECT_EQ(d.PlotStopText, "");
    EXPECT_TRUE(boxes.log.empty());
}

TEST_F(ExportRoutingTest, AFailedAsciiWriteIsReportedOnce) {
    PlotState& p = Plot();
    Files().CreateOutputText("/dev/full");
    p.OutAscii = true;
    SetPoint();
    for (int i = 0; i < 2000; ++i) ScaleXY();  // far more than the file's buffer holds
    EXPECT_EQ(p.PolyPointCount, 2000);
    ASSERT_EQ(boxes.log.size(), 1u);
    EXPECT_EQ(boxes.log[0].title, "Error in ScaleXY");
    EXPECT_EQ(boxes.log[0].text, "Error: No space left on device");
    EXPECT_TRUE(Files().OutputFailed());
}

}  // namespace
}  // namespace tlrx
