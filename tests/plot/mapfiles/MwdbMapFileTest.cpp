// The MWDB map file reader (ALL, CCI, MAP, PNT) and the kind of a file.

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "GridTestSupport.h"
#include "core/Errors.h"
#include "plot/MapPlot.h"
#include "plot/mapfiles/MapFileTypes.h"
#include "plot/mapfiles/MapReaders.h"

namespace tlrx {
namespace {

namespace fs = std::filesystem;
using test::MwdbRecord;
using test::RecordingSink;

class MwdbMapFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetDesignState();
        ResetPlotState();
        RebuildMwdbRankRow();
        dir = test::TestFolder();
    }
    void TearDown() override { Files().CloseInput(); }

    std::string Write(const std::string& name, const std::vector<MwdbRecord>& records) {
        const std::string path = dir + "/" + name;
        test::WriteFile(path, test::MwdbBytes(records));
        return path;
    }

    std::string dir;
};

TEST(MapFileTypesTest, TheKindIsTheLastThreeCharactersInAnyCaseAndElseAsciiDegrees) {
    const std::pair<const char*, const char*> cases[] = {
        {"C:\\MAPS\\WORLD.Map", "MAP"}, {"/maps/nw.all", "ALL"}, {"coast.txt", "PRN"}, {"coast.pr", "PRN"},
        {"worldxmap", "MAP"},           {"places.Utm", "UTM"},   {"ab", "PRN"},        {"", "PRN"},
    };
    for (const auto& [name, ext] : cases) EXPECT_EQ(MapFileTypeOf(name).extension, ext) << name;
}

TEST(MapFileTypesTest, EveryExtensionHasItsReaderOpenGroupAndPenSites) {
    struct Row {
        const char* ext;
        MapReader reader;
        const char* group;
        PenSites pens;
    };
    const Row rows[] = {
        {"PRN", MapReader::Ascii, "ASCII (.prn, .utm)", {13, 7, 14}},
        {"UTM", MapReader::Ascii, "ASCII (.prn, .utm)", {13, 7, 14}},
        {"ALL", MapReader::Mwdb, "MWDB2 (.all, .pnt, .cci)", {3, 1, 2}},
        {"PNT", MapReader::Mwdb, "MWDB2 (.all, .pnt, .cci)", {3, 1, 2}},
        {"CCI", MapReader::Mwdb, "MWDB2 (.all, .pnt, .cci)", {3, 1, 2}},
        {"GRV", MapReader::Packed, "USGS DLG (.grv, .grf)", {5, 2, 4}},
        {"GRF", MapReader::FixedRecord, "USGS DLG (.grv, .grf)", {9, 5, 10}},
        {"MAP", MapReader::Mwdb, "TLRX (.map)", {3, 1, 2}},
        {"DAT", MapReader::FixedRecord, "WDB1 (.dat)", {8, 4, 10}},
        {"PKV", MapReader::Packed, "WDB2 (.pkv, .pkd)", {5, 2, 4}},
        {"PKD", MapReader::Packed, "WDB2 (.pkv, .pkd)", {5, 2, 4}},
        {"MP1", MapReader::World, "World (.mp1, .mps)", {6, 3, 7}},
        {"MPS", MapReader::World, "World (.mp1, .mps)", {11, 6, 12}},
    };
    ASSERT_EQ(MapFileTypes().size(), std::size(rows));
    for (const Row& r : rows) {
        const MapFileType& t = MapFileTypeOf(std::string("file.") + r.ext);
        EXPECT_EQ(t.extension, r.ext);
        EXPECT_EQ(t.reader, r.reader) << r.ext;
        EXPECT_EQ(t.openGroup, r.group) << r.ext;
        EXPECT_EQ(t.pens.segmentRelease, r.pens.segmentRelease) << r.ext;
        EXPECT_EQ(t.pens.segmentCreate, r.pens.segmentCreate) << r.ext;
        EXPECT_EQ(t.pens.endRelease, r.pens.endRelease) << r.ext;
    }
}

