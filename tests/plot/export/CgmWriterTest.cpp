#include <gtest/gtest.h>

#include <signal.h>
#include <sys/resource.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "FileSizeLimit.h"
#include "GridTestSupport.h"
#include "platform/MessageBox.h"
#include "plot/PlotState.h"
#include "plot/RunFiles.h"
#include "plot/StopRun.h"
#include "plot/export/CgmWriter.h"
#include "plot/export/ExportRouting.h"
#include "support/ScriptedMessageBox.h"

namespace tlrx {
namespace {

// ---- A reader of binary CGM elements, written from the encoding rules ----

struct CgmElement {
    int cls = 0;
    int id = 0;
    size_t offset = 0;  // of the header word
    bool longForm = false;
    std::vector<uint8_t> params;

    size_t Words() const { return params.size() / 2; }
    int16_t Word(size_t i) const {
        return static_cast<int16_t>(static_cast<uint16_t>(params.at(2 * i) << 8 | params.at(2 * i + 1)));
    }
    std::vector<int16_t> AllWords() const {
        std::vector<int16_t> w;
        for (size_t i = 0; i < Words(); ++i) w.push_back(Word(i));
        return w;
    }
    // A string parameter: count byte at 'at', then the characters.
    std::string String(size_t at) const {
        const size_t n = params.at(at);
        return std::string(params.begin() + static_cast<std::ptrdiff_t>(at + 1),
                           params.begin() + static_cast<std::ptrdiff_t>(at + 1 + n));
    }
    bool Is(int c, int i) const { return cls == c && id == i; }
};

// Splits a file into elements: each header word at an even offset, the long
// form's length word without the partition flag, the parameters inside the
// file, a zero byte after an odd parameter length.
::testing::AssertionResult ReadElements(const std::string& bytes, std::vector<CgmElement>& out) {
    out.clear();
    const auto at = [&](size_t i) { return static_cast<uint8_t>(bytes[i]); };
    size_t pos = 0;
    while (pos < bytes.size()) {
        if (pos % 2 != 0) return ::testing::AssertionFailure() << "element at odd offset " << pos;
        if (pos + 2 > bytes.size()) return ::testing::AssertionFailure() << "cut header word at " << pos;
        CgmElement e;
        e.offset = pos;
        const unsigned word = at(pos) << 8 | at(pos + 1);
        e.cls = static_cast<int>(word >> 12);
        e.id = static_cast<int>((word >> 5) & 0x7F);
        size_t length = word & 0x1F;
        pos += 2;
        if (length == 31) {
            if (pos + 2 > bytes.size()) return ::testing::AssertionFailure() << "cut length word at " << pos;
            const unsigned lw = at(pos) << 8 | at(pos + 1);
            if (lw & 0x8000) return ::testing::AssertionFailure() << "partitioned element at " << e.offset;
            length = lw;
            e.longForm = true;
            pos += 2;
        }
        if (pos + length > bytes.size())
            return ::testing::AssertionFailure() << "parameters beyond the end at " << e.offset;
        e.params.assign(bytes.begin() + static_cast<std::ptrdiff_t>(pos),
                        bytes.begin() + static_cast<std::ptrdiff_t>(pos + length));
        pos += length;
        if (length % 2 != 0) {
            if (pos >= bytes.size() || at(pos) != 0)
                return ::testing::AssertionFailure() << "no zero padding byte after element at " << e.offset;
            ++pos;
        }
        out.push_back(std::move(e));
    }
    return ::testing::AssertionSuccess();
}

// Checks the parameters of every element against its kind (with the VDC,
// precisions and colour mode the header sets) and the order of the
// delimiters; points must lie in the VDC extent.
::testing::AssertionResult CheckElements(const std::vector<CgmElement>& els) {
    const auto fail = [](const CgmElement& e) {
        return ::testing::AssertionFailure() << "element (" << e.cls << "," << e.id << ") at " << e.offset << ": ";
    };
    if (els.size() < 2 || !els.front().Is(0, 1) || !els.back().Is(0, 2))
        return ::testing::AssertionFailure() << "not BEGIN METAFILE ... END METAFILE";
    int16_t x1 = -32768, y1 = -32768, x2 = 32767, y2 = 32767;
    int stage = 0;  // 0 descriptor, 1 picture descriptor, 2 body, 3 after END PICTURE
    const auto inExtent = [&](int16_t x, int16_t y) { return x >= x1 && x <= x2 && y >= y1 && y <= y2; };
    for (size_t k = 0; k < els.size(); ++k) {
        const CgmElement& e = els[k];
        const size_t n = e.params.size();
        const auto stringLength = [&](size_t at) { return at < n ? at + 1 + e.params[at] : SIZE_MAX; };
        const auto fixed = [&](size_t want) { return n == want; };
        bool ok = true;
        // clang-format off
        switch (e.cls * 100 + e.id) {
        case 1:  // BEGIN METAFILE
            ok = k == 0 && stringLength(0) == n;
            break;
        case 2:  // END METAFILE
            ok = n == 0 && k + 1 == els.size() && stage == 3;
            break;
        case 3:  // BEGIN PICTURE
            ok = stage == 0 && stringLength(0) == n;
            stage = 1;
            break;
        case 4:  // BEGIN PICTURE BODY
            ok = stage == 1 && n == 0;
            stage = 2;
            break;
        case 5:  // END PICTURE
            ok = stage == 2 && n == 0;
            stage = 3;
            break;
        case 101: case 103: case 104: case 106: case 107:  // version, VDC type, precisions
            ok = stage == 0 && fixed(2);
            break;
        case 102:  // METAFILE DESCRIPTION
            ok = stage == 0 && stringLength(0) == n;
            break;
        case 105:  // REAL PRECISION
            ok = stage == 0 && fixed(6);
            break;
        case 110:  // COLOUR VALUE EXTENT
            ok = stage == 0 && fixed(12);
            break;
        case 111:  // METAFILE ELEMENT LIST
            ok = stage == 0 && n >= 2 && n == 2 + 4 * static_cast<size_t>(e.Word(0));
            break;
        case 113: {  // FONT LIST: strings filling the parameters
            size_t at = 0;
            while (at < n) at = stringLength(at);
            ok = stage == 0 && at == n;
            break;
        }
        case 201:  // SCALING MODE
            ok = stage == 1 && fixed(6);
            break;
        case 202: case 203: case 205:
            ok = stage == 1 && fixed(2);
            break;
        case 206:  // VDC EXTENT
            ok = stage == 1 && fixed(8);
            if (ok) {
                x1 = e.Word(0), y1 = e.Word(1), x2 = e.Word(2), y2 = e.Word(3);
                ok = x1 < x2 && y1 < y2;
            }
            break;
        case 207:  // BACKGROUND COLOUR
            ok = stage == 1 && fixed(6) && e.params[0] == 0 && e.params[2] == 0 && e.params[4] == 0;
            break;
        case 401:  // POLYLINE: two points at least
        case 407:  // POLYGON: three points at least
            ok = stage == 2 && n % 4 == 0 && n >= (e.id == 1 ? 8u : 12u);
            for (size_t i = 0; ok && i < e.Words(); i += 2) ok = inExtent(e.Word(i), e.Word(i + 1));
            break;
        case 404:  // TEXT: point, flag, string
            ok = stage == 2 && n >= 7 && stringLength(6) == n && e.Word(2) >= 0 && e.Word(2) <= 1 &&
                 inExtent(e.Word(0), e.Word(1));
            break;
        case 412:  // CIRCLE
            ok = stage == 2 && fixed(6) && inExtent(e.Word(0), e.Word(1)) && e.Word(2) >= 0;
            break;
        case 502: case 503: case 511: case 515: case 522: case 527: case 528: case 530:
            ok = stage == 2 && fixed(2) && e.Word(0) >= 0;
            break;
        case 504: case 514: case 523: case 529:  // direct colours, components 0..255
            ok = stage == 2 && fixed(6) && e.params[0] == 0 && e.params[2] == 0 && e.params[4] == 0;
            break;
        case 512: case 513:  // character expansion and spacing (reals)
            ok = stage == 2 && fixed(4);
            break;
        case 516:  // CHARACTER ORIENTATION
            ok = stage == 2 && fixed(8);
            break;
        case 518:  // TEXT ALIGNMENT
            ok = stage == 2 && fixed(12);
            break;
        default:
            return fail(e) << "not an element this file may hold";
        }
        // clang-format on
        if (!ok) return fail(e) << "malformed or out of place (" << n << " parameter bytes)";
    }
    return ::testing::AssertionSuccess();
}

// Reads and checks a whole file.
std::vector<CgmElement> ReadCgm(const std::string& path) {
    std::vector<CgmElement> els;
    const std::string bytes = test::FileBytes(path);
    EXPECT_TRUE(ReadElements(bytes, els)) << path;
    EXPECT_TRUE(CheckElements(els)) << path;
    return els;
}

// Bytes from hex pairs ("00 3F") and texts.
std::string Hex(const char* pairs) {
    std::string out;
    for (const char* c = pairs; *c != '\0';) {
        if (*c == ' ') {
            ++c;
            continue;
        }
        out += static_cast<char>(std::strtol(std::string(c, 2).c_str(), nullptr, 16));
        c += 2;
    }
    return out;
}

constexpr size_t kHeaderElements = 25;

class CgmWriterTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetDesignState();
        ResetPlotState();
        DesignState& d = Design();
        PlotState& p = Plot();
        d.VersionString = "3.01";
        d.FontSlotName[1] = "Arial";
        d.TwipsPerPixelY = 15;
        d.LineWidthScaling = false;
        d.MapXMin = 0;
        d.MapYMin = 0;
        // File units equal projection units; the drawing area is half the file area.
        p.OutExtentX = 32000;
        p.OutExtentY = 23100;
        p.OutScale = 1;
        p.OutOffsetX = 0;
        p.OutOffsetY = 0;
        p.DrawWidthTwips = 16000;
        p.DrawHeightTwips = 11550;
        p.PenWidth = 1;
        p.CgmFileName = path;
        p.OutCgm = true;
    }
    // A test that staged its outputs drops them here, so the next test's
    // files are written where it reads them.
    void TearDown() override {
        Files().CloseOutputQuietly();
        Files().EndStaging();
    }

