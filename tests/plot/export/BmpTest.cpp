#include <gtest/gtest.h>

#include <sys/resource.h>
#include <QGuiApplication>
#include <QImage>
#include <csignal>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "FileSizeLimit.h"
#include "GridTestSupport.h"
#include "core/Errors.h"
#include "platform/MessageBox.h"
#include "plot/PlotState.h"
#include "plot/export/Bmp.h"
#include "support/FakeHost.h"
#include "support/ScriptedMessageBox.h"

namespace tlrx {
namespace {

// ---- An independent reader of the files written ----

uint32_t U32(const std::string& b, size_t at) {
    return static_cast<uint32_t>(static_cast<uint8_t>(b[at])) |
           static_cast<uint32_t>(static_cast<uint8_t>(b[at + 1])) << 8 |
           static_cast<uint32_t>(static_cast<uint8_t>(b[at + 2])) << 16 |
           static_cast<uint32_t>(static_cast<uint8_t>(b[at + 3])) << 24;
}
uint16_t U16(const std::string& b, size_t at) {
    return static_cast<uint16_t>(static_cast<uint8_t>(b[at]) | static_cast<uint8_t>(b[at + 1]) << 8);
}

struct BmpFile {
    std::string bytes;
    uint32_t width = 0, height = 0, depth = 0, offBits = 0;

    explicit BmpFile(const std::string& path) : bytes(test::FileBytes(path)) {
        if (bytes.size() < 54) return;
        offBits = U32(bytes, 10);
        width = U32(bytes, 18);
        height = U32(bytes, 22);
        depth = U16(bytes, 28);
    }
    uint32_t RowSize() const { return (depth * width + 31) / 32 * 4; }
    // The colour at (x, y), y from the top; rows lie bottom row first.
    Rgb Pixel(uint32_t x, uint32_t y) const {
        const size_t row = offBits + static_cast<size_t>(height - 1 - y) * RowSize();
        if (depth == 24) {
            const size_t at = row + 3 * x;
            return MakeRgb(static_cast<uint8_t>(bytes[at + 2]), static_cast<uint8_t>(bytes[at + 1]),
                           static_cast<uint8_t>(bytes[at]));
        }
        const size_t bit = static_cast<size_t>(x) * depth;
        const unsigned byte = static_cast<uint8_t>(bytes[row + bit / 8]);
        const unsigned index = (byte >> (8 - depth - bit % 8)) & ((1u << depth) - 1);
        const size_t entry = 54 + 4 * index;
        return MakeRgb(static_cast<uint8_t>(bytes[entry + 2]), static_cast<uint8_t>(bytes[entry + 1]),
                       static_cast<uint8_t>(bytes[entry]));
    }
};

// A picture where every pixel differs from its neighbours.
Bitmap Pattern(int32_t width, int32_t height) {
    Bitmap b;
    b.width = width;
    b.height = height;
    for (int32_t y = 0; y < height; ++y)
        for (int32_t x = 0; x < width; ++x) b.pixels.push_back(MakeRgb(x * 7 + y, y * 13, (x + 2 * y) * 5));
    return b;
}

Rgb QtPixel(const QImage& image, int x, int y) {
    const QRgb c = image.pixel(x, y);
    return MakeRgb(qRed(c), qGreen(c), qBlue(c));
}

class BmpTest : public ::testing::Test {
protected:
    // A window of the given size showing the pattern.
    FakeHost& Window(int32_t width, int32_t height) {
        host = std::make_unique<FakeHost>(width, height);
        SetMainWindow(host.get());
        host->PutPixels(0, 0, Pattern(width, height));
        return *host;
    }
    // Captures the whole window and saves it as name at the given mode.
    std::string CaptureAndSave(const std::string& name, int16_t mode = 0) {
        BmpRecord record;
        CaptureBmp(*host, {}, record);
        const std::string path = dir + "/" + name;
        SaveBmp(path, record, mode);
        DeleteBmp(record);
        return path;
    }

