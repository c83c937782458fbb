#include "plot/mapfiles/MapFileInput.h"

#include <cctype>
#include <filesystem>
#include <string>
#include <system_error>

#include "core/Errors.h"
#include "core/NumberText.h"
#include "plot/RunFiles.h"

namespace tlrx {

void RaiseLineTooLong(const std::string& path) {
    Raise(path + " has a line longer than " + std::to_string(kMaxMapLineChars) + " characters");
}

void RequireMapFile(const std::string& path) {
    if (path.empty()) Raise(kFileNotFound);
    // Looked at without opening: opening a named pipe waits for a writer.
    std::error_code ec;
    const std::filesystem::file_status status = std::filesystem::status(path, ec);
    // A folder of that name is no map file either.
    if (!std::filesystem::exists(status) || std::filesystem::is_directory(status)) Raise(kFileNotFound);
    if (!std::filesystem::is_regular_file(status)) Raise(path + " is not a regular file");
}

void OpenMapFile(const std::string& path) {
    RequireMapFile(path);
    Files().OpenInput(path);
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
