// Comment frames of generated functions: 56 characters wide.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace brendax {

using Lines = std::vector<std::string>;

// "// " and 53 "#".
const std::string& FrameRule();
// "//", 53 blanks and "#".
const std::string& FrameEmpty();
// "// " + CenterPad(text, 51) + " #".
std::string FrameCentered(std::string_view text);
// "//", 11 blanks, RightPad(value, 42) and "#"; a longer value is kept whole.
std::string FrameValue(std::string_view value);

// The head of the banner that every generated function carries: a rule,
// the introduction line between empty frame lines, the centred version line,
// the contact lines, and the closing rule between empty frame lines
// (15 lines).
void AppendBannerHead(Lines& lines, std::string_view introduction);

// The product's own contact texts, each at most 51 characters.
const std::vector<std::string>& ContactTexts();

}  // namespace brendax
