// The settings file, Tlrx.ini, as the program reads it at start-up and
// writes it at close, over whatever the file holds:
//   option 0: the screen (bits 0-1: one of four sizes);
//   option 1: what the close writes: bit 0 the print units (567, else 1440),
//             bit 1 a maximized window, bits 2-7 the window's place;
//   option 2, 3: the window's height and width (in steps of 1/256 of the
//             screen's, 0 a window of no size);
// then the file's bytes. Start-up must take only a usable geometry; after the
// close's four keys are written, each reads back as written and start-up
// takes the window written.

#include <cstdlib>
#include <filesystem>
#include <string>

#include "FuzzSupport.h"
#include "app/WindowSettings.h"
#include "platform/ProfileFile.h"

namespace {

using namespace tlrx;
using namespace tlrx::fuzz;

void CheckUsable(const SavedSettings& s, double screenHeight, double screenWidth) {
    Check(s.printerUnits && (*s.printerUnits == 567 || *s.printerUnits == 1440),
          "start-up took print units other than 567 and 1440");
    if (s.height == 0 && s.width == 0 && s.left == 0 && s.top == 0) return;  // no geometry
    Check(s.height > 0 && s.width > 0 && s.height <= screenHeight && s.width <= screenWidth,
          "start-up took a window size that does not fit the screen");
    Check(s.left > -s.width && s.left < screenWidth && s.top > -s.height && s.top < screenHeight,
          "start-up took a window place off the screen");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const FuzzInput in(data, size, 4);
    const std::string path = ScratchFolder() + "/" + kSettingsFileName;
    WriteFile(path, in.Body());
    const int descriptors = OpenDescriptors();

    static const int32_t screens[4][2] = {{12000, 12000}, {11520, 15360}, {16200, 28800}, {480, 640}};
    const int32_t screenHeight = screens[in.Option(0) % 4][0];
    const int32_t screenWidth = screens[in.Option(0) % 4][1];
    CheckUsable(ReadSavedSettings(path, screenHeight, screenWidth), screenHeight, screenWidth);

    // The close writes its four keys into the file it read.
    const uint8_t close = in.Option(1);
    const int32_t height = screenHeight * in.Option(2) / 256;
    const int32_t width = screenWidth * in.Option(3) / 256;
    const int32_t left = (screenWidth / 16) * ((close >> 2) & 7) - screenWidth / 8;
    const int32_t top = (screenHeight / 16) * ((close >> 5) & 7) - screenHeight / 8;
    const bool maximized = (close & 2) != 0;
    const std::string units = (close & 1) ? "567" : "1440";
    const std::string keys[] = {"PrinterUnits", "ScreenSize", "MainWindow", "WindowMaximized"};
    const std::string values[] = {
        units,
        std::to_string(screenHeight) + " " + std::to_string(screenWidth),
        std::to_string(height) + " " + std::to_string(width) + " " + std::to_string(left) + " " + std::to_string(top),
        maximized ? "1" : "0",
    };
    for (int i = 0; i < 4; ++i)
        Check(WritePrivateProfileString(kSettingsSection, keys[i], values[i], path), "a settings key was not written");
    for (int i = 0; i < 4; ++i)
        Check(GetPrivateProfileString(kSettingsSection, keys[i], "", 256, path) == values[i],
              "a settings key did not read back as written");

    const SavedSettings s = ReadSavedSettings(path, screenHeight, screenWidth);
    CheckUsable(s, screenHeight, screenWidth);
    Check(*s.printerUnits == std::atoi(units.c_str()), "the print units did not read back as written");
    const bool onScreen =
        height > 0 && width > 0 && left > -width && left < screenWidth && top > -height && top < screenHeight;
    if (maximized || !onScreen) {
        Check(s.maximized, "start-up took a window that was maximized or off the screen");
    } else {
        Check(!s.maximized && s.height == height && s.width == width && s.left == left && s.top == top,
              "start-up did not take the window written at close");
    }
    Check(OpenDescriptors() == descriptors, "a file descriptor was left open");

    std::error_code ec;
    std::filesystem::remove(path, ec);
    return 0;
}
