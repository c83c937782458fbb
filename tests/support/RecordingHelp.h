#pragma once
// Help requests kept for tests.

#include <vector>

#include "platform/Help.h"

namespace tlrx {

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
