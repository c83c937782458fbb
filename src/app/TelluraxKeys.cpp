// The main window's keys: Esc, the text placement keys and F1.

#include <QAction>
#include <algorithm>
#include <cstdio>

#include "app/RuntimeText.h"
#include "app/Tellurax.h"
#include "core/DesignState.h"
#include "core/Errors.h"
#include "platform/Help.h"
#include "platform/MessageBox.h"
#include "plot/PlotState.h"
#include "plot/StopRun.h"

namespace tlrx {

namespace {

// "Tellurax:  x = 01440   y = 00720": the placement point in twips.
std::string PointCaption(int32_t x, int32_t y) {
    char text[64];
    std::snprintf(text, sizeof text, "Tellurax:  x = %05d   y = %05d", static_cast<int>(x), static_cast<int>(y));
    return text;
}

}  // namespace

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
        if (!placing) return;
        d.TextFirstMove = false;
        if (d.TextErased) TextCursor();
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
        if (!placing) return;
        if (!d.TextErased) {
            TextPrint();
            TextCursor();
            CrossShown = true;
        }
        if (!d.TextFirstMove) {
            TextCursor();
            CrossShown = false;
        } else {
            d.TextFirstMove = false;
        }
        if (keyCode == Qt::Key_Right) TextX = std::min(TextX + d.TextStep, ToInt32(ScaleWidth()));
        else if (keyCode == Qt::Key_Left) TextX = std::max(TextX - d.TextStep, 0);
        else if (keyCode == Qt::Key_Down) TextY = std::min(TextY + d.TextStep, ToInt32(ScaleHeight()));
        else TextY = std::max(TextY - d.TextStep, 0);
        TextCursor();
        CrossShown = true;
        SetCaption(PointCaption(TextX, TextY));
        return;

    case Qt::Key_1:
    case Qt::Key_2:
    case Qt::Key_3:
        // The main keyboard's digits only: a step of 1, 10 or 50 pixels.
        if (!placing || (modifiers & Qt::KeypadModifier)) return;
        d.TextStep = ToInt16((keyCode == Qt::Key_1 ? 1 : keyCode == Qt::Key_2 ? 10 : 50) * d.TwipsPerPixelY);
        return;

    default:
        return;
    }
}

void Tellurax::Form_KeyUp(int keyCode) {
    if (keyCode == Qt::Key_F1) HtmlHelp(Design().HelpFilePath, HelpCommand::HelpContext, HelpContextID);
}

}  // namespace tlrx
