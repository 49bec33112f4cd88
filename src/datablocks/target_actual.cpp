#include "datablocks/target_actual.h"

#include <algorithm>
#include <charconv>
#include <cstdint>

#include "text/cp1252.h"
#include "text/integer_text.h"

namespace brendax {
namespace {

using Fields = FieldTable<TargetActualParams>;
using P = TargetActualParams;

// One assignment line taken apart: the tag text in front of the "=" and the
// symbol behind it.
struct Assignment {
  std::string_view tag;
  std::string_view symbol;
};

std::optional<Assignment> SplitAssignment(std::string_view line) {
  std::size_t pos = line.find_first_not_of(" /");
  if (pos == std::string_view::npos) return std::nullopt;
  line.remove_prefix(pos);
  const std::size_t equals = line.find('=');
  if (equals == std::string_view::npos) return std::nullopt;
  std::string_view tag = line.substr(0, equals);
  const std::size_t tagEnd = tag.find_last_not_of(' ');
  if (tagEnd == std::string_view::npos) return std::nullopt;
  tag = tag.substr(0, tagEnd + 1);
  if (tag.find(' ') != std::string_view::npos) return std::nullopt;  // the blanks may only follow the tag
  std::string_view symbol = line.substr(equals + 1);
  const std::size_t start = symbol.find_first_not_of(' ');
  if (start == std::string_view::npos) return std::nullopt;
  symbol.remove_prefix(start);
  symbol = symbol.substr(0, symbol.find('/'));
  symbol = symbol.substr(0, symbol.find(' '));
  if (symbol.empty()) return std::nullopt;
  return Assignment{tag, symbol};
}

// A number as the tags write it: decimal digits without leading zeros.
std::optional<std::int64_t> TagNumber(std::string_view text) {
  if (text.empty() || text.size() > 9) return std::nullopt;
  if (text.size() > 1 && text.front() == '0') return std::nullopt;
  std::int64_t value = 0;
  for (const char ch : text) {
    if (ch < '0' || ch > '9') return std::nullopt;
    value = value * 10 + (ch - '0');
  }
  return value;
}

std::string Cut(std::string_view symbol) { return std::string(symbol.substr(0, kTargetActualSymbolLength)); }

void AppendNumber(std::string& out, std::int64_t value) {
  char buffer[24];
  const auto end = std::to_chars(buffer, buffer + sizeof buffer, value).ptr;
  out.append(buffer, end);
}

// The tag of an input bit: "byte_bit".
void AppendBitTag(std::string& out, std::int64_t byteAddress, int bit) {
  AppendNumber(out, byteAddress);
  out += '_';
  out += static_cast<char>('0' + bit);
}

// The checked sizes of one run.
struct Layout {
  std::int64_t start = 0;
  int doubleWords = 0;
  int variants = 0;
  int Bits() const { return 32 * doubleWords; }
  std::int64_t ByteOf(int bitIndex) const { return start + bitIndex / 8; }
};

std::vector<std::string> VariantSymbols(const P& p, const Layout& layout) {
  std::vector<std::string> symbols;
  symbols.reserve(layout.variants);
  for (int v = 1; v <= layout.variants; ++v) symbols.push_back(Cut(p.prefixVariant + std::to_string(v)));
  for (const auto line : SplitListLines(p.variantSymbols)) {
    const auto assignment = SplitAssignment(line);
    if (!assignment) continue;
    const auto v = TagNumber(assignment->tag);
    if (v && *v >= 1 && *v <= layout.variants) symbols[*v - 1] = Cut(assignment->symbol);
  }
  return symbols;
}

std::vector<std::string> AddressSymbols(const P& p, const Layout& layout) {
  std::vector<std::string> symbols;
  symbols.reserve(layout.Bits());
  for (int i = 0; i < layout.Bits(); ++i) {
    std::string tag;
    AppendBitTag(tag, layout.ByteOf(i), i % 8);
    symbols.push_back(Cut(tag));
  }
  for (const auto line : SplitListLines(p.addressSymbols)) {
    const auto assignment = SplitAssignment(line);
    if (!assignment) continue;
    const std::size_t underscore = assignment->tag.find('_');
    if (underscore == std::string_view::npos) continue;
    const auto byteAddress = TagNumber(assignment->tag.substr(0, underscore));
    const std::string_view bit = assignment->tag.substr(underscore + 1);
    if (!byteAddress || bit.size() != 1 || bit[0] < '0' || bit[0] > '7') continue;
    const std::int64_t byteIndex = *byteAddress - layout.start;
    if (byteIndex < 0 || byteIndex >= 4 * layout.doubleWords) continue;
    symbols[byteIndex * 8 + (bit[0] - '0')] = Cut(assignment->symbol);
  }
  return symbols;
}

GeneratorResult Failure(int code) {
  GeneratorResult result;
  result.errorCode = code;
  result.errorField = FieldOfCode(TargetActualFields(), code);
  result.boxStyle = ErrorBoxStyle::kFehlerCode;
  return result;
}

std::size_t LongestOf(const std::vector<std::string>& texts) {
  std::size_t longest = 0;
  for (const auto& text : texts) longest = std::max(longest, text.size());
  return longest;
}

// Every declared name within what the engineering tool accepts: each
// prefix with the longest symbols it is combined with (every variant meets
// every address). The variant prefix, which names only comments and the
// default variant symbols, may not exceed a name either.
GeneratorResult CheckNameLengths(const P& p, const Layout& layout, const std::vector<std::string>& variantSymbols,
                                 const std::vector<std::string>& addressSymbols) {
  const std::size_t variant = LongestOf(variantSymbols);
  const std::size_t address = LongestOf(addressSymbols);
  const std::size_t number = std::to_string(layout.start + 4 * (layout.doubleWords - 1)).size();
  const struct {
    const char* option;
    std::size_t length;
  } names[] = {
      {"prefix-actual", p.prefixActual.size() + number},
      {"prefix-teach", p.prefixTeach.size() + address},
      {"prefix-error", p.prefixError.size() + address},
      {"prefix-target", variant + p.prefixTarget.size() + address},
      {"prefix-active", variant + p.prefixActive.size() + address},
      {"prefix-variant", p.prefixVariant.size()},
  };
  for (const auto& name : names) {
    if (name.length <= kMaxNameLength) continue;
    const auto* field = FindFieldByOption(TargetActualFields(), name.option);
    return NameTooLongFailure(field->label, field->option, ErrorBoxStyle::kFehlerCode);
  }
  return {};
}

// A bit declaration: "   {name} : Bool ;   //{comment}", the name and the
// comment each made of up to three parts.
struct BitLine {
  std::string_view name1, name2, name3;
  std::string_view comment1;
  std::int64_t commentNumber = -1;  // the variant number in the comment, or none
  std::string_view comment2;
};

void AppendBitDeclaration(std::vector<std::string>& lines, const BitLine& parts, std::int64_t byteAddress, int bit) {
  std::string line;
  line.reserve(40 + parts.name1.size() + parts.name2.size() + parts.name3.size() + parts.comment1.size() +
               parts.comment2.size());
  line += "   ";
  line += parts.name1;
  line += parts.name2;
  line += parts.name3;
  line += " : Bool ;   //";
  line += parts.comment1;
  if (parts.commentNumber >= 0) AppendNumber(line, parts.commentNumber);
  line += parts.comment2;
  AppendBitTag(line, byteAddress, bit);
  lines.push_back(std::move(line));
}

}  // namespace

const FieldTable<TargetActualParams>& TargetActualFields() {
  static const Fields table = {
      TextField<P>("doubleWords", "LabeledEdit2", "Anzahl Doppelworte (1..32) :", "double-words", &P::doubleWords, "1",
                   false, "number of input double words, 1 to 32")
          .Checks({10}),
      TextField<P>("variants", "LabeledEdit1", "Anzahl Varianten (1..64) :", "variants", &P::variants, "1", false,
                   "number of variants (process states, steps), 1 to 64")
          .Checks({20}),
      TextField<P>("startAddress", "LabeledEdit6", "Startadresse (0..1023) :", "start", &P::startAddress, "0", false,
                   "first input byte address, 0 to 1023")
          .Checks({30}),
      TextField<P>("prefixActual", "LabeledEdit3", "Symbolkürzel f. Ist-DW :", "prefix-actual", &P::prefixActual,
                   "IstDW", false, "name prefix of the actual double words"),
      TextField<P>("prefixTeach", "LabeledEdit9", "Symbolkürzel f. Teach-Maske :", "prefix-teach", &P::prefixTeach,
                   "TMask", false, "name prefix of the teach-mask bits"),
      TextField<P>("prefixError", "LabeledEdit8", "Symbolkürzel f. Fehler-Bit :", "prefix-error", &P::prefixError,
                   "Err", false, "name prefix of the error bits"),
      TextField<P>("prefixTarget", "LabeledEdit4", "Symbolkürzel f. Soll-Bit :", "prefix-target", &P::prefixTarget,
                   "SollB", false, "name prefix of the target bits"),
      TextField<P>("prefixActive", "LabeledEdit5", "Symbolkürzel f. Aktiv-Bit :", "prefix-active", &P::prefixActive,
                   "AktB", false, "name prefix of the active bits"),
      TextField<P>("prefixVariant", "LabeledEdit7", "Symbolkürzel f. Variante (Schritt) :", "prefix-variant",
                   &P::prefixVariant, "V", false, "prefix of the default variant symbols and of the comments"),
      TextField<P>("variantSymbols", "Memo1", "Symbolzuordnung Varianten / Schritte :", "variant-symbols",
                   &P::variantSymbols, "", false)
          .Lines(true),
      TextField<P>("addressSymbols", "Memo2", "Symbolzuordnung Adressen :", "address-symbols", &P::addressSymbols, "",
                   false)
          .Lines(true),
  };
  return table;
}

std::vector<std::string_view> SplitListLines(std::string_view text) {
  std::vector<std::string_view> lines;
  std::size_t begin = 0;
  while (begin < text.size()) {
    const std::size_t end = text.find_first_of("\r\n", begin);
    if (end == std::string_view::npos) {
      lines.push_back(text.substr(begin));
      break;
    }
    lines.push_back(text.substr(begin, end - begin));
    begin = end + (text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n' ? 2 : 1);
  }
  return lines;
}

std::optional<std::string> ParseAssignment(std::string_view line, std::string_view tag) {
  const auto assignment = SplitAssignment(line);
  if (!assignment || assignment->tag != tag) return std::nullopt;
  return std::string(assignment->symbol);
}

const std::vector<std::string>& TargetActualSyntaxNote() {
  static const std::vector<std::string> note = {
      "Syntax: ",
      "\"Adresse/Variante=Symbol\",",
      Ansi("führende Leerzeichen und Slaschs (/) werden ignoriert,"),
      "max 8 Zeichen pro Symbol",
  };
  return note;
}

GeneratorResult GenerateTargetActual(const TargetActualParams& p) {
  Layout layout;
  const auto doubleWords = ParseInt32(p.doubleWords);
  if (!doubleWords || *doubleWords < 1 || *doubleWords > 32) return Failure(10);
  const auto variants = ParseInt32(p.variants);
  if (!variants || *variants < 1 || *variants > 64) return Failure(20);
  const auto start = ParseInt32(p.startAddress);
  if (!start || *start < 0 || *start > 1023) return Failure(30);
  if (GeneratorResult refused = CheckControlCharacters(TargetActualFields(), p, ErrorBoxStyle::kFehlerCode);
      !refused.ok())
    return refused;
  layout.doubleWords = *doubleWords;
  layout.variants = *variants;
  layout.start = *start;

  const std::vector<std::string> variantSymbols = VariantSymbols(p, layout);
  const std::vector<std::string> addressSymbols = AddressSymbols(p, layout);
  const int bits = layout.Bits();
  if (GeneratorResult refused = CheckNameLengths(p, layout, variantSymbols, addressSymbols); !refused.ok())
    return refused;

  GeneratorResult result;
  auto& lines = result.lines;
  lines.reserve(static_cast<std::size_t>(25 + layout.variants + bits + layout.doubleWords + 2 * bits +
                                         2 * layout.variants * bits));

  // The assignments in the syntax of the dialog's lists.
  lines.emplace_back("   // ");
  lines.emplace_back("   // Symbolzuordnungen f. Varianten / Schritte :");
  for (int v = 1; v <= layout.variants; ++v) {
    std::string line;
    line.reserve(16 + variantSymbols[v - 1].size());
    line += "   //";
    AppendNumber(line, v);
    line += '=';
    line += variantSymbols[v - 1];
    lines.push_back(std::move(line));
  }
  lines.emplace_back("   // ");
  lines.emplace_back("   // Symbolzuordnungen f. Adressen :");
  for (int i = 0; i < bits; ++i) {
    std::string line;
    line.reserve(20 + addressSymbols[i].size());
    line += "   //";
    AppendBitTag(line, layout.ByteOf(i), i % 8);
    line += '=';
    line += addressSymbols[i];
    lines.push_back(std::move(line));
  }

  lines.emplace_back("DATA_BLOCK DB1");
  lines.emplace_back("TITLE =");
  lines.emplace_back("VERSION : 0.1");
  lines.emplace_back("");
  lines.emplace_back("  STRUCT");
  lines.emplace_back("   Const_EingangsDWords : INT ;");
  lines.emplace_back("   Const_Varianten : INT ;");
  lines.emplace_back("   Variante_old : INT ;");
  lines.emplace_back("");
  lines.emplace_back("");
  lines.emplace_back("");
  for (int i = 0; i < layout.doubleWords; ++i) {
    std::string line;
    line.reserve(24 + p.prefixActual.size());
    line += "   ";
    line += p.prefixActual;
    AppendNumber(line, layout.start + 4 * i);
    line += " : DWORD ;";
    lines.push_back(std::move(line));
  }
  for (const std::string* prefix : {&p.prefixTeach, &p.prefixError})
    for (int i = 0; i < bits; ++i)
      AppendBitDeclaration(lines, {*prefix, addressSymbols[i], {}, *prefix, -1, {}}, layout.ByteOf(i), i % 8);
  for (const std::string* prefix : {&p.prefixTarget, &p.prefixActive})
    for (int v = 1; v <= layout.variants; ++v)
      for (int i = 0; i < bits; ++i)
        AppendBitDeclaration(lines, {variantSymbols[v - 1], *prefix, addressSymbols[i], p.prefixVariant, v, *prefix},
                             layout.ByteOf(i), i % 8);
  lines.emplace_back("  END_STRUCT ;");
  lines.emplace_back("BEGIN");
  lines.emplace_back("END_DATA_BLOCK");
  lines.emplace_back("");
  return result;
}

}  // namespace brendax