    // The header, then the file reopened for the body as a drawing pass does.
    void Start() {
        CgmHeader();
        Files().OpenOutputBinary(path);
    }
    void At(double x, double y) {
        Design().ProjOutX = x;
        Design().ProjOutY = y;
        CgmWrite();
    }
    void Line(const std::vector<std::pair<int, int>>& points) {
        Plot().PlotMode = SymLine;
        for (const auto& [x, y] : points) At(x, y);
        PrintLineBrkDisk();
    }
    void AddText(const std::string& text, int16_t rotation, int32_t x, int32_t y, int16_t ascent = 300,
                 int32_t color = 0x0000FF) {
        DesignState& d = Design();
        const int i = ++d.NumTextItems;
        ResizeTextItems(i);
        d.TextItems[i].TextItemText = text;
        d.TextItems[i].TextItemRotation = rotation;
        d.TextItems[i].TextItemX = x;
        d.TextItems[i].TextItemY = y;
        d.TextItems[i].TextItemAscent = ascent;
        d.TextItems[i].TextItemColor = color;
    }
    // The body elements of the finished file.
    std::vector<CgmElement> Body() {
        CgmEnd();
        Files().CloseOutput();
        std::vector<CgmElement> els = ReadCgm(path);
        if (els.size() < kHeaderElements + 2) return {};
        return {els.begin() + kHeaderElements, els.end() - 2};
    }

