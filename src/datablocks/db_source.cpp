#include "datablocks/db_source.h"

#include <algorithm>
#include <cstdint>
#include <string_view>
#include <utility>

#include "text/cp1252.h"
#include "text/integer_text.h"
#include "text/text_routines.h"

namespace brendax {
namespace {

// Field messages by error code.
struct CodeMessage {
  int code;
  const char* message;
};
constexpr CodeMessage kMessages[] = {
    {4, "Fehler im Feld \"DB-Nummer\" !"},       {5, "Fehler im Feld \"DB-Nummer\" !"},
    {6, "Fehler im Feld \"DB-Nummer\" !"},       {10, "Fehler im Feld \"Startadresse/ Startnummer\" !"},
    {20, "Fehler im Feld \"Anzahl Variablen\""}, {30, "Fehler im Feld \"Anfangswertzuweisung\" !"},
};

GeneratorResult Failure(int code) {
  GeneratorResult result;
  result.boxStyle = ErrorBoxStyle::kFehlerCodeMessage;
  result.errorCode = code;
  for (const auto& entry : kMessages)
    if (entry.code == code) result.errorMessage = entry.message;
  return result;
}

constexpr int kMaxDbNumber = 10000;
constexpr int kMaxStart = 1023;
constexpr int kMaxCount = 32768;
constexpr int kMaxDigits = 6;

std::string AsciiUpper(std::string_view text) {
  std::string upper(text);
  for (char& c : upper)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return upper;
}

// The checked values of one run.
struct Checked {
  int dbNumber = 0;
  int start = 0;
  int count = 0;
  std::string assignment;  // " := ..." or empty
};

GeneratorResult Check(const DbSourceParams& p, Checked& checked) {
  const auto dbNumber = ParseInt32(p.dbNumber);
  if (!dbNumber) return Failure(4);
  if (*dbNumber < 1) return Failure(5);
  if (*dbNumber > kMaxDbNumber) return Failure(6);

  const auto start = ParseInt32(p.start);
  if (!start || *start < 0 || *start > kMaxStart) return Failure(10);

  const auto count = ParseInt32(p.count);
  if (!count || *count < 1 || *count > kMaxCount) return Failure(20);

  const std::string initial = TrimSpaces(p.initialValue);
  std::string assignment;
  if (!initial.empty()) {
    if (p.type == kDbTypeBool) {
      const std::string upper = AsciiUpper(initial);
      if (upper == "TRUE" || initial == "1") {
        assignment = " := TRUE";
      } else if (upper == "FALSE" || initial == "0") {
        assignment = " := FALSE";
      } else {
        return Failure(30);
      }
    } else {
      assignment.reserve(4 + initial.size());
      assignment.append(" := ").append(initial);
    }
  }
  checked = {*dbNumber, *start, *count, std::move(assignment)};
  return {};
}

// Appends the number in decimal, left-filled with "0" to the digit count.
void AppendNumber(std::string& out, std::int64_t number, int digits) {
  char buffer[24];
  int length = 0;
  do {
    buffer[length++] = static_cast<char>('0' + number % 10);
    number /= 10;
  } while (number > 0);
  for (int i = length; i < digits; ++i) out.push_back('0');
  while (length > 0) out.push_back(buffer[--length]);
}

// Writes the variable lines; each line is built in one buffer.
class VariableWriter {
 public:
  VariableWriter(const DbSourceParams& p, const Checked& checked, std::vector<std::string>& lines)
      : p_(p),
        checked_(checked),
        lines_(lines),
        type_(DbSourceTypes()[static_cast<std::size_t>(p.type)]),
        digits_(std::clamp(p.digitFormat + 1, 1, kMaxDigits)),
        suffixes_(DbSourceSuffixLines(p.suffixes)) {
    middle_.append(" : ").append(type_.typeName).append(checked_.assignment).append(";   //  ");
  }

  // False when a name would be longer than the engineering tool accepts;
  // tooLongField() then names the field to blame.
  bool Write() {
    if (p_.nameFrom == kDbNameFromNumber) return WriteFromNumber();
    if (p_.type == kDbTypeBool) return WriteBoolFromAddress();
    return WriteFromAddress();
  }
  const char* tooLongField() const { return tooLongField_; }

 private:
  const std::string& Suffix() const {
    static const std::string empty;
    return position_ < suffixes_.size() ? suffixes_[position_] : empty;
  }
  // Advances the suffix position; true when it wrapped to the first line.
  bool AdvanceSuffix() {
    ++position_;
    if (position_ >= std::max<std::size_t>(suffixes_.size(), 1)) position_ = 0;
    return position_ == 0;
  }

