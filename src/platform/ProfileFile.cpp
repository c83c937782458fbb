#include "platform/ProfileFile.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <system_error>
#include <vector>

#include "platform/ReplacingFile.h"

namespace tlrx {

namespace {

std::string g_settingsFolder;

// The settings file in tellurax/ under $XDG_CONFIG_HOME (default ~/.config),
// its folder created when missing.
std::string UserSettingsPath(std::string_view fileName);

struct Line {
    std::string text;
    std::string end;  // "\r\n", "\n" or "" for a last line without one
};

std::string_view Trim(std::string_view s) {
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!s.empty() && blank(s.front())) s.remove_prefix(1);
    while (!s.empty() && blank(s.back())) s.remove_suffix(1);
    return s;
}

char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (Lower(a[i]) != Lower(b[i])) return false;
    return true;
}

// The whole file, or nothing when it cannot be read.
std::optional<std::string> ReadAll(const std::string& fileName) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(fileName, ec)) return std::nullopt;
    std::ifstream in(fileName, std::ios::binary);
    if (!in.is_open()) return std::nullopt;
    std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (in.bad()) return std::nullopt;
    return text;
}

std::vector<Line> SplitLines(const std::string& text) {
    std::vector<Line> lines;
    size_t start = 0;
    while (start < text.size()) {
        const size_t lf = text.find('\n', start);
        if (lf == std::string::npos) {
            lines.push_back({text.substr(start), ""});
            break;
        }
        size_t end = lf;
        if (end > start && text[end - 1] == '\r') --end;
        lines.push_back({text.substr(start, end - start), text.substr(end, lf + 1 - end)});
        start = lf + 1;
    }
    return lines;
}

// The section name of a header line, or nothing for any other line.
std::optional<std::string_view> SectionName(std::string_view line) {
    line = Trim(line);
    if (line.empty() || line.front() != '[') return std::nullopt;
    line.remove_prefix(1);
    const size_t close = line.find(']');
    return Trim(line.substr(0, close));
}

// The key and value of a "key=value" line.
struct Entry {
    std::string_view key;
    std::string_view value;
};
std::optional<Entry> ParseEntry(std::string_view line) {
    const size_t eq = line.find('=');
    if (eq == std::string_view::npos) return std::nullopt;
    return Entry{Trim(line.substr(0, eq)), Trim(line.substr(eq + 1))};
}

std::string CutTo(std::string_view s, size_t bufferSize) {
    if (bufferSize == 0) return {};
    return std::string(s.substr(0, bufferSize - 1));
}

}  // namespace

std::string GetPrivateProfileString(std::string_view section, std::string_view key, std::string_view defaultValue,
                                    size_t bufferSize, const std::string& fileName) {
    const auto fallback = [&] {
        std::string_view d = defaultValue;
        while (!d.empty() && d.back() == ' ') d.remove_suffix(1);
        return CutTo(d, bufferSize);
    };
    const std::optional<std::string> text = ReadAll(fileName);
    if (!text) return fallback();

    section = Trim(section);
    key = Trim(key);
    bool inSection = false;
    for (const Line& line : SplitLines(*text)) {
        if (const auto name = SectionName(line.text)) {
            inSection = SameName(*name, section);
            continue;
        }
        if (!inSection) continue;
        const auto entry = ParseEntry(line.text);
        if (!entry || !SameName(entry->key, key)) continue;
        std::string_view value = entry->value;
        if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front()) {
            value = value.substr(1, value.size() - 2);
        }
        return CutTo(value, bufferSize);
    }
    return fallback();
}

bool WritePrivateProfileString(std::string_view section, std::string_view key, std::string_view value,
                               const std::string& fileName) {
    namespace fs = std::filesystem;
    std::error_code ec;
    std::vector<Line> lines;
    if (fs::exists(fileName, ec)) {
        const std::optional<std::string> text = ReadAll(fileName);
        if (!text) return false;
        lines = SplitLines(*text);
    }
    std::string eol = "\r\n";
    for (const Line& line : lines) {
        if (!line.end.empty()) {
            eol = line.end;
            break;
        }
    }

    section = Trim(section);
    key = Trim(key);
    const std::string newEntry = std::string(key) + "=" + std::string(value);

    // The first section of that name: its key's line, or the place after its
    // last non-blank line.
    std::optional<size_t> header;
    std::optional<size_t> keyLine;
    size_t insertAfter = 0;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (const auto name = SectionName(lines[i].text)) {
            if (header) break;
            if (SameName(*name, section)) header = insertAfter = i;
            continue;
        }
        if (!header) continue;
        if (const auto entry = ParseEntry(lines[i].text); entry && SameName(entry->key, key)) {
            keyLine = i;
            break;
        }
        if (!Trim(lines[i].text).empty()) insertAfter = i;
    }

    if (keyLine) {
        // The key keeps its own spelling.
        const std::string name(ParseEntry(lines[*keyLine].text)->key);
        lines[*keyLine].text = name + "=" + std::string(value);
    } else if (header) {
        if (lines[insertAfter].end.empty()) lines[insertAfter].end = eol;
        lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(insertAfter) + 1, Line{newEntry, eol});
    } else {
        if (!lines.empty() && lines.back().end.empty()) lines.back().end = eol;
        lines.push_back({"[" + std::string(section) + "]", eol});
        lines.push_back({newEntry, eol});
    }

    std::string out;
    for (const Line& line : lines) {
        out += line.text;
        // A line whose text ends in CR (a last line without its LF, or a value
        // ending in CR) would lose that CR to an LF after it: CR LF keeps it.
        const bool endsInCr = !line.text.empty() && line.text.back() == '\r';
        out += endsInCr && line.end == "\n" ? "\r\n" : line.end;
    }

    // The file is replaced whole, so that a failed write never leaves half a file.
    return WriteFileReplacing(fileName, out).empty();
}

std::string SettingsFilePath(const std::string& appDir, std::string_view fileName) {
    namespace fs = std::filesystem;
    if (!g_settingsFolder.empty()) return (fs::path(g_settingsFolder) / fileName).string();
    if (!appDir.empty() && UserMayWriteIn(appDir)) return appDir + std::string(fileName);
    return UserSettingsPath(fileName);
}

std::string SettingsFileToRead(const std::string& appDir, std::string_view fileName) {
    const std::string path = SettingsFilePath(appDir, fileName);
    std::error_code ec;
    if (!g_settingsFolder.empty() || std::filesystem::exists(path, ec) || appDir.empty()) return path;
    // Settings beside a program in a folder the user cannot write, until
    // the program has written its own.
    const std::string beside = appDir + std::string(fileName);
    return std::filesystem::exists(beside, ec) ? beside : path;
}

namespace {

std::string UserSettingsPath(std::string_view fileName) {
    namespace fs = std::filesystem;
    fs::path config;
    if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && *xdg) config = xdg;
    else if (const char* home = std::getenv("HOME"); home && *home) config = fs::path(home) / ".config";
    else config = fs::temp_directory_path();
    const fs::path folder = config / "tellurax";
    std::error_code ec;
    fs::create_directories(folder, ec);  // a failure shows when the file is written
    return (folder / fileName).string();
}

}  // namespace

void SetSettingsFolder(const std::string& folder) { g_settingsFolder = folder; }

}  // namespace tlrx