    ScopedScriptedMessageBox boxes;
    std::string dir = test::TestFolder();
    std::string path = dir + "/t.cgm";
};

TEST_F(CgmWriterTest, HeaderBytes) {
    {
        std::ofstream old(path);
        old << "an older file, longer than the header will be ..................................."
               "..................................................................................."
               "..................................................................................."
               "...................................................................................";
    }
    DesignState& d = Design();
    PlotState& p = Plot();
    d.BackColor = 0x02C08040;  // a palette colour: blue C0, green 80, red 40
    d.GridColor = 0x00123456;
    p.CgmPos = 77;  // left over: the header starts the file all the same
    p.SymbolRadiusOut = 9;
    CgmHeader();
    EXPECT_FALSE(Files().OutputOpen());
    EXPECT_TRUE(boxes.log.empty());
    EXPECT_EQ(p.CurOutFile, path);
    EXPECT_EQ(p.SymbolRadiusOut, 2);
    EXPECT_EQ(p.CurColor, 0x00123456);

    // clang-format off
    const std::string expected =
        Hex("00 3F 00 0D 0C") + "Tellurax map" + Hex("00") +           // BEGIN METAFILE, padded
        Hex("10 22 00 01") +                                             // METAFILE VERSION 1
        Hex("10 5F 00 23 22") + "TELLURAX version 3.01 CGM metafile" + Hex("00") +
        Hex("10 62 00 00") +                                             // VDC TYPE integer
        Hex("10 82 00 10") +                                             // INTEGER PRECISION 16
        Hex("10 A6 00 01 00 10 00 10") +                                 // REAL PRECISION fixed 16, 16
        Hex("10 C2 00 10") + Hex("10 E2 00 10") +                        // INDEX, COLOUR PRECISION
        Hex("11 4C 00 00 00 00 00 00 00 FF 00 FF 00 FF") +               // COLOUR VALUE EXTENT
        Hex("11 66 00 01 FF FF 00 01") +                                 // METAFILE ELEMENT LIST
        Hex("11 BF 00 06 05") + "Arial" +                                // FONT LIST, even: no pad
        Hex("00 7F 00 0F 0E") + "PICTURE 1 OF 1" + Hex("00") +           // BEGIN PICTURE
        Hex("20 26 00 00 00 00 00 00") +                                 // SCALING MODE abstract
        Hex("20 42 00 01") + Hex("20 62 00 00") + Hex("20 A2 00 00") +   // direct, absolute, absolute
        Hex("20 C8 FE C0 FE C0 7E 40 5B 7C") +                           // VDC EXTENT
        Hex("20 E6 00 40 00 80 00 C0") +                                 // BACKGROUND COLOUR
        Hex("00 80") +                                                   // BEGIN PICTURE BODY
        Hex("52 C2 00 01 53 62 00 01 53 82 00 01 53 C2 00 01 50 42 00 01 50 62 00 01");
    // clang-format on
    EXPECT_EQ(test::FileBytes(path), expected);
    EXPECT_EQ(p.CgmPos, static_cast<int32_t>(expected.size()) + 1);

    std::vector<CgmElement> els;
    ASSERT_TRUE(ReadElements(expected, els));
    EXPECT_EQ(els.size(), kHeaderElements);
}

