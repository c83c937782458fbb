#include "plot/export/DxfWriter.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>

#include "core/DesignState.h"
#include "core/Errors.h"
#include "platform/TextEncoding.h"
#include "plot/PlotState.h"
#include "plot/RunFiles.h"

namespace tlrx {

namespace {

// ---- The colour table ----

struct ColorEntry {
    uint8_t red, green, blue;
    uint8_t number;  // of the AutoCAD colour index
};

// The distinct colours of the program's 256-cell colour palette, by family,
// each hue family from its darkest shade to its palest tint.
// clang-format off
constexpr ColorEntry kColorTable[] = {
    // Standard colours
    {0, 0, 0, 7}, {0, 0, 128, 174}, {0, 128, 0, 94}, {0, 128, 128, 134}, {128, 0, 0, 14}, {128, 0, 128, 214},
    {128, 128, 0, 54}, {192, 192, 192, 253}, {128, 128, 128, 251}, {0, 0, 255, 5}, {0, 255, 0, 3},
    {0, 255, 255, 4}, {255, 0, 0, 1}, {255, 0, 255, 6}, {255, 255, 0, 2}, {255, 255, 255, 255},
    // Greys
    {17, 17, 17, 7}, {34, 34, 34, 7}, {51, 51, 51, 250}, {68, 68, 68, 250}, {85, 85, 85, 250},
    {102, 102, 102, 251}, {119, 119, 119, 251}, {136, 136, 136, 252}, {153, 153, 153, 252},
    {170, 170, 170, 253}, {187, 187, 187, 253}, {204, 204, 204, 254}, {221, 221, 221, 254},
    {238, 238, 238, 254},
    // Reds
    {77, 0, 0, 16}, {102, 0, 0, 16}, {153, 0, 0, 12}, {179, 0, 0, 12}, {204, 0, 0, 12}, {230, 0, 0, 1},
    {255, 26, 26, 1}, {255, 51, 51, 1}, {255, 77, 77, 11}, {255, 102, 102, 11}, {255, 128, 128, 11},
    {255, 153, 153, 21}, {255, 179, 179, 31}, {255, 204, 204, 255},
    // Oranges
    {77, 38, 0, 36}, {102, 51, 0, 36}, {128, 64, 0, 34}, {153, 77, 0, 32}, {179, 89, 0, 32},
    {204, 102, 0, 32}, {230, 115, 0, 30}, {255, 128, 0, 30}, {255, 140, 26, 30}, {255, 153, 51, 30},
    {255, 166, 77, 21}, {255, 179, 102, 31}, {255, 191, 128, 31}, {255, 204, 153, 31}, {255, 217, 179, 41},
    {255, 230, 204, 41},
    // Yellows
    {77, 77, 0, 56}, {102, 102, 0, 56}, {153, 153, 0, 52}, {179, 179, 0, 52}, {204, 204, 0, 52},
    {230, 230, 0, 2}, {255, 255, 26, 2}, {255, 255, 51, 2}, {255, 255, 77, 51}, {255, 255, 102, 51},
    {255, 255, 128, 51}, {255, 255, 153, 51}, {255, 255, 179, 51}, {255, 255, 204, 255},
    // Yellow-greens
    {38, 77, 0, 76}, {51, 102, 0, 76}, {64, 128, 0, 74}, {77, 153, 0, 72}, {89, 179, 0, 72},
    {102, 204, 0, 72}, {115, 230, 0, 70}, {128, 255, 0, 70}, {140, 255, 26, 70}, {153, 255, 51, 70},
    {166, 255, 77, 81}, {179, 255, 102, 71}, {191, 255, 128, 71}, {204, 255, 153, 71}, {217, 255, 179, 61},
    {230, 255, 204, 255},
    // Greens
    {0, 77, 0, 96}, {0, 102, 0, 94}, {0, 153, 0, 92}, {0, 179, 0, 92}, {0, 204, 0, 92}, {0, 230, 0, 3},
    {26, 255, 26, 3}, {51, 255, 51, 3}, {77, 255, 77, 91}, {102, 255, 102, 91}, {128, 255, 128, 91},
    {153, 255, 153, 91}, {179, 255, 179, 91}, {204, 255, 204, 255},
    // Blue-greens
    {0, 77, 38, 116}, {0, 102, 51, 116}, {0, 128, 64, 114}, {0, 153, 77, 112}, {0, 179, 89, 112},
    {0, 204, 102, 112}, {0, 230, 115, 110}, {0, 255, 128, 110}, {26, 255, 140, 110}, {51, 255, 153, 110},
    {77, 255, 166, 101}, {102, 255, 179, 111}, {128, 255, 191, 111}, {153, 255, 204, 111},
    {179, 255, 217, 121}, {204, 255, 230, 255},
    // Cyans
    {0, 77, 77, 136}, {0, 102, 102, 136}, {0, 153, 153, 132}, {0, 179, 179, 132}, {0, 204, 204, 132},
    {0, 230, 230, 4}, {26, 255, 255, 4}, {51, 255, 255, 4}, {77, 255, 255, 131}, {102, 255, 255, 131},
    {128, 255, 255, 131}, {153, 255, 255, 131}, {179, 255, 255, 131}, {204, 255, 255, 255},
    // Sky blues
    {0, 38, 77, 156}, {0, 51, 102, 156}, {0, 64, 128, 154}, {0, 77, 153, 152}, {0, 89, 179, 152},
    {0, 102, 204, 152}, {0, 115, 230, 150}, {0, 128, 255, 150}, {26, 140, 255, 150}, {51, 153, 255, 150},
    {77, 166, 255, 161}, {102, 179, 255, 151}, {128, 191, 255, 151}, {153, 204, 255, 151},
    {179, 217, 255, 141}, {204, 230, 255, 255},
    // Blues
    {0, 0, 77, 176}, {0, 0, 102, 176}, {0, 0, 153, 172}, {0, 0, 179, 172}, {0, 0, 204, 172}, {0, 0, 230, 5},
    {26, 26, 255, 5}, {51, 51, 255, 5}, {77, 77, 255, 171}, {102, 102, 255, 171}, {128, 128, 255, 171},
    {153, 153, 255, 171}, {179, 179, 255, 171}, {204, 204, 255, 255},
    // Violets
    {38, 0, 77, 196}, {51, 0, 102, 196}, {64, 0, 128, 194}, {77, 0, 153, 192}, {89, 0, 179, 192},
    {102, 0, 204, 192}, {115, 0, 230, 190}, {128, 0, 255, 190}, {140, 26, 255, 190}, {153, 51, 255, 190},
    {166, 77, 255, 181}, {179, 102, 255, 191}, {191, 128, 255, 191}, {204, 153, 255, 191},
    {217, 179, 255, 191}, {230, 204, 255, 255},
    // Magentas
    {77, 0, 77, 216}, {102, 0, 102, 216}, {153, 0, 153, 212}, {179, 0, 179, 212}, {204, 0, 204, 212},
    {230, 0, 230, 6}, {255, 26, 255, 6}, {255, 51, 255, 6}, {255, 77, 255, 211}, {255, 102, 255, 211},
    {255, 128, 255, 211}, {255, 153, 255, 211}, {255, 179, 255, 211}, {255, 204, 255, 255},
    // Rose reds
    {77, 0, 38, 236}, {102, 0, 51, 236}, {128, 0, 64, 234}, {153, 0, 77, 232}, {179, 0, 89, 232},
    {204, 0, 102, 232}, {230, 0, 115, 230}, {255, 0, 128, 230}, {255, 26, 140, 230}, {255, 51, 153, 230},
    {255, 77, 166, 241}, {255, 102, 179, 231}, {255, 128, 191, 231}, {255, 153, 204, 231},
    {255, 179, 217, 221}, {255, 204, 230, 255},
    // Muted tones
    {115, 77, 38, 25}, {128, 84, 48, 25}, {140, 89, 51, 25}, {147, 89, 57, 25}, {159, 102, 60, 23},
    {166, 108, 64, 23}, {179, 115, 69, 33}, {191, 120, 77, 33}, {204, 140, 89, 43}, {217, 153, 115, 21},
    {230, 166, 128, 21}, {242, 179, 147, 31}, {255, 198, 166, 31}, {255, 204, 179, 31}, {255, 217, 191, 41},
    {153, 102, 102, 243}, {153, 128, 102, 33}, {153, 140, 102, 43}, {153, 153, 102, 53}, {128, 153, 102, 73},
    {102, 153, 102, 93}, {102, 153, 115, 122}, {102, 153, 128, 113}, {102, 153, 153, 133}, {102, 128, 153, 153},
    {102, 115, 153, 153}, {102, 102, 153, 183}, {128, 102, 153, 193}, {153, 102, 153, 213}, {153, 102, 140, 223},
    {153, 102, 128, 233},
};
// clang-format on
static_assert(std::size(kColorTable) == 241);

// The colour number of a key of at most 25 bits: its table entry, or the
// entry nearest to its low 24 bits.
uint8_t ColorNumber(int32_t key) {
    if (key == 0 || key == 1) return 7;
    const int red = key & 0xFF, green = (key >> 8) & 0xFF, blue = (key >> 16) & 0xFF;
    uint8_t best = 7;
    int32_t bestDistance = std::numeric_limits<int32_t>::max();
    for (const ColorEntry& e : kColorTable) {
        if (key == e.red + 256 * e.green + 65536 * e.blue) return e.number;
        const int dr = red - e.red, dg = green - e.green, db = blue - e.blue;
        const int32_t distance = dr * dr + dg * dg + db * db;
        if (distance < bestDistance) {
            bestDistance = distance;
            best = e.number;
        }
    }
    return best;
}

// ---- Writing ----

constexpr std::string_view kProgramComment = "Tellurax: outline maps of the world";
constexpr std::string_view kSecondComment = "Drawing written by the Tellurax DXF export";

struct Whole {
    std::array<char, 24> text{};
    size_t size = 0;
    std::string_view View() const { return {text.data(), size}; }
};

Whole WholeText(int64_t value) {
    Whole w;
    w.size =
        static_cast<size_t>(std::to_chars(w.text.data(), w.text.data() + w.text.size(), value).ptr - w.text.data());
    return w;
}

// One group: its code line and its value line.
void Pair(std::string_view code, std::string_view value) {
    RunFiles& files = Files();
    files.WriteLine(code);
    files.WriteLine(value);
}

void Pair(std::string_view code, int64_t value) { Pair(code, WholeText(value).View()); }

void Point(int64_t x, int64_t y) {
    Pair(" 10", x);
    Pair(" 20", y);
}

void EntityHead(std::string_view name, int32_t color) {
    Pair("  0", name);
    Pair("  8", "0");
    Pair(" 62", DxfColor(color));
}

// "POLYLINE" with its colour, both widths and the vertices-follow flag.
void PolylineHead(int32_t color, std::string_view width, bool closed) {
    EntityHead("POLYLINE", color);
    Pair(" 40", width);
    Pair(" 41", width);
    Pair(" 66", "1");
    if (closed) Pair(" 70", "1");
}

void Vertex(int64_t x, std::string_view y) {
    Pair("  0", "VERTEX");
    Pair("  8", "0");
    Pair(" 10", x);
    Pair(" 20", y);
}

void Vertex(int64_t x, int64_t y) { Vertex(x, WholeText(y).View()); }

void Bulge() { Pair(" 42", "1"); }

// Ends a POLYLINE entity: "  0" and "SEQEND" with their line ends, 13 bytes.
void Terminator() { Pair("  0", "SEQEND"); }

// The four corners of a SOLID; y values may be fractional.
void Corners(const int64_t (&x)[4], const DxfNumber (&y)[4]) {
    static constexpr std::string_view kX[4] = {" 10", " 11", " 12", " 13"};
    static constexpr std::string_view kY[4] = {" 20", " 21", " 22", " 23"};
    for (int k = 0; k < 4; ++k) {
        Pair(kX[k], x[k]);
        Pair(kY[k], y[k].View());
    }
}

// The current projected point in file units.
struct FilePoint {
    int16_t x, y;
};

FilePoint CurrentPoint(const DesignState& d, const PlotState& p) {
    return {ToInt16((d.ProjOutX - d.MapXMin) * p.OutScale + p.OutOffsetX),
            ToInt16((d.ProjOutY - d.MapYMin) * p.OutScale + p.OutOffsetY)};
}

// The width of a line: the pen width in pixels turned into twips and then
// into file units with relative line widths, otherwise the pen width itself.
DxfNumber LineWidth(const DesignState& d, const PlotState& p) {
    if (d.LineWidthScaling)
        return FormatDxfFraction(
            CheckedDiv(p.PenWidth * static_cast<double>(d.TwipsPerPixelY) * p.OutExtentX, p.DrawWidthTwips));
    return FormatDxfFraction(p.PenWidth);
}

void WriteLineVertex(const DesignState& d, PlotState& p) {
    const FilePoint pt = CurrentPoint(d, p);
    const auto open = [&] {
        // The width first: when it cannot be computed, no entity is opened.
        const DxfNumber width = LineWidth(d, p);
        p.NewPolyline = false;
        p.DxfNoPolyline = false;
        p.PolyPointCount = 0;
        PolylineHead(p.CurColor, width.View(), false);
    };
    if (p.NewPolyline) open();
    Vertex(pt.x, pt.y);
    ++p.PolyPointCount;
    if (p.PolyPointCount == p.MaxPolyPoints) {
        // The full entity ends here; the next one starts with the same point.
        Terminator();
        p.NewPolyline = true;
        open();
        Vertex(pt.x, pt.y);
        ++p.PolyPointCount;
    }
}

void WriteSymbol(const DesignState& d, const PlotState& p) {
    const FilePoint pt = CurrentPoint(d, p);
    const int32_t x = pt.x, y = pt.y;
    const int32_t r = p.SymbolRadiusOut;
    const int32_t w = p.SymbolBorderOut;
    const Whole borderWidth = WholeText(w);
    const int16_t xm = ToInt16(x - r), xp = ToInt16(x + r), ym = ToInt16(y - r), yp = ToInt16(y + r);
    const auto Y = [](double v) { return FormatDxfFraction(v); };
    const int32_t c = p.CurColor;

    switch (p.PlotMode) {
    case SymDot:
    case SymSquareFilled:
        EntityHead("SOLID", c);
        Corners({xm, xp, xm, xp}, {Y(ym), Y(ym), Y(yp), Y(yp)});
        break;
    case SymPlus:
        PolylineHead(c, borderWidth.View(), false);
        Vertex(xm, y);
        Vertex(xp, y);
        Terminator();
        PolylineHead(c, borderWidth.View(), false);
        Vertex(x, ym);
        Vertex(x, yp);
        Terminator();
        break;
    case SymCross:
        PolylineHead(c, borderWidth.View(), false);
        Vertex(xm, ym);
        Vertex(xp, yp);
        Terminator();
        PolylineHead(c, borderWidth.View(), false);
        Vertex(xp, ym);
        Vertex(xm, yp);
        Terminator();
        break;
    case SymSquare:
        PolylineHead(c, borderWidth.View(), true);
        Vertex(xm, ym);
        Vertex(xm, yp);
        Vertex(xp, yp);
        Vertex(xp, ym);
        Terminator();
        break;
    case SymDiamond:
        PolylineHead(c, borderWidth.View(), true);
        Vertex(xm, y);
        Vertex(x, yp);
        Vertex(xp, y);
        Vertex(x, ym);
        Terminator();
        break;
    case SymDiamondFilled:
        EntityHead("SOLID", c);
        Corners({xm, x, x, xp}, {Y(y), Y(ym), Y(yp), Y(y)});
        break;
    case SymTriangle:
    case SymTriangleFilled: {
        // Base 0.577 radius below the point, apex 1.155 above it.
        const DxfNumber ya = Y(y - 0.577 * r), yb = Y(y + 1.155 * r);
        if (p.PlotMode == SymTriangleFilled) {
            EntityHead("SOLID", c);
            Corners({xm, xp, x, x}, {ya, ya, yb, yb});
            break;
        }
        PolylineHead(c, borderWidth.View(), true);
        Vertex(xm, ya.View());
        Vertex(xp, ya.View());
        Vertex(x, yb.View());
        Terminator();
        break;
    }
    case SymCircle:
        if (w <= 1) {
            // A border of one unit, or one that rounds to nothing, is the
            // plain circle: the outline stays visible.
            EntityHead("CIRCLE", c);
            Point(x, y);
            Pair(" 40", r);
        } else {
            // A ring of width w: two half circles.
            PolylineHead(c, borderWidth.View(), true);
            Vertex(xm, y);
            Bulge();
            Vertex(xp, y);
            Bulge();
            Terminator();
        }
        break;
    case SymCircleFilled: {
        // A ring of radius r / 2 and width r covers the disc of radius r.
        const int32_t h = r / 2;
        PolylineHead(c, WholeText(r).View(), true);
        Vertex(ToInt16(x - h), y);
        Bulge();
        Vertex(ToInt16(x + h), y);
        Bulge();
        Terminator();
        break;
    }
    default: break;
    }
}

void WriteTextItem(const DesignState& d, const PlotState& p) {
    if (d.TextItemIndex < 1) Raise(kSubscriptOutOfRange);
    const TextItem& item = d.TextItemAt(d.TextItemIndex);
    // The placement point, in twips from the drawing area's top left corner,
    // on the file area with y upwards.
    const int32_t tx = ToInt32(CheckedDiv(item.TextItemX, p.DrawWidthTwips) * p.OutExtentX);
    const int32_t ty = ToInt32(p.OutExtentY - CheckedDiv(item.TextItemY, p.DrawHeightTwips) * p.OutExtentY);
    // The font's ascent in twips, in file units, scaled by VectorTextScale percent.
    const double h = CheckedDiv(d.VectorTextScale / 100.0 * p.OutExtentY, p.DrawHeightTwips) * item.TextItemAscent;
    const DxfNumber height = FormatDxfFraction(h);
    const std::string text = DxfText(item.TextItemText);

    EntityHead("TEXT", item.TextItemColor);
    Point(tx, ty);
    Pair(" 40", height.View());
    Pair("  1", text);
    Pair(" 50", item.TextItemRotation);
    Pair("  7", "STANDARD");
}

void WriteHead(const DesignState& d, const PlotState& p) {
    const int64_t xMin = -static_cast<int64_t>(p.OutMarginX), yMin = -static_cast<int64_t>(p.OutMarginY);
    const int64_t xMax = static_cast<int64_t>(p.OutExtentX) + p.OutMarginX;
    const int64_t yMax = static_cast<int64_t>(p.OutExtentY) + p.OutMarginY;
    Pair("  0", "SECTION");
    Pair("  2", "HEADER");
    Pair("999", kProgramComment);
    Pair("999", kSecondComment);
    Pair("999", "TELLURAX version " + d.VersionString + " DXF file");
    Pair("  9", "$EXTMIN");
    Point(xMin, yMin);
    Pair("  9", "$EXTMAX");
    Point(xMax, yMax);
    Pair("  9", "$LIMMIN");
    Point(xMin, yMin);
    Pair("  9", "$LIMMAX");
    Point(xMax, yMax);
    Pair("  0", "ENDSEC");

    Pair("  0", "SECTION");
    Pair("  2", "TABLES");
    Pair("  0", "TABLE");
    Pair("  2", "LTYPE");
    Pair(" 70", "1");
    Pair("  0", "LTYPE");
    Pair("  2", "CONTINUOUS");
    Pair(" 70", "64");
    Pair("  3", "Solid line");
    Pair(" 72", "65");
    Pair(" 73", "0");
    Pair(" 40", "0");
    Pair("  0", "ENDTAB");
    Pair("  0", "TABLE");
    Pair("  2", "LAYER");
    Pair(" 70", "1");
    Pair("  0", "LAYER");
    Pair("  2", "0");
    Pair(" 70", "0");
    Pair(" 62", "8");
    Pair("  6", "CONTINUOUS");
    Pair("  0", "ENDTAB");
    Pair("  0", "TABLE");
    Pair("  2", "STYLE");
    Pair(" 70", "1");
    Pair("  0", "STYLE");
    Pair("  2", "STANDARD");
    Pair(" 70", "0");
    Pair(" 40", "0");
    Pair(" 41", "1");
    Pair(" 50", "0");
    Pair(" 71", "0");
    Pair(" 42", "1");
    Pair("  3", "TXT");
    Pair("  4", "");
    Pair("  0", "ENDTAB");
    Pair("  0", "ENDSEC");

    Pair("  0", "SECTION");
    Pair("  2", "BLOCKS");
    Pair("  0", "ENDSEC");
    Pair("  0", "SECTION");
    Pair("  2", "ENTITIES");
}

}  // namespace

DxfNumber FormatDxfFraction(double value) {
    if (!std::isfinite(value)) Raise(kOverflow);
    DxfNumber n;
    char* out = n.text.data();
    if (value == 0) {
        *out = '0';
        n.size = 1;
        return n;
    }
    // d.dddddddddddddde±x: the 15 significant digits and the exponent.
    char sci[32];
    const auto [end, ec] = std::to_chars(sci, sci + sizeof sci, std::fabs(value), std::chars_format::scientific, 14);
    if (ec != std::errc{}) Raise(kOverflow);
    const char* e = std::find(sci, end, 'e');
    char digits[15];
    int count = 0;
    for (const char* c = sci; c != e; ++c)
        if (*c != '.') digits[count++] = *c;
    while (count > 1 && digits[count - 1] == '0') --count;
    int exponent = 0;
    std::from_chars(e + (e[1] == '+' ? 2 : 1), end, exponent);
    // The point goes after digit exponent + 1.
    const int point = exponent + 1;
    if (value < 0) *out++ = '-';
    if (point <= 0) {
        *out++ = '.';
        for (int k = 0; k < -point; ++k) *out++ = '0';
        for (int k = 0; k < count; ++k) *out++ = digits[k];
    } else {
        for (int k = 0; k < std::max(point, count); ++k) {
            if (k == point) *out++ = '.';
            *out++ = k < count ? digits[k] : '0';
        }
    }
    n.size = static_cast<size_t>(out - n.text.data());
    return n;
}

std::string DxfText(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    // \U+ and four upper-case hex digits of a UTF-16 unit.
    const auto escape = [&out](char32_t unit) {
        out += "\\U+";
        for (int shift = 12; shift >= 0; shift -= 4) out += "0123456789ABCDEF"[(unit >> shift) & 0xF];
    };
    for (size_t i = 0; i < text.size();) {
        const Utf8Char c = DecodeUtf8(text, i);
        char32_t code = c.code;
        if (c.length == 0) {
            // A byte that is no UTF-8 is a Windows-1252 character; the five
            // bytes that code page leaves unassigned, the C1 controls of their
            // number.
            const auto byte = static_cast<unsigned char>(text[i]);
            code = Cp1252Char(byte) != 0 ? Cp1252Char(byte) : byte;
        }
        i += c.length == 0 ? 1 : c.length;
        if (code == '\r' || code == '\n') {
            out += ' ';  // a value must stay on one line
        } else if (code == '\\' && (text.substr(i, 2) == "U+" || text.substr(i, 2) == "u+")) {
            escape(code);  // a backslash readers would take for the start of an escape
        } else if (code < 0x80) {
            out += static_cast<char>(code);
        } else if (code > 0xFFFF) {
            // Four hex digits each: a surrogate pair, as UTF-16 holds it.
            escape(0xD800 + ((code - 0x10000) >> 10));
            escape(0xDC00 + ((code - 0x10000) & 0x3FF));
        } else {
            escape(code);
        }
    }
    return out;
}

std::string DxfColor(int32_t color) {
    // The palette flag 0x02000000 (and the bits above it) do not count.
    if (color < 0) return "7";
    return std::to_string(ColorNumber(color & 0x1FFFFFF));
}

void DxfHeader() {
    const DesignState& d = Design();
    PlotState& p = Plot();
    RunFiles& files = Files();
    try {
        p.CurOutFile = p.DxfFileName;
        p.CurColor = d.GridColor;  // the graticule is drawn next
        p.SymbolRadiusOut = 2;
        // A fresh file has no entity open, whatever an earlier run left behind.
        p.NewPolyline = true;
        p.PolyPointCount = 0;

        files.CreateOutputText(p.DxfFileName);
        WriteHead(d, p);
        files.CloseOutput();
    } catch (const RuntimeError& e) {
        // What the run wrote goes; an earlier file of the name stays.
        files.DiscardOutputs();
        p.CurOutFile.clear();
        // Without its head the export cannot be finished: the run ends.
        Design().PlotStopText = "GridDiskError";
        ShowProcError("DxfHeader", e.what());
    }
}

void DxfWrite() {
    const DesignState& d = Design();
    PlotState& p = Plot();
    try {
        // The failure of this file has been reported once already.
        if (Files().OutputFailed()) return;
        switch (p.PlotMode) {
        case SymLine: WriteLineVertex(d, p); break;
        case SymText: WriteTextItem(d, p); break;
        default:
            if (p.PlotMode >= SymDot && p.PlotMode <= SymCircleFilled) WriteSymbol(d, p);
            break;
        }
    } catch (const RuntimeError& e) {
        ShowProcError("DxfWrite", e.what());
    }
}

void DxfPolylineTerminate() {
    const DesignState& d = Design();
    PlotState& p = Plot();
    try {
        if (Files().OutputFailed()) return;
        // Nothing written since the last line end: no entity to end.
        if (p.NewPolyline) return;
        if (p.PolyPointCount == 1) {
            // A line of one point becomes a line from the point to itself.
            const FilePoint pt = CurrentPoint(d, p);
            Vertex(pt.x, pt.y);
            p.PolyPointCount = 2;
        }
        Terminator();
    } catch (const RuntimeError& e) {
        ShowProcError("DxfPolylineTerminate", e.what());
    }
}

void DxfEnd() {
    try {
        if (Files().OutputFailed()) return;
        Pair("  0", "ENDSEC");
        Pair("  0", "EOF");
    } catch (const RuntimeError& e) {
        ShowProcError("DxfEnd", e.what());
    }
}

bool DxfFinish() {
    DesignState& d = Design();
    PlotState& p = Plot();
    RunFiles& files = Files();
    files.AppendOutputText(p.DxfFileName);
    p.PlotMode = SymText;
    const int32_t n = d.NumTextItems;
    for (int32_t i = 1; i <= n; ++i) {
        d.TextItemIndex = i;
        DxfWrite();
    }
    DxfEnd();
    const bool written = !files.OutputFailed();
    if (written) files.CloseOutput();
    else files.CloseOutputQuietly();
    p.NewPolyline = true;
    p.OutDxf = false;
    return written;
}

}  // namespace tlrx
