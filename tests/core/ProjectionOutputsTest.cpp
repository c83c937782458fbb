#include <gtest/gtest.h>

#include <cinttypes>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "core/DesignState.h"
#include "core/Graticule.h"
#include "core/ProjParams.h"
#include "core/Projection.h"
#include "core/ProjectionTable.h"
#include "core/ScaleErrors.h"
#include "core/Utm.h"
#include "core/projections/Azimuthal.h"
#include "platform/MessageBox.h"
#include "support/ReferenceTable.h"
#include "support/ScriptedMessageBox.h"

// Every output of the projection procedures, bit for bit, for all seventeen
// codes on representative designs: the set-up (ParamSelect's constants and
// extent), ProjectSelect on a dense table of points with the seams of each
// family (the frame edges, the poles, the equator, the conic apex, the
// visibility limit and the range circle), the range query and its reuse, and
// the scale factors. The expected table, fixtures/projection_outputs.txt,
// holds the set-up in full and, per parallel, the count and digest of the
// points' outputs (x and y as their bit patterns, CalcError, PlotStatus,
// AzQueryMode and any message box). It was written by this test from the
// kernel as it stood, with
//   TLRX_WRITE_PROJECTION_OUTPUTS=1 build/tests/core/core_tests --gtest_filter='ProjectionOutputs.*'
// which should never be needed again: any change of this table is a change
// of the maps, files and reports the program writes. With the value "full"
// it writes every point's line to build/tests/core/projection_outputs_full.txt
// instead, to find a difference by comparing with the same file from an
// older build.

