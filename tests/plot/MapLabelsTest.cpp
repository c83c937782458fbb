// Point-file labels: their place beside the point symbol and inside the
// drawing area, their fonts measured, the labels that cannot be placed, the
// print run, the text items they become and how those items go again.

#include <gtest/gtest.h>

#include <QImage>
#include <algorithm>
#include <map>
#include <string>
#include <type_traits>
#include <vector>

#include "GridTestSupport.h"
#include "core/DesignState.h"
#include "core/Errors.h"
#include "core/Projection.h"
#include "platform/MessageBox.h"
#include "platform/qt/QtSurface.h"
#include "plot/MapLabels.h"
#include "plot/MapPlot.h"
#include "plot/MapText.h"
#include "plot/PlotState.h"
#include "plot/Scaling.h"
#include "support/ScriptedMessageBox.h"
#include "support/ScriptedSurface.h"

namespace tlrx {
namespace {

// The window with fixed text measures: a font of 16 pixels (ascent 12,
// descent 4, average character 7) and texts 600 twips wide unless told.
class LabelHost : public test::ScriptedHost {
public:
    using ScriptedHost::ScriptedHost;
    float TextWidth(std::string_view text) const override {
        const auto it = widths.find(std::string(text));
        return it == widths.end() ? 600.0f : it->second;
    }
    bool GetTextMetrics(TextMetric& m) const override {
        const size_t call = metricCalls++;
        if (call < failMetrics.size() && failMetrics[call]) return false;
        m = metric;
        return true;
    }
    std::vector<std::string> TextOuts() const {
        std::vector<std::string> out;
        for (const std::string& c : scripted.calls)
            if (c.rfind("TextOut(", 0) == 0) out.push_back(c);
        return out;
    }

    std::map<std::string, float> widths;
    TextMetric metric{16, 12, 4, 0, 0, 7, 12};
    std::vector<bool> failMetrics;  // by call, from the first
    mutable size_t metricCalls = 0;
};

class LabelTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::UseDesign(ProjEquirectangular);
        test::PrepareDrawingRun();
    }

    // A label as the plotting pass collects it, at a latitude and a frame
    // longitude (degrees east of the western boundary), in input file 1.
    void AddLabel(const std::string& text, double lat, double lon) {
        MapLabel label;
        label.MapLabelLat = lat;
        label.MapLabelLon = lon;
        label.MapLabelFile = 1;
        TextItem& item = label.MapLabelItem;
        item.TextItemText = text;
        item.TextItemFontName = "Liberation Sans";
        item.TextItemFontSize = 10;
        item.TextItemColor = MakeRgb(128, 0, 0);
        item.TextItemBold = true;
        item.TextItemStrikethru = true;
        Plot().MapLabels.push_back(label);
    }

    // One field of every label, element 0 first.
    template <class Field>
    static auto Each(Field field) {
        std::vector<std::invoke_result_t<Field, const MapLabel&>> values;
        for (const MapLabel& label : Plot().MapLabels) values.push_back(field(label));
        return values;
    }
    static const TextItem& LabelItem(size_t k) { return Plot().MapLabels.at(k).MapLabelItem; }

    // Moves the window transform so that the point lands at (x, y) twips.
    void PutPointAt(double lat, double lon, double x, double y) {
        DesignState& d = Design();
        PlotState& p = Plot();
        d.ProjInLat = lat;
        d.ProjInLon = lon;
        ProjectSelect();
        p.DevOffsetX += x - ((d.ProjOutX - d.MapXMin) * p.DevScaleX + p.DevOffsetX);
        p.DevOffsetY += y - (p.DevOffsetY - (d.ProjOutY - d.MapYMin) * p.DevScaleY);
    }

    LabelHost host{1024, 768};
    test::DrawingSetUp setUp{host};
    ScopedScriptedMessageBox boxes;
};

struct PlaceCase {
    const char* name;
    int16_t symbolType;     // of the label's file
    double pointX, pointY;  // twips
    int32_t areaWidth, areaHeight;
    int32_t x, baseline;  // expected
};
void PrintTo(const PlaceCase& c, std::ostream* os) { *os << c.name; }

