// Searching generated lines, and reading golden files, for the tests.
#pragma once

#include <string>
#include <vector>

namespace brendax::testing {

using TextLines = std::vector<std::string>;

// Index of the first line equal to `line` at or after `from`; -1 when absent.
int IndexOf(const TextLines& lines, const std::string& line, int from = 0);
bool Contains(const TextLines& lines, const std::string& line);
int CountOf(const TextLines& lines, const std::string& line);
// How many lines hold `part` somewhere.
int CountHolding(const TextLines& lines, const std::string& part);
// The lines from the first one equal to `from` (inclusive) up to the next
// one equal to `to` (exclusive); empty when `from` is absent.
TextLines Slice(const TextLines& lines, const std::string& from, const std::string& to);
// The line after the first one that starts with `titleStart` (a banner
// setting's value line); "<missing>" when there is none.
std::string LineAfter(const TextLines& lines, const std::string& titleStart);

// A file under goldens/, byte for byte; empty (and a test failure) when it
// cannot be read.
std::string ReadGolden(const std::string& relativePath);

}  // namespace brendax::testing
