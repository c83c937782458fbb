#pragma once
// What the tests of the two pickers share: pointer events on the colour grid
// given in twips of the grid box, and fake hosts standing in for the
// symbology and text item dialogs.

#include <QApplication>
#include <QMouseEvent>
#include <string>
#include <vector>

#include "dialogs/pickers/ColorGrid.h"
#include "dialogs/pickers/Pickers.h"

namespace tlrx::test {

// The pointer moved to (x, y) twips of the grid, no button down.
inline void MoveOver(ColorGrid& grid, int xTwips, int yTwips) {
    const QPointF at = grid.PixelsOf(xTwips, yTwips);
    QMouseEvent move(QEvent::MouseMove, at, grid.mapToGlobal(at), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(&grid, &move);
}

// A left click at (x, y) twips of the grid.
inline void ClickAt(ColorGrid& grid, int xTwips, int yTwips) {
    const QPointF at = grid.PixelsOf(xTwips, yTwips);
    QMouseEvent press(QEvent::MouseButtonPress, at, grid.mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(&grid, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, at, grid.mapToGlobal(at), Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QApplication::sendEvent(&grid, &release);
}

// The middle of cell i, in twips of the grid.
inline QPoint CellMiddle(int cell) { return {75 + 195 * (cell % 16) + 105, 75 + 195 * (cell / 16) + 105}; }

inline void ClickCell(ColorGrid& grid, int cell) {
    const QPoint at = CellMiddle(cell);
    ClickAt(grid, at.x(), at.y());
}

// The symbology dialog as the colour picker sees it.
class FakeGeofeatureHost : public GeofeatureColorHost {
public:
    explicit FakeGeofeatureHost(int32_t swatch) : swatch_(swatch) {}
    int32_t SwatchColor() const override { return swatch_; }
    void ApplyPickedColor(int32_t color) override { applied.push_back(color); }
    std::vector<int32_t> applied;

private:
    int32_t swatch_;
};

// The text item dialog as the font picker sees it.
class FakeTextFontHost : public TextFontHost {
public:
    explicit FakeTextFontHost(int32_t shown) : FontColor(shown) {}
    int32_t FontColorShown() const override { return FontColor; }
    void SetCurrentFontText(const char* utf8) override { CurrentFont = utf8; }
    void SetFontStyleText(const char* utf8) override { FontStyle = utf8; }
    void SetFontColor(int32_t color) override { FontColor = color; }

    int32_t FontColor;
    std::string CurrentFont = "unchanged";
    std::string FontStyle = "unchanged";
};

}  // namespace tlrx::test
