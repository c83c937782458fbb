#include "core/ProjParams.h"

#include <cmath>

#include "core/AngleText.h"
#include "core/DesignState.h"
#include "core/Errors.h"
#include "core/Projection.h"
#include "core/ProjectionTable.h"

namespace tlrx {

namespace {

struct XY {
    double x, y;
};

// Projects (lat, frame lon) in degrees; a refused point leaves the previous
// output, as the extent rules accept.
XY Project(double lat, double lon) {
    DesignState& d = Design();
    d.ProjInLat = lat;
    d.ProjInLon = lon;
    ProjectSelect();
    return {d.ProjOutX, d.ProjOutY};
}

bool EndsWith(const std::string& text, char letter) {
    return !text.empty() && text.back() == letter;
}

// Codes 1, 2, 17, 40: the rectangle of the boundaries.
void RectangularExtent(DesignState& d) {
    const double m = d.CentralMeridian;
    d.MapYMin = Project(d.LatSouth, m).y;
    d.MapYMax = Project(d.LatNorth, m).y;
    d.MapXMin = Project(d.LatSouth, d.FrameWest).x;
    d.MapXMax = Project(d.LatSouth, d.FrameEast).x;
}

void ConicConstants(DesignState& d) {
    const double n = d.StdParNorth * d.DegToRad;
    const double s = d.StdParSouth * d.DegToRad;
    switch (d.ProjCode) {
    case ProjEquidistantConic:
        d.ConicN = CheckedDiv(std::cos(s) - std::cos(n), n - s);
        d.ConicG = CheckedDiv(d.StdParNorth * std::cos(s) - d.StdParSouth * std::cos(n),
                              std::cos(s) - std::cos(n));
        d.ConicRho0 = (d.ConicG - d.CentLat) * d.DegToRad;
        break;
    case ProjConformalConic: {
        const double tanN = std::tan(d.PiOver4 + d.StdParNorth * d.HalfDegToRad);
        const double tanS = std::tan(d.PiOver4 + d.StdParSouth * d.HalfDegToRad);
        d.ConicN = CheckedDiv(std::log(std::cos(s) / std::cos(n)), std::log(tanN / tanS));
        d.ConicF = CheckedDiv(std::cos(s) * std::pow(tanS, d.ConicN), d.ConicN);
        d.ConicRho0 = d.ConicF / std::pow(std::tan(d.PiOver4 + d.CentLat * d.HalfDegToRad), d.ConicN);
        break;
    }
    default:  // Albers
        d.ConicN = (std::sin(n) + std::sin(s)) / 2;
        d.ConicC = std::cos(s) * std::cos(s) + 2 * d.ConicN * std::sin(s);
        d.ConicRho0 = CheckedDiv(std::sqrt(d.ConicC - 2 * d.ConicN * std::sin(d.CentLat * d.DegToRad)),
                                 d.ConicN);
        break;
    }
    if (!std::isfinite(d.ConicN) || !std::isfinite(d.ConicRho0)) Raise(kOverflow);
}

// The conic's lowest, highest, leftmost and rightmost points, projected in
// that order.
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
    d.MapYMin = Project(low.lat, low.lon).y;
    d.MapYMax = Project(high.lat, high.lon).y;
    d.MapXMin = Project(outer, leftLon).x;
    d.MapXMax = Project(outer, rightLon).x;
}

// Codes 12, 16, 41, 42, symmetric about the central meridian.
void WorldExtent(DesignState& d) {
    const double w = d.FrameWest, e = d.FrameEast;
    const bool northN = EndsWith(d.LatNorthText, 'N');
    const bool southN = EndsWith(d.LatSouthText, 'N');
    const bool northS = EndsWith(d.LatNorthText, 'S');
    const bool southS = EndsWith(d.LatSouthText, 'S');

    const double highLon = northN || d.LatNorth == 0 ? e : (e + w) / 2;
    d.MapYMax = Project(d.LatNorth, highLon).y;
    d.MapYMin = Project(d.LatSouth, southN ? (e + w) / 2 : e).y;

    double wideLat = 0;
    if ((northN && southS) || d.LatNorth == 0 || d.LatSouth == 0) wideLat = 0;
    else if (northS && southS) wideLat = d.LatNorth;
    else if (northN && southN) wideLat = d.LatSouth;
    d.MapXMax = Project(wideLat, e).x;
    d.MapXMin = -d.MapXMax;
}

// Codes 26, 27, 28, 30, 31: the square around the range circle.
void AzimuthalExtent(DesignState& d) {
    double half = 0;
    if (d.AzRangeSec == 648000 && d.ProjCode == ProjAzEquidistant) {
        half = 4 * d.PiOver4;
    } else if (d.AzRangeSec == 648000 && d.ProjCode == ProjAzEqualArea) {
        half = 4 * 0.5;
    } else {
        double lat = static_cast<double>(d.AzRangeSec) / d.SecPerDeg + d.CentLat;
        double lon = d.CentralMeridian;
        if (lat > 90) {  // folded over the pole onto the opposite meridian
            lat = 180 - lat;
            lon = 360;
        }
        half = Project(lat, lon).y;
    }
    d.MapXMax = d.MapYMax = half;
    d.MapXMin = d.MapYMin = -half;
}

// Code 29: the viewpoint, its horizon and the disc of the visible cap.
void VerticalPerspective(DesignState& d) {
    d.VpP = d.VpDistanceKm / 6371 + 1;
    Item(d.AzCosLimit, 3) = 1 / (d.VpP + 0.0000000001);
    const double inv = 1 / d.VpP;
    const double h = std::atan(std::sqrt(1 - inv * inv) / inv) / d.DegToRad;
    d.AzRangeSec = ToInt32(h * 3600);
    d.CosAzRange = std::cos(h * d.DegToRad);
    DegMinSec(h, d.BoundsText[8], "LON", 4);
    d.MapXMax = d.MapYMax = std::sqrt((d.VpP - 1) / (d.VpP + 1));
    d.MapXMin = d.MapYMin = -d.MapXMax;
}

}  // namespace

