#pragma once
// A metafile recording without a device: every call on this surface becomes
// a record of a standard Windows metafile (WMF) held in memory, the way a
// memory metafile device context records it, until Close() ends it. Plain
// C++, no toolkit.
//
// Coordinates are logical units, stored as 16-bit values: a call with a
// coordinate outside -32768..32767 fails and records nothing. Pens, brushes
// and fonts enter the metafile's object table when they are first selected
// (a Create...Indirect record in the lowest free slot) and leave it when they
// are deleted (the slot is free for the next object); stock objects, the
// recording's defaults included, keep their slot to the end. Texts are given
// in UTF-8 and recorded in the Windows-1252 code page ('?' for what it lacks).
// The recorder measures nothing: GetTextMetrics and GetDeviceCaps fail, and
// it has no clip.
//
// The file form: a WMF file is the 22-byte placeable header (PlaceableHeader)
// followed by the bytes Close() returns.

#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <variant>
#include <vector>

#include "platform/Surface.h"

namespace tlrx {

// The bytes of a standard metafile: its 18-byte header (memory metafile,
// version 0x0300, its size and its largest record in 16-bit words, the size of
// its object table), its records and the end-of-file record. Little-endian.
using MetafileBits = std::vector<uint8_t>;

// The placeable header that precedes the metafile in a file: the key
// 0x9AC6CDD7, handle 0, the picture's bounding box in logical units (left,
// top, right, bottom), the logical units per inch, 4 reserved zero bytes and
// the checksum, the exclusive or of the ten 16-bit words before it.
std::array<uint8_t, 22> PlaceableHeader(int16_t left, int16_t top, int16_t right, int16_t bottom,
                                        uint16_t unitsPerInch);

class WmfRecorder : public Surface {
public:
    WmfRecorder();
    ~WmfRecorder() override;
    WmfRecorder(const WmfRecorder&) = delete;
    WmfRecorder& operator=(const WmfRecorder&) = delete;

    // Ends the recording with the end-of-file record and returns the
    // metafile; nullptr when it was closed before. Every later call fails
    // (returns 0 or false), except GetStockObject.
    std::shared_ptr<const MetafileBits> Close();
    bool IsOpen() const { return open_; }

    // Pens of a negative width, and widths, heights and angles of fonts
    // outside 16 bits, are refused (0).
    GdiObject CreatePen(PenStyle style, int32_t width, Rgb color) override;
    GdiObject CreateSolidBrush(Rgb color) override;
    // The face name is recorded up to its first NUL, at most 31 characters.
    GdiObject CreateFontIndirect(const LogFont& font) override;
    GdiObject GetStockObject(StockObject which) override;
    // Returns the object of the same kind it replaces: at first the stock
    // black pen, the stock white brush and the default font.
    GdiObject SelectObject(GdiObject object) override;
    // Refuses stock objects and the objects selected now.
    bool DeleteObject(GdiObject object) override;

    bool MoveToEx(int32_t x, int32_t y) override;
    bool LineTo(int32_t x, int32_t y) override;
    // 2 to 32767 points.
    bool Polyline(const DevPoint* points, int32_t count) override;
    bool Polygon(const DevPoint* points, int32_t count) override;
    bool Rectangle(int32_t left, int32_t top, int32_t right, int32_t bottom) override;
    bool Ellipse(int32_t left, int32_t top, int32_t right, int32_t bottom) override;
    bool SetPixel(int32_t x, int32_t y, Rgb color) override;

    // Start values: alternate filling, left-top alignment, black text,
    // opaque background, MapMode::Text.
    FillMode SetPolyFillMode(FillMode mode) override;
    unsigned SetTextAlign(unsigned align) override;
    Rgb SetTextColor(Rgb color) override;
    BkMode SetBkMode(BkMode mode) override;
    MapMode SetMapMode(MapMode mode) override;
    bool SetWindowOrgEx(int32_t x, int32_t y) override;
    bool SetWindowExtEx(int32_t cx, int32_t cy) override;

    // Texts of up to 32767 bytes in the code page.
    bool TextOut(int32_t x, int32_t y, std::string_view text) override;
    bool GetTextMetrics(TextMetric& metric) override;
    int32_t GetDeviceCaps(DeviceCap cap) override;
    bool SetClipRect(int32_t left, int32_t top, int32_t right, int32_t bottom) override;
    bool ClearClip() override;

private:
    enum Kind { kPen, kBrush, kFont };
    struct PenDesc {
        PenStyle style;
        int32_t width;
        Rgb color;
    };
    struct BrushDesc {
        bool null;
        Rgb color;
    };
    struct Object {
        Kind kind;
        std::variant<PenDesc, BrushDesc, LogFont> desc;
        int32_t slot = -1;  // index in the metafile's object table, -1 before its first selection
    };

    GdiObject Add(Object object);
    // Puts the object into the lowest free slot with its creation record.
    bool Enter(Object& object);
    void RecordCreation(const Object& object);

    size_t BeginRecord(uint16_t function);
    void EndRecord(size_t start);
    void Put16(uint16_t v);
    void PutColor(Rgb color);
    // A record of 16-bit parameters, in the order given.
    void Record(uint16_t function, std::initializer_list<int32_t> params);
    bool Points(uint16_t function, const DevPoint* points, int32_t count);
    bool Box(uint16_t function, int32_t left, int32_t top, int32_t right, int32_t bottom);

    MetafileBits bits_;
    bool open_ = true;
    uint32_t maxRecordWords_ = 0;
    std::map<GdiObject, Object> objects_;
    std::vector<bool> slotUsed_;
    GdiObject nextId_ = 100;  // ids below are stock objects
    std::array<GdiObject, 3> selected_{};
    FillMode fillMode_ = FillMode::Alternate;
    unsigned textAlign_ = AlignLeft;
    Rgb textColor_ = 0;
    BkMode bkMode_ = BkMode::Opaque;
    MapMode mapMode_ = MapMode::Text;
};

}  // namespace tlrx