    std::unique_ptr<FakeHost> host = std::make_unique<FakeHost>(64, 48);
    test::DrawingSetUp setUp{*host};
    ScopedScriptedMessageBox boxes;
    std::string dir = test::TestFolder();
};

// ---- Headers and rows ----

TEST_F(BmpTest, TwentyFourBitFileHeadersAndPaddedRows) {
    struct Case {
        int32_t width;
        uint32_t rowSize;
    };
    // Three bytes a pixel, rows rounded up to a multiple of four.
    for (const Case c : {Case{1, 4}, {2, 8}, {3, 12}, {5, 16}, {100, 300}, {101, 304}}) {
        SCOPED_TRACE(c.width);
        Window(c.width, 3).screenBitDepth = 32;
        const std::string path = CaptureAndSave("w" + std::to_string(c.width) + ".bmp");
        const BmpFile f(path);
        const uint32_t image = 3 * c.rowSize;
        ASSERT_EQ(f.bytes.size(), 54 + image);
        EXPECT_EQ(f.bytes.substr(0, 2), "BM");
        EXPECT_EQ(U32(f.bytes, 2), 54 + image);  // bfSize
        EXPECT_EQ(U32(f.bytes, 6), 0u);          // both reserved words
        EXPECT_EQ(U32(f.bytes, 10), 54u);        // bfOffBits: no colour table
        EXPECT_EQ(U32(f.bytes, 14), 40u);
        EXPECT_EQ(U32(f.bytes, 18), static_cast<uint32_t>(c.width));
        EXPECT_EQ(U32(f.bytes, 22), 3u);  // positive: bottom row first
        EXPECT_EQ(U16(f.bytes, 26), 1);
        EXPECT_EQ(U16(f.bytes, 28), 24);
        EXPECT_EQ(U32(f.bytes, 30), 0u);
        EXPECT_EQ(U32(f.bytes, 34), image);
        EXPECT_EQ(f.bytes.substr(38, 16), std::string(16, '\0'));
        const Bitmap expected = Pattern(c.width, 3);
        for (uint32_t y = 0; y < 3; ++y) {
            for (int32_t x = 0; x < c.width; ++x) EXPECT_EQ(f.Pixel(x, y), expected.At(x, y)) << x << "," << y;
            const size_t rowEnd = 54 + (y + 1) * c.rowSize;
            for (size_t pad = 54 + y * c.rowSize + 3 * c.width; pad < rowEnd; ++pad) EXPECT_EQ(f.bytes[pad], 0);
        }
    }
    EXPECT_TRUE(boxes.log.empty());
}

TEST_F(BmpTest, PaletteDepthsWriteTheirColourTable) {
    struct Case {
        int32_t screenBits;
        int16_t mode;
        uint32_t depth;
        uint32_t colours;
        uint32_t rowSize;  // of a picture 5 pixels wide
    };
    const Case cases[] = {
        {8, 0, 8, 256, 8},  // an 8-bit screen
        {4, 0, 4, 16, 4},  {32, 1, 1, 2, 4}, {32, 2, 4, 16, 4}, {32, 3, 8, 256, 8}, {8, 4, 24, 0, 16},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.screenBits * 10 + c.mode);
        FakeHost& window = Window(5, 2);
        window.screenBitDepth = c.screenBits;
        // Colours every table holds exactly: black, white, and for 4 and 8 bits pure red.
        Bitmap colours{
            5,
            2,
            {MakeRgb(0, 0, 0), MakeRgb(255, 255, 255), MakeRgb(255, 0, 0), MakeRgb(0, 0, 0), MakeRgb(255, 255, 255),
             MakeRgb(255, 255, 255), MakeRgb(0, 0, 0), MakeRgb(0, 0, 255), MakeRgb(255, 255, 255), MakeRgb(0, 0, 0)}};
        window.PutPixels(0, 0, colours);
        BmpRecord record;
        CaptureBmp(window, {}, record);
        EXPECT_EQ(record.hPalette.size(), c.screenBits <= 8 ? 1u << c.screenBits : 0u);
        const std::string path = dir + "/p.bmp";
        SaveBmp(path, record, c.mode);
        const BmpFile f(path);
        const uint32_t offBits = 54 + 4 * c.colours;
        ASSERT_EQ(f.bytes.size(), offBits + 2 * c.rowSize);
        EXPECT_EQ(U32(f.bytes, 2), offBits + 2 * c.rowSize);
        EXPECT_EQ(U32(f.bytes, 10), offBits);
        EXPECT_EQ(f.depth, c.depth);
        EXPECT_EQ(U32(f.bytes, 34), 2 * c.rowSize);
        EXPECT_EQ(record.FileHeader.bfSize, offBits + 2 * c.rowSize);
        for (uint32_t i = 0; i < c.colours; ++i) EXPECT_EQ(f.bytes[54 + 4 * i + 3], 0) << "entry " << i;
        for (int y = 0; y < 2; ++y) {
            for (int x = 0; x < 5; ++x) {
                const Rgb want = colours.At(x, y);
                const bool grey = RgbRed(want) == RgbGreen(want) && RgbGreen(want) == RgbBlue(want);
                if (c.depth == 1 && !grey) continue;  // only black and white are exact at 1 bit
                EXPECT_EQ(f.Pixel(x, y), want) << x << "," << y;
            }
        }
        DeleteBmp(record);
    }
    EXPECT_TRUE(boxes.log.empty());
}

TEST_F(BmpTest, RowsAreChunkedInWholeRowsOfAtMost16384Bytes) {
    struct Case {
        int32_t width, height;
        size_t chunks;
        size_t firstRows;  // rows of every chunk but the last
        size_t lastRows;
    };
    const Case cases[] = {
        {100, 50, 1, 50, 50},   // 15000 bytes: one chunk
        {800, 600, 100, 6, 6},  // rows of 2400 bytes, six to a chunk
        {800, 7, 2, 6, 1},      // the last chunk holds the rest
        {5000, 5, 5, 1, 1},     // rows of 15000 bytes
        {6000, 4, 4, 1, 1},     // rows of 18000 bytes: one row per chunk
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.width);
        Window(c.width, c.height);
        BmpRecord record;
        CaptureBmp(*host, {}, record);
        ASSERT_TRUE(Bitmap2DIB(record, 0));
        const auto& chunks = DibChunk();
        const size_t row = (3 * static_cast<size_t>(c.width) + 3) / 4 * 4;
        ASSERT_EQ(chunks.size(), c.chunks);
        for (size_t i = 0; i + 1 < chunks.size(); ++i) EXPECT_EQ(chunks[i].size(), c.firstRows * row);
        EXPECT_EQ(chunks.back().size(), c.lastRows * row);
        // Chunk 0 starts with the bottom row.
        const Rgb bottomLeft = Pattern(c.width, c.height).At(0, c.height - 1);
        EXPECT_EQ(chunks[0][2], RgbRed(bottomLeft));

        // The wide pictures make whole files.
        if (c.width >= 5000) {
            const BmpFile f(CaptureAndSave("wide.bmp"));
            ASSERT_EQ(f.bytes.size(), 54 + row * c.height);
            const Bitmap expected = Pattern(c.width, c.height);
            for (int y = 0; y < c.height; ++y)
                for (int x : {0, 1, c.width / 2, c.width - 1}) EXPECT_EQ(f.Pixel(x, y), expected.At(x, y));
        }
        DeleteBmp(record);
    }
}

