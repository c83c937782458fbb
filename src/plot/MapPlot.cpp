#include "plot/MapPlot.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>
#include <utility>

#include "core/DesignState.h"
#include "core/Errors.h"
#include "core/ProjectionTable.h"
#include "core/SharedRoutines.h"
#include "platform/Host.h"
#include "platform/MessageBox.h"
#include "plot/DeviceLayer.h"
#include "plot/MapLabels.h"
#include "plot/MapText.h"
#include "plot/PlotState.h"
#include "plot/PointPipeline.h"
#include "plot/RunFiles.h"
#include "plot/StopRun.h"
#include "plot/export/CgmWriter.h"
#include "plot/export/DxfWriter.h"
#include "plot/export/ExportRouting.h"
#include "plot/export/WmfExport.h"
#include "plot/export/WmfWriter.h"
#include "plot/mapfiles/AsciiRecordReader.h"
#include "plot/mapfiles/MapFileTypes.h"
#include "plot/mapfiles/MapReaders.h"

namespace tlrx {

namespace {

// A line of circle points: the elements first to last, by step, of parallel
// latitude and longitude lists in degrees.
struct CircleLine {
    const double* lat = nullptr;
    const double* lon = nullptr;
    int32_t first = 1;
    int32_t last = 0;
    int32_t step = 1;
};

// Circle c of the small circles: ScCircleEnd(c - 1) + 1 to ScCircleEnd(c).
CircleLine SmallCircleLine(const DesignState& d, int16_t circle) {
    const auto c = static_cast<size_t>(circle);
    if (c >= d.ScCircleEnd.size() || d.ScLat.size() != d.ScLon.size()) return {};
    const int32_t last = d.ScCircleEnd[c];
    if (last >= static_cast<int32_t>(d.ScLat.size())) return {};
    return {d.ScLat.data(), d.ScLon.data(), d.ScCircleEnd[c - 1] + 1, last, 1};
}

// The great circle from its entered start to its entered end. Before the
// first computation (GcStep 0) it has no points.
CircleLine GreatCircleLine(const DesignState& d) {
    const auto size = static_cast<int32_t>(std::min(d.GcLat.size(), d.GcLon.size()));
    if (d.GcStep == 0 || d.GcFirst >= size || d.GcLast >= size || d.GcFirst < 0 || d.GcLast < 0) return {};
    return {d.GcLat.data(), d.GcLon.data(), d.GcFirst, d.GcLast, d.GcStep};
}

constexpr std::string_view kMissingFileNote =
    "\n\nThe above file, listed in the Open Digital Map File item\nof the File menu, was not found.";

// The ASCII reader calls `sink`'s own point handling, without a virtual call per point.
template <typename Sink>
void ReadMapFile(const MapFileType& type, const std::string& path, int16_t file, Sink& sink) {
    switch (type.reader) {
    case MapReader::FixedRecord: ReadFixedRecordFile(path, file, sink); break;
    case MapReader::Packed: ReadPackedFile(path, file, sink); break;
    case MapReader::Mwdb: ReadMwdbFile(path, file, sink); break;
    case MapReader::World: ReadWorldFile(path, file, sink); break;
    case MapReader::Ascii: ReadAsciiRecords(path, sink); break;
    }
}

void ReleasePen(int site) { ReleaseDrawPen("MapPlot", site); }

void CreatePen(int site) { CreateDrawPen(PenStyle::Solid, "MapPlot", site); }

// Twips to whole screen pixels, divided in single precision.
int32_t ScreenPixels(int32_t twips) {
    return ToInt32(static_cast<float>(CheckedDiv(float(twips), Design().TwipsPerPixelY)));
}

bool IsHollowSymbol(int16_t mode) {
    return mode == SymSquare || mode == SymDiamond || mode == SymTriangle || mode == SymCircle;
}

// Lines, dots and filled symbols take the line width; plus, cross and the
// hollow symbols their border width.
bool UsesLineWidth(int16_t mode) {
    return mode == SymLine || mode == SymDot || mode == SymSquareFilled || mode == SymDiamondFilled ||
           mode == SymTriangleFilled || mode == SymCircleFilled;
}

void ClearMapLabels() {
    PlotState& p = Plot();
    p.MapLabels.resize(1);
    p.MapLabelsPlaced = false;
}

// One call of the pass: the map files' reader sink and the steps around them.
class MapPass final : public MapPointSink {
public:
    MapPass() : d_(Design()), p_(Plot()) {}

    void Run();