  // "   {name} : {TYPE}{assignment};   //  {comment name}"; the bit part is
  // written only for Bool bit names (bit >= 0). The comment name is a copy
  // of the name with a point for the underscore.
  bool Line(std::int64_t number, int bit) {
    const std::string& suffix = Suffix();
    std::string line;
    const std::size_t nameSize = p_.prefix.size() + NumberWidth(number) + (bit >= 0 ? 2 : 0) + suffix.size();
    if (nameSize > kMaxNameLength) {
      tooLongField_ = nameSize - suffix.size() > kMaxNameLength ? "prefix" : "suffix";
      return false;
    }
    line.reserve(3 + 2 * nameSize + middle_.size());
    line.append("   ").append(p_.prefix);
    AppendNumber(line, number, digits_);
    if (bit >= 0) {
      line.push_back('_');
      line.push_back(static_cast<char>('0' + bit));
    }
    line.append(suffix).append(middle_);
    line.append(line.data() + 3, nameSize);  // capacity reserved: no reallocation
    if (bit >= 0) line[line.size() - suffix.size() - 2] = '.';
    lines_.push_back(std::move(line));
    return true;
  }

  // Digits of the number as AppendNumber writes it.
  std::size_t NumberWidth(std::int64_t number) const {
    int width = 1;
    for (; number >= 10; number /= 10) ++width;
    return static_cast<std::size_t>(std::max(width, digits_));
  }

  bool WriteFromNumber() {
    std::int64_t number = checked_.start;
    for (int i = 0; i < checked_.count; ++i) {
      if (!Line(number, -1)) return false;
      if (AdvanceSuffix()) ++number;
    }
    return true;
  }

  bool WriteFromAddress() {
    for (int i = 0; i < checked_.count; ++i) {
      if (!Line(checked_.start + std::int64_t{i} * type_.size, -1)) return false;
      AdvanceSuffix();
    }
    return true;
  }

  bool WriteBoolFromAddress() {
    for (int i = 0; i < checked_.count; ++i) {
      if (!Line(checked_.start + i / 8, i % 8)) return false;
      AdvanceSuffix();
    }
    return true;
  }

