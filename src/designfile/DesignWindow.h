#pragma once
// The main window as the design file sees it: the geometry a design is saved
// with and fitted to, the caption, and the Projection menu's mark. The
// program's main window implements it; tests and the fuzz harness use a fake.
//
// Lengths are twips; the window state is 0 normal, 1 minimised, 2 maximised.

#include <cstdint>
#include <string>
#include <string_view>

namespace tlrx {

class DesignWindow {
public:
    virtual ~DesignWindow() = default;

    virtual std::string Caption() const = 0;
    virtual void SetCaption(std::string_view caption) = 0;

    virtual int16_t WindowState() const = 0;
    // Outer size and place of the window, frame included.
    virtual float Width() const = 0;
    virtual float Height() const = 0;
    virtual float Left() const = 0;
    virtual float Top() const = 0;
    // Inner size of the drawing area.
    virtual float ScaleWidth() const = 0;
    virtual float ScaleHeight() const = 0;

    // Maximises the window. Its drawing area then measures the screen's
    // FullScreenWidthPx by FullScreenHeightPx pixels (design state).
    virtual void Maximize() = 0;
    // Normal state, the given outer size, at the top left corner of the screen.
    virtual void Restore(float width, float height) = 0;

    // Moves the Projection menu's one mark to the item of the projection
    // code; no item is marked for a code the menu does not have.
    virtual void MarkProjection(int16_t code) = 0;
};

}  // namespace tlrx
