#include "text/text_routines.h"

namespace brendax {

std::string TrimLeadingSpaces(std::string_view text) {
  const auto first = text.find_first_not_of(' ');
  return first == std::string_view::npos ? std::string() : std::string(text.substr(first));
}

std::string TrimTrailingSpaces(std::string_view text) {
  const auto last = text.find_last_not_of(' ');
  return last == std::string_view::npos ? std::string() : std::string(text.substr(0, last + 1));
}

std::string TrimSpaces(std::string_view text) { return TrimTrailingSpaces(TrimLeadingSpaces(text)); }

bool SymbolTooLong(std::string_view name) { return name.size() > 24; }

bool InvalidIdentifier(std::string_view name) {
  if (name.empty() || name.size() > 24) return true;
  if (name.find("__") != std::string_view::npos) return true;
  if (name.front() >= '0' && name.front() <= '9') return true;
  for (const char ch : name) {
    const bool ok = (ch >= '0' && ch <= '9') || (ch >= 'A' && ch <= 'Z') || (ch >= 'a' && ch <= 'z') || ch == '_';
    if (!ok) return true;
  }
  return false;
}

std::string CenterPad(std::string_view text, int width) {
  const long long surplus = static_cast<long long>(width) - static_cast<long long>(text.size());
  if (surplus <= 0) return std::string(text);
  const auto front = static_cast<std::size_t>(surplus / 2);
  const auto back = static_cast<std::size_t>(surplus - surplus / 2);
  std::string out(front, ' ');
  out.append(text);
  out.append(back, ' ');
  return out;
}

std::string RightPad(std::string_view text, int width) {
  std::string out(text);
  if (width > 0 && out.size() < static_cast<std::size_t>(width)) out.resize(static_cast<std::size_t>(width), ' ');
  return out;
}

std::string StepLabel(std::string_view prefix, long long number) {
  const std::string digits = std::to_string(number);
  if (number < 0 || prefix.empty() || prefix.size() + digits.size() > 4) return "????";
  std::string label(prefix);
  label.append(4 - prefix.size() - digits.size(), '0');
  label += digits;
  return label;
}

std::string ThreeDigitNumber(long long number) {
  if (number < 0 || number > 999) return "000";
  std::string digits = std::to_string(number);
  digits.insert(0, 3 - digits.size(), '0');
  return digits;
}

}  // namespace brendax
