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

// Shorthand for fixed texts written in UTF-8 source code.
inline std::string Ansi(std::string_view utf8) { return Utf8ToCp1252(utf8); }

}  // namespace brendax
