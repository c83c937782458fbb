#include "core/Palette.h"

namespace tlrx {

namespace {

constexpr int32_t Rgb(int r, int g, int b) { return PaletteRgb(r | (g << 8) | (b << 16)); }

// n / 20 rounded to the nearest whole number, halves up (n >= 0).
constexpr int RoundTwentieths(int n) { return (n + 10) / 20; }

// A hue family's base channel in halves: 0, 1/2 or 1 as 0, 1, 2.
struct Base {
    int r, g, b;
};
constexpr Base kFamilies[12] = {
    {2, 0, 0}, {2, 1, 0}, {2, 2, 0}, {1, 2, 0}, {0, 2, 0}, {0, 2, 1},
    {0, 2, 2}, {0, 1, 2}, {0, 0, 2}, {1, 0, 2}, {2, 0, 2}, {2, 0, 1},
};

// Shade j (0 to 7) of channel c: 255 c (3 + j) / 10.
constexpr int Shade(int halves, int j) { return RoundTwentieths(255 * halves * (3 + j)); }
// Tint j (0 to 7) of channel c: 255 (c + (1 - c) (j + 1) / 10).
constexpr int Tint(int halves, int j) { return RoundTwentieths(255 * (10 * halves + (2 - halves) * (j + 1))); }

constexpr int32_t kStandard[16] = {
    Rgb(0, 0, 0),     Rgb(0, 0, 128),     Rgb(0, 128, 0),     Rgb(0, 128, 128),   Rgb(128, 0, 0), Rgb(128, 0, 128),
    Rgb(128, 128, 0), Rgb(192, 192, 192), Rgb(128, 128, 128), Rgb(0, 0, 255),     Rgb(0, 255, 0), Rgb(0, 255, 255),
    Rgb(255, 0, 0),   Rgb(255, 0, 255),   Rgb(255, 255, 0),   Rgb(255, 255, 255),
};

// Cells 224 to 255: muted tones without a rule.
constexpr int32_t kMuted[32] = {
    Rgb(115, 77, 38),   Rgb(128, 84, 48),   Rgb(140, 89, 51),   Rgb(147, 89, 57),   Rgb(159, 102, 60),
    Rgb(166, 108, 64),  Rgb(179, 115, 69),  Rgb(191, 120, 77),  Rgb(204, 140, 89),  Rgb(217, 153, 115),
    Rgb(230, 166, 128), Rgb(242, 179, 147), Rgb(255, 198, 166), Rgb(255, 204, 179), Rgb(255, 217, 191),
    Rgb(255, 230, 204), Rgb(153, 102, 102), Rgb(153, 128, 102), Rgb(153, 140, 102), Rgb(153, 153, 102),
    Rgb(128, 153, 102), Rgb(102, 153, 102), Rgb(102, 153, 115), Rgb(102, 153, 128), Rgb(102, 153, 153),
    Rgb(102, 128, 153), Rgb(102, 115, 153), Rgb(102, 102, 153), Rgb(128, 102, 153), Rgb(153, 102, 153),
    Rgb(153, 102, 140), Rgb(153, 102, 128),
};

constexpr std::array<int32_t, kPaletteSize> BuildPalette() {
    std::array<int32_t, kPaletteSize> p{};
    for (int i = 0; i < 16; ++i) p[static_cast<size_t>(i)] = kStandard[i];
    for (int j = 0; j < 16; ++j) p[static_cast<size_t>(16 + j)] = Rgb(17 * j, 17 * j, 17 * j);
    for (int k = 0; k < 12; ++k) {
        const Base& c = kFamilies[k];
        for (int j = 0; j < 8; ++j) {
            p[static_cast<size_t>(32 + 16 * k + j)] = Rgb(Shade(c.r, j), Shade(c.g, j), Shade(c.b, j));
            p[static_cast<size_t>(40 + 16 * k + j)] = Rgb(Tint(c.r, j), Tint(c.g, j), Tint(c.b, j));
        }
    }
    for (int i = 0; i < 32; ++i) p[static_cast<size_t>(224 + i)] = kMuted[i];
    return p;
}

constexpr std::array<int32_t, kPaletteSize> kPalette = BuildPalette();

}  // namespace

const std::array<int32_t, kPaletteSize>& PaletteColors() { return kPalette; }

int PaletteIndexOf(int32_t color) {
    for (int i = 0; i < kPaletteSize; ++i) {
        const int32_t c = kPalette[static_cast<size_t>(i)];
        if ((c == kPaletteFlag && color == kNearBlack) || c == color) return i;
    }
    return -1;
}

}  // namespace tlrx
