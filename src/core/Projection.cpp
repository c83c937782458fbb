#include "core/Projection.h"

#include <array>
#include <cmath>
#include <cstddef>

#include "core/DesignState.h"
#include "core/Errors.h"
#include "core/ProjectionTable.h"
#include "core/projections/KernelMath.h"
#include "core/projections/ProjectionKernel.h"

// ProjectSelect hands the point to the step of its code's kernel
// (core/projections/), which takes the set-up of the design as it stands and
// the formula of the projection's pure forward function; what is kept here
// is only the last azimuthal place, for the reuse mode.

namespace tlrx {
namespace {

AzimuthalPoint KeptPlace;

// The step of each code, looked up with one load per point. Filled from the
// kernels (constant-initialized) before main; nothing projects earlier.
using SelectIndex = std::array<SelectFn, ProjCodeBound>;
const SelectIndex kSelectIndex = [] {
    SelectIndex index{};
    for (size_t code = 0; code < index.size(); ++code)
        if (const ProjectionKernel* kernel = KernelOf(static_cast<int16_t>(code))) index[code] = kernel->select;
    return index;
}();

}  // namespace

void ProjectSelect() {
    DesignState& d = Design();
    d.CalcError = false;
    const auto code = static_cast<size_t>(d.ProjCode);               // a negative code wraps beyond the index
    if (code >= kSelectIndex.size() || !kSelectIndex[code]) return;  // not a projection
    try {
        kSelectIndex[code](d, KeptPlace);
    } catch (const kernel::Failure& f) {
        ShowProcError("ProjectSelect", f.description);
    } catch (const RuntimeError& e) {
        ShowProcError("ProjectSelect", e.what());
    }
}

void ResetProjWork() { KeptPlace = AzimuthalPoint{}; }

void ProjectDesignPoint() { DesignProjector(Design()).Project(); }

DesignProjector::DesignProjector(DesignState& d) : d_(d), kernel_(KernelOf(d.ProjCode)) {
    if (!kernel_) return;
    try {
        setup_ = kernel_->setup(d);
    } catch (const RuntimeError& e) {
        setupFailure_ = e.what();
    }
}

void DesignProjector::Project() {
    DesignState& d = d_;
    d.CalcError = false;
    if (!kernel_) return;  // not a projection
    if (!setupFailure_.empty()) {
        ShowProcError("ProjectSelect", setupFailure_);
        return;
    }
    const ProjectedPoint p = kernel_->forward(setup_, d.ProjInLat, d.ProjInLon);
    switch (p.status) {
    case PointStatus::Projected:
        d.ProjOutX = p.x;
        d.ProjOutY = p.y;
        break;
    case PointStatus::BeyondLimit: d.PlotStatus = 2; [[fallthrough]];
    case PointStatus::Refused: d.CalcError = true; break;
    case PointStatus::Failed:
        // The coordinate computed before the failure is written.
        if (!std::isnan(p.x)) d.ProjOutX = p.x;
        if (!std::isnan(p.y)) d.ProjOutY = p.y;
        ShowProcError("ProjectSelect", p.failure);
        break;
    }
}

}  // namespace tlrx
