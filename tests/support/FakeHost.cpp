#include "support/FakeHost.h"

#include "platform/qt/HostFont.h"
#include "platform/qt/ImagePixels.h"

#include <algorithm>

namespace tlrx {

FakeHost::FakeHost(int widthPx, int heightPx)
    : scaleWidth(widthPx * kTwipsPerPixel),
      scaleHeight(heightPx * kTwipsPerPixel),
      image_(widthPx, heightPx, QImage::Format_RGB32) {
    image_.fill(Qt::white);
    surface_ = std::make_unique<QtSurface>(image_);
    surface_->SetBkMode(BkMode::Transparent);
}

FakeHost::~FakeHost() = default;

float FakeHost::TextWidth(std::string_view text) const {
    return static_cast<float>(HostTextWidthPx(HostFont(*this), image_, text) * kTwipsPerPixel);
}

bool FakeHost::GetTextMetrics(TextMetric& metric) const {
    if (failTextMetrics) return false;
    HostTextMetrics(HostFont(*this), image_, metric);
    return true;
}

bool FakeHost::GrabPixels(int32_t left, int32_t top, int32_t width, int32_t height, Bitmap& out) {
    if (failGrab) {
        out = Bitmap{};
        return false;
    }
    if (surface_) surface_->Flush();
    return CopyImagePixels(image_, left, top, width, height, out);
}

void FakeHost::PutPixels(int32_t left, int32_t top, const Bitmap& pixels) {
    if (surface_) surface_->Flush();
    DrawImagePixels(image_, left, top, pixels);
}

const QImage& FakeHost::Picture() {
    surface_.reset();
    return image_;
}

}  // namespace tlrx
