#pragma once
// The graticule drawing: the first half of every drawing pass.

namespace tlrx {

// Draws the graticule of the current drawing pass (the whole map, or one lobe
// of the interrupted Mollweide projection) in the style of GridType on the
// main window, or on PrinterDC while Printing, and into the export in use.
//
// On the first drawing pass (FirstPass) it clears CurOutFile, starts the
// export file (PrintFileHeader) and fills the background with BackColor.
// Each grid pass writes its own ASCII file (AscFileName 1, or 2 for the
// boundary lines of grid type 1), created on the first drawing pass and
// appended to on the later ones. Every grid point is projected, drawn and
// sent to the export; every drawn line, and every break of a line at points
// beyond an azimuthal map's visibility limit, ends the export's polyline.
// Azimuthal maps are cut to their visible cap (AzimuthalGrid.h).
//
// Yields to the event loop once after every parallel and meridian and leaves
// at once when PlotStopText then reads "Escape". A failure (an export that
// cannot be opened or written, an arithmetic failure) sets PlotStopText to
// "GridDiskError", is reported ("Error in PlotGrid", or the export's own box)
// and closes the export. Failed drawing calls show their "Windows API Error"
// box and drawing goes on. On return the grid pen is released (DrawPen and
// OldPen 0) and the background brush deleted.
void PlotGrid();

}  // namespace tlrx
