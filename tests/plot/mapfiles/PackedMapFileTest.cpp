#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "MapReaderTestSupport.h"
#include "core/DesignState.h"
#include "core/Errors.h"
#include "plot/RunFiles.h"
#include "plot/mapfiles/MapReaders.h"

namespace tlrx {
namespace {

using test::CountingSink;

std::string Byte(int v) { return std::string(1, static_cast<char>(static_cast<uint8_t>(v))); }

// Longitude as d1, d2, m, s with every part carrying the sign.
std::string Lon(int32_t sec) {
    const int sign = sec < 0 ? -1 : 1;
    const int32_t a = std::abs(sec), deg = a / 3600;
    return Byte(sign * (deg / 2)) + Byte(sign * (deg % 2)) + Byte(sign * (a % 3600 / 60)) + Byte(sign * (a % 60));
}

std::string Lat(int32_t sec) {
    const int sign = sec < 0 ? -1 : 1;
    const int32_t a = std::abs(sec);
    return Byte(sign * (a / 3600)) + Byte(sign * (a % 3600 / 60)) + Byte(sign * (a % 60));
}

struct Box {
    int32_t west, south, east, north;  // arc-seconds
};

// One packed segment of points (latitude, longitude) with the given box.
std::string Segment(int code, const std::vector<std::pair<int32_t, int32_t>>& pts, const Box& box) {
    std::string s = Byte(code) + Byte(static_cast<int>(pts.size() / 100)) + Byte(static_cast<int>(pts.size() % 100));
    s += Lon(box.west) + Lat(box.south) + Lon(box.east) + Lat(box.north);
    s += Lon(pts[0].second) + Lat(pts[0].first);
    for (size_t i = 1; i < pts.size(); ++i)
        s += Byte(pts[i].second - pts[i - 1].second) + Byte(pts[i].first - pts[i - 1].first);
    return s;
}

// One packed segment with the points' own bounding box.
std::string Segment(int code, const std::vector<std::pair<int32_t, int32_t>>& pts) {
    Box box{pts[0].second, pts[0].first, pts[0].second, pts[0].first};
    for (const auto& [lat, lon] : pts) {
        box.west = std::min(box.west, lon), box.east = std::max(box.east, lon);
        box.south = std::min(box.south, lat), box.north = std::max(box.north, lat);
    }
    return Segment(code, pts, box);
}

class PackedMapFileTest : public test::MapReaderTest {
protected:
    std::string Fixture(const std::string& name, const std::string& bytes) {
        const std::string path = dir + "/" + name;
        test::WriteBytes(path, bytes);
        return path;
    }
};

// Every sample packed file: segments, points and rows as the samples'
// notes give them, and every point of the 20-character-record sample (an
// independent decode) in its packed segment, which adds only the points
// that fill steps over 127 arc-seconds.
TEST_F(PackedMapFileTest, SamplesReadBackAsWritten) {
    const auto records = test::DecodeRecords(test::SamplePath("nw.dat"));
    ASSERT_EQ(records.size(), 36u);
    struct Case {
        const char* name;
        size_t segments;
        size_t points;
        std::map<int16_t, int> segmentsByRow;
    };
    const Case cases[] = {
        {"nw.pkv", 36, 2840, {{9, 2}, {10, 12}, {11, 4}, {21, 10}, {1, 3}, {33, 1}, {32, 4}}},
        {"nwcil.pkd", 18, 1270, {{9, 2}, {10, 12}, {11, 4}}},
        {"nwriv.pkd", 10, 654, {{21, 10}}},
        {"nwpby.pkd", 5, 552, {{33, 1}, {32, 4}}},
        {"nwbdy.pkd", 3, 364, {{1, 3}}},
        // Coastlines row 25; islands and lakes rows 26-28; rivers rows 3-6;
        // countries row 54; states and provinces row 56.
        {"nw.grv", 36, 2840, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CountingSink sink;
        sink.SelectAll();
        ReadPackedFile(test::SamplePath(c.name), 1, sink);
        const auto segs = sink.Segments();
        EXPECT_EQ(segs.size(), c.segments);
        EXPECT_EQ(sink.points.size(), c.points);
        EXPECT_EQ(sink.rows.size(), c.segments);  // the attributes are set at every segment
        EXPECT_TRUE(sink.passedOver.empty());
        std::map<int16_t, int> byRow;
        for (const auto& seg : segs) ++byRow[seg.front().row];
        if (!c.segmentsByRow.empty()) {
            EXPECT_EQ(byRow, c.segmentsByRow);
        } else {
            auto in = [&](int16_t lo, int16_t hi) {
                int n = 0;
                for (const auto& [row, k] : byRow) n += row >= lo && row <= hi ? k : 0;
                return n;
            };
            EXPECT_EQ(in(25, 25), 2);
            EXPECT_EQ(in(26, 28), 16);
            EXPECT_EQ(in(3, 6), 10);
            EXPECT_EQ(in(54, 54), 3);
            EXPECT_EQ(in(56, 56), 5);
            EXPECT_EQ(in(1, 72), 36);
        }
        for (const auto& seg : segs) {
            // Some lines share their first point: any record segment with the
            // same ends whose points all appear, in order, in the packed one.
            const auto holds = [&](const std::vector<std::pair<int32_t, int32_t>>& r) {
                if (r.front() != std::make_pair(seg.front().lat, seg.front().lon) ||
                    r.back() != std::make_pair(seg.back().lat, seg.back().lon))
                    return false;
                size_t k = 0;
                for (const auto& p : seg)
                    if (k < r.size() && r[k] == std::make_pair(p.lat, p.lon)) ++k;
                return k == r.size();
            };
            EXPECT_TRUE(std::any_of(records.begin(), records.end(), holds))
                << "segment at " << seg.front().lat << " " << seg.front().lon;
            for (size_t i = 1; i < seg.size(); ++i) EXPECT_FALSE(seg[i].start);
        }
    }
}

// The WDB2 row of a code byte: the theme letter (third character of a PKD
// file's title, folders not counted, any case) adds its offset, and the sum
// is folded over the gaps between the themes; PKV files have no offset.
TEST_F(PackedMapFileTest, WdbCodeBytesMapToRowsByTheTitle) {
    struct Case {
        const char* name;
        int code;
        int16_t row;
    } const cases[] = {
        // clang-format off
        {"NACIL.PKD", 1, 9},  {"NACIL.PKD", 4, 12}, {"NACIL.PKD", 5, 13}, {"NACIL.PKD", 6, 13},
        {"NACIL.PKD", 13, 18}, {"NACIL.PKD", 15, 20}, {"nacil.pkd", 1, 9}, {"NARIV.PKD", 1, 21},
        {"NARIV.PKD", 8, 28}, {"NARIV.PKD", 10, 29}, {"NARIV.PKD", 11, 30}, {"NAPBY.PKD", 1, 32},
        {"NAPBY.PKD", 5, 36}, {"NAPBY.PKD", 36, 72}, {"NABDY.PKD", 1, 1},  {"NABDY.PKD", 9, 9},
        {"NABDY.PKD", 14, 13}, {"NACIL.PKV", 1, 1},  {"NARIV.PKV", 24, 21}, {"NA.PKD", 1, 1},
    };
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.name) + " code " + std::to_string(c.code));
        // A folder whose third letter is a theme letter does not count.
        std::filesystem::create_directories(dir + "/xxR");
        const std::string path = dir + "/xxR/" + c.name;
        test::WriteBytes(path, Segment(c.code, {{162000, -440700}}));
        CountingSink sink;
        sink.SelectAll();
        ReadPackedFile(path, 1, sink);
        EXPECT_EQ(sink.rows, std::vector<int16_t>{c.row});
        EXPECT_EQ(sink.points.size(), 1u);
    }
}

