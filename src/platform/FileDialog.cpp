#include "platform/FileDialog.h"

#include <algorithm>
#include <cctype>
#include <cstddef>
#include <utility>

namespace tlrx {

namespace {

FileDialogService* g_service = nullptr;

char Upper(char c) { return static_cast<char>(std::toupper(static_cast<unsigned char>(c))); }

}  // namespace

FileDialogService* SetFileDialogService(FileDialogService* service) { return std::exchange(g_service, service); }

FileDialogState& FileSaveLoad() {
    static FileDialogState state;
    return state;
}

namespace {

int32_t Show(FileDialogState& s, FileDialogKind kind) {
    const FileDialogRequest request{kind,         s.DialogTitle, s.Filter,  s.FilterIndex,
                                    s.DefaultExt, s.Flags,       s.InitDir, s.FileName};
    const FileDialogResult result = g_service ? g_service->Show(request) : FileDialogResult{kFileDialogCancel, {}};
    if (result.error == kFileDialogCancel && !s.CancelError) {
        s.FileName.clear();
        return 0;
    }
    if (result.error == 0) s.FileName = result.fileName;
    return result.error;
}

}  // namespace

int32_t FileDialogState::ShowOpen() { return Show(*this, FileDialogKind::Open); }

int32_t FileDialogState::ShowSave() { return Show(*this, FileDialogKind::Save); }

std::string WithDefaultExtension(std::string_view name, std::string_view defaultExt) {
    std::string result(name);
    if (defaultExt.empty()) return result;
    const std::string ending = "." + std::string(defaultExt);
    const bool has = name.size() >= ending.size() &&
                     std::equal(ending.begin(), ending.end(), name.end() - static_cast<std::ptrdiff_t>(ending.size()),
                                [](char a, char b) { return Upper(a) == Upper(b); });
    if (!has) result += ending;
    return result;
}

}  // namespace tlrx
