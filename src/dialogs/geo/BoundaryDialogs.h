#pragma once
// The boundary dialog of a projection, as the Projection and Design Map
// menus open it: LatLonBounds for the cylindrical, conic and world
// projections (going on to the standard parallels or the interruptions),
// LatLonBoundsAz for the azimuthal ones, LatLonBoundsVp for the vertical
// perspective and the UTM chain (UtmSpheroid) for UTM.

#include <QWidget>
#include <cstdint>
#include <functional>

namespace tlrx {

enum class EditOutcome {
    Completed,   // the dialog (or its chain) was accepted
    Incomplete,  // closed otherwise: the design is as it was before
    NoDialog,    // the code has no boundary dialog
};

// Whether the code's boundary dialog exists.
bool HasBoundaryDialog(int16_t code);

// Shows the boundary dialog of the code modally over parent. restoreOpener
// runs when the edit ends incomplete, before the design is derived again.
EditOutcome ShowBoundaryDialog(int16_t code, QWidget* parent, std::function<void()> restoreOpener = {});

}  // namespace tlrx
