#include "dialogs/common/DialogBase.h"

#include <QApplication>
#include <QEvent>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <QVariant>

#include "core/DesignState.h"
#include "dialogs/common/KeyPreview.h"
#include "dialogs/common/Placement.h"
#include "platform/Help.h"
#include "platform/ScreenMetrics.h"

namespace tlrx {

namespace {
// The dynamic property holding a control's own help topic.
constexpr char kHelpProperty[] = "tlrxHelpContextID";
}  // namespace

DialogBase::DialogBase(QWidget* parent, std::string_view formName, uint32_t helpContextId)
    : QDialog(parent), formName_(formName), helpContextId_(helpContextId) {
    setModal(true);
    previousFields_ = OpenDialogFields();
    SetOpenDialogFields(this);
}

DialogBase::~DialogBase() {
    if (OpenDialogFields() == this) SetOpenDialogFields(previousFields_);
}

void DialogBase::FinishControls() {
    PreviewKeyUps(*this, [this](int key) { Form_KeyUp(key); });
}

void DialogBase::Form_KeyUp(int keyCode) {
    if (keyCode == Qt::Key_F1) HtmlHelp(Design().HelpFilePath, HelpCommand::HelpContext, HelpTopicForFocus());
}

uint32_t DialogBase::HelpTopicForFocus() const {
    if (const QWidget* focus = focusWidget()) {
        const QVariant own = focus->property(kHelpProperty);
        if (own.isValid() && own.toUInt() != 0) return own.toUInt();
    }
    return helpContextId_;
}

void DialogBase::SetFieldHelp(QWidget* field, uint32_t helpContextId) {
    field->setProperty(kHelpProperty, helpContextId);
}

void DialogBase::NameField(std::string_view name, QLineEdit* field, std::function<void(std::string_view)> setText) {
    fields_.push_back({std::string(name), field, std::move(setText)});
}

const DialogBase::NamedField* DialogBase::FindField(std::string_view form, std::string_view field) const {
    if (form != formName_) return nullptr;
    for (const NamedField& f : fields_)
        if (f.name == field) return &f;
    return nullptr;
}

void DialogBase::SetFocus(std::string_view form, std::string_view field) {
    if (const NamedField* f = FindField(form, field)) f->field->setFocus(Qt::OtherFocusReason);
}

void DialogBase::SetText(std::string_view form, std::string_view field, std::string_view text) {
    const NamedField* f = FindField(form, field);
    if (!f) return;
    if (f->setText) f->setText(text);
    else f->field->setText(QString::fromStdString(std::string(text)));
}

QBoxLayout* DialogBase::AddButtonRow(QPushButton*& accept, QPushButton*& cancel, const QString& acceptCaption,
                                     ButtonRowStyle style) {
    accept = new QPushButton(acceptCaption, this);
    accept->setDefault(true);
    cancel = new QPushButton(QStringLiteral("Cancel"), this);
    SetCancelButton(cancel);
    if (style == ButtonRowStyle::Column) {
        auto* column = new QVBoxLayout;
        column->addWidget(accept);
        column->addWidget(cancel);
        return column;
    }
    auto* row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(accept);
    if (style == ButtonRowStyle::Spread) row->addStretch();
    row->addWidget(cancel);
    if (style == ButtonRowStyle::Spread) row->addStretch();
    return row;
}

void DialogBase::AddFieldCheck(QWidget* field, std::function<bool()> check) {
    checks_.push_back({field, std::move(check)});
    field->installEventFilter(this);
}

bool DialogBase::CheckAllFields() {
    // One box at most: moving the focus to the failing field runs no check
    // of the field it leaves.
    checking_ = true;
    for (const FieldCheck& c : checks_) {
        if (!c.check()) {
            c.field->setFocus(Qt::OtherFocusReason);
            checking_ = false;
            return false;
        }
    }
    checking_ = false;
    return true;
}

bool DialogBase::eventFilter(QObject* watched, QEvent* event) {
    // A field's check runs when the focus moves on to another control of the
    // dialog (the new focus widget is already set when the old one hears of
    // it), but not while a check's own message box takes the focus away, nor
    // once the dialog is closing.
    const QWidget* next = QApplication::focusWidget();
    if (event->type() == QEvent::FocusOut && !checking_ && isVisible() && next && next != watched &&
        next != cancelButton_ && isAncestorOf(next)) {
        for (const FieldCheck& c : checks_) {
            if (c.field != watched) continue;
            checking_ = true;
            c.check();
            checking_ = false;
            break;
        }
    }
    return QDialog::eventFilter(watched, event);
}

namespace {
QPoint TwipsToPixels(int xTwips, int yTwips) {
    const ScreenInfo& s = GetScreenInfo();
    return {static_cast<int>(xTwips / s.twipsPerPixelX), static_cast<int>(yTwips / s.twipsPerPixelY)};
}
}  // namespace

void DialogBase::CenterOnScreen(int rightTwips, int downTwips) {
    tlrx::CenterOnScreen(*this);
    if (rightTwips != 0 || downTwips != 0) move(pos() + TwipsToPixels(rightTwips, downTwips));
}

void DialogBase::PlaceAt(int leftTwips, int topTwips) { move(TwipsToPixels(leftTwips, topTwips)); }

void DialogBase::PlaceFrom(const QWidget& opener, int leftTwips, int topTwips) {
    move(opener.pos() + TwipsToPixels(leftTwips, topTwips));
}

void DialogBase::BeginEdit() {
    Design().DialogCancelled = true;
    SaveCopy();
    editing_ = true;
}

void DialogBase::AcceptEdit() {
    Design().DialogCancelled = false;
    accept();
}

void DialogBase::ChainReturned() {
    DesignState& d = Design();
    if (d.CloseDialogChain) {
        d.CloseDialogChain = false;
        AcceptEdit();
        return;
    }
    d.DialogCancelled = true;
}

void DialogBase::done(int result) {
    if (editing_ && Design().DialogCancelled) RestoreCopy();
    editing_ = false;
    if (OpenDialogFields() == this) SetOpenDialogFields(previousFields_);
    QDialog::done(result);
}

}  // namespace tlrx
