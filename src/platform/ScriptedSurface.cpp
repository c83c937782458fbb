#include <algorithm>

#include "platform/Surface.h"

namespace tlrx {

bool ScriptedSurface::Fails(const char* name) {
    calls.emplace_back(name);
    if (failAt != 0 && static_cast<int64_t>(calls.size()) == failAt) return true;
    return std::find(failNames.begin(), failNames.end(), name) != failNames.end();
}

GdiObject ScriptedSurface::CreatePen(PenStyle style, int32_t width, Rgb color) {
    return Fails("CreatePen") ? 0 : inner_.CreatePen(style, width, color);
}
GdiObject ScriptedSurface::CreateSolidBrush(Rgb color) {
    return Fails("CreateSolidBrush") ? 0 : inner_.CreateSolidBrush(color);
}
GdiObject ScriptedSurface::CreateFontIndirect(const LogFont& font) {
    return Fails("CreateFontIndirect") ? 0 : inner_.CreateFontIndirect(font);
}
GdiObject ScriptedSurface::GetStockObject(StockObject which) {
    return Fails("GetStockObject") ? 0 : inner_.GetStockObject(which);
}
GdiObject ScriptedSurface::SelectObject(GdiObject object) {
    return Fails("SelectObject") ? 0 : inner_.SelectObject(object);
}
bool ScriptedSurface::DeleteObject(GdiObject object) {
    return Fails("DeleteObject") ? false : inner_.DeleteObject(object);
}
bool ScriptedSurface::MoveToEx(int32_t x, int32_t y) {
    return Fails("MoveToEx") ? false : inner_.MoveToEx(x, y);
}
bool ScriptedSurface::LineTo(int32_t x, int32_t y) {
    return Fails("LineTo") ? false : inner_.LineTo(x, y);
}
bool ScriptedSurface::Polyline(const DevPoint* points, int32_t count) {
    return Fails("Polyline") ? false : inner_.Polyline(points, count);
}
bool ScriptedSurface::Polygon(const DevPoint* points, int32_t count) {
    return Fails("Polygon") ? false : inner_.Polygon(points, count);
}
bool ScriptedSurface::Rectangle(int32_t l, int32_t t, int32_t r, int32_t b) {
    return Fails("Rectangle") ? false : inner_.Rectangle(l, t, r, b);
}
bool ScriptedSurface::Ellipse(int32_t l, int32_t t, int32_t r, int32_t b) {
    return Fails("Ellipse") ? false : inner_.Ellipse(l, t, r, b);
}
bool ScriptedSurface::SetPixel(int32_t x, int32_t y, Rgb color) {
    return Fails("SetPixel") ? false : inner_.SetPixel(x, y, color);
}
FillMode ScriptedSurface::SetPolyFillMode(FillMode mode) {
    return Fails("SetPolyFillMode") ? FillMode{} : inner_.SetPolyFillMode(mode);
}
unsigned ScriptedSurface::SetTextAlign(unsigned align) {
    return Fails("SetTextAlign") ? 0u : inner_.SetTextAlign(align);
}
Rgb ScriptedSurface::SetTextColor(Rgb color) {
    return Fails("SetTextColor") ? 0u : inner_.SetTextColor(color);
}
BkMode ScriptedSurface::SetBkMode(BkMode mode) {
    return Fails("SetBkMode") ? BkMode{} : inner_.SetBkMode(mode);
}
bool ScriptedSurface::TextOut(int32_t x, int32_t y, std::string_view text) {
    return Fails("TextOut") ? false : inner_.TextOut(x, y, text);
}
bool ScriptedSurface::GetTextMetrics(TextMetric& metric) {
    return Fails("GetTextMetrics") ? false : inner_.GetTextMetrics(metric);
}
int32_t ScriptedSurface::GetDeviceCaps(DeviceCap cap) {
    return Fails("GetDeviceCaps") ? 0 : inner_.GetDeviceCaps(cap);
}
bool ScriptedSurface::SetClipRect(int32_t l, int32_t t, int32_t r, int32_t b) {
    return Fails("SetClipRect") ? false : inner_.SetClipRect(l, t, r, b);
}
bool ScriptedSurface::ClearClip() { return Fails("ClearClip") ? false : inner_.ClearClip(); }

}  // namespace tlrx
