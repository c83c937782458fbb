// Throughput of ProjectSelect per projection code against PROJ's
// proj_trans_generic on the same one million points, with the ratio per code
// printed after the run.
//
//   cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DTLRX_BUILD_BENCH=ON
//   cmake --build build-bench && build-bench/bench/projection_bench --benchmark_repetitions=5
//
// The points lie inside each projection's visible domain. Each map is given
// to PROJ in its own terms (central meridian, standard parallels, centre,
// height, offsets), and the largest difference between the two results is
// printed beside the ratio as a check that both computed the same map.
// UTM passes metres through, so PROJ's no-op stands beside it; Robinson
// follows a polynomial where PROJ interpolates a table.

#include <benchmark/benchmark.h>
#include <proj.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <map>
#include <memory>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "core/DesignState.h"
#include "core/Projection.h"

namespace tlrx {
namespace {

constexpr size_t kPoints = 1000000;

struct BenchMap {
    int16_t code;
    const char* name;
    double west, range;  // absolute western boundary, frame range (degrees)
    double stdN, stdS, centLat, heightKm, offset;
};

const BenchMap kMaps[] = {
    {ProjMercator, "Mercator", -180, 360, 0, 0, 0, 0, 0},
    {ProjEquirectangular, "Equirectangular", -180, 360, 45, -45, 0, 0, 0},
    {ProjCylEqualArea, "Cylindrical Equal-Area", -180, 360, 45, -45, 0, 0, 0},
    {ProjHammer, "Hammer", -180, 360, 0, 0, 0, 0, 0},
    {ProjRobinson, "Robinson", -180, 360, 0, 0, 0, 0, 0},
    {ProjMollweide, "Mollweide", -180, 360, 0, 0, 0, 0, 0},
    {ProjInterruptedMollweide, "Interrupted Mollweide", -60, 120, 0, 0, 0, 0, 0.5},
    {ProjEquidistantConic, "Equidistant Conic", -180, 360, 60, 20, 40, 0, 0},
    {ProjConformalConic, "Conformal Conic", -180, 360, 60, 20, 40, 0, 0},
    {ProjAlbers, "Albers", -180, 360, 60, 20, 40, 0, 0},
    {ProjGnomonic, "Gnomonic", -180, 360, 0, 0, 40, 0, 0},
    {ProjStereographic, "Stereographic", -180, 360, 0, 0, 40, 0, 0},
    {ProjOrthographic, "Orthographic", -180, 360, 0, 0, 40, 0, 0},
    {ProjVerticalPerspective, "Vertical Perspective", -180, 360, 0, 0, 40, 35840, 0},
    {ProjAzEquidistant, "Azimuthal Equidistant", -180, 360, 0, 0, 40, 0, 0},
    {ProjAzEqualArea, "Azimuthal Equal-Area", -180, 360, 0, 0, 40, 0, 0},
    {ProjUtm, "UTM", 0, 0, 0, 0, 0, 0, 0},
};

std::string G(double v) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.17g", v);
    return buf;
}

std::string ProjString(const BenchMap& m) {
    const double pi = std::acos(-1.0);
    const std::string lon0 = " +lon_0=" + G(m.west + m.range / 2);
    const std::string xShift = G(m.range / 2 * pi / 180 * std::cos(m.stdN * pi / 180));
    const std::string cone = " +lat_1=" + G(m.stdN) + " +lat_2=" + G(m.stdS) + " +lat_0=" + G(m.centLat);
    const std::string centre = " +lat_0=" + G(m.centLat);
    switch (m.code) {
    case ProjMercator: return "+proj=merc +R=1" + lon0 + " +x_0=" + G(m.range / 2 * pi / 180);
    case ProjEquirectangular: return "+proj=eqc +R=1 +lat_ts=" + G(m.stdN) + lon0 + " +x_0=" + xShift;
    case ProjCylEqualArea: return "+proj=cea +R=1 +lat_ts=" + G(m.stdN) + lon0 + " +x_0=" + xShift;
    case ProjHammer: return "+proj=hammer +R=1" + lon0;
    case ProjRobinson: return "+proj=robin +R=1" + lon0;
    case ProjMollweide: return "+proj=moll +R=1" + lon0;
    case ProjInterruptedMollweide: return "+proj=moll +R=1" + lon0 + " +x_0=" + G(m.offset);
    case ProjEquidistantConic: return "+proj=eqdc +R=1" + lon0 + cone;
    case ProjConformalConic: return "+proj=lcc +R=1" + lon0 + cone;
    case ProjAlbers: return "+proj=aea +R=1" + lon0 + cone;
    case ProjGnomonic: return "+proj=gnom +R=1" + lon0 + centre;
    case ProjStereographic: return "+proj=stere +R=1" + lon0 + centre;
    case ProjOrthographic: return "+proj=ortho +R=1" + lon0 + centre;
    case ProjVerticalPerspective: return "+proj=nsper +R=1" + lon0 + centre + " +h=" + G(m.heightKm / 6371 + 1 - 1);
    case ProjAzEquidistant: return "+proj=aeqd +R=1" + lon0 + centre;
    case ProjAzEqualArea: return "+proj=laea +R=1" + lon0 + centre;
    default: return "+proj=noop";
    }
}

// The design state as the graticule computation and the projection set-up
// leave it for the map.
void SetUpDesign(const BenchMap& m) {
    ResetDesignState();
    ResetProjWork();
    auto& d = Design();
    d.ProjCode = m.code;
    d.FrameWest = 0;
    d.FrameEast = m.range;
    d.CentralMeridian = m.range / 2;
    d.CurLobeOffset = m.offset;
    d.CosStdParNorth = std::cos(m.stdN * d.DegToRad);
    d.CosCentLat = std::cos(m.centLat * d.DegToRad);
    d.SinCentLat = std::sin(m.centLat * d.DegToRad);
    const double n = m.stdN, s = m.stdS, c = m.centLat;
    const double cosN = std::cos(n * d.DegToRad), cosS = std::cos(s * d.DegToRad);
    const double sinN = std::sin(n * d.DegToRad), sinS = std::sin(s * d.DegToRad);
    const auto tanHalf = [&](double lat) { return std::tan(d.PiOver4 + lat * d.HalfDegToRad); };
    if (m.code == ProjEquidistantConic) {
        d.ConicN = (cosS - cosN) / ((n - s) * d.DegToRad);
        d.ConicG = (n * cosS - s * cosN) / (cosS - cosN);
        d.ConicRho0 = (d.ConicG - c) * d.DegToRad;
    } else if (m.code == ProjConformalConic) {
        d.ConicN = std::log(cosS / cosN) / std::log(tanHalf(n) / tanHalf(s));
        d.ConicF = cosS * std::pow(tanHalf(s), d.ConicN) / d.ConicN;
        d.ConicRho0 = d.ConicF / std::pow(tanHalf(c), d.ConicN);
    } else if (m.code == ProjAlbers) {
        d.ConicN = (sinN + sinS) / 2;
        d.ConicC = cosS * cosS + 2 * d.ConicN * sinS;
        d.ConicRho0 = std::sqrt(d.ConicC - 2 * d.ConicN * std::sin(c * d.DegToRad)) / d.ConicN;
    } else if (m.code == ProjVerticalPerspective) {
        d.VpP = m.heightKm / 6371 + 1;
    }
}

// One million points of the map's visible domain, as ProjectSelect takes
// them (latitude, frame longitude) and as PROJ takes them.
struct PointSet {
    const BenchMap* map = nullptr;
    std::vector<double> lat, lon;      // degrees, frame degrees (UTM: metres)
    std::vector<double> projX, projY;  // PROJ's input: radians (UTM: metres)
    std::vector<double> outX, outY;    // ProjectSelect's results
    PJ_CONTEXT* ctx = nullptr;
    PJ* pj = nullptr;
    ~PointSet() {
        if (pj) proj_destroy(pj);
        if (ctx) proj_context_destroy(ctx);
    }
};

std::unique_ptr<PointSet> MakePoints(const BenchMap& m) {
    auto p = std::make_unique<PointSet>();
    p->map = &m;
    std::mt19937_64 rng(m.code);
    std::uniform_real_distribution<double> unit(0, 1);
    const double pi = std::acos(-1.0);
    // The smallest cos c from the azimuthal centre that a point may have.
    double minCosC = -2;
    switch (m.code) {
    case ProjGnomonic: minCosC = std::cos(80 * pi / 180); break;
    case ProjOrthographic: minCosC = 0; break;
    case ProjVerticalPerspective: minCosC = 1 / (m.heightKm / 6371 + 1) + 0.01; break;
    case ProjStereographic:
    case ProjAzEquidistant:
    case ProjAzEqualArea: minCosC = -0.99; break;
    default: break;
    }
    double latMin = -90, latMax = 90;
    if (m.code == ProjMercator) latMin = -85, latMax = 85;
    if (m.code >= ProjEquidistantConic && m.code <= ProjAlbers) latMin = -80, latMax = 88;
    while (p->lat.size() < kPoints) {
        if (m.code == ProjUtm) {
            p->lat.push_back(5600000 + 600000 * unit(rng));
            p->lon.push_back(300000 + 500000 * unit(rng));
            continue;
        }
        // Uniform on the sphere between the latitude limits.
        const double sMin = std::sin(latMin * pi / 180), sMax = std::sin(latMax * pi / 180);
        const double lat = std::asin(sMin + (sMax - sMin) * unit(rng)) * 180 / pi;
        const double lon = m.range * unit(rng);
        if (minCosC > -2) {
            const double c0 = m.centLat * pi / 180, phi = lat * pi / 180;
            const double cosC =
                std::cos(phi) * std::cos(c0) * std::cos((lon - m.range / 2) * pi / 180) + std::sin(phi) * std::sin(c0);
            if (cosC <= minCosC) continue;
        }
        p->lat.push_back(lat);
        p->lon.push_back(lon);
    }
    p->outX.resize(kPoints);
    p->outY.resize(kPoints);

    p->ctx = proj_context_create();
    proj_log_level(p->ctx, PJ_LOG_NONE);
    p->pj = proj_create(p->ctx, ProjString(m).c_str());
    const bool radians = p->pj && proj_angular_input(p->pj, PJ_FWD);
    p->projX.resize(kPoints);
    p->projY.resize(kPoints);
    for (size_t i = 0; i < kPoints; ++i) {
        const double lon = m.code == ProjUtm ? p->lon[i] : m.west + p->lon[i];
        p->projX[i] = radians ? lon * pi / 180 : lon;
        p->projY[i] = radians ? p->lat[i] * pi / 180 : p->lat[i];
    }
    return p;
}

// The point set of the code under measurement; the previous one is freed.
PointSet& Points(const BenchMap& m) {
    static std::unique_ptr<PointSet> current;
    if (!current || current->map != &m) {
        current.reset();
        current = MakePoints(m);
    }
    return *current;
}

struct Result {
    double ours = 0, proj = 0;  // points per second
    double maxDiff = -1;
    size_t rejected = 0;  // points either side did not project
};
std::map<int, Result> g_results;

void BM_ProjectSelect(benchmark::State& state, const BenchMap* m) {
    PointSet& p = Points(*m);
    SetUpDesign(*m);
    auto& d = Design();
    size_t rejected = 0;
    for (auto _ : state) {
        rejected = 0;
        for (size_t i = 0; i < kPoints; ++i) {
            d.ProjInLat = p.lat[i];
            d.ProjInLon = p.lon[i];
            ProjectSelect();
            rejected += d.CalcError;
            p.outX[i] = d.ProjOutX;
            p.outY[i] = d.ProjOutY;
        }
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * kPoints));
    g_results[m->code].rejected += rejected;
}

