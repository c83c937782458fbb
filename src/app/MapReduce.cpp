#include "app/MapReduce.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "core/DesignState.h"
#include "core/Errors.h"
#include "plot/PlotState.h"

namespace tlrx {

namespace {
constexpr int kLowestPercent = 10;
constexpr int kFullPercent = 100;
}  // namespace

MapReduce::MapReduce(QWidget* parent) : DialogBase(parent, "MapReduce", HelpContextID) {
    setWindowTitle(QStringLiteral("Select Map Size"));
    Label1 = new QLabel(QStringLiteral("Percent Full Screen:"), this);
    MapReduction = new QSpinBox(this);
    MapReduction->setRange(kLowestPercent, kFullPercent);
    Label1->setBuddy(MapReduction);
    Label2 = new QLabel(this);
    Label2->setWordWrap(true);
    Label2->setMinimumWidth(360);
    QBoxLayout* buttons = AddButtonRow(DrawMap, Cancel, QStringLiteral("Draw Map"));

    auto* percent = new QHBoxLayout;
    percent->addWidget(Label1);
    percent->addWidget(MapReduction);
    percent->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(percent);
    layout->addWidget(Label2);
    layout->addLayout(buttons);

    connect(DrawMap, &QPushButton::clicked, this, &MapReduce::DrawMap_Click);
    connect(Cancel, &QPushButton::clicked, this, &MapReduce::Cancel_Click);

    FinishControls();
    Form_Load();
}

void MapReduce::Form_Load() {
    BeginEdit();

    Label2->setText(QStringLiteral(
        "The Percent Full Screen spin button allows you to reduce the size of the map displayed on the screen."
        "\n\nSelecting 100 Percent Full Screen plots the largest possible map on the screen."
        "\n\nSelecting less than 100 Percent Full Screen draws a map with empty margins around all sides of "
        "the map.  The margins allow text to be added to the map without writing over the map itself."));
    adjustSize();
    CenterOnScreen();

    // The nearest whole percent; the spin button keeps it within its range.
    const double percent = RoundHalfEven(Plot().MapFillFraction * 100);
    MapReduction->setValue(std::isfinite(percent) ? static_cast<int>(std::clamp(percent, 0.0, double(kFullPercent)))
                                                  : kFullPercent);
}

void MapReduce::DrawMap_Click() {
    Plot().MapFillFraction = MapReduction->value() / 100.0;
    AcceptEdit();
}

void MapReduce::Cancel_Click() { reject(); }

}  // namespace tlrx
