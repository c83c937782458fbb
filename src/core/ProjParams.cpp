#include "core/ProjParams.h"

#include "core/AngleText.h"
#include "core/DesignState.h"
#include "core/Errors.h"
#include "core/ProjectionTable.h"

namespace tlrx {

void ParamStdParallel() {
    DesignState& d = Design();
    try {
        const double n = d.LatNorth, s = d.LatSouth;
        if (StdParallelCount(d.ProjCode) == 1) {
            double p = 0;
            if (n > 0 && s >= 0) p = (n + s) / 2;
            else if (n <= 0 && s < 0) p = -(n + s) / 2;
            else if (n > 0 && s < 0) p = -s <= n ? n / 2 : -s / 2;
            d.StdParNorth = p;
            d.StdParSouth = -p;
        } else {
            const double sixth = (n - s) / 6;
            d.StdParNorth = n - sixth;
            d.StdParSouth = s + sixth;
            if (-d.StdParNorth == d.StdParSouth) d.StdParSouth = 0;
        }
        DegMinSec(d.StdParNorth, d.StdParNorthText, "LAT", 4);
        d.StdParText[0] = d.StdParNorthText;
        DegMinSec(d.StdParSouth, d.StdParSouthText, "LAT", 4);
        d.StdParText[1] = d.StdParSouthText;
    } catch (const RuntimeError& e) {
        ShowProcError("ParamStdParallel", e.what());
    }
}

void ParamSelect() {
    DesignState& d = Design();
    try {
        if (const ProjectionKernel* kernel = KernelOf(d.ProjCode)) kernel->prepare(d);
    } catch (const RuntimeError& e) {
        ShowProcError("ParamSelect", e.what());
    }
    d.PlotStopText.clear();
}

}  // namespace tlrx
