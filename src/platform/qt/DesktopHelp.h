#pragma once

#include "platform/Help.h"

namespace tlrx {

// Opens the help file with the desktop's viewer for its kind of file. When
// the file is missing or no viewer is installed it says that help is not
// installed (an information box). The viewer cannot be taken to a topic:
// every request opens the file.
class DesktopHelp : public HelpService {
public:
    void Show(const HelpRequest& request) override;
};

}  // namespace tlrx
