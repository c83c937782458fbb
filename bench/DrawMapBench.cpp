// Throughput of the whole Draw Map run of the main window: the map size
// dialog answered with "Draw Map", then the graticule, the map file and the
// repaints, on a window of the given size (offscreen unless QT_QPA_PLATFORM
// says otherwise), with the program's own platform services and yields.
//
//   drawmap_bench [--world FILE] [--size WxH] [--runs N] [--proj robinson,equirectangular] [--no-gmt]
//                 [MAPFILE...]
//
// Prints, per map file and projection, the median seconds of the runs from
// the dialog's answer to the end of the run (and their range), the points
// of the map file per second and the repaints of the drawing area per run.
// Unless --no-gmt, when GMT is on the PATH and NAME.txt (the same lines as
// plain polyline text, which GMT reads as a multisegment file) lies beside
// NAME.prn, each run is followed by GMT drawing those lines on the same
// projection to PostScript, and GMT's median and the ratio of the medians
// follow. bench/make-world.sh makes such a pair.
//
// The world (--world FILE, or without it and without map files world/
// world.prn in the build folder, made there by bench/make-world.sh when
// missing) is timed like the map files, and its figures end the output as
// "name: value" lines that a script can read (see bench/README.md). Without
// the world, the same figures follow for the map files. Among them:
// differing-pixels-percent, the share of the exact drawing's inked pixels
// that the thinned screen drawing changes; print-over-draw, the median
// seconds of the program's Print Map run (Robinson, to a PDF file on letter
// paper at 600 dpi) over the median seconds of drawing the same map;
// print-longest-unanswered-seconds, the longest time in those print runs
// that the window did not answer; startup-over-bare-qt, the median seconds
// from starting the program to its first painted window over the same for an
// empty Qt window (bare_window); and startup-over-menu-window, over an empty
// main window of the program's size with its menu titles (bare_window
// --menu-bar).

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QPageSize>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "app/DrawingArea.h"
#include "app/MapReduce.h"
#include "app/PrintMap.h"
#include "app/Tellurax.h"
#include "core/DesignState.h"
#include "core/Graticule.h"
#include "core/ProjParams.h"
#include "platform/MessageBox.h"
#include "platform/Printer.h"
#include "platform/ProfileFile.h"
#include "platform/qt/QtPlatform.h"
#include "platform/qt/QtPrinterSurface.h"
#include "plot/PlotState.h"
#include "plot/PointPipeline.h"

namespace fs = std::filesystem;

