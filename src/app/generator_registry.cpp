#include "app/generator_registry.h"

#include <array>

#include "core/generator_codes.h"
#include "datablocks/db_image_dialog.h"
#include "datablocks/db_source_dialog.h"
#include "datablocks/message_db_dialog.h"
#include "datablocks/target_actual_dialog.h"
#include "stepseq/extended_step_dialog.h"
#include "stepseq/simple_step_dialog.h"
#include "symbols/symbol_dialog.h"
#include "tools/address_calculator_dialog.h"
#include "tools/pointer_tool_dialog.h"

namespace brendax {

namespace {

// Every dialog is created the same way: from the tool host and its parent.
template <class Dialog>
QDialog* Make(ToolHost& host, QWidget* parent) {
  return new Dialog(host, parent);
}

const std::array<GeneratorEntry, 9> kGenerators = {{
    {kGenSymbols, "Symbolgenerator1", ToolMenu::kTools, "Symbolgenerator@Symbol Generator", false, &Make<TForm2>},
    {kGenDbSource, "DBUDT1", ToolMenu::kSourceGenerator, "DB@DB", false, &Make<TForm5QuelleDB>},
    {kGenMessageDb, "MeldeDBUDT1", ToolMenu::kSourceGenerator, "Melde- DB/ UDT@Reporting DB/ UDT", false,
     &Make<TForm6Melde_DB_UDT>},
    {kGenTargetActualDb, "SollIstDB1", ToolMenu::kSourceGenerator, "Soll- Ist- DB@Soll- Ist- DB", true, &Make<TForm3>},
    {kGenDbImage, "DBAbbildvonDateibin1", ToolMenu::kSourceGenerator, "DB- Abbild von Datei@DB Dump File", false,
     &Make<TForm7QuelleDBFileKopieBin>},
    {kGenStepSimple, "AWLSchrittketteBasic1", ToolMenu::kSourceGenerator,
     "AWL-Schrittkette-Simple@STL-Step-Sequence-Simple", false, &Make<TForm10AWL_SchrittketteEinfach>},
    {kGenStepExtended, "AWLSchrittkette1", ToolMenu::kSourceGenerator,
     "AWL-Schrittkette-Extended@STL-Step-Sequence-Extended", false, &Make<TForm8AWL_Schrittkette>},
    {kGenNone, "Adressrechner", ToolMenu::kToolsBelowSeparator, "Adressrechner@Address Calculator", false,
     &Make<TForm5>},
    {kGenNone, "PointerTool1", ToolMenu::kToolsBelowSeparator, "Pointer Tool@Pointer Tool", false,
     &Make<TForm14Pointerrechner>},
}};

}  // namespace

std::span<const GeneratorEntry> GeneratorRegistry() { return kGenerators; }

const GeneratorEntry* FindGenerator(int code) {
  if (code == kGenNone) return nullptr;
  for (const GeneratorEntry& entry : kGenerators)
    if (entry.code == code) return &entry;
  return nullptr;
}

}  // namespace brendax
