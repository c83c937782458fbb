#pragma once
// The DXF export: a plain text drawing interchange file (R12 layout, CR LF
// lines, pairs of a three-character group code line and a value line) that
// grows during the drawing run.
//
//  - DxfHeader creates the file on the first pass (HEADER with the extents and
//    limits, TABLES with one line type, layer "0" and the text style
//    "STANDARD", an empty BLOCKS section) and opens the ENTITIES section;
//  - every exported point becomes a VERTEX of a POLYLINE entity or a point
//    symbol (SOLID, small POLYLINEs or a CIRCLE), every line end a SEQEND;
//  - on the last pass the text items become TEXT entities and DxfEnd closes
//    the ENTITIES section and the file (DxfFinish does both).
//
// File coordinates are the file units of OutTransform: x from -OutMarginX to
// OutExtentX + OutMarginX, y from -OutMarginY to OutExtentY + OutMarginY, y
// upwards. Every entity lies on layer "0" and carries its colour number of the
// AutoCAD colour index (DxfColor). All writing goes to the output file of
// the run (Files(), file number 2), which the callers open for appending.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace tlrx {

// First drawing pass of a run with the DXF export (called by PrintFileHeader):
// sets CurOutFile = DxfFileName, CurColor = GridColor, SymbolRadiusOut = 2,
// and marks no POLYLINE entity open (NewPolyline true, PolyPointCount 0);
// replaces the file DxfFileName by a new one holding the head of the file up
// to the opening of the ENTITIES section, and closes it. A failure shows
// "Error in DxfHeader", deletes the unfinished file (saying so in the box),
// clears CurOutFile and sets PlotStopText to "GridDiskError", which ends the
// run.
void DxfHeader();

// Writes the current item as PlotMode asks: 1 a line vertex at (ProjOutX,
// ProjOutY), opening the line's POLYLINE entity first when NewPolyline is
// set and starting a new entity after MaxPolyPoints vertices; 2 to 12 a point
// symbol of radius SymbolRadiusOut and border width SymbolBorderOut at that
// point; 99 the text item TextItemIndex; any other value nothing. A failure
// shows "Error in DxfWrite" and ends the call; once a write to the file has
// failed, later calls write nothing and show nothing until the file is
// closed (the drawing pass ends the run).
void DxfWrite();

// Ends the open POLYLINE entity of a line (called by PrintLineBrkDisk): a
// line of one vertex gets a second one at (ProjOutX, ProjOutY), then the
// SEQEND terminator is written. With no POLYLINE entity open (NewPolyline
// set: nothing written since the last line end) it writes nothing, so a line
// end never adds a terminator of its own. A failure shows "Error in
// DxfPolylineTerminate".
void DxfPolylineTerminate();

// Ends the ENTITIES section and the file ("ENDSEC", "EOF"). The caller then
// closes the file. A failure shows "Error in DxfEnd".
void DxfEnd();

// The last step of the last pass of a DXF export (the plotting pass calls it
// in place of writing the items itself): opens DxfFileName for appending,
// sets PlotMode to 99, writes TextItemIndex = 1 to NumTextItems through
// DxfWrite, DxfEnd, closes the file, and sets NewPolyline true and OutDxf
// false. Returns false when a write failed; that failure has been shown, the
// file is closed and incomplete, and the caller deletes it as for any failed
// pass. Raises RuntimeError, nothing shown yet, when the file cannot be
// opened or closed.
bool DxfFinish();

// The colour number of the AutoCAD colour index for a colour value
// (0x00BBGGRR, the palette flag 0x02000000 allowed): "1" to "255". Black
// gives "7" (the drawing's foreground colour), and so does (1, 0, 0); a
// colour of the program's palette gives its entry of the colour table; any
// other RGB colour the entry of the table nearest to it (least squared RGB
// distance, the first such entry on a tie); a negative value, which is no RGB
// colour, gives "7". Never empty.
std::string DxfColor(int32_t color);

// A number as its DXF value line: at most 15 significant digits, no exponent,
// no trailing zeros or trailing point, no digit before the point below 1 in
// magnitude ("31.25", "2", ".5", "-.154"). A value that is not finite raises
// Overflow.
struct DxfNumber {
    std::array<char, 400> text{};
    size_t size = 0;
    std::string_view View() const { return {text.data(), size}; }
};
DxfNumber FormatDxfFraction(double value);

// A text as a TEXT value, in plain ASCII: every character beyond ASCII
// becomes the escape "\U+" and four upper-case hex digits ("Caf\U+00E9"; one
// beyond U+FFFF as the two escapes of its UTF-16 surrogate pair), so that no
// character is lost whatever code page a reader assumes. A byte that is no
// UTF-8 is taken as its Windows-1252 character (a text already in that code
// page). A backslash followed by "U+" or "u+" is escaped itself, so that it
// does not read as an escape. Line breaks (CR, LF) become blanks, since a
// value must stay on one line.
std::string DxfText(std::string_view text);

}  // namespace tlrx
