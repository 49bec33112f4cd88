// The source a job writes: every run's lines cut into blocks, the blocks
// ordered so that the engineering tool compiles them in one pass (all types,
// then all data blocks, then all functions; in each group the job's order),
// and the check that no two runs write the same block, symbol or address.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "core/generator_result.h"

namespace brendax {

enum class BlockGroup { kTypes = 0, kDataBlocks = 1, kFunctions = 2 };

struct Block {
  BlockGroup group = BlockGroup::kFunctions;
  std::vector<std::string> lines;
};

// Cuts a run's lines into blocks after each block's end; the lines before a
// header (comments, blank lines) go with the block they precede, lines after
// the last end with the last block.
std::vector<Block> SplitBlocks(const std::vector<std::string>& lines);

// One generated run of a job.
struct JobRunOutput {
  std::string generator;
  GeneratorResult result;
  std::vector<Block> blocks;
};

// The blocks, symbols and addresses of every run; two runs sharing one of
// them is a JobFailure (kJobRefused) naming both:
// run 1 (db) and run 3 (db) both write the block "DB 100".
void CheckCollisions(const std::vector<JobRunOutput>& outputs);

// The job's whole output.
struct JobOutput {
  std::vector<std::string> lines;    // the source, in one-pass order
  std::vector<SymbolRow> rows;       // every run's rows in job order, blank rows left out
  std::vector<std::size_t> rowRuns;  // the run (index) of each row
  std::size_t blockCount = 0;
};
JobOutput CombineRuns(const std::vector<JobRunOutput>& outputs);
// The same, moving the blocks' lines out of the runs instead of copying them.
JobOutput CombineRuns(std::vector<JobRunOutput>&& outputs);

bool IsEmptyRow(const SymbolRow& row);

}  // namespace brendax
