#pragma once
// The settings file of the main window, Tlrx.ini: section "Tellurax" with
// the keys "PrinterUnits" (1440 inches or 567 centimetres), "ScreenSize"
// (screen height and width), "MainWindow" (outer height, width, left and top
// of the window) and "WindowMaximized" (1 or 0), written in this order. All
// lengths are twips; numbers are plain decimal text, values separated by
// one blank.

#include <cstdint>
#include <optional>
#include <string>

namespace tlrx {

inline constexpr const char* kSettingsFileName = "Tlrx.ini";
inline constexpr const char* kSettingsSection = "Tellurax";

// What start-up takes from the settings file.
struct SavedSettings {
    // The print units when the file holds a key "PrinterUnits": 567, or
    // 1440 for any other value (also an empty or missing one).
    std::optional<int16_t> printerUnits;
    // True unless the file holds a usable normal window geometry: no file, a
    // screen smaller than the one the file was written on, "WindowMaximized"
    // not 0, or a size or place that cannot be read or lies off the screen.
    bool maximized = true;
    // The outer geometry of a normal window, twips.
    int32_t height = 0;
    int32_t width = 0;
    int32_t left = 0;
    int32_t top = 0;
};

// Reads the settings file at path for a screen of the given size in twips.
SavedSettings ReadSavedSettings(const std::string& path, double screenHeight, double screenWidth);

}  // namespace tlrx
