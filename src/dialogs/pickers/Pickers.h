#pragma once
// The program's colour and font pickers, shared by the geographic and the
// content dialogs and the report windows. Both write their outcome into the
// design state themselves (see each function).

#include <cstdint>
#include <string>

class QWidget;

namespace tlrx {

// What the symbology dialog offers the colour picker when it edits the colour
// of one feature class (ColorTarget 5): the swatch the user clicked and the
// place the picked colour goes.
class GeofeatureColorHost {
public:
    virtual ~GeofeatureColorHost() = default;
    // The colour the clicked swatch (ColorPicBoxIndex) shows.
    virtual int32_t SwatchColor() const = 0;
    // Moves the grid's current cell to the colour column of the swatch's row
    // and gives that cell and the swatch `color`.
    virtual void ApplyPickedColor(int32_t color) = 0;
};

// What the text item dialog offers the font picker for the map text slot:
// its colour swatch and its two font labels.
class TextFontHost {
public:
    virtual ~TextFontHost() = default;
    virtual int32_t FontColorShown() const = 0;
    virtual void SetCurrentFontText(const char* utf8) = 0;
    virtual void SetFontStyleText(const char* utf8) = 0;
    virtual void SetFontColor(int32_t color) = 0;
};

// Shows the 256-colour picker for Design().ColorTarget, placed beside
// `opener` as the target asks. A click on a cell writes the target's colour
// and palette index (targets 1 to 4) or hands the colour to `geofeature`
// (target 5) and closes; any other close writes nothing.
void ShowColors256(QWidget* opener, GeofeatureColorHost* geofeature = nullptr);

// Shows the font picker for font slot Design().FontSlotIndex (1 to 3). OK
// stores the choice in the slot and sets FontDialogOK; Cancel clears it and
// changes nothing. For slot 1 `text` receives the text item dialog's labels.
void ShowFontDialog(QWidget* parent, TextFontHost* text = nullptr);

// The captions of a text font that the font picker gives the text item
// dialog: "Font style is " and the style's words ("Regular" when neither
// bold nor italic, then " Underline" and " Strikeout" as set), and "Current
// Font is <size> point <name>." with the size in points as written ("12",
// "10.5").
std::string FontStyleText(bool bold, bool italic, bool underline, bool strikeout);
std::string CurrentFontText(double size, const std::string& name);

}  // namespace tlrx