void BM_Proj(benchmark::State& state, const BenchMap* m) {
    PointSet& p = Points(*m);
    if (!p.pj) {
        state.SkipWithError("PROJ could not create the projection");
        return;
    }
    std::vector<double> x(kPoints), y(kPoints);
    for (auto _ : state) {
        state.PauseTiming();
        std::memcpy(x.data(), p.projX.data(), kPoints * sizeof(double));
        std::memcpy(y.data(), p.projY.data(), kPoints * sizeof(double));
        state.ResumeTiming();
        proj_trans_generic(p.pj, PJ_FWD, x.data(), sizeof(double), kPoints, y.data(), sizeof(double), kPoints, nullptr,
                           0, 0, nullptr, 0, 0);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * kPoints));
    // Compare with ProjectSelect's results of the run before.
    Result& r = g_results[m->code];
    r.maxDiff = 0;
    for (size_t i = 0; i < kPoints; ++i) {
        if (x[i] == HUGE_VAL || !std::isfinite(x[i])) {
            ++r.rejected;
            continue;
        }
        r.maxDiff = std::max({r.maxDiff, std::fabs(x[i] - p.outX[i]), std::fabs(y[i] - p.outY[i])});
    }
}

// Passes every run on to the console and keeps the throughput per code: the
// median when the runs are repeated (--benchmark_repetitions), else the run.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const auto& run : runs) {
            if (run.error_occurred) continue;
            const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
            if (run.run_type == Run::RT_Aggregate && !median) continue;
            const std::string name = run.run_name.function_name;
            const int code = std::stoi(name.substr(name.find('/') + 1));
            const bool ours = name.rfind("ProjectSelect", 0) == 0;
            if (!median && (ours ? oursMedian_ : projMedian_).count(code)) continue;
            if (median) (ours ? oursMedian_ : projMedian_).insert(code);
            const double seconds = run.GetAdjustedRealTime() / benchmark::GetTimeUnitMultiplier(run.time_unit);
            (ours ? g_results[code].ours : g_results[code].proj) = kPoints / seconds;
        }
        ConsoleReporter::ReportRuns(runs);
    }

private:
    std::set<int> oursMedian_, projMedian_;
};

}  // namespace
}  // namespace tlrx

int main(int argc, char** argv) {
    using namespace tlrx;
    for (const auto& m : kMaps) {
        const std::string code = std::to_string(m.code);
        benchmark::RegisterBenchmark(("ProjectSelect/" + code).c_str(), BM_ProjectSelect, &m)
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime();
        benchmark::RegisterBenchmark(("PROJ/" + code).c_str(), BM_Proj, &m)
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime();
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    std::printf("\n%-4s %-24s %14s %14s %7s %12s %9s\n", "code", "projection", "ours Mpt/s", "PROJ Mpt/s", "ratio",
                "max |diff|", "rejected");
    for (const auto& m : kMaps) {
        const auto it = g_results.find(m.code);
        if (it == g_results.end() || it->second.ours == 0 || it->second.proj == 0) continue;
        const Result& r = it->second;
        std::printf("%-4d %-24s %14.2f %14.2f %7.2f %12.3g %9zu\n", m.code, m.name, r.ours / 1e6, r.proj / 1e6,
                    r.ours / r.proj, r.maxDiff, r.rejected);
    }
    return 0;
}
