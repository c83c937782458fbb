#include "plot/MapFileInput.h"

#include <cctype>
#include <filesystem>
#include <system_error>

#include "core/Errors.h"
#include "core/NumberText.h"
#include "plot/RunFiles.h"

namespace tlrx {

void RequireMapFile(const std::string& path) {
    std::error_code ec;
    // A folder of that name is no map file either.
    if (path.empty() || !std::filesystem::exists(path, ec) || std::filesystem::is_directory(path, ec))
        Raise(kFileNotFound);
}

void OpenMapFile(const std::string& path) {
    RequireMapFile(path);
    Files().OpenInput(path);
}

bool IsMapFileKind(const std::string& path, std::string_view kind) {
    if (path.size() < 3 || kind.size() != 3) return false;
    for (size_t i = 0; i < 3; ++i)
        if (std::toupper(static_cast<unsigned char>(path[path.size() - 3 + i])) != kind[i]) return false;
    return true;
}

double FieldNumber(std::string_view text) {
    // Reused for every field, so that reading a field allocates nothing once it has grown.
    thread_local std::string compact;
    compact.clear();
    for (const char c : text)
        if (c != ' ') compact.push_back(c);
    return LeadingNumber(compact);
}

}  // namespace tlrx
