// Packed map files (GRV, PKD, PKV): headerless runs of segments, each a code
// byte, a point count, a bounding box, a first point and one signed byte
// step of longitude and of latitude per further point. Segments of
// unselected rows and segments whose box lies outside the map window are
// passed over by one seek.

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "core/DesignState.h"
#include "core/Errors.h"
#include "core/ProjectionTable.h"
#include "plot/RunFiles.h"
#include "plot/mapfiles/MapFeatureTables.h"
#include "plot/mapfiles/MapFileInput.h"
#include "plot/mapfiles/MapFileTypes.h"
#include "plot/mapfiles/MapReaders.h"

namespace tlrx {

namespace {

constexpr int32_t kArcSec360 = 1296000;
constexpr size_t kHeadBytes = 17;  // code byte, count high and low, bounding box
constexpr size_t kFirstBytes = 7;  // first point: longitude, latitude

int SignedByte(uint8_t b) { return b > 127 ? b - 256 : b; }

// Four signed bytes d1, d2, m, s: (2 d1 + d2) degrees, m minutes, s seconds.
int32_t LongitudeSec(const uint8_t* b) {
    const int32_t degrees = 2 * SignedByte(b[0]) + SignedByte(b[1]);
    return 3600 * degrees + 60 * SignedByte(b[2]) + SignedByte(b[3]);
}

// Three signed bytes d, m, s.
int32_t LatitudeSec(const uint8_t* b) { return 3600 * SignedByte(b[0]) + 60 * SignedByte(b[1]) + SignedByte(b[2]); }

// The row offset of a WDB2 file: by the third character of a PKD file's
// title (C coastlines 8, R rivers 23, P provinces 36), 0 for the other PKD
// files and every PKV file.
int WdbOffset(const std::string& path, bool pkv) {
    if (pkv) return 0;
    const size_t slash = path.find_last_of("\\:/");
    const size_t start = slash == std::string::npos ? 0 : slash + 1;
    if (path.size() < start + 3) return 0;
    switch (std::toupper(static_cast<unsigned char>(path[start + 2]))) {
    case 'C': return 8;
    case 'R': return 23;
    case 'P': return 36;
    default: return 0;
    }
}

// The WdbFeatures row of a WDB2 code byte: the byte plus the file's offset,
// folded over the gaps between the themes of the row list.
int16_t WdbRow(int codeByte, int offset) {
    int v = codeByte + offset;
    if (v >= 14 && v <= 18) v -= 1;
    else if (v >= 21 && v <= 31) v -= 3;
    else if (v == 33 || v == 34) v -= 4;
    else if (v >= 36 && v <= 41) v -= 5;
    if (v > kMaxFeatureRow) Raise(kSubscriptOutOfRange);
    return static_cast<int16_t>(v);
}

// Whether the bounding box (west, south, east, north as stored) lies wholly
// outside the map window.
bool BoxOutside(const uint8_t* box) {
    const DesignState& d = Design();
    const int32_t west = LongitudeSec(box), south = LatitudeSec(box + 4);
    const int32_t east = LongitudeSec(box + 7), north = LatitudeSec(box + 11);
    if (FamilyOf(d.ProjCode) != ProjFamily::Utm) {
        auto frame = [&](int32_t lon) {
            const int32_t f = lon - d.LonWestSec;
            return f < 0 ? f + kArcSec360 : f;
        };
        int32_t frameWest = frame(west);
        const int32_t frameEast = frame(east);
        if (frameWest > frameEast) frameWest = 0;  // the box crosses the western boundary
        return south > d.LatNorthSec || north < d.LatSouthSec || frameEast < d.FrameWestSec ||
               frameWest > d.FrameEastSec;
    }
    // UTM: the box in metres by a local approximation around the central meridian.
    const double a = d.UtmSemiMajorAxis;
    const double b = a * (1 - d.UtmFlattening);
    const double southDeg = south / 3600.0, northDeg = north / 3600.0;
    const double westDeg = west / 3600.0, eastDeg = east / 3600.0;
    const double metresPerDegree = d.DegToRad * a * std::cos(southDeg * d.DegToRad);
    const double falseNorthing = ToInt32(d.UtmFalseNorthing);
    const double falseEasting = ToInt32(d.UtmFalseEasting);
    const int32_t northM = ToInt32(falseNorthing + ToInt32((northDeg - d.CentLat) * d.DegToRad * a));
    const int32_t southM = ToInt32(falseNorthing + ToInt32((southDeg - d.CentLat) * d.DegToRad * b));
    const double cm = d.CentralMeridian;
    const double shift = std::abs(cm - westDeg) > 180 ? 360.0 * ((cm > 0) - (cm < 0)) : 0.0;
    const int32_t eastM = ToInt32(falseEasting + (eastDeg + shift - cm) * metresPerDegree);
    const int32_t westM = ToInt32(falseEasting + (westDeg + shift - cm) * metresPerDegree);
    return southM > d.LatNorthSec || northM < d.LatSouthSec || eastM < d.FrameWestSec || westM > d.FrameEastSec;
}

}  // namespace

void ReadPackedFile(const std::string& path, int16_t /*file*/, MapPointSink& sink) {
    const MapKind kind = MapFileTypeOf(path).kind;
    const bool grv = kind == MapKind::Grv;
    const int offset = grv ? 0 : WdbOffset(path, kind == MapKind::Pkv);
    RunFiles& f = Files();
    OpenMapFile(path);
    const int64_t length = f.InputLength();
    std::vector<uint8_t> steps;  // the step bytes of one segment; grows to the longest
    uint8_t head[kHeadBytes];
    uint8_t first[kFirstBytes];
    while (!f.InputAtEnd()) {
        f.ReadInput(head, kHeadBytes);
        const int16_t row = grv ? DlgRowOfGrvByte(head[0]) : WdbRow(head[0], offset);
        const int32_t count = 100 * head[1] + head[2];
        // Every segment holds its first point, also one whose count reads 0.
        const size_t stepBytes = 2 * static_cast<size_t>(std::max(count, 1) - 1);
        if (row == 0 || !sink.RowSelected(row) || BoxOutside(head + 3)) {
            sink.CountPassedOver(count);
            if (sink.Stopped()) return;
            sink.YieldOnce();
            if (sink.Stopped()) return;
            const int64_t next = f.InputPosition() + static_cast<int64_t>(kFirstBytes + stepBytes);
            if (next > length + 1) Raise(kInputPastEnd);  // the segment is cut short
            f.SeekInput(next);
            continue;
        }
        sink.SetRow(row);
        f.ReadInput(first, kFirstBytes);
        steps.resize(stepBytes);
        if (stepBytes > 0) f.ReadInput(steps.data(), stepBytes);
        int32_t lon = LongitudeSec(first);
        int32_t lat = LatitudeSec(first + 4);
        sink.Point(lat, lon, true);
        if (sink.Stopped()) return;
        for (size_t i = 0; i < stepBytes; i += 2) {
            lon += SignedByte(steps[i]);
            lat += SignedByte(steps[i + 1]);
            sink.Point(lat, lon, false);
            if (sink.Stopped()) return;
        }
    }
}

}  // namespace tlrx
