#pragma once
// The window's current font as the hosts measure it: the font of the Host's
// Font* fields, its text widths and metrics in whole pixels of a device, as
// a device context measures them.

#include <QFont>
#include <string_view>

#include "platform/Host.h"

class QPaintDevice;

namespace tlrx {

// The font of host's FontName, FontSize (points), bold, italic, underline
// and strikeout fields.
QFont HostFont(const Host& host);

// Width of text in font on device, in whole pixels.
int HostTextWidthPx(const QFont& font, const QPaintDevice& device, std::string_view text);

// Height, ascent, descent, leadings and character widths of font on device, in pixels.
void HostTextMetrics(const QFont& font, const QPaintDevice& device, TextMetric& metric);

}  // namespace tlrx
