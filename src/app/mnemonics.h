// The convention-dependent instruction and operand strings of generated STL.
#pragma once

#include <string>

namespace brendax {

struct MnemonicSet {
  std::string MnemInput;         // E / I
  std::string MnemOutput;        // A / Q
  std::string MnemOpenDB;        // AUF / OPN
  std::string MnemBlockEndCond;  // BEB / BEC
  std::string MnemJump;          // SPA / JU
  std::string MnemJumpIf;        // SPB / JC
  std::string MnemJumpList;      // SPL / JL
  std::string MnemJumpIfNot;     // SPBN / JCN
  std::string MnemAnd;           // U / A
};

inline MnemonicSet GermanMnemonics() {
  return {"E", "A", "AUF", "BEB", "SPA", "SPB", "SPL", "SPBN", "U"};
}

inline MnemonicSet EnglishMnemonicSet() {
  return {"I", "Q", "OPN", "BEC", "JU", "JC", "JL", "JCN", "A"};
}

// The set that the stored flag selects (0 = German, anything else English).
inline MnemonicSet MnemonicsFor(bool english) { return english ? EnglishMnemonicSet() : GermanMnemonics(); }

}  // namespace brendax
