#pragma once
// The WMF export: points collected into WmfPoints, symbols drawn into the metafile.

namespace tlrx {

// Collects the current projected point for the polyline being recorded, or
// draws a point symbol into MetafileDC.
void WmfWrite();

}  // namespace tlrx
