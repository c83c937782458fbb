// The drawing run of the real main window: Draw Map, Stop and Esc, a run
// that fails, the lobes of the interrupted Mollweide, closing during a run.

#include <gtest/gtest.h>

#include <QAction>
#include <QCoreApplication>
#include <QImage>
#include <QListWidget>
#include <QPaintEvent>
#include <QPainter>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QTest>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <vector>

#include "AppTestSupport.h"
#include "app/DrawingArea.h"
#include "app/MapReduce.h"
#include "app/Tellurax.h"
#include "core/Errors.h"
#include "core/Graticule.h"
#include "core/ProjParams.h"
#include "core/SharedRoutines.h"
#include "dialogs/content/InputFileChoices.h"
#include "dialogs/content/InputFileParams.h"
#include "plot/MapPlot.h"
#include "plot/MapText.h"
#include "plot/PlotState.h"
#include "plot/RunFiles.h"
#include "plot/export/Bmp.h"
#include "plot/export/WmfExport.h"

namespace tlrx {
namespace {

namespace fs = std::filesystem;
using test::AppTest;
using test::WhenShown;

using namespace std::chrono_literals;

// The main window with its beeps counted.
class CountingWindow : public Tellurax {
public:
    void Beep() override { ++beeps; }
    int beeps = 0;
};

// What the drawing area shows: every repaint of the area, when it came on
// the area's clock (a fake one the test moves on), and the screen it leaves,
// that is, the parts repainted copied from the picture.
class AreaScreen : public QObject {
public:
    using Clock = std::chrono::steady_clock;
    explicit AreaScreen(DrawingArea& area) : screen(area.Picture().copy()), area_(area) {
        area.SetClock([this] { return now; });
        area.installEventFilter(this);
    }
    ~AreaScreen() override {
        area_.removeEventFilter(this);
        area_.SetClock({});
    }
    struct Repaint {
        Clock::time_point at;
        QRect rect;
    };
    Clock::time_point now = Clock::now();
    std::vector<Repaint> repaints;
    QImage screen;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == &area_ && event->type() == QEvent::Paint) {
            const QRect rect = static_cast<QPaintEvent*>(event)->rect();
            repaints.push_back({now, rect});
            if (screen.size() != area_.Picture().size()) screen = area_.Picture().copy();
            QPainter(&screen).drawImage(rect.topLeft(), area_.Picture(), rect);
        }
        return false;
    }

private:
    DrawingArea& area_;
};

class DrawingRunTest : public AppTest {
protected:
    // Draw Map, answered with "Draw Map" at the percentage shown.
    void DrawMap(Tellurax& window) {
        WhenShown<MapReduce>([](MapReduce& dlg) { dlg.DrawMap->click(); });
        window.mnuBar[3]->trigger();
    }
    // The ASCII export of the graticule into grid.txt, as its dialog asks for it.
    // How many temporary files of replaced outputs are left in the test folder.
    int TemporaryFiles() const {
        int count = 0;
        for (const auto& entry : fs::directory_iterator(dir))
            if (entry.path().filename().string().rfind(".tlrx-", 0) == 0) ++count;
        return count;
    }
    void RequestAscii() {
        PlotState& p = Plot();
        p.OutAscii = true;
        p.AscFileName = {"", Path("grid.txt"), Path("map.txt")};
    }
    // Pixels of the picture in the given colour.
    static int Count(const QImage& picture, QRgb colour) {
        int n = 0;
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x) n += (picture.pixel(x, y) & 0xFFFFFF) == (colour & 0xFFFFFF);
        return n;
    }
    // The default world map of the source tree as input file 1.
    static void UseWorldMap() { Design().InputFileName(1) = std::string(TLRX_TEST_DATA_DIR) + "/../../data/Tlrx4.map"; }
    // What every end of a run leaves.
    void ExpectIdle(const Tellurax& window) {
        const PlotState& p = Plot();
        EXPECT_FALSE(window.Plotting);
        EXPECT_EQ(Design().PlotStopText, "");
        EXPECT_EQ(window.windowTitle(), "Tellurax: Equirectangular projection");
        for (int i = 0; i <= 4; ++i) EXPECT_TRUE(window.mnuBar[static_cast<size_t>(i)]->isEnabled()) << i;
        EXPECT_FALSE(window.mnuBar[5]->isEnabled());
        EXPECT_FALSE(p.OutAscii || p.OutCgm || p.OutDxf || p.OutWmf || p.OutGc);
        EXPECT_EQ(p.CgmPos, 1);
        EXPECT_EQ(p.PenWidth, 1);
        EXPECT_EQ(p.DrawPen, 0u);
        EXPECT_FALSE(Files().OutputOpen());
        EXPECT_FALSE(QApplication::overrideCursor());
    }
};

