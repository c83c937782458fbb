#include "platform/WmfRecorder.h"

#include <algorithm>
#include <string>
#include <utility>

#include "platform/TextEncoding.h"

namespace tlrx {

namespace {

// Record functions of the standard metafile.
enum Function : uint16_t {
    kEof = 0x0000,
    kSetBkMode = 0x0102,
    kSetMapMode = 0x0103,
    kSetPolyFillMode = 0x0106,
    kSelectObject = 0x012D,
    kSetTextAlign = 0x012E,
    kDeleteObject = 0x01F0,
    kSetTextColor = 0x0209,
    kSetWindowOrg = 0x020B,
    kSetWindowExt = 0x020C,
    kLineTo = 0x0213,
    kMoveTo = 0x0214,
    kCreatePenIndirect = 0x02FA,
    kCreateFontIndirect = 0x02FB,
    kCreateBrushIndirect = 0x02FC,
    kPolygon = 0x0324,
    kPolyline = 0x0325,
    kEllipse = 0x0418,
    kRectangle = 0x041B,
    kSetPixel = 0x041F,
    kTextOut = 0x0521,
};

constexpr size_t kHeaderBytes = 18;
constexpr size_t kMaxSlots = 65535;

enum StockId : GdiObject {
    kWhiteBrush = 1,
    kBlackBrush,
    kNullBrush,
    kWhitePen,
    kBlackPen,
    kNullPen,
    kDefaultFont,  // the font a recording starts with; GetStockObject does not hand it out
};

bool Fits16(int64_t v) { return v >= -32768 && v <= 32767; }

}  // namespace

std::array<uint8_t, 22> PlaceableHeader(int16_t left, int16_t top, int16_t right, int16_t bottom,
                                        uint16_t unitsPerInch) {
    const uint16_t words[10] = {0xCDD7,
                                0x9AC6,
                                0,
                                static_cast<uint16_t>(left),
                                static_cast<uint16_t>(top),
                                static_cast<uint16_t>(right),
                                static_cast<uint16_t>(bottom),
                                unitsPerInch,
                                0,
                                0};
    std::array<uint8_t, 22> header{};
    uint16_t checksum = 0;
    for (int i = 0; i < 10; ++i) {
        header[2 * i] = static_cast<uint8_t>(words[i] & 0xFF);
        header[2 * i + 1] = static_cast<uint8_t>(words[i] >> 8);
        checksum ^= words[i];
    }
    header[20] = static_cast<uint8_t>(checksum & 0xFF);
    header[21] = static_cast<uint8_t>(checksum >> 8);
    return header;
}

WmfRecorder::WmfRecorder() : bits_(kHeaderBytes, 0) {
    const Rgb white = MakeRgb(255, 255, 255);
    objects_[kWhiteBrush] = Object{kBrush, BrushDesc{false, white}};
    objects_[kBlackBrush] = Object{kBrush, BrushDesc{false, 0}};
    objects_[kNullBrush] = Object{kBrush, BrushDesc{true, 0}};
    objects_[kWhitePen] = Object{kPen, PenDesc{PenStyle::Solid, 0, white}};
    objects_[kBlackPen] = Object{kPen, PenDesc{PenStyle::Solid, 0, 0}};
    objects_[kNullPen] = Object{kPen, PenDesc{PenStyle::Null, 0, 0}};
    objects_[kDefaultFont] = Object{kFont, LogFont{}};
    selected_[kPen] = kBlackPen;
    selected_[kBrush] = kWhiteBrush;
    selected_[kFont] = kDefaultFont;
}

WmfRecorder::~WmfRecorder() = default;

std::shared_ptr<const MetafileBits> WmfRecorder::Close() {
    if (!open_) return nullptr;
    Record(kEof, {});
    open_ = false;
    const auto put16 = [this](size_t at, uint16_t v) {
        bits_[at] = static_cast<uint8_t>(v & 0xFF);
        bits_[at + 1] = static_cast<uint8_t>(v >> 8);
    };
    const auto put32 = [&](size_t at, uint32_t v) {
        put16(at, static_cast<uint16_t>(v & 0xFFFF));
        put16(at + 2, static_cast<uint16_t>(v >> 16));
    };
    put16(0, 1);       // a memory metafile
    put16(2, 9);       // header size in words
    put16(4, 0x0300);  // version
    put32(6, static_cast<uint32_t>(bits_.size() / 2));
    put16(10, static_cast<uint16_t>(slotUsed_.size()));
    put32(12, maxRecordWords_);
    put16(16, 0);
    auto result = std::make_shared<const MetafileBits>(std::move(bits_));
    bits_.clear();
    objects_.clear();
    return result;
}

// ---- Records ----

void WmfRecorder::Put16(uint16_t v) {
    bits_.push_back(static_cast<uint8_t>(v & 0xFF));
    bits_.push_back(static_cast<uint8_t>(v >> 8));
}

void WmfRecorder::PutColor(Rgb color) {
    // Red, green, blue and a zero byte: the palette flag is not recorded.
    Put16(static_cast<uint16_t>(RgbRed(color) | (RgbGreen(color) << 8)));
    Put16(static_cast<uint16_t>(RgbBlue(color)));
}

size_t WmfRecorder::BeginRecord(uint16_t function) {
    const size_t start = bits_.size();
    Put16(0);  // size in words, set by EndRecord
    Put16(0);
    Put16(function);
    return start;
}

void WmfRecorder::EndRecord(size_t start) {
    const auto words = static_cast<uint32_t>((bits_.size() - start) / 2);
    bits_[start] = static_cast<uint8_t>(words & 0xFF);
    bits_[start + 1] = static_cast<uint8_t>((words >> 8) & 0xFF);
    bits_[start + 2] = static_cast<uint8_t>((words >> 16) & 0xFF);
    bits_[start + 3] = static_cast<uint8_t>(words >> 24);
    maxRecordWords_ = std::max(maxRecordWords_, words);
}

void WmfRecorder::Record(uint16_t function, std::initializer_list<int32_t> params) {
    const size_t start = BeginRecord(function);
    for (int32_t v : params) Put16(static_cast<uint16_t>(v));
    EndRecord(start);
}

bool WmfRecorder::Points(uint16_t function, const DevPoint* points, int32_t count) {
    if (!open_ || points == nullptr || count < 2 || count > 32767) return false;
    for (int32_t i = 0; i < count; ++i)
        if (!Fits16(points[i].x) || !Fits16(points[i].y)) return false;
    const size_t start = BeginRecord(function);
    Put16(static_cast<uint16_t>(count));
    for (int32_t i = 0; i < count; ++i) {
        Put16(static_cast<uint16_t>(points[i].x));
        Put16(static_cast<uint16_t>(points[i].y));
    }
    EndRecord(start);
    return true;
}

bool WmfRecorder::Box(uint16_t function, int32_t left, int32_t top, int32_t right, int32_t bottom) {
    if (!open_ || !Fits16(left) || !Fits16(top) || !Fits16(right) || !Fits16(bottom)) return false;
    Record(function, {bottom, right, top, left});
    return true;
}

// ---- Objects ----

GdiObject WmfRecorder::Add(Object object) {
    objects_[nextId_] = std::move(object);
    return nextId_++;
}

GdiObject WmfRecorder::CreatePen(PenStyle style, int32_t width, Rgb color) {
    if (!open_ || width < 0 || width > 32767) return 0;
    return Add(Object{kPen, PenDesc{style, width, color}});
}

GdiObject WmfRecorder::CreateSolidBrush(Rgb color) {
    if (!open_) return 0;
    return Add(Object{kBrush, BrushDesc{false, color}});
}

GdiObject WmfRecorder::CreateFontIndirect(const LogFont& font) {
    if (!open_ || !Fits16(font.height) || !Fits16(font.width) || !Fits16(font.escapement) ||
        !Fits16(font.orientation) || !Fits16(font.weight))
        return 0;
    return Add(Object{kFont, font});
}

GdiObject WmfRecorder::GetStockObject(StockObject which) {
    switch (which) {
    case StockObject::WhiteBrush: return kWhiteBrush;
    case StockObject::BlackBrush: return kBlackBrush;
    case StockObject::NullBrush: return kNullBrush;
    case StockObject::WhitePen: return kWhitePen;
    case StockObject::BlackPen: return kBlackPen;
    case StockObject::NullPen: return kNullPen;
    }
    return 0;
}

void WmfRecorder::RecordCreation(const Object& object) {
    if (const auto* pen = std::get_if<PenDesc>(&object.desc)) {
        const size_t start = BeginRecord(kCreatePenIndirect);
        Put16(static_cast<uint16_t>(pen->style));
        Put16(static_cast<uint16_t>(pen->width));  // the width is the x of a point whose y is unused
        Put16(0);
        PutColor(pen->color);
        EndRecord(start);
    } else if (const auto* brush = std::get_if<BrushDesc>(&object.desc)) {
        const size_t start = BeginRecord(kCreateBrushIndirect);
        Put16(brush->null ? 1 : 0);  // BS_NULL or BS_SOLID
        PutColor(brush->color);
        Put16(0);  // hatch
        EndRecord(start);
    } else {
        const LogFont& font = std::get<LogFont>(object.desc);
        const size_t start = BeginRecord(kCreateFontIndirect);
        for (int32_t v : {font.height, font.width, font.escapement, font.orientation, font.weight})
            Put16(static_cast<uint16_t>(v));
        const uint8_t flags[8] = {
            font.italic, font.underline, font.strikeOut, font.charSet, 0, font.clipPrecision, 0, 0};
        bits_.insert(bits_.end(), flags, flags + 8);
        std::string face = ToCp1252(font.faceName.substr(0, font.faceName.find('\0')));
        face.resize(std::min<size_t>(face.size(), 31));
        face.resize(32, '\0');
        bits_.insert(bits_.end(), face.begin(), face.end());
        EndRecord(start);
    }
}

bool WmfRecorder::Enter(Object& object) {
    if (object.slot >= 0) return true;
    const auto free = std::find(slotUsed_.begin(), slotUsed_.end(), false);
    if (free == slotUsed_.end() && slotUsed_.size() >= kMaxSlots) return false;
    const auto slot = static_cast<size_t>(free - slotUsed_.begin());
    if (slot == slotUsed_.size()) slotUsed_.push_back(true);
    else slotUsed_[slot] = true;
    object.slot = static_cast<int32_t>(slot);
    RecordCreation(object);
    return true;
}

GdiObject WmfRecorder::SelectObject(GdiObject id) {
    if (!open_) return 0;
    auto it = objects_.find(id);
    if (it == objects_.end() || !Enter(it->second)) return 0;
    Record(kSelectObject, {it->second.slot});
    return std::exchange(selected_[it->second.kind], id);
}

bool WmfRecorder::DeleteObject(GdiObject id) {
    if (!open_ || id <= kDefaultFont) return false;
    auto it = objects_.find(id);
    if (it == objects_.end() || selected_[it->second.kind] == id) return false;
    if (it->second.slot >= 0) {
        Record(kDeleteObject, {it->second.slot});
        slotUsed_[static_cast<size_t>(it->second.slot)] = false;
    }
    objects_.erase(it);
    return true;
}

// ---- Drawing ----

bool WmfRecorder::MoveToEx(int32_t x, int32_t y) {
    if (!open_ || !Fits16(x) || !Fits16(y)) return false;
    Record(kMoveTo, {y, x});
    return true;
}

bool WmfRecorder::LineTo(int32_t x, int32_t y) {
    if (!open_ || !Fits16(x) || !Fits16(y)) return false;
    Record(kLineTo, {y, x});
    return true;
}

bool WmfRecorder::Polyline(const DevPoint* points, int32_t count) { return Points(kPolyline, points, count); }

bool WmfRecorder::Polygon(const DevPoint* points, int32_t count) { return Points(kPolygon, points, count); }

bool WmfRecorder::Rectangle(int32_t left, int32_t top, int32_t right, int32_t bottom) {
    return Box(kRectangle, left, top, right, bottom);
}

bool WmfRecorder::Ellipse(int32_t left, int32_t top, int32_t right, int32_t bottom) {
    return Box(kEllipse, left, top, right, bottom);
}

bool WmfRecorder::SetPixel(int32_t x, int32_t y, Rgb color) {
    if (!open_ || !Fits16(x) || !Fits16(y)) return false;
    const size_t start = BeginRecord(kSetPixel);
    PutColor(color);
    Put16(static_cast<uint16_t>(y));
    Put16(static_cast<uint16_t>(x));
    EndRecord(start);
    return true;
}

bool WmfRecorder::TextOut(int32_t x, int32_t y, std::string_view text) {
    if (!open_ || !Fits16(x) || !Fits16(y)) return false;
    std::string ansi = ToCp1252(text);
    if (ansi.size() > 32767) return false;
    const auto length = static_cast<uint16_t>(ansi.size());
    if (ansi.size() % 2 != 0) ansi += '\0';  // the string fills whole words
    const size_t start = BeginRecord(kTextOut);
    Put16(length);
    bits_.insert(bits_.end(), ansi.begin(), ansi.end());
    Put16(static_cast<uint16_t>(y));
    Put16(static_cast<uint16_t>(x));
    EndRecord(start);
    return true;
}

// ---- Settings ----

FillMode WmfRecorder::SetPolyFillMode(FillMode mode) {
    if (!open_) return FillMode{};
    Record(kSetPolyFillMode, {static_cast<int32_t>(mode)});
    return std::exchange(fillMode_, mode);
}

unsigned WmfRecorder::SetTextAlign(unsigned align) {
    if (!open_ || align > 0xFFFF) return 0;
    Record(kSetTextAlign, {static_cast<int32_t>(align)});
    return std::exchange(textAlign_, align);
}

Rgb WmfRecorder::SetTextColor(Rgb color) {
    if (!open_) return 0;
    const size_t start = BeginRecord(kSetTextColor);
    PutColor(color);
    EndRecord(start);
    return std::exchange(textColor_, color);
}

BkMode WmfRecorder::SetBkMode(BkMode mode) {
    if (!open_) return BkMode{};
    Record(kSetBkMode, {static_cast<int32_t>(mode)});
    return std::exchange(bkMode_, mode);
}

MapMode WmfRecorder::SetMapMode(MapMode mode) {
    if (!open_) return MapMode{};
    Record(kSetMapMode, {static_cast<int32_t>(mode)});
    return std::exchange(mapMode_, mode);
}

bool WmfRecorder::SetWindowOrgEx(int32_t x, int32_t y) {
    if (!open_ || !Fits16(x) || !Fits16(y)) return false;
    Record(kSetWindowOrg, {y, x});
    return true;
}

bool WmfRecorder::SetWindowExtEx(int32_t cx, int32_t cy) {
    if (!open_ || !Fits16(cx) || !Fits16(cy) || cx == 0 || cy == 0) return false;
    Record(kSetWindowExt, {cy, cx});
    return true;
}

bool WmfRecorder::GetTextMetrics(TextMetric&) { return false; }

int32_t WmfRecorder::GetDeviceCaps(DeviceCap) { return 0; }

bool WmfRecorder::SetClipRect(int32_t, int32_t, int32_t, int32_t) { return false; }

bool WmfRecorder::ClearClip() { return open_; }

}  // namespace tlrx
