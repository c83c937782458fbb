#include <gtest/gtest.h>

#include <QImage>
#include <functional>
#include <string>
#include <vector>

#include "WmfRecords.h"
#include "platform/WmfRecorder.h"
#include "platform/qt/QtSurface.h"

namespace tlrx {
namespace {

using test::Long;
using test::Records;
using test::Word;

// What the calls record, closed.
std::vector<std::string> RecordsOf(const std::function<void(WmfRecorder&)>& calls) {
    WmfRecorder r;
    calls(r);
    return Records(*r.Close());
}

TEST(PlaceableHeaderTest, KeyBoxUnitsAndChecksum) {
    // Margins of 320 about a file area of 32000 x 23100 at 6000 units per inch.
    const auto header = PlaceableHeader(-320, -320, 32320, 23420, 6000);
    const std::vector<uint8_t> expected = {0xD7, 0xCD, 0xC6, 0x9A, 0x00, 0x00, 0xC0, 0xFE, 0xC0, 0xFE, 0x40,
                                           0x7E, 0x7C, 0x5B, 0x70, 0x17, 0x00, 0x00, 0x00, 0x00, 0x5D, 0x65};
    EXPECT_EQ(std::vector<uint8_t>(header.begin(), header.end()), expected);

    // The checksum makes the exclusive or of all eleven words zero.
    for (const auto& h : {PlaceableHeader(0, 0, 1, 1, 1440), PlaceableHeader(-32768, 32767, -1, 0, 6000)}) {
        uint16_t x = 0;
        for (size_t i = 0; i < 22; i += 2) x ^= static_cast<uint16_t>(h[i] | (h[i + 1] << 8));
        EXPECT_EQ(x, 0);
    }
}

TEST(WmfRecorderTest, AnEmptyRecordingIsItsHeaderAndTheEnd) {
    WmfRecorder r;
    EXPECT_TRUE(r.IsOpen());
    const auto bits = r.Close();
    ASSERT_NE(bits, nullptr);
    const MetafileBits expected = {
        0x01, 0x00, 0x09, 0x00, 0x00, 0x03,  // memory metafile, 9-word header, version 3.0
        0x0C, 0x00, 0x00, 0x00,              // 12 words in all
        0x00, 0x00,                          // no objects
        0x03, 0x00, 0x00, 0x00,              // the largest record: 3 words
        0x00, 0x00,                          // no members
        0x03, 0x00, 0x00, 0x00, 0x00, 0x00,  // end of file
    };
    EXPECT_EQ(*bits, expected);
    EXPECT_FALSE(r.IsOpen());
    EXPECT_EQ(r.Close(), nullptr);
}

TEST(WmfRecorderTest, RecordsOfEachCall) {
    struct Case {
        const char* name;
        std::function<void(WmfRecorder&)> calls;
        std::vector<std::string> records;
    };
    const DevPoint two[] = {{1, 2}, {3, -4}};
    const DevPoint three[] = {{5000, 5000}, {7000, 5000}, {6000, 7000}};
    const Case cases[] = {
        {"map mode", [](WmfRecorder& r) { r.SetMapMode(MapMode::Anisotropic); }, {"0103 0008"}},
        // Window origin and extent: y first.
        {"window origin", [](WmfRecorder& r) { r.SetWindowOrgEx(-320, 23420); }, {"020b 5b7c fec0"}},
        {"window extent", [](WmfRecorder& r) { r.SetWindowExtEx(32640, -23740); }, {"020c a344 7f80"}},
        {"background mode", [](WmfRecorder& r) { r.SetBkMode(BkMode::Transparent); }, {"0102 0001"}},
        {"fill mode", [](WmfRecorder& r) { r.SetPolyFillMode(FillMode::Winding); }, {"0106 0002"}},
        {"text alignment", [](WmfRecorder& r) { r.SetTextAlign(AlignBaseline); }, {"012e 0018"}},
        // Colours: red and green, then blue and a zero byte; no palette flag.
        {"text colour", [](WmfRecorder& r) { r.SetTextColor(MakeRgb(1, 2, 3) | 0x02000000); }, {"0209 0201 0003"}},
        {"move and line",
         [](WmfRecorder& r) { r.MoveToEx(10, -20), r.LineTo(30, 40); },
         {"0214 ffec 000a", "0213 0028 001e"}},
        {"rectangle", [](WmfRecorder& r) { r.Rectangle(-320, -320, 32320, 23420); }, {"041b 5b7c 7e40 fec0 fec0"}},
        {"ellipse", [](WmfRecorder& r) { r.Ellipse(990, 990, 1010, 1010); }, {"0418 03f2 03f2 03de 03de"}},
        {"pixel", [](WmfRecorder& r) { r.SetPixel(5, 6, MakeRgb(255, 0, 0)); }, {"041f 00ff 0000 0006 0005"}},
        {"polyline", [&](WmfRecorder& r) { r.Polyline(two, 2); }, {"0325 0002 0001 0002 0003 fffc"}},
        {"polygon", [&](WmfRecorder& r) { r.Polygon(three, 3); }, {"0324 0003 1388 1388 1b58 1388 1770 1b58"}},
        // The string fills whole words; then y and x.
        {"text", [](WmfRecorder& r) { r.TextOut(7, 8, "abc"); }, {"0521 0003 6261 0063 0008 0007"}},
        {"even text", [](WmfRecorder& r) { r.TextOut(7, 8, "ab"); }, {"0521 0002 6261 0008 0007"}},
        // Pens: style, width as a point's x, colour.
        {"pen",
         [](WmfRecorder& r) { r.SelectObject(r.CreatePen(PenStyle::Solid, 3, MakeRgb(255, 0, 0))); },
         {"02fa 0000 0003 0000 00ff 0000", "012d 0000"}},
        {"null pen",
         [](WmfRecorder& r) { r.SelectObject(r.GetStockObject(StockObject::NullPen)); },
         {"02fa 0005 0000 0000 0000 0000", "012d 0000"}},
        // Brushes: style (solid 0, null 1), colour, hatch.
        {"brush",
         [](WmfRecorder& r) { r.SelectObject(r.CreateSolidBrush(MakeRgb(0x10, 0x20, 0x30))); },
         {"02fc 0000 2010 0030 0000", "012d 0000"}},
        {"null brush",
         [](WmfRecorder& r) { r.SelectObject(r.GetStockObject(StockObject::NullBrush)); },
         {"02fc 0001 0000 0000 0000", "012d 0000"}},
        // An object enters the table at its first selection only.
        {"unselected pen", [](WmfRecorder& r) { r.DeleteObject(r.CreatePen(PenStyle::Solid, 1, 0)); }, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(RecordsOf(c.calls), c.records);
    }
}

TEST(WmfRecorderTest, ObjectTableReusesFreedSlots) {
    WmfRecorder r;
    const GdiObject pen = r.CreatePen(PenStyle::Solid, 1, 0);
    const GdiObject brush = r.CreateSolidBrush(MakeRgb(255, 255, 255));
    const GdiObject keptPen = r.SelectObject(pen);      // slot 0
    const GdiObject keptBrush = r.SelectObject(brush);  // slot 1
    EXPECT_EQ(keptPen, r.GetStockObject(StockObject::BlackPen));
    EXPECT_EQ(keptBrush, r.GetStockObject(StockObject::WhiteBrush));
    EXPECT_FALSE(r.DeleteObject(pen));        // still selected
    EXPECT_EQ(r.SelectObject(keptPen), pen);  // the stock pen: slot 2
    EXPECT_TRUE(r.DeleteObject(pen));         // frees slot 0
    EXPECT_FALSE(r.DeleteObject(pen));        // gone
    const GdiObject second = r.CreatePen(PenStyle::Solid, 2, 0);
    r.SelectObject(second);                 // slot 0 again
    r.SelectObject(keptPen);                // the stock pen keeps slot 2
    EXPECT_FALSE(r.DeleteObject(keptPen));  // stock objects stay
    EXPECT_TRUE(r.DeleteObject(second));

    const auto bits = r.Close();
    EXPECT_EQ(Records(*bits), (std::vector<std::string>{
                                  "02fa 0000 0001 0000 0000 0000",
                                  "012d 0000",  // pen
                                  "02fc 0000 ffff 00ff 0000",
                                  "012d 0001",  // brush
                                  "02fa 0000 0000 0000 0000 0000",
                                  "012d 0002",  // stock black pen
                                  "01f0 0000",  // pen deleted
                                  "02fa 0000 0002 0000 0000 0000",
                                  "012d 0000",  // second pen in slot 0
                                  "012d 0002",  // stock pen again
                                  "01f0 0000",
                              }));
    EXPECT_EQ(Word(*bits, 10), 3);                // three slots were used
    EXPECT_EQ(Long(*bits, 6) * 2, bits->size());  // the size in words
    EXPECT_EQ(Long(*bits, 12), 8u);               // the largest record: a pen
}

TEST(WmfRecorderTest, FontRecordCarriesTheWholeLogFont) {
    LogFont font;
    font.height = -480;
    font.escapement = font.orientation = -900;
    font.weight = 700;
    font.italic = font.underline = true;
    font.charSet = 1;
    font.clipPrecision = 16;
    font.faceName = "Liberation Sans";
    const auto records = RecordsOf([&](WmfRecorder& r) { r.SelectObject(r.CreateFontIndirect(font)); });
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0],
              "02fb fe20 0000 fc7c fc7c 02bc "  // height, width, escapement, orientation, weight
              "0101 0100 1000 0000 "            // italic, underline, strike-out, char set, precisions, quality, pitch
              "694c 6562 6172 6974 6e6f 5320 6e61 0073 0000 0000 0000 0000 0000 0000 0000 0000");
    EXPECT_EQ(records[1], "012d 0000");

