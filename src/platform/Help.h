#pragma once
// Context help: every window asks for its help file with a command and a
// topic id. The program installs the desktop service, which opens the help
// file with the desktop's viewer; tests install a recording one that keeps
// every request.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tlrx {

enum class HelpCommand : uint32_t {
    DisplayToc = 1,     // the contents
    DisplayIndex = 2,   // the index
    HelpContext = 15,   // the topic whose id is the request's data
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

// Opens the help file with the desktop's viewer for its kind of file. When
// the file is missing or no viewer is installed it says that help is not
// installed (an information box). The viewer cannot be taken to a topic:
// every request opens the file.
class DesktopHelp : public HelpService {
public:
    void Show(const HelpRequest& request) override;
};

// Keeps every request, for tests.
class RecordingHelp : public HelpService {
public:
    void Show(const HelpRequest& request) override { requests.push_back(request); }
    std::vector<HelpRequest> requests;
};

// Installs a RecordingHelp for the lifetime of the object.
class ScopedRecordingHelp : public RecordingHelp {
public:
    ScopedRecordingHelp() { SetHelpService(this); }
    ~ScopedRecordingHelp() override { SetHelpService(nullptr); }
    ScopedRecordingHelp(const ScopedRecordingHelp&) = delete;
    ScopedRecordingHelp& operator=(const ScopedRecordingHelp&) = delete;
};

}  // namespace tlrx
