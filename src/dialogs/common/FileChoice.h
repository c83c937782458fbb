#pragma once
// One file choice through the main window's shared file dialog: opened on
// the name and folder of the last file of its kind, with its own title,
// filter, default extension and flags; Cancel ends it silently and a dialog
// error is reported under "File Common Dialog Error".

#include <cstdint>
#include <optional>
#include <string>

#include "platform/FileDialog.h"

namespace tlrx {

struct FileChoice {
    FileDialogKind kind = FileDialogKind::Save;
    std::string lastPath;  // the dialog opens on its name and folder (empty: as it stands)
    const char* title = "";
    const char* filter = "";
    const char* defaultExt = "";
    int32_t flags = 0;
    const char* operation = "";  // ends the error message: "Error 32768" + operation
};

// The chosen path as the dialog gives it; nothing after Cancel or an error.
std::optional<std::string> ChooseFile(const FileChoice& choice);

}  // namespace tlrx
