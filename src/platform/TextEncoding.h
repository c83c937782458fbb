#pragma once
// Text from UTF-8 to the 8-bit code pages of the export files. Plain C++:
// the writers of the metafile, DXF and CGM exports share it.

#include <cstddef>
#include <string>
#include <string_view>

namespace tlrx {

// One character read from UTF-8 text.
struct Utf8Char {
    char32_t code = 0;  // its Unicode code point, U+0000 to U+10FFFF
    size_t length = 0;  // its bytes, 1 to 4; 0 when no well-formed sequence starts there
};

// Reads the UTF-8 character that starts at text[i] (i < text.size()). Well
// formed are an ASCII byte, and a lead byte 0xC2 to 0xF4 followed by all its
// continuation bytes that gives neither an overlong form, a surrogate
// (U+D800 to U+DFFF) nor a value beyond U+10FFFF. Anything else (a stray
// continuation byte, a lead byte 0xC0, 0xC1 or 0xF5 to 0xFF, a sequence cut
// short) gives length 0: what the byte text[i] stands for is the caller's
// rule.
Utf8Char DecodeUtf8(std::string_view text, size_t i);

// The Unicode character of a Windows-1252 byte (0x00 to 0xFF): the byte
// itself but for 0x80 to 0x9F; 0 for the five bytes the code page leaves
// unassigned (0x81, 0x8D, 0x8F, 0x90, 0x9D).
char32_t Cp1252Char(unsigned char byte);

// UTF-8 to Windows-1252: each character of the code page becomes its byte,
// any other (the C1 controls U+0080 to U+009F among them) "?". A byte that
// starts no well-formed sequence stands for itself, so a text already in the
// code page passes unchanged.
std::string ToCp1252(std::string_view text);

// UTF-8 to Latin-1 (ISO 8859-1): characters U+0000 to U+00FF become their
// byte, any other "?". A byte that starts no well-formed sequence stands for
// itself.
std::string ToLatin1(std::string_view text);

// As above; `replaced` becomes true when a character had to be written as
// "?", and is left as it was otherwise.
std::string ToCp1252(std::string_view text, bool& replaced);
std::string ToLatin1(std::string_view text, bool& replaced);

}  // namespace tlrx
