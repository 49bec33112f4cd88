// The DB source: one data block whose structure holds a series of variables
// of one elementary type, named from byte addresses or from a running
// number, each with the same initial value.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/field_table.h"
#include "core/generator_result.h"

namespace brendax {

// The dialog's fields exactly as they stand; the defaults live in the field
// table (DbSourceFields()).
struct DbSourceParams {
  std::string dbNumber;      // LabeledEdit2 "DB- Nummer"
  int type = 0;              // ComboBox1: index into DbSourceTypes()
  std::string count;         // LabeledEdit4 "Anzahl Variablen:"
  std::string prefix;        // LabeledEdit5, used as typed
  int nameFrom = 0;          // RadioGroup1: kDbNameFromAddress / kDbNameFromNumber
  std::string start;         // LabeledEdit8 start address or start number
  int digitFormat = 0;       // ComboBox2: minimum digit count - 1
  std::string suffixes;      // Memo1: the suffix lines, CR LF between them
  std::string initialValue;  // LabeledEdit7, empty: no assignment
};

inline constexpr int kDbNameFromAddress = 0;
inline constexpr int kDbNameFromNumber = 1;

// One entry of the type list.
struct DbElementType {
  const char* entry;            // the list entry and the command-line name ("Time_Of_Day")
  const char* typeName;         // as declared ("TOD")
  int size;                     // bytes per element; 0 for Bool (eight per byte)
  const char* proposedInitial;  // what picking the type puts into the initial-value field
};

// The 13 elementary types in list order; index 0 is Bool.
const std::vector<DbElementType>& DbSourceTypes();
inline constexpr int kDbTypeBool = 0;

// The entries of the digit-format list: "X(.X)" .. "XXXXXX(.X)".
const std::vector<std::string>& DbSourceDigitFormats();

// The fields in dialog order.
const FieldTable<DbSourceParams>& DbSourceFields();

// The initial value the dialog proposes when the user picks the type
// (an index outside the list proposes nothing).
std::string ProposedInitialValue(int type);

// The lines of a memo text as the memo counts them: split at CR LF (or a
// lone LF or CR); a line break at the very end opens no further line, so an
// empty text has no lines.
std::vector<std::string> DbSourceSuffixLines(std::string_view memoText);
// The memo text of the given lines: every line followed by CR LF, so that
// DbSourceSuffixLines gives them back, an empty last line included.
std::string DbSourceSuffixText(const std::vector<std::string>& lines);

// The generate action: the checks in their fixed order, then the lines of
// the data block. No symbol rows.
GeneratorResult GenerateDbSource(const DbSourceParams& params);

}  // namespace brendax
