// The extended step sequence: a step data block, optionally a step timer
// function, and the step-sequence function.
#pragma once

#include <string>
#include <vector>

#include "core/field_table.h"
#include "core/generator_result.h"
#include "core/mnemonics.h"

namespace brendax {

// The dialog's fields exactly as they stand (texts as typed, not trimmed);
// their defaults are those of the field table ("Beispiel 1").
struct ExtendedStepParams {
  std::string fcNumber;
  std::string fcName;
  std::string dbNumber;
  std::string dbName;
  bool timers = false;  // "Erzeuge interne Timer"
  std::string timerFcNumber;
  std::string timerFcName;
  std::string maxSteps;  // the text of the editable list "Max. Anzahl Schritte"
  std::string firstStep;
  std::string initialStep;
  std::string count;
  std::string distance;
  bool backward = false;  // "Erzeuge Rückwärts-Transitionen"
  std::string release1;
  std::string release2;
  std::string release3;
  std::string release4;

  bool operator==(const ExtendedStepParams&) const = default;
};

// The fields in the dialog's order. Fields 1 to 12 are trimmed; the timer
// function's number and name and the list text stay as typed.
const FieldTable<ExtendedStepParams>& ExtendedStepFields();

// The two example sets of the dialog ("Beispiel 1" is also the first-show state).
ExtendedStepParams ExtendedExample1();
ExtendedStepParams ExtendedExample2();

// The items of the "Max. Anzahl Schritte" list: "32", "64", "128", "256", "512".
const std::vector<std::string>& ExtendedMaxStepsItems();

// The text of the "?" button: lines separated by CR, ending with one.
const std::string& ExtendedStepHelpText();

// The message shown after a run with internal timers (lines separated by CR).
const std::string& ExtendedStepTimeTickNotice();

// What the checks derive once for the three texts.
struct ExtendedStepValues {
  const ExtendedStepParams* params = nullptr;  // the trimmed fields (banner settings rows)
  int wordsPerArray = 0;                       // double words of one BOOL array: 1, 2, 4, 8, 16
  int highestStep = 0;                         // the arrays' highest index, 32 * wordsPerArray - 1
  int firstStep = 0;
  int stepCount = 0;
  int distance = 0;
  int initialStep = 0;
  int lastStep = 0;             // firstStep + (stepCount - 1) * distance
  int clearWords = 0;           // double words the initialisation clears: one per BOOL array
  bool input3 = false;          // release input 3 present
  bool input4Forward = false;   // input 4 present, backward transitions off
  bool input4Backward = false;  // input 4 present, backward transitions on
  // Column 1 of the symbol rows ("FC 80", "DB 80", "FC 81").
  std::string fcAddress;
  std::string dbAddress;
  std::string timerFcAddress;
};

// The checks on already trimmed fields and, when they pass, the symbol rows
// and the derived values (which refer to `params`). The result holds the
// error or the rows, no lines yet.
GeneratorResult PrepareExtendedStep(const ExtendedStepParams& params, ExtendedStepValues& values);

// The whole generate action on already trimmed fields: checks, symbol rows,
// data block, timer function (with internal timers), step-sequence function,
// and the SFC 64 notice (with internal timers).
GeneratorResult GenerateExtendedStep(const ExtendedStepParams& params, const MnemonicSet& mnemonics);

// The three texts, each appended to `lines`.
void AppendStepDataBlock(std::vector<std::string>& lines, const ExtendedStepValues& values);
void AppendStepTimerFunction(std::vector<std::string>& lines, const ExtendedStepValues& values,
                             const MnemonicSet& mnemonics);
void AppendStepSequenceFunction(std::vector<std::string>& lines, const ExtendedStepValues& values,
                                const MnemonicSet& mnemonics);

}  // namespace brendax
