// batch: runs a job file of several generators and writes one source file
// that the engineering tool compiles in one pass and one symbol file with
// the rows of every run.
//
// The job file (JSON, UTF-8):
//   {"source": "anlage.awl", "symbols": "anlage.sdf", "symbols-format": "sdf", "mnemonics": "de",
//    "runs": [{"generator": "db", "options": {"db-number": "100", "suffix": ["_A", "_B"]}}, ...]}
// Every run is the subcommand of that name with its options by their long
// names; it parses them in this process and its record is collected instead
// of printed. Reading the job, the checks, the generating and the order of
// the blocks are the core's (project/); nothing is written unless every run
// was generated and no two runs write the same block, symbol or address.
#include <algorithm>
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "cli/commands.h"
#include "cli/output.h"
#include "core/file_writer.h"
#include "core/symbol_table_file.h"
#include "project/job.h"
#include "project/job_blocks.h"
#include "project/job_runs.h"
#include "text/cp1252.h"

namespace brendax::cli {
namespace {

static_assert(kJobRefused == kExitValidationError && kJobUsageError == kExitUsageError &&
              kJobWriteFailure == kExitWriteFailure);

// The generators a job may run: those that write blocks or symbol rows.
void RegisterJobGenerators(CLI::App& app) {
  RegisterStepSimple(app);
  RegisterStepExtended(app);
  RegisterSymbols(app);
  RegisterDb(app);
  RegisterMessageDb(app);
  RegisterTargetActualDb(app);
  RegisterDbImage(app);
}

// The arguments of one run, as they would be typed; "--name=value" so that
// values beginning with "-" stay values, and an empty value as its own
// argument. The names are checked already (CheckRunNames).
std::vector<std::string> RunArguments(const Job& job, std::size_t index) {
  const JobRun& run = job.runs[index];
  std::vector<std::string> args{run.generator, "--mnemonics=" + job.mnemonics};
  std::vector<std::string> positional;
  for (const JobOption& option : run.options) {
    if (run.generator == "db-image" && option.name == kDbImageFileOption) {
      positional.insert(positional.end(), option.values.begin(), option.values.end());
      continue;
    }
    for (const std::string& value : option.values) {
      if (value.empty()) {
        args.push_back("--" + option.name);
        args.emplace_back();
      } else {
        args.push_back("--" + option.name + "=" + value);
      }
    }
  }
  if (!positional.empty()) {
    args.emplace_back("--");
    args.insert(args.end(), positional.begin(), positional.end());
  }
  return args;
}

void PrintLines(const std::string& prefix, const std::string& cp1252) {
  std::string shown = Cp1252ToUtf8(cp1252);
  for (auto& ch : shown)
    if (ch == '\r') ch = '\n';
  std::cerr << prefix << shown << '\n';
}

// The record of one job entry: its subcommand parses the run's options in
// this process and hands over the record instead of generating it.
RunRecord ParseRun(const Job& job, std::size_t index, const std::string& jobPath) {
  CLI::App app;
  RegisterJobGenerators(app);
  std::vector<std::string> args = RunArguments(job, index);
  std::reverse(args.begin(), args.end());  // the parser takes its arguments last first

  std::optional<RunRecord> collected;
  SetRecordSink([&collected](const RunRecord& record) { collected = record; });
  struct SinkReset {
    ~SinkReset() { SetRecordSink({}); }
  } reset;
  SetExitStatus(kExitGenerated);
  const std::string name = RunName(index, job.runs[index].generator);
  try {
    app.parse(args);
  } catch (const CLI::ParseError& e) {
    throw JobFailure{kJobUsageError, jobPath + ": " + name + ": " + e.what()};
  }
  if (!collected) {
    const int status = ExitStatus() == kExitGenerated ? kJobUsageError : ExitStatus();
    throw JobFailure{status, jobPath + ": " + name + ": the run could not be carried out"};
  }
  return std::move(*collected);
}

int RunJob(const std::string& jobPath) {
  try {
    const Job job = ReadJob(jobPath);
    const JobResult result =
        GenerateJob(job, jobPath, [&jobPath](const Job& j, std::size_t index) { return ParseRun(j, index, jobPath); });
    const std::vector<std::string>& lines = result.output.lines;
    const std::vector<SymbolRow>& rows = result.output.rows;

    PendingWrites files;
    files.Stage(job.sourcePath, JoinLinesCrLf(lines));
    if (!job.symbolsPath.empty()) files.Stage(job.symbolsPath, FormatSymbolFile(rows, job.symbolsFormat));
    if (const WriteResult written = files.Commit(); !written.ok) throw JobFailure{kJobWriteFailure, written.error};

    for (const auto& [run, notice] : result.notices) PrintLines(run + ": ", notice);
    if (!job.symbolsPath.empty()) {
      if (const std::string warning = SymbolFileWarning(rows); !warning.empty()) PrintLines("", warning);
    }
    std::string summary = job.sourcePath + ": " + std::to_string(result.output.blockCount) + " blocks\n";
    if (!job.symbolsPath.empty()) summary += job.symbolsPath + ": " + std::to_string(rows.size()) + " rows\n";
    return WriteStandardOutput(summary) ? kExitGenerated : kJobWriteFailure;
  } catch (const JobFailure& failure) {
    std::cerr << failure.message << '\n';
    return failure.status;
  }
}

}  // namespace

void RegisterBatch(CLI::App& app) {
  auto jobPath = std::make_shared<std::string>();
  CLI::App* command = app.add_subcommand(
      "batch",
      "Runs a job file (JSON) of several generators and writes one source file holding every block in an order "
      "that compiles in one pass (types, then data blocks, then functions) and one symbol file with every row");
  command->add_option("JOB", *jobPath, "The job file")->required();
  command->footer(
      "Job file: {\"source\": FILE, \"symbols\": FILE, \"symbols-format\": \"tsv|asc|sdf|seq\", \"mnemonics\": "
      "\"de|en\", \"runs\": [{\"generator\": \"db\", \"options\": {\"db-number\": \"100\", \"suffix\": [\"_A\"]}}]}. "
      "Options are given by their long names with text values (on|off for check boxes, a list of texts for a "
      "repeatable option, \"file\" for the file of db-image); relative paths start at the job file's folder. "
      "Both files are written together, and only when every run was generated and no two runs write the same "
      "block, symbol or address.");
  command->callback([jobPath] { SetExitStatus(RunJob(*jobPath)); });
}

}  // namespace brendax::cli