namespace tlrx {
namespace {

struct Projection {
    const char* name;
    int16_t code;
    const char* gmt;  // GMT's -J for a map 25 cm wide, centred on Greenwich
};
const Projection kProjections[] = {
    {"robinson", ProjRobinson, "-JN0/25c"},
    {"equirectangular", ProjEquirectangular, "-JQ0/25c"},
};

// Boxes go to stderr and are counted: a box of the real service would wait
// for a click that never comes.
class CountingBoxes : public MessageBoxService {
public:
    MsgAnswer Show(const MessageBoxRecord& box) override {
        std::fprintf(stderr, "box \"%s\": %s\n", box.title.c_str(), box.text.c_str());
        ++shown;
        return FirstButton(box.buttons);
    }
    int shown = 0;
};

std::string Upper(std::string s) {
    for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

// The points of a map file: MWDB records are 6 bytes each; ASCII point
// files hold one point a line. Empty when the kind is neither.
std::optional<long> MapFilePoints(const std::string& path) {
    const std::string ext = Upper(fs::path(path).extension().string());
    if (ext == ".MAP" || ext == ".ALL" || ext == ".CCI" || ext == ".PNT")
        return static_cast<long>(fs::file_size(path) / 6);
    if (ext != ".PRN") return std::nullopt;
    std::ifstream in(path);
    long n = 0;
    for (std::string line; std::getline(in, line);) n += line.find_first_not_of(" \t\r") != std::string::npos;
    return n;
}

// The points of plain polyline text: every line that is neither a comment
// nor a polyline start.
long PolylinePoints(const std::string& path) {
    std::ifstream in(path);
    long n = 0;
    for (std::string line; std::getline(in, line);)
        n += !line.empty() && line[0] != '#' && line[0] != '>' && line.find_first_not_of(" \t\r") != std::string::npos;
    return n;
}

struct Stats {
    double median = 0, min = 0, max = 0;
};

Stats Summarise(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    const double median = n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
    return {median, v.front(), v.back()};
}

// Counts the paint events of the drawing area: the repaints of a run.
class PaintCounter : public QObject {
public:
    bool eventFilter(QObject*, QEvent* event) override {
        paints += event->type() == QEvent::Paint;
        return false;
    }
    long paints = 0;
};

// Whether anything but the white background is in the picture.
bool Drawn(const QImage& picture) {
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            if ((picture.pixel(x, y) & 0xFFFFFF) != 0xFFFFFF) return true;
    return false;
}

// One Draw Map from the menu, the map size dialog answered at once; the
// seconds from the answer to the end of the run.
double DrawMapOnce(Tellurax& window) {
    QElapsedTimer clock;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&timer, &clock] {
        auto* dialog = qobject_cast<MapReduce*>(QApplication::activeModalWidget());
        if (!dialog) return;
        timer.stop();
        clock.start();
        dialog->DrawMap->click();
    });
    timer.start(0);
    window.mnuBar[3]->trigger();
    return clock.isValid() ? static_cast<double>(clock.nsecsElapsed()) / 1e9 : -1;
}

// The share (percent) of the inked pixels of the exact drawing of the map
// on the projection that the thinned screen drawing changes.
double DifferingPixelsPercent(Tellurax& window, const std::string& map, const Projection& proj) {
    DesignState& d = Design();
    d.InputFileName(1) = map;
    d.ProjCode = proj.code;
    CalcGraticule({});
    ParamStdParallel();
    ParamSelect();
    Plot().MapFillFraction = 1;
    SetPointThinning(false);
    const bool drawn = DrawMapOnce(window) >= 0;
    SetPointThinning(true);
    const QImage exact = window.Area().Picture().copy();
    if (!drawn || DrawMapOnce(window) < 0) return -1;
    const QImage& thinned = window.Area().Picture();
    if (thinned.size() != exact.size()) return -1;
    long inked = 0, differing = 0;
    for (int y = 0; y < exact.height(); ++y)
        for (int x = 0; x < exact.width(); ++x) {
            inked += (exact.pixel(x, y) & 0xFFFFFF) != 0xFFFFFF;
            differing += exact.pixel(x, y) != thinned.pixel(x, y);
        }
    return inked ? 100.0 * differing / inked : 0;
}

// GMT drawing the lines on the projection to PostScript, in a folder of its
// own; the seconds of the whole command, or a negative number on failure.
double GmtOnce(const std::string& lines, const Projection& proj, const QString& folder) {
    const std::string command = "cd '" + folder.toStdString() + "' && gmt psxy '" + lines + "' -Rd " + proj.gmt +
                                " -W0.25p,darkgreen -P --PS_MEDIA=A3 > map.ps";
    QElapsedTimer clock;
    clock.start();
    const int rc = std::system(command.c_str());
    const double seconds = static_cast<double>(clock.nsecsElapsed()) / 1e9;
    return rc == 0 ? seconds : -1;
}

// ---- print-over-draw: the program's print run to a PDF file over Draw Map ----

// One printer, a PDF file on letter paper at 600 dpi printable from (0.25,
// 0.2) in, as the program's print run sees a printer.
class PdfFilePrinter : public PrinterService {
public:
    explicit PdfFilePrinter(std::string file) : file_(std::move(file)) {}
    bool PrintersInstalled() override { return true; }
    std::optional<PrinterInfo> CurrentPrinter() override { return PrinterInfo{"PDF file", "PDF", file_, {}}; }
    PrinterSurface* CurrentPrinterDC() override {
        if (!current_) current_ = Make();
        return current_.get();
    }
    std::unique_ptr<PrinterDialog> NewPrinterDialog() override { return std::make_unique<NoChoice>(); }
    std::unique_ptr<PrinterSurface> CreateDC(std::string_view, const DevModeSettings&) override { return Make(); }

private:
    class NoChoice : public PrinterDialog {
    public:
        bool ShowPrinter(QWidget*) override { return false; }
    };
    std::unique_ptr<PrinterSurface> Make() const {
        const PrinterPage page{600, 600, 5100, 6600, 150, 120, 4800, 6360};
        auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        printer->setOutputFileName(QString::fromStdString(file_));
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setFullPage(true);
        printer->setResolution(page.LogPixelsX);
        printer->setPageSize(QPageSize(QSizeF(8.5, 11), QPageSize::Inch));
        return std::make_unique<QtPrinterSurface>(std::move(printer), page);
    }
    std::string file_;
    std::unique_ptr<PrinterSurface> current_;
};

// A print run: its seconds from the layout's answer to the end, and the
// longest time in it that the window did not answer (the widest gap between
// the ticks of a 5 ms timer on the window's thread, the run's start and end
// included).
struct PrintRun {
    double seconds = -1;
    double longestUnanswered = -1;
};

// Print Map from the File menu, the layout dialog answered at once.
PrintRun PrintMapOnce(Tellurax& window) {
    QElapsedTimer clock;
    qint64 lastTick = 0, longestGap = 0;
    QTimer ticks;
    ticks.setTimerType(Qt::PreciseTimer);
    QObject::connect(&ticks, &QTimer::timeout, [&] {
        const qint64 now = clock.nsecsElapsed();
        longestGap = std::max(longestGap, now - lastTick);
        lastTick = now;
    });
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] {
        auto* dialog = qobject_cast<PrintMap*>(QApplication::activeModalWidget());
        if (!dialog) return;
        timer.stop();
        clock.start();
        ticks.start(5);
        dialog->OK->click();
    });
    timer.start(0);
    window.mnuBar_Click(0);
    window.mnuInput[2]->trigger();
    if (!clock.isValid()) return {};
    const qint64 end = clock.nsecsElapsed();
    ticks.stop();
    return {static_cast<double>(end) / 1e9, static_cast<double>(std::max(longestGap, end - lastTick)) / 1e9};
}

