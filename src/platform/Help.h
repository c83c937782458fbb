#pragma once
// Context help: every window asks for its help file with a command and a
// topic id. The program installs the desktop service, which opens the help
// file with the desktop's viewer; tests install a recording one that keeps
// every request.

#include <cstdint>
#include <string>
#include <string_view>

namespace tlrx {

enum class HelpCommand : uint32_t {
    DisplayToc = 1,    // the contents
    DisplayIndex = 2,  // the index
    HelpContext = 15,  // the topic whose id is the request's data
};

struct HelpRequest {
    std::string file;
    HelpCommand command = HelpCommand::DisplayToc;
    uint32_t data = 0;  // topic id for HelpContext, else 0

    bool operator==(const HelpRequest&) const = default;
};

class HelpService {
public:
    virtual ~HelpService() = default;
    virtual void Show(const HelpRequest& request) = 0;
};

// Asks the installed service for help; with none installed nothing happens.
// The caller never learns the outcome.
void HtmlHelp(std::string_view helpFile, HelpCommand command, uint32_t data);

// Installs the service used by HtmlHelp (nullptr: none). The caller keeps
// ownership.
void SetHelpService(HelpService* service);

}  // namespace tlrx
