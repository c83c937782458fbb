#pragma once
// The plotting side of Stop and Esc during a drawing or printing pass.

#include <string>

namespace tlrx {

// Ends the run's exports: clears OutAscii, OutCgm, OutDxf, OutWmf, OutGc and
// OutSc; closes the output and the input file; deletes the partial export
// named by CurOutFile when it exists and the run wrote it (a WMF whose
// recording is still open has not been written: a file of its name is left
// alone) and clears the name; deletes the other ASCII files the run created
// (RunAsciiFiles); sets PlotStopText to "Escape", NewPolyline to true,
// CgmLenPos and CgmBufLen to 0 and CgmPos to 1; drops the WMF recording
// (DiscardMetafileOnStop). A file that cannot be deleted is reported, naming
// it ("Error in Tellurax: Form_KeyDown"), and the stop goes on. Runs only
// while a pass yields to the event loop; the pass sees "Escape" and leaves.
void StopRun();

// Gives up the export of a run that failed, as a stop gives it up: closes the
// output file, deletes the partial ASCII, CGM or DXF file named by CurOutFile
// (a regular file only) and the other ASCII files the run created, ends the
// export requests and resets the writers' polyline state. Returns the
// sentences for the failure's box ("\n\nThe partly written file ... was
// deleted."), empty when no file was written.
std::string DiscardFailedExport();

}  // namespace tlrx