TEST_F(CgmWriterTest, LinesAndTheElementLimit) {
    // Points per line, and the points of each POLYLINE element written for it.
    struct Case {
        int points;
        std::vector<size_t> elements;
    };
    // clang-format off
    const Case cases[] = {
        {1, {2}},  // the point twice
        {2, {2}},
        {1998, {1998}},
        {1999, {1999}},  // no element of one point after a full one
        {2000, {1999, 2}},
        {3997, {1999, 1999}},
        {3998, {1999, 1999, 2}},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.points);
        ResetPlotState();
        SetUp();
        Start();
        std::vector<std::pair<int, int>> line;
        for (int i = 0; i < c.points; ++i) line.emplace_back(i * 7 % 32000, (i * 13 + 5) % 23100);
        Plot().CurColor = 0x00FF8000;
        Line(line);
        EXPECT_EQ(Plot().CgmLenPos, 0);
        EXPECT_TRUE(Plot().NewPolyline);
        const std::vector<CgmElement> body = Body();
        ASSERT_EQ(body.size(), 3 * c.elements.size());
        std::vector<std::pair<int, int>> joined;
        for (size_t k = 0; k < c.elements.size(); ++k) {
            const CgmElement& colour = body[3 * k];
            const CgmElement& width = body[3 * k + 1];
            const CgmElement& poly = body[3 * k + 2];
            ASSERT_TRUE(colour.Is(5, 4) && width.Is(5, 3) && poly.Is(4, 1));
            EXPECT_EQ(colour.AllWords(), (std::vector<int16_t>{0, 0x80, 0xFF}));
            EXPECT_EQ(width.Word(0), 1);
            EXPECT_TRUE(poly.longForm);
            ASSERT_EQ(poly.Words() / 2, c.elements[k]);
            for (size_t i = 0; i < poly.Words(); i += 2) {
                const std::pair<int, int> pt{poly.Word(i), poly.Word(i + 1)};
                // An element after the first starts from the last point of the one before.
                if (i == 0 && k > 0) EXPECT_EQ(pt, joined.back());
                else joined.push_back(pt);
            }
        }
        if (c.points == 1) line.push_back(line[0]);
        EXPECT_EQ(joined, line);
    }
}

TEST_F(CgmWriterTest, PolylineBytesAndClamping) {
    Start();
    const int32_t start = Plot().CgmPos;
    Plot().CurColor = 0x02010203;  // palette flag: no part of the colour
    Plot().PenWidth = 3;
    Line({{100, 200}, {-50, 30000}, {32700, -7}});  // the last two are clamped to the map area
    EXPECT_TRUE(boxes.log.empty());
    Files().CloseOutput();
    const std::string bytes = test::FileBytes(path).substr(static_cast<size_t>(start - 1));
    EXPECT_EQ(bytes, Hex("50 86 00 03 00 02 00 01"  // LINE COLOUR
                         "50 62 00 03"              // LINE WIDTH 3
                         "40 3F 00 0C 00 64 00 C8 00 00 5A 3C 7D 00 00 00"));

    // With line widths scaled: 3 pixels of 15 twips, 2 file units per twip.
    Design().LineWidthScaling = true;
    Files().OpenOutputBinary(path);
    Line({{1, 1}});
    Files().CloseOutput();
    EXPECT_EQ(test::FileBytes(path).substr(static_cast<size_t>(start - 1) + bytes.size() + 8, 4), Hex("50 62 00 5A"));
}

TEST_F(CgmWriterTest, PointSymbols) {
    Start();
    PlotState& p = Plot();
    p.SymbolRadiusOut = 100;
    p.SymbolBorderOut = 30;
    p.PenWidth = 2;
    p.CurColor = 0x00332211;
    struct Case {
        int16_t mode;
        std::vector<int16_t> edgeAndFill;  // EDGE WIDTH, or empty for line attributes
        int shapeClassId;                  // class * 100 + id
        std::vector<std::vector<int16_t>> shapes;
    };
    const Case cases[] = {
        {SymDot, {1}, 407, {{900, 1900, 900, 2100, 1100, 2100, 1100, 1900}}},
        {SymPlus, {}, 401, {{900, 2000, 1100, 2000}, {1000, 1900, 1000, 2100}}},
        {SymCross, {}, 401, {{900, 1900, 1100, 2100}, {1100, 1900, 900, 2100}}},
        {SymSquare, {30}, 407, {{900, 1900, 900, 2100, 1100, 2100, 1100, 1900}}},
        {SymSquareFilled, {1}, 407, {{900, 1900, 900, 2100, 1100, 2100, 1100, 1900}}},
        {SymDiamond, {30}, 407, {{900, 2000, 1000, 2100, 1100, 2000, 1000, 1900}}},
        {SymDiamondFilled, {1}, 407, {{900, 2000, 1000, 2100, 1100, 2000, 1000, 1900}}},
        {SymTriangle, {30}, 407, {{900, 1942, 1100, 1942, 1000, 2116}}},  // 0.577 below, 1.155 above
        {SymTriangleFilled, {1}, 407, {{900, 1942, 1100, 1942, 1000, 2116}}},
        {SymCircle, {30}, 412, {{1000, 2000, 100}}},
        {SymCircleFilled, {1}, 412, {{1000, 2000, 100}}},
    };
    for (const Case& c : cases) {
        p.PlotMode = c.mode;
        At(1000, 2000);
    }
    // Nothing for the other values, and nothing pending at a line end of symbols.
    for (int16_t mode : {0, 13, 98, 100}) {
        p.PlotMode = mode;
        At(1000, 2000);
    }
    p.PlotMode = SymCircle;
    const int32_t before = p.CgmPos;
    PrintLineBrkDisk();
    EXPECT_EQ(p.CgmPos, before);

    const std::vector<CgmElement> body = Body();
    size_t k = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mode);
        if (c.edgeAndFill.empty()) {
            ASSERT_TRUE(body.at(k).Is(5, 4));
            EXPECT_EQ(body[k].AllWords(), (std::vector<int16_t>{0x11, 0x22, 0x33}));
            ASSERT_TRUE(body.at(k + 1).Is(5, 3));
            EXPECT_EQ(body[k + 1].Word(0), 2);
            k += 2;
        } else {
            ASSERT_TRUE(body.at(k).Is(5, 29));  // EDGE COLOUR
            EXPECT_EQ(body[k].AllWords(), (std::vector<int16_t>{0x11, 0x22, 0x33}));
            ASSERT_TRUE(body.at(k + 1).Is(5, 23));  // FILL COLOUR
            EXPECT_EQ(body[k + 1].AllWords(), (std::vector<int16_t>{0x11, 0x22, 0x33}));
            ASSERT_TRUE(body.at(k + 2).Is(5, 28));  // EDGE WIDTH
            EXPECT_EQ(body[k + 2].AllWords(), c.edgeAndFill);
            k += 3;
        }
        for (const auto& shape : c.shapes) {
            ASSERT_EQ(body.at(k).cls * 100 + body[k].id, c.shapeClassId);
            EXPECT_FALSE(body[k].longForm);
            EXPECT_EQ(body[k].AllWords(), shape);
            ++k;
        }
    }
    EXPECT_EQ(k, body.size());
}

