#include <gtest/gtest.h>

#include <QImage>

#include "core/DesignState.h"
#include "platform/MessageBox.h"
#include "platform/qt/QtSurface.h"
#include "plot/DeviceLayer.h"
#include "plot/PlotState.h"
#include "support/FakeHost.h"
#include "support/ScriptedMessageBox.h"
#include "support/ScriptedSurface.h"

namespace tlrx {
namespace {

// A 15-twips-per-pixel device whose projection unit is one pixel: the point
// (x, y) lands on pixel (x, 200 - y).
class DeviceLayerTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetDesignState();
        ResetPlotState();
        SetMainWindow(&host);
        image.fill(Qt::white);
        PlotState& p = Plot();
        p.DrawDC = &surface;
        p.DevTwipsPerPixelX = p.DevTwipsPerPixelY = 15;
        p.DevScaleX = p.DevScaleY = 15;
        p.DevOffsetX = 0;
        p.DevOffsetY = 200 * 15;
        Design().MapXMin = Design().MapYMin = 0;
    }
    void TearDown() override { SetMainWindow(nullptr); }

    void Draw(int16_t mode, double x, double y, int16_t status = 0) {
        Plot().PlotMode = mode;
        Design().ProjOutX = x;
        Design().ProjOutY = y;
        Design().PlotStatus = status;
        PrintToScreen();
    }

    FakeHost host{100, 100};
    QImage image{300, 220, QImage::Format_RGB32};
    QtSurface real{image};
    ScriptedSurface surface{real};
    ScopedScriptedMessageBox boxes;
};

TEST_F(DeviceLayerTest, PolylineVerticesStartNewLinesOnPenUpOrSegmentStart) {
    Draw(SymLine, 10, 190, 1);  // pen up: moves, draws nothing visible
    Draw(SymLine, 20, 190);
    Plot().SegmentState = 3;
    Draw(SymLine, 30, 180);  // a new segment starts here
    EXPECT_EQ(Plot().SegmentState, 0);
    Draw(SymLine, 40, 180);
    EXPECT_EQ(surface.calls, (std::vector<std::string>{"MoveToEx(10,10)", "LineTo(10,10)", "LineTo(20,10)",
                                                       "MoveToEx(30,20)", "LineTo(30,20)", "LineTo(40,20)"}));
}

