// The Design Map menu: the marks of its items, the dialogs they open and the
// caption's size display.

#include <QAction>

#include "app/Tellurax.h"
#include "core/DesignState.h"
#include "core/GreatCircle.h"
#include "dialogs/content/TextAdd.h"
#include "dialogs/geo/BoundaryDialogs.h"
#include "dialogs/geo/GCircleEnds.h"
#include "dialogs/geo/LineWidthScale.h"
#include "dialogs/geo/SelectGridType.h"
#include "dialogs/geo/SelectLabelOption.h"
#include "dialogs/geo/SmallCircle.h"
#include "dialogs/pickers/Pickers.h"
#include "platform/MessageBox.h"
#include "reports/ReportWindow.h"

namespace tlrx {

namespace {

enum DesignItem : size_t {
    MapBoundaries = 0,
    GreatCircle = 1,
    SmallCircles = 2,
    AddText = 4,
    Labels = 5,
    BackgroundColor = 7,
    GridColorWidthType = 8,
    LineWidthScaling = 9,
    ParameterReport = 12,
    GreatCircleReport = 13,
};

template <class Dialog>
void ShowModal(QWidget* parent) {
    Dialog dialog(parent);
    dialog.exec();
}

}  // namespace

void Tellurax::mnuDesign_Click(int16_t index) {
    if (index < 0 || static_cast<size_t>(index) >= mnuDesign.size()) return;
    const auto item = static_cast<size_t>(index);
    // The item chosen last carries the mark; the size display keeps its own.
    for (size_t i = 0; i < mnuDesign.size(); ++i)
        if (i != kPixelSizeItem) mnuDesign[i]->setChecked(false);
    if (item != kPixelSizeItem) mnuDesign[item]->setChecked(true);

    DesignState& d = Design();
    switch (item) {
    case MapBoundaries: ShowBoundaryDialog(d.ProjCode, this); break;
    case GreatCircle:
        ShowModal<GCircleEnds>(this);
        if (d.DialogCancelled) d.DialogCancelled = false;
        else GcCalc();
        break;
    case SmallCircles: ShowModal<SmallCircle>(this); break;
    // The placement follows from what the dialog leaves in the design.
    case AddText: ShowModal<TextAdd>(this); break;
    case Labels: ShowModal<SelectLabelOption>(this); break;
    case BackgroundColor:
        // The picker stores the colour; the next drawing run shows it.
        d.ColorTarget = TargetBackground;
        ShowColors256(this);
        break;
    case GridColorWidthType: ShowModal<SelectGridType>(this); break;
    case LineWidthScaling: ShowModal<LineWidthScale>(this); break;
    case kPixelSizeItem:
        mnuDesign[item]->setChecked(!mnuDesign[item]->isChecked());
        ToggleCaption();
        break;
    case ParameterReport: ShowModal<ReportParam>(this); break;
    case GreatCircleReport:
        if (d.GcDefined) ShowModal<GcReport>(this);
        else
            MsgBox(
                "You have not defined the endpoints\nof the great circle.\n\nTo define the endpoints, press "
                "OK,\nthen select the Great Circle option\nfrom the Design Map menu.",
                "Great Circle Not Defined", MsgButtons::Ok, MsgIcon::Information);
        break;
    default: break;
    }
}

}  // namespace tlrx
