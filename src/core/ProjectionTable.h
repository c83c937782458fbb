#pragma once
// The seventeen projections of the Projection menu: code, name, menu item
// and window caption, family, which parameter dialogs follow the boundaries,
// and the kernel that computes the projection (core/projections/). The table
// is the only list of projections: the menu is built from its rows in their
// order (a separator between families, consecutive rows of one submenu
// gathered under it), its items carry their codes, and everything that
// decides by projection family asks it. Adding or mending a projection
// touches its file there and its row here.

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
    Cylindrical,  // 1, 2, 40
    World,        // 12, 16, 41, 42
    Conic,        // 6, 7, 8
    Azimuthal,    // 26 to 31: a centre point and an angular range
    Utm,          // 17: boundaries, grid and points in metres
};

struct ProjectionInfo {
    int16_t code;
    std::string_view name;      // ProjName
    std::string_view menuItem;  // its Projection menu item, with its accelerator
    std::string_view submenu;   // the item that opens its submenu; empty for an item of the menu itself
    std::string_view caption;   // the window caption once the item is chosen
    ProjFamily family;
    int8_t stdParallels;    // 0, 1 (cylindrical) or 2 (conic); the boundary dialog goes on to them
    const ProjectionKernel* kernel;
};

// Every projection, in the order of the Projection menu.
std::span<const ProjectionInfo> Projections();

// The row of a code; nullptr for a code that is no projection.
const ProjectionInfo* FindProjection(int16_t code);

// The kernels by code, 0 to 42 (nullptr for a code that is no projection).
extern const std::array<const ProjectionKernel*, 43> kKernelIndex;

// The kernel of a code, nullptr for a code that is no projection; a lookup
// by index, inline for the per-point paths.
inline const ProjectionKernel* KernelOf(int16_t code) {
    const auto i = static_cast<size_t>(code);  // a negative code wraps beyond the index
    return i < kKernelIndex.size() ? kKernelIndex[i] : nullptr;
}

// ProjFamily::None for a code that is no projection.
ProjFamily FamilyOf(int16_t code);

inline bool IsAzimuthal(int16_t code) { return FamilyOf(code) == ProjFamily::Azimuthal; }

// How many standard parallels the projection takes: 1 for the equirectangular
// and cylindrical equal-area, 2 for the conics, else 0.
int StdParallelCount(int16_t code);

}  // namespace tlrx
