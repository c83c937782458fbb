#include "plot/export/Bmp.h"

#include <algorithm>
#include <cstdio>
#include <limits>
#include <new>
#include <unordered_map>

#include "core/DesignState.h"
#include "core/Errors.h"
#include "platform/BusyPointer.h"
#include "platform/MessageBox.h"
#include "platform/ReplacingFile.h"
#include "plot/PlotState.h"

namespace tlrx {

namespace {

constexpr std::string_view kAppTitle = "Tellurax";
constexpr uint16_t kBmpType = 0x4D42;  // "BM"
constexpr uint32_t kHeadersSize = 14 + 40;
constexpr uint64_t kChunkBytes = 16384;

// The rows of the last conversion.
std::vector<std::vector<uint8_t>> g_dibChunk;

// The sizes of a picture in the file at a depth.
struct DibLayout {
    int32_t width = 0;
    int32_t height = 0;
    uint16_t depth = 0;
    uint32_t colours = 0;    // C: entries of the colour table, 0 at 24 bits
    uint32_t rowSize = 0;    // bytes of a row, a multiple of 4
    uint32_t imageSize = 0;  // S: all rows
    int32_t rowsPerChunk = 0;
    int32_t chunks = 0;
};

// A depth a BMP file can hold for a screen of `bits` bits per pixel: above 8
// bits 24, else the nearest of 1, 4 and 8 not below it.
uint16_t FileDepthOfScreen(int32_t bits) {
    if (bits > 8) return 24;
    if (bits > 4) return 8;
    if (bits > 1) return 4;
    return 1;
}

uint16_t DepthOfMode(int16_t mode, const Host* window) {
    switch (mode) {
    case 0: return FileDepthOfScreen(window ? window->ScreenBitDepth() : 24);
    case 1: return 1;
    case 2: return 4;
    case 3: return 8;
    case 4: return 24;
    default: Raise(kInvalidCall);
    }
}

// Raises Overflow when the file would not fit the 32-bit sizes of its header.
DibLayout Layout(int64_t width, int64_t height, uint16_t depth) {
    DibLayout l;
    if (width > std::numeric_limits<int32_t>::max() || height > std::numeric_limits<int32_t>::max()) {
        Raise(kOverflow);
    }
    l.width = static_cast<int32_t>(width);
    l.height = static_cast<int32_t>(height);
    l.depth = depth;
    l.colours = depth <= 8 ? 1u << depth : 0;
    const uint64_t rowSize = (uint64_t{depth} * static_cast<uint64_t>(width) + 31) / 32 * 4;
    const uint64_t imageSize = rowSize * static_cast<uint64_t>(height);
    if (kHeadersSize + 4 * uint64_t{l.colours} + imageSize > std::numeric_limits<uint32_t>::max()) {
        Raise(kOverflow);
    }
    l.rowSize = static_cast<uint32_t>(rowSize);
    l.imageSize = static_cast<uint32_t>(imageSize);
    if (imageSize > kChunkBytes) {
        // Whole rows per chunk; a row longer than a chunk goes alone.
        l.rowsPerChunk = static_cast<int32_t>(std::max<uint64_t>(1, kChunkBytes / rowSize));
        l.chunks = (l.height + l.rowsPerChunk - 1) / l.rowsPerChunk;
    } else {
        l.rowsPerChunk = l.height;
        l.chunks = 1;
    }
    return l;
}

// The colour table a depth of 8 bits or less uses when the picture brings
// none of that size: black and white; the sixteen basic colours; those
// sixteen, a 6 × 6 × 6 colour cube and a ramp of 24 greys.
std::vector<Rgb> StandardPalette(uint16_t depth) {
    static const Rgb kBasic[16] = {
        MakeRgb(0, 0, 0),       MakeRgb(128, 0, 0),   MakeRgb(0, 128, 0),   MakeRgb(128, 128, 0),
        MakeRgb(0, 0, 128),     MakeRgb(128, 0, 128), MakeRgb(0, 128, 128), MakeRgb(192, 192, 192),
        MakeRgb(128, 128, 128), MakeRgb(255, 0, 0),   MakeRgb(0, 255, 0),   MakeRgb(255, 255, 0),
        MakeRgb(0, 0, 255),     MakeRgb(255, 0, 255), MakeRgb(0, 255, 255), MakeRgb(255, 255, 255),
    };
    switch (depth) {
    case 1: return {MakeRgb(0, 0, 0), MakeRgb(255, 255, 255)};
    case 4: return std::vector<Rgb>(std::begin(kBasic), std::end(kBasic));
    case 8: {
        std::vector<Rgb> p(std::begin(kBasic), std::end(kBasic));
        for (int r = 0; r < 6; ++r)
            for (int g = 0; g < 6; ++g)
                for (int b = 0; b < 6; ++b) p.push_back(MakeRgb(51 * r, 51 * g, 51 * b));
        for (int i = 1; i <= 24; ++i) p.push_back(MakeRgb(10 * i + 3, 10 * i + 3, 10 * i + 3));
        return p;
    }
    default: return {};
    }
}

// Index of the palette colour nearest to a colour (by squared distance in
// RGB; the first of equals), remembered per colour.
class NearestColour {
public:
    explicit NearestColour(const std::vector<Rgb>& palette) : palette_(palette) {}
    uint8_t operator()(Rgb c) {
        const auto found = cache_.find(c);
        if (found != cache_.end()) return found->second;
        size_t best = 0;
        int bestDist = std::numeric_limits<int>::max();
        for (size_t i = 0; i < palette_.size(); ++i) {
            const int dr = RgbRed(c) - RgbRed(palette_[i]);
            const int dg = RgbGreen(c) - RgbGreen(palette_[i]);
            const int db = RgbBlue(c) - RgbBlue(palette_[i]);
            const int dist = dr * dr + dg * dg + db * db;
            if (dist < bestDist) {
                bestDist = dist;
                best = i;
            }
        }
        const auto index = static_cast<uint8_t>(best);
        cache_.emplace(c, index);
        return index;
    }

private:
    const std::vector<Rgb>& palette_;
    std::unordered_map<Rgb, uint8_t> cache_;
};

// Writes one picture row (y from the top) into a file row of the layout.
void PackRow(const Bitmap& bitmap, int32_t y, const DibLayout& l, NearestColour& nearest, uint8_t* out) {
    if (l.depth == 24) {
        for (int32_t x = 0; x < l.width; ++x) {
            const Rgb c = bitmap.At(x, y);
            out[3 * x] = static_cast<uint8_t>(RgbBlue(c));
            out[3 * x + 1] = static_cast<uint8_t>(RgbGreen(c));
            out[3 * x + 2] = static_cast<uint8_t>(RgbRed(c));
        }
        return;
    }
    // Indices packed from the high bits of each byte down.
    for (int32_t x = 0; x < l.width; ++x) {
        const uint64_t bit = uint64_t{l.depth} * static_cast<uint64_t>(x);
        const int shift = 8 - l.depth - static_cast<int>(bit % 8);
        out[bit / 8] = static_cast<uint8_t>(out[bit / 8] | (nearest(bitmap.At(x, y)) << shift));
    }
}

void PutU16(std::vector<uint8_t>& b, uint32_t v) {
    b.push_back(static_cast<uint8_t>(v));
    b.push_back(static_cast<uint8_t>(v >> 8));
}

void PutU32(std::vector<uint8_t>& b, uint32_t v) {
    PutU16(b, v & 0xFFFF);
    PutU16(b, v >> 16);
}

// The file header, the info header and C colour entries, as they lie in the file.
std::vector<uint8_t> HeaderBytes(const BmpRecord& record, uint32_t colours) {
    std::vector<uint8_t> b;
    const BitmapFileHeader& f = record.FileHeader;
    PutU16(b, f.bfType);
    PutU32(b, f.bfSize);
    PutU16(b, f.bfReserved1);
    PutU16(b, f.bfReserved2);
    PutU32(b, f.bfOffBits);
    const BitmapInfoHeader& h = record.DibInfo.bmiHeader;
    PutU32(b, h.biSize);
    PutU32(b, static_cast<uint32_t>(h.biWidth));
    PutU32(b, static_cast<uint32_t>(h.biHeight));
    PutU16(b, h.biPlanes);
    PutU16(b, h.biBitCount);
    PutU32(b, h.biCompression);
    PutU32(b, h.biSizeImage);
    PutU32(b, static_cast<uint32_t>(h.biXPelsPerMeter));
    PutU32(b, static_cast<uint32_t>(h.biYPelsPerMeter));
    PutU32(b, h.biClrUsed);
    PutU32(b, h.biClrImportant);
    for (uint32_t i = 0; i < colours; ++i) {
        const RgbQuad& q = record.DibInfo.bmiColors[i];
        b.insert(b.end(), {q.rgbBlue, q.rgbGreen, q.rgbRed, 0});
    }
    return b;
}

void FillFileHeader(BitmapFileHeader& f, const DibLayout& l) {
    f.bfType = kBmpType;
    f.bfSize = kHeadersSize + 4 * l.colours + l.imageSize;
    f.bfReserved1 = 0;
    f.bfReserved2 = 0;
    f.bfOffBits = kHeadersSize + 4 * l.colours;
}

// "1", ".5", "-2.25": a single-precision number as the program writes one
// into a message, a blank before it when it is not negative.
std::string SingleText(float v) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.7G", static_cast<double>(v));
    std::string s = buf;
    const size_t digits = s[0] == '-' ? 1 : 0;
    if (s.compare(digits, 2, "0.") == 0) s.erase(digits, 1);
    return v < 0 ? s : " " + s;
}

void CheckZoom(const BmpRecord& record, std::string_view procedure) {
    if (record.ZoomFactor == 1 || record.ZoomFactor == 0) return;
    MsgBox("ZoomFactor =" + SingleText(record.ZoomFactor), "ZoomFactor error in " + std::string(procedure));
}

// Writes headers and rows; the file replaces an earlier one only once it is
// complete, and a failure leaves that one as it was.
void WriteBmpFile(const std::string& fileName, const BmpRecord& record, const DibLayout& l) {
    ReplacingFile file;
    bool ok = file.Open(fileName);
    auto put = [&](const void* data, size_t count) {
        if (ok && count > 0) ok = file.Write({static_cast<const char*>(data), count});
    };
    const std::vector<uint8_t> headers = HeaderBytes(record, l.colours);
    put(headers.data(), headers.size());
    for (const std::vector<uint8_t>& chunk : g_dibChunk) put(chunk.data(), chunk.size());
    if (!ok || !file.Commit()) Raise("Cannot create " + fileName + " (" + file.Error() + ")");
}

// The whole drawing area in pixels.
PixelRect WholeArea(const Host& window) {
    const DesignState& d = Design();
    PixelRect r;
    r.right = ToInt32(CheckedDiv(window.ScaleWidth(), d.TwipsPerPixelX));
    r.bottom = ToInt32(CheckedDiv(window.ScaleHeight(), d.TwipsPerPixelY));
    return r;
}

}  // namespace

