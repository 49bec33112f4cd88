#include "core/block_header.h"

#include <cctype>
#include <set>

namespace brendax {

std::string FirstWord(const std::string& line) {
  std::size_t begin = 0;
  while (begin < line.size() && (line[begin] == ' ' || line[begin] == '\t')) ++begin;
  std::size_t end = begin;
  while (end < line.size() && line[end] != ' ' && line[end] != '\t' && line[end] != ';') ++end;
  return line.substr(begin, end - begin);
}

std::string Upper(std::string text) {
  for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return text;
}

std::string WithoutLeadingZeros(const std::string& digits) {
  const std::size_t first = digits.find_first_not_of('0');
  return first == std::string::npos ? "0" : digits.substr(first);
}

bool IsBlockArea(const std::string& area) {
  static const std::set<std::string> areas = {"UDT", "DB", "FC", "FB", "OB", "SFC", "SFB", "VAT"};
  return areas.count(area) > 0;
}

std::optional<std::string> HeaderBlock(const std::string& line) {
  static const std::set<std::string> headers = {"TYPE", "DATA_BLOCK", "FUNCTION", "FUNCTION_BLOCK",
                                                "ORGANIZATION_BLOCK"};
  const std::string word = FirstWord(line);
  if (headers.count(word) == 0) return std::nullopt;
  std::size_t pos = line.find(word) + word.size();
  while (pos < line.size() && (line[pos] == ' ' || line[pos] == '\t')) ++pos;
  std::string area;
  while (pos < line.size() && std::isalpha(static_cast<unsigned char>(line[pos]))) area += line[pos++];
  while (pos < line.size() && line[pos] == ' ') ++pos;
  std::string number;
  while (pos < line.size() && std::isdigit(static_cast<unsigned char>(line[pos]))) number += line[pos++];
  area = Upper(area);
  if (!IsBlockArea(area) || number.empty()) return std::nullopt;
  return area + " " + WithoutLeadingZeros(number);
}

std::string SourceFileStem(const std::vector<std::string>& lines) {
  for (auto line = lines.rbegin(); line != lines.rend(); ++line) {
    if (auto block = HeaderBlock(*line)) {
      block->erase(block->find(' '), 1);
      return *block;
    }
  }
  return {};
}

}  // namespace brendax
