// The current version's lines, described once (Lines) and run by a writer
// and by a reader.

#include <cctype>
#include <cmath>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>
#include <vector>

#include "core/Errors.h"
#include "core/PrintUnits.h"
#include "designfile/CnfLayout.h"

namespace tlrx {

namespace {

// How a line's fields are joined.
enum class Form {
    Items,    // integer items, nothing between them
    Numbers,  // number forms joined by five blanks
    Comma,    // texts and integer items with a comma between fields
    Text,     // one text field
    Quoted,   // one text, always quoted
    Whole,    // one text in quotes, read back as the whole line
    Decimal,  // one text field holding a number, read back with a decimal comma taken as the point
};

// A field's name for messages: `what` with %1 and %2 replaced by a and b.
struct Field {
    std::string_view what;
    int a = 0;
    int b = 0;

    std::string Name() const {
        std::string s(what);
        for (const auto& [mark, value] : {std::pair{"%1", a}, std::pair{"%2", b}}) {
            const size_t at = s.find(mark);
            if (at != std::string::npos) s.replace(at, 2, std::to_string(value));
        }
        return s;
    }
};

// Sizes a list anew to elements 0..count, dropping its contents.
template <typename T>
void Fresh(std::vector<T>& list, int32_t count) {
    list.assign(static_cast<size_t>(count) + 1, T{});
}

// The layout. io is the writer or the reader; the reader sizes the lists
// from the counts before their elements are visited.
template <typename IO>
void Lines(IO& io, const CnfRecord& r) {
    DesignState& d = r.d;
    PlotState& p = r.p;
    SavedWindow& w = r.w;

    io.Begin(Form::Items);
    io.Int16(d.ProjCode, {"projection code"});
    io.End();
    io.Begin(Form::Quoted);
    io.Str(d.GridTypeText, {"grid type text"});
    io.End();
    io.Begin(Form::Items);
    io.Int16(d.GridType, {"grid type"});
    io.Check(d.GridType >= 1 && d.GridType <= 5, "Grid type outside 1 to 5");
    io.End();
    io.Begin(Form::Items);
    io.Int16(d.GridLineWidth, {"grid line width"});
    io.End();
    io.Begin(Form::Items);
    io.Flag(d.LineWidthScaling, {"line width scaling flag"});
    io.End();
    io.Begin(Form::Items);
    // Written as Longs, read back as Integers.
    io.Int32AsInt16(w.ScreenWidthPx, {"screen width"});
    io.Int32AsInt16(w.ScreenHeightPx, {"screen height"});
    io.End();
    io.Begin(Form::Numbers);
    io.Sng(w.TwipsPerPixelX, {"twips per pixel across"});
    io.Check(w.TwipsPerPixelX > 0, "Size of zero or less");
    io.Sng(w.TwipsPerPixelY, {"twips per pixel down"});
    io.Check(w.TwipsPerPixelY > 0, "Size of zero or less");
    io.End();
    io.Begin(Form::Items);
    io.Int16(w.WindowState, {"window state"});
    io.End();
    io.Begin(Form::Numbers);
    io.Sng(w.Width, {"window width"});
    io.Check(w.Width > 0, "Size of zero or less");
    io.Sng(w.Height, {"window height"});
    io.Check(w.Height > 0, "Size of zero or less");
    io.Sng(w.Left, {"window left edge"});
    io.Sng(w.Top, {"window top edge"});
    io.End();
    io.Begin(Form::Numbers);
    io.Sng(w.ScaleWidth, {"drawing area width"});
    io.Check(w.ScaleWidth > 0, "Size of zero or less");
    io.Sng(w.ScaleHeight, {"drawing area height"});
    io.Check(w.ScaleHeight > 0, "Size of zero or less");
    io.End();
    io.Begin(Form::Numbers);
    io.Dbl(p.MapFillFraction, {"map fill fraction"});
    io.Check(IsFillFraction(p.MapFillFraction), kFillFractionOutside);
    io.End();

    const auto paletteCell = [&io](int16_t& cell, std::string_view what) {
        io.Int16(cell, {what});
        io.Check(cell >= 0 && cell <= 255, "Palette cell outside 0 to 255");
    };
    const auto latitude = [&io](double& degrees, std::string_view what) {
        io.Dbl(degrees, {what});
        io.Check(IsLatitude(degrees), kLatitudeOutside);
    };
    const auto longitude = [&io](double& degrees, std::string_view what) {
        io.Dbl(degrees, {what});
        io.Check(IsLongitude(degrees), kLongitudeOutside);
    };
    io.Begin(Form::Items);
    io.Int32(d.BackColor, {"background colour"});
    paletteCell(d.BackColorIndex, "background palette cell");
    io.Int32(d.GridColor, {"grid colour"});
    paletteCell(d.GridColorIndex, "grid palette cell");
    io.End();
    io.Begin(Form::Items);
    io.Flag(d.DisplayLabels, {"label display flag"});
    io.End();
    io.Begin(Form::Numbers);
    io.Sng(p.PrnMapTop, {"printed map top margin"});
    io.Sng(p.PrnMapLeft, {"printed map left margin"});
    io.Sng(p.PrnMapWidth, {"printed map width"});
    io.Sng(p.PrnMapHeight, {"printed map height"});
    io.Flag(p.PrnCenterHorizontal, {"horizontal centring flag"});
    io.Flag(p.PrnCenterVertical, {"vertical centring flag"});
    io.End();
    io.Begin(Form::Numbers);
    io.Sng(d.RptMarginTop, {"report top margin"});
    io.Sng(d.RptMarginBottom, {"report bottom margin"});
    io.Sng(d.RptMarginLeft, {"report left margin"});
    io.Sng(d.RptMarginRight, {"report right margin"});
    io.Int16(p.PrinterUnits, {"print units"});
    io.Check(IsPrintUnits(p.PrinterUnits), "Print units other than 1440 and 567");
    io.Int16(w.Orientation, {"printer orientation"});
    io.Check(w.Orientation >= 0 && w.Orientation <= 2, "Printer orientation outside 0 to 2");
    io.End();
    io.Begin(Form::Comma);
    io.Str(d.RptFontName, {"report font name"});
    io.Int32(d.RptFontColor, {"report font colour"});
    io.Int16(d.RptFontSize, {"report font size"});
    io.Flag(d.RptFontBold, {"report font bold flag"});
    io.Flag(d.RptFontItalic, {"report font italic flag"});
    io.Flag(d.RptFontUnderline, {"report font underline flag"});
    io.Flag(d.RptFontStrikethru, {"report font strikeout flag"});
    io.End();
    io.Begin(Form::Numbers);
    io.Dbl(d.ConicN, {"projection constant n"});
    io.Dbl(d.ConicC, {"projection constant C"});
    io.Dbl(d.ConicF, {"projection constant F"});
    io.Dbl(d.ConicG, {"projection constant G"});
    io.Dbl(d.ConicRho0, {"projection constant rho0"});
    io.End();
    io.Begin(Form::Items);
    io.Int16(p.GridOutputCount, {"number of grid outputs"});
    io.Check(p.GridOutputCount >= 0 && p.GridOutputCount <= 2, "Number of grid outputs outside 0 to 2");
    io.Int16(d.NumInputFiles, {"number of input files"});
    // Each file takes 370 fields (with its ASCII output name), each at least one byte.
    io.Count(d.NumInputFiles, 370, "input files");
    io.End();

    const int16_t files = d.NumInputFiles;
    const int16_t features = d.NumGeoFeatures;
    if constexpr (IO::kReading) {
        d.InputFiles.clear();
        d.ResizeInputFiles(files);
        Fresh(p.AscFileName, p.GridOutputCount + files);
    }
    for (int i = 1; i <= files; ++i) {
        io.Begin(Form::Comma);
        io.Str(d.InputFileName(i), {"path of input file %1", i});
        io.Int16(d.InputFileSymbolType(i), {"symbol type of input file %1", i});
        io.Check(d.InputFileSymbolType(i) >= SymLine && d.InputFileSymbolType(i) <= SymCircleFilled,
                 "Symbol type outside 1 to 12");
        io.End();
        io.Begin(Form::Comma);
        for (int j = 1; j <= features; ++j) {
            // The last class has commas after its first two values only.
            const bool last = j == features;
            io.Flag(d.FeatureSelected(j, i), {"selection flag of feature class %1 of input file %2", j, i});
            io.Int32(d.FeatureColor(j, i), {"colour of feature class %1 of input file %2", j, i});
            io.Int16(d.FeatureLineWidth(j, i), {"line width of feature class %1 of input file %2", j, i});
            if (last) io.NoComma();
            io.Int16(d.FeatureSymbolRadius(j, i), {"symbol radius of feature class %1 of input file %2", j, i});
            if (last) io.NoComma();
            io.Int16(d.FeatureBorderWidth(j, i), {"border width of feature class %1 of input file %2", j, i});
        }
        io.End();
        io.Begin(Form::Comma);
        io.Str(d.InputFileLabelFontName(i), {"label font name of input file %1", i});
        io.Int16(d.InputFileLabelFontSize(i), {"label font size of input file %1", i});
        io.Int32(d.InputFileLabelFontColor(i), {"label font colour of input file %1", i});
        io.Flag(d.InputFileLabelFontBold(i), {"label font bold flag of input file %1", i});
        io.Flag(d.InputFileLabelFontItalic(i), {"label font italic flag of input file %1", i});
        io.Flag(d.InputFileLabelFontUnderline(i), {"label font underline flag of input file %1", i});
        io.Flag(d.InputFileLabelFontStrikethru(i), {"label font strikeout flag of input file %1", i});
        io.End();
    }
    for (int k = 1; k <= p.GridOutputCount + files; ++k) {
        io.Begin(Form::Text);
        io.Str(Item(p.AscFileName, k), {"ASCII output name %1", k});
        io.End();
    }

    std::string fourthPath;  // always written empty, dropped on reading
    io.Begin(Form::Comma);
    io.Str(p.BmpFileName, {"BMP file path"});
    io.Str(p.CgmFileName, {"CGM file path"});
    io.Str(p.DxfFileName, {"DXF file path"});
    io.Str(fourthPath, {"fourth path"});
    io.Str(p.WmfFileName, {"WMF file path"});
    io.Str(p.CnfFileName, {"design file path"});
    io.Str(p.GcFileName, {"great circle file path"});
    io.Str(p.ScFileName, {"small circle file path"});
    io.End();
    for (int k = 0; k < 10; ++k) {
        io.Begin(Form::Text);
        io.Str(d.BoundsText[static_cast<size_t>(k)], {"boundary text %1", k});
        io.End();
    }
    for (int k = 0; k < 2; ++k) {
        io.Begin(Form::Text);
        io.Str(d.StdParText[static_cast<size_t>(k)], {"standard parallel text %1", k});
        io.End();
    }
    for (int k = 0; k < 10; ++k) {
        io.Begin(Form::Text);
        io.Str(d.InterruptText[static_cast<size_t>(k)], {"interruption text %1", k});
        io.End();
    }
    io.Begin(Form::Numbers);
    for (int k = 1; k <= 9; ++k) io.Dbl(d.LobeOffset[static_cast<size_t>(k)], {"offset of lobe %1", k});
    io.End();
    io.Begin(Form::Comma);
    for (int k = 0; k < 10; ++k) io.Str(d.LobeEdgeText[static_cast<size_t>(k)], {"lobe boundary text %1", k});
    io.End();
    io.Begin(Form::Comma);
    io.Str(d.LatNorthText, {"northern boundary text"});
    io.Str(d.LatSouthText, {"southern boundary text"});
    io.End();
    io.Begin(Form::Comma);
    io.Str(d.StdParNorthText, {"northern standard parallel text"});
    io.Str(d.StdParSouthText, {"southern standard parallel text"});
    io.End();
    io.Begin(Form::Numbers);
    io.Dbl(d.StdParNorth, {"northern standard parallel"});
    io.Dbl(d.StdParSouth, {"southern standard parallel"});
    io.Dbl(d.CosStdParNorth, {"cosine of the northern standard parallel"});
    io.End();
    io.Begin(Form::Numbers);
    io.Dbl(d.LatNorth, {"northern boundary"});
    io.Dbl(d.LatSouth, {"southern boundary"});
    io.Dbl(d.LatSpacing, {"latitude spacing"});
    io.Int32(d.NumLatDivisions, {"number of latitude divisions"});
    io.End();
    io.Begin(Form::Numbers);
    io.Dbl(d.FrameEast, {"eastern frame edge"});
    io.Dbl(d.FrameWest, {"western frame edge"});
    io.Dbl(d.LonSpacing, {"longitude spacing"});
    io.Int32(d.NumLonDivisions, {"number of longitude divisions"});
    io.End();
    io.Begin(Form::Comma);
    io.Str(d.CentLatText, {"centre latitude text"});
    io.Str(d.CentLonText, {"centre longitude text"});
    io.End();
    io.Begin(Form::Numbers);
    io.Dbl(d.CentLat, {"centre latitude"});
    io.Dbl(d.CentLon, {"centre longitude"});
    io.Dbl(d.CentralMeridian, {"central meridian"});
    io.End();
    io.Begin(Form::Numbers);
    io.Dbl(d.LonEast, {"eastern boundary"});
    io.Dbl(d.LonWest, {"western boundary"});
    io.End();
    io.Begin(Form::Comma);
    io.Str(d.LatSpacingText, {"latitude spacing text"});
    io.Str(d.LonSpacingText, {"longitude spacing text"});
    io.Str(d.LonWestText, {"western boundary text"});
    io.Str(d.LonEastText, {"eastern boundary text"});
    io.End();
    io.Begin(Form::Items);
    io.Int32(d.LatNorthSec, {"northern boundary in arc-seconds"});
    io.Int32(d.LatSouthSec, {"southern boundary in arc-seconds"});
    io.Int32(d.LatSpacingSec, {"latitude spacing in arc-seconds"});
    io.End();
    io.Begin(Form::Items);
    io.Int32(d.FrameEastSec, {"eastern frame edge in arc-seconds"});
    io.Int32(d.FrameWestSec, {"western frame edge in arc-seconds"});
    io.Int32(d.LonSpacingSec, {"longitude spacing in arc-seconds"});
    io.End();
    io.Begin(Form::Items);
    io.Int32(d.LonEastSec, {"eastern boundary in arc-seconds"});
    io.Int32(d.LonWestSec, {"western boundary in arc-seconds"});
    io.End();
    io.Begin(Form::Numbers);
    io.Int32(d.AzRangeSec, {"azimuthal range in arc-seconds"});
    io.Dbl(d.VpP, {"perspective point distance"});
    io.End();
    io.Begin(Form::Numbers);
    io.Dbl(d.MapXMax, {"map extent x maximum"});
    io.Dbl(d.MapXMin, {"map extent x minimum"});
    io.Check(IsExtent(d.MapXMax, d.MapXMin), kEmptyExtent);
    io.Dbl(d.MapYMax, {"map extent y maximum"});
    io.Dbl(d.MapYMin, {"map extent y minimum"});
    io.Check(IsExtent(d.MapYMax, d.MapYMin), kEmptyExtent);
    io.End();
    io.Begin(Form::Numbers);
    io.Dbl(p.DevOffsetX, {"screen offset x"});
    io.Dbl(p.DevScaleX, {"screen scale x"});
    io.Dbl(p.DevOffsetY, {"screen offset y"});
    io.Dbl(p.DevScaleY, {"screen scale y"});
    io.End();

    io.Begin(Form::Text);
    io.Str(d.UtmSpheroidName, {"spheroid name"});
    io.End();
    io.Begin(Form::Numbers);
    io.Dbl(d.UtmSemiMajorAxis, {"UTM semi-major axis"});
    io.Dbl(d.UtmScaleFactor, {"UTM scale factor"});
    io.Dbl(d.UtmEccSq, {"UTM eccentricity squared"});
    io.Dbl(d.UtmEccPrimeSq, {"UTM second eccentricity squared"});
    io.Dbl(d.UtmM0, {"UTM meridian distance of the origin"});
    io.Dbl(d.UtmArcA0, {"UTM meridian arc coefficient A0"});
    io.Dbl(d.UtmArcB1, {"UTM meridian arc coefficient B1"});
    io.Dbl(d.UtmArcB2, {"UTM meridian arc coefficient B2"});
    io.Dbl(d.UtmArcB3, {"UTM meridian arc coefficient B3"});
    io.Dbl(d.UtmFalseEasting, {"UTM false easting"});
    io.Dbl(d.UtmFalseNorthing, {"UTM false northing"});
    io.Dbl(d.UtmFlattening, {"UTM flattening"});
    io.End();
    for (int k = 0; k < 11; ++k) {
        io.Begin(k == 4 ? Form::Decimal : Form::Text);
        io.Str(d.UtmText[static_cast<size_t>(k)], {"UTM text %1", k});
        io.End();
    }

    for (int k = 0; k < 4; ++k) {
        io.Begin(Form::Text);
        io.Str(d.GcEndText[static_cast<size_t>(k)], {"great circle end point text %1", k});
        io.End();
    }
    io.Begin(Form::Numbers);
    latitude(d.GcStartLat, "great circle start latitude");
    longitude(d.GcStartLon, "great circle start longitude");
    latitude(d.GcEndLat, "great circle end latitude");
    longitude(d.GcEndLon, "great circle end longitude");
    io.MarkGreatCircleEnds();
    io.Flag(d.GcDefined, {"great circle flag"});
    io.Int32(d.GcColor, {"great circle colour"});
    paletteCell(d.GcColorIndex, "great circle palette cell");
    io.Int16(d.GcLineWidth, {"great circle line width"});
    io.End();
    for (int k = 0; k < 3; ++k) {
        io.Begin(Form::Text);
        io.Str(d.ScText[static_cast<size_t>(k)], {"small circle text %1", k});
        io.End();
    }
    io.Begin(Form::Numbers);
    latitude(d.ScCenterLat, "small circle centre latitude");
    longitude(d.ScCenterLon, "small circle centre longitude");
    io.Dbl(d.ScRadius, {"small circle radius"});
    io.Check(d.ScRadius >= 0 && d.ScRadius <= 180, "Radius outside 0 to 180");
    io.Flag(d.ScDefined, {"small circle flag"});
    io.Int32(d.ScColor, {"small circle colour"});
    paletteCell(d.ScColorIndex, "small circle palette cell");
    io.Int16(d.ScLineWidth, {"small circle line width"});
    io.Int16(d.ScCount, {"number of small circles"});
    io.Check(d.ScCount >= 1 && d.ScCount <= 10, "Number of circles outside 1 to 10");
    io.End();
    io.Begin(Form::Items);
    io.Int16(d.VectorTextScale, {"text scale of vector exports"});
    io.Zone();
    io.Int32(d.NumTextItems, {"number of text items"});
    // Each text item takes 15 fields, each at least one byte.
    io.Count(d.NumTextItems, 15, "text items");
    io.End();

    const int32_t items = d.NumTextItems;
    if constexpr (IO::kReading) {
        Fresh(d.TextItems, items);
    }
    for (int i = 1; i <= items; ++i) {
        auto& item = d.TextItemAt(i);
        io.Begin(Form::Whole);
        io.Str(item.TextItemText, {"text of text item %1", i});
        io.End();
        io.Begin(Form::Items);
        io.Int16(item.TextItemRotation, {"rotation of text item %1", i});
        io.Int32(item.TextItemColor, {"colour of text item %1", i});
        io.Int16(item.TextItemFontSize, {"font size of text item %1", i});
        io.End();
        io.Begin(Form::Text);
        io.Str(item.TextItemFontName, {"font name of text item %1", i});
        io.End();
        io.Begin(Form::Items);
        io.Flag(item.TextItemBold, {"bold flag of text item %1", i});
        io.Flag(item.TextItemItalic, {"italic flag of text item %1", i});
        io.Flag(item.TextItemUnderline, {"underline flag of text item %1", i});
        io.Flag(item.TextItemStrikethru, {"strikeout flag of text item %1", i});
        io.End();
        io.Begin(Form::Items);
        io.Int16(item.TextItemCharWidth, {"character width of text item %1", i});
        io.Int16(item.TextItemAscent, {"ascent of text item %1", i});
        io.End();
        io.Begin(Form::Items);
        io.Int32(item.TextItemX, {"x of text item %1", i});
        io.Int16(item.TextItemDescent, {"descent of text item %1", i});
        io.Int32(item.TextItemY, {"y of text item %1", i});
        io.End();
        io.Begin(Form::Items);
        io.Flag(item.TextItemFromLabel, {"label flag of text item %1", i});
        io.End();
    }
}

std::string Capitalised(std::string s) {
    if (!s.empty()) s[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(s[0])));
    return s;
}

// Writes the lines: each field in the form of its line, its texts in the
// coding given.
class Writer {
public:
    static constexpr bool kReading = false;

