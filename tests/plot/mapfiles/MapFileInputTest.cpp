// What the map file readers share: only regular files are opened, reading
// that hands the pass no point still yields, and the numbers of text fields.

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <bit>
#include <charconv>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <future>
#include <random>
#include <string>
#include <vector>

#include "MapReaderTestSupport.h"
#include "core/NumberText.h"
#include "plot/RunFiles.h"
#include "plot/mapfiles/MapFileInput.h"
#include "plot/mapfiles/MapReaders.h"

namespace tlrx {
namespace {

namespace fs = std::filesystem;
using test::CountingSink;

using Reader = void (*)(const std::string&, int16_t, MapPointSink&);

struct Kind {
    const char* extension;
    Reader read;
};

const Kind kKinds[] = {{"map", ReadMwdbFile},        {"pkd", ReadPackedFile}, {"grf", ReadFixedRecordFile},
                       {"dat", ReadFixedRecordFile}, {"mps", ReadWorldFile},  {"mp1", ReadWorldFile},
                       {"prn", ReadAsciiFile}};

// `count` copies of `unit` between `head` and `tail`, written in pieces.
void WriteRepeated(const std::string& path, const std::string& head, const std::string& unit, int64_t count,
                   const std::string& tail) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << head;
    std::string block;
    for (int i = 0; i < 4096; ++i) block += unit;
    for (; count >= 4096; count -= 4096) out << block;
    for (; count > 0; --count) out << unit;
    out << tail;
}

class MapFileInputTest : public test::MapReaderTest {};

// A named pipe would block the open until a writer comes, a device may never
// end: neither is opened, by any reader, and the error names the path. A
// guard releases a reader stuck in the open, so that a regression fails
// instead of hanging.
TEST_F(MapFileInputTest, OnlyRegularFilesAreOpened) {
    for (const Kind& kind : kKinds) {
        const std::string pipe = dir + "/pipe." + kind.extension;
        const std::string device = dir + "/null." + kind.extension;
        ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
        fs::create_symlink("/dev/null", device);
        for (const std::string& path : {pipe, device, std::string("/dev/null")}) {
            SCOPED_TRACE(path);
            CountingSink sink;
            sink.SelectAll();
            auto reading = std::async(std::launch::async, [&] { return ErrorOf([&] { kind.read(path, 1, sink); }); });
            if (reading.wait_for(std::chrono::seconds(5)) != std::future_status::ready) {
                const int writer = open(path.c_str(), O_WRONLY | O_NONBLOCK);  // lets the open return
                if (writer >= 0) close(writer);
                reading.wait();
                ADD_FAILURE() << "the open blocked";
                continue;
            }
            EXPECT_EQ(reading.get(), path + " is not a regular file");
            EXPECT_FALSE(Files().InputOpen());
            EXPECT_TRUE(sink.points.empty());
        }
    }
    // A link to a regular file is one.
    fs::create_symlink(test::SamplePath("nw.mp1"), dir + "/link.mp1");
    CountingSink sink;
    sink.selected = {1};
    ReadWorldFile(dir + "/link.mp1", 1, sink);
    EXPECT_EQ(sink.points.size(), 936u);
}

// Headers, points outside any drawn segment, separator lines, trailer bytes
// and empty lines hand the pass nothing: each reader yields once every
// kIdleYieldEvery of them, and a stop seen at such a yield ends the reading.
TEST_F(MapFileInputTest, ReadingThatHandsNothingYields) {
    const int64_t n = 3 * kIdleYieldEvery + 10;
    const std::string point = "100000N0100000E     ";
    const std::string drawnHeader = "       01     0   30";  // code 3001, row 1
    struct Case {
        const char* what;
        const char* name;
        Reader read;
        std::string head, unit, tail;
        size_t points;  // handed over when read to the end
    } const cases[] = {
        {"DAT headers", "a.dat", ReadFixedRecordFile, "", "         1          ", point, 1},
        {"GRF headers of a drawn row", "a.grf", ReadFixedRecordFile, "", drawnHeader, point, 1},
        {"GRF points before any header", "b.grf", ReadFixedRecordFile, "", point, drawnHeader + point, 1},
        {"MP1 separator lines", "a.mp1", ReadWorldFile, "", "# a separator\r\n", "1 2\n", 1},
        {"MPS trailer bytes", "a.mps", ReadWorldFile, std::string(8, '\0'), "x", "\n", 1},
        {"PRN empty lines", "a.prn", ReadAsciiFile, "-1 1 1\n", "\r\n", "0 2 2\n", 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string path = dir + "/" + c.name;
        WriteRepeated(path, c.head, c.unit, n, c.tail);
        CountingSink whole;
        whole.selected = {1};
        EXPECT_EQ(ErrorOf([&] { c.read(path, 1, whole); }), "");
        EXPECT_EQ(whole.segmentYields, 3);
        EXPECT_EQ(whole.points.size(), c.points);

        CountingSink stopped;
        stopped.selected = {1};
        stopped.stopAtYield = 2;
        c.read(path, 1, stopped);
        EXPECT_EQ(stopped.segmentYields, 2);
        EXPECT_EQ(stopped.points.size(), c.points - 1);  // nothing after the stop
        Files().CloseInput();
    }
}

// What a number routine makes of a field: the bits of the double, or the
// error it raises.
template <class F>
std::string Outcome(F number) {
    try {
        char bits[24];
        std::snprintf(bits, sizeof bits, "%016llx", static_cast<unsigned long long>(std::bit_cast<uint64_t>(number())));
        return bits;
    } catch (const RuntimeError& e) {
        return e.what();
    }
}

// How free-format fields were read before the plain decimals had a path of
// their own: an optional "+", then std::from_chars over the whole field.
double FromCharsField(std::string_view field) {
    double value = 0;
    if (field.empty()) return 0;
    const char* first = field.data();
    const char* last = first + field.size();
    if (*first == '+') ++first;
    const auto [end, ec] = std::from_chars(first, last, value);
    if (ec == std::errc::result_out_of_range) Raise(kOverflow);
    if (ec != std::errc{} || end != last) Raise("Type mismatch");
    return value;
}

// And fixed-column fields: the blanks taken out, then LeadingNumber.
double CompactLeadingNumber(std::string_view text) {
    std::string compact;
    for (const char c : text)
        if (c != ' ') compact.push_back(c);
    return LeadingNumber(compact);
}

// Random fields of up to 21 digits with a decimal point somewhere or none,
// a sign, and now and then leading zeros, the 2^53 boundary or an exponent.
std::vector<std::string> RandomDecimals(size_t count) {
    std::mt19937_64 rng(13);
    std::vector<std::string> fields;
    const auto pick = [&](int n) { return static_cast<int>(rng() % static_cast<uint64_t>(n)); };
    for (size_t i = 0; i < count; ++i) {
        std::string digits;
        switch (pick(8)) {
        case 0: digits = std::to_string((uint64_t{1} << 53) - 2 + static_cast<uint64_t>(pick(5))); break;
        case 1: digits = std::string(static_cast<size_t>(pick(4)), '0'); [[fallthrough]];
        default:
            for (int n = 1 + pick(21); n > 0; --n) digits.push_back(static_cast<char>('0' + pick(10)));
        }
        const int point = pick(static_cast<int>(digits.size()) + 2);
        if (point <= static_cast<int>(digits.size())) digits.insert(static_cast<size_t>(point), ".");
        if (pick(3) == 0) digits.insert(0, "-");
        if (pick(16) == 0) digits += "e" + std::to_string(pick(40) - 20);
        fields.push_back(digits);
    }
    return fields;
}

// Fields of free-format files (ASCII) read to the same double, or the same
// error, as std::from_chars reads them, the plain decimals computed on their
// own path included.
TEST(MapFieldNumbersTest, FreeFieldsReadAsFromCharsReadsThem) {
    std::vector<std::string> fields = {"",
                                       "0",
                                       "-0",
                                       "+0",
                                       "+-0",
                                       "-+0",
                                       "+",
                                       "-",
                                       ".",
                                       "-.",
                                       "+.",
                                       "5.",
                                       ".5",
                                       "-.5",
                                       "+.5",
                                       "0.1",
                                       "0.3",
                                       "-122.33210",
                                       "179.99999",
                                       "0.000125",
                                       "-0.09375",
                                       "007",
                                       "1e5",
                                       "1E5",
                                       "1e",
                                       "1e+",
                                       "1.5e-3",
                                       "+1e2",
                                       "1e999",
                                       "-1e999",
                                       "1e-400",
                                       "4.9e-324",
                                       "2.2250738585072011e-308",
                                       "1.7976931348623157e308",
                                       "inf",
                                       "-inf",
                                       "nan",
                                       "infinity",
                                       "0x10",
                                       "1.2.3",
                                       "1..2",
                                       "12a",
                                       "a12",
                                       "--5",
                                       "++5",
                                       "1,5",
                                       "9007199254740992",
                                       "9007199254740993",
                                       "9007199254740995",
                                       "900719925474099.3",
                                       "0.9007199254740993",
                                       "1234567890123456789",
                                       "12345678901234567890",
                                       "0000000000000000000001",
                                       "0.1234567890123456789",
                                       "0.30000000000000004",
                                       "1.00000000000000011102230246251565404236316680908203125",
                                       "123456789012345.6",
                                       "-0.0000000000000000001",
                                       std::string("1\0", 2),
                                       "\xb9"};
    for (const std::string& field : RandomDecimals(200000)) fields.push_back(field);
    for (const std::string& field : fields) {
        ASSERT_EQ(Outcome([&] { return FreeFieldNumber(field); }), Outcome([&] { return FromCharsField(field); }))
            << "\"" << field << "\"";
    }
}

// The scan that relies on a line end after the number stops where the
// bounded one stops and computes the same double, bit for bit, as
// std::from_chars, for two million digit runs with and without a point:
// up to 21 digits, leading zeros, the 2^53 boundary.
TEST(MapFieldNumbersTest, ScanToTheLineEndReadsAsTheBoundedScan) {
    std::vector<std::string> fields = {"0",
                                       "-0",
                                       ".",
                                       "5.",
                                       ".5",
                                       "0.1",
                                       "9007199254740992",
                                       "9007199254740993",
                                       "1234567890123456789",
                                       "12345678901234567890",
                                       "0.1234567890123456789",
                                       "00000000000000000000.5",
                                       "1.2.3",
                                       "12e3",
                                       "83.12947"};
    for (const std::string& field : RandomDecimals(2000000)) fields.push_back(field);
    for (const std::string& field : fields) {
        // The sign is the caller's.
        const std::string digits = field.substr(field[0] == '-' ? 1 : 0);
        const std::string line = digits + "\n";
        const char* bounded = line.data();
        const char* scanned = line.data();
        double a = -1, b = -1;
        const bool readA = ReadPlainDecimal(bounded, line.data() + digits.size(), a);
        const bool readB = ScanPlainDecimal(scanned, b);
        ASSERT_EQ(readA, readB) << field;
        ASSERT_EQ(bounded - line.data(), scanned - line.data()) << field;
        if (!readB) continue;
        double want = 0;
        const auto [end, ec] = std::from_chars(line.data(), scanned, want);
        ASSERT_TRUE(ec == std::errc{} && end == scanned) << field;
        ASSERT_EQ(std::bit_cast<uint64_t>(b), std::bit_cast<uint64_t>(want)) << field;
    }
}

// Fields of fixed-column files (DAT, GRF) and MP1 lines: blanks anywhere
// ignored, the leading number read as it was with the blanks taken out.
TEST(MapFieldNumbersTest, FixedFieldsReadAsWithTheBlanksTakenOut) {
    std::vector<std::string> fields = {"",
                                       " ",
                                       "  12  ",
                                       "1 2",
                                       "- 5",
                                       "+ 5",
                                       "+ -5",
                                       "-  ",
                                       " . ",
                                       "5 .5",
                                       "5. 5",
                                       "1.2 .3",
                                       "1.2 3",
                                       "12.5abc",
                                       "1.2.3",
                                       "1e5",
                                       " -0",
                                       "-",
                                       ".",
                                       ".x",
                                       "x5",
                                       "\t5",
                                       "5\t",
                                       "007",
                                       "45.5,10",
                                       "-122.5 ",
                                       "99999999999999999999",
                                       "9007199254740993",
                                       "1" + std::string(400, '0'),
                                       "1" + std::string(400, '0') + ".5",
                                       "0." + std::string(400, '0') + "1",
                                       "4 5 . 1 2 3 4 5"};
    for (std::string field : RandomDecimals(100000)) {
        // Blanks here and there.
        for (size_t at = field.size() / 3; at < field.size(); at += 4) field.insert(at, " ");
        fields.push_back(field);
    }
    for (const std::string& field : fields) {
        ASSERT_EQ(Outcome([&] { return FieldNumber(field); }), Outcome([&] { return CompactLeadingNumber(field); }))
            << "\"" << field << "\"";
    }
}

}  // namespace
}  // namespace tlrx
