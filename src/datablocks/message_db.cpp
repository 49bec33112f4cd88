#include "datablocks/message_db.h"

#include <charconv>
#include <initializer_list>
#include <string_view>

#include "text/cp1252.h"
#include "text/integer_text.h"

namespace brendax {
namespace {

constexpr int kMaxCount = 10000;
constexpr int kMaxNumber = 10000;
constexpr int kGroupSize = 16;

GeneratorResult Failure(int code) {
  GeneratorResult result;
  result.errorCode = code;
  result.errorField = FieldOfCode(MessageDbFields(), code);
  static const std::string countMessage = Ansi("Anzahl Meldungen ungültig !");
  static const std::string numberMessage = Ansi("DB-/ UDT- Nummer ist ungültig !");
  result.errorMessage = code <= 3 ? countMessage : numberMessage;
  return result;
}

std::string Decimal(int value) {
  char buffer[16];
  const auto end = std::to_chars(buffer, buffer + sizeof buffer, value).ptr;
  return std::string(buffer, end);
}

// The parts joined into one line with a single allocation.
std::string Cat(std::initializer_list<std::string_view> parts) {
  std::size_t size = 0;
  for (const auto part : parts) size += part.size();
  std::string line;
  line.reserve(size);
  for (const auto part : parts) line.append(part);
  return line;
}

// "   m{k} : BOOL ;" and a tab, built in one buffer.
std::string MessageLine(int k) {
  char buffer[32] = {' ', ' ', ' ', 'm'};
  char* end = std::to_chars(buffer + 4, buffer + 16, k).ptr;
  constexpr std::string_view tail = " : BOOL ;\t";
  for (const char c : tail) *end++ = c;
  return std::string(buffer, end);
}

// Per group of sixteen: first the upper eight messages, then the lower.
void AppendMessageLines(std::vector<std::string>& lines, int roundedCount) {
  for (int group = 0; group < roundedCount; group += kGroupSize) {
    for (int k = group + 8; k < group + 16; ++k) lines.push_back(MessageLine(k));
    for (int k = group; k < group + 8; ++k) lines.push_back(MessageLine(k));
  }
}

void AppendDataBlockHead(std::vector<std::string>& lines, const std::string& number) {
  lines.push_back(Cat({"DATA_BLOCK DB", number}));
  lines.emplace_back("TITLE =");
  lines.emplace_back("VERSION : 0.1");
  lines.emplace_back();
  lines.emplace_back("  STRUCT");
}

void AppendDataBlockTail(std::vector<std::string>& lines) {
  lines.emplace_back("  END_STRUCT ;");
  lines.emplace_back("BEGIN");
  lines.emplace_back("END_DATA_BLOCK");
}

}  // namespace

const FieldTable<MessageDbParams>& MessageDbFields() {
  static const FieldTable<MessageDbParams> table = [] {
    using P = MessageDbParams;
    FieldTable<P> t;
    t.push_back(TextField<P>("number", "LabeledEdit2", "DB-/ UDT- Nummer", "number", &P::number, "1", false,
                             "number of the data block and of the UDT, 1 to 10000")
                    .Checks({4, 5, 6}));
    t.push_back(TextField<P>("count", "LabeledEdit1", "Anzahl Bit-Meldungen:", "count", &P::count, "1000", false,
                             "number of bit messages, 1 to 10000, raised to a multiple of 16")
                    .Checks({1, 2, 3}));
    t.push_back(
        ChoiceField<P>("variant", "RadioGroup1", "Erzeuge:", "variant", &P::variant, {"db", "udt", "udt-ack"},
                       kMessageUdtAndDbAcks)
            .Items({"DB mit Meldungen", "UDT + DB mit Meldungen", "UDT + DB mit Meldungen und Quittiermeldungen"}));
    return t;
  }();
  return table;
}

int RoundedMessageCount(int count) { return (count + kGroupSize - 1) / kGroupSize * kGroupSize; }

GeneratorResult GenerateMessageDb(const MessageDbParams& params) {
  const auto count = ParseInt32(params.count);
  if (!count) return Failure(1);
  if (*count < 1) return Failure(2);
  if (*count > kMaxCount) return Failure(3);
  const auto number = ParseInt32(params.number);
  if (!number) return Failure(4);
  if (*number < 1) return Failure(5);
  if (*number > kMaxNumber) return Failure(6);
  if (GeneratorResult refused = CheckControlCharacters(MessageDbFields(), params); !refused.ok()) return refused;

  const int rounded = RoundedMessageCount(*count);
  const std::string n = Decimal(*number);
  GeneratorResult result;
  auto& lines = result.lines;
  lines.reserve(static_cast<std::size_t>(rounded) + 24);
  if (params.variant == kMessageDbOnly) {
    AppendDataBlockHead(lines, n);
    AppendMessageLines(lines, rounded);
    AppendDataBlockTail(lines);
    return result;
  }
  lines.push_back(Cat({"TYPE UDT", n}));
  lines.emplace_back("VERSION : 0.1");
  lines.emplace_back();
  lines.emplace_back("  STRUCT");
  AppendMessageLines(lines, rounded);
  lines.emplace_back("  END_STRUCT ;");
  lines.emplace_back("END_TYPE");
  lines.emplace_back();
  lines.emplace_back();
  AppendDataBlockHead(lines, n);
  lines.push_back(Cat({"   sm : UDT", n, ";"}));
  if (params.variant == kMessageUdtAndDbAcks) lines.push_back(Cat({"   qm : UDT", n, ";"}));
  AppendDataBlockTail(lines);
  return result;
}

}  // namespace brendax
