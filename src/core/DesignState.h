#pragma once
// The map design state: one process-wide record that every part of the
// program reads and writes by field name.
//
// Conventions: Integer fields are int16_t, Long int32_t, Single float,
// Double double, String std::string. Flags are bool in memory (-1 / 0 in
// files). Lists of records are used from index 1, element 0 staying empty:
// the input files and the text items one vector of records each, the others
// parallel vectors. Angles are degree/minute/second texts (AngleText.h),
// signed arc-seconds (north and east positive) or double degrees. Screen
// lengths are in twips (1440 per inch). Colours are 0x00BBGGRR, palette
// colours carrying 0x02000000. Every field not given a start-up value by
// ConstantDefs starts as 0, false or the empty text.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "core/Errors.h"

namespace tlrx {

// Projection codes.
enum ProjectionCode : int16_t {
    ProjMercator = 1,
    ProjEquirectangular = 2,
    ProjEquidistantConic = 6,
    ProjConformalConic = 7,
    ProjAlbers = 8,
    ProjHammer = 12,
    ProjRobinson = 16,
    ProjUtm = 17,
    ProjGnomonic = 26,
    ProjStereographic = 27,
    ProjOrthographic = 28,
    ProjVerticalPerspective = 29,
    ProjAzEquidistant = 30,
    ProjAzEqualArea = 31,
    ProjCylEqualArea = 40,
    ProjMollweide = 41,
    ProjInterruptedMollweide = 42,
    // One above the largest code: the size of the lookups by code (the
    // kernels, ProjectSelect's steps, ProjDefined).
    ProjCodeBound = 43,
};

// How the items of one input file are drawn.
enum SymbolType : int16_t {
    SymLine = 1,
    SymDot = 2,
    SymPlus = 3,
    SymCross = 4,
    SymSquare = 5,
    SymSquareFilled = 6,
    SymDiamond = 7,
    SymDiamondFilled = 8,
    SymTriangle = 9,
    SymTriangleFilled = 10,
    SymCircle = 11,
    SymCircleFilled = 12,
    SymText = 99,  // a text item on its way into a vector export
};

// Which colour the colour picker edits.
enum ColorTargetId : int16_t {
    TargetGreatCircle = 1,
    TargetSmallCircle = 2,
    TargetBackground = 3,
    TargetGrid = 4,
    TargetGeofeature = 5,
};

// Font slots exchanged with the font picker.
enum FontSlotId : int16_t { FontSlotText = 1, FontSlotLabel = 2, FontSlotReport = 3 };

// The symbology of one feature class of one input file.
struct FeatureSymbology {
    bool Selected = false;
    int32_t Color = 0;
    int16_t LineWidth = 0;     // twips
    int16_t SymbolRadius = 0;  // twips
    int16_t BorderWidth = 0;   // twips
    bool operator==(const FeatureSymbology&) const = default;
};

// One input file: its path, symbol type, label font and the symbology of
// feature classes 0..NumGeoFeatures (class 0 unused).
struct InputFileRecord {
    std::string Name;
    int16_t SymbolType = 0;
    std::string LabelFontName;
    int16_t LabelFontSize = 0;
    int32_t LabelFontColor = 0;
    bool LabelFontBold = false;
    bool LabelFontItalic = false;
    bool LabelFontUnderline = false;
    bool LabelFontStrikethru = false;
    std::vector<FeatureSymbology> Features;
    bool operator==(const InputFileRecord&) const = default;
};

// One map text item as placed: its text, rotation and font, the start of
// its baseline, the font's metrics at placement, and whether it was made
// from a point file's label.
struct TextItem {
    std::string TextItemText;
    int16_t TextItemRotation = 0;  // degrees 0..359
    std::string TextItemFontName;
    int16_t TextItemFontSize = 0;  // points
    int32_t TextItemColor = 0;
    bool TextItemBold = false;
    bool TextItemItalic = false;
    bool TextItemUnderline = false;
    bool TextItemStrikethru = false;
    int32_t TextItemX = 0;  // baseline start, twips of the drawing area
    int32_t TextItemY = 0;
    int16_t TextItemAscent = 0;  // twips
    int16_t TextItemDescent = 0;
    int16_t TextItemCharWidth = 0;  // average character width, twips
    bool TextItemFromLabel = false;
    bool operator==(const TextItem&) const = default;
};

struct DesignState {
    // ---- Constants (AngleConstants and other fixed values), set by ConstantDefs ----
    double Pi = 0;  // 3.14159265358979: fifteen digits, not the nearest double to pi
    double PiOver4 = 0;
    double DegToRad = 0;      // radians per degree
    double HalfDegToRad = 0;  // radians per degree, halved
    double Sqrt2 = 0;
    int32_t ArcSec360 = 0;  // 360 degrees in arc-seconds
    int32_t ArcSec340 = 0;  // a longitude jump this large crosses the 180th meridian
    int32_t ArcSec180 = 0;
    int32_t SecPerDeg = 0;
    int16_t MinPerDeg = 0;  // also seconds per minute
    std::string EmptyString;
    std::string ApiErrorTitle;
    std::string VersionString;  // "3.01"