TEST_F(DrawingRunTest, DrawMapDrawsTheDefaultWorld) {
    std::vector<std::string> during;
    SetMapPlotPass([&] {
        // The menus are locked while the run goes on; only Stop is enabled.
        during.push_back(MainWindow().Caption());
        EXPECT_FALSE(dynamic_cast<Tellurax&>(MainWindow()).mnuBar[3]->isEnabled());
        EXPECT_TRUE(dynamic_cast<Tellurax&>(MainWindow()).mnuBar[5]->isEnabled());
        MapPlot();
    });
    CountingWindow window;
    UseWorldMap();
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    // A picture kept from before: the run releases it.
    BmpCapture(window, window.WindowPicture);
    ASSERT_TRUE(window.WindowPicture.hBitmap);
    DrawMap(window);
    EXPECT_FALSE(window.WindowPicture.hBitmap);

    EXPECT_EQ(during, (std::vector<std::string>{"Tellurax: click on Stop or press Esc to stop plotting"}));
    EXPECT_EQ(window.beeps, 1);
    EXPECT_FALSE(Design().DialogCancelled);
    EXPECT_EQ(Plot().MapFillFraction, 1.0);
    EXPECT_GT(DoEventsCount(), 16);  // the map file yields too
    EXPECT_GE(Plot().PlotTime, 0.0f);
    EXPECT_TRUE(boxes.log.empty());
    ExpectIdle(window);

    // The graticule in black on the white background: the equator crosses
    // the map's middle row from side to side. The coastlines in green, the
    // lakes and rivers in blue, the countries in red.
    const QImage& picture = window.Area().Picture();
    EXPECT_EQ(picture.size(), window.Area().size());
    EXPECT_GT(Count(picture, qRgb(0, 0, 0)), 2000);
    EXPECT_GT(Count(picture, qRgb(0, 128, 0)), 5000);
    EXPECT_GT(Count(picture, qRgb(0, 0, 255)), 2000);
    EXPECT_GT(Count(picture, qRgb(255, 0, 0)), 2000);
    const PlotState& p = Plot();
    const int middle = static_cast<int>((p.DevOffsetY - (Design().MapYMax + Design().MapYMin) / 2 * p.DevScaleY) / 15);
    int black = 0;
    for (int x = 0; x < picture.width(); ++x) black += (picture.pixel(x, middle) & 0xFFFFFF) == 0;
    EXPECT_GT(black, picture.width() * 9 / 10);

    // The window as a person sees it.
    window.grab().save(QString::fromStdString(std::string(TLRX_TEST_OUT_DIR) + "/tellurax-draw-map.png"));
}

TEST_F(DrawingRunTest, DrawMapDrawsTheTextItemsAndLabelsAndKeepsNoLabelItems) {
    SetMapPlotPass({});  // the program's own passes
    SetPrintTextPass({});
    CountingWindow window;
    UseWorldMap();
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    DesignState& d = Design();
    // A point file with labels, drawn as hollow squares.
    const int16_t file = ++d.NumInputFiles;
    ResizeInputFiles(file);
    d.InputFileName(file) = std::string(TLRX_TEST_DATA_DIR) + "/../../data/samples/nw.prn";
    d.InputFileSymbolType(file) = SymSquare;
    d.FeatureSelected(1, file) = true;
    d.FeatureSymbolRadius(1, file) = 45;
    d.InputFileLabelFontSize(file) = 10;
    d.InputFileLabelFontColor(file) = 0xA00000;  // RGB(0, 0, 160)
    // One text item in a colour of its own, near the top left of the area.
    d.NumTextItems = 1;
    ResizeTextItems(1);
    d.TextItems[1].TextItemText = "Tellurax";
    d.TextItems[1].TextItemFontName = d.DefaultFontName;
    d.TextItems[1].TextItemFontSize = 24;
    d.TextItems[1].TextItemColor = 0x0064C8;  // RGB(200, 100, 0)
    d.TextItems[1].TextItemX = 1500;
    d.TextItems[1].TextItemY = 1500;
    d.TextItems[1].TextItemRotation = 0;

    DrawMap(window);
    EXPECT_TRUE(boxes.log.empty()) << (boxes.log.empty() ? "" : boxes.log[0].text);
    const QImage& picture = window.Area().Picture();
    EXPECT_GT(Count(picture, qRgb(200, 100, 0)), 20);  // the text item
    EXPECT_GT(Count(picture, qRgb(0, 0, 160)), 20);    // the labels
    // The labels were temporary text items of the run only.
    EXPECT_EQ(d.NumTextItems, 1);
    EXPECT_EQ(d.TextItems[1].TextItemText, "Tellurax");
    ExpectIdle(window);
}

