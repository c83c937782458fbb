#pragma once
// The design files of versions 1 and 2, assembled field by field from their
// layout: one design of the Pacific Northwest (Mercator, 45N to 50N, 126W to
// 114W) with map files of several kinds, a great circle from Seattle to
// Spokane and a few text items, written as each version wrote it. The
// boundary values, extents and projection constants are the program's own
// for that region. tests/designfile/fixtures/v*.cnf are these bytes
// (CnfOldTest checks that, and writes them anew with TLRX_WRITE_FIXTURES=1).

#include <initializer_list>
#include <string>
#include <vector>

#include "core/DesignState.h"
#include "designfile/CnfText.h"
#include "plot/GridTestSupport.h"
#include "plot/PlotState.h"

namespace tlrx::test {

// The versions (times 100) the fixtures are written in: each side of every
// version test of the older readers.
inline constexpr int kVersion1Fixtures[] = {120, 125, 131, 135, 140, 145, 150};
inline constexpr int kVersion2Fixtures[] = {203, 204};

inline std::string FixtureName(int version) { return "v" + std::to_string(version) + ".cnf"; }

namespace oldcnf {

// The region's values as the program computes them.
inline const DesignState& RegionDesign() {
    static const DesignState region = [] {
        const DesignState keep = Design();
        const PlotState keepPlot = Plot();
        ResetDesignState();
        UseDesign(ProjMercator, "50    00    00    N", "45    00    00    N", "126    00    00    W",
                  "114    00    00    W", "001    00    00", "002    00    00");
        DesignState made = Design();
        Design() = keep;
        Plot() = keepPlot;
        return made;
    }();
    return region;
}

// A number list of doubles.
inline std::string Nl(std::initializer_list<double> values) {
    std::string line;
    for (double v : values) {
        if (!line.empty()) line += kNumberListGap;
        line += NumberForm(v);
    }
    return line;
}

// Integer items.
inline std::string Items(std::initializer_list<int> values) {
    std::string line;
    for (int v : values) line += IntegerItem(v);
    return line;
}

struct Lines {
    std::vector<std::string> lines;
    Lines& operator<<(const std::string& line) {
        lines.push_back(line);
        return *this;
    }
    std::string Text() const {
        std::string text;
        for (const std::string& l : lines) text += l + "\r\n";
        return text;
    }
};

// The boundary values, shared by both versions from the standard parallels on.
inline void BoundaryValues(Lines& f) {
    const DesignState& r = RegionDesign();
    f << r.LatNorthText + "," + r.LatSouthText << "00 00 00 N,00 00 00 N"
      << Nl({r.StdParNorth, r.StdParSouth, r.CosStdParNorth})
      << Nl({r.LatNorth, r.LatSouth, r.LatSpacing}) + kNumberListGap.data() + NumberForm(r.NumLatDivisions)
      << Nl({r.FrameEast, r.FrameWest, r.LonSpacing}) + kNumberListGap.data() + NumberForm(r.NumLonDivisions)
      << r.CentLatText + "," + r.CentLonText << Nl({r.CentLat, r.CentLon, r.CentralMeridian})
      << Nl({r.LonEast, r.LonWest})
      << r.LatSpacingText + "," + r.LonSpacingText + "," + r.LonWestText + "," + r.LonEastText;
}

inline void Extents(Lines& f, bool pairs) {
    const DesignState& r = RegionDesign();
    if (pairs) {
        f << Nl({r.MapXMax, r.MapXMin}) << Nl({r.MapYMax, r.MapYMin}) << Nl({1200, 52000}) << Nl({8000, 52000});
    } else {
        f << Nl({r.MapXMax, r.MapXMin, r.MapYMax, r.MapYMin}) << Nl({1200, 52000, 8000, 52000});
    }
}

inline const char* kUtmNumbers =
    " 6378137      .9996      .00669438      .00673949674      0      6367449.14577      "
    ".00251882658      2.6354E-06      3.4E-09      500000      0";

}  // namespace oldcnf

// A version 2 file (203 or 204): saved in a drawing area of 16000 by 9000
// twips (2.04) or 9600 by 9000 (2.03); a MAP file whose old rows 6 and 8 are
// the United States and Australia, and a PRN file of places.
inline std::string Version2Fixture(int v) {
    using namespace oldcnf;
    const DesignState& r = RegionDesign();
    Lines f;
    f << (v == 203 ? "Configuration file version 2.03" : "Tellurax configuration file version 2.04") << "Mercator"
      << Items({1}) << "\" All grid points connected by lines\"" << Items({3}) << Nl({15, 15})
      << (v == 203 ? Nl({9600, 9000}) : Nl({16000, 9000})) << Items({1024, 768}) << Nl({.9}) << Items({16777215, 0})
      << Items({-1}) << Nl({1, 1, 6.5, 4.875, -1, -1}) << Nl({1, 1.5, 1440}) << "Arial, 0 , 10 , 0 , 0 , 0 , 0 "
      << Nl({r.ConicN, r.ConicC, r.ConicF, r.ConicG, r.ConicRho0}) << Items({1, 2});
    // File 1: rows 1 to 7 of the old table, each in its colour number.
    const int mapColors[] = {2, 2, 9, 9, 12, 13, 4, 14};
    std::string rows;
    for (int j = 1; j <= 72; ++j) {
        const bool sel = j <= 7;
        const int color = j <= 8 ? mapColors[j - 1] : 7;
        rows += IntegerItem(sel ? -1 : 0) + "," + IntegerItem(color) + "," + IntegerItem(15 + (j == 5 ? 15 : 0)) +
                (j < 72 ? "," : "");
    }
    f << "C:\\MAPS\\NW.MAP,45, 1 " << rows << "Arial, 8 , 255 , 0 , 0 , 0 , 0 ";
    rows.clear();
    for (int j = 1; j <= 72; ++j)
        rows += IntegerItem(j == 1 ? -1 : 0) + "," + IntegerItem(j == 1 ? 0 : 15) + "," + IntegerItem(15) +
                (j < 72 ? "," : "");
    f << "C:\\MAPS\\NW.PRN,60, 12 " << rows << "Times New Roman, 10 , 0 ,-1 , 0 , 0 , 0 ";
    f << "GRID.TXT"
      << "NW.TXT"
      << "";
    f << "C:\\OUT\\NW.BMP,C:\\OUT\\NW.CGM,,,C:\\OUT\\NW.WMF,C:\\DESIGNS\\NW.CNF,C:\\OUT\\GC.PRN";
    for (const std::string& text : r.BoundsText) f << text;
    f << r.StdParText[0] << r.StdParText[1];
    BoundaryValues(f);
    f << Items({r.LatNorthSec, r.LatSouthSec, r.LatSpacingSec})
      << Items({r.FrameEastSec, r.FrameWestSec, r.LonSpacingSec}) << Items({r.LonEastSec, r.LonWestSec})
      << NumberForm(r.AzRangeSec) + kNumberListGap.data() + NumberForm(r.VpP);
    Extents(f, false);
    f << "GRS80 1980" << std::string(kUtmNumbers) + "      .00335281068";
    for (const std::string& text : r.UtmText) f << text;
    f << "47    36    00    N"
      << "122    20    00    W"
      << "47    40    00    N"
      << "117    25    00    W" << Nl({47.6, -122.333333333333, 47.6666666666667, -117.416666666667, -1, 255, 30});
    f << Items({100}) + std::string(14 - IntegerItem(100).size(), ' ') + Items({2});
    f << "\"Puget Sound\"" << Items({0, 16711680, 12}) << "Arial" << Items({0, 0, 0, 0}) << Items({7, 11})
      << Items({3000, 3, 4500});
    if (v > 203) f << Items({0});
    f << "\"Cascade Range, WA\"" << Items({90, 0, 10}) << "Times New Roman" << Items({-1, 0, 0, 0}) << Items({6, 9})
      << Items({7000, 2, 2000});
    if (v > 203) f << Items({-1});
    return f.Text();
}

// A version 1 file: nine input-file slots (a MAP, a PKV, a GRV and a PRN
// file, then five empty ones) and 40 or 100 text slots, four of them used.
inline std::string Version1Fixture(int v) {
    using namespace oldcnf;
    const DesignState& r = RegionDesign();
    Lines f;
    if (v == 120) f << "NORMAL MERCATOR";
    else f << "Configuration file version 1." + std::to_string(v % 100) << "NORMAL MERCATOR";
    f << Items({1});
    if (v < 150) f << "MAPDEF";
    f << "\" All grid points connected by lines\"" << Items({3}) << Nl({.9})
      << Nl({r.ConicN, r.ConicC, r.ConicRho0, r.ConicF, r.ConicG}) << Items({4});

    struct Slot {
        const char* path;
        const char* size;
        int type;
        int colorCode;
    };
    const Slot fileSlots[9] = {{"C:\\MAPS\\NW.MAP", "3", 1, 3},
                               {"C:\\MAPS\\NW.PKV", "2", 1, 10},
                               {"C:\\MAPS\\NW.GRV", "2", 1, 13},
                               {"C:\\MAPS\\NW.PRN", "4", 10, 2},
                               {"", "0", 1, 1},
                               {"", "0", 1, 1},
                               {"", "0", 1, 1},
                               {"", "0", 1, 1},
                               {"", "0", 1, 1}};
    for (int i = 1; i <= 9; ++i) {
        const Slot& s = fileSlots[i - 1];
        f << std::string(s.path) + "," + s.size + "," + IntegerItem(s.type);
        if (v < 150) f << Items({s.colorCode});
        if (v > 140) {
            // Rows of every table, selected and coloured by the slot's kind.
            const int mwdb[8][2] = {{-1, 2}, {-1, 2}, {-1, 9}, {-1, 9}, {-1, 12}, {-1, 13}, {-1, 4}, {0, 14}};
            for (int row = 1; row <= 8; ++row)
                f << (i == 1 ? Items({mwdb[row - 1][0], mwdb[row - 1][1]}) : Items({0, 0}));
            for (int row = 1; row <= 41; ++row) f << (i == 2 ? Items({-1, row == 13 ? 4 : 9}) : Items({0, 0}));
            for (int row = 1; row <= 80; ++row)
                f << (i == 3 ? Items({-1, row == 80 ? 5 : row == 79 ? 6 : 12}) : Items({0, 0}));
            f << (i == 4 ? Items({-1, 0}) : Items({0, 0}));
            f << Items({3}) << Items({13}) << Items({0});
        }
        if (v < 150) {
            f << Items({0});
            // Stored rows 0 to 5: 0 selected, 1 not.
            f << (i == 1 ? Items({0, 0, 0, 0, 0, 1}) : Items({1, 1, 1, 1, 1, 1}));
        }
        if (v >= 130 && v <= 140) {
            f << (i == 1 ? Items({0, 0, 1}) : Items({1, 1, 1}));
            std::string wdb2, dlg;
            for (int row = 1; row <= 41; ++row) wdb2 += IntegerItem(i == 2 ? -1 : 0);
            for (int row = 1; row <= 80; ++row) dlg += IntegerItem(i == 3 ? -1 : 0);
            f << wdb2 << dlg;
        }
        f << (*s.path ? "NW" + std::to_string(i) + ".TXT" : std::string());
    }
    f << "C:\\DESIGNS\\NW.CNF,C:\\OUT\\NW.CGM,C:\\OUT\\NW.PCX,,GRID1.TXT,GRID2.TXT";
    if (v > 131) f << "C:\\OUT\\GC.PRN";
    if (v > 140) f << "C:\\OUT\\NW.DXF";
    f << Items({0}) << Items({0});
    f << "50,00,00,N"
      << "45,00,00,N"
      << "001,00,00"
      << "126,00,00,W"
      << "114,00,00,W"
      << "002,00,00";
    if (v > 120)
        f << "47,30,00,N"
          << "120,00,00,W"
          << "030,00,00"
          << "00035840";
    f << "00,00,00,N"
      << "00,00,00,N";
    BoundaryValues(f);
    if (v > 120)
        f << Items({r.LatNorthSec, r.LatSouthSec, r.LatSpacingSec})
          << Items({r.FrameEastSec, r.FrameWestSec, r.LonSpacingSec}) << Items({r.LonEastSec, r.LonWestSec})
          << Nl({0, 108000, 1.15678});
    Extents(f, true);
    f << "HELVETICA";
    if (v > 140) {
        f << Items({-1, 0}) << "GRS80 1980" << Items({0}) + kUtmNumbers << "009,00,00,W"
          << "00,00,00,N";
        for (const char* text :
             {"0500000", "00000000", "0.9996", "06200000", "05600000", "00100000", "0300000", "0800000", "0100000"})
            f << text;
    }
    // Text slots: 3, 7 and 38 in every version, 50 where there are 100.
    struct TextSlot {
        int slot;
        const char* text;
        int sizeCode, colorCode, rotationCode, x, x2, y, y2, width, ascent;
    };
    const TextSlot used[] = {{3, "\"Seattle\"", 3, 5, 1, 224, 0, 250, 0, 7, 16},
                             {7, "\"Columbia River\"", 2, 10, 2, 260, 0, 380, 0, 6, 13},
                             {38, "\"CANADA\"", 5, 13, 3, 420, 470, 70, 0, 10, 23},
                             {50, "\"OREGON\"", 4, 4, 4, 560, 0, 400, 390, 8, 19}};
    for (int k = 1; k <= (v < 130 ? 40 : 100); ++k) {
        TextSlot t{k, "\"\"", 1, 1, 1, 0, 0, 0, 0, 0, 0};
        for (const TextSlot& u : used)
            if (u.slot == k) t = u;
        f << t.text << Items({t.sizeCode}) << Items({t.colorCode}) << Items({t.rotationCode}) << Items({t.x})
          << Items({t.x2}) << Items({t.y}) << Items({t.y2}) << Items({t.width, t.ascent, 0});
        if (v > 140) f << Items({0});
    }
    f << Items({0, 0, 0, 0});
    if (v > 131) {
        f << Items({247}) << Items({0}) << "47,36,00,N"
          << "122,20,00,W"
          << "47,40,00,N"
          << "117,25,00,W" << Nl({47.6, -122.333333333333, 47.6666666666667, -117.416666666667}) << Items({-1, 12});
    }
    return f.Text();
}

// Version 1.50 with a PNT file where the MAP file was: version 1 kept a PNT
// file's settings in the MWDB rows, where the map file table now gives it one row.
inline constexpr const char* kVersion1PntFixture = "v150-pnt.cnf";
inline std::string Version1PntFixture() {
    std::string text = Version1Fixture(150);
    const std::string map = "C:\\MAPS\\NW.MAP";
    return text.replace(text.find(map), map.size(), "C:\\MAPS\\NW.PNT");
}

// The fixture of a version, by its number.
inline std::string OldFixture(int version) {
    return version >= 200 ? Version2Fixture(version) : Version1Fixture(version);
}

}  // namespace tlrx::test
