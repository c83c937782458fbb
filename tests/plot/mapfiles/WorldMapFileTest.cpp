#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "MapReaderTestSupport.h"
#include "plot/PlotState.h"
#include "plot/RunFiles.h"
#include "plot/mapfiles/MapFileInput.h"
#include "plot/mapfiles/MapReaders.h"

namespace tlrx {
namespace {

using test::CountingSink;
using test::RecordedPoint;

std::string Single(float v) {
    const auto u = std::bit_cast<uint32_t>(v);
    std::string s(4, '\0');
    for (int i = 0; i < 4; ++i) s[i] = static_cast<char>((u >> (8 * i)) & 0xFF);
    return s;
}

// One MPS record: latitude, longitude and a trailer.
std::string Record(float lat, float lon, const std::string& trailer = "\n") {
    return Single(lat) + Single(lon) + trailer;
}

int32_t Sec(double deg) { return static_cast<int32_t>(std::nearbyint(deg * 3600)); }

class WorldMapFileTest : public test::MapReaderTest {
protected:
    std::string Fixture(const std::string& name, const std::string& bytes) {
        const std::string path = dir + "/" + name;
        test::WriteBytes(path, bytes);
        return path;
    }
    // The points of a file read with row 1 selected.
    std::vector<RecordedPoint> Read(const std::string& path) {
        CountingSink sink;
        sink.selected = {1};
        ReadWorldFile(path, 1, sink);
        EXPECT_EQ(sink.rows, std::vector<int16_t>{1});
        return sink.points;
    }
};

// Both samples against independent decodes of their bytes and lines, and
// against the 20-character-record sample of the same lines (within the
// rounding of the formats: singles, five decimals).
TEST_F(WorldMapFileTest, SamplesReadBackAsWritten) {
    // MPS: a 99.0 separator before every segment, records of two singles and a line feed.
    const std::string mps = test::ReadBytes(test::SamplePath("nw.mps"));
    std::vector<RecordedPoint> expected;
    bool start = false;
    for (size_t at = 0; at < mps.size();) {
        float lat, lon;
        std::memcpy(&lat, mps.data() + at, 4);
        if (lat == 99.0f) {
            start = true;
            at += 4;
            continue;
        }
        std::memcpy(&lon, mps.data() + at + 4, 4);
        ASSERT_EQ(mps[at + 8], '\n');
        expected.push_back({Sec(lat), Sec(lon), start});
        start = false;
        at += 9;
    }
    const auto mpsPoints = Read(test::SamplePath("nw.mps"));
    EXPECT_EQ(mpsPoints, expected);

    // MP1: a "# class" line before every segment, then "lat lon" lines.
    std::istringstream mp1(test::ReadBytes(test::SamplePath("nw.mp1")));
    expected.clear();
    start = false;
    for (std::string line; std::getline(mp1, line);) {
        if (line[0] == '#') {
            start = true;
            continue;
        }
        char* end;
        const double lat = std::strtod(line.c_str(), &end);
        expected.push_back({Sec(lat), Sec(std::strtod(end, nullptr)), start});
        start = false;
    }
    const auto mp1Points = Read(test::SamplePath("nw.mp1"));
    EXPECT_EQ(mp1Points, expected);

    const auto records = test::DecodeRecords(test::SamplePath("nw.dat"));
    for (const auto& points : {mpsPoints, mp1Points}) {
        size_t segments = 0, i = 0;
        for (const RecordedPoint& p : points) segments += p.start;
        EXPECT_EQ(segments, 36u);
        ASSERT_EQ(points.size(), 936u);
        for (const auto& seg : records)
            for (const auto& [lat, lon] : seg) {
                EXPECT_NEAR(points[i].lat, lat, 1);
                EXPECT_NEAR(points[i].lon, lon, 1);
                ++i;
            }
    }
}

// MPS records: the 99.0 separator and a byte 1 in the trailer start
// segments; longitudes above 180 lose 360; every segment start has
// SegmentState 3 set first.
TEST_F(WorldMapFileTest, MpsSeparatorsTrailersAndLongitudes) {
    const std::string bytes = Record(10, 20)                    // first record: a segment start
                              + Single(99) + Record(45, 200)    // 45 N 160 W, a segment start
                              + Record(46, 180, "\x02\x01\n")   // 180 stays; the next starts a segment
                              + Record(47, 180.5f)              // started by the byte 1
                              + Record(-48, -179.5f, "abc\n");  // a trailer of several bytes
    Plot().SegmentState = 0;
    CountingSink sink;
    sink.selected = {1};
    ReadWorldFile(Fixture("a.mps", bytes), 1, sink);
    const std::vector<RecordedPoint> expected = {{36000, 72000, true},
                                                 {162000, -576000, true},
                                                 {165600, 648000, false},
                                                 {169200, -646200, true},
                                                 {-172800, -646200, false}};
    EXPECT_EQ(sink.points, expected);
    for (const RecordedPoint& p : sink.points) {
        if (p.start) {
            EXPECT_EQ(p.segmentState, 3);
        }
    }
}

// MP1 lines: a point line begins (after blanks) with "-" or a digit; its
// latitude is the number before the first blank, the longitude the number
// after it, a longitude above 180 losing 360; any other line separates
// segments.
TEST_F(WorldMapFileTest, Mp1Lines) {
    struct Case {
        const char* what;
        std::string text;
        std::vector<RecordedPoint> points;
    } const cases[] = {
        {"a # line separates", "45.5 -122.5\n# x\n46 -121\n", {{163800, -441000, true}, {165600, -435600, true}}},
        {"two leading blanks", "  30 200\n", {{108000, -576000, true}}},
        {"CR LF and no last line end",
         "1 2\r\n3 4\r\n\r\n5 6",
         {{3600, 7200, true}, {10800, 14400, false}, {18000, 21600, true}}},
        {"a comma ends the field", "45 10,5\n-45 -10 , x\n", {{162000, 36000, true}, {-162000, -36000, false}}},
        {"no blank: longitude only", "12.5\n", {{0, 45000, true}}},
        {"blanks inside a number", "45 -1 22.5 \n", {{162000, -441000, true}}},
        {"letters and empty lines", "x 1 2\n\n   \n-1 -2\nN45 10\n.5 1\n", {{-3600, -7200, true}}},
        {"exactly 180 stays",
         "0 180\n0 180.0001\n0 180.001\n",
         {{0, 648000, true}, {0, 648000, false}, {0, -647996, false}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Plot().SegmentState = 0;
        const auto points = Read(Fixture("a.mp1", c.text));
        EXPECT_EQ(points, c.points);
        for (const RecordedPoint& p : points) {
            if (p.start) {
                EXPECT_EQ(p.segmentState, 3);
            }
        }
    }
}

// Both kinds are read only with row 1 selected; an MPS file must exist even
// then, an MP1 file is then not opened at all.
TEST_F(WorldMapFileTest, ReadOnlyWithAllFeaturesSelected) {
    CountingSink unselected;
    unselected.selected = {2};
    EXPECT_EQ(ErrorOf([&] { ReadWorldFile(dir + "/none.mps", 1, unselected); }), "File not found");
    EXPECT_EQ(ErrorOf([&] { ReadWorldFile(dir + "/none.mp1", 1, unselected); }), "");
    ReadWorldFile(test::SamplePath("nw.mps"), 1, unselected);
    ReadWorldFile(test::SamplePath("nw.mp1"), 1, unselected);
    EXPECT_TRUE(unselected.points.empty());
    EXPECT_TRUE(unselected.rows.empty());
    EXPECT_FALSE(Files().InputOpen());

    CountingSink selected;
    selected.selected = {1};
    EXPECT_EQ(ErrorOf([&] { ReadWorldFile(dir + "/none.mp1", 1, selected); }), "File not found");
    EXPECT_FALSE(std::filesystem::exists(dir + "/none.mps"));
}

// An MPS file ends cleanly at a record's end (or after a last separator);
// a record cut inside is a read error.
TEST_F(WorldMapFileTest, TruncatedMpsRecordsAreReadErrors) {
    const std::string whole = Record(10, 20) + Record(11, 21, "xy\n");
    struct Case {
        std::string bytes;
        const char* error;
    } const cases[] = {
        {whole, ""},
        {whole + Single(99), ""},
        {whole.substr(0, 9) + Single(11), "Input past end of file"},  // no longitude
        {whole.substr(0, 9) + Single(11).substr(0, 2), "Input past end of file"},
        {whole.substr(0, whole.size() - 1), "Input past end of file"},  // no line feed
        {whole + Single(99) + Single(12), "Input past end of file"},
    };
    for (const Case& c : cases) {
        CountingSink sink;
        sink.selected = {1};
        EXPECT_EQ(ErrorOf([&] { ReadWorldFile(Fixture("a.mps", c.bytes), 1, sink); }), c.error) << c.bytes.size();
    }
}

// MPS records read the same across the blocks of the input: a file of two
// blocks and more, with separators and trailers of several lengths, so that
// blocks end inside singles and trailers.
TEST_F(WorldMapFileTest, MpsRecordsAcrossBlocks) {
    std::string bytes;
    std::vector<RecordedPoint> expected;
    bool start = true;
    for (int i = 0; bytes.size() < 2 * kInputBlockBytes + 100; ++i) {
        const float lat = static_cast<float>(i % 180 - 90) / 2;
        const float lon = static_cast<float>(i % 721) / 2;  // above 180 every other half turn
        if (i % 97 == 0) {
            bytes += Single(99);
            start = true;
        }
        const bool byteOne = i % 89 == 0;
        bytes += Record(lat, lon, std::string(static_cast<size_t>(i % 4), 'x') + (byteOne ? "\x01\n" : "\n"));
        expected.push_back({Sec(lat), Sec(lon > 180 ? lon - 360 : lon), start});
        start = byteOne;
    }
    EXPECT_EQ(Read(Fixture("big.mps", bytes)), expected);
}

// An MP1 line may hold 4096 characters; a longer one is an error naming the
// file, found without reading the line whole (here one of 64 MB).
TEST_F(WorldMapFileTest, Mp1LinesLongerThanTheBoundAreErrors) {
    const std::string longest = "45 -122," + std::string(kMaxMapLineChars - 8, ' ');
    EXPECT_EQ(Read(Fixture("a.mp1", "# " + std::string(kMaxMapLineChars - 2, '-') + "\r\n" + longest + "\n")),
              (std::vector<RecordedPoint>{{162000, -439200, true}}));

    const std::string tooLong = Fixture("b.mp1", "1 2\n" + longest + "x\n");
    CountingSink sink;
    sink.selected = {1};
    EXPECT_EQ(ErrorOf([&] { ReadWorldFile(tooLong, 1, sink); }), tooLong + " has a line longer than 4096 characters");
    EXPECT_EQ(sink.points.size(), 1u);

    const std::string huge = dir + "/huge.mp1";
    {
        std::ofstream out(huge, std::ios::binary);
        const std::string block(1 << 20, '7');
        for (int i = 0; i < 64; ++i) out << block;
    }
    EXPECT_EQ(ErrorOf([&] { ReadWorldFile(huge, 1, sink); }), huge + " has a line longer than 4096 characters");
    EXPECT_LE(Files().InputPosition(), int64_t{kMaxMapLineChars} + 3);
}

// A stop seen at the yield of the 800th point ends the reading at once.
TEST_F(WorldMapFileTest, StopIsHonouredAtTheYield) {
    for (const char* name : {"nw.mps", "nw.mp1"}) {
        CountingSink sink;
        sink.selected = {1};
        sink.stopAtYield = 1;
        ReadWorldFile(test::SamplePath(name), 1, sink);
        EXPECT_EQ(sink.points.size(), 800u) << name;
    }
}

}  // namespace
}  // namespace tlrx
