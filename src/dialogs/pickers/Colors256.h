#pragma once
// The 256-colour picker. Design().ColorTarget, set by the opener, decides the
// caption, help topic and place, the cell marked as the current colour and
// where a click writes: targets 1 to 4 the great circle, small circle,
// background or grid colour with its palette index; target 5 the symbology
// dialog's feature colour through its host. A click on a cell writes and
// closes; closing otherwise writes nothing.

#include <cstdint>

#include "dialogs/common/DialogBase.h"

class QLabel;

namespace tlrx {

class ColorGrid;
class GeofeatureColorHost;

class Colors256 : public DialogBase {
    Q_OBJECT
public:
    // opener: the window beside which the picker places itself (the screen's
    // centre without one); geofeature: the symbology dialog for target 5.
    explicit Colors256(QWidget* opener = nullptr, GeofeatureColorHost* geofeature = nullptr);

    QLabel* Label1;          // the instruction
    ColorGrid* ColorSquare;  // the cells

    // Writes cell i's colour to the target and closes.
    void ColorSquare_Click(int cell);
    void Form_KeyUp(int keyCode) override;

protected:
    void mouseMoveEvent(QMouseEvent* event) override;  // Form_MouseMove

private:
    void Form_Load(QWidget* opener);
    void Form_Activate();

    int16_t target_;
    GeofeatureColorHost* geofeature_;
};

}  // namespace tlrx
