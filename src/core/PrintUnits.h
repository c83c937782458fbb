#pragma once
// Twips per inch, and the print units of the print layout and the report
// margins (PrinterUnits): the twips in one unit, 1440 for the inch or 567
// for the centimetre. Design files and the settings file store the unit by
// this number. Lengths in print units are Singles, converted in single
// precision.

#include <cstdint>

namespace tlrx {

constexpr int16_t kTwipsPerInch = 1440;
constexpr int16_t kTwipsPerCm = 567;

// True for one of the two units.
constexpr bool IsPrintUnits(int16_t units) { return units == kTwipsPerInch || units == kTwipsPerCm; }

// The unit a stored value is taken for where one is needed (the program
// divides by it): centimetres for 567, inches for any other value.
constexpr int16_t KnownPrintUnits(int16_t units) { return units == kTwipsPerCm ? kTwipsPerCm : kTwipsPerInch; }

// A length in print units to twips, and twips to print units.
constexpr float PrintUnitsToTwips(float length, int16_t units) { return length * static_cast<float>(units); }
constexpr float TwipsToPrintUnits(float twips, int16_t units) { return twips / static_cast<float>(units); }

}  // namespace tlrx
