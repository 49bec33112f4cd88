#include "support/text_search.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "support/run_cli.h"

namespace brendax::testing {

int IndexOf(const TextLines& lines, const std::string& line, int from) {
  if (from < 0 || from > static_cast<int>(lines.size())) return -1;
  const auto it = std::find(lines.begin() + from, lines.end(), line);
  return it == lines.end() ? -1 : static_cast<int>(it - lines.begin());
}

bool Contains(const TextLines& lines, const std::string& line) { return IndexOf(lines, line) >= 0; }

int CountOf(const TextLines& lines, const std::string& line) {
  return static_cast<int>(std::count(lines.begin(), lines.end(), line));
}

int CountHolding(const TextLines& lines, const std::string& part) {
  return static_cast<int>(std::count_if(lines.begin(), lines.end(),
                                        [&](const std::string& line) { return line.find(part) != std::string::npos; }));
}

TextLines Slice(const TextLines& lines, const std::string& from, const std::string& to) {
  const int start = IndexOf(lines, from);
  if (start < 0) return {};
  const auto end = std::find(lines.begin() + start + 1, lines.end(), to);
  return TextLines(lines.begin() + start, end);
}

std::string LineAfter(const TextLines& lines, const std::string& titleStart) {
  for (std::size_t i = 0; i + 1 < lines.size(); ++i)
    if (lines[i].starts_with(titleStart)) return lines[i + 1];
  return "<missing>";
}

std::string ReadGolden(const std::string& relativePath) {
  const std::string bytes = ReadFileBytes(std::string(BRENDAX_GOLDEN_DIR) + "/" + relativePath);
  EXPECT_FALSE(bytes.empty()) << "missing golden file " << relativePath;
  return bytes;
}

}  // namespace brendax::testing
