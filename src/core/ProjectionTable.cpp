#include "core/ProjectionTable.h"

#include <algorithm>
#include <array>
#include <cstddef>

#include "core/projections/Azimuthal.h"
#include "core/projections/Conic.h"
#include "core/projections/Cylindrical.h"
#include "core/projections/Hammer.h"
#include "core/projections/Mollweide.h"
#include "core/projections/Robinson.h"
#include "core/projections/UtmPlane.h"

namespace tlrx {

namespace {

using enum ProjFamily;
using G = GridDensity;
using R = RangeLimit;

constexpr BoundsDefault kMercatorBounds[] = {
    {0, "80    00    00    N"}, {1, "80    00    00    S"}, {2, "020    00    00"}};
constexpr BoundsDefault kConformalBounds[] = {{1, "60    00    00    S"}};
constexpr BoundsDefault kInterruptedBounds[] = {
    {2, "010    00    00"}, {3, "020    00    00    E"}, {4, "020    00    00    E"}, {5, "010    00    00"}};
constexpr BoundsDefault kBelowHemisphereRange[] = {{8, "060    00    00"}};
constexpr BoundsDefault kHemisphereRange[] = {{8, "090    00    00"}};

// clang-format off
constexpr ProjectionInfo kProjections[] = {
    {ProjMercator, "Mercator", "&Mercator", "", "Tellurax: Mercator projection",
     Cylindrical, 0, &kMercatorKernel, kPolesAtInfinity, G::Straight, R::Any, kMercatorBounds},
    {ProjEquirectangular, "Equirectangular", "&Equirectangular", "", "Tellurax: Equirectangular projection",
     Cylindrical, 1, &kEquirectangularKernel, kNoStdParallelOnPole, G::Straight, R::Any, {}},
    {ProjCylEqualArea, "Cylindrical Equal-Area", "C&ylindrical equal-area", "", "Tellurax: Cylindrical Equal-Area projection",
     Cylindrical, 1, &kCylEqualAreaKernel, kNoStdParallelOnPole, G::Straight, R::Any, {}},
    {ProjHammer, "Hammer Equal-Area", "&Hammer equal-area", "", "Tellurax: Hammer Equal-Area projection",
     World, 0, &kHammerKernel, 0, G::Hammer, R::Any, {}},
    {ProjMollweide, "Mollweide Equal-Area", "Normal", "Moll&weide equal-area", "Tellurax: Mollweide Equal-Area projection",
     World, 0, &kMollweideKernel, 0, G::Mollweide, R::Any, {}},
    {ProjInterruptedMollweide, "Interrupted Mollweide Equal-Area", "Interrupted", "Moll&weide equal-area", "Tellurax: Interrupted Mollweide Equal-Area projection",
     World, 0, &kInterruptedMollweideKernel, kLobes, G::Mollweide, R::Any, kInterruptedBounds},
    {ProjRobinson, "Robinson", "&Robinson", "", "Tellurax: Robinson projection",
     World, 0, &kRobinsonKernel, 0, G::Robinson, R::Any, {}},
    {ProjEquidistantConic, "Equidistant Conic", "Equi&distant conic", "", "Tellurax: Equidistant Conic projection",
     Conic, 2, &kEquidistantConicKernel, 0, G::Conic, R::Any, {}},
    {ProjConformalConic, "Conformal Conic", "&Conformal conic", "", "Tellurax: Conformal Conic projection",
     Conic, 2, &kConformalConicKernel, kApexPoleOnly | kNoStdParallelOnPole, G::Conic, R::Any, kConformalBounds},
    {ProjAlbers, "Albers Equal-Area", "&Albers equal-area", "", "Tellurax: Albers Equal-Area conic projection",
     Conic, 2, &kAlbersKernel, 0, G::Conic, R::Any, {}},
    {ProjGnomonic, "Gnomonic Azimuthal", "&Gnomonic", "", "Tellurax: Gnomonic Azimuthal projection",
     Azimuthal, 0, &kGnomonicKernel, 0, G::Azimuthal, R::BelowHemisphere, kBelowHemisphereRange},
    {ProjStereographic, "Stereographic Azimuthal", "&Stereographic", "", "Tellurax: Stereographic Azimuthal projection",
     Azimuthal, 0, &kStereographicKernel, 0, G::Azimuthal, R::Hemisphere, kHemisphereRange},
    {ProjOrthographic, "Orthographic Azimuthal", "&Orthographic", "", "Tellurax: Orthographic Azimuthal projection",
     Azimuthal, 0, &kOrthographicKernel, 0, G::Azimuthal, R::Hemisphere, kHemisphereRange},
    {ProjVerticalPerspective, "Vertical Perspective Azimuthal", "&Vertical Perspective", "", "Tellurax: Vertical Perspective Azimuthal projection",
     Azimuthal, 0, &kVerticalPerspectiveKernel, kViewpoint, G::Azimuthal, R::Any, {}},
    {ProjAzEquidistant, "Azimuthal Equidistant", "Azimu&thal equidistant", "", "Tellurax: Azimuthal Equidistant projection",
     Azimuthal, 0, &kAzEquidistantKernel, 0, G::Azimuthal, R::Any, {}},
    {ProjAzEqualArea, "Azimuthal Equal-Area", "A&zimuthal equal-area", "", "Tellurax: Azimuthal Equal-Area projection",
     Azimuthal, 0, &kAzEqualAreaKernel, 0, G::Azimuthal, R::Any, {}},
    {ProjUtm, "UTM", "&UTM", "", "Tellurax: UTM projection",
     Utm, 0, &kUtmKernel, 0, G::Straight, R::Any, {}},
};
// clang-format on

static_assert(std::ranges::max(kProjections, {}, &ProjectionInfo::code).code + 1 == ProjCodeBound,
              "ProjCodeBound is one above the largest code");

constexpr KernelIndex MakeKernelIndex() {
    KernelIndex index{};
    for (const ProjectionInfo& p : kProjections) index.at(static_cast<size_t>(p.code)) = p.kernel;
    return index;
}

}  // namespace

constinit const KernelIndex kKernelIndex = MakeKernelIndex();

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

bool HasTrait(int16_t code, ProjTrait trait) {
    const ProjectionInfo* p = FindProjection(code);
    return p && (p->traits & trait) != 0;
}

GridDensity GridDensityOf(int16_t code) {
    const ProjectionInfo* p = FindProjection(code);
    return p ? p->grid : GridDensity::None;
}

RangeLimit RangeLimitOf(int16_t code) {
    const ProjectionInfo* p = FindProjection(code);
    return p ? p->rangeLimit : RangeLimit::Any;
}

std::span<const BoundsDefault> BoundsDefaultsOf(int16_t code) {
    const ProjectionInfo* p = FindProjection(code);
    return p ? p->boundsDefaults : std::span<const BoundsDefault>{};
}

int StdParallelCount(int16_t code) {
    const ProjectionInfo* p = FindProjection(code);
    return p ? p->stdParallels : 0;
}

}  // namespace tlrx
