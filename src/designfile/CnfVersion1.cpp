// The reader of version 1 design files (and of files without a header) and
// the conversion of their feature rows, text slots and colour codes.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

#include "core/DesignState.h"
#include "core/Errors.h"
#include "core/NumberText.h"
#include "core/SharedRoutines.h"
#include "designfile/CnfOld.h"
#include "designfile/CnfOldInput.h"

namespace tlrx {

using namespace oldcnf;

namespace {

// Old feature rows of one input-file slot: a selection flag and a colour
// number per row (element 0 used by the stored rows of files before 1.50).
struct OldRows {
    std::array<int16_t, 9> mwdbSelected{}, mwdbColor{};
    std::array<int16_t, 42> wdb2Selected{}, wdb2Color{};
    std::array<int16_t, 81> dlgSelected{}, dlgColor{};
    int16_t otherSelected = 0, otherColor = 0;
};

// What a version 1 file leaves for its conversion.
struct OldTables {
    std::array<int16_t, 10> symbolRadius{};  // twips, per slot
    std::array<int16_t, 10> fileColorCode{};
    std::array<OldRows, 10> rows;
    std::string textFontName;
};

// Font size codes 1 to 6: point size, ascent and line height in old pixels.
struct OldFont {
    int16_t points;
    int16_t ascent;
    int16_t height;
};
constexpr std::array<OldFont, 6> kOldFonts = {
    {{8, 11, 13}, {10, 13, 16}, {12, 16, 20}, {14, 19, 24}, {18, 23, 29}, {24, 29, 37}}};

// A code outside the table is a point size of its own.
int16_t OldPointSize(int16_t code) {
    return code >= 1 && code <= 6 ? kOldFonts[static_cast<size_t>(code - 1)].points : code;
}

// The metrics of a code outside the table are those of the 12-point row
// scaled to its point size.
OldFont OldFontOf(int16_t code) {
    if (code >= 1 && code <= 6) return kOldFonts[static_cast<size_t>(code - 1)];
    return {code, ToInt16(code * 16.0 / 12), ToInt16(code * 20.0 / 12)};
}

// Files before 1.40 numbered the colour codes 1 to 6 otherwise.
int16_t RenumberOldColorCode(int16_t code) {
    static constexpr std::array<int16_t, 7> kNew = {0, 16, 11, 12, 13, 14, 15};
    return code >= 1 && code <= 6 ? kNew[static_cast<size_t>(code)] : code;
}

// Projection names of version 1 files; the first match wins.
constexpr std::array<std::pair<std::string_view, std::string_view>, 13> kOldProjNames = {{
    {"NORMAL MERCATOR", "Mercator"},
    {"EQUIRECTANGULAR", "Equirectangular"},
    {"HAMMER EQUAL-AREA", "Hammer Equal-Area"},
    {"ROBINSON", "Robinson"},
    {"EQUIDISTANT CONIC", "Equidistant Conic"},
    {"CONFORMAL CONIC", "Conformal Conic"},
    {"ALBERS EQUAL-AREA", "Albers Equal-Area"},
    {"GNOMONIC", "Gnomonic Azimuthal"},
    {"STEREOGRAPHIC", "Stereographic Azimuthal"},
    {"ORTHOGRAPHIC", "Orthographic Azimuthal"},
    {"VERTICAL PERSPECTIVE", "Vertical Perspective Azimuthal"},
    {"AZIMUTHAL EQUIDISTANT", "Azimuthal Equidistant"},
    {"AZIMUTHAL EQUAL-AREA", "Azimuthal Equal-Area"},
}};

// Old symbol types 3 to 11 in the present numbering; others stay.
int16_t RenumberOldSymbolType(int16_t type) {
    static constexpr std::array<int16_t, 12> kNew = {0, 1, 2, 5, 6, 7, 8, 9, 10, 3, 12, 11};
    return type >= 3 && type <= 11 ? kNew[static_cast<size_t>(type)] : type;
}

// The fields of one angle joined into its degree/minute/second text.
std::string JoinedAngle(OldInput& in, std::string_view what, int parts) {
    std::string text;
    for (int k = 0; k < parts; ++k) {
        if (k > 0) text += "    ";
        text += in.Text(std::string(what) + " part " + std::to_string(k + 1));
    }
    return text;
}

// The present feature class of old row `row` of a PKD or PKV file; 0: none.
int Wdb2Class(int row) {
    if (row <= 13) return row;
    if (row <= 18) return row - 1;
    if (row <= 20) return 0;
    if (row <= 31) return row - 3;
    if (row == 32) return 0;
    if (row <= 34) return row - 4;
    if (row == 35) return 0;
    return row - 5;
}

// The same for old rows 1 to 80 of a GRF or GRV file.
int DlgClass(int row) {
    // Each old row without a class shifts the later ones down by one more.
    static constexpr std::array<int, 8> kGaps = {25, 38, 50, 56, 67, 71, 75, 79};
    int shift = 0;
    for (int gap : kGaps) {
        if (row == gap) return 0;
        if (row > gap) ++shift;
    }
    return row - shift;
}

// Feature classes of the input files from the old rows; text items packed;
// the per-file lists trimmed to the files the design names.
void ConvertVersion1(DesignState& d, PlotState& p, const OldTables& old) {
    d.BackColor = PaletteRgb(d.BackColor);
    d.GridColor = PaletteRgb(d.GridColor);
    d.GcColor = PaletteRgb(d.GcColor);

    const int16_t files = d.NumInputFiles;
    d.InputFiles.resize(static_cast<size_t>(files) + 1);
    p.AscFileName.resize(static_cast<size_t>(p.GridOutputCount + files) + 1);
    for (int i = 1; i <= files; ++i) d.InputFileLabelFontName(i) = old.textFontName;

    // The items close up over the empty slots and all take the design's one
    // text font, without styles.
    int32_t n = 0;
    for (size_t k = 1; k < d.TextItems.size(); ++k) {
        if (d.TextItems[k].TextItemText.empty()) continue;
        const auto to = static_cast<size_t>(++n);
        if (to != k) d.TextItems[to] = d.TextItems[k];
        TextItem& item = d.TextItems[to];
        item.TextItemFontName = old.textFontName;
        item.TextItemBold = item.TextItemItalic = item.TextItemUnderline = item.TextItemStrikethru = false;
        item.TextItemFromLabel = false;
    }
    d.NumTextItems = n;
    d.TextItems.resize(static_cast<size_t>(n) + 1);

    const int16_t pixel = ToInt16(d.TwipsPerPixelY);
    for (int i = 1; i <= files; ++i) {
        InputFileRecord& file = d.InputFile(i);
        file.Features.assign(static_cast<size_t>(d.NumGeoFeatures) + 1, FeatureSymbology{});
        if (file.SymbolType < SymLine || file.SymbolType > SymCircleFilled)
            Raise("Symbol type outside 1 to 12 of input file " + std::to_string(i));
        const OldRows& rows = old.rows[static_cast<size_t>(i)];
        const int16_t radius = old.symbolRadius[static_cast<size_t>(i)];
        const auto set = [&](int row, int cls, int16_t selected, int16_t color) {
            if (selected == 0 || cls == 0) return;
            if (color < 0 || color > 15)
                Raise("Colour number " + std::to_string(color) + " outside 0 to 15 of old row " + std::to_string(row) +
                      " of input file " + std::to_string(i));
            file.Features[static_cast<size_t>(cls)] = {true, PaletteRgb(StandardColor(color)), pixel, radius, pixel};
        };
        switch (Version1FeatureRows(file.Name)) {
        case GeofeatureTable::WdbFeatures:
            for (int row = 1; row <= 41; ++row)
                set(row, Wdb2Class(row), rows.wdb2Selected[size_t(row)], rows.wdb2Color[size_t(row)]);
            break;
        case GeofeatureTable::DlgFeatures:
            for (int row = 1; row <= 80; ++row)
                set(row, DlgClass(row), rows.dlgSelected[size_t(row)], rows.dlgColor[size_t(row)]);
            break;
        case GeofeatureTable::MwdbFeatures:
            for (int row = 1; row <= 8; ++row)
                set(row, row, rows.mwdbSelected[size_t(row)], rows.mwdbColor[size_t(row)]);
            break;
        case GeofeatureTable::AllFeatures: set(1, 1, rows.otherSelected, rows.otherColor); break;
        }
    }
}

}  // namespace

OldDrawingArea ReadVersion1(ListInput& li, int16_t v, CnfRecord& r, float scaleWidth, float scaleHeight) {
    OldInput in(li);
    DesignState& d = r.d;
    PlotState& p = r.p;
    OldTables old;

    // Positions and sizes are pixels of a 640 by 461 drawing area: fitted
    // into the present area with one scale, centred.
    const float tppX = d.TwipsPerPixelX;
    const float tppY = d.TwipsPerPixelY;
    const float oldW = 640 * tppX;
    const float oldH = 461 * tppY;
    float factorX = 0;
    float factorY = 0;
    int32_t offsetX = 0;
    int32_t offsetY = 0;
    Fitting([&] {
        const double ratio = CheckedDiv(CheckedDiv(oldH, oldW), CheckedDiv(scaleHeight, scaleWidth));
        const double s = ratio >= 1 ? scaleHeight / double(oldH) : scaleHeight * ratio / oldH;
        factorX = static_cast<float>(s * tppX);
        factorY = static_cast<float>(s * tppY);
        if (ratio >= 1) offsetX = ToInt32((scaleWidth - 640 * double(factorX)) / 2);
        else offsetY = ToInt32(scaleHeight * (1 - ratio) / 2);
    });

    for (const auto& [stored, name] : kOldProjNames)
        if (d.ProjName == stored) {
            d.ProjName = name;
            break;
        }
    d.GcLineWidth = ToInt16(2 * double(tppY));
    FreshTextItems(d, 100);
    d.InputFiles.clear();
    d.ResizeInputFiles(9);

    d.ProjCode = in.Integer("projection code");
    if (d.ProjCode >= 3 && d.ProjCode <= 5) d.ProjCode = ProjGnomonic;
    if (d.ProjCode >= 9 && d.ProjCode <= 11) d.ProjCode = ProjAzEqualArea;
    if (v < 150) in.Text("text after the projection code");
    d.GridTypeText = in.Text("grid type text");
    d.GridType = in.Integer("grid type");
    in.Check(d.GridType >= 1 && d.GridType <= 5, "Grid type outside 1 to 5");
    p.GridOutputCount = d.GridType == 1 ? 2 : d.GridType == 5 ? 0 : 1;
    p.AscFileName.assign(static_cast<size_t>(p.GridOutputCount) + 10, {});
    p.MapFillFraction = ReadFillFraction(in, v <= 120);
    d.ConicN = in.Double("projection constant n");
    d.ConicC = in.Double("projection constant C");
    d.ConicRho0 = in.Double("projection constant rho0");
    d.ConicF = in.Double("projection constant F");
    d.ConicG = in.Double("projection constant G");
    d.NumInputFiles = in.Integer("number of input files");
    in.Check(d.NumInputFiles >= 0 && d.NumInputFiles <= 9, "Number of input files outside 0 to 9");

    for (int i = 1; i <= 9; ++i) {
        const auto slot = static_cast<size_t>(i);
        OldRows& rows = old.rows[slot];
        const auto of = [i](std::string_view what) {
            return std::string(what) + " of input file slot " + std::to_string(i);
        };
        const auto ofRow = [i](std::string_view what, int row) {
            return std::string(what) + " of old row " + std::to_string(row) + " of input file slot " +
                   std::to_string(i);
        };
        d.InputFileName(i) = in.Text(of("path"));
        const std::string sizeText = in.Text(of("symbol size"));
        // The size in old pixels, as many pixels of the present area, at least one.
        old.symbolRadius[slot] = in.Convert([&] {
            int16_t n = ToInt16(scaleHeight * LeadingNumber(sizeText) / 461 / tppY);
            if (n == 0) n = 1;
            return ToInt16(static_cast<float>(n * tppY));
        });
        d.InputFileSymbolType(i) = RenumberOldSymbolType(in.Integer(of("symbol type")));
        if (v < 150) {
            const int16_t code = in.Integer(of("colour code"));
            old.fileColorCode[slot] = v < 140 ? RenumberOldColorCode(code) : code;
        }
        if (v > 140) {
            for (int row = 1; row <= 8; ++row) {
                rows.mwdbSelected[size_t(row)] = in.Integer(ofRow("selection flag", row));
                rows.mwdbColor[size_t(row)] = in.Integer(ofRow("colour number", row));
            }
            for (int row = 1; row <= 41; ++row) {
                rows.wdb2Selected[size_t(row)] = in.Integer(ofRow("selection flag", row));
                rows.wdb2Color[size_t(row)] = in.Integer(ofRow("colour number", row));
            }
            for (int row = 1; row <= 80; ++row) {
                rows.dlgSelected[size_t(row)] = in.Integer(ofRow("selection flag", row));
                rows.dlgColor[size_t(row)] = in.Integer(ofRow("colour number", row));
            }
            rows.otherSelected = in.Integer(ofRow("selection flag", 1));
            rows.otherColor = in.Integer(ofRow("colour number", 1));
            const int16_t sizeCode = in.Integer(of("label font size"));
            d.InputFileLabelFontSize(i) =
                in.Convert([&] { return ToInt16(OldPointSize(sizeCode) * double(factorY) / 15); });
            const int16_t colorCode = in.Integer(of("label colour code"));
            d.InputFileLabelFontColor(i) = StandardPaletteColor(in, colorCode - 1);
            in.Integer(of("label value"));
        }
        if (v < 150) {
            in.Integer(of("ignored value"));
            for (int row = 0; row <= 5; ++row)
                rows.mwdbSelected[size_t(row)] = in.Integer(ofRow("selection flag", row));
        }
        if (v >= 130 && v <= 140) {
            for (int row = 6; row <= 8; ++row)
                rows.mwdbSelected[size_t(row)] = in.Integer(ofRow("selection flag", row));
            for (int row = 1; row <= 41; ++row)
                rows.wdb2Selected[size_t(row)] = in.Integer(ofRow("selection flag", row));
            for (int row = 1; row <= 80; ++row)
                rows.dlgSelected[size_t(row)] = in.Integer(ofRow("selection flag", row));
        }
        Item(p.AscFileName, p.GridOutputCount + i) = in.Text(of("ASCII output name"));
    }

    if (v < 150) {
        for (int i = 1; i <= 9; ++i) {
            OldRows& rows = old.rows[static_cast<size_t>(i)];
            // Stored 0 meant selected; the stored rows move one row up.
            for (int row = 8; row >= 0; --row) {
                int16_t& s = rows.mwdbSelected[size_t(row)];
                if (s == 0) s = -1;
                else if (s == 1) s = 0;
            }
            int last = 5;
            if (v == 120) {
                rows.mwdbSelected[7] = rows.mwdbSelected[8] = 0;
                last = 6;
            }
            for (int row = last; row >= 1; --row) rows.mwdbSelected[size_t(row)] = rows.mwdbSelected[size_t(row - 1)];

            // The slot's one colour for its selected rows.
            const auto n = static_cast<int16_t>(old.fileColorCode[static_cast<size_t>(i)] - 1);
            switch (Version1FeatureRows(d.InputFileName(i))) {
            case GeofeatureTable::WdbFeatures:
                for (int row = 1; row <= 41; ++row)
                    if (rows.wdb2Selected[size_t(row)] != 0) rows.wdb2Color[size_t(row)] = n;
                break;
            case GeofeatureTable::DlgFeatures:
                for (int row = 1; row <= 80; ++row) {
                    if (v == 120) rows.dlgSelected[size_t(row)] = -1;
                    if (rows.dlgSelected[size_t(row)] != 0) rows.dlgColor[size_t(row)] = n;
                }
                break;
            case GeofeatureTable::MwdbFeatures:
                for (int row = 1; row <= 8; ++row)
                    if (rows.mwdbSelected[size_t(row)] != 0) rows.mwdbColor[size_t(row)] = n;
                break;
            case GeofeatureTable::AllFeatures:
                rows.otherSelected = -1;
                rows.otherColor = n;
                break;
            }
        }
    }

    p.CnfFileName = in.Text("design file path");
    p.CgmFileName = in.Text("CGM file path");
    p.BmpFileName = in.Text("BMP file path");
    if (!p.BmpFileName.empty()) {
        in.Check(p.BmpFileName.size() >= 3, "BMP file path shorter than its extension");
        p.BmpFileName.replace(p.BmpFileName.size() - 3, 3, "bmp");
    }
    in.Text("fourth path");
    const std::string gridName1 = in.Text("grid output name 1");
    const std::string gridName2 = in.Text("grid output name 2");
    if (p.GridOutputCount >= 1) p.AscFileName[1] = gridName1;
    if (p.GridOutputCount == 2) p.AscFileName[2] = gridName2;
    if (v > 131) p.GcFileName = in.Text("great circle file path");
    if (v > 140) p.DxfFileName = in.Text("DXF file path");
    in.Integer("ignored value");
    in.Integer("ignored value");

    d.BoundsText[0] = JoinedAngle(in, "northern boundary", 4);
    d.BoundsText[1] = JoinedAngle(in, "southern boundary", 4);
    d.BoundsText[2] = JoinedAngle(in, "latitude spacing", 3);
    d.BoundsText[3] = JoinedAngle(in, "western boundary", 4);
    d.BoundsText[4] = JoinedAngle(in, "eastern boundary", 4);
    d.BoundsText[5] = JoinedAngle(in, "longitude spacing", 3);
    if (v > 120) {
        d.BoundsText[6] = JoinedAngle(in, "centre latitude", 4);
        d.BoundsText[7] = JoinedAngle(in, "centre longitude", 4);
        d.BoundsText[8] = JoinedAngle(in, "azimuthal range", 3);
        d.BoundsText[9] = in.Text("perspective height");
    }
    d.StdParText[0] = JoinedAngle(in, "northern standard parallel", 4);
    d.StdParText[1] = JoinedAngle(in, "southern standard parallel", 4);
    ReadBoundaryFields(in, d);
    if (v > 120) {
        ReadBoundarySeconds(in, d);
        in.Double("ignored value");
        d.AzRangeSec = in.Long("azimuthal range in arc-seconds");
        d.VpP = in.Double("perspective point distance");
    } else {
        in.Convert([&] {
            const double sec = d.SecPerDeg;
            d.LatNorthSec = ToInt32(d.LatNorth * sec);
            d.LatSouthSec = ToInt32(d.LatSouth * sec);
            d.LatSpacingSec = ToInt32(d.LatSpacing * sec);
            d.FrameEastSec = ToInt32(d.FrameEast * sec);
            d.FrameWestSec = ToInt32(d.FrameWest * sec);
            d.LonSpacingSec = ToInt32(d.LonSpacing * sec);
            d.LonEastSec = ToInt32(d.LonEast * sec);
            d.LonWestSec = ToInt32(d.LonWest * sec);
        });
    }
    ReadMapExtent(in, d, p);

    old.textFontName = in.Text("font name");
    if (old.textFontName.empty() || old.textFontName.compare(0, 4, "COUR") == 0) old.textFontName = "Courier New";
    else if (old.textFontName.compare(0, 4, "HELV") == 0) old.textFontName = "Arial";
    if (v > 140) {
        d.DisplayLabels = in.Flag("label display flag");
        in.Integer("ignored value");
        d.UtmSpheroidName = in.Text("spheroid name");
        if (d.UtmSpheroidName == "GRS80 1980") d.UtmSpheroidName = "WGS84 1984";
        in.Integer("ignored value");
        ReadUtmParameters(in, d);
        d.UtmText[0] = JoinedAngle(in, "UTM central longitude", 4);
        d.UtmText[1] = JoinedAngle(in, "UTM latitude of origin", 4);
        for (int k = 2; k <= 10; ++k)
            d.UtmText[static_cast<size_t>(k)] =
                k == 4 ? in.DecimalText(Numbered("UTM text", k)) : in.Text(Numbered("UTM text", k));
    }

    const int slots = v < 130 ? 40 : 100;
    for (int t = 1; t <= slots; ++t) {
        const auto k = static_cast<size_t>(t);
        const auto of = [t](std::string_view what) { return std::string(what) + " of text slot " + std::to_string(t); };
        bool shorter = false;
        d.TextItems[k].TextItemText = in.InnerLine(of("text"), shorter);
        const int16_t sizeCode = in.Integer(of("font size code"));
        const OldFont font = in.Convert([&] { return OldFontOf(sizeCode); });
        int16_t colorCode = in.Integer(of("colour code"));
        if (v < 140) colorCode = RenumberOldColorCode(colorCode);
        d.TextItems[k].TextItemColor = StandardPaletteColor(in, colorCode - 1);
        const int16_t q = in.Integer(of("rotation code"));
        const int16_t x = in.Integer(of("x"));
        const int16_t x2 = in.Integer(of("second x"));
        const int16_t y = in.Integer(of("y"));
        const int16_t y2 = in.Integer(of("second y"));
        const int16_t w = in.Integer(of("character width"));
        const int16_t a = in.Integer(of("ascent"));
        in.Integer(of("ignored value"));
        in.Convert([&] {
            d.TextItems[k].TextItemFontSize = ToInt16(font.points * double(factorY) / 15);
            const int32_t ascent = ToInt16(font.ascent * double(factorY));
            const int32_t height = ToInt16(font.height * double(factorY));
            d.TextItems[k].TextItemRotation = ToInt16((q - 1) * 90);
            int64_t tx = ToInt32(x * double(factorX) + offsetX);
            int64_t ty = ToInt32(y * double(factorY) + offsetY);
            const int64_t tx2 = ToInt32(x2 * double(factorX) + offsetX);
            const int64_t ty2 = ToInt32(y2 * double(factorY) + offsetY);
            d.TextItems[k].TextItemCharWidth = ToInt16(w * double(factorX));
            d.TextItems[k].TextItemAscent = ToInt16(a * double(factorY));
            d.TextItems[k].TextItemDescent = ToInt16(height - ascent);
            // The stored point becomes the start of the base line.
            switch (d.TextItems[k].TextItemRotation) {
            case 0: ty -= height - ascent; break;
            case 90: tx += ascent; break;
            case 180:
                tx = 2 * tx2 - tx;
                ty -= ascent;
                break;
            case 270:
                tx += height - ascent;
                ty = 2 * ty2 - ty;
                break;
            default: break;
            }
            d.TextItems[k].TextItemX = ToInt32(double(tx));
            d.TextItems[k].TextItemY = ToInt32(double(ty));
        });
        d.TextItems[k].TextItemFontName = old.textFontName;
        d.VectorTextScale = 100;
        if (v > 140) in.Integer(of("ignored value"));
    }
    for (int k = 0; k < 4; ++k) in.Integer("ignored value");

    d.BackColor = StandardColor(1);
    d.GridColor = StandardColor(15);
    if (v > 131) {
        const int16_t back = in.Integer("background colour code");
        d.BackColor = CheckedStandardColor(in, in.Convert([&] { return ToInt16((back - 7) / 16.0); }));
        d.GridColor = CheckedStandardColor(in, in.Integer("grid colour code"));
        d.GcEndText[0] = JoinedAngle(in, "great circle start latitude", 4);
        d.GcEndText[1] = JoinedAngle(in, "great circle start longitude", 4);
        d.GcEndText[2] = JoinedAngle(in, "great circle end latitude", 4);
        d.GcEndText[3] = JoinedAngle(in, "great circle end longitude", 4);
        r.greatCircleEndsAt = ReadGreatCircleEnds(in, d);
        d.GcDefined = in.Flag("great circle flag");
        d.GcColor = CheckedStandardColor(in, in.Integer("great circle colour code"));
    }

    ConvertVersion1(d, p, old);
    return {oldW, oldH};
}

}  // namespace tlrx
