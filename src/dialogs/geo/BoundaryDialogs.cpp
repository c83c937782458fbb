#include "dialogs/geo/BoundaryDialogs.h"

#include "core/DesignState.h"
#include "core/ProjectionTable.h"
#include "dialogs/geo/LatLonBounds.h"

namespace tlrx {

bool HasBoundaryDialog(int16_t code) {
    switch (FamilyOf(code)) {
    case ProjFamily::Cylindrical:
    case ProjFamily::Conic:
    case ProjFamily::World: return code != ProjInterruptedMollweide;
    default: return false;
    }
}

EditOutcome ShowBoundaryDialog(int16_t code, QWidget* parent, std::function<void()> restoreOpener) {
    if (!HasBoundaryDialog(code)) return EditOutcome::NoDialog;
    LatLonBounds dialog(parent, std::move(restoreOpener));
    dialog.exec();
    return dialog.Completed() ? EditOutcome::Completed : EditOutcome::Incomplete;
}

}  // namespace tlrx
