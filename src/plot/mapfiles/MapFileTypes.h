#pragma once
// The kinds of digital map file, one row per file name extension: which
// reader reads it, the open dialog's group it is listed in, and the call-site
// numbers of its pen messages. Everything that decides by the kind of a map
// file asks this table.

#include <cstdint>
#include <span>
#include <string_view>

namespace tlrx {

// One value per extension.
enum class MapKind : uint8_t { Prn, Utm, All, Pnt, Cci, Map, Grv, Grf, Dat, Pkv, Pkd, Mp1, Mps };

enum class MapReader : uint8_t { Ascii, Mwdb, Packed, FixedRecord, World };

// Call-site numbers of the map plotting pass's pen messages for one kind.
struct PenSites {
    int segmentRelease;  // release at a new segment or the file's attributes
    int segmentCreate;
    int endRelease;  // release at the end of the file
};

struct MapFileType {
    MapKind kind;
    std::string_view extension;  // upper case, without the dot
    MapReader reader;
    std::string_view openGroup;  // the open dialog's group: "ASCII (.prn, .utm)"
    PenSites pens;
};

// Every kind, in the order of the open dialog's groups.
std::span<const MapFileType> MapFileTypes();

// The kind of a map file from the last three characters of its name, in any
// case. A name with none of the extensions is read as an ASCII file of
// degrees (.prn).
const MapFileType& MapFileTypeOf(std::string_view path);

}  // namespace tlrx
