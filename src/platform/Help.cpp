#include "platform/Help.h"

namespace tlrx {

namespace {
HelpService* g_help = nullptr;
}

void HtmlHelp(std::string_view helpFile, HelpCommand command, uint32_t data) {
    if (g_help) g_help->Show(HelpRequest{std::string(helpFile), command, data});
}

void SetHelpService(HelpService* service) { g_help = service; }

}  // namespace tlrx
