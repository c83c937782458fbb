#include "plot/export/ExportRouting.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>

#include "core/DesignState.h"
#include "core/Errors.h"
#include "plot/PlotState.h"
#include "plot/RunFiles.h"
#include "plot/export/CgmWriter.h"
#include "plot/export/DxfWriter.h"
#include "plot/export/WmfWriter.h"

namespace tlrx {

namespace {

// Appends v with seven decimals and at least minDigits digits before the point.
char* AppendFixed(char* out, char* end, double v, int minDigits) {
    if (!std::isfinite(v)) Raise(kOverflow);
    char digits[340];
    const auto [last, ec] = std::to_chars(digits, digits + sizeof digits, std::fabs(v), std::chars_format::fixed, 7);
    if (ec != std::errc{}) Raise(kOverflow);
    const size_t length = static_cast<size_t>(last - digits);
    const bool zero = std::all_of(digits, last, [](char c) { return c == '0' || c == '.'; });
    const auto point = static_cast<int>(std::find(digits, last, '.') - digits);
    const size_t pad = point < minDigits ? static_cast<size_t>(minDigits - point) : 0;
    if (static_cast<size_t>(end - out) < length + pad + 1) Raise(kOverflow);
    if (v < 0 && !zero) *out++ = '-';
    for (size_t i = 0; i < pad; ++i) *out++ = '0';
    std::memcpy(out, digits, length);
    return out + length;
}

// Selects the WMF polyline's pen back out of the metafile and deletes it;
// site is the call-site number of the message.
void ReleaseMetafilePen(Surface& dc, PlotState& p, GdiObject kept, int site) {
    if (kept != 0) dc.SelectObject(kept);
    if (p.MetafilePen != 0) {
        if (!dc.DeleteObject(p.MetafilePen))
            ShowApiError("DeleteObject(" + std::to_string(site) + ") error in PrintLineBrkDisk");
        p.MetafilePen = 0;
    }
}

Surface& Metafile(const PlotState& p) {
    if (p.MetafileDC == nullptr) Raise(kInvalidCall);
    return *p.MetafileDC;
}

// Draws the collected points as one polyline into the metafile; kept
// receives the object the pen replaced.
void DrawWmfPolyline(PlotState& p, GdiObject& kept) {
    if (p.PlotMode != SymLine) return;  // symbols went into the metafile at once
    Surface& dc = Metafile(p);
    if (p.PolyPointCount == 1) {
        // A one-point line is drawn from the point to itself.
        p.WmfPoints.resize(3);
        p.WmfPoints[2] = p.WmfPoints[1];
        p.PolyPointCount = 2;
    }
    if (p.MetafilePen != 0 && !dc.DeleteObject(p.MetafilePen))
        ShowApiError("DeleteObject(1) error in PrintLineBrkDisk");
    p.MetafilePen = dc.CreatePen(PenStyle::Solid, p.WmfPolyWidth, static_cast<Rgb>(p.WmfPolyColor));
    if (p.MetafilePen == 0) ShowApiError("CreatePen(1) error in PrintLineBrkDisk");
    else kept = dc.SelectObject(p.MetafilePen);
    // A line whose points all lay beyond the visibility limit has nothing to draw.
    if (p.PolyPointCount > 0) {
        if (p.WmfPoints.size() <= static_cast<size_t>(p.PolyPointCount)) Raise(kSubscriptOutOfRange);
        if (!dc.Polyline(p.WmfPoints.data() + 1, p.PolyPointCount))
            ShowApiError("Polyline(1) error in PrintLineBrkDisk");
    }
    ReleaseMetafilePen(dc, p, kept, 2);
    kept = 0;
    p.WmfPoints.assign(2, DevPoint{});
}

}  // namespace

AsciiLine FormatAsciiLine(double x, double y) {
    AsciiLine line;
    char* out = line.text.data();
    char* const end = out + line.text.size();
    out = AppendFixed(out, end, x, 1);
    *out++ = ' ';
    *out++ = ' ';
    out = AppendFixed(out, end, y, 2);
    line.size = static_cast<size_t>(out - line.text.data());
    return line;
}

void ScaleXY() {
    const DesignState& d = Design();
    PlotState& p = Plot();
    try {
        if (p.OutAscii) {
            ++p.PolyPointCount;
            RunFiles& files = Files();
            // The failure of this file has been reported once already.
            if (files.OutputFailed()) return;
            const AsciiLine line =
                FormatAsciiLine((d.ProjOutX - d.MapXMin) * p.AsciiScale, (d.ProjOutY - d.MapYMin) * p.AsciiScale);
            files.WriteLine(line.View());
        } else if (p.OutCgm) {
            CgmWrite();
        } else if (p.OutDxf) {
            DxfWrite();
        } else if (p.OutWmf) {
            WmfWrite();
        }
    } catch (const RuntimeError& e) {
        ShowProcError("ScaleXY", e.what());
    }
}

void PrintLineBrkDisk() {
    DesignState& d = Design();
    PlotState& p = Plot();
    GdiObject kept = 0;
    try {
        if (p.OutCgm) {
            CgmPolylineEnd();
        } else if (p.OutDxf) {
            if (p.PlotMode == SymLine && !p.DxfNoPolyline) DxfPolylineTerminate();
        } else if (p.OutWmf) {
            DrawWmfPolyline(p, kept);
        } else if (p.OutAscii) {
            // The projected point whose output is (5, 5): the pen-up marker.
            d.ProjOutX = CheckedDiv(5, p.AsciiScale) + d.MapXMin;
            d.ProjOutY = CheckedDiv(5, p.AsciiScale) + d.MapYMin;
            ScaleXY();
            p.PolyPointCount = 0;
            return;
        } else {
            return;
        }
        p.NewPolyline = true;
        p.PolyPointCount = 0;
    } catch (const RuntimeError& e) {
        ShowProcError("PrintLineBrkDisk", e.what());
        if (p.OutWmf && p.MetafileDC != nullptr) ReleaseMetafilePen(*p.MetafileDC, p, kept, 3);
    }
}

void PrintFileHeader() {
    const DesignState& d = Design();
    PlotState& p = Plot();
    if (!d.FirstPass) return;
    try {
        if (p.OutCgm) {
            CgmHeader();
        } else if (p.OutDxf) {
            DxfHeader();
        } else if (p.OutWmf) {
            p.CurOutFile = p.WmfFileName;
            p.SymbolRadiusOut = 2;
        }
    } catch (const RuntimeError& e) {
        Design().PlotStopText = "GridDiskError";
        ShowProcError("PrintFileHeader", e.what());
    }
}

}  // namespace tlrx
