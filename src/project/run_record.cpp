#include "project/run_record.h"

#include <type_traits>
#include <utility>

#include "core/file_writer.h"
#include "core/generator_codes.h"
#include "core/input_file.h"
#include "core/settings.h"
#include "symbols/symbol_templates.h"
#include "text/cp1252.h"
#include "text/integer_text.h"

namespace brendax {
namespace {

template <class T>
[[maybe_unused]] constexpr bool kIs = false;

// The generator of each record type: subcommand and last-generator code.
struct GeneratorOfRecord {
  const char* name;
  int code;
};

template <class Params>
constexpr GeneratorOfRecord GeneratorOf() {
  if constexpr (std::is_same_v<Params, SimpleStepParams>) return {"step-simple", kGenStepSimple};
  if constexpr (std::is_same_v<Params, ExtendedStepParams>) return {"step-extended", kGenStepExtended};
  if constexpr (std::is_same_v<Params, SymbolParams>) return {"symbols", kGenSymbols};
  if constexpr (std::is_same_v<Params, DbSourceParams>) return {"db", kGenDbSource};
  if constexpr (std::is_same_v<Params, MessageDbParams>) return {"message-db", kGenMessageDb};
  if constexpr (std::is_same_v<Params, TargetActualParams>) return {"target-actual-db", kGenTargetActualDb};
  if constexpr (std::is_same_v<Params, DbImageParams>) return {"db-image", kGenDbImage};
}

// The field table of each record type.
template <class Params>
const FieldTable<Params>& TableOf() {
  if constexpr (std::is_same_v<Params, SimpleStepParams>) return SimpleStepFields();
  if constexpr (std::is_same_v<Params, ExtendedStepParams>) return ExtendedStepFields();
  if constexpr (std::is_same_v<Params, SymbolParams>) return SymbolFieldTable();
  if constexpr (std::is_same_v<Params, DbSourceParams>) return DbSourceFields();
  if constexpr (std::is_same_v<Params, MessageDbParams>) return MessageDbFields();
  if constexpr (std::is_same_v<Params, TargetActualParams>) return TargetActualFields();
  if constexpr (std::is_same_v<Params, DbImageParams>) return DbImageFields();
}

// The fields of a table whose option passes `keep`.
template <class Params, class Keep>
FieldTable<Params> FieldsWhere(const FieldTable<Params>& table, Keep keep) {
  FieldTable<Params> fields;
  for (const auto& f : table)
    if (keep(f)) fields.push_back(f);
  return fields;
}

int AreaIndex(const std::string& name) {
  const auto& choices = FindFieldByOption(SymbolFieldTable(), "area")->choices;
  for (std::size_t i = 0; i < choices.size(); ++i)
    if (choices[i] == name) return static_cast<int>(i);
  return -1;
}

SymbolParams SymbolExampleNamed(const std::string& name) {
  if (name == "interface") return SymbolExampleInterface();
  if (name == "cylinder") return SymbolExampleCylinder();
  return SymbolExampleProgramNumber();
}

// The options of `given` in the order of the table's fields.
template <class Params>
void AppendOptions(JobRun& run, const FieldTable<Params>& table, const GivenOptions& given) {
  for (const auto& f : table)
    if (const auto it = given.find(f.option); it != given.end()) run.options.push_back({it->first, {it->second}});
}

template <class Params>
JobRun RunOf(const Params& p) {
  JobRun run;
  run.generator = GeneratorOf<Params>().name;
  if constexpr (std::is_same_v<Params, SimpleStepParams>) {
    AppendOptions(run, TableOf<Params>(), FieldOptionsOf(TableOf<Params>(), p, DefaultsOf(TableOf<Params>())));
  } else if constexpr (std::is_same_v<Params, ExtendedStepParams>) {
    AppendOptions(run, ExtendedStepFields(), FieldOptionsOf(ExtendedStepFields(), p, ExtendedExample1()));
  } else if constexpr (std::is_same_v<Params, SymbolParams>) {
    const SymbolParams start = SymbolExampleProgramNumber();
    AppendOptions(run, SymbolTextFields(), FieldOptionsOf(SymbolTextFields(), p, start));
    if (p.area != start.area) {
      const auto& choices = FindFieldByOption(SymbolFieldTable(), "area")->choices;
      const bool listed = p.area >= 0 && p.area < static_cast<int>(choices.size());
      // Text that names no item selects none, as typed into the list.
      run.options.push_back({"area", {listed ? choices[static_cast<std::size_t>(p.area)] : std::string()}});
    }
  } else if constexpr (std::is_same_v<Params, DbSourceParams>) {
    AppendOptions(run, DbSourceTableFields(), FieldOptionsOf(DbSourceTableFields(), p, DefaultsOf(DbSourceFields())));
    JobOption suffix{"suffix", {}};
    for (const auto& line : DbSourceSuffixLines(p.suffixes)) suffix.values.push_back(Cp1252ToUtf8(line));
    if (!suffix.values.empty()) run.options.push_back(std::move(suffix));
    if (p.initialValue != ProposedInitialValue(p.type))
      run.options.push_back({"initial-value", {Cp1252ToUtf8(p.initialValue)}});
  } else if constexpr (std::is_same_v<Params, MessageDbParams>) {
    AppendOptions(run, TableOf<Params>(), FieldOptionsOf(TableOf<Params>(), p, DefaultsOf(TableOf<Params>())));
  } else if constexpr (std::is_same_v<Params, TargetActualParams>) {
    AppendOptions(run, TargetActualOptionFields(),
                  FieldOptionsOf(TargetActualOptionFields(), p, DefaultsOf(TargetActualFields())));
    for (const auto& f : TargetActualFields())
      if (f.fromFile && !(p.*(f.text)).empty()) run.fileTexts[f.option] = p.*(f.text);
  } else if constexpr (std::is_same_v<Params, DbImageParams>) {
    run.options.push_back({kDbImageFileOption, {p.filePath}});
    // "Automatisch" is the absence of a count.
    const FieldTable<DbImageParams> fields =
        FieldsWhere(DbImageOptionFields(), [](const auto& f) { return std::string(f.option) != "count"; });
    AppendOptions(run, fields, FieldOptionsOf(fields, p, DefaultsOf(DbImageFields())));
    if (!p.automatic) run.options.push_back({"count", {Cp1252ToUtf8(p.count)}});
  } else {
    static_assert(kIs<Params>, "a record type without its run");
  }
  return run;
}

// A block number as one key: its value when it is a number ("080" is 80),
// else the text as it stands.
std::string NumberKey(const std::string& text) {
  const std::string trimmed = TrimSpaces(text);
  if (const auto value = ParseInt32(trimmed)) return std::to_string(*value);
  return trimmed;
}

}  // namespace

const char* GeneratorName(const RunRecord& record) {
  return std::visit([](const auto& p) { return GeneratorOf<std::decay_t<decltype(p)>>().name; }, record);
}

int GeneratorCode(const RunRecord& record) {
  return std::visit([](const auto& p) { return GeneratorOf<std::decay_t<decltype(p)>>().code; }, record);
}

int GeneratorCodeOfName(const std::string& generator) {
  for (const GeneratorOfRecord g :
       {GeneratorOf<SimpleStepParams>(), GeneratorOf<ExtendedStepParams>(), GeneratorOf<SymbolParams>(),
        GeneratorOf<DbSourceParams>(), GeneratorOf<MessageDbParams>(), GeneratorOf<TargetActualParams>(),
        GeneratorOf<DbImageParams>()})
    if (generator == g.name) return g.code;
  return kGenNone;
}

GeneratorResult GenerateRecord(const RunRecord& record, const MnemonicSet& mnemonics) {
  return std::visit(
      [&mnemonics](const auto& p) -> GeneratorResult {
        using Params = std::decay_t<decltype(p)>;
        if constexpr (std::is_same_v<Params, SimpleStepParams>) return GenerateSimpleStep(p, mnemonics);
        if constexpr (std::is_same_v<Params, ExtendedStepParams>) return GenerateExtendedStep(p, mnemonics);
        if constexpr (std::is_same_v<Params, SymbolParams>) return GenerateSymbols(p, mnemonics);
        if constexpr (std::is_same_v<Params, DbSourceParams>) return GenerateDbSource(p);
        if constexpr (std::is_same_v<Params, MessageDbParams>) return GenerateMessageDb(p);
        if constexpr (std::is_same_v<Params, TargetActualParams>) return GenerateTargetActual(p);
        if constexpr (std::is_same_v<Params, DbImageParams>) return GenerateDbImage(p);
      },
      record);
}

bool WritesLines(const RunRecord& record) { return !std::holds_alternative<SymbolParams>(record); }

bool WritesRows(const RunRecord& record) {
  return std::holds_alternative<SymbolParams>(record) || std::holds_alternative<SimpleStepParams>(record) ||
         std::holds_alternative<ExtendedStepParams>(record);
}

const char* FieldControl(const RunRecord& record, const std::string& option) {
  return std::visit(
      [&option](const auto& p) -> const char* {
        using Params = std::decay_t<decltype(p)>;
        if constexpr (std::is_same_v<Params, DbImageParams>)
          if (option == kDbImageFileOption) return kDbImageFileControl;
        const Field<Params>* field = option.empty() ? nullptr : FindFieldByOption(TableOf<Params>(), option);
        return field == nullptr ? nullptr : field->control;
      },
      record);
}

SimpleStepParams SimpleStepFromOptions(const GivenOptions& given) {
  SimpleStepParams params = DefaultsOf(SimpleStepFields());
  ApplyFieldOptions(SimpleStepFields(), given, params);
  // As in the dialog, the jump list fixes the numbering and the option.
  if (params.structure == kSimpleJumpList) ApplyJumpListStructure(params);
  TrimFields(SimpleStepFields(), params);
  return params;
}

ExtendedStepParams ExtendedStepFromOptions(const std::string& example, const GivenOptions& given) {
  ExtendedStepParams params = example == "2" ? ExtendedExample2() : ExtendedExample1();
  ApplyFieldOptions(ExtendedStepFields(), given, params);
  TrimFields(ExtendedStepFields(), params);
  return params;
}

const FieldTable<SymbolParams>& SymbolTextFields() {
  static const FieldTable<SymbolParams> table =
      FieldsWhere(SymbolFieldTable(), [](const auto& f) { return f.kind == FieldKind::kText; });
  return table;
}

bool SymbolsFromOptions(const SymbolsStart& start, const GivenOptions& given, const std::optional<std::string>& area,
                        SymbolParams& params, std::string& failure) {
  if (start.templateNumber != 0) {
    if (const std::string problem = InputFileProblem(start.settingsFile); !problem.empty()) {
      failure = CannotReadMessage(start.settingsFile, problem);
      return false;
    }
    params = FormFromTemplate(ReadSymbolTemplate(LoadSettingsFile(start.settingsFile), start.templateNumber));
  } else {
    params = SymbolExampleNamed(start.example);
  }
  ApplyFieldOptions(SymbolTextFields(), given, params);
  if (area) params.area = AreaIndex(*area);
  return true;
}

const FieldTable<DbSourceParams>& DbSourceTableFields() {
  static const FieldTable<DbSourceParams> table = FieldsWhere(DbSourceFields(), [](const auto& f) {
    const std::string option = f.option;
    return option != "suffix" && option != "initial-value";
  });
  return table;
}

DbSourceParams DbSourceFromOptions(const GivenOptions& given, const std::vector<std::string>& suffixes,
                                   const std::optional<std::string>& initialValue) {
  DbSourceParams params = DefaultsOf(DbSourceFields());
  ApplyFieldOptions(DbSourceTableFields(), given, params);
  std::vector<std::string> lines;
  for (const auto& suffix : suffixes) lines.push_back(Utf8ToCp1252(suffix));
  params.suffixes = DbSourceSuffixText(lines);
  // As in the dialog, picking a type proposes its initial value.
  params.initialValue = initialValue ? Utf8ToCp1252(*initialValue) : ProposedInitialValue(params.type);
  return params;
}

MessageDbParams MessageDbFromOptions(const GivenOptions& given) {
  MessageDbParams params = DefaultsOf(MessageDbFields());
  ApplyFieldOptions(MessageDbFields(), given, params);
  return params;
}

const FieldTable<TargetActualParams>& TargetActualOptionFields() {
  static const FieldTable<TargetActualParams> table =
      FieldsWhere(TargetActualFields(), [](const auto& f) { return !f.fromFile; });
  return table;
}

bool ReadAssignmentList(const std::string& path, std::string& list, std::string* failure) {
  InputText read = ReadInputFile(path);
  if (!read.ok) {
    if (failure != nullptr) *failure = CannotReadMessage(path, read.failure);
    return false;
  }
  list = TextFileToCp1252(std::move(read.bytes));
  return true;
}

bool TargetActualFromOptions(const GivenOptions& given, const std::string& variantFile, const std::string& addressFile,
                             TargetActualParams& params, std::string& failure) {
  params = DefaultsOf(TargetActualFields());
  ApplyFieldOptions(TargetActualOptionFields(), given, params);
  for (const auto& [file, list] :
       {std::pair{&variantFile, &params.variantSymbols}, std::pair{&addressFile, &params.addressSymbols}}) {
    if (file->empty()) continue;
    if (!ReadAssignmentList(*file, *list, &failure)) return false;
  }
  return true;
}

const FieldTable<DbImageParams>& DbImageOptionFields() {
  static const FieldTable<DbImageParams> table =
      FieldsWhere(DbImageFields(), [](const auto& f) { return *f.option != '\0'; });
  return table;
}

DbImageParams DbImageFromOptions(const GivenOptions& given, const std::string& file) {
  DbImageParams params = DefaultsOf(DbImageFields());
  ApplyFieldOptions(DbImageOptionFields(), given, params);
  params.automatic = given.find("count") == given.end();
  params.filePath = file;  // as the file system spells it
  return params;
}

JobRun RunOfRecord(const RunRecord& record) {
  return std::visit([](const auto& p) { return RunOf(p); }, record);
}

std::string RunKey(const RunRecord& record) {
  const std::string block = std::visit(
      [](const auto& p) -> std::string {
        using Params = std::decay_t<decltype(p)>;
        if constexpr (std::is_same_v<Params, SimpleStepParams> || std::is_same_v<Params, ExtendedStepParams>)
          return "FC " + NumberKey(p.fcNumber);
        if constexpr (std::is_same_v<Params, DbSourceParams> || std::is_same_v<Params, DbImageParams>)
          return "DB " + NumberKey(p.dbNumber);
        if constexpr (std::is_same_v<Params, MessageDbParams>) return "DB " + NumberKey(p.number);
        if constexpr (std::is_same_v<Params, TargetActualParams>) return "DB 1";
        if constexpr (std::is_same_v<Params, SymbolParams>)
          return std::to_string(p.area) + " " + TrimSpaces(p.startAddress);
      },
      record);
  return std::string(GeneratorName(record)) + " " + block;
}

}  // namespace brendax
