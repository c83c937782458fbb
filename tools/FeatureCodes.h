#pragma once
// How a feature class of the input (row 1..10 of the MWDB feature table)
// becomes the feature code of each map file kind, so that the reader maps it
// back to the intended feature row.

#include <string>

namespace tlrx::convert {

// MWDB (.all .cci .map .pnt): the rank (code / 1000) whose feature row is
// `row`: rows 1, 5, 7, 9, 2, 3, 4, 6, 8, 10 have ranks 1 to 10. `row` in 1..10.
int MwdbRank(int row);

// DLG (.grv .grf): the row of the 72-row DLG feature table for feature class
// `row`, the size classes taken from the polyline's length in km:
// coastlines 25 "U.S. coastline and Great Lakes"; islands and lakes 26, 27,
// 28 "Lake, island, perennial" under 30, under 80, 80 km or more; rivers
// 3 to 6 "River, perennial" under 30, 100, 350 km, 350 km or more; countries
// 54 "National boundary, land"; every state and province class 56 "State
// boundary, land".
int DlgRow(int row, double lengthKm);

// The GRV code byte and the GRF feature code (100 x major + minor) of a DLG
// row returned by DlgRow: the first code the DLG table lists for that row.
int GrvCodeByte(int dlgRow);
int GrfCode(int dlgRow);

// WDB2 (.pkd .pkv): the row of the 36-row WDB2 feature table for feature
// class `row`, 0 when that table has no row for it (Mexico and other states):
// coastlines 9 "Coastlines, Islands, Lakes", islands 10 and lakes 11
// ("Islands and lakes", large and medium: kept apart), rivers 21, countries 1
// "International Boundaries", Australia 35, Canada 33, United States 32.
int WdbRow(int row);

// Code offset of a .pkd file from its title (the file name without folders):
// 8, 23 or 36 when the title's third character, upper-cased, is C, R or P,
// else 0. A .pkv file always has offset 0.
int WdbTitleOffset(const std::string& title);

// The WDB2 fold of v = code byte + offset into a feature row.
int WdbFold(int v);

// The smallest code byte 1..255 whose folded value with `offset` is
// `wdbRow`, or -1 when there is none.
int WdbCodeByte(int wdbRow, int offset);

// The WDB2 theme of a .pkd file holds only its own rows: offset 8 (C) rows 9
// to 20, offset 23 (R) rows 21 to 31, offset 36 (P) rows 32 to 36, offset 0
// rows 1 to 8. A .pkv file (pkv = true) holds rows 1 to 36.
bool WdbThemeHolds(int offset, bool pkv, int wdbRow);

}  // namespace tlrx::convert
