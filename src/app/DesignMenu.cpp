// The Design Map menu: the marks of its items, the dialogs they open and the
// caption's size display.

#include <QAction>

#include "app/Tellurax.h"
#include "core/DesignState.h"
#include "dialogs/geo/BoundaryDialogs.h"

namespace tlrx {

void Tellurax::mnuDesign_Click(int16_t index) {
    if (index < 0 || static_cast<size_t>(index) >= mnuDesign.size()) return;
    const auto item = static_cast<size_t>(index);
    // The item chosen last carries the mark; the size display keeps its own.
    for (size_t i = 0; i < mnuDesign.size(); ++i)
        if (i != kPixelSizeItem) mnuDesign[i]->setChecked(false);
    if (item != kPixelSizeItem) mnuDesign[item]->setChecked(true);

    switch (item) {
    case 0: ShowBoundaryDialog(Design().ProjCode, this); break;
    case kPixelSizeItem:
        mnuDesign[item]->setChecked(!mnuDesign[item]->isChecked());
        ToggleCaption();
        break;
    default: break;
    }
}

}  // namespace tlrx
