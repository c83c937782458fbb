#pragma once
// The builders of the two reports: each reads the design state of the
// moment, sets RptWidth to its line template's width and returns the whole
// report, built anew.

#include "reports/ReportModel.h"

namespace tlrx {

// The great circle report: the title and one row per computed point (GcFirst
// to GcLast by GcStep) with latitude, longitude, course and the distance in
// nautical miles, statute miles and kilometres.
ReportModel BuildGcReport();

// The map parameter report: projection, grid type, map coordinates,
// interruptions or transformed coordinates, scale errors, the great and
// small circles, the map files, the design file and the drawing area's size
// in pixels (the main window's, MainWindow()). Fills the ScaleErrorRows of
// the design state on the way.
ReportModel BuildParamReport();

}  // namespace tlrx
