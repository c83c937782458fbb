#include "plot/mapfiles/MapFeatureTables.h"

#include <array>

#include "core/Errors.h"
#include "core/SharedRoutines.h"
#include "plot/mapfiles/MapFileTypes.h"

namespace tlrx {

namespace {

constexpr std::array<std::string_view, 2> kAllFeatures = {"", "All features"};

constexpr std::array<std::string_view, 11> kMwdbFeatures = {
    "",
    "Coastlines",
    "Islands",
    "Lakes",
    "Rivers",
    "Countries",
    "Australia",
    "Canada",
    "Mexico",
    "United States",
    "Other Provinces/States",
};

constexpr std::array<std::string_view, 37> kWdbFeatures = {
    "",
    "International Boundaries",
    "Indefinite or in dispute",
    "Separation line, land",
    "Separation line, sea",
    "Separation line, islands",
    "Continental Shelf, Persian Gulf",
    "Demilitarized zone, Israel",
    "No defined boundary",
    "Coastlines, Islands, Lakes",
    "Islands and lakes, large",
    "Islands and lakes, medium",
    "Islands and lakes, small",
    "Intermittent lakes, large",
    "Intermittent lakes, small",
    "Reefs",
    "Salt pans, large",
    "Salt pans, small",
    "Ice shelves, large",
    "Ice shelves, small",
    "Glaciers",
    "Rivers",
    "Rivers, large",
    "Rivers, medium",
    "Rivers, small",
    "Rivers, double lined",
    "Intermittent rivers, large",
    "Intermittent rivers, medium",
    "Intermittent rivers, small",
    "Canals",
    "Canals, small",
    "Canals, irrigation",
    "U.S. States",
    "Canadian Provinces",
    "Boundaries in Great Lakes",
    "Australian States",
    "Scotland and Wales",
};

constexpr std::array<std::string_view, 73> kDlgFeatures = {
    "",
    "River, double line, shoreline",
    "River, double line, centerline",
    "River, perennial,        <30 km",
    "River, perennial,       <100 km",
    "River, perennial,       <350 km",
    "River, perennial,      >=350 km",
    "River, intermittent,     <30 km",
    "River, intermittent,    <100 km",
    "River, intermittent,    <350 km",
    "River, intermittent,   >=350 km",
    "River in lake, perenn.   <30 km",
    "River in lake, perenn.   <80 km",
    "River in lake, perenn.  >=80 km",
    "River in lake, interm.   <30 km",
    "River in lake, interm.  >=30 km",
    "Braided stream",
    "Canal, navigable,        <20 km",
    "Canal, navigable,        <80 km",
    "Canal, navigable,       >=80 km",
    "Canal, other,            <20 km",
    "Canal, other,            <80 km",
    "Canal, other,           >=80 km",
    "Ditch",
    "Intercoastal waterway",
    "U.S. coastline and Great Lakes",
    "Lake, island, perennial  <30 km",
    "Lake, island, perennial  <80 km",
    "Lake, island, perennial >=80 km",
    "Lake, intermittent       <30 km",
    "Lake, intermittent       <80 km",
    "Lake, intermittent      >=80 km",
    "Marsh, swamp,            <50 km",
    "Marsh, swamp,           >=50 km",
    "Dry lake, alkali flat",
    "Glacier,                 <50 km",
    "Glacier,                >=50 km",
    "Interstate highway",
    "Interstate, proposed",
    "Divided highway, limited access",
    "Other hwy, limited access",
    "Other hwy, non-limited access",
    "Other hwy <10 km from major hwy",
    "State secondary, all weather",
    "Light duty, all weather",
    "Unimproved, fair or dry weather",
    "Highway, tunnel",
    "Auto, ferry",
    "Railroad, main line",
    "Railroad, branch line",
    "Railroad, other",
    "Railroad, tunnel",
    "Railroad, ferry",
    "International treaty line",
    "National boundary, land",
    "National boundary, water",
    "State boundary, land",
    "State boundary, water",
    "County, large city, land",
    "County, large city, water",
    "City boundary,     >1.0 million",
    "City boundary,     >0.5 million",
    "City boundary,            small",
    "National park            <20 km",
    "National park           >=20 km",
    "National park closure line",
    "Indian reservation       <20 km",
    "Indian reservation      >=20 km",
    "Indian reservation closure line",
    "Military reservation    <405 ha",
    "Military reservation   >=405 ha",
    "Mil. reservation closure line",
    "Alaska pipeline",
};

// clang-format off
constexpr DlgCodeRange kDlgCodes[] = {
    {1, 3001, 3001, 2, 2},        {2, 3002, 3002, 3, 3},        {3, 3003, 3004, 4, 5},
    {4, 3005, 3009, 6, 10},       {5, 3010, 3015, 11, 16},      {6, 3016, 3016, 17, 17},
    {7, 3017, 3018, 18, 19},      {8, 3019, 3023, 20, 24},      {9, 3024, 3029, 25, 30},
    {10, 3030, 3030, 31, 31},     {11, 3035, 3043, 32, 40},     {12, 3044, 3047, 41, 44},
    {13, 3048, 3048, 45, 45},     {14, 3050, 3058, 46, 54},     {15, 3059, 3059, 55, 55},
    {16, 3060, 3063, 56, 59},     {17, 3070, 3072, 60, 62},     {18, 3073, 3075, 63, 65},
    {19, 3076, 3076, 66, 66},     {20, 3077, 3079, 67, 69},     {21, 3080, 3082, 70, 72},
    {22, 3083, 3083, 73, 73},     {23, 3086, 3086, 74, 74},     {24, 3095, 3095, 75, 75},
    {25, 4000, 4000, 76, 76},     {26, 4001, 4009, 77, 85},     {27, 4010, 4013, 86, 89},
    {28, 4014, 4014, 90, 90},     {29, 4021, 4029, 91, 99},     {30, 4030, 4033, 100, 103},
    {31, 4034, 4034, 104, 104},   {32, 4040, 4044, 105, 109},   {33, 4045, 4045, 110, 110},
    {34, 4050, 4053, 111, 114},   {35, 4060, 4065, 115, 120},   {36, 4066, 4066, 121, 121},
    {37, 5001, 5001, 122, 122},   {38, 5009, 5010, 130, 131},   {39, 5002, 5004, 123, 125},
    {40, 5013, 5013, 132, 132},   {40, 5015, 5015, 134, 134},   {40, 5017, 5017, 136, 136},
    {40, 5019, 5019, 138, 138},   {41, 5014, 5014, 133, 133},   {41, 5016, 5016, 135, 135},
    {41, 5018, 5018, 137, 137},   {41, 5020, 5020, 139, 139},   {42, 5021, 5024, 140, 143},
    {43, 5028, 5028, 144, 144},   {44, 5031, 5031, 145, 145},   {45, 5041, 5041, 146, 146},
    {46, 5061, 5061, 147, 147},   {47, 5062, 5062, 148, 148},   {48, 5071, 5072, 149, 150},
    {49, 5073, 5074, 151, 152},   {50, 5075, 5075, 153, 153},   {51, 5078, 5078, 154, 154},
    {52, 5079, 5079, 155, 155},   {53, 6000, 6000, 157, 157},   {54, 6001, 6001, 158, 158},
    {55, 6002, 6002, 159, 159},   {56, 6005, 6005, 160, 160},   {57, 6006, 6006, 161, 161},
    {58, 6009, 6009, 162, 162},   {59, 6010, 6010, 163, 163},   {60, 6011, 6011, 164, 164},
    {61, 6012, 6012, 165, 165},   {62, 6014, 6014, 166, 166},   {63, 6021, 6024, 167, 170},
    {63, 6026, 6029, 172, 175},   {63, 6031, 6034, 177, 180},   {63, 6036, 6039, 182, 185},
    {63, 6041, 6044, 187, 190},   {63, 6051, 6054, 192, 195},   {63, 6056, 6059, 197, 200},
    {63, 6061, 6064, 202, 205},   {64, 6025, 6025, 171, 171},   {64, 6030, 6030, 176, 176},
    {64, 6035, 6035, 181, 181},   {64, 6040, 6040, 186, 186},   {64, 6045, 6045, 191, 191},
    {64, 6055, 6055, 196, 196},   {64, 6060, 6060, 201, 201},   {64, 6065, 6065, 206, 206},
    {65, 6087, 6094, 214, 221},   {66, 6066, 6069, 207, 210},   {67, 6070, 6070, 211, 211},
    {68, 6095, 6095, 222, 222},   {69, 6081, 6081, 212, 212},   {70, 6082, 6082, 213, 213},
    {71, 6097, 6097, 223, 223},   {72, 7020, 7020, 226, 226},
};
// clang-format on

// The GRV column as a table indexed by the code byte.
constexpr std::array<int16_t, 256> MakeGrvRows() {
    std::array<int16_t, 256> rows{};
    for (const DlgCodeRange& r : kDlgCodes)
        for (int b = r.grvFirst; b <= r.grvLast; ++b) rows[static_cast<size_t>(b)] = r.row;
    return rows;
}

constexpr std::array<int16_t, 256> kGrvRows = MakeGrvRows();

}  // namespace

std::span<const std::string_view> GeofeatureRowTexts(GeofeatureTable table) {
    switch (table) {
    case GeofeatureTable::AllFeatures: return kAllFeatures;
    case GeofeatureTable::MwdbFeatures: return kMwdbFeatures;
    case GeofeatureTable::WdbFeatures: return kWdbFeatures;
    case GeofeatureTable::DlgFeatures: return kDlgFeatures;
    }
    return {};
}

GeofeatureTable GeofeatureTableOf(std::string_view path) {
    switch (MapFileTypeOf(path).kind) {
    case MapKind::All:
    case MapKind::Cci:
    case MapKind::Map: return GeofeatureTable::MwdbFeatures;
    case MapKind::Grv:
    case MapKind::Grf: return GeofeatureTable::DlgFeatures;
    case MapKind::Pkv:
    case MapKind::Pkd: return GeofeatureTable::WdbFeatures;
    default: return GeofeatureTable::AllFeatures;
    }
}

namespace {

constexpr int32_t Rgb3(int r, int g, int b) { return PaletteRgb(r | (g << 8) | (b << 16)); }

constexpr int32_t kBlue = Rgb3(0, 0, 255);
constexpr int32_t kGreen = Rgb3(0, 128, 0);
constexpr int32_t kRed = Rgb3(255, 0, 0);
constexpr int32_t kMagenta = Rgb3(255, 0, 255);
constexpr int32_t kMaroon = Rgb3(128, 0, 0);
constexpr int32_t kNearBlack = Rgb3(1, 0, 0);

// Colours by runs of rows: each entry holds from the row after the previous
// entry's last row up to `last`.
struct ColorRun {
    int last;
    int32_t color;
};

constexpr ColorRun kMwdbColors[] = {{2, kGreen}, {4, kBlue}, {5, kRed}, {8, kMagenta}, {10, kMaroon}};
constexpr ColorRun kWdbColors[] = {{8, kRed}, {20, kGreen}, {31, kBlue}, {36, kMagenta}};
constexpr ColorRun kDlgColors[] = {{24, kBlue},    {36, kGreen}, {47, kNearBlack},
                                   {52, kMagenta}, {62, kRed},   {72, kMaroon}};
constexpr ColorRun kAllColors[] = {{1, kNearBlack}};

std::span<const ColorRun> ColorRuns(GeofeatureTable table) {
    switch (table) {
    case GeofeatureTable::AllFeatures: return kAllColors;
    case GeofeatureTable::MwdbFeatures: return kMwdbColors;
    case GeofeatureTable::WdbFeatures: return kWdbColors;
    case GeofeatureTable::DlgFeatures: return kDlgColors;
    }
    return {};
}

}  // namespace

int32_t GeofeatureDefaultColor(GeofeatureTable table, int row) {
    if (row >= 1)
        for (const ColorRun& run : ColorRuns(table))
            if (row <= run.last) return run.color;
    Raise(kSubscriptOutOfRange);
}

std::span<const DlgCodeRange> DlgCodeTable() { return kDlgCodes; }

int16_t DlgRowOfGrfCode(int32_t code) {
    for (const DlgCodeRange& r : kDlgCodes)
        if (code >= r.grfFirst && code <= r.grfLast) return r.row;
    return 0;
}

int16_t DlgRowOfGrvByte(int32_t codeByte) {
    return codeByte >= 0 && codeByte <= 255 ? kGrvRows[static_cast<size_t>(codeByte)] : 0;
}

}  // namespace tlrx
