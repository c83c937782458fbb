#pragma once
// One writer per map file kind. Each writes the prepared layers (Prepare.h)
// into `out`, which must be opened in binary mode, and counts what it wrote.

#include <ostream>
#include <string>
#include <vector>

#include "Geo.h"

namespace tlrx::convert {

struct WriteStats {
    long segments = 0;               // segments written
    long points = 0;                 // points (records) written
    long collapsed = 0;              // polylines left out: one point at the file's resolution
    long filledSteps = 0;            // steps too long for the format, filled with straight-line points
    long addedPoints = 0;            // points added by that filling
    long splitSegments = 0;          // extra segments from splitting segments too long for the format
    std::vector<std::string> notes;  // layers left out and why
};

// MWDB record layout (.all .cci .map .pnt): 6-byte records of three 16-bit
// little-endian signed integers: code, latitude, longitude in whole
// arc-minutes (rounded, halves to even). A segment starts with a record of
// code rank x 1000 (MwdbRank of its feature class); the records after it
// have code 0. `pointFile` (.pnt): every point is a segment of its own.
WriteStats WriteMwdb(std::ostream& out, const std::vector<Layer>& layers, bool pointFile);

// Packed segments (.grv .pkd .pkv). `kind` is "GRV", "PKD" or "PKV";
// `title` is the file name without folders (the WDB2 theme letter of .pkd).
WriteStats WritePacked(std::ostream& out, const std::vector<Layer>& layers, const std::string& kind,
                       const std::string& title);

// Fixed 20-character records (.dat WDB1, .grf DLG). `kind` is "DAT" or "GRF".
WriteStats WriteFixedRecord(std::ostream& out, const std::vector<Layer>& layers, const std::string& kind);

// World files: .mps (binary singles) when `binary`, else .mp1 (text lines).
WriteStats WriteWorld(std::ostream& out, const std::vector<Layer>& layers, bool binary);

// Transverse Mercator parameters of a .utm file.
struct UtmSetup {
    double centralMeridian = 0.0;          // degrees, east positive
    std::string spheroid = "Clarke 1866";  // one of the nine spheroid names
};

// The nine spheroid names a UTM design knows; false (and a, f untouched) for others.
bool SpheroidByName(const std::string& name, double& a, double& f);

// Easting and northing in metres of a point (degrees) on the transverse
// Mercator projection of `setup`, scale 0.9996, false easting 500000 m,
// false northing 0, latitude of origin 0.
void UtmForward(const UtmSetup& setup, double latDeg, double lonDeg, double& easting, double& northing);

// ASCII point files: .prn (degrees) when `utm` is null, else .utm (whole
// metres on `*utm`). A polyline's label goes on its first point.
WriteStats WriteAscii(std::ostream& out, const std::vector<Layer>& layers, const UtmSetup* utm);

}  // namespace tlrx::convert
