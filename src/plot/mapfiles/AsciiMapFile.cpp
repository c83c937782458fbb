// ASCII map files (.prn, .utm and every extension no other reader claims);
// the reader is AsciiRecordReader.

#include <cstdint>
#include <string>

#include "plot/mapfiles/AsciiRecordReader.h"
#include "plot/mapfiles/MapReaders.h"

namespace tlrx {

void ReadAsciiFile(const std::string& path, int16_t /*file*/, MapPointSink& sink) { ReadAsciiRecords(path, sink); }

}  // namespace tlrx
