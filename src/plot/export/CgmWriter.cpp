#include "plot/export/CgmWriter.h"

#include <array>
#include <cmath>
#include <initializer_list>
#include <string>

#include "core/DesignState.h"
#include "core/Errors.h"
#include "platform/MessageBox.h"
#include "platform/TextEncoding.h"
#include "plot/PlotState.h"
#include "plot/RunFiles.h"

namespace tlrx {

namespace {

// Header words of the elements written (class * 4096 + id * 32 + length;
// 31 marks the long form).
enum : uint16_t {
    kBeginMetafile = 0x003F,
    kEndMetafile = 0x0040,
    kBeginPicture = 0x007F,
    kBeginPictureBody = 0x0080,
    kEndPicture = 0x00A0,
    kMetafileVersion = 0x1022,
    kMetafileDescription = 0x105F,
    kVdcType = 0x1062,
    kIntegerPrecision = 0x1082,
    kRealPrecision = 0x10A6,
    kIndexPrecision = 0x10C2,
    kColourPrecision = 0x10E2,
    kColourValueExtent = 0x114C,
    kMetafileElementList = 0x1166,
    kFontList = 0x11BF,
    kScalingMode = 0x2026,
    kColourSelectionMode = 0x2042,
    kLineWidthMode = 0x2062,
    kEdgeWidthMode = 0x20A2,
    kVdcExtent = 0x20C8,
    kBackgroundColour = 0x20E6,
    kPolylineLong = 0x403F,
    kPolylineTwoPoints = 0x4028,
    kText = 0x409F,
    kPolygon3 = 0x40EC,
    kPolygon4 = 0x40F0,
    kCircle = 0x4186,
    kLineType = 0x5042,
    kLineWidth = 0x5062,
    kLineColour = 0x5086,
    kTextPrecision = 0x5162,
    kCharExpansion = 0x5184,
    kCharSpacing = 0x51A4,
    kTextColour = 0x51C6,
    kCharHeight = 0x51E2,
    kCharOrientation = 0x5208,
    kTextAlignment = 0x524C,
    kInteriorStyle = 0x52C2,
    kFillColour = 0x52E6,
    kEdgeType = 0x5362,
    kEdgeWidth = 0x5382,
    kEdgeColour = 0x53A6,
    kEdgeVisibility = 0x53C2,
};

constexpr size_t kBufSize = std::tuple_size_v<decltype(PlotState::CgmBuf)>;

// A failure whose box has been shown: the operation around it ends quietly.
struct ShownFailure {};

// Runs a step of an operation; a failure shows the step's own box and ends
// the operation.
template <class F>
auto Step(std::string_view procedure, F&& body) {
    try {
        return body();
    } catch (const RuntimeError& e) {
        ShowProcError(procedure, e.what());
        throw ShownFailure{};
    }
}

// Runs a whole operation; a failure shows its box (unless a step has) and ends it.
template <class F>
void Operation(std::string_view procedure, F&& body) {
    try {
        body();
    } catch (const ShownFailure&) {
    } catch (const RuntimeError& e) {
        ShowProcError(procedure, e.what());
    }
}

// ---- Bytes into the file ----

// Writes bytes at a 1-based file position. Once the output has failed, the
// bytes are dropped: the failure has been reported already.
void WriteAt(int32_t position, const uint8_t* bytes, size_t count) {
    RunFiles& files = Files();
    if (files.OutputFailed()) return;
    files.SeekOutput(position);
    files.WriteBytes(bytes, count);
}

// ---- The element buffer ----

// A 16-bit value (two's complement) into two buffer entries, high byte first.
void Put16(size_t entry, int32_t value) {
    if (entry + 1 >= kBufSize) Raise(kSubscriptOutOfRange);
    const auto v = static_cast<uint16_t>(value);
    PlotState& p = Plot();
    p.CgmBuf[entry] = static_cast<int16_t>(v >> 8);
    p.CgmBuf[entry + 1] = static_cast<int16_t>(v & 0xFF);
}

int16_t Get16(size_t entry) {
    const PlotState& p = Plot();
    return static_cast<int16_t>(static_cast<uint16_t>((p.CgmBuf[entry] << 8) | p.CgmBuf[entry + 1]));
}

// Writes the first CgmBufLen entries at CgmPos.
void ShortImpl() {
    PlotState& p = Plot();
    const int32_t length = p.CgmBufLen;
    if (length <= 0) {
        p.CgmBufLen = 0;
        return;
    }
    if (static_cast<size_t>(length) > kBufSize) Raise(kSubscriptOutOfRange);
    std::array<uint8_t, kBufSize> bytes{};
    for (int32_t i = 0; i < length; ++i) {
        const int16_t b = p.CgmBuf[static_cast<size_t>(i)];
        if (b < 0 || b > 255) Raise(kOverflow);
        bytes[static_cast<size_t>(i)] = static_cast<uint8_t>(b);
    }
    WriteAt(p.CgmPos, bytes.data(), static_cast<size_t>(length));
    p.CgmPos += length;
    p.CgmBufLen = 0;
}

// A short-form element of 16-bit parameters, written at once.
void Element(uint16_t header, std::initializer_list<int32_t> params) {
    Put16(0, header);
    size_t entry = 2;
    for (int32_t v : params) {
        Put16(entry, v);
        entry += 2;
    }
    Plot().CgmBufLen = static_cast<int32_t>(entry);
    ShortImpl();
}

// Red, green and blue of a colour value; the high byte (palette flag) is ignored.
void ColorsImpl(int32_t color) {
    PlotState& p = Plot();
    const auto c = static_cast<uint32_t>(color);
    p.CgmBuf[2] = 0;
    p.CgmBuf[3] = static_cast<int16_t>(c & 0xFF);
    p.CgmBuf[4] = 0;
    p.CgmBuf[5] = static_cast<int16_t>((c >> 8) & 0xFF);
    p.CgmBuf[6] = 0;
    p.CgmBuf[7] = static_cast<int16_t>((c >> 16) & 0xFF);
}

// A colour element (LINE COLOUR, EDGE COLOUR, ...), written at once.
void ColorElement(uint16_t header, int32_t color) {
    ColorsImpl(color);
    Put16(0, header);
    Plot().CgmBufLen = 8;
    ShortImpl();
}

// Writes the element in CgmBuf (header, and for TEXT its point and flag)
// with the text as its final string parameter.
void StringImpl(std::string_view text) {
    PlotState& p = Plot();
    std::string chars = ToLatin1(text, p.ExportTextReplaced);
    if (chars.size() > static_cast<size_t>(kCgmMaxStringChars)) chars.resize(kCgmMaxStringChars);
    const bool textElement = p.CgmBufLen == -1;
    const size_t head = textElement ? 10 : 4;
    const size_t length = (textElement ? 6 : 0) + 1 + chars.size();
    Put16(2, static_cast<int32_t>(length));

    std::array<uint8_t, 10 + 1 + kCgmMaxStringChars + 1> bytes{};
    for (size_t i = 0; i < head; ++i) {
        const int16_t b = p.CgmBuf[i];
        if (b < 0 || b > 255) Raise(kOverflow);
        bytes[i] = static_cast<uint8_t>(b);
    }
    size_t n = head;
    bytes[n++] = static_cast<uint8_t>(chars.size());
    for (char c : chars) bytes[n++] = static_cast<uint8_t>(c);
    if (length % 2 != 0) bytes[n++] = 0;  // the next element starts at an even offset
    WriteAt(p.CgmPos, bytes.data(), n);
    p.CgmPos += static_cast<int32_t>(n);
    p.CgmBufLen = 0;
}

// A long-form element with a string parameter only.
void StringElement(uint16_t header, std::string_view text) {
    Put16(0, header);
    Plot().CgmBufLen = 0;
    StringImpl(text);
}

// ---- Coordinates ----

struct FilePoint {
    int16_t x = 0;
    int16_t y = 0;
};

// The current projected point, and the first n symbol vertices about it, in
// file units, clamped to the file area.
std::array<FilePoint, 5> SymbolPoints(int n) {
    const DesignState& d = Design();
    const PlotState& p = Plot();
    if (n < 0 || n > 5) Raise(kSubscriptOutOfRange);
    const int16_t cx = ToInt16((d.ProjOutX - d.MapXMin) * p.OutScale + p.OutOffsetX);
    const int16_t cy = ToInt16((d.ProjOutY - d.MapYMin) * p.OutScale + p.OutOffsetY);
    const auto radius = static_cast<float>(p.SymbolRadiusOut);
    std::array<FilePoint, 5> points{};
    for (size_t k = 0; k < static_cast<size_t>(n); ++k) {
        // The offsets are scaled in single precision.
        const float fx = static_cast<float>(p.CgmSymbolVertex[k]) / 1000.0f;
        const float fy = static_cast<float>(p.CgmSymbolVertex[k + 5]) / 1000.0f;
        int16_t x = ToInt16(static_cast<float>(radius * fx + static_cast<float>(cx)));
        int16_t y = ToInt16(static_cast<float>(radius * fy + static_cast<float>(cy)));
        // Symbols near the edge are squeezed into the map area.
        if (x < 0) x = 0;
        if (x > p.OutExtentX) x = static_cast<int16_t>(p.OutExtentX);
        if (y < 0) y = 0;
        if (y > p.OutExtentY) y = static_cast<int16_t>(p.OutExtentY);
        points[k] = FilePoint{x, y};
    }
    return points;
}

void PutPoint(size_t entry, FilePoint pt) {
    Put16(entry, pt.x);
    Put16(entry + 2, pt.y);
}

// Symbol vertex offsets, x then y, in thousandths of SymbolRadiusOut.
void SetOffsets(std::initializer_list<std::array<int16_t, 2>> offsets) {
    PlotState& p = Plot();
    size_t k = 0;
    for (const auto& o : offsets) {
        p.CgmSymbolVertex[k] = o[0];
        p.CgmSymbolVertex[k + 5] = o[1];
        ++k;
    }
}

// The width of lines in file units: the pen width in pixels through twips
// into file units when line widths scale with the map, else as it is.
int16_t LineWidthOut() {
    const DesignState& d = Design();
    const PlotState& p = Plot();
    if (!d.LineWidthScaling) return ToInt16(p.PenWidth);
    return ToInt16(CheckedDiv(static_cast<double>(p.PenWidth) * static_cast<double>(d.TwipsPerPixelY) * p.OutExtentX,
                              p.DrawWidthTwips));
}

// ---- Elements of the body ----

// Writes the length of the open POLYLINE element at CgmLenPos and goes back to CgmPos.
void PatchPolylineLength() {
    PlotState& p = Plot();
    const int32_t n = p.PolyPointCount * 4;
    const uint8_t length[2] = {static_cast<uint8_t>(n / 256 % 256), static_cast<uint8_t>(n % 256)};
    WriteAt(p.CgmLenPos, length, 2);
    p.CgmLenPos = 0;
    if (!Files().OutputFailed()) Files().SeekOutput(p.CgmPos);
}

void WriteVertex(FilePoint pt) {
    PlotState& p = Plot();
    const auto x = static_cast<uint16_t>(pt.x);
    const auto y = static_cast<uint16_t>(pt.y);
    const uint8_t bytes[4] = {static_cast<uint8_t>(x >> 8), static_cast<uint8_t>(x & 0xFF),
                              static_cast<uint8_t>(y >> 8), static_cast<uint8_t>(y & 0xFF)};
    WriteAt(p.CgmPos, bytes, 4);
    p.CgmPos += 4;
    ++p.PolyPointCount;
    p.CgmLastVertex = {pt.x, pt.y};
}

void PolyImpl() {
    PlotState& p = Plot();
    const FilePoint vertex{Get16(4), Get16(6)};
    if (p.NewPolyline || p.CgmLenPos == 0) {
        // A line that filled its element goes on from the element's last point.
        const bool continues = p.CgmLineContinues && !p.NewPolyline;
        const FilePoint from{p.CgmLastVertex[0], p.CgmLastVertex[1]};
        const int16_t width = LineWidthOut();
        p.NewPolyline = false;
        p.CgmLineContinues = false;
        ColorElement(kLineColour, p.CurColor);
        Element(kLineWidth, {width});
        // The length word holds 1 until the line ends.
        Put16(0, kPolylineLong);
        Put16(2, 1);
        p.CgmBufLen = 4;
        p.PolyPointCount = 0;
        p.CgmLenPos = p.CgmPos + 2;
        ShortImpl();
        if (continues) WriteVertex(from);
    }
    WriteVertex(vertex);
    if (p.PolyPointCount >= p.MaxPolyPoints) {
        PatchPolylineLength();
        p.CgmLineContinues = true;
    }
    // CgmBuf 4..7 keep the vertex, as the caller put it there.
    PutPoint(4, vertex);
}

// What CgmWrite writes for the text item TextItemIndex; everything is
// computed before the first byte is written.
void TextItemImpl() {
    const DesignState& d = Design();
    PlotState& p = Plot();
    const int32_t i = d.TextItemIndex;
    if (i < 1) Raise(kSubscriptOutOfRange);
    const TextItem& item = d.TextItemAt(i);

    // The font's ascent in twips, in file units, times VectorTextScale percent.
    const int16_t height =
        ToInt16(CheckedDiv(d.VectorTextScale / 100.0 * p.OutExtentY, p.DrawHeightTwips) * item.TextItemAscent);
    const double a = item.TextItemRotation;
    const int16_t upX = ToInt16(10000 * std::cos((a + 90) * d.DegToRad));
    const int16_t upY = ToInt16(10000 * std::sin((a + 90) * d.DegToRad));
    const int16_t baseX = ToInt16(10000 * std::cos(a * d.DegToRad));
    const int16_t baseY = ToInt16(10000 * std::sin(a * d.DegToRad));
    // The placement point, twips from the top left corner, on the file area with y upwards.
    const int16_t x = ToInt16(CheckedDiv(item.TextItemX, p.DrawWidthTwips) * p.OutExtentX);
    const int16_t y = ToInt16(p.OutExtentY - CheckedDiv(item.TextItemY, p.DrawHeightTwips) * p.OutExtentY);

    const std::string& text = item.TextItemText;
    const size_t chars = ToCgmCharacters(text).size();
    if (chars > static_cast<size_t>(kCgmMaxStringChars))
        MsgBox("Text item " + std::to_string(i) + " has " + std::to_string(chars) + " characters: only its first " +
                   std::to_string(kCgmMaxStringChars) + " are written to the CGM file.",
               "Save as CGM", MsgButtons::Ok, MsgIcon::Exclamation);

    ColorElement(kTextColour, item.TextItemColor);
    Element(kTextPrecision, {2});  // stroke
    Element(kCharHeight, {height});
    Element(kCharExpansion, {1, 0});  // 1.0
    Element(kCharSpacing, {0, 0});    // 0.0
    Element(kCharOrientation, {upX, upY, baseX, baseY});
    Element(kTextAlignment, {1, 4, 0, 0, 0, 0});  // left, base, continuous 0.0 and 0.0
    Put16(0, kText);
    Put16(4, x);
    Put16(6, y);
    Put16(8, 1);  // final
    p.CgmBufLen = -1;
    Step("CgmString", [&] { StringImpl(text); });
}

// A point symbol of PlotMode 2 to 12 at the projected point.
void SymbolImpl(int16_t mode) {
    PlotState& p = Plot();
    const bool lines = mode == SymPlus || mode == SymCross;
    int n = 4;
    switch (mode) {
    case SymDot:
    case SymSquare:
    case SymSquareFilled: SetOffsets({{-1000, -1000}, {-1000, 1000}, {1000, 1000}, {1000, -1000}}); break;
    case SymDiamond:
    case SymDiamondFilled: SetOffsets({{-1000, 0}, {0, 1000}, {1000, 0}, {0, -1000}}); break;
    case SymTriangle:
    case SymTriangleFilled:
        // Base 0.577 radius below the point, apex 1.155 above.
        SetOffsets({{-1000, -577}, {1000, -577}, {0, 1155}});
        n = 3;
        break;
    case SymPlus: SetOffsets({{-1000, 0}, {1000, 0}, {0, -1000}, {0, 1000}}); break;
    case SymCross: SetOffsets({{-1000, -1000}, {1000, 1000}, {1000, -1000}, {-1000, 1000}}); break;
    default:  // circles: the centre
        SetOffsets({{0, 0}});
        n = 1;
        break;
    }
    const std::array<FilePoint, 5> pts = Step("CgmVertices", [&] { return SymbolPoints(n); });
    if (lines) {
        const int16_t width = LineWidthOut();
        ColorElement(kLineColour, p.CurColor);
        Element(kLineWidth, {width});
        // Two strokes, one POLYLINE element of two points each.
        Put16(0, kPolylineTwoPoints);
        PutPoint(2, pts[0]);
        PutPoint(6, pts[1]);
        Put16(10, kPolylineTwoPoints);
        PutPoint(12, pts[2]);
        PutPoint(16, pts[3]);
        p.CgmBufLen = 20;
        Step("CgmShort", ShortImpl);
        return;
    }
    const bool outlined = mode == SymSquare || mode == SymDiamond || mode == SymTriangle || mode == SymCircle;
    const int16_t edge = outlined ? ToInt16(p.SymbolBorderOut) : int16_t{1};
    const bool circle = mode == SymCircle || mode == SymCircleFilled;
    const int16_t radius = circle ? ToInt16(p.SymbolRadiusOut) : int16_t{0};
    ColorElement(kEdgeColour, p.CurColor);
    ColorElement(kFillColour, p.CurColor);
    Element(kEdgeWidth, {edge});
    if (circle) {
        Put16(0, kCircle);
        PutPoint(2, pts[0]);
        Put16(6, radius);
        p.CgmBufLen = 8;
    } else {
        Put16(0, n == 3 ? kPolygon3 : kPolygon4);
        for (size_t k = 0; k < static_cast<size_t>(n); ++k) PutPoint(2 + 4 * k, pts[k]);
        p.CgmBufLen = 2 + 4 * n;
    }
    Step("CgmShort", ShortImpl);
}

// Closes file 2 and drops what the run wrote (an earlier file of the name
// stays as it was); the box gives the failure.
void AbandonFile(std::string_view procedure, std::string_view description) {
    PlotState& p = Plot();
    Files().DiscardOutputs();
    if (p.CurOutFile == p.CgmFileName) p.CurOutFile.clear();
    MsgBox("Error: " + std::string(description), "Error in " + std::string(procedure), MsgButtons::Ok,
           MsgIcon::Exclamation);
}

// No element open and nothing pending: a new file starts from here.
void ResetElementState() {
    PlotState& p = Plot();
    p.CgmPos = 1;
    p.CgmLenPos = 0;
    p.CgmBufLen = 0;
    p.NewPolyline = true;
    p.CgmLineContinues = false;
    p.PolyPointCount = 0;
}

}  // namespace

std::string ToCgmCharacters(std::string_view text) { return ToLatin1(text); }

void CgmShort() { Operation("CgmShort", ShortImpl); }

void CgmColors(int32_t color) {
    Operation("CgmColors", [&] { ColorsImpl(color); });
}

void CgmString(std::string_view text) {
    Operation("CgmString", [&] { StringImpl(text); });
}

void CgmVertices(int16_t f, int16_t d, int16_t n) {
    Operation("CgmVertices", [&] {
        const std::array<FilePoint, 5> pts = SymbolPoints(n);
        for (int k = 0; k < n; ++k) PutPoint(static_cast<size_t>(f + d * k), pts[static_cast<size_t>(k)]);
    });
}

void CgmPoly() { Operation("CgmPoly", PolyImpl); }

void CgmWrite() {
    Operation("CgmWrite", [] {
        const int16_t mode = Plot().PlotMode;
        if (mode == SymLine) {
            SetOffsets({{0, 0}});
            const std::array<FilePoint, 5> pts = Step("CgmVertices", [] { return SymbolPoints(1); });
            PutPoint(4, pts[0]);
            Step("CgmPoly", PolyImpl);
        } else if (mode >= SymDot && mode <= SymCircleFilled) {
            SymbolImpl(mode);
        } else if (mode == SymText) {
            TextItemImpl();
        }
    });
}

void CgmStartNewBoundaryFile() {
    Operation("CgmStartNewBoundaryFile", [] {
        switch (Plot().PlotMode) {
        case SymDot:
        case SymSquareFilled:
        case SymDiamondFilled:
        case SymTriangleFilled:
        case SymCircleFilled:
            Element(kInteriorStyle, {1});  // solid
            break;
        case SymSquare:
        case SymDiamond:
        case SymTriangle:
        case SymCircle:
            Element(kInteriorStyle, {0});  // hollow
            break;
        default: break;
        }
    });
}

void CgmLineColor(int32_t color) {
    Operation("CgmLineColor", [&] { ColorElement(kLineColour, color); });
}

void CgmEnd() {
    Operation("CgmEnd", [] {
        Element(kEndPicture, {});
        Element(kEndMetafile, {});
    });
}

void CgmPolylineEnd() {
    PlotState& p = Plot();
    if (p.PlotMode != SymLine) {
        CgmShort();
        return;
    }
    p.CgmLineContinues = false;
    if (p.CgmLenPos <= 0) return;
    // A one-point line is a POLYLINE from the point to itself.
    if (p.PolyPointCount == 1) WriteVertex(FilePoint{p.CgmLastVertex[0], p.CgmLastVertex[1]});
    PatchPolylineLength();
}

void CgmHeader() {
    DesignState& d = Design();
    PlotState& p = Plot();
    RunFiles& files = Files();
    p.CurOutFile = p.CgmFileName;
    p.SymbolRadiusOut = 2;
    ResetElementState();
    try {
        files.CreateOutputBinary(p.CgmFileName);

        StringElement(kBeginMetafile, "Tellurax map");
        Element(kMetafileVersion, {1});
        StringElement(kMetafileDescription, "TELLURAX version " + d.VersionString + " CGM metafile");
        Element(kVdcType, {0});  // integer
        Element(kIntegerPrecision, {16});
        Element(kRealPrecision, {1, 16, 16});  // fixed point, 16 + 16 bits
        Element(kIndexPrecision, {16});
        Element(kColourPrecision, {16});
        Element(kColourValueExtent, {0, 0, 0, 255, 255, 255});
        Element(kMetafileElementList, {1, -1, 1});  // the drawing-plus-control set
        StringElement(kFontList, d.FontSlotName[1]);
        StringElement(kBeginPicture, "PICTURE 1 OF 1");
        Element(kScalingMode, {0, 0, 0});    // abstract, factor 0.0
        Element(kColourSelectionMode, {1});  // direct
        Element(kLineWidthMode, {0});        // absolute
        Element(kEdgeWidthMode, {0});        // absolute
        Element(kVdcExtent, {ToInt16(-p.OutMarginX), ToInt16(-p.OutMarginY),
                             ToInt16(static_cast<double>(p.OutExtentX) + p.OutMarginX),
                             ToInt16(static_cast<double>(p.OutExtentY) + p.OutMarginY)});
        ColorElement(kBackgroundColour, d.BackColor);
        Element(kBeginPictureBody, {});
        Element(kInteriorStyle, {1});  // solid
        Element(kEdgeType, {1});       // solid
        Element(kEdgeWidth, {1});
        Element(kEdgeVisibility, {1});  // on
        Element(kLineType, {1});        // solid
        Element(kLineWidth, {1});

        p.CurColor = d.GridColor;  // the graticule is drawn next
        files.CloseOutput();       // raises when a write has failed
    } catch (const RuntimeError& e) {
        AbandonFile("CgmHeader", e.what());
        ResetElementState();
        // Nothing may be drawn into a file without its header.
        d.PlotStopText = "GridDiskError";
    }
}

bool CgmFinishExport() {
    DesignState& d = Design();
    PlotState& p = Plot();
    RunFiles& files = Files();
    bool complete = false;
    try {
        // Reopening a vanished file would make one without a header.
        if (!files.OutputExists(p.CgmFileName)) Raise("File not found");
        files.OpenOutputBinary(p.CgmFileName);
        p.PlotMode = SymText;
        const int32_t count = d.NumTextItems;
        for (int32_t i = 1; i <= count; ++i) {
            d.TextItemIndex = i;
            CgmWrite();
        }
        CgmEnd();
        files.CloseOutput();  // raises when a write has failed
        complete = true;
    } catch (const RuntimeError& e) {
        AbandonFile("CgmFinishExport", e.what());
    }
    ResetElementState();
    p.OutCgm = false;
    return complete;
}

}  // namespace tlrx