// The whole path of a second map file: chosen in the file list of the File
// menu, given its own colour and width in the symbology dialog, drawn over
// the world map.
TEST_F(DrawingRunTest, AMapFileAddedThroughTheFileListIsDrawnInItsOwnColours) {
    SetMapPlotPass({});
    SetPrintTextPass({});
    CountingWindow window;
    UseWorldMap();
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    const std::string sample = std::string(TLRX_TEST_DATA_DIR) + "/../../data/samples/nw.map";
    const int32_t orange = PaletteRgb(MakeRgb(255, 128, 0));
    fileDialogs.choices = {FileDialogChoice::Name(sample)};
    WhenShown<InputFileChoices>([&](InputFileChoices& list) {
        EXPECT_EQ(list.InputFilesOpen->count(), 2);
        WhenShown<InputFileParams>([&](InputFileParams& params) {
            EXPECT_EQ(params.DataRows(), 10);
            for (int row = 1; row <= 10; ++row) {
                Design().ColorPicBoxIndex = static_cast<int16_t>(row);
                params.ApplyPickedColor(orange);
                params.GeoFeatures->item(row - 1, 1)->setText("0003");
            }
            params.OK->click();
        });
        list.InputFilesOpen->setCurrentRow(1);  // after the last file
        list.InputFileAdd->click();
        EXPECT_EQ(list.InputFilesOpen->item(1)->text().toStdString(), "02   " + sample);
        list.OK->click();
    });
    window.mnuInput[0]->trigger();
    const DesignState& d = Design();
    ASSERT_EQ(d.NumInputFiles, 2);
    EXPECT_EQ(d.InputFileName(2), sample);
    EXPECT_EQ(d.FeatureLineWidth(1, 2), 45);

    DrawMap(window);
    EXPECT_TRUE(boxes.log.empty()) << (boxes.log.empty() ? "" : boxes.log[0].text);
    const QImage& picture = window.Area().Picture();
    EXPECT_GT(Count(picture, qRgb(255, 128, 0)), 200);  // the sample, three pixels wide
    EXPECT_GT(Count(picture, qRgb(0, 128, 0)), 200);    // the world's coastlines
    picture.save(QString::fromStdString(std::string(TLRX_TEST_OUT_DIR) + "/tellurax-second-map-file.png"));
    ExpectIdle(window);
}

TEST_F(DrawingRunTest, TheMapSizeDialogSetsTheFractionOrDrawsNothing) {
    Tellurax window;
    // A picture with a mark in it, to see whether the window is cleared.
    window.DC().SetPixel(3, 3, MakeRgb(255, 0, 0));

    WhenShown<MapReduce>([](MapReduce& dlg) {
        EXPECT_EQ(dlg.windowTitle(), "Select Map Size");
        EXPECT_EQ(dlg.MapReduction->value(), 100);
        dlg.Cancel->click();
    });
    window.mnuBar[3]->trigger();
    EXPECT_FALSE(Design().DialogCancelled);
    EXPECT_EQ(window.Area().Picture().pixel(3, 3) & 0xFFFFFF, 0xFF0000u);
    EXPECT_EQ(DoEventsCount(), 0);

    // A fraction of one third shows 33 and is stored as 33 / 100.
    Plot().MapFillFraction = 1.0 / 3;
    WhenShown<MapReduce>([](MapReduce& dlg) {
        EXPECT_EQ(dlg.MapReduction->value(), 33);
        dlg.DrawMap->click();
    });
    window.mnuBar[3]->trigger();
    EXPECT_EQ(Plot().MapFillFraction, 0.33);
    EXPECT_EQ(window.Area().Picture().pixel(3, 3) & 0xFFFFFF, 0xFFFFFFu);  // cleared, then drawn smaller
    EXPECT_GT(DoEventsCount(), 0);
}

