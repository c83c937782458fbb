#pragma once

#include "platform/FileDialog.h"

namespace tlrx {

// The Qt implementation: a modal QFileDialog over the active window. A save
// dialog with a default extension gives the name its extension before it
// asks about replacing a file, so that the question is about the file that
// will be written. With no folder given it opens in the folder of its last
// choice.
class QtFileDialog : public FileDialogService {
public:
    FileDialogResult Show(const FileDialogRequest& request) override;

private:
    std::string lastDir_;
};

}  // namespace tlrx
