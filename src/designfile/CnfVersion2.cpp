// The reader of version 2 design files, and what version 1 shares with it:
// the standard colours and the feature rows moved in MAP, ALL and CCI files.

#include <array>
#include <cstdint>
#include <string>

#include "core/DesignState.h"
#include "core/Errors.h"
#include "core/NumberText.h"
#include "core/Palette.h"
#include "core/PrintUnits.h"
#include "core/SharedRoutines.h"
#include "designfile/CnfOld.h"
#include "designfile/CnfOldInput.h"

namespace tlrx {

using namespace oldcnf;

namespace {

// The fit of a saved drawing area w0 by h0 into the present one, w1 by h1:
// scaled by the smaller of w1 / w0 and h1 / h0, centred where it falls short.
struct AreaFit {
    float factor = 1;
    int32_t offsetX = 0;
    int32_t offsetY = 0;
};

AreaFit FitArea(double w0, double h0, double w1, double h1) {
    const double a0 = CheckedDiv(h0, w0);
    const double a1 = CheckedDiv(h1, w1);
    const double r = CheckedDiv(a0, a1);
    AreaFit fit;
    if (r >= 1) {
        fit.factor = static_cast<float>(h1 / h0);
        fit.offsetX = ToInt32((w1 - w0 * double(fit.factor)) / 2);
    } else {
        fit.factor = static_cast<float>(h1 * r / h0);
        fit.offsetY = ToInt32(h1 * (1 - r) / 2);
    }
    return fit;
}
}  // namespace

int32_t StandardColor(int32_t number) {
    if (number < 0 || number > 15) Raise(kSubscriptOutOfRange);
    return Item(PaletteColors(), number) & ~kPaletteFlag;
}

void MoveOldFeatureRows(DesignState& d) {
    const auto fresh = [&d](int32_t color) {
        const int16_t pixel = ToInt16(d.TwipsPerPixelY);
        return FeatureSymbology{false, PaletteRgb(color), pixel, ToInt16(3 * double(d.TwipsPerPixelY)), pixel};
    };
    for (int i = 1; i <= d.NumInputFiles; ++i) {
        if (GeofeatureTableOf(d.InputFileName(i)) != GeofeatureTable::MwdbFeatures) continue;
        d.Feature(9, i) = d.Feature(6, i);               // United States
        d.Feature(6, i) = d.Feature(8, i);               // Australia
        d.Feature(8, i) = fresh(RgbColor(255, 0, 255));  // Mexico
        d.Feature(10, i) = fresh(RgbColor(128, 0, 0));   // other provinces and states
    }
}

OldDrawingArea ReadVersion2(ListInput& li, int16_t version, CnfRecord& r, float scaleWidth, float scaleHeight) {
    OldInput in(li);
    DesignState& d = r.d;
    PlotState& p = r.p;

    d.ProjCode = in.Integer("projection code");
    d.GridTypeText = in.Text("grid type text");
    d.GridType = in.Integer("grid type");
    in.Check(d.GridType >= 1 && d.GridType <= 5, "Grid type outside 1 to 5");
    in.Single("twips per pixel across");
    in.Single("twips per pixel down");
    const float w0 = in.Single("drawing area width");
    in.Check(w0 > 0, "Size of zero or less");
    const float h0 = in.Single("drawing area height");
    in.Check(h0 > 0, "Size of zero or less");
    in.Integer("screen width");
    in.Integer("screen height");
    p.MapFillFraction = ReadFillFraction(in, false);
    const AreaFit fit = Fitting([&] { return FitArea(w0, h0, scaleWidth, scaleHeight); });
    const double f = fit.factor;

    d.BackColor = PaletteRgb(in.Long("background colour"));
    d.GridColor = PaletteRgb(in.Long("grid colour"));
    d.DisplayLabels = in.Flag("label display flag");
    p.PrnMapTop = in.Single("printed map top margin");
    p.PrnMapLeft = in.Single("printed map left margin");
    p.PrnMapWidth = in.Single("printed map width");
    p.PrnMapHeight = in.Single("printed map height");
    p.PrnCenterHorizontal = in.Flag("horizontal centring flag");
    p.PrnCenterVertical = in.Flag("vertical centring flag");
    d.RptMarginTop = in.Single("report top margin");
    d.RptMarginLeft = in.Single("report left margin");
    p.PrinterUnits = in.Integer("print units");
    in.Check(IsPrintUnits(p.PrinterUnits), "Print units other than 1440 and 567");
    d.RptFontName = in.Text("report font name");
    d.RptFontColor = PaletteRgb(in.Long("report font colour"));
    d.RptFontSize = in.Integer("report font size");
    d.RptFontBold = in.Flag("report font bold flag");
    d.RptFontItalic = in.Flag("report font italic flag");
    d.RptFontUnderline = in.Flag("report font underline flag");
    d.RptFontStrikethru = in.Flag("report font strikeout flag");
    d.ConicN = in.Double("projection constant n");
    d.ConicC = in.Double("projection constant C");
    d.ConicF = in.Double("projection constant F");
    d.ConicG = in.Double("projection constant G");
    d.ConicRho0 = in.Double("projection constant rho0");
    p.GridOutputCount = in.Integer("number of grid outputs");
    in.Check(p.GridOutputCount >= 0 && p.GridOutputCount <= 2, "Number of grid outputs outside 0 to 2");
    d.NumInputFiles = in.Integer("number of input files");
    // A file takes 3 + 3 per feature class + 7 fields, and its ASCII output name.
    in.Count(d.NumInputFiles, 11 + 3 * d.NumGeoFeatures, "input files");

    const int16_t files = d.NumInputFiles;
    d.InputFiles.clear();
    d.ResizeInputFiles(files);
    p.AscFileName.assign(static_cast<size_t>(p.GridOutputCount + files) + 1, {});
    const double tppY = d.TwipsPerPixelY;
    for (int i = 1; i <= files; ++i) {
        d.InputFileName(i) = in.Text(OfFile("path", i));
        const std::string sizeText = in.Text(OfFile("symbol size", i));
        d.InputFileSymbolType(i) = in.Integer(OfFile("symbol type", i));
        CheckSymbolType(in, d.InputFileSymbolType(i));
        // One symbol size per file, fitted and made whole pixels, at least one.
        const int16_t radius = in.Convert([&] {
            int16_t n = ToInt16(LeadingNumber(sizeText) * f / tppY);
            if (n == 0) n = 1;
            return ToInt16(static_cast<float>(n * tppY));
        });
        const int16_t pixel = ToInt16(tppY);
        for (int j = 1; j <= d.NumGeoFeatures; ++j) {
            const std::string of = " of feature class " + std::to_string(j) + " of input file " + std::to_string(i);
            FeatureSymbology& s = d.Feature(j, i);
            s.Selected = in.Flag("selection flag" + of);
            s.Color = StandardPaletteColor(in, in.Long("colour number" + of));
            s.LineWidth = in.Integer("line width" + of);
            s.SymbolRadius = radius;
            s.BorderWidth = pixel;
        }
        d.InputFileLabelFontName(i) = in.Text(OfFile("label font name", i));
        const int16_t size = in.Integer(OfFile("label font size", i));
        d.InputFileLabelFontSize(i) = in.Convert([&] { return ToInt16(size * f); });
        d.InputFileLabelFontColor(i) = PaletteRgb(in.Long(OfFile("label font colour", i)));
        d.InputFileLabelFontBold(i) = in.Flag(OfFile("label font bold flag", i));
        d.InputFileLabelFontItalic(i) = in.Flag(OfFile("label font italic flag", i));
        d.InputFileLabelFontUnderline(i) = in.Flag(OfFile("label font underline flag", i));
        d.InputFileLabelFontStrikethru(i) = in.Flag(OfFile("label font strikeout flag", i));
    }
    for (int k = 1; k <= p.GridOutputCount + files; ++k)
        Item(p.AscFileName, k) = in.Text(Numbered("ASCII output name", k));

    p.BmpFileName = in.Text("BMP file path");
    p.CgmFileName = in.Text("CGM file path");
    p.DxfFileName = in.Text("DXF file path");
    in.Text("fourth path");
    p.WmfFileName = in.Text("WMF file path");
    p.CnfFileName = in.Text("design file path");
    p.GcFileName = in.Text("great circle file path");
    for (int k = 0; k < 10; ++k) d.BoundsText[static_cast<size_t>(k)] = in.Text(Numbered("boundary text", k));
    for (int k = 0; k < 2; ++k) d.StdParText[static_cast<size_t>(k)] = in.Text(Numbered("standard parallel text", k));
    ReadBoundaryFields(in, d);
    ReadBoundarySeconds(in, d);
    d.AzRangeSec = in.Long("azimuthal range in arc-seconds");
    d.VpP = in.Double("perspective point distance");
    ReadMapExtent(in, d, p);

    d.UtmSpheroidName = in.Text("spheroid name");
    if (d.UtmSpheroidName == "GRS80 1980") d.UtmSpheroidName = "WGS84 1984";
    ReadUtmParameters(in, d);
    d.UtmFlattening = in.Double("UTM flattening");
    for (int k = 0; k < 11; ++k)
        d.UtmText[static_cast<size_t>(k)] =
            k == 4 ? in.DecimalText(Numbered("UTM text", k)) : in.Text(Numbered("UTM text", k));

    for (int k = 0; k < 4; ++k)
        d.GcEndText[static_cast<size_t>(k)] = in.Text(Numbered("great circle end point text", k));
    r.greatCircleEndsAt = ReadGreatCircleEnds(in, d);
    d.GcDefined = in.Flag("great circle flag");
    d.GcColor = PaletteRgb(in.Long("great circle colour"));
    d.GcLineWidth = in.Integer("great circle line width");
    d.VectorTextScale = in.Integer("text scale of vector exports");
    d.NumTextItems = in.Long("number of text items");
    // A text item takes 14 fields (15 from 2.04 on), each at least a byte.
    in.Count(d.NumTextItems, 14, "text items");

    FreshTextItems(d, d.NumTextItems);
    for (int t = 1; t <= d.NumTextItems; ++t) {
        const auto k = static_cast<size_t>(t);
        const auto of = [t](std::string_view what) { return std::string(what) + " of text item " + std::to_string(t); };
        TextItem& item = d.TextItems[k];
        bool shorter = false;
        item.TextItemText = in.InnerLine(of("text"), shorter);
        in.Check(!shorter, "Text line shorter than its two quotes");
        const int16_t rotation = in.Integer(of("rotation"));
        const int32_t color = in.Long(of("colour"));
        const int16_t size = in.Integer(of("font size"));
        item.TextItemRotation = rotation;
        item.TextItemColor = PaletteRgb(color);
        item.TextItemFontName = in.Text(of("font name"));
        item.TextItemBold = in.Flag(of("bold flag"));
        item.TextItemItalic = in.Flag(of("italic flag"));
        item.TextItemUnderline = in.Flag(of("underline flag"));
        item.TextItemStrikethru = in.Flag(of("strikeout flag"));
        const int16_t width = in.Integer(of("character width"));
        const int16_t ascent = in.Integer(of("ascent"));
        const int32_t x = in.Long(of("x"));
        const int16_t descent = in.Integer(of("descent"));
        const int32_t y = in.Long(of("y"));
        if (version > 203) item.TextItemFromLabel = in.Flag(of("label flag"));
        in.Convert([&] {
            item.TextItemFontSize = ToInt16(size * f);
            item.TextItemX = ToInt32(f * x + fit.offsetX);
            item.TextItemY = ToInt32(f * y + fit.offsetY);
            item.TextItemCharWidth = ToInt16(width * f);
            item.TextItemAscent = ToInt16(ascent * f);
            item.TextItemDescent = ToInt16(descent * f);
        });
    }
    return {w0, h0};
}

}  // namespace tlrx