// Every MWDB sample against a decoding of its bytes made here: the rank of a
// start code (code / 1000) names the feature class of data/README.md.
TEST_F(MwdbMapFileTest, SamplesReadAsTheirRecordsSay) {
    const std::map<int, int16_t> classOfRank = {{1, 1}, {5, 2}, {6, 3}, {7, 4}, {2, 5},
                                                {8, 6}, {3, 7}, {9, 8}, {4, 9}, {10, 10}};
    for (const char* name : {"nw.all", "nw.cci", "nw.map", "nw.pnt"}) {
        SCOPED_TRACE(name);
        const std::string bytes = test::FileBytes(test::SamplePath(name));
        ASSERT_EQ(bytes.size(), 5574u);
        std::vector<RecordingSink::Item> expected;
        int16_t row = 0;
        for (size_t at = 0; at + 6 <= bytes.size(); at += 6) {
            const auto word = [&](size_t k) {
                return static_cast<int16_t>(static_cast<uint8_t>(bytes[at + k]) |
                                            static_cast<uint8_t>(bytes[at + k + 1]) << 8);
            };
            const int16_t code = word(0);
            if (code != 0) row = classOfRank.at(code / 1000);
            expected.push_back({row, word(2) * 60, word(4) * 60, code != 0, false, {}});
        }

        RecordingSink sink;
        ReadMwdbFile(test::SamplePath(name), 1, sink);
        ASSERT_EQ(sink.items.size(), 929u);
        const bool pointFile = std::string(name) == "nw.pnt";
        EXPECT_EQ(sink.Segments(), pointFile ? 929 : 36);
        EXPECT_EQ(sink.rowsSet.size(), size_t(sink.Segments()));  // the attributes at every segment
        for (size_t i = 0; i < expected.size(); ++i) {
            EXPECT_EQ(sink.items[i].row, expected[i].row) << i;
            EXPECT_EQ(sink.items[i].lat, expected[i].lat) << i;
            EXPECT_EQ(sink.items[i].lon, expected[i].lon) << i;
            EXPECT_EQ(sink.items[i].start, expected[i].start) << i;
        }
        std::map<int16_t, int> segmentsPerRow;
        for (const auto& item : sink.items) segmentsPerRow[item.row] += item.start ? 1 : 0;
        if (!pointFile) {
            // The sample's polylines: coastlines 2, islands 12, lakes 4, rivers 10,
            // countries 3, Canada 1, United States 4.
            const std::map<int16_t, int> polylines = {{1, 2}, {2, 12}, {3, 4}, {4, 10}, {5, 3}, {7, 1}, {9, 4}};
            EXPECT_EQ(segmentsPerRow, polylines);
        }
        // Within the sample's window, 126 W to 114 W and 45 N to 50 N.
        for (const auto& item : sink.items) {
            EXPECT_TRUE(item.lat >= 45 * 3600 && item.lat <= 50 * 3600) << item.lat;
            EXPECT_TRUE(item.lon >= -126 * 3600 && item.lon <= -114 * 3600) << item.lon;
        }
    }
}

TEST_F(MwdbMapFileTest, RankCodesChooseTheRow) {
    // 1500: rank 1, coastlines; 2999: rank 2, countries; -1200 and 11000 map
    // to row 0, never drawn, and the records after them go with them; 999
    // continues a segment.
    const std::string path = Write("ranks.cci", {{1500, 60, 120},
                                                 {999, 61, 121},
                                                 {2999, 62, 122},
                                                 {0, 63, 123},
                                                 {-1200, 64, 124},
                                                 {0, 65, 125},
                                                 {11000, 66, 126},
                                                 {999, 67, 127},
                                                 {-999, 68, 128}});
    RecordingSink sink;
    ReadMwdbFile(path, 1, sink);
    ASSERT_EQ(sink.items.size(), 4u);
    EXPECT_EQ(sink.items[0].row, 1);
    EXPECT_TRUE(sink.items[0].start);
    EXPECT_EQ(sink.items[0].lat, 3600);
    EXPECT_EQ(sink.items[0].lon, 7200);
    EXPECT_EQ(sink.items[1].row, 1);
    EXPECT_FALSE(sink.items[1].start);
    EXPECT_EQ(sink.items[2].row, 5);
    EXPECT_TRUE(sink.items[2].start);
    EXPECT_FALSE(sink.items[3].start);
    EXPECT_EQ(sink.rowsSet, (std::vector<int16_t>{1, 5}));
    EXPECT_EQ(sink.passedOver, 5);

    // Unselected rows are passed over record by record and counted.
    sink = RecordingSink();
    sink.selected[1] = false;
    ReadMwdbFile(path, 1, sink);
    EXPECT_EQ(sink.items.size(), 2u);
    EXPECT_EQ(sink.passedOver, 7);
}

