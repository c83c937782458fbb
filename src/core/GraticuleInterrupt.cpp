#include "core/GraticuleInterrupt.h"

#include <cmath>
#include <cstdlib>

#include "core/AngleText.h"
#include "core/DesignState.h"
#include "core/Errors.h"
#include "core/Graticule.h"

namespace tlrx {

void CalcGraticuleInterrupt(int16_t lobe) {
    try {
        DesignState& d = Design();
        if (lobe < 1 || lobe >= static_cast<int16_t>(d.LobeEdgeText.size())) Raise(kSubscriptOutOfRange);
        const size_t west = static_cast<size_t>(lobe) - 1;
        const size_t east = static_cast<size_t>(lobe);
        const std::string& northText = d.BoundsText[0];
        const std::string& southText = d.BoundsText[1];

        const double n = DmsFieldValue(d.InterruptText[0], 1, static_cast<int>(d.InterruptText[0].size()));
        // The letters are not read: a northern lobe runs up from the equator
        // by the size of the northern boundary, a southern one down.
        if (lobe <= n + 1) {
            d.LatNorthSec = std::abs(LatTextToSec(northText));
            d.LatSouthSec = 0;
        } else {
            d.LatNorthSec = 0;
            d.LatSouthSec = -std::abs(LatTextToSec(southText));
        }
        d.LatSpacingSec = ArcTextToSec(d.BoundsText[2]);
        d.LonWestSec = LonTextToSec(d.LobeEdgeText[west]);
        d.LonEastSec = LonTextToSec(d.LobeEdgeText[east]);
        d.LonSpacingSec = ArcTextToSec(d.BoundsText[5]);
        d.FrameWestSec = 0;
        d.FrameEastSec = FrameSpanSec(d.LonWestSec, d.LonEastSec);

        if (d.LatSpacingSec == 0 || d.LonSpacingSec == 0) Raise(kDivisionByZero);
        // Latitude intervals are counted up, so that the band's outer parallel
        // belongs to the grid also when the spacing does not divide the band.
        const int64_t latSpan = std::llabs(int64_t{d.LatNorthSec} - d.LatSouthSec);
        d.NumLatDivisions = ToInt32(double((latSpan + d.LatSpacingSec - 1) / d.LatSpacingSec));
        d.NumLonDivisions = ToInt32(std::fabs(double(d.FrameEastSec) - d.FrameWestSec) / d.LonSpacingSec);

        DeriveDegrees(d);

        // The latitude texts show the whole map's boundaries, not the lobe's.
        d.LatNorthText = LatDisplayText(northText);
        d.LatSouthText = LatDisplayText(southText);
        d.LatSpacingText = ArcDisplayText(d.BoundsText[2]);
        d.LonSpacingText = ArcDisplayText(d.BoundsText[5]);
        d.LonWestText = LonDisplayText(d.LobeEdgeText[west]);
        d.LonEastText = LonDisplayText(d.LobeEdgeText[east]);

        d.CentLat = d.LatNorth - (d.LatNorth - d.LatSouth) / 2;
        d.CentLon = FrameCentreLon(d.LonWest, d.LonEast, d.FrameWest, d.FrameEast);
        DegMinSec(d.CentLat, d.CentLatText, "LAT", 1);
        DegMinSec(d.CentLon, d.CentLonText, "LON", 1);
    } catch (const RuntimeError& e) {
        ShowProcError("CalcGraticuleInterrupt", e.what());
    }
}

}  // namespace tlrx
