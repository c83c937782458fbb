#pragma once
// The base of the dialogs' masked entry fields (angles, grouped digits, lengths):
// a QLineEdit with an input mask, where a typed character overwrites the
// place after the caret. A field that gets the focus as its dialog opens
// puts the caret at its first place, as Tab does, so that what is typed at
// once fills the field from its start; a click still places the caret where
// it lands.

#include <QLineEdit>

namespace tlrx {

class MaskedField : public QLineEdit {
    Q_OBJECT
public:
    explicit MaskedField(QWidget* parent) : QLineEdit(parent) {}

protected:
    void showEvent(QShowEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;

private:
    bool opening_ = false;  // shown and not yet focused since
};

}  // namespace tlrx