// Esc, or Stop, at the k-th yield of a run that writes the ASCII export:
// the file of an earlier export stays as it was (also while the run writes),
// the run ended cleanly, and the next Draw Map only draws.
TEST_F(DrawingRunTest, StopAtAnyYieldKeepsTheEarlierExport) {
    Tellurax window;
    // Seven parallels and nine meridians: sixteen yields of the graticule.
    for (const bool viaMenu : {false, true}) {
        for (const int64_t k : {1, 8, 16}) {
            SCOPED_TRACE((viaMenu ? "Stop at yield " : "Esc at yield ") + std::to_string(k));
            int mapPlots = 0;
            SetMapPlotPass([&] { ++mapPlots; });
            RequestAscii();
            std::ofstream(Path("grid.txt"), std::ios::binary) << "earlier";
            ResetDoEventsCount();
            SetDoEventsHook([&](int64_t n) {
                if (n != k) return;
                EXPECT_EQ(Contents(Path("grid.txt")), "earlier");
                if (viaMenu) {
                    window.mnuBar[5]->trigger();
                    QCoreApplication::processEvents();  // the Esc that Stop sends
                } else {
                    QTest::keyClick(&window, Qt::Key_Escape);
                }
                EXPECT_FALSE(window.Plotting);
                EXPECT_EQ(Design().PlotStopText, "Escape");
            });
            DrawMap(window);
            EXPECT_EQ(DoEventsCount(), k);  // the pass left at once
            EXPECT_EQ(mapPlots, 0);
            EXPECT_EQ(Contents(Path("grid.txt")), "earlier");
            EXPECT_EQ(TemporaryFiles(), 0);
            EXPECT_EQ(Plot().CurOutFile, "");
            ExpectIdle(window);

            // The next plain Draw Map draws the whole map and writes nothing.
            SetDoEventsHook([](int64_t) {});
            DrawMap(window);
            EXPECT_EQ(mapPlots, 1);
            EXPECT_EQ(Contents(Path("grid.txt")), "earlier");
            ExpectIdle(window);
        }
    }
    EXPECT_TRUE(boxes.log.empty());
}

// Each export of a run that is stopped, in the graticule or among the map
// files, is deleted with its WMF recording; one that is not stopped is
// written, and the next plain Draw Map leaves it alone.
TEST_F(DrawingRunTest, EveryExportIsDeletedWhenStoppedAndKeptWhenNot) {
    struct Export {
        const char* name;
        std::function<void()> request;
        std::string file;  // the file a run that is not stopped writes
    };
    // clang-format off
    const std::vector<Export> exports = {
        {"ASCII", [this] { RequestAscii(); }, Path("map.txt")},
        {"CGM", [this] { Plot().OutCgm = true; Plot().CgmFileName = Path("map.cgm"); }, Path("map.cgm")},
        {"DXF", [this] { Plot().OutDxf = true; Plot().DxfFileName = Path("map.dxf"); }, Path("map.dxf")},
        {"WMF", [this] { StartWmfRecording(Path("map.wmf")); }, Path("map.wmf")},
    };
    // clang-format on
    Tellurax window;
    UseWorldMap();
    SetMapPlotPass({});  // the program's own: the map file is drawn and exported
    for (const Export& e : exports) {
        for (const int64_t k : {int64_t{5}, int64_t{16 + 2}, int64_t{0}}) {
            SCOPED_TRACE(std::string(e.name) + ", Esc at yield " + std::to_string(k));
            e.request();
            ResetDoEventsCount();
            std::string partial;
            SetDoEventsHook([&](int64_t n) {
                if (n != k) return;
                partial = Plot().CurOutFile;
                QTest::keyClick(&window, Qt::Key_Escape);
            });
            DrawMap(window);
            ExpectIdle(window);
            EXPECT_EQ(Plot().MetafileDC, nullptr);
            EXPECT_EQ(Plot().MetafileRecorder, nullptr);
            EXPECT_EQ(Plot().MetafileHandle, nullptr);
            if (k != 0) {
                EXPECT_EQ(DoEventsCount(), k);
                EXPECT_FALSE(partial.empty());
                EXPECT_FALSE(fs::exists(partial));
                EXPECT_FALSE(fs::exists(e.file));
                continue;
            }
            // Written whole; the next Draw Map only draws.
            ASSERT_TRUE(fs::exists(e.file));
            const auto written = fs::last_write_time(e.file);
            const auto size = fs::file_size(e.file);
            SetDoEventsHook([](int64_t) {});
            DrawMap(window);
            EXPECT_EQ(fs::last_write_time(e.file), written);
            EXPECT_EQ(fs::file_size(e.file), size);
            fs::remove(e.file);
            fs::remove(Path("grid.txt"));
        }
    }
    EXPECT_TRUE(boxes.log.empty());
    for (const auto& b : boxes.log) ADD_FAILURE() << b.title << ": " << b.text;
}