    // ---- ScreenMetrics, read by ConstantDefs ----
    float TwipsPerPixelX = 0;
    float TwipsPerPixelY = 0;  // also pixels entered by the user -> stored twips
    int32_t ScreenWidthPx = 0;
    int32_t ScreenHeightPx = 0;
    int32_t FullScreenWidthPx = 0;   // client area of a maximised window
    int32_t FullScreenHeightPx = 0;  // the same, less one menu bar

    // ---- Program context, set by the main window ----
    std::string AppDir;        // the program's folder, ending in the path separator
    std::string HelpFilePath;  // AppDir + help file name
    std::string SavedCaption;
    int16_t ProjMenuMax = 0;

    // ---- Projection choice ----
    int16_t ProjCode = 0;
    std::string ProjName;
    std::vector<bool> ProjDefined;  // 0..42, per projection code
    int16_t StdParProjCode = 0;

    // ---- MapBounds: boundaries and graticule ----
    // 0 north, 1 south, 2 latitude spacing, 3 west, 4 east, 5 longitude
    // spacing, 6 centre latitude, 7 centre longitude, 8 azimuthal range,
    // 9 perspective height in km ("00035840").
    std::array<std::string, 10> BoundsText;
    int32_t LatNorthSec = 0;
    double LatNorth = 0;
    std::string LatNorthText;
    int32_t LatSouthSec = 0;
    double LatSouth = 0;
    std::string LatSouthText;
    int32_t LatSpacingSec = 0;
    double LatSpacing = 0;
    std::string LatSpacingText;
    int32_t NumLatDivisions = 0;
    int32_t LonWestSec = 0;
    double LonWest = 0;
    std::string LonWestText;
    int32_t LonEastSec = 0;
    double LonEast = 0;
    std::string LonEastText;
    int32_t FrameWestSec = 0;  // 0 for geographic grids; western easting for UTM
    double FrameWest = 0;
    int32_t FrameEastSec = 0;  // the longitude range; eastern easting for UTM
    double FrameEast = 0;
    int32_t LonSpacingSec = 0;
    double LonSpacing = 0;
    std::string LonSpacingText;
    int32_t NumLonDivisions = 0;
    double CentralMeridian = 0;  // middle of the frame, frame degrees
    int32_t CentLatSec = 0;
    double CentLat = 0;
    std::string CentLatText;
    double CentLatRad = 0;
    double CosCentLat = 0;
    double SinCentLat = 0;
    int32_t CentLonSec = 0;
    double CentLon = 0;
    std::string CentLonText;
    int32_t AzRangeSec = 0;
    double CosAzRange = 0;
    double VpDistanceKm = 0;

    // ---- StdParallels ----
    std::array<std::string, 2> StdParText;  // 0 northern, 1 southern
    double StdParNorth = 0;
    double StdParSouth = 0;
    std::string StdParNorthText;
    std::string StdParSouthText;
    double CosStdParNorth = 0;

    // ---- LonInterrupt: interruptions of the interrupted Mollweide ----
    // 0 northern count, 1 southern count, 2 west boundary, 3..5 northern
    // interruptions, 6..8 southern ones, 9 east boundary.
    std::array<std::string, 10> InterruptText;
    std::array<std::string, 10> LobeEdgeText;  // lobe L lies between elements L-1 and L
    std::array<double, 10> LobeEdge{};
    std::array<int32_t, 10> LobeEdgeSec{};
    std::array<double, 10> LobeOffset{};
    double CurLobeOffset = 0;
    bool FirstPass = false;
    bool LastPass = false;

    // ---- UtmParams: texts ----
    std::string UtmSpheroidName;
    // 0 central meridian, 1 latitude of origin, 2 false easting, 3 false
    // northing, 4 scale factor, 5 north, 6 south, 7 north-south spacing,
    // 8 west, 9 east, 10 east-west spacing (metres).
    std::array<std::string, 11> UtmText;

