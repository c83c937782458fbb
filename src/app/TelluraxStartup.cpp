// Start-up and shut-down of the main window, with its settings file.

#include <QAction>
#include <QCoreApplication>
#include <cmath>

#include "app/RuntimeText.h"
#include "app/Tellurax.h"
#include "app/WindowSettings.h"
#include "core/DesignState.h"
#include "core/Errors.h"
#include "core/ProjectionTable.h"
#include "platform/Printer.h"
#include "platform/ProfileFile.h"
#include "plot/PlotState.h"
#include "plot/PrinterMetrics.h"
#include "plot/Scaling.h"
#include "plot/export/WmfExport.h"

namespace tlrx {

namespace {

// The projection of the start-up design, set by StartupDesign.
constexpr int16_t kStartupProjection = ProjEquirectangular;

int ToPixels(double twips, float twipsPerPixel) { return static_cast<int>(RoundHalfEven(twips / twipsPerPixel)); }

// Screen size in twips.
double ScreenHeightTwips() { return Design().ScreenHeightPx * double(Design().TwipsPerPixelY); }
double ScreenWidthTwips() { return Design().ScreenWidthPx * double(Design().TwipsPerPixelX); }

}  // namespace

void Tellurax::Form_Load() {
    DesignState& d = Design();
    PlotState& p = Plot();
    ResetPlotState();  // the run state's start-up values, print layout included

    SetCaption(FindProjection(kStartupProjection)->caption);
    d.SavedCaption = Caption();

    std::string appDir = QCoreApplication::applicationDirPath().toStdString();
    const size_t last = appDir.find_last_not_of(' ');
    if (last == std::string::npos || appDir[last] != '/') appDir += '/';

    d.ProjMenuMax = static_cast<int16_t>(mnuProj.size() - 1);
    for (QAction* item : mnuDesign) item->setChecked(false);
    for (QAction* item : mnuInput) item->setChecked(false);
    for (QAction* item : mnuAbout) item->setChecked(false);
    CheckProjectionItem(ProjectionItem(kStartupProjection));

    // Input file 1, the start-up design, its graticule and projection, the
    // symbology of the default map; then the map fitted to the window.
    StartupDesign(appDir);
    d.HelpFilePath = d.AppDir + "Tlrx.chm";
    ScaleScreen();

    RestoreWindow();

    // Margins of one inch or two centimetres.
    if (IsPrintUnits(p.PrinterUnits)) {
        const float m = p.PrinterUnits == kTwipsPerInch ? 1.0f : 2.0f;
        d.RptMarginLeft = d.RptMarginRight = d.RptMarginTop = d.RptMarginBottom = m;
        p.PrnMapTop = p.PrnMapLeft = m;
    }

    // The printers are asked for only when first needed (SettlePrintLayout):
    // until then the layout keeps its width and takes the window's aspect as
    // it is now, which is also the aspect the page is later fitted with.
    layoutAspect_ = {ScaleWidth(), ScaleHeight()};
    printLayoutPending_ = true;
    FitPrintLayout(false);
}

void Tellurax::SettlePrintLayout() {
    if (!printLayoutPending_) return;
    printLayoutPending_ = false;
    // The printer component exists only while a printer is installed. A
    // printer the system cannot describe or measure leaves the layout
    // unfitted; the command that needs it reports the failure.
    bool measured = false;
    try {
        if (LookUpPrinters()) {
            GetPrnPageMetrics();
            measured = true;
        }
    } catch (const RuntimeError&) {
    }
    FitPrintLayout(measured);
}

void Tellurax::RestoreWindow() {
    const DesignState& d = Design();
    const SavedSettings s =
        ReadSavedSettings(SettingsFileToRead(d.AppDir, kSettingsFileName), ScreenHeightTwips(), ScreenWidthTwips());
    if (s.printerUnits) Plot().PrinterUnits = *s.printerUnits;
    if (s.maximized) {
        setWindowState(Qt::WindowMaximized);
        return;
    }
    setWindowState(Qt::WindowNoState);
    savedOuter_ = QRect(ToPixels(s.left, d.TwipsPerPixelX), ToPixels(s.top, d.TwipsPerPixelY),
                        ToPixels(s.width, d.TwipsPerPixelX), ToPixels(s.height, d.TwipsPerPixelY));
    // The saved size is the outer one, and the window's size is its inner
    // one: it takes the outer size until its frame is known, and the frame
    // is taken off then (ApplySavedGeometry). The place is the frame's.
    resize(savedOuter_.size());
    move(savedOuter_.topLeft());
    geometryPending_ = true;
}

void Tellurax::ApplySavedGeometry() {
    if (!geometryPending_) return;
    if (isMaximized() || isFullScreen()) {
        geometryPending_ = false;
        return;
    }
    const QSize frameExtra = frameGeometry().size() - geometry().size();
    if (frameExtra.width() <= 0 && frameExtra.height() <= 0) return;  // no frame yet
    geometryPending_ = false;
    resize(savedOuter_.size() - frameExtra);
    move(savedOuter_.topLeft());
}

QRect Tellurax::OuterGeometry() const {
    // Closed before its frame was taken off, the window still stands as the
    // settings file said.
    if (geometryPending_ && !isMaximized() && geometry().size() == savedOuter_.size())
        return QRect(frameGeometry().topLeft(), savedOuter_.size());
    return frameGeometry();
}

void Tellurax::FitPrintLayout(bool pageMeasured) {
    PlotState& p = Plot();
    const float ws = layoutAspect_.width();
    const float hs = layoutAspect_.height();
    if (ws <= 0 || hs <= 0) return;
    // Without a measured page the layout keeps its width; only the height
    // follows the window's aspect.
    if (!pageMeasured || p.PaperWidth <= 0 || p.PaperHeight <= 0) {
        p.PrnMapHeight = hs * p.PrnMapWidth / ws;
        return;
    }
    float width = p.PaperWidth - 2 * p.PrnMapLeft;
    if (width > p.PrnPrintableWidth) width = p.PrnPrintableWidth;
    float height = hs * width / ws;
    const float room = p.PaperHeight - 2 * p.PrnMapTop;
    if (room < height) {
        height = room;
        width = ws * height / hs;
    }
    // A page too small for the margins leaves the layout as it was.
    if (width <= 0 || height <= 0) {
        p.PrnMapHeight = hs * p.PrnMapWidth / ws;
        return;
    }
    p.PrnMapWidth = width;
    p.PrnMapHeight = height;
}

void Tellurax::Form_Unload() {
    const DesignState& d = Design();
    PlotState& p = Plot();
    p.PrinterUnits = KnownPrintUnits(p.PrinterUnits);

    const std::string path = SettingsFilePath(d.AppDir, kSettingsFileName);
    const QRect outer = OuterGeometry();
    const auto twipsX = [&d](int px) { return NumberText(static_cast<float>(px) * d.TwipsPerPixelX); };
    const auto twipsY = [&d](int px) { return NumberText(static_cast<float>(px) * d.TwipsPerPixelY); };
    const std::string values[] = {
        NumberText(p.PrinterUnits),
        NumberText(static_cast<float>(ScreenHeightTwips())) + " " + NumberText(static_cast<float>(ScreenWidthTwips())),
        twipsY(outer.height()) + " " + twipsX(outer.width()) + " " + twipsX(outer.x()) + " " + twipsY(outer.y()),
        isMaximized() ? "1" : "0",
    };
    const char* keys[] = {"PrinterUnits", "ScreenSize", "MainWindow", "WindowMaximized"};
    for (int i = 0; i < 4; ++i) {
        if (!WritePrivateProfileString(kSettingsSection, keys[i], values[i], path))
            ShowApiError("WritePrivateProfileString(" + std::to_string(i + 1) + ") error in Tellurax: Form_Unload");
    }

    if (WindowPicture.hBitmap) DeleteBmp(WindowPicture);
    DiscardMetafileAtShutDown();
    if (p.SymbolBrush != 0 && !(p.DrawDC && p.DrawDC->DeleteObject(p.SymbolBrush)))
        ShowApiError("DeleteObject(3) error in Tellurax: Form_Unload");
    if (p.DrawPen != 0 && !(p.DrawDC && p.DrawDC->DeleteObject(p.DrawPen)))
        ShowApiError("DeleteObject(4) error in Tellurax: Form_Unload");
}

}  // namespace tlrx
