#include "support/RecordingDialogFields.h"

namespace tlrx {

void RecordingDialogFields::SetFocus(std::string_view form, std::string_view field) {
    log.push_back("focus " + std::string(form) + "." + std::string(field));
}

void RecordingDialogFields::SetText(std::string_view form, std::string_view field, std::string_view text) {
    log.push_back("text " + std::string(form) + "." + std::string(field) + "=" + std::string(text));
}

}  // namespace tlrx
