#pragma once
// Default boundary texts and the graticule computation of a design.

#include <array>
#include <string>

namespace tlrx {

// Writes the default BoundsText of every projection (the perspective height
// only while code 29 is not yet defined).
void ConstantGrid();

// Reads BoundsText, checks it and derives the MapBounds fields. A rejected
// combination shows its Retry/Cancel box, moves the focus to the offending
// field of the open boundary dialog (Retry) or restores that field from
// savedTexts (Cancel), sets CalcError and leaves the state as it was.
void CalcGraticule(const std::array<std::string, 10>& savedTexts);

}  // namespace tlrx
