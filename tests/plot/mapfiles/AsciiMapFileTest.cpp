// The ASCII map file reader: degree files (.prn and any other name) and
// metre files (.utm), with their labels.

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "GridTestSupport.h"
#include "core/Errors.h"
#include "core/Utm.h"
#include "plot/RunFiles.h"
#include "plot/mapfiles/MapFileInput.h"
#include "plot/mapfiles/MapReaders.h"

namespace tlrx {
namespace {

namespace fs = std::filesystem;
using test::RecordingSink;

// A record of an ASCII sample as parsed here: "flag a b" with blanks, or
// "flag,a,b,"label"" with commas.
struct SampleRecord {
    int flag = 0;
    double a = 0, b = 0;
    std::string label;
};

std::vector<SampleRecord> ParseSample(const std::string& path) {
    std::vector<SampleRecord> records;
    std::ifstream in(path);
    std::string line;
    while (std::getline(in, line)) {
        SampleRecord r;
        const size_t quote = line.find('"');
        if (quote != std::string::npos) {
            r.label = line.substr(quote + 1, line.rfind('"') - quote - 1);
            line = line.substr(0, quote);
        }
        for (char& c : line)
            if (c == ',') c = ' ';
        std::istringstream(line) >> r.flag >> r.a >> r.b;
        records.push_back(r);
    }
    return records;
}

class AsciiMapFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetDesignState();
        ResetPlotState();
        dir = test::TestFolder();
    }
    void TearDown() override { Files().CloseInput(); }

    std::string Write(const std::string& name, const std::string& text) {
        const std::string path = dir + "/" + name;
        test::WriteFile(path, text);
        return path;
    }

    // The description of the error reading `text` raises ("" for none).
    std::string ErrorOf(const std::string& text, RecordingSink& sink) {
        try {
            ReadAsciiFile(Write("case.prn", text), 1, sink);
        } catch (const RuntimeError& e) {
            Files().CloseInput();
            return e.what();
        }
        return "";
    }

    std::string dir;
};

TEST_F(AsciiMapFileTest, DegreeSampleWithItsPlaces) {
    const std::string path = test::SamplePath("nw.prn");
    const std::vector<SampleRecord> expected = ParseSample(path);
    ASSERT_EQ(expected.size(), 944u);
    RecordingSink sink;
    ReadAsciiFile(path, 1, sink);
    ASSERT_EQ(sink.items.size(), 944u);
    EXPECT_EQ(sink.Segments(), 44);
    EXPECT_EQ(sink.rowsSet, std::vector<int16_t>{1});  // the attributes once, from row 1
    std::vector<std::string> labels;
    for (size_t i = 0; i < expected.size(); ++i) {
        const auto& item = sink.items[i];
        EXPECT_EQ(item.start, expected[i].flag != 0) << i;
        EXPECT_FALSE(item.metres);
        EXPECT_EQ(item.lat, std::nearbyint(expected[i].a * 3600)) << i;  // halves to even
        EXPECT_EQ(item.lon, std::nearbyint(expected[i].b * 3600)) << i;
        EXPECT_EQ(item.label, expected[i].label) << i;
        if (!item.label.empty()) labels.push_back(item.label);
    }
    EXPECT_EQ(labels, (std::vector<std::string>{"Seattle", "Tacoma", "Olympia", "Portland", "Vancouver",
                                                "Victoria, B.C.", "Spokane", "Kelowna"}));
    EXPECT_EQ(sink.items.back().lat, 179597);   // Kelowna, 49.88800 N
    EXPECT_EQ(sink.items.back().lon, -430186);  // 119.49600 W
}

TEST_F(AsciiMapFileTest, MetreSampleOnlyOnTheUtmProjection) {
    const std::string path = test::SamplePath("nw.utm");
    RecordingSink sink;
    ReadAsciiFile(path, 1, sink);
    EXPECT_TRUE(sink.items.empty());
    EXPECT_TRUE(sink.rowsSet.empty());
    // Not even looked for.
    ReadAsciiFile(dir + "/missing.utm", 1, sink);

    Design().ProjCode = ProjUtm;
    const std::vector<SampleRecord> expected = ParseSample(path);
    ReadAsciiFile(path, 1, sink);
    ASSERT_EQ(sink.items.size(), 944u);
    EXPECT_EQ(sink.Segments(), 44);
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_TRUE(sink.items[i].metres);
        EXPECT_EQ(sink.items[i].lon, expected[i].a) << i;  // easting first in the file
        EXPECT_EQ(sink.items[i].lat, expected[i].b) << i;
        EXPECT_EQ(sink.items[i].label, expected[i].label) << i;
    }
    EXPECT_EQ(sink.items[942].label, "Spokane");
    EXPECT_EQ(sink.items[942].lon, 918481);
    EXPECT_EQ(sink.items[942].lat, 5293228);
}

