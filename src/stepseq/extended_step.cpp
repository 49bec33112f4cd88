#include "stepseq/extended_step.h"

#include <algorithm>
#include <cstdint>
#include <optional>

#include "stepseq/step_common.h"
#include "text/cp1252.h"
#include "text/integer_text.h"
#include "text/line_writer.h"
#include "text/text_routines.h"

namespace brendax {
namespace {

using P = ExtendedStepParams;

// The texts of the codes only the extended step sequence gives.
constexpr ErrorText kExtendedTexts[] = {
    {6, 7, "\"DB- Name\" ist ung\xFCltig !"},
    {22, 23, "\"DB- Nummer\" ist ung\xFCltig !"},
    {37, 38, "Initialschritt ist ung\xFCltig !"},
    {39, 39,
     "In-Variable f\xFCr R\xFC"
     "ckw\xE4rtsschritt fehlt !"},
    {40, 40, "In-Variable f\xFCr Vorw\xE4rtsschritt fehlt !"},
    {50, 52, "\"FC- Nummer- Timer\" ist ung\xFCltig !"},
    {53, 54, "\"DB- Name- Timer\" ist ung\xFCltig !"},
    {90, 90, "Interner Fehler !"},
};

// Result of the checks: the code (0 = passed) and, when passed, the numbers
// that the rows and the derived values need.
struct CheckOutcome {
  int code = 0;
  int maxStepsIndex = 0;
  int fcNumber = 0;
  int dbNumber = 0;
  int timerFcNumber = 0;
  int first = 0;
  int count = 0;
  int distance = 0;
  int initial = 0;
};

// Reads a number field: `notInteger` when the text is no integer, `outOfRange`
// when it lies outside [low, high]; 0 and the value otherwise.
int ReadNumber(const std::string& text, int low, int high, int notInteger, int outOfRange, int& value) {
  const std::optional<std::int32_t> parsed = ParseInt32(text);
  if (!parsed) return notInteger;
  if (*parsed < low || *parsed > high) return outOfRange;
  value = *parsed;
  return 0;
}

// The checks in their fixed order. A check runs only while the code is 0;
// inside a group every check runs and the last failing one decides.
CheckOutcome CheckParams(const ExtendedStepParams& p) {
  CheckOutcome out;
  int& code = out.code;
  // Inside a group a later failure overwrites an earlier one of the group.
  auto group = [&code](bool fails, int failCode) {
    if (fails) code = failCode;
  };

  // The list's text selects an item only when it equals one.
  const auto& items = ExtendedMaxStepsItems();
  const auto item = std::find(items.begin(), items.end(), p.maxSteps);
  if (item == items.end()) {
    out.code = 90;
    return out;
  }
  out.maxStepsIndex = static_cast<int>(item - items.begin());
  const int highest = 32 * (1 << out.maxStepsIndex) - 1;

  code = ReadNumber(p.fcNumber, 0, 65535, 20, 21, out.fcNumber);
  // DB 0 does not exist: the data blocks are numbered from 1.
  if (code == 0) code = ReadNumber(p.dbNumber, 1, 65535, 22, 23, out.dbNumber);
  if (code == 0 && InvalidBlockName(p.fcName)) code = 5;
  if (code == 0 && InvalidBlockName(p.dbName)) code = 6;
  if (code == 0 && p.fcName == p.dbName) code = 7;
  if (code == 0 && InvalidIdentifier(p.release1)) code = 8;

  if (code == 0) {
    group(InvalidIdentifier(p.release2), 9);
    group(!p.release2.empty() && p.release2 == p.release1, 10);
  }
  if (code == 0 && !p.release3.empty()) {
    group(InvalidIdentifier(p.release3), 11);
    group(p.release3 == p.release1, 12);
    group(p.release3 == p.release2, 13);
  }
  if (code == 0 && !p.release4.empty()) {
    group(InvalidIdentifier(p.release4), 14);
    group(p.release4 == p.release1, 15);
    group(p.release4 == p.release2, 16);
    group(p.release4 == p.release3, 17);
  }

  if (code == 0) code = ReadNumber(p.firstStep, 0, 98, 30, 31, out.first);
  if (code == 0) code = ReadNumber(p.distance, 1, 50, 32, 33, out.distance);
  if (code == 0) {
    const std::optional<std::int32_t> count = ParseInt32(p.count);
    if (!count) {
      code = 34;
    } else {
      // 64 bits: a huge count times the distance must not overflow.
      const std::int64_t last =
          static_cast<std::int64_t>(out.first) + (static_cast<std::int64_t>(*count) - 1) * out.distance;
      group(*count < 2 || *count > highest + 1, 35);
      group(last > highest, 36);
      out.count = *count;
    }
  }
  if (code == 0) {
    const int last = out.first + (out.count - 1) * out.distance;
    const std::optional<std::int32_t> initial = ParseInt32(p.initialStep);
    if (!initial || *initial < out.first || *initial > last) {
      code = 37;
    } else if ((*initial - out.first) % out.distance != 0) {
      code = 38;
    } else {
      out.initial = *initial;
    }
  }
  if (code == 0 && p.backward && p.release4.empty()) code = 39;
  if (code == 0 && p.backward && p.release3.empty()) code = 40;

  if (p.timers) {
    if (code == 0) {
      code = ReadNumber(p.timerFcNumber, 0, 65535, 50, 51, out.timerFcNumber);
      // The numbers are compared, not their texts: "+80" is FC 80 as well.
      if (code == 0 && out.timerFcNumber == out.fcNumber) code = 52;
    }
    if (code == 0 && InvalidBlockName(p.timerFcName)) code = 53;
    if (code == 0 && p.timerFcName == p.fcName) code = 54;
  }
  return out;
}

// A block's row: the name, then kind and number ("FC 80") twice. The number
// is written from its value, so "$50", "+80" and "080" all give FC 80.
SymbolRow BlockRow(const std::string& name, const char* kind, int number) {
  const std::string address = JoinPieces({kind, " ", number});
  return {name, address, address, name};
}

}  // namespace

const FieldTable<ExtendedStepParams>& ExtendedStepFields() {
  static const FieldTable<P> table = {
      TextField<P>("fcNumber", "LabeledEdit1", "FC- Nummer", "fc-number", &P::fcNumber, "80", true,
                   "number of the step-sequence function")
          .Checks({20, 21}),
      TextField<P>("fcName", "LabeledEdit3", "FC- Name", "fc-name", &P::fcName, "FC_Schrittkette", true,
                   "symbol name of that function")
          .Checks({5}),
      TextField<P>("dbNumber", "LabeledEdit2", "DB- Nummer", "db-number", &P::dbNumber, "80", true,
                   "number of the step data block")
          .Checks({22, 23}),
      TextField<P>("dbName", "LabeledEdit4", "DB- Name", "db-name", &P::dbName, "DB_Schrittkette", true,
                   "symbol name of the data block")
          .Checks({6, 7}),
      CheckField<P>("timers", "CheckBox2", "Erzeuge interne Timer", "timers", &P::timers, false),
      TextField<P>("timerFcNumber", "LabeledEdit13", "FC- Nummer", "timer-fc-number", &P::timerFcNumber, "81", false,
                   "number of the step timer function")
          .Checks({50, 51, 52}),
      TextField<P>("timerFcName", "LabeledEdit14", "FC- Name (Timer)", "timer-fc-name", &P::timerFcName,
                   "FC_Schritttimer", false, "symbol name of the step timer function")
          .Checks({53, 54}),
      TextField<P>("maxSteps", "ComboBox1", "Max. Anzahl Schritte (viele Schritte-> großer DB):", "max-steps",
                   &P::maxSteps, "64", false, "32, 64, 128, 256 or 512; any other text selects no item")
          .Checks({90}),
      TextField<P>("firstStep", "LabeledEdit9", "Nr. 1. Schritt", "first-step", &P::firstStep, "0", true,
                   "number of the first step")
          .Checks({30, 31}),
      TextField<P>("initialStep", "LabeledEdit8", "Nr. Initialschritt", "initial-step", &P::initialStep, "0", true,
                   "step activated by the Init input")
          .Checks({37, 38}),
      TextField<P>("count", "LabeledEdit10", "Anzahl Schritte", "count", &P::count, "12", true, "number of steps")
          .Checks({34, 35, 36}),
      TextField<P>("distance", "LabeledEdit11", "Schrittabstand", "distance", &P::distance, "5", true,
                   "distance between consecutive step numbers")
          .Checks({32, 33}),
      CheckField<P>("backward", "CheckBox1", "Erzeuge Rückwärts-Transitionen", "backward", &P::backward, true),
      TextField<P>("release1", "LabeledEdit5", "In-Variable Freigabe 1", "release1", &P::release1, "Auto", true,
                   "first release input")
          .Checks({8}),
      TextField<P>("release2", "LabeledEdit6", "In-Variable Freigabe 2", "release2", &P::release2, "Freigabe", true,
                   "second release input")
          .Checks({9, 10}),
      TextField<P>("release3", "LabeledEdit7", "In-Variable Freig. 3 (vorw.)", "release3", &P::release3, "SV", true,
                   "release input of forward transitions")
          .Checks({11, 12, 13, 40}),
      TextField<P>("release4", "LabeledEdit12", "In-Variable Freig. 4 (rückw.)", "release4", &P::release4, "SR", true,
                   "release input of backward transitions")
          .Checks({14, 15, 16, 17, 39}),
  };
  return table;
}

ExtendedStepParams ExtendedExample1() { return DefaultsOf(ExtendedStepFields()); }

ExtendedStepParams ExtendedExample2() {
  ExtendedStepParams p = ExtendedExample1();
  // Assigned as strings: assigning short literals trips a false -Wrestrict in GCC 12 at -O3.
  p.fcNumber = std::string("100");
  p.fcName = std::string("FC_Schrittkette100");
  p.dbNumber = std::string("100");
  p.dbName = std::string("DB_Schrittkette100");
  p.timers = true;
  p.timerFcNumber = std::string("101");
  p.timerFcName = std::string("FC_Schritttimer100");
  p.maxSteps = std::string("32");
  p.count = std::string("4");
  p.distance = std::string("1");
  p.backward = false;
  p.release3.clear();
  p.release4.clear();
  return p;
}

const std::vector<std::string>& ExtendedMaxStepsItems() {
  static const std::vector<std::string> items = {"32", "64", "128", "256", "512"};
  return items;
}

const std::string& ExtendedStepHelpText() {
  static const std::string text = Ansi(
      "Hilfe zu AWL-Schrittkette-Extended\r"
      "\r"
      "Hiermit kann das Gerüst für eine Schrittkette erzeugt werden.\r"
      "Benötigte Symbole werden parallel dazu erstellt.\r"
      "Einige Eigenschaften des erzeugten Schrittbausteines:\r"
      "-es können mehrere Schritte zu gleich aktiv sein,\r"
      "-mehrere Initialschritte sind erlaubt,\r"
      "-Alternativ- und Simultanverzweigungen sind möglich,\r"
      "-Rückwärtsschritte sind möglich,\r"
      "-jeder Schritt kann mit einem Timer (D oder L) versehen werden,\r"
      "-geringer Speicherverbrauch.\r"
      "Der Quellcode wird für ein leichtes Editieren ausführlich mit\r"
      "Kommentaren versehen.\r");
  return text;
}

const std::string& ExtendedStepTimeTickNotice() {
  static const std::string text = Ansi(
      "Der Baustein \r"
      "\r"
      "SFC 64 \"TIME_TCK\" / Systemzeit lesen\r"
      "\r"
      "wird zusätzlich benötigt, und muß dem\r"
      "Projekt ggf. manuell hinzugefügt werden !");
  return text;
}

GeneratorResult PrepareExtendedStep(const ExtendedStepParams& params, ExtendedStepValues& v) {
  const CheckOutcome checked = CheckParams(params);
  if (checked.code != 0) return NameFailingField(ExtendedStepFields(), StepFailure(checked.code, kExtendedTexts));
  if (GeneratorResult refused = CheckControlCharacters(ExtendedStepFields(), params); !refused.ok()) return refused;

  GeneratorResult result;
  result.symbols.push_back(BlockRow(params.fcName, "FC", checked.fcNumber));
  result.symbols.push_back(BlockRow(params.dbName, "DB", checked.dbNumber));
  if (params.timers) result.symbols.push_back(BlockRow(params.timerFcName, "FC", checked.timerFcNumber));

  v = ExtendedStepValues{};
  v.params = &params;
  v.wordsPerArray = 1 << checked.maxStepsIndex;
  v.highestStep = 32 * v.wordsPerArray - 1;
  v.firstStep = checked.first;
  v.stepCount = checked.count;
  v.distance = checked.distance;
  v.initialStep = checked.initial;
  v.lastStep = v.firstStep + (v.stepCount - 1) * v.distance;
  v.clearWords = v.wordsPerArray * (2 + (params.backward ? 1 : 0) + (params.timers ? 1 : 0));
  v.input3 = !params.release3.empty();
  v.input4Forward = !params.release4.empty() && !params.backward;
  v.input4Backward = !params.release4.empty() && params.backward;
  // The texts show the blocks' addresses as the symbol rows do.
  v.fcAddress = result.symbols[0].address;
  v.dbAddress = result.symbols[1].address;
  if (params.timers) v.timerFcAddress = result.symbols[2].address;
  return result;
}

GeneratorResult GenerateExtendedStep(const ExtendedStepParams& params, const MnemonicSet& mnemonics) {
  ExtendedStepValues v;
  GeneratorResult result = PrepareExtendedStep(params, v);
  if (!result.ok()) return result;
  AppendStepDataBlock(result.lines, v);
  if (params.timers) AppendStepTimerFunction(result.lines, v, mnemonics);
  AppendStepSequenceFunction(result.lines, v, mnemonics);
  if (params.timers) result.notices.push_back(ExtendedStepTimeTickNotice());
  return result;
}

}  // namespace brendax
