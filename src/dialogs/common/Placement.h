#pragma once
// Where windows place themselves.

class QWidget;

namespace tlrx {

// Moves window to the middle of the primary screen, at its current size
// (set the size first).
void CenterOnScreen(QWidget& window);

}  // namespace tlrx