    // ---- GreatCircleData: definition ----
    std::array<std::string, 4> GcEndText;  // start lat, start lon, end lat, end lon
    double GcStartLat = 0;
    double GcStartLon = 0;
    double GcEndLat = 0;
    double GcEndLon = 0;
    bool GcDefined = false;
    int16_t GcLineWidth = 0;  // twips
    int32_t GcColor = 0;
    int16_t GcColorIndex = 0;

    // ---- SmallCircleData: definition ----
    std::array<std::string, 3> ScText;  // centre lat, centre lon, radius
    double ScCenterLat = 0;
    double ScCenterLon = 0;
    double ScRadius = 0;  // degrees of arc, outermost circle
    int16_t ScCount = 0;
    int16_t ScLineWidth = 0;
    bool ScDefined = false;
    int32_t ScColor = 0;
    int16_t ScColorIndex = 0;

    // ---- GreatCircleData, SmallCircleData: computed points ----
    // Written by GcCalc and ScCalc only; element 0 of every list stays unused.
    // The great circle's points lie west to east along the route (or in the
    // entered order on the equator and meridians); readers walk them from
    // GcFirst to GcLast by GcStep, which is the entered start to the entered
    // end. A failed GcCalc leaves no points: the lists hold element 0 only,
    // GcFirst 1, GcLast 0, GcStep 1, so a walk visits nothing.
    std::vector<double> GcLat;         // degrees
    std::vector<double> GcLon;         // degrees, -180..180
    std::vector<double> GcCourse;      // degrees clockwise from north, 0..360, entered direction
    std::vector<double> GcDist;        // minutes of arc (nautical miles) from the entered start
    std::vector<double> GcLatRad;      // GcCalc's working list: latitude, radians
    std::vector<double> GcDLonRad;     // GcCalc's working list: radians east of its western end
    int16_t GcFirst = 0;               // index of the entered start
    int16_t GcLast = 0;                // index of the entered end; the larger of the two is the count of a route
    int16_t GcStep = 0;                // +1 or -1
    std::vector<double> ScLat;         // degrees, all circles one after the other
    std::vector<double> ScLon;         // degrees, -180..180
    std::vector<int16_t> ScCircleEnd;  // 0..ScCount: index of the last point of circle k (element 0 is 0)

    // ---- Graticule style and map appearance ----
    int16_t GridType = 0;  // 1..5
    std::string GridTypeText;
    int16_t GridLineWidth = 0;
    int32_t GridColor = 0;
    int16_t GridColorIndex = 0;
    int32_t BackColor = 0;
    int16_t BackColorIndex = 0;
    bool LineWidthScaling = false;
    bool DisplayLabels = false;

    // ---- DialogProtocol ----
    bool DialogCancelled = false;
    bool CloseDialogChain = false;
    bool SubDialogPending = false;
    bool CalcError = false;

    // ---- ProjectionIO ----
    double ProjInLat = 0;  // degrees (UTM: northing in metres)
    double ProjInLon = 0;  // frame degrees east of the western boundary (UTM: easting)
    double ProjOutX = 0;   // Earth radii (UTM: metres)
    double ProjOutY = 0;
    int16_t AzQueryMode = 0;  // 0 normal, -1 range query, 2 reuse of the previous point
    int32_t PointLatSec = 0;
    int32_t PointLonSec = 0;
    int32_t PrevLatSec = 0;
    int32_t PrevLonSec = 0;

    // ---- Run status shared by the plotting pass and the main window ----
    int16_t PlotStatus = 0;    // 0 continue, 1 new line, 2 beyond the visibility limit, 4/5 in/out of range
    std::string PlotStopText;  // "", "Escape" or "GridDiskError"

    // ---- MapExtent (projection units) ----
    double MapXMin = 0;
    double MapXMax = 0;
    double MapYMin = 0;
    double MapYMax = 0;
    double RelMapWidth = 0;

    // ---- ConicParams: constants of the conic and vertical perspective projections ----
    double ConicN = 0;     // cone constant n (codes 6, 7, 8)
    double ConicG = 0;     // code 6: latitude in degrees where the radius would be zero
    double ConicRho0 = 0;  // radius of the central parallel, Earth radii
    double ConicF = 0;     // code 7
    double ConicC = 0;     // code 8
    double VpP = 0;        // code 29: viewpoint distance from the centre, Earth radii

