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
        Cancel = new QPushButton("Cancel", this);
        auto* layout = new QVBoxLayout(this);
        layout->addWidget(First);
        layout->addWidget(Second);
        layout->addWidget(OK);
        layout->addWidget(Cancel);
        SetCancelButton(Cancel);
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
    QPushButton* Cancel;
    using DialogBase::CenterOnScreen;
    using DialogBase::PlaceFrom;

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

TEST_F(DialogBaseTest, OkPutsTheFocusIntoTheFirstFailingField) {
    TwoFields dialog(log);
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    dialog.First->setFocus();
    dialog.Second->setText("bad");
    log.clear();
    EXPECT_FALSE(dialog.CheckAllFields());
    EXPECT_EQ(QApplication::focusWidget(), dialog.Second);
    // Moving the focus there checked the field it left no second time.
    EXPECT_EQ(log, (std::vector<std::string>{"First", "Second"}));
}

TEST_F(DialogBaseTest, OnlyAMoveToAnotherControlButCancelChecksTheFieldLeft) {
    TwoFields dialog(log);
    QWidget elsewhere;
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    dialog.First->setFocus();
    dialog.Cancel->setFocus(Qt::MouseFocusReason);
    EXPECT_TRUE(log.empty());
    dialog.First->setFocus();
    elsewhere.show();
    elsewhere.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&elsewhere));
    EXPECT_TRUE(log.empty());
    dialog.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    QTest::keyClick(dialog.First, Qt::Key_Tab);
    EXPECT_EQ(log, std::vector<std::string>{"First"});
}

TEST_F(DialogBaseTest, PlacesItselfByTheScreenOrByItsOpenerInTwips) {
    TwoFields dialog(log);
    dialog.resize(300, 200);
    dialog.CenterOnScreen();
    const QPoint centred = dialog.pos();
    dialog.CenterOnScreen(-780, 1500);  // 15 twips to the pixel
    EXPECT_EQ(dialog.pos(), centred + QPoint(-52, 100));
    QWidget opener;
    opener.move(40, 30);
    dialog.PlaceFrom(opener, 390, 390);
    EXPECT_EQ(dialog.pos(), QPoint(66, 56));
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
