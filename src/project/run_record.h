// One generator run as a record, and the ways between a record and a job's
// run: the options of a run (long names, UTF-8 texts) make the record
// exactly as the generator's subcommand makes it from its command line, and
// a record gives back the options that make it again. The subcommands, the
// batch job and the window's project all go through these functions.
#pragma once

#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "core/field_table.h"
#include "core/generator_result.h"
#include "core/mnemonics.h"
#include "datablocks/db_image.h"
#include "datablocks/db_source.h"
#include "datablocks/message_db.h"
#include "datablocks/target_actual.h"
#include "project/job.h"
#include "stepseq/extended_step.h"
#include "stepseq/simple_step.h"
#include "symbols/symbol_generator.h"

namespace brendax {

// The record of one run of any generator that writes blocks or rows.
using RunRecord = std::variant<SimpleStepParams, ExtendedStepParams, SymbolParams, DbSourceParams, MessageDbParams,
                               TargetActualParams, DbImageParams>;

// The subcommand of the record's generator ("step-simple") and its
// last-generator code (core/generator_codes.h).
const char* GeneratorName(const RunRecord& record);
int GeneratorCode(const RunRecord& record);
// The last-generator code of a subcommand's name; 0 for any other name.
int GeneratorCodeOfName(const std::string& generator);

// The run of a record as "Generieren" and the subcommand do it, on the
// fields as they stand (already trimmed where the generator trims). Pure:
// safe on a copy of the record in another thread.
GeneratorResult GenerateRecord(const RunRecord& record, const MnemonicSet& mnemonics);

// What the record's generator writes: source lines (all but the symbol
// generator), symbol rows (the symbol generator and the step sequences).
bool WritesLines(const RunRecord& record);
bool WritesRows(const RunRecord& record);

// The dialog control (its object name) of the field that a command-line
// option sets, as the generator's field table says (the DB image's file:
// its path field); nullptr for an option of no field.
const char* FieldControl(const RunRecord& record, const std::string& option);

// --- Options to records, one function per subcommand ---------------------

// step-simple: the defaults, the options, the jump list's forced numbering,
// then the trimming.
SimpleStepParams SimpleStepFromOptions(const GivenOptions& given);

// step-extended: the example set "1" or "2", the options, the trimming.
ExtendedStepParams ExtendedStepFromOptions(const std::string& example, const GivenOptions& given);

// symbols: starts from an example ("interface", "cylinder", anything else
// the program number) or, with a template number, from that template of the
// settings file; then the text fields' options and "Adressbereich" (any text:
// one that names no item selects none). False, with the reason, when the
// settings file cannot be read.
struct SymbolsStart {
  std::string example = "program-number";
  std::string settingsFile;
  int templateNumber = 0;  // 0: start from the example
};
bool SymbolsFromOptions(const SymbolsStart& start, const GivenOptions& given, const std::optional<std::string>& area,
                        SymbolParams& params, std::string& failure);
// The fields of the symbol form that have an option of their own (the text
// fields; "Adressbereich" takes any text and is handled apart).
const FieldTable<SymbolParams>& SymbolTextFields();

// db: the defaults, the options; the suffix lines as given (none: no
// suffixes); the initial value given, else the one proposed for the type.
DbSourceParams DbSourceFromOptions(const GivenOptions& given, const std::vector<std::string>& suffixes,
                                   const std::optional<std::string>& initialValue);
// The fields of db that come straight from the table (all but the suffix
// lines and the initial value).
const FieldTable<DbSourceParams>& DbSourceTableFields();

// message-db: the defaults and the options.
MessageDbParams MessageDbFromOptions(const GivenOptions& given);

// target-actual-db: the defaults, the options, and the two lists from their
// files (empty path: an empty list). False, with the reason, when a file
// cannot be read.
bool TargetActualFromOptions(const GivenOptions& given, const std::string& variantFile, const std::string& addressFile,
                             TargetActualParams& params, std::string& failure);
// The fields of target-actual-db with an option of their own (not the lists).
const FieldTable<TargetActualParams>& TargetActualOptionFields();
// An assignment list as pasted into the dialog, from a file: UTF-8 when the
// file is valid UTF-8, else Windows-1252 as it stands; a byte-order mark is
// dropped. False when the file cannot be read (core/input_file.h: a regular
// file of at most 16 MB), with "Cannot read FILE: <reason>" in `failure`.
bool ReadAssignmentList(const std::string& path, std::string& list, std::string* failure = nullptr);

// db-image: the defaults, the options, "Automatisch" unless a count is
// given, and the file as the file system spells it.
DbImageParams DbImageFromOptions(const GivenOptions& given, const std::string& file);
// The fields of db-image with an option of their own.
const FieldTable<DbImageParams>& DbImageOptionFields();

// --- Records to options ------------------------------------------------

// The run that makes the record again: the generator and the options whose
// values differ from where its subcommand starts, in the order of its
// fields. A target/actual DB's lists become file texts of the run (SaveJob
// writes them); "Vereinfacht" of the symbol form is no field and not kept.
JobRun RunOfRecord(const RunRecord& record);

// What a run is known by in a project: the generator and the number of the
// block it writes ("DB 100"; the symbol generator: its area and first
// address), so that a new run of the same generator and block replaces the
// old one. Numbers compare by value ("080" and "80" are one block).
std::string RunKey(const RunRecord& record);

}  // namespace brendax
