// ConstantDefs: the start-up values of the design state, in the order the
// fields depend on each other.

#include <cmath>
#include <string>

#include "core/AngleText.h"
#include "core/DesignState.h"
#include "core/Errors.h"
#include "platform/ScreenMetrics.h"

#ifndef TLRX_VERSION_MAJOR
#define TLRX_VERSION_MAJOR 3
#endif
#ifndef TLRX_VERSION_MINOR
#define TLRX_VERSION_MINOR 1
#endif

namespace tlrx {

namespace {

// "3.01": the major number, a point and the minor number in at least two digits.
std::string MakeVersionString(int major, int minor) {
    std::string minorText = std::to_string(minor);
    if (minorText.size() < 2) minorText.insert(0, 2 - minorText.size(), '0');
    return std::to_string(major) + "." + minorText;
}

// The classic 16-colour table, cells 0 to 15.
constexpr int32_t kClassicColors[16] = {
    RgbColor(0, 0, 0),       RgbColor(0, 0, 128),   RgbColor(0, 128, 0),   RgbColor(0, 128, 128),
    RgbColor(128, 0, 0),     RgbColor(128, 0, 128), RgbColor(128, 128, 0), RgbColor(192, 192, 192),
    RgbColor(128, 128, 128), RgbColor(0, 0, 255),   RgbColor(0, 255, 0),   RgbColor(0, 255, 255),
    RgbColor(255, 0, 0),     RgbColor(255, 0, 255), RgbColor(255, 255, 0), RgbColor(255, 255, 255),
};

}  // namespace

void ConstantDefs() {
    DesignState& d = Design();
    try {
        // The version first: the design file and the exports' headers carry it.
        d.VersionString = MakeVersionString(TLRX_VERSION_MAJOR, TLRX_VERSION_MINOR);

        // Flags and fixed values.
        d.DisplayLabels = true;
        d.Sqrt2 = std::sqrt(2.0);
        d.VectorTextScale = 100;
        d.ProjDefined.assign(ProjCodeBound, false);
        d.NumGeoFeatures = 72;
        d.UtmSpheroidName = "Clarke 1866";
        d.ApiErrorTitle = "Windows API Error";
        d.EmptyString.clear();

        // Screen metrics, read once.
        const ScreenInfo& screen = GetScreenInfo();
        d.ScreenWidthPx = screen.widthPx;
        d.ScreenHeightPx = screen.heightPx;
        d.FullScreenWidthPx = screen.fullWidthPx;
        d.FullScreenHeightPx = screen.fullHeightPx;
        d.TwipsPerPixelX = screen.twipsPerPixelX;
        d.TwipsPerPixelY = screen.twipsPerPixelY;

        // Line widths and the placement step are stored in twips of this screen.
        d.GridLineWidth = ToInt16(d.TwipsPerPixelY);
        d.GcLineWidth = ToInt16(3 * d.TwipsPerPixelY);
        d.ScLineWidth = ToInt16(3 * d.TwipsPerPixelY);
        d.TextStep = ToInt16(10 * d.TwipsPerPixelY);
        d.LineWidthScaling = true;
        d.ScCount = 3;

        // Arc-second constants, pi and its derivatives.
        d.ArcSec360 = 1296000;
        d.ArcSec340 = 1224000;
        d.ArcSec180 = 648000;
        d.SecPerDeg = 3600;
        d.MinPerDeg = 60;
        d.Pi = 3.14159265358979;
        d.PiOver4 = d.Pi / 4;
        d.DegToRad = d.Pi / 180;
        d.HalfDegToRad = d.Pi / 360;

        // Report font, map extent, projection.
        d.RptFontSize = 10;
        d.RptFontColorIndex = 0;
        d.MapXMin = 0;
        d.MapXMax = 1;
        d.MapYMin = 0;
        d.MapYMax = 1;
        d.RelMapWidth = 1;
        d.ProjName = "Equirectangular";
        d.ProjCode = ProjEquirectangular;

        // Palette cells, then the colours of those cells.
        d.BackColorIndex = 15;
        d.GridColorIndex = 0;
        d.GcColorIndex = 9;
        d.ScColorIndex = 9;
        d.BackColor = kClassicColors[d.BackColorIndex];
        d.GridColor = kClassicColors[d.GridColorIndex];
        d.GcColor = kClassicColors[d.GcColorIndex];
        d.ScColor = kClassicColors[d.ScColorIndex];

        // Graticule style and input files.
        d.GridTypeText = " All grid points connected by lines";
        d.GridType = 3;
        d.NumInputFiles = 1;

        // The default great circle route and small circles.
        d.GcStartLat = 37.7833;
        d.GcStartLon = -122.4333;
        d.GcEndLat = 29.3333;
        d.GcEndLon = 47.9833;
        d.GcEndText = {"37    47    00    N", "122    26    00    W", "29    20    00    N", "047    59    00    E"};
        d.ScText = {"37    47    00    N", "122    26    00    W", "015    00    00"};
        d.ScRadius = DmsFieldValue(d.ScText[2], 1, 3) + DmsFieldValue(d.ScText[2], 8, 2) / d.MinPerDeg +
                     DmsFieldValue(d.ScText[2], 14, 2) / d.SecPerDeg;

        // 10. Standard parallels and UTM texts.
        d.StdParText = {"00    00    00    N", "00    00    00    N"};
        // clang-format off
        d.UtmText = {"009    00    00    W", "00    00    00    N", "0500000",  "00000000",
                     "0.9996",              "06200000",            "05600000", "00100000",
                     "0300000",             "0800000",             "0100000"};
        // clang-format on

        // 11. Text items, label fonts, font sizes.
        ResizeTextItems(1);
        if (d.InputFiles.size() < 2) d.InputFiles.resize(2);
        // clang-format off
        d.FontSizes = {8,  9,  10, 11, 12, 14, 16, 18,  20,  22,  24, 26,
                       28, 36, 48, 60, 72, 84, 96, 108, 120, 132, 144};
        // clang-format on
    } catch (const RuntimeError& e) {
        ShowProcError("ConstantDefs", e.what());
    }
}

}  // namespace tlrx
