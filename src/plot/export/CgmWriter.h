#pragma once
// The CGM export: a binary Computer Graphics Metafile (ISO 8632-3, version 1
// elements, one picture) written while the drawing run draws the map.
//
// File layout: 16-bit values high byte first; VDC, integers, indexes and
// enumerations 16-bit signed; reals 32-bit fixed point (16.16); direct colours
// three 16-bit components 0..255; strings a count byte and Latin-1
// characters. Every element starts at an even offset with its header word
// (class * 4096 + id * 32 + parameter length); POLYLINE and the elements with
// strings use the long form (31, then a length word), the others the short
// form; an odd parameter length is followed by one zero byte. VDC space runs
// from (-OutMarginX, -OutMarginY) to (OutExtentX + OutMarginX, OutExtentY +
// OutMarginY), y upwards.
//
// The file is never held open by this writer between calls: the drawing
// passes open file number 2 (Files()) for binary access before each of their
// passes and close it after; every operation writes at CgmPos (1-based) and
// leaves CgmPos after the last byte written. The only backward writes are the
// length patches of POLYLINE elements.
//
// What the callers do, in order, during a run with OutCgm set:
//  1. first drawing pass: PrintFileHeader -> CgmHeader (creates the file);
//  2. the graticule and every map file or circle block: open file 2 with
//     Files().OpenOutputBinary(CgmFileName); the map plotting pass then calls
//     CgmStartNewBoundaryFile with PlotMode set for the file, and before each
//     circle block CgmLineColor with the circle's colour; every point goes
//     through ScaleXY -> CgmWrite, every line end through PrintLineBrkDisk ->
//     CgmPolylineEnd; file 2 is closed after the file or block;
//  3. the end of the last pass (not printing): CgmFinishExport.
//
// Failures: each operation traps its own run-time failures and shows "Error:
// <description>" titled "Error in <operation>" (CgmPolylineEnd leaves them to
// PrintLineBrkDisk); the operation then ends and the run goes on. A point
// or text item whose values do not fit writes nothing, so no element is ever
// left half-written. Once file 2 has failed, later writes to it are dropped
// without another box: the failure has been shown, and the drawing pass ends
// the run when it finds the output failed.

#include <cstdint>
#include <string>
#include <string_view>

namespace tlrx {

// The most characters a CGM string holds here. The count byte could say 254,
// but LibreOffice reads it as a signed byte and refuses any string of 128 or
// more characters, so longer texts are cut (a text item with a message).
inline constexpr int kCgmMaxStringChars = 127;

// Starts the export on the first drawing pass (called by PrintFileHeader):
// sets CurOutFile to CgmFileName and SymbolRadiusOut to 2, starts the
// writer's element state afresh (CgmPos 1, no open POLYLINE), replaces any
// file of that name with a new one, writes the metafile descriptor, the
// picture descriptor and the opening attributes, sets CurColor to GridColor
// and closes file 2. On failure ("Error in CgmHeader") an unfinished file is
// deleted (the box says so), CurOutFile is cleared and PlotStopText becomes
// "GridDiskError", so that the drawing run ends at once.
void CgmHeader();

// Writes the current item as PlotMode says: 1 a POLYLINE vertex at the
// projected point (ProjOutX, ProjOutY) through CgmPoly; 2 to 12 a point
// symbol there, with its attribute elements (CurColor, PenWidth or
// SymbolBorderOut, SymbolRadiusOut); 99 the text item TextItemIndex (its
// colour, height from TextItemAscent scaled by VectorTextScale percent,
// rotation, left-baseline alignment, and position from twips of the drawing
// area); any other value writes nothing. A text item longer than
// kCgmMaxStringChars characters is cut to that length and a box ("Save as
// CGM") says so. Called by ScaleXY for every exported point and by
// CgmFinishExport for each text item.
void CgmWrite();

// Writes one POLYLINE vertex whose four bytes (x high, x low, y high, y low)
// are in CgmBuf 4 to 7. A new line (NewPolyline), or no open element, first
// writes LINE COLOUR (CurColor), LINE WIDTH (PenWidth, in file units when
// LineWidthScaling) and the POLYLINE header with a length placeholder, and
// keeps its length word's position in CgmLenPos. An element that reaches
// MaxPolyPoints points is closed; the line's next vertex opens a new element
// that starts again from the last point, so a line is never broken and never
// gets a one-point element.
void CgmPoly();

// Turns the current projected point and the first n offsets of
// CgmSymbolVertex (thousandths of SymbolRadiusOut) into file points, clamped
// to 0..OutExtentX and 0..OutExtentY, and stores point k as four bytes at
// CgmBuf entries f + d * k onwards. Writes nothing to the file.
void CgmVertices(int16_t f, int16_t d, int16_t n);

// Stores a colour (0x00BBGGRR; a palette flag in the high byte is ignored)
// as a direct colour in CgmBuf entries 2 to 7: 0, red, 0, green, 0, blue.
void CgmColors(int32_t color);

// Writes CgmBuf entries 0 to CgmBufLen - 1 at CgmPos, advances CgmPos and
// sets CgmBufLen to 0. Nothing is written while CgmBufLen is 0 or less.
void CgmShort();

// Writes an element whose parameters end with the given text as a string:
// the caller has put the long-form header word into CgmBuf 0 and 1, and for
// a TEXT element its point and flag into entries 4 to 9 with CgmBufLen -1.
// The text is taken as UTF-8 and written in Latin-1 (ToCgmCharacters), cut
// to kCgmMaxStringChars characters; the length word, the count byte and the
// padding byte follow from it. Sets CgmBufLen to 0.
void CgmString(std::string_view text);

// Before the points of a map file or a circle block (PlotMode set for it):
// INTERIOR STYLE solid for the dot and the filled symbols (2, 6, 8, 10, 12),
// hollow for the outlined ones (5, 7, 9, 11); nothing for other values.
void CgmStartNewBoundaryFile();

// Writes LINE COLOUR with the given colour (before a circle block).
void CgmLineColor(int32_t color);

// Writes END PICTURE and END METAFILE.
void CgmEnd();

// The CGM side of a line end (PrintLineBrkDisk with OutCgm). PlotMode 1:
// an open POLYLINE element gets its length (4 bytes per point) at CgmLenPos,
// a one-point element first gets its point a second time, CgmLenPos becomes
// 0 and the file position CgmPos. Other PlotMode values: CgmShort.
// PrintLineBrkDisk then sets NewPolyline and resets PolyPointCount. A failed
// write raises RuntimeError for PrintLineBrkDisk's box.
void CgmPolylineEnd();

// The end of the export on the last pass of a run, when not printing (the
// map plotting pass calls it after the circles and labels): reopens
// CgmFileName as file 2, writes every text item 1..NumTextItems (PlotMode
// 99), CgmEnd, closes file 2, and resets the writer: NewPolyline true,
// OutCgm false, CgmLenPos 0, CgmPos 1, CgmBufLen 0. Returns true when the
// file is complete. When the file is missing or cannot be written or closed,
// the unfinished file is deleted, CurOutFile cleared, and a box "Error in
// CgmFinishExport" gives the failure and says the file was deleted; the
// reset happens all the same and false is returned.
bool CgmFinishExport();

// A text as the CGM file holds it: UTF-8 decoded to Latin-1, each character
// beyond Latin-1 written as '?'; a byte that starts no valid UTF-8 sequence is
// taken as a Latin-1 character itself.
std::string ToCgmCharacters(std::string_view text);

}  // namespace tlrx
