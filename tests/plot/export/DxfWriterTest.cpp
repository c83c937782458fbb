#include <gtest/gtest.h>

#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "FileSizeLimit.h"
#include "GridTestSupport.h"
#include "core/DesignState.h"
#include "core/Errors.h"
#include "core/Projection.h"
#include "core/SharedRoutines.h"
#include "platform/MessageBox.h"
#include "plot/PlotState.h"
#include "plot/RunFiles.h"
#include "plot/export/DxfWriter.h"
#include "plot/export/ExportRouting.h"
#include "support/FakeHost.h"
#include "support/ScriptedMessageBox.h"

namespace tlrx {
namespace {

// The group pairs of DXF lines in a compact form, "code value" joined by
// "|", after checking that every code line is a right-aligned three-character
// number.
std::string Pairs(const std::vector<std::string>& lines, size_t from = 0) {
    std::string out;
    EXPECT_EQ((lines.size() - from) % 2, 0u);
    for (size_t k = from; k + 1 < lines.size(); k += 2) {
        const std::string& code = lines[k];
        EXPECT_EQ(code.size(), 3u) << "line " << k;
        EXPECT_NE(code.back(), ' ') << "line " << k;
        if (!out.empty()) out += '|';
        out += std::to_string(std::atoi(code.c_str())) + ' ' + lines[k + 1];
    }
    return out;
}

size_t CountValue(const std::vector<std::string>& lines, const std::string& value) {
    size_t n = 0;
    for (size_t k = 1; k < lines.size(); k += 2) n += lines[k] == value;
    return n;
}

// Writes into a file of its own, with projection units equal to file units
// (MapXMin = MapYMin = 0, OutScale 1, no offset).
class DxfWriterTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetDesignState();
        ResetPlotState();
        PlotState& p = Plot();
        p.OutScale = 1;
        p.OutExtentX = 32000;
        p.OutExtentY = 23100;
        p.DrawWidthTwips = 15360;
        p.DrawHeightTwips = 11085;
        p.PenWidth = 1;
        p.OutDxf = true;
        p.DxfFileName = dir + "/test.dxf";
        Design().MapXMin = Design().MapYMin = 0;
        Design().LineWidthScaling = false;
    }
    void TearDown() override { Files().CloseOutputQuietly(); }

    void Open() { Files().AppendOutputText(Plot().DxfFileName); }
    // Closes the file and returns its group pairs.
    std::string Written() {
        Files().CloseOutput();
        return Pairs(test::ReadLines(Plot().DxfFileName));
    }
    void At(double x, double y) {
        Design().ProjOutX = x;
        Design().ProjOutY = y;
    }
    void Vertex(double x, double y) {
        At(x, y);
        DxfWrite();
    }

    ScopedScriptedMessageBox boxes;
    std::string dir = test::TestFolder();
};

