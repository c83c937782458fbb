#pragma once
// The map plotting pass: the second half of every drawing pass.

#include <cstdint>

namespace tlrx {

// Draws the map files of the design, the small circles and the great circle
// on the main window (or on PrinterDC while Printing) and into the export in
// use; on the last pass ends the vector export. Called once per drawing pass
// right after PlotGrid, with FirstPass and LastPass describing the pass and
// PlotStopText empty.
//
// Map files 1 to NumInputFiles are read one after the other, each by the
// reader of its kind (MapFileTypeOf), while the caption shows the run's caption
// and the file's title. Each file's points go through the point pipeline
// (PointPipeline.h) in the symbology of their feature row: FeatureColor, a
// pen of FeatureLineWidth (FeatureBorderWidth for the plus, the cross and the
// hollow symbols) in screen pixels, scaled to the printed map with
// LineWidthScaling, and the symbol size of SymbolSize. The CGM or DXF export
// is reopened for every file and circle block; the ASCII export writes one
// file per map file, AscFileName(GridOutputCount + i), created on the first
// pass of a run and appended to on the later ones (the lobes of the
// interrupted Mollweide). Labels of the ASCII point files that lie on the map
// are collected in the MapLabel lists. Circles are never written to the
// ASCII export: a defined circle switches it off for the rest of the run.
//
// Yields to the event loop every 800 points of a file (drawn or passed over),
// refreshing the window first, and wherever its readers yield (MapReaders.h),
// and leaves at once when PlotStopText then reads "Escape". A failure ends
// the pass with a box: "File not found error in MapPlot" naming a missing
// map file in full, or "Error in MapPlot" with the error's description; a
// partly written export file (ASCII, CGM, DXF) is then closed and deleted,
// which the box says, and the run's exports end.
void MapPlot();

// The symbol size of feature row `row` of input file `file` in the current
// PlotMode: SymbolHalfW and SymbolHalfH (twips; the hollow symbols 5, 7, 9
// and 11 less half their border width), SymbolRadiusOut (file units; 2 for
// dots) and SymbolBorderOut (file units with LineWidthScaling, else screen
// pixels). Raises Overflow beyond 16 bits.
void SymbolSize(int16_t row, int16_t file);

// Rebuilds MwdbRankRow: ranks 1 to 10 to the rows of the MWDB feature list
// (1 coastlines, 2 countries, 3 Canada, 4 United States, 5 islands, 6 lakes,
// 7 rivers, 8 Australia, 9 Mexico, 10 other states), every other rank to 0.
void RebuildMwdbRankRow();

}  // namespace tlrx
