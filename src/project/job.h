// A job of several generator runs: the file that `brendax-cli batch` runs
// and the window keeps as its project. One JSON object (UTF-8):
//   {"source": "anlage.awl", "symbols": "anlage.sdf", "symbols-format": "sdf", "mnemonics": "de",
//    "symbol-table": "projekt.sdf", "merge": true,
//    "runs": [{"generator": "db", "options": {"db-number": "100", "suffix": ["_A", "_B"]}}, ...]}
// Every run names a generator by its subcommand and gives its options by
// their long names, with text values. Relative paths start at the job
// file's folder (at the working folder for a job read from standard input).
// A job writes a source, a symbol file or both; "symbol-table" names the
// project's symbol table that the new rows must agree with, and "merge"
// makes the symbol file that table with the new rows added.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "core/symbol_table_file.h"

namespace brendax {

// How a job ends when it cannot be carried out; the command line's exit
// statuses.
inline constexpr int kJobRefused = 1;       // a run was refused, or two runs write one block, symbol or address
inline constexpr int kJobUsageError = 2;    // the job file cannot be read or names what no generator has
inline constexpr int kJobWriteFailure = 3;  // a file could not be written

// A job that cannot be carried out: the status and what to say.
struct JobFailure {
  int status;
  std::string message;  // UTF-8
};

struct JobOption {
  std::string name;                 // the long name without "--"
  std::vector<std::string> values;  // one, or several for a repeatable option (UTF-8)
  bool operator==(const JobOption&) const = default;
};

struct JobRun {
  std::string generator;
  std::vector<JobOption> options;
  // Lists that a run holds as text and that a file option names once the
  // job is saved: the option ("variant-symbols") and the file's text
  // (Windows-1252, as the dialog holds it). A job read from a file has none.
  std::map<std::string, std::string> fileTexts;
  bool operator==(const JobRun&) const = default;
};

struct Job {
  std::string sourcePath;       // empty: no source file (a job of symbols only)
  std::string symbolsPath;      // empty: no symbol file
  std::string symbolTablePath;  // "symbol-table": the project's symbol table; empty: none
  bool merge = false;           // "merge": the symbol file holds the table and the new rows
  SymbolFileFormat symbolsFormat = SymbolFileFormat::kTsv;
  std::string mnemonics = "de";
  std::vector<JobRun> runs;
  bool operator==(const Job&) const = default;
};

// "run 2 (db)": how messages name a run (index from 0).
std::string RunName(std::size_t index, const std::string& generator);

// The generators that write no blocks and so cannot be a job's run.
bool GeneratesNoBlocks(const std::string& generator);

// Options that name files; a relative path is taken from the job file's folder.
bool NamesFile(const std::string& generator, const std::string& option);

// The outputs belong to the job, not to a run.
bool IsOutputOption(const std::string& option);

// The path that stands for standard input as the job file.
inline constexpr const char* kJobFromStandardInput = "-";

// Reads and checks the job file (paths resolved against its folder; "-"
// reads standard input, paths then start at the working folder); every
// fault is a JobFailure with kJobUsageError. The file is read as every input
// is (core/input_file.h: a regular file of at most 16 MB). No output may be
// the job file itself, a file a run reads, or the symbol table (the symbol
// file may be the table it merges with). Names and texts from the file are
// shown escaped in the messages.
Job ReadJob(const std::string& jobPath);

// The options of one run from the JSON text of an object as a job's run
// gives them ({"db-number": "100", "suffix": ["_A"]}), in the object's order;
// a fault is a JobFailure (kJobUsageError) beginning "options: ".
std::vector<JobOption> ReadRunOptions(const std::string& jsonText);

// How messages name the job file: its path, or "standard input".
std::string JobFileName(const std::string& jobPath);

// The extension of the window's project files (a job file as any other).
inline constexpr const char* kProjectExtension = ".brendax.json";

// The job file's text for a job kept at `jobPath` (UTF-8, ending with a line
// break): paths inside the job file's folder are written relative to it,
// the others as they are; "symbols-format" only when the symbol file's
// extension does not say it. A run's file texts are left out (SaveJob
// writes them). ReadJob reads the text back as the same job.
std::string JobText(const Job& job, const std::string& jobPath);

// Saves the job at `jobPath`, all or nothing through the shared writer:
// every file text of a run into a file of its own beside the job file
// ("anlage.run3.variant-symbols.txt", UTF-8), which the run's option then
// names, and the job file itself. On success the job names those files and
// holds no file texts; on failure it stays as it was and the error names
// the file ("Cannot write anlage.brendax.json: Permission denied").
struct JobSaveResult {
  bool ok = true;
  std::string error;
};
JobSaveResult SaveJob(Job& job, const std::string& jobPath);

}  // namespace brendax
