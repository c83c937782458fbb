#include "dialogs/content/VectorScale.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "core/DesignState.h"

namespace tlrx {

VectorScale::VectorScale(QWidget* opener) : DialogBase(opener, "VectorScale", HelpContextID), opener_(opener) {
    setWindowTitle(QStringLiteral("Scale Factor for Text in CGM & DXF Files"));
    QFont bold = font();
    bold.setBold(true);
    setFont(bold);
    Label1 = new QLabel(this);
    Label1->setWordWrap(true);
    Label1->setMinimumWidth(440);
    Label2 = new QLabel(QStringLiteral("Scale Factor (%):"), this);
    VecScale = new QSpinBox(this);
    VecScale->setRange(1, 300);
    VecScale->setSingleStep(1);
    QBoxLayout* buttons = AddButtonRow(OK, Cancel, QStringLiteral("OK"), ButtonRowStyle::Spread);

    auto* scale = new QHBoxLayout;
    scale->addStretch();
    scale->addWidget(Label2);
    scale->addWidget(VecScale);
    scale->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addLayout(scale);
    layout->addLayout(buttons);
    // The tab order: OK, Cancel, the spin box.
    setTabOrder(OK, Cancel);
    setTabOrder(Cancel, VecScale);

    connect(OK, &QPushButton::clicked, this, &VectorScale::OK_Click);
    connect(Cancel, &QPushButton::clicked, this, &VectorScale::Cancel_Click);
    FinishControls();
    Form_Load();
}

void VectorScale::Form_Load() {
    VecScale->setValue(Design().VectorTextScale);
    Label1->setText(QString::fromUtf8(
        "Text in CGM and DXF files exported from Tellurax, and viewed in other applications is often larger than "
        "the original text displayed by Tellurax.\n\n"
        "The Scale Factor spin button allows you to decrease (or increase) the length of text displayed by your "
        "application.\n\n"
        "To decrease the width of text displayed by your application, reduce the value of the spin button to less "
        "than 100%.\n\n"
        "To increase the width of text displayed by your application, increase the value of the spin button to more "
        "than 100%."));
    adjustSize();
    if (opener_) PlaceFrom(*opener_, 300, 450);
    else CenterOnScreen();
}

void VectorScale::OK_Click() {
    Design().VectorTextScale = static_cast<int16_t>(VecScale->value());
    accept();
}

void VectorScale::Cancel_Click() { reject(); }

}  // namespace tlrx
