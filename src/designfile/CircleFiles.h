#pragma once
// The great circle and the small circles of a design written as ASCII map
// files (.prn), which the program reads back as digital map files of their
// own: one line per point, "-1" starting a segment and " 0" continuing it,
// two blanks, the latitude, two blanks, the longitude, CR LF. Degrees with
// four decimals (the nearest), north and east positive, a sign position that
// holds "-" or a blank, at least two integer digits of latitude and three of
// longitude: "-1   37.7833  -122.4333".
//
// The file is written through the run's output (file number 2) and replaces
// an existing file only once it is complete: a failure leaves the file as it
// was, shows "Error in GcSave" (ScSave) with the cause and keeps the request
// flag set. While writing, the main window's caption tells what is written
// and shows what it showed before afterwards.

namespace tlrx {

// With OutGc set: writes GcFileName from the great circle's points, start to
// end as entered (GcFirst to GcLast by GcStep), as one segment, and clears
// OutGc; without a defined great circle it says so in a box and writes
// nothing. Without OutGc nothing happens.
void GcSave();

// With OutSc set: writes ScFileName from the small circles, innermost first,
// one segment per circle, and clears OutSc; without a defined small circle it
// says so in a box and writes nothing. Without OutSc nothing happens.
void ScSave();

}  // namespace tlrx
