#include "datablocks/db_image.h"

#include <charconv>
#include <filesystem>
#include <optional>

#include "core/file_writer.h"
#include "core/input_file.h"
#include "text/cp1252.h"
#include "text/integer_text.h"

namespace brendax {
namespace {

using P = DbImageParams;

constexpr std::int64_t kLowestIndex = -32767;
constexpr std::int64_t kHighestIndex = 32767;
constexpr std::size_t kMaxNameLength = 23;

GeneratorResult Failure(int code) {
  GeneratorResult result;
  result.errorCode = code;
  result.errorMessage = DbImageMessage(code);
  return result;
}

// "Datei {full path} kann nicht geöffnet werden. {reason}"
GeneratorResult OpenFailure(const std::string& path, const std::string& reason) {
  std::error_code error;
  std::filesystem::path full = std::filesystem::absolute(PathFromUtf8(path), error);
  if (error) full = PathFromUtf8(path);
  GeneratorResult result;
  result.errorCode = kDbImageOpenFailure;
  result.boxStyle = ErrorBoxStyle::kMessageOnly;
  result.errorMessage = "Datei " + Utf8ToCp1252(Utf8FromPath(full.lexically_normal())) +
                        Ansi(" kann nicht geöffnet werden. ") + Utf8ToCp1252(reason);
  return result;
}

bool IsNameCharacter(unsigned char ch) {
  return (ch >= '0' && ch <= '9') || (ch >= 'A' && ch <= 'Z') || (ch >= 'a' && ch <= 'z') || ch == '_';
}

// 0 when the name is acceptable, else its code.
int CheckName(const std::string& name) {
  if (name.empty() || name.size() > kMaxNameLength) return 12;
  if (static_cast<unsigned char>(name.front()) < 'A') return 13;
  for (const char ch : name)
    if (!IsNameCharacter(static_cast<unsigned char>(ch))) return 14;
  return 0;
}

void AppendHex(std::string& out, std::uint32_t value) {
  char buffer[12];
  const auto end = std::to_chars(buffer, buffer + sizeof buffer, value, 16).ptr;
  for (char* c = buffer; c != end; ++c) out += (*c >= 'a' && *c <= 'f') ? static_cast<char>(*c - 'a' + 'A') : *c;
}

void AppendNumber(std::string& out, std::int64_t value) {
  char buffer[24];
  const auto end = std::to_chars(buffer, buffer + sizeof buffer, value).ptr;
  out.append(buffer, end);
}

// Characters that a CHAR constant may hold as they are.
bool IsPlainChar(unsigned char ch) {
  return (ch >= 32 && ch <= 34) || ch == 37 || ch == 38 || (ch >= 40 && ch <= 90) || ch == 95 ||
         (ch >= 97 && ch <= 122);
}

void AppendValue(std::string& out, int type, bool swap, const unsigned char* b) {
  switch (type) {
    case kDbImageByte:
      out += "B#16#";
      AppendHex(out, b[0]);
      return;
    case kDbImageWord:
      out += "W#16#";
      AppendHex(out, swap ? (b[0] << 8u) | b[1] : b[0] | (b[1] << 8u));
      return;
    case kDbImageDWord: {
      const std::uint32_t value =
          swap ? (std::uint32_t{b[0]} << 24) | (std::uint32_t{b[1]} << 16) | (std::uint32_t{b[2]} << 8) | b[3]
               : b[0] | (std::uint32_t{b[1]} << 8) | (std::uint32_t{b[2]} << 16) | (std::uint32_t{b[3]} << 24);
      out += "DW#16#";
      AppendHex(out, value);
      return;
    }
    default: break;
  }
  const unsigned char ch = b[0];
  out += '\'';
  switch (ch) {
    case 9: out += "$T"; break;
    case 10: out += "$L"; break;
    case 12: out += "$P"; break;
    case 13: out += "$R"; break;
    case 39: out += "$'"; break;
    default:
      if (IsPlainChar(ch)) {
        out += static_cast<char>(ch);
      } else {
        static const char kDigits[] = "0123456789ABCDEF";
        out += '$';
        out += kDigits[ch >> 4];
        out += kDigits[ch & 15];
      }
  }
  out += '\'';
}

const char* TypeName(int type) {
  switch (type) {
    case kDbImageByte: return "BYTE";
    case kDbImageWord: return "WORD";
    case kDbImageDWord: return "DWORD";
    default: return "CHAR";
  }
}

}  // namespace

const FieldTable<DbImageParams>& DbImageFields() {
  static const FieldTable<P> table = {
      TextField<P>("dbNumber", "LabeledEdit2", "DB-Nummer:", "db-number", &P::dbNumber, "1", false,
                   "block number, 1 to 10000")
          .Checks({4, 5, 6}),
      TextField<P>("name", "LabeledEdit5", "Name d. Arrayvariable:", "name", &P::name, "S", false,
                   "name of the array variable, 1 to 23 letters, digits or _")
          .Checks({12, 13, 14}),
      ChoiceField<P>("type", "ComboBox1", "Typ", "type", &P::type, {"byte", "word", "dword", "char"}, kDbImageChar)
          .Items({"Byte", "Word", "DWord", "Char"}),
      CheckField<P>("swap", "CheckBox2", "Bytefolge im Word /DWord tauschen", "swap", &P::swap, false),
      TextField<P>("count", "LabeledEdit3", "Array-Größe / Anzahl Variablen:", "count", &P::count, "255", false,
                   "number of elements; given: \"Automatisch\" off")
          .Checks({9, 10, 11}),
      CheckField<P>("automatic", "CheckBox1", "Automatisch", "", &P::automatic, true),
      TextField<P>("start", "LabeledEdit4", "Array beginnt mit:", "start", &P::start, "0", false,
                   "lower array bound, -32767 to 32767")
          .Checks({7, 8}),
  };
  return table;
}

int DbImageElementSize(int type) {
  switch (type) {
    case kDbImageWord: return 2;
    case kDbImageDWord: return 4;
    default: return 1;
  }
}

const std::string& DbImageMessage(int code) {
  static const std::string number = Ansi("DB- Nummer ist ungültig !");
  static const std::string start = Ansi("Array-Anfang ungültig !");
  static const std::string size = Ansi("Array-Größe ungültig !");
  static const std::string end = Ansi("Errechnetes Array-Ende zu groß !");
  static const std::string name = Ansi("Name der Arrayvariable ist ungültig !");
  static const std::string file = Ansi("Dateilesefehler oder Datei enthält 0 Byte !");
  static const std::string none;
  switch (code) {
    case 4:
    case 5:
    case 6: return number;
    case 7:
    case 8: return start;
    case 9:
    case 10: return size;
    case 11: return end;
    case 12:
    case 13:
    case 14: return name;
    case 21: return file;
    default: return none;
  }
}

const std::string& DbImageTooLargeWarning() {
  static const std::string text =
      Ansi("Warnung !\r\rDie angegebene Datei ist zu groß für die\rangegebene/ errechnete Arraygröße!");
  return text;
}

const std::string& DbImageHelpText() {
  static const std::string text = Ansi(
      "Hilfe zu DB-Abbild von Datei\r"
      "\r"
      "Arrays müssen mindestens 1 Element enthalten.\r"
      "Das größtmögliche Array beginnt bei -32767\r"
      "und endet bei 32767.\r"
      "\r"
      "Alle möglichen Bytes von 00h bis FFh können\r"
      "auch als Char ausgegeben werden.\r"
      "Nicht darstellbare Zeichen erhalten einen Ersatzcode.\r"
      "Z.B. $' , $05 oder $P .\r"
      "(Benannte Steucodes:\r"
      "$T .. $09 .. Tabulator\r"
      "$L .. $0A .. Zeilenvorschub\r"
      "$P .. $0C .. Seitenvorschub\r"
      "$R .. $0D .. Wagenrücklauf  )\r");
  return text;
}

std::string DbImageValue(int type, bool swap, const unsigned char* bytes) {
  std::string value;
  AppendValue(value, type, swap, bytes);
  return value;
}

namespace {

// The checks, the file read and the lines.
GeneratorResult GenerateDbImageChecked(const DbImageParams& p) {
  const auto dbNumber = ParseInt32(p.dbNumber);
  if (!dbNumber) return Failure(4);
  if (*dbNumber < 1) return Failure(5);
  if (*dbNumber > 10000) return Failure(6);

  const auto start = ParseInt64(p.start);
  if (!start) return Failure(7);
  if (*start < kLowestIndex || *start > kHighestIndex) return Failure(8);

  InputFile file(p.filePath);
  if (!file.opened()) return OpenFailure(p.filePath, file.failure());
  if (file.size() == 0) return Failure(21);

  const int elementSize = DbImageElementSize(p.type);
  std::int64_t count = 0;
  std::int64_t end = 0;
  if (p.automatic) {
    const std::uint64_t wanted = (file.size() + elementSize - 1) / elementSize;
    const std::uint64_t room = static_cast<std::uint64_t>(kHighestIndex - *start + 1);
    count = static_cast<std::int64_t>(std::min(wanted, room));
    end = *start + count - 1;
  } else {
    const auto given = ParseInt64(p.count);
    if (!given) return Failure(9);
    if (*given <= 0) return Failure(10);
    if (*given > kHighestIndex - *start + 1) return Failure(11);
    count = *given;
    end = *start + count - 1;
  }
  const std::uint64_t imageBytes = static_cast<std::uint64_t>(count) * elementSize;
  const bool tooLarge = imageBytes < file.size();

  if (const int nameCode = CheckName(p.name); nameCode != 0) return Failure(nameCode);
  if (GeneratorResult refused = CheckControlCharacters(DbImageFields(), p); !refused.ok()) return refused;

  std::string bytes;
  if (!file.ReadFromStart(static_cast<std::size_t>(imageBytes), bytes)) return Failure(21);

  GeneratorResult result;
  auto& lines = result.lines;
  lines.reserve(static_cast<std::size_t>(count) + 12);
  {
    std::string line = "DATA_BLOCK DB";
    AppendNumber(line, *dbNumber);
    lines.push_back(std::move(line));
  }
  lines.emplace_back("TITLE =");
  lines.emplace_back("VERSION : 0.1");
  lines.emplace_back("");
  lines.emplace_back("  STRUCT");
  {
    std::string line;
    line.reserve(48 + p.name.size());
    line += ' ';
    line += p.name;
    line += " : ARRAY [";
    AppendNumber(line, *start);
    line += "..";
    AppendNumber(line, end);
    line += "] OF ";
    line += TypeName(p.type);
    line += " ;";
    lines.push_back(std::move(line));
  }
  lines.emplace_back("  END_STRUCT ;");
  lines.emplace_back("Begin");
  const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
  for (std::int64_t i = 0; i < count; ++i) {
    std::string line;
    line.reserve(32 + p.name.size());  // the longest value: " X[-32767]:=DW#16#FFFFFFFF;"
    line += ' ';
    line += p.name;
    line += '[';
    AppendNumber(line, *start + i);
    line += "]:=";
    AppendValue(line, p.type, p.swap, data + i * elementSize);
    line += ';';
    lines.push_back(std::move(line));
  }
  lines.emplace_back("END_DATA_BLOCK");
  lines.emplace_back("");
  lines.emplace_back("");
  if (tooLarge) result.notices.push_back(DbImageTooLargeWarning());
  return result;
}

}  // namespace

GeneratorResult GenerateDbImage(const DbImageParams& p) {
  GeneratorResult result = GenerateDbImageChecked(p);
  // The file's own failures name the file, which is not one of the table's fields.
  if (!result.ok() && (result.errorCode == kDbImageOpenFailure || result.errorCode == 21))
    result.errorField = kDbImageFileOption;
  return NameFailingField(DbImageFields(), std::move(result));
}

}  // namespace brendax
