// The codes of the generator that ran last; "Formular" reopens its dialog.
#pragma once

namespace brendax {

enum LastGeneratorCode : int {
  kGenNone = 0,
  kGenSymbols = 10,
  kGenDbSource = 20,
  kGenMessageDb = 21,
  kGenTargetActualDb = 22,
  kGenDbImage = 23,
  kGenStepExtended = 24,
  kGenStepSimple = 25,
};

}  // namespace brendax
