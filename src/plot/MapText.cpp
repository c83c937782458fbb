#include "plot/MapText.h"

#include "platform/TextEncoding.h"

#include <string>

#include "core/DesignState.h"
#include "core/Errors.h"
#include "core/NumberText.h"
#include "platform/Host.h"
#include "platform/Surface.h"
#include "platform/TextEncoding.h"
#include "plot/PlotState.h"

namespace tlrx {

namespace {

constexpr uint8_t kDefaultCharSet = 1;
constexpr uint8_t kClipLhAngles = 16;

// Where and how large the text comes out on the device of the moment.
struct TextPlacement {
    Surface* dc = nullptr;
    int32_t x = 0;  // device units
    int32_t y = 0;
    int32_t height = 0;  // negative: character height
    bool metafile = false;
};

TextPlacement PlaceText() {
    const DesignState& d = Design();
    const PlotState& p = Plot();
    const Host& window = MainWindow();
    const double x = window.CurrentX;
    const double y = window.CurrentY;
    const double size = window.FontSize;

    TextPlacement t;
    if (p.Printing) {
        // The window position scaled to the printed map and moved into its
        // box, in twips from the printable area's corner. Held in 32 bits,
        // so that text far out on large paper is drawn.
        const auto k = static_cast<float>(CheckedDiv(double(p.PrinterUnits) * p.PrnMapWidth, window.ScaleWidth()));
        const float units = p.PrinterUnits;
        const int32_t tx = ToInt32((p.PrnMapLeft - p.PrnMinLeft) * units + window.CurrentX * k);
        const int32_t ty = ToInt32((p.PrnMapTop - p.PrnMinTop) * units + window.CurrentY * k);
        t.dc = p.PrinterDC;
        t.x = ToInt32(CheckedDiv(tx, p.PrnTwipsPerPixelX));
        t.y = ToInt32(CheckedDiv(ty, p.PrnTwipsPerPixelY));
        t.height = ToInt32(CheckedDiv(size * k * -20, p.PrnTwipsPerPixelY));
    } else if (p.DrawingMetafile) {
        // File units, y upwards.
        t.dc = p.MetafileDC;
        t.metafile = true;
        t.x = ToInt32(CheckedDiv(x, p.DrawWidthTwips) * p.OutExtentX);
        t.y = ToInt32(p.OutExtentY - CheckedDiv(y, p.DrawHeightTwips) * p.OutExtentY);
        t.height = ToInt32(CheckedDiv(size * -20, p.DrawHeightTwips) * p.OutExtentY);
    } else {
        t.dc = &MainWindow().DC();
        t.x = ToInt32(CheckedDiv(x, d.TwipsPerPixelX));
        t.y = ToInt32(CheckedDiv(y, d.TwipsPerPixelY));
        t.height = ToInt32(CheckedDiv(size * -20, d.TwipsPerPixelY));
    }
    if (t.dc == nullptr) Raise(kInvalidCall);
    return t;
}

LogFont RotatedFont(const TextPlacement& t) {
    const DesignState& d = Design();
    const Host& window = MainWindow();
    LogFont font;
    font.height = t.height;
    font.width = 0;
    font.escapement = TextEscapement(d.CurrentTextRotation);
    if (t.metafile) font.escapement = -font.escapement;
    font.orientation = font.escapement;
    font.weight = window.FontBold ? 700 : 400;
    font.italic = window.FontItalic;
    font.underline = window.FontUnderline;
    font.strikeOut = window.FontStrikethru;
    font.charSet = kDefaultCharSet;
    font.clipPrecision = kClipLhAngles;
    font.faceName = FontFaceName(window.FontName);
    return font;
}

}  // namespace

int32_t TextEscapement(std::string_view rotationText) { return ToInt32(LeadingNumber(rotationText) * 10); }

std::string FontFaceName(std::string_view fontName) {
    std::string face(fontName);
    face.push_back('\0');
    face.resize(32, ' ');
    return face;
}

void PrintRotatedText() {
    try {
        const TextPlacement t = PlaceText();
        const LogFont record = RotatedFont(t);
        const DesignState& d = Design();
        Surface& dc = *t.dc;

        const GdiObject font = dc.CreateFontIndirect(record);
        if (font == 0) ShowApiError("CreateFontIndirect error(1) in PrintRotatedText");
        // Without its font the text comes out in the device's current one.
        const GdiObject previousFont = font != 0 ? dc.SelectObject(font) : 0;
        const unsigned previousAlign = dc.SetTextAlign(AlignLeft | AlignBaseline);
        const Rgb previousColor = dc.SetTextColor(MainWindow().ForeColor);

        // The metafile holds Windows-1252 text: what it cannot hold becomes
        // "?", and the run tells the user at its end.
        if (t.metafile) ToCp1252(d.CurrentText, Plot().ExportTextReplaced);
        if (!dc.TextOut(t.x, t.y, d.CurrentText)) ShowApiError("TextOut error(1) in PrintRotatedText");

        dc.SetTextColor(previousColor);
        if (font != 0) {
            dc.SelectObject(previousFont);
            if (!dc.DeleteObject(font)) ShowApiError("DeleteObject error(2) in PrintRotatedText");
        }
        dc.SetTextAlign(previousAlign);
    } catch (const RuntimeError& e) {
        ShowProcError("PrintRotatedText", e.what());
    }
}

void UseTextItemFont(const TextItem& item) {
    Host& window = MainWindow();
    window.ForeColor = static_cast<Rgb>(item.TextItemColor);
    window.FontName = item.TextItemFontName;
    window.FontSize = item.TextItemFontSize;
    window.FontBold = item.TextItemBold;
    window.FontItalic = item.TextItemItalic;
    window.FontStrikethru = item.TextItemStrikethru;
    window.FontUnderline = item.TextItemUnderline;
}

void PrintText() {
    DesignState& d = Design();
    try {
        const int32_t count = d.NumTextItems;
        Host& window = MainWindow();
        for (int32_t i = 1; i <= count; ++i) {
            const TextItem& item = d.TextItemAt(i);
            d.CurrentText = item.TextItemText;
            d.CurrentTextRotation = std::to_string(item.TextItemRotation);
            window.CurrentX = static_cast<float>(item.TextItemX);
            window.CurrentY = static_cast<float>(item.TextItemY);
            UseTextItemFont(item);
            PrintRotatedText();
        }
    } catch (const RuntimeError& e) {
        ShowProcError("PrintText", e.what());
    }
    // A text left here would put the window into text placement.
    d.CurrentText.clear();
}

}  // namespace tlrx
