#include <gtest/gtest.h>

#include <sys/resource.h>

#include <algorithm>
#include <cmath>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "../platform/WmfRecords.h"
#include "FileSizeLimit.h"
#include "GridTestSupport.h"
#include "core/DesignState.h"
#include "platform/MessageBox.h"
#include "platform/WmfRecorder.h"
#include "plot/PlotState.h"
#include "plot/StopRun.h"
#include "plot/export/ExportRouting.h"
#include "plot/export/WmfExport.h"
#include "plot/export/WmfWriter.h"
#include "support/FakeHost.h"
#include "support/ScriptedMessageBox.h"
#include "support/ScriptedSurface.h"

namespace tlrx {
namespace {

using test::Hex;
using test::Records;

// The placeable header of a file area of 32000 x 23100 with margins of 320.
const std::string kExampleHeader(
    "\xD7\xCD\xC6\x9A\x00\x00\xC0\xFE\xC0\xFE\x40\x7E\x7C\x5B\x70\x17\x00\x00\x00\x00\x5D\x65", 22);

std::string Color(Rgb c) { return Hex(static_cast<uint16_t>(c & 0xFFFF)) + " " + Hex(static_cast<uint16_t>(c >> 16)); }

// Counts the records of a function ("0325").
size_t Count(const std::vector<std::string>& records, const std::string& function) {
    return static_cast<size_t>(std::count_if(records.begin(), records.end(),
                                             [&](const std::string& r) { return r.substr(0, 4) == function; }));
}

// A drawing run with a WMF export into a recording watched by a scripted
// surface; file units equal projection units.
class WmfWriterTest : public ::testing::Test {
protected:
    WmfWriterTest() {
        PlotState& p = Plot();
        p.MetafileRecorder = std::make_shared<WmfRecorder>();
        scripted = std::make_unique<ScriptedSurface>(*p.MetafileRecorder);
        p.MetafileDC = scripted.get();
        p.OutWmf = true;
        p.OutScale = 1;
        p.OutOffsetX = p.OutOffsetY = 0;
        Design().MapXMin = Design().MapYMin = 0;
    }

    void At(double x, double y) {
        Design().ProjOutX = x;
        Design().ProjOutY = y;
    }
    WmfRecorder& Recorder() { return *Plot().MetafileRecorder; }
    std::string Selected(StockObject which) {
        return "SelectObject(" + std::to_string(Recorder().GetStockObject(which)) + ")";
    }

    FakeHost host{1024, 768};
    test::DrawingSetUp setUp{host};
    ScopedScriptedMessageBox boxes;
    std::unique_ptr<ScriptedSurface> scripted;
    std::string dir = test::TestFolder();
};

TEST_F(WmfWriterTest, SymbolsOfEveryType) {
    struct Case {
        int16_t mode;
        const char* shape;
        bool filled;
    };
    // r = 10 about (1000, 1000): the triangle's base 994, its apex 1012.
    const Case cases[] = {
        {SymDot, "Rectangle(990,990,1010,1010)", true},
        {SymPlus, "Polyline(990,1000 1010,1000 1000,1000 1000,990 1000,1010)", false},
        {SymCross, "Polyline(990,990 1010,1010 1000,1000 1010,990 990,1010)", false},
        {SymSquare, "Rectangle(990,990,1010,1010)", false},
        {SymSquareFilled, "Rectangle(990,990,1010,1010)", true},
        {SymDiamond, "Polygon(990,1000 1000,1010 1010,1000 1000,990)", false},
        {SymDiamondFilled, "Polygon(990,1000 1000,1010 1010,1000 1000,990)", true},
        {SymTriangle, "Polygon(990,994 1010,994 1000,1012)", false},
        {SymTriangleFilled, "Polygon(990,994 1010,994 1000,1012)", true},
        {SymCircle, "Ellipse(990,990,1010,1010)", false},
        {SymCircleFilled, "Ellipse(990,990,1010,1010)", true},
    };
    PlotState& p = Plot();
    p.SymbolRadiusOut = 10;
    p.SymbolBorderOut = 0;  // the thinnest pen
    p.CurColor = MakeRgb(255, 0, 0);
    At(1000, 1000);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.shape);
        scripted->calls.clear();
        p.PlotMode = c.mode;
        WmfWrite();
        const std::string shape = std::string(c.shape).substr(0, std::string(c.shape).find('('));
        const std::vector<std::string> names =
            c.filled ? std::vector<std::string>{"CreatePen",       "SelectObject", "CreateSolidBrush", "SelectObject",
                                                "SetPolyFillMode", shape,          "SelectObject",     "DeleteObject",
                                                "SetPolyFillMode", "SelectObject", "DeleteObject"}
                     : std::vector<std::string>{"CreatePen",       "SelectObject", "GetStockObject", "SelectObject",
                                                "SetPolyFillMode", shape,          "SelectObject",   "DeleteObject",
                                                "SetPolyFillMode", "SelectObject"};
        ASSERT_EQ(scripted->CallNames(), names);
        const std::vector<std::string>& calls = scripted->calls;
        EXPECT_EQ(calls[0], "CreatePen(0,0,255)");
        EXPECT_EQ(calls[2], c.filled ? "CreateSolidBrush(255)" : "GetStockObject(2)");  // the null brush
        EXPECT_EQ(calls[4], "SetPolyFillMode(1)");
        EXPECT_EQ(calls[5], c.shape);
        // The metafile gets back what it had: the default pen and brush, alternate filling.
        EXPECT_EQ(calls[6], Selected(StockObject::BlackPen));
        EXPECT_EQ(calls[8], "SetPolyFillMode(1)");
        EXPECT_EQ(calls[9], Selected(StockObject::WhiteBrush));
        EXPECT_EQ(p.MetafilePen, 0u);
        EXPECT_EQ(p.MetafileBrush, 0u);
        if (shape == "Polyline" || shape == "Polygon") {
            EXPECT_EQ(p.WmfPoints.size(), 2u);  // emptied after use
        }
    }
    EXPECT_TRUE(boxes.log.empty());

