#pragma once
// The feature rows of the digital map files: the row lists that the
// input-file dialog shows for a file of each kind, and the DLG table that
// maps the feature codes of the DLG kinds (GRF codes, GRV code bytes) to rows.
// A feature row indexes the per-feature arrays of an input file (1 to 72;
// row 0 is never selected, so a code mapped to it is never drawn).

#include <cstdint>
#include <span>
#include <string_view>

namespace tlrx {

// The highest feature row of the per-feature arrays.
inline constexpr int16_t kMaxFeatureRow = 72;

// The four row lists (GeofeatureTable).
enum class GeofeatureTable : int16_t {
    AllFeatures,   // 1 row: DAT, MPS, MP1, PNT (rows 1 to 10 used), UTM, PRN and every other kind
    MwdbFeatures,  // 10 rows: ALL, CCI, MAP
    WdbFeatures,   // 36 rows: PKD, PKV
    DlgFeatures,   // 72 rows: GRF, GRV
};

// The row texts of `table`: element r is the text of row r, element 0 is
// empty; the size is the row count + 1.
std::span<const std::string_view> GeofeatureRowTexts(GeofeatureTable table);

// One line of the DLG table: GRF codes grfFirst..grfLast (100 x major +
// minor) and GRV code bytes grvFirst..grvLast map to `row`.
struct DlgCodeRange {
    int16_t row;
    int16_t grfFirst, grfLast;
    int16_t grvFirst, grvLast;
};

// The DLG table, by row (a row may have several ranges).
std::span<const DlgCodeRange> DlgCodeTable();

// The row list of a map file, from the last three characters of its path in
// any case (no dot is looked for): ALL, CCI, MAP 10 rows; GRV, GRF 72; PKV,
// PKD 36; anything else the one row "All features".
GeofeatureTable GeofeatureTableOf(std::string_view path);

// The colour row `row` (1 to the table's row count) of a newly added file
// starts with, 0x00BBGGRR with the palette flag; nearly black is (1, 0, 0).
// Rows outside the table: "Subscript out of range".
int32_t GeofeatureDefaultColor(GeofeatureTable table, int row);

// The DLG row of a GRF feature code; 0 when the code is not listed.
int16_t DlgRowOfGrfCode(int32_t code);

// The DLG row of a GRV code byte (0 to 255); 0 when the byte is not listed.
int16_t DlgRowOfGrvByte(int32_t codeByte);

}  // namespace tlrx
