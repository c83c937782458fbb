#pragma once
// Blocks of pixels copied out of the window's picture and drawn back into it,
// and the hourglass mouse pointer of long operations.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/Surface.h"

class QImage;

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

// Copies width × height pixels of an image, starting at its pixel (left,
// top), into out; places outside the image come out black. False, with out
// empty, when width or height is below 1 or the memory cannot be had.
bool CopyImagePixels(const QImage& image, int32_t left, int32_t top, int32_t width, int32_t height,
                     Bitmap& out);

// Writes the pixels of a bitmap into an image with the bitmap's top-left
// corner at the image's pixel (left, top); what falls outside is left out.
// The image may have a painter active on it (its pixels are written in
// place), but must not share its data with a copy of it.
void DrawImagePixels(QImage& image, int32_t left, int32_t top, const Bitmap& bitmap);

// Shows the hourglass mouse pointer from construction until destruction;
// does nothing where there is no graphical application.
class HourglassPointer {
public:
    HourglassPointer();
    ~HourglassPointer();
    HourglassPointer(const HourglassPointer&) = delete;
    HourglassPointer& operator=(const HourglassPointer&) = delete;

private:
    bool shown_ = false;
};

}  // namespace tlrx
