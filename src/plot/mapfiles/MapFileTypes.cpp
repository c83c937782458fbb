#include "plot/mapfiles/MapFileTypes.h"

#include <array>
#include <cctype>

namespace tlrx {

namespace {

using enum MapKind;
using enum MapReader;

constexpr std::string_view kAsciiGroup = "ASCII (.prn, .utm)";
constexpr std::string_view kMwdbGroup = "MWDB2 (.all, .pnt, .cci)";
constexpr std::string_view kDlgGroup = "USGS DLG (.grv, .grf)";
constexpr std::string_view kTlrxGroup = "TLRX (.map)";
constexpr std::string_view kWdb1Group = "WDB1 (.dat)";
constexpr std::string_view kWdb2Group = "WDB2 (.pkv, .pkd)";
constexpr std::string_view kWorldGroup = "World (.mp1, .mps)";

constexpr PenSites kMwdbPens{3, 1, 2};
constexpr PenSites kPackedPens{5, 2, 4};

constexpr std::array<MapFileType, 13> kTypes{{
    {Prn, "PRN", Ascii, kAsciiGroup, {13, 7, 14}},
    {Utm, "UTM", Ascii, kAsciiGroup, {13, 7, 14}},
    {All, "ALL", Mwdb, kMwdbGroup, kMwdbPens},
    {Pnt, "PNT", Mwdb, kMwdbGroup, kMwdbPens},
    {Cci, "CCI", Mwdb, kMwdbGroup, kMwdbPens},
    {Grv, "GRV", Packed, kDlgGroup, kPackedPens},
    {Grf, "GRF", FixedRecord, kDlgGroup, {9, 5, 10}},
    {Map, "MAP", Mwdb, kTlrxGroup, kMwdbPens},
    {Dat, "DAT", FixedRecord, kWdb1Group, {8, 4, 10}},
    {Pkv, "PKV", Packed, kWdb2Group, kPackedPens},
    {Pkd, "PKD", Packed, kWdb2Group, kPackedPens},
    {Mp1, "MP1", World, kWorldGroup, {6, 3, 7}},
    {Mps, "MPS", World, kWorldGroup, {11, 6, 12}},
}};

bool SameLetters(std::string_view a, std::string_view upper) {
    if (a.size() != upper.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (std::toupper(static_cast<unsigned char>(a[i])) != upper[i]) return false;
    return true;
}

}  // namespace

std::span<const MapFileType> MapFileTypes() { return kTypes; }

const MapFileType& MapFileTypeOf(std::string_view path) {
    const std::string_view last = path.size() > 3 ? path.substr(path.size() - 3) : path;
    for (const MapFileType& t : kTypes)
        if (SameLetters(last, t.extension)) return t;
    return kTypes[0];
}

}  // namespace tlrx
