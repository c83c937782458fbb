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
    int32_t kept = 0;
    for (int32_t i = 1; i <= d.NumTextItems && static_cast<size_t>(i) < d.TextItems.size(); ++i) {
        const auto from = static_cast<size_t>(i);
        if (d.TextItems[from].TextItemFromLabel) continue;
        const auto to = static_cast<size_t>(++kept);
        if (to != from) d.TextItems[to] = d.TextItems[from];
    }
    d.NumTextItems = kept;
    ResizeTextItems(kept);
}

}  // namespace tlrx
