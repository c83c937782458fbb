#include "dialogs/geo/BoundaryDialogs.h"

#include "core/DesignState.h"
#include "core/ProjectionTable.h"
#include "dialogs/geo/LatLonBounds.h"
#include "dialogs/geo/LatLonBoundsAz.h"
#include "dialogs/geo/LatLonBoundsVp.h"
#include "dialogs/geo/UtmChain.h"

namespace tlrx {

namespace {

template <class Dialog>
EditOutcome Edit(QWidget* parent, std::function<void()> restoreOpener) {
    Dialog dialog(parent, std::move(restoreOpener));
    dialog.exec();
    return dialog.Completed() ? EditOutcome::Completed : EditOutcome::Incomplete;
}

}  // namespace

bool HasBoundaryDialog(int16_t code) { return FamilyOf(code) != ProjFamily::None; }

EditOutcome ShowBoundaryDialog(int16_t code, QWidget* parent, std::function<void()> restoreOpener) {
    switch (FamilyOf(code)) {
    case ProjFamily::Cylindrical:
    case ProjFamily::Conic:
    case ProjFamily::World: return Edit<LatLonBounds>(parent, std::move(restoreOpener));
    case ProjFamily::Azimuthal:
        if (HasTrait(code, kViewpoint)) return Edit<LatLonBoundsVp>(parent, std::move(restoreOpener));
        return Edit<LatLonBoundsAz>(parent, std::move(restoreOpener));
    case ProjFamily::Utm: return Edit<UtmSpheroid>(parent, std::move(restoreOpener));
    case ProjFamily::None: break;
    }
    return EditOutcome::NoDialog;
}

}  // namespace tlrx
