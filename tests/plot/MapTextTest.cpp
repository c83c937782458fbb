// Map text: where and how rotated text comes out on the window, the printer
// page and the WMF recording; the device's state put back; the failure
// boxes; the text items drawn in order; the pixels of rotated text.

#include <gtest/gtest.h>

#include <QImage>
#include <algorithm>
#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "GridTestSupport.h"
#include "core/DesignState.h"
#include "platform/MessageBox.h"
#include "platform/WmfRecorder.h"
#include "platform/qt/QtSurface.h"
#include "plot/MapText.h"
#include "plot/PlotState.h"
#include "support/FakeHost.h"
#include "support/ScriptedMessageBox.h"
#include "support/ScriptedSurface.h"

namespace tlrx {
namespace {

// A recording surface that also keeps every font record it is given.
class FontCapture : public ScriptedSurface {
public:
    using ScriptedSurface::ScriptedSurface;
    GdiObject CreateFontIndirect(const LogFont& font) override {
        fonts.push_back(font);
        return ScriptedSurface::CreateFontIndirect(font);
    }
    // The TextOut calls, "TextOut(x,y,text)".
    std::vector<std::string> TextOuts() const {
        std::vector<std::string> out;
        for (const std::string& c : calls)
            if (c.rfind("TextOut(", 0) == 0) out.push_back(c);
        return out;
    }
    std::vector<LogFont> fonts;
};

// The main window with the font-keeping recorder over its picture.
class TextHost : public FakeHost {
public:
    using FakeHost::FakeHost;
    Surface& DC() override { return capture; }
    QtSurface& Real() { return RealDC(); }
    FontCapture capture{FakeHost::DC()};
};

class MapTextTest : public ::testing::Test {
protected:
    // Puts a text into the shared text state.
    void SetText(const std::string& text, float x, float y, float points, const std::string& rotation) {
        Design().CurrentText = text;
        Design().CurrentTextRotation = rotation;
        host.CurrentX = x;
        host.CurrentY = y;
        host.FontSize = points;
        host.FontName = "Liberation Sans";
    }

