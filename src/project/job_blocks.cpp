#include "project/job_blocks.h"

#include <cctype>
#include <map>
#include <optional>
#include <set>

#include "core/symbol_table_file.h"
#include "project/job.h"
#include "text/cp1252.h"

namespace brendax {
namespace {

std::string FirstWord(const std::string& line) {
  std::size_t begin = 0;
  while (begin < line.size() && (line[begin] == ' ' || line[begin] == '\t')) ++begin;
  std::size_t end = begin;
  while (end < line.size() && line[end] != ' ' && line[end] != '\t' && line[end] != ';') ++end;
  return line.substr(begin, end - begin);
}

std::optional<BlockGroup> BlockEnd(const std::string& line) {
  const std::string word = FirstWord(line);
  if (word == "END_TYPE") return BlockGroup::kTypes;
  if (word == "END_DATA_BLOCK") return BlockGroup::kDataBlocks;
  if (word == "END_FUNCTION" || word == "END_FUNCTION_BLOCK" || word == "END_ORGANIZATION_BLOCK")
    return BlockGroup::kFunctions;
  return std::nullopt;
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

// "DB 100" from "DATA_BLOCK DB 100", "FC 80" from "FUNCTION FC 80 : VOID";
// a header naming its block by symbol gives nothing.
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

// The address cell as one key: "E 0.1" for "E   0.1", "DB 100" for "DB 0100".
std::string AddressKey(const std::string& cell) {
  const auto address = ParseSymbolAddress(cell);
  if (!address) return Upper(cell);
  std::string key = Upper(address->area) + " " + WithoutLeadingZeros(address->number);
  if (!address->bit.empty()) key += "." + address->bit;
  return key;
}

}  // namespace

std::vector<Block> SplitBlocks(const std::vector<std::string>& lines) {
  std::vector<Block> blocks;
  Block current;
  for (const std::string& line : lines) {
    current.lines.push_back(line);
    if (const auto group = BlockEnd(line)) {
      current.group = *group;
      blocks.push_back(std::move(current));
      current = Block{};
    }
  }
  if (!current.lines.empty()) {
    if (!blocks.empty()) {
      auto& last = blocks.back().lines;
      last.insert(last.end(), current.lines.begin(), current.lines.end());
    } else {
      blocks.push_back(std::move(current));
    }
  }
  return blocks;
}

bool IsEmptyRow(const SymbolRow& row) {
  return row.symbol.empty() && row.address.empty() && row.type.empty() && row.comment.empty();
}

void CheckCollisions(const std::vector<JobRunOutput>& outputs) {
  struct Seen {
    std::map<std::string, std::size_t> owner;  // key -> run index
    const char* what;
  };
  Seen blocks{{}, "block"};
  Seen symbols{{}, "symbol"};
  Seen addresses{{}, "address"};
  auto claim = [&](Seen& seen, const std::string& key, std::size_t run) {
    const auto [it, fresh] = seen.owner.emplace(key, run);
    if (fresh || it->second == run) return;
    throw JobFailure{kJobRefused, RunName(it->second, outputs[it->second].generator) + " and " +
                                      RunName(run, outputs[run].generator) + " both write the " + seen.what + " \"" +
                                      Cp1252ToUtf8(key) + "\""};
  };
  for (std::size_t run = 0; run < outputs.size(); ++run) {
    for (const Block& block : outputs[run].blocks) {
      for (const std::string& line : block.lines) {
        if (const auto id = HeaderBlock(line)) {
          claim(blocks, *id, run);
          break;
        }
      }
    }
    for (const SymbolRow& row : outputs[run].result.symbols) {
      if (const auto address = ParseSymbolAddress(row.address); address && address->bit.empty()) {
        const std::string area = Upper(address->area);
        if (IsBlockArea(area)) claim(blocks, area + " " + WithoutLeadingZeros(address->number), run);
      }
    }
  }
  for (std::size_t run = 0; run < outputs.size(); ++run) {
    for (const SymbolRow& row : outputs[run].result.symbols) {
      if (IsEmptyRow(row)) continue;
      if (!row.symbol.empty()) claim(symbols, row.symbol, run);
      if (!row.address.empty()) claim(addresses, AddressKey(row.address), run);
    }
  }
}

JobOutput CombineRuns(const std::vector<JobRunOutput>& outputs) {
  JobOutput combined;
  for (const BlockGroup group : {BlockGroup::kTypes, BlockGroup::kDataBlocks, BlockGroup::kFunctions}) {
    for (const JobRunOutput& output : outputs) {
      for (const Block& block : output.blocks) {
        if (block.group != group) continue;
        combined.lines.insert(combined.lines.end(), block.lines.begin(), block.lines.end());
        ++combined.blockCount;
      }
    }
  }
  for (const JobRunOutput& output : outputs)
    for (const SymbolRow& row : output.result.symbols)
      if (!IsEmptyRow(row)) combined.rows.push_back(row);
  return combined;
}

}  // namespace brendax
