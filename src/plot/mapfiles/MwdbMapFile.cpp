// MWDB map files (ALL, CCI, MAP, PNT): headerless 6-byte records of three
// 16-bit little-endian signed integers, code, latitude and longitude in
// arc-minutes (south and west negative). A record whose rank (code / 1000,
// truncated toward zero) is not 0 starts a segment of the feature row
// MwdbRankRow(rank); records of rank 0 continue it.

#include <cstdint>

#include "core/DesignState.h"
#include "core/Errors.h"
#include "plot/PlotState.h"
#include "plot/RunFiles.h"
#include "plot/mapfiles/MapFileInput.h"
#include "plot/mapfiles/MapFileTypes.h"
#include "plot/mapfiles/MapReaders.h"

namespace tlrx {

namespace {

int16_t Int16At(const unsigned char* bytes) {
    return static_cast<int16_t>(static_cast<uint16_t>(bytes[0] | (bytes[1] << 8)));
}

}  // namespace

void ReadMwdbFile(const std::string& path, int16_t file, MapPointSink& sink) {
    // Tested first, so that the binary open never creates a missing file.
    OpenMapFile(path);

    const bool pointFile = MapFileTypeOf(path).kind == MapKind::Pnt;
    if (pointFile && sink.RowSelected(1)) {
        // A point file's "All features" stands for all its rows, in the design too.
        DesignState& d = Design();
        for (int row = 1; row <= 10; ++row) d.FeatureSelected(row, file) = true;
    }

    const auto& rankRow = Plot().MwdbRankRow;
    int16_t row = 0;
    InputCursor in;
    unsigned char record[6];
    for (;;) {
        if (!in.More()) return;
        if (!in.Read(record, sizeof record)) Raise(kInputPastEnd);

        const int16_t code = Int16At(record);
        const int rank = code / 1000;
        if (rank != 0) row = rankRow[static_cast<size_t>(rank + 32)];
        if (sink.RowSelected(row)) {
            if (rank != 0) sink.SetRow(row);
            sink.Point(int32_t{Int16At(record + 2)} * 60, int32_t{Int16At(record + 4)} * 60, rank != 0);
        } else {
            sink.CountPassedOver(1);
        }
        if (sink.Stopped()) return;
    }
}

}  // namespace tlrx
