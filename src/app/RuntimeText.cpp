#include "app/RuntimeText.h"

#include <cmath>
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

namespace {
// A whole number with at least five digits, the sign before them: "01440", "-00015".
std::string FiveDigits(double value) {
    const double v = std::nearbyint(value);
    char text[40];
    std::snprintf(text, sizeof text, "%s%05.0f", v < 0 ? "-" : "", std::fabs(v));
    return text;
}
}  // namespace

std::string PlacementCaption(double x, double y) {
    return "Tellurax:  x = " + FiveDigits(x) + "   y = " + FiveDigits(y);
}

}  // namespace tlrx
