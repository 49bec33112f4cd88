// The cases of goldens/cases.txt: the golden file and the arguments of
// brendax-cli that write it.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace brendax::testing {

struct GoldenCase {
  std::string file;               // relative to goldens/
  std::vector<std::string> args;  // without the program name
};

// Shown in test names and failures instead of the object's bytes.
inline void PrintTo(const GoldenCase& c, std::ostream* os) { *os << c.file; }

// Splits at blanks; "double quotes" keep blanks inside one argument.
std::vector<std::string> SplitArguments(const std::string& line);

// Every case of the file, in its order (comments and empty lines skipped).
std::vector<GoldenCase> LoadGoldenCases();

}  // namespace brendax::testing