// Export, export again to the same names and press Stop, in the graticule or
// among the map files: every finished file stays as it was. A run that
// completes replaces them, and they keep their permissions.
TEST_F(DrawingRunTest, StopKeepsTheFinishedFilesOfAnEarlierExport) {
    struct Export {
        const char* name;
        std::function<void()> request;
        std::vector<std::string> files;
    };
    const std::vector<Export> exports = {
        {"ASCII", [this] { RequestAscii(); }, {Path("grid.txt"), Path("map.txt")}},
        {"CGM",
         [this] {
             Plot().OutCgm = true;
             Plot().CgmFileName = Path("map.cgm");
         },
         {Path("map.cgm")}},
        {"DXF",
         [this] {
             Plot().OutDxf = true;
             Plot().DxfFileName = Path("map.dxf");
         },
         {Path("map.dxf")}},
        {"WMF", [this] { StartWmfRecording(Path("map.wmf")); }, {Path("map.wmf")}},
    };
    Tellurax window;
    UseWorldMap();
    SetMapPlotPass({});
    for (const Export& e : exports) {
        SCOPED_TRACE(e.name);
        e.request();
        SetDoEventsHook([](int64_t) {});
        DrawMap(window);
        std::vector<std::string> finished;
        for (const std::string& file : e.files) {
            ASSERT_TRUE(fs::exists(file));
            finished.push_back(Contents(file));
            fs::permissions(file, fs::perms(0640));
        }
        for (const int64_t k : {int64_t{5}, int64_t{16 + 2}}) {
            SCOPED_TRACE("Stop at yield " + std::to_string(k));
            e.request();
            ResetDoEventsCount();
            SetDoEventsHook([&](int64_t n) {
                if (n != k) return;
                window.mnuBar[5]->trigger();
                QCoreApplication::processEvents();  // the Esc that Stop sends
            });
            DrawMap(window);
            EXPECT_EQ(DoEventsCount(), k);
            for (size_t i = 0; i < e.files.size(); ++i) EXPECT_EQ(Contents(e.files[i]), finished[i]);
            EXPECT_EQ(TemporaryFiles(), 0);
            ExpectIdle(window);
        }
        e.request();
        SetDoEventsHook([](int64_t) {});
        DrawMap(window);
        for (const std::string& file : e.files) {
            EXPECT_EQ(fs::status(file).permissions() & fs::perms::all, fs::perms(0640));
            fs::remove(file);
        }
    }
    EXPECT_TRUE(boxes.log.empty());
    for (const auto& b : boxes.log) ADD_FAILURE() << b.title << ": " << b.text;
}

TEST_F(DrawingRunTest, EscDuringTheMapPlottingPassEndsTheRunWithoutMapText) {
    CountingWindow window;
    RequestAscii();
    int texts = 0;
    SetPrintTextPass([&] { ++texts; });
    // A map plotting pass that writes the map's export and yields as it goes.
    SetMapPlotPass([&] {
        PlotState& p = Plot();
        p.CurOutFile = p.AscFileName[2];
        Files().CreateOutputText(p.CurOutFile);
        for (int i = 0; i < 10; ++i) {
            Files().WriteLine("0.5000000  00.2500000");
            DoEvents();
            if (Design().PlotStopText == "Escape") return;
        }
        Files().CloseOutput();
    });
    SetDoEventsHook([&](int64_t n) {
        if (n == 16 + 4) QTest::keyClick(&window, Qt::Key_Escape);  // the fourth yield of the map files
    });
    DrawMap(window);
    EXPECT_FALSE(fs::exists(Path("map.txt")));
    EXPECT_FALSE(fs::exists(Path("grid.txt")));  // finished before the stop, but part of the stopped export
    EXPECT_EQ(texts, 0);
    EXPECT_EQ(window.beeps, 0);
    ExpectIdle(window);
}

// An export that is one of the map files read, under another name on disk,
// is refused before anything is drawn: the map file stays whole.
TEST_F(DrawingRunTest, AnExportThatIsAnInputMapFileIsRefused) {
    Tellurax window;
    const std::string map = Path("nw.map");
    fs::copy_file(std::string(TLRX_TEST_DATA_DIR) + "/../../data/Tlrx4.map", map);
    const std::string bytes = Contents(map);
    Design().InputFileName(1) = map;
    fs::create_symlink(map, Path("alias.cgm"));
    Plot().OutCgm = true;
    Plot().CgmFileName = Path("alias.cgm");
    ResetDoEventsCount();
    DrawMap(window);
    ASSERT_EQ(boxes.log.size(), 1u);
    EXPECT_EQ(boxes.log[0].title, "Error: Output Filename");
    EXPECT_EQ(boxes.log[0].text, "The output file " + Path("alias.cgm") + "\nis one of the input map files!");
    EXPECT_EQ(DoEventsCount(), 0);
    EXPECT_EQ(Contents(map), bytes);
    EXPECT_TRUE(fs::is_symlink(Path("alias.cgm")));
    EXPECT_FALSE(Plot().OutCgm);
    EXPECT_FALSE(window.Plotting);
}