void CaptureBmp(Host& window, const PixelRect& rect, BmpRecord& record) {
    int64_t width = int64_t{rect.right} - rect.left;
    int64_t height = int64_t{rect.bottom} - rect.top;
    width = width < 0 ? -width : width;
    height = height < 0 ? -height : height;
    if (width == 0) width = window.ClientWidthPx();
    if (height == 0) height = window.ClientHeightPx();
    CheckZoom(record, "CaptureBmp");

    const DibLayout l = Layout(width, height, FileDepthOfScreen(window.ScreenBitDepth()));
    record.hBitmap.reset();
    record.hPalette.clear();
    auto bitmap = std::make_unique<Bitmap>();
    if (!window.GrabPixels(rect.left, rect.top, l.width, l.height, *bitmap) || bitmap->width != l.width ||
        bitmap->height != l.height) {
        MsgBox("BITMAP_CaptureBmp - Capture Failed", kAppTitle);
        return;
    }
    record.hBitmap = std::move(bitmap);
    if (l.colours > 0) record.hPalette = StandardPalette(l.depth);

    FillFileHeader(record.FileHeader, l);
    BitmapInfoHeader& h = record.InfoHeader;
    h = BitmapInfoHeader{};
    h.biSize = 40;
    h.biWidth = l.width;
    h.biHeight = l.height;
    h.biPlanes = 1;
    h.biBitCount = l.depth;
    h.biCompression = 0;
    h.biSizeImage = l.imageSize;
    record.DibInfo.bmiHeader = h;
    record.hWnd = &window;
}

