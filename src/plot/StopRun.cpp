#include "plot/StopRun.h"

#include "core/DesignState.h"
#include "plot/PlotState.h"
#include "plot/RunFiles.h"
#include "plot/export/WmfExport.h"

namespace tlrx {

void StopRun() {
    PlotState& p = Plot();
    p.OutAscii = p.OutCgm = p.OutDxf = p.OutWmf = p.OutGc = p.OutSc = false;

    // What the run wrote goes; the files it would have replaced stay.
    Files().DiscardOutputs();
    Files().CloseInput();
    p.CurOutFile.clear();
    p.RunAsciiFiles.clear();

    Design().PlotStopText = "Escape";
    p.NewPolyline = true;
    p.CgmLenPos = 0;
    p.CgmBufLen = 0;
    p.CgmPos = 1;
    DiscardMetafileOnStop();
}

void DiscardFailedExport() {
    PlotState& p = Plot();
    Files().DiscardOutputs();
    p.RunAsciiFiles.clear();
    if (!(p.OutAscii || p.OutCgm || p.OutDxf || p.OutWmf)) return;
    p.OutAscii = p.OutCgm = p.OutDxf = p.OutWmf = false;
    p.CurOutFile.clear();
    p.PolyPointCount = 0;
    p.NewPolyline = true;
    p.CgmLenPos = 0;
    p.CgmBufLen = 0;
    p.CgmPos = 1;
}

}  // namespace tlrx
