#include "platform/qt/ImagePixels.h"

#include <QImage>
#include <algorithm>
#include <new>

namespace tlrx {

namespace {

// Larger blocks are refused rather than attempted (a gigabyte of pixels).
constexpr int64_t kMaxPixels = int64_t{1} << 28;

Rgb FromQRgb(QRgb c) { return MakeRgb(qRed(c), qGreen(c), qBlue(c)); }
QRgb ToQRgb(Rgb c) { return qRgb(RgbRed(c), RgbGreen(c), RgbBlue(c)); }

bool DirectPixels(const QImage& image) {
    return image.format() == QImage::Format_RGB32 || image.format() == QImage::Format_ARGB32;
}

}  // namespace

bool CopyImagePixels(const QImage& image, int32_t left, int32_t top, int32_t width, int32_t height, Bitmap& out) {
    out = Bitmap{};
    if (width < 1 || height < 1 || int64_t{width} * height > kMaxPixels) return false;
    try {
        out.pixels.assign(static_cast<size_t>(width) * static_cast<size_t>(height), MakeRgb(0, 0, 0));
    } catch (const std::bad_alloc&) {
        out = Bitmap{};
        return false;
    }
    out.width = width;
    out.height = height;
    // The part of the rectangle that lies on the image, in image pixels.
    const int64_t x0 = std::max<int64_t>(left, 0);
    const int64_t x1 = std::min<int64_t>(int64_t{left} + width, image.width());
    const int64_t y0 = std::max<int64_t>(top, 0);
    const int64_t y1 = std::min<int64_t>(int64_t{top} + height, image.height());
    const bool direct = DirectPixels(image);
    for (int64_t y = y0; y < y1; ++y) {
        Rgb* row = out.pixels.data() + static_cast<size_t>(y - top) * static_cast<size_t>(width);
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(static_cast<int>(y)));
        for (int64_t x = x0; x < x1; ++x) {
            const QRgb c = direct ? line[x] : image.pixel(static_cast<int>(x), static_cast<int>(y));
            row[x - left] = FromQRgb(c);
        }
    }
    return true;
}

void DrawImagePixels(QImage& image, int32_t left, int32_t top, const Bitmap& bitmap) {
    const int64_t x0 = std::max<int64_t>(left, 0);
    const int64_t x1 = std::min<int64_t>(int64_t{left} + bitmap.width, image.width());
    const int64_t y0 = std::max<int64_t>(top, 0);
    const int64_t y1 = std::min<int64_t>(int64_t{top} + bitmap.height, image.height());
    const bool direct = DirectPixels(image);
    for (int64_t y = y0; y < y1; ++y) {
        auto* line = direct ? reinterpret_cast<QRgb*>(image.scanLine(static_cast<int>(y))) : nullptr;
        for (int64_t x = x0; x < x1; ++x) {
            const QRgb c = ToQRgb(bitmap.At(static_cast<int32_t>(x - left), static_cast<int32_t>(y - top)));
            if (direct) line[x] = c;
            else image.setPixel(static_cast<int>(x), static_cast<int>(y), c);
        }
    }
}

}  // namespace tlrx
