// The main window's keys: Esc, the text placement keys and F1.

#include <QAction>
#include <algorithm>

#include "app/RuntimeText.h"
#include "app/Tellurax.h"
#include "core/DesignState.h"
#include "core/Errors.h"
#include "platform/Help.h"
#include "platform/MessageBox.h"
#include "plot/PlotState.h"
#include "plot/StopRun.h"

namespace tlrx {

void Tellurax::Form_KeyDown(int keyCode, Qt::KeyboardModifiers modifiers) {
    DesignState& d = Design();
    PlotState& p = Plot();
    const bool placing = !d.CurrentText.empty();

    switch (keyCode) {
    case Qt::Key_Escape:
        if (p.Printing && Spooling) {
            p.PrintAbort = true;
            return;
        }
        p.OutAscii = p.OutCgm = p.OutDxf = p.OutWmf = p.OutGc = p.OutSc = false;
        if (CrossShown) {
            CrossShown = false;
            TextCursor();
        }
        if (placing) {
            TextDone();
            return;
        }
        if (Plotting || p.Printing) {
            // Files closed, the partial export deleted, "Escape" for the
            // pass under way, the vector writers reset, the WMF recording
            // dropped.
            StopRun();
            Plotting = false;
            if (p.Printing) p.PrintAbort = true;
        }
        return;

    case Qt::Key_Space:
        // Swaps the cross and the preview. The cross is erased only when it
        // is on screen: before any move, or after a click took the preview
        // away, there is none.
        if (!placing) return;
        d.TextFirstMove = false;
        if (d.TextErased && CrossShown) TextCursor();
        TextPrint();
        if (d.TextErased) {
            TextCursor();
            CrossShown = true;
        } else {
            CrossShown = false;
        }
        return;

    case Qt::Key_Right:
    case Qt::Key_Left:
    case Qt::Key_Down:
    case Qt::Key_Up:
        // The preview or the cross leaves the old point, the cross shows
        // the new one.
        if (!placing) return;
        if (!d.TextErased) TextPrint();
        if (CrossShown) {
            TextCursor();
            CrossShown = false;
        }
        d.TextFirstMove = false;
        if (keyCode == Qt::Key_Right) TextX = std::min(TextX + d.TextStep, ToInt32(ScaleWidth()));
        else if (keyCode == Qt::Key_Left) TextX = std::max(TextX - d.TextStep, 0);
        else if (keyCode == Qt::Key_Down) TextY = std::min(TextY + d.TextStep, ToInt32(ScaleHeight()));
        else TextY = std::max(TextY - d.TextStep, 0);
        TextCursor();
        CrossShown = true;
        SetCaption(PlacementCaption(TextX, TextY));
        return;

    case Qt::Key_1:
    case Qt::Key_2:
    case Qt::Key_3:
        // The main keyboard's digits only: a step of 1, 10 or 50 pixels.
        if (!placing || (modifiers & Qt::KeypadModifier)) return;
        d.TextStep = ToInt16((keyCode == Qt::Key_1 ? 1 : keyCode == Qt::Key_2 ? 10 : 50) * d.TwipsPerPixelY);
        return;

    default: return;
    }
}

void Tellurax::Form_KeyUp(int keyCode) {
    if (keyCode == Qt::Key_F1) HtmlHelp(Design().HelpFilePath, HelpCommand::HelpContext, HelpContextID);
}

}  // namespace tlrx
