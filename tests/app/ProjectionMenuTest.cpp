// The Projection menu and the Design Map menu's boundaries: each item's
// projection, caption and check mark, the dialogs they open, the previous
// projection put back after an edit that is not completed, and the map each
// projection draws with its default boundaries, checked against PROJ.

#include <gtest/gtest.h>

#include <QAction>
#include <QImage>
#include <QPushButton>
#include <QTest>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "AppTestSupport.h"
#include "app/DrawingArea.h"
#include "app/MapReduce.h"
#include "app/Tellurax.h"
#include "core/Projection.h"
#include "dialogs/common/AngleField.h"
#include "dialogs/geo/LatLonBounds.h"
#include "dialogs/geo/LatLonStdPar.h"
#include "plot/PlotState.h"

namespace tlrx {
namespace {

namespace fs = std::filesystem;
using test::AppTest;
using test::WhenShown;

struct MenuItem {
    int16_t code;
    size_t index;  // of mnuProj
    int sub;       // of mnuProjMollweide, or -1
    const char* name;
    const char* caption;
    bool parallels;  // the standard parallel dialog follows
};

const MenuItem kItems[] = {
    {ProjMercator, 0, -1, "Mercator", "Tellurax: Mercator projection", false},
    {ProjEquirectangular, 1, -1, "Equirectangular", "Tellurax: Equirectangular projection", true},
    {ProjCylEqualArea, 2, -1, "Cylindrical Equal-Area", "Tellurax: Cylindrical Equal-Area projection", true},
    {ProjHammer, 4, -1, "Hammer Equal-Area", "Tellurax: Hammer Equal-Area projection", false},
    {ProjMollweide, 5, 0, "Mollweide Equal-Area", "Tellurax: Mollweide Equal-Area projection", false},
    {ProjRobinson, 6, -1, "Robinson", "Tellurax: Robinson projection", false},
    {ProjEquidistantConic, 8, -1, "Equidistant Conic", "Tellurax: Equidistant Conic projection", true},
    {ProjConformalConic, 9, -1, "Conformal Conic", "Tellurax: Conformal Conic projection", true},
    {ProjAlbers, 10, -1, "Albers Equal-Area", "Tellurax: Albers Equal-Area conic projection", true},
};

const MenuItem& ItemOf(int16_t code) {
    for (const MenuItem& m : kItems)
        if (m.code == code) return m;
    throw std::runtime_error("no menu item for code " + std::to_string(code));
}

class ProjectionMenuTest : public AppTest {
protected:
    static QAction* Action(Tellurax& w, const MenuItem& m) {
        return m.sub < 0 ? w.mnuProj[m.index] : w.mnuProjMollweide[static_cast<size_t>(m.sub)];
    }
    // The items of the Projection menu that carry a mark.
    static std::vector<QAction*> Marked(Tellurax& w) {
        std::vector<QAction*> out;
        for (QAction* a : w.mnuProj)
            if (a->isChecked()) out.push_back(a);
        for (QAction* a : w.mnuProjMollweide)
            if (a->isChecked()) out.push_back(a);
        return out;
    }
    // Chooses the item and accepts its dialogs as they open (a refusal
    // fails the test and cancels the dialog).
    void ChooseAndAccept(Tellurax& w, const MenuItem& m) {
        WhenShown<LatLonBounds>([](LatLonBounds& b) {
            EXPECT_EQ(b.windowTitle(), "Non-azimuthal Projection Boundaries");
            b.OK->click();
            if (b.isVisible()) {
                ADD_FAILURE() << "the boundaries were refused";
                b.reject();
            }
        });
        if (m.parallels) {
            WhenShown<LatLonStdPar>([](LatLonStdPar& s) {
                s.OK->click();
                if (s.isVisible()) {
                    ADD_FAILURE() << "the standard parallels were refused";
                    s.reject();
                }
            });
        }
        Action(w, m)->trigger();
    }
    static void DrawMap(Tellurax& window) {
        WhenShown<MapReduce>([](MapReduce& dlg) { dlg.DrawMap->click(); });
        window.mnuBar[3]->trigger();
    }
    // What a projection change must leave as it found when it is undone.
    static auto DesignValues() {
        const DesignState& d = Design();
        return std::make_tuple(d.ProjCode, d.ProjName, d.BoundsText, d.LatNorthSec, d.LatSouthSec, d.FrameEastSec,
                               d.NumLatDivisions, d.CentLat, d.MapXMin, d.MapXMax, d.MapYMin, d.MapYMax, d.StdParText,
                               d.StdParNorth, d.StdParSouth, d.StdParNorthText, d.StdParSouthText, d.CosStdParNorth,
                               d.ProjDefined);
    }
};

TEST_F(ProjectionMenuTest, EachItemCommitsItsProjectionCaptionAndOneMark) {
    Tellurax window;
    for (const MenuItem& m : kItems) {
        SCOPED_TRACE(m.name);
        ChooseAndAccept(window, m);
        const DesignState& d = Design();
        EXPECT_EQ(d.ProjCode, m.code);
        EXPECT_EQ(d.ProjName, m.name);
        EXPECT_EQ(window.windowTitle().toStdString(), m.caption);
        EXPECT_EQ(Marked(window), std::vector<QAction*>{Action(window, m)});
        EXPECT_TRUE(d.ProjDefined[static_cast<size_t>(m.code)]);
        EXPECT_FALSE(d.DialogCancelled);
        EXPECT_TRUE(boxes.log.empty()) << boxes.log.front().text;
    }
    // The mark leaves the submenu for a conic, and the submenu's parent never has one.
    ChooseAndAccept(window, ItemOf(ProjMollweide));
    ChooseAndAccept(window, ItemOf(ProjEquidistantConic));
    EXPECT_EQ(Marked(window), std::vector<QAction*>{window.mnuProj[8]});
}

TEST_F(ProjectionMenuTest, TheSubmenusParentAndTheItemsWithoutDialogsChooseNothing) {
    Tellurax window;
    window.mnuProj_Click(Tellurax::kMollweideMenuItem);
    for (const int16_t index : {3, 12, 15, 19}) window.mnuProj_Click(index);  // a separator, azimuthals, UTM
    window.mnuProjMollweide_Click(1);                                         // the interruptions have no dialog yet
    EXPECT_EQ(Design().ProjCode, ProjEquirectangular);
    EXPECT_EQ(window.windowTitle(), "Tellurax: Equirectangular projection");
    EXPECT_EQ(Marked(window), std::vector<QAction*>{window.mnuProj[1]});
    for (const size_t i : {12, 13, 14, 15, 16, 17, 19}) EXPECT_FALSE(window.mnuProj[i]->isEnabled()) << i;
    EXPECT_FALSE(window.mnuProjMollweide[1]->isEnabled());
    EXPECT_TRUE(window.mnuProjMollweide[0]->isEnabled());
}

TEST_F(ProjectionMenuTest, CancellingTheBoundaryDialogPutsThePreviousProjectionBack) {
    Tellurax window;
    const auto before = DesignValues();
    WhenShown<LatLonBounds>([](LatLonBounds& b) {
        EXPECT_EQ(Design().ProjCode, ProjMercator);  // committed while the dialog is open
        EXPECT_EQ(b.LatN->Text(), "80    00    00    N");
        b.Cancel->click();
    });
    window.mnuProj[0]->trigger();
    EXPECT_EQ(DesignValues(), before);
    EXPECT_EQ(window.windowTitle(), "Tellurax: Equirectangular projection");
    EXPECT_EQ(Marked(window), std::vector<QAction*>{window.mnuProj[1]});
    EXPECT_FALSE(Design().DialogCancelled);
}

TEST_F(ProjectionMenuTest, AChainLeftUnfinishedPutsTheProjectionAndItsParametersBack) {
    Tellurax window;
    ChooseAndAccept(window, ItemOf(ProjMollweide));
    const auto before = DesignValues();
    // Albers with new boundaries accepted, the parallels cancelled, then the
    // boundaries cancelled.
    WhenShown<LatLonBounds>([](LatLonBounds& b) {
        b.LatS->SetText("00    00    00    N");
        WhenShown<LatLonStdPar>([](LatLonStdPar& s) { s.Cancel->click(); });
        b.OK->click();
        EXPECT_EQ(Design().LatSouth, 0);
        b.Cancel->click();
    });
    window.mnuProj[10]->trigger();
    EXPECT_EQ(DesignValues(), before);
    EXPECT_EQ(window.windowTitle(), "Tellurax: Mollweide Equal-Area projection");
    EXPECT_EQ(Marked(window), std::vector<QAction*>{window.mnuProjMollweide[0]});
    EXPECT_TRUE(boxes.log.empty());
}

TEST_F(ProjectionMenuTest, MapBoundariesOpensTheDialogOfTheCurrentProjection) {
    Tellurax window;
    ChooseAndAccept(window, ItemOf(ProjRobinson));
    bool opened = false;
    WhenShown<LatLonBounds>([&](LatLonBounds& b) {
        opened = true;
        b.LatN->SetText("60    00    00    N");
        b.OK->click();
    });
    window.mnuDesign[0]->trigger();
    EXPECT_TRUE(opened);
    EXPECT_TRUE(window.mnuDesign[0]->isChecked());
    EXPECT_EQ(Design().LatNorth, 60);
    EXPECT_EQ(Design().ProjCode, ProjRobinson);

    // A code whose dialog is not built opens nothing.
    Design().ProjCode = ProjGnomonic;
    window.mnuDesign[0]->trigger();
    EXPECT_TRUE(window.mnuDesign[0]->isChecked());
}

// ---- The maps drawn ----

struct ProjMap {
    int16_t code = 0;
    double north = 0, south = 0, stdParNorth = 0, stdParSouth = 0, centLat = 0;
    bool parallels = false, centre = false;
    std::string header, cmd;
    struct Point {
        double lat, lon, x, y;
    };
    std::vector<Point> points;
};

std::vector<ProjMap> LoadMaps() {
    std::ifstream in(std::string(TLRX_TEST_DATA_DIR) + "/fixtures/menu_projections.txt");
    std::vector<ProjMap> maps;
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#') continue;
        std::istringstream s(line);
        if (line.rfind("map ", 0) == 0) {
            ProjMap m;
            m.header = line;
            std::string word;
            s >> word >> m.code;
            while (s >> word) {
                const size_t eq = word.find('=');
                const std::string key = word.substr(0, eq), value = word.substr(eq + 1);
                if (key == "north") m.north = std::stod(value);
                if (key == "south") m.south = std::stod(value);
                if (key == "centlat") {
                    m.centLat = std::stod(value);
                    m.centre = true;
                }
                if (key == "stdpar") {
                    m.stdParNorth = std::stod(value.substr(0, value.find(',')));
                    m.stdParSouth = std::stod(value.substr(value.find(',') + 1));
                    m.parallels = true;
                }
            }
            maps.push_back(m);
        } else if (line.rfind("cmd ", 0) == 0) {
            maps.back().cmd = line;
        } else {
            ProjMap::Point p{};
            s >> p.lat >> p.lon >> p.x >> p.y;
            maps.back().points.push_back(p);
        }
    }
    return maps;
}

// Robinson's polynomials approximate the table PROJ interpolates: at 60
// degrees its parallel is 0.2 % longer than the table's (x 0.0032 more).
double Tolerance(int16_t code) { return code == ProjRobinson ? 4e-3 : 1e-9; }

TEST_F(ProjectionMenuTest, EachProjectionDrawsItsDefaultMapAsProjDoes) {
    const std::vector<ProjMap> maps = LoadMaps();
    ASSERT_EQ(maps.size(), std::size(kItems));
    const fs::path out = fs::path(TLRX_TEST_OUT_DIR) / "projections";
    fs::create_directories(out);
    Tellurax window;
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    DesignState& d = Design();
    for (const ProjMap& m : maps) {
        SCOPED_TRACE(m.header + "\n" + m.cmd);
        const MenuItem& item = ItemOf(m.code);
        ChooseAndAccept(window, item);
        ASSERT_EQ(d.ProjCode, m.code);
        // The design the fixture was made for.
        EXPECT_EQ(d.LatNorth, m.north);
        EXPECT_EQ(d.LatSouth, m.south);
        EXPECT_EQ(d.FrameEast, 360);
        if (m.parallels) {
            EXPECT_EQ(d.StdParNorth, m.stdParNorth);
            EXPECT_EQ(d.StdParSouth, m.stdParSouth);
        }
        if (m.centre) {
            EXPECT_EQ(d.CentLat, m.centLat);
        }

        for (const ProjMap::Point& p : m.points) {
            d.ProjInLat = p.lat;
            d.ProjInLon = p.lon;
            ProjectSelect();
            EXPECT_NEAR(d.ProjOutX, p.x, Tolerance(m.code)) << p.lat << " " << p.lon;
            EXPECT_NEAR(d.ProjOutY, p.y, Tolerance(m.code)) << p.lat << " " << p.lon;
        }

        // The world on the map, to look at.
        d.InputFileName[1] = std::string(TLRX_TEST_DATA_DIR) + "/../../data/Tlrx4.map";
        SetMapPlotPass({});
        DrawMap(window);
        window.Area().Picture().save(QString::fromStdString((out / (std::string(item.name) + ".png")).string()));

        // The graticule alone: a grid line passes through PROJ's point.
        SetMapPlotPass([] {});
        DrawMap(window);
        const QImage& picture = window.Area().Picture();
        const PlotState& plot = Plot();
        for (const ProjMap::Point& p : m.points) {
            const int px = static_cast<int>(
                std::nearbyint(((p.x - d.MapXMin) * plot.DevScaleX + plot.DevOffsetX) / plot.DevTwipsPerPixelX));
            const int py = static_cast<int>(
                std::nearbyint((plot.DevOffsetY - (p.y - d.MapYMin) * plot.DevScaleY) / plot.DevTwipsPerPixelY));
            int grid = 0;
            for (int y = py - 1; y <= py + 1; ++y)
                for (int x = px - 1; x <= px + 1; ++x)
                    grid += picture.valid(x, y) && (picture.pixel(x, y) & 0xFFFFFF) == 0;
            EXPECT_GE(grid, 2) << "no grid line at " << p.lat << " " << p.lon << " (" << px << ", " << py << ")";
        }
        EXPECT_TRUE(boxes.log.empty()) << boxes.log.front().text;
    }
}

}  // namespace
}  // namespace tlrx