// Rows beyond the 72 of the arrays: PKV code bytes above 72, "P" PKD codes above 36.
TEST_F(PackedMapFileTest, RowsBeyondTheArraysAreOutOfRange) {
    for (const auto& [name, code] : {std::pair{"A.PKV", 73}, std::pair{"NAPBY.PKD", 37}, std::pair{"A.PKV", 255}}) {
        CountingSink sink;
        sink.SelectAll();
        const std::string path = Fixture(name, Segment(code, {{0, 0}}));
        EXPECT_EQ(ErrorOf([&] { ReadPackedFile(path, 1, sink); }), "Subscript out of range") << name << " " << code;
        EXPECT_TRUE(sink.points.empty());
    }
}

TEST_F(PackedMapFileTest, SignedByteDegreesMinutesSecondsAndSteps) {
    // -122 25 00 as d1 = -61, d2 = 0, m = -25, s = 0, and as d1 = -60, d2 = -2;
    // latitude 45 30 15 S as -45, -30, -15; then steps -128 and 127.
    const std::string head = Byte(76) + Byte(0) + Byte(3) + Lon(-441000) + Lat(-163815) + Lon(-440000) + Lat(-163000);
    const std::string steps = Byte(-128) + Byte(127) + Byte(1) + Byte(-1);
    for (const std::string& lon :
         {Byte(-61) + Byte(0) + Byte(-25) + Byte(0), Byte(-60) + Byte(-2) + Byte(-25) + Byte(0)}) {
        CountingSink sink;
        sink.SelectAll();
        const std::string path = Fixture("a.grv", head + lon + Byte(-45) + Byte(-30) + Byte(-15) + steps);
        ReadPackedFile(path, 1, sink);
        const std::vector<test::RecordedPoint> expected = {
            {-163815, -440700, true}, {-163688, -440828, false}, {-163689, -440827, false}};
        EXPECT_EQ(sink.points, expected);
        EXPECT_EQ(sink.rows, std::vector<int16_t>{25});  // GRV byte 76
    }
}

