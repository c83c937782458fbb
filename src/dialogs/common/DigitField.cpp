#include "dialogs/common/DigitField.h"

#include <QFontDatabase>
#include <QLocale>
#include <cmath>
#include <numeric>

namespace tlrx {

namespace {

// A separator as a literal of a Qt input mask.
QString MaskLiteral(QChar c) {
    static const QString kMaskChars = QStringLiteral("AaNnXx90Dd#HhBb<>!\\[]{};");
    return kMaskChars.contains(c) ? QStringLiteral("\\") + c : QString(c);
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

NumberSeparators UserNumberSeparators() {
    const QLocale locale;
    const QString group = locale.groupSeparator();
    const QString point = locale.decimalPoint();
    return {group.isEmpty() ? QChar(',') : group[0], point.isEmpty() ? QChar('.') : point[0]};
}

std::string GroupedEightDigits(double value) {
    const double whole = std::round(std::fabs(value));
    std::string digits = std::to_string(static_cast<long long>(whole));
    if (digits.size() < 8) digits.insert(0, 8 - digits.size(), '0');
    // Groups of three from the right.
    const QString sep(UserNumberSeparators().thousands);
    QString out;
    const size_t first = digits.size() % 3 == 0 ? 3 : digits.size() % 3;
    out += QString::fromStdString(digits.substr(0, first));
    for (size_t i = first; i < digits.size(); i += 3) out += sep + QString::fromStdString(digits.substr(i, 3));
    return out.toStdString();
}

DigitField::DigitField(std::vector<int> groups, QChar separator, QWidget* parent)
    : MaskedField(parent), groups_(std::move(groups)) {
    QString mask;
    for (size_t i = 0; i < groups_.size(); ++i) {
        if (i > 0) mask += MaskLiteral(separator);
        mask += QString(groups_[i], QChar('9'));
    }
    setInputMask(mask + QStringLiteral(";_"));
    setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    const int width = fontMetrics().horizontalAdvance(displayText()) + 16;
    setMinimumWidth(width);
    setMaximumWidth(width);
}

DigitField* DigitField::Grouped(std::vector<int> groups, QWidget* parent) {
    return new DigitField(std::move(groups), UserNumberSeparators().thousands, parent);
}

DigitField* DigitField::Scale(QWidget* parent) {
    return new DigitField({1, 4}, UserNumberSeparators().decimal, parent);
}

int DigitField::Places() const { return std::accumulate(groups_.begin(), groups_.end(), 0); }

std::string DigitField::Text() const {
    std::string text = displayText().toStdString();
    for (char& c : text)
        if (c == '_') c = ' ';
    return text;
}

std::string DigitField::GroupDigits(size_t i) const {
    // The places of group i follow the places and separators before it.
    const QString shown = displayText();
    qsizetype pos = 0;
    for (size_t g = 0; g < i && g < groups_.size(); ++g) pos += groups_[g] + 1;
    std::string digits;
    if (i >= groups_.size()) return digits;
    for (qsizetype p = pos; p < pos + groups_[i] && p < shown.size(); ++p) {
        const char c = shown[p].toLatin1();
        if (IsDigit(c)) digits += c;
    }
    return digits;
}

std::string DigitField::Digits() const {
    std::string digits;
    for (size_t i = 0; i < groups_.size(); ++i) digits += GroupDigits(i);
    return digits;
}

std::string DigitField::PaddedDigits() const {
    std::string digits = Digits();
    const auto places = static_cast<size_t>(Places());
    if (digits.size() < places) digits.insert(0, places - digits.size(), '0');
    return digits;
}

int64_t DigitField::Value() const {
    int64_t value = 0;
    for (const char c : Digits()) value = value * 10 + (c - '0');
    return value;
}

void DigitField::SetDigits(std::string_view digits) {
    std::string plain;
    for (const char c : digits)
        if (IsDigit(c)) plain += c;
    const auto places = static_cast<size_t>(Places());
    if (plain.size() > places) plain = plain.substr(plain.size() - places);
    plain.insert(0, places - plain.size(), '0');
    // Qt places each digit in the next digit place, past the literals.
    setText(QString::fromStdString(plain));
}

void DigitField::SetGroups(const std::vector<std::string>& groups) {
    std::string plain;
    for (size_t i = 0; i < groups_.size(); ++i) {
        std::string g;
        if (i < groups.size())
            for (const char c : groups[i])
                if (IsDigit(c)) g += c;
        const auto places = static_cast<size_t>(groups_[i]);
        g.resize(places, '0');
        plain += g;
    }
    setText(QString::fromStdString(plain));
}

}  // namespace tlrx