// Median seconds printing map in Robinson to a PDF file over the median
// seconds drawing it on the window, runs of each; negative when a run
// failed. longestUnanswered: the longest the window did not answer in the
// print runs.
double PrintOverDraw(Tellurax& window, const std::string& map, int runs, double& longestUnanswered) {
    longestUnanswered = -1;
    QTemporaryDir folder;
    if (!folder.isValid()) return -1;
    const std::string pdf = folder.filePath(QStringLiteral("map.pdf")).toStdString();
    PdfFilePrinter printer(pdf);
    PrinterService* const before = SetPrinterService(&printer);
    DesignState& d = Design();
    d.InputFileName(1) = map;
    d.ProjCode = ProjRobinson;
    CalcGraticule({});
    ParamStdParallel();
    ParamSelect();
    Plot().MapFillFraction = 1;
    std::vector<double> draw, print;
    for (int r = 0; r < runs; ++r) {
        draw.push_back(DrawMapOnce(window));
        fs::remove(pdf);
        const PrintRun run = PrintMapOnce(window);
        print.push_back(run.seconds);
        longestUnanswered = std::max(longestUnanswered, run.longestUnanswered);
        if (draw.back() < 0 || print.back() < 0 || !d.PlotStopText.empty() || !fs::exists(pdf)) {
            print.back() = -1;
            break;
        }
    }
    SetPrinterService(before);
    Plot().PrnDlg.reset();
    if (std::any_of(print.begin(), print.end(), [](double s) { return s < 0; })) {
        longestUnanswered = -1;
        return -1;
    }
    return Summarise(print).median / Summarise(draw).median;
}

// ---- startup-over-bare-qt: the program's first painted window over an empty Qt window's ----

