// The Design Map menu's dialogs: which item opens which dialog, the great
// circle computed after an accepted dialog and not after a cancelled one,
// the pole rule's box as the user sees it, the great circle report's box,
// the route and circles drawn by Draw Map (checked against GeographicLib),
// and the labels of a point file turned into text items and erased again.

#include <gtest/gtest.h>

#include <QAction>
#include <QImage>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <algorithm>
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
#include "core/Palette.h"
#include "core/Projection.h"
#include "dialogs/common/AngleField.h"
#include "dialogs/geo/GCircleEnds.h"
#include "dialogs/geo/SelectLabelOption.h"
#include "dialogs/geo/SmallCircle.h"
#include "dialogs/pickers/ColorGrid.h"
#include "dialogs/pickers/Colors256.h"
#include "platform/qt/QtMessageBox.h"
#include "plot/PlotState.h"
#include "reports/ReportWindow.h"

namespace tlrx {
namespace {

namespace fs = std::filesystem;
using test::AppTest;
using test::WhenShown;

class DesignMenuTest : public AppTest {
protected:
    DesignMenuTest() { SelectLabelOption::LabelOptionChoice = SelectLabelOption::HideLabels; }

    static void DrawMap(Tellurax& window) {
        WhenShown<MapReduce>([](MapReduce& dlg) { dlg.DrawMap->click(); });
        window.mnuBar[3]->trigger();
    }
    static std::vector<size_t> Marked(Tellurax& w) {
        std::vector<size_t> out;
        for (size_t i = 0; i < w.mnuDesign.size(); ++i)
            if (w.mnuDesign[i]->isChecked()) out.push_back(i);
        return out;
    }
    // Types the route into the great circle dialog and accepts it.
    static void EnterRoute(Tellurax& window, const std::array<const char*, 4>& texts) {
        WhenShown<GCircleEnds>([texts](GCircleEnds& g) {
            const std::array<AngleField*, 4> fields = {g.LatN, g.LonW, g.LatS, g.LonE};
            for (size_t i = 0; i < 4; ++i) fields[i]->SetText(texts[i]);
            g.OK->click();
        });
        window.mnuDesign[1]->trigger();
    }
};

TEST_F(DesignMenuTest, EachItemOpensItsDialogAndCarriesTheMark) {
    const std::pair<size_t, const char*> cases[] = {
        {1, "Select Endpoints of Great Circle"},
        {2, "Select Center and Radius of Small Circle"},
        {4, "Select Text and Rotation"},
        {5, "Select Label Option"},
        {7, "Background Color"},
        {8, "Select Grid Parameters"},
        {9, "Line Width Scaling"},
        {12, "Tellurax Parameter Report"},
    };
    Tellurax window;
    for (const auto& [item, title] : cases) {
        std::string shown;
        WhenShown<QDialog>([&shown](QDialog& dialog) {
            shown = dialog.windowTitle().toStdString();
            dialog.reject();
        });
        window.mnuDesign[item]->trigger();
        EXPECT_EQ(shown, title);
        EXPECT_EQ(Marked(window), std::vector<size_t>{item});
    }
    EXPECT_TRUE(boxes.log.empty());
}

TEST_F(DesignMenuTest, TheGreatCircleIsComputedAfterAnAcceptedDialogOnly) {
    Tellurax window;
    DesignState& d = Design();
    EnterRoute(window, {"00    00    00    N", "010    00    00    E", "00    00    00    N", "020    00    00    E"});
    EXPECT_TRUE(d.GcDefined);
    EXPECT_FALSE(d.DialogCancelled);
    ASSERT_EQ(d.GcLast, 11);  // every whole degree from end to end, in order
    EXPECT_EQ(d.GcLon[11], 20);

    // A cancelled dialog switches the circle off and computes nothing.
    WhenShown<GCircleEnds>([](GCircleEnds& g) {
        g.LonE->SetText("030    00    00    E");
        g.Cancel->click();
    });
    window.mnuDesign[1]->trigger();
    EXPECT_FALSE(d.GcDefined);
    EXPECT_FALSE(d.DialogCancelled);
    EXPECT_EQ(d.GcLast, 11);
    EXPECT_EQ(d.GcEndText[3], "020    00    00    E");
}

TEST_F(DesignMenuTest, ThePoleRulesBoxShowsItsLinesAsWritten) {
    QtMessageBox real;
    SetMessageBoxService(&real);
    Tellurax window;
    std::vector<std::string> shown;
    QString title;
    QMessageBox::StandardButtons buttons;
    WhenShown<GCircleEnds>([&](GCircleEnds& g) {
        // The field check needs the focus events of an active window.
        EXPECT_TRUE(QTest::qWaitForWindowActive(&g));
        WhenShown<QMessageBox>([&](QMessageBox& box) {
            for (const QString& line : box.text().split(QChar('\n'))) shown.push_back(line.toStdString());
            title = box.windowTitle();
            buttons = box.standardButtons();
            box.button(QMessageBox::Ok)->click();
        });
        g.LatN->setFocus();
        g.LatN->SetText("90    00    00    N");
        QTest::keyClick(g.LatN, Qt::Key_Tab);
        EXPECT_EQ(g.LatN->Text(), "37    47    00    N");
        g.Cancel->click();
    });
    window.mnuDesign[1]->trigger();
    SetMessageBoxService(&boxes);
    EXPECT_EQ(title, "Error: Starting, ending longitudes must be equal");
    EXPECT_EQ(buttons, QMessageBox::Ok);
    EXPECT_EQ(shown, (std::vector<std::string>{"When one or both of the endpoints is a pole (90°N/S),",
                                               "the shortest distance on the globe is along a meridian.", "",
                                               "In other words, the starting and ending longitudes",
                                               "must be identical, when one of the endpoints is a pole.", "",
                                               "The LONGITUDES you have entered are NOT EQUAL.", "",
                                               "Press OK, change the longitudes, and then enter",
                                               "the correct starting latitude."}));
}

TEST_F(DesignMenuTest, TheGreatCircleReportSaysWhenThereIsNoGreatCircle) {
    Tellurax window;
    window.mnuDesign[13]->trigger();
    ASSERT_EQ(boxes.log.size(), 1u);
    EXPECT_EQ(boxes.log[0].title, "Great Circle Not Defined");
    EXPECT_EQ(boxes.log[0].text,
              "You have not defined the endpoints\nof the great circle.\n\nTo define the endpoints, press OK,\nthen "
              "select the Great Circle option\nfrom the Design Map menu.");
    EXPECT_EQ(boxes.log[0].buttons, MsgButtons::Ok);
    EXPECT_EQ(boxes.log[0].icon, MsgIcon::Information);
    EXPECT_EQ(Marked(window), std::vector<size_t>{13});

    EnterRoute(window, {"10    00    00    N", "010    00    00    E", "20    00    00    N", "020    00    00    E"});
    boxes.log.clear();
    std::string firstRow;
    WhenShown<GcReport>([&firstRow](GcReport& report) {
        report.ReportRtb_GotFocus();
        const std::string text = report.Report().PlainText();
        firstRow = text.substr(text.find("001\t"), 30);
        report.mnuOptions[5]->trigger();
    });
    window.mnuDesign[13]->trigger();
    EXPECT_TRUE(boxes.log.empty());
    EXPECT_EQ(firstRow.substr(0, 26), "001\t10 00 00 N\t010 00 00 E");
    EXPECT_EQ(Marked(window), std::vector<size_t>{13});
}

TEST_F(DesignMenuTest, TheParameterReportOpensOnTheCurrentDesign) {
    Tellurax window;
    std::string title;
    WhenShown<ReportParam>([&title](ReportParam& report) {
        // Opening the window gives the box the focus, which builds the report.
        EXPECT_TRUE(QTest::qWaitFor([&report] { return !report.Report().paragraphs.empty(); }, 5000));
        const std::string text = report.Report().PlainText();
        title = text.substr(0, text.find("\r\n"));
        report.close();
    });
    window.mnuDesign[12]->trigger();
    EXPECT_EQ(title, "Tellurax Version " + Design().VersionString + " Parameter Report");
    EXPECT_EQ(Marked(window), std::vector<size_t>{12});
}

TEST_F(DesignMenuTest, BackgroundColorPicksTheBackgroundAndItsCell) {
    Tellurax window;
    DesignState& d = Design();
    d.BackColor = PaletteRgb(0xFFFFFF);
    d.BackColorIndex = 15;
    // Closing the picker without a click keeps the background.
    int marked = -1;
    WhenShown<Colors256>([&marked](Colors256& picker) {
        marked = picker.ColorSquare->MarkerCell();
        picker.reject();
    });
    window.mnuDesign[7]->trigger();
    EXPECT_EQ(marked, 15);
    EXPECT_EQ(d.ColorTarget, TargetBackground);
    EXPECT_EQ(d.BackColor, PaletteRgb(0xFFFFFF));
    EXPECT_EQ(d.BackColorIndex, 15);
    EXPECT_EQ(Marked(window), std::vector<size_t>{7});

    WhenShown<Colors256>([](Colors256& picker) { picker.ColorSquare_Click(160); });
    window.mnuDesign[7]->trigger();
    EXPECT_EQ(d.BackColor, PaletteColors()[160]);
    EXPECT_EQ(d.BackColorIndex, 160);
    EXPECT_TRUE(boxes.log.empty());
}

// ---- The route and circles on the map ----

struct GeoPoint {
    double lat, lon;
};
struct CircleFixture {
    std::array<double, 4> route{};
    std::vector<GeoPoint> routePoints;
    std::vector<std::vector<GeoPoint>> rings;  // ring k - 1
};

CircleFixture LoadCircles() {
    std::ifstream in(std::string(TLRX_TEST_DATA_DIR) + "/fixtures/menu_circles.txt");
    CircleFixture f;
    std::vector<GeoPoint>* points = nullptr;
    for (std::string line; std::getline(in, line);) {
        if (line.empty() || line[0] == '#' || line.rfind("cmd ", 0) == 0) continue;
        std::istringstream s(line);
        std::string word;
        if (line.rfind("route ", 0) == 0) {
            s >> word >> f.route[0] >> f.route[1] >> f.route[2] >> f.route[3];
            points = &f.routePoints;
        } else if (line.rfind("ring ", 0) == 0) {
            f.rings.emplace_back();
            points = &f.rings.back();
        } else if (points) {
            GeoPoint p{};
            s >> p.lat >> p.lon;
            points->push_back(p);
        }
    }
    return f;
}

// The pixel of the window's picture at a geographic point (degrees).
QPoint PixelOf(double lat, double lon) {
    DesignState& d = Design();
    const PlotState& p = Plot();
    double frame = lon - d.LonWest;
    if (frame < 0) frame += 360;
    d.ProjInLat = lat;
    d.ProjInLon = frame;
    ProjectSelect();
    return {
        static_cast<int>(std::lround(((d.ProjOutX - d.MapXMin) * p.DevScaleX + p.DevOffsetX) / p.DevTwipsPerPixelX)),
        static_cast<int>(std::lround((p.DevOffsetY - (d.ProjOutY - d.MapYMin) * p.DevScaleY) / p.DevTwipsPerPixelY))};
}

bool ColourNear(const QImage& image, QPoint at, QRgb colour, int radius) {
    for (int y = at.y() - radius; y <= at.y() + radius; ++y)
        for (int x = at.x() - radius; x <= at.x() + radius; ++x)
            if (image.valid(x, y) && (image.pixel(x, y) & 0xFFFFFF) == (colour & 0xFFFFFF)) return true;
    return false;
}

TEST_F(DesignMenuTest, DrawMapDrawsTheRouteAndTheCirclesWhereGeographicLibPutsThem) {
    const CircleFixture f = LoadCircles();
    ASSERT_EQ(f.routePoints.size(), 9u);
    ASSERT_EQ(f.rings.size(), 3u);
    Tellurax window;
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    DesignState& d = Design();
    // The graticule and the circles alone, each in a colour of its own.
    ResizeInputFiles(0);
    d.NumInputFiles = 0;
    d.GcColor = RgbColor(255, 0, 0);
    d.ScColor = RgbColor(0, 160, 0);
    SetMapPlotPass({});

    // Tokyo to San Francisco, across the 180th meridian.
    EnterRoute(window, {"35    41    00    N", "139    46    00    E", "37    47    00    N", "122    26    00    W"});
    EXPECT_DOUBLE_EQ(d.GcStartLat, f.route[0]);
    EXPECT_DOUBLE_EQ(d.GcStartLon, f.route[1]);
    EXPECT_DOUBLE_EQ(d.GcEndLat, f.route[2]);
    EXPECT_DOUBLE_EQ(d.GcEndLon, f.route[3]);
    // Three rings of up to 30 degrees about Sydney.
    WhenShown<SmallCircle>([](SmallCircle& s) {
        s.LatCenter->SetText("33    52    00    S");
        s.LonCenter->SetText("151    12    00    E");
        s.RadiusDeg->SetText("030    00    00");
        s.OK->click();
    });
    window.mnuDesign[2]->trigger();
    ASSERT_TRUE(d.GcDefined && d.ScDefined);

    DrawMap(window);
    ASSERT_TRUE(boxes.log.empty()) << boxes.log[0].title << ": " << boxes.log[0].text;
    const QImage& picture = window.Area().Picture();
    const fs::path png = fs::path(TLRX_TEST_OUT_DIR) / "design-menu-circles.png";
    ASSERT_TRUE(picture.save(QString::fromStdString(png.string())));

    const QRgb red = qRgb(255, 0, 0), green = qRgb(0, 160, 0);
    for (const GeoPoint& p : f.routePoints)
        EXPECT_TRUE(ColourNear(picture, PixelOf(p.lat, p.lon), red, 1)) << "route at " << p.lat << " " << p.lon;
    for (size_t k = 0; k < f.rings.size(); ++k)
        for (const GeoPoint& p : f.rings[k])
            EXPECT_TRUE(ColourNear(picture, PixelOf(p.lat, p.lon), green, 1))
                << "ring " << k + 1 << " at " << p.lat << " " << p.lon;
    // Where the route leaves the map at 180 degrees it comes back on the
    // other side, with no line across the map between.
    int strayRed = 0;
    const QPoint west = PixelOf(40, -100), east = PixelOf(40, 120);
    for (int x = west.x(); x <= east.x(); ++x)
        for (int y = PixelOf(60, 0).y(); y <= PixelOf(20, 0).y(); ++y)
            strayRed += (picture.pixel(x, y) & 0xFFFFFF) == (red & 0xFFFFFF);
    EXPECT_EQ(strayRed, 0);
}

// ---- Labels ----

TEST_F(DesignMenuTest, LabelsOfAPointFileBecomeTextItemsThroughTheLabelOption) {
    Tellurax window;
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    DesignState& d = Design();
    d.InputFileName(1) = std::string(TLRX_TEST_DATA_DIR) + "/../../data/samples/nw.prn";
    SetMapPlotPass({});
    const auto chooseLabels = [&](int expectedRow, int row) {
        WhenShown<SelectLabelOption>([=](SelectLabelOption& s) {
            EXPECT_EQ(s.LabelOption->currentRow(), expectedRow);
            s.LabelOption->setCurrentRow(row);
            s.OK->click();
        });
        window.mnuDesign[5]->trigger();
    };

    DrawMap(window);
    ASSERT_TRUE(boxes.log.empty()) << boxes.log[0].text;
    EXPECT_EQ(d.NumTextItems, 0);  // the run's own label items are gone again
    const std::vector<std::string> labels = {"Seattle",   "Tacoma",         "Olympia", "Portland",
                                             "Vancouver", "Victoria, B.C.", "Spokane", "Kelowna"};
    chooseLabels(SelectLabelOption::ShowLabels, SelectLabelOption::ConvertLabels);
    EXPECT_FALSE(d.DisplayLabels);
    ASSERT_EQ(d.NumTextItems, static_cast<int32_t>(labels.size()));
    const PlotState& p = Plot();
    for (size_t k = 1; k <= labels.size(); ++k) {
        EXPECT_EQ(d.TextItems[k], p.MapLabels[k].MapLabelItem);
        EXPECT_TRUE(d.TextItems[k].TextItemFromLabel);
    }
    std::vector<std::string> texts;
    for (size_t k = 1; k < d.TextItems.size(); ++k) texts.push_back(d.TextItems[k].TextItemText);
    std::sort(texts.begin(), texts.end());
    std::vector<std::string> sorted = labels;
    std::sort(sorted.begin(), sorted.end());
    EXPECT_EQ(texts, sorted);

    // With labels hidden the next run adds no label items of its own.
    DrawMap(window);
    EXPECT_EQ(d.NumTextItems, static_cast<int32_t>(labels.size()));

    chooseLabels(SelectLabelOption::ConvertLabels, SelectLabelOption::EraseConverted);
    EXPECT_EQ(d.NumTextItems, 0);
    EXPECT_TRUE(boxes.log.empty());
}

}  // namespace
}  // namespace tlrx
