// Placeholders for the readers of the packed, fixed-record and World map
// files until they are merged; this file goes with that merge.

#include "plot/MapReaders.h"

namespace tlrx {

void ReadPackedFile(const std::string&, int16_t, MapPointSink&) {}
void ReadFixedRecordFile(const std::string&, int16_t, MapPointSink&) {}
void ReadWorldFile(const std::string&, int16_t, MapPointSink&) {}

}  // namespace tlrx
