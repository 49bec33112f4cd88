#include "symbols/symbol_generator.h"

#include <charconv>
#include <initializer_list>
#include <optional>
#include <utility>

#include "text/cp1252.h"
#include "text/integer_text.h"

namespace brendax {
namespace {

// The message of every error number.
struct ErrorText {
  int first;
  int last;
  const char* utf8;
};

constexpr ErrorText kErrorTexts[] = {
    {1, 2, "Anzahl Symbole ungültig !"},
    {3, 3, "Aressbereich ungültig !"},
    {4, 7, "Startadresse ungültig !"},
    {8, 11, "Startadresse2 ungültig !"},
    {12, 12, "Counter1 ungültig !"},
    {13, 13, "Counter2 ungültig !"},
    {14, 14, "Schrittweite C1 ungültig !"},
    {15, 15, "Schrittweite C2 ungültig !"},
    {16, 16, "Counter3 ungültig !"},
    {17, 17, "Mindestens ein Symbol ist zu lang (max. 24 Zeichen) !"},
    {18, 18, "Mindestens ein Symbolkommentar ist zu lang (max. 80 Zeichen) !"},
};

std::string MessageOf(int code) {
  for (const auto& e : kErrorTexts)
    if (code >= e.first && code <= e.last) return Ansi(e.utf8);
  return {};
}

// Adds with the wrap-around of 32-bit machine arithmetic.
std::int32_t WrapAdd(std::int32_t a, std::int32_t b) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(a) + static_cast<std::uint32_t>(b));
}

void AppendNumber(std::string& out, std::int32_t value) {
  char buffer[12];
  const auto end = std::to_chars(buffer, buffer + sizeof buffer, value).ptr;
  out.append(buffer, end);
}

void AppendAddress(std::string& out, std::int32_t byte, std::int32_t bit) {
  AppendNumber(out, byte);
  out.push_back('.');
  AppendNumber(out, bit);
}

// A start address "byte.bit". Returns 0, or the error offset from the
// address's first error number: 0 no point, 1 byte, 2 bit, 3 bit above 7.
// A negative byte or bit is refused like one that is not a number.
int ReadStartAddress(const std::string& text, std::int32_t& byte, std::int32_t& bit) {
  const auto point = text.find('.');
  if (point == std::string::npos) return 0 + 1;
  const auto bytePart = ParseInt32(std::string_view(text).substr(0, point));
  if (!bytePart || *bytePart < 0) return 1 + 1;
  const std::string_view bitText = std::string_view(text).substr(point + 1);
  const auto bitPart = ParseInt32(bitText);
  if (!bitPart) {
    // A malformed bit whose leading digits already exceed 7 counts as too high.
    for (std::size_t length = bitText.size(); length > 0; --length) {
      if (const auto leading = ParseInt32(bitText.substr(0, length))) return *leading > 7 ? 3 + 1 : 2 + 1;
    }
    return 2 + 1;
  }
  if (*bitPart < 0) return 2 + 1;
  if (*bitPart > 7) return 3 + 1;
  byte = *bytePart;
  bit = *bitPart;
  return 0;
}

}  // namespace

