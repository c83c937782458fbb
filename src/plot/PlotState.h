#pragma once
// The run state of the drawing pass: transforms, the device being drawn on,
// the item being drawn, the exports and the printed page. One process-wide
// record beside the design state, read and written by field name.
// Types as in DesignState.h: Integer int16_t, Long int32_t, Single float.

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/DesignState.h"
#include "core/PrintUnits.h"
#include "platform/Printer.h"
#include "platform/Surface.h"
#include "platform/WmfRecorder.h"

namespace tlrx {

// A label of a point file: the text item it becomes and the point it belongs
// to. The plotting pass fills the item's text, font, colour and flags (an
// unrotated item from a label); placing it fills its place (the baseline's
// left end) and font measures, in twips of the window.
struct MapLabel {
    MapLabel() { MapLabelItem.TextItemFromLabel = true; }
    TextItem MapLabelItem;
    double MapLabelLat = 0;  // projection input: degrees (UTM: northing)
    double MapLabelLon = 0;  // frame degrees (UTM: easting)
    int16_t MapLabelFile = 0;
    bool operator==(const MapLabel&) const = default;
};

struct PlotState {
    // ---- DevTransform: projection units to twips of the drawing area ----
    int32_t DrawWidthTwips = 0;
    int32_t DrawHeightTwips = 0;
    double DevOffsetX = 0;  // twips from the area's left edge to the map's left edge
    double DevScaleX = 0;   // twips per projection unit
    double DevOffsetY = 0;  // twips from the area's top edge down to the map's bottom edge
    double DevScaleY = 0;
    double MapFillFraction = 1.0;

    // ---- OutTransform: projection units to file units of the vector exports ----
    int32_t OutExtentX = 0;
    int32_t OutExtentY = 0;
    int16_t OutOffsetX = 0;
    int16_t OutOffsetY = 0;
    double OutScale = 0;
    int32_t OutMarginX = 320;  // never changed
    int32_t OutMarginY = 320;
    double AsciiScale = 0;  // ASCII units per projection unit

    // ---- DrawDevice ----
    Surface* DrawDC = nullptr;  // the window's picture, or PrinterDC while printing
    Surface* PrinterDC = nullptr;
    GdiObject DrawPen = 0;
    GdiObject OldPen = 0;
    GdiObject SymbolBrush = 0;
    float DevTwipsPerPixelX = 0;
    float DevTwipsPerPixelY = 0;
    bool Printing = false;
    bool PrintAbort = false;
    float PlotTime = 0;                      // seconds
    int16_t SegmentState = 0;                // 3 next vertex starts a line, 1 segment header read, 0 drawing
    int32_t LineStartX = 0, LineStartY = 0;  // device point of the line drawn last: its first point
    bool LineOnePoint = false;               // all its points so far lie on that device point

    // ---- DrawState: the item being drawn ----
    int32_t PenWidth = 0;  // screen pixels
    int32_t CurColor = 0;
    int32_t SymbolHalfW = 0;  // twips
    int32_t SymbolHalfH = 0;
    int16_t PlotMode = 1;  // SymbolType of the next point
    int32_t WmfPolyColor = 0;
    int32_t WmfPolyWidth = 0;
    std::vector<DevPoint> WmfPoints;

    // ---- ExportFiles ----
    bool OutAscii = false;
    bool OutCgm = false;
    bool OutDxf = false;
    bool OutWmf = false;
    bool OutGc = false;
    bool OutSc = false;
    // Map text of this run's export held characters that the file's code
    // page lacks (written as "?"); the run tells the user once, at its end.
    bool ExportTextReplaced = false;
    std::string BmpFileName;
    std::string CgmFileName;
    std::string DxfFileName;
    std::string WmfFileName;
    std::string GcFileName;
    std::string ScFileName;
    std::string CnfFileName;
    std::string RptFileName;
    std::string CurOutFile;
    std::vector<std::string> AscFileName = std::vector<std::string>(3);  // 0..2 at start-up
    // The ASCII files the run under way has created. A stop or a failure
    // deletes them all, so that no part of an unfinished export is left.
    std::vector<std::string> RunAsciiFiles;
    int16_t GridOutputCount = 1;