    // A text item on its way to the export draws nothing here.
    scripted->calls.clear();
    p.PlotMode = SymText;
    WmfWrite();
    EXPECT_TRUE(scripted->calls.empty());
}

TEST_F(WmfWriterTest, LinesAreCollectedAndSplitAtTheLimit) {
    PlotState& p = Plot();
    Design().LineWidthScaling = false;
    p.PlotMode = SymLine;
    p.CurColor = MakeRgb(0, 255, 0);
    p.PenWidth = 2;
    p.NewPolyline = true;
    for (int i = 1; i <= 2000; ++i) {
        At(i, 2 * i);
        WmfWrite();
        if (i == 1998) {
            EXPECT_TRUE(scripted->calls.empty());  // nothing is drawn while the line grows
            EXPECT_EQ(p.PolyPointCount, 1998);
        }
    }
    // The 1999th point ended the first polyline and began the next.
    ASSERT_EQ(scripted->CallNames(),
              (std::vector<std::string>{"CreatePen", "SelectObject", "Polyline", "SelectObject", "DeleteObject"}));
    EXPECT_EQ(scripted->calls[0], "CreatePen(0,2,65280)");
    const std::string& first = scripted->calls[2];
    EXPECT_EQ(first.substr(0, 18), "Polyline(1,2 2,4 3");
    EXPECT_EQ(first.substr(first.size() - 11), " 1999,3998)");
    EXPECT_EQ(std::count(first.begin(), first.end(), ' '), 1998);  // 1999 points
    EXPECT_EQ(p.PolyPointCount, 2);
    EXPECT_FALSE(p.NewPolyline);
    EXPECT_EQ(p.WmfPoints[1], (DevPoint{1999, 3998}));

    PrintLineBrkDisk();
    EXPECT_EQ(scripted->calls[7], "Polyline(1999,3998 2000,4000)");
    EXPECT_EQ(p.PolyPointCount, 0);
    EXPECT_TRUE(p.NewPolyline);
    EXPECT_TRUE(boxes.log.empty());
}

TEST_F(WmfWriterTest, LinePenWidthInFileUnits) {
    DesignState& d = Design();
    PlotState& p = Plot();
    p.PlotMode = SymLine;
    p.PenWidth = 2;
    p.OutExtentX = 32000;
    p.DrawWidthTwips = 15345;
    d.TwipsPerPixelY = 15;
    At(5, 5);
    d.LineWidthScaling = false;
    WmfWrite();
    EXPECT_EQ(p.WmfPolyWidth, 2);
    d.LineWidthScaling = true;
    WmfWrite();
    EXPECT_EQ(p.WmfPolyWidth, 63);  // 2 pixels of 15 twips, 30 twips of 15345 across 32000 units: 62.56
    EXPECT_EQ(p.PolyPointCount, 2);
    EXPECT_TRUE(boxes.log.empty());
}

