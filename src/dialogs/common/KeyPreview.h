#pragma once
// A window sees the key releases of its controls before they do, so that
// F1 asks for the window's help whatever control has the focus.

#include <functional>

class QWidget;

namespace tlrx {

// Calls keyUp with the Qt key of every key released in window or in any of
// its controls at the time of the call. F1 goes no further, so that it is
// handled once; other keys go on to the control as usual.
void PreviewKeyUps(QWidget& window, std::function<void(int key)> keyUp);

}  // namespace tlrx
