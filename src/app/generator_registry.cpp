#include "app/generator_registry.h"

#include <array>

#include "core/generator_codes.h"
#include "datablocks/db_source_dialog.h"
#include "datablocks/message_db_dialog.h"
#include "stepseq/extended_step_dialog.h"
#include "stepseq/simple_step_dialog.h"

namespace brendax {

namespace {

// Every dialog is created the same way: from the tool host and its parent.
template <class Dialog>
QDialog* Make(ToolHost& host, QWidget* parent) {
  return new Dialog(host, parent);
}

const std::array<GeneratorEntry, 9> kGenerators = {{
    {kGenSymbols, "Symbolgenerator1", ToolMenu::kTools, "Symbolgenerator@Symbol Generator", false, nullptr},
    {kGenDbSource, "DBUDT1", ToolMenu::kSourceGenerator, "DB@DB", false,
     [](ToolHost& host, QWidget* parent) -> QDialog* { return new TForm5QuelleDB(host, parent); }},
    {kGenMessageDb, "MeldeDBUDT1", ToolMenu::kSourceGenerator, "Melde- DB/ UDT@Reporting DB/ UDT", false,
     [](ToolHost& host, QWidget* parent) -> QDialog* { return new TForm6Melde_DB_UDT(host, parent); }},
    {kGenTargetActualDb, "SollIstDB1", ToolMenu::kSourceGenerator, "Soll- Ist- DB@Soll- Ist- DB", true, nullptr},
    {kGenDbImage, "DBAbbildvonDateibin1", ToolMenu::kSourceGenerator, "DB- Abbild von Datei@DB Dump File", false,
     nullptr},
    {kGenStepSimple, "AWLSchrittketteBasic1", ToolMenu::kSourceGenerator,
     "AWL-Schrittkette-Simple@STL-Step-Sequence-Simple", false,
     &Make<TForm10AWL_SchrittketteEinfach>},
    {kGenStepExtended, "AWLSchrittkette1", ToolMenu::kSourceGenerator,
     "AWL-Schrittkette-Extended@STL-Step-Sequence-Extended", false,
     &Make<TForm8AWL_Schrittkette>},
    {kGenNone, "Adressrechner", ToolMenu::kToolsBelowSeparator, "Adressrechner@Address Calculator", false, nullptr},
    {kGenNone, "PointerTool1", ToolMenu::kToolsBelowSeparator, "Pointer Tool@Pointer Tool", false, nullptr},
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
