#include "dialogs/geo/AngleRows.h"

#include <QFontDatabase>
#include <QLabel>
#include <QVBoxLayout>

#include "dialogs/common/DialogBase.h"

namespace tlrx {

AngleRows::AngleRows(DialogBase& dialog, std::string_view headingText) : dialog_(dialog), grid_(new QGridLayout) {
    // The headings stand over the groups of a longitude field, in its font.
    auto* headings =
        new QLabel(QString::fromUtf8(headingText.data(), static_cast<qsizetype>(headingText.size())), &dialog);
    headings->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    headings->setIndent(4);
    grid_->addWidget(headings, 0, 1);
}

void AngleRows::Add(std::string_view label, QWidget* field) {
    auto* text = new QLabel(QString::fromUtf8(label.data(), static_cast<qsizetype>(label.size())), &dialog_);
    text->setBuddy(field);
    grid_->addWidget(text, row_, 0);
    grid_->addWidget(field, row_, 1);
    ++row_;
}

void AngleRows::Finish(QPushButton*& ok, QPushButton*& cancel) {
    auto* hint = new QLabel(
        QStringLiteral("Move within a line using cursor keys or mouse.  Move between lines with TAB key or mouse."),
        &dialog_);
    hint->setWordWrap(true);
    QBoxLayout* buttons = dialog_.AddButtonRow(ok, cancel);
    auto* layout = new QVBoxLayout(&dialog_);
    layout->addLayout(grid_);
    layout->addWidget(hint);
    layout->addLayout(buttons);
}

}  // namespace tlrx