    explicit Writer(FileCoding coding) : coding_(coding) {}

    void Begin(Form form) {
        form_ = form;
        line_.clear();
        fields_ = 0;
        noComma_ = false;
    }
    void End() { text += line_ + "\r\n"; }

    void Int16(int16_t v, const Field&) { Integer(v); }
    void Int32(int32_t v, const Field&) { Integer(v); }
    void Int32AsInt16(int32_t v, const Field&) { Integer(v); }
    void Flag(bool v, const Field&) { Integer(v ? -1 : 0); }
    void Sng(float v, const Field& f) {
        Finite(v, f);
        Put(NumberForm(v));
    }
    void Dbl(double v, const Field& f) {
        Finite(v, f);
        Put(NumberForm(v));
    }
    void Str(const std::string& v, const Field& f) {
        Carriable(v, f);
        switch (form_) {
        case Form::Quoted:
            if (v.find('"') != std::string::npos) Refuse(f, "holds a double quote");
            Put("\"" + ToFileText(v, coding_) + "\"");
            return;
        case Form::Whole: Put("\"" + ToFileText(v, coding_) + "\""); return;
        default: {
            const std::optional<std::string> form = TextFieldForm(v, coding_);
            if (!form) Refuse(f, "holds a double quote and needs quotes (a comma, or a leading blank or quote)");
            Put(*form);
        }
        }
    }
    void Zone() {
        PadToNextZone(line_);
        noComma_ = true;
    }
    void NoComma() { noComma_ = true; }
    void MarkGreatCircleEnds() {}
    void Check(bool, std::string_view) {}
    void Count(int32_t, int32_t, std::string_view) {}

