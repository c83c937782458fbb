#pragma once
// Design files of the two earlier generations: version 2 (2.00 to 2.99) and
// version 1 (below 2.00, and files without a header, taken as 1.20). Both
// are read into the present layout of the design, their older encodings
// converted on the way (standard colour numbers, one symbol size per file,
// old feature rows, font size and rotation codes, pixel positions), their
// stored sizes and positions fitted to the present drawing area.
//
// Lengths are twips; colours 0x00BBGGRR.

#include <cstdint>

#include "designfile/CnfLayout.h"

namespace tlrx {

// The drawing area (twips) the fill fraction of an old design was made for.
struct OldDrawingArea {
    double width = 0;
    double height = 0;
};

// Reads the fields after the projection name of a file of the given version
// (times 100) into the record, fitting text items, label font sizes and
// symbol sizes into the present drawing area of scaleWidth by scaleHeight
// twips. The window itself is not changed, nor the fill fraction. Raises
// RuntimeError naming the line and the field of the first fault: an early
// end, a value that is no number or does not fit its field, a count the
// rest of the file cannot hold, a colour number outside 0 to 15, a value
// outside what the program can use (grid type, symbol type, print units,
// number of grid outputs or input files, a size of zero, a fill fraction
// outside 0 to 1, an empty map extent, a great circle end out of range).
OldDrawingArea ReadVersion2(ListInput& in, int16_t version, CnfRecord& record, float scaleWidth, float scaleHeight);
OldDrawingArea ReadVersion1(ListInput& in, int16_t version, CnfRecord& record, float scaleWidth, float scaleHeight);

// In every MAP, ALL and CCI file of a design older than version 3, feature
// class 9 takes class 6, class 6 takes class 8, and classes 8 and 10 start
// anew, unselected (the order of the present feature classes of these files).
void MoveOldFeatureRows(DesignState& d);

// Standard colour 0 to 15, the first sixteen cells of the colour picker,
// without the palette flag; raises for any other number.
int32_t StandardColor(int32_t number);

}  // namespace tlrx