    // ---- UtmParams: derived numbers ----
    double UtmSemiMajorAxis = 0;  // a, metres
    double UtmScaleFactor = 0;    // k0
    double UtmEccSq = 0;          // e^2
    double UtmEccPrimeSq = 0;     // e'^2
    double UtmFalseEasting = 0;   // metres
    double UtmFalseNorthing = 0;
    double UtmFlattening = 0;  // f
    double UtmM0 = 0;          // meridian distance to the latitude of origin, metres
    double UtmArcA0 = 0;       // meridian distance coefficients
    double UtmArcB1 = 0;
    double UtmArcB2 = 0;
    double UtmArcB3 = 0;

    // ---- ScaleErrorRows: the scale-error table of the parameter report ----
    // The report sizes the row lists to 0..14 and the notes to 0..2 before
    // the first row; DistErrSelect fills row ScaleErrRow (from 1) and notes 1, 2.
    int16_t ScaleErrRow = 0;
    double ScaleErrLat = 0;  // degrees, north positive (UTM: radians, see DistErrSelect)
    double ScaleErrLon = 0;  // degrees: absolute, or frame degrees (codes 12, 16, 41); UTM: metres
    std::vector<std::string> ScaleErrLatText;
    std::vector<std::string> ScaleErrLonText;
    std::vector<std::string> ScaleErrMeridian;  // h
    std::vector<std::string> ScaleErrParallel;  // k
    std::vector<std::string> ScaleErrArea;
    std::vector<std::string> ScaleErrNote;  // 1 and 2: where the scale is true

    // ---- InputFileArrays and InputFileLabelFont: one record per input file ----
    // Files 1..NumInputFiles (element 0 unused), each with feature classes
    // 0..NumGeoFeatures; the accessors raise "Subscript out of range" outside.
    int16_t NumInputFiles = 0;
    int16_t NumGeoFeatures = 0;  // 72
    std::vector<InputFileRecord> InputFiles;

    InputFileRecord& InputFile(int file) { return Item(InputFiles, file); }
    const InputFileRecord& InputFile(int file) const { return Item(InputFiles, file); }
    FeatureSymbology& Feature(int feature, int file) { return Item(InputFile(file).Features, feature); }
    const FeatureSymbology& Feature(int feature, int file) const { return Item(InputFile(file).Features, feature); }
    // The highest file and feature class the records hold (-1 when none).
    int MaxInputFile() const { return static_cast<int>(InputFiles.size()) - 1; }
    int MaxGeoFeature() const { return InputFiles.empty() ? -1 : static_cast<int>(InputFiles[0].Features.size()) - 1; }

    // Re-sizes the files to 0..numFiles and each file's symbology to feature
    // classes 0..NumGeoFeatures, keeping the contents that remain.
    void ResizeInputFiles(int numFiles);
    // Removes file `file`; the later files move down by one with all their
    // settings. The caller lowers NumInputFiles.
    void EraseInputFile(int file);
    // Inserts an empty file (feature classes 0..NumGeoFeatures) as number
    // `file`; the files from `file` on move up by one. The caller raises
    // NumInputFiles.
    void InsertInputFile(int file);

    std::string& InputFileName(int file) { return InputFile(file).Name; }
    const std::string& InputFileName(int file) const { return InputFile(file).Name; }
    int16_t& InputFileSymbolType(int file) { return InputFile(file).SymbolType; }
    int16_t InputFileSymbolType(int file) const { return InputFile(file).SymbolType; }
    std::string& InputFileLabelFontName(int file) { return InputFile(file).LabelFontName; }
    const std::string& InputFileLabelFontName(int file) const { return InputFile(file).LabelFontName; }
    int16_t& InputFileLabelFontSize(int file) { return InputFile(file).LabelFontSize; }
    int16_t InputFileLabelFontSize(int file) const { return InputFile(file).LabelFontSize; }
    int32_t& InputFileLabelFontColor(int file) { return InputFile(file).LabelFontColor; }
    int32_t InputFileLabelFontColor(int file) const { return InputFile(file).LabelFontColor; }
    bool& InputFileLabelFontBold(int file) { return InputFile(file).LabelFontBold; }
    bool InputFileLabelFontBold(int file) const { return InputFile(file).LabelFontBold; }
    bool& InputFileLabelFontItalic(int file) { return InputFile(file).LabelFontItalic; }
    bool InputFileLabelFontItalic(int file) const { return InputFile(file).LabelFontItalic; }
    bool& InputFileLabelFontUnderline(int file) { return InputFile(file).LabelFontUnderline; }
    bool InputFileLabelFontUnderline(int file) const { return InputFile(file).LabelFontUnderline; }
    bool& InputFileLabelFontStrikethru(int file) { return InputFile(file).LabelFontStrikethru; }
    bool InputFileLabelFontStrikethru(int file) const { return InputFile(file).LabelFontStrikethru; }

