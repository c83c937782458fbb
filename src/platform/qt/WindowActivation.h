#pragma once
// Giving the keyboard back to the program's windows. A window manager
// activates windows asynchronously: when a modal window closes and the one
// that opened it closes right after (a chain of dialogs, a file dialog after
// its replace question), the activation can go to a window that is already
// gone, and no window has the keyboard until the user clicks one.

#include <QObject>
#include <QPointer>
#include <QTimer>

class QWidget;

namespace tlrx {

// Watches the application's modal windows (dialogs, message boxes, file and
// printer dialogs) for the main window it is given, which owns it. Once one
// has closed and the events queued by then are handled, and no window can
// take keys (none of the program's windows is active, or one that a modal
// window still open blocks), it activates the window the user goes back
// to: the modal window still open (the rest of a chain), else the nearest
// shown window that opened the closed one, else the main window. The
// request is repeated for a short while, until that has happened (the
// window manager may drop a request made while it is still busy with the
// closed windows, or activate the window under the one that closed).
class ModalActivation : public QObject {
public:
    explicit ModalActivation(QWidget& mainWindow);
    ~ModalActivation() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Check();
    QWidget* Target() const;

    QWidget& main_;
    QPointer<QWidget> opener_;  // the window that opened the modal window closed last
    QTimer timer_;
    int requests_ = 0;
};

// The window a message box or file dialog opened now stands over: the modal
// window open, else the active window, else the program's shown main window.
// A box opened while the program is in the background (a run that ends while
// the user is in another program) so stays above the program's window and
// is not lost behind it when the user comes back.
QWidget* DialogOwner();

// Makes window's top-level window the active window, when it is not, and
// waits for that for at most timeoutMs, handling no user input meanwhile
// (a key pressed then reaches the window afterwards). For a run that must
// hear Esc from its start. True when the window is active.
bool ActivateAndWait(QWidget& window, int timeoutMs = 1000);

}  // namespace tlrx
