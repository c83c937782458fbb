// A plotting pass over one input read as an ASCII map file (.prn degrees,
// .utm metres; a name of any other kind is read as .prn). Circle files are
// .prn files, so this reads them too.

#include "FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    return tlrx::fuzz::RunMapInput(data, size, {"prn", "utm", "txt", ""});
}
