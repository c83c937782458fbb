// Tests of tlrx-convert, run as the built program: it reproduces the
// committed sample files and world map byte for byte, and what it writes
// decodes (by the small readers below, written apart from the converter) to
// the input points in each format's units, signs and segment starts.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include <sys/wait.h>

namespace fs = std::filesystem;

namespace {

const fs::path kSource = TLRX_SOURCE_DIR;
const fs::path kNaturalEarth = kSource / ".." / "shared" / "data" / "naturalearth";
// The window of the sample extract, as data/samples/README.md gives it.
const char* const kSampleWindow = "-126 45 -114 50";

std::string Quote(const std::string& s) { return "'" + s + "'"; }

fs::path OutDir(const std::string& name) {
    const fs::path dir = fs::path(TLRX_TEST_OUT_DIR) / "convert" / name;
    fs::remove_all(dir);
    fs::create_directories(dir);
    return dir;
}

// Runs the converter with `args` (already quoted); returns its exit code.
int Convert(const std::string& args, const fs::path& log) {
    const std::string cmd = Quote(TLRX_CONVERT_EXE) + " " + args + " 2>>" + Quote(log.string());
    const int status = std::system(cmd.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string ReadAll(const fs::path& p) {
    std::ifstream f(p, std::ios::binary);
    std::ostringstream s;
    s << f.rdbuf();
    return s.str();
}

void WriteText(const fs::path& p, const std::string& text) {
    std::ofstream f(p, std::ios::binary);
    f << text;
}

void ExpectSameFiles(const fs::path& made, const fs::path& committed, const std::set<std::string>& skip) {
    std::set<std::string> madeNames, committedNames;
    for (const auto& e : fs::directory_iterator(made))
        if (e.is_regular_file()) madeNames.insert(e.path().filename().string());
    for (const auto& e : fs::directory_iterator(committed))
        if (e.is_regular_file() && !skip.count(e.path().filename().string()))
            committedNames.insert(e.path().filename().string());
    EXPECT_EQ(madeNames, committedNames);
    for (const std::string& name : madeNames)
        EXPECT_TRUE(ReadAll(made / name) == ReadAll(committed / name)) << name << " differs from the committed file";
}

TEST(ConvertSamples, ReproducesTheCommittedSamples) {
    const fs::path out = OutDir("samples");
    const std::string cmd = "sh " + Quote((kSource / "data/samples/make-samples.sh").string()) + " " +
                            Quote(TLRX_CONVERT_EXE) + " " + Quote(out.string()) + " 2>" +
                            Quote((out.parent_path() / "samples.log").string());
    ASSERT_EQ(std::system(cmd.c_str()), 0);
    ExpectSameFiles(out, kSource / "data/samples", {"README.md", "make-samples.sh"});
}

TEST(ConvertSamples, ReproducesTheWorldMapAndTheSampleExtract) {
    if (!fs::exists(kNaturalEarth)) GTEST_SKIP() << "no Natural Earth layers at " << kNaturalEarth;
    const fs::path out = OutDir("world");
    const fs::path log = out.parent_path() / "world.log";
    const std::string layers = "--natural-earth " + Quote(kNaturalEarth.string());
    ASSERT_EQ(Convert(layers + " -o " + Quote((out / "Tlrx4.map").string()), log), 0);
    EXPECT_TRUE(ReadAll(out / "Tlrx4.map") == ReadAll(kSource / "data/Tlrx4.map"));

    const fs::path extract = out / "input";
    fs::create_directories(extract);
    ASSERT_EQ(
        Convert(std::string("--window ") + kSampleWindow + " --extract " + Quote(extract.string()) + " " + layers, log),
        0);
    ExpectSameFiles(extract, kSource / "data/samples/input", {"places.txt"});
}

// ---- Small independent readers ---------------------------------------------

struct Seg {
    int code = 0;
    std::vector<std::pair<double, double>> pts;  // (latitude, longitude) or (easting, northing), in file units
};

int16_t Int16At(const std::string& b, size_t i) {
    return static_cast<int16_t>(static_cast<uint8_t>(b[i]) | (static_cast<uint8_t>(b[i + 1]) << 8));
}
int SByte(const std::string& b, size_t i) { return static_cast<int8_t>(b[i]); }

std::vector<Seg> DecodeMwdb(const std::string& b) {
    std::vector<Seg> segs;
    EXPECT_EQ(b.size() % 6, 0u);
    for (size_t i = 0; i + 6 <= b.size(); i += 6) {
        const int code = Int16At(b, i);
        if (code / 1000 != 0) segs.push_back(Seg{code, {}});
        if (segs.empty()) ADD_FAILURE() << "the file does not start a segment";
        else segs.back().pts.emplace_back(Int16At(b, i + 2), Int16At(b, i + 4));
    }
    return segs;
}

std::vector<Seg> DecodePacked(const std::string& b) {
    std::vector<Seg> segs;
    size_t i = 0;
    const auto lon = [&] {
        const double v = 3600.0 * (2 * SByte(b, i) + SByte(b, i + 1)) + 60 * SByte(b, i + 2) + SByte(b, i + 3);
        i += 4;
        return v;
    };
    const auto lat = [&] {
        const double v = 3600.0 * SByte(b, i) + 60 * SByte(b, i + 1) + SByte(b, i + 2);
        i += 3;
        return v;
    };
    while (i < b.size()) {
        Seg s{static_cast<uint8_t>(b[i]), {}};
        const int count = 100 * static_cast<uint8_t>(b[i + 1]) + static_cast<uint8_t>(b[i + 2]);
        EXPECT_LT(static_cast<uint8_t>(b[i + 2]), 100);
        i += 3;
        const double west = lon(), south = lat(), east = lon(), north = lat();
        double x = lon(), y = lat();
        s.pts.emplace_back(y, x);
        for (int k = 1; k < count; ++k, i += 2) {
            x += SByte(b, i);
            y += SByte(b, i + 1);
            s.pts.emplace_back(y, x);
        }
        for (const auto& [la, lo] : s.pts) {
            EXPECT_TRUE(lo >= west && lo <= east && la >= south && la <= north) << "point outside its box";
        }
        segs.push_back(std::move(s));
    }
    EXPECT_EQ(i, b.size());
    return segs;
}

double Field(const std::string& r, size_t pos, size_t len) { return std::atof(r.substr(pos, len).c_str()); }

std::vector<Seg> DecodeFixed(const std::string& b, bool grf) {
    std::vector<Seg> segs;
    EXPECT_EQ(b.size() % 20, 0u);
    int expectCount = 0;
    for (size_t i = 0; i + 20 <= b.size(); i += 20) {
        const std::string r = b.substr(i, 20);
        if (r[6] < ':') {
            if (!segs.empty()) {
                EXPECT_EQ(static_cast<int>(segs.back().pts.size()), expectCount);
            }
            segs.push_back(
                Seg{grf ? 100 * static_cast<int>(Field(r, 18, 2)) + static_cast<int>(Field(r, 7, 2)) : 0, {}});
            expectCount = static_cast<int>(Field(r, 9, 6));
            continue;
        }
        const double la = (3600 * Field(r, 0, 2) + 60 * Field(r, 2, 2) + Field(r, 4, 2)) * (r[6] == 'S' ? -1 : 1);
        const double lo = (3600 * Field(r, 7, 3) + 60 * Field(r, 10, 2) + Field(r, 12, 2)) * (r[14] == 'W' ? -1 : 1);
        EXPECT_EQ(r.substr(15), grf ? "     " : "    \n");
        if (segs.empty()) {
            ADD_FAILURE() << "a point record before the first header";
            return segs;
        }
        segs.back().pts.emplace_back(la, lo);
    }
    if (!segs.empty()) {
        EXPECT_EQ(static_cast<int>(segs.back().pts.size()), expectCount);
    }
    return segs;
}

std::vector<Seg> DecodeMps(const std::string& b) {
    std::vector<Seg> segs;
    size_t i = 0;
    const auto single = [&] {
        float v;
        std::memcpy(&v, b.data() + i, 4);  // the test machine is little-endian, as the file
        i += 4;
        return v;
    };
    while (i + 8 <= b.size()) {
        float la = single();
        if (la == 99.0f || segs.empty()) segs.push_back(Seg{});
        if (la == 99.0f) la = single();
        const float lo = single();
        EXPECT_EQ(b[i++], '\n');
        segs.back().pts.emplace_back(la, lo);
    }
    EXPECT_EQ(i, b.size());
    return segs;
}

// .mp1, .prn and .utm: text lines. `ascii`: "flag x y" records with an
// optional label (kept in `labels`), else .mp1 "lat lon" lines.
std::vector<Seg> DecodeText(const std::string& b, bool ascii, std::vector<std::string>* labels = nullptr) {
    std::vector<Seg> segs;
    std::istringstream in(b);
    std::string line;
    bool pendingStart = true;
    while (std::getline(in, line)) {
        if (!ascii) {
            if (line.empty() || !(line[0] == '-' || std::isdigit(static_cast<unsigned char>(line[0])))) {
                pendingStart = true;
                continue;
            }
            char* end = nullptr;
            const double la = std::strtod(line.c_str(), &end);
            const double lo = std::strtod(end, &end);
            EXPECT_EQ(*end, '\0') << line;
            if (pendingStart) segs.push_back(Seg{});
            pendingStart = false;
            segs.back().pts.emplace_back(la, lo);
            continue;
        }
        std::string label;
        if (const size_t q = line.find('"'); q != std::string::npos) {
            label = line.substr(q + 1, line.size() - q - 2);
            EXPECT_EQ(line.back(), '"');
            EXPECT_EQ(line[q - 1], ',');
            line = line.substr(0, q - 1);
        }
        for (char& c : line)
            if (c == ',') c = ' ';
        std::istringstream rec(line);
        int flag = 0;
        double x = 0, y = 0;
        EXPECT_TRUE(static_cast<bool>(rec >> flag >> x >> y)) << line;
        if (flag != 0 || segs.empty()) segs.push_back(Seg{flag, {}});
        segs.back().pts.emplace_back(x, y);
        if (labels && !label.empty()) labels->push_back(label);
    }
    return segs;
}

// ---- Decoding what the converter wrote --------------------------------------

// The fixture, by feature class: western, southern, eastern and northern
// points, a step of more than 127 arc-seconds, a line across the 180th
// meridian, and one across both zero lines.
const char* const kCoast = ">\n-122.41667 37.50000\n-122.40000 37.51667\n-122.30000 37.60000\n";
const char* const kRiver = "> Harbour\n151.20000 -33.86667\n151.21667 -33.85000\n";
const char* const kBorder = ">\n179.50000 -17.00000\n-179.50000 -17.50000\n";
const char* const kState = ">\n-0.50000 0.25000\n0.50000 -0.25000\n";

using Line = std::vector<std::pair<double, double>>;  // (lat, lon) in degrees
// What a file should hold: the border cut on the meridian at the interpolated -17.25.
const std::vector<Line> kExpected = {
    {{37.5, -122.41667}, {37.51667, -122.4}, {37.6, -122.3}},
    {{-33.86667, 151.2}, {-33.85, 151.21667}},
    {{-17.0, 179.5}, {-17.25, 180.0}},
    {{-17.25, -180.0}, {-17.5, -179.5}},
    {{0.25, -0.5}, {-0.25, 0.5}},
};

constexpr int kAbsent = -999;

struct KindCase {
    const char* file;
    std::function<std::vector<Seg>(const std::string&)> decode;
    std::function<double(double)> unit;  // degrees to the file's stored value
    std::vector<int> codes;              // per expected segment; kAbsent: not in the file
    bool filled = false;                 // steps over 127 arc-seconds filled with points
};

double ArcMin(double deg) { return std::nearbyint(deg * 60); }
double ArcSec(double deg) { return std::nearbyint(deg * 3600); }
double Single(double deg) { return static_cast<float>(deg); }
double Decimal(double deg) { return deg; }

// Each expected point at its place in `seg`; with `filled`, the expected
// points must appear in order among the added ones, every step within 127.
void ExpectPoints(const Seg& seg, const Line& want, const std::function<double(double)>& unit, bool filled) {
    if (!filled) {
        ASSERT_EQ(seg.pts.size(), want.size());
        for (size_t k = 0; k < want.size(); ++k) {
            EXPECT_EQ(seg.pts[k].first, unit(want[k].first)) << "latitude of point " << k;
            EXPECT_EQ(seg.pts[k].second, unit(want[k].second)) << "longitude of point " << k;
        }
        return;
    }
    size_t next = 0;
    for (size_t k = 0; k < seg.pts.size(); ++k) {
        if (k > 0) {
            EXPECT_LE(std::fabs(seg.pts[k].first - seg.pts[k - 1].first), 127);
            EXPECT_LE(std::fabs(seg.pts[k].second - seg.pts[k - 1].second), 127);
        }
        if (next < want.size() && seg.pts[k].first == unit(want[next].first) &&
            seg.pts[k].second == unit(want[next].second))
            ++next;
    }
    EXPECT_EQ(next, want.size()) << "input points missing";
    EXPECT_EQ(seg.pts.front().second, unit(want.front().second));
    EXPECT_EQ(seg.pts.back().second, unit(want.back().second));
}

TEST(ConvertDecode, EveryKindHoldsTheInputPointsAndCodes) {
    const fs::path dir = OutDir("decode");
    WriteText(dir / "coast.txt", kCoast);
    WriteText(dir / "river.txt", kRiver);
    WriteText(dir / "border.txt", kBorder);
    WriteText(dir / "state.txt", kState);
    const std::string inputs =
        "1=" + Quote((dir / "coast.txt").string()) + " 4=" + Quote((dir / "river.txt").string()) +
        " 5=" + Quote((dir / "border.txt").string()) + " 9=" + Quote((dir / "state.txt").string());
    const auto fixed = [](bool grf) { return [grf](const std::string& b) { return DecodeFixed(b, grf); }; };
    const auto text = [](bool ascii) { return [ascii](const std::string& b) { return DecodeText(b, ascii); }; };
    // Codes: MWDB rank x 1000 of rows 1, 4, 5, 9 (ranks 1, 7, 2, 4); DLG rows
    // 25, 3 (a river under 30 km), 54, 56; WDB2 rows 9, 21, 1, 32.
    const std::vector<KindCase> cases = {
        {"t.map", DecodeMwdb, ArcMin, {1000, 7000, 2000, 2000, 4000}},
        {"t.all", DecodeMwdb, ArcMin, {1000, 7000, 2000, 2000, 4000}},
        {"t.grv", DecodePacked, ArcSec, {76, 4, 158, 158, 160}, true},
        {"t.pkv", DecodePacked, ArcSec, {9, 24, 1, 1, 32}, true},
        // A .pkd file takes only the classes of the theme its title's third letter names.
        {"ttcil.pkd", DecodePacked, ArcSec, {1, kAbsent, kAbsent, kAbsent, kAbsent}, true},
        {"ttriv.pkd", DecodePacked, ArcSec, {kAbsent, 1, kAbsent, kAbsent, kAbsent}, true},
        {"ttpby.pkd", DecodePacked, ArcSec, {kAbsent, kAbsent, kAbsent, kAbsent, 1}, true},
        {"ttbdy.pkd", DecodePacked, ArcSec, {kAbsent, kAbsent, 1, 1, kAbsent}, true},
        {"t.dat", fixed(false), ArcSec, {0, 0, 0, 0, 0}},
        {"t.grf", fixed(true), ArcSec, {4000, 3003, 6001, 6001, 6005}},
        {"t.mps", DecodeMps, Single, {0, 0, 0, 0, 0}},
        {"t.mp1", text(false), Decimal, {0, 0, 0, 0, 0}},
        {"t.prn", text(true), Decimal, {-1, -1, -1, -1, -1}},
    };
    for (const KindCase& c : cases) {
        SCOPED_TRACE(c.file);
        ASSERT_EQ(Convert(inputs + " -o " + Quote((dir / c.file).string()), dir / "log"), 0);
        const std::vector<Seg> segs = c.decode(ReadAll(dir / c.file));
        size_t s = 0;
        for (size_t k = 0; k < kExpected.size(); ++k) {
            if (c.codes[k] == kAbsent) continue;
            SCOPED_TRACE("segment " + std::to_string(k));
            ASSERT_LT(s, segs.size());
            EXPECT_EQ(segs[s].code, c.codes[k]);
            ExpectPoints(segs[s], kExpected[k], c.unit, c.filled);
            ++s;
        }
        EXPECT_EQ(s, segs.size());
    }

    // A point file: every record starts a segment of its own.
    ASSERT_EQ(Convert(inputs + " -o " + Quote((dir / "t.pnt").string()), dir / "log"), 0);
    const std::vector<Seg> points = DecodeMwdb(ReadAll(dir / "t.pnt"));
    ASSERT_EQ(points.size(), 11u);
    EXPECT_EQ(points[1].code, 1000);
    EXPECT_EQ(points[3].code, 7000);
    EXPECT_EQ(points[3].pts[0], std::make_pair(ArcMin(-33.86667), ArcMin(151.2)));
}

TEST(ConvertDecode, LabelsGoOnTheFirstPointOfTheirPolyline) {
    const fs::path dir = OutDir("labels");
    WriteText(dir / "river.txt", kRiver);
    WriteText(dir / "places.txt", "> Victoria, B.C.\n-123.36560 48.42840\n");
    ASSERT_EQ(Convert("4=" + Quote((dir / "river.txt").string()) + " 1=" + Quote((dir / "places.txt").string()) +
                          " -o " + Quote((dir / "t.prn").string()),
                      dir / "log"),
              0);
    EXPECT_EQ(ReadAll(dir / "t.prn"),
              "-1,-33.86667,151.20000,\"Harbour\"\n"
              "0 -33.85000 151.21667\n"
              "-1,48.42840,-123.36560,\"Victoria, B.C.\"\n");
}

TEST(ConvertDecode, PackedSegmentsOverTheCountLimitAreSplit) {
    const fs::path dir = OutDir("split");
    std::string text = ">\n";
    constexpr int kPoints = 26000;  // the count field holds at most 25599
    for (int k = 0; k < kPoints; ++k) {
        const int units = -2000000 + 100 * k;  // 1e-5 degrees: -20 degrees east in steps of 0.001
        char p[40];
        std::snprintf(p, sizeof p, "%s%d.%05d 10.00000\n", units < 0 ? "-" : "", std::abs(units) / 100000,
                      std::abs(units) % 100000);
        text += p;
    }
    WriteText(dir / "long.txt", text);
    ASSERT_EQ(
        Convert("1=" + Quote((dir / "long.txt").string()) + " -o " + Quote((dir / "t.grv").string()), dir / "log"), 0);
    const std::vector<Seg> segs = DecodePacked(ReadAll(dir / "t.grv"));
    ASSERT_EQ(segs.size(), 2u);
    EXPECT_EQ(segs[0].pts.size(), 25599u);
    EXPECT_EQ(segs[1].pts.size(), static_cast<size_t>(kPoints - 25598));
    EXPECT_EQ(segs[1].pts.front(), segs[0].pts.back());  // the line goes on unbroken
    EXPECT_EQ(segs[0].pts.front(), std::make_pair(ArcSec(10.0), ArcSec(-20.0)));
    EXPECT_EQ(segs[1].pts.back(), std::make_pair(ArcSec(10.0), ArcSec(-20.0 + (kPoints - 1) * 0.001)));
}

// UTM eastings and northings against PROJ's transverse Mercator (fixture
// utm-proj.txt, made by make-utm-fixture.sh); the file holds whole metres.
TEST(ConvertDecode, UtmMetresMatchProj) {
    const fs::path dir = OutDir("utm");
    std::ifstream fixture(fs::path(TLRX_TEST_DATA_DIR) / "utm-proj.txt");
    std::string row;
    struct Ref {
        std::string spheroid, cm;
        double lon, lat, e, n;
    };
    std::vector<Ref> refs;
    while (std::getline(fixture, row)) {
        if (row.empty() || row[0] == '#') continue;
        std::vector<std::string> f;
        std::istringstream s(row);
        for (std::string part; std::getline(s, part, '|');) f.push_back(part);
        ASSERT_EQ(f.size(), 6u) << row;
        refs.push_back({f[0], f[1], std::stod(f[2]), std::stod(f[3]), std::stod(f[4]), std::stod(f[5])});
    }
    ASSERT_GE(refs.size(), 8u);
    for (const Ref& r : refs) {
        SCOPED_TRACE(r.spheroid + " " + std::to_string(r.lon) + " " + std::to_string(r.lat));
        char text[64];
        std::snprintf(text, sizeof text, ">\n%.5f %.5f\n", r.lon, r.lat);
        WriteText(dir / "p.txt", text);
        ASSERT_EQ(Convert("1=" + Quote((dir / "p.txt").string()) + " --utm-cm " + r.cm + " --spheroid " +
                              Quote(r.spheroid) + " -o " + Quote((dir / "p.utm").string()),
                          dir / "log"),
                  0);
        const std::vector<Seg> segs = DecodeText(ReadAll(dir / "p.utm"), true);
        ASSERT_EQ(segs.size(), 1u);
        EXPECT_NEAR(segs[0].pts[0].first, r.e, 0.501);
        EXPECT_NEAR(segs[0].pts[0].second, r.n, 0.501);
    }
}

TEST(ConvertErrors, BadInputIsRefused) {
    const fs::path dir = OutDir("errors");
    struct Case {
        const char* input;
        const char* options;
        const char* output;
        int exitCode;
    } cases[] = {
        {">\n1.000001 2\n", "", "t.map", 1},      // more decimals than the text format has
        {"1 2\n", "", "t.map", 1},                // a point before any '>'
        {">\n181 2\n", "", "t.map", 1},           // longitude out of range
        {"> say \"hi\"\n1 2\n", "", "t.prn", 1},  // a label cannot hold a double quote
        {">\n1 2\n", "", "t.utm", 2},             // a .utm file needs its central meridian
        {">\n1 2\n", "--utm-cm 3 --spheroid Moon", "t.utm", 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.input);
        WriteText(dir / "in.txt", c.input);
        const fs::path out = dir / c.output;
        EXPECT_EQ(Convert("1=" + Quote((dir / "in.txt").string()) + " " + c.options + " -o " + Quote(out.string()),
                          dir / "log"),
                  c.exitCode);
        EXPECT_EQ(fs::exists(out), c.exitCode == 0);
    }
}

}  // namespace
