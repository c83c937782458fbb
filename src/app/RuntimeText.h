#pragma once
// Numbers as the program shows and stores them in text.

#include <string>

namespace tlrx {

// A single-precision number as text: a leading blank for a value that is not
// negative (the minus sign otherwise), up to seven significant digits, and
// decimals only when the value has a fraction: " 792", "-60", " 13.09091".
std::string Str(float value);

// Str without its leading blank: "1440", "-60".
std::string NumberText(float value);

// Seconds with one decimal, at least one digit before the point: "12.3", "0.0".
std::string SecondsText(float seconds);

// The caption of a text placement: "Tellurax:  x = 01440   y = 00720", the
// point in twips rounded to whole numbers, at least five digits each.
std::string PlacementCaption(double x, double y);

}  // namespace tlrx
