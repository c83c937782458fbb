#include "platform/FakeHost.h"

#include <QFont>
#include <QFontMetrics>

namespace tlrx {

FakeHost::FakeHost(int widthPx, int heightPx)
    : scaleWidth(widthPx * kTwipsPerPixel), scaleHeight(heightPx * kTwipsPerPixel),
      image_(widthPx, heightPx, QImage::Format_RGB32) {
    image_.fill(Qt::white);
    surface_ = std::make_unique<QtSurface>(image_);
}

FakeHost::~FakeHost() = default;

float FakeHost::TextWidth(std::string_view text) const {
    QFont f(QString::fromStdString(FontName));
    f.setPointSizeF(FontSize);
    f.setBold(FontBold);
    f.setItalic(FontItalic);
    const QFontMetrics fm(f, &image_);  // whole pixels, as a device context measures
    const auto s = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    return static_cast<float>(fm.horizontalAdvance(s) * kTwipsPerPixel);
}

bool FakeHost::GrabPixels(int32_t left, int32_t top, int32_t width, int32_t height, Bitmap& out) {
    if (failGrab) {
        out = Bitmap{};
        return false;
    }
    return CopyImagePixels(image_, left, top, width, height, out);
}

void FakeHost::PutPixels(int32_t left, int32_t top, const Bitmap& pixels) {
    DrawImagePixels(image_, left, top, pixels);
}

const QImage& FakeHost::Picture() {
    surface_.reset();
    return image_;
}

}  // namespace tlrx