TEST_F(CgmWriterTest, SymbolsAtTheEdgeAreSqueezedIn) {
    Start();
    PlotState& p = Plot();
    p.SymbolRadiusOut = 100;
    p.PlotMode = SymSquareFilled;
    At(31950, 30);
    p.PlotMode = SymCircle;
    At(-20, 23150);  // the centre is clamped, the radius kept
    const std::vector<CgmElement> body = Body();
    ASSERT_EQ(body.size(), 8u);
    EXPECT_EQ(body[3].AllWords(), (std::vector<int16_t>{31850, 0, 31850, 130, 32000, 130, 32000, 0}));
    EXPECT_EQ(body[7].AllWords(), (std::vector<int16_t>{0, 23100, 100}));
}

TEST_F(CgmWriterTest, InteriorStyleOfAFileAndLineColour) {
    Start();
    const int32_t start = Plot().CgmPos;
    for (int16_t mode = 0; mode <= 13; ++mode) {
        Plot().PlotMode = mode;
        CgmStartNewBoundaryFile();
    }
    Plot().PlotMode = SymText;
    CgmStartNewBoundaryFile();
    CgmLineColor(0x02AABBCC);
    Files().CloseOutput();
    // Solid for 2, 6, 8, 10, 12 and hollow for 5, 7, 9, 11, in mode order.
    const std::string solid = Hex("52 C2 00 01"), hollow = Hex("52 C2 00 00");
    EXPECT_EQ(
        test::FileBytes(path).substr(static_cast<size_t>(start - 1)),
        solid + hollow + solid + hollow + solid + hollow + solid + hollow + solid + Hex("50 86 00 CC 00 BB 00 AA"));
}

TEST_F(CgmWriterTest, TextItems) {
    struct Case {
        const char* text;
        int16_t rotation;
        std::vector<int16_t> orientation;
    };
    const Case cases[] = {
        {"Atlantic", 0, {0, 10000, 10000, 0}}, {"Odd", 90, {-10000, 0, 0, 10000}},
        {"", 180, {0, -10000, -10000, 0}},     {"Slanted", 45, {-7071, 7071, 7071, 7071}},
        {"Down", 270, {10000, 0, 0, -10000}},
    };
    for (const Case& c : cases) AddText(c.text, c.rotation, 1000, 2500, 300, 0x02203040);
    Design().VectorTextScale = 150;
    Start();
    const int32_t start = Plot().CgmPos;
    Plot().PlotMode = SymText;
    for (int i = 1; i <= Design().NumTextItems; ++i) {
        Design().TextItemIndex = i;
        CgmWrite();
    }
    EXPECT_TRUE(boxes.log.empty());
    Files().CloseOutput();

    // The first item byte by byte: x 1000 / 16000 * 32000, y 23100 - 2500 / 11550 * 23100,
    // height 1.5 * 23100 / 11550 * 300.
    EXPECT_EQ(test::FileBytes(path).substr(static_cast<size_t>(start - 1), 72),
              Hex("51 C6 00 40 00 30 00 20"                    // TEXT COLOUR
                  "51 62 00 02"                                // TEXT PRECISION stroke
                  "51 E2 03 84"                                // CHARACTER HEIGHT 900
                  "51 84 00 01 00 00"                          // CHARACTER EXPANSION FACTOR 1.0
                  "51 A4 00 00 00 00"                          // CHARACTER SPACING 0.0
                  "52 08 00 00 27 10 27 10 00 00"              // CHARACTER ORIENTATION
                  "52 4C 00 01 00 04 00 00 00 00 00 00 00 00"  // TEXT ALIGNMENT left, base
                  "40 9F 00 0F 07 D0 46 B4 00 01 08") +        // TEXT, length 6 + 1 + 8
                  "Atlantic" +
                  Hex("00"));

    Files().OpenOutputBinary(path);
    const std::vector<CgmElement> body = Body();
    ASSERT_EQ(body.size(), 8 * std::size(cases));
    for (size_t k = 0; k < std::size(cases); ++k) {
        SCOPED_TRACE(cases[k].text);
        EXPECT_EQ(body[8 * k + 5].AllWords(), cases[k].orientation);
        const CgmElement& text = body[8 * k + 7];
        ASSERT_TRUE(text.Is(4, 4));
        EXPECT_EQ(text.params.size(), 7 + std::string(cases[k].text).size());
        EXPECT_EQ(text.String(6), cases[k].text);
    }
}

