#include <QApplication>
#include <QFontMetricsF>
#include <QLabel>
#include <QLayout>
#include <QMessageBox>
#include <QScreen>
#include <QString>
#include <algorithm>
#include <cmath>

#include "platform/qt/QtMessageBox.h"
#include "platform/qt/WindowActivation.h"

namespace tlrx {

namespace {

// QLabel breaks lines on LF only: turn CR LF and lone CR into LF.
QString DisplayText(const std::string& text) {
    QString s = QString::fromStdString(text);
    s.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    s.replace(QChar('\r'), QChar('\n'));
    return s;
}

QMessageBox::Icon QtIcon(MsgIcon icon) {
    switch (icon) {
    case MsgIcon::Exclamation: return QMessageBox::Warning;
    case MsgIcon::Critical: return QMessageBox::Critical;
    case MsgIcon::Information: return QMessageBox::Information;
    case MsgIcon::Question: return QMessageBox::Question;
    case MsgIcon::None: break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons QtButtons(MsgButtons buttons) {
    switch (buttons) {
    case MsgButtons::Ok: return QMessageBox::Ok;
    case MsgButtons::OkCancel: return QMessageBox::Ok | QMessageBox::Cancel;
    case MsgButtons::RetryCancel: return QMessageBox::Retry | QMessageBox::Cancel;
    case MsgButtons::YesNo: return QMessageBox::Yes | QMessageBox::No;
    case MsgButtons::YesNoCancel: return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case MsgButtons::AbortRetryIgnore: return QMessageBox::Abort | QMessageBox::Retry | QMessageBox::Ignore;
    }
    return QMessageBox::Ok;
}

// QMessageBox wraps a text wider than a width of its own choosing, breaking
// the message's own lines into ragged pieces: the text label is made as wide
// as the longest line, as far as the box still fits on the screen.
void FitLongestLine(QMessageBox& box, const QString& text) {
    auto* label = box.findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
    if (!label) return;
    const QFontMetricsF metrics(label->font());
    qreal longest = 0;
    for (const QString& line : text.split(QChar('\n'))) longest = std::max(longest, metrics.horizontalAdvance(line));
    const QMargins margins = label->contentsMargins();
    const int wanted =
        static_cast<int>(std::ceil(longest)) + 1 + margins.left() + margins.right() + 2 * label->margin();
    label->setMinimumWidth(wanted);
    // The window frame, where the platform tells it before the box is shown.
    box.winId();
    const int frame = box.frameGeometry().width() - box.geometry().width();
    const int excess = box.layout()->totalMinimumSize().width() + frame - box.screen()->availableGeometry().width();
    if (excess > 0) label->setMinimumWidth(std::max(0, wanted - excess));
}

}  // namespace

MsgAnswer QtMessageBox::Show(const MessageBoxRecord& box) {
    QMessageBox mb(QtIcon(box.icon), QString::fromStdString(box.title), DisplayText(box.text), QtButtons(box.buttons),
                   DialogOwner());
    FitLongestLine(mb, mb.text());
    switch (mb.exec()) {
    case QMessageBox::Cancel: return MsgAnswer::Cancel;
    case QMessageBox::Retry: return MsgAnswer::Retry;
    case QMessageBox::Yes: return MsgAnswer::Yes;
    case QMessageBox::No: return MsgAnswer::No;
    case QMessageBox::Ok: return MsgAnswer::Ok;
    case QMessageBox::Abort: return MsgAnswer::Abort;
    case QMessageBox::Ignore: return MsgAnswer::Ignore;
    default: break;
    }
    // Closed with Esc or the window's close button.
    return box.buttons == MsgButtons::Ok ? MsgAnswer::Ok : MsgAnswer::Cancel;
}

}  // namespace tlrx
