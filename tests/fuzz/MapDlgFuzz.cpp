// A plotting pass over one input read as one of the USGS DLG map files (.grv
// packed, .grf fixed records).

#include "FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    return tlrx::fuzz::RunMapInput(data, size, {"grv", "grf"});
}