    bool& FeatureSelected(int feature, int file) { return Feature(feature, file).Selected; }
    bool FeatureSelected(int feature, int file) const { return Feature(feature, file).Selected; }
    int32_t& FeatureColor(int feature, int file) { return Feature(feature, file).Color; }
    int32_t FeatureColor(int feature, int file) const { return Feature(feature, file).Color; }
    int16_t& FeatureLineWidth(int feature, int file) { return Feature(feature, file).LineWidth; }
    int16_t FeatureLineWidth(int feature, int file) const { return Feature(feature, file).LineWidth; }
    int16_t& FeatureSymbolRadius(int feature, int file) { return Feature(feature, file).SymbolRadius; }
    int16_t FeatureSymbolRadius(int feature, int file) const { return Feature(feature, file).SymbolRadius; }
    int16_t& FeatureBorderWidth(int feature, int file) { return Feature(feature, file).BorderWidth; }
    int16_t FeatureBorderWidth(int feature, int file) const { return Feature(feature, file).BorderWidth; }

    // ---- InputFileEditState ----
    bool AddingInputFile = false;
    bool EditingInputFile = false;
    std::string CurInputFile;
    int16_t CurInputFileIndex = 0;  // zero-based list position
    int16_t ColorPicBoxIndex = 0;

    // ---- TextItem: map text items, 1..NumTextItems (element 0 empty) ----
    // TextItemAt raises "Subscript out of range" outside the list.
    std::vector<TextItem> TextItems;
    TextItem& TextItemAt(int i) { return Item(TextItems, i); }
    const TextItem& TextItemAt(int i) const { return Item(TextItems, i); }
    int32_t NumTextItems = 0;
    int32_t TextItemIndex = 0;
    std::string CurrentText;  // non-empty: placement mode
    std::string CurrentTextRotation;
    bool TextErased = false;
    bool TextEditing = false;
    int16_t TextStep = 0;
    bool TextFirstMove = false;

    // ---- Fonts ----
    std::array<std::string, 4> FontSlotName;  // FontSlotId; slot 0 stays empty
    std::array<int32_t, 4> FontSlotSize{};
    std::array<int32_t, 4> FontSlotColor{};
    std::array<bool, 4> FontSlotBold{};
    std::array<bool, 4> FontSlotItalic{};
    std::array<bool, 4> FontSlotUnderline{};
    std::array<bool, 4> FontSlotStrikethru{};
    int16_t FontSlotIndex = 0;
    bool FontDialogOK = false;
    std::string DefaultFontName;
    int32_t DefaultFontSize = 0;
    std::vector<std::string> FontNames;  // 0..count-1, sorted
    std::vector<int32_t> FontSizes;      // 0..22

    // ---- RptFont, RptLayout ----
    std::string RptFontName;
    int16_t RptFontSize = 0;
    int32_t RptFontColor = 0;
    bool RptFontBold = false;
    bool RptFontItalic = false;
    bool RptFontUnderline = false;
    bool RptFontStrikethru = false;
    int16_t RptFontColorIndex = 0;
    float RptMarginLeft = 0;
    float RptMarginRight = 0;
    float RptMarginTop = 0;
    float RptMarginBottom = 0;
    int16_t RptWidth = 0;

    // ---- Colour picker and vector text ----
    int16_t ColorTarget = 0;
    int16_t GeoColorIndex = 0;
    int16_t VectorTextScale = 0;  // percent
};

// The one design state of the process.
DesignState& Design();

// Gives every field its start-up value (see ConstantDefs.cpp for the order).
void ConstantDefs();

// Design().ResizeInputFiles(numFiles).
void ResizeInputFiles(int numFiles);

// Re-sizes the text items to elements 0..maxIndex, keeping contents.
void ResizeTextItems(int maxIndex);

// Gives feature classes 1 to 10 of input file 1 their start-up symbology.
void DefaultFileSymbology();

// The design's part of start-up: input file 1 (appDir + "Tlrx4.map", drawn
// as lines), ConstantDefs, the default graticule, standard parallels and
// projection parameters, and the symbology of input file 1. appDir ends in
// the path separator.
void StartupDesign(const std::string& appDir);

// A fresh record put through StartupDesign: the state after start-up, for tests.
void ResetDesignState(const std::string& appDir = "");

// The start-up colours, 0x00BBGGRR.
constexpr int32_t RgbColor(int r, int g, int b) { return r | (g << 8) | (b << 16); }

}  // namespace tlrx
