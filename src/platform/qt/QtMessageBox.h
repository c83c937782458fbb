#pragma once

#include "platform/MessageBox.h"

namespace tlrx {

// The Qt implementation: a modal QMessageBox.
class QtMessageBox : public MessageBoxService {
public:
    MsgAnswer Show(const MessageBoxRecord& box) override;
};

}  // namespace tlrx
