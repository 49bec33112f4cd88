// The extended step sequence: a step data block, optionally a step timer
// function, and the step-sequence function.
#pragma once

#include <string>
#include <vector>

#include "core/generator_result.h"
#include "core/mnemonics.h"

namespace brendax {

// The dialog's fields exactly as they stand (texts as typed, not trimmed).
struct ExtendedStepParams {
  std::string fcNumber = "80";                 // LabeledEdit1
  std::string fcName = "FC_Schrittkette";      // LabeledEdit3
  std::string dbNumber = "80";                 // LabeledEdit2
  std::string dbName = "DB_Schrittkette";      // LabeledEdit4
  bool timers = false;                         // CheckBox2 "Erzeuge interne Timer"
  std::string timerFcNumber = "81";            // LabeledEdit13
  std::string timerFcName = "FC_Schritttimer";  // LabeledEdit14
  int maxStepsIndex = 1;                       // ComboBox1 item (0..4 = 32..512; -1 = none selected)
  std::string firstStep = "0";                 // LabeledEdit9
  std::string initialStep = "0";               // LabeledEdit8
  std::string count = "12";                    // LabeledEdit10
  std::string distance = "5";                  // LabeledEdit11
  bool backward = true;                        // CheckBox1 "Erzeuge Rückwärts-Transitionen"
  std::string release1 = "Auto";               // LabeledEdit5
  std::string release2 = "Freigabe";           // LabeledEdit6
  std::string release3 = "SV";                 // LabeledEdit7
  std::string release4 = "SR";                 // LabeledEdit12
};

// The two example sets of the dialog ("Beispiel 1" is also the first-show state).
ExtendedStepParams ExtendedExample1();
ExtendedStepParams ExtendedExample2();

// The item texts of the "Max. Anzahl Schritte" list: "32", "64", "128", "256", "512".
const std::vector<std::string>& ExtendedMaxStepsItems();

// The text of the "?" button: lines separated by CR, ending with one.
const std::string& ExtendedStepHelpText();

// The message shown after a run with internal timers (lines separated by CR).
const std::string& ExtendedStepTimeTickNotice();

// Values derived once after the checks and handed to the three text generators.
struct ExtendedStepValues {
  int W = 0;  // words per array: 1, 2, 4, 8, 16
  int M = 0;  // highest step index 32 * W - 1
  int F = 0;  // first step
  int N = 0;  // step count
  int D = 0;  // distance
  int I = 0;  // initial step
  int L = 0;  // last step F + (N - 1) * D
  int C = 0;  // clear count 2W (+W backward) (+W timers)
  bool timers = false;
  bool backward = false;
  bool input3 = false;          // release input 3 present
  bool input4Forward = false;   // input 4 present, backward transitions off
  bool input4Backward = false;  // input 4 present, backward transitions on

  // Block names, read back from column 0 of symbol rows 1, 2 and 3.
  std::string fcName;
  std::string dbName;
  std::string timerFcName;
  // Column 1 of symbol rows 1, 2 and 3 ("FC 80", "DB 80", "FC 81").
  std::string fcAddress;
  std::string dbAddress;
  std::string timerFcAddress;
  // Field texts as they stand after trimming (banner settings rows).
  std::string maxStepsText;  // combo item text, e.g. "64"
  std::string firstText;
  std::string initialText;
  std::string countText;
  std::string distanceText;
  std::string release1;
  std::string release2;
  std::string release3;
  std::string release4;
};

// Trims fields 1 to 12 in place (the dialog writes them back), as the
// generate action does before its checks.
void TrimExtendedFields(ExtendedStepParams& params);

// The checks on already trimmed fields and, when they pass, the symbol rows
// and the derived values (the block names read back from the rows). The
// result holds the error or the rows, no lines yet.
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
