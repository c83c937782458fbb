#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "core/ProjectionTable.h"

namespace tlrx {
namespace {

TEST(ProjectionTableTest, EveryMenuProjectionHasItsNameFamilyAndStandardParallels) {
    using enum ProjFamily;
    struct Row {
        int16_t code;
        const char* name;
        ProjFamily family;
        int stdParallels;
    };
    const Row expected[] = {
        {1, "Mercator", Cylindrical, 0},
        {2, "Equirectangular", Cylindrical, 1},
        {40, "Cylindrical Equal-Area", Cylindrical, 1},
        {12, "Hammer Equal-Area", World, 0},
        {41, "Mollweide Equal-Area", World, 0},
        {42, "Interrupted Mollweide Equal-Area", World, 0},
        {16, "Robinson", World, 0},
        {6, "Equidistant Conic", Conic, 2},
        {7, "Conformal Conic", Conic, 2},
        {8, "Albers Equal-Area", Conic, 2},
        {26, "Gnomonic Azimuthal", Azimuthal, 0},
        {27, "Stereographic Azimuthal", Azimuthal, 0},
        {28, "Orthographic Azimuthal", Azimuthal, 0},
        {29, "Vertical Perspective Azimuthal", Azimuthal, 0},
        {30, "Azimuthal Equidistant", Azimuthal, 0},
        {31, "Azimuthal Equal-Area", Azimuthal, 0},
        {17, "UTM", Utm, 0},
    };
    ASSERT_EQ(Projections().size(), std::size(expected));
    for (size_t i = 0; i < std::size(expected); ++i) {
        const Row& r = expected[i];
        SCOPED_TRACE(r.name);
        EXPECT_EQ(Projections()[i].code, r.code);
        EXPECT_EQ(Projections()[i].name, r.name);
        EXPECT_EQ(FamilyOf(r.code), r.family);
        EXPECT_EQ(StdParallelCount(r.code), r.stdParallels);
        EXPECT_EQ(IsAzimuthal(r.code), r.family == Azimuthal);
    }
}

TEST(ProjectionTableTest, CodesBetweenTheProjectionsAreNone) {
    for (int16_t code : {int16_t{-1}, int16_t{0}, int16_t{3}, int16_t{25}, int16_t{32}, int16_t{43}}) {
        EXPECT_EQ(FindProjection(code), nullptr) << code;
        EXPECT_EQ(FamilyOf(code), ProjFamily::None) << code;
        EXPECT_EQ(StdParallelCount(code), 0) << code;
        EXPECT_FALSE(HasTrait(code, kLobes) || HasTrait(code, kViewpoint) || HasTrait(code, kPolesAtInfinity)) << code;
        EXPECT_EQ(GridDensityOf(code), GridDensity::None) << code;
        EXPECT_EQ(RangeLimitOf(code), RangeLimit::Any) << code;
        EXPECT_TRUE(BoundsDefaultsOf(code).empty()) << code;
        EXPECT_FALSE(ShowsWholeSphere(code)) << code;
    }
}

// The disc of a whole-sphere projection is where its points go as they near
// the antipode; the other projections do not show the whole sphere.
TEST(ProjectionTableTest, WholeSphereDiscIsTheAntipodesRim) {
    std::vector<int16_t> whole;
    for (const ProjectionInfo& p : Projections()) {
        if (!ShowsWholeSphere(p.code)) continue;
        SCOPED_TRACE(p.name);
        whole.push_back(p.code);
        ProjectionSetup s;
        s.code = p.code;
        s.centralMeridian = 180;  // the centre (0, 180); its antipode is frame longitude 0
        s.azimuth.cosCentLat = 1;
        s.azimuth.cosLimit = -1 + 1e-13;
        for (const double lon : {1e-3, 359.999}) {
            const ProjectedPoint pt = p.kernel->forward(s, 0, lon);
            ASSERT_EQ(pt.status, PointStatus::Projected);
            EXPECT_NEAR(std::hypot(pt.x, pt.y), p.kernel->wholeSphereRadius, 1e-4);
        }
    }
    EXPECT_EQ(whole, (std::vector<int16_t>{ProjAzEquidistant, ProjAzEqualArea}));
}

TEST(ProjectionTableTest, EveryProjectionHasItsKernelAndNoOtherCode) {
    for (const ProjectionInfo& p : Projections()) {
        SCOPED_TRACE(p.name);
        const ProjectionKernel* k = KernelOf(p.code);
        ASSERT_EQ(k, p.kernel);
        ASSERT_TRUE(k);
        EXPECT_TRUE(k->prepare && k->setup && k->forward && k->select);
        // Only the interrupted Mollweide has no scale errors, and so no note.
        EXPECT_EQ(!k->scale, p.code == ProjInterruptedMollweide);
        EXPECT_EQ(k->noteFirst.empty(), p.code == ProjInterruptedMollweide);
    }
    for (int16_t code : {int16_t{0}, int16_t{3}, int16_t{32}, int16_t{43}, int16_t{-1}, int16_t{32767}})
        EXPECT_EQ(KernelOf(code), nullptr) << code;
}

}  // namespace
}  // namespace tlrx