TEST_F(CgmWriterTest, TextBeyondLatin1AndTooLong) {
    const std::string longText(200, 'x');
    AddText("Z\xC3\xBCrich \xE2\x82\xAC", 0, 100, 100);  // "Zürich €"
    AddText(longText + "\xC3\xA9", 0, 100, 100);
    Start();
    Plot().PlotMode = SymText;
    for (int i = 1; i <= 2; ++i) {
        Design().TextItemIndex = i;
        CgmWrite();
    }
    ASSERT_EQ(boxes.log.size(), 1u);
    EXPECT_EQ(boxes.log[0].text, "Text item 2 has 201 characters: only its first 127 are written to the CGM file.");
    EXPECT_EQ(boxes.log[0].title, "Save as CGM");
    const std::vector<CgmElement> body = Body();
    ASSERT_EQ(body.size(), 16u);
    EXPECT_EQ(body[7].String(6), "Z\xFCrich ?");
    EXPECT_EQ(body[15].String(6), std::string(127, 'x'));
}

TEST(CgmCharactersTest, Utf8ToLatin1) {
    // clang-format off
    const std::pair<std::string, std::string> cases[] = {
        {"plain ASCII", "plain ASCII"},
        {"\xC3\xA9t\xC3\xA9", "\xE9t\xE9"},                 // é
        {"\xC2\xB0N", "\xB0N"},                             // degree sign
        {"\xE2\x82\xAC 5", "? 5"},                          // euro sign: beyond Latin-1
        {"\xF0\x9F\x8C\x8D", "?"},                          // a four-byte character
        {"caf\xE9", "caf\xE9"},                             // a Latin-1 byte stays itself
        {"\xC3", "\xC3"},                                   // a cut sequence
        {"\xC0\xAF", "\xC0\xAF"},                           // an overlong form
        {"\xED\xA0\x80", "\xED\xA0\x80"},                   // a surrogate
    };
    // clang-format on
    for (const auto& [in, out] : cases) EXPECT_EQ(ToCgmCharacters(in), out) << in;
}

TEST_F(CgmWriterTest, FailuresWriteNoElement) {
    Start();
    PlotState& p = Plot();
    const int32_t start = p.CgmPos;
    // A text position beyond 16 bits.
    AddText("far", 0, 9000000, 100);
    p.PlotMode = SymText;
    Design().TextItemIndex = 1;
    CgmWrite();
    // A symbol far off the map.
    p.PlotMode = SymSquare;
    At(1e7, 10);
    // A text item that does not exist.
    p.PlotMode = SymText;
    Design().TextItemIndex = 5;
    CgmWrite();
    ASSERT_EQ(boxes.log.size(), 3u);
    EXPECT_EQ(boxes.log[0].title, "Error in CgmWrite");
    EXPECT_EQ(boxes.log[0].text, "Error: Overflow");
    EXPECT_EQ(boxes.log[1].title, "Error in CgmVertices");
    EXPECT_EQ(boxes.log[1].text, "Error: Overflow");
    EXPECT_EQ(boxes.log[2].title, "Error in CgmWrite");
    EXPECT_EQ(boxes.log[2].text, "Error: Subscript out of range");
    EXPECT_EQ(p.CgmPos, start);
    EXPECT_TRUE(Body().empty());
}

TEST_F(CgmWriterTest, HeaderThatCannotBeWrittenEndsTheRunAndKeepsTheEarlierFile) {
    // No folder: nothing is created.
    Plot().CgmFileName = dir + "/no such folder/t.cgm";
    CgmHeader();
    ASSERT_EQ(boxes.log.size(), 1u);
    EXPECT_EQ(boxes.log[0].title, "Error in CgmHeader");
    EXPECT_EQ(boxes.log[0].text.rfind("Error: ", 0), 0u);
    EXPECT_EQ(boxes.log[0].text.find("deleted"), std::string::npos);
    EXPECT_EQ(Design().PlotStopText, "GridDiskError");
    EXPECT_EQ(Plot().CurOutFile, "");

    // A name that cannot be replaced is left as it was.
    boxes.log.clear();
    const std::string folder = dir + "/taken.cgm";
    std::filesystem::create_directories(folder + "/inside");
    Plot().CgmFileName = folder;
    CgmHeader();
    ASSERT_EQ(boxes.log.size(), 1u);
    EXPECT_EQ(boxes.log[0].title, "Error in CgmHeader");
    EXPECT_EQ(boxes.log[0].text, "Error: Is a directory");
    EXPECT_TRUE(std::filesystem::exists(folder + "/inside"));

    // A disk that fills up in a run: the unfinished file goes, the earlier
    // one stays.
    boxes.log.clear();
    Design().PlotStopText.clear();
    Plot().CgmFileName = path;
    test::WriteFile(path, "earlier");
    Files().StageOutputs();
    {
        test::FileSizeLimit limit(100);
        CgmHeader();
    }
    ASSERT_EQ(boxes.log.size(), 1u);
    EXPECT_EQ(boxes.log[0].title, "Error in CgmHeader");
    EXPECT_EQ(boxes.log[0].text, "Error: File too large");
    EXPECT_EQ(test::FileBytes(path), "earlier");
    EXPECT_EQ(test::TemporaryFiles(dir), 0);
    EXPECT_EQ(Design().PlotStopText, "GridDiskError");
    EXPECT_EQ(Plot().CurOutFile, "");
    EXPECT_FALSE(Files().OutputOpen());
}

