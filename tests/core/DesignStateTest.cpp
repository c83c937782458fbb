#include <gtest/gtest.h>

#include <bit>
#include <cmath>

#include "core/DesignState.h"
#include "core/Errors.h"
#include "platform/ScreenMetrics.h"

namespace tlrx {
namespace {

class DesignStateTest : public ::testing::Test {
protected:
    void SetUp() override { ResetDesignState("/opt/tellurax/"); }
    void TearDown() override { SetScreenInfo(ScreenInfo{}); }
};

TEST_F(DesignStateTest, ConstantsHaveTheirFixedValues) {
    const DesignState& d = Design();
    EXPECT_EQ(std::bit_cast<uint64_t>(d.Pi), 0x400921FB54442D11u);
    EXPECT_EQ(d.PiOver4, d.Pi / 4);
    EXPECT_EQ(d.DegToRad, d.Pi / 180);
    EXPECT_EQ(d.HalfDegToRad, d.Pi / 360);
    EXPECT_EQ(d.Sqrt2, std::sqrt(2.0));
    EXPECT_EQ(d.ArcSec360, 1296000);
    EXPECT_EQ(d.ArcSec340, 1224000);
    EXPECT_EQ(d.ArcSec180, 648000);
    EXPECT_EQ(d.SecPerDeg, 3600);
    EXPECT_EQ(d.MinPerDeg, 60);
    EXPECT_EQ(d.ApiErrorTitle, "Windows API Error");
    EXPECT_EQ(d.VersionString, "3.01");
    EXPECT_EQ(d.ProjDefined.size(), 43u);
    EXPECT_EQ(d.NumGeoFeatures, 72);
}

TEST_F(DesignStateTest, DesignStartsAsTheDefaultEquirectangularMap) {
    const DesignState& d = Design();
    EXPECT_EQ(d.ProjCode, 2);
    EXPECT_EQ(d.ProjName, "Equirectangular");
    EXPECT_EQ(d.GridType, 3);
    EXPECT_EQ(d.GridTypeText, " All grid points connected by lines");
    EXPECT_EQ(d.BackColor, 0xFFFFFF);
    EXPECT_EQ(d.BackColorIndex, 15);
    EXPECT_EQ(d.GridColor, 0);
    EXPECT_EQ(d.GcColor, 0xFF0000);  // RGB(0, 0, 255)
    EXPECT_EQ(d.ScColor, 0xFF0000);
    EXPECT_EQ(d.GcColorIndex, 9);
    EXPECT_TRUE(d.LineWidthScaling);
    EXPECT_TRUE(d.DisplayLabels);
    EXPECT_EQ(d.VectorTextScale, 100);
    EXPECT_EQ(d.RelMapWidth, 1);
    EXPECT_EQ(d.UtmSpheroidName, "Clarke 1866");
    EXPECT_EQ(d.UtmText[0], "009    00    00    W");
    EXPECT_EQ(d.UtmText[4], "0.9996");
    EXPECT_EQ(d.UtmText[10], "0100000");
    EXPECT_EQ(d.RptFontSize, 10);
    EXPECT_EQ(d.FontSizes.size(), 23u);
    EXPECT_EQ(d.FontSizes.front(), 8);
    EXPECT_EQ(d.FontSizes.back(), 144);
}

TEST_F(DesignStateTest, ConstantDefsAloneLeavesTheLaterStepsTheirStartValues) {
    // Start-up's later computations replace these; ConstantDefs gives them.
    Design() = DesignState{};
    ConstantDefs();
    const DesignState& d = Design();
    EXPECT_EQ(d.MapXMin, 0);
    EXPECT_EQ(d.MapXMax, 1);
    EXPECT_EQ(d.MapYMin, 0);
    EXPECT_EQ(d.MapYMax, 1);
    EXPECT_EQ(d.StdParText[0], "00    00    00    N");
    EXPECT_EQ(d.StdParText[1], "00    00    00    N");
    EXPECT_EQ(d.GridLineWidth, 15);
}

TEST_F(DesignStateTest, CirclesStartWithTheirFourDecimalEndPoints) {
    const DesignState& d = Design();
    // The stored values, not the exact values of the texts.
    EXPECT_EQ(d.GcStartLat, 37.7833);
    EXPECT_EQ(d.GcStartLon, -122.4333);
    EXPECT_EQ(d.GcEndLat, 29.3333);
    EXPECT_EQ(d.GcEndLon, 47.9833);
    EXPECT_EQ(d.GcEndText[3], "047    59    00    E");
    EXPECT_FALSE(d.GcDefined);
    EXPECT_EQ(d.ScRadius, 15);
    EXPECT_EQ(d.ScCount, 3);
    EXPECT_EQ(d.ScCenterLat, 0);  // real only once the dialog is accepted
    EXPECT_EQ(d.ScCenterLon, 0);
    EXPECT_EQ(d.ScText[1], "122    26    00    W");
}

TEST_F(DesignStateTest, InputFileOneIsTheDefaultWorldMapWithItsSymbology) {
    const DesignState& d = Design();
    EXPECT_EQ(d.NumInputFiles, 1);
    ASSERT_EQ(d.MaxInputFile(), 1);
    EXPECT_EQ(d.InputFileName(1), "/opt/tellurax/Tlrx4.map");
    EXPECT_EQ(d.CurInputFile, d.InputFileName(1));
    EXPECT_EQ(d.InputFileSymbolType(1), SymLine);
    EXPECT_EQ(d.MaxGeoFeature(), 72);

    const int32_t colors[11] = {0,         0x2008000, 0x2008000, 0x2FF0000, 0x2FF0000, 0x20000FF,
                                0x2FF00FF, 0x2FF00FF, 0x2FF00FF, 0x2000080, 0x2000080};
    for (int f = 1; f <= 10; ++f) {
        SCOPED_TRACE(f);
        EXPECT_TRUE(d.FeatureSelected(f, 1));
        EXPECT_EQ(d.FeatureColor(f, 1), colors[f]);
        EXPECT_EQ(d.FeatureLineWidth(f, 1), 15);
        EXPECT_EQ(d.FeatureSymbolRadius(f, 1), 45);
        EXPECT_EQ(d.FeatureBorderWidth(f, 1), 15);
    }
    for (int f : {0, 11, 72}) {
        EXPECT_FALSE(d.FeatureSelected(f, 1));
        EXPECT_EQ(d.FeatureColor(f, 1), 0);
    }
    EXPECT_EQ(d.NumTextItems, 0);
    EXPECT_EQ(d.TextItems.size(), 2u);
    EXPECT_EQ(d.TextItems.size(), 2u);
}

TEST_F(DesignStateTest, StartUpWidthsFollowTheScreenResolution) {
    struct Case {
        float twips;
        int16_t grid, circle, step;
    };
    for (const Case& c :
         {Case{15, 15, 45, 150}, Case{12, 12, 36, 120}, Case{13.333333f, 13, 40, 133}, Case{12.5f, 12, 38, 125}}) {
        SCOPED_TRACE(c.twips);
        ScreenInfo screen;
        screen.twipsPerPixelX = screen.twipsPerPixelY = c.twips;
        SetScreenInfo(screen);
        ResetDesignState();
        const DesignState& d = Design();
        EXPECT_EQ(d.TwipsPerPixelY, c.twips);
        EXPECT_EQ(d.GridLineWidth, c.grid);
        EXPECT_EQ(d.GcLineWidth, c.circle);
        EXPECT_EQ(d.ScLineWidth, c.circle);
        EXPECT_EQ(d.TextStep, c.step);
        EXPECT_EQ(d.FeatureLineWidth(1, 1), c.grid);
        EXPECT_EQ(d.FeatureSymbolRadius(1, 1), c.circle);
    }
}

TEST_F(DesignStateTest, ResizingInputFilesKeepsTheRemainingFiles) {
    DesignState& d = Design();
    ResizeInputFiles(3);
    d.InputFileName(3) = "c.prn";
    d.FeatureColor(5, 3) = 7;
    EXPECT_EQ(d.FeatureColor(1, 1), 0x2008000);
    EXPECT_EQ(d.FeatureColor(5, 2), 0);
    ResizeInputFiles(1);
    EXPECT_EQ(d.MaxInputFile(), 1);
    EXPECT_TRUE(d.FeatureSelected(10, 1));
    EXPECT_THROW(d.FeatureColor(5, 3), RuntimeError);
}

// Every setting travels with its file when a file is erased or inserted.
TEST_F(DesignStateTest, ErasingAndInsertingInputFilesMoveEverySetting) {
    DesignState& d = Design();
    ResizeInputFiles(3);
    for (int i = 1; i <= 3; ++i) {
        d.InputFileName(i) = "f" + std::to_string(i);
        d.InputFileSymbolType(i) = static_cast<int16_t>(i);
        d.InputFileLabelFontName(i) = "font" + std::to_string(i);
        d.InputFileLabelFontStrikethru(i) = i == 3;
        d.FeatureSelected(72, i) = i == 3;
        d.FeatureColor(72, i) = 100 + i;
        d.FeatureBorderWidth(1, i) = static_cast<int16_t>(10 * i);
    }
    const InputFileRecord third = d.InputFile(3);
    d.EraseInputFile(2);
    EXPECT_EQ(d.MaxInputFile(), 2);
    EXPECT_EQ(d.InputFile(2), third);
    EXPECT_EQ(d.InputFileName(1), "f1");

    d.InsertInputFile(1);
    EXPECT_EQ(d.MaxInputFile(), 3);
    EXPECT_EQ(d.InputFileName(1), "");
    EXPECT_EQ(d.MaxGeoFeature(), 72);
    EXPECT_FALSE(d.FeatureSelected(72, 1));
    EXPECT_EQ(d.InputFileName(2), "f1");
    EXPECT_EQ(d.InputFile(3), third);

    d.InsertInputFile(4);  // after the last
    EXPECT_EQ(d.MaxInputFile(), 4);
    EXPECT_THROW(d.InsertInputFile(6), RuntimeError);
    EXPECT_THROW(d.EraseInputFile(5), RuntimeError);
    EXPECT_THROW(d.InputFileName(-1), RuntimeError);
}

}  // namespace
}  // namespace tlrx