  const DbSourceParams& p_;
  const Checked& checked_;
  std::vector<std::string>& lines_;
  const DbElementType& type_;
  const int digits_;
  const std::vector<std::string> suffixes_;
  std::string middle_;  // from " : " to the comment name
  std::size_t position_ = 0;
  const char* tooLongField_ = "";
};

}  // namespace

const std::vector<DbElementType>& DbSourceTypes() {
  static const std::vector<DbElementType> types = {
      {"Bool", "BOOL", 0, "0"},
      {"Byte", "BYTE", 1, "B#16#0"},
      {"Char", "CHAR", 1, "'*'"},
      {"Word", "WORD", 2, "W#16#0"},
      {"DWord", "DWORD", 4, "DW#16#0"},
      {"Int", "INT", 2, "0"},
      {"DInt", "DINT", 4, "L#0"},
      {"Real", "REAL", 4, "0.0"},
      {"S5Time", "S5TIME", 2, "S5T#30S"},
      {"Time", "TIME", 4, "T#30S"},
      {"Date", "DATE", 2, "D#1990-01-01"},
      {"Time_Of_Day", "TOD", 4, "TOD#00:00:00.000"},
      {"Date_And_Time", "DT", 8, "DT#1995-02-02-08:30:01.999"},
  };
  return types;
}

const std::vector<std::string>& DbSourceDigitFormats() {
  static const std::vector<std::string> formats = {"X(.X)", "XX(.X)", "XXX(.X)", "XXXX(.X)", "XXXXX(.X)", "XXXXXX(.X)"};
  return formats;
}

const FieldTable<DbSourceParams>& DbSourceFields() {
  static const FieldTable<DbSourceParams> table = [] {
    using P = DbSourceParams;
    std::vector<std::string> typeNames;
    for (const auto& type : DbSourceTypes()) typeNames.emplace_back(type.entry);
    std::vector<std::string> digitCaptions;
    for (const auto& format : DbSourceDigitFormats()) digitCaptions.push_back(Cp1252ToUtf8(format));
    FieldTable<P> t;
    t.push_back(TextField<P>("dbNumber", "LabeledEdit2", "DB- Nummer", "db-number", &P::dbNumber, "1", false,
                             "number of the data block, 1 to 10000")
                    .Checks({4, 5, 6}));
    t.push_back(
        ChoiceField<P>("type", "ComboBox1", "Datentyp :", "type", &P::type, typeNames, kDbTypeBool).Items(typeNames));
    t.push_back(TextField<P>("count", "LabeledEdit4", "Anzahl Variablen:", "count", &P::count, "255", false,
                             "number of variables, 1 to 32768")
                    .Checks({20}));
    t.push_back(TextField<P>("prefix", "LabeledEdit5", "Namenskürzel (vorn) :", "prefix", &P::prefix, "Y", false,
                             "text in front of every name, used as typed"));
    t.push_back(ChoiceField<P>("nameFrom", "RadioGroup1", "Generiere Name aus:", "name-from", &P::nameFrom,
                               {"address", "number"}, kDbNameFromAddress)
                    .Items({"Adresse", "Nummer"}));
    t.push_back(TextField<P>("start", "LabeledEdit8", "Startadresse/ Startnummer (0..1023) :", "start", &P::start, "0",
                             false, "first byte address or first number, 0 to 1023")
                    .Checks({10}));
    t.push_back(ChoiceField<P>("digitFormat", "ComboBox2", "Zahlenformat:", "digits", &P::digitFormat,
                               {"1", "2", "3", "4", "5", "6"}, 2)
                    .Items(digitCaptions));
    t.push_back(TextField<P>("suffixes", "Memo1", "Sequenz (optional):", "suffix", &P::suffixes, "einf\r\nausf", false,
                             "name suffixes used in turn")
                    .Lines());
    t.push_back(TextField<P>("initialValue", "LabeledEdit7", "Anfangswertzuweisung :", "initial-value",
                             &P::initialValue, "0", false, "initial value of every variable; empty: none")
                    .Checks({30}));
    return t;
  }();
  return table;
}

std::string ProposedInitialValue(int type) {
  const auto& types = DbSourceTypes();
  if (type < 0 || type >= static_cast<int>(types.size())) return {};
  return types[static_cast<std::size_t>(type)].proposedInitial;
}

std::vector<std::string> DbSourceSuffixLines(std::string_view memoText) {
  std::vector<std::string> lines;
  std::size_t begin = 0;
  while (begin < memoText.size()) {
    std::size_t end = memoText.find_first_of("\r\n", begin);
    if (end == std::string_view::npos) {
      lines.emplace_back(memoText.substr(begin));
      break;
    }
    lines.emplace_back(memoText.substr(begin, end - begin));
    begin = end + (memoText.compare(end, 2, "\r\n") == 0 ? 2 : 1);
  }
  return lines;
}

std::string DbSourceSuffixText(const std::vector<std::string>& lines) {
  std::string text;
  for (const auto& line : lines) text.append(line).append("\r\n");
  return text;
}

GeneratorResult GenerateDbSource(const DbSourceParams& params) {
  // A type index outside the list (the list allows none) counts as Bool.
  DbSourceParams p = params;
  if (p.type < 0 || p.type >= static_cast<int>(DbSourceTypes().size())) p.type = kDbTypeBool;

  Checked checked;
  if (GeneratorResult failed = Check(p, checked); !failed.ok()) return NameFailingField(DbSourceFields(), failed);
  if (GeneratorResult refused = CheckControlCharacters(DbSourceFields(), p, ErrorBoxStyle::kFehlerCodeMessage);
      !refused.ok())
    return refused;

  GeneratorResult result;
  result.boxStyle = ErrorBoxStyle::kFehlerCodeMessage;
  auto& lines = result.lines;
  lines.reserve(static_cast<std::size_t>(checked.count) + 9);
  std::string head = "DATA_BLOCK DB";
  AppendNumber(head, checked.dbNumber, 1);
  lines.push_back(std::move(head));
  lines.emplace_back("TITLE =");
  lines.emplace_back("VERSION : 0.1");
  lines.emplace_back();
  lines.emplace_back("  STRUCT");
  VariableWriter writer(p, checked, lines);
  if (!writer.Write()) {
    const auto* field = FindFieldByOption(DbSourceFields(), writer.tooLongField());
    return NameTooLongFailure(field->label, field->option, ErrorBoxStyle::kFehlerCodeMessage);
  }
  lines.emplace_back("  END_STRUCT ;");
  lines.emplace_back("BEGIN");
  lines.emplace_back("END_DATA_BLOCK");
  lines.emplace_back();
  return result;
}

}  // namespace brendax