// Passed-over segments (unselected row, row 0, box outside) are skipped by
// their count: a count-1 segment occupies 7 bytes after its box, a count-n
// one 7 + 2 (n - 1). Each counts its points and yields once.
TEST_F(PackedMapFileTest, PassedOverSegmentsAreSkippedByTheirCount) {
    const std::vector<std::pair<int32_t, int32_t>> one = {{180000, -400000}};
    const std::vector<std::pair<int32_t, int32_t>> three = {{180000, -400000}, {180010, -400010}, {180020, -400020}};
    const std::string drawn = Segment(76, {{170000, -410000}, {170001, -410002}});  // row 25
    const std::string bytes = Segment(77, one)                                      // row 26, not selected
                              + Segment(1, three)                                   // no row
                              + Segment(77, three)                                  // row 26
                              + drawn +
                              Segment(76, one, Box{360000, 0, 396000, 36000})  // box outside (10 E to 11 E, 0 to 10 N)
                              + drawn;
    const std::string path = Fixture("a.grv", bytes);
    Design().LatNorthSec = 324000;
    Design().LatSouthSec = 72000;  // window: 20 N to 90 N
    CountingSink sink;
    sink.selected = {25};
    ReadPackedFile(path, 1, sink);
    EXPECT_EQ(sink.passedOver, (std::vector<int32_t>{1, 3, 3, 1}));
    EXPECT_EQ(sink.segmentYields, 4);
    const std::vector<test::RecordedPoint> seg = {{170000, -410000, true}, {170001, -410002, false}};
    std::vector<test::RecordedPoint> both = seg;
    both.insert(both.end(), seg.begin(), seg.end());
    EXPECT_EQ(sink.points, both);
    EXPECT_EQ(sink.rows, (std::vector<int16_t>{25, 25}));
}

// The box's longitudes become frame longitudes; a box whose west frame
// longitude exceeds its east one (it crosses the western boundary) is taken
// from frame longitude 0.
TEST_F(PackedMapFileTest, BoxesAcrossTheWesternBoundaryAndTheDateLine) {
    // 170 E to 170 W, 10 N to 20 N.
    const Box box{612000, 36000, -612000, 72000};
    const std::string path = Fixture("a.grv", Segment(76, {{50000, 620000}}, box));
    struct Case {
        int32_t lonWest, frameEast;  // arc-seconds
        bool read;
    } const cases[] = {
        {0, 648000, true},         // 0 to 180 E: tested as 170 to 190, read
        {0, 576000, false},        // 0 to 160 E: the box begins at 170, outside
        {-648000, 1296000, true},  // world map: 350 and 10, tested as 0 to 10
        {-648000, 36000, true},    // 180 W to 170 W: 0 to 10
        {-324000, 324000, false},  // 90 W to 0: 260 to 280, outside
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.lonWest);
        DesignState& d = Design();
        d.LonWestSec = c.lonWest;
        d.FrameWestSec = 0;
        d.FrameEastSec = c.frameEast;
        CountingSink sink;
        sink.SelectAll();
        ReadPackedFile(path, 1, sink);
        EXPECT_EQ(sink.points.size(), c.read ? 1u : 0u);
    }
}

