#include "plot/PlotGrid.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <string_view>
#include <vector>

#include "core/DesignState.h"
#include "core/Errors.h"
#include "core/Projection.h"
#include "core/ProjectionTable.h"
#include "platform/Events.h"
#include "platform/Host.h"
#include "plot/AzimuthalGrid.h"
#include "plot/DeviceLayer.h"
#include "plot/PlotState.h"
#include "plot/RunFiles.h"
#include "plot/StopRun.h"
#include "plot/export/ExportRouting.h"

namespace tlrx {

namespace {

constexpr std::string_view kEscape = "Escape";
constexpr std::string_view kGridDiskError = "GridDiskError";

// The longitudes of a densified parallel; kept between calls so that its
// storage is reused.
std::vector<double>& LongitudeList() {
    static std::vector<double> list;
    return list;
}

// The export file failed while being written; ScaleXY has reported it.
struct ExportFailed {};

void ApiError(const char* call, int site) {
    ShowApiError(std::string(call) + "(" + std::to_string(site) + ") error in PlotGrid");
}

void ReleasePen(int site) { ReleaseDrawPen("PlotGrid", site); }

void CreatePen(PenStyle style, int site) { CreateDrawPen(style, "PlotGrid", site); }

// The background brush, selected for the rectangle and deleted after it,
// also when the drawing pass fails in between.
class BackgroundBrush {
public:
    explicit BackgroundBrush(Surface& dc) : dc_(dc) {
        brush_ = dc_.CreateSolidBrush(static_cast<Rgb>(Design().BackColor));
        if (brush_ == 0) ApiError("CreateSolidBrush", 1);
        else previous_ = dc_.SelectObject(brush_);
    }
    ~BackgroundBrush() { Release(); }
    BackgroundBrush(const BackgroundBrush&) = delete;
    BackgroundBrush& operator=(const BackgroundBrush&) = delete;

