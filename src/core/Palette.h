#pragma once
// The program's palette of 256 colours, from which every colour the user
// chooses is taken. Design files store colours beside their palette index,
// so the values are fixed.

#include <array>
#include <cstdint>

#include "core/SharedRoutines.h"

namespace tlrx {

// Number of palette entries (indices 0 to 255).
inline constexpr int kPaletteSize = 256;

// The near-black that stands for black in feature colours: (1, 0, 0) with
// the palette flag. Black itself (0 with the flag) is never handed out for a
// feature class.
inline constexpr int32_t kNearBlack = PaletteRgb(0x000001);

// Entry i (0 to 255) as red + 256 green + 65536 blue with the palette flag:
// 0-15 the standard colours, 16-31 greys from black to white, 32-223 twelve
// hue families of eight shades (30 % to 100 %) and eight tints (10 % to
// 80 % white), 224-255 muted tones.
const std::array<int32_t, kPaletteSize>& PaletteColors();

// The first index whose entry is `color`, where black with the flag also
// matches the near-black; -1 when none does. A colour without the palette
// flag matches no entry.
int PaletteIndexOf(int32_t color);

}  // namespace tlrx
