#include "FuzzSupport.h"

#include <dirent.h>
#include <unistd.h>

#include <QApplication>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "core/DesignState.h"
#include "core/Graticule.h"
#include "core/ProjParams.h"
#include "core/Utm.h"
#include "platform/Events.h"
#include "platform/Host.h"
#include "plot/MapLabels.h"
#include "plot/MapPlot.h"
#include "plot/PlotGrid.h"
#include "plot/PlotState.h"
#include "plot/RunFiles.h"
#include "plot/Scaling.h"
#include "plot/StopRun.h"

namespace tlrx::fuzz {

namespace fs = std::filesystem;

void Fail(std::string_view what) {
    std::fprintf(stderr, "fuzz check failed: %.*s\n", static_cast<int>(what.size()), what.data());
    std::fflush(stderr);
    std::abort();
}

void EnsureApplication() {
    // Never destroyed: the window and the fonts of the harnesses live until
    // the process ends.
    static QApplication* app = nullptr;
    if (app) return;
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    static int argc = 1;
    static char name[] = "tlrx-fuzz";
    static char* argv[] = {name, nullptr};
    app = new QApplication(argc, argv);
}

const std::string& ScratchFolder() {
    // Never destroyed: the exit handler that removes the folder needs its name.
    static const std::string* folder = [] {
        const char* tmp = std::getenv("TMPDIR");
        auto* pattern = new std::string(std::string(tmp && *tmp ? tmp : "/tmp") + "/tlrx-fuzz-XXXXXX");
        if (mkdtemp(pattern->data()) == nullptr) Fail("cannot make the scratch folder");
        std::atexit([] {
            std::error_code ec;
            fs::remove_all(*folder, ec);
        });
        return pattern;
    }();
    return *folder;
}

FuzzInput::FuzzInput(const uint8_t* data, size_t size, size_t count) {
    const size_t n = size < count ? size : count;
    options_.assign(reinterpret_cast<const char*>(data), n);
    body_ = std::string_view(reinterpret_cast<const char*>(data) + n, size - n);
}

void WriteFile(const std::string& path, std::string_view bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    Check(!out.fail(), "the input file could not be written");
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

int OpenDescriptors() {
    DIR* dir = opendir("/proc/self/fd");
    if (dir == nullptr) return -1;
    int count = 0;
    while (readdir(dir) != nullptr) ++count;
    closedir(dir);
    return count;
}

ScriptedMessageBox& Boxes() {
    static ScopedScriptedMessageBox boxes;
    return boxes;
}

// ---- CountingSurface ----

GdiObject CountingSurface::Made(GdiObject object) {
    if (object != 0) {
        Check(live_.insert(object).second, "a surface handed out a live object's handle again");
    }
    return object;
}

GdiObject CountingSurface::CreatePen(PenStyle style, int32_t width, Rgb color) {
    const GdiObject pen = Made(inner_.CreatePen(style, width, color));
    if (pen) pens_.insert(pen);
    return pen;
}

GdiObject CountingSurface::CreateSolidBrush(Rgb color) {
    const GdiObject brush = Made(inner_.CreateSolidBrush(color));
    if (brush) brushes_.insert(brush);
    return brush;
}

GdiObject CountingSurface::CreateFontIndirect(const LogFont& font) {
    const GdiObject f = Made(inner_.CreateFontIndirect(font));
    if (f) fonts_.insert(f);
    return f;
}

GdiObject CountingSurface::SelectObject(GdiObject object) {
    const GdiObject old = inner_.SelectObject(object);
    if (old == 0) return old;
    const bool made = live_.count(object) > 0;
    if (pens_.count(object) || (!made && (old == selectedPen_ || pens_.count(old)))) {
        selectedPen_ = made ? object : 0;
    } else if (brushes_.count(object) || (!made && (old == selectedBrush_ || brushes_.count(old)))) {
        selectedBrush_ = made ? object : 0;
    } else if (fonts_.count(object) || (!made && (old == selectedFont_ || fonts_.count(old)))) {
        selectedFont_ = made ? object : 0;
    }
    return old;
}

bool CountingSurface::DeleteObject(GdiObject object) {
    const bool deleted = inner_.DeleteObject(object);
    if (deleted) {
        live_.erase(object);
        pens_.erase(object);
        brushes_.erase(object);
        fonts_.erase(object);
    }
    return deleted;
}

size_t CountingSurface::LiveSelected() const {
    size_t n = 0;
    for (GdiObject o : {selectedPen_, selectedBrush_, selectedFont_})
        if (o != 0 && live_.count(o)) ++n;
    return n;
}

// ---- The map pass ----

namespace {

constexpr size_t kMapOptions = 5;

void SetBounds(DesignState& d, std::array<const char*, 6> texts) {
    for (size_t i = 0; i < 6; ++i) d.BoundsText[i] = texts[i];
}

// What the drawing run does before its passes, then the graticule, drawn
// once: every input starts from the state after it.
void PrepareAndDrawGrid() {
    DesignState& d = Design();
    PlotState& p = Plot();
    p.AsciiScale = d.RelMapWidth / (d.MapXMax - d.MapXMin);
    p.AscFileName.resize(static_cast<size_t>(d.NumInputFiles + p.GridOutputCount + 1));
    p.PenWidth = 1;
    p.DxfNoPolyline = false;
    p.DxfSeqEndPos = 0;
    ScaleScreen();
    d.FirstPass = d.LastPass = true;
    PlotGrid();
}

struct MapStart {
    DesignState design;
    PlotState plot;
};

MapStart MakeMap(FuzzMap map) {
    ResetDesignState();
    ResetPlotState();
    DesignState& d = Design();
    switch (map) {
    case FuzzMap::World: break;
    case FuzzMap::Region:
        d.ProjCode = ProjConformalConic;
        SetBounds(d, {"50    00    00    N", "45    00    00    N", "001    00    00", "126    00    00    W",
                      "114    00    00    W", "002    00    00"});
        CalcGraticule({});
        ParamStdParallel();
        ParamSelect();
        break;
    case FuzzMap::Orthographic:
        d.ProjCode = ProjOrthographic;
        d.BoundsText[2] = "010    00    00";
        d.BoundsText[5] = "010    00    00";
        d.BoundsText[6] = "47    00    00    N";
        d.BoundsText[7] = "120    00    00    W";
        d.BoundsText[8] = "060    00    00";
        CalcGraticule({});
        ParamSelect();
        break;
    case FuzzMap::Utm:
        d.UtmText[0] = "123    00    00    W";
        CalcUtmZone();
        d.ProjCode = ProjUtm;
        d.LatNorthSec = 6200000;
        d.LatSouthSec = 5600000;
        d.LatSpacingSec = 100000;
        d.LonWestSec = d.FrameWestSec = 300000;
        d.LonEastSec = d.FrameEastSec = 800000;
        d.LonSpacingSec = 100000;
        d.NumLatDivisions = 6;
        d.NumLonDivisions = 5;
        d.LatNorth = 6200000;
        d.LatSouth = 5600000;
        d.LatSpacing = 100000;
        d.LonWest = d.FrameWest = 300000;
        d.LonEast = d.FrameEast = 800000;
        d.LonSpacing = 100000;
        ParamSelect();
        break;
    }
    PrepareAndDrawGrid();
    Check(d.PlotStopText.empty(), "the graticule of a fuzz map did not draw");
    return {d, Plot()};
}

const MapStart& StartOf(FuzzMap map) {
    static std::array<std::unique_ptr<MapStart>, 4> starts;
    auto& start = starts[static_cast<size_t>(map)];
    if (!start) start = std::make_unique<MapStart>(MakeMap(map));
    return *start;
}

FuzzHost& Window() {
    static FuzzHost* host = [] {
        EnsureApplication();
        auto* h = new FuzzHost();  // lives as long as the process: the states point at its surface
        SetMainWindow(h);
        Boxes();
        return h;
    }();
    return *host;
}

// The input files as the map pass may not change them: everything but the
// selection flags, which a map file may set for its own classes.
bool SameFiles(const DesignState& a, const DesignState& b) {
    if (a.MaxInputFile() != b.MaxInputFile() || a.MaxGeoFeature() != b.MaxGeoFeature()) return false;
    for (int file = 0; file <= a.MaxInputFile(); ++file) {
        const InputFileRecord& x = a.InputFile(file);
        const InputFileRecord& y = b.InputFile(file);
        if (x.Name != y.Name || x.SymbolType != y.SymbolType || x.LabelFontName != y.LabelFontName ||
            x.LabelFontSize != y.LabelFontSize || x.LabelFontColor != y.LabelFontColor ||
            x.LabelFontBold != y.LabelFontBold)
            return false;
        for (int row = 0; row <= a.MaxGeoFeature(); ++row) {
            const FeatureSymbology& s = a.Feature(row, file);
            const FeatureSymbology& t = b.Feature(row, file);
            if (s.Color != t.Color || s.LineWidth != t.LineWidth || s.SymbolRadius != t.SymbolRadius ||
                s.BorderWidth != t.BorderWidth)
                return false;
        }
    }
    return true;
}

// The fields of the design that the map pass may not write.
// clang-format off
#define TLRX_GUARDED_FIELDS(X)                                                                              \
    X(ProjCode) X(BoundsText) X(LatNorthSec) X(LatNorth) X(LatSouthSec) X(LatSouth) X(LatSpacingSec)         \
    X(NumLatDivisions) X(LonWestSec) X(LonWest) X(LonEastSec) X(LonEast) X(FrameWestSec) X(FrameWest)        \
    X(FrameEastSec) X(FrameEast) X(LonSpacingSec) X(NumLonDivisions) X(CentralMeridian) X(CentLatSec)        \
    X(CentLonSec) X(AzRangeSec) X(StdParNorth) X(StdParSouth) X(InterruptText) X(LobeEdge) X(LobeOffset)     \
    X(UtmText) X(GcDefined) X(GcLat) X(GcLon) X(ScDefined) X(ScLat) X(ScLon) X(GridType) X(GridColor)          \
    X(LineWidthScaling) X(DisplayLabels) X(MapXMin) X(MapXMax) X(MapYMin) X(MapYMax) X(RelMapWidth)          \
    X(NumInputFiles) X(NumGeoFeatures) X(NumTextItems)                                                       \
    X(FontSlotName) X(FontSlotSize) X(DefaultFontName) X(DefaultFontSize) X(UtmSemiMajorAxis) X(UtmM0)
// clang-format on

template <typename List>
bool SameItems(const List& a, const List& b, int32_t count) {
    const size_t n = static_cast<size_t>(count) + 1;
    if (count > 0 && (a.size() < n || b.size() < n)) return false;
    for (size_t i = 1; i < n && i < a.size(); ++i)
        if (!(a[i] == b[i])) return false;
    return true;
}

void CheckGuarded(const DesignState& before, const DesignState& after) {
#define TLRX_COMPARE(field) \
    if (!(before.field == after.field)) Fail("the map pass changed the design's " #field);
    TLRX_GUARDED_FIELDS(TLRX_COMPARE)
#undef TLRX_COMPARE
    // Items 1..NumTextItems (element 0 is unused, and with no item the list
    // may be empty or hold element 0 alone).
    if (!SameItems(before.TextItems, after.TextItems, before.NumTextItems))
        Fail("the map pass changed the design's text items");
    if (!SameFiles(before, after)) Fail("the map pass changed the design's input files");
}

std::string FileName(uint8_t option, std::initializer_list<std::string_view> extensions) {
    std::string ext(extensions.begin()[option % extensions.size()]);
    switch ((option >> 4) & 3) {
    case 1:
        for (char& c : ext) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        break;
    case 2:
        if (!ext.empty()) ext[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(ext[0])));
        break;
    default: break;
    }
    const std::string stem = (option & 0x40) ? "a map, v2" : "map";
    return ext.empty() ? stem : stem + "." + ext;
}

}  // namespace

int RunMapInput(const uint8_t* data, size_t size, std::initializer_list<std::string_view> extensions) {
    FuzzHost& host = Window();
    const FuzzInput in(data, size, kMapOptions);
    const std::string& dir = ScratchFolder();

    const uint8_t nameOption = in.Option(0);
    const bool missing = nameOption == 0xFF;
    const std::string path = dir + "/" + FileName(nameOption, extensions);
    const std::string exportPath = dir + "/export.txt";
    if (!missing) WriteFile(path, in.Body());

    const uint8_t flags = in.Option(1);
    DesignState& d = Design();
    PlotState& p = Plot();
    const MapStart& start = StartOf(static_cast<FuzzMap>(flags & 3));
    d = start.design;
    p = start.plot;
    d.InputFileName(1) = path;
    d.InputFileSymbolType(1) = static_cast<int16_t>(in.Option(4) % 12 + 1);
    const uint8_t rows = in.Option(2);
    for (int row = 1; row <= d.NumGeoFeatures; ++row)
        d.FeatureSelected(row, 1) = rows == 0 || ((rows >> ((row - 1) % 8)) & 1);
    d.DisplayLabels = (flags & 8) != 0;
    const bool exporting = (flags & 4) != 0;
    constexpr std::string_view kEarlier = "an earlier export";
    if (exporting) {
        p.OutAscii = true;
        p.GridOutputCount = 0;
        p.AscFileName = {"", exportPath};
        // As a drawing run writes it: replacing an earlier file only once complete.
        WriteFile(exportPath, kEarlier);
        Files().StageOutputs();
    }
    d.FirstPass = true;
    d.LastPass = (flags & 16) == 0;

    const uint8_t stopAt = in.Option(3) % 32;
    bool stopped = false;
    SetDoEventsHook([stopAt, &stopped](int64_t n) {
        if (stopAt != 0 && n == stopAt) {
            StopRun();
            stopped = true;
        }
    });
    ResetDoEventsCount();
    host.caption = "Run";
    Boxes().log.clear();

    const DesignState before = d;
    const std::set<GdiObject> liveBefore = host.counting.Live();
    const int descriptors = OpenDescriptors();
    try {
        MapPlot();
    } catch (const std::exception& e) {
        Fail(std::string("the map pass let an exception out: ") + e.what());
    }
    SetDoEventsHook({});

    // A missing file is not always reported: the kinds read only when row 1
    // is selected are not looked for when it is not.
    bool failed = false;
    for (const MessageBoxRecord& box : Boxes().log)
        if (box.title == "Error in MapPlot" || box.title == "File not found error in MapPlot") failed = true;
    RunFiles& files = Files();
    if (exporting) {
        // The run's end: a completed pass's export replaces the earlier file.
        try {
            if (!failed && !stopped) files.CommitOutputs();
        } catch (const std::exception& e) {
            Fail(std::string("the export could not be completed: ") + e.what());
        }
        files.EndStaging();
        std::error_code ec;
        const bool replaced = ReadFile(exportPath) != kEarlier;
        if (failed || stopped) Check(!replaced, "a failed or stopped pass replaced the earlier export file");
        else Check(replaced, "a completed pass did not replace the earlier export file");
        for (const auto& entry : fs::directory_iterator(dir, ec))
            Check(entry.path().filename().string().rfind(".tlrx-", 0) != 0, "a temporary export file was left");
        fs::remove(exportPath, ec);
    }

    Check(!files.InputOpen(), "the map file was left open");
    Check(!files.OutputOpen(), "the export file was left open");
    Check(OpenDescriptors() == descriptors, "a file descriptor was left open");
    Check(host.counting.Live() == liveBefore, "a pen, brush or font was left alive on the window");
    Check(host.counting.LiveSelected() == 0, "a pen, brush or font was left selected into the window");
    Check(p.DrawPen == 0 && p.OldPen == 0 && p.SymbolBrush == 0, "the pass kept a drawing object");
    if (d.LastPass) {
        Check(!p.TextItemsSaved, "the run's temporary label items were not taken away");
        Check(d.NumTextItems == before.NumTextItems, "a temporary label item remained");
    } else {
        RemoveTemporaryLabelItems();  // what the run does at its end after a lobe's pass
    }
    CheckGuarded(before, d);

    std::error_code ec;
    fs::remove(path, ec);
    d.PlotStopText.clear();
    return 0;
}

}  // namespace tlrx::fuzz