TEST_F(WmfWriterTest, FailedCallsShowTheirBoxesAndTheSymbolIsReleased) {
    struct Case {
        int16_t mode;
        std::vector<std::string> failNames;
        int64_t failAt;
        bool earlierObjects;  // a pen and a brush of an earlier symbol still held
        std::vector<std::string> messages;
    };
    const Case cases[] = {
        {SymPlus, {"CreatePen"}, 0, false, {"CreatePen(1) error in WmfWrite"}},
        {SymSquareFilled, {"CreateSolidBrush"}, 0, false, {"CreateSolidBrush(1) error in WmfWrite"}},
        {SymSquare, {"SetPolyFillMode"}, 0, false, {"SetPolyFillMode(1) error in WmfWrite"}},
        {SymPlus, {"Polyline"}, 0, false, {"Polyline(1) error in WmfWrite"}},
        {SymCross, {"Polyline"}, 0, false, {"Polyline(2) error in WmfWrite"}},
        {SymDot, {"Rectangle"}, 0, false, {"Rectangle(1) error in WmfWrite"}},
        {SymDiamondFilled, {"Polygon"}, 0, false, {"Polygon(2) error in WmfWrite"}},
        {SymTriangle, {"Polygon"}, 0, false, {"Polygon(3) error in WmfWrite"}},
        {SymCircle, {"Ellipse"}, 0, false, {"Ellipse(1) error in WmfWrite"}},
        {SymCircleFilled,
         {"DeleteObject"},
         0,
         false,
         {"DeleteObject(3) error in WmfWrite", "DeleteObject(4) error in WmfWrite"}},
        {SymSquare, {}, 9, false, {"SetPolyFillMode(2) error in WmfWrite"}},
        {SymCircleFilled, {}, 1, true, {"DeleteObject(1) error in WmfWrite"}},
        {SymCircleFilled, {}, 4, true, {"DeleteObject(2) error in WmfWrite"}},
    };
    PlotState& p = Plot();
    p.SymbolRadiusOut = 4;
    p.SymbolBorderOut = 1;
    At(100, 100);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.messages[0]);
        if (c.earlierObjects) {
            p.MetafilePen = Recorder().CreatePen(PenStyle::Solid, 1, 0);
            p.MetafileBrush = Recorder().CreateSolidBrush(0);
        }
        p.PlotMode = c.mode;
        scripted->calls.clear();
        scripted->failNames = c.failNames;
        scripted->failAt = c.failAt;
        boxes.log.clear();
        WmfWrite();
        ASSERT_EQ(boxes.log.size(), c.messages.size());
        for (size_t i = 0; i < c.messages.size(); ++i) {
            EXPECT_EQ(boxes.log[i].text, c.messages[i]);
            EXPECT_EQ(boxes.log[i].title, "Windows API Error");
            EXPECT_EQ(boxes.log[i].icon, MsgIcon::Exclamation);
        }
        EXPECT_EQ(p.MetafilePen, 0u);
        EXPECT_EQ(p.MetafileBrush, 0u);
        // The shape is still asked for, and the default pen is selected again.
        const std::vector<std::string> names = scripted->CallNames();
        EXPECT_EQ(std::count_if(names.begin(), names.end(),
                                [](const std::string& n) {
                                    return n == "Polyline" || n == "Polygon" || n == "Rectangle" || n == "Ellipse";
                                }),
                  1);
        scripted->failNames.clear();
        scripted->failAt = 0;
        EXPECT_EQ(Recorder().SelectObject(Recorder().GetStockObject(StockObject::BlackPen)),
                  Recorder().GetStockObject(StockObject::BlackPen));
    }
}

