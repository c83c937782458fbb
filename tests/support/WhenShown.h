#pragma once
// Acting on a modal dialog once it is shown, for tests that open dialogs
// through the program's own modal calls.

#include <QApplication>
#include <QTimer>
#include <functional>
#include <memory>

namespace tlrx::test {

// Once a modal dialog of type Dialog is shown, runs act on it (which should
// close it). Gives up after a few seconds of waiting.
template <class Dialog>
void WhenShown(std::function<void(Dialog&)> act) {
    auto* timer = new QTimer;
    auto tries = std::make_shared<int>(0);
    QObject::connect(timer, &QTimer::timeout, [timer, tries, act = std::move(act)] {
        auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
        if (!dialog && ++*tries < 500) return;
        timer->stop();
        timer->deleteLater();
        if (dialog) act(*dialog);
    });
    timer->start(5);
}

}  // namespace tlrx::test
