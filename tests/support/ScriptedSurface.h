#pragma once
// A surface that records its calls and fails on purpose, for tests.

#include <string>
#include <vector>

#include "platform/Surface.h"

namespace tlrx {

// Wraps a surface, records every call with its arguments
// ("Rectangle(97,47,103,53)", "Polyline(1,2 3,4)") and fails on purpose: the
// call numbered failAt (1-based, 0 never) or every call of a name in
// failNames. A failed call does nothing and returns 0 / false.
class ScriptedSurface : public Surface {
public:
    explicit ScriptedSurface(Surface& inner) : inner_(inner) {}

    int64_t failAt = 0;
    std::vector<std::string> failNames;
    std::vector<std::string> calls;
    // The names of the calls, without their arguments.
    std::vector<std::string> CallNames() const;

    GdiObject CreatePen(PenStyle style, int32_t width, Rgb color) override;
    GdiObject CreateSolidBrush(Rgb color) override;
    GdiObject CreateFontIndirect(const LogFont& font) override;
    GdiObject GetStockObject(StockObject which) override;
    GdiObject SelectObject(GdiObject object) override;
    bool DeleteObject(GdiObject object) override;
    bool MoveToEx(int32_t x, int32_t y) override;
    bool LineTo(int32_t x, int32_t y) override;
    bool Polyline(const DevPoint* points, int32_t count) override;
    bool Polygon(const DevPoint* points, int32_t count) override;
    bool Rectangle(int32_t left, int32_t top, int32_t right, int32_t bottom) override;
    bool Ellipse(int32_t left, int32_t top, int32_t right, int32_t bottom) override;
    bool SetPixel(int32_t x, int32_t y, Rgb color) override;
    FillMode SetPolyFillMode(FillMode mode) override;
    unsigned SetTextAlign(unsigned align) override;
    Rgb SetTextColor(Rgb color) override;
    BkMode SetBkMode(BkMode mode) override;
    MapMode SetMapMode(MapMode mode) override;
    bool SetWindowOrgEx(int32_t x, int32_t y) override;
    bool SetWindowExtEx(int32_t cx, int32_t cy) override;
    bool TextOut(int32_t x, int32_t y, std::string_view text) override;
    bool GetTextMetrics(TextMetric& metric) override;
    int32_t GetDeviceCaps(DeviceCap cap) override;
    bool SetClipRect(int32_t left, int32_t top, int32_t right, int32_t bottom) override;
    bool ClearClip() override;

private:
    // Records the call; true when it must fail.
    bool Fails(const char* name, const std::string& args);
    Surface& inner_;
};

}  // namespace tlrx