TEST_F(WmfWriterTest, RunTimeFailuresEndThePoint) {
    struct Case {
        const char* name;
        int16_t mode;
        double x;
        bool noRecording;
        int32_t drawWidth;
        const char* text;
    };
    const Case cases[] = {
        {"x beyond 16 bits", SymSquare, 40000, false, 1, "Error: Overflow"},
        {"a line vertex beyond 16 bits", SymLine, -32769, false, 1, "Error: Overflow"},
        {"the symbol's box beyond 16 bits", SymCircle, 32760, false, 1, "Error: Overflow"},
        {"no recording", SymDiamond, 100, true, 1, "Error: Invalid procedure call or argument"},
        {"no drawing width", SymLine, 100, false, 0, "Error: Division by zero"},
    };
    PlotState& p = Plot();
    Design().LineWidthScaling = true;
    p.PenWidth = 1;
    p.OutExtentX = 32000;
    p.SymbolRadiusOut = 10;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        p.PlotMode = c.mode;
        p.MetafileDC = c.noRecording ? nullptr : scripted.get();
        p.DrawWidthTwips = c.drawWidth;
        scripted->calls.clear();
        boxes.log.clear();
        At(c.x, 0);
        WmfWrite();
        ASSERT_EQ(boxes.log.size(), 1u);
        EXPECT_EQ(boxes.log[0].title, "Error in WmfWrite");
        EXPECT_EQ(boxes.log[0].text, c.text);
        EXPECT_TRUE(scripted->calls.empty());
    }
}

TEST_F(WmfWriterTest, SavedFileIsThePlaceableHeaderAndTheMetafile) {
    PlotState& p = Plot();
    p.OutExtentX = 32000;
    p.OutExtentY = 23100;
    p.WmfFileName = dir + "/map.wmf";
    std::ofstream(p.WmfFileName) << std::string(5000, 'x');  // an earlier file is replaced
    Recorder().Rectangle(1, 2, 3, 4);
    CloseMetafileRecording();
    EXPECT_EQ(p.MetafileDC, nullptr);
    EXPECT_EQ(p.MetafileRecorder, nullptr);
    ASSERT_NE(p.MetafileHandle, nullptr);
    const MetafileBits bits = *p.MetafileHandle;
    EXPECT_EQ(bits.size(), 18u + 14u + 6u);

    SaveMetafileToDisk();
    EXPECT_TRUE(boxes.log.empty());
    EXPECT_EQ(p.MetafileHandle, nullptr);
    EXPECT_EQ(test::FileBytes(p.WmfFileName), kExampleHeader + std::string(bits.begin(), bits.end()));
}

TEST_F(WmfWriterTest, AFileThatCannotBeWrittenIsReportedAndNotLeftBehind) {
    struct Case {
        const char* name;
        std::string path;
        bool recorded;
        int32_t extentX;
        const char* title;
        std::string text;
    };
    const std::string missing = dir + "/no such folder/map.wmf";
    const Case cases[] = {
        {"missing folder", missing, true, 32000, "Error in SaveMetafileToDisk",
         "Error: Cannot create " + missing + " (No such file or directory)"},
        {"no recording", dir + "/none.wmf", false, 32000, "Error in SaveMetafileToDisk",
         "Error: No metafile has been recorded for " + dir + "/none.wmf"},
        {"picture beyond 16 bits", dir + "/wide.wmf", true, 32500, "Error in SaveMetafileToDisk", "Error: Overflow"},
        {"device", "/dev/full", true, 32000, "Error in SaveMetafileToDisk",
         "Error: Cannot create /dev/full (Not a regular file)"},
    };
    PlotState& p = Plot();
    p.OutExtentY = 23100;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        p.WmfFileName = c.path;
        p.OutExtentX = c.extentX;
        p.MetafileHandle = c.recorded ? std::make_shared<const MetafileBits>(MetafileBits(24, 0)) : nullptr;
        boxes.log.clear();
        SaveMetafileToDisk();
        ASSERT_EQ(boxes.log.size(), 1u);
        EXPECT_EQ(boxes.log[0].title, c.title);
        EXPECT_EQ(boxes.log[0].text, c.text);
        EXPECT_EQ(boxes.log[0].icon, MsgIcon::Exclamation);
        EXPECT_EQ(p.MetafileHandle, nullptr);
        if (c.path != "/dev/full") {
            EXPECT_FALSE(std::filesystem::exists(c.path));
        }
    }
    EXPECT_TRUE(std::filesystem::exists("/dev/full"));  // a device is never removed
}

