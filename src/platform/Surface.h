#pragma once
// A drawing surface in the manner of a device context: integer device
// coordinates (y downwards), pens, brushes and fonts created as objects and
// selected into the surface, and calls that report failure so that the
// drawing code can show its error box and go on.
//
// Rendering rules kept by every implementation: rectangles and ellipses
// exclude their right and bottom edge, LineTo leaves out its last pixel, wide
// pens have round caps and joins.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace tlrx {

using Rgb = uint32_t;  // 0x00BBGGRR; the palette flag 0x02000000 is ignored when drawing

constexpr int RgbRed(Rgb c) { return static_cast<int>(c & 0xFF); }
constexpr int RgbGreen(Rgb c) { return static_cast<int>((c >> 8) & 0xFF); }
constexpr int RgbBlue(Rgb c) { return static_cast<int>((c >> 16) & 0xFF); }
constexpr Rgb MakeRgb(int r, int g, int b) {
    return static_cast<Rgb>(r & 0xFF) | (static_cast<Rgb>(g & 0xFF) << 8) | (static_cast<Rgb>(b & 0xFF) << 16);
}

// Handle of a pen, brush or font; 0 is no object (and a failed creation).
using GdiObject = uint32_t;

enum class PenStyle { Solid = 0, Dash = 1, Dot = 2, Null = 5 };
enum class StockObject { WhiteBrush, BlackBrush, NullBrush, WhitePen, BlackPen, NullPen };
enum class FillMode { Alternate = 1, Winding = 2 };
enum class BkMode { Transparent = 1, Opaque = 2 };
// How logical coordinates map to the device. Anisotropic: the window's
// origin and extent (logical units) span the picture, each axis scaled on
// its own; a negative extent turns the axis.
enum class MapMode { Text = 1, LoMetric, HiMetric, LoEnglish, HiEnglish, Twips, Isotropic, Anisotropic };

// Text alignment flags, combinable.
enum TextAlign : unsigned {
    AlignLeft = 0,
    AlignTop = 0,
    AlignRight = 2,
    AlignCenter = 6,
    AlignBottom = 8,
    AlignBaseline = 24,
};

enum class DeviceCap {
    HorzRes,     // printable width in pixels
    VertRes,     // printable height in pixels
    LogPixelsX,  // pixels per inch
    LogPixelsY,
    PhysicalWidth,  // whole page in pixels
    PhysicalHeight,
    PhysicalOffsetX,  // unprintable margin in pixels
    PhysicalOffsetY,
    ClipCaps,  // 1 when the device can clip drawing to a rectangle, else 0
};

struct DevPoint {
    int32_t x = 0;
    int32_t y = 0;
    bool operator==(const DevPoint&) const = default;
};

struct LogFont {
    int32_t height = 0;  // negative: character height in pixels; positive: cell height
    int32_t width = 0;
    int32_t escapement = 0;  // tenths of a degree, counter-clockwise
    int32_t orientation = 0;
    int32_t weight = 400;  // 700 bold
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    uint8_t charSet = 0;        // 1: the default character set
    uint8_t clipPrecision = 0;  // 16: rotation follows the orientation of the logical axes
    std::string faceName;
};

struct TextMetric {
    int32_t height = 0;
    int32_t ascent = 0;
    int32_t descent = 0;
    int32_t internalLeading = 0;
    int32_t externalLeading = 0;
    int32_t aveCharWidth = 0;
    int32_t maxCharWidth = 0;
};

class Surface {
public:
    virtual ~Surface() = default;

    virtual GdiObject CreatePen(PenStyle style, int32_t width, Rgb color) = 0;
    virtual GdiObject CreateSolidBrush(Rgb color) = 0;
    virtual GdiObject CreateFontIndirect(const LogFont& font) = 0;
    virtual GdiObject GetStockObject(StockObject which) = 0;
    // Selects an object and returns the one of its kind it replaces (0 on failure).
    virtual GdiObject SelectObject(GdiObject object) = 0;
    // Deletes a pen, brush or font; selected and stock objects are refused.
    virtual bool DeleteObject(GdiObject object) = 0;

    virtual bool MoveToEx(int32_t x, int32_t y) = 0;
    virtual bool LineTo(int32_t x, int32_t y) = 0;
    virtual bool Polyline(const DevPoint* points, int32_t count) = 0;
    virtual bool Polygon(const DevPoint* points, int32_t count) = 0;
    virtual bool Rectangle(int32_t left, int32_t top, int32_t right, int32_t bottom) = 0;
    virtual bool Ellipse(int32_t left, int32_t top, int32_t right, int32_t bottom) = 0;
    // Returns false on failure.
    virtual bool SetPixel(int32_t x, int32_t y, Rgb color) = 0;

    // Each setter returns the previous value.
    virtual FillMode SetPolyFillMode(FillMode mode) = 0;
    virtual unsigned SetTextAlign(unsigned align) = 0;
    virtual Rgb SetTextColor(Rgb color) = 0;
    virtual BkMode SetBkMode(BkMode mode) = 0;

    // Logical coordinates. A metafile recording takes any mapping mode and
    // the window's origin and extent in logical units (16-bit values, extent
    // not 0); a device surface draws in device pixels only (MapMode::Text)
    // and refuses the rest. SetMapMode returns the previous mode, 0 on failure.
    virtual MapMode SetMapMode(MapMode mode) = 0;
    virtual bool SetWindowOrgEx(int32_t x, int32_t y) = 0;
    virtual bool SetWindowExtEx(int32_t cx, int32_t cy) = 0;

    virtual bool TextOut(int32_t x, int32_t y, std::string_view text) = 0;
    virtual bool GetTextMetrics(TextMetric& metric) = 0;
    virtual int32_t GetDeviceCaps(DeviceCap cap) = 0;

    // Limits drawing to a rectangle (right and bottom excluded), or lifts the limit.
    virtual bool SetClipRect(int32_t left, int32_t top, int32_t right, int32_t bottom) = 0;
    virtual bool ClearClip() = 0;
};

}  // namespace tlrx
