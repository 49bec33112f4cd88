// The convention-dependent instruction and operand strings of generated STL.
#pragma once

#include <string>
#include <string_view>

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

inline MnemonicSet GermanMnemonics() { return {"E", "A", "AUF", "BEB", "SPA", "SPB", "SPL", "SPBN", "U"}; }

inline MnemonicSet EnglishMnemonicSet() { return {"I", "Q", "OPN", "BEC", "JU", "JC", "JL", "JCN", "A"}; }

// The set that the stored flag selects (0 = German, anything else English).
inline MnemonicSet MnemonicsFor(bool english) { return english ? EnglishMnemonicSet() : GermanMnemonics(); }

// A generated instruction that uses a mnemonic: six blanks, the mnemonic
// unpadded, then the fixed rest ("      SPBN  In_X; "), so with the shorter
// English forms the operand stands further left.
inline std::string InstructionLine(std::string_view mnemonic, std::string_view rest) {
  std::string line;
  line.reserve(6 + mnemonic.size() + rest.size());
  line.append(6, ' ');
  line.append(mnemonic);
  line.append(rest);
  return line;
}

}  // namespace brendax