// ---- Capture and display ----

TEST_F(BmpTest, CaptureTakesThePixelsAsShownAndDisplayPutsThemBack) {
    FakeHost& window = Window(64, 48);
    // Drawn through the window's surface, as the map is.
    Surface& dc = window.DC();
    const GdiObject brush = dc.CreateSolidBrush(MakeRgb(0, 0, 255));
    const GdiObject pen = dc.CreatePen(PenStyle::Solid, 1, MakeRgb(0, 0, 255));
    const GdiObject oldBrush = dc.SelectObject(brush);
    const GdiObject oldPen = dc.SelectObject(pen);
    dc.Rectangle(12, 22, 30, 30);
    dc.SelectObject(oldBrush);
    dc.DeleteObject(brush);
    const Bitmap before = Pattern(64, 48);

    // The rectangle may be given right to left: it starts at (left, top).
    BmpRecord preview;
    CaptureBmp(window, {10, 20, 2, 35}, preview);
    ASSERT_TRUE(preview.hBitmap);
    EXPECT_EQ(preview.InfoHeader.biWidth, 8);
    EXPECT_EQ(preview.InfoHeader.biHeight, 15);
    EXPECT_EQ(preview.hWnd, &window);
    EXPECT_EQ(preview.hBitmap->At(0, 0), before.At(10, 20));
    EXPECT_EQ(preview.hBitmap->At(3, 5), MakeRgb(0, 0, 255));  // window pixel (13, 25)

    // Out of the window: black when captured, left out when shown.
    BmpRecord edge;
    CaptureBmp(window, {60, 44, 70, 50}, edge);
    EXPECT_EQ(edge.hBitmap->At(3, 3), before.At(63, 47));
    EXPECT_EQ(edge.hBitmap->At(4, 3), MakeRgb(0, 0, 0));
    EXPECT_EQ(edge.hBitmap->At(3, 4), MakeRgb(0, 0, 0));

    // A preview drawn over it, then erased as the text placement does.
    dc.SelectObject(dc.GetStockObject(StockObject::BlackBrush));
    dc.SelectObject(oldPen);
    dc.DeleteObject(pen);
    dc.Rectangle(0, 0, 64, 48);
    preview.Top = 20;
    preview.Left = 10;
    DisplayBmp(preview);
    DeleteBmp(preview);
    EXPECT_FALSE(preview.hBitmap);
    EXPECT_EQ(preview.ZoomFactor, 1.0f);
    EXPECT_EQ(preview.Top, 0);
    EXPECT_EQ(preview.Left, 0);

    edge.Left = -2;  // partly off the left edge
    edge.Top = 0;
    DisplayBmp(edge);
    DeleteBmp(edge);

    const QImage& picture = window.Picture();
    for (int y = 0; y < 48; ++y) {
        for (int x = 0; x < 64; ++x) {
            Rgb want = MakeRgb(0, 0, 0);
            if (x >= 10 && x < 18 && y >= 20 && y < 35) {
                want = (x >= 12 && x < 30 && y >= 22 && y < 30) ? MakeRgb(0, 0, 255) : before.At(x, y);
            } else if (x < 2 && y < 4) {
                want = before.At(x + 62, y + 44);
            }
            ASSERT_EQ(QtPixel(picture, x, y), want) << x << "," << y;
        }
    }
    EXPECT_TRUE(boxes.log.empty());
}