void DisplayBmp(BmpRecord& record) {
    if (!record.hBitmap || record.hWnd == nullptr) return;
    if (record.ZoomFactor != 0 && record.ZoomFactor != 1) {
        CheckZoom(record, "DisplayBmp");
        return;
    }
    record.hWnd->PutPixels(record.Left, record.Top, *record.hBitmap);
}

void DeleteBmp(BmpRecord& record) {
    record.hBitmap.reset();
    record.hPalette.clear();
    record.ZoomFactor = 1;
    record.Top = 0;
    record.Left = 0;
}

bool Bitmap2DIB(BmpRecord& record, int16_t mode) {
    if (!record.hBitmap) {
        MsgBox("BITMAP_Bitmap2DIB - No Bitmap", kAppTitle);
        return false;
    }
    const Bitmap& bitmap = *record.hBitmap;
    const DibLayout l = Layout(bitmap.width, bitmap.height, DepthOfMode(mode, record.hWnd));

    BitmapInfoHeader& h = record.DibInfo.bmiHeader;
    h.biSize = 40;
    h.biWidth = l.width;
    h.biHeight = l.height;
    h.biPlanes = 1;
    h.biBitCount = l.depth;
    h.biCompression = 0;
    h.biSizeImage = l.imageSize;  // of this depth, which may differ from the capture's

    const std::vector<Rgb> palette = record.hPalette.size() == l.colours ? record.hPalette : StandardPalette(l.depth);
    for (uint32_t i = 0; i < l.colours; ++i) {
        RgbQuad& q = record.DibInfo.bmiColors[i];
        q.rgbBlue = static_cast<uint8_t>(RgbBlue(palette[i]));
        q.rgbGreen = static_cast<uint8_t>(RgbGreen(palette[i]));
        q.rgbRed = static_cast<uint8_t>(RgbRed(palette[i]));
        q.rgbReserved = 0;
    }

    NearestColour nearest(palette);
    try {
        g_dibChunk.assign(static_cast<size_t>(l.chunks), {});
        int32_t fromBottom = 0;  // rows are counted from the bottom of the picture
        for (std::vector<uint8_t>& chunk : g_dibChunk) {
            const int32_t rows = std::min(l.rowsPerChunk, l.height - fromBottom);
            chunk.assign(static_cast<size_t>(rows) * l.rowSize, 0);
            for (int32_t r = 0; r < rows; ++r) {
                PackRow(bitmap, l.height - 1 - (fromBottom + r), l, nearest,
                        chunk.data() + static_cast<size_t>(r) * l.rowSize);
            }
            fromBottom += rows;
        }
    } catch (const std::bad_alloc&) {
        g_dibChunk.clear();
        Raise("Out of memory");
    }
    return true;
}