TEST_F(AsciiMapFileTest, RecordsAndLabels) {
    struct Case {
        const char* name;
        const char* text;
        std::vector<RecordingSink::Item> items;  // row 1 throughout
    };
    const Case cases[] = {
        {"comma record with a label",
         "-1,37.5,-122.25,\"Golden Gate\"\r\n",
         {{1, 135000, -440100, true, false, "Golden Gate"}}},
        {"the same without it", "-1,37.5,-122.25\r\n", {{1, 135000, -440100, true, false, ""}}},
        {"a label holding a comma",
         "-1,48.4284,-123.3656,\"Victoria, B.C.\"\n",
         {{1, 174342, -444116, true, false, "Victoria, B.C."}}},
        {"text after the closing quote",
         "1,0,0,\"A\" more\n0 1 1\n",
         {{1, 0, 0, true, false, "A"}, {1, 3600, 3600, false, false, ""}}},
        {"blank after the third number", "-1 10 20 \"X\"\n", {{1, 36000, 72000, true, false, "X"}}},
        {"blanks around commas, no line end at the end", "-1 , 10.5 ,  -20.25", {{1, 37800, -72900, true, false, ""}}},
        {"exponents, tabs, a plus sign",
         "7\t3.75e1\t-1.2225E2\n0 +1 .5\n",
         {{1, 135000, -440100, true, false, ""}, {1, 3600, 1800, false, false, ""}}},
        {"an empty field is 0", "-1,,5\n", {{1, 0, 18000, true, false, ""}}},
        {"halves of an arc-second to even", "0 0.03125 -0.09375\n", {{1, 112, -338, false, false, ""}}},
        {"rounding to whole arc-seconds", "1 0.000125 -0.000375\n", {{1, 0, -1, true, false, ""}}},
        {"blank lines between and after",
         "\n-1 1 2\n\n\n0 3 4\n\n  \n",
         {{1, 3600, 7200, true, false, ""}, {1, 10800, 14400, false, false, ""}}},
        {"no wrapping of longitudes", "-1 10 200\n", {{1, 36000, 720000, true, false, ""}}},
        {"a record across lines", "-1\n5\n6\n", {{1, 18000, 21600, true, false, ""}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RecordingSink sink;
        ASSERT_EQ(ErrorOf(c.text, sink), "");
        ASSERT_EQ(sink.items.size(), c.items.size());
        for (size_t i = 0; i < c.items.size(); ++i) {
            EXPECT_EQ(sink.items[i].row, 1);
            EXPECT_EQ(sink.items[i].lat, c.items[i].lat) << i;
            EXPECT_EQ(sink.items[i].lon, c.items[i].lon) << i;
            EXPECT_EQ(sink.items[i].start, c.items[i].start) << i;
            EXPECT_EQ(sink.items[i].label, c.items[i].label) << i;
        }
    }
}

TEST_F(AsciiMapFileTest, ReadErrors) {
    const std::pair<const char*, const char*> cases[] = {
        {"", "Input past end of file"},
        {"   \n\n", "Input past end of file"},
        {"-1 37.5 -122\n0 37.6", "Input past end of file"},
        {"-1,37.5,-122.25,\"Golden Gate\n0 1 1\n", "Invalid procedure call or argument"},  // no closing quote
        {"-1 north 122\n", "Type mismatch"},
        {"-1 37.5x -122\n", "Type mismatch"},
        {"40000 1 1\n", "Overflow"},   // the flag is a 16-bit integer
        {"-1 1e300 1\n", "Overflow"},  // beyond 32-bit arc-seconds
        {"-1 1 1e999\n", "Overflow"},
    };
    for (const auto& [text, error] : cases) {
        RecordingSink sink;
        EXPECT_EQ(ErrorOf(text, sink), error) << "\"" << text << "\"";
    }
    // The records before the bad one have been handed over.
    RecordingSink sink;
    ErrorOf("-1 1 1\n0 2 2\n0 x 3\n", sink);
    EXPECT_EQ(sink.items.size(), 2u);
}

// A line, its label included, may hold 4096 characters; a longer one is an
// error naming the file, found without reading it whole: an unclosed label
// or a run of blanks of 8 MB.
TEST_F(AsciiMapFileTest, LinesAndLabelsLongerThanTheBoundAreErrors) {
    const std::string record = "-1,37.5,-122.25,\"";
    const std::string label(kMaxMapLineChars - record.size() - 1, 'L');
    RecordingSink sink;
    ASSERT_EQ(ErrorOf(record + label + "\"\r\n0 1 1\n", sink), "");
    ASSERT_EQ(sink.items.size(), 2u);
    EXPECT_EQ(sink.items[0].label, label);

    const std::string tooLong = dir + "/case.prn has a line longer than 4096 characters";
    EXPECT_EQ(ErrorOf(record + label + "\"x\n", sink), tooLong);  // the rest of the line counts
    EXPECT_EQ(ErrorOf("-1 37.5 " + std::string(kMaxMapLineChars, ' ') + "1\n", sink), tooLong);

    const std::string big(8 << 20, 'L');
    for (const std::string& text : {record + big, "-1" + std::string(8 << 20, ' ') + "1 1\n"}) {
        const std::string path = Write("big.prn", text);
        try {
            ReadAsciiFile(path, 1, sink);
            ADD_FAILURE() << "no error";
        } catch (const RuntimeError& e) {
            EXPECT_EQ(std::string(e.what()), path + " has a line longer than 4096 characters");
            EXPECT_LE(Files().InputPosition(), int64_t{kMaxMapLineChars} + 2);
        }
        Files().CloseInput();
    }
}

// Records read the same wherever a block of the input ends: a mix of them
// is shifted a character at a time, by the empty lines before it, so that
// the first block ends at every place in it.
TEST_F(AsciiMapFileTest, RecordsReadTheSameAcrossBlockEnds) {
    // Plain decimals, an exponent, a label, blanks and line ends of every
    // kind, and a number of 50 characters.
    const std::string unit =
        "0 12.34567 -123.45678\r\n0,+1.5e1,-2.5E-1\n\r\n"
        "-1 , 89.99999 ,  -179.99999 ,\"Label, x\" rest\n0\t0.000125\t\t-0.000375\r"
        "0 000000000000000000000000000000000000000000000012.5 1234567890123456789e-17\n";
    const std::vector<RecordingSink::Item> expected = {{1, 44444, -444444, false, false, ""},
                                                       {1, 54000, -900, false, false, ""},
                                                       {1, 324000, -648000, true, false, "Label, x"},
                                                       {1, 0, -1, false, false, ""},
                                                       {1, 45000, 44444, false, false, ""}};
    const std::string head = "-1 1 1\n";
    const std::string lines(kInputBlockBytes, '\n');
    const std::string path = dir + "/blocks.prn";
    for (size_t shift = 0; shift < unit.size(); ++shift) {
        SCOPED_TRACE(shift);
        {
            // The block ends `shift` characters into the second copy.
            std::ofstream out(path, std::ios::binary | std::ios::trunc);
            out << head;
            out.write(lines.data(), static_cast<std::streamsize>(lines.size() - head.size() - unit.size() - shift));
            out << unit << unit << unit;
        }
        RecordingSink sink;
        ReadAsciiFile(path, 1, sink);
        ASSERT_EQ(sink.items.size(), 1 + 3 * expected.size());
        for (size_t i = 1; i < sink.items.size(); ++i) {
            const RecordingSink::Item& item = sink.items[i];
            const RecordingSink::Item& want = expected[(i - 1) % expected.size()];
            EXPECT_EQ(item.lat, want.lat) << i;
            EXPECT_EQ(item.lon, want.lon) << i;
            EXPECT_EQ(item.start, want.start) << i;
            EXPECT_EQ(item.label, want.label) << i;
        }
    }
}

TEST_F(AsciiMapFileTest, ReadOnlyWithAllFeaturesSelected) {
    RecordingSink sink;
    sink.selected[1] = false;
    // Neither opened nor reported missing.
    ReadAsciiFile(dir + "/missing.prn", 1, sink);
    ReadAsciiFile(Write("some.prn", "-1 1 1\n"), 1, sink);
    EXPECT_TRUE(sink.items.empty());
    EXPECT_FALSE(Files().InputOpen());

    sink.selected[1] = true;
    try {
        ReadAsciiFile(dir + "/missing.prn", 1, sink);
        FAIL() << "no error";
    } catch (const RuntimeError& e) {
        EXPECT_EQ(std::string(e.what()), "File not found");
    }
    EXPECT_FALSE(fs::exists(dir + "/missing.prn"));
}

}  // namespace
}  // namespace tlrx

