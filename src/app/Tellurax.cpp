// The main window: the drawing area, the Host side, window events, the
// first activation and the caption's size display.

#include "app/Tellurax.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFont>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <functional>

#include "app/DrawingArea.h"
#include "app/FontList.h"
#include "app/RuntimeText.h"
#include "core/DesignState.h"
#include "core/Errors.h"
#include "dialogs/common/KeyPreview.h"
#include "platform/Help.h"
#include "platform/qt/HostFont.h"
#include "platform/qt/ImagePixels.h"
#include "platform/qt/WindowActivation.h"
#include "plot/PlotState.h"

namespace tlrx {

Tellurax::Tellurax(QWidget* parent) : QMainWindow(parent) {
    BuildMenus();
    area_ = new DrawingArea(this);
    setCentralWidget(area_);
    resize(800, 600);
    // The drawing area gets its size now, so that start-up can scale to it.
    layout()->activate();
    FitPicture();
    area_->setFocus();
    ConnectHandlers();
    PreviewKeyUps(*this, [this](int key) { Form_KeyUp(key); });
    // The keyboard comes back to the window when its dialogs close (owned by the window).
    new ModalActivation(*this);
    SetMainWindow(this);
    Form_Load();
}

Tellurax::~Tellurax() {
    PlotState& p = Plot();
    if (area_->IsDC(p.DrawDC)) p.DrawDC = nullptr;
    SetMainWindow(nullptr);
}

// ---- Host ----

float Tellurax::ScaleWidth() const { return static_cast<float>(area_->width()) * Design().TwipsPerPixelX; }

float Tellurax::ScaleHeight() const { return static_cast<float>(area_->height()) * Design().TwipsPerPixelY; }

std::string Tellurax::Caption() const { return windowTitle().toStdString(); }

void Tellurax::SetCaption(std::string_view caption) {
    setWindowTitle(QString::fromUtf8(caption.data(), static_cast<qsizetype>(caption.size())));
}

void Tellurax::Refresh() { area_->ShowDrawingAtScreenRate(); }

void Tellurax::Beep() { QApplication::beep(); }

float Tellurax::TextWidth(std::string_view text) const {
    // Measured on the picture, in whole pixels as a device context measures.
    return static_cast<float>(HostTextWidthPx(HostFont(*this), area_->Picture(), text)) * Design().TwipsPerPixelX;
}

bool Tellurax::GetTextMetrics(TextMetric& metric) const {
    HostTextMetrics(HostFont(*this), area_->Picture(), metric);
    return true;
}

Surface& Tellurax::DC() { return area_->DC(); }

int32_t Tellurax::ClientWidthPx() const { return area_->width(); }

int32_t Tellurax::ClientHeightPx() const { return area_->height(); }

int32_t Tellurax::ScreenBitDepth() const {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->depth() : 24;
}

bool Tellurax::GrabPixels(int32_t left, int32_t top, int32_t width, int32_t height, Bitmap& out) {
    // The area shows its picture: the pixels are the picture's.
    return CopyImagePixels(area_->Picture(), left, top, width, height, out);
}

void Tellurax::PutPixels(int32_t left, int32_t top, const Bitmap& pixels) { area_->PutPixels(left, top, pixels); }

// ---- Window events ----

bool Tellurax::event(QEvent* e) {
    if (e->type() == QEvent::WindowActivate) Form_Activate();
    const bool handled = QMainWindow::event(e);
    // The frame of the window is known only some time after it is shown (a
    // window manager adds it, and the window is moved or resized when it
    // does): the saved size waits for it.
    const QEvent::Type type = e->type();
    if (geometryPending_ && (type == QEvent::Show || type == QEvent::Move || type == QEvent::Resize))
        ApplySavedGeometry();
    return handled;
}

void Tellurax::showEvent(QShowEvent* e) {
    QMainWindow::showEvent(e);
    // A window shown where no window manager activates it still gets its
    // fonts.
    Form_Activate();
}

void Tellurax::closeEvent(QCloseEvent* e) {
    if (runActive_ || Plotting || Plot().Printing) {
        // The run ends first (a stop may already be under way); the window
        // closes once it has.
        closePending_ = true;
        if (Plotting || Plot().Printing) Form_KeyDown(Qt::Key_Escape);
        e->ignore();
        return;
    }
    Form_Unload();
    e->accept();
}

void Tellurax::changeEvent(QEvent* e) {
    QMainWindow::changeEvent(e);
    if (e->type() == QEvent::WindowStateChange) MeasureMaximisedArea();
}

void Tellurax::keyPressEvent(QKeyEvent* e) { Form_KeyDown(e->key(), e->modifiers()); }

// ---- First activation: fonts ----

void Tellurax::Form_Activate() {
    if (activated_) return;
    activated_ = true;
    DesignState& d = Design();
    d.FontNames = InstalledFontFamilies();
    FontName = DefaultFontFamily(d.FontNames);
    FontSize = 12;
    d.DefaultFontName = FontName;
    d.DefaultFontSize = static_cast<int32_t>(RoundHalfEven(FontSize));
    for (int slot = FontSlotText; slot <= FontSlotReport; ++slot) {
        const auto i = static_cast<size_t>(slot);
        d.FontSlotName[i] = d.DefaultFontName;
        d.FontSlotSize[i] = d.DefaultFontSize;
        d.FontSlotColor[i] = 0;  // black
        d.FontSlotBold[i] = d.FontSlotItalic[i] = d.FontSlotUnderline[i] = d.FontSlotStrikethru[i] = false;
    }
    d.RptFontName = d.DefaultFontName;
}

// ---- Size and caption ----

void Tellurax::Form_Resize() {
    // During a run the picture keeps the size the run scaled to.
    if (!Plotting) FitPicture();
    MeasureMaximisedArea();
    ToggleCaption();
}

void Tellurax::MeasureMaximisedArea() {
    if (!isMaximized() || isFullScreen() || !isVisible()) return;
    // The state can say maximised before the window has the screen's size
    // (while it is shown, or before the window manager has resized it): only
    // a window that fills the screen's free area is measured.
    const QScreen* shown = screen();
    if (!shown || frameGeometry().size() != shown->availableGeometry().size()) return;
    DesignState& d = Design();
    d.FullScreenWidthPx = area_->width();
    d.FullScreenHeightPx = area_->height();
}

void Tellurax::ToggleCaption() {
    const std::string caption = Caption();
    const size_t bar = caption.find('|');
    const std::string rest = bar == std::string::npos ? caption : caption.substr(bar + 1);
    if (!mnuDesign[kPixelSizeItem]->isChecked()) {
        SetCaption(rest);
        return;
    }
    const DesignState& d = Design();
    const float w = ScaleWidth() / d.TwipsPerPixelX;
    const float h = ScaleHeight() / d.TwipsPerPixelY;
    SetCaption(Str(w) + "," + Str(h) + " = x, y Pixels   |" + rest);
}

void Tellurax::Cls() {
    FitPicture();
    area_->Cls();
}

void Tellurax::FitPicture() {
    PlotState& p = Plot();
    const bool drawing = area_->IsDC(p.DrawDC);
    area_->FitPicture();
    if (drawing) p.DrawDC = &area_->DC();
}

}  // namespace tlrx
