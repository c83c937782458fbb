#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "core/DesignState.h"
#include "core/Errors.h"
#include "platform/MessageBox.h"
#include "plot/PlotState.h"
#include "plot/Scaling.h"
#include "support/FakeHost.h"
#include "support/ScriptedMessageBox.h"

namespace tlrx {
namespace {

class ScalingTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetDesignState();
        ResetPlotState();
        SetMainWindow(&host);
    }
    void TearDown() override { SetMainWindow(nullptr); }

    // A window of the given inner size in twips, a map extent of dx x dy.
    void Fit(float widthTwips, float heightTwips, double dx, double dy, double fill = 1.0) {
        host.scaleWidth = widthTwips;
        host.scaleHeight = heightTwips;
        DesignState& d = Design();
        d.MapXMin = -dx / 2;
        d.MapXMax = dx / 2;
        d.MapYMin = -1;
        d.MapYMax = dy - 1;
        Plot().MapFillFraction = fill;
        ScaleScreen();
    }

    FakeHost host{64, 48};
    ScopedScriptedMessageBox boxes;
};

TEST_F(ScalingTest, FullScreenWindowHas32000By23100FileUnits) {
    // The file space takes the drawing area's aspect by shrinking one side.
    DesignState& d = Design();
    for (const int32_t fullHeight : {718, 800}) {
        SCOPED_TRACE(fullHeight);
        d.FullScreenHeightPx = fullHeight;
        Fit(d.FullScreenWidthPx * 15.0f, fullHeight * 15.0f, 2, 1);
        const PlotState& p = Plot();
        EXPECT_EQ(p.DrawWidthTwips, d.FullScreenWidthPx * 15 - 15);
        EXPECT_EQ(p.DrawHeightTwips, fullHeight * 15 - 15);
        const double aArea = double(p.DrawHeightTwips) / p.DrawWidthTwips;
        if (aArea <= 23100.0 / 32000) {
            EXPECT_EQ(p.OutExtentX, 32000);
            EXPECT_EQ(p.OutExtentY, int32_t(std::nearbyint(aArea * 32000)));
        } else {
            EXPECT_EQ(p.OutExtentY, 23100);
            EXPECT_EQ(p.OutExtentX, int32_t(std::nearbyint(23100 / aArea)));
        }
    }
}

TEST_F(ScalingTest, MapIsCentredAndFillsTheLimitingDirection) {
    struct Case {
        float w, h;     // window, twips
        double dx, dy;  // map extent
        double fill;
        bool widthLimited;
    };
    const Case cases[] = {
        {10015, 6015, 4, 1, 1.0, true},  {10015, 6015, 1, 4, 1.0, false},
        {10015, 6015, 10, 6, 1.0, true},  // equal aspects: width-limited
        {10015, 6015, 4, 1, 0.5, true},  {6015, 10015, 1, 1, 0.8, true},
        {15015, 4515, 2, 1, 0.7, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.w << "x" << c.h << " map " << c.dx << "x" << c.dy);
        Fit(c.w, c.h, c.dx, c.dy, c.fill);
        const PlotState& p = Plot();
        const double W = p.DrawWidthTwips, H = p.DrawHeightTwips;
        EXPECT_EQ(p.DevScaleX, p.DevScaleY);
        const double mapW = c.dx * p.DevScaleX, mapH = c.dy * p.DevScaleY;
        const double left = p.DevOffsetX, top = p.DevOffsetY - mapH;
        EXPECT_NEAR(left, W - left - mapW, 1e-6);  // centred across
        EXPECT_NEAR(top, H - p.DevOffsetY, 1e-6);  // and down
        if (c.widthLimited) EXPECT_NEAR(mapW, c.fill * W, 1e-6);
        else EXPECT_NEAR(mapH, c.fill * H, 1e-6);

        const double fileW = c.dx * p.OutScale, fileH = c.dy * p.OutScale;
        EXPECT_NEAR(p.OutOffsetX, (p.OutExtentX - fileW) / 2, 0.5);
        EXPECT_NEAR(p.OutOffsetY, (p.OutExtentY - fileH) / 2, 0.5);
        if (c.widthLimited) EXPECT_NEAR(fileW, c.fill * p.OutExtentX, 1e-6);
        else EXPECT_NEAR(fileH, c.fill * p.OutExtentY, 1e-6);
    }
}

TEST_F(ScalingTest, EdgeCasesOfTheFit) {
    Fit(10015, 6015, 4, 1, 1.0);  // width-limited, fill 1: touches left and right
    EXPECT_EQ(Plot().DevOffsetX, 0);
    EXPECT_EQ(Plot().OutOffsetX, 0);
    Fit(10015, 6015, 1, 4, 1.0);  // height-limited, fill 1: touches top and bottom
    EXPECT_EQ(Plot().DevOffsetY, Plot().DrawHeightTwips);
    EXPECT_EQ(Plot().OutOffsetY, 0);
    Fit(10015, 6015, 4, 1, 0.5);  // a 10000 x 6000 area, half filled
    EXPECT_EQ(Plot().DevOffsetX, 2500);
    EXPECT_EQ(4 * Plot().DevScaleX, 5000);
    EXPECT_TRUE(boxes.log.empty());
}

