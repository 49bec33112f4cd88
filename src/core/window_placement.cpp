#include "core/window_placement.h"

#include <charconv>
#include <vector>

namespace brendax {

namespace {

constexpr std::string_view kFirstLine = "Brendax-Fenster 1\r\n";

// A decimal number with an optional "-", nothing else.
std::optional<int> Number(std::string_view text) {
  int value = 0;
  if (text.empty() || text.front() == '+') return std::nullopt;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

}  // namespace

std::string FormatWindowPlacement(const WindowPlacement& p) {
  return std::string(kFirstLine) + std::to_string(p.x) + " " + std::to_string(p.y) + " " + std::to_string(p.width) +
         " " + std::to_string(p.height) + " " + (p.maximized ? "1" : "0") + "\r\n";
}

std::optional<WindowPlacement> ParseWindowPlacement(std::string_view text) {
  if (text.substr(0, kFirstLine.size()) != kFirstLine) return std::nullopt;
  text.remove_prefix(kFirstLine.size());
  if (text.size() < 2 || text.substr(text.size() - 2) != "\r\n") return std::nullopt;
  text.remove_suffix(2);
  std::vector<int> numbers;
  while (true) {
    const std::size_t blank = text.find(' ');
    const auto number = Number(text.substr(0, blank));
    if (!number) return std::nullopt;
    numbers.push_back(*number);
    if (blank == std::string_view::npos) break;
    text.remove_prefix(blank + 1);
  }
  if (numbers.size() != 5) return std::nullopt;
  const WindowPlacement p{numbers[0], numbers[1], numbers[2], numbers[3], numbers[4] == 1};
  const auto within = [](int value, int low, int high) { return value >= low && value <= high; };
  if (!within(p.x, -kPlacementMaximumOffset, kPlacementMaximumOffset) ||
      !within(p.y, -kPlacementMaximumOffset, kPlacementMaximumOffset) ||
      !within(p.width, kPlacementMinimumSize, kPlacementMaximumSize) ||
      !within(p.height, kPlacementMinimumSize, kPlacementMaximumSize) || !within(numbers[4], 0, 1)) {
    return std::nullopt;
  }
  return p;
}

std::string WindowPlacementPath(const std::string& settingsPath) {
  const std::size_t slash = settingsPath.find_last_of("/\\");
  const std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
  const std::size_t dot = settingsPath.rfind('.');
  std::string path = settingsPath;
  // A leading dot starts a hidden name, not an extension.
  if (dot != std::string::npos && dot > nameStart) path.erase(dot);
  path += ".window";
  if (path == settingsPath) path += ".window";
  return path;
}

}  // namespace brendax
