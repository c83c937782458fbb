// A plotting pass over one input read as one of the MWDB2 map files (.all, .pnt, .cci).

#include "FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    return tlrx::fuzz::RunMapInput(data, size, {"all", "pnt", "cci"});
}
