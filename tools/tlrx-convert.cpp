// tlrx-convert: writes digital map files of every kind the program reads from
// plain polyline text (Natural Earth layers or hand-made files).
//
//   tlrx-convert [--window W S E N] [--utm-cm DEG] [--spheroid NAME] -o OUTPUT INPUT...
//   tlrx-convert [--window W S E N] --extract DIR INPUT...
//
// INPUT is ROW=FILE, FILE holding the polylines of feature class ROW (row 1..10
// of the MWDB feature table: 1 coastlines, 2 islands, 3 lakes, 4 rivers,
// 5 countries, 6 Australia, 7 Canada, 8 Mexico, 9 United States, 10 other
// provinces/states), or --natural-earth DIR for the ten Natural Earth layers
// of DIR as rows 1 to 10.
//
// The kind of OUTPUT follows from the last three characters of its name, as
// the program decides it: ALL CCI MAP PNT (MWDB records), GRV PKD PKV (packed
// segments), DAT GRF (20-character records), MPS MP1 (World), UTM (metres on
// the transverse Mercator projection of --utm-cm and --spheroid, default
// "Clarke 1866"), any other (.prn: degrees). --window keeps only the parts of
// the polylines inside W S E N (decimal degrees). --extract writes the
// prepared inputs as plain polyline text into DIR, under their own file names.

#include <cctype>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <optional>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "PolylineText.h"
#include "Prepare.h"
#include "Writers.h"

namespace fs = std::filesystem;
using namespace tlrx::convert;

