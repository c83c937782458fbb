#include <algorithm>
#include <initializer_list>

#include "support/ScriptedSurface.h"

namespace tlrx {

namespace {

std::string Args(std::initializer_list<int64_t> values) {
    std::string s;
    for (int64_t v : values) s += (s.empty() ? "" : ",") + std::to_string(v);
    return s;
}

std::string Points(const DevPoint* points, int32_t count) {
    std::string s;
    for (int32_t i = 0; points && i < count; ++i)
        s += (i ? " " : "") + std::to_string(points[i].x) + "," + std::to_string(points[i].y);
    return s;
}

}  // namespace

bool ScriptedSurface::Fails(const char* name, const std::string& args) {
    calls.push_back(std::string(name) + "(" + args + ")");
    if (failAt != 0 && static_cast<int64_t>(calls.size()) == failAt) return true;
    return std::find(failNames.begin(), failNames.end(), name) != failNames.end();
}

std::vector<std::string> ScriptedSurface::CallNames() const {
    std::vector<std::string> names;
    for (const std::string& c : calls) names.push_back(c.substr(0, c.find('(')));
    return names;
}

GdiObject ScriptedSurface::CreatePen(PenStyle style, int32_t width, Rgb color) {
    return Fails("CreatePen", Args({int64_t(style), width, color})) ? 0 : inner_.CreatePen(style, width, color);
}
GdiObject ScriptedSurface::CreateSolidBrush(Rgb color) {
    return Fails("CreateSolidBrush", Args({color})) ? 0 : inner_.CreateSolidBrush(color);
}
GdiObject ScriptedSurface::CreateFontIndirect(const LogFont& font) {
    return Fails("CreateFontIndirect", font.faceName + "," + Args({font.height, font.escapement, font.weight}))
               ? 0
               : inner_.CreateFontIndirect(font);
}
GdiObject ScriptedSurface::GetStockObject(StockObject which) {
    return Fails("GetStockObject", Args({int64_t(which)})) ? 0 : inner_.GetStockObject(which);
}
GdiObject ScriptedSurface::SelectObject(GdiObject object) {
    return Fails("SelectObject", Args({object})) ? 0 : inner_.SelectObject(object);
}
bool ScriptedSurface::DeleteObject(GdiObject object) {
    return Fails("DeleteObject", Args({object})) ? false : inner_.DeleteObject(object);
}
bool ScriptedSurface::MoveToEx(int32_t x, int32_t y) {
    return Fails("MoveToEx", Args({x, y})) ? false : inner_.MoveToEx(x, y);
}
bool ScriptedSurface::LineTo(int32_t x, int32_t y) {
    return Fails("LineTo", Args({x, y})) ? false : inner_.LineTo(x, y);
}
bool ScriptedSurface::Polyline(const DevPoint* points, int32_t count) {
    return Fails("Polyline", Points(points, count)) ? false : inner_.Polyline(points, count);
}
bool ScriptedSurface::Polygon(const DevPoint* points, int32_t count) {
    return Fails("Polygon", Points(points, count)) ? false : inner_.Polygon(points, count);
}
bool ScriptedSurface::Rectangle(int32_t l, int32_t t, int32_t r, int32_t b) {
    return Fails("Rectangle", Args({l, t, r, b})) ? false : inner_.Rectangle(l, t, r, b);
}
bool ScriptedSurface::Ellipse(int32_t l, int32_t t, int32_t r, int32_t b) {
    return Fails("Ellipse", Args({l, t, r, b})) ? false : inner_.Ellipse(l, t, r, b);
}
bool ScriptedSurface::SetPixel(int32_t x, int32_t y, Rgb color) {
    return Fails("SetPixel", Args({x, y, color})) ? false : inner_.SetPixel(x, y, color);
}
FillMode ScriptedSurface::SetPolyFillMode(FillMode mode) {
    return Fails("SetPolyFillMode", Args({int64_t(mode)})) ? FillMode{} : inner_.SetPolyFillMode(mode);
}
unsigned ScriptedSurface::SetTextAlign(unsigned align) {
    return Fails("SetTextAlign", Args({align})) ? 0u : inner_.SetTextAlign(align);
}
Rgb ScriptedSurface::SetTextColor(Rgb color) {
    return Fails("SetTextColor", Args({color})) ? 0u : inner_.SetTextColor(color);
}
BkMode ScriptedSurface::SetBkMode(BkMode mode) {
    return Fails("SetBkMode", Args({int64_t(mode)})) ? BkMode{} : inner_.SetBkMode(mode);
}
MapMode ScriptedSurface::SetMapMode(MapMode mode) {
    return Fails("SetMapMode", Args({int64_t(mode)})) ? MapMode{} : inner_.SetMapMode(mode);
}
bool ScriptedSurface::SetWindowOrgEx(int32_t x, int32_t y) {
    return Fails("SetWindowOrgEx", Args({x, y})) ? false : inner_.SetWindowOrgEx(x, y);
}
bool ScriptedSurface::SetWindowExtEx(int32_t cx, int32_t cy) {
    return Fails("SetWindowExtEx", Args({cx, cy})) ? false : inner_.SetWindowExtEx(cx, cy);
}
bool ScriptedSurface::TextOut(int32_t x, int32_t y, std::string_view text) {
    return Fails("TextOut", Args({x, y}) + "," + std::string(text)) ? false : inner_.TextOut(x, y, text);
}
bool ScriptedSurface::GetTextMetrics(TextMetric& metric) {
    return Fails("GetTextMetrics", "") ? false : inner_.GetTextMetrics(metric);
}
int32_t ScriptedSurface::GetDeviceCaps(DeviceCap cap) {
    return Fails("GetDeviceCaps", Args({int64_t(cap)})) ? 0 : inner_.GetDeviceCaps(cap);
}
bool ScriptedSurface::SetClipRect(int32_t l, int32_t t, int32_t r, int32_t b) {
    return Fails("SetClipRect", Args({l, t, r, b})) ? false : inner_.SetClipRect(l, t, r, b);
}
bool ScriptedSurface::ClearClip() { return Fails("ClearClip", "") ? false : inner_.ClearClip(); }

}  // namespace tlrx