// Median seconds from starting program to its first paint (it reports the
// moment and ends, TLRX_EXIT_AFTER_FIRST_PAINT), of runs starts; negative
// when a start failed.
double SecondsToFirstPaint(const QString& program, const QStringList& arguments, int runs) {
    std::vector<double> seconds;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("TLRX_EXIT_AFTER_FIRST_PAINT"), QStringLiteral("1"));
    if (!env.contains(QStringLiteral("QT_QPA_PLATFORM")))
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QGuiApplication::platformName());
    for (int r = 0; r < runs; ++r) {
        QProcess process;
        process.setProcessEnvironment(env);
        timespec start{};
        clock_gettime(CLOCK_MONOTONIC, &start);
        process.start(program, arguments);
        if (!process.waitForFinished(30000) || process.exitCode() != 0) return -1;
        bool ok = false;
        const long long painted = process.readAllStandardOutput().trimmed().toLongLong(&ok);
        if (!ok) return -1;
        seconds.push_back(double(painted - (start.tv_sec * 1000000000LL + start.tv_nsec)) / 1e9);
    }
    return Summarise(seconds).median;
}

// The program's start-up to its first painted window over an empty Qt
// window's (overBare) and over an empty main window's with the program's
// menu titles at the program's size (overMenuWindow), medians of 11 starts
// each, taken in turn; negative when a start failed.
struct StartupRatios {
    double overBare = -1, overMenuWindow = -1;
};

StartupRatios StartupOverBareQt() {
    const QString bareWindow = QStringLiteral(TLRX_BARE_WINDOW_BINARY);
    std::vector<double> program, bare, menuWindow;
    for (int i = 0; i < 11; ++i) {
        program.push_back(SecondsToFirstPaint(QStringLiteral(TLRX_TELLURAX_BINARY), {}, 1));
        bare.push_back(SecondsToFirstPaint(bareWindow, {}, 1));
        menuWindow.push_back(SecondsToFirstPaint(bareWindow, {QStringLiteral("--menu-bar")}, 1));
        if (program.back() < 0 || bare.back() < 0 || menuWindow.back() < 0) return {};
    }
    const double median = Summarise(program).median;
    return {median / Summarise(bare).median, median / Summarise(menuWindow).median};
}

void Usage() {
    std::fprintf(stderr,
                 "usage: drawmap_bench [--world FILE] [--size WxH] [--runs N] [--proj robinson,equirectangular] "
                 "[--no-gmt] [MAPFILE...]\n");
}

// One figure of the closing block: "name: value", or "name: n/a" when it
// could not be measured in this run.
void PrintFigure(const char* name, std::optional<double> value) {
    if (value) std::printf("%s: %.3f\n", name, *value);
    else std::printf("%s: n/a\n", name);
}

// The world when none is named: world/world.prn in the build folder, made
// there from the build's converter by bench/make-world.sh when missing.
// Empty when it can be neither found nor made.
std::string DefaultWorld() {
    const fs::path build = fs::path(QCoreApplication::applicationDirPath().toStdString()).parent_path();
    const fs::path world = build / "world" / "world.prn";
    if (fs::is_regular_file(world)) return world.string();
    const std::string command = std::string("'") + TLRX_BENCH_SOURCE_DIR + "/make-world.sh' '" +
                                (build / "tools" / "tlrx-convert").string() + "' '" + world.parent_path().string() +
                                "' >&2";
    std::fprintf(stderr, "no world at %s; making it: %s\n", world.c_str(), command.c_str());
    std::fflush(stdout);
    if (std::system(command.c_str()) != 0 || !fs::is_regular_file(world)) return {};
    return world.string();
}

// The medians measured on the world, by projection.
struct WorldTimes {
    std::optional<double> robinson, equirectangular, gmtRobinson;
};

