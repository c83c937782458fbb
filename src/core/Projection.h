#pragma once
// The forward projections: one point of ProjectionIO to map coordinates.

#include <string>

#include "core/projections/ProjectionKernel.h"

namespace tlrx {

struct DesignState;

// Projects (ProjInLat, ProjInLon) of the design state for ProjCode into
// (ProjOutX, ProjOutY) in Earth radii on the unit sphere, x east and y north
// (UTM: metres, passed through unchanged).
// ProjInLat: degrees, north positive, -90 to 90 (UTM: northing).
// ProjInLon: frame degrees east of the western boundary, 0 to the frame's
// range; the cylindrical projections measure x from the western edge, all
// others take the longitude difference from CentralMeridian (UTM: easting).
// Reads the constants prepared by the graticule computation and the
// projection set-up (CentralMeridian, CosCentLat, SinCentLat, CosAzRange,
// CosStdParNorth, the conic constants, VpP, CurLobeOffset).
// Clears CalcError on entry and sets it for a point that is not projected,
// leaving ProjOutX and ProjOutY as they were. The azimuthal projections set
// PlotStatus to 2 for a point at or beyond the visibility limit (each
// azimuthal kernel's own); with AzQueryMode -1 they only test the point against the
// range circle (PlotStatus 4 inside or on it, 5 outside; CalcError set),
// and with AzQueryMode 2 they project the point of that query from the
// values kept since, resetting AzQueryMode to 0. A code outside the
// table changes nothing but CalcError. An arithmetic failure shows
// "Error in ProjectSelect"; CalcError then stays false and an output written
// before the failure keeps its new value. Allocates nothing. Not reentrant
// (the design state, the kept place); the forward functions it calls
// (core/projections/, found by KernelOf) are pure, and each projection's
// file states its units, ranges and accuracy.
void ProjectSelect();

// Clears the place ProjectSelect keeps from one call to the next (tests).
void ResetProjWork();

// Projects (ProjInLat, ProjInLon) with the pure forward function of ProjCode
// and the set-up of the design as it stands, writing the design as
// ProjectSelect does for AzQueryMode 0: CalcError cleared, then ProjOutX and
// ProjOutY for a projected point; CalcError set for one that is not (and
// PlotStatus 2 beyond an azimuthal visibility limit); on an arithmetic
// failure "Error in ProjectSelect" shown and the coordinate computed before
// it written. Neither reads AzQueryMode nor touches the place ProjectSelect
// keeps. A code outside the table changes nothing but CalcError.
void ProjectDesignPoint();

// ProjectDesignPoint for a pass over many points of one design (the grid, the
// labels, the extent): the kernel and set-up are taken once, from the design
// handed, and each Project() projects that design's (ProjInLat, ProjInLon)
// into its ProjOutX, ProjOutY as ProjectDesignPoint does. The design's
// projection must not change while the projector is used.
class DesignProjector {
public:
    explicit DesignProjector(DesignState& d);
    void Project();

private:
    DesignState& d_;
    const ProjectionKernel* kernel_ = nullptr;  // nullptr: not a projection
    ProjectionSetup setup_;
    std::string setupFailure_;  // a set-up that could not be read: shown at every point
};

}  // namespace tlrx
