#include "core/ProjectionTable.h"

#include <array>

namespace tlrx {

namespace {

using enum ProjFamily;

constexpr std::array<ProjectionInfo, 17> kProjections{{
    {ProjMercator, "Mercator", Cylindrical, 0},
    {ProjEquirectangular, "Equirectangular", Cylindrical, 1},
    {ProjCylEqualArea, "Cylindrical Equal-Area", Cylindrical, 1},
    {ProjHammer, "Hammer Equal-Area", World, 0},
    {ProjMollweide, "Mollweide Equal-Area", World, 0},
    {ProjInterruptedMollweide, "Interrupted Mollweide Equal-Area", World, 0},
    {ProjRobinson, "Robinson", World, 0},
    {ProjEquidistantConic, "Equidistant Conic", Conic, 2},
    {ProjConformalConic, "Conformal Conic", Conic, 2},
    {ProjAlbers, "Albers Equal-Area", Conic, 2},
    {ProjGnomonic, "Gnomonic Azimuthal", Azimuthal, 0},
    {ProjStereographic, "Stereographic Azimuthal", Azimuthal, 0},
    {ProjOrthographic, "Orthographic Azimuthal", Azimuthal, 0},
    {ProjVerticalPerspective, "Vertical Perspective Azimuthal", Azimuthal, 0},
    {ProjAzEquidistant, "Azimuthal Equidistant", Azimuthal, 0},
    {ProjAzEqualArea, "Azimuthal Equal-Area", Azimuthal, 0},
    {ProjUtm, "UTM", Utm, 0},
}};

}  // namespace

std::span<const ProjectionInfo> Projections() { return kProjections; }

const ProjectionInfo* FindProjection(int16_t code) {
    for (const ProjectionInfo& p : kProjections)
        if (p.code == code) return &p;
    return nullptr;
}

ProjFamily FamilyOf(int16_t code) {
    const ProjectionInfo* p = FindProjection(code);
    return p ? p->family : None;
}

int StdParallelCount(int16_t code) {
    const ProjectionInfo* p = FindProjection(code);
    return p ? p->stdParallels : 0;
}

}  // namespace tlrx