TEST_F(MwdbMapFileTest, ExtremeCodesAndCoordinates) {
    // 32767 is rank 32, -32768 rank -32: no row. Arc-minutes at the 16-bit
    // limits become arc-seconds without overflow.
    const std::string path = Write("edge.map", {{32767, 1, 1}, {-32768, 2, 2}, {4000, 32767, -32768}});
    RecordingSink sink;
    ReadMwdbFile(path, 1, sink);
    ASSERT_EQ(sink.items.size(), 1u);
    EXPECT_EQ(sink.items[0].row, 9);
    EXPECT_EQ(sink.items[0].lat, 32767 * 60);
    EXPECT_EQ(sink.items[0].lon, -32768 * 60);
    EXPECT_EQ(sink.passedOver, 2);
}

TEST_F(MwdbMapFileTest, PointFileSelectsRowsOneToTenWithRowOne) {
    DesignState& d = Design();
    ResizeInputFiles(2);
    d.FeatureSelected(1, 2) = true;
    const std::string path = dir + "/nw.pnt";
    fs::copy_file(test::SamplePath("nw.pnt"), path);
    RecordingSink sink;
    sink.selected.assign(73, false);
    sink.selected[1] = true;
    ReadMwdbFile(path, 2, sink);
    for (int row = 1; row <= 10; ++row) EXPECT_TRUE(d.FeatureSelected(row, 2)) << row;
    EXPECT_FALSE(d.FeatureSelected(11, 2));
    EXPECT_TRUE(d.FeatureSelected(1, 1));  // file 1 keeps its own

    // Without row 1 nothing changes.
    ResizeInputFiles(3);
    d.FeatureSelected(2, 3) = true;
    sink.selected.assign(73, false);
    ReadMwdbFile(path, 3, sink);
    EXPECT_FALSE(d.FeatureSelected(1, 3));
    EXPECT_FALSE(d.FeatureSelected(3, 3));
}

TEST_F(MwdbMapFileTest, MissingFileIsNotFoundAndNotCreated) {
    RecordingSink sink;
    const std::string path = dir + "/missing.all";
    try {
        ReadMwdbFile(path, 1, sink);
        FAIL() << "no error";
    } catch (const RuntimeError& e) {
        EXPECT_EQ(std::string(e.what()), "File not found");
    }
    EXPECT_FALSE(fs::exists(path));
    EXPECT_FALSE(Files().InputOpen());
}

// Records read the same across the blocks of the input, which end inside
// records; a file cut inside its last record hands over every whole one.
TEST_F(MwdbMapFileTest, RecordsAcrossBlocks) {
    std::vector<MwdbRecord> records;
    for (int i = 0; records.size() * 6 < 2 * kInputBlockBytes + 100; ++i)
        records.push_back({static_cast<int16_t>(i % 50 == 0 ? 1000 : 0), static_cast<int16_t>(i % 5401 - 2700),
                           static_cast<int16_t>(i % 21601 - 10800)});
    const std::string path = Write("big.map", records);
    for (const bool cut : {false, true}) {
        SCOPED_TRACE(cut);
        if (cut) test::WriteFile(path, test::MwdbBytes(records).substr(0, 6 * records.size() - 2));
        RecordingSink sink;
        std::string error;
        try {
            ReadMwdbFile(path, 1, sink);
        } catch (const RuntimeError& e) {
            error = e.what();
        }
        EXPECT_EQ(error, cut ? "Input past end of file" : "");
        ASSERT_EQ(sink.items.size(), records.size() - (cut ? 1 : 0));
        for (size_t i = 0; i < sink.items.size(); ++i) {
            ASSERT_EQ(sink.items[i].lat, records[i].lat * 60) << i;
            ASSERT_EQ(sink.items[i].lon, records[i].lon * 60) << i;
            ASSERT_EQ(sink.items[i].start, records[i].code != 0) << i;
        }
        Files().CloseInput();
    }
}

TEST_F(MwdbMapFileTest, TruncatedRecordIsAReadErrorAfterTheWholeOnes) {
    std::string bytes = test::MwdbBytes({{1000, 60, 60}, {0, 61, 61}});
    const std::string path = dir + "/cut.map";
    test::WriteFile(path, bytes.substr(0, 11));
    RecordingSink sink;
    try {
        ReadMwdbFile(path, 1, sink);
        FAIL() << "no error";
    } catch (const RuntimeError& e) {
        EXPECT_EQ(std::string(e.what()), "Input past end of file");
    }
    EXPECT_EQ(sink.items.size(), 1u);

    // An empty file is a map without points.
    test::WriteFile(path, "");
    sink = RecordingSink();
    ReadMwdbFile(path, 1, sink);
    EXPECT_TRUE(sink.items.empty());
}

}  // namespace
}  // namespace tlrx
