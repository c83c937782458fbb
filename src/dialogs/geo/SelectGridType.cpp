#include "dialogs/geo/SelectGridType.h"

#include <QFormLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QToolButton>
#include <QVBoxLayout>
#include <array>

#include "core/DesignState.h"
#include "dialogs/geo/DesignParts.h"
#include "plot/PlotState.h"

namespace tlrx {

namespace {

struct GridStyle {
    const char* text;
    int16_t outputs;  // graticule outputs of the ASCII export
};

constexpr std::array<GridStyle, 5> kStyles{{
    {" Outside boundary connected by lines, interior grid points shown", 2},
    {" Outside boundary connected by lines, no interior grid points shown", 1},
    {" All grid points connected by lines", 1},
    {" Grid points only, no lines connecting points", 1},
    {" No grid (the map will have no latitude or longitude markings)", 0},
}};

}  // namespace

SelectGridType::SelectGridType(QWidget* parent) : DialogBase(parent, "SelectGridType", HelpContextID) {
    setWindowTitle(QStringLiteral("Select Grid Parameters"));
    Grid = new QListWidget(this);
    GridWidthSpin = NumberSpin(1, 600, this);
    GridColor = new ColorBox(this, TargetGrid, &DesignState::GridColor);
    QBoxLayout* buttons = AddButtonRow(cmdOK, cmdCancel);

    SetFieldHelp(Grid, 3370);
    SetFieldHelp(GridWidthSpin, 3360);
    SetFieldHelp(GridColor->Picture, 2070);
    SetFieldHelp(GridColor->Spin, 2070);

    auto* fields = new QFormLayout;
    fields->addRow(QStringLiteral("Grid Line Width"), GridWidthSpin);
    fields->addRow(QStringLiteral("Grid Color"), GridColor);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Grid Type"), this));
    layout->addWidget(Grid);
    layout->addLayout(fields);
    layout->addLayout(buttons);
    Grid->setMinimumWidth(Grid->fontMetrics().horizontalAdvance(QString::fromUtf8(kStyles[1].text)) + 40);

    connect(cmdOK, &QPushButton::clicked, this, &SelectGridType::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &SelectGridType::cmdCancel_Click);
    FinishControls();
    Form_Load();
}

void SelectGridType::Form_Load() {
    const DesignState& d = Design();
    for (const GridStyle& s : kStyles) Grid->addItem(QString::fromUtf8(s.text));
    Grid->setFixedHeight(Grid->sizeHintForRow(0) * static_cast<int>(kStyles.size()) + 2 * Grid->frameWidth() + 4);
    // A type out of range selects nothing; OK then keeps the design's.
    Grid->setCurrentRow(d.GridType - 1);
    GridWidthSpin->setValue(PixelsOfTwips(d.GridLineWidth));
    GridColor->Fill(d.GridColor);
    adjustSize();
    CenterOnScreen();
}

void SelectGridType::cmdOK_Click() {
    DesignState& d = Design();
    const int row = Grid->currentRow();
    if (row >= 0 && row < static_cast<int>(kStyles.size())) {
        d.GridType = static_cast<int16_t>(row + 1);
        d.GridTypeText = kStyles[static_cast<size_t>(row)].text;
        Plot().GridOutputCount = kStyles[static_cast<size_t>(row)].outputs;
    }
    d.GridLineWidth = TwipsOfPixels(GridWidthSpin->value());
    accept();
}

void SelectGridType::cmdCancel_Click() { reject(); }

}  // namespace tlrx
