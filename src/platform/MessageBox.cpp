#include "platform/MessageBox.h"

#include <cstdio>

namespace tlrx {

namespace {
MessageBoxService* g_service = nullptr;
}

MsgAnswer FirstButton(MsgButtons buttons) {
    switch (buttons) {
    case MsgButtons::Ok:
    case MsgButtons::OkCancel: return MsgAnswer::Ok;
    case MsgButtons::RetryCancel: return MsgAnswer::Retry;
    case MsgButtons::AbortRetryIgnore: return MsgAnswer::Abort;
    case MsgButtons::YesNo:
    case MsgButtons::YesNoCancel: return MsgAnswer::Yes;
    }
    return MsgAnswer::Ok;
}

MsgAnswer MsgBox(std::string_view text, std::string_view title, MsgButtons buttons, MsgIcon icon) {
    MessageBoxRecord box{std::string(text), std::string(title), buttons, icon};
    if (g_service) return g_service->Show(box);
    std::fprintf(stderr, "[%s] %s\n", box.title.c_str(), box.text.c_str());
    return FirstButton(buttons);
}

void SetMessageBoxService(MessageBoxService* service) { g_service = service; }

}  // namespace tlrx
