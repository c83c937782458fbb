#pragma once
// Blocks of pixels copied out of a QImage and written back into it.

#include <cstdint>

#include "platform/Bitmap.h"

class QImage;

namespace tlrx {

// Copies width × height pixels of an image, starting at its pixel (left,
// top), into out; places outside the image come out black. False, with out
// empty, when width or height is below 1 or the memory cannot be had.
bool CopyImagePixels(const QImage& image, int32_t left, int32_t top, int32_t width, int32_t height, Bitmap& out);

// Writes the pixels of a bitmap into an image with the bitmap's top-left
// corner at the image's pixel (left, top); what falls outside is left out.
// The image may have a painter active on it (its pixels are written in
// place), but must not share its data with a copy of it.
void DrawImagePixels(QImage& image, int32_t left, int32_t top, const Bitmap& bitmap);

}  // namespace tlrx
