#pragma once
// The main window's one file dialog, lent to every file choice. What a choice
// presets (file name, initial folder) stays until the next preset.

#include <string>

namespace tlrx {

struct FileDialogState {
    std::string FileName;  // preset name, and the chosen path after a choice
    std::string InitDir;   // folder the dialog opens in
};

FileDialogState& FileSaveLoad();

}  // namespace tlrx
