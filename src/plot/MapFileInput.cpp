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

std::string MapFileKind(const std::string& path) {
    std::string kind = path.size() > 3 ? path.substr(path.size() - 3) : path;
    for (char& c : kind) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return kind;
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
