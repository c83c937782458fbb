#pragma once
// The box a text preview covers, in twips of the drawing area.

#include <cstdint>

namespace tlrx {

struct TextBox {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;
    bool operator==(const TextBox&) const = default;
};

// The box of a text with its baseline starting at (x, y), turned by
// `rotation` degrees counter-clockwise: a is the font's ascent, d its
// descent, w and h the width and height of the text with six blanks added.
// Rotations of exactly 0, 90, 180 and 270 degrees take the tight box; any
// other reaches the larger of w and h both ways on the side the text turns
// to. A rotation outside 0 to 359 counts as its place in one turn (400 as
// 40, -90 as 270).
TextBox PreviewBox(int32_t x, int32_t y, double rotation, int32_t a, int32_t d, int32_t w, int32_t h);

}  // namespace tlrx
