#include "app/generator_registry.h"

#include <array>

#include "app/main_window.h"
#include "core/generator_codes.h"
#include "stepseq/extended_step_dialog.h"
#include "stepseq/simple_step_dialog.h"

namespace brendax {

namespace {

const std::array<GeneratorEntry, 9> kGenerators = {{
    {kGenSymbols, "Symbolgenerator1", ToolMenu::kTools, "Symbolgenerator@Symbol Generator", false, nullptr},
    {kGenDbSource, "DBUDT1", ToolMenu::kSourceGenerator, "DB@DB", false, nullptr},
    {kGenMessageDb, "MeldeDBUDT1", ToolMenu::kSourceGenerator, "Melde- DB/ UDT@Reporting DB/ UDT", false, nullptr},
    {kGenTargetActualDb, "SollIstDB1", ToolMenu::kSourceGenerator, "Soll- Ist- DB@Soll- Ist- DB", true, nullptr},
    {kGenDbImage, "DBAbbildvonDateibin1", ToolMenu::kSourceGenerator, "DB- Abbild von Datei@DB Dump File", false,
     nullptr},
    {kGenStepSimple, "AWLSchrittketteBasic1", ToolMenu::kSourceGenerator,
     "AWL-Schrittkette-Simple@STL-Step-Sequence-Simple", false,
     [](ToolHost& host, QWidget*) -> QDialog* {
       return new TForm10AWL_SchrittketteEinfach(static_cast<TForm1&>(host));
     }},
    {kGenStepExtended, "AWLSchrittkette1", ToolMenu::kSourceGenerator,
     "AWL-Schrittkette-Extended@STL-Step-Sequence-Extended", false,
     [](ToolHost& host, QWidget*) -> QDialog* { return new TForm8AWL_Schrittkette(static_cast<TForm1&>(host)); }},
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