TEST_F(CgmWriterTest, FinishWritesTextAndEndOrKeepsTheEarlierFile) {
    AddText("Pacific", 0, 100, 100);
    CgmHeader();
    Plot().PlotMode = SymLine;
    EXPECT_TRUE(CgmFinishExport());
    EXPECT_TRUE(boxes.log.empty());
    EXPECT_EQ(Design().TextItemIndex, 1);
    EXPECT_FALSE(Plot().OutCgm);
    EXPECT_EQ(Plot().CgmPos, 1);
    EXPECT_FALSE(Files().OutputOpen());
    const std::vector<CgmElement> els = ReadCgm(path);
    ASSERT_EQ(els.size(), kHeaderElements + 8 + 2);
    EXPECT_EQ(els[kHeaderElements + 7].String(6), "Pacific");

    // In a run, a long text item that does not fit the disk any more: the
    // finished file of before stays.
    const std::string earlier = test::FileBytes(path);
    AddText(std::string(120, 'y'), 0, 100, 100);
    Plot().OutCgm = true;
    Files().StageOutputs();
    CgmHeader();
    {
        test::FileSizeLimit limit(static_cast<rlim_t>(std::filesystem::file_size(path) + 100));
        EXPECT_FALSE(CgmFinishExport());
    }
    ASSERT_FALSE(boxes.log.empty());
    EXPECT_EQ(boxes.log.back().title, "Error in CgmFinishExport");
    EXPECT_EQ(boxes.log.back().text, "Error: File too large");
    EXPECT_EQ(test::FileBytes(path), earlier);
    EXPECT_EQ(test::TemporaryFiles(dir), 0);
    EXPECT_EQ(Plot().CurOutFile, "");
    EXPECT_FALSE(Plot().OutCgm);
    EXPECT_EQ(Plot().CgmPos, 1);

    // A file the run has given up is not made again without its header.
    boxes.log.clear();
    Plot().OutCgm = true;
    EXPECT_FALSE(CgmFinishExport());
    ASSERT_EQ(boxes.log.size(), 1u);
    EXPECT_EQ(boxes.log[0].text, "Error: File not found");
    EXPECT_EQ(test::FileBytes(path), earlier);
    Files().EndStaging();
}

TEST_F(CgmWriterTest, NewFileStartsCleanAfterAnUnfinishedRun) {
    // A run that failed inside a line left an open element behind.
    PlotState& p = Plot();
    p.NewPolyline = false;
    p.CgmLenPos = 5000;
    p.CgmPos = 9000;
    p.PolyPointCount = 1999;
    p.CgmLineContinues = true;
    Start();
    Line({{1, 2}, {3, 4}});
    const std::vector<CgmElement> body = Body();
    ASSERT_EQ(body.size(), 3u);
    EXPECT_EQ(body[2].AllWords(), (std::vector<int16_t>{1, 2, 3, 4}));
}

// ---- Whole exports through the graticule drawing ----

class CgmExportTest : public ::testing::Test {
protected:
    // The folder of the files LibreOffice is asked to open (check_cgm).
    static std::string ExportFolder() {
        const char* env = std::getenv("TLRX_CGM_OUT");
        const std::string folder = env != nullptr ? env : std::string(TLRX_TEST_OUT_DIR) + "/cgm-files";
        std::filesystem::create_directories(folder);
        return folder;
    }
    void Export(const std::string& name) {
        path = ExportFolder() + "/" + name;
        PlotState& p = Plot();
        p.CgmFileName = path;
        p.OutCgm = true;
    }

    FakeHost host{1024, 768};
    test::DrawingSetUp setUp{host};
    ScopedScriptedMessageBox boxes;
    std::string path;
};

