#pragma once
// The DXF export: header, points and symbols, the polyline terminator.

namespace tlrx {

// Creates DxfFileName and writes the DXF header (first drawing pass of a run).
void DxfHeader();

// Writes the current projected point as PlotMode asks.
void DxfWrite();

// Ends the open POLYLINE entity.
void DxfPolylineTerminate();

}  // namespace tlrx
