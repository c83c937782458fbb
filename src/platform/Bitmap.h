#pragma once
// Blocks of pixels copied out of the window's picture and drawn back into it.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/Surface.h"

namespace tlrx {

// A rectangle of pixels: rows from top to bottom, each from left to right.
struct Bitmap {
    int32_t width = 0;
    int32_t height = 0;
    std::vector<Rgb> pixels;  // width × height colours

    // The colour at column x (0..width-1) of row y (0..height-1).
    Rgb At(int32_t x, int32_t y) const {
        return pixels[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)];
    }
};

}  // namespace tlrx
