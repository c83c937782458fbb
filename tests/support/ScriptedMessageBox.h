#pragma once
// Message boxes for tests.

#include <deque>
#include <vector>

#include "platform/MessageBox.h"

namespace tlrx {

// Answers from a queue (the first button when the queue is empty) and keeps
// a log of every box shown, for tests.
class ScriptedMessageBox : public MessageBoxService {
public:
    MsgAnswer Show(const MessageBoxRecord& box) override;

    std::deque<MsgAnswer> answers;
    std::vector<MessageBoxRecord> log;
};

// Installs a ScriptedMessageBox for the lifetime of the object.
class ScopedScriptedMessageBox : public ScriptedMessageBox {
public:
    ScopedScriptedMessageBox() { SetMessageBoxService(this); }
    ~ScopedScriptedMessageBox() override { SetMessageBoxService(nullptr); }
    ScopedScriptedMessageBox(const ScopedScriptedMessageBox&) = delete;
    ScopedScriptedMessageBox& operator=(const ScopedScriptedMessageBox&) = delete;
};

}  // namespace tlrx
