#include "project/job.h"

#include <algorithm>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <set>

#include "core/file_writer.h"
#include "core/input_file.h"
#include "text/cp1252.h"

namespace brendax {
namespace {

namespace fs = std::filesystem;

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
  if (!value->is_string()) throw JobFailure{kJobUsageError, where + "\"" + name + "\" must be a text"};
  return value->get<std::string>();
}

std::string FormatName(SymbolFileFormat format) {
  switch (format) {
    case SymbolFileFormat::kAsc: return "asc";
    case SymbolFileFormat::kSdf: return "sdf";
    case SymbolFileFormat::kSeq: return "seq";
    case SymbolFileFormat::kTsv: break;
  }
  return "tsv";
}

// A path as the job file at `folder` names it.
std::string PathInJob(const fs::path& folder, const std::string& path) {
  const fs::path given = PathFromUtf8(path);
  if (path.empty() || !given.is_absolute() || !folder.is_absolute()) return path;
  const fs::path relative = given.lexically_normal().lexically_relative(folder.lexically_normal());
  if (relative.empty() || *relative.begin() == "..") return path;
  return relative.generic_string();
}

// "anlage" of "anlage.brendax.json" (or of "anlage.json").
std::string ProjectStem(const fs::path& jobFile) {
  std::string name = Utf8FromPath(jobFile.filename());
  const std::string extension = kProjectExtension;
  if (name.size() > extension.size() && name.ends_with(extension))
    return name.substr(0, name.size() - extension.size());
  return Utf8FromPath(jobFile.stem());
}

// No output of the job is one of its inputs: the job file, the symbol
// table (unless the symbol file merges into it) or a file a run reads.
void CheckOutputsAreNoInputs(const Job& job, const std::string& jobPath, const std::string& where) {
  const struct {
    const char* member;
    const std::string& path;
  } outputs[] = {{"source", job.sourcePath}, {"symbols", job.symbolsPath}};
  for (const auto& output : outputs) {
    if (output.path.empty()) continue;
    const auto refuse = [&](const std::string& what) {
      throw JobFailure{kJobUsageError, where + "\"" + output.member + "\" is " + what};
    };
    if (jobPath != kJobFromStandardInput && SameFile(output.path, jobPath)) refuse("the job file itself");
    // The symbol file may be the table it merges with: the table read first, then rewritten with the new rows.
    const bool mergesInPlace = job.merge && output.path == job.symbolsPath;
    if (!job.symbolTablePath.empty() && !mergesInPlace && SameFile(output.path, job.symbolTablePath))
      refuse("the symbol table");
    for (std::size_t i = 0; i < job.runs.size(); ++i)
      for (const JobOption& option : job.runs[i].options)
        if (NamesFile(job.runs[i].generator, option.name))
          for (const std::string& value : option.values)
            if (SameFile(output.path, value)) refuse("the file " + RunName(i, job.runs[i].generator) + " reads");
  }
}

// A run's "options" object: every value a text or a list of texts.
std::vector<JobOption> OptionsOfRun(const nlohmann::json& options, const std::string& where) {
  std::vector<JobOption> result;
  for (const auto& [key, value] : options.items()) {
    JobOption option{key.starts_with("--") ? key.substr(2) : key, {}};
    if (value.is_string()) {
      option.values.push_back(value.get<std::string>());
    } else if (value.is_array() &&
               std::all_of(value.begin(), value.end(), [](const auto& v) { return v.is_string(); })) {
      for (const auto& v : value) option.values.push_back(v.get<std::string>());
    } else {
      throw JobFailure{kJobUsageError, where + "option --" + EscapedForMessage(option.name) +
                                           ": the value must be a text or a list of texts"};
    }
    result.push_back(std::move(option));
  }
  return result;
}

}  // namespace

std::vector<JobOption> ReadRunOptions(const std::string& jsonText) {
  nlohmann::json document;
  try {
    document = nlohmann::json::parse(jsonText);
  } catch (const nlohmann::json::parse_error& e) {
    throw JobFailure{kJobUsageError, "options: not valid JSON at " + PositionText(jsonText, e.byte) + ": " +
                                         EscapedForMessage(ParseErrorDetail(e.what()))};
  }
  if (!document.is_object()) throw JobFailure{kJobUsageError, "options: must be a JSON object"};
  return OptionsOfRun(document, "options: ");
}

std::string RunName(std::size_t index, const std::string& generator) {
  return "run " + std::to_string(index + 1) + " (" + EscapedForMessage(generator) + ")";
}