const FieldTable<SymbolParams>& SymbolFieldTable() {
  using P = SymbolParams;
  static const FieldTable<P> table = [] {
    FieldTable<P> t;
    t.push_back(TextField<P>("count", "LabeledEdit5", "Anzahl Symbole", "count", &P::count, "8", false,
                             "number of rows, at most 1000")
                    .Checks({1, 2}));
    t.push_back(ChoiceField<P>("area", "ComboBox1", "Adressbereich", "area", &P::area, {"inputs", "outputs", "flags"},
                               kAreaFlags)
                    .Checks({3})
                    .Items({Cp1252ToUtf8(SymbolAreaItems()[0]), Cp1252ToUtf8(SymbolAreaItems()[1]),
                            Cp1252ToUtf8(SymbolAreaItems()[2])}));
    t.push_back(TextField<P>("startAddress", "LabeledEdit1", "Startadresse <A1>", "start-address", &P::startAddress,
                             "10.0", false, "address of the first row, byte.bit")
                    .Checks({4, 5, 6, 7}));
    t.push_back(TextField<P>("startAddress2", "LabeledEdit2", "Startadresse2 <A2>", "start-address2", &P::startAddress2,
                             "0.0", false, "second address counted on with the rows, byte.bit")
                    .Checks({8, 9, 10, 11}));
    t.push_back(TextField<P>("c1Start", "LabeledEdit3", "Startwert Counter1 <C1>", "c1", &P::c1Start, "0", false,
                             "start value of counter 1")
                    .Checks({12}));
    t.push_back(TextField<P>("c1Step", "LabeledEdit9", "Schrittweite C1", "c1-step", &P::c1Step, "1", false,
                             "step of counter 1 per row")
                    .Checks({14}));
    t.push_back(TextField<P>("c2Start", "LabeledEdit4", "Startwert Counter2 <C2>", "c2", &P::c2Start, "1", false,
                             "start value of counter 2")
                    .Checks({13}));
    t.push_back(TextField<P>("c2Step", "LabeledEdit10", "Schrittweite C2", "c2-step", &P::c2Step, "1", false,
                             "step of counter 2 per row")
                    .Checks({15}));
    t.push_back(TextField<P>("c3Start", "LabeledEdit8", "Startw. Count.3 (Sequ.) <C3>", "c3", &P::c3Start, "1", false,
                             "start value of counter 3, counted on after each full text sequence")
                    .Checks({16}));
    std::string P::*const t1[] = {&P::t1Seq1, &P::t1Seq2, &P::t1Seq3, &P::t1Seq4};
    std::string P::*const t2[] = {&P::t2Seq1, &P::t2Seq2, &P::t2Seq3, &P::t2Seq4};
    static const char* const t1Members[] = {"t1Seq1", "t1Seq2", "t1Seq3", "t1Seq4"};
    static const char* const t2Members[] = {"t2Seq1", "t2Seq2", "t2Seq3", "t2Seq4"};
    static const char* const t1Controls[] = {"LabeledEdit12", "LabeledEdit13", "LabeledEdit14", "LabeledEdit15"};
    static const char* const t2Controls[] = {"LabeledEdit16", "LabeledEdit17", "LabeledEdit18", "LabeledEdit19"};
    static const char* const t1Labels[] = {"Var Text <T1> (Sequ. 1)", "Var Text <T1> (Sequ. 2)",
                                           "Var Text <T1> (Sequ. 3)", "Var Text <T1> (Sequ. 4)"};
    static const char* const t2Labels[] = {"Var Text <T2> (Sequ. 1)", "Var Text <T2> (Sequ. 2)",
                                           "Var Text <T2> (Sequ. 3)", "Var Text <T2> (Sequ. 4)"};
    static const char* const t1Options[] = {"t1-1", "t1-2", "t1-3", "t1-4"};
    static const char* const t2Options[] = {"t2-1", "t2-2", "t2-3", "t2-4"};
    for (int i = 0; i < 4; ++i)
      t.push_back(TextField<P>(t1Members[i], t1Controls[i], t1Labels[i], t1Options[i], t1[i], "", false,
                               "text <T1> of this sequence"));
    for (int i = 0; i < 4; ++i)
      t.push_back(TextField<P>(t2Members[i], t2Controls[i], t2Labels[i], t2Options[i], t2[i], "", false,
                               "text <T2> of this sequence"));
    t.push_back(TextField<P>("symbol", "LabeledEdit6", "Symbol", "symbol", &P::symbol, "M_PrgNr_Bit<C1>", false,
                             "symbol pattern, at most 24 characters once expanded")
                    .Checks({17}));
    t.push_back(TextField<P>("comment", "LabeledEdit7", "Kommentar", "comment", &P::comment, "Programmnummer Bit <C1>",
                             false, "comment pattern, at most 80 characters once expanded")
                    .Checks({18}));
    return t;
  }();
  return table;
}

const std::array<std::string, 3>& SymbolAreaItems() {
  static const std::array<std::string, 3> items = {Ansi("E/I   Eingänge"), Ansi("A/Q Ausgänge"), "M     Merker"};
  return items;
}

