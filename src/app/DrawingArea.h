#pragma once
// The main window's drawing area: a picture (QImage) that everything is
// drawn into through its surface, and that the area shows and repaints
// from, so a drawing survives covering and uncovering the window.

#include <QImage>
#include <QWidget>
#include <cstdint>
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
    QtSurface& DC() { return *surface_; }

    // Writes pixels into the picture with their top-left corner at (left,
    // top) and shows them.
    void PutPixels(int32_t left, int32_t top, const Bitmap& pixels);

    // Fills the picture with the area's background (white).
    void Cls();

    // Gives the picture the area's size, keeping what it shows at the top
    // left; a new part is background. The surface is made anew: objects
    // created on the old one are gone.
    void FitPicture();

signals:
    // The area has a new size (the picture may not have followed yet).
    void Resized();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // A surface on the picture, as the window's device context starts.
    void NewSurface();
    QImage picture_;
    std::unique_ptr<QtSurface> surface_;
};

}  // namespace tlrx
