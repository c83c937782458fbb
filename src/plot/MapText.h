#pragma once
// Map text: rotated text drawn on the main window, the printer page or the
// WMF export's recording.
//
// The text to draw is the shared text state: CurrentText and
// CurrentTextRotation (degrees counter-clockwise, as text) of the design,
// and the main window's CurrentX, CurrentY (twips of the drawing area, y
// downwards: the left end of the text's baseline), ForeColor and font
// (FontName, FontSize in points, FontBold, FontItalic, FontUnderline,
// FontStrikethru). A caller fills it and calls PrintRotatedText at once.
//
// Callers: PrintText by the drawing run after its last pass, by the printing
// run after its passes, and by the plotting pass on its last pass (on the
// printer, and into the WMF recording with DrawingMetafile set);
// PrintRotatedText by PrintText, the labels (MapLabels.h) and the main
// window's interactive text placement (its preview and its placing).

#include <cstdint>
#include <string>
#include <string_view>

namespace tlrx {

struct TextItem;

// Draws every text item 1..NumTextItems (NumTextItems read once), in index
// order: for each, CurrentText = TextItemText, CurrentTextRotation = the
// item's rotation as decimal text ("45", "-10"), then the main window's
// CurrentX, CurrentY, ForeColor, FontName, FontSize and the four font flags
// from the item, and PrintRotatedText. The window's text properties keep the
// last item's values; CurrentText is empty afterwards, also after a failure.
// A run-time error (a list shorter than NumTextItems) shows "Error in
// PrintText" and the remaining items are not drawn.
void PrintText();

// The main window's ForeColor, FontName, FontSize and four font flags
// become the item's.
void UseTextItemFont(const TextItem& item);

// Draws CurrentText with its rotation on the device of the moment, its
// baseline's left end at the window position (CurrentX, CurrentY):
//  - the window (DC()) when neither Printing nor DrawingMetafile: pixel
//    x = CurrentX / TwipsPerPixelX, y = CurrentY / TwipsPerPixelY, character
//    height FontSize * 20 / TwipsPerPixelY pixels;
//  - PrinterDC while Printing: the window position scaled by k = PrinterUnits
//    * PrnMapWidth / ScaleWidth (printed map over window width) and moved to
//    the printed map box, in twips from the printable area's corner (32-bit:
//    any paper size), then printer pixels; height scaled by k;
//  - MetafileDC when DrawingMetafile (and not Printing): file units of the
//    vector exports, x = CurrentX / DrawWidthTwips * OutExtentX, y =
//    OutExtentY - CurrentY / DrawHeightTwips * OutExtentY (y upwards);
//    height FontSize * 20 / DrawHeightTwips * OutExtentY.
// Every position and height is rounded half to even. The font: that
// character height (negative, so the font mapper matches the character and
// not the cell height), escapement and orientation TextEscapement of
// CurrentTextRotation (negated in the metafile), weight 700 when bold else
// 400, italic, underline and strikeout from the window, the default
// character set, rotation following the axes' orientation (CLIP_LH_ANGLES),
// face FontFaceName(FontName). Text colour ForeColor, alignment left and
// baseline. The device's font,
// text colour and alignment are put back and the font deleted. A failed
// graphics call shows "CreateFontIndirect error(1) in PrintRotatedText",
// "TextOut error(1) in PrintRotatedText" or "DeleteObject error(2) in
// PrintRotatedText" under ApiErrorTitle and drawing goes on (without its
// font the text comes out in the device's current font). A run-time error
// (a position or height beyond 32 bits, a zero twips-per-pixel value,
// ScaleWidth, DrawWidthTwips or DrawHeightTwips, no device) shows "Error in
// PrintRotatedText" and nothing is drawn.
void PrintRotatedText();

// The rotation of a rotation text in tenths of a degree, counter-clockwise:
// the number at its start after blanks (" 45 " gives 450, "12.5x" 125,
// "" or "abc" 0), times 10, rounded half to even. Raises Overflow beyond
// 32 bits.
int32_t TextEscapement(std::string_view rotationText);

// The face name of a font record from a font name: the name, a NUL, blanks
// up to 32 characters, cut at 32 (a name of 32 characters or more loses its
// NUL).
std::string FontFaceName(std::string_view fontName);

}  // namespace tlrx
