#include "text/line_diff.h"

#include <algorithm>
#include <cstdint>

namespace brendax {
namespace {

constexpr std::size_t kContext = 3;
constexpr std::size_t kWindow = 500;

enum class Op { kKeep, kRemove, kAdd };

struct Edit {
  Op op;
  std::size_t before;  // index into before (kKeep, kRemove)
  std::size_t after;   // index into after (kKeep, kAdd)
};

// The edits that turn before[b0, b0 + n) into after[a0, a0 + m), from a
// longest common subsequence of the two windows.
std::vector<Edit> WindowEdits(const std::vector<std::string>& before, std::size_t b0, std::size_t n,
                              const std::vector<std::string>& after, std::size_t a0, std::size_t m) {
  // length[i][j]: the longest common subsequence of before[b0 + i..] and after[a0 + j..].
  std::vector<std::uint16_t> length((n + 1) * (m + 1), 0);
  const auto at = [m](std::size_t i, std::size_t j) { return i * (m + 1) + j; };
  for (std::size_t i = n; i-- > 0;) {
    for (std::size_t j = m; j-- > 0;) {
      length[at(i, j)] = before[b0 + i] == after[a0 + j] ? static_cast<std::uint16_t>(length[at(i + 1, j + 1)] + 1)
                                                         : std::max(length[at(i + 1, j)], length[at(i, j + 1)]);
    }
  }
  std::vector<Edit> edits;
  std::size_t i = 0;
  std::size_t j = 0;
  while (i < n || j < m) {
    if (i < n && j < m && before[b0 + i] == after[a0 + j]) {
      edits.push_back({Op::kKeep, b0 + i++, a0 + j++});
    } else if (i < n && (j == m || length[at(i + 1, j)] >= length[at(i, j + 1)])) {
      edits.push_back({Op::kRemove, b0 + i++, a0 + j});  // removals first, as diff shows them
    } else {
      edits.push_back({Op::kAdd, b0 + i, a0 + j++});
    }
  }
  return edits;
}

std::string Range(std::size_t start, std::size_t count) {
  // An empty range names the line before it, as diff does.
  return std::to_string(count == 0 ? start : start + 1) + "," + std::to_string(count);
}

}  // namespace

std::vector<std::string> SplitTextLines(std::string_view text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string_view::npos) {
      lines.emplace_back(text.substr(start));
      break;
    }
    std::size_t cut = end;
    if (cut > start && text[cut - 1] == '\r') --cut;
    lines.emplace_back(text.substr(start, cut - start));
    start = end + 1;
  }
  return lines;
}

std::string FirstDiffHunk(const std::vector<std::string>& before, const std::vector<std::string>& after,
                          std::string_view beforeLabel, std::string_view afterLabel) {
  std::size_t first = 0;
  while (first < before.size() && first < after.size() && before[first] == after[first]) ++first;
  if (first == before.size() && first == after.size()) return {};

  const std::size_t n = std::min(kWindow, before.size() - first);
  const std::size_t m = std::min(kWindow, after.size() - first);
  std::vector<Edit> edits = WindowEdits(before, first, n, after, first, m);
  // The hunk ends at the last change before a run of more than twice the
  // context of equal lines (or the window's end).
  std::size_t end = 0;  // one past the last change in `edits`
  std::size_t equalRun = 0;
  for (std::size_t k = 0; k < edits.size(); ++k) {
    if (edits[k].op == Op::kKeep) {
      if (++equalRun > 2 * kContext) break;
    } else {
      equalRun = 0;
      end = k + 1;
    }
  }
  const std::size_t lead = std::min(kContext, first);
  const std::size_t trail = std::min(kContext, edits.size() - end);

  std::string body;
  std::size_t beforeCount = lead;
  std::size_t afterCount = lead;
  for (std::size_t k = first - lead; k < first; ++k) body.append(" ").append(before[k]).append("\n");
  for (std::size_t k = 0; k < end + trail; ++k) {
    const Edit& e = edits[k];
    const bool context = k >= end;
    if (context && e.op != Op::kKeep) break;
    switch (e.op) {
      case Op::kKeep:
        body.append(" ").append(before[e.before]).append("\n");
        ++beforeCount;
        ++afterCount;
        break;
      case Op::kRemove:
        body.append("-").append(before[e.before]).append("\n");
        ++beforeCount;
        break;
      case Op::kAdd:
        body.append("+").append(after[e.after]).append("\n");
        ++afterCount;
        break;
    }
  }
  std::string hunk;
  hunk.append("--- ").append(beforeLabel).append("\n");
  hunk.append("+++ ").append(afterLabel).append("\n");
  hunk.append("@@ -" + Range(first - lead, beforeCount) + " +" + Range(first - lead, afterCount) + " @@\n");
  return hunk + body;
}

}  // namespace brendax
