#include "core/block_header.h"

#include <cctype>
#include <set>

#include "core/symbol_table_file.h"

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

namespace {

// Where the block's name starts in a header line; npos for other lines.
std::size_t HeaderNameStart(const std::string& line) {
  static const std::set<std::string> headers = {"TYPE", "DATA_BLOCK", "FUNCTION", "FUNCTION_BLOCK",
                                                "ORGANIZATION_BLOCK"};
  const std::string word = FirstWord(line);
  if (headers.count(word) == 0) return std::string::npos;
  std::size_t pos = line.find(word) + word.size();
  while (pos < line.size() && (line[pos] == ' ' || line[pos] == '\t')) ++pos;
  return pos;
}

// "FC_Kette" from FUNCTION "FC_Kette" : VOID.
std::optional<std::string> HeaderSymbol(const std::string& line) {
  const std::size_t start = HeaderNameStart(line);
  if (start >= line.size() || line[start] != '"') return std::nullopt;
  const std::size_t end = line.find('"', start + 1);
  if (end == std::string::npos || end == start + 1) return std::nullopt;
  return line.substr(start + 1, end - start - 1);
}

}  // namespace

std::optional<std::string> HeaderBlock(const std::string& line) {
  std::size_t pos = HeaderNameStart(line);
  if (pos == std::string::npos) return std::nullopt;
  std::string area;
  while (pos < line.size() && std::isalpha(static_cast<unsigned char>(line[pos]))) area += line[pos++];
  while (pos < line.size() && line[pos] == ' ') ++pos;
  std::string number;
  while (pos < line.size() && std::isdigit(static_cast<unsigned char>(line[pos]))) number += line[pos++];
  area = Upper(area);
  if (!IsBlockArea(area) || number.empty()) return std::nullopt;
  return area + " " + WithoutLeadingZeros(number);
}

std::optional<std::string> RowBlock(const SymbolRow& row) {
  const auto address = ParseSymbolAddress(row.address);
  if (!address || !address->bit.empty() || !IsBlockArea(Upper(address->area))) return std::nullopt;
  return Upper(address->area) + " " + WithoutLeadingZeros(address->number);
}

std::string SourceFileStem(const std::vector<std::string>& lines, const std::vector<SymbolRow>& rows) {
  const auto stem = [](std::string block) { return block.erase(block.find(' '), 1); };
  for (auto line = lines.rbegin(); line != lines.rend(); ++line) {
    if (auto block = HeaderBlock(*line)) return stem(*block);
    const auto symbol = HeaderSymbol(*line);
    if (!symbol) continue;
    for (const SymbolRow& row : rows)
      if (const auto block = RowBlock(row); block && row.symbol == *symbol) return stem(*block);
    std::string name = *symbol;
    for (char& c : name)
      if (std::string_view("\\/:*?<>|\"").find(c) != std::string_view::npos || static_cast<unsigned char>(c) < 32)
        c = '_';
    return name;
  }
  return {};
}

}  // namespace brendax
