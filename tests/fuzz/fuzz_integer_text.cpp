// Fuzz target: the integer-text rule. Whatever is accepted is a valid
// number that its decimal text reads back as; the 32-bit reading agrees
// with the 64-bit one wherever both accept.
#include <charconv>

#include "fuzz_input.h"
#include "text/integer_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace brendax;
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const auto value32 = ParseInt32(text);
  const auto value64 = ParseInt64(text);
  fuzz::Check(value32 == ParseInt32(text) && value64 == ParseInt64(text), "the same text reads the same");
  if (value64) {
    char buffer[24];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, *value64).ptr;
    fuzz::Check(ParseInt64(std::string_view(buffer, static_cast<std::size_t>(end - buffer))) == value64,
                "decimal text of a 64-bit value reads back", text);
  }
  if (value32) {
    char buffer[16];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, *value32).ptr;
    fuzz::Check(ParseInt32(std::string_view(buffer, static_cast<std::size_t>(end - buffer))) == value32,
                "decimal text of a 32-bit value reads back", text);
  }
  // A decimal text (no hexadecimal prefix anywhere) means the same number at both widths.
  const bool hexadecimal = text.find_first_of("$xX") != std::string_view::npos;
  if (value32 && !hexadecimal) fuzz::Check(value64 == *value32, "32-bit and 64-bit readings agree", text);
  // Nothing may follow the digits: a trailing blank is always refused.
  if (!text.empty() && text.back() == ' ') fuzz::Check(!value32 && !value64, "a trailing blank is refused", text);
  return 0;
}
