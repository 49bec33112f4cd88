// Windows-1252 codec for the boundaries of the program (window, clipboard,
// command line). Inside the core all text is Windows-1252 bytes.
#pragma once

#include <string>
#include <string_view>

namespace brendax {

// UTF-8 to Windows-1252. Characters that Windows-1252 cannot hold, and
// malformed UTF-8 sequences, become "?".
std::string Utf8ToCp1252(std::string_view utf8);

// Windows-1252 to UTF-8. The five bytes that Windows-1252 leaves undefined
// (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the C1 control characters of the
// same value, so that every byte survives a round trip.
std::string Cp1252ToUtf8(std::string_view cp1252);

// Shorthand for fixed texts written in UTF-8 source code.
inline std::string Ansi(std::string_view utf8) { return Utf8ToCp1252(utf8); }

}  // namespace brendax