// On the UTM projection the box is put into metres by a local approximation:
// the northern edge with the semi-major axis, the southern edge with the
// semi-minor axis, the longitudes by the metres per degree at the southern
// edge, moved by 360 degrees when the central meridian lies across the date
// line. Window (Clarke 1866, central meridian 123 W): northings 5000000 to
// 5500000 m, eastings 300000 to 700000 m. The cases sit at the edges, where
// another approximation would decide the other way.
TEST_F(PackedMapFileTest, UtmBoxesByTheLocalApproximation) {
    struct Case {
        double south, north, west, east;  // degrees
        double centralMeridian;
        bool read;
    } const cases[] = {
        {45.5, 46.5, -123.5, -122.5, -123, true},
        {49.45, 49.9, -123, -122, -123, true},   // south 5486147 m (by a: 5504809)
        {49.6, 49.9, -123, -122, -123, false},   // south 5502788 m
        {44.0, 44.95, -123, -122, -123, true},   // north 5003866 m (by b: 4986902)
        {44.0, 44.85, -123, -122, -123, false},  // north 4992733 m
        {45, 45.5, -120.5, -120, -123, true},    // west 696789 m
        {45, 45.5, -120.4, -120, -123, false},   // west 704661 m
        {45, 45.5, -179.5, -179, 179, true},     // moved east by 360: west 618073 m
        {45, 45.5, 179, 179.5, -179, true},      // moved west by 360: west 342569 m
        {45, 45.5, 175, 176, -123, false},       // far east of the zone
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.south) + " " + std::to_string(c.west));
        DesignState& d = Design();
        d.ProjCode = ProjUtm;
        d.UtmSemiMajorAxis = 6378206.4;
        d.UtmFlattening = 1 / 294.978698214;
        d.UtmFalseEasting = 500000;
        d.UtmFalseNorthing = 0;
        d.CentLat = 0;
        d.CentralMeridian = c.centralMeridian;
        d.LatSouthSec = 5000000;
        d.LatNorthSec = 5500000;
        d.FrameWestSec = 300000;
        d.FrameEastSec = 700000;
        const auto sec = [](double deg) { return static_cast<int32_t>(std::lround(deg * 3600)); };
        const Box box{sec(c.west), sec(c.south), sec(c.east), sec(c.north)};
        const std::string path = Fixture("a.grv", Segment(76, {{box.south, box.west}}, box));
        CountingSink sink;
        sink.SelectAll();
        ReadPackedFile(path, 1, sink);
        EXPECT_EQ(sink.points.size(), c.read ? 1u : 0u);
        EXPECT_EQ(sink.passedOver.size(), c.read ? 0u : 1u);
    }
}

// A file cut inside a segment, drawn or passed over, is a read error; a
// whole file ends without one.
TEST_F(PackedMapFileTest, TruncatedFilesAreReadErrors) {
    const std::string first = Segment(76, {{170000, -410000}, {170001, -410002}, {170003, -410004}});
    const std::string whole = first + Segment(77, {{170000, -410000}, {170001, -410002}});
    for (const bool selected : {true, false}) {
        for (size_t cut : {first.size() + 1, first.size() + 16, first.size() + 17, first.size() + 23, first.size() + 24,
                           whole.size() - 1}) {
            SCOPED_TRACE(std::to_string(cut) + (selected ? " drawn" : " passed over"));
            const std::string path = Fixture("a.grv", whole.substr(0, cut));
            CountingSink sink;
            sink.selected = {25};
            if (selected) sink.selected.insert(26);
            EXPECT_EQ(ErrorOf([&] { ReadPackedFile(path, 1, sink); }), "Input past end of file");
        }
        const std::string path = Fixture("a.grv", whole);
        CountingSink sink;
        sink.selected = {25, 26};
        EXPECT_EQ(ErrorOf([&] { ReadPackedFile(path, 1, sink); }), "");
        EXPECT_EQ(sink.points.size(), 5u);
    }
    EXPECT_EQ(ErrorOf([&] {
                  CountingSink sink;
                  ReadPackedFile(dir + "/none.pkd", 1, sink);
              }),
              "File not found");
    EXPECT_FALSE(std::filesystem::exists(dir + "/none.pkd"));
}

// A stop seen at a yield ends the reading at once: after the yield of a
// passed-over segment, and at the 800th counted point.
TEST_F(PackedMapFileTest, StopIsHonouredAtTheYield) {
    {
        CountingSink sink;
        sink.selected = {21};  // only the rivers of nw.pkv, after 18 other segments
        sink.stopAtYield = 1;
        ReadPackedFile(test::SamplePath("nw.pkv"), 1, sink);
        EXPECT_EQ(sink.segmentYields, 1);
        EXPECT_EQ(sink.passedOver.size(), 1u);
        EXPECT_TRUE(sink.points.empty());
    }
    {
        CountingSink sink;
        sink.SelectAll();
        sink.stopAtYield = 1;
        ReadPackedFile(test::SamplePath("nw.pkv"), 1, sink);
        EXPECT_EQ(sink.points.size(), 800u);
    }
}

}  // namespace
}  // namespace tlrx
