#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "MapReaderTestSupport.h"
#include "plot/PlotState.h"
#include "plot/RunFiles.h"
#include "plot/mapfiles/MapReaders.h"

namespace tlrx {
namespace {

using test::CountingSink;
using test::RecordedPoint;

// A GRF header: minor code in characters 8-9, count in 10-15, major code in 19-20.
std::string GrfHeader(int major, int minor, int count) {
    char rec[21];
    std::snprintf(rec, sizeof rec, "       %02d%6d   %02d", minor, count, major);
    return rec;
}

const std::string kHeader = "         1          ";  // character 7 a blank

class FixedRecordMapFileTest : public test::MapReaderTest {
protected:
    std::string Fixture(const std::string& name, const std::string& bytes) {
        const std::string path = dir + "/" + name;
        test::WriteBytes(path, bytes);
        return path;
    }
};

// Both samples against an independent decode of their records: the same 36
// segments of 936 points; DAT with row 1 set once, GRF with the row of
// every header's code.
TEST_F(FixedRecordMapFileTest, SamplesReadBackAsWritten) {
    for (const char* name : {"nw.dat", "nw.grf"}) {
        SCOPED_TRACE(name);
        const auto records = test::DecodeRecords(test::SamplePath(name));
        CountingSink sink;
        sink.SelectAll();
        ReadFixedRecordFile(test::SamplePath(name), 1, sink);
        const auto segs = sink.Segments();
        ASSERT_EQ(segs.size(), 36u);
        EXPECT_EQ(sink.points.size(), 936u);
        for (size_t i = 0; i < segs.size(); ++i) {
            ASSERT_EQ(segs[i].size(), records[i].size());
            for (size_t k = 0; k < segs[i].size(); ++k) {
                EXPECT_EQ(segs[i][k].lat, records[i][k].first);
                EXPECT_EQ(segs[i][k].lon, records[i][k].second);
            }
        }
        EXPECT_TRUE(sink.passedOver.empty());
        EXPECT_EQ(sink.segmentYields, 0);
    }
    // The GRF rows by the codes the samples' notes list for each class.
    const std::map<int, int16_t> rowOfCode = {{4000, 25}, {4001, 26}, {4010, 27}, {4014, 28}, {3003, 3},
                                              {3005, 4},  {3010, 5},  {3016, 6},  {6001, 54}, {6005, 56}};
    const std::string bytes = test::ReadBytes(test::SamplePath("nw.grf"));
    std::vector<int16_t> expected;
    for (size_t at = 0; at + 20 <= bytes.size(); at += 20)
        if (bytes[at + 6] == ' ')
            expected.push_back(
                rowOfCode.at(100 * std::stoi(bytes.substr(at + 18, 2)) + std::stoi(bytes.substr(at + 7, 2))));
    CountingSink sink;
    sink.SelectAll();
    ReadFixedRecordFile(test::SamplePath("nw.grf"), 1, sink);
    EXPECT_EQ(sink.rows, expected);
    CountingSink dat;
    dat.SelectAll();
    ReadFixedRecordFile(test::SamplePath("nw.dat"), 1, dat);
    EXPECT_EQ(dat.rows, std::vector<int16_t>{1});
}

// Point records: degrees, minutes and seconds as the leading numbers of
// their characters (blanks anywhere ignored, no digits 0), "S" and "W" negative.
TEST_F(FixedRecordMapFileTest, PointRecordFields) {
    struct Case {
        const char* record;
        int32_t lat, lon;
    } const cases[] = {
        {"452530N1223015W     ", 163530, -441015},
        {"452530S1223015E     ", -163530, 441015},
        {"000000N0000000W     ", 0, 0},
        {"  2 30N   1  5X     ", 150, 65},        // blank fields 0; any other letter positive
        {"4  53 N1 2 34 W     ", 14703, -43384},  // "1 2" reads 12
        {"0a0000s0010000w     ", 0, 3600},        // lower-case letters are not S or W
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.record);
        const std::string path = Fixture("a.dat", kHeader + c.record);
        CountingSink sink;
        sink.selected = {1};
        ReadFixedRecordFile(path, 1, sink);
        ASSERT_EQ(sink.points.size(), 1u);
        EXPECT_EQ(sink.points[0].lat, c.lat);
        EXPECT_EQ(sink.points[0].lon, c.lon);
    }
}

// A header leaves the segment start pending (SegmentState 1): each point
// record is a segment start until the device layer has drawn one (it then
// clears SegmentState). The first point of a file starts a segment also
// without a header before it.
TEST_F(FixedRecordMapFileTest, SegmentStartsWhileTheHeaderIsPending) {
    const std::string pt = "452530N1223015W    \n";
    struct Case {
        std::string bytes;
        bool drawStarts;
        std::vector<bool> starts;
    } const cases[] = {
        {kHeader + pt + pt + pt + kHeader + pt + pt, true, {true, false, false, true, false}},
        {kHeader + pt + pt + pt + kHeader + pt + pt, false, {true, true, true, true, true}},
        {pt + pt + kHeader + pt, true, {true, false, true}},
    };
    for (const Case& c : cases) {
        Plot().SegmentState = 0;
        CountingSink sink;
        sink.selected = {1};
        sink.drawStarts = c.drawStarts;
        ReadFixedRecordFile(Fixture("a.dat", c.bytes), 1, sink);
        std::vector<bool> starts;
        for (const RecordedPoint& p : sink.points) starts.push_back(p.start);
        EXPECT_EQ(starts, c.starts);
        EXPECT_EQ(sink.rows, std::vector<int16_t>{1});
    }
}

// GRF headers: major 30 minor 01 is code 3001, row 1; a code not in the DLG
// table or of an unselected row is passed over with one yield, the file
// positioned past as many records as the header counts. Points that the
// count leaves behind belong to the passed-over segment and are not drawn.
TEST_F(FixedRecordMapFileTest, GrfHeadersSelectOrPassOverTheirSegments) {
    const std::string a = "100000N0100000E     ", b = "200000N0200000E     ", c = "300000N0300000E     ";
    struct Case {
        const char* what;
        std::string bytes;
        std::set<int16_t> selected;
        std::vector<int32_t> lats;  // degrees of the points drawn
        std::vector<int16_t> rows;
        int yields;
    } const cases[] = {
        {"30/01 drawn", GrfHeader(30, 1, 2) + a + b, {1}, {10, 20}, {1}, 0},
        {"50/05 passed over", GrfHeader(50, 5, 2) + a + b + GrfHeader(30, 1, 1) + c, {1}, {30}, {1}, 1},
        {"row not selected", GrfHeader(30, 1, 2) + a + b + GrfHeader(30, 2, 1) + c, {2}, {30}, {2}, 1},
        {"count short", GrfHeader(50, 5, 1) + a + b + GrfHeader(30, 1, 1) + c, {1}, {30}, {1}, 1},
        {"count long", GrfHeader(50, 5, 3) + a + b + GrfHeader(30, 1, 1) + c, {1}, {}, {}, 1},
        {"count negative", GrfHeader(50, 5, -1) + a + b + GrfHeader(30, 1, 1) + c, {1}, {30}, {1}, 1},
        {"points before any header", a + GrfHeader(30, 1, 1) + b, {1}, {20}, {1}, 0},
    };
    for (const Case& cs : cases) {
        SCOPED_TRACE(cs.what);
        CountingSink sink;
        sink.selected = cs.selected;
        ReadFixedRecordFile(Fixture("a.grf", cs.bytes), 1, sink);
        std::vector<int32_t> lats;
        for (const RecordedPoint& p : sink.points) lats.push_back(p.lat / 3600);
        EXPECT_EQ(lats, cs.lats);
        EXPECT_EQ(sink.rows, cs.rows);
        EXPECT_EQ(sink.segmentYields, cs.yields);
        EXPECT_TRUE(sink.passedOver.empty());
    }
}

// A DAT file is opened only with row 1 selected (a missing one is then not
// reported); a GRF file always.
TEST_F(FixedRecordMapFileTest, DatFilesAreReadOnlyWithAllFeaturesSelected) {
    CountingSink unselected;
    unselected.selected = {2};
    EXPECT_EQ(ErrorOf([&] { ReadFixedRecordFile(dir + "/none.dat", 1, unselected); }), "");
    ReadFixedRecordFile(test::SamplePath("nw.dat"), 1, unselected);
    EXPECT_TRUE(unselected.points.empty());
    EXPECT_TRUE(unselected.rows.empty());
    EXPECT_FALSE(Files().InputOpen());

    CountingSink selected;
    selected.selected = {1};
    EXPECT_EQ(ErrorOf([&] { ReadFixedRecordFile(dir + "/none.dat", 1, selected); }), "File not found");
    EXPECT_EQ(ErrorOf([&] { ReadFixedRecordFile(dir + "/none.grf", 1, unselected); }), "File not found");
}

// A file whose length is not a whole number of records, or whose passed-over
// segment counts past its end, is a read error.
TEST_F(FixedRecordMapFileTest, TruncatedFilesAreReadErrors) {
    const std::string dat = test::ReadBytes(test::SamplePath("nw.dat"));
    const std::string grf = test::ReadBytes(test::SamplePath("nw.grf"));
    CountingSink sink;
    sink.SelectAll();
    EXPECT_EQ(ErrorOf([&] { ReadFixedRecordFile(Fixture("a.dat", dat.substr(0, dat.size() - 10)), 1, sink); }),
              "Input past end of file");
    EXPECT_EQ(ErrorOf([&] { ReadFixedRecordFile(Fixture("a.grf", grf.substr(0, 19)), 1, sink); }),
              "Input past end of file");
    // The last segment passed over, its records cut.
    CountingSink none;
    EXPECT_EQ(ErrorOf([&] { ReadFixedRecordFile(Fixture("b.grf", grf.substr(0, grf.size() - 20)), 1, none); }),
              "Input past end of file");
    CountingSink whole;
    EXPECT_EQ(ErrorOf([&] { ReadFixedRecordFile(test::SamplePath("nw.grf"), 1, whole); }), "");
    EXPECT_EQ(whole.segmentYields, 36);
}

// A stop seen at a yield ends the reading at once.
TEST_F(FixedRecordMapFileTest, StopIsHonouredAtTheYield) {
    CountingSink skipping;
    skipping.stopAtYield = 1;
    ReadFixedRecordFile(test::SamplePath("nw.grf"), 1, skipping);
    EXPECT_EQ(skipping.segmentYields, 1);

    CountingSink drawing;
    drawing.selected = {1};
    drawing.stopAtYield = 1;
    ReadFixedRecordFile(test::SamplePath("nw.dat"), 1, drawing);
    EXPECT_EQ(drawing.points.size(), 800u);
}

}  // namespace
}  // namespace tlrx
