#include <algorithm>
#include <new>
#include <string>

#include "core/DesignState.h"
#include "core/Errors.h"
#include "designfile/CnfFile.h"
#include "designfile/CnfLayout.h"
#include "platform/ReplacingFile.h"
#include "plot/PlotState.h"

namespace tlrx {

bool CnfSave(DesignWindow& window) {
    DesignState& d = Design();
    PlotState& p = Plot();
    d.SavedCaption = window.Caption();
    window.SetCaption("Tellurax: printing configuration file");
    bool saved = false;
    try {
        p.AscFileName.resize(static_cast<size_t>(std::max(0, p.GridOutputCount + d.NumInputFiles)) + 1);
        SavedWindow w;
        w.ScreenWidthPx = d.ScreenWidthPx;
        w.ScreenHeightPx = d.ScreenHeightPx;
        w.TwipsPerPixelX = d.TwipsPerPixelX;
        w.TwipsPerPixelY = d.TwipsPerPixelY;
        w.WindowState = window.WindowState();
        w.Width = window.Width();
        w.Height = window.Height();
        w.Left = window.Left();
        w.Top = window.Top();
        w.ScaleWidth = window.ScaleWidth();
        w.ScaleHeight = window.ScaleHeight();
        // The window fit of a recall needs the drawing area's size.
        if (!(w.ScaleWidth > 0 && w.ScaleHeight > 0)) Raise("The map window has no drawing area to save");
        // Without a printer no orientation is known: 0 restores none.
        w.Orientation = p.PrnDlg ? p.PrnDlg->Settings.Orientation : int16_t{0};
        const std::string text = WriteCurrentVersion({d, p, w});
        if (const std::string failure = WriteFileReplacing(p.CnfFileName, text); !failure.empty()) Raise(failure);
        saved = true;
    } catch (const RuntimeError& e) {
        ShowProcError("CnfSave", e.what());
    } catch (const std::bad_alloc&) {
        ShowProcError("CnfSave", "Out of memory");
    }
    window.SetCaption(d.SavedCaption);
    return saved;
}

}  // namespace tlrx
