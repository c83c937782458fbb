#pragma once
// The terms every projection file shares: the angle constants of the
// formulas, the immutable set-up of a projection, the result of projecting
// one point, the scale values, and the kernel record that the projection
// table holds for each code.
//
// All projections are on the unit sphere: x and y in Earth radii, x east and
// y north (UTM: metres, passed through). A forward function is pure: it reads
// its set-up and the point and nothing else, writes nothing, allocates
// nothing and may be called from any thread.

#include <cstdint>
#include <string_view>

namespace tlrx {

struct DesignState;

// The constants of every formula: the fifteen-digit Pi of the program (not
// the nearest double to pi) and what follows from it; the design state's
// Pi, PiOver4, DegToRad, HalfDegToRad and Sqrt2 hold the same values.
inline constexpr double kPi = 3.14159265358979;
inline constexpr double kPiOver4 = kPi / 4;
inline constexpr double kDegToRad = kPi / 180;      // radians per degree
inline constexpr double kHalfDegToRad = kPi / 360;  // radians per degree, halved
inline constexpr double kSqrt2 = 1.4142135623730951;

// The constants of one projection for one map, taken from the design once
// and not changed while the map is drawn. Each family reads its own group.
struct ProjectionSetup {
    int16_t code = 0;
    // Cylindrical: frame degrees of the western edge, x being measured from it.
    double frameWest = 0;
    // All but the cylindrical: frame degrees of the central meridian.
    double centralMeridian = 0;
    // Equirectangular and cylindrical equal-area: cos of the standard parallel.
    double cosStdPar = 0;
    // Mollweide: x of the central meridian of the lobe being drawn (0 unless
    // the interrupted map draws a lobe).
    double lobeOffset = 0;
    struct Cone {
        double n = 0;     // cone constant
        double g = 0;     // equidistant: latitude (degrees) where the radius is 0
        double f = 0;     // conformal
        double c = 0;     // Albers
        double rho0 = 0;  // radius of the central parallel, Earth radii
    } cone;
    struct Azimuth {
        double cosCentLat = 0;  // centre latitude
        double sinCentLat = 0;
        double cosLimit = 0;  // a point with cos c at or below this is not visible (the kernel's own)
        double cosRange = 0;  // cos of the range circle's angular radius
        double vpP = 0;       // vertical perspective: viewpoint distance from the centre, Earth radii
    } azimuth;
    // UTM: the spheroid, the transverse Mercator constants and the grid's
    // origin; centralMeridian is then in absolute degrees, east positive.
    struct Utm {
        double a = 0;                                       // equatorial radius, metres
        double k0 = 0;                                      // scale factor on the central meridian
        double e2 = 0;                                      // first eccentricity squared
        double ep2 = 0;                                     // second eccentricity squared
        double arcA0 = 0, arcB1 = 0, arcB2 = 0, arcB3 = 0;  // coefficients of the meridian distance
        double m0 = 0;                                      // meridian distance of the latitude of origin, metres
        double falseEasting = 0, falseNorthing = 0;         // metres
    } utm;
};

// What became of a point.
enum class PointStatus : uint8_t {
    Projected,    // x and y hold the point
    Refused,      // no map point (the conformal conic's pole opposite the apex)
    BeyondLimit,  // azimuthal: at or beyond the visibility limit
    Failed,       // an arithmetic failure, described by failure
};

// The result of a forward function. Where the point is not projected, x and
// y are NaN, except that a failure keeps the coordinate computed before it
// (the procedures write that one to ProjOutX or ProjOutY, where the drawing
// and the extent go on with it).
struct ProjectedPoint {
    double x;
    double y;
    PointStatus status;
    std::string_view failure;  // the run-time error's description, for Failed
};

// An azimuthal point's place relative to the centre: what both the range
// test and the projection need, computed once.
struct AzimuthalPoint {
    double dLon = 0;  // longitude difference from the central meridian, radians
    double cosLat = 0;
    double sinLat = 0;
    double cosDLon = 0;
    double sinDLon = 0;
    double cosC = 0;  // cos of the angular distance from the centre, clamped to [-1, 1]
};

// lat: degrees, north positive (UTM: northing, metres). lon: frame degrees
// east of the western boundary (UTM: easting, metres).
using ForwardFn = ProjectedPoint (*)(const ProjectionSetup& setup, double lat, double lon);

// UTM: easting (x) and northing (y) in metres of a point at lat, lon
// (degrees, north and east positive), which the forward function then takes.
// Raises RuntimeError on an arithmetic failure.
using PlaneFn = void (*)(const ProjectionSetup& setup, double lat, double lon, double& x, double& y);

// Azimuthal: the map point of a place that lies before the visibility limit.
using PlaceFn = ProjectedPoint (*)(const ProjectionSetup& setup, const AzimuthalPoint& place);

// Azimuthal: the largest stretch (the greater of the radial and tangential
// scale) at angular distances from the centre up to c, radians; infinite
// where it is unbounded.
using StretchFn = double (*)(double c);

// The set-up of the design handed, as it stands: the graticule computation's
// centre and frame, the projection's constants as the design holds them
// (ParamSelect computes them; a design file stores them, and a recalled
// design draws with what it stored), the current lobe; and what the kernel
// derives from them (the visibility limit). Pure: reads only that design.
using SetupFn = ProjectionSetup (*)(const DesignState& d);

// ParamSelect's work for one code on the design handed (the live one, or a
// staged copy): the projection's constants written to it (ConicParams,
// CosStdParNorth, the perspective's horizon), then its projected extent
// (MapExtent), found with the set-up taken from it. Raises RuntimeError on an
// arithmetic failure.
using PrepareFn = void (*)(DesignState& d);

// ProjectSelect's step for one code: projects (ProjInLat, ProjInLon) of the
// design into ProjOutX, ProjOutY with the set-up of the design as it stands,
// setting CalcError and PlotStatus as ProjectSelect's contract says (and,
// for the azimuthal codes, answering AzQueryMode). kept is ProjectSelect's
// memory of the last azimuthal place, for the reuse mode. An arithmetic
// failure leaves the output written before it and throws kernel::Failure
// (KernelMath.h); a set-up that cannot be read raises RuntimeError.
using SelectFn = void (*)(DesignState& d, AzimuthalPoint& kept);

// One scale value: the ratio of map to true length or area, and the text
// written in its place where the value is unbounded or fixed by rule (empty
// when the number is written).
struct ScaleValue {
    double number = 0;
    std::string_view fixed;
};

// The three scale values at a point.
struct ScaleFactors {
    ScaleValue meridian;  // h
    ScaleValue parallel;  // k
    ScaleValue area;
};

inline constexpr std::string_view kScaleInfinite = "Infinite";
inline constexpr std::string_view kScaleOne = "1.0000E+00";
inline constexpr std::string_view kScaleZero = "0.0000E+00";

// The scale values at (lat, lon), given in the conventions of DistErrSelect
// for the code (ScaleErrors.h), with the constants of the design the family
// needs; the meridian in the report's own convention may differ from the
// frame longitude of the forward function. Raises RuntimeError on an
// arithmetic failure.
using ScaleFn = ScaleFactors (*)(const DesignState& d, double lat, double lon);

// Everything the program computes for one projection code.
struct ProjectionKernel {
    PrepareFn prepare;
    SetupFn setup;
    ForwardFn forward;
    SelectFn select;
    ScaleFn scale;                // nullptr: no scale errors
    std::string_view noteFirst;   // where the scale is true
    std::string_view noteSecond;  // empty: a one-line note
    // The constants the scale report writes to the design before its values
    // (the equidistant cone's apex latitude); nullptr: none.
    PrepareFn prepareScale;
    // The radius, in Earth radii, of the disc on which the projection shows
    // the whole sphere (a range of 180 degrees), the antipode being its rim;
    // 0 where the projection cannot show the whole sphere.
    double wholeSphereRadius;
    // nullptr: the forward function takes latitude and longitude itself.
    PlaneFn plane = nullptr;
    // The azimuthal projections' own: nullptr for the others.
    PlaceFn projectPlace = nullptr;
    StretchFn largestStretch = nullptr;
};

}  // namespace tlrx