    void SetRow(int16_t row) override;
    bool RowSelected(int16_t row) const override;
    void Point(int32_t latSec, int32_t lonSec, bool segmentStart) override;
    void UtmPoint(int32_t northing, int32_t easting, bool segmentStart) override;
    void CountPassedOver(int32_t count) override { pipe_.CountPassedOver(count); }
    void YieldOnce() override { pipe_.YieldOnce(); }
    void Label(const std::string& text) override;
    bool Stopped() const override { return pipe_.Stopped(); }

private:
    bool PlotFile(int16_t i);
    void ChooseDevice();
    void OpenExport(int16_t i);
    void EndExportPolyline();
    void CheckExport();
    void Connect(bool segmentStart);
    bool DrawCircles();
    bool CircleBlock(bool great);
    void PlotCirclePoint(double lat, double lon, bool first, bool great);
    void LabelsAndText();
    void Fail(std::string_view description);
    void DiscardPartialExport();
    void Exit(bool abandoned);

    DesignState& d_;
    PlotState& p_;
    PointPipeline pipe_;
    std::string savedCaption_;
    std::string path_;
    int16_t file_ = 0;
    PenSites sites_{};
    bool pointFile_ = false;
    bool firstPoint_ = true;
    bool exportOpen_ = false;
};

void MapPass::Run() {
    try {
        RebuildMwdbRankRow();
        ClearMapLabels();
        if (d_.FirstPass) {
            p_.NumTextItemsSaved = d_.NumTextItems;
            p_.TextItemsSaved = true;
        }
        savedCaption_ = MainWindow().Caption();

        const int16_t count = d_.NumInputFiles;
        for (int16_t i = 1; i <= count; ++i) {
            if (!PlotFile(i)) {
                Exit(true);
                return;
            }
        }
        p_.DxfNoPolyline = false;
        p_.PenWidth = 1;
        if (!DrawCircles()) {
            Exit(true);
            return;
        }
        LabelsAndText();
    } catch (const RuntimeError& e) {
        Fail(e.what());
        Exit(true);
        return;
    }
    Exit(false);
}

void MapPass::ChooseDevice() { ChooseDrawDevice(); }

// One map file; false when a stop request ended it.
bool MapPass::PlotFile(int16_t i) {
    const int16_t symbol = d_.InputFileSymbolType(i);
    path_ = d_.InputFileName(i);
    file_ = i;
    MainWindow().SetCaption(savedCaption_ + " " + ParseFileName(path_, false));
    ChooseDevice();

    p_.GeographicInput = true;
    pipe_.Begin(true);
    firstPoint_ = true;
    p_.PlotMode = symbol;
    if (p_.PlotMode == SymLine) p_.DxfNoPolyline = true;

    const MapFileType& type = MapFileTypeOf(path_);
    sites_ = type.pens;
    pointFile_ = type.kind == MapKind::Pnt;

    OpenExport(i);
    ReadMapFile(type, path_, i, *this);
    if (pipe_.Stopped()) return false;
    pipe_.Finish();
    CheckExport();

    ReleasePen(sites_.endRelease);
    EndExportPolyline();
    RunFiles& files = Files();
    exportOpen_ = false;
    files.CloseOutput();
    files.CloseInput();
    return true;
}

void MapPass::OpenExport(int16_t i) {
    RunFiles& files = Files();
    exportOpen_ = false;
    if (p_.OutCgm) {
        files.OpenOutputBinary(p_.CgmFileName);
        files.SeekOutput(p_.CgmPos);
        CgmStartNewBoundaryFile();
    } else if (p_.OutDxf) {
        files.AppendOutputText(p_.DxfFileName);
    } else if (p_.OutWmf) {
        return;  // recorded in memory
    } else if (p_.OutAscii) {
        const size_t index = static_cast<size_t>(p_.GridOutputCount) + static_cast<size_t>(i);
        p_.CurOutFile = Item(p_.AscFileName, index);
        // The lobes of a run all go into the file the first one created.
        if (d_.FirstPass) {
            p_.RunAsciiFiles.push_back(p_.CurOutFile);
            files.CreateOutputText(p_.CurOutFile);
        } else {
            files.AppendOutputText(p_.CurOutFile);
        }
    } else {
        return;
    }
    exportOpen_ = true;
}

// Ends the export's open polyline at the end of a file or circle: a CGM line
// only when the file draws lines (symbols are complete elements), and the
// ASCII export too, so that the next lobe appended to its file starts a new
// line.
void MapPass::EndExportPolyline() {
    if (p_.PolyPointCount <= 0) return;
    if (p_.OutCgm) {
        if (p_.PlotMode == SymLine) PrintLineBrkDisk();
    } else if (p_.OutDxf || p_.OutWmf || p_.OutAscii) {
        PrintLineBrkDisk();
    }
}

// A write to the export has failed (its writer has reported it): the pass
// ends, with the failure of the file's closing as its error.
void MapPass::CheckExport() {
    RunFiles& files = Files();
    if (!exportOpen_ || !files.OutputFailed()) return;
    exportOpen_ = false;
    files.CloseOutput();  // raises the failure
    Raise("Device I/O error");
}

void MapPass::SetRow(int16_t row) {
    pipe_.Finish();  // in the pen of the row it belongs to
    const int16_t i = file_;
    p_.CurColor = d_.FeatureColor(row, i);
    SymbolSize(row, i);
    const auto penPixels = [&](int16_t r) {
        return ScreenPixels(UsesLineWidth(p_.PlotMode) ? d_.FeatureLineWidth(r, i) : d_.FeatureBorderWidth(r, i));
    };
    p_.PenWidth = penPixels(row);
    if (pointFile_) {
        // A point file is drawn in the symbology of its first row.
        p_.CurColor = d_.FeatureColor(1, i);
        p_.PenWidth = penPixels(1);
        SymbolSize(1, i);
    }
    ReleasePen(sites_.segmentRelease);
    CreatePen(sites_.segmentCreate);
}

bool MapPass::RowSelected(int16_t row) const {
    if (row == 0) return false;
    return d_.FeatureSelected(row, file_);
}

void MapPass::Point(int32_t latSec, int32_t lonSec, bool segmentStart) {
    d_.PointLatSec = latSec;
    d_.PointLonSec = lonSec;
    pipe_.Prepare();
    Connect(segmentStart);
}

void MapPass::UtmPoint(int32_t northing, int32_t easting, bool segmentStart) {
    p_.GeographicInput = false;
    pipe_.PrepareMetres(northing, easting);
    Connect(segmentStart);
}

void MapPass::Connect(bool segmentStart) {
    // The first point of a file starts its line whatever the file says: the
    // point registers still hold the previous file's last point.
    if (firstPoint_) segmentStart = true;
    firstPoint_ = false;
    if (segmentStart) pipe_.StartSegment();
    pipe_.Connect();
    if (exportOpen_ && Files().OutputFailed()) CheckExport();
}

void MapPass::Label(const std::string& text) {
    if (text.empty() || !pipe_.Inside()) return;
    MapLabel label;
    PointPipeline::ProjectionInput(label.MapLabelLat, label.MapLabelLon);
    label.MapLabelFile = file_;
    const size_t f = static_cast<size_t>(file_);
    const std::string& font = d_.InputFileLabelFontName(f);
    TextItem& item = label.MapLabelItem;
    item.TextItemText = text;
    item.TextItemFontName = font.empty() ? d_.DefaultFontName : font;
    item.TextItemFontSize = d_.InputFileLabelFontSize(f);
    item.TextItemColor = d_.InputFileLabelFontColor(f);
    item.TextItemBold = d_.InputFileLabelFontBold(f);
    item.TextItemItalic = d_.InputFileLabelFontItalic(f);
    item.TextItemUnderline = d_.InputFileLabelFontUnderline(f);
    item.TextItemStrikethru = d_.InputFileLabelFontStrikethru(f);
    p_.MapLabels.push_back(std::move(label));
}

// The small circles, then the great circle; false when a stop ended them.
bool MapPass::DrawCircles() {
    const auto asciiOff = [&] {
        // The ASCII export has no file for circles: it ends here for the
        // run, its files complete.
        if (p_.OutAscii) {
            p_.CurOutFile.clear();
            p_.RunAsciiFiles.clear();
            p_.OutAscii = false;
        }
    };
    for (const bool great : {false, true}) {
        if (great ? !d_.GcDefined : !d_.ScDefined) continue;
        asciiOff();
        p_.DxfNoPolyline = true;
        if (!CircleBlock(great)) return false;
        exportOpen_ = false;
        Files().CloseOutput();
        p_.DxfNoPolyline = false;
    }
    return true;
}

bool MapPass::CircleBlock(bool great) {
    RunFiles& files = Files();
    const int32_t color = great ? d_.GcColor : d_.ScColor;
    exportOpen_ = false;
    if (p_.OutDxf) {
        files.AppendOutputText(p_.DxfFileName);
        exportOpen_ = true;
    } else if (p_.OutWmf) {
        // recorded in memory
    } else if (p_.OutCgm) {
        files.OpenOutputBinary(p_.CgmFileName);
        files.SeekOutput(p_.CgmPos);
        exportOpen_ = true;
        CgmStartNewBoundaryFile();
        CgmLineColor(color);
    }

    ChooseDevice();
    pipe_.Begin(false);
    p_.PlotMode = SymLine;
    p_.CurColor = color;
    p_.PenWidth = ScreenPixels(great ? d_.GcLineWidth : d_.ScLineWidth);
    ReleasePen(16);
    CreatePen(8);
    // Circle points are latitudes and longitudes, whatever the last map file was.
    p_.GeographicInput = true;

    if (great) {
        const CircleLine line = GreatCircleLine(d_);
        for (int32_t k = line.first; line.step > 0 ? k <= line.last : k >= line.last; k += line.step) {
            PlotCirclePoint(line.lat[k], line.lon[k], k == line.first, true);
            if (pipe_.Stopped()) return false;
        }
        pipe_.Finish();
        EndExportPolyline();
    } else {
        for (int16_t c = 1; c <= d_.ScCount; ++c) {
            const CircleLine line = SmallCircleLine(d_, c);
            for (int32_t k = line.first; k <= line.last; ++k) {
                PlotCirclePoint(line.lat[k], line.lon[k], k == line.first, false);
                if (pipe_.Stopped()) return false;
            }
            pipe_.Finish();
            EndExportPolyline();
        }
    }
    ReleasePen(17);
    return true;
}

// A circle point in degrees. A small circle starts its line at its first
// point; the great circle at its first point when that lies on the map.
void MapPass::PlotCirclePoint(double lat, double lon, bool first, bool great) {
    d_.PointLatSec = ToInt32(lat * 3600);
    d_.PointLonSec = ToInt32(lon * 3600);
    pipe_.Prepare();
    if (first && (!great || pipe_.Inside())) pipe_.StartSegment();
    pipe_.Connect();
    if (exportOpen_ && Files().OutputFailed()) CheckExport();
}

void MapPass::LabelsAndText() {
    const bool labelled = p_.MapLabels.size() > 1;
    if (labelled && d_.DisplayLabels) {
        LabelPrint();
        LabelConvert();
    }
    // The interrupted Mollweide writes its text once, after its last lobe.
    if (IsInterrupted(d_.ProjCode) && !d_.LastPass) return;

    if (p_.Printing) {
        PrintText();
    } else if (p_.OutCgm) {
        // Reports a failure itself and deletes the unfinished file.
        CgmFinishExport();
    } else if (p_.OutDxf) {
        if (!DxfFinish()) Fail("The DXF file could not be completed.");
    } else if (p_.OutWmf) {
        p_.DrawingMetafile = true;
        PrintText();
        p_.DrawingMetafile = false;
        CloseMetafileRecording();
        SaveMetafileToDisk();
        p_.NewPolyline = true;
        p_.OutWmf = false;
    }

    // The temporary label items go again.
    if (d_.LastPass) RemoveTemporaryLabelItems();
}

void MapPass::Fail(std::string_view description) {
    const bool missing = description == kFileNotFound;
    const std::string text = missing ? path_ + std::string(kMissingFileNote) : "Error: " + std::string(description);
    DiscardPartialExport();
    MsgBox(text, missing ? "File not found error in MapPlot" : "Error in MapPlot", MsgButtons::Ok,
           MsgIcon::Exclamation);
    ReleasePen(15);
}

// After a failure the run's export is given up as a stop gives it up: what
// the run wrote goes, the files it would have replaced stay as they were, and
// the export requests end.
void MapPass::DiscardPartialExport() {
    exportOpen_ = false;
    DiscardFailedExport();
}

void MapPass::Exit(bool abandoned) {
    RunFiles& files = Files();
    files.CloseOutputQuietly();
    files.CloseInput();
    // A stopped or failed run keeps no temporary label items.
    if (abandoned) RemoveTemporaryLabelItems();
    if (!(IsInterrupted(d_.ProjCode) && !d_.LastPass)) p_.CurOutFile.clear();
    ReleasePen(1);
}

}  // namespace

void RebuildMwdbRankRow() {
    auto& table = Plot().MwdbRankRow;
    table.fill(0);
    static constexpr int16_t kRows[11] = {0, 1, 5, 7, 9, 2, 3, 4, 6, 8, 10};
    for (int rank = 1; rank <= 10; ++rank) table[static_cast<size_t>(rank + 32)] = kRows[rank];
}

void SymbolSize(int16_t row, int16_t file) {
    const DesignState& d = Design();
    PlotState& p = Plot();
    const int16_t radius = d.FeatureSymbolRadius(row, file);
    const int16_t border = d.FeatureBorderWidth(row, file);
    int32_t half = radius;
    if (IsHollowSymbol(p.PlotMode)) half = ToInt16(double(radius) - border / 2);
    p.SymbolHalfW = half;
    p.SymbolHalfH = half;
    p.SymbolRadiusOut = ToInt16(CheckedDiv(double(half) * p.OutExtentX, p.DrawWidthTwips));
    if (p.PlotMode == SymDot) p.SymbolRadiusOut = 2;
    p.SymbolBorderOut = d.LineWidthScaling ? ToInt16(CheckedDiv(double(border) * p.OutExtentX, p.DrawWidthTwips))
                                           : ToInt16(static_cast<float>(CheckedDiv(float(border), d.TwipsPerPixelY)));
}

void MapPlot() { MapPass().Run(); }

}  // namespace tlrx