    void Release() {
        if (previous_ != 0) dc_.SelectObject(previous_);
        previous_ = 0;
        if (brush_ != 0 && !dc_.DeleteObject(brush_)) ApiError("DeleteObject", 0);
        brush_ = 0;
    }

private:
    Surface& dc_;
    GdiObject brush_ = 0;
    GdiObject previous_ = 0;
};

// The background of the first drawing pass: the whole export space with its
// margins on the screen, the printed map box on the printer.
void DrawBackground(Surface& dc) {
    PlotState& p = Plot();
    if (!p.Printing) {
        if (!dc.Rectangle(-p.OutMarginX, -p.OutMarginY, p.OutExtentX + p.OutMarginX, p.OutExtentY + p.OutMarginY))
            ApiError("Rectangle", 1);
        return;
    }
    // In printer pixels from the printable area's corner, single precision:
    // one pixel larger at the top left, three at the bottom right.
    const float units = p.PrinterUnits;
    const float left = p.PrnMapLeft - p.PrnMinLeft;
    const float top = p.PrnMapTop - p.PrnMinTop;
    const auto pixels = [](float twips, float twipsPerPixel) {
        return ToInt32(static_cast<float>(CheckedDiv(twips, twipsPerPixel)));
    };
    const int32_t x1 = pixels(left * units, p.DevTwipsPerPixelX) - 1;
    const int32_t y1 = pixels(top * units, p.DevTwipsPerPixelY) - 1;
    const int32_t x2 = pixels((left + p.PrnMapWidth) * units, p.DevTwipsPerPixelX) + 3;
    const int32_t y2 = pixels(top * units + float(p.DrawHeightTwips), p.DevTwipsPerPixelY) + 3;
    if (!dc.Rectangle(x1, y1, x2, y2)) ApiError("Rectangle", 2);
}

// Points per grid interval: nLat along a meridian, nLon along a parallel.
void PointsPerInterval(int32_t& nLat, int32_t& nLon) {
    const DesignState& d = Design();
    const auto latCount = [&](int k) {
        if (std::fabs(d.LatNorth - d.LatSouth) > 0.0014 && d.NumLatDivisions < 6)
            return ToInt32(CheckedDiv(k, d.NumLatDivisions));
        return k == 24 ? 4 : 8;
    };
    // About 100 points over an azimuthal map's range; one interval less on
    // the whole-sphere equidistant and equal-area maps.
    const auto azimuthalCount = [&](int32_t spacingSec) {
        if (spacingSec == 0) Raise(kDivisionByZero);
        int32_t a = d.AzRangeSec / spacingSec + 1;
        if (ShowsWholeSphere(d.ProjCode) && d.AzRangeSec == d.ArcSec180 && a > 1) --a;
        const int32_t n = ToInt32(100.0f / static_cast<float>(a));
        return n == 0 ? 1 : n;
    };
    nLat = 0;
    nLon = 0;
    switch (GridDensityOf(d.ProjCode)) {
    case GridDensity::Straight: nLat = nLon = 1; break;
    case GridDensity::Conic:
        nLat = 1;
        nLon = d.NumLonDivisions < 12 ? ToInt32(CheckedDiv(48, d.NumLonDivisions)) : 4;
        break;
    case GridDensity::Hammer:
        nLat = latCount(24);
        nLon = std::fabs(d.FrameEast - d.FrameWest) > 0.0014 && d.NumLonDivisions < 6
                   ? ToInt32(CheckedDiv(24, d.NumLonDivisions))
                   : 4;
        break;
    case GridDensity::Robinson:
        nLat = latCount(24);
        nLon = 1;
        break;
    case GridDensity::Mollweide:
        nLat = latCount(48);
        nLon = 1;
        break;
    case GridDensity::Azimuthal:
        nLat = azimuthalCount(d.LatSpacingSec);
        nLon = azimuthalCount(d.LonSpacingSec);
        break;
    case GridDensity::None: break;
    }
}

// One grid pass: what it draws and where its ASCII output goes.
struct GridPassPlan {
    int16_t plotMode = SymLine;
    size_t asciiFile = 1;        // index into AscFileName
    double parallelSpacing = 0;  // degrees (UTM: metres)
    double meridianSpacing = 0;
    double latStep = 0;         // between the points of a meridian
    double lonStep = 0;         // between the points of a parallel
    int32_t parallelCount = 0;  // parallels 0 to parallelCount
};

// The grid passes of one drawing pass and their per-line state.
class GraticulePass {
public:
    GraticulePass() : d_(Design()), p_(Plot()), azimuthal_(IsAzimuthal(d_.ProjCode)), projector_(d_) {}

    // Draws one grid pass; false when a stop request ended it.
    bool Draw(const GridPassPlan& plan);

private:
    void OpenOutput(size_t asciiFile);
    void CloseOutput();
    bool BoundaryCircleLeftOut() const;
    void DrawBoundaryCircle();
    bool DrawParallels(const GridPassPlan& plan);
    bool DrawMeridians(const GridPassPlan& plan);
    void DrawMeridianPiece(const GridPassPlan& plan, double lon, double cosDLon, double sinDLon);
    void PlotPoint(double lat, double lon);
    void Emit();
    void EndLine();
    void ResetLine();
    bool YieldAndStop();

