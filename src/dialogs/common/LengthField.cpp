#include "dialogs/common/LengthField.h"

#include <QLineEdit>
#include <QLocale>
#include <cmath>
#include <cstdio>

#include "core/NumberText.h"
#include "dialogs/common/MaskedField.h"

namespace tlrx {

QString DecimalSeparator() { return QLocale().decimalPoint(); }

QLineEdit* NewLengthField(QWidget* parent) {
    auto* field = new MaskedField(parent);
    field->setInputMask(QStringLiteral("999") + DecimalSeparator() + QStringLiteral("99"));
    return field;
}

QString LengthFieldText(float value) {
    char text[32];
    std::snprintf(text, sizeof text, "%s%06.2f", value < 0 ? "-" : "", std::fabs(double(value)));
    return QString::fromLatin1(text).replace(QStringLiteral("."), DecimalSeparator());
}

float LengthTextValue(QString text) {
    text.remove(QLatin1Char(' '));
    text.replace(DecimalSeparator(), QStringLiteral("."));
    return static_cast<float>(LeadingNumber(text.toStdString()));
}

float LengthFieldValue(const QLineEdit* field) { return LengthTextValue(field->displayText()); }

}  // namespace tlrx