TEST_F(DxfWriterTest, HeaderLinesAndState) {
    PlotState& p = Plot();
    Design().GridColor = RgbColor(0, 0, 128);
    p.CurOutFile.clear();
    p.NewPolyline = false;  // as a failed earlier run may leave it
    p.PolyPointCount = 17;
    {
        std::ofstream old(p.DxfFileName);
        old << "an older file, longer than nothing";
    }
    DxfHeader();
    EXPECT_TRUE(boxes.log.empty());
    EXPECT_FALSE(Files().OutputOpen());
    EXPECT_EQ(p.CurOutFile, p.DxfFileName);
    EXPECT_EQ(p.CurColor, RgbColor(0, 0, 128));
    EXPECT_EQ(p.SymbolRadiusOut, 2);
    EXPECT_TRUE(p.NewPolyline);
    EXPECT_EQ(p.PolyPointCount, 0);

    // clang-format off
    const std::vector<std::string> expected = {
        "  0", "SECTION", "  2", "HEADER",
        "999", "Tellurax: outline maps of the world",
        "999", "Drawing written by the Tellurax DXF export",
        "999", "TELLURAX version 3.01 DXF file",
        "  9", "$EXTMIN", " 10", "-320", " 20", "-320",
        "  9", "$EXTMAX", " 10", "32320", " 20", "23420",
        "  9", "$LIMMIN", " 10", "-320", " 20", "-320",
        "  9", "$LIMMAX", " 10", "32320", " 20", "23420",
        "  0", "ENDSEC",
        "  0", "SECTION", "  2", "TABLES",
        "  0", "TABLE", "  2", "LTYPE", " 70", "1",
        "  0", "LTYPE", "  2", "CONTINUOUS", " 70", "64", "  3", "Solid line", " 72", "65", " 73", "0", " 40", "0",
        "  0", "ENDTAB",
        "  0", "TABLE", "  2", "LAYER", " 70", "1",
        "  0", "LAYER", "  2", "0", " 70", "0", " 62", "8", "  6", "CONTINUOUS",
        "  0", "ENDTAB",
        "  0", "TABLE", "  2", "STYLE", " 70", "1",
        "  0", "STYLE", "  2", "STANDARD", " 70", "0", " 40", "0", " 41", "1", " 50", "0", " 71", "0", " 42", "1",
        "  3", "TXT", "  4", "",
        "  0", "ENDTAB",
        "  0", "ENDSEC",
        "  0", "SECTION", "  2", "BLOCKS", "  0", "ENDSEC",
        "  0", "SECTION", "  2", "ENTITIES",
    };
    // clang-format on
    EXPECT_EQ(test::ReadLines(p.DxfFileName), expected);
    // Every line, the last included, ends with CR LF and nothing else.
    const std::string bytes = test::FileBytes(p.DxfFileName);
    EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '\n'), static_cast<long>(expected.size()));
    EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '\r'), static_cast<long>(expected.size()));
    EXPECT_EQ(bytes.substr(bytes.size() - 10), "ENTITIES\r\n");
}

TEST_F(DxfWriterTest, HeaderFailureEndsTheRunAndKeepsTheEarlierFile) {
    PlotState& p = Plot();
    // A folder that does not exist: the file cannot be created.
    p.DxfFileName = dir + "/missing/test.dxf";
    DxfHeader();
    ASSERT_EQ(boxes.log.size(), 1u);
    EXPECT_EQ(boxes.log[0].title, "Error in DxfHeader");
    EXPECT_EQ(boxes.log[0].text, "Error: No such file or directory");
    EXPECT_EQ(boxes.log[0].icon, MsgIcon::Exclamation);
    EXPECT_EQ(Design().PlotStopText, "GridDiskError");
    EXPECT_EQ(p.CurOutFile, "");

    // A write in a run that stops part way (the file size limit of the
    // process): the partial file goes, the earlier one stays.
    Design().PlotStopText.clear();
    boxes.log.clear();
    p.DxfFileName = dir + "/limited.dxf";
    test::WriteFile(p.DxfFileName, "earlier");
    Files().StageOutputs();
    {
        test::FileSizeLimit limit(200);
        DxfHeader();
    }
    ASSERT_EQ(boxes.log.size(), 1u);
    EXPECT_EQ(boxes.log[0].title, "Error in DxfHeader");
    EXPECT_EQ(boxes.log[0].text, "Error: File too large");
    EXPECT_EQ(test::FileBytes(p.DxfFileName), "earlier");
    EXPECT_EQ(test::TemporaryFiles(dir), 0);
    Files().EndStaging();
    EXPECT_EQ(Design().PlotStopText, "GridDiskError");
    EXPECT_FALSE(Files().OutputOpen());
}

