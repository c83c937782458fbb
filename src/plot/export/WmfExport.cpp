#include "plot/export/WmfExport.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <memory>
#include <string_view>

#include "core/DesignState.h"
#include "core/Errors.h"
#include "platform/WmfRecorder.h"
#include "plot/PlotState.h"
#include "plot/Scaling.h"

namespace tlrx {

namespace {

// A sum of file units as a 32-bit value; a result beyond it stays beyond 16
// bits, which the recording refuses.
int32_t Units(int64_t v) {
    return static_cast<int32_t>(
        std::clamp<int64_t>(v, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
}

void DiscardMetafile(std::string_view procedure) {
    PlotState& p = Plot();
    const auto remove = [&](GdiObject& object, int site) {
        if (object == 0) return;
        // Without the recording the object went with it.
        if (p.MetafileDC != nullptr && !p.MetafileDC->DeleteObject(object))
            ShowApiError("DeleteObject(" + std::to_string(site) + ") error in " + std::string(procedure));
        object = 0;
    };
    remove(p.MetafileBrush, 1);
    remove(p.MetafilePen, 2);
    p.MetafileDC = nullptr;
    p.MetafileRecorder.reset();
    p.MetafileHandle.reset();
}

}  // namespace

void StartWmfRecording(const std::string& fileName) {
    PlotState& p = Plot();
    p.WmfFileName = fileName;
    p.OutWmf = true;
    // A recording left open by an earlier run goes, with its objects.
    p.MetafileRecorder = std::make_shared<WmfRecorder>();
    p.MetafileDC = p.MetafileRecorder.get();
    p.MetafilePen = p.MetafileBrush = 0;
    p.MetafileHandle.reset();
    ScaleScreen();
    PrepareMetafile();
}

void PrepareMetafile() {
    const DesignState& d = Design();
    PlotState& p = Plot();
    if (p.MetafileDC == nullptr) return;
    Surface& dc = *p.MetafileDC;
    const int64_t mx = p.OutMarginX;
    const int64_t my = p.OutMarginY;
    const int64_t ex = p.OutExtentX;
    const int64_t ey = p.OutExtentY;

    if (dc.SetMapMode(MapMode::Anisotropic) == MapMode{}) ShowApiError("SetMapMode error in mnuInput_Click");
    if (!dc.SetWindowOrgEx(Units(-mx), Units(ey + my))) ShowApiError("SetWindowOrgEx error in mnuInput_Click");
    if (!dc.SetWindowExtEx(Units(ex + 2 * mx), Units(-(ey + 2 * my))))
        ShowApiError("SetWindowExtEx error in mnuInput_Click");
    dc.SetBkMode(BkMode::Transparent);
    p.PenWidth = 1;

    const auto back = static_cast<Rgb>(d.BackColor);
    GdiObject keptBrush = 0;
    GdiObject keptPen = 0;
    const GdiObject brush = dc.CreateSolidBrush(back);
    if (brush != 0) keptBrush = dc.SelectObject(brush);
    else ShowApiError("CreateSolidBrush(1) error in mnuInput_Click");
    const GdiObject pen = dc.CreatePen(PenStyle::Solid, 1, back);
    if (pen != 0) keptPen = dc.SelectObject(pen);
    else ShowApiError("CreatePen(1) error in mnuInput_Click");
    if (!dc.Rectangle(Units(-mx), Units(-my), Units(ex + mx), Units(ey + my)))
        ShowApiError("Rectangle(1) error in mnuInput_Click");
    if (keptBrush != 0) dc.SelectObject(keptBrush);
    if (keptPen != 0) dc.SelectObject(keptPen);
    if (brush != 0 && !dc.DeleteObject(brush)) ShowApiError("DeleteObject(1) error in mnuInput_Click");
    if (pen != 0 && !dc.DeleteObject(pen)) ShowApiError("DeleteObject(2) error in mnuInput_Click");
}

void CloseMetafileRecording() {
    PlotState& p = Plot();
    p.MetafileHandle = p.MetafileRecorder ? p.MetafileRecorder->Close() : nullptr;
    p.MetafileRecorder.reset();
    p.MetafileDC = nullptr;
}

void DiscardMetafileOnStop() { DiscardMetafile("Tellurax: Form_KeyDown"); }

void DiscardMetafileAtShutDown() { DiscardMetafile("Tellurax: Form_Unload"); }

}  // namespace tlrx
