#include "dialogs/common/AngleField.h"

#include <QFontDatabase>

#include "core/AngleText.h"
#include "platform/MessageBox.h"

namespace tlrx {

namespace {

struct KindRules {
    const char* mask;  // Qt input mask, '_' shown in places not filled in
    int degreePlaces;
    std::string_view letters;  // the two hemisphere letters, or none
    int limit;                 // degrees
    std::string_view hemisphere;
    std::string_view seconds;
    std::string_view minutes;
    std::string_view degrees;
    std::string_view beyondLimit;  // the limit exceeded by minutes or seconds
    std::string_view zero;         // empty: zero is allowed
};

const KindRules& RulesOf(AngleKind kind) {
    static const KindRules kLatitude{"99    99    99    >A;_",
                                     2,
                                     "NS",
                                     90,
                                     "Hemisphere must be N or S",
                                     "Seconds must be <= 59",
                                     "Minutes must be <= 59",
                                     "Degrees must be <= 90",
                                     "Latitude cannot be > 90  00  00",
                                     {}};
    static const KindRules kLongitude{"999    99    99    >A;_",
                                      3,
                                      "WE",
                                      180,
                                      "Hemisphere must be W or E",
                                      "Seconds must be <= 59",
                                      "Minutes must be <= 59",
                                      "Degrees must be <= 180",
                                      "Longitude cannot be > 180  00  00",
                                      {}};
    static const KindRules kLatSpacing{"999    99    99;_",
                                       3,
                                       {},
                                       180,
                                       {},
                                       "Seconds must be <= 59",
                                       "Minutes must be <= 59",
                                       "Degrees must be <= 180",
                                       "Latitude cannot be > 180  00  00",
                                       "The DEGREES OF LATITUDE BETWEEN GRID MARKS must be greater than zero."};
    static const KindRules kLonSpacing{"999    99    99;_",
                                       3,
                                       {},
                                       360,
                                       {},
                                       "Seconds must be <= 59",
                                       "Minutes must be <= 59",
                                       "Degrees must be <= 360",
                                       "Longitude cannot be > 360  00  00",
                                       "The DEGREES OF LONGITUDE BETWEEN GRID MARKS must be greater than zero."};
    static const KindRules kRange{"999    99    99;_",
                                  3,
                                  {},
                                  180,
                                  {},
                                  "Seconds must be <= 59.",
                                  "Minutes must be <= 59.",
                                  "Degrees must be <= 180°.",
                                  "RANGE OF MAP IN DEGREES must be <= 180°.",
                                  "RANGE OF MAP IN DEGREES must be > 0°."};
    static const KindRules kRadius{"999    99    99;_",
                                   3,
                                   {},
                                   180,
                                   {},
                                   "Seconds must be <= 59",
                                   "Minutes must be <= 59",
                                   "Degrees must be <= 180",
                                   "Circle radius cannot be > 180  00  00",
                                   {}};
    switch (kind) {
    case AngleKind::Latitude: return kLatitude;
    case AngleKind::Longitude: return kLongitude;
    case AngleKind::LatSpacing: return kLatSpacing;
    case AngleKind::LonSpacing: return kLonSpacing;
    case AngleKind::Radius: return kRadius;
    case AngleKind::Range: break;
    }
    return kRange;
}

// Degrees, minutes, seconds and letter of a text without blanks.
struct Dms {
    int degrees, minutes, seconds;
    char letter;
};

Dms ReadPlain(AngleKind kind, std::string_view plain) {
    const int d = RulesOf(kind).degreePlaces;
    const auto at = [&](int pos, int len) { return static_cast<int>(DmsFieldValue(plain, pos, len)); };
    const bool lettered = !RulesOf(kind).letters.empty();
    const auto letterPos = static_cast<size_t>(d + 4);
    return {at(1, d), at(d + 1, 2), at(d + 3, 2), lettered && plain.size() > letterPos ? plain[letterPos] : ' '};
}

}  // namespace

std::optional<std::string> CommonAngleFault(AngleKind kind, std::string_view plainText) {
    const KindRules& r = RulesOf(kind);
    const Dms v = ReadPlain(kind, plainText);
    const auto fault = [](std::string_view text) { return std::optional<std::string>(text); };
    if (!r.letters.empty() && r.letters.find(v.letter) == std::string_view::npos) return fault(r.hemisphere);
    if (v.seconds > 59) return fault(r.seconds);
    if (v.minutes > 59) return fault(r.minutes);
    if (v.degrees > r.limit) return fault(r.degrees);
    if (v.degrees == r.limit && (v.minutes > 0 || v.seconds > 0)) return fault(r.beyondLimit);
    if (!r.zero.empty() && v.degrees == 0 && v.minutes == 0 && v.seconds == 0) return fault(r.zero);
    return std::nullopt;
}

AngleField::AngleField(AngleKind kind, QWidget* parent) : MaskedField(parent), kind_(kind) {
    setInputMask(QString::fromLatin1(RulesOf(kind).mask));
    // Fixed-width digits keep the groups under their column headings.
    setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    const int width = fontMetrics().horizontalAdvance(displayText()) + 16;
    setMinimumWidth(width);
    setMaximumWidth(width);
}

std::string AngleField::Text() const {
    std::string text = displayText().toStdString();
    for (char& c : text)
        if (c == '_') c = ' ';
    return text;
}

std::string AngleField::PlainText() const {
    // The groups start every six characters after the degrees.
    const std::string text = Text();
    const auto d = static_cast<size_t>(RulesOf(kind_).degreePlaces);
    std::string plain;
    const auto take = [&](size_t pos, size_t len) { plain += text.substr(std::min(pos, text.size()), len); };
    take(0, d);
    take(d + 4, 2);
    take(d + 10, 2);
    if (!RulesOf(kind_).letters.empty()) take(d + 16, 1);
    return plain;
}

void AngleField::SetText(std::string_view text) { setText(QString::fromStdString(std::string(text))); }

int AngleField::Degrees() const { return ReadPlain(kind_, PlainText()).degrees; }
int AngleField::Minutes() const { return ReadPlain(kind_, PlainText()).minutes; }
int AngleField::Seconds() const { return ReadPlain(kind_, PlainText()).seconds; }
char AngleField::Hemisphere() const { return ReadPlain(kind_, PlainText()).letter; }

double AngleField::Value() const {
    const Dms v = ReadPlain(kind_, PlainText());
    const double value = v.degrees + v.minutes / 60.0 + v.seconds / 3600.0;
    return v.letter == 'S' || v.letter == 'W' ? -value : value;
}

void AngleField::SetCheck(std::string title, std::function<std::string()> restoreSource) {
    title_ = std::move(title);
    restoreSource_ = std::move(restoreSource);
}

void AngleField::AddRule(std::function<std::optional<FieldFault>()> rule) { rules_.push_back(std::move(rule)); }

std::optional<FieldFault> AngleField::FirstFault() const {
    if (std::optional<std::string> common = CommonAngleFault(kind_, PlainText()))
        return FieldFault{std::move(*common), {}};
    for (const auto& rule : rules_)
        if (std::optional<FieldFault> fault = rule()) return fault;
    return std::nullopt;
}

bool AngleField::Check() {
    const std::optional<FieldFault> fault = FirstFault();
    if (!fault) return true;
    const std::string& title = fault->title.empty() ? title_ : fault->title;
    if (MsgBox(fault->message, title, MsgButtons::RetryCancel, MsgIcon::Exclamation) == MsgAnswer::Retry)
        setFocus(Qt::OtherFocusReason);
    else if (restoreSource_) SetText(restoreSource_());
    return false;
}

}  // namespace tlrx