TEST_F(BmpTest, ZoomFactorOtherThanZeroOrOneIsReported) {
    struct Case {
        float zoom;
        const char* text;  // empty: no box
    };
    const Case cases[] = {{0, ""}, {1, ""}, {2.5f, "ZoomFactor = 2.5"}, {-0.5f, "ZoomFactor =-.5"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.zoom);
        FakeHost& window = Window(8, 8);
        boxes.log.clear();
        BmpRecord record;
        record.ZoomFactor = c.zoom;
        CaptureBmp(window, {0, 0, 4, 4}, record);
        ASSERT_TRUE(record.hBitmap);  // the capture goes on
        window.PutPixels(0, 0, Bitmap{1, 1, {MakeRgb(1, 2, 3)}});
        DisplayBmp(record);  // shown only at 0 and 1
        const Rgb corner = QtPixel(window.Picture(), 0, 0);
        if (*c.text == '\0') {
            EXPECT_TRUE(boxes.log.empty());
            EXPECT_EQ(corner, Pattern(8, 8).At(0, 0));
        } else {
            ASSERT_EQ(boxes.log.size(), 2u);
            EXPECT_EQ(boxes.log[0].text, c.text);
            EXPECT_EQ(boxes.log[0].title, "ZoomFactor error in CaptureBmp");
            EXPECT_EQ(boxes.log[1].text, c.text);
            EXPECT_EQ(boxes.log[1].title, "ZoomFactor error in DisplayBmp");
            EXPECT_EQ(boxes.log[1].buttons, MsgButtons::Ok);
            EXPECT_EQ(boxes.log[1].icon, MsgIcon::None);
            EXPECT_EQ(corner, MakeRgb(1, 2, 3));
        }
    }
}