const std::vector<std::vector<uint8_t>>& DibChunk() { return g_dibChunk; }

void SaveBmp(const std::string& fileName, BmpRecord& record, int16_t mode) {
    if (!record.hBitmap) {
        MsgBox("BITMAP_SaveBmp - No Bitmap", kAppTitle);
        return;
    }
    HourglassPointer busy;
    const Bitmap& bitmap = *record.hBitmap;
    const DibLayout l = Layout(bitmap.width, bitmap.height, DepthOfMode(mode, record.hWnd));
    Bitmap2DIB(record, mode);
    FillFileHeader(record.FileHeader, l);
    WriteBmpFile(fileName, record, l);
}

void BmpCapture(Host& window, BmpRecord& kept) {
    try {
        const PixelRect area = WholeArea(window);
        if (kept.hBitmap) DeleteBmp(kept);
        CaptureBmp(window, area, kept);
    } catch (const RuntimeError& e) {
        ShowProcError("BmpCapture", e.what());
    }
}

void BmpSave(Host& window) {
    try {
        const PixelRect area = WholeArea(window);
        BmpRecord record;
        CaptureBmp(window, area, record);
        SaveBmp(Plot().BmpFileName, record, 0);
        DeleteBmp(record);
    } catch (const RuntimeError& e) {
        ShowProcError("BmpSave", e.what());
    }
}

}  // namespace tlrx
