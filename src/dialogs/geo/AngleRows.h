#pragma once
// The form the angle dialogs share: one row per value (its label, then its
// angle field or a label showing a text), the column headings "DDD", "MM",
// "SS", "H" (or the unit of the fields) over the fields, the hint on moving
// between fields below them, and OK (the default button) and Cancel.

#include <QGridLayout>
#include <string_view>

class QLabel;
class QPushButton;
class QWidget;

namespace tlrx {

class DialogBase;

class AngleRows {
public:
    // Lays the rows out in dialog, under the headings of the fields' groups.
    explicit AngleRows(DialogBase& dialog, std::string_view headings = "DDD    MM    SS    H");

    // The next row: its label and its field (an AngleField, or a QLabel).
    void Add(std::string_view label, QWidget* field);
    // Finishes the form with the hint and the dialog's button row, which it creates.
    void Finish(QPushButton*& ok, QPushButton*& cancel);

private:
    DialogBase& dialog_;
    QGridLayout* grid_;
    int row_ = 1;
};

}  // namespace tlrx
