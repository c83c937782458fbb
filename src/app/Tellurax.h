#pragma once
// The main window: its caption names the program and the projection of the
// design.

#include <QMainWindow>

namespace tlrx {

class Tellurax : public QMainWindow {
    Q_OBJECT
public:
    explicit Tellurax(QWidget* parent = nullptr);

    // Start-up: the program folder, the default design and the caption.
    void Form_Load();

    // "Tellurax: <projection name> projection".
    static QString ProjectionCaption();
};

}  // namespace tlrx