TEST_F(BmpTest, FailedCopyLeavesTheRecordEmptyAndItsHeadersAsTheyWere) {
    FakeHost& window = Window(8, 8);
    BmpRecord record;
    CaptureBmp(window, {0, 0, 4, 4}, record);
    const BitmapFileHeader fileHeader = record.FileHeader;
    FakeHost other(4, 4);
    other.failGrab = true;
    CaptureBmp(other, {0, 0, 2, 2}, record);
    ASSERT_EQ(boxes.log.size(), 1u);
    EXPECT_EQ(boxes.log[0].text, "BITMAP_CaptureBmp - Capture Failed");
    EXPECT_EQ(boxes.log[0].title, "Tellurax");
    EXPECT_FALSE(record.hBitmap);
    EXPECT_EQ(record.hWnd, &window);
    EXPECT_EQ(record.InfoHeader.biWidth, 4);
    EXPECT_EQ(record.FileHeader.bfSize, fileHeader.bfSize);
}

// ---- The window's procedures ----

TEST_F(BmpTest, BmpCaptureKeepsTheWholeDrawingArea) {
    FakeHost& window = Window(40, 30);
    BmpRecord kept;
    CaptureBmp(window, {0, 0, 3, 3}, kept);
    // The drawing area in twips, turned into whole pixels half to even.
    window.scaleWidth = 20.5f * FakeHost::kTwipsPerPixel;
    window.scaleHeight = 11.5f * FakeHost::kTwipsPerPixel;
    BmpCapture(window, kept);
    ASSERT_TRUE(kept.hBitmap);
    EXPECT_EQ(kept.InfoHeader.biWidth, 20);
    EXPECT_EQ(kept.InfoHeader.biHeight, 12);
    EXPECT_EQ(kept.ZoomFactor, 1.0f);  // released before the new capture
    EXPECT_TRUE(boxes.log.empty());

    Design().TwipsPerPixelX = 0;
    BmpCapture(window, kept);
    ASSERT_EQ(boxes.log.size(), 1u);
    EXPECT_EQ(boxes.log[0].text, "Error: Division by zero");
    EXPECT_EQ(boxes.log[0].title, "Error in BmpCapture");
    EXPECT_EQ(boxes.log[0].icon, MsgIcon::Exclamation);
}

TEST_F(BmpTest, SavingOverALongerFileLeavesExactlyTheNewPicture) {
    Window(10, 10);
    const std::string path = dir + "/old.bmp";
    std::ofstream(path) << std::string(5000, 'x');
    Plot().BmpFileName = path;
    BmpSave(*host);
    EXPECT_TRUE(boxes.log.empty());
    EXPECT_EQ(std::filesystem::file_size(path), 54u + 10 * 32);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST_F(BmpTest, EmptyRecordsAreReportedAndWriteNothing) {
    BmpRecord record;
    const std::string path = dir + "/none.bmp";
    SaveBmp(path, record, 0);
    EXPECT_FALSE(Bitmap2DIB(record, 0));
    ASSERT_EQ(boxes.log.size(), 2u);
    EXPECT_EQ(boxes.log[0].text, "BITMAP_SaveBmp - No Bitmap");
    EXPECT_EQ(boxes.log[0].title, "Tellurax");
    EXPECT_EQ(boxes.log[0].icon, MsgIcon::None);
    EXPECT_EQ(boxes.log[1].text, "BITMAP_Bitmap2DIB - No Bitmap");
    EXPECT_FALSE(std::filesystem::exists(path));
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    DisplayBmp(record);  // nothing to show
    EXPECT_EQ(boxes.log.size(), 2u);
}

TEST_F(BmpTest, FailedWritesAreReportedAndKeepTheEarlierFile) {
    Window(100, 100);  // 30000 bytes of rows: two chunks
    PlotState& p = Plot();

    p.BmpFileName = dir + "/missing/folder/a.bmp";
    BmpSave(*host);
    ASSERT_EQ(boxes.log.size(), 1u);
    EXPECT_EQ(boxes.log[0].text, "Error: Cannot create " + p.BmpFileName + " (No such file or directory)");
    EXPECT_EQ(boxes.log[0].title, "Error in BmpSave");

    // The disk fills part-way: the part written goes, the earlier file stays.
    p.BmpFileName = dir + "/partial.bmp";
    test::WriteFile(p.BmpFileName, "earlier");
    {
        test::FileSizeLimit limit(20000);
        BmpSave(*host);
    }
    ASSERT_EQ(boxes.log.size(), 2u);
    EXPECT_EQ(boxes.log[1].text, "Error: Cannot create " + p.BmpFileName + " (File too large)");
    EXPECT_EQ(test::FileBytes(p.BmpFileName), "earlier");
    EXPECT_EQ(test::TemporaryFiles(dir), 0);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);

    // A device is never replaced by a file.
    p.BmpFileName = "/dev/full";
    BmpSave(*host);
    ASSERT_EQ(boxes.log.size(), 3u);
    EXPECT_EQ(boxes.log[2].text, "Error: Cannot create /dev/full (Not a regular file)");
    EXPECT_TRUE(std::filesystem::exists("/dev/full"));

    BmpRecord record;
    CaptureBmp(*host, {}, record);
    EXPECT_THROW(SaveBmp(dir + "/mode.bmp", record, 5), RuntimeError);
    EXPECT_FALSE(std::filesystem::exists(dir + "/mode.bmp"));
}

