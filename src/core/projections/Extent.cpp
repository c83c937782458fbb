#include "core/projections/Extent.h"

#include <cmath>
#include <string>

#include "core/DesignState.h"
#include "core/Errors.h"
#include "core/Projection.h"
#include "core/ProjectionTable.h"

namespace tlrx {

namespace {

struct XY {
    double x, y;
};

// Projects (lat, frame lon) in degrees of the design being prepared, with
// the set-up taken from it; a refused point leaves the previous output, as
// the extent rules accept.
class ExtentPoints {
public:
    explicit ExtentPoints(DesignState& d) : d_(d), projector_(d) {}
    XY operator()(double lat, double lon) {
        d_.ProjInLat = lat;
        d_.ProjInLon = lon;
        projector_.Project();
        return {d_.ProjOutX, d_.ProjOutY};
    }

private:
    DesignState& d_;
    DesignProjector projector_;
};

bool EndsWith(const std::string& text, char letter) { return !text.empty() && text.back() == letter; }

}  // namespace

void RectangularExtent(DesignState& d) {
    ExtentPoints project(d);
    const double m = d.CentralMeridian;
    d.MapYMin = project(d.LatSouth, m).y;
    d.MapYMax = project(d.LatNorth, m).y;
    d.MapXMin = project(d.LatSouth, d.FrameWest).x;
    d.MapXMax = project(d.LatSouth, d.FrameEast).x;
}

void ConicExtent(DesignState& d) {
    const double w = d.FrameWest, e = d.FrameEast, m = d.CentralMeridian;
    const double range = e - w;
    const double a = std::fabs(CheckedDiv(180, d.ConicN));
    const double absN = std::fabs(d.StdParNorth), absS = std::fabs(d.StdParSouth);
    if (absN == absS) return;  // refused by the dialogs; the extent stays as it was
    const bool apexNorth = absN > absS;
    // The boundary parallel farther from the apex is the widest arc; beyond a
    // range of A its ends turn back, and its extremes lie inside the frame.
    const double outer = apexNorth ? d.LatSouth : d.LatNorth;
    const bool turnsBack = range > a;
    const double leftLon = turnsBack ? w + (range - a) / 2 : w;
    const double rightLon = turnsBack ? e - (range - a) / 2 : e;
    struct LatLon {
        double lat, lon;
    } low, high;
    if (apexNorth) {
        low = {d.LatSouth, m};
        high = {turnsBack ? d.LatSouth : d.LatNorth, w};
    } else {
        high = {d.LatNorth, m};
        low = {turnsBack ? d.LatNorth : d.LatSouth, w};
    }
    ExtentPoints project(d);
    d.MapYMin = project(low.lat, low.lon).y;
    d.MapYMax = project(high.lat, high.lon).y;
    d.MapXMin = project(outer, leftLon).x;
    d.MapXMax = project(outer, rightLon).x;
}

void WorldExtent(DesignState& d) {
    const double w = d.FrameWest, e = d.FrameEast;
    const bool northN = EndsWith(d.LatNorthText, 'N');
    const bool southN = EndsWith(d.LatSouthText, 'N');
    const bool northS = EndsWith(d.LatNorthText, 'S');
    const bool southS = EndsWith(d.LatSouthText, 'S');

    ExtentPoints project(d);
    const double highLon = northN || d.LatNorth == 0 ? e : (e + w) / 2;
    d.MapYMax = project(d.LatNorth, highLon).y;
    d.MapYMin = project(d.LatSouth, southN ? (e + w) / 2 : e).y;

    double wideLat = 0;
    if ((northN && southS) || d.LatNorth == 0 || d.LatSouth == 0) wideLat = 0;
    else if (northS && southS) wideLat = d.LatNorth;
    else if (northN && southN) wideLat = d.LatSouth;
    d.MapXMax = project(wideLat, e).x;
    d.MapXMin = -d.MapXMax;
}

void AzimuthalExtent(DesignState& d) {
    double half = 0;
    const ProjectionKernel* kernel = KernelOf(d.ProjCode);
    if (d.AzRangeSec == 648000 && kernel && kernel->wholeSphereRadius > 0) {
        half = kernel->wholeSphereRadius;  // the disc of the whole sphere
    } else {
        double lat = static_cast<double>(d.AzRangeSec) / d.SecPerDeg + d.CentLat;
        double lon = d.CentralMeridian;
        if (lat > 90) {  // folded over the pole onto the opposite meridian
            lat = 180 - lat;
            lon = 360;
        }
        half = ExtentPoints(d)(lat, lon).y;
    }
    d.MapXMax = d.MapYMax = half;
    d.MapXMin = d.MapYMin = -half;
}

}  // namespace tlrx