// Whatever took an output's name during the run is not touched by a stop.
TEST_F(DrawingRunTest, AStopLeavesWhatTookTheExportsPlace) {
    Tellurax window;
    RequestAscii();
    SetDoEventsHook([&](int64_t n) {
        if (n != 3) return;
        fs::create_directories(Path("grid.txt") + "/held");
        QTest::keyClick(&window, Qt::Key_Escape);
    });
    DrawMap(window);
    EXPECT_TRUE(boxes.log.empty());
    EXPECT_TRUE(fs::exists(Path("grid.txt") + "/held"));
    EXPECT_EQ(TemporaryFiles(), 0);
    EXPECT_EQ(DoEventsCount(), 3);
    ExpectIdle(window);
    EXPECT_EQ(Plot().CurOutFile, "");
}

TEST_F(DrawingRunTest, ARunThatFailsEndsAsAStopDoes) {
    Tellurax window;
    RequestAscii();
    // The map plotting pass writes its export and fails half-way.
    SetMapPlotPass([&] {
        Plot().CurOutFile = Path("map.txt");
        Files().CreateOutputText(Plot().CurOutFile);
        Files().WriteLine("0.5000000  00.2500000");
        Raise(kOverflow);
    });
    DrawMap(window);
    ASSERT_EQ(boxes.log.size(), 1u);
    EXPECT_EQ(boxes.log[0].text, "Error: Overflow");
    EXPECT_EQ(boxes.log[0].title, "Error in MapDraw");
    EXPECT_FALSE(fs::exists(Path("map.txt")));
    EXPECT_FALSE(fs::exists(Path("grid.txt")));  // the export is given up whole
    EXPECT_EQ(Plot().CurOutFile, "");
    EXPECT_GE(Plot().PlotTime, 0.0f);
    ExpectIdle(window);

    // The next plain Draw Map writes no export.
    SetMapPlotPass([] {});
    DrawMap(window);
    EXPECT_FALSE(fs::exists(Path("grid.txt")));
    EXPECT_FALSE(fs::exists(Path("map.txt")));
    EXPECT_EQ(boxes.log.size(), 1u);

    // A lobe count beyond the 16-bit range fails before anything is drawn,
    // and leaves the finished export of the run before it alone.
    RequestAscii();
    DrawMap(window);
    ASSERT_TRUE(fs::exists(Path("grid.txt")));
    Design().ProjCode = ProjInterruptedMollweide;
    Design().InterruptText[0] = "40000";
    DrawMap(window);
    ASSERT_EQ(boxes.log.size(), 2u);
    EXPECT_EQ(boxes.log[1].text, "Error: Overflow");
    EXPECT_EQ(boxes.log[1].title, "Error in MapDraw");
    EXPECT_TRUE(fs::exists(Path("grid.txt")));
    EXPECT_FALSE(window.Plotting);
    EXPECT_TRUE(window.mnuBar[3]->isEnabled());
    EXPECT_FALSE(QApplication::overrideCursor());
}

TEST_F(DrawingRunTest, TheInterruptedMollweideIsDrawnLobeByLobe) {
    struct Pass {
        bool first, last;
        double offset;
    };
    struct Case {
        const char* north;
        const char* south;
        std::vector<int> lobes;
    };
    const Case cases[] = {{"2", "1", {1, 2, 3, 5, 6}}, {"0", "0", {1, 3}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string("interruptions ") + c.north + " and " + c.south);
        ResetDesignState();
        std::vector<Pass> passes;
        int texts = 0;
        SetMapPlotPass([&] {
            const DesignState& d = Design();
            passes.push_back({d.FirstPass, d.LastPass, d.CurLobeOffset});
        });
        SetPrintTextPass([&] { ++texts; });
        CountingWindow window;
        DesignState& d = Design();
        d.ProjCode = ProjInterruptedMollweide;
        CalcGraticule({});
        ParamSelect();
        d.InterruptText[0] = c.north;
        d.InterruptText[1] = c.south;
        // clang-format off
        d.LobeEdgeText = {"180    00    00    W", "045    00    00    W", "090    00    00    E",
                          "180    00    00    E", "180    00    00    W", "000    00    00    W",
                          "180    00    00    E", "", "", ""};
        if (c.lobes.size() == 2) d.LobeEdgeText = {"180    00    00    W", "180    00    00    E",
                                                   "180    00    00    W", "180    00    00    E",
                                                   "", "", "", "", "", ""};
        // clang-format on
        for (size_t i = 0; i < d.LobeOffset.size(); ++i) d.LobeOffset[i] = 0.01 * static_cast<double>(i);
        DrawMap(window);
        ASSERT_EQ(passes.size(), c.lobes.size());
        for (size_t i = 0; i < passes.size(); ++i) {
            EXPECT_EQ(passes[i].first, i == 0) << i;
            EXPECT_EQ(passes[i].last, i + 1 == passes.size()) << i;
            EXPECT_DOUBLE_EQ(passes[i].offset, 0.01 * c.lobes[i]) << i;
        }
        EXPECT_EQ(window.beeps, static_cast<int>(c.lobes.size()));
        EXPECT_EQ(texts, 1);
        EXPECT_EQ(d.CurLobeOffset, 0);
        EXPECT_TRUE(d.LastPass);
        EXPECT_TRUE(boxes.log.empty());
    }
}

