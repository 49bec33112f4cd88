// The message DB: a structure of numbered bit messages, written directly as
// a data block, or as a user-defined type with a data block holding one
// instance of it (the messages) or two (messages and acknowledgements).
#pragma once

#include <string>

#include "core/field_table.h"
#include "core/generator_result.h"

namespace brendax {

// The dialog's fields exactly as they stand; the defaults live in the field
// table (MessageDbFields()).
struct MessageDbParams {
  std::string number;  // LabeledEdit2 "DB-/ UDT- Nummer": the DB and the UDT
  std::string count;   // LabeledEdit1 "Anzahl Bit-Meldungen:"
  int variant = 0;     // RadioGroup1 "Erzeuge:"
};

inline constexpr int kMessageDbOnly = 0;        // "DB mit Meldungen"
inline constexpr int kMessageUdtAndDb = 1;      // "UDT + DB mit Meldungen"
inline constexpr int kMessageUdtAndDbAcks = 2;  // "UDT + DB mit Meldungen und Quittiermeldungen"

// The fields in dialog order.
const FieldTable<MessageDbParams>& MessageDbFields();

// The message count raised to the next multiple of 16 (1000 gives 1008).
int RoundedMessageCount(int count);

// The generate action: the two checks, then the lines of the chosen variant.
GeneratorResult GenerateMessageDb(const MessageDbParams& params);

}  // namespace brendax
