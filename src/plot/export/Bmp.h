#pragma once
// Pictures of the main window: a rectangle of its drawing area captured into
// a record, shown again, released, converted to device-independent pixel
// rows and written as a Windows BMP file. The main window owns the records:
// one it keeps for repainting after a text item has been placed, one for the
// background under a text preview, and a passing one for Save as BMP.
//
// The BMP file (little-endian): a 14-byte file header, a 40-byte info
// header, 2^D colour entries (blue, green, red, 0) for a depth D of 8 bits or
// less, then the pixel rows bottom row first, each padded to a multiple of 4
// bytes; a 24-bit pixel is blue, green, red.

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/Bitmap.h"
#include "platform/Host.h"

namespace tlrx {

// The BMP file header (14 bytes in the file).
struct BitmapFileHeader {
    uint16_t bfType = 0;  // 0x4D42, "BM"
    uint32_t bfSize = 0;  // bytes of the whole file
    uint16_t bfReserved1 = 0;
    uint16_t bfReserved2 = 0;
    uint32_t bfOffBits = 0;  // offset of the pixel rows
};

// The header of a device-independent picture (40 bytes in the file).
struct BitmapInfoHeader {
    uint32_t biSize = 0;         // 40
    int32_t biWidth = 0;         // pixels
    int32_t biHeight = 0;        // pixels; positive: bottom row first
    uint16_t biPlanes = 0;       // 1
    uint16_t biBitCount = 0;     // 1, 4, 8 or 24
    uint32_t biCompression = 0;  // 0, uncompressed
    uint32_t biSizeImage = 0;    // row size × height, bytes
    int32_t biXPelsPerMeter = 0;
    int32_t biYPelsPerMeter = 0;
    uint32_t biClrUsed = 0;
    uint32_t biClrImportant = 0;
};

struct RgbQuad {
    uint8_t rgbBlue = 0;
    uint8_t rgbGreen = 0;
    uint8_t rgbRed = 0;
    uint8_t rgbReserved = 0;
};

// A header with room for a colour table of up to 256 entries.
struct BitmapInfo {
    BitmapInfoHeader bmiHeader;
    std::array<RgbQuad, 256> bmiColors{};
};

// A picture of a window. A new record is empty (no pixels, ZoomFactor 0).
struct BmpRecord {
    BitmapFileHeader FileHeader;      // filled by a capture and again by a save
    BitmapInfoHeader InfoHeader;      // the captured picture
    BitmapInfo DibInfo;               // header and colour table of the last conversion
    std::unique_ptr<Bitmap> hBitmap;  // the captured pixels; null when there are none
    std::vector<Rgb> hPalette;        // the screen's colours when it has 256 or fewer; else empty
    Host* hWnd = nullptr;             // the window the picture was taken from and is shown in
    int16_t Top = 0;                  // where DisplayBmp puts the picture, pixels of the drawing area
    int16_t Left = 0;
    float ZoomFactor = 0;  // display scale: only 1 (or 0 in a new record) is accepted
};

// A rectangle of the drawing area in pixels; right and bottom lie just
// beyond it.
struct PixelRect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;
};

// Captures a rectangle of the window's drawing area into the record,
// replacing what it held. The picture is |right − left| × |bottom − top|
// pixels from (left, top); a width or height of 0 stands for the drawing
// area's. On a screen of 8 bits or less the record keeps that screen's
// colours in hPalette. Fills FileHeader, InfoHeader (the screen's depth, 24
// above 8 bits), the header of DibInfo and hWnd. A ZoomFactor other than 0
// and 1 is reported ("ZoomFactor error in CaptureBmp") and the capture goes
// on; a copy of the pixels that fails is reported ("BITMAP_CaptureBmp -
// Capture Failed") and leaves the record empty with its headers as they were.
// Raises Overflow when the picture's file would exceed 4 GiB.
void CaptureBmp(Host& window, const PixelRect& rect, BmpRecord& record);

// Draws the record's picture into its window with the top-left corner at
// (Left, Top). Nothing happens for an empty record; a ZoomFactor other than
// 0 and 1 is reported ("ZoomFactor error in DisplayBmp") and nothing is drawn.
void DisplayBmp(BmpRecord& record);

// Releases the record's picture and palette; ZoomFactor becomes 1, Top and
// Left 0.
void DeleteBmp(BmpRecord& record);

// Converts the record's picture into device-independent rows (DibChunk) at
// the depth the mode chooses: 0 the screen's (24 above 8 bits), 1 one bit, 2
// four, 3 eight, 4 twenty-four bits per pixel. Sets the header of DibInfo
// and, for 8 bits or less, its colour table (the record's palette when it
// has that many colours, else the standard table of the depth; each pixel
// takes the nearest colour). False, after the box "BITMAP_Bitmap2DIB - No
// Bitmap", for an empty record. Raises "Invalid procedure call or argument"
// for a mode outside 0..4.
bool Bitmap2DIB(BmpRecord& record, int16_t mode);

// The rows of the last conversion in chunks of whole rows, bottom rows first,
// each chunk at most 16384 bytes or a single row when one row is longer.
const std::vector<std::vector<uint8_t>>& DibChunk();

// Writes the record's picture as a BMP file at the depth the mode chooses
// (as Bitmap2DIB), replacing any file of that name, and fills FileHeader
// anew. Shows the hourglass pointer while it works. An empty record gets the
// box "BITMAP_SaveBmp - No Bitmap" and nothing is written. A file that cannot
// be created or written completely raises "Cannot create", the file's name
// and the system's description of the cause in parentheses; a file of that
// name stays as it was.
void SaveBmp(const std::string& fileName, BmpRecord& record, int16_t mode);

// ---- The main window's use of these ----

// BmpCapture: captures the whole drawing area (ScaleWidth / TwipsPerPixelX ×
// ScaleHeight / TwipsPerPixelY pixels) into the window's kept record,
// releasing what it held. Failures show "Error in BmpCapture".
void BmpCapture(Host& window, BmpRecord& kept);

// BmpSave (File menu, Save as BMP, once BmpFileName holds the chosen path):
// captures the whole drawing area into a new record, saves it to
// BmpFileName at the screen's depth and releases it. Failures show "Error in
// BmpSave".
void BmpSave(Host& window);

}  // namespace tlrx
