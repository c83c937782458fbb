#pragma once
// The 16 x 16 grid of palette cells that both pickers show (ColorSquare):
// geometry in twips, the cell under the pointer, the hover frame that follows
// it and the marker on the current colour.
//
// Geometry (twips, in the box's own coordinates): the box is 3285 square;
// cell i is 210 square with its top left at (75 + 195 (i mod 16),
// 75 + 195 (i div 16)); the frame behind the cells lies at (60, 60), 3150
// square; the hover frame and the marker are 345 square with their top left
// at (195 column, 195 row), surrounding a cell.

#include <QColor>
#include <QPoint>
#include <QWidget>
#include <cstdint>

namespace tlrx {

// The cell under a pointer at (x, y) twips in the box, or -1 when the pointer
// is outside the cell area (74 < x < 3195 and 74 < y < 3195, bounds excluded).
int CellAtPointer(double xTwips, double yTwips);

// The border of the hover frame on cell i: dark grey on the light cells
// where light grey would not show, else light grey.
QColor HoverFrameColor(int cell);
// The border of the current-colour marker on cell i: magenta on the reds
// where red would not show, else red.
QColor MarkerColor(int cell);

// Top left in twips of a frame placed on cell i; an index outside 0 to 255
// puts it outside the cell area.
QPoint FrameTopLeft(int cell);

class ColorGrid : public QWidget {
    Q_OBJECT
public:
    explicit ColorGrid(QWidget* parent);

    static constexpr int kBoxTwips = 3285;
    static constexpr int kFrameTwips = 345;

    // Puts the current-colour marker on cell i and shows it.
    void ShowPreviousColor(int cell);
    void HideHover();
    // Whether the marker is drawn above the hover frame (the font picker) or
    // below it (the colour picker).
    void SetMarkerOnTop(bool onTop) { markerOnTop_ = onTop; }

    int16_t PointerCell() const { return pointerCell_; }
    bool HoverVisible() const { return hoverVisible_; }
    int HoverCell() const { return hoverCell_; }
    bool MarkerVisible() const { return markerVisible_; }
    int MarkerCell() const { return markerCell_; }

    // Pixel position of a point given in twips of the box (for the pointer).
    QPoint PixelsOf(int xTwips, int yTwips) const;

signals:
    // A click released over cell i (never in the margin around the cells).
    void CellClicked(int cell);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QRect TwipsRect(int left, int top, int width, int height) const;
    int CellAt(const QMouseEvent& event) const;

    double twipsX_;
    double twipsY_;
    int16_t pointerCell_ = 0;
    bool hoverVisible_ = false;
    int hoverCell_ = 0;
    bool markerVisible_ = false;
    int markerCell_ = 0;
    bool markerOnTop_ = false;
    bool pressed_ = false;
};

}  // namespace tlrx
