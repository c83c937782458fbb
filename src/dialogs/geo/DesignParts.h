#pragma once
// Controls the grid, great circle and small circle dialogs share: a line
// width entered in whole pixels and stored in twips, and the colour box
// showing a design colour beside the arrows that open the colour picker.
// The picker does not exist yet, so the arrows stay disabled.

#include <QWidget>
#include <cstdint>

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
// palette flag ignored) and the pair of arrows beside it.
class ColorBox : public QWidget {
    Q_OBJECT
public:
    explicit ColorBox(QWidget* parent);

    QLabel* Picture;    // the swatch
    QToolButton* Spin;  // the arrows; disabled until the picker exists

    void Fill(int32_t color);
    // The colour the swatch shows, 0x00BBGGRR.
    int32_t Shown() const { return shown_; }

private:
    int32_t shown_ = 0;
};

// Moves a dialog to the given top in twips from the top of the screen,
// centred horizontally (set its size first).
void PlaceAtTop(QWidget& dialog, int topTwips);

}  // namespace tlrx