SymbolParams SymbolExampleProgramNumber() {
  SymbolParams p = DefaultsOf(SymbolFieldTable());
  p.simplifiedView = true;
  return p;
}

namespace {

// An example of the extended view: the program-number example with the
// area and the fields listed.
SymbolParams ExtendedExample(int area,
                             std::initializer_list<std::pair<std::string SymbolParams::*, std::string_view>> fields) {
  SymbolParams p = SymbolExampleProgramNumber();
  p.simplifiedView = false;
  p.area = area;
  for (const auto& [member, text] : fields) p.*member = text;
  return p;
}

}  // namespace

SymbolParams SymbolExampleInterface() {
  using P = SymbolParams;
  return ExtendedExample(kAreaInputs, {{&P::startAddress, "0.0"},
                                       {&P::startAddress2, "100.0"},
                                       {&P::c1Start, "1"},
                                       {&P::c2Start, "100"},
                                       {&P::count, "10"},
                                       {&P::symbol, "E<A1>_Rob_A<C1>"},
                                       {&P::comment, "Eingang E<A1>  / Roboter Ausgang <C1> / "},
                                       {&P::c3Start, "1"},
                                       {&P::c1Step, "1"},
                                       {&P::c2Step, "-1"}});
}

SymbolParams SymbolExampleCylinder() {
  using P = SymbolParams;
  return ExtendedExample(kAreaInputs, {{&P::startAddress, "50.0"},
                                       {&P::startAddress2, "0.0"},
                                       {&P::c1Start, "1"},
                                       {&P::c2Start, "1"},
                                       {&P::count, "10"},
                                       {&P::symbol, "E<A1>Zyl<C3><T1>"},
                                       {&P::comment, "Zylinder <C3> <T2>"},
                                       {&P::c3Start, "1"},
                                       {&P::c1Step, "1"},
                                       {&P::c2Step, "1"},
                                       {&P::t1Seq1, "ausg"},
                                       {&P::t1Seq2, "eing"},
                                       {&P::t2Seq1, "ausgefahren"},
                                       {&P::t2Seq2, "eingefahren"}});
}

int SequenceCount(const std::array<std::string, 4>& t1, const std::array<std::string, 4>& t2) {
  int count = 0;
  for (int i = 0; i < 4; ++i) {
    if (t1[i].empty() && t2[i].empty()) break;
    count = i + 1;
  }
  return count;
}

void SymbolRunState::Advance() {
  if (++a1Bit > 7) {
    a1Bit = 0;
    a1Byte = WrapAdd(a1Byte, 1);
  }
  if (++a2Bit > 7) {
    a2Bit = 0;
    a2Byte = WrapAdd(a2Byte, 1);
  }
  c1 = WrapAdd(c1, c1Step);
  c2 = WrapAdd(c2, c2Step);
  if (++sequenceIndex > sequenceCount) {
    sequenceIndex = 1;
    c3 = WrapAdd(c3, 1);
  }
}

void ExpandPlaceholders(std::string_view pattern, const SymbolRunState& state, std::string& out) {
  std::string_view rest = pattern;
  for (auto open = rest.find('<'); open != std::string_view::npos; open = rest.find('<')) {
    out.append(rest.substr(0, open));
    rest.remove_prefix(open);
    bool known = rest.size() >= 4 && rest[3] == '>';
    if (known) {
      const char kind = rest[1];
      const char digit = rest[2];
      if (kind == 'A' && digit == '1') {
        AppendAddress(out, state.a1Byte, state.a1Bit);
      } else if (kind == 'A' && digit == '2') {
        AppendAddress(out, state.a2Byte, state.a2Bit);
      } else if (kind == 'C' && digit == '1') {
        AppendNumber(out, state.c1);
      } else if (kind == 'C' && digit == '2') {
        AppendNumber(out, state.c2);
      } else if (kind == 'C' && digit == '3') {
        AppendNumber(out, state.c3);
      } else if (kind == 'T' && digit == '1') {
        out.append(state.t1[static_cast<std::size_t>(state.sequenceIndex - 1)]);
      } else if (kind == 'T' && digit == '2') {
        out.append(state.t2[static_cast<std::size_t>(state.sequenceIndex - 1)]);
      } else {
        known = false;
      }
    }
    if (known) {
      rest.remove_prefix(4);
    } else {
      out.push_back('<');
      rest.remove_prefix(1);
    }
  }
  out.append(rest);
}

