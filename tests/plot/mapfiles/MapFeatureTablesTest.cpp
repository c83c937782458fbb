#include <gtest/gtest.h>

#include <array>
#include <string>

#include "core/Errors.h"
#include "plot/mapfiles/MapFeatureTables.h"

namespace tlrx {
namespace {

TEST(MapFeatureTables, RowListsOfEveryKind) {
    struct Case {
        GeofeatureTable table;
        size_t rows;
        const char* first;
        const char* last;
    } const cases[] = {
        {GeofeatureTable::AllFeatures, 1, "All features", "All features"},
        {GeofeatureTable::MwdbFeatures, 10, "Coastlines", "Other Provinces/States"},
        {GeofeatureTable::WdbFeatures, 36, "International Boundaries", "Scotland and Wales"},
        {GeofeatureTable::DlgFeatures, 72, "River, double line, shoreline", "Alaska pipeline"},
    };
    for (const Case& c : cases) {
        const auto texts = GeofeatureRowTexts(c.table);
        ASSERT_EQ(texts.size(), c.rows + 1);
        EXPECT_EQ(texts[0], "");
        EXPECT_EQ(texts[1], c.first);
        EXPECT_EQ(texts[c.rows], c.last);
        for (size_t r = 1; r <= c.rows; ++r) EXPECT_FALSE(texts[r].empty()) << r;
    }
    // The DLG texts keep their aligned blanks.
    EXPECT_EQ(GeofeatureRowTexts(GeofeatureTable::DlgFeatures)[3], "River, perennial,        <30 km");
    EXPECT_EQ(GeofeatureRowTexts(GeofeatureTable::WdbFeatures)[21], "Rivers");
}

// Every row of the DLG table has codes; a GRF code and a GRV byte map to one
// row at most, and each GRF range pairs with a GRV range of the same length.
TEST(MapFeatureTables, DlgTableIsConsistent) {
    std::array<int, 73> rangesOfRow{};
    std::array<int, 256> grvUses{};
    for (const DlgCodeRange& r : DlgCodeTable()) {
        ASSERT_GE(r.row, 1);
        ASSERT_LE(r.row, 72);
        ++rangesOfRow[static_cast<size_t>(r.row)];
        EXPECT_EQ(r.grfLast - r.grfFirst, r.grvLast - r.grvFirst) << "row " << r.row;
        for (int b = r.grvFirst; b <= r.grvLast; ++b) ++grvUses[static_cast<size_t>(b)];
        for (int code = r.grfFirst; code <= r.grfLast; ++code) EXPECT_EQ(DlgRowOfGrfCode(code), r.row) << code;
    }
    for (size_t row = 1; row <= 72; ++row) EXPECT_GE(rangesOfRow[row], 1) << row;
    for (int b = 0; b < 256; ++b) EXPECT_LE(grvUses[static_cast<size_t>(b)], 1) << b;

    struct Case {
        int grf, grv;
        int16_t row;
    } const cases[] = {
        // clang-format off
        {3001, 2, 1},    {3004, 5, 3},    {3035, 32, 11}, {5009, 130, 38}, {5013, 132, 40}, {5014, 133, 41},
        {6025, 171, 64}, {6026, 172, 63}, {6095, 222, 68}, {7020, 226, 72}, {3000, 1, 0},    {3031, 156, 0},
        {5005, 224, 0},  {6000, 157, 53}, {9999, 255, 0},  {0, 0, 0},
    };
    // clang-format on
    for (const Case& c : cases) {
        EXPECT_EQ(DlgRowOfGrfCode(c.grf), c.row) << c.grf;
        EXPECT_EQ(DlgRowOfGrvByte(c.grv), c.row) << c.grv;
    }
}

// The family comes from the last three characters of the path, in any case,
// with no dot looked for.
TEST(MapFeatureTables, FamilyByTheEndingOfTheName) {
    struct Case {
        const char* path;
        GeofeatureTable table;
    } const cases[] = {
        {"/m/w.all", GeofeatureTable::MwdbFeatures}, {"/m/w.CCI", GeofeatureTable::MwdbFeatures},
        {"/m/w.Map", GeofeatureTable::MwdbFeatures}, {"/m/worldxall", GeofeatureTable::MwdbFeatures},
        {"/m/w.grv", GeofeatureTable::DlgFeatures},  {"/m/w.GRF", GeofeatureTable::DlgFeatures},
        {"/m/w.pkv", GeofeatureTable::WdbFeatures},  {"/m/w.pKd", GeofeatureTable::WdbFeatures},
        {"/m/w.pnt", GeofeatureTable::AllFeatures},  {"/m/w.dat", GeofeatureTable::AllFeatures},
        {"/m/w.prn", GeofeatureTable::AllFeatures},  {"/m/w.utm", GeofeatureTable::AllFeatures},
        {"/m/w.mp1", GeofeatureTable::AllFeatures},  {"/m/w.mps", GeofeatureTable::AllFeatures},
        {"/m/w.txt", GeofeatureTable::AllFeatures},  {"", GeofeatureTable::AllFeatures},
        {"ma", GeofeatureTable::AllFeatures},
    };
    for (const Case& c : cases) EXPECT_EQ(GeofeatureTableOf(c.path), c.table) << c.path;
}

TEST(MapFeatureTables, DefaultColoursByRow) {
    constexpr int32_t flag = 0x02000000;
    constexpr int32_t blue = flag | 0xFF0000, green = flag | 0x008000, red = flag | 0x0000FF;
    constexpr int32_t magenta = flag | 0xFF00FF, maroon = flag | 0x000080, nearBlack = flag | 0x000001;
    struct Case {
        GeofeatureTable table;
        int row;
        int32_t color;
    } const cases[] = {
        // clang-format off
        {GeofeatureTable::AllFeatures, 1, nearBlack},
        {GeofeatureTable::MwdbFeatures, 1, green},   {GeofeatureTable::MwdbFeatures, 2, green},
        {GeofeatureTable::MwdbFeatures, 3, blue},    {GeofeatureTable::MwdbFeatures, 4, blue},
        {GeofeatureTable::MwdbFeatures, 5, red},     {GeofeatureTable::MwdbFeatures, 6, magenta},
        {GeofeatureTable::MwdbFeatures, 8, magenta}, {GeofeatureTable::MwdbFeatures, 9, maroon},
        {GeofeatureTable::MwdbFeatures, 10, maroon},
        {GeofeatureTable::WdbFeatures, 1, red},      {GeofeatureTable::WdbFeatures, 8, red},
        {GeofeatureTable::WdbFeatures, 9, green},    {GeofeatureTable::WdbFeatures, 20, green},
        {GeofeatureTable::WdbFeatures, 21, blue},    {GeofeatureTable::WdbFeatures, 31, blue},
        {GeofeatureTable::WdbFeatures, 32, magenta}, {GeofeatureTable::WdbFeatures, 36, magenta},
        {GeofeatureTable::DlgFeatures, 1, blue},     {GeofeatureTable::DlgFeatures, 24, blue},
        {GeofeatureTable::DlgFeatures, 25, green},   {GeofeatureTable::DlgFeatures, 36, green},
        {GeofeatureTable::DlgFeatures, 37, nearBlack}, {GeofeatureTable::DlgFeatures, 47, nearBlack},
        {GeofeatureTable::DlgFeatures, 48, magenta}, {GeofeatureTable::DlgFeatures, 52, magenta},
        {GeofeatureTable::DlgFeatures, 53, red},     {GeofeatureTable::DlgFeatures, 62, red},
        {GeofeatureTable::DlgFeatures, 63, maroon},  {GeofeatureTable::DlgFeatures, 72, maroon},
    };
    // clang-format on
    for (const Case& c : cases)
        EXPECT_EQ(GeofeatureDefaultColor(c.table, c.row), c.color) << static_cast<int>(c.table) << " row " << c.row;
    // Every row of every table has a colour, and none beyond.
    for (GeofeatureTable t : {GeofeatureTable::AllFeatures, GeofeatureTable::MwdbFeatures, GeofeatureTable::WdbFeatures,
                              GeofeatureTable::DlgFeatures}) {
        const int rows = static_cast<int>(GeofeatureRowTexts(t).size()) - 1;
        EXPECT_NO_THROW(GeofeatureDefaultColor(t, rows));
        EXPECT_THROW(GeofeatureDefaultColor(t, rows + 1), RuntimeError);
        EXPECT_THROW(GeofeatureDefaultColor(t, 0), RuntimeError);
    }
}

}  // namespace
}  // namespace tlrx
