#include "dialogs/common/FileChoice.h"

#include "core/SharedRoutines.h"
#include "platform/MessageBox.h"

namespace tlrx {

std::optional<std::string> ChooseFile(const FileChoice& choice) {
    FileDialogState& dlg = FileSaveLoad();
    dlg.CancelError = true;
    ParseFileName(choice.lastPath, true);
    dlg.DialogTitle = choice.title;
    dlg.Filter = choice.filter;
    dlg.FilterIndex = 1;
    dlg.DefaultExt = choice.defaultExt;
    dlg.Flags = choice.flags;
    const int32_t error = choice.kind == FileDialogKind::Save ? dlg.ShowSave() : dlg.ShowOpen();
    if (error == kFileDialogCancel) return std::nullopt;
    if (error != 0) {
        MsgBox("Error " + std::to_string(error) + choice.operation, "File Common Dialog Error", MsgButtons::Ok,
               MsgIcon::Exclamation);
        return std::nullopt;
    }
    return dlg.FileName;
}

}  // namespace tlrx
