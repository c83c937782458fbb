#include <gtest/gtest.h>

#include <QImage>

#include "support/FakeHost.h"
#include "platform/qt/QtSurface.h"
#include "support/ScriptedSurface.h"

namespace tlrx {
namespace {

constexpr Rgb kRed = MakeRgb(255, 0, 0);

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
    EXPECT_EQ(s.CallNames(), (std::vector<std::string>{"CreatePen", "CreateSolidBrush", "Rectangle",
                                                     "Ellipse"}));
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
