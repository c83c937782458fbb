#include "dialogs/pickers/Pickers.h"

namespace tlrx {

// Placeholders until the pickers exist: nothing is picked.
void ShowColors256(QWidget*, GeofeatureColorHost*) {}
void ShowFontDialog(QWidget*, TextFontHost*) {}

}  // namespace tlrx
