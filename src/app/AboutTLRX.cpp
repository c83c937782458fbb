#include "app/AboutTLRX.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <cstdio>

#ifndef TLRX_VERSION_MAJOR
#define TLRX_VERSION_MAJOR 3
#endif
#ifndef TLRX_VERSION_MINOR
#define TLRX_VERSION_MINOR 1
#endif
#ifndef TLRX_VERSION_REVISION
#define TLRX_VERSION_REVISION 0
#endif

namespace tlrx {

std::string AboutVersionLine(int major, int minor, int revision) {
    char text[64];
    std::snprintf(text, sizeof text, "Tellurax Version %d.%02d.%03d", major, minor, revision);
    return text;
}

AboutTLRX::AboutTLRX(QWidget* parent) : DialogBase(parent, "AboutTLRX", HelpContextID) {
    setWindowTitle(QStringLiteral("About Tellurax"));
    lblAbout = new QLabel(this);
    lblAbout->setAlignment(Qt::AlignCenter);
    OK = new QPushButton(QStringLiteral("OK"), this);
    OK->setDefault(true);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(OK);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblAbout);
    layout->addLayout(buttons);

    connect(OK, &QPushButton::clicked, this, &AboutTLRX::OK_Click);

    FinishControls();
    Form_Load();
}

void AboutTLRX::Form_Load() {
    lblAbout->setText(
        QString::fromStdString(AboutVersionLine(TLRX_VERSION_MAJOR, TLRX_VERSION_MINOR, TLRX_VERSION_REVISION)));
    adjustSize();
    CenterOnScreen();
}

void AboutTLRX::OK_Click() { accept(); }

}  // namespace tlrx