    TextHost host{1024, 768};
    test::DrawingSetUp setUp{host};
    ScopedScriptedMessageBox boxes;
};

struct PlaceCase {
    const char* name;
    float x, y, points;  // twips, points
    const char* rotation;
    const char* textOut;  // the call on the window
    int32_t height;       // lfHeight
    int32_t escapement;   // tenths of a degree
};
void PrintTo(const PlaceCase& c, std::ostream* os) { *os << c.name; }

class ScreenPlaceTest : public MapTextTest, public ::testing::WithParamInterface<PlaceCase> {};

// 15 twips per pixel.
TEST_P(ScreenPlaceTest, PixelsHeightAndRotation) {
    const PlaceCase& c = GetParam();
    SetText("Map", c.x, c.y, c.points, c.rotation);
    PrintRotatedText();
    EXPECT_TRUE(boxes.log.empty());
    EXPECT_EQ(host.capture.TextOuts(), std::vector<std::string>{c.textOut});
    ASSERT_EQ(host.capture.fonts.size(), 1u);
    EXPECT_EQ(host.capture.fonts[0].height, c.height);
    EXPECT_EQ(host.capture.fonts[0].escapement, c.escapement);
    EXPECT_EQ(host.capture.fonts[0].orientation, c.escapement);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ScreenPlaceTest,
    ::testing::Values(PlaceCase{"TwelvePointsQuarterTurn", 1500, 3000, 12, "90", "TextOut(100,200,Map)", -16, 900},
                      PlaceCase{"BlanksAroundTheRotation", 1500, 3000, 12, " 45 ", "TextOut(100,200,Map)", -16, 450},
                      PlaceCase{"EmptyRotation", 0, 0, 10, "", "TextOut(0,0,Map)", -13, 0},
                      PlaceCase{"NumberBeforeOtherCharacters", 15, 15, 9, "-12.5 deg", "TextOut(1,1,Map)", -12, -125},
                      PlaceCase{"HalvesToEven", 22.5f, 37.5f, 10.125f, "abc", "TextOut(2,2,Map)", -14, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(MapTextTest, PrinterPageFromTheWindowPosition) {
    PlotState& p = Plot();
    QImage page(3000, 3000, QImage::Format_RGB32);
    QtSurface pageSurface(page);
    FontCapture printer(pageSurface);
    p.Printing = true;
    p.DrawingMetafile = true;  // the printer wins
    p.PrinterDC = &printer;
    p.PrnTwipsPerPixelX = p.PrnTwipsPerPixelY = 2.4f;  // 600 pixels per inch
    p.PrinterUnits = 1440;
    p.PrnMapWidth = 6.5f;
    p.PrnMapLeft = 1.0f;
    p.PrnMinLeft = 0.25f;
    p.PrnMapTop = 1.0f;
    p.PrnMinTop = 0.2f;
    host.scaleWidth = 9360;  // the printed map is as wide as the window: k = 1

    SetText("Page", 1500, 0, 12, "90");
    PrintRotatedText();
    // 1080 + 1500 twips from the printable area's left edge, 1152 from its top.
    EXPECT_EQ(printer.TextOuts(), std::vector<std::string>{"TextOut(1075,480,Page)"});
    ASSERT_EQ(printer.fonts.size(), 1u);
    EXPECT_EQ(printer.fonts[0].height, -100);
    EXPECT_EQ(printer.fonts[0].escapement, 900);

    // Far from the corner of large paper (40 inches, beyond 16-bit twips),
    // and a printed map twice the window's width.
    p.PrnMapLeft = 40.0f;
    p.PrnMapWidth = 13.0f;
    SetText("Far", 15000, 15000, 12, "0");
    PrintRotatedText();
    // (39.75 * 1440 + 2 * 15000) / 2.4 and (0.8 * 1440 + 2 * 15000) / 2.4.
    EXPECT_EQ(printer.TextOuts().back(), "TextOut(36350,12980,Far)");
    EXPECT_EQ(printer.fonts.back().height, -200);
    EXPECT_TRUE(boxes.log.empty());
    EXPECT_TRUE(host.capture.calls.empty());  // nothing on the window
}

TEST_F(MapTextTest, MetafileInFileUnitsWithYUpwards) {
    PlotState& p = Plot();
    WmfRecorder recording;
    FontCapture metafile(recording);
    p.MetafileDC = &metafile;
    p.DrawingMetafile = true;
    p.DrawWidthTwips = 10000;
    p.OutExtentX = 20000;
    p.DrawHeightTwips = 8000;
    p.OutExtentY = 16000;
    SetText("File", 1000, 2000, 12, "90");
    PrintRotatedText();
    EXPECT_TRUE(boxes.log.empty());
    EXPECT_EQ(metafile.TextOuts(), std::vector<std::string>{"TextOut(2000,12000,File)"});
    ASSERT_EQ(metafile.fonts.size(), 1u);
    EXPECT_EQ(metafile.fonts[0].height, -480);
    // The rotation is turned for the upward y axis.
    EXPECT_EQ(metafile.fonts[0].escapement, -900);
    EXPECT_EQ(metafile.fonts[0].orientation, -900);
    EXPECT_TRUE(host.capture.calls.empty());
}

TEST_F(MapTextTest, FontRecordFromTheWindowFont) {
    SetText("Bold", 0, 0, 12, "0");
    host.FontBold = true;
    host.FontItalic = true;
    host.FontUnderline = true;
    host.FontStrikethru = false;
    PrintRotatedText();
    host.FontBold = host.FontItalic = host.FontUnderline = false;
    host.FontStrikethru = true;
    PrintRotatedText();
    ASSERT_EQ(host.capture.fonts.size(), 2u);
    const LogFont& bold = host.capture.fonts[0];
    EXPECT_EQ(bold.weight, 700);
    EXPECT_TRUE(bold.italic);
    EXPECT_TRUE(bold.underline);
    EXPECT_FALSE(bold.strikeOut);
    EXPECT_EQ(bold.width, 0);
    EXPECT_EQ(bold.charSet, 1);
    EXPECT_EQ(bold.clipPrecision, 16);
    EXPECT_EQ(bold.faceName, FontFaceName("Liberation Sans"));
    const LogFont& plain = host.capture.fonts[1];
    EXPECT_EQ(plain.weight, 400);
    EXPECT_FALSE(plain.italic);
    EXPECT_FALSE(plain.underline);
    EXPECT_TRUE(plain.strikeOut);
}

TEST(FontFaceNameTest, NameNulAndBlanksCutAt32) {
    EXPECT_EQ(FontFaceName("Arial"), std::string("Arial") + '\0' + std::string(26, ' '));
    const std::string name31(31, 'a'), name32(32, 'b'), name40(40, 'c');
    EXPECT_EQ(FontFaceName(name31), name31 + '\0');
    EXPECT_EQ(FontFaceName(name32), name32);  // no room for the NUL
    EXPECT_EQ(FontFaceName(name40), name40.substr(0, 32));
}

// The device's font, text colour and alignment are the caller's again.
TEST_F(MapTextTest, DeviceStatePutBack) {
    QtSurface& real = host.Real();
    LogFont ownFont;
    ownFont.faceName = "Liberation Serif";
    const GdiObject callersFont = real.CreateFontIndirect(ownFont);
    const GdiObject startFont = real.SelectObject(callersFont);
    real.SetTextAlign(AlignCenter);
    real.SetTextColor(MakeRgb(0, 0, 255));
    host.ForeColor = MakeRgb(255, 0, 0);
    SetText("Kept", 300, 300, 12, "30");
    PrintRotatedText();

    EXPECT_EQ(host.capture.CallNames(),
              (std::vector<std::string>{"CreateFontIndirect", "SelectObject", "SetTextAlign", "SetTextColor", "TextOut",
                                        "SetTextColor", "SelectObject", "DeleteObject", "SetTextAlign"}));
    EXPECT_EQ(host.capture.calls[2], "SetTextAlign(24)");  // left and baseline
    EXPECT_EQ(host.capture.calls[3], "SetTextColor(255)");
    EXPECT_EQ(real.SetTextAlign(AlignLeft), unsigned{AlignCenter});
    EXPECT_EQ(real.SetTextColor(0), MakeRgb(0, 0, 255));
    EXPECT_EQ(real.SelectObject(startFont), callersFont);
    EXPECT_TRUE(real.DeleteObject(callersFont));
    EXPECT_EQ(real.LiveObjects(), 0u);  // the text's own font is gone
    EXPECT_TRUE(boxes.log.empty());
}

struct ApiFailCase {
    const char* name;
    const char* call;
    const char* message;
    std::vector<std::string> callNames;  // what is still called
};
void PrintTo(const ApiFailCase& c, std::ostream* os) { *os << c.name; }

class TextApiFailTest : public MapTextTest, public ::testing::WithParamInterface<ApiFailCase> {};

TEST_P(TextApiFailTest, BoxAndDrawingGoesOn) {
    const ApiFailCase& c = GetParam();
    host.capture.failNames = {c.call};
    SetText("Fail", 300, 300, 12, "0");
    PrintRotatedText();
    ASSERT_EQ(boxes.log.size(), 1u);
    EXPECT_EQ(boxes.log[0].text, c.message);
    EXPECT_EQ(boxes.log[0].title, "Windows API Error");
    EXPECT_EQ(boxes.log[0].icon, MsgIcon::Exclamation);
    EXPECT_EQ(host.capture.CallNames(), c.callNames);
}

INSTANTIATE_TEST_SUITE_P(
    Calls, TextApiFailTest,
    ::testing::Values(
        // Without its font the text comes out in the current one; nothing to select back or delete.
        ApiFailCase{"CreateFont",
                    "CreateFontIndirect",
                    "CreateFontIndirect error(1) in PrintRotatedText",
                    {"CreateFontIndirect", "SetTextAlign", "SetTextColor", "TextOut", "SetTextColor", "SetTextAlign"}},
        ApiFailCase{"TextOut",
                    "TextOut",
                    "TextOut error(1) in PrintRotatedText",
                    {"CreateFontIndirect", "SelectObject", "SetTextAlign", "SetTextColor", "TextOut", "SetTextColor",
                     "SelectObject", "DeleteObject", "SetTextAlign"}},
        ApiFailCase{"DeleteFont",
                    "DeleteObject",
                    "DeleteObject error(2) in PrintRotatedText",
                    {"CreateFontIndirect", "SelectObject", "SetTextAlign", "SetTextColor", "TextOut", "SetTextColor",
                     "SelectObject", "DeleteObject", "SetTextAlign"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(MapTextTest, RunTimeErrorsDrawNothing) {
    DesignState& d = Design();
    PlotState& p = Plot();
    struct Case {
        const char* name;
        std::function<void()> arrange;
        const char* text;
    };
    const std::vector<Case> cases = {
        {"screen twips per pixel 0", [&] { d.TwipsPerPixelX = 0; }, "Error: Division by zero"},
        {"position beyond 32 bits", [&] { host.CurrentX = 1e11f; }, "Error: Overflow"},
        {"printer with a window of no width",
         [&] {
             p.Printing = true;
             p.PrinterDC = &host.capture;
             host.scaleWidth = 0;
         },
         "Error: Division by zero"},
        {"metafile without a recording",
         [&] {
             p.DrawingMetafile = true;
             p.DrawWidthTwips = p.DrawHeightTwips = 1000;
         },
         "Error: Invalid procedure call or argument"},
        {"metafile of no height",
         [&] {
             p.DrawingMetafile = true;
             p.MetafileDC = &host.capture;
             p.DrawWidthTwips = 1000;
             p.DrawHeightTwips = 0;
         },
         "Error: Division by zero"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ResetDesignState();
        ResetPlotState();
        host.scaleWidth = 15360;
        boxes.log.clear();
        host.capture.calls.clear();
        SetText("Never", 300, 300, 12, "0");
        c.arrange();
        PrintRotatedText();
        ASSERT_EQ(boxes.log.size(), 1u);
        EXPECT_EQ(boxes.log[0].title, "Error in PrintRotatedText");
        EXPECT_EQ(boxes.log[0].text, c.text);
        EXPECT_TRUE(host.capture.calls.empty());
    }
}

// A text item of the design list, 1-based.
void AddItem(const std::string& text, int16_t rotation, int32_t x, int32_t y, int32_t color, int16_t size, bool bold) {
    DesignState& d = Design();
    const int32_t i = ++d.NumTextItems;
    ResizeTextItems(i);
    const auto k = static_cast<size_t>(i);
    d.TextItems[k].TextItemText = text;
    d.TextItems[k].TextItemRotation = rotation;
    d.TextItems[k].TextItemX = x;
    d.TextItems[k].TextItemY = y;
    d.TextItems[k].TextItemColor = color;
    d.TextItems[k].TextItemFontName = "Liberation Serif";
    d.TextItems[k].TextItemFontSize = size;
    d.TextItems[k].TextItemBold = bold;
    d.TextItems[k].TextItemItalic = !bold;
}

TEST_F(MapTextTest, PrintTextDrawsEveryItemInOrder) {
    DesignState& d = Design();
    AddItem("North", 0, 1500, 1500, MakeRgb(255, 0, 0), 12, true);
    AddItem("Ridge", -45, 3000, 4500, MakeRgb(0, 128, 0), 18, false);
    d.CurrentText = "was placing";
    PrintText();
    EXPECT_TRUE(boxes.log.empty());
    EXPECT_EQ(host.capture.TextOuts(), (std::vector<std::string>{"TextOut(100,100,North)", "TextOut(200,300,Ridge)"}));
    ASSERT_EQ(host.capture.fonts.size(), 2u);
    EXPECT_EQ(host.capture.fonts[0].escapement, 0);
    EXPECT_EQ(host.capture.fonts[0].weight, 700);
    EXPECT_EQ(host.capture.fonts[0].height, -16);
    EXPECT_EQ(host.capture.fonts[1].escapement, -450);
    EXPECT_TRUE(host.capture.fonts[1].italic);
    EXPECT_EQ(host.capture.fonts[1].height, -24);
    EXPECT_EQ(std::count(host.capture.calls.begin(), host.capture.calls.end(), "SetTextColor(255)"), 1);
    EXPECT_EQ(std::count(host.capture.calls.begin(), host.capture.calls.end(),
                         "SetTextColor(" + std::to_string(MakeRgb(0, 128, 0)) + ")"),
              1);
    // The window keeps the last item's properties; the text state is empty.
    EXPECT_EQ(d.CurrentText, "");
    EXPECT_EQ(d.CurrentTextRotation, "-45");
    EXPECT_EQ(host.CurrentX, 3000.0f);
    EXPECT_EQ(host.CurrentY, 4500.0f);
    EXPECT_EQ(host.ForeColor, MakeRgb(0, 128, 0));
    EXPECT_EQ(host.FontName, "Liberation Serif");
    EXPECT_EQ(host.FontSize, 18.0f);
    EXPECT_FALSE(host.FontBold);
    EXPECT_TRUE(host.FontItalic);
}

TEST_F(MapTextTest, PrintTextWithoutItemsDrawsNothing) {
    Design().CurrentText = "left over";
    PrintText();
    EXPECT_TRUE(host.capture.calls.empty());
    EXPECT_EQ(Design().CurrentText, "");
    EXPECT_TRUE(boxes.log.empty());
}

// A list shorter than its count ends the drawing; no text is left in the
// text state, where it would start a text placement on the window.
TEST_F(MapTextTest, PrintTextFailureEndsItWithTheStateEmpty) {
    DesignState& d = Design();
    AddItem("One", 0, 1500, 1500, 0, 12, false);
    d.NumTextItems = 3;
    PrintText();
    ASSERT_EQ(boxes.log.size(), 1u);
    EXPECT_EQ(boxes.log[0].title, "Error in PrintText");
    EXPECT_EQ(boxes.log[0].text, "Error: Subscript out of range");
    EXPECT_EQ(host.capture.TextOuts(), std::vector<std::string>{"TextOut(100,100,One)"});
    EXPECT_EQ(d.CurrentText, "");
}

// The dark pixels of a text drawn at pixel (100, 100) in the given rotation.
std::vector<QPoint> DarkPixelsOfRotatedText(const char* rotation) {
    FakeHost canvas(400, 400);
    SetMainWindow(&canvas);
    Design().CurrentText = "HHHHH";
    Design().CurrentTextRotation = rotation;
    canvas.CurrentX = 1500;
    canvas.CurrentY = 1500;
    canvas.FontName = "Liberation Sans";
    canvas.FontSize = 20;
    PrintRotatedText();
    const QImage& picture = canvas.Picture();
    std::vector<QPoint> dark;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            if (qGray(picture.pixel(x, y)) < 128) dark.push_back({x, y});
    SetMainWindow(nullptr);
    return dark;
}

// Rotation turns the text counter-clockwise about the left end of its
// baseline: the letters stand on the baseline and run along it.
TEST_F(MapTextTest, WindowDrawsCounterClockwiseOnTheBaseline) {
    for (const double degrees : {0.0, 30.0, 90.0}) {
        SCOPED_TRACE(degrees);
        const std::vector<QPoint> dark = DarkPixelsOfRotatedText(std::to_string(int(degrees)).c_str());
        ASSERT_GT(dark.size(), 100u);
        const double a = degrees * Design().DegToRad;
        const double alongX = std::cos(a), alongY = -std::sin(a);  // the baseline's direction (y down)
        const double upX = -std::sin(a), upY = -std::cos(a);       // the letters' up direction
        double farthest = 0;
        int below = 0, before = 0;
        for (const QPoint& pt : dark) {
            const double dx = pt.x() - 100, dy = pt.y() - 100;
            below += dx * upX + dy * upY < -1.5;
            before += dx * alongX + dy * alongY < -1.5;
            farthest = std::max(farthest, dx * alongX + dy * alongY);
        }
        EXPECT_EQ(below, 0) << "pixels below the baseline";
        EXPECT_EQ(before, 0) << "pixels before the text's start";
        EXPECT_GT(farthest, 60);  // five letters of 20 points along the baseline
    }
    SetMainWindow(&host);
}

}  // namespace
}  // namespace tlrx
