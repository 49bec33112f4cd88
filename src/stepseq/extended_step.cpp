#include "stepseq/extended_step.h"

#include <cstdint>
#include <optional>

#include "stepseq/step_common.h"
#include "text/cp1252.h"
#include "text/integer_text.h"
#include "text/text_routines.h"

namespace brendax {
namespace {

constexpr int kMaxStepsItemCount = 5;

// Result of the checks: the code (0 = passed) and, when passed, the numbers
// that the derived values need.
struct CheckOutcome {
  int code = 0;
  int fcNumber = 0;
  int dbNumber = 0;
  int timerFcNumber = 0;
  int first = 0;
  int count = 0;
  int distance = 0;
  int initial = 0;
};

const std::string& MessageOf(int code) {
  static const std::string internalError = "Interner Fehler !";
  static const std::string fcNumber = Ansi("\"FC- Nummer\" ist ungültig !");
  static const std::string dbNumber = Ansi("\"DB- Nummer\" ist ungültig !");
  static const std::string fcName = Ansi("\"FC- Name\" ist ungültig !");
  static const std::string dbName = Ansi("\"DB- Name\" ist ungültig !");
  static const std::string release1 = Ansi("\"In-Variable Freigabe 1\" ist ungültig !");
  static const std::string release2 = Ansi("\"In-Variable Freigabe 2\" ist ungültig !");
  static const std::string release3 = Ansi("\"In-Variable Freigabe 3\" ist ungültig !");
  static const std::string release4 = Ansi("\"In-Variable Freigabe 4\" ist ungültig !");
  static const std::string firstStep = Ansi("Erste Schrittnr. ist ungültig !");
  static const std::string distance = Ansi("Schrittabstand ist ungültig !");
  static const std::string count = Ansi("Schrittanzahl ist ungültig !");
  static const std::string lastStep =
      Ansi("Letzter Schritt ist > Maximum (evtl. Max. Anzahl Schritte anpassen)!");
  static const std::string initialStep = Ansi("Initialschritt ist ungültig !");
  static const std::string backwardInput = Ansi("In-Variable für Rückwärtsschritt fehlt !");
  static const std::string forwardInput = Ansi("In-Variable für Vorwärtsschritt fehlt !");
  static const std::string timerNumber = Ansi("\"FC- Nummer- Timer\" ist ungültig !");
  static const std::string timerName = Ansi("\"DB- Name- Timer\" ist ungültig !");
  static const std::string none;
  switch (code) {
    case 90: return internalError;
    case 20: case 21: return fcNumber;
    case 22: case 23: return dbNumber;
    case 5: return fcName;
    case 6: case 7: return dbName;
    case 8: return release1;
    case 9: case 10: return release2;
    case 11: case 12: case 13: return release3;
    case 14: case 15: case 16: case 17: return release4;
    case 30: case 31: return firstStep;
    case 32: case 33: return distance;
    case 34: case 35: return count;
    case 36: return lastStep;
    case 37: case 38: return initialStep;
    case 39: return backwardInput;
    case 40: return forwardInput;
    case 50: case 51: case 52: return timerNumber;
    case 53: case 54: return timerName;
    default: return none;
  }
}

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

  if (p.maxStepsIndex < 0 || p.maxStepsIndex >= kMaxStepsItemCount) {
    out.code = 90;
    return out;
  }
  const int highest = 32 * (1 << p.maxStepsIndex) - 1;

  code = ReadNumber(p.fcNumber, 0, 65535, 20, 21, out.fcNumber);
  if (code == 0) {
    // DB 0 does not exist: the data blocks are numbered from 1.
    code = ReadNumber(p.dbNumber, 1, 65535, 22, 23, out.dbNumber);
  }
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
  std::string address = kind;
  address += ' ';
  address += std::to_string(number);
  return {name, address, address, name};
}

}  // namespace

ExtendedStepParams ExtendedExample1() { return ExtendedStepParams{}; }

ExtendedStepParams ExtendedExample2() {
  ExtendedStepParams p;
  p.fcNumber = "100";
  p.fcName = "FC_Schrittkette100";
  p.dbNumber = "100";
  p.dbName = "DB_Schrittkette100";
  p.timers = true;
  p.timerFcNumber = "101";
  p.timerFcName = "FC_Schritttimer100";
  p.maxStepsIndex = 0;
  p.firstStep = "0";
  p.initialStep = "0";
  p.count = "4";
  p.distance = "1";
  p.backward = false;
  p.release1 = "Auto";
  p.release2 = "Freigabe";
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

void TrimExtendedFields(ExtendedStepParams& params) {
  // Fields 1 to 12 in the order of their numbers; 13 and 14 stay as typed.
  for (std::string* field : {&params.fcNumber, &params.dbNumber, &params.fcName, &params.dbName, &params.release1,
                             &params.release2, &params.release3, &params.initialStep, &params.firstStep,
                             &params.count, &params.distance, &params.release4}) {
    *field = TrimSpaces(*field);
  }
}

GeneratorResult PrepareExtendedStep(const ExtendedStepParams& params, ExtendedStepValues& v) {
  GeneratorResult result;
  const CheckOutcome checked = CheckParams(params);
  if (checked.code != 0) {
    result.errorCode = checked.code;
    result.errorMessage = MessageOf(checked.code);
    return result;
  }

  result.symbols.push_back(BlockRow(params.fcName, "FC", checked.fcNumber));
  result.symbols.push_back(BlockRow(params.dbName, "DB", checked.dbNumber));
  if (params.timers) result.symbols.push_back(BlockRow(params.timerFcName, "FC", checked.timerFcNumber));

  v = ExtendedStepValues{};
  v.W = 1 << params.maxStepsIndex;
  v.M = 32 * v.W - 1;
  v.F = checked.first;
  v.N = checked.count;
  v.D = checked.distance;
  v.I = checked.initial;
  v.L = v.F + (v.N - 1) * v.D;
  v.timers = params.timers;
  v.backward = params.backward;
  v.C = 2 * v.W + (v.backward ? v.W : 0) + (v.timers ? v.W : 0);
  v.input3 = !params.release3.empty();
  v.input4Forward = !params.release4.empty() && !params.backward;
  v.input4Backward = !params.release4.empty() && params.backward;
  // The texts name the blocks as the symbol rows do.
  v.fcName = result.symbols[0].symbol;
  v.fcAddress = result.symbols[0].address;
  v.dbName = result.symbols[1].symbol;
  v.dbAddress = result.symbols[1].address;
  if (params.timers) {
    v.timerFcName = result.symbols[2].symbol;
    v.timerFcAddress = result.symbols[2].address;
  }
  v.maxStepsText = ExtendedMaxStepsItems()[static_cast<std::size_t>(params.maxStepsIndex)];
  v.firstText = params.firstStep;
  v.initialText = params.initialStep;
  v.countText = params.count;
  v.distanceText = params.distance;
  v.release1 = params.release1;
  v.release2 = params.release2;
  v.release3 = params.release3;
  v.release4 = params.release4;
  return result;
}

GeneratorResult GenerateExtendedStep(const ExtendedStepParams& params, const MnemonicSet& mnemonics) {
  ExtendedStepValues v;
  GeneratorResult result = PrepareExtendedStep(params, v);
  if (!result.ok()) return result;
  AppendStepDataBlock(result.lines, v);
  if (v.timers) AppendStepTimerFunction(result.lines, v, mnemonics);
  AppendStepSequenceFunction(result.lines, v, mnemonics);
  if (v.timers) result.notices.push_back(ExtendedStepTimeTickNotice());
  return result;
}

}  // namespace brendax