bool GeneratesNoBlocks(const std::string& generator) {
  return generator == "pointer" || generator == "address" || generator == "templates" || generator == "batch";
}

bool NamesFile(const std::string& generator, const std::string& option) {
  return (generator == "db-image" && option == "file") ||
         (generator == "target-actual-db" && (option == "variant-symbols" || option == "address-symbols")) ||
         (generator == "symbols" && option == "settings");
}

bool IsOutputOption(const std::string& option) {
  static const std::set<std::string> names = {"o",    "output",    "encoding", "symbols", "symbols-format",
                                              "json", "mnemonics", "help",     "h"};
  return names.count(option) > 0;
}

std::string JobFileName(const std::string& jobPath) {
  return jobPath == kJobFromStandardInput ? std::string("standard input") : EscapedForMessage(jobPath);
}

Job ReadJob(const std::string& jobPath) {
  const bool fromStandardInput = jobPath == kJobFromStandardInput;
  const InputText read = ReadInputFile(jobPath, kTextInputLimit, fromStandardInput);
  if (!read.ok) throw JobFailure{kJobUsageError, CannotReadMessage(JobFileName(jobPath), read.failure)};
  const std::string& text = read.bytes;
  const std::string where = JobFileName(jobPath) + ": ";
  nlohmann::json document;
  try {
    document = nlohmann::json::parse(text);
  } catch (const nlohmann::json::parse_error& e) {
    throw JobFailure{kJobUsageError, where + "not valid JSON at " + PositionText(text, e.byte) + ": " +
                                         EscapedForMessage(ParseErrorDetail(e.what()))};
  }
  if (!document.is_object()) throw JobFailure{kJobUsageError, where + "the job must be a JSON object"};
  // "$schema" names the JSON Schema an editor checks the file with (brendax-cli schema --job).
  static const std::set<std::string> known = {"source", "symbols",      "symbols-format", "mnemonics",
                                              "runs",   "symbol-table", "merge",          "$schema"};
  for (const auto& [key, value] : document.items()) {
    if (known.count(key) == 0)
      throw JobFailure{kJobUsageError, where + "unknown member \"" + EscapedForMessage(key) + "\""};
  }

  const fs::path folder = fromStandardInput ? fs::path() : PathFromUtf8(jobPath).parent_path();
  Job job;
  job.sourcePath = ResolvePath(folder, TextMember(document, "source", where));
  job.symbolsPath = ResolvePath(folder, TextMember(document, "symbols", where));
  if (Member(document, "source") != nullptr && job.sourcePath.empty())
    throw JobFailure{kJobUsageError, where + "\"source\" names no file"};
  if (Member(document, "symbols") != nullptr && job.symbolsPath.empty())
    throw JobFailure{kJobUsageError, where + "\"symbols\" names no file"};
  if (job.sourcePath.empty() && job.symbolsPath.empty())
    throw JobFailure{kJobUsageError, where + "the job writes no file: give \"source\", \"symbols\" or both"};
  if (Member(document, "symbols-format") != nullptr) {
    const auto format = ParseSymbolFileFormat(TextMember(document, "symbols-format", where));
    if (!format) throw JobFailure{kJobUsageError, where + "\"symbols-format\" must be tsv, asc, sdf or seq"};
    job.symbolsFormat = *format;
  } else {
    job.symbolsFormat = SymbolFileFormatForName(job.symbolsPath);
  }
  if (Member(document, "mnemonics") != nullptr) {
    job.mnemonics = TextMember(document, "mnemonics", where);
    if (job.mnemonics != "de" && job.mnemonics != "en")
      throw JobFailure{kJobUsageError, where + "\"mnemonics\" must be de or en"};
  }
  job.symbolTablePath = ResolvePath(folder, TextMember(document, "symbol-table", where));
  if (Member(document, "symbol-table") != nullptr && job.symbolTablePath.empty())
    throw JobFailure{kJobUsageError, where + "\"symbol-table\" names no file"};
  if (const nlohmann::json* merge = Member(document, "merge")) {
    if (!merge->is_boolean()) throw JobFailure{kJobUsageError, where + "\"merge\" must be true or false"};
    job.merge = merge->get<bool>();
    if (job.merge && (job.symbolsPath.empty() || job.symbolTablePath.empty()))
      throw JobFailure{kJobUsageError, where + "\"merge\" needs \"symbols\" and \"symbol-table\""};
  }
  if (!job.sourcePath.empty() && !job.symbolsPath.empty() && SameFile(job.sourcePath, job.symbolsPath))
    throw JobFailure{kJobUsageError, where + "\"source\" and \"symbols\" name the same file"};

  const nlohmann::json* runs = Member(document, "runs");
  if (runs == nullptr || !runs->is_array() || runs->empty())
    throw JobFailure{kJobUsageError, where + "\"runs\" must be a list of at least one run"};
  for (std::size_t i = 0; i < runs->size(); ++i) {
    const nlohmann::json& entry = (*runs)[i];
    const std::string runWhere = where + "run " + std::to_string(i + 1) + ": ";
    if (!entry.is_object()) throw JobFailure{kJobUsageError, runWhere + "must be a JSON object"};
    for (const auto& [key, value] : entry.items()) {
      if (key != "generator" && key != "options")
        throw JobFailure{kJobUsageError, runWhere + "unknown member \"" + EscapedForMessage(key) + "\""};
    }
    JobRun run;
    run.generator = TextMember(entry, "generator", runWhere);
    if (run.generator.empty()) throw JobFailure{kJobUsageError, runWhere + "\"generator\" is missing"};
    if (const nlohmann::json* options = Member(entry, "options")) {
      if (!options->is_object()) throw JobFailure{kJobUsageError, runWhere + "\"options\" must be a JSON object"};
      run.options = OptionsOfRun(*options, where + RunName(i, run.generator) + ": ");
      for (JobOption& option : run.options)
        if (NamesFile(run.generator, option.name))
          for (auto& v : option.values) v = ResolvePath(folder, v);
    }
    job.runs.push_back(std::move(run));
  }
  CheckOutputsAreNoInputs(job, jobPath, where);
  return job;
}

