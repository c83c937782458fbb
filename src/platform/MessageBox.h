#pragma once
// Message boxes: the one way the program talks to the user about errors and
// rejected entries. The program installs the Qt service; tests install a
// scripted one that answers from a queue and logs every box shown.

#include <deque>
#include <string>
#include <string_view>
#include <vector>

namespace tlrx {

enum class MsgButtons { Ok, OkCancel, RetryCancel, YesNo, YesNoCancel, AbortRetryIgnore };
enum class MsgIcon { None, Exclamation, Critical, Information, Question };
enum class MsgAnswer { Ok, Cancel, Retry, Yes, No, Abort, Ignore };

struct MessageBoxRecord {
    std::string text;
    std::string title;
    MsgButtons buttons = MsgButtons::Ok;
    MsgIcon icon = MsgIcon::None;
};

class MessageBoxService {
public:
    virtual ~MessageBoxService() = default;
    virtual MsgAnswer Show(const MessageBoxRecord& box) = 0;
};

// Shows a box through the installed service and returns the button pressed.
// With no service installed the box is written to stderr and answered with
// its first button.
MsgAnswer MsgBox(std::string_view text, std::string_view title, MsgButtons buttons = MsgButtons::Ok,
                 MsgIcon icon = MsgIcon::None);

// Installs the service used by MsgBox (nullptr restores the stderr default).
// The caller keeps ownership.
void SetMessageBoxService(MessageBoxService* service);

// The first button of a button set: the answer when nobody chooses.
MsgAnswer FirstButton(MsgButtons buttons);

}  // namespace tlrx
