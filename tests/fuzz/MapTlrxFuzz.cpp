// A plotting pass over one input read as one of the TLRX map files (.map, MWDB records).

#include "FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    return tlrx::fuzz::RunMapInput(data, size, {"map"});
}
