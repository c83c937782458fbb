#include "support/ScriptedMessageBox.h"

namespace tlrx {

MsgAnswer ScriptedMessageBox::Show(const MessageBoxRecord& box) {
    log.push_back(box);
    if (answers.empty()) return FirstButton(box.buttons);
    MsgAnswer a = answers.front();
    answers.pop_front();
    return a;
}

}  // namespace tlrx
