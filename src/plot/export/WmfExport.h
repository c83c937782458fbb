#pragma once
// The life of the WMF export's recording, outside the writer proper: the
// File menu's preparation before the drawing run, the closing at the end of
// the last pass, and its release on Stop and at shut-down.
//
// The callers, in order:
//  - File menu, Save as WMF, once the file name is chosen:
//    StartWmfRecording(name), then the drawing run;
//  - the plotting pass at the end of the last pass (after the text items have
//    been drawn into MetafileDC with DrawingMetafile set):
//    CloseMetafileRecording(), SaveMetafileToDisk() (WmfWriter.h), then
//    NewPolyline = true and OutWmf = false;
//  - Esc or Stop: StopRun() does DiscardMetafileOnStop();
//  - shut-down: DiscardMetafileAtShutDown().

#include <string>

namespace tlrx {

// Save as WMF: WmfFileName = fileName, OutWmf set, a new recording in
// MetafileDC (one still open from an earlier run is dropped), an earlier
// MetafileHandle released, the drawing area refitted (ScaleScreen), then
// PrepareMetafile. The caller starts the drawing run next.
void StartWmfRecording(const std::string& fileName);

// Prepares MetafileDC for the run, so that logical units are file units with
// y upwards: mapping mode anisotropic, window origin (-OutMarginX, OutExtentY
// + OutMarginY), window extent (OutExtentX + 2 OutMarginX, -(OutExtentY + 2
// OutMarginY)), transparent background; PenWidth = 1; then the background
// rectangle over the whole picture, (-OutMarginX, -OutMarginY) to (OutExtentX
// + OutMarginX, OutExtentY + OutMarginY), filled and outlined (width 1) in
// BackColor, its brush and pen deleted after it. A failed call shows its
// "... error in mnuInput_Click" box under ApiErrorTitle and the steps go on.
// Nothing happens without a recording.
void PrepareMetafile();

// Ends the recording: MetafileHandle = the closed metafile of MetafileDC
// (null when there was no recording); MetafileDC null.
void CloseMetafileRecording();

// Esc or Stop during a pass: deletes MetafileBrush and MetafilePen when set
// ("DeleteObject(1) error in Tellurax: Form_KeyDown", "DeleteObject(2) ..."
// on failure), drops the recording and MetafileHandle; all four are then 0.
void DiscardMetafileOnStop();

// Shut-down: the same, its messages ending "in Tellurax: Form_Unload".
void DiscardMetafileAtShutDown();

}  // namespace tlrx
