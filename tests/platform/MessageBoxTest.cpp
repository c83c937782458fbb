#include <gtest/gtest.h>

#include "platform/MessageBox.h"
#include "support/ScriptedMessageBox.h"

namespace tlrx {
namespace {

TEST(MessageBox, ScriptedServiceAnswersFromItsQueueAndLogsEveryBox) {
    ScopedScriptedMessageBox boxes;
    boxes.answers = {MsgAnswer::Cancel};
    EXPECT_EQ(MsgBox("Bad value", "Error: North", MsgButtons::RetryCancel, MsgIcon::Exclamation),
              MsgAnswer::Cancel);
    // Queue empty: the first button.
    EXPECT_EQ(MsgBox("Again", "Error: North", MsgButtons::RetryCancel, MsgIcon::Exclamation),
              MsgAnswer::Retry);
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

}  // namespace
}  // namespace tlrx
