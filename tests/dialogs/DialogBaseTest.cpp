#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QVBoxLayout>

#include "core/DesignState.h"
#include "dialogs/common/DialogBase.h"
#include "platform/Help.h"
#include "support/TestFixture.h"

namespace tlrx {
namespace {

// A dialog that edits one design text, with two checked fields.
class TwoFields : public DialogBase {
public:
    explicit TwoFields(std::vector<std::string>& log) : DialogBase(nullptr, "TwoFields", 500), log_(log) {
        First = new QLineEdit(this);
        Second = new QLineEdit(this);
        OK = new QPushButton("OK", this);
        auto* layout = new QVBoxLayout(this);
        layout->addWidget(First);
        layout->addWidget(Second);
        layout->addWidget(OK);
        SetFieldHelp(Second, 520);
        NameField("First", First);
        NameField("Second", Second);
        AddFieldCheck(First, [this] { return Check("First", First); });
        AddFieldCheck(Second, [this] { return Check("Second", Second); });
        connect(OK, &QPushButton::clicked, this, [this] {
            if (!CheckAllFields()) return;
            Design().CurrentText = First->text().toStdString();
            AcceptEdit();
        });
        FinishControls();
        BeginEdit();
    }

    QLineEdit* First;
    QLineEdit* Second;
    QPushButton* OK;

protected:
    void SaveCopy() override { saved_ = Design().CurrentText; }
    void RestoreCopy() override { Design().CurrentText = saved_; }

private:
    bool Check(const char* name, QLineEdit* field) {
        log_.push_back(name);
        return field->text() != "bad";
    }
    std::vector<std::string>& log_;
    std::string saved_;
};

class DialogBaseTest : public test::TlrxTest {
protected:
    DialogBaseTest() : TlrxTest(std::filesystem::path(TLRX_TEST_OUT_DIR) / "dialog-files") {}
    std::vector<std::string> log;
};

TEST_F(DialogBaseTest, F1AsksForTheFocusedFieldsTopicElseTheDialogs) {
    TwoFields dialog(log);
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    dialog.First->setFocus();
    QTest::keyClick(dialog.First, Qt::Key_F1);
    dialog.Second->setFocus();
    QTest::keyClick(dialog.Second, Qt::Key_F1);
    ASSERT_EQ(help.requests.size(), 2u);
    EXPECT_EQ(help.requests[0].data, 500u);
    EXPECT_EQ(help.requests[1].data, 520u);
}

TEST_F(DialogBaseTest, LeavingAFieldChecksItAndOkChecksEveryFieldInOrder) {
    TwoFields dialog(log);
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    dialog.First->setFocus();
    dialog.Second->setFocus();  // First is left
    EXPECT_EQ(log, std::vector<std::string>{"First"});

    log.clear();
    dialog.First->setText("bad");
    EXPECT_FALSE(dialog.CheckAllFields());
    EXPECT_EQ(log, std::vector<std::string>{"First"});  // stops at the first failure

    log.clear();
    dialog.First->setText("good");
    EXPECT_TRUE(dialog.CheckAllFields());
    EXPECT_EQ(log, (std::vector<std::string>{"First", "Second"}));
}

TEST_F(DialogBaseTest, CancelRestoresTheCopyAndOkKeepsTheEdit) {
    Design().CurrentText = "before";
    {
        TwoFields dialog(log);
        EXPECT_TRUE(Design().DialogCancelled);
        Design().CurrentText = "changed while open";
        dialog.reject();
        EXPECT_EQ(Design().CurrentText, "before");
        EXPECT_TRUE(Design().DialogCancelled);
    }
    {
        TwoFields dialog(log);
        dialog.Second->setText("bad");
        dialog.OK->click();  // a failed check keeps the dialog open and the flag set
        EXPECT_TRUE(Design().DialogCancelled);
        dialog.Second->setText("");
        dialog.First->setText("after");
        dialog.OK->click();
        EXPECT_FALSE(Design().DialogCancelled);
        EXPECT_EQ(Design().CurrentText, "after");
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
    }
}

TEST_F(DialogBaseTest, ComputationsReachTheOpenDialogsNamedFieldsOnly) {
    ASSERT_EQ(OpenDialogFields(), nullptr);
    {
        TwoFields dialog(log);
        dialog.show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
        ASSERT_EQ(OpenDialogFields(), &dialog);
        OpenDialogFields()->SetText("TwoFields", "Second", "from a check");
        OpenDialogFields()->SetText("OtherForm", "First", "not here");
        OpenDialogFields()->SetText("TwoFields", "NoSuchField", "nowhere");
        OpenDialogFields()->SetFocus("TwoFields", "Second");
        EXPECT_EQ(dialog.Second->text(), "from a check");
        EXPECT_EQ(dialog.First->text(), "");
        EXPECT_EQ(QApplication::focusWidget(), dialog.Second);
        dialog.reject();
        EXPECT_EQ(OpenDialogFields(), nullptr);
    }
    EXPECT_EQ(OpenDialogFields(), nullptr);
}

}  // namespace
}  // namespace tlrx