    std::string text;
    // Set in Windows-1252 by a text that holds a character beyond the code
    // page: the text written is then not the design's.
    bool beyondCodePage = false;

private:
    void Integer(int32_t v) { Put(form_ == Form::Numbers ? NumberForm(v) : IntegerItem(v)); }
    void Put(const std::string& field) {
        if (fields_++ > 0 && !noComma_) {
            if (form_ == Form::Numbers) line_ += kNumberListGap;
            if (form_ == Form::Comma) line_ += ',';
        }
        noComma_ = false;
        line_ += field;
    }
    static void Finite(double v, const Field& f) {
        if (!std::isfinite(v)) Raise(Capitalised(f.Name()) + " is not a finite number");
    }
    void Carriable(const std::string& v, const Field& f) {
        const std::string why = UncarriableText(v, FileCoding::Utf8);
        if (!why.empty()) Refuse(f, why);
        if (coding_ == FileCoding::Cp1252 && !UncarriableText(v, coding_).empty()) beyondCodePage = true;
    }
    [[noreturn]] static void Refuse(const Field& f, std::string_view why) {
        Raise(Capitalised(f.Name()) + " " + std::string(why) + ", which a design file cannot carry");
    }

    FileCoding coding_;
    Form form_ = Form::Items;
    std::string line_;
    int fields_ = 0;
    bool noComma_ = false;
};

// Reads the fields with list input; a fault names the line and the field.
class Reader {
public:
    static constexpr bool kReading = true;

