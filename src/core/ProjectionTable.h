#pragma once
// The projections of the Projection menu: code, name, menu item
// and window caption, family, which parameter dialogs follow the boundaries,
// the kernel that computes the projection (core/projections/), and what the
// dialogs and the grid ask of it beyond its family (traits, grid density,
// range limit, default boundaries). The table is the only list of
// projections: the menu is built from its rows in their order (a separator
// between families, consecutive rows of one submenu gathered under it), its
// items carry their codes, and everything that decides by projection asks
// it. Adding or mending a projection touches its file there and its row here.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

#include "core/DesignState.h"
#include "core/projections/ProjectionKernel.h"

namespace tlrx {

enum class ProjFamily : uint8_t {
    None,         // not a projection code
    Cylindrical,  // Mercator, equirectangular, cylindrical equal-area
    World,        // Hammer, Robinson, the Mollweides
    Conic,        // the three conics
    Azimuthal,    // a centre point and an angular range
    Utm,          // boundaries, grid and points in metres
};

// What a projection asks of the dialogs and the drawing beyond its family:
// a set of these bits.
enum ProjTrait : uint8_t {
    kPolesAtInfinity = 1,      // no boundary on a pole: the poles project to infinity (Mercator)
    kApexPoleOnly = 2,         // only the pole on the apex side is shown: not both poles (conformal conic)
    kNoStdParallelOnPole = 4,  // no standard parallel on a pole
    kLobes = 8,                // drawn lobe by lobe between the interruptions (interrupted Mollweide)
    kViewpoint = 16,           // the range is the horizon of a viewpoint above the centre (vertical perspective)
};

// How densely the grid lines are drawn (points per grid interval).
enum class GridDensity : uint8_t {
    None,       // not a projection code
    Straight,   // straight lines: one point per interval
    Conic,      // parallels as arcs
    Hammer,     // both meridians and parallels curved
    Robinson,   // curved meridians, straight parallels
    Mollweide,  // curved meridians, straight parallels, more points
    Azimuthal,  // about 100 points over the map's range
};

// The largest range of an azimuthal map the boundary dialog accepts.
enum class RangeLimit : uint8_t {
    Any,
    BelowHemisphere,  // less than 90 degrees
    Hemisphere,       // 90 degrees at most
};

// A boundary text (an index into BoundsText) that replaces the grid's default
// for one projection when its boundaries are first edited.
struct BoundsDefault {
    uint8_t field;
    std::string_view text;
};

struct ProjectionInfo {
    int16_t code;
    std::string_view name;      // ProjName
    std::string_view menuItem;  // its Projection menu item, with its accelerator
    std::string_view submenu;   // the item that opens its submenu; empty for an item of the menu itself
    std::string_view caption;   // the window caption once the item is chosen
    ProjFamily family;
    int8_t stdParallels;  // 0, 1 (cylindrical) or 2 (conic); the boundary dialog goes on to them
    const ProjectionKernel* kernel;
    uint8_t traits;  // ProjTrait bits
    GridDensity grid;
    RangeLimit rangeLimit;
    std::span<const BoundsDefault> boundsDefaults;
};

// Every projection, in the order of the Projection menu.
std::span<const ProjectionInfo> Projections();

// The row of a code; nullptr for a code that is no projection.
const ProjectionInfo* FindProjection(int16_t code);

// The kernels by code, 0 to ProjCodeBound - 1 (nullptr for a code that is no
// projection).
using KernelIndex = std::array<const ProjectionKernel*, ProjCodeBound>;
extern const KernelIndex kKernelIndex;

// The kernel of a code, nullptr for a code that is no projection; a lookup
// by index, inline for the per-point paths.
inline const ProjectionKernel* KernelOf(int16_t code) {
    const auto i = static_cast<size_t>(code);  // a negative code wraps beyond the index
    return i < kKernelIndex.size() ? kKernelIndex[i] : nullptr;
}

// ProjFamily::None for a code that is no projection.
ProjFamily FamilyOf(int16_t code);

inline bool IsAzimuthal(int16_t code) { return FamilyOf(code) == ProjFamily::Azimuthal; }

// Whether the projection has the trait; false for a code that is no projection.
bool HasTrait(int16_t code, ProjTrait trait);

// Whether the map is drawn lobe by lobe (kLobes).
inline bool IsInterrupted(int16_t code) { return HasTrait(code, kLobes); }

// GridDensity::None for a code that is no projection.
GridDensity GridDensityOf(int16_t code);

// RangeLimit::Any for a code that is no projection.
RangeLimit RangeLimitOf(int16_t code);

// The boundary texts that replace the grid's defaults (none for a code that
// is no projection).
std::span<const BoundsDefault> BoundsDefaultsOf(int16_t code);

// Whether the projection shows the whole sphere at a range of 180 degrees,
// the antipode being the rim of its disc.
inline bool ShowsWholeSphere(int16_t code) {
    const ProjectionKernel* kernel = KernelOf(code);
    return kernel && kernel->wholeSphereRadius > 0;
}

// How many standard parallels the projection takes: 1 for the equirectangular
// and cylindrical equal-area, 2 for the conics, else 0.
int StdParallelCount(int16_t code);

}  // namespace tlrx