std::string JobText(const Job& job, const std::string& jobPath) {
  const fs::path folder = PathFromUtf8(jobPath).parent_path();
  nlohmann::ordered_json document;
  if (!job.sourcePath.empty()) document["source"] = PathInJob(folder, job.sourcePath);
  if (!job.symbolsPath.empty()) document["symbols"] = PathInJob(folder, job.symbolsPath);
  if (job.symbolsFormat != SymbolFileFormatForName(job.symbolsPath))
    document["symbols-format"] = FormatName(job.symbolsFormat);
  document["mnemonics"] = job.mnemonics;
  if (!job.symbolTablePath.empty()) document["symbol-table"] = PathInJob(folder, job.symbolTablePath);
  if (job.merge) document["merge"] = true;
  auto runs = nlohmann::ordered_json::array();
  for (const JobRun& run : job.runs) {
    auto options = nlohmann::ordered_json::object();
    for (const JobOption& option : run.options) {
      std::vector<std::string> values = option.values;
      if (NamesFile(run.generator, option.name))
        for (auto& v : values) v = PathInJob(folder, v);
      if (options.contains(option.name)) {  // one name given twice: one list
        auto& list = options[option.name];
        if (!list.is_array()) list = nlohmann::ordered_json::array({list});
        for (const auto& v : values) list.push_back(v);
      } else if (values.size() == 1) {
        options[option.name] = values.front();
      } else {
        options[option.name] = values;
      }
    }
    nlohmann::ordered_json entry;
    entry["generator"] = run.generator;
    entry["options"] = std::move(options);
    runs.push_back(std::move(entry));
  }
  document["runs"] = std::move(runs);
  return document.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace) + "\n";
}

JobSaveResult SaveJob(Job& job, const std::string& jobPath) {
  const fs::path file = PathFromUtf8(jobPath);
  Job saved = job;
  PendingWrites files;
  for (std::size_t i = 0; i < saved.runs.size(); ++i) {
    JobRun& run = saved.runs[i];
    for (const auto& [option, text] : run.fileTexts) {
      const fs::path listFile =
          file.parent_path() / PathFromUtf8(ProjectStem(file) + ".run" + std::to_string(i + 1) + "." + option + ".txt");
      files.Stage(Utf8FromPath(listFile), Cp1252ToUtf8(text));
      const std::string& name = option;  // clang before 16 cannot capture a structured binding
      std::erase_if(run.options, [&name](const JobOption& o) { return o.name == name; });
      run.options.push_back({option, {Utf8FromPath(listFile)}});
    }
    run.fileTexts.clear();
  }
  files.Stage(jobPath, JobText(saved, jobPath));
  if (const WriteResult written = files.Commit(); !written.ok) return {false, written.error};
  job = std::move(saved);
  return {};
}

}  // namespace brendax
