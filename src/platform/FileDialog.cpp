#include "platform/FileDialog.h"

namespace tlrx {

FileDialogState& FileSaveLoad() {
    static FileDialogState state;
    return state;
}

}  // namespace tlrx
