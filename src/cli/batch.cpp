// batch: runs a job file of several generators and writes one source file
// that the engineering tool compiles in one pass and one symbol file with
// the rows of every run.
//
// The job file (JSON, UTF-8):
//   {"source": "anlage.awl", "symbols": "anlage.sdf", "symbols-format": "sdf", "mnemonics": "de",
//    "runs": [{"generator": "db", "options": {"db-number": "100", "suffix": ["_A", "_B"]}}, ...]}
// Every run is the subcommand of that name with its options by their long
// names; it runs in this process and its result is collected instead of
// printed. Nothing is written unless every run was generated and no two
// runs write the same block, symbol or address.
#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <memory>
#include <nlohmann/json.hpp>
#include <optional>
#include <set>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "cli/commands.h"
#include "cli/output.h"
#include "core/file_writer.h"
#include "core/symbol_table_file.h"
#include "text/cp1252.h"

namespace brendax::cli {
namespace {

namespace fs = std::filesystem;

// A job that cannot be carried out: the status and what to say.
struct JobFailure {
  int status;
  std::string message;  // UTF-8
};

struct JobOption {
  std::string name;                 // the long name without "--"
  std::vector<std::string> values;  // one, or several for a repeatable option
};

struct JobRun {
  std::string generator;
  std::vector<JobOption> options;
};

struct Job {
  std::string sourcePath;
  std::string symbolsPath;  // empty: no symbol file
  SymbolFileFormat symbolsFormat = SymbolFileFormat::kTsv;
  std::string mnemonics = "de";
  std::vector<JobRun> runs;
};

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

bool GeneratesNoBlocks(const std::string& generator) {
  return generator == "pointer" || generator == "address" || generator == "templates" || generator == "batch";
}

// Options that name files; a relative path is taken from the job file's folder.
bool NamesFile(const std::string& generator, const std::string& option) {
  return (generator == "db-image" && option == "file") ||
         (generator == "target-actual-db" && (option == "variant-symbols" || option == "address-symbols")) ||
         (generator == "symbols" && option == "settings");
}

// The outputs belong to the job, not to a run.
bool IsOutputOption(const std::string& option) {
  static const std::set<std::string> names = {"o",    "output",    "encoding", "symbols", "symbols-format",
                                              "json", "mnemonics", "help",     "h"};
  return names.count(option) > 0;
}

std::string RunName(std::size_t index, const std::string& generator) {
  return "run " + std::to_string(index + 1) + " (" + generator + ")";
}

std::string ResolvePath(const fs::path& folder, const std::string& path) {
  if (path.empty()) return path;
  const fs::path given = PathFromUtf8(path);
  return given.is_absolute() ? path : Utf8FromPath(folder / given);
}

// "line 3, column 7" of a byte position as the JSON parser counts it (from 1).
std::string PositionText(const std::string& text, std::size_t bytePosition) {
  const std::size_t end = std::min(bytePosition == 0 ? 0 : bytePosition - 1, text.size());
  std::size_t line = 1;
  std::size_t lineStart = 0;
  for (std::size_t i = 0; i < end; ++i) {
    if (text[i] == '\n') {
      ++line;
      lineStart = i + 1;
    }
  }
  return "line " + std::to_string(line) + ", column " + std::to_string(end - lineStart + 1);
}

// The parser's own words without its prefix and position.
std::string ParseErrorDetail(const std::string& what) {
  const std::size_t column = what.find("column ");
  const std::size_t colon = column == std::string::npos ? std::string::npos : what.find(": ", column);
  return colon == std::string::npos ? what : what.substr(colon + 2);
}

const nlohmann::json* Member(const nlohmann::json& object, const char* name) {
  const auto it = object.find(name);
  return it == object.end() ? nullptr : &*it;
}

std::string TextMember(const nlohmann::json& object, const char* name, const std::string& where) {
  const nlohmann::json* value = Member(object, name);
  if (value == nullptr) return {};
  if (!value->is_string()) throw JobFailure{kExitUsageError, where + "\"" + name + "\" must be a text"};
  return value->get<std::string>();
}

// Reads and checks the job file; every fault is a usage error.
Job ReadJob(const std::string& jobPath) {
  std::ifstream in(PathFromUtf8(jobPath), std::ios::binary);
  if (!in) throw JobFailure{kExitUsageError, "Cannot read the job file " + jobPath};
  std::ostringstream bytes;
  bytes << in.rdbuf();
  const std::string text = bytes.str();
  nlohmann::json document;
  try {
    document = nlohmann::json::parse(text);
  } catch (const nlohmann::json::parse_error& e) {
    throw JobFailure{kExitUsageError,
                     jobPath + ": not valid JSON at " + PositionText(text, e.byte) + ": " + ParseErrorDetail(e.what())};
  }
  const std::string where = jobPath + ": ";
  if (!document.is_object()) throw JobFailure{kExitUsageError, where + "the job must be a JSON object"};
  static const std::set<std::string> known = {"source", "symbols", "symbols-format", "mnemonics", "runs"};
  for (const auto& [key, value] : document.items()) {
    if (known.count(key) == 0) throw JobFailure{kExitUsageError, where + "unknown member \"" + key + "\""};
  }

  const fs::path folder = PathFromUtf8(jobPath).parent_path();
  Job job;
  job.sourcePath = ResolvePath(folder, TextMember(document, "source", where));
  if (job.sourcePath.empty()) throw JobFailure{kExitUsageError, where + "\"source\" names no file"};
  job.symbolsPath = ResolvePath(folder, TextMember(document, "symbols", where));
  if (Member(document, "symbols-format") != nullptr) {
    const auto format = ParseSymbolFileFormat(TextMember(document, "symbols-format", where));
    if (!format) throw JobFailure{kExitUsageError, where + "\"symbols-format\" must be tsv, asc, sdf or seq"};
    job.symbolsFormat = *format;
  } else {
    job.symbolsFormat = SymbolFileFormatForName(job.symbolsPath);
  }
  if (Member(document, "mnemonics") != nullptr) {
    job.mnemonics = TextMember(document, "mnemonics", where);
    if (job.mnemonics != "de" && job.mnemonics != "en")
      throw JobFailure{kExitUsageError, where + "\"mnemonics\" must be de or en"};
  }
  if (!job.symbolsPath.empty() && SameFile(job.sourcePath, job.symbolsPath))
    throw JobFailure{kExitUsageError, where + "\"source\" and \"symbols\" name the same file"};

  const nlohmann::json* runs = Member(document, "runs");
  if (runs == nullptr || !runs->is_array() || runs->empty())
    throw JobFailure{kExitUsageError, where + "\"runs\" must be a list of at least one run"};
  for (std::size_t i = 0; i < runs->size(); ++i) {
    const nlohmann::json& entry = (*runs)[i];
    const std::string runWhere = where + "run " + std::to_string(i + 1) + ": ";
    if (!entry.is_object()) throw JobFailure{kExitUsageError, runWhere + "must be a JSON object"};
    for (const auto& [key, value] : entry.items()) {
      if (key != "generator" && key != "options")
        throw JobFailure{kExitUsageError, runWhere + "unknown member \"" + key + "\""};
    }
    JobRun run;
    run.generator = TextMember(entry, "generator", runWhere);
    if (run.generator.empty()) throw JobFailure{kExitUsageError, runWhere + "\"generator\" is missing"};
    if (const nlohmann::json* options = Member(entry, "options")) {
      if (!options->is_object()) throw JobFailure{kExitUsageError, runWhere + "\"options\" must be a JSON object"};
      for (const auto& [key, value] : options->items()) {
        JobOption option{key.starts_with("--") ? key.substr(2) : key, {}};
        const std::string optionWhere = where + RunName(i, run.generator) + ": option --" + option.name;
        if (value.is_string()) {
          option.values.push_back(value.get<std::string>());
        } else if (value.is_array() &&
                   std::all_of(value.begin(), value.end(), [](const auto& v) { return v.is_string(); })) {
          for (const auto& v : value) option.values.push_back(v.get<std::string>());
        } else {
          throw JobFailure{kExitUsageError, optionWhere + ": the value must be a text or a list of texts"};
        }
        if (NamesFile(run.generator, option.name))
          for (auto& v : option.values) v = ResolvePath(folder, v);
        run.options.push_back(std::move(option));
      }
    }
    job.runs.push_back(std::move(run));
  }
  return job;
}

// The arguments of one run, as they would be typed; "--name=value" so that
// values beginning with "-" stay values, and an empty value as its own
// argument.
std::vector<std::string> RunArguments(const CLI::App& command, const Job& job, std::size_t index,
                                      const std::string& jobPath) {
  const JobRun& run = job.runs[index];
  const std::string where = jobPath + ": " + RunName(index, run.generator) + ": ";
  std::vector<std::string> args{run.generator};
  std::vector<std::string> positional;
  if (command.get_option_no_throw("--mnemonics") != nullptr) args.push_back("--mnemonics=" + job.mnemonics);
  for (const JobOption& option : run.options) {
    if (run.generator == "db-image" && option.name == "file") {
      positional.insert(positional.end(), option.values.begin(), option.values.end());
      continue;
    }
    if (IsOutputOption(option.name))
      throw JobFailure{kExitUsageError, where + "option --" + option.name + " is set by the job, not by a run"};
    const CLI::Option* known = option.name.size() > 1 ? command.get_option_no_throw("--" + option.name) : nullptr;
    if (known == nullptr) throw JobFailure{kExitUsageError, where + "unknown option --" + option.name};
    for (const std::string& value : option.values) {
      if (known->get_items_expected_max() == 0) {  // a flag
        if (value != "on" && value != "off")
          throw JobFailure{kExitUsageError, where + "option --" + option.name + " takes on or off"};
        if (value == "on") args.push_back("--" + option.name);
      } else if (value.empty()) {
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

// The subcommand of a run, or a usage error naming the run.
CLI::App* CommandOf(CLI::App& app, const JobRun& run, std::size_t index, const std::string& jobPath) {
  const std::string where = jobPath + ": run " + std::to_string(index + 1) + ": ";
  if (GeneratesNoBlocks(run.generator))
    throw JobFailure{kExitUsageError, where + run.generator + " generates no blocks"};
  for (CLI::App* sub : app.get_subcommands({})) {
    if (sub->get_name() == run.generator) return sub;
  }
  throw JobFailure{kExitUsageError, where + "unknown generator " + run.generator};
}

// --- Blocks --------------------------------------------------------------

enum class BlockGroup { kTypes = 0, kDataBlocks = 1, kFunctions = 2 };

struct Block {
  BlockGroup group = BlockGroup::kFunctions;
  std::vector<std::string> lines;
};

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

// Cuts a run's lines into blocks after each block's end; the lines before a
// header (comments, blank lines) go with the block they precede, lines after
// the last end with the last block.
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

bool IsEmptyRow(const SymbolRow& row) {
  return row.symbol.empty() && row.address.empty() && row.type.empty() && row.comment.empty();
}

struct RunOutput {
  std::string generator;
  GeneratorResult result;
  std::vector<Block> blocks;
};

// The blocks, symbols and addresses of every run; two runs sharing one of
// them is a refusal naming both.
void CheckCollisions(const std::vector<RunOutput>& outputs) {
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
    throw JobFailure{kExitValidationError, RunName(it->second, outputs[it->second].generator) + " and " +
                                               RunName(run, outputs[run].generator) + " both write the " + seen.what +
                                               " \"" + Cp1252ToUtf8(key) + "\""};
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

void PrintLines(const std::string& prefix, const std::string& cp1252) {
  std::string shown = Cp1252ToUtf8(cp1252);
  for (auto& ch : shown)
    if (ch == '\r') ch = '\n';
  std::cerr << prefix << shown << '\n';
}

// Runs one job entry in this process and returns its collected output.
RunOutput ExecuteRun(const Job& job, std::size_t index, const std::string& jobPath) {
  CLI::App app;
  RegisterJobGenerators(app);
  CLI::App* command = CommandOf(app, job.runs[index], index, jobPath);
  std::vector<std::string> args = RunArguments(*command, job, index, jobPath);
  std::reverse(args.begin(), args.end());  // the parser takes its arguments last first

  std::optional<RunOutput> collected;
  SetResultSink([&collected](const std::string& generator, const GeneratorResult& result) {
    collected = RunOutput{generator, result, {}};
  });
  struct SinkReset {
    ~SinkReset() { SetResultSink({}); }
  } reset;
  SetExitStatus(kExitGenerated);
  const std::string name = RunName(index, job.runs[index].generator);
  try {
    app.parse(args);
  } catch (const CLI::ParseError& e) {
    throw JobFailure{kExitUsageError, jobPath + ": " + name + ": " + e.what()};
  }
  if (!collected) {
    const int status = ExitStatus() == kExitGenerated ? kExitUsageError : ExitStatus();
    throw JobFailure{status, jobPath + ": " + name + ": the run could not be carried out"};
  }
  if (!collected->result.ok())
    throw JobFailure{kExitValidationError, name + ": " + Cp1252ToUtf8(ErrorBoxText(collected->result))};
  collected->blocks = SplitBlocks(collected->result.lines);
  return std::move(*collected);
}

int RunJob(const std::string& jobPath) {
  try {
    const Job job = ReadJob(jobPath);
    {  // every run names a generator with blocks and only its options
      for (std::size_t i = 0; i < job.runs.size(); ++i) {
        CLI::App app;
        RegisterJobGenerators(app);
        RunArguments(*CommandOf(app, job.runs[i], i, jobPath), job, i, jobPath);
      }
    }
    std::vector<RunOutput> outputs;
    outputs.reserve(job.runs.size());
    for (std::size_t i = 0; i < job.runs.size(); ++i) outputs.push_back(ExecuteRun(job, i, jobPath));
    CheckCollisions(outputs);

    std::vector<std::string> lines;
    std::size_t blockCount = 0;
    for (const BlockGroup group : {BlockGroup::kTypes, BlockGroup::kDataBlocks, BlockGroup::kFunctions}) {
      for (const RunOutput& output : outputs) {
        for (const Block& block : output.blocks) {
          if (block.group != group) continue;
          lines.insert(lines.end(), block.lines.begin(), block.lines.end());
          ++blockCount;
        }
      }
    }
    std::vector<SymbolRow> rows;
    for (const RunOutput& output : outputs)
      for (const SymbolRow& row : output.result.symbols)
        if (!IsEmptyRow(row)) rows.push_back(row);

    PendingWrites files;
    files.Stage(job.sourcePath, JoinLinesCrLf(lines));
    if (!job.symbolsPath.empty()) files.Stage(job.symbolsPath, FormatSymbolFile(rows, job.symbolsFormat));
    if (const WriteResult written = files.Commit(); !written.ok) throw JobFailure{kExitWriteFailure, written.error};

    for (std::size_t i = 0; i < outputs.size(); ++i)
      for (const std::string& notice : outputs[i].result.notices)
        PrintLines(RunName(i, outputs[i].generator) + ": ", notice);
    if (!job.symbolsPath.empty()) {
      if (const std::string warning = SymbolFileWarning(rows); !warning.empty()) PrintLines("", warning);
    }
    std::string summary = job.sourcePath + ": " + std::to_string(blockCount) + " blocks\n";
    if (!job.symbolsPath.empty()) summary += job.symbolsPath + ": " + std::to_string(rows.size()) + " rows\n";
    return WriteStandardOutput(summary) ? kExitGenerated : kExitWriteFailure;
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
