#pragma once
// The boundary dialog of the vertical perspective projection (code 29): the
// map centre, the graticule spacing and the height of the viewpoint above
// the surface in kilometres (BoundsText 9, eight digits without separators,
// "00035840"), shown at the same time in statute and nautical miles. The
// map's range follows from the height (ParamSelect).
//
// The height field groups its eight digits with the user's thousands
// separator. A height below 1 km is refused when the field is left and
// again at OK.

#include "dialogs/geo/AzimuthalBounds.h"

class QLineEdit;

namespace tlrx {

class DigitField;

class LatLonBoundsVp : public AzimuthalBounds {
    Q_OBJECT
public:
    explicit LatLonBoundsVp(QWidget* parent = nullptr, std::function<void()> restoreOpener = {});

    DigitField* VpDistanceKM;  // BoundsText 9
    QLineEdit* VpDistanceSM;   // display only
    QLineEdit* VpDistanceNM;   // display only

    void Form_Load();
    // Every change of the height shows both conversions again.
    void VpDistanceKM_Change();
    bool VpDistanceKM_LostFocus();

protected:
    void StoreOwnField(DesignState& d) override;
};

}  // namespace tlrx
