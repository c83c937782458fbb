#include "dialogs/common/KeyPreview.h"

#include <QKeyEvent>
#include <QObject>
#include <QWidget>

namespace tlrx {

namespace {

class KeyUpFilter : public QObject {
public:
    KeyUpFilter(QObject* parent, std::function<void(int)> keyUp) : QObject(parent), keyUp_(std::move(keyUp)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyRelease) return QObject::eventFilter(watched, event);
        const int key = static_cast<QKeyEvent*>(event)->key();
        keyUp_(key);
        return key == Qt::Key_F1;
    }

private:
    std::function<void(int)> keyUp_;
};

}  // namespace

void PreviewKeyUps(QWidget& window, std::function<void(int key)> keyUp) {
    auto* filter = new KeyUpFilter(&window, std::move(keyUp));
    window.installEventFilter(filter);
    for (QWidget* control : window.findChildren<QWidget*>()) control->installEventFilter(filter);
}

}  // namespace tlrx