    // ---- VectorExportState ----
    int32_t PolyPointCount = 0;
    bool NewPolyline = true;
    bool DxfNoPolyline = false;
    int32_t DxfSeqEndPos = 0;
    int32_t CgmPos = 1;
    int32_t CgmLenPos = 0;
    int32_t CgmBufLen = 0;         // -1: a TEXT element's point and flag wait in CgmBuf 4..9
    int32_t SymbolRadiusOut = 0;   // half-size of point symbols, file units
    int32_t SymbolBorderOut = 0;   // outline width of point symbols, file units
    int32_t MaxPolyPoints = 1999;  // never changed
    // CGM element being assembled: one byte value (0..255) per entry, the
    // header word(s) first, then the parameters, high byte first.
    std::array<int16_t, 25> CgmBuf{};
    // Symbol vertex offsets in thousandths of SymbolRadiusOut: x of vertex k
    // at k, its y at k + 5.
    std::array<int16_t, 10> CgmSymbolVertex{};
    // The last POLYLINE vertex written (file units), and whether the line
    // goes on from it in a new element because its element was filled.
    std::array<int16_t, 2> CgmLastVertex{};
    bool CgmLineContinues = false;

    // ---- WmfRecording ----
    // The metafile being recorded (logical units = file units, y upwards),
    // from the File menu's WMF command to the end of the run; null otherwise.
    Surface* MetafileDC = nullptr;
    // Owns the recording behind MetafileDC; shared, like PrnDlg, by snapshots.
    std::shared_ptr<WmfRecorder> MetafileRecorder;
    // The closed recording, held until SaveMetafileToDisk has written it; null otherwise.
    std::shared_ptr<const MetafileBits> MetafileHandle;
    GdiObject MetafilePen = 0;     // pen of the current WMF symbol or polyline, deleted after use
    GdiObject MetafileBrush = 0;   // brush of the current filled WMF symbol, deleted after use
    bool DrawingMetafile = false;  // the text items are being drawn into MetafileDC

    // ---- PrintLayout (print units) ----
    float PrnMapTop = 1.0f;
    float PrnMapLeft = 1.0f;
    float PrnMapWidth = 6.5f;
    float PrnMapHeight = 0;
    bool PrnCenterHorizontal = true;
    bool PrnCenterVertical = true;
    int16_t PrinterUnits = kTwipsPerInch;  // twips per print unit: kTwipsPerInch or kTwipsPerCm

    // ---- PrinterPageMetrics (print units, twips per pixel) ----
    float PrnTwipsPerPixelX = 0;
    float PrnTwipsPerPixelY = 0;
    float PrnMinLeft = 0;
    float PrnMinTop = 0;
    float PrnMinRight = 0;
    float PrnMinBottom = 0;
    float PrnPrintableRight = 0;
    float PrnPrintableBottom = 0;
    float PrnPrintableWidth = 0;
    float PrnPrintableHeight = 0;
    float PaperWidth = 0;
    float PaperHeight = 0;

    // The printer-selection component; absent when no printer is installed.
    // Shared, so that a copy of the state (a snapshot) refers to the same one.
    std::shared_ptr<PrinterDialog> PrnDlg;

    // ---- MapLabel: labels of the point files read in a pass, 1..n (element 0 empty) ----
    std::vector<MapLabel> MapLabels = std::vector<MapLabel>(1);
    // LabelPrint has placed and measured the labels since the list was last
    // emptied; only then may they become text items.
    bool MapLabelsPlaced = false;

    // ---- Map plotting pass ----
    bool GeographicInput = false;  // the file holds latitudes and longitudes (false: UTM metres)
    // Feature row of each MWDB rank -32..32, at index rank + 32; rebuilt by every pass.
    std::array<int16_t, 65> MwdbRankRow{};
    int32_t NumTextItemsSaved = 0;  // NumTextItems before the first pass appended label items
    bool TextItemsSaved = false;    // NumTextItemsSaved is this run's, its label items not yet removed
};

// The one run state of the process.
PlotState& Plot();

// A fresh run state with its start-up values, for tests.
void ResetPlotState();

}  // namespace tlrx
