#include "dialogs/geo/LineWidthScale.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "core/DesignState.h"

namespace tlrx {

LineWidthScale::LineWidthScale(QWidget* parent) : DialogBase(parent, "LineWidthScale", HelpContextID) {
    setWindowTitle(QStringLiteral("Line Width Scaling"));
    auto* frame = new QGroupBox(QStringLiteral("Type of scaling"), this);
    LineWidthPixels = new QRadioButton(QStringLiteral("No Scaling"), frame);
    LineWidthRelative = new QRadioButton(QStringLiteral("Relative Scaling (default)"), frame);
    auto* options = new QVBoxLayout(frame);
    options->addWidget(LineWidthPixels);
    options->addWidget(LineWidthRelative);
    Label1 = new QLabel(this);
    Label1->setWordWrap(true);
    Label1->setMinimumWidth(420);
    QBoxLayout* buttons = AddButtonRow(OK, Cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(frame);
    layout->addWidget(Label1);
    layout->addLayout(buttons);

    connect(OK, &QPushButton::clicked, this, &LineWidthScale::OK_Click);
    connect(Cancel, &QPushButton::clicked, this, &LineWidthScale::Cancel_Click);
    FinishControls();
    Form_Load();
}

void LineWidthScale::Form_Load() {
    const DesignState& d = Design();
    (d.LineWidthScaling ? LineWidthRelative : LineWidthPixels)->setChecked(true);
    loaded_ = d.LineWidthScaling;
    Label1->setText(QString::fromUtf8(
        "Line width scaling has no effect on the width of lines displayed on the screen.\n\n"
        "Line width scaling affects the width of lines on printed maps; and on maps exported as WMF, CGM, or DXF "
        "files.\n\n"
        "Relative scaling makes the width of lines proportional to the width of the map.  If you double the size "
        "of the printed map, the width of lines on the map also doubles.\n\n"
        "No scaling gives the narrowest possible lines on the exported map.  A line width increment of 1, "
        "corresponds to an increment of 1 pixel on the exported map."));
    adjustSize();
    CenterOnScreen(0, 105);
}

void LineWidthScale::OK_Click() {
    Design().LineWidthScaling = LineWidthRelative->isChecked();
    accept();
}

void LineWidthScale::Cancel_Click() {
    Design().LineWidthScaling = loaded_;
    reject();
}

}  // namespace tlrx