class LabelPlaceTest : public LabelTest, public ::testing::WithParamInterface<PlaceCase> {};

// 15 twips per pixel, a symbol radius of 45 twips, a label 600 twips wide
// whose font is 240 twips high with an ascent of 180.
TEST_P(LabelPlaceTest, BesideTheSymbolAndInsideTheArea) {
    const PlaceCase& c = GetParam();
    DesignState& d = Design();
    PlotState& p = Plot();
    d.InputFileSymbolType(1) = c.symbolType;
    ASSERT_EQ(d.FeatureSymbolRadius(1, 1), 45);
    AddLabel("Seattle", 47.6, 57.7);
    PutPointAt(47.6, 57.7, c.pointX, c.pointY);
    p.DrawWidthTwips = c.areaWidth;
    p.DrawHeightTwips = c.areaHeight;

    LabelPrint();
    EXPECT_TRUE(boxes.log.empty());
    ASSERT_EQ(p.MapLabels.size(), 2u);
    const TextItem& item = LabelItem(1);
    EXPECT_EQ(item.TextItemX, c.x);
    EXPECT_EQ(item.TextItemY, c.baseline);
    EXPECT_EQ(item.TextItemAscent, 180);
    EXPECT_EQ(item.TextItemDescent, 60);
    EXPECT_EQ(item.TextItemCharWidth, 105);
    // Drawn unrotated with the left end of its baseline there.
    EXPECT_EQ(host.TextOuts(), std::vector<std::string>{"TextOut(" + std::to_string(ToInt32(c.x / 15.0)) + "," +
                                                        std::to_string(ToInt32(c.baseline / 15.0)) + ",Seattle)"});
    EXPECT_EQ(std::count(host.scripted.calls.begin(), host.scripted.calls.end(),
                         "CreateFontIndirect(" + FontFaceName("Liberation Sans") + ",-13,0,700)"),
              1);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LabelPlaceTest,
    ::testing::Values(PlaceCase{"RightOfTheSymbol", SymLine, 3000, 2000, 10000, 8000, 3045, 2180},
                      PlaceCase{"TwoPixelsFurtherBesideSquares", SymSquare, 3000, 2000, 10000, 8000, 3075, 2180},
                      PlaceCase{"BesideFilledSquaresToo", SymSquareFilled, 3000, 2000, 10000, 8000, 3075, 2180},
                      PlaceCase{"LeftOfTheSymbolAtTheRightEdge", SymLine, 3000, 2000, 3500, 8000, 2355, 2180},
                      PlaceCase{"LeftOfASquareAtTheRightEdge", SymSquare, 3000, 2000, 3500, 8000, 2385, 2180},
                      PlaceCase{"AboveThePointAtTheBottom", SymLine, 3000, 7900, 10000, 8000, 3045, 7840},
                      PlaceCase{"JustFittingStays", SymLine, 3000, 7760, 3645, 8000, 3045, 7940},
                      PlaceCase{"NotMovedAtTheLeftAndTop", SymLine, -100, -50, 10000, 8000, -55, 130}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(LabelTest, WindowTakesTheLabelsFontAndTheTextStateEmpties) {
    AddLabel("Tacoma", 47.3, 57.6);
    Design().CurrentText = "";
    LabelPrint();
    EXPECT_EQ(host.ForeColor, MakeRgb(128, 0, 0));
    EXPECT_EQ(host.FontName, "Liberation Sans");
    EXPECT_EQ(host.FontSize, 10.0f);
    EXPECT_TRUE(host.FontBold);
    EXPECT_FALSE(host.FontItalic);
    EXPECT_FALSE(host.FontUnderline);
    EXPECT_TRUE(host.FontStrikethru);
    EXPECT_EQ(Design().CurrentText, "");
    EXPECT_EQ(host.CurrentX, float(LabelItem(1).TextItemX));
    EXPECT_EQ(host.CurrentY, float(LabelItem(1).TextItemY));
}

// A label whose point the projection cannot take (beyond the horizon of an
// orthographic map) is neither drawn nor kept: never put at the point
// projected before it.
TEST_F(LabelTest, UnprojectablePointHasNoLabel) {
    DesignState& d = Design();
    test::UseAzimuthal(ProjOrthographic, "45    00    00    N", "090    00    00");
    test::PrepareDrawingRun();
    const double centre = d.CentralMeridian;
    d.ProjInLat = -60;
    d.ProjInLon = centre;
    ProjectSelect();
    ASSERT_TRUE(d.CalcError) << "the test's point must lie beyond the horizon";
    AddLabel("Near", 50, centre);
    AddLabel("Hidden", -60, centre);
    AddLabel("Also near", 40, centre + 10);

    LabelPrint();
    EXPECT_TRUE(boxes.log.empty());
    EXPECT_EQ(Each([](const MapLabel& l) { return l.MapLabelItem.TextItemText; }),
              (std::vector<std::string>{"", "Near", "Also near"}));
    EXPECT_EQ(Each([](const MapLabel& l) { return l.MapLabelLat; }), (std::vector<double>{0, 50, 40}));
    ASSERT_EQ(host.TextOuts().size(), 2u);
    EXPECT_NE(host.TextOuts()[1].find(",Also near)"), std::string::npos);
    EXPECT_NE(LabelItem(1).TextItemX, LabelItem(2).TextItemX);

    LabelConvert();
    EXPECT_EQ(d.NumTextItems, 2);
    EXPECT_EQ(d.TextItems[2].TextItemText, "Also near");
    EXPECT_EQ(d.TextItems[2].TextItemX, LabelItem(2).TextItemX);
}

TEST_F(LabelTest, FailedFontMetricsKeepThePreviousOnes) {
    host.failMetrics = {true, false, true};
    AddLabel("One", 47.0, 50.0);
    AddLabel("Two", 47.0, 51.0);
    AddLabel("Three", 47.0, 52.0);
    LabelPrint();
    ASSERT_EQ(boxes.log.size(), 2u);
    for (const auto& box : boxes.log) {
        EXPECT_EQ(box.text, "GetTextMetrics error in LabelPrint");
        EXPECT_EQ(box.title, "Windows API Error");
        EXPECT_EQ(box.icon, MsgIcon::Exclamation);
    }
    EXPECT_EQ(Each([](const MapLabel& l) { return l.MapLabelItem.TextItemAscent; }),
              (std::vector<int16_t>{0, 0, 180, 180}));
    EXPECT_EQ(Each([](const MapLabel& l) { return l.MapLabelItem.TextItemDescent; }),
              (std::vector<int16_t>{0, 0, 60, 60}));
    EXPECT_EQ(host.TextOuts().size(), 3u);
}

// A run-time error ends the placing: the labels before it stay placed and
// drawn, the rest are dropped, so that none becomes a text item unplaced.
TEST_F(LabelTest, RunTimeErrorDropsTheLabelsNotPlaced) {
    host.widths["Too wide"] = 3e9f;
    AddLabel("First", 47.0, 50.0);
    AddLabel("Too wide", 47.0, 51.0);
    AddLabel("Third", 47.0, 52.0);
    LabelPrint();
    ASSERT_EQ(boxes.log.size(), 1u);
    EXPECT_EQ(boxes.log[0].title, "Error in LabelPrint");
    EXPECT_EQ(boxes.log[0].text, "Error: Overflow");
    EXPECT_EQ(Each([](const MapLabel& l) { return l.MapLabelItem.TextItemText; }),
              (std::vector<std::string>{"", "First"}));
    EXPECT_EQ(host.TextOuts().size(), 1u);
    EXPECT_EQ(Design().CurrentText, "");
    LabelConvert();
    EXPECT_EQ(Design().NumTextItems, 1);
}

// While printing the labels are placed in twips of the window and reach the
// page as a text item at that place does; the printed map's transform is
// back afterwards.
TEST_F(LabelTest, PrintedWhereTheWindowPlacesThem) {
    PlotState& p = Plot();
    AddLabel("Olympia", 47.0, 56.9);
    LabelPrint();
    const int32_t windowX = LabelItem(1).TextItemX, windowY = LabelItem(1).TextItemY;

    QImage page(6000, 8000, QImage::Format_RGB32);
    QtSurface pageSurface(page);
    ScriptedSurface printer(pageSurface);
    p.PrnTwipsPerPixelX = p.PrnTwipsPerPixelY = 2.4f;
    p.PrinterUnits = 1440;
    p.PrnMapWidth = 6.5f;
    p.PrnMapLeft = 1.0f;
    p.PrnMinLeft = 0.25f;
    p.PrnMapTop = 1.0f;
    p.PrnMinTop = 0.2f;
    ScalePrinter();
    const PlotState printed = p;
    p.Printing = true;
    p.PrinterDC = &printer;
    LabelPrint();
    EXPECT_TRUE(boxes.log.empty());
    EXPECT_EQ(LabelItem(1).TextItemX, windowX);
    EXPECT_EQ(LabelItem(1).TextItemY, windowY);
    EXPECT_EQ(p.DrawWidthTwips, printed.DrawWidthTwips);
    EXPECT_EQ(p.DrawHeightTwips, printed.DrawHeightTwips);
    EXPECT_EQ(p.DevOffsetX, printed.DevOffsetX);
    EXPECT_EQ(p.DevScaleX, printed.DevScaleX);
    EXPECT_EQ(p.DevOffsetY, printed.DevOffsetY);
    EXPECT_EQ(p.DevScaleY, printed.DevScaleY);

    // The same place as a text item at the label's window position.
    ResizeTextItems(1);
    DesignState& d = Design();
    d.NumTextItems = 1;
    d.TextItems[1].TextItemText = "Olympia";
    d.TextItems[1].TextItemX = windowX;
    d.TextItems[1].TextItemY = windowY;
    d.TextItems[1].TextItemFontSize = 10;
    PrintText();
    std::vector<std::string> outs;
    for (const std::string& c : printer.calls)
        if (c.rfind("TextOut(", 0) == 0) outs.push_back(c);
    ASSERT_EQ(outs.size(), 2u);
    EXPECT_EQ(outs[0], outs[1]);
    EXPECT_TRUE(host.TextOuts().size() == 1u);  // only the first, unprinted placing
}

TEST_F(LabelTest, ConvertAppendsTheMeasuredLabels) {
    DesignState& d = Design();
    ResizeTextItems(1);
    d.NumTextItems = 1;
    d.TextItems[1].TextItemText = "Title";
    AddLabel("Portland", 45.5, 57.3);
    AddLabel("Vancouver", 49.3, 56.9);

    LabelConvert();  // not measured yet
    EXPECT_EQ(d.NumTextItems, 1);

    LabelPrint();
    LabelConvert();
    ASSERT_EQ(d.NumTextItems, 3);
    ASSERT_EQ(d.TextItems.size(), 4u);
    EXPECT_EQ(d.TextItems[1].TextItemText, "Title");
    EXPECT_FALSE(d.TextItems[1].TextItemFromLabel);
    for (size_t k = 1; k <= 2; ++k) {
        const size_t i = k + 1;
        EXPECT_EQ(d.TextItems[i].TextItemText, LabelItem(k).TextItemText);
        EXPECT_EQ(d.TextItems[i].TextItemRotation, 0);
        EXPECT_EQ(d.TextItems[i].TextItemFontName, "Liberation Sans");
        EXPECT_EQ(d.TextItems[i].TextItemFontSize, 10);
        EXPECT_EQ(d.TextItems[i].TextItemColor, MakeRgb(128, 0, 0));
        EXPECT_TRUE(d.TextItems[i].TextItemBold);
        EXPECT_FALSE(d.TextItems[i].TextItemItalic);
        EXPECT_FALSE(d.TextItems[i].TextItemUnderline);
        EXPECT_TRUE(d.TextItems[i].TextItemStrikethru);
        EXPECT_EQ(d.TextItems[i].TextItemX, LabelItem(k).TextItemX);
        EXPECT_EQ(d.TextItems[i].TextItemY, LabelItem(k).TextItemY);
        EXPECT_EQ(d.TextItems[i].TextItemAscent, 180);
        EXPECT_EQ(d.TextItems[i].TextItemDescent, 60);
        EXPECT_EQ(d.TextItems[i].TextItemCharWidth, 105);
        EXPECT_TRUE(d.TextItems[i].TextItemFromLabel);
    }
    EXPECT_TRUE(boxes.log.empty());

    // No labels: nothing.
    Plot().MapLabels.resize(1);
    LabelConvert();
    EXPECT_EQ(d.NumTextItems, 3);
}

// The plotting pass with a point file of labels: the labels are drawn,
// written into the export with the text items, and gone from the text items
// afterwards.
class LabelPassTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::UseDesign(ProjEquirectangular, "50    00    00    N", "45    00    00    N", "126    00    00    W",
                        "118    00    00    W", "001    00    00", "001    00    00");
        DesignState& d = Design();
        d.InputFileName(1) = test::SamplePath("nw.prn");
        d.InputFileSymbolType(1) = SymCircleFilled;
        d.InputFileLabelFontName(1) = "Liberation Sans";
        d.InputFileLabelFontSize(1) = 9;
        ResizeTextItems(1);
        d.NumTextItems = 1;
        d.TextItems[1].TextItemText = "Pacific Northwest";
        d.TextItems[1].TextItemX = 1500;
        d.TextItems[1].TextItemY = 1500;
        d.TextItems[1].TextItemAscent = 200;
        d.TextItems[1].TextItemFontSize = 12;
    }

    // The TEXT entities of a DXF file, by their text.
    static std::vector<std::string> DxfTexts(const std::string& path) {
        const std::vector<std::string> lines = test::ReadLines(path);
        std::vector<std::string> texts;
        bool inText = false;
        for (size_t i = 0; i + 1 < lines.size(); i += 2) {
            if (lines[i] == "  0") inText = lines[i + 1] == "TEXT";
            else if (inText && lines[i] == "  1") texts.push_back(lines[i + 1]);
        }
        return texts;
    }

    LabelHost host{1024, 768};
    test::DrawingSetUp setUp{host};
    ScopedScriptedMessageBox boxes;
    std::string dir = test::TestFolder();
};

