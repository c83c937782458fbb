#include "support/ScriptedFileDialog.h"

namespace tlrx {

FileDialogResult ScriptedFileDialog::Show(const FileDialogRequest& request) {
    log.push_back(request);
    if (choices.empty()) return {kFileDialogCancel, {}};
    const FileDialogChoice choice = choices.front();
    choices.pop_front();
    return {choice.error, choice.fileName};
}

}  // namespace tlrx
