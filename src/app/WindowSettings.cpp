#include "app/WindowSettings.h"

#include <filesystem>
#include <string_view>
#include <system_error>

#include "core/Errors.h"
#include "core/NumberText.h"
#include "core/PrintUnits.h"
#include "platform/ProfileFile.h"

namespace tlrx {

namespace {

// A key's value as a read buffer of bufferSize characters holds it, trimmed.
std::string ReadKey(const std::string& path, const char* key, size_t bufferSize) {
    const std::string value = GetPrivateProfileString(kSettingsSection, key, "", bufferSize, path);
    const size_t first = value.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    return value.substr(first, value.find_last_not_of(' ') + 1 - first);
}

// Splits text at its first blank: the part before, and the rest trimmed.
// Nothing when there is no blank.
std::optional<std::pair<std::string, std::string>> SplitAtBlank(const std::string& text) {
    const size_t blank = text.find(' ');
    if (blank == std::string::npos) return std::nullopt;
    const size_t rest = text.find_first_not_of(' ', blank);
    return std::pair{text.substr(0, blank), rest == std::string::npos ? std::string() : text.substr(rest)};
}

// The leading number of text as a 32-bit whole number, or nothing when it is
// out of range.
std::optional<int32_t> LongValue(const std::string& text) {
    try {
        return ToInt32(LeadingNumber(text));
    } catch (const RuntimeError&) {
        return std::nullopt;
    }
}

}  // namespace

SavedSettings ReadSavedSettings(const std::string& path, double screenHeight, double screenWidth) {
    SavedSettings s;
    std::error_code ec;
    if (!std::filesystem::exists(path, ec)) return s;

    int16_t units = 0;
    try {
        units = ToInt16(LeadingNumber(ReadKey(path, "PrinterUnits", 8)));
    } catch (const RuntimeError&) {
    }
    // The rest of the program divides by the unit: only the two it knows.
    s.printerUnits = KnownPrintUnits(units);

    const auto screen = SplitAtBlank(ReadKey(path, "ScreenSize", 15));
    if (!screen) return s;
    const auto savedHeight = LongValue(screen->first);
    const auto savedWidth = LongValue(screen->second);
    if (!savedHeight || !savedWidth || screenHeight < *savedHeight || screenWidth < *savedWidth) return s;

    double maximized = 0;
    try {
        maximized = LeadingNumber(ReadKey(path, "WindowMaximized", 4));
    } catch (const RuntimeError&) {
        maximized = 1;
    }

    const auto h = SplitAtBlank(ReadKey(path, "MainWindow", 30));
    if (!h) return s;
    const auto w = SplitAtBlank(h->second);
    if (!w) return s;
    const auto l = SplitAtBlank(w->second);
    if (!l) return s;
    const auto height = LongValue(h->first);
    const auto width = LongValue(w->first);
    const auto left = LongValue(l->first);
    const auto top = LongValue(l->second);
    if (!height || !width || !left || !top) return s;
    // A window of no size, larger than the screen, or out of its sight is no
    // geometry to restore.
    if (*height <= 0 || *width <= 0 || *height > screenHeight || *width > screenWidth) return s;
    if (*left <= -*width || *left >= screenWidth || *top <= -*height || *top >= screenHeight) return s;

    s.maximized = maximized != 0;
    s.height = *height;
    s.width = *width;
    s.left = *left;
    s.top = *top;
    return s;
}

}  // namespace tlrx
