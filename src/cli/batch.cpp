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
#include <filesystem>
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "cli/commands.h"
#include "cli/output.h"
#include "cli/run_arguments.h"
#include "core/file_writer.h"
#include "core/input_file.h"
#include "core/symbol_table_file.h"
#include "project/job.h"
#include "project/job_blocks.h"
#include "project/job_runs.h"
#include "text/cp1252.h"
#include "text/line_diff.h"

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
  std::vector<std::string> args = RunArguments(job.runs[index], job.mnemonics);
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
    throw JobFailure{kJobUsageError, jobPath + ": " + name + ": " + EscapedForMessage(e.what())};
  }
  if (!collected) {
    const int status = ExitStatus() == kExitGenerated ? kJobUsageError : ExitStatus();
    throw JobFailure{status, jobPath + ": " + name + ": the run could not be carried out"};
  }
  return std::move(*collected);
}

// The file on disk against what the job would write: nothing when they are
// equal, else the first hunk of a unified diff in UTF-8. A missing file
// counts as empty; one that cannot be read is a usage error.
std::string Difference(const std::string& path, const std::string& generated) {
  InputFile file(path);
  std::string onDisk;
  std::string label = EscapedForMessage(path) + "\t(on disk)";
  if (!file.opened()) {
    std::error_code error;
    if (std::filesystem::exists(PathFromUtf8(path), error))
      throw JobFailure{kJobUsageError, CannotReadMessage(path, file.failure())};
    label = EscapedForMessage(path) + "\t(missing)";
  } else if (!file.ReadAll(kTextInputLimit, onDisk)) {
    throw JobFailure{kJobUsageError, CannotReadMessage(path, file.failure())};
  }
  if (onDisk == generated) return {};
  const auto utf8Lines = [](const std::string& cp1252) {
    std::vector<std::string> lines = SplitTextLines(cp1252);
    for (auto& line : lines) line = EscapedForMessage(Cp1252ToUtf8(line), true, true);
    return lines;
  };
  std::string hunk =
      FirstDiffHunk(utf8Lines(onDisk), utf8Lines(generated), label, EscapedForMessage(path) + "\t(generated)");
  // Equal lines, but not the same bytes (line ends): still a difference.
  if (hunk.empty())
    hunk = "--- " + label + "\n+++ " + EscapedForMessage(path) + "\t(generated)\n@@ line ends differ @@\n";
  return hunk;
}

int RunJob(const std::string& jobPath, bool check) {
  try {
    const Job job = ReadJob(jobPath);
    const std::string shownJob = JobFileName(jobPath);
    const JobResult result = GenerateJob(
        job, shownJob, [&shownJob](const Job& j, std::size_t index) { return ParseRun(j, index, shownJob); });
    const std::vector<std::string>& lines = result.output.lines;
    const std::vector<SymbolRow> rows = JobSymbolFileRows(job, result);

    if (check) {
      // Generated in memory and compared; nothing is written.
      std::string report;
      if (!job.sourcePath.empty()) report += Difference(job.sourcePath, JoinLinesCrLf(lines));
      if (!job.symbolsPath.empty()) report += Difference(job.symbolsPath, FormatSymbolFile(rows, job.symbolsFormat));
      for (const auto& [run, notice] : result.notices) PrintLines(run + ": ", notice);
      if (!WriteStandardOutput(report)) return kJobWriteFailure;
      return report.empty() ? kExitGenerated : kJobRefused;
    }

    PendingWrites files;
    if (!job.sourcePath.empty()) files.Stage(job.sourcePath, LinesSource(lines, "windows-1252"));
    if (!job.symbolsPath.empty()) files.Stage(job.symbolsPath, FormatSymbolFile(rows, job.symbolsFormat));
    if (const WriteResult written = files.Commit(); !written.ok) throw JobFailure{kJobWriteFailure, written.error};

    for (const auto& [run, notice] : result.notices) PrintLines(run + ": ", notice);
    if (!job.symbolsPath.empty()) {
      if (const std::string warning = SymbolFileWarning(rows); !warning.empty()) PrintLines("", warning);
    }
    std::string summary;
    if (!job.sourcePath.empty())
      summary += EscapedForMessage(job.sourcePath) + ": " + std::to_string(result.output.blockCount) + " blocks\n";
    if (!job.symbolsPath.empty())
      summary += EscapedForMessage(job.symbolsPath) + ": " + std::to_string(rows.size()) + " rows\n";
    return WriteStandardOutput(summary) ? kExitGenerated : kJobWriteFailure;
  } catch (const JobFailure& failure) {
    std::cerr << failure.message << '\n';
    return failure.status;
  }
}

}  // namespace

std::vector<std::string> RunArguments(const JobRun& run, const std::string& mnemonics) {
  std::vector<std::string> args{run.generator};
  if (!mnemonics.empty()) args.push_back("--mnemonics=" + mnemonics);
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

void RegisterBatch(CLI::App& app) {
  auto jobPath = std::make_shared<std::string>();
  auto check = std::make_shared<bool>(false);
  CLI::App* command = app.add_subcommand(
      "batch",
      "Runs a job file (JSON) of several generators and writes one source file holding every block in an order "
      "that compiles in one pass (types, then data blocks, then functions) and one symbol file with every row");
  command->add_option("JOB", *jobPath, "The job file; - reads it from standard input (paths from the working folder)")
      ->required();
  command->add_flag("--check", *check,
                    "Write nothing: compare what the job would write with the files on disk; exit status 0 when "
                    "they are equal, 1 with the first difference of each file as a unified diff on standard output");
  command->footer(
      "Job file: {\"source\": FILE, \"symbols\": FILE, \"symbols-format\": \"tsv|asc|sdf|seq\", \"mnemonics\": "
      "\"de|en\", \"symbol-table\": FILE, \"merge\": true|false, \"runs\": [{\"generator\": \"db\", \"options\": "
      "{\"db-number\": \"100\", \"suffix\": [\"_A\"]}}]}; \"source\" or \"symbols\" may be left out. "
      "Options are given by their long names with text values (on|off for check boxes, a list of texts for a "
      "repeatable option, \"file\" for the file of db-image); relative paths start at the job file's folder. "
      "Both files are written together, and only when every run was generated and no two runs write the same "
      "block, symbol or address. A \"symbol-table\" (ASC, SDF, SEQ or TAB text) is read first: a row that gives one "
      "of its symbols another address, or one of its addresses another symbol, refuses the job; with \"merge\" the "
      "symbol file is that table with the new rows added.");
  command->callback([jobPath, check] { SetExitStatus(RunJob(*jobPath, *check)); });
}

}  // namespace brendax::cli
