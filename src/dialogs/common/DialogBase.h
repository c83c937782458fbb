#pragma once
// What every modal dialog of the program shares:
//  - F1 opens the help topic of the field that has the focus, or else the
//    dialog's own, whatever control has the focus (the dialog previews the
//    key releases of its controls);
//  - placement: centred on the screen (optionally shifted), or at an offset
//    in twips from the window that opened it;
//  - the cancel protocol of the dialogs that edit the design: on load the
//    edited state is copied and DialogCancelled set; OK writes the state and
//    clears the flag; closing with the flag still set restores the copy;
//  - field checks run when the focus moves from a field to another control
//    of the dialog (not to its Cancel button, nor when the window loses the
//    focus), and all of them again, in order, when OK is pressed (Enter on
//    the default button and a click on OK come without a focus-out);
//  - the named fields through which computations reach the dialog while it
//    is open (DialogFields: focus a field, set its text);
//  - the closing buttons: the accept button (the default button) and Cancel.

#include <QDialog>
#include <QString>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/DialogFields.h"

class QBoxLayout;
class QLineEdit;
class QPushButton;

namespace tlrx {

// How the closing buttons stand in the layout AddButtonRow returns.
enum class ButtonRowStyle {
    Right,   // side by side at the right end of a row
    Spread,  // side by side, the row's spare room shared before, between and after them
    Column,  // one above the other; the dialog adds what follows them (more buttons, a stretch)
};

class DialogBase : public QDialog, public DialogFields {
    Q_OBJECT
public:
    // formName: the dialog's name as computations address it ("LatLonBounds");
    // helpContextId: the dialog's help topic.
    DialogBase(QWidget* parent, std::string_view formName, uint32_t helpContextId);
    ~DialogBase() override;

    const std::string& FormName() const { return formName_; }
    uint32_t HelpTopic() const { return helpContextId_; }

    // The help topic F1 opens: the focused control's own, when it has one,
    // else the dialog's.
    uint32_t HelpTopicForFocus() const;

    // Runs every field check in the order they were added; at the first that
    // fails the rest are not run, the focus goes into that field and the
    // result is false.
    bool CheckAllFields();

    // DialogFields, for the computations the dialog calls: only fields of
    // this form are reached; a name without a field does nothing.
    void SetFocus(std::string_view form, std::string_view field) override;
    void SetText(std::string_view form, std::string_view field, std::string_view text) override;

    // The key release handler; F1 asks for help. Dialogs with keys of their
    // own override it and call this for the rest.
    virtual void Form_KeyUp(int keyCode);

    // Creates the closing buttons, accept then Cancel (so that Cancel follows
    // accept in the tab order), and returns their layout for the dialog to
    // place: accept is the default button, captioned acceptCaption; Cancel,
    // captioned "Cancel", leaves the dialog without running the field checks
    // (SetCancelButton). The dialog connects their clicks.
    QBoxLayout* AddButtonRow(QPushButton*& accept, QPushButton*& cancel,
                             const QString& acceptCaption = QStringLiteral("OK"),
                             ButtonRowStyle style = ButtonRowStyle::Right);

protected:
    // Call once the controls exist: previews the key releases of every control.
    void FinishControls();

    // A field's own help topic.
    void SetFieldHelp(QWidget* field, uint32_t helpContextId);

    // A named field that computations may focus or fill; setText, when
    // given, fills it in place of the plain text (fields that store another
    // form of their text than they show).
    void NameField(std::string_view name, QLineEdit* field, std::function<void(std::string_view)> setText = {});

    // A check run when `field` loses the focus and again by CheckAllFields.
    // It shows its own message and returns false to keep the entry from
    // being accepted.
    void AddFieldCheck(QWidget* field, std::function<bool()> check);
    // Leaving a field for this button runs no check: the user is leaving
    // the dialog without its entries.
    void SetCancelButton(QWidget* button) { cancelButton_ = button; }

    // Centres the dialog on the screen, then moves it right and down by the
    // given twips (negative: left and up). Set the size first.
    void CenterOnScreen(int rightTwips = 0, int downTwips = 0);
    // Places the dialog's outer top-left corner at (left, top) twips on the screen.
    void PlaceAt(int leftTwips, int topTwips);
    // Places the dialog's outer top-left corner at (left, top) twips from the
    // outer top-left corner of the opener.
    void PlaceFrom(const QWidget& opener, int leftTwips, int topTwips);

    // The cancel protocol: sets DialogCancelled and keeps a copy of the
    // state the dialog edits through SaveCopy. Call from the dialog's load.
    void BeginEdit();
    // Clears DialogCancelled and closes the dialog as accepted (from OK).
    void AcceptEdit();
    // The first dialog of a chain, back from the next one: closes as accepted
    // when the chain was completed; otherwise the chain goes on and closing
    // now leaves the edit unfinished.
    void ChainReturned();
    virtual void SaveCopy() {}
    virtual void RestoreCopy() {}

    void done(int result) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct FieldCheck {
        QWidget* field;
        std::function<bool()> check;
    };
    struct NamedField {
        std::string name;
        QLineEdit* field;
        std::function<void(std::string_view)> setText;
    };
    const NamedField* FindField(std::string_view form, std::string_view field) const;

    std::string formName_;
    uint32_t helpContextId_;
    std::vector<FieldCheck> checks_;
    std::vector<NamedField> fields_;
    QWidget* cancelButton_ = nullptr;
    bool editing_ = false;
    bool checking_ = false;
    DialogFields* previousFields_ = nullptr;
};

}  // namespace tlrx
