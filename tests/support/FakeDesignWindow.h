#pragma once
// A main window for the design file, for tests: a normal window of 12300 by
// 9900 twips at (0, 0) whose drawing area is 300 twips narrower and 900
// lower (at least a pixel); restored, it fits the screen; maximised, its
// drawing area is the screen's full-screen area. It logs what the design
// file did to it.

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "core/DesignState.h"
#include "designfile/DesignWindow.h"

namespace tlrx::test {

class FakeDesignWindow : public DesignWindow {
public:
    static constexpr float kFrameWidth = 300;
    static constexpr float kFrameHeight = 900;

    std::string Caption() const override { return caption; }
    void SetCaption(std::string_view c) override {
        caption = std::string(c);
        captions.push_back(caption);
    }
    int16_t WindowState() const override { return state; }
    float Width() const override { return width; }
    float Height() const override { return height; }
    float Left() const override { return left; }
    float Top() const override { return top; }
    float ScaleWidth() const override { return std::max(width - kFrameWidth, Design().TwipsPerPixelX); }
    float ScaleHeight() const override { return std::max(height - kFrameHeight, Design().TwipsPerPixelY); }
    void Maximize() override {
        const DesignState& d = Design();
        state = 2;
        width = d.FullScreenWidthPx * d.TwipsPerPixelX + kFrameWidth;
        height = d.FullScreenHeightPx * d.TwipsPerPixelY + kFrameHeight;
        left = top = 0;
        ++changes;
    }
    void Restore(float w, float h) override {
        // Like a real window, never larger than the screen nor smaller than a pixel.
        const DesignState& d = Design();
        state = 0;
        width = std::clamp(w, d.TwipsPerPixelX, d.ScreenWidthPx * d.TwipsPerPixelX);
        height = std::clamp(h, d.TwipsPerPixelY, d.ScreenHeightPx * d.TwipsPerPixelY);
        left = top = 0;
        ++changes;
    }
    void MarkProjection(int16_t code) override {
        marked = code;
        ++changes;
    }

    std::string caption = "Tellurax: Equirectangular projection";
    std::vector<std::string> captions;  // every caption set, in order
    int16_t state = 0;
    float width = 12300;
    float height = 9900;
    float left = 0;
    float top = 0;
    int16_t marked = -1;  // the projection code last marked
    int changes = 0;      // calls that changed the window or the menu
};

}  // namespace tlrx::test
