// Carrying out a job: which options each generator's run may give, the
// record of every run, and the whole output (source in one-pass order,
// every symbol row, the runs' notices). The command line's batch and the
// window's "Alles generieren" both end here, so they give the same bytes.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "core/symbol_table_file.h"
#include "project/job.h"
#include "project/job_blocks.h"
#include "project/run_record.h"

namespace brendax {

// An option of a generator's run, as its subcommand takes it.
struct RunOption {
  enum class Kind {
    kText,    // any text
    kChoice,  // one of `choices`
    kList,    // repeatable: any number of texts
    kNumber,  // a whole number from `minimum` to `maximum`
    kFile,    // a file that must be readable (core/input_file.h)
    kInput,   // the file db-image reads (required, checked when read)
  };
  std::string name;
  Kind kind = Kind::kText;
  std::vector<std::string> choices;
  int minimum = 0;
  int maximum = 0;
};

// The options a job's run of the generator may give, in the order its
// subcommand defines them; empty for a generator that no run may name.
const std::vector<RunOption>& RunOptionsOf(const std::string& generator);

// Checks that the run names a generator with blocks and only options of
// that generator; a JobFailure (kJobUsageError) names the run otherwise:
// "job.json: run 3 (db): unknown option --foo".
void CheckRunNames(const Job& job, std::size_t index, const std::string& jobPath);

// The record of a run from its options, as the generator's subcommand
// reads them: every value checked (a choice, a number, a file that must
// exist, one value for an option that takes one), worded as the command
// line words it; then the record, with the lists of a target/actual DB from
// the run's file texts or else from their files. A JobFailure
// (kJobUsageError) names the run.
RunRecord RecordOfRun(const Job& job, std::size_t index, const std::string& jobPath);

// The job's output and what its runs had to say.
struct JobResult {
  JobOutput output;
  // The notices of the runs in job order: the run's name and the notice
  // (Windows-1252, lines separated by CR).
  std::vector<std::pair<std::string, std::string>> notices;
  // The job's symbol table, when it names one: its rows and their lines.
  ParsedSymbolFile tableRows;
};

// Makes the record of run `index` of the job.
using RunRecordMaker = std::function<RunRecord(const Job& job, std::size_t index)>;

// The whole job: every run's names checked first, then run by run its
// record made and generated with the job's mnemonics (a refused run is a
// JobFailure kJobRefused: "run 2 (db): Error: 3 / ..."), then the check that
// no two runs write one block, symbol or address, and the combined output.
// With a symbol table (read as every input is, in any of the four formats,
// Windows-1252 or UTF-8), a new row that gives a symbol of the table another
// address, or an address of the table another symbol, is a JobFailure
// kJobRefused naming the run and the table's line:
//   run 2 (symbols): "Zyl1" (E 50.0) collides with projekt.sdf line 7: "Zylinder1" (E 50.0)
// a table that cannot be read or holds a line that is no row a JobFailure
// kJobUsageError. `recordOf` defaults to RecordOfRun.
JobResult GenerateJob(const Job& job, const std::string& jobPath, const RunRecordMaker& recordOf = {});

// The rows of the job's symbol file: the new rows; with "merge" the table's
// rows, then the new rows it does not hold yet.
std::vector<SymbolRow> JobSymbolFileRows(const Job& job, const JobResult& result);

// Keeps a generated record as the job's run: in place of the run of the
// same generator and block (RunKey), else as the last run. A list of a
// target/actual DB that the replaced run took from a file holding the same
// text keeps that file; any other list becomes a file text of the run.
void RecordRun(Job& job, const RunRecord& record, const std::string& jobPath);

}  // namespace brendax