// A run yields every 800 points and repaints at screen rate: with a
// millisecond between yields, about one yield in forty repaints. What the
// screen shows at the end is the whole picture.
TEST_F(DrawingRunTest, ARunRepaintsAtScreenRateAndShowsItsEnd) {
    SetMapPlotPass([] { MapPlot(); });
    Tellurax window;
    UseWorldMap();
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QCoreApplication::processEvents();
    AreaScreen area(window.Area());
    int64_t yields = 0;
    AreaScreen::Clock::time_point firstYield;
    SetDoEventsHook([&](int64_t) {
        if (yields++ == 0) firstYield = area.now;
        area.now += 1ms;
        QCoreApplication::processEvents();
    });
    DrawMap(window);
    QCoreApplication::processEvents();
    EXPECT_TRUE(boxes.log.empty());

    EXPECT_GE(yields, 130267 / 800);  // the map file's yields, and the graticule's
    int duringRun = 0;
    for (const auto& r : area.repaints) duringRun += r.at > firstYield;
    // The cleared area; the run's 40 ms marks; the end of the graticule and of
    // the run, shown at once.
    EXPECT_LE(duringRun, (area.now - firstYield) / DrawingArea::kScreenInterval + 4);
    EXPECT_GE(duringRun, 3);
    EXPECT_TRUE(area.screen == window.Area().Picture());
}

// The picture of a design is the same whether the screen was refreshed at
// every yield of the run or never before its end, and whether it is the
// window's first drawing or a later one.
TEST_F(DrawingRunTest, ThePictureDoesNotDependOnHowOftenTheScreenIsRefreshed) {
    SetMapPlotPass([] { MapPlot(); });
    SetPrintTextPass([] { PrintText(); });
    bool refresh = false;
    AreaScreen::Clock::time_point now{};
    SetDoEventsHook([](int64_t) { QCoreApplication::processEvents(); });
    const auto draw = [&](Tellurax& window, bool refreshAtEveryYield) {
        refresh = refreshAtEveryYield;
        DrawMap(window);
        QCoreApplication::processEvents();
        return window.Area().Picture().copy();
    };
    const auto differing = [](const QImage& a, const QImage& b) {
        int n = 0;
        for (int y = 0; y < a.height(); ++y)
            for (int x = 0; x < a.width(); ++x) n += a.pixel(x, y) != b.pixel(x, y);
        return n;
    };
    QImage pictures[3];
    for (int run = 0; run < 2; ++run) {
        Tellurax window;
        UseWorldMap();
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        window.Area().SetClock([&] { return refresh ? now += 1s : now; });
        if (run == 0) {
            pictures[0] = draw(window, true);
            pictures[1] = draw(window, false);
        } else {
            pictures[2] = draw(window, false);
        }
        window.Area().SetClock({});
    }
    EXPECT_TRUE(boxes.log.empty());
    ASSERT_EQ(pictures[0].size(), pictures[1].size());
    ASSERT_EQ(pictures[0].size(), pictures[2].size());
    EXPECT_EQ(differing(pictures[0], pictures[1]), 0);
    EXPECT_EQ(differing(pictures[0], pictures[2]), 0);
}