TEST_F(WmfWriterTest, AMetafileCutShortByTheFileSizeLimitKeepsTheEarlierFile) {
    PlotState& p = Plot();
    p.OutExtentX = 32000;
    p.OutExtentY = 23100;
    p.WmfFileName = dir + "/limited.wmf";
    test::WriteFile(p.WmfFileName, "earlier");
    p.MetafileHandle = std::make_shared<const MetafileBits>(MetafileBits(4000, 0));
    {
        test::FileSizeLimit limit(1000);  // writes beyond 1000 bytes fail
        SaveMetafileToDisk();
    }

    ASSERT_EQ(boxes.log.size(), 1u);
    EXPECT_EQ(boxes.log[0].title, "Windows API Error");
    EXPECT_EQ(boxes.log[0].text, "hwrite error in SaveMetafileToDisk");
    EXPECT_EQ(test::FileBytes(p.WmfFileName), "earlier");  // no header-only or cut file
    EXPECT_EQ(test::TemporaryFiles(dir), 0);
}

TEST_F(WmfWriterTest, FileMenuPreparesTheRecording) {
    DesignState& d = Design();
    PlotState& p = Plot();
    d.BackColor = MakeRgb(0xC0, 0xDC, 0xF0);
    p.MetafileHandle = std::make_shared<const MetafileBits>();  // left from an earlier export
    p.PenWidth = 7;
    StartWmfRecording(dir + "/prepared.wmf");
    EXPECT_TRUE(p.OutWmf);
    EXPECT_EQ(p.WmfFileName, dir + "/prepared.wmf");
    EXPECT_EQ(p.MetafileHandle, nullptr);
    EXPECT_EQ(p.PenWidth, 1);
    ASSERT_NE(p.MetafileRecorder, nullptr);
    EXPECT_EQ(p.MetafileDC, p.MetafileRecorder.get());
    EXPECT_TRUE(boxes.log.empty());

    // The drawing area was fitted: the file space of the window, margins about it.
    const int32_t ex = p.OutExtentX;
    const int32_t ey = p.OutExtentY;
    ASSERT_GT(ex, 0);
    ASSERT_GT(ey, 0);
    const auto w = [](int32_t v) { return Hex(static_cast<uint16_t>(v)); };
    const std::string back = Color(static_cast<Rgb>(d.BackColor));
    EXPECT_EQ(Records(*p.MetafileRecorder->Close()),
              (std::vector<std::string>{
                  "0103 0008",                                               // anisotropic
                  "020b " + w(ey + 320) + " " + w(-320),                     // window origin
                  "020c " + w(-(ey + 640)) + " " + w(ex + 640),              // window extent, y upwards
                  "0102 0001",                                               // transparent
                  "02fc 0000 " + back + " 0000", "012d 0000",                // background brush
                  "02fa 0000 0001 0000 " + back, "012d 0001",                // background pen
                  "041b " + w(ey + 320) + " " + w(ex + 320) + " fec0 fec0",  // the whole picture
                  "02fc 0000 ffff 00ff 0000", "012d 0002",                   // the default brush again
                  "02fa 0000 0000 0000 0000 0000", "012d 0003",              // the default pen again
                  "01f0 0000", "01f0 0001",                                  // brush and pen deleted
              }));
}

TEST_F(WmfWriterTest, FailedPreparationCallsShowTheirBoxesAndTheStepsGoOn) {
    struct Case {
        std::vector<std::string> failNames;
        int32_t extentX;
        std::vector<std::string> messages;
    };
    const Case cases[] = {
        {{"SetMapMode"}, 32000, {"SetMapMode error in mnuInput_Click"}},
        {{"SetWindowOrgEx"}, 32000, {"SetWindowOrgEx error in mnuInput_Click"}},
        {{"SetWindowExtEx"}, 32000, {"SetWindowExtEx error in mnuInput_Click"}},
        {{"CreateSolidBrush"}, 32000, {"CreateSolidBrush(1) error in mnuInput_Click"}},
        {{"CreatePen"}, 32000, {"CreatePen(1) error in mnuInput_Click"}},
        {{"Rectangle"}, 32000, {"Rectangle(1) error in mnuInput_Click"}},
        {{"DeleteObject"},
         32000,
         {"DeleteObject(1) error in mnuInput_Click", "DeleteObject(2) error in mnuInput_Click"}},
        // A picture wider than 16 bits of file units: the recording refuses it.
        {{}, 32500, {"SetWindowExtEx error in mnuInput_Click", "Rectangle(1) error in mnuInput_Click"}},
    };
    PlotState& p = Plot();
    p.OutExtentY = 23100;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.messages[0]);
        p.OutExtentX = c.extentX;
        scripted->calls.clear();
        scripted->failNames = c.failNames;
        boxes.log.clear();
        PrepareMetafile();
        ASSERT_EQ(boxes.log.size(), c.messages.size());
        for (size_t i = 0; i < c.messages.size(); ++i) {
            EXPECT_EQ(boxes.log[i].text, c.messages[i]);
            EXPECT_EQ(boxes.log[i].title, "Windows API Error");
        }
        const std::vector<std::string> names = scripted->CallNames();
        EXPECT_EQ(std::count(names.begin(), names.end(), "Rectangle"), 1);
        EXPECT_EQ(names.back(), "DeleteObject");
    }
}