TEST_F(DeviceLayerTest, SymbolsHaveTheirShapeAndBox) {
    Plot().SymbolHalfW = Plot().SymbolHalfH = 45;
    Plot().CurColor = 0x020000FF;
    struct Case {
        int16_t mode;
        const char* shape;
    };
    const Case cases[] = {
        {SymPlus, "Polyline(97,150 103,150 100,150 100,147 100,153 100,150)"},
        {SymCross, "Polyline(97,153 103,147 100,150 97,147 103,153 100,150)"},
        {SymSquare, "Rectangle(97,147,103,153)"},
        {SymSquareFilled, "Rectangle(97,147,103,153)"},
        {SymDiamond, "Polygon(97,150 100,153 103,150 100,147)"},
        {SymTriangleFilled, "Polygon(97,152 100,147 103,152)"},
        {SymCircle, "Ellipse(98,148,104,154)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mode);
        surface.calls.clear();
        Draw(c.mode, 100, 50);
        const bool filled = c.mode >= SymSquareFilled && c.mode % 2 == 0;
        const std::string shapeName = std::string(c.shape).substr(0, std::string(c.shape).find('('));
        const std::vector<std::string> expected =
            filled ? std::vector<std::string>{"CreateSolidBrush", "SelectObject", "SetPolyFillMode", shapeName,
                                              "SetPolyFillMode",  "SelectObject", "DeleteObject"}
                   : std::vector<std::string>{"GetStockObject", "SelectObject",    "SetPolyFillMode",
                                              shapeName,        "SetPolyFillMode", "SelectObject"};
        ASSERT_EQ(surface.CallNames(), expected);
        EXPECT_EQ(surface.calls[3], c.shape);
        if (filled) {
            EXPECT_EQ(surface.calls[0], "CreateSolidBrush(33554687)");
        }
        EXPECT_EQ(Plot().SymbolBrush, 0u);
    }
    EXPECT_EQ(real.LiveObjects(), 0u);
    EXPECT_TRUE(boxes.log.empty());
}

TEST_F(DeviceLayerTest, PixelsAndTextItemsOnTheDevice) {
    Plot().CurColor = 0x0000FF;
    Draw(SymDot, 5, 195);
    EXPECT_EQ(surface.calls.back(), "SetPixel(5,5,255)");
    surface.calls.clear();
    Draw(SymText, 5, 195);  // a text item on its way to an export: nothing drawn
    for (const std::string& call : surface.CallNames()) {
        EXPECT_TRUE(call == "GetStockObject" || call == "SelectObject" || call == "SetPolyFillMode") << call;
    }
}

TEST_F(DeviceLayerTest, PrintingMovesThePointOntoThePrintedMapBox) {
    PlotState& p = Plot();
    p.Printing = true;
    p.DevTwipsPerPixelX = p.DevTwipsPerPixelY = 2.4f;  // 600 pixels per inch
    p.DevScaleX = p.DevScaleY = 2.4;
    p.DevOffsetY = 200 * 2.4;
    p.PrnMapLeft = 1.0f;
    p.PrnMinLeft = 0.25f;
    p.PrnMapTop = 1.0f;
    p.PrnMinTop = 0.25f;
    p.PrinterUnits = 1440;
    Draw(SymLine, 10, 190, 1);
    EXPECT_EQ(surface.calls.front(), "MoveToEx(460,460)");  // 450 pixels right and down

    // Every change of the layout, the units or the printer moves the point.
    struct Layout {
        float mapLeft, minLeft, mapTop, minTop, twipsPerPixel;
        int16_t units;
        const char* moveTo;
    };
    for (const Layout& l : {Layout{2.0f, 0.25f, 1.0f, 0.25f, 2.4f, 1440, "MoveToEx(1060,460)"},
                            Layout{2.0f, 0.5f, 1.5f, 0.25f, 2.4f, 1440, "MoveToEx(910,760)"},
                            Layout{2.0f, 0.5f, 1.5f, 0.25f, 2.4f, 567, "MoveToEx(364,305)"},
                            Layout{2.0f, 0.5f, 1.5f, 0.25f, 4.8f, 567, "MoveToEx(182,153)"}}) {
        p.PrnMapLeft = l.mapLeft;
        p.PrnMinLeft = l.minLeft;
        p.PrnMapTop = l.mapTop;
        p.PrnMinTop = l.minTop;
        p.DevTwipsPerPixelX = p.DevTwipsPerPixelY = l.twipsPerPixel;
        p.PrinterUnits = l.units;
        surface.calls.clear();
        Draw(SymLine, 10, 190, 1);
        EXPECT_EQ(surface.calls.front(), l.moveTo) << l.units << " " << l.twipsPerPixel;
    }
}

TEST_F(DeviceLayerTest, FailuresShowTheirBoxesAndDrawingGoesOn) {
    Plot().SymbolHalfW = Plot().SymbolHalfH = 45;
    surface.failNames = {"CreateSolidBrush", "Ellipse"};
    Draw(SymCircleFilled, 100, 50);
    ASSERT_EQ(boxes.log.size(), 2u);
    EXPECT_EQ(boxes.log[0].text, "CreateSolidBrush(1) error in PrintToScreen");
    EXPECT_EQ(boxes.log[0].title, "Windows API Error");
    EXPECT_EQ(boxes.log[1].text, "Ellipse(1) error in PrintToScreen");
    // No brush was made: nothing selected, nothing deleted.
    EXPECT_EQ(surface.CallNames(),
              (std::vector<std::string>{"CreateSolidBrush", "SetPolyFillMode", "Ellipse", "SetPolyFillMode"}));

    boxes.log.clear();
    surface.calls.clear();
    Draw(SymLine, 1e6, 50);  // beyond a 16-bit pixel position
    ASSERT_EQ(boxes.log.size(), 1u);
    EXPECT_EQ(boxes.log[0].text, "Error: Overflow");
    EXPECT_EQ(boxes.log[0].title, "Error in PrintToScreen");
    EXPECT_TRUE(surface.calls.empty());
}

}  // namespace
}  // namespace tlrx