    // The face name: up to its NUL, at most 31 characters, always ended by NUL.
    struct Case {
        std::string name;
        std::string recorded;
    };
    const Case names[] = {
        {std::string(31, 'a'), std::string(31, 'a')},
        {std::string(32, 'b'), std::string(31, 'b')},
        {std::string(40, 'c'), std::string(31, 'c')},
        {std::string("Arial\0      ", 12), "Arial"},
    };
    for (const Case& c : names) {
        SCOPED_TRACE(c.name.size());
        font.faceName = c.name;
        WmfRecorder r;
        r.SelectObject(r.CreateFontIndirect(font));
        const auto bits = r.Close();
        const std::string face(reinterpret_cast<const char*>(bits->data()) + 18 + 6 + 18, 32);
        EXPECT_EQ(face, c.recorded + std::string(32 - c.recorded.size(), '\0'));
    }

    font.escapement = 40000;  // beyond 16 bits
    WmfRecorder r;
    EXPECT_EQ(r.CreateFontIndirect(font), 0u);
}

TEST(WmfRecorderTest, TextIsRecordedInTheAnsiCodePage) {
    struct Case {
        std::string text;
        std::string recorded;
    };
    const Case cases[] = {
        {"S\xC3\xA3o Paulo", "S\xE3o Paulo"},  // ã
        {"\xE2\x82\xAC 5", "\x80 5"},          // the euro sign
        {"\xE6\x97\xA5\xE6\x9C\xAC", "??"},    // not in the code page
        {"Mal\xE9", "Mal\xE9"},                // already in the code page
        {"\xC3", "\xC3"},                      // a cut sequence stands for itself
        {"", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.recorded);
        WmfRecorder r;
        ASSERT_TRUE(r.TextOut(1, 2, c.text));
        const auto bits = r.Close();
        const size_t n = c.recorded.size();
        EXPECT_EQ(Long(*bits, 18), 3 + 1 + (n + 1) / 2 + 2);
        EXPECT_EQ(Word(*bits, 24), n);
        EXPECT_EQ(std::string(reinterpret_cast<const char*>(bits->data()) + 26, n), c.recorded);
    }
}

TEST(WmfRecorderTest, RefusedCallsRecordNothing) {
    WmfRecorder r;
    const DevPoint one[] = {{1, 1}};
    const DevPoint far[] = {{0, 0}, {32768, 0}};
    EXPECT_FALSE(r.MoveToEx(-32769, 0));
    EXPECT_FALSE(r.LineTo(0, 40000));
    EXPECT_FALSE(r.Rectangle(0, 0, 32768, 1));
    EXPECT_FALSE(r.Ellipse(-40000, 0, 1, 1));
    EXPECT_FALSE(r.SetPixel(0, 32768, 0));
    EXPECT_FALSE(r.TextOut(32768, 0, "x"));
    EXPECT_FALSE(r.Polyline(one, 1));
    EXPECT_FALSE(r.Polyline(far, 2));
    EXPECT_FALSE(r.Polygon(one, 1));
    EXPECT_FALSE(r.SetWindowExtEx(0, 100));
    EXPECT_FALSE(r.SetWindowOrgEx(0, 32768));
    EXPECT_EQ(r.CreatePen(PenStyle::Solid, -1, 0), 0u);
    EXPECT_EQ(r.SelectObject(0), 0u);
    EXPECT_EQ(r.SelectObject(12345), 0u);
    EXPECT_FALSE(r.DeleteObject(12345));
    EXPECT_FALSE(r.DeleteObject(r.GetStockObject(StockObject::NullBrush)));
    TextMetric metric;
    EXPECT_FALSE(r.GetTextMetrics(metric));
    EXPECT_FALSE(r.SetClipRect(0, 0, 1, 1));
    EXPECT_EQ(r.Close()->size(), 24u);

    // A closed recording takes nothing more.
    EXPECT_EQ(r.CreatePen(PenStyle::Solid, 1, 0), 0u);
    EXPECT_EQ(r.SelectObject(r.GetStockObject(StockObject::BlackPen)), 0u);
    EXPECT_FALSE(r.LineTo(1, 1));
    EXPECT_EQ(r.SetMapMode(MapMode::Anisotropic), MapMode{});
    EXPECT_EQ(r.SetPolyFillMode(FillMode::Alternate), FillMode{});
}

TEST(WmfRecorderTest, SettersReturnThePreviousValue) {
    WmfRecorder r;
    EXPECT_EQ(r.SetMapMode(MapMode::Anisotropic), MapMode::Text);
    EXPECT_EQ(r.SetMapMode(MapMode::Text), MapMode::Anisotropic);
    EXPECT_EQ(r.SetBkMode(BkMode::Transparent), BkMode::Opaque);
    EXPECT_EQ(r.SetPolyFillMode(FillMode::Winding), FillMode::Alternate);
    EXPECT_EQ(r.SetTextAlign(AlignBaseline), static_cast<unsigned>(AlignLeft));
    EXPECT_EQ(r.SetTextColor(MakeRgb(1, 2, 3)), 0u);
    EXPECT_EQ(r.SetTextColor(0), MakeRgb(1, 2, 3));
}

TEST(WmfRecorderTest, DeviceSurfacesDrawInPixelsOnly) {
    QImage image(10, 10, QImage::Format_RGB32);
    QtSurface s(image);
    EXPECT_EQ(s.SetMapMode(MapMode::Text), MapMode::Text);
    EXPECT_EQ(s.SetMapMode(MapMode::Anisotropic), MapMode{});
    EXPECT_FALSE(s.SetWindowOrgEx(-320, 100));
    EXPECT_FALSE(s.SetWindowExtEx(100, -100));
}

}  // namespace
}  // namespace tlrx
