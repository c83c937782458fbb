#pragma once
// What the fuzz harnesses share: the headless Qt application, a scratch
// folder, the option bytes that lead every input, a window whose surface
// counts the objects made on it, the design states the map harnesses draw
// on, and the checks made after every input.
//
// A harness is one source file defining LLVMFuzzerTestOneInput (most of them
// by calling RunMapInput) plus one tlrx_add_fuzzer line in CMakeLists.txt.
// A failed check prints what failed and aborts: libFuzzer keeps the input as
// a crash, and the corpus replay test fails.
//
// The test doubles of the platform layer come in through this header only.

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <set>
#include <string>
#include <string_view>

#include "platform/MessageBox.h"
#include "platform/Surface.h"
#include "support/FakeHost.h"
#include "support/ScriptedMessageBox.h"

namespace tlrx::fuzz {

// Prints the failed check and aborts.
[[noreturn]] void Fail(std::string_view what);
inline void Check(bool ok, std::string_view what) {
    if (!ok) Fail(what);
}

// The headless application (made once; QT_QPA_PLATFORM=offscreen unless set).
void EnsureApplication();

// A folder of this process's own for the files of its inputs, emptied at exit.
const std::string& ScratchFolder();

// An input split into option bytes (its first `count` bytes, zeros past its
// end) and the rest: the file's contents.
class FuzzInput {
public:
    FuzzInput(const uint8_t* data, size_t size, size_t count);
    uint8_t Option(size_t i) const { return i < options_.size() ? options_[i] : 0; }
    std::string_view Body() const { return body_; }

private:
    std::string options_;
    std::string_view body_;
};

// Writes bytes to path, replacing the file.
void WriteFile(const std::string& path, std::string_view bytes);

// The number of file descriptors the process has open.
int OpenDescriptors();

// Forwards to another surface and keeps the pens, brushes and fonts made on
// it and not yet deleted, and those of them selected.
class CountingSurface : public Surface {
public:
    explicit CountingSurface(Surface& inner) : inner_(inner) {}

    const std::set<GdiObject>& Live() const { return live_; }
    // Objects made on the surface and selected into it now.
    size_t LiveSelected() const;

    GdiObject CreatePen(PenStyle style, int32_t width, Rgb color) override;
    GdiObject CreateSolidBrush(Rgb color) override;
    GdiObject CreateFontIndirect(const LogFont& font) override;
    GdiObject GetStockObject(StockObject which) override { return inner_.GetStockObject(which); }
    GdiObject SelectObject(GdiObject object) override;
    bool DeleteObject(GdiObject object) override;
    bool MoveToEx(int32_t x, int32_t y) override { return inner_.MoveToEx(x, y); }
    bool LineTo(int32_t x, int32_t y) override { return inner_.LineTo(x, y); }
    bool Polyline(const DevPoint* points, int32_t count) override { return inner_.Polyline(points, count); }
    bool Polygon(const DevPoint* points, int32_t count) override { return inner_.Polygon(points, count); }
    bool Rectangle(int32_t l, int32_t t, int32_t r, int32_t b) override { return inner_.Rectangle(l, t, r, b); }
    bool Ellipse(int32_t l, int32_t t, int32_t r, int32_t b) override { return inner_.Ellipse(l, t, r, b); }
    bool SetPixel(int32_t x, int32_t y, Rgb color) override { return inner_.SetPixel(x, y, color); }
    FillMode SetPolyFillMode(FillMode mode) override { return inner_.SetPolyFillMode(mode); }
    unsigned SetTextAlign(unsigned align) override { return inner_.SetTextAlign(align); }
    Rgb SetTextColor(Rgb color) override { return inner_.SetTextColor(color); }
    BkMode SetBkMode(BkMode mode) override { return inner_.SetBkMode(mode); }
    MapMode SetMapMode(MapMode mode) override { return inner_.SetMapMode(mode); }
    bool SetWindowOrgEx(int32_t x, int32_t y) override { return inner_.SetWindowOrgEx(x, y); }
    bool SetWindowExtEx(int32_t cx, int32_t cy) override { return inner_.SetWindowExtEx(cx, cy); }
    bool TextOut(int32_t x, int32_t y, std::string_view text) override { return inner_.TextOut(x, y, text); }
    bool GetTextMetrics(TextMetric& metric) override { return inner_.GetTextMetrics(metric); }
    int32_t GetDeviceCaps(DeviceCap cap) override { return inner_.GetDeviceCaps(cap); }
    bool SetClipRect(int32_t l, int32_t t, int32_t r, int32_t b) override { return inner_.SetClipRect(l, t, r, b); }
    bool ClearClip() override { return inner_.ClearClip(); }

private:
    GdiObject Made(GdiObject object);
    Surface& inner_;
    std::set<GdiObject> live_;
    // The object of each kind selected now (pen, brush, font), 0 for a stock one.
    GdiObject selectedPen_ = 0, selectedBrush_ = 0, selectedFont_ = 0;
    std::set<GdiObject> pens_, brushes_, fonts_;
};

// A small main window whose surface counts its objects.
class FuzzHost : public FakeHost {
public:
    FuzzHost() : FakeHost(240, 180) {}
    Surface& DC() override { return counting; }
    CountingSurface counting{FakeHost::DC()};
};

// The maps a map harness draws on, chosen by an option byte.
enum class FuzzMap : uint8_t {
    World,         // the start-up design: the world, equirectangular
    Region,        // Lambert conformal conic, 45 to 50 N, 126 to 114 W
    Orthographic,  // centred on 47 N 120 W, 60 degrees around
    Utm,           // the UTM grid of zone 10, 5,600,000 to 6,200,000 m north
};

// One plotting pass of the map file harnesses over one input:
//   option 0: the file's name: its extension (one of `extensions`, in the
//             case bits 4-5 choose; "" for a name without one), a name with
//             blanks and a comma with bit 6; 255: the file does not exist;
//   option 1: bits 0-1 the map (FuzzMap), bit 2 the ASCII export, bit 3
//             labels displayed, bit 4 a later lobe's pass (not the last);
//   option 2: the selected feature rows: 0 all, else row r when bit
//             (r - 1) mod 8 is set;
//   option 3: Stop at this yield (mod 32; 0 none);
//   option 4: the symbol type (1 to 12);
// then the file's bytes. The pass runs on FuzzHost with scripted message
// boxes; afterwards it checks that no file or surface object is left, that
// no label item stayed, that the fields the pass may not write kept their
// values, and that an export exists exactly when the pass completed.
int RunMapInput(const uint8_t* data, size_t size, std::initializer_list<std::string_view> extensions);

// The message boxes of every harness, answered Ok and logged.
ScriptedMessageBox& Boxes();

}  // namespace tlrx::fuzz
