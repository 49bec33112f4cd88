// The image of a file as a data block: the file's bytes as one array of
// BYTE, WORD, DWORD or CHAR with one initial value per element, so that the
// content of any file can be loaded into a PLC.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "core/field_table.h"
#include "core/generator_result.h"

namespace brendax {

// ComboBox1 items.
enum DbImageType : int { kDbImageByte = 0, kDbImageWord = 1, kDbImageDWord = 2, kDbImageChar = 3 };

// The dialog's fields as they stand (Windows-1252), except the path.
struct DbImageParams {
  std::string filePath;     // LabeledEdit1: the path as the file system spells it (UTF-8 here)
  std::string dbNumber;     // LabeledEdit2: 1..10000
  std::string name;         // LabeledEdit5: the array variable
  int type = kDbImageChar;  // ComboBox1
  bool swap = false;        // CheckBox2: byte order in Word / DWord
  std::string count;        // LabeledEdit3: number of elements when not automatic
  bool automatic = true;    // CheckBox1 "Automatisch": count from the file size
  std::string start;        // LabeledEdit4: lower array bound, -32767..32767
};

// The fields bound to the dialog (the path is not among them: the dialog
// and the command line hand it over as the file system spells it).
const FieldTable<DbImageParams>& DbImageFields();

// The name under which a refused run names the file (the batch job's and the
// page's option; the command line takes the file as its argument).
inline constexpr const char* kDbImageFileOption = "file";
// The dialog's control of the file (it is no field of the table).
inline constexpr const char* kDbImageFileControl = "LabeledEdit1";

// Bytes per element of a type: 1, 2, 4 or 1.
int DbImageElementSize(int type);

// The code of a failure that is not one of the table's: the file could not
// be opened. Its message box shows the message alone.
inline constexpr int kDbImageOpenFailure = -1;

// The message of a code, Windows-1252; empty for an unknown code.
const std::string& DbImageMessage(int code);

// The warning shown after a run that left the end of the file out; lines
// separated by CR.
const std::string& DbImageTooLargeWarning();

// The text of the "?" button: lines separated by CR alone, ending with one.
const std::string& DbImageHelpText();

// The value of one element, written as the initial-value assignment shows
// it ("B#16#A", "W#16#4241", "DW#16#FF000000", "'$R'"). `bytes` holds the
// element's bytes in file order.
std::string DbImageValue(int type, bool swap, const unsigned char* bytes);

// The checks in their fixed order, the file read, and the source lines; a
// warning about a file too large for the array comes back as a notice.
GeneratorResult GenerateDbImage(const DbImageParams& params);

}  // namespace brendax
