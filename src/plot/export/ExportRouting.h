#pragma once
// The switch between the drawing pass and the exports: every drawn point
// goes on to the export in use (ScaleXY), every ended line ends the export's
// polyline (PrintLineBrkDisk), and the first drawing pass of a run starts the
// export file (PrintFileHeader).
//
// The ASCII export (plain text, CR LF lines, no header) has one line per point:
// x = (ProjOutX - MapXMin) * AsciiScale and y = (ProjOutY - MapYMin) *
// AsciiScale, the map's width spanning 0 to 1, written as "0.5000000  00.2500000";
// an ended line is followed by the pen-up marker "5.0000000  05.0000000".

#include <array>
#include <cstddef>
#include <string_view>

namespace tlrx {

// Sends the projected point (ProjOutX, ProjOutY) to the first requested
// export of OutAscii, OutCgm, OutDxf, OutWmf. ASCII: counts the point in
// PolyPointCount and writes its line to the output file. A failure shows
// "Error in ScaleXY" once for the output file; later points to that failed
// file are dropped without a box, and the drawing pass ends the run.
void ScaleXY();

// Ends the current output polyline of the first requested export of OutCgm,
// OutDxf, OutWmf, OutAscii: patches the CGM POLYLINE length (or writes the
// pending element bytes), terminates the DXF POLYLINE, draws the collected
// WMF points into MetafileDC, or writes the ASCII pen-up marker. Resets
// PolyPointCount (and, but for ASCII, sets NewPolyline). Failed drawing calls
// show their "Windows API Error" box and the steps go on; any other failure
// shows "Error in PrintLineBrkDisk".
void PrintLineBrkDisk();

// On the first drawing pass of a run (FirstPass): the CGM or DXF header, or
// for WMF CurOutFile = WmfFileName and SymbolRadiusOut = 2. A failure sets
// PlotStopText to "GridDiskError" and shows "Error in PrintFileHeader".
void PrintFileHeader();

// One line of the ASCII export, without its line end.
struct AsciiLine {
    std::array<char, 720> text{};
    size_t size = 0;
    std::string_view View() const { return {text.data(), size}; }
};

// Formats scaled coordinates: x with at least one digit before the point, y
// with at least two, each with seven decimals (rounded), two blanks between,
// a minus sign before a negative value that does not round to zero. A value
// that is not finite raises Overflow.
AsciiLine FormatAsciiLine(double x, double y);

}  // namespace tlrx
