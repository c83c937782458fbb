// Placing a text item on the drawn map: the cross, the preview of the text
// over the background it hides, the mouse, and storing the item when the
// placement ends.

#include <algorithm>
#include <cmath>

#include "app/DrawingArea.h"
#include "app/RuntimeText.h"
#include "app/Tellurax.h"
#include "app/TextPlacement.h"
#include "core/DesignState.h"
#include "core/Errors.h"
#include "plot/MapText.h"
#include "plot/export/Bmp.h"

namespace tlrx {

namespace {

// The rotation of the text being placed, in degrees: the number its text
// starts with ("045", " 90"); 0 for none.
double RotationValue(const std::string& rotationText) { return TextEscapement(rotationText) / 10.0; }

}  // namespace

TextBox PreviewBox(int32_t x, int32_t y, double rotation, int32_t a, int32_t d, int32_t w, int32_t h) {
    const int32_t m = std::max(w, h);
    // Whole turns do not change the text; the field allows up to 999.
    double r = std::fmod(rotation, 360.0);
    if (r < 0) r += 360.0;
    if (r == 0) return {x, y - a, x + w, y + d};
    if (r == 90) return {x - a, y - w, x + d, y};
    if (r == 180) return {x - w, y - d, x, y + a};
    if (r == 270) return {x - d, y, x + a, y + w};
    if (r < 90) return {x - a, y - m, x + m, y + d};
    if (r < 180) return {x - m, y - m, x + d, y + a};
    if (r < 270) return {x - m, y - d, x + a, y + m};
    return {x - d, y - a, x + m, y + m};
}

void Tellurax::InvertPixels(int32_t left, int32_t top, int32_t width, int32_t height) {
    Bitmap pixels;
    if (!GrabPixels(left, top, width, height, pixels)) return;
    for (Rgb& c : pixels.pixels) c ^= 0xFFFFFF;
    PutPixels(left, top, pixels);
}

void Tellurax::TextCursor() {
    const DesignState& d = Design();
    // Two strokes of a 2-pixel pen, each inverting what it covers: the
    // horizontal one from the point to L twips right of it, the vertical one
    // L long through the middle of the first. Where they cross the pixels
    // are inverted twice, as an XOR pen draws them.
    const double length = RoundHalfEven(static_cast<double>(d.ScreenHeightPx) * d.TwipsPerPixelY / 50);
    const auto px = [&](double twips) { return static_cast<int32_t>(std::floor(twips / d.TwipsPerPixelX)); };
    const auto py = [&](double twips) { return static_cast<int32_t>(std::floor(twips / d.TwipsPerPixelY)); };
    const int32_t x0 = px(TextX), x1 = px(TextX + length), xm = px(TextX + length / 2);
    const int32_t y0 = py(TextY - length / 2), y1 = py(TextY + length / 2), ym = py(TextY);
    InvertPixels(x0, ym - 1, std::max(x1 - x0, 1), 2);
    InvertPixels(xm - 1, y0, 2, std::max(y1 - y0, 1));
}

void Tellurax::TextPrint() {
    DesignState& d = Design();
    if (d.CurrentText.empty()) return;
    const int32_t tppx = ToInt32(d.TwipsPerPixelX);
    const int32_t tppy = ToInt32(d.TwipsPerPixelY);

    if (!d.TextErased) {
        // The background goes back where it was taken.
        d.TextErased = true;
        PreviewBackground.pixels.Left = static_cast<int16_t>(PreviewBackground.left);
        PreviewBackground.pixels.Top = static_cast<int16_t>(PreviewBackground.top);
        DisplayBmp(PreviewBackground.pixels);
        DeleteBmp(PreviewBackground.pixels);
        return;
    }

    d.TextErased = false;
    int16_t a = 0, descent = 0, h = 0;
    TextMetric tm;
    if (GetTextMetrics(tm)) {
        a = ToInt16(static_cast<double>(tppy) * tm.ascent);
        descent = ToInt16(static_cast<double>(tppy) * tm.descent);
        h = ToInt16(static_cast<double>(tppy) * tm.height);
    } else {
        ShowApiError("GetTextMetrics error in Tellurax: TextPrint");
    }
    // Six blanks more than the text, as the text measures in whole pixels.
    const double widthPx = RoundHalfEven(TextWidth(d.CurrentText + "      ") / d.TwipsPerPixelX);
    const int32_t w = ToInt32(tppx * widthPx);

    const TextBox box = PreviewBox(TextX, TextY, RotationValue(d.CurrentTextRotation), a, descent, w, h);
    constexpr int32_t lineWidth = 1;  // the window's pen outside the cross
    PixelRect& r = PreviewBackground.rect;
    r.left = box.left / tppx;
    r.top = box.top / tppy;
    r.right = box.right / tppx + lineWidth;
    r.bottom = box.bottom / tppy + lineWidth;
    PreviewBackground.left = r.left;
    PreviewBackground.top = r.top;
    CaptureBmp(*this, r, PreviewBackground.pixels);

    CurrentX = static_cast<float>(TextX);
    CurrentY = static_cast<float>(TextY);
    PrintRotatedText();
    Area().ShowDrawing();
}

void Tellurax::TextDone() {
    DesignState& d = Design();
    try {
        SetCaption(d.SavedCaption);
        if (d.TextErased) {
            // No preview on screen: a new item is dropped, an edited one
            // stays as it was.
            if (!d.TextEditing) --d.NumTextItems;
        } else {
            CurrentX = static_cast<float>(TextX);
            CurrentY = static_cast<float>(TextY);
            PrintRotatedText();
            Area().ShowDrawing();

            int32_t i = d.TextItemIndex;
            if (!d.TextEditing) {
                i = d.NumTextItems;
                ResizeTextItems(i);
            }
            TextMetric tm;
            if (!GetTextMetrics(tm)) {
                ShowApiError("GetTextMetrics error in TextDone");
                tm = TextMetric{};
            }
            const auto slot = static_cast<size_t>(d.FontSlotIndex);
            if (slot >= d.FontSlotName.size()) Raise(kSubscriptOutOfRange);
            TextItem& item = d.TextItemAt(i);
            item.TextItemStrikethru = d.FontSlotStrikethru[slot];
            item.TextItemUnderline = d.FontSlotUnderline[slot];
            item.TextItemItalic = d.FontSlotItalic[slot];
            item.TextItemBold = d.FontSlotBold[slot];
            item.TextItemColor = d.FontSlotColor[slot];
            item.TextItemFontName = d.FontSlotName[slot];
            item.TextItemFontSize = ToInt16(d.FontSlotSize[slot]);
            item.TextItemRotation = ToInt16(RotationValue(d.CurrentTextRotation));
            item.TextItemText = d.CurrentText;
            item.TextItemX = TextX;
            item.TextItemY = TextY;
            item.TextItemAscent = ToInt16(d.TwipsPerPixelY * tm.ascent);
            item.TextItemDescent = ToInt16(d.TwipsPerPixelY * tm.descent);
            item.TextItemCharWidth = ToInt16(d.TwipsPerPixelX * tm.aveCharWidth);
            d.TextErased = true;
            BmpCapture(*this, WindowPicture);
        }
        d.TextEditing = false;
        d.CurrentText.clear();
    } catch (const RuntimeError& e) {
        // What was written stays, and the placement goes on.
        ShowProcError("TextDone", e.what());
    }
}

void Tellurax::Form_MouseDown(Qt::MouseButton, float x, float y) {
    DesignState& d = Design();
    d.TextFirstMove = false;
    if (CrossShown) {
        CrossShown = false;
        TextCursor();
    }
    TextX = ToInt32(x);
    TextY = ToInt32(y);
    TextPrint();
}

void Tellurax::Form_MouseMove(float x, float y) {
    if (!Design().CurrentText.empty()) SetCaption(PlacementCaption(x, y));
}

}  // namespace tlrx
