#pragma once
// The main window's drawing area: a picture (QImage) that everything is
// drawn into through its surface, and that the area shows and repaints
// from, so a drawing survives covering and uncovering the window. A repaint
// copies only the part asked for from the picture.
//
// Until something asks for the picture or its surface, the picture is blank
// and only a size: a blank area paints background. Start-up thus makes no
// image (two of them, as the window takes its size, cost more than the rest
// of the first paint), and the first drawing makes it at the size of then.

#include <QImage>
#include <QWidget>
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>

#include "platform/Bitmap.h"
#include "platform/qt/QtSurface.h"

namespace tlrx {

class DrawingArea : public QWidget {
    Q_OBJECT
public:
    explicit DrawingArea(QWidget* parent = nullptr);
    ~DrawingArea() override;

    // The kept picture, with every line drawn so far (the surface's
    // collected lines are drawn first), and the surface that draws into it.
    const QImage& Picture() const;
    QtSurface& DC();
    // Whether dc is the area's surface (asking makes no picture).
    bool IsDC(const Surface* dc) const { return dc && dc == surface_.get(); }
    // Whether nothing has asked for the picture or its surface yet.
    bool Blank() const { return !surface_; }

    // Repaints the part of the area that the surface has drawn on since the
    // last showing.
    void ShowDrawing();
    // As ShowDrawing, but at most once every kScreenInterval: a call sooner
    // leaves the drawing to a later call (a run calls it at every yield and
    // shows its end with ShowDrawing).
    void ShowDrawingAtScreenRate();
    static constexpr std::chrono::milliseconds kScreenInterval{40};

    // The clock that paces ShowDrawingAtScreenRate (steady_clock unless a
    // test puts in its own; an empty function restores it).
    using Clock = std::function<std::chrono::steady_clock::time_point()>;
    void SetClock(Clock clock);

    // Writes pixels into the picture with their top-left corner at (left,
    // top) and shows them.
    void PutPixels(int32_t left, int32_t top, const Bitmap& pixels);

    // Fills the picture with the area's background (white).
    void Cls();

    // Grows the picture to the area's size where the area is larger,
    // keeping what it shows at the top left; a new part is background. The
    // picture never shrinks: what lies beyond a smaller area comes back when
    // the area grows again. When the picture grows, the surface is made
    // anew: objects created on the old one are gone.
    void FitPicture();

signals:
    // The area has a new size (the picture may not have followed yet).
    void Resized();
    // A mouse button went down at pixel `at`. The second press of a double
    // click comes as a press of its own, and the double click adds nothing.
    void MouseDown(Qt::MouseButton button, QPoint at);
    // The mouse moved to pixel `at`, with or without a button held.
    void MouseMoved(QPoint at);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    // Makes a blank picture (background at the kept size) with its surface.
    void MakePicture() const;
    // A surface on the picture, as the window's device context starts.
    void NewSurface() const;
    // While blank, picture_ and surface_ are empty and the picture's size is
    // blankSize_; both are made when first asked for, also by const callers.
    mutable QImage picture_;
    mutable std::unique_ptr<QtSurface> surface_;
    QSize blankSize_{1, 1};
    Clock clock_;
    std::chrono::steady_clock::time_point lastShown_{};
};

}  // namespace tlrx