namespace tlrx {
namespace {

// The number a field reads as, the plain way: an optional "+", then
// std::from_chars over the whole field. The reader's quick paths must give
// the same double, or the points of a map file would move in the pictures
// and exports.
double FieldValue(const std::string& field) {
    const char* first = field.data() + (field[0] == '+');
    double value = 0;
    std::from_chars(first, field.data() + field.size(), value);
    return value;
}

// Lines of one or two records each, in every form the reader takes on one
// line (blanks, tabs, commas among blanks, leading blanks, labels, LF, CR LF
// and CR line ends, signs, leading zeros, long fractions, exponents and more
// than 19 digits), over four blocks of the input, read to the points their
// fields give.
TEST_F(AsciiMapFileTest, RecordsOnALineReadAsTheirFieldsSay) {
    std::mt19937_64 rng(31);
    const auto pick = [&](int n) { return static_cast<int>(rng() % static_cast<uint64_t>(n)); };
    const auto number = [&](int wholeDigits) {
        std::string s = pick(4) == 0 ? "-" : pick(8) == 0 ? "+" : pick(16) == 0 ? "+-" : "";
        if (pick(8) == 0) s += std::string(static_cast<size_t>(1 + pick(3)), '0');
        for (int n = pick(wholeDigits + 1); n > 0; --n) s += static_cast<char>('0' + pick(10));
        if (pick(6) != 0) {
            s += '.';
            for (int n = pick(4) == 0 ? 1 + pick(20) : pick(6); n > 0; --n) s += static_cast<char>('0' + pick(10));
        }
        if (s.find_first_of("0123456789") == std::string::npos) s += '7';
        if (pick(20) == 0) s += "e" + std::to_string(pick(5) - 2);
        return s;
    };
    const char* separators[] = {" ", "  ", "\t", ",", " , ", "\t,", ", "};
    const char* lineEnds[] = {"\n", "\r\n", "\r"};
    std::string text;
    std::vector<RecordingSink::Item> expected;
    while (text.size() < 4 * kInputBlockBytes) {
        const int records = 1 + (pick(10) == 0);
        if (pick(10) == 0) text += std::string(static_cast<size_t>(1 + pick(3)), ' ');
        for (int r = 0; r < records; ++r) {
            const std::string fields[] = {pick(2) ? "0" : pick(2) ? "-1" : "1", number(2), number(3)};
            for (int k = 0; k < 3; ++k) text += (k ? separators[pick(7)] : (r ? "," : "")) + fields[k];
            expected.push_back({1, ToInt32(FieldValue(fields[1]) * 3600), ToInt32(FieldValue(fields[2]) * 3600),
                                ToInt16(FieldValue(fields[0])) != 0, false, ""});
        }
        if (pick(8) == 0) {
            expected.back().label = "L" + std::to_string(expected.size());
            text += (pick(2) ? ",\"" : " \"") + expected.back().label + "\"";
        }
        text += lineEnds[pick(3)];
    }
    RecordingSink sink;
    ASSERT_EQ(ErrorOf(text, sink), "");
    ASSERT_EQ(sink.items.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        ASSERT_EQ(sink.items[i].lat, expected[i].lat) << i;
        ASSERT_EQ(sink.items[i].lon, expected[i].lon) << i;
        ASSERT_EQ(sink.items[i].start, expected[i].start) << i;
        ASSERT_EQ(sink.items[i].label, expected[i].label) << i;
    }
}

// The last block, shorter than the others, is read in the memory of the
// block before it: a record at the end of the file, with no line end after
// it, is not read on into what is left of the earlier block there.
TEST_F(AsciiMapFileTest, TheLastRecordEndsWithTheFile) {
    const std::string first = "-1 1 1" + std::string(kInputBlockBytes - 6, '\n');
    const std::string second = "0 1.5 2.57\n" + std::string(kInputBlockBytes - 11, '\n');
    RecordingSink sink;
    ASSERT_EQ(ErrorOf(first + second + "0 1.5 2.5", sink), "");
    ASSERT_EQ(sink.items.size(), 3u);
    EXPECT_EQ(sink.items[1].lon, 9252);
    EXPECT_EQ(sink.items[2].lon, 9000);
}

// Records that follow each other on one line count toward its bound.
TEST_F(AsciiMapFileTest, RecordsOnOneLineShareItsBound) {
    std::string line;
    while (line.size() <= kMaxMapLineChars) line += "0 1.5 2.5,";
    RecordingSink sink;
    EXPECT_EQ(ErrorOf(line + "\n", sink), dir + "/case.prn has a line longer than 4096 characters");
    line.resize(kMaxMapLineChars - 10);
    line.resize(line.rfind(',') + 1);
    EXPECT_EQ(ErrorOf(line + "\n" + line + "\n", sink), "");
}

}  // namespace
}  // namespace tlrx