namespace tlrx {
namespace {

constexpr double kOldX = 777.25;
constexpr double kOldY = -555.5;

struct MapDesign {
    const char* label;
    int16_t code;
    const char *north, *south, *west, *east;
    const char* centreLat = "";  // azimuthal codes
    const char* centreLon = "";
    const char* range = "";
    const char* heightKm = "";  // vertical perspective
    double lobeOffset = 0;      // interrupted Mollweide
};

const char* const kWorld[] = {"90    00    00    N", "90    00    00    S", "180    00    00    W",
                              "180    00    00    E"};

// clang-format off
const MapDesign kDesigns[] = {
    {"mercator-world", ProjMercator, "80    00    00    N", "80    00    00    S", kWorld[2], kWorld[3]},
    {"mercator-north", ProjMercator, "70    00    00    N", "10    00    00    N", "030    00    00    W", "120    00    00    E"},
    {"mercator-south", ProjMercator, "05    00    00    S", "65    00    00    S", "150    00    00    E", "060    00    00    W"},
    {"equirect-world", ProjEquirectangular, kWorld[0], kWorld[1], kWorld[2], kWorld[3]},
    {"equirect-north", ProjEquirectangular, "60    00    00    N", "20    00    00    N", "010    00    00    W", "050    00    00    E"},
    {"cea-world", ProjCylEqualArea, kWorld[0], kWorld[1], kWorld[2], kWorld[3]},
    {"cea-south", ProjCylEqualArea, "00    00    00    N", "40    00    00    S", "100    00    00    E", "170    00    00    E"},
    {"hammer-world", ProjHammer, kWorld[0], kWorld[1], kWorld[2], kWorld[3]},
    {"hammer-north", ProjHammer, "70    00    00    N", "20    00    00    N", "100    00    00    W", "100    00    00    E"},
    {"robinson-world", ProjRobinson, kWorld[0], kWorld[1], kWorld[2], kWorld[3]},
    {"robinson-south", ProjRobinson, "10    00    00    S", "80    00    00    S", "020    00    00    W", "140    00    00    E"},
    {"mollweide-world", ProjMollweide, kWorld[0], kWorld[1], kWorld[2], kWorld[3]},
    {"mollweide-part", ProjMollweide, "60    00    00    N", "10    00    00    S", "090    00    00    W", "030    00    00    E"},
    {"imollweide-west", ProjInterruptedMollweide, kWorld[0], kWorld[1], "180    00    00    W", "040    00    00    W", "", "", "", "", -1.25},
    {"imollweide-east", ProjInterruptedMollweide, kWorld[0], kWorld[1], "040    00    00    W", "180    00    00    E", "", "", "", "", 0.75},
    {"eqdc-north", ProjEquidistantConic, "80    00    00    N", "20    00    00    N", "180    00    00    W", "180    00    00    E"},
    {"eqdc-south", ProjEquidistantConic, "10    00    00    S", "70    00    00    S", "060    00    00    W", "090    00    00    E"},
    {"eqdc-across", ProjEquidistantConic, "60    00    00    N", "30    00    00    S", "030    00    00    W", "060    00    00    E"},
    {"lcc-north", ProjConformalConic, "80    00    00    N", "20    00    00    N", "180    00    00    W", "180    00    00    E"},
    {"lcc-south", ProjConformalConic, "10    00    00    S", "70    00    00    S", "060    00    00    W", "090    00    00    E"},
    {"lcc-across", ProjConformalConic, "60    00    00    N", "30    00    00    S", "030    00    00    W", "060    00    00    E"},
    {"aea-north", ProjAlbers, "80    00    00    N", "20    00    00    N", "180    00    00    W", "180    00    00    E"},
    {"aea-south", ProjAlbers, "10    00    00    S", "70    00    00    S", "060    00    00    W", "090    00    00    E"},
    {"aea-across", ProjAlbers, "60    00    00    N", "30    00    00    S", "030    00    00    W", "060    00    00    E"},
    {"gnomonic-40", ProjGnomonic, "", "", "", "", "40    00    00    N", "010    00    00    E", "060    00    00"},
    {"gnomonic-pole", ProjGnomonic, "", "", "", "", "90    00    00    N", "000    00    00    E", "045    00    00"},
    {"stereo-40", ProjStereographic, "", "", "", "", "40    00    00    N", "000    00    00    E", "180    00    00"},
    {"stereo-south", ProjStereographic, "", "", "", "", "30    00    00    S", "120    00    00    W", "090    00    00"},
    {"ortho-40", ProjOrthographic, "", "", "", "", "40    00    00    N", "000    00    00    E", "090    00    00"},
    {"ortho-equator", ProjOrthographic, "", "", "", "", "00    00    00    N", "060    00    00    E", "075    00    00"},
    {"vp-geo", ProjVerticalPerspective, "", "", "", "", "40    00    00    N", "000    00    00    E", "", "00035840"},
    {"vp-low", ProjVerticalPerspective, "", "", "", "", "20    00    00    S", "030    00    00    W", "", "00006371"},
    {"aeqd-world", ProjAzEquidistant, "", "", "", "", "40    00    00    N", "000    00    00    E", "180    00    00"},
    {"aeqd-pole", ProjAzEquidistant, "", "", "", "", "90    00    00    S", "000    00    00    E", "120    00    00"},
    {"laea-world", ProjAzEqualArea, "", "", "", "", "40    00    00    N", "000    00    00    E", "180    00    00"},
    {"laea-part", ProjAzEqualArea, "", "", "", "", "10    00    00    N", "100    00    00    E", "070    00    00"},
    {"utm-default", ProjUtm, "", "", "", ""},
};
// clang-format on

std::string Hex(double v) {
    uint64_t bits = 0;
    std::memcpy(&bits, &v, sizeof bits);
    char buf[24];
    std::snprintf(buf, sizeof buf, "%016" PRIx64, bits);
    return buf;
}

std::string G(double v) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.17g", v);
    return buf;
}

// FNV-1a, 64 bits: the digest of one parallel's outputs.
uint64_t Digest(const std::string& text) {
    uint64_t h = 14695981039346656037ull;
    for (unsigned char c : text) {
        h ^= c;
        h *= 1099511628211ull;
    }
    return h;
}

// The outputs along one parallel: in full, one line per point, or as the
// count and digest of those lines.
class Parallel {
public:
    Parallel(std::ostream& out, bool full, std::string head) : out_(out), full_(full), head_(std::move(head)) {}
    ~Parallel() {
        if (full_) return;
        char buf[24];
        std::snprintf(buf, sizeof buf, "%016" PRIx64, Digest(lines_));
        out_ << head_ << " n=" << count_ << " " << buf << "\n";
    }
    void Add(const std::string& line) {
        ++count_;
        if (full_) out_ << head_ << " " << line << "\n";
        else lines_ += line + "\n";
    }

private:
    std::ostream& out_;
    bool full_;
    std::string head_;
    std::string lines_;
    int count_ = 0;
};

// Sets up the design as the boundary dialogs leave it.
void SetUpDesign(const MapDesign& m) {
    ResetDesignState();
    ResetProjWork();
    DesignState& d = Design();
    d.ProjCode = m.code;
    if (m.code == ProjUtm) {
        CalcUtmZone();
        return;
    }
    if (*m.north) {
        d.BoundsText[0] = m.north;
        d.BoundsText[1] = m.south;
        d.BoundsText[3] = m.west;
        d.BoundsText[4] = m.east;
        d.BoundsText[2] = d.BoundsText[5] = "005    00    00";
    }
    if (*m.centreLat) d.BoundsText[6] = m.centreLat;
    if (*m.centreLon) d.BoundsText[7] = m.centreLon;
    if (*m.range) d.BoundsText[8] = m.range;
    if (*m.heightKm) d.BoundsText[9] = m.heightKm;
    CalcGraticule({});
    ParamStdParallel();
    ParamSelect();
    d.CurLobeOffset = m.lobeOffset;
}

void AddUnique(std::vector<double>& list, double v) {
    for (double w : list)
        if (std::memcmp(&w, &v, sizeof v) == 0) return;
    list.push_back(v);
}

// Latitudes: every 7.5 degrees, the poles and the equator approached from
// both sides, and the family's own seams.
std::vector<double> Latitudes(const DesignState& d) {
    std::vector<double> lats;
    for (int i = -12; i <= 12; ++i) AddUnique(lats, i * 7.5);
    for (double v : {89.9999999, 90 - 1e-12, 1e-9, 89.99994, 89.99995})
        for (double s : {1.0, -1.0}) AddUnique(lats, s * v);
    AddUnique(lats, -0.0);
    AddUnique(lats, d.LatNorth);
    AddUnique(lats, d.LatSouth);
    if (d.ProjCode == ProjEquidistantConic) AddUnique(lats, d.ConicG);
    if (d.ProjCode >= ProjEquidistantConic && d.ProjCode <= ProjAlbers) {
        AddUnique(lats, d.StdParNorth);
        AddUnique(lats, d.StdParSouth);
        AddUnique(lats, d.CentLat);
    }
    if (d.ProjCode >= ProjGnomonic && d.ProjCode <= ProjAzEqualArea) {
        // The range circle and the horizon on the central meridian and beyond the pole.
        const double range = static_cast<double>(d.AzRangeSec) / 3600;
        for (double r : {range, 90.0, 180.0})
            for (double s : {1.0, -1.0}) AddUnique(lats, d.CentLat + s * r);
        AddUnique(lats, -d.CentLat);
        AddUnique(lats, d.CentLat);
    }
    return lats;
}

// Frame longitudes: every 7.5 degrees over the full turn, the frame edges,
// the central meridian and the meridians opposite it, with neighbours.
std::vector<double> Longitudes(const DesignState& d) {
    std::vector<double> lons;
    for (int i = 0; i <= 48; ++i) AddUnique(lons, i * 7.5);
    for (double v : {d.FrameWest, d.FrameEast, d.CentralMeridian, d.CentralMeridian + 180, d.CentralMeridian - 180}) {
        AddUnique(lons, v);
        AddUnique(lons, v + 1e-9);
        AddUnique(lons, v - 1e-9);
    }
    AddUnique(lons, -7.5);
    AddUnique(lons, 367.5);
    return lons;
}

std::string Boxes(ScriptedMessageBox& boxes) {
    std::string out;
    for (const MessageBoxRecord& b : boxes.log) out += " box=" + b.title + "|" + b.text;
    boxes.log.clear();
    return out;
}

// One call of ProjectSelect in the given query mode.
std::string Call(ScriptedMessageBox& boxes, double lat, double lon, int16_t mode) {
    DesignState& d = Design();
    d.ProjInLat = lat;
    d.ProjInLon = lon;
    d.ProjOutX = kOldX;
    d.ProjOutY = kOldY;
    d.PlotStatus = 0;
    d.AzQueryMode = mode;
    ProjectSelect();
    std::string out = Hex(d.ProjOutX) + " " + Hex(d.ProjOutY) + " e" + std::to_string(d.CalcError) + " s" +
                      std::to_string(d.PlotStatus) + " q" + std::to_string(d.AzQueryMode);
    return out + Boxes(boxes);
}

std::string ScaleAt(ScriptedMessageBox& boxes, double lat, double lon) {
    DesignState& d = Design();
    d.ScaleErrLat = lat;
    d.ScaleErrLon = lon;
    std::string out = G(lon);
    try {
        const auto f = ScaleFactorsAt();
        if (!f) return out + " none";
        for (const ScaleValue* v : {&f->meridian, &f->parallel, &f->area})
            out += " " + (v->fixed.empty() ? Hex(v->number) : std::string(v->fixed));
    } catch (const RuntimeError& e) {
        out += std::string(" raises ") + e.what();
    }
    return out + Boxes(boxes);
}

// The vertical perspective's visibility limit on a vertical perspective
// map, else 0 (the column once held the design's table entry for code 29).
double VpCosLimit(const DesignState& d) {
    return d.ProjCode == ProjVerticalPerspective ? kVerticalPerspectiveKernel.setup(d).azimuth.cosLimit : 0.0;
}

void WriteDesign(std::ostream& out, bool full, ScriptedMessageBox& boxes, const MapDesign& m) {
    SetUpDesign(m);
    DesignState& d = Design();
    out << "design " << m.label << " code=" << m.code << Boxes(boxes) << "\n";
    out << "setup";
    for (double v :
         {d.MapXMin, d.MapXMax, d.MapYMin, d.MapYMax, d.ConicN, d.ConicG, d.ConicRho0, d.ConicF, d.ConicC, d.VpP,
          VpCosLimit(d), d.CosAzRange, d.CosStdParNorth, d.CentralMeridian, d.CosCentLat, d.SinCentLat})
        out << " " << Hex(v);
    out << " " << d.AzRangeSec << " [" << d.BoundsText[8] << "] [" << d.PlotStopText << "]\n";

    const bool azimuthal = m.code >= ProjGnomonic && m.code <= ProjAzEqualArea;
    if (m.code == ProjUtm) {
        // Metres pass through.
        for (double n : {-1e7, -1.0, 0.0, 4500000.25, 9e6, 1e300}) {
            Parallel row(out, full, "northing " + G(n));
            for (double e : {-1e6, 0.0, 166000.0, 500000.5, 834000.0}) row.Add(G(e) + " " + Call(boxes, n, e, 0));
        }
    } else {
        const std::vector<double> lats = Latitudes(d);
        const std::vector<double> lons = Longitudes(d);
        for (double lat : lats) {
            Parallel row(out, full, "lat " + G(lat));
            for (double lon : lons) {
                std::string line = G(lon) + " " + Call(boxes, lat, lon, 0);
                if (azimuthal) {
                    // The range query, then the projection from its kept values.
                    line += " | " + Call(boxes, lat, lon, -1);
                    line += " | " + Call(boxes, 0, 0, 2);
                }
                row.Add(line);
            }
        }
    }

    d.ScaleErrLatText.assign(15, "");
    d.ScaleErrLonText.assign(15, "");
    d.ScaleErrMeridian.assign(15, "");
    d.ScaleErrParallel.assign(15, "");
    d.ScaleErrArea.assign(15, "");
    d.ScaleErrNote.assign(3, "");
    if (m.code == ProjUtm) {
        for (double phi : {-1.4, -0.5, 0.0, 0.7, 1.5}) {
            Parallel row(out, full, "scale " + G(phi));
            for (double e : {-500000.0, -1.0, 0.0, 333333.0}) row.Add(ScaleAt(boxes, phi, e));
        }
    } else {
        std::vector<double> lons;
        for (double v : {0.0, 30.0, d.CentralMeridian, d.CentralMeridian + 60, d.FrameEast, d.CentLon, d.CentLon + 180,
                         d.CentLon - 180, d.CentLon + 45})
            AddUnique(lons, v);
        std::vector<double> lats;
        for (int i = -12; i <= 12; ++i) lats.push_back(i * 7.5);
        for (double lat : {89.99994, -89.99995, 1e-9, d.StdParNorth, d.StdParSouth, d.CentLat}) lats.push_back(lat);
        for (double lat : lats) {
            Parallel row(out, full, "scale " + G(lat));
            for (double lon : lons) row.Add(ScaleAt(boxes, lat, lon));
        }
    }
    // The report row: notes, texts and the equidistant cone's constant.
    d.ScaleErrRow = 3;
    d.ScaleErrLat = m.code == ProjUtm ? 0.5 : 37.5;
    d.ScaleErrLon = m.code == ProjUtm ? 250000 : d.CentralMeridian + 15;
    DistErrSelect();
    out << "row [" << d.ScaleErrNote[1] << "] [" << d.ScaleErrNote[2] << "] [" << d.ScaleErrMeridian[3] << "] ["
        << d.ScaleErrParallel[3] << "] [" << d.ScaleErrArea[3] << "] [" << d.ScaleErrLatText[3] << "] ["
        << d.ScaleErrLonText[3] << "] " << Hex(d.ConicG) << Boxes(boxes) << "\n";
}

std::string AllOutputs(bool full) {
    ScopedScriptedMessageBox boxes;
    std::ostringstream out;
    for (const MapDesign& m : kDesigns) WriteDesign(out, full, boxes, m);
    return out.str();
}

const std::string kTablePath = std::string(TLRX_TEST_DATA_DIR) + "/fixtures/projection_outputs.txt";

TEST(ProjectionOutputs, EqualTheRecordedTableBitForBit) {
    const std::string actual = AllOutputs(false);
    if (const char* write = std::getenv("TLRX_WRITE_PROJECTION_OUTPUTS")) {
        // "full": every point in the build folder, for finding a difference.
        const bool full = std::string(write) == "full";
        const std::string path = full ? std::string(TLRX_TEST_OUT_DIR) + "/projection_outputs_full.txt" : kTablePath;
        std::ofstream(path, std::ios::binary) << (full ? AllOutputs(true) : actual);
        GTEST_SKIP() << "wrote " << path;
    }
    const std::vector<std::string> table = test::ReadTableLines(kTablePath);
    ASSERT_FALSE(table.empty()) << kTablePath;
    std::istringstream got(actual);
    std::string have, design;
    int line = 0, differences = 0;
    for (const std::string& want : table) {
        ++line;
        if (!std::getline(got, have)) have = "<missing>";
        if (want.rfind("design ", 0) == 0) design = want;
        if (have != want && ++differences <= 20)
            ADD_FAILURE() << design << "\nline " << line << "\n want " << want << "\n have " << have;
    }
    EXPECT_EQ(differences, 0);
    EXPECT_FALSE(std::getline(got, have)) << "more outputs than recorded: " << have;
}

// The pure forward function of each code, with the set-up taken once per
// map, gives what ProjectSelect writes, point for point.
TEST(ProjectionKernel, ForwardFunctionsGiveProjectSelectsPoints) {
    ScopedScriptedMessageBox boxes;
    for (const MapDesign& m : kDesigns) {
        if (m.code == ProjUtm) continue;
        SCOPED_TRACE(m.label);
        SetUpDesign(m);
        DesignState& d = Design();
        const ProjectionKernel* kernel = KernelOf(m.code);
        ASSERT_TRUE(kernel);
        const ProjectionSetup setup = kernel->setup(d);
        for (double lat : Latitudes(d)) {
            for (double lon : Longitudes(d)) {
                const ProjectedPoint p = kernel->forward(setup, lat, lon);
                d.ProjInLat = lat;
                d.ProjInLon = lon;
                d.ProjOutX = kOldX;
                d.ProjOutY = kOldY;
                d.PlotStatus = 0;
                d.AzQueryMode = 0;
                boxes.log.clear();
                ProjectSelect();
                SCOPED_TRACE(testing::Message() << "lat " << lat << " lon " << lon);
                const bool failed = p.status == PointStatus::Failed;
                ASSERT_EQ(boxes.log.size(), failed ? 1u : 0u);
                if (failed) {
                    EXPECT_EQ(boxes.log[0].text, "Error: " + std::string(p.failure));
                }
                EXPECT_EQ(d.CalcError, p.status == PointStatus::Refused || p.status == PointStatus::BeyondLimit);
                EXPECT_EQ(d.PlotStatus, p.status == PointStatus::BeyondLimit ? 2 : 0);
                EXPECT_EQ(Hex(d.ProjOutX), Hex(std::isnan(p.x) ? kOldX : p.x));
                EXPECT_EQ(Hex(d.ProjOutY), Hex(std::isnan(p.y) ? kOldY : p.y));
            }
        }
    }
}

// ProjectDesignPoint, the grid's, labels' and dialogs' way to the forward
// function, writes the design as ProjectSelect does, failures and refusals
// included; and an azimuthal place projects as its code's forward function.
TEST(ProjectionKernel, ProjectDesignPointWritesWhatProjectSelectWrites) {
    ScopedScriptedMessageBox boxes;
    const auto state = [&boxes](void (*project)()) {
        DesignState& d = Design();
        d.ProjOutX = kOldX;
        d.ProjOutY = kOldY;
        d.PlotStatus = 0;
        d.AzQueryMode = 0;
        boxes.log.clear();
        project();
        return Hex(d.ProjOutX) + " " + Hex(d.ProjOutY) + " e" + std::to_string(d.CalcError) + " s" +
               std::to_string(d.PlotStatus) + Boxes(boxes);
    };
    for (const MapDesign& m : kDesigns) {
        SCOPED_TRACE(m.label);
        SetUpDesign(m);
        DesignState& d = Design();
        const ProjectionKernel* kernel = KernelOf(m.code);
        ASSERT_TRUE(kernel);
        const ProjectionSetup setup = kernel->setup(d);
        for (double lat : Latitudes(d)) {
            for (double lon : Longitudes(d)) {
                SCOPED_TRACE(testing::Message() << "lat " << lat << " lon " << lon);
                d.ProjInLat = lat;
                d.ProjInLon = lon;
                EXPECT_EQ(state(ProjectDesignPoint), state(ProjectSelect));
                if (!IsAzimuthal(m.code)) continue;
                const AzimuthalPoint place = AzimuthalPlace(setup, lat, lon);
                if (!AzimuthalVisible(setup, place)) continue;
                const ProjectedPoint viaPlace = AzimuthalProject(setup, place);
                const ProjectedPoint direct = kernel->forward(setup, lat, lon);
                EXPECT_EQ(Hex(viaPlace.x) + Hex(viaPlace.y), Hex(direct.x) + Hex(direct.y));
                EXPECT_EQ(viaPlace.status, direct.status);
            }
        }
    }
    // A code that is no projection changes nothing but CalcError.
    Design().ProjCode = 3;
    Design().CalcError = true;
    EXPECT_EQ(state(ProjectDesignPoint), Hex(kOldX) + " " + Hex(kOldY) + " e0 s0");
}

TEST(ProjectionKernel, AngleConstantsAreTheDesignStates) {
    ResetDesignState();
    const DesignState& d = Design();
    EXPECT_EQ(kPi, d.Pi);
    EXPECT_EQ(kPiOver4, d.PiOver4);
    EXPECT_EQ(kDegToRad, d.DegToRad);
    EXPECT_EQ(kHalfDegToRad, d.HalfDegToRad);
    EXPECT_EQ(kSqrt2, d.Sqrt2);
}

}  // namespace
}  // namespace tlrx
