#include "app/RuntimeText.h"

#include <cstdio>

namespace tlrx {

std::string NumberText(float value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.7G", static_cast<double>(value));
    return text;
}

std::string Str(float value) { return (value < 0 ? "" : " ") + NumberText(value); }

std::string SecondsText(float seconds) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", static_cast<double>(seconds));
    return text;
}

}  // namespace tlrx