// The file is written only at the end of the run: a stop drops the
// recording and leaves a file of that name, which the run never wrote, alone.
TEST_F(WmfWriterTest, StopDuringTheRunDropsTheRecordingAndKeepsAnEarlierFile) {
    const std::string path = dir + "/stopped.wmf";
    std::ofstream(path) << "an earlier export";
    StartWmfRecording(path);
    SetDoEventsHook([](int64_t n) {
        if (n == 3) StopRun();
    });
    test::DrawSinglePass();
    const PlotState& p = Plot();
    EXPECT_EQ(Design().PlotStopText, "Escape");
    EXPECT_FALSE(p.OutWmf);
    EXPECT_EQ(p.MetafileDC, nullptr);
    EXPECT_EQ(p.MetafileRecorder, nullptr);
    EXPECT_EQ(p.MetafileHandle, nullptr);
    EXPECT_EQ(p.MetafilePen, 0u);
    EXPECT_EQ(p.MetafileBrush, 0u);
    EXPECT_EQ(p.CurOutFile, "");
    EXPECT_EQ(test::FileBytes(path), "an earlier export");
    EXPECT_TRUE(boxes.log.empty());
}

TEST_F(WmfWriterTest, StopAndShutDownReleaseWhatIsHeld) {
    struct Case {
        void (*discard)();
        const char* message;
    };
    const Case cases[] = {
        {DiscardMetafileOnStop, "DeleteObject(2) error in Tellurax: Form_KeyDown"},
        {DiscardMetafileAtShutDown, "DeleteObject(2) error in Tellurax: Form_Unload"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        PlotState& p = Plot();
        p.MetafileRecorder = std::make_shared<WmfRecorder>();
        p.MetafileDC = p.MetafileRecorder.get();
        p.MetafileHandle = std::make_shared<const MetafileBits>();
        p.MetafileBrush = p.MetafileDC->CreateSolidBrush(0);
        // A pen still selected cannot be deleted.
        p.MetafilePen = p.MetafileDC->CreatePen(PenStyle::Solid, 1, 0);
        p.MetafileDC->SelectObject(p.MetafilePen);
        boxes.log.clear();
        c.discard();
        ASSERT_EQ(boxes.log.size(), 1u);
        EXPECT_EQ(boxes.log[0].text, c.message);
        EXPECT_EQ(boxes.log[0].title, "Windows API Error");
        EXPECT_EQ(p.MetafileDC, nullptr);
        EXPECT_EQ(p.MetafileRecorder, nullptr);
        EXPECT_EQ(p.MetafileHandle, nullptr);
        EXPECT_EQ(p.MetafilePen, 0u);
        EXPECT_EQ(p.MetafileBrush, 0u);
        c.discard();  // nothing left to release
        EXPECT_EQ(boxes.log.size(), 1u);
    }
}

// What the text drawing does for one text item in the metafile: the
// position and height from twips of the drawing area into file units, y
// upwards, the rotation turned for the upward y axis.
void DrawMetafileText(const std::string& text, float xTwips, float yTwips, float points, int rotation, Rgb color) {
    const PlotState& p = Plot();
    Surface& dc = *p.MetafileDC;
    LogFont font;
    font.height = static_cast<int32_t>(std::nearbyint(points * -20.0 / p.DrawHeightTwips * p.OutExtentY));
    font.escapement = font.orientation = -rotation * 10;
    font.charSet = 1;
    font.clipPrecision = 16;
    font.faceName = "Liberation Sans";
    const GdiObject created = dc.CreateFontIndirect(font);
    const GdiObject keptFont = dc.SelectObject(created);
    const unsigned keptAlign = dc.SetTextAlign(AlignBaseline);
    const Rgb keptColor = dc.SetTextColor(color);
    dc.TextOut(static_cast<int32_t>(std::nearbyint(xTwips / p.DrawWidthTwips * p.OutExtentX)),
               static_cast<int32_t>(std::nearbyint(p.OutExtentY - yTwips / p.DrawHeightTwips * p.OutExtentY)), text);
    dc.SetTextColor(keptColor);
    dc.SelectObject(keptFont);
    dc.DeleteObject(created);
    dc.SetTextAlign(keptAlign);
}

// The default design exported to WMF as a run does it: the graticule through
// the graticule drawing, then lines and symbols as the plotting pass sends
// them, a text item, the closing and the save. The file is left in the build
// folder for the reader check (check_wmf.sh).
TEST(WmfExportFile, DefaultDesign) {
    FakeHost host(1024, 768);
    test::DrawingSetUp setUp(host);
    ScopedScriptedMessageBox boxes;
    const std::filesystem::path folder = std::filesystem::path(TLRX_TEST_OUT_DIR) / "wmf";
    std::filesystem::create_directories(folder);
    const std::string path = (folder / "default.wmf").string();

    StartWmfRecording(path);
    test::DrawSinglePass();
    DesignState& d = Design();
    PlotState& p = Plot();
    ASSERT_EQ(d.PlotStopText, "");

    // A long line (split at 1999 points) and a one-point line.
    const double width = d.MapXMax - d.MapXMin;
    const double height = d.MapYMax - d.MapYMin;
    p.PlotMode = SymLine;
    p.CurColor = MakeRgb(0, 0, 255);
    p.PenWidth = 2;
    p.NewPolyline = true;
    for (int i = 0; i < 2500; ++i) {
        d.ProjOutX = d.MapXMin + width * i / 2499.0;
        d.ProjOutY = d.MapYMin + height * (0.5 + 0.3 * std::sin(i / 200.0));
        ScaleXY();
    }
    PrintLineBrkDisk();
    d.ProjOutX = d.MapXMin + width / 2;
    d.ProjOutY = d.MapYMin + height / 10;
    ScaleXY();
    PrintLineBrkDisk();

    // One symbol of each type along the middle.
    p.SymbolRadiusOut = 120;
    p.SymbolBorderOut = 20;
    for (int16_t mode = SymDot; mode <= SymCircleFilled; ++mode) {
        p.PlotMode = mode;
        p.CurColor = MakeRgb(200, 20 * mode, 0);
        d.ProjOutX = d.MapXMin + width * (mode - 1) / 12.0;
        d.ProjOutY = d.MapYMin + height / 4;
        ScaleXY();
    }

    // The end of the last pass.
    p.DrawingMetafile = true;
    DrawMetafileText("Tellurax", 3000, 2000, 24, 15, MakeRgb(128, 0, 0));
    p.DrawingMetafile = false;
    CloseMetafileRecording();
    SaveMetafileToDisk();
    p.NewPolyline = true;
    p.OutWmf = false;
    EXPECT_TRUE(boxes.log.empty());

    const std::string bytes = test::FileBytes(path);
    const auto header = PlaceableHeader(-320, -320, static_cast<int16_t>(p.OutExtentX + 320),
                                        static_cast<int16_t>(p.OutExtentY + 320), 6000);
    ASSERT_GT(bytes.size(), 22u);
    EXPECT_EQ(bytes.substr(0, 22), std::string(header.begin(), header.end()));
    const MetafileBits bits(bytes.begin() + 22, bytes.end());
    const std::vector<std::string> records = Records(bits);
    EXPECT_EQ(Count(records, "0325"), 16u + 2u + 1u + 2u);  // graticule, split line, one-point line, plus, cross
    EXPECT_EQ(Count(records, "0324"), 4u);                  // diamonds, triangles
    EXPECT_EQ(Count(records, "041b"), 1u + 3u);             // background; dot, squares
    EXPECT_EQ(Count(records, "0418"), 2u);                  // circles
    EXPECT_EQ(Count(records, "0521"), 1u);
    // The text comes after every line and symbol.
    const auto text =
        std::find_if(records.begin(), records.end(), [](const std::string& r) { return r.substr(0, 4) == "0521"; });
    for (auto r = text; r != records.end(); ++r)
        EXPECT_EQ(std::string("0325 0324 041b 0418").find(r->substr(0, 4)), std::string::npos);
    // Slots are reused: the table stays small however many objects were made.
    EXPECT_LE(test::Word(bits, 10), 6);
}

}  // namespace
}  // namespace tlrx
