// Placing a text item on the drawn map.

#include "app/Tellurax.h"
#include "core/DesignState.h"

namespace tlrx {

// Text placement draws nothing yet: the cross and the preview only change
// their flags, and ending a placement drops the text.
void Tellurax::TextCursor() {}

void Tellurax::TextPrint() { Design().TextErased = !Design().TextErased; }

void Tellurax::TextDone() { Design().CurrentText.clear(); }

}  // namespace tlrx