TEST(DxfNumberTest, FractionsAndWholeNumbers) {
    struct Case {
        double value;
        const char* text;
    };
    const Case cases[] = {
        {31.25, "31.25"},
        {1.5, "1.5"},
        {2, "2"},
        {0.5, ".5"},
        {-0.154, "-.154"},
        {0, "0"},
        {-0.0, "0"},
        {-320, "-320"},
        {32320, "32320"},
        {1000 - 0.577 * 10, "994.23"},
        {1000 + 1.155 * 10, "1011.55"},
        {1.0 / 3, ".333333333333333"},
        {-2.0 / 3, "-.666666666666667"},
        {100.0 / 3, "33.3333333333333"},
        {0.0000001, ".0000001"},
        {123456789012345678.0, "123456789012346000"},
        {0.99999999999999999, "1"},
        {9.99999999999999e-5, ".0000999999999999999"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(FormatDxfFraction(c.value).View(), c.text);
    }
    EXPECT_THROW(FormatDxfFraction(std::nan("")), RuntimeError);
    EXPECT_THROW(FormatDxfFraction(-HUGE_VAL), RuntimeError);
}

TEST(DxfColorTest, ColourNumbers) {
    struct Case {
        int32_t color;
        const char* number;
    };
    const Case cases[] = {
        {RgbColor(0, 0, 0), "7"},
        {RgbColor(1, 0, 0), "7"},
        {RgbColor(255, 0, 0), "1"},
        {PaletteRgb(RgbColor(255, 0, 0)), "1"},  // the palette flag does not count
        {RgbColor(0, 0, 128), "174"},
        {PaletteRgb(RgbColor(0, 0, 128)), "174"},
        {RgbColor(255, 255, 255), "255"},
        {RgbColor(17, 17, 17), "7"},
        {RgbColor(153, 102, 128), "233"},  // the last entry
        {RgbColor(102, 153, 115), "122"},
        // Outside the table: the nearest entry.
        {RgbColor(250, 2, 3), "1"},        // next to (255, 0, 0)
        {RgbColor(0, 0, 1), "7"},          // next to black
        {RgbColor(100, 150, 120), "122"},  // next to (102, 153, 115)
        {RgbColor(128, 128, 127), "251"},
        {0x01000000 | RgbColor(255, 0, 0), "1"},  // bit 24 is no colour
        {-5, "7"},                                // no RGB colour at all
        {INT32_MIN, "7"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.color);
        EXPECT_EQ(DxfColor(c.color), c.number);
    }
    // Never an empty number, across the colour cube.
    for (int r = 0; r < 256; r += 15)
        for (int g = 0; g < 256; g += 15)
            for (int b = 0; b < 256; b += 15) {
                const int n = std::atoi(DxfColor(RgbColor(r, g, b)).c_str());
                EXPECT_TRUE(n >= 1 && n <= 255) << r << ' ' << g << ' ' << b;
            }
}

TEST_F(DxfWriterTest, LinesAndTheirEnds) {
    PlotState& p = Plot();
    p.CurColor = RgbColor(255, 0, 0);
    Open();
    // A line end right after the header, with nothing open, writes nothing.
    PrintLineBrkDisk();
    // A line of one point: a second vertex at the same point.
    Vertex(100, 200);
    EXPECT_FALSE(p.NewPolyline);
    EXPECT_FALSE(p.DxfNoPolyline);
    EXPECT_EQ(p.PolyPointCount, 1);
    PrintLineBrkDisk();
    // A second line end in a row adds no terminator.
    PrintLineBrkDisk();
    // A line of two points, rounded half to even.
    Vertex(10.5, 20.5);
    Vertex(11.5, -3.4);
    PrintLineBrkDisk();
    EXPECT_TRUE(p.NewPolyline);
    EXPECT_EQ(p.PolyPointCount, 0);
    EXPECT_TRUE(boxes.log.empty());
    EXPECT_EQ(Written(),
              "0 POLYLINE|8 0|62 1|40 1|41 1|66 1|0 VERTEX|8 0|10 100|20 200|0 VERTEX|8 0|10 100|20 200|0 SEQEND|"
              "0 POLYLINE|8 0|62 1|40 1|41 1|66 1|0 VERTEX|8 0|10 10|20 20|0 VERTEX|8 0|10 12|20 -3|0 SEQEND");
}

TEST_F(DxfWriterTest, LineWidthInFileUnits) {
    struct Case {
        bool scaling;
        int32_t penWidth;
        const char* width;
    };
    // 15 twips per pixel, 32000 file units over 15360 twips.
    const Case cases[] = {{true, 1, "31.25"}, {true, 3, "93.75"}, {false, 1, "1"}, {false, 3, "3"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.width);
        Design().LineWidthScaling = c.scaling;
        Plot().PenWidth = c.penWidth;
        std::filesystem::remove(Plot().DxfFileName);
        Open();
        Vertex(1, 2);
        PrintLineBrkDisk();
        const std::string w = c.width;
        EXPECT_EQ(Written(), "0 POLYLINE|8 0|62 7|40 " + w + "|41 " + w +
                                 "|66 1|0 VERTEX|8 0|10 1|20 2|0 VERTEX|8 0|10 1|20 2|0 SEQEND");
    }
    EXPECT_TRUE(boxes.log.empty());
}

TEST_F(DxfWriterTest, LongLinesBreakAfter1999Vertices) {
    PlotState& p = Plot();
    for (int n : {1999, 2000}) {
        SCOPED_TRACE(n);
        std::filesystem::remove(p.DxfFileName);
        Open();
        for (int k = 1; k <= n; ++k) Vertex(k, 0);
        PrintLineBrkDisk();
        Files().CloseOutput();
        const std::vector<std::string> lines = test::ReadLines(p.DxfFileName);
        // Split into entities at each "  0".
        std::vector<std::vector<int>> polylines;
        for (size_t k = 0; k + 1 < lines.size(); k += 2) {
            if (lines[k] != "  0") continue;
            if (lines[k + 1] == "POLYLINE") polylines.emplace_back();
            if (lines[k + 1] == "VERTEX") polylines.back().push_back(std::atoi(lines[k + 5].c_str()));
        }
        EXPECT_EQ(CountValue(lines, "SEQEND"), 2u);
        ASSERT_EQ(polylines.size(), 2u);
        ASSERT_EQ(polylines[0].size(), 1999u);
        EXPECT_EQ(polylines[0].front(), 1);
        EXPECT_EQ(polylines[0].back(), 1999);
        // The second entity starts again at the 1999th point; a single
        // point there is doubled by the line end.
        const std::vector<int> second = n == 1999 ? std::vector<int>{1999, 1999} : std::vector<int>{1999, 2000};
        EXPECT_EQ(polylines[1], second);
        EXPECT_EQ(lines.back(), "SEQEND");
    }
    EXPECT_TRUE(boxes.log.empty());
}

TEST_F(DxfWriterTest, PointSymbols) {
    PlotState& p = Plot();
    struct Case {
        int16_t mode;
        int32_t border;
        const char* entities;
    };
    // Radius 10 at (1000, 2000), colour red.
    const Case cases[] = {
        {SymDot, 1, "0 SOLID|8 0|62 1|10 990|20 1990|11 1010|21 1990|12 990|22 2010|13 1010|23 2010"},
        {SymSquareFilled, 1, "0 SOLID|8 0|62 1|10 990|20 1990|11 1010|21 1990|12 990|22 2010|13 1010|23 2010"},
        {SymPlus, 2,
         "0 POLYLINE|8 0|62 1|40 2|41 2|66 1|0 VERTEX|8 0|10 990|20 2000|0 VERTEX|8 0|10 1010|20 2000|0 SEQEND|"
         "0 POLYLINE|8 0|62 1|40 2|41 2|66 1|0 VERTEX|8 0|10 1000|20 1990|0 VERTEX|8 0|10 1000|20 2010|0 SEQEND"},
        {SymCross, 2,
         "0 POLYLINE|8 0|62 1|40 2|41 2|66 1|0 VERTEX|8 0|10 990|20 1990|0 VERTEX|8 0|10 1010|20 2010|0 SEQEND|"
         "0 POLYLINE|8 0|62 1|40 2|41 2|66 1|0 VERTEX|8 0|10 1010|20 1990|0 VERTEX|8 0|10 990|20 2010|0 SEQEND"},
        {SymSquare, 1,
         "0 POLYLINE|8 0|62 1|40 1|41 1|66 1|70 1|0 VERTEX|8 0|10 990|20 1990|0 VERTEX|8 0|10 990|20 2010|"
         "0 VERTEX|8 0|10 1010|20 2010|0 VERTEX|8 0|10 1010|20 1990|0 SEQEND"},
        {SymDiamond, 1,
         "0 POLYLINE|8 0|62 1|40 1|41 1|66 1|70 1|0 VERTEX|8 0|10 990|20 2000|0 VERTEX|8 0|10 1000|20 2010|"
         "0 VERTEX|8 0|10 1010|20 2000|0 VERTEX|8 0|10 1000|20 1990|0 SEQEND"},
        {SymDiamondFilled, 1, "0 SOLID|8 0|62 1|10 990|20 2000|11 1000|21 1990|12 1000|22 2010|13 1010|23 2000"},
        {SymTriangle, 1,
         "0 POLYLINE|8 0|62 1|40 1|41 1|66 1|70 1|0 VERTEX|8 0|10 990|20 1994.23|0 VERTEX|8 0|10 1010|20 1994.23|"
         "0 VERTEX|8 0|10 1000|20 2011.55|0 SEQEND"},
        {SymTriangleFilled, 1,
         "0 SOLID|8 0|62 1|10 990|20 1994.23|11 1010|21 1994.23|12 1000|22 2011.55|13 1000|23 2011.55"},
        {SymCircle, 1, "0 CIRCLE|8 0|62 1|10 1000|20 2000|40 10"},
        // A border that rounds to nothing still gives the circle.
        {SymCircle, 0, "0 CIRCLE|8 0|62 1|10 1000|20 2000|40 10"},
        {SymCircle, 3,
         "0 POLYLINE|8 0|62 1|40 3|41 3|66 1|70 1|0 VERTEX|8 0|10 990|20 2000|42 1|0 VERTEX|8 0|10 1010|20 2000|"
         "42 1|0 SEQEND"},
        // A ring of radius 5 and width 10.
        {SymCircleFilled, 1,
         "0 POLYLINE|8 0|62 1|40 10|41 10|66 1|70 1|0 VERTEX|8 0|10 995|20 2000|42 1|0 VERTEX|8 0|10 1005|"
         "20 2000|42 1|0 SEQEND"},
        {0, 1, ""},
        {13, 1, ""},
        {98, 1, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.mode << " border " << c.border);
        std::filesystem::remove(p.DxfFileName);
        p.PlotMode = c.mode;
        p.CurColor = PaletteRgb(RgbColor(255, 0, 0));
        p.SymbolRadiusOut = 10;
        p.SymbolBorderOut = c.border;
        p.NewPolyline = true;
        p.DxfNoPolyline = true;
        p.PolyPointCount = 5;
        Open();
        Vertex(1000, 2000);
        EXPECT_EQ(Written(), c.entities);
        // A symbol is complete in itself: the line state stays as it was.
        EXPECT_TRUE(p.NewPolyline);
        EXPECT_TRUE(p.DxfNoPolyline);
        EXPECT_EQ(p.PolyPointCount, 5);
    }

    // The filled circle of radius 7: a ring of radius 3 and width 7.
    std::filesystem::remove(p.DxfFileName);
    p.PlotMode = SymCircleFilled;
    p.SymbolRadiusOut = 7;
    Open();
    Vertex(1000, 2000);
    EXPECT_EQ(Written(),
              "0 POLYLINE|8 0|62 1|40 7|41 7|66 1|70 1|0 VERTEX|8 0|10 997|20 2000|42 1|0 VERTEX|8 0|10 1003|"
              "20 2000|42 1|0 SEQEND");
    // The filled triangle of radius 10 at y = 1000.
    std::filesystem::remove(p.DxfFileName);
    p.PlotMode = SymTriangleFilled;
    p.SymbolRadiusOut = 10;
    Open();
    Vertex(500, 1000);
    EXPECT_EQ(Written(), "0 SOLID|8 0|62 1|10 490|20 994.23|11 510|21 994.23|12 500|22 1011.55|13 500|23 1011.55");
    EXPECT_TRUE(boxes.log.empty());
}

TEST_F(DxfWriterTest, TextItems) {
    DesignState& d = Design();
    PlotState& p = Plot();
    p.DrawWidthTwips = 12000;
    p.DrawHeightTwips = 9000;
    ResizeTextItems(2);
    d.NumTextItems = 2;
    d.TextItems[1].TextItemText = "Caf\xC3\xA9 du \xE2\x82\xAC \xE2\x86\x92 Nord\r\nSud";  // UTF-8
    d.TextItems[1].TextItemX = 4500;
    d.TextItems[1].TextItemY = 3000;
    d.TextItems[1].TextItemRotation = 45;
    d.TextItems[1].TextItemColor = PaletteRgb(RgbColor(0, 0, 255));
    d.TextItems[1].TextItemAscent = 200;
    d.TextItems[2].TextItemText = "Z\xFCrich";  // already in the code page
    d.TextItems[2].TextItemX = 0;
    d.TextItems[2].TextItemY = 9000;
    d.TextItems[2].TextItemRotation = -90;
    d.TextItems[2].TextItemAscent = 180;
    d.VectorTextScale = 50;
    Open();
    p.PlotMode = SymText;
    for (int32_t i = 1; i <= 2; ++i) {
        d.TextItemIndex = i;
        DxfWrite();
    }
    // An item that does not exist.
    d.TextItemIndex = 3;
    DxfWrite();
    ASSERT_EQ(boxes.log.size(), 1u);
    EXPECT_EQ(boxes.log[0].title, "Error in DxfWrite");
    EXPECT_EQ(boxes.log[0].text, "Error: Subscript out of range");
    // x = 4500 / 12000 * 32000, y = 23100 - 3000 / 9000 * 23100; height
    // 50 % of 200 twips at 23100 / 9000 file units per twip.
    EXPECT_EQ(
        Written(),
        "0 TEXT|8 0|62 5|10 12000|20 15400|40 256.666666666667|1 Caf\\U+00E9 du \\U+20AC \\U+2192 Nord  Sud|50 45|"
        "7 STANDARD|0 TEXT|8 0|62 7|10 0|20 0|40 231|1 Z\\U+00FCrich|50 -90|7 STANDARD");
    EXPECT_FALSE(p.ExportTextReplaced);  // nothing was lost
}

// Text values are plain ASCII: every other character as its \U+ escape.
TEST(DxfTextTest, EscapesEveryCharacterBeyondAscii) {
    const std::pair<std::string_view, std::string_view> cases[] = {
        {"North 45", "North 45"},
        {"Caf\xC3\xA9 \xE2\x82\xAC 5", "Caf\\U+00E9 \\U+20AC 5"},  // Latin-1 and the euro sign
        {"\xCE\x91\xCE\xB8\xCE\xAE\xCE\xBD\xCE\xB1", "\\U+0391\\U+03B8\\U+03AE\\U+03BD\\U+03B1"},  // Greek
        {"\xD0\x9C\xD0\xBE\xD1\x81\xD0\xBA\xD0\xB2\xD0\xB0",
         "\\U+041C\\U+043E\\U+0441\\U+043A\\U+0432\\U+0430"},          // Cyrillic
        {"\xF0\x9F\x8C\x8D", "\\U+D83C\\U+DF0D"},                      // beyond U+FFFF: a surrogate pair
        {"Z\xFCrich \x80", "Z\\U+00FCrich \\U+20AC"},                  // Windows-1252 bytes
        {"a\r\nb\nc", "a  b c"},                                       // line breaks
        {"C:\\U+maps \\u+x \\n", "C:\\U+005CU+maps \\U+005Cu+x \\n"},  // a backslash that looks like an escape
    };
    for (const auto& [text, expected] : cases) EXPECT_EQ(DxfText(text), expected) << text;
}

TEST_F(DxfWriterTest, FailuresAreShownOnce) {
    PlotState& p = Plot();
    // A point outside 16 bits: shown, nothing written, no entity opened.
    Open();
    Vertex(40000, 0);
    ASSERT_EQ(boxes.log.size(), 1u);
    EXPECT_EQ(boxes.log[0].title, "Error in DxfWrite");
    EXPECT_EQ(boxes.log[0].text, "Error: Overflow");
    EXPECT_TRUE(p.NewPolyline);
    // A width that cannot be computed: no entity is opened either.
    Design().LineWidthScaling = true;
    p.DrawWidthTwips = 0;
    Vertex(10, 10);
    Vertex(20, 20);
    ASSERT_EQ(boxes.log.size(), 3u);
    EXPECT_EQ(boxes.log[2].text, "Error: Division by zero");
    EXPECT_TRUE(p.NewPolyline);
    PrintLineBrkDisk();
    EXPECT_EQ(Written(), "");
    p.DrawWidthTwips = 15360;

    // A full disk: one box for the whole run of points, then silence.
    boxes.log.clear();
    Files().AppendOutputText("/dev/full");
    for (int k = 0; k < 3000; ++k) Vertex(k, k);
    PrintLineBrkDisk();
    DxfEnd();
    ASSERT_EQ(boxes.log.size(), 1u);
    EXPECT_EQ(boxes.log[0].title, "Error in DxfWrite");
    EXPECT_EQ(boxes.log[0].text, "Error: No space left on device");
    EXPECT_TRUE(Files().OutputFailed());
    Files().CloseOutputQuietly();
}

TEST_F(DxfWriterTest, FinishWritesTheTextAndTheEnd) {
    DesignState& d = Design();
    PlotState& p = Plot();
    DxfHeader();
    Open();
    Vertex(1, 1);
    Vertex(2, 2);
    PrintLineBrkDisk();
    Files().CloseOutput();
    ResizeTextItems(1);
    d.NumTextItems = 1;
    d.TextItems[1].TextItemText = "North";
    d.TextItems[1].TextItemAscent = 100;
    EXPECT_TRUE(DxfFinish());
    EXPECT_TRUE(boxes.log.empty());
    EXPECT_FALSE(Files().OutputOpen());
    EXPECT_FALSE(p.OutDxf);
    EXPECT_TRUE(p.NewPolyline);
    EXPECT_EQ(p.PlotMode, SymText);
    const std::vector<std::string> lines = test::ReadLines(p.DxfFileName);
    const std::string all = Pairs(lines);
    const std::string tail = all.substr(all.find("2 ENTITIES|") + 11);
    EXPECT_EQ(tail,
              "0 POLYLINE|8 0|62 7|40 1|41 1|66 1|0 VERTEX|8 0|10 1|20 1|0 VERTEX|8 0|10 2|20 2|0 SEQEND|"
              "0 TEXT|8 0|62 7|10 0|20 23100|40 208.389715832206|1 North|50 0|7 STANDARD|0 ENDSEC|0 EOF");

    // The end cannot be written: the failure is the caller's to show.
    p.OutDxf = true;
    p.DxfFileName = "/dev/full";
    EXPECT_THROW(DxfFinish(), RuntimeError);
    EXPECT_FALSE(Files().OutputOpen());
}

// The default design exported as the drawing run writes it: the graticule
// through PlotGrid, then a file of lines (one of a single point), a file of
// every point symbol, and a text item at the end. The file is left in the
// build folder for the readers' check (check_dxf).
TEST(DxfExportTest, DefaultDesign) {
    FakeHost host(1024, 768);
    test::DrawingSetUp setUp(host);
    ScopedScriptedMessageBox boxes;
    DesignState& d = Design();
    PlotState& p = Plot();
    const std::filesystem::path dir = std::filesystem::path(TLRX_TEST_OUT_DIR) / "dxf-export";
    std::filesystem::create_directories(dir);
    // Written under a name of this process, then renamed: the readers' check
    // never sees a file being written by another run of this test.
    p.DxfFileName = (dir / ("tellurax-default-" + std::to_string(getpid()) + ".dxf")).string();
    p.OutDxf = true;
    test::DrawSinglePass();
    ASSERT_TRUE(boxes.log.empty());
    ASSERT_EQ(d.PlotStopText, "");

    // Projects the point (lon, lat) in degrees of the default world map.
    const auto at = [&](double lon, double lat) {
        d.ProjInLat = lat;
        d.ProjInLon = lon + 180;
        ProjectSelect();
    };
    // A map file of lines, as the plotting pass draws it.
    Files().AppendOutputText(p.DxfFileName);
    p.DxfNoPolyline = true;
    p.NewPolyline = true;
    p.PlotMode = SymLine;
    p.CurColor = PaletteRgb(RgbColor(0, 128, 0));
    p.PenWidth = 2;
    for (int lon = -150; lon <= 150; lon += 5) {
        at(lon, 40 * std::sin(lon * d.DegToRad * 2));
        ScaleXY();
    }
    PrintLineBrkDisk();
    at(10, -60);  // a line of one point
    ScaleXY();
    PrintLineBrkDisk();
    PrintLineBrkDisk();
    Files().CloseOutput();

    // A map file of points: every symbol type, in turn.
    Files().AppendOutputText(p.DxfFileName);
    p.SymbolRadiusOut = 150;
    p.SymbolBorderOut = 20;
    p.CurColor = RgbColor(200, 30, 30);  // outside the colour table
    for (int16_t mode = SymDot; mode <= SymCircleFilled; ++mode) {
        p.PlotMode = mode;
        at(-165 + 30 * (mode - SymDot), -75);
        ScaleXY();
    }
    p.SymbolBorderOut = 0;  // a hollow circle whose border rounds to nothing
    p.PlotMode = SymCircle;
    at(165, -75);
    ScaleXY();
    PrintLineBrkDisk();
    Files().CloseOutput();

    // Accented, Greek and Cyrillic text, which the readers must show
    // (check_dxf --text: unrotated, so that the PDF's text reads in order).
    ResizeTextItems(2);
    d.NumTextItems = 2;
    d.TextItems[1].TextItemText = "Tellurax \xC3\xA9quateur";
    d.TextItems[1].TextItemX = 3000;
    d.TextItems[1].TextItemY = 5000;
    d.TextItems[1].TextItemRotation = 30;
    d.TextItems[1].TextItemColor = PaletteRgb(RgbColor(0, 0, 255));
    d.TextItems[1].TextItemAscent = 300;
    d.TextItems[2].TextItemText =
        "\xCE\x91\xCE\xB8\xCE\xAE\xCE\xBD\xCE\xB1 \xD0\x9C\xD0\xBE\xD1\x81\xD0\xBA\xD0\xB2\xD0\xB0 Z\xC3\xBCrich "
        "5\xE2\x82\xAC";
    d.TextItems[2].TextItemX = 6000;
    d.TextItems[2].TextItemY = 1500;
    d.TextItems[2].TextItemAscent = 300;
    ASSERT_TRUE(DxfFinish());
    EXPECT_TRUE(boxes.log.empty());

    const std::vector<std::string> lines = test::ReadLines(p.DxfFileName);
    const std::string all = Pairs(lines);
    // Sixteen graticule lines, the two lines of the map file, and the
    // entities of the symbols: plus and X two each, the square, diamond,
    // triangle, ring and filled circle one each.
    EXPECT_EQ(CountValue(lines, "POLYLINE"), 16u + 2 + 9);
    EXPECT_EQ(CountValue(lines, "SEQEND"), CountValue(lines, "POLYLINE"));
    EXPECT_EQ(CountValue(lines, "SOLID"), 4u);  // dot, filled square, diamond and triangle
    EXPECT_EQ(CountValue(lines, "CIRCLE"), 1u);
    EXPECT_EQ(CountValue(lines, "TEXT"), 2u);
    EXPECT_EQ(all.find("62 |"), std::string::npos);  // no empty colour number
    EXPECT_EQ(all.substr(all.size() - 14), "0 ENDSEC|0 EOF");
    std::filesystem::rename(p.DxfFileName, dir / "tellurax-default.dxf");
}

// A header that cannot be written ends the run before the graticule: one
// box, and no graticule pass that reopens (and so creates) the file without
// its head.
TEST(DxfExportTest, HeaderFailureStopsTheGraticule) {
    FakeHost host(1024, 768);
    test::DrawingSetUp setUp(host);
    ScopedScriptedMessageBox boxes;
    PlotState& p = Plot();
    p.DxfFileName = test::TestFolder() + "/missing/map.dxf";
    p.OutDxf = true;
    test::DrawSinglePass();
    ASSERT_EQ(boxes.log.size(), 1u);
    EXPECT_EQ(boxes.log[0].title, "Error in DxfHeader");
    EXPECT_EQ(Design().PlotStopText, "GridDiskError");
    EXPECT_FALSE(std::filesystem::exists(p.DxfFileName));
    EXPECT_FALSE(Files().OutputOpen());
}

}  // namespace
}  // namespace tlrx
