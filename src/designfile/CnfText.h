#pragma once
// The text forms of the design and circle files: how the print statement
// writes numbers and texts into a line, the encodings of the files' texts,
// and list input, which takes the fields back.
//
// Lines end in CR LF. Numbers are written with "." whatever the locale.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tlrx {

// ---- Writing ----

// An Integer or Long as an integer item: "-" or a blank, the digits, a
// blank (" 15 ", "-1 ").
std::string IntegerItem(int32_t value);

// The number-to-text conversion of the print statement: "-" or a blank,
// then the value rounded to 7 (Single) or 15 (Double) significant digits,
// trailing zeros and point dropped, no zero before the point (" .25",
// "-1.5", " 1440"); exponent form below 1E-04 and from 1E+07 (Single) or
// 1E+15 (Double) on (" 1E-05", " 1.234568E+07"). Integers and Longs come
// out as their digits.
std::string NumberForm(float value);
std::string NumberForm(double value);
std::string NumberForm(int32_t value);

// Number forms are joined by five blanks in a number list.
inline constexpr std::string_view kNumberListGap = "     ";

// Print zones are 14 characters wide.
inline constexpr size_t kPrintZone = 14;

// Pads line with blanks up to the start of the next print zone.
void PadToNextZone(std::string& line);

// How a file's texts are encoded. A file is in Windows-1252 unless it
// begins with the UTF-8 byte-order mark (kUtf8Mark); a design is saved in
// UTF-8 only when one of its texts holds a character beyond that code page.
enum class FileCoding { Cp1252, Utf8 };
inline constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

// Why a text cannot be written into a file line of that coding: empty when
// it can. A line break or a malformed UTF-8 sequence can never be carried; in
// Windows-1252 neither can a character outside the code page.
std::string UncarriableText(std::string_view text, FileCoding coding = FileCoding::Cp1252);

// How a text field must be written so that list input takes it back
// unchanged: as it is, or quoted when it holds a comma or begins with a blank
// or a double quote. nullopt when neither form carries it (a quote inside a
// text that needs quotes). The text must be carriable (UncarriableText).
std::optional<std::string> TextFieldForm(std::string_view text, FileCoding coding = FileCoding::Cp1252);

// UTF-8 to a file's coding and back. In Windows-1252 every byte has a
// character: the five bytes the code page leaves unassigned stand for the C1
// controls of the same number, so that any file's text is kept byte for
// byte. In a UTF-8 file a byte that starts no well-formed sequence is read
// as its Windows-1252 character, so that what is read is always UTF-8.
std::string ToFileText(std::string_view utf8, FileCoding coding = FileCoding::Cp1252);  // carriable text only
std::string FromFileText(std::string_view bytes, FileCoding coding = FileCoding::Cp1252);

// A UTF-8 text read from a file without its first and last characters (the
// quotes around a whole-line text); nullopt when it has fewer than two.
std::optional<std::string> WithoutEnds(std::string_view utf8);

// ---- Reading: list input ----

// The description of a field that is no number (kInputPastEnd, the end of
// the file, is RunFiles').
inline constexpr std::string_view kTypeMismatch = "Type mismatch";

// Reads fields from the bytes of a whole file, in order regardless of where
// lines end. A line ends at CR LF, LF or CR. A file that begins with the
// UTF-8 byte-order mark has its texts in UTF-8 (the mark itself is no part
// of the first field); any other in Windows-1252. Failures raise
// RuntimeError with the description of the run-time error (kInputPastEnd,
// kTypeMismatch, "Overflow").
class ListInput {
public:
    explicit ListInput(std::string_view bytes);

    // A numeric field: skips blanks and line ends, runs to the next blank,
    // comma or line end, then takes the blanks after it and one comma or line
    // end. The field must be a decimal number (sign, digits, point, exponent
    // with E or D); a value too small to tell from zero is 0.
    double Number();
    // Number converted to the type, rounding halves to even; Overflow
    // outside the type's range.
    int16_t Integer();
    int32_t Long();
    float Single();

    // A text field: leading blanks skipped; quoted up to the next double
    // quote, the rest up to and including the next comma or line end
    // dropped; otherwise up to the next comma or line end, which is taken.
    // In the file's coding, returned as UTF-8.
    std::string Text();

    // A text field holding a number whose decimal separator may be a comma
    // (the UTM scale factor, "0,9996", as a decimal-comma locale stored it):
    // unquoted, it runs to the line end, and its one comma, between digits,
    // becomes the point ("0.9996"); any other comma there raises Type
    // mismatch, so that the fault is named on its own line. Quoted, as Text.
    std::string DecimalText();

    // The next line whole, without its line end (line input), as UTF-8.
    std::string Line();

    // The 1-based line where the field read last (or failing) begins: past
    // the blanks and line ends a numeric field skips.
    int32_t FieldLine() const { return fieldLine_; }
    // Bytes not read yet.
    size_t Remaining() const { return text_.size() - pos_; }
    bool AtEnd() const { return pos_ >= text_.size(); }

private:
    bool AtLineEnd() const;
    void TakeLineEnd();
    std::string_view NumberField();

    std::string_view text_;
    FileCoding coding_ = FileCoding::Cp1252;
    size_t pos_ = 0;
    int32_t line_ = 1;
    int32_t fieldLine_ = 1;
};

}  // namespace tlrx
