#include "plot/PlotState.h"

namespace tlrx {

PlotState& Plot() {
    static PlotState state;
    return state;
}

void ResetPlotState() { Plot() = PlotState{}; }

}  // namespace tlrx