const std::vector<std::string> kNorthwestLabels = {"Seattle",   "Tacoma",         "Olympia", "Portland",
                                                   "Vancouver", "Victoria, B.C.", "Kelowna"};

TEST_F(LabelPassTest, DxfExportWritesTheLabelsOnce) {
    PlotState& p = Plot();
    p.OutDxf = true;
    p.DxfFileName = dir + "/labels.dxf";
    test::DrawSinglePass(true);
    EXPECT_TRUE(boxes.log.empty());
    std::vector<std::string> expected = {"Pacific Northwest"};
    expected.insert(expected.end(), kNorthwestLabels.begin(), kNorthwestLabels.end());
    EXPECT_EQ(DxfTexts(p.DxfFileName), expected);
    EXPECT_EQ(host.TextOuts().size(), kNorthwestLabels.size());  // the labels on the window
    const DesignState& d = Design();
    EXPECT_EQ(d.NumTextItems, 1);
    EXPECT_EQ(d.TextItems.size(), 2u);
    EXPECT_FALSE(p.TextItemsSaved);
    // The labels stay for the label dialog's conversion.
    EXPECT_EQ(p.MapLabels.size(), kNorthwestLabels.size() + 1);
}

TEST_F(LabelPassTest, WithoutDisplayLabelsNothingIsPlacedOrConverted) {
    Design().DisplayLabels = false;
    test::DrawSinglePass(true);
    EXPECT_TRUE(host.TextOuts().empty());
    EXPECT_EQ(Plot().MapLabels.size(), kNorthwestLabels.size() + 1);
    EXPECT_FALSE(Plot().MapLabelsPlaced);
    LabelConvert();  // the label dialog's conversion
    EXPECT_EQ(Design().NumTextItems, 1);
}

