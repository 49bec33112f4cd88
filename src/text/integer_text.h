// The one rule by which every numeric dialog field is read.
//
// Leading blanks are skipped; then an optional "-" or "+"; then decimal
// digits, or hexadecimal digits of either case after "$", "x", "X", "0x"
// or "0X". Nothing may follow the digits, not even a blank. Leading zeros
// are allowed. A hexadecimal value is read as an unsigned bit pattern of
// the target width and taken as two's complement ("$FFFFFFFF" is -1), and
// the sign applies to that value ("-$FFFFFFFF" is 1); a pattern wider than
// the target width is refused. A decimal value outside the signed range is
// refused.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace brendax {

std::optional<std::int32_t> ParseInt32(std::string_view text);
std::optional<std::int64_t> ParseInt64(std::string_view text);

}  // namespace brendax
