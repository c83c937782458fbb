#pragma once
// The main window's one file dialog, lent to every file choice: the settings
// of the next dialog (name, folder, title, filter, default extension, flags),
// kept until they are set again, and the open and save dialogs that run on
// them. The program installs the Qt service; tests install a scripted one
// that answers from a queue and logs every dialog shown.

#include <cstdint>
#include <string>
#include <string_view>

namespace tlrx {

// The dialog's error numbers: 0 a file was chosen.
inline constexpr int32_t kFileDialogCancel = 32755;   // Cancel, while CancelError is set
inline constexpr int32_t kFileDialogFailure = 32768;  // the dialog could not be shown

// Flags, added together.
inline constexpr int32_t kFileDialogOverwritePrompt = 2;   // save: ask before replacing an existing file
inline constexpr int32_t kFileDialogHideReadOnly = 4;      // no read-only check box
inline constexpr int32_t kFileDialogFileMustExist = 4096;  // open: only an existing file

enum class FileDialogKind { Open, Save };

// One dialog to show, as the settings stood when it was asked for.
struct FileDialogRequest {
    FileDialogKind kind = FileDialogKind::Save;
    std::string title;
    std::string filter;       // "Description|pattern" pairs, joined by "|"
    int16_t filterIndex = 1;  // the pair chosen first, 1 being the first
    std::string defaultExt;   // without the dot; empty: none
    int32_t flags = 0;
    std::string initDir;   // folder to open in; empty: the last one used
    std::string fileName;  // preset name: a title (in initDir) or a path
};

struct FileDialogResult {
    int32_t error = 0;     // 0, kFileDialogCancel, or the failure's number
    std::string fileName;  // the chosen path when error is 0
};

class FileDialogService {
public:
    virtual ~FileDialogService() = default;
    virtual FileDialogResult Show(const FileDialogRequest& request) = 0;
};

// Installs the service the dialogs go through and returns the one installed
// before (nullptr: none, every dialog then ends as cancelled). The caller
// keeps ownership.
FileDialogService* SetFileDialogService(FileDialogService* service);

// The dialog's settings, which stay from one use to the next.
struct FileDialogState {
    std::string FileName;  // preset name, and the chosen path after a choice
    std::string InitDir;   // folder the dialog opens in
    std::string DialogTitle;
    std::string Filter;
    int16_t FilterIndex = 1;
    std::string DefaultExt;
    int32_t Flags = 0;
    bool CancelError = false;  // Cancel ends the dialog with kFileDialogCancel

    // Show the dialog and return its error number. With 0 FileName is the
    // chosen path; Cancel returns kFileDialogCancel when CancelError is set,
    // else 0 with FileName empty. The other settings are left as they were.
    int32_t ShowOpen();
    int32_t ShowSave();
};

FileDialogState& FileSaveLoad();

// The name with "." and the default extension appended unless it already
// ends in them, compared without regard to letter case ("map" and "map.txt"
// become "map.cgm" and "map.txt.cgm"; "map.CGM" stays). An empty extension
// changes nothing.
std::string WithDefaultExtension(std::string_view name, std::string_view defaultExt);

}  // namespace tlrx