    explicit Reader(ListInput& in) : in_(in) {}

    void Begin(Form form) {
        form_ = form;
        field_ = 0;
    }
    void End() {}

    void Int16(int16_t& v, const Field& f) {
        v = Take(f, [&] { return in_.Integer(); });
    }
    void Int32(int32_t& v, const Field& f) {
        v = Take(f, [&] { return in_.Long(); });
    }
    void Int32AsInt16(int32_t& v, const Field& f) {
        v = Take(f, [&] { return in_.Integer(); });
    }
    template <typename Ref>
    void Flag(Ref&& v, const Field& f) {
        v = Take(f, [&] { return in_.Integer(); }) != 0;
    }
    void Sng(float& v, const Field& f) {
        v = Take(f, [&] { return in_.Single(); });
    }
    void Dbl(double& v, const Field& f) {
        v = Take(f, [&] { return in_.Number(); });
    }
    void Str(std::string& v, const Field& f) {
        if (form_ != Form::Whole) {
            v = Take(f, [&] { return form_ == Form::Decimal ? in_.DecimalText() : in_.Text(); });
            // What the writer refuses is refused here too, so that every
            // design recalled can be saved again.
            if (form_ == Form::Quoted && v.find('"') != std::string::npos) Fail("Text with a double quote inside");
            return;
        }
        // The first and last characters are dropped as the file holds them.
        std::optional<std::string> inner = WithoutEnds(Take(f, [&] { return in_.Line(); }));
        if (!inner) Fail("Text line shorter than its two quotes");
        v = std::move(*inner);
    }
    void Zone() {}
    void NoComma() {}
    // Keeps where the field read last lies, for GreatCircleEndsAt.
    void MarkGreatCircleEnds() { greatCircleEndsAt_ = Place(); }
    const std::string& GreatCircleEndsAt() const { return greatCircleEndsAt_; }
    void Check(bool ok, std::string_view what) {
        if (!ok) Fail(what);
    }
    void Count(int32_t count, int32_t fieldsEach, std::string_view what) {
        if (count < 0) Fail("Negative count");
        if (static_cast<int64_t>(count) * fieldsEach > static_cast<int64_t>(in_.Remaining()))
            Fail("The rest of the file cannot hold " + std::to_string(count) + " " + std::string(what));
    }

private:
    template <typename Op>
    std::invoke_result_t<Op> Take(const Field& f, Op op) {
        ++field_;
        name_ = f.Name();
        try {
            return op();
        } catch (const RuntimeError& e) {
            Fail(e.what());
        }
    }
    // Where the field read last lies.
    std::string Place() const {
        return " in line " + std::to_string(in_.FieldLine()) + ", field " + std::to_string(field_) + " (" + name_ + ")";
    }
    [[noreturn]] void Fail(std::string_view what) { Raise(std::string(what) + Place()); }