TEST_F(CgmExportTest, DefaultGraticuleWithATextItem) {
    DesignState& d = Design();
    d.FontSlotName[1] = "Liberation Sans";
    Export("default-graticule.cgm");
    test::DrawSinglePass();
    EXPECT_TRUE(boxes.log.empty());
    EXPECT_EQ(d.PlotStopText, "");
    EXPECT_EQ(Plot().CurOutFile, path);

    ResizeTextItems(1);
    d.NumTextItems = 1;
    d.TextItems[1].TextItemText = "Tellurax graticule";
    d.TextItems[1].TextItemX = Plot().DrawWidthTwips / 3;
    d.TextItems[1].TextItemY = Plot().DrawHeightTwips / 2;
    d.TextItems[1].TextItemAscent = 400;
    d.TextItems[1].TextItemColor = 0x000000FF;
    ASSERT_TRUE(CgmFinishExport());

    const std::vector<CgmElement> els = ReadCgm(path);
    // Seven parallels of nine points and nine meridians of seven, each with
    // its colour and width.
    std::vector<size_t> lines;
    for (const CgmElement& e : els)
        if (e.Is(4, 1)) lines.push_back(e.Words() / 2);
    std::vector<size_t> expected(7, 9);
    expected.insert(expected.end(), 9, 7);
    EXPECT_EQ(lines, expected);
    // The map fills the file area's width: corners at 0 and OutExtentX.
    int16_t minX = 32767, maxX = -32768;
    for (const CgmElement& e : els)
        if (e.Is(4, 1))
            for (size_t i = 0; i < e.Words(); i += 2) {
                minX = std::min(minX, e.Word(i));
                maxX = std::max(maxX, e.Word(i));
            }
    EXPECT_EQ(minX, 0);
    EXPECT_EQ(maxX, Plot().OutExtentX);
    ASSERT_TRUE(els[els.size() - 3].Is(4, 4));
    EXPECT_EQ(els[els.size() - 3].String(6), "Tellurax graticule");
}

TEST_F(CgmExportTest, InterruptedLobesWriteOneFile) {
    test::UseInterruptedWorld();
    Export("interrupted-lobes.cgm");
    test::DrawLobes();
    EXPECT_TRUE(boxes.log.empty());
    ASSERT_TRUE(CgmFinishExport());
    const std::vector<CgmElement> els = ReadCgm(path);
    EXPECT_EQ(std::count_if(els.begin(), els.end(), [](const CgmElement& e) { return e.Is(0, 1); }), 1);
    EXPECT_GT(std::count_if(els.begin(), els.end(), [](const CgmElement& e) { return e.Is(4, 1); }), 30);
}

TEST_F(CgmExportTest, SmallDrawing) {
    // A line longer than one element, a one-point line, every point symbol
    // and text items: the file LibreOffice opens beside the graticule. (Its
    // import refuses any text with a rotation, so these are unrotated.)
    DesignState& d = Design();
    d.FontSlotName[1] = "Liberation Sans";
    Export("small-drawing.cgm");
    test::DrawSinglePass();
    PlotState& p = Plot();
    Files().OpenOutputBinary(path);
    const auto at = [&](double fx, double fy) {
        d.ProjOutX = d.MapXMin + fx * (d.MapXMax - d.MapXMin);
        d.ProjOutY = d.MapYMin + fy * (d.MapYMax - d.MapYMin);
        ScaleXY();
    };
    p.PlotMode = SymLine;
    p.CurColor = 0x000080FF;
    p.PenWidth = 3;
    for (int i = 0; i <= 2500; ++i) at(0.1 + 0.8 * i / 2500.0, 0.5 + 0.3 * std::sin(i / 200.0));
    PrintLineBrkDisk();
    at(0.5, 0.95);
    PrintLineBrkDisk();
    p.SymbolRadiusOut = 300;
    p.SymbolBorderOut = 40;
    for (int16_t mode = SymDot; mode <= SymCircleFilled; ++mode) {
        p.PlotMode = mode;
        CgmStartNewBoundaryFile();
        p.CurColor = mode * 20 | (255 - mode * 20) << 8 | 64 << 16;
        at(0.08 * (mode - 1), 0.85);
        PrintLineBrkDisk();
    }
    Files().CloseOutput();
    const char* names[] = {"Alpha", "Beta", "Gamma", "Delta", "Epsilon"};
    for (int i = 1; i <= 5; ++i) {
        ResizeTextItems(i);
        d.NumTextItems = i;
        d.TextItems[i].TextItemText = names[i - 1];
        d.TextItems[i].TextItemX = p.DrawWidthTwips * i / 7;
        d.TextItems[i].TextItemY = p.DrawHeightTwips * (2 + i % 2) / 8;
        d.TextItems[i].TextItemAscent = 300;
        d.TextItems[i].TextItemColor = 0x00008000;
    }
    ASSERT_TRUE(CgmFinishExport());
    EXPECT_TRUE(boxes.log.empty());
    const std::vector<CgmElement> els = ReadCgm(path);
    EXPECT_EQ(std::count_if(els.begin(), els.end(), [](const CgmElement& e) { return e.Is(4, 4); }), 5);
}

TEST_F(CgmExportTest, StopKeepsTheEarlierFile) {
    Export("stopped.cgm");
    test::WriteFile(path, "earlier");
    Files().StageOutputs();
    SetDoEventsHook([](int64_t n) {
        if (n == 5) StopRun();
    });
    test::DrawSinglePass();
    EXPECT_EQ(Design().PlotStopText, "Escape");
    EXPECT_EQ(test::FileBytes(path), "earlier");
    EXPECT_EQ(test::TemporaryFiles(ExportFolder()), 0);
    EXPECT_EQ(Plot().CgmPos, 1);
}

}  // namespace
}  // namespace tlrx
