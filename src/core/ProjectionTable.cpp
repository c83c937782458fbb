#include "core/ProjectionTable.h"

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

constexpr std::array<ProjectionInfo, 17> kProjections{{
    {ProjMercator, "Mercator", "&Mercator", "", "Tellurax: Mercator projection", Cylindrical, 0, &kMercatorKernel},
    {ProjEquirectangular, "Equirectangular", "&Equirectangular", "", "Tellurax: Equirectangular projection",
     Cylindrical, 1, &kEquirectangularKernel},
    {ProjCylEqualArea, "Cylindrical Equal-Area", "C&ylindrical equal-area", "",
     "Tellurax: Cylindrical Equal-Area projection", Cylindrical, 1, &kCylEqualAreaKernel},
    {ProjHammer, "Hammer Equal-Area", "&Hammer equal-area", "", "Tellurax: Hammer Equal-Area projection", World, 0,
     &kHammerKernel},
    {ProjMollweide, "Mollweide Equal-Area", "Normal", "Moll&weide equal-area",
     "Tellurax: Mollweide Equal-Area projection", World, 0, &kMollweideKernel},
    {ProjInterruptedMollweide, "Interrupted Mollweide Equal-Area", "Interrupted", "Moll&weide equal-area",
     "Tellurax: Interrupted Mollweide Equal-Area projection", World, 0, &kInterruptedMollweideKernel},
    {ProjRobinson, "Robinson", "&Robinson", "", "Tellurax: Robinson projection", World, 0, &kRobinsonKernel},
    {ProjEquidistantConic, "Equidistant Conic", "Equi&distant conic", "", "Tellurax: Equidistant Conic projection",
     Conic, 2, &kEquidistantConicKernel},
    {ProjConformalConic, "Conformal Conic", "&Conformal conic", "", "Tellurax: Conformal Conic projection", Conic, 2,
     &kConformalConicKernel},
    {ProjAlbers, "Albers Equal-Area", "&Albers equal-area", "", "Tellurax: Albers Equal-Area conic projection", Conic,
     2, &kAlbersKernel},
    {ProjGnomonic, "Gnomonic Azimuthal", "&Gnomonic", "", "Tellurax: Gnomonic Azimuthal projection", Azimuthal, 0,
     &kGnomonicKernel},
    {ProjStereographic, "Stereographic Azimuthal", "&Stereographic", "", "Tellurax: Stereographic Azimuthal projection",
     Azimuthal, 0, &kStereographicKernel},
    {ProjOrthographic, "Orthographic Azimuthal", "&Orthographic", "", "Tellurax: Orthographic Azimuthal projection",
     Azimuthal, 0, &kOrthographicKernel},
    {ProjVerticalPerspective, "Vertical Perspective Azimuthal", "&Vertical Perspective", "",
     "Tellurax: Vertical Perspective Azimuthal projection", Azimuthal, 0, &kVerticalPerspectiveKernel},
    {ProjAzEquidistant, "Azimuthal Equidistant", "Azimu&thal equidistant", "",
     "Tellurax: Azimuthal Equidistant projection", Azimuthal, 0, &kAzEquidistantKernel},
    {ProjAzEqualArea, "Azimuthal Equal-Area", "A&zimuthal equal-area", "", "Tellurax: Azimuthal Equal-Area projection",
     Azimuthal, 0, &kAzEqualAreaKernel},
    {ProjUtm, "UTM", "&UTM", "", "Tellurax: UTM projection", Utm, 0, &kUtmKernel},
}};

constexpr std::array<const ProjectionKernel*, 43> MakeKernelIndex() {
    std::array<const ProjectionKernel*, 43> index{};
    for (const ProjectionInfo& p : kProjections) index.at(static_cast<size_t>(p.code)) = p.kernel;
    return index;
}

}  // namespace

constinit const std::array<const ProjectionKernel*, 43> kKernelIndex = MakeKernelIndex();

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