    DesignState& d_;
    PlotState& p_;
    const bool azimuthal_;
    DesignProjector projector_;  // the set-up of the pass
    bool outputOpen_ = false;
    GridLimits lim_;
    CapGeometry cap_;
    // Per line: drawing state, and whether the export's polyline has points
    // since it was last ended, or was ended at a gap with nothing after it.
    bool lineStarted_ = false;
    bool firstPending_ = true;
    bool sentSinceEnd_ = false;
    bool endedAtGap_ = false;
};

bool GraticulePass::Draw(const GridPassPlan& plan) {
    ResetLine();
    d_.PlotStatus = 0;
    p_.PlotMode = plan.plotMode;
    OpenOutput(plan.asciiFile);

    if (azimuthal_) {
        cap_ = AzGridPassLimits(lim_);
    } else {
        lim_ = GridLimits{d_.LatSouth, d_.LatNorth, d_.FrameWest, d_.FrameEast, false};
    }

    if (azimuthal_ && (p_.PlotMode == SymLine || d_.GridType == 4) && !BoundaryCircleLeftOut()) {
        DrawBoundaryCircle();
        EndLine();
        if (p_.PlotMode == SymLine && (d_.GridType == 1 || d_.GridType == 2)) {
            // The circle is the whole boundary.
            CloseOutput();
            return true;
        }
    }

    if (!DrawParallels(plan) || !DrawMeridians(plan)) return false;
    ResetLine();
    d_.PlotStatus = 0;
    CloseOutput();
    return true;
}

void GraticulePass::OpenOutput(size_t asciiFile) {
    RunFiles& files = Files();
    outputOpen_ = false;
    if (p_.OutAscii) {
        p_.CurOutFile = Item(p_.AscFileName, asciiFile);
        // Every lobe of a run goes into the same file.
        if (d_.FirstPass) {
            p_.RunAsciiFiles.push_back(p_.CurOutFile);
            files.CreateOutputText(p_.CurOutFile);
        } else {
            files.AppendOutputText(p_.CurOutFile);
        }
    } else if (p_.OutCgm) {
        files.OpenOutputBinary(p_.CgmFileName);
        files.SeekOutput(p_.CgmPos);
    } else if (p_.OutDxf) {
        files.AppendOutputText(p_.DxfFileName);
    } else if (!p_.OutWmf) {
        return;  // no export
    }
    outputOpen_ = true;
}

void GraticulePass::CloseOutput() {
    RunFiles& files = Files();
    if (outputOpen_ && files.OutputFailed()) throw ExportFailed{};
    files.CloseOutput();
}

// Around a polar centre whose outermost parallel lies on the boundary, the
// parallels of grid type 3 draw the circle already.
bool GraticulePass::BoundaryCircleLeftOut() const {
    if (std::fabs(d_.CentLat) != 90) return false;
    if (d_.LatSpacingSec == 0) Raise(kDivisionByZero);
    return d_.AzRangeSec % d_.LatSpacingSec == 0 && !HasTrait(d_.ProjCode, kViewpoint) && d_.GridType == 3 &&
           d_.AzRangeSec < d_.ArcSec180;
}

// The boundary circle of radius MapXMax about the projection's origin, 121
// points 3 degrees apart.
void GraticulePass::DrawBoundaryCircle() {
    p_.SegmentState = 3;
    for (int i = 0; i <= 120; ++i) {
        const double a = 3.0 * i * d_.DegToRad;
        d_.ProjOutX = d_.MapXMax * std::cos(a);
        d_.ProjOutY = d_.MapXMax * std::sin(a);
        Emit();
    }
}

bool GraticulePass::DrawParallels(const GridPassPlan& plan) {
    for (int32_t k = 0; k <= plan.parallelCount; ++k) {
        double lat = d_.LatSouth + k * plan.parallelSpacing;
        if (lat > d_.LatNorth) lat = d_.LatNorth;
        bool draw = lat >= lim_.LatLo - 0.000003 && lat <= lim_.LatHi;
        if (draw && lim_.CapClipping) {
            if (std::fabs(lat) == 90) draw = false;
            else AzParallelLimits(cap_, lim_, lat, std::cos(lat * d_.DegToRad));
        }
        if (draw) {
            if (azimuthal_ && IsDensifiedParallel(lat)) {
                // The western half, then its mirror image about the central meridian.
                std::vector<double>& list = LongitudeList();
                DensifiedParallel(lim_, lat, list);
                for (double lon : list) PlotPoint(lat, lon);
                for (size_t i = list.size() - 1; i-- > 0;) PlotPoint(lat, std::min(360.0, 360 - list[i]));
            } else {
                const int32_t n = ToInt32(CheckedDiv(lim_.LonHi - lim_.LonLo, plan.lonStep));
                for (int32_t i = 0; i <= n; ++i) {
                    double lon = lim_.LonLo + i * plan.lonStep;
                    if (lon > lim_.LonHi || i == n) lon = lim_.LonHi;
                    if (lon >= lim_.LonLo && lon <= lim_.LonHi) PlotPoint(lat, lon);
                }
            }
            EndLine();
        }
        if (YieldAndStop()) return false;
    }
    return true;
}

bool GraticulePass::DrawMeridians(const GridPassPlan& plan) {
    LongitudeList().clear();
    ResetLine();
    const double cm = d_.CentralMeridian;
    if (lim_.CapClipping) {
        lim_.LonLo = cm - cap_.H;
        lim_.LonHi = cm + cap_.H;
    }
    const int32_t count = ToInt32(CheckedDiv(d_.FrameEast - d_.FrameWest, plan.meridianSpacing));
    for (int32_t m = 0; m <= count; ++m) {
        double lon = d_.FrameWest + m * plan.meridianSpacing;
        if (lon > d_.FrameEast) lon = d_.FrameEast;
        if (lon >= lim_.LonLo && lon <= lim_.LonHi) {
            const double dLon = (lon - cm) * d_.DegToRad;
            const double cosDLon = std::cos(dLon);
            const double sinDLon = std::sin(dLon);
            bool draw = true;
            MeridianPieces pieces;
            if (lim_.CapClipping) {
                // On an equatorial hemisphere the meridians 90 degrees off only touch the boundary.
                if (std::fabs(lon - cm) == 90 && d_.AzRangeSec == d_.ArcSec180 / 2 && d_.CentLat == 0) draw = false;
                else pieces = AzMeridianLimits(cap_, lim_, lon, cosDLon);
            }
            if (draw) {
                DrawMeridianPiece(plan, lon, cosDLon, sinDLon);
                EndLine();
                ResetLine();
                d_.PlotStatus = 0;
                if (pieces.Split) {
                    lim_.LatHi = pieces.LowerPieceLimit;
                    lim_.LatLo = -90;
                    DrawMeridianPiece(plan, lon, cosDLon, sinDLon);
                    EndLine();
                }
            }
        }
        if (YieldAndStop()) return false;
    }
    return true;
}

void GraticulePass::DrawMeridianPiece(const GridPassPlan& plan, double lon, double cosDLon, double sinDLon) {
    if (azimuthal_) {
        DirectionWalk walk;
        if (MakeDirectionWalk(lim_, lon, lon - d_.CentralMeridian, cosDLon, sinDLon, walk)) {
            for (int32_t i = 0; i <= walk.N; ++i) PlotPoint(DirectionWalkLat(walk, lim_, i, cosDLon, sinDLon), lon);
            return;
        }
        double lat1 = 0, lat2 = 0, drawLon = lon;
        if (TwoPointMeridian(lim_, lon, lat1, lat2, drawLon)) {
            PlotPoint(lat1, drawLon);
            PlotPoint(lat2, drawLon);
            return;
        }
    }
    const int32_t n = ToInt32(CheckedDiv(lim_.LatHi - lim_.LatLo, plan.latStep));
    for (int32_t i = 0; i <= n; ++i) {
        double lat = lim_.LatLo + i * plan.latStep;
        if (lat > lim_.LatHi || i == n) lat = lim_.LatHi;
        PlotPoint(lat, lon);
    }
}

void GraticulePass::PlotPoint(double lat, double lon) {
    d_.ProjInLat = lat;
    d_.ProjInLon = lon;
    projector_.Project();
    if (!azimuthal_) {
        d_.PlotStatus = firstPending_ ? 1 : 0;
        firstPending_ = false;
        Emit();
        return;
    }
    // The antipode of a whole-sphere map lies on its boundary circle, in no
    // one place: it is never drawn.
    if (d_.AzRangeSec == d_.ArcSec180 && lat == -d_.CentLat && (lon == 0 || lon == 360)) d_.PlotStatus = 2;
    if (d_.PlotStatus == 2) {
        // Beyond the visibility limit: the line breaks here, on the surface
        // and in the export, so that no chord crosses the hidden part.
        if (sentSinceEnd_) {
            PrintLineBrkDisk();
            sentSinceEnd_ = false;
            endedAtGap_ = true;
        }
        lineStarted_ = false;
        d_.PlotStatus = 0;
        return;
    }
    if (d_.PlotStatus == 0 && !lineStarted_) {
        // The first visible point starts a line and is then drawn on from.
        lineStarted_ = true;
        d_.PlotStatus = 1;
        Emit();
        d_.PlotStatus = 0;
        Emit();
    } else {
        lineStarted_ = true;
        d_.PlotStatus = 0;
        Emit();
    }
}

void GraticulePass::Emit() {
    PrintToScreen();
    if (outputOpen_) {
        ScaleXY();
        sentSinceEnd_ = true;
        endedAtGap_ = false;
    }
}

// Ends the line in the export, unless a gap has just ended it.
void GraticulePass::EndLine() {
    if (outputOpen_ && !endedAtGap_) PrintLineBrkDisk();
    sentSinceEnd_ = false;
    endedAtGap_ = false;
}

void GraticulePass::ResetLine() {
    lineStarted_ = false;
    firstPending_ = true;
    sentSinceEnd_ = false;
    endedAtGap_ = false;
}

// After every line: yield, and tell whether a stop request came.
bool GraticulePass::YieldAndStop() {
    ResetLine();
    d_.PlotStatus = 0;
    DoEvents();
    if (d_.PlotStopText == kEscape) return true;
    if (outputOpen_ && Files().OutputFailed()) throw ExportFailed{};
    return false;
}

// The grid passes of GridType; false when a stop request ended them.
bool DrawGridPasses() {
    const DesignState& d = Design();
    int32_t nLat = 0, nLon = 0;
    PointsPerInterval(nLat, nLon);
    const double latStep = CheckedDiv(d.LatSpacing, nLat);
    const double lonStep = CheckedDiv(d.LonSpacing, nLon);
    const double latSpan = d.LatNorth - d.LatSouth;
    const double lonSpan = d.FrameEast - d.FrameWest;
    // A spacing of the whole span gives the two boundary lines.
    const GridPassPlan boundaryLines{
        SymLine, 1, latSpan, lonSpan, latStep, lonStep, ToInt32(CheckedDiv(latSpan, latSpan))};
    // The last parallel interval of a lobe may be shorter: NumLatDivisions
    // counts it, and the last parallel is put on LatNorth.
    const GridPassPlan gridLines{SymLine, 1, d.LatSpacing, d.LonSpacing, latStep, lonStep, d.NumLatDivisions};
    const GridPassPlan gridPoints{SymDot, 1, d.LatSpacing, d.LonSpacing, d.LatSpacing, d.LonSpacing, d.NumLatDivisions};
    switch (d.GridType) {
    case 1: {
        GridPassPlan boundary = boundaryLines;
        boundary.asciiFile = 2;
        if (!GraticulePass().Draw(boundary)) return false;
        return GraticulePass().Draw(gridPoints);
    }
    case 2: return GraticulePass().Draw(boundaryLines);
    case 3: return GraticulePass().Draw(gridLines);
    case 4: return GraticulePass().Draw(gridPoints);
    default: return true;  // no grid
    }
}

}  // namespace

void PlotGrid() {
    DesignState& d = Design();
    PlotState& p = Plot();
    try {
        LongitudeList().clear();
        if (d.FirstPass) p.CurOutFile.clear();
        p.GeographicInput = false;

        PrintFileHeader();
        if (d.PlotStopText == kGridDiskError) {
            ReleasePen(3);
            return;
        }

        ChooseDrawDevice();
        Surface& dc = *p.DrawDC;

        {
            // The background gets no outline: a null pen.
            BackgroundBrush brush(dc);
            p.CurColor = d.GridColor;
            p.PenWidth = 1;
            ReleasePen(1);
            CreatePen(PenStyle::Null, 1);
            if (d.FirstPass) DrawBackground(dc);
            brush.Release();
        }

        p.CurColor = d.GridColor;
        p.PenWidth = ToInt32(static_cast<float>(CheckedDiv(float(d.GridLineWidth), d.TwipsPerPixelY)));
        ReleasePen(2);
        CreatePen(PenStyle::Solid, 2);

        DrawGridPasses();
    } catch (const ExportFailed&) {
        // The write failure has been shown; what the run wrote goes.
        d.PlotStopText = kGridDiskError;
        DiscardFailedExport();
        ReleasePen(4);
        return;
    } catch (const RuntimeError& e) {
        // The run ends here; the files it would have replaced stay as they were.
        d.PlotStopText = kGridDiskError;
        DiscardFailedExport();
        ShowProcError("PlotGrid", e.what());
        ReleasePen(4);
        return;
    }
    ReleasePen(3);
}

}  // namespace tlrx
