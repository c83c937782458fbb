#pragma once
// What a computation may do to the entry fields of the modal dialog that
// called it: move the keyboard focus to a field, or set a field's text.
// Forms and fields are named as the dialogs name them ("LatLonBounds",
// "LatN"). The open dialog registers itself; with none registered (start-up)
// the operations do nothing.

#include <string>
#include <string_view>

namespace tlrx {

class DialogFields {
public:
    virtual ~DialogFields() = default;
    virtual void SetFocus(std::string_view form, std::string_view field) = 0;
    virtual void SetText(std::string_view form, std::string_view field, std::string_view text) = 0;
};

// The fields of the dialog that is open, or nullptr.
DialogFields* OpenDialogFields();
void SetOpenDialogFields(DialogFields* fields);

}  // namespace tlrx
