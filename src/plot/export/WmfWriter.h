#pragma once
// The WMF export during the run and at its end: every exported point is a
// vertex collected into WmfPoints (drawn as one polyline by PrintLineBrkDisk
// when the line ends) or a point symbol drawn at once into the recording
// MetafileDC; the closed recording is saved with its placeable header.
//
// File units: x = round((ProjOutX - MapXMin) * OutScale + OutOffsetX), y the
// same from MapYMin and OutOffsetY, 16-bit, y upwards; the picture spans
// (-OutMarginX, -OutMarginY) to (OutExtentX + OutMarginX, OutExtentY +
// OutMarginY). Failed drawing calls show their box under ApiErrorTitle and
// the steps go on.

namespace tlrx {

// Exports the projected point (ProjOutX, ProjOutY) by PlotMode. 1: adds the
// vertex to WmfPoints (PolyPointCount counts it, NewPolyline starts a new
// list) and sets WmfPolyColor = CurColor and WmfPolyWidth (PenWidth pixels
// in file units when LineWidthScaling, else PenWidth); the 1999th point
// (MaxPolyPoints) ends the line through PrintLineBrkDisk and starts the next
// one. 2 to 12: draws the symbol of radius SymbolRadiusOut with a pen of
// SymbolBorderOut and CurColor, filled with CurColor for 2, 6, 8, 10 and 12,
// hollow for the others; MetafileDC's pen, brush and fill mode are put back
// and MetafilePen, MetafileBrush deleted. Other values: nothing. Called by
// ScaleXY while OutWmf. A run-time failure (a coordinate outside 16 bits, no
// recording) shows "Error in WmfWrite".
void WmfWrite();

// Writes WmfFileName: the placeable header (bounding box of the picture,
// 6000 units per inch, checksum) and the metafile of MetafileHandle; then
// releases MetafileHandle, whatever happens. An existing file is replaced.
// A file that cannot be created, no recording, or a bounding box outside 16
// bits shows "Error in SaveMetafileToDisk" and writes nothing; a failed write
// shows "lwrite error in SaveMetafileToDisk" (header) or "hwrite error in
// SaveMetafileToDisk" (metafile) under ApiErrorTitle and removes the partial
// file, so that no empty or header-only file is left. Called once, at the end
// of the last pass, after CloseMetafileRecording (WmfExport.h).
void SaveMetafileToDisk();

}  // namespace tlrx