TEST_F(ScalingTest, PrinterBoxHasTheWindowsAspectAndLeavesTheFileSpace) {
    Fit(10015, 6015, 4, 1);
    const PlotState before = Plot();
    PlotState& p = Plot();
    p.PrinterUnits = 567;
    p.PrnMapWidth = 15.0f;
    ScalePrinter();
    EXPECT_EQ(p.DrawWidthTwips, 8505);
    EXPECT_EQ(p.DrawHeightTwips, int32_t(std::nearbyint(6015.0 * 8505 / 10015)));
    EXPECT_EQ(p.DevScaleX, 8505.0 / 4);
    EXPECT_EQ(p.OutExtentX, before.OutExtentX);
    EXPECT_EQ(p.OutExtentY, before.OutExtentY);
    EXPECT_EQ(p.OutOffsetX, before.OutOffsetX);
    EXPECT_EQ(p.OutOffsetY, before.OutOffsetY);
    EXPECT_EQ(p.OutScale, before.OutScale);
}

TEST_F(ScalingTest, DegenerateExtentShowsItsBoxAndKeepsTheTransform) {
    Fit(10015, 6015, 4, 1);
    const PlotState before = Plot();
    Fit(20015, 9015, 0, 1);
    ASSERT_EQ(boxes.log.size(), 1u);
    EXPECT_EQ(boxes.log[0].text, "Error: Division by zero");
    EXPECT_EQ(boxes.log[0].title, "Error in ScaleScreen");
    const PlotState& p = Plot();
    EXPECT_EQ(p.DrawWidthTwips, 20000);  // written before the failing step
    EXPECT_NE(p.OutExtentX, before.OutExtentX);
    EXPECT_EQ(p.DevOffsetX, before.DevOffsetX);
    EXPECT_EQ(p.DevScaleX, before.DevScaleX);
    EXPECT_EQ(p.DevOffsetY, before.DevOffsetY);
    EXPECT_EQ(p.OutScale, before.OutScale);
    EXPECT_EQ(p.OutOffsetX, before.OutOffsetX);
    EXPECT_EQ(p.OutOffsetY, before.OutOffsetY);

    boxes.log.clear();
    Plot().PrnMapWidth = 6.5f;
    Design().MapXMax = Design().MapXMin;
    ScalePrinter();
    ASSERT_EQ(boxes.log.size(), 1u);
    EXPECT_EQ(boxes.log[0].title, "Error in ScalePrinter");
}

// The pixel of a twips value by multiplication rounds as the division it
// replaces: halves to even in both signs, near-halves either side, large
// values, the edges of the 16-bit range and the failures.
TEST(PixelScaleTest, RoundsAsTheDivision) {
    const auto divided = [](double twips, float tpp) -> std::string {
        try {
            return std::to_string(ToInt16(CheckedDiv(twips, tpp)));
        } catch (const RuntimeError& e) {
            return e.what();
        }
    };
    const auto multiplied = [](double twips, float tpp) -> std::string {
        try {
            return std::to_string(PixelScale(tpp)(twips));
        } catch (const RuntimeError& e) {
            return e.what();
        }
    };
    const double nan = std::numeric_limits<double>::quiet_NaN();
    for (const float tpp : {15.0f, 12.0f, 1.0f, 7.5f, 26.458334f, 0.1f, 3.0f, 0.0f}) {
        const double t = tpp;
        // In pixels: halves of both signs, near-halves, the 16-bit range's edges.
        const double pixels[] = {0.0,      0.5,       1.5,      2.5,      -0.5,          -1.5,         -2.5,
                                 7.5,      16383.5,   -16384.5, 32766.5,  32767.5,       -32768.5,     -32767.5,
                                 32767.49, -32768.49, 0.499999, 0.500001, 0.49999999999, 0.50000000001};
        for (const double px : pixels)
            EXPECT_EQ(multiplied(px * t, tpp), divided(px * t, tpp)) << px << " pixels at " << tpp;
        // In twips: the exact halves next to a half, large values, failures.
        const double twips[] = {-0.0,
                                std::nextafter(0.5 * t, 1.0),
                                std::nextafter(0.5 * t, 0.0),
                                1e15,
                                4503599627370497.0,
                                1e300,
                                -1e300,
                                nan,
                                1234.5678,
                                -98765.4321,
                                112.5,
                                -112.5};
        for (const double tw : twips) EXPECT_EQ(multiplied(tw, tpp), divided(tw, tpp)) << tw << " twips at " << tpp;
        // Every tenth of a pixel over a stretch of the range, and every twip.
        for (int tenth = -20000; tenth <= 20000; ++tenth) {
            const double value = tenth * t / 10;
            ASSERT_EQ(multiplied(value, tpp), divided(value, tpp)) << value << " twips at " << tpp;
        }
        for (int twip = -40000; twip <= 40000; ++twip)
            ASSERT_EQ(multiplied(twip, tpp), divided(twip, tpp)) << twip << " twips at " << tpp;
    }
}

}  // namespace
}  // namespace tlrx