int Run(int argc, char** argv) {
    int width = 1920, height = 1080, runs = 3;
    bool noGmt = false;
    std::vector<const Projection*> projections;
    std::vector<std::string> maps;
    std::string world;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--world" && i + 1 < argc) {
            world = argv[++i];
            if (!fs::is_regular_file(world)) {
                std::fprintf(stderr, "no such map file: %s\n", world.c_str());
                return 2;
            }
            world = fs::absolute(world).string();
        } else if (a == "--size" && i + 1 < argc) {
            if (std::sscanf(argv[++i], "%dx%d", &width, &height) != 2 || width < 100 || height < 100) {
                Usage();
                return 2;
            }
        } else if (a == "--runs" && i + 1 < argc) {
            runs = std::atoi(argv[++i]);
            if (runs < 1) {
                Usage();
                return 2;
            }
        } else if (a == "--no-gmt") {
            noGmt = true;
        } else if (a == "--proj" && i + 1 < argc) {
            std::stringstream list(argv[++i]);
            for (std::string name; std::getline(list, name, ',');) {
                const auto it = std::find_if(std::begin(kProjections), std::end(kProjections),
                                             [&](const Projection& p) { return name == p.name; });
                if (it == std::end(kProjections)) {
                    Usage();
                    return 2;
                }
                projections.push_back(it);
            }
        } else if (!a.empty() && a[0] == '-') {
            Usage();
            return 2;
        } else {
            if (!fs::is_regular_file(a)) {
                std::fprintf(stderr, "no such map file: %s\n", a.c_str());
                return 2;
            }
            maps.push_back(fs::absolute(a).string());
        }
    }
    // The figures are those of the world: named, or found or made when no
    // map file is named either.
    const bool figures = !world.empty() || maps.empty();
    if (maps.empty() && world.empty()) {
        world = DefaultWorld();
        if (world.empty()) {
            std::fprintf(stderr, "no world to time: name one with --world FILE\n");
            return 1;
        }
    }
    if (figures && std::find(maps.begin(), maps.end(), world) == maps.end()) maps.push_back(world);
    if (projections.empty())
        for (const Projection& p : kProjections) projections.push_back(&p);

    // The settings file of the window goes to a folder of the run's own.
    QTemporaryDir scratch;
    if (!scratch.isValid()) return 1;
    SetSettingsFolder(scratch.path().toStdString());
    QtPlatform platform;
    CountingBoxes boxes;
    SetMessageBoxService(&boxes);
    const bool gmt = !noGmt && !QStandardPaths::findExecutable(QStringLiteral("gmt")).isEmpty();

    Tellurax window;
    window.show();
    QApplication::processEvents();
    window.resize(window.size() + QSize(width, height) - window.Area().size());
    QApplication::processEvents();
    const QSize area = window.Area().size();
    PaintCounter counter;
    window.Area().installEventFilter(&counter);

    // GMT draws the lines of NAME.prn when NAME.txt lies beside it.
    const auto gmtLines = [&](const std::string& map) {
        return gmt && Upper(fs::path(map).extension().string()) == ".PRN" &&
               fs::is_regular_file(fs::path(map).replace_extension(".txt"));
    };
    std::printf(
        "Draw Map on a %dx%d drawing area (%s platform), median of %d runs%s\n", area.width(), area.height(),
        qPrintable(QGuiApplication::platformName()), runs,
        std::any_of(maps.begin(), maps.end(), gmtLines) ? ", each followed by GMT's where it has the lines" : "");
    std::printf("%-12s %-16s %10s %8s %17s %9s %8s\n", "map", "projection", "points", "seconds", "(min-max)",
                "Mpoints/s", "repaints");
    int failures = 0;
    WorldTimes worldTimes;
    for (const std::string& map : maps) {
        const std::optional<long> points = MapFilePoints(map);
        const std::string name = fs::path(map).filename().string();
        const fs::path lines = fs::path(map).replace_extension(".txt");
        const bool withGmt = gmtLines(map);
        const long gmtPoints = withGmt ? PolylinePoints(lines.string()) : 0;
        for (const Projection* proj : projections) {
            DesignState& d = Design();
            d.InputFileName(1) = map;
            d.ProjCode = proj->code;
            CalcGraticule({});
            ParamStdParallel();
            ParamSelect();
            Plot().MapFillFraction = 1;

            std::vector<double> seconds, gmtSeconds, repaints;
            for (int r = 0; r < runs; ++r) {
                const int boxesBefore = boxes.shown;
                const long paintsBefore = counter.paints;
                const double s = DrawMapOnce(window);
                if (s < 0 || boxes.shown != boxesBefore || !d.PlotStopText.empty() || !Drawn(window.Area().Picture())) {
                    std::fprintf(stderr, "%s, %s: the run did not complete\n", name.c_str(), proj->name);
                    break;
                }
                seconds.push_back(s);
                repaints.push_back(static_cast<double>(counter.paints - paintsBefore));
                if (!withGmt) continue;
                const double g = GmtOnce(lines.string(), *proj, scratch.path());
                if (g < 0) {
                    std::fprintf(stderr, "gmt psxy failed on %s\n", lines.c_str());
                    break;
                }
                gmtSeconds.push_back(g);
            }
            if (seconds.size() != static_cast<size_t>(runs) || (withGmt && gmtSeconds.size() != seconds.size())) {
                ++failures;
                continue;
            }
            const Stats t = Summarise(seconds);
            const std::optional<double> gmtMedian =
                withGmt ? std::optional<double>(Summarise(gmtSeconds).median) : std::nullopt;
            if (figures && map == world) {
                if (proj->code == ProjRobinson) worldTimes.robinson = t.median, worldTimes.gmtRobinson = gmtMedian;
                if (proj->code == ProjEquirectangular) worldTimes.equirectangular = t.median;
            }
            char range[40], rate[16] = "?";
            std::snprintf(range, sizeof range, "(%.3f-%.3f)", t.min, t.max);
            if (points) std::snprintf(rate, sizeof rate, "%.2f", *points / t.median / 1e6);
            std::printf("%-12s %-16s %10s %8.3f %17s %9s %8.0f\n", name.c_str(), proj->name,
                        points ? std::to_string(*points).c_str() : "?", t.median, range, rate,
                        Summarise(repaints).median);
            if (withGmt) {
                const Stats g = Summarise(gmtSeconds);
                std::snprintf(range, sizeof range, "(%.3f-%.3f)", g.min, g.max);
                std::printf("%-12s %-16s %10ld %8.3f %17s %9.2f   GMT psxy to PostScript; GMT/Tellurax time %.2f\n",
                            lines.filename().c_str(), proj->name, gmtPoints, g.median, range,
                            gmtPoints / g.median / 1e6, g.median / t.median);
            }
            std::fflush(stdout);
        }
    }
    // The thinned screen drawing against the exact one, and printing against
    // drawing: of the world when the figures are wanted, else of the first
    // and the last map file.
    const double differing = DifferingPixelsPercent(window, figures ? world : maps.front(), *projections.front());
    double printUnanswered = -1;
    const double printOverDraw = PrintOverDraw(window, figures ? world : maps.back(), runs, printUnanswered);
    const StartupRatios startup = StartupOverBareQt();
    if (!figures) {
        std::printf("differing-pixels-percent: %.3f\n", differing);
        std::printf("print-over-draw: %.2f\n", printOverDraw);
        std::printf("print-longest-unanswered-seconds: %.3f\n", printUnanswered);
        std::printf("startup-over-bare-qt: %.2f\n", startup.overBare);
        std::printf("startup-over-menu-window: %.2f\n", startup.overMenuWindow);
    }
    SetMessageBoxService(nullptr);

    if (figures) {
        // The last lines: the figures, one "name: value" each.
        std::printf("\nfigures of the world %s\n", world.c_str());
        PrintFigure("world-seconds", worldTimes.robinson);
        PrintFigure("world-seconds-equirectangular", worldTimes.equirectangular);
        std::optional<double> gmtRatio;
        if (worldTimes.robinson && worldTimes.gmtRobinson) gmtRatio = *worldTimes.gmtRobinson / *worldTimes.robinson;
        PrintFigure("gmt-ratio", gmtRatio);
        PrintFigure("differing-pixels-percent", differing);
        // A negative ratio is a run that failed.
        const auto measured = [](double v) { return v >= 0 ? std::optional<double>(v) : std::nullopt; };
        PrintFigure("print-over-draw", measured(printOverDraw));
        PrintFigure("print-longest-unanswered-seconds", measured(printUnanswered));
        PrintFigure("startup-over-bare-qt", measured(startup.overBare));
        PrintFigure("startup-over-menu-window", measured(startup.overMenuWindow));
        std::fflush(stdout);
    }
    return failures ? 1 : 0;
}

}  // namespace
}  // namespace tlrx

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tellurax"));
    return tlrx::Run(argc, argv);
}
