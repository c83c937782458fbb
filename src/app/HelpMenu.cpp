// The Help menu: contents, index, the About box and the time of the last drawing.

#include <QAction>

#include "app/AboutTLRX.h"
#include "app/RuntimeText.h"
#include "app/Tellurax.h"
#include "core/DesignState.h"
#include "platform/Help.h"
#include "platform/MessageBox.h"
#include "plot/PlotState.h"

namespace tlrx {

void Tellurax::mnuAbout_Click(int16_t index) {
    const DesignState& d = Design();
    for (QAction* item : mnuAbout) item->setChecked(false);
    if (index >= 0 && static_cast<size_t>(index) < mnuAbout.size())
        mnuAbout[static_cast<size_t>(index)]->setChecked(true);

    switch (index) {
    case 0: HtmlHelp(d.HelpFilePath, HelpCommand::DisplayToc, 0); break;
    case 1: HtmlHelp(d.HelpFilePath, HelpCommand::DisplayIndex, 0); break;
    case 3: {
        AboutTLRX about;
        about.exec();
        break;
    }
    case 4:
        // No title of its own: the toolkit's, the program's name.
        MsgBox("Time to plot map:  " + SecondsText(Plot().PlotTime) + " seconds", "", MsgButtons::Ok,
               MsgIcon::Information);
        break;
    default: break;
    }
}

}  // namespace tlrx
