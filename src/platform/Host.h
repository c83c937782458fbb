#pragma once
// The main window as the plotting code sees it: its drawing area in twips,
// its caption, its current text position, colour and font, text measuring,
// the surface of its kept picture, and the pixels of that picture.

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/Bitmap.h"
#include "platform/Surface.h"

namespace tlrx {

class Host {
public:
    virtual ~Host() = default;

    // Inner size of the drawing area in twips.
    virtual float ScaleWidth() const = 0;
    virtual float ScaleHeight() const = 0;

    virtual std::string Caption() const = 0;
    virtual void SetCaption(std::string_view caption) = 0;

    // Makes what has been drawn so far visible. A run calls it at every
    // yield; the window repaints at screen rate, so a call soon after its
    // last repaint leaves the newest drawing to a later one, and the run's
    // end is always shown.
    virtual void Refresh() = 0;
    virtual void Beep() = 0;

    // Current drawing position in twips of the drawing area (y downwards).
    float CurrentX = 0;
    float CurrentY = 0;
    Rgb ForeColor = 0;
    std::string FontName;
    float FontSize = 10;
    bool FontBold = false;
    bool FontItalic = false;
    bool FontUnderline = false;
    bool FontStrikethru = false;

    // Width of text in the current font, in twips.
    virtual float TextWidth(std::string_view text) const = 0;

    // Metrics of the current font (FontName, FontSize, FontBold, FontItalic)
    // in pixels of the drawing area, as its device context measures them:
    // height, ascent, descent, average character width. False, metric
    // untouched, when they cannot be had.
    virtual bool GetTextMetrics(TextMetric& metric) const = 0;

    // The surface of the drawing area (the kept picture).
    virtual Surface& DC() = 0;

    // Inner size of the drawing area in pixels.
    virtual int32_t ClientWidthPx() const = 0;
    virtual int32_t ClientHeightPx() const = 0;
    // Bits per pixel of the screen the window is shown on, times its colour
    // planes (24 or 32 on a true-colour screen).
    virtual int32_t ScreenBitDepth() const = 0;
    // Copies width × height pixels of the drawing area as shown, starting at
    // its pixel (left, top), into out; places outside the area come out
    // black. False, with out empty, when nothing could be copied (width or
    // height below 1, no memory for the copy).
    virtual bool GrabPixels(int32_t left, int32_t top, int32_t width, int32_t height, Bitmap& out) = 0;
    // Draws pixels into the drawing area with their top-left corner at its
    // pixel (left, top), leaving out what falls outside, and shows them.
    virtual void PutPixels(int32_t left, int32_t top, const Bitmap& pixels) = 0;
};

// The main window as the drawing code sees it. The program registers its
// window at start-up, tests a FakeHost; using it unregistered is a
// programming error (std::logic_error).
Host& MainWindow();
void SetMainWindow(Host* host);

}  // namespace tlrx