    ListInput& in_;
    Form form_ = Form::Items;
    int field_ = 0;
    std::string name_;
    std::string greatCircleEndsAt_;
};

}  // namespace

std::string HeaderLine(const std::string& versionString) {
    return "Tellurax configuration file version " + versionString;
}

std::string WriteCurrentVersion(const CnfRecord& record) {
    // Windows-1252, byte for byte as ever; a design holding a character
    // beyond that code page is written again in UTF-8, behind the mark.
    for (const FileCoding coding : {FileCoding::Cp1252, FileCoding::Utf8}) {
        Writer writer(coding);
        writer.Begin(Form::Text);
        writer.Str(HeaderLine(record.d.VersionString), {"header"});
        writer.End();
        writer.Begin(Form::Text);
        writer.Str(record.d.ProjName, {"projection name"});
        writer.End();
        Lines(writer, record);
        if (!writer.beyondCodePage)
            return coding == FileCoding::Utf8 ? std::string(kUtf8Mark) + writer.text : std::move(writer.text);
    }
    return {};  // not reached: UTF-8 carries every character
}

void ReadCurrentVersion(ListInput& in, CnfRecord& record) {
    Reader reader(in);
    Lines(reader, record);
    record.greatCircleEndsAt = reader.GreatCircleEndsAt();
}

}  // namespace tlrx
