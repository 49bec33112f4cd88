#include "text/line_diff.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace brendax {
namespace {

std::vector<std::string> Numbered(int count) {
  std::vector<std::string> lines;
  for (int i = 1; i <= count; ++i) lines.push_back("L" + std::to_string(i));
  return lines;
}

TEST(LineDiff, FirstHunkWithThreeLinesOfContext) {
  const std::vector<std::string> before = Numbered(20);
  struct Case {
    const char* name;
    std::vector<std::string> after;
    std::string hunk;  // after the two header lines
  };
  std::vector<std::string> changed = before;
  changed[9] = "neu";
  std::vector<std::string> twoApart = changed;
  twoApart[12] = "auch neu";  // four equal lines between: one hunk
  std::vector<std::string> farApart = changed;
  farApart[18] = "weit weg";  // eight equal lines between: only the first hunk
  std::vector<std::string> inserted = before;
  inserted.insert(inserted.begin() + 1, "dazu");
  std::vector<std::string> removedAtEnd(before.begin(), before.end() - 1);
  const Case cases[] = {
      {"one line changed", changed, "@@ -7,7 +7,7 @@\n L7\n L8\n L9\n-L10\n+neu\n L11\n L12\n L13\n"},
      {"two changes close together", twoApart,
       "@@ -7,10 +7,10 @@\n L7\n L8\n L9\n-L10\n+neu\n L11\n L12\n-L13\n+auch neu\n L14\n L15\n L16\n"},
      {"the second far away", farApart, "@@ -7,7 +7,7 @@\n L7\n L8\n L9\n-L10\n+neu\n L11\n L12\n L13\n"},
      {"a line inserted near the start", inserted, "@@ -1,4 +1,5 @@\n L1\n+dazu\n L2\n L3\n L4\n"},
      {"the last line removed", removedAtEnd, "@@ -17,4 +17,3 @@\n L17\n L18\n L19\n-L20\n"},
      {"a missing file", {}, ""},
  };
  for (const auto& c : cases) {
    const std::string diff = FirstDiffHunk(before, c.after, "a.awl\t(on disk)", "a.awl\t(generated)");
    ASSERT_TRUE(diff.starts_with("--- a.awl\t(on disk)\n+++ a.awl\t(generated)\n")) << c.name << "\n" << diff;
    if (!c.hunk.empty()) {
      EXPECT_EQ(diff.substr(diff.find("@@")), c.hunk) << c.name;
    }
  }
  EXPECT_EQ(FirstDiffHunk({}, {"x"}, "-", "+"), "--- -\n+++ +\n@@ -0,0 +1,1 @@\n+x\n");
  EXPECT_EQ(FirstDiffHunk(before, before, "-", "+"), "");
  EXPECT_EQ(SplitTextLines("a\r\nb\nc"), (std::vector<std::string>{"a", "b", "c"}));
  EXPECT_EQ(SplitTextLines(""), std::vector<std::string>{});
}

}  // namespace
}  // namespace brendax
