#pragma once
// Controls the grid, great circle and small circle dialogs share: a line
// width entered in whole pixels and stored in twips, and the colour box
// showing a design colour beside the arrows that open the colour picker.

#include <QWidget>
#include <cstdint>

#include "core/DesignState.h"

class QLabel;
class QSpinBox;
class QToolButton;

namespace tlrx {

// Whole pixels shown for a width stored in twips (TwipsPerPixelY), halves
// to the even number.
int PixelsOfTwips(int16_t twips);
// Twips stored for a width entered in pixels, halves to the even number.
int16_t TwipsOfPixels(int pixels);

// A spin field of whole numbers from low to high.
QSpinBox* NumberSpin(int low, int high, QWidget* parent);

// A colour box: the swatch filled with a design colour (0x00BBGGRR, the
// palette flag ignored) and the pair of arrows beside it. A click on either
// opens the colour picker for the box's target; the picker stores the
// colour itself, and the swatch shows the design's colour again after it.
class ColorBox : public QWidget {
    Q_OBJECT
public:
    // target: the ColorTarget the picker edits; color: the design colour it
    // writes and the swatch shows.
    ColorBox(QWidget* parent, ColorTargetId target, int32_t DesignState::*color);

    QLabel* Picture;    // the swatch
    QToolButton* Spin;  // the arrows

    void Fill(int32_t color);
    // The colour the swatch shows, 0x00BBGGRR.
    int32_t Shown() const { return shown_; }

    // Sets ColorTarget, shows the picker beside the box's dialog, and fills
    // the swatch from the design afterwards.
    void PickColor();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    ColorTargetId target_;
    int32_t DesignState::*color_;
    int32_t shown_ = 0;
};

// Moves a dialog to the given top in twips from the top of the screen,
// centred horizontally (set its size first).
void PlaceAtTop(QWidget& dialog, int topTwips);

}  // namespace tlrx
