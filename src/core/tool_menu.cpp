#include "core/tool_menu.h"

#include <array>
#include <string_view>

#include "core/generator_codes.h"

namespace brendax {
namespace {

const std::array<ToolMenuEntry, 9> kEntries = {{
    {kGenSymbols, "Symbolgenerator1", ToolMenu::kTools, "Symbolgenerator@Symbol Generator", false, "symbols",
     "Symbolgenerator"},
    {kGenDbSource, "DBUDT1", ToolMenu::kSourceGenerator, "DB@DB", false, "db", "DB - Quelle erzeugen"},
    {kGenMessageDb, "MeldeDBUDT1", ToolMenu::kSourceGenerator, "Melde- DB/ UDT@Reporting DB/ UDT", false, "message-db",
     "Melde-DB /-UDT"},
    {kGenTargetActualDb, "SollIstDB1", ToolMenu::kSourceGenerator, "Soll- Ist- DB@Soll- Ist- DB", true,
     "target-actual-db", "Soll-Ist-DB"},
    {kGenDbImage, "DBAbbildvonDateibin1", ToolMenu::kSourceGenerator, "DB- Abbild von Datei@DB Dump File", false,
     "db-image", "DB-Abbild von Datei"},
    {kGenStepSimple, "AWLSchrittketteBasic1", ToolMenu::kSourceGenerator,
     "AWL-Schrittkette-Simple@STL-Step-Sequence-Simple", false, "step-simple", "AWL-Schrittkette-Simple"},
    {kGenStepExtended, "AWLSchrittkette1", ToolMenu::kSourceGenerator,
     "AWL-Schrittkette-Extended@STL-Step-Sequence-Extended", false, "step-extended", "AWL-Schrittkette-Extended"},
    {kGenNone, "Adressrechner", ToolMenu::kToolsBelowSeparator, "Adressrechner@Address Calculator", false, "address",
     "Adressrechner"},
    {kGenNone, "PointerTool1", ToolMenu::kToolsBelowSeparator, "Pointer Tool@Pointer Tool", false, "pointer",
     "Pointer-Tool"},
}};

}  // namespace

std::span<const ToolMenuEntry> ToolMenuEntries() { return kEntries; }

const char* DialogCaptionOf(const char* subcommand) {
  for (const ToolMenuEntry& entry : kEntries)
    if (std::string_view(entry.subcommand) == subcommand) return entry.dialog;
  return "";
}

}  // namespace brendax
