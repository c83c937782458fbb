// A design file recalled, over whatever the file holds:
//   option 0: bit 0 a printer (its orientation portrait), bit 1 a small
//             screen (640 by 400 pixels maximised, the window maximised on
//             it), so that larger saved windows are fitted;
// then the file's bytes. A refused file must leave the design, the run
// state's file values, the window, the caption and the menu as they were;
// no file may stay open; a recalled design must save, and the file saved
// must recall and save again to the same bytes. What the design recalled
// leads to must work too: its circles are saved as circle files holding every
// point of every circle, and its map is fitted into the window.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "FuzzSupport.h"
#include "core/DesignState.h"
#include "designfile/CircleFiles.h"
#include "designfile/CnfFile.h"
#include "designfile/CnfLayout.h"
#include "platform/Host.h"
#include "platform/Printer.h"
#include "plot/PlotState.h"
#include "plot/Scaling.h"
#include "support/FakeDesignWindow.h"
#include "support/ScriptedPrinters.h"

namespace {

using namespace tlrx;
using namespace tlrx::fuzz;

// The design and the run state's file values as a file would hold them.
std::string Snapshot() {
    SavedWindow w;
    return WriteCurrentVersion({Design(), Plot(), w});
}

std::string Read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

size_t LineCount(const std::string& path) {
    const std::string text = Read(path);
    return static_cast<size_t>(std::count(text.begin(), text.end(), '\n'));
}

// The text of the last box shown, for a failed check.
std::string LastBox() {
    return Boxes().log.empty() ? std::string() : ": " + Boxes().log.back().title + ": " + Boxes().log.back().text;
}

// Saves the recalled design's circles, each set that is on, as circle files.
void CheckCircleFiles() {
    const DesignState& d = Design();
    PlotState& p = Plot();
    if (d.ScDefined) {
        Boxes().log.clear();
        Check(d.ScCount >= 1 && d.ScCircleEnd.size() == static_cast<size_t>(d.ScCount) + 1,
              "the small circles of a recalled design were not computed");
        for (int k = 1; k <= d.ScCount; ++k)
            Check(d.ScCircleEnd[static_cast<size_t>(k)] > d.ScCircleEnd[static_cast<size_t>(k - 1)],
                  "a small circle of a recalled design has no point");
        p.ScFileName = ScratchFolder() + "/sc.prn";
        p.OutSc = true;
        ScSave();
        Check(Boxes().log.empty() && !p.OutSc, "the small circles of a recalled design were not saved" + LastBox());
        Check(LineCount(p.ScFileName) == static_cast<size_t>(d.ScCircleEnd.back()),
              "the small circle file of a recalled design lacks points");
    }
    if (d.GcDefined) {
        Boxes().log.clear();
        p.GcFileName = ScratchFolder() + "/gc.prn";
        p.OutGc = true;
        GcSave();
        Check(Boxes().log.empty() && !p.OutGc, "the great circle of a recalled design was not saved" + LastBox());
        Check(d.GcLat.size() > 1 && LineCount(p.GcFileName) == d.GcLat.size() - 1,
              "the great circle file of a recalled design lacks points");
    }
}

// Fits the recalled design's map into the window, as a drawing run starts.
void CheckDrawingSetUp() {
    Boxes().log.clear();
    ScaleScreen();
    const PlotState& p = Plot();
    Check(Boxes().log.empty(), "a recalled design could not be fitted into the window" + LastBox());
    for (double v : {p.DevScaleX, p.DevScaleY, p.OutScale})
        Check(std::isfinite(v) && v > 0, "a recalled design was fitted into the window with no size");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    EnsureApplication();
    static ScopedScriptedPrinters printers;
    // The main window the circle files and the drawing's fit see.
    static FakeHost* host = [] {
        auto* h = new FakeHost();
        SetMainWindow(h);
        return h;
    }();
    host->caption = "Tellurax: Equirectangular projection";
    const FuzzInput in(data, size, 1);
    ResetDesignState();
    ResetPlotState();
    if (in.Option(0) & 1) {
        Plot().PrnDlg = Printers().NewPrinterDialog();
        Plot().PrnDlg->Settings.Orientation = 1;
    }
    if (in.Option(0) & 2) {
        Design().FullScreenWidthPx = 640;
        Design().FullScreenHeightPx = 400;
    }
    Boxes().log.clear();
    const std::string path = ScratchFolder() + "/design.cnf";
    const std::string saved = ScratchFolder() + "/saved.cnf";
    WriteFile(path, in.Body());
    const int descriptors = OpenDescriptors();

    test::FakeDesignWindow window;
    if (in.Option(0) & 2) {
        // A window is never larger than its screen: it starts maximised on
        // the small one (older designs recall into the window as it is).
        window.state = 2;
        window.width = Design().FullScreenWidthPx * Design().TwipsPerPixelX + test::FakeDesignWindow::kFrameWidth;
        window.height = Design().FullScreenHeightPx * Design().TwipsPerPixelY + test::FakeDesignWindow::kFrameHeight;
    }
    Plot().CnfFileName = path;
    Design().SavedCaption = "kept";
    const std::string before = Snapshot();
    const bool read = CnfRead(window);
    Check(OpenDescriptors() == descriptors, "a file descriptor was left open");
    if (!read) {
        Check(Boxes().log.size() == 1 && Boxes().log[0].title == "Error in CnfRead", "a refusal showed no one box");
        Check(Snapshot() == before, "a refused file changed the design");
        Check(Design().SavedCaption == "kept", "a refused file changed the saved caption");
        Check(window.changes == 0, "a refused file changed the window or the menu");
        Check(window.caption == "Tellurax: Equirectangular projection", "a refused file left another caption");
        return 0;
    }
    // The circles are computed before the design is replaced: a recall that
    // succeeded shows no box, not even one of the computations after it.
    Check(Boxes().log.empty(), "a recall that succeeded showed a box" + LastBox());

    // A save that fails names its reason.
    Plot().CnfFileName = saved;
    bool ok = CnfSave(window);
    Check(ok, "a recalled design was not saved" + LastBox());
    const std::string first = Read(saved);
    Boxes().log.clear();
    ok = CnfRead(window);
    Check(ok, "a saved design was not recalled" + LastBox());
    ok = CnfSave(window);
    Check(ok, "a design recalled from a saved file was not saved" + LastBox());
    Check(Read(saved) == first, "a saved design recalled and saved again gave other bytes");
    Check(OpenDescriptors() == descriptors, "a file descriptor was left open");

    CheckCircleFiles();
    CheckDrawingSetUp();
    Check(OpenDescriptors() == descriptors, "a file descriptor was left open");

    std::error_code ec;
    for (const char* name : {"/saved.cnf", "/sc.prn", "/gc.prn"}) std::filesystem::remove(ScratchFolder() + name, ec);
    return 0;
}
