#pragma once
// The degree/minute/second entry field of the geographic dialogs: a masked
// field with fixed four-blank gaps between its groups, and the check run
// when it is left.
//
// Kinds, masks (9 a digit place, A a letter place, upper-cased) and texts:
//   latitude           "99    99    99    A"   "37    47    00    N"  N or S, up to 90
//   longitude          "999    99    99    A"  "122    26    00    W" W or E, up to 180
//   latitude spacing   "999    99    99"       "030    00    00"      up to 180, not zero
//   longitude spacing  "999    99    99"                              up to 360, not zero
//   range              "999    99    99"       "180    00    00"      up to 180, not zero
//   radius             "999    99    99"       "015    00    00"      up to 180, zero allowed
// Text() is the text with its blanks, as the design state stores it; a place
// not filled in reads as a blank. PlainText() is the same without the
// literal blanks: latitude 7 characters (degrees 1-2, minutes 3-4, seconds
// 5-6, letter 7), longitude 8 (3 degree places), the others 7 (no letter).

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "dialogs/common/MaskedField.h"

namespace tlrx {

enum class AngleKind { Latitude, Longitude, LatSpacing, LonSpacing, Range, Radius };

// A rejected entry: the message and, when not empty, a title of its own in
// place of the field's.
struct FieldFault {
    std::string message;
    std::string title;
};

// The first of the checks every angle field makes, on the text without its
// blanks: the hemisphere letter, seconds and minutes up to 59, the degree
// limit, minutes or seconds beyond the limit, and a spacing or range of zero
// (whatever digits are typed). Empty when the text passes.
std::optional<std::string> CommonAngleFault(AngleKind kind, std::string_view plainText);

class AngleField : public MaskedField {
    Q_OBJECT
public:
    AngleField(AngleKind kind, QWidget* parent);

    AngleKind Kind() const { return kind_; }

    std::string Text() const;
    std::string PlainText() const;
    // Shows a text with its blanks (or without them).
    void SetText(std::string_view text);

    int Degrees() const;
    int Minutes() const;
    int Seconds() const;
    // The hemisphere letter, or a blank (spacing and range fields: always).
    char Hemisphere() const;
    // Degrees + minutes / 60 + seconds / 3600, negative for S and W.
    double Value() const;

    // What the check needs of the dialog: the title of its boxes ("Error: "
    // and the field's subject) and the design-state text that Cancel puts back.
    void SetCheck(std::string title, std::function<std::string()> restoreSource);
    // A rule run after the common checks, in the order added; it returns the
    // fault or nothing.
    void AddRule(std::function<std::optional<FieldFault>()> rule);

    // The first fault of the common checks and the rules, or nothing.
    std::optional<FieldFault> FirstFault() const;
    // The check when the field is left: the first fault shows a Retry/Cancel
    // box with the exclamation icon; Retry puts the focus back into the field
    // (its text stays as typed), Cancel puts the restore source back. True
    // when the field passes; the check never writes the design state.
    bool Check();

private:
    AngleKind kind_;
    std::string title_;
    std::function<std::string()> restoreSource_;
    std::vector<std::function<std::optional<FieldFault>()>> rules_;
};

}  // namespace tlrx
