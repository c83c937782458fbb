#pragma once
// Saving and recalling the whole map design as a design file (.cnf), named
// by CnfFileName (run state). Both show their own messages ("Error in
// CnfSave", "Error in CnfRead") and put the window's caption back.

#include "designfile/DesignWindow.h"

namespace tlrx {

// Writes the design, the window's geometry and the printer's orientation into
// CnfFileName in the current version. Texts the file cannot carry are
// refused, naming the field, before the file is touched; the file is
// replaced only once the new one is complete, so a failure leaves the old
// one as it was. Sizes AscFileName to the design's outputs. True when the
// file was written.
bool CnfSave(DesignWindow& window);

// Replaces the design by the one in CnfFileName, a file of the current
// version or of versions 2 and 1 (CnfOld.h). Only a regular file is read
// (a named pipe or a device is refused unopened). The whole file is read and
// checked, and the design's circles and its fit to the window computed on a
// copy of it, first; only then do the design, the window (a current-version
// file's is fitted to hold the saved drawing area; older designs are fitted
// into the window as it is), the caption and the Projection menu's mark
// change. The great circle's ends are taken as its dialog stores them
// (SettleGreatCircleEnds); a route they still cannot give is refused naming
// the field of the end longitude. A file that cannot be read or is malformed
// changes nothing. True when the design was replaced.
bool CnfRead(DesignWindow& window);

}  // namespace tlrx
