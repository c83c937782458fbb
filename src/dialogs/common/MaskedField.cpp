#include "dialogs/common/MaskedField.h"

#include <QFocusEvent>

namespace tlrx {

void MaskedField::showEvent(QShowEvent* event) {
    opening_ = true;
    QLineEdit::showEvent(event);
}

void MaskedField::focusInEvent(QFocusEvent* event) {
    // The focus an opening dialog gives leaves the caret where setting the
    // text put it: after the last place, where a full mask takes nothing.
    const bool first = opening_ && event->reason() != Qt::MouseFocusReason;
    opening_ = false;
    QLineEdit::focusInEvent(event);
    if (first) setCursorPosition(0);
}

}  // namespace tlrx