// ---- Files for the independent reader (check_bmp.sh) ----

TEST(BmpExport, DefaultGraticuleAndSmallPictures) {
    // check_bmp.sh names its own folder, so that it never reads files that
    // this test, run at the same time by ctest, is writing.
    const char* folder = std::getenv("TLRX_BMP_OUT");
    const std::string out = folder ? folder : std::string(TLRX_TEST_OUT_DIR) + "/bmp-export";
    std::filesystem::remove_all(out);
    std::filesystem::create_directories(out);
    ScopedScriptedMessageBox boxes;

    // The default design's graticule as the window shows it.
    FakeHost window(1024, 768);
    {
        test::DrawingSetUp setUp{window};
        test::DrawSinglePass();
        Plot().BmpFileName = out + "/graticule.bmp";
        BmpSave(window);
    }
    ASSERT_TRUE(boxes.log.empty()) << boxes.log[0].text;
    const BmpFile f(out + "/graticule.bmp");
    ASSERT_EQ(f.bytes.size(), 54u + 768 * 3072);
    const QImage& picture = window.Picture();
    ASSERT_TRUE(picture.save(QString::fromStdString(out + "/graticule.png")));  // for the reader check
    int dark = 0;
    for (int y = 0; y < 768; ++y) {
        for (int x = 0; x < 1024; ++x) {
            ASSERT_EQ(f.Pixel(x, y), QtPixel(picture, x, y)) << x << "," << y;
            dark += qGray(picture.pixel(x, y)) < 128;
        }
    }
    EXPECT_GT(dark, 2000);  // the graticule is there

    // Small pictures whose pixels the reader check compares: odd widths at
    // 24 bits, an 8-bit screen and a 1-bit file.
    struct Case {
        const char* name;
        int32_t width, screenBits;
        int16_t mode;
    };
    for (const Case& c : {Case{"w1", 1, 32, 0},
                          {"w2", 2, 32, 0},
                          {"w3", 3, 32, 0},
                          {"w5", 5, 32, 0},
                          {"wide", 6000, 32, 0},
                          {"d8", 5, 8, 0},
                          {"d1", 5, 32, 1}}) {
        FakeHost small(c.width, 3);
        small.screenBitDepth = c.screenBits;
        test::DrawingSetUp setUp{small};
        // Red, green and blue rows; the last column white.
        Bitmap rows{c.width, 3, {}};
        for (Rgb colour : {MakeRgb(255, 0, 0), MakeRgb(0, 255, 0), MakeRgb(0, 0, 255)})
            for (int32_t x = 0; x < c.width; ++x)
                rows.pixels.push_back(x == c.width - 1 ? MakeRgb(255, 255, 255) : colour);
        small.PutPixels(0, 0, rows);
        BmpRecord record;
        CaptureBmp(small, {}, record);
        SaveBmp(out + "/" + c.name + ".bmp", record, c.mode);
        DeleteBmp(record);
    }
    EXPECT_TRUE(boxes.log.empty());
}

}  // namespace
}  // namespace tlrx
