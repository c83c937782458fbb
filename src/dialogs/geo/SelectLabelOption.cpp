#include "dialogs/geo/SelectLabelOption.h"

#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/DesignState.h"
#include "plot/MapLabels.h"

namespace tlrx {

int16_t SelectLabelOption::LabelOptionChoice = SelectLabelOption::HideLabels;

SelectLabelOption::SelectLabelOption(QWidget* parent) : DialogBase(parent, "SelectLabelOption", HelpContextID) {
    setWindowTitle(QStringLiteral("Select Label Option"));
    LabelOption = new QListWidget(this);
    QBoxLayout* buttons = AddButtonRow(OK, Cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(LabelOption);
    layout->addLayout(buttons);

    connect(OK, &QPushButton::clicked, this, &SelectLabelOption::OK_Click);
    connect(Cancel, &QPushButton::clicked, this, &SelectLabelOption::Cancel_Click);
    FinishControls();
    Form_Load();
}

void SelectLabelOption::Form_Load() {
    for (const char* entry :
         {" Do not display labels", " Display labels", " Convert labels to text", " Erase labels converted to text"})
        LabelOption->addItem(QString::fromUtf8(entry));
    if (Design().DisplayLabels) LabelOptionChoice = ShowLabels;
    LabelOption->setCurrentRow(LabelOptionChoice);
    LabelOption->setMinimumHeight(LabelOption->sizeHintForRow(0) * 5);
    adjustSize();
    CenterOnScreen();
}

void SelectLabelOption::OK_Click() {
    const int row = LabelOption->currentRow();
    if (row < HideLabels || row > EraseConverted) return;
    LabelOptionChoice = static_cast<int16_t>(row);
    DesignState& d = Design();
    d.DisplayLabels = row == ShowLabels;
    if (row == ConvertLabels) LabelConvert();
    if (row == EraseConverted) EraseLabelTextItems();
    accept();
}

void SelectLabelOption::Cancel_Click() { reject(); }

void EraseLabelTextItems() {
    DesignState& d = Design();
    const auto move = [](auto& list, size_t to, size_t from) { list[to] = list[from]; };
    int32_t kept = 0;
    for (int32_t i = 1; i <= d.NumTextItems && static_cast<size_t>(i) < d.TextItemFromLabel.size(); ++i) {
        const auto from = static_cast<size_t>(i);
        if (d.TextItemFromLabel[from]) continue;
        const auto to = static_cast<size_t>(++kept);
        move(d.TextItemText, to, from);
        move(d.TextItemRotation, to, from);
        move(d.TextItemFontName, to, from);
        move(d.TextItemFontSize, to, from);
        move(d.TextItemColor, to, from);
        move(d.TextItemBold, to, from);
        move(d.TextItemItalic, to, from);
        move(d.TextItemUnderline, to, from);
        move(d.TextItemStrikethru, to, from);
        move(d.TextItemX, to, from);
        move(d.TextItemY, to, from);
        move(d.TextItemDescent, to, from);
        move(d.TextItemCharWidth, to, from);
        move(d.TextItemAscent, to, from);
        d.TextItemFromLabel[to] = false;
    }
    d.NumTextItems = kept;
    ResizeTextItems(kept);
}

}  // namespace tlrx