// Printing: the labels and the text item come out on the page; the design's
// text items are what they were.
TEST_F(LabelPassTest, PrintedPassDrawsLabelsAndItems) {
    PlotState& p = Plot();
    QImage page(6000, 8000, QImage::Format_RGB32);
    QtSurface pageSurface(page);
    ScriptedSurface printer(pageSurface);
    test::PrepareDrawingRun();
    p.PrnTwipsPerPixelX = p.PrnTwipsPerPixelY = 2.4f;
    p.PrinterUnits = 1440;
    p.PrnMapWidth = 6.5f;
    ScalePrinter();
    p.Printing = true;
    p.PrinterDC = &printer;
    Design().FirstPass = Design().LastPass = true;
    PlotGrid();
    MapPlot();
    EXPECT_TRUE(boxes.log.empty());
    std::vector<std::string> printedTexts;
    for (const std::string& c : printer.calls)
        if (c.rfind("TextOut(", 0) == 0) printedTexts.push_back(c.substr(c.find(',', c.find(',') + 1) + 1));
    // Each label as it is placed, then every text item (the labels again).
    std::vector<std::string> expected = kNorthwestLabels;
    expected.push_back("Pacific Northwest)");
    expected.insert(expected.end(), kNorthwestLabels.begin(), kNorthwestLabels.end());
    for (size_t i = 0; i < expected.size(); ++i)
        if (expected[i].back() != ')') expected[i] += ")";
    EXPECT_EQ(printedTexts, expected);
    EXPECT_TRUE(host.TextOuts().empty());
    EXPECT_EQ(Design().NumTextItems, 1);
}

