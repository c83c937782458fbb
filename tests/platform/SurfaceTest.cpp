#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <algorithm>
#include <cstring>
#include <functional>
#include <random>
#include <vector>

#include "platform/qt/QtSurface.h"
#include "support/FakeHost.h"
#include "support/ScriptedSurface.h"

namespace tlrx {
namespace {

constexpr Rgb kRed = MakeRgb(255, 0, 0);

// A walk as map lines come: the points given, then `steps` steps of at most
// `step` in x and y, kept within `margin` of a 300-pixel picture, with one
// point in five repeated.
std::vector<QPoint> RandomWalk(std::mt19937& random, std::vector<QPoint> walk, int steps, int step, int margin) {
    constexpr int kSize = 300;
    QPoint at = walk.back();
    for (int i = 0; i < steps; ++i) {
        const int dx = static_cast<int>(random() % static_cast<unsigned>(2 * step + 1)) - step;
        const int dy = static_cast<int>(random() % static_cast<unsigned>(2 * step + 1)) - step;
        at = QPoint(std::clamp(at.x() + dx, -margin, kSize - 1 + margin),
                    std::clamp(at.y() + dy, -margin, kSize - 1 + margin));
        walk.push_back(at);
        if (random() % 5 == 0) walk.push_back(at);
    }
    return walk;
}

class SurfaceTest : public ::testing::Test {
protected:
    SurfaceTest() : image(40, 30, QImage::Format_RGB32) { image.fill(Qt::white); }
    bool IsRed(int x, int y) const { return image.pixel(x, y) == qRgb(255, 0, 0); }
    int RedCount() const {
        int n = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) n += IsRed(x, y);
        return n;
    }
    QImage image;
};

TEST_F(SurfaceTest, LinesLeaveOutTheirLastPixel) {
    {
        QtSurface s(image);
        const GdiObject pen = s.CreatePen(PenStyle::Solid, 1, kRed);
        const GdiObject old = s.SelectObject(pen);
        ASSERT_NE(old, 0u);
        s.MoveToEx(2, 5);
        s.LineTo(12, 5);
        EXPECT_EQ(s.SelectObject(old), pen);
        EXPECT_TRUE(s.DeleteObject(pen));
        EXPECT_EQ(s.LiveObjects(), 0u);
    }
    EXPECT_TRUE(IsRed(2, 5));
    EXPECT_TRUE(IsRed(11, 5));
    EXPECT_FALSE(IsRed(12, 5));
    EXPECT_EQ(RedCount(), 10);
}

// Consecutive LineTo calls are drawn as one polyline. Beside single lines
// (QPainter::drawLine per segment, with the pen the surface makes) the
// picture differs only in pixels at the joins: the join pixel that a single
// line's rounding leaves out or a polyline adds, and rarely a pixel of a
// long segment moved by one where the rounding is a tie. Segments that leave
// the picture or the clip rectangle are drawn singly: clipped as before.
TEST(SurfaceLines, PolylinesDifferFromSingleLinesOnlyAtTheJoins) {
    constexpr int kSize = 300;
    struct Case {
        const char* name;
        PenStyle style;
        int width;
        int step;             // the walks' largest step in x and y
        int margin;           // how far a walk may leave the picture
        bool clip;            // drawn within (30, 30)-(270, 270)
        int perHundredJoins;  // differing pixels within a pixel of a join, at most, per hundred joins
        int elsewhere;        // differing pixels farther from the joins, at most
    };
    const Case cases[] = {
        {"thin, short steps", PenStyle::Solid, 1, 3, 0, false, 15, 0},
        {"thin, long steps", PenStyle::Solid, 1, 60, 0, false, 15, 2},
        {"thin, leaving the picture", PenStyle::Solid, 1, 60, 20, false, 15, 0},
        {"thin, clipped", PenStyle::Solid, 1, 60, 0, true, 15, 0},
        {"wide", PenStyle::Solid, 3, 20, 20, false, 0, 0},
        {"dashed, drawn singly", PenStyle::Dash, 1, 20, 0, false, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::mt19937 random(7);
        int nearJoins = 0, elsewhere = 0, joins = 0;
        QImage lines(kSize, kSize, QImage::Format_RGB32);
        QImage single(kSize, kSize, QImage::Format_RGB32);
        for (int n = 0; n < 60; ++n) {
            // A walk as map lines come: a line of its own start point first,
            // and points that repeat.
            const std::vector<QPoint> walk =
                RandomWalk(random, {{kSize / 2, kSize / 2}, {kSize / 2, kSize / 2}}, 20, c.step, c.margin);

            lines.fill(Qt::white);
            single.fill(Qt::white);
            {
                QtSurface s(lines);
                const GdiObject old = s.SelectObject(s.CreatePen(c.style, c.width, 0));
                if (c.clip) s.SetClipRect(30, 30, kSize - 30, kSize - 30);
                s.MoveToEx(walk[0].x(), walk[0].y());
                for (size_t i = 1; i < walk.size(); ++i) s.LineTo(walk[i].x(), walk[i].y());
                s.DeleteObject(s.SelectObject(old));
            }
            {
                QPainter painter(&single);
                QPen pen(Qt::black);
                pen.setWidth(c.width <= 1 ? 0 : c.width);
                pen.setCapStyle(c.width <= 1 ? Qt::FlatCap : Qt::RoundCap);
                pen.setJoinStyle(Qt::RoundJoin);
                if (c.style == PenStyle::Dash) pen.setStyle(Qt::DashLine);
                painter.setPen(pen);
                if (c.clip) painter.setClipRect(QRect(30, 30, kSize - 60, kSize - 60));
                for (size_t i = 1; i < walk.size(); ++i) painter.drawLine(walk[i - 1], walk[i]);
            }

            // The joins: where two lines of some length meet.
            std::vector<QPoint> corners = walk;
            corners.erase(std::unique(corners.begin(), corners.end()), corners.end());
            joins += static_cast<int>(corners.size()) - 2;
            for (int y = 0; y < kSize; ++y) {
                if (std::memcmp(lines.constScanLine(y), single.constScanLine(y), sizeof(QRgb) * kSize) == 0) continue;
                for (int x = 0; x < kSize; ++x) {
                    if (lines.pixel(x, y) == single.pixel(x, y)) continue;
                    const bool atJoin = std::any_of(corners.begin() + 1, corners.end() - 1, [&](const QPoint& j) {
                        return std::abs(j.x() - x) <= 1 && std::abs(j.y() - y) <= 1;
                    });
                    ++(atJoin ? nearJoins : elsewhere);
                }
            }
        }
        EXPECT_LE(nearJoins * 100, joins * c.perHundredJoins) << nearJoins << " of " << joins << " joins";
        EXPECT_LE(elsewhere, c.elsewhere);
    }
}

// Showing the collected lines while they are still being collected (as the
// window does at screen rate) leaves the picture as drawing them once does.
TEST(SurfaceLines, DrawingPendingLinesAtEveryPointChangesNoPixel) {
    constexpr int kSize = 300;
    struct Case {
        const char* name;
        int width;
        int step;
        int margin;
        bool clip;
    };
    const Case cases[] = {
        {"thin, short steps", 1, 3, 0, false},
        {"thin, long steps", 1, 60, 0, false},
        {"thin, leaving the picture", 1, 60, 20, false},
        {"thin, clipped", 1, 60, 0, true},
        {"wide", 3, 20, 20, false},
        {"wider", 6, 8, 0, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::mt19937 random(11);
        QImage shownAtEveryPoint(kSize, kSize, QImage::Format_RGB32);
        QImage drawnOnce(kSize, kSize, QImage::Format_RGB32);
        shownAtEveryPoint.fill(Qt::white);
        drawnOnce.fill(Qt::white);
        for (int n = 0; n < 40; ++n) {
            const std::vector<QPoint> walk = RandomWalk(random, {{kSize / 2, kSize / 2}}, 30, c.step, c.margin);
            for (QImage* image : {&shownAtEveryPoint, &drawnOnce}) {
                QtSurface s(*image);
                const GdiObject old = s.SelectObject(s.CreatePen(PenStyle::Solid, c.width, MakeRgb(0, 0, n * 5)));
                if (c.clip) s.SetClipRect(30, 30, kSize - 30, kSize - 30);
                s.MoveToEx(walk[0].x(), walk[0].y());
                for (size_t i = 1; i < walk.size(); ++i) {
                    s.LineTo(walk[i].x(), walk[i].y());
                    if (image == &shownAtEveryPoint) s.DrawPending();
                }
                s.DeleteObject(s.SelectObject(old));
            }
        }
        int differing = 0;
        for (int y = 0; y < kSize; ++y)
            for (int x = 0; x < kSize; ++x) differing += shownAtEveryPoint.pixel(x, y) != drawnOnce.pixel(x, y);
        EXPECT_EQ(differing, 0);
    }
}

// The collected lines are drawn before whatever comes next: a new pen, other
// drawing, a read of the pixels.
TEST_F(SurfaceTest, CollectedLinesAreDrawnBeforeWhatFollows) {
    constexpr Rgb kBlue = MakeRgb(0, 0, 255);
    QtSurface s(image);
    const GdiObject red = s.CreatePen(PenStyle::Solid, 1, kRed);
    const GdiObject blue = s.CreatePen(PenStyle::Solid, 1, kBlue);
    const GdiObject old = s.SelectObject(red);
    s.MoveToEx(2, 2);
    s.LineTo(12, 2);
    s.SelectObject(blue);
    s.LineTo(12, 12);
    // A white box over part of the blue line, then a line that goes on where
    // the last one ended after a move to that point.
    const GdiObject brush = s.SelectObject(s.GetStockObject(StockObject::WhiteBrush));
    const GdiObject pen = s.SelectObject(s.GetStockObject(StockObject::NullPen));
    s.Rectangle(10, 8, 15, 15);
    s.SelectObject(pen);
    s.SelectObject(brush);
    s.MoveToEx(20, 20);
    s.LineTo(30, 20);
    s.MoveToEx(30, 20);
    s.LineTo(30, 25);
    s.Flush();
    EXPECT_TRUE(IsRed(2, 2));
    EXPECT_TRUE(IsRed(11, 2));
    EXPECT_EQ(image.pixel(12, 5), qRgb(0, 0, 255));
    EXPECT_EQ(image.pixel(12, 10), qRgb(255, 255, 255));
    EXPECT_EQ(image.pixel(25, 20), qRgb(0, 0, 255));
    EXPECT_EQ(image.pixel(30, 22), qRgb(0, 0, 255));
    s.SelectObject(old);
    s.DeleteObject(red);
    s.DeleteObject(blue);
}

// The drawn part covers every pixel drawn since it was last taken.
TEST_F(SurfaceTest, TheDrawnPartCoversWhatWasDrawn) {
    QImage picture(300, 200, QImage::Format_RGB32);
    picture.fill(Qt::white);
    QtSurface s(picture);
    s.SetBkMode(BkMode::Transparent);
    LogFont font;
    font.height = -14;
    font.escapement = 300;
    font.faceName = "Liberation Sans";
    const GdiObject oldFont = s.SelectObject(s.CreateFontIndirect(font));
    const GdiObject oldPen = s.SelectObject(s.CreatePen(PenStyle::Solid, 5, kRed));
    const auto drawn = [&](const std::function<void()>& draw) {
        picture.fill(Qt::white);
        EXPECT_TRUE(s.TakeDrawnRect().isEmpty());
        draw();
        s.Flush();
        QRect ink;
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x)
                if (picture.pixel(x, y) != qRgb(255, 255, 255)) ink |= QRect(x, y, 1, 1);
        const QRect rect = s.TakeDrawnRect();
        EXPECT_FALSE(ink.isEmpty());
        EXPECT_TRUE(rect.contains(ink));
        EXPECT_TRUE(ink.adjusted(-8, -8, 8, 8).contains(rect));  // not much more
    };
    {
        SCOPED_TRACE("wide lines");
        drawn([&] {
            s.MoveToEx(50, 60);
            s.LineTo(90, 40);
            s.LineTo(120, 100);
        });
    }
    {
        SCOPED_TRACE("turned text");
        drawn([&] { s.TextOut(100, 150, "Tellurax"); });
    }
    {
        SCOPED_TRACE("a pixel and an ellipse");
        drawn([&] {
            s.SetPixel(10, 10, kRed);
            s.Ellipse(200, 100, 240, 130);
        });
    }
    s.DeleteObject(s.SelectObject(oldPen));
    s.DeleteObject(s.SelectObject(oldFont));
}

TEST_F(SurfaceTest, RectanglesExcludeTheirRightAndBottomEdge) {
    {
        QtSurface s(image);
        const GdiObject pen = s.SelectObject(s.CreatePen(PenStyle::Solid, 1, kRed));
        const GdiObject brush = s.SelectObject(s.CreateSolidBrush(kRed));
        s.Rectangle(5, 5, 15, 10);
        s.DeleteObject(s.SelectObject(pen));
        s.DeleteObject(s.SelectObject(brush));
        EXPECT_EQ(s.LiveObjects(), 0u);
    }
    EXPECT_TRUE(IsRed(5, 5));
    EXPECT_TRUE(IsRed(14, 9));
    EXPECT_FALSE(IsRed(15, 9));
    EXPECT_FALSE(IsRed(14, 10));
    EXPECT_EQ(RedCount(), 50);
}

TEST_F(SurfaceTest, SelectedObjectsCannotBeDeleted) {
    QtSurface s(image);
    const GdiObject pen = s.CreatePen(PenStyle::Solid, 2, kRed);
    const GdiObject old = s.SelectObject(pen);
    EXPECT_FALSE(s.DeleteObject(pen));
    s.SelectObject(old);
    EXPECT_TRUE(s.DeleteObject(pen));
    EXPECT_FALSE(s.DeleteObject(pen));
    EXPECT_FALSE(s.DeleteObject(s.GetStockObject(StockObject::NullBrush)));
}

TEST_F(SurfaceTest, ScriptedSurfaceFailsTheChosenCallAndRecordsAll) {
    QtSurface real(image);
    ScriptedSurface s(real);
    s.failAt = 2;
    s.failNames = {"Ellipse"};
    EXPECT_NE(s.CreatePen(PenStyle::Solid, 1, kRed), 0u);
    EXPECT_EQ(s.CreateSolidBrush(kRed), 0u);  // call 2
    EXPECT_TRUE(s.Rectangle(0, 0, 4, 4));
    EXPECT_FALSE(s.Ellipse(0, 0, 4, 4));
    EXPECT_EQ(s.CallNames(), (std::vector<std::string>{"CreatePen", "CreateSolidBrush", "Rectangle", "Ellipse"}));
    EXPECT_EQ(s.calls[0], "CreatePen(0,1,255)");
    EXPECT_EQ(s.calls[2], "Rectangle(0,0,4,4)");
}

TEST(FakeHost, HasFixedMetricsAndKeepsItsPicture) {
    FakeHost host(100, 50);
    EXPECT_EQ(host.ScaleWidth(), 1500.0f);
    EXPECT_EQ(host.ScaleHeight(), 750.0f);
    host.SetCaption("Tellurax: test");
    EXPECT_EQ(host.Caption(), "Tellurax: test");
    host.FontName = "Liberation Sans";
    host.FontSize = 12;
    const float w = host.TextWidth("Tellurax");
    EXPECT_GT(w, 0.0f);
    EXPECT_EQ(std::fmod(w, 15.0f), 0.0f);  // whole pixels
    host.DC().SetPixel(3, 4, kRed);
    const QImage& picture = host.Picture();
    EXPECT_EQ(picture.size(), QSize(100, 50));
    EXPECT_EQ(picture.pixel(3, 4), qRgb(255, 0, 0));
}

}  // namespace
}  // namespace tlrx
