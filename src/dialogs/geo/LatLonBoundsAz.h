#pragma once
// The boundary dialog of the gnomonic, stereographic, orthographic,
// azimuthal equidistant and equal-area projections (codes 26, 27, 28, 30,
// 31): the map centre, the graticule spacing and the range, the angular
// distance from the centre to the edge of the map (BoundsText 8).
//
// The range may not reach 90 degrees on the gnomonic projection and may not
// exceed it on the stereographic and orthographic ones; while the projection
// is not defined they start from 60 and 90 degrees, the others from 180.

#include "dialogs/geo/AzimuthalBounds.h"

namespace tlrx {

class LatLonBoundsAz : public AzimuthalBounds {
    Q_OBJECT
public:
    explicit LatLonBoundsAz(QWidget* parent = nullptr, std::function<void()> restoreOpener = {});

    AngleField* AzRangeDist;  // BoundsText 8

    void Form_Load();

protected:
    void StoreOwnField(DesignState& d) override;

private:
    // The projection's rule on the range, or nothing.
    std::optional<std::string> RangeRule() const;
    // The range field's check: on leaving it, one Retry/Cancel box; at OK
    // the projection's rule has its own box with an OK button.
    bool CheckRange();
};

}  // namespace tlrx
