#include "plot/WmfWriter.h"

namespace tlrx {

// The WMF writer proper is not built yet: the export routing already calls
// this entry point, which records nothing so far.
void WmfWrite() {}

}  // namespace tlrx
