// Small string routines shared by the source generators. All text is
// Windows-1252 bytes; only the blank (character 32) counts as space.
#pragma once

#include <string>
#include <string_view>

namespace brendax {

std::string TrimLeadingSpaces(std::string_view text);
std::string TrimTrailingSpaces(std::string_view text);
std::string TrimSpaces(std::string_view text);

// True when a symbol name has more than 24 characters.
bool SymbolTooLong(std::string_view name);

// True when the name is no acceptable STL identifier: empty or longer than
// 24 characters, "__" inside, a leading digit, or a character outside
// 0-9, A-Z, a-z and the underscore.
bool InvalidIdentifier(std::string_view name);

// Centres the text in blanks; an odd surplus puts the extra blank on the
// right. A text as long as the width or longer comes back unchanged.
std::string CenterPad(std::string_view text, int width);

// Appends blanks up to the width; never cuts.
std::string RightPad(std::string_view text, int width);

// Four-character jump label: the prefix, zeros, and the number in decimal
// ("S005", "In05"), or "????" when the two do not fit into four characters.
std::string StepLabel(std::string_view prefix, long long number);

// Three-digit form of 0..999 ("007", "042", "511"); "000" for anything else.
std::string ThreeDigitNumber(long long number);

}  // namespace brendax
