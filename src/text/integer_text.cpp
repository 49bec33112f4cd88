#include "text/integer_text.h"

namespace brendax {
namespace {

int HexDigit(char ch) {
  if (ch >= '0' && ch <= '9') return ch - '0';
  if (ch >= 'a' && ch <= 'f') return ch - 'a' + 10;
  if (ch >= 'A' && ch <= 'F') return ch - 'A' + 10;
  return -1;
}

// Reads the text as a signed integer of `bits` width (32 or 64).
std::optional<std::int64_t> ParseSigned(std::string_view text, int bits) {
  std::size_t pos = 0;
  while (pos < text.size() && text[pos] == ' ') ++pos;
  bool negative = false;
  if (pos < text.size() && (text[pos] == '-' || text[pos] == '+')) {
    negative = text[pos] == '-';
    ++pos;
  }
  std::string_view rest = text.substr(pos);
  bool hex = false;
  if (rest.starts_with("0x") || rest.starts_with("0X")) {
    hex = true;
    rest.remove_prefix(2);
  } else if (rest.starts_with("$") || rest.starts_with("x") || rest.starts_with("X")) {
    hex = true;
    rest.remove_prefix(1);
  }
  if (rest.empty()) return std::nullopt;

  const std::uint64_t unsignedMax = bits == 64 ? ~std::uint64_t{0} : 0xFFFFFFFFull;
  if (hex) {
    std::uint64_t value = 0;
    for (const char ch : rest) {
      const int digit = HexDigit(ch);
      if (digit < 0) return std::nullopt;
      if (value > (unsignedMax >> 4)) return std::nullopt;  // pattern wider than the target
      value = (value << 4) | static_cast<std::uint64_t>(digit);
    }
    // Two's complement of the target width, then the sign (wrapping as the
    // machine arithmetic does, so "-$80000000" stays the most negative value).
    std::uint64_t pattern = negative ? (~value + 1) & unsignedMax : value;
    if (bits == 32) return static_cast<std::int64_t>(static_cast<std::int32_t>(static_cast<std::uint32_t>(pattern)));
    return static_cast<std::int64_t>(pattern);
  }

  // Decimal: the magnitude may reach the most negative value's magnitude.
  const std::uint64_t limit = (bits == 64 ? (std::uint64_t{1} << 63) : (std::uint64_t{1} << 31)) - (negative ? 0 : 1);
  std::uint64_t value = 0;
  for (const char ch : rest) {
    if (ch < '0' || ch > '9') return std::nullopt;
    const auto digit = static_cast<std::uint64_t>(ch - '0');
    if (value > (limit - digit) / 10) return std::nullopt;
    value = value * 10 + digit;
  }
  if (!negative) return static_cast<std::int64_t>(value);
  return value == (std::uint64_t{1} << 63) ? INT64_MIN : -static_cast<std::int64_t>(value);
}

}  // namespace

std::optional<std::int32_t> ParseInt32(std::string_view text) {
  const auto value = ParseSigned(text, 32);
  if (!value) return std::nullopt;
  return static_cast<std::int32_t>(*value);
}

std::optional<std::int64_t> ParseInt64(std::string_view text) { return ParseSigned(text, 64); }

}  // namespace brendax