std::string ExpandPlaceholders(std::string_view pattern, const SymbolRunState& state) {
  std::string out;
  out.reserve(pattern.size() + 16);
  ExpandPlaceholders(pattern, state, out);
  return out;
}

GeneratorResult GenerateSymbols(const SymbolParams& p, const MnemonicSet& mnemonics) {
  GeneratorResult result;
  const auto fail = [&result](int code) {
    result.errorCode = code;
    result.errorMessage = MessageOf(code);
    result.errorField = FieldOfCode(SymbolFieldTable(), code);
    return std::move(result);
  };

  const auto count = ParseInt32(p.count);
  if (!count) return fail(1);
  if (*count > kMaxSymbolCount) return fail(2);
  const int n = *count > 0 ? *count : 0;
  // From here on the grid holds n rows, empty until written.
  result.symbols.resize(static_cast<std::size_t>(n));

  SymbolRunState state;
  if (const int e = ReadStartAddress(p.startAddress, state.a1Byte, state.a1Bit)) return fail(3 + e);
  if (const int e = ReadStartAddress(p.startAddress2, state.a2Byte, state.a2Bit)) return fail(7 + e);

  std::string area;
  switch (p.area) {
    case kAreaInputs: area = mnemonics.MnemInput; break;
    case kAreaOutputs: area = mnemonics.MnemOutput; break;
    case kAreaFlags: area = "M"; break;
    default: return fail(3);
  }

  const std::pair<const std::string*, std::int32_t*> numbers[] = {{&p.c1Start, &state.c1},
                                                                  {&p.c2Start, &state.c2},
                                                                  {&p.c1Step, &state.c1Step},
                                                                  {&p.c2Step, &state.c2Step},
                                                                  {&p.c3Start, &state.c3}};
  int code = 12;
  for (const auto& [text, target] : numbers) {
    const auto value = ParseInt32(*text);
    if (!value) return fail(code);
    *target = *value;
    ++code;
  }

  // Last, what no check above has caught: a control character in any field.
  if (GeneratorResult refused = CheckControlCharacters(SymbolFieldTable(), p); !refused.ok()) {
    refused.symbols = std::move(result.symbols);  // the grid keeps its empty rows, as after every check
    return refused;
  }

  state.t1 = p.T1();
  state.t2 = p.T2();
  state.sequenceCount = SequenceCount(state.t1, state.t2);
  state.sequenceIndex = 1;

  std::string prefix = area;
  prefix.append("  ");
  for (auto& row : result.symbols) {
    row.symbol.reserve(p.symbol.size() + 16);
    ExpandPlaceholders(p.symbol, state, row.symbol);
    if (row.symbol.size() > kMaxSymbolLength) {
      row.symbol.clear();
      return fail(17);
    }
    row.address = prefix;
    AppendAddress(row.address, state.a1Byte, state.a1Bit);
    row.type = "Bool";
    row.comment.reserve(p.comment.size() + 16);
    ExpandPlaceholders(p.comment, state, row.comment);
    if (row.comment.size() > kMaxCommentLength) {
      row.comment.clear();
      return fail(18);
    }
    state.Advance();
  }
  return result;
}

const std::string& SymbolHelpText() {
  static const std::string text = Ansi(
      "Hilfe zum Symbolgenerator\r\r<A1>, <A2>, <C1>, <C2>, <C3>, <T1> und <T2> sind Variablen, welche\r"
      "beliebig im Symbol und im Kommentar verwendet werden können.\r\r"
      "<C1> und <C2> werden mit jedem neuen Symbol inkrementiert bzw. dekrementiert.\r\r"
      "<C3> wird nach jeder vollen Textsequenz inkrementiert\r\r"
      "Zum testen einfach mit den Beispielwerten experimentieren!");
  return text;
}

}  // namespace brendax
