#pragma once
// A Host for tests: a white picture of fixed size in pixels at 15 twips per
// pixel, a caption, counters of Refresh and Beep, a screen depth of choice
// and copies of the picture's pixels and font metrics that can be made to
// fail. Like a window whose text is drawn transparently, its surface starts
// with the transparent background mode.

#include <QFont>
#include <QImage>
#include <memory>

#include "platform/Host.h"
#include "platform/qt/QtSurface.h"

namespace tlrx {

class FakeHost : public Host {
public:
    static constexpr float kTwipsPerPixel = 15.0f;

    FakeHost(int widthPx = 1024, int heightPx = 768);
    ~FakeHost() override;

    float ScaleWidth() const override { return scaleWidth; }
    float ScaleHeight() const override { return scaleHeight; }
    std::string Caption() const override { return caption; }
    void SetCaption(std::string_view c) override { caption = std::string(c); }
    void Refresh() override { ++refreshCount; }
    void Beep() override { ++beepCount; }
    float TextWidth(std::string_view text) const override;
    bool GetTextMetrics(TextMetric& metric) const override;
    Surface& DC() override { return *surface_; }
    // The surface on the picture, also where a test puts another one in DC's place.
    QtSurface& RealDC() { return *surface_; }
    int32_t ClientWidthPx() const override { return image_.width(); }
    int32_t ClientHeightPx() const override { return image_.height(); }
    int32_t ScreenBitDepth() const override { return screenBitDepth; }
    bool GrabPixels(int32_t left, int32_t top, int32_t width, int32_t height, Bitmap& out) override;
    void PutPixels(int32_t left, int32_t top, const Bitmap& pixels) override;

    // Ends painting and returns the picture drawn so far.
    const QImage& Picture();

    float scaleWidth;
    float scaleHeight;
    std::string caption;
    int refreshCount = 0;
    int beepCount = 0;
    int32_t screenBitDepth = 32;
    bool failGrab = false;         // GrabPixels fails while set
    bool failTextMetrics = false;  // GetTextMetrics fails while set

private:
    QImage image_;
    std::unique_ptr<QtSurface> surface_;
};

}  // namespace tlrx
