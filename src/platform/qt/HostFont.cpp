#include "platform/qt/HostFont.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <QPaintDevice>
#include <algorithm>

namespace tlrx {

QFont HostFont(const Host& host) {
    QFont f(QString::fromStdString(host.FontName));
    if (host.FontSize > 0) f.setPointSizeF(host.FontSize);
    f.setBold(host.FontBold);
    f.setItalic(host.FontItalic);
    f.setUnderline(host.FontUnderline);
    f.setStrikeOut(host.FontStrikethru);
    return f;
}

int HostTextWidthPx(const QFont& font, const QPaintDevice& device, std::string_view text) {
    // QFontMetrics takes a non-const device but only reads its resolution.
    const QFontMetrics fm(font, const_cast<QPaintDevice*>(&device));
    return fm.horizontalAdvance(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
}

void HostTextMetrics(const QFont& font, const QPaintDevice& device, TextMetric& metric) {
    const QFontMetrics fm(font, const_cast<QPaintDevice*>(&device));
    metric.height = fm.height();
    metric.ascent = fm.ascent();
    metric.descent = fm.descent();
    metric.internalLeading = std::max(0, fm.height() - QFontInfo(font).pixelSize());
    metric.externalLeading = fm.leading();
    metric.aveCharWidth = fm.averageCharWidth();
    metric.maxCharWidth = fm.maxWidth();
}

}  // namespace tlrx
