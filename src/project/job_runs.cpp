#include "project/job_runs.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <optional>

#include "core/file_writer.h"
#include "core/input_file.h"
#include "core/settings.h"
#include "text/cp1252.h"

namespace brendax {
namespace {

using Kind = RunOption::Kind;

// A table's fields as their subcommand makes options of them: a check box
// takes on or off, a list field one of its item names.
template <class Params>
void AddFieldOptions(std::vector<RunOption>& options, const FieldTable<Params>& table) {
  for (const auto& f : table) {
    switch (f.kind) {
      case FieldKind::kText: options.push_back({f.option, Kind::kText, {}}); break;
      case FieldKind::kCheck: options.push_back({f.option, Kind::kChoice, {"on", "off"}}); break;
      case FieldKind::kChoice: options.push_back({f.option, Kind::kChoice, f.choices}); break;
    }
  }
}

const std::map<std::string, std::vector<RunOption>>& AllRunOptions() {
  static const std::map<std::string, std::vector<RunOption>> all = [] {
    std::map<std::string, std::vector<RunOption>> m;
    AddFieldOptions(m["step-simple"], SimpleStepFields());

    auto& extended = m["step-extended"];
    extended.push_back({"example", Kind::kChoice, {"1", "2"}});
    AddFieldOptions(extended, ExtendedStepFields());

    auto& symbols = m["symbols"];
    symbols.push_back({"example", Kind::kChoice, {"interface", "cylinder", "program-number"}});
    symbols.push_back({"settings", Kind::kFile, {}});
    symbols.push_back({"template", Kind::kNumber, {}, 1, SettingsRecord::kTemplateCount});
    AddFieldOptions(symbols, SymbolTextFields());
    symbols.push_back({"area", Kind::kText, {}});

    auto& db = m["db"];
    AddFieldOptions(db, DbSourceTableFields());
    db.push_back({"suffix", Kind::kList, {}});
    db.push_back({"initial-value", Kind::kText, {}});

    AddFieldOptions(m["message-db"], MessageDbFields());

    auto& targetActual = m["target-actual-db"];
    AddFieldOptions(targetActual, TargetActualOptionFields());
    targetActual.push_back({"variant-symbols", Kind::kFile, {}});
    targetActual.push_back({"address-symbols", Kind::kFile, {}});

    auto& image = m["db-image"];
    image.push_back({kDbImageFileOption, Kind::kInput, {}});
    AddFieldOptions(image, DbImageOptionFields());
    return m;
  }();
  return all;
}

const RunOption* FindRunOption(const std::string& generator, const std::string& name) {
  for (const RunOption& option : RunOptionsOf(generator))
    if (option.name == name) return &option;
  return nullptr;
}

// A whole number as the command line reads it (decimal, 0x hexadecimal,
// 0 octal), or nothing.
std::optional<int> CommandLineNumber(const std::string& text) {
  if (text.empty()) return std::nullopt;
  char* end = nullptr;
  const long long value = std::strtoll(text.c_str(), &end, 0);
  if (end != text.c_str() + text.size() || static_cast<long long>(static_cast<int>(value)) != value)
    return std::nullopt;
  return static_cast<int>(value);
}

std::string ChoiceSet(const std::vector<std::string>& choices) {
  std::string set = "{";
  for (std::size_t i = 0; i < choices.size(); ++i) set += (i == 0 ? "" : ",") + choices[i];
  return set + "}";
}

// Why the value does not fit the option, worded as the command line says
// it; empty when it fits.
std::string ValueFault(const RunOption& option, const std::string& value) {
  switch (option.kind) {
    case Kind::kChoice:
      for (const auto& choice : option.choices)
        if (choice == value) return {};
      return value + " not in " + ChoiceSet(option.choices);
    case Kind::kNumber:
      if (const auto number = CommandLineNumber(value);
          number && *number >= option.minimum && *number <= option.maximum)
        return {};
      return "Value " + value + " not in range " + std::to_string(option.minimum) + " to " +
             std::to_string(option.maximum);
    case Kind::kFile: {
      const std::string problem = InputFileProblem(value);
      return problem.empty() ? problem : CannotReadMessage(value, problem);
    }
    case Kind::kText:
    case Kind::kList:
    case Kind::kInput: return {};
  }
  return {};
}

// The run's values by option, in the job's order.
std::map<std::string, std::vector<std::string>> ValuesOf(const JobRun& run) {
  std::map<std::string, std::vector<std::string>> values;
  for (const JobOption& option : run.options) {
    auto& list = values[option.name];
    list.insert(list.end(), option.values.begin(), option.values.end());
  }
  return values;
}

// The lists of a target/actual DB: the run's file texts, else its files.
bool TargetActualRecord(const JobRun& run, const GivenOptions& given,
                        const std::map<std::string, std::vector<std::string>>& values, TargetActualParams& params,
                        std::string& failure) {
  auto fileOf = [&](const char* option) {
    const auto it = values.find(option);
    return it == values.end() || it->second.empty() || run.fileTexts.count(option) > 0 ? std::string()
                                                                                       : it->second.back();
  };
  if (!TargetActualFromOptions(given, fileOf("variant-symbols"), fileOf("address-symbols"), params, failure))
    return false;
  for (const auto& f : TargetActualFields())
    if (const auto it = run.fileTexts.find(f.option); it != run.fileTexts.end()) params.*(f.text) = it->second;
  return true;
}

}  // namespace

const std::vector<RunOption>& RunOptionsOf(const std::string& generator) {
  static const std::vector<RunOption> none;
  const auto& all = AllRunOptions();
  const auto it = all.find(generator);
  return it == all.end() ? none : it->second;
}

void CheckRunNames(const Job& job, std::size_t index, const std::string& jobPath) {
  const JobRun& run = job.runs[index];
  const std::string runWhere = jobPath + ": run " + std::to_string(index + 1) + ": ";
  if (GeneratesNoBlocks(run.generator))
    throw JobFailure{kJobUsageError, runWhere + EscapedForMessage(run.generator) + " generates no blocks"};
  if (RunOptionsOf(run.generator).empty())
    throw JobFailure{kJobUsageError, runWhere + "unknown generator " + EscapedForMessage(run.generator)};
  const std::string where = jobPath + ": " + RunName(index, run.generator) + ": ";
  for (const JobOption& option : run.options) {
    if (run.generator == "db-image" && option.name == kDbImageFileOption) continue;
    if (IsOutputOption(option.name))
      throw JobFailure{kJobUsageError,
                       where + "option --" + EscapedForMessage(option.name) + " is set by the job, not by a run"};
    if (option.name.size() <= 1 || FindRunOption(run.generator, option.name) == nullptr)
      throw JobFailure{kJobUsageError, where + "unknown option --" + EscapedForMessage(option.name)};
  }
}

RunRecord RecordOfRun(const Job& job, std::size_t index, const std::string& jobPath) {
  CheckRunNames(job, index, jobPath);
  const JobRun& run = job.runs[index];
  const std::string where = jobPath + ": " + RunName(index, run.generator) + ": ";
  const auto values = ValuesOf(run);
  auto fail = [&where](const std::string& what) { return JobFailure{kJobUsageError, where + EscapedForMessage(what)}; };

  // The file db-image reads: one argument after "--"; the parser names the
  // others, last first, and the "--" with them.
  if (const auto it = values.find(kDbImageFileOption); run.generator == "db-image" && it != values.end()) {
    if (it->second.size() > 1) {
      std::string extra;
      for (std::size_t i = it->second.size() - 1; i >= 1; --i) extra += it->second[i] + " ";
      throw fail("The following arguments were not expected: " + extra + "--");
    }
  }
  // Every value, option by option in the subcommand's order; an option that
  // takes one value takes it once.
  GivenOptions given;
  for (const RunOption& option : RunOptionsOf(run.generator)) {
    const auto it = values.find(option.name);
    if (it == values.end() || it->second.empty()) continue;
    const std::string name = option.kind == Kind::kInput ? "FILE" : "--" + option.name;
    for (const std::string& value : it->second)
      if (const std::string fault = ValueFault(option, value); !fault.empty()) throw fail(name + ": " + fault);
    if (option.kind != Kind::kList && option.kind != Kind::kInput && it->second.size() > 1)
      throw fail(name + ": At Most 1 required but received " + std::to_string(it->second.size()));
    given[option.name] = it->second.front();
  }

  auto has = [&given](const char* option) { return given.count(option) > 0; };
  const GivenOptions& fields = given;
  std::string failure;
  if (run.generator == "step-simple") return SimpleStepFromOptions(fields);
  if (run.generator == "step-extended") return ExtendedStepFromOptions(has("example") ? given["example"] : "1", fields);
  if (run.generator == "symbols") {
    if (has("example") && has("template")) throw fail("--example excludes --template");
    if (has("settings") && !has("template")) throw fail("--settings requires --template");
    if (has("template") && !has("settings")) throw fail("--template requires --settings");
    SymbolsStart start;
    if (has("example")) start.example = given["example"];
    if (has("template")) {
      start.settingsFile = given["settings"];
      start.templateNumber = *CommandLineNumber(given["template"]);
    }
    SymbolParams params;
    const std::optional<std::string> area = has("area") ? std::optional(given["area"]) : std::nullopt;
    if (!SymbolsFromOptions(start, fields, area, params, failure)) throw fail(failure);
    return params;
  }
  if (run.generator == "db") {
    const auto suffixes = values.find("suffix");
    return DbSourceFromOptions(fields, suffixes == values.end() ? std::vector<std::string>{} : suffixes->second,
                               has("initial-value") ? std::optional(given["initial-value"]) : std::nullopt);
  }
  if (run.generator == "message-db") return MessageDbFromOptions(fields);
  if (run.generator == "target-actual-db") {
    TargetActualParams params;
    if (!TargetActualRecord(run, fields, values, params, failure)) throw fail(failure);
    return params;
  }
  // db-image
  if (!has(kDbImageFileOption)) throw fail("FILE is required");
  return DbImageFromOptions(fields, given[kDbImageFileOption]);
}

namespace {

// The project's symbol table: its rows and the line of each.
ParsedSymbolFile ReadJobSymbolTable(const std::string& path) {
  InputText read = ReadInputFile(path);
  if (!read.ok) throw JobFailure{kJobUsageError, CannotReadMessage(path, read.failure)};
  ParsedSymbolFile table = ParseSymbolFile(TextFileToCp1252(std::move(read.bytes)));
  if (!table.ok()) throw JobFailure{kJobUsageError, EscapedForMessage(path) + ": " + table.error};
  return table;
}

// "E50.0Zyl1ausg" (E 50.0)
// Appended piece by piece: a literal before the first string trips a false
// -Wrestrict in GCC 12 at -O3 (MinGW build).
std::string RowShown(const SymbolRow& row) {
  std::string shown(1, '"');
  shown += EscapedForMessage(Cp1252ToUtf8(row.symbol));
  shown += "\" (";
  shown += EscapedForMessage(Cp1252ToUtf8(SymbolAddressKey(row.address)));
  shown += ')';
  return shown;
}

// A new row naming a symbol or an address of the table otherwise than the
// table does refuses the job, naming the run and the table's line.
void CheckAgainstSymbolTable(const Job& job, const JobResult& result) {
  const auto collision = FindSymbolCollision(result.tableRows.rows, result.output.rows);
  if (!collision) return;
  const std::size_t run = result.output.rowRuns[collision->row];
  throw JobFailure{kJobRefused, RunName(run, job.runs[run].generator) + ": " +
                                    RowShown(result.output.rows[collision->row]) + " collides with " +
                                    EscapedForMessage(job.symbolTablePath) + " line " +
                                    std::to_string(result.tableRows.lines[collision->tableRow]) + ": " +
                                    RowShown(result.tableRows.rows[collision->tableRow])};
}

}  // namespace

JobResult GenerateJob(const Job& job, const std::string& jobPath, const RunRecordMaker& recordOf) {
  for (std::size_t i = 0; i < job.runs.size(); ++i) CheckRunNames(job, i, jobPath);
  const MnemonicSet mnemonics = MnemonicsFor(job.mnemonics == "en");
  std::vector<JobRunOutput> outputs;
  outputs.reserve(job.runs.size());
  for (std::size_t i = 0; i < job.runs.size(); ++i) {
    const RunRecord record = recordOf ? recordOf(job, i) : RecordOfRun(job, i, jobPath);
    JobRunOutput output{job.runs[i].generator, GenerateRecord(record, mnemonics), {}};
    if (!output.result.ok())
      throw JobFailure{kJobRefused, RunName(i, output.generator) + ": " + Cp1252ToUtf8(ErrorBoxText(output.result))};
    output.blocks = SplitBlocks(output.result.lines);
    std::vector<std::string>().swap(output.result.lines);  // the blocks hold them now
    outputs.push_back(std::move(output));
  }
  CheckCollisions(outputs);
  JobResult result;
  for (std::size_t i = 0; i < outputs.size(); ++i)
    for (const std::string& notice : outputs[i].result.notices)
      result.notices.emplace_back(RunName(i, outputs[i].generator), notice);
  result.output = CombineRuns(std::move(outputs));
  if (!job.symbolTablePath.empty()) {
    result.tableRows = ReadJobSymbolTable(job.symbolTablePath);
    CheckAgainstSymbolTable(job, result);
  }
  return result;
}

std::vector<SymbolRow> JobSymbolFileRows(const Job& job, const JobResult& result) {
  return job.merge ? MergeSymbolRows(result.tableRows.rows, result.output.rows) : result.output.rows;
}

void RecordRun(Job& job, const RunRecord& record, const std::string& jobPath) {
  JobRun run = RunOfRecord(record);
  const std::string key = RunKey(record);
  for (std::size_t i = 0; i < job.runs.size(); ++i) {
    JobRun& old = job.runs[i];
    if (old.generator != run.generator) continue;
    try {
      if (RunKey(RecordOfRun(job, i, jobPath)) != key) continue;
    } catch (const JobFailure&) {
      continue;  // a run that cannot be read is not this one
    }
    for (auto text = run.fileTexts.begin(); text != run.fileTexts.end();) {
      const auto named = std::find_if(old.options.begin(), old.options.end(),
                                      [&text](const JobOption& o) { return o.name == text->first; });
      std::string list;
      if (named != old.options.end() && named->values.size() == 1 && old.fileTexts.count(text->first) == 0 &&
          ReadAssignmentList(named->values.front(), list) && SplitListLines(list) == SplitListLines(text->second)) {
        run.options.push_back(*named);
        text = run.fileTexts.erase(text);
      } else {
        ++text;
      }
    }
    old = std::move(run);
    return;
  }
  job.runs.push_back(std::move(run));
}

}  // namespace brendax
