#pragma once
// The way of every map point from its file to the map: preparation (the
// transverse Mercator series on UTM maps, else the frame longitude, and the
// test against the map window), connection (the yield every 800 points,
// clipping at the window's edges, the 180th meridian on world maps, the range
// circle of azimuthal maps) and output (projection, export, drawing).
//
// The pipeline works on the point registers of the design state: the caller
// puts the point into PointLatSec, PointLonSec; PrevLatSec, PrevLonSec hold
// the previous point of the segment in prepared units. Nothing is allocated
// per point.
//
// Each map file and circle block takes the projection's set-up once (Begin),
// so that a point is projected by the projection's pure forward function;
// the interrupted Mollweide's lobe offset is part of that set-up.
//
// On screen and on the printer, a line's point that lands within a quarter
// of a device pixel of the last point drawn is counted but not projected
// (thinning; a printer's pixel is its own, finer one). The bound
// comes from the map's own scale, taken with the set-up: on azimuthal maps
// their largest scale factor within the range, on the others the largest
// change per degree found on a fine grid over the window, with a margin.
// Points near the window's edges, the poles or the range circle are always
// drawn, and a line that ends, leaves the window or changes its pen first
// reaches the last point held back. The exports get every point.

#include <cstdint>
#include <string>

#include "core/projections/ProjectionKernel.h"

namespace tlrx {

struct DesignState;
struct PlotState;

// Thinning on screen and printer, on unless turned off (comparisons with the
// full drawing).
void SetPointThinning(bool on);
bool PointThinning();

class PointPipeline {
public:
    PointPipeline();

    // A map file or a circle block begins: the previous point counts as
    // outside. With resetCount (every map file) the yield counter restarts at 0.
    // Takes the projection's set-up from the design as it stands (centre,
    // constants, the current lobe) and the device transform for the points
    // to come.
    void Begin(bool resetCount);

    // Prepares the point in PointLatSec, PointLonSec (arc-seconds, north and
    // east positive). UTM maps: the kernel's transverse Mercator series, leaving
    // northing and easting in whole metres in the registers (and in
    // ProjInLat, ProjInLon); other maps: the longitude becomes the frame
    // longitude (east of LonWestSec, 0 to 1296000). Then the window test.
    void Prepare();

    // Stores a UTM file's point (whole metres) as prepared and tests it
    // against the window in metres.
    void PrepareMetres(int32_t northing, int32_t easting);

    // The prepared point starts a segment: PlotStatus 1; an open export
    // polyline is ended first when the point lies inside the window.
    void StartSegment();

    // Draws what the prepared point adds to the map and makes it the previous
    // point. Counts the point first: at every 800th count of the file the
    // window is refreshed and the pass yields; after a stop (PlotStopText
    // "Escape") the point is not drawn and Stopped() is true.
    void Connect();

    // Points read and passed over count like drawn points, with the same
    // refresh and yield whenever the count reaches a multiple of 800.
    void CountPassedOver(int32_t count);

    // One yield to the event loop (after a passed-over segment).
    void YieldOnce();

    // A stop request was seen.
    bool Stopped() const { return !stopText_.empty() && stopText_ == "Escape"; }

    // The map file or circle block has ended: a point held back from the
    // drawing is drawn.
    void Finish();

    // The last prepared point lies inside the map window (on azimuthal maps:
    // within the range circle, after its connection).
    bool Inside() const { return inside_; }

    // The projection input of the point in the registers: degrees (latitude,
    // frame longitude), or metres on UTM maps.
    static void ProjectionInput(double& lat, double& lon);

    int32_t YieldCount() const { return counter_; }

private:
    void TakeSetup();
    void PlanThinning();
    bool Thinned() const;
    void HoldBack();
    void DrawHeldBack();
    void DrawKept();
    void DrawAt(int32_t lat, int32_t lon);
    bool Project();
    bool CountAndYield();
    void WindowTest();
    void Draw();
    void EndLine();
    void ConnectGeographic(int64_t dLon);
    void ConnectMetres();
    void ConnectAzimuthal();
    void DateLineSplit(int64_t dLon);
    void Enter(int32_t eLat, int32_t eLon);
    void Leave(int32_t eLat, int32_t eLon);

    DesignState& d_;
    PlotState& p_;
    const std::string& stopText_;  // d_.PlotStopText, read per point inline
    // The projection of the points: the set-up taken by Begin and its
    // forward function; null until then, or when the set-up could not be
    // read (ProjectSelect then projects, and reports the failure).
    ProjectionSetup setup_;
    ForwardFn forward_ = nullptr;
    PlaneFn plane_ = nullptr;         // UTM: latitude and longitude to metres, before the forward function
    StretchFn stretch_ = nullptr;     // azimuthal: the largest stretch within an angular distance
    PlaceFn projectPlace_ = nullptr;  // azimuthal: the map point of a visible place
    bool azimuthal_ = false;
    AzimuthalPoint place_;  // the last range query's place, for AzQueryMode 2

    // Thinning: the largest steps (arc-seconds) from the last point drawn
    // that land within a quarter pixel of it, the window shrunk by a margin,
    // and on azimuthal maps the cos of the distance from the centre that a
    // drawn point must reach for its neighbours to stay within the range.
    struct Thinning {
        bool on = false;
        int32_t dLat = 0, dLon = 0;
        int32_t south = 0, north = 0, west = 0, east = 0;
        double cosDeep = 2;
    } thin_;
    bool drawn_ = false;  // the line goes on from the last point drawn
    bool drawnDeep_ = false;
    int32_t drawnLat_ = 0, drawnLon_ = 0;
    bool held_ = false;  // a point was held back since
    int32_t heldLat_ = 0, heldLon_ = 0;
    // The points held back, up to kKept of them, while the line drawn so
    // far lies on one device point: a line that ends there (a tiny island)
    // is drawn through all of them rather than from its first point back to
    // itself, which a pen wider than a pixel draws as nothing (on screen a
    // one-pixel pen draws the dot, and the points are not kept). More of
    // them are drawn at once, and the line is thinned again when it has
    // left that point.
    static constexpr int kKept = 32;
    int32_t keptCount_ = 0;
    int32_t keptLat_[kKept] = {}, keptLon_[kKept] = {};

    bool newSegment_ = false;
    bool inside_ = false;
    bool prevInside_ = false;
    int32_t counter_ = 0;
    // The current and previous point as they came to the connection step.
    int32_t pLat_ = 0, pLon_ = 0, qLat_ = 0, qLon_ = 0;
};

}  // namespace tlrx
