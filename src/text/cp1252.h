// Windows-1252 codec for the boundaries of the program (window, clipboard,
// command line). Inside the core all text is Windows-1252 bytes.
#pragma once

#include <string>
#include <string_view>

namespace brendax {

// One step of strict UTF-8 decoding at a position: the code point and the
// number of bytes it takes. Only well-formed UTF-8 is accepted: no overlong
// forms, no surrogates (U+D800..U+DFFF), nothing above U+10FFFF, no cut
// sequences. An ill-formed sequence gives valid = false and the length of its
// maximal subpart: the longest start of a well-formed sequence found there,
// at least one byte. So "\xE2\x82" before "A" is one bad unit of two bytes,
// while "\xC0\x80" is two bad units of one byte each (C0 never starts a
// well-formed sequence).
struct Utf8Unit {
  char32_t codePoint = 0;
  std::size_t length = 1;
  bool valid = false;
};
Utf8Unit NextUtf8Unit(std::string_view utf8, std::size_t pos);

// UTF-8 to Windows-1252. Characters that Windows-1252 cannot hold, and each
// ill-formed unit (see NextUtf8Unit), become "?".
std::string Utf8ToCp1252(std::string_view utf8);

// Windows-1252 to UTF-8. The five bytes that Windows-1252 leaves undefined
// (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the C1 control characters of the
// same value, so that every byte survives a round trip.
std::string Cp1252ToUtf8(std::string_view cp1252);

// True when the bytes are well-formed UTF-8 throughout (see NextUtf8Unit).
bool IsWellFormedUtf8(std::string_view bytes);

// A text file's bytes as the core's Windows-1252 text: without a leading
// UTF-8 byte-order mark, converted from UTF-8 when the bytes are well-formed
// UTF-8, else taken as Windows-1252 as they stand.
std::string TextFileToCp1252(std::string bytes);

// A text as a message shows it on one line: every control character (bytes
// 0 to 31 and 127; in UTF-8 also U+0080..U+009F) as "\r", "\n", "\t" or
// "\xHH"; in UTF-8 also every byte of an ill-formed sequence as "\xHH".
// `utf8` false: the text is Windows-1252, whose bytes from 0x80 are
// characters. `keepTabs`: a TAB stays as it is (a line of a file shown whole).
std::string EscapedForMessage(std::string_view text, bool utf8 = true, bool keepTabs = false);

// Shorthand for fixed texts written in UTF-8 source code.
inline std::string Ansi(std::string_view utf8) { return Utf8ToCp1252(utf8); }

}  // namespace brendax
