#pragma once
// The display as start-up reads it: sizes in pixels and twips per pixel
// (1440 twips to the inch).

#include <cstdint>

namespace tlrx {

struct ScreenInfo {
    int32_t widthPx = 1024;  // whole screen
    int32_t heightPx = 768;
    int32_t fullWidthPx = 1024;    // client area of a maximised window
    int32_t fullHeightPx = 718;    // the same, without one menu bar
    float twipsPerPixelX = 15.0f;  // 96 pixels per inch
    float twipsPerPixelY = 15.0f;
};

// The metrics start-up uses. Until the program installs the real ones they
// are the fixed test metrics above (15 twips per pixel).
const ScreenInfo& GetScreenInfo();
void SetScreenInfo(const ScreenInfo& info);

}  // namespace tlrx
