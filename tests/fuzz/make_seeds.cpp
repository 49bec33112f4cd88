// Writes the starting corpus of the record targets into FOLDER/<target>/:
// the defaults and the documented examples of each generator, encoded the
// way the targets read their input. Run by scripts/fuzz --seed.
#include <filesystem>
#include <fstream>

#include "core/settings.h"
#include "datablocks/db_image.h"
#include "datablocks/db_source.h"
#include "datablocks/message_db.h"
#include "datablocks/target_actual.h"
#include "fuzz_input.h"
#include "stepseq/extended_step.h"
#include "stepseq/simple_step.h"
#include "symbols/symbol_generator.h"
#include "symbols/symbol_templates.h"

namespace {

namespace fs = std::filesystem;
using namespace brendax;
using fuzz::EncodeRecord;

fs::path g_root;

void Seed(const std::string& target, const std::string& name, const std::string& bytes) {
  fs::create_directories(g_root / target);
  std::ofstream(g_root / target / ("seed_" + name), std::ios::binary) << bytes;
}

// The leading choice bytes of the generator targets: English mnemonics, trimmed.
std::string Lead(bool english, bool trimmed) { return {static_cast<char>(english), static_cast<char>(trimmed)}; }

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  g_root = argv[1];
  for (bool english : {false, true}) {
    const std::string lang = english ? "en" : "de";
    SimpleStepParams simple = DefaultsOf(SimpleStepFields());
    Seed("step_simple", "defaults_" + lang, EncodeRecord(SimpleStepFields(), simple, Lead(english, true)));
    simple.structure = kSimpleComparator;
    simple.count = "3";
    simple.release1 = "Auto";
    Seed("step_simple", "comparator_" + lang, EncodeRecord(SimpleStepFields(), simple, Lead(english, false)));
    Seed("step_extended", "example1_" + lang,
         EncodeRecord(ExtendedStepFields(), ExtendedExample1(), Lead(english, true)));
    Seed("step_extended", "example2_" + lang,
         EncodeRecord(ExtendedStepFields(), ExtendedExample2(), Lead(english, false)));
    Seed("symbols", "interface_" + lang,
         EncodeRecord(SymbolFieldTable(), SymbolExampleInterface(), Lead(english, true), "\1\0"));
    Seed("symbols", "cylinder_" + lang,
         EncodeRecord(SymbolFieldTable(), SymbolExampleCylinder(), Lead(english, true), "\0\0"));
    Seed("symbols", "program_number_" + lang,
         EncodeRecord(SymbolFieldTable(), SymbolExampleProgramNumber(), Lead(english, false), "\0\0"));
  }
  DbSourceParams db = DefaultsOf(DbSourceFields());
  Seed("db_source", "defaults", EncodeRecord(DbSourceFields(), db, Lead(false, true)));
  db.suffixes = "_Ist\r\n_Soll";
  db.type = 3;
  db.nameFrom = kDbNameFromNumber;
  Seed("db_source", "suffixes", EncodeRecord(DbSourceFields(), db, Lead(false, true)));
  for (int variant = 0; variant < 3; ++variant) {
    MessageDbParams message = DefaultsOf(MessageDbFields());
    message.variant = variant;
    Seed("message_db", "variant" + std::to_string(variant),
         EncodeRecord(MessageDbFields(), message, Lead(false, true)));
  }
  TargetActualParams targetActual = DefaultsOf(TargetActualFields());
  Seed("target_actual", "defaults", EncodeRecord(TargetActualFields(), targetActual, Lead(false, true)));
  targetActual.variantSymbols = "1=Typ_A\r\n2=Typ_B";
  targetActual.addressSymbols = "0_0=Sensor1\r\n1_7=Sensor2";
  Seed("target_actual", "symbols", EncodeRecord(TargetActualFields(), targetActual, Lead(false, true)));
  for (int type = 0; type < 4; ++type) {
    DbImageParams image = DefaultsOf(DbImageFields());
    image.filePath = std::string("Hallo Welt\0\x01\xFF\x80", 14);
    image.type = type;
    image.swap = type % 2 == 1;
    Seed("db_image", "type" + std::to_string(type), EncodeRecord(DbImageFields(), image, std::string(1, '\1')));
  }

  SettingsRecord record;
  record.setReserved("frei");
  record.setNationalLanguage(1);
  WriteSymbolTemplate(record, 1, TemplateFromForm(SymbolExampleInterface(), "Schnittstelle"));
  WriteSymbolTemplate(record, 8, TemplateFromForm(SymbolExampleCylinder(), "Zylinder"));
  const std::string bytes(reinterpret_cast<const char*>(record.bytes().data()), record.bytes().size());
  Seed("settings", "two_templates", bytes);
  Seed("settings", "short", bytes.substr(0, 300));
  Seed("settings", "empty", "");
  Seed("templates", "slot1", std::string("\0\0", 2) + bytes);
  Seed("templates", "slot8", std::string("\7\1", 2) + bytes);
  return 0;
}