// A repaint copies what was drawn since the last one, and not sooner than
// the screen rate allows unless asked to show the drawing at once.
TEST_F(DrawingRunTest, ARepaintCopiesWhatWasDrawnAtScreenRate) {
    Tellurax window;
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QCoreApplication::processEvents();
    AreaScreen area(window.Area());
    Surface& dc = window.DC();
    const auto drawLine = [&](int x1, int y1, int x2, int y2) {
        dc.MoveToEx(x1, y1);
        dc.LineTo(x2, y2);
    };

    drawLine(10, 20, 60, 25);
    window.Refresh();
    QCoreApplication::processEvents();
    ASSERT_EQ(area.repaints.size(), 1u);
    const QRect first = area.repaints[0].rect;
    EXPECT_TRUE(first.contains(QRect(10, 20, 50, 6)));
    EXPECT_LE(first.width() * first.height(), 60 * 12);

    // Too soon: nothing is repainted, and the line waits for the next repaint.
    area.now += 39ms;
    drawLine(200, 100, 220, 140);
    window.Refresh();
    QCoreApplication::processEvents();
    EXPECT_EQ(area.repaints.size(), 1u);
    area.now += 1ms;
    drawLine(300, 50, 310, 50);
    window.Refresh();
    QCoreApplication::processEvents();
    ASSERT_EQ(area.repaints.size(), 2u);
    EXPECT_TRUE(area.repaints[1].rect.contains(QRect(200, 50, 110, 91)));
    EXPECT_FALSE(area.repaints[1].rect.intersects(first));
    EXPECT_TRUE(area.screen == window.Area().Picture());

    // Nothing drawn: nothing to repaint. Pixels put into the picture: their place.
    area.now += 1s;
    window.Refresh();
    QCoreApplication::processEvents();
    EXPECT_EQ(area.repaints.size(), 2u);
    window.PutPixels(5, 6, Bitmap{3, 2, std::vector<Rgb>(6, MakeRgb(255, 0, 0))});
    QCoreApplication::processEvents();
    ASSERT_EQ(area.repaints.size(), 3u);
    EXPECT_EQ(area.repaints[2].rect, QRect(5, 6, 3, 2));
    EXPECT_TRUE(area.screen == window.Area().Picture());
}

// Lines the surface still collects are drawn before the picture's pixels
// are read or written.
TEST_F(DrawingRunTest, LinesAreInThePictureBeforeItsPixelsAreReadOrWritten) {
    Tellurax window;
    Surface& dc = window.DC();
    const GdiObject old = dc.SelectObject(dc.GetStockObject(StockObject::BlackPen));
    dc.MoveToEx(10, 10);
    dc.LineTo(20, 10);
    dc.LineTo(20, 20);
    Bitmap grabbed;
    ASSERT_TRUE(window.GrabPixels(10, 10, 11, 11, grabbed));
    EXPECT_EQ(grabbed.At(0, 0), 0u);   // (10, 10)
    EXPECT_EQ(grabbed.At(10, 5), 0u);  // (20, 15)

    // A line still collected lies under the pixels put over it.
    dc.MoveToEx(30, 30);
    dc.LineTo(40, 30);
    dc.LineTo(40, 40);
    window.PutPixels(30, 30, Bitmap{11, 11, std::vector<Rgb>(121, MakeRgb(255, 255, 255))});
    dc.SelectObject(old);
    const QImage& picture = window.Area().Picture();
    for (int y = 30; y <= 40; ++y)
        for (int x = 30; x <= 40; ++x) EXPECT_EQ(picture.pixel(x, y), qRgb(255, 255, 255)) << x << "," << y;
    EXPECT_EQ(picture.pixel(20, 15), qRgb(0, 0, 0));
}

// A close in the middle of a run, also one that comes right after Stop
// (the run still on its way out) or twice: the run ends first, then the
// window closes and the settings are written once.
TEST_F(DrawingRunTest, ClosingTheWindowDuringARunStopsItFirst) {
    struct Case {
        const char* name;
        bool stopFirst;
        int closes;
    };
    const Case cases[] = {{"close", false, 1}, {"Stop, then close", true, 1}, {"close twice", false, 2}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fs::remove(SettingsFile());
        auto* window = new Tellurax;
        RequestAscii();
        ResetDoEventsCount();
        SetDoEventsHook([&](int64_t n) {
            if (n != 5) return;
            if (c.stopFirst) {
                window->mnuBar[5]->trigger();
                QCoreApplication::processEvents();  // the Esc that Stop sends
            }
            for (int i = 0; i < c.closes; ++i) EXPECT_FALSE(window->close());  // not yet: the run ends first
            EXPECT_TRUE(boxes.log.empty());
        });
        // Every write of the shut-down fails and says so: the boxes count the shut-downs.
        SetSettingsFolder(dir + "/missing");
        DrawMap(*window);
        EXPECT_FALSE(fs::exists(Path("grid.txt")));
        EXPECT_EQ(DoEventsCount(), 5);
        EXPECT_TRUE(boxes.log.empty());
        // Once the run has ended the window closes, and shuts down once.
        QTest::qWait(20);
        int unloads = 0;
        for (const auto& b : boxes.log)
            unloads += b.text == "WritePrivateProfileString(1) error in Tellurax: Form_Unload";
        EXPECT_EQ(unloads, 1);
        EXPECT_EQ(boxes.log.size(), 4u);
        SetSettingsFolder(dir);
        boxes.log.clear();
        delete window;
    }
}

}  // namespace
}  // namespace tlrx
