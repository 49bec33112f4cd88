#include "support/golden_cases.h"

#include <fstream>

namespace brendax::testing {

std::vector<std::string> SplitArguments(const std::string& line) {
  std::vector<std::string> words;
  std::string word;
  bool quoted = false;
  bool any = false;
  for (const char ch : line) {
    if (ch == '"') {
      quoted = !quoted;
      any = true;
    } else if (ch == ' ' && !quoted) {
      if (any) words.push_back(word);
      word.clear();
      any = false;
    } else {
      word += ch;
      any = true;
    }
  }
  if (any) words.push_back(word);
  return words;
}

std::vector<GoldenCase> LoadGoldenCases() {
  std::vector<GoldenCase> cases;
  std::ifstream in(std::string(BRENDAX_GOLDEN_DIR) + "/cases.txt");
  std::string line;
  while (std::getline(in, line)) {
    if (line.empty() || line[0] == '#') continue;
    auto words = SplitArguments(line);
    if (words.empty()) continue;
    cases.push_back(GoldenCase{words.front(), {words.begin() + 1, words.end()}});
  }
  return cases;
}

}  // namespace brendax::testing
