#pragma once
// Dialog field operations kept for tests.

#include <string>
#include <vector>

#include "core/DialogFields.h"

namespace tlrx {

// Records every operation ("focus LatLonBounds.LatN",
// "text LatLonBounds.LatS=90    00    00    S"), for tests.
class RecordingDialogFields : public DialogFields {
public:
    void SetFocus(std::string_view form, std::string_view field) override;
    void SetText(std::string_view form, std::string_view field, std::string_view text) override;
    std::vector<std::string> log;
};

}  // namespace tlrx
