#include "platform/FakeHost.h"

#include <QFont>
#include <QFontInfo>
#include <QFontMetrics>
#include <algorithm>

namespace tlrx {

FakeHost::FakeHost(int widthPx, int heightPx)
    : scaleWidth(widthPx * kTwipsPerPixel), scaleHeight(heightPx * kTwipsPerPixel),
      image_(widthPx, heightPx, QImage::Format_RGB32) {
    image_.fill(Qt::white);
    surface_ = std::make_unique<QtSurface>(image_);
    surface_->SetBkMode(BkMode::Transparent);
}

FakeHost::~FakeHost() = default;

QFont FakeHost::CurrentFont() const {
    QFont f(QString::fromStdString(FontName));
    if (FontSize > 0) f.setPointSizeF(FontSize);
    f.setBold(FontBold);
    f.setItalic(FontItalic);
    return f;
}

float FakeHost::TextWidth(std::string_view text) const {
    const QFontMetrics fm(CurrentFont(), &image_);  // whole pixels, as a device context measures
    const auto s = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    return static_cast<float>(fm.horizontalAdvance(s) * kTwipsPerPixel);
}

bool FakeHost::GetTextMetrics(TextMetric& metric) const {
    if (failTextMetrics) return false;
    const QFontMetrics fm(CurrentFont(), &image_);
    metric.height = fm.height();
    metric.ascent = fm.ascent();
    metric.descent = fm.descent();
    metric.internalLeading = std::max(0, fm.height() - QFontInfo(CurrentFont()).pixelSize());
    metric.externalLeading = fm.leading();
    metric.aveCharWidth = fm.averageCharWidth();
    metric.maxCharWidth = fm.maxWidth();
    return true;
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