namespace {

const char* const kNaturalEarthFiles[] = {
    "coastlines.txt",       "islands.txt",          "lakes.txt",         "rivers.txt",    "countries.txt",
    "australia-states.txt", "canada-provinces.txt", "mexico-states.txt", "us-states.txt", "other-states.txt"};

struct UsageError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

double ParseNumber(const std::string& text) {
    size_t used = 0;
    double v = 0;
    try {
        v = std::stod(text, &used);
    } catch (const std::exception&) {
        used = 0;
    }
    if (used == 0 || used != text.size() || !std::isfinite(v)) throw UsageError("not a number: " + text);
    return v;
}

int32_t ToUnits(double degrees) { return static_cast<int32_t>(std::lround(degrees * kUnitsPerDegree)); }

std::string KindOf(const std::string& path) {
    const std::string name = fs::path(path).filename().string();
    std::string last = name.size() >= 3 ? name.substr(name.size() - 3) : name;
    for (char& c : last) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return last;
}

void WriteFile(const std::string& path, const std::string& bytes) {
    std::ofstream f(path, std::ios::binary | std::ios::trunc);
    f.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    f.close();
    if (!f) throw std::runtime_error("cannot write " + path);
}

int Run(int argc, char** argv) {
    std::optional<Window> window;
    std::string output, extractDir;
    UtmSetup utm;
    bool haveCm = false;
    std::vector<Layer> layers;

    const auto next = [&](int& i) -> std::string {
        if (i + 1 >= argc) throw UsageError(std::string(argv[i]) + " needs a value");
        return argv[++i];
    };
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--window") {
            Window w;
            w.west = ToUnits(ParseNumber(next(i)));
            w.south = ToUnits(ParseNumber(next(i)));
            w.east = ToUnits(ParseNumber(next(i)));
            w.north = ToUnits(ParseNumber(next(i)));
            if (w.west >= w.east || w.south >= w.north) throw UsageError("--window needs W < E and S < N");
            window = w;
        } else if (arg == "-o") {
            output = next(i);
        } else if (arg == "--extract") {
            extractDir = next(i);
        } else if (arg == "--utm-cm") {
            utm.centralMeridian = ParseNumber(next(i));
            haveCm = true;
        } else if (arg == "--spheroid") {
            utm.spheroid = next(i);
            double a = 0, f = 0;
            if (!SpheroidByName(utm.spheroid, a, f)) throw UsageError("unknown spheroid \"" + utm.spheroid + "\"");
        } else if (arg == "--natural-earth") {
            const fs::path dir = next(i);
            for (int row = 1; row <= 10; ++row)
                layers.push_back(ReadPolylineText((dir / kNaturalEarthFiles[row - 1]).string(), row));
        } else if (const size_t eq = arg.find('='); eq != std::string::npos && arg[0] != '-') {
            const double row = ParseNumber(arg.substr(0, eq));
            if (row < 1 || row > 10 || row != std::floor(row)) throw UsageError("feature class must be 1..10: " + arg);
            layers.push_back(ReadPolylineText(arg.substr(eq + 1), static_cast<int>(row)));
        } else {
            throw UsageError("unknown argument: " + arg);
        }
    }
    if (output.empty() == extractDir.empty()) throw UsageError("give either -o OUTPUT or --extract DIR");
    if (layers.empty()) throw UsageError("no input");

    PrepareLayers(layers, window);

    if (!extractDir.empty()) {
        std::string note;
        if (window)
            note = "# Window (W S E N): " + FormatDegrees(window->west) + " " + FormatDegrees(window->south) + " " +
                   FormatDegrees(window->east) + " " + FormatDegrees(window->north) +
                   "; runs of points inside it kept by tlrx-convert --extract.";
        for (const Layer& layer : layers) {
            std::ostringstream text;
            WritePolylineText(text, layer, note);
            const fs::path path = fs::path(extractDir) / fs::path(layer.path).filename();
            WriteFile(path.string(), text.str());
            std::cerr << path.string() << ": " << layer.lines.size() << " polylines\n";
        }
        return 0;
    }

    const std::string kind = KindOf(output);
    std::ostringstream bytes(std::ios::binary);
    WriteStats stats;
    if (kind == "ALL" || kind == "CCI" || kind == "MAP" || kind == "PNT") {
        stats = WriteMwdb(bytes, layers, kind == "PNT");
    } else if (kind == "GRV" || kind == "PKD" || kind == "PKV") {
        stats = WritePacked(bytes, layers, kind, fs::path(output).filename().string());
    } else if (kind == "DAT" || kind == "GRF") {
        stats = WriteFixedRecord(bytes, layers, kind);
    } else if (kind == "MPS" || kind == "MP1") {
        stats = WriteWorld(bytes, layers, kind == "MPS");
    } else if (kind == "UTM") {
        if (!haveCm) throw UsageError("a .utm file needs --utm-cm DEG");
        stats = WriteAscii(bytes, layers, &utm);
    } else {
        stats = WriteAscii(bytes, layers, nullptr);
    }
    const std::string data = bytes.str();
    WriteFile(output, data);

    const bool prn =
        std::string(" ALL CCI MAP PNT GRV PKD PKV DAT GRF MPS MP1 UTM ").find(" " + kind + " ") == std::string::npos;
    std::cerr << output << ": " << (prn ? std::string("PRN") : kind) << ", " << stats.segments << " segments, "
              << stats.points << " points, " << data.size() << " bytes\n";
    if (stats.collapsed) std::cerr << "  " << stats.collapsed << " polylines left out: one point at this resolution\n";
    if (stats.filledSteps)
        std::cerr << "  " << stats.filledSteps << " steps too long for the format filled with " << stats.addedPoints
                  << " points\n";
    if (stats.splitSegments) std::cerr << "  " << stats.splitSegments << " extra segments from splitting long ones\n";
    for (const std::string& note : stats.notes) std::cerr << "  " << note << '\n';
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    try {
        return Run(argc, argv);
    } catch (const UsageError& e) {
        std::cerr << "tlrx-convert: " << e.what() << "\n"
                  << "usage: tlrx-convert [--window W S E N] [--utm-cm DEG] [--spheroid NAME] -o OUTPUT INPUT...\n"
                  << "       tlrx-convert [--window W S E N] --extract DIR INPUT...\n"
                  << "INPUT: ROW=FILE (feature class 1..10) or --natural-earth DIR\n";
        return 2;
    } catch (const std::exception& e) {
        std::cerr << "tlrx-convert: " << e.what() << '\n';
        return 1;
    }
}
