#include "project/job_blocks.h"

#include <map>
#include <optional>
#include <span>
#include <type_traits>
#include <utility>

#include "core/block_header.h"
#include "core/symbol_table_file.h"
#include "project/job.h"
#include "text/cp1252.h"

namespace brendax {
namespace {

std::optional<BlockGroup> BlockEnd(const std::string& line) {
  const std::string word = FirstWord(line);
  if (word == "END_TYPE") return BlockGroup::kTypes;
  if (word == "END_DATA_BLOCK") return BlockGroup::kDataBlocks;
  if (word == "END_FUNCTION" || word == "END_FUNCTION_BLOCK" || word == "END_ORGANIZATION_BLOCK")
    return BlockGroup::kFunctions;
  return std::nullopt;
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
    for (const SymbolRow& row : outputs[run].result.symbols)
      if (const auto block = RowBlock(row)) claim(blocks, *block, run);
  }
  for (std::size_t run = 0; run < outputs.size(); ++run) {
    for (const SymbolRow& row : outputs[run].result.symbols) {
      if (IsEmptyRow(row)) continue;
      if (!row.symbol.empty()) claim(symbols, row.symbol, run);
      if (!row.address.empty()) claim(addresses, SymbolAddressKey(row.address), run);
    }
  }
}

namespace {

// `Output` is JobRunOutput (the lines are moved) or const JobRunOutput (copied).
template <class Output>
JobOutput Combine(std::span<Output> outputs) {
  JobOutput combined;
  for (const BlockGroup group : {BlockGroup::kTypes, BlockGroup::kDataBlocks, BlockGroup::kFunctions}) {
    for (Output& output : outputs) {
      for (auto& block : output.blocks) {
        if (block.group != group) continue;
        if constexpr (std::is_const_v<Output>) {
          combined.lines.insert(combined.lines.end(), block.lines.begin(), block.lines.end());
        } else {
          combined.lines.insert(combined.lines.end(), std::make_move_iterator(block.lines.begin()),
                                std::make_move_iterator(block.lines.end()));
          std::vector<std::string>().swap(block.lines);
        }
        ++combined.blockCount;
      }
    }
  }
  for (std::size_t run = 0; run < outputs.size(); ++run) {
    for (const SymbolRow& row : outputs[run].result.symbols) {
      if (IsEmptyRow(row)) continue;
      combined.rows.push_back(row);
      combined.rowRuns.push_back(run);
    }
  }
  return combined;
}

}  // namespace

JobOutput CombineRuns(const std::vector<JobRunOutput>& outputs) {
  return Combine(std::span<const JobRunOutput>(outputs));
}

JobOutput CombineRuns(std::vector<JobRunOutput>&& outputs) { return Combine(std::span<JobRunOutput>(outputs)); }

}  // namespace brendax
