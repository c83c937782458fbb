#include <gtest/gtest.h>

#include <QApplication>
#include <QFontMetrics>
#include <QLabel>
#include <QMainWindow>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <algorithm>

#include "platform/MessageBox.h"
#include "platform/qt/QtMessageBox.h"
#include "support/ScriptedMessageBox.h"
#include "support/WhenShown.h"

namespace tlrx {
namespace {

TEST(MessageBox, ScriptedServiceAnswersFromItsQueueAndLogsEveryBox) {
    ScopedScriptedMessageBox boxes;
    boxes.answers = {MsgAnswer::Cancel};
    EXPECT_EQ(MsgBox("Bad value", "Error: North", MsgButtons::RetryCancel, MsgIcon::Exclamation), MsgAnswer::Cancel);
    // Queue empty: the first button.
    EXPECT_EQ(MsgBox("Again", "Error: North", MsgButtons::RetryCancel, MsgIcon::Exclamation), MsgAnswer::Retry);
    EXPECT_EQ(MsgBox("Done", "Tellurax"), MsgAnswer::Ok);
    EXPECT_EQ(MsgBox("Overwrite?", "Save", MsgButtons::YesNo, MsgIcon::Question), MsgAnswer::Yes);
    ASSERT_EQ(boxes.log.size(), 4u);
    EXPECT_EQ(boxes.log[0].text, "Bad value");
    EXPECT_EQ(boxes.log[0].title, "Error: North");
    EXPECT_EQ(boxes.log[0].buttons, MsgButtons::RetryCancel);
    EXPECT_EQ(boxes.log[0].icon, MsgIcon::Exclamation);
    EXPECT_EQ(boxes.log[2].icon, MsgIcon::None);
}

TEST(MessageBox, WithoutAServiceTheFirstButtonAnswers) {
    SetMessageBoxService(nullptr);
    EXPECT_EQ(MsgBox("x", "y", MsgButtons::OkCancel), MsgAnswer::Ok);
    EXPECT_EQ(MsgBox("x", "y", MsgButtons::YesNoCancel), MsgAnswer::Yes);
}

TEST(MessageBox, TheRealBoxShowsEachLineOfItsMessageUnbrokenWithinTheScreen) {
    QtMessageBox real;
    struct Case {
        const char* name;
        std::string text;
        bool fits;  // every line fits the screen
    };
    const Case cases[] = {
        {"lines of about 75 characters",
         "In the northern hemisphere, the longitude difference between interrupted\n"
         "longitude #1 and the left (western) map boundary does not yield an integral\n"
         "number of divisions when divided by the GRID SPACING.",
         true},
        {"a line wider than the screen",
         [] {
             std::string line;
             for (int i = 0; i < 60; ++i) line += "longitude ";
             return line;
         }(),
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        int labelWidth = 0, boxWidth = 0, longest = 0, shownLines = 0;
        const auto lines = static_cast<int>(std::count(c.text.begin(), c.text.end(), '\n')) + 1;
        test::WhenShown<QMessageBox>([&](QMessageBox& box) {
            boxWidth = box.frameGeometry().width();
            if (const auto* label = box.findChild<QLabel*>(QStringLiteral("qt_msgbox_label"))) {
                const QFontMetrics metrics(label->font());
                for (const QString& line : box.text().split(QChar('\n')))
                    longest = std::max(longest, metrics.horizontalAdvance(line));
                labelWidth = label->contentsRect().width() - 2 * label->margin();
                shownLines = label->heightForWidth(label->width()) / metrics.lineSpacing();
            }
            box.button(QMessageBox::Ok)->click();
        });
        EXPECT_EQ(real.Show({c.text, "Error: Interrupted Mollweide", MsgButtons::Ok, MsgIcon::Exclamation}),
                  MsgAnswer::Ok);
        const int screen = QApplication::primaryScreen()->availableGeometry().width();
        ASSERT_GT(longest, 0) << "no text label";
        if (c.fits) {
            EXPECT_GE(labelWidth, longest);
            EXPECT_EQ(shownLines, lines);
        }
        EXPECT_LE(boxWidth, screen);
    }
}

// A box that comes while the program is in the background (no window of it
// active) stands over the program's main window, not on its own where the
// main window, raised later, would hide it.
TEST(MessageBox, TheRealBoxStandsOverTheMainWindowWhenNoWindowIsActive) {
    QMainWindow main;
    main.show();
    QApplication::setActiveWindow(nullptr);
    ASSERT_EQ(QApplication::activeWindow(), nullptr);
    const QWidget* owner = nullptr;
    test::WhenShown<QMessageBox>([&](QMessageBox& box) {
        owner = box.parentWidget();
        box.button(QMessageBox::Ok)->click();
    });
    QtMessageBox real;
    EXPECT_EQ(real.Show({"Map export complete.", "Tellurax", MsgButtons::Ok, MsgIcon::Information}), MsgAnswer::Ok);
    EXPECT_EQ(owner, &main);
}

}  // namespace
}  // namespace tlrx
