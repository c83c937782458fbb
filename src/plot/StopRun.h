#pragma once
// The plotting side of Stop and Esc during a drawing or printing pass.

#include <string>

namespace tlrx {

// Ends the run's exports: clears OutAscii, OutCgm, OutDxf, OutWmf, OutGc and
// OutSc; closes the output and the input file; drops the files the run has
// written so far (Files().DiscardOutputs: every earlier file of those names
// stays as it was) and clears CurOutFile; sets PlotStopText to "Escape",
// NewPolyline to true, CgmLenPos and CgmBufLen to 0 and CgmPos to 1; drops
// the WMF recording (DiscardMetafileOnStop). Runs only while a pass yields
// to the event loop; the pass sees "Escape" and leaves.
void StopRun();

// Gives up the export of a run that failed, as a stop gives it up: closes the
// output file, drops the files the run has written so far, ends the export
// requests and resets the writers' polyline state.
void DiscardFailedExport();

}  // namespace tlrx
