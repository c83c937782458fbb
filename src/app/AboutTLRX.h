#pragma once
// "About Tellurax": the program's version with its major, minor and
// revision numbers.

#include <cstdint>
#include <string>
#include "dialogs/common/DialogBase.h"

class QLabel;
class QPushButton;

namespace tlrx {

// "Tellurax Version " with the major number, "." the minor number in at
// least two digits, "." and the revision in at least three: 3.01.000.
std::string AboutVersionLine(int major, int minor, int revision);

class AboutTLRX : public DialogBase {
    Q_OBJECT
public:
    static constexpr uint32_t HelpContextID = 3490;

    explicit AboutTLRX(QWidget* parent = nullptr);

    QLabel* lblAbout;
    QPushButton* OK;

    // Centres the box on the screen and shows the program's version line.
    void Form_Load();
    void OK_Click();
};

}  // namespace tlrx
