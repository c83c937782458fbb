// The 256-colour palette: every rule of its four ranges, the worked examples,
// the muted tones, the flag on every entry, and the search that the pickers
// use to find a shown colour.

#include <gtest/gtest.h>

#include <cmath>

#include "core/Palette.h"

namespace tlrx {
namespace {

struct Rgb3 {
    int r, g, b;
};

int32_t Flagged(int r, int g, int b) { return (r | (g << 8) | (b << 16)) + 0x02000000; }

// Nearest whole number, halves up, in floating point: an independent check
// of the palette's integer arithmetic.
int RoundUp(double x) { return static_cast<int>(std::floor(x + 0.5)); }

TEST(Palette, EveryEntryCarriesTheFlagAndNothingAboveIt) {
    for (int i = 0; i < kPaletteSize; ++i)
        EXPECT_EQ(PaletteColors()[static_cast<size_t>(i)] & ~0xFFFFFF, 0x02000000) << "cell " << i;
}

TEST(Palette, StandardColoursThenGreysFromBlackToWhite) {
    const Rgb3 standard[16] = {{0, 0, 0},       {0, 0, 128},   {0, 128, 0},   {0, 128, 128},
                               {128, 0, 0},     {128, 0, 128}, {128, 128, 0}, {192, 192, 192},
                               {128, 128, 128}, {0, 0, 255},   {0, 255, 0},   {0, 255, 255},
                               {255, 0, 0},     {255, 0, 255}, {255, 255, 0}, {255, 255, 255}};
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(PaletteColors()[static_cast<size_t>(i)], Flagged(standard[i].r, standard[i].g, standard[i].b))
            << "cell " << i;
    for (int j = 0; j < 16; ++j)
        EXPECT_EQ(PaletteColors()[static_cast<size_t>(16 + j)], Flagged(17 * j, 17 * j, 17 * j)) << "cell " << 16 + j;
    EXPECT_EQ(PaletteColors()[16], 0x02000000);
    EXPECT_EQ(PaletteColors()[31], 0x02FFFFFF);
}

TEST(Palette, HueFamiliesRunFromDarkShadesToLightTints) {
    const double bases[12][3] = {{1, 0, 0}, {1, .5, 0}, {1, 1, 0}, {.5, 1, 0}, {0, 1, 0}, {0, 1, .5},
                                 {0, 1, 1}, {0, .5, 1}, {0, 0, 1}, {.5, 0, 1}, {1, 0, 1}, {1, 0, .5}};
    for (int k = 0; k < 12; ++k) {
        for (int j = 0; j < 8; ++j) {
            int shade[3], tint[3];
            for (int ch = 0; ch < 3; ++ch) {
                const double c = bases[k][ch];
                shade[ch] = RoundUp(255 * c * (3 + j) / 10);
                tint[ch] = RoundUp(255 * (c + (1 - c) * (j + 1) / 10));
            }
            EXPECT_EQ(PaletteColors()[static_cast<size_t>(32 + 16 * k + j)], Flagged(shade[0], shade[1], shade[2]))
                << "family " << k << " shade " << j;
            EXPECT_EQ(PaletteColors()[static_cast<size_t>(40 + 16 * k + j)], Flagged(tint[0], tint[1], tint[2]))
                << "family " << k << " tint " << j;
        }
    }
}

TEST(Palette, WorkedExamplesAndMutedTones) {
    const std::pair<int, Rgb3> cases[] = {
        // examples of the hue rule, halves rounded up
        {32, {77, 0, 0}},
        {48, {77, 38, 0}},
        {52, {179, 89, 0}},
        {56, {255, 140, 26}},
        {63, {255, 230, 204}},
        {55, {255, 128, 0}},
        // the muted tones: each column's ends and some between
        {224, {115, 77, 38}},
        {227, {147, 89, 57}},
        {231, {191, 120, 77}},
        {232, {204, 140, 89}},
        {236, {255, 198, 166}},
        {239, {255, 230, 204}},
        {240, {153, 102, 102}},
        {244, {128, 153, 102}},
        {247, {102, 153, 128}},
        {248, {102, 153, 153}},
        {251, {102, 102, 153}},
        {255, {153, 102, 128}},
    };
    for (const auto& [cell, rgb] : cases)
        EXPECT_EQ(PaletteColors()[static_cast<size_t>(cell)], Flagged(rgb.r, rgb.g, rgb.b)) << "cell " << cell;
}

TEST(Palette, SearchFindsTheFirstEqualEntryAndNearBlackAsBlack) {
    struct Case {
        int32_t color;
        int index;
    };
    const Case cases[] = {
        {Flagged(0, 0, 0), 0},         // black: cell 0, not the grey run's 16
        {kNearBlack, 0},               // near-black stands for black
        {Flagged(255, 255, 255), 15},  // white: the standard colour before grey 31
        {Flagged(255, 0, 0), 12},      // before family 0's brightest shade, 39
        {Flagged(77, 38, 0), 48},
        {Flagged(153, 102, 128), 255},
        {Flagged(1, 2, 3), -1},  // not in the palette
        {0x0000FF, -1},          // red without the flag
        {0, -1},                 // plain black without the flag
    };
    for (const Case& c : cases) EXPECT_EQ(PaletteIndexOf(c.color), c.index) << std::hex << c.color;
}

}  // namespace
}  // namespace tlrx
