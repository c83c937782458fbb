#include "core/Errors.h"

#include "core/DesignState.h"
#include "platform/MessageBox.h"

namespace tlrx {

void ShowProcError(std::string_view procedure, std::string_view description) {
    MsgBox("Error: " + std::string(description), "Error in " + std::string(procedure), MsgButtons::Ok,
           MsgIcon::Exclamation);
}

void ShowApiError(std::string_view message) {
    MsgBox(message, Design().ApiErrorTitle, MsgButtons::Ok, MsgIcon::Exclamation);
}

}  // namespace tlrx
