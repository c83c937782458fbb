#include "platform/qt/WindowActivation.h"

#include <QApplication>
#include <QEvent>
#include <QEventLoop>
#include <QMainWindow>
#include <QWidget>
#include <QWindow>

namespace tlrx {

namespace {

// A request the window manager has not answered by then is made again.
constexpr int kRetryMs = 50;
// After a modal window closes: requests for about a second at most, so that
// a user who has gone on to another program is left there.
constexpr int kRequests = 20;

// A window of the program has the keyboard: the modal window open, if any
// (a window it blocks may be made active, yet takes no keys).
bool KeyboardSettled() {
    const QWidget* active = QApplication::activeWindow();
    if (!active || !active->isVisible()) return false;
    const QWidget* modal = QApplication::activeModalWidget();
    return !modal || active == modal;
}

void RequestActivation(QWidget& window) {
    // The offscreen platform has no stacking order (and warns of each raise).
    if (QGuiApplication::platformName() != QLatin1String("offscreen")) window.raise();
    window.activateWindow();
}

}  // namespace

QWidget* DialogOwner() {
    if (QWidget* modal = QApplication::activeModalWidget()) return modal;
    if (QWidget* active = QApplication::activeWindow()) return active;
    for (QWidget* window : QApplication::topLevelWidgets())
        if (window->isVisible() && qobject_cast<QMainWindow*>(window)) return window;
    return nullptr;
}

ModalActivation::ModalActivation(QWidget& mainWindow) : QObject(&mainWindow), main_(mainWindow) {
    timer_.setSingleShot(true);
    connect(&timer_, &QTimer::timeout, this, &ModalActivation::Check);
    QCoreApplication::instance()->installEventFilter(this);
}

ModalActivation::~ModalActivation() {
    if (QCoreApplication* app = QCoreApplication::instance()) app->removeEventFilter(this);
}

bool ModalActivation::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Hide && !event->spontaneous() && watched->isWidgetType()) {
        const auto* window = static_cast<QWidget*>(watched);
        if (window->isWindow() && window->isModal()) {
            opener_ = window->parentWidget() ? window->parentWidget()->window() : nullptr;
            requests_ = 0;
            // Once the closing is over: a chain's dialogs close one right
            // after the other without handling events in between.
            timer_.start(0);
        }
    }
    return QObject::eventFilter(watched, event);
}

QWidget* ModalActivation::Target() const {
    if (QWidget* modal = QApplication::activeModalWidget()) return modal;
    for (QWidget* w = opener_; w; w = w->parentWidget() ? w->parentWidget()->window() : nullptr)
        if (w->isVisible()) return w;
    return &main_;
}

void ModalActivation::Check() {
    if (KeyboardSettled() || !main_.isVisible() || requests_ >= kRequests) return;
    ++requests_;
    RequestActivation(*Target());
    timer_.start(kRetryMs);
}

bool ActivateAndWait(QWidget& widget, int timeoutMs) {
    QWidget* window = widget.window();
    const auto active = [window] { return QApplication::activeWindow() == window; };
    if (active()) return true;
    if (!window->isVisible()) return false;

    QEventLoop wait;
    QTimer retry;
    QTimer deadline;
    deadline.setSingleShot(true);
    QObject::connect(&deadline, &QTimer::timeout, &wait, &QEventLoop::quit);
    QObject::connect(&retry, &QTimer::timeout, [window] { RequestActivation(*window); });
    // QApplication has taken the new active window when this is emitted.
    QObject::connect(qGuiApp, &QGuiApplication::focusWindowChanged, &wait, [&wait, active] {
        if (active()) wait.quit();
    });
    RequestActivation(*window);
    retry.start(kRetryMs);
    deadline.start(timeoutMs);
    if (!active()) wait.exec(QEventLoop::ExcludeUserInputEvents);
    return active();
}

}  // namespace tlrx
