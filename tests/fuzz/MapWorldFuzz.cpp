// A plotting pass over one input read as one of the World map files (.mp1, .mps).

#include "FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    return tlrx::fuzz::RunMapInput(data, size, {"mp1", "mps"});
}
