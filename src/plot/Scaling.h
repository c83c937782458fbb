#pragma once
// Fitting the projected map extent into the drawing area, the printed map
// box and the file space of the vector exports: isotropic, centred, filling
// MapFillFraction of the area along the limiting direction.

namespace tlrx {

// Fits the map into the main window (DevTransform) and into the file space
// of the vector exports (OutTransform, margins and AsciiScale excepted).
void ScaleScreen();

// Fits the map into the printed map box: PrnMapWidth print units wide, with
// the main window's aspect. Writes DevTransform only.
void ScalePrinter();

}  // namespace tlrx
