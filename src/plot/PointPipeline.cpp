#include "plot/PointPipeline.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "core/DesignState.h"
#include "core/Errors.h"
#include "core/Projection.h"
#include "core/ProjectionTable.h"
#include "core/RangeCircle.h"
#include "core/projections/Azimuthal.h"
#include "platform/Events.h"
#include "platform/Host.h"
#include "plot/DeviceLayer.h"
#include "plot/PlotState.h"
#include "plot/export/ExportRouting.h"

namespace tlrx {

namespace {

constexpr int32_t kYieldEvery = 800;

bool pointThinning = true;

// Thinning keeps every point within this share of a device pixel of the
// last point drawn.
constexpr double kThinPixels = 0.25;
constexpr double kArcSecPerRad = 180 / kPi * 3600;

// Points nearer the poles than this latitude are always drawn: the stretch
// of some world maps grows without bound there (the Mollweide's meridians
// meet the pole at a point).
constexpr int32_t kThinLatSec = 85 * 3600;

// The largest change of the map point per radian of latitude (sLat) and of
// longitude (sLon) over the window of a map that is neither azimuthal nor
// UTM, up to kThinLatSec, in Earth radii: the central differences of the
// forward function on a 128 x 128 grid over that part of the window, a
// quarter more for what lies between the nodes. Infinite when the
// projection fails or refuses a point there.
void GeographicStretch(ForwardFn forward, const ProjectionSetup& s, const DesignState& d, double& sLat, double& sLon) {
    constexpr int kNodes = 128;
    constexpr double kStep = 1e-4;  // degrees
    const double south = std::max(d.LatSouthSec, -kThinLatSec) / 3600.0;
    const double north = std::min(d.LatNorthSec, kThinLatSec) / 3600.0;
    const double west = d.FrameWestSec / 3600.0, east = d.FrameEastSec / 3600.0;
    sLat = sLon = 0;
    const auto norm = [](const ProjectedPoint& a, const ProjectedPoint& b) {
        return std::hypot(a.x - b.x, a.y - b.y) / (2 * kStep * kDegToRad);
    };
    for (int i = 0; i <= kNodes; ++i) {
        const double lat = south + (north - south) * i / kNodes;
        for (int j = 0; j <= kNodes; ++j) {
            const double lon = west + (east - west) * j / kNodes;
            const ProjectedPoint n = forward(s, lat + kStep, lon), so = forward(s, lat - kStep, lon);
            const ProjectedPoint e = forward(s, lat, lon + kStep), w = forward(s, lat, lon - kStep);
            for (const ProjectedPoint* q : {&n, &so, &e, &w}) {
                if (q->status != PointStatus::Projected) {
                    sLat = sLon = INFINITY;
                    return;
                }
            }
            sLat = std::max(sLat, norm(n, so));
            sLon = std::max(sLon, norm(e, w));
        }
    }
    sLat *= 1.25;
    sLon *= 1.25;
}

// Interpolations along the line through the previous and the current point
// registers, from the integer values, rounded to whole units.
int32_t LonAtLat(const DesignState& d, int32_t lat) {
    return ToInt32(d.PointLonSec + CheckedDiv((double(lat) - d.PointLatSec) * (double(d.PrevLonSec) - d.PointLonSec),
                                              double(d.PrevLatSec) - d.PointLatSec));
}

int32_t LatAtLon(const DesignState& d, int32_t lon) {
    return ToInt32(d.PointLatSec + CheckedDiv((double(lon) - d.PointLonSec) * (double(d.PrevLatSec) - d.PointLatSec),
                                              double(d.PrevLonSec) - d.PointLonSec));
}

struct Edge {
    int32_t lat = 0;
    int32_t lon = 0;
};

// Where the line crosses the northern or southern edge; outsideLat is the
// latitude of the point beyond it.
Edge NorthSouthEdge(const DesignState& d, int32_t outsideLat) {
    Edge e;
    e.lat = outsideLat > d.LatNorthSec ? d.LatNorthSec : d.LatSouthSec;
    e.lon = LonAtLat(d, e.lat);
    return e;
}

// Where the line leaves the window on the side of the point X lying east or
// west of it (outsideLon, in the registers as they stand): the eastern or
// western edge, or the northern or southern one when the line reaches that
// first.
Edge EdgeClip(const DesignState& d, int32_t outsideLon) {
    Edge e;
    e.lon = outsideLon > d.FrameEastSec ? d.FrameEastSec : d.FrameWestSec;
    e.lat = LatAtLon(d, e.lon);
    if (e.lat > d.LatNorthSec) {
        e.lat = d.LatNorthSec;
        e.lon = LonAtLat(d, d.LatNorthSec);
    } else if (e.lat < d.LatSouthSec) {
        e.lat = d.LatSouthSec;
        e.lon = LonAtLat(d, d.LatSouthSec);
    }
    return e;
}

}  // namespace

PointPipeline::PointPipeline() : d_(Design()), p_(Plot()), stopText_(d_.PlotStopText) {}

void SetPointThinning(bool on) { pointThinning = on; }
bool PointThinning() { return pointThinning; }

void PointPipeline::Begin(bool resetCount) {
    DrawHeldBack();
    drawn_ = false;
    prevInside_ = false;
    newSegment_ = false;
    if (resetCount) counter_ = 0;
    TakeSetup();
}

void PointPipeline::TakeSetup() {
    forward_ = nullptr;
    plane_ = nullptr;
    stretch_ = nullptr;
    projectPlace_ = nullptr;
    const ProjectionKernel* kernel = KernelOf(d_.ProjCode);
    if (kernel == nullptr) return;
    try {
        setup_ = kernel->setup(d_);
    } catch (const RuntimeError&) {
        return;  // ProjectSelect then projects each point and shows the failure with it
    }
    forward_ = kernel->forward;
    plane_ = kernel->plane;
    stretch_ = kernel->largestStretch;
    projectPlace_ = kernel->projectPlace;
    azimuthal_ = IsAzimuthal(d_.ProjCode);
    PlanThinning();
}

void PointPipeline::PlanThinning() {
    const DesignState& d = d_;
    const PlotState& p = p_;
    thin_ = Thinning{};
    if (!pointThinning || forward_ == nullptr || d.ProjCode == ProjUtm || !p.CurOutFile.empty() || p.OutAscii ||
        p.OutCgm || p.OutDxf || p.OutWmf || p.DevTwipsPerPixelX <= 0 || p.DevTwipsPerPixelY <= 0)
        return;
    // Device pixels per Earth radius.
    const double pixels =
        std::max(std::fabs(p.DevScaleX) / p.DevTwipsPerPixelX, std::fabs(p.DevScaleY) / p.DevTwipsPerPixelY);
    double sLat = INFINITY, sLon = INFINITY, limit = 0;
    if (azimuthal_) {
        // The points drawn lie within the range and before the visibility limit.
        const double cosEdge = std::clamp(std::max(setup_.azimuth.cosRange, setup_.azimuth.cosLimit), -1.0, 1.0);
        limit = std::acos(cosEdge);
        // Along the way between two points at most |dLat| + |dLon| from the centre.
        sLat = sLon = stretch_(limit);
    } else {
        GeographicStretch(forward_, setup_, d, sLat, sLon);
    }
    // Each of the two steps may move the point by half the allowance.
    const double dLat = kThinPixels / 2 / (pixels * sLat) * kArcSecPerRad;
    const double dLon = kThinPixels / 2 / (pixels * sLon) * kArcSecPerRad;
    if (!(dLat >= 1 && dLon >= 1)) return;
    thin_.dLat = static_cast<int32_t>(std::min(dLat, 3600.0));
    thin_.dLon = static_cast<int32_t>(std::min(dLon, 3600.0));
    if (azimuthal_) {
        const double margin = 2.0 * (thin_.dLat + thin_.dLon) / kArcSecPerRad;
        if (limit <= margin) return;
        thin_.cosDeep = std::cos(limit - margin);
    } else {
        const int32_t mLat = 2 * thin_.dLat + 1, mLon = 2 * thin_.dLon + 1;
        thin_.south = std::max(d.LatSouthSec + mLat, -kThinLatSec);
        thin_.north = std::min(d.LatNorthSec - mLat, kThinLatSec);
        thin_.west = d.FrameWestSec + mLon;
        thin_.east = d.FrameEastSec - mLon;
    }
    thin_.on = true;
}

// The prepared point, inside the window and on a line that goes on from the
// last point drawn, lies so close to that point that it lands within a
// quarter pixel of it, and away from the window's edges (on azimuthal maps:
// the point drawn lies far enough inside the range circle for it to be
// within).
bool PointPipeline::Thinned() const {
    const DesignState& d = d_;
    if (!thin_.on || !drawn_ || newSegment_ || !prevInside_ || p_.PlotMode != SymLine) return false;
    if (std::llabs(int64_t{d.PointLatSec} - drawnLat_) > thin_.dLat ||
        std::llabs(int64_t{d.PointLonSec} - drawnLon_) > thin_.dLon)
        return false;
    if (azimuthal_) return drawnDeep_;
    return inside_ && d.PointLatSec >= thin_.south && d.PointLatSec <= thin_.north && d.PointLonSec >= thin_.west &&
           d.PointLonSec <= thin_.east;
}

// The thinned point becomes the previous point without being projected.
void PointPipeline::HoldBack() {
    DesignState& d = d_;
    // A line of one pixel's pen keeps its dot however short it is: only a
    // wider pen (every printer's) needs the points of a tiny island.
    if (p_.LineOnePoint && (p_.Printing || p_.PenWidth > 1)) {
        if (keptCount_ == kKept) DrawKept();
        keptLat_[keptCount_] = d.PointLatSec;
        keptLon_[keptCount_] = d.PointLonSec;
        ++keptCount_;
    }
    held_ = true;
    heldLat_ = d.PointLatSec;
    heldLon_ = d.PointLonSec;
    inside_ = true;
    newSegment_ = false;
    prevInside_ = true;
    d.PrevLatSec = d.PointLatSec;
    d.PrevLonSec = d.PointLonSec;
    d.AzQueryMode = 0;
}

// Draws the last point held back, so that the line reaches it exactly; a
// line that lies on one device point so far goes through every point held
// back.
void PointPipeline::DrawHeldBack() {
    if (!held_) return;
    held_ = false;
    DesignState& d = d_;
    const int32_t lat = d.PointLatSec, lon = d.PointLonSec;
    const bool segment = newSegment_;
    newSegment_ = false;
    if (keptCount_ > 0) --keptCount_;  // the last, drawn below
    DrawKept();
    DrawAt(heldLat_, heldLon_);
    d.PointLatSec = lat;
    d.PointLonSec = lon;
    newSegment_ = segment;
}

// Draws the points kept of those held back, in their order.
void PointPipeline::DrawKept() {
    DesignState& d = d_;
    const int32_t lat = d.PointLatSec, lon = d.PointLonSec;
    const int32_t count = keptCount_;
    keptCount_ = 0;
    for (int32_t i = 0; i < count; ++i) DrawAt(keptLat_[i], keptLon_[i]);
    d.PointLatSec = lat;
    d.PointLonSec = lon;
}

void PointPipeline::DrawAt(int32_t lat, int32_t lon) {
    d_.PointLatSec = lat;
    d_.PointLonSec = lon;
    Draw();
}

void PointPipeline::Finish() { DrawHeldBack(); }

void PointPipeline::Prepare() {
    DesignState& d = d_;
    if (plane_ != nullptr) {
        d.ProjInLon = d.PointLonSec / 3600.0;
        d.ProjInLat = d.PointLatSec / 3600.0;
        double easting = 0, northing = 0;
        plane_(setup_, d.ProjInLat, d.ProjInLon, easting, northing);
        d.ProjInLon = easting;
        d.ProjInLat = northing;
        d.PointLonSec = ToInt32(easting);
        d.PointLatSec = ToInt32(northing);
    } else {
        int64_t lon = int64_t{d.PointLonSec} - d.LonWestSec;
        if (lon < 0) lon += d.ArcSec360;
        // A whole number already: only the range is checked.
        if (lon < INT32_MIN || lon > INT32_MAX) Raise(kOverflow);
        d.PointLonSec = static_cast<int32_t>(lon);
    }
    WindowTest();
}

void PointPipeline::PrepareMetres(int32_t northing, int32_t easting) {
    DesignState& d = d_;
    d.PointLatSec = northing;
    d.PointLonSec = easting;
    WindowTest();
}

void PointPipeline::WindowTest() {
    const DesignState& d = d_;
    inside_ = d.PointLatSec >= d.LatSouthSec && d.PointLatSec <= d.LatNorthSec && d.PointLonSec >= d.FrameWestSec &&
              d.PointLonSec <= d.FrameEastSec;
}

void PointPipeline::StartSegment() {
    DrawHeldBack();
    drawn_ = false;
    PlotState& p = p_;
    newSegment_ = true;
    d_.PlotStatus = 1;
    if (p.PolyPointCount > 0 && inside_) {
        PrintLineBrkDisk();
        p.SegmentState = 3;
    }
}

bool PointPipeline::CountAndYield() {
    ++counter_;
    if (counter_ % kYieldEvery != 0) return false;
    MainWindow().Refresh();
    DoEvents();
    return Stopped();
}

void PointPipeline::CountPassedOver(int32_t count) {
    counter_ += count;
    if (count > 0 && counter_ % kYieldEvery == 0) {
        MainWindow().Refresh();
        DoEvents();
    }
}

void PointPipeline::YieldOnce() { DoEvents(); }

namespace {

void InputOf(const DesignState& d, const PlotState& p, double& lat, double& lon) {
    lat = d.ProjInLat;
    lon = d.ProjInLon;
    if (p.GeographicInput) {
        lat = d.PointLatSec / 3600.0;
        lon = d.PointLonSec / 3600.0;
    }
    if (d.ProjCode == ProjUtm) {
        lat = d.PointLatSec;
        lon = d.PointLonSec;
    }
}

}  // namespace

void PointPipeline::ProjectionInput(double& lat, double& lon) { InputOf(Design(), Plot(), lat, lon); }

// Projects (ProjInLat, ProjInLon) into (ProjOutX, ProjOutY) as ProjectSelect
// does, by the forward function of the set-up taken: false where the point
// is not projected (CalcError set; azimuthal maps: PlotStatus 2 beyond the
// visibility limit). AzQueryMode 2 projects the place of the last range
// query. A failure shows "Error in ProjectSelect", keeps the coordinate
// computed before it and counts as projected.
bool PointPipeline::Project() {
    DesignState& d = d_;
    if (forward_ == nullptr) {
        ProjectSelect();
        return !d.CalcError;
    }
    d.CalcError = false;
    ProjectedPoint r;
    if (azimuthal_) {
        if (d.AzQueryMode == 2) {
            d.AzQueryMode = 0;
        } else {
            place_ = AzimuthalPlace(setup_, d.ProjInLat, d.ProjInLon);
            if (!AzimuthalVisible(setup_, place_)) {
                d.PlotStatus = 2;
                d.CalcError = true;
                return false;
            }
        }
        r = projectPlace_(setup_, place_);
    } else {
        r = forward_(setup_, d.ProjInLat, d.ProjInLon);
    }
    switch (r.status) {
    case PointStatus::Projected:
        d.ProjOutX = r.x;
        d.ProjOutY = r.y;
        return true;
    case PointStatus::Refused: d.CalcError = true; return false;
    case PointStatus::BeyondLimit:
        d.PlotStatus = 2;
        d.CalcError = true;
        return false;
    case PointStatus::Failed: break;
    }
    if (!std::isnan(r.x)) d.ProjOutX = r.x;
    if (!std::isnan(r.y)) d.ProjOutY = r.y;
    ShowProcError("ProjectSelect", r.failure);
    return true;
}

// Projects the point in the registers, sends it to the export and draws it.
// A point that cannot be projected breaks the line, on the drawing surface
// and in the export alike, so that no line crosses the gap.
void PointPipeline::Draw() {
    DesignState& d = d_;
    held_ = false;  // a point drawn goes on from the point held back, or reaches it
    d.PlotStatus = newSegment_ ? 1 : 0;
    InputOf(d, p_, d.ProjInLat, d.ProjInLon);
    if (!Project()) {
        EndLine();
        return;
    }
    if (!p_.CurOutFile.empty()) ScaleXY();
    PrintToScreen(d, p_);
    drawn_ = true;
    drawnLat_ = d.PointLatSec;
    drawnLon_ = d.PointLonSec;
    keptCount_ = 0;
    drawnDeep_ = azimuthal_ && place_.cosC >= thin_.cosDeep;
}

// Ends the line: the export's polyline, and on the drawing surface the next
// point starts a new line.
void PointPipeline::EndLine() {
    PlotState& p = p_;
    if (p.PolyPointCount > 0) PrintLineBrkDisk();
    p.SegmentState = 3;
    drawn_ = false;
}

void PointPipeline::Connect() {
    DesignState& d = d_;
    if (CountAndYield()) return;
    if (Thinned()) {
        HoldBack();
        return;
    }
    if (newSegment_) {
        prevInside_ = false;
        d.PrevLatSec = d.PointLatSec;
        d.PrevLonSec = d.PointLonSec;
    }
    const int64_t dLon = int64_t{d.PointLonSec} - d.PrevLonSec;
    pLat_ = d.PointLatSec;
    pLon_ = d.PointLonSec;
    qLat_ = d.PrevLatSec;
    qLon_ = d.PrevLonSec;

    switch (FamilyOf(d.ProjCode)) {
    case ProjFamily::Utm: ConnectMetres(); break;
    case ProjFamily::Azimuthal: ConnectAzimuthal(); break;
    default: ConnectGeographic(dLon); break;
    }

    newSegment_ = false;
    prevInside_ = inside_;
    d.PrevLatSec = d.PointLatSec;
    d.PrevLonSec = d.PointLonSec;
    d.AzQueryMode = 0;
}

// The line enters the window at E: a new line from E to the point.
void PointPipeline::Enter(int32_t eLat, int32_t eLon) {
    DesignState& d = d_;
    EndLine();
    d.PointLatSec = d.PrevLatSec = eLat;
    d.PointLonSec = d.PrevLonSec = eLon;
    Draw();
    d.PointLatSec = pLat_;
    d.PointLonSec = pLon_;
    Draw();
    d.PrevLatSec = qLat_;
    d.PrevLonSec = qLon_;
}

// The line leaves the window at E: it ends there.
void PointPipeline::Leave(int32_t eLat, int32_t eLon) {
    DesignState& d = d_;
    d.PointLatSec = eLat;
    d.PointLonSec = eLon;
    Draw();
    d.PointLatSec = pLat_;
    d.PointLonSec = pLon_;
    EndLine();
}

// Maps whose longitudes are frame longitudes 0..FrameEastSec. Of two points
// more than 180 degrees apart across the frame's eastern side, the far one is
// taken to lie beyond the western edge: the shorter way round the globe.
void PointPipeline::ConnectGeographic(int64_t dLon) {
    DesignState& d = d_;
    // A line that goes on as drawn may leave out the point held back, which
    // lies within a quarter pixel of the last point drawn; any other way
    // reaches it first.
    if (!(inside_ && prevInside_ && std::llabs(dLon) < d.ArcSec340)) DrawHeldBack();
    if (inside_ && prevInside_) {
        const int64_t jump = std::llabs(dLon);
        if (jump < d.ArcSec340) {
            Draw();
        } else if (jump == d.ArcSec360 && std::abs(d.LonWestSec) == d.ArcSec180) {
            // From one side of the 180th meridian to the other on a map bounded there.
            d.PointLonSec = d.PrevLonSec;
            Draw();
        } else if ((dLon <= -d.ArcSec340 && d.PrevLonSec > d.ArcSec340) ||
                   (dLon >= d.ArcSec340 && d.PointLonSec > d.ArcSec340)) {
            DateLineSplit(dLon);
        } else {
            // A jump across nearly the whole map that is no crossing of the
            // frame's edge: no line is drawn across the map.
            EndLine();
        }
        return;
    }
    if (inside_) {
        if (newSegment_) {
            Draw();
            return;
        }
        Edge e;
        if (d.PrevLonSec <= d.FrameEastSec) {
            e = NorthSouthEdge(d, d.PrevLatSec);
        } else {
            if (-dLon > d.ArcSec180) d.PrevLonSec -= d.ArcSec360;  // beyond the western edge
            e = EdgeClip(d, d.PrevLonSec);
        }
        Enter(e.lat, e.lon);
        return;
    }
    if (prevInside_) {
        if (newSegment_) return;
        Edge e;
        if (d.PointLonSec <= d.FrameEastSec) {
            e = NorthSouthEdge(d, d.PointLatSec);
        } else {
            if (dLon > d.ArcSec180) d.PointLonSec -= d.ArcSec360;
            e = EdgeClip(d, d.PointLonSec);
        }
        Leave(e.lat, e.lon);
    }
}

// The line crosses the frame's edge (the 180th meridian on a world map): it
// is drawn to the edge at the interpolated latitude, ended, and started anew
// at the opposite edge.
void PointPipeline::DateLineSplit(int64_t dLon) {
    DesignState& d = d_;
    const int32_t sigma = dLon < 0 ? -1 : 1;
    const bool eastFirst = dLon < d.ArcSec340;  // sigma negative: leaves through the eastern edge

    d.PointLonSec = pLon_ - sigma * d.ArcSec360;
    int32_t edge = eastFirst ? d.FrameEastSec : d.FrameWestSec;
    int32_t lat = LatAtLon(d, edge);
    d.PointLatSec = lat;
    d.PointLonSec = edge;
    Draw();
    d.PointLatSec = pLat_;
    d.PointLonSec = pLon_;
    EndLine();

    d.PrevLonSec = qLon_ + sigma * d.ArcSec360;
    edge = eastFirst ? d.FrameWestSec : d.FrameEastSec;
    lat = LatAtLon(d, edge);
    d.PointLatSec = lat;
    d.PointLonSec = edge;
    Draw();
    d.PrevLonSec = qLon_;
    d.PointLatSec = pLat_;
    d.PointLonSec = pLon_;
    Draw();
}

// UTM maps, in metres: clipping at the window's edges only.
void PointPipeline::ConnectMetres() {
    DesignState& d = d_;
    const auto withinEastings = [&](int32_t e) { return e >= d.FrameWestSec && e <= d.FrameEastSec; };
    if (inside_ && prevInside_) {
        Draw();
    } else if (inside_) {
        if (newSegment_) {
            Draw();
            return;
        }
        const Edge e = withinEastings(d.PrevLonSec) ? NorthSouthEdge(d, d.PrevLatSec) : EdgeClip(d, d.PrevLonSec);
        Enter(e.lat, e.lon);
    } else if (prevInside_) {
        if (newSegment_) return;
        const Edge e = withinEastings(d.PointLonSec) ? NorthSouthEdge(d, d.PointLatSec) : EdgeClip(d, d.PointLonSec);
        Leave(e.lat, e.lon);
    }
}

// Azimuthal maps: the range circle replaces the window. The range query
// classifies the point; a point within the range is then drawn from the
// values the query computed.
void PointPipeline::ConnectAzimuthal() {
    DesignState& d = d_;
    d.PlotStatus = newSegment_ ? 1 : 0;
    InputOf(d, p_, d.ProjInLat, d.ProjInLon);
    if (forward_ != nullptr) {
        // The range query: the point's place, kept for its projection.
        place_ = AzimuthalPlace(setup_, d.ProjInLat, d.ProjInLon);
        d.CalcError = true;
        inside_ = AzimuthalVisible(setup_, place_) && AzimuthalWithinRange(setup_, place_);
        if (inside_) d.AzQueryMode = 2;
    } else {
        d.AzQueryMode = -1;
        ProjectSelect();
        d.AzQueryMode = 0;
        switch (d.PlotStatus) {
        case 2:
        case 5: inside_ = false; break;
        case 4:
            inside_ = true;
            d.AzQueryMode = 2;
            break;
        default: break;
        }
    }
    d.PlotStatus = 0;

    if (inside_ && prevInside_) {
        Draw();
    } else if (inside_) {
        if (newSegment_) {
            Draw();
            return;
        }
        // Should the crossing not be found, the line starts at the point itself.
        int32_t lat = pLat_, lon = pLon_;
        AzInterpolate(lat, lon);
        d.AzQueryMode = 0;
        Enter(lat, lon);
    } else if (prevInside_) {
        if (newSegment_) return;
        DrawHeldBack();
        int32_t lat = qLat_, lon = qLon_;
        AzInterpolate(lat, lon);
        Leave(lat, lon);
    }
}

}  // namespace tlrx
