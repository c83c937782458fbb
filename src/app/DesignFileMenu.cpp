// The File menu's Save Map Design and Recall Map Design, and the main window
// as the design file sees it.

#include <QAction>
#include <algorithm>
#include <cctype>
#include <optional>
#include <string>

#include "app/Tellurax.h"
#include "core/DesignState.h"
#include "core/Errors.h"
#include "core/SharedRoutines.h"
#include "designfile/CnfFile.h"
#include "designfile/DesignWindow.h"
#include "dialogs/common/FileChoice.h"
#include "platform/FileDialog.h"
#include "platform/MessageBox.h"
#include "plot/PlotState.h"

namespace tlrx {

namespace {

// The settings of the design file dialogs.
constexpr const char* kDesignFilter = "Configuration (*.cnf)|*.cnf";
constexpr const char* kDesignExt = "cnf";

// The design file item's dialog, opening on the last design file. The
// chosen name; nothing after Cancel or a dialog error.
std::optional<std::string> ChooseDesignFile(bool save) {
    if (save)
        return ChooseFile({FileDialogKind::Save, Plot().CnfFileName, "Save Map Design", kDesignFilter, kDesignExt,
                           kFileDialogOverwritePrompt | kFileDialogHideReadOnly, " in Save Map Design"});
    return ChooseFile({FileDialogKind::Open, Plot().CnfFileName, "Recall Map Design", kDesignFilter, kDesignExt,
                       kFileDialogFileMustExist, " in Recall Map Design"});
}

// Whether the name ends in ".cnf", in any case.
bool HasDesignExtension(const std::string& name) {
    if (name.size() < 4) return false;
    std::string last = name.substr(name.size() - 4);
    std::transform(last.begin(), last.end(), last.begin(), [](unsigned char c) { return std::toupper(c); });
    return last == ".CNF";
}

}  // namespace

// The main window as the design file sees it.
class MainDesignWindow final : public DesignWindow {
public:
    explicit MainDesignWindow(Tellurax& window) : w_(window) {}

    std::string Caption() const override { return w_.Caption(); }
    void SetCaption(std::string_view caption) override { w_.SetCaption(caption); }
    int16_t WindowState() const override { return w_.isMinimized() ? 1 : w_.isMaximized() ? 2 : 0; }
    float Width() const override { return w_.frameGeometry().width() * Design().TwipsPerPixelX; }
    float Height() const override { return w_.frameGeometry().height() * Design().TwipsPerPixelY; }
    float Left() const override { return w_.frameGeometry().x() * Design().TwipsPerPixelX; }
    float Top() const override { return w_.frameGeometry().y() * Design().TwipsPerPixelY; }
    float ScaleWidth() const override { return w_.ScaleWidth(); }
    float ScaleHeight() const override { return w_.ScaleHeight(); }
    void Maximize() override { w_.setWindowState(Qt::WindowMaximized); }
    void Restore(float width, float height) override { w_.RestoreDesignWindow(width, height); }
    void MarkProjection(int16_t code) override { w_.CheckProjectionItem(w_.ProjectionItem(code)); }

private:
    Tellurax& w_;
};

void Tellurax::RestoreDesignWindow(float width, float height) {
    const DesignState& d = Design();
    // Never larger than the screen: the saved size fits it in pixels, but a
    // frame of another size may not.
    const auto pixels = [](float twips, float twipsPerPixel, int32_t screen) {
        return static_cast<int>(std::clamp(RoundHalfEven(twips / twipsPerPixel), 1.0, std::max(1.0, double(screen))));
    };
    setWindowState(Qt::WindowNoState);
    savedOuter_ = QRect(0, 0, pixels(width, d.TwipsPerPixelX, d.ScreenWidthPx),
                        pixels(height, d.TwipsPerPixelY, d.ScreenHeightPx));
    resize(savedOuter_.size());
    move(savedOuter_.topLeft());
    geometryPending_ = true;
    ApplySavedGeometry();
}

void Tellurax::SaveMapDesign() {
    SettlePrintLayout();  // the file keeps the print layout and the printer's orientation
    const std::optional<std::string> chosen = ChooseDesignFile(true);
    if (!chosen) return;
    Plot().CnfFileName = WithDefaultExtension(*chosen, kDesignExt);
    MainDesignWindow window(*this);
    CnfSave(window);
}

void Tellurax::RecallMapDesign() {
    SettlePrintLayout();  // a recalled layout is not fitted over later
    std::optional<std::string> chosen;
    for (;;) {
        chosen = ChooseDesignFile(false);
        if (!chosen) return;
        if (HasDesignExtension(*chosen)) break;
        MsgBox("File extension must be CNF", "File Extension Error", MsgButtons::Ok, MsgIcon::Exclamation);
    }
    Plot().CnfFileName = *chosen;
    MainDesignWindow window(*this);
    if (!CnfRead(window)) return;
    // A window maximised by the recall was measured before the recalled
    // design took the measurement's place.
    MeasureMaximisedArea();
    // The projection's boundary dialog starts from the recalled values.
    DesignState& d = Design();
    if (d.ProjCode >= 0 && static_cast<size_t>(d.ProjCode) < d.ProjDefined.size())
        d.ProjDefined[static_cast<size_t>(d.ProjCode)] = true;
}

}  // namespace tlrx