void ParamStdParallel() {
    DesignState& d = Design();
    try {
        const double n = d.LatNorth, s = d.LatSouth;
        if (StdParallelCount(d.ProjCode) == 1) {
            double p = 0;
            if (n > 0 && s >= 0) p = (n + s) / 2;
            else if (n <= 0 && s < 0) p = -(n + s) / 2;
            else if (n > 0 && s < 0) p = -s <= n ? n / 2 : -s / 2;
            d.StdParNorth = p;
            d.StdParSouth = -p;
        } else {
            const double sixth = (n - s) / 6;
            d.StdParNorth = n - sixth;
            d.StdParSouth = s + sixth;
            if (-d.StdParNorth == d.StdParSouth) d.StdParSouth = 0;
        }
        DegMinSec(d.StdParNorth, d.StdParNorthText, "LAT", 4);
        d.StdParText[0] = d.StdParNorthText;
        DegMinSec(d.StdParSouth, d.StdParSouthText, "LAT", 4);
        d.StdParText[1] = d.StdParSouthText;
    } catch (const RuntimeError& e) {
        ShowProcError("ParamStdParallel", e.what());
    }
}

void ParamSelect() {
    DesignState& d = Design();
    try {
        switch (d.ProjCode) {
        case ProjEquirectangular:
        case ProjCylEqualArea:
            d.CosStdParNorth = std::cos(d.StdParNorth * d.DegToRad);
            RectangularExtent(d);
            break;
        case ProjMercator:
        case ProjUtm:
            RectangularExtent(d);
            break;
        case ProjEquidistantConic:
        case ProjConformalConic:
        case ProjAlbers:
            ConicConstants(d);
            ConicExtent(d);
            break;
        case ProjHammer:
        case ProjRobinson:
        case ProjMollweide:
        case ProjInterruptedMollweide:
            WorldExtent(d);
            break;
        case ProjGnomonic:
        case ProjStereographic:
        case ProjOrthographic:
        case ProjAzEquidistant:
        case ProjAzEqualArea:
            AzimuthalExtent(d);
            break;
        case ProjVerticalPerspective:
            VerticalPerspective(d);
            break;
        default:
            break;
        }
    } catch (const RuntimeError& e) {
        ShowProcError("ParamSelect", e.what());
    }
    d.PlotStopText.clear();
}

}  // namespace tlrx
