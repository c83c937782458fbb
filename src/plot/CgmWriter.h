#pragma once
// The CGM export: header, points and symbols, pending element bytes.

namespace tlrx {

// Creates CgmFileName and writes the CGM header (first drawing pass of a run).
void CgmHeader();

// Writes the current projected point as PlotMode asks: a POLYLINE vertex, a
// point symbol or a text item.
void CgmWrite();

// Writes the CgmBufLen pending element bytes at CgmPos.
void CgmShort();

}  // namespace tlrx