// The interrupted Mollweide world: each lobe adds its labels, the export
// gets them all once after the last lobe, and they go afterwards.
TEST_F(LabelPassTest, LobesCollectTheirLabelsForOneExport) {
    test::UseInterruptedWorld();
    DesignState& d = Design();
    const std::string places = dir + "/places.prn";
    test::WriteFile(places, "-1,47.6,-122.3,\"Seattle\"\r\n-1,48.85,2.35,\"Paris\"\r\n-1,-33.9,151.2,\"Sydney\"\r\n");
    d.InputFileName(1) = places;
    PlotState& p = Plot();
    p.OutDxf = true;
    p.DxfFileName = dir + "/lobes.dxf";
    test::DrawLobes({1, 2, 3, 5, 6}, true);
    EXPECT_TRUE(boxes.log.empty());
    EXPECT_EQ(DxfTexts(p.DxfFileName), (std::vector<std::string>{"Pacific Northwest", "Seattle", "Paris", "Sydney"}));
    EXPECT_EQ(d.NumTextItems, 1);
    EXPECT_EQ(d.TextItems.size(), 2u);
}

// A run that ends before the plotting pass of a later lobe (a stop or a
// failure in its graticule) removes the label items at its end; a run that
// ends before its first plotting pass leaves the design's items alone.
TEST_F(LabelPassTest, RunEndRemovesOnlyThisRunsLabelItems) {
    test::UseInterruptedWorld();
    DesignState& d = Design();
    d.InputFileName(1) = test::SamplePath("nw.prn");
    test::PrepareDrawingRun();
    CalcGraticuleInterrupt(1);
    d.CurLobeOffset = d.LobeOffset[1];
    d.FirstPass = true;
    d.LastPass = false;
    PlotGrid();
    MapPlot();
    EXPECT_EQ(d.NumTextItems, 1 + int32_t(kNorthwestLabels.size() + 1));  // Spokane too on the world
    // Lobe 2's graticule is stopped: the run ends there.
    RemoveTemporaryLabelItems();
    EXPECT_EQ(d.NumTextItems, 1);
    EXPECT_EQ(d.TextItems.size(), 2u);

    // The user adds an item; the next run is stopped in its first graticule.
    ResizeTextItems(2);
    d.NumTextItems = 2;
    d.TextItems[2].TextItemText = "Added";
    RemoveTemporaryLabelItems();
    EXPECT_EQ(d.NumTextItems, 2);
    EXPECT_EQ(d.TextItems[2].TextItemText, "Added");
    EXPECT_TRUE(boxes.log.empty());
}

}  // namespace
}  // namespace tlrx
