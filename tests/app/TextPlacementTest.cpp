// Placing map text on the real main window: the text item dialog opened
// from the Design Map menu, then mouse moves, the keys and clicks, and Esc
// or a menu ending the placement; the stored item, the window's pixels and
// the window picture read back; the preview box of each rotation; the text
// in the exports of the next run.

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QImage>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "AppTestSupport.h"
#include "app/DrawingArea.h"
#include "app/MapReduce.h"
#include "app/Tellurax.h"
#include "app/TextPlacement.h"
#include "core/DesignState.h"
#include "dialogs/content/TextAdd.h"
#include "plot/PlotState.h"

namespace tlrx {
namespace {

using test::AppTest;
using test::WhenShown;

constexpr const char* kCaption = "Tellurax: Equirectangular projection";

class TextPlacementTest : public AppTest {
protected:
    // The window with its fonts and a background of coloured lines, so that
    // a background put back in the wrong place shows.
    static void Prepare(Tellurax& window) {
        window.Form_Activate();
        Surface& dc = window.Area().DC();
        const GdiObject pen = dc.CreatePen(PenStyle::Solid, 3, MakeRgb(0, 128, 255));
        const GdiObject old = dc.SelectObject(pen);
        for (int x = -600; x < 800; x += 37) {
            dc.MoveToEx(x, 0);
            dc.LineTo(x + 500, 500);
        }
        dc.SelectObject(old);
        dc.DeleteObject(pen);
        window.Area().ShowDrawing();
    }
    // "Add Text to Map" with the text and rotation typed, then OK.
    static void AddText(Tellurax& window, const std::string& text, const char* rotation = "000") {
        WhenShown<TextAdd>([text, rotation](TextAdd& dlg) {
            dlg.TextStrings->setEditText(QString::fromStdString(text));
            dlg.TextRotation->setText(QString::fromLatin1(rotation));
            dlg.OK->click();
        });
        window.mnuDesign[4]->trigger();
    }
    // "Add Text to Map", the list's entry chosen and OK unchanged.
    static void EditText(Tellurax& window, int entry) {
        WhenShown<TextAdd>([entry](TextAdd& dlg) {
            emit dlg.TextStrings->activated(entry);
            dlg.OK->click();
        });
        window.mnuDesign[4]->trigger();
    }
    static void Click(Tellurax& window, QPoint at) { QTest::mouseClick(&window.Area(), Qt::LeftButton, {}, at); }
    // A double click as the window system delivers it: a press and release,
    // a second press, the double click, a release.
    static void DoubleClick(Tellurax& window, QPoint at) {
        Click(window, at);
        QTest::mousePress(&window.Area(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(&window.Area(), Qt::LeftButton, {}, at);
        QTest::mouseRelease(&window.Area(), Qt::LeftButton, {}, at);
    }
    static void Move(Tellurax& window, QPoint at) {
        QMouseEvent move(QEvent::MouseMove, QPointF(at), QPointF(window.Area().mapToGlobal(at)), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(&window.Area(), &move);
    }
    static void Key(Tellurax& window, Qt::Key key) { QTest::keyClick(&window, key); }
    static QImage Shot(Tellurax& window) { return window.Area().Picture().copy(); }
    // The box of the pixels that differ between two pictures; empty when none do.
    static QRect Changed(const QImage& a, const QImage& b) {
        QRect box;
        for (int y = 0; y < a.height(); ++y)
            for (int x = 0; x < a.width(); ++x)
                if (a.pixel(x, y) != b.pixel(x, y)) box |= QRect(x, y, 1, 1);
        return box;
    }
    static bool SamePixels(const Bitmap& bitmap, const QImage& image) {
        if (bitmap.width != image.width() || bitmap.height != image.height()) return false;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const QRgb c = image.pixel(x, y);
                if (bitmap.At(x, y) != MakeRgb(qRed(c), qGreen(c), qBlue(c))) return false;
            }
        return true;
    }
};

TEST_F(TextPlacementTest, APreviewBoxForEachRotation) {
    // Ascent 200, descent 50, width 1000, height 300: M = 1000.
    // clang-format off
    const std::pair<double, TextBox> cases[] = {
        {0, {3000, 1800, 4000, 2050}},    {90, {2800, 1000, 3050, 2000}},  {180, {2000, 1950, 3000, 2200}},
        {270, {2950, 2000, 3200, 3000}},  {45, {2800, 1000, 4000, 2050}},  {1, {2800, 1000, 4000, 2050}},
        {89, {2800, 1000, 4000, 2050}},   {135, {2000, 1000, 3050, 2200}}, {225, {2000, 1950, 3200, 3000}},
        {315, {2950, 1800, 4000, 3000}},  {359, {2950, 1800, 4000, 3000}}, {360, {3000, 1800, 4000, 2050}},
        {405, {2800, 1000, 4000, 2050}},  {-90, {2950, 2000, 3200, 3000}},
    };
    // clang-format on
    for (const auto& [r, box] : cases) EXPECT_EQ(PreviewBox(3000, 2000, r, 200, 50, 1000, 300), box) << r;
    // The height reaches further than a short text's width.
    EXPECT_EQ(PreviewBox(3000, 2000, 45, 200, 50, 100, 300), (TextBox{2800, 1700, 3300, 2050}));
}

TEST_F(TextPlacementTest, APlacementFromTheMenuToEscStoresTheItemAndRetakesThePicture) {
    Tellurax window;
    Prepare(window);
    DesignState& d = Design();
    const QImage background = Shot(window);
    ASSERT_EQ(window.Caption(), kCaption);
    const size_t items = d.TextItems.size();

    AddText(window, "Atlantic");
    EXPECT_EQ(d.CurrentText, "Atlantic");
    EXPECT_EQ(d.NumTextItems, 1);
    EXPECT_EQ(d.TextItems.size(), items);  // grown when the item is stored
    EXPECT_EQ(Shot(window), background);   // nothing drawn before a move

    Move(window, {100, 40});
    EXPECT_EQ(window.Caption(), "Tellurax:  x = 01500   y = 00600");
    Key(window, Qt::Key_3);
    EXPECT_EQ(d.TextStep, 750);
    Key(window, Qt::Key_2);
    EXPECT_EQ(d.TextStep, 150);

    // A click shows the preview there; its pixels lie within the background kept.
    Click(window, {100, 40});
    EXPECT_EQ(window.TextX, 1500);
    EXPECT_EQ(window.TextY, 600);
    EXPECT_FALSE(d.TextErased);
    const QRect preview = Changed(background, Shot(window));
    ASSERT_FALSE(preview.isEmpty());
    const PixelRect& kept = window.PreviewBackground.rect;
    EXPECT_TRUE(QRect(QPoint(kept.left, kept.top), QPoint(kept.right - 1, kept.bottom - 1)).contains(preview));

    // Space swaps the preview for the cross, an arrow moves the cross.
    Key(window, Qt::Key_Space);
    EXPECT_TRUE(d.TextErased);
    EXPECT_TRUE(window.CrossShown);
    const QRect cross = Changed(background, Shot(window));
    EXPECT_TRUE(cross.contains(QPoint(100, 40)));
    EXPECT_LT(cross.width(), 40);
    Key(window, Qt::Key_Right);
    EXPECT_EQ(window.TextX, 1650);
    EXPECT_EQ(window.Caption(), "Tellurax:  x = 01650   y = 00600");
    EXPECT_EQ(Changed(background, Shot(window)), cross.translated(10, 0));
    Key(window, Qt::Key_Space);
    EXPECT_FALSE(window.CrossShown);
    EXPECT_EQ(Changed(background, Shot(window)), preview.translated(10, 0));

    Key(window, Qt::Key_Escape);
    EXPECT_EQ(d.CurrentText, "");
    EXPECT_EQ(window.Caption(), kCaption);
    EXPECT_EQ(d.NumTextItems, 1);
    ASSERT_EQ(d.TextItems.size(), 2u);
    EXPECT_EQ(d.TextItems[1].TextItemText, "Atlantic");
    EXPECT_EQ(d.TextItems[1].TextItemX, 1650);
    EXPECT_EQ(d.TextItems[1].TextItemY, 600);  // the baseline, not the box
    EXPECT_EQ(d.TextItems[1].TextItemRotation, 0);
    EXPECT_EQ(d.TextItems[1].TextItemFontName, d.DefaultFontName);
    EXPECT_EQ(d.TextItems[1].TextItemFontSize, 12);
    EXPECT_EQ(d.TextItems[1].TextItemColor, 0);
    EXPECT_FALSE(d.TextItems[1].TextItemBold || d.TextItems[1].TextItemItalic || d.TextItems[1].TextItemFromLabel);
    TextMetric tm;
    ASSERT_TRUE(window.GetTextMetrics(tm));
    EXPECT_EQ(d.TextItems[1].TextItemAscent, tm.ascent * 15);
    EXPECT_EQ(d.TextItems[1].TextItemDescent, tm.descent * 15);
    EXPECT_EQ(d.TextItems[1].TextItemCharWidth, tm.aveCharWidth * 15);
    EXPECT_GT(tm.ascent, 0);

    // The text stays on the window and in its picture, and a repaint shows it.
    const QImage placed = Shot(window);
    EXPECT_EQ(Changed(background, placed), preview.translated(10, 0));
    ASSERT_TRUE(window.WindowPicture.hBitmap);
    EXPECT_TRUE(SamePixels(*window.WindowPicture.hBitmap, placed));
    EXPECT_EQ(window.Area().grab().toImage().convertToFormat(QImage::Format_RGB32), placed);
    EXPECT_TRUE(boxes.log.empty());
}

TEST_F(TextPlacementTest, EndingWithoutAPreviewDropsANewItemAndKeepsAnEditedOne) {
    Tellurax window;
    Prepare(window);
    DesignState& d = Design();
    const QImage background = Shot(window);
    const std::vector<TextItem> items = d.TextItems;

    AddText(window, "Dropped");
    Key(window, Qt::Key_Escape);  // right after OK
    EXPECT_EQ(d.NumTextItems, 0);
    EXPECT_EQ(d.TextItems, items);
    EXPECT_EQ(window.Caption(), kCaption);
    EXPECT_FALSE(window.WindowPicture.hBitmap);

    // A click that takes the preview away leaves nothing to store.
    AddText(window, "Dropped too");
    Click(window, {50, 50});
    Click(window, {60, 60});
    emit window.mnuBar[2]->menu()->aboutToShow();  // opening a menu ends the placement as Esc does
    EXPECT_EQ(d.CurrentText, "");
    EXPECT_EQ(d.NumTextItems, 0);
    EXPECT_EQ(Shot(window), background);

    AddText(window, "Kept", "045");
    Click(window, {200, 150});
    Key(window, Qt::Key_Escape);
    ASSERT_EQ(d.NumTextItems, 1);
    EXPECT_EQ(d.TextItems[1].TextItemRotation, 45);
    const QImage placed = Shot(window);

    // An edited item without a preview keeps its place and fields.
    EditText(window, 0);
    EXPECT_TRUE(d.TextEditing);
    Key(window, Qt::Key_Escape);
    EXPECT_EQ(d.NumTextItems, 1);
    EXPECT_EQ(d.TextItems[1].TextItemX, 3000);
    EXPECT_EQ(d.TextItems[1].TextItemY, 2250);
    EXPECT_FALSE(d.TextEditing);
    EXPECT_EQ(window.Caption(), kCaption);

    // Placed again twice: the same index each time.
    for (const QPoint at : {QPoint(300, 100), QPoint(120, 220)}) {
        EditText(window, 0);
        Click(window, at);
        Key(window, Qt::Key_Escape);
        EXPECT_EQ(d.NumTextItems, 1);
        EXPECT_EQ(d.TextItems[1].TextItemX, at.x() * 15);
        EXPECT_EQ(d.TextItems[1].TextItemY, at.y() * 15);
        EXPECT_EQ(d.TextItems[1].TextItemRotation, 45);
    }
    EXPECT_NE(Shot(window), placed);
    EXPECT_TRUE(boxes.log.empty());
}

TEST_F(TextPlacementTest, TheCrossAndThePreviewLeaveNothingBehind) {
    Tellurax window;
    Prepare(window);
    DesignState& d = Design();
    const QImage background = Shot(window);
    window.TextX = 3000;  // where the last placement left the point
    window.TextY = 3000;

    // Space before any move shows the preview and no cross.
    AddText(window, "Pacific");
    Key(window, Qt::Key_Space);
    const QImage preview = Shot(window);
    Key(window, Qt::Key_Space);  // the cross
    Key(window, Qt::Key_Space);  // the preview again
    EXPECT_EQ(Shot(window), preview);
    Key(window, Qt::Key_Left);  // the cross, moved
    Key(window, Qt::Key_Escape);
    EXPECT_EQ(Shot(window), background);
    EXPECT_EQ(d.NumTextItems, 0);

    // An arrow after a click took the preview away draws one cross only.
    AddText(window, "Pacific");
    Click(window, {100, 100});
    Click(window, {100, 100});
    Key(window, Qt::Key_Down);
    Key(window, Qt::Key_Space);
    Key(window, Qt::Key_Space);
    Key(window, Qt::Key_Escape);
    EXPECT_EQ(Shot(window), background);

    // Two clicks at different points leave no preview, a third shows it;
    // a double click toggles twice, not three times.
    AddText(window, "Pacific");
    Click(window, {80, 60});
    Click(window, {300, 200});
    EXPECT_EQ(Shot(window), background);
    EXPECT_TRUE(d.TextErased);
    DoubleClick(window, {150, 150});
    EXPECT_EQ(Shot(window), background);
    Click(window, {150, 150});
    EXPECT_FALSE(d.TextErased);
    EXPECT_NE(Shot(window), background);
    Key(window, Qt::Key_Escape);
    EXPECT_EQ(d.NumTextItems, 1);
    EXPECT_EQ(d.TextItems[1].TextItemX, 2250);
}

TEST_F(TextPlacementTest, EachRotationsPreviewLiesWithinTheBackgroundItKeeps) {
    Tellurax window;
    Prepare(window);
    const QImage background = Shot(window);
    for (const char* rotation : {"000", "045", "090", "135", "180", "225", "270", "315"}) {
        SCOPED_TRACE(rotation);
        AddText(window, "Mediterranean Sea", rotation);
        Click(window, {250, 200});
        const QRect drawn = Changed(background, Shot(window));
        ASSERT_FALSE(drawn.isEmpty());
        const PixelRect& kept = window.PreviewBackground.rect;
        EXPECT_TRUE(QRect(QPoint(kept.left, kept.top), QPoint(kept.right - 1, kept.bottom - 1)).contains(drawn));
        Click(window, {250, 200});
        EXPECT_EQ(Shot(window), background);
        Key(window, Qt::Key_Escape);
    }
}

// Lines of a DXF file, without their line ends.
std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        out.push_back(line);
    }
    return out;
}

TEST_F(TextPlacementTest, PlacedTextIsInTheExportsOfTheNextRunWhereItWasPlaced) {
    SetMapPlotPass({});
    SetPrintTextPass({});
    Tellurax window;
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    Prepare(window);
    DesignState& d = Design();
    ResizeInputFiles(0);  // the graticule alone
    d.NumInputFiles = 0;
    const QPoint at(window.Area().width() / 3, window.Area().height() / 4);
    AddText(window, "Atlantic");
    Click(window, at);
    Key(window, Qt::Key_Escape);
    AddText(window,
            "\xCE\xA9mega S\xC3\xA9"
            "e");  // an omega no export's code page holds, and an e acute
    Click(window, at + QPoint(0, 60));
    Key(window, Qt::Key_Escape);
    AddText(window, "\xE2\x86\x92 east");  // an arrow: one notice for the run all the same
    Click(window, at + QPoint(0, 120));
    Key(window, Qt::Key_Escape);
    ASSERT_EQ(d.NumTextItems, 3);

    const std::pair<int16_t, const char*> exports[] = {{6, "cgm"}, {7, "dxf"}, {8, "wmf"}};
    for (const auto& [item, ext] : exports) {
        SCOPED_TRACE(ext);
        boxes.log.clear();
        const std::string file = Path(std::string("map.") + ext);
        fileDialogs.choices.push_back(FileDialogChoice::Name(file));
        window.mnuInput[static_cast<size_t>(item)]->trigger();
        const std::string bytes = Contents(file);
        EXPECT_NE(bytes.find("Atlantic"), std::string::npos);
        if (std::string(ext) == "dxf") {
            // DXF escapes every character beyond ASCII: nothing is lost.
            EXPECT_NE(bytes.find("\\U+03A9mega S\\U+00E9e"), std::string::npos);
            EXPECT_NE(bytes.find("\\U+2192 east"), std::string::npos);
            EXPECT_TRUE(boxes.log.empty());
            continue;
        }
        EXPECT_NE(bytes.find("?mega S\xE9"
                             "e"),
                  std::string::npos);
        EXPECT_NE(bytes.find("? east"), std::string::npos);
        ASSERT_EQ(boxes.log.size(), 1u);
        EXPECT_EQ(boxes.log[0].text, std::string("Some map text holds characters that a ") +
                                         (std::string(ext) == "cgm" ? "CGM" : "WMF") +
                                         " file cannot hold: each of them was written as \"?\".");
        EXPECT_EQ(boxes.log[0].icon, MsgIcon::Information);
    }

    // In the DXF file the text stands where it was placed on the window,
    // on the file's area with y upwards.
    const std::vector<std::string> lines = Lines(Contents(Path("map.dxf")));
    const PlotState& p = Plot();
    bool found = false;
    for (size_t i = 0; i + 1 < lines.size(); ++i) {
        if (lines[i] != "  1" || lines[i + 1] != "Atlantic") continue;
        double x = -1, y = -1;
        for (size_t k = i; k-- > 0 && (x < 0 || y < 0);) {
            if (lines[k] == " 10" && x < 0) x = std::stod(lines[k + 1]);
            if (lines[k] == " 20" && y < 0) y = std::stod(lines[k + 1]);
        }
        EXPECT_NEAR(x / p.OutExtentX, static_cast<double>(at.x()) / window.Area().width(), 0.01);
        EXPECT_NEAR(1 - y / p.OutExtentY, static_cast<double>(at.y()) / window.Area().height(), 0.01);
        found = true;
    }
    EXPECT_TRUE(found);

    // A run without an export tells nothing.
    boxes.log.clear();
    WhenShown<MapReduce>([](MapReduce& size) { size.DrawMap->click(); });
    window.mnuBar[3]->trigger();
    EXPECT_TRUE(boxes.log.empty());
}

}  // namespace
}  // namespace tlrx
