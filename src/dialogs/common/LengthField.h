#pragma once
// The length fields of the print dialogs: inches or centimetres shown as
// "000.00" behind a "999.99" input mask, in the locale's decimal separator.
// They are masked fields: one that has the focus as its dialog opens takes
// what is typed at once from its first place on.

#include <QString>

class QLineEdit;
class QWidget;

namespace tlrx {

QString DecimalSeparator();

// A new masked field with the length mask.
QLineEdit* NewLengthField(QWidget* parent);

// A value as the fields show it: "000.00" (a minus sign before a negative one).
QString LengthFieldText(float value);

// The value of a field's text: the number it starts with, blanks left out.
float LengthTextValue(QString text);
float LengthFieldValue(const QLineEdit* field);

}  // namespace tlrx
