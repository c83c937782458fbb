// A plotting pass over one input read as one of the WDB2 map files (.pkv, .pkd, packed).

#include "FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    return tlrx::fuzz::RunMapInput(data, size, {"pkv", "pkd"});
}
